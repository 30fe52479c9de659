#include "widgets/styled/MiniHtml.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>
#include <utility>

#include "framework/text/Numbers.h"

namespace dsp {

namespace {

constexpr int kMinFontPoints = 1;
constexpr int kMaxFontPoints = 500;
// Positions and sizes from the markup are kept within this, so that sums stay in range.
constexpr int kMaxExtent = 32767;

std::string Upper(std::string_view text) {
    std::string s(text);
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string Lower(std::string_view text) {
    std::string s(text);
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Position of needle in haystack without regard to case (ASCII letters), from `from`.
std::size_t FindNoCase(std::string_view haystack, std::string_view needle, std::size_t from = 0) {
    if (needle.empty()) return from <= haystack.size() ? from : std::string::npos;
    if (haystack.size() < needle.size()) return std::string::npos;
    for (std::size_t i = from; i + needle.size() <= haystack.size(); ++i) {
        bool same = true;
        for (std::size_t k = 0; k < needle.size() && same; ++k) {
            same = std::toupper(static_cast<unsigned char>(haystack[i + k])) ==
                   std::toupper(static_cast<unsigned char>(needle[k]));
        }
        if (same) return i;
    }
    return std::string::npos;
}

// Replaces every occurrence of `from` (exact case) by `to`.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::size_t at = 0;
    while ((at = text.find(from, at)) != std::string::npos) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
}

// The value of an attribute: the text between the first pair of double quotes after its name,
// found without regard to case; nothing when the name or the quotes are missing.
std::optional<std::string> Attribute(std::string_view tag, std::string_view name) {
    const std::size_t at = FindNoCase(tag, name);
    if (at == std::string::npos) return std::nullopt;
    const std::size_t open = tag.find('"', at + name.size());
    if (open == std::string::npos) return std::nullopt;
    const std::size_t close = tag.find('"', open + 1);
    if (close == std::string::npos) return std::nullopt;
    return std::string(tag.substr(open + 1, close - open - 1));
}

// The first double-quoted value anywhere in the tag.
std::string FirstQuoted(std::string_view tag) {
    const std::size_t open = tag.find('"');
    if (open == std::string::npos) return {};
    const std::size_t close = tag.find('"', open + 1);
    if (close == std::string::npos) return {};
    return std::string(tag.substr(open + 1, close - open - 1));
}

std::optional<int> Number(const std::optional<std::string>& value) {
    if (!value) return std::nullopt;
    const std::optional<int> n = TryStrToInt(*value);
    if (!n) return std::nullopt;
    return std::clamp(*n, -kMaxExtent, kMaxExtent);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

// "#RRGGBB" or a colour name; an empty value is no colour.
TColor ParseColor(const std::string& value) {
    if (value.empty()) return clNone;
    if (value[0] == '#') {
        const std::string digits = Upper(value.substr(1));
        auto pair = [&](std::size_t i) {
            const int hi = i < digits.size() ? HexDigit(digits[i]) : 0;
            const int lo = i + 1 < digits.size() ? HexDigit(digits[i + 1]) : 0;
            return hi * 16 + lo;
        };
        return static_cast<TColor>(pair(0) + pair(2) * 256 + pair(4) * 65536);
    }
    return ColorFromName(Lower(value));
}

// The entities decoded before layout: the first occurrence of each per round, rounds until one
// replaces nothing.
void DecodeEntities(std::string& text) {
    static const std::pair<std::string_view, std::string_view> kEntities[] = {
        {"&amp;", "&"},
        {"&quot;", "\""},
        {"&sect;", "\xC2\xA7"},
        {"&permil;", "\xE2\x80\xB0"},
        {"&reg;", "\xC2\xAE"},
        {"&copy;", "\xC2\xA9"},
        {"&para;", "\xC2\xB6"},
        {"&trade;", "\xE2\x84\xA2"},
        {"&euro;", "\xE2\x82\xAC"},
    };
    if (text.find('&') == std::string::npos) return;
    bool replaced = true;
    while (replaced) {
        replaced = false;
        for (const auto& [entity, character] : kEntities) {
            const std::size_t at = FindNoCase(text, entity);
            if (at == std::string::npos) continue;
            text.replace(at, entity.size(), character);
            replaced = true;
        }
    }
}

// The entities decoded per run, so that a decoded "<" never opens a tag.
std::string DecodeRunEntities(std::string run) {
    ReplaceAll(run, "&nbsp;", " ");
    ReplaceAll(run, "&lt;", "<");
    ReplaceAll(run, "&gt;", ">");
    return run;
}

enum class TPass { Measure, Draw, HitTest };

// What a tag did to the line.
enum class TTagEffect { None, LineBreak, StopLine };

class TMiniHtmlLayout {
public:
    TMiniHtmlLayout(IMiniHtmlSurface& surface, const TMiniHtmlFont& font,
                    const TMiniHtmlOptions& options, TMiniHtmlResult& result)
        : surface_(surface), base_(font), options_(options), result_(result) {}

    bool Run(std::string text, const TRect& rect);

private:
    struct TChain {
        TMiniHtmlFont font;
        int anchorCounter = 0;
        int listLevel = 0;
    };
    struct TLine {
        std::string consumed;
        bool textAnchorHit = false;
        bool imageAnchorHit = false;
    };

    TLine Core(std::string& text, const TRect& lineRect, TPass pass);
    TTagEffect Tag(const std::string& tag, const TRect& lineRect, TPass pass, int& penX,
                   int& listItems);
    TTagEffect Image(const std::string& tag, const std::string& upper, const TRect& lineRect,
                     TPass pass, int& penX, TLine& line);
    TTagEffect ListItem(const std::string& upper, const TRect& lineRect, TPass pass, int& penX,
                        int& listItems);
    void DrawTextRun(const std::string& run, const std::string& rest, const TRect& lineRect,
                     int penX, int width);
    void Load(const TChain& chain) {
        font_ = chain.font;
        anchorCounter_ = chain.anchorCounter;
        listLevel_ = chain.listLevel;
    }
    TChain Save() const { return {font_, anchorCounter_, listLevel_}; }
    int GhHeight() { return surface_.TextHeight("gh", font_); }

    IMiniHtmlSurface& surface_;
    const TMiniHtmlFont base_;
    const TMiniHtmlOptions& options_;
    TMiniHtmlResult& result_;

    TMiniHtmlFont font_;
    TColor runBackground_ = clNone;
    // Colours kept by one tag for its closing tag.
    TColor fontSavedBackground_ = clNone;
    TColor hiSavedColor_ = clNone;
    TColor hiSavedBackground_ = clNone;
    TColor anchorSavedColor_ = clNone;
    TColor anchorSavedBackground_ = clNone;

    int lineAdvance_ = 0;
    int lineHeight_ = 0;
    int lineStartHeight_ = 0;  // the height of "gh" when the line began
    int subExtra_ = 0;
    int supExtra_ = 0;
    int imageOffset_ = 0;
    bool sub_ = false;
    bool sup_ = false;
    bool shadow_ = false;
    bool hidden_ = false;
    bool errorUnderline_ = false;
    bool inAnchor_ = false;
    std::string anchorValue_;
    int anchorCounter_ = 0;
    int imageCounter_ = 0;
    int hoveredImage_ = -1;
    int listLevel_ = 0;
    int offset_ = 0;
    int alignment_ = 0;  // 0 left, 1 right, 2 centre
    int indent_ = 0;
    // Where the anchor being drawn began on this line (x), when it did.
    std::optional<int> anchorStart_;
    bool anchorRectPending_ = false;
};

bool TMiniHtmlLayout::Run(std::string text, const TRect& rect) {
    result_.SizeX = 0;
    result_.SizeY = 0;
    result_.AnchorCount = 0;
    result_.PlainText.clear();
    result_.FocusedAnchor.clear();
    result_.HitAnchorNumber = -1;
    font_ = base_;

    DecodeEntities(text);
    if (const std::size_t hash = text.find("<#"); hash != std::string::npos) {
        text.erase(hash, 1);
        if (const std::size_t close = text.find('>', hash); close != std::string::npos) {
            text.erase(close, 1);
        }
    }
    ReplaceAll(text, "\r", "<BR>");
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());

    TChain measureChain{base_, 0, 0};
    TChain drawChain{base_, 0, 0};
    bool hit = false;
    int top = rect.Top;
    while (!text.empty()) {
        sub_ = sup_ = false;
        subExtra_ = supExtra_ = imageOffset_ = 0;
        Load(measureChain);
        lineStartHeight_ = GhHeight();
        lineHeight_ = lineStartHeight_;

        // Measuring pass: the line takes what fits; the drawing pass starts from the same state.
        const bool savedInAnchor = inAnchor_;
        const std::string savedAnchorValue = anchorValue_;
        const bool savedShadow = shadow_;
        const bool savedHidden = hidden_;
        const bool savedError = errorUnderline_;
        const int imageCounterBefore = imageCounter_;
        const std::size_t sizeBefore = text.size();
        TLine measured =
            Core(text, Rect(rect.Left + 1, top, rect.Right, rect.Bottom), TPass::Measure);
        measureChain = Save();
        result_.AnchorCount = std::max(result_.AnchorCount, anchorCounter_);
        inAnchor_ = savedInAnchor;
        anchorValue_ = savedAnchorValue;
        shadow_ = savedShadow;
        hidden_ = savedHidden;
        errorUnderline_ = savedError;
        // Every line consumes something: a line that took nothing gives up one character.
        if (text.size() == sizeBefore && measured.consumed.empty()) text.erase(0, 1);

        if (!text.empty()) lineHeight_ += options_.LineSpacing;
        TRect line = Rect(rect.Left + 1, top, rect.Right, 0);
        if (alignment_ == 1) {
            line.Left = std::max(line.Left, line.Right - lineAdvance_);
        } else if (alignment_ == 2 && line.Right - line.Left - lineAdvance_ > 0) {
            line.Left += (line.Right - line.Left - lineAdvance_) / 2;
        }
        line.Left += indent_;
        line.Bottom = top + lineHeight_ + subExtra_ + supExtra_;

        if (!options_.MeasureOnly) {
            Load(drawChain);
            imageCounter_ = imageCounterBefore;
            sub_ = sup_ = false;
            std::string markup = measured.consumed;
            const TLine second =
                Core(markup, line, options_.HitTestOnly ? TPass::HitTest : TPass::Draw);
            drawChain = Save();
            if (second.imageAnchorHit) hit = true;
            const int bottom = line.Bottom - imageOffset_;
            if (second.textAnchorHit && options_.PointY > bottom - lineStartHeight_ &&
                options_.PointY < bottom) {
                hit = true;
            }
        }
        const int advance = lineHeight_ + subExtra_ + supExtra_;
        top += advance;
        result_.SizeY += advance;
        if (!options_.MeasureOnly && lineStartHeight_ + top > rect.Bottom) break;
    }
    if (result_.SizeY == 0) result_.SizeY = surface_.TextHeight("gh", base_);
    result_.SizeY += 2;
    return hit;
}

TMiniHtmlLayout::TLine TMiniHtmlLayout::Core(std::string& text, const TRect& lineRect, TPass pass) {
    TLine line;
    const int left = lineRect.Left + (pass == TPass::Draw ? offset_ : 0);
    int penX = left;
    lineAdvance_ = 0;
    std::string linePlain;
    bool breakPending = false;
    bool stopped = false;
    int listItems = 0;
    anchorStart_.reset();
    const int gh = lineStartHeight_;

    while (!text.empty() && !breakPending && !stopped) {
        // A run: the text up to the next tag, or with word wrap up to and with its first space.
        const std::size_t tagAt = text.find('<');
        std::size_t end = tagAt == std::string::npos ? text.size() : tagAt;
        if (options_.WordWrap) {
            const std::size_t space = text.find(' ');
            if (space != std::string::npos && space < end) end = space + 1;
        }
        if (end > 0) {
            const std::string raw = text.substr(0, end);
            const std::string run = DecodeRunEntities(raw);
            const int h = surface_.TextHeight(run, font_);
            if (sub_ && subExtra_ < h / 4) subExtra_ = h / 2;
            if (sup_ && supExtra_ < h / 4) supExtra_ = h / 2;
            lineHeight_ = std::max(lineHeight_, h);
            if (pass == TPass::Measure) result_.PlainText += run;
            if (hidden_) {
                text.erase(0, end);
                continue;
            }
            const int width = surface_.RunWidth(run, font_);
            const int counted = run == " " ? 0 : width;
            if (pass != TPass::Draw) {
                const int before = lineAdvance_;
                lineAdvance_ += counted;
                penX += counted;
                const int x = options_.PointX - lineRect.Left;
                if (inAnchor_ && x >= before && x <= lineAdvance_) {
                    line.textAnchorHit = true;
                    if (options_.PointY > lineRect.Top && options_.PointY < lineRect.Top + gh) {
                        result_.HitAnchor = anchorValue_;
                        anchorRectPending_ = true;
                    }
                }
            } else {
                if (run != " ") DrawTextRun(run, text.substr(end), lineRect, penX, width);
                penX += width;
                if (inAnchor_ && anchorCounter_ == options_.FocusedAnchorIndex + 1) {
                    result_.FocusedAnchor = anchorValue_;
                }
            }
            // Fit: a word that does not fit goes to the next line, unless it is the line's first
            // or continues a word (words are never split).
            const int available = lineRect.Right - (lineRect.Left + offset_);
            bool fits = !(lineAdvance_ > available && counted < available);
            if (!fits && (linePlain.empty() || linePlain.back() != ' ')) fits = true;
            if (fits || !options_.WordWrap) {
                line.consumed += raw;
                text.erase(0, end);
                linePlain += run;
            } else {
                breakPending = true;
                lineAdvance_ -= counted;
            }
            continue;
        }
        // A tag.
        if (text.size() <= 2) {
            text.clear();
            break;
        }
        const std::size_t close = text.find('>');
        const std::string tag = close == std::string::npos ? text : text.substr(0, close + 1);
        TTagEffect effect = TTagEffect::None;
        if (Upper(tag.substr(0, 4)) == "<IMG") {
            effect = Image(tag, Upper(tag), lineRect, pass, penX, line);
        } else {
            effect = Tag(tag, lineRect, pass, penX, listItems);
        }
        if (effect == TTagEffect::StopLine) {
            stopped = true;
            break;
        }
        if (close == std::string::npos) {
            text.clear();
        } else {
            line.consumed += tag;
            text.erase(0, close + 1);
        }
        if (effect == TTagEffect::LineBreak) breakPending = true;
    }
    if (lineAdvance_ > result_.SizeX) result_.SizeX = lineAdvance_ + 2;
    return line;
}

void TMiniHtmlLayout::DrawTextRun(const std::string& run, const std::string& rest,
                                  const TRect& lineRect, int penX, int width) {
    int y = lineRect.Top;
    if (sup_) y -= supExtra_ / 2;
    if (sub_) y += subExtra_ / 2;
    if (shadow_) {
        TMiniHtmlFont shade = font_;
        shade.color = options_.ShadowColor;
        surface_.DrawRun(run, shade, penX + options_.ShadowOffset, y + options_.ShadowOffset,
                         runBackground_);
    }
    // An underlined word followed by a blank inside its anchor carries the underline across it.
    std::string shown = run;
    if (font_.style.Contains(fsUnderline)) {
        const std::size_t space = rest.find(' ');
        std::string next =
            rest.substr(0, space == std::string::npos ? std::string::npos : space + 1);
        next = next.substr(0, next.find('<'));
        const std::size_t anchorEnd = FindNoCase(rest, "</A");
        if (!next.empty() && space != std::string::npos && space < anchorEnd) shown += "_";
    }
    surface_.DrawRun(shown, font_, penX, y, runBackground_);
    if (errorUnderline_) {
        const int base = lineRect.Bottom - subExtra_;
        int x = penX - (penX % 2 + 2) % 2;
        bool high = true;
        while (x < penX + width) {
            surface_.DrawLine(x, base - (high ? 4 : 2), x + 2, base - (high ? 2 : 4), clRed);
            x += 2;
            high = !high;
        }
    }
}

TTagEffect TMiniHtmlLayout::Tag(const std::string& tag, const TRect& lineRect, TPass pass,
                                int& penX, int& listItems) {
    const std::string upper = Upper(tag);
    const bool closing = upper.size() > 1 && upper[1] == '/';
    const std::size_t at = closing ? 2 : 1;
    const char c1 = at < upper.size() ? upper[at] : '\0';
    const char c2 = at + 1 < upper.size() ? upper[at + 1] : '\0';
    const char c3 = at + 2 < upper.size() ? upper[at + 2] : '\0';
    const bool draw = pass == TPass::Draw;
    const bool plain = c2 == '>' || c2 == ' ';  // the one-letter tag

    if (closing) {
        switch (c1) {
            case 'A':
                if ((!options_.HoverOnlyLinks || anchorCounter_ == options_.HoverAnchorNumber) &&
                    draw) {
                    font_.style.Exclude(fsUnderline);
                    if (options_.HoverBackColor != clNone) runBackground_ = anchorSavedBackground_;
                    if (options_.HoverTextColor != clNone) font_.color = anchorSavedColor_;
                }
                if (!options_.KeepColors) font_.color = base_.color;
                inAnchor_ = false;
                if (anchorRectPending_) {
                    anchorRectPending_ = false;
                    result_.HitAnchorRect = Rect(anchorStart_.value_or(lineRect.Left), lineRect.Top,
                                                 penX, lineRect.Bottom);
                    result_.HitAnchorNumber = anchorCounter_;
                }
                anchorStart_.reset();
                return TTagEffect::None;
            case 'B':
                if (plain) {
                    font_.style.Exclude(fsBold);
                } else {
                    font_.color = base_.color;
                }
                return TTagEffect::None;
            case 'E':
                if (draw) errorUnderline_ = false;
                return TTagEffect::None;
            case 'F':
                font_.name = base_.name;
                font_.size = base_.size;
                if (draw && !options_.KeepColors) {
                    font_.color = base_.color;
                    runBackground_ = fontSavedBackground_;
                }
                return TTagEffect::None;
            case 'H':
                if (c2 == 'I' && draw) {
                    font_.color = hiSavedColor_;
                    runBackground_ = hiSavedBackground_;
                }
                return TTagEffect::None;
            case 'I':
                if (plain) font_.style.Exclude(fsItalic);
                return TTagEffect::None;
            case 'L': return TTagEffect::LineBreak;
            case 'O': offset_ = 0; return TTagEffect::None;
            case 'P':
                if (draw) runBackground_ = clNone;
                return TTagEffect::LineBreak;
            case 'S':
                if (plain) {
                    font_.style.Exclude(fsStrikeOut);
                } else if (c2 == 'H') {
                    shadow_ = false;
                } else if (c2 == 'U') {
                    sub_ = sup_ = false;
                }
                return TTagEffect::None;
            case 'U':
                if (plain) {
                    font_.style.Exclude(fsUnderline);
                } else if (listLevel_ > 0) {
                    --listLevel_;
                } else {
                    font_.style.Exclude(fsUnderline);
                }
                return TTagEffect::None;
            case 'Z': hidden_ = false; return TTagEffect::None;
            default: return TTagEffect::None;
        }
    }

    switch (c1) {
        case 'A': {
            ++anchorCounter_;
            anchorValue_ = FirstQuoted(tag);
            inAnchor_ = true;
            anchorStart_ = penX;
            const bool hovered = anchorCounter_ == options_.HoverAnchorNumber;
            if ((!options_.HoverOnlyLinks || hovered) && draw) {
                font_.style.Include(fsUnderline);
                if (options_.HoverBackColor != clNone) {
                    anchorSavedBackground_ = runBackground_;
                    runBackground_ = options_.HoverBackColor;
                }
                if (options_.HoverTextColor != clNone) {
                    anchorSavedColor_ = font_.color;
                    font_.color = options_.HoverTextColor;
                }
            }
            if (!options_.KeepColors &&
                !(options_.HoverOnlyLinks && hovered && options_.HoverTextColor != clNone)) {
                font_.color = options_.URLColor;
            }
            return TTagEffect::None;
        }
        case 'B':
            if (plain) {
                font_.style.Include(fsBold);
            } else if (c2 == 'L') {
                if (!options_.BlinkOn) font_.color = clWhite;
            } else if (c2 == 'O') {
                if (draw && !options_.KeepColors) {
                    if (Attribute(upper, "BGCOLORTO")) {
                        runBackground_ = clNone;
                    } else if (const auto bg = Attribute(upper, "BGCOLOR")) {
                        runBackground_ = ParseColor(*bg);
                    }
                }
            } else if (c2 == 'R') {
                if (pass == TPass::Measure) result_.PlainText += '\r';
                return TTagEffect::LineBreak;
            }
            return TTagEffect::None;
        case 'E':
            if (draw) errorUnderline_ = true;
            return TTagEffect::None;
        case 'F': {
            if (const auto face = Attribute(upper, "FACE")) font_.name = *face;
            if (!options_.KeepColors) {
                if (const auto color = Attribute(upper, " COLOR")) font_.color = ParseColor(*color);
                if (const auto bg = Attribute(upper, "BGCOLOR"); bg && draw) {
                    fontSavedBackground_ = runBackground_;
                    runBackground_ = ParseColor(*bg);
                }
            }
            if (const std::optional<int> size = Number(Attribute(upper, "SIZE"))) {
                static constexpr int kHtmlSizes[] = {8, 10, 12, 14, 16};
                font_.size = *size >= 1 && *size <= 5
                                 ? kHtmlSizes[*size - 1]
                                 : std::clamp(*size, kMinFontPoints, kMaxFontPoints);
            }
            return TTagEffect::None;
        }
        case 'H':
            if (c2 == 'I') {
                if (draw) {
                    hiSavedColor_ = font_.color;
                    hiSavedBackground_ = runBackground_;
                    runBackground_ = clHighlight;
                    font_.color = clHighlightText;
                }
            } else if (c2 == 'R') {
                if (draw) {
                    const int y = lineRect.Bottom - subExtra_ + 1;
                    surface_.DrawLine(lineRect.Left, y, lineRect.Right, y, clBlack);
                }
                return TTagEffect::LineBreak;
            }
            return TTagEffect::None;
        case 'I':
            if (plain) {
                font_.style.Include(fsItalic);
            } else if (c2 == 'N') {
                const std::optional<int> n = Number(Attribute(upper, "X"));
                if (n && lineAdvance_ < *n) {
                    lineAdvance_ = *n;
                    penX = lineRect.Left + *n;
                }
            }
            return TTagEffect::None;
        case 'L': return ListItem(upper, lineRect, pass, penX, listItems);
        case 'O': {
            const std::optional<int> n = Number(Attribute(upper, "X"));
            if (n) {
                offset_ = *n;
                lineAdvance_ = *n;
                penX = lineRect.Left + *n;
            }
            return TTagEffect::None;
        }
        case 'P': {
            if (const auto align = Attribute(upper, "ALIGN")) {
                if (align->find("RIGHT") != std::string::npos) alignment_ = 1;
                if (align->find("LEFT") != std::string::npos) alignment_ = 0;
                if (align->find("CENTER") != std::string::npos) alignment_ = 2;
            }
            if (const std::optional<int> indent = Number(Attribute(upper, "INDENT"))) {
                indent_ = *indent;
            }
            if (draw && Attribute(upper, "BGCOLORTO")) runBackground_ = clNone;
            return TTagEffect::None;
        }
        case 'S':
            if (plain) {
                font_.style.Include(fsStrikeOut);
            } else if (c2 == 'H') {
                shadow_ = true;
            } else if (c2 == 'U') {
                if (c3 == 'B') sub_ = true;
                if (c3 == 'P') sup_ = true;
            }
            return TTagEffect::None;
        case 'U':
            if (plain) {
                font_.style.Include(fsUnderline);
                return TTagEffect::None;
            }
            ++listLevel_;
            return TTagEffect::LineBreak;
        case 'Z': hidden_ = true; return TTagEffect::None;
        default: return TTagEffect::None;
    }
}

TTagEffect TMiniHtmlLayout::Image(const std::string& tag, const std::string& upper,
                                  const TRect& lineRect, TPass pass, int& penX, TLine& line) {
    ++imageCounter_;
    std::string source = Attribute(tag, "SRC").value_or("");
    if (const auto alt = Attribute(tag, "ALT"); alt && imageCounter_ == hoveredImage_) {
        source = *alt;
    }
    int width = std::max(Number(Attribute(upper, "WIDTH")).value_or(0), 0);
    int height = std::max(Number(Attribute(upper, "HEIGHT")).value_or(0), 0);
    const std::string kind = Upper(source.substr(0, source.find(':') + 1));
    enum class TSource { None, List, Picture } from = TSource::None;
    int index = -1;
    if (kind == "IDX:") {
        const std::optional<int> n = TryStrToInt(source.substr(4));
        const TSize size = n ? surface_.ImageSize(*n) : TSize{};
        if (size.cx > 0 && size.cy > 0) {
            from = TSource::List;
            index = *n;
            width = size.cx;
            height = size.cy;
        }
    } else if (source.find(':') == std::string::npos) {
        const TSize size = surface_.PictureSize(source);
        if (size.cx > 0 && size.cy > 0) {
            from = TSource::Picture;
            if (width <= 0 || height <= 0) {
                width = size.cx;
                height = size.cy;
            }
        }
    }
    // Shell icons (SSYS:, LSYS:) and sources that found nothing take no room.
    if (from == TSource::None) width = height = 0;

    const int x = options_.PointX - lineRect.Left;
    if (inAnchor_ && x > lineAdvance_ && x < lineAdvance_ + width &&
        options_.PointY > lineRect.Top && options_.PointY < lineRect.Top + height) {
        line.imageAnchorHit = true;
        result_.HitAnchor = anchorValue_;
        hoveredImage_ = imageCounter_;
    }
    const int lineWidth = lineRect.Right - (lineRect.Left + offset_);
    if (lineAdvance_ + width > lineWidth && width < lineWidth) {
        --imageCounter_;  // the image is met again on the next line
        return TTagEffect::StopLine;
    }
    if (pass == TPass::Draw) {
        if (from == TSource::List && !options_.ForPrinting) {
            surface_.DrawImage(index, penX, lineRect.Top);
        } else if (from == TSource::Picture) {
            surface_.DrawPicture(source, penX, lineRect.Top, width, height);
        }
    }
    lineAdvance_ += width;
    penX += width;
    lineHeight_ = std::max(lineHeight_, height);
    if (const auto align = Attribute(upper, "ALIGN")) {
        if (align->rfind("TOP", 0) == 0) imageOffset_ = lineHeight_ - lineStartHeight_;
        if (align->rfind("MIDDLE", 0) == 0) imageOffset_ = (lineHeight_ - lineStartHeight_) / 2;
    }
    if (upper.find(" WRAP") != std::string::npos) {
        lineHeight_ = lineStartHeight_;
        imageOffset_ = 0;
    }
    return TTagEffect::None;
}

TTagEffect TMiniHtmlLayout::ListItem(const std::string& upper, const TRect& lineRect, TPass pass,
                                     int& penX, int& listItems) {
    if (++listItems > 1) return TTagEffect::StopLine;
    lineAdvance_ += 12 * listLevel_;
    penX += 12 * listLevel_ - 12;
    if (pass == TPass::Draw && !hidden_) {
        const std::string type = Attribute(upper, "TYPE").value_or("");
        const std::optional<std::string> colorValue = Attribute(upper, " COLOR");
        const TColor color = colorValue ? ParseColor(*colorValue) : font_.color;
        const int y = lineRect.Top + 2;
        if (type == "SQUARE") {
            surface_.FillRect(Rect(penX, y, penX + 8, y + 8), color);
        } else if (type == "CIRCLE") {
            surface_.FillEllipse(Rect(penX, y, penX + 8, y + 8), color);
        } else if (type == "IMAGE") {
            const std::string name = Attribute(upper, "NAME").value_or("");
            const TSize size = surface_.PictureSize(name);
            if (size.cx > 0 && size.cy > 0) {
                surface_.DrawPicture(name, penX, lineRect.Top, size.cx, size.cy);
                if (size.cx > 12) penX += size.cx - 12;
            }
        } else {
            TMiniHtmlFont symbol = font_;
            symbol.name = "Symbol";
            symbol.color = color;
            surface_.DrawRun(listLevel_ % 2 == 0 ? "o" : "\xE2\x80\xA2", symbol, penX, lineRect.Top,
                             clNone);
        }
    }
    penX += 12;
    return TTagEffect::None;
}

}  // namespace

TColor ColorFromName(const std::string& name) {
    static const std::pair<std::string_view, TColor> kNames[] = {
        {"clred", 0x0000FF},
        {"clblack", 0x000000},
        {"clblue", 0xFF0000},
        {"clgreen", 0x008000},
        {"claqua", 0xFFFF00},
        {"clyellow", 0x00FFFF},
        {"clfuchsia", 0xFF00FF},
        {"clwhite", 0xFFFFFF},
        {"cllime", 0x00FF00},
        {"clsilver", 0xC0C0C0},
        {"clgray", 0x808080},
        {"clolive", 0x008080},
        {"clnavy", 0x800000},
        {"clpurple", 0x800080},
        {"clteal", 0x808000},
        {"clmaroon", 0x000080},
        {"clbackground", clBackground},
        {"clactivecaption", clActiveCaption},
        {"clinactivecaption", clInactiveCaption},
        {"clmenu", clMenu},
        {"clwindow", clWindow},
        {"clwindowframe", clWindowFrame},
        {"clmenutext", clMenuText},
        {"clwindowtext", clWindowText},
        {"clcaptiontext", clCaptionText},
        {"clactiveborder", clActiveBorder},
        {"clinactiveborder", clInactiveBorder},
        {"clappworkspace", clAppWorkSpace},
        {"clhighlight", clHighlight},
        {"clhighlighttext", clHighlightText},
        {"clbtnface", clBtnFace},
        {"clbtnshadow", clBtnShadow},
        {"clgraytext", clGrayText},
        {"clbtntext", clBtnText},
        {"clinactivecaptiontext", clInactiveCaptionText},
        {"clbtnhighlight", clBtnHighlight},
        {"cl3ddkshadow", cl3DDkShadow},
        {"cl3dlight", cl3DLight},
        {"clinfotext", clInfoText},
        {"clinfobk", clInfoBk},
    };
    for (const auto& [n, color] : kNames) {
        if (n == name) return color;
    }
    return clBlack;
}

bool RenderMiniHtmlOn(IMiniHtmlSurface& surface, const TMiniHtmlFont& font, const std::string& text,
                      const TRect& rect, const TMiniHtmlOptions& options, TMiniHtmlResult& result) {
    TMiniHtmlLayout layout(surface, font, options, result);
    return layout.Run(text, rect);
}

}  // namespace dsp
