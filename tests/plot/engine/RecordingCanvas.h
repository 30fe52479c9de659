#pragma once
// A canvas that draws on a bitmap like any canvas and also logs every drawing call, with the
// clip rectangle in force at the call: paint order and clipping can be read off the log.

#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace dsp::test {

struct TCanvasCall {
    std::string op;    // "Polyline", "FillRect", "DrawText", "TextOut", ...
    std::string text;  // the text of a text call
    TRect rect{};      // the rectangle of a rectangle or text call
    std::vector<TPoint> points;
    TRect clip{};      // ClipRect() at the call
    TColor pen = 0;    // the pen colour at the call
    int penWidth = 0;  // the pen width at the call
    TColor brush = 0;  // the brush colour at the call
};

class TRecordingCanvas : public TCanvas {
public:
    TRecordingCanvas(int width, int height);
    ~TRecordingCanvas() override;

    const std::vector<TCanvasCall>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }
    TBitmap& Bitmap() { return bitmap_; }
    // The calls of one operation.
    std::vector<TCanvasCall> CallsOf(const std::string& op) const;
    // The index of the first call with the text, or -1.
    int IndexOfText(const std::string& text) const;

    using TCanvas::Rectangle;
    void LineTo(int x, int y) override;
    void Polyline(const std::vector<TPoint>& points) override;
    // Logged as the polylines it draws.
    void PolyPolyline(const std::vector<TPoint>& points, const std::vector<int>& counts) override {
        PolylinesOneByOne(points, counts);
    }
    void Rectangle(int left, int top, int right, int bottom) override;
    void Polygon(const std::vector<TPoint>& points) override;
    using TCanvas::Ellipse;
    void Ellipse(int left, int top, int right, int bottom) override;
    void FillRect(const TRect& r) override;
    void DrawFocusRect(const TRect& r) override;
    void InvertRect(const TRect& r) override;
    bool DrawEdge(TRect& r, unsigned edge, unsigned flags) override;
    int DrawText(const std::string& text, TRect& r, unsigned format,
                 std::string* modifiedText = nullptr) override;
    void TextOut(int x, int y, const std::string& text) override;
    void Draw(int x, int y, TGraphic* graphic) override;

private:
    void Log(std::string op, TRect rect = {}, std::string text = {},
             std::vector<TPoint> points = {});

    TBitmap bitmap_;
    std::vector<TCanvasCall> calls_;
};

}  // namespace dsp::test
