// Recording: each drawing call of the metafile canvas notes the call with its arguments in
// picture coordinates and the drawing state it depends on, then draws as any canvas does.
// Calls that the canvas makes to itself while drawing (a picture drawing itself through
// StretchBlt) belong to the outer call and are not noted again.

#include "framework/desktop/Metafile.h"

#include <QImage>

#include "framework/core/FrameworkAccess.h"
#include "framework/desktop/MetafileData.h"
#include "framework/graphics/CanvasImpl.h"
#include "framework/graphics/CanvasQt.h"
#include "framework/graphics/RegionQt.h"

namespace dsp {

struct TMetafileCanvas::Recorder {
    QImage image;
    TCanvasSurface surface;
    std::shared_ptr<TMetafileData> data = std::make_shared<TMetafileData>();
    int depth = 0;
};

namespace {

// Marks the outermost drawing call of a canvas.
class TOutermost {
public:
    explicit TOutermost(int& depth) : depth_(depth), outermost_(depth_++ == 0) {}
    ~TOutermost() { --depth_; }
    TOutermost(const TOutermost&) = delete;
    TOutermost& operator=(const TOutermost&) = delete;
    explicit operator bool() const { return outermost_; }

private:
    int& depth_;
    bool outermost_;
};

std::vector<TRect> ClipRects(const QRegion& region) {
    std::vector<TRect> rects;
    for (const QRect& r : region) rects.push_back(Bounds(r.x(), r.y(), r.width(), r.height()));
    return rects;
}

TMetaState CaptureState(const TCanvas& canvas) {
    TMetaState s;
    s.penColor = canvas.Pen()->Color();
    s.penWidth = canvas.Pen()->Width();
    s.penStyle = canvas.Pen()->Style();
    s.penMode = canvas.Pen()->Mode();
    s.brushColor = canvas.Brush()->Color();
    s.brushStyle = canvas.Brush()->Style();
    if (const TBrushPattern* pattern = canvas.Brush()->Pattern())
        s.brushPattern = std::make_shared<const TBrushPattern>(*pattern);
    s.font = canvas.Font()->LogFont();
    s.fontColor = canvas.Font()->Color();
    s.textColor = canvas.TextColor();  // realizes the font's colour first
    s.textNone = canvas.Internal(kFrameworkKey).textNone;
    s.bkColor = canvas.BkColor();
    s.bkMode = canvas.BkMode();
    s.textAlign = canvas.TextAlign() & ~TA_UPDATECP;
    s.polyFill = canvas.PolyFillMode();
    s.copyMode = canvas.CopyMode();
    s.clip = ClipRects(DeviceClip(canvas));
    return s;
}

bool SamePattern(const std::shared_ptr<const TBrushPattern>& a,
                 const std::shared_ptr<const TBrushPattern>& b) {
    if (!a || !b) return !a && !b;
    return a->width == b->width && a->height == b->height && a->monochrome == b->monochrome &&
           a->pixels == b->pixels;
}

// The source canvas's pixels of a blit as they are now, turned as the blit turns them when the
// signs of the source and destination sizes differ; null without a source.
std::shared_ptr<const QImage> CopySource(const TCanvas* source, int sx, int sy, int sw, int sh,
                                         int destWidth, int destHeight) {
    if (source == nullptr) return nullptr;
    const TCanvasSurface s = CurrentSurface(*source);
    if (s.image == nullptr) return nullptr;
    const QRect part(sw >= 0 ? sx : sx + sw, sh >= 0 ? sy : sy + sh, std::abs(sw), std::abs(sh));
    const QImage pixels =
        s.image->copy(part.translated(s.origin)).convertToFormat(QImage::Format_RGB32);
    return std::make_shared<const QImage>(
        pixels.mirrored((sw < 0) != (destWidth < 0), (sh < 0) != (destHeight < 0)));
}

// The pixels a blit covers, whatever the signs of its sizes.
TRect BlitRect(int x, int y, int width, int height) {
    return NormalizeRect(Rect(x, y, x + width, y + height));
}

}  // namespace

bool TMetaState::operator==(const TMetaState& o) const {
    const TLogFont& a = font;
    const TLogFont& b = o.font;
    const bool sameFont = a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth &&
                          a.lfEscapement == b.lfEscapement && a.lfOrientation == b.lfOrientation &&
                          a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
                          a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut &&
                          a.lfCharSet == b.lfCharSet && a.lfPitchAndFamily == b.lfPitchAndFamily &&
                          a.lfFaceName == b.lfFaceName;
    return sameFont && penColor == o.penColor && penWidth == o.penWidth && penStyle == o.penStyle &&
           penMode == o.penMode && brushColor == o.brushColor && brushStyle == o.brushStyle &&
           SamePattern(brushPattern, o.brushPattern) && fontColor == o.fontColor &&
           textColor == o.textColor && textNone == o.textNone && bkColor == o.bkColor &&
           bkMode == o.bkMode && textAlign == o.textAlign && polyFill == o.polyFill &&
           copyMode == o.copyMode && clip == o.clip;
}

namespace {

// Adds a record in the canvas's current state; coordinates still to be filled in.
TMetaRecord& Note(TMetafileData& data, const TCanvas& canvas, TMetaOp op) {
    TMetaState state = CaptureState(canvas);
    if (data.states.empty() || !(data.states.back() == state))
        data.states.push_back(std::move(state));
    TMetaRecord& r = data.records.emplace_back();
    r.op = op;
    r.state = static_cast<int>(data.states.size()) - 1;
    return r;
}

TPoint ToPicture(const TCanvas& canvas, TPoint p) {
    const QPoint o = DeviceOffset(canvas);
    return {p.X + o.x(), p.Y + o.y()};
}

TRect ToPicture(const TCanvas& canvas, const TRect& r) {
    const QPoint o = DeviceOffset(canvas);
    return OffsetRect(r, o.x(), o.y());
}

std::vector<TPoint> ToPicture(const TCanvas& canvas, const std::vector<TPoint>& points) {
    std::vector<TPoint> result;
    result.reserve(points.size());
    for (TPoint p : points) result.push_back(ToPicture(canvas, p));
    return result;
}

}  // namespace

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile, const std::string& createdBy,
                                 const std::string& description)
    : metafile_(metafile),
      createdBy_(createdBy),
      description_(description),
      recorder_(std::make_unique<Recorder>()) {
    const int width = metafile != nullptr ? std::max(1, metafile->Width()) : 1;
    const int height = metafile != nullptr ? std::max(1, metafile->Height()) : 1;
    recorder_->image = QImage(width, height, QImage::Format_RGB32);
    recorder_->image.fill(0xFFFFFFFFu);
    recorder_->surface.image = &recorder_->image;
    recorder_->data->width = width;
    recorder_->data->height = height;
    SetSurface(&recorder_->surface);
}

TMetafileCanvas::~TMetafileCanvas() {
    SetSurface(nullptr);
    if (metafile_ != nullptr)
        metafile_->TakeRecording(std::move(recorder_->data), createdBy_, description_);
}

void TMetafileCanvas::SetPixels(int x, int y, TColor color) {
    TOutermost outer(recorder_->depth);
    if (outer && color != clNone) {
        TMetaRecord& r = Note(*recorder_->data, *this, TMetaOp::Pixel);
        r.points = {ToPicture(*this, Point(x, y))};
        r.color1 = color;
    }
    TCanvas::SetPixels(x, y, color);
}

void TMetafileCanvas::LineTo(int x, int y) {
    TOutermost outer(recorder_->depth);
    if (outer) {
        TMetaRecord& r = Note(*recorder_->data, *this, TMetaOp::Line);
        r.points = {ToPicture(*this, PenPos()), ToPicture(*this, Point(x, y))};
    }
    TCanvas::LineTo(x, y);
}

void TMetafileCanvas::Polyline(const std::vector<TPoint>& points) {
    TOutermost outer(recorder_->depth);
    if (outer) Note(*recorder_->data, *this, TMetaOp::Polyline).points = ToPicture(*this, points);
    TCanvas::Polyline(points);
}

// Recorded as the polylines it draws.
void TMetafileCanvas::PolyPolyline(const std::vector<TPoint>& points,
                                   const std::vector<int>& counts) {
    PolylinesOneByOne(points, counts);
}

void TMetafileCanvas::Rectangle(int left, int top, int right, int bottom) {
    TOutermost outer(recorder_->depth);
    if (outer)
        Note(*recorder_->data, *this, TMetaOp::Rectangle).r =
            ToPicture(*this, Rect(left, top, right, bottom));
    TCanvas::Rectangle(left, top, right, bottom);
}

void TMetafileCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                                int cornerHeight) {
    TOutermost outer(recorder_->depth);
    if (outer) {
        TMetaRecord& r = Note(*recorder_->data, *this, TMetaOp::RoundRect);
        r.r = ToPicture(*this, Rect(left, top, right, bottom));
        r.a = cornerWidth;
        r.b = cornerHeight;
    }
    TCanvas::RoundRect(left, top, right, bottom, cornerWidth, cornerHeight);
}

void TMetafileCanvas::Ellipse(int left, int top, int right, int bottom) {
    TOutermost outer(recorder_->depth);
    if (outer)
        Note(*recorder_->data, *this, TMetaOp::Ellipse).r =
            ToPicture(*this, Rect(left, top, right, bottom));
    TCanvas::Ellipse(left, top, right, bottom);
}

void TMetafileCanvas::Polygon(const std::vector<TPoint>& points) {
    TOutermost outer(recorder_->depth);
    if (outer) Note(*recorder_->data, *this, TMetaOp::Polygon).points = ToPicture(*this, points);
    TCanvas::Polygon(points);
}

void TMetafileCanvas::FillRect(const TRect& r) {
    TOutermost outer(recorder_->depth);
    if (outer) Note(*recorder_->data, *this, TMetaOp::FillRect).r = ToPicture(*this, r);
    TCanvas::FillRect(r);
}

void TMetafileCanvas::FrameRect(const TRect& r) {
    TOutermost outer(recorder_->depth);
    if (outer) Note(*recorder_->data, *this, TMetaOp::FrameRect).r = ToPicture(*this, r);
    TCanvas::FrameRect(r);
}

void TMetafileCanvas::FillRgn(const TRegion& region) {
    TOutermost outer(recorder_->depth);
    if (outer) {
        // Region coordinates leave out the viewport; the surface origin of this canvas is 0.
        std::vector<TRect> rects;
        for (const QRect& q : region.Data().region)
            rects.push_back(Bounds(q.x(), q.y(), q.width(), q.height()));
        Note(*recorder_->data, *this, TMetaOp::FillRegion).rects = std::move(rects);
    }
    TCanvas::FillRgn(region);
}

bool TMetafileCanvas::PatBlt(int x, int y, int width, int height, TCopyMode rop) {
    TOutermost outer(recorder_->depth);
    if (outer) {
        TMetaRecord& r = Note(*recorder_->data, *this, TMetaOp::PatBlt);
        r.r = ToPicture(*this, Bounds(x, y, width, height));
        r.flags = rop;
    }
    return TCanvas::PatBlt(x, y, width, height, rop);
}

void TMetafileCanvas::GradientFill(const TRect& rect, TColor start, TColor stop, unsigned mode) {
    TOutermost outer(recorder_->depth);
    if (outer) {
        TMetaRecord& r = Note(*recorder_->data, *this, TMetaOp::Gradient);
        r.r = ToPicture(*this, rect);
        r.color1 = start;
        r.color2 = stop;
        r.flags = mode;
    }
    TCanvas::GradientFill(rect, start, stop, mode);
}

void TMetafileCanvas::DrawFocusRect(const TRect& r) {
    TOutermost outer(recorder_->depth);
    if (outer) Note(*recorder_->data, *this, TMetaOp::FocusRect).r = ToPicture(*this, r);
    TCanvas::DrawFocusRect(r);
}

void TMetafileCanvas::InvertRect(const TRect& r) {
    TOutermost outer(recorder_->depth);
    if (outer) Note(*recorder_->data, *this, TMetaOp::InvertRect).r = ToPicture(*this, r);
    TCanvas::InvertRect(r);
}

bool TMetafileCanvas::DrawEdge(TRect& rect, unsigned edge, unsigned flags) {
    TOutermost outer(recorder_->depth);
    if (outer) {
        TMetaRecord& r = Note(*recorder_->data, *this, TMetaOp::Edge);
        r.r = ToPicture(*this, rect);
        r.a = static_cast<int>(edge);
        r.flags = flags & ~BF_ADJUST;
    }
    return TCanvas::DrawEdge(rect, edge, flags);
}

int TMetafileCanvas::DrawText(const std::string& text, TRect& rect, unsigned format,
                              std::string* modifiedText) {
    TOutermost outer(recorder_->depth);
    if (outer && !(format & DT_CALCRECT)) {
        TMetaRecord& r = Note(*recorder_->data, *this, TMetaOp::DrawText);
        r.r = ToPicture(*this, rect);
        r.text = text;
        r.flags = format & ~DT_MODIFYSTRING;
    }
    return TCanvas::DrawText(text, rect, format, modifiedText);
}

void TMetafileCanvas::TextOut(int x, int y, const std::string& text) {
    TOutermost outer(recorder_->depth);
    if (outer) {
        const TPoint at = (TextAlign() & TA_UPDATECP) ? PenPos() : TPoint{x, y};
        TMetaRecord& r = Note(*recorder_->data, *this, TMetaOp::TextOut);
        r.points = {ToPicture(*this, at)};
        r.text = text;
    }
    TCanvas::TextOut(x, y, text);
}

void TMetafileCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
    TOutermost outer(recorder_->depth);
    if (outer) {
        TMetaRecord& r = Note(*recorder_->data, *this, TMetaOp::TextRect);
        r.r = ToPicture(*this, rect);
        r.points = {ToPicture(*this, Point(x, y))};
        r.text = text;
    }
    TCanvas::TextRect(rect, x, y, text);
}

bool TMetafileCanvas::BitBlt(int x, int y, int width, int height, const TCanvas* source, int sx,
                             int sy, TCopyMode rop) {
    // The same as StretchBlt without stretching, which notes it.
    return TCanvas::BitBlt(x, y, width, height, source, sx, sy, rop);
}

bool TMetafileCanvas::StretchBlt(int x, int y, int width, int height, const TCanvas* source, int sx,
                                 int sy, int sw, int sh, TCopyMode rop) {
    TOutermost outer(recorder_->depth);
    if (outer) {
        TMetaRecord& r = Note(*recorder_->data, *this, TMetaOp::Image);
        r.r = ToPicture(*this, BlitRect(x, y, width, height));
        r.flags = rop;
        r.image = CopySource(source, sx, sy, sw, sh, width, height);
        if (source != nullptr) {
            r.imageMonochrome = source->Surface() != nullptr && source->Surface()->monochrome;
            r.imageBkColor = source->BkColor();
        }
    }
    return TCanvas::StretchBlt(x, y, width, height, source, sx, sy, sw, sh, rop);
}

void TMetafileCanvas::TransparentStretchBlt(const TRect& dest, const TCanvas* source,
                                            const TRect& sourceRect, const TCanvas* mask,
                                            TPoint maskOrigin) {
    TOutermost outer(recorder_->depth);
    if (outer && source != nullptr && mask != nullptr) {
        TMetaRecord& r = Note(*recorder_->data, *this, TMetaOp::MaskedImage);
        r.r = ToPicture(*this, BlitRect(dest.Left, dest.Top, dest.Width(), dest.Height()));
        r.image = CopySource(source, sourceRect.Left, sourceRect.Top, sourceRect.Width(),
                             sourceRect.Height(), dest.Width(), dest.Height());
        // The mask is read from its origin on, in the order the source part is.
        const bool mirrorX = (sourceRect.Width() < 0) != (dest.Width() < 0);
        const bool mirrorY = (sourceRect.Height() < 0) != (dest.Height() < 0);
        r.mask = CopySource(mask, maskOrigin.X, maskOrigin.Y, std::abs(sourceRect.Width()),
                            std::abs(sourceRect.Height()), mirrorX ? -1 : 1, mirrorY ? -1 : 1);
    }
    TCanvas::TransparentStretchBlt(dest, source, sourceRect, mask, maskOrigin);
}

void TMetafileCanvas::CopyRect(const TRect& dest, const TCanvas* source, const TRect& sourceRect) {
    // The same as StretchBlt in the copy mode, which notes it.
    TCanvas::CopyRect(dest, source, sourceRect);
}

void TMetafileCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (graphic == nullptr || graphic->Empty()) return;
    StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TMetafileCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
    TOutermost outer(recorder_->depth);
    if (outer && graphic != nullptr && !graphic->Empty()) {
        std::shared_ptr<TGraphic> copy = graphic->CreateNew();
        copy->Assign(graphic);
        TMetaRecord& r = Note(*recorder_->data, *this, TMetaOp::Graphic);
        r.r = ToPicture(*this, rect);
        r.graphic = std::move(copy);
    }
    TCanvas::StretchDraw(rect, graphic);
}

}  // namespace dsp
