// The channel-strip conventions: the link group of a channel, the linked display of a gain,
// delay, polarity or mute value on every strip of a group, and the stage labels of the routing
// page, which open the page of their stage.

#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/desktop/Cursors.h"
#include "mainwindow/FMain.h"
#include "mainwindow/StripTexts.h"
#include "model/Lunitcontrol.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {

namespace {

// Sets the applying flag while the linked faders move (their change events then return at
// once) and clears it on every way out.
class TLinkedScope {
public:
    explicit TLinkedScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TLinkedScope() { flag_ = false; }
    TLinkedScope(const TLinkedScope&) = delete;
    TLinkedScope& operator=(const TLinkedScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

std::uint16_t TfmMain::GetLinkGroupMask(int channel) const {
    return FUnitControl->GetLinkGroupMask(channel);
}

// Each linked display walks the channel's side in index order and sets the strips whose bit the
// group holds; a strip whose control is missing ends the walk.
void TfmMain::ShowLinkedGain(int channel, int position) {
    TLinkedScope applying(FApplyingImage);
    const std::string text = GainText(position);
    const std::uint16_t group = GetLinkGroupMask(channel);
    try {
        for (int c = SideBegin(channel); c < SideEnd(channel); ++c) {
            if (((group >> SideBit(c)) & 1u) == 0) continue;
            Need<TCurvyEdit>("cvdGain", c).SetText(text);
            Need<TCurvyEdit>("cvdGainBackup", c).SetText(text);
            Need<TAdvTrackBar>("isGain", c).SetPosition(position);
            Need<TAdvTrackBar>("isGainBackup", c).SetPosition(position);
        }
    } catch (const TNameMissing&) {}
}

void TfmMain::ShowLinkedDelay(int channel, int position, int markerLeft) {
    TLinkedScope applying(FApplyingImage);
    const std::string text = DelayText(position, FUnitControl->GetDelayUnit());
    const std::uint16_t group = GetLinkGroupMask(channel);
    try {
        for (int c = SideBegin(channel); c < SideEnd(channel); ++c) {
            if (((group >> SideBit(c)) & 1u) == 0) continue;
            TImage& marker = Need<TImage>("imDelay", c);
            marker.SetLeft(markerLeft);
            TLabel& time = Need<TLabel>("lbFftDelayTime", c);
            time.SetLeft(markerLeft + marker.Width());
            time.SetTop(marker.Top() + marker.Height() / 4);
            Need<TLabel>("lbDelayLine", c).SetCaption(DelayLineText(markerLeft));
            Need<TCurvyEdit>("cvdDelay", c).SetText(text);
            time.SetCaption(text);
            Need<TAdvTrackBar>("isDelay", c).SetPosition(position);
        }
    } catch (const TNameMissing&) {}
}

void TfmMain::ShowLinkedPolarity(int channel, bool inverted) {
    const std::string caption = GetText(inverted ? "SID_PHASE_ON" : "SID_PHASE_OFF");
    const std::uint16_t group = GetLinkGroupMask(channel);
    try {
        for (int c = SideBegin(channel); c < SideEnd(channel); ++c) {
            if (((group >> SideBit(c)) & 1u) == 0) continue;
            for (const char* stem : {"rzbPhase", "rzbPhaseBackup"}) {
                TRzBmpButton& button = Need<TRzBmpButton>(stem, c);
                button.SetDown(inverted);
                button.SetCaption(caption);
            }
        }
    } catch (const TNameMissing&) {}
}

void TfmMain::ShowLinkedMute(int channel, bool muted) {
    const std::uint16_t group = GetLinkGroupMask(channel);
    try {
        for (int c = SideBegin(channel); c < SideEnd(channel); ++c) {
            if (((group >> SideBit(c)) & 1u) == 0) continue;
            Need<TRzBmpButton>("rzbMute", c).SetDown(muted);
            Need<TRzBmpButton>("rzbMuteBackup", c).SetDown(muted);
        }
    } catch (const TNameMissing&) {}
}

void TfmMain::OpenPageFromMatrix(const std::string& pageButton) {
    auto* button = Control<TRzBmpButton>(pageButton);
    auto* matrix = Control<TRzBmpButton>("rzbMenuMatrix");
    if (button == nullptr || matrix == nullptr) return;
    button->Click();
    button->SetDown(true);
    matrix->SetDown(false);
}

void TfmMain::lbMatrixHpLpInAClick(TObject* sender) {
    auto* label = dynamic_cast<TLabel*>(sender);
    if (label == nullptr) return;
    OpenPageFromMatrix(StripName("rzbMenu", static_cast<int>(label->Tag())));
}

void TfmMain::lbMatrixDelayInAClick(TObject*) { OpenPageFromMatrix("rzbMenuDelay"); }

void TfmMain::lbMatrixCompOut1Click(TObject*) { OpenPageFromMatrix("rzbMenuComp"); }

void TfmMain::lbMatrixChNameInAMouseMove(TObject* sender, TShiftState, int, int) {
    if (auto* label = dynamic_cast<TLabel*>(sender)) label->SetCursor(crHandPoint);
}

void TfmMain::lbMatrixChNameInAMouseLeave(TObject* sender) {
    if (auto* label = dynamic_cast<TLabel*>(sender)) label->SetCursor(crDefault);
}

}  // namespace dsp
