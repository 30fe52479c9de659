#include "plot/engine/iPlotLegend.h"

#include <algorithm>

#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"
#include "framework/text/Utf8.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

namespace {

int Rnd(double value) { return static_cast<int>(Round(value)); }

int CeilDiv(int a, int b) { return b <= 0 ? a : (a + b - 1) / b; }

}  // namespace

TiPlotLegend::TiPlotLegend(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                           TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotLayoutObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                         std::move(onRename)),
      FFont(std::make_unique<TFont>()),
      selectedItemFont_(std::make_unique<TFont>()),
      FColumnTitlesFont(std::make_unique<TFont>()) {
    FFont->SetColor(clWhite);
    selectedItemFont_->SetColor(clBlack);
    FColumnTitlesFont->SetColor(clAqua);
    FColumnTitlesFont->SetStyle(TFontStyles{fsBold});
    for (TFont* font : {FFont.get(), selectedItemFont_.get(), FColumnTitlesFont.get()}) {
        font->OnChange = [this](TObject*) { DoChange(); };
    }
    SetHorizontal(false);

    auto makeButton = [this](int step) {
        auto button = std::make_unique<TiPlotLegendButton>(Owner(), step < 0);
        button->SetTimerEnabled(true);
        button->SetVisible(false);
        button->OnInvalidate = [this](TObject*) { InvalidateNow(); };
        button->OnClick = [this, step](TObject*) {
            const int next = FItemViewStartIndex + step;
            if (step < 0 ? FItemViewStartIndex > 0
                         : FItemViewStartIndex < static_cast<int>(FItemList.size()) - 1) {
                SetItemViewStartIndex(next);
            }
        };
        return button;
    };
    FUpButton = makeButton(-1);
    FDownButton = makeButton(+1);
}

TiPlotLegend::~TiPlotLegend() {
    for (TFont* font : {FFont.get(), selectedItemFont_.get(), FColumnTitlesFont.get()}) {
        font->OnChange = nullptr;
    }
}

void TiPlotLegend::SetItemViewStartIndex(int value) { Store(value, FItemViewStartIndex); }

void TiPlotLegend::NotificationSetFocus(TiPlotObject* sender) {
    if (sender != this && sender != nullptr && sender->UserSelected()) SetUserSelected(false);
}

void TiPlotLegend::ClearPopupMenuItems(TPopupMenu* popupMenu) {
    TiPlotLayoutObject::ClearPopupMenuItems(popupMenu);
    AddEditMenuItem(popupMenu);
}

// ---- item texts

std::string TiPlotLegend::ChannelLabel(const TiPlotChannelCustom* channel) const {
    return Trim(channel->TitleText()).empty() ? channel->Name() : channel->TitleText();
}

namespace {

std::string AxisTitle(const TiPlotAxis* axis, const TiPlotLegend& legend) {
    if (axis == nullptr) return legend.TranslateString("None");
    return Trim(axis->Title()).empty() ? axis->Name() : axis->Title();
}

}  // namespace

std::string TiPlotLegend::XAxisTitleText(const TiPlotChannelCustom* channel) const {
    return AxisTitle(channel->GetXAxis(), *this);
}

std::string TiPlotLegend::YAxisTitleText(const TiPlotChannelCustom* channel) const {
    return AxisTitle(channel->GetYAxis(), *this);
}

std::string TiPlotLegend::XValueText(const TiPlotChannelCustom* channel) const {
    if (channel->GetCount() == 0) return TranslateString("Empty");
    TiPlotXAxis* axis = channel->GetXAxis();
    if (axis == nullptr) return TranslateString("N/A");
    return axis->GetLegendText(channel->GetDataX(channel->GetCount() - 1));
}

std::string TiPlotLegend::YValueText(const TiPlotChannelCustom* channel) const {
    if (channel->GetCount() == 0) return TranslateString("Empty");
    TiPlotYAxis* axis = channel->GetYAxis();
    if (axis == nullptr) return TranslateString("N/A");
    return axis->GetLegendText(channel->GetDataY(channel->GetCount() - 1));
}

std::string TiPlotLegend::YStatisticText(const TiPlotChannelCustom* channel, double value) const {
    if (channel->GetCount() == 0) return TranslateString("Empty");
    TiPlotYAxis* axis = channel->GetYAxis();
    if (axis == nullptr) return TranslateString("N/A");
    return axis->GetLegendText(value);
}

// ---- layout

int TiPlotLegend::GetRequiredWidth(TCanvas* canvas) {
    Layout(canvas);
    return IsHorz() ? FRequiredHeight : FRequiredWidth;
}

void TiPlotLegend::Layout(TCanvas* canvas) {
    FColumnList.clear();
    canvas->Font()->Assign(FFont.get());
    const int w0 = GetMaxLineWidth(canvas, "0");
    const int h0 = GetTextHeight(canvas, "0");
    const int marginTop = Rnd(h0 * FMarginTop);
    const int marginBottom = Rnd(h0 * FMarginBottom);
    const int marginLeft = Rnd(w0 * FMarginLeft);
    const int marginRight = Rnd(w0 * FMarginRight);
    const TRect d = DrawRect();
    FInnerRect = {d.Left + marginLeft, d.Top + marginTop, d.Right - marginRight,
                  d.Bottom - marginBottom};

    FColumnSpacingPixels = Rnd(w0 * FColumnSpacing);
    FRowSpacingPixels = Rnd(h0 * wrapRowSpacingMin_);
    FWrapSpacingPixels = Rnd(h0 * wrapColSpacingMin_);
    FItemHeight = h0;
    FMaxItemHeight = 0;
    FColumnWidth = 0;
    FColumnTitlesHeightPixels = 0;
    FColumnTitlesMarginPixels = 0;
    FMaxWidthLine = FMaxWidthMarker = FMaxWidthChannelLabel = 0;
    FMaxWidthXName = FMaxWidthYName = FMaxWidthXValue = FMaxWidthYValue = 0;
    FMaxWidthYMax = FMaxWidthYMin = FMaxWidthYMean = 0;
    FShowColumnXValue2 = showColumnXValue_ || FCursorAllChannels;
    FShowColumnYValue2 = showColumnYValue_ || FCursorAllChannels;

    FItemList.clear();
    if (Plot() != nullptr) {
        for (int i = 0; i < Plot()->ChannelCount(); ++i) {
            TiPlotChannelCustom* channel = Plot()->GetChannel(i);
            if (channel->VisibleInLegend()) FItemList.push_back({channel});
        }
    }
    const int n = static_cast<int>(FItemList.size());
    // Without items the legend keeps the size of its last layout that had some.
    if (n == 0) return;

    FItemViewStartIndex = std::clamp(FItemViewStartIndex, 0, n - 1);

    if (channelNameMaxWidth_ != 0) {
        FMaxWidthChannelLabel = Rnd(w0 * channelNameMaxWidth_);
        for (TiPlotLegendItem& item : FItemList) {
            const std::string label = ChannelLabel(item.Channel);
            canvas->Font()->Assign(FFont.get());
            int height = GetWrappedTextHeight(canvas, label, FMaxWidthChannelLabel);
            canvas->Font()->Assign(selectedItemFont_.get());
            height = std::max(height, GetWrappedTextHeight(canvas, label, FMaxWidthChannelLabel));
            item.MaxHeight = height;
        }
    } else {
        for (TiPlotLegendItem& item : FItemList) {
            const std::string label = ChannelLabel(item.Channel);
            item.MaxHeight = h0;
            canvas->Font()->Assign(FFont.get());
            FMaxWidthChannelLabel = std::max(FMaxWidthChannelLabel, GetMaxLineWidth(canvas, label));
            canvas->Font()->Assign(selectedItemFont_.get());
            FMaxWidthChannelLabel = std::max(FMaxWidthChannelLabel, GetMaxLineWidth(canvas, label));
        }
    }
    for (const TiPlotLegendItem& item : FItemList) {
        FMaxItemHeight = std::max(FMaxItemHeight, item.MaxHeight);
    }

    if (FColumnTitlesVisible) {
        canvas->Font()->Assign(FColumnTitlesFont.get());
        FColumnTitlesHeightPixels = GetTextHeight(canvas, "0");
        FColumnTitlesMarginPixels = FColumnTitlesHeightPixels / 4;
        auto widen = [&](int& width, const std::string& caption) {
            width = std::max(width, GetMaxLineWidth(canvas, TranslateString(caption)));
        };
        widen(FMaxWidthChannelLabel, captionColumnTitle_);
        if (FShowColumnXName) widen(FMaxWidthXName, FCaptionColumnXName);
        if (FShowColumnYName) widen(FMaxWidthYName, FCaptionColumnYName);
        if (FShowColumnXValue2) widen(FMaxWidthXValue, captionColumnXValue_);
        if (FShowColumnYValue2) widen(FMaxWidthYValue, captionColumnYValue_);
        if (showColumnYMax_) widen(FMaxWidthYMax, captionColumnYMax_);
        if (showColumnYMin_) widen(FMaxWidthYMin, captionColumnYMin_);
        if (showColumnYMean_) widen(FMaxWidthYMean, captionColumnYMean_);
    }

    if (showColumnLine_) FMaxWidthLine = lineColumnWidth_ + 3;
    if (showColumnMarker_) FMaxWidthMarker = lineColumnWidth_ + 3;

    for (const TiPlotLegendItem& item : FItemList) {
        const TiPlotChannelCustom* channel = item.Channel;
        canvas->Font()->Assign(FFont.get());
        auto widen = [&](int& width, const std::string& text) {
            width = std::max(width, GetMaxLineWidth(canvas, text));
        };
        if (FShowColumnXName) widen(FMaxWidthXName, XAxisTitleText(channel));
        if (FShowColumnYName) widen(FMaxWidthYName, YAxisTitleText(channel));
        TiPlotXAxis* xAxis = channel->GetXAxis();
        TiPlotYAxis* yAxis = channel->GetYAxis();
        if (FCursorAllChannels) {
            if (xAxis != nullptr) {
                FMaxWidthXValue =
                    std::max(FMaxWidthXValue, xAxis->GetCursorMinTextWidth(canvas, FFont.get()));
            }
            if (yAxis != nullptr) {
                FMaxWidthYValue =
                    std::max(FMaxWidthYValue, yAxis->GetCursorMinTextWidth(canvas, FFont.get()));
            }
            canvas->Font()->Assign(FFont.get());
            FMaxWidthXValue =
                std::max(FMaxWidthXValue,
                         Rnd(static_cast<double>(Utf8Length(channel->DataCursorXText())) * w0));
            FMaxWidthYValue =
                std::max(FMaxWidthYValue,
                         Rnd(static_cast<double>(Utf8Length(channel->DataCursorYText())) * w0));
        } else {
            if (xAxis != nullptr) {
                FMaxWidthXValue =
                    std::max(FMaxWidthXValue, xAxis->GetLegendMinTextWidth(canvas, FFont.get()));
            }
            if (yAxis != nullptr) {
                FMaxWidthYValue =
                    std::max(FMaxWidthYValue, yAxis->GetLegendMinTextWidth(canvas, FFont.get()));
            }
            canvas->Font()->Assign(FFont.get());
            if (FShowColumnXValue2) widen(FMaxWidthXValue, XValueText(channel));
            if (FShowColumnYValue2) widen(FMaxWidthYValue, YValueText(channel));
        }
        if (showColumnYMax_) widen(FMaxWidthYMax, YStatisticText(channel, channel->RunningYMax()));
        if (showColumnYMin_) widen(FMaxWidthYMin, YStatisticText(channel, channel->RunningYMin()));
        if (showColumnYMean_) {
            widen(FMaxWidthYMean, YStatisticText(channel, channel->RunningYMean()));
        }
    }

    const int s = FColumnSpacingPixels;
    int position = 0;
    FColumnStartLine = 0;
    if (showColumnLine_) position = FMaxWidthLine + s;
    FColumnStartMarker = position;
    if (showColumnMarker_) position += FMaxWidthMarker + s;
    FColumnStartChannel = position;
    position += FMaxWidthChannelLabel + s;
    auto place = [&](bool shown, int& start, int width) {
        if (!shown) return;
        start = position;
        position += width + s;
    };
    place(FShowColumnXName, FColumnStartXName, FMaxWidthXName);
    place(FShowColumnYName, FColumnStartYName, FMaxWidthYName);
    place(FShowColumnXValue2, FColumnStartXValue, FMaxWidthXValue);
    place(FShowColumnYValue2, FColumnStartYValue, FMaxWidthYValue);
    place(showColumnYMax_, FColumnStartYMax, FMaxWidthYMax);
    place(showColumnYMin_, FColumnStartYMin, FMaxWidthYMin);
    place(showColumnYMean_, FColumnStartYMean, FMaxWidthYMean);
    FItemWidth = position - s;

    FColumnTitlesRect = {FInnerRect.Left, FInnerRect.Top, FInnerRect.Right,
                         FInnerRect.Top + FColumnTitlesHeightPixels};
    FItemsRect = {FInnerRect.Left, FColumnTitlesRect.Bottom + FColumnTitlesMarginPixels,
                  FInnerRect.Right, FInnerRect.Bottom};

    const int itemsWidth = FItemsRect.Width() - (IsHorz() ? 25 : 0);
    const int itemsHeight = FItemsRect.Height();
    const int colsFit = std::max(
        1, (itemsWidth + FWrapSpacingPixels) / std::max(1, FItemWidth + FWrapSpacingPixels));
    const int rowsFit = std::max(
        1, (itemsHeight + FRowSpacingPixels) / std::max(1, FMaxItemHeight + FRowSpacingPixels));

    // Counts below 1 (maxima are not bounded by their setters) would leave no room at all.
    int cols = std::max(1, wrapColAutoCountEnabled_ ? wrapColAutoCountMax_ : wrapColDesiredCount_);
    const int colMax = std::max(1, wrapColAutoCountMax_);
    const int rowLimit =
        std::max(1, wrapRowAutoCountEnabled_ ? wrapRowAutoCountMax_ : wrapRowDesiredCount_);
    int rows = 0;
    if (IsHorz()) {
        cols = std::min(cols, colsFit);
        rows = wrapRowAutoCountEnabled_ ? CeilDiv(n, cols) : rowLimit;
        rows = std::min(rows, rowLimit);
        if (rows < 3 && rows * cols < n) rows = 3;
        if (wrapColAutoCountEnabled_) cols = std::min(cols, CeilDiv(n, rows));
    } else {
        if (wrapColAutoCountEnabled_) cols = CeilDiv(n, rowsFit);
        cols = std::min(cols, colMax);
        rows = std::min({rowsFit, n, rowLimit});
        if (rows < 3 && rows * cols < n) rows = 3;
    }
    FActualWrapColCount = cols;
    FActualWrapRowCount = rowLimit;

    FColumnList.push_back(FInnerRect.Left);
    int row = 1;
    int col = 1;
    int y = FItemsRect.Top;
    int rowsInFirstColumn = 0;
    FItemViewStopIndex = n - 1;
    for (int i = FItemViewStartIndex; i < n; ++i) {
        TiPlotLegendItem& item = FItemList[static_cast<std::size_t>(i)];
        item.ARow = row;
        item.ACol = col;
        item.ALeft = FColumnList.back();
        item.ATop = y;
        if (col == 1) rowsInFirstColumn = row;
        y += FMaxItemHeight + FRowSpacingPixels;
        ++row;
        if (row > rows && i < n - 1) {
            if (col + 1 > cols) {
                FItemViewStopIndex = i;
                break;
            }
            ++col;
            row = 1;
            y = FItemsRect.Top;
            FColumnList.push_back(FInnerRect.Left + (col - 1) * (FItemWidth + FWrapSpacingPixels));
        }
    }

    FRequiredWidth = cols * FItemWidth + (cols - 1) * FWrapSpacingPixels + marginLeft + marginRight;
    FRequiredHeight = marginTop + FColumnTitlesHeightPixels + FColumnTitlesMarginPixels +
                      rows * (FMaxItemHeight + FRowSpacingPixels) - FRowSpacingPixels +
                      marginBottom;

    if (rows * cols < n && Enabled()) {
        FUpButton->SetVisible(true);
        FDownButton->SetVisible(true);
        FUpButton->SetDrawRect(
            {FItemsRect.Right - 17, FItemsRect.Top, FItemsRect.Right, FItemsRect.Top + 17});
        FDownButton->SetDrawRect(
            {FItemsRect.Right - 17, FItemsRect.Bottom - 17, FItemsRect.Right, FItemsRect.Bottom});
        FRequiredWidth += 25;
    } else {
        FUpButton->SetVisible(false);
        FDownButton->SetVisible(false);
        FItemViewStartIndex = 0;
    }

    if (wrapColSpacingAuto_ && IsHorz() && cols > 1) {
        const int gap = static_cast<int>(
            Trunc(static_cast<double>(FItemsRect.Width() - 25 - cols * FItemWidth) / (cols - 1)));
        for (TiPlotLegendItem& item : FItemList) {
            item.ALeft = FInnerRect.Left + (item.ACol - 1) * (FItemWidth + gap);
        }
        for (std::size_t c = 0; c < FColumnList.size(); ++c) {
            FColumnList[c] = FInnerRect.Left + static_cast<int>(c) * (FItemWidth + gap);
        }
    }
    if (wrapRowSpacingAuto_ && !IsHorz() && rowsInFirstColumn > 1) {
        const int r = rowsInFirstColumn;
        FRowSpacingPixels = static_cast<int>(
            Trunc(static_cast<double>(FItemsRect.Height() - r * FMaxItemHeight) / (r - 1)));
        for (TiPlotLegendItem& item : FItemList) {
            item.ATop = FInnerRect.Top + (item.ARow - 1) * (FMaxItemHeight + FRowSpacingPixels);
            if (FColumnTitlesVisible) {
                item.ATop += FColumnTitlesHeightPixels + FColumnTitlesMarginPixels;
            }
        }
    }

    FUpButton->SetEnabled(FItemViewStartIndex != 0);
    FDownButton->SetEnabled(FItemViewStopIndex + 1 < n);
}

}  // namespace dsp
