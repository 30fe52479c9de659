#include "plot/engine/iOPCLibrary.h"

#include <atomic>
#include <type_traits>
#include <utility>

#include "framework/core/Exceptions.h"

namespace dsp {

namespace {

// The library as this system has it: not there.
class TAbsentOPCLibrary final : public IOPCLibrary {
public:
    bool Loaded() const override { return false; }
    std::string FileName() const override { return "OPCSupport.so"; }
    bool HasEntryPoint(const std::string&) const override { return false; }
    int SignalAdd(const std::string&, const std::string&, const std::string&, const std::string&,
                  int, bool, int, std::shared_ptr<IOPCSignalCallback>) override {
        return 0;
    }
    void SignalRemove(int) override {}
    void SignalSuspend(int) override {}
    void SignalResume(int) override {}
    bool SignalGetActive(int) override { return false; }
    bool SignalGetUpdateSuspended(int) override { return false; }
    void SignalSendData(int, const TVariant&) override {}
    void SignalGetDataNow(int) override {}
    TVariant SignalGetData(int) override { return {}; }
    double SignalGetTimeStamp(int) override { return 0; }
    int SignalGetQuality(int) override { return 0; }
    int GroupAdd(const std::string&, const std::string&, const std::string&, int,
                 std::shared_ptr<IOPCGroupCallback>) override {
        return 0;
    }
    void GroupDelete(int) override {}
    void GroupResume(int) override {}
    void GroupSuspend(int) override {}
    void GroupSetUpdateRate(int, int) override {}
    void CloseAllServerConnections() override {}
    int ServerConnectionGetCount() override { return 0; }
    std::string ServerConnectionGetName(int) override { return {}; }
    int ManagerCreated() override { return 0; }
    void ManagerDestroyed() override {}
    std::string GetLastCallErrorString() override { return {}; }
};

TAbsentOPCLibrary gAbsent;
// Read by the items on the UI thread; set by a program at start or by a test.
std::atomic<IOPCLibrary*> gLibrary{&gAbsent};

// The library, checked loaded and exporting the entry.
IOPCLibrary& Entry(const char* name) {
    OPCCheckLoaded();
    IOPCLibrary& library = OPCLibrary();
    if (!library.HasEntryPoint(name)) OPCMissingEntryPoint(name);
    return library;
}

// Calls the entry and raises the library's error afterwards.
template <typename F>
auto Call(const char* name, F&& f) {
    IOPCLibrary& library = Entry(name);
    if constexpr (std::is_void_v<decltype(f(library))>) {
        f(library);
        OPCCheckError();
    } else {
        auto result = f(library);
        OPCCheckError();
        return result;
    }
}

}  // namespace

IOPCLibrary& OPCLibrary() { return *gLibrary.load(); }

IOPCLibrary* SetOPCLibrary(IOPCLibrary* library) {
    IOPCLibrary* previous = gLibrary.exchange(library != nullptr ? library : &gAbsent);
    return previous == &gAbsent ? nullptr : previous;
}

bool OPCLibraryMissing() { return !OPCLibrary().Loaded(); }

void OPCCheckLoaded() {
    if (OPCLibraryMissing()) throw Exception("OPC Support Library Not Found");
}

void OPCMissingEntryPoint(const std::string& name) {
    throw Exception("Function \"" + name + "\" not found in \"" + OPCLibrary().FileName() + "\".");
}

void OPCCheckError() {
    IOPCLibrary& library = OPCLibrary();
    if (!library.Loaded() || !library.HasEntryPoint("GetLastCallErrorString")) return;
    const std::string message = library.GetLastCallErrorString();
    if (!message.empty()) throw Exception(message);
}

namespace opc {

int SignalAdd(const std::string& computerName, const std::string& serverName,
              const std::string& itemName, const std::string& groupName, int updateRate,
              bool startSuspended, int dataType, std::shared_ptr<IOPCSignalCallback> callback) {
    return Call("SignalAdd", [&](IOPCLibrary& l) {
        return l.SignalAdd(computerName, serverName, itemName, groupName, updateRate,
                           startSuspended, dataType, std::move(callback));
    });
}
void SignalRemove(int handle) {
    Call("SignalRemove", [&](IOPCLibrary& l) { l.SignalRemove(handle); });
}
void SignalSuspend(int handle) {
    Call("SignalSuspend", [&](IOPCLibrary& l) { l.SignalSuspend(handle); });
}
void SignalResume(int handle) {
    Call("SignalResume", [&](IOPCLibrary& l) { l.SignalResume(handle); });
}
bool SignalGetActive(int handle) {
    return Call("SignalGetActive", [&](IOPCLibrary& l) { return l.SignalGetActive(handle); });
}
bool SignalGetUpdateSuspended(int handle) {
    return Call("SignalGetUpdateSuspended",
                [&](IOPCLibrary& l) { return l.SignalGetUpdateSuspended(handle); });
}
void SignalSendData(int handle, const TVariant& value) {
    Call("SignalSendData", [&](IOPCLibrary& l) { l.SignalSendData(handle, value); });
}
void SignalGetDataNow(int handle) {
    Call("SignalGetDataNow", [&](IOPCLibrary& l) { l.SignalGetDataNow(handle); });
}
TVariant SignalGetData(int handle) {
    return Call("SignalGetData", [&](IOPCLibrary& l) { return l.SignalGetData(handle); });
}
double SignalGetTimeStamp(int handle) {
    return Call("SignalGetTimeStamp", [&](IOPCLibrary& l) { return l.SignalGetTimeStamp(handle); });
}
int SignalGetQuality(int handle) {
    return Call("SignalGetQuality", [&](IOPCLibrary& l) { return l.SignalGetQuality(handle); });
}
int GroupAdd(const std::string& groupName, const std::string& computerName,
             const std::string& serverName, int updateRate,
             std::shared_ptr<IOPCGroupCallback> callback) {
    return Call("GroupAdd", [&](IOPCLibrary& l) {
        return l.GroupAdd(groupName, computerName, serverName, updateRate, std::move(callback));
    });
}
void GroupDelete(int handle) {
    Call("GroupDelete", [&](IOPCLibrary& l) { l.GroupDelete(handle); });
}
void GroupResume(int handle) {
    Call("GroupResume", [&](IOPCLibrary& l) { l.GroupResume(handle); });
}
void GroupSuspend(int handle) {
    Call("GroupSuspend", [&](IOPCLibrary& l) { l.GroupSuspend(handle); });
}
void GroupSetUpdateRate(int handle, int updateRate) {
    Call("GroupSetUpdateRate", [&](IOPCLibrary& l) { l.GroupSetUpdateRate(handle, updateRate); });
}
void CloseAllServerConnections() {
    Call("CloseAllServerConnections", [](IOPCLibrary& l) { l.CloseAllServerConnections(); });
}
int ServerConnectionGetCount() {
    return Call("ServerConnectionGetCount",
                [](IOPCLibrary& l) { return l.ServerConnectionGetCount(); });
}
std::string ServerConnectionGetName(int index) {
    return Call("ServerConnectionGetName",
                [&](IOPCLibrary& l) { return l.ServerConnectionGetName(index); });
}
int ManagerCreated() {
    IOPCLibrary& library = OPCLibrary();
    if (!library.Loaded() || !library.HasEntryPoint("ManagerCreated")) return 0;
    const int result = library.ManagerCreated();
    OPCCheckError();
    return result;
}
void ManagerDestroyed() {
    IOPCLibrary& library = OPCLibrary();
    if (!library.Loaded() || !library.HasEntryPoint("ManagerDestroyed")) return;
    library.ManagerDestroyed();
    OPCCheckError();
}

}  // namespace opc

}  // namespace dsp
