#include <gtest/gtest.h>

#include <QEvent>

#include <chrono>

#include "framework/controls/StdControlSupport.h"
#include "framework/runtime/ManualClock.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/framework/graphics/PixelMap.h"
#include "tests/widgets/panels/PanelTestSupport.h"
#include "widgets/panels/RzCmboBx.h"

namespace dsp {
namespace {

using namespace std::chrono_literals;
using test::Place;

const char* const kSlopes[] = {"BW -6",  "BL -6",  "BW -12", "BL -12", "LK -12", "BW -18", "BL -18",
                               "BW -24", "BL -24", "LK -24", "BW -30", "BL -30", "BW -36", "BL -36",
                               "LK -36", "BW -42", "BL -42", "BW -48", "BL -48", "LK -48"};

// Counts the warning beeps while it lives.
class TBeepCounter {
public:
    TBeepCounter() {
        SetBeepHandler([this] { ++Beeps; });
    }
    ~TBeepCounter() { SetBeepHandler(nullptr); }
    int Beeps = 0;
};

// A form with a combo box and a second control to take the focus.
struct TComboScene {
    std::unique_ptr<TForm> form_ = test::MakeForm(200, 100);
    TRzComboBox* combo_ = nullptr;
    test::TProbeControl* other_ = nullptr;
    std::vector<std::string> log_;

    explicit TComboScene(TComboBoxStyle style) {
        combo_ = Place(new TRzComboBox(form_.get()), form_.get(), 10, 10, 60, 22);
        combo_->SetStyle(style);
        combo_->Font()->SetName("Arial");
        combo_->Font()->SetHeight(-11);
        other_ = Place(new test::TProbeControl(form_.get()), form_.get(), 100, 10, 40, 40);
        other_->SetTabStop(true);
        combo_->OnClick = [this](TObject*) { log_.push_back("click " + combo_->Text()); };
        combo_->OnChange = [this](TObject*) { log_.push_back("change " + combo_->Text()); };
        combo_->OnKeyPress = [this](TObject*, char16_t& key) {
            log_.push_back(std::string("key ") + static_cast<char>(key));
        };
        combo_->OnMatch = [this](TObject*) { log_.push_back("match " + combo_->Text()); };
    }
    void ShowFocused() {
        test::ShowAndPaint(*form_);
        combo_->SetFocus();
    }
};

std::unique_ptr<TBitmap> PaintAlone(TWinControl& control) {
    auto b = std::make_unique<TBitmap>(control.Width(), control.Height());
    control.PaintTo(*b->Canvas(), 0, 0);
    return b;
}

TEST(RzComboBox, AColourSetOnTheFormHoldsFocusedAndUnfocused) {
    TComboScene scene(csDropDown);
    TRzComboBox& c = *scene.combo_;
    c.SetColor(0x00FFFFDF);
    EXPECT_EQ(c.FocusColor(), 0x00FFFFDF);
    scene.ShowFocused();
    EXPECT_EQ(c.Color(), 0x00FFFFDF);
    scene.other_->SetFocus();
    EXPECT_EQ(c.Color(), 0x00FFFFDF);
    // A focus colour of its own shows only while focused.
    c.SetFocusColor(clYellow);
    c.SetFocus();
    EXPECT_EQ(c.Color(), clYellow);
    scene.other_->SetFocus();
    EXPECT_EQ(c.Color(), 0x00FFFFDF);
    // Read-only: the read-only colour, and no drop-down button.
    c.SetReadOnly(true);
    EXPECT_EQ(c.Color(), clInfoBk);
    const auto readOnly = PaintAlone(c);
    const TColorRef infoBk = ResolveColor(clInfoBk);
    for (int y = 3; y < c.Height() - 3; ++y)
        for (int x = c.Width() - 18; x < c.Width() - 3; ++x) {
            ASSERT_EQ(readOnly->PixelAt(x, y), infoBk) << x << "," << y;
        }
    c.SetReadOnly(false);
    c.SetEnabled(false);
    EXPECT_EQ(c.Color(), clBtnFace);
    c.SetEnabled(true);
    EXPECT_EQ(c.Color(), 0x00FFFFDF);
}

TEST(RzComboBox, FlatButtonIsPlainUntilHoveredThenRaised) {
    TComboScene scene(csDropDown);
    TRzComboBox& c = *scene.combo_;
    c.SetColor(0x00FFFFDF);
    c.SetFlatButtons(true);
    const TRect button = Rect(c.Width() - 19, 2, c.Width() - 2, c.Height() - 2);
    const auto plain = PaintAlone(c);
    EXPECT_EQ(plain->PixelAt(button.Left, button.Top), 0xFFFFDFu);
    EXPECT_EQ(plain->PixelAt(button.Right - 1, button.Bottom - 1), 0xFFFFDFu);
    // The arrow: black, seven pixels wide, in the middle of the strip.
    const int cx = button.Left + button.Width() / 2;
    int row = -1;
    for (int y = button.Top; y < button.Bottom && row < 0; ++y) {
        if (plain->PixelAt(cx, y) == 0) row = y;
    }
    ASSERT_GE(row, 0);
    for (int x = cx - 3; x <= cx + 3; ++x) EXPECT_EQ(plain->PixelAt(x, row), 0u);

    c.Perform(CM_MOUSEENTER);
    EXPECT_TRUE(c.OverControl());
    const auto hot = PaintAlone(c);
    EXPECT_EQ(hot->PixelAt(button.Left, button.Top + 3), 0xFFFFFFu);
    EXPECT_EQ(hot->PixelAt(button.Right - 1, button.Top + 3), 0x808080u);
    EXPECT_EQ(hot->PixelAt(button.Left + 1, button.Top + 1),
              static_cast<TColorRef>(ResolveColor(clBtnFace)));
    c.Perform(CM_MOUSELEAVE);
    EXPECT_EQ(PaintAlone(c)->PixelAt(button.Left, button.Top + 3), 0xFFFFDFu);
}

TEST(RzComboBox, DropDownWidthFitsTheWidestItem) {
    TComboScene scene(csDropDownList);
    TRzComboBox& c = *scene.combo_;
    c.Add("a");
    c.SetDroppedDown(true);
    EXPECT_EQ(c.DroppedWidth(), 60);

    TCanvas measure;
    measure.SetFont(c.Font());
    const std::string wide = "A rather long item for a narrow combo";
    c.Add(wide);
    c.SetDroppedDown(true);
    EXPECT_EQ(c.DroppedWidth(), measure.TextWidth(wide) + 8);
    for (int i = 0; i < 8; ++i) c.Add("x");
    c.SetDroppedDown(true);
    EXPECT_EQ(c.DroppedWidth(), measure.TextWidth(wide) + 17 + 8);
    c.SetDropDownWidth(33);
    c.SetDroppedDown(true);
    EXPECT_EQ(c.DroppedWidth(), 33);
}

TEST(RzComboBox, LeavingWithTextThatIsNoItemTellsNotInList) {
    TComboScene scene(csDropDown);
    TRzComboBox& c = *scene.combo_;
    for (const char* s : kSlopes) c.Add(s);
    int notInList = 0;
    c.OnNotInList = [&](TObject*) { ++notInList; };
    scene.ShowFocused();
    c.ForceText("abc");
    scene.other_->SetFocus();
    EXPECT_EQ(notInList, 1);
    c.SetFocus();
    c.ForceText("bw -6");
    scene.other_->SetFocus();
    EXPECT_EQ(notInList, 1);
    c.SetFocus();
    c.ForceText("");
    scene.other_->SetFocus();
    EXPECT_EQ(notInList, 1);
}

TEST(RzComboBox, WheelStepsButStaysQuietAtTheEnds) {
    TComboScene scene(csDropDownList);
    TRzComboBox& c = *scene.combo_;
    for (const char* s : {"one", "two", "three"}) c.Add(s);
    scene.ShowFocused();
    c.SetItemIndex(2);
    test::SendWheel(c, 5, 5, -120);
    EXPECT_EQ(c.ItemIndex(), 2);
    EXPECT_TRUE(scene.log_.empty());
    test::SendWheel(c, 5, 5, 120);
    EXPECT_EQ(c.ItemIndex(), 1);
    EXPECT_EQ(scene.log_, (std::vector<std::string>{"click two", "change two"}));
    scene.log_.clear();
    c.SetItemIndex(0);
    test::SendWheel(c, 5, 5, 120);
    EXPECT_EQ(c.ItemIndex(), 0);
    EXPECT_TRUE(scene.log_.empty());
    // The main window marks every wheel event handled: the combo does not step.
    c.OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& handled) { handled = true; };
    test::SendWheel(c, 5, 5, -120);
    EXPECT_EQ(c.ItemIndex(), 0);
}

TEST(RzComboBox, ListStylesSearchByTypedPrefixUntilTheTimeOut) {
    TManualClock clock;
    TBeepCounter beeps;
    TComboScene scene(csDropDownList);
    TRzComboBox& c = *scene.combo_;
    for (const char* s : {"BW -6", "BL -6", "BW -12"}) c.Add(s);
    scene.ShowFocused();
    test::Type(c, "b");
    EXPECT_EQ(c.ItemIndex(), 0);
    EXPECT_EQ(scene.log_, (std::vector<std::string>{"click BW -6", "change BW -6", "key b"}));
    test::Type(c, "l");
    EXPECT_EQ(c.Text(), "BL -6");
    EXPECT_EQ(c.SearchString(), "bl");
    // 1.5 s without typing: "b" starts a new search.
    clock.Advance(1499ms);
    EXPECT_EQ(c.SearchString(), "bl");
    clock.Advance(1ms);
    EXPECT_EQ(c.SearchString(), "");
    test::Type(c, "b");
    EXPECT_EQ(c.Text(), "BW -6");
    // A key that finds nothing beeps and changes nothing.
    scene.log_.clear();
    test::Type(c, "x");
    EXPECT_EQ(beeps.Beeps, 1);
    EXPECT_EQ(c.Text(), "BW -6");
    EXPECT_EQ(c.SearchString(), "b");
    EXPECT_TRUE(scene.log_.empty());
    // Backspace that empties the search string clears the selection.
    test::SendKey(c, Qt::Key_Backspace, "\b");
    EXPECT_EQ(c.ItemIndex(), -1);
    EXPECT_EQ(scene.log_.front(), "click ");
    EXPECT_EQ(scene.log_[1], "change ");
    test::SendKey(c, Qt::Key_Backspace, "\b");
    EXPECT_EQ(beeps.Beeps, 2);
}

TEST(RzComboBox, EditableCombosCompleteWhatIsTyped) {
    TBeepCounter beeps;
    TComboScene scene(csDropDown);
    TRzComboBox& c = *scene.combo_;
    for (const char* s : kSlopes) c.Add(s);
    c.SetItemIndex(-1);
    scene.ShowFocused();
    test::Type(c, "L");
    EXPECT_EQ(c.Text(), "LK -12");
    EXPECT_EQ(c.SelStart(), 1);
    EXPECT_EQ(c.SelText(), "K -12");
    EXPECT_EQ(c.ItemIndex(), 4);
    EXPECT_EQ(scene.log_.back(), "match LK -12");
    // Typing on through the tail keeps completing.
    test::Type(c, "K -2");
    EXPECT_EQ(c.Text(), "LK -24");
    EXPECT_EQ(c.SelText(), "4");

    // Nothing begins with "Q": with AllowEdit the edit takes it as typed.
    c.ForceText("");
    c.ClearSearchString();
    test::Type(c, "Q");
    EXPECT_EQ(c.Text(), "Q");
    EXPECT_EQ(c.ItemIndex(), -1);
    EXPECT_EQ(beeps.Beeps, 0);
    // Without AllowEdit it beeps and the text stays as it was.
    c.SetAllowEdit(false);
    test::Type(c, "Z");
    EXPECT_EQ(c.Text(), "Q");
    EXPECT_EQ(beeps.Beeps, 1);
}

TEST(RzComboBox, TextSetByTheProgramCompletesToAnItem) {
    TComboScene scene(csDropDown);
    TRzComboBox& c = *scene.combo_;
    for (const char* s : kSlopes) c.Add(s);
    scene.ShowFocused();
    c.SetText("BW -1");
    EXPECT_EQ(c.Text(), "BW -12");
    EXPECT_EQ(c.ItemIndex(), 2);
    EXPECT_EQ(c.SelStart(), 5);
    EXPECT_EQ(c.SelText(), "2");
    // ForceText takes the text as it is.
    c.ForceText("BW -1");
    EXPECT_EQ(c.Text(), "BW -1");
}

TEST(RzComboBox, ValuesStandBesideTheItems) {
    TComboScene scene(csDropDownList);
    TRzComboBox& c = *scene.combo_;
    c.AddItemValue("Butterworth", "BW");
    c.AddItemValue("Linkwitz", "");
    c.AddItemValue("Bessel", "BL");
    c.SetItemIndex(0);
    EXPECT_EQ(c.Value(), "BW");
    c.SetItemIndex(1);
    EXPECT_EQ(c.Value(), "Linkwitz");
    c.SetValue("BL");
    EXPECT_EQ(c.ItemIndex(), 2);
    c.SetValue("none");
    EXPECT_EQ(c.ItemIndex(), -1);
    // Values are compared exactly.
    c.SetValue("bl");
    EXPECT_EQ(c.ItemIndex(), -1);
    c.DeleteItemValue(0);
    c.SetValue("BL");
    EXPECT_EQ(c.ItemIndex(), 1);
    c.ClearItemsValues();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.Values()->Count(), 0);
}

}  // namespace
}  // namespace dsp
