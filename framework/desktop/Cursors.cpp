#include <QGuiApplication>

#include "framework/core/FrameworkAccess.h"
#include "framework/desktop/CursorQt.h"
#include "framework/desktop/Screen.h"
#include "framework/desktop/ScreenQt.h"

namespace dsp {

namespace {

Qt::CursorShape StockShape(TCursor cursor) {
    switch (cursor) {
        case crNone: return Qt::BlankCursor;
        case crCross: return Qt::CrossCursor;
        case crIBeam: return Qt::IBeamCursor;
        case crSizeNESW: return Qt::SizeBDiagCursor;
        case crSizeNS: return Qt::SizeVerCursor;
        case crSizeNWSE: return Qt::SizeFDiagCursor;
        case crSizeWE: return Qt::SizeHorCursor;
        case crUpArrow: return Qt::UpArrowCursor;
        case crHourGlass: return Qt::WaitCursor;
        case crDrag: return Qt::DragMoveCursor;
        case crNoDrop: return Qt::ForbiddenCursor;
        case crHSplit: return Qt::SplitHCursor;
        case crVSplit: return Qt::SplitVCursor;
        case crMultiDrag: return Qt::DragCopyCursor;
        case crSQLWait: return Qt::WaitCursor;
        case crNo: return Qt::ForbiddenCursor;
        case crAppStart: return Qt::BusyCursor;
        case crHelp: return Qt::WhatsThisCursor;
        case crHandPoint: return Qt::PointingHandCursor;
        case crSizeAll: return Qt::SizeAllCursor;
        default: return Qt::ArrowCursor;
    }
}

}  // namespace

QCursor ToQCursor(TCursor cursor) {
    if (cursor > 0) {
        const auto& registered = Screen->Internal(kFrameworkKey).registeredCursors;
        const auto it = registered.find(cursor);
        if (it != registered.end()) return it->second;
    }
    return QCursor(StockShape(cursor));
}

}  // namespace dsp
