#pragma once
// TGDIPPicture: the picture type of the faders, the image controls and the hint settings. It keeps
// the image file's bytes and decodes them for every measuring and drawing. A picture read from a
// form stream is not measured until GetImageSizes. Drawn with a canvas, a BMP is stretched into
// the rectangle with its bottom-left colour left out; other pictures are stretched as they are.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Graphic.h"
#include "widgets/styled/AdvGDIP.h"

namespace dsp {

class TStream;
class TMemoryStream;

class TGDIPPicture : public TGraphic {
public:
    TGDIPPicture();
    ~TGDIPPicture() override;

    bool Empty() const override { return FIsEmpty; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetSize(int, int) override {}
    std::unique_ptr<TGraphic> CreateNew() const override;
    void Draw(TCanvas* canvas, const TRect& r) override;
    void LoadFromBytes(const std::vector<std::uint8_t>& data) override;
    std::vector<std::uint8_t> SaveToBytes() const override;
    void Assign(TPersistent* source) override;

    // The form stream's binary property "Data": the file's bytes, nothing before them; written
    // only for a picture that is not empty.
    void DefineProperties(TFiler* filer) override;
    void ReadData(TStream* stream);
    void WriteData(TStream* stream);
    void LoadFromStream(TStream* stream);
    void SaveToStream(TStream* stream);
    void LoadFromFile(const std::string& fileName);
    void LoadFromURL(const std::string& url);
    void LoadFromResourceName(const std::string& resName);
    void LoadFromClipboardFormat() {}
    void SaveToClipboardFormat() {}

    bool GetImageSizes();
    void DrawImage(TGPGraphics* graphics, int x, int y);
    void DrawImageRect(TGPGraphics* graphics, int x, int y, int w, int h);

    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool value) { FDoubleBuffered = value; }
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor value) { FBackgroundColor = value; }
    const TMemoryStream& Data() const { return *FDatastream; }

    TNotifyEvent OnClear;

private:
    void DoClear();

    std::unique_ptr<TMemoryStream> FDatastream;
    bool FIsEmpty = true;
    int FWidth = 0;
    int FHeight = 0;
    bool FDoubleBuffered = false;
    TColor FBackgroundColor = clNone;
};

}  // namespace dsp
