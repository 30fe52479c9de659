#include "framework/desktop/QtDialogService.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QWidget>

#include <cmath>
#include <cstdio>

#include "framework/desktop/DialogParentQt.h"

namespace dsp {

namespace {

TWindowWidgetResolver& Resolver() {
    static TWindowWidgetResolver resolver;
    return resolver;
}

bool HaveWidgets() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QColor ToQColor(TColorRef c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
TColorRef FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

// The toolkit shows "desc (patterns)" and hides the part in brackets, so a description that
// names its patterns itself is shown once.
QString NameFilter(const TFileFilter& f) {
    QStringList patterns;
    for (const std::string& p : f.patterns) patterns << Q(p);
    return Q(f.description) + " (" + patterns.join(' ') + ")";
}

// The 1-based index of the filter the dialog reports; with the details hidden the toolkit
// reports the description alone. 0 when it is none of them.
int ChosenFilterIndex(const std::vector<TFileFilter>& filters, const QStringList& shown,
                      const QString& selected) {
    const int exact = static_cast<int>(shown.indexOf(selected));
    if (exact >= 0) return exact + 1;
    for (std::size_t i = 0; i < filters.size(); ++i)
        if (Q(filters[i].description) == selected) return static_cast<int>(i) + 1;
    return 0;
}

QFont ToQFont(const TLogFont& f) {
    QFont font(Q(f.lfFaceName));
    // A negative height is the character height, a positive one the cell height; the toolkit's
    // pixel size is close to the character height.
    font.setPixelSize(std::max(1, std::abs(f.lfHeight == 0 ? 11 : f.lfHeight)));
    font.setBold(f.lfWeight >= FW_BOLD);
    font.setItalic(f.lfItalic);
    font.setUnderline(f.lfUnderline);
    font.setStrikeOut(f.lfStrikeOut);
    return font;
}

TLogFont FromQFont(const QFont& font, TLogFont base) {
    base.lfFaceName = S(font.family());
    const int pixels =
        font.pixelSize() > 0
            ? font.pixelSize()
            : static_cast<int>(std::lround(font.pointSizeF() * kScreenPixelsPerInch / 72.0));
    base.lfHeight = -pixels;
    base.lfWeight = font.bold() ? FW_BOLD : FW_NORMAL;
    base.lfItalic = font.italic();
    base.lfUnderline = font.underline();
    base.lfStrikeOut = font.strikeOut();
    return base;
}

QMessageBox::Icon IconOf(TMsgDlgType type) {
    switch (type) {
        case mtWarning: return QMessageBox::Warning;
        case mtError: return QMessageBox::Critical;
        case mtInformation: return QMessageBox::Information;
        case mtConfirmation: return QMessageBox::Question;
        case mtCustom: return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

const char* TextOf(TMsgDlgBtn button) {
    switch (button) {
        case mbYes: return "&Yes";
        case mbNo: return "&No";
        case mbOK: return "OK";
        case mbCancel: return "Cancel";
        case mbAbort: return "&Abort";
        case mbRetry: return "&Retry";
        case mbIgnore: return "&Ignore";
        case mbAll: return "&All";
        case mbNoToAll: return "N&o to All";
        case mbYesToAll: return "Yes to &All";
        case mbHelp: return "&Help";
        case mbClose: return "&Close";
    }
    return "";
}

QMessageBox::ButtonRole RoleOf(TMsgDlgBtn button) {
    switch (button) {
        case mbYes:
        case mbYesToAll:
        case mbAll: return QMessageBox::YesRole;
        case mbNo:
        case mbNoToAll: return QMessageBox::NoRole;
        case mbOK:
        case mbRetry:
        case mbIgnore: return QMessageBox::AcceptRole;
        case mbCancel:
        case mbAbort:
        case mbClose: return QMessageBox::RejectRole;
        case mbHelp: return QMessageBox::HelpRole;
    }
    return QMessageBox::AcceptRole;
}

class TQtDialogService : public IDialogService {
public:
    TFileDialogAnswer RunFileDialog(const TFileDialogRequest& request) override {
        TFileDialogAnswer answer;
        if (!HaveWidgets()) return answer;
        const QString dir =
            request.initialDir.empty() ? QDir::currentPath() : Q(request.initialDir);
        QFileDialog dialog(DialogParent(request.owner), Q(request.title), dir);
        const bool save = request.kind == fdSave;
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        if (save) {
            dialog.setFileMode(QFileDialog::AnyFile);
        } else if (request.allowMultiSelect) {
            dialog.setFileMode(QFileDialog::ExistingFiles);
        } else {
            dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
        }
        // Overwriting is confirmed through the message-box seam, after the default extension.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        dialog.setOption(QFileDialog::HideNameFilterDetails, true);
        QStringList filters;
        for (const TFileFilter& f : request.filters) filters << NameFilter(f);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            const int index = std::clamp(request.filterIndex, 1, static_cast<int>(filters.size()));
            dialog.selectNameFilter(filters[index - 1]);
        }
        if (!request.fileName.empty()) dialog.selectFile(Q(request.fileName));
        if (dialog.exec() != QDialog::Accepted) return answer;
        answer.accepted = true;
        for (const QString& name : dialog.selectedFiles()) answer.fileNames.push_back(S(name));
        answer.filterIndex =
            ChosenFilterIndex(request.filters, filters, dialog.selectedNameFilter());
        return answer;
    }

    TColorDialogAnswer RunColorDialog(const TColorDialogRequest& request) override {
        TColorDialogAnswer answer;
        if (!HaveWidgets()) return answer;
        const int customCount =
            std::min(static_cast<int>(request.customColors.size()), QColorDialog::customCount());
        for (int i = 0; i < customCount; ++i)
            QColorDialog::setCustomColor(
                i, ToQColor(request.customColors[static_cast<std::size_t>(i)]));
        QColorDialog dialog(ToQColor(request.color), DialogParent(request.owner));
        if (dialog.exec() != QDialog::Accepted) return answer;
        answer.accepted = true;
        answer.color = FromQColor(dialog.selectedColor());
        for (int i = 0; i < QColorDialog::customCount(); ++i)
            answer.customColors.push_back(FromQColor(QColorDialog::customColor(i)));
        return answer;
    }

    TFontDialogAnswer RunFontDialog(const TFontDialogRequest& request) override {
        TFontDialogAnswer answer;
        if (!HaveWidgets()) return answer;
        QFontDialog dialog(ToQFont(request.font), DialogParent(request.owner));
        dialog.setOption(QFontDialog::NoButtons, false);
        if (dialog.exec() != QDialog::Accepted) return answer;
        answer.accepted = true;
        answer.font = FromQFont(dialog.selectedFont(), request.font);
        if (!request.effects) {
            answer.font.lfUnderline = request.font.lfUnderline;
            answer.font.lfStrikeOut = request.font.lfStrikeOut;
        }
        answer.color = request.color;  // the toolkit's font dialog offers no colour
        return answer;
    }

    TPrintDialogAnswer RunPrintDialog(const TPrintDialogRequest& request) override {
        TPrintDialogAnswer answer;
        answer.printerIndex = request.printerIndex;
        answer.orientation = request.orientation;
        answer.copies = request.copies;
        if (!HaveWidgets()) return answer;
        const auto indexOf = [&](const std::string& name) {
            const auto it = std::find(request.printers.begin(), request.printers.end(), name);
            return it == request.printers.end() ? -1
                                                : static_cast<int>(it - request.printers.begin());
        };
        const bool pdf =
            request.printerIndex >= 0 &&
            request.printerIndex < static_cast<int>(request.printers.size()) &&
            request.printers[static_cast<std::size_t>(request.printerIndex)] == kPdfPrinterName;
        QPrinter printer;
        if (pdf) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(
                Q(request.fileName.empty() ? "document.pdf" : request.fileName));
        } else if (request.printerIndex >= 0 &&
                   request.printerIndex < static_cast<int>(request.printers.size())) {
            printer.setPrinterName(
                Q(request.printers[static_cast<std::size_t>(request.printerIndex)]));
        }
        printer.setPageOrientation(request.orientation == poLandscape ? QPageLayout::Landscape
                                                                      : QPageLayout::Portrait);
        printer.setCopyCount(request.copies);
        QPrintDialog dialog(&printer, DialogParent(request.owner));
        if (dialog.exec() != QDialog::Accepted) return answer;
        answer.accepted = true;
        if (printer.outputFormat() == QPrinter::PdfFormat) {
            answer.printerIndex = indexOf(kPdfPrinterName);
            answer.fileName = S(printer.outputFileName());
        } else if (const int index = indexOf(S(printer.printerName())); index >= 0) {
            answer.printerIndex = index;
        }
        answer.orientation =
            printer.pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
        answer.copies = printer.copyCount();
        return answer;
    }

    TModalResult RunMessageBox(const TMessageBoxRequest& request) override {
        const int defaultIndex = request.buttons.empty()
                                     ? -1
                                     : std::clamp(request.defaultButton, 0,
                                                  static_cast<int>(request.buttons.size()) - 1);
        const TModalResult fallback =
            defaultIndex >= 0
                ? ModalResultOf(request.buttons[static_cast<std::size_t>(defaultIndex)])
                : mrOk;
        if (!HaveWidgets()) {
            std::fprintf(stderr, "%s: %s\n", request.caption.c_str(), request.text.c_str());
            return fallback;
        }
        QMessageBox box(IconOf(request.type), Q(request.caption), Q(request.text),
                        QMessageBox::NoButton, DialogParent(request.owner));
        std::vector<QAbstractButton*> buttons;
        QAbstractButton* cancel = nullptr;
        for (TMsgDlgBtn b : request.buttons) {
            QPushButton* button = box.addButton(QString::fromUtf8(TextOf(b)), RoleOf(b));
            buttons.push_back(button);
            if (b == mbCancel) cancel = button;
        }
        if (defaultIndex >= 0)
            box.setDefaultButton(
                static_cast<QPushButton*>(buttons[static_cast<std::size_t>(defaultIndex)]));
        if (cancel != nullptr) {
            box.setEscapeButton(cancel);
        } else if (buttons.size() == 1) {
            box.setEscapeButton(buttons[0]);
        }
        box.exec();
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (box.clickedButton() == buttons[i]) return ModalResultOf(request.buttons[i]);
        return cancel != nullptr ? mrCancel : fallback;
    }
};

}  // namespace

void SetWindowWidgetResolver(TWindowWidgetResolver resolver) { Resolver() = std::move(resolver); }

QWidget* DialogParent(HWND owner) {
    if (owner != HWND{} && Resolver()) {
        if (QWidget* widget = Resolver()(owner)) return widget;
    }
    return HaveWidgets() ? QApplication::activeWindow() : nullptr;
}

IDialogService& QtDialogService() {
    static TQtDialogService service;
    return service;
}

}  // namespace dsp
