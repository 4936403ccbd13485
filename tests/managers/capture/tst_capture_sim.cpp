#include "SimCentre.h"
#include "view/CaptureHolder.h"
#include "view/OvCreateViewCtrMgr.h"
#include "view/OvQtViewCtrl.h"
#include "view/OvQtViewSignal.h"

#include <QtTest>

// The capture boxes against the simulator's sample installation.
class TestCaptureSim : public QObject
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
    std::unique_ptr<CaptureHolder> m_holder;
};

void TestCaptureSim::initTestCase()
{
    QVERIFY(m_sim.start());
    m_holder = std::make_unique<CaptureHolder>();
    m_holder->setViewCtrl(OvCreateViewCtrMgr::instance().create(OvCreateViewCtrMgr::QtView));
    QCOMPARE(m_holder->fetchList(m_sim.centre.get()), 0);
}

void TestCaptureSim::cleanupTestCase()
{
    m_sim.stopThread();
    m_holder.reset();
}

void TestCaptureSim::list()
{
    const auto list = m_holder->lockList();
    QVERIFY(list.exists());
    QCOMPARE(list->size(), size_t(3));
    QCOMPARE(list->front().id, 503);
    QCOMPARE(list->front().name, QByteArray("Cap_503"));
    QCOMPARE(list->back().capSamplerate, 32000);
}

void TestCaptureSim::changeNotification()
{
    QSignalSpy updated(m_holder->viewCtrl()->viewSignal(), &OvQtViewSignal::updateTerminal);
    QCOMPARE(m_sim.sim->command("set 502 capVol 33"), QString("ok"));
    QTRY_COMPARE(m_holder->findCopy(502)->capVol, 33);
    QTRY_COMPARE(updated.count(), 1);
    QCOMPARE(updated.at(0).at(0).toInt(), 502);

    // A row whose id is not a number is skipped; the connection stays.
    QVERIFY(m_sim.sim->command(R"(notify SqlConfig capm59 [{"terminalId":"x"},{"terminalId":"501","capVol":"44"}])")
                .startsWith("ok"));
    QTRY_COMPARE(m_holder->findCopy(501)->capVol, 44);
    QCOMPARE(m_sim.centre->state(), ConnectionState::LoggedIn);
}

void TestCaptureSim::refusedCommands()
{
    OvCap cap = *m_holder->findCopy(503);
    cap.capSamplerate = 11025;
    QCOMPARE(m_holder->saveSettings(cap), 1);
    QCOMPARE(m_holder->findCopy(503)->capSamplerate, 16000);
    QCOMPARE(m_holder->remove(*m_holder->findCopy(501)), 1);  // online
    QVERIFY(m_holder->findCopy(501));
    QCOMPARE(m_holder->remove(*m_holder->findCopy(503)), 0);
    QVERIFY(!m_holder->findCopy(503));
}

QTEST_MAIN(TestCaptureSim)
#include "tst_capture_sim.moc"
