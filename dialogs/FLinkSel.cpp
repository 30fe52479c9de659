#include "dialogs/FLinkSel.h"

#include <functional>

#include "dialogs/ChannelWindow.h"
#include "dialogs/DialogLook.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/Label.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzPanel.h"

namespace dsp {

TfmLinkSel* fmLinkSel = nullptr;

namespace {

constexpr int kWidth = 742;
constexpr int kHeight = 297;
constexpr int kCellWidth = 68;
constexpr int kRowHeight = 32;
constexpr int kHeaderHeight = 26;
constexpr int kSideGap = 18;
constexpr int kSideTop = 12;
constexpr int kSideHeight = kHeaderHeight + OutputCount * kRowHeight + 8;

bool IsInputChannel(int ch) { return ch < InputCount; }
int SideFirst(int ch) { return IsInputChannel(ch) ? 0 : InputCount; }
int SideLast(int ch) { return IsInputChannel(ch) ? InputCount - 1 : ChannelCount - 1; }
// The channel's index within its side, which is its bit in the side's masks.
int SideIndex(int ch) { return ch - SideFirst(ch); }
char SideChar(int ch) {
    return IsInputChannel(ch) ? static_cast<char>('A' + ch) : static_cast<char>('1' + ch - 3);
}
std::string SideWord(int ch) { return IsInputChannel(ch) ? "In" : "Out"; }
std::string ChannelCaption(int ch) { return SideWord(ch) + SideChar(ch); }

// Stands for "the operation ends here" when a grid button cannot be found.
struct TButtonMissing {};

TRzBmpButton& Need(const TfmLinkSel& form, int row, int column) {
    TRzBmpButton* button = form.GridButton(row, column);
    if (button == nullptr) throw TButtonMissing{};
    return *button;
}

TRzGroupBox* SideBox(TFormBuilder& build, TForm& form, const std::string& name, int left,
                     int columns) {
    auto* box =
        build.Add<TRzGroupBox>(name, &form, left, kSideTop, 16 + columns * kCellWidth, kSideHeight);
    box->SetGroupStyle(gsCustom);
    box->SetCaption("");
    box->SetTransparent(false);
    box->SetColor(dialoglook::kField);
    box->SetBorderOuter(fsLowered);
    return box;
}

}  // namespace

std::string TfmLinkSel::GridButtonName(int row, int column) {
    return std::string("rzb") + SideChar(row) + "Link" + SideWord(row) + SideChar(column);
}

TRzBmpButton* TfmLinkSel::GridButton(int row, int column) const {
    return dynamic_cast<TRzBmpButton*>(FindComponent(GridButtonName(row, column)));
}

TfmLinkSel::TfmLinkSel(TComponent* owner) : TForm(owner) {
    using namespace dialoglook;
    TFormBuilder build(*this);
    SetName("fmLinkSel");
    SetUpDialog(*this, kWidth, kHeight);
    SetCaption("Link Selection");
    imBackground = AddBackground(build, *this, "DIALOG_PLATE");
    const int inWidth = 16 + InputCount * kCellWidth;
    const int outWidth = 16 + OutputCount * kCellWidth;
    const int inLeft = (kWidth - inWidth - kSideGap - outWidth) / 2;
    rzgLinkSelIn = SideBox(build, *this, "rzgLinkSelIn", inLeft, InputCount);
    rzgLinkSelOut =
        SideBox(build, *this, "rzgLinkSelOut", inLeft + inWidth + kSideGap, OutputCount);

    using THandler = void (TfmLinkSel::*)(TObject*);
    const THandler rowHandlers[ChannelCount] = {nullptr,
                                                &TfmLinkSel::rzbBLinkInAClick,
                                                &TfmLinkSel::rzbCLinkInAClick,
                                                nullptr,
                                                &TfmLinkSel::rzb2LinkOut1Click,
                                                &TfmLinkSel::rzb3LinkOut1Click,
                                                &TfmLinkSel::rzb4LinkOut1Click,
                                                &TfmLinkSel::rzb5LinkOut1Click,
                                                &TfmLinkSel::rzb6LinkOut1Click};
    for (int ch = 0; ch < ChannelCount; ++ch) {
        TRzGroupBox* side = IsInputChannel(ch) ? rzgLinkSelIn : rzgLinkSelOut;
        const int index = SideIndex(ch);
        AddText(build, "lbLinkSel" + ChannelCaption(ch), side, 8 + index * kCellWidth, 4,
                kCellWidth, 20, ChannelCaption(ch), 12, true, taCenter, kHeading);
        auto* row = build.Add<TRzGroupBox>("rzgLinkSel" + ChannelCaption(ch), side, 4,
                                           kHeaderHeight + index * kRowHeight,
                                           8 + side->Width() - 16, kRowHeight);
        row->SetGroupStyle(gsCustom);
        row->SetCaption("");
        row->SetTransparent(true);
        row->SetBorderOuter(fsNone);
        for (int column = SideFirst(ch); column <= ch; ++column) {
            TRzBmpButton* button = AddToggle(
                build, GridButtonName(ch, column), row, 8 + SideIndex(column) * kCellWidth, 4,
                kCellWidth - 8, kRowHeight - 8, ChannelCaption(ch), 1, false, SideIndex(column));
            if (column == ch) button->SetDown(true);
            if (rowHandlers[ch] != nullptr) build.Handle(button->OnClick, this, rowHandlers[ch]);
        }
    }
    bnExit = AddButton(build, "bnExit", this, rzgLinkSelOut->Left() + rzgLinkSelOut->Width() - 80,
                       kHeight - 38, "Exit");
    bnSet = AddButton(build, "bnSet", this, bnExit->Left() - 92, kHeight - 38, "Set");
    build.Handle(OnShow, this, &TfmLinkSel::FormShow);
    build.Handle(bnSet->OnClick, this, &TfmLinkSel::bnSetClick);
    build.Handle(bnExit->OnClick, this, &TfmLinkSel::bnExitClick);
    build.Finish();
}

TfmLinkSel::~TfmLinkSel() {
    if (fmLinkSel == this) fmLinkSel = nullptr;
}

void TfmLinkSel::FormShow(TObject*) {
    if (IChannelWindow* main = ChannelWindow()) {
        SetCaption(main->GetText("SID_LINK_TITLE"));
        bnSet->SetCaption(main->GetText("SID_SET"));
        bnExit->SetCaption(main->GetText("SID_EXIT"));
    }
    FSelectionChanged = 0;
}

void TfmLinkSel::rzbBLinkInAClick(TObject* sender) { RowClick(1, sender); }
void TfmLinkSel::rzbCLinkInAClick(TObject* sender) { RowClick(2, sender); }
void TfmLinkSel::rzb2LinkOut1Click(TObject* sender) { RowClick(4, sender); }
void TfmLinkSel::rzb3LinkOut1Click(TObject* sender) { RowClick(5, sender); }
void TfmLinkSel::rzb4LinkOut1Click(TObject* sender) { RowClick(6, sender); }
void TfmLinkSel::rzb5LinkOut1Click(TObject* sender) { RowClick(7, sender); }
void TfmLinkSel::rzb6LinkOut1Click(TObject* sender) { RowClick(8, sender); }

void TfmLinkSel::RowClick(int row, TObject* sender) {
    FSelectionChanged = 1;
    auto* button = dynamic_cast<TRzBmpButton*>(sender);
    if (button == nullptr) return;
    const bool leads = button->Tag() == SideIndex(row);
    try {
        for (int lower = row + 1; lower <= SideLast(row); ++lower) {
            TRzBmpButton& cell = Need(*this, lower, row);
            cell.SetEnabled(leads);
            if (leads || !cell.Down()) continue;
            // That row followed this one, which now follows another: it leads its own group.
            TRzBmpButton& diagonal = Need(*this, lower, lower);
            diagonal.SetDown(true);
            diagonal.Click();
        }
    } catch (const TButtonMissing&) {}
}

std::uint16_t TfmLinkSel::GridMask(int leader) const {
    std::uint16_t mask = 0;
    for (int row = leader; row <= SideLast(leader); ++row) {
        const TRzBmpButton* button = GridButton(row, leader);
        if (button == nullptr) throw TButtonMissing{};
        if (button->Down()) mask |= static_cast<std::uint16_t>(1u << SideIndex(row));
    }
    return mask;
}

void TfmLinkSel::bnSetClick(TObject*) {
    IChannelWindow* main = ChannelWindow();
    if (main != nullptr) {
        bool changed = false;
        try {
            for (int leader = 0; leader < ChannelCount; ++leader) {
                const std::uint16_t stored = main->GetLinkMask(leader);
                const std::uint16_t mask = GridMask(leader);
                // The channels that newly join take the leader's settings before the leader's
                // mask is stored, so that the processor copies first and links after.
                for (int row = leader; row <= SideLast(leader); ++row) {
                    const std::uint16_t bit = static_cast<std::uint16_t>(1u << SideIndex(row));
                    if ((mask & bit) == 0 || (stored & bit) != 0) continue;
                    main->ShowLinkCaption(leader, row);
                    if (row != leader) main->CopyChannel(leader, row, 0);
                    changed = true;
                }
                if (stored != mask) {
                    main->SetLinkMask(leader, mask);
                    changed = true;
                }
            }
        } catch (const TButtonMissing&) {}
        if (changed) {
            main->CommitLinks();
            ShowLeaders();
            main->ShowGainPage();
        }
    }
    Close();
}

void TfmLinkSel::bnExitClick(TObject*) {
    IChannelWindow* main = ChannelWindow();
    if (FSelectionChanged != 0 && main != nullptr) {
        for (int ch = 0; ch < ChannelCount; ++ch) ShowLinkMask(ch, main->GetLinkMask(ch));
    }
    Close();
}

void TfmLinkSel::ShowLinkMask(int channel, std::uint16_t mask) {
    try {
        for (int row = channel; row <= SideLast(channel); ++row) {
            if (((mask >> SideIndex(row)) & 1u) == 0) continue;
            TRzBmpButton& button = Need(*this, row, channel);
            button.SetDown(true);
            button.Click();
        }
    } catch (const TButtonMissing&) {}
}

void TfmLinkSel::ShowLeaders() {
    IChannelWindow* main = ChannelWindow();
    if (main == nullptr) return;
    try {
        for (int ch = 0; ch < ChannelCount; ++ch) {
            const bool leads = Need(*this, ch, ch).Down();
            main->ShowOverlayButtons(ch, leads);
            if (leads) main->ShowLinkCaption(ch, ch);
        }
    } catch (const TButtonMissing&) {}
}

void TfmLinkSel::ShowLinkCaptions() {
    IChannelWindow* main = ChannelWindow();
    if (main == nullptr) return;
    try {
        for (int column = 0; column < ChannelCount; ++column) {
            for (int row = column; row <= SideLast(column); ++row) {
                if (Need(*this, row, column).Down()) main->ShowLinkCaption(column, row);
            }
        }
    } catch (const TButtonMissing&) {}
}

}  // namespace dsp
