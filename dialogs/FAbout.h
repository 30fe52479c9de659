#pragma once
// TfmAbout: the product's name and version. Only the caption follows the language; the two
// lines and the button stay English.

#include "framework/controls/Form.h"

namespace dsp {

class TImage;
class TLabel;
class TRzBmpButton;

class TfmAbout : public TForm {
public:
    explicit TfmAbout(TComponent* owner);
    ~TfmAbout() override;

    void FormShow(TObject* sender);
    void btnOKClick(TObject* sender);

    TImage* imBackground = nullptr;
    TLabel* ProductName = nullptr;
    TLabel* Version = nullptr;
    TRzBmpButton* btnOK = nullptr;
};

extern TfmAbout* fmAbout;

}  // namespace dsp
