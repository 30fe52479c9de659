#include "plot/decor/iSaveDialog.h"

#include "framework/controls/WinControl.h"
#include "framework/desktop/FileDialogs.h"
#include "framework/text/FileNames.h"
#include "framework/text/StrUtils.h"
#include "framework/text/Utf8.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

bool DialogOwnerWindow(TComponent* component, HWND& window) {
    auto* owner = dynamic_cast<TWinControl*>(FindOwnerForm(component));
    if (owner == nullptr) return false;
    window = owner->HandleAllocated() ? owner->Handle() : HWND{};
    return true;
}

TiSaveDialog::TiSaveDialog(TComponent* owner)
    : TComponent(owner), FFilterList(std::make_unique<TStringList>()) {}

TiSaveDialog::~TiSaveDialog() = default;

void TiSaveDialog::BuildFilterList() {
    FFilterList->Clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = FFilter.find('|', start);
        if (bar == std::string::npos) {
            if (start < FFilter.size()) FFilterList->Add(FFilter.substr(start));
            break;
        }
        FFilterList->Add(FFilter.substr(start, bar - start));
        start = bar + 1;
    }
    for (int i = FFilterList->Count() - 1; i >= 0; --i) {
        const std::string entry = FFilterList->Strings(i);
        if (entry.empty() || entry[0] != '*') FFilterList->Delete(i);
    }
}

std::string TiSaveDialog::ApplyExtensionRule(const std::string& fileName) const {
    if (FReturnExt.empty() || FReturnExt == ".*") return fileName;
    const std::string ext = ExtractFileExt(fileName);
    if (!ext.empty()) {
        // The first pattern of that extension, whatever its case, must be the chosen one.
        int found = -1;
        for (int i = 0; i < FFilterList->Count(); ++i) {
            if (SameText(FFilterList->Strings(i), "*" + ext)) {
                found = i;
                break;
            }
        }
        if (found == FFilterIndex - 1) return fileName;
    }
    return fileName + FReturnExt;
}

bool TiSaveDialog::Execute() {
    HWND window{};
    if (!DialogOwnerWindow(this, window)) return false;
    TSaveDialog dialog(nullptr);
    dialog.SetFilter(FFilter);
    dialog.SetFilterIndex(FFilterIndex);
    dialog.SetFileName(Utf8Left(FFileName, kMaxDialogFileName));
    dialog.SetDefaultExt(FDefaultExt);
    dialog.SetInitialDir(FDefaultDir.empty() ? std::string(".") : FDefaultDir);
    dialog.SetOptions(TOpenOptions{ofOverwritePrompt, ofHideReadOnly, ofPathMustExist});
    if (!dialog.Execute(window)) return false;
    FFileName = dialog.FileName();
    FFilterIndex = dialog.FilterIndex();
    BuildFilterList();
    FReturnExt.clear();
    if (FFilterList->Count() > 0 && FFilterList->Count() >= FFilterIndex && FFilterIndex >= 1) {
        FReturnExt = FFilterList->Strings(FFilterIndex - 1).substr(1);
    }
    FFileName = ApplyExtensionRule(FFileName);
    return true;
}

}  // namespace dsp
