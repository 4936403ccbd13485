// A 200 MB backup fetched from the simulator's file service the way the
// system-setting page fetches it (its own thread, MD5 taken while the bytes
// arrive), with the GUI thread's longest pause measured by a 10 ms timer.
// Prints the download-plus-digest throughput beside the loopback
// throughput of the same run.
#include "BenchSupport.h"
#include "managers/serverconfig/OvServerConfigMgr.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

constexpr qint64 kFileBytes = 200LL * 1024 * 1024;

QString readLine(QProcess &p, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!p.canReadLine() && t.elapsed() < timeoutMs)
        p.waitForReadyRead(100);
    return QString::fromUtf8(p.readLine()).trimmed();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QString program = qEnvironmentVariable("TALKBACK_SIM");
    if (program.isEmpty())
        program = QStringLiteral(TALKBACK_SIM_PATH);
    QProcess sim;
    sim.start(program, {"--port", "0", "--media-port", "0"});
    const QRegularExpressionMatch started =
        QRegularExpression(QStringLiteral("media=(\\d+)")).match(readLine(sim, 20000));
    if (!started.hasMatch()) {
        std::fprintf(stderr, "the simulator did not start\n");
        return 1;
    }
    const quint16 mediaPort = quint16(started.captured(1).toUInt());
    sim.write("backup dir\n");
    const QString dir = readLine(sim, 10000).mid(3);

    // The backup as the server would have written it.
    const QString name = QStringLiteral("OVN_bench.backup");
    QCryptographicHash written(QCryptographicHash::Md5);
    {
        QFile f(dir + QLatin1Char('/') + name);
        if (!f.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
            return 1;
        }
        QByteArray block(1024 * 1024, '\0');
        for (qint64 i = 0; i < kFileBytes / block.size(); ++i) {
            for (int j = 0; j < block.size(); j += 4096)
                block[j] = char(i + j);
            f.write(block);
            written.addData(block);
        }
    }

    QTemporaryDir local;
    OvServerConfigMgr mgr(nullptr);
    mgr.setFileEndpoint(QStringLiteral("127.0.0.1"), mediaPort);

    QElapsedTimer gapClock;
    qint64 longestGapMs = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGapMs = qMax(longestGapMs, gapClock.restart());
    });

    QEventLoop loop;
    bool ok = false;
    QObject::connect(&mgr, &OvServerConfigMgr::downloadFinish, [&] { ok = true; loop.quit(); });
    QObject::connect(&mgr, &OvServerConfigMgr::transferFailed, [&](const QString &why) {
        std::fprintf(stderr, "download failed: %s\n", qPrintable(why));
        loop.quit();
    });
    QElapsedTimer total;
    total.start();
    gapClock.start();
    ticker.start(10);
    mgr.fetchBackup(QStringLiteral("/tmp/databackup/") + name, local.filePath(name));
    loop.exec();
    const qint64 elapsed = total.nsecsElapsed();
    ticker.stop();
    if (!ok)
        return 1;
    const bool digestOk = mgr.downloadedMd5() == written.result().toHex();
    const double mbps = double(kFileBytes) / (1024.0 * 1024.0) / (double(elapsed) / 1e9);
    const double loopback = bench::loopbackMBps(kFileBytes);
    // The digest alone over the same amount, in memory: the ceiling any
    // download that checks its MD5 can reach on this machine.
    QElapsedTimer md5Clock;
    md5Clock.start();
    QCryptographicHash alone(QCryptographicHash::Md5);
    const QByteArray chunk(1024 * 1024, 'x');
    for (qint64 i = 0; i < kFileBytes / chunk.size(); ++i)
        alone.addData(chunk);
    const double md5Mbps = double(kFileBytes) / (1024.0 * 1024.0) / (double(md5Clock.nsecsElapsed()) / 1e9);
    std::printf("backup download + MD5: %lld MB in %.1f ms = %.1f MB/s (digest %s)\n",
                kFileBytes / (1024 * 1024), bench::ms(elapsed), mbps, digestOk ? "matches" : "DIFFERS");
    std::printf("loopback socket pair, same run: %.1f MB/s; ratio %.2f (at least 0.50 wanted)\n", loopback,
                mbps / loopback);
    std::printf("MD5 alone in memory: %.1f MB/s\n", md5Mbps);
    std::printf("longest gap of the GUI thread's 10 ms timer: %lld ms (at most 50 wanted)\n", longestGapMs);
    std::printf("peak resident memory: %ld MB\n", bench::peakRssMb());
    sim.closeWriteChannel();
    sim.waitForFinished(5000);
    return digestOk ? 0 : 1;
}
