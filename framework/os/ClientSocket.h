#pragma once
// TClientSocket: the framework's non-blocking TCP client. It connects to a dotted IPv4 address
// and port; its events (OnConnecting, OnConnect, OnRead, OnDisconnect, OnError) arrive on the UI
// thread. SendBuf may be called from any thread. The end of the stream closes the socket and
// raises OnDisconnect; it is never offered as a read of 0 bytes. Writing to a connection the
// peer has closed raises no signal.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"

namespace dsp {

enum TErrorEvent { eeGeneral, eeSend, eeReceive, eeConnect, eeDisconnect, eeAccept, eeLookup };

class TClientSocket;

// The connection of a client socket, as its event handlers see it.
class TCustomWinSocket {
public:
    // UI thread, in OnRead: copies up to count waiting bytes into buffer; the count copied (0
    // when nothing waits), or -1 after an error (reported through OnError, the socket closes).
    int ReceiveBuf(void* buffer, int count);
    // Any thread: sends count bytes; the count sent (0 when the socket is not connected or the
    // line is full), or -1 after an error: OnError runs on the calling thread and the socket
    // closes.
    int SendBuf(const void* buffer, int count);
    // The dotted address of the peer while connected, else the address connected to.
    std::string RemoteAddress() const;
    bool Connected() const;

private:
    friend class TClientSocket;
    explicit TCustomWinSocket(TClientSocket& owner) : owner_(owner) {}
    TClientSocket& owner_;
};

using TSocketNotifyEvent = std::function<void(TObject* sender, TCustomWinSocket* socket)>;
// errorCode starts as the system's error number; a handler that sets it to 0 takes the error,
// otherwise ESocketError is raised.
using TSocketErrorEvent = std::function<void(TObject* sender, TCustomWinSocket* socket,
                                             TErrorEvent errorEvent, int& errorCode)>;

class ESocketError : public Exception {
public:
    using Exception::Exception;
};

class TClientSocket : public TComponent {
public:
    explicit TClientSocket(TComponent* owner);
    ~TClientSocket() override;

    const std::string& Address() const { return address_; }
    void SetAddress(const std::string& address) { address_ = address; }
    int Port() const { return port_; }
    void SetPort(int port) { port_ = port; }

    // Setting Active opens (starts connecting) or closes the connection. UI thread.
    bool Active() const;
    void SetActive(bool value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }

    TCustomWinSocket* Socket() { return &socket_; }

    void SetOnConnecting(TSocketNotifyEvent handler) { onConnecting_ = std::move(handler); }
    void SetOnConnect(TSocketNotifyEvent handler) { onConnect_ = std::move(handler); }
    void SetOnRead(TSocketNotifyEvent handler) { onRead_ = std::move(handler); }
    void SetOnDisconnect(TSocketNotifyEvent handler) { onDisconnect_ = std::move(handler); }
    void SetOnError(TSocketErrorEvent handler) { onError_ = std::move(handler); }

private:
    friend class TCustomWinSocket;
    struct Watch;

    void Connect();
    void Notify(const std::function<void()>& handler);
    bool Broken() const;
    void Disconnect(bool raiseEvent);
    void OnWritable();
    void OnReadable();
    // Raises OnError; when the handler leaves the code, ESocketError (thrown on the UI thread,
    // handed to the unexpected-exception handler elsewhere).
    void Error(TErrorEvent event, int code, bool onUiThread);

    std::string address_;
    int port_ = 0;
    TCustomWinSocket socket_{*this};
    mutable std::mutex mutex_;  // the handle and the connected state, for SendBuf
    int fd_ = -1;
    bool connected_ = false;
    bool broken_ = false;  // a send failed: the UI loop closes it
    bool active_ = false;
    std::unique_ptr<Watch> watch_;
    TSocketNotifyEvent onConnecting_, onConnect_, onRead_, onDisconnect_;
    TSocketErrorEvent onError_;
};

}  // namespace dsp
