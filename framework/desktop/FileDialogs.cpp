#include "framework/desktop/FileDialogs.h"

#include "framework/desktop/MessageBox.h"
#include "framework/text/FileNames.h"
#include "framework/text/StrUtils.h"

namespace dsp {

TOpenDialog::TOpenDialog(TComponent* owner)
    : TCommonDialog(owner), files_(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

void TOpenDialog::SetDefaultExt(const std::string& value) {
    defaultExt_ = !value.empty() && value.front() == '.' ? value.substr(1) : value;
}

std::string TOpenDialog::WithDefaultExt(const std::string& name) const {
    if (defaultExt_.empty() || !ExtractFileExt(name).empty()) return name;
    // An existing file without extension is what the user opened.
    if (Kind() == fdOpen && FileExists(name)) return name;
    return name + "." + defaultExt_;
}

std::string TOpenDialog::BoxCaption() const {
    if (!title_.empty()) return title_;
    return Kind() == fdSave ? "Save As" : "Open";
}

bool TOpenDialog::Acceptable(const std::string& name, HWND owner) const {
    const std::string folder = ExtractFileDir(name);
    if (options_.Contains(ofPathMustExist) && !folder.empty() && !DirectoryExists(folder)) {
        MessageBox(owner, name + "\nPath does not exist.\nCheck the path and try again.",
                   BoxCaption(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (Kind() == fdOpen && options_.Contains(ofFileMustExist) && !FileExists(name)) {
        MessageBox(owner, name + "\nFile not found.\nCheck the file name and try again.",
                   BoxCaption(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (Kind() == fdSave && options_.Contains(ofOverwritePrompt) && FileExists(name)) {
        const int answer = MessageBox(owner, name + " already exists.\nDo you want to replace it?",
                                      BoxCaption(), MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
        return answer == IDYES;
    }
    return true;
}

bool TOpenDialog::Execute(HWND owner) {
    TFileDialogRequest request;
    request.kind = Kind();
    request.owner = owner;
    request.title = title_;
    request.initialDir = initialDir_;
    request.fileName = fileName_;
    request.filters = ParseFilter(filter_);
    request.filterIndex = filterIndex_;
    request.allowMultiSelect = Kind() == fdOpen && options_.Contains(ofAllowMultiSelect);
    request.fileMustExist = Kind() == fdOpen && options_.Contains(ofFileMustExist);

    DoShow();
    std::vector<std::string> chosen;
    int chosenFilter = 0;
    while (true) {
        const TFileDialogAnswer answer = DialogService().RunFileDialog(request);
        if (!answer.accepted || answer.fileNames.empty()) {
            DoClose();
            return false;
        }
        chosen.clear();
        bool acceptable = true;
        for (const std::string& name : answer.fileNames) {
            chosen.push_back(WithDefaultExt(name));
            if (!Acceptable(chosen.back(), owner)) {
                acceptable = false;
                break;
            }
        }
        if (acceptable) {
            chosenFilter = answer.filterIndex;
            break;
        }
        // Shown again with the name the user gave, as the system dialog stays open.
        request.fileName = chosen.back();
        if (answer.filterIndex > 0) request.filterIndex = answer.filterIndex;
    }

    fileName_ = chosen.front();
    files_->Clear();
    for (const std::string& name : chosen) files_->Add(name);
    if (chosenFilter > 0) filterIndex_ = chosenFilter;
    const std::string ext = ExtractFileExt(fileName_);
    const bool different =
        !defaultExt_.empty() && !SameText(ext.empty() ? ext : ext.substr(1), defaultExt_);
    if (different) {
        options_.Include(ofExtensionDifferent);
    } else {
        options_.Exclude(ofExtensionDifferent);
    }
    if (!options_.Contains(ofNoChangeDir)) {
        const std::string folder = ExtractFileDir(fileName_);
        if (!folder.empty()) SetCurrentDir(folder);
    }
    DoClose();
    return true;
}

}  // namespace dsp
