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
        ratio_ = Place(new TUpDown(form_.get()), form_.get(), 10, 10, 17, 40);
        ratio_->SetMax(15);
        ratio_->OnChangingEx = [this](TObject*, bool& allow, int value, TUpDownDirection d) {
            proposals_.push_back({value, d});
            if (refuse_) allow = false;
        };
        ratio_->OnClick = [this](TObject*, TUDBtnType b) { clicks_.push_back(b); };
    }

    std::unique_ptr<TForm> form_ = MakeForm(200, 100);
    TUpDown* ratio_ = nullptr;
    std::vector<Proposal> proposals_;
    std::vector<TUDBtnType> clicks_;
    bool refuse_ = false;
};

TEST_F(StdUpDown, AProposalBeyondMaxIsDeliveredAndThePositionStays) {
    form_->Show();
    ratio_->SetPosition(15);
    proposals_.clear();
    test::Click(*ratio_, 8, 5);  // the upper button
    EXPECT_EQ(proposals_, (std::vector<Proposal>{{16, updUp}}));
    EXPECT_EQ(ratio_->Position(), 15);
    EXPECT_EQ(clicks_, std::vector<TUDBtnType>{btNext});
    test::Click(*ratio_, 8, 35);
    EXPECT_EQ(proposals_.back(), (Proposal{14, updDown}));
    EXPECT_EQ(ratio_->Position(), 14);
}

TEST_F(StdUpDown, ProgramPositionAsksFirstAndCanBeRefused) {
    ratio_->SetPosition(5);
    EXPECT_EQ(proposals_, (std::vector<Proposal>{{5, updUp}}));
    ratio_->SetPosition(5);  // held already: nothing asked
    EXPECT_EQ(proposals_.size(), 1u);
    refuse_ = true;
    ratio_->SetPosition(2);
    EXPECT_EQ(proposals_.back(), (Proposal{2, updDown}));
    EXPECT_EQ(ratio_->Position(), 5);
    EXPECT_TRUE(clicks_.empty()) << "only steps raise OnClick";
}

TEST_F(StdUpDown, WithoutAWindowAnyPositionIsKept) {
    // Hidden steppers hold unbounded positions; once the up-down has a window it keeps the range.
    ratio_->SetVisible(false);
    ratio_->SetPosition(-170);
    EXPECT_EQ(ratio_->Position(), -170);
    ratio_->SetPosition(130);
    EXPECT_EQ(ratio_->Position(), 130);
    ratio_->HandleNeeded();
    EXPECT_EQ(ratio_->Position(), 15);
    ratio_->SetPosition(40);
    EXPECT_EQ(ratio_->Position(), 15);
}

TEST_F(StdUpDown, HoldingAButtonRepeatsAndWrapGoesRound) {
    TManualClock clock;
    form_->Show();
    ratio_->SetWrap(true);
    ratio_->SetPosition(13);
    proposals_.clear();
    test::SendMouse(*ratio_, QEvent::MouseButtonPress, 8, 5, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(ratio_->Position(), 14);
    clock.Advance(std::chrono::milliseconds(399));
    EXPECT_EQ(ratio_->Position(), 14);
    clock.Advance(std::chrono::milliseconds(1));
    EXPECT_EQ(ratio_->Position(), 15);
    clock.Advance(std::chrono::milliseconds(100));
    EXPECT_EQ(ratio_->Position(), 0) << "wraps to Min";
    test::SendMouse(*ratio_, QEvent::MouseButtonRelease, 8, 5, Qt::LeftButton, Qt::NoButton);
    clock.Advance(std::chrono::milliseconds(500));
    EXPECT_EQ(ratio_->Position(), 0);
    EXPECT_EQ(proposals_.size(), 3u);
}

TEST_F(StdUpDown, AnAssociateShowsThePositionAndStepsWithItsArrows) {
    auto* box = Place(new TEdit(form_.get()), form_.get(), 40, 10, 50, 21);
    ratio_->SetAssociate(box);
    EXPECT_EQ(ratio_->Left(), 90);
    EXPECT_EQ(ratio_->Height(), 21);
    EXPECT_EQ(box->Text(), "0");
    form_->Show();
    box->SetFocus();
    test::SendKey(*box, Qt::Key_Up);
    test::SendKey(*box, Qt::Key_Up);
    EXPECT_EQ(ratio_->Position(), 2);
    EXPECT_EQ(box->Text(), "2");
    // A typed value is where the next step starts.
    box->SetText("7");
    test::SendKey(*box, Qt::Key_Down);
    EXPECT_EQ(ratio_->Position(), 6);
    delete box;
    EXPECT_EQ(ratio_->Associate(), nullptr);
}

TEST_F(StdUpDown, AClickFocusesTheAssociateBeforeTheStep) {
    auto* box = Place(new TEdit(form_.get()), form_.get(), 40, 10, 50, 21);
    auto* other = Place(new TEdit(form_.get()), form_.get(), 40, 50, 50, 21);
    ratio_->SetAssociate(box);
    std::vector<std::string> log;
    box->OnEnter = [&log](TObject*) { log.push_back("enter"); };
    ratio_->OnClick = [&log](TObject*, TUDBtnType) { log.push_back("click"); };
    form_->Show();
    other->SetFocus();
    log.clear();
    test::Click(*ratio_, 8, 5);
    EXPECT_TRUE(box->Focused());
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "click"}));
    // Without an associate the focus stays where it is.
    ratio_->SetAssociate(nullptr);
    other->SetFocus();
    test::Click(*ratio_, 8, 5);
    EXPECT_TRUE(other->Focused());
}

}  // namespace
}  // namespace dsp
