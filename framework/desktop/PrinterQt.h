#pragma once
// Framework-internal: the state behind the printer.

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

#include <memory>
#include <string>

#include "framework/desktop/Printers.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasQt.h"

namespace dsp {

struct TPrinter::Impl {
    std::unique_ptr<TStringList> printers;
    int index = -1;  // into printers, -1 until the first use
    TPrinterOrientation orientation = poPortrait;
    QPageSize::PageSizeId paper = QPageSize::A4;
    int copies = 1;
    std::string title;
    std::string fileName;
    int pdfResolution = 300;
    double pdfMargin = 0;

    // The job.
    bool printing = false;
    bool aborted = false;
    int pageNumber = 0;
    std::unique_ptr<QPagedPaintDevice> device;
    std::unique_ptr<QPainter> painter;
    std::string jobFile;  // the PDF being written
    QImage page;
    TCanvasSurface surface;
    std::unique_ptr<TCanvas> canvas;

    // The printers, read once.
    TStringList& List();
    int Selected();
    bool PdfSelected();
    // The resolution the pages are drawn at.
    int Resolution();
    QPageLayout Layout();
    QSize PagePixels();  // the printable area
    QSize PaperPixels();
    QPoint OffsetPixels();  // the printable area's corner on the paper

    void StartPage();
    void FlushPage();
    void EndJob();
};

}  // namespace dsp
