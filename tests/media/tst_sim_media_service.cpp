// The simulator's file service on its own: raw requests over loopback,
// hostile paths refused, size caps, and the control channel.
#include "SimMediaService.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

class TestSimMediaService : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void hostileRequests_data();
    void hostileRequests();
    void oversizedRequestIsDropped();
    void uploadCutShortLeavesNoFile();
    void control_data();
    void control();

private:
    // Sends raw bytes and collects everything until the service closes.
    QByteArray exchange(const QByteArray &request, bool hangUp = false);

    std::unique_ptr<QTemporaryDir> m_base;
    std::unique_ptr<SimMediaService> m_service;
    QString m_root;
};

void TestSimMediaService::init()
{
    m_base = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(m_base->filePath(QStringLiteral("root/sub"))));
    QVERIFY(QDir().mkpath(m_base->filePath(QStringLiteral("outside"))));
    QFile(m_base->filePath(QStringLiteral("outside/secret.txt"))).open(QIODevice::WriteOnly);
    QVERIFY(QFile::link(m_base->filePath(QStringLiteral("outside")),
                        m_base->filePath(QStringLiteral("root/link"))));
    m_service = std::make_unique<SimMediaService>(m_base->filePath(QStringLiteral("root")));
    QVERIFY(m_service->listen(QHostAddress::LocalHost, 0));
    m_root = m_service->mediaRoot();
}

void TestSimMediaService::cleanup()
{
    m_service.reset();
    m_base.reset();
}

QByteArray TestSimMediaService::exchange(const QByteArray &request, bool hangUp)
{
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, m_service->port());
    QByteArray got;
    QTimer guard;
    guard.setSingleShot(true);
    QEventLoop loop;
    connect(&s, &QTcpSocket::connected, [&] {
        s.write(request);
        if (hangUp)
            s.disconnectFromHost();
    });
    connect(&s, &QTcpSocket::readyRead, [&] { got += s.readAll(); });
    connect(&s, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
    connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    guard.start(10000);
    loop.exec();
    return got;
}

void TestSimMediaService::hostileRequests_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("outcome"); // expected "Error" text, or "" for none
    // %R stands for the media root.
    QTest::newRow("list above root") << R"({"Command":"GetFileList","DirName":"%R/..","CSeq":"1"})"
                                     << "no such directory";
    QTest::newRow("list other tree") << R"({"Command":"GetFileList","DirName":"/etc","CSeq":"1"})"
                                     << "no such directory";
    QTest::newRow("list through link") << R"({"Command":"GetFileList","DirName":"%R/link","CSeq":"1"})"
                                       << "no such directory";
    QTest::newRow("get above root")
        << R"({"Command":"GetFile","CSeq":"1","DirName":"%R/..","FileName":"outside"})" << "no such file";
    QTest::newRow("get through link")
        << R"({"Command":"GetFile","CSeq":"1","DirName":"%R/link","FileName":"secret.txt"})"
        << "no such file";
    QTest::newRow("get name with dots")
        << R"({"Command":"GetFile","CSeq":"1","DirName":"%R/sub","FileName":"../../outside/secret.txt"})"
        << "no such file";
    QTest::newRow("delete through link")
        << R"({"Command":"DelFile","DirName":"%R/link","FileName":"secret.txt","CSeq":"1"})"
        << "cannot delete";
    QTest::newRow("delete dir above root") << R"({"Command":"DeleteDIR","DirName":"../outside","CSeq":"1"})"
                                           << "cannot delete";
    QTest::newRow("delete root") << R"({"Command":"DeleteDIR","DirName":"","CSeq":"1"})" << "cannot delete";
    QTest::newRow("create above root") << R"({"Command":"CreatDIR","DirName":"../evil","CSeq":"1"})"
                                       << "cannot create";
    QTest::newRow("create through link") << R"({"Command":"CreatDIR","DirName":"link/evil","CSeq":"1"})"
                                         << "cannot create";
    QTest::newRow("rename dir out")
        << R"({"Command":"RenameDIR","CSeq":"1","DirName":"","OldDirName":"/sub","NewDirName":"/../moved"})"
        << "cannot rename";
    QTest::newRow("rename file out")
        << R"({"Command":"RenameFile","CSeq":"1","DirName":"","OldFileName":"link","NewFileName":"../x"})"
        << "cannot rename";
    QTest::newRow("upload name with path")
        << R"({"Command":"PostFile","DirName":"%R","CSeq":"1","FileName":"../evil", "FileLen":"0"})"
        << "upload refused";
    QTest::newRow("upload too large")
        << R"({"Command":"PostFile","DirName":"%R","CSeq":"1","FileName":"big", "FileLen":"99999999999"})"
        << "upload refused";
    QTest::newRow("unknown command") << R"({"Command":"Format","CSeq":"1"})" << "unknown command";
}

void TestSimMediaService::hostileRequests()
{
    QFETCH(QString, request);
    QFETCH(QString, outcome);
    const QByteArray answer =
        exchange(QString(request).replace(QStringLiteral("%R"), m_root).toUtf8() + "\r\n\r\n");
    QVERIFY2(answer.endsWith("\r\n\r\n"), answer.constData());
    const QJsonObject obj = QJsonDocument::fromJson(answer.left(answer.size() - 4)).object();
    QCOMPARE(obj.value(QLatin1String("Error")).toString(), outcome);
    QCOMPARE(obj.value(QLatin1String("CSeq")).toString(), QStringLiteral("1"));
    // Nothing outside the root was touched.
    QCOMPARE(QDir(m_base->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList({"outside", "root"}));
    QCOMPARE(QDir(m_base->filePath(QStringLiteral("outside"))).entryList(QDir::Files),
             QStringList({"secret.txt"}));
    QVERIFY(QFileInfo(m_root + QStringLiteral("/sub")).isDir());
}

void TestSimMediaService::oversizedRequestIsDropped()
{
    // No terminator and ever more bytes: the service drops the connection.
    const QByteArray answer = exchange("{\"Command\":\"GetFileList\",\"DirName\":\""
                                       + QByteArray(200 * 1024, 'x'));
    QVERIFY(answer.isEmpty());
    QCOMPARE(m_service->control({QStringLiteral("requests")}), QStringLiteral("ok 0"));
}

void TestSimMediaService::uploadCutShortLeavesNoFile()
{
    const QByteArray answer = exchange(
        "{\"Command\":\"PostFile\",\"DirName\":\"" + m_root.toUtf8()
        + "\",\"CSeq\":\"1\",\"FileName\":\"cut.mp3\", \"FileLen\":\"100\"}\r\n\r\n" + QByteArray(40, 'x'),
        true);
    QVERIFY(answer.isEmpty());
    QTRY_COMPARE(m_service->control({QStringLiteral("requests")}), QStringLiteral("ok 1"));
    // Neither the name nor a half-written temporary stays behind.
    QTRY_COMPARE(QDir(m_root).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestSimMediaService::control_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("reply");
    QTest::newRow("status") << QStringList{"status"} << "ok noanswer=off split=0/0 stall=-1 close=-1";
    QTest::newRow("noanswer") << QStringList{"noanswer", "GetFile"}
                              << "ok noanswer=GetFile split=0/0 stall=-1 close=-1";
    QTest::newRow("split") << QStringList{"split", "7", "15"} << "ok noanswer=off split=7/15 stall=-1 close=-1";
    QTest::newRow("stall") << QStringList{"stall", "100"} << "ok noanswer=off split=0/0 stall=100 close=-1";
    QTest::newRow("bad number") << QStringList{"close", "-3"} << "error";
    QTest::newRow("unknown") << QStringList{"explode"} << "error";
    QTest::newRow("empty") << QStringList{} << "error";
}

void TestSimMediaService::control()
{
    QFETCH(QStringList, args);
    QFETCH(QString, reply);
    const QString got = m_service->control(args);
    QVERIFY2(got.startsWith(reply), qPrintable(got));
    QVERIFY(!got.contains(QLatin1Char('\n')));
}

QTEST_GUILESS_MAIN(TestSimMediaService)
#include "tst_sim_media_service.moc"
