#include "FamilyPeer.h"
#include "managers/groups/OvMicGroupListMgr.h"
#include "managers/groups/OvMicGroupManage.h"

#include <QtTest>

namespace {

QList<int> ids(const OvMicGroupListMgr &list)
{
    QList<int> out;
    for (const MicGroup &g : list.groupList())
        out.append(g.id);
    return out;
}

MicGroup group(int id, const QByteArray &name, int rule, int ringTime, const std::vector<int> &members)
{
    MicGroup g;
    g.id = id;
    g.name = name;
    g.ringRule = rule;
    g.ringTime = ringTime;
    g.members = members;
    return g;
}

OvMicGroupManage *manageOf(OvManageCenter &centre)
{
    return dynamic_cast<OvMicGroupManage *>(centre.manager(OvManageCenter::MicGroupSlot));
}

const QByteArray kTwoGroups = R"([{"groupId":"1","name":"Duty","callWaitRule":"3","ringTime":"45","terminalId":"105 103 101"},)"
                              R"({"groupId":"4","name":"Night","callWaitRule":"1","ringTime":"60","terminalId":""}])";

} // namespace

// The microphone groups: rows, request texts, the cache from the manager's
// events, and the edits against a scripted server.
class TestMicGroupData : public QObject
{
    Q_OBJECT
private slots:
    void rows();
    void requestTexts_data();
    void requestTexts();
    void eventsChangeTheCache();
    void refusedEditsLeaveTheCache_data();
    void refusedEditsLeaveTheCache();
    void timedOutEditFetchesTheListAgain();
    void agreedEditsChangeTheCache();
};

void TestMicGroupData::rows()
{
    std::vector<MicGroup> list;
    QVERIFY(OvMicGroupManage::parseRows(kTwoGroups, list));
    QCOMPARE(int(list.size()), 2);
    QCOMPARE(list[0].id, 1);
    QCOMPARE(list[0].ringRule, 3);
    QCOMPARE(list[0].ringTime, 45);
    QCOMPARE(list[0].members, std::vector<int>({105, 103, 101}));
    QVERIFY(list[1].members.empty());
    QCOMPARE(MicGroup().id, -1);
    QCOMPARE(MicGroup().ringTime, 60);
}

void TestMicGroupData::requestTexts_data()
{
    QTest::addColumn<int>("action");  // 0: the list
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("list") << 0
                          << QByteArray("GET DBP/1.0\r\nCSeq: 9\r\nPacket-Type:SqlConfig\r\nPacket-Subtype: MicGroupList\r\n"
                                        "Content-Length:29\r\n\r\nselect * from callservergroup");
    const QByteArray head = "POST DBP/1.0\r\nCSeq: 9\r\nPacket-Type:CallService\r\nContent-Length:102\r\n\r\n";
    const QByteArray tail = "\",\"CallWaitRule\":\"5\",\"Id\":\"14\",\"Mic35Id\":\"105 103 101\","
                            "\"Name\":\"\xe5\xa4\x9c\xe7\x8f\xad\",\"RingTime\":\"45\"}\n";
    QTest::newRow("add") << int(EditAction::Add) << head + "{\"Action\":\"Add" + tail;
    QTest::newRow("mod") << int(EditAction::Mod) << head + "{\"Action\":\"Mod" + tail;
    QTest::newRow("del") << int(EditAction::Del) << head + "{\"Action\":\"Del" + tail;
}

void TestMicGroupData::requestTexts()
{
    QFETCH(int, action);
    QFETCH(QByteArray, text);
    OvMicGroupManage manage;
    const QByteArray built =
        action == 0 ? manage.buildList(9)
                    : manage.buildEdit(9, group(14, "夜班", MicGroup::FixedOrder, 45, {105, 103, 101}), EditAction(action));
    QCOMPARE(built, text);
}

void TestMicGroupData::eventsChangeTheCache()
{
    OvManageCenter centre;
    OvMicGroupListMgr list(&centre);
    OvMicGroupManage *manage = manageOf(centre);
    QVERIFY(manage);
    QCOMPARE(manage->familyKey(), QByteArray("MicGroup"));
    QSignalSpy got(&list, &OvMicGroupListMgr::gotGroupList);
    QSignalSpy changed(&list, &OvMicGroupListMgr::groupChanged);
    QSignalSpy deleted(&list, &OvMicGroupListMgr::groupDeleted);

    manage->onOk(OvMicGroupManage::ListCode, kTwoGroups);
    QCOMPARE(ids(list), QList<int>({1, 4}));
    QCOMPARE(list.maxGroupId(), 4);
    QVERIFY(manage->onNotify("SqlConfig_callservergroup", R"([{"groupId":"4","name":"Late","callWaitRule":"5"}])"));
    MicGroup four;
    QVERIFY(list.findGroup(4, four));
    QCOMPARE(four.name, QByteArray("Late"));
    QCOMPARE(four.ringRule, 5);
    manage->onDelete("Region", 1);
    manage->onDelete("MicGroup", 77);
    QCOMPARE(ids(list), QList<int>({1, 4}));
    manage->onDelete("MicGroup", 1);
    QCOMPARE(ids(list), QList<int>({4}));
    QTRY_COMPARE(deleted.count(), 1);
    manage->onOk(OvMicGroupManage::ListCode, "[]");
    QVERIFY(ids(list).isEmpty());
    QCOMPARE(list.maxGroupId(), 0);
    QTRY_COMPARE(got.count(), 2);
    QCOMPARE(changed.count(), 1);
}

void TestMicGroupData::refusedEditsLeaveTheCache_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("id");
    QTest::newRow("add") << int(EditAction::Add) << 9;
    QTest::newRow("mod") << int(EditAction::Mod) << 1;
    QTest::newRow("del") << int(EditAction::Del) << 1;
}

void TestMicGroupData::refusedEditsLeaveTheCache()
{
    QFETCH(int, action);
    QFETCH(int, id);
    FamilyPeer peer;
    QVERIFY(peer.loggedIn);
    peer.setReply("SqlConfig", ScriptedPeer::Reply::Ok, kTwoGroups);
    peer.setReply("CallService", ScriptedPeer::Reply::Failed, "refused");
    OvMicGroupListMgr list(peer.centre.get());
    QSignalSpy changed(&list, &OvMicGroupListMgr::groupChanged);
    QSignalSpy deleted(&list, &OvMicGroupListMgr::groupDeleted);
    QCOMPARE(list.send(group(id, "X", 2, 30, {101}), EditAction(action)), 1);
    QCOMPARE(ids(list), QList<int>({1, 4}));
    MicGroup one;
    QVERIFY(list.findGroup(1, one));
    QCOMPARE(one.name, QByteArray("Duty"));
    QTest::qWait(20);
    QCOMPARE(changed.count() + deleted.count(), 0);
    peer.stop();
}

void TestMicGroupData::timedOutEditFetchesTheListAgain()
{
    FamilyPeer peer;
    QVERIFY(peer.loggedIn);
    peer.setReply("SqlConfig", ScriptedPeer::Reply::Ok, kTwoGroups);
    OvMicGroupListMgr list(peer.centre.get());
    // The server added the group but its answer was lost.
    peer.setReply("CallService", ScriptedPeer::Reply::Silent);
    peer.setReply("SqlConfig", ScriptedPeer::Reply::Ok,
                  R"([{"groupId":"1","name":"Duty"},{"groupId":"4","name":"Night"},{"groupId":"9","name":"New"}])");
    QCOMPARE(list.send(group(9, "New", 1, 60, {}), EditAction::Add), 3);
    QCOMPARE(peer.countOf("SqlConfig"), 2);
    QCOMPARE(ids(list), QList<int>({1, 4, 9}));
    peer.stop();
}

void TestMicGroupData::agreedEditsChangeTheCache()
{
    FamilyPeer peer;
    QVERIFY(peer.loggedIn);
    peer.setReply("SqlConfig", ScriptedPeer::Reply::Ok, kTwoGroups);
    OvMicGroupListMgr list(peer.centre.get());
    QSignalSpy changed(&list, &OvMicGroupListMgr::groupChanged);
    QSignalSpy deleted(&list, &OvMicGroupListMgr::groupDeleted);
    QCOMPARE(list.send(group(9, "New", 2, 20, {102}), EditAction::Add), 0);
    QCOMPARE(list.send(group(1, "Duty", 5, 45, {101, 105}), EditAction::Mod), 0);
    QCOMPARE(list.send(group(4, "Night", 1, 60, {}), EditAction::Del), 0);
    QCOMPARE(ids(list), QList<int>({1, 9}));
    MicGroup one;
    QVERIFY(list.findGroup(1, one));
    QCOMPARE(one.members, std::vector<int>({101, 105}));
    QTRY_COMPARE(changed.count(), 2);
    QTRY_COMPARE(deleted.count(), 1);
    peer.stop();
}

QTEST_MAIN(TestMicGroupData)
#include "tst_micgroupdata.moc"
