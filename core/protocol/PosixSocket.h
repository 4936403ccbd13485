#pragma once

#include <QByteArray>

#include <atomic>
#include <cstdint>

// The thin socket layer under the DBP connection: IPv4 TCP, a connect with a
// time limit, timed waits for data and non-blocking drains.
class PosixSocket
{
public:
    PosixSocket() = default;
    ~PosixSocket() { close(); }
    PosixSocket(const PosixSocket &) = delete;
    PosixSocket &operator=(const PosixSocket &) = delete;

    // Connects to address:port (host byte order) within timeoutMs.
    // Returns false on refusal, time-out or any error.
    bool connectTo(uint32_t address, uint16_t port, int timeoutMs);
    bool isOpen() const { return m_fd.load() >= 0; }
    void close();

    enum class Wait { Readable, TimedOut, Error };
    Wait waitReadable(int timeoutMs) const;

    // Reads what is available without blocking. Returns the number of bytes
    // read, 0 when nothing is waiting, -1 on error or orderly close by the peer.
    qsizetype readAvailable(char *buffer, qsizetype capacity) const;

    // Sends the whole text (no SIGPIPE on a closed peer). False on failure.
    bool sendAll(const char *data, qsizetype length) const;

    // Parses dotted IPv4 text; false for anything else.
    static bool parseIPv4(const QByteArray &text, uint32_t &address);

private:
    std::atomic<int> m_fd{-1};
};
