#include <gtest/gtest.h>

#include <fstream>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"
#include "framework/text/Streams.h"
#include "tests/framework/graphics/PixelMap.h"
#include "tests/support/TempFolder.h"
#include "tests/widgets/styled/StyledTestSupport.h"
#include "widgets/styled/GDIPPictureContainer.h"
#include "widgets/styled/GDIPicture.h"

namespace dsp {
namespace {

using test::BmpFile;
using test::PngFile;

std::unique_ptr<TMemoryStream> StreamOf(const std::vector<std::uint8_t>& bytes) {
    auto s = std::make_unique<TMemoryStream>();
    if (!bytes.empty()) s->WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    return s;
}

TEST(GDIPicture, AThumbReadFromAFormIsMeasuredOnlyWhenAsked) {
    const std::vector<std::uint8_t> thumb = BmpFile(16, 29, clSilver, clTeal);
    ASSERT_EQ(thumb.size(), 1446u);
    TGDIPPicture picture;
    picture.ReadData(StreamOf(thumb).get());
    EXPECT_FALSE(picture.Empty());
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.Height(), 0);
    EXPECT_TRUE(picture.GetImageSizes());
    EXPECT_EQ(picture.Width(), 16);
    EXPECT_EQ(picture.Height(), 29);

    // Drawn with the canvas at (x, y): its own size, the bottom-left colour left out.
    TBitmap b(30, 40);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(0, 0, 30, 40));
    b.Canvas()->Draw(5, 3, &picture);
    EXPECT_EQ(b.PixelAt(5, 3), 0xC0C0C0u);
    EXPECT_EQ(b.PixelAt(20, 31), 0xC0C0C0u);
    EXPECT_EQ(b.PixelAt(21, 31), 0x0000FFu);
    EXPECT_EQ(b.PixelAt(5, 31), 0x0000FFu);  // the teal corner is transparent
    EXPECT_EQ(testing::CountPixels(b, 0xC0C0C0), 16 * 29 - 1);
}

TEST(GDIPicture, PngPicturesBlendTheirAlphaWhenStretched) {
    TGDIPPicture picture;
    picture.LoadFromBytes(PngFile(2, 2, 0x80000000));
    TBitmap b(8, 8);
    b.Canvas()->StretchDraw(Rect(0, 0, 8, 8), &picture);
    EXPECT_EQ(picture.Width(), 2);
    EXPECT_NEAR(GetRValue(b.PixelAt(4, 4)), 127, 2);
    EXPECT_EQ(testing::InkBounds(b), Rect(0, 0, 8, 8));
}

TEST(GDIPicture, StreamsLoadWholeFromTheirStart) {
    const std::vector<std::uint8_t> file = BmpFile(3, 2, clLime, clLime);
    auto atEnd = StreamOf(file);  // written, so positioned at its end
    TGDIPPicture plain;
    int changes = 0;
    plain.OnChange = [&](TObject*) { ++changes; };
    plain.LoadFromStream(atEnd.get());
    EXPECT_EQ(plain.Width(), 3);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(plain.SaveToBytes(), file);

    TMemoryStream empty;
    TGDIPPicture emptied;
    emptied.LoadFromStream(&empty);
    EXPECT_FALSE(emptied.Empty());  // loaded, with nothing to draw
    TAdvGDIPPicture adv;
    adv.LoadFromStream(&empty);
    EXPECT_TRUE(adv.Empty());
}

TEST(GDIPicture, AssignTakesBitmapsAndOnlyTheRichPictureTakesOtherGraphics) {
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(test::JpegFile(5, 4, clNavy));
    TGDIPPicture plain;
    plain.Assign(&jpeg);
    EXPECT_TRUE(plain.Empty());
    TAdvGDIPPicture adv;
    adv.Assign(&jpeg);
    EXPECT_FALSE(adv.Empty());
    EXPECT_EQ(adv.Width(), 5);
    EXPECT_EQ(adv.SaveToBytes(), jpeg.SaveToBytes());

    TBitmap bitmap(6, 7);
    plain.Assign(&bitmap);
    EXPECT_EQ(plain.Height(), 7);
    TPicture holder;
    holder.SetGraphic(&bitmap);
    adv.Assign(&holder);
    EXPECT_EQ(adv.Height(), 7);
    TPicture nothing;
    adv.Assign(&nothing);
    EXPECT_TRUE(adv.Empty());
    int clears = 0;
    adv.OnClear = [&](TObject*) { ++clears; };
    adv.Assign(nullptr);
    EXPECT_EQ(clears, 1);
}

TEST(GDIPicture, UrlsLoadFilesOnlyAndResourcesThatExist) {
    test::TTempFolder folder;
    const std::string path = folder.File("thumb.bmp");
    {
        const std::vector<std::uint8_t> file = BmpFile(4, 6, clBlue, clBlue);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()), static_cast<long>(file.size()));
    }
    struct Case {
        std::string url;
        bool loads;
    };
    const Case cases[] = {{"file://" + path, true},
                          {"FILE://" + path, true},
                          {"FILE://", false},
                          {"res://NOSUCHPICTURE", false},
                          {"http://example.invalid/x.png", false}};
    for (const Case& c : cases) {
        TAdvGDIPPicture picture;
        picture.LoadFromURL(c.url);
        EXPECT_EQ(!picture.Empty(), c.loads) << c.url;
        if (c.loads) {
            EXPECT_EQ(picture.Width(), 4) << c.url;  // from the file's header
        }
    }
    TAdvGDIPPicture missing;
    missing.LoadFromFile(folder.File("none.png"));
    EXPECT_TRUE(missing.Empty());
}

TEST(GDIPicture, TransparentBitmapsLeaveOutTheirKeyColourInTheLayer) {
    TAdvGDIPPicture picture;
    test::LoadPicture(picture, BmpFile(4, 3, clLime, clTeal));
    picture.SetTransparent(true);
    for (TTransparentMode mode : {tmAuto, tmFixed}) {
        picture.SetTransparentMode(mode);
        picture.SetTransparentColor(clLime);
        TBitmap b(6, 5);
        b.Canvas()->Brush()->SetColor(clRed);
        b.Canvas()->FillRect(Rect(0, 0, 6, 5));
        TGPGraphics g(b.Canvas());
        picture.GDIPDraw(&g, Rect(1, 1, 50, 50));  // a BMP keeps its own size
        const TColorRef teal = 0x808000;
        if (mode == tmAuto) {
            EXPECT_EQ(b.PixelAt(1, 3), 0x0000FFu);
            EXPECT_EQ(b.PixelAt(2, 2), 0x00FF00u);
        } else {
            EXPECT_EQ(b.PixelAt(1, 3), teal);
            EXPECT_EQ(b.PixelAt(2, 2), 0x0000FFu);
        }
        EXPECT_EQ(b.PixelAt(5, 2), 0x0000FFu);
    }
}

TEST(GDIPicture, PicturesTooLargeToDecodeDrawNothingAndRaiseNothing) {
    TAdvGDIPPicture picture;
    test::LoadPicture(picture, PngFile(4, 4, 0xFF000000));
    TGDIPPicture plain;
    plain.LoadFromBytes(PngFile(4, 4, 0xFF000000));
    const std::size_t previous = PictureMemoryLimit();
    SetPictureMemoryLimit(16);
    TBitmap b(8, 8);
    TGPGraphics g(b.Canvas());
    EXPECT_NO_THROW(picture.GDIPDraw(&g, Rect(0, 0, 4, 4)));
    EXPECT_NO_THROW(picture.Draw(b.Canvas(), Rect(0, 0, 4, 4)));
    EXPECT_NO_THROW(plain.Draw(b.Canvas(), Rect(0, 0, 4, 4)));
    EXPECT_FALSE(plain.GetImageSizes());
    SetPictureMemoryLimit(previous);
    EXPECT_EQ(testing::CountPixels(b, 0xFFFFFF), 64);
    picture.GDIPDraw(&g, Rect(0, 0, 4, 4));
    EXPECT_EQ(testing::CountPixels(b, 0x000000), 16);
}

TEST(GDIPictureContainer, FindsPicturesByNameWithoutCase) {
    TGDIPPictureContainer container(nullptr);
    TPictureItem* first = container.Items()->Add();
    first->SetName("Thumb");
    first->SetTag(1);
    TPictureItem* second = container.Items()->Add();
    second->SetName("THUMB");
    EXPECT_EQ(container.FindPicture("thumb"), first->Picture());
    EXPECT_EQ(container.FindPicture("other"), nullptr);
    TPictureItem* third = container.Items()->Add();
    third->Assign(first);
    EXPECT_EQ(third->Name(), "Thumb");
    EXPECT_EQ(third->Tag(), 1);
    TAdvGDIPPicture notAnItem;
    EXPECT_THROW(third->Assign(&notAnItem), EInvalidCast);
    EXPECT_EQ(container.Version(), "1.0.0.0");
}

// ---- header readers

std::vector<std::uint8_t> Jpeg(std::initializer_list<int> bytes) {
    std::vector<std::uint8_t> v;
    for (int b : bytes) v.push_back(static_cast<std::uint8_t>(b));
    return v;
}

TPictureHeaderSize Read(const std::string& kind, const std::vector<std::uint8_t>& bytes) {
    auto s = StreamOf(bytes);
    s->SetPosition(0);
    return ReadPictureHeaderSize(kind, *s);
}

TEST(PictureHeaders, SizesComeFromTheHeadersAlone) {
    struct Case {
        const char* name;
        std::string kind;
        std::vector<std::uint8_t> bytes;
        int width;
        int height;
    };
    std::vector<std::uint8_t> topDown = BmpFile(16, 29, clRed, clRed);
    topDown[22] = 0xE3;  // height -29
    topDown[23] = topDown[24] = topDown[25] = 0xFF;
    std::vector<std::uint8_t> tiff = {'I', 'I', 42, 0, 8, 0, 0, 0, 3, 0};
    auto entry = [&](int tag, int value) {
        const int e[12] = {tag & 0xFF, tag >> 8, 4, 0, 1, 0, 0, 0, value & 0xFF, value >> 8, 0, 0};
        for (int b : e) tiff.push_back(static_cast<std::uint8_t>(b));
    };
    entry(0x0100, 640);
    entry(0x0115, 3);
    entry(0x0101, 480);
    std::vector<std::uint8_t> shortDirectory = tiff;
    shortDirectory[8] = 1;  // one entry: the height entry lies past the directory
    const std::vector<Case> cases = {
        {"png", ".PNG", PngFile(300, 100, 0xFF000000), 300, 100},
        {"bmp", ".BMP", BmpFile(16, 29, clRed, clRed), 16, 29},
        {"top-down bmp", ".BMP", topDown, 16, 29},
        {"jpeg", ".JPG", test::JpegFile(20, 10, clRed), 20, 10},
        {"jpeg, other extension", ".JPEG", test::JpegFile(7, 9, clRed), 7, 9},
        {"jpeg C3 frame", ".JPG",
         Jpeg({0xFF, 0xD8, 0xFF, 0xC3, 0, 11, 8, 0, 10, 0, 20, 1, 1, 0x11, 0}), 0, 0},
        {"jpeg segment length below 2", ".JPG",
         Jpeg({0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 0xFF, 0xE0, 0, 0}), 0, 0},
        {"jpeg cut short", ".JPG", Jpeg({0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 1, 2}), 0, 0},
        {"tiff", ".TIFF", tiff, 640, 480},
        {"tiff with a short directory", ".TIFF", shortDirectory, 640, 0},
        {"tif extension", ".TIF", tiff, 0, 0},
        {"gif", ".GIF", Jpeg({'G',  'I',  'F',  '8',  '9',  'a', 1, 0, 1, 0,  0x80, 0,  0, 0, 0, 0,
                              0xFF, 0xFF, 0xFF, 0x21, 0x2C, 0,   0, 0, 0, 33, 0,    44, 0, 0, 0}),
         33, 44},
        {"not a picture", ".PNG", Jpeg({1, 2, 3}), 0, 0},
    };
    for (const Case& c : cases) {
        const TPictureHeaderSize size = Read(c.kind, c.bytes);
        EXPECT_EQ(size.width, c.width) << c.name;
        EXPECT_EQ(size.height, c.height) << c.name;
    }
}

}  // namespace
}  // namespace dsp
