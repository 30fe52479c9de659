// TiVCLComponent: the see-through mode, painting into another canvas and image export.

#include <cerrno>

#include "framework/controls/StdControlSupport.h"
#include "framework/core/Exceptions.h"
#include "framework/desktop/Metafile.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/PngImage.h"
#include "framework/text/WholeFile.h"
#include "plot/engine/iVCLComponent.h"

namespace dsp {

namespace {

void CheckJpegCompression(int compression) {
    if (compression < 1 || compression > 100) {
        throw Exception("Compression must be in the range of 1-100");
    }
}

void CheckPngCompression(int compression) {
    if (compression < 0 || compression > 9) {
        throw Exception("Compression must be in the range of 0-9");
    }
}

void WriteImageFile(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
    std::string error;
    if (!WriteWholeFile(fileName, bytes, &error)) throw EOSError(error, EIO);
}

// Holds the painting lock for one scope.
class TPaintLock {
public:
    explicit TPaintLock(TiVCLComponent& c) : c_(c) { c_.Lock(); }
    ~TPaintLock() { c_.Unlock(); }
    TPaintLock(const TPaintLock&) = delete;
    TPaintLock& operator=(const TPaintLock&) = delete;

private:
    TiVCLComponent& c_;
};

}  // namespace

// ---- see-through mode

void TiVCLComponent::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    if (value) {
        if (!FTransparentBitmap) {
            FTransparentBitmap = std::make_unique<TBitmap>(Width(), Height());
        }
        RequestTransparentCapture();
    } else {
        FTransparentBitmap.reset();
        FNeedsTransparentCapture = false;
    }
    RequestFullRepaint();
}

void TiVCLComponent::RequestTransparentCapture() {
    if (!FTransparent || FNeedsTransparentCapture) return;
    FNeedsTransparentCapture = true;
    RequestFullRepaint();
}

void TiVCLComponent::CaptureTransparentBackground() {
    if (!FNeedsTransparentCapture) return;
    if (FTransparentBitmap->Width() != Width() || FTransparentBitmap->Height() != Height()) {
        FTransparentBitmap->SetSize(Width(), Height());
    }
    TCanvas* canvas = FTransparentBitmap->Canvas();
    if (Parent() == nullptr) {
        // Nothing to show through yet: the background colour until there is a parent.
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(GetBackGroundColor());
        canvas->FillRect({0, 0, Width(), Height()});
        return;
    }
    // The parent paints what lies under the component into the bitmap; nothing is read from
    // the screen, so other windows over the component never end up in it.
    PaintParentBackground(*this, *canvas);
    FNeedsTransparentCapture = false;
}

void TiVCLComponent::DrawBackGround(TCanvas* canvas, TColor color) {
    if (FPaintDCTransparent) return;
    if (!FTransparent) {
        TiComponent::DrawBackGround(canvas, color);
        return;
    }
    FBackGroundChanged = false;
    CaptureTransparentBackground();
    canvas->Draw(0, 0, FTransparentBitmap.get());
    DrawBorder(canvas);
}

// ---- painting elsewhere

void TiVCLComponent::iPaintToDC(int x, int y, TCanvas* canvas, bool transparent) {
    const int saved = canvas->SaveDC();
    canvas->SetViewportOrg(0, 0);
    canvas->SetWindowOrg(-x, -y);
    canvas->IntersectClipRect(0, 0, Width(), Height());
    FPaintDCTransparent = transparent;
    try {
        TPaintLock lock(*this);
        const bool cached = GetCachedDrawing();
        SetCachedDrawing(false);
        try {
            PaintToCanvas(canvas);
        } catch (...) {
            SetCachedDrawing(cached);
            throw;
        }
        SetCachedDrawing(cached);
    } catch (const Exception&) {
        // A failed painting leaves what it drew; the caller's canvas stays usable.
    }
    FPaintDCTransparent = false;
    canvas->RestoreDC(saved);
}

// ---- image export

std::unique_ptr<TBitmap> TiVCLComponent::RenderBitmap() {
    auto bitmap = std::make_unique<TBitmap>(Width(), Height());
    TPaintLock lock(*this);
    PaintToCanvas(bitmap->Canvas());
    return bitmap;
}

void TiVCLComponent::SaveImageToMetaFile(const std::string& fileName) {
    TMetafile metafile;
    metafile.SetSize(Width(), Height());
    {
        TMetafileCanvas canvas(&metafile, "PlotEngine", "");
        TPaintLock lock(*this);
        PaintToCanvas(&canvas);
    }
    WriteImageFile(fileName, metafile.SaveToBytes());
}

std::unique_ptr<TJPEGImage> TiVCLComponent::CreateJPEGImage(int compression, bool progressive) {
    CheckJpegCompression(compression);
    auto bitmap = RenderBitmap();
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->Assign(bitmap.get());
    jpeg->SetCompressionQuality(compression);
    jpeg->SetPerformance(jpBestQuality);
    jpeg->SetProgressiveEncoding(progressive);
    jpeg->Compress();
    return jpeg;
}

void TiVCLComponent::SaveImageToJPEG(const std::string& fileName, int compression,
                                     bool progressive) {
    WriteImageFile(fileName, CreateJPEGImage(compression, progressive)->SaveToBytes());
}

void TiVCLComponent::SaveImageToPNG(const std::string& fileName, int compression) {
    CheckPngCompression(compression);
    auto bitmap = RenderBitmap();
    TPngImage png;
    png.Assign(bitmap.get());
    png.SetCompressionLevel(compression);
    WriteImageFile(fileName, png.SaveToBytes());
}

TVariant TiVCLComponent::GetBytesJPEG(int compression, bool progressive) {
    CheckJpegCompression(compression);
    auto bitmap = RenderBitmap();
    TJPEGImage jpeg;
    jpeg.Assign(bitmap.get());
    jpeg.SetCompressionQuality(compression);
    jpeg.SetPerformance(jpBestSpeed);
    jpeg.SetProgressiveEncoding(progressive);
    jpeg.Compress();
    return VarArrayFromBytes(jpeg.SaveToBytes());
}

TVariant TiVCLComponent::GetBytesPNG(int compression) {
    CheckPngCompression(compression);
    auto bitmap = RenderBitmap();
    TPngImage png;
    png.Assign(bitmap.get());
    png.SetCompressionLevel(compression);
    return VarArrayFromBytes(png.SaveToBytes());
}

}  // namespace dsp
