#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <cstdlib>
#include <filesystem>

#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"
#include "framework/graphics/PngImage.h"
#include "tests/framework/graphics/PixelMap.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Four colour blocks of 8 x 8: red, green / blue, white.
std::unique_ptr<TBitmap> Blocks() {
    auto b = std::make_unique<TBitmap>(16, 16);
    const TColor colours[] = {clRed, clLime, clBlue, clWhite};
    for (int i = 0; i < 4; ++i) {
        b->Canvas()->Brush()->SetColor(colours[i]);
        b->Canvas()->FillRect(Bounds((i % 2) * 8, (i / 2) * 8, 8, 8));
    }
    return b;
}

bool Near(TColorRef a, TColorRef b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBigEndian(Bytes& b, std::size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b[at + static_cast<std::size_t>(i)] = (v >> (8 * (bytes - 1 - i))) & 0xFF;
}

class TempFolder : public ::testing::Test {
protected:
    std::string File(const std::string& name) const { return folder_.File(name); }
    test::TTempFolder folder_;
};

TEST(JpegImages, CompressAndDecodeKeepTheColoursCloseAndTheSize) {
    auto blocks = Blocks();
    TJPEGImage jpeg;
    jpeg.Assign(blocks.get());
    jpeg.SetCompressionQuality(95);
    const Bytes data = jpeg.SaveToBytes();
    ASSERT_GE(data.size(), 4u);
    EXPECT_EQ(data[0], 0xFF);
    EXPECT_EQ(data[1], 0xD8);

    TJPEGImage loaded;
    loaded.LoadFromBytes(data);
    EXPECT_EQ(loaded.Width(), 16);  // known from the header before decoding
    EXPECT_EQ(loaded.Height(), 16);
    TBitmap decoded;
    decoded.Assign(&loaded);
    EXPECT_TRUE(Near(decoded.PixelAt(3, 3), 0x0000FF, 24));
    EXPECT_TRUE(Near(decoded.PixelAt(12, 3), 0x00FF00, 24));
    EXPECT_TRUE(Near(decoded.PixelAt(3, 12), 0xFF0000, 24));
    EXPECT_TRUE(Near(decoded.PixelAt(12, 12), 0xFFFFFF, 24));
}

TEST(JpegImages, QualityProgressiveAndGreyscaleSettingsShapeTheFile) {
    TBitmap noisy(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            noisy.Canvas()->SetPixels(x, y, static_cast<TColor>(RGB(x * 4, (x * y) % 256, y * 4)));
    auto encode = [&](int quality, bool progressive, bool grey) {
        TJPEGImage jpeg;
        jpeg.Assign(&noisy);
        jpeg.SetCompressionQuality(quality);
        jpeg.SetProgressiveEncoding(progressive);
        jpeg.SetGrayscale(grey);
        return jpeg.SaveToBytes();
    };
    EXPECT_LT(encode(10, false, false).size(), encode(95, false, false).size());
    const Bytes progressive = encode(75, true, false);
    EXPECT_NE(progressive, encode(75, false, false));
    // A progressive file starts its frame with the progressive marker (FF C2).
    bool sof2 = false;
    for (std::size_t i = 0; i + 1 < progressive.size(); ++i)
        sof2 |= progressive[i] == 0xFF && progressive[i + 1] == 0xC2;
    EXPECT_TRUE(sof2);
    TJPEGImage grey;
    grey.LoadFromBytes(encode(75, false, true));
    const TColorRef p = grey.Bitmap()->PixelAt(40, 20);
    EXPECT_EQ(GetRValue(p), GetGValue(p));
    EXPECT_EQ(GetGValue(p), GetBValue(p));
    EXPECT_EQ(encode(75, true, false), progressive)
        << "the same picture and settings give the same bytes";
}

TEST(JpegImages, BrokenDataIsRefusedWithoutHarm) {
    auto blocks = Blocks();
    TJPEGImage jpeg;
    jpeg.Assign(blocks.get());
    Bytes data = jpeg.SaveToBytes();
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"not a JPEG", {'h', 'e', 'l', 'l', 'o'}},
        {"marker only", {0xFF, 0xD8, 0xFF}},
        {"header cut", Bytes(data.begin(), data.begin() + 40)},
    };
    for (const auto& [name, bytes] : cases) {
        TJPEGImage broken;
        EXPECT_THROW(broken.LoadFromBytes(bytes), EInvalidGraphic) << name;
    }
    // A small file that claims an enormous picture is refused before anything is allocated.
    Bytes huge = data;
    for (std::size_t i = 0; i + 8 < huge.size(); ++i)
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            PutBigEndian(huge, i + 5, 60000, 2);
            PutBigEndian(huge, i + 7, 60000, 2);
            break;
        }
    TJPEGImage enormous;
    EXPECT_THAT([&] { enormous.LoadFromBytes(huge); },
                ::testing::ThrowsMessage<EInvalidGraphic>(::testing::HasSubstr("too large")));
    // A file cut inside its picture data decodes what is there.
    TBitmap large(64, 64);
    large.Canvas()->GradientFill(Rect(0, 0, 64, 64), clRed, clBlue, GRADIENT_FILL_RECT_H);
    jpeg.Assign(&large);
    data = jpeg.SaveToBytes();
    TJPEGImage cut;
    cut.LoadFromBytes(Bytes(data.begin(), data.end() - 100));
    EXPECT_EQ(cut.Bitmap()->Width(), 64);
    EXPECT_TRUE(Near(cut.Bitmap()->PixelAt(0, 0), 0x0000FF, 24));
}

TEST(PngImages, RoundTripKeepsPixelsAndAlphaExactly) {
    QImage source(3, 2, QImage::Format_ARGB32);
    source.setPixel(0, 0, qRgba(255, 0, 0, 255));
    source.setPixel(1, 0, qRgba(0, 255, 0, 128));
    source.setPixel(2, 0, qRgba(0, 0, 255, 0));
    source.setPixel(0, 1, qRgba(10, 20, 30, 40));
    source.setPixel(1, 1, qRgba(1, 2, 3, 255));
    source.setPixel(2, 1, qRgba(200, 100, 50, 255));
    QByteArray qtPng;
    QBuffer buffer(&qtPng);
    buffer.open(QIODevice::WriteOnly);
    source.save(&buffer, "PNG");
    TPngImage png;
    png.LoadFromBytes(Bytes(qtPng.begin(), qtPng.end()));
    ASSERT_TRUE(png.HasAlpha());
    TPngImage again;
    again.LoadFromBytes(png.SaveToBytes());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const QRgb p = source.pixel(x, y);
            EXPECT_EQ(again.PixelWithAlpha(x, y), (static_cast<std::uint32_t>(qAlpha(p)) << 24) |
                                                      RGB(qRed(p), qGreen(p), qBlue(p)))
                << x << "," << y;
        }
}

TEST(PngImages, PaletteFilesWithATransparentEntryGetAlpha) {
    QImage indexed(2, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgba(0, 0, 0, 0), qRgb(255, 0, 0)});
    indexed.setPixel(0, 0, 0);
    indexed.setPixel(1, 0, 1);
    QByteArray qtPng;
    QBuffer buffer(&qtPng);
    buffer.open(QIODevice::WriteOnly);
    indexed.save(&buffer, "PNG");
    TPngImage png;
    png.LoadFromBytes(Bytes(qtPng.begin(), qtPng.end()));
    EXPECT_TRUE(png.HasAlpha());
    EXPECT_EQ(png.PixelWithAlpha(0, 0) >> 24, 0u);
    EXPECT_EQ(png.PixelWithAlpha(1, 0), 0xFF0000FFu);
}

TEST(PngImages, DrawingBlendsByAlphaAndCompressionLevelsChangeTheSize) {
    QImage half(2, 2, QImage::Format_ARGB32);
    half.fill(qRgba(255, 0, 0, 128));
    TBitmap stage(2, 2);
    TPngImage png;
    QByteArray qtPng;
    QBuffer buffer(&qtPng);
    buffer.open(QIODevice::WriteOnly);
    half.save(&buffer, "PNG");
    png.LoadFromBytes(Bytes(qtPng.begin(), qtPng.end()));
    stage.Canvas()->Draw(0, 0, &png);
    const TColorRef p = stage.PixelAt(1, 1);
    EXPECT_EQ(GetRValue(p), 255);
    EXPECT_NEAR(GetGValue(p), 127, 1);

    TBitmap big(128, 128);
    for (int y = 0; y < 128; y += 4) {
        big.Canvas()->MoveTo(0, y);
        big.Canvas()->LineTo(128, y);
    }
    TPngImage level;
    level.Assign(&big);
    level.SetCompressionLevel(0);
    const std::size_t stored = level.SaveToBytes().size();
    level.SetCompressionLevel(9);
    const std::size_t packed = level.SaveToBytes().size();
    EXPECT_GT(stored, 128u * 128u * 3u);
    EXPECT_LT(packed, stored / 10);
    TPngImage back;
    back.LoadFromBytes(level.SaveToBytes());
    EXPECT_FALSE(back.HasAlpha());
    EXPECT_EQ(back.PixelWithAlpha(5, 4), 0xFF000000u);
    EXPECT_EQ(back.PixelWithAlpha(5, 5), 0xFFFFFFFFu);
}

TEST(PngImages, BrokenDataIsRefusedWithoutHarm) {
    auto blocks = Blocks();
    TPngImage png;
    png.Assign(blocks.get());
    const Bytes good = png.SaveToBytes();
    Bytes badCrc = good;
    badCrc[30] ^= 0xFF;  // inside the header chunk
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"not a PNG", {'G', 'I', 'F', '8', '9', 'a', 0, 0}},
        {"signature only", Bytes(good.begin(), good.begin() + 8)},
        {"cut short", Bytes(good.begin(), good.begin() + static_cast<long>(good.size() / 2))},
        {"bad checksum", badCrc},
    };
    Bytes huge = good;
    PutBigEndian(huge, 16, 20000, 4);  // width and height in the header chunk
    PutBigEndian(huge, 20, 20000, 4);
    PutBigEndian(huge, 29, Crc32(huge.data() + 12, 17), 4);
    for (const auto& [name, bytes] : cases) {
        TPngImage broken;
        EXPECT_THROW(broken.LoadFromBytes(bytes), EInvalidGraphic) << name;
    }
    TPngImage enormous;
    EXPECT_THAT([&] { enormous.LoadFromBytes(huge); },
                ::testing::ThrowsMessage<EInvalidGraphic>(::testing::HasSubstr("too large")));
}

TEST_F(TempFolder, PicturesPickTheirKindByExtensionOrSignature) {
    auto blocks = Blocks();
    for (const char* name : {"a.bmp", "b.PNG", "c.jpg", "d.jpeg"}) {
        TPicture picture;
        picture.SetGraphic(blocks.get());
        if (std::string(name) != "a.bmp") {
            std::unique_ptr<TGraphic> other;
            if (std::string(name) == "b.PNG")
                other = std::make_unique<TPngImage>();
            else
                other = std::make_unique<TJPEGImage>();
            other->Assign(blocks.get());
            picture.SetGraphic(other.get());
        }
        picture.SaveToFile(File(name));
        TPicture loaded;
        loaded.LoadFromFile(File(name));
        EXPECT_EQ(loaded.Width(), 16) << name;
        TPicture bySignature;
        bySignature.LoadFromBytes(ReadFileBytes(File(name)));
        EXPECT_EQ(bySignature.Graphic()->ClassName(), loaded.Graphic()->ClassName()) << name;
        TBitmap pixels;
        pixels.Assign(&loaded);
        EXPECT_TRUE(Near(pixels.PixelAt(12, 12), 0xFFFFFF, 24)) << name;
    }
    TPicture picture;
    EXPECT_THROW(picture.LoadFromFile(File("x.gif")), EInvalidGraphic);
    EXPECT_THROW(picture.LoadFromFile(File("missing.png")), EOSError);
    EXPECT_THROW(picture.LoadFromBytes({1, 2, 3}), EInvalidGraphic);
}

TEST(Pictures, BitmapReplacesAnotherKindAndChangesAreReported) {
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    TJPEGImage jpeg;
    auto blocks = Blocks();
    jpeg.Assign(blocks.get());
    picture.SetGraphic(&jpeg);
    EXPECT_EQ(picture.Graphic()->ClassName(), "TJPEGImage");
    TBitmap* bitmap = picture.Bitmap();
    EXPECT_TRUE(bitmap->Empty());
    bitmap->SetSize(3, 3);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_GE(changes, 3);
}

}  // namespace
}  // namespace dsp
