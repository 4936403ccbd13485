#include "CentreFixture.h"
#include "protocol/OvCommandRequest.h"
#include "protocol/StreamFramer.h"
#include "util/Clock.h"

#include <QLoggingCategory>
#include <QtTest>

#include <atomic>
#include <memory>
#include <mutex>

// The request table and the connection's limits against a scripted peer.
class TestConnection : public QObject
{
    Q_OBJECT
private slots:
    void loginUsesFirstCSeqAndSignedBody();
    void answers_data();
    void answers();
    void silentPeerTimesOutAndEmptiesTable();
    void staleEntryDoesNotHoldLaterRequests_data();
    void staleEntryDoesNotHoldLaterRequests();
    void lostAnswerTimesOutUnderSteadyTraffic();
    void streamingAnswer_data();
    void streamingAnswer();
    void unknownCSeqIsDropped();
    void passwordGoesOutButNotToTheLog();
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

namespace {

enum class Leftover { UnansweredKeepAlive, KeepAliveAnswered400Error, LoginOfEarlierAttempt };

// Pumps the GUI side of a waiting request; after `turns` turns with the
// clock standing still it closes the peer, so a request that would wait for
// ever returns 4 instead of hanging the test.
void closeAfterTurns(OvManageCenter &centre, ScriptedPeer &peer, int turns)
{
    auto counter = std::make_shared<int>(0);
    centre.setEventPump([counter, &peer, turns] {
        if (++*counter == turns)
            peer.closeClient();
    });
}

} // namespace

void TestConnection::staleEntryDoesNotHoldLaterRequests_data()
{
    QTest::addColumn<int>("leftover");
    QTest::newRow("unanswered keep-alive") << int(Leftover::UnansweredKeepAlive);
    QTest::newRow("keep-alive answered 400 Error") << int(Leftover::KeepAliveAnswered400Error);
    QTest::newRow("login of an earlier attempt") << int(Leftover::LoginOfEarlierAttempt);
}

void TestConnection::staleEntryDoesNotHoldLaterRequests()
{
    QFETCH(int, leftover);
    ManualClock clock;
    ScopedClock scoped(&clock);
    ScriptedPeer peer;
    OvManageCenter centre;
    if (Leftover(leftover) == Leftover::LoginOfEarlierAttempt) {
        // The first attempt's login is never answered; the second is.
        peer.setLoginReply(ScriptedPeer::Reply::Silent);
        QVERIFY(startSession(centre, peer, false, &clock));
        QVERIFY(peer.waitFor("LOGIN ", 1));
        QTRY_COMPARE(centre.pendingCount(), size_t(1));
        centre.stopReceiveThread();
        peer.setLoginReply(ScriptedPeer::Reply::Ok);
        QVERIFY(startSession(centre, peer, true, &clock));
        // Not two seconds later: only the new connection's start forgets it.
    } else {
        QVERIFY(startSession(centre, peer, true, &clock));
        peer.setKeepAliveReply(ScriptedPeer::Reply::Silent);
        clock.advance(1);
        QVERIFY(peer.waitFor("ONLINE ", 1));
        QTRY_COMPARE(centre.pendingCount(), size_t(1));
        if (Leftover(leftover) == Leftover::KeepAliveAnswered400Error) {
            const quint64 before = centre.bytesReceived();
            const QByteArray answer = "DBP/1.0 400 Error\r\nCSeq: "
                + QByteArray::number(ScriptedPeer::cseqOf(peer.received().last())) + "\r\n\r\n";
            peer.send(answer);
            QTRY_COMPARE(centre.bytesReceived(), before + quint64(answer.size()));
            QVERIFY(waitTurns(centre));
            QCOMPARE(centre.pendingCount(), size_t(1));  // the answer completes nothing
        }
        clock.advance(OvNetManage::kAnswerLimitSeconds + 1);
    }
    closeAfterTurns(centre, peer, 500);
    OvCommandRequest r;
    QCOMPARE(int(centre.request(r.buildPost(centre.nextCSeq(), "IpAmpSet", "{}\n"), 4)), int(Done));
    QVERIFY(peer.received().last().startsWith("POST "));
    QCOMPARE(centre.pendingCount(), size_t(0));
}

void TestConnection::lostAnswerTimesOutUnderSteadyTraffic()
{
    ManualClock clock;
    ScopedClock scoped(&clock);
    ScriptedPeer peer;
    OvManageCenter centre;
    QVERIFY(startSession(centre, peer, true, &clock));
    peer.setKeepAliveReply(ScriptedPeer::Reply::Silent);
    std::atomic<int> cseq{0};
    peer.setHandler([&](const QByteArray &request) {
        cseq = ScriptedPeer::cseqOf(request);
        return QByteArrayList();  // the answer is lost
    });
    // A notification every half clock second, each one seen by the console
    // before the next is sent.
    const QByteArray notification = "POST DBP/1.0\r\nPacket-Type:SqlConfig\r\nPacket-Subtype:ticker\r\n"
                                    "Content-Length:2\r\n\r\n[]";
    quint64 expected = centre.bytesReceived();
    int sent = 0;
    qint64 sentAt = 0;
    centre.setEventPump([&] {
        if (cseq == 0)
            return;
        if (sentAt == 0)
            sentAt = clock.nowSeconds();
        if (centre.bytesReceived() < expected)
            return;
        if (++sent % 2 == 0)
            clock.advance(1);
        if (clock.nowSeconds() - sentAt > 60)
            peer.closeClient();  // never answered: end the wait with 4
        peer.send(notification);
        expected += quint64(notification.size());
    });
    OvCommandRequest r;
    QCOMPARE(int(centre.request(r.buildPost(centre.nextCSeq(), "IpAmpSet", "{}\n"), 4)), int(TimedOut));
    // The clock moves only in the pump: it shows when the wait ended.
    QCOMPARE(clock.nowSeconds() - sentAt, OvNetManage::kAnswerLimitSeconds + 1);
    QVERIFY(sent >= 4);
    QCOMPARE(centre.pendingCount(), size_t(0));
}

void TestConnection::streamingAnswer_data()
{
    QTest::addColumn<int>("bodyBytes");
    QTest::addColumn<int>("pieces");  // one each clock second
    QTest::addColumn<int>("expected");
    QTest::newRow("200 KB over 10 s") << 200000 << 10 << int(Done);
    QTest::newRow("20 MB over 20 s") << 20 * 1024 * 1024 << 20 << int(Done);
    QTest::newRow("still streaming after 30 s") << 400000 << 40 << int(TimedOut);
}

void TestConnection::streamingAnswer()
{
    QFETCH(int, bodyBytes);
    QFETCH(int, pieces);
    ManualClock clock;
    ScopedClock scoped(&clock);
    ScriptedPeer peer;
    OvManageCenter centre;
    QVERIFY(startSession(centre, peer, true, &clock));
    // Let the first keep-alive go and come back; later ones stay unanswered,
    // so no answer of the peer cuts into the streamed one.
    clock.advance(1);
    QVERIFY(peer.waitFor("ONLINE ", 1));
    QTRY_COMPARE(centre.pendingCount(), size_t(0));
    peer.setKeepAliveReply(ScriptedPeer::Reply::Silent);
    std::atomic<int> cseq{0};
    peer.setHandler([&](const QByteArray &request) {
        cseq = ScriptedPeer::cseqOf(request);
        return QByteArrayList();
    });
    // Each clock second the next piece arrives, and the clock moves on only
    // once the console has read it: never two seconds without bytes.
    const QByteArray body(bodyBytes, 'x');
    QByteArray answer;
    int piece = 0;
    quint64 expected = 0;
    qint64 sentAt = 0;
    centre.setEventPump([&] {
        if (cseq == 0 || centre.bytesReceived() < expected)
            return;
        if (answer.isEmpty()) {
            answer = ScriptedPeer::answer(true, cseq, body);
            sentAt = clock.nowSeconds();
            expected = centre.bytesReceived();
        } else {
            clock.advance(1);
        }
        const int size = answer.size() / pieces + 1;
        if (piece * size < answer.size()) {
            const QByteArray part = answer.mid(piece++ * size, size);
            expected += quint64(part.size());
            peer.send(part);
        }
    });
    OvCommandRequest r;
    QTEST(int(centre.request(r.buildSqlConfig(centre.nextCSeq(), "ipamp", "select * from ipamp"), 3)), "expected");
    if (QTest::currentDataTag() == QByteArray("still streaming after 30 s")) {
        QCOMPARE(clock.nowSeconds() - sentAt, OvNetManage::kAnswerCapSeconds + 1);
        QVERIFY(piece < pieces);
    } else {
        QCOMPARE(piece, pieces);
        QVERIFY(clock.nowSeconds() - sentAt >= pieces - 1);
    }
}

namespace {

std::mutex g_logLock;
QStringList g_log;
QLoggingCategory::CategoryFilter g_previousFilter = nullptr;

// The tests run with the protocol log switched off; this test needs it on.
void protocolLogOn(QLoggingCategory *category)
{
    if (g_previousFilter)
        g_previousFilter(category);
    if (qstrcmp(category->categoryName(), "talkback.dbp") == 0)
        category->setEnabled(QtDebugMsg, true);
}

void keepMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    std::lock_guard<std::mutex> guard(g_logLock);
    g_log.append(text);
}

} // namespace

void TestConnection::passwordGoesOutButNotToTheLog()
{
    ScriptedPeer peer;
    OvManageCenter centre;
    QVERIFY(startSession(centre, peer));
    g_previousFilter = QLoggingCategory::installFilter(protocolLogOn);
    const QtMessageHandler previous = qInstallMessageHandler(keepMessage);
    OvCommandRequest r;
    const QByteArray body = R"({"Name":"operator","NewPassWord":"s3cret-9"})" "\n";
    const int result = int(centre.request(r.buildPost(centre.nextCSeq(), "ModifyPassWord", body), 4));
    qInstallMessageHandler(previous);
    QLoggingCategory::installFilter(g_previousFilter);
    QCOMPARE(result, int(Done));
    QVERIFY(peer.received().last().endsWith(body));
    std::lock_guard<std::mutex> guard(g_logLock);
    const QString logged = g_log.join('\n');
    QVERIFY(logged.contains(QStringLiteral("\"NewPassWord\":\"***\"")));
    QVERIFY(!logged.contains(QStringLiteral("s3cret-9")));
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
    // The loss callback would run after the state turned Closed: wait for
    // the receive thread to end before asserting it did not.
    centre.stopReceiveThread();
    QCOMPARE(losses.load(), 0);

    // A second attempt on the same centre starts afresh.
    peer.setLoginReply(ScriptedPeer::Reply::Ok);
    QVERIFY(startSession(centre, peer));
    QCOMPARE(centre.loginOutcome(), int(OvLoginNetHandle::OutcomeAccepted));
}

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
