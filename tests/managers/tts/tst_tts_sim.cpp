#include "SimCentre.h"
#include "managers/tts/OvTtsListMgr.h"

#include <QtTest>

// The TTS boxes against the simulator's sample installation.
class TestTtsSim : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void list();
    void changeNotification();
    void refusedCommands();

private:
    SimCentre m_sim;
    std::unique_ptr<OvTtsListMgr> m_list;
};

void TestTtsSim::initTestCase()
{
    QVERIFY(m_sim.start());
    m_list = std::make_unique<OvTtsListMgr>(m_sim.centre.get());
}

void TestTtsSim::cleanupTestCase()
{
    m_sim.stopThread();
    m_list.reset();
}

void TestTtsSim::list()
{
    const std::vector<OvTts> list = m_list->copyList();
    QCOMPARE(int(list.size()), 2);
    QCOMPARE(list[0].id, 601);
    QCOMPARE(list[1].name, QByteArray("TTS Box 2"));
}

void TestTtsSim::changeNotification()
{
    QSignalSpy changed(m_list.get(), &OvTtsListMgr::TTsChanged);
    QCOMPARE(m_sim.sim->command("set 601 status 3"), QString("ok"));
    QTRY_COMPARE(m_list->findCopy(601)->status, 3);
    QTRY_VERIFY(changed.count() >= 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 601);
    QCOMPARE(m_list->copyList().at(0).id, 601);  // in place
}

void TestTtsSim::refusedCommands()
{
    OvTts tts = *m_list->findCopy(601);
    tts.name.clear();
    QCOMPARE(m_list->rename(tts), 1);
    QCOMPARE(m_list->findCopy(601)->name, QByteArray("语音合成一号"));
    QCOMPARE(m_list->remove(*m_list->findCopy(601)), 1);  // working
    QVERIFY(m_list->findCopy(601));
}

QTEST_MAIN(TestTtsSim)
#include "tst_tts_sim.moc"
