#include "link/hid/JvHidControllerClass.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <mutex>
#include <set>

#include "framework/hid/HidBackend.h"
#include "framework/runtime/Messages.h"
#include "link/hid/Hid.h"
#include "link/hid/SetupApi.h"

namespace dsp {
namespace {

// Every controller window hears of device changes through one watch on the HID backend.
struct ChangeListeners {
    std::mutex lock;
    std::set<HWND> windows;
    std::shared_ptr<IHidBackend> backend;
};

ChangeListeners& Listeners() {
    static auto* l = new ChangeListeners;
    return *l;
}

void Listen(HWND window) {
    std::shared_ptr<IHidBackend> backend;
    {
        ChangeListeners& l = Listeners();
        std::lock_guard<std::mutex> guard(l.lock);
        l.windows.insert(window);
        if (l.windows.size() > 1) return;
        backend = l.backend = CurrentHidBackend();
    }
    // Outside the lock: the backend calls the watcher under a lock of its own.
    backend->WatchChanges([] {
        ChangeListeners& all = Listeners();
        std::lock_guard<std::mutex> inner(all.lock);
        for (HWND w : all.windows) PostMessage(w, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    });
}

void StopListening(HWND window) {
    std::shared_ptr<IHidBackend> backend;
    {
        ChangeListeners& l = Listeners();
        std::lock_guard<std::mutex> guard(l.lock);
        l.windows.erase(window);
        if (!l.windows.empty()) return;
        backend = std::move(l.backend);
    }
    if (backend) backend->WatchChanges(nullptr);  // outside the lock: it waits for a running call
}

bool Plugged(const TJvHidDevice* d) { return d->IsPluggedIn(); }

}  // namespace

TJvHidDeviceController::TJvHidDeviceController(TComponent* owner) : TComponent(owner) {
    if (LoadSetupApi()) hidBound_ = LoadHid();
    if (hidBound_) {
        HidD_GetHidGuid(&FHidGuid);
        FHWnd = AllocateHWnd([this](TMessage& msg) { EventPipe(msg); });
        Listen(FHWnd);
        // The first enumeration runs once the message loop runs, after the form has loaded.
        PostMessage(FHWnd, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, -1);
    } else {
        FHidGuid = kHidInterfaceGuid;
    }
}

TJvHidDeviceController::~TJvHidDeviceController() {
    FDeviceChangeEvent = nullptr;
    FDevUnplugEvent = nullptr;
    FEnumerateEvent = nullptr;
    if (hidBound_) {
        StopListening(FHWnd);
        DeallocateHWnd(FHWnd);
    }
    // Taken one by one: an unplug handler may check its device in, which destroys it.
    while (!FList.empty()) {
        TJvHidDevice* dev = FList.front();
        FList.erase(FList.begin());
        dev->FMyController = nullptr;
        if (dev->IsCheckedOut()) {
            if (!dev->DoUnplug()) delete dev;  // a handler that keeps it gets no further use of it
        } else {
            delete dev;
        }
    }
    ReapOrphanedReadThreads();
    if (hidBound_) UnloadSetupApi();
    if (hidBound_) UnloadHid();
}

void TJvHidDeviceController::EventPipe(TMessage& msg) {
    if (msg.Msg == WM_DEVICECHANGE && msg.WParam == DBT_DEVNODES_CHANGED && !FInDeviceChange) {
        FLParam = std::int32_t(msg.LParam);
        FInDeviceChange = true;
        try {
            DeviceChange();
        } catch (...) {
            FInDeviceChange = false;
            throw;
        }
        FInDeviceChange = false;
    }
}

std::vector<TJvHidDevice*> TJvHidDeviceController::EnumerateHidInterfaces() {
    std::vector<TJvHidDevice*> found;
    if (!hidBound_) return found;
    HDEVINFO set =
        SetupDiGetClassDevsW(&FHidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == InvalidDeviceInfoSet()) return found;
    SP_DEVICE_INTERFACE_DATA item;
    for (std::uint32_t index = 0;
         SetupDiEnumDeviceInterfaces(set, nullptr, &FHidGuid, index, &item); ++index) {
        std::uint32_t needed = 0;
        SP_DEVINFO_DATA info;
        if (SetupDiGetDeviceInterfaceDetail(set, &item, nullptr, 0, &needed, nullptr) ||
            needed == 0 || HidGetLastError() != ERROR_INSUFFICIENT_BUFFER)
            continue;
        std::vector<std::uint8_t> buffer(needed, 0);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
        detail->cbSize = kDeviceInterfaceDetailDataASize;
        if (!SetupDiGetDeviceInterfaceDetail(set, &item, detail, needed, nullptr, &info)) continue;
        const std::string path(reinterpret_cast<const char*>(buffer.data()) +
                               offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath));
        try {
            auto pnp = std::make_unique<TJvHidPnPInfo>(set, info, path);
            found.push_back(new TJvHidDevice(std::move(pnp), this));
        } catch (const EControllerError&) {
            // A device that cannot be opened or identified is tried again at the next change.
        }
    }
    SetupDiDestroyDeviceInfoList(set);
    return found;
}

void TJvHidDeviceController::DeviceChange() {
    bool changed = FLParam == -1;
    std::vector<TJvHidDevice*> fresh = EnumerateHidInterfaces();

    // Removal pass, from the end of the list backwards.
    for (std::size_t i = FList.size(); i-- > 0;) {
        if (i >= FList.size()) continue;  // a handler shortened the list
        TJvHidDevice* dev = FList[i];
        const bool stillPresent =
            Plugged(dev) && std::any_of(fresh.begin(), fresh.end(), [dev](TJvHidDevice* n) {
                return n->PnPInfo().DeviceID() == dev->PnPInfo().DeviceID();
            });
        if (stillPresent) continue;
        changed = true;
        if (dev->DoUnplug()) continue;  // the unplug handler checked it in
        DoRemoval(dev);
        if (!dev->IsCheckedOut()) {
            auto at = std::find(FList.begin(), FList.end(), dev);
            if (at != FList.end()) FList.erase(at);
            dev->FMyController = nullptr;
            delete dev;
        }
    }

    // Duplicate pass: a listed, plugged-in device keeps its object.
    for (TJvHidDevice*& n : fresh) {
        const bool listed = std::any_of(FList.begin(), FList.end(), [n](TJvHidDevice* dev) {
            return Plugged(dev) && dev->PnPInfo().DeviceID() == n->PnPInfo().DeviceID();
        });
        if (!listed) continue;
        n->FMyController = nullptr;
        delete n;
        n = nullptr;
    }

    // Arrival pass.
    for (TJvHidDevice* n : fresh) {
        if (n == nullptr) continue;
        FList.push_back(n);
        changed = true;
        DoArrival(n);
    }

    FNumCheckedInDevices = FNumCheckedOutDevices = FNumUnpluggedDevices = 0;
    for (TJvHidDevice* dev : FList) {
        if (dev->IsCheckedOut())
            ++FNumCheckedOutDevices;
        else
            ++FNumCheckedInDevices;
        if (!dev->IsPluggedIn()) ++FNumUnpluggedDevices;
    }
    FNumCheckedOutDevices -= FNumUnpluggedDevices;

    if (changed && FDeviceChangeEvent) FDeviceChangeEvent(this);
}

void TJvHidDeviceController::DeviceDestroyed(TJvHidDevice* hidDev, TJvHidDevice* replacement) {
    auto at = std::find(FList.begin(), FList.end(), hidDev);
    if (at == FList.end()) {
        delete replacement;
        return;
    }
    if (replacement != nullptr) {
        *at = replacement;
        if (hidDev->IsCheckedOut()) {
            --FNumCheckedOutDevices;
            ++FNumCheckedInDevices;
        }
        return;
    }
    FList.erase(at);
    if (!hidDev->IsPluggedIn())
        --FNumUnpluggedDevices;
    else if (hidDev->IsCheckedOut())
        --FNumCheckedOutDevices;
    else
        --FNumCheckedInDevices;
}

void TJvHidDeviceController::DoArrival(TJvHidDevice* hidDev) {
    if (!FArrivalEvent) return;
    hidDev->FIsEnumerated = true;
    FArrivalEvent(hidDev);
    hidDev->FIsEnumerated = false;
}

void TJvHidDeviceController::DoRemoval(TJvHidDevice* hidDev) {
    if (!FRemovalEvent) return;
    hidDev->FIsEnumerated = true;
    FRemovalEvent(hidDev);
    hidDev->FIsEnumerated = false;
}

bool TJvHidDeviceController::DoEnumerate(TJvHidDevice* hidDev, std::int32_t index) {
    if (!FEnumerateEvent) return false;
    hidDev->FIsEnumerated = true;
    const bool goOn = FEnumerateEvent(hidDev, index);
    hidDev->FIsEnumerated = false;
    if (!hidDev->IsCheckedOut()) hidDev->CloseAllHandles();
    return goOn;
}

std::int32_t TJvHidDeviceController::Enumerate() {
    std::int32_t offered = 0;
    for (std::size_t i = 0; i < FList.size(); ++i) {
        TJvHidDevice* dev = FList[i];
        if (!dev->IsPluggedIn()) continue;
        ++offered;
        if (!DoEnumerate(dev, std::int32_t(i))) break;
    }
    return offered;
}

bool TJvHidDeviceController::CheckThisOut(TJvHidDevice*& hidDev, std::size_t index, bool check) {
    TJvHidDevice* dev = FList[index];
    if (!check || dev->IsCheckedOut()) return false;
    hidDev = dev;
    dev->FIsCheckedOut = true;
    ++FNumCheckedOutDevices;
    --FNumCheckedInDevices;
    dev->StartThread();
    return true;
}

bool TJvHidDeviceController::CheckOut(TJvHidDevice*& hidDev) {
    hidDev = nullptr;
    for (std::size_t i = 0; i < FList.size(); ++i)
        if (CheckThisOut(hidDev, i, true)) return true;
    return false;
}

bool TJvHidDeviceController::CheckOutByIndex(TJvHidDevice*& hidDev, std::int32_t index) {
    hidDev = nullptr;
    if (index < 0 || std::size_t(index) >= FList.size()) return false;
    return CheckThisOut(hidDev, std::size_t(index), true);
}

bool TJvHidDeviceController::CheckOutByID(TJvHidDevice*& hidDev, std::int32_t vid,
                                          std::int32_t pid) {
    hidDev = nullptr;
    for (std::size_t i = 0; i < FList.size(); ++i) {
        const HIDD_ATTRIBUTES& a = FList[i]->Attributes();
        if (CheckThisOut(hidDev, i, a.VendorID == vid && (pid == -1 || a.ProductID == pid)))
            return true;
    }
    return false;
}

bool TJvHidDeviceController::CheckOutByClass(TJvHidDevice*& hidDev, const std::string& className) {
    hidDev = nullptr;
    if (className.empty()) return false;
    for (std::size_t i = 0; i < FList.size(); ++i)
        if (CheckThisOut(hidDev, i, FList[i]->PnPInfo().ClassDescr == className)) return true;
    return false;
}

// A device's name as the name check-outs and counts compare it: a free device is opened for the
// read (as for the callback operations), since its name could not be read otherwise.
std::string TJvHidDeviceController::NameOf(TJvHidDevice* hidDev, bool product) {
    if (hidDev->IsCheckedOut()) return product ? hidDev->ProductName() : hidDev->VendorName();
    hidDev->FIsEnumerated = true;
    std::string name = product ? hidDev->ProductName() : hidDev->VendorName();
    hidDev->FIsEnumerated = false;
    hidDev->CloseAllHandles();
    return name;
}

bool TJvHidDeviceController::CheckOutByProductName(TJvHidDevice*& hidDev,
                                                   const std::string& productName) {
    hidDev = nullptr;
    if (productName.empty()) return false;
    for (std::size_t i = 0; i < FList.size(); ++i)
        if (CheckThisOut(hidDev, i, NameOf(FList[i], true) == productName)) return true;
    return false;
}

bool TJvHidDeviceController::CheckOutByVendorName(TJvHidDevice*& hidDev,
                                                  const std::string& vendorName) {
    hidDev = nullptr;
    if (vendorName.empty()) return false;
    for (std::size_t i = 0; i < FList.size(); ++i)
        if (CheckThisOut(hidDev, i, NameOf(FList[i], false) == vendorName)) return true;
    return false;
}

bool TJvHidDeviceController::CheckOutByCallback(TJvHidDevice*& hidDev,
                                                const TJvHidCheckCallback& check) {
    hidDev = nullptr;
    for (std::size_t i = 0; i < FList.size(); ++i) {
        TJvHidDevice* dev = FList[i];
        if (dev->IsCheckedOut()) continue;
        dev->FIsEnumerated = true;
        const bool accepted = check(dev);
        dev->FIsEnumerated = false;
        if (CheckThisOut(hidDev, i, accepted)) return true;
        dev->CloseAllHandles();
    }
    return false;
}

void TJvHidDeviceController::CheckIn(TJvHidDevice*& hidDev) {
    if (hidDev == nullptr) return;
    TJvHidDevice* dev = hidDev;
    hidDev = nullptr;
    dev->StopThread();
    dev->CloseAllHandles();
    if (dev->IsPluggedIn()) {
        dev->FIsCheckedOut = false;
        --FNumCheckedOutDevices;
        ++FNumCheckedInDevices;
    } else {
        delete dev;
    }
}

std::int32_t TJvHidDeviceController::CountByID(std::int32_t vid, std::int32_t pid) {
    return std::int32_t(std::count_if(FList.begin(), FList.end(), [&](TJvHidDevice* d) {
        return Plugged(d) && d->Attributes().VendorID == vid &&
               (pid == -1 || d->Attributes().ProductID == pid);
    }));
}

std::int32_t TJvHidDeviceController::CountByClass(const std::string& className) {
    return std::int32_t(std::count_if(FList.begin(), FList.end(), [&](TJvHidDevice* d) {
        return Plugged(d) && d->PnPInfo().ClassDescr == className;
    }));
}

std::int32_t TJvHidDeviceController::CountByProductName(const std::string& productName) {
    return std::int32_t(std::count_if(FList.begin(), FList.end(), [&](TJvHidDevice* d) {
        return Plugged(d) && NameOf(d, true) == productName;
    }));
}

std::int32_t TJvHidDeviceController::CountByVendorName(const std::string& vendorName) {
    return std::int32_t(std::count_if(FList.begin(), FList.end(), [&](TJvHidDevice* d) {
        return Plugged(d) && NameOf(d, false) == vendorName;
    }));
}

std::int32_t TJvHidDeviceController::CountByCallback(const TJvHidCheckCallback& check) {
    std::int32_t count = 0;
    for (TJvHidDevice* dev : FList) {
        if (!Plugged(dev)) continue;
        dev->FIsEnumerated = true;
        if (check(dev)) ++count;
        dev->FIsEnumerated = false;
        if (!dev->IsCheckedOut()) dev->CloseAllHandles();
    }
    return count;
}

std::string TJvHidDeviceController::HidVersion() {
    TModuleHandle module = nullptr;
    if (!LoadModule(module, HidModuleName)) return {};
    using TVersionText = std::string (*)();
    auto version = reinterpret_cast<TVersionText>(GetModuleSymbol(module, "HidServicesVersion"));
    std::string text = version != nullptr ? version() : std::string();
    UnloadModule(module);
    return text;
}

void TJvHidDeviceController::SetDeviceChangeEvent(const TJvHidNotifyEvent& event) {
    if (event == FDeviceChangeEvent) return;
    FDeviceChangeEvent = event;
    if (!ComponentState().Contains(csLoading)) DeviceChange();
}

void TJvHidDeviceController::SetDevData(const TJvHidDataEvent& event) {
    if (event == FDevDataEvent) return;
    for (TJvHidDevice* dev : FList)
        if (dev->OnData() == FDevDataEvent) dev->SetDataEvent(event);
    FDevDataEvent = event;
}

void TJvHidDeviceController::SetDevDataError(const TJvHidDataErrorEvent& event) {
    if (event == FDevDataErrorEvent) return;
    for (TJvHidDevice* dev : FList)
        if (dev->OnDataError() == FDevDataErrorEvent) dev->SetOnDataError(event);
    FDevDataErrorEvent = event;
}

void TJvHidDeviceController::SetDevUnplug(const TJvHidPlugEvent& event) {
    if (event == FDevUnplugEvent) return;
    for (TJvHidDevice* dev : FList)
        if (dev->OnUnplug() == FDevUnplugEvent) dev->SetOnUnplug(event);
    FDevUnplugEvent = event;
}

void TJvHidDeviceController::SetDevThreadSleepTime(std::int32_t value) {
    if (value == FDevThreadSleepTime) return;
    for (TJvHidDevice* dev : FList)
        if (dev->ThreadSleepTime() == FDevThreadSleepTime) dev->SetThreadSleepTime(value);
    FDevThreadSleepTime = value;
}

std::string HidErrorString(NTSTATUS code) {
    const bool isError = ((code >> 16) & 0xFF) == 0x11 && (code & 0xC0000000u) != 0;
    if (!isError) return {};
    static const std::map<NTSTATUS, const char*> messages{
        {HIDP_STATUS_NULL, "device not plugged in"},
        {HIDP_STATUS_INVALID_PREPARSED_DATA, "invalid preparsed data"},
        {HIDP_STATUS_INVALID_REPORT_TYPE, "invalid report type"},
        {HIDP_STATUS_INVALID_REPORT_LENGTH, "invalid report length"},
        {HIDP_STATUS_USAGE_NOT_FOUND, "usage not found"},
        {HIDP_STATUS_VALUE_OUT_OF_RANGE, "value out of range"},
        {HIDP_STATUS_BAD_LOG_PHY_VALUES, "bad logical or physical values"},
        {HIDP_STATUS_BUFFER_TOO_SMALL, "buffer too small"},
        {HIDP_STATUS_INTERNAL_ERROR, "internal error"},
        {HIDP_STATUS_I8042_TRANS_UNKNOWN, "8042 key translation impossible"},
        {HIDP_STATUS_INCOMPATIBLE_REPORT_ID, "incompatible report ID"},
        {HIDP_STATUS_NOT_VALUE_ARRAY, "not a value array"},
        {HIDP_STATUS_IS_VALUE_ARRAY, "is a value array"},
        {HIDP_STATUS_DATA_INDEX_NOT_FOUND, "data index not found"},
        {HIDP_STATUS_DATA_INDEX_OUT_OF_RANGE, "data index out of range"},
        {HIDP_STATUS_BUTTON_NOT_PRESSED, "button not pressed"},
        {HIDP_STATUS_REPORT_DOES_NOT_EXIST, "report does not exist"},
        {HIDP_STATUS_NOT_IMPLEMENTED, "not implemented"},
    };
    auto found = messages.find(code);
    if (found != messages.end()) return std::string("HID Error: ") + found->second;
    char unknown[40];
    std::snprintf(unknown, sizeof unknown, "unknown HID error %x", unsigned(code));
    return std::string("HID Error: ") + unknown;
}

void HidError(NTSTATUS code) {
    std::string text = HidErrorString(code);
    if (!text.empty()) throw EHidClientError(text);
}

void HidCheck(NTSTATUS code) {
    if (code != HIDP_STATUS_SUCCESS) HidError(code);
}

}  // namespace dsp
