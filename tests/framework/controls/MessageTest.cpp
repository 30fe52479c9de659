// Message dispatch, window handles and the settings children take from their parents.

#include <gtest/gtest.h>

#include "framework/controls/ControlErrors.h"
#include "framework/controls/MessageParams.h"
#include "framework/runtime/MainThread.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/support/RunLoop.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;
using test::TEventLog;
using test::TProbeControl;
using test::TProbeGraphic;

constexpr unsigned WM_PROBE = WM_USER + 7;

// Answers WM_PROBE with a result of its own and records the order of its handlers.
class TAnswering : public TWinControl {
public:
    TAnswering(TComponent* owner, TEventLog& log, LRESULT answer)
        : TWinControl(owner), log_(log), answer_(answer) {}
    int createWndCalls = 0;
    bool parentHandleAtCreate = false;

protected:
    void Dispatch(TMessage& message) override {
        if (message.Msg == WM_PROBE) {
            log_.push_back(Name() + ":probe");
            message.Result = answer_;
            return;
        }
        TWinControl::Dispatch(message);
    }
    void CreateWnd() override {
        TWinControl::CreateWnd();
        ++createWndCalls;
        parentHandleAtCreate = Parent() == nullptr || Parent()->HandleAllocated();
        log_.push_back(Name() + ":createwnd");
    }

private:
    TEventLog& log_;
    LRESULT answer_;
};

TEST(ControlMessageTest, WindowProcCanBeReplacedAndChained) {
    TEventLog log;
    auto form = MakeForm(100, 100);
    auto* control = Place(new TAnswering(form.get(), log, 5), form.get(), 0, 0, 10, 10);
    control->SetName("c");
    const TWndMethod original = control->WindowProc();
    control->SetWindowProc([&](TMessage& message) {
        if (message.Msg == WM_PROBE) log.push_back("hook");
        original(message);
        if (message.Msg == WM_PROBE) message.Result += 1;
    });
    EXPECT_EQ(control->Perform(WM_PROBE), 6);
    EXPECT_EQ(log, (TEventLog{"hook", "c:probe"}));
    control->SetWindowProc(nullptr);
    EXPECT_EQ(control->Perform(WM_PROBE), 5);
}

TEST(ControlMessageTest, BroadcastStopsAtTheFirstNonZeroResult) {
    TEventLog log;
    auto form = MakeForm(100, 100);
    const LRESULT answers[] = {0, 0, 3, 4};
    const char* names[] = {"a", "b", "c", "d"};
    for (int i = 0; i < 4; ++i) {
        auto* child = Place(new TAnswering(form.get(), log, answers[i]), form.get(), 0, 0, 5, 5);
        child->SetName(names[i]);
    }
    TMessage message{WM_PROBE, 0, 0, 0};
    form->Broadcast(message);
    EXPECT_EQ(message.Result, 3);
    EXPECT_EQ(log, (TEventLog{"a:probe", "b:probe", "c:probe"}));
}

TEST(ControlMessageTest, HandlesAreMadeWhenNeededParentsFirst) {
    TEventLog log;
    auto form = MakeForm(100, 100);
    auto* outer = Place(new TAnswering(form.get(), log, 0), form.get(), 0, 0, 50, 50);
    auto* inner = Place(new TAnswering(form.get(), log, 0), outer, 0, 0, 20, 20);
    auto* hidden = Place(new TAnswering(form.get(), log, 0), outer, 20, 20, 20, 20);
    outer->SetName("outer");
    inner->SetName("inner");
    hidden->SetName("hidden");
    hidden->Hide();
    EXPECT_FALSE(outer->HandleAllocated());
    EXPECT_FALSE(inner->HandleAllocated());

    // Asking for the inner handle makes the outer one first.
    const HWND handle = inner->Handle();
    EXPECT_NE(handle, HWND{});
    EXPECT_EQ(log, (TEventLog{"outer:createwnd", "inner:createwnd"}));
    EXPECT_TRUE(inner->parentHandleAtCreate);
    EXPECT_EQ(FindControl(handle), inner);

    // Showing the form makes the handles of what shows, not of the hidden control.
    log.clear();
    form->Show();
    EXPECT_TRUE(inner->Showing());
    EXPECT_FALSE(hidden->HandleAllocated());
    EXPECT_TRUE(log.empty()) << "handles made once";

    // A new window: a new handle; the old one is gone and messages to it are dropped.
    inner->RecreateWnd();
    EXPECT_EQ(inner->createWndCalls, 2);
    EXPECT_NE(inner->Handle(), handle);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(PostMessage(handle, WM_PROBE, 0, 0));
}

TEST(ControlMessageTest, PostedAndSentMessagesReachTheWindowProcedure) {
    TEventLog log;
    auto form = MakeForm(100, 100);
    auto* control = Place(new TAnswering(form.get(), log, 9), form.get(), 0, 0, 10, 10);
    control->SetName("c");
    control->HandleNeeded();
    log.clear();
    EXPECT_EQ(SendMessage(control->Handle(), WM_PROBE, 0, 0), 9);
    ASSERT_TRUE(PostMessage(control->Handle(), WM_PROBE, 0, 0));
    EXPECT_EQ(log.size(), 1u) << "posted messages wait for the loop";
    ASSERT_TRUE(test::RunLoopUntil([&] { return log.size() == 2; }));

    // A message posted to a control freed before the loop runs is dropped.
    const HWND handle = control->Handle();
    PostMessage(handle, WM_PROBE, 0, 0);
    delete control;
    test::RunPendingEvents();
    EXPECT_EQ(log.size(), 2u);
}

TEST(ControlMessageTest, ChildrenFollowTheParentsColourAndFontUntilGivenTheirOwn) {
    auto form = MakeForm(100, 100, clBtnFace);
    auto* panel = Place(new TProbeControl(form.get()), form.get(), 0, 0, 50, 50);
    auto* graphic = Place(new TProbeGraphic(form.get()), panel, 0, 0, 10, 10);
    EXPECT_EQ(panel->Color(), clBtnFace);
    EXPECT_TRUE(panel->ParentColor());

    form->SetColor(clAqua);
    EXPECT_EQ(panel->Color(), clAqua);
    EXPECT_EQ(graphic->Color(), clAqua);

    panel->SetColor(clRed);
    EXPECT_FALSE(panel->ParentColor());
    form->SetColor(clGreen);
    EXPECT_EQ(panel->Color(), clRed);
    EXPECT_EQ(graphic->Color(), clRed) << "follows its own parent";

    panel->SetParentColor(true);
    EXPECT_EQ(panel->Color(), clGreen);
    EXPECT_EQ(graphic->Color(), clGreen);

    form->Font()->SetName("Arial");
    EXPECT_EQ(graphic->Font()->Name(), "Arial");
    graphic->Font()->SetHeight(-20);
    EXPECT_FALSE(graphic->ParentFont());
    form->Font()->SetName("Courier New");
    EXPECT_EQ(panel->Font()->Name(), "Courier New");
    EXPECT_EQ(graphic->Font()->Name(), "Arial");
}

TEST(ControlMessageTest, TextGoesThroughTheMessagesAndAnnouncesChanges) {
    TEventLog log;
    auto form = MakeForm(100, 100);
    auto* control = Place(new TProbeControl(form.get(), &log), form.get(), 0, 0, 10, 10);
    control->SetName("c");
    control->watched = {WM_SETTEXT, CM_TEXTCHANGED};
    control->SetCaption("one");
    control->SetCaption("one");
    EXPECT_EQ(control->Text(), "one");
    EXPECT_EQ(
        log, (TEventLog{"c:" + std::to_string(WM_SETTEXT), "c:" + std::to_string(CM_TEXTCHANGED)}));
}

// What a sender packs is what a handler unpacks, signs and all: points left of or above the
// client area, wheel turns towards the user, keys held beside the distance.
TEST(ControlMessageTest, TypedParametersSurviveThePacking) {
    const TMouseParams mouse =
        MouseParamsOf(MakeMouseMessage(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, {-3, -32768}));
    EXPECT_EQ(mouse.pos, (TPoint{-3, -32768}));
    EXPECT_TRUE(mouse.Holds(MK_LBUTTON));
    EXPECT_FALSE(mouse.Holds(MK_RBUTTON));
    EXPECT_TRUE(mouse.Shift().Contains(ssShift));
    EXPECT_TRUE(mouse.Shift().Contains(ssLeft));

    const TWheelParams wheel =
        WheelParamsOf(MakeWheelMessage(CM_MOUSEWHEEL, MK_CONTROL, -2 * WHEEL_DELTA, {700, -5}));
    EXPECT_EQ(wheel.delta, -240);
    EXPECT_EQ(wheel.screenPos, (TPoint{700, -5}));
    EXPECT_TRUE(wheel.Shift().Contains(ssCtrl));

    const TSizeParams size = SizeParamsOf(MakeSizeMessage(SIZE_MAXIMIZED, 1920, 1080));
    EXPECT_EQ(size.kind, SIZE_MAXIMIZED);
    EXPECT_EQ(size.width, 1920);
    EXPECT_EQ(size.height, 1080);

    EXPECT_FALSE(ContextMenuPosOf({WM_CONTEXTMENU, 0, -1, 0}).has_value());
    EXPECT_EQ(ContextMenuPosOf({WM_CONTEXTMENU, 0, PointToLParam({-1, 0}), 0}), (TPoint{-1, 0}));

    EXPECT_EQ(ParentColorOf({CM_PARENTCOLORCHANGED, 0, 0, 0}), std::nullopt);
    EXPECT_EQ(ParentColorOf(MakeParentColorMessage(clBlack)), clBlack);

    // A WM_GETTEXT without a string to fill is left unanswered.
    TMessage noReceiver{WM_GETTEXT, 0, 0, 0};
    AnswerGetText(noReceiver, "text");
    EXPECT_EQ(noReceiver.Result, 0);
    std::string receiver;
    TMessage get{WM_GETTEXT, 0, GetTextParam(receiver), 0};
    AnswerGetText(get, "text");
    EXPECT_EQ(receiver, "text");
    EXPECT_EQ(get.Result, 4);
}

TEST(ControlMessageTest, AParentCannotBeItsOwnChild) {
    auto form = MakeForm(100, 100);
    auto* outer = Place(new TProbeControl(form.get()), form.get(), 0, 0, 50, 50);
    auto* inner = Place(new TProbeControl(form.get()), outer, 0, 0, 20, 20);
    EXPECT_THROW(outer->SetParent(inner), EInvalidOperation);
    EXPECT_THROW(outer->SetParent(outer), EInvalidOperation);
    EXPECT_EQ(outer->Parent(), form.get());
}

TEST(ControlMessageTest, FreeingAParentFreesItsChildren) {
    auto form = MakeForm(100, 100);
    auto* panel = Place(new TProbeControl(form.get()), form.get(), 0, 0, 50, 50);
    Place(new TProbeControl(form.get()), panel, 0, 0, 20, 20);
    Place(new TProbeGraphic(form.get()), panel, 0, 0, 20, 20);
    form->Show();
    EXPECT_EQ(form->ComponentCount(), 3);
    delete panel;
    EXPECT_EQ(form->ComponentCount(), 0);
    EXPECT_EQ(form->ControlCount(), 0);
}

TEST(ControlMessageTest, InvalidatingTellsTheParentsAndThemeChangesReachEveryWindow) {
    TEventLog log;
    auto form = MakeForm(100, 100);
    auto* outer = Place(new TProbeControl(form.get(), &log), form.get(), 0, 0, 50, 50);
    auto* inner = Place(new TProbeControl(form.get(), &log), outer, 0, 0, 20, 20);
    auto* hidden = Place(new TProbeControl(form.get(), &log), outer, 0, 0, 20, 20);
    outer->SetName("outer");
    inner->SetName("inner");
    hidden->SetName("hidden");
    hidden->Hide();
    form->Show();
    auto record = [&log](TProbeControl* c) {
        c->SetWindowProc([&log, c, original = c->WindowProc()](TMessage& m) {
            if (m.Msg == CM_INVALIDATE) {
                log.push_back(c->Name() + ":invalidate " + std::to_string(m.WParam));
            }
            original(m);
        });
        c->watched = {WM_THEMECHANGED};
    };
    record(outer);
    record(inner);
    record(hidden);
    inner->Invalidate();
    EXPECT_EQ(log, (TEventLog{"inner:invalidate 0", "outer:invalidate 1"}));

    log.clear();
    BroadcastThemeChanged();
    const std::string theme = ":" + std::to_string(WM_THEMECHANGED);
    EXPECT_EQ(log, (TEventLog{"outer" + theme, "inner" + theme}))
        << "windows not made yet hear nothing";
}

TEST(ControlAlignTest, AlignedChildrenFillTheClientAreaFromItsEdges) {
    auto form = MakeForm(200, 100);
    auto* top = Place(new TProbeControl(form.get()), form.get(), 0, 0, 10, 20);
    auto* bottom = Place(new TProbeControl(form.get()), form.get(), 0, 0, 10, 15);
    auto* left = Place(new TProbeControl(form.get()), form.get(), 0, 0, 30, 10);
    auto* right = Place(new TProbeControl(form.get()), form.get(), 0, 0, 25, 10);
    auto* client = Place(new TProbeControl(form.get()), form.get(), 0, 0, 1, 1);
    top->SetAlign(alTop);
    bottom->SetAlign(alBottom);
    left->SetAlign(alLeft);
    right->SetAlign(alRight);
    client->SetAlign(alClient);

    struct Case {
        TControl* control;
        TRect bounds;
    };
    auto check = [](const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            EXPECT_EQ(c.control->BoundsRect(), c.bounds) << c.control->BoundsRect().Left;
        }
    };
    check({{top, Rect(0, 0, 200, 20)},
           {bottom, Rect(0, 85, 200, 100)},
           {left, Rect(0, 20, 30, 85)},
           {right, Rect(175, 20, 200, 85)},
           {client, Rect(30, 20, 175, 85)}});

    // The parent grows: the aligned children follow.
    form->SetClientSize(300, 200);
    check({{top, Rect(0, 0, 300, 20)},
           {bottom, Rect(0, 185, 300, 200)},
           {left, Rect(0, 20, 30, 185)},
           {right, Rect(275, 20, 300, 185)},
           {client, Rect(30, 20, 275, 185)}});

    // A hidden aligned child leaves its place to the others.
    top->Hide();
    EXPECT_EQ(client->BoundsRect(), Rect(30, 0, 275, 185));
}

TEST(ControlAlignTest, AnchoredChildrenKeepTheirDistancesToTheirEdges) {
    auto form = MakeForm(200, 100);
    auto* button = Place(new TProbeControl(form.get()), form.get(), 150, 70, 40, 20);
    auto* edit = Place(new TProbeControl(form.get()), form.get(), 10, 10, 180, 20);
    auto* memo = Place(new TProbeControl(form.get()), form.get(), 10, 40, 100, 20);
    button->SetAnchors({akRight, akBottom});
    edit->SetAnchors({akLeft, akTop, akRight});
    memo->SetAnchors({akLeft, akTop, akRight, akBottom});
    form->Show();
    form->SetClientSize(300, 150);
    EXPECT_EQ(button->BoundsRect(), Bounds(250, 120, 40, 20));
    EXPECT_EQ(edit->BoundsRect(), Bounds(10, 10, 280, 20));
    EXPECT_EQ(memo->BoundsRect(), Bounds(10, 40, 200, 70));
}

}  // namespace
}  // namespace dsp
