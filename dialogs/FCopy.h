#pragma once
// TfmCopy: copies one channel's settings onto another of the same side, one row for the inputs
// and one for the outputs. The boxes only pick among their channels, so a copy always names two
// channels of one side. The dialog stays open after a copy until Exit.

#include "framework/controls/Form.h"

namespace dsp {

class TComboBox;
class TGroupBox;
class TImage;
class TLabel;
class TRzBmpButton;

class TfmCopy : public TForm {
public:
    explicit TfmCopy(TComponent* owner);
    ~TfmCopy() override;

    void FormShow(TObject* sender);
    // Both copy buttons: Tag 0 the input row, 1 the output row.
    void bnInChCopyClick(TObject* sender);
    void bnExitClick(TObject* sender);

    TImage* imBackground = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TComboBox* cbInSource = nullptr;
    TLabel* Label1 = nullptr;
    TComboBox* cbInDestination = nullptr;
    TRzBmpButton* bnInChCopy = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TComboBox* cbOutSource = nullptr;
    TLabel* Label2 = nullptr;
    TComboBox* cbOutDestination = nullptr;
    TRzBmpButton* bnOutChCopy = nullptr;
    TRzBmpButton* bnExit = nullptr;
};

extern TfmCopy* fmCopy;

}  // namespace dsp
