#pragma once
// An OPC support library for tests: it keeps signals and groups in memory, logs every call,
// hands out the values a test sets, fires the callbacks when asked (from any thread), and can
// leave out an entry point or report an error. Put in force for the life of the object.

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "plot/engine/iOPCLibrary.h"

namespace dsp::test {

class TFakeOPCLibrary final : public IOPCLibrary {
public:
    struct TSignal {
        std::string computer, server, item, group;
        int updateRate = 0;
        bool suspended = false;
        int dataType = 0;
        std::shared_ptr<IOPCSignalCallback> callback;
        TVariant data;
        double timeStamp = 0;
        int quality = 0xC0;
        std::vector<TVariant> sent;
    };
    struct TGroup {
        std::string name, computer, server;
        int updateRate = 0;
        bool suspended = false;
        std::shared_ptr<IOPCGroupCallback> callback;
    };

    TFakeOPCLibrary() : previous_(SetOPCLibrary(this)) {}
    ~TFakeOPCLibrary() override { SetOPCLibrary(previous_); }

    bool Loaded() const override { return true; }
    std::string FileName() const override { return "fake-opc.so"; }
    bool HasEntryPoint(const std::string& name) const override { return missing.count(name) == 0; }

    int SignalAdd(const std::string& computerName, const std::string& serverName,
                  const std::string& itemName, const std::string& groupName, int updateRate,
                  bool startSuspended, int dataType,
                  std::shared_ptr<IOPCSignalCallback> callback) override {
        Log("SignalAdd " + itemName + " in " + groupName);
        const std::lock_guard lock(mutex_);
        TSignal& s = signals[++lastHandle_];
        s.computer = computerName;
        s.server = serverName;
        s.item = itemName;
        s.group = groupName;
        s.updateRate = updateRate;
        s.suspended = startSuspended;
        s.dataType = dataType;
        s.callback = std::move(callback);
        return lastHandle_;
    }
    void SignalRemove(int handle) override {
        Log("SignalRemove " + std::to_string(handle));
        const std::lock_guard lock(mutex_);
        signals.erase(handle);
    }
    void SignalSuspend(int handle) override { Find(handle).suspended = true; }
    void SignalResume(int handle) override { Find(handle).suspended = false; }
    bool SignalGetActive(int handle) override {
        const std::lock_guard lock(mutex_);
        return signals.count(handle) != 0;
    }
    bool SignalGetUpdateSuspended(int handle) override { return Find(handle).suspended; }
    void SignalSendData(int handle, const TVariant& value) override {
        Find(handle).sent.push_back(value);
    }
    void SignalGetDataNow(int handle) override {
        Log("SignalGetDataNow " + std::to_string(handle));
    }
    TVariant SignalGetData(int handle) override { return Find(handle).data; }
    double SignalGetTimeStamp(int handle) override { return Find(handle).timeStamp; }
    int SignalGetQuality(int handle) override { return Find(handle).quality; }

    int GroupAdd(const std::string& groupName, const std::string& computerName,
                 const std::string& serverName, int updateRate,
                 std::shared_ptr<IOPCGroupCallback> callback) override {
        Log("GroupAdd " + groupName);
        const std::lock_guard lock(mutex_);
        TGroup& g = groups[++lastHandle_];
        g.name = groupName;
        g.computer = computerName;
        g.server = serverName;
        g.updateRate = updateRate;
        g.callback = std::move(callback);
        return lastHandle_;
    }
    void GroupDelete(int handle) override {
        Log("GroupDelete " + std::to_string(handle));
        const std::lock_guard lock(mutex_);
        groups.erase(handle);
    }
    void GroupResume(int handle) override { Log("GroupResume " + std::to_string(handle)); }
    void GroupSuspend(int handle) override { Log("GroupSuspend " + std::to_string(handle)); }
    void GroupSetUpdateRate(int handle, int updateRate) override {
        Log("GroupSetUpdateRate " + std::to_string(handle) + " " + std::to_string(updateRate));
    }
    void CloseAllServerConnections() override { Log("CloseAllServerConnections"); }
    int ServerConnectionGetCount() override { return static_cast<int>(connections.size()); }
    std::string ServerConnectionGetName(int index) override {
        return connections[static_cast<std::size_t>(index)];
    }
    int ManagerCreated() override { return 1; }
    void ManagerDestroyed() override { Log("ManagerDestroyed"); }
    std::string GetLastCallErrorString() override {
        std::string message;
        message.swap(error);  // reported once, after the call that failed
        return message;
    }

    // ---- for the test
    TSignal& Find(int handle) {
        const std::lock_guard lock(mutex_);
        return signals.at(handle);
    }
    // The one signal of the item, or null.
    TSignal* SignalOf(const std::string& itemName) {
        const std::lock_guard lock(mutex_);
        for (auto& [handle, s] : signals) {
            if (s.item == itemName) return &s;
        }
        return nullptr;
    }
    int GroupHandleOf(const std::string& name) {
        const std::lock_guard lock(mutex_);
        for (const auto& [handle, g] : groups) {
            if (g.name == name) return handle;
        }
        return 0;
    }
    std::vector<std::string> TakeLog() {
        const std::lock_guard lock(mutex_);
        std::vector<std::string> taken;
        taken.swap(log_);
        return taken;
    }

    std::map<int, TSignal> signals;
    std::map<int, TGroup> groups;
    std::set<std::string> missing;
    std::vector<std::string> connections;
    std::string error;

private:
    void Log(const std::string& call) {
        const std::lock_guard lock(mutex_);
        log_.push_back(call);
    }

    IOPCLibrary* previous_;
    std::recursive_mutex mutex_;
    std::vector<std::string> log_;
    int lastHandle_ = 0;
};

}  // namespace dsp::test
