// One short-lived connection of the media file channel. Blocking; it lives
// on the thread that runs the command and never carries a second command.
// Every wait is cut into short slices and ends early once the stop flag it
// was given is set, so a worker asked to stop is never held by a slow or
// silent server.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QTcpSocket>

#include <atomic>

class MediaConnection
{
public:
    enum class Read { Data, TimedOut, Closed, Stopped };

    explicit MediaConnection(const std::atomic<bool> *stop = nullptr)
        : m_stop(stop)
    {
    }
    MediaConnection(const MediaConnection &) = delete;
    MediaConnection &operator=(const MediaConnection &) = delete;

    // Waits up to connectMs; a failed connection shows up later as a missing
    // answer, exactly as a server that does not answer.
    bool open(const QString &host, quint16 port, int connectMs);
    // Writes all bytes; with waitMs > 0 waits until they are handed to the
    // network (the worker has no event loop running during a command).
    bool write(const QByteArray &bytes, int waitMs);

    // Single read: one wait, then whatever has arrived (empty = no answer).
    QByteArray readOnce(int waitMs);
    // Reads until the terminator is in the data, each wait up to waitMs.
    // Returns false on time-out, close, stop or an answer larger than cap;
    // header gets the JSON text, rest the bytes that followed the terminator.
    bool readHeader(int waitMs, int cap, QByteArray *header, QByteArray *rest);
    // Up to max bytes, waiting up to waitMs when none are buffered.
    Read readSome(qint64 max, int waitMs, QByteArray *out);

    bool stopped() const { return m_stop && m_stop->load(); }
    void close();

private:
    bool connectTo(const QList<QHostAddress> &addresses, quint16 port, int connectMs);

    const std::atomic<bool> *m_stop;
    QTcpSocket m_socket;
};
