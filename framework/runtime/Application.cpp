#include "framework/runtime/Application.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "framework/graphics/FontSet.h"
#include "framework/text/Locale.h"

#include "framework/runtime/EventLoop.h"
#include "framework/runtime/MainThread.h"
#include "framework/runtime/Thread.h"

namespace dsp {

TApplication* Application = nullptr;

namespace {

Exception AsException(std::exception_ptr exception) {
    try {
        std::rethrow_exception(exception);
    } catch (const Exception& e) {
        return e;
    } catch (const std::exception& e) {
        return Exception(e.what());
    } catch (...) {
        return Exception("");
    }
}

void ShowInMessageBox(const std::string& caption, const std::string& text) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return;
    }
    QMessageBox::critical(nullptr, QString::fromStdString(caption), QString::fromStdString(text));
}

}  // namespace

TApplication::TApplication() : TComponent(nullptr), exceptionDisplay_(ShowInMessageBox) {
    Application = this;
    title_ = std::filesystem::path(ExeName()).stem().string();
}

TApplication::~TApplication() {
    // The forms go first, while the toolkit they live in is still there.
    DestroyComponents();
    SetUnexpectedExceptionHandler(nullptr);
    if (initialized_) DetachEventLoop();
    if (ownsToolkit_) delete QCoreApplication::instance();
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
    if (initialized_) return;
    // A write past the file-size limit fails with an error its writer reports and cleans up
    // after; the signal's default action would end the program with a partial file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    if (!QCoreApplication::instance()) {
        // Every picture must come out the same on every machine: only the project's fonts.
        PinFontSet();
        argv0_ = ExeName();
        argv_[0] = argv0_.data();
        new QApplication(argc_, argv_);
        ownsToolkit_ = true;
    }
    // The toolkit takes the user's numeric locale; numbers in files and edit boxes always use ".".
    UseCNumericLocale();
    if (auto* gui = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        // Closing a window never ends the program by itself: the program decides when.
        gui->setQuitOnLastWindowClosed(false);
    }
    AttachEventLoop();
    SetUnexpectedExceptionHandler([this](std::exception_ptr e) { HandleException(e); });
    initialized_ = true;
}

void TApplication::Run() {
    if (terminated_ || !initialized_) return;
    QCoreApplication::exec();
}

void TApplication::Terminate() {
    if (!IsMainThread()) {
        PostToMainThread([this] { Terminate(); });
        return;
    }
    terminated_ = true;
    if (QCoreApplication::instance()) QCoreApplication::exit(0);
}

void TApplication::ProcessMessages() { ProcessPendingEvents(); }

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    if (QCoreApplication::instance())
        QCoreApplication::setApplicationName(QString::fromStdString(title));
}

std::string TApplication::ExeName() const {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

void TApplication::HandleException(std::exception_ptr exception) {
    const Exception e = AsException(exception);
    if (OnException) {
        OnException(this, e);
    } else {
        ShowException(e);
    }
}

void TApplication::ShowException(const Exception& e) {
    if (exceptionDisplay_) exceptionDisplay_(title_, e.Message());
}

}  // namespace dsp
