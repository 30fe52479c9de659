#include "tests/widgets/styled/StyledTestSupport.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/JpegImage.h"
#include "framework/text/Streams.h"

namespace dsp::test {

std::vector<std::uint8_t> BmpFile(int width, int height, TColor body, TColor bottomLeft) {
    TBitmap b(width, height);
    b.Canvas()->Brush()->SetColor(body);
    b.Canvas()->FillRect(Rect(0, 0, width, height));
    b.Canvas()->SetPixels(0, height - 1, bottomLeft);
    b.SetPixelFormat(pf24bit);
    return b.SaveToBytes();
}

std::vector<std::uint8_t> PngFile(int width, int height, ARGB color) {
    TGPBitmap bitmap(width, height, PixelFormat32bppARGB);
    TGPGraphics g(&bitmap);
    g.Clear(color);
    IStream file;
    bitmap.Save(&file, EncoderPng);
    return file.data;
}

std::vector<std::uint8_t> JpegFile(int width, int height, TColor color) {
    TBitmap b(width, height);
    b.Canvas()->Brush()->SetColor(color);
    b.Canvas()->FillRect(Rect(0, 0, width, height));
    TJPEGImage jpeg;
    jpeg.Assign(&b);
    return jpeg.SaveToBytes();
}

void LoadPicture(TAdvGDIPPicture& picture, const std::vector<std::uint8_t>& file) {
    TMemoryStream s;
    s.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
    picture.LoadFromStream(&s);
}

}  // namespace dsp::test
