#pragma once
// The printer: the list of printers, the one selected with its paper, orientation and copies,
// the device's resolution and page geometry, and print jobs whose pages are drawn on a canvas.
// Besides the system's printers the list always holds a printer that writes PDF files (the
// one tests print on). Pages are drawn at the printer's resolution (300 pixels per inch at
// most), on the printable area: (0, 0) lies PHYSICALOFFSETX, PHYSICALOFFSETY pixels inside the
// paper's corner. UI thread only.

#include <memory>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"
#include "framework/core/TypeInfo.h"
#include "framework/text/StringList.h"

namespace dsp {

class TCanvas;

enum TPrinterOrientation { poPortrait, poLandscape };
DSP_ENUM_NAMES(TPrinterOrientation, "poPortrait", "poLandscape")

// Device capabilities of the printer besides those of Canvas.h (LOGPIXELSX, HORZRES, ...).
constexpr int HORZSIZE = 4;  // printable width in millimetres
constexpr int VERTSIZE = 6;
constexpr int PHYSICALWIDTH = 110;  // the paper in pixels
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;  // the printable area's corner on the paper, pixels
constexpr int PHYSICALOFFSETY = 113;

// Paper codes of the device mode (the system's numbering).
constexpr int DMPAPER_LETTER = 1;
constexpr int DMPAPER_LEGAL = 5;
constexpr int DMPAPER_A3 = 8;
constexpr int DMPAPER_A4 = 9;
constexpr int DMPAPER_A5 = 11;

// The selected printer's settings.
struct TDeviceMode {
    std::string deviceName;
    int paperSize = DMPAPER_A4;
    TPrinterOrientation orientation = poPortrait;
    int copies = 1;
};

// Printer errors: "Printing in progress", "Printer is not currently printing",
// "Printer selected is not valid", "Paper size not supported".
class EPrinter : public Exception {
public:
    using Exception::Exception;
};

// The name of the printer that writes PDF files.
extern const char* const kPdfPrinterName;

class TPrinter : public TObject {
public:
    TPrinter();
    ~TPrinter() override;

    // ---- printers
    // The system's printers, then the PDF printer.
    TStrings* Printers() const;
    // The selected printer; -1 selects the default one (the system's default printer, else
    // the PDF printer). Selecting a printer takes its own paper size.
    int PrinterIndex() const;
    void SetPrinterIndex(int index);
    bool IsPdfPrinter() const;

    // ---- settings (not while printing)
    TPrinterOrientation Orientation() const;
    void SetOrientation(TPrinterOrientation value);
    // A paper code (DMPAPER_...); codes the printer does not know raise EPrinter.
    int PaperSize() const;
    void SetPaperSize(int paperCode);
    int Copies() const;
    void SetCopies(int value);
    // The job's name.
    const std::string& Title() const;
    void SetTitle(const std::string& value);
    // The file the PDF printer writes; empty: asked for with a save dialog when a job begins.
    const std::string& FileName() const;
    void SetFileName(const std::string& value);
    // The PDF printer's resolution (72 to 1200 pixels per inch, 300 at first) and the margin
    // it cannot print on (inches, 0 at first).
    void SetPdfResolution(int pixelsPerInch);
    void SetPdfMargin(double inches);

    // The settings as a device mode; false when there is no valid printer selected.
    bool GetDeviceMode(TDeviceMode& mode) const;

    // ---- the device
    int PageWidth() const;  // the printable area, pixels
    int PageHeight() const;
    int DeviceCaps(int index) const;

    // ---- jobs
    void BeginDoc();
    // Ends the job: the last page goes out and the document is complete.
    void EndDoc();
    void NewPage();
    // Ends the job without printing anything more; a PDF file is removed.
    void Abort();
    bool Printing() const;
    // True after Abort (or a cancelled file dialog) until the next BeginDoc.
    bool Aborted() const;
    int PageNumber() const;
    // The page being printed; outside a job a canvas that measures text but draws nothing.
    TCanvas* Canvas() const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

// The program's printer.
TPrinter* Printer();

}  // namespace dsp
