#pragma once
// A vector picture. Drawing made through a TMetafileCanvas is recorded call by call (with the
// pen, brush, font, colours and clip of each call); drawing the metafile plays the calls again
// on another canvas, scaled into the rectangle given, so a picture recorded at screen size
// prints sharply at a printer's resolution. Width and Height are the size Draw(x, y) gives it;
// changing them scales the picture, the recording stays as it was.
//
// What is recorded: every drawing call of TCanvas (lines, shapes, fills, text, blits with
// their source pixels, pictures). Pixels written around the canvas (straight into a surface)
// are not. Files and clipboard data use the program's own format, not the system metafile
// format of other programs.

#include <memory>
#include <string>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Graphic.h"

namespace dsp {

struct TMetafileData;  // a finished recording, shared by copies

class TMetafile : public TGraphic {
public:
    TMetafile();
    ~TMetafile() override;

    bool Empty() const override;
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // Before a recording: the size of the recording canvas. After: the size it is drawn at.
    void SetSize(int width, int height) override;
    bool Enhanced() const { return true; }
    const std::string& CreatedBy() const { return createdBy_; }
    const std::string& Description() const { return description_; }
    // The number of drawing calls recorded.
    int RecordCount() const;
    void Clear();

    std::unique_ptr<TGraphic> CreateNew() const override { return std::make_unique<TMetafile>(); }
    // Plays the recording scaled into r.
    void Draw(TCanvas* canvas, const TRect& r) override;
    void LoadFromBytes(const std::vector<std::uint8_t>& data) override;
    std::vector<std::uint8_t> SaveToBytes() const override;
    // Another metafile (sharing its recording) or null.
    void Assign(TPersistent* source) override;

    const std::shared_ptr<const TMetafileData>& Recording() const { return data_; }

protected:
    // A bitmap of the metafile's size with the picture played onto white.
    void AssignTo(TPersistent* dest) override;

private:
    friend class TMetafileCanvas;
    void TakeRecording(std::shared_ptr<const TMetafileData> data, const std::string& createdBy,
                       const std::string& description);

    std::shared_ptr<const TMetafileData> data_;
    int width_ = 0;
    int height_ = 0;
    std::string createdBy_;
    std::string description_;
};

// Records into a metafile: the canvas is the metafile's size when it is made, and when it is
// freed the recording becomes the metafile's picture (replacing what it held). Meanwhile the
// canvas also draws on pixels of its own, so reading pixels and measuring text work as on
// any canvas.
class TMetafileCanvas : public TCanvas {
public:
    explicit TMetafileCanvas(TMetafile* metafile, const std::string& createdBy = {},
                             const std::string& description = {});
    ~TMetafileCanvas() override;

    using TCanvas::Ellipse;
    using TCanvas::Rectangle;

    void SetPixels(int x, int y, TColor color) override;
    void LineTo(int x, int y) override;
    void Polyline(const std::vector<TPoint>& points) override;
    void PolyPolyline(const std::vector<TPoint>& points, const std::vector<int>& counts) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                   int cornerHeight) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Polygon(const std::vector<TPoint>& points) override;
    void FillRect(const TRect& r) override;
    void FrameRect(const TRect& r) override;
    void FillRgn(const TRegion& region) override;
    bool PatBlt(int x, int y, int width, int height, TCopyMode rop) override;
    void GradientFill(const TRect& r, TColor start, TColor stop, unsigned mode) override;
    void DrawFocusRect(const TRect& r) override;
    void InvertRect(const TRect& r) override;
    bool DrawEdge(TRect& r, unsigned edge, unsigned flags) override;
    int DrawText(const std::string& text, TRect& r, unsigned format,
                 std::string* modifiedText = nullptr) override;
    void TextOut(int x, int y, const std::string& text) override;
    void TextRect(const TRect& r, int x, int y, const std::string& text) override;
    bool BitBlt(int x, int y, int width, int height, const TCanvas* source, int sx, int sy,
                TCopyMode rop) override;
    bool StretchBlt(int x, int y, int width, int height, const TCanvas* source, int sx, int sy,
                    int sw, int sh, TCopyMode rop) override;
    void TransparentStretchBlt(const TRect& dest, const TCanvas* source, const TRect& sourceRect,
                               const TCanvas* mask, TPoint maskOrigin) override;
    void CopyRect(const TRect& dest, const TCanvas* source, const TRect& sourceRect) override;
    void Draw(int x, int y, TGraphic* graphic) override;
    void StretchDraw(const TRect& r, TGraphic* graphic) override;

    struct Recorder;

private:
    TMetafile* metafile_;
    std::string createdBy_;
    std::string description_;
    std::unique_ptr<Recorder> recorder_;
};

// Plays a recording scaled into r of the canvas (what TMetafile::Draw does).
void PlayMetafile(const TMetafileData& data, TCanvas& canvas, const TRect& r);

}  // namespace dsp
