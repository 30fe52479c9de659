// Mouse and keyboard input as it reaches controls: from the host toolkit's events through the
// messages to the events, with windowless children found by their parent.

#include <gtest/gtest.h>

#include <QCursor>
#include <QEvent>
#include <QWidget>

#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/WindowHost.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;
using test::TEventLog;
using test::TProbeControl;
using test::TProbeGraphic;

const char* ButtonName(TMouseButton button) {
    return button == mbLeft ? "left" : button == mbRight ? "right" : "middle";
}

// Logs the mouse events of a control as "name:event".
void LogMouse(TControl& control, TEventLog& log) {
    const std::string name = control.Name();
    control.OnMouseDown = [&log, name](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        log.push_back(name + ":down " + ButtonName(b) + " " + std::to_string(x) + "," +
                      std::to_string(y) + (s.Contains(ssDouble) ? " double" : ""));
    };
    control.OnMouseUp = [&log, name](TObject*, TMouseButton b, TShiftState, int x, int y) {
        log.push_back(name + ":up " + ButtonName(b) + " " + std::to_string(x) + "," +
                      std::to_string(y));
    };
    control.OnClick = [&log, name](TObject*) { log.push_back(name + ":click"); };
    control.OnDblClick = [&log, name](TObject*) { log.push_back(name + ":dblclick"); };
    control.OnMouseEnter = [&log, name](TObject*) { log.push_back(name + ":enter"); };
    control.OnMouseLeave = [&log, name](TObject*) { log.push_back(name + ":leave"); };
}

// A windowless control that is only "hit" on its left half.
class THalfHit : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Dispatch(TMessage& message) override {
        if (message.Msg == CM_HITTEST) {
            message.Result = LParamToPoint(message.LParam).X < Width() / 2 ? HTCLIENT : 0;
            return;
        }
        TGraphicControl::Dispatch(message);
    }
};

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetKeyboardState();
        panel_ = Place(new TProbeControl(form_.get()), form_.get(), 10, 10, 100, 80);
        panel_->SetName("panel");
        label_ = Place(new TProbeGraphic(form_.get()), panel_, 20, 20, 30, 20);
        label_->SetName("label");
        LogMouse(*panel_, log_);
        LogMouse(*label_, log_);
        test::ShowAndPaint(*form_);
        log_.clear();
    }

    std::unique_ptr<TForm> form_ = MakeForm(200, 150);
    TProbeControl* panel_ = nullptr;
    TProbeGraphic* label_ = nullptr;
    TEventLog log_;
};

TEST_F(InputTest, ClickRaisesDownClickUpInOrderOnlyWhenReleasedInside) {
    test::Click(*panel_, 5, 6);
    EXPECT_EQ(log_, (TEventLog{"panel:down left 5,6", "panel:click", "panel:up left 5,6"}));

    // Pressed inside, dragged out and released outside: the control keeps the capture and
    // hears the move and the release, the mouse leaves it, and there is no click.
    log_.clear();
    test::SendMouse(*panel_, QEvent::MouseMove, 5, 6, Qt::NoButton, Qt::NoButton);
    test::SendMouse(*panel_, QEvent::MouseButtonPress, 5, 6, Qt::LeftButton, Qt::LeftButton);
    test::SendMouse(*panel_, QEvent::MouseMove, 150, 6, Qt::NoButton, Qt::LeftButton);
    test::SendMouse(*panel_, QEvent::MouseButtonRelease, 150, 6, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(log_, (TEventLog{"panel:enter", "panel:down left 5,6", "panel:leave",
                               "panel:up left 150,6"}));
}

TEST_F(InputTest, WindowlessChildGetsItsMessagesFromTheParentInItsOwnCoordinates) {
    test::Click(*panel_, 25, 27);
    EXPECT_EQ(log_, (TEventLog{"label:down left 5,7", "label:click", "label:up left 5,7"}));

    // Pressed on the child and released outside it: the child holds the capture and hears the
    // release, but no click.
    log_.clear();
    test::SendMouse(*panel_, QEvent::MouseButtonPress, 25, 27, Qt::LeftButton, Qt::LeftButton);
    test::SendMouse(*panel_, QEvent::MouseButtonRelease, 80, 70, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(log_, (TEventLog{"label:down left 5,7", "label:up left 60,50"}));
    EXPECT_FALSE(label_->MouseCapture());

    // Disabled, or not hit where its hit test says no: the parent takes the click.
    label_->SetEnabled(false);
    log_.clear();
    test::Click(*panel_, 25, 27);
    EXPECT_EQ(log_, (TEventLog{"panel:down left 25,27", "panel:click", "panel:up left 25,27"}));
}

TEST_F(InputTest, HitTestDecidesWhichWindowlessChildIsUnderTheMouse) {
    auto* half = Place(new THalfHit(form_.get()), panel_, 60, 10, 20, 20);
    half->SetName("half");
    LogMouse(*half, log_);
    test::Click(*panel_, 65, 15);
    test::Click(*panel_, 75, 15);
    EXPECT_EQ(log_, (TEventLog{"half:down left 5,5", "half:click", "half:up left 5,5",
                               "panel:down left 75,15", "panel:click", "panel:up left 75,15"}));
}

TEST_F(InputTest, DoubleClickNeedsTheDoubleClickStyle) {
    auto dbl = [&] {
        test::Click(*panel_, 1, 1);
        test::SendMouse(*panel_, QEvent::MouseButtonDblClick, 1, 1, Qt::LeftButton, Qt::LeftButton);
        test::SendMouse(*panel_, QEvent::MouseButtonRelease, 1, 1, Qt::LeftButton, Qt::NoButton);
    };
    dbl();
    EXPECT_EQ(log_,
              (TEventLog{"panel:down left 1,1", "panel:click", "panel:up left 1,1",
                         "panel:dblclick", "panel:down left 1,1 double", "panel:up left 1,1"}));
    // Quick, but far from the first press: a press of its own.
    log_.clear();
    test::Click(*panel_, 1, 1);
    test::SendMouse(*panel_, QEvent::MouseButtonDblClick, 4, 1, Qt::LeftButton, Qt::LeftButton);
    test::SendMouse(*panel_, QEvent::MouseButtonRelease, 4, 1, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(log_, (TEventLog{"panel:down left 1,1", "panel:click", "panel:up left 1,1",
                               "panel:down left 4,1", "panel:click", "panel:up left 4,1"}));
    log_.clear();
    panel_->SetControlStyle(panel_->ControlStyle() - TControlStyle{csDoubleClicks});
    dbl();
    EXPECT_EQ(log_, (TEventLog{"panel:down left 1,1", "panel:click", "panel:up left 1,1",
                               "panel:down left 1,1", "panel:click", "panel:up left 1,1"}));
}

TEST_F(InputTest, EnterAndLeaveFollowTheMouseAcrossWindowlessChildren) {
    std::vector<TControl*> childNotes;
    panel_->SetWindowProc([&childNotes, original = panel_->WindowProc()](TMessage& m) {
        if ((m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) && MouseChildOf(m) != nullptr) {
            childNotes.push_back(MouseChildOf(m));
        }
        original(m);
    });
    test::SendMouse(*panel_, QEvent::MouseMove, 5, 5, Qt::NoButton, Qt::NoButton);
    test::SendMouse(*panel_, QEvent::MouseMove, 6, 5, Qt::NoButton, Qt::NoButton);
    test::SendMouse(*panel_, QEvent::MouseMove, 25, 25, Qt::NoButton, Qt::NoButton);
    test::SendMouse(*panel_, QEvent::MouseMove, 90, 70, Qt::NoButton, Qt::NoButton);
    test::SendMouse(*form_, QEvent::MouseMove, 150, 120, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(log_, (TEventLog{"panel:enter", "panel:leave", "label:enter", "label:leave",
                               "panel:enter", "panel:leave"}));
    // The parent hears of its child's entering and leaving, with the child.
    EXPECT_EQ(childNotes, (std::vector<TControl*>{label_, label_}));
}

TEST_F(InputTest, WheelGoesToTheFocusedControlInNotchesThenToItsParents) {
    auto* edit = Place(new TProbeControl(form_.get()), form_.get(), 120, 10, 50, 20);
    TEventLog wheel;
    edit->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& handled) {
        wheel.push_back("edit:up");
        handled = true;
    };
    edit->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool&) {
        wheel.push_back("edit:down");
    };
    form_->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool&) {
        wheel.push_back("form:" + std::to_string(delta));
    };
    edit->SetFocus();
    // Over the panel, but the focused control takes it.
    test::SendWheel(*panel_, 5, 5, 120);
    test::SendWheel(*panel_, 5, 5, 60);
    test::SendWheel(*panel_, 5, 5, 60);
    // Not handled by the control (a part of a notch, or a handler that leaves it): its
    // parent is asked.
    test::SendWheel(*panel_, 5, 5, -120);
    EXPECT_EQ(wheel, (TEventLog{"edit:up", "form:60", "edit:up", "edit:down", "form:-120"}));
}

TEST_F(InputTest, KeysGoToTheFocusedControlDownPressUp) {
    auto* edit = Place(new TProbeControl(form_.get()), form_.get(), 120, 10, 50, 20);
    TEventLog keys;
    edit->OnKeyDown = [&](TObject*, TKeyCode& key, TShiftState shift) {
        keys.push_back("down " + std::to_string(key) + (shift.Contains(ssShift) ? " shift" : ""));
    };
    edit->OnKeyPress = [&](TObject*, char16_t& ch) {
        keys.push_back(std::string("press ") + static_cast<char>(ch));
    };
    edit->OnKeyUp = [&](TObject*, TKeyCode& key, TShiftState) {
        keys.push_back("up " + std::to_string(key));
    };
    edit->SetFocus();
    // Sent to any native window of the application: the focused control receives it.
    test::SendKey(*panel_, Qt::Key_A, "A", Qt::ShiftModifier);
    EXPECT_EQ(keys, (TEventLog{"down 65 shift", "press A", "up 65"}));

    // A handler that consumes the key down keeps it from the default handling but not the
    // character, as on the platform.
    keys.clear();
    edit->OnKeyDown = [&](TObject*, TKeyCode& key, TShiftState) {
        keys.push_back("down " + std::to_string(key));
        key = 0;
    };
    test::SendKey(*panel_, Qt::Key_B, "b");
    EXPECT_EQ(keys, (TEventLog{"down 66", "press b", "up 66"}));
}

TEST_F(InputTest, KeyPreviewLetsTheFormSeeKeysFirstAndConsumeThem) {
    auto* edit = Place(new TProbeControl(form_.get()), form_.get(), 120, 10, 50, 20);
    TEventLog keys;
    edit->OnKeyDown = [&](TObject*, TKeyCode& key, TShiftState) {
        keys.push_back("edit " + std::to_string(key));
    };
    form_->OnKeyDown = [&](TObject*, TKeyCode& key, TShiftState) {
        keys.push_back("form " + std::to_string(key));
        if (key == VK_F2) key = 0;
    };
    edit->SetFocus();
    test::SendKey(*panel_, Qt::Key_F1);
    EXPECT_EQ(keys, (TEventLog{"edit 112"})) << "no preview";
    keys.clear();
    form_->SetKeyPreview(true);
    test::SendKey(*panel_, Qt::Key_F1);
    test::SendKey(*panel_, Qt::Key_F2);
    EXPECT_EQ(keys, (TEventLog{"form 112", "edit 112", "form 113"}));
}

TEST_F(InputTest, CursorsShowOnTheNativeWindowWindowlessOnesWhileTheMouseIsOverThem) {
    auto shape = [this] { return HostWidget(*panel_)->cursor().shape(); };
    panel_->SetCursor(crHandPoint);
    EXPECT_EQ(shape(), Qt::PointingHandCursor);
    label_->SetCursor(crCross);
    EXPECT_EQ(shape(), Qt::PointingHandCursor) << "the mouse is not over the label";
    test::SendMouse(*panel_, QEvent::MouseMove, 25, 25, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(shape(), Qt::CrossCursor);
    test::SendMouse(*panel_, QEvent::MouseMove, 80, 70, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(shape(), Qt::PointingHandCursor);
}

TEST(KeyMapTest, ToolkitKeysBecomeTheVirtualKeysTheHandlersCompare) {
    struct Case {
        int qtKey;
        int modifiers;
        int virtualKey;
    };
    const Case cases[] = {
        {Qt::Key_Return, 0, 13},
        {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_Shift, 0, 16},
        {Qt::Key_Control, 0, 17},
        {Qt::Key_Alt, 0, 18},
        {Qt::Key_Escape, 0, 27},
        {Qt::Key_PageUp, 0, 33},
        {Qt::Key_PageDown, 0, 34},
        {Qt::Key_End, 0, 35},
        {Qt::Key_Home, 0, 36},
        {Qt::Key_Left, 0, 37},
        {Qt::Key_Up, 0, 38},
        {Qt::Key_Right, 0, 39},
        {Qt::Key_Down, 0, 40},
        {Qt::Key_Delete, 0, 46},
        {Qt::Key_Backspace, 0, 8},
        {Qt::Key_Tab, 0, 9},
        {Qt::Key_Backtab, Qt::ShiftModifier, 9},
        {Qt::Key_0, 0, '0'},
        {Qt::Key_9, 0, '9'},
        {Qt::Key_ParenLeft, Qt::ShiftModifier, '9'},
        {Qt::Key_A, 0, 'A'},
        {Qt::Key_Z, Qt::ShiftModifier, 'Z'},
        {Qt::Key_5, Qt::KeypadModifier, 101},
        {Qt::Key_Plus, Qt::KeypadModifier, 107},
        {Qt::Key_Minus, Qt::KeypadModifier, 109},
        {Qt::Key_Period, Qt::KeypadModifier, 110},
        {Qt::Key_Equal, 0, 187},
        {Qt::Key_Plus, Qt::ShiftModifier, 187},
        {Qt::Key_Minus, 0, 189},
        {Qt::Key_Underscore, Qt::ShiftModifier, 189},
        {Qt::Key_Comma, 0, 188},
        {Qt::Key_Period, 0, 190},
        {Qt::Key_F1, 0, 112},
        {Qt::Key_F12, 0, 123},
    };
    auto form = MakeForm(50, 50);
    auto* edit = Place(new TProbeControl(form.get()), form.get(), 0, 0, 50, 50);
    int seen = -1;
    edit->OnKeyDown = [&](TObject*, TKeyCode& key, TShiftState) { seen = key; };
    edit->OnKeyPress = [&](TObject*, char16_t& ch) { ch = 0; };
    // The control keeps Tab and the dialog keys to itself here.
    edit->SetWindowProc([original = edit->WindowProc()](TMessage& m) {
        if (m.Msg == WM_GETDLGCODE) {
            m.Result = DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTARROWS;
            return;
        }
        original(m);
    });
    form->Show();
    edit->SetFocus();
    for (const Case& c : cases) {
        seen = -1;
        test::SendKey(*edit, c.qtKey, "", c.modifiers);
        EXPECT_EQ(seen, c.virtualKey) << "Qt key " << std::hex << c.qtKey;
    }
}

TEST(KeyMapTest, KeyStateFollowsPressesAndToggles) {
    ResetKeyboardState();
    auto form = MakeForm(50, 50);
    form->Show();
    TShiftState shiftInHandler;
    form->OnKeyDown = [&](TObject*, TKeyCode&, TShiftState shift) { shiftInHandler = shift; };
    test::SendKeyPress(*form, Qt::Key_Control, "", 0);
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    test::SendKeyPress(*form, Qt::Key_C, "\x03", Qt::ControlModifier);
    EXPECT_TRUE(shiftInHandler.Contains(ssCtrl));
    EXPECT_FALSE(shiftInHandler.Contains(ssShift));
    test::SendKeyRelease(*form, Qt::Key_C, Qt::ControlModifier);
    test::SendKeyRelease(*form, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);

    // Each press toggles the low bit (the lock keys' light).
    test::SendKey(*form, Qt::Key_CapsLock);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
    test::SendKey(*form, Qt::Key_CapsLock);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
}

}  // namespace
}  // namespace dsp
