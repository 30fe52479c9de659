#pragma once
// TImage: a picture on its parent, without a window. It shows the picture at its top-left
// corner, centred (Center), or stretched to the control (Stretch, keeping its proportions with
// Proportional); Transparent leaves the picture's transparent colour out so the parent shows
// through. AutoSize makes the control as large as the picture. Drawing on Canvas draws on the
// picture (a bitmap of the control's size when there is none yet).

#include <memory>

#include "framework/controls/GraphicControl.h"
#include "framework/graphics/Picture.h"

namespace dsp {

class TImage : public TGraphicControl {
    DSP_PUBLISHED(TImage, TGraphicControl) {
        using P = Published<TImage>;
        return {
            P::Property("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize).Default(false),
            P::Property("Center", &TImage::Center, &TImage::SetCenter).Default(false),
            P::Property("IncrementalDisplay", &TImage::IncrementalDisplay,
                        &TImage::SetIncrementalDisplay)
                .Default(false),
            P::Property("Picture", &TImage::Picture, &TImage::SetPicture),
            P::Property("Proportional", &TImage::Proportional, &TImage::SetProportional)
                .Default(false),
            P::Property("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false),
            P::Property("Transparent", &TImage::Transparent, &TImage::SetTransparent)
                .Default(false),
        };
    }

public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture* Picture() const { return picture_.get(); }
    void SetPicture(TPicture* value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Proportional() const { return proportional_; }
    void SetProportional(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool IncrementalDisplay() const { return incrementalDisplay_; }
    void SetIncrementalDisplay(bool value) { incrementalDisplay_ = value; }

    // The picture's bitmap canvas; EInvalidOperation when the picture is not a bitmap.
    TCanvas* Canvas() const;

    // Where the picture is drawn, in the control's coordinates.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged();

    std::unique_ptr<TPicture> picture_;
    bool autoSize_ = false;
    bool center_ = false;
    bool stretch_ = false;
    bool proportional_ = false;
    bool transparent_ = false;
    bool incrementalDisplay_ = false;
    bool drawing_ = false;
};

}  // namespace dsp
