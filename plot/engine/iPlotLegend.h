#pragma once
// TiPlotLegend: the plot's channel legend, a layout object on one side of the data view. It
// lists every channel shown in the legend as one item of columns (line and marker samples, the
// name, optionally the axis titles, the last values or the cursor's, and the running
// statistics), wraps the items into columns and rows, and pages through them with two scroll
// buttons when they do not all fit. Its layout decides the room it asks of the plot.

#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Font.h"
#include "plot/engine/iPlotObjects.h"

namespace dsp {

class TiPlotChannelCustom;

enum TiPlotLegendChannelNameColorStyle {
    iplcncsFont,
    iplcncsChannelColor,
    iplcncsXAxisFontColor,
    iplcncsYAxisFontColor,
};
DSP_ENUM_NAMES(TiPlotLegendChannelNameColorStyle, "iplcncsFont", "iplcncsChannelColor",
               "iplcncsXAxisFontColor", "iplcncsYAxisFontColor")

// One channel's entry: its row and column (1-based) and where it stands.
struct TiPlotLegendItem {
    TiPlotChannelCustom* Channel = nullptr;
    int MaxHeight = 0;
    int ALeft = 0;
    int ATop = 0;
    int ARow = 0;
    int ACol = 0;
};

// The face of a scroll button of a legend or a table: raised (sunken while pressed), with a
// triangle pointing up or down, grey while disabled.
void DrawScrollButtonFace(TCanvas* canvas, const TiPlotButton& button, bool up);

// The legend's scroll buttons (auto-repeat).
class TiPlotLegendButton : public TiPlotButton {
public:
    TiPlotLegendButton(TObject* owner, bool up) : TiPlotButton(owner), up_(up) {}
    void Draw(TCanvas* canvas, TColor backGroundColor) override;
    bool Up() const { return up_; }

private:
    bool up_;
};

class TiPlotLegend : public TiPlotLayoutObject {
    DSP_PUBLISHED(TiPlotLegend, TiPlotLayoutObject) {
        using L = TiPlotLegend;
        using P = Published<TiPlotLegend>;
        return {
            P::Property("MarginLeft", &L::FMarginLeft, &L::SetMarginLeft),
            P::Property("MarginRight", &L::FMarginRight, &L::SetMarginRight),
            P::Property("MarginBottom", &L::FMarginBottom, &L::SetMarginBottom),
            P::Property("MarginTop", &L::FMarginTop, &L::SetMarginTop),
            P::Property("BackGroundTransparent", &L::backGroundTransparent_,
                        &L::SetBackGroundTransparent)
                .Default(true),
            P::Property("BackGroundColor", &L::FBackGroundColor, &L::SetBackGroundColor)
                .Default(clGray),
            P::Property("ColumnSpacing", &L::FColumnSpacing, &L::SetColumnSpacing),
            P::Property("Font", &L::Font, &L::SetFont),
            P::Property("SelectedItemBackGroundColor", &L::selectedItemBackGroundColor_,
                        &L::SetSelectedItemBackGroundColor)
                .Default(clYellow),
            P::Property("SelectedItemFont", &L::SelectedItemFont, &L::SetSelectedItemFont),
            P::Property("ShowColumnLine", &L::showColumnLine_, &L::SetShowColumnLine).Default(true),
            P::Property("ShowColumnMarker", &L::showColumnMarker_, &L::SetShowColumnMarker)
                .Default(false),
            P::Property("ShowColumnXAxisTitle", &L::FShowColumnXName, &L::SetShowColumnXAxisTitle)
                .Default(false),
            P::Property("ShowColumnYAxisTitle", &L::FShowColumnYName, &L::SetShowColumnYAxisTitle)
                .Default(false),
            P::Property("ShowColumnXValue", &L::showColumnXValue_, &L::SetShowColumnXValue)
                .Default(false),
            P::Property("ShowColumnYValue", &L::showColumnYValue_, &L::SetShowColumnYValue)
                .Default(false),
            P::Property("ColumnTitlesVisible", &L::FColumnTitlesVisible, &L::SetColumnTitlesVisible)
                .Default(false),
            P::Property("ColumnTitlesFont", &L::ColumnTitlesFont, &L::SetColumnTitlesFont),
            P::Property("ChannelNameMaxWidth", &L::channelNameMaxWidth_,
                        &L::SetChannelNameMaxWidth),
            P::Property("ChannelNameColorStyle", &L::channelNameColorStyle_,
                        &L::SetChannelNameColorStyle)
                .Default(iplcncsFont),
            P::Property("ShowColumnYMax", &L::showColumnYMax_, &L::SetShowColumnYMax)
                .Default(false),
            P::Property("ShowColumnYMin", &L::showColumnYMin_, &L::SetShowColumnYMin)
                .Default(false),
            P::Property("ShowColumnYMean", &L::showColumnYMean_, &L::SetShowColumnYMean)
                .Default(false),
            P::Property("CaptionColumnYMax", &L::captionColumnYMax_, &L::SetCaptionColumnYMax),
            P::Property("CaptionColumnYValue", &L::captionColumnYValue_,
                        &L::SetCaptionColumnYValue),
            P::Property("CaptionColumnTitle", &L::captionColumnTitle_, &L::SetCaptionColumnTitle),
            P::Property("CaptionColumnYMean", &L::captionColumnYMean_, &L::SetCaptionColumnYMean),
            P::Property("CaptionColumnXAxisTitle", &L::FCaptionColumnXName,
                        &L::SetCaptionColumnXAxisTitle),
            P::Property("CaptionColumnYAxisTitle", &L::FCaptionColumnYName,
                        &L::SetCaptionColumnYAxisTitle),
            P::Property("CaptionColumnXValue", &L::captionColumnXValue_,
                        &L::SetCaptionColumnXValue),
            P::Property("CaptionColumnYMin", &L::captionColumnYMin_, &L::SetCaptionColumnYMin),
            P::Property("WrapColDesiredCount", &L::wrapColDesiredCount_, &L::SetWrapColDesiredCount)
                .Default(1),
            P::Property("WrapRowDesiredCount", &L::wrapRowDesiredCount_, &L::SetWrapRowDesiredCount)
                .Default(5),
            P::Property("WrapColAutoCountEnabled", &L::wrapColAutoCountEnabled_,
                        &L::SetWrapColAutoCountEnabled)
                .Default(false),
            P::Property("WrapRowAutoCountEnabled", &L::wrapRowAutoCountEnabled_,
                        &L::SetWrapRowAutoCountEnabled)
                .Default(true),
            P::Property("WrapRowAutoCountMax", &L::wrapRowAutoCountMax_, &L::SetWrapRowAutoCountMax)
                .Default(100),
            P::Property("WrapColAutoCountMax", &L::wrapColAutoCountMax_, &L::SetWrapColAutoCountMax)
                .Default(100),
            P::Property("WrapColSpacingMin", &L::wrapColSpacingMin_, &L::SetWrapColSpacingMin),
            P::Property("WrapRowSpacingMin", &L::wrapRowSpacingMin_, &L::SetWrapRowSpacingMin),
            P::Property("RowSpacing", &L::wrapRowSpacingMin_, &L::SetWrapRowSpacingMin),
            P::Property("WrapRowSpacingAuto", &L::wrapRowSpacingAuto_, &L::SetWrapRowSpacingAuto)
                .Default(false),
            P::Property("WrapColSpacingAuto", &L::wrapColSpacingAuto_, &L::SetWrapColSpacingAuto)
                .Default(true),
            P::Property("LineColumnWidth", &L::lineColumnWidth_, &L::SetLineColumnWidth)
                .Default(13),
            P::Property("LineColumnHeight", &L::lineColumnHeight_, &L::SetLineColumnHeight)
                .Default(3),
        };
    }

public:
    TiPlotLegend(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                 TNotifyEvent onRemove, TNotifyEvent onRename);
    ~TiPlotLegend() override;

    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::Legend; }

    // Lays the items out; the thickness is the height of a horizontal legend, else the width.
    int GetRequiredWidth(TCanvas* canvas) override;
    void Layout(TCanvas* canvas);
    void NotificationSetFocus(TiPlotObject* sender) override;
    // A removed channel leaves the items at once (they are rebuilt by the next layout).
    void NotificationRemove(TiPlotObject* sender) override;
    void ClearPopupMenuItems(TPopupMenu* popupMenu) override;
    // Lays the items out and draws them, with the scroll buttons when not all fit; each item's
    // name rectangle becomes its channel's legend rectangle.
    void Draw(TCanvas* canvas, TColor backGroundColor) override;
    // A scroll button, the channel of the name under the point, or the legend.
    TiPlotObject* SetMouseOverObject(int x, int y) override;
    bool OwnsButton(const TiPlotObject* object) const override {
        return object == FUpButton.get() || object == FDownButton.get();
    }
    TCursor CheckMouseOver(TPoint point) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;

    bool CursorAllChannels() const { return FCursorAllChannels; }
    void SetCursorAllChannels(bool value) { FCursorAllChannels = value; }
    int ItemViewStartIndex() const { return FItemViewStartIndex; }
    void SetItemViewStartIndex(int value);
    int ItemViewStopIndex() const { return FItemViewStopIndex; }
    int RequiredWidth() const { return FRequiredWidth; }
    int RequiredHeight() const { return FRequiredHeight; }
    int ActualWrapColCount() const { return FActualWrapColCount; }
    int ActualWrapRowCount() const { return FActualWrapRowCount; }
    const std::vector<TiPlotLegendItem>& Items() const { return FItemList; }
    TiPlotLegendButton* UpButton() const { return FUpButton.get(); }
    TiPlotLegendButton* DownButton() const { return FDownButton.get(); }

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    TFont* SelectedItemFont() const { return selectedItemFont_.get(); }
    void SetSelectedItemFont(TFont* value) { selectedItemFont_->Assign(value); }
    TFont* ColumnTitlesFont() const { return FColumnTitlesFont.get(); }
    void SetColumnTitlesFont(TFont* value) { FColumnTitlesFont->Assign(value); }
    // Values below 1 become 1.
    void SetWrapColDesiredCount(int value) { Store(std::max(value, 1), wrapColDesiredCount_); }
    void SetWrapRowDesiredCount(int value) { Store(std::max(value, 1), wrapRowDesiredCount_); }
    int WrapColDesiredCount() const { return wrapColDesiredCount_; }
    int WrapRowDesiredCount() const { return wrapRowDesiredCount_; }

#define DSP_LEGEND_SETTER(Name, Type, Field) \
    void Set##Name(Type value) { Store(value, Field); }
    DSP_LEGEND_SETTER(MarginLeft, double, FMarginLeft)
    DSP_LEGEND_SETTER(MarginRight, double, FMarginRight)
    DSP_LEGEND_SETTER(MarginBottom, double, FMarginBottom)
    DSP_LEGEND_SETTER(MarginTop, double, FMarginTop)
    DSP_LEGEND_SETTER(BackGroundTransparent, bool, backGroundTransparent_)
    DSP_LEGEND_SETTER(BackGroundColor, TColor, FBackGroundColor)
    DSP_LEGEND_SETTER(ColumnSpacing, double, FColumnSpacing)
    DSP_LEGEND_SETTER(SelectedItemBackGroundColor, TColor, selectedItemBackGroundColor_)
    DSP_LEGEND_SETTER(ShowColumnLine, bool, showColumnLine_)
    DSP_LEGEND_SETTER(ShowColumnMarker, bool, showColumnMarker_)
    DSP_LEGEND_SETTER(ShowColumnXAxisTitle, bool, FShowColumnXName)
    DSP_LEGEND_SETTER(ShowColumnYAxisTitle, bool, FShowColumnYName)
    DSP_LEGEND_SETTER(ShowColumnXValue, bool, showColumnXValue_)
    DSP_LEGEND_SETTER(ShowColumnYValue, bool, showColumnYValue_)
    DSP_LEGEND_SETTER(ColumnTitlesVisible, bool, FColumnTitlesVisible)
    DSP_LEGEND_SETTER(ChannelNameMaxWidth, double, channelNameMaxWidth_)
    DSP_LEGEND_SETTER(ChannelNameColorStyle, TiPlotLegendChannelNameColorStyle,
                      channelNameColorStyle_)
    DSP_LEGEND_SETTER(ShowColumnYMax, bool, showColumnYMax_)
    DSP_LEGEND_SETTER(ShowColumnYMin, bool, showColumnYMin_)
    DSP_LEGEND_SETTER(ShowColumnYMean, bool, showColumnYMean_)
    DSP_LEGEND_SETTER(CaptionColumnYMax, const std::string&, captionColumnYMax_)
    DSP_LEGEND_SETTER(CaptionColumnYValue, const std::string&, captionColumnYValue_)
    DSP_LEGEND_SETTER(CaptionColumnTitle, const std::string&, captionColumnTitle_)
    DSP_LEGEND_SETTER(CaptionColumnYMean, const std::string&, captionColumnYMean_)
    DSP_LEGEND_SETTER(CaptionColumnXAxisTitle, const std::string&, FCaptionColumnXName)
    DSP_LEGEND_SETTER(CaptionColumnYAxisTitle, const std::string&, FCaptionColumnYName)
    DSP_LEGEND_SETTER(CaptionColumnXValue, const std::string&, captionColumnXValue_)
    DSP_LEGEND_SETTER(CaptionColumnYMin, const std::string&, captionColumnYMin_)
    DSP_LEGEND_SETTER(WrapColAutoCountEnabled, bool, wrapColAutoCountEnabled_)
    DSP_LEGEND_SETTER(WrapRowAutoCountEnabled, bool, wrapRowAutoCountEnabled_)
    DSP_LEGEND_SETTER(WrapRowAutoCountMax, int, wrapRowAutoCountMax_)
    DSP_LEGEND_SETTER(WrapColAutoCountMax, int, wrapColAutoCountMax_)
    DSP_LEGEND_SETTER(WrapColSpacingMin, double, wrapColSpacingMin_)
    DSP_LEGEND_SETTER(WrapRowSpacingMin, double, wrapRowSpacingMin_)
    DSP_LEGEND_SETTER(WrapRowSpacingAuto, bool, wrapRowSpacingAuto_)
    DSP_LEGEND_SETTER(WrapColSpacingAuto, bool, wrapColSpacingAuto_)
    DSP_LEGEND_SETTER(LineColumnWidth, int, lineColumnWidth_)
    DSP_LEGEND_SETTER(LineColumnHeight, int, lineColumnHeight_)
#undef DSP_LEGEND_SETTER

    // The texts of one item's columns.
    std::string ChannelLabel(const TiPlotChannelCustom* channel) const;
    std::string XAxisTitleText(const TiPlotChannelCustom* channel) const;
    std::string YAxisTitleText(const TiPlotChannelCustom* channel) const;
    std::string XValueText(const TiPlotChannelCustom* channel) const;
    std::string YValueText(const TiPlotChannelCustom* channel) const;
    std::string YStatisticText(const TiPlotChannelCustom* channel, double value) const;

private:
    void DrawLineSample(TCanvas* canvas, const TiPlotChannelCustom* channel, int x, int y);
    void DrawColumnTitles(TCanvas* canvas);
    template <typename T>
    void Store(const T& value, T& field) {
        if (value == field) return;
        field = value;
        DoChange();
    }

    std::unique_ptr<TiPlotLegendButton> FUpButton;
    std::unique_ptr<TiPlotLegendButton> FDownButton;
    int FRequiredWidth = 0;
    int FRequiredHeight = 0;
    TRect FInnerRect{};
    std::vector<TiPlotLegendItem> FItemList;
    std::vector<int> FColumnList;
    int FColumnWidth = 0;
    int FItemWidth = 0;
    int FActualWrapColCount = 0;
    int FActualWrapRowCount = 0;
    int FColumnSpacingPixels = 0;
    int FRowSpacingPixels = 0;
    int FWrapSpacingPixels = 0;
    int FColumnStartChannel = 0;
    int FColumnStartLine = 0;
    int FColumnStartMarker = 0;
    int FColumnStartXName = 0;
    int FColumnStartYName = 0;
    int FColumnStartXValue = 0;
    int FColumnStartYValue = 0;
    int FColumnStartYMax = 0;
    int FColumnStartYMin = 0;
    int FColumnStartYMean = 0;
    int FMaxWidthLine = 0;
    int FMaxWidthMarker = 0;
    int FMaxWidthChannelLabel = 0;
    int FMaxWidthXName = 0;
    int FMaxWidthYName = 0;
    int FMaxWidthXValue = 0;
    int FMaxWidthYValue = 0;
    int FMaxWidthYMax = 0;
    int FMaxWidthYMin = 0;
    int FMaxWidthYMean = 0;
    int FItemViewStartIndex = 0;
    int FItemViewStopIndex = 0;
    int FItemHeight = 0;
    int FMaxItemHeight = 0;
    int FColumnTitlesHeightPixels = 0;
    int FColumnTitlesMarginPixels = 0;
    TRect FColumnTitlesRect{};
    TRect FItemsRect{};

    double FMarginLeft = 1.0;
    double FMarginRight = 1.0;
    double FMarginBottom = 1.0;
    double FMarginTop = 1.0;
    bool backGroundTransparent_ = true;
    TColor FBackGroundColor = clGray;
    double FColumnSpacing = 0.5;
    std::unique_ptr<TFont> FFont;
    TColor selectedItemBackGroundColor_ = clYellow;
    std::unique_ptr<TFont> selectedItemFont_;
    bool showColumnLine_ = true;
    bool showColumnMarker_ = false;
    bool FShowColumnXName = false;
    bool FShowColumnYName = false;
    bool showColumnXValue_ = false;
    bool showColumnYValue_ = false;
    bool FColumnTitlesVisible = false;
    std::unique_ptr<TFont> FColumnTitlesFont;
    double channelNameMaxWidth_ = 0;
    TiPlotLegendChannelNameColorStyle channelNameColorStyle_ = iplcncsFont;
    bool showColumnYMax_ = false;
    bool showColumnYMin_ = false;
    bool showColumnYMean_ = false;
    bool FCursorAllChannels = false;
    bool FShowColumnXValue2 = false;
    bool FShowColumnYValue2 = false;
    std::string captionColumnYMax_ = "Y-Max";
    std::string captionColumnYValue_ = "Y";
    std::string captionColumnTitle_ = "Title";
    std::string captionColumnYMean_ = "Y-Mean";
    std::string FCaptionColumnXName = "X-Axis";
    std::string FCaptionColumnYName = "Y-Axis";
    std::string captionColumnXValue_ = "X";
    std::string captionColumnYMin_ = "Y-Min";
    int wrapColDesiredCount_ = 1;
    int wrapRowDesiredCount_ = 5;
    bool wrapColAutoCountEnabled_ = false;
    bool wrapRowAutoCountEnabled_ = true;
    int wrapRowAutoCountMax_ = 100;
    int wrapColAutoCountMax_ = 100;
    double wrapColSpacingMin_ = 2.0;
    double wrapRowSpacingMin_ = 0.25;
    bool wrapRowSpacingAuto_ = false;
    bool wrapColSpacingAuto_ = true;
    int lineColumnWidth_ = 13;
    int lineColumnHeight_ = 3;
};

}  // namespace dsp
