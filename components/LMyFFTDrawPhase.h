#pragma once
// The response view: a paint box that draws filter response curves over a frequency grid, with
// level and frequency labels, band markers with their captions, the selected band's translucent
// filled curve, a text overlay and a marker line.
//
// Everything is drawn into off-screen pages; a page reaches the screen only when it is copied.
// The plot page holds the clean picture (grid, ticks, axes, curves); the overlays (markers,
// captions, fill, text, marker line) are composed on a copy of it each time the plot page is
// copied, so a translucent fill never darkens by repetition.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/PaintBox.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "model/ResponseView.h"

namespace dsp {

class TCanvas;

enum class TMyAxisStyle : std::int32_t { Box, Centered, CenteredBox, None };
enum class TMyAxisFormat : std::int32_t { Linear, Log };
// Curve length 256 * 2^value.
enum TFFTNumber : std::int32_t { n256, n512, n1024, n2048, n4096 };
// Half the sampling rate is (value + 1) * 24000.
enum TSampleRate : std::int32_t { n48000, n96000, n192000 };
enum TStringFloatFormat : std::uint8_t {
    sffGeneral,
    sffExponent,
    sffFixed,
    sffNumber,
    sffCurrency
};

// One off-screen page of a view: its bitmap and where it goes on the control.
class TPaintPage {
public:
    TPaintPage();
    // Sizes the bitmap to the rectangle and places the page there.
    void Place(int left, int top, int right, int bottom);
    void Fill(TColor colour);
    void AssignFont(const TFont* font);
    int Width() const { return SourceRect.Right; }
    int Height() const { return SourceRect.Bottom; }

    std::unique_ptr<TBitmap> Bitmap;
    TRect DestRect{};
    TRect SourceRect{};
};

struct TPlotListMember {
    std::vector<double> XValues;
    std::vector<double> YValues;
    TColor PlotColor = 0;
    TMyPlotStyle PlotStyle = mpsLine;
    int NumPoints = 0;
    int Id = 0;
    std::unique_ptr<TPlotListMember> Next;
};

// The curves of a view, newest first.
class TPlotList {
public:
    TPlotList() = default;
    // The copy holds the members in reverse order.
    TPlotList(const TPlotList& other);
    TPlotList& operator=(const TPlotList&) = delete;
    ~TPlotList();

    // Replaces the points of the first member with this id (keeping its colour and style) and
    // returns true; otherwise puts a new member at the head and returns false.
    bool AddOrReplace(const double* x, const double* y, int count, int id, TColor colour,
                      TMyPlotStyle style);
    bool Remove(int id);
    TPlotListMember* Find(int id) const;
    // AddOrReplace of every member of the other list, from its head.
    void Merge(const TPlotList& other);
    TPlotListMember* Head() const { return head_.get(); }
    bool Empty() const { return head_ == nullptr; }

private:
    std::unique_ptr<TPlotListMember> head_;
};

class LMyFFTDrawPhase : public TPaintBox, public IResponseView {
public:
    static constexpr int kBlockCount = 50;
    static constexpr int kCurvePointCount = 4096;

    explicit LMyFFTDrawPhase(TComponent* owner);
    ~LMyFFTDrawPhase() override;

    // ---- properties
    bool AutoRedraw() const { return autoRedraw_; }
    virtual void SetAutoRedraw(bool value);
    TColor AxisColor() const { return axisColor_; }
    virtual void SetAxisColor(TColor value);
    TMyAxisStyle AxisStyle() const { return axisStyle_; }
    virtual void SetAxisStyle(TMyAxisStyle value);
    TMyAxisFormat YAxisFormat() const { return yAxisFormat_; }
    virtual void SetYAxisFormat(TMyAxisFormat value);
    TMyAxisFormat XAxisFormat() const { return xAxisFormat_; }
    virtual void SetXAxisFormat(TMyAxisFormat value);
    TStringFloatFormat YLabelFormat() const { return yLabelFormat_; }
    virtual void SetYLabelFormat(TStringFloatFormat value);
    TStringFloatFormat XLabelFormat() const { return xLabelFormat_; }
    virtual void SetXLabelFormat(TStringFloatFormat value);
    int YLabelPrecision() const { return yLabelPrecision_; }
    virtual void SetYLabelPrecision(int value);
    int XLabelPrecision() const { return xLabelPrecision_; }
    virtual void SetXLabelPrecision(int value);
    int YLabelDigits() const { return yLabelDigits_; }
    virtual void SetYLabelDigits(int value);
    int XLabelDigits() const { return xLabelDigits_; }
    virtual void SetXLabelDigits(int value);
    bool ShowXLabel() const { return showXLabel_; }
    virtual void SetShowXLabel(bool value);
    bool ShowYLabel() const { return showYLabel_; }
    virtual void SetShowYLabel(bool value);
    bool ShowCoordinates() const { return showCoordinates_; }
    virtual void SetShowCoordinates(bool value);
    bool YAutoScale() const { return yAutoScale_; }
    virtual void SetYAutoScale(bool value);
    bool XAutoScale() const { return xAutoScale_; }
    virtual void SetXAutoScale(bool value);
    double YLabelScale() const { return yLabelScale_; }
    virtual void SetYLabelScale(double value);
    double YMax() const { return yMax_; }
    virtual void SetYMax(double value);
    double YMin() const { return yMin_; }
    virtual void SetYMin(double value);
    double XMax() const { return xMax_; }
    virtual void SetXMax(double value);
    double XMin() const { return xMin_; }
    virtual void SetXMin(double value);
    int PointSize() const { return pointSize_; }
    virtual void SetPointSize(int value);
    bool ShowHorzGrid() const { return showHorzGrid_; }
    virtual void SetShowHorzGrid(bool value);
    bool ShowVertGrid() const { return showVertGrid_; }
    virtual void SetShowVertGrid(bool value);
    bool ShowHorzTicks() const { return showHorzTicks_; }
    virtual void SetShowHorzTicks(bool value);
    bool ShowVertTicks() const { return showVertTicks_; }
    virtual void SetShowVertTicks(bool value);
    int HorzTickLength() const { return horzTickLength_; }
    virtual void SetHorzTickLength(int value);
    int VertTickLength() const { return vertTickLength_; }
    virtual void SetVertTickLength(int value);
    int NumHorzGrid() const { return numHorzGrid_; }
    virtual void SetNumHorzGrid(int value);
    int NumVertGrid() const { return numVertGrid_; }
    virtual void SetNumVertGrid(int value);
    TColor GridColor() const { return gridColor_; }
    virtual void SetGridColor(TColor value);
    bool ShowXTitle() const { return showXTitle_; }
    virtual void SetShowXTitle(bool value);
    bool ShowYTitle() const { return showYTitle_; }
    virtual void SetShowYTitle(bool value);
    bool ShowPlotTitle() const { return showPlotTitle_; }
    virtual void SetShowPlotTitle(bool value);
    const std::string& XTitle() const { return xTitle_; }
    virtual void SetXTitle(const std::string& value);
    const std::string& YTitle() const { return yTitle_; }
    virtual void SetYTitle(const std::string& value);
    const std::string& YLabel() const { return yLabel_; }
    virtual void SetYLabel(const std::string& value);
    const std::string& PlotTitle() const { return plotTitle_; }
    virtual void SetPlotTitle(const std::string& value);
    TFont* PlotTitleFont() const { return plotTitleFont_.get(); }
    virtual void SetPlotTitleFont(const TFont* value);
    TFont* AxisTitleFont() const { return axisTitleFont_.get(); }
    virtual void SetAxisTitleFont(const TFont* value);
    TFont* AxisLabelFont() const { return axisLabelFont_.get(); }
    virtual void SetAxisLabelFont(const TFont* value);
    TFont* MouseCoordFont() const { return mouseCoordFont_.get(); }
    virtual void SetMouseCoordFont(const TFont* value);
    // Stored only.
    bool MouseControl() const { return mouseControl_; }
    void SetMouseControl(bool value) { mouseControl_ = value; }
    double MouseX() const { return mouseX_; }
    double MouseY() const { return mouseY_; }
    TFFTNumber FFTNuimber() const { return FFTNuimber_; }
    void SetFFTNuimber(TFFTNumber value) { FFTNuimber_ = value; }
    TSampleRate SampleRate() const { return SampleRate_; }
    void SetSampleRate(TSampleRate value) { SampleRate_ = value; }
    // Raised by Change, which the view itself never calls.
    TNotifyEvent OnChange;
    virtual void Change();

    // ---- copying from another view
    void AssignPlot(const LMyFFTDrawPhase& other);
    void AssignPlotData(const LMyFFTDrawPhase& other);
    void AppendPlotData(const LMyFFTDrawPhase& other);
    void AssignPlotProperties(const LMyFFTDrawPhase& other);
    const TPlotList& PlotList() const { return *FPlotList; }

    // ---- layout and mapping
    void ResizePaintPage();
    // Curve units to plot-page pixels (not yet truncated).
    double ScreenX(double x) const;
    double ScreenY(double y) const;
    // Where the plot page sits on the control: add these to plot-page pixels (GetBlockPos) for
    // control coordinates.
    int GetPlotLeft() const { return FPlotPage->DestRect.Left; }
    int GetPlotTop() const { return FPlotPage->DestRect.Top; }
    int GetPlotWidth() const { return FPlotPage->Width(); }
    int GetPlotHeight() const { return FPlotPage->Height(); }
    bool SetPlotWidth(int width);
    void SetXYMinMax(double xMin, double xMax, double yMin, double yMax);

    // ---- painting
    void Redraw();
    void DrawPlotsAndLabels();
    void DrawPlotsAndLabelsNoUpdate();
    void DrawAllPlots();
    void RedrawScreen();
    void ClearPlot();
    // Markers, captions, fill, text and marker line composed on the plot page, which is copied
    // to the control.
    void UpdateCurvePage();

    // ---- curves (the response calculator's interface and more)
    bool FFTDraw(const double* y, int count, int id, ViewColour colour,
                 TMyPlotStyle style) override;
    bool FFTDraw(const double* x, const double* y, int count, int id, TColor colour,
                 TMyPlotStyle style);
    bool FFTDraw(const double* y, int count, double xFirst, double xLast, int id, TColor colour,
                 TMyPlotStyle style);
    bool RemovePlot(int id) override;
    bool GetPlotStyle(TMyPlotStyle& out, int id) const;
    bool GetPlotColor(TColor& out, int id) const;
    bool GetPlotNumPoints(int& out, int id) const;
    // The plot's points, as many as it has.
    bool GetPlotX(std::vector<double>& out, int id) const;
    bool GetPlotY(std::vector<double>& out, int id) const;
    bool SetPlotStyle(TMyPlotStyle style, int id);
    bool SetPlotColor(TColor colour, int id);

    // ---- markers (slots 0 to 49; other slots are ignored)
    void DrawBlock(double y, double x, ViewColour colour, int n, bool hidden, int type) override;
    int SetBlockParameter(int n, double freqHz, double gainDb, double q, int kind) override;
    void SetBlockPosition(double px, double py, int n);
    // Plot-page pixels; (0, 0) for a slot outside the table.
    TPoint GetBlockPos(int n) const;
    void SetParameterDisplay(bool on) { FParameterDisplay = on; }

    // ---- selected band
    void DrawParam(int kind, double gainDb, double x, float freqHz, double q,
                   ViewColour colour) override;
    void DrawCurveFill(int kind, const double* values, int count) override;
    void SetCurveDisplay(bool on) override { FCurveDisplay = on; }

    // ---- text overlay and marker line
    // An empty text shows nothing.
    void DrawTextA(int x, int y, int size, TColor colour, const std::string& fontName,
                   const std::string& text);
    // A vertical line at curve position x; the line is red whatever the colour given.
    void DrawLine(double x, TColor colour, bool marker);

    // ---- for checks: the plot page as last copied (with its overlays) and the clean one
    const TBitmap& ShownPlotPage() const { return *composed_; }
    const TBitmap& CleanPlotPage();
    const TPaintPage& XLabelPage() const { return *FXLabelPage; }
    const TPaintPage& YLabelPage() const { return *FYLabelPage; }
    const TPaintPage& PlotPage() const { return *FPlotPage; }
    // The shortcuts that keep a drag fast: the grid, ticks and axes kept in a cached layer and
    // the label pages kept while nothing they depend on changes, and curve segments that
    // cannot show left out. Off draws everything every time, for comparison.
    void SetFastPaths(bool on) { fastPaths_ = on; }

protected:
    void Paint() override;
    void Loaded() override;

    // What the twin without label scaling changes.
    virtual std::string LevelLabel(double value) const;
    virtual bool DrawMarkerShape(TCanvas& canvas, int type, int px, int py, int slot);
    virtual int BlockCaptionKind(double filterKind) const;
    struct TCaptionLines {
        bool q = false, freq = false, gain = false;
        std::array<int, 3> above{}, below{};
    };
    // Which caption lines a kind shows; selected is true for the selected band's captions.
    virtual TCaptionLines CaptionLines(int kind, bool selected) const;

private:
    struct TLayout {
        int L = -30, T = 0, B = 0, BX = 0, YT = 0, TW = 0, TH = 0;
    };
    TLayout MeasureLayout();
    void PlacePages(const TLayout& r);
    void RecomputeBlockPixels();
    void AutoScaleX();
    void AutoScaleY();
    void CompareMaxMin();
    void CalculateLogMaxMin();
    void FindXMaxMin();
    void FindYMaxMin();
    void RelayoutAndRedraw();
    void FullRedraw();
    void PlotRedraw();
    std::string XText(double v) const;
    std::string YText(double v) const;
    int CurveLength() const { return 256 << static_cast<int>(FFTNuimber_); }
    double HalfRate() const { return (static_cast<int>(SampleRate_) + 1) * 24000.0; }
    double FrequencyIndex(double logHz) const;

    void UpdatePaintPage(TPaintPage& page);
    void CopyToScreen(const TBitmap& bitmap, const TPaintPage& page);
    void ComposePlotPage();
    void DrawFrameLayers(TCanvas& canvas);
    // Draws the clean plot page when a plot redraw is pending.
    void RenderPlotPage();
    std::vector<double> LabelKey(int which) const;
    void DrawAxis(TCanvas& canvas);
    void DrawGrid(TCanvas& canvas);
    void DrawTicks(TCanvas& canvas);
    void DrawXAxisLabels();
    void DrawYAxisLabels();
    void DrawTitles();
    void DrawOnePlot(TCanvas& canvas, const TPlotListMember& plot);
    void BlockPaint(TCanvas& canvas);
    void LinePaint(TCanvas& canvas);
    void TextPaint(TCanvas& canvas);
    void CuveDisplayPaint(TCanvas& canvas);
    void ShowParam(TCanvas& canvas, int kind, double gain, double x, float freq, double q,
                   TColor colour, bool selected);
    void PaintFill(TCanvas& canvas);
    bool CanDraw() const;

    std::unique_ptr<TPlotList> FPlotList;
    int FLastWidth = 0;
    int FLastHeight = 0;

    bool autoRedraw_ = true;
    TColor axisColor_ = 0x008C00;
    TMyAxisStyle axisStyle_ = TMyAxisStyle::CenteredBox;
    TMyAxisFormat xAxisFormat_ = TMyAxisFormat::Linear;
    TMyAxisFormat yAxisFormat_ = TMyAxisFormat::Linear;
    bool showXLabel_ = true;
    bool showYLabel_ = true;
    bool showCoordinates_ = true;
    bool yAutoScale_ = true;
    bool xAutoScale_ = true;
    bool mouseControl_ = true;
    int pointSize_ = 2;
    double yLabelScale_ = 1.0;
    double yMax_ = 18;
    double yMin_ = -18;
    double xMax_ = 4130;
    double xMin_ = 1030;
    double mouseX_ = 0;
    double mouseY_ = 0;
    int xLabelPrecision_ = 4;
    int yLabelPrecision_ = 5;
    int xLabelDigits_ = 4;
    int yLabelDigits_ = 4;
    TStringFloatFormat yLabelFormat_ = sffGeneral;
    TStringFloatFormat xLabelFormat_ = sffGeneral;
    bool showVertGrid_ = true;
    bool showHorzGrid_ = true;
    int numVertGrid_ = 10;
    int numHorzGrid_ = 11;
    bool showVertTicks_ = true;
    bool showHorzTicks_ = true;
    int vertTickLength_ = 0;
    int horzTickLength_ = 0;
    TColor gridColor_ = 0x004800;
    bool showXTitle_ = false;
    bool showYTitle_ = false;
    bool showPlotTitle_ = false;
    std::string xTitle_ = "Frequency ";
    std::string yTitle_ = "dB";
    std::string yLabel_ = "dB";
    std::string plotTitle_ = "Frequency Response";
    std::unique_ptr<TFont> plotTitleFont_;
    std::unique_ptr<TFont> axisTitleFont_;
    std::unique_ptr<TFont> axisLabelFont_;
    std::unique_ptr<TFont> mouseCoordFont_;

    double FLogXMin = 0, FLogXMax = 0, FLogYMin = 0, FLogYMax = 0;

    std::unique_ptr<TPaintPage> FPlotPage;
    std::unique_ptr<TPaintPage> FXLabelPage;
    std::unique_ptr<TPaintPage> FYLabelPage;
    std::unique_ptr<TPaintPage> FPlotTitlePage;
    std::unique_ptr<TPaintPage> FXTitlePage;
    std::unique_ptr<TPaintPage> FYTitlePage;
    std::unique_ptr<TPaintPage> FRightMarginPage;
    std::unique_ptr<TPaintPage> FYTitleScratchPage;
    std::unique_ptr<TPaintPage> FCoordPage;

    std::array<double, kBlockCount> FBlockX{}, FBlockY{}, FBlockFreq{}, FBlockGain{}, FBlockQ{},
        FBlockKind{};
    std::array<TColor, kBlockCount> FBlockColor{};
    std::array<TPoint, kBlockCount> FBlockPos{};
    std::array<double, kBlockCount> FBlockPixelX{}, FBlockPixelY{};
    std::array<bool, kBlockCount> FBlockHidden{};
    std::array<int, kBlockCount> FBlockType{};

    bool FCurveDisplay = false;
    int FCurveKind = 0;
    double FCurveGain = 0;
    double FCurveX = 0;
    float FCurveFreq = 0;
    double FCurveQ = 0;
    TColor FCurveColor = 0;
    std::vector<double> FCurvePoints;
    bool FParameterDisplay = false;

    double FLineX = 0;
    int FLinePixelX = 0;
    TColor FLineColor = 0;
    bool FLineMarker = false;
    bool FLineVisible = false;
    int FTextX = 0, FTextY = 0, FTextSize = 0;
    std::string FTextFont;
    TColor FTextColor = 0;
    std::string FText;

    TFFTNumber FFTNuimber_ = n4096;
    TSampleRate SampleRate_ = n48000;

    // The plot page with its overlays, as last copied to the control.
    std::unique_ptr<TBitmap> composed_;
    // Background, grid, ticks and axes of the plot page, and what they were drawn for.
    std::unique_ptr<TBitmap> layer_;
    std::vector<double> layerKey_;
    // What the label pages were last drawn for.
    std::vector<double> xLabelKey_, yLabelKey_;
    // Bumped by every change the label keys cannot see (fonts, layout, texts).
    int labelGeneration_ = 0;
    // A layout asked for while the form loaded, made when it ends.
    bool layoutPending_ = false;
    // A plot redraw asked for and not yet drawn: the plot page is drawn once, when it is next
    // needed.
    bool plotsPending_ = false;
    bool fastPaths_ = true;
};

}  // namespace dsp
