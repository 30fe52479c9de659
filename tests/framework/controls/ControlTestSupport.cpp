#include "tests/framework/controls/ControlTestSupport.h"

#include <QCoreApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
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
    ++paints;
    if (log_ != nullptr) log_->push_back(Name() + ":paint");
    if (fill == clNone) return;
    Canvas()->Brush()->SetColor(fill);
    Canvas()->FillRect(ClientRect());
}

void TProbeControl::Dispatch(TMessage& message) {
    if (message.Msg == WM_ERASEBKGND) ++erases;
    if (log_ != nullptr) {
        for (unsigned watched : watched) {
            if (watched == message.Msg) log_->push_back(Name() + ":" + std::to_string(message.Msg));
        }
    }
    TCustomControl::Dispatch(message);
}

TProbeGraphic::TProbeGraphic(TComponent* owner, TEventLog* log)
    : TGraphicControl(owner), log_(log) {}

void TProbeGraphic::Paint() {
    ++paints;
    if (log_ != nullptr) log_->push_back(Name() + ":paint");
    Canvas()->Brush()->SetColor(fill);
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

void SendMouse(TWinControl& control, int type, int x, int y, int button, int buttons,
               int modifiers) {
    QWidget* widget = HostWidget(control);
    if (widget == nullptr) return;
    const QPointF local(x, y);
    QMouseEvent event(static_cast<QEvent::Type>(type), local, widget->mapToGlobal(local),
                      static_cast<Qt::MouseButton>(button), Qt::MouseButtons(buttons),
                      Qt::KeyboardModifiers(modifiers));
    QCoreApplication::sendEvent(widget, &event);
}

void Click(TWinControl& control, int x, int y) {
    SendMouse(control, QEvent::MouseButtonPress, x, y, Qt::LeftButton, Qt::LeftButton);
    SendMouse(control, QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton);
}

void SendWheel(TWinControl& control, int x, int y, int delta, int modifiers) {
    QWidget* widget = HostWidget(control);
    if (widget == nullptr) return;
    const QPointF local(x, y);
    QWheelEvent event(local, widget->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::KeyboardModifiers(modifiers), Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &event);
}

void SendKeyPress(TWinControl& anyShown, int qtKey, const std::string& text, int modifiers) {
    QWidget* widget = HostWidget(anyShown);
    if (widget == nullptr) return;
    QKeyEvent event(QEvent::KeyPress, qtKey, Qt::KeyboardModifiers(modifiers),
                    QString::fromStdString(text));
    QCoreApplication::sendEvent(widget, &event);
}

void SendKeyRelease(TWinControl& anyShown, int qtKey, int modifiers) {
    QWidget* widget = HostWidget(anyShown);
    if (widget == nullptr) return;
    QKeyEvent event(QEvent::KeyRelease, qtKey, Qt::KeyboardModifiers(modifiers));
    QCoreApplication::sendEvent(widget, &event);
}

void SendKey(TWinControl& anyShown, int qtKey, const std::string& text, int modifiers) {
    SendKeyPress(anyShown, qtKey, text, modifiers);
    SendKeyRelease(anyShown, qtKey, modifiers);
}

void Type(TWinControl& anyShown, const std::string& text) {
    for (const QChar ch : QString::fromStdString(text)) {
        const int key = ch.isLetter()  ? Qt::Key_A + (ch.toUpper().unicode() - 'A')
                        : ch.isDigit() ? Qt::Key_0 + (ch.unicode() - '0')
                                       : Qt::Key_unknown;
        SendKey(anyShown, key, QString(ch).toStdString());
    }
}

void CommitComposedText(TWinControl& focused, const std::string& text) {
    QWidget* widget = HostWidget(focused);
    if (widget == nullptr) return;
    QInputMethodEvent event;
    event.setCommitString(QString::fromStdString(text));
    QCoreApplication::sendEvent(widget, &event);
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
