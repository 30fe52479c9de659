#include "tests/realwindow/JourneyApp.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <vector>

#include "framework/controls/Button.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/TreeView.h"
#include "framework/controls/UpDown.h"
#include "framework/controls/ValueListEditor.h"
#include "framework/graphics/FontSet.h"
#include "framework/runtime/Application.h"
#include "framework/runtime/MainThread.h"

#include <xcb/xcb.h>

namespace dsp::journey {

namespace {

std::string Number(int value) { return std::to_string(value); }

// Chains a logging step before the handler a control already has.
template <typename Event, typename Step>
void Before(Event& event, Step step) {
    Event previous = event;
    event = [previous, step](auto&&... args) {
        step(args...);
        if (previous) previous(args...);
    };
}

// The forms Watch was given, to log the places of their controls when asked.
std::vector<TCustomForm*>& WatchedForms() {
    static std::vector<TCustomForm*> forms;
    return forms;
}

void LogPlaces(TCustomForm& form, TWinControl& parent) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        if (!control->Name().empty() && control->Showing()) {
            const TPoint origin = form.ClientOrigin();
            const TPoint at = control->ClientToScreen({0, 0});
            Log("place " + form.Name() + " " + control->Name() + " " + Number(at.X - origin.X) +
                " " + Number(at.Y - origin.Y + form.MenuBarHeight()) + " " +
                Number(control->Width()) + " " + Number(control->Height()));
        }
        if (auto* windowed = dynamic_cast<TWinControl*>(control)) LogPlaces(form, *windowed);
    }
}

void WatchControl(TControl& control) {
    const std::string name = control.Name();
    auto log = [name](const std::string& what) { Log(name + " " + what); };
    if (auto* windowed = dynamic_cast<TWinControl*>(&control)) {
        Before(windowed->OnEnter, [log](TObject*) { log("OnEnter"); });
        Before(windowed->OnExit, [log](TObject*) { log("OnExit"); });
    }
    if (auto* check = dynamic_cast<TCustomCheckBox*>(&control)) {
        Before(control.OnClick, [log, check](TObject*) {
            log(std::string("OnClick ") + (check->Checked() ? "checked" : "unchecked"));
        });
    } else if (auto* list = dynamic_cast<TCustomListBox*>(&control)) {
        Before(control.OnClick,
               [log, list](TObject*) { log("OnClick " + Number(list->ItemIndex())); });
    } else if (auto* speed = dynamic_cast<TSpeedButton*>(&control)) {
        Before(control.OnClick, [log, speed](TObject*) {
            log(std::string("OnClick ") + (speed->Down() ? "down" : "up"));
        });
    } else if (auto* combo = dynamic_cast<TCustomComboBox*>(&control)) {
        auto item = [combo] { return Number(combo->ItemIndex()) + " " + combo->Text(); };
        Before(control.OnClick, [log, item](TObject*) { log("OnClick " + item()); });
        Before(combo->OnChange, [log, item](TObject*) { log("OnChange " + item()); });
        Before(combo->OnSelect, [log, item](TObject*) { log("OnSelect " + item()); });
        Before(combo->OnDropDown, [log](TObject*) { log("OnDropDown"); });
        Before(combo->OnCloseUp, [log](TObject*) { log("OnCloseUp"); });
    } else if (auto* updown = dynamic_cast<TCustomUpDown*>(&control)) {
        Before(updown->OnClick, [log, updown](TObject*, TUDBtnType button) {
            log(std::string("OnClick ") + (button == btNext ? "next " : "prev ") +
                Number(updown->Position()));
        });
    } else {
        Before(control.OnClick, [log](TObject*) { log("OnClick"); });
    }
    if (auto* edit = dynamic_cast<TCustomEdit*>(&control)) {
        Before(edit->OnChange, [log, edit](TObject*) { log("OnChange " + edit->Text()); });
    } else if (auto* memo = dynamic_cast<TCustomMemo*>(&control)) {
        Before(memo->OnChange, [log, memo](TObject*) { log("OnChange " + memo->Text()); });
    } else if (auto* pages = dynamic_cast<TPageControl*>(&control)) {
        Before(pages->OnChange,
               [log, pages](TObject*) { log("OnChange " + Number(pages->ActivePageIndex())); });
    } else if (auto* tree = dynamic_cast<TCustomTreeView*>(&control)) {
        Before(tree->OnChange, [log](TObject*, TTreeNode* node) {
            log("OnChange " + (node != nullptr ? node->Text() : std::string("none")));
        });
    } else if (auto* grid = dynamic_cast<TValueListEditor*>(&control)) {
        Before(grid->OnSelectCell, [log](TObject*, int col, int row, bool&) {
            log("OnSelectCell " + Number(col) + " " + Number(row));
        });
    }
}

// Logs where the controls of every watched form that shows are.
void LogAllPlaces() {
    for (TCustomForm* form : WatchedForms()) {
        bool alive = false;
        for (int i = 0; i < FormCount(); ++i) alive = alive || Forms(i) == form;
        if (alive && form->Showing()) LogPlaces(*form, *form);
    }
}

void WatchControls(TWinControl& parent) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        if (!control->Name().empty()) WatchControl(*control);
        if (auto* windowed = dynamic_cast<TWinControl*>(control)) WatchControls(*windowed);
    }
}

// Answers the test's requests, client messages with a number: a sync request with "sync N", a
// places request with the places of the controls and "places N". The answer goes out after the
// message has been taken, once what the toolkit made of everything that came before it has been
// handled, and after the display has handled every request this program sent meanwhile.
class TTestRequests : public QAbstractNativeEventFilter {
public:
    TTestRequests() {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        connection_ = x11 != nullptr ? x11->connection() : nullptr;
        if (connection_ == nullptr) return;
        sync_ = Atom("_DSP_JOURNEY_SYNC");
        places_ = Atom("_DSP_JOURNEY_PLACES");
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t" || connection_ == nullptr) return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE) return false;
        const auto* client = static_cast<const xcb_client_message_event_t*>(message);
        if (client->type != sync_ && client->type != places_) return false;
        const bool places = client->type == places_;
        const auto number = static_cast<int>(client->data.data32[0]);
        xcb_connection_t* connection = connection_;
        PostToMainThread([connection, number, places] {
            // A request with a reply: the display has handled everything sent before it.
            std::free(
                xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
            if (places) LogAllPlaces();
            Log((places ? "places " : "sync ") + Number(number));
        });
        return true;
    }

private:
    xcb_atom_t Atom(const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection_,
            xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr);
        if (reply == nullptr) return 0;
        const xcb_atom_t result = reply->atom;
        std::free(reply);
        return result;
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_atom_t sync_ = 0;
    xcb_atom_t places_ = 0;
};

}  // namespace

void Log(const std::string& line) {
    // One event, one line: line breaks in texts are written as \n and \r.
    std::string escaped;
    for (char c : line) {
        if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\r') {
            escaped += "\\r";
        } else {
            escaped += c;
        }
    }
    std::fwrite(escaped.data(), 1, escaped.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void Watch(TCustomForm& form) {
    const std::string name = form.Name();
    WatchedForms().push_back(&form);
    Log("form " + name + " " + form.Caption());
    auto log = [name](const std::string& what) { Log(name + " " + what); };
    WatchControls(form);
    TCustomForm* f = &form;
    Before(form.OnShow, [log](TObject*) { log("OnShow"); });
    Before(form.OnHide, [log](TObject*) { log("OnHide"); });
    Before(form.OnActivate, [log](TObject*) { log("OnActivate"); });
    Before(form.OnDeactivate, [log](TObject*) { log("OnDeactivate"); });
    Before(form.OnResize, [log, f](TObject*) {
        log("OnResize " + Number(f->ClientWidth()) + " " + Number(f->ClientHeight()));
    });
    Before(form.OnCloseQuery, [log](TObject*, bool&) { log("OnCloseQuery"); });
    Before(form.OnClose, [log](TObject*, TCloseAction&) { log("OnClose"); });
    // The bounds after every change, the window manager's included.
    auto previous = form.WindowProc();
    auto last = std::make_shared<TRect>(form.BoundsRect());
    log("bounds " + Number(last->Left) + " " + Number(last->Top) + " " + Number(last->Width()) +
        " " + Number(last->Height()));
    auto state = std::make_shared<TWindowState>(form.WindowState());
    form.SetWindowProc([previous, f, log, last, state](TMessage& message) {
        previous(message);
        if (message.Msg == WM_SIZE && f->WindowState() != *state) {
            *state = f->WindowState();
            log(std::string("state ") + (*state == wsMinimized   ? "minimized"
                                         : *state == wsMaximized ? "maximized"
                                                                 : "normal"));
        }
        if (message.Msg != WM_WINDOWPOSCHANGED) return;
        const TRect now = f->BoundsRect();
        if (now == *last) return;
        *last = now;
        log("bounds " + Number(now.Left) + " " + Number(now.Top) + " " + Number(now.Width()) + " " +
            Number(now.Height()));
    });
}

namespace {
std::vector<std::string>& Arguments() {
    static std::vector<std::string> arguments;
    return arguments;
}
}  // namespace

bool HasArgument(const std::string& argument) {
    const std::vector<std::string>& all = Arguments();
    return std::find(all.begin(), all.end(), argument) != all.end();
}

int Run(int argc, char** argv, const std::function<void()>& build) {
    Arguments().assign(argv + 1, argv + argc);
    setenv("QT_QPA_PLATFORM", "xcb", 0);
    setenv("QT_FONT_DPI", "96", 0);
    PinFontSet();
    TApplication application;
    application.Initialize();
    // An exception that escapes a handler is a fault of the journey: it ends the program.
    application.OnException = [](TObject*, const Exception& e) {
        Log(std::string("exception ") + e.what());
        std::fflush(stdout);
        std::abort();
    };
    TTestRequests requests;
    QCoreApplication::instance()->installNativeEventFilter(&requests);
    try {
        build();
    } catch (const std::exception& e) {
        Log(std::string("exception ") + e.what());
        return 1;
    }
    PostToMainThread([] { Log("ready"); });
    RunApplication();
    QCoreApplication::instance()->removeNativeEventFilter(&requests);
    Log("exit");
    return 0;
}

}  // namespace dsp::journey
