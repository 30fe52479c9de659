#pragma once
// Framework-internal: the toolkit's scroll bars of a scrolling control, inside its native
// window. They go with that window; QPointer notices.

#include <QPointer>
#include <QScrollBar>

namespace dsp {

struct TScrollBarWidgets {
    QPointer<QScrollBar> horz;
    QPointer<QScrollBar> vert;
};

}  // namespace dsp
