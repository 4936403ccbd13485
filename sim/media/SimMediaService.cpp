#include "SimMediaService.h"

#include "SimMediaFaults.h"
#include "SimMediaSeed.h"
#include "SimMediaSession.h"
#include "SimMediaStore.h"

#include <QDir>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

class SimMediaServicePrivate
{
public:
    std::unique_ptr<QTemporaryDir> tempDir;
    std::unique_ptr<SimMediaStore> store;
    QTcpServer server;
    SimMediaFaults faults;
    QString error;
    int requests = 0;
};

QString SimMediaFaults::summary() const
{
    return QStringLiteral("noanswer=%1 split=%2/%3 stall=%4 close=%5")
        .arg(noAnswer.isEmpty() ? QStringLiteral("off") : noAnswer)
        .arg(splitSize)
        .arg(splitDelayMs)
        .arg(stallAt)
        .arg(closeAt);
}

SimMediaService::SimMediaService(const QString &mediaRoot, QObject *parent)
    : QObject(parent)
    , d(std::make_unique<SimMediaServicePrivate>())
{
    QString root = mediaRoot;
    if (root.isEmpty()) {
        d->tempDir = std::make_unique<QTemporaryDir>();
        root = d->tempDir->path();
        if (!d->tempDir->isValid() || !SimMediaSeed::populate(root))
            d->error = QStringLiteral("cannot seed the media store in %1").arg(root);
    } else if (!QDir().mkpath(root)) {
        d->error = QStringLiteral("cannot create the media root %1").arg(root);
    }
    d->store = std::make_unique<SimMediaStore>(root);
    connect(&d->server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = d->server.nextPendingConnection()) {
            auto *session = new SimMediaSession(
                socket, *d->store, [this] { return d->faults; }, this);
            connect(session, &SimMediaSession::requestReceived, this, [this] { ++d->requests; });
        }
    });
}

SimMediaService::~SimMediaService() = default;

bool SimMediaService::listen(const QHostAddress &address, quint16 port)
{
    if (!d->error.isEmpty())
        return false;
    if (!d->server.listen(address, port)) {
        d->error = d->server.errorString();
        return false;
    }
    return true;
}

quint16 SimMediaService::port() const
{
    return d->server.serverPort();
}

QString SimMediaService::errorString() const
{
    return d->error;
}

QString SimMediaService::mediaRoot() const
{
    return d->store->root();
}

void SimMediaService::mapDirectory(const QString &serverDir, const QString &localDir)
{
    d->store->mapDirectory(serverDir, localDir);
}

namespace {

bool toNumber(const QString &text, qint64 *out)
{
    bool ok = false;
    *out = text.toLongLong(&ok);
    return ok && *out >= 0;
}

bool isOff(const QStringList &args)
{
    return args.size() >= 2 && args.at(1) == QLatin1String("off");
}

} // namespace

QString SimMediaService::control(const QStringList &args)
{
    const QString usage = QStringLiteral(
        "error usage: media noanswer [COMMAND|*|off] | split SIZE [DELAY_MS] | split off | "
        "stall BYTES | stall off | close BYTES | close off | clear | status | root | requests");
    if (args.isEmpty())
        return usage;
    const QString verb = args.at(0);
    SimMediaFaults &f = d->faults;
    qint64 n = 0;
    if (verb == QLatin1String("noanswer")) {
        f.noAnswer = isOff(args) ? QString() : args.value(1, QStringLiteral("*"));
    } else if (verb == QLatin1String("split")) {
        if (isOff(args)) {
            f.splitSize = 0;
        } else {
            qint64 delay = 20;
            if (args.size() < 2 || !toNumber(args.at(1), &n) || n == 0 || n > 1 << 20
                || (args.size() > 2 && (!toNumber(args.at(2), &delay) || delay > 60000)))
                return usage;
            f.splitSize = static_cast<int>(n);
            f.splitDelayMs = static_cast<int>(delay);
        }
    } else if (verb == QLatin1String("stall") || verb == QLatin1String("close")) {
        qint64 &at = verb == QLatin1String("stall") ? f.stallAt : f.closeAt;
        if (isOff(args))
            at = -1;
        else if (args.size() >= 2 && toNumber(args.at(1), &n))
            at = n;
        else
            return usage;
    } else if (verb == QLatin1String("clear")) {
        f = SimMediaFaults();
    } else if (verb == QLatin1String("root")) {
        return QStringLiteral("ok ") + d->store->root();
    } else if (verb == QLatin1String("requests")) {
        return QStringLiteral("ok %1").arg(d->requests);
    } else if (verb != QLatin1String("status")) {
        return usage;
    }
    return QStringLiteral("ok ") + f.summary();
}
