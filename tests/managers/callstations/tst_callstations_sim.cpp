#include "SimCentre.h"
#include "managers/callstations/ButtonCallRecords.h"
#include "managers/callstations/OvM26ListMgr.h"
#include "managers/callstations/OvM48ListMgr.h"

#include <QtTest>

// The M26 and M48 call stations against the simulator's sample installation.
class TestCallStationsSim : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void lists();
    void buttonCalls();
    void changeNotifications();
    void refusedCommands();
    void removedM48LeavesWithTheServersDelete();

private:
    SimCentre m_sim;
    std::unique_ptr<OvM26ListMgr> m_m26;
    std::unique_ptr<OvM48ListMgr> m_m48;
};

void TestCallStationsSim::initTestCase()
{
    QVERIFY(m_sim.start());
    m_m26 = std::make_unique<OvM26ListMgr>(m_sim.centre.get());
    m_m48 = std::make_unique<OvM48ListMgr>(m_sim.centre.get());
}

void TestCallStationsSim::cleanupTestCase()
{
    m_sim.stopThread();
    m_m26.reset();
    m_m48.reset();
}

void TestCallStationsSim::lists()
{
    QCOMPARE(m_m26->lockList()->size(), size_t(5));
    QCOMPARE(m_m26->findCopy(205)->name, QByteArray("M26_205"));
    QCOMPARE(m_m26->findCopy(202)->aec, 1);
    QCOMPARE(m_m48->lockList()->size(), size_t(4));
    QCOMPARE(m_m48->findCopy(303)->name, QByteArray("M48_303"));
    QCOMPARE(m_m48->findCopy(302)->ledTxt, QByteArray("Welcome"));
}

void TestCallStationsSim::buttonCalls()
{
    QCOMPARE(m_m26->fetchButtonCalls(201), 0);
    QCOMPARE(int(m_m26->buttonCalls().size()), 4);
    QCOMPARE(m_m26->commitButtonCalls(204, callstations::m26CommitRecords(204, {{{101, 0}, {0, 1}, {}}}, false)),
             0);
    QCOMPARE(m_m26->fetchButtonCalls(204), 0);
    const std::vector<OvMicBtnCall> calls = m_m26->buttonCalls();
    QCOMPARE(int(calls.size()), 4);
    QCOMPARE(calls[0].mic35Id, 101);
    QVERIFY(calls[3].startCall.isEmpty());

    QCOMPARE(m_m48->commitButtonCall(304, callstations::m48CommitRecord(304, {102, 0})), 0);
    QCOMPARE(m_m48->fetchButtonCalls(304), 0);
    QCOMPARE(m_m48->buttonCalls().at(0).startCall, QByteArray("ButtonPushDown"));
}

void TestCallStationsSim::changeNotifications()
{
    QSignalSpy changed(m_m26.get(), &OvM26ListMgr::m26Changed);
    QCOMPARE(m_sim.sim->command("set 203 status 7"), QString("ok"));
    QTRY_COMPARE(m_m26->findCopy(203)->status, 7);
    QTRY_VERIFY(changed.count() >= 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 203);

    OvMic led = *m_m48->findCopy(301);
    led.ledTxt = "Closed today";
    led.displayTime = 9;
    QCOMPARE(m_m48->setLed(led), 0);
    QTRY_COMPARE(m_m48->findCopy(301)->displayTime, 9);
}

void TestCallStationsSim::refusedCommands()
{
    OvMic station = *m_m26->findCopy(204);
    station.name.clear();
    QCOMPARE(m_m26->saveSettings(station), 1);
    QCOMPARE(m_m26->findCopy(204)->name, QByteArray("Playground Call"));
    QCOMPARE(m_m26->removeStation(*m_m26->findCopy(201)), 1);  // online
    QVERIFY(m_m26->findCopy(201));

    OvMic led = *m_m48->findCopy(302);
    led.displayTime = 99999;
    QCOMPARE(m_m48->setLed(led), 1);
    QCOMPARE(m_m48->findCopy(302)->displayTime, 6);
    QCOMPARE(m_m48->commitButtonCall(302, callstations::m48CommitRecord(302, {9999, 0})), 1);
}

void TestCallStationsSim::removedM48LeavesWithTheServersDelete()
{
    // An M48 removal leaves the cache to the DELETE message the server sends.
    QSignalSpy deleted(m_m48.get(), &OvM48ListMgr::m48Deleted);
    QCOMPARE(m_m48->removeStation(*m_m48->findCopy(303)), 0);  // offline
    QTRY_VERIFY(!m_m48->findCopy(303));
    QTRY_COMPARE(deleted.count(), 1);
    QCOMPARE(deleted.at(0).at(0).toInt(), 303);
    QCOMPARE(m_m48->lockList()->size(), size_t(3));
}

QTEST_MAIN(TestCallStationsSim)
#include "tst_callstations_sim.moc"
