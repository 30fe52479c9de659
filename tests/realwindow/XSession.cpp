#include "tests/realwindow/XSession.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <system_error>

#include "tests/realwindow/ChildProcess.h"

// Xlib last: its macros (None, Bool, Status) would clash with what comes before.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace dsp::realwindow {

namespace {

using Clock = std::chrono::steady_clock;

// The screen of the virtual server: a common laptop size.
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 800;
// At least this often a wait looks at the state again, whatever the server says.
constexpr int kRecheckMs = 100;

int RemainingMs(Clock::time_point end) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

// Where the window manager's settings are: next to this program's sources.
std::string OpenboxConfig() { return DSP_OPENBOX_RC; }

// Decodes UTF-8 into code points (bad bytes are skipped).
std::u32string DecodeUtf8(const std::string& text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        if (i + extra >= text.size() && extra > 0) break;
        for (int k = 1; k <= extra; ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

// Windows come and go while the tests look at them: a request about a window that is gone fails
// quietly (the answer is empty) instead of ending the program.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

}  // namespace

struct TXSession::TImpl {
    std::string folder;
    std::string displayName;
    TChildProcess server;
    TChildProcess windowManager;
    Display* display = nullptr;
    Window root = 0;
    // An unmapped window of ours the window manager answers about (SyncWindowManager).
    Window probe = 0;
    long frameExtentReplies = 0;
    // Windows whose property and structure changes wake the waits.
    std::vector<Window> watched;
    // Keys given to characters that had none.
    std::vector<KeyCode> spareKeys;
    std::map<KeySym, KeyCode> borrowed;
    std::size_t nextSpare = 0;

    ~TImpl() {
        if (display != nullptr) XCloseDisplay(display);
        windowManager.Stop();
        server.Stop();
        std::error_code ignored;
        if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
    }

    Atom AtomOf(const std::string& name) { return XInternAtom(display, name.c_str(), False); }

    void Watch(Window window) {
        if (window == 0 || std::find(watched.begin(), watched.end(), window) != watched.end())
            return;
        watched.push_back(window);
        XSelectInput(display, window, PropertyChangeMask | StructureNotifyMask);
    }

    // Takes every event that came; they only wake the waits, which look at the state anew.
    void Drain() {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == PropertyNotify && event.xproperty.window == probe &&
                event.xproperty.atom == AtomOf("_NET_FRAME_EXTENTS")) {
                ++frameExtentReplies;
            } else if (event.type == MappingNotify) {
                XRefreshKeyboardMapping(&event.xmapping);
            }
        }
    }

    bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
        const auto end = Clock::now() + limit;
        for (;;) {
            XSync(display, False);
            Drain();
            if (condition()) return true;
            const int left = RemainingMs(end);
            if (left == 0) return false;
            pollfd entry{ConnectionNumber(display), POLLIN, 0};
            poll(&entry, 1, std::min(left, kRecheckMs));
        }
    }

    // A property of 32-bit items (CARDINAL, WINDOW, ATOM).
    std::vector<unsigned long> Longs(Window window, const std::string& property, Atom type) {
        Atom actualType = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        std::vector<unsigned long> out;
        if (XGetWindowProperty(display, window, AtomOf(property), 0, 1024, False, type, &actualType,
                               &format, &count, &after, &data) == Success &&
            data != nullptr) {
            if (format == 32) {
                const auto* items = reinterpret_cast<const unsigned long*>(data);
                out.assign(items, items + count);
            }
            XFree(data);
        }
        return out;
    }

    void SendToRoot(Window window, const std::string& type, std::initializer_list<long> values) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = AtomOf(type);
        event.xclient.format = 32;
        int i = 0;
        for (long v : values) event.xclient.data.l[i++] = v;
        XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
        XFlush(display);
    }

    KeyCode SpareKeyFor(KeySym sym) {
        if (auto it = borrowed.find(sym); it != borrowed.end()) return it->second;
        if (spareKeys.empty()) {
            int minCode = 0;
            int maxCode = 0;
            XDisplayKeycodes(display, &minCode, &maxCode);
            int perCode = 0;
            KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(minCode),
                                              maxCode - minCode + 1, &perCode);
            for (int code = minCode; code <= maxCode; ++code) {
                bool empty = true;
                for (int k = 0; k < perCode; ++k) {
                    empty = empty && map[(code - minCode) * perCode + k] == NoSymbol;
                }
                if (empty) spareKeys.push_back(static_cast<KeyCode>(code));
            }
            XFree(map);
        }
        if (spareKeys.empty()) return 0;
        const KeyCode code = spareKeys[nextSpare++ % spareKeys.size()];
        for (auto it = borrowed.begin(); it != borrowed.end();) {
            it = it->second == code ? borrowed.erase(it) : std::next(it);
        }
        KeySym syms[2] = {sym, sym};
        XChangeKeyboardMapping(display, code, 2, syms, 1);
        XSync(display, False);
        borrowed[sym] = code;
        return code;
    }

    void KeyEvent(KeyCode code, bool down) {
        XTestFakeKeyEvent(display, code, down ? True : False, CurrentTime);
    }

    // Presses and releases the key that gives sym, with Shift when it is on the shifted level.
    void TypeSym(KeySym sym) {
        KeyCode code = XKeysymToKeycode(display, sym);
        bool shifted = false;
        if (code != 0) {
            shifted = XkbKeycodeToKeysym(display, code, 0, 0) != sym &&
                      XkbKeycodeToKeysym(display, code, 0, 1) == sym;
        } else {
            code = SpareKeyFor(sym);
            if (code == 0) return;
        }
        const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
        if (shifted) KeyEvent(shift, true);
        KeyEvent(code, true);
        KeyEvent(code, false);
        if (shifted) KeyEvent(shift, false);
        XFlush(display);
    }
};

TXSession::TXSession(std::unique_ptr<TImpl> impl) : impl_(std::move(impl)) {}

TXSession::~TXSession() = default;

std::unique_ptr<TXSession> TXSession::Start(std::string& whyNot) {
    for (const char* program : {"Xvfb", "openbox"}) {
        if (!ProgramInstalled(program)) {
            whyNot = std::string(program) + " is not installed";
            return nullptr;
        }
    }
    auto impl = std::make_unique<TImpl>();
    std::string pattern =
        (std::filesystem::temp_directory_path() / "dsp-realwindow-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        whyNot = "no temporary folder";
        return nullptr;
    }
    impl->folder = pattern;

    // The server writes the display number it chose to a pipe once it accepts clients.
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) {
        whyNot = "no pipe";
        return nullptr;
    }
    TChildOptions server;
    server.args = {"Xvfb",
                   "-displayfd",
                   "3",
                   "-nolisten",
                   "tcp",
                   "-noreset",
                   "-screen",
                   "0",
                   std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24"};
    server.outputFile = impl->folder + "/xvfb.log";
    server.inheritFd = ready[1];
    server.inheritAs = 3;
    std::string error;
    const bool started = impl->server.Start(server, error);
    close(ready[1]);
    if (!started) {
        close(ready[0]);
        whyNot = "Xvfb: " + error;
        return nullptr;
    }
    std::string number;
    const auto end = Clock::now() + kWaitLimit;
    for (;;) {
        pollfd entry{ready[0], POLLIN, 0};
        if (poll(&entry, 1, RemainingMs(end)) <= 0) break;
        char c = 0;
        if (read(ready[0], &c, 1) != 1 || c == '\n') break;
        number += c;
    }
    close(ready[0]);
    if (number.empty()) {
        whyNot = "Xvfb did not start (see " + server.outputFile + ")";
        return nullptr;
    }
    impl->displayName = ":" + number;
    XSetErrorHandler(IgnoreError);
    impl->display = XOpenDisplay(impl->displayName.c_str());
    if (impl->display == nullptr) {
        whyNot = "cannot open display " + impl->displayName;
        return nullptr;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(impl->display, &eventBase, &errorBase, &major, &minor)) {
        whyNot = "the X server has no XTest extension";
        return nullptr;
    }
    impl->root = DefaultRootWindow(impl->display);
    XSelectInput(impl->display, impl->root, PropertyChangeMask | SubstructureNotifyMask);
    impl->probe = XCreateSimpleWindow(impl->display, impl->root, 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(impl->display, impl->probe, PropertyChangeMask);
    XSync(impl->display, False);

    // An empty menu of its own, instead of the system's.
    std::error_code ignored;
    std::filesystem::create_directories(impl->folder + "/config/openbox", ignored);
    std::filesystem::create_directories(impl->folder + "/runtime", ignored);
    std::filesystem::permissions(impl->folder + "/runtime", std::filesystem::perms::owner_all,
                                 ignored);
    std::ofstream(impl->folder + "/config/openbox/menu.xml")
        << "<openbox_menu xmlns=\"http://openbox.org/3.4/menu\"></openbox_menu>\n";
    TChildOptions manager;
    manager.args = {"openbox", "--sm-disable", "--config-file", OpenboxConfig()};
    manager.environment = {"DISPLAY=" + impl->displayName,
                           "XDG_CONFIG_HOME=" + impl->folder + "/config",
                           "XDG_DATA_HOME=" + impl->folder + "/data"};
    manager.outputFile = impl->folder + "/openbox.log";
    if (!impl->windowManager.Start(manager, error)) {
        whyNot = "openbox: " + error;
        return nullptr;
    }
    // The window manager announces itself on the root window, then answers requests.
    TImpl& x = *impl;
    if (!x.WaitUntil(
            [&] { return !x.Longs(x.root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty(); },
            kWaitLimit)) {
        whyNot = "openbox did not start (see " + manager.outputFile + ")";
        return nullptr;
    }
    // What is asked before the window manager runs its loop is lost: ask until it answers.
    bool answered = false;
    const long before = x.frameExtentReplies;
    for (const auto limit = Clock::now() + kWaitLimit; !answered && Clock::now() < limit;) {
        x.SendToRoot(x.probe, "_NET_REQUEST_FRAME_EXTENTS", {});
        answered = x.WaitUntil([&] { return x.frameExtentReplies > before; },
                               std::chrono::milliseconds(kRecheckMs));
    }
    if (!answered) {
        whyNot = "openbox does not answer";
        return nullptr;
    }
    return std::unique_ptr<TXSession>(new TXSession(std::move(impl)));
}

const std::string& TXSession::DisplayName() const { return impl_->displayName; }

std::string TXSession::RuntimeFolder() const { return impl_->folder + "/runtime"; }

TScreenRect TXSession::Screen() const { return {0, 0, kScreenWidth, kScreenHeight}; }

// ---- windows

std::string TXSession::Title(TWindowId window) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    const Window w = static_cast<Window>(window);
    if (XGetWindowProperty(impl_->display, w, impl_->AtomOf("_NET_WM_NAME"), 0, 1024, False,
                           impl_->AtomOf("UTF8_STRING"), &type, &format, &count, &after,
                           &data) == Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(impl_->display, w, &name) && name != nullptr) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

TWindowId TXSession::FindWindow(const std::string& title) {
    for (unsigned long w : impl_->Longs(impl_->root, "_NET_CLIENT_LIST", XA_WINDOW)) {
        if (Title(w) == title) {
            impl_->Watch(static_cast<Window>(w));
            return w;
        }
    }
    return 0;
}

TWindowId TXSession::WaitForWindow(const std::string& title, std::chrono::milliseconds limit) {
    TWindowId found = 0;
    WaitUntil(
        [&] {
            found = FindWindow(title);
            if (found == 0) return false;
            // Managed and shown: the window manager has framed it and it is mapped.
            XWindowAttributes attributes;
            return XGetWindowAttributes(impl_->display, static_cast<Window>(found), &attributes) !=
                       0 &&
                   attributes.map_state == IsViewable &&
                   !impl_->Longs(static_cast<Window>(found), "_NET_FRAME_EXTENTS", XA_CARDINAL)
                        .empty();
        },
        limit);
    return found;
}

TScreenRect TXSession::ClientRect(TWindowId window) {
    const Window w = static_cast<Window>(window);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(impl_->display, w, &attributes) == 0) return {};
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(impl_->display, w, impl_->root, 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

TFrameExtents TXSession::FrameExtents(TWindowId window) {
    const std::vector<unsigned long> e =
        impl_->Longs(static_cast<Window>(window), "_NET_FRAME_EXTENTS", XA_CARDINAL);
    if (e.size() < 4) return {};
    return {static_cast<int>(e[0]), static_cast<int>(e[1]), static_cast<int>(e[2]),
            static_cast<int>(e[3])};
}

TScreenRect TXSession::FrameRect(TWindowId window) {
    const TScreenRect c = ClientRect(window);
    const TFrameExtents e = FrameExtents(window);
    return {c.x - e.left, c.y - e.top, c.width + e.left + e.right, c.height + e.top + e.bottom};
}

std::vector<std::string> TXSession::Atoms(TWindowId window, const std::string& property) {
    std::vector<std::string> names;
    for (unsigned long atom : impl_->Longs(static_cast<Window>(window), property, XA_ATOM)) {
        char* name = XGetAtomName(impl_->display, static_cast<Atom>(atom));
        if (name == nullptr) continue;
        names.emplace_back(name);
        XFree(name);
    }
    return names;
}

bool TXSession::HasAtom(TWindowId window, const std::string& property, const std::string& atom) {
    const std::vector<std::string> names = Atoms(window, property);
    return std::find(names.begin(), names.end(), atom) != names.end();
}

std::vector<long> TXSession::Numbers(TWindowId window, const std::string& property) {
    std::vector<long> numbers;
    for (unsigned long n : impl_->Longs(static_cast<Window>(window), property, AnyPropertyType)) {
        numbers.push_back(static_cast<long>(n));
    }
    return numbers;
}

TWindowId TXSession::TransientFor(TWindowId window) {
    Window owner = 0;
    if (!XGetTransientForHint(impl_->display, static_cast<Window>(window), &owner)) return 0;
    return owner;
}

std::vector<TWindowId> TXSession::Stacking() {
    std::vector<TWindowId> out;
    for (unsigned long w : impl_->Longs(impl_->root, "_NET_CLIENT_LIST_STACKING", XA_WINDOW)) {
        out.push_back(w);
    }
    return out;
}

bool TXSession::IsAbove(TWindowId upper, TWindowId lower) {
    const std::vector<TWindowId> stack = Stacking();
    const auto u = std::find(stack.begin(), stack.end(), upper);
    const auto l = std::find(stack.begin(), stack.end(), lower);
    return u != stack.end() && l != stack.end() && u > l;
}

TWindowId TXSession::ActiveWindow() {
    const std::vector<unsigned long> active =
        impl_->Longs(impl_->root, "_NET_ACTIVE_WINDOW", XA_WINDOW);
    return active.empty() ? 0 : active.front();
}

bool TXSession::IsIconic(TWindowId window) {
    const Atom wmState = impl_->AtomOf("WM_STATE");
    const std::vector<unsigned long> state =
        impl_->Longs(static_cast<Window>(window), "WM_STATE", wmState);
    return !state.empty() && state.front() == IconicState;
}

TWindowId TXSession::TopPopup() {
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    TWindowId top = 0;
    if (!XQueryTree(impl_->display, impl_->root, &rootReturn, &parent, &children, &count)) return 0;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(impl_->display, children[i], &attributes) != 0 &&
            attributes.override_redirect && attributes.map_state == IsViewable &&
            attributes.x + attributes.width > 0 && attributes.y + attributes.height > 0 &&
            attributes.x < kScreenWidth && attributes.y < kScreenHeight) {
            top = children[i];
        }
    }
    if (children != nullptr) XFree(children);
    return top;
}

bool TXSession::WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    return impl_->WaitUntil(condition, limit);
}

// ---- the window manager

void TXSession::RequestClose(TWindowId window) {
    // Source 2: a pager or task bar asks, as a person clicking there does.
    impl_->SendToRoot(static_cast<Window>(window), "_NET_CLOSE_WINDOW", {CurrentTime, 2});
}

void TXSession::RequestIconify(TWindowId window) {
    impl_->SendToRoot(static_cast<Window>(window), "WM_CHANGE_STATE", {IconicState});
}

void TXSession::RequestActivate(TWindowId window) {
    impl_->SendToRoot(static_cast<Window>(window), "_NET_ACTIVE_WINDOW", {2, CurrentTime, 0});
}

bool TXSession::SyncWindowManager() {
    // The window manager answers a request for the frame size of a window it does not manage
    // by setting the property; its requests are handled in order, so the answer means every
    // request before it was handled too.
    const long before = impl_->frameExtentReplies;
    impl_->SendToRoot(impl_->probe, "_NET_REQUEST_FRAME_EXTENTS", {});
    return WaitUntil([&] { return impl_->frameExtentReplies > before; });
}

void TXSession::SendMessage(TWindowId window, const std::string& type, long value) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(window);
    event.xclient.message_type = impl_->AtomOf(type);
    event.xclient.format = 32;
    event.xclient.data.l[0] = value;
    XSendEvent(impl_->display, static_cast<Window>(window), False, NoEventMask, &event);
    XFlush(impl_->display);
}

// ---- input

void TXSession::MoveMouse(int x, int y) {
    XTestFakeMotionEvent(impl_->display, -1, x, y, CurrentTime);
    XFlush(impl_->display);
}

// The window manager holds the pointer's events over a window while it looks at a press (to
// raise and focus the window) and then lets them go on: keys given meanwhile would overtake
// them. Each button waits until the window manager has let it go.
void TXSession::Press(int button) {
    XTestFakeButtonEvent(impl_->display, static_cast<unsigned>(button), True, CurrentTime);
    SyncWindowManager();
}

void TXSession::Release(int button) {
    XTestFakeButtonEvent(impl_->display, static_cast<unsigned>(button), False, CurrentTime);
    SyncWindowManager();
}

void TXSession::Click(int x, int y, int button) {
    MoveMouse(x, y);
    Press(button);
    Release(button);
}

void TXSession::DoubleClick(int x, int y) {
    Click(x, y);
    Click(x, y);
}

void TXSession::Drag(int fromX, int fromY, int toX, int toY) {
    constexpr int kSteps = 8;
    MoveMouse(fromX, fromY);
    Press();
    for (int i = 1; i <= kSteps; ++i) {
        MoveMouse(fromX + (toX - fromX) * i / kSteps, fromY + (toY - fromY) * i / kSteps);
        // The window manager starts the move at the first motion and takes the pointer: the
        // motions before it has done so would be lost to the move.
        if (i == 1) SyncWindowManager();
    }
    SyncWindowManager();
    Release();
}

void TXSession::Key(const std::string& chord) {
    std::vector<KeyCode> modifiers;
    std::string rest = chord;
    for (;;) {
        const std::size_t plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 == rest.size()) break;
        const std::string name = rest.substr(0, plus);
        rest = rest.substr(plus + 1);
        KeySym sym = NoSymbol;
        if (name == "ctrl") sym = XK_Control_L;
        if (name == "alt") sym = XK_Alt_L;
        if (name == "shift") sym = XK_Shift_L;
        if (sym != NoSymbol) modifiers.push_back(XKeysymToKeycode(impl_->display, sym));
    }
    const KeySym sym = XStringToKeysym(rest.c_str());
    const KeyCode code = XKeysymToKeycode(impl_->display, sym);
    if (code == 0) return;
    for (KeyCode m : modifiers) impl_->KeyEvent(m, true);
    impl_->KeyEvent(code, true);
    impl_->KeyEvent(code, false);
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) impl_->KeyEvent(*m, false);
    XFlush(impl_->display);
}

void TXSession::Type(const std::string& utf8) {
    for (char32_t cp : DecodeUtf8(utf8)) {
        KeySym sym = NoSymbol;
        if (cp == '\n') {
            sym = XK_Return;
        } else if (cp == '\t') {
            sym = XK_Tab;
        } else if ((cp >= 0x20 && cp < 0x7F) || (cp >= 0xA0 && cp <= 0xFF)) {
            sym = cp;  // Latin-1 key symbols are the characters themselves
        } else {
            sym = 0x01000000 | cp;  // the key symbol of any other Unicode character
        }
        impl_->TypeSym(sym);
    }
}

}  // namespace dsp::realwindow
