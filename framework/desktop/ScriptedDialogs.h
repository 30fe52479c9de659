#pragma once
// A dialog service for tests: a test queues the answers the user would give, in the order the
// dialogs will appear, and afterwards reads what each dialog was asked. While it lives it is
// the service in force. A dialog for which the next answer does not fit (none queued, another
// kind of dialog, a button the box does not offer, several files for a single-file dialog)
// raises EScriptedDialogError, so an unexpected dialog fails the test instead of opening.

#include <deque>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/desktop/DialogService.h"

namespace dsp {

class EScriptedDialogError : public Exception {
public:
    using Exception::Exception;
};

enum TScriptedDialogKind { sdFile, sdColor, sdFont, sdPrint, sdMessageBox, sdAny };

class TScriptedDialogs : public IDialogService {
public:
    TScriptedDialogs();
    ~TScriptedDialogs() override;
    TScriptedDialogs(const TScriptedDialogs&) = delete;
    TScriptedDialogs& operator=(const TScriptedDialogs&) = delete;

    // ---- answers, taken in the order queued
    // A file dialog confirmed with these names (full paths or names as typed); filterIndex 0
    // keeps the filter the dialog proposed.
    void AnswerFiles(std::vector<std::string> fileNames, int filterIndex = 0);
    void AnswerFile(const std::string& fileName, int filterIndex = 0) {
        AnswerFiles({fileName}, filterIndex);
    }
    void AnswerColor(TColorRef color);
    void AnswerFont(const TLogFont& font, TColorRef color);
    // The print dialog confirmed with this printer (an index into the request's list);
    // fileName is the file chosen for the PDF printer.
    void AnswerPrint(int printerIndex, TPrinterOrientation orientation, int copies = 1,
                     const std::string& fileName = {});
    void AnswerButton(TModalResult result);
    // The next dialog, of whatever kind, is cancelled (a message box answers mrCancel and must
    // offer Cancel).
    void Cancel();

    int Pending() const { return static_cast<int>(answers_.size()); }

    // ---- what was shown, in order
    const std::vector<TScriptedDialogKind>& Shown() const { return shown_; }
    const std::vector<TFileDialogRequest>& FileDialogs() const { return fileRequests_; }
    const std::vector<TColorDialogRequest>& ColorDialogs() const { return colorRequests_; }
    const std::vector<TFontDialogRequest>& FontDialogs() const { return fontRequests_; }
    const std::vector<TPrintDialogRequest>& PrintDialogs() const { return printRequests_; }
    const std::vector<TMessageBoxRequest>& MessageBoxes() const { return messageRequests_; }

    TFileDialogAnswer RunFileDialog(const TFileDialogRequest& request) override;
    TColorDialogAnswer RunColorDialog(const TColorDialogRequest& request) override;
    TFontDialogAnswer RunFontDialog(const TFontDialogRequest& request) override;
    TPrintDialogAnswer RunPrintDialog(const TPrintDialogRequest& request) override;
    TModalResult RunMessageBox(const TMessageBoxRequest& request) override;

private:
    struct Answer {
        TScriptedDialogKind kind = sdAny;
        bool accepted = false;
        std::vector<std::string> fileNames{};
        int filterIndex = 0;
        TColorRef color = 0;
        TLogFont font{};
        TModalResult result = mrNone;
        int printerIndex = 0;
        TPrinterOrientation orientation = poPortrait;
        int copies = 1;
    };
    // The next answer, which must be for a dialog of this kind (or a cancel).
    Answer Take(TScriptedDialogKind kind, const std::string& what);
    void Queue(Answer answer) { answers_.push_back(std::move(answer)); }
    void NoteShown(TScriptedDialogKind kind) { shown_.push_back(kind); }

    IDialogService* previous_ = nullptr;
    std::deque<Answer> answers_;
    std::vector<TScriptedDialogKind> shown_;
    std::vector<TFileDialogRequest> fileRequests_;
    std::vector<TColorDialogRequest> colorRequests_;
    std::vector<TFontDialogRequest> fontRequests_;
    std::vector<TPrintDialogRequest> printRequests_;
    std::vector<TMessageBoxRequest> messageRequests_;
};

}  // namespace dsp
