// Forms: creation and showing events, closing with its answers, and modal forms with their
// nested loop.

#include <gtest/gtest.h>

#include <QEvent>
#include <QWidget>

#include <vector>

#include "framework/controls/ControlErrors.h"
#include "framework/controls/WindowHost.h"
#include "framework/runtime/MainThread.h"
#include "framework/runtime/ManualClock.h"
#include "framework/runtime/Timer.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/support/RunLoop.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;
using test::TEventLog;
using test::TProbeControl;

void LogForm(TCustomForm& form, const std::string& name, TEventLog& log) {
    form.OnCreate = [&log, name](TObject*) { log.push_back(name + ":create"); };
    form.OnShow = [&log, name](TObject*) { log.push_back(name + ":show"); };
    form.OnHide = [&log, name](TObject*) { log.push_back(name + ":hide"); };
    form.OnActivate = [&log, name](TObject*) { log.push_back(name + ":activate"); };
    form.OnDeactivate = [&log, name](TObject*) { log.push_back(name + ":deactivate"); };
    form.OnClose = [&log, name](TObject*, TCloseAction&) { log.push_back(name + ":close"); };
}

TEST(FormTest, CreateRunsAfterConstructionAndShowOnAVisibleFormOnlyRaisesIt) {
    TEventLog log;
    TForm form(nullptr);
    LogForm(form, "f", log);
    form.SetCaption("Title");
    EXPECT_FALSE(form.HandleAllocated());
    form.AfterConstruction();
    EXPECT_TRUE(form.HandleAllocated()) << "the window exists when OnCreate runs";
    EXPECT_FALSE(form.Visible());
    form.Show();
    form.Show();
    EXPECT_EQ(log, (TEventLog{"f:create", "f:show", "f:activate"}));
    log.clear();
    form.Hide();
    EXPECT_EQ(log, (TEventLog{"f:hide", "f:deactivate"}));
}

TEST(FormTest, OuterSizeIncludesTheFrameOfTheBorderStyle) {
    struct Case {
        TFormBorderStyle style;
        int extraWidth;
        int extraHeight;
    };
    const Case cases[] = {
        {bsSizeable, 8, 27},   {bsSingle, 6, 25}, {bsDialog, 6, 25},
        {bsToolWindow, 6, 21}, {bsNone, 0, 0},
    };
    for (const Case& c : cases) {
        TForm form(nullptr);
        form.SetBorderStyle(c.style);
        form.SetClientSize(300, 200);
        EXPECT_EQ(form.Width(), 300 + c.extraWidth) << c.style;
        EXPECT_EQ(form.Height(), 200 + c.extraHeight) << c.style;
        form.SetBounds(0, 0, 500, 400);
        EXPECT_EQ(form.ClientWidth(), 500 - c.extraWidth) << c.style;
        EXPECT_EQ(form.ClientHeight(), 400 - c.extraHeight) << c.style;
    }
}

TEST(FormTest, ResizeRaisesOnResizeOncePerChangeOfSize) {
    auto form = MakeForm(100, 60);
    int resizes = 0;
    form->OnResize = [&](TObject*) { ++resizes; };
    form->SetClientSize(120, 60);
    form->SetClientSize(120, 60);
    form->SetBounds(10, 10, form->Width(), form->Height());
    EXPECT_EQ(resizes, 1) << "moving is no resize";
    form->Show();
    form->SetWidth(form->Width() + 1);
    EXPECT_EQ(resizes, 2);
}

TEST(FormTest, TheFormFollowsThePlaceAndStateTheWindowManagerGivesItsWindow) {
    auto form = MakeForm(200, 100);
    std::vector<WPARAM> sizes;
    auto previous = form->WindowProc();
    form->SetWindowProc([&sizes, previous](TMessage& message) {
        if (message.Msg == WM_SIZE) sizes.push_back(message.WParam);
        previous(message);
    });
    form->Show();
    QWidget* window = HostWidget(*form)->window();
    // Moved and resized by the window manager: the form takes the place of the window's client
    // area, and the window stays where it was put.
    const QRect placed(150, 120, 300, 200);
    window->setGeometry(placed);
    test::RunPendingEvents();
    EXPECT_EQ(window->geometry(), placed);
    EXPECT_EQ(form->ClientOrigin(), (TPoint{150, 120}));
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->ClientHeight(), 200);
    sizes.clear();
    window->setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(form->WindowState(), wsMinimized);
    window->setWindowState(Qt::WindowNoState);
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_EQ(sizes, (std::vector<WPARAM>{SIZE_MINIMIZED, SIZE_RESTORED}));
    // The program's wish goes to the window manager.
    form->SetWindowState(wsMaximized);
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
}

TEST(FormTest, ADialogIsNeitherMinimizedNorMaximized) {
    auto form = MakeForm(200, 100);
    form->Show();
    QWidget* window = HostWidget(*form)->window();
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    form->SetBorderStyle(bsDialog);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST(FormTest, ScreenCenterPlacesTheFormInTheMiddleAtItsFirstShow) {
    auto form = MakeForm(100, 60);
    form->SetPosition(poScreenCenter);
    form->Show();
    const TPoint screenCorner = {form->Left() * 2 + form->Width(),
                                 form->Top() * 2 + form->Height()};
    form->Hide();
    form->SetBounds(0, 0, form->Width(), form->Height());
    form->Show();
    EXPECT_EQ(form->Left(), 0) << "only the first show places it";
    EXPECT_GT(screenCorner.X, form->Width());
    EXPECT_GT(screenCorner.Y, form->Height());
}

TEST(FormTest, CloseAsksCloseQueryThenOnCloseAndFollowsTheAction) {
    TEventLog log;
    auto form = MakeForm(100, 60);
    bool canClose = false;
    TCloseAction answer = caNone;
    form->OnCloseQuery = [&](TObject*, bool& can) {
        log.push_back("query");
        can = canClose;
    };
    form->OnClose = [&](TObject*, TCloseAction& action) {
        log.push_back(action == caHide ? "close hide" : "close");
        action = answer;
    };
    form->Show();
    form->Close();
    EXPECT_EQ(log, (TEventLog{"query"}));
    EXPECT_TRUE(form->Visible());

    canClose = true;
    log.clear();
    form->Close();
    EXPECT_EQ(log, (TEventLog{"query", "close hide"}));
    EXPECT_TRUE(form->Visible()) << "caNone keeps it";

    answer = caMinimize;
    form->Close();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->WindowState(), wsMinimized);

    answer = caHide;
    form->Close();
    EXPECT_FALSE(form->Visible());

    // caFree frees the form once the loop runs again.
    auto* released = MakeForm(50, 50).release();
    bool destroyed = false;
    released->OnDestroy = [&](TObject*) { destroyed = true; };
    released->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    released->Show();
    released->Close();
    EXPECT_FALSE(destroyed);
    ASSERT_TRUE(test::RunLoopUntil([&] { return destroyed; }));
}

TEST(FormTest, ModalResultOnAFormThatIsNotModalOnlyKeepsTheValue) {
    TEventLog log;
    auto form = MakeForm(100, 60);
    LogForm(*form, "f", log);
    form->Show();
    log.clear();
    form->SetModalResult(mrOk);
    test::RunPendingEvents();
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(form->ModalResult(), mrOk);
    form->Hide();

    // Shown modal later, it starts afresh and waits for a result of its own.
    int turns = 0;
    TTimer timer(nullptr);
    timer.SetInterval(1);
    timer.SetOnTimer([&](TObject*) {
        if (++turns == 3) form->SetModalResult(mrNo);
    });
    EXPECT_EQ(form->ShowModal(), mrNo);
    EXPECT_EQ(turns, 3);
}

TEST(FormTest, ModalLoopKeepsTimersAndMessagesRunning) {
    TManualClock clock;
    TEventLog log;
    auto owner = MakeForm(100, 60);
    owner->Show();
    auto dialog = MakeForm(80, 40);
    LogForm(*dialog, "dialog", log);

    constexpr unsigned WM_LINK = WM_USER + 3;
    int messages = 0;
    owner->SetWindowProc([&, original = owner->WindowProc()](TMessage& m) {
        if (m.Msg == WM_LINK) {
            ++messages;
            return;
        }
        original(m);
    });
    int ticks = 0;
    TTimer timer(nullptr);
    timer.SetInterval(100);
    timer.SetOnTimer([&](TObject*) {
        ++ticks;
        PostMessage(owner->Handle(), WM_LINK, 0, 0);
        if (ticks == 3) dialog->SetModalResult(mrOk);
    });
    dialog->OnShow = [&](TObject*) {
        log.push_back("dialog:show");
        for (int i = 0; i < 3; ++i) {
            PostToMainThread([&clock] { clock.Advance(std::chrono::milliseconds(100)); });
        }
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(ticks, 3);
    ASSERT_TRUE(test::RunLoopUntil([&] { return messages == 3; }));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(ActiveForm(), owner.get()) << "the form active before is active again";
    EXPECT_EQ(log, (TEventLog{"dialog:show", "dialog:activate", "dialog:close", "dialog:deactivate",
                              "dialog:hide"}));
}

TEST(FormTest, CloseOfAModalFormEndsItsLoopWithCancelUnlessOnCloseRefuses) {
    auto dialog = MakeForm(80, 40);
    int closes = 0;
    dialog->OnClose = [&](TObject*, TCloseAction& action) {
        if (++closes == 1) action = caNone;
    };
    dialog->OnShow = [&](TObject*) {
        PostToMainThread([&] { dialog->Close(); });
        PostToMainThread([&] { dialog->Close(); });
    };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(closes, 2);
    dialog->OnShow = nullptr;
    EXPECT_THROW(
        {
            dialog->Show();
            dialog->ShowModal();
        },
        EInvalidOperation);
}

TEST(FormTest, AModelessFormShownOverAModalOneTakesInputTheOthersDoNot) {
    auto main = MakeForm(200, 100);
    auto* mainButton = Place(new TProbeControl(main.get()), main.get(), 0, 0, 50, 50);
    int mainClicks = 0;
    mainButton->OnClick = [&](TObject*) { ++mainClicks; };
    main->Show();

    auto modal = MakeForm(100, 50);
    auto modeless = MakeForm(150, 60);
    auto* edit = Place(new TProbeControl(modeless.get()), modeless.get(), 5, 5, 100, 20);
    edit->SetTabStop(true);
    std::u16string typed;
    edit->OnKeyPress = [&](TObject*, char16_t& ch) { typed.push_back(ch); };

    modal->OnShow = [&](TObject*) {
        PostToMainThread([&] {
            modeless->Show();
            test::Type(*modeless, "abc");
            test::Click(*mainButton, 10, 10);
            modal->SetModalResult(mrOk);
        });
    };
    EXPECT_EQ(modal->ShowModal(), mrOk);
    EXPECT_EQ(typed, u"abc");
    EXPECT_EQ(mainClicks, 0) << "the form under the modal one takes no input";
    test::Click(*mainButton, 10, 10);
    EXPECT_EQ(mainClicks, 1) << "and takes it again once the modal form is gone";
}

}  // namespace
}  // namespace dsp
