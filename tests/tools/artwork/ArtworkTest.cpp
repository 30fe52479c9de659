// The artwork generator: two runs write the same bytes, the program embeds exactly what the
// generator wrote, and the pictures are found by name with the sizes and key colours the
// widgets expect.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "framework/core/Resources.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/PngImage.h"
#include "tests/support/TempFolder.h"
#include "tools/artwork/Artwork.h"

namespace dsp::artwork {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Runs the generator program into a folder; its exit status.
int RunGenerator(const std::string& folder) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) ::dup2(null, 1);
        ::execl(DSP_ARTWORK_PROGRAM, DSP_ARTWORK_PROGRAM, folder.c_str(), nullptr);
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The files a run lists in resources.txt, by resource name.
std::map<std::string, Bytes> ListedFiles(const std::string& folder) {
    std::map<std::string, Bytes> files;
    std::ifstream list(folder + "/resources.txt");
    std::string name, type, file;
    while (list >> name >> type >> file) files[name + " " + type] = ReadFile(folder + "/" + file);
    return files;
}

TEST(Artwork, TwoRunsWriteByteIdenticalFiles) {
    test::TTempFolder first, second;
    ASSERT_EQ(RunGenerator(first.Path()), 0);
    ASSERT_EQ(RunGenerator(second.Path()), 0);
    EXPECT_EQ(ReadFile(first.File("resources.txt")), ReadFile(second.File("resources.txt")));
    const auto a = ListedFiles(first.Path());
    const auto b = ListedFiles(second.Path());
    ASSERT_EQ(a.size(), AllPictures().size());
    for (const auto& [name, bytes] : a) {
        EXPECT_FALSE(bytes.empty()) << name;
        EXPECT_TRUE(b.count(name) && b.at(name) == bytes) << name << " differs between runs";
    }
}

TEST(Artwork, TheProgramEmbedsWhatTheGeneratorDraws) {
    // Drawn here, in this process, and compared with what the build embedded.
    for (const TPictureDef& picture : AllPictures()) {
        const TResourceEntry* entry =
            FindResource(HInstance, picture.name, ResourceTypeOf(picture.kind));
        ASSERT_NE(entry, nullptr) << picture.name;
        const Bytes embedded(entry->data, entry->data + entry->size);
        EXPECT_TRUE(embedded == RenderFile(picture)) << picture.name;
    }
    EXPECT_EQ(FileNameOf({"#101", TFileKind::Jpeg, nullptr}), "id101.jpg");
}

TEST(Artwork, PicturesLoadByNameWithTheirSizesAndKeyColour) {
    const TColorRef teal = RGB(0, 128, 128);
    struct Case {
        const char* name;
        int width, height;
        TPixelFormat format;
    };
    for (const Case& c : {Case{"BTN_PAGE", 4 * 64, 24, pf24bit}, Case{"SCROLL", 24, 24, pf4bit},
                          Case{"SMALLSCROLL", 16, 16, pf4bit}}) {
        TBitmap bitmap;
        bitmap.LoadFromResourceName(HInstance, c.name);
        EXPECT_EQ(bitmap.Width(), c.width) << c.name;
        EXPECT_EQ(bitmap.Height(), c.height) << c.name;
        EXPECT_EQ(bitmap.PixelFormat(), c.format) << c.name;
        EXPECT_EQ(bitmap.PixelAt(0, 0), teal) << c.name;
        EXPECT_EQ(bitmap.PixelAt(c.width - 1, c.height - 1), teal) << c.name;
        EXPECT_NE(bitmap.PixelAt(c.width / 2, c.height / 2), teal) << c.name;
    }
    // Each frame of the button strip has key-coloured corners and a face of its own.
    TBitmap strip;
    strip.LoadFromResourceName(HInstance, "btn_page");
    std::vector<TColorRef> faces;
    for (int frame = 0; frame < 4; ++frame) {
        const int left = frame * 64;
        for (TPoint corner :
             {Point(left, 0), Point(left + 63, 0), Point(left, 23), Point(left + 63, 23)}) {
            EXPECT_EQ(strip.PixelAt(corner.X, corner.Y), teal) << "frame " << frame;
        }
        faces.push_back(strip.PixelAt(left + 32, 12));
    }
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) EXPECT_NE(faces[i], faces[j]) << i << " and " << j;
    }

    TJPEGImage background;
    background.LoadFromResourceName(HInstance, "SCAN_BACKGROUND");
    EXPECT_EQ(background.Width(), 359);
    EXPECT_EQ(background.Height(), 150);
    TPngImage icon;
    icon.LoadFromResourceName(HInstance, "MAINICON");
    EXPECT_EQ(icon.Width(), 32);
    // The splash picture keeps its alpha: a panel with soft rounded corners over nothing.
    TPngImage splash;
    splash.LoadFromResourceName(HInstance, "SPLASH");
    EXPECT_EQ(splash.Width(), 620);
    EXPECT_EQ(splash.Height(), 350);
    EXPECT_TRUE(splash.HasAlpha());
    EXPECT_EQ(splash.PixelWithAlpha(0, 0) >> 24, 0u);
    EXPECT_EQ(splash.PixelWithAlpha(310, 175) >> 24, 255u);
    EXPECT_LT(splash.PixelWithAlpha(7, 6) >> 24, 255u) << "the corner is rounded";
}

}  // namespace
}  // namespace dsp::artwork
