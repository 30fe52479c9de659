#include "framework/desktop/PrintDialog.h"

#include "framework/desktop/DialogService.h"
#include "framework/desktop/Printers.h"

namespace dsp {

bool TPrintDialog::Execute(HWND owner) {
    TPrinter& printer = *Printer();
    TPrintDialogRequest request;
    request.owner = owner;
    for (int i = 0; i < printer.Printers()->Count(); ++i)
        request.printers.push_back(printer.Printers()->Strings(i));
    request.printerIndex = printer.PrinterIndex();
    request.orientation = printer.Orientation();
    request.copies = copies_;
    request.fileName = printer.FileName();
    DoShow();
    const TPrintDialogAnswer answer = DialogService().RunPrintDialog(request);
    if (answer.accepted) {
        printer.SetPrinterIndex(answer.printerIndex);
        printer.SetOrientation(answer.orientation);
        SetCopies(answer.copies);
        printer.SetCopies(copies_);
        if (!answer.fileName.empty() && printer.IsPdfPrinter())
            printer.SetFileName(answer.fileName);
    }
    DoClose();
    return answer.accepted;
}

}  // namespace dsp
