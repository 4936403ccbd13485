#include "SimProcess.h"
#include "managers/terminals/OvPlayTermListMgr.h"
#include "protocol/OvManageCenter.h"

#include <QtTest>

#include <memory>

// The IP amplifier family against the simulator's sample installation, over
// loopback, through the real centre.
class TestPlayTermSim : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listOfTheSampleInstallation();
    void renameComesBackAsAChange();
    void removal();
    void settingsAreKeptByTheServer();
    void speakerCheckEndsWithThePushedResult();
    void serverSideChanges();

private:
    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<OvManageCenter> m_centre;
    std::unique_ptr<OvPlayTermListMgr> m_list;
};

void TestPlayTermSim::init()
{
    m_sim = std::make_unique<SimProcess>(QStringList{"--speaker-check-ms", "300"});
    QVERIFY2(m_sim->isRunning(), qPrintable(m_sim->errorString()));
    m_centre = std::make_unique<OvManageCenter>();
    m_centre->setServerAddress(QStringLiteral("127.0.0.1"), m_sim->dbpPort());
    m_centre->setCredentials("admin", "admin");
    m_centre->startReceiveThread();
    QTRY_VERIFY_WITH_TIMEOUT(m_centre->state() == ConnectionState::LoggedIn, 15000);
    m_list = std::make_unique<OvPlayTermListMgr>(m_centre.get());
    QCOMPARE(m_list->fetchList(), 0);
}

void TestPlayTermSim::cleanup()
{
    if (m_centre)
        m_centre->stopReceiveThread();
    m_list.reset();
    m_centre.reset();
    m_sim.reset();
}

void TestPlayTermSim::listOfTheSampleInstallation()
{
    auto list = m_list->lockList();
    QVERIFY(list.exists());
    QCOMPARE(list->size(), size_t(26));
    for (size_t i = 1; i < list->size(); ++i)
        QVERIFY(list.records()[i - 1].id < list.records()[i].id);
    QCOMPARE(list->front().id, 1);
    QCOMPARE(list->back().id, 10002);
    list.unlock();

    QCOMPARE(m_list->findCopy(23)->name, QByteArray("23"));
    QCOMPARE(m_list->findCopy(4)->name, QByteArray("Gym Hall"));
    QCOMPARE(m_list->findCopy(1)->name, QByteArray("教学楼一楼走廊"));
    QCOMPARE(m_list->findCopy(8)->type, QByteArray("PT"));
    QCOMPARE(m_list->findCopy(12)->speaker, int(OvTerminal::ShortCircuit));
    QCOMPARE(m_list->findCopy(1)->warnTempThreshold, 70);
    QCOMPARE(m_list->findCopy(10001)->master_id, 1);
}

void TestPlayTermSim::renameComesBackAsAChange()
{
    QSignalSpy changed(m_list.get(), &OvPlayTermListMgr::playTermChanged);
    OvTerminal t = *m_list->findCopy(4);
    t.name = "体育馆";
    t.broVol = 65;
    QCOMPARE(m_list->setNameAndVolume(t), 0);
    QCOMPARE(m_list->findCopy(4)->name, QByteArray("体育馆"));
    QTRY_VERIFY(changed.count() >= 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 4);
    QCOMPARE(m_list->findCopy(4)->broVol, 65);

    // The server checks the name; a refusal leaves the cache alone.
    t.name.clear();
    QCOMPARE(m_list->setNameAndVolume(t), 1);
    QCOMPARE(m_list->findCopy(4)->name, QByteArray("体育馆"));
}

void TestPlayTermSim::removal()
{
    QSignalSpy error(m_list.get(), &OvPlayTermListMgr::delTermError);
    QCOMPARE(m_list->removeTerminal(*m_list->findCopy(1)), 1);
    QTRY_COMPARE(error.count(), 1);
    QCOMPARE(m_list->lastErrorText(), QByteArray("Terminal can not be removed without offline!"));
    QVERIFY(m_list->findCopy(1));

    QCOMPARE(m_list->removeTerminal(*m_list->findCopy(5)), 0);
    QVERIFY(!m_list->findCopy(5));
    QCOMPARE(m_list->fetchList(), 0);
    QVERIFY(!m_list->findCopy(5));
    QCOMPARE(error.count(), 1);
}

void TestPlayTermSim::settingsAreKeptByTheServer()
{
    OvTerminal t = *m_list->findCopy(6);
    t.defaultVolumn = 45;
    t.defaultPower = true;
    t.isDefault = true;
    t.transport_tcp = true;
    QCOMPARE(m_list->applyTerminalSettings(t), 0);
    t.warnTempThreshold = 65;
    t.fanTempThreshold = 50;
    t.maxVol = 85;
    QCOMPARE(m_list->setAmplifierLimits(t), 0);

    // A new list (which replaces the cache) still has them.
    QCOMPARE(m_list->fetchList(), 0);
    const OvTerminal back = *m_list->findCopy(6);
    QCOMPARE(back.defaultVolumn, 45);
    QVERIFY(back.defaultPower);
    QVERIFY(back.isDefault);
    QVERIFY(back.transport_tcp);
    QCOMPARE(back.warnTempThreshold, 65);
    QCOMPARE(back.fanTempThreshold, 50);
    QCOMPARE(back.maxVol, 85);

    t.maxVol = 101;
    QCOMPARE(m_list->setAmplifierLimits(t), 1);
}

void TestPlayTermSim::speakerCheckEndsWithThePushedResult()
{
    QSignalSpy changed(m_list.get(), &OvPlayTermListMgr::playTermChanged);
    const SpeakerCheckOutcome outcome = m_list->checkSpeakers({1, 3, 8});
    QCOMPARE(outcome.sent, 1);
    QCOMPARE(outcome.failed, 0);
    QVERIFY(outcome.refused);
    QTRY_COMPARE_WITH_TIMEOUT(m_list->findCopy(1)->speaker, int(OvTerminal::Pass), 10000);
    // The cache changes on the receive thread; its signal follows, queued.
    QTRY_VERIFY(changed.count() >= 1);
}

void TestPlayTermSim::serverSideChanges()
{
    QSignalSpy changed(m_list.get(), &OvPlayTermListMgr::playTermChanged);
    QSignalSpy got(m_list.get(), &OvPlayTermListMgr::gotPlayTermList);
    QCOMPARE(m_sim->command("status 6 2"), QString("ok"));
    QTRY_COMPARE(m_list->findCopy(6)->status, 2);
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 6);

    // A terminal that appears on the server is added in id order.
    QVERIFY(m_sim->command("sql INSERT INTO ipamp(terminalId, name) VALUES (30, 'Annex')").startsWith("ok"));
    QCOMPARE(m_sim->command("push ipamp 30"), QString("ok"));
    QTRY_VERIFY(m_list->findCopy(30));
    QTRY_VERIFY(got.count() >= 1);
    const auto list = m_list->lockList();
    QCOMPARE(list->back().id, 10002);
    QCOMPARE(list.records()[24].id, 30);
}

QTEST_MAIN(TestPlayTermSim)
#include "tst_playterm_sim.moc"
