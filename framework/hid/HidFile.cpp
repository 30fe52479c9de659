#include "framework/hid/HidFile.h"

#include <chrono>
#include <map>
#include <mutex>
#include <thread>

namespace dsp {
namespace {

struct HandleEntry {
    std::shared_ptr<IHidConnection> connection;
    unsigned access = 0;
    bool overlapped = false;

    std::mutex lock;  // guards the overlapped state below
    bool readPending = false;
    std::uint8_t* readBuffer = nullptr;
    std::uint32_t readSize = 0;
    THidCompletionRoutine readCompletion;
    std::uint32_t lastBytes = 0;
    std::uint32_t lastError = ERROR_SUCCESS;
};

struct HandleTable {
    std::mutex lock;
    std::map<THidHandle, std::shared_ptr<HandleEntry>> entries;
    // Closed handles whose read was still pending: the next wait on them completes the read as
    // aborted, as it would have had the close come during the wait.
    std::map<THidHandle, std::shared_ptr<HandleEntry>> aborted;
    THidHandle next = 0x100;
};

HandleTable& Table() {
    static HandleTable* t = new HandleTable;
    return *t;
}

std::shared_ptr<HandleEntry> Find(THidHandle handle) {
    HandleTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.entries.find(handle);
    if (it == t.entries.end()) return nullptr;
    return it->second;
}

// The entry of a closed handle with a read still pending, taken out of the table.
std::shared_ptr<HandleEntry> TakeAborted(THidHandle handle) {
    HandleTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.aborted.find(handle);
    if (it == t.aborted.end()) return nullptr;
    auto entry = it->second;
    t.aborted.erase(it);
    return entry;
}

std::shared_ptr<HandleEntry> FindOrFail(THidHandle handle) {
    auto entry = Find(handle);
    if (!entry) HidSetLastError(ERROR_INVALID_HANDLE);
    return entry;
}

}  // namespace

THidHandle HidCreateFile(const std::string& path, unsigned access, bool overlapped) {
    std::unique_ptr<IHidConnection> connection = CurrentHidBackend()->Open(path, access);
    if (!connection) return kInvalidHidHandle;
    auto entry = std::make_shared<HandleEntry>();
    entry->connection = std::move(connection);
    entry->access = access;
    entry->overlapped = overlapped;
    HandleTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    THidHandle handle = t.next++;
    t.entries[handle] = entry;
    HidSetLastError(ERROR_SUCCESS);
    return handle;
}

bool HidCloseHandle(THidHandle handle) {
    std::shared_ptr<HandleEntry> entry;
    {
        HandleTable& t = Table();
        std::lock_guard<std::mutex> guard(t.lock);
        auto it = t.entries.find(handle);
        if (it == t.entries.end()) {
            HidSetLastError(ERROR_INVALID_HANDLE);
            return false;
        }
        entry = it->second;
        t.entries.erase(it);
        std::lock_guard<std::mutex> pending(entry->lock);
        if (entry->readPending) t.aborted[handle] = entry;
    }
    entry->connection->Interrupt();
    return true;
}

std::shared_ptr<IHidConnection> HidConnectionOf(THidHandle handle) {
    auto entry = Find(handle);
    return entry ? entry->connection : nullptr;
}

bool HidReadFile(THidHandle handle, void* buffer, std::uint32_t toRead, std::uint32_t* bytesRead) {
    auto entry = FindOrFail(handle);
    if (bytesRead != nullptr) *bytesRead = 0;
    if (!entry) return false;
    if ((entry->access & kHidAccessRead) == 0) {
        HidSetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    std::uint32_t got = 0;
    if (entry->connection->Read(static_cast<std::uint8_t*>(buffer), toRead, -1, got) !=
        THidReadResult::Data)
        return false;
    if (bytesRead != nullptr) *bytesRead = got;
    return true;
}

bool HidWriteFile(THidHandle handle, const void* buffer, std::uint32_t toWrite,
                  std::uint32_t* bytesWritten) {
    auto entry = FindOrFail(handle);
    if (bytesWritten != nullptr) *bytesWritten = 0;
    if (!entry) return false;
    if ((entry->access & kHidAccessWrite) == 0) {
        HidSetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    std::uint32_t written = 0;
    if (!entry->connection->Write(static_cast<const std::uint8_t*>(buffer), toWrite, written))
        return false;
    if (bytesWritten != nullptr) *bytesWritten = written;
    return true;
}

bool HidDeviceIoControl(THidHandle handle, std::uint32_t, const void*, std::uint32_t, void*,
                        std::uint32_t, std::uint32_t* bytesReturned) {
    if (bytesReturned != nullptr) *bytesReturned = 0;
    if (!FindOrFail(handle)) return false;
    HidSetLastError(ERROR_NOT_SUPPORTED);
    return false;
}

bool HidReadFileEx(THidHandle handle, void* buffer, std::uint32_t toRead,
                   THidCompletionRoutine completion) {
    auto entry = FindOrFail(handle);
    if (!entry) return false;
    if (!entry->overlapped || (entry->access & kHidAccessRead) == 0) {
        HidSetLastError(entry->overlapped ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER);
        return false;
    }
    std::lock_guard<std::mutex> guard(entry->lock);
    if (entry->readPending) {
        HidSetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    entry->readPending = true;
    entry->readBuffer = static_cast<std::uint8_t*>(buffer);
    entry->readSize = toRead;
    entry->readCompletion = std::move(completion);
    entry->lastBytes = 0;
    entry->lastError = ERROR_IO_PENDING;
    return true;
}

bool HidWriteFileEx(THidHandle handle, const void* buffer, std::uint32_t toWrite,
                    THidCompletionRoutine completion) {
    auto entry = FindOrFail(handle);
    if (!entry) return false;
    if (!entry->overlapped || (entry->access & kHidAccessWrite) == 0) {
        HidSetLastError(entry->overlapped ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER);
        return false;
    }
    std::uint32_t written = 0;
    const bool ok =
        entry->connection->Write(static_cast<const std::uint8_t*>(buffer), toWrite, written);
    if (!ok) return false;
    if (completion) completion(ERROR_SUCCESS, written);
    return true;
}

std::uint32_t HidWaitForCompletion(THidHandle handle, std::uint32_t ms) {
    auto entry = Find(handle);
    std::uint8_t* buffer = nullptr;
    std::uint32_t size = 0;
    bool pending = false;
    bool closed = false;
    if (!entry) {
        entry = TakeAborted(handle);
        closed = entry != nullptr;
    }
    if (entry) {
        std::lock_guard<std::mutex> guard(entry->lock);
        pending = entry->readPending;
        buffer = entry->readBuffer;
        size = entry->readSize;
    }
    if (!pending) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return 0;
    }

    std::uint32_t bytes = 0;
    THidReadResult result = THidReadResult::Failed;
    if (closed)
        HidSetLastError(ERROR_OPERATION_ABORTED);
    else
        result = entry->connection->Read(buffer, size, int(ms), bytes);
    if (result == THidReadResult::TimedOut) return 0;
    const std::uint32_t error = result == THidReadResult::Data ? ERROR_SUCCESS : HidGetLastError();
    THidCompletionRoutine completion;
    {
        std::lock_guard<std::mutex> guard(entry->lock);
        if (!entry->readPending) return 0;  // cancelled meanwhile
        entry->readPending = false;
        entry->lastBytes = result == THidReadResult::Data ? bytes : 0;
        entry->lastError = error;
        completion = std::move(entry->readCompletion);
    }
    if (!closed) TakeAborted(handle);  // closed while this wait ran: nothing is left to complete
    if (completion) completion(error, bytes);
    return WAIT_IO_COMPLETION;
}

bool HidGetOverlappedResult(THidHandle handle, std::uint32_t* bytes) {
    auto entry = FindOrFail(handle);
    if (bytes != nullptr) *bytes = 0;
    if (!entry) return false;
    std::lock_guard<std::mutex> guard(entry->lock);
    if (entry->readPending) {
        HidSetLastError(ERROR_IO_INCOMPLETE);
        return false;
    }
    if (entry->lastError != ERROR_SUCCESS) {
        HidSetLastError(entry->lastError);
        return false;
    }
    if (bytes != nullptr) *bytes = entry->lastBytes;
    return true;
}

bool HidCancelIo(THidHandle handle) {
    auto entry = FindOrFail(handle);
    if (!entry) return false;
    std::lock_guard<std::mutex> guard(entry->lock);
    if (entry->readPending) {
        entry->readPending = false;
        entry->lastBytes = 0;
        entry->lastError = ERROR_OPERATION_ABORTED;
        entry->readCompletion = nullptr;
    }
    return true;
}

}  // namespace dsp
