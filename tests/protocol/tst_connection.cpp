#include "CentreFixture.h"
#include "protocol/OvCommandRequest.h"
#include "protocol/StreamFramer.h"
#include "util/Clock.h"

#include <QtTest>

#include <atomic>

// The request table and the connection's limits against a scripted peer.
class TestConnection : public QObject
{
    Q_OBJECT
private slots:
    void loginUsesFirstCSeqAndSignedBody();
    void answers_data();
    void answers();
    void silentPeerTimesOutAndEmptiesTable();
    void slowAnswerIsNotCutOff();
    void unknownCSeqIsDropped();
    void keepAlivePendingMakesRequestWait();
    void ownAnswerDecides_data();
    void ownAnswerDecides();
    void closedConnectionGivesNotConnected();
    void systemTime_data();
    void systemTime();
    void brokenPeerEndsConnectionWithLoss_data();
    void brokenPeerEndsConnectionWithLoss();
    void connectFailureRunsLossCallback();
    void refusedLoginEndsQuietly();
};

void TestConnection::loginUsesFirstCSeqAndSignedBody()
{
    ScriptedPeer peer;
    OvManageCenter centre;
    QVERIFY(startSession(centre, peer));
    const QByteArray login = peer.received().value(0);
    QVERIFY(login.startsWith("LOGIN DBP/1.0\r\nCSeq: 1\r\nPacket-Type:TalkManagerLogin\r\nContent-Length:"));
    QVERIFY(login.contains("{\"Name\":\"admin\",\"PassWord\":\""));
    QVERIFY(!login.contains("\"PassWord\":\"admin\""));
    QCOMPARE(centre.loginOutcome(), int(OvLoginNetHandle::OutcomeAccepted));
    // Every later request takes the next number.
    QCOMPARE(centre.nextCSeq(), 2);
}

void TestConnection::answers_data()
{
    QTest::addColumn<int>("reply");
    QTest::addColumn<int>("expected");
    QTest::newRow("ok") << int(ScriptedPeer::Reply::Ok) << int(Done);
    QTest::newRow("failed") << int(ScriptedPeer::Reply::Failed) << int(Refused);
}

void TestConnection::answers()
{
    QFETCH(int, reply);
    ScriptedPeer peer;
    OvManageCenter centre;
    QVERIFY(startSession(centre, peer));
    peer.setDefaultReply(ScriptedPeer::Reply(reply));
    OvCommandRequest r;
    QTEST(int(centre.request(r.buildPost(centre.nextCSeq(), "IpAmpSet", "{}\n"), 4)), "expected");
    QCOMPARE(centre.pendingCount(), size_t(0));
}

void TestConnection::silentPeerTimesOutAndEmptiesTable()
{
    ManualClock clock;
    ScopedClock scoped(&clock);
    ScriptedPeer peer;
    OvManageCenter centre;
    QVERIFY(startSession(centre, peer, true, &clock));
    peer.setDefaultReply(ScriptedPeer::Reply::Silent);
    int turns = 0;
    qint64 timedOutAt = 0;
    const qint64 sentAt = clock.nowSeconds();
    centre.setEventPump([&] {
        if (++turns % 5 == 0)
            clock.advance(1);
        timedOutAt = clock.nowSeconds();
    });
    OvCommandRequest r;
    QCOMPARE(int(centre.request(r.buildPost(centre.nextCSeq(), "IpAmpSet", "{}\n"), 4)), int(TimedOut));
    QCOMPARE(timedOutAt - sentAt, qint64(3));  // "more than 2 whole seconds"
    QCOMPARE(centre.pendingCount(), size_t(0));
    // A late answer now finds an empty table and changes nothing.
    peer.send(ScriptedPeer::answer(true, centre.nextCSeq() - 1));
    QVERIFY(waitTurns(centre));
    QCOMPARE(centre.state(), ConnectionState::LoggedIn);
}

void TestConnection::slowAnswerIsNotCutOff()
{
    ManualClock clock;
    ScopedClock scoped(&clock);
    ScriptedPeer peer;
    OvManageCenter centre;
    QVERIFY(startSession(centre, peer, true, &clock));
    // Let the first keep-alive go and come back, so none falls due while the
    // answer streams in (a server never interleaves answers).
    clock.advance(1);
    QVERIFY(peer.waitFor("ONLINE ", 1));
    QTRY_COMPARE(centre.pendingCount(), size_t(0));
    const QByteArray body(200000, 'x');
    std::atomic<int> cseq{0};
    peer.setHandler([&](const QByteArray &request) {
        cseq = ScriptedPeer::cseqOf(request);
        return QByteArrayList();
    });
    // Each clock second a further tenth of the answer arrives: ten seconds
    // in all, yet never two without bytes.
    int turns = 0;
    int piece = 0;
    QByteArray answer;
    centre.setEventPump([&] {
        if (cseq == 0 || ++turns % 20 != 0)
            return;
        if (answer.isEmpty())
            answer = ScriptedPeer::answer(true, cseq, body);
        const int size = answer.size() / 10 + 1;
        if (piece * size < answer.size())
            peer.send(answer.mid(piece++ * size, size));
        clock.advance(1);
    });
    OvCommandRequest r;
    QCOMPARE(int(centre.request(r.buildSqlConfig(centre.nextCSeq(), "ipamp", "select * from ipamp"), 3)), int(Done));
    QCOMPARE(piece, 10);
    QVERIFY(clock.nowSeconds() >= 1700000000 + 12);
}

void TestConnection::unknownCSeqIsDropped()
{
    ScriptedPeer peer;
    OvManageCenter centre;
    QVERIFY(startSession(centre, peer));
    peer.setHandler([](const QByteArray &request) {
        const int cseq = ScriptedPeer::cseqOf(request);
        // A refusal for a request nobody sent, then the real answer.
        return QByteArrayList{ScriptedPeer::answer(false, cseq + 1000), ScriptedPeer::answer(true, cseq)};
    });
    OvCommandRequest r;
    QCOMPARE(int(centre.request(r.buildPost(centre.nextCSeq(), "IpAmpSet", "{}\n"), 4)), int(Done));
}

void TestConnection::keepAlivePendingMakesRequestWait()
{
    ManualClock clock;
    ScopedClock scoped(&clock);
    ScriptedPeer peer;
    OvManageCenter centre;
    QVERIFY(startSession(centre, peer, true, &clock));
    peer.setKeepAliveReply(ScriptedPeer::Reply::Silent);
    clock.advance(1);
    QVERIFY(peer.waitFor("ONLINE ", 1));
    QTRY_COMPARE(centre.pendingCount(), size_t(1));

    int turns = 0;
    int seenBeforeAnswer = -1;
    int keepAliveCSeq = -1;
    centre.setEventPump([&] {
        if (++turns != 10)
            return;
        const QByteArrayList got = peer.received();
        seenBeforeAnswer = got.size();
        keepAliveCSeq = ScriptedPeer::cseqOf(got.last());
        peer.send(ScriptedPeer::answer(true, keepAliveCSeq));
    });
    OvCommandRequest r;
    QCOMPARE(int(centre.request(r.buildPost(centre.nextCSeq(), "IpAmpSet", "{}\n"), 4)), int(Done));
    QVERIFY(turns >= 10);
    const QByteArrayList got = peer.received();
    QCOMPARE(got.size(), seenBeforeAnswer + 1);  // the request left only after the keep-alive's answer
    QVERIFY(got.last().startsWith("POST "));
    QVERIFY(ScriptedPeer::cseqOf(got.last()) > keepAliveCSeq);
}

void TestConnection::ownAnswerDecides_data()
{
    QTest::addColumn<bool>("ownOk");
    QTest::addColumn<bool>("answerKeepAlive");
    QTest::addColumn<int>("expected");
    // A keep-alive goes out while the request waits; its answer comes last.
    QTest::newRow("refusal, then the keep-alive's ok") << false << true << int(Refused);
    QTest::newRow("ok, keep-alive never answered") << true << false << int(Done);
}

void TestConnection::ownAnswerDecides()
{
    QFETCH(bool, ownOk);
    QFETCH(bool, answerKeepAlive);
    ManualClock clock;
    ScopedClock scoped(&clock);
    ScriptedPeer peer;
    OvManageCenter centre;
    QVERIFY(startSession(centre, peer, true, &clock));
    peer.setKeepAliveReply(ScriptedPeer::Reply::Silent);
    std::atomic<int> cseq{0};
    peer.setHandler([&](const QByteArray &request) {
        cseq = ScriptedPeer::cseqOf(request);
        return QByteArrayList();
    });
    int stage = 0;
    centre.setEventPump([&] {
        if (stage == 0 && cseq != 0) {
            clock.advance(1);  // the keep-alive falls due
            stage = 1;
        } else if (stage == 1 && peer.count("ONLINE ") == 1) {
            const int keepAlive = ScriptedPeer::cseqOf(peer.received().last());
            peer.send(ScriptedPeer::answer(ownOk, cseq));
            if (answerKeepAlive)
                peer.send(ScriptedPeer::answer(true, keepAlive));
            stage = 2;
        }
    });
    OvCommandRequest r;
    QTEST(int(centre.request(r.buildPost(centre.nextCSeq(), "IpAmpSet", "{}\n"), 4)), "expected");
    QCOMPARE(stage, 2);
}

void TestConnection::closedConnectionGivesNotConnected()
{
    ScriptedPeer peer;
    OvManageCenter centre;
    QVERIFY(startSession(centre, peer));
    peer.setDefaultReply(ScriptedPeer::Reply::Silent);
    OvCommandRequest r;
    int turns = 0;
    centre.setEventPump([&] {
        if (++turns == 3)
            peer.closeClient();
    });
    QCOMPARE(int(centre.request(r.buildPost(centre.nextCSeq(), "IpAmpSet", "{}\n"), 4)), int(NotConnected));
    QCOMPARE(centre.state(), ConnectionState::Closed);
    // Once closed, at once and without sending.
    const int before = peer.received().size();
    QCOMPARE(int(centre.request(r.buildPost(centre.nextCSeq(), "IpAmpSet", "{}\n"), 4)), int(NotConnected));
    QCOMPARE(peer.received().size(), before);
}

void TestConnection::systemTime_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("seconds") << QByteArray("{\"SystemTime\":\"1765362000\"}") << QByteArray("1765362000");
    QTest::newRow("empty member") << QByteArray("{\"SystemTime\":\"\"}") << QByteArray("----");
    QTest::newRow("missing member") << QByteArray("{\"Other\":\"1\"}") << QByteArray("----");
    QTest::newRow("not json keeps the old value") << QByteArray("garbage") << QByteArray("1000");
}

void TestConnection::systemTime()
{
    QFETCH(QByteArray, body);
    ScriptedPeer peer;
    OvManageCenter centre;
    QVERIFY(startSession(centre, peer));
    std::atomic<int> served{0};
    QByteArray next = "{\"SystemTime\":\"1000\"}";
    peer.setHandler([&](const QByteArray &request) {
        ++served;
        return QByteArrayList{ScriptedPeer::answer(true, ScriptedPeer::cseqOf(request), next)};
    });
    QCOMPARE(centre.getSystemTime(), 0);
    QTRY_COMPARE(centre.systemTime(), QByteArray("1000"));
    const QByteArray sent = peer.received().last();
    QCOMPARE(sent, QByteArray("GET DBP/1.0\r\nCSeq:") + QByteArray::number(ScriptedPeer::cseqOf(sent))
                       + "\r\nPacket-Type:GetSystemTime\r\nContent-Length:0\r\n\r\n");
    QCOMPARE(centre.pendingCount(), size_t(0));

    next = body;
    QCOMPARE(centre.getSystemTime(), 0);
    QTRY_COMPARE(served.load(), 2);
    QVERIFY(waitTurns(centre));
    QTEST(centre.systemTime(), "expected");
}

void TestConnection::brokenPeerEndsConnectionWithLoss_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("content length of four billion")
        << QByteArray("POST DBP/1.0\r\nContent-Length:4000000000\r\n\r\n");
    QByteArray endless = "POST DBP/1.0\r\n";
    while (endless.size() <= StreamFramer::kMaxHeaderBytes)
        endless += "X-Filler: 0123456789012345678901234567890123456789\r\n";
    QTest::newRow("header block that never ends") << endless;
    QTest::newRow("peer closes") << QByteArray();
}

void TestConnection::brokenPeerEndsConnectionWithLoss()
{
    QFETCH(QByteArray, sent);
    ScriptedPeer peer;
    OvManageCenter centre;
    std::atomic<int> losses{0};
    centre.setLossCallback([&] { ++losses; });
    QVERIFY(startSession(centre, peer));
    if (sent.isEmpty())
        peer.closeClient();
    else
        peer.send(sent);
    QTRY_COMPARE(centre.state(), ConnectionState::Closed);
    QTRY_COMPARE(losses.load(), 1);
}

void TestConnection::connectFailureRunsLossCallback()
{
    quint16 deadPort;
    {
        ScriptedPeer gone;
        deadPort = gone.port();
    }
    OvManageCenter centre;
    std::atomic<int> losses{0};
    centre.setLossCallback([&] { ++losses; });
    centre.setServerAddress(QStringLiteral("127.0.0.1"), deadPort);
    centre.startReceiveThread();
    QTRY_COMPARE(centre.state(), ConnectionState::Closed);
    QTRY_COMPARE(losses.load(), 1);
    QCOMPARE(centre.loginOutcome(), int(OvLoginNetHandle::OutcomeReset));
}

void TestConnection::refusedLoginEndsQuietly()
{
    ScriptedPeer peer;
    peer.setLoginReply(ScriptedPeer::Reply::Failed);
    OvManageCenter centre;
    std::atomic<int> losses{0};
    centre.setLossCallback([&] { ++losses; });
    QVERIFY(startSession(centre, peer, false));
    QTRY_COMPARE(centre.loginOutcome(), int(OvLoginNetHandle::OutcomeRefused));
    QTRY_COMPARE(centre.state(), ConnectionState::Closed);
    QVERIFY(waitTurns(centre, 0));
    QCOMPARE(losses.load(), 0);

    // A second attempt on the same centre starts afresh.
    peer.setLoginReply(ScriptedPeer::Reply::Ok);
    QVERIFY(startSession(centre, peer));
    QCOMPARE(centre.loginOutcome(), int(OvLoginNetHandle::OutcomeAccepted));
}

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
