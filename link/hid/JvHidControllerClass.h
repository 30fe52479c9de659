#pragma once
// The USB HID device library: the controller component that finds HID devices and keeps one
// TJvHidDevice for each present interface, hears when devices come and go, and lends devices out
// (check-out, check-in); and the texts and exceptions of the report parser's statuses.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/hid/HidTypes.h"
#include "framework/runtime/MessageWindow.h"
#include "link/hid/JvHidDevice.h"
#include "link/hid/JvHidEvents.h"

namespace dsp {

class TJvHidDeviceController : public TComponent {
public:
    explicit TJvHidDeviceController(TComponent* owner);
    ~TJvHidDeviceController() override;

    // Enumerates afresh and compares with the list: unplug and OnRemoval for devices gone,
    // OnArrival for new ones, OnDeviceChange once when anything changed.
    void DeviceChange();
    // Offers every plugged-in device to OnEnumerate until it answers false; the count offered.
    std::int32_t Enumerate();

    bool CheckOut(TJvHidDevice*& hidDev);
    bool CheckOutByIndex(TJvHidDevice*& hidDev, std::int32_t index);
    // pid -1 takes any product of the vendor.
    bool CheckOutByID(TJvHidDevice*& hidDev, std::int32_t vid, std::int32_t pid);
    bool CheckOutByClass(TJvHidDevice*& hidDev, const std::string& className);
    bool CheckOutByProductName(TJvHidDevice*& hidDev, const std::string& productName);
    bool CheckOutByVendorName(TJvHidDevice*& hidDev, const std::string& vendorName);
    bool CheckOutByCallback(TJvHidDevice*& hidDev, const TJvHidCheckCallback& check);
    // Returns a checked-out device: an unplugged one is destroyed. hidDev becomes null.
    void CheckIn(TJvHidDevice*& hidDev);

    std::int32_t CountByID(std::int32_t vid, std::int32_t pid);
    std::int32_t CountByClass(const std::string& className);
    std::int32_t CountByProductName(const std::string& productName);
    std::int32_t CountByVendorName(const std::string& vendorName);
    std::int32_t CountByCallback(const TJvHidCheckCallback& check);

    // The version of the platform's HID layer.
    std::string HidVersion();

    const TGUID& HidGuid() const { return FHidGuid; }
    std::int32_t NumCheckedInDevices() const { return FNumCheckedInDevices; }
    std::int32_t NumCheckedOutDevices() const { return FNumCheckedOutDevices; }
    std::int32_t NumUnpluggedDevices() const { return FNumUnpluggedDevices; }
    std::int32_t DevThreadSleepTime() const { return FDevThreadSleepTime; }
    void SetDevThreadSleepTime(std::int32_t value);
    const std::string& Version() const { return FVersion; }
    void SetVersion(const std::string& value) { FDummy = value; }

    const TJvHidPlugEvent& OnArrival() const { return FArrivalEvent; }
    void SetOnArrival(const TJvHidPlugEvent& event) { FArrivalEvent = event; }
    const TJvHidNotifyEvent& OnDeviceChange() const { return FDeviceChangeEvent; }
    // A different handler is stored and, unless the form is loading, re-enumerates at once.
    void SetDeviceChangeEvent(const TJvHidNotifyEvent& event);
    const TJvHidEnumerateEvent& OnEnumerate() const { return FEnumerateEvent; }
    void SetOnEnumerate(const TJvHidEnumerateEvent& event) { FEnumerateEvent = event; }
    const TJvHidDataEvent& OnDeviceData() const { return FDevDataEvent; }
    void SetDevData(const TJvHidDataEvent& event);
    const TJvHidDataErrorEvent& OnDeviceDataError() const { return FDevDataErrorEvent; }
    void SetDevDataError(const TJvHidDataErrorEvent& event);
    const TJvHidPlugEvent& OnDeviceUnplug() const { return FDevUnplugEvent; }
    void SetDevUnplug(const TJvHidPlugEvent& event);
    const TJvHidPlugEvent& OnRemoval() const { return FRemovalEvent; }
    void SetOnRemoval(const TJvHidPlugEvent& event) { FRemovalEvent = event; }

    // The devices listed now, in order of arrival.
    const std::vector<TJvHidDevice*>& Devices() const { return FList; }

private:
    friend class TJvHidDevice;

    void EventPipe(TMessage& msg);
    std::vector<TJvHidDevice*> EnumerateHidInterfaces();
    bool CheckThisOut(TJvHidDevice*& hidDev, std::size_t index, bool check);
    void DoArrival(TJvHidDevice* hidDev);
    void DoRemoval(TJvHidDevice* hidDev);
    bool DoEnumerate(TJvHidDevice* hidDev, std::int32_t index);
    std::string NameOf(TJvHidDevice* hidDev, bool product);
    // A device of the list is being destroyed by someone else; the list lets go of it.
    void DeviceDestroyed(TJvHidDevice* hidDev, TJvHidDevice* replacement);

    TGUID FHidGuid;
    TJvHidPlugEvent FArrivalEvent;
    TJvHidNotifyEvent FDeviceChangeEvent;
    TJvHidEnumerateEvent FEnumerateEvent;
    TJvHidDataEvent FDevDataEvent;
    TJvHidDataErrorEvent FDevDataErrorEvent;
    TJvHidPlugEvent FDevUnplugEvent;
    TJvHidPlugEvent FRemovalEvent;
    std::int32_t FDevThreadSleepTime = 100;
    std::string FVersion = "1.0.34";
    std::string FDummy;
    std::vector<TJvHidDevice*> FList;
    std::int32_t FNumCheckedInDevices = 0;
    std::int32_t FNumCheckedOutDevices = 0;
    std::int32_t FNumUnpluggedDevices = 0;
    bool FInDeviceChange = false;
    std::int32_t FLParam = 0;
    HWND FHWnd{};
    bool hidBound_ = false;
};

// Parser statuses: a code is an error when bits 16 to 23 hold 0x11 and bit 30 or 31 is set.
// "HID Error: " and the code's message, or empty for a code that is no error.
std::string HidErrorString(NTSTATUS code);
// Raises EHidClientError with HidErrorString when the code is an error.
void HidError(NTSTATUS code);
// HidError for every code but success.
void HidCheck(NTSTATUS code);

}  // namespace dsp
