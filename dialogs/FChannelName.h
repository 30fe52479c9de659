#pragma once
// TfmChannelName: edits one channel's name (up to eight bytes). The routing page's name label
// sets the channel and the current name, then shows the dialog modally; OK stores the name
// through the main window, which shows it and sends it.

#include <string>

#include "framework/controls/ControlTypes.h"
#include "framework/controls/Form.h"

namespace dsp {

class TEdit;
class TImage;
class TLabel;
class TPanel;
class TRzBmpButton;

class TfmChannelName : public TForm {
public:
    explicit TfmChannelName(TComponent* owner);
    ~TfmChannelName() override;

    // The channel (0 to 8) being edited: "InA :" .. "Out6 :" beside the box.
    void SetChannel(int channel);
    // The current name as its label shows it. A text of more than nine characters is cut after
    // the ninth, and when that one is a blank or a carriage return, it goes with the blanks and
    // carriage returns right before it.
    void SetNameText(const std::string& name);

    void FormShow(TObject* sender);
    void FormActivate(TObject* sender);
    void edNameKeyDown(TObject* sender, TKeyCode& key, TShiftState shift);
    void btnOKClick(TObject* sender);
    void bnCancelClick(TObject* sender);

    int FChannel = 0;

    TImage* imBackground = nullptr;
    TLabel* lbChannelName = nullptr;
    TPanel* plName = nullptr;
    TLabel* lbChannel = nullptr;
    TEdit* edName = nullptr;
    TRzBmpButton* btnOK = nullptr;
    TRzBmpButton* bnCancel = nullptr;
};

extern TfmChannelName* fmChannelName;

}  // namespace dsp
