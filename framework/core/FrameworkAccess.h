#pragma once
// Framework-internal: the key that opens the framework's own members (see FrameworkKey.h). Only
// framework/ and the framework's own tests and benchmarks include this header.

#include "framework/core/FrameworkKey.h"

namespace dsp {

struct TFrameworkKeyMaker {
    static constexpr TFrameworkKey Make() { return TFrameworkKey(); }
};

inline constexpr TFrameworkKey kFrameworkKey = TFrameworkKeyMaker::Make();

}  // namespace dsp
