#pragma once
// The seam behind every common dialog and message box. The dialog components (TOpenDialog,
// TColorDialog, MessageDlg, ...) describe what to ask in a request and hand it to the dialog
// service in force, which shows the host toolkit's dialog and returns the user's answer. Tests
// put a scripted service in place (ScriptedDialogs.h), so that no test ever opens a window.

#include <string>
#include <vector>

#include "framework/desktop/MessageBox.h"
#include "framework/desktop/ModalResult.h"
#include "framework/desktop/Printers.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Font.h"
#include "framework/runtime/MessageWindow.h"

namespace dsp {

// One entry of a file dialog's filter: "Text files (*.txt)" with the patterns {"*.txt"}.
struct TFileFilter {
    std::string description;
    std::vector<std::string> patterns;
    bool operator==(const TFileFilter&) const = default;
};

enum TFileDialogKind { fdOpen, fdSave };

struct TFileDialogRequest {
    TFileDialogKind kind = fdOpen;
    HWND owner{};
    std::string title;       // empty: the toolkit's own ("Open", "Save As")
    std::string initialDir;  // empty: the current directory
    std::string fileName;    // the name proposed
    std::vector<TFileFilter> filters;
    int filterIndex = 1;  // 1-based, within filters
    bool allowMultiSelect = false;
    bool fileMustExist = false;
};

struct TFileDialogAnswer {
    bool accepted = false;
    std::vector<std::string> fileNames;  // as the user gave them, full paths
    int filterIndex = 0;                 // 1-based; 0 leaves the request's
};

struct TColorDialogRequest {
    HWND owner{};
    TColorRef color = 0;
    std::vector<TColorRef> customColors;
};

struct TColorDialogAnswer {
    bool accepted = false;
    TColorRef color = 0;
    std::vector<TColorRef> customColors;  // empty: unchanged
};

struct TFontDialogRequest {
    HWND owner{};
    TLogFont font;
    TColorRef color = 0;
    bool effects = true;  // underline, strike-out and colour can be chosen
};

struct TFontDialogAnswer {
    bool accepted = false;
    TLogFont font;
    TColorRef color = 0;
};

struct TPrintDialogRequest {
    HWND owner{};
    std::vector<std::string> printers;
    int printerIndex = 0;
    TPrinterOrientation orientation = poPortrait;
    int copies = 1;
    std::string fileName;  // where the PDF printer writes
};

struct TPrintDialogAnswer {
    bool accepted = false;
    int printerIndex = 0;
    TPrinterOrientation orientation = poPortrait;
    int copies = 1;
    std::string fileName;  // the file chosen for the PDF printer; empty: unchanged
};

struct TMessageBoxRequest {
    HWND owner{};
    std::string caption;
    std::string text;
    TMsgDlgType type = mtInformation;
    std::vector<TMsgDlgBtn> buttons;  // in the order shown
    int defaultButton = 0;            // index into buttons
};

class IDialogService {
public:
    virtual ~IDialogService() = default;
    virtual TFileDialogAnswer RunFileDialog(const TFileDialogRequest& request) = 0;
    virtual TColorDialogAnswer RunColorDialog(const TColorDialogRequest& request) = 0;
    virtual TFontDialogAnswer RunFontDialog(const TFontDialogRequest& request) = 0;
    virtual TPrintDialogAnswer RunPrintDialog(const TPrintDialogRequest& request) = 0;
    // The modal result of the button pressed; closing the box counts as Cancel where there is
    // one, else as the only or default button.
    virtual TModalResult RunMessageBox(const TMessageBoxRequest& request) = 0;
};

// The service in force: the one set last, else the host toolkit's dialogs.
IDialogService& DialogService();
// Puts a service in force (null: the host toolkit's again); returns the one it replaces.
IDialogService* SetDialogService(IDialogService* service);

// Filter text "desc|pattern|desc|pattern" (patterns separated by ";") as entries; a last
// description without a pattern is dropped.
std::vector<TFileFilter> ParseFilter(const std::string& filter);

}  // namespace dsp
