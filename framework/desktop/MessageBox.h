#pragma once
// Message boxes: a text, an icon and a row of buttons; the call returns the button pressed.
// They are shown through the dialog service (DialogService.h), so tests answer them.

#include <string>

#include "framework/core/Set.h"
#include "framework/desktop/ModalResult.h"
#include "framework/runtime/MessageWindow.h"

namespace dsp {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp,
    mbClose,
};
using TMsgDlgButtons = Set<TMsgDlgBtn>;

inline const TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// The result a button gives; mbHelp gives none.
TModalResult ModalResultOf(TMsgDlgBtn button);

// A box captioned by its type ("Warning", "Error", "Information", "Confirm"; the application
// title for mtCustom). Returns the modal result of the button pressed.
TModalResult MessageDlg(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons,
                        int helpContext = 0);
// A box without icon and with an OK button, captioned with the application title.
void ShowMessage(const std::string& message);

// The classic message box: flags choose the buttons (MB_OK ... MB_RETRYCANCEL), the icon and
// the default button. Returns IDOK, IDCANCEL, IDYES ...
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONERROR = MB_ICONHAND;
constexpr unsigned MB_ICONSTOP = MB_ICONHAND;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr unsigned MB_DEFBUTTON1 = 0x000;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_DEFBUTTON3 = 0x200;

int MessageBox(HWND owner, const std::string& text, const std::string& caption, unsigned flags);

}  // namespace dsp
