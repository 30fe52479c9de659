// The routing matrix: the routing buttons of each output and the lines from the inputs to the
// outputs they feed, drawn in the inputs' colours on the Matrix page's graph panel.

#include "framework/controls/PaintBox.h"
#include "framework/graphics/Canvas.h"
#include "mainwindow/FMain.h"
#include "mainwindow/SharedConstants.h"
#include "model/Lunitcontrol.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

namespace {

// Where the lines meet the drawing's sides at the design height, from its top.
constexpr int kInputAnchors[kInputCount] = {31, 103, 175};
constexpr int kOutputAnchors[kOutputCount] = {0, 41, 83, 124, 166, 206};

}  // namespace

void TfmMain::RoutingClicked(TObject* sender, int channel) {
    auto* button = dynamic_cast<TRzBmpButton*>(sender);
    if (button == nullptr) return;
    const int input = static_cast<int>(button->Tag());
    std::uint16_t mask = FUnitControl->GetRoutingMask(channel);
    const auto bit = static_cast<std::uint16_t>(1u << input);
    mask = button->Down() ? static_cast<std::uint16_t>(mask | bit)
                          : static_cast<std::uint16_t>(mask & ~bit);
    FUnitControl->SetRouting(channel, mask);
    DrawRoutingLines();
    if (auto* box = Control<TPaintBox>("pbMatrix")) box->Repaint();
}

void TfmMain::rzbAMatrixOut1Click(TObject* sender) { RoutingClicked(sender, 3); }
void TfmMain::rzbAMatrixOut2Click(TObject* sender) { RoutingClicked(sender, 4); }
void TfmMain::rzbAMatrixOut3Click(TObject* sender) { RoutingClicked(sender, 5); }
void TfmMain::rzbAMatrixOut4Click(TObject* sender) { RoutingClicked(sender, 6); }
void TfmMain::rzbAMatrixOut5Click(TObject* sender) { RoutingClicked(sender, 7); }
void TfmMain::rzbAMatrixOut6Click(TObject* sender) { RoutingClicked(sender, 8); }

void TfmMain::DrawRoutingLines() {
    auto* box = Control<TPaintBox>("pbMatrix");
    if (box == nullptr) return;
    TCanvas& canvas = *box->Canvas();
    const int extra = FExtraHeight;
    canvas.Pen()->SetWidth(2);
    for (int input = 0; input < kInputCount; ++input) {
        canvas.Pen()->SetColor(
            static_cast<TColor>(ChannelColours[static_cast<std::size_t>(input)]));
        for (int j = 0; j < kOutputCount; ++j) {
            if (((FUnitControl->GetRoutingMask(j + kInputCount) >> input) & 1u) == 0) continue;
            canvas.MoveTo(0, input * (extra / 3) + kInputAnchors[input]);
            canvas.LineTo(box->Width(), (extra / 7) * (j + 1) + kOutputAnchors[j]);
        }
    }
}

void TfmMain::rzgFftMatrixPaint(TObject*) { DrawRoutingLines(); }

// The hidden block-diagram menu item does nothing.
void TfmMain::BlockDiagramClick(TObject*) {}

}  // namespace dsp
