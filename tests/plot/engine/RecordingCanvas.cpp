#include "tests/plot/engine/RecordingCanvas.h"

namespace dsp::test {

// Draws on the bitmap's pixels, as a second canvas on the same device context would.
TRecordingCanvas::TRecordingCanvas(int width, int height) : bitmap_(width, height) {
    SetSurface(bitmap_.Canvas()->Surface());
}

TRecordingCanvas::~TRecordingCanvas() { SetSurface(nullptr); }

void TRecordingCanvas::Log(std::string op, TRect rect, std::string text,
                           std::vector<TPoint> points) {
    calls_.push_back({std::move(op), std::move(text), rect, std::move(points), ClipRect(),
                      Pen()->Color(), Pen()->Width(), Brush()->Color()});
}

std::vector<TCanvasCall> TRecordingCanvas::CallsOf(const std::string& op) const {
    std::vector<TCanvasCall> found;
    for (const TCanvasCall& call : calls_) {
        if (call.op == op) found.push_back(call);
    }
    return found;
}

int TRecordingCanvas::IndexOfText(const std::string& text) const {
    for (std::size_t i = 0; i < calls_.size(); ++i) {
        if (calls_[i].text == text) return static_cast<int>(i);
    }
    return -1;
}

void TRecordingCanvas::LineTo(int x, int y) {
    Log("LineTo", {}, {}, {PenPos(), {x, y}});
    TCanvas::LineTo(x, y);
}

void TRecordingCanvas::Polyline(const std::vector<TPoint>& points) {
    Log("Polyline", {}, {}, points);
    TCanvas::Polyline(points);
}

void TRecordingCanvas::Rectangle(int left, int top, int right, int bottom) {
    Log("Rectangle", {left, top, right, bottom});
    TCanvas::Rectangle(left, top, right, bottom);
}

void TRecordingCanvas::Polygon(const std::vector<TPoint>& points) {
    Log("Polygon", {}, {}, points);
    TCanvas::Polygon(points);
}

void TRecordingCanvas::Ellipse(int left, int top, int right, int bottom) {
    Log("Ellipse", {left, top, right, bottom});
    TCanvas::Ellipse(left, top, right, bottom);
}

void TRecordingCanvas::FillRect(const TRect& r) {
    Log("FillRect", r);
    TCanvas::FillRect(r);
}

void TRecordingCanvas::DrawFocusRect(const TRect& r) {
    Log("DrawFocusRect", r);
    TCanvas::DrawFocusRect(r);
}

void TRecordingCanvas::InvertRect(const TRect& r) {
    Log("InvertRect", r);
    TCanvas::InvertRect(r);
}

bool TRecordingCanvas::DrawEdge(TRect& r, unsigned edge, unsigned flags) {
    Log("DrawEdge", r);
    return TCanvas::DrawEdge(r, edge, flags);
}

int TRecordingCanvas::DrawText(const std::string& text, TRect& r, unsigned format,
                               std::string* modifiedText) {
    if ((format & DT_CALCRECT) == 0) Log("DrawText", r, text);
    return TCanvas::DrawText(text, r, format, modifiedText);
}

void TRecordingCanvas::TextOut(int x, int y, const std::string& text) {
    Log("TextOut", {x, y, x, y}, text);
    TCanvas::TextOut(x, y, text);
}

void TRecordingCanvas::Draw(int x, int y, TGraphic* graphic) {
    Log("Draw", {x, y, x, y});
    TCanvas::Draw(x, y, graphic);
}

}  // namespace dsp::test
