// TiPlotComponent: the plot out of the window: the clipboard, a vector snapshot, image files,
// printing page by page along X axis 0, and the print preview.

#include <cmath>
#include <cstdlib>
#include <utility>

#include "framework/core/Exceptions.h"
#include "framework/desktop/Clipboard.h"
#include "framework/desktop/Metafile.h"
#include "framework/desktop/PrintDialog.h"
#include "framework/desktop/Printers.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"
#include "framework/text/FileNames.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotDecorServices.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

namespace {

constexpr const char* kCreator = "PlotEngine";

// Opens an update batch for one scope; it is closed on every exit.
class TUpdateBatch {
public:
    explicit TUpdateBatch(TiComponent& c) : c_(c) { c_.BeginUpdate(); }
    ~TUpdateBatch() { c_.EndUpdate(); }
    TUpdateBatch(const TUpdateBatch&) = delete;
    TUpdateBatch& operator=(const TUpdateBatch&) = delete;

private:
    TiComponent& c_;
};

int Nearest(double value) { return static_cast<int>(Round(value)); }

// Runs its function when the scope ends, however it ends.
template <typename F>
class TOnExit {
public:
    explicit TOnExit(F f) : f_(std::move(f)) {}
    ~TOnExit() { f_(); }
    TOnExit(const TOnExit&) = delete;
    TOnExit& operator=(const TOnExit&) = delete;

private:
    F f_;
};

}  // namespace

// ---- clipboard and snapshot

void TiPlotComponent::CopyToClipBoard() {
    TUpdateBatch batch(*this);
    const bool toolBarVisible = ToolBarCount() > 0 && GetToolBar(0)->Visible();
    FMaster->ShowToolBars(false);
    FMaster->DeSelectAll();
    try {
        switch (FCopyToClipBoardFormat) {
            case ipefMetaFile: {
                if (!FMetaFile) FMetaFile = std::make_unique<TMetafile>();
                FMetaFile->SetSize(Width(), Height());
                {
                    TMetafileCanvas canvas(FMetaFile.get(), kCreator, "Strip Chart");
                    PaintToCanvas(&canvas);
                }
                Clipboard()->Assign(FMetaFile.get());
                break;
            }
            case ipefBitmap: {
                TBitmap bitmap(Width(), Height());
                PaintToCanvas(bitmap.Canvas());
                Clipboard()->Assign(&bitmap);
                break;
            }
            case ipefJPEG: {
                // A picture that could not be made leaves the clipboard as it was.
                if (std::unique_ptr<TJPEGImage> jpeg = CreateJPEGImage(100, false)) {
                    Clipboard()->Assign(jpeg.get());
                }
                break;
            }
        }
    } catch (...) {
        FMaster->ShowToolBars(toolBarVisible);
        throw;
    }
    FMaster->ShowToolBars(toolBarVisible);
}

TPicture* TiPlotComponent::GetSnapShotPicture() {
    if (!FSnapShotPicture) FSnapShotPicture = std::make_unique<TPicture>();
    if (!FMetaFile) FMetaFile = std::make_unique<TMetafile>();
    FMetaFile->SetSize(Width(), Height());
    {
        TMetafileCanvas canvas(FMetaFile.get(), kCreator, "iPlot");
        PaintToCanvas(&canvas);
    }
    FSnapShotPicture->SetGraphic(FMetaFile.get());
    return FSnapShotPicture.get();
}

// ---- image files

void TiPlotComponent::SaveImageByExtension(const std::string& fileName,
                                           TiPlotImageFormatStyle otherwise) {
    // The ending decides whatever its case; an ending of no image format takes the one given.
    const std::string ending =
        LowerCase(fileName.size() >= 3 ? fileName.substr(fileName.size() - 3) : fileName);
    TiPlotImageFormatStyle format = otherwise;
    if (ending == "bmp") {
        format = ipifBitmap;
    } else if (ending == "emf") {
        format = ipifEnhancedMetaFile;
    } else if (ending == "jpg") {
        format = ipifJPEG;
    } else if (ending == "png") {
        format = ipifPNG;
    }
    switch (format) {
        case ipifBitmap: SaveImageToBitmap(fileName); break;
        case ipifEnhancedMetaFile: SaveImageToMetaFile(fileName); break;
        case ipifJPEG: SaveImageToJPEG(fileName, 100, true); break;
        case ipifPNG: SaveImageToPNG(fileName, 9); break;
    }
}

void TiPlotComponent::Save() {
    IPlotDecorServices* services = PlotDecorServices();
    if (services == nullptr) return;
    int filterIndex = static_cast<int>(FDefaultSaveImageFormat) + 1;
    std::string fileName;
    if (!services->ExecuteSaveImageDialog(this, FDefaultSaveImageDirectory, filterIndex,
                                          fileName)) {
        return;
    }
    FMaster->DeSelectAll();
    const int chosen =
        filterIndex >= 1 && filterIndex <= 4 ? filterIndex - 1 : static_cast<int>(ipifBitmap);
    SaveImageByExtension(fileName, static_cast<TiPlotImageFormatStyle>(chosen));
}

// ---- printing

void TiPlotComponent::PaperInches(double& width, double& height) {
    if (FPrinterPaperWidthInches > 0 && FPrinterPaperHeightInches > 0) {
        width = FPrinterPaperWidthInches;
        height = FPrinterPaperHeightInches;
        return;
    }
    // Nothing printed yet: the paper the printer has now.
    GetPrinterPaperSizeInches(width, height);
}

void TiPlotComponent::PrintChart() {
    TPrinter* printer = Printer();
    if (printer->Printing()) printer->EndDoc();
    printer->SetOrientation(FPrintOrientation);
    printer->SetTitle(FPrintDocumentName);
    if (FPrintShowDialog) {
        TPrintDialog dialog(this);
        if (!dialog.Execute(HandleAllocated() ? Handle() : HWND{})) return;
    }
    TUpdateBatch batch(*this);
    if (XAxisCount() > 0) {
        FPrintXStart = GetXAxis(0)->Min();
        FPrintXStop = GetXAxis(0)->Max();
    }
    try {
        PrintPages();
    } catch (const Exception& e) {
        throw Exception("Error Printing : " + e.Message());
    }
}

void TiPlotComponent::PrintPages() {
    TPrinter* printer = Printer();
    if (!Trim(FPrinterName).empty()) {
        const int index = printer->Printers()->IndexOf(Trim(FPrinterName));
        if (index >= 0) printer->SetPrinterIndex(index);
    }
    GetPrinterPaperSizeInches(FPrinterPaperWidthInches, FPrinterPaperHeightInches);
    FPrinterPaperWidthCentimeters = FPrinterPaperWidthInches * 2.54;
    FPrinterPaperHeightCentimeters = FPrinterPaperHeightInches * 2.54;
    const double rx = printer->DeviceCaps(LOGPIXELSX);
    const double ry = printer->DeviceCaps(LOGPIXELSY);
    const double ox = printer->DeviceCaps(PHYSICALOFFSETX);
    const double oy = printer->DeviceCaps(PHYSICALOFFSETY);
    FPrinterPaperWidthPixels = Nearest(rx * FPrinterPaperWidthInches);
    FPrinterPaperHeightPixels = Nearest(ry * FPrinterPaperHeightInches);

    TiPlotXAxis* axis = XAxisCount() > 0 ? GetXAxis(0) : nullptr;
    const bool toolBarVisible = ToolBarCount() > 0 && GetToolBar(0)->Visible();
    const double oldMin = axis != nullptr ? axis->Min() : 0;
    const double oldSpan = axis != nullptr ? axis->Span() : 0;
    const int oldWidth = Width();
    const int oldHeight = Height();
    const int margins[4] = {FOuterMarginLeft, FOuterMarginTop, FOuterMarginRight,
                            FOuterMarginBottom};
    // Everything the pages change comes back, and the job ends, whatever happens.
    TOnExit restore([&] {
        if (printer->Printing()) printer->EndDoc();
        FMaster->ShowToolBars(toolBarVisible);
        if (axis != nullptr) axis->SetMinSpan(oldMin, oldSpan);
        SetBounds(Left(), Top(), oldWidth, oldHeight);
        FOuterMarginLeft = margins[0];
        FOuterMarginTop = margins[1];
        FOuterMarginRight = margins[2];
        FOuterMarginBottom = margins[3];
    });

    printer->BeginDoc();
    FMaster->DeSelectAll();
    FMaster->ShowToolBars(false);
    if (OnBeforePrint) OnBeforePrint(this);

    int page = 1;
    if (axis != nullptr) axis->SetMin(FPrintXStart);
    // Without an X axis the plot prints on one page as it is.
    for (;;) {
        const bool more = axis != nullptr && axis->Min() < FPrintXStop;
        if (axis != nullptr && !more) break;
        if (OnBeforePrintPage)
            OnBeforePrintPage(page, axis == nullptr || axis->Max() >= FPrintXStop);
        const double scale = std::min(
            (FPrinterPaperWidthPixels - (FPrintMarginLeft + FPrintMarginRight) * rx) / Width(),
            (FPrinterPaperHeightPixels - (FPrintMarginTop + FPrintMarginBottom) * ry) / Height());
        const TRect rect{Nearest(rx * FPrintMarginLeft - ox), Nearest(ry * FPrintMarginTop - oy),
                         Nearest(rx * FPrintMarginLeft - ox + Width() * scale),
                         Nearest(ry * FPrintMarginTop - oy + Height() * scale)};
        ReCalcLayout();
        PrintPageToRect(rect);
        if (axis == nullptr) break;
        if (!(axis->Min() + axis->Span() > axis->Min()) || axis->Max() >= FPrintXStop) break;
        printer->NewPage();
        ++page;
        axis->SetMin(axis->Min() + axis->Span());
    }
    if (OnAfterPrint) OnAfterPrint(this);
}

void TiPlotComponent::PrintPageToRect(const TRect& rect) {
    TMetafile metafile;
    metafile.SetSize(Width(), Height());
    {
        TMetafileCanvas canvas(&metafile, kCreator, "");
        PaintToCanvas(&canvas);
    }
    Printer()->Canvas()->StretchDraw(rect, &metafile);
}

void TiPlotComponent::PrintSizeToFillPage() {
    double width = 0;
    double height = 0;
    PaperInches(width, height);
    if (width <= 0) return;
    SetBounds(Left(), Top(), Width(), static_cast<int>(Trunc(Width() * height / width)));
    ReCalcLayout();
}

void TiPlotComponent::PrintAdjustXSpanToMinutesPerMillimeter(double minutesPerMillimeter) {
    if (XAxisCount() == 0 || Height() <= 0) return;
    ReCalcLayout();
    TiPlotXAxis* axis = GetXAxis(0);
    const double pixels =
        std::abs(axis->PositionToPixels(axis->Max()) - axis->PositionToPixels(axis->Min()));
    double width = 0;
    double height = 0;
    PaperInches(width, height);
    // The printed height of the plot per screen pixel, in millimetres, times the minutes per
    // millimetre, in days.
    axis->SetSpan(pixels * ((height - FPrintMarginTop - FPrintMarginBottom) / Height()) * 25.4 *
                  minutesPerMillimeter / 1440);
}

void TiPlotComponent::PreviewChart() {
    if (IPlotDecorServices* services = PlotDecorServices()) services->PreviewChart(this);
}

}  // namespace dsp
