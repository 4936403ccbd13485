// The log database read directly: one throw-away MariaDB for the whole
// program, with the sample rows (300 per log).
#include "LogDbProcess.h"
#include "logs/LogDbAccount.h"
#include "logs/LogExportThread.h"
#include "logs/LogQueries.h"
#include "logs/OvMySqlConn.h"
#include "logs/OvMySqlResult.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <set>

namespace {

// Reads a CSV file back with Python's csv module (an independent RFC 4180
// reader): the rows as a JSON array of arrays of texts.
QJsonArray readCsv(const QString &path, QString *error)
{
    QProcess p;
    p.start(QStringLiteral("python3"),
            {"-c", "import csv,json,sys\n"
                   "with open(sys.argv[1], newline='', encoding='gbk') as f:\n"
                   "    json.dump(list(csv.reader(f)), sys.stdout)\n",
             path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        *error = QString::fromUtf8(p.readAllStandardError());
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).array();
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

class TestLogDatabase : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void accountFromConfig_data();
    void accountFromConfig();
    void connectFailsWithoutServer();
    void countsAndPages();
    void nullRules();
    void keysetPagesMatchOffsetPages();
    void charactersOutsideTheBasicPlane();
    void resultCells();
    void exportOf250Rows();
    void exportOfAGrowingLog();
    void exportFailuresLeaveTheTarget_data();
    void exportFailuresLeaveTheTarget();
    void cancelledExportLeavesTheTarget();
    void emptyLog();
    // Stops the server: the last test.
    void databaseStoppedDuringExport();

private:
    LogDbAccount account() const;
    int runExport(LogExportThread &thread);

    std::unique_ptr<LogDbProcess> m_db;
    QTemporaryDir m_dir;
};

LogDbAccount TestLogDatabase::account() const
{
    LogDbAccount a;
    a.host = QStringLiteral("127.0.0.1");
    a.port = m_db->port();
    return a;
}

int TestLogDatabase::runExport(LogExportThread &thread)
{
    QSignalSpy finished(&thread, &LogExportThread::finish_signal);
    thread.start();
    if (!finished.wait(120000))
        return -100;
    thread.wait();
    return finished.at(0).at(0).toInt();
}

void TestLogDatabase::initTestCase()
{
    m_db = std::make_unique<LogDbProcess>();
    QVERIFY2(m_db->isRunning(), qPrintable(m_db->errorString()));
    QVERIFY(m_dir.isValid());
}

void TestLogDatabase::accountFromConfig_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::newRow("nothing set") << QByteArray("[Setting]\n") << 8666 << "root" << "wkfj";
    QTest::newRow("port 0 keeps 8666") << QByteArray("[Setting]\nMySqlPort=0\n") << 8666 << "root" << "wkfj";
    QTest::newRow("port set") << QByteArray("[Setting]\nMySqlPort=3307\n") << 3307 << "root" << "wkfj";
    QTest::newRow("account override") << QByteArray("[Setting]\nLogDbUser=reader\nLogDbPasswd=s3cret\n") << 8666
                                      << "reader" << "s3cret";
}

void TestLogDatabase::accountFromConfig()
{
    QFETCH(QByteArray, ini);
    QFETCH(int, port);
    QFETCH(QString, user);
    QFETCH(QString, password);
    const QString path = m_dir.filePath("config.ini");
    writeFile(path, ini);
    const LogDbAccount a = LogDbAccount::fromConfig(path);
    QCOMPARE(a.port, port);
    QCOMPARE(a.user, user);
    QCOMPARE(a.password, password);
    QCOMPARE(a.database, QString("talkbacklog"));
}

void TestLogDatabase::connectFailsWithoutServer()
{
    LogDbAccount a = account();
    a.port = closedPort();
    OvMySqlConn conn;
    QCOMPARE(conn.connect(a), -1);
    QVERIFY(!conn.isConnected());
    QVERIFY(!conn.lastError().isEmpty());
    QCOMPARE(logdb::readCount(conn, logdb::Talk), -1);
    std::vector<OvLogRow> rows(3);
    QCOMPARE(logdb::readPage(conn, logdb::Talk, 0, rows), -1);
    QVERIFY(rows.empty());

    LogDbAccount wrong = account();
    wrong.password = QStringLiteral("nope");
    QCOMPARE(conn.connect(wrong), -1);
}

void TestLogDatabase::countsAndPages()
{
    OvMySqlConn conn;
    QCOMPARE(conn.connect(account()), 0);
    for (logdb::Table t : {logdb::Talk, logdb::Term, logdb::User})
        QCOMPARE(logdb::readCount(conn, t), 300);
    std::vector<OvLogRow> rows;
    QCOMPARE(logdb::readPage(conn, logdb::User, 100, rows), 0);
    QCOMPARE(rows.size(), size_t(100));
    QCOMPARE(rows.front().id, 200);
    QCOMPARE(rows.back().id, 101);
    QCOMPARE(rows.front().name, QString("admin"));
    QCOMPARE(rows.front().date, QString::number(1765440000 + 200 * 60));
    QCOMPARE(logdb::readPage(conn, logdb::Talk, 200, rows), 0);
    QCOMPARE(rows.size(), size_t(100));
    QCOMPARE(rows.back().id, 1);
    QCOMPARE(rows.back().calledName, QString("李四"));
    QCOMPARE(logdb::readPage(conn, logdb::Term, 300, rows), 0);
    QVERIFY(rows.empty());
}

void TestLogDatabase::nullRules()
{
    OvMySqlConn conn;
    QCOMPARE(conn.connect(account()), 0);
    std::vector<OvLogRow> rows;
    // Talk row 10: calledId NULL; row 13: callerName NULL.
    QCOMPARE(logdb::readRows(conn, logdb::Talk, logdb::olderSql(logdb::Talk, 14, 4), rows), 0);
    QCOMPARE(rows.size(), size_t(4));
    QCOMPARE(rows[0].id, 13);
    QCOMPARE(rows[0].callerName, QString(""));
    QCOMPARE(rows[3].id, 10);
    QCOMPARE(rows[3].calledId, 0);
    QCOMPARE(rows[3].recordFile.endsWith("/media/talk_record_file/20261211_081500_102_2.wav"), true);
    // Terminal row 9: type NULL reads "0"; row 14: name NULL reads empty.
    QCOMPARE(logdb::readRows(conn, logdb::Term, logdb::olderSql(logdb::Term, 15, 6), rows), 0);
    QCOMPARE(rows[0].id, 14);
    QCOMPARE(rows[0].name, QString(""));
    QCOMPARE(rows[5].id, 9);
    QCOMPARE(rows[5].type, QString("0"));
    QCOMPARE(rows[4].type, QString("2"));
}

void TestLogDatabase::keysetPagesMatchOffsetPages()
{
    OvMySqlConn conn;
    QCOMPARE(conn.connect(account()), 0);
    for (logdb::Table t : {logdb::Talk, logdb::Term, logdb::User}) {
        std::vector<OvLogRow> page1, page2, older, newer;
        QCOMPARE(logdb::readPage(conn, t, 0, page1), 0);
        QCOMPARE(logdb::readPage(conn, t, 100, page2), 0);
        QCOMPARE(logdb::readRows(conn, t, logdb::olderSql(t, page1.back().id), older), 0);
        QCOMPARE(logdb::readRows(conn, t, logdb::newerSql(t, page2.front().id), newer, true), 0);
        QCOMPARE(older.size(), page2.size());
        QCOMPARE(newer.size(), page1.size());
        for (size_t i = 0; i < older.size(); ++i) {
            QCOMPARE(older[i].id, page2[i].id);
            QCOMPARE(older[i].content, page2[i].content);
            QCOMPARE(newer[i].id, page1[i].id);
        }
    }
}

void TestLogDatabase::charactersOutsideTheBasicPlane()
{
    OvMySqlConn conn;
    QCOMPARE(conn.connect(account()), 0);
    std::vector<OvLogRow> rows;
    QCOMPARE(logdb::readRows(conn, logdb::Talk, logdb::olderSql(logdb::Talk, 39, 1), rows), 0);
    QCOMPARE(rows.size(), size_t(1));
    QCOMPARE(rows[0].content, QString("铃声🔔"));
}

void TestLogDatabase::resultCells()
{
    OvMySqlConn conn;
    QCOMPARE(conn.connect(account()), 0);
    OvMySqlResult r;
    QCOMPARE(conn.execute("select id, calledId from talklog_bak where id in (9, 10) order by id", r), 0);
    QCOMPARE(r.rowCount(), 2);
    QCOMPARE(r.columnCount(), 2);
    QCOMPARE(r.fieldCount(), 2);
    QCOMPARE(r.columnNames().at(1), QByteArray("calledId"));
    QVERIFY(r.get(0, 1));
    QCOMPARE(**r.get(0, 1), QByteArray("10"));
    QVERIFY(!r.get(1, 1)); // NULL
    QVERIFY(!r.get(2, 0));
    QVERIFY(!r.get(0, 2));
    QVERIFY(!r.get(-1, 0));
    QCOMPARE(conn.execute("select nonsense from talklog_bak", r), -1);
    QVERIFY(r.error().contains("nonsense"));
    QCOMPARE(r.rowCount(), 0);
    // The connection stays usable after a failed statement.
    QCOMPARE(conn.execute("select count(*) from userlog", r), 0);
    QCOMPARE(r.text(0, 0), QByteArray("300"));
}

void TestLogDatabase::exportOf250Rows()
{
    QVERIFY(!m_db->sql("delete from userlog where id > 250").isNull());
    const QString target = m_dir.filePath("ov_user_log.csv");
    const QStringList header{"序号", "Date", "User Name", "IP", "Content"};
    LogExportThread thread(target, header, logdb::User, account());
    QSignalSpy progress(&thread, &LogExportThread::update_signal);
    QCOMPARE(runExport(thread), int(LogExportThread::Done));
    QList<long> steps;
    for (const auto &args : progress)
        steps << args.at(0).value<long>();
    QCOMPARE(steps, (QList<long>{33, 66, 100}));
    QCOMPARE(thread.rowsWritten(), 250L);

    const QByteArray bytes = fileBytes(target);
    QCOMPARE(bytes.count("\r\n") >= 251, true);
    QString error;
    const QJsonArray rows = readCsv(target, &error);
    QVERIFY2(!rows.isEmpty(), qPrintable(error));
    QCOMPARE(rows.size(), 251);
    QCOMPARE(rows.at(0).toArray().at(0).toString(), QString("序号"));
    QCOMPARE(rows.at(0).toArray().at(4).toString(), QString("Content"));
    std::set<int> serials;
    for (int i = 1; i < rows.size(); ++i) {
        const QJsonArray r = rows.at(i).toArray();
        // Five fields and the empty one after the trailing comma.
        QCOMPARE(r.size(), 6);
        QCOMPARE(r.at(5).toString(), QString());
        serials.insert(r.at(0).toString().toInt());
    }
    QCOMPARE(serials.size(), size_t(250));
    QCOMPARE(*serials.begin(), 1);
    QCOMPARE(*serials.rbegin(), 250);
    // Newest first: serial 1 is id 250. Ids 29k carry the awkward contents.
    auto content = [&](int id) { return rows.at(251 - id).toArray().at(4).toString(); };
    QCOMPARE(content(145), QString("He said \"hi\""));
    QCOMPARE(content(116), QString("Smith, John"));
    QCOMPARE(content(87), QString("line one\nline two"));
    QCOMPARE(content(58), QString("铃声?"));
    QCOMPARE(content(29), QString("café"));
    QCOMPARE(rows.at(1).toArray().at(2).toString(), QString("admin"));
    // Ids 58 and 203 hold the one character outside GBK.
    QCOMPARE(thread.replacedChars(), 2L);
}

// Rows logged while the export runs are not written, and no row twice.
void TestLogDatabase::exportOfAGrowingLog()
{
    const QString target = m_dir.filePath("ov_talkback_log.csv");
    LogExportThread thread(target, {"序号", "a", "b", "c", "d", "e", "f", "g", "h"}, logdb::Talk, account());
    bool inserted = false;
    connect(
        &thread, &LogExportThread::update_signal, &thread,
        [&](long) {
            if (inserted)
                return;
            inserted = true;
            m_db->sql("insert into talklog_bak (begin_time,end_time,callerId,calledId,callerName,calledName,type,"
                      "source_name,recordfile) select begin_time,end_time,callerId,calledId,callerName,calledName,"
                      "type,source_name,recordfile from talklog_bak where id <= 150");
        },
        Qt::DirectConnection);
    QCOMPARE(runExport(thread), int(LogExportThread::Done));
    QVERIFY(inserted);
    QString error;
    const QJsonArray rows = readCsv(target, &error);
    QVERIFY2(!rows.isEmpty(), qPrintable(error));
    QCOMPARE(rows.size(), 301);
    QCOMPARE(rows.at(300).toArray().at(0).toString(), QString("300"));
    QCOMPARE(rows.at(300).toArray().at(4).toString(), QString("Alice")); // id 1
    QCOMPARE(m_db->sql("select count(*) from talklog_bak").contains("450"), true);
}

void TestLogDatabase::exportFailuresLeaveTheTarget_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("serverThere");
    QTest::addColumn<int>("finish");
    QTest::newRow("no log server") << "old.csv" << false << int(LogExportThread::DatabaseFailed);
    QTest::newRow("directory missing") << "missing/dir/x.csv" << true << int(LogExportThread::FileFailed);
    QTest::newRow("target is a directory") << "adir" << true << int(LogExportThread::FileFailed);
}

void TestLogDatabase::exportFailuresLeaveTheTarget()
{
    QFETCH(QString, target);
    QFETCH(bool, serverThere);
    QFETCH(int, finish);
    QDir(m_dir.path()).mkpath("adir");
    const QString path = m_dir.filePath(target);
    if (!target.contains('/') && target != "adir")
        writeFile(path, "earlier export\r\n");
    const QByteArray before = fileBytes(path);
    LogDbAccount a = account();
    if (!serverThere)
        a.port = closedPort();
    LogExportThread thread(path, {"序号"}, logdb::Term, a);
    QCOMPARE(runExport(thread), finish);
    QCOMPARE(fileBytes(path), before);
    QCOMPARE(QDir(m_dir.filePath("adir")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void TestLogDatabase::cancelledExportLeavesTheTarget()
{
    const QString path = m_dir.filePath("cancelled.csv");
    writeFile(path, "earlier export\r\n");
    LogExportThread thread(path, {"序号"}, logdb::Term, account());
    connect(&thread, &LogExportThread::update_signal, &thread, [&](long) { thread.cancel(); }, Qt::DirectConnection);
    QCOMPARE(runExport(thread), int(LogExportThread::Cancelled));
    QCOMPARE(fileBytes(path), QByteArray("earlier export\r\n"));
    QCOMPARE(QDir(m_dir.path()).entryList({"cancelled.csv*"}, QDir::Files), QStringList{"cancelled.csv"});
}

void TestLogDatabase::emptyLog()
{
    QVERIFY(!m_db->sql("delete from terminallog").isNull());
    const QString path = m_dir.filePath("ov_terminal_log.csv");
    LogExportThread thread(path, {"序号"}, logdb::Term, account());
    QCOMPARE(runExport(thread), int(LogExportThread::Empty));
    QVERIFY(!QFile::exists(path));
    OvMySqlConn conn;
    QCOMPARE(conn.connect(account()), 0);
    QCOMPARE(logdb::readCount(conn, logdb::Term), 0);
}

void TestLogDatabase::databaseStoppedDuringExport()
{
    const QString path = m_dir.filePath("stopped.csv");
    writeFile(path, "earlier export\r\n");
    LogExportThread thread(path, {"序号"}, logdb::Talk, account());
    connect(&thread, &LogExportThread::update_signal, &thread, [&](long) { m_db->stop(); }, Qt::DirectConnection);
    QCOMPARE(runExport(thread), int(LogExportThread::DatabaseFailed));
    QCOMPARE(fileBytes(path), QByteArray("earlier export\r\n"));
}

QTEST_GUILESS_MAIN(TestLogDatabase)
#include "tst_log_database.moc"
