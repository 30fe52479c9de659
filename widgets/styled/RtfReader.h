#pragma once
// A reader of rich text (RTF) for the subset the program's documents use: the font and colour
// tables, paragraphs with their alignment, indents, spacing and tab stops, bold, italic, underline, font
// size, colour, tabs, line breaks, and characters written as bytes of the font's code page,
// "\'xx" or "\uN". Destinations it does not show (style sheets, document information, pictures,
// fields' instructions, anything marked "\*") are skipped. Malformed text is read as far as it
// makes sense; nothing raises.

#include <string>
#include <string_view>
#include <vector>

#include "framework/graphics/Colors.h"

namespace dsp {

struct TRtfCharFormat {
    int font = 0;         // a number of the font table
    int halfPoints = 24;  // the size in half points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int color = 0;  // an index of the colour table; 0 is the automatic colour
    bool operator==(const TRtfCharFormat&) const = default;
};

// A piece of a paragraph in one format: text (UTF-8), a tab, or a line break.
struct TRtfRun {
    enum class TKind { Text, Tab, LineBreak };
    TKind kind = TKind::Text;
    std::string text;
    TRtfCharFormat format;
};

enum class TRtfAlignment { Left, Center, Right, Justify };

struct TRtfParagraph {
    std::vector<TRtfRun> runs;
    TRtfAlignment alignment = TRtfAlignment::Left;
    int leftIndent = 0;  // twips
    int rightIndent = 0;
    int firstIndent = 0;  // of the first line, added to the left indent
    int spaceBefore = 0;
    int spaceAfter = 0;
    // Tab stops (twips from the left margin), ascending; beyond the last one tabs stop every
    // half inch.
    std::vector<int> tabStops;
    // The format at the paragraph mark (the height of an empty paragraph).
    TRtfCharFormat markFormat;
};

struct TRtfFontEntry {
    int number = 0;
    std::string name;
    int charset = 0;
};

struct TRtfDocument {
    std::vector<TRtfFontEntry> fonts;
    // The colour table; entry 0 is the automatic colour (clNone here).
    std::vector<TColor> colors;
    std::vector<TRtfParagraph> paragraphs;
    int defaultFont = 0;
    int codePage = 1252;

    // The face of a font number; empty when the table lacks it.
    std::string FontName(int number) const;
    // The colour of a colour-table index; clNone for the automatic colour or an index outside
    // the table.
    TColor Color(int index) const;
    // The document's text without formatting: paragraphs end with CR LF, tabs are tabs.
    std::string PlainText() const;
};

// Reads the bytes of an RTF document. Text outside any "{\rtf" group is read as well.
TRtfDocument ReadRtf(std::string_view bytes);

}  // namespace dsp
