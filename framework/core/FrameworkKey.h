#pragma once
// TFrameworkKey: the pass key of members that only the framework may call. Some members of
// public framework classes serve the framework's own parts and nobody else: the window behind a
// control, the state behind a canvas or bitmap, the hooks a combo box's dropped list calls. They
// stay public, because the framework's parts that call them are separate classes, but take a
// TFrameworkKey as their first parameter. Nobody outside the framework can make one: its only
// maker is in framework/core/FrameworkAccess.h, which widgets, components, the plot engine and
// the rest of the program do not include (scripts/check-headers.sh checks it).

namespace dsp {

class TFrameworkKey {
private:
    constexpr TFrameworkKey() = default;
    friend struct TFrameworkKeyMaker;
};

}  // namespace dsp
