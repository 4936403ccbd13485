#include "CentreFixture.h"
#include "SimProcess.h"
#include "protocol/OvCommandRequest.h"
#include "protocol/OvLevelManage.h"
#include "util/BodyParsers.h"

#include <QtTest>

#include <atomic>
#include <mutex>

namespace {

// Keeps what the dispatcher hands it, for the assertions of the test thread.
class CaptureMgr final : public OvBaseMgr
{
public:
    static constexpr int kListCode = 3;
    CaptureMgr() : OvBaseMgr({kListCode}) {}
    void onOk(int code, const QByteArray &body) override
    {
        if (code != kListCode)
            return;
        std::lock_guard<std::mutex> guard(lock);
        lists.append(body);
    }
    bool onNotify(const QByteArray &key, const QByteArray &body) override
    {
        if (!key.startsWith("SqlConfig_"))
            return false;
        std::lock_guard<std::mutex> guard(lock);
        notifications.append(key + ' ' + body);
        return true;
    }
    bool onBody(const QByteArray &) override { return false; }
    void onDeleted(int) override {}

    QByteArrayList takeNotifications()
    {
        std::lock_guard<std::mutex> guard(lock);
        QByteArrayList out;
        out.swap(notifications);
        return out;
    }

    std::mutex lock;
    QByteArrayList lists;
    QByteArrayList notifications;
};

struct Session
{
    explicit Session(const QStringList &simArgs = {}) : sim(simArgs), centre(OvManageCenter::Bare)
    {
        auto capture = std::make_unique<CaptureMgr>();
        rows = capture.get();
        centre.installManager(OvManageCenter::TerminalSlot, std::move(capture));
        auto levelMgr = std::make_unique<OvLevelManage>();
        levelMgr->setLevelCallback([this](const std::vector<OvLevel> &got) {
            std::lock_guard<std::mutex> guard(levelLock);
            levels = got;
        });
        centre.installManager(OvManageCenter::LevelSlot, std::move(levelMgr));
        centre.setLossCallback([this] { ++losses; });
    }
    bool login(const QByteArray &user, const QByteArray &password, ManualClock *clock = nullptr)
    {
        centre.setServerAddress(QStringLiteral("127.0.0.1"), sim.dbpPort());
        centre.setCredentials(user, password);
        centre.startReceiveThread();
        if (clock)
            clock->advance(1);
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 15000 && centre.state() != ConnectionState::LoggedIn
               && centre.state() != ConnectionState::Closed)
            QTest::qWait(5);
        return centre.state() == ConnectionState::LoggedIn;
    }
    size_t levelCount()
    {
        std::lock_guard<std::mutex> guard(levelLock);
        return levels.size();
    }

    SimProcess sim;
    OvManageCenter centre;
    CaptureMgr *rows = nullptr;
    std::mutex levelLock;
    std::vector<OvLevel> levels;
    std::atomic<int> losses{0};
};

} // namespace

// The console's session core against the installation simulator.
class TestSimSession : public QObject
{
    Q_OBJECT
private slots:
    void login_data();
    void login();
    void keepAliveAndItsLimit();
    void listFetchAndChangeNotification();
    void refusedCommandAndServerTime();
    void oversizedAnswerEndsTheSession();
};

void TestSimSession::login_data()
{
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("admin") << QByteArray("admin") << QByteArray("admin") << true;
    QTest::newRow("chinese account") << QStringLiteral("值班员").toUtf8() << QByteArray("888888") << true;
    QTest::newRow("wrong password") << QByteArray("admin") << QByteArray("nimda") << false;
    QTest::newRow("unknown user") << QByteArray("nobody") << QByteArray("admin") << false;
}

void TestSimSession::login()
{
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, password);
    QFETCH(bool, accepted);
    Session s;
    QVERIFY2(s.sim.isRunning(), qPrintable(s.sim.errorString()));
    QCOMPARE(s.login(user, password), accepted);
    const QByteArray sent = s.sim.receivedLog();
    QVERIFY(sent.startsWith("LOGIN DBP/1.0\r\nCSeq: 1\r\nPacket-Type:TalkManagerLogin\r\nContent-Length:"));
    QVERIFY(!sent.contains("\"PassWord\":\"" + password + "\""));
    if (accepted) {
        QCOMPARE(s.centre.loginOutcome(), int(OvLoginNetHandle::OutcomeAccepted));
        // The server pushes its levels after a login; terminal edits are allowed.
        QTRY_VERIFY(s.levelCount() >= 2);
        std::lock_guard<std::mutex> guard(s.levelLock);
        QVERIFY(levelAllows(s.levels, OvLevel::TerminalOperations, currentUser().level));
    } else {
        QTRY_COMPARE(s.centre.loginOutcome(), int(OvLoginNetHandle::OutcomeRefused));
        QTRY_COMPARE(s.centre.state(), ConnectionState::Closed);
        QCOMPARE(s.losses.load(), 0);
    }
}

void TestSimSession::keepAliveAndItsLimit()
{
    ManualClock clock;
    ScopedClock scoped(&clock);
    Session s;
    QVERIFY(s.login("admin", "admin", &clock));
    const qint64 t0 = clock.nowSeconds();
    s.sim.clearReceivedLog();
    clock.set(t0 + 1);
    QTRY_VERIFY(s.sim.receivedLog().startsWith("ONLINE DBP/1.0\r\nCSeq: 2\r\n\r\n"));
    QTRY_COMPARE(s.centre.pendingCount(), size_t(0));

    // A server that stops answering keep-alives loses the console after 300 s.
    QVERIFY(s.sim.command("fault no-keepalive").startsWith("ok"));
    for (qint64 t = t0 + 22; t <= t0 + 301; t += 40) {
        clock.set(t);
        QVERIFY(waitTurns(s.centre));
    }
    QCOMPARE(s.centre.state(), ConnectionState::LoggedIn);
    clock.set(t0 + 302);
    QTRY_COMPARE(s.centre.state(), ConnectionState::Closed);
    QTRY_COMPARE(s.losses.load(), 1);
}

void TestSimSession::listFetchAndChangeNotification()
{
    Session s;
    QVERIFY(s.login("admin", "admin"));
    OvCommandRequest r;
    const int cseq = s.centre.nextCSeq();
    QCOMPARE(int(s.centre.request(r.buildSqlConfig(cseq, "ipamp", "select * from ipamp"), CaptureMgr::kListCode)),
             int(Done));
    QVERIFY(s.sim.receivedLog().endsWith("GET DBP/1.0\r\nCSeq: " + QByteArray::number(cseq)
                                         + "\r\nPacket-Type:SqlConfig\r\nPacket-Subtype: ipamp\r\n"
                                           "Content-Length:19\r\n\r\nselect * from ipamp"));
    QByteArray list;
    {
        std::lock_guard<std::mutex> guard(s.rows->lock);
        QCOMPARE(s.rows->lists.size(), 1);
        list = s.rows->lists.first();
    }
    Json::Value rows;
    QVERIFY(body::parseJson(list, rows));
    QVERIFY(rows.isArray());
    QVERIFY(rows.size() >= 20);
    QVERIFY(rows[0]["terminalId"].isString());

    // A state change on the server reaches the manager as a change notification.
    s.rows->takeNotifications();
    QVERIFY(s.sim.command("status 5 0").startsWith("ok"));
    QTRY_COMPARE(s.rows->notifications.size(), 1);
    const QByteArray note = s.rows->takeNotifications().first();
    QVERIFY(note.startsWith("SqlConfig_ipamp ["));
    QVERIFY(note.contains("\"terminalId\":\"5\""));
}

void TestSimSession::refusedCommandAndServerTime()
{
    Session s({"--fault", "refuse IpAmpPower"});
    QVERIFY(s.login("admin", "admin"));
    OvCommandRequest r;
    QCOMPARE(int(s.centre.request(r.buildPost(s.centre.nextCSeq(), "IpAmpPower", "{\"Id\":\"5\",\"Power\":\"1\"}\n"), 5)),
             int(Refused));
    QCOMPARE(s.centre.getSystemTime(), 0);
    QTRY_VERIFY(!s.centre.systemTime().isEmpty());
    bool numeric = false;
    QVERIFY(s.centre.systemTime().toLongLong(&numeric) > 1600000000);
    QVERIFY(numeric);
}

void TestSimSession::oversizedAnswerEndsTheSession()
{
    Session s;
    QVERIFY(s.login("admin", "admin"));
    QVERIFY(s.sim.command("send oversized").startsWith("ok"));
    QTRY_COMPARE(s.centre.state(), ConnectionState::Closed);
    QTRY_COMPARE(s.losses.load(), 1);
}

QTEST_GUILESS_MAIN(TestSimSession)
#include "tst_sim_session.moc"
