#include "managers/broadcast/OvBroadcastManage.h"
#include "managers/firealarm/OvFAlarmManage.h"
#include "protocol/OvManageCenter.h"

#include <QtTest>

#include <atomic>

namespace {

// Stands in slot 17 and notes whether a notification reached it.
class ProbeMgr final : public OvBaseMgr
{
public:
    explicit ProbeMgr(std::atomic<int> *offered) : OvBaseMgr({}), m_offered(offered) {}
    void onOk(int, const QByteArray &) override {}
    bool onNotify(const QByteArray &, const QByteArray &) override
    {
        ++*m_offered;
        return true;
    }
    bool onBody(const QByteArray &) override { return false; }
    void onDeleted(int) override {}

private:
    std::atomic<int> *m_offered;
};

QByteArray notification(const QByteArray &subtype, const QByteArray &body)
{
    return "POST DBP/1.0\r\nPacket-Type:SqlConfig\r\nPacket-Subtype:" + subtype + "\r\nContent-Length:"
           + QByteArray::number(body.size()) + "\r\n\r\n";
}

} // namespace

// A broadcast list ends the search for a notification's manager at slot 3.
class TestBroadcastRouting : public QObject
{
    Q_OBJECT
private slots:
    void broadcastListStopsAtSlotThree_data();
    void broadcastListStopsAtSlotThree();
    void theConsoleCentreRoutesLikeThat();
};

void TestBroadcastRouting::broadcastListStopsAtSlotThree_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("reachesSlot17");
    QTest::newRow("BroadcastList") << QByteArray("<?xml version=\"1.0\"?><BroadcastList><Broadcast/></BroadcastList>")
                                   << 0;
    QTest::newRow("Broadcast") << QByteArray("<?xml version=\"1.0\"?><Broadcast/>") << 1;
    QTest::newRow("JSON") << QByteArray(R"([{"terminalId":"1"}])") << 1;
    QTest::newRow("empty") << QByteArray() << 1;
}

void TestBroadcastRouting::broadcastListStopsAtSlotThree()
{
    QFETCH(QByteArray, body);
    QFETCH(int, reachesSlot17);
    std::atomic<int> offered{0};
    OvManageCenter centre(OvManageCenter::Bare);
    QVERIFY(centre.installManager(OvManageCenter::BroadcastSlot, std::make_unique<OvBroadcastManage>()));
    QVERIFY(centre.installManager(OvManageCenter::FAlarmSlot, std::make_unique<ProbeMgr>(&offered)));
    centre.onMessage(notification("firealarm", body), body);
    QCOMPARE(offered.load(), reachesSlot17);
}

void TestBroadcastRouting::theConsoleCentreRoutesLikeThat()
{
    OvManageCenter centre;
    auto *fire = dynamic_cast<OvFAlarmManage *>(centre.manager(OvManageCenter::FAlarmSlot));
    int events = 0;
    fire->setEventCallback([&events](TermEvent<OvFAlarm> &) { return ++events, 0; });
    const QByteArray rows = R"([{"terminalId":"701"}])";
    centre.onMessage(notification("firealarm", rows), rows);
    QCOMPARE(events, 1);
    const QByteArray list = "<?xml version=\"1.0\"?><BroadcastList/>";
    centre.onMessage(notification("firealarm", list), list);
    QCOMPARE(events, 1);
    fire->setEventCallback(nullptr);
}

QTEST_MAIN(TestBroadcastRouting)
#include "tst_broadcastrouting.moc"
