#pragma once

#include "media/MediaTimeouts.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>
#include <mutex>
#include <memory>

// Moves a backup file between the server's file service and this computer:
// the download of a written backup and the upload of a file to restore, each
// one GetFile or PostFile of the media file channel on its own connection.
// It runs on its own thread (BackupTransferThread), so a large backup never
// holds the GUI thread, and computes the file's MD5 digest from the bytes as
// they pass, so the file is not read a second time.
class BackupTransfer : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 kPiece = 256 * 1024;

    explicit BackupTransfer(QObject *parent = nullptr);

    void setTimeouts(const MediaTimeouts &timeouts);

    // Fetches serverPath into localPath. The bytes go to a temporary file
    // beside localPath that replaces it only when every byte has arrived,
    // so a failed or interrupted download leaves nothing behind.
    Q_INVOKABLE void download(int id, const QString &host, int port, const QString &serverPath,
                              const QString &localPath);
    // Sends localPath as serverPath; done only when the server has confirmed
    // it holds the whole file.
    Q_INVOKABLE void upload(int id, const QString &host, int port, const QString &localPath,
                            const QString &serverPath);

signals:
    void progress(int id, qint64 done, qint64 total);
    void downloaded(int id, const QByteArray &md5Hex);
    void uploaded(int id, const QByteArray &md5Hex);
    void failed(int id, const QString &reason);

private:
    int nextSeq() { return m_seq.fetch_add(1); }
    MediaTimeouts timeouts() const;

    std::atomic<int> m_seq{1};
    mutable std::mutex m_lock; // the time-outs
    MediaTimeouts m_timeouts;
};

// Owns the transfer object and its plain thread; destruction quits the
// thread, waits for a running transfer and deletes the object.
class BackupTransferThread
{
public:
    BackupTransferThread();
    ~BackupTransferThread();
    BackupTransferThread(const BackupTransferThread &) = delete;
    BackupTransferThread &operator=(const BackupTransferThread &) = delete;

    BackupTransfer *transfer() const { return m_transfer.get(); }

private:
    QThread m_thread;
    std::unique_ptr<BackupTransfer> m_transfer;
};
