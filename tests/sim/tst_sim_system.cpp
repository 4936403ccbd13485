#include "DbpTestClient.h"
#include "SimProcess.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

QByteArray firstLine(const QByteArray &message)
{
    return message.left(message.indexOf("\r\n"));
}

QByteArray fileMd5(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash h(QCryptographicHash::Md5);
    h.addData(&f);
    return h.result().toHex();
}

} // namespace

// The simulator's own settings with literal DBP texts: parameter changes and
// their refusals, the backup answer, and a restore that ends every session.
class TestSimSystem : public QObject
{
    Q_OBJECT
private slots:
    void parameterChanges_data();
    void parameterChanges();
    void backupAnswerNamesFileAndDigest();
    void backupNameMustBePlain();
    void recoveryRestoresAndEndsEverySession();
};

void TestSimSystem::parameterChanges_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("reason"); // empty: accepted
    QTest::newRow("time-out") << QByteArray("SystemParameter")
                              << QByteArray("{\"Action\":\"Mod\",\"Name\":\"Vad_Ptt_Time_Out\",\"Value\":\"300\"}\n")
                              << QByteArray();
    QTest::newRow("unknown name") << QByteArray("SystemParameter")
                                  << QByteArray("{\"Action\":\"Mod\",\"Name\":\"Foo\",\"Value\":\"1\"}\n")
                                  << QByteArray("unknown parameter Foo");
    QTest::newRow("time-out with text") << QByteArray("SystemParameter")
                                        << QByteArray("{\"Action\":\"Mod\",\"Name\":\"Vad_Ptt_Time_Out\",\"Value\":\"300s\"}\n")
                                        << QByteArray("Value must be a number from 0 to 86400");
    QTest::newRow("server without port") << QByteArray("SystemParameter")
                                         << QByteArray("{\"Action\":\"Mod\",\"Name\":\"Record_Server\",\"Value\":\"1.2.3.4\"}\n")
                                         << QByteArray("Value must be address:port");
    QTest::newRow("server port 70000") << QByteArray("SystemParameter")
                                       << QByteArray("{\"Action\":\"Mod\",\"Name\":\"Talk_Log_Server\",\"Value\":\"h:70000\"}\n")
                                       << QByteArray("Value must be address:port");
    QTest::newRow("not Mod") << QByteArray("SystemParameter")
                             << QByteArray("{\"Action\":\"Add\",\"Name\":\"System_Name\",\"Value\":\"x\"}\n")
                             << QByteArray("Action must be Mod");
    QTest::newRow("password of an unknown account")
        << QByteArray("ModTalkManagerInfo") << QByteArray("{\"Action\":\"Mod\",\"Name\":\"nobody\",\"PassWord\":\"x\"}\n")
        << QByteArray("unknown account nobody");
    QTest::newRow("empty password") << QByteArray("ModTalkManagerInfo")
                                    << QByteArray("{\"Action\":\"Mod\",\"Name\":\"admin\",\"PassWord\":\"\"}\n")
                                    << QByteArray("PassWord must not be empty");
}

void TestSimSystem::parameterChanges()
{
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, reason);
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    QCOMPARE(firstLine(c.login(1, "admin", "admin")), QByteArray("DBP/1.0 200 OK"));
    c.nextStartingWith("POST");
    c.send(DbpTestClient::post(2, type, body));
    const QByteArray answer = c.nextStartingWith("DBP/1.0");
    QVERIFY(answer.contains("\r\nCSeq: 2\r\n"));
    if (reason.isEmpty()) {
        QCOMPARE(firstLine(answer), QByteArray("DBP/1.0 200 OK"));
        c.send(DbpTestClient::list(3, "SystemParameter", "select value from parameter where name = 'Vad_Ptt_Time_Out'"));
        QCOMPARE(DbpTestClient::body(c.nextStartingWith("DBP/1.0")), QByteArray("[{\"value\":\"300\"}]"));
    } else {
        QCOMPARE(firstLine(answer), QByteArray("DBP/1.0 400 FAILED"));
        QCOMPARE(DbpTestClient::body(answer), reason);
    }
}

void TestSimSystem::backupAnswerNamesFileAndDigest()
{
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    c.login(1, "admin", "admin");
    c.send(DbpTestClient::post(2, "DataBackup", "{\"BackupFile\":\"OVN_2021-03-04.backup\"}\n"));
    const QByteArray answer = c.nextStartingWith("DBP/1.0");
    QCOMPARE(firstLine(answer), QByteArray("DBP/1.0 200 OK"));
    const QByteArray body = DbpTestClient::body(answer);
    const QRegularExpressionMatch m =
        QRegularExpression("^\\{\"BackupFile\":\"OVN_2021-03-04\\.backup\",\"Md5\":\"([0-9a-f]{32})\"\\}\n$")
            .match(QString::fromUtf8(body));
    QVERIFY2(m.hasMatch(), body.constData());
    const QString dir = sim.command("backup dir").mid(3);
    QCOMPARE(QString::fromLatin1(fileMd5(dir + "/OVN_2021-03-04.backup")), m.captured(1));
}

void TestSimSystem::backupNameMustBePlain()
{
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    c.login(1, "admin", "admin");
    for (const QByteArray &name : {QByteArray("../x.backup"), QByteArray("a/b"), QByteArray("")}) {
        c.send(DbpTestClient::post(2, "DataBackup", "{\"BackupFile\":\"" + name + "\"}\n"));
        QCOMPARE(firstLine(c.nextStartingWith("DBP/1.0")), QByteArray("DBP/1.0 400 FAILED"));
    }
}

void TestSimSystem::recoveryRestoresAndEndsEverySession()
{
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient a;
    DbpTestClient b;
    QVERIFY(a.connectTo(sim.dbpPort()) && b.connectTo(sim.dbpPort()));
    a.login(1, "admin", "admin");
    b.login(1, "operator", "123456");
    a.send(DbpTestClient::post(2, "DataBackup", "{\"BackupFile\":\"before.backup\"}\n"));
    QCOMPARE(firstLine(a.nextStartingWith("DBP/1.0")), QByteArray("DBP/1.0 200 OK"));
    QCOMPARE(sim.command("sql update ipamp set name = 'after' where terminalId = 1"), QString("ok 1"));
    const QString from = sim.command("backup dir").mid(3) + "/before.backup";
    const QString to = sim.command("backup recoverydir").mid(3) + "/restore.backup";
    QVERIFY(QFile::copy(from, to));
    const QByteArray md5 = fileMd5(to).toUpper(); // the digest's case does not matter
    a.send(DbpTestClient::post(3, "DataRecovery", "{\"Md5\":\"" + md5 + "\",\"RecoveryFile\":\"restore.backup\"}\n"));
    const QByteArray answer = a.nextStartingWith("DBP/1.0");
    QCOMPARE(firstLine(answer), QByteArray("DBP/1.0 200 OK"));
    QVERIFY(answer.contains("\r\nCSeq: 3\r\n"));
    QVERIFY(a.waitClosed());
    QVERIFY(b.waitClosed());
    DbpTestClient c;
    QVERIFY(c.connectTo(sim.dbpPort()));
    QCOMPARE(firstLine(c.login(1, "admin", "admin")), QByteArray("DBP/1.0 200 OK"));
    c.send(DbpTestClient::list(2, "TerminalList", "select name from ipamp where terminalId = 1"));
    QCOMPARE(DbpTestClient::body(c.nextStartingWith("DBP/1.0")), QByteArray("[{\"name\":\"教学楼一楼走廊\"}]"));
}

QTEST_GUILESS_MAIN(TestSimSystem)
#include "tst_sim_system.moc"
