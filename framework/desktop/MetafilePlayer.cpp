// Playing a recording into a rectangle of a canvas: every coordinate is scaled from the picture
// into the rectangle, pens and fonts with it, and each call is clipped to what was visible when
// it was recorded. The canvas's pen, brush, font and device state are as before afterwards.

#include <QImage>

#include <algorithm>
#include <cmath>

#include "framework/core/FrameworkAccess.h"
#include "framework/desktop/Metafile.h"
#include "framework/desktop/MetafileData.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BitmapQt.h"

namespace dsp {

namespace {

class TPlayer {
public:
    TPlayer(const TMetafileData& data, TCanvas& canvas, const TRect& r)
        : data_(data),
          canvas_(canvas),
          r_(r),
          sx_(static_cast<double>(r.Width()) / data.width),
          sy_(static_cast<double>(r.Height()) / data.height) {}

    void Play() {
        TPen pen;
        TBrush brush;
        TFont font;
        pen.Assign(canvas_.Pen());
        brush.Assign(canvas_.Brush());
        font.Assign(canvas_.Font());
        hadClip_ = canvas_.GetClipRgn(originalClip_);
        saved_ = canvas_.SaveDC();
        for (const TMetaRecord& record : data_.records) {
            if (record.state != applied_) Apply(record.state);
            Draw(record);
        }
        // Pen, brush and font first: a new brush or font resets the background and text
        // colours, which the saved device state then puts back.
        canvas_.SetPen(&pen);
        canvas_.SetBrush(&brush);
        canvas_.SetFont(&font);
        canvas_.TextColor();
        canvas_.RestoreDC(saved_);
    }

private:
    int X(int x) const { return r_.Left + static_cast<int>(std::lround(x * sx_)); }
    int Y(int y) const { return r_.Top + static_cast<int>(std::lround(y * sy_)); }
    TPoint P(TPoint p) const { return {X(p.X), Y(p.Y)}; }
    TRect R(const TRect& r) const { return {X(r.Left), Y(r.Top), X(r.Right), Y(r.Bottom)}; }
    std::vector<TPoint> Ps(const std::vector<TPoint>& points) const {
        std::vector<TPoint> result;
        result.reserve(points.size());
        for (TPoint p : points) result.push_back(P(p));
        return result;
    }
    // A rectangle that stays at least one pixel wide and high however small the scale.
    TRect AtLeastOnePixel(TRect r) const {
        r.Right = std::max(r.Right, r.Left + 1);
        r.Bottom = std::max(r.Bottom, r.Top + 1);
        return r;
    }

    void Apply(int index) {
        const TMetaState& s = data_.states[static_cast<std::size_t>(index)];
        canvas_.RestoreDC(saved_);
        saved_ = canvas_.SaveDC();

        TPen* pen = canvas_.Pen();
        pen->SetColor(s.penColor);
        pen->SetStyle(s.penStyle);
        pen->SetMode(s.penMode);
        // Solid pens grow with the picture; styled pens stay one pixel, dashed.
        const bool styled = s.penStyle != psSolid && s.penStyle != psInsideFrame;
        const double scale = std::min(std::abs(sx_), std::abs(sy_));
        pen->SetWidth(s.penWidth <= 0 || styled
                          ? s.penWidth
                          : std::max(1, static_cast<int>(std::lround(s.penWidth * scale))));

        TBrush* brush = canvas_.Brush();
        if (s.brushPattern) {
            // The brush keeps a copy of the pixels and a pointer to the bitmap, which lives on
            // until the playing ends.
            const TBrushPattern& p = *s.brushPattern;
            patternBitmap_ = std::make_unique<TBitmap>(p.width, p.height);
            for (int y = 0; y < p.height; ++y)
                for (int x = 0; x < p.width; ++x)
                    patternBitmap_->Canvas()->SetPixels(
                        x, y,
                        static_cast<TColor>(p.pixels[static_cast<std::size_t>(y * p.width + x)]));
            if (p.monochrome) patternBitmap_->SetMonochrome(true);
            brush->SetBitmap(patternBitmap_.get());
        } else {
            brush->SetBitmap(nullptr);
        }
        brush->SetColor(s.brushColor);
        brush->SetStyle(s.brushStyle);

        TLogFont f = s.font;
        if (f.lfHeight != 0) {
            const int h = static_cast<int>(std::lround(f.lfHeight * std::abs(sy_)));
            f.lfHeight = h != 0 ? h : (f.lfHeight < 0 ? -1 : 1);
        }
        f.lfWidth = static_cast<int>(std::lround(f.lfWidth * std::abs(sx_)));
        TFont* font = canvas_.Font();
        font->SetLogFont(f);
        font->SetColor(s.fontColor);

        canvas_.SetTextColor(s.textNone ? clNone : static_cast<TColor>(s.textColor));
        canvas_.SetBkColor(static_cast<TColor>(s.bkColor));
        canvas_.SetBkMode(s.bkMode);
        canvas_.SetTextAlign(s.textAlign);
        canvas_.SetPolyFillMode(s.polyFill);
        canvas_.SetCopyMode(s.copyMode);
        ApplyClip(s.clip);
        applied_ = index;
    }

    // The recorded visible part, scaled, within the canvas's own clip region. Regions are in
    // device coordinates: logical ones moved by the viewport and window origins.
    void ApplyClip(const std::vector<TRect>& clip) {
        const TPoint vp = canvas_.ViewportOrg();
        const TPoint wo = canvas_.WindowOrg();
        TRegion region;
        for (const TRect& c : clip) {
            const TRect d = OffsetRect(NormalizeRect(R(c)), vp.X - wo.X, vp.Y - wo.Y);
            CombineRgn(region, region, CreateRectRgnIndirect(d), RGN_OR);
        }
        if (hadClip_) CombineRgn(region, region, originalClip_, RGN_AND);
        canvas_.SelectClipRgn(&region);
    }

    std::unique_ptr<TBitmap> Bitmap(const QImage& image, bool monochrome) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->Internal(kFrameworkKey).image = image;
        bitmap->PixelsReplaced(kFrameworkKey);
        if (monochrome) bitmap->SetMonochrome(true);
        return bitmap;
    }

    void Draw(const TMetaRecord& r) {
        switch (r.op) {
            case TMetaOp::Pixel: {
                canvas_.Brush()->SetBitmap(nullptr);
                canvas_.Brush()->SetColor(r.color1);
                canvas_.Brush()->SetStyle(bsSolid);
                const TPoint p = r.points[0];
                canvas_.FillRect(AtLeastOnePixel(NormalizeRect(R(Bounds(p.X, p.Y, 1, 1)))));
                applied_ = -1;  // the brush is not the state's any more
                break;
            }
            case TMetaOp::Line:
                canvas_.MoveTo(X(r.points[0].X), Y(r.points[0].Y));
                canvas_.LineTo(X(r.points[1].X), Y(r.points[1].Y));
                break;
            case TMetaOp::Polyline: canvas_.Polyline(Ps(r.points)); break;
            case TMetaOp::Rectangle: canvas_.Rectangle(R(r.r)); break;
            case TMetaOp::RoundRect: {
                const TRect b = R(r.r);
                canvas_.RoundRect(b.Left, b.Top, b.Right, b.Bottom,
                                  static_cast<int>(std::lround(r.a * std::abs(sx_))),
                                  static_cast<int>(std::lround(r.b * std::abs(sy_))));
                break;
            }
            case TMetaOp::Ellipse: canvas_.Ellipse(R(r.r)); break;
            case TMetaOp::Polygon: canvas_.Polygon(Ps(r.points)); break;
            case TMetaOp::FillRect: canvas_.FillRect(R(r.r)); break;
            case TMetaOp::FrameRect: canvas_.FrameRect(R(r.r)); break;
            case TMetaOp::FillRegion:
                for (const TRect& rect : r.rects) canvas_.FillRect(NormalizeRect(R(rect)));
                break;
            case TMetaOp::PatBlt: {
                const TRect b = R(r.r);
                canvas_.PatBlt(b.Left, b.Top, b.Width(), b.Height(), r.flags);
                break;
            }
            case TMetaOp::Gradient:
                canvas_.GradientFill(R(r.r), r.color1, r.color2, r.flags);
                break;
            case TMetaOp::FocusRect: canvas_.DrawFocusRect(R(r.r)); break;
            case TMetaOp::InvertRect: canvas_.InvertRect(R(r.r)); break;
            case TMetaOp::Edge: {
                TRect b = R(r.r);
                canvas_.DrawEdge(b, static_cast<unsigned>(r.a), r.flags);
                break;
            }
            case TMetaOp::DrawText: {
                TRect b = R(r.r);
                canvas_.DrawText(r.text, b, r.flags);
                break;
            }
            case TMetaOp::TextOut:
                canvas_.TextOut(X(r.points[0].X), Y(r.points[0].Y), r.text);
                break;
            case TMetaOp::TextRect:
                canvas_.TextRect(R(r.r), X(r.points[0].X), Y(r.points[0].Y), r.text);
                break;
            case TMetaOp::Image: {
                const TRect b = R(r.r);
                if (!r.image) {
                    canvas_.PatBlt(b.Left, b.Top, b.Width(), b.Height(), r.flags);
                    break;
                }
                auto source = Bitmap(*r.image, r.imageMonochrome);
                source->Canvas()->SetBkColor(static_cast<TColor>(r.imageBkColor));
                canvas_.StretchBlt(b.Left, b.Top, b.Width(), b.Height(), source->Canvas(), 0, 0,
                                   source->Width(), source->Height(), r.flags);
                break;
            }
            case TMetaOp::MaskedImage: {
                if (!r.image || !r.mask) break;
                auto source = Bitmap(*r.image, false);
                auto mask = Bitmap(*r.mask, true);
                canvas_.TransparentStretchBlt(R(r.r), source->Canvas(),
                                              Rect(0, 0, source->Width(), source->Height()),
                                              mask->Canvas(), {0, 0});
                break;
            }
            case TMetaOp::Graphic:
                if (r.graphic) canvas_.StretchDraw(R(r.r), r.graphic.get());
                break;
        }
    }

    const TMetafileData& data_;
    TCanvas& canvas_;
    TRect r_;
    double sx_;
    double sy_;
    int saved_ = 0;
    int applied_ = -1;
    bool hadClip_ = false;
    TRegion originalClip_;
    std::unique_ptr<TBitmap> patternBitmap_;
};

}  // namespace

void PlayMetafile(const TMetafileData& data, TCanvas& canvas, const TRect& r) {
    if (data.width <= 0 || data.height <= 0 || data.records.empty() ||
        IsRectEmpty(NormalizeRect(r)))
        return;
    TPlayer(data, canvas, r).Play();
}

}  // namespace dsp
