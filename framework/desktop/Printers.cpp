#include "framework/desktop/Printers.h"

#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cmath>

#include "framework/desktop/FileDialogs.h"
#include "framework/desktop/PrinterQt.h"

namespace dsp {

const char* const kPdfPrinterName = "Print to PDF";

namespace {

constexpr int kSystemPrinterResolution = 300;
constexpr QRgb kWhite = 0xFFFFFFFFu;

bool HaveGui() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

QString Q(const std::string& s) { return QString::fromStdString(s); }

QPageLayout::Orientation ToQt(TPrinterOrientation o) {
    return o == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

}  // namespace

// ---- Impl

TStringList& TPrinter::Impl::List() {
    if (!printers) {
        printers = std::make_unique<TStringList>();
        if (HaveGui())
            for (const QString& name : QPrinterInfo::availablePrinterNames())
                printers->Add(name.toStdString());
        printers->Add(kPdfPrinterName);
    }
    return *printers;
}

int TPrinter::Impl::Selected() {
    if (index < 0) {
        TStringList& list = List();
        const QString system = HaveGui() ? QPrinterInfo::defaultPrinterName() : QString();
        const int found = system.isEmpty() ? -1 : list.IndexOf(system.toStdString());
        index = found >= 0 ? found : list.Count() - 1;
        if (!PdfSelected()) paper = QPrinterInfo::printerInfo(system).defaultPageSize().id();
        if (paper == QPageSize::Custom) paper = QPageSize::A4;
    }
    return index;
}

bool TPrinter::Impl::PdfSelected() {
    TStringList& list = List();
    return index < 0 || list.Strings(index) == kPdfPrinterName;
}

int TPrinter::Impl::Resolution() {
    Selected();
    return PdfSelected() ? pdfResolution : kSystemPrinterResolution;
}

QPageLayout TPrinter::Impl::Layout() {
    Selected();
    QMarginsF margins(pdfMargin, pdfMargin, pdfMargin, pdfMargin);
    if (!PdfSelected() && HaveGui()) {
        // The margins the printer cannot print on, for this paper.
        QPrinter printer(QPrinterInfo::printerInfo(Q(List().Strings(index))),
                         QPrinter::HighResolution);
        printer.setPageSize(QPageSize(paper));
        printer.setPageOrientation(ToQt(orientation));
        margins = printer.pageLayout().minimumMargins();
        const QPageLayout layout(QPageSize(paper), ToQt(orientation), margins,
                                 printer.pageLayout().units());
        return layout;
    }
    return QPageLayout(QPageSize(paper), ToQt(orientation), margins, QPageLayout::Inch);
}

namespace {

// The paper in inches, from the size it is defined in (the toolkit's own pixel and inch sizes
// go through rounded points and hundredths: A4 would be 2479 pixels wide at 300 per inch).
QSizeF PaperInches(const QPageSize& paper) {
    const QSizeF size = paper.definitionSize();
    switch (paper.definitionUnits()) {
        case QPageSize::Millimeter: return size / 25.4;
        case QPageSize::Inch: return size;
        case QPageSize::Point: return size / 72.0;
        default: return paper.size(QPageSize::Millimeter) / 25.4;
    }
}

double MarginToInches(double value, QPageLayout::Unit unit) {
    switch (unit) {
        case QPageLayout::Millimeter: return value / 25.4;
        case QPageLayout::Inch: return value;
        case QPageLayout::Point: return value / 72.0;
        case QPageLayout::Pica: return value / 6.0;
        case QPageLayout::Didot: return value * 0.376 / 25.4;
        case QPageLayout::Cicero: return value * 4.512 / 25.4;
    }
    return value;
}

int Pixels(double inches, int resolution) {
    return static_cast<int>(std::lround(inches * resolution));
}

}  // namespace

QSize TPrinter::Impl::PaperPixels() {
    QSizeF inches = PaperInches(QPageSize(paper));
    if (orientation == poLandscape) inches.transpose();
    const int dpi = Resolution();
    return {Pixels(inches.width(), dpi), Pixels(inches.height(), dpi)};
}

QPoint TPrinter::Impl::OffsetPixels() {
    const QPageLayout layout = Layout();
    const QMarginsF m = layout.margins();
    const int dpi = Resolution();
    return {Pixels(MarginToInches(m.left(), layout.units()), dpi),
            Pixels(MarginToInches(m.top(), layout.units()), dpi)};
}

QSize TPrinter::Impl::PagePixels() {
    const QPageLayout layout = Layout();
    const QMarginsF m = layout.margins();
    const int dpi = Resolution();
    const QSize paper = PaperPixels();
    const QPoint offset = OffsetPixels();
    const int right = Pixels(MarginToInches(m.right(), layout.units()), dpi);
    const int bottom = Pixels(MarginToInches(m.bottom(), layout.units()), dpi);
    return {std::max(0, paper.width() - offset.x() - right),
            std::max(0, paper.height() - offset.y() - bottom)};
}

void TPrinter::Impl::StartPage() {
    const QSize size = PagePixels();
    page = QImage(std::max(1, size.width()), std::max(1, size.height()), QImage::Format_RGB32);
    if (page.isNull()) throw EPrinter("Out of memory for the page");
    page.fill(kWhite);
    surface = TCanvasSurface{};
    surface.image = &page;
    surface.pixelsPerInch = Resolution();
    canvas->SetSurface(&surface);
    // Point sizes on the page mean points on paper.
    canvas->Font()->SetPixelsPerInch(Resolution());
}

void TPrinter::Impl::FlushPage() {
    if (painter && painter->isActive()) painter->drawImage(QRect(QPoint(0, 0), page.size()), page);
}

void TPrinter::Impl::EndJob() {
    canvas->SetSurface(nullptr);
    if (painter && painter->isActive()) painter->end();
    painter.reset();
    device.reset();
    page = QImage();
    printing = false;
}

// ---- TPrinter

TPrinter::TPrinter() : impl_(std::make_unique<Impl>()) {
    impl_->canvas = std::make_unique<TCanvas>();
}

TPrinter::~TPrinter() {
    if (impl_->printing) impl_->canvas->SetSurface(nullptr);
}

TStrings* TPrinter::Printers() const { return &impl_->List(); }

int TPrinter::PrinterIndex() const { return impl_->Selected(); }

void TPrinter::SetPrinterIndex(int index) {
    Impl& d = *impl_;
    if (d.printing) throw EPrinter("Printing in progress");
    if (index == -1) {
        d.index = -1;
        d.paper = QPageSize::A4;
        d.Selected();
        return;
    }
    if (index < 0 || index >= d.List().Count()) throw EPrinter("Printer selected is not valid");
    if (index == d.Selected()) return;
    d.index = index;
    d.paper = d.PdfSelected() || !HaveGui()
                  ? QPageSize::A4
                  : QPrinterInfo::printerInfo(Q(d.List().Strings(index))).defaultPageSize().id();
    if (d.paper == QPageSize::Custom) d.paper = QPageSize::A4;
}

bool TPrinter::IsPdfPrinter() const {
    impl_->Selected();
    return impl_->PdfSelected();
}

TPrinterOrientation TPrinter::Orientation() const { return impl_->orientation; }

void TPrinter::SetOrientation(TPrinterOrientation value) {
    if (impl_->printing) throw EPrinter("Printing in progress");
    impl_->orientation = value;
}

int TPrinter::PaperSize() const {
    impl_->Selected();
    return QPageSize::windowsId(impl_->paper);
}

void TPrinter::SetPaperSize(int paperCode) {
    if (impl_->printing) throw EPrinter("Printing in progress");
    const QPageSize::PageSizeId id = QPageSize::id(paperCode);
    if (id == QPageSize::Custom) throw EPrinter("Paper size not supported");
    impl_->Selected();
    impl_->paper = id;
}

int TPrinter::Copies() const { return impl_->copies; }

void TPrinter::SetCopies(int value) {
    if (impl_->printing) throw EPrinter("Printing in progress");
    impl_->copies = std::max(1, value);
}

const std::string& TPrinter::Title() const { return impl_->title; }

void TPrinter::SetTitle(const std::string& value) { impl_->title = value; }

const std::string& TPrinter::FileName() const { return impl_->fileName; }

void TPrinter::SetFileName(const std::string& value) { impl_->fileName = value; }

void TPrinter::SetPdfResolution(int pixelsPerInch) {
    if (impl_->printing) throw EPrinter("Printing in progress");
    impl_->pdfResolution = std::clamp(pixelsPerInch, 72, 1200);
}

void TPrinter::SetPdfMargin(double inches) {
    if (impl_->printing) throw EPrinter("Printing in progress");
    impl_->pdfMargin = std::clamp(inches, 0.0, 2.0);
}

bool TPrinter::GetDeviceMode(TDeviceMode& mode) const {
    Impl& d = *impl_;
    const int index = d.Selected();
    if (index < 0 || index >= d.List().Count()) return false;
    mode.deviceName = d.List().Strings(index);
    mode.paperSize = QPageSize::windowsId(d.paper);
    mode.orientation = d.orientation;
    mode.copies = d.copies;
    return true;
}

int TPrinter::PageWidth() const { return impl_->PagePixels().width(); }

int TPrinter::PageHeight() const { return impl_->PagePixels().height(); }

int TPrinter::DeviceCaps(int index) const {
    Impl& d = *impl_;
    switch (index) {
        case LOGPIXELSX:
        case LOGPIXELSY: return d.Resolution();
        case HORZRES: return d.PagePixels().width();
        case VERTRES: return d.PagePixels().height();
        case PHYSICALWIDTH: return d.PaperPixels().width();
        case PHYSICALHEIGHT: return d.PaperPixels().height();
        case PHYSICALOFFSETX: return d.OffsetPixels().x();
        case PHYSICALOFFSETY: return d.OffsetPixels().y();
        case HORZSIZE:
            return static_cast<int>(
                std::lround(d.Layout().paintRect(QPageLayout::Millimeter).width()));
        case VERTSIZE:
            return static_cast<int>(
                std::lround(d.Layout().paintRect(QPageLayout::Millimeter).height()));
        case BITSPIXEL: return 32;
        case PLANES: return 1;
        case NUMCOLORS: return -1;
        default: return 0;
    }
}

void TPrinter::BeginDoc() {
    Impl& d = *impl_;
    if (d.printing) throw EPrinter("Printing in progress");
    d.Selected();
    d.aborted = false;
    d.pageNumber = 1;
    d.jobFile.clear();
    if (d.PdfSelected()) {
        std::string file = d.fileName;
        if (file.empty()) {
            // As a printer that writes files does, ask where the document goes.
            TSaveDialog dialog(nullptr);
            dialog.SetTitle("Save Print Output As");
            dialog.SetFilter("PDF Document (*.pdf)|*.pdf");
            dialog.SetDefaultExt("pdf");
            dialog.SetFileName(d.title.empty() ? "document" : d.title);
            dialog.SetOptions(dialog.Options() + TOpenOptions{ofOverwritePrompt, ofNoChangeDir});
            if (dialog.Execute()) file = dialog.FileName();
        }
        if (file.empty()) {
            d.aborted = true;  // the job runs on, drawing on a page that goes nowhere
        } else {
            auto writer = std::make_unique<QPdfWriter>(Q(file));
            writer->setResolution(d.Resolution());
            writer->setPageLayout(d.Layout());
            writer->setTitle(Q(d.title));
            writer->setCreator(QStringLiteral("WQJ DSP Processor Editor"));
            d.device = std::move(writer);
            d.jobFile = file;
        }
    } else {
        auto printer = std::make_unique<QPrinter>(
            QPrinterInfo::printerInfo(Q(d.List().Strings(d.index))), QPrinter::HighResolution);
        printer->setResolution(d.Resolution());
        printer->setPageLayout(d.Layout());
        printer->setCopyCount(d.copies);
        printer->setDocName(Q(d.title));
        d.device = std::move(printer);
    }
    if (d.device) {
        d.painter = std::make_unique<QPainter>();
        if (!d.painter->begin(d.device.get())) {
            d.painter.reset();
            d.device.reset();
            const std::string where = d.jobFile.empty() ? d.List().Strings(d.index) : d.jobFile;
            throw EPrinter("Cannot print to \"" + where + "\"");
        }
    }
    d.printing = true;
    d.StartPage();
}

void TPrinter::EndDoc() {
    Impl& d = *impl_;
    if (!d.printing) throw EPrinter("Printer is not currently printing");
    d.FlushPage();
    d.EndJob();
}

void TPrinter::NewPage() {
    Impl& d = *impl_;
    if (!d.printing) throw EPrinter("Printer is not currently printing");
    d.FlushPage();
    if (d.device) d.device->newPage();
    ++d.pageNumber;
    d.StartPage();
}

void TPrinter::Abort() {
    Impl& d = *impl_;
    if (!d.printing) return;
    if (auto* printer = dynamic_cast<QPrinter*>(d.device.get())) printer->abort();
    d.EndJob();
    if (!d.jobFile.empty()) QFile::remove(Q(d.jobFile));
    d.aborted = true;
}

bool TPrinter::Printing() const { return impl_->printing; }

bool TPrinter::Aborted() const { return impl_->aborted; }

int TPrinter::PageNumber() const { return impl_->printing ? impl_->pageNumber : 0; }

TCanvas* TPrinter::Canvas() const { return impl_->canvas.get(); }

TPrinter* Printer() {
    static TPrinter printer;
    return &printer;
}

}  // namespace dsp
