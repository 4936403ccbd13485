#include "SimCentre.h"
#include "managers/firealarm/FAlarmChannels.h"
#include "managers/firealarm/OvFAlarmListMgr.h"

#include <QtTest>

// The fire-alarm interfaces (and the broadcast manager ahead of them)
// against the simulator's sample installation.
class TestFAlarmSim : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void list();
    void changeNotifications();
    void refusedCommands();

private:
    SimCentre m_sim;
    std::unique_ptr<OvFAlarmListMgr> m_list;
};

void TestFAlarmSim::initTestCase()
{
    QVERIFY(m_sim.start());
    m_list = std::make_unique<OvFAlarmListMgr>(m_sim.centre.get());
    QCOMPARE(m_list->fetchList(), 0);
}

void TestFAlarmSim::cleanupTestCase()
{
    m_sim.stopThread();
    m_list.reset();
}

void TestFAlarmSim::list()
{
    const auto list = m_list->lockList();
    QCOMPARE(list->size(), size_t(3));
    QCOMPARE(list->front().id, 703);
    QCOMPARE(list->front().name, QByteArray("FAlarm_703"));
    const QVector<FAlarmChannel> channels = parseFAlarmChannels(list->back().broadcast);
    QCOMPARE(channels.size(), 4);
    QCOMPARE(channels[0].name, QStringLiteral("一楼烟感"));
    QCOMPARE(channels[3].taskId, 8);
}

void TestFAlarmSim::changeNotifications()
{
    QSignalSpy changed(m_list.get(), &OvFAlarmListMgr::fAlarmChanged);
    FAlarmTrigger trigger;
    trigger.id = 702;
    trigger.channel = 2;
    trigger.channelName = "Stairs";
    trigger.sourceId = 9;
    QCOMPARE(m_list->setTrigger(trigger), 0);
    QTRY_VERIFY(parseFAlarmChannels(m_list->findCopy(702)->broadcast).value(1).taskId == 9);
    QTRY_VERIFY(changed.count() >= 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 702);

    // A broadcast list is taken by the broadcast manager, whatever its key.
    changed.clear();
    QVERIFY(m_sim.sim->command("notify SqlConfig firealarm <?xml version=\"1.0\"?><BroadcastList/>").startsWith("ok"));
    QCOMPARE(m_sim.sim->command("set 701 shortCircuit 3"), QString("ok"));
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(m_list->findCopy(701)->shortCircuit, 3);
}

void TestFAlarmSim::refusedCommands()
{
    OvFAlarm alarm = *m_list->findCopy(701);
    alarm.triggerType = 3;
    QCOMPARE(m_list->setName(alarm), 1);
    QCOMPARE(m_list->findCopy(701)->triggerType, 2);
    FAlarmTrigger trigger;
    trigger.id = 701;
    trigger.channel = 99;
    QCOMPARE(m_list->setTrigger(trigger), 1);
    QCOMPARE(m_list->removeDevice(*m_list->findCopy(701)), 1);  // online
    QVERIFY(m_list->findCopy(701));

    alarm.name = "Hall";
    alarm.triggerType = 1;
    QCOMPARE(m_list->setName(alarm), 0);
    QCOMPARE(m_list->lockList()->back().name, QByteArray("Hall"));
}

QTEST_MAIN(TestFAlarmSim)
#include "tst_firealarm_sim.moc"
