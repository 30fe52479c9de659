#pragma once
// TUpDown: a pair of arrow buttons that steps an integer Position by Increment within
// Min..Max. The rules the program relies on:
// - before the position moves, OnChanging and then OnChangingEx (with the proposed value and
//   the direction) may refuse it; the proposal is delivered as it is, also when it lies
//   outside the range (16 when Max is 15: the handler decides), and the position then stays
//   within the range (or wraps round with Wrap);
// - setting Position by program asks the same events first, unless it holds that value already;
// - an up-down that has never had a window keeps whatever position it is given, with no range
//   check; once it has one, positions are limited to the range;
// - holding a button repeats the step (first after 400 ms, then every 100 ms on the clock in
//   force); each step, allowed or not at the limit, ends with OnClick;
// - an Associate control shows the position as its text, and with ArrowKeys its Up and Down
//   keys step the up-down.

#include <functional>

#include "framework/controls/WinControl.h"

namespace dsp {

class TTimer;

enum TUDAlignButton { udLeft, udRight };
DSP_ENUM_NAMES(TUDAlignButton, "udLeft", "udRight")
enum TUDOrientation { udHorizontal, udVertical };
DSP_ENUM_NAMES(TUDOrientation, "udHorizontal", "udVertical")
enum TUDBtnType { btNext, btPrev };
enum TUpDownDirection { updNone, updUp, updDown };

using TUDClickEvent = std::function<void(TObject* sender, TUDBtnType button)>;
using TUDChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;
using TUDChangingEventEx = std::function<void(TObject* sender, bool& allowChange, int newValue,
                                              TUpDownDirection direction)>;

class TCustomUpDown : public TWinControl {
    DSP_PUBLISHED(TCustomUpDown, TWinControl) {
        using P = Published<TCustomUpDown>;
        return {
            P::Property("AlignButton", &TCustomUpDown::AlignButton, &TCustomUpDown::SetAlignButton)
                .Default(udRight),
            P::Property("ArrowKeys", &TCustomUpDown::ArrowKeys, &TCustomUpDown::SetArrowKeys)
                .Default(true),
            P::Property("Associate", &TCustomUpDown::Associate, &TCustomUpDown::SetAssociate),
            P::Property("Increment", &TCustomUpDown::Increment, &TCustomUpDown::SetIncrement)
                .Default(1),
            P::Property("Max", &TCustomUpDown::Max, &TCustomUpDown::SetMax).Default(100),
            P::Property("Min", &TCustomUpDown::Min, &TCustomUpDown::SetMin).Default(0),
            P::Property("Orientation", &TCustomUpDown::Orientation, &TCustomUpDown::SetOrientation)
                .Default(udVertical),
            P::Property("Position", &TCustomUpDown::Position, &TCustomUpDown::SetPosition)
                .Default(0),
            P::Property("Thousands", &TCustomUpDown::Thousands, &TCustomUpDown::SetThousands)
                .Default(true),
            P::Property("Wrap", &TCustomUpDown::Wrap, &TCustomUpDown::SetWrap).Default(false),
        };
    }

public:
    explicit TCustomUpDown(TComponent* owner);
    ~TCustomUpDown() override;

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = value; }
    int Position() const { return position_; }
    // Asks OnChanging and OnChangingEx first (unless the value is the position already).
    void SetPosition(int value);
    bool Wrap() const { return wrap_; }
    void SetWrap(bool value) { wrap_ = value; }
    bool ArrowKeys() const { return arrowKeys_; }
    void SetArrowKeys(bool value) { arrowKeys_ = value; }
    bool Thousands() const { return thousands_; }
    void SetThousands(bool value);
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation value);
    TUDAlignButton AlignButton() const { return alignButton_; }
    void SetAlignButton(TUDAlignButton value);
    TWinControl* Associate() const { return associate_; }
    // Places the up-down beside the control and makes it show the position.
    void SetAssociate(TWinControl* value);

    // One step up (btNext) or down (btPrev), as a click on that button.
    void Step(TUDBtnType button);

    TUDChangingEvent OnChanging;
    TUDChangingEventEx OnChangingEx;
    TUDClickEvent OnClick;

protected:
    // OnChanging, then OnChangingEx; false when refused.
    virtual bool DoCanChange(int newValue, TUpDownDirection direction);
    // Raises OnClick after a step.
    virtual void DoClick(TUDBtnType button);
    void DefaultHandler(TMessage& message) override;
    void PaintWindow(TCanvas& canvas) override;
    void CreateWnd() override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

private:
    int Limited(int value) const;
    void StorePosition(int value);
    void UpdateAssociate();
    void PlaceBesideAssociate();
    // The button under a point, or none (-1).
    int ButtonAt(TPoint p) const;
    TRect ButtonRect(TUDBtnType button) const;
    void StartRepeat();
    void StopRepeat();
    void HookAssociate();
    void UnhookAssociate();

    int min_ = 0;
    int max_ = 100;
    int increment_ = 1;
    int position_ = 0;
    bool wrap_ = false;
    bool arrowKeys_ = true;
    bool thousands_ = true;
    TUDOrientation orientation_ = udVertical;
    TUDAlignButton alignButton_ = udRight;
    TWinControl* associate_ = nullptr;
    TWndMethod associateProc_;  // the associate's window procedure before ours
    int pressed_ = -1;          // the button held down, -1 none
    bool overPressed_ = false;  // the mouse is over the held button
    TTimer* repeat_ = nullptr;
};

class TUpDown : public TCustomUpDown {
public:
    using TCustomUpDown::TCustomUpDown;
};

}  // namespace dsp
