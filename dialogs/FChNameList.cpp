#include "dialogs/FChNameList.h"

#include "dialogs/ChannelNames.h"
#include "dialogs/ChannelWindow.h"
#include "dialogs/DialogLook.h"
#include "framework/controls/Edit.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Label.h"
#include "framework/text/Gbk.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

TfmChNameList* fmChNameList = nullptr;

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 287;
constexpr int kColumns = 3;
constexpr int kColumnWidth = 106;
constexpr int kRowHeight = 40;

// "InA" .. "InC", "Out1" .. "Out6".
std::string SideName(int channel) {
    if (channel < InputCount) return std::string("In") + static_cast<char>('A' + channel);
    return "Out" + std::to_string(channel - InputCount + 1);
}

TGroupBox* NameGroup(TFormBuilder& build, TForm& form, const std::string& name, int top, int rows,
                     const char* caption) {
    auto* group = build.Add<TGroupBox>(name, &form, 14, top, kWidth - 28, 28 + rows * kRowHeight);
    group->SetCaption(caption);
    group->SetParentBackground(true);
    group->SetParentFont(false);
    group->Font()->SetName(dialoglook::kFontName);
    group->Font()->SetHeight(-12);
    group->Font()->SetStyle({fsBold});
    group->Font()->SetColor(dialoglook::kHeading);
    return group;
}

}  // namespace

TfmChNameList::TfmChNameList(TComponent* owner) : TForm(owner) {
    using namespace dialoglook;
    TFormBuilder build(*this);
    SetName("fmChNameList");
    SetUpDialog(*this, kWidth, kHeight);
    SetCaption("Channel Name");
    imBackground = AddBackground(build, *this, "DIALOG_PLATE");
    gbInChNameList = NameGroup(build, *this, "gbInChNameList", 12, 1, " In ");
    gbOutChNameList = NameGroup(build, *this, "gbOutChNameList", 92, 2, " Out ");
    for (int ch = 0; ch < ChannelCount; ++ch) {
        const bool input = ch < InputCount;
        const int index = input ? ch : ch - InputCount;
        TGroupBox* group = input ? gbInChNameList : gbOutChNameList;
        const int left = 8 + (index % kColumns) * kColumnWidth;
        const int top = 24 + (index / kColumns) * kRowHeight;
        const std::string side = SideName(ch);
        AddText(build, "lbChNameList" + side, group, left, top, 36, 24, side, 12, false);
        auto* box = build.Add<TEdit>("edMatrixChName" + side, group, left + 36, top, 60, 24);
        box->SetMaxLength(8);
        box->SetParentFont(false);
        box->Font()->SetName(kFontName);
        box->Font()->SetHeight(-12);
        box->Font()->SetStyle({});
        box->Font()->SetColor(clBlack);
    }
    btnOK = AddButton(build, "btnOK", this, kWidth - 188, kHeight - 42, "Set");
    btnCancel = AddButton(build, "btnCancel", this, kWidth - 94, kHeight - 42, "Exit");
    build.Handle(OnShow, this, &TfmChNameList::FormShow);
    build.Handle(btnOK->OnClick, this, &TfmChNameList::btnOKClick);
    build.Handle(btnCancel->OnClick, this, &TfmChNameList::btnCancelClick);
    build.Finish();
}

TfmChNameList::~TfmChNameList() {
    if (fmChNameList == this) fmChNameList = nullptr;
}

TEdit* TfmChNameList::NameBox(int channel) const {
    return dynamic_cast<TEdit*>(FindComponent("edMatrixChName" + SideName(channel)));
}

void TfmChNameList::FormShow(TObject*) {
    IChannelWindow* main = ChannelWindow();
    if (main == nullptr) return;
    for (int ch = 0; ch < ChannelCount; ++ch) {
        TEdit* box = NameBox(ch);
        if (box == nullptr) break;
        box->SetText(ChannelNameText(main->GetChannelName(ch)));
    }
    SetCaption(main->GetText("SID_CH_NAME_LIST"));
    btnOK->SetCaption(main->GetText("SID_SET"));
    btnCancel->SetCaption(main->GetText("SID_EXIT"));
}

void TfmChNameList::btnOKClick(TObject*) {
    IChannelWindow* main = ChannelWindow();
    if (main == nullptr) return;
    for (int ch = 0; ch < ChannelCount; ++ch) {
        TEdit* box = NameBox(ch);
        if (box == nullptr) break;
        // Compared as the processor would store it: a text longer than eight bytes whose first
        // eight are the stored name is no change.
        const ChannelNameBytes name = ChannelNameFromText(box->Text());
        if (ChannelNameGbk(name) == ChannelNameGbk(main->GetChannelName(ch))) continue;
        box->SetText(ChannelNameText(name));
        main->SetChannelName(ch, name);
    }
    Close();
}

void TfmChNameList::btnCancelClick(TObject*) { Close(); }

}  // namespace dsp
