// The logs read over DBP from the simulator, which answers "SqlLog" from the
// same sample rows the log database holds.
#include "SimCentre.h"
#include "logs/OvLogManage.h"
#include "logs/OvServiceLogMgr.h"

#include <QSignalSpy>
#include <QtTest>

class TestLogDbp : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void countAndPageOfTheTalkLog();
    void pageRequestOnTheWire();
    void talkRecordsFillTheirOwnList();
    void pageBeyondTheEndIsEmpty();
    void unreadableAnswerKeepsTheList();
    void userAndTerminalLogs();
    void logServerParameter();

private:
    SimCentre m_site;
    std::unique_ptr<OvServiceLogMgr> m_logs;
};

void TestLogDbp::initTestCase()
{
    QVERIFY(m_site.start({"--log-server", "127.0.0.1:8666"}));
    m_logs = std::make_unique<OvServiceLogMgr>(m_site.centre.get());
}

void TestLogDbp::cleanupTestCase()
{
    m_site.stopThread();
}

void TestLogDbp::countAndPageOfTheTalkLog()
{
    QSignalSpy size(m_logs.get(), &OvServiceLogMgr::gotTalkLogSize);
    QSignalSpy list(m_logs.get(), &OvServiceLogMgr::gotTalkLogList);
    QCOMPARE(m_logs->query(OvLogManage::TalkCount, 0), 0);
    QTRY_COMPARE(size.count(), 1);
    QCOMPARE(size.at(0).at(0).toInt(), 300);
    QCOMPARE(m_logs->query(OvLogManage::TalkPage, 200), 0);
    QTRY_COMPARE(list.count(), 1);
    const std::vector<OvLogRow> rows = m_logs->talkLogs();
    QCOMPARE(rows.size(), size_t(100));
    QCOMPARE(rows.front().id, 100);
    QCOMPARE(rows.back().id, 1);
    // Row 10: calledId NULL reads 0; row 13: callerName NULL reads empty.
    QCOMPARE(rows[90].id, 10);
    QCOMPARE(rows[90].calledId, 0);
    QCOMPARE(rows[87].callerName, QString());
    QCOMPARE(rows[99].callerName, QString("Alice"));
    QCOMPARE(rows[99].calledName, QString("李四"));
    QVERIFY(rows[90].recordFile.endsWith("/media/talk_record_file/20261211_081500_102_2.wav"));
}

void TestLogDbp::pageRequestOnTheWire()
{
    m_site.sim->clearReceivedLog();
    QSignalSpy list(m_logs.get(), &OvServiceLogMgr::gotUserLogList);
    QCOMPARE(m_logs->query(OvLogManage::UserPage, 200), 0);
    QTRY_COMPARE(list.count(), 1);
    QVERIFY(m_site.sim->receivedLog().contains(
        "\r\nPacket-Type:SqlLog\r\nPacket-Subtype: SqlLog\r\nContent-Length:54\r\n\r\n"
        "select * from userlog order by id DESC limit 200, 100 "));
}

void TestLogDbp::talkRecordsFillTheirOwnList()
{
    QCOMPARE(m_logs->query(OvLogManage::TalkPage, 0), 0);
    QSignalSpy records(m_logs.get(), &OvServiceLogMgr::gotTalkRecordList);
    QSignalSpy talk(m_logs.get(), &OvServiceLogMgr::gotTalkLogList);
    QCOMPARE(m_logs->query(OvLogManage::RecordPage, 100), 0);
    QTRY_COMPARE(records.count(), 1);
    QCOMPARE(talk.count(), 0);
    QCOMPARE(m_logs->talkRecords().front().id, 200);
    QCOMPARE(m_logs->talkLogs().front().id, 300);
    OvLogRow row;
    QVERIFY(m_logs->findTalkRecord(150, row));
    QCOMPARE(row.id, 150);
    QVERIFY(!m_logs->findTalkRecord(250, row));
}

void TestLogDbp::pageBeyondTheEndIsEmpty()
{
    QCOMPARE(m_logs->query(OvLogManage::TermPage, 0), 0);
    QTRY_VERIFY(!m_logs->termLogs().empty());
    QSignalSpy list(m_logs.get(), &OvServiceLogMgr::gotTermLogList);
    QCOMPARE(m_logs->query(OvLogManage::TermPage, 1000), 0);
    QTRY_COMPARE(list.count(), 1);
    QVERIFY(m_logs->termLogs().empty());
}

void TestLogDbp::unreadableAnswerKeepsTheList()
{
    QCOMPARE(m_logs->query(OvLogManage::TalkPage, 0), 0);
    QTRY_COMPARE(m_logs->talkLogs().size(), size_t(100));
    QSignalSpy failed(m_logs.get(), &OvServiceLogMgr::logQueryFailed);
    QSignalSpy list(m_logs.get(), &OvServiceLogMgr::gotTalkLogList);
    QSignalSpy size(m_logs.get(), &OvServiceLogMgr::gotTalkLogSize);
    QCOMPARE(m_site.sim->command("fault malformed-next").left(2), QString("ok"));
    QCOMPARE(m_logs->query(OvLogManage::TalkPage, 100), 0);
    QTRY_COMPARE(failed.count(), 1);
    QCOMPARE(failed.at(0).at(0).toInt(), int(OvLogManage::TalkPage));
    QCOMPARE(m_site.sim->command("fault malformed-next").left(2), QString("ok"));
    QCOMPARE(m_logs->query(OvLogManage::TalkCount, 0), 0);
    QTRY_COMPARE(failed.count(), 2);
    QCOMPARE(list.count(), 0);
    QCOMPARE(size.count(), 0);
    QCOMPARE(m_logs->talkLogs().front().id, 300);
}

void TestLogDbp::userAndTerminalLogs()
{
    QSignalSpy userSize(m_logs.get(), &OvServiceLogMgr::gotUserLogSize);
    QSignalSpy termSize(m_logs.get(), &OvServiceLogMgr::gotTermLogSize);
    QCOMPARE(m_logs->query(OvLogManage::UserCount, 0), 0);
    QCOMPARE(m_logs->query(OvLogManage::TermCount, 0), 0);
    QTRY_COMPARE(userSize.count(), 1);
    QTRY_COMPARE(termSize.count(), 1);
    QCOMPARE(userSize.at(0).at(0).toInt(), 300);
    QCOMPARE(termSize.at(0).at(0).toInt(), 300);
    QCOMPARE(m_logs->query(OvLogManage::TermPage, 200), 0);
    QTRY_COMPARE(m_logs->termLogs().front().id, 100);
    const std::vector<OvLogRow> rows = m_logs->termLogs();
    QCOMPARE(rows[91].id, 9);
    QCOMPARE(rows[91].type, QString()); // NULL over DBP is an empty text
    QCOMPARE(rows[91].terminalId, 10);
}

void TestLogDbp::logServerParameter()
{
    QString host;
    QCOMPARE(m_logs->requestLogServer(&host), 8666);
    QCOMPARE(host, QString("127.0.0.1"));
    QCOMPARE(m_site.sim->command("sql delete from parameter where name = 'Talk_Log_Server'"), QString("ok 1"));
    QCOMPARE(m_logs->requestLogServer(&host), 0);
    QCOMPARE(host, QString());
}

QTEST_GUILESS_MAIN(TestLogDbp)
#include "tst_log_dbp.moc"
