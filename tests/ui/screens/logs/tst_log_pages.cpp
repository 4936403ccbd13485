// The log pages against the simulator (DBP path) and a throw-away log
// database (direct path), and the recording download through the
// simulator's file service. One simulator and one database for the program.
#include "LogDbProcess.h"
#include "SimCentre.h"
#include "config/ConfigFile.h"
#include "framework/BaseMessageDialog.h"
#include "framework/ModalRunner.h"
#include "framework/MsgTips.h"
#include "framework/MsgTipsGroup.h"
#include "logs/OvMySqlConn.h"
#include "logs/OvServiceLogMgr.h"
#include "media/OvFtpClientMgr.h"
#include "media/TcpSocketClient.h"
#include "media/TcpSocketClientThread.h"
#include "screens/logs/LogExportDialog.h"
#include "screens/logs/OvTalkLogInfoForm.h"
#include "screens/logs/OvTalkRecordForm.h"
#include "screens/logs/OvTermLogInfoForm.h"
#include "screens/logs/OvUserLogInfoForm.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

int rowId(const QTableWidget *t, int row)
{
    return t->item(row, 0)->data(Qt::UserRole).toInt();
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestLogPages : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void dbpPaging();
    void dbpUnreadableAnswerKeepsThePage();
    void dbpRefreshReadsTheCountAgain();
    void dbpExportNeedsALogServer();
    void directPaging();
    void directRefreshReadsTheCountAgain();
    void directPageLabels_data();
    void directPageLabels();
    void directConnectFailure();
    void exportFromThePage();
    void exportDialogEndings();
    void tipLineBreaks_data();
    void tipLineBreaks();
    void recordDownload();
    void missingRecordingKeepsTheLocalFile();
    void cutDownloadKeepsTheLocalFile();
    void rowWithoutRecording();
    void sameRecordingTwice();
    void recordingWithAQuoteInItsName();

private:
    void useLogServer(bool direct);
    int findRow(QTableWidget *t, int id);

    SimCentre m_site;
    std::unique_ptr<LogDbProcess> m_db;
    std::unique_ptr<OvServiceLogMgr> m_logs;
    std::unique_ptr<TcpSocketClientThread> m_files;
    std::unique_ptr<OvFtpClientMgr> m_ftp;
    QString m_mediaRoot;
    QTemporaryDir m_dir;
    QStringList m_messages;
};

void TestLogPages::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(m_site.start());
    const QString root = m_site.sim->command("media root");
    QVERIFY(root.startsWith("ok "));
    m_mediaRoot = root.mid(3);
    m_db = std::make_unique<LogDbProcess>(QStringList{"--record-root", m_mediaRoot});
    QVERIFY2(m_db->isRunning(), qPrintable(m_db->errorString()));
    m_logs = std::make_unique<OvServiceLogMgr>(m_site.centre.get());
    m_files = std::make_unique<TcpSocketClientThread>();
    m_files->client()->setServer(QStringLiteral("127.0.0.1"), m_site.sim->mediaPort());
    m_files->client()->setRecordServer(QStringLiteral("127.0.0.1"), m_site.sim->mediaPort());
    m_ftp = std::make_unique<OvFtpClientMgr>(m_files->client());
    const QString ini = m_dir.filePath("config.ini");
    QFile f(ini);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Setting]\nMySqlPort=" + QByteArray::number(m_db->port()) + "\n");
    f.close();
    LogExportDialog::setConfigPath(ini);
    OvTalkRecordForm::setConfigPath(ini);
    // The pages' connection reads the port from config.ini in the working
    // directory.
    QDir::setCurrent(m_dir.path());
    modal::setHook([this](QDialog &d) {
        if (auto *box = qobject_cast<BaseMessageDialog *>(&d))
            m_messages << box->text();
        return int(QDialog::Accepted);
    });
}

void TestLogPages::cleanupTestCase()
{
    modal::setHook({});
    m_ftp.reset();
    m_files.reset();
    m_site.stopThread();
}

void TestLogPages::init()
{
    m_messages.clear();
}

void TestLogPages::useLogServer(bool direct)
{
    const QString sql = direct ? QStringLiteral("sql insert or replace into parameter(name, value) "
                                                "values('Talk_Log_Server', '127.0.0.1:%1')")
                                     .arg(m_db->port())
                               : QStringLiteral("sql delete from parameter");
    QVERIFY(m_site.sim->command(sql).startsWith("ok"));
}

int TestLogPages::findRow(QTableWidget *t, int id)
{
    for (int r = 0; r < t->rowCount(); ++r) {
        if (rowId(t, r) == id)
            return r;
    }
    return -1;
}

void TestLogPages::dbpPaging()
{
    useLogServer(false);
    OvMySqlConn conn;
    OvTalkLogInfoForm form(*m_logs, conn);
    QVERIFY(!form.isDirect());
    QCOMPARE(form.hostLabel()->text(), QString("[ 日志主机：Local ]"));
    QTRY_COMPARE(form.pageLabel()->text(), QString("1/3"));
    QTRY_COMPARE(form.table()->rowCount(), 100);
    QCOMPARE(rowId(form.table(), 0), 300);
    form.slot_previousClicked();
    QCOMPARE(form.page(), 1);
    form.nextButton()->click();
    QTRY_COMPARE(form.pageLabel()->text(), QString("2/3"));
    QCOMPARE(rowId(form.table(), 0), 200);
    form.slot_nextClicked();
    QTRY_COMPARE(form.pageLabel()->text(), QString("3/3"));
    QCOMPARE(rowId(form.table(), 99), 1);
    m_site.sim->clearReceivedLog();
    form.slot_nextClicked();
    QCOMPARE(form.page(), 3);
    QVERIFY(!m_site.sim->receivedLog().contains("SqlLog"));
    // Talk row 10: called code 0 for a NULL calledId, type 9 "Ring By Call".
    const int r = findRow(form.table(), 10);
    QVERIFY(r >= 0);
    QCOMPARE(form.table()->item(r, 4)->text(), QString("0"));
    QCOMPARE(form.table()->item(r, 6)->text(), QString("Ring By Call"));
    QVERIFY(!form.statusLabel()->isVisibleTo(&form));
}

void TestLogPages::dbpUnreadableAnswerKeepsThePage()
{
    useLogServer(false);
    OvMySqlConn conn;
    OvTermLogInfoForm form(*m_logs, conn);
    QTRY_COMPARE(form.pageLabel()->text(), QString("1/3"));
    QTRY_COMPARE(form.table()->rowCount(), 100);
    QVERIFY(m_site.sim->command("fault malformed-next").startsWith("ok"));
    form.slot_nextClicked();
    QTRY_VERIFY(form.statusLabel()->isVisibleTo(&form));
    QCOMPARE(form.statusLabel()->text(), QString("查询失败"));
    QCOMPARE(form.pageLabel()->text(), QString("1/3"));
    QCOMPARE(form.table()->rowCount(), 100);
    QCOMPARE(rowId(form.table(), 0), 300);
    // A count that cannot be read keeps the pages reachable.
    QVERIFY(m_site.sim->command("fault malformed-next").startsWith("ok"));
    QSignalSpy failed(m_logs.get(), &OvServiceLogMgr::logQueryFailed);
    form.slot_refreshClicked();
    // The failure arrives queued: wait for it before the next click, or the
    // click may run first and the late failure be taken for its own.
    QTRY_VERIFY(failed.count() >= 1);
    QTRY_COMPARE(form.page(), 1);
    QCOMPARE(form.pages(), 3);
    form.slot_nextClicked();
    QTRY_COMPARE(form.pageLabel()->text(), QString("2/3"));
    QVERIFY(!form.statusLabel()->isVisibleTo(&form));
}

void TestLogPages::dbpRefreshReadsTheCountAgain()
{
    useLogServer(false);
    OvMySqlConn conn;
    OvUserLogInfoForm form(*m_logs, conn);
    QTRY_COMPARE(form.pageLabel()->text(), QString("1/3"));
    QVERIFY(m_site.sim->command("sql insert into userlog(name, ip, date, content) select name, ip, date, content "
                                "from userlog where id <= 100")
                .startsWith("ok 100"));
    form.refreshButton()->click();
    QVERIFY(!form.refreshButton()->isEnabled());
    QTRY_COMPARE(form.pageLabel()->text(), QString("1/4"));
    QTRY_COMPARE(rowId(form.table(), 0), 400);
    QTRY_VERIFY(form.refreshButton()->isEnabled());
    QVERIFY(m_site.sim->command("sql delete from userlog where id > 300").startsWith("ok 100"));
}

void TestLogPages::dbpExportNeedsALogServer()
{
    useLogServer(false);
    OvMySqlConn conn;
    OvTalkLogInfoForm form(*m_logs, conn);
    QTRY_COMPARE(form.table()->rowCount(), 100);
    form.slot_downloadClicked();
    QCOMPARE(m_messages, QStringList{"日志主机不存在，请选配主机!"});
    QVERIFY(!form.exportDialog());
}

void TestLogPages::directPaging()
{
    useLogServer(true);
    OvMySqlConn conn;
    OvTalkLogInfoForm form(*m_logs, conn);
    QVERIFY(form.isDirect());
    QCOMPARE(form.hostLabel()->text(), QString("[ 日志主机：127.0.0.1 ]"));
    QCOMPARE(form.pageLabel()->text(), QString("1/3"));
    QCOMPARE(form.table()->rowCount(), 100);
    QCOMPARE(rowId(form.table(), 0), 300);
    form.slot_nextClicked();
    QCOMPARE(form.pageLabel()->text(), QString("2/3"));
    QCOMPARE(rowId(form.table(), 0), 200);
    QCOMPARE(rowId(form.table(), 99), 101);
    form.slot_nextClicked();
    QCOMPARE(rowId(form.table(), 99), 1);
    form.slot_nextClicked();
    QCOMPARE(form.page(), 3);
    form.slot_previousClicked();
    QCOMPARE(form.pageLabel()->text(), QString("2/3"));
    QCOMPARE(rowId(form.table(), 0), 200);
    QCOMPARE(rowId(form.table(), 99), 101);
    form.slot_previousClicked();
    QCOMPARE(rowId(form.table(), 0), 300);
    form.slot_previousClicked();
    QCOMPARE(form.page(), 1);
    // Talk row 289 is of type 0, row 290 of type 1.
    const int r = findRow(form.table(), 289);
    QVERIFY(r >= 0);
    QCOMPARE(form.table()->item(r, 6)->text(), QString("EmergencyHelp"));
    QCOMPARE(form.table()->item(r - 1, 6)->text(), QString("Talkback"));
}

void TestLogPages::directRefreshReadsTheCountAgain()
{
    useLogServer(true);
    OvMySqlConn conn;
    OvTermLogInfoForm form(*m_logs, conn);
    QCOMPARE(form.pageLabel()->text(), QString("1/3"));
    QVERIFY(!m_db->sql("insert into terminallog(date,terminalId,name,type,ip,action) select date,terminalId,name,"
                       "type,ip,action from terminallog where id <= 1").isNull());
    form.slot_refreshClicked();
    QCOMPARE(form.pageLabel()->text(), QString("1/4"));
    QCOMPARE(rowId(form.table(), 0), 301);
    QCOMPARE(form.table()->item(0, 3)->text(), QString("1"));
    QVERIFY(!m_db->sql("delete from terminallog where id > 300").isNull());
}

void TestLogPages::directPageLabels_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("shown");
    // Descending: each row removes more of the user log.
    QTest::newRow("250 rows") << 250 << "1/3" << 100;
    QTest::newRow("101 rows") << 101 << "1/2" << 100;
    QTest::newRow("100 rows") << 100 << "1/1" << 100;
    QTest::newRow("no rows") << 0 << "1/1" << 0;
}

void TestLogPages::directPageLabels()
{
    QFETCH(int, rows);
    QFETCH(QString, label);
    QFETCH(int, shown);
    useLogServer(true);
    QVERIFY(!m_db->sql(QStringLiteral("delete from userlog where id > %1").arg(rows)).isNull());
    OvMySqlConn conn;
    OvUserLogInfoForm form(*m_logs, conn);
    QCOMPARE(form.pageLabel()->text(), label);
    QCOMPARE(form.table()->rowCount(), shown);
    QCOMPARE(form.count(), rows);
    QVERIFY(!form.statusLabel()->isVisibleTo(&form));
    if (rows == 0) {
        form.slot_downloadClicked();
        QCOMPARE(m_messages, QStringList{"日志记录不存在!"});
    }
}

void TestLogPages::directConnectFailure()
{
    useLogServer(true);
    QFile::remove(m_dir.filePath("config.ini.bak"));
    QVERIFY(QFile::copy(m_dir.filePath("config.ini"), m_dir.filePath("config.ini.bak")));
    {
        QFile f(m_dir.filePath("config.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Setting]\nMySqlPort=1\n");
    }
    OvMySqlConn conn;
    OvTalkLogInfoForm form(*m_logs, conn);
    QVERIFY(QFile::remove(m_dir.filePath("config.ini")));
    QVERIFY(QFile::rename(m_dir.filePath("config.ini.bak"), m_dir.filePath("config.ini")));
    QCOMPARE(m_messages, QStringList{"Talkback log server connect error!"});
    QVERIFY(form.statusLabel()->isVisibleTo(&form));
    QCOMPARE(form.table()->rowCount(), 0);
}

void TestLogPages::exportFromThePage()
{
    useLogServer(true);
    OvMySqlConn conn;
    OvTalkLogInfoForm form(*m_logs, conn);
    form.slot_downloadClicked();
    LogExportDialog *dialog = form.exportDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->fileNameEdit()->text(), QString("ov_talkback_log"));
    QVERIFY(!dialog->progressBar()->isVisibleTo(dialog));
    const QString out = m_dir.filePath("exports");
    QVERIFY(QDir().mkpath(out));
    dialog->directoryBox()->setEditText(out);
    dialog->fileNameEdit()->setText("calls.CSV");
    QSignalSpy done(dialog, &LogExportDialog::exportDone);
    dialog->exportButton()->click();
    QVERIFY(!dialog->exportButton()->isEnabled());
    QVERIFY(done.wait(60000));
    // The talk log holds names with a character GBK lacks: the closing
    // message counts them.
    const QString message = done.at(0).at(0).toString();
    QVERIFY(message.startsWith("日志下载完成！"));
    QVERIFY2(message.contains("个字符无法以 GBK 保存"), qPrintable(message));
    QVERIFY(QFile::exists(out + "/calls.CSV.csv"));
    QCOMPARE(fileBytes(out + "/calls.CSV.csv").count("\r\n") >= 301, true);
    QCOMPARE(configfile::text(m_dir.filePath("config.ini"), "Setting", "LogLastFilePath").value_or(QString()), out);
    QCOMPARE(LogExportDialog::targetPath("/d", "a.csv"), QString("/d/a.csv"));
    // A second dialog starts in the stored directory.
    QTRY_VERIFY(!form.exportDialog());
    form.slot_downloadClicked();
    QVERIFY(form.exportDialog());
    QCOMPARE(form.exportDialog()->directoryBox()->currentText(), out);
    form.exportDialog()->close();
}

// A file that cannot be written lets the operator try again; a database
// that cannot be reached and an empty log end the dialog's attempts.
void TestLogPages::exportDialogEndings()
{
    LogDbAccount account;
    account.host = QStringLiteral("127.0.0.1");
    account.port = m_db->port();
    LogExportDialog dialog(logdb::Talk, {"序号"}, "ov_talkback_log", account);
    dialog.directoryBox()->setEditText(m_dir.filePath("no/such/dir"));
    QSignalSpy done(&dialog, &LogExportDialog::exportDone);
    dialog.exportButton()->click();
    QTRY_VERIFY(dialog.statusLabel()->isVisibleTo(&dialog));
    QCOMPARE(dialog.statusLabel()->text(), QString("文件打开失败，请关闭文件尝试！"));
    QVERIFY(dialog.exportButton()->isEnabled());
    QVERIFY(!dialog.progressBar()->isVisibleTo(&dialog));
    QTRY_VERIFY(!dialog.isExporting());
    dialog.directoryBox()->setEditText(m_dir.path());
    dialog.exportButton()->click();
    QVERIFY(done.wait(60000));
    QVERIFY(QFile::exists(m_dir.filePath("ov_talkback_log.csv")));

    account.port = 1;
    LogExportDialog offline(logdb::Talk, {"序号"}, "x", account);
    offline.directoryBox()->setEditText(m_dir.path());
    offline.exportButton()->click();
    QTRY_COMPARE(offline.statusLabel()->text(), QString("数据库连接失败！"));
    QCOMPARE(offline.cancelButton()->text(), QString("退出"));
    QVERIFY(!offline.exportButton()->isVisibleTo(&offline));
    QVERIFY(!QFile::exists(m_dir.filePath("x.csv")));
    QTRY_VERIFY(!offline.isExporting());
}

void TestLogPages::tipLineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("broken");
    // n = 21: a break at 9; the second position, 23, lies past the end.
    QTest::newRow("21 characters") << "录音文件 a.wav 下载中... [0%" << "录音文件 a.wa\nv 下载中... [0%";
    // n = 30: at 12, then at 29 of the text that already holds the first.
    QTest::newRow("30 characters") << "012345678901234567890123456789" << "012345678901\n2345678901234567\n89";
    QTest::newRow("short") << "abc" << "abc";
}

void TestLogPages::tipLineBreaks()
{
    QFETCH(QString, text);
    QFETCH(QString, broken);
    QCOMPARE(OvTalkRecordForm::breakTipText(text), broken);
}

void TestLogPages::recordDownload()
{
    useLogServer(false);
    OvMySqlConn conn;
    QWidget host;
    host.resize(1366, 768);
    OvTalkRecordForm form(*m_logs, conn, *m_ftp, &host);
    QCOMPARE(form.hostLabel()->text(), QString("[ 录音主机：Local ]"));
    QTRY_COMPARE(form.table()->rowCount(), 100);
    const QString local = m_dir.filePath("records");
    QVERIFY(QDir().mkpath(local));
    form.setDirectoryChooser([&](QWidget *, const QString &) { return local; });
    // Talk row 290: a recording the file service holds.
    const int r = findRow(form.table(), 290);
    QVERIFY(r >= 0);
    QCOMPARE(form.table()->item(r, 8)->text(), QString("双击下载"));
    const QString name = "20261211_081500_102_2.wav";
    form.slot_cellDoubleClicked(r, 7);
    QVERIFY(!form.tips()->findTip(name));
    form.slot_cellDoubleClicked(r, 8);
    MsgTips *tip = form.tips()->findTip(name);
    QVERIFY(tip);
    QVERIFY(tip->labelText().remove('\n').startsWith("录音文件 " + name + " 下载"));
    QTRY_VERIFY_WITH_TIMEOUT(tip->labelText().remove('\n').contains("下载完成！ [100%]"), 20000);
    QCOMPARE(fileBytes(local + "/" + name), fileBytes(m_mediaRoot + "/media/talk_record_file/" + name));
    QCOMPARE(configfile::text(m_dir.filePath("config.ini"), "Setting", "MediaLastFilePath").value_or(QString()),
             local);
    QVERIFY(m_messages.isEmpty());
}

void TestLogPages::missingRecordingKeepsTheLocalFile()
{
    useLogServer(true);
    OvMySqlConn conn;
    QWidget host;
    host.resize(1366, 768);
    OvTalkRecordForm form(*m_logs, conn, *m_ftp, &host);
    QVERIFY(form.isDirect());
    QCOMPARE(form.hostLabel()->text(), QString("[ 录音主机：127.0.0.1 ]"));
    const QString local = m_dir.filePath("records2");
    QVERIFY(QDir().mkpath(local));
    const QString name = "20261211_090000_missing.wav";
    {
        QFile f(local + "/" + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("kept from before");
    }
    form.setDirectoryChooser([&](QWidget *, const QString &) { return local; });
    // Talk row 289 (= 17 × 17) names a recording the service does not hold.
    const int r = findRow(form.table(), 289);
    QVERIFY(r >= 0);
    form.slot_cellDoubleClicked(r, 8);
    MsgTips *tip = form.tips()->findTip(name);
    QVERIFY(tip);
    QTRY_VERIFY_WITH_TIMEOUT(tip->labelText().remove('\n').contains("下载失败！"), 20000);
    QCOMPARE(fileBytes(local + "/" + name), QByteArray("kept from before"));
    QCOMPARE(QDir(local).entryList(QDir::Files), QStringList{name});
}

void TestLogPages::cutDownloadKeepsTheLocalFile()
{
    useLogServer(true);
    QVERIFY(m_site.sim->command("media close 100").startsWith("ok"));
    OvMySqlConn conn;
    QWidget host;
    host.resize(1366, 768);
    OvTalkRecordForm form(*m_logs, conn, *m_ftp, &host);
    const QString local = m_dir.filePath("records4");
    QVERIFY(QDir().mkpath(local));
    const QString name = "20261211_080000_101_1.wav";
    {
        QFile f(local + "/" + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("kept from before");
    }
    form.setDirectoryChooser([&](QWidget *, const QString &) { return local; });
    // Talk row 293 (type 4) names this recording.
    const int r = findRow(form.table(), 293);
    QVERIFY(r >= 0);
    form.slot_cellDoubleClicked(r, 8);
    MsgTips *tip = form.tips()->findTip(name);
    QVERIFY(tip);
    QTRY_VERIFY_WITH_TIMEOUT(tip->labelText().remove('\n').contains("下载失败！"), 20000);
    QVERIFY(m_site.sim->command("media clear").startsWith("ok"));
    QCOMPARE(fileBytes(local + "/" + name), QByteArray("kept from before"));
    QCOMPARE(QDir(local).entryList(QDir::Files), QStringList{name});
}

void TestLogPages::rowWithoutRecording()
{
    useLogServer(true);
    OvMySqlConn conn;
    OvTalkRecordForm form(*m_logs, conn, *m_ftp);
    bool asked = false;
    form.setDirectoryChooser([&](QWidget *, const QString &) {
        asked = true;
        return QString();
    });
    // Talk row 300 (type 11) has no recording.
    QCOMPARE(rowId(form.table(), 0), 300);
    QCOMPARE(form.table()->item(0, 8)->text(), QString("------"));
    form.slot_cellDoubleClicked(0, 8);
    QCOMPARE(m_messages, QStringList{"录音文件不存在！"});
    QVERIFY(!asked);
}

void TestLogPages::sameRecordingTwice()
{
    useLogServer(true);
    QVERIFY(m_site.sim->command("media split 4096 100").startsWith("ok"));
    OvMySqlConn conn;
    QWidget host;
    host.resize(1366, 768);
    OvTalkRecordForm form(*m_logs, conn, *m_ftp, &host);
    const QString local = m_dir.filePath("records3");
    QVERIFY(QDir().mkpath(local));
    form.setDirectoryChooser([&](QWidget *, const QString &) { return local; });
    // Rows 298 and 290 name the same recording.
    const int a = findRow(form.table(), 298);
    const int b = findRow(form.table(), 290);
    QVERIFY(a >= 0 && b >= 0);
    form.slot_cellDoubleClicked(a, 8);
    form.slot_cellDoubleClicked(b, 8);
    QCOMPARE(m_messages, QStringList{"录音文件下载中，请等待任务完成！"});
    MsgTips *tip = form.tips()->findTip("20261211_081500_102_2.wav");
    QVERIFY(tip);
    QTRY_VERIFY_WITH_TIMEOUT(tip->labelText().remove('\n').contains("下载完成！"), 60000);
    QVERIFY(m_site.sim->command("media clear").startsWith("ok"));
}

// The name reaches the file service inside a JSON request: its quotes are
// escaped there, so the request stays one JSON object.
void TestLogPages::recordingWithAQuoteInItsName()
{
    useLogServer(true);
    const QString name = QStringLiteral("say \"hi\" 通话.wav");
    const QString serverPath = m_mediaRoot + "/media/talk_record_file/" + name;
    {
        QFile f(serverPath);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(5000, 'r'));
    }
    QVERIFY(!m_db->sql(QStringLiteral("insert into talklog_bak (id,begin_time,end_time,callerId,calledId,callerName,"
                                      "calledName,type,source_name,recordfile) values (5000,'1765500000',"
                                      "'1765500060',101,1,'a','b','1','c','%1')")
                           .arg(serverPath))
                 .isNull());
    OvMySqlConn conn;
    QWidget host;
    host.resize(1366, 768);
    OvTalkRecordForm form(*m_logs, conn, *m_ftp, &host);
    const QString local = m_dir.filePath("records5");
    QVERIFY(QDir().mkpath(local));
    form.setDirectoryChooser([&](QWidget *, const QString &) { return local; });
    QCOMPARE(rowId(form.table(), 0), 5000);
    form.slot_cellDoubleClicked(0, 8);
    MsgTips *tip = form.tips()->findTip(name);
    QVERIFY(tip);
    QTRY_VERIFY_WITH_TIMEOUT(!tip->labelText().remove('\n').contains("下载中"), 20000);
    QVERIFY2(tip->labelText().remove('\n').contains("下载完成！"), qPrintable(tip->labelText()));
    QCOMPARE(fileBytes(local + "/" + name), QByteArray(5000, 'r'));
    QVERIFY(!m_db->sql("delete from talklog_bak where id = 5000").isNull());
}

QTEST_MAIN(TestLogPages)
#include "tst_log_pages.moc"
