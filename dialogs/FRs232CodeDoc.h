#pragma once
// The document the RS232 code viewers show: the processor's serial settings and its command
// frames, in English and in Simplified Chinese. Each document is a column 630 pixels wide of
// text paragraphs with ten pictures of code tables between them (the artwork draws the tables:
// RS232_EN_1 .. RS232_EN_10, RS232_ZH_1 .. RS232_ZH_10). The pictures sit at fixed places down
// the page; each section of text starts just below the picture before it, so the rich text is
// made with the spacing that puts it there, from the heights of the text's lines.

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace dsp {

enum class TRs232Style {
    Title,    // the document's title
    Body,     // running text
    Heading,  // the name of the table that follows
    Code,     // frame bytes
};

struct TRs232Line {
    TRs232Style style;
    std::string text;  // UTF-8, one line (never wider than the column)
};

inline constexpr int kRs232Pictures = 10;
inline constexpr int kRs232ColumnLeft = 50;
inline constexpr int kRs232ColumnWidth = 630;
inline constexpr int kRs232TextTop = 24;
inline constexpr int kRs232TextHeight = 1400;

struct TRs232Document {
    std::string caption;
    int designWidth = 0;  // the window's outer size as designed
    int designHeight = 0;
    std::string textFace;       // the face of the title, body and heading lines
    std::string picturePrefix;  // the tables' resource names without their number
    std::array<int, kRs232Pictures> pictureTops{};
    // Section 0 is above the first picture; section k (1 to 9) below picture k.
    std::array<std::vector<TRs232Line>, kRs232Pictures> sections;
};

// The heights of the pictures (both documents).
extern const std::array<int, kRs232Pictures> kRs232PictureHeights;

const TRs232Document& Rs232EnglishDocument();
const TRs232Document& Rs232ChineseDocument();

// The face, size (half points) and weight a style is written in.
struct TRs232Font {
    std::string face;
    int halfPoints = 0;
    bool bold = false;
};
TRs232Font Rs232FontOf(const TRs232Document& document, TRs232Style style);

// Where each section's first line starts, in the window (form coordinates): 4 pixels below the
// picture above it, the first section 2 pixels below the text's top.
int Rs232SectionTop(const TRs232Document& document, int section);

// The rich text of a document. lineHeight gives the pixel height of a line in a font (as the
// rich-text label lays it out at 96 dpi); each section's first paragraph gets the space before
// it that brings it to its place.
std::string Rs232RichText(const TRs232Document& document,
                          const std::function<int(const TRs232Font&)>& lineHeight);

}  // namespace dsp
