#include "FamilyPeer.h"
#include "managers/tts/OvTtsListMgr.h"
#include "managers/tts/OvTtsManage.h"

#include <QtTest>

namespace {

QList<int> ids(const OvTtsListMgr &list)
{
    QList<int> out;
    for (const OvTts &t : list.copyList())
        out.append(t.id);
    return out;
}

} // namespace

// The TTS boxes: rows and the cache from the manager's events (no server),
// and the edits against a scripted server.
class TestTtsData : public QObject
{
    Q_OBJECT
private slots:
    void rowNames_data();
    void rowNames();
    void cacheKeepsTheReceivedOrder();
    void failedEditsLeaveTheList_data();
    void failedEditsLeaveTheList();
    void agreedEditsChangeTheList();
};

void TestTtsData::rowNames_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("empty name") << QByteArray(R"({"terminalId":"0601","name":""})") << QByteArray("0601");
    QTest::newRow("named") << QByteArray(R"({"terminalId":"601","name":"Box"})") << QByteArray("Box");
}

void TestTtsData::rowNames()
{
    QFETCH(QByteArray, row);
    QFETCH(QByteArray, name);
    std::vector<OvTts> rows;
    QVERIFY(OvTtsManage::parseRows("[" + row + "]", rows));
    QCOMPARE(rows.at(0).name, name);
}

void TestTtsData::cacheKeepsTheReceivedOrder()
{
    OvManageCenter centre;
    OvTtsListMgr list(&centre);
    auto *manage = dynamic_cast<OvTtsManage *>(centre.manager(OvManageCenter::TtsSlot));
    QSignalSpy got(&list, &OvTtsListMgr::gotTTsList);
    QSignalSpy changed(&list, &OvTtsListMgr::TTsChanged);
    QSignalSpy deleted(&list, &OvTtsListMgr::TTsDeleted);

    manage->onOk(254, "[]");
    QTest::qWait(20);
    QCOMPARE(got.count(), 0);
    manage->onOk(254, R"([{"terminalId":"602"},{"terminalId":"601"}])");
    QVERIFY(manage->onNotify("SqlConfig_tts83", R"([{"terminalId":"602","name":"N"},{"terminalId":"603"}])"));
    QCOMPARE(ids(list), QList<int>({602, 601, 603}));
    QCOMPARE(list.findCopy(602)->name, QByteArray("N"));
    manage->onDelete("Tts", 999);
    manage->onDelete("CAP", 601);
    manage->onDelete("Tts", 601);
    QCOMPARE(ids(list), QList<int>({602, 603}));
    QTRY_COMPARE(deleted.count(), 1);
    QCOMPARE(got.count(), 1);
    QCOMPARE(changed.count(), 2);
}

void TestTtsData::failedEditsLeaveTheList_data()
{
    QTest::addColumn<int>("reply");
    QTest::addColumn<int>("result");
    QTest::newRow("refused") << int(ScriptedPeer::Reply::Failed) << 1;
    QTest::newRow("timed out") << int(ScriptedPeer::Reply::Silent) << 3;
    QTest::newRow("closed") << -1 << 4;
}

void TestTtsData::failedEditsLeaveTheList()
{
    QFETCH(int, reply);
    QFETCH(int, result);
    FamilyPeer peer;
    QVERIFY(peer.loggedIn);
    peer.setReply("SqlConfig", ScriptedPeer::Reply::Ok, R"([{"terminalId":"602","name":"Box","type":"Tts"}])");
    OvTtsListMgr list(peer.centre.get());
    QVERIFY(list.findCopy(602));
    if (reply < 0) {
        peer.peer->closeClient();
        QTRY_VERIFY_WITH_TIMEOUT(peer.centre->state() == ConnectionState::Closed, 10000);
    } else {
        peer.setReply("RemoveDevice", ScriptedPeer::Reply(reply));
        peer.setReply("TTs83Name", ScriptedPeer::Reply(reply));
    }
    QSignalSpy changed(&list, &OvTtsListMgr::TTsChanged);
    QSignalSpy deleted(&list, &OvTtsListMgr::TTsDeleted);
    OvTts tts = *list.findCopy(602);
    tts.name = "Renamed";
    QCOMPARE(list.rename(tts), result);
    QCOMPARE(list.remove(tts), result);
    QCOMPARE(list.findCopy(602)->name, QByteArray("Box"));
    QTest::qWait(20);
    QCOMPARE(changed.count() + deleted.count(), 0);
    peer.stop();
}

void TestTtsData::agreedEditsChangeTheList()
{
    FamilyPeer peer;
    QVERIFY(peer.loggedIn);
    peer.setReply("SqlConfig", ScriptedPeer::Reply::Ok, R"([{"terminalId":"602","name":"Box","type":"Tts"}])");
    OvTtsListMgr list(peer.centre.get());
    QSignalSpy deleted(&list, &OvTtsListMgr::TTsDeleted);
    OvTts tts = *list.findCopy(602);
    tts.name = "Renamed";
    QCOMPARE(list.rename(tts), 0);
    QCOMPARE(list.findCopy(602)->name, QByteArray("Renamed"));
    QCOMPARE(list.remove(tts), 0);
    QVERIFY(!list.findCopy(602));
    QVERIFY(deleted.wait());
    peer.stop();
}

QTEST_MAIN(TestTtsData)
#include "tst_ttsdata.moc"
