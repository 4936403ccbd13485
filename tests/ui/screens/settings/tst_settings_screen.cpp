#include "SimProcess.h"
#include "config/ConfigFile.h"
#include "framework/BaseMessageDialog.h"
#include "framework/ModalRunner.h"
#include "framework/OvAdvancedLevelCtr.h"
#include "framework/OvMessageBox.h"
#include "managers/serverconfig/OvServerConfigMgr.h"
#include "managers/serverconfig/SettingChecks.h"
#include "protocol/OvManageCenter.h"
#include "protocol/OvNetLosssHandle.h"
#include "screens/settings/OvSystemSettingForm.h"
#include "view/ViewRegistry.h"

#include <QCryptographicHash>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Answers every dialog: message texts are recorded; a question (confirm and
// cancel) gets the test's answer.
struct DialogAnswers
{
    QStringList messages;
    int question = QDialog::Rejected;
    modal::Hook previous;

    DialogAnswers()
    {
        previous = modal::setHook([this](QDialog &d) {
            if (auto *box = qobject_cast<BaseMessageDialog *>(&d)) {
                messages << box->text();
                return box->type() == BaseMessageDialog::ConfirmCancel ? question : int(QDialog::Accepted);
            }
            if (auto *box = qobject_cast<OvMessageBox *>(&d)) {
                messages << box->text();
                return int(QDialog::Accepted);
            }
            return int(QDialog::Rejected);
        });
    }
    ~DialogAnswers() { modal::setHook(previous); }
    bool saw(const QString &text) const { return messages.contains(text); }
};

QByteArray fileMd5(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash h(QCryptographicHash::Md5);
    h.addData(&f);
    return h.result().toHex();
}

const QString kDenied = QStringLiteral("Current user does not have permission to edit!");

} // namespace

// The system-setting page against the simulator, offscreen: each group's
// checks, what reaches the server and what the operator is told, backups
// that land in the chosen directory and restores that really restore.
class TestSettingsScreen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void parametersFillTheGroups();
    void settingShownOnlyWhenAccepted();
    void invalidInputNeverReachesTheServer_data();
    void invalidInputNeverReachesTheServer();
    void recordServerReachesTheRecordingEndpoint();
    void everyChangeNeedsTheLevel();
    void passwordChange();
    void titleGoesToTheWindowAndConfig();
    void backupLandsInTheChosenDirectory();
    void upperCaseDigestPasses();
    void corruptedBackupFails();
    void refusedBackupIsReported();
    void existingFileIsReplacedOnlyWhenConfirmed();
    void failedCopyIsReported();
    void unusableBackupNames_data();
    void unusableBackupNames();
    void lateBackupAnswerShowsBackingUp();
    void backupAnswerThatNeverComes();
    void restoreEndsTheSessionWithTheLossMessage();
    void refusedRestoreIsAFailure();
    void failedUploadSendsNoRestore();
    void restoreFileChecks_data();
    void restoreFileChecks();

private:
    std::unique_ptr<OvSystemSettingForm> makeForm();
    QString runBackup(DialogAnswers &answers);
    QByteArray logSinceClear() { return m_sim->receivedLog(); }

    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<OvManageCenter> m_centre;
    std::unique_ptr<OvServerConfigMgr> m_mgr;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_restorePath;
    QString m_recordHost;
    quint16 m_recordPort = 0;
    int m_answerLimitMs = 120000;
};

void TestSettingsScreen::init()
{
    m_sim = std::make_unique<SimProcess>();
    QVERIFY2(m_sim->isRunning(), qPrintable(m_sim->errorString()));
    m_centre = std::make_unique<OvManageCenter>();
    ViewRegistry::create(m_centre.get());
    m_centre->setServerAddress(QStringLiteral("127.0.0.1"), m_sim->dbpPort());
    m_centre->setCredentials("admin", "admin");
    m_centre->startReceiveThread();
    QTRY_VERIFY_WITH_TIMEOUT(m_centre->state() == ConnectionState::LoggedIn, 15000);
    OvAdvancedLevelCtr probe;
    QTRY_VERIFY_WITH_TIMEOUT(probe.permitted(), 10000);
    m_mgr = std::make_unique<OvServerConfigMgr>(m_centre.get());
    m_mgr->setFileEndpoint(QStringLiteral("127.0.0.1"), m_sim->mediaPort());
    MediaTimeouts t;
    t.answerLong = 3000;
    t.answerShort = 3000;
    m_mgr->setTransferTimeouts(t);
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(m_dir->filePath("download")) && QDir().mkpath(m_dir->filePath("target")));
    m_restorePath.clear();
    m_recordHost.clear();
    m_recordPort = 0;
    m_answerLimitMs = 120000;
}

void TestSettingsScreen::cleanup()
{
    if (m_centre)
        m_centre->stopReceiveThread();
    m_mgr.reset();
    ViewRegistry::create(nullptr);
    m_centre.reset();
    m_sim.reset();
    m_dir.reset();
}

std::unique_ptr<OvSystemSettingForm> TestSettingsScreen::makeForm()
{
    OvSystemSettingForm::Environment env;
    env.configPath = m_dir->filePath("config.ini");
    env.downloadDirectory = m_dir->filePath("download");
    env.setRecordEndpoint = [this](const QString &host, quint16 port) {
        m_recordHost = host;
        m_recordPort = port;
    };
    const QString target = m_dir->filePath("target");
    env.chooseBackupDirectory = [target](QWidget *) { return target; };
    env.chooseRestoreFile = [this](QWidget *) { return m_restorePath; };
    env.backupAnswerLimitMs = m_answerLimitMs;
    auto form = std::make_unique<OvSystemSettingForm>(*m_mgr, env);
    form->resize(1100, 650);
    form->show();
    return form;
}

template <typename T>
T *child(QWidget &form, const QString &text)
{
    for (T *w : form.findChildren<T *>()) {
        if (w->property("text").toString() == text || w->property("title").toString() == text)
            return w;
    }
    return nullptr;
}

QPushButton *groupButton(QWidget &form, const QString &group, const QString &caption)
{
    QGroupBox *g = child<QGroupBox>(form, group);
    for (QPushButton *b : g->findChildren<QPushButton *>()) {
        if (b->text() == caption)
            return b;
    }
    return nullptr;
}

QList<QLineEdit *> groupFields(QWidget &form, const QString &group)
{
    return child<QGroupBox>(form, group)->findChildren<QLineEdit *>();
}

QLabel *groupStatus(QWidget &form, const QString &group)
{
    for (QLabel *l : child<QGroupBox>(form, group)->findChildren<QLabel *>()) {
        if (l->text().startsWith('['))
            return l;
    }
    return nullptr;
}

void TestSettingsScreen::parametersFillTheGroups()
{
    auto form = makeForm();
    QTRY_COMPARE(groupFields(*form, "对讲录音服务器").value(0)->text(), QString("127.0.0.1"));
    QCOMPARE(groupFields(*form, "对讲录音服务器").value(1)->text(), QString("7801"));
    QCOMPARE(groupStatus(*form, "对讲录音服务器")->text(), QString("[已设置]"));
    QCOMPARE(groupFields(*form, "对讲日志服务器").value(1)->text(), QString("7802"));
    QCOMPARE(groupFields(*form, "静音检测").value(0)->text(), QString("600"));
    // The recording endpoint takes the address, and the record download port of config.ini.
    QCOMPARE(m_recordHost, QString("127.0.0.1"));
    QCOMPARE(m_recordPort, quint16(8906));
    QCOMPARE(form->titleName(), QString("管理中心"));
    // The backup group is shown.
    QVERIFY(child<QGroupBox>(*form, "备份还原")->isVisible());
}

void TestSettingsScreen::settingShownOnlyWhenAccepted()
{
    DialogAnswers answers;
    auto form = makeForm();
    QTRY_COMPARE(groupFields(*form, "静音检测").value(0)->text(), QString("600"));
    QGroupBox *group = child<QGroupBox>(*form, "静音检测");
    group->setChecked(true);
    groupFields(*form, "静音检测")[0]->setText("100000");
    m_sim->clearReceivedLog();
    groupButton(*form, "静音检测", "设置")->click();
    QVERIFY(logSinceClear().contains("\"Value\":\"100000\""));
    QCOMPARE(answers.messages.size(), 1);
    QVERIFY2(answers.messages[0].startsWith("设置失败！\n服务器：Value must be a number"), qPrintable(answers.messages[0]));
    QVERIFY(group->isChecked());
    QCOMPARE(groupStatus(*form, "静音检测")->text(), QString("[设置失败]"));

    groupFields(*form, "静音检测")[0]->setText(" 300 ");
    m_sim->clearReceivedLog();
    groupButton(*form, "静音检测", "设置")->click();
    QVERIFY(logSinceClear().contains("{\"Action\":\"Mod\",\"Name\":\"Vad_Ptt_Time_Out\",\"Value\":\"300\"}"));
    QCOMPARE(answers.messages.size(), 1);
    QVERIFY(!group->isChecked());
    QCOMPARE(groupStatus(*form, "静音检测")->text(), QString("[已设置]"));
}

void TestSettingsScreen::invalidInputNeverReachesTheServer_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("fieldAfter");
    QTest::newRow("both address fields empty") << "对讲录音服务器" << "" << "" << "IP地址格式不正确！" << "";
    QTest::newRow("malformed address") << "对讲日志服务器" << "10.0.0.300" << "7802" << "IP地址格式不正确！"
                                       << "10.0.0.300";
    QTest::newRow("port 0") << "对讲录音服务器" << "10.0.0.3" << "0" << "端口必须是1到65535之间的整数！" << "10.0.0.3";
    QTest::newRow("port 65536") << "对讲日志服务器" << "10.0.0.3" << "65536" << "端口必须是1到65535之间的整数！"
                                << "10.0.0.3";
    QTest::newRow("time-out 300s") << "静音检测" << "300s" << "" << "超时时间必须是整数秒！" << "300s";
    QTest::newRow("time-out abc") << "静音检测" << "abc" << "" << "超时时间必须是整数秒！" << "abc";
    QTest::newRow("time-out overflow") << "静音检测" << "4294967296" << "" << "超时时间必须是整数秒！" << "4294967296";
    QTest::newRow("time-out 299 gets the server's value back")
        << "静音检测" << "299" << "" << "超时时间必须大于或者等于300秒" << "600";
}

void TestSettingsScreen::invalidInputNeverReachesTheServer()
{
    QFETCH(QString, group);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, message);
    QFETCH(QString, fieldAfter);
    DialogAnswers answers;
    auto form = makeForm();
    QTRY_COMPARE(groupFields(*form, "静音检测").value(0)->text(), QString("600"));
    const QString before = groupStatus(*form, group)->text();
    child<QGroupBox>(*form, group)->setChecked(true);
    QList<QLineEdit *> fields = groupFields(*form, group);
    fields[0]->setText(first);
    if (fields.size() > 1)
        fields[1]->setText(second);
    m_sim->clearReceivedLog();
    groupButton(*form, group, "设置")->click();
    QCOMPARE(answers.messages, QStringList{message});
    QVERIFY(!logSinceClear().contains("SystemParameter"));
    QCOMPARE(fields[0]->text(), fieldAfter);
    QCOMPARE(groupStatus(*form, group)->text(), before);
}

void TestSettingsScreen::recordServerReachesTheRecordingEndpoint()
{
    DialogAnswers answers;
    auto form = makeForm();
    QTRY_COMPARE(m_recordHost, QString("127.0.0.1"));
    child<QGroupBox>(*form, "对讲录音服务器")->setChecked(true);
    groupFields(*form, "对讲录音服务器")[0]->setText("rec.campus.local");
    groupFields(*form, "对讲录音服务器")[1]->clear(); // the default port shown as placeholder
    m_sim->clearReceivedLog();
    groupButton(*form, "对讲录音服务器", "设置")->click();
    QVERIFY(answers.messages.isEmpty());
    QVERIFY(logSinceClear().contains("\"Name\":\"Record_Server\",\"Value\":\"rec.campus.local:7801\""));
    QCOMPARE(m_recordHost, QString("rec.campus.local"));
    QCOMPARE(groupFields(*form, "对讲录音服务器")[1]->text(), QString("7801"));
}

void TestSettingsScreen::everyChangeNeedsTheLevel()
{
    DialogAnswers answers;
    auto form = makeForm();
    QTRY_COMPARE(groupFields(*form, "静音检测").value(0)->text(), QString("600"));
    QCOMPARE(m_sim->command("levels 1:高级设置:0:4,2:终端操作:1:5"), QString("ok"));
    OvAdvancedLevelCtr probe;
    QTRY_VERIFY(!probe.permitted());
    const QStringList groups{"对讲录音服务器", "对讲日志服务器", "用户密码修改", "静音检测"};
    for (const QString &g : groups) {
        child<QGroupBox>(*form, g)->setChecked(true);
        groupFields(*form, g).last()->setText("7000");
    }
    m_sim->clearReceivedLog();
    for (const QString &g : groups)
        groupButton(*form, g, "设置")->click();
    child<QGroupBox>(*form, "修改名称")->setChecked(true);
    groupButton(*form, "修改名称", "保存")->click();
    child<QPushButton>(*form, "...")->click();
    child<QPushButton>(*form, "备份")->click();
    QCOMPARE(answers.messages, QStringList(QVector<QString>(6, kDenied).toList()));
    QVERIFY(!logSinceClear().contains("POST"));
}

void TestSettingsScreen::passwordChange()
{
    DialogAnswers answers;
    auto form = makeForm();
    QGroupBox *group = child<QGroupBox>(*form, "用户密码修改");
    group->setChecked(true);
    QLineEdit *password = groupFields(*form, "用户密码修改").last();
    groupButton(*form, "用户密码修改", "设置")->click();
    QCOMPARE(answers.messages, QStringList{"密码不能为空！"});
    QTest::keyClicks(password, "ab!c12345");
    QCOMPARE(password->text(), QString("abc123"));
    m_sim->clearReceivedLog();
    groupButton(*form, "用户密码修改", "设置")->click();
    QVERIFY(logSinceClear().contains("{\"Action\":\"Mod\",\"Name\":\"admin\",\"PassWord\":\"abc123\"}"));
    QCOMPARE(answers.messages.last(), QString("密码修改成功！"));
    QVERIFY(!group->isChecked());
    QVERIFY(password->text().isEmpty());
}

void TestSettingsScreen::titleGoesToTheWindowAndConfig()
{
    DialogAnswers answers;
    auto form = makeForm();
    // The title of the parameters may be sent while the page is still being
    // built; the main window reads it from the page afterwards.
    QTRY_COMPARE(groupFields(*form, "静音检测")[0]->text(), QString("600"));
    QCOMPARE(form->titleName(), QString("管理中心"));
    QSignalSpy title(form.get(), &OvSystemSettingForm::sendTitleString);
    child<QGroupBox>(*form, "修改名称")->setChecked(true);
    QLineEdit *name = groupFields(*form, "修改名称")[0];
    name->clear();
    groupButton(*form, "修改名称", "保存")->click();
    QCOMPARE(answers.messages, QStringList{"请输入名称！"});
    name->setText("第一 中学 广播");
    groupButton(*form, "修改名称", "保存")->click();
    QCOMPARE(title.count(), 1);
    QCOMPARE(title.takeFirst().first().toString(), QString("第一 中学 广播"));
    QCOMPARE(configfile::text(m_dir->filePath("config.ini"), "Setting", "Title").value_or(QString()),
             QString("第一 中学 广播"));
    QVERIFY(!child<QGroupBox>(*form, "修改名称")->isChecked());
}

QString TestSettingsScreen::runBackup(DialogAnswers &answers)
{
    auto form = makeForm();
    child<QPushButton>(*form, "...")->click();
    QPushButton *backup = child<QPushButton>(*form, "备份");
    if (!backup->isEnabled())
        return "备份 not enabled";
    const int before = answers.messages.size();
    backup->click();
    QElapsedTimer t;
    t.start();
    while (answers.messages.size() == before && t.elapsed() < 30000)
        QTest::qWait(20);
    return answers.messages.value(before, "no message");
}

void TestSettingsScreen::backupLandsInTheChosenDirectory()
{
    DialogAnswers answers;
    const QString name = settingchecks::backupFileName(QDate::currentDate());
    m_sim->clearReceivedLog();
    QCOMPARE(runBackup(answers), name + "下载完成！");
    QVERIFY(logSinceClear().contains("{\"BackupFile\":\"" + name.toUtf8() + "\"}"));
    const QString copy = m_dir->filePath("target/" + name);
    QCOMPARE(fileMd5(copy), m_mgr->backupAnswer().value);
    QCOMPARE(fileMd5(m_dir->filePath("download/" + name)), m_mgr->backupAnswer().value);
    QCOMPARE(QDir(m_dir->filePath("target")).entryList(QDir::Files), QStringList{name});
}

void TestSettingsScreen::upperCaseDigestPasses()
{
    DialogAnswers answers;
    QCOMPARE(m_sim->command("backup upper on"), QString("ok on"));
    QCOMPARE(runBackup(answers), settingchecks::backupFileName(QDate::currentDate()) + "下载完成！");
}

void TestSettingsScreen::corruptedBackupFails()
{
    DialogAnswers answers;
    QCOMPARE(m_sim->command("backup corrupt on"), QString("ok on"));
    QCOMPARE(runBackup(answers), QString("Md5校验失败！"));
    QCOMPARE(QDir(m_dir->filePath("target")).entryList(QDir::Files), QStringList());
    QCOMPARE(QDir(m_dir->filePath("download")).entryList(QDir::Files), QStringList());
}

void TestSettingsScreen::refusedBackupIsReported()
{
    DialogAnswers answers;
    QVERIFY(m_sim->command("fault refuse DataBackup").startsWith("ok"));
    QCOMPARE(runBackup(answers), QString("数据备份失败！\nrefused by fault injection"));
    QCOMPARE(answers.messages.size(), 1);
}

void TestSettingsScreen::existingFileIsReplacedOnlyWhenConfirmed()
{
    DialogAnswers answers;
    const QString name = settingchecks::backupFileName(QDate::currentDate());
    const QString copy = m_dir->filePath("target/" + name);
    {
        QFile old(copy);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the operator's older backup");
    }
    answers.question = QDialog::Rejected;
    const QString kept = runBackup(answers);
    QVERIFY2(answers.messages.value(0).endsWith("文件已存在，是否替换？"), qPrintable(answers.messages.value(0)));
    QTRY_COMPARE(answers.messages.size(), 2);
    QVERIFY2(answers.messages[1].startsWith("已保留原有文件"), qPrintable(answers.messages[1]));
    QFile f(copy);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("the operator's older backup"));
    f.close();
    Q_UNUSED(kept)

    answers.messages.clear();
    answers.question = QDialog::Accepted;
    runBackup(answers);
    QTRY_COMPARE(answers.messages.size(), 2);
    QCOMPARE(answers.messages[1], name + "下载完成！");
    QCOMPARE(fileMd5(copy), m_mgr->backupAnswer().value.toLower());
}

void TestSettingsScreen::failedCopyIsReported()
{
    DialogAnswers answers;
    const QString name = settingchecks::backupFileName(QDate::currentDate());
    // A directory of the backup's name cannot be replaced by the file.
    QVERIFY(QDir().mkpath(m_dir->filePath("target/" + name + "/inside")));
    answers.question = QDialog::Accepted;
    runBackup(answers);
    QTRY_COMPARE(answers.messages.size(), 2);
    QCOMPARE(answers.messages[1], "备份文件复制失败！\n" + m_dir->filePath("target/" + name));
    QVERIFY(QFileInfo(m_dir->filePath("target/" + name + "/inside")).isDir());
    QCOMPARE(QDir(m_dir->filePath("target")).entryList(QDir::Files), QStringList());
}

void TestSettingsScreen::unusableBackupNames_data()
{
    QTest::addColumn<QString>("answered");
    QTest::addColumn<QString>("message");
    QTest::newRow("no name") << "none" << "数据备份失败！\n服务器没有给出备份文件名";
    QTest::newRow("climbs out") << "../../evil.backup" << "数据备份失败！\n服务器给出的备份文件名不可用：../../evil.backup";
    QTest::newRow("absolute") << "/etc/evil" << "数据备份失败！\n服务器给出的备份文件名不可用：/etc/evil";
}

void TestSettingsScreen::unusableBackupNames()
{
    QFETCH(QString, answered);
    QFETCH(QString, message);
    DialogAnswers answers;
    QVERIFY(m_sim->command("backup answername " + answered).startsWith("ok"));
    QCOMPARE(runBackup(answers), message);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
    QCOMPARE(QDir(m_dir->filePath("download")).entryList(QDir::Files), QStringList());
    QCOMPARE(m_sim->command("media requests"), QString("ok 0"));
}

void TestSettingsScreen::lateBackupAnswerShowsBackingUp()
{
    DialogAnswers answers;
    QCOMPARE(m_sim->command("backup delay 5000"), QString("ok 5000"));
    auto form = makeForm();
    child<QPushButton>(*form, "...")->click();
    child<QPushButton>(*form, "备份")->click();
    // The request has timed out; the page waits for the answer and says so.
    QVERIFY(answers.messages.isEmpty());
    QCOMPARE(form->findChild<QLabel *>("backupState")->text(), QString("备份中…"));
    QVERIFY(!child<QPushButton>(*form, "备份")->isEnabled());
    // The rest of the page goes on working meanwhile.
    child<QGroupBox>(*form, "静音检测")->setChecked(true);
    groupFields(*form, "静音检测")[0]->setText("900");
    groupButton(*form, "静音检测", "设置")->click();
    QCOMPARE(groupStatus(*form, "静音检测")->text(), QString("[已设置]"));
    QTRY_VERIFY_WITH_TIMEOUT(!answers.messages.isEmpty(), 30000);
    QCOMPARE(answers.messages.first(), settingchecks::backupFileName(QDate::currentDate()) + "下载完成！");
}

void TestSettingsScreen::backupAnswerThatNeverComes()
{
    DialogAnswers answers;
    QVERIFY(m_sim->command("fault ignore DataBackup").startsWith("ok"));
    m_answerLimitMs = 4000;
    QCOMPARE(runBackup(answers), QString("数据备份失败！\n服务器在4秒内没有给出备份结果"));
}

void TestSettingsScreen::restoreEndsTheSessionWithTheLossMessage()
{
    DialogAnswers answers;
    const QString name = settingchecks::backupFileName(QDate::currentDate());
    QCOMPARE(runBackup(answers), name + "下载完成！");
    QCOMPARE(m_mgr->setParameter("还原之前", 173), 0);

    QStringList lossMessages;
    OvNetLosssHandle loss(m_centre.get());
    loss.setPresenter([&lossMessages](const QString &, const QString &text) { lossMessages << text; });
    loss.setWindowCloser([] {});
    m_restorePath = m_dir->filePath("target/" + name);
    auto form = makeForm();
    QList<QPushButton *> dots;
    for (QPushButton *b : form->findChildren<QPushButton *>()) {
        if (b->text() == "...")
            dots << b;
    }
    answers.messages.clear();
    m_sim->clearReceivedLog();
    dots[1]->click();
    child<QPushButton>(*form, "还原")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!answers.messages.isEmpty(), 30000);
    const QByteArray log = logSinceClear();
    QVERIFY2(answers.messages.first() == QString("数据恢复完成！"),
             qPrintable(answers.messages.join('|') + QString(" requests seen: %1").arg(log.count("DataRecovery"))));
    QCOMPARE(form->restoreMd5(), fileMd5(m_restorePath));
    QVERIFY(log.contains("{\"Md5\":\"" + fileMd5(m_restorePath) + "\",\"RecoveryFile\":\"" + name.toUtf8() + "\"}"));
    QTRY_COMPARE_WITH_TIMEOUT(lossMessages, QStringList{"连接超时，请重新登陆!"}, 10000);

    // The installation is back at the backup's state.
    m_centre->stopReceiveThread();
    m_centre->startReceiveThread();
    QTRY_VERIFY_WITH_TIMEOUT(m_centre->state() == ConnectionState::LoggedIn, 15000);
    QSignalSpy got(m_mgr.get(), &OvServerConfigMgr::gotServerList);
    QCOMPARE(m_mgr->requestParameters(), 0);
    QTRY_COMPARE(got.count(), 1);
    for (const ServerParameter &p : m_mgr->parameters()) {
        if (p.kind == ServerParameter::SystemName)
            QCOMPARE(p.value, QByteArray("管理中心"));
    }
}

void TestSettingsScreen::refusedRestoreIsAFailure()
{
    DialogAnswers answers;
    const QString name = settingchecks::backupFileName(QDate::currentDate());
    QCOMPARE(runBackup(answers), name + "下载完成！");
    QVERIFY(m_sim->command("fault refuse DataRecovery").startsWith("ok"));
    m_restorePath = m_dir->filePath("target/" + name);
    auto form = makeForm();
    answers.messages.clear();
    form->slot_uploadRestoreDirClicked();
    child<QPushButton>(*form, "还原")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!answers.messages.isEmpty(), 30000);
    QCOMPARE(answers.messages.first(), QString("数据恢复失败！\n服务器：refused by fault injection"));
    QVERIFY(child<QPushButton>(*form, "还原")->isEnabled());
    QCOMPARE(m_centre->state(), ConnectionState::LoggedIn);
}

void TestSettingsScreen::failedUploadSendsNoRestore()
{
    DialogAnswers answers;
    QVERIFY(m_sim->command("media noanswer PostFile").startsWith("ok"));
    m_restorePath = m_dir->filePath("target/OVN_2021-03-04.backup");
    {
        QFile f(m_restorePath);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(5000, 'x'));
    }
    auto form = makeForm();
    form->slot_uploadRestoreDirClicked();
    m_sim->clearReceivedLog();
    child<QPushButton>(*form, "还原")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!answers.messages.isEmpty(), 30000);
    QVERIFY2(answers.messages.first().startsWith("文件上传失败！\n"), qPrintable(answers.messages.first()));
    QVERIFY(!logSinceClear().contains("DataRecovery"));
}

void TestSettingsScreen::restoreFileChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("message");
    QTest::newRow("129-byte name") << QString(43, QChar(0x6570)) + ".bk" << qint64(10) << "文件名称超长！";
    QTest::newRow("ampersand") << "a&b.backup" << qint64(10) << "文件名包含非法字符！";
    QTest::newRow("apostrophe") << "a'b.backup" << qint64(10) << "文件名包含非法字符！";
    QTest::newRow("one byte over 1024 MiB") << "big.backup" << qint64(1073741825) << "文件大于1024MB，禁止上传！";
}

void TestSettingsScreen::restoreFileChecks()
{
    QFETCH(QString, name);
    QFETCH(qint64, size);
    QFETCH(QString, message);
    DialogAnswers answers;
    m_restorePath = m_dir->filePath(name);
    {
        QFile f(m_restorePath);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(size)); // sparse: no gigabyte is written
    }
    auto form = makeForm();
    form->slot_uploadRestoreDirClicked();
    m_sim->clearReceivedLog();
    child<QPushButton>(*form, "还原")->click();
    QCOMPARE(answers.messages.size(), 1);
    QVERIFY2(answers.messages[0].endsWith(message), qPrintable(answers.messages[0]));
    if (size > settingchecks::kRestoreSizeLimit)
        QCOMPARE(answers.messages[0], m_restorePath + "\n" + message);
    QCOMPARE(form->restoreName(), name);
    QVERIFY(child<QPushButton>(*form, "还原")->isEnabled());
    QTest::qWait(200);
    QCOMPARE(m_sim->command("media requests"), QString("ok 0"));
}

QTEST_MAIN(TestSettingsScreen)
#include "tst_settings_screen.moc"
