#include "SimProcess.h"
#include "framework/BaseMessageDialog.h"
#include "framework/BaseSetNameDialog.h"
#include "framework/ModalRunner.h"
#include "framework/OvMessageBox.h"
#include "framework/OvTermTbCtrl.h"
#include "managers/tts/OvTtsListMgr.h"
#include "protocol/OvManageCenter.h"
#include "screens/tts/OvTtsInfoForm.h"
#include "view/ViewRegistry.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <memory>

namespace {

// Confirms every message dialog and records its text; the name dialog gets
// `newName`.
struct Answers
{
    QStringList messages;
    QString newName;
    modal::Hook previous;

    Answers()
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
            if (auto *dialog = qobject_cast<BaseSetNameDialog *>(&d)) {
                dialog->nameEdit()->setText(newName);
                dialog->confirmButton()->click();
                return d.result();
            }
            return int(QDialog::Rejected);
        });
    }
    ~Answers() { modal::setHook(previous); }
};

} // namespace

// The TTS page against the sample installation (601 online, 602 offline).
class TestTtsScreen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void tableShowsTheBoxes();
    void renameOnlyOnAcceptance();
    void removalOfflineOnlyAndRefusal();

private:
    void select(OvTtsInfoForm &form, const QList<int> &ids);

    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<OvManageCenter> m_centre;
    std::unique_ptr<OvTtsListMgr> m_list;
};

void TestTtsScreen::init()
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
    m_list = std::make_unique<OvTtsListMgr>(m_centre.get());
}

void TestTtsScreen::cleanup()
{
    if (m_centre)
        m_centre->stopReceiveThread();
    m_list.reset();
    ViewRegistry::create(nullptr);
    m_centre.reset();
    m_sim.reset();
}

void TestTtsScreen::select(OvTtsInfoForm &form, const QList<int> &ids)
{
    QTableWidget *table = form.table();
    table->clearSelection();
    for (const int id : ids) {
        const int row = form.rowOf(id);
        QVERIFY2(row >= 0, qPrintable(QString::number(id)));
        table->setCurrentCell(row, 0, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void TestTtsScreen::tableShowsTheBoxes()
{
    OvTtsInfoForm form(*m_list);
    QTableWidget *table = form.table();
    QTRY_COMPARE(table->rowCount(), 2);
    const int row601 = form.rowOf(601);
    QCOMPARE(table->item(row601, 1)->text(), QStringLiteral("语音合成一号"));
    QCOMPARE(table->item(row601, 2)->text(), QStringLiteral("Idle"));
    QCOMPARE(table->item(row601, 3)->text(), QStringLiteral("192.168.60.11"));
    QCOMPARE(table->item(form.rowOf(602), 2)->text(), QStringLiteral("Off Line"));
    QVERIFY(m_sim->command("set 601 status 3").startsWith("ok"));
    QTRY_COMPARE(table->item(form.rowOf(601), 2)->text(), QStringLiteral("Working"));
}

void TestTtsScreen::renameOnlyOnAcceptance()
{
    OvTtsInfoForm form(*m_list);
    QTableWidget *table = form.table();
    QTRY_COMPARE(table->rowCount(), 2);
    QVERIFY(m_sim->command("fault refuse TTs83Name").startsWith("ok"));
    {
        Answers answers;
        answers.newName = QStringLiteral("Refused");
        select(form, {602});
        form.slot_editTtsClicked();
        QCOMPARE(answers.messages, QStringList({"Setting Error!"}));
        QCoreApplication::processEvents();
        QCOMPARE(table->item(form.rowOf(602), 1)->text(), QStringLiteral("TTS Box 2"));
        QCOMPARE(m_list->findCopy(602)->name, QByteArray("TTS Box 2"));
    }
    QVERIFY(m_sim->command("fault clear").startsWith("ok"));
    Answers answers;
    answers.newName = QStringLiteral("广播合成");
    select(form, {602});
    form.slot_editTtsClicked();
    QVERIFY(answers.messages.isEmpty());
    QTRY_COMPARE(table->item(form.rowOf(602), 1)->text(), QStringLiteral("广播合成"));
}

void TestTtsScreen::removalOfflineOnlyAndRefusal()
{
    OvTtsInfoForm form(*m_list);
    QTableWidget *table = form.table();
    QTRY_COMPARE(table->rowCount(), 2);
    QVERIFY(m_sim->command("fault refuse RemoveDevice").startsWith("ok"));
    {
        Answers answers;
        select(form, {602});
        form.delTtsClicked();
        QCOMPARE(answers.messages, QStringList({"Delete current record?", "Delete Error!"}));
        QCoreApplication::processEvents();
        QCOMPARE(table->rowCount(), 2);
    }
    QVERIFY(m_sim->command("fault clear").startsWith("ok"));
    Answers answers;
    select(form, {601, 602});
    form.delTtsClicked();
    QCOMPARE(answers.messages,
             QStringList({"Delete current record?", "Terminal can not be removed without offline!"}));
    QTRY_COMPARE(table->rowCount(), 1);
    QCOMPARE(form.rowOf(602), -1);
}

QTEST_MAIN(TestTtsScreen)
#include "tst_tts_screen.moc"
