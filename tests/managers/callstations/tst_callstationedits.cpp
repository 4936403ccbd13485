#include "FamilyPeer.h"
#include "managers/callstations/ButtonCallRecords.h"
#include "managers/callstations/OvM26ListMgr.h"
#include "managers/callstations/OvM48ListMgr.h"

#include <QtTest>

// The call stations' edits against a scripted server: the result of every
// request is the server's, and the cache changes only when it agreed.
class TestCallStationEdits : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void failedEditsLeaveTheCache_data();
    void failedEditsLeaveTheCache();
    void agreedEditsChangeTheCache();
    void closedConnection();

private:
    std::unique_ptr<FamilyPeer> m_peer;
    std::unique_ptr<OvM26ListMgr> m_m26;
    std::unique_ptr<OvM48ListMgr> m_m48;
};

void TestCallStationEdits::init()
{
    m_peer = std::make_unique<FamilyPeer>();
    QVERIFY(m_peer->loggedIn);
    m_peer->setReply("SqlConfig", ScriptedPeer::Reply::Ok,
                     R"([{"terminalId":"201","name":"Gate","type":"Mic26","bellVol":"80"}])");
    m_m26 = std::make_unique<OvM26ListMgr>(m_peer->centre.get());
    m_peer->setReply("SqlConfig", ScriptedPeer::Reply::Ok,
                     R"([{"terminalId":"301","name":"Hall","type":"Mic48","ledTxt":"Welcome"}])");
    m_m48 = std::make_unique<OvM48ListMgr>(m_peer->centre.get());
    QVERIFY(m_m26->findCopy(201));
    QVERIFY(m_m48->findCopy(301));
}

void TestCallStationEdits::cleanup()
{
    if (m_peer)
        m_peer->stop();
    m_m26.reset();
    m_m48.reset();
    m_peer.reset();
}

void TestCallStationEdits::failedEditsLeaveTheCache_data()
{
    QTest::addColumn<int>("reply");
    QTest::addColumn<int>("result");
    QTest::newRow("refused") << int(ScriptedPeer::Reply::Failed) << 1;
    QTest::newRow("timed out") << int(ScriptedPeer::Reply::Silent) << 3;
}

void TestCallStationEdits::failedEditsLeaveTheCache()
{
    QFETCH(int, reply);
    QFETCH(int, result);
    const auto kind = ScriptedPeer::Reply(reply);
    for (const char *type : {"ModTalkTerminal", "RemoveDevice", "ModM48Led"})
        m_peer->setReply(type, kind);
    QSignalSpy m26Changed(m_m26.get(), &OvM26ListMgr::m26Changed);
    QSignalSpy m26Deleted(m_m26.get(), &OvM26ListMgr::m26Deleted);

    OvMic station = *m_m26->findCopy(201);
    station.name = "Renamed";
    QCOMPARE(m_m26->saveSettings(station), result);
    QCOMPARE(m_m26->removeStation(station), result);
    QCOMPARE(m_m26->findCopy(201)->name, QByteArray("Gate"));

    OvMic led = *m_m48->findCopy(301);
    led.ledTxt = "Closed";
    QCOMPARE(m_m48->setLed(led), result);
    QCOMPARE(m_m48->findCopy(301)->ledTxt, QByteArray("Welcome"));

    QTest::qWait(50);
    QCOMPARE(m26Changed.count(), 0);
    QCOMPARE(m26Deleted.count(), 0);
}

void TestCallStationEdits::agreedEditsChangeTheCache()
{
    QSignalSpy m26Deleted(m_m26.get(), &OvM26ListMgr::m26Deleted);
    QSignalSpy m48Changed(m_m48.get(), &OvM48ListMgr::m48Changed);
    OvMic led = *m_m48->findCopy(301);
    led.ledTxt = "Closed";
    QCOMPARE(m_m48->setLed(led), 0);
    QCOMPARE(m_m48->findCopy(301)->ledTxt, QByteArray("Closed"));
    QVERIFY(m48Changed.wait());

    QCOMPARE(m_m26->removeStation(*m_m26->findCopy(201)), 0);
    QVERIFY(!m_m26->findCopy(201));
    QVERIFY(m26Deleted.wait());

    QCOMPARE(m_m26->commitButtonCalls(201, callstations::m26CommitRecords(201, {}, false)), 0);
    QCOMPARE(m_peer->countOf("M26ButtonCall"), 1);
}

void TestCallStationEdits::closedConnection()
{
    m_peer->peer->closeClient();
    QTRY_VERIFY_WITH_TIMEOUT(m_peer->centre->state() == ConnectionState::Closed, 10000);
    OvMic station = *m_m26->findCopy(201);
    station.name = "Renamed";
    QCOMPARE(m_m26->saveSettings(station), 4);
    QCOMPARE(m_m26->removeStation(station), 4);
    QCOMPARE(m_m48->commitButtonCall(301, callstations::m48CommitRecord(301, {101, 0})), 4);
    QCOMPARE(m_m26->findCopy(201)->name, QByteArray("Gate"));
}

QTEST_MAIN(TestCallStationEdits)
#include "tst_callstationedits.moc"
