#pragma once
// TfmInformation: the editor's one message box for errors and refusals meant for the user.
// Callers write the message into lbMessage (with the main window's GetText), then show the
// dialog modally; OK closes it. The dialog itself sets only its caption and its button's text,
// each time it is shown, in the current language.

#include "framework/controls/Form.h"

namespace dsp {

class TImage;
class TLabel;
class TRzBmpButton;

class TfmInformation : public TForm {
public:
    explicit TfmInformation(TComponent* owner);
    ~TfmInformation() override;

    void FormShow(TObject* sender);
    void btnOKClick(TObject* sender);

    TImage* imBackground = nullptr;
    TImage* imSign = nullptr;
    TLabel* lbMessage = nullptr;
    TRzBmpButton* btnOK = nullptr;
};

extern TfmInformation* fmInformation;

}  // namespace dsp
