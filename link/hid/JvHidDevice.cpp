#include "link/hid/JvHidDevice.h"

#include <algorithm>
#include <cstdio>

#include "framework/hid/LanguageNames.h"
#include "framework/hid/Utf16.h"
#include "framework/runtime/MainThread.h"
#include "link/hid/Hid.h"
#include "link/hid/JvHidControllerClass.h"

namespace dsp {
namespace {

constexpr std::uint32_t kStringBufferChars = 254;

// Read threads a device stopped waiting for (UI thread only).
std::vector<TJvHidDeviceReadThread*>& OrphanedThreads() {
    static auto* threads = new std::vector<TJvHidDeviceReadThread*>;
    return *threads;
}

std::string BufferText(const std::vector<char16_t>& buffer) {
    std::u16string text;
    for (char16_t c : buffer) {
        if (c == 0) break;
        text.push_back(c);
    }
    return Utf16ToUtf8(text);
}

}  // namespace

std::size_t CountLanguageIds(const std::vector<std::uint16_t>& words) {
    for (std::size_t i = words.size(); i-- > 0;) {
        if (words[i] == 0xFFFF) continue;
        return words[i] == 0 ? i : i + 1;
    }
    return 0;
}

TJvHidDevice::TJvHidDevice() {
    throw EControllerError("Direct creation of a TJvHidDevice object is not allowed");
}

TJvHidDevice::TJvHidDevice(std::unique_ptr<TJvHidPnPInfo> pnPInfo,
                           TJvHidDeviceController* controller)
    : FMyController(controller), FPnPInfo(std::move(pnPInfo)) {
    try {
        if (FMyController != nullptr) {
            SetDataEvent(FMyController->FDevDataEvent);
            FUnplug = FMyController->FDevUnplugEvent;
        }
        // Opened as OpenFile does, whatever the device's state.
        if (!OpenInto(FHidFileHandle, kHidAccessRead | kHidAccessWrite, false)) {
            if (!OpenInto(FHidFileHandle, 0, false))
                throw EControllerError("device cannot be opened");
        } else {
            FHasReadWriteAccess = true;
        }
        FAttributes.Size = sizeof(HIDD_ATTRIBUTES);
        if (HidD_GetAttributes == nullptr || !HidD_GetAttributes(FHidFileHandle, &FAttributes))
            throw EControllerError("device cannot be identified");
        CloseFile();
    } catch (...) {
        FMyController = nullptr;  // a half-built device belongs to no list
        CloseAllHandles();
        throw;
    }
}

TJvHidDevice::~TJvHidDevice() {
    if (destroyedFlag_ != nullptr) *destroyedFlag_ = true;
    const TJvHidDataEvent savedData = FData;
    const TJvHidPlugEvent savedUnplug = FUnplug;
    SetDataEvent(nullptr);
    FUnplug = nullptr;
    CloseAllHandles();
    if (PHIDP_PREPARSED_DATA data = FPreparsedData.exchange(nullptr);
        data != nullptr && HidD_FreePreparsedData != nullptr)
        HidD_FreePreparsedData(data);

    if (FMyController == nullptr) return;
    TJvHidDeviceController* controller = FMyController;
    FMyController = nullptr;
    TJvHidDevice* replacement = nullptr;
    if (IsPluggedIn()) {
        // Someone destroyed a listed device: a fresh object takes its place in the list.
        try {
            replacement = new TJvHidDevice(std::move(FPnPInfo), controller);
            replacement->SetDataEvent(savedData);
            replacement->FUnplug = savedUnplug;
            replacement->FThreadSleepTime = FThreadSleepTime.load();
        } catch (const EControllerError&) {
            replacement = nullptr;
        }
    }
    controller->DeviceDestroyed(this, replacement);
}

bool TJvHidDevice::IsAccessible() const { return FIsPluggedIn && (FIsCheckedOut || FIsEnumerated); }

bool TJvHidDevice::CheckOut() {
    if (FMyController == nullptr || !IsPluggedIn() || IsCheckedOut()) return false;
    FIsCheckedOut = true;
    ++FMyController->FNumCheckedOutDevices;
    --FMyController->FNumCheckedInDevices;
    StartThread();
    return true;
}

bool TJvHidDevice::OpenInto(std::atomic<THidHandle>& slot, unsigned access, bool overlapped) {
    if (slot.load() != kInvalidHidHandle) return true;
    THidHandle opened = HidCreateFile(FPnPInfo->DevicePath(), access, overlapped);
    if (opened == kInvalidHidHandle) return false;
    THidHandle expected = kInvalidHidHandle;
    if (!slot.compare_exchange_strong(expected, opened))
        HidCloseHandle(opened);  // another thread was quicker
    return true;
}

bool TJvHidDevice::OpenFile() {
    if (IsAccessible() && FHidFileHandle.load() == kInvalidHidHandle) {
        FHasReadWriteAccess = OpenInto(FHidFileHandle, kHidAccessRead | kHidAccessWrite, false);
        if (!FHasReadWriteAccess) OpenInto(FHidFileHandle, 0, false);
        const THidHandle handle = FHidFileHandle.load();
        if (handle != kInvalidHidHandle) {
            if (FNumInputBuffers != 0 && HidD_SetNumInputBuffers != nullptr)
                HidD_SetNumInputBuffers(handle, std::uint32_t(FNumInputBuffers.load()));
            std::uint32_t count = 0;
            if (HidD_GetNumInputBuffers != nullptr && HidD_GetNumInputBuffers(handle, &count))
                FNumInputBuffers = std::int32_t(count);
        }
    }
    return FHidFileHandle.load() != kInvalidHidHandle;
}

bool TJvHidDevice::OpenFileEx(TJvHidOpenExMode mode) {
    if (!IsAccessible()) return false;
    if (mode == omhRead) {
        const bool wasOpen = FHidOverlappedRead.load() != kInvalidHidHandle;
        if (!wasOpen && OpenInto(FHidOverlappedRead, kHidAccessRead, true)) {
            const THidHandle handle = FHidOverlappedRead.load();
            if (FNumOverlappedBuffers != 0 && HidD_SetNumInputBuffers != nullptr)
                HidD_SetNumInputBuffers(handle, std::uint32_t(FNumOverlappedBuffers));
            std::uint32_t count = 0;
            if (HidD_GetNumInputBuffers != nullptr && HidD_GetNumInputBuffers(handle, &count))
                FNumOverlappedBuffers = std::int32_t(count);
        }
        return FHidOverlappedRead.load() != kInvalidHidHandle;
    }
    OpenInto(FHidOverlappedWrite, kHidAccessWrite, true);
    return FHidOverlappedWrite.load() != kInvalidHidHandle;
}

void TJvHidDevice::CloseFile() {
    const THidHandle handle = FHidFileHandle.exchange(kInvalidHidHandle);
    if (handle != kInvalidHidHandle) HidCloseHandle(handle);
    FNumInputBuffers = 0;
}

void TJvHidDevice::CloseFileEx(TJvHidOpenExMode mode) {
    std::atomic<THidHandle>& slot = mode == omhRead ? FHidOverlappedRead : FHidOverlappedWrite;
    const THidHandle handle = slot.exchange(kInvalidHidHandle);
    if (handle != kInvalidHidHandle) HidCloseHandle(handle);
    if (mode == omhRead) FNumOverlappedBuffers = 0;
}

void TJvHidDevice::CloseAllHandles() {
    CloseFile();
    CloseFileEx(omhRead);
    CloseFileEx(omhWrite);
}

bool TJvHidDevice::CancelIO(TJvHidOpenExMode mode) {
    const THidHandle handle =
        mode == omhRead ? FHidOverlappedRead.load() : FHidOverlappedWrite.load();
    return handle != kInvalidHidHandle && HidCancelIo(handle);
}

std::string TJvHidDevice::VendorName() {
    if (FVendorName.empty() && OpenFile()) {
        std::vector<char16_t> buffer(kStringBufferChars, 0);
        if (HidD_GetManufacturerString(FHidFileHandle, buffer.data(),
                                       std::uint32_t(buffer.size() * 2)))
            FVendorName = BufferText(buffer);
        CloseFile();
    }
    return FVendorName;
}

std::string TJvHidDevice::ProductName() {
    if (FProductName.empty() && OpenFile()) {
        std::vector<char16_t> buffer(kStringBufferChars, 0);
        if (HidD_GetProductString(FHidFileHandle, buffer.data(), std::uint32_t(buffer.size() * 2)))
            FProductName = BufferText(buffer);
        CloseFile();
    }
    return FProductName;
}

// String 0 of the device: its language IDs, in a buffer filled with 0xFFFF beforehand.
std::vector<std::uint16_t> TJvHidDevice::ReadLanguageWords() {
    std::vector<char16_t> buffer(kStringBufferChars, 0xFFFF);
    if (!HidD_GetIndexedString(FHidFileHandle, 0, buffer.data(), std::uint32_t(buffer.size() * 2)))
        return {};
    return std::vector<std::uint16_t>(buffer.begin(), buffer.end());
}

std::string TJvHidDevice::SerialNumber() {
    if (FSerialNumber.empty() && OpenFile()) {
        std::vector<char16_t> serial(kStringBufferChars, 0);
        if (HidD_GetSerialNumberString(FHidFileHandle, serial.data(),
                                       std::uint32_t(serial.size() * 2))) {
            const std::vector<std::uint16_t> languages = ReadLanguageWords();
            const std::size_t count = CountLanguageIds(languages);
            // A device without language IDs has no string to trust; some answer the serial
            // request with the language list itself.
            bool differs = false;
            for (std::size_t i = 0; i < count; ++i) differs = differs || serial[i] != languages[i];
            if (count > 0 && differs) FSerialNumber = BufferText(serial);
        }
        CloseFile();
    }
    return FSerialNumber;
}

std::string TJvHidDevice::GetDeviceStringUnicode(std::uint8_t index) {
    if (index == 0 || !OpenFile()) return {};
    std::vector<char16_t> buffer(kStringBufferChars, 0);
    if (!HidD_GetIndexedString(FHidFileHandle, index, buffer.data(),
                               std::uint32_t(buffer.size() * 2)))
        return {};
    return BufferText(buffer);
}

std::string TJvHidDevice::GetDeviceStringAnsi(std::uint8_t index) {
    return GetDeviceStringUnicode(index);
}

const std::vector<std::string>& TJvHidDevice::LanguageStrings() {
    if (FLanguageStrings.empty() && OpenFile()) {
        const std::vector<std::uint16_t> words = ReadLanguageWords();
        const std::size_t count = CountLanguageIds(words);
        for (std::size_t i = 0; i < count; ++i) {
            std::string name = LanguageName(words[i]);
            if (name.empty()) {
                char unknown[32];
                std::snprintf(unknown, sizeof unknown, "unknown Locale ID $%.4x",
                              unsigned(words[i]));
                name = unknown;
            }
            FLanguageStrings.push_back(name.substr(0, 255));
        }
        CloseFile();
    }
    return FLanguageStrings;
}

const TJvPhysicalDescriptor& TJvHidDevice::PhysicalDescriptor() {
    if (FPhysicalDescriptor.empty() && OpenFile()) {
        std::vector<std::uint16_t> buffer(2048, 0);
        for (std::uint32_t words = 0; words <= buffer.size(); ++words) {
            if (HidD_GetPhysicalDescriptor(FHidFileHandle, buffer.data(), words * 2)) {
                FPhysicalDescriptor.assign(buffer.begin(), buffer.begin() + words);
                break;
            }
            if (HidGetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
        }
        CloseFile();
    }
    return FPhysicalDescriptor;
}

HIDD_CONFIGURATION TJvHidDevice::Configuration() {
    HIDD_CONFIGURATION config{};
    if (OpenFile()) HidD_GetConfiguration(FHidFileHandle, &config, sizeof config);
    return config;
}

void TJvHidDevice::SetConfiguration(const HIDD_CONFIGURATION& config) {
    if (OpenFile()) HidD_SetConfiguration(FHidFileHandle, &config, sizeof config);
}

PHIDP_PREPARSED_DATA TJvHidDevice::PreparsedData() {
    if (FPreparsedData.load() == nullptr && OpenFile()) {
        PHIDP_PREPARSED_DATA fetched = nullptr;
        if (HidD_GetPreparsedData != nullptr && HidD_GetPreparsedData(FHidFileHandle, &fetched)) {
            PHIDP_PREPARSED_DATA expected = nullptr;
            if (!FPreparsedData.compare_exchange_strong(expected, fetched))
                HidD_FreePreparsedData(fetched);
        }
        CloseFile();
    }
    return FPreparsedData.load();
}

HIDP_CAPS TJvHidDevice::GetCaps() {
    HIDP_CAPS caps{};
    if (PHIDP_PREPARSED_DATA data = PreparsedData(); data != nullptr && HidP_GetCaps != nullptr)
        HidP_GetCaps(data, &caps);
    return caps;
}

bool TJvHidDevice::ReadFile(void* report, std::uint32_t toRead, std::uint32_t& bytesRead) {
    bytesRead = 0;
    return OpenFile() && HidReadFile(FHidFileHandle, report, toRead, &bytesRead);
}

bool TJvHidDevice::WriteFile(const void* report, std::uint32_t toWrite,
                             std::uint32_t& bytesWritten) {
    bytesWritten = 0;
    return OpenFile() && HidWriteFile(FHidFileHandle, report, toWrite, &bytesWritten);
}

bool TJvHidDevice::ReadFileEx(void* report, std::uint32_t toRead, THidCompletionRoutine callBack) {
    return OpenFileEx(omhRead) &&
           HidReadFileEx(FHidOverlappedRead, report, toRead, std::move(callBack));
}

bool TJvHidDevice::WriteFileEx(const void* report, std::uint32_t toWrite,
                               THidCompletionRoutine callBack) {
    return OpenFileEx(omhWrite) &&
           HidWriteFileEx(FHidOverlappedWrite, report, toWrite, std::move(callBack));
}

std::uint32_t TJvHidDevice::HidOverlappedReadResult() {
    std::uint32_t bytes = 0;
    const THidHandle handle = FHidOverlappedRead.load();
    if (handle == kInvalidHidHandle || !HidGetOverlappedResult(handle, &bytes)) return 0;
    return bytes;
}

std::uint32_t TJvHidDevice::HidOverlappedWriteResult() {
    std::uint32_t bytes = 0;
    const THidHandle handle = FHidOverlappedWrite.load();
    if (handle == kInvalidHidHandle || !HidGetOverlappedResult(handle, &bytes)) return 0;
    return bytes;
}

bool TJvHidDevice::GetFeature(void* report, std::uint32_t size) {
    return OpenFile() && HidD_GetFeature(FHidFileHandle, report, size);
}

bool TJvHidDevice::SetFeature(void* report, std::uint32_t size) {
    return OpenFile() && HidD_SetFeature(FHidFileHandle, report, size);
}

bool TJvHidDevice::FlushQueue() { return OpenFile() && HidD_FlushQueue(FHidFileHandle); }

bool TJvHidDevice::GetInputReport(void* report, std::uint32_t size) {
    return HidD_GetInputReport != nullptr && OpenFile() &&
           HidD_GetInputReport(FHidFileHandle, report, size);
}

bool TJvHidDevice::SetOutputReport(void* report, std::uint32_t size) {
    return HidD_SetOutputReport != nullptr && OpenFile() &&
           HidD_SetOutputReport(FHidFileHandle, report, size);
}

bool TJvHidDevice::DeviceIoControl(std::uint32_t ioControlCode, const void* inBuffer,
                                   std::uint32_t inSize, void* outBuffer, std::uint32_t outSize,
                                   std::uint32_t& bytesReturned) {
    bytesReturned = 0;
    return OpenFile() && HidDeviceIoControl(FHidFileHandle, ioControlCode, inBuffer, inSize,
                                            outBuffer, outSize, &bytesReturned);
}

void TJvHidDevice::SetNumInputBuffers(std::int32_t value) {
    if (value == FNumInputBuffers || !OpenFile()) return;
    HidD_SetNumInputBuffers(FHidFileHandle, std::uint32_t(value));
    std::uint32_t count = 0;
    if (HidD_GetNumInputBuffers(FHidFileHandle, &count)) FNumInputBuffers = std::int32_t(count);
}

void TJvHidDevice::SetNumOverlappedBuffers(std::int32_t value) {
    if (value == FNumOverlappedBuffers || !OpenFileEx(omhRead)) return;
    HidD_SetNumInputBuffers(FHidOverlappedRead, std::uint32_t(value));
    std::uint32_t count = 0;
    if (HidD_GetNumInputBuffers(FHidOverlappedRead, &count))
        FNumOverlappedBuffers = std::int32_t(count);
}

void TJvHidDevice::SetThreadSleepTime(std::int32_t value) {
    if (value >= 10 && value <= 10000) FThreadSleepTime = value;
}

void TJvHidDevice::SetDataEvent(const TJvHidDataEvent& dataEvent) {
    if (!dataEvent) StopThread();
    FData = dataEvent;
    StartThread();
}

void TJvHidDevice::StartThread() {
    if (!FData || !IsPluggedIn() || !IsCheckedOut() || !HasReadWriteAccess() || FDataThread) return;
    // The read handle opens here, on the UI thread, so that the thread starts on a handle that is
    // already in place.
    OpenFileEx(omhRead);
    FDataThread.reset(new TJvHidDeviceReadThread(this));
    FDataThread->Start();
}

void TJvHidDevice::StopThread() {
    if (!FDataThread) return;
    FDataThread->Wake();
    if (FDataThread->WaitFor(WaitInfinite, TPendingCalls::Serve)) {
        FDataThread.reset();
        return;
    }
    // The thread waits for a handler that runs further up this thread's stack (a modal loop in
    // the data handler checked the device in). It ends when that handler returns; until then it
    // must not touch this device again, and it is freed afterwards.
    FDataThread->orphaned_ = true;
    OrphanedThreads().push_back(FDataThread.release());
    PostToMainThread([] { ReapOrphanedReadThreads(); });
}

void ReapOrphanedReadThreads() {
    auto& orphans = OrphanedThreads();
    for (auto it = orphans.begin(); it != orphans.end();) {
        // False at once while the thread still waits for a handler further up this stack.
        if ((*it)->WaitFor(WaitInfinite, TPendingCalls::Serve)) {
            delete *it;
            it = orphans.erase(it);
        } else {
            ++it;
        }
    }
}

bool TJvHidDevice::DoUnplug() {
    FIsPluggedIn = false;  // first, so that no other thread opens a handle again meanwhile
    CloseAllHandles();
    TJvHidPlugEvent handler = FUnplug;
    FUnplug = nullptr;
    if (!handler) return false;
    bool destroyed = false;
    destroyedFlag_ = &destroyed;
    handler(this);  // may check this device in, which destroys it
    if (!destroyed) destroyedFlag_ = nullptr;
    return destroyed;
}

TJvHidDeviceReadThread::TJvHidDeviceReadThread(bool) {
    throw EControllerError("Direct creation of a TJvDeviceReadThread object is not allowed");
}

TJvHidDeviceReadThread::TJvHidDeviceReadThread(TJvHidDevice* dev) : Device(dev) {
    NumBytesRead = 0;
    Report.assign(Device->GetCaps().InputReportByteLength, 0);
}

TJvHidDeviceReadThread::~TJvHidDeviceReadThread() {
    Wake();
    Stop();
}

void TJvHidDeviceReadThread::DoData() {
    if (orphaned_ || Terminated() || NumBytesRead == 0) return;
    TJvHidDataEvent handler = Device->FData;
    if (handler) handler(Device, Report[0], Report.data() + 1, std::uint16_t(NumBytesRead - 1));
}

void TJvHidDeviceReadThread::DoDataError() {
    if (orphaned_) return;
    TJvHidDataErrorEvent handler = Device->FDataError;
    if (handler) handler(Device, FErr);
}

void TJvHidDeviceReadThread::Execute() {
    std::uint32_t sleepResult = WAIT_IO_COMPLETION;
    while (!Terminated()) {
        sleepResult = WAIT_IO_COMPLETION;
        std::fill(Report.begin(), Report.end(), 0);
        if (!Device->ReadFileEx(Report.data(), std::uint32_t(Report.size()),
                                [](std::uint32_t, std::uint32_t) {})) {
            ReportErrorAndPause();
            continue;
        }
        do {
            sleepResult = HidWaitForCompletion(Device->HidOverlappedRead(),
                                               std::uint32_t(Device->ThreadSleepTime()));
        } while (sleepResult != WAIT_IO_COMPLETION && !Terminated());
        if (Terminated()) break;
        // A read that ends in failure (a device pulled before its removal was handled fails every
        // read at once) is reported and paused on like one that cannot start, so the loop never
        // spins.
        NumBytesRead = 0;
        if (!HidGetOverlappedResult(Device->HidOverlappedRead(), &NumBytesRead)) {
            ReportErrorAndPause();
            continue;
        }
        if (NumBytesRead > 0) Synchronize([this] { DoData(); });
    }
    if (sleepResult != WAIT_IO_COMPLETION && !orphaned_) Device->CancelIO(omhRead);
}

void TJvHidDeviceReadThread::ReportErrorAndPause() {
    FErr = HidGetLastError();
    Synchronize([this] { DoDataError(); });
    if (!Terminated()) pause_.WaitFor(unsigned(Device->ThreadSleepTime()));
}

void TJvHidDeviceReadThread::Wake() {
    Terminate();
    pause_.SetEvent();
}

}  // namespace dsp
