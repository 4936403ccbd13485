// The log queries' texts and the reading of their answers, without a server.
#include "logs/LogCsv.h"
#include "logs/LogQueries.h"
#include "logs/OvLogManage.h"
#include "logs/OvServiceLogMgr.h"
#include "logs/RecordingName.h"
#include "protocol/OvManageCenter.h"

#include <QSignalSpy>
#include <QTextCodec>
#include <QtTest>

class TestLogTexts : public QObject
{
    Q_OBJECT
private slots:
    void dbpQueryTexts_data();
    void dbpQueryTexts();
    void dbpRequestCountsTheTrailingBlank();
    void directQueryTexts_data();
    void directQueryTexts();
    void rowsOfEachLog();
    void countAnswers_data();
    void countAnswers();
    void logServerValue_data();
    void logServerValue();
    void answersReachTheRightList();
    void csvFields_data();
    void csvFields();
    void csvRowOfTalkLog();
    void recordingNames_data();
    void recordingNames();
    void talkTypeTexts();
};

void TestLogTexts::dbpQueryTexts_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("sql");
    QTest::newRow("user count") << 0 << 0 << QByteArray("select count(*) from userlog;");
    QTest::newRow("user page 3") << 1 << 200 << QByteArray("select * from userlog order by id DESC limit 200, 100 ");
    QTest::newRow("talk count") << 2 << 0 << QByteArray("select count(*) from talklog;");
    QTest::newRow("talk page") << 3 << 100 << QByteArray("select * from talklog order by id DESC limit 100, 100");
    QTest::newRow("term count") << 4 << 0 << QByteArray("select count(*) from terminallog;");
    QTest::newRow("term page") << 5 << 0 << QByteArray("select * from terminallog order by id DESC limit 0, 100");
    QTest::newRow("record count") << 6 << 0 << QByteArray("select count(*) from talklog;");
    QTest::newRow("record page") << 7 << 300 << QByteArray("select * from talklog order by id DESC limit 300, 100");
    QTest::newRow("kind 8 is kind 1") << 8 << 0 << QByteArray("select * from userlog order by id DESC limit 0, 100 ");
    QTest::newRow("kind -1 is kind 1") << -1 << 100
                                       << QByteArray("select * from userlog order by id DESC limit 100, 100 ");
}

void TestLogTexts::dbpQueryTexts()
{
    QFETCH(int, kind);
    QFETCH(int, offset);
    QFETCH(QByteArray, sql);
    QCOMPARE(OvLogManage::querySql(kind, offset), sql);
}

void TestLogTexts::dbpRequestCountsTheTrailingBlank()
{
    OvLogManage manage;
    QCOMPARE(manage.query(9, OvLogManage::UserPage, 200),
             QByteArray("GET DBP/1.0\r\nCSeq: 9\r\nPacket-Type:SqlLog\r\nPacket-Subtype: SqlLog\r\n"
                        "Content-Length:54\r\n\r\nselect * from userlog order by id DESC limit 200, 100 "));
    QCOMPARE(manage.logServerQuery(4),
             QByteArray("GET DBP/1.0\r\nCSeq: 4\r\nPacket-Type:SqlConfig\r\nPacket-Subtype: TbLogServer\r\n"
                        "Content-Length:58\r\n\r\nselect value from parameter where name = 'Talk_Log_Server'"));
}

void TestLogTexts::directQueryTexts_data()
{
    QTest::addColumn<QByteArray>("sql");
    QTest::addColumn<QByteArray>("expected");
    using namespace logdb;
    QTest::newRow("talk count") << countSql(Talk) << QByteArray("select count(*) from talklog_bak;");
    QTest::newRow("term count") << countSql(Term) << QByteArray("select count(*) from terminallog;");
    QTest::newRow("user count") << countSql(User) << QByteArray("select count(*) from userlog;");
    QTest::newRow("talk page 1") << pageSql(Talk, 0)
                                 << QByteArray("select id,begin_time,end_time,callerId,calledId,callerName,calledName,"
                                               "type,source_name,recordfile from talklog_bak order by id desc "
                                               "limit 0, 100;");
    QTest::newRow("term page 2") << pageSql(Term, 100)
                                 << QByteArray("select id,date,terminalId,name,type,ip,action from terminallog "
                                               "order by id desc limit 100, 100;");
    QTest::newRow("user page 2") << pageSql(User, 100)
                                 << QByteArray("select * from userlog order by id desc limit 100, 100");
    QTest::newRow("talk older") << olderSql(Talk, 201)
                                << QByteArray("select id,begin_time,end_time,callerId,calledId,callerName,calledName,"
                                              "type,source_name,recordfile from talklog_bak where id < 201 order by "
                                              "id desc limit 100;");
    QTest::newRow("user newer") << newerSql(User, 100)
                                << QByteArray("select * from userlog where id > 100 order by id asc limit 100;");
}

void TestLogTexts::directQueryTexts()
{
    QFETCH(QByteArray, sql);
    QFETCH(QByteArray, expected);
    QCOMPARE(sql, expected);
}

void TestLogTexts::rowsOfEachLog()
{
    std::vector<OvLogRow> rows;
    QVERIFY(OvLogManage::parseRows(130,
                                   R"([{"id":"7","begin_time":"100","end_time":"160","callerId":"101","calledId":"",)"
                                   R"("callerName":"张三","calledName":"Alice","type":"0","source_name":"s",)"
                                   R"("recordfile":"/r/a.wav"},{"id":"6"}])",
                                   rows));
    QCOMPARE(rows.size(), size_t(2));
    QCOMPARE(rows[0].id, 7);
    QCOMPARE(rows[0].date, QString("100"));
    QCOMPARE(rows[0].endTime, QString("160"));
    QCOMPARE(rows[0].callerId, 101);
    QCOMPARE(rows[0].calledId, 0);
    QCOMPARE(rows[0].callerName, QString("张三"));
    QCOMPARE(rows[0].type, QString("0"));
    QCOMPARE(rows[0].content, QString("s"));
    QCOMPARE(rows[0].recordFile, QString("/r/a.wav"));
    QCOMPARE(rows[1].callerName, QString());

    QVERIFY(OvLogManage::parseRows(132, R"([{"id":"3","date":"9","terminalId":"12","name":"Gate","type":"2",)"
                                        R"("ip":"10.0.0.1","action":"上线"}])",
                                   rows));
    QCOMPARE(rows[0].terminalId, 12);
    QCOMPARE(rows[0].content, QString("上线"));
    QCOMPARE(rows[0].type, QString("2"));
    QVERIFY(OvLogManage::parseRows(128, R"([{"id":"1","date":"5","content":"登录","ip":"1.2.3.4","name":"admin"}])",
                                   rows));
    QCOMPARE(rows[0].name, QString("admin"));
    QCOMPARE(rows[0].content, QString("登录"));

    QVERIFY(OvLogManage::parseRows(130, "[]", rows));
    QVERIFY(rows.empty());
    QVERIFY(!OvLogManage::parseRows(130, R"([{"id":"1","na)", rows));
    QVERIFY(!OvLogManage::parseRows(130, R"({"id":"1"})", rows));
}

void TestLogTexts::countAnswers_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("count");
    QTest::newRow("zero") << QByteArray(R"x([{"count(*)":"0"}])x") << true << 0;
    QTest::newRow("250") << QByteArray(R"x([{"count(*)":"250"}])x") << true << 250;
    QTest::newRow("cut") << QByteArray(R"x([{"count(*)":"2)x") << false << 0;
    QTest::newRow("empty array") << QByteArray("[]") << false << 0;
    QTest::newRow("no number") << QByteArray(R"x([{"count(*)":"many"}])x") << false << 0;
    QTest::newRow("empty body") << QByteArray() << false << 0;
}

void TestLogTexts::countAnswers()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, readable);
    QFETCH(int, count);
    int got = -7;
    QCOMPARE(OvLogManage::parseCount(body, &got), readable);
    if (readable)
        QCOMPARE(got, count);
}

void TestLogTexts::logServerValue_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::newRow("address and port") << QByteArray("192.168.1.20:8666") << "192.168.1.20" << 8666;
    QTest::newRow("no port") << QByteArray("192.168.1.20") << "192.168.1.20" << 0;
    QTest::newRow("empty") << QByteArray() << "" << 0;
    QTest::newRow("zero port") << QByteArray("10.0.0.1:0") << "10.0.0.1" << 0;
}

void TestLogTexts::logServerValue()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, host);
    QFETCH(int, port);
    QString h;
    int p = -1;
    OvLogManage::splitServer(value, &h, &p);
    QCOMPARE(h, host);
    QCOMPARE(p, port);
}

// The manager's answers go to the list of their own kind; an empty page is
// an empty list, an unreadable answer a failure that keeps the list.
void TestLogTexts::answersReachTheRightList()
{
    OvManageCenter centre;
    auto *manage = dynamic_cast<OvLogManage *>(centre.manager(OvManageCenter::LogSlot));
    QVERIFY(manage);
    OvServiceLogMgr mgr(&centre);
    QSignalSpy talkList(&mgr, &OvServiceLogMgr::gotTalkLogList);
    QSignalSpy recordList(&mgr, &OvServiceLogMgr::gotTalkRecordList);
    QSignalSpy recordSize(&mgr, &OvServiceLogMgr::gotTalkRecordSize);
    QSignalSpy failed(&mgr, &OvServiceLogMgr::logQueryFailed);

    manage->onOk(134, R"([{"id":"12","recordfile":"/r/x.wav"},{"id":"11"}])");
    QCOMPARE(recordList.count(), 1);
    QCOMPARE(talkList.count(), 0);
    QCOMPARE(mgr.talkRecords().size(), size_t(2));
    QVERIFY(mgr.talkLogs().empty());
    OvLogRow found;
    QVERIFY(mgr.findTalkRecord(12, found));
    QCOMPARE(found.recordFile, QString("/r/x.wav"));
    QVERIFY(!mgr.findTalkRecord(13, found));

    manage->onOk(134, R"([{"id":"12","rec)");
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.at(0).at(0).toInt(), int(OvLogManage::RecordPage));
    QCOMPARE(mgr.talkRecords().size(), size_t(2));

    manage->onOk(134, "[]");
    QCOMPARE(recordList.count(), 2);
    QVERIFY(mgr.talkRecords().empty());

    manage->onOk(133, R"x([{"count(*)":"0"}])x");
    QCOMPARE(recordSize.count(), 1);
    QCOMPARE(recordSize.at(0).at(0).toInt(), 0);
    manage->onOk(133, "garbage");
    QCOMPARE(recordSize.count(), 1);
    QCOMPARE(failed.count(), 2);
    // Codes of other managers are not the log manager's.
    manage->onOk(135, "[]");
    manage->onOk(126, "[]");
    QCOMPARE(recordList.count() + talkList.count() + failed.count(), 4);
}

void TestLogTexts::csvFields_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("replaced");
    QTextCodec *gbk = QTextCodec::codecForName("GBK");
    QTest::newRow("plain") << "abc" << QByteArray("\"abc\",") << 0;
    QTest::newRow("quote doubled") << "He said \"hi\"" << QByteArray("\"He said \"\"hi\"\"\",") << 0;
    QTest::newRow("comma") << "Smith, John" << QByteArray("\"Smith, John\",") << 0;
    QTest::newRow("line break kept inside") << "a\nb" << QByteArray("\"a\nb\",") << 0;
    QTest::newRow("chinese in GBK") << "张三" << ("\"" + gbk->fromUnicode("张三") + "\",") << 0;
    QTest::newRow("emoji is one ?") << "铃声🔔" << ("\"" + gbk->fromUnicode("铃声") + "?\",") << 1;
    QTest::newRow("two outside GBK") << "🔔x🔔" << QByteArray("\"?x?\",") << 2;
    QTest::newRow("empty") << "" << QByteArray("\"\",") << 0;
}

void TestLogTexts::csvFields()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, field);
    QFETCH(int, replaced);
    LogCsv csv;
    QByteArray line;
    csv.appendField(line, value);
    QCOMPARE(line, field);
    QCOMPARE(csv.replaced(), long(replaced));
}

void TestLogTexts::csvRowOfTalkLog()
{
    OvLogRow row;
    row.date = QString::number(QDateTime(QDate(2026, 12, 11), QTime(8, 5, 9)).toSecsSinceEpoch());
    row.endTime = QString::number(QDateTime(QDate(2026, 12, 11), QTime(8, 6, 0)).toSecsSinceEpoch());
    row.callerId = 101;
    row.calledId = 0;
    row.callerName = "Alice";
    row.calledName = "Bob";
    row.type = "7";
    row.content = "c";
    LogCsv csv;
    QCOMPARE(csv.rowLine(logdb::Talk, 3, row),
             QByteArray("\"3\",\"2026/12/11 08:05:09\",\"2026/12/11 08:06:00\",\"101\",\"Alice\",\"0\",\"Bob\","
                        "\"UNKNOW\",\"c\",\r\n"));
    QCOMPARE(csv.headerLine({"序号", "Date"}),
             "\"" + QTextCodec::codecForName("GBK")->fromUnicode("序号") + "\",\"Date\",\r\n");
}

void TestLogTexts::recordingNames_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "/srv/media/talk_record_file/a.wav" << "a.wav";
    QTest::newRow("no directory") << "b.wav" << "b.wav";
    QTest::newRow("chinese") << "/r/录音 1.wav" << "录音 1.wav";
    QTest::newRow("ends in slash") << "/r/x/" << "";
    QTest::newRow("dot dot") << "/r/.." << "";
    QTest::newRow("backslash") << "/r/..\\..\\evil.wav" << "";
    QTest::newRow("control character") << QString("/r/a\nb.wav") << "";
    QTest::newRow("empty") << "" << "";
}

void TestLogTexts::recordingNames()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(recordingFileName(path), name);
}

void TestLogTexts::talkTypeTexts()
{
    QCOMPARE(logrow::talkTypeText("7"), QString("Sound Source Broadcast"));
    QCOMPARE(logrow::talkTypeExportText("7"), QString("UNKNOW"));
    QCOMPARE(logrow::talkTypeText("0"), QString("EmergencyHelp"));
    QCOMPARE(logrow::talkTypeText("10"), QString("TalkingMonitor"));
    QCOMPARE(logrow::talkTypeText("11"), QString("11"));
    QCOMPARE(logrow::talkTypeExportText("1"), QString("对讲"));
    QCOMPARE(logrow::talkTypeExportText("2"), QString("广播"));
}

QTEST_GUILESS_MAIN(TestLogTexts)
#include "tst_log_texts.moc"
