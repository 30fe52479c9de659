// The up-down's proposals and limits, as the compressor's ratio and knee steppers use them.

#include <gtest/gtest.h>

#include <QEvent>

#include <string>
#include <vector>

#include "framework/controls/Edit.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/UpDown.h"
#include "framework/runtime/ManualClock.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;

struct Proposal {
    int value;
    TUpDownDirection direction;
    bool operator==(const Proposal&) const = default;
};

class StdUpDown : public ::testing::Test {
protected:
    void SetUp() override {
        ResetKeyboardState();
        ratio = Place(new TUpDown(form.get()), form.get(), 10, 10, 17, 40);
        ratio->SetMax(15);
        ratio->OnChangingEx = [this](TObject*, bool& allow, int value, TUpDownDirection d) {
            proposals.push_back({value, d});
            if (refuse) allow = false;
        };
        ratio->OnClick = [this](TObject*, TUDBtnType b) { clicks.push_back(b); };
    }

    std::unique_ptr<TForm> form = MakeForm(200, 100);
    TUpDown* ratio = nullptr;
    std::vector<Proposal> proposals;
    std::vector<TUDBtnType> clicks;
    bool refuse = false;
};

TEST_F(StdUpDown, AProposalBeyondMaxIsDeliveredAndThePositionStays) {
    form->Show();
    ratio->SetPosition(15);
    proposals.clear();
    test::Click(*ratio, 8, 5);  // the upper button
    EXPECT_EQ(proposals, (std::vector<Proposal>{{16, updUp}}));
    EXPECT_EQ(ratio->Position(), 15);
    EXPECT_EQ(clicks, std::vector<TUDBtnType>{btNext});
    test::Click(*ratio, 8, 35);
    EXPECT_EQ(proposals.back(), (Proposal{14, updDown}));
    EXPECT_EQ(ratio->Position(), 14);
}

TEST_F(StdUpDown, ProgramPositionAsksFirstAndCanBeRefused) {
    ratio->SetPosition(5);
    EXPECT_EQ(proposals, (std::vector<Proposal>{{5, updUp}}));
    ratio->SetPosition(5);  // held already: nothing asked
    EXPECT_EQ(proposals.size(), 1u);
    refuse = true;
    ratio->SetPosition(2);
    EXPECT_EQ(proposals.back(), (Proposal{2, updDown}));
    EXPECT_EQ(ratio->Position(), 5);
    EXPECT_TRUE(clicks.empty()) << "only steps raise OnClick";
}

TEST_F(StdUpDown, WithoutAWindowAnyPositionIsKept) {
    // Hidden steppers hold unbounded positions; once the up-down has a window it keeps the range.
    ratio->SetVisible(false);
    ratio->SetPosition(-170);
    EXPECT_EQ(ratio->Position(), -170);
    ratio->SetPosition(130);
    EXPECT_EQ(ratio->Position(), 130);
    ratio->HandleNeeded();
    EXPECT_EQ(ratio->Position(), 15);
    ratio->SetPosition(40);
    EXPECT_EQ(ratio->Position(), 15);
}

TEST_F(StdUpDown, HoldingAButtonRepeatsAndWrapGoesRound) {
    TManualClock clock;
    form->Show();
    ratio->SetWrap(true);
    ratio->SetPosition(13);
    proposals.clear();
    test::SendMouse(*ratio, QEvent::MouseButtonPress, 8, 5, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(ratio->Position(), 14);
    clock.Advance(std::chrono::milliseconds(399));
    EXPECT_EQ(ratio->Position(), 14);
    clock.Advance(std::chrono::milliseconds(1));
    EXPECT_EQ(ratio->Position(), 15);
    clock.Advance(std::chrono::milliseconds(100));
    EXPECT_EQ(ratio->Position(), 0) << "wraps to Min";
    test::SendMouse(*ratio, QEvent::MouseButtonRelease, 8, 5, Qt::LeftButton, Qt::NoButton);
    clock.Advance(std::chrono::milliseconds(500));
    EXPECT_EQ(ratio->Position(), 0);
    EXPECT_EQ(proposals.size(), 3u);
}

TEST_F(StdUpDown, AnAssociateShowsThePositionAndStepsWithItsArrows) {
    auto* box = Place(new TEdit(form.get()), form.get(), 40, 10, 50, 21);
    ratio->SetAssociate(box);
    EXPECT_EQ(ratio->Left(), 90);
    EXPECT_EQ(ratio->Height(), 21);
    EXPECT_EQ(box->Text(), "0");
    form->Show();
    box->SetFocus();
    test::SendKey(*box, Qt::Key_Up);
    test::SendKey(*box, Qt::Key_Up);
    EXPECT_EQ(ratio->Position(), 2);
    EXPECT_EQ(box->Text(), "2");
    // A typed value is where the next step starts.
    box->SetText("7");
    test::SendKey(*box, Qt::Key_Down);
    EXPECT_EQ(ratio->Position(), 6);
    delete box;
    EXPECT_EQ(ratio->Associate(), nullptr);
}

TEST_F(StdUpDown, AClickFocusesTheAssociateBeforeTheStep) {
    auto* box = Place(new TEdit(form.get()), form.get(), 40, 10, 50, 21);
    auto* other = Place(new TEdit(form.get()), form.get(), 40, 50, 50, 21);
    ratio->SetAssociate(box);
    std::vector<std::string> log;
    box->OnEnter = [&log](TObject*) { log.push_back("enter"); };
    ratio->OnClick = [&log](TObject*, TUDBtnType) { log.push_back("click"); };
    form->Show();
    other->SetFocus();
    log.clear();
    test::Click(*ratio, 8, 5);
    EXPECT_TRUE(box->Focused());
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "click"}));
    // Without an associate the focus stays where it is.
    ratio->SetAssociate(nullptr);
    other->SetFocus();
    test::Click(*ratio, 8, 5);
    EXPECT_TRUE(other->Focused());
}

}  // namespace
}  // namespace dsp
