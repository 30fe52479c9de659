#pragma once
// TCanvas: drawing with the rules of the classic Windows GDI on a surface of the framework
// (a bitmap's pixels or a window's image):
// - MoveTo/LineTo leave out the end point; right and bottom edges of rectangles are exclusive;
// - pens of width 0 and 1 draw one-pixel lines; styled pens dash one-pixel lines;
// - a solid brush makes text and line-gap backgrounds opaque in its colour, any other brush
//   transparent (SetBkMode and SetBkColor change that until the brush changes again);
// - clipping, viewport origin and saved states work as on a device context;
// - blits mix source, destination and brush by raster operation codes, and convert between
//   monochrome and colour by the text and background colours.
// Colours of clNone draw nothing. A canvas without a surface measures text but draws nothing.
// The drawing calls are virtual so that a canvas can also record what is drawn on it (the
// metafile canvas of the desktop services); drawing through the canvas keeps that working.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "framework/core/FrameworkKey.h"
#include "framework/core/Object.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Geometry.h"
#include "framework/graphics/Pen.h"
#include "framework/graphics/Region.h"

namespace dsp {

class TGraphic;
struct TCanvasSurface;  // where a canvas draws; made inside the framework only

// DrawText format flags.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_TABSTOP = 0x80;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_INTERNAL = 0x1000;
constexpr unsigned DT_EDITCONTROL = 0x2000;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_MODIFYSTRING = 0x10000;
constexpr unsigned DT_RTLREADING = 0x20000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;

// Text alignment for TextOut.
constexpr unsigned TA_NOUPDATECP = 0;
constexpr unsigned TA_UPDATECP = 1;
constexpr unsigned TA_LEFT = 0;
constexpr unsigned TA_RIGHT = 2;
constexpr unsigned TA_CENTER = 6;
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Ternary raster operations of the blits: how pattern (brush) P, source S and destination D mix.
using TCopyMode = std::uint32_t;
constexpr TCopyMode SRCCOPY = 0x00CC0020;      // S
constexpr TCopyMode SRCPAINT = 0x00EE0086;     // S or D
constexpr TCopyMode SRCAND = 0x008800C6;       // S and D
constexpr TCopyMode SRCINVERT = 0x00660046;    // S xor D
constexpr TCopyMode SRCERASE = 0x00440328;     // S and not D
constexpr TCopyMode NOTSRCCOPY = 0x00330008;   // not S
constexpr TCopyMode NOTSRCERASE = 0x001100A6;  // not (S or D)
constexpr TCopyMode MERGECOPY = 0x00C000CA;    // P and S
constexpr TCopyMode MERGEPAINT = 0x00BB0226;   // not S or D
constexpr TCopyMode PATCOPY = 0x00F00021;      // P
constexpr TCopyMode PATPAINT = 0x00FB0A09;     // P or not S or D
constexpr TCopyMode PATINVERT = 0x005A0049;    // P xor D
constexpr TCopyMode DSTINVERT = 0x00550009;    // not D
constexpr TCopyMode BLACKNESS = 0x00000042;
constexpr TCopyMode WHITENESS = 0x00FF0062;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

// Two-colour gradient fills.
constexpr unsigned GRADIENT_FILL_RECT_H = 0;  // from the left edge to the right edge
constexpr unsigned GRADIENT_FILL_RECT_V = 1;  // from the top edge to the bottom edge

// DrawEdge: edge kinds and sides.
constexpr unsigned BDR_RAISEDOUTER = 0x1;
constexpr unsigned BDR_SUNKENOUTER = 0x2;
constexpr unsigned BDR_RAISEDINNER = 0x4;
constexpr unsigned BDR_SUNKENINNER = 0x8;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr unsigned BF_LEFT = 0x1;
constexpr unsigned BF_TOP = 0x2;
constexpr unsigned BF_RIGHT = 0x4;
constexpr unsigned BF_BOTTOM = 0x8;
constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr unsigned BF_MIDDLE = 0x800;
constexpr unsigned BF_ADJUST = 0x2000;

// Device capabilities.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// The pixel value Pixels gives outside the surface or the clip region.
constexpr TColor CLR_INVALID = -1;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    // ---- drawing objects (owned; changes take effect at the next drawing call)
    TPen* Pen() const;
    TBrush* Brush() const;
    TFont* Font() const;
    void SetPen(TPen* value);
    void SetBrush(TBrush* value);
    void SetFont(TFont* value);
    TCopyMode CopyMode() const;
    void SetCopyMode(TCopyMode value);

    TPoint PenPos() const;
    void SetPenPos(TPoint value);

    // ---- the surface
    // Points the canvas at a surface, or at none (null). The device state (viewport and window
    // origins, clip region, saved states, colours set directly) starts afresh; pen, brush and
    // font stay.
    void SetSurface(const TCanvasSurface* surface);
    const TCanvasSurface* Surface() const;
    bool HandleAllocated() const;
    // The surface's resolution (96 pixels per inch but for a printer's page), size, colour depth
    // (32, or 1 for a monochrome surface) and colour count (-1: full colour); 0 for anything else.
    int DeviceCaps(int index) const;

    // ---- device state
    int SaveDC();
    // Restores the state saved by SaveDC number saved (1, 2, ...), or the last one for -1,
    // dropping the states saved after it. False when there is no such state.
    bool RestoreDC(int saved = -1);
    TPoint ViewportOrg() const;
    TPoint SetViewportOrg(int x, int y);  // returns the previous origin
    TPoint OffsetViewportOrg(int dx, int dy);
    TPoint WindowOrg() const;
    TPoint SetWindowOrg(int x, int y);
    TColorRef TextColor() const;
    TColorRef SetTextColor(TColor color);  // until the font changes; returns the previous
    TColorRef BkColor() const;
    TColorRef SetBkColor(TColor color);  // until the brush changes; returns the previous
    int BkMode() const;
    int SetBkMode(int mode);  // TRANSPARENT or OPAQUE, until the brush changes
    unsigned TextAlign() const;
    unsigned SetTextAlign(unsigned align);

    // ---- clipping (rectangles in logical coordinates, regions in device coordinates)
    TRegionKind ExcludeClipRect(int left, int top, int right, int bottom);
    TRegionKind IntersectClipRect(int left, int top, int right, int bottom);
    // Replaces the clip region by a copy of region (device coordinates), or removes it (null).
    TRegionKind SelectClipRgn(const TRegion* region);
    // The current clip region in device coordinates; false when there is none.
    bool GetClipRgn(TRegion& region) const;
    // The smallest rectangle around the visible area, in logical coordinates.
    TRect ClipRect() const;
    bool PtVisible(int x, int y) const;
    bool RectVisible(const TRect& r) const;

    // ---- pixels
    TColor Pixels(int x, int y) const;
    virtual void SetPixels(int x, int y, TColor color);

    // ---- lines (pen)
    void MoveTo(int x, int y);
    virtual void LineTo(int x, int y);
    // Lines through the points; the last point is left out.
    virtual void Polyline(const std::vector<TPoint>& points);
    // Separate polylines, counts[k] points each, one after another in points: the pixels of a
    // Polyline of each, with the pen set up once. Counts beyond the points end the drawing.
    virtual void PolyPolyline(const std::vector<TPoint>& points, const std::vector<int>& counts);

    // ---- shapes (pen outline, brush inside; the box's right and bottom are exclusive)
    virtual void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    virtual void RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                           int cornerHeight);
    virtual void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    // Filled by the alternate rule (or the winding rule after SetPolyFillMode), outlined by
    // the pen through every point and back to the first.
    virtual void Polygon(const std::vector<TPoint>& points);
    TPolyFillMode PolyFillMode() const;
    void SetPolyFillMode(TPolyFillMode mode);

    // ---- brush fills (no pen, no mix mode)
    virtual void FillRect(const TRect& r);
    virtual void FrameRect(const TRect& r);  // one pixel wide, in the brush
    // Fills the region (device coordinates) with the brush.
    virtual void FillRgn(const TRegion& region);
    virtual bool PatBlt(int x, int y, int width, int height, TCopyMode rop);
    // Colours go linearly from start at the first column (or row) towards stop at the far edge.
    virtual void GradientFill(const TRect& r, TColor start, TColor stop, unsigned mode);

    // ---- special frames
    // The dotted focus frame: every other pixel of the one-pixel frame inverted, so that drawing
    // it twice restores the pixels.
    virtual void DrawFocusRect(const TRect& r);
    virtual void InvertRect(const TRect& r);
    // A two-ring 3-D edge in the system colours; with BF_ADJUST r shrinks to the inside.
    virtual bool DrawEdge(TRect& r, unsigned edge, unsigned flags);

    // ---- text (font, text colour; background by the background mode)
    // Draws text formatted into r; returns the height of the text (with DT_VCENTER or DT_BOTTOM
    // on a single line: the offset from r.Top to the bottom of the text). DT_CALCRECT only
    // measures: r's right and bottom become those of the text. modifiedText (optional) receives
    // the text as shown when ellipses shortened it.
    virtual int DrawText(const std::string& text, TRect& r, unsigned format,
                         std::string* modifiedText = nullptr);
    // Writes the text at (x, y) by the text alignment; the pen position moves behind the text.
    virtual void TextOut(int x, int y, const std::string& text);
    // Writes the text at (x, y) clipped to r; an opaque background fills r first.
    virtual void TextRect(const TRect& r, int x, int y, const std::string& text);
    TSize TextExtent(const std::string& text) const;
    int TextWidth(const std::string& text) const;
    int TextHeight(const std::string& text) const;

    // ---- blits (logical coordinates on both canvases)
    virtual bool BitBlt(int x, int y, int width, int height, const TCanvas* source, int sx, int sy,
                        TCopyMode rop);
    // Nearest-pixel scaling; a negative width or height mirrors.
    virtual bool StretchBlt(int x, int y, int width, int height, const TCanvas* source, int sx,
                            int sy, int sw, int sh, TCopyMode rop);
    // Copies source's part into dest where the monochrome mask is black and leaves the
    // destination alone where it is white; the mask is read at maskOrigin plus the offset
    // within the source part.
    virtual void TransparentStretchBlt(const TRect& dest, const TCanvas* source,
                                       const TRect& sourceRect, const TCanvas* mask,
                                       TPoint maskOrigin);
    virtual void CopyRect(const TRect& dest, const TCanvas* source, const TRect& sourceRect);
    virtual void Draw(int x, int y, TGraphic* graphic);
    virtual void StretchDraw(const TRect& r, TGraphic* graphic);

    // ---- change notification and locking
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;
    void Lock();
    void Unlock();
    bool TryLock();

    struct Impl;
    Impl& Internal(TFrameworkKey) const { return *impl_; }

protected:
    friend class TCanvasChange;
    virtual void Changing();
    virtual void Changed();
    // PolyPolyline as one Polyline call per polyline, for canvases that record each call.
    void PolylinesOneByOne(const std::vector<TPoint>& points, const std::vector<int>& counts);

private:
    std::unique_ptr<Impl> impl_;
    std::recursive_mutex lock_;
};

}  // namespace dsp
