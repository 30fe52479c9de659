#include "plot/engine/iPlotLabel.h"

#include "framework/graphics/ImageList.h"
#include "framework/text/Numbers.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

TiPlotLabel::TiPlotLabel(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                         TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotLayoutObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                         std::move(onRename)),
      FFont(std::make_unique<TFont>()) {
    FFont->SetName("Arial");
    FFont->SetSize(14);
    FFont->SetStyle(TFontStyles{fsBold});
    FFont->SetColor(clWhite);
    FFont->OnChange = [this](TObject*) { DoChange(); };
    SetHorizontal(true);
}

TiPlotLabel::~TiPlotLabel() { FFont->OnChange = nullptr; }

void TiPlotLabel::SetImage(TBitmap* value) {
    if (value == nullptr) {
        FImage.reset();
    } else {
        if (!FImage) FImage = std::make_unique<TBitmap>();
        FImage->Assign(value);
    }
    DoChange();
}

void TiPlotLabel::ImageClear() {
    if (!FImage) return;
    FImage.reset();
    DoChange();
}

void TiPlotLabel::ImageLoadFromFile(const std::string& fileName) {
    TBitmap bitmap;
    bitmap.LoadFromFile(fileName);
    SetImage(&bitmap);
}

void TiPlotLabel::Measure(TCanvas* canvas) {
    canvas->Font()->Assign(FFont.get());
    const int w0 = GetMaxLineWidth(canvas, "0");
    const int h0 = GetTextHeight(canvas, "0");
    FMarginTopPixels = static_cast<int>(Round(h0 * FMarginTop));
    FMarginBottomPixels = static_cast<int>(Round(h0 * FMarginBottom));
    FMarginLeftPixels = static_cast<int>(Round(w0 * FMarginLeft));
    FMarginRightPixels = static_cast<int>(Round(w0 * FMarginRight));
    FRequiredWidth = GetTextHeight(canvas, FCaption) + FMarginTopPixels + FMarginBottomPixels;
}

int TiPlotLabel::GetRequiredWidth(TCanvas* canvas) {
    Measure(canvas);
    return FRequiredWidth;
}

void TiPlotLabel::DrawPicture(TCanvas* canvas, TGraphic* picture, int width) {
    const TRect r = DrawRect();
    const int y = r.Top + FMarginTopPixels;
    int x = (r.Left + r.Right) / 2 - width / 2;
    if (FAlignment == iahLeft) x = r.Left + FMarginLeftPixels;
    if (FAlignment == iahRight) x = r.Right - FMarginRightPixels - width;
    canvas->Draw(x, y, picture);
}

void TiPlotLabel::Draw(TCanvas* canvas, TColor) {
    if (!Visible()) return;
    Measure(canvas);
    const TRect r = DrawRect();
    if (FImage) {
        FImage->SetTransparentMode(tmAuto);
        FImage->SetTransparent(true);
        DrawPicture(canvas, FImage.get(), FImage->Width());
        return;
    }
    TImageList* list = Plot() != nullptr ? Plot()->GetImageList(FImageListIndex) : nullptr;
    if (list != nullptr && FImageIndex >= 0 && FImageIndex < list->Count()) {
        int x = (r.Left + r.Right) / 2 - list->Width() / 2;
        if (FAlignment == iahLeft) x = r.Left + FMarginLeftPixels;
        if (FAlignment == iahRight) x = r.Right - FMarginRightPixels - list->Width();
        list->Draw(canvas, x, r.Top + FMarginTopPixels, FImageIndex, Enabled());
        return;
    }
    canvas->Brush()->SetStyle(bsClear);
    if (IsHorz()) {
        TRect box{r.Left + FMarginLeftPixels, r.Top + FMarginTopPixels,
                  r.Right - FMarginRightPixels, r.Bottom - FMarginBottomPixels};
        TiTextFlags flags = kTextVCenter | kTextSingleLine;
        if (FAlignment == iahCenter) flags |= kTextCenter;
        if (FAlignment == iahRight) flags |= kTextRight;
        DrawTextFormatted(canvas, FCaption, box, flags, true, clBtnFace);
        return;
    }
    const int half = GetMaxLineWidth(canvas, FCaption) / 2;
    int y1 = 0;
    int y2 = 0;
    switch (FAlignment) {
        case iahCenter: {
            const int mid = (r.Top + r.Bottom) / 2;
            y1 = mid - half;
            y2 = mid + half;
            break;
        }
        case iahLeft: y1 = y2 = r.Bottom - half - FMarginLeftPixels; break;
        case iahRight: y1 = y2 = r.Top + half + FMarginRightPixels; break;
    }
    TRect out{};
    DrawRotatedText(canvas, FCaption,
                    {r.Left + FMarginTopPixels, y1, r.Right - FMarginBottomPixels, y2}, ira090,
                    iahCenter, true, clBtnFace, out);
}

}  // namespace dsp
