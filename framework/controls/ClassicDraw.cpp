#include "framework/controls/ClassicDraw.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "framework/graphics/Bitmap.h"

namespace dsp {

namespace {

// Keeps the caller's brush and pen while a routine draws with its own.
class KeepDrawingObjects {
public:
    explicit KeepDrawingObjects(TCanvas& canvas)
        : canvas_(canvas),
          brushColor_(canvas.Brush()->Color()),
          brushStyle_(canvas.Brush()->Style()),
          penColor_(canvas.Pen()->Color()) {}
    ~KeepDrawingObjects() {
        canvas_.Brush()->SetColor(brushColor_);
        canvas_.Brush()->SetStyle(brushStyle_);
        canvas_.Pen()->SetColor(penColor_);
    }
    KeepDrawingObjects(const KeepDrawingObjects&) = delete;
    KeepDrawingObjects& operator=(const KeepDrawingObjects&) = delete;

private:
    TCanvas& canvas_;
    TColor brushColor_;
    TBrushStyle brushStyle_;
    TColor penColor_;
};

void Fill(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(color);
    canvas.FillRect(r);
}

// One ring: upper-left colour on the left and top sides, lower-right on the right and bottom.
TRect Ring(TCanvas& canvas, const TRect& r, TColor ul, TColor lr) {
    if (IsRectEmpty(r)) return r;
    Fill(canvas, Rect(r.Left, r.Top, r.Right - 1, r.Top + 1), ul);
    Fill(canvas, Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1), ul);
    Fill(canvas, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), lr);
    Fill(canvas, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), lr);
    return InflateRect(r, -1, -1);
}

// Rows of a glyph drawn as spans: '#' marks a pixel.
template <std::size_t N>
void DrawMap(TCanvas& canvas, int x, int y, const std::array<const char*, N>& rows, char mark,
             TColor color) {
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(color);
    for (std::size_t row = 0; row < N; ++row) {
        const char* s = rows[row];
        for (int col = 0; s[col] != '\0';) {
            if (s[col] != mark) {
                ++col;
                continue;
            }
            int end = col;
            while (s[end] == mark) ++end;
            canvas.FillRect(Rect(x + col, y + int(row), x + end, y + int(row) + 1));
            col = end;
        }
    }
}

void Triangle(TCanvas& canvas, const TRect& r, TArrowDirection direction, TColor color) {
    const int w = r.Width();
    const int h = r.Height();
    const bool small = std::min(w, h) < 9;
    const int base = small ? 5 : 7;
    const int depth = (base + 1) / 2;
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(color);
    const bool vertical = direction == TArrowDirection::Up || direction == TArrowDirection::Down;
    const int x0 = r.Left + (w - (vertical ? base : depth)) / 2;
    const int y0 = r.Top + (h - (vertical ? depth : base)) / 2;
    for (int i = 0; i < depth; ++i) {
        const int len = base - 2 * i;
        switch (direction) {
            case TArrowDirection::Down:
                canvas.FillRect(Rect(x0 + i, y0 + i, x0 + i + len, y0 + i + 1));
                break;
            case TArrowDirection::Up:
                canvas.FillRect(Rect(x0 + i, y0 + depth - 1 - i, x0 + i + len, y0 + depth - i));
                break;
            case TArrowDirection::Right:
                canvas.FillRect(Rect(x0 + i, y0 + i, x0 + i + 1, y0 + i + len));
                break;
            case TArrowDirection::Left:
                canvas.FillRect(Rect(x0 + depth - 1 - i, y0 + i, x0 + depth - i, y0 + i + len));
                break;
        }
    }
}

const std::array<const char*, 7> kCheckMark = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};

// The radio button's rings, worked out once from the circle: 'o' the outer ring, 'i' the inner
// ring, 'w' the inside, 'd' the dot. Upper-left and lower-right halves are split along the
// anti-diagonal.
struct RadioMap {
    std::array<std::array<char, kRadioSize>, kRadioSize> cell{};
    RadioMap() {
        const double c = (kRadioSize - 1) / 2.0;
        for (int y = 0; y < kRadioSize; ++y)
            for (int x = 0; x < kRadioSize; ++x) {
                const double d = std::hypot(x - c, y - c);
                char k = '.';
                if (d < 1.9) {
                    k = 'd';
                } else if (d < 4.3) {
                    k = 'w';
                } else if (d < 5.3) {
                    k = 'i';
                } else if (d < 6.3) {
                    k = 'o';
                }
                cell[y][x] = k;
            }
    }
};

const RadioMap& SharedRadioMap() {
    static const RadioMap map;
    return map;
}

void TrackPattern(TCanvas& canvas, const TRect& r) {
    static const std::unique_ptr<TBitmap> pattern = [] {
        auto bmp = std::make_unique<TBitmap>(8, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                bmp->Canvas()->SetPixels(x, y, (x + y) % 2 ? clBtnFace : clBtnHighlight);
        return bmp;
    }();
    canvas.Brush()->SetBitmap(pattern.get());
    canvas.FillRect(r);
    canvas.Brush()->SetBitmap(nullptr);
}

}  // namespace

void DrawSunkenField(TCanvas& canvas, TRect& r) {
    canvas.DrawEdge(r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
}

TRect FieldInside(const TRect& client, TBorderStyle border) {
    return border == bsSingle ? InflateRect(client, -kEditBorder, -kEditBorder) : client;
}

TRect RightScrollBar(const TRect& area) {
    return Rect(area.Right - kScrollBarSize, area.Top, area.Right, area.Bottom);
}

void Frame3D(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int width) {
    KeepDrawingObjects keep(canvas);
    for (int i = 0; i < width && !IsRectEmpty(r); ++i) r = Ring(canvas, r, topColor, bottomColor);
}

void DrawButtonFace(TCanvas& canvas, TRect& r, bool down, bool defaultRing) {
    KeepDrawingObjects keep(canvas);
    if (defaultRing) r = Ring(canvas, r, clWindowFrame, clWindowFrame);
    if (down) {
        r = Ring(canvas, r, clBtnShadow, clBtnShadow);
    } else {
        r = Ring(canvas, r, clBtnHighlight, cl3DDkShadow);
        r = Ring(canvas, r, cl3DLight, clBtnShadow);
    }
    Fill(canvas, r, clBtnFace);
}

void DrawArrowGlyph(TCanvas& canvas, const TRect& r, TArrowDirection direction, bool enabled) {
    KeepDrawingObjects keep(canvas);
    if (enabled) {
        Triangle(canvas, r, direction, clBtnText);
    } else {
        Triangle(canvas, OffsetRect(r, 1, 1), direction, clBtnHighlight);
        Triangle(canvas, r, direction, clBtnShadow);
    }
}

void DrawArrowButton(TCanvas& canvas, const TRect& r, TArrowDirection direction, bool down,
                     bool enabled) {
    TRect face = r;
    DrawButtonFace(canvas, face, down, false);
    DrawArrowGlyph(canvas, down ? OffsetRect(face, 1, 1) : face, direction, enabled);
}

void DrawCheckGlyph(TCanvas& canvas, int x, int y, TCheckGlyphState state, bool enabled,
                    bool pressed) {
    KeepDrawingObjects keep(canvas);
    TRect box = Bounds(x, y, kCheckBoxSize, kCheckBoxSize);
    canvas.DrawEdge(box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    const bool face = pressed || !enabled || state == TCheckGlyphState::Grayed;
    Fill(canvas, box, face ? clBtnFace : clWindow);
    if (state == TCheckGlyphState::Unchecked) return;
    const TColor mark =
        (enabled && state == TCheckGlyphState::Checked) ? clWindowText : clBtnShadow;
    DrawMap(canvas, x + 3, y + 3, kCheckMark, '#', mark);
}

void DrawRadioGlyph(TCanvas& canvas, int x, int y, bool checked, bool enabled, bool pressed) {
    KeepDrawingObjects keep(canvas);
    const RadioMap& map = SharedRadioMap();
    const TColor inside = (pressed || !enabled) ? clBtnFace : clWindow;
    const TColor dot = enabled ? clWindowText : clBtnShadow;
    for (int row = 0; row < kRadioSize; ++row)
        for (int col = 0; col < kRadioSize; ++col) {
            const bool upperLeft = row + col < kRadioSize - 1;
            TColor color = clNone;
            switch (map.cell[row][col]) {
                case 'o': color = upperLeft ? clBtnShadow : clBtnHighlight; break;
                case 'i': color = upperLeft ? cl3DDkShadow : cl3DLight; break;
                case 'w': color = inside; break;
                case 'd': color = checked ? dot : inside; break;
                default: break;
            }
            if (color != clNone) {
                Fill(canvas, Rect(x + col, y + row, x + col + 1, y + row + 1), color);
            }
        }
}

void DrawDisabledText(TCanvas& canvas, const std::string& text, TRect r, unsigned format) {
    const TColor original = canvas.Font()->Color();
    const TBrushStyle style = canvas.Brush()->Style();
    canvas.Brush()->SetStyle(bsClear);
    TRect shifted = OffsetRect(r, 1, 1);
    canvas.Font()->SetColor(clBtnHighlight);
    canvas.DrawText(text, shifted, format);
    canvas.Font()->SetColor(clBtnShadow);
    canvas.DrawText(text, r, format);
    canvas.Font()->SetColor(original);
    canvas.Brush()->SetStyle(style);
}

void DrawCaptionText(TCanvas& canvas, const std::string& text, TRect r, unsigned format,
                     bool enabled) {
    canvas.Brush()->SetStyle(bsClear);
    if (enabled) {
        canvas.DrawText(text, r, format);
    } else {
        DrawDisabledText(canvas, text, r, format);
    }
    canvas.Brush()->SetStyle(bsSolid);
}

// ---- scroll bars

int ScrollMaxPosition(const TScrollBarState& s) {
    const int top = s.page > 0 ? s.max - s.page + 1 : s.max;
    return std::max(top, s.min);
}

TScrollBarGeometry ScrollBarGeometry(const TRect& r, bool vertical, const TScrollBarState& s) {
    TScrollBarGeometry g;
    const int length = vertical ? r.Height() : r.Width();
    const int thickness = vertical ? r.Width() : r.Height();
    const int button = std::min(thickness, length / 2);
    if (vertical) {
        g.lineUp = Rect(r.Left, r.Top, r.Right, r.Top + button);
        g.lineDown = Rect(r.Left, r.Bottom - button, r.Right, r.Bottom);
        g.track = Rect(r.Left, r.Top + button, r.Right, r.Bottom - button);
    } else {
        g.lineUp = Rect(r.Left, r.Top, r.Left + button, r.Bottom);
        g.lineDown = Rect(r.Right - button, r.Top, r.Right, r.Bottom);
        g.track = Rect(r.Left + button, r.Top, r.Right - button, r.Bottom);
    }
    const int track = length - 2 * button;
    const int range = s.max - s.min + 1;
    const int maxPos = ScrollMaxPosition(s);
    if (maxPos <= s.min || track < kMinThumbSize) return g;
    int thumb =
        s.page > 0 ? static_cast<int>(static_cast<long long>(track) * s.page / range) : thickness;
    thumb = std::clamp(thumb, kMinThumbSize, track);
    const int pos = std::clamp(s.position, s.min, maxPos);
    const int offset =
        static_cast<int>(static_cast<long long>(track - thumb) * (pos - s.min) / (maxPos - s.min));
    if (vertical) {
        g.thumb = Rect(r.Left, g.track.Top + offset, r.Right, g.track.Top + offset + thumb);
    } else {
        g.thumb = Rect(g.track.Left + offset, r.Top, g.track.Left + offset + thumb, r.Bottom);
    }
    return g;
}

TScrollPart ScrollBarHitTest(const TRect& r, bool vertical, const TScrollBarState& s, TPoint p) {
    if (!PtInRect(r, p)) return TScrollPart::None;
    const TScrollBarGeometry g = ScrollBarGeometry(r, vertical, s);
    if (PtInRect(g.lineUp, p)) return TScrollPart::LineUp;
    if (PtInRect(g.lineDown, p)) return TScrollPart::LineDown;
    if (IsRectEmpty(g.thumb)) return TScrollPart::None;
    if (PtInRect(g.thumb, p)) return TScrollPart::Thumb;
    const bool before = vertical ? p.Y < g.thumb.Top : p.X < g.thumb.Left;
    return before ? TScrollPart::PageUp : TScrollPart::PageDown;
}

int ScrollPositionFromThumb(const TRect& r, bool vertical, const TScrollBarState& s, int offset) {
    const TScrollBarGeometry g = ScrollBarGeometry(r, vertical, s);
    if (IsRectEmpty(g.thumb)) return s.position;
    const int track = vertical ? g.track.Height() : g.track.Width();
    const int thumb = vertical ? g.thumb.Height() : g.thumb.Width();
    const int free = track - thumb;
    const int maxPos = ScrollMaxPosition(s);
    if (free <= 0) return s.min;
    offset = std::clamp(offset, 0, free);
    // The first position drawn at that offset, so that the thumb stays where it was dropped.
    const long long span = maxPos - s.min;
    return s.min + static_cast<int>((span * offset + free - 1) / free);
}

void DrawScrollBar(TCanvas& canvas, const TRect& r, bool vertical, const TScrollBarState& s,
                   bool enabled, TScrollPart pressed) {
    KeepDrawingObjects keep(canvas);
    const TScrollBarGeometry g = ScrollBarGeometry(r, vertical, s);
    const bool canScroll = enabled && !IsRectEmpty(g.thumb);
    DrawArrowButton(canvas, g.lineUp, vertical ? TArrowDirection::Up : TArrowDirection::Left,
                    pressed == TScrollPart::LineUp, canScroll);
    DrawArrowButton(canvas, g.lineDown, vertical ? TArrowDirection::Down : TArrowDirection::Right,
                    pressed == TScrollPart::LineDown, canScroll);
    if (IsRectEmpty(g.track)) return;
    TrackPattern(canvas, g.track);
    if (!canScroll) return;
    // The pressed part of the track shows dark.
    if (pressed == TScrollPart::PageUp || pressed == TScrollPart::PageDown) {
        TRect part = g.track;
        const bool up = pressed == TScrollPart::PageUp;
        if (vertical) {
            (up ? part.Bottom : part.Top) = up ? g.thumb.Top : g.thumb.Bottom;
        } else {
            (up ? part.Right : part.Left) = up ? g.thumb.Left : g.thumb.Right;
        }
        Fill(canvas, part, cl3DDkShadow);
    }
    TRect thumb = g.thumb;
    DrawButtonFace(canvas, thumb, false, false);
}

}  // namespace dsp
