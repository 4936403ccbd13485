#include "SimProcess.h"
#include "framework/BaseMessageDialog.h"
#include "framework/BaseSetNameDialog.h"
#include "framework/ModalRunner.h"
#include "framework/OvMessageBox.h"
#include "managers/terminals/OvPlayTermListMgr.h"
#include "managers/terminals/TerminalRequests.h"
#include "protocol/OvManageCenter.h"
#include "screens/terminals/OvPlayerInfoForm.h"
#include "screens/terminals/OvSetAmpFormCtr.h"
#include "screens/terminals/OvSetTCPForm.h"
#include "screens/terminals/OvTerDefaultSetCtr.h"
#include "view/ViewRegistry.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Answers every dialog: message texts are recorded and confirmed; the name
// and setting dialogs are handed to the test's own answer.
struct DialogAnswers
{
    QStringList messages;
    std::function<int(QDialog &)> answer;
    modal::Hook previous;

    DialogAnswers()
    {
        previous = modal::setHook([this](QDialog &d) {
            if (auto *box = qobject_cast<BaseMessageDialog *>(&d)) {
                messages << box->text();
                return int(QDialog::Accepted);
            }
            if (auto *box = qobject_cast<OvMessageBox *>(&d)) {
                messages << box->text();
                return int(QDialog::Accepted);
            }
            if (!answer)
                return int(QDialog::Rejected);
            return answer(d);
        });
    }
    ~DialogAnswers() { modal::setHook(previous); }
};

int count(const QByteArray &log, const QByteArray &what)
{
    return log.count(what);
}

} // namespace

// The player page against the simulator's sample installation, through the
// real centre and list manager, offscreen. Every test starts its own
// simulator, so each stands on the sample as built in and passes alone.
class TestPlayerScreen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void tableFollowsTheList();
    void notificationBeforeTheFirstListIsDropped();
    void deletedTerminalLeavesTheTable();
    void removalBottomUpOfflineOnly();
    void refusedRemovalShowsBothMessages();
    void speakerCheckOfASelection();
    void refusedSpeakerCheckRestoresTheRow();
    void quickClicksSendOneVolume();
    void heldButtonStepsFromTheSecondTick();
    void renameByDoubleClick();
    void deniedWithoutTerminalLevel();
    void firewallDialogReachesTheServer();
    void defaultDialogReachesTheServer();
    void amplifierLimitsReachTheServer();

private:
    std::unique_ptr<OvPlayerInfoForm> makeForm(OvPlayerInfoForm::VolumeTiming timing = {});
    void selectIds(OvPlayerInfoForm &form, const QList<int> &ids);
    QPushButton *button(OvPlayerInfoForm &form, const char *name);
    QByteArray logSinceClear();

    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<OvManageCenter> m_centre;
    std::unique_ptr<OvPlayTermListMgr> m_list;
};

void TestPlayerScreen::init()
{
    m_sim = std::make_unique<SimProcess>(QStringList{"--speaker-check-ms", "800"});
    QVERIFY2(m_sim->isRunning(), qPrintable(m_sim->errorString()));
    m_centre = std::make_unique<OvManageCenter>();
    ViewRegistry::create(m_centre.get());  // the level list after login decides the permission
    m_centre->setServerAddress(QStringLiteral("127.0.0.1"), m_sim->dbpPort());
    m_centre->setCredentials("admin", "admin");
    m_centre->startReceiveThread();
    QTRY_VERIFY_WITH_TIMEOUT(m_centre->state() == ConnectionState::LoggedIn, 15000);
    OvTermTbCtrl probe;
    QTRY_VERIFY_WITH_TIMEOUT(probe.permitted(), 10000);
    m_list = std::make_unique<OvPlayTermListMgr>(m_centre.get());
    m_sim->clearReceivedLog();
}

void TestPlayerScreen::cleanup()
{
    // The receive thread goes first: nothing may call into the list manager
    // once it is destroyed.
    if (m_centre)
        m_centre->stopReceiveThread();
    m_list.reset();
    // The registry binds a centre only when it is another one; the next
    // test's centre may be made at this one's address.
    ViewRegistry::create(nullptr);
    m_centre.reset();
    m_sim.reset();
}

std::unique_ptr<OvPlayerInfoForm> TestPlayerScreen::makeForm(OvPlayerInfoForm::VolumeTiming timing)
{
    auto form = std::make_unique<OvPlayerInfoForm>(*m_list, timing);
    form->resize(1200, 700);
    form->show();
    return form;
}

void TestPlayerScreen::selectIds(OvPlayerInfoForm &form, const QList<int> &ids)
{
    QTableWidget *table = form.table();
    table->clearSelection();
    for (const int id : ids) {
        const int row = form.tableCtrl().rowOf(id);
        QVERIFY2(row >= 0, qPrintable(QString::number(id)));
        table->setCurrentCell(row, 0, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QCOMPARE(table->selectionModel()->selectedRows().size(), ids.size());
}

QPushButton *TestPlayerScreen::button(OvPlayerInfoForm &form, const char *name)
{
    return form.findChild<QPushButton *>(QString::fromLatin1(name));
}

QByteArray TestPlayerScreen::logSinceClear()
{
    return m_sim->receivedLog();
}

void TestPlayerScreen::tableFollowsTheList()
{
    auto form = makeForm();
    QTableWidget *table = form->table();
    QTRY_COMPARE(table->rowCount(), 26);
    QCOMPARE(table->objectName(), QStringLiteral("fTerListViewWidget"));
    for (int row = 1; row < table->rowCount(); ++row)
        QVERIFY(table->item(row - 1, 2)->text().toInt() < table->item(row, 2)->text().toInt());
    const int row23 = form->tableCtrl().rowOf(23);
    QCOMPARE(table->item(row23, 1)->text(), QStringLiteral("23"));  // empty name: the id
    QCOMPARE(table->item(row23, 0)->data(Qt::UserRole).toInt(), 23);
    QCOMPARE(table->item(form->tableCtrl().rowOf(12), 7)->text(), QStringLiteral("Short Circuit"));

    // A changed row is patched in place.
    QCOMPARE(m_sim->command("set 4 broVol 33"), QStringLiteral("ok"));
    QTRY_COMPARE(table->item(form->tableCtrl().rowOf(4), 3)->text(), QStringLiteral("33"));
    QCOMPARE(table->rowCount(), 26);

    // A new terminal rebuilds the table, still in id order.
    QVERIFY(m_sim->command("sql insert into ipamp(terminalId, type, status, name, ip, exten, ver, broVol, power,"
                           " ampTemp, localTemp, speaker, input, masterId) values(100, 'IP', 1, 'New', '10.0.0.1',"
                           " '--', 'V1', 10, 1, 40, 30, 1, 0, 0)")
                .startsWith("ok"));
    QVERIFY(m_sim->command("push ipamp 100").startsWith("ok"));
    QTRY_COMPARE(table->rowCount(), 27);
    QCOMPARE(form->tableCtrl().rowOf(100), 24);
    QCOMPARE(table->item(24, 2)->text(), QStringLiteral("100"));
    QCOMPARE(form->tableCtrl().rowOf(10001), 25);
    QCOMPARE(table->item(25, 2)->text(), QStringLiteral("10001"));
}

void TestPlayerScreen::notificationBeforeTheFirstListIsDropped()
{
    QVERIFY(m_sim->command("fault ignore SqlConfig/TerminalList").startsWith("ok"));
    auto form = makeForm();  // its list request goes unanswered
    QSignalSpy lists(m_list.get(), &OvPlayTermListMgr::gotPlayTermList);
    QSignalSpy changes(m_list.get(), &OvPlayTermListMgr::playTermChanged);
    QVERIFY(m_sim->command("set 4 broVol 21").startsWith("ok"));
    // An answered request after the push: the push has been handled by then.
    QCOMPARE(centreIpAmpPower(m_centre.get(), 99999, true), 1);
    QCoreApplication::processEvents();
    QVERIFY(!m_list->hasList());
    QCOMPARE(form->table()->rowCount(), 0);
    QCOMPARE(lists.count() + changes.count(), 0);

    QVERIFY(m_sim->command("fault clear").startsWith("ok"));
    QCOMPARE(m_list->fetchList(), 0);
    QTRY_COMPARE(form->table()->rowCount(), 26);
    QCOMPARE(form->table()->item(form->tableCtrl().rowOf(4), 3)->text(), QStringLiteral("21"));
}

void TestPlayerScreen::removalBottomUpOfflineOnly()
{
    auto form = makeForm();
    QTRY_COMPARE(form->table()->rowCount(), 26);
    DialogAnswers answers;
    selectIds(*form, {9, 1, 16});
    m_sim->clearReceivedLog();
    QTest::mouseClick(button(*form, "fDelTerBtn"), Qt::LeftButton);
    QCOMPARE(answers.messages, (QStringList{"Delete current record?", "Terminal can not be removed without offline!"}));
    QCOMPARE(form->table()->rowCount(), 24);
    QCOMPARE(form->tableCtrl().rowOf(9), -1);
    QCOMPARE(form->tableCtrl().rowOf(16), -1);
    QVERIFY(form->tableCtrl().rowOf(1) >= 0);
    QCOMPARE(form->tableCtrl().rowOf(10002), 23);
    const QByteArray log = logSinceClear();
    const int at16 = log.indexOf("\"Id\":\"16\"");
    const int at9 = log.indexOf("\"Id\":\"9\"");
    QVERIFY2(at16 >= 0 && at9 > at16, log.constData());
    QCOMPARE(count(log, "RemoveDevice"), 2);
}

void TestPlayerScreen::deletedTerminalLeavesTheTable()
{
    auto form = makeForm();
    QTRY_COMPARE(form->table()->rowCount(), 26);
    // A terminal removed by another console or by the server.
    emit m_list->playTermDeleted(5);
    QCOMPARE(form->table()->rowCount(), 25);
    QCOMPARE(form->tableCtrl().rowOf(5), -1);
    // The rows after it are still found by their ids.
    const int row6 = form->tableCtrl().rowOf(6);
    QCOMPARE(form->table()->item(row6, 2)->text(), QStringLiteral("6"));
    QCOMPARE(form->tableCtrl().idOfRow(row6), 6);
    QCOMPARE(form->table()->item(form->tableCtrl().rowOf(10002), 2)->text(), QStringLiteral("10002"));
    // An id without a row changes nothing.
    emit m_list->playTermDeleted(999);
    QCOMPARE(form->table()->rowCount(), 25);
}

void TestPlayerScreen::refusedRemovalShowsBothMessages()
{
    auto form = makeForm();
    QTRY_COMPARE(form->table()->rowCount(), 26);
    // The server's row no longer matches what the console shows.
    QVERIFY(m_sim->command("sql update ipamp set type = 'PT' where terminalId = 5").startsWith("ok"));
    DialogAnswers answers;
    selectIds(*form, {5});
    QTest::mouseClick(button(*form, "fDelTerBtn"), Qt::LeftButton);
    QTRY_COMPARE(answers.messages.size(), 3);
    // The refusal text may come first: it is queued while the request waits.
    const QString serverText = QStringLiteral("terminal 5 has type PT, not IP");
    QCOMPARE(answers.messages[0], QStringLiteral("Delete current record?"));
    QStringList rest = answers.messages.mid(1);
    rest.sort();
    QCOMPARE(rest, (QStringList{"Delete Error!", serverText}));
    QCOMPARE(QString::fromUtf8(m_list->lastErrorText()), serverText);
    QVERIFY(form->tableCtrl().rowOf(5) >= 0);
}

void TestPlayerScreen::speakerCheckOfASelection()
{
    auto form = makeForm();
    QTRY_VERIFY(form->table()->rowCount() > 0);
    QVERIFY(button(*form, "fSpeakerCheckBtn")->isVisible());
    DialogAnswers answers;
    selectIds(*form, {1, 3, 8});  // idle amplifier, broadcasting amplifier, player terminal
    m_sim->clearReceivedLog();
    QTest::mouseClick(button(*form, "fSpeakerCheckBtn"), Qt::LeftButton);
    QCOMPARE(answers.messages, QStringList{"Can't check speaker when terminal not idle!"});
    const QByteArray log = logSinceClear();
    QCOMPARE(count(log, "IpAmpSpkCheck"), 1);
    QVERIFY(log.contains("\"Id\":\"1\""));
    QTableWidget *table = form->table();
    const int row1 = form->tableCtrl().rowOf(1);
    QCOMPARE(table->item(row1, 7)->text(), QStringLiteral("Checking"));
    QTRY_COMPARE_WITH_TIMEOUT(table->item(row1, 7)->text(), QStringLiteral("Pass"), 10000);
}

void TestPlayerScreen::refusedSpeakerCheckRestoresTheRow()
{
    auto form = makeForm();
    QTRY_COMPARE(form->table()->rowCount(), 26);
    QTableWidget *table = form->table();
    const int row1 = form->tableCtrl().rowOf(1);
    const QString before = table->item(row1, 7)->text();
    QCOMPARE(m_list->findCopy(1)->speaker, int(OvTerminal::Pass));
    // The server has it busy, the console does not know yet: it refuses the check.
    QVERIFY(m_sim->command("sql update ipamp set status = 2 where terminalId = 1").startsWith("ok"));
    DialogAnswers answers;
    selectIds(*form, {1});
    m_sim->clearReceivedLog();
    QTest::mouseClick(button(*form, "fSpeakerCheckBtn"), Qt::LeftButton);
    QCOMPARE(count(logSinceClear(), "IpAmpSpkCheck"), 1);
    QCOMPARE(answers.messages, QStringList{"Setting Error!"});
    QCOMPARE(table->item(row1, 7)->text(), before);
    QCOMPARE(m_list->findCopy(1)->speaker, int(OvTerminal::Pass));
}

void TestPlayerScreen::quickClicksSendOneVolume()
{
    auto form = makeForm();
    QTRY_VERIFY(form->table()->rowCount() > 0);
    selectIds(*form, {2});
    QCOMPARE(form->volumeSlider()->value(), 80);
    m_sim->clearReceivedLog();
    for (int i = 0; i < 5; ++i)
        QTest::mouseClick(button(*form, "fAddVolumnBtn"), Qt::LeftButton);
    QCOMPARE(form->volumeSlider()->value(), 85);
    QVERIFY(form->applyTimer()->isActive());
    QTRY_COMPARE(form->table()->item(form->tableCtrl().rowOf(2), 3)->text(), QStringLiteral("85"));
    const QByteArray log = logSinceClear();
    QCOMPARE(count(log, "IpAmpSet"), 1);
    QVERIFY2(log.contains("\"BroVol\":\"85\",\"Id\":\"2\""), log.constData());
}

void TestPlayerScreen::heldButtonStepsFromTheSecondTick()
{
    OvPlayerInfoForm::VolumeTiming fast;
    fast.repeatMs = 20;
    fast.applyMs = 50;
    auto form = makeForm(fast);
    QTRY_VERIFY(form->table()->rowCount() > 0);
    selectIds(*form, {6});
    const int start = form->volumeSlider()->value();
    QCOMPARE(start, 50);
    QSignalSpy ticks(form->repeatTimer(), &QTimer::timeout);
    m_sim->clearReceivedLog();
    QPushButton *dec = button(*form, "fDecVolumnBtn");
    QTest::mousePress(dec, Qt::LeftButton);
    QTRY_VERIFY(ticks.count() >= 5);
    QTest::mouseRelease(dec, Qt::LeftButton);
    // The first tick is skipped, the release adds one step.
    const int expected = start - ticks.count();
    QCOMPARE(form->volumeSlider()->value(), expected);
    QVERIFY(!form->repeatTimer()->isActive());
    QTRY_COMPARE(form->table()->item(form->tableCtrl().rowOf(6), 3)->text(), QString::number(expected));
    QCOMPARE(count(logSinceClear(), "IpAmpSet"), 1);
}

void TestPlayerScreen::renameByDoubleClick()
{
    auto form = makeForm();
    QTRY_VERIFY(form->table()->rowCount() > 0);
    DialogAnswers answers;
    QByteArray shown;
    answers.answer = [&shown](QDialog &d) {
        auto &dialog = dynamic_cast<BaseSetNameDialog &>(d);
        shown = dialog.name();
        dialog.nameEdit()->setText(QStringLiteral("体育馆"));
        dialog.confirmButton()->click();
        return d.result();
    };
    const int row = form->tableCtrl().rowOf(4);
    form->table()->setCurrentCell(row, 1);
    emit form->table()->cellDoubleClicked(row, 1);
    QCOMPARE(shown, QByteArray("Gym Hall"));
    QCOMPARE(form->table()->item(row, 1)->text(), QStringLiteral("体育馆"));
    QVERIFY(answers.messages.isEmpty());
    QCOMPARE(m_list->findCopy(4)->name, QByteArray("体育馆"));
}

void TestPlayerScreen::deniedWithoutTerminalLevel()
{
    auto form = makeForm();
    QTRY_VERIFY(form->table()->rowCount() > 0);
    QVERIFY(m_sim->command("levels 1:高级设置:1:4,2:终端操作:0:5").startsWith("ok"));
    QTRY_VERIFY(!form->tableCtrl().permitted());
    DialogAnswers answers;
    bool nameAsked = false;
    answers.answer = [&nameAsked](QDialog &) {
        nameAsked = true;
        return int(QDialog::Rejected);
    };
    selectIds(*form, {2});
    m_sim->clearReceivedLog();
    QTest::mouseClick(button(*form, "fSetTerNameBtn"), Qt::LeftButton);
    QTest::mouseClick(button(*form, "fAmpCloseBtn"), Qt::LeftButton);
    const QString refusal = QStringLiteral("Current user does not have permission to edit!");
    QCOMPARE(answers.messages, (QStringList{refusal, refusal}));
    QVERIFY(!nameAsked);
    QVERIFY(m_sim->command("levels 1:高级设置:1:4,2:终端操作:1:5").startsWith("ok"));
    QTRY_VERIFY(form->tableCtrl().permitted());
    const QByteArray log = logSinceClear();
    QCOMPARE(count(log, "IpAmpSet") + count(log, "IpAmpPower"), 0);
}

void TestPlayerScreen::firewallDialogReachesTheServer()
{
    auto form = makeForm();
    QTRY_VERIFY(form->table()->rowCount() > 0);
    QVERIFY(button(*form, "fTcpModeBtn")->isVisible());
    QVERIFY(m_list->findCopy(12)->transport_tcp);
    DialogAnswers answers;
    int rows = 0;
    answers.answer = [&rows](QDialog &d) {
        auto &dialog = dynamic_cast<OvSetTCPForm &>(d);
        rows = dialog.table()->rowCount();
        dialog.findChild<QPushButton *>(QStringLiteral("allNoBtn"))->click();
        dialog.findChild<QPushButton *>(QStringLiteral("confirmBtn"))->click();
        return d.result();
    };
    m_sim->clearReceivedLog();
    QTest::mouseClick(button(*form, "fTcpModeBtn"), Qt::LeftButton);
    QCOMPARE(rows, form->table()->rowCount());
    // Only the two terminals whose flag changed are sent.
    const QByteArray log = logSinceClear();
    QCOMPARE(count(log, "\"TransportTcp\":\"0\""), 2);
    QVERIFY(!m_list->findCopy(12)->transport_tcp);
    QVERIFY(!m_list->findCopy(22)->transport_tcp);
    // The server keeps it: a fresh list carries it back.
    QCOMPARE(m_list->fetchList(), 0);
    QVERIFY(!m_list->findCopy(22)->transport_tcp);
    QVERIFY(answers.messages.isEmpty());
}

void TestPlayerScreen::defaultDialogReachesTheServer()
{
    auto form = makeForm();
    QTRY_VERIFY(form->table()->rowCount() > 0);
    DialogAnswers answers;
    int rows = 0;
    answers.answer = [&rows](QDialog &d) {
        auto &dialog = dynamic_cast<OvTerDefaultSetCtr &>(d);
        QTableWidget *table = dialog.table();
        rows = table->rowCount();
        for (int row = 0; row < rows; ++row) {
            if (table->item(row, 0)->data(Qt::UserRole).toInt() != 6)
                continue;
            table->setCurrentCell(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        dialog.volumeBox()->setValue(33);
        dialog.findChild<QPushButton *>(QStringLiteral("powerOnBtn"))->click();
        dialog.findChild<QPushButton *>(QStringLiteral("confirmBtn"))->click();
        return d.result();
    };
    m_sim->clearReceivedLog();
    QTest::mouseClick(button(*form, "fDefaultSetBtn"), Qt::LeftButton);
    QCOMPARE(rows, 24);  // the extension units 10001 and 10002 are not listed
    const QByteArray log = logSinceClear();
    QVERIFY2(log.contains("{\"DefaultPower\":\"1\",\"DefaultVolumn\":\"33\",\"Id\":\"6\""), log.constData());
    QCOMPARE(count(log, "DefaultVolumn"), 1);
    QCOMPARE(m_list->fetchList(), 0);
    QCOMPARE(m_list->findCopy(6)->defaultVolumn, 33);
    QVERIFY(m_list->findCopy(6)->defaultPower);
}

void TestPlayerScreen::amplifierLimitsReachTheServer()
{
    auto form = makeForm();
    QTRY_VERIFY(form->table()->rowCount() > 0);
    QVERIFY(button(*form, "fAmpSetBtn")->isVisible());
    DialogAnswers answers;
    QList<int> listed;
    answers.answer = [&listed](QDialog &d) {
        auto &dialog = dynamic_cast<OvSetAmpFormCtr &>(d);
        QTableWidget *table = dialog.table();
        for (int row = 0; row < table->rowCount(); ++row)
            listed << table->item(row, 0)->data(Qt::UserRole).toInt();
        table->setCurrentCell(0, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        if (dialog.limitBox(OvSetAmpFormCtr::WarnTempColumn)->value() != 70)
            return int(QDialog::Rejected);  // the row's limits were not loaded
        dialog.limitBox(OvSetAmpFormCtr::WarnTempColumn)->setValue(80);
        dialog.findChild<QPushButton *>(QStringLiteral("confirmBtn"))->click();
        return d.result();
    };
    m_sim->clearReceivedLog();
    QTest::mouseClick(button(*form, "fAmpSetBtn"), Qt::LeftButton);
    QVERIFY(!listed.isEmpty());
    QCOMPARE(listed.first(), 1);
    for (const int id : {8, 11, 10001})  // player terminals and extension units
        QVERIFY(!listed.contains(id));
    QCOMPARE(count(logSinceClear(), "PlayTermConfig"), 1);
    QTRY_COMPARE(m_list->findCopy(1)->warnTempThreshold, 80);
    QCOMPARE(m_list->findCopy(1)->fanTempThreshold, 55);
    QVERIFY(answers.messages.isEmpty());
}

QTEST_MAIN(TestPlayerScreen)
#include "tst_player_screen.moc"
