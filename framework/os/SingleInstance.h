#pragma once
// One running instance per user. The first start of a program takes a lock in the user's runtime
// folder and listens on a local socket beside it; a later start finds the lock taken, hands its
// command-line arguments to the first over the socket and ends. The first hears of it on the UI
// thread (OnSecondInstance), where its main window restores and raises itself. The lock belongs
// to the process, so the kernel drops it when the process dies: the lock of a crashed instance is
// simply taken over and its left-over socket replaced. Nothing here involves the window system.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dsp {

enum class TInstanceRole {
    None,    // Start not called, or it failed
    First,   // this process holds the lock and listens
    Second,  // another instance holds it and has taken this start's arguments
};

class TSingleInstance {
public:
    // appId names the lock and socket files (letters, digits, '.', '_' and '-'). An empty folder
    // means the user's runtime folder (UserRuntimeFolder).
    explicit TSingleInstance(std::string appId, std::string folder = {});
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;
    // A first instance lets go of its lock and removes its socket.
    ~TSingleInstance();

    // Becomes the first instance, or hands the arguments to the first one and waits at most
    // timeoutMs for it to take them. First needs the UI thread's event loop (the application is
    // initialised) to hear of later starts. None when neither worked in time: the folder cannot
    // be used, or the first instance holds its lock but does not answer; ErrorText says why.
    TInstanceRole Start(const std::vector<std::string>& arguments, int timeoutMs = 5000);

    TInstanceRole Role() const { return role_; }
    const std::string& ErrorText() const { return error_; }
    const std::string& Folder() const { return folder_; }
    std::string LockPath() const;
    std::string SocketPath() const;

    // Runs on the UI thread with the arguments of each later start, in the order they came.
    std::function<void(const std::vector<std::string>& arguments)> OnSecondInstance;

private:
    struct TServer;
    bool TryLock();
    bool Listen();
    bool HandOver(const std::vector<std::string>& arguments, long long deadlineMs);

    std::string appId_;
    std::string folder_;
    std::string error_;
    TInstanceRole role_ = TInstanceRole::None;
    int lockFd_ = -1;
    std::unique_ptr<TServer> server_;
};

// The folder for the user's lock and socket: XDG_RUNTIME_DIR when it names a folder that belongs
// to this user and that nobody else may enter; else /tmp/<appId>-<uid>, made with mode 0700 when
// it does not exist. Empty when neither is safe (a folder of that name that is a link, belongs to
// someone else or is open to others).
std::string UserRuntimeFolder(const std::string& appId);

}  // namespace dsp
