#include "dialogs/FCopy.h"

#include "dialogs/ChannelWindow.h"
#include "dialogs/DialogLook.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Label.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

TfmCopy* fmCopy = nullptr;

namespace {

constexpr int kWidth = 345;
constexpr int kHeight = 257;
constexpr int kOutputOffset = 3;  // an output's channel is its index within its side + 3

struct TCopyRow {
    TGroupBox* group;
    TComboBox* source;
    TLabel* arrow;
    TComboBox* target;
    TRzBmpButton* copy;
};

TComboBox* ChannelBox(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                      std::initializer_list<const char*> channels, int selected) {
    auto* box = build.Add<TComboBox>(name, parent, left, 38, 84, 21);
    // Pick-only: a typed text would name no channel, or one of the other side.
    box->SetStyle(csDropDownList);
    box->SetParentFont(false);
    box->Font()->SetName(dialoglook::kFontName);
    box->Font()->SetHeight(-12);
    box->Font()->SetStyle({});
    box->Font()->SetColor(clBlack);
    for (const char* channel : channels) box->Items()->Add(channel);
    box->SetItemIndex(selected);
    return box;
}

TCopyRow MakeRow(TFormBuilder& build, TForm& form, int top, const char* suffix, int number,
                 const char* caption, std::initializer_list<const char*> channels, int tag) {
    using namespace dialoglook;
    TCopyRow row{};
    row.group = build.Add<TGroupBox>(std::string("GroupBox") + std::to_string(number), &form, 14,
                                     top, kWidth - 28, 82);
    row.group->SetCaption(caption);
    row.group->SetParentBackground(true);
    row.group->SetParentFont(false);
    row.group->Font()->SetName(kFontName);
    row.group->Font()->SetHeight(-12);
    row.group->Font()->SetStyle({fsBold});
    row.group->Font()->SetColor(kHeading);
    row.source =
        ChannelBox(build, std::string("cb") + suffix + "Source", row.group, 14, channels, 0);
    row.arrow = AddText(build, "Label" + std::to_string(number), row.group, 100, 38, 26, 21, "=>",
                        12, true, taCenter);
    row.target =
        ChannelBox(build, std::string("cb") + suffix + "Destination", row.group, 128, channels, 1);
    row.copy = AddButton(build, std::string("bn") + suffix + "ChCopy", row.group, 224, 35, "Copy");
    row.copy->SetTag(tag);
    return row;
}

}  // namespace

TfmCopy::TfmCopy(TComponent* owner) : TForm(owner) {
    using namespace dialoglook;
    TFormBuilder build(*this);
    SetName("fmCopy");
    SetUpDialog(*this, kWidth, kHeight);
    SetCaption("Channel Copy");
    imBackground = AddBackground(build, *this, "DIALOG_PLATE");
    const TCopyRow in = MakeRow(build, *this, 12, "In", 1, " In ", {"InA", "InB", "InC"}, 0);
    const TCopyRow out = MakeRow(build, *this, 106, "Out", 2, " Out ",
                                 {"Out1", "Out2", "Out3", "Out4", "Out5", "Out6"}, 1);
    GroupBox1 = in.group;
    cbInSource = in.source;
    Label1 = in.arrow;
    cbInDestination = in.target;
    bnInChCopy = in.copy;
    GroupBox2 = out.group;
    cbOutSource = out.source;
    Label2 = out.arrow;
    cbOutDestination = out.target;
    bnOutChCopy = out.copy;
    bnExit = AddButton(build, "bnExit", this, kWidth - 94, kHeight - 42, "Exit");
    build.Handle(OnShow, this, &TfmCopy::FormShow);
    build.Handle(bnInChCopy->OnClick, this, &TfmCopy::bnInChCopyClick);
    build.Handle(bnOutChCopy->OnClick, this, &TfmCopy::bnInChCopyClick);
    build.Handle(bnExit->OnClick, this, &TfmCopy::bnExitClick);
    build.Finish();
}

TfmCopy::~TfmCopy() {
    if (fmCopy == this) fmCopy = nullptr;
}

void TfmCopy::FormShow(TObject*) {
    IChannelWindow* main = ChannelWindow();
    if (main == nullptr) return;
    SetCaption(main->GetText("SID_COPY_TITLE"));
    bnInChCopy->SetCaption(main->GetText("SID_COPY"));
    bnOutChCopy->SetCaption(main->GetText("SID_COPY"));
    bnExit->SetCaption(main->GetText("SID_EXIT"));
}

void TfmCopy::bnInChCopyClick(TObject* sender) {
    auto* button = dynamic_cast<TRzBmpButton*>(sender);
    IChannelWindow* main = ChannelWindow();
    if (button == nullptr || main == nullptr) return;
    const bool outputs = button->Tag() == 1;
    const int offset = outputs ? kOutputOffset : 0;
    const int from = (outputs ? cbOutSource : cbInSource)->ItemIndex();
    const int to = (outputs ? cbOutDestination : cbInDestination)->ItemIndex();
    if (from < 0 || to < 0) return;
    main->CopyChannel(from + offset, to + offset, 1);
}

void TfmCopy::bnExitClick(TObject*) { Close(); }

}  // namespace dsp
