#include "dialogs/FChannelName.h"

#include "dialogs/ChannelNames.h"
#include "dialogs/ChannelWindow.h"
#include "dialogs/DialogLook.h"
#include "framework/controls/Edit.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/text/Gbk.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

TfmChannelName* fmChannelName = nullptr;

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 148;
constexpr std::size_t kShownCharacters = 9;

std::string ChannelLabel(int channel) {
    if (channel < InputCount) return std::string("In") + static_cast<char>('A' + channel) + " :";
    return "Out" + std::to_string(channel - InputCount + 1) + " :";
}

}  // namespace

TfmChannelName::TfmChannelName(TComponent* owner) : TForm(owner) {
    using namespace dialoglook;
    TFormBuilder build(*this);
    SetName("fmChannelName");
    SetUpDialog(*this, kWidth, kHeight);
    SetBorderIcons({});
    SetCaption("Channel Name");
    imBackground = AddBackground(build, *this, "DIALOG_PLATE");
    lbChannelName = AddText(build, "lbChannelName", this, 14, 10, kWidth - 28, 20, "Channel Name",
                            13, true, taLeftJustify, kHeading);
    plName = AddField(build, "plName", this, 14, 36, kWidth - 28, 52);
    lbChannel = AddText(build, "lbChannel", plName, 10, 14, 58, 22, "InA :", 12, true);
    edName = build.Add<TEdit>("edName", plName, 72, 14, 126, 22);
    edName->SetMaxLength(8);
    edName->SetParentFont(false);
    edName->Font()->SetName(kFontName);
    edName->Font()->SetHeight(-13);
    edName->Font()->SetColor(clBlack);
    btnOK = AddButton(build, "btnOK", this, 28, kHeight - 42, "OK");
    bnCancel = AddButton(build, "bnCancel", this, kWidth - 108, kHeight - 42, "Cancel");
    build.Handle(OnShow, this, &TfmChannelName::FormShow);
    build.Handle(OnActivate, this, &TfmChannelName::FormActivate);
    build.Handle(edName->OnKeyDown, this, &TfmChannelName::edNameKeyDown);
    build.Handle(btnOK->OnClick, this, &TfmChannelName::btnOKClick);
    build.Handle(bnCancel->OnClick, this, &TfmChannelName::bnCancelClick);
    build.Finish();
}

TfmChannelName::~TfmChannelName() {
    if (fmChannelName == this) fmChannelName = nullptr;
}

void TfmChannelName::SetChannel(int channel) {
    FChannel = channel;
    lbChannel->SetCaption(ChannelLabel(channel));
}

void TfmChannelName::SetNameText(const std::string& name) {
    std::string gbk = Utf8ToGbk(name);
    if (gbk.size() > kShownCharacters) {
        gbk = GbkCut(gbk, kShownCharacters);
        if (gbk.size() == kShownCharacters) {
            const std::size_t kept = gbk.find_last_not_of(" \r");
            if (kept + 1 < gbk.size()) gbk.erase(kept == std::string::npos ? 0 : kept + 1);
        }
    }
    edName->SetText(GbkToUtf8(gbk));
}

void TfmChannelName::FormShow(TObject*) {
    IChannelWindow* main = ChannelWindow();
    if (main == nullptr) return;
    const std::string title = main->GetText("SID_CH_NAME");
    SetCaption(title);
    lbChannelName->SetCaption(title);
    btnOK->SetCaption(main->GetText("SID_EXIT_OK"));
    bnCancel->SetCaption(main->GetText("SID_EXIT_CANCEL"));
}

void TfmChannelName::FormActivate(TObject*) {
    edName->SetEnabled(true);
    SetActiveControl(edName);
    edName->SelectAll();
}

void TfmChannelName::edNameKeyDown(TObject*, TKeyCode& key, TShiftState) {
    if (key != VK_RETURN) return;
    key = 0;
    btnOK->Click();
}

void TfmChannelName::btnOKClick(TObject*) {
    const ChannelNameBytes name = ChannelNameFromText(edName->Text());
    edName->SetText(ChannelNameText(name));
    Close();
    if (IChannelWindow* main = ChannelWindow()) main->SetChannelName(FChannel, name);
}

void TfmChannelName::bnCancelClick(TObject*) { Close(); }

}  // namespace dsp
