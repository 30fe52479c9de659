#pragma once
// TiPlotLabel: one line of text (or a picture instead) along a side of the plot; the plot's
// title is such a label. It asks the layout for a strip as thick as its text plus its margins
// and draws the caption in it, turned by 90 degrees on a left or right strip.

#include <memory>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "plot/engine/iPlotObjects.h"

namespace dsp {

class TiPlotLabel : public TiPlotLayoutObject {
    DSP_PUBLISHED(TiPlotLabel, TiPlotLayoutObject) {
        using L = TiPlotLabel;
        using P = Published<TiPlotLabel>;
        return {
            P::Property("Caption", &L::FCaption, &L::SetCaption),
            P::Property("MarginLeft", &L::FMarginLeft, &L::SetMarginLeft),
            P::Property("MarginRight", &L::FMarginRight, &L::SetMarginRight),
            P::Property("MarginBottom", &L::FMarginBottom, &L::SetMarginBottom),
            P::Property("MarginTop", &L::FMarginTop, &L::SetMarginTop),
            P::Property("Font", &L::Font, &L::SetFont),
            P::Property("Alignment", &L::FAlignment, &L::SetAlignment).Default(iahCenter),
            P::Property("ImageListIndex", &L::FImageListIndex, &L::SetImageListIndex).Default(-1),
            P::Property("ImageIndex", &L::FImageIndex, &L::SetImageIndex).Default(0),
        };
    }

public:
    TiPlotLabel(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                TNotifyEvent onRename);
    ~TiPlotLabel() override;

    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::Label; }

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value) { Store(value, FCaption); }
    double MarginLeft() const { return FMarginLeft; }
    double MarginRight() const { return FMarginRight; }
    double MarginTop() const { return FMarginTop; }
    double MarginBottom() const { return FMarginBottom; }
    void SetMarginLeft(double value) { Store(value, FMarginLeft); }
    void SetMarginRight(double value) { Store(value, FMarginRight); }
    void SetMarginBottom(double value) { Store(value, FMarginBottom); }
    void SetMarginTop(double value) { Store(value, FMarginTop); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    TiAlignmentHorizontal Alignment() const { return FAlignment; }
    void SetAlignment(TiAlignmentHorizontal value) { Store(value, FAlignment); }
    int ImageListIndex() const { return FImageListIndex; }
    void SetImageListIndex(int value) { Store(value, FImageListIndex); }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { Store(value, FImageIndex); }

    // The picture shown instead of the caption: a copy of the bitmap, or none.
    TBitmap* Image() const { return FImage.get(); }
    void SetImage(TBitmap* value);
    void ImageClear();
    void ImageLoadFromFile(const std::string& fileName);

    int GetRequiredWidth(TCanvas* canvas) override;
    void Draw(TCanvas* canvas, TColor backGroundColor) override;

private:
    template <typename T>
    void Store(const T& value, T& field) {
        if (value == field) return;
        field = value;
        DoChange();
    }
    void Measure(TCanvas* canvas);
    void DrawPicture(TCanvas* canvas, TGraphic* picture, int width);

    int FRequiredWidth = 0;
    int FMarginTopPixels = 0;
    int FMarginBottomPixels = 0;
    int FMarginLeftPixels = 0;
    int FMarginRightPixels = 0;
    std::string FCaption;
    double FMarginLeft = 0;
    double FMarginRight = 0;
    double FMarginBottom = 0;
    double FMarginTop = 0;
    std::unique_ptr<TFont> FFont;
    TiAlignmentHorizontal FAlignment = iahCenter;
    std::unique_ptr<TBitmap> FImage;
    int FImageListIndex = -1;
    int FImageIndex = 0;
};

}  // namespace dsp
