#pragma once
// TBitmap: a picture of its own pixels with a canvas to draw on them. Colour bitmaps hold 32-bit
// pixels; a monochrome bitmap holds only black and white. A transparent bitmap leaves out, when
// drawn, the pixels of its transparent colour: the bottom-left pixel's colour (tmAuto) or a
// colour set on purpose (tmFixed). Files are BMP (1, 4, 8, 16, 24 and 32 bits per pixel read;
// 1, 24 and 32 bits written).

#include <memory>

#include "framework/core/FrameworkKey.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Graphic.h"

namespace dsp {

enum TPixelFormat {
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit,
    pfCustom
};
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    TCanvas* Canvas() const;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    // New pixels are white; the pixels that remain keep their place.
    void SetSize(int width, int height) override;

    bool Monochrome() const;
    // Making a bitmap monochrome keeps its white pixels white and turns all others black.
    void SetMonochrome(bool value);
    TPixelFormat PixelFormat() const;
    void SetPixelFormat(TPixelFormat value);

    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);  // also makes the mode tmFixed
    TTransparentMode TransparentMode() const;
    void SetTransparentMode(TTransparentMode value);

    // A pixel without clipping or coordinate mapping; 0 outside the bitmap.
    TColorRef PixelAt(int x, int y) const;

    std::unique_ptr<TGraphic> CreateNew() const override { return std::make_unique<TBitmap>(); }
    void Draw(TCanvas* canvas, const TRect& r) override;
    void LoadFromBytes(const std::vector<std::uint8_t>& data) override;
    std::vector<std::uint8_t> SaveToBytes() const override;
    // Bitmaps are RT_BITMAP resources (whole BMP files).
    int ResourceType() const override { return RT_BITMAP; }
    // A bitmap, null (empty) or any picture that can give its pixels to a bitmap.
    void Assign(TPersistent* source) override;

    struct Impl;
    Impl& Internal(TFrameworkKey) const { return *impl_; }
    // After the pixels were replaced in Internal().
    void PixelsReplaced(TFrameworkKey);

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace dsp
