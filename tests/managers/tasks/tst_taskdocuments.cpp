#include "managers/broadcast/OvBroadcastManage.h"
#include "managers/tasks/OvPlayTaskManage.h"
#include "managers/tasks/TaskText.h"
#include "managers/tasks/TaskXmlReader.h"
#include "protocol/OvLevelManage.h"
#include "protocol/OvMsgCheck.h"
#include "util/BodyParsers.h"

#include <QtTest>

#include <tinyxml2.h>

namespace {

const QByteArray kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
// 教 is three bytes in UTF-8.
const QByteArray kTeach = "\xe6\x95\x99";

OvPlayTask readOne(const QByteArray &xml, bool *ok)
{
    tinyxml2::XMLDocument doc;
    OvPlayTask t;
    *ok = body::parseXml(xml, doc) && TaskXmlReader::parseTask(doc.RootElement(), t);
    return t;
}

QList<int> idsOf(const std::vector<OvPlayTask> &tasks)
{
    QList<int> out;
    for (const OvPlayTask &t : tasks)
        out.append(t.id);
    return out;
}

} // namespace

// The server's task documents: one task element, lists and single items, the
// result callbacks, and the claim of XML notifications by document element.
class TestTaskDocuments : public QObject
{
    Q_OBJECT
private slots:
    void cutUtf8_data();
    void cutUtf8();
    void taskElement_data();
    void taskElement();
    void listSkipsIncompleteTasksAndNonElements();
    void itemLastSiblingWins();
    void deepNestingIsRefused();
    void resultCallbacks();
    void notificationsByExactItemName();
    void documentElementDecidesTheClaim_data();
    void documentElementDecidesTheClaim();
};

void TestTaskDocuments::cutUtf8_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QByteArray>("cut");
    QTest::newRow("ascii 40 to 31") << QByteArray(40, 'a') << 31 << QByteArray(31, 'a');
    QTest::newRow("short kept") << QByteArray("abc") << 31 << QByteArray("abc");
    // 11 characters of 3 bytes = 33 bytes: 10 whole ones fit in 31.
    QTest::newRow("chinese cut at a whole character") << kTeach.repeated(11) << 31 << kTeach.repeated(10);
    QTest::newRow("mixed") << QByteArray("a") + kTeach.repeated(11) << 31 << QByteArray("a") + kTeach.repeated(10);
    QTest::newRow("exact fit") << QByteArray("a") + kTeach.repeated(10) << 31 << QByteArray("a") + kTeach.repeated(10);
    QTest::newRow("broken sequence counts bytewise") << QByteArray("\xe6\x95zz") << 3 << QByteArray("\xe6\x95z");
}

void TestTaskDocuments::cutUtf8()
{
    QFETCH(QByteArray, text);
    QFETCH(int, limit);
    QFETCH(QByteArray, cut);
    QCOMPARE(tasktext::cutUtf8(text, limit), cut);
}

void TestTaskDocuments::taskElement_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("expected");


    QTest::newRow("missing attributes keep their defaults")
        << QByteArray("<Task><exec/><files/><terminals/></Task>") << true
        << QString("id=0 type=1 name= dur=-1 rule=2 bdate=-1 edate=-1 ev=100 echannel=1 en=1 scheme=0 "
                   "tts=/3/5 tvol=-1 files=[] terms=[] vols=[] exec=[]");
    QTest::newRow("attributes, files, terminals, exec")
        << QByteArray("<Task id=\"12\" type=\"3\" name=\"Bell\" dur=\"600\" rule=\"1\" bdate=\"4102444800\" "
                      "edate=\"4133980800\" ev=\"80\" echannel=\"2\" en=\"0\" SchemeID=\"2\">"
                      "<exec><e i=\"28800\" n=\"Morning\"/><e n=\"NoTime\"/></exec>"
                      "<files><f i=\"1\" n=\"/media/bells/ring.mp3\"/><f n=\"\"/><f n=\"plain.mp3\"/></files>"
                      "<terminals vol=\"60\"><t i=\"5\"/><t i=\"0\" vol=\"80\"/><t i=\"7\" vol=\"x\"/></terminals>"
                      "</Task>")
        << true
        << QString("id=12 type=3 name=Bell dur=600 rule=1 bdate=4102444800 edate=4133980800 ev=80 echannel=2 "
                   "en=0 scheme=2 tts=/3/5 tvol=60 files=[ring.mp3|/media/bells/ring.mp3,plain.mp3|plain.mp3] "
                   "terms=[5,7] vols=[80,0] exec=[Morning=28800,NoTime=-1]");
    QTest::newRow("TtsInfo")
        << QByteArray("<Task><exec/><files/><TtsInfo tts_text=\"hello\" role=\"1\" speed=\"9\"/><terminals/></Task>")
        << true
        << QString("id=0 type=1 name= dur=-1 rule=2 bdate=-1 edate=-1 ev=100 echannel=1 en=1 scheme=0 "
                   "tts=hello/1/9 tvol=-1 files=[] terms=[] vols=[] exec=[]");
    QTest::newRow("name of 40 characters keeps 31 bytes")
        << QByteArray("<Task name=\"" + QByteArray(40, 'n') + "\"><exec/><files/><terminals/></Task>") << true
        << QString("id=0 type=1 name=" + QString(31, 'n') + " dur=-1 rule=2 bdate=-1 edate=-1 ev=100 echannel=1 "
                   "en=1 scheme=0 tts=/3/5 tvol=-1 files=[] terms=[] vols=[] exec=[]");
    QTest::newRow("chinese name cut at a whole character")
        << QByteArray("<Task name=\"" + kTeach.repeated(12) + "\"><exec/><files/><terminals/></Task>") << true
        << QString("id=0 type=1 name=" + QString::fromUtf8(kTeach.repeated(10)) + " dur=-1 rule=2 bdate=-1 "
                   "edate=-1 ev=100 echannel=1 en=1 scheme=0 tts=/3/5 tvol=-1 files=[] terms=[] vols=[] exec=[]");
    QTest::newRow("non-numeric gives 0") << QByteArray("<Task id=\"abc\" dur=\"7x\"><exec/><files/><terminals/></Task>")
                                         << true
                                         << QString("id=0 type=1 name= dur=7 rule=2 bdate=-1 edate=-1 ev=100 "
                                                    "echannel=1 en=1 scheme=0 tts=/3/5 tvol=-1 files=[] terms=[] "
                                                    "vols=[] exec=[]");
    QTest::newRow("no files fails, attributes read")
        << QByteArray("<Task id=\"4\"><exec/><terminals/></Task>") << false
        << QString("id=4 type=1 name= dur=-1 rule=2 bdate=-1 edate=-1 ev=100 echannel=1 en=1 scheme=0 "
                   "tts=/3/5 tvol=-1 files=[] terms=[] vols=[] exec=[]");
    QTest::newRow("comment between children")
        << QByteArray("<Task><exec><!-- a --><e i=\"5\" n=\"x\"/>text<e i=\"6\" n=\"y\"/></exec><files/>"
                      "<terminals><!-- b --><t i=\"9\"/></terminals></Task>")
        << true
        << QString("id=0 type=1 name= dur=-1 rule=2 bdate=-1 edate=-1 ev=100 echannel=1 en=1 scheme=0 "
                   "tts=/3/5 tvol=-1 files=[] terms=[9] vols=[] exec=[x=5,y=6]");
}

void TestTaskDocuments::taskElement()
{
    QFETCH(QByteArray, xml);
    QFETCH(bool, ok);
    QFETCH(QString, expected);
    bool parsed = false;
    const OvPlayTask t = readOne(xml, &parsed);
    QCOMPARE(parsed, ok);
    QStringList files, terms, vols, execs;
    for (const TaskFile &f : t.files)
        files << QString::fromUtf8(f.name + "|" + f.path);
    for (qint32 i : t.terminalIds)
        terms << QString::number(i);
    for (qint32 v : t.terminalVolumes)
        vols << QString::number(v);
    for (const TaskExecTime &e : t.execTimes)
        execs << QStringLiteral("%1=%2").arg(QString::fromUtf8(e.name)).arg(e.time);
    const QString got =
        QStringLiteral("id=%1 type=%2 name=%3 dur=%4 rule=%5 bdate=%6 edate=%7 ev=%8 echannel=%9 en=%10 "
                       "scheme=%11 tts=%12/%13/%14 tvol=%15 files=[%16] terms=[%17] vols=[%18] exec=[%19]")
            .arg(t.id).arg(t.type).arg(QString::fromUtf8(t.name)).arg(t.duration).arg(t.rule).arg(t.beginDate)
            .arg(t.endDate).arg(t.ev).arg(t.eChannel).arg(t.enabled).arg(t.schemeId)
            .arg(QString::fromUtf8(t.ttsText)).arg(t.ttsRole).arg(t.ttsSpeed).arg(t.terminalsVolume)
            .arg(files.join(','), terms.join(','), vols.join(','), execs.join(','));
    QCOMPARE(got, expected);
}

void TestTaskDocuments::listSkipsIncompleteTasksAndNonElements()
{
    OvPlayTaskManage m;
    // A comment and text between the tasks are not tasks.
    const QByteArray body = kDecl + "<TaskList><Task id=\"1\"><exec/><files/><terminals/></Task>\n<!-- gap -->text"
                                    "<Task id=\"2\"><exec/><terminals/></Task>"
                                    "<Task id=\"3\"><exec/><files/><terminals/></Task></TaskList>";
    QCOMPARE(m.parseList(body), 0);
    QCOMPARE(idsOf(m.tasks()), QList<int>({1, 3}));
    QCOMPARE(m.parseList(kDecl + "<Other/>"), -1);
    QCOMPARE(idsOf(m.tasks()), QList<int>({1, 3}));

    OvPlanManage plan;
    QCOMPARE(plan.parseList(kDecl + "<PlanTaskList><PlanTask id=\"9\"><exec/><files/><terminals/></PlanTask>"
                                    "<Task id=\"8\"><exec/><files/><terminals/></Task></PlanTaskList>"),
             0);
    QCOMPARE(idsOf(plan.tasks()), QList<int>({9}));
}

void TestTaskDocuments::itemLastSiblingWins()
{
    OvPlayTaskManage m;
    QVERIFY(m.parseItem(kDecl + "<Tasks><Task id=\"4\" name=\"a\"/><!-- c --><Task id=\"5\" name=\"b\"/></Tasks>"));
    QCOMPARE(m.current().id, 5);
    QCOMPARE(m.current().name, QByteArray("b"));
}

void TestTaskDocuments::deepNestingIsRefused()
{
    OvPlayTaskManage m;
    QByteArray deep = "<TaskList><Task><exec/><files/><terminals/></Task>";
    for (int i = 0; i < 5000; ++i)
        deep += "<x>";
    for (int i = 0; i < 5000; ++i)
        deep += "</x>";
    deep += "</TaskList>";
    QCOMPARE(m.parseList(deep), -1);
    QVERIFY(m.tasks().empty());
}

void TestTaskDocuments::resultCallbacks()
{
    OvPlayTaskManage m;
    QList<QString> calls;
    OvTaskBaseManage::Callbacks c;
    c.list = [&calls](const std::vector<OvPlayTask> &l) { calls << QStringLiteral("list %1").arg(l.size()); };
    c.item[0] = [&calls](const OvPlayTask &t) { calls << QStringLiteral("item0 %1").arg(t.id); };
    c.status[0] = [&calls](bool ok) { calls << QStringLiteral("status0 %1").arg(ok); };
    // status[1] stays empty: its code calls nothing.
    m.setCallbacks(c);

    m.onOk(16, QByteArray());
    m.onOk(17, QByteArray());
    m.onOk(14, kDecl + "<Task id=\"6\"><exec/><files/><terminals/></Task>");
    m.onOk(13, kDecl + "<TaskList><Task id=\"1\"><exec/><files/><terminals/></Task></TaskList>");
    // A list that does not parse reports failure: no list callback.
    m.onOk(13, kDecl + "<TaskList><Task></TaskList>");
    m.onOk(215, kDecl + "<TaskList/>");  // a plan code is not a play-task code
    m.onError(16, QByteArray());
    QCOMPARE(calls, QList<QString>({"status0 1", "item0 6", "list 1"}));
}

void TestTaskDocuments::notificationsByExactItemName()
{
    OvPlayTaskManage m;
    int notified = 0;
    OvTaskBaseManage::Callbacks c;
    c.notified = [&notified](const OvPlayTask &) { ++notified; };
    m.setCallbacks(c);
    const QByteArray body = kDecl + "<Task id=\"3\"><exec/><files/><terminals/></Task>";
    QVERIFY(!m.onNotify("Task_sub", body));
    QVERIFY(!m.onNotify("PlanTask_", body));
    QVERIFY(m.onNotify("Task", body));
    QCOMPARE(m.current().id, 3);
    QVERIFY(m.onNotify("Task_", body));  // pushed without a subtype
    QCOMPARE(notified, 2);
    m.onDelete("Task", 3);  // the family key
}

void TestTaskDocuments::documentElementDecidesTheClaim_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("level");
    QTest::addColumn<bool>("broadcast");
    QTest::newRow("task without declaration holding a Level")
        << QByteArray("<Task id=\"1\"><Level id=\"2\" name=\"x\" lv=\"1\" type=\"5\"/></Task>") << false << false;
    QTest::newRow("scheme holding a BroadcastList")
        << QByteArray("<Scheme Id=\"3\"><BroadcastList/></Scheme>") << false << false;
    QTest::newRow("level list with declaration")
        << QByteArray(kDecl + "<LevelList><Level id=\"1\" name=\"a\" lv=\"1\" type=\"5\"/></LevelList>") << true
        << false;
    QTest::newRow("level list after a comment")
        << QByteArray(kDecl + "<!-- <Task> -->\n<LevelList/>") << true << false;
    QTest::newRow("broadcast list without declaration") << QByteArray("<BroadcastList><Broadcast/></BroadcastList>")
                                                        << false << true;
}

void TestTaskDocuments::documentElementDecidesTheClaim()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, level);
    QFETCH(bool, broadcast);
    OvLevelManage levels;
    OvBroadcastManage broadcasts;
    QCOMPARE(levels.onNotify("Task", body), level);
    QCOMPARE(broadcasts.onNotify("Task", body), broadcast);
}

QTEST_GUILESS_MAIN(TestTaskDocuments)
#include "tst_taskdocuments.moc"
