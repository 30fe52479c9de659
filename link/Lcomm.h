#pragma once
// The serial link (LComm) and the serial transport on it (LCommProc). The link owns its port:
// its worker waits for port events beside the frame-to-send and quit events, reads what waits on
// the port, writes frames, rewrites on time-outs and reports a lost line.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/os/SerialPort.h"
#include "framework/runtime/CriticalSection.h"
#include "framework/runtime/Event.h"
#include "link/FramedTransport.h"
#include "link/LinkMessages.h"
#include "link/LinkOwner.h"
#include "link/LinkWorker.h"

namespace dsp {

class LComm {
public:
    // Called with every frame handed to the worker (not its rewrites), and, by the transport,
    // with every reply it assembled; the owner turns them into traffic-monitor lines.
    using TTrafficLog = std::function<void(const std::uint8_t* bytes, std::size_t count)>;

    static constexpr std::size_t kTransmitBufferSize = 1024;
    // The most read from the port in one call.
    static constexpr std::size_t kReceiveBufferSize = 1024;
    static constexpr unsigned kStopLimitMs = 5000;

    explicit LComm(ILinkOwner* owner);
    LComm(const LComm&) = delete;
    LComm& operator=(const LComm&) = delete;
    virtual ~LComm();

    // Opens port n (1 to 98: "COMn", from 10 on "\\.\COMn") at the given rate (1200 to 128000),
    // data bits, parity (0 none) and stop bits (0 one), then starts the worker. False, with
    // nothing open, for a number or rate out of range, a port that is not listed, taken or
    // refuses the settings, or when the link is already open.
    virtual bool OpenLink(int port, std::uint32_t baud, std::uint8_t byteSize, std::uint8_t parity,
                          std::uint8_t stopBits);
    virtual void CloseLink();
    virtual void SendBytes(const std::uint8_t* data, std::size_t length);
    virtual void SendBytes(const std::vector<std::uint8_t>& frame);
    virtual void OnByte(std::uint8_t byte);
    virtual void NotifyLinkState(int code, int param);
    virtual void SetWaitTimeout(unsigned ms) { FWaitTimeout = ms; }

    unsigned GetWaitTimeout() const { return FWaitTimeout; }
    void SetMaxResends(int count) { FMaxResends = count; }
    int GetMaxResends() const { return FMaxResends; }
    // Extra rewrites at the next time-outs, before any resend is counted.
    void SetRepeatCount(int count) { FRepeatCount = count; }
    bool IsOpen() const { return FOpen; }

    void SetWriteLog(TTrafficLog log) { writeLog_ = std::move(log); }
    void SetReadLog(TTrafficLog log) { readLog_ = std::move(log); }

    // The name under which port n is opened.
    static std::string PortName(int port);
    // The line's rate as the port reports it now.
    std::uint32_t CurrentBaudRate() const { return port_.CurrentBaudRate(); }

    TCriticalSection& Lock() { return lock_; }

    // Rewrites done since the last frame went out, counted for every serial link together.
    static std::atomic<std::int8_t> CommResendCount;

protected:
    void ThreadProc();
    // Reads what waits on the port and hands it to OnByte; false on a port error.
    bool ReadAvailable();
    void WriteTransmitBuffer();
    void CloseHandles();

    ILinkOwner* FOwner;
    TCriticalSection lock_;
    LLinkWorker worker_;
    std::atomic<bool> FOpen{false};
    SerialPort port_;
    std::unique_ptr<TEvent> FQuitEvent;
    std::unique_ptr<TEvent> FSendEvent;
    std::array<std::uint8_t, kTransmitBufferSize> FTransmitBuffer{};
    std::size_t FTransmitLength = 0;
    std::atomic<unsigned> FWaitTimeout{800};
    std::atomic<int> FMaxResends{2};
    std::atomic<int> FRepeatCount{0};
    TTrafficLog writeLog_;
    TTrafficLog readLog_;
};

// The serial transport: frames always assembled (a length byte of 0 completes at 8 bytes), the
// keep-alive sets a 2000 ms wait, every reply is logged, and a reply that comes while the line
// does not run at 115200 goes out as WM_LINK_REPLY_ALT, which no window handles.
class LCommProc : public LFramedTransport<LComm> {
public:
    explicit LCommProc(ILinkOwner* owner, int deviceId = 1);
    ~LCommProc() override;

    bool OpenLink(int port, std::uint32_t baud, std::uint8_t byteSize, std::uint8_t parity,
                  std::uint8_t stopBits) override;
    void CloseLink() override;

protected:
    unsigned ReplyMessage() override;
    void LogReply(const std::vector<std::uint8_t>& frame) override;
};

}  // namespace dsp
