#include "SimCentre.h"
#include "managers/mic/MicBookTexts.h"
#include "managers/mic/OvMicListMgr.h"
#include "managers/mic/OvMicManage.h"

#include <QtTest>

// The M35 paging microphones against the simulator's sample installation.
class TestMicSim : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void listDetailsAndBooks();
    void changeNotification();
    void refusedCommands();

private:
    SimCentre m_sim;
    std::unique_ptr<OvMicListMgr> m_list;
};

void TestMicSim::initTestCase()
{
    QVERIFY(m_sim.start());
    m_list = std::make_unique<OvMicListMgr>(m_sim.centre.get());
    QCOMPARE(m_list->fetchList(), 0);
}

void TestMicSim::cleanupTestCase()
{
    m_sim.stopThread();
    m_list.reset();
}

void TestMicSim::listDetailsAndBooks()
{
    {
        const auto list = m_list->lockList();
        QCOMPARE(list->size(), size_t(6));
        QCOMPARE(list->front().id, 106);
        QCOMPARE(list->back().id, 101);
    }
    QCOMPARE(m_list->findCopy(102)->pttMode, 1);
    QVERIFY(m_list->findCopy(101)->ver.isEmpty());  // the list does not carry it

    QCOMPARE(m_list->fetchDetails(101), 0);
    const OvMic detailed = *m_list->findCopy(101);
    QVERIFY(detailed.detailsLoaded);
    QCOMPARE(detailed.ver, QByteArray("V2.1.4"));
    QCOMPARE(detailed.name, QByteArray("校长室话筒"));

    QCOMPARE(m_list->fetchBook(OvMicManage::CallBookCode, 101), 0);
    QCOMPARE(int(m_list->book(OvMicManage::CallBookCode).size()), 4);
    QCOMPARE(m_list->fetchBook(OvMicManage::PlayingTerminalsCode, 0), 0);
    QVERIFY(m_list->playingTerminals().size() > 20);

    // A commit replaces the book on the server.
    const QByteArray transfer = micbooks::transferBookText({103}, {2});
    QCOMPARE(m_list->commitBook(OvMicManage::CommitTransferBookCode, 101, transfer), 0);
    QCOMPARE(m_list->fetchBook(OvMicManage::TransferBookCode, 101), 0);
    const std::vector<MicBookEntry> book = m_list->book(OvMicManage::TransferBookCode);
    QCOMPARE(int(book.size()), 2);
    QCOMPARE(book[0].targetId, 103);
    QCOMPARE(book[1].targetType, 10);
}

void TestMicSim::changeNotification()
{
    QSignalSpy changed(m_list.get(), &OvMicListMgr::micChanged);
    QCOMPARE(m_sim.sim->command("set 103 status 4"), QString("ok"));
    QTRY_COMPARE(m_list->findCopy(103)->status, 4);
    QTRY_VERIFY(changed.count() >= 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 103);
    QCOMPARE(m_list->lockList()->back().id, 103);
}

void TestMicSim::refusedCommands()
{
    OvMic mic = *m_list->findCopy(104);
    mic.bellVol = 101;
    QCOMPARE(m_list->saveSettings(mic), 1);
    QCOMPARE(m_list->findCopy(104)->bellVol, 75);
    QCOMPARE(m_list->commitBook(OvMicManage::CommitCallBookCode, 104, "Mic35_9999"), 1);
    QCOMPARE(m_list->removeMic(*m_list->findCopy(101)), 1);  // online
    QVERIFY(m_list->findCopy(101));

    mic.bellVol = 60;
    QCOMPARE(m_list->saveSettings(mic), 0);
    QCOMPARE(m_list->findCopy(104)->bellVol, 60);
}

QTEST_MAIN(TestMicSim)
#include "tst_mic_sim.moc"
