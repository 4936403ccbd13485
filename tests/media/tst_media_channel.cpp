// The console's media channel end to end against the simulator's file
// service over loopback: worker queue, every command, and the service's
// faults (no answer, split answers, stalled and cut downloads).
#include "MediaServiceThread.h"

#include "media/OvCFtpClient.h"
#include "media/OvFtpClientMgr.h"
#include "media/TcpSocketClient.h"
#include "media/TcpSocketClientThread.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

constexpr int kWait = 10000;

QByteArray pattern(int size, char seed)
{
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = static_cast<char>(seed + i * 7 % 251);
    return b;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList names(const QList<OvMediaFile_t> &list)
{
    QStringList out;
    for (const OvMediaFile_t &e : list)
        out << (e.isDir ? QStringLiteral("D:") : QStringLiteral("F:")) + e.name;
    return out;
}

} // namespace

// Stands in for the media screen's view: receives the listing pointer.
class ListingView : public QObject
{
    Q_OBJECT
public:
    QStringList seen;
public slots:
    void getDirListFinished(QList<OvMediaFile_t> *list)
    {
        std::lock_guard<std::mutex> lock(OvCFtpClient::listMutex());
        seen = names(*list);
    }
};

// The worker raises its signals on its own thread; spies watch this relay
// on the test's thread, so every signal arrives through the event loop that
// QSignalSpy::wait runs and none can slip in before the wait starts.
class Relay : public QObject
{
    Q_OBJECT
public:
    Relay(TcpSocketClient *worker, OvCFtpClient *client)
    {
        connect(worker, &TcpSocketClient::socketUpdateMedia, this, &Relay::socketUpdateMedia);
        connect(worker, &TcpSocketClient::updateProgressIndicator, this,
                &Relay::updateProgressIndicator);
        connect(worker, &TcpSocketClient::updateRecordDownloadMsgTip, this,
                &Relay::updateRecordDownloadMsgTip);
        connect(worker, &TcpSocketClient::socketGetMediaPath, this, &Relay::socketGetMediaPath);
        connect(worker, &TcpSocketClient::ftpError, this, &Relay::ftpError);
        connect(client, &OvCFtpClient::mediaListReady, this, &Relay::mediaListReady,
                Qt::QueuedConnection);
    }
signals:
    void socketUpdateMedia();
    void updateProgressIndicator(int id, int size, int status);
    void updateRecordDownloadMsgTip(QString filename, int percent, int status);
    void socketGetMediaPath(QString path);
    void ftpError(int code, QString path, int status);
    void mediaListReady(QList<OvMediaFile_t> list);
};

class TestMediaChannel : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void rootAndListing();
    void taskListingRunsOnCaller();
    void downloads_data();
    void downloads();
    void downloadOfMissingFileLeavesNothing();
    void uploadIsListedBehindIt();
    void uploadsDoNotInterleave();
    void uploadOfUnreadableFileIsRefused();
    void edits();
    void deleteDirChecksSubDirectories();
    void noAnswer_data();
    void noAnswer();
    void splitAnswers();
    void brokenDownloads_data();
    void brokenDownloads();
    void recordingEndpoint_data();
    void recordingEndpoint();
    void stopEndsTheRunningDownload_data();
    void stopEndsTheRunningDownload();

private:
    void fetchRoot();
    QString path(const QString &below) const { return m_root + QLatin1Char('/') + below; }

    std::unique_ptr<MediaServiceThread> m_service;
    std::unique_ptr<TcpSocketClientThread> m_thread;
    std::unique_ptr<OvFtpClientMgr> m_mgr;
    std::unique_ptr<Relay> m_relay;
    TcpSocketClient *m_worker = nullptr;
    QString m_root;
    std::unique_ptr<QTemporaryDir> m_localDir;
    QString localFile(const QString &name) const { return m_localDir->filePath(name); }
};

void TestMediaChannel::init()
{
    m_localDir = std::make_unique<QTemporaryDir>();
    m_service = std::make_unique<MediaServiceThread>();
    QVERIFY2(m_service->listening(), qPrintable(m_service->error()));
    m_thread = std::make_unique<TcpSocketClientThread>();
    m_worker = m_thread->client();
    MediaTimeouts t;
    t.connectShort = t.connectList = t.connectGet = 5000;
    t.answerShort = 400;
    t.answerLong = 600;
    t.uploadPieceDelay = 1;
    m_worker->setTimeouts(t);
    m_worker->setServer(QStringLiteral("127.0.0.1"), m_service->port());
    m_mgr = std::make_unique<OvFtpClientMgr>(m_worker);
    m_relay = std::make_unique<Relay>(m_worker, m_mgr->client());
    fetchRoot();
}

void TestMediaChannel::cleanup()
{
    m_relay.reset();
    m_mgr.reset();
    m_thread.reset();
    m_service.reset();
}

void TestMediaChannel::fetchRoot()
{
    QSignalSpy root(m_relay.get(), &Relay::socketGetMediaPath);
    FtpWorkItem item;
    item.kind = FtpWorkItem::GetFileRoot;
    m_worker->enqueue(item);
    QVERIFY(root.wait(kWait));
    m_root = root.at(0).at(0).toString();
    QCOMPARE(m_root, m_service->root());
    QCOMPARE(m_worker->mediaRoot(), m_root);
}

void TestMediaChannel::rootAndListing()
{
    ListingView view;
    m_mgr->client()->setMediaView(&view);
    QSignalSpy ready(m_relay.get(), &Relay::mediaListReady);
    QCOMPARE(m_mgr->listMedia(m_root), 0);
    QVERIFY(ready.wait(kWait));
    const auto list = ready.at(0).at(0).value<QList<OvMediaFile_t>>();
    // The store sends entries sorted by byte order of the names, interleaved;
    // the console shows directories first, Chinese names in pinyin order.
    // (The Chinese collation puts Han names before Latin ones.)
    QCOMPARE(names(list), QStringList({"D:背景音乐", "D:铃声", "D:Announcements", "D:media",
                                       "F:广播通知.mp3", "F:test tone.wav"}));
    const OvMediaFile_t &file = list.at(5);
    QCOMPARE(file.fullName, path(QStringLiteral("test tone.wav")));
    QCOMPARE(file.path, m_root + QLatin1Char('/'));
    QCOMPARE(file.size, QString::number(QFileInfo(file.fullName).size()));
    QVERIFY(!file.createDate.isEmpty());
    QCOMPARE(names(m_worker->mediaList()), names(list));
    QTRY_COMPARE_WITH_TIMEOUT(view.seen, names(list), kWait);
}

void TestMediaChannel::taskListingRunsOnCaller()
{
    QCOMPARE(m_mgr->listTaskMedia(path(QStringLiteral("背景音乐"))), 0);
    // Synchronous: the result is there when the call returns.
    QCOMPARE(names(m_worker->taskMediaList()), QStringList({"F:安静.wav", "F:晨曲.mp3"}));
    {
        std::lock_guard<std::mutex> lock(OvCFtpClient::listMutex());
        QCOMPARE(names(*m_mgr->client()->taskMediaListCopy()), names(m_worker->taskMediaList()));
    }
    QVERIFY(m_worker->mediaList().isEmpty());
}

void TestMediaChannel::downloads_data()
{
    QTest::addColumn<QString>("below");
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("olderCopy"); // already on this PC; empty: none
    QTest::newRow("media file, several pieces") << "Announcements/big.mp3" << 300000 << QByteArray();
    QTest::newRow("empty file") << "Announcements/empty.mp3" << 0 << QByteArray();
    QTest::newRow("recording") << "media/talk_record_file/r1.wav" << 5000 << QByteArray();
    QTest::newRow("replaces an older copy") << "Announcements/big.mp3" << 300000
                                            << pattern(400000, 11);
    QTest::newRow("empty file replaces an older copy") << "Announcements/empty.mp3" << 0
                                                       << QByteArray("older");
}

void TestMediaChannel::downloads()
{
    QFETCH(QString, below);
    QFETCH(int, size);
    QFETCH(QByteArray, olderCopy);
    const QByteArray content = pattern(size, 3);
    QVERIFY(writeFile(path(below), content));
    const QString local = localFile(QStringLiteral("got"));
    if (!olderCopy.isEmpty())
        QVERIFY(writeFile(local, olderCopy));
    const bool recording = below.startsWith(QLatin1String("media/"));
    QSignalSpy progress(m_relay.get(), &Relay::updateProgressIndicator);
    QSignalSpy tip(m_relay.get(), &Relay::updateRecordDownloadMsgTip);
    QCOMPARE(m_mgr->download(path(below), local, 42), 0);
    if (recording) {
        QTRY_VERIFY_WITH_TIMEOUT(!tip.isEmpty() && tip.last().at(2).toInt() == 1, kWait);
        QCOMPARE(tip.last(), QVariantList({QStringLiteral("r1.wav"), 100, 1}));
        QVERIFY(progress.isEmpty());
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty() && progress.last().at(1).toInt() == size,
                                 kWait);
        QCOMPARE(progress.last(), QVariantList({42, size, 0}));
        int previous = -1;
        for (const QVariantList &s : progress) {
            QVERIFY(s.at(1).toInt() > previous);
            previous = s.at(1).toInt();
        }
        QVERIFY(tip.isEmpty());
    }
    QCOMPARE(readFile(local), content);
    QVERIFY(!QFile::exists(local + QStringLiteral(".part")));
}

void TestMediaChannel::downloadOfMissingFileLeavesNothing()
{
    const QString local = localFile(QStringLiteral("missing"));
    QSignalSpy progress(m_relay.get(), &Relay::updateProgressIndicator);
    QCOMPARE(m_mgr->download(path(QStringLiteral("nope.mp3")), local, 5), 0);
    QVERIFY(progress.wait(kWait));
    QCOMPARE(progress.last(), QVariantList({5, 0, -1}));
    QVERIFY(!QFile::exists(local));
}

void TestMediaChannel::uploadIsListedBehindIt()
{
    const QByteArray content = pattern(20000, 9);
    const QString local = localFile(QStringLiteral("上传 文件.mp3"));
    QVERIFY(writeFile(local, content));
    QSignalSpy progress(m_relay.get(), &Relay::updateProgressIndicator);
    QSignalSpy ready(m_relay.get(), &Relay::mediaListReady);
    const QString target = path(QStringLiteral("背景音乐/上传 文件.mp3"));
    QCOMPARE(m_mgr->upload(local, target, 7), 0);
    QVERIFY(ready.wait(kWait));
    QCOMPARE(progress.last(), QVariantList({7, 20000, 0}));
    QCOMPARE(progress.size(), 3); // 8,192 + 8,192 + the confirmed whole
    const auto list = ready.at(0).at(0).value<QList<OvMediaFile_t>>();
    QVERIFY(names(list).contains(QStringLiteral("F:上传 文件.mp3")));
    QCOMPARE(readFile(target), content);
}

void TestMediaChannel::uploadsDoNotInterleave()
{
    QVERIFY(writeFile(localFile(QStringLiteral("a.mp3")), pattern(50000, 1)));
    QVERIFY(writeFile(localFile(QStringLiteral("b.mp3")), pattern(40000, 2)));
    QSignalSpy progress(m_relay.get(), &Relay::updateProgressIndicator);
    QCOMPARE(m_mgr->upload(localFile(QStringLiteral("a.mp3")), path(QStringLiteral("a.mp3")), 1), 0);
    QCOMPARE(m_mgr->upload(localFile(QStringLiteral("b.mp3")), path(QStringLiteral("b.mp3")), 2), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty() && progress.last() == QVariantList({2, 40000, 0}),
                             kWait);
    QList<int> ids;
    for (const QVariantList &s : progress)
        ids << s.at(0).toInt();
    const int firstTwo = ids.indexOf(2);
    QVERIFY(firstTwo > 0);
    QVERIFY(!ids.mid(firstTwo).contains(1));
    QCOMPARE(progress.at(firstTwo - 1), QVariantList({1, 50000, 0}));
    QCOMPARE(readFile(path(QStringLiteral("a.mp3"))), pattern(50000, 1));
}

void TestMediaChannel::uploadOfUnreadableFileIsRefused()
{
    QSignalSpy progress(m_relay.get(), &Relay::updateProgressIndicator);
    QCOMPARE(m_mgr->upload(localFile(QStringLiteral("gone.mp3")),
                           path(QStringLiteral("gone.mp3")), 3),
             0);
    QVERIFY(progress.wait(kWait));
    QCOMPARE(progress.last(), QVariantList({3, 0, -1}));
    QVERIFY(!QFile::exists(path(QStringLiteral("gone.mp3"))));
}

void TestMediaChannel::edits()
{
    QSignalSpy update(m_relay.get(), &Relay::socketUpdateMedia);
    QSignalSpy errors(m_relay.get(), &Relay::ftpError);
    QCOMPARE(m_mgr->makeDir(path(QStringLiteral("背景音乐/新目录"))), 0);
    QVERIFY(update.wait(kWait));
    QVERIFY(QFileInfo(path(QStringLiteral("背景音乐/新目录"))).isDir());

    QSignalSpy ready(m_relay.get(), &Relay::mediaListReady);
    QCOMPARE(m_mgr->rename(path(QStringLiteral("背景音乐/晨曲.mp3")),
                           path(QStringLiteral("背景音乐/早晨.mp3")), false), 0);
    QCOMPARE(m_mgr->rename(path(QStringLiteral("背景音乐/新目录")),
                           path(QStringLiteral("背景音乐/改名目录")), true), 0);
    QCOMPARE(m_mgr->rename(path(QStringLiteral("Announcements")), path(QStringLiteral("Notices")),
                           true), 0);
    QCOMPARE(m_mgr->deleteFile(path(QStringLiteral("test tone.wav"))), 0);
    QCOMPARE(m_mgr->listMedia(m_root), 0); // runs after all of the above
    QVERIFY(ready.wait(kWait));
    QVERIFY(errors.isEmpty());
    QVERIFY(QFile::exists(path(QStringLiteral("背景音乐/早晨.mp3"))));
    QVERIFY(!QFile::exists(path(QStringLiteral("背景音乐/晨曲.mp3"))));
    QVERIFY(QFileInfo(path(QStringLiteral("背景音乐/改名目录"))).isDir());
    QVERIFY(QFileInfo(path(QStringLiteral("Notices/welcome.mp3"))).isFile());
    QCOMPARE(names(ready.last().at(0).value<QList<OvMediaFile_t>>()),
             QStringList({"D:背景音乐", "D:铃声", "D:media", "D:Notices", "F:广播通知.mp3"}));
}

void TestMediaChannel::deleteDirChecksSubDirectories()
{
    QSignalSpy errors(m_relay.get(), &Relay::ftpError);
    QCOMPARE(m_mgr->deleteDir(path(QStringLiteral("media"))), 0);
    QVERIFY(errors.wait(kWait));
    QCOMPARE(errors.last(), QVariantList({3, QStringLiteral("media"), 1}));
    QVERIFY(QFileInfo(path(QStringLiteral("media/talk_record_file"))).isDir());

    // Only files inside: the directory goes, files and all.
    QSignalSpy ready(m_relay.get(), &Relay::mediaListReady);
    QCOMPARE(m_mgr->deleteDir(path(QStringLiteral("背景音乐"))), 0);
    QCOMPARE(m_mgr->listMedia(m_root), 0);
    QVERIFY(ready.wait(kWait));
    QCOMPARE(errors.size(), 1);
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("背景音乐"))));
}

void TestMediaChannel::noAnswer_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("op");
    QTest::addColumn<QVariantList>("error");
    enum { List, DelFile, DelDir, MakeDir, RenameDir, RenameFile };
    QTest::newRow("listing") << "noanswer GetFileList" << int(List)
                             << QVariantList({1, QStringLiteral("背景音乐"), -1});
    QTest::newRow("listing cut") << "close 0" << int(List)
                                 << QVariantList({1, QStringLiteral("背景音乐"), -1});
    QTest::newRow("delete file") << "noanswer DelFile" << int(DelFile)
                                 << QVariantList({2, QStringLiteral("test tone.wav"), -1});
    QTest::newRow("delete dir") << "noanswer DeleteDIR" << int(DelDir)
                                << QVariantList({3, QStringLiteral("铃声"), -1});
    QTest::newRow("delete dir check") << "noanswer GetFileList" << int(DelDir)
                                      << QVariantList({3, QStringLiteral("铃声"), -1});
    QTest::newRow("make dir") << "noanswer CreatDIR" << int(MakeDir)
                              << QVariantList({6, QStringLiteral("新"), -1});
    QTest::newRow("rename dir") << "noanswer RenameDIR" << int(RenameDir)
                                << QVariantList({7, QStringLiteral("铃声"), 1});
    QTest::newRow("rename file") << "noanswer RenameFile" << int(RenameFile)
                                 << QVariantList({7, QStringLiteral("test tone.wav"), 0});
}

void TestMediaChannel::noAnswer()
{
    QFETCH(QString, fault);
    QFETCH(int, op);
    QFETCH(QVariantList, error);
    QVERIFY(m_service->control(fault).startsWith(QLatin1String("ok")));
    QSignalSpy errors(m_relay.get(), &Relay::ftpError);
    QSignalSpy ready(m_relay.get(), &Relay::mediaListReady);
    int rc = -1;
    switch (op) {
    case 0: rc = m_mgr->listMedia(path(QStringLiteral("背景音乐"))); break;
    case 1: rc = m_mgr->deleteFile(path(QStringLiteral("test tone.wav"))); break;
    case 2: rc = m_mgr->deleteDir(path(QStringLiteral("铃声"))); break;
    case 3: rc = m_mgr->makeDir(path(QStringLiteral("新"))); break;
    case 4: rc = m_mgr->rename(path(QStringLiteral("铃声")), path(QStringLiteral("x")), true); break;
    default:
        rc = m_mgr->rename(path(QStringLiteral("test tone.wav")), path(QStringLiteral("y.wav")), false);
    }
    QCOMPARE(rc, 0);
    QVERIFY(errors.wait(kWait));
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.at(0), error);
    QVERIFY(ready.isEmpty());
    QVERIFY(m_worker->mediaList().isEmpty());
}

void TestMediaChannel::splitAnswers()
{
    QVERIFY(m_service->control(QStringLiteral("split 7 15")).startsWith(QLatin1String("ok")));
    // A listing and a download are reassembled from the pieces ...
    QSignalSpy ready(m_relay.get(), &Relay::mediaListReady);
    QCOMPARE(m_mgr->listMedia(path(QStringLiteral("Announcements"))), 0);
    QVERIFY(ready.wait(kWait));
    QCOMPARE(names(ready.at(0).at(0).value<QList<OvMediaFile_t>>()),
             QStringList({"F:closing time.wav", "F:welcome.mp3"}));
    const QByteArray content = pattern(40, 5);
    QVERIFY(writeFile(path(QStringLiteral("small.mp3")), content));
    QSignalSpy progress(m_relay.get(), &Relay::updateProgressIndicator);
    QCOMPARE(m_mgr->download(path(QStringLiteral("small.mp3")), localFile(QStringLiteral("s")), 1), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty() && progress.last().at(1).toInt() == 40, kWait);
    QCOMPARE(readFile(localFile(QStringLiteral("s"))), content);

    // ... a single-read answer is not: it counts as received, but means nothing.
    QSignalSpy update(m_relay.get(), &Relay::socketUpdateMedia);
    QSignalSpy errors(m_relay.get(), &Relay::ftpError);
    QSignalSpy root(m_relay.get(), &Relay::socketGetMediaPath);
    QCOMPARE(m_mgr->makeDir(path(QStringLiteral("split"))), 0);
    FtpWorkItem getRoot;
    getRoot.kind = FtpWorkItem::GetFileRoot;
    m_worker->enqueue(getRoot);
    ready.clear();
    QCOMPARE(m_mgr->listMedia(m_root), 0);
    QVERIFY(ready.wait(kWait));
    QVERIFY(QFileInfo(path(QStringLiteral("split"))).isDir());
    QVERIFY(update.isEmpty());
    QVERIFY(errors.isEmpty());
    QVERIFY(root.isEmpty());
}

void TestMediaChannel::brokenDownloads_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("below");
    QTest::addColumn<QVariantList>("last");
    QTest::addColumn<QByteArray>("operatorsCopy"); // already on this PC; empty: none
    QTest::newRow("stall, media") << "stall 100000" << "big.mp3"
                                  << QVariantList({9, 100000, -1}) << QByteArray();
    QTest::newRow("close early, media") << "close 100000" << "big.mp3"
                                        << QVariantList({9, 100000, -1}) << QByteArray();
    QTest::newRow("stall, recording") << "stall 100000" << "media/talk_record_file/r.wav"
                                      << QVariantList({QStringLiteral("r.wav"), 50, -1})
                                      << QByteArray();
    QTest::newRow("no header") << "noanswer GetFile" << "big.mp3" << QVariantList({9, 0, -1})
                               << QByteArray();
    QTest::newRow("close early, operator's copy kept")
        << "close 100000" << "big.mp3" << QVariantList({9, 100000, -1}) << pattern(5000, 6);
    QTest::newRow("stall, operator's recording kept")
        << "stall 100000" << "media/talk_record_file/r.wav"
        << QVariantList({QStringLiteral("r.wav"), 50, -1}) << pattern(300, 7);
    QTest::newRow("no header, operator's copy kept")
        << "noanswer GetFile" << "big.mp3" << QVariantList({9, 0, -1}) << pattern(10, 8);
}

void TestMediaChannel::brokenDownloads()
{
    QFETCH(QString, fault);
    QFETCH(QString, below);
    QFETCH(QVariantList, last);
    QFETCH(QByteArray, operatorsCopy);
    QVERIFY(writeFile(path(below), pattern(200000, 4)));
    QVERIFY(m_service->control(fault).startsWith(QLatin1String("ok")));
    const QString local = localFile(QStringLiteral("partial"));
    if (!operatorsCopy.isEmpty())
        QVERIFY(writeFile(local, operatorsCopy));
    QSignalSpy progress(m_relay.get(), &Relay::updateProgressIndicator);
    QSignalSpy tip(m_relay.get(), &Relay::updateRecordDownloadMsgTip);
    QCOMPARE(m_mgr->download(path(below), local, 9), 0);
    QSignalSpy &spy = last.at(0).type() == QVariant::String ? tip : progress;
    QTRY_VERIFY_WITH_TIMEOUT(!spy.isEmpty() && spy.last().at(2).toInt() == -1, kWait);
    QCOMPARE(spy.last(), last);
    if (operatorsCopy.isEmpty())
        QVERIFY(!QFile::exists(local));
    else
        QCOMPARE(readFile(local), operatorsCopy);
    QVERIFY(!QFile::exists(local + QStringLiteral(".part")));
}

void TestMediaChannel::recordingEndpoint_data()
{
    QTest::addColumn<QString>("mediaHost");
    QTest::addColumn<QString>("recordHost");
    QTest::addColumn<bool>("fromRecordHost");
    QTest::newRow("separate host") << "127.0.0.1" << "localhost" << true;
    QTest::newRow("127.0.0.1 means the media host") << "localhost" << "127.0.0.1" << false;
    QTest::newRow("same as media host") << "localhost" << "localhost" << false;
    QTest::newRow("none set") << "127.0.0.1" << "" << false;
}

void TestMediaChannel::recordingEndpoint()
{
    QFETCH(QString, mediaHost);
    QFETCH(QString, recordHost);
    QFETCH(bool, fromRecordHost);
    m_worker->setServer(mediaHost, m_service->port());
    QTemporaryDir recordRoot;
    const QString recording = QFileInfo(recordRoot.path()).canonicalFilePath()
        + QStringLiteral("/media/talk_record_file/call.wav");
    const QByteArray content = pattern(3000, 8);
    QVERIFY(writeFile(recording, content));
    MediaServiceThread recordService(recordRoot.path());
    QVERIFY(recordService.listening());
    m_worker->setRecordServer(recordHost, recordService.port());

    const QString target = localFile(QStringLiteral("call.wav"));
    QSignalSpy tip(m_relay.get(), &Relay::updateRecordDownloadMsgTip);
    QCOMPARE(m_mgr->download(recording, target, 1), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!tip.isEmpty() && tip.last().at(2).toInt() != 0, kWait);
    // The media host does not hold the other host's recording.
    QCOMPARE(tip.last().at(2).toInt(), fromRecordHost ? 1 : -1);
    QCOMPARE(QFile::exists(target), fromRecordHost);
    if (fromRecordHost)
        QCOMPARE(readFile(target), content);
}

void TestMediaChannel::stopEndsTheRunningDownload_data()
{
    QTest::addColumn<QString>("fault");
    // A piece of 1,000 bytes every 100 ms: the file would take 100 s, and
    // no wait ever runs out.
    QTest::newRow("trickling") << "split 1000 100";
    // Silent after 10 %, connection kept open: only the wait's end would
    // free the worker.
    QTest::newRow("stalled") << "stall 100000";
}

void TestMediaChannel::stopEndsTheRunningDownload()
{
    QFETCH(QString, fault);
    QVERIFY(writeFile(path(QStringLiteral("long.mp3")), pattern(1000000, 2)));
    QVERIFY(writeFile(path(QStringLiteral("next.mp3")), pattern(100, 3)));
    // Waits far beyond the test's own time limit: only the stop can end them.
    MediaTimeouts t;
    t.answerLong = 600000;
    m_worker->setTimeouts(t);
    QVERIFY(m_service->control(fault).startsWith(QLatin1String("ok")));

    const QString local = localFile(QStringLiteral("long.mp3"));
    const QString next = localFile(QStringLiteral("next.mp3"));
    QSignalSpy progress(m_relay.get(), &Relay::updateProgressIndicator);
    QCOMPARE(m_mgr->download(path(QStringLiteral("long.mp3")), local, 1), 0);
    QCOMPARE(m_mgr->makeDir(path(QStringLiteral("behind"))), 0);
    QCOMPARE(m_mgr->download(path(QStringLiteral("next.mp3")), next, 2), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty() && progress.last().at(0).toInt() == 1
                                 && progress.last().at(2).toInt() == 0,
                             kWait);
    QVERIFY(QFile::exists(local + QStringLiteral(".part")));
    QCOMPARE(m_worker->pendingCount(), 2);

    // The client and its relay go first: the stopped worker is deleted.
    m_relay.reset();
    m_mgr.reset();
    QVERIFY(m_thread->stop());
    QVERIFY(!QFile::exists(local + QStringLiteral(".part")));
    QVERIFY(!QFile::exists(local));
    // Nothing queued behind the download ran.
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("behind"))));
    QVERIFY(!QFile::exists(next));
}

QTEST_GUILESS_MAIN(TestMediaChannel)
#include "tst_media_channel.moc"
