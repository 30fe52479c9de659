#pragma once
// The HID device services on an open handle (HidCreateFile): identity, strings, parsed report
// descriptor, feature and direct reports, and the input report queue. They fail with false and
// leave the reason in HidGetLastError.

#include <cstdint>
#include <string>

#include "framework/hid/HidTypes.h"

namespace dsp {
// The services themselves, reached by name through the built-in HID library.
namespace hidservices {

// Copies a greeting into the buffer (as far as it fits) and returns its length; a sign of life.
std::uint32_t HidD_Hello(char* buffer, std::uint32_t bufferLength);
void HidD_GetHidGuid(TGUID* hidGuid);
// The parsed report descriptor, released with HidD_FreePreparsedData.
bool HidD_GetPreparsedData(THidHandle handle, PHIDP_PREPARSED_DATA* preparsedData);
bool HidD_FreePreparsedData(PHIDP_PREPARSED_DATA preparsedData);
// The configuration holds the size of the input report queue.
bool HidD_GetConfiguration(THidHandle handle, HIDD_CONFIGURATION* configuration,
                           std::uint32_t length);
bool HidD_SetConfiguration(THidHandle handle, const HIDD_CONFIGURATION* configuration,
                           std::uint32_t length);
bool HidD_FlushQueue(THidHandle handle);
bool HidD_GetFeature(THidHandle handle, void* reportBuffer, std::uint32_t reportBufferLength);
bool HidD_SetFeature(THidHandle handle, void* reportBuffer, std::uint32_t reportBufferLength);
bool HidD_GetNumInputBuffers(THidHandle handle, std::uint32_t* numberBuffers);
// Takes 2 to 512 buffers.
bool HidD_SetNumInputBuffers(THidHandle handle, std::uint32_t numberBuffers);
bool HidD_GetAttributes(THidHandle handle, HIDD_ATTRIBUTES* attributes);
// Strings come as zero-terminated UTF-16 into a buffer of bufferLength bytes.
bool HidD_GetManufacturerString(THidHandle handle, void* buffer, std::uint32_t bufferLength);
bool HidD_GetProductString(THidHandle handle, void* buffer, std::uint32_t bufferLength);
bool HidD_GetSerialNumberString(THidHandle handle, void* buffer, std::uint32_t bufferLength);
// Fails with ERROR_INSUFFICIENT_BUFFER while the buffer is too small for the whole descriptor.
bool HidD_GetPhysicalDescriptor(THidHandle handle, void* buffer, std::uint32_t bufferLength);
bool HidD_GetIndexedString(THidHandle handle, std::uint32_t stringIndex, void* buffer,
                           std::uint32_t bufferLength);
bool HidD_GetInputReport(THidHandle handle, void* reportBuffer, std::uint32_t reportBufferLength);
bool HidD_SetOutputReport(THidHandle handle, void* reportBuffer, std::uint32_t reportBufferLength);

// Whether the current backend can ask for input reports and send output reports directly.
bool HidDirectReportsAvailable();
// The backend's name and version.
std::string HidServicesVersion();

}  // namespace hidservices
}  // namespace dsp
