#pragma once
// The base of the LED and demo buttons: a custom control that repaints through one overridable
// step (suppressed while loading or inside BeginUpdate/EndUpdate), and one that paints into an
// off-screen picture copied onto the control in one block, so a refresh never shows partial
// drawing. With the shared drawing routines: bevel rings and the image-and-caption layout.

#include <memory>
#include <string>

#include "framework/controls/CustomControl.h"
#include "framework/graphics/Bitmap.h"

namespace dsp {

enum TVrImageTextLayout { ImageLeft, ImageRight, ImageTop, ImageBottom };
DSP_ENUM_NAMES(TVrImageTextLayout, "ImageLeft", "ImageRight", "ImageTop", "ImageBottom")

// n one-pixel rings inside r, top and left in topColor, right and bottom in bottomColor (the
// bottom colour also takes the bottom-left corner); r shrinks to the inside.
void DrawFrameRings(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int count);

// Where an image and a caption go inside r: both centred across the layout axis; along it, a
// margin and a spacing (-1 for either or both: shared out evenly).
struct TImageTextPlaces {
    TRect image;
    TRect text;
};
TImageTextPlaces LayoutImageAndText(TCanvas& canvas, const TRect& r, TSize imageSize,
                                    const std::string& caption, int spacing, int margin,
                                    TVrImageTextLayout layout);

class TVrCustomControl : public TCustomControl {
    DSP_PUBLISHED(TVrCustomControl, TCustomControl) {
        using P = Published<TVrCustomControl>;
        return {P::Property("Version", &TVrCustomControl::Version).Stored(false)};
    }

public:
    explicit TVrCustomControl(TComponent* owner);
    ~TVrCustomControl() override;

    std::string Version() const { return version_; }

    // Refreshes are held back between BeginUpdate and the matching EndUpdate, which refreshes.
    // An EndUpdate without a BeginUpdate refreshes and keeps the count at none, so one stray
    // call cannot stop every later refresh.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    TNotifyEvent OnMouseEnterControl;
    TNotifyEvent OnMouseLeaveControl;
    TNotifyEvent OnFontChanged;
    TNotifyEvent OnTextChanged;

protected:
    // Repaints now, unless loading or inside an update.
    virtual void UpdateControlCanvas();
    virtual void MouseEntered();
    virtual void MouseLeft();
    virtual void FontChanged();
    virtual void TextChanged();

    void Dispatch(TMessage& message) override;

private:
    std::string version_ = "1.4.5";
    int updateCount_ = 0;
};

class TVrCustomImageControl : public TVrCustomControl {
public:
    explicit TVrCustomImageControl(TComponent* owner);
    ~TVrCustomImageControl() override;

protected:
    // Sizes the off-screen picture to the control and fills it with Color.
    virtual void PrepareImage();
    // What the control draws into its picture; the base draws nothing more.
    virtual void PaintImage() {}
    TBitmap& BitmapImage() { return *bitmapImage_; }
    TCanvas& BitmapCanvas() { return *bitmapImage_->Canvas(); }

    void Paint() override;

private:
    std::unique_ptr<TBitmap> bitmapImage_;
};

}  // namespace dsp
