#include "managers/callstations/ButtonCallRecords.h"
#include "managers/callstations/CallStationRows.h"
#include "managers/callstations/OvM26ListMgr.h"
#include "managers/callstations/OvM26Manage.h"
#include "managers/callstations/OvM48ListMgr.h"
#include "managers/callstations/OvM48Manage.h"
#include "protocol/OvManageCenter.h"
#include "util/BodyParsers.h"

#include <QtTest>

namespace {

Json::Value rowOf(const QByteArray &json)
{
    Json::Value v;
    body::parseJson(json, v);
    return v;
}

QByteArray bodyOf(const QByteArray &request)
{
    return request.mid(request.indexOf("\r\n\r\n") + 4);
}

template <typename List>
QList<int> cachedIds(const List &list)
{
    QList<int> ids;
    const auto locked = list.lockList();
    for (const OvMic &m : locked.records())
        ids.append(m.id);
    return ids;
}

template <typename Manager>
Manager *managerIn(OvManageCenter &centre, int slot)
{
    return dynamic_cast<Manager *>(centre.manager(slot));
}

} // namespace

// The call stations without a server: rows, commit bodies, and the caches as
// the managers' events leave them (the centre is not connected).
class TestCallStationData : public QObject
{
    Q_OBJECT
private slots:
    void rows_data();
    void rows();
    void m26CommitBody_data();
    void m26CommitBody();
    void m48CommitBody();
    void m26CacheKeepsTheReceivedOrder();
    void m48CacheKeepsTheReceivedOrder();
    void deleteMessagesMatchTheirFamily_data();
    void deleteMessagesMatchTheirFamily();
};

void TestCallStationData::rows_data()
{
    QTest::addColumn<bool>("m48");
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("ppt");
    QTest::addColumn<int>("aec");

    QTest::newRow("M26 empty name") << false << QByteArray(R"({"terminalId":"205","name":"","ppt":"2","aec":"0"})")
                                    << QByteArray("M26_205") << 2 << 0;
    QTest::newRow("M26 named") << false << QByteArray(R"({"terminalId":"201","name":"Gate","ppt":"1","aec":"1"})")
                               << QByteArray("Gate") << 1 << 1;
    QTest::newRow("M48 exten --") << true << QByteArray(R"({"terminalId":"303","name":"","exten":"--"})")
                                  << QByteArray("M48_303") << 0 << 0;
    QTest::newRow("M48 exten 0917") << true << QByteArray(R"({"terminalId":"302","name":"","exten":"0917"})")
                                    << QByteArray("0917_302") << 0 << 0;
    QTest::newRow("M48 named") << true << QByteArray(R"({"terminalId":"301","name":"Hall","exten":"0917"})")
                               << QByteArray("Hall") << 0 << 0;
}

void TestCallStationData::rows()
{
    QFETCH(bool, m48);
    QFETCH(QByteArray, row);
    QFETCH(QByteArray, name);
    QFETCH(int, ppt);
    QFETCH(int, aec);
    const OvMic m = m48 ? callstations::m48FromRow(rowOf(row)) : callstations::m26FromRow(rowOf(row));
    QCOMPARE(m.name, name);
    QCOMPARE(m.ppt, ppt);
    QCOMPARE(m.aec, aec);
}

void TestCallStationData::m26CommitBody_data()
{
    QTest::addColumn<bool>("backup");
    QTest::addColumn<QByteArray>("alarmCall");
    QTest::newRow("backup on") << true << QByteArray("BackupShortPress BackupLongPress");
    QTest::newRow("backup off") << false << QByteArray(" ");
}

void TestCallStationData::m26CommitBody()
{
    QFETCH(bool, backup);
    QFETCH(QByteArray, alarmCall);
    OvM26Manage manage;
    const auto records = callstations::m26CommitRecords(201, {{{101, 0}, {0, 2}, {102, 3}}}, backup);
    const QByteArray text = manage.buildCommitButtonCalls(3, 201, records);
    QVERIFY(text.contains("Packet-Type:M26ButtonCall\r\n"));
    QCOMPARE(bodyOf(text),
             R"({"Action":"Mod","AlarmCall":")" + alarmCall
                 + R"(","ButtonCalls":[{"CallServiceGroup":"0","Mic35":"101","StartCall":"ButtonPopUp",)"
                   R"("StopCall":"ButtonLongPress"},{"CallServiceGroup":"2","Mic35":"0","StartCall":"AlarmShortPress",)"
                   R"("StopCall":"AlarmLongPress"},{"CallServiceGroup":"3","Mic35":"102",)"
                   R"("StartCall":"Alarm2ShortPress","StopCall":"Alarm2LongPress"}],"Id":"201"})" "\n");
}

void TestCallStationData::m48CommitBody()
{
    OvM48Manage manage;
    const QByteArray text = manage.buildCommitButtonCall(3, 301, callstations::m48CommitRecord(301, {101, 0}));
    QVERIFY(text.contains("Packet-Type:M48ButtonCall\r\n"));
    QCOMPARE(bodyOf(text), QByteArray(R"({"Action":"Mod","CallServiceGroup":"0","Id":"301","Mic35":"101",)"
                                      R"("StartCall":"ButtonPushDown","StopCall":"ButtonLongPress"})" "\n"));
}

void TestCallStationData::m26CacheKeepsTheReceivedOrder()
{
    OvManageCenter centre;
    OvM26ListMgr list(&centre);
    auto *manage = managerIn<OvM26Manage>(centre, OvManageCenter::M26Slot);
    QSignalSpy got(&list, &OvM26ListMgr::gotM26List);
    QSignalSpy changed(&list, &OvM26ListMgr::m26Changed);

    // A change before the first list is kept.
    QVERIFY(manage->onNotify("SqlConfig_mic26", R"([{"terminalId":"7"}])"));
    manage->onOk(228, R"([{"terminalId":"204"},{"terminalId":"201"},{"terminalId":"203"}])");
    QCOMPARE(cachedIds(list), QList<int>({204, 201, 203}));
    // A known station is overwritten in place, a new one appended.
    QVERIFY(manage->onNotify("SqlConfig_mic26", R"([{"terminalId":"201","name":"X"},{"terminalId":"9"}])"));
    QCOMPARE(cachedIds(list), QList<int>({204, 201, 203, 9}));
    QCOMPARE(list.findCopy(201)->name, QByteArray("X"));
    // An answer without rows leaves the cache as it was.
    manage->onOk(228, "[]");
    QCOMPARE(cachedIds(list), QList<int>({204, 201, 203, 9}));
    QTRY_COMPARE(changed.count(), 3);
    QCOMPARE(got.count(), 1);
}

void TestCallStationData::m48CacheKeepsTheReceivedOrder()
{
    OvManageCenter centre;
    OvM48ListMgr list(&centre);
    auto *manage = managerIn<OvM48Manage>(centre, OvManageCenter::M48Slot);
    manage->onOk(238, R"([{"terminalId":"304"},{"terminalId":"301"}])");
    QVERIFY(manage->onNotify("SqlConfig_mic48", R"([{"terminalId":"301","ledTxt":"Hi"},{"terminalId":"302"}])"));
    QCOMPARE(cachedIds(list), QList<int>({304, 301, 302}));
    QCOMPARE(list.findCopy(301)->ledTxt, QByteArray("Hi"));
    QVERIFY(!manage->onNotify("SqlConfig_mic26", "[]"));
}

void TestCallStationData::deleteMessagesMatchTheirFamily_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QList<int>>("m26Left");
    QTest::addColumn<QList<int>>("m48Left");
    QTest::newRow("M26") << QByteArray("M26") << QList<int>({31}) << QList<int>({30, 32});
    QTest::newRow("M48") << QByteArray("M48") << QList<int>({30, 31}) << QList<int>({32});
    QTest::newRow("other") << QByteArray("MIC") << QList<int>({30, 31}) << QList<int>({30, 32});
}

void TestCallStationData::deleteMessagesMatchTheirFamily()
{
    QFETCH(QByteArray, type);
    QFETCH(QList<int>, m26Left);
    QFETCH(QList<int>, m48Left);
    OvManageCenter centre;
    OvM26ListMgr m26(&centre);
    OvM48ListMgr m48(&centre);
    managerIn<OvM26Manage>(centre, OvManageCenter::M26Slot)->onOk(228, R"([{"terminalId":"30"},{"terminalId":"31"}])");
    managerIn<OvM48Manage>(centre, OvManageCenter::M48Slot)->onOk(238, R"([{"terminalId":"30"},{"terminalId":"32"}])");
    QSignalSpy deleted(&m26, &OvM26ListMgr::m26Deleted);
    for (int slot = 0; slot < OvManageCenter::SlotCount; ++slot) {
        if (OvBaseMgr *m = centre.manager(slot))
            m->onDelete(type, 30);
    }
    QCOMPARE(cachedIds(m26), m26Left);
    QCOMPARE(cachedIds(m48), m48Left);
    if (type == "M26") {
        QVERIFY(deleted.wait());
        QCOMPARE(deleted.at(0).at(0).toInt(), 30);
    }
}

QTEST_MAIN(TestCallStationData)
#include "tst_callstationdata.moc"
