#include "SimCentre.h"
#include "managers/regions/OvRegionListMgr.h"

#include <QtTest>

namespace {

QList<int> ids(const OvRegionListMgr &list)
{
    QList<int> out;
    for (const OvRegion &r : list.regionList())
        out.append(r.id);
    return out;
}

} // namespace

// The broadcast regions against the simulator's sample installation; each
// test starts its own simulator.
class TestRegionsSim : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sampleList();
    void editsFollowTheServer();
    void refusalsKeepTheCache();
    void lostAnswerFetchesTheList();
    void pushedRowReachesTheCache();

private:
    SimCentre m_sim;
    std::unique_ptr<OvRegionListMgr> m_list;
};

void TestRegionsSim::init()
{
    QVERIFY(m_sim.start());
    m_list = std::make_unique<OvRegionListMgr>(m_sim.centre.get());
}

void TestRegionsSim::cleanup()
{
    m_sim.stopThread();
    m_list.reset();
    m_sim.centre.reset();
    m_sim.sim.reset();
}

void TestRegionsSim::sampleList()
{
    QCOMPARE(ids(*m_list), QList<int>({1, 2, 3, 4}));
    OvRegion r;
    QVERIFY(m_list->findRegion(3, r));
    QCOMPARE(r.name, QByteArray("宿舍区"));
    QCOMPARE(r.memberIds(), std::vector<int>({13, 14, 301, 201}));
    QVERIFY(m_list->findRegion(4, r));
    QVERIFY(r.members.empty());
}

void TestRegionsSim::editsFollowTheServer()
{
    QSignalSpy changed(m_list.get(), &OvRegionListMgr::regionChanged);
    OvRegion r;
    r.id = m_list->maxRegionId() + 3;
    r.name = "Labs";
    r.setMemberIds({15, 304});
    QCOMPARE(m_list->send(r, EditAction::Add), 0);
    QCOMPARE(ids(*m_list), QList<int>({1, 2, 3, 4, 7}));
    QTRY_VERIFY(changed.count() >= 1);
    // What the server stored, read back.
    QCOMPARE(m_list->fetchList(), 0);
    OvRegion back;
    QVERIFY(m_list->findRegion(7, back));
    QCOMPARE(back.memberIds(), std::vector<int>({15, 304}));
    OvRegion stored;
    QVERIFY(m_list->findRegion(2, stored));
    QCOMPARE(m_list->send(stored, EditAction::Del), 0);
    QTRY_COMPARE(ids(*m_list), QList<int>({1, 3, 4, 7}));
}

void TestRegionsSim::refusalsKeepTheCache()
{
    OvRegion r;
    QVERIFY(m_list->findRegion(1, r));
    OvRegion twice = r;
    QCOMPARE(m_list->send(twice, EditAction::Add), 1);      // region 1 exists already
    r.setMemberIds({1, 101});                             // a microphone is no region member
    QCOMPARE(m_list->send(r, EditAction::Mod), 1);
    OvRegion unknown;
    unknown.id = 55;
    unknown.name = "Nowhere";
    QCOMPARE(m_list->send(unknown, EditAction::Del), 1);
    QCOMPARE(ids(*m_list), QList<int>({1, 2, 3, 4}));
    QVERIFY(m_list->findRegion(1, r));
    QCOMPARE(r.memberIds(), std::vector<int>({1, 2, 3, 10001}));
}

void TestRegionsSim::lostAnswerFetchesTheList()
{
    // The server removes the region and its answer is lost: the console does
    // not guess, it asks for the list again.
    QCOMPARE(m_sim.sim->command("sql delete from region where regionId = 3"), QString("ok 1"));
    QVERIFY(m_sim.sim->command("fault ignore BroadRegion").startsWith("ok"));
    OvRegion r;
    QVERIFY(m_list->findRegion(2, r));
    QCOMPARE(m_list->send(r, EditAction::Del), 3);
    QCOMPARE(ids(*m_list), QList<int>({1, 2, 4}));
}

void TestRegionsSim::pushedRowReachesTheCache()
{
    // Another console changed region 4: the server pushes its row.
    QSignalSpy changed(m_list.get(), &OvRegionListMgr::regionChanged);
    QCOMPARE(m_sim.sim->command("sql update region set name = 'Pushed', terminalId = '8 302' where regionId = 4"),
             QString("ok 1"));
    QCOMPARE(m_sim.sim->command("push region 4"), QString("ok"));
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 4);
    OvRegion r;
    QVERIFY(m_list->findRegion(4, r));
    QCOMPARE(r.name, QByteArray("Pushed"));
    QCOMPARE(r.memberIds(), std::vector<int>({8, 302}));
    QCOMPARE(ids(*m_list), QList<int>({1, 2, 3, 4}));
}

QTEST_MAIN(TestRegionsSim)
#include "tst_regions_sim.moc"
