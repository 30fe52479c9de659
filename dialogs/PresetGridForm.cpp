#include "dialogs/PresetGridForm.h"

#include "dialogs/FStoreName.h"
#include "dialogs/OperationsWindow.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/Label.h"
#include "framework/controls/ValueListEditor.h"
#include "framework/text/Format.h"
#include "framework/text/StringList.h"
#include "link/forms/DialogKit.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

namespace {

constexpr int kWidth = 262;
constexpr int kHeight = 380;
constexpr int kUserPresets = 30;
constexpr char kKeyIndent[] = "     ";
constexpr char kValueIndent[] = "  ";
constexpr char kDefaultName[] = "Default Preset";

// The preset code of grid row r (the title row being 0).
std::string PresetCode(bool storeMode, int r) {
    if (storeMode) return Format("U%02d", r);
    return r == 1 ? std::string("F00") : Format("U%02d", r - 1);
}

}  // namespace

TPresetGridForm::TPresetGridForm(TComponent* owner, const std::string& formName, bool storeMode,
                                 const std::string& titleKey)
    : TForm(owner), storeMode_(storeMode), titleKey_(titleKey) {
    TFormBuilder build(*this);
    SetName(formName);
    dialogkit::SetUpForm(*this, kWidth, kHeight);
    imBackground = dialogkit::AddBackground(build, *this, "imBackground", "PRESET_BACKGROUND");
    lPresetSelect =
        dialogkit::AddLabel(build, "lPresetSelect", this, 14, 8, kWidth - 28, 26, 18, true);
    lPresetSelect->SetAlignment(taCenter);
    lPresetSelect->SetLayout(tlCenter);
    lPresetSelect->SetCaption(storeMode ? "Store Preset" : "Recall Preset");

    vledPresetName = build.Add<TValueListEditor>("vledPresetName", this, 18, 58, kWidth - 36, 260);
    vledPresetName->SetTabStop(false);
    vledPresetName->SetDisplayOptions({doColumnTitles, doKeyColFixed});
    vledPresetName->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine,
                                goDrawFocusSelected, goRowSelect, goThumbTracking});
    vledPresetName->SetFixedColor(static_cast<TColor>(RGB(206, 216, 232)));
    vledPresetName->SetColWidths(0, 69);
    vledPresetName->SetColWidths(1, 126);
    dialogkit::SetFont(*vledPresetName, 13, true, clBlack);
    TStringList titles;
    titles.Add("Number");
    titles.Add("Name");
    vledPresetName->SetTitleCaptions(&titles);
    const int rows = storeMode ? kUserPresets : kUserPresets + 1;
    for (int r = 1; r <= rows; ++r) {
        vledPresetName->InsertRow(kKeyIndent + PresetCode(storeMode, r),
                                  std::string(kValueIndent) + kDefaultName, true);
    }

    bnCancel = dialogkit::AddButton(build, "bnCancel", this, (kWidth - 96) / 2, 338, "Cancel");

    build.Handle(OnShow, this, &TPresetGridForm::FormShow);
    build.Handle(OnHide, this, &TPresetGridForm::FormHide);
    build.Handle(vledPresetName->OnSelectCell, this, &TPresetGridForm::vledPresetNameSelectCell);
    build.Handle(bnCancel->OnClick, this, &TPresetGridForm::bnCancelClick);
    build.Finish();
}

TPresetGridForm::~TPresetGridForm() = default;

int TPresetGridForm::PresetRows() const {
    return vledPresetName->RowCount() - vledPresetName->FixedRows();
}

void TPresetGridForm::SetPresetName(int row, const std::string& name) {
    if (row < 0 || row >= PresetRows()) return;
    vledPresetName->SetCells(1, row + vledPresetName->FixedRows(), kValueIndent + name);
}

std::string TPresetGridForm::PresetName(int row) const {
    if (row < 0 || row >= PresetRows()) return {};
    const std::string value = vledPresetName->Cells(1, row + vledPresetName->FixedRows());
    return value.size() >= 2 ? value.substr(2) : std::string();
}

void TPresetGridForm::FormShow(TObject*) {
    IOperationsWindow* main = OperationsWindow();
    if (main == nullptr) return;
    const std::string title = main->GetText(titleKey_);
    SetCaption(title);
    lPresetSelect->SetCaption(title);
    bnCancel->SetCaption(main->GetText("SID_CANCEL"));
    TStringList titles;
    titles.Add(main->GetText("SID_PST_NUM"));
    titles.Add(main->GetText("SID_PST_NAME"));
    vledPresetName->SetTitleCaptions(&titles);
}

void TPresetGridForm::FormHide(TObject*) {
    if (fmStoreName != nullptr && fmStoreName->Visible()) fmStoreName->Close();
}

void TPresetGridForm::vledPresetNameSelectCell(TObject*, int, int row, bool&) {
    if (row < vledPresetName->FixedRows() || fmStoreName == nullptr) return;
    const int r = row - vledPresetName->FixedRows() + 1;
    fmStoreName->ShowPresetName(PresetName(r - 1));
    fmStoreName->FSlot = r - 1;
    fmStoreName->FStoreMode = storeMode_ ? 1 : 0;
    fmStoreName->SetTitle(PresetCode(storeMode_, r) + " : ");
    fmStoreName->Show();
}

void TPresetGridForm::bnCancelClick(TObject*) {
    if (vledPresetName->CanFocus()) SetActiveControl(vledPresetName);
    Close();
}

}  // namespace dsp
