// The frame of a response view: axis lines, grid, ticks, frequency and level labels, titles.

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "components/LMyFFTDrawPhase.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

namespace {

int ToPixel(double v) {
    if (std::isnan(v)) return -1000000000;
    return static_cast<int>(std::fmax(-1.0e9, std::fmin(1.0e9, v)));
}

// log10 of 20, 100, 1000, 10000, 20000, 50, 200, 500, 2000 and 5000 Hz: narrow views label
// the first four.
constexpr double kFrequencyLabels[10] = {1.301029996, 2.0,         3.0,         4.0,
                                         4.301029996, 1.698970004, 2.301029996, 2.698970004,
                                         3.301029996, 3.698970004};

void TextOn(TCanvas& c, int x, int y, const std::string& text) {
    c.Brush()->SetStyle(bsClear);
    c.TextOut(x, y, text);
    c.Brush()->SetStyle(bsSolid);
}

}  // namespace

void LMyFFTDrawPhase::DrawAxis(TCanvas& c) {
    if (!CanDraw()) return;
    const int wp = FPlotPage->Width();
    const int hp = FPlotPage->Height();
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetWidth(1);
    c.Pen()->SetColor(axisColor_);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(axisColor_);
    const bool box = axisStyle_ == TMyAxisStyle::Box || axisStyle_ == TMyAxisStyle::CenteredBox;
    const bool centred =
        axisStyle_ == TMyAxisStyle::Centered || axisStyle_ == TMyAxisStyle::CenteredBox;
    if (box) c.FrameRect(Rect(0, 0, wp, hp));
    if (centred) {
        if (yMax_ != yMin_) {
            const int y = ToPixel(ScreenY(0));
            c.MoveTo(0, y);
            c.LineTo(wp, y);
        }
        if (xMax_ != xMin_) {
            const int x = ToPixel(ScreenX(0));
            c.MoveTo(x, 0);
            c.LineTo(x, hp);
        }
    }
    if (axisStyle_ == TMyAxisStyle::None) {
        c.MoveTo(0, 0);
        c.LineTo(0, hp - 1);
        c.LineTo(wp, hp - 1);
    }
}

void LMyFFTDrawPhase::DrawGrid(TCanvas& c) {
    const int wp = FPlotPage->Width();
    const int hp = FPlotPage->Height();
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetWidth(1);
    c.Pen()->SetColor(gridColor_);
    auto across = [&](double value) {
        const int y = ToPixel(ScreenY(value));
        c.MoveTo(0, y);
        c.LineTo(wp, y);
    };
    auto down = [&](double value) {
        const int x = ToPixel(ScreenX(value));
        c.MoveTo(x, 0);
        c.LineTo(x, hp);
    };
    if (showHorzGrid_) {
        if (yAxisFormat_ == TMyAxisFormat::Linear) {
            const double step = (yMax_ - yMin_) / (numHorzGrid_ + 1);
            for (int k = 1; k <= numHorzGrid_; ++k) across(yMin_ + k * step);
        } else {
            for (int d = ToPixel(std::floor(std::log10(yMin_))); d < std::log10(yMax_); ++d) {
                const double low = std::pow(10.0, d);
                const double high = std::pow(10.0, d + 1);
                across(low);
                for (int k = 1; k <= numHorzGrid_; ++k)
                    across(low + k * (high - low) / (numHorzGrid_ + 1));
            }
        }
    }
    if (showVertGrid_) {
        if (xAxisFormat_ == TMyAxisFormat::Linear) {
            for (int a = 1; a <= 14; ++a) {
                for (int i = 1; i <= 10; ++i) {
                    c.Pen()->SetColor(i == 1 ? axisColor_ : gridColor_);
                    down(FrequencyIndex(std::log10(std::pow(10.0, a) * i)));
                }
            }
        } else {
            c.Pen()->SetColor(gridColor_);
            for (int d = ToPixel(std::floor(std::log10(xMin_))); d < std::log10(xMax_); ++d) {
                const double low = std::pow(10.0, d);
                const double high = std::pow(10.0, d + 1);
                down(low);
                for (int k = 1; k <= numVertGrid_; ++k)
                    down(low + k * (high - low) / (numVertGrid_ + 1));
            }
        }
    }
}

void LMyFFTDrawPhase::DrawTicks(TCanvas& c) {
    const int hp = FPlotPage->Height();
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetWidth(1);
    c.Pen()->SetColor(axisColor_);
    auto horizontal = [&](double value) {
        if (horzTickLength_ == 0) return;
        const int y = ToPixel(ScreenY(value));
        c.MoveTo(0, y);
        c.LineTo(horzTickLength_, y);
    };
    auto vertical = [&](double value, int length) {
        const int x = ToPixel(ScreenX(value));
        c.MoveTo(x, hp);
        c.LineTo(x, hp - length);
    };
    if (showHorzTicks_) {
        if (yAxisFormat_ == TMyAxisFormat::Linear) {
            const double step = (yMax_ - yMin_) / (numHorzGrid_ + 1);
            for (int k = 1; k <= numHorzGrid_; ++k) horizontal(yMin_ + k * step);
        } else {
            for (int d = ToPixel(std::floor(std::log10(yMin_))); d < std::log10(yMax_); ++d) {
                const double low = std::pow(10.0, d);
                const double high = std::pow(10.0, d + 1);
                horizontal(low);
                for (int k = 1; k <= numHorzGrid_; ++k)
                    horizontal(low + k * (high - low) / (numHorzGrid_ + 1));
            }
        }
    }
    if (showVertTicks_) {
        if (xAxisFormat_ == TMyAxisFormat::Linear) {
            for (int a = 1; a <= 14; ++a) {
                for (int i = 1; i <= 10; ++i) {
                    vertical(FrequencyIndex(std::log10(std::pow(10.0, a) * i)),
                             vertTickLength_ + 2);
                }
            }
        } else {
            for (int d = ToPixel(std::floor(std::log10(xMin_))); d < std::log10(xMax_); ++d) {
                const double low = std::pow(10.0, d);
                const double high = std::pow(10.0, d + 1);
                vertical(low, vertTickLength_);
                for (int k = 1; k <= numVertGrid_; ++k)
                    vertical(low + k * (high - low) / (numVertGrid_ + 1), vertTickLength_);
            }
        }
    }
}

std::vector<double> LMyFFTDrawPhase::LabelKey(int which) const {
    const TPaintPage& page = which == 0 ? *FXLabelPage : *FYLabelPage;
    const TFont& font = *axisLabelFont_;
    return {static_cast<double>(which),
            static_cast<double>(page.Width()),
            static_cast<double>(page.Height()),
            static_cast<double>(Width() >= 800),
            static_cast<double>(Color()),
            static_cast<double>(std::hash<std::string>{}(font.Name())),
            static_cast<double>(font.Height()),
            static_cast<double>(font.Color()),
            static_cast<double>(font.Style().Bits()),
            xMin_,
            xMax_,
            yMin_,
            yMax_,
            yLabelScale_,
            static_cast<double>(std::hash<std::string>{}(yLabel_)),
            static_cast<double>(numHorzGrid_),
            static_cast<double>(xAxisFormat_),
            static_cast<double>(yAxisFormat_),
            static_cast<double>(xLabelFormat_),
            static_cast<double>(yLabelFormat_),
            static_cast<double>(xLabelPrecision_),
            static_cast<double>(yLabelPrecision_),
            static_cast<double>(xLabelDigits_),
            static_cast<double>(yLabelDigits_),
            static_cast<double>(FFTNuimber_),
            static_cast<double>(SampleRate_),
            static_cast<double>(labelGeneration_)};
}

void LMyFFTDrawPhase::DrawXAxisLabels() {
    if (!showXLabel_ || FXLabelPage->Width() <= 0 || FXLabelPage->Height() <= 0) return;
    // Drawn again only when something it shows has changed; copied every time.
    std::vector<double> key = LabelKey(0);
    if (fastPaths_ && key == xLabelKey_) {
        UpdatePaintPage(*FXLabelPage);
        return;
    }
    xLabelKey_ = fastPaths_ ? std::move(key) : std::vector<double>{};
    FXLabelPage->Fill(Color());
    FXLabelPage->AssignFont(axisLabelFont_.get());
    TCanvas& c = *FXLabelPage->Surface().Canvas();
    const int count = Width() >= 800 ? 10 : 4;
    for (int k = 0; k < count; ++k) {
        const double v = kFrequencyLabels[k];
        const double x = ScreenX(FrequencyIndex(v));
        const double f = std::pow(10.0, v);
        const std::string text = f < 1000 ? XText(f) + "Hz" : XText(f * 0.001) + "K" + "Hz";
        TextOn(c, ToPixel(x - 0.5 * c.TextWidth(text)), 1, text);
    }
    UpdatePaintPage(*FXLabelPage);
}

std::string LMyFFTDrawPhase::LevelLabel(double value) const {
    return YText(value * yLabelScale_) + yLabel_;
}

void LMyFFTDrawPhase::DrawYAxisLabels() {
    if (!showYLabel_ || FYLabelPage->Width() <= 0 || FYLabelPage->Height() <= 0) return;
    std::vector<double> key = LabelKey(1);
    if (fastPaths_ && key == yLabelKey_) {
        UpdatePaintPage(*FYLabelPage);
        return;
    }
    yLabelKey_ = fastPaths_ ? std::move(key) : std::vector<double>{};
    FYLabelPage->Fill(Color());
    FYLabelPage->AssignFont(axisLabelFont_.get());
    TCanvas& c = *FYLabelPage->Surface().Canvas();
    const int pageWidth = FYLabelPage->Width();
    auto write = [&](int y, const std::string& text) {
        TextOn(c, pageWidth - c.TextWidth(text) - 2, y, text);
    };
    if (yAxisFormat_ == TMyAxisFormat::Linear) {
        write(0, "+" + LevelLabel(yMax_));
        const std::string bottom = LevelLabel(yMin_);
        write(ToPixel(ScreenY(yMin_) - c.TextHeight(bottom)), bottom);
        const double step = (yMax_ - yMin_) / (numHorzGrid_ + 1);
        for (int j = 2; j <= numHorzGrid_; j += 2) {
            const double v = yMin_ + j * step;
            std::string text = LevelLabel(step * j + yMin_);
            if (v > 0) text = "+" + text;
            write(ToPixel(ScreenY(v) - ToPixel(c.TextHeight(text) / 2.0)), text);
        }
    } else {
        for (int d = ToPixel(std::floor(std::log10(yMin_))) + 1; d < std::log10(yMax_); ++d) {
            const std::string text = YText(std::pow(10.0, d * yLabelScale_)) + yLabel_;
            write(ToPixel(ScreenY(std::pow(10.0, d)) - ToPixel(c.TextHeight(text) / 2.0)), text);
        }
    }
    UpdatePaintPage(*FYLabelPage);
}

void LMyFFTDrawPhase::DrawTitles() {
    const TColor bg = Color();
    if (FPlotTitlePage->Width() > 0 && FPlotTitlePage->Height() > 0) {
        FPlotTitlePage->Fill(bg);
        if (showPlotTitle_) {
            FPlotTitlePage->AssignFont(plotTitleFont_.get());
            TCanvas& c = *FPlotTitlePage->Surface().Canvas();
            const int w = c.TextWidth(plotTitle_);
            const int h = c.TextHeight(plotTitle_);
            TextOn(c, (FPlotPage->Width() - w) / 2 + FPlotPage->DestRect.Left,
                   FPlotTitlePage->Height() - 3 * h / 2, plotTitle_);
        }
        UpdatePaintPage(*FPlotTitlePage);
    }
    if (showXTitle_ && FXTitlePage->Width() > 0) {
        FXTitlePage->Fill(bg);
        FXTitlePage->AssignFont(axisTitleFont_.get());
        TCanvas& c = *FXTitlePage->Surface().Canvas();
        const int w = c.TextWidth(xTitle_);
        const int h = c.TextHeight(xTitle_);
        TextOn(c, (FXTitlePage->Width() - w) / 2, FXTitlePage->Height() - 3 * h / 2, xTitle_);
        UpdatePaintPage(*FXTitlePage);
    }
    if (showYTitle_ && FYTitlePage->Width() > 0) {
        FYTitlePage->Fill(bg);
        FYTitleScratchPage->Fill(bg);
        FYTitlePage->AssignFont(axisTitleFont_.get());
        FYTitleScratchPage->AssignFont(axisTitleFont_.get());
        TCanvas& c = *FYTitlePage->Surface().Canvas();
        const int w = c.TextWidth(yTitle_);
        const int h = c.TextHeight(yTitle_);
        if (FYTitleScratchPage->Width() > 0)
            TextOn(*FYTitleScratchPage->Surface().Canvas(), 0, 0, yTitle_);
        TextOn(c, h / 2, (FPlotPage->Height() - w) / 2, yTitle_);
        UpdatePaintPage(*FYTitlePage);
    }
    if (FRightMarginPage->Width() > 0) {
        FRightMarginPage->Fill(bg);
        UpdatePaintPage(*FRightMarginPage);
    }
}

}  // namespace dsp
