#pragma once
// The form the store and recall dialogs share: a heading, a read-only grid of preset codes and
// names (vledPresetName) and a Cancel button. Choosing a data row opens the preset-name dialog
// for that preset, modeless over this one; closing this dialog closes the name dialog too, so
// that no name dialog is left standing for a grid that is gone.
//
// A grid row shows the key "     U05" (five blanks and the code) and the value "  Bass" (two
// blanks and the 14-character name).

#include <string>

#include "framework/controls/Form.h"

namespace dsp {

class TImage;
class TLabel;
class TRzBmpButton;
class TValueListEditor;

// The texts a name keeps in a grid: 14 characters, blank-padded on the right.
inline constexpr int kPresetNameLength = 14;

class TPresetGridForm : public TForm {
public:
    ~TPresetGridForm() override;

    // Row index 0 is the grid's first data row.
    void SetPresetName(int row, const std::string& name);
    // The name a row shows (without its two leading blanks).
    std::string PresetName(int row) const;
    int PresetRows() const;

    // Handlers.
    void FormShow(TObject* sender);
    void FormHide(TObject* sender);
    void vledPresetNameSelectCell(TObject* sender, int col, int row, bool& canSelect);
    void bnCancelClick(TObject* sender);

    TImage* imBackground = nullptr;
    TLabel* lPresetSelect = nullptr;
    TValueListEditor* vledPresetName = nullptr;
    TRzBmpButton* bnCancel = nullptr;

protected:
    // storeMode: rows U01..U30 opening the name dialog to store; otherwise F00, U01..U30 to
    // recall. titleKey captions the window and the heading.
    TPresetGridForm(TComponent* owner, const std::string& formName, bool storeMode,
                    const std::string& titleKey);

private:
    bool storeMode_;
    std::string titleKey_;
};

}  // namespace dsp
