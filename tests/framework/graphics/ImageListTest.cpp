#include <gtest/gtest.h>

#include "framework/graphics/ImageList.h"
#include "tests/framework/graphics/PixelMap.h"

namespace dsp {
namespace {

using testing::Map;
using Rows = std::vector<std::string>;

// Two 3 x 2 glyphs side by side on a teal background: a black bar and a yellow dot.
std::unique_ptr<TBitmap> Strip() {
    auto b = std::make_unique<TBitmap>(6, 2);
    b->Canvas()->Brush()->SetColor(clTeal);
    b->Canvas()->FillRect(Rect(0, 0, 6, 2));
    b->Canvas()->Brush()->SetColor(clBlack);
    b->Canvas()->FillRect(Rect(0, 0, 3, 1));
    b->Canvas()->SetPixels(4, 1, clYellow);
    return b;
}

class ImageLists : public ::testing::Test {
protected:
    void SetUp() override {
        list_ = std::make_unique<TImageList>(nullptr);
        list_->SetSize(3, 2);
        strip_ = Strip();
    }
    std::unique_ptr<TImageList> list_;
    std::unique_ptr<TBitmap> strip_;
};

TEST_F(ImageLists, AddMaskedSplitsAStripAndDrawsWithoutTheMaskColour) {
    EXPECT_EQ(list_->AddMasked(strip_.get(), clTeal), 0);
    EXPECT_EQ(list_->Count(), 2);
    TBitmap target(7, 2);
    target.Canvas()->Brush()->SetColor(clLime);
    target.Canvas()->FillRect(Rect(0, 0, 7, 2));
    list_->Draw(target.Canvas(), 0, 0, 0);
    list_->Draw(target.Canvas(), 4, 0, 1);
    EXPECT_EQ(Map(target), (Rows{"###gggg", "gggggyg"}));
    EXPECT_EQ(list_->AddMasked(strip_.get(), clDefault), 2) << "the bottom-left pixel is the key";
    list_->Draw(target.Canvas(), 0, 0, 3);  // no pixel of the dot lands on row 0
    EXPECT_EQ(Map(target)[1], "gygggyg");
}

TEST_F(ImageLists, AddUsesAMaskWhoseWhitePixelsAreTransparent) {
    TBitmap mask(3, 2);
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(Rect(0, 1, 3, 2));
    EXPECT_EQ(list_->Add(strip_.get(), &mask), 0);
    TBitmap target(3, 2);
    list_->Draw(target.Canvas(), 0, 0, 0);
    EXPECT_EQ(Map(target, {{0xFFFFFF, '.'}, {0x808000, 't'}}), (Rows{"...", "ttt"}));
}

TEST_F(ImageLists, GreyedImagesEmbossTheirDarkParts) {
    list_->AddMasked(strip_.get(), clTeal);
    TBitmap target(4, 3);
    target.Canvas()->Brush()->SetColor(clBtnFace);
    target.Canvas()->FillRect(Rect(0, 0, 4, 3));
    list_->Draw(target.Canvas(), 0, 0, 0, false);
    const testing::Legend legend = {{GetSysColor(COLOR_BTNFACE), '.'},
                                    {GetSysColor(COLOR_BTNSHADOW), 's'},
                                    {GetSysColor(COLOR_BTNHIGHLIGHT), 'h'}};
    EXPECT_EQ(Map(target, legend), (Rows{"sss.", ".hhh", "...."}));
    // The yellow dot is not dark: a greyed image of it shows nothing.
    TBitmap other(3, 2);
    list_->Draw(other.Canvas(), 0, 0, 1, false);
    EXPECT_EQ(testing::CountPixels(other, 0xFFFFFF), 6);
}

TEST_F(ImageLists, SizeChangesEmptyTheListAndBadIndexesAreHandled) {
    list_->AddMasked(strip_.get(), clTeal);
    TBitmap narrow(2, 2);
    EXPECT_EQ(list_->AddMasked(&narrow, clNone), -1);
    TBitmap copy;
    EXPECT_TRUE(list_->GetBitmap(1, &copy));
    EXPECT_EQ(Map(copy), (Rows{"...", ".y."}));
    EXPECT_FALSE(list_->GetBitmap(5, &copy));
    list_->Draw(copy.Canvas(), 0, 0, 7);  // nothing
    EXPECT_THROW(list_->Delete(2), EListError);
    list_->Delete(0);
    EXPECT_EQ(list_->Count(), 1);
    list_->SetSize(16, 16);
    EXPECT_EQ(list_->Count(), 0);
}

}  // namespace
}  // namespace dsp
