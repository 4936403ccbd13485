#include "SimCentre.h"
#include "managers/groups/OvMicGroupListMgr.h"

#include <QtTest>

namespace {

QList<int> ids(const OvMicGroupListMgr &list)
{
    QList<int> out;
    for (const MicGroup &g : list.groupList())
        out.append(g.id);
    return out;
}

} // namespace

// The microphone groups against the simulator's sample installation.
class TestMicGroupsSim : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void sampleList();
    void refusalsKeepTheCache();
    void editsFollowTheServer();

private:
    SimCentre m_sim;
    std::unique_ptr<OvMicGroupListMgr> m_list;
};

void TestMicGroupsSim::initTestCase()
{
    QVERIFY(m_sim.start());
    m_list = std::make_unique<OvMicGroupListMgr>(m_sim.centre.get());
}

void TestMicGroupsSim::cleanupTestCase()
{
    m_sim.stopThread();
    m_list.reset();
}

void TestMicGroupsSim::sampleList()
{
    QCOMPARE(ids(*m_list), QList<int>({1, 2, 3}));
    MicGroup g;
    QVERIFY(m_list->findGroup(2, g));
    QCOMPARE(g.ringRule, int(MicGroup::FixedOrder));
    QCOMPARE(g.ringTime, 45);
    QCOMPARE(g.members, std::vector<int>({105, 103, 101}));
}

void TestMicGroupsSim::refusalsKeepTheCache()
{
    MicGroup g;
    QVERIFY(m_list->findGroup(2, g));
    MicGroup bad = g;
    bad.ringRule = 6;
    QCOMPARE(m_list->send(bad, EditAction::Mod), 1);
    bad = g;
    bad.members = {105, 201};  // a call station is no group member
    QCOMPARE(m_list->send(bad, EditAction::Mod), 1);
    QCOMPARE(m_list->send(g, EditAction::Add), 1);  // exists already
    MicGroup now;
    QVERIFY(m_list->findGroup(2, now));
    QCOMPARE(now.members, g.members);
    QCOMPARE(now.ringRule, g.ringRule);
}

void TestMicGroupsSim::editsFollowTheServer()
{
    MicGroup g;
    g.id = m_list->maxGroupId() + 1;
    g.name = "夜班";
    g.ringRule = MicGroup::TalkLeastFirst;
    g.ringTime = 20;
    g.members = {106, 102};
    QCOMPARE(m_list->send(g, EditAction::Add), 0);
    QCOMPARE(m_list->fetchList(), 0);
    MicGroup back;
    QVERIFY(m_list->findGroup(4, back));
    QCOMPARE(back.name, QByteArray("夜班"));
    QCOMPARE(back.members, std::vector<int>({106, 102}));
    QCOMPARE(back.ringTime, 20);
    QCOMPARE(m_list->send(back, EditAction::Del), 0);
    QTRY_COMPARE(ids(*m_list), QList<int>({1, 2, 3}));
}

QTEST_MAIN(TestMicGroupsSim)
#include "tst_micgroups_sim.moc"
