#pragma once
// TJPEGImage: a JPEG picture. Loaded data is kept as it is and decoded when the picture is first
// drawn or its pixels are needed; a picture assigned from a bitmap is compressed when its bytes
// are asked for, with the quality, progressive and greyscale settings of that moment.

#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Graphic.h"

namespace dsp {

enum TJPEGPerformance { jpBestQuality, jpBestSpeed };

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;

    int CompressionQuality() const { return quality_; }
    void SetCompressionQuality(int value);  // 1 to 100
    bool ProgressiveEncoding() const { return progressive_; }
    void SetProgressiveEncoding(bool value) { progressive_ = value; }
    bool Grayscale() const { return grayscale_; }
    void SetGrayscale(bool value) { grayscale_ = value; }
    TJPEGPerformance Performance() const { return performance_; }
    void SetPerformance(TJPEGPerformance value) { performance_ = value; }

    bool Empty() const override;
    int Width() const override;
    int Height() const override;

    // Encodes the pixels with the current settings (the bytes then follow them).
    void Compress();
    // The decoded pixels; decodes on first use.
    TBitmap* Bitmap();

    std::unique_ptr<TGraphic> CreateNew() const override { return std::make_unique<TJPEGImage>(); }
    void Draw(TCanvas* canvas, const TRect& r) override;
    void LoadFromBytes(const std::vector<std::uint8_t>& data) override;
    std::vector<std::uint8_t> SaveToBytes() const override;
    // A JPEG image, a bitmap (compressed when saved) or null (empty).
    void Assign(TPersistent* source) override;

protected:
    void AssignTo(TPersistent* dest) override;

private:
    void Decode();

    std::vector<std::uint8_t> data_;   // the file, when there is one
    std::unique_ptr<TBitmap> bitmap_;  // the pixels, when decoded or assigned
    int width_ = 0;
    int height_ = 0;
    int quality_ = 90;
    bool progressive_ = false;
    bool grayscale_ = false;
    TJPEGPerformance performance_ = jpBestQuality;
};

}  // namespace dsp
