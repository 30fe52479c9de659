// RenderMiniHtml on a surface of the anti-aliased drawing layer.

#include <memory>

#include "framework/graphics/ImageList.h"
#include "widgets/styled/AdvGDIP.h"
#include "widgets/styled/GDIPPictureContainer.h"
#include "widgets/styled/MiniHtml.h"

namespace dsp {

namespace {

constexpr unsigned kCalculateOnly = 0x400;
constexpr int kMeasureExtent = 10000;

class TGdipMiniHtmlSurface : public IMiniHtmlSurface {
public:
    TGdipMiniHtmlSurface(TGPGraphics& graphics, TImageList* images,
                         TGDIPPictureContainer* container)
        : graphics_(graphics), images_(images), container_(container) {}

    int TextHeight(const std::string& text, const TMiniHtmlFont& font) override {
        return graphics_.TextHeight(text, &Font(font));
    }

    int RunWidth(const std::string& text, const TMiniHtmlFont& font) override {
        TRect r = Rect(0, 0, kMeasureExtent, kMeasureExtent);
        graphics_.DrawText(text, static_cast<int>(text.size()), r, &Font(font), kCalculateOnly,
                           clNone);
        return r.Right - r.Left;
    }

    void DrawRun(const std::string& text, const TMiniHtmlFont& font, int x, int y,
                 TColor background) override {
        TRect r = Rect(x, y, x + kMeasureExtent, y + kMeasureExtent);
        graphics_.DrawText(text, static_cast<int>(text.size()), r, &Font(font), 0, background);
    }

    void FillRect(const TRect& r, TColor color) override {
        if (color == clNone) return;
        TGPSolidBrush brush(ColorToArgb(color));
        graphics_.FillRectangle(&brush, static_cast<REAL>(r.Left), static_cast<REAL>(r.Top),
                                static_cast<REAL>(r.Width()), static_cast<REAL>(r.Height()));
    }

    void FillEllipse(const TRect& r, TColor color) override {
        if (color == clNone) return;
        TGPSolidBrush brush(ColorToArgb(color));
        graphics_.FillEllipse(&brush, static_cast<REAL>(r.Left), static_cast<REAL>(r.Top),
                              static_cast<REAL>(r.Width()), static_cast<REAL>(r.Height()));
    }

    void DrawLine(int x1, int y1, int x2, int y2, TColor color) override {
        TGPPen pen(ColorToArgb(color), 1);
        graphics_.DrawLine(&pen, static_cast<REAL>(x1), static_cast<REAL>(y1),
                           static_cast<REAL>(x2), static_cast<REAL>(y2));
    }

    TSize ImageSize(int index) override {
        if (images_ == nullptr || index < 0 || index >= images_->Count()) return {};
        return {images_->Width(), images_->Height()};
    }

    void DrawImage(int index, int x, int y) override {
        if (images_ == nullptr) return;
        TCanvas* canvas = graphics_.GetHDC();
        if (canvas == nullptr) return;
        images_->Draw(canvas, x, y, index);
        graphics_.ReleaseHDC(canvas);
    }

    TSize PictureSize(const std::string& name) override {
        TAdvGDIPPicture* picture = Find(name);
        if (picture == nullptr) return {};
        return {picture->Width(), picture->Height()};
    }

    void DrawPicture(const std::string& name, int x, int y, int width, int height) override {
        if (TAdvGDIPPicture* picture = Find(name)) {
            picture->GDIPDraw(&graphics_, Rect(x, y, x + width, y + height));
        }
    }

private:
    TFont& Font(const TMiniHtmlFont& font) {
        if (font_.Name() != font.name) font_.SetName(font.name);
        if (font_.Size() != font.size) font_.SetSize(font.size);
        if (font_.Style() != font.style) font_.SetStyle(font.style);
        if (font_.Color() != font.color) font_.SetColor(font.color);
        return font_;
    }

    TAdvGDIPPicture* Find(const std::string& name) {
        if (container_ == nullptr) return nullptr;
        TAdvGDIPPicture* picture = container_->FindPicture(name);
        if (picture == nullptr || picture->Empty()) return nullptr;
        if (picture->Width() <= 0 || picture->Height() <= 0) picture->GetImageSizes();
        return picture;
    }

    TGPGraphics& graphics_;
    TImageList* images_;
    TGDIPPictureContainer* container_;
    TFont font_;
};

}  // namespace

bool RenderMiniHtml(const TMiniHtmlParams& params, TMiniHtmlResult& result) {
    if (params.Graphics == nullptr || params.Font == nullptr) return false;
    TGdipMiniHtmlSurface surface(*params.Graphics, params.Images, params.PictureContainer);
    TMiniHtmlFont font;
    font.name = params.Font->Name();
    font.size = params.Font->Size();
    font.style = params.Font->Style();
    font.color = params.Font->Color();
    return RenderMiniHtmlOn(surface, font, params.Text, params.Rect, params, result);
}

}  // namespace dsp
