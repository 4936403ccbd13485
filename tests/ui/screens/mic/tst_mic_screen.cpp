#include "SimProcess.h"
#include "framework/BaseMessageDialog.h"
#include "framework/ModalRunner.h"
#include "framework/OvMessageBox.h"
#include "framework/OvTermTbCtrl.h"
#include "managers/mic/OvMicListMgr.h"
#include "protocol/OvManageCenter.h"
#include "screens/mic/OvMicInfoForm.h"
#include "view/ViewRegistry.h"

#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <memory>

namespace {

// Confirms every message dialog and records its text.
struct MessageAnswers
{
    QStringList messages;
    modal::Hook previous;

    MessageAnswers()
    {
        previous = modal::setHook([this](QDialog &d) {
            if (auto *box = qobject_cast<BaseMessageDialog *>(&d))
                messages << box->text();
            if (auto *box = qobject_cast<OvMessageBox *>(&d))
                messages << box->text();
            return int(QDialog::Accepted);
        });
    }
    ~MessageAnswers() { modal::setHook(previous); }
};

} // namespace

// The microphone page against the simulator's sample installation (six
// microphones, 101-106), through the real centre and list manager.
class TestMicScreen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void tableShowsTheMicrophones();
    void changeAndDeletionReachThePage();
    void removalOfflineOnlyAndRefusal();
    void selectingFetchesTheDetails();
    void deniedWithoutTerminalLevel();

private:
    std::unique_ptr<OvMicInfoForm> makeForm();
    void selectIds(OvMicInfoForm &form, const QList<int> &ids);

    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<OvManageCenter> m_centre;
    std::unique_ptr<OvMicListMgr> m_list;
};

void TestMicScreen::init()
{
    m_sim = std::make_unique<SimProcess>();
    QVERIFY2(m_sim->isRunning(), qPrintable(m_sim->errorString()));
    m_centre = std::make_unique<OvManageCenter>();
    ViewRegistry::create(m_centre.get());
    m_centre->setServerAddress(QStringLiteral("127.0.0.1"), m_sim->dbpPort());
    m_centre->setCredentials("admin", "admin");
    m_centre->startReceiveThread();
    QTRY_VERIFY_WITH_TIMEOUT(m_centre->state() == ConnectionState::LoggedIn, 15000);
    OvTermTbCtrl probe;
    QTRY_VERIFY_WITH_TIMEOUT(probe.permitted(), 10000);
    m_list = std::make_unique<OvMicListMgr>(m_centre.get());
    m_sim->clearReceivedLog();
}

void TestMicScreen::cleanup()
{
    if (m_centre)
        m_centre->stopReceiveThread();
    m_list.reset();
    ViewRegistry::create(nullptr);
    m_centre.reset();
    m_sim.reset();
}

std::unique_ptr<OvMicInfoForm> TestMicScreen::makeForm()
{
    auto form = std::make_unique<OvMicInfoForm>(*m_list);
    form->resize(1200, 700);
    form->show();
    return form;
}

void TestMicScreen::selectIds(OvMicInfoForm &form, const QList<int> &ids)
{
    QTableWidget *table = form.table();
    table->clearSelection();
    for (const int id : ids) {
        const int row = form.rowOf(id);
        QVERIFY2(row >= 0, qPrintable(QString::number(id)));
        table->setCurrentCell(row, 0, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void TestMicScreen::tableShowsTheMicrophones()
{
    auto form = makeForm();
    QTableWidget *table = form->table();
    QTRY_COMPARE(table->rowCount(), 6);
    const struct { int id; const char *name; const char *status; const char *ip; } rows[] = {
        {101, "校长室话筒", "Idle", "192.168.20.11"},
        {102, "广播室主控", "Mic to Broadcast", "192.168.20.12"},
        {103, "Teacher Office", "Idle", "192.168.20.13"},
        {104, "值班室", "Off Line", "192.168.20.14"},
        {105, "Security Desk", "Talkbacking", "192.168.20.15"},
        {106, "教务处", "Idle", "192.168.20.16"},
    };
    for (int row = 0; row < 6; ++row) {
        const auto &r = rows[row];
        QCOMPARE(table->item(row, 0)->text(), QString::fromUtf8(r.name));
        QCOMPARE(table->item(row, 0)->data(Qt::UserRole).toInt(), r.id);
        QCOMPARE(table->item(row, 1)->text(), QString::number(r.id));
        QCOMPARE(table->item(row, 2)->text(), QString::fromLatin1(r.status));
        QCOMPARE(table->item(row, 3)->text(), QString::fromLatin1(r.ip));
    }
    // A status outside the family's range reads as off line.
    QCOMPARE(m_sim->command("set 103 status 9"), QStringLiteral("ok"));
    QTRY_COMPARE(table->item(form->rowOf(103), 2)->text(), QStringLiteral("Off Line"));
}

void TestMicScreen::changeAndDeletionReachThePage()
{
    auto form = makeForm();
    QTableWidget *table = form->table();
    QTRY_COMPARE(table->rowCount(), 6);
    QCOMPARE(m_sim->command("set 106 name Library"), QStringLiteral("ok"));
    QTRY_COMPARE(table->item(form->rowOf(106), 0)->text(), QStringLiteral("Library"));
    QCOMPARE(table->rowCount(), 6);

    // A microphone the page has not seen comes in as the top row.
    QVERIFY(m_sim->command("sql insert into mic35(terminalId, type, status, name, ip) values(107, 'Mic35', 1,"
                           " 'Hall', '10.0.0.7')")
                .startsWith("ok"));
    QVERIFY(m_sim->command("push mic35 107").startsWith("ok"));
    QTRY_COMPARE(table->rowCount(), 7);
    QCOMPARE(form->rowOf(107), 0);
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("Idle"));
}

void TestMicScreen::removalOfflineOnlyAndRefusal()
{
    auto form = makeForm();
    QTableWidget *table = form->table();
    QTRY_COMPARE(table->rowCount(), 6);
    QVERIFY(m_sim->command("set 106 status 0").startsWith("ok"));
    QTRY_COMPARE(table->item(form->rowOf(106), 2)->text(), QStringLiteral("Off Line"));

    // The server refuses: the rows stay and the refusal is told.
    QVERIFY(m_sim->command("fault refuse RemoveDevice").startsWith("ok"));
    {
        MessageAnswers answers;
        selectIds(*form, {104});
        form->slot_delMicClicked();
        QCOMPARE(answers.messages,
                 QStringList({"Delete current record?", "Delete Error!"}));
        QCOMPARE(table->rowCount(), 6);
    }
    // Without the server's DELETE message the page drops the rows on its
    // own confirmed result.
    QVERIFY(m_sim->command("fault clear").startsWith("ok"));
    QVERIFY(m_sim->command("fault no-delete-push").contains("no-delete-push=1"));

    // Two offline microphones go, the online one stays with one message.
    MessageAnswers answers;
    selectIds(*form, {101, 104, 106});
    form->slot_delMicClicked();
    QCOMPARE(answers.messages,
             QStringList({"Delete current record?", "Terminal can not be removed without offline!"}));
    QCOMPARE(table->rowCount(), 4);
    QCOMPARE(form->rowOf(104), -1);
    QCOMPARE(form->rowOf(106), -1);
    QVERIFY(form->rowOf(101) >= 0);
    // The server has them no more: a fresh list holds four.
    QSignalSpy lists(m_list.get(), &OvMicListMgr::gotMicList);
    QCOMPARE(m_list->fetchList(), 0);
    QTRY_VERIFY(!lists.isEmpty());
    QCOMPARE(table->rowCount(), 4);
}

void TestMicScreen::selectingFetchesTheDetails()
{
    auto form = makeForm();
    QTRY_COMPARE(form->table()->rowCount(), 6);
    m_sim->clearReceivedLog();
    QSignalSpy changed(m_list.get(), &OvMicListMgr::micChanged);
    selectIds(*form, {103});
    QTRY_VERIFY(!changed.isEmpty());
    QCOMPARE(changed.first().first().toInt(), 103);
    QVERIFY(m_list->findCopy(103)->detailsLoaded);
    QCOMPARE(m_list->findCopy(103)->ver, QByteArray("V2.1.4"));
}

void TestMicScreen::deniedWithoutTerminalLevel()
{
    auto form = makeForm();
    QTRY_COMPARE(form->table()->rowCount(), 6);
    QVERIFY(m_sim->command("levels 1:高级设置:1:4,2:终端操作:0:5").startsWith("ok"));
    OvTermTbCtrl probe;
    QTRY_VERIFY(!probe.permitted());
    MessageAnswers answers;
    selectIds(*form, {104});
    m_sim->clearReceivedLog();
    form->slot_delMicClicked();
    QCOMPARE(form->table()->rowCount(), 6);
    QVERIFY(!m_sim->receivedLog().contains("RemoveDevice"));
    QCOMPARE(answers.messages, QStringList({"Current user does not have permission to edit!"}));
}

QTEST_MAIN(TestMicScreen)
#include "tst_mic_screen.moc"
