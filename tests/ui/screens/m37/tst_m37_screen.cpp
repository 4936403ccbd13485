#include "SimProcess.h"
#include "framework/BaseMessageDialog.h"
#include "framework/ModalRunner.h"
#include "framework/OvMessageBox.h"
#include "framework/OvTermTbCtrl.h"
#include "managers/m37/OvM37ListMgr.h"
#include "protocol/OvManageCenter.h"
#include "screens/m37/OvM37InfoForm.h"
#include "view/ViewRegistry.h"

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

// The mobile-device page against the sample installation (401 online, 402
// offline, 403 online).
class TestM37Screen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void tableShowsTheDevices();
    void removalOfflineOnlyAndRefusal();

private:
    void selectIds(OvM37InfoForm &form, const QList<int> &ids);

    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<OvManageCenter> m_centre;
    std::unique_ptr<OvM37ListMgr> m_list;
};

void TestM37Screen::init()
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
    m_list = std::make_unique<OvM37ListMgr>(m_centre.get());
}

void TestM37Screen::cleanup()
{
    if (m_centre)
        m_centre->stopReceiveThread();
    m_list.reset();
    ViewRegistry::create(nullptr);
    m_centre.reset();
    m_sim.reset();
}

void TestM37Screen::selectIds(OvM37InfoForm &form, const QList<int> &ids)
{
    QTableWidget *table = form.table();
    table->clearSelection();
    for (const int id : ids) {
        const int row = form.rowOf(id);
        QVERIFY2(row >= 0, qPrintable(QString::number(id)));
        table->setCurrentCell(row, 1, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void TestM37Screen::tableShowsTheDevices()
{
    OvM37InfoForm form(*m_list);
    QTableWidget *table = form.table();
    QTRY_COMPARE(table->rowCount(), 3);
    QVERIFY(table->isColumnHidden(0));
    const struct { int id; const char *status; const char *ip; } rows[] = {
        {401, "空闲", "192.168.40.11"}, {402, "断线", "192.168.40.12"}, {403, "空闲", "192.168.40.13"}};
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(table->item(row, 0)->data(Qt::UserRole).toInt(), rows[row].id);
        QCOMPARE(table->item(row, 1)->text(), QString::number(rows[row].id));
        QCOMPARE(table->item(row, 2)->text(), QString::fromUtf8(rows[row].status));
        QCOMPARE(table->item(row, 3)->text(), QString::fromLatin1(rows[row].ip));
    }
    // Any status but 0 reads as idle.
    QVERIFY(m_sim->command("set 402 status 3").startsWith("ok"));
    QTRY_COMPARE(table->item(form.rowOf(402), 2)->text(), QStringLiteral("空闲"));
    // A device not yet shown comes in as the top row.
    QVERIFY(m_sim->command("sql insert into m37(terminalId, type, status, name, ip, ver) values(404, 'M37', 0,"
                           " 'Spare', '10.0.0.4', 'V1')")
                .startsWith("ok"));
    QVERIFY(m_sim->command("push m37 404").startsWith("ok"));
    QTRY_COMPARE(table->rowCount(), 4);
    QCOMPARE(form.rowOf(404), 0);
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("断线"));
}

void TestM37Screen::removalOfflineOnlyAndRefusal()
{
    OvM37InfoForm form(*m_list);
    QTableWidget *table = form.table();
    QTRY_COMPARE(table->rowCount(), 3);
    QVERIFY(m_sim->command("fault refuse RemoveDevice").startsWith("ok"));
    {
        MessageAnswers answers;
        selectIds(form, {402});
        form.slot_delMicClicked();
        QCOMPARE(answers.messages, QStringList({"Delete current record?", "Delete Error!"}));
        QCOMPARE(table->rowCount(), 3);
    }
    QVERIFY(m_sim->command("fault clear").startsWith("ok"));
    QVERIFY(m_sim->command("fault no-delete-push").contains("no-delete-push=1"));
    MessageAnswers answers;
    selectIds(form, {401, 402});
    form.slot_delMicClicked();
    QCOMPARE(answers.messages,
             QStringList({"Delete current record?", "Terminal can not be removed without offline!"}));
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(form.rowOf(402), -1);
    QVERIFY(form.rowOf(401) >= 0);
}

QTEST_MAIN(TestM37Screen)
#include "tst_m37_screen.moc"
