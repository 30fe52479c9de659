#include "components/LMyFFTDrawPhase.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/graphics/Canvas.h"
#include "framework/text/Format.h"
#include "framework/text/Numbers.h"
#include "widgets/styled/AdvGDIP.h"

namespace dsp {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Truncation toward zero that stays defined for values beyond an int (and NaN).
int ToPixel(double v) {
    if (std::isnan(v)) return std::numeric_limits<int>::min() / 2;
    constexpr double kLimit = 1.0e9;
    return static_cast<int>(std::clamp(v, -kLimit, kLimit));
}

TFloatFormat FloatFormatOf(TStringFloatFormat f) {
    switch (f) {
        case sffExponent: return ffExponent;
        case sffFixed: return ffFixed;
        case sffNumber:
        case sffCurrency: return ffNumber;
        case sffGeneral:
        default: return ffGeneral;
    }
}

std::string FloatText(double v, TStringFloatFormat f, int precision, int digits) {
    const TFloatFormat format = FloatFormatOf(f);
    const int maxDigits = (format == ffGeneral || format == ffExponent) ? 4 : 18;
    return FloatToStrF(v, format, std::clamp(precision, 1, 18), std::clamp(digits, 0, maxDigits));
}

}  // namespace

// ---- pages

TPaintPage::TPaintPage() : Bitmap(std::make_unique<TBitmap>()) {}

void TPaintPage::Place(int left, int top, int right, int bottom) {
    const int w = std::max(right - left, 0);
    const int h = std::max(bottom - top, 0);
    Bitmap->SetSize(w, h);
    SourceRect = Rect(0, 0, w, h);
    DestRect = Rect(left, top, right, bottom);
}

void TPaintPage::Fill(TColor colour) {
    TCanvas& c = *Bitmap->Canvas();
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(colour);
    c.FillRect(SourceRect);
}

void TPaintPage::AssignFont(const TFont* font) {
    Bitmap->Canvas()->Font()->Assign(const_cast<TFont*>(font));
}

// ---- plot list

TPlotList::TPlotList(const TPlotList& other) {
    for (const TPlotListMember* m = other.Head(); m != nullptr; m = m->Next.get()) {
        auto copy = std::make_unique<TPlotListMember>();
        copy->XValues = m->XValues;
        copy->YValues = m->YValues;
        copy->PlotColor = m->PlotColor;
        copy->PlotStyle = m->PlotStyle;
        copy->NumPoints = m->NumPoints;
        copy->Id = m->Id;
        copy->Next = std::move(head_);
        head_ = std::move(copy);
    }
}

TPlotList::~TPlotList() {
    // Unlinked one by one: a long list must not recurse through its destructors.
    while (head_ != nullptr) head_ = std::move(head_->Next);
}

bool TPlotList::AddOrReplace(const double* x, const double* y, int count, int id, TColor colour,
                             TMyPlotStyle style) {
    count = std::max(count, 0);
    TPlotListMember* member = Find(id);
    const bool found = member != nullptr;
    if (!found) {
        auto fresh = std::make_unique<TPlotListMember>();
        fresh->Id = id;
        fresh->PlotColor = colour;
        fresh->PlotStyle = style;
        fresh->Next = std::move(head_);
        head_ = std::move(fresh);
        member = head_.get();
    }
    member->XValues.assign(x, x + count);
    member->YValues.assign(y, y + count);
    member->NumPoints = count;
    return found;
}

bool TPlotList::Remove(int id) {
    for (std::unique_ptr<TPlotListMember>* link = &head_; *link != nullptr; link = &(*link)->Next) {
        if ((*link)->Id == id) {
            *link = std::move((*link)->Next);
            return true;
        }
    }
    return false;
}

TPlotListMember* TPlotList::Find(int id) const {
    for (TPlotListMember* m = head_.get(); m != nullptr; m = m->Next.get()) {
        if (m->Id == id) return m;
    }
    return nullptr;
}

void TPlotList::Merge(const TPlotList& other) {
    for (const TPlotListMember* m = other.Head(); m != nullptr; m = m->Next.get()) {
        AddOrReplace(m->XValues.data(), m->YValues.data(), m->NumPoints, m->Id, m->PlotColor,
                     m->PlotStyle);
    }
}

// ---- the view

LMyFFTDrawPhase::LMyFFTDrawPhase(TComponent* owner)
    : TPaintBox(owner),
      FPlotList(std::make_unique<TPlotList>()),
      plotTitleFont_(std::make_unique<TFont>()),
      axisTitleFont_(std::make_unique<TFont>()),
      axisLabelFont_(std::make_unique<TFont>()),
      mouseCoordFont_(std::make_unique<TFont>()),
      FPlotPage(std::make_unique<TPaintPage>()),
      FXLabelPage(std::make_unique<TPaintPage>()),
      FYLabelPage(std::make_unique<TPaintPage>()),
      FPlotTitlePage(std::make_unique<TPaintPage>()),
      FXTitlePage(std::make_unique<TPaintPage>()),
      FYTitlePage(std::make_unique<TPaintPage>()),
      FRightMarginPage(std::make_unique<TPaintPage>()),
      FYTitleScratchPage(std::make_unique<TPaintPage>()),
      FCoordPage(std::make_unique<TPaintPage>()),
      FCurvePoints(kCurvePointCount, 0.0),
      composed_(std::make_unique<TBitmap>()),
      layer_(std::make_unique<TBitmap>()) {
    plotTitleFont_->SetColor(clLime);
    axisTitleFont_->SetColor(clLime);
    axisLabelFont_->SetColor(clYellow);
    mouseCoordFont_->SetColor(clLime);
    SetBounds(Left(), Top(), 500, 250);
    SetColor(clBlack);
}

LMyFFTDrawPhase::~LMyFFTDrawPhase() = default;

void LMyFFTDrawPhase::Change() {
    if (OnChange) OnChange(this);
}

bool LMyFFTDrawPhase::CanDraw() const { return Visible(); }

// ---- redraw helpers named by what a property change needs

void LMyFFTDrawPhase::RelayoutAndRedraw() {
    ResizePaintPage();
    if (autoRedraw_) Redraw();
}

void LMyFFTDrawPhase::FullRedraw() {
    if (autoRedraw_) DrawPlotsAndLabels();
}

void LMyFFTDrawPhase::PlotRedraw() {
    if (autoRedraw_) DrawAllPlots();
}

// ---- setters

void LMyFFTDrawPhase::SetAutoRedraw(bool value) {
    autoRedraw_ = value;
    if (value) Redraw();
}

void LMyFFTDrawPhase::SetAxisColor(TColor value) {
    axisColor_ = value;
    // The axis lines take the colour at once, whatever AutoRedraw says.
    if (CanDraw() && FPlotPage->Width() > 0) {
        RenderPlotPage();
        DrawAxis(*FPlotPage->Bitmap->Canvas());
    }
}

void LMyFFTDrawPhase::SetAxisStyle(TMyAxisStyle value) {
    axisStyle_ = value;
    FullRedraw();
}

void LMyFFTDrawPhase::SetXAxisFormat(TMyAxisFormat value) {
    xAxisFormat_ = value;
    AutoScaleX();
    if (value == TMyAxisFormat::Log) {
        if (xMax_ <= 0) {
            xMax_ = 10;
            xMin_ = 1;
        } else if (xMin_ <= 0) {
            xMin_ = xMax_ * 0.1;
        }
    }
    CalculateLogMaxMin();
    FullRedraw();
}

void LMyFFTDrawPhase::SetYAxisFormat(TMyAxisFormat value) {
    yAxisFormat_ = value;
    AutoScaleY();
    if (value == TMyAxisFormat::Log) {
        if (yMax_ <= 0) {
            yMax_ = 10;
            yMin_ = 1;
        } else if (yMin_ <= 0) {
            yMin_ = yMax_ * 0.1;
        }
    }
    CalculateLogMaxMin();
    FullRedraw();
}

void LMyFFTDrawPhase::SetShowXLabel(bool value) {
    showXLabel_ = value;
    ResizePaintPage();
    Redraw();
}

void LMyFFTDrawPhase::SetShowYLabel(bool value) {
    showYLabel_ = value;
    ResizePaintPage();
    Redraw();
}

void LMyFFTDrawPhase::SetXLabelPrecision(int value) {
    xLabelPrecision_ = value;
    SetShowXLabel(showXLabel_);
}
void LMyFFTDrawPhase::SetYLabelPrecision(int value) {
    yLabelPrecision_ = value;
    SetShowYLabel(showYLabel_);
}
void LMyFFTDrawPhase::SetXLabelDigits(int value) {
    xLabelDigits_ = value;
    SetShowXLabel(showXLabel_);
}
void LMyFFTDrawPhase::SetYLabelDigits(int value) {
    yLabelDigits_ = value;
    SetShowYLabel(showYLabel_);
}
void LMyFFTDrawPhase::SetXLabelFormat(TStringFloatFormat value) {
    xLabelFormat_ = value;
    SetShowXLabel(showXLabel_);
}
void LMyFFTDrawPhase::SetYLabelFormat(TStringFloatFormat value) {
    yLabelFormat_ = value;
    SetShowYLabel(showYLabel_);
}

void LMyFFTDrawPhase::SetShowCoordinates(bool value) {
    showCoordinates_ = value;
    if (Visible() && autoRedraw_) {
        FCoordPage->Fill(Color());
        CopyToScreen(*FCoordPage->Bitmap, *FCoordPage);
        DrawAllPlots();
    }
}

void LMyFFTDrawPhase::SetYAutoScale(bool value) {
    yAutoScale_ = value;
    AutoScaleY();
    FullRedraw();
}

void LMyFFTDrawPhase::SetXAutoScale(bool value) {
    xAutoScale_ = value;
    AutoScaleX();
    FullRedraw();
}

void LMyFFTDrawPhase::SetYLabelScale(double value) {
    yLabelScale_ = value;
    FullRedraw();
}

void LMyFFTDrawPhase::SetYMax(double value) {
    yMax_ = value;
    CompareMaxMin();
    CalculateLogMaxMin();
    FullRedraw();
}
void LMyFFTDrawPhase::SetYMin(double value) {
    yMin_ = value;
    CompareMaxMin();
    CalculateLogMaxMin();
    FullRedraw();
}
void LMyFFTDrawPhase::SetXMax(double value) {
    xMax_ = value;
    CompareMaxMin();
    CalculateLogMaxMin();
    FullRedraw();
}
void LMyFFTDrawPhase::SetXMin(double value) {
    xMin_ = value;
    CompareMaxMin();
    CalculateLogMaxMin();
    FullRedraw();
}

void LMyFFTDrawPhase::SetPointSize(int value) {
    pointSize_ = std::clamp(value, 1, 10);
    PlotRedraw();
}

void LMyFFTDrawPhase::SetShowHorzGrid(bool value) {
    showHorzGrid_ = value;
    PlotRedraw();
}
void LMyFFTDrawPhase::SetShowVertGrid(bool value) {
    showVertGrid_ = value;
    PlotRedraw();
}
void LMyFFTDrawPhase::SetShowHorzTicks(bool value) {
    showHorzTicks_ = value;
    PlotRedraw();
}
void LMyFFTDrawPhase::SetShowVertTicks(bool value) {
    showVertTicks_ = value;
    PlotRedraw();
}

void LMyFFTDrawPhase::SetHorzTickLength(int value) {
    horzTickLength_ = std::clamp(value, 0, std::max(Width(), 0));
    PlotRedraw();
}

void LMyFFTDrawPhase::SetVertTickLength(int value) {
    vertTickLength_ = std::clamp(value, 0, std::max(Height(), 0));
    PlotRedraw();
}

void LMyFFTDrawPhase::SetNumHorzGrid(int value) {
    numHorzGrid_ = std::max(value, 0);
    FullRedraw();
}
void LMyFFTDrawPhase::SetNumVertGrid(int value) {
    numVertGrid_ = std::max(value, 0);
    FullRedraw();
}

void LMyFFTDrawPhase::SetGridColor(TColor value) {
    gridColor_ = value;
    PlotRedraw();
}

void LMyFFTDrawPhase::SetShowXTitle(bool value) {
    showXTitle_ = value;
    ResizePaintPage();
    Redraw();
}
void LMyFFTDrawPhase::SetShowYTitle(bool value) {
    showYTitle_ = value;
    ResizePaintPage();
    Redraw();
}
void LMyFFTDrawPhase::SetShowPlotTitle(bool value) {
    showPlotTitle_ = value;
    ResizePaintPage();
    Redraw();
}

void LMyFFTDrawPhase::SetXTitle(const std::string& value) {
    xTitle_ = value;
    DrawTitles();
}
void LMyFFTDrawPhase::SetYTitle(const std::string& value) {
    yTitle_ = value;
    ResizePaintPage();
    DrawTitles();
}
void LMyFFTDrawPhase::SetYLabel(const std::string& value) {
    yLabel_ = value;
    ResizePaintPage();
    FullRedraw();
}
void LMyFFTDrawPhase::SetPlotTitle(const std::string& value) {
    plotTitle_ = value;
    DrawTitles();
}

void LMyFFTDrawPhase::SetPlotTitleFont(const TFont* value) {
    plotTitleFont_->Assign(const_cast<TFont*>(value));
    FPlotTitlePage->AssignFont(plotTitleFont_.get());
    ResizePaintPage();
    Redraw();
}
void LMyFFTDrawPhase::SetAxisTitleFont(const TFont* value) {
    axisTitleFont_->Assign(const_cast<TFont*>(value));
    FXTitlePage->AssignFont(axisTitleFont_.get());
    FYTitlePage->AssignFont(axisTitleFont_.get());
    ResizePaintPage();
    Redraw();
}
void LMyFFTDrawPhase::SetAxisLabelFont(const TFont* value) {
    axisLabelFont_->Assign(const_cast<TFont*>(value));
    FXLabelPage->AssignFont(axisLabelFont_.get());
    FYLabelPage->AssignFont(axisLabelFont_.get());
    ResizePaintPage();
    Redraw();
}
void LMyFFTDrawPhase::SetMouseCoordFont(const TFont* value) {
    mouseCoordFont_->Assign(const_cast<TFont*>(value));
    FCoordPage->AssignFont(mouseCoordFont_.get());
    ResizePaintPage();
    FullRedraw();
}

// ---- copying

void LMyFFTDrawPhase::AssignPlot(const LMyFFTDrawPhase& other) {
    FPlotList = std::make_unique<TPlotList>(*other.FPlotList);
    AssignPlotProperties(other);
    AutoScaleX();
    AutoScaleY();
    ResizePaintPage();
    if (autoRedraw_) Redraw();
}

void LMyFFTDrawPhase::AssignPlotData(const LMyFFTDrawPhase& other) {
    FPlotList = std::make_unique<TPlotList>(*other.FPlotList);
    AutoScaleX();
    AutoScaleY();
    ResizePaintPage();
    if (autoRedraw_) Redraw();
}

void LMyFFTDrawPhase::AppendPlotData(const LMyFFTDrawPhase& other) {
    FPlotList->Merge(*other.FPlotList);
    AutoScaleX();
    AutoScaleY();
    ResizePaintPage();
    if (autoRedraw_) Redraw();
}

void LMyFFTDrawPhase::AssignPlotProperties(const LMyFFTDrawPhase& other) {
    autoRedraw_ = other.autoRedraw_;
    axisColor_ = other.axisColor_;
    axisStyle_ = other.axisStyle_;
    xAxisFormat_ = other.xAxisFormat_;
    yAxisFormat_ = other.yAxisFormat_;
    showXLabel_ = other.showXLabel_;
    showYLabel_ = other.showYLabel_;
    showCoordinates_ = other.showCoordinates_;
    yAutoScale_ = other.yAutoScale_;
    xAutoScale_ = other.xAutoScale_;
    yLabelScale_ = other.yLabelScale_;
    yMax_ = other.yMax_;
    yMin_ = other.yMin_;
    xMax_ = other.xMax_;
    xMin_ = other.xMin_;
    xLabelPrecision_ = other.xLabelPrecision_;
    yLabelPrecision_ = other.yLabelPrecision_;
    xLabelDigits_ = other.xLabelDigits_;
    yLabelDigits_ = other.yLabelDigits_;
    xLabelFormat_ = other.xLabelFormat_;
    yLabelFormat_ = other.yLabelFormat_;
    pointSize_ = other.pointSize_;
    showVertGrid_ = other.showVertGrid_;
    showHorzGrid_ = other.showHorzGrid_;
    showVertTicks_ = other.showVertTicks_;
    showHorzTicks_ = other.showHorzTicks_;
    vertTickLength_ = other.vertTickLength_;
    horzTickLength_ = other.horzTickLength_;
    numHorzGrid_ = other.numHorzGrid_;
    numVertGrid_ = other.numVertGrid_;
    gridColor_ = other.gridColor_;
    mouseControl_ = other.mouseControl_;
    showXTitle_ = other.showXTitle_;
    showYTitle_ = other.showYTitle_;
    showPlotTitle_ = other.showPlotTitle_;
    xTitle_ = other.xTitle_;
    yTitle_ = other.yTitle_;
    yLabel_ = other.yLabel_;
    plotTitle_ = other.plotTitle_;
    plotTitleFont_->Assign(other.plotTitleFont_.get());
    axisTitleFont_->Assign(other.axisTitleFont_.get());
    axisLabelFont_->Assign(other.axisLabelFont_.get());
    mouseCoordFont_->Assign(other.mouseCoordFont_.get());
    FFTNuimber_ = other.FFTNuimber_;
    FLogXMin = other.FLogXMin;
    FLogXMax = other.FLogXMax;
    FLogYMin = other.FLogYMin;
    FLogYMax = other.FLogYMax;
    if (autoRedraw_) Redraw();
}

// ---- ranges

void LMyFFTDrawPhase::CompareMaxMin() {
    if (yMax_ == yMin_) yMax_ = yAxisFormat_ == TMyAxisFormat::Log ? yMin_ * 10 : yMax_ + 1;
    if (xMax_ == xMin_) xMax_ = xAxisFormat_ == TMyAxisFormat::Log ? xMin_ * 10 : xMax_ + 1;
}

void LMyFFTDrawPhase::CalculateLogMaxMin() {
    if (xAxisFormat_ == TMyAxisFormat::Log) {
        if (xMax_ <= 0) xMax_ = 10;
        if (xMin_ <= 0) xMin_ = xMax_ * 0.1;
        FLogXMin = std::log10(xMin_);
        FLogXMax = std::log10(xMax_);
    }
    if (yAxisFormat_ == TMyAxisFormat::Log) {
        if (yMax_ <= 0) yMax_ = 10;
        if (yMin_ <= 0) yMin_ = yMax_ * 0.01;
        FLogYMin = std::log10(yMin_);
        FLogYMax = std::log10(yMax_);
    }
}

void LMyFFTDrawPhase::FindXMaxMin() {
    if (!xAutoScale_) return;
    const TPlotListMember* head = FPlotList->Head();
    if (head == nullptr || head->NumPoints == 0) {
        xMax_ = 1;
        xMin_ = -1;
    } else {
        xMax_ = xMin_ = head->XValues[0];
        for (const TPlotListMember* m = head; m != nullptr; m = m->Next.get()) {
            for (double v : m->XValues) {
                xMax_ = std::max(xMax_, v);
                xMin_ = std::min(xMin_, v);
            }
        }
    }
    CompareMaxMin();
    CalculateLogMaxMin();
}

void LMyFFTDrawPhase::FindYMaxMin() {
    if (!yAutoScale_) return;
    const TPlotListMember* head = FPlotList->Head();
    if (head == nullptr || head->NumPoints == 0) {
        yMax_ = 1;
        yMin_ = -1;
    } else {
        yMax_ = yMin_ = head->YValues[0];
        for (const TPlotListMember* m = head; m != nullptr; m = m->Next.get()) {
            for (double v : m->YValues) {
                yMax_ = std::max(yMax_, v);
                yMin_ = std::min(yMin_, v);
            }
        }
    }
    CompareMaxMin();
    CalculateLogMaxMin();
}

void LMyFFTDrawPhase::AutoScaleX() { FindXMaxMin(); }
void LMyFFTDrawPhase::AutoScaleY() { FindYMaxMin(); }

void LMyFFTDrawPhase::SetXYMinMax(double xMin, double xMax, double yMin, double yMax) {
    xMin_ = xMin;
    xMax_ = xMax;
    yMin_ = yMin;
    yMax_ = yMax;
    CalculateLogMaxMin();
    CompareMaxMin();
    FullRedraw();
}

// ---- mapping

double LMyFFTDrawPhase::ScreenX(double x) const {
    const double wp = FPlotPage->Width();
    if (xAxisFormat_ == TMyAxisFormat::Log) {
        const double lx = x > 0 ? std::log10(x) : std::log10(xMin_ * 0.1);
        return wp * (lx - FLogXMin) / (FLogXMax - FLogXMin);
    }
    return wp * (x - xMin_) / (xMax_ - xMin_);
}

double LMyFFTDrawPhase::ScreenY(double y) const {
    const double hp = FPlotPage->Height();
    if (yAxisFormat_ == TMyAxisFormat::Log) {
        const double ly = y > 0 ? std::log10(y) : std::log10(yMin_ * 0.1);
        return hp - hp * (ly - FLogYMin) / (FLogYMax - FLogYMin);
    }
    return hp - hp * (y - yMin_) / (yMax_ - yMin_);
}

double LMyFFTDrawPhase::FrequencyIndex(double logHz) const {
    return CurveLength() * logHz / std::log10(HalfRate());
}

bool LMyFFTDrawPhase::SetPlotWidth(int width) {
    FPlotPage->Bitmap->SetSize(std::max(width, 0), FPlotPage->Height());
    FPlotPage->SourceRect.Right = std::max(width, 0);
    return true;
}

// ---- layout

std::string LMyFFTDrawPhase::XText(double v) const {
    return FloatText(v, xLabelFormat_, xLabelPrecision_, xLabelDigits_);
}

std::string LMyFFTDrawPhase::YText(double v) const {
    return FloatText(v, yLabelFormat_, yLabelPrecision_, yLabelDigits_);
}

LMyFFTDrawPhase::TLayout LMyFFTDrawPhase::MeasureLayout() {
    const int h = Height();
    TLayout r;
    r.B = h;
    r.BX = h;
    if (showXLabel_) {
        FXLabelPage->AssignFont(axisLabelFont_.get());
        r.B = ToPixel(r.B - 1.2 * FXLabelPage->Bitmap->Canvas()->TextHeight(XText(xMin_)));
    }
    if (showXTitle_) {
        FXTitlePage->AssignFont(axisTitleFont_.get());
        const int th = 2 * FXTitlePage->Bitmap->Canvas()->TextHeight(xTitle_);
        r.B -= th;
        r.BX -= th;
    }
    if (showYLabel_) {
        FYLabelPage->AssignFont(axisLabelFont_.get());
        const TCanvas& c = *FYLabelPage->Bitmap->Canvas();
        const int precision = std::max(xLabelPrecision_, yLabelPrecision_);
        const int digits = std::max(xLabelDigits_, yLabelDigits_);
        int widest = 0;
        for (int i = -100; i <= 100; ++i) {
            widest = std::max(widest, c.TextWidth(FloatText(kPi * std::pow(10.0, i), xLabelFormat_,
                                                            precision, digits)));
        }
        r.L += 4 + widest;
    }
    if (showYTitle_) {
        FYTitlePage->AssignFont(axisTitleFont_.get());
        FYTitleScratchPage->AssignFont(axisTitleFont_.get());
        const TCanvas& c = *FYTitlePage->Bitmap->Canvas();
        r.L += 2 * c.TextHeight(yTitle_);
        r.YT += 2 * c.TextHeight(yTitle_);
        r.TW = c.TextWidth(yTitle_);
        r.TH = c.TextHeight(yTitle_);
    }
    if (showPlotTitle_) {
        FPlotTitlePage->AssignFont(plotTitleFont_.get());
        r.T += 2 * FPlotTitlePage->Bitmap->Canvas()->TextHeight(plotTitle_);
    } else {
        r.T += 10;
    }
    if (showCoordinates_) {
        FCoordPage->AssignFont(mouseCoordFont_.get());
        const TCanvas& c = *FCoordPage->Bitmap->Canvas();
        int widest = 0;
        int height = 0;
        for (int i = -100; i <= 100; ++i) {
            const std::string text = "x = " + YText(kPi * std::pow(10.0, i));
            widest = std::max(widest, c.TextWidth(text));
            height = std::max(height, c.TextHeight(text));
        }
        const int e = 2 * height + 10;
        const int w = Width();
        FCoordPage->Place(w - widest - 5, r.T + 4, w - 5, r.T + e + 2);
    }
    return r;
}

void LMyFFTDrawPhase::PlacePages(const TLayout& r) {
    const int w = Width();
    const int h = Height();
    FPlotPage->Place(r.L, r.T, w - 10, r.B);
    FXLabelPage->Place(r.L, r.B, w - 10, r.BX);
    FXTitlePage->Place(r.L, r.BX, w - 10, h);
    FYLabelPage->Place(r.YT, r.T, r.L, h);
    FYTitlePage->Place(0, r.T, r.YT, h);
    FYTitleScratchPage->Place(0, 0, r.TW, r.TH);
    FPlotTitlePage->Place(0, 0, w - 10, r.T);
    FRightMarginPage->Place(w - 10, 0, w, h);
}

void LMyFFTDrawPhase::Loaded() {
    TPaintBox::Loaded();
    if (layoutPending_) ResizePaintPage();
}

void LMyFFTDrawPhase::ResizePaintPage() {
    // While its form loads, the stored properties would each measure every label again; the
    // layout is made once, with all of them, when the loading ends.
    if (ComponentState().Contains(csLoading)) {
        layoutPending_ = true;
        return;
    }
    layoutPending_ = false;
    ++labelGeneration_;
    TLayout r = MeasureLayout();
    // What does not fit is dropped, each direction once; a view too small even then shows
    // empty pages instead of laying itself out again without end.
    if (r.T > r.B) {
        showPlotTitle_ = false;
        showXLabel_ = false;
        showXTitle_ = false;
        r = MeasureLayout();
    }
    if (r.L > Width()) {
        showYLabel_ = false;
        showYTitle_ = false;
        r = MeasureLayout();
    }
    if (r.T < r.B && r.L < Width()) {
        PlacePages(r);
    } else if (r.T > r.B || r.L > Width()) {
        PlacePages(TLayout{0, 0, 0, 0, 0, 0, 0});
        FPlotPage->Place(0, 0, 0, 0);
    }
    RecomputeBlockPixels();
}

void LMyFFTDrawPhase::RecomputeBlockPixels() {
    for (int n = 0; n < kBlockCount; ++n)
        SetBlockPosition(ScreenX(FBlockX[n]), ScreenY(FBlockY[n]), n);
}

// ---- painting order

void LMyFFTDrawPhase::Paint() {
    if (Width() != FLastWidth || Height() != FLastHeight) {
        FLastWidth = Width();
        FLastHeight = Height();
        ResizePaintPage();
    }
    Redraw();
    TPaintBox::Paint();
}

void LMyFFTDrawPhase::Redraw() {
    DrawPlotsAndLabels();
    DrawTitles();
}

void LMyFFTDrawPhase::DrawPlotsAndLabels() {
    DrawPlotsAndLabelsNoUpdate();
    UpdatePaintPage(*FPlotPage);
}

void LMyFFTDrawPhase::DrawPlotsAndLabelsNoUpdate() {
    DrawAllPlots();
    DrawXAxisLabels();
    DrawYAxisLabels();
}

void LMyFFTDrawPhase::DrawAllPlots() {
    if (!CanDraw() || FPlotPage->Width() <= 0 || FPlotPage->Height() <= 0) return;
    // The plot page shows only when it is copied; several redraws asked for before then are
    // drawn once.
    plotsPending_ = true;
}

void LMyFFTDrawPhase::RenderPlotPage() {
    if (!plotsPending_) return;
    plotsPending_ = false;
    if (!CanDraw() || FPlotPage->Width() <= 0 || FPlotPage->Height() <= 0) return;
    TCanvas& c = *FPlotPage->Bitmap->Canvas();
    DrawFrameLayers(c);
    for (const TPlotListMember* m = FPlotList->Head(); m != nullptr; m = m->Next.get())
        DrawOnePlot(c, *m);
}

const TBitmap& LMyFFTDrawPhase::CleanPlotPage() {
    RenderPlotPage();
    return *FPlotPage->Bitmap;
}

void LMyFFTDrawPhase::DrawFrameLayers(TCanvas& c) {
    // The background, grid, ticks and axes depend only on what the key lists; while it stays
    // the same they are copied from the layer drawn last time.
    const std::vector<double> key = {static_cast<double>(FPlotPage->Width()),
                                     static_cast<double>(FPlotPage->Height()),
                                     static_cast<double>(Color()),
                                     static_cast<double>(axisColor_),
                                     static_cast<double>(gridColor_),
                                     static_cast<double>(axisStyle_),
                                     static_cast<double>(xAxisFormat_),
                                     static_cast<double>(yAxisFormat_),
                                     xMin_,
                                     xMax_,
                                     yMin_,
                                     yMax_,
                                     static_cast<double>(numHorzGrid_),
                                     static_cast<double>(numVertGrid_),
                                     static_cast<double>(showHorzGrid_),
                                     static_cast<double>(showVertGrid_),
                                     static_cast<double>(showHorzTicks_),
                                     static_cast<double>(showVertTicks_),
                                     static_cast<double>(horzTickLength_),
                                     static_cast<double>(vertTickLength_),
                                     static_cast<double>(FFTNuimber_),
                                     static_cast<double>(SampleRate_)};
    if (fastPaths_ && key == layerKey_) {
        FPlotPage->Bitmap->Assign(layer_.get());
        return;
    }
    FPlotPage->Fill(Color());
    DrawGrid(c);
    DrawTicks(c);
    DrawAxis(c);
    if (fastPaths_) {
        layer_->Assign(FPlotPage->Bitmap.get());
        layerKey_ = key;
    } else {
        layerKey_.clear();
    }
}

void LMyFFTDrawPhase::UpdatePaintPage(TPaintPage& page) {
    // While its form loads, each stored property would compose and copy the whole page again;
    // the first paint after the loading draws it once.
    if (ComponentState().Contains(csLoading)) return;
    if (&page == FPlotPage.get()) {
        ComposePlotPage();
        CopyToScreen(*composed_, page);
    } else {
        CopyToScreen(*page.Bitmap, page);
    }
}

void LMyFFTDrawPhase::UpdateCurvePage() { UpdatePaintPage(*FPlotPage); }

void LMyFFTDrawPhase::CopyToScreen(const TBitmap& bitmap, const TPaintPage& page) {
    if (page.SourceRect.Right <= 0 || page.SourceRect.Bottom <= 0) return;
    if (Parent() == nullptr) return;
    Canvas()->CopyRect(page.DestRect, bitmap.Canvas(), page.SourceRect);
}

void LMyFFTDrawPhase::ComposePlotPage() {
    RenderPlotPage();
    const TRect all = FPlotPage->SourceRect;
    if (all.Right <= 0 || all.Bottom <= 0) {
        composed_->SetSize(0, 0);
        return;
    }
    composed_->Assign(FPlotPage->Bitmap.get());
    TCanvas& c = *composed_->Canvas();
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(Color());
    BlockPaint(c);
    if (FLineVisible) LinePaint(c);
    TextPaint(c);
    CuveDisplayPaint(c);
}

void LMyFFTDrawPhase::RedrawScreen() {
    if (showXLabel_) UpdatePaintPage(*FXLabelPage);
    if (showXTitle_) UpdatePaintPage(*FXTitlePage);
    if (showYLabel_) UpdatePaintPage(*FYLabelPage);
    if (showYTitle_) UpdatePaintPage(*FYTitlePage);
    if (showPlotTitle_) UpdatePaintPage(*FPlotTitlePage);
    UpdatePaintPage(*FRightMarginPage);
    UpdatePaintPage(*FPlotPage);
}

void LMyFFTDrawPhase::ClearPlot() {
    const TColor bg = Color();
    if (showXLabel_) FXLabelPage->Fill(bg);
    if (showXTitle_) FXTitlePage->Fill(bg);
    if (showYLabel_) FYLabelPage->Fill(bg);
    if (showYTitle_) {
        FYTitlePage->Fill(bg);
        FYTitleScratchPage->Fill(bg);
    }
    if (showPlotTitle_) FPlotTitlePage->Fill(bg);
    FRightMarginPage->Fill(bg);
    FPlotPage->Fill(bg);
}

// ---- curves

bool LMyFFTDrawPhase::FFTDraw(const double* y, int count, int id, ViewColour colour,
                              TMyPlotStyle style) {
    if (count <= 0 || y == nullptr) return false;
    std::vector<double> x(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) x[static_cast<std::size_t>(i)] = i;
    return FFTDraw(x.data(), y, count, id, colour, style);
}

bool LMyFFTDrawPhase::FFTDraw(const double* y, int count, double xFirst, double xLast, int id,
                              TColor colour, TMyPlotStyle style) {
    if (count <= 0 || y == nullptr) return false;
    std::vector<double> x(static_cast<std::size_t>(count), xFirst);
    if (count > 1) {
        const double step = (xLast - xFirst) / (count - 1);
        for (int i = 0; i < count; ++i) x[static_cast<std::size_t>(i)] = xFirst + i * step;
    }
    return FFTDraw(x.data(), y, count, id, colour, style);
}

bool LMyFFTDrawPhase::FFTDraw(const double* x, const double* y, int count, int id, TColor colour,
                              TMyPlotStyle style) {
    if (count <= 0 || x == nullptr || y == nullptr) return false;
    const bool replaced = FPlotList->AddOrReplace(x, y, count, id, colour, style);
    FindXMaxMin();
    FindYMaxMin();
    if (autoRedraw_) DrawPlotsAndLabelsNoUpdate();
    return replaced;
}

bool LMyFFTDrawPhase::RemovePlot(int id) {
    if (!FPlotList->Remove(id)) return false;
    FindXMaxMin();
    FindYMaxMin();
    if (autoRedraw_) DrawPlotsAndLabelsNoUpdate();
    return true;
}

bool LMyFFTDrawPhase::GetPlotStyle(TMyPlotStyle& out, int id) const {
    const TPlotListMember* m = FPlotList->Find(id);
    if (m != nullptr) out = m->PlotStyle;
    return m != nullptr;
}

bool LMyFFTDrawPhase::GetPlotColor(TColor& out, int id) const {
    const TPlotListMember* m = FPlotList->Find(id);
    if (m != nullptr) out = m->PlotColor;
    return m != nullptr;
}

bool LMyFFTDrawPhase::GetPlotNumPoints(int& out, int id) const {
    const TPlotListMember* m = FPlotList->Find(id);
    if (m != nullptr) out = m->NumPoints;
    return m != nullptr;
}

bool LMyFFTDrawPhase::GetPlotX(std::vector<double>& out, int id) const {
    const TPlotListMember* m = FPlotList->Find(id);
    if (m != nullptr) out = m->XValues;
    return m != nullptr;
}

bool LMyFFTDrawPhase::GetPlotY(std::vector<double>& out, int id) const {
    const TPlotListMember* m = FPlotList->Find(id);
    if (m != nullptr) out = m->YValues;
    return m != nullptr;
}

bool LMyFFTDrawPhase::SetPlotStyle(TMyPlotStyle style, int id) {
    TPlotListMember* m = FPlotList->Find(id);
    if (m == nullptr) return false;
    m->PlotStyle = style;
    if (autoRedraw_) DrawAllPlots();
    return true;
}

bool LMyFFTDrawPhase::SetPlotColor(TColor colour, int id) {
    TPlotListMember* m = FPlotList->Find(id);
    if (m == nullptr) return false;
    m->PlotColor = colour;
    RenderPlotPage();
    if (FPlotPage->Width() > 0) DrawOnePlot(*FPlotPage->Bitmap->Canvas(), *m);
    RedrawScreen();
    return true;
}

void LMyFFTDrawPhase::DrawOnePlot(TCanvas& c, const TPlotListMember& plot) {
    if (!CanDraw() || plot.NumPoints <= 0) return;
    const int wp = FPlotPage->Width();
    const int hp = FPlotPage->Height();
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetWidth(2);
    c.Pen()->SetColor(plot.PlotColor);
    c.Brush()->SetStyle(bsSolid);
    const bool filled =
        plot.PlotStyle == mpsFilledSquares || plot.PlotStyle == mpsLineFilledSquares;
    c.Brush()->SetColor(filled ? plot.PlotColor : Color());
    const int ps = pointSize_;
    int lastX = ToPixel(ScreenX(plot.XValues[0]));
    int lastY = ToPixel(ScreenY(plot.YValues[0]));
    c.MoveTo(lastX, lastY);
    // A segment of the 2-pixel pen whose ends both lie more than 2 pixels beyond the same edge
    // leaves no pixel on the page, and one of no length draws nothing.
    auto invisible = [&](int x0, int y0, int x1, int y1) {
        if (x0 == x1 && y0 == y1) return true;
        constexpr int kReach = 3;
        return (x0 < -kReach && x1 < -kReach) || (y0 < -kReach && y1 < -kReach) ||
               (x0 >= wp + kReach && x1 >= wp + kReach) || (y0 >= hp + kReach && y1 >= hp + kReach);
    };
    for (int i = 0; i < plot.NumPoints; ++i) {
        const int px = ToPixel(ScreenX(plot.XValues[static_cast<std::size_t>(i)]));
        const int py = ToPixel(ScreenY(plot.YValues[static_cast<std::size_t>(i)]));
        const int fromX = lastX, fromY = lastY;
        lastX = px;
        lastY = py;
        if (px < -2 * wp || px >= 3 * wp || py < -2 * hp || py >= 3 * hp) {
            c.MoveTo(px, py);
            continue;
        }
        switch (plot.PlotStyle) {
            case mpsLine:
                if (fastPaths_ && invisible(fromX, fromY, px, py)) {
                    c.MoveTo(px, py);
                } else {
                    c.LineTo(px, py);
                }
                break;
            case mpsFilledSquares:
            case mpsBackgroundSquares: c.Rectangle(px - ps, py - ps, px + ps, py + ps); break;
            case mpsLineFilledSquares:
            case mpsLineBackgroundSquares:
                c.LineTo(px, py);
                c.Rectangle(px - ps, py - ps, px + ps, py + ps);
                c.MoveTo(px, py);
                break;
            default: break;
        }
    }
    c.Pen()->SetWidth(2);
}

// ---- markers

void LMyFFTDrawPhase::DrawBlock(double y, double x, ViewColour colour, int n, bool hidden,
                                int type) {
    if (n < 0 || n >= kBlockCount) return;
    FBlockX[n] = x;
    FBlockY[n] = y;
    FBlockColor[n] = colour;
    SetBlockPosition(ScreenX(x), ScreenY(y), n);
    // Shown with the next copy of the plot page, where the markers are composed.
    FBlockType[n] = type;
    FBlockHidden[n] = hidden;
}

int LMyFFTDrawPhase::SetBlockParameter(int n, double freqHz, double gainDb, double q, int kind) {
    if (n < 0 || n >= kBlockCount) return n;
    FBlockFreq[n] = freqHz;
    FBlockGain[n] = gainDb;
    FBlockQ[n] = q;
    FBlockKind[n] = kind;
    return n;
}

void LMyFFTDrawPhase::SetBlockPosition(double px, double py, int n) {
    if (n < 0 || n >= kBlockCount) return;
    FBlockPixelX[n] = px;
    FBlockPixelY[n] = py;
    FBlockPos[n] = TPoint{ToPixel(px), ToPixel(py)};
}

TPoint LMyFFTDrawPhase::GetBlockPos(int n) const {
    if (n < 0 || n >= kBlockCount) return TPoint{0, 0};
    return FBlockPos[n];
}

bool LMyFFTDrawPhase::DrawMarkerShape(TCanvas& c, int type, int px, int py, int slot) {
    c.Brush()->SetStyle(bsDiagCross);
    switch (type) {
        case 0:
        case 2:
        case 3: c.Rectangle(px - 3, py - 3, px + 3, py + 3); break;
        case 1: c.Ellipse(px - 3, py - 3, px + 3, py + 3); break;
        default: return false;
    }
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetColor(clWhite);
    if (type == 2 || type == 3) {
        c.Font()->SetSize(8);
        c.TextOut(px - 8, py - 20, type == 2 ? "LPF" : "HPF");
        c.Font()->SetSize(FTextSize);
    } else {
        c.Font()->SetSize(11);
        c.TextOut(px - 3, py - 23, Format("%d", slot + 1));
    }
    return true;
}

int LMyFFTDrawPhase::BlockCaptionKind(double filterKind) const {
    if (filterKind == 7) return 5;
    if (filterKind == 17) return 6;
    return ToPixel(filterKind - 1);
}

void LMyFFTDrawPhase::BlockPaint(TCanvas& c) {
    for (int n = 0; n < kBlockCount; ++n) {
        if (FBlockHidden[n]) continue;
        const int px = ToPixel(ScreenX(FBlockX[n]));
        const int py = ToPixel(ScreenY(FBlockY[n]));
        c.Pen()->SetStyle(psSolid);
        c.Pen()->SetColor(FBlockColor[n]);
        c.Pen()->SetWidth(5);
        DrawMarkerShape(c, FBlockType[n], px, py, n);
        if (FBlockType[n] == 1 && FParameterDisplay &&
            (FCurveX != FBlockX[n] || FCurveGain != FBlockY[n])) {
            ShowParam(c, BlockCaptionKind(FBlockKind[n]), FBlockGain[n], FBlockX[n],
                      static_cast<float>(FBlockFreq[n]), FBlockQ[n], clWhite, false);
        }
        c.Pen()->SetWidth(1);
    }
    c.Brush()->SetStyle(bsSolid);
}

// ---- captions and the selected band

LMyFFTDrawPhase::TCaptionLines LMyFFTDrawPhase::CaptionLines(int kind, bool selected) const {
    TCaptionLines lines;
    const bool three = kind >= 0 && kind <= 2;
    const bool freqOnly = kind == 5 || kind == 10 || kind == 11;
    const bool twoLines = selected ? !three && !freqOnly : (kind == 3 || kind == 4 || kind == 6);
    if (three) {
        lines = {true, true, true, {-69, -56, -43}, {20, 33, 46}};
    } else if (freqOnly) {
        lines = {false, true, false, {0, -43, 0}, {0, 20, 0}};
    } else if (twoLines) {
        lines = {true, true, false, {-69, -56, 0}, {20, 33, 0}};
    }
    return lines;
}

void LMyFFTDrawPhase::ShowParam(TCanvas& c, int kind, double gain, double x, float freq, double q,
                                TColor colour, bool selected) {
    const double px = ScreenX(x);
    const double py = ScreenY(gain);
    c.Pen()->SetColor(colour);
    c.Pen()->SetWidth(1);
    c.Font()->SetColor(colour);
    c.Font()->SetSize(8);
    c.Brush()->SetStyle(bsClear);
    const TCaptionLines lines = CaptionLines(kind, selected);
    const std::array<int, 3>& offsets = gain <= 0 ? lines.above : lines.below;
    const int left = ToPixel(px - 20);
    if (lines.q) c.TextOut(left, ToPixel(py + offsets[0]), Format("Q:%4.2f", q));
    if (lines.freq) {
        const std::string text = freq < 1000 ? Format("%4.1fHz", static_cast<double>(freq))
                                             : Format("%4.2fKHz", freq * 0.001);
        c.TextOut(left, ToPixel(py + offsets[1]), text);
    }
    if (lines.gain) c.TextOut(left, ToPixel(py + offsets[2]), Format("%4.1fdB", gain));
    c.Font()->SetSize(FTextSize);
    c.Brush()->SetStyle(bsSolid);
}

void LMyFFTDrawPhase::DrawParam(int kind, double gainDb, double x, float freqHz, double q,
                                ViewColour colour) {
    FCurveKind = kind;
    FCurveGain = gainDb;
    FCurveX = x;
    FCurveFreq = freqHz;
    FCurveQ = q;
    FCurveColor = colour;
}

void LMyFFTDrawPhase::DrawCurveFill(int /*kind*/, const double* values, int count) {
    count = std::clamp(count, 0, kCurvePointCount);
    if (values != nullptr) std::copy(values, values + count, FCurvePoints.begin());
}

void LMyFFTDrawPhase::CuveDisplayPaint(TCanvas& c) {
    if (!FCurveDisplay) return;
    ShowParam(c, FCurveKind, FCurveGain, FCurveX, FCurveFreq, FCurveQ, FCurveColor, true);
    PaintFill(c);
}

void LMyFFTDrawPhase::PaintFill(TCanvas& c) {
    const double wp = FPlotPage->Width();
    const double hp = FPlotPage->Height();
    std::vector<TGPPoint> points(FCurvePoints.size());
    for (std::size_t i = 0; i < FCurvePoints.size(); ++i) {
        points[i] = MakeGPPoint(ToPixel(wp * (static_cast<double>(i) - xMin_) / (xMax_ - xMin_)),
                                ToPixel(hp - hp * (FCurvePoints[i] - yMin_) / (yMax_ - yMin_)));
    }
    TGPGraphics graphics(&c);
    const ARGB shade = ColorToArgbWithAlpha(30, 0x808080);
    TGPGraphicsPath path(FillModeAlternate);
    path.AddCurve(points.data(), static_cast<INT>(points.size()), 0.5F);
    // The outline follows the curve only; the closing segments are filled, not drawn.
    TGPPen pen(shade, 1.0F);
    graphics.DrawPath(&pen, &path);
    const auto x10 = static_cast<REAL>(ScreenX(10.0));
    const auto x20k = static_cast<REAL>(ScreenX(20000.0));
    const auto y0 = static_cast<REAL>(ScreenY(0.0));
    const auto yt = static_cast<REAL>(ScreenY(yMax_));
    const auto yb = static_cast<REAL>(ScreenY(yMin_));
    const double g = FCurveGain;
    switch (FCurveKind) {
        case 0: path.AddLine(x10, y0, x20k, y0); break;
        case 1:
            path.AddLine(x20k, y0, x10, y0);
            path.AddLine(x10, y0, x10, g >= 0 ? yt : yb);
            break;
        case 2:
            path.AddLine(x20k, g >= 0 ? yt : yb, x20k, y0);
            path.AddLine(x20k, y0, x10, y0);
            break;
        default:
            if (FCurveKind >= 3) {
                path.AddLine(x20k, y0, x20k, yb);
                path.AddLine(x20k, yb, x10, yb);
            }
            break;
    }
    TGPSolidBrush brush(shade);
    graphics.FillPath(&brush, &path);
}

// ---- text overlay and marker line

void LMyFFTDrawPhase::DrawTextA(int x, int y, int size, TColor colour, const std::string& fontName,
                                const std::string& text) {
    FTextX = x;
    FTextY = y;
    FTextSize = size;
    FTextColor = colour;
    FTextFont = fontName;
    FText = text;
}

void LMyFFTDrawPhase::TextPaint(TCanvas& c) {
    if (FText.empty()) return;
    c.Font()->SetSize(FTextSize);
    c.Font()->SetColor(FTextColor);
    if (!FTextFont.empty()) c.Font()->SetName(FTextFont);
    c.Brush()->SetStyle(bsClear);
    c.TextOut(FTextX, FTextY, FText);
    c.Brush()->SetStyle(bsSolid);
}

void LMyFFTDrawPhase::DrawLine(double x, TColor colour, bool marker) {
    FLineX = x;
    FLineColor = colour;
    FLineMarker = marker;
    FLineVisible = true;
    FLinePixelX = ToPixel(ScreenX(x));
}

void LMyFFTDrawPhase::LinePaint(TCanvas& c) {
    const int px = ToPixel(ScreenX(FLineX));
    c.Pen()->SetColor(clRed);
    c.Pen()->SetWidth(1);
    c.Pen()->SetStyle(psDot);
    c.MoveTo(px, 0);
    c.LineTo(px, Height() - 10);
    c.Pen()->SetStyle(psSolid);
    if (FLineMarker) {
        const int py = ToPixel(ScreenY(-3.0));
        c.Pen()->SetColor(clYellow);
        c.Brush()->SetStyle(bsClear);
        c.Rectangle(px - 4, py - 4, px + 4, py + 4);
        c.Brush()->SetStyle(bsSolid);
    }
    FLinePixelX = px;
}

}  // namespace dsp
