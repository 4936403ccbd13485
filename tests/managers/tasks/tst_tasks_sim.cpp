#include "SimCentre.h"
#include "view/OvSchemeStore.h"
#include "managers/tasks/OvSsTaskDataMgr.h"
#include "managers/tasks/OvPlayTaskManage.h"
#include "managers/tasks/OvSsTaskManage.h"
#include "view/OvQtViewSignal.h"

#include <QtTest>

namespace {

SoundSourceTask manualTask()
{
    SoundSourceTask t;
    t.name = "Drill";
    t.category = 2;
    t.sourceType = 1;
    t.sourceContent = "drill.mp3";
    t.playVolume = 80;
    t.playTimes = 1;
    t.setTerminals({1, 2});
    return t;
}

} // namespace

// Tasks and schemes against the simulator's sample installation: the list,
// edits with the ids the server gives, every refusal with its reason, Start
// and the push that ends it, and a scheme add whose push comes before or
// after its answer.
class TestTasksSim : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void sampleList();
    void addModifyDelete();
    void refusals_data();
    void refusals();
    void startEndsByItself();
    void schemeAdd_data();
    void schemeAdd();
    void schemeDeleteRefusals();
    void taskDocumentReachesItsOwnManager();

private:
    SimCentre m_sim;
    std::unique_ptr<OvSsTaskDataMgr> m_tasks;
    std::unique_ptr<OvSchemeStore> m_schemes;
};

void TestTasksSim::initTestCase()
{
    // One second of play time lasts 100 ms here.
    QVERIFY(m_sim.start({"--task-second-ms", "100"}));
    m_tasks = std::make_unique<OvSsTaskDataMgr>(m_sim.centre.get());
    m_schemes = std::make_unique<OvSchemeStore>(m_sim.centre.get());
}

void TestTasksSim::cleanupTestCase()
{
    m_sim.stopThread();
    m_tasks.reset();
    m_schemes.reset();
}

void TestTasksSim::sampleList()
{
    QVERIFY(m_tasks->findCopy(7));
    QCOMPARE(int(m_tasks->copyList().size()), 12);
    const SoundSourceTask unnamed = *m_tasks->findCopy(23);
    QCOMPARE(unnamed.timerPlanId, 2);
    QCOMPARE(unnamed.displayName(), QByteArray("Task_12 15"));
    const SoundSourceTask noon = *m_tasks->findCopy(21);
    QCOMPARE(noon.endDate, Q_INT64_C(4102444800));
    QCOMPARE(int(noon.execTimes.size()), 2);
    QCOMPARE(noon.execTimes[1].time, qint64(50400));

    QVERIFY(!m_schemes->schemeList(0));
    QTRY_VERIFY(m_schemes->schemeList(0));
    QCOMPARE(m_schemes->findScheme(1, 0)->name, QByteArray("默认方案"));
    QCOMPARE(m_schemes->findScheme(3, 0)->enabled, 0);
}

void TestTasksSim::addModifyDelete()
{
    QSignalSpy changed(m_tasks.get(), &OvSsTaskDataMgr::taskChanged);
    QSignalSpy deleted(m_tasks.get(), &OvSsTaskDataMgr::taskDeleted);
    QCOMPARE(m_tasks->send(manualTask(), OvSsTaskManage::Add), 0);
    // The waiting request delivers queued signals while it waits.
    QTRY_VERIFY(changed.count() >= 1);
    const int id = changed.at(0).at(0).toInt();
    QCOMPARE(id, 31);  // the server's next id
    QCOMPARE(m_tasks->findCopy(id)->terminalText, QByteArray("1 2"));

    // The unnamed timer task keeps its scheme and its empty name when edited.
    SoundSourceTask unnamed = *m_tasks->findCopy(23);
    unnamed.playVolume = 55;
    QCOMPARE(m_tasks->send(unnamed, OvSsTaskManage::Mod), 0);
    QTRY_COMPARE(m_tasks->findCopy(23)->playVolume, 55);
    QCOMPARE(m_tasks->findCopy(23)->timerPlanId, 2);
    QCOMPARE(m_tasks->findCopy(23)->name, QByteArray());

    QCOMPARE(m_tasks->send(*m_tasks->findCopy(id), OvSsTaskManage::Del), 0);
    QVERIFY(!m_tasks->findCopy(id));
    QTRY_COMPARE(deleted.count(), 1);
}

void TestTasksSim::refusals_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("reason");
    QTest::newRow("unknown id") << 999 << 1 << "" << "unknown task 999";
    QTest::newRow("running task") << 8 << 1 << "" << "task 8 is running";
    QTest::newRow("delete running task") << 8 << 2 << "" << "task 8 is running";
    QTest::newRow("unknown scheme") << 20 << 1 << "scheme 77" << "unknown scheme 77";
    QTest::newRow("unknown terminal") << 7 << 1 << "terminals 1 99999" << "unknown terminal 99999";
    QTest::newRow("unknown capture box") << 3 << 1 << "content 502x" << "unknown capture box 502x";
    QTest::newRow("integration task") << 30 << 1 << "" << "integration tasks are managed by the server";
    QTest::newRow("delete integration task") << 30 << 2 << "" << "integration tasks are managed by the server";
    QTest::newRow("switch unknown id") << 999 << 3 << "" << "unknown task 999";
}

void TestTasksSim::refusals()
{
    QFETCH(int, id);
    QFETCH(int, action);
    QFETCH(QString, change);
    QFETCH(QString, reason);
    SoundSourceTask t;
    if (const auto cached = m_tasks->findCopy(id))
        t = *cached;
    t.id = id;
    const SoundSourceTask before = t;
    if (change.startsWith("scheme "))
        t.timerPlanId = change.mid(7).toInt();
    else if (change.startsWith("terminals "))
        t.terminalText = change.mid(10).toUtf8();
    else if (change.startsWith("content "))
        t.sourceContent = change.mid(8).toUtf8();
    QSignalSpy failed(m_tasks.get(), &OvSsTaskDataMgr::taskDeleteFailed);
    m_sim.sim->clearReceivedLog();
    QCOMPARE(m_tasks->send(t, action), 1);
    if (action == OvSsTaskManage::Del) {
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(failed.at(0).at(0).toString(), reason);
    }
    // The server's reason is in its answer; the cache is unchanged.
    const auto after = m_tasks->findCopy(id);
    QCOMPARE(bool(after), id != 999);
    if (after)
        QCOMPARE(after->toString(), before.toString());
    QVERIFY(m_sim.sim->receivedLog().contains(action >= 3 ? "SoundSourceSwitch" : "SoundSource"));
}

void TestTasksSim::startEndsByItself()
{
    // Task 12 plays twice without a duration: two seconds, 200 ms here.
    QSignalSpy changed(m_tasks.get(), &OvSsTaskDataMgr::taskChanged);
    QCOMPARE(m_tasks->send(*m_tasks->findCopy(12), OvSsTaskManage::Start), 0);
    QTRY_COMPARE(m_tasks->findCopy(12)->status, 1);
    QTRY_COMPARE_WITH_TIMEOUT(m_tasks->findCopy(12)->status, 2, 10000);
    QTRY_VERIFY(changed.count() >= 2);
    // A running task is refused for edits until then; Stop is accepted any time.
    QCOMPARE(m_tasks->send(*m_tasks->findCopy(12), OvSsTaskManage::Stop), 0);
}

void TestTasksSim::schemeAdd_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("idFromAnswer");
    QTest::newRow("push after the answer") << "" << true;
    QTest::newRow("push before the answer") << "push-first TimerPlan" << true;
    QTest::newRow("answer without the row, push after") << "bare-answer TimerPlan" << false;
    QTest::newRow("answer without the row, push before") << "push-first TimerPlan bare-answer TimerPlan" << false;
}

void TestTasksSim::schemeAdd()
{
    QFETCH(QString, fault);
    QFETCH(bool, idFromAnswer);
    QCOMPARE(m_sim.sim->command("fault clear").left(2), QString("ok"));
    if (fault.contains("push-first"))
        QCOMPARE(m_sim.sim->command("fault push-first TimerPlan").left(2), QString("ok"));
    if (fault.contains("bare-answer"))
        QCOMPARE(m_sim.sim->command("fault bare-answer TimerPlan").left(2), QString("ok"));
    QTRY_VERIFY(m_schemes->schemeList(0));
    const int before = int(m_schemes->schemeList(0)->size());
    QSignalSpy added(m_schemes->view(0), &OvQtViewSignal::addTerminal);

    OvScheme s;
    s.name = "考试周二";
    s.comment = QByteArray("row ") + QTest::currentDataTag();
    QCOMPARE(m_schemes->sendAdd(s, 0), 0);
    if (idFromAnswer) {
        QVERIFY(s.id > 3);
        QCOMPARE(s.name, QByteArray("考试周二"));
    } else {
        QCOMPARE(s.id, -1);
    }
    // Either order: the scheme is listed once and added once.
    QTRY_COMPARE(int(m_schemes->schemeList(0)->size()), before + 1);
    QTRY_COMPARE(added.count(), 1);
    const int id = added.at(0).at(0).toInt();
    QVERIFY(!idFromAnswer || id == s.id);
    QCOMPARE(m_schemes->findScheme(id, 0)->comment, s.comment);
    QCOMPARE(m_sim.sim->command("fault clear").left(2), QString("ok"));

    // Delete it again: the store loses it with the answer.
    QCOMPARE(m_schemes->sendDelete(*m_schemes->findScheme(id, 0), 0), 0);
    QVERIFY(!m_schemes->findScheme(id, 0));
    QTRY_COMPARE(int(m_schemes->schemeList(0)->size()), before);
}

void TestTasksSim::schemeDeleteRefusals()
{
    QTRY_VERIFY(m_schemes->schemeList(0));
    m_sim.sim->clearReceivedLog();
    // Scheme 1 and scheme 2 (which holds tasks 22 and 23) are refused.
    OvScheme one = *m_schemes->findScheme(1, 0);
    QCOMPARE(m_schemes->sendDelete(one, 0), 1);
    OvScheme two = *m_schemes->findScheme(2, 0);
    QCOMPARE(m_schemes->sendDelete(two, 0), 1);
    QVERIFY(m_schemes->findScheme(1, 0));
    QVERIFY(m_schemes->findScheme(2, 0));
    // Toggling scheme 3 (disabled) enables it; the push brings the change.
    OvScheme three = *m_schemes->findScheme(3, 0);
    QCOMPARE(m_schemes->sendToggle(three, 0), 0);
    QTRY_COMPARE(m_schemes->findScheme(3, 0)->enabled, 1);
}

void TestTasksSim::taskDocumentReachesItsOwnManager()
{
    // A task text without a declaration whose first child is a "Level": the
    // level manager (asked first) must leave it to the play-task manager.
    auto *playTasks = dynamic_cast<OvPlayTaskManage *>(m_sim.centre->manager(OvManageCenter::PlayTaskSlot));
    QVERIFY(playTasks);
    QCOMPARE(m_sim.sim->command("notify Task - <Task id=\"55\" name=\"Pushed\"><Level id=\"1\" lv=\"1\"/>"
                                "<exec/><files/><terminals/></Task>"),
             QString("ok"));
    QTRY_COMPARE(playTasks->current().id, 55);
    QCOMPARE(playTasks->current().name, QByteArray("Pushed"));
}

QTEST_MAIN(TestTasksSim)
#include "tst_tasks_sim.moc"
