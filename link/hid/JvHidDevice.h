#pragma once
// One HID interface the controller found: its identity, its handles (opened when used), strings,
// capabilities, reports, the report-descriptor queries, and the read thread that hands each input
// report to the UI thread while the device is checked out and has a data handler.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"
#include "framework/hid/HidFile.h"
#include "framework/hid/HidTypes.h"
#include "framework/runtime/Event.h"
#include "framework/runtime/Thread.h"
#include "link/hid/JvHidEvents.h"
#include "link/hid/JvHidPnPInfo.h"

namespace dsp {

class TJvHidDeviceController;
class TJvHidDeviceReadThread;

// Misuse of the library's objects and devices that cannot be opened or identified.
class EControllerError : public Exception {
public:
    using Exception::Exception;
};

// A HID status the caller asked to have raised (HidError, HidCheck).
class EHidClientError : public Exception {
public:
    using Exception::Exception;
};

enum TJvHidOpenExMode { omhRead, omhWrite };

using TJvPhysicalDescriptor = std::vector<std::uint16_t>;

// The language list of a device's string 0, counted: from the last word backwards the first word
// that is not 0xFFFF decides, counting its own position when it is 0 and one more otherwise.
std::size_t CountLanguageIds(const std::vector<std::uint16_t>& words);

// Frees the read threads that their devices had to leave running (see TJvHidDevice::StopThread)
// once they have ended. UI thread.
void ReapOrphanedReadThreads();

class TJvHidDevice : public TObject {
public:
    // Devices come only from their controller.
    TJvHidDevice();
    ~TJvHidDevice() override;

    // Plugged in, and checked out or being offered to a handler.
    bool IsAccessible() const;
    bool CheckOut();

    bool OpenFile();
    bool OpenFileEx(TJvHidOpenExMode mode);
    void CloseFile();
    void CloseFileEx(TJvHidOpenExMode mode);
    bool CancelIO(TJvHidOpenExMode mode);

    std::string VendorName();
    std::string ProductName();
    std::string SerialNumber();
    std::string GetDeviceStringUnicode(std::uint8_t index);
    // The same text: the platform's 8-bit text is UTF-8.
    std::string GetDeviceStringAnsi(std::uint8_t index);
    const std::vector<std::string>& LanguageStrings();
    const TJvPhysicalDescriptor& PhysicalDescriptor();
    HIDD_CONFIGURATION Configuration();
    void SetConfiguration(const HIDD_CONFIGURATION& config);

    PHIDP_PREPARSED_DATA PreparsedData();
    HIDP_CAPS GetCaps();
    HIDP_CAPS Caps() { return GetCaps(); }

    bool ReadFile(void* report, std::uint32_t toRead, std::uint32_t& bytesRead);
    bool WriteFile(const void* report, std::uint32_t toWrite, std::uint32_t& bytesWritten);
    bool ReadFileEx(void* report, std::uint32_t toRead, THidCompletionRoutine callBack);
    bool WriteFileEx(const void* report, std::uint32_t toWrite, THidCompletionRoutine callBack);
    std::uint32_t HidOverlappedReadResult();
    std::uint32_t HidOverlappedWriteResult();
    bool GetFeature(void* report, std::uint32_t size);
    bool SetFeature(void* report, std::uint32_t size);
    bool FlushQueue();
    bool GetInputReport(void* report, std::uint32_t size);
    bool SetOutputReport(void* report, std::uint32_t size);
    bool DeviceIoControl(std::uint32_t ioControlCode, const void* inBuffer, std::uint32_t inSize,
                         void* outBuffer, std::uint32_t outSize, std::uint32_t& bytesReturned);

    // Report-descriptor queries: each returns the parser's status, 0x80110001 when the device is
    // not accessible.
    NTSTATUS GetButtonCaps(HIDP_BUTTON_CAPS* buttonCaps, std::uint16_t& count);
    NTSTATUS GetSpecificButtonCaps(HIDP_BUTTON_CAPS* buttonCaps, std::uint16_t& count);
    NTSTATUS GetValueCaps(HIDP_VALUE_CAPS* valueCaps, std::uint16_t& count);
    NTSTATUS GetSpecificValueCaps(HIDP_VALUE_CAPS* valueCaps, std::uint16_t& count);
    NTSTATUS GetData(HIDP_DATA* dataList, std::uint32_t& dataLength, std::uint8_t* report,
                     std::uint32_t reportLength);
    NTSTATUS SetData(HIDP_DATA* dataList, std::uint32_t& dataLength, std::uint8_t* report,
                     std::uint32_t reportLength);
    NTSTATUS GetUsages(USAGE* usageList, std::uint32_t& usageLength, std::uint8_t* report,
                       std::uint32_t reportLength);
    NTSTATUS GetButtons(USAGE* usageList, std::uint32_t& usageLength, std::uint8_t* report,
                        std::uint32_t reportLength);
    NTSTATUS GetUsagesEx(USAGE_AND_PAGE* usageList, std::uint32_t& usageLength,
                         std::uint8_t* report, std::uint32_t reportLength);
    NTSTATUS GetButtonsEx(USAGE_AND_PAGE* usageList, std::uint32_t& usageLength,
                          std::uint8_t* report, std::uint32_t reportLength);
    NTSTATUS SetUsages(USAGE* usageList, std::uint32_t& usageLength, std::uint8_t* report,
                       std::uint32_t reportLength);
    NTSTATUS SetButtons(USAGE* usageList, std::uint32_t& usageLength, std::uint8_t* report,
                        std::uint32_t reportLength);
    NTSTATUS UnsetUsages(USAGE* usageList, std::uint32_t& usageLength, std::uint8_t* report,
                         std::uint32_t reportLength);
    NTSTATUS UnsetButtons(USAGE* usageList, std::uint32_t& usageLength, std::uint8_t* report,
                          std::uint32_t reportLength);
    NTSTATUS GetUsageValue(std::uint32_t& usageValue, std::uint8_t* report,
                           std::uint32_t reportLength);
    NTSTATUS GetScaledUsageValue(std::int32_t& usageValue, std::uint8_t* report,
                                 std::uint32_t reportLength);
    NTSTATUS SetUsageValue(std::uint32_t usageValue, std::uint8_t* report,
                           std::uint32_t reportLength);
    NTSTATUS SetScaledUsageValue(std::int32_t usageValue, std::uint8_t* report,
                                 std::uint32_t reportLength);
    NTSTATUS GetUsageValueArray(std::uint8_t* usageValue, std::uint16_t usageValueByteLength,
                                std::uint8_t* report, std::uint32_t reportLength);
    NTSTATUS SetUsageValueArray(std::uint8_t* usageValue, std::uint16_t usageValueByteLength,
                                std::uint8_t* report, std::uint32_t reportLength);
    NTSTATUS GetExtendedAttributes(HIDP_REPORT_TYPE reportType, std::uint16_t dataIndex,
                                   HIDP_EXTENDED_ATTRIBUTES* attributes,
                                   std::uint32_t& lengthAttributes);
    NTSTATUS InitializeReportForID(HIDP_REPORT_TYPE reportType, std::uint8_t reportId,
                                   std::uint8_t* report, std::uint32_t reportLength);
    HIDP_LINK_COLLECTION_NODE GetLinkCollectionNode(std::uint16_t index);

    std::uint32_t MaxDataListLength() const { return FMaxDataListLength; }
    std::uint32_t MaxUsageListLength() const { return FMaxUsageListLength; }
    std::uint32_t MaxButtonListLength() const { return FMaxButtonListLength; }
    HIDP_REPORT_TYPE ReportTypeParam() const { return FReportTypeParam; }
    void SetReportTypeParam(HIDP_REPORT_TYPE value);
    USAGE UsagePageParam() const { return FUsagePageParam; }
    void SetUsagePageParam(USAGE value);
    std::uint16_t LinkCollectionParam() const { return FLinkCollectionParam; }
    void SetLinkCollectionParam(std::uint16_t value) { FLinkCollectionParam = value; }
    USAGE UsageParam() const { return FUsageParam; }
    void SetUsageParam(USAGE value) { FUsageParam = value; }

    const HIDD_ATTRIBUTES& Attributes() const { return FAttributes; }
    const TJvHidPnPInfo& PnPInfo() const { return *FPnPInfo; }
    bool IsPluggedIn() const { return FIsPluggedIn.load(); }
    bool IsCheckedOut() const { return FIsCheckedOut.load(); }
    bool HasReadWriteAccess() const { return FHasReadWriteAccess.load(); }
    THidHandle HidFileHandle() const { return FHidFileHandle.load(); }
    THidHandle HidOverlappedRead() const { return FHidOverlappedRead.load(); }
    THidHandle HidOverlappedWrite() const { return FHidOverlappedWrite.load(); }
    std::int32_t NumInputBuffers() const { return FNumInputBuffers.load(); }
    void SetNumInputBuffers(std::int32_t value);
    std::int32_t NumOverlappedBuffers() const { return FNumOverlappedBuffers.load(); }
    void SetNumOverlappedBuffers(std::int32_t value);
    std::int32_t ThreadSleepTime() const { return FThreadSleepTime.load(); }
    // Takes 10 to 10000 ms; other values are ignored.
    void SetThreadSleepTime(std::int32_t value);
    std::int32_t Tag = 0;

    const TJvHidDataEvent& OnData() const { return FData; }
    void SetDataEvent(const TJvHidDataEvent& dataEvent);
    const TJvHidDataErrorEvent& OnDataError() const { return FDataError; }
    void SetOnDataError(const TJvHidDataErrorEvent& event) { FDataError = event; }
    const TJvHidPlugEvent& OnUnplug() const { return FUnplug; }
    void SetOnUnplug(const TJvHidPlugEvent& event) { FUnplug = event; }

private:
    friend class TJvHidDeviceController;
    friend class TJvHidDeviceReadThread;

    // Created by the controller for an interface it found; raises EControllerError when the
    // device cannot be opened or identified.
    TJvHidDevice(std::unique_ptr<TJvHidPnPInfo> pnPInfo, TJvHidDeviceController* controller);

    void StartThread();
    void StopThread();
    // The unplug step; true when the unplug handler destroyed the device.
    bool DoUnplug();
    void CloseAllHandles();
    // Opens path with the access into slot unless the slot already holds a handle.
    bool OpenInto(std::atomic<THidHandle>& slot, unsigned access, bool overlapped);
    std::vector<std::uint16_t> ReadLanguageWords();
    void RecomputeLimits();
    bool QueryReady(NTSTATUS& status);

    TJvHidDeviceController* FMyController = nullptr;
    // The link's worker writes and the read thread reads while the UI thread may unplug, check in
    // or close: the state they share is atomic, and a handle opened twice at once is closed again.
    std::atomic<bool> FIsPluggedIn{true};
    std::atomic<bool> FIsCheckedOut{false};
    std::atomic<bool> FIsEnumerated{false};
    std::atomic<THidHandle> FHidFileHandle{kInvalidHidHandle};
    std::atomic<THidHandle> FHidOverlappedRead{kInvalidHidHandle};
    std::atomic<THidHandle> FHidOverlappedWrite{kInvalidHidHandle};
    HIDD_ATTRIBUTES FAttributes;
    std::unique_ptr<TJvHidPnPInfo> FPnPInfo;
    std::string FVendorName;
    std::string FProductName;
    TJvPhysicalDescriptor FPhysicalDescriptor;
    std::atomic<PHIDP_PREPARSED_DATA> FPreparsedData{nullptr};
    std::string FSerialNumber;
    std::vector<std::string> FLanguageStrings;
    std::atomic<std::int32_t> FNumInputBuffers{0};
    std::atomic<std::int32_t> FNumOverlappedBuffers{0};
    std::atomic<std::int32_t> FThreadSleepTime{100};
    std::vector<HIDP_LINK_COLLECTION_NODE> FLinkCollection;
    std::uint32_t FMaxDataListLength = 0;
    std::uint32_t FMaxUsageListLength = 0;
    std::uint32_t FMaxButtonListLength = 0;
    HIDP_REPORT_TYPE FReportTypeParam = HidP_Input;
    USAGE FUsagePageParam = 0;
    std::uint16_t FLinkCollectionParam = 0;
    USAGE FUsageParam = 0;
    TJvHidDataEvent FData;
    TJvHidDataErrorEvent FDataError;
    TJvHidPlugEvent FUnplug;
    std::atomic<bool> FHasReadWriteAccess{false};
    std::unique_ptr<TJvHidDeviceReadThread> FDataThread;
    bool* destroyedFlag_ = nullptr;  // set to true by the destructor, for a caller that must know
};

class TJvHidDeviceReadThread : public TThread {
public:
    // Read threads come only from their device.
    TJvHidDeviceReadThread(bool createSuspended);
    ~TJvHidDeviceReadThread() override;

    std::uint32_t FErr = 0;
    TJvHidDevice* Device = nullptr;
    std::uint32_t NumBytesRead = 0;
    std::vector<std::uint8_t> Report;

protected:
    void Execute() override;

private:
    friend class TJvHidDevice;
    explicit TJvHidDeviceReadThread(TJvHidDevice* dev);
    void DoData();
    void DoDataError();
    // Reports the last error through the data-error event, then waits one sleep slice (or until
    // Wake).
    void ReportErrorAndPause();
    // Terminates the thread and ends its pause at once.
    void Wake();
    TEvent pause_;
    // The device stopped waiting for this thread; it must not touch the device again.
    std::atomic<bool> orphaned_{false};
};

}  // namespace dsp
