#include "framework/hid/HidDeviceServices.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/hid/HidFile.h"
#include "framework/hid/ReportDescriptor.h"

namespace dsp {
namespace hidservices {
namespace {

std::shared_ptr<IHidConnection> ConnectionOf(THidHandle handle) {
    auto connection = HidConnectionOf(handle);
    if (!connection) HidSetLastError(ERROR_INVALID_HANDLE);
    return connection;
}

bool CopyString(const std::u16string& text, void* buffer, std::uint32_t bufferLength) {
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    if (buffer == nullptr || bufferLength < bytes) {
        HidSetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    std::memcpy(buffer, text.c_str(), bytes);
    return true;
}

bool ReadString(THidHandle handle, THidStringKind kind, void* buffer, std::uint32_t bufferLength) {
    auto connection = ConnectionOf(handle);
    std::u16string text;
    return connection && connection->GetString(kind, text) &&
           CopyString(text, buffer, bufferLength);
}

}  // namespace

std::uint32_t HidD_Hello(char* buffer, std::uint32_t bufferLength) {
    static const char greeting[] = "Hello\n";
    if (buffer != nullptr && bufferLength > 0) {
        const std::uint32_t n = std::min<std::uint32_t>(bufferLength, sizeof greeting);
        std::memcpy(buffer, greeting, n);
        buffer[n - 1] = '\0';
    }
    return sizeof greeting;
}

void HidD_GetHidGuid(TGUID* hidGuid) {
    if (hidGuid != nullptr) *hidGuid = kHidInterfaceGuid;
}

bool HidD_GetPreparsedData(THidHandle handle, PHIDP_PREPARSED_DATA* preparsedData) {
    if (preparsedData == nullptr) {
        HidSetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    *preparsedData = nullptr;
    auto connection = ConnectionOf(handle);
    std::vector<std::uint8_t> descriptor;
    if (!connection || !connection->GetReportDescriptor(descriptor)) return false;
    std::unique_ptr<THidPreparsedData> parsed =
        ParseReportDescriptor(descriptor.data(), descriptor.size());
    if (!parsed) {
        HidSetLastError(ERROR_INVALID_DATA);
        return false;
    }
    *preparsedData = parsed.release();
    return true;
}

bool HidD_FreePreparsedData(PHIDP_PREPARSED_DATA preparsedData) {
    if (preparsedData == nullptr) return false;
    delete preparsedData;
    return true;
}

bool HidD_GetConfiguration(THidHandle handle, HIDD_CONFIGURATION* configuration,
                           std::uint32_t length) {
    auto connection = ConnectionOf(handle);
    if (!connection) return false;
    if (configuration == nullptr || length < sizeof(HIDD_CONFIGURATION)) {
        HidSetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    configuration->size = sizeof(HIDD_CONFIGURATION);
    configuration->RingBufferSize = connection->InputBufferCount();
    return true;
}

bool HidD_SetConfiguration(THidHandle handle, const HIDD_CONFIGURATION* configuration,
                           std::uint32_t length) {
    auto connection = ConnectionOf(handle);
    if (!connection) return false;
    if (configuration == nullptr || length < sizeof(HIDD_CONFIGURATION)) {
        HidSetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return HidD_SetNumInputBuffers(handle, configuration->RingBufferSize);
}

bool HidD_FlushQueue(THidHandle handle) {
    auto connection = ConnectionOf(handle);
    return connection && connection->Flush();
}

bool HidD_GetFeature(THidHandle handle, void* reportBuffer, std::uint32_t reportBufferLength) {
    auto connection = ConnectionOf(handle);
    return connection &&
           connection->GetFeature(static_cast<std::uint8_t*>(reportBuffer), reportBufferLength);
}

bool HidD_SetFeature(THidHandle handle, void* reportBuffer, std::uint32_t reportBufferLength) {
    auto connection = ConnectionOf(handle);
    return connection &&
           connection->SetFeature(static_cast<std::uint8_t*>(reportBuffer), reportBufferLength);
}

bool HidD_GetNumInputBuffers(THidHandle handle, std::uint32_t* numberBuffers) {
    auto connection = ConnectionOf(handle);
    if (!connection) return false;
    if (numberBuffers != nullptr) *numberBuffers = connection->InputBufferCount();
    return true;
}

bool HidD_SetNumInputBuffers(THidHandle handle, std::uint32_t numberBuffers) {
    auto connection = ConnectionOf(handle);
    if (!connection) return false;
    if (numberBuffers < 2 || numberBuffers > 512) {
        HidSetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return connection->SetInputBufferCount(numberBuffers);
}

bool HidD_GetAttributes(THidHandle handle, HIDD_ATTRIBUTES* attributes) {
    auto connection = ConnectionOf(handle);
    if (!connection) return false;
    HIDD_ATTRIBUTES found;
    if (!connection->GetAttributes(found)) return false;
    if (attributes != nullptr) {
        attributes->VendorID = found.VendorID;
        attributes->ProductID = found.ProductID;
        attributes->VersionNumber = found.VersionNumber;
    }
    return true;
}

bool HidD_GetManufacturerString(THidHandle handle, void* buffer, std::uint32_t bufferLength) {
    return ReadString(handle, THidStringKind::Manufacturer, buffer, bufferLength);
}

bool HidD_GetProductString(THidHandle handle, void* buffer, std::uint32_t bufferLength) {
    return ReadString(handle, THidStringKind::Product, buffer, bufferLength);
}

bool HidD_GetSerialNumberString(THidHandle handle, void* buffer, std::uint32_t bufferLength) {
    return ReadString(handle, THidStringKind::SerialNumber, buffer, bufferLength);
}

bool HidD_GetPhysicalDescriptor(THidHandle handle, void* buffer, std::uint32_t bufferLength) {
    auto connection = ConnectionOf(handle);
    std::vector<std::uint8_t> descriptor;
    if (!connection || !connection->GetPhysicalDescriptor(descriptor)) return false;
    if (buffer == nullptr || bufferLength < descriptor.size()) {
        HidSetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    std::copy(descriptor.begin(), descriptor.end(), static_cast<std::uint8_t*>(buffer));
    return true;
}

bool HidD_GetIndexedString(THidHandle handle, std::uint32_t stringIndex, void* buffer,
                           std::uint32_t bufferLength) {
    auto connection = ConnectionOf(handle);
    std::u16string text;
    return connection && connection->GetIndexedString(stringIndex, text) &&
           CopyString(text, buffer, bufferLength);
}

bool HidD_GetInputReport(THidHandle handle, void* reportBuffer, std::uint32_t reportBufferLength) {
    auto connection = ConnectionOf(handle);
    return connection &&
           connection->GetInputReport(static_cast<std::uint8_t*>(reportBuffer), reportBufferLength);
}

bool HidD_SetOutputReport(THidHandle handle, void* reportBuffer, std::uint32_t reportBufferLength) {
    auto connection = ConnectionOf(handle);
    return connection && connection->SetOutputReport(static_cast<std::uint8_t*>(reportBuffer),
                                                     reportBufferLength);
}

bool HidDirectReportsAvailable() { return CurrentHidBackend()->SupportsDirectReports(); }

std::string HidServicesVersion() { return CurrentHidBackend()->VersionText(); }

}  // namespace hidservices
}  // namespace dsp
