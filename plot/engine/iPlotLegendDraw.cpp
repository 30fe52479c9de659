// TiPlotLegend: drawing and the mouse.

#include "framework/desktop/Cursors.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotLegend.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

void DrawScrollButtonFace(TCanvas* canvas, const TiPlotButton& button, bool up) {
    const TRect r = button.DrawRect();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(r);
    DrawFrameEdge(canvas, r, button.MouseDown() ? 0 : 1);
    const int cx = (r.Left + r.Right) / 2;
    const int cy = (r.Top + r.Bottom) / 2;
    const TColor color = button.Enabled() ? clBlack : clGray;
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(color);
    canvas->Brush()->SetColor(color);
    if (up) {
        canvas->Polygon({{cx - 4, cy + 2}, {cx + 4, cy + 2}, {cx, cy - 2}});
    } else {
        canvas->Polygon({{cx - 4, cy - 2}, {cx + 4, cy - 2}, {cx, cy + 2}});
    }
}

void TiPlotLegendButton::Draw(TCanvas* canvas, TColor) {
    if (Visible()) DrawScrollButtonFace(canvas, *this, up_);
}

void TiPlotLegend::DrawLineSample(TCanvas* canvas, const TiPlotChannelCustom* channel, int x,
                                  int y) {
    // The pattern of each trace style at the usual sample width, as [from, to) pixel runs.
    struct TRun {
        int from;
        int to;
    };
    static const std::vector<TRun> kPatterns[] = {
        {{0, 13}},                   // solid
        {{0, 5}, {8, 13}},           // dash
        {{0, 2}, {4, 6}, {8, 10}},   // dot
        {{0, 5}, {7, 9}},            // dash dot
        {{0, 5}, {7, 9}, {11, 13}},  // dash dot dot
    };
    const int h = lineColumnHeight_;
    const TiPlotLineStyle style = channel->TraceLineStyle();
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(channel->Color());
    for (int k = -(h / 2); k <= -(h / 2) + h; ++k) {
        if (lineColumnWidth_ == 13 && style <= iplsDashDotDot) {
            canvas->Pen()->SetStyle(psSolid);
            for (const TRun& run : kPatterns[style]) {
                canvas->Polyline({{x + run.from, y + k}, {x + run.to, y + k}});
            }
        } else {
            canvas->Pen()->SetStyle(ToPenStyle(style));
            canvas->Polyline({{x, y + k}, {x + lineColumnWidth_, y + k}});
        }
    }
    canvas->Pen()->SetStyle(psSolid);
}

void TiPlotLegend::DrawColumnTitles(TCanvas* canvas) {
    canvas->Font()->Assign(FColumnTitlesFont.get());
    canvas->Brush()->SetStyle(bsClear);
    const TiTextFlags common = kTextSingleLine | kTextVCenter | kTextNoClip;
    const int top = FColumnTitlesRect.Top;
    const int bottom = FColumnTitlesRect.Bottom;
    for (const int left : FColumnList) {
        auto title = [&](bool shown, int start, int width, const std::string& caption,
                         TiTextFlags align) {
            if (!shown) return;
            TRect r{left + start, top, left + start + width, bottom};
            DrawTextFormatted(canvas, TranslateString(caption), r, common | align, true, clBtnFace);
        };
        title(true, FColumnStartChannel, FMaxWidthChannelLabel, captionColumnTitle_, kTextLeft);
        title(FShowColumnXName, FColumnStartXName, FMaxWidthXName, FCaptionColumnXName,
              kTextCenter);
        title(FShowColumnYName, FColumnStartYName, FMaxWidthYName, FCaptionColumnYName,
              kTextCenter);
        title(FShowColumnXValue2, FColumnStartXValue, FMaxWidthXValue, captionColumnXValue_,
              kTextRight);
        title(FShowColumnYValue2, FColumnStartYValue, FMaxWidthYValue, captionColumnYValue_,
              kTextRight);
        title(showColumnYMax_, FColumnStartYMax, FMaxWidthYMax, captionColumnYMax_, kTextRight);
        title(showColumnYMin_, FColumnStartYMin, FMaxWidthYMin, captionColumnYMin_, kTextRight);
        title(showColumnYMean_, FColumnStartYMean, FMaxWidthYMean, captionColumnYMean_, kTextRight);
    }
}

void TiPlotLegend::Draw(TCanvas* canvas, TColor backGroundColor) {
    if (!Visible()) return;
    Layout(canvas);
    if (FItemList.empty()) return;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Pen()->SetStyle(psSolid);
    if (!backGroundTransparent_) {
        canvas->Brush()->SetColor(FBackGroundColor);
        canvas->FillRect(DrawRect());
    }
    if (FColumnTitlesVisible) DrawColumnTitles(canvas);

    canvas->Font()->Assign(FFont.get());
    canvas->Brush()->SetStyle(bsClear);
    for (TiPlotLegendItem& item : FItemList) item.Channel->SetLegendRect({});

    const int n = static_cast<int>(FItemList.size());
    for (int i = FItemViewStartIndex; i <= FItemViewStopIndex && i < n; ++i) {
        TiPlotLegendItem& item = FItemList[static_cast<std::size_t>(i)];
        TiPlotChannelCustom* channel = item.Channel;
        const int labelLeft = item.ALeft + FColumnStartChannel;
        TRect label{labelLeft, item.ATop, labelLeft + FMaxWidthChannelLabel + 1,
                    item.ATop + item.MaxHeight};
        channel->SetLegendRect(label);
        const int middle = item.ATop + FItemHeight / 2;
        if (showColumnLine_) DrawLineSample(canvas, channel, item.ALeft + FColumnStartLine, middle);
        if (showColumnMarker_) {
            channel->DrawMarker(canvas, -1, backGroundColor,
                                {item.ALeft + FColumnStartMarker + FMaxWidthMarker / 2, middle});
        }

        if (channel->UserSelected()) {
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(selectedItemBackGroundColor_);
            canvas->FillRect(label);
            canvas->Font()->Assign(selectedItemFont_.get());
        } else {
            canvas->Font()->Assign(FFont.get());
        }
        canvas->Brush()->SetStyle(bsClear);
        switch (channelNameColorStyle_) {
            case iplcncsChannelColor: canvas->Font()->SetColor(channel->Color()); break;
            case iplcncsXAxisFontColor:
                if (channel->GetXAxis() != nullptr) {
                    canvas->Font()->SetColor(channel->GetXAxis()->LabelsFont()->Color());
                }
                break;
            case iplcncsYAxisFontColor:
                if (channel->GetYAxis() != nullptr) {
                    canvas->Font()->SetColor(channel->GetYAxis()->LabelsFont()->Color());
                }
                break;
            case iplcncsFont: break;
        }
        TRect text = label;
        DrawTextFormatted(canvas, ChannelLabel(channel), text,
                          kTextLeft | kTextTop | kTextWordBreak | kTextWordEllipsis, true,
                          clBtnFace);

        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->Assign(FFont.get());
        auto column = [&](bool shown, int start, int width, const std::string& value,
                          TiTextFlags align) {
            if (!shown) return;
            TRect r{item.ALeft + start, item.ATop, item.ALeft + start + width,
                    item.ATop + FItemHeight};
            DrawTextFormatted(canvas, value, r, align | kTextVCenter | kTextSingleLine, true,
                              clBtnFace);
        };
        column(FShowColumnXName, FColumnStartXName, FMaxWidthXName, XAxisTitleText(channel),
               kTextLeft);
        column(FShowColumnYName, FColumnStartYName, FMaxWidthYName, YAxisTitleText(channel),
               kTextLeft);
        column(FShowColumnXValue2, FColumnStartXValue, FMaxWidthXValue,
               FCursorAllChannels ? channel->DataCursorXText() : XValueText(channel), kTextRight);
        column(FShowColumnYValue2, FColumnStartYValue, FMaxWidthYValue,
               FCursorAllChannels ? channel->DataCursorYText() : YValueText(channel), kTextRight);
        column(showColumnYMax_, FColumnStartYMax, FMaxWidthYMax,
               YStatisticText(channel, channel->RunningYMax()), kTextRight);
        column(showColumnYMin_, FColumnStartYMin, FMaxWidthYMin,
               YStatisticText(channel, channel->RunningYMin()), kTextRight);
        column(showColumnYMean_, FColumnStartYMean, FMaxWidthYMean,
               YStatisticText(channel, channel->RunningYMean()), kTextRight);
    }

    FUpButton->Draw(canvas, backGroundColor);
    FDownButton->Draw(canvas, backGroundColor);

    if (UserSelected()) {
        TRect focus = DrawRect();
        if (IsHorz()) {
            focus.Top += 2;
            focus.Bottom -= 2;
        } else {
            focus.Left += 2;
            focus.Right -= 2;
        }
        DrawFocusRectangle(canvas, focus);
    }
}

// ---- mouse

void TiPlotLegend::NotificationRemove(TiPlotObject* sender) {
    std::erase_if(FItemList,
                  [sender](const TiPlotLegendItem& item) { return item.Channel == sender; });
    const int n = static_cast<int>(FItemList.size());
    if (FItemViewStopIndex >= n) FItemViewStopIndex = n - 1;
}

TiPlotObject* TiPlotLegend::SetMouseOverObject(int x, int y) {
    TiPlotLayoutObject::SetMouseOverObject(x, y);
    const TPoint p{x, y};
    if (FUpButton->Visible() && PtInRect(FUpButton->DrawRect(), p)) return FUpButton.get();
    if (FDownButton->Visible() && PtInRect(FDownButton->DrawRect(), p)) return FDownButton.get();
    for (const TiPlotLegendItem& item : FItemList) {
        if (item.Channel->VisibleInLegend() && PtInRect(item.Channel->LegendRect(), p)) {
            return item.Channel;
        }
    }
    return this;
}

TCursor TiPlotLegend::CheckMouseOver(TPoint point) {
    TiPlotLayoutObject::CheckMouseOver(point);
    TCursor cursor = crDefault;
    if (Plot() != nullptr) Plot()->DoObjectGetMouseCursor(this, cursor);
    return cursor;
}

void TiPlotLegend::DoMouseUp(const TiPlotMouseData& mouseData) {
    if (!FMouseDown || Plot() == nullptr) return;
    if (PtInRect(DrawRect(), {mouseData.X, mouseData.Y})) Plot()->DoObjectClick(this);
}

}  // namespace dsp
