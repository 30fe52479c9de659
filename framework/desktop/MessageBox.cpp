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
    request.caption = CaptionOf(type);
    request.text = message;
    request.type = type;
    for (TMsgDlgBtn b : kButtonOrder)
        if (buttons.Contains(b)) request.buttons.push_back(b);
    if (request.buttons.empty()) request.buttons.push_back(mbOK);
    // The default is OK, else Yes, else Retry, else the first button.
    for (TMsgDlgBtn preferred : {mbOK, mbYes, mbRetry}) {
        const auto it = std::find(request.buttons.begin(), request.buttons.end(), preferred);
        if (it != request.buttons.end()) {
            request.defaultButton = static_cast<int>(it - request.buttons.begin());
            break;
        }
    }
    return DialogService().RunMessageBox(request);
}

void ShowMessage(const std::string& message) {
    TMessageBoxRequest request;
    request.caption = ApplicationTitle();
    request.text = message;
    request.type = mtCustom;
    request.buttons = {mbOK};
    DialogService().RunMessageBox(request);
}

int MessageBox(HWND owner, const std::string& text, const std::string& caption, unsigned flags) {
    TMessageBoxRequest request;
    request.owner = owner;
    request.caption = caption;
    request.text = text;
    switch (flags & 0x0Fu) {
        case MB_OKCANCEL: request.buttons = {mbOK, mbCancel}; break;
        case MB_ABORTRETRYIGNORE: request.buttons = {mbAbort, mbRetry, mbIgnore}; break;
        case MB_YESNOCANCEL: request.buttons = {mbYes, mbNo, mbCancel}; break;
        case MB_YESNO: request.buttons = {mbYes, mbNo}; break;
        case MB_RETRYCANCEL: request.buttons = {mbRetry, mbCancel}; break;
        default: request.buttons = {mbOK}; break;
    }
    switch (flags & 0xF0u) {
        case MB_ICONHAND: request.type = mtError; break;
        case MB_ICONQUESTION: request.type = mtConfirmation; break;
        case MB_ICONEXCLAMATION: request.type = mtWarning; break;
        case MB_ICONASTERISK: request.type = mtInformation; break;
        default: request.type = mtCustom; break;
    }
    // A default button beyond the last one falls back to the first, as the system box does.
    const int defaultButton = static_cast<int>((flags >> 8) & 0x0Fu);
    request.defaultButton =
        defaultButton < static_cast<int>(request.buttons.size()) ? defaultButton : 0;
    return DialogService().RunMessageBox(request);
}

}  // namespace dsp
