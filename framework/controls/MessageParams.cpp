#include "framework/controls/MessageParams.h"

#include "framework/controls/Control.h"
#include "framework/controls/KeyMap.h"

namespace dsp {

void AnswerGetText(TMessage& message, const std::string& text) {
    auto* receiver = reinterpret_cast<std::string*>(message.LParam);
    if (receiver == nullptr) return;
    *receiver = text;
    message.Result = static_cast<LRESULT>(receiver->size());
}

TShiftState TMouseParams::Shift() const { return KeysToShiftState(keys); }

TMouseParams MouseParamsOf(const TMessage& message) {
    return {LoWord(message.WParam), LParamToPoint(message.LParam)};
}

TMessage MakeMouseMessage(unsigned msg, unsigned keys, TPoint pos) {
    return {msg, keys, PointToLParam(pos), 0};
}

TShiftState TWheelParams::Shift() const { return KeysToShiftState(keys); }

TWheelParams WheelParamsOf(const TMessage& message) {
    return {LoWord(message.WParam), WheelDeltaOf(message.WParam), LParamToPoint(message.LParam)};
}

TMessage MakeWheelMessage(unsigned msg, unsigned keys, int delta, TPoint screenPos) {
    return {msg, MakeWParam(static_cast<int>(keys), delta), PointToLParam(screenPos), 0};
}

TShiftState TKeyParams::Shift() const { return KeyDataToShiftState(keyData); }

TSizeParams SizeParamsOf(const TMessage& message) {
    const auto size = static_cast<std::uintptr_t>(message.LParam);
    return {message.WParam, LoWord(size), HiWord(size)};
}

TMessage MakeSizeMessage(WPARAM kind, int width, int height) {
    return {WM_SIZE, kind, MakeLParam(width, height), 0};
}

}  // namespace dsp
