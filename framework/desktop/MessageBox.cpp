#include "framework/desktop/MessageBox.h"

#include <algorithm>

#include "framework/desktop/DialogService.h"
#include "framework/runtime/Application.h"

namespace dsp {

namespace {

constexpr TMsgDlgBtn kButtonOrder[] = {mbYes,    mbNo,  mbOK,      mbCancel,   mbAbort, mbRetry,
                                       mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp,  mbClose};

std::string ApplicationTitle() {
    return Application != nullptr ? Application->Title() : std::string();
}

std::string CaptionOf(TMsgDlgType type) {
    switch (type) {
        case mtWarning: return "Warning";
        case mtError: return "Error";
        case mtInformation: return "Information";
        case mtConfirmation: return "Confirm";
        case mtCustom: return ApplicationTitle();
    }
    return {};
}

}  // namespace

TModalResult ModalResultOf(TMsgDlgBtn button) {
    switch (button) {
        case mbYes: return mrYes;
        case mbNo: return mrNo;
        case mbOK: return mrOk;
        case mbCancel: return mrCancel;
        case mbAbort: return mrAbort;
        case mbRetry: return mrRetry;
        case mbIgnore: return mrIgnore;
        case mbAll: return mrAll;
        case mbNoToAll: return mrNoToAll;
        case mbYesToAll: return mrYesToAll;
        case mbHelp: return mrNone;
        case mbClose: return mrClose;
    }
    return mrNone;
}

TModalResult MessageDlg(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons,
                        int /*helpContext*/) {
    TMessageBoxRequest request;
    request.Caption = CaptionOf(type);
    request.Text = message;
    request.Type = type;
    for (TMsgDlgBtn b : kButtonOrder)
        if (buttons.Contains(b)) request.Buttons.push_back(b);
    if (request.Buttons.empty()) request.Buttons.push_back(mbOK);
    // The default is OK, else Yes, else Retry, else the first button.
    for (TMsgDlgBtn preferred : {mbOK, mbYes, mbRetry}) {
        const auto it = std::find(request.Buttons.begin(), request.Buttons.end(), preferred);
        if (it != request.Buttons.end()) {
            request.DefaultButton = static_cast<int>(it - request.Buttons.begin());
            break;
        }
    }
    return DialogService().RunMessageBox(request);
}

void ShowMessage(const std::string& message) {
    TMessageBoxRequest request;
    request.Caption = ApplicationTitle();
    request.Text = message;
    request.Type = mtCustom;
    request.Buttons = {mbOK};
    DialogService().RunMessageBox(request);
}

int MessageBox(HWND owner, const std::string& text, const std::string& caption, unsigned flags) {
    TMessageBoxRequest request;
    request.Owner = owner;
    request.Caption = caption;
    request.Text = text;
    switch (flags & 0x0Fu) {
        case MB_OKCANCEL: request.Buttons = {mbOK, mbCancel}; break;
        case MB_ABORTRETRYIGNORE: request.Buttons = {mbAbort, mbRetry, mbIgnore}; break;
        case MB_YESNOCANCEL: request.Buttons = {mbYes, mbNo, mbCancel}; break;
        case MB_YESNO: request.Buttons = {mbYes, mbNo}; break;
        case MB_RETRYCANCEL: request.Buttons = {mbRetry, mbCancel}; break;
        default: request.Buttons = {mbOK}; break;
    }
    switch (flags & 0xF0u) {
        case MB_ICONHAND: request.Type = mtError; break;
        case MB_ICONQUESTION: request.Type = mtConfirmation; break;
        case MB_ICONEXCLAMATION: request.Type = mtWarning; break;
        case MB_ICONASTERISK: request.Type = mtInformation; break;
        default: request.Type = mtCustom; break;
    }
    // A default button beyond the last one falls back to the first, as the system box does.
    const int defaultButton = static_cast<int>((flags >> 8) & 0x0Fu);
    request.DefaultButton =
        defaultButton < static_cast<int>(request.Buttons.size()) ? defaultButton : 0;
    return DialogService().RunMessageBox(request);
}

}  // namespace dsp
