#include <gtest/gtest.h>

#include <fstream>

#include "framework/desktop/Clipboard.h"
#include "framework/text/Filer.h"
#include "framework/text/IniFile.h"
#include "framework/text/Streams.h"
#include "tests/support/TempFolder.h"
#include "tests/widgets/styled/StyledTestSupport.h"
#include "widgets/styled/GDIPFill.h"

namespace dsp {
namespace {

TEST(FillHexText, BytesTravelAsUpperCaseDigitPairs) {
    TMemoryStream bytes;
    const std::uint8_t three[] = {0x89, 0x50, 0x4E};
    bytes.WriteBuffer(three, 3);
    EXPECT_EQ(StreamToHexText(bytes), "89504E");

    TMemoryStream back;
    back.WriteBuffer("old content", 11);
    HexTextToStream("89504e4", back);  // lower case accepted, the odd last digit ignored
    EXPECT_EQ(back.Bytes(), (std::vector<std::uint8_t>{0x89, 0x50, 0x4E}));

    struct Case {
        const char* text;
        int value;  // -1: "No Hex-Number"
    };
    const Case cases[] = {{"00", 0}, {"fF", 255}, {"7a", 0x7A}, {"G0", -1}, {"0 ", -1}, {"8", -1}};
    for (const Case& c : cases) {
        if (c.value < 0) {
            try {
                HexPairToByte(c.text);
                ADD_FAILURE() << c.text;
            } catch (const EConvertError& e) {
                EXPECT_STREQ(e.what(), "No Hex-Number");
            }
        } else {
            EXPECT_EQ(HexPairToByte(c.text), c.value) << c.text;
        }
    }
}

class FillIni : public ::testing::Test {
protected:
    std::string Path() const { return folder_.File("fill.ini"); }
    std::string Read(const std::string& key) {
        TIniFile ini(Path());
        return ini.ReadString("Fill", key, "<none>");
    }
    void Write(const std::string& key, const std::string& value) {
        TIniFile ini(Path());
        ini.WriteString("Fill", key, value);
    }
    test::TTempFolder folder_;
};

TEST_F(FillIni, TheSectionHoldsEveryKeyAndThePicturesAsText) {
    TGDIPFill fill;
    fill.SaveToFile(Path(), "Fill");
    EXPECT_EQ(Read("Color"), "12632256");
    EXPECT_EQ(Read("ColorMirror"), "536870911");  // clNone as its signed value
    EXPECT_EQ(Read("Picture"), "");
    EXPECT_EQ(Read("PictureSize"), "0");
    EXPECT_EQ(Read("BackgroundPictureSize"), "0");
    EXPECT_EQ(Read("ShadowType"), "<none>");  // not part of the section

    TMemoryStream three;
    const std::uint8_t bytes[] = {0x89, 0x50, 0x4E};
    three.WriteBuffer(bytes, 3);
    fill.Picture()->ReadData(&three);
    fill.SetBorderColor(clBtnFace);
    fill.SaveToFile(Path(), "Fill");
    EXPECT_EQ(Read("Picture"), "89504E");
    EXPECT_EQ(Read("PictureSize"), "6");
    EXPECT_EQ(Read("BorderColor"), std::to_string(static_cast<int>(clBtnFace)));
}

TEST_F(FillIni, ASaveAndLoadGivesTheSameFill) {
    TGDIPFill source;
    source.SetColor(clRed);
    source.SetColorTo(clNone);
    source.SetGradientType(gtHatch);
    source.SetHatchStyle(HatchStyleDiagonalCross);
    source.SetPictureSize(psCustom);
    source.SetPictureWidth(31);
    source.SetOpacityMirror(17);
    source.SetRounding(6);
    source.SetRoundingType(rtLeft);
    source.SetGlow(gmRadial);
    test::LoadPicture(*source.Picture(), test::PngFile(3, 2, 0xFF112233));
    test::LoadPicture(*source.BackGroundPicture(), test::PngFile(5, 4, 0xFF445566));
    source.SaveToFile(Path(), "Fill");

    TGDIPFill target;
    int changes = 0;
    target.OnChange = [&](TObject*) { ++changes; };
    target.LoadFromFile(Path(), "Fill");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.Color(), clRed);
    EXPECT_EQ(target.ColorTo(), clNone);
    EXPECT_EQ(target.GradientType(), gtHatch);
    EXPECT_EQ(target.GetHatchStyle(), HatchStyleDiagonalCross);
    EXPECT_EQ(target.PictureSize(), psCustom);  // survives the key that holds the text's length
    EXPECT_EQ(target.PictureWidth(), 31);
    EXPECT_EQ(target.OpacityMirror(), 17);
    EXPECT_EQ(target.RoundingType(), rtLeft);
    EXPECT_EQ(target.Glow(), gmRadial);
    EXPECT_EQ(target.Picture()->SaveToBytes(), source.Picture()->SaveToBytes());
    EXPECT_EQ(target.Picture()->Width(), 3);
    EXPECT_EQ(target.BackGroundPicture()->SaveToBytes(), source.BackGroundPicture()->SaveToBytes());
}

TEST_F(FillIni, AnEmptySectionChangesNothingButAnnouncesOnce) {
    std::ofstream(Path()) << "[Other]\nColor=1\n";
    TGDIPFill fill;
    fill.SetColor(clBlue);
    int changes = 0;
    fill.OnChange = [&](TObject*) { ++changes; };
    fill.LoadFromFile(Path(), "Fill");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(fill.Color(), clBlue);
    EXPECT_TRUE(fill.Picture()->Empty());
}

TEST_F(FillIni, BrokenSectionsLeaveTheFillAsItWas) {
    TGDIPFill source;
    source.SetColor(clRed);
    test::LoadPicture(*source.Picture(), test::PngFile(3, 2, 0xFF000000));
    source.SaveToFile(Path(), "Fill");
    const std::string text = Read("Picture");
    Write("Picture", text.substr(0, 10) + "ZZ" + text.substr(12));

    TGDIPFill target;
    int changes = 0;
    target.OnChange = [&](TObject*) { ++changes; };
    EXPECT_THROW(target.LoadFromFile(Path(), "Fill"), EConvertError);
    EXPECT_EQ(target.Color(), clSilver);  // not even the keys before the picture
    EXPECT_TRUE(target.Picture()->Empty());
    EXPECT_EQ(changes, 0);

    // Sizes that lie about the text and values outside their kinds do no harm.
    Write("Picture", text);
    Write("PictureSize", "2000000000");
    Write("GradientType", "77");
    Write("Opacity", "300");
    target.LoadFromFile(Path(), "Fill");
    EXPECT_EQ(target.Picture()->SaveToBytes(), source.Picture()->SaveToBytes());
    EXPECT_EQ(target.GradientType(), gtVertical);
    EXPECT_EQ(target.Opacity(), 255);
    EXPECT_EQ(target.Color(), clRed);
}

TEST(FillClipboard, CopyAndPasteCarryTheStoredPropertiesAndPictures) {
    TGDIPFill source;
    source.SetColor(clRed);         // differs from its default
    source.SetColorMirror(clBlue);  // always stored
    source.SetRoundingType(rtTop);
    source.SetShadowType(stSurround);
    source.SetFocus(true);  // not published: stays behind
    test::LoadPicture(*source.Picture(), test::PngFile(3, 2, 0xFF000000));
    source.SaveToClipBoard();

    TGDIPFill target;
    target.SetGlow(gmRadial);  // the source's Glow is stored (gmNone) and wins
    target.SetAngle(45);       // the source's Angle is at its default: kept
    target.SetFocusColor(clYellow);
    int changes = 0;
    target.OnChange = [&](TObject*) { ++changes; };
    target.LoadFromClipBoard();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.Color(), clRed);
    EXPECT_EQ(target.ColorMirror(), clBlue);
    EXPECT_EQ(target.RoundingType(), rtTop);
    EXPECT_EQ(target.ShadowType(), stSurround);
    EXPECT_EQ(target.Glow(), gmNone);
    EXPECT_EQ(target.Angle(), 45);
    EXPECT_FALSE(target.Focus());
    EXPECT_EQ(target.FocusColor(), clYellow);
    EXPECT_EQ(target.Picture()->SaveToBytes(), source.Picture()->SaveToBytes());
    EXPECT_EQ(target.Picture()->Width(), 3);
    EXPECT_TRUE(target.BackGroundPicture()->Empty());
}

TEST(FillClipboard, TheStreamCarriesPicturesAsTheirFileBytes) {
    TGDIPFill fill;
    const std::vector<std::uint8_t> png = test::PngFile(2, 2, 0xFF00FF00);
    test::LoadPicture(*fill.Picture(), png);
    TMemoryStream stream;
    SaveFillToStream(stream, fill);
    const std::vector<std::uint8_t>& bytes = stream.Bytes();
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "DSF1");
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("SaveObject.Picture.Data"), std::string::npos);
    EXPECT_NE(text.find(std::string(png.begin(), png.end())), std::string::npos);
    EXPECT_EQ(text.find("SaveObject.BackGroundPicture.Data"), std::string::npos);  // empty
}

TEST(FillClipboard, OtherBytesUnderTheFormatChangeNothing) {
    TGDIPFill original;
    original.SetColor(clGreen);
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    // A sound stream of another component: it names properties a fill does not have.
    TComponent other(nullptr);
    other.SetName("Other");
    TMemoryStream foreign;
    WriteComponentStream(foreign, other);
    TMemoryStream sound;
    SaveFillToStream(sound, original);
    std::vector<std::uint8_t> cut = sound.Bytes();
    cut.resize(cut.size() / 2);
    const Case cases[] = {{"not a stream", {1, 2, 3, 4, 5, 6}},
                          {"another component", foreign.Bytes()},
                          {"cut short", cut}};
    for (const Case& c : cases) {
        Clipboard()->SetAsBytes(GDIPFillClipboardFormat(), c.bytes);
        TGDIPFill target;
        target.SetColor(clMaroon);
        int changes = 0;
        target.OnChange = [&](TObject*) { ++changes; };
        EXPECT_THROW(target.LoadFromClipBoard(), EReadError) << c.name;
        EXPECT_EQ(target.Color(), clMaroon) << c.name;
        EXPECT_EQ(changes, 0) << c.name;
    }
    Clipboard()->SetAsText("no fill");
    TGDIPFill untouched;
    EXPECT_NO_THROW(untouched.LoadFromClipBoard());
    EXPECT_EQ(untouched.Color(), clSilver);
}

}  // namespace
}  // namespace dsp
