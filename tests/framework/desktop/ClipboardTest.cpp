#include <gtest/gtest.h>

#include "framework/desktop/Clipboard.h"
#include "framework/desktop/Metafile.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"

namespace dsp {
namespace {

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { Clipboard()->Clear(); }
    void TearDown() override { Clipboard()->Clear(); }
};

std::unique_ptr<TBitmap> Sample() {
    auto b = std::make_unique<TBitmap>(7, 5);
    b->Canvas()->Brush()->SetColor(clNavy);
    b->Canvas()->FillRect(Rect(0, 0, 4, 5));
    b->Canvas()->SetPixels(6, 4, clRed);
    return b;
}

TEST_F(ClipboardTest, RegisteredFormatsAreNumberedOnceByName) {
    const TClipboardFormat fill = RegisterClipboardFormat("GDI+ Fill");
    EXPECT_GE(fill, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormat("gdi+ fill"), fill);
    EXPECT_NE(RegisterClipboardFormat("Another Format"), fill);
    EXPECT_EQ(ClipboardFormatName(fill), "GDI+ Fill");
    EXPECT_EQ(ClipboardFormatName(CF_TEXT), "");
}

TEST_F(ClipboardTest, BytesUnderARegisteredFormatComeBackAsTheyWent) {
    const TClipboardFormat fill = RegisterClipboardFormat("GDI+ Fill");
    const std::vector<std::uint8_t> block = {'T', 'P', 'F', '0', 0, 255, 10, 13};
    std::vector<std::uint8_t> read;
    EXPECT_FALSE(Clipboard()->GetAsBytes(fill, read));
    Clipboard()->SetAsBytes(fill, block);
    EXPECT_TRUE(Clipboard()->HasFormat(fill));
    EXPECT_FALSE(Clipboard()->HasFormat(RegisterClipboardFormat("Another Format")));
    ASSERT_TRUE(Clipboard()->GetAsBytes(fill, read));
    EXPECT_EQ(read, block);
    EXPECT_THROW(Clipboard()->SetAsBytes(0x7777, block), EConvertError);
}

TEST_F(ClipboardTest, EachSetReplacesTheContentUnlessOpenedAroundThem) {
    const TClipboardFormat fill = RegisterClipboardFormat("GDI+ Fill");
    Clipboard()->SetAsText("Out 1");
    EXPECT_EQ(Clipboard()->AsText(), "Out 1");
    Clipboard()->SetAsBytes(fill, {1, 2, 3});
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_EQ(Clipboard()->AsText(), "");

    Clipboard()->Open();
    Clipboard()->SetAsText("\xe8\xbe\x93\xe5\x85\xa5 A");  // Chinese text travels as it is
    Clipboard()->SetAsBytes(fill, {4});
    Clipboard()->Close();
    EXPECT_TRUE(Clipboard()->HasFormat(CF_UNICODETEXT));
    EXPECT_TRUE(Clipboard()->HasFormat(fill));
    EXPECT_EQ(Clipboard()->AsText(), "\xe8\xbe\x93\xe5\x85\xa5 A");

    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_FALSE(Clipboard()->HasFormat(fill));
}

TEST_F(ClipboardTest, ABitmapComesBackPixelForPixel) {
    auto sample = Sample();
    Clipboard()->Assign(sample.get());
    EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
    EXPECT_FALSE(Clipboard()->HasFormat(CF_ENHMETAFILE));
    TBitmap pasted;
    pasted.Assign(Clipboard());
    ASSERT_EQ(pasted.Width(), 7);
    ASSERT_EQ(pasted.Height(), 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(pasted.PixelAt(x, y), sample->PixelAt(x, y));
}

TEST_F(ClipboardTest, AMetafileTravelsAsAMetafileAndAsItsBitmap) {
    TMetafile metafile;
    metafile.SetSize(30, 20);
    {
        TMetafileCanvas canvas(&metafile);
        canvas.Brush()->SetColor(clRed);
        canvas.FillRect(Rect(5, 5, 15, 10));
        canvas.Pen()->SetColor(clBlue);
        canvas.MoveTo(0, 15);
        canvas.LineTo(30, 15);
    }
    Clipboard()->Assign(&metafile);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_ENHMETAFILE));
    EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));

    TMetafile pasted;
    pasted.Assign(Clipboard());
    EXPECT_EQ(pasted.RecordCount(), 2);
    EXPECT_EQ(pasted.Width(), 30);
    TPicture picture;
    picture.Assign(Clipboard());
    EXPECT_NE(dynamic_cast<TMetafile*>(picture.Graphic()), nullptr);
    TBitmap bitmap;
    bitmap.Assign(Clipboard());
    EXPECT_EQ(bitmap.PixelAt(10, 7), 0x0000FFu);
    EXPECT_EQ(bitmap.PixelAt(20, 15), 0xFF0000u);
    EXPECT_EQ(bitmap.PixelAt(20, 7), 0xFFFFFFu);
}

TEST_F(ClipboardTest, AJpegTravelsAsItsFileAndAsABitmap) {
    auto sample = Sample();
    TJPEGImage jpeg;
    jpeg.Assign(sample.get());
    Clipboard()->Assign(&jpeg);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_PICTUREFILE));
    EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
    TPicture picture;
    picture.Assign(Clipboard());
    EXPECT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 7);
}

TEST_F(ClipboardTest, AnEmptyClipboardGivesEmptyPictures) {
    auto bitmap = Sample();
    bitmap->Assign(Clipboard());
    EXPECT_TRUE(bitmap->Empty());
    TMetafile metafile;
    metafile.Assign(Clipboard());
    EXPECT_TRUE(metafile.Empty());
    TPicture picture;
    picture.Assign(Clipboard());
    EXPECT_EQ(picture.Graphic(), nullptr);
}

}  // namespace
}  // namespace dsp
