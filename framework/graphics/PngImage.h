#pragma once
// TPngImage: a PNG picture, kept decoded with its alpha channel. Drawing blends it over the
// canvas by its alpha; saving compresses it with CompressionLevel (0 none to 9 best).

#include <memory>

#include "framework/core/FrameworkKey.h"
#include "framework/graphics/Graphic.h"

namespace dsp {

class TPngImage : public TGraphic {
public:
    TPngImage();
    ~TPngImage() override;

    int CompressionLevel() const { return level_; }
    void SetCompressionLevel(int value);  // 0 to 9
    bool HasAlpha() const;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    // A colour with its alpha (0 transparent to 255 opaque) in the high byte; 0 outside.
    std::uint32_t PixelWithAlpha(int x, int y) const;

    std::unique_ptr<TGraphic> CreateNew() const override { return std::make_unique<TPngImage>(); }
    void Draw(TCanvas* canvas, const TRect& r) override;
    void LoadFromBytes(const std::vector<std::uint8_t>& data) override;
    std::vector<std::uint8_t> SaveToBytes() const override;
    // A PNG image, a bitmap (opaque) or null (empty).
    void Assign(TPersistent* source) override;

    struct Impl;
    Impl& Internal(TFrameworkKey) const { return *impl_; }

protected:
    void AssignTo(TPersistent* dest) override;

private:
    std::unique_ptr<Impl> impl_;
    int level_ = 7;
};

using TPNGObject = TPngImage;

}  // namespace dsp
