#include "framework/graphics/TextLayout.h"

#include <QStringList>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/FontQt.h"

namespace dsp::text {

namespace {

const QString kEllipsis = QStringLiteral("...");

QString TrimRight(const QString& s) {
    int n = static_cast<int>(s.size());
    while (n > 0 && s[n - 1] == QLatin1Char(' ')) --n;
    return s.left(n);
}

}  // namespace

Layout::Layout(const TFontResource& font, const Options& options)
    : font_(font), options_(options) {}

int Layout::Advance(const QString& s) const { return font_.Advance(s.toStdString()); }

std::vector<std::pair<int, QString>> Layout::Runs(const QString& line) const {
    std::vector<std::pair<int, QString>> runs;
    if (!(options_.format & DT_EXPANDTABS)) {
        QString plain = line;
        plain.replace(QLatin1Char('\t'), QLatin1Char(' '));
        runs.emplace_back(0, plain);
        return runs;
    }
    int x = 0;
    const int tab = std::max(1, options_.tabWidth);
    for (const QString& piece : line.split(QLatin1Char('\t'))) {
        if (!runs.empty()) x = (x / tab + 1) * tab;
        runs.emplace_back(x, piece);
        x += Advance(piece);
    }
    return runs;
}

int Layout::Width(const QString& line) const {
    const auto runs = Runs(line);
    return runs.back().first + Advance(runs.back().second);
}

QString Layout::StripPrefix(const QString& text, int& underline) const {
    underline = -1;
    if (options_.format & DT_NOPREFIX) return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
            if (text[i] != QLatin1Char('&')) underline = static_cast<int>(out.size());
        } else if (text[i] == QLatin1Char('&')) {
            continue;  // a trailing single ampersand shows nothing
        }
        out.append(text[i]);
    }
    if (options_.format & DT_HIDEPREFIX) underline = -1;
    return out;
}

std::vector<Line> Layout::Wrap(const QString& paragraph, int underline) const {
    std::vector<Line> lines;
    if (!(options_.format & DT_WORDBREAK) || (options_.format & DT_SINGLELINE)) {
        lines.push_back({paragraph, underline, 0});
        return lines;
    }
    // Break opportunities are after runs of spaces; a word wider than the rectangle stays whole.
    int start = 0;
    int lineEnd = 0;  // end of the text accepted on the current line
    const int n = static_cast<int>(paragraph.size());
    auto pushLine = [&](int from, int to) {
        const QString text = TrimRight(paragraph.mid(from, to - from));
        const int u = (underline >= from && underline < from + text.size()) ? underline - from : -1;
        lines.push_back({text, u, 0});
    };
    int i = 0;
    while (i < n) {
        int wordEnd = i;
        while (wordEnd < n && paragraph[wordEnd] != QLatin1Char(' ')) ++wordEnd;
        int next = wordEnd;
        while (next < n && paragraph[next] == QLatin1Char(' ')) ++next;
        const QString candidate = paragraph.mid(start, wordEnd - start);
        if (lineEnd > start && Width(candidate) > options_.maxWidth) {
            pushLine(start, lineEnd);
            start = i;
        }
        lineEnd = next;
        i = next;
    }
    pushLine(start, n);
    return lines;
}

QString Layout::EndEllipsis(const QString& s) const {
    int lo = 0;
    int hi = static_cast<int>(s.size()) - 1;
    int best = -1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        if (Width(s.left(mid) + kEllipsis) <= options_.maxWidth) {
            best = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    return best < 0 ? kEllipsis : s.left(best) + kEllipsis;
}

QString Layout::WordEllipsis(const QString& s) const {
    for (int k = static_cast<int>(s.size()) - 1; k > 0; --k) {
        if (s[k] != QLatin1Char(' ')) continue;
        const QString candidate = TrimRight(s.left(k)) + kEllipsis;
        if (!TrimRight(s.left(k)).isEmpty() && Width(candidate) <= options_.maxWidth)
            return candidate;
    }
    return EndEllipsis(s);
}

QString Layout::PathEllipsis(const QString& s) const {
    const qsizetype sep =
        std::max(s.lastIndexOf(QLatin1Char('\\')), s.lastIndexOf(QLatin1Char('/')));
    if (sep >= 0) {
        const QString head = s.left(sep);
        const QString tail = s.mid(sep);
        for (int k = static_cast<int>(head.size()) - 1; k >= 0; --k) {
            const QString candidate = head.left(k) + kEllipsis + tail;
            if (Width(candidate) <= options_.maxWidth) return candidate;
        }
        return kEllipsis + tail;
    }
    // No folder separator: characters go from the middle.
    const int n = static_cast<int>(s.size());
    for (int removed = 1; removed < n; ++removed) {
        const int left = (n - removed + 1) / 2;
        const int right = (n - removed) / 2;
        const QString candidate = s.left(left) + kEllipsis + s.right(right);
        if (Width(candidate) <= options_.maxWidth) return candidate;
    }
    return kEllipsis;
}

void Layout::Shorten(Line& line) const {
    const unsigned f = options_.format;
    if (!(f & (DT_PATH_ELLIPSIS | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))) return;
    if (Width(line.text) <= options_.maxWidth) return;
    QString shown;
    if (f & DT_PATH_ELLIPSIS) {
        shown = PathEllipsis(line.text);
    } else if (f & DT_END_ELLIPSIS) {
        shown = EndEllipsis(line.text);
    } else {
        shown = WordEllipsis(line.text);
    }
    // The marked character survives only when it is still where it was.
    if (line.underline >= 0 &&
        (line.underline >= shown.size() - kEllipsis.size() ||
         shown.left(line.underline + 1) != line.text.left(line.underline + 1)))
        line.underline = -1;
    line.text = shown;
}

std::vector<Line> Layout::Lines(const QString& text) const {
    std::vector<QString> paragraphs;
    if (options_.format & DT_SINGLELINE) {
        QString one = text;
        one.remove(QLatin1Char('\r'));
        one.remove(QLatin1Char('\n'));
        paragraphs.push_back(one);
    } else {
        QString normal = text;
        normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        for (const QString& p : normal.split(QLatin1Char('\n'))) paragraphs.push_back(p);
        // A text that ends in a line break has no empty line after it.
        if (paragraphs.size() > 1 && paragraphs.back().isEmpty()) paragraphs.pop_back();
    }
    std::vector<Line> lines;
    for (const QString& paragraph : paragraphs) {
        int underline = -1;
        const QString plain = StripPrefix(paragraph, underline);
        for (Line& line : Wrap(plain, underline)) {
            Shorten(line);
            line.width = Width(line.text);
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

}  // namespace dsp::text
