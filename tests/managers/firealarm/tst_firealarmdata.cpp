#include "managers/firealarm/FAlarmChannels.h"
#include "managers/firealarm/OvFAlarmListMgr.h"
#include "managers/firealarm/OvFAlarmManage.h"
#include "protocol/OvManageCenter.h"
#include "util/BodyParsers.h"

#include <QtTest>

namespace {

QList<int> cachedIds(const OvFAlarmListMgr &list)
{
    QList<int> ids;
    const auto locked = list.lockList();
    for (const OvFAlarm &f : locked.records())
        ids.append(f.id);
    return ids;
}

} // namespace

// The fire-alarm family without a server (the centre is not connected).
class TestFAlarmData : public QObject
{
    Q_OBJECT
private slots:
    void channelTexts_data();
    void channelTexts();
    void rowNamedFromItsId();
    void setNameBody();
    void setTriggerIsRegisteredUnderACodeNoManagerActsOn();
    void cacheOrderAndChanges();
};

void TestFAlarmData::channelTexts_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("channels");  // "name=task" per channel

    QTest::newRow("example") << QByteArray("Pump#$%7!!!!!!12") << QStringList({"Pump=7", "通道2=0", "通道3=12"});
    QTest::newRow("empty") << QByteArray() << QStringList({"通道1=0"});
    QTest::newRow("trailing piece") << QByteArray("A#$%3!!!") << QStringList({"A=3", "通道2=0"});
    QTest::newRow("not a number") << QByteArray("B#$%x!!!7z") << QStringList({"B=0", "通道2=0"});
    QTest::newRow("three parts") << QByteArray("a#$%b#$%5") << QStringList({"通道1=0"});
    QTest::newRow("chinese name") << QByteArray("一楼烟感#$%7") << QStringList({"一楼烟感=7"});
}

void TestFAlarmData::channelTexts()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, channels);
    QStringList got;
    const QVector<FAlarmChannel> parsed = parseFAlarmChannels(text);
    for (int i = 0; i < parsed.size(); ++i) {
        QCOMPARE(parsed[i].number, i + 1);
        got.append(parsed[i].name + '=' + QString::number(parsed[i].taskId));
    }
    QCOMPARE(got, channels);
}

void TestFAlarmData::rowNamedFromItsId()
{
    Json::Value row;
    QVERIFY(body::parseJson(R"({"terminalId":"12","name":"","shortCircuit":"5","triggerType":"2"})", row));
    const OvFAlarm f = OvFAlarm::fromRow(row);
    QCOMPARE(f.name, QByteArray("FAlarm_12"));
    QVERIFY(f.channelTriggered(1));
    QVERIFY(!f.channelTriggered(2));
    QVERIFY(f.channelTriggered(3));
}

void TestFAlarmData::setNameBody()
{
    OvFAlarm f;
    f.id = 5;
    f.name = "Hall";
    f.triggerType = 2;
    OvFAlarmManage manage;
    const QByteArray text = manage.buildSetName(1, f);
    QVERIFY(text.contains("Packet-Type:SetFRName\r\n"));
    QVERIFY(text.endsWith("\r\n\r\n" R"({"Id":"5","Name":"Hall","TriggerType":"2"})" "\n"));
}

void TestFAlarmData::setTriggerIsRegisteredUnderACodeNoManagerActsOn()
{
    // Every manager of the console sees the answer to SetFRTrigger; none may
    // take its (empty) body for a list.
    OvManageCenter centre;
    OvFAlarmListMgr list(&centre);
    list.fetchList();
    auto *manage = dynamic_cast<OvFAlarmManage *>(centre.manager(OvManageCenter::FAlarmSlot));
    QSignalSpy got(&list, &OvFAlarmListMgr::gotFAlarmList);
    manage->onOk(OvFAlarmManage::ListCode, R"([{"terminalId":"1"}])");
    QVERIFY(got.wait());
    got.clear();
    for (int slot = 0; slot < OvManageCenter::SlotCount; ++slot) {
        if (OvBaseMgr *m = centre.manager(slot))
            m->onOk(OvFAlarmManage::SetTriggerCode, "[]");
    }
    QCOMPARE(cachedIds(list), QList<int>({1}));
    QTest::qWait(20);
    QCOMPARE(got.count(), 0);
    QCOMPARE(manage->ownsCode(OvFAlarmManage::SetTriggerCode), 0);
}

void TestFAlarmData::cacheOrderAndChanges()
{
    OvManageCenter centre;
    OvFAlarmListMgr list(&centre);
    QCOMPARE(list.fetchList(), 4);
    auto *manage = dynamic_cast<OvFAlarmManage *>(centre.manager(OvManageCenter::FAlarmSlot));
    QSignalSpy got(&list, &OvFAlarmListMgr::gotFAlarmList);
    QSignalSpy changed(&list, &OvFAlarmListMgr::fAlarmChanged);

    manage->onOk(289, R"([{"terminalId":"3"},{"terminalId":"1"},{"terminalId":"2"}])");
    QCOMPARE(cachedIds(list), QList<int>({3, 2, 1}));
    QVERIFY(got.wait());
    QVERIFY(manage->onNotify("SqlConfig_firealarm", R"([{"terminalId":"3","name":"Moved"},{"terminalId":"8"}])"));
    QCOMPARE(cachedIds(list), QList<int>({2, 1, 8, 3}));  // the rows are sorted too: 8 before 3
    QTRY_COMPARE(changed.count(), 2);
    QCOMPARE(got.count(), 1);
    // Claimed even when it does not parse.
    QVERIFY(manage->onNotify("SqlConfig_firealarm", "<BroadcastList/>"));
    manage->onOk(289, "[]");
    QCOMPARE(cachedIds(list), QList<int>());
    QVERIFY(got.wait());
}

QTEST_MAIN(TestFAlarmData)
#include "tst_firealarmdata.moc"
