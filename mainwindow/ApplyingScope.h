#pragma once
// A scope that holds the main window's applying flag set: while it lives, the controls' change
// handlers return at once and the model's setters send nothing. It clears the flag on every way
// out (it is only ever opened while the flag is clear).

namespace dsp {

class TApplyingScope {
public:
    explicit TApplyingScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TApplyingScope() { flag_ = false; }
    TApplyingScope(const TApplyingScope&) = delete;
    TApplyingScope& operator=(const TApplyingScope&) = delete;

private:
    bool& flag_;
};

}  // namespace dsp
