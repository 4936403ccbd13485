#include "CentreFixture.h"

#include <QtTest>

#include <atomic>

// Keep-alive cadence and the 300 s loss limit, on an injected clock.
class TestKeepAlive : public QObject
{
    Q_OBJECT
private slots:
    void cadenceIsOneSecondThenEvery21();
    void lossLimit_data();
    void lossLimit();
    void unansweredLoginRepeatsAndEndsQuietly();

private:
    // Moves the clock to `at` and lets the receive loop see it.
    static void moveTo(ManualClock &clock, const OvManageCenter &centre, qint64 at)
    {
        clock.set(at);
        QVERIFY(waitTurns(centre));
    }
};

void TestKeepAlive::cadenceIsOneSecondThenEvery21()
{
    ManualClock clock;
    ScopedClock scoped(&clock);
    ScriptedPeer peer;
    OvManageCenter centre;
    QVERIFY(startSession(centre, peer, true, &clock));
    const qint64 t0 = clock.nowSeconds();  // the login answer's second

    moveTo(clock, centre, t0);
    QCOMPARE(peer.count("ONLINE "), 0);
    moveTo(clock, centre, t0 + 1);
    QVERIFY(peer.waitFor("ONLINE ", 1));
    moveTo(clock, centre, t0 + 21);
    QCOMPARE(peer.count("ONLINE "), 1);
    moveTo(clock, centre, t0 + 22);
    QVERIFY(peer.waitFor("ONLINE ", 2));
    moveTo(clock, centre, t0 + 43);
    QVERIFY(peer.waitFor("ONLINE ", 3));
    QCOMPARE(peer.count("ONLINE "), 3);
    const QByteArray online = peer.received().last();
    QCOMPARE(online, "ONLINE DBP/1.0\r\nCSeq: " + QByteArray::number(ScriptedPeer::cseqOf(online)) + "\r\n\r\n");
}

void TestKeepAlive::lossLimit_data()
{
    QTest::addColumn<int>("reply");
    QTest::newRow("keep-alives unanswered") << int(ScriptedPeer::Reply::Silent);
    QTest::newRow("keep-alives refused") << int(ScriptedPeer::Reply::Failed);
}

void TestKeepAlive::lossLimit()
{
    QFETCH(int, reply);
    ManualClock clock;
    ScopedClock scoped(&clock);
    ScriptedPeer peer;
    peer.setKeepAliveReply(ScriptedPeer::Reply(reply));
    OvManageCenter centre;
    std::atomic<int> losses{0};
    centre.setLossCallback([&] { ++losses; });
    QVERIFY(startSession(centre, peer, true, &clock));
    const qint64 t0 = clock.nowSeconds();

    // Walk through the keep-alives; none is accepted.
    for (qint64 t = t0 + 1; t <= t0 + 300; t += 50)
        moveTo(clock, centre, t);
    moveTo(clock, centre, t0 + 300);
    QCOMPARE(centre.state(), ConnectionState::LoggedIn);
    QVERIFY(peer.count("ONLINE ") >= 1);
    clock.set(t0 + 301);
    QTRY_COMPARE(centre.state(), ConnectionState::Closed);
    QTRY_COMPARE(losses.load(), 1);
}

void TestKeepAlive::unansweredLoginRepeatsAndEndsQuietly()
{
    ManualClock clock;
    ScopedClock scoped(&clock);
    ScriptedPeer peer;
    peer.setLoginReply(ScriptedPeer::Reply::Silent);
    OvManageCenter centre;
    std::atomic<int> losses{0};
    centre.setLossCallback([&] { ++losses; });
    const qint64 t0 = clock.nowSeconds();
    QVERIFY(startSession(centre, peer, false, &clock));
    QVERIFY(peer.waitFor("LOGIN ", 1));
    moveTo(clock, centre, t0 + 21);
    QCOMPARE(peer.count("LOGIN "), 1);
    // The table still holds the first login; the repeat is sent all the same.
    moveTo(clock, centre, t0 + 22);
    QVERIFY(peer.waitFor("LOGIN ", 2));
    moveTo(clock, centre, t0 + 300);
    QCOMPARE(centre.state(), ConnectionState::Connected);
    clock.set(t0 + 301);
    QTRY_COMPARE(centre.state(), ConnectionState::Closed);
    // The loss callback would run after the state turned Closed: wait for
    // the receive thread to end before asserting it did not.
    centre.stopReceiveThread();
    QCOMPARE(losses.load(), 0);
    QCOMPARE(centre.loginOutcome(), int(OvLoginNetHandle::OutcomeReset));
}

QTEST_GUILESS_MAIN(TestKeepAlive)
#include "tst_keepalive.moc"
