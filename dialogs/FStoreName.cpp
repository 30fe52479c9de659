#include "dialogs/FStoreName.h"

#include <algorithm>

#include "dialogs/FRecallPreset.h"
#include "dialogs/FStorePreset.h"
#include "dialogs/OperationsWindow.h"
#include "framework/controls/Edit.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/Label.h"
#include "framework/text/Gbk.h"
#include "link/forms/DialogKit.h"
#include "model/UnitImage.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

TfmStoreName* fmStoreName = nullptr;

namespace {

constexpr int kWidth = 330;
constexpr int kHeight = 140;
constexpr TKeyCode kEnter = 13;

}  // namespace

TfmStoreName::TfmStoreName(TComponent* owner) : TForm(owner) {
    TFormBuilder build(*this);
    SetName("fmStoreName");
    dialogkit::SetUpForm(*this, kWidth, kHeight);
    SetCaption("Name");
    imBackground = dialogkit::AddBackground(build, *this, "imBackground", "PRESET_NAME_BACKGROUND");
    lblPresetName = dialogkit::AddLabel(build, "lblPresetName", this, 24, 18, 200, 18, 12, false);
    lblPresetName->SetCaption("Name");
    lTitle = dialogkit::AddLabel(build, "lTitle", this, 24, 44, 72, 28, 15, true);
    lTitle->SetLayout(tlCenter);
    lTitle->SetCaption("U01 : ");
    edName = build.Add<TEdit>("edName", this, 96, 44, 208, 28);
    edName->SetMaxLength(kPresetNameLength);
    edName->SetImeMode(imClose);
    dialogkit::SetFont(*edName, 16, true, clBlack);
    edName->SetText("Default Preset");
    btnOK = dialogkit::AddButton(build, "btnOK", this, 62, 100, "OK");
    bnCancel = dialogkit::AddButton(build, "bnCancel", this, 172, 100, "Cancel");

    build.Handle(OnShow, this, &TfmStoreName::FormShow);
    build.Handle(OnActivate, this, &TfmStoreName::FormActivate);
    build.Handle(btnOK->OnClick, this, &TfmStoreName::btnOKClick);
    build.Handle(bnCancel->OnClick, this, &TfmStoreName::bnCancelClick);
    build.Handle(edName->OnKeyDown, this, &TfmStoreName::edNameKeyDown);
    build.Finish();
}

TfmStoreName::~TfmStoreName() {
    if (fmStoreName == this) fmStoreName = nullptr;
}

void TfmStoreName::ShowPresetName(const std::string& name) {
    std::string text = name;
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) text.pop_back();
    edName->SetText(text);
}

void TfmStoreName::SetTitle(const std::string& title) { lTitle->SetCaption(title); }

void TfmStoreName::FormShow(TObject*) {
    IOperationsWindow* main = OperationsWindow();
    if (main == nullptr) return;
    const std::string caption = main->GetText("SID_PST_NAME");
    SetCaption(caption);
    lblPresetName->SetCaption(caption);
    btnOK->SetCaption(main->GetText("SID_EXIT_OK"));
    bnCancel->SetCaption(main->GetText("SID_EXIT_CANCEL"));
}

void TfmStoreName::FormActivate(TObject*) {
    const bool store = FStoreMode != 0;
    edName->SetEnabled(store);
    if (!store) return;
    SetActiveControl(edName);
    edName->SelectAll();
}

void TfmStoreName::btnOKClick(TObject*) {
    // The processor's name field: the code-page text cut to 14 bytes (never inside a two-byte
    // character) and padded with blanks.
    std::string field = Utf8ToGbkField(edName->Text(), kPresetNameLength);
    field.resize(kPresetNameLength, ' ');
    PresetNameBytes name{};
    std::copy(field.begin(), field.end(), name.begin());
    const std::string shown = GbkToUtf8(field);
    edName->SetText(shown);

    IOperationsWindow* main = OperationsWindow();
    const bool online = main != nullptr && main->IsOnline();
    TPresetGridForm* grid = FStoreMode != 0 ? static_cast<TPresetGridForm*>(fmStorePreset)
                                            : static_cast<TPresetGridForm*>(fmRecallPreset);
    // Online the operation shows its progress window modally from here: the grid must not
    // stay on screen under it.
    if (online && grid != nullptr) grid->Hide();
    Close();
    if (grid != nullptr) grid->Close();
    if (FStoreMode != 0) {
        const int slot = FSlot;
        if (main != nullptr) main->StorePreset(slot, name);
        if (fmRecallPreset != nullptr) fmRecallPreset->SetPresetName(slot + 1, shown);
        if (fmStorePreset != nullptr) fmStorePreset->SetPresetName(slot, shown);
    } else if (main != nullptr) {
        main->RecallPreset(FSlot);
    }
}

void TfmStoreName::bnCancelClick(TObject*) { Close(); }

void TfmStoreName::edNameKeyDown(TObject*, TKeyCode& key, TShiftState) {
    if (key != kEnter) return;
    key = 0;
    btnOKClick(btnOK);
}

}  // namespace dsp
