// The window-backed component beyond its frame: the see-through mode, painting into another
// canvas, image export, and themes read from theme files found through the ini files.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/desktop/Metafile.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/PngImage.h"
#include "framework/text/FileNames.h"
#include "plot/engine/iClasses.h"
#include "plot/engine/iVCLComponent.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/plot/engine/PlotTestSupport.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;
using test::ShowAndPaint;
using test::ShownPixel;

// A component that shows its background and a blue square in its middle.
class TSquareComponent : public TiCustomComponent {
public:
    using TiCustomComponent::TiCustomComponent;
    void PaintToCanvas(TCanvas* canvas) override {
        DrawBackGround(canvas, GetBackGroundColor());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(clBlue);
        canvas->FillRect({Width() / 2 - 2, Height() / 2 - 2, Width() / 2 + 2, Height() / 2 + 2});
    }
};

TEST(ComponentSeeThroughTest, ShowsWhatLiesUnderItAndTakesItAgainAfterAMove) {
    auto form = MakeForm(120, 60, clYellow);
    auto* under = Place(new test::TProbeGraphic(form.get()), form.get(), 0, 0, 30, 60);
    under->fill = clRed;
    auto* c = Place(new TSquareComponent(form.get()), form.get(), 20, 10, 40, 20);
    c->SetBackGroundColor(clLime);
    ShowAndPaint(*form);
    EXPECT_EQ(ShownPixel(*c, 2, 2), ColorToRGB(clLime)) << "opaque: its own colour";

    c->SetTransparent(true);
    EXPECT_TRUE(c->TransparentCapturePending());
    ShowAndPaint(*form);
    EXPECT_FALSE(c->TransparentCapturePending());
    EXPECT_EQ(ShownPixel(*c, 2, 2), ColorToRGB(clRed)) << "the graphic under its left part";
    EXPECT_EQ(ShownPixel(*c, 35, 2), ColorToRGB(clYellow)) << "the form's colour elsewhere";
    EXPECT_EQ(ShownPixel(*c, 20, 10), ColorToRGB(clBlue)) << "its own drawing on top";

    // Moved to the right: what lies under it now is taken again.
    c->SetBounds(70, 10, 40, 20);
    EXPECT_TRUE(c->TransparentCapturePending());
    ShowAndPaint(*form);
    EXPECT_EQ(ShownPixel(*c, 2, 2), ColorToRGB(clYellow));

    c->SetTransparent(false);
    ShowAndPaint(*form);
    EXPECT_EQ(ShownPixel(*c, 2, 2), ColorToRGB(clLime));
}

TEST(ComponentSeeThroughTest, PaintsIntoAnotherCanvasAtAPlaceClippedToItsSize) {
    TSquareComponent c(nullptr);
    c.SetBounds(0, 0, 20, 10);
    c.SetBackGroundColor(clLime);
    TBitmap target(60, 30);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect({0, 0, 60, 30});
    c.iPaintToDC(30, 15, target.Canvas(), false);
    EXPECT_EQ(target.PixelAt(30, 15), ColorToRGB(clLime));
    EXPECT_EQ(target.PixelAt(40, 20), ColorToRGB(clBlue)) << "the square at its middle";
    EXPECT_EQ(target.PixelAt(29, 15), ColorToRGB(clWhite));
    EXPECT_EQ(target.PixelAt(50, 25), ColorToRGB(clWhite)) << "nothing beyond its size";
    EXPECT_EQ(target.Canvas()->WindowOrg(), (TPoint{0, 0})) << "the canvas is put back";

    // Without its background only its own drawing lands.
    TBitmap plain(60, 30);
    plain.Canvas()->Brush()->SetColor(clWhite);
    plain.Canvas()->FillRect({0, 0, 60, 30});
    c.iPaintToDC(0, 0, plain.Canvas(), true);
    EXPECT_EQ(plain.PixelAt(1, 1), ColorToRGB(clWhite));
    EXPECT_EQ(plain.PixelAt(10, 5), ColorToRGB(clBlue));
}

// ---- image export

class ComponentExportTest : public ::testing::Test {
protected:
    ComponentExportTest() {
        c_.SetBounds(0, 0, 40, 20);
        c_.SetBackGroundColor(clLime);
    }
    static std::vector<std::uint8_t> Bytes(const std::string& fileName) {
        return ReadFileBytes(fileName);
    }
    TSquareComponent c_{nullptr};
    test::TTempFolder folder_;
};

// A compression setting, and whether JPEG (1 to 100) and PNG (0 to 9) take it.
struct CompressionCase {
    const char* name;
    int compression;
    bool jpegOk;
    bool pngOk;
};
void PrintTo(const CompressionCase& c, std::ostream* os) { *os << c.name; }

class ComponentCompressionTest : public ComponentExportTest,
                                 public ::testing::WithParamInterface<CompressionCase> {};

// The message a refused export raises, or "" when it writes its file.
std::string ExportMessage(const std::function<void()>& write) {
    try {
        write();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

TEST_P(ComponentCompressionTest, RefusesCompressionOutsideItsRangeBeforeWritingAnything) {
    const CompressionCase& k = GetParam();
    const std::string jpg = folder_.File("a.jpg");
    const std::string png = folder_.File("a.png");
    const std::string jpegRefusal = "Compression must be in the range of 1-100";
    const std::string pngRefusal = "Compression must be in the range of 0-9";
    EXPECT_EQ(ExportMessage([&] { c_.SaveImageToJPEG(jpg, k.compression, false); }),
              k.jpegOk ? "" : jpegRefusal);
    EXPECT_EQ(ExportMessage([&] { c_.GetBytesJPEG(k.compression, false); }),
              k.jpegOk ? "" : jpegRefusal);
    EXPECT_EQ(FileExists(jpg), k.jpegOk);
    EXPECT_EQ(ExportMessage([&] { c_.SaveImageToPNG(png, k.compression); }),
              k.pngOk ? "" : pngRefusal);
    EXPECT_EQ(ExportMessage([&] { c_.GetBytesPNG(k.compression); }), k.pngOk ? "" : pngRefusal);
    EXPECT_EQ(FileExists(png), k.pngOk);
}

INSTANTIATE_TEST_SUITE_P(Ranges, ComponentCompressionTest,
                         ::testing::Values(CompressionCase{"BelowBoth", -1, false, false},
                                           CompressionCase{"PngLowest", 0, false, true},
                                           CompressionCase{"JpegLowest", 1, true, true},
                                           CompressionCase{"PngHighest", 9, true, true},
                                           CompressionCase{"AbovePng", 10, true, false},
                                           CompressionCase{"JpegHighest", 100, true, false},
                                           CompressionCase{"AboveBoth", 101, false, false}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(ComponentExportTest, FilesHoldThePictureAndOpenAgain) {
    c_.SaveImageToPNG(folder_.File("p.png"), 9);
    TPngImage png;
    png.LoadFromFile(folder_.File("p.png"));
    ASSERT_EQ(png.Width(), 40);
    EXPECT_EQ(png.PixelWithAlpha(1, 1) & 0xFFFFFFu, ColorToRGB(clLime));
    EXPECT_EQ(png.PixelWithAlpha(20, 10) & 0xFFFFFFu, ColorToRGB(clBlue));

    c_.SaveImageToJPEG(folder_.File("p.jpg"), 100, true);
    TJPEGImage jpeg;
    jpeg.LoadFromFile(folder_.File("p.jpg"));
    EXPECT_EQ(jpeg.Width(), 40);
    EXPECT_EQ(jpeg.Height(), 20);

    // The vector picture plays the component's drawing again.
    c_.SaveImageToMetaFile(folder_.File("p.emf"));
    TMetafile metafile;
    metafile.LoadFromFile(folder_.File("p.emf"));
    EXPECT_EQ(metafile.Width(), 40);
    EXPECT_EQ(metafile.CreatedBy(), "PlotEngine");
    TBitmap played(40, 20);
    played.Canvas()->StretchDraw({0, 0, 40, 20}, &metafile);
    EXPECT_EQ(played.PixelAt(20, 10), ColorToRGB(clBlue));
    EXPECT_EQ(played.PixelAt(1, 1), ColorToRGB(clLime));

    c_.SaveImageToBitmap(folder_.File("p.bmp"));
    TBitmap bitmap;
    bitmap.LoadFromFile(folder_.File("p.bmp"));
    EXPECT_EQ(bitmap.PixelAt(20, 10), ColorToRGB(clBlue));
}

TEST_F(ComponentExportTest, BytesComeAsAByteArrayFromZero) {
    const TVariant png = c_.GetBytesPNG(6);
    const std::vector<std::uint8_t> bytes = VarArrayToBytes(png);
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(VarArrayLowBound(png, 1), 0);
    EXPECT_EQ(VarArrayHighBound(png, 1), static_cast<int>(bytes.size()) - 1);
    const std::vector<std::uint8_t> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 8), signature);

    const std::vector<std::uint8_t> jpeg = VarArrayToBytes(c_.GetBytesJPEG(50, false));
    ASSERT_GT(jpeg.size(), 2u);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
    EXPECT_EQ(c_.CreateJPEGImage(80, false)->Width(), 40);
}

TEST_F(ComponentExportTest, AFileThatCannotBeWrittenIsReportedAndLeavesTheOldOneWhole) {
    const std::string name = folder_.File("keep.png");
    { std::ofstream(name) << "old"; }
    const std::string missing = folder_.File("no/such/folder_/p.png");
    EXPECT_THROW(c_.SaveImageToPNG(missing, 9), EOSError);
    EXPECT_THROW(c_.SaveImageToJPEG(folder_.File("no/p.jpg"), 90, false), EOSError);
    EXPECT_THROW(c_.SaveImageToMetaFile(folder_.File("no/p.emf")), EOSError);
    EXPECT_THROW(c_.SaveImageToBitmap(folder_.File("no/p.bmp")), EOSError);
    EXPECT_EQ(Bytes(name), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
}

// ---- themes

// Points the configuration folders at two folders of the test for its lifetime.
class TConfigFolders {
public:
    TConfigFolders(const std::string& machine, const std::string& user) {
        Save("XDG_CONFIG_DIRS", machine + ":/nowhere");
        Save("XDG_CONFIG_HOME", user);
    }
    ~TConfigFolders() {
        for (const auto& [name, value] : saved_) {
            if (value.second) {
                setenv(name.c_str(), value.first.c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }
    TConfigFolders(const TConfigFolders&) = delete;
    TConfigFolders& operator=(const TConfigFolders&) = delete;

private:
    void Save(const std::string& name, const std::string& value) {
        const char* old = std::getenv(name.c_str());
        saved_.push_back({name, {old != nullptr ? old : "", old != nullptr}});
        setenv(name.c_str(), value.c_str(), 1);
    }
    std::vector<std::pair<std::string, std::pair<std::string, bool>>> saved_;
};

void WriteText(const std::string& fileName, const std::string& text) {
    std::ofstream(fileName, std::ios::binary) << text;
}

std::string ThemeIni(const std::string& library, const std::string& user) {
    return "[Themes]\nLibrary Defined Theme Path=" + library + "\nUser Defined Theme Path=" + user +
           "\n";
}

// A theme file with one category of two schemes, as a person would indent it by hand.
const char* const kLibraryThemes =
    "<SchemeTypes>\r\n"
    "  <SchemeType>\r\n"
    "    <Name>Colours</Name>\r\n"
    "    <Scheme>\r\n"
    "      <Name>Dark</Name>\r\n"
    "      <Properties>\r\n"
    "        <BackGroundColor>0</BackGroundColor>\r\n"
    "        <HintsFont.Color>255</HintsFont.Color>\r\n"
    "        <TitleText>Volts &lt;V&gt; &amp; amps</TitleText>\r\n"
    "      </Properties>\r\n"
    "    </Scheme>\r\n"
    "    <Scheme>\r\n"
    "      <Name>Light</Name>\r\n"
    "      <Properties>\r\n"
    "        <BackGroundColor>16777215</BackGroundColor>\r\n"
    "      </Properties>\r\n"
    "    </Scheme>\r\n"
    "  </SchemeType>\r\n"
    "</SchemeTypes>";  // the last byte is the closing ">"

const char* const kUserThemes =
    "<SchemeTypes>\r\n"
    "<SchemeType>\r\n<Name>COLOURS</Name>\r\n"
    "<Scheme>\r\n<Name>Mine</Name>\r\n<Properties>\r\n"
    "<UpdateFrameRate>30</UpdateFrameRate>\r\n"
    "</Properties>\r\n</Scheme>\r\n"
    "</SchemeType>\r\n"
    "</SchemeTypes>\r\n";

TEST(ComponentThemesTest, SplitsSchemeLinesAfterTheBlankBehindTheEqualsSign) {
    struct Case {
        const char* line;
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {"Font.Color = 255", "Font.Color", "255"},
        {"  Title =  two blanks", "Title", " two blanks"},
        {"Caption = a = b", "Caption", "a = b"},
        {"Empty =", "Empty", ""},
        {"no equals sign", "", ""},
    };
    for (const Case& k : cases) {
        std::string name;
        std::string value;
        TiVCLComponent::SplitSchemeLine(k.line, name, value);
        EXPECT_EQ(std::make_pair(name, value),
                  std::make_pair(std::string(k.name), std::string(k.value)))
            << k.line;
    }
}

TEST(ComponentThemesTest, PathsComeFromTheMachineThenTheUserWhoseNonEmptyValuesWin) {
    test::TTempFolder machine;
    test::TTempFolder user;
    TConfigFolders folders(machine.Path(), user.Path());
    test::TAxesPlot plot(nullptr);
    std::string library;
    std::string mine;

    plot.GetThemePaths(library, mine);
    EXPECT_EQ(library, "");
    EXPECT_EQ(mine, "");

    WriteText(machine.File("PlotEngine.ini"), ThemeIni("/opt/themes", "/opt/user"));
    plot.GetThemePaths(library, mine);
    EXPECT_EQ(library, "/opt/themes/");
    EXPECT_EQ(mine, "/opt/user/");

    // The user's file: an empty value keeps the machine's, a value replaces it.
    WriteText(user.File("PlotEngine.ini"), ThemeIni("  ", " /home/me/themes/ "));
    plot.GetThemePaths(library, mine);
    EXPECT_EQ(library, "/opt/themes/");
    EXPECT_EQ(mine, "/home/me/themes/");
}

TEST(ComponentThemesTest, LoadsLibraryAndUserSchemesIntoSharedCategoriesAndAppliesThem) {
    test::TTempFolder machine;
    test::TTempFolder user;
    test::TTempFolder themes;
    TConfigFolders folders(machine.Path(), user.Path());
    WriteText(machine.File("PlotEngine.ini"), ThemeIni(themes.Path(), themes.Path()));
    test::TAxesPlot plot(nullptr);
    WriteText(themes.File(plot.ClassName() + ".xml"), kLibraryThemes);
    WriteText(themes.File(plot.ClassName() + "User.xml"), kUserThemes);

    plot.LoadThemes();
    ASSERT_EQ(plot.GetThemeCategoryCount(), 1) << "COLOURS joins Colours";
    EXPECT_EQ(plot.GetThemeCategoryName(0), "Colours");
    ASSERT_EQ(plot.GetThemeCategorySchemeCount(0), 3);
    EXPECT_EQ(plot.GetThemeCategorySchemeName(0, 0), "Dark");
    EXPECT_EQ(plot.GetThemeCategorySchemeName(0, 2), "Mine");
    EXPECT_FALSE(plot.GetThemeCategorySchemeIsUser(0, 1));
    EXPECT_TRUE(plot.GetThemeCategorySchemeIsUser(0, 2));

    plot.ApplyScheme(0, 0);
    EXPECT_EQ(plot.GetBackGroundColor(), clBlack);
    EXPECT_EQ(plot.HintsFont()->Color(), static_cast<TColor>(255));
    EXPECT_EQ(plot.TitleText(), "Volts <V> & amps");
    plot.ApplyScheme(0, 1);
    EXPECT_EQ(plot.GetBackGroundColor(), static_cast<TColor>(16777215));
    plot.ApplyScheme(0, 2);
    EXPECT_EQ(plot.GetUpdateFrameRate(), 30);

    // Loading again starts afresh; a missing file is skipped.
    std::remove(themes.File(plot.ClassName() + "User.xml").c_str());
    plot.LoadThemes();
    EXPECT_EQ(plot.GetThemeCategorySchemeCount(0), 2);
}

TEST(ComponentThemesTest, AMalformedFileIsRefusedAndKeepsWhatWasReadBefore) {
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"misspelt last closing tag",
         std::string(kLibraryThemes)
             .replace(std::string(kLibraryThemes).rfind("</SchemeTypes>"), 14, "</SchemeTipes>")},
        {"text where a property belongs",
         "<SchemeTypes><SchemeType><Name>A</Name><Scheme><Name>S</Name><Properties>"
         "x</Properties></Scheme></SchemeType></SchemeTypes>"},
        {"scheme not closed",
         "<SchemeTypes><SchemeType><Name>A</Name><Scheme><Name>S</Name><Properties>"
         "</Properties></SchemeType></SchemeTypes>"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        test::TAxesPlot plot(nullptr);
        TiXMLMemoryStream stream;
        stream.WriteBuffer(k.text);
        stream.SetPosition(0);
        try {
            plot.ReadSchemeFile(stream, false);
            FAIL() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Error Loading Scheme. XML File Malformed");
        }
        EXPECT_EQ(plot.GetThemeCategoryCount(), 1) << "the category read before stays";
    }
    // A truncated file ends at its last byte.
    test::TAxesPlot plot(nullptr);
    TiXMLMemoryStream truncated;
    truncated.WriteBuffer(std::string_view("<SchemeTypes><SchemeType><Name>A"));
    truncated.SetPosition(0);
    try {
        plot.ReadSchemeFile(truncated, false);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "EOF");
    }
}

}  // namespace
}  // namespace dsp
