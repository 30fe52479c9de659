#include "widgets/styled/RTFLabel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "framework/controls/WinControl.h"
#include "framework/desktop/Printers.h"
#include "framework/graphics/TextMetrics.h"
#include "framework/text/Streams.h"
#include "framework/text/WholeFile.h"
#include "widgets/styled/GDIPPictureContainer.h"

namespace dsp {

namespace {

constexpr std::uint32_t kLabelVersion = 0x01030000;  // 1.3.0.0
constexpr int kTwipsPerInch = 1440;
constexpr int kDefaultTabTwips = 720;
constexpr const char* kFallbackFace = "Arial";

int RoundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

int ToPixels(int twips, int dpi) {
    return RoundHalfEven(static_cast<double>(twips) * dpi / kTwipsPerInch);
}

// The code point at text[i] and the number of bytes it takes (a stray byte counts as one).
std::uint32_t NextCodePoint(const std::string& text, std::size_t i, std::size_t& length) {
    const auto b = static_cast<unsigned char>(text[i]);
    length = 1;
    std::size_t extra = 0;
    std::uint32_t c = 0;
    if (b >= 0xF0 && b < 0xF8) {
        extra = 3;
        c = b & 0x07;
    } else if (b >= 0xE0 && b < 0xF0) {
        extra = 2;
        c = b & 0x0F;
    } else if (b >= 0xC0 && b < 0xE0) {
        extra = 1;
        c = b & 0x1F;
    } else {
        return b;
    }
    if (i + extra >= text.size()) return b;
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return b;
        c = (c << 6) | (next & 0x3F);
    }
    length = extra + 1;
    return c;
}

// Characters a line may break after on their own (Chinese, Japanese and Korean script).
bool BreaksAlone(std::uint32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF);
}

// The text cut into the pieces a line may break between: words with the blanks after them, and
// single ideographs with theirs.
std::vector<std::string> BreakUnits(const std::string& text) {
    std::vector<std::string> units;
    std::string current;
    bool inBlanks = false;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        const std::uint32_t c = NextCodePoint(text, i, length);
        const std::string ch = text.substr(i, length);
        i += length;
        if (c == ' ') {
            current += ch;
            inBlanks = true;
            continue;
        }
        if (inBlanks || BreaksAlone(c)) {
            if (!current.empty()) units.push_back(current);
            current.clear();
            inBlanks = false;
        }
        current += ch;
        if (BreaksAlone(c)) {
            // The ideograph stands alone unless blanks follow it.
            inBlanks = false;
            units.push_back(current);
            current.clear();
        }
    }
    if (!current.empty()) units.push_back(current);
    // Blanks after an ideograph join it.
    std::vector<std::string> joined;
    for (std::string& u : units) {
        if (!joined.empty() && u.find_first_not_of(' ') == std::string::npos) {
            joined.back() += u;
        } else {
            joined.push_back(std::move(u));
        }
    }
    return joined;
}

struct TPiece {
    std::string text;
    TRtfCharFormat format;
    int x = 0;
    int width = 0;     // with trailing blanks
    int inkWidth = 0;  // without them
};

struct TLaidLine {
    std::vector<TPiece> pieces;
    int top = 0;  // from the top of the document
    int ascent = 0;
    int descent = 0;
    int shift = 0;  // for alignment
};

class TRtfLayout {
public:
    TRtfLayout(TCanvas& canvas, const TRtfDocument& document, int dpiX, int dpiY)
        : canvas_(canvas), document_(document), dpiX_(dpiX), dpiY_(dpiY) {}

    // Lines of the document laid out between left and right (pixels).
    std::vector<TLaidLine> Lay(int left, int right) {
        std::vector<TLaidLine> lines;
        int y = 0;
        const int tab = std::max(ToPixels(kDefaultTabTwips, dpiX_), 1);
        for (const TRtfParagraph& p : document_.paragraphs) {
            y += ToPixels(p.spaceBefore, dpiY_);
            const int lineLeft = left + ToPixels(p.leftIndent, dpiX_);
            const int lineRight = right - ToPixels(p.rightIndent, dpiX_);
            const int firstLeft = lineLeft + ToPixels(p.firstIndent, dpiX_);
            TLaidLine line;
            int x = firstLeft;
            int start = firstLeft;
            bool any = false;
            auto finish = [&] {
                Measure(line, p.markFormat);
                Align(line, p.alignment, start, lineRight);
                line.top = y;
                y += line.ascent + line.descent;
                lines.push_back(std::move(line));
                line = TLaidLine{};
                x = start = lineLeft;
                any = false;
            };
            for (const TRtfRun& run : p.runs) {
                switch (run.kind) {
                    case TRtfRun::TKind::LineBreak: finish(); break;
                    case TRtfRun::TKind::Tab: {
                        int next = left + ((x - left) / tab + 1) * tab;
                        for (int stop : p.tabStops) {
                            const int at = left + ToPixels(stop, dpiX_);
                            if (at > x) {
                                next = at;
                                break;
                            }
                        }
                        line.pieces.push_back({"", run.format, x, next - x, 0});
                        x = next;
                        any = true;
                        break;
                    }
                    case TRtfRun::TKind::Text:
                        Apply(run.format);
                        for (const std::string& unit : BreakUnits(run.text)) {
                            const int width = canvas_.TextWidth(unit);
                            const std::size_t inkEnd = unit.find_last_not_of(' ');
                            const int ink =
                                inkEnd == std::string::npos
                                    ? 0
                                    : (inkEnd + 1 == unit.size()
                                           ? width
                                           : canvas_.TextWidth(unit.substr(0, inkEnd + 1)));
                            if (any && x + ink > lineRight) {
                                finish();
                                Apply(run.format);
                            }
                            if (!line.pieces.empty() && line.pieces.back().format == run.format &&
                                !line.pieces.back().text.empty() &&
                                line.pieces.back().x + line.pieces.back().width == x) {
                                TPiece& last = line.pieces.back();
                                last.inkWidth = last.width + ink;
                                last.width += width;
                                last.text += unit;
                            } else {
                                line.pieces.push_back({unit, run.format, x, width, ink});
                            }
                            x += width;
                            any = true;
                        }
                        break;
                }
            }
            finish();
            y += ToPixels(p.spaceAfter, dpiY_);
        }
        return lines;
    }

    // Sets the canvas's font for a format.
    void Apply(const TRtfCharFormat& format) {
        TFont& font = *canvas_.Font();
        std::string face = document_.FontName(format.font);
        if (face.empty()) face = kFallbackFace;
        font.SetName(face);
        font.SetHeight(-RoundHalfEven(static_cast<double>(format.halfPoints) * dpiY_ / 144.0));
        TFontStyles style;
        if (format.bold) style.Include(fsBold);
        if (format.italic) style.Include(fsItalic);
        if (format.underline) style.Include(fsUnderline);
        font.SetStyle(style);
        const TColor color = document_.Color(format.color);
        font.SetColor(color == clNone ? clBlack : color);
    }

private:
    void Measure(TLaidLine& line, const TRtfCharFormat& mark) {
        auto take = [&](const TRtfCharFormat& format) {
            Apply(format);
            const TTextMetric m = GetTextMetrics(canvas_);
            line.ascent = std::max(line.ascent, m.tmAscent);
            line.descent = std::max(line.descent, m.tmDescent);
        };
        if (line.pieces.empty()) take(mark);
        for (const TPiece& piece : line.pieces) take(piece.format);
    }

    static void Align(TLaidLine& line, TRtfAlignment alignment, int start, int right) {
        if (line.pieces.empty()) return;
        const TPiece& last = line.pieces.back();
        const int used = last.x + last.inkWidth - start;
        const int free = right - start - used;
        if (free <= 0) return;
        if (alignment == TRtfAlignment::Center) line.shift = free / 2;
        if (alignment == TRtfAlignment::Right) line.shift = free;
    }

    TCanvas& canvas_;
    const TRtfDocument& document_;
    int dpiX_;
    int dpiY_;
};

void DrawLine(TCanvas& canvas, TRtfLayout& layout, const TLaidLine& line, int y) {
    for (const TPiece& piece : line.pieces) {
        if (piece.text.empty()) continue;
        layout.Apply(piece.format);
        const TTextMetric m = GetTextMetrics(canvas);
        canvas.TextOut(piece.x + line.shift, y + line.ascent - m.tmAscent, piece.text);
    }
}

int ResolutionOf(const TCanvas& canvas, int index) {
    const int dpi = canvas.DeviceCaps(index);
    return dpi > 0 ? dpi : 96;
}

// Draws on a canvas with a clear background, and gives the canvas its state back afterwards.
struct TTransparentText {
    explicit TTransparentText(TCanvas& c) : canvas(c), style(c.Brush()->Style()) {
        font.Assign(c.Font());
        canvas.Brush()->SetStyle(bsClear);
        canvas.SetBkMode(TRANSPARENT);
    }
    ~TTransparentText() {
        canvas.Font()->Assign(&font);
        canvas.Brush()->SetStyle(style);
    }
    TCanvas& canvas;
    TBrushStyle style;
    TFont font;
};

}  // namespace

// ---- the document buffer

void TRichTextBuffer::LoadFromStream(TStream& stream) { bytes_ = stream.ReadRest(); }

void TRichTextBuffer::SaveToStream(TStream& stream) const {
    if (!bytes_.empty())
        stream.WriteBuffer(bytes_.data(), static_cast<std::int64_t>(bytes_.size()));
}

void TRichTextBuffer::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead);
    LoadFromStream(file);
}

// ---- rendering

TRect RtfTwipsRect(const TRect& r, int dpiX, int dpiY) {
    if (dpiX <= 0) dpiX = 96;
    if (dpiY <= 0) dpiY = 96;
    constexpr int m = 1;
    auto twips = [](int pixels, int dpi) {
        return RoundHalfEven(static_cast<double>(pixels) / dpi * kTwipsPerInch);
    };
    const int left = twips(r.Left + m, dpiX);
    const int top = twips(r.Top + m, dpiY);
    return Rect(left, top, left + twips(r.Right - r.Left - m, dpiX),
                top + twips(r.Bottom - r.Top - m, dpiY));
}

void RenderRtf(TCanvas& canvas, const TRtfDocument& document, const TRect& twips, int dpiX,
               int dpiY) {
    if (dpiX <= 0) dpiX = 96;
    if (dpiY <= 0) dpiY = 96;
    const TRect area = Rect(ToPixels(twips.Left, dpiX), ToPixels(twips.Top, dpiY),
                            ToPixels(twips.Right, dpiX), ToPixels(twips.Bottom, dpiY));
    TTransparentText transparent(canvas);
    TRtfLayout layout(canvas, document, dpiX, dpiY);
    for (const TLaidLine& line : layout.Lay(area.Left, area.Right)) {
        const int y = area.Top + line.top;
        if (y + line.ascent + line.descent > area.Bottom) break;
        DrawLine(canvas, layout, line, y);
    }
}

// ---- the label

TRTFLabel::TRTFLabel(TComponent* owner)
    : TCustomLabel(owner), FRichedit(std::make_unique<TRichTextBuffer>()) {
    SetAutoSize(false);
    SetCaption("");
}

TRTFLabel::~TRTFLabel() { FRichedit.reset(); }

std::uint32_t TRTFLabel::GetVersionNr() const { return kLabelVersion; }

std::string TRTFLabel::Version() const { return VersionText(GetVersionNr()); }

bool TRTFLabel::ParentHasWindow() const {
    return Parent() != nullptr && Parent()->HandleAllocated();
}

void TRTFLabel::SetWordWrap(bool value) {
    FWordWrap = value;
    if (Parent() != nullptr && FRichedit != nullptr && !ComponentState().Contains(csLoading)) {
        FRichedit->SetWordWrap(value);
    }
}

void TRTFLabel::Loaded() {
    TCustomLabel::Loaded();
    if (FRichedit != nullptr) FRichedit->SetWordWrap(false);
    SetCaption("");
}

TRichTextBuffer* TRTFLabel::RTF() {
    if (Parent() == nullptr || FRichedit == nullptr) return nullptr;
    if (ParentHasWindow()) FRichedit->Clear();
    return FRichedit.get();
}

void TRTFLabel::ShowRTF() {
    if (!ParentHasWindow() || FRichedit == nullptr) return;
    FRichtext = FRichedit->Bytes();
    Invalidate();
}

void TRTFLabel::EndUpdate() {
    if (Fupdatecount <= 0) return;
    --Fupdatecount;
    if (Fupdatecount == 0) ShowRTF();
}

void TRTFLabel::CopyFromRichEdit(TRichTextBuffer* editor) {
    if (editor == nullptr) return;
    FRichtext = editor->Bytes();
    Invalidate();
}

void TRTFLabel::CopyToRichEdit(TRichTextBuffer* editor) {
    if (editor == nullptr) return;
    editor->SetPlainText(false);
    editor->SetBytes(FRichtext);
}

void TRTFLabel::RenderRTF(TCanvas& canvas, const TRect& r) {
    const int dpiX = ResolutionOf(canvas, LOGPIXELSX);
    const int dpiY = ResolutionOf(canvas, LOGPIXELSY);
    RenderRtf(canvas, ReadRtf(FRichtext), RtfTwipsRect(r, dpiX, dpiY), dpiX, dpiY);
}

void TRTFLabel::Paint() {
    SetCaption("");
    TCustomLabel::Paint();
    if (Fupdatecount > 0 || FRichedit == nullptr || FPainting) return;
    FPainting = true;
    struct TEnd {
        bool& painting;
        ~TEnd() { painting = false; }
    } end{FPainting};
    if (!ParentHasWindow()) return;
    RenderRTF(*Canvas(), Rect(0, 0, Width(), Height()));
}

void TRTFLabel::PaintTo(TCanvas& canvas) {
    if (FRichedit == nullptr) return;
    RenderRTF(canvas, ClientRect());
}

void TRTFLabel::Print(const std::string& caption) {
    if (Parent() == nullptr || FRichedit == nullptr || !ParentHasWindow()) return;
    CopyToRichEdit(FRichedit.get());
    TPrinter& printer = *Printer();
    printer.SetTitle(caption);
    printer.BeginDoc();
    TCanvas& canvas = *printer.Canvas();
    const int dpiX = ResolutionOf(canvas, LOGPIXELSX);
    const int dpiY = ResolutionOf(canvas, LOGPIXELSY);
    const TRtfDocument document = ReadRtf(FRichedit->Bytes());
    {
        TTransparentText transparent(canvas);
        TRtfLayout layout(canvas, document, dpiX, dpiY);
        const int pageHeight = printer.PageHeight();
        int pageTop = 0;
        for (const TLaidLine& line : layout.Lay(0, printer.PageWidth())) {
            const int height = line.ascent + line.descent;
            if (line.top + height - pageTop > pageHeight && line.top > pageTop) {
                printer.NewPage();
                pageTop = line.top;
            }
            DrawLine(canvas, layout, line, line.top - pageTop);
        }
    }
    printer.EndDoc();
}

}  // namespace dsp
