// One short-lived connection of the media file channel. Blocking; it lives
// on the thread that runs the command and never carries a second command.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTcpSocket>

class MediaConnection
{
public:
    enum class Read { Data, TimedOut, Closed };

    MediaConnection() = default;
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
    // Returns false on time-out, close or an answer larger than cap; header
    // gets the JSON text, rest the bytes that followed the terminator.
    bool readHeader(int waitMs, int cap, QByteArray *header, QByteArray *rest);
    // Up to max bytes, waiting up to waitMs when none are buffered.
    Read readSome(qint64 max, int waitMs, QByteArray *out);

    void close();

private:
    QTcpSocket m_socket;
};
