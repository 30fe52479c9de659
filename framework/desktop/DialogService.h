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
    std::string Description;
    std::vector<std::string> Patterns;
    bool operator==(const TFileFilter&) const = default;
};

enum TFileDialogKind { fdOpen, fdSave };

struct TFileDialogRequest {
    TFileDialogKind Kind = fdOpen;
    HWND Owner{};
    std::string Title;       // empty: the toolkit's own ("Open", "Save As")
    std::string InitialDir;  // empty: the current directory
    std::string FileName;    // the name proposed
    std::vector<TFileFilter> Filters;
    int FilterIndex = 1;  // 1-based, within Filters
    bool AllowMultiSelect = false;
    bool FileMustExist = false;
};

struct TFileDialogAnswer {
    bool Accepted = false;
    std::vector<std::string> FileNames;  // as the user gave them, full paths
    int FilterIndex = 0;                 // 1-based; 0 leaves the request's
};

struct TColorDialogRequest {
    HWND Owner{};
    TColorRef Color = 0;
    std::vector<TColorRef> CustomColors;
};

struct TColorDialogAnswer {
    bool Accepted = false;
    TColorRef Color = 0;
    std::vector<TColorRef> CustomColors;  // empty: unchanged
};

struct TFontDialogRequest {
    HWND Owner{};
    TLogFont Font;
    TColorRef Color = 0;
    bool Effects = true;  // underline, strike-out and colour can be chosen
};

struct TFontDialogAnswer {
    bool Accepted = false;
    TLogFont Font;
    TColorRef Color = 0;
};

struct TPrintDialogRequest {
    HWND Owner{};
    std::vector<std::string> Printers;
    int PrinterIndex = 0;
    TPrinterOrientation Orientation = poPortrait;
    int Copies = 1;
    std::string FileName;  // where the PDF printer writes
};

struct TPrintDialogAnswer {
    bool Accepted = false;
    int PrinterIndex = 0;
    TPrinterOrientation Orientation = poPortrait;
    int Copies = 1;
    std::string FileName;  // the file chosen for the PDF printer; empty: unchanged
};

struct TMessageBoxRequest {
    HWND Owner{};
    std::string Caption;
    std::string Text;
    TMsgDlgType Type = mtInformation;
    std::vector<TMsgDlgBtn> Buttons;  // in the order shown
    int DefaultButton = 0;            // index into Buttons
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
