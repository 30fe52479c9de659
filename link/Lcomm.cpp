#include "link/Lcomm.h"

#include <algorithm>
#include <mutex>

#include "framework/os/SerialPortList.h"

namespace dsp {

std::atomic<std::int8_t> LComm::CommResendCount{0};

namespace {
constexpr int kFirstPort = 1;
constexpr int kLastPort = 98;
constexpr std::uint32_t kLowestBaud = 1200;
constexpr std::uint32_t kHighestBaud = 128000;
constexpr std::uint32_t kReplyBaud = 115200;
constexpr unsigned kSerialKeepAliveWaitMs = 2000;
}  // namespace

LComm::LComm(ILinkOwner* owner) : FOwner(owner) {}

LComm::~LComm() {
    if (FOpen) LComm::CloseLink();
    worker_.Join();
    port_.Close();
}

std::string LComm::PortName(int port) {
    return (port < 10 ? "COM" : "\\\\.\\COM") + std::to_string(port);
}

bool LComm::OpenLink(int port, std::uint32_t baud, std::uint8_t byteSize, std::uint8_t parity,
                     std::uint8_t stopBits) {
    if (port < kFirstPort || port > kLastPort || baud < kLowestBaud || baud > kHighestBaud) {
        return false;
    }
    if (FOpen) return false;
    {
        std::lock_guard<TCriticalSection> guard(lock_);
        const std::string path = SerialPortPath(PortName(port));
        if (path.empty() || !port_.Open(path)) return false;
        if (!port_.Configure(baud, byteSize, parity, stopBits)) {
            port_.Close();
            return false;
        }
        port_.Purge();
    }
    FQuitEvent = std::make_unique<TEvent>();
    FSendEvent = std::make_unique<TEvent>();
    if (worker_.Start([this] { ThreadProc(); }, FOpen)) return true;
    CloseHandles();
    return false;
}

void LComm::CloseLink() {
    if (!FQuitEvent && !worker_.Exists() && !port_.IsOpen()) return;
    if (FQuitEvent) FQuitEvent->SetEvent();
    if (!worker_.WaitStopped(kStopLimitMs)) {
        NotifyLinkState(lsStopTimeout, 0);
        return;
    }
    CloseHandles();
}

void LComm::CloseHandles() {
    if (!worker_.Release()) return;
    FSendEvent.reset();
    FQuitEvent.reset();
    std::lock_guard<TCriticalSection> guard(lock_);
    port_.Purge();
    port_.Close();
}

void LComm::SendBytes(const std::uint8_t* data, std::size_t length) {
    if (!FOpen || length == 0) return;
    std::lock_guard<TCriticalSection> guard(lock_);
    length = std::min(length, kTransmitBufferSize);
    std::copy_n(data, length, FTransmitBuffer.begin());
    FTransmitLength = length;
    if (writeLog_) writeLog_(data, length);
    FSendEvent->SetEvent();
}

void LComm::SendBytes(const std::vector<std::uint8_t>& frame) {
    if (frame.empty()) return;
    LComm::SendBytes(frame.data(), frame.size());
}

void LComm::OnByte(std::uint8_t byte) {
    if (FOwner) FOwner->PostLinkMessage(WM_LINK_RXBYTE, byte, 0);
}

void LComm::NotifyLinkState(int code, int param) {
    if (FOwner) FOwner->PostLinkMessage(WM_LINK_STATE, static_cast<std::uintptr_t>(code), param);
}

void LComm::WriteTransmitBuffer() {
    std::lock_guard<TCriticalSection> guard(lock_);
    port_.Write(FTransmitBuffer.data(), FTransmitLength);
}

bool LComm::ReadAvailable() {
    std::vector<std::uint8_t> bytes;
    bool failed = false;
    {
        std::lock_guard<TCriticalSection> guard(lock_);
        std::array<std::uint8_t, kReceiveBufferSize> buffer;
        // What waits comes in one read; a full buffer may have left more behind.
        for (;;) {
            const int r = port_.Read(buffer.data(), buffer.size());
            if (r < 0) {
                failed = true;
                break;
            }
            bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + r);
            if (static_cast<std::size_t>(r) < buffer.size()) break;
        }
    }
    // The bytes go to the frame assembly one by one, as they always have.
    for (std::uint8_t b : bytes) OnByte(b);
    return !failed;
}

void LComm::ThreadProc() {
    for (;;) {
        short readiness = 0;
        const int r =
            WaitForMultiple({TWaitable::Readable(port_.EventHandle()), *FSendEvent, *FQuitEvent},
                            FWaitTimeout, &readiness);
        if (r == 0) {
            if (SerialPort::ClassifyReadiness(readiness) == SerialPort::peError ||
                !ReadAvailable()) {
                int sender = 0;
                {
                    std::lock_guard<TCriticalSection> guard(lock_);
                    sender = FTransmitBuffer[2];
                }
                NotifyLinkState(lsPortError, sender);
                break;
            }
        } else if (r == 1) {
            CommResendCount = 0;
            WriteTransmitBuffer();
        } else if (r == 2) {
            break;
        } else if (r == wrTimeout) {
            if (FRepeatCount > 0) {
                --FRepeatCount;
                WriteTransmitBuffer();
            } else if (CommResendCount < FMaxResends) {
                {
                    std::lock_guard<TCriticalSection> guard(lock_);
                    if (FTransmitBuffer[0] != 0) WriteTransmitBuffer();
                }
                ++CommResendCount;
            } else {
                CommResendCount = 0;
                int receiver = 0;
                {
                    std::lock_guard<TCriticalSection> guard(lock_);
                    FTransmitBuffer[0] = 0;
                    receiver = FTransmitBuffer[3];
                }
                NotifyLinkState(lsReplyTimeout, receiver);
            }
        } else {
            int receiver = 0;
            {
                std::lock_guard<TCriticalSection> guard(lock_);
                receiver = FTransmitBuffer[3];
            }
            NotifyLinkState(lsWaitFailed, receiver);
            break;
        }
    }
    FOpen = false;
}

LCommProc::LCommProc(ILinkOwner* owner, int deviceId)
    : LFramedTransport<LComm>(owner, LFrameAssembler::amSerial, kSerialKeepAliveWaitMs, deviceId) {}

LCommProc::~LCommProc() = default;

bool LCommProc::OpenLink(int port, std::uint32_t baud, std::uint8_t byteSize, std::uint8_t parity,
                         std::uint8_t stopBits) {
    StartKeepAlive();
    return LComm::OpenLink(port, baud, byteSize, parity, stopBits);
}

void LCommProc::CloseLink() { StopTransport(); }

unsigned LCommProc::ReplyMessage() {
    return CurrentBaudRate() == kReplyBaud ? WM_LINK_REPLY : WM_LINK_REPLY_ALT;
}

void LCommProc::LogReply(const std::vector<std::uint8_t>& frame) {
    if (readLog_) readLog_(frame.data(), frame.size());
}

}  // namespace dsp
