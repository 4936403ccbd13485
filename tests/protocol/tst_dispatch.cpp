#include "CentreFixture.h"
#include "protocol/OvCommandRequest.h"
#include "protocol/OvLevelManage.h"

#include <QtTest>

#include <algorithm>
#include <mutex>

namespace {

// A data manager that records what the dispatcher offers it.
class RecordingMgr final : public OvBaseMgr
{
public:
    RecordingMgr(QByteArray name, std::vector<int> codes, QByteArray claimKey, QByteArrayList *journal,
                 std::mutex *lock)
        : OvBaseMgr(std::move(codes)), m_name(std::move(name)), m_claimKey(std::move(claimKey)),
          m_journal(journal), m_lock(lock)
    {
    }
    void onOk(int code, const QByteArray &) override { note("ok " + QByteArray::number(code)); }
    bool onNotify(const QByteArray &key, const QByteArray &) override
    {
        note("notify " + key);
        return key == m_claimKey;
    }
    bool onBody(const QByteArray &text) override
    {
        note("body '" + text + "'");
        return false;
    }
    void onError(int code, const QByteArray &) override { note("error " + QByteArray::number(code)); }
    void onDelete(const QByteArray &type, int id) override
    {
        note("delete '" + type + "' " + QByteArray::number(id));
    }
    void onDeleted(int) override {}

private:
    void note(const QByteArray &what)
    {
        std::lock_guard<std::mutex> guard(*m_lock);
        m_journal->append(m_name + ": " + what);
    }
    QByteArray m_name;
    QByteArray m_claimKey;
    QByteArrayList *m_journal;
    std::mutex *m_lock;
};

} // namespace

class TestDispatch : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void lowerIndexWinsANotification();
    void answersReachEveryManager_data();
    void answersReachEveryManager();
    void terminalConflictGoesToTheCallbackOnly();
    void setStaysInertAndDeleteCarriesItsType();
    void deleteWithoutFamilyOrNumberReachesNobody_data();
    void deleteWithoutFamilyOrNumberReachesNobody();
    void emptySlotsAreEmpty();

private:
    QByteArrayList journal();
    void notify(const QByteArray &type, const QByteArray &subtype, const QByteArray &body = "[]");
    // A notification that only slot 0 claims: once it is in the journal,
    // everything sent before it has been dispatched.
    void barrier();

    std::unique_ptr<ScriptedPeer> m_peer;
    std::unique_ptr<OvManageCenter> m_centre;
    std::mutex m_lock;
    QByteArrayList m_journal;
};

void TestDispatch::init()
{
    m_journal.clear();
    m_peer = std::make_unique<ScriptedPeer>();
    m_centre = std::make_unique<OvManageCenter>(OvManageCenter::Bare);
    QVERIFY(m_centre->installManager(OvManageCenter::TerminalSlot,
                                     std::make_unique<RecordingMgr>("m0", std::vector<int>{3, 4}, "SqlConfig_barrier",
                                                                    &m_journal, &m_lock)));
    QVERIFY(m_centre->installManager(OvManageCenter::BroadcastSlot,
                                     std::make_unique<RecordingMgr>("m3", std::vector<int>{30}, "SqlConfig_ipamp",
                                                                    &m_journal, &m_lock)));
    QVERIFY(m_centre->installManager(OvManageCenter::SchemeSlot,
                                     std::make_unique<RecordingMgr>("m18", std::vector<int>{180}, "SqlConfig_ipamp",
                                                                    &m_journal, &m_lock)));
    QVERIFY(startSession(*m_centre, *m_peer));
    // The session counts as logged in before the managers have seen the
    // login answer; start the journal once all three have.
    const auto loginAnswersSeen = [this] {
        const QByteArrayList j = journal();
        return std::count_if(j.begin(), j.end(), [](const QByteArray &e) { return e.endsWith(": ok 1"); });
    };
    QTRY_COMPARE(loginAnswersSeen(), 3L);
    std::lock_guard<std::mutex> guard(m_lock);
    m_journal.clear();
}

void TestDispatch::cleanup()
{
    m_centre.reset();
    m_peer.reset();
}

QByteArrayList TestDispatch::journal()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_journal;
}

void TestDispatch::notify(const QByteArray &type, const QByteArray &subtype, const QByteArray &body)
{
    m_peer->send("POST DBP/1.0\r\nPacket-Type:" + type + "\r\nPacket-Subtype:" + subtype + "\r\nContent-Length:"
                 + QByteArray::number(body.size()) + "\r\n\r\n" + body);
}

void TestDispatch::barrier()
{
    notify("SqlConfig", "barrier");
    QTRY_VERIFY(journal().contains("m0: notify SqlConfig_barrier"));
}

void TestDispatch::lowerIndexWinsANotification()
{
    notify("SqlConfig", "ipamp");
    barrier();
    QCOMPARE(journal(), (QByteArrayList{"m0: notify SqlConfig_ipamp", "m3: notify SqlConfig_ipamp",
                                        "m0: notify SqlConfig_barrier"}));
}

void TestDispatch::answersReachEveryManager_data()
{
    QTest::addColumn<int>("reply");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArrayList>("expected");
    QTest::newRow("ok to a code nobody owns")
        << int(ScriptedPeer::Reply::Ok) << 999 << int(Done)
        << QByteArrayList{"m0: ok 999", "m3: ok 999", "m18: ok 999"};
    QTest::newRow("refused") << int(ScriptedPeer::Reply::Failed) << 4 << int(Refused)
                             << QByteArrayList{"m0: error 4", "m3: error 4", "m18: error 4"};
}

void TestDispatch::answersReachEveryManager()
{
    QFETCH(int, reply);
    QFETCH(int, code);
    m_peer->setDefaultReply(ScriptedPeer::Reply(reply));
    OvCommandRequest r;
    QTEST(int(m_centre->request(r.buildPost(m_centre->nextCSeq(), "IpAmpPower", "{}\n"), code)), "result");
    // The managers had the answer before the request counted as answered.
    QTEST(journal(), "expected");
    // A refused answer to somebody else's request never touches the session.
    QCOMPARE(m_centre->state(), ConnectionState::LoggedIn);
}

void TestDispatch::terminalConflictGoesToTheCallbackOnly()
{
    std::mutex lock;
    QByteArrayList bodies;
    m_centre->setConflictCallback([&](int, const QByteArray &body) {
        std::lock_guard<std::mutex> guard(lock);
        bodies.append(body);
    });
    const QByteArray conflict = "[{\"terminalId\":\"12\",\"name\":\"\",\"type\":\"IP\",\"ip\":\"10.0.0.12\"}]";
    notify("TerminalConflict", "", conflict);
    barrier();
    QCOMPARE(journal(), QByteArrayList{"m0: notify SqlConfig_barrier"});
    std::lock_guard<std::mutex> guard(lock);
    QCOMPARE(bodies, QByteArrayList{conflict});
}

void TestDispatch::setStaysInertAndDeleteCarriesItsType()
{
    m_peer->send("SET DBP/1.0\r\nPacket-Type:Mic\r\nContent-Length:6\r\n\r\n<Mic/>");
    m_peer->send("DELETE DBP/1.0\r\nPacket-Type:MIC\r\nId: 7\r\nContent-Length:0\r\n\r\n");
    barrier();
    QCOMPARE(journal(), (QByteArrayList{"m0: body ''", "m3: body ''", "m18: body ''", "m0: delete 'MIC' 7",
                                        "m3: delete 'MIC' 7", "m18: delete 'MIC' 7", "m0: notify SqlConfig_barrier"}));
}

void TestDispatch::deleteWithoutFamilyOrNumberReachesNobody_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("Id not a number") << QByteArray("DELETE DBP/1.0\r\nPacket-Type:M26\r\nId: abc\r\n\r\n");
    QTest::newRow("Id with trailing letters") << QByteArray("DELETE DBP/1.0\r\nPacket-Type:M26\r\nId: 30x\r\n\r\n");
    QTest::newRow("Id empty") << QByteArray("DELETE DBP/1.0\r\nPacket-Type:M26\r\nId:\r\n\r\n");
    QTest::newRow("Id beyond 32 bits") << QByteArray("DELETE DBP/1.0\r\nPacket-Type:M26\r\nId: 4294967326\r\n\r\n");
    QTest::newRow("no Id line") << QByteArray("DELETE DBP/1.0\r\nPacket-Type:M26\r\n\r\n");
    QTest::newRow("no Packet-Type") << QByteArray("DELETE DBP/1.0\r\nId: 30\r\n\r\n");
}

void TestDispatch::deleteWithoutFamilyOrNumberReachesNobody()
{
    QFETCH(QByteArray, message);
    m_peer->send(message);
    barrier();
    QCOMPARE(journal(), QByteArrayList{"m0: notify SqlConfig_barrier"});
    QCOMPARE(m_centre->state(), ConnectionState::LoggedIn);
}

void TestDispatch::emptySlotsAreEmpty()
{
    QVERIFY(m_centre->manager(OvManageCenter::MicSlot) == nullptr);
    QVERIFY(m_centre->installManager(OvManageCenter::LevelSlot, std::make_unique<OvLevelManage>()));
    QVERIFY(!m_centre->installManager(OvManageCenter::LevelSlot, std::make_unique<OvLevelManage>()));
    QVERIFY(!m_centre->installManager(OvManageCenter::SlotCount, std::make_unique<OvLevelManage>()));
    QCOMPARE(centreGetSystemTime(nullptr), -1);
    QCOMPARE(centreSetLevelCallback(nullptr, {}), -1);
}

QTEST_GUILESS_MAIN(TestDispatch)
#include "tst_dispatch.moc"
