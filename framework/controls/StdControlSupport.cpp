#include "framework/controls/StdControlSupport.h"

#include <QApplication>
#include <QString>

#include "framework/controls/StdControlTypes.h"
#include "framework/controls/WinControl.h"

namespace dsp {

namespace {

std::function<void()>& BeepHandler() {
    static std::function<void()> handler;
    return handler;
}

}  // namespace

unsigned AlignmentTextFlag(TAlignment alignment) {
    switch (alignment) {
        case taRightJustify: return DT_RIGHT;
        case taCenter: return DT_CENTER;
        default: return DT_LEFT;
    }
}

void MessageBeep() {
    if (BeepHandler()) {
        BeepHandler()();
    } else {
        QApplication::beep();
    }
}

void SetBeepHandler(std::function<void()> handler) { BeepHandler() = std::move(handler); }

void PaintParentBackground(TControl& control, TCanvas& canvas) {
    TWinControl* parent = control.Parent();
    if (parent == nullptr) return;
    const int saved = canvas.SaveDC();
    canvas.OffsetViewportOrg(-control.Left(), -control.Top());
    canvas.IntersectClipRect(0, 0, parent->ClientWidth(), parent->ClientHeight());
    parent->Perform(WM_ERASEBKGND, CanvasParam(&canvas), 0);
    parent->Perform(WM_PRINTCLIENT, CanvasParam(&canvas), PRF_CLIENT);
    canvas.RestoreDC(saved);
}

void SetOpaque(TControl& control, bool opaque) {
    TControlStyle style = control.ControlStyle();
    if (opaque) {
        style.Include(csOpaque);
    } else {
        style.Exclude(csOpaque);
    }
    control.SetControlStyle(style);
}

char16_t AcceleratorOf(const std::string& caption) {
    const QString text = QString::fromStdString(caption);
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text[i + 1].toUpper().unicode();
    }
    return 0;
}

std::string StripAccelerators(const std::string& caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

bool IsAccelerator(char16_t key, const std::string& caption) {
    const char16_t accel = AcceleratorOf(caption);
    return accel != 0 && QChar(key).toUpper().unicode() == accel;
}

}  // namespace dsp
