#pragma once
// Handles on opened HID interfaces and the movement of reports through them: synchronous reads
// and writes, and overlapped ones that complete while their thread waits for them.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/hid/HidBackend.h"
#include "framework/hid/HidTypes.h"

namespace dsp {

// Opens a HID interface of the current backend with kHidAccessRead/kHidAccessWrite, or with no
// access to query it only. An overlapped handle takes HidReadFileEx and HidWriteFileEx.
// kInvalidHidHandle on failure, with HidGetLastError telling why.
THidHandle HidCreateFile(const std::string& path, unsigned access, bool overlapped);
// Closes a handle; a read waiting on it ends as aborted.
bool HidCloseHandle(THidHandle handle);

// Waits for the next input report and copies up to toRead bytes of it.
bool HidReadFile(THidHandle handle, void* buffer, std::uint32_t toRead, std::uint32_t* bytesRead);
bool HidWriteFile(THidHandle handle, const void* buffer, std::uint32_t toWrite,
                  std::uint32_t* bytesWritten);
// Device control codes have no meaning for these devices: always false with ERROR_NOT_SUPPORTED.
bool HidDeviceIoControl(THidHandle handle, std::uint32_t ioControlCode, const void* inBuffer,
                        std::uint32_t inSize, void* outBuffer, std::uint32_t outSize,
                        std::uint32_t* bytesReturned);

// Called on the thread that waits for the operation, with its error (0 on success) and byte count.
using THidCompletionRoutine = std::function<void(std::uint32_t error, std::uint32_t bytes)>;

// Starts reading the next input report into buffer, which must stay valid until the read
// completes or is cancelled; the read makes progress while the same thread waits in
// HidWaitForCompletion. One read may be pending per handle.
bool HidReadFileEx(THidHandle handle, void* buffer, std::uint32_t toRead,
                   THidCompletionRoutine completion);
// Writes at once and then reports completion.
bool HidWriteFileEx(THidHandle handle, const void* buffer, std::uint32_t toWrite,
                    THidCompletionRoutine completion);

// What HidWaitForCompletion returns when the pending operation completed during the wait.
inline constexpr std::uint32_t WAIT_IO_COMPLETION = 0xC0;
// Waits up to ms for the handle's pending read: WAIT_IO_COMPLETION when it completed (its
// completion routine has run), 0 when the time ran out first. With nothing pending it just waits.
std::uint32_t HidWaitForCompletion(THidHandle handle, std::uint32_t ms);
// The byte count of the handle's last overlapped operation, without waiting; false while it is
// still pending (ERROR_IO_INCOMPLETE) or when it failed.
bool HidGetOverlappedResult(THidHandle handle, std::uint32_t* bytes);
// Cancels the handle's pending read; false when the handle is not open.
bool HidCancelIo(THidHandle handle);

// The connection behind an open handle, for the device services; null when the handle is not open.
std::shared_ptr<IHidConnection> HidConnectionOf(THidHandle handle);

}  // namespace dsp
