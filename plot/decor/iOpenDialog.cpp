#include "plot/decor/iOpenDialog.h"

#include "framework/controls/WinControl.h"
#include "framework/desktop/FileDialogs.h"
#include "framework/text/Utf8.h"
#include "plot/decor/iSaveDialog.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

TiOpenDialog::TiOpenDialog(TComponent* owner)
    : TComponent(owner), FFiles(std::make_unique<TStringList>()) {}

TiOpenDialog::~TiOpenDialog() = default;

bool TiOpenDialog::Execute() {
    FFiles->Clear();
    HWND window{};
    if (!DialogOwnerWindow(this, window)) return false;
    TOpenDialog dialog(nullptr);
    dialog.SetFilter(FFilter);
    dialog.SetFilterIndex(1);
    dialog.SetFileName(Utf8Left(FFileName, kMaxDialogFileName));
    dialog.SetDefaultExt(FDefaultExt);
    dialog.SetInitialDir(FDefaultDir.empty() ? std::string(".") : FDefaultDir);
    TOpenOptions options{ofHideReadOnly, ofPathMustExist};
    if (FFileMustExist) options.Include(ofFileMustExist);
    if (FAllowMultiSelect) options.Include(ofAllowMultiSelect);
    dialog.SetOptions(options);
    if (!dialog.Execute(window)) return false;
    if (FAllowMultiSelect) {
        FFiles->Assign(dialog.Files());
        FFileName = FFiles->Count() > 0 ? FFiles->Strings(0) : std::string();
    } else {
        FFileName = dialog.FileName();
        FFiles->Add(FFileName);
    }
    return true;
}

}  // namespace dsp
