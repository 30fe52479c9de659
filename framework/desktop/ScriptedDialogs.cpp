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
    Queue({.Kind = sdFile,
           .Accepted = true,
           .FileNames = std::move(fileNames),
           .FilterIndex = filterIndex});
}

void TScriptedDialogs::AnswerColor(TColorRef color) {
    Queue({.Kind = sdColor, .Accepted = true, .Color = color});
}

void TScriptedDialogs::AnswerFont(const TLogFont& font, TColorRef color) {
    Queue({.Kind = sdFont, .Accepted = true, .Color = color, .Font = font});
}

void TScriptedDialogs::AnswerPrint(int printerIndex, TPrinterOrientation orientation, int copies,
                                   const std::string& fileName) {
    std::vector<std::string> fileNames;
    if (!fileName.empty()) fileNames = {fileName};
    Queue({.Kind = sdPrint,
           .Accepted = true,
           .FileNames = std::move(fileNames),
           .PrinterIndex = printerIndex,
           .Orientation = orientation,
           .Copies = copies});
}

void TScriptedDialogs::AnswerButton(TModalResult result) {
    Queue({.Kind = sdMessageBox, .Accepted = true, .Result = result});
}

void TScriptedDialogs::Cancel() { Queue(Answer{}); }

TScriptedDialogs::Answer TScriptedDialogs::Take(TScriptedDialogKind kind, const std::string& what) {
    NoteShown(kind);
    if (answers_.empty())
        throw EScriptedDialogError(std::string(NameOf(kind)) +
                                   " was shown with no answer queued: " + what);
    Answer a = std::move(answers_.front());
    answers_.pop_front();
    if (a.Kind != kind && a.Kind != sdAny)
        throw EScriptedDialogError(std::string(NameOf(kind)) +
                                   " was shown, but the next answer is " + NameOf(a.Kind) +
                                   "'s: " + what);
    return a;
}

TFileDialogAnswer TScriptedDialogs::RunFileDialog(const TFileDialogRequest& request) {
    fileRequests_.push_back(request);
    const Answer a = Take(sdFile, request.Title.empty() ? request.FileName : request.Title);
    TFileDialogAnswer answer;
    if (!a.Accepted) return answer;
    if (a.FileNames.empty()) throw EScriptedDialogError("a file dialog was answered with no file");
    if (a.FileNames.size() > 1 && !request.AllowMultiSelect)
        throw EScriptedDialogError("several files were chosen in a dialog that takes one");
    if (a.FilterIndex < 0 || a.FilterIndex > static_cast<int>(request.Filters.size()))
        throw EScriptedDialogError("the filter chosen is not one the dialog offers");
    answer.Accepted = true;
    answer.FileNames = a.FileNames;
    answer.FilterIndex = a.FilterIndex;
    return answer;
}

TColorDialogAnswer TScriptedDialogs::RunColorDialog(const TColorDialogRequest& request) {
    colorRequests_.push_back(request);
    const Answer a = Take(sdColor, "");
    TColorDialogAnswer answer;
    answer.Accepted = a.Accepted;
    answer.Color = a.Accepted ? a.Color : request.Color;
    return answer;
}

TFontDialogAnswer TScriptedDialogs::RunFontDialog(const TFontDialogRequest& request) {
    fontRequests_.push_back(request);
    const Answer a = Take(sdFont, request.Font.lfFaceName);
    TFontDialogAnswer answer;
    answer.Accepted = a.Accepted;
    answer.Font = a.Accepted ? a.Font : request.Font;
    answer.Color = a.Accepted ? a.Color : request.Color;
    return answer;
}

TPrintDialogAnswer TScriptedDialogs::RunPrintDialog(const TPrintDialogRequest& request) {
    printRequests_.push_back(request);
    const Answer a = Take(sdPrint, "");
    TPrintDialogAnswer answer;
    answer.Accepted = a.Accepted;
    answer.PrinterIndex = request.PrinterIndex;
    answer.Orientation = request.Orientation;
    answer.Copies = request.Copies;
    if (!a.Accepted) return answer;
    if (a.PrinterIndex < 0 || a.PrinterIndex >= static_cast<int>(request.Printers.size()))
        throw EScriptedDialogError("the printer chosen is not one the dialog offers");
    answer.PrinterIndex = a.PrinterIndex;
    answer.Orientation = a.Orientation;
    answer.Copies = a.Copies;
    if (!a.FileNames.empty()) answer.FileName = a.FileNames.front();
    return answer;
}

TModalResult TScriptedDialogs::RunMessageBox(const TMessageBoxRequest& request) {
    messageRequests_.push_back(request);
    const Answer a = Take(sdMessageBox, request.Text);
    const TModalResult result = a.Accepted ? a.Result : mrCancel;
    const bool offered = std::any_of(request.Buttons.begin(), request.Buttons.end(),
                                     [&](TMsgDlgBtn b) { return ModalResultOf(b) == result; });
    if (!offered)
        throw EScriptedDialogError("the message box \"" + request.Text +
                                   "\" offers no button for the answer queued");
    return result;
}

}  // namespace dsp
