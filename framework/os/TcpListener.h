#pragma once
// A blocking-with-time-out TCP server endpoint for tools and tests that play the far end of
// the network link: listen on one IPv4 address, take connections, move bytes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dsp {

class TcpConnection {
public:
    explicit TcpConnection(int handle);
    TcpConnection(const TcpConnection&) = delete;
    TcpConnection& operator=(const TcpConnection&) = delete;
    ~TcpConnection();

    // Waits at most timeoutMs; the bytes that came (empty on time-out). closed is set when the
    // peer ended the connection or it failed.
    std::vector<std::uint8_t> Read(int timeoutMs, bool& closed);
    // Sends every byte; false when the connection is gone.
    bool Write(const std::uint8_t* data, std::size_t length);
    bool Write(const std::vector<std::uint8_t>& bytes) { return Write(bytes.data(), bytes.size()); }
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

class TcpListener {
public:
    TcpListener() = default;
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;
    ~TcpListener();

    // Listens on a dotted IPv4 address and port (0: any free port). False when the address is
    // not dotted IPv4 or cannot be bound.
    bool Listen(const std::string& address, std::uint16_t port);
    void Close();
    // The port actually bound.
    std::uint16_t Port() const { return port_; }
    // Waits at most timeoutMs for a connection; null on time-out.
    std::unique_ptr<TcpConnection> Accept(int timeoutMs);

private:
    int fd_ = -1;
    std::uint16_t port_ = 0;
};

// Splits "ADDR:PORT" (dotted IPv4 and a decimal port); false when it is not of that form.
bool ParseAddressAndPort(const std::string& text, std::string& address, std::uint16_t& port);

}  // namespace dsp
