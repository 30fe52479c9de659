#pragma once
// The binding to the OPC support library: the outside library that talks to OPC servers, reached
// through one entry point per operation. This system ships no such library, so the binding in
// force by default is the absent one (every item stays inactive); a program that has a library,
// or a test, puts its own binding in place with SetOPCLibrary.
//
// The library calls back from whatever thread it likes; the items and the group managers take
// no lock, so their callbacks are handed to the UI thread (PostToMainThread) before anything
// of the plot is touched.

#include <memory>
#include <string>

#include "framework/text/Variant.h"

namespace dsp {

// The library's interface identifiers, kept for a binding that must name them.
inline constexpr char kOPCItemCallbackGuid[] = "{7F440F9E-2014-4D28-8C84-83B938DBACC0}";
inline constexpr char kOPCManagerCallbackGuid[] = "{A2E9253A-E335-4D6E-A298-CFA504F5B837}";

// What the library calls when new data of a signal is ready; any thread.
class IOPCSignalCallback {
public:
    virtual ~IOPCSignalCallback() = default;
    virtual void NewDataReady(int value) = 0;
};

// What the library calls around an update of a group; any thread.
class IOPCGroupCallback {
public:
    virtual ~IOPCGroupCallback() = default;
    virtual void BeforeGroupUpdate(int groupHandle) = 0;
    virtual void AfterGroupUpdate(int groupHandle) = 0;
};

// The library's entry points. Handles are 0 for none. After every call the binding asks
// GetLastCallErrorString and raises a non-empty one.
class IOPCLibrary {
public:
    virtual ~IOPCLibrary() = default;

    virtual bool Loaded() const = 0;
    virtual std::string FileName() const = 0;
    // False for an entry point the library does not export.
    virtual bool HasEntryPoint(const std::string& name) const = 0;

    virtual int SignalAdd(const std::string& computerName, const std::string& serverName,
                          const std::string& itemName, const std::string& groupName, int updateRate,
                          bool startSuspended, int dataType,
                          std::shared_ptr<IOPCSignalCallback> callback) = 0;
    virtual void SignalRemove(int handle) = 0;
    virtual void SignalSuspend(int handle) = 0;
    virtual void SignalResume(int handle) = 0;
    virtual bool SignalGetActive(int handle) = 0;
    virtual bool SignalGetUpdateSuspended(int handle) = 0;
    virtual void SignalSendData(int handle, const TVariant& value) = 0;
    virtual void SignalGetDataNow(int handle) = 0;
    virtual TVariant SignalGetData(int handle) = 0;
    virtual double SignalGetTimeStamp(int handle) = 0;
    virtual int SignalGetQuality(int handle) = 0;

    virtual int GroupAdd(const std::string& groupName, const std::string& computerName,
                         const std::string& serverName, int updateRate,
                         std::shared_ptr<IOPCGroupCallback> callback) = 0;
    virtual void GroupDelete(int handle) = 0;
    virtual void GroupResume(int handle) = 0;
    virtual void GroupSuspend(int handle) = 0;
    virtual void GroupSetUpdateRate(int handle, int updateRate) = 0;
    virtual void CloseAllServerConnections() = 0;
    virtual int ServerConnectionGetCount() = 0;
    virtual std::string ServerConnectionGetName(int index) = 0;
    virtual int ManagerCreated() = 0;
    virtual void ManagerDestroyed() = 0;
    virtual std::string GetLastCallErrorString() = 0;
};

// The binding in force: the absent library unless another was set.
IOPCLibrary& OPCLibrary();
// Puts a binding in force (null: the absent library again); returns the one it replaces. The
// caller keeps the binding alive while it is in force.
IOPCLibrary* SetOPCLibrary(IOPCLibrary* library);

// True when the library is not loaded.
bool OPCLibraryMissing();
// Raises "OPC Support Library Not Found" when the library is not loaded.
void OPCCheckLoaded();
// Raises 'Function "<name>" not found in "<file name>".'
[[noreturn]] void OPCMissingEntryPoint(const std::string& name);
// Raises the library's last-call error text when it has one.
void OPCCheckError();

// The wrapped entry points: each checks that the library is loaded and exports the entry, calls
// it and raises the library's error. ManagerCreated and ManagerDestroyed do nothing without the
// library or the entry (ManagerCreated then answers 0).
namespace opc {
int SignalAdd(const std::string& computerName, const std::string& serverName,
              const std::string& itemName, const std::string& groupName, int updateRate,
              bool startSuspended, int dataType, std::shared_ptr<IOPCSignalCallback> callback);
void SignalRemove(int handle);
void SignalSuspend(int handle);
void SignalResume(int handle);
bool SignalGetActive(int handle);
bool SignalGetUpdateSuspended(int handle);
void SignalSendData(int handle, const TVariant& value);
void SignalGetDataNow(int handle);
TVariant SignalGetData(int handle);
double SignalGetTimeStamp(int handle);
int SignalGetQuality(int handle);
int GroupAdd(const std::string& groupName, const std::string& computerName,
             const std::string& serverName, int updateRate,
             std::shared_ptr<IOPCGroupCallback> callback);
void GroupDelete(int handle);
void GroupResume(int handle);
void GroupSuspend(int handle);
void GroupSetUpdateRate(int handle, int updateRate);
void CloseAllServerConnections();
int ServerConnectionGetCount();
std::string ServerConnectionGetName(int index);
int ManagerCreated();
void ManagerDestroyed();
}  // namespace opc

}  // namespace dsp
