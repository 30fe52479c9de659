#pragma once
// Framework-internal: how DrawText breaks, shortens and marks text. Widths come from the font
// metrics of the canvas font; the layout itself is plain text work.

#include <QString>

#include <vector>

namespace dsp {
struct TFontResource;
}

namespace dsp::text {

struct Line {
    QString text;        // as shown (prefixes removed, ellipses applied)
    int underline = -1;  // index in text of the prefixed character, or -1
    int width = 0;       // pixels, tabs expanded
};

struct Options {
    unsigned format = 0;
    int maxWidth = 0;   // the rectangle's width, for word breaks and ellipses
    int tabWidth = 64;  // pixels between tab stops
};

class Layout {
public:
    Layout(const TFontResource& font, const Options& options);

    std::vector<Line> Lines(const QString& text) const;

    // Width of one line, tabs expanded to the tab stops when DT_EXPANDTABS is set.
    int Width(const QString& line) const;
    // Pieces of a line between tabs with their offsets from the line start.
    std::vector<std::pair<int, QString>> Runs(const QString& line) const;

private:
    QString StripPrefix(const QString& text, int& underline) const;
    std::vector<Line> Wrap(const QString& paragraph, int underline) const;
    void Shorten(Line& line) const;
    QString EndEllipsis(const QString& s) const;
    QString WordEllipsis(const QString& s) const;
    QString PathEllipsis(const QString& s) const;

    int Advance(const QString& s) const;

    const TFontResource& font_;
    Options options_;
};

}  // namespace dsp::text
