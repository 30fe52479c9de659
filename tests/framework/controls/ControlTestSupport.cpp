#include "tests/framework/controls/ControlTestSupport.h"

#include <QImage>
#include <QWidget>

#include "framework/controls/WindowHost.h"
#include "framework/graphics/FontSet.h"

namespace dsp::test {

namespace {
// Text in rendered forms uses the project's fonts; the font set must be pinned before the
// host toolkit starts, which the test main does after static initialisation.
[[maybe_unused]] const bool kFontsPinned = PinFontSet();
}  // namespace

TProbeControl::TProbeControl(TComponent* owner, TEventLog* log)
    : TCustomControl(owner), log_(log) {}

void TProbeControl::Paint() {
    ++Paints;
    if (log_ != nullptr) log_->push_back(Name() + ":paint");
    if (Fill == clNone) return;
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(ClientRect());
}

void TProbeControl::Dispatch(TMessage& message) {
    if (message.Msg == WM_ERASEBKGND) ++Erases;
    if (log_ != nullptr) {
        for (unsigned watched : Watched) {
            if (watched == message.Msg) log_->push_back(Name() + ":" + std::to_string(message.Msg));
        }
    }
    TCustomControl::Dispatch(message);
}

TProbeGraphic::TProbeGraphic(TComponent* owner, TEventLog* log)
    : TGraphicControl(owner), log_(log) {}

void TProbeGraphic::Paint() {
    ++Paints;
    if (log_ != nullptr) log_->push_back(Name() + ":paint");
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(ClientRect());
}

std::unique_ptr<TForm> MakeForm(int clientWidth, int clientHeight, TColor color) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetClientSize(clientWidth, clientHeight);
    form->SetColor(color);
    form->AfterConstruction();
    return form;
}

void PaintPending(TWinControl& control) {
    control.Update();
    for (TWinControl* child : control.WinControls()) PaintPending(*child);
}

void ShowAndPaint(TCustomForm& form) {
    form.Show();
    PaintPending(form);
}

TColorRef PixelOf(const TBitmap& bitmap, int x, int y) { return bitmap.PixelAt(x, y); }

TColorRef ShownPixel(TWinControl& control, int x, int y) {
    QWidget* widget = HostWidget(control);
    if (widget == nullptr) return 0xFFFFFFFF;
    const QImage image = widget->grab(QRect(x, y, 1, 1)).toImage();
    const QRgb p = image.pixel(0, 0);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

}  // namespace dsp::test
