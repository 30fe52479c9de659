#include "framework/desktop/PrintDialog.h"

#include "framework/desktop/DialogService.h"
#include "framework/desktop/Printers.h"

namespace dsp {

bool TPrintDialog::Execute(HWND owner) {
    TPrinter& printer = *Printer();
    TPrintDialogRequest request;
    request.Owner = owner;
    for (int i = 0; i < printer.Printers()->Count(); ++i)
        request.Printers.push_back(printer.Printers()->Strings(i));
    request.PrinterIndex = printer.PrinterIndex();
    request.Orientation = printer.Orientation();
    request.Copies = copies_;
    request.FileName = printer.FileName();
    DoShow();
    const TPrintDialogAnswer answer = DialogService().RunPrintDialog(request);
    if (answer.Accepted) {
        printer.SetPrinterIndex(answer.PrinterIndex);
        printer.SetOrientation(answer.Orientation);
        SetCopies(answer.Copies);
        printer.SetCopies(copies_);
        if (!answer.FileName.empty() && printer.IsPdfPrinter())
            printer.SetFileName(answer.FileName);
    }
    DoClose();
    return answer.Accepted;
}

}  // namespace dsp
