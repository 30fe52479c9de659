#pragma once
// TfmStoreName: the preset-name dialog, opened modeless over the store or recall grid for the
// preset chosen there. In store mode the name can be edited and OK stores the current settings
// under it; in recall mode the name is shown read-only and OK recalls the preset. Cancel closes
// this dialog only.

#include <string>

#include "framework/controls/ControlTypes.h"
#include "framework/controls/Form.h"

namespace dsp {

class TEdit;
class TImage;
class TLabel;
class TRzBmpButton;

class TfmStoreName : public TForm {
public:
    explicit TfmStoreName(TComponent* owner);
    ~TfmStoreName() override;

    // Puts a name into edName with its trailing blanks and carriage returns removed; every
    // other character is kept as it is.
    void ShowPresetName(const std::string& name);
    // The preset code and " : " ("U05 : ").
    void SetTitle(const std::string& title);

    // Handlers.
    void FormShow(TObject* sender);
    void FormActivate(TObject* sender);
    void btnOKClick(TObject* sender);
    void bnCancelClick(TObject* sender);
    void edNameKeyDown(TObject* sender, TKeyCode& key, TShiftState shift);

    // The preset chosen: store 0 to 29 (U01 to U30), recall 0 (F00) to 30 (U30).
    int FSlot = 0;
    // 1 store, 0 recall.
    int FStoreMode = 1;

    TImage* imBackground = nullptr;
    TLabel* lblPresetName = nullptr;
    TLabel* lTitle = nullptr;
    TEdit* edName = nullptr;
    TRzBmpButton* btnOK = nullptr;
    TRzBmpButton* bnCancel = nullptr;
};

extern TfmStoreName* fmStoreName;

}  // namespace dsp
