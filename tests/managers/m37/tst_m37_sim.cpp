#include "SimCentre.h"
#include "managers/m37/OvM37ListMgr.h"

#include <QtTest>

// The M37 mobile devices against the simulator's sample installation.
class TestM37Sim : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void list();
    void changeNotification();
    void removal();

private:
    SimCentre m_sim;
    std::unique_ptr<OvM37ListMgr> m_list;
};

void TestM37Sim::initTestCase()
{
    QVERIFY(m_sim.start());
    m_list = std::make_unique<OvM37ListMgr>(m_sim.centre.get());
    QCOMPARE(m_list->fetchList(), 0);
}

void TestM37Sim::cleanupTestCase()
{
    m_sim.stopThread();
    m_list.reset();
}

void TestM37Sim::list()
{
    const auto list = m_list->lockList();
    QCOMPARE(list->size(), size_t(3));
    QCOMPARE(list->front().id, 403);
    QCOMPARE(list->front().name, QByteArray("M37_403"));
    QCOMPARE(list->back().id, 401);
}

void TestM37Sim::changeNotification()
{
    QSignalSpy changed(m_list.get(), &OvM37ListMgr::m37Changed);
    QCOMPARE(m_sim.sim->command("set 403 status 0"), QString("ok"));
    QTRY_COMPARE(m_list->findCopy(403)->status, 0);
    QTRY_VERIFY(changed.count() >= 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 403);
    QCOMPARE(m_list->lockList()->back().id, 403);
}

void TestM37Sim::removal()
{
    QCOMPARE(m_list->removeDevice(*m_list->findCopy(401)), 1);  // online
    QVERIFY(m_list->findCopy(401));
    QCOMPARE(m_list->removeDevice(*m_list->findCopy(402)), 0);
    QVERIFY(!m_list->findCopy(402));
}

QTEST_MAIN(TestM37Sim)
#include "tst_m37_sim.moc"
