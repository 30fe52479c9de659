#pragma once
// Framework-internal: what the screen keeps beside the host toolkit's own state.

#include <QCursor>

#include <map>
#include <memory>
#include <vector>

#include "framework/desktop/Screen.h"

namespace dsp {

struct TScreen::Impl {
    std::map<TCursor, QCursor> registeredCursors;
    mutable std::vector<std::unique_ptr<TMonitor>> monitors;  // grows only, so pointers stay valid
    mutable int monitorCount = 0;
    bool overriding = false;  // an override cursor of ours is on the toolkit's stack
};

}  // namespace dsp
