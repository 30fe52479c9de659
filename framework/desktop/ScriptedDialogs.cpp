#include "framework/desktop/ScriptedDialogs.h"

#include <algorithm>

namespace dsp {

namespace {

const char* NameOf(TScriptedDialogKind kind) {
    switch (kind) {
        case sdFile: return "a file dialog";
        case sdColor: return "a colour dialog";
        case sdFont: return "a font dialog";
        case sdPrint: return "a print dialog";
        case sdMessageBox: return "a message box";
        case sdAny: return "a cancel";
    }
    return "";
}

}  // namespace

TScriptedDialogs::TScriptedDialogs() { previous_ = SetDialogService(this); }

TScriptedDialogs::~TScriptedDialogs() { SetDialogService(previous_); }

void TScriptedDialogs::AnswerFiles(std::vector<std::string> fileNames, int filterIndex) {
    Queue({.kind = sdFile,
           .accepted = true,
           .fileNames = std::move(fileNames),
           .filterIndex = filterIndex});
}

void TScriptedDialogs::AnswerColor(TColorRef color) {
    Queue({.kind = sdColor, .accepted = true, .color = color});
}

void TScriptedDialogs::AnswerFont(const TLogFont& font, TColorRef color) {
    Queue({.kind = sdFont, .accepted = true, .color = color, .font = font});
}

void TScriptedDialogs::AnswerPrint(int printerIndex, TPrinterOrientation orientation, int copies,
                                   const std::string& fileName) {
    std::vector<std::string> fileNames;
    if (!fileName.empty()) fileNames = {fileName};
    Queue({.kind = sdPrint,
           .accepted = true,
           .fileNames = std::move(fileNames),
           .printerIndex = printerIndex,
           .orientation = orientation,
           .copies = copies});
}

void TScriptedDialogs::AnswerButton(TModalResult result) {
    Queue({.kind = sdMessageBox, .accepted = true, .result = result});
}

void TScriptedDialogs::Cancel() { Queue(Answer{}); }

TScriptedDialogs::Answer TScriptedDialogs::Take(TScriptedDialogKind kind, const std::string& what) {
    NoteShown(kind);
    if (answers_.empty())
        throw EScriptedDialogError(std::string(NameOf(kind)) +
                                   " was shown with no answer queued: " + what);
    Answer a = std::move(answers_.front());
    answers_.pop_front();
    if (a.kind != kind && a.kind != sdAny)
        throw EScriptedDialogError(std::string(NameOf(kind)) +
                                   " was shown, but the next answer is " + NameOf(a.kind) +
                                   "'s: " + what);
    return a;
}

TFileDialogAnswer TScriptedDialogs::RunFileDialog(const TFileDialogRequest& request) {
    fileRequests_.push_back(request);
    const Answer a = Take(sdFile, request.title.empty() ? request.fileName : request.title);
    TFileDialogAnswer answer;
    if (!a.accepted) return answer;
    if (a.fileNames.empty()) throw EScriptedDialogError("a file dialog was answered with no file");
    if (a.fileNames.size() > 1 && !request.allowMultiSelect)
        throw EScriptedDialogError("several files were chosen in a dialog that takes one");
    if (a.filterIndex < 0 || a.filterIndex > static_cast<int>(request.filters.size()))
        throw EScriptedDialogError("the filter chosen is not one the dialog offers");
    answer.accepted = true;
    answer.fileNames = a.fileNames;
    answer.filterIndex = a.filterIndex;
    return answer;
}

TColorDialogAnswer TScriptedDialogs::RunColorDialog(const TColorDialogRequest& request) {
    colorRequests_.push_back(request);
    const Answer a = Take(sdColor, "");
    TColorDialogAnswer answer;
    answer.accepted = a.accepted;
    answer.color = a.accepted ? a.color : request.color;
    return answer;
}

TFontDialogAnswer TScriptedDialogs::RunFontDialog(const TFontDialogRequest& request) {
    fontRequests_.push_back(request);
    const Answer a = Take(sdFont, request.font.lfFaceName);
    TFontDialogAnswer answer;
    answer.accepted = a.accepted;
    answer.font = a.accepted ? a.font : request.font;
    answer.color = a.accepted ? a.color : request.color;
    return answer;
}

TPrintDialogAnswer TScriptedDialogs::RunPrintDialog(const TPrintDialogRequest& request) {
    printRequests_.push_back(request);
    const Answer a = Take(sdPrint, "");
    TPrintDialogAnswer answer;
    answer.accepted = a.accepted;
    answer.printerIndex = request.printerIndex;
    answer.orientation = request.orientation;
    answer.copies = request.copies;
    if (!a.accepted) return answer;
    if (a.printerIndex < 0 || a.printerIndex >= static_cast<int>(request.printers.size()))
        throw EScriptedDialogError("the printer chosen is not one the dialog offers");
    answer.printerIndex = a.printerIndex;
    answer.orientation = a.orientation;
    answer.copies = a.copies;
    if (!a.fileNames.empty()) answer.fileName = a.fileNames.front();
    return answer;
}

TModalResult TScriptedDialogs::RunMessageBox(const TMessageBoxRequest& request) {
    messageRequests_.push_back(request);
    const Answer a = Take(sdMessageBox, request.text);
    const TModalResult result = a.accepted ? a.result : mrCancel;
    const bool offered = std::any_of(request.buttons.begin(), request.buttons.end(),
                                     [&](TMsgDlgBtn b) { return ModalResultOf(b) == result; });
    if (!offered)
        throw EScriptedDialogError("the message box \"" + request.text +
                                   "\" offers no button for the answer queued");
    return result;
}

}  // namespace dsp
