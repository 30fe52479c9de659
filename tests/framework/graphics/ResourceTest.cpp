// Pictures and streams loaded from the program's built-in resources, by name and by number.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Resources.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"
#include "framework/graphics/PngImage.h"
#include "framework/text/ResourceStream.h"

namespace dsp {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::unique_ptr<TBitmap> Filled(int width, int height, TColor color) {
    auto b = std::make_unique<TBitmap>(width, height);
    b->Canvas()->Brush()->SetColor(color);
    b->Canvas()->FillRect(Rect(0, 0, width, height));
    return b;
}

// A module table as the build generates one: a 6 x 4 red bitmap, a 3 x 2 blue PNG, an 8 x 8
// green JPEG, a text, and one bitmap known by number. Registered once for the whole program.
struct TTestResources {
    Bytes bitmap, png, jpeg, text, numbered;
    std::vector<TResourceEntry> entries;

    TTestResources() {
        bitmap = Filled(6, 4, clRed)->SaveToBytes();
        TPngImage p;
        p.Assign(Filled(3, 2, clBlue).get());
        png = p.SaveToBytes();
        TJPEGImage j;
        j.Assign(Filled(8, 8, clLime).get());
        jpeg = j.SaveToBytes();
        text = {'W', 'Q', 'J'};
        numbered = Filled(2, 2, clBlack)->SaveToBytes();
        entries = {
            {"TEST_STRIP", RT_BITMAP, bitmap.data(), bitmap.size()},
            {"TEST_STRIP", RT_RCDATA, text.data(), text.size()},
            {"TEST_LOGO", RT_RCDATA, png.data(), png.size()},
            {"TEST_BACKGROUND", RT_RCDATA, jpeg.data(), jpeg.size()},
            {"#101", RT_BITMAP, numbered.data(), numbered.size()},
        };
        RegisterResources(entries.data(), entries.size());
    }
};

const TTestResources& Resources() {
    static const TTestResources* resources = new TTestResources();
    return *resources;
}

TEST(Resources, PicturesLoadByNameWithoutRegardToCaseAndByNumber) {
    Resources();
    TBitmap bitmap;
    bitmap.LoadFromResourceName(HInstance, "test_strip");
    EXPECT_EQ(bitmap.Width(), 6);
    EXPECT_EQ(bitmap.PixelAt(5, 3), RGB(255, 0, 0));

    TPngImage png;
    png.LoadFromResourceName(HInstance, "Test_Logo");
    EXPECT_EQ(png.Width(), 3);
    EXPECT_EQ(png.Height(), 2);

    TJPEGImage jpeg;
    jpeg.LoadFromResourceName(HInstance, "TEST_BACKGROUND");
    EXPECT_EQ(jpeg.Width(), 8);

    TBitmap numbered;
    numbered.LoadFromResourceID(HInstance, 101);
    EXPECT_EQ(numbered.Width(), 2);

    TPicture picture;
    picture.LoadFromResourceName(HInstance, "TEST_LOGO");
    EXPECT_NE(dynamic_cast<TPngImage*>(picture.Graphic()), nullptr) << "kind by signature";
    picture.LoadFromResourceName(HInstance, "TEST_STRIP");
    EXPECT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr) << "the bitmap type first";
}

TEST(Resources, AMissingResourceIsReportedAndChangesNothing) {
    Resources();
    TBitmap bitmap;
    bitmap.LoadFromResourceName(HInstance, "TEST_STRIP");
    struct Case {
        const char* what;
        std::function<void()> load;
    };
    TPngImage png;
    const std::vector<Case> cases = {
        {"unknown name", [&] { bitmap.LoadFromResourceName(HInstance, "NOPE"); }},
        {"unknown number", [&] { bitmap.LoadFromResourceID(HInstance, 102); }},
        {"a bitmap asked of the data type", [&] { png.LoadFromResourceName(HInstance, "#101"); }},
        {"another module", [&] { bitmap.LoadFromResourceName(HINSTANCE{2}, "TEST_STRIP"); }},
        {"an empty name", [&] { bitmap.LoadFromResourceName(HInstance, ""); }},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(c.load(), EResNotFound) << c.what;
        EXPECT_EQ(bitmap.Width(), 6) << c.what;
    }
    try {
        bitmap.LoadFromResourceName(HInstance, "NOPE");
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource NOPE not found");
    }
    // The data resource of a bitmap's name is no picture.
    EXPECT_THROW(png.LoadFromResourceName(HInstance, "TEST_STRIP"), EInvalidGraphic);
}

TEST(Resources, StreamsReadAResourceAndRefuseWrites) {
    Resources();
    TResourceStream stream(HInstance, "test_strip", RT_RCDATA);
    EXPECT_EQ(stream.Size(), 3);
    char buffer[4] = {};
    EXPECT_EQ(stream.Read(buffer, 4), 3);
    EXPECT_EQ(std::string(buffer), "WQJ");
    EXPECT_THROW(stream.Write("x", 1), EStreamError);
    EXPECT_THROW(TResourceStream(HInstance, 7, RT_RCDATA), EResNotFound);
    TResourceStream numbered(HInstance, 101, RT_BITMAP);
    TBitmap b;
    b.LoadFromBytes(numbered.Bytes());
    EXPECT_EQ(b.Height(), 2);
}

}  // namespace
}  // namespace dsp
