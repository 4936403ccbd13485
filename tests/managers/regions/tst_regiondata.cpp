#include "FamilyPeer.h"
#include "managers/regions/OvRegionListMgr.h"
#include "managers/regions/OvRegionManage.h"

#include <QtTest>

#include <atomic>
#include <thread>

namespace {

QList<int> ids(const OvRegionListMgr &list)
{
    QList<int> out;
    for (const OvRegion &r : list.regionList())
        out.append(r.id);
    return out;
}

QList<int> memberIds(const OvRegion &r)
{
    QList<int> out;
    for (const int id : r.memberIds())
        out.append(id);
    return out;
}

OvRegion region(int id, const QByteArray &name, const std::vector<int> &members)
{
    OvRegion r;
    r.id = id;
    r.name = name;
    r.setMemberIds(members);
    return r;
}

OvRegionManage *manageOf(OvManageCenter &centre)
{
    return dynamic_cast<OvRegionManage *>(centre.manager(OvManageCenter::RegionSlot));
}

const QByteArray kTwoRegions = R"([{"regionId":"3","name":"A","terminalId":"1 201 301"},{"regionId":"12","name":"B","terminalId":""}])";

} // namespace

// The broadcast regions: rows, request texts, the cache from the manager's
// events, and the edits against a scripted server.
class TestRegionData : public QObject
{
    Q_OBJECT
private slots:
    void rows();
    void requestTexts_data();
    void requestTexts();
    void eventsChangeTheCache();
    void snapshotWhileTheListIsReplaced();
    void refusedEditsLeaveTheCache_data();
    void refusedEditsLeaveTheCache();
    void timedOutEditFetchesTheListAgain();
    void agreedEditsChangeTheCache();
};

void TestRegionData::rows()
{
    std::vector<OvRegion> list;
    QVERIFY(OvRegionManage::parseRows(kTwoRegions, list));
    QCOMPARE(int(list.size()), 2);
    QCOMPARE(list[0].id, 3);
    QCOMPARE(memberIds(list[0]), QList<int>({1, 201, 301}));
    QVERIFY(list[1].members.empty());
    QVERIFY(!OvRegionManage::parseRows("not json", list));
    QCOMPARE(int(list.size()), 2);
}

void TestRegionData::requestTexts_data()
{
    QTest::addColumn<int>("action");  // 0: the list
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("list") << 0
                          << QByteArray("GET DBP/1.0\r\nCSeq: 7\r\nPacket-Type:SqlConfig\r\nPacket-Subtype: RegionList\r\n"
                                        "Content-Length:20\r\n\r\nselect * from region");
    QTest::newRow("add") << int(EditAction::Add)
                         << QByteArray("POST DBP/1.0\r\nCSeq: 7\r\nPacket-Type:BroadRegion\r\nContent-Length:68\r\n\r\n"
                                       "{\"Action\":\"Add\",\"Id\":\"15\",\"Name\":\"\xe6\x93\x8d\xe5\x9c\xba\","
                                       "\"TerminalId\":\"4 201 301\"}\n");
    QTest::newRow("mod") << int(EditAction::Mod)
                         << QByteArray("POST DBP/1.0\r\nCSeq: 7\r\nPacket-Type:BroadRegion\r\nContent-Length:68\r\n\r\n"
                                       "{\"Action\":\"Mod\",\"Id\":\"15\",\"Name\":\"\xe6\x93\x8d\xe5\x9c\xba\","
                                       "\"TerminalId\":\"4 201 301\"}\n");
    QTest::newRow("del") << int(EditAction::Del)
                         << QByteArray("POST DBP/1.0\r\nCSeq: 7\r\nPacket-Type:BroadRegion\r\nContent-Length:68\r\n\r\n"
                                       "{\"Action\":\"Del\",\"Id\":\"15\",\"Name\":\"\xe6\x93\x8d\xe5\x9c\xba\","
                                       "\"TerminalId\":\"4 201 301\"}\n");
}

void TestRegionData::requestTexts()
{
    QFETCH(int, action);
    QFETCH(QByteArray, text);
    OvRegionManage manage;
    const QByteArray built = action == 0 ? manage.buildList(7)
                                         : manage.buildEdit(7, region(15, "操场", {4, 201, 301}), EditAction(action));
    QCOMPARE(built, text);
}

void TestRegionData::eventsChangeTheCache()
{
    OvManageCenter centre;
    OvRegionListMgr list(&centre);
    OvRegionManage *manage = manageOf(centre);
    QVERIFY(manage);
    QCOMPARE(manage->familyKey(), QByteArray("Region"));
    QSignalSpy got(&list, &OvRegionListMgr::gotRegionList);
    QSignalSpy changed(&list, &OvRegionListMgr::regionChanged);
    QSignalSpy deleted(&list, &OvRegionListMgr::regionDeleted);

    manage->onOk(OvRegionManage::ListCode, kTwoRegions);
    QCOMPARE(ids(list), QList<int>({3, 12}));
    QCOMPARE(list.maxRegionId(), 12);
    // A pushed row of a known region overwrites it in place; a new one is appended.
    QVERIFY(manage->onNotify("SqlConfig_region", R"([{"regionId":"3","name":"A2","terminalId":"2"},{"regionId":"20","name":"C"}])"));
    QVERIFY(!manage->onNotify("SqlConfig_ipamp", "[]"));
    QCOMPARE(ids(list), QList<int>({3, 12, 20}));
    OvRegion three;
    QVERIFY(list.findRegion(3, three));
    QCOMPARE(three.name, QByteArray("A2"));
    QCOMPARE(memberIds(three), QList<int>({2}));

    // A server DELETE of another family, or of a region never listed, changes nothing.
    manage->onDelete("MicGroup", 12);
    manage->onDelete("Region", 99);
    QCOMPARE(ids(list), QList<int>({3, 12, 20}));
    QVERIFY(!list.findRegion(99, three));
    manage->onDelete("Region", 12);
    QCOMPARE(ids(list), QList<int>({3, 20}));
    QTRY_COMPARE(deleted.count(), 1);
    QCOMPARE(deleted.at(0).at(0).toInt(), 12);

    // An empty list is a list: no regions are left.
    manage->onOk(OvRegionManage::ListCode, "[]");
    QVERIFY(ids(list).isEmpty());
    QCOMPARE(list.maxRegionId(), 0);
    manage->onOk(OvRegionManage::ListCode, "{broken");
    QTRY_COMPARE(got.count(), 2);
    QCOMPARE(changed.count(), 2);
}

void TestRegionData::snapshotWhileTheListIsReplaced()
{
    OvManageCenter centre;
    OvRegionListMgr list(&centre);
    OvRegionManage *manage = manageOf(centre);
    const QByteArray three = R"([{"regionId":"1"},{"regionId":"2"},{"regionId":"3"}])";
    const QByteArray one = R"([{"regionId":"9","terminalId":"1 2 3"}])";
    std::atomic<bool> stop{false};
    // The receive thread's part: lists replacing the cache over and over.
    std::thread receiver([&] {
        for (int i = 0; !stop.load(); ++i)
            manage->onOk(OvRegionManage::ListCode, i % 2 ? three : one);
    });
    bool consistent = true;
    for (int i = 0; i < 2000 && consistent; ++i) {
        const std::vector<OvRegion> snapshot = list.regionList();
        consistent = snapshot.empty() || (snapshot.size() == 3 && snapshot[2].id == 3)
                     || (snapshot.size() == 1 && snapshot[0].members.size() == 3);
    }
    stop.store(true);
    receiver.join();
    QVERIFY(consistent);
}

void TestRegionData::refusedEditsLeaveTheCache_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("id");
    QTest::newRow("add") << int(EditAction::Add) << 15;
    QTest::newRow("mod") << int(EditAction::Mod) << 3;
    QTest::newRow("del") << int(EditAction::Del) << 3;
}

void TestRegionData::refusedEditsLeaveTheCache()
{
    QFETCH(int, action);
    QFETCH(int, id);
    FamilyPeer peer;
    QVERIFY(peer.loggedIn);
    peer.setReply("SqlConfig", ScriptedPeer::Reply::Ok, kTwoRegions);
    peer.setReply("BroadRegion", ScriptedPeer::Reply::Failed, "refused");
    OvRegionListMgr list(peer.centre.get());
    QCOMPARE(ids(list), QList<int>({3, 12}));
    QSignalSpy changed(&list, &OvRegionListMgr::regionChanged);
    QSignalSpy deleted(&list, &OvRegionListMgr::regionDeleted);
    QCOMPARE(list.send(region(id, "X", {9}), EditAction(action)), 1);
    QCOMPARE(ids(list), QList<int>({3, 12}));
    OvRegion three;
    QVERIFY(list.findRegion(3, three));
    QCOMPARE(three.name, QByteArray("A"));
    QTest::qWait(20);
    QCOMPARE(changed.count() + deleted.count(), 0);
    QCOMPARE(peer.countOf("SqlConfig"), 1);
    peer.stop();
}

void TestRegionData::timedOutEditFetchesTheListAgain()
{
    FamilyPeer peer;
    QVERIFY(peer.loggedIn);
    peer.setReply("SqlConfig", ScriptedPeer::Reply::Ok, kTwoRegions);
    OvRegionListMgr list(peer.centre.get());
    // The server took the removal but its answer never came: the list it
    // gives next is the truth, and the page follows it.
    peer.setReply("BroadRegion", ScriptedPeer::Reply::Silent);
    peer.setReply("SqlConfig", ScriptedPeer::Reply::Ok, R"([{"regionId":"3","name":"A","terminalId":"1"}])");
    QCoreApplication::processEvents();  // the first list's signal
    QSignalSpy got(&list, &OvRegionListMgr::gotRegionList);
    QCOMPARE(list.send(region(12, "B", {}), EditAction::Del), 3);
    QCOMPARE(peer.countOf("SqlConfig"), 2);
    QCOMPARE(ids(list), QList<int>({3}));
    QTRY_COMPARE(got.count(), 1);
    peer.stop();
}

void TestRegionData::agreedEditsChangeTheCache()
{
    FamilyPeer peer;
    QVERIFY(peer.loggedIn);
    peer.setReply("SqlConfig", ScriptedPeer::Reply::Ok, kTwoRegions);
    OvRegionListMgr list(peer.centre.get());
    QSignalSpy changed(&list, &OvRegionListMgr::regionChanged);
    QSignalSpy deleted(&list, &OvRegionListMgr::regionDeleted);
    QCOMPARE(list.send(region(15, "New", {4}), EditAction::Add), 0);
    QCOMPARE(list.send(region(3, "Renamed", {1, 201}), EditAction::Mod), 0);
    QCOMPARE(list.send(region(12, "B", {}), EditAction::Del), 0);
    QCOMPARE(ids(list), QList<int>({3, 15}));
    OvRegion three;
    QVERIFY(list.findRegion(3, three));
    QCOMPARE(three.name, QByteArray("Renamed"));
    QTRY_COMPARE(changed.count(), 2);
    QTRY_COMPARE(deleted.count(), 1);
    QCOMPARE(peer.requests().last(),
             QByteArray("POST DBP/1.0\r\nCSeq: ") + QByteArray::number(ScriptedPeer::cseqOf(peer.requests().last()))
                 + "\r\nPacket-Type:BroadRegion\r\nContent-Length:54\r\n\r\n"
                   "{\"Action\":\"Del\",\"Id\":\"12\",\"Name\":\"B\",\"TerminalId\":\"\"}\n");
    peer.stop();
}

QTEST_MAIN(TestRegionData)
#include "tst_regiondata.moc"
