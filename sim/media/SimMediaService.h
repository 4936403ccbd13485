// Simulator side of the media file channel: a JSON-over-TCP
// file service backed by a real directory tree on disk.
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class SimMediaServicePrivate;

class SimMediaService : public QObject
{
    Q_OBJECT
public:
    // Empty root = create a temporary directory seeded with sample media.
    explicit SimMediaService(const QString &mediaRoot, QObject *parent = nullptr);
    ~SimMediaService() override;

    // Port 0 = any free port.
    bool listen(const QHostAddress &address, quint16 port);
    quint16 port() const;
    QString errorString() const;

    // Run-time fault injection from the simulator's control channel; returns
    // a one-line reply starting "ok" or "error".
    QString control(const QStringList &args);

    // Absolute path of the media root being served.
    QString mediaRoot() const;
    // Also serves localDir under the absolute server path serverDir.
    void mapDirectory(const QString &serverDir, const QString &localDir);

private:
    std::unique_ptr<SimMediaServicePrivate> d;
};
