#include "SimCentre.h"
#include "managers/serverconfig/OvServerConfigMgr.h"
#include "managers/serverconfig/SettingChecks.h"
#include "protocol/OvCommandRequest.h"
#include "protocol/OvLoginNetHandle.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>

namespace {

QByteArray parameterValue(const QList<ServerParameter> &list, const QByteArray &name)
{
    for (const ServerParameter &p : list) {
        if (p.name == name)
            return p.value;
    }
    return "<missing>";
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

// A second console logging in with the given password; its login outcome.
int loginOutcome(quint16 port, const QByteArray &password)
{
    OvManageCenter other;
    other.setServerAddress(QStringLiteral("127.0.0.1"), port);
    other.setCredentials("admin", password);
    other.startReceiveThread();
    QElapsedTimer t;
    t.start();
    while (other.loginOutcome() == OvLoginNetHandle::OutcomeReset && t.elapsed() < 15000)
        QTest::qWait(10);
    const int outcome = other.loginOutcome();
    other.stopReceiveThread();
    return outcome;
}

} // namespace

// The server-configuration manager against the simulator: parameters,
// refusals with their reasons, the password change, and backups and
// restores that really move the installation's data.
class TestServerConfigSim : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void parametersOfTheSample();
    void refusedChangesKeepTheServersReason_data();
    void refusedChangesKeepTheServersReason();
    void acceptedChangeIsStored();
    void passwordChangeDecidesTheNextLogin();
    void backupArrivesWithItsDigest();
    void upperCaseDigestStillMatches();
    void corruptedBackupFailsTheDigest();
    void lateBackupAnswerIsTaken();
    void failedDownloadsLeaveNoFile_data();
    void failedDownloadsLeaveNoFile();
    void restoreBringsBackTheDataAndEndsTheSession();
    void restoreWithAWrongDigestIsRefused();

private:
    // Backs up, fetches the file into m_dir and returns its local path.
    QString backupAndFetch();

    SimCentre m_sim;
    std::unique_ptr<OvServerConfigMgr> m_mgr;
    std::unique_ptr<QTemporaryDir> m_dirHolder;
    QTemporaryDir &dir() { return *m_dirHolder; }
};

void TestServerConfigSim::init()
{
    QVERIFY(m_sim.start());
    m_mgr = std::make_unique<OvServerConfigMgr>(m_sim.centre.get());
    m_mgr->setFileEndpoint(QStringLiteral("127.0.0.1"), m_sim.sim->mediaPort());
    MediaTimeouts t;
    t.answerLong = 3000;
    m_mgr->setTransferTimeouts(t);
    m_dirHolder = std::make_unique<QTemporaryDir>();
    QVERIFY(dir().isValid());
}

void TestServerConfigSim::cleanup()
{
    m_sim.stopThread();
    m_mgr.reset();
    m_sim.centre.reset();
    m_sim.sim.reset();
}

void TestServerConfigSim::parametersOfTheSample()
{
    QSignalSpy got(m_mgr.get(), &OvServerConfigMgr::gotServerList);
    QCOMPARE(m_mgr->requestParameters(), 0);
    QTRY_COMPARE(got.count(), 1);
    const QList<ServerParameter> list = m_mgr->parameters();
    QCOMPARE(parameterValue(list, "Record_Server"), QByteArray("127.0.0.1:7801"));
    QCOMPARE(parameterValue(list, "Vad_Ptt_Time_Out"), QByteArray("600"));
    QCOMPARE(parameterValue(list, "System_Name"), QByteArray("管理中心"));
    bool unknownKept = false;
    for (const ServerParameter &p : list)
        unknownKept = unknownKept || (p.name == "Max_Record_Days" && p.kind == ServerParameter::Other);
    QVERIFY(unknownKept);
    QByteArray ip;
    QCOMPARE(m_mgr->requestLogServer(ip), 7802);
    QCOMPARE(ip, QByteArray("127.0.0.1"));
}

void TestServerConfigSim::refusedChangesKeepTheServersReason_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("reason");
    QTest::newRow("unknown name") << QByteArray("{\"Action\":\"Mod\",\"Name\":\"No_Such\",\"Value\":\"1\"}\n")
                                  << QByteArray("unknown parameter No_Such");
    QTest::newRow("time-out not a number")
        << QByteArray("{\"Action\":\"Mod\",\"Name\":\"Vad_Ptt_Time_Out\",\"Value\":\"300s\"}\n")
        << QByteArray("Value must be a number");
    QTest::newRow("server without port")
        << QByteArray("{\"Action\":\"Mod\",\"Name\":\"Record_Server\",\"Value\":\"10.0.0.1\"}\n")
        << QByteArray("Value must be address:port");
    QTest::newRow("server with empty address")
        << QByteArray("{\"Action\":\"Mod\",\"Name\":\"Talk_Log_Server\",\"Value\":\":\"}\n")
        << QByteArray("Value must be address:port");
}

void TestServerConfigSim::refusedChangesKeepTheServersReason()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, reason);
    OvCommandRequest builder;
    OvManageCenter &c = *m_sim.centre;
    QCOMPARE(int(c.request(builder.buildPost(c.nextCSeq(), "SystemParameter", body), 176)), int(Refused));
    QVERIFY2(m_mgr->lastRefusal().startsWith(reason), m_mgr->lastRefusal().constData());
    QSignalSpy got(m_mgr.get(), &OvServerConfigMgr::gotServerList);
    m_mgr->requestParameters();
    QTRY_COMPARE(got.count(), 1);
    QCOMPARE(parameterValue(m_mgr->parameters(), "Record_Server"), QByteArray("127.0.0.1:7801"));
    QCOMPARE(parameterValue(m_mgr->parameters(), "Vad_Ptt_Time_Out"), QByteArray("600"));
}

void TestServerConfigSim::acceptedChangeIsStored()
{
    QCOMPARE(m_mgr->setVadTimeout("900"), 0);
    QCOMPARE(m_mgr->setParameter("10.1.2.3:7811", 179), 0);
    QCOMPARE(m_mgr->setParameter("操场广播", 173), 0);
    QVERIFY(m_mgr->lastRefusal().isEmpty());
    QSignalSpy got(m_mgr.get(), &OvServerConfigMgr::gotServerList);
    m_mgr->requestParameters();
    QTRY_COMPARE(got.count(), 1);
    QCOMPARE(parameterValue(m_mgr->parameters(), "Vad_Ptt_Time_Out"), QByteArray("900"));
    QCOMPARE(parameterValue(m_mgr->parameters(), "System_Name"), QByteArray("操场广播"));
    QByteArray ip;
    QCOMPARE(m_mgr->requestLogServer(ip), 7811);
    QCOMPARE(ip, QByteArray("10.1.2.3"));
}

void TestServerConfigSim::passwordChangeDecidesTheNextLogin()
{
    QCOMPARE(m_mgr->setParameter("abc123", 180), 0);
    QCOMPARE(loginOutcome(m_sim.sim->dbpPort(), "admin"), int(OvLoginNetHandle::OutcomeRefused));
    QCOMPARE(loginOutcome(m_sim.sim->dbpPort(), "abc123"), int(OvLoginNetHandle::OutcomeAccepted));
}

QString TestServerConfigSim::backupAndFetch()
{
    QSignalSpy answered(m_mgr.get(), &OvServerConfigMgr::gotBackupMd5);
    QSignalSpy finished(m_mgr.get(), &OvServerConfigMgr::downloadFinish);
    const QString name = settingchecks::backupFileName(QDate::currentDate());
    if (m_mgr->setParameter(name.toUtf8(), 181) != 0)
        return QString();
    if (answered.isEmpty() && !answered.wait(10000))
        return QString();
    const ServerParameter answer = m_mgr->backupAnswer();
    if (answer.name != name.toUtf8() || answer.kind != ServerParameter::BackupAnswer)
        return QString();
    const QString local = dir().filePath(name);
    m_mgr->fetchBackup(QStringLiteral("/tmp/databackup/") + name, local);
    if (!finished.wait(20000))
        return QString();
    return local;
}

void TestServerConfigSim::backupArrivesWithItsDigest()
{
    const QString local = backupAndFetch();
    QVERIFY(!local.isEmpty());
    QFile f(local);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.read(16).startsWith("SQLite format 3"));
    QCOMPARE(m_mgr->downloadedMd5(), fileMd5(local));
    QCOMPARE(m_mgr->backupAnswer().value, m_mgr->downloadedMd5());
    // Nothing but the file itself is left beside it.
    QCOMPARE(QDir(dir().path()).entryList(QDir::Files).size(), 1);
}

void TestServerConfigSim::upperCaseDigestStillMatches()
{
    QCOMPARE(m_sim.sim->command("backup upper on"), QString("ok on"));
    const QString local = backupAndFetch();
    QVERIFY(!local.isEmpty());
    QCOMPARE(m_mgr->backupAnswer().value, m_mgr->downloadedMd5().toUpper());
    QVERIFY(m_mgr->backupAnswer().value != m_mgr->downloadedMd5());
    QVERIFY(settingchecks::sameDigest(m_mgr->downloadedMd5(), m_mgr->backupAnswer().value));
}

void TestServerConfigSim::corruptedBackupFailsTheDigest()
{
    QCOMPARE(m_sim.sim->command("backup corrupt on"), QString("ok on"));
    const QString local = backupAndFetch();
    QVERIFY(!local.isEmpty());
    QCOMPARE(m_mgr->downloadedMd5(), fileMd5(local));
    QVERIFY(!settingchecks::sameDigest(m_mgr->downloadedMd5(), m_mgr->backupAnswer().value));
}

void TestServerConfigSim::lateBackupAnswerIsTaken()
{
    QCOMPARE(m_sim.sim->command("backup delay 5000"), QString("ok 5000"));
    QSignalSpy answered(m_mgr.get(), &OvServerConfigMgr::gotBackupMd5);
    QCOMPARE(m_mgr->setParameter("OVN_late.backup", 181), int(TimedOut));
    QVERIFY(answered.isEmpty());
    // Other requests go on while the backup is written.
    QCOMPARE(m_mgr->setVadTimeout("700"), 0);
    QVERIFY(answered.wait(15000));
    QCOMPARE(m_mgr->backupAnswer().name, QByteArray("OVN_late.backup"));
    QCOMPARE(m_mgr->backupAnswer().value.size(), 32);
    // The late answer was not read as a server time.
    QVERIFY(m_sim.centre->systemTime() != "----");
}

void TestServerConfigSim::failedDownloadsLeaveNoFile_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("serverName");
    QTest::newRow("no such file") << QString() << QStringLiteral("OVN_none.backup");
    QTest::newRow("cut after 1000 bytes") << QStringLiteral("media close 1000") << QString();
    QTest::newRow("stalls after 1000 bytes") << QStringLiteral("media stall 1000") << QString();
}

void TestServerConfigSim::failedDownloadsLeaveNoFile()
{
    QFETCH(QString, fault);
    QFETCH(QString, serverName);
    QString name = serverName;
    if (name.isEmpty()) {
        QSignalSpy answered(m_mgr.get(), &OvServerConfigMgr::gotBackupMd5);
        QCOMPARE(m_mgr->setParameter("OVN_cut.backup", 181), 0);
        QVERIFY(!answered.isEmpty() || answered.wait(10000));
        name = QStringLiteral("OVN_cut.backup");
        QVERIFY(m_sim.sim->command(fault).startsWith("ok"));
    }
    QSignalSpy failed(m_mgr.get(), &OvServerConfigMgr::transferFailed);
    QSignalSpy finished(m_mgr.get(), &OvServerConfigMgr::downloadFinish);
    m_mgr->fetchBackup(QStringLiteral("/tmp/databackup/") + name, dir().filePath(name));
    QVERIFY(failed.wait(20000));
    QVERIFY(finished.isEmpty());
    QVERIFY(!failed.first().first().toString().isEmpty());
    QCOMPARE(QDir(dir().path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestServerConfigSim::restoreBringsBackTheDataAndEndsTheSession()
{
    const QString local = backupAndFetch();
    QVERIFY(!local.isEmpty());
    QCOMPARE(m_mgr->setParameter("备份之后", 173), 0);

    QSignalSpy uploaded(m_mgr.get(), &OvServerConfigMgr::uploadFinish);
    const QString name = QFileInfo(local).fileName();
    m_mgr->sendRestoreFile(local, QStringLiteral("/tmp/datarecovery/") + name);
    QVERIFY(uploaded.wait(20000));
    QCOMPARE(m_mgr->uploadedMd5(), fileMd5(local));
    std::atomic<bool> lost{false};  // set on the receive thread
    m_sim.centre->setLossCallback([&lost] { lost = true; });
    QCOMPARE(m_mgr->setParameterPair(182, name.toUtf8(), m_mgr->uploadedMd5()), 0);
    // As after a restart: the session ends and the console must log in again.
    QTRY_COMPARE_WITH_TIMEOUT(m_sim.centre->state(), ConnectionState::Closed, 10000);
    QTRY_VERIFY(lost.load());

    m_sim.stopThread();
    m_sim.centre->setLossCallback(nullptr);
    m_sim.centre->startReceiveThread();
    QTRY_COMPARE_WITH_TIMEOUT(m_sim.centre->state(), ConnectionState::LoggedIn, 15000);
    QSignalSpy got(m_mgr.get(), &OvServerConfigMgr::gotServerList);
    QCOMPARE(m_mgr->requestParameters(), 0);
    QTRY_COMPARE(got.count(), 1);
    QCOMPARE(parameterValue(m_mgr->parameters(), "System_Name"), QByteArray("管理中心"));
}

void TestServerConfigSim::restoreWithAWrongDigestIsRefused()
{
    const QString local = backupAndFetch();
    QVERIFY(!local.isEmpty());
    QSignalSpy uploaded(m_mgr.get(), &OvServerConfigMgr::uploadFinish);
    const QString name = QFileInfo(local).fileName();
    m_mgr->sendRestoreFile(local, QStringLiteral("/tmp/datarecovery/") + name);
    QVERIFY(uploaded.wait(20000));
    QCOMPARE(m_mgr->setParameterPair(182, name.toUtf8(), QByteArray(32, '0')), int(Refused));
    QVERIFY2(m_mgr->lastRefusal().contains("digest"), m_mgr->lastRefusal().constData());
    QCOMPARE(m_mgr->setParameterPair(182, "OVN_absent.backup", m_mgr->uploadedMd5()), int(Refused));
    QVERIFY2(m_mgr->lastRefusal().contains("no such recovery file"), m_mgr->lastRefusal().constData());
    QCOMPARE(m_sim.centre->state(), ConnectionState::LoggedIn);
}

QTEST_GUILESS_MAIN(TestServerConfigSim)
#include "tst_serverconfig_sim.moc"
