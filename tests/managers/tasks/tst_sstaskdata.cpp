#include "FamilyPeer.h"
#include "managers/tasks/OvSsTaskDataMgr.h"
#include "managers/tasks/OvSsTaskManage.h"

#include <QtTest>

namespace {

QList<int> ids(const OvSsTaskDataMgr &list)
{
    QList<int> out;
    for (const SoundSourceTask &t : list.copyList())
        out.append(t.id);
    return out;
}

OvSsTaskManage *manageOf(OvManageCenter &centre)
{
    return dynamic_cast<OvSsTaskManage *>(centre.manager(OvManageCenter::SsTaskSlot));
}

SoundSourceTask timerTask()
{
    SoundSourceTask t;
    t.id = 23;
    t.name = "";
    t.category = 3;
    t.sourceType = 1;
    t.timerPlanId = 2;
    t.sourceContent = "a.mp3@#$%b.mp3";
    t.playVolume = 70;
    t.duration = 0;
    t.playTimes = 1;
    t.openAmp = 5;
    t.week = 62;
    t.startDate = 4102444800;  // 2100-01-01, past 2038
    t.endDate = 4133980800;
    t.setExecTimes({{28800, "早操"}, {43200, "Noon"}});
    t.setTerminals({12, 15});
    return t;
}

} // namespace

// The sound-source tasks: rows, request texts, the cache under the manager's
// events (no server), and the results of edits against a scripted server.
class TestSsTaskData : public QObject
{
    Q_OBJECT
private slots:
    void rows_data();
    void rows();
    void execTimes_data();
    void execTimes();
    void names_data();
    void names();
    void requestTexts_data();
    void requestTexts();
    void cacheUnderNotifications();
    void deleteAnswers();
    void editResults_data();
    void editResults();
};

void TestSsTaskData::rows_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty name keeps its scheme")
        << QByteArray(R"({"sourceId":"23","name":"","sourceCategory":"3","timerPlanId":"2","terminalId":"12 15"})")
        << QString("task 23 \"\" status 0 category 3 source 0 scheme 2 terminals \"12 15\" exec \"\" | Task_12 15 | "
                   "12,15 | 0 0");
    QTest::newRow("dates past 2038")
        << QByteArray(R"({"sourceId":"5","name":"A","startDate":"4102444800","endDate":"4133980800"})")
        << QString("task 5 \"A\" status 0 category 0 source 0 scheme 0 terminals \"\" exec \"\" | A |  | "
                   "4102444800 4133980800");
    QTest::newRow("terminal text with extra blanks")
        << QByteArray(R"({"sourceId":"7","name":"F","status":"1","terminalId":" 1  2 x3"})")
        << QString("task 7 \"F\" status 1 category 0 source 0 scheme 0 terminals \" 1  2 x3\" exec \"\" | F | 1,2,0 | "
                   "0 0");
}

void TestSsTaskData::rows()
{
    QFETCH(QByteArray, row);
    QFETCH(QString, expected);
    std::vector<SoundSourceTask> list;
    QVERIFY(OvSsTaskManage::parseRows("[" + row + "]", list));
    const SoundSourceTask &t = list.at(0);
    QStringList terminals;
    for (qint32 id : t.terminals)
        terminals << QString::number(id);
    QCOMPARE(t.toString() + " | " + QString::fromUtf8(t.displayName()) + " | " + terminals.join(',') + " | "
                 + QString::number(t.startDate) + " " + QString::number(t.endDate),
             expected);
}

void TestSsTaskData::execTimes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two pieces") << QByteArray("Morning#$%28800!!!Noon#$%43200") << QString("Morning=28800,Noon=43200");
    QTest::newRow("piece without mark skipped") << QByteArray("A#$%1!!!broken!!!B#$%2") << QString("A=1,B=2");
    QTest::newRow("piece with two marks skipped") << QByteArray("A#$%1#$%2!!!B#$%x") << QString("B=0");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("long chinese name cut whole")
        << QByteArray("\xe6\x95\x99").repeated(12) + "#$%5"
        << QString::fromUtf8(QByteArray("\xe6\x95\x99").repeated(10)) + "=5";
}

void TestSsTaskData::execTimes()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    QStringList got;
    for (const ExecTime &e : SoundSourceTask::readExecTimes(text))
        got << QString::fromUtf8(e.name) + "=" + QString::number(e.time);
    QCOMPARE(got.join(','), expected);
}

void TestSsTaskData::names_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("source");
    QTest::newRow("0") << 0 << "Unknow" << "File Play Broadcast";
    QTest::newRow("1") << 1 << "Running" << "File Play Broadcast";
    QTest::newRow("2") << 2 << "Idle" << "Cap Broadcast";
    QTest::newRow("3") << 3 << "Illegality" << "TTS Broadcast";
    QTest::newRow("4") << 4 << "Illegality" << "Mic Broadcast";
    QTest::newRow("negative") << -1 << "Illegality" << "File Play Broadcast";
    QTest::newRow("minimum") << int(INT_MIN) << "Illegality" << "File Play Broadcast";
}

void TestSsTaskData::names()
{
    QFETCH(int, value);
    QFETCH(QString, status);
    QFETCH(QString, source);
    QCOMPARE(QString(SoundSourceTask::statusName(value)), status);
    QCOMPARE(QString(SoundSourceTask::sourceTypeName(value)), source);
}

void TestSsTaskData::requestTexts_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<QByteArray>("text");
    const QByteArray whole =
        "{\"Action\":\"@ACTION@\",\"Duration\":\"0\",\"EndDate\":\"4133980800\","
        "\"ExecuteTime\":\"\xe6\x97\xa9\xe6\x93\x8d#$%28800!!!Noon#$%43200\",\"Id\":\"@ID@\",\"Name\":\"\","
        "\"OpenAmp\":\"5\",\"PlayTimes\":\"1\",\"PlayVol\":\"70\",\"SourceCategory\":\"3\","
        "\"SourceContent\":\"a.mp3@#$%b.mp3\",\"SourceType\":\"1\",\"StartDate\":\"4102444800\","
        "\"TerminalId\":\"12 15\",\"TimerPlanId\":\"2\",\"Week\":\"62\"}\n";
    const auto post = [](const char *type, const QByteArray &body) {
        return "POST DBP/1.0\r\nCSeq: 9\r\nPacket-Type:" + QByteArray(type) + "\r\nContent-Length:"
            + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    };
    // A new task goes with Id 0 whatever the record holds.
    QTest::newRow("Add") << 0 << post("SoundSource", QByteArray(whole).replace("@ACTION@", "Add").replace("@ID@", "0"));
    QTest::newRow("Mod") << 1
                         << post("SoundSource", QByteArray(whole).replace("@ACTION@", "Mod").replace("@ID@", "23"));
    QTest::newRow("Del") << 2
                         << post("SoundSource", QByteArray(whole).replace("@ACTION@", "Del").replace("@ID@", "23"));
    QTest::newRow("Start") << 3 << post("SoundSourceSwitch", "{\"Action\":\"Start\",\"Id\":\"23\"}\n");
    QTest::newRow("Stop") << 4 << post("SoundSourceSwitch", "{\"Action\":\"Stop\",\"Id\":\"23\"}\n");
    QTest::newRow("unknown action") << 5 << QByteArray();
    QTest::newRow("list") << -1
                          << QByteArray("GET DBP/1.0\r\nCSeq: 9\r\nPacket-Type:SqlConfig\r\n"
                                        "Packet-Subtype: SoundSourceList\r\nContent-Length:25\r\n\r\n"
                                        "select * from soundsource");
}

void TestSsTaskData::requestTexts()
{
    QFETCH(int, action);
    QFETCH(QByteArray, text);
    OvSsTaskManage m;
    // The fallback name is never sent: the task's own (empty) name is.
    QCOMPARE(action < 0 ? m.buildList(9) : m.buildEdit(9, timerTask(), action), text);
}

void TestSsTaskData::cacheUnderNotifications()
{
    OvManageCenter centre;
    OvSsTaskDataMgr list(&centre);
    OvSsTaskManage *m = manageOf(centre);
    QSignalSpy got(&list, &OvSsTaskDataMgr::gotTaskList);
    QSignalSpy changed(&list, &OvSsTaskDataMgr::taskChanged);
    QSignalSpy deleted(&list, &OvSsTaskDataMgr::taskDeleted);

    // Before any list: the change is kept, not dropped.
    QVERIFY(m->onNotify("SqlConfig_soundsource", R"([{"sourceId":"9","name":"early"}])"));
    QCOMPARE(ids(list), QList<int>({9}));
    m->onOk(247, R"([{"sourceId":"3","name":"c"},{"sourceId":"1","name":"a"},{"sourceId":"2","name":"b"}])");
    QCOMPARE(ids(list), QList<int>({3, 1, 2}));
    // A changed task stays where it is; a new one is appended.
    QVERIFY(m->onNotify("SqlConfig_soundsource", R"([{"sourceId":"1","name":"A"},{"sourceId":"4","name":"d"}])"));
    QCOMPARE(ids(list), QList<int>({3, 1, 2, 4}));
    QCOMPARE(list.findCopy(1)->name, QByteArray("A"));
    // Not JSON: claimed, nothing changes.
    QVERIFY(m->onNotify("SqlConfig_soundsource", "[{\"sourceId\":"));
    QVERIFY(!m->onNotify("SqlConfig_soundsourcex", "[]"));
    m->onDelete("SoundSource", 2);
    m->onDelete("Tts", 3);
    QCOMPARE(ids(list), QList<int>({3, 1, 4}));
    // An empty list empties the cache.
    m->onOk(247, "[]");
    QCOMPARE(ids(list), QList<int>());
    QTRY_COMPARE(got.count(), 2);
    QTRY_COMPARE(changed.count(), 3);
    QCOMPARE(changed.at(1).at(0).toInt(), 1);
    QTRY_COMPARE(deleted.count(), 1);
    QCOMPARE(deleted.at(0).at(0).toInt(), 2);

    // The lock is held while the reader walks the cache.
    {
        const auto locked = list.lockList();
        QVERIFY(locked.exists());
        QCOMPARE(int(locked->size()), 0);
    }
}

void TestSsTaskData::deleteAnswers()
{
    FamilyPeer peer;
    QVERIFY(peer.loggedIn);
    peer.setReply("SqlConfig", ScriptedPeer::Reply::Ok,
                  R"([{"sourceId":"7","name":"a"},{"sourceId":"8","name":"b"},{"sourceId":"9","name":"c"}])");
    OvSsTaskDataMgr list(peer.centre.get());
    QCOMPARE(ids(list), QList<int>({7, 8, 9}));
    QSignalSpy deleted(&list, &OvSsTaskDataMgr::taskDeleted);
    QSignalSpy failed(&list, &OvSsTaskDataMgr::taskDeleteFailed);

    // Refused without a body: the task stays, the failure has a generic text.
    peer.setReply("SoundSource", ScriptedPeer::Reply::Failed);
    QCOMPARE(list.send(*list.findCopy(7), OvSsTaskManage::Del), 1);
    QTRY_COMPARE(failed.count(), 1);
    QCOMPARE(failed.at(0).at(0).toString(), QString("Delete Error!"));
    // Refused with the server's reason.
    peer.setReply("SoundSource", ScriptedPeer::Reply::Failed, "task 8 is running");
    QCOMPARE(list.send(*list.findCopy(8), OvSsTaskManage::Del), 1);
    QTRY_COMPARE(failed.count(), 2);
    QCOMPARE(failed.at(1).at(0).toString(), QString("task 8 is running"));
    QCOMPARE(ids(list), QList<int>({7, 8, 9}));
    // Answered ok: only the task of this request goes.
    peer.setReply("SoundSource", ScriptedPeer::Reply::Ok);
    QCOMPARE(list.send(*list.findCopy(8), OvSsTaskManage::Del), 0);
    QCOMPARE(ids(list), QList<int>({7, 9}));
    QTRY_COMPARE(deleted.count(), 1);
    QCOMPARE(deleted.at(0).at(0).toInt(), 8);
    // A later ok answer of another request removes nothing.
    QCOMPARE(list.send(*list.findCopy(9), OvSsTaskManage::Start), 0);
    QCOMPARE(ids(list), QList<int>({7, 9}));
    peer.stop();
}

void TestSsTaskData::editResults_data()
{
    QTest::addColumn<int>("reply");
    QTest::addColumn<int>("result");
    QTest::newRow("done") << int(ScriptedPeer::Reply::Ok) << 0;
    QTest::newRow("refused") << int(ScriptedPeer::Reply::Failed) << 1;
    QTest::newRow("timed out") << int(ScriptedPeer::Reply::Silent) << 3;
}

void TestSsTaskData::editResults()
{
    QFETCH(int, reply);
    QFETCH(int, result);
    FamilyPeer peer;
    QVERIFY(peer.loggedIn);
    peer.setReply("SqlConfig", ScriptedPeer::Reply::Ok, R"([{"sourceId":"7","name":"a","status":"2"}])");
    OvSsTaskDataMgr list(peer.centre.get());
    peer.setReply("SoundSource", ScriptedPeer::Reply(reply));
    peer.setReply("SoundSourceSwitch", ScriptedPeer::Reply(reply));
    SoundSourceTask t = *list.findCopy(7);
    t.name = "renamed";
    // The real result reaches the page, not 0 for a refusal or a time-out.
    QCOMPARE(list.send(t, OvSsTaskManage::Mod), result);
    QCOMPARE(list.send(t, OvSsTaskManage::Start), result);
    QCOMPARE(list.send(t, 7), -1);
    // The cache follows the server's notifications only.
    QCOMPARE(list.findCopy(7)->name, QByteArray("a"));
    peer.stop();
}

QTEST_MAIN(TestSsTaskData)
#include "tst_sstaskdata.moc"
