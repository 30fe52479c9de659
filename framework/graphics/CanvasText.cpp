// TCanvas: text output and measurement.

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasImpl.h"
#include "framework/graphics/FontQt.h"
#include "framework/graphics/TextLayout.h"

namespace dsp {

namespace {

int FloorDiv2(int value) { return static_cast<int>(std::floor(value / 2.0)); }

// Writes text runs onto the canvas surface: glyphs in the text colour, an opaque background
// box when the background mode asks for one, rotated by the font's escapement about the
// run's top-left point.
class TextPainter {
public:
    TextPainter(const TCanvas::Impl& d, const QRegion& clip)
        : d_(d), font_(d.font->Resource()), clip_(clip) {}

    // Text whose cell's top-left corner is device point origin; dx, dy move it along the
    // (rotated) baseline and across it.
    void Write(QPoint origin, int dx, int dy, const QString& text, int width, bool opaque,
               int underline = -1, const QFontMetrics* metrics = nullptr) {
        if (clip_.isEmpty() || (text.isEmpty() && !opaque)) return;
        QImage& image = *d_.surface.image;
        QTransform transform;
        transform.translate(origin.x(), origin.y());
        if (font_.escapement != 0) transform.rotate(-font_.escapement / 10.0);
        transform.translate(dx, dy);
        const QRect cell(0, 0, width, font_.height);
        if (opaque && font_.escapement == 0) {
            raster::Writer w(image, clip_, d_.surface.monochrome);
            w.SetPaint(d_.SolidPaint(d_.bkColor));
            const QRect box = transform.mapRect(cell);
            for (int y = box.top(); y <= box.bottom(); ++y)
                w.FillSpan(y, box.left(), box.right() + 1);
        }
        {
            QPainter painter(&image);
            painter.setClipRegion(clip_);
            painter.setTransform(transform);
            if (opaque && font_.escapement != 0)
                painter.fillRect(cell, QColor(raster::ToQRgb(d_.bkColor)));
            if (!d_.textNone) {
                const QColor color(raster::ToQRgb(d_.textColor));
                painter.setPen(color);
                painter.setFont(font_.font);
                painter.drawText(QPoint(0, font_.ascent), text);
                if (underline >= 0 && metrics != nullptr && underline < text.size()) {
                    const int x0 = metrics->horizontalAdvance(text.left(underline));
                    const int x1 = metrics->horizontalAdvance(text.left(underline + 1));
                    painter.fillRect(
                        QRect(x0, font_.ascent + font_.underlinePos, x1 - x0, font_.lineWidth),
                        color);
                }
            }
        }
        if (d_.surface.monochrome)
            Quantize(transform.mapRect(cell.adjusted(-font_.height, -1, font_.height, 1)));
    }

private:
    void Quantize(const QRect& area) {
        QImage& image = *d_.surface.image;
        for (const QRect& r : clip_.intersected(area)) {
            for (int y = r.top(); y <= r.bottom(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = r.left(); x <= r.right(); ++x) line[x] = raster::Quantize(line[x]);
            }
        }
    }

    const TCanvas::Impl& d_;
    const TFontResource& font_;
    QRegion clip_;
};

}  // namespace

int TCanvas::DrawText(const std::string& text, TRect& r, unsigned format,
                      std::string* modifiedText) {
    Impl& d = *impl_;
    d.Realize();
    const TFontResource& font = d.font->Resource();
    const QFontMetrics metrics(font.font);
    const QString source = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (modifiedText) *modifiedText = text;
    if (source.isEmpty()) {
        if (format & DT_CALCRECT) {
            r.Right = r.Left;
            r.Bottom = r.Top;
        }
        return 0;
    }
    text::Options options;
    options.format = format;
    options.maxWidth = r.Right - r.Left;
    options.tabWidth = 8 * font.aveCharWidth;
    const text::Layout layout(font, options);
    const std::vector<text::Line> lines = layout.Lines(source);
    const int lineHeight = font.height + ((format & DT_EXTERNALLEADING) ? font.externalLeading : 0);
    const int total = lineHeight * static_cast<int>(lines.size());
    int widest = 0;
    for (const auto& line : lines) widest = std::max(widest, line.width);

    if (modifiedText && (format & DT_MODIFYSTRING) &&
        (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))) {
        QString shown;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i) shown += QStringLiteral("\r\n");
            shown += lines[i].text;
        }
        *modifiedText = shown.toStdString();
    }

    if (format & DT_CALCRECT) {
        r.Right = r.Left + widest;
        r.Bottom = r.Top + total;
        return total;
    }

    const bool singleLine = (format & DT_SINGLELINE) != 0;
    int top = r.Top;
    if (singleLine && (format & DT_VCENTER))
        top = FloorDiv2(r.Top + r.Bottom - lineHeight);
    else if (singleLine && (format & DT_BOTTOM))
        top = r.Bottom - lineHeight;
    const int result =
        (singleLine && (format & (DT_VCENTER | DT_BOTTOM))) ? top + lineHeight - r.Top : total;

    if (!d.Drawable()) return result;
    TCanvasChange change(*this);
    QRegion clip = d.EffectiveClip();
    if (!(format & DT_NOCLIP)) {
        const TRect n = NormalizeRect(r);
        clip &= IsRectEmpty(n) ? QRegion() : QRegion(d.ToDevice(n));
    }
    TextPainter painter(d, clip);
    const bool opaque = d.bkMode == OPAQUE;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const text::Line& line = lines[i];
        int x = r.Left;
        if (format & DT_CENTER)
            x = FloorDiv2(r.Left + r.Right - line.width);
        else if (format & DT_RIGHT)
            x = r.Right - line.width;
        const int y = top + static_cast<int>(i) * lineHeight;
        const QPoint origin = d.ToDevice(x, y);
        int consumed = 0;  // characters of the line before the current run (tabs count one)
        for (const auto& [offset, run] : layout.Runs(line.text)) {
            const int end = consumed + static_cast<int>(run.size());
            const int underline = (line.underline >= consumed && line.underline < end)
                                      ? line.underline - consumed
                                      : -1;
            painter.Write(origin, offset, 0, run, font.Advance(run.toStdString()), opaque,
                          underline, &metrics);
            consumed = end + 1;
        }
    }
    return result;
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    Impl& d = *impl_;
    d.Realize();
    const unsigned align = d.textAlign;
    if (align & TA_UPDATECP) {
        x = d.penPos.X;
        y = d.penPos.Y;
    }
    const int width = TextWidth(text);
    d.penPos = {x + width, y};
    if (!d.Drawable()) return;
    TCanvasChange change(*this);
    const TFontResource& font = d.font->Resource();
    int dx = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        dx = -width / 2;
    else if ((align & TA_CENTER) == TA_RIGHT)
        dx = -width;
    int dy = 0;
    if ((align & TA_BASELINE) == TA_BASELINE)
        dy = -font.ascent;
    else if ((align & TA_BASELINE) == TA_BOTTOM)
        dy = -font.height;
    TextPainter(d, d.EffectiveClip())
        .Write(d.ToDevice(x, y), dx, dy,
               QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), width,
               d.bkMode == OPAQUE);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
    Impl& d = *impl_;
    d.Realize();
    if (!d.Drawable()) return;
    TCanvasChange change(*this);
    const TRect n = NormalizeRect(r);
    QRegion clip = d.EffectiveClip();
    clip &= IsRectEmpty(n) ? QRegion() : QRegion(d.ToDevice(n));
    const bool opaque = d.bkMode == OPAQUE;
    if (opaque && !IsRectEmpty(n)) {
        raster::Writer w(*d.surface.image, clip, d.surface.monochrome);
        w.SetPaint(d.SolidPaint(d.bkColor));
        const QRect box = d.ToDevice(n);
        for (int py = box.top(); py <= box.bottom(); ++py)
            w.FillSpan(py, box.left(), box.right() + 1);
    }
    const TFontResource& font = d.font->Resource();
    const int width = TextWidth(text);
    int dx = 0;
    if ((d.textAlign & TA_CENTER) == TA_CENTER)
        dx = -width / 2;
    else if ((d.textAlign & TA_CENTER) == TA_RIGHT)
        dx = -width;
    int dy = 0;
    if ((d.textAlign & TA_BASELINE) == TA_BASELINE)
        dy = -font.ascent;
    else if ((d.textAlign & TA_BASELINE) == TA_BOTTOM)
        dy = -font.height;
    TextPainter(d, clip).Write(d.ToDevice(x, y), dx, dy,
                               QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                               width, false);
}

TSize TCanvas::TextExtent(const std::string& text) const {
    const TFontResource& font = impl_->font->Resource();
    return {font.Advance(text), font.height};
}

int TCanvas::TextWidth(const std::string& text) const { return TextExtent(text).cx; }

int TCanvas::TextHeight(const std::string& text) const { return TextExtent(text).cy; }

}  // namespace dsp
