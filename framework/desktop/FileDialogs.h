#pragma once
// The open and save dialogs. The filter text lists pairs of description and patterns,
// "Presets (*.prs)|*.prs|All files|*.*", patterns separated by ";"; FilterIndex counts from 1.
// A chosen name without an extension gets DefaultExt. With ofOverwritePrompt the save dialog
// asks (through a message box) before an existing file is chosen; with ofFileMustExist and
// ofPathMustExist a missing file or folder is reported and the dialog shown again. Unless
// ofNoChangeDir is set, the folder of the chosen file becomes the current directory.

#include <string>
#include <vector>

#include "framework/core/Set.h"
#include "framework/desktop/CommonDialog.h"
#include "framework/desktop/DialogService.h"
#include "framework/text/StringList.h"

namespace dsp {

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,  // kept for the forms that set it; the dialogs show no read-only box
    ofNoChangeDir,
    ofAllowMultiSelect,
    ofExtensionDifferent,  // set by Execute: the chosen extension is not DefaultExt
    ofPathMustExist,
    ofFileMustExist,
    ofEnableSizing,  // kept for the forms that set it; the dialogs can always be sized
};
using TOpenOptions = Set<TOpenOption>;

class TOpenDialog : public TCommonDialog {
public:
    explicit TOpenDialog(TComponent* owner);
    ~TOpenDialog() override;

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value) { fileName_ = value; }
    // Every file chosen (one unless ofAllowMultiSelect), full paths.
    TStrings* Files() const { return files_.get(); }
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& value) { filter_ = value; }
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int value) { filterIndex_ = value; }
    // Without the point: "prs".
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& value);
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& value) { initialDir_ = value; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions value) { options_ = value; }

    bool Execute(HWND owner = HWND{}) override;

protected:
    virtual TFileDialogKind Kind() const { return fdOpen; }

private:
    // The name with DefaultExt when it has no extension of its own (for an existing file that
    // has none, only in the save dialog).
    std::string WithDefaultExt(const std::string& name) const;
    // Reports a missing folder or file, or asks before overwriting; false when the name
    // cannot be taken and the dialog must be shown again.
    bool Acceptable(const std::string& name, HWND owner) const;
    std::string BoxCaption() const;

    std::string fileName_;
    std::unique_ptr<TStringList> files_;
    std::string filter_;
    int filterIndex_ = 1;
    std::string defaultExt_;
    std::string initialDir_;
    std::string title_;
    TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;

protected:
    TFileDialogKind Kind() const override { return fdSave; }
};

}  // namespace dsp
