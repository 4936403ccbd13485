#include "SimProcess.h"
#include "framework/BaseMessageDialog.h"
#include "framework/MemberPickTable.h"
#include "framework/ModalRunner.h"
#include "framework/OvMessageBox.h"
#include "framework/OvTermTbCtrl.h"
#include "managers/callstations/OvM26ListMgr.h"
#include "managers/callstations/OvM48ListMgr.h"
#include "managers/groups/OvMicGroupListMgr.h"
#include "managers/mic/OvMicListMgr.h"
#include "managers/regions/OvRegionListMgr.h"
#include "managers/regions/OvRegionManage.h"
#include "managers/terminals/OvPlayTermListMgr.h"
#include "protocol/OvManageCenter.h"
#include "screens/groups/OvMicGroupEditDialog.h"
#include "screens/groups/OvMicGroupInfoForm.h"
#include "screens/regions/OvRegionEditDialog.h"
#include "screens/regions/OvRegionMgrForm.h"
#include "view/ViewRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Records and confirms every message; hands edit dialogs to the test.
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
            return answer ? answer(d) : int(QDialog::Rejected);
        });
    }
    ~DialogAnswers() { modal::setHook(previous); }
};

QStringList column(const QTableWidget *table, int col)
{
    QStringList out;
    for (int row = 0; row < table->rowCount(); ++row)
        out << table->item(row, col)->text();
    return out;
}

int rowOfId(const QTableWidget *table, int id)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 1)->text().toInt() == id)
            return row;
    }
    return -1;
}

void setChecked(MemberPickTable &picker, int id, bool on)
{
    QTableWidget *table = picker.table();
    const int row = rowOfId(table, id);
    QVERIFY2(row >= 0, qPrintable(QString::number(id)));
    table->item(row, 0)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

std::vector<OvBaseTerminal> terminals(std::initializer_list<int> ids)
{
    std::vector<OvBaseTerminal> out;
    for (const int id : ids) {
        OvBaseTerminal t;
        t.id = id;
        t.name = "T" + QByteArray::number(id);
        out.push_back(t);
    }
    return out;
}

} // namespace

// The group and region pages and their edit dialogs against the simulator's
// sample installation, through the real centre and list managers, offscreen.
// Every test starts its own simulator.
class TestGroupScreens : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void regionDialogSelectAllAndEmptyName();
    void groupDialogKeepsAnUnknownRule();
    void regionPageListsAndShowsMembers();
    void regionEditSavesTheSelection();
    void regionEditKeepsMembersNotListed();
    void regionRefusalKeepsTheTableAndSaysWhy();
    void regionDeleteOfSelectedRows();
    void serverDeleteRemovesTheRow();
    void groupPageShowsRulesAndTimes();
    void groupRenameKeepsTheRingOrder();
    void groupNewAndItsRefusal();
    void deniedWithoutTerminalLevel();

private:
    RegionTerminals regionTerminals(bool withM48 = true) const;
    std::vector<OvBaseTerminal> mics() const;
    void selectRows(QTableWidget *table, const QList<int> &ids);

    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<OvManageCenter> m_centre;
    std::unique_ptr<OvPlayTermListMgr> m_players;
    std::unique_ptr<OvM26ListMgr> m_m26;
    std::unique_ptr<OvM48ListMgr> m_m48;
    std::unique_ptr<OvMicListMgr> m_mics;
    std::unique_ptr<OvRegionListMgr> m_regions;
    std::unique_ptr<OvMicGroupListMgr> m_groups;
};

void TestGroupScreens::init()
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
    m_players = std::make_unique<OvPlayTermListMgr>(m_centre.get());
    QCOMPARE(m_players->fetchList(), 0);
    m_m26 = std::make_unique<OvM26ListMgr>(m_centre.get());
    m_m48 = std::make_unique<OvM48ListMgr>(m_centre.get());
    m_mics = std::make_unique<OvMicListMgr>(m_centre.get());
    QCOMPARE(m_mics->fetchList(), 0);
    m_regions = std::make_unique<OvRegionListMgr>(m_centre.get());
    m_groups = std::make_unique<OvMicGroupListMgr>(m_centre.get());
}

void TestGroupScreens::cleanup()
{
    if (m_centre)
        m_centre->stopReceiveThread();
    m_groups.reset();
    m_regions.reset();
    m_mics.reset();
    m_m48.reset();
    m_m26.reset();
    m_players.reset();
    ViewRegistry::create(nullptr);
    m_centre.reset();
    m_sim.reset();
}

RegionTerminals TestGroupScreens::regionTerminals(bool withM48) const
{
    RegionTerminals t;
    for (const OvTerminal &p : m_players->snapshot().value_or(std::vector<OvTerminal>()))
        t.players.push_back(p);
    {
        const auto locked = m_m26->lockList();
        if (locked.exists())
            t.m26.assign(locked.records().begin(), locked.records().end());
    }
    if (withM48) {
        const auto locked = m_m48->lockList();
        if (locked.exists())
            t.m48.assign(locked.records().begin(), locked.records().end());
    }
    return t;
}

std::vector<OvBaseTerminal> TestGroupScreens::mics() const
{
    const auto locked = m_mics->lockList();
    return std::vector<OvBaseTerminal>(locked.records().begin(), locked.records().end());
}

void TestGroupScreens::selectRows(QTableWidget *table, const QList<int> &ids)
{
    table->clearSelection();
    for (const int id : ids) {
        const int row = rowOfId(table, id);
        QVERIFY2(row >= 0, qPrintable(QString::number(id)));
        table->setCurrentCell(row, 0, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void TestGroupScreens::regionDialogSelectAllAndEmptyName()
{
    DialogAnswers answers;
    RegionTerminals t;
    t.players = terminals({1, 2, 3});
    t.m26 = terminals({201});
    t.m48 = terminals({301});
    OvRegion region;
    region.id = 5;
    region.name = "Old";
    region.setMemberIds({2});
    OvRegionEditDialog dialog(region, false, t, nullptr);
    QCOMPARE(dialog.nameEdit()->text(), QStringLiteral("Old"));
    QCOMPARE(dialog.nameEdit()->maxLength(), 32);
    QCOMPARE(column(dialog.picker().table(), 1), QStringList({"1", "2", "3", "201", "301"}));
    QCOMPARE(dialog.picker().checkedIds(), std::vector<int>({2}));

    dialog.nameEdit()->clear();
    dialog.slot_ok_clicked();
    QCOMPARE(answers.messages, QStringList({"The name cannot be empty!"}));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    dialog.nameEdit()->setText(QStringLiteral("全部"));
    dialog.selectAllBox()->setChecked(true);
    QCOMPARE(dialog.picker().checkedIds(), std::vector<int>({1, 2, 3, 201, 301}));
    dialog.slot_ok_clicked();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.region().name, QByteArray("全部"));
    // The old member first, the new ones in table order, with their names.
    QCOMPARE(dialog.region().memberIds(), std::vector<int>({2, 1, 3, 201, 301}));
    QCOMPARE(dialog.region().members.at(4).name, QByteArray("T301"));
}

void TestGroupScreens::groupDialogKeepsAnUnknownRule()
{
    DialogAnswers answers;
    MicGroup g;
    g.id = 3;
    g.name = "G";
    g.ringRule = 9;
    g.ringTime = 45;
    g.members = {104, 102};
    OvMicGroupEditDialog dialog(g, false, terminals({101, 102, 103}), nullptr);
    QCOMPARE(dialog.ruleBox()->count(), 5);
    QCOMPARE(dialog.ruleBox()->itemText(4), QStringLiteral("Fixed Order"));
    QCOMPARE(dialog.ringTimeBox()->value(), 45);
    dialog.slot_ok_clicked();
    QCOMPARE(dialog.group().ringRule, 9);
    // 104 is no listed microphone: it stays, in front of 102.
    QCOMPARE(dialog.group().members, std::vector<int>({104, 102}));
    dialog.ruleBox()->setCurrentIndex(2);
    dialog.slot_ok_clicked();
    QCOMPARE(dialog.group().ringRule, 3);

    OvMicGroupEditDialog fresh(MicGroup(), true, terminals({101}), nullptr);
    QCOMPARE(fresh.windowTitle(), QStringLiteral("Mic Group New"));
    QCOMPARE(fresh.ringTimeBox()->value(), 60);
    QCOMPARE(fresh.ruleBox()->currentIndex(), 0);
}

void TestGroupScreens::regionPageListsAndShowsMembers()
{
    OvRegionMgrForm form(*m_regions, [this] { return regionTerminals(); });
    form.resize(1200, 700);
    form.show();
    // Each region went in on top: the cache shows reversed.
    QCOMPARE(column(form.regionTable(), 1), QStringList({"4", "3", "2", "1"}));
    QCOMPARE(form.regionTable()->item(1, 0)->data(Qt::UserRole).toInt(), 3);
    // Region 3 holds 13 14 301 201: the M48 members, then the M26, then the
    // players, each in member order.
    form.widget_item_clicked(form.regionTable()->item(1, 0));
    QCOMPARE(column(form.memberTable(), 0),
             QStringList({QStringLiteral("大厅LED对讲"), QStringLiteral("一号楼求助点"), QStringLiteral("宿舍A栋"),
                          QStringLiteral("Dormitory B")}));
    form.widget_item_clicked(form.regionTable()->item(0, 0));
    QCOMPARE(form.memberTable()->rowCount(), 0);
}

void TestGroupScreens::regionEditSavesTheSelection()
{
    DialogAnswers answers;
    OvRegionMgrForm form(*m_regions, [this] { return regionTerminals(); });
    form.show();
    const int row = rowOfId(form.regionTable(), 1);
    form.regionTable()->setCurrentCell(row, 0);
    form.widget_item_clicked(form.regionTable()->item(row, 0));
    answers.answer = [](QDialog &d) {
        auto &dialog = dynamic_cast<OvRegionEditDialog &>(d);
        dialog.nameEdit()->setText(QStringLiteral("Teaching Block"));
        setChecked(dialog.picker(), 2, false);
        setChecked(dialog.picker(), 204, true);
        dialog.slot_ok_clicked();
        return dialog.result();
    };
    form.slot_edit_clicked();
    QVERIFY(answers.messages.isEmpty());
    QTRY_COMPARE(form.regionTable()->item(row, 0)->text(), QStringLiteral("Teaching Block"));
    // The member table of the current row follows.
    QCOMPARE(column(form.memberTable(), 0).value(0), QStringLiteral("Playground Call"));
    QCOMPARE(m_regions->fetchList(), 0);
    OvRegion stored;
    QVERIFY(m_regions->findRegion(1, stored));
    QCOMPARE(stored.memberIds(), std::vector<int>({1, 3, 10001, 204}));
}

void TestGroupScreens::regionEditKeepsMembersNotListed()
{
    DialogAnswers answers;
    // The M48 list could not be had: region 3's member 301 is not shown, and
    // a rename must not take it out of the region.
    OvRegionMgrForm form(*m_regions, [this] { return regionTerminals(false); });
    form.regionTable()->setCurrentCell(rowOfId(form.regionTable(), 3), 0);
    answers.answer = [](QDialog &d) {
        auto &dialog = dynamic_cast<OvRegionEditDialog &>(d);
        dialog.nameEdit()->setText(QStringLiteral("Dorms"));
        dialog.slot_ok_clicked();
        return dialog.result();
    };
    form.slot_edit_clicked();
    QVERIFY(answers.messages.isEmpty());
    QCOMPARE(m_regions->fetchList(), 0);
    OvRegion stored;
    QVERIFY(m_regions->findRegion(3, stored));
    QCOMPARE(stored.name, QByteArray("Dorms"));
    QCOMPARE(stored.memberIds(), std::vector<int>({13, 14, 301, 201}));
}

void TestGroupScreens::regionRefusalKeepsTheTableAndSaysWhy()
{
    DialogAnswers answers;
    QVERIFY(m_sim->command("fault refuse BroadRegion").startsWith("ok"));
    OvRegionMgrForm form(*m_regions, [this] { return regionTerminals(); });
    answers.answer = [](QDialog &d) {
        auto &dialog = dynamic_cast<OvRegionEditDialog &>(d);
        dialog.nameEdit()->setText(QStringLiteral("Refused"));
        dialog.slot_ok_clicked();
        return dialog.result();
    };
    form.slot_add_clicked();
    QCOMPARE(answers.messages, QStringList({"Setting Error!", "Add Error!"}));
    form.regionTable()->setCurrentCell(rowOfId(form.regionTable(), 2), 0);
    form.slot_edit_clicked();
    selectRows(form.regionTable(), {4});
    form.slot_delete_clicked();
    QCOMPARE(answers.messages, QStringList({"Setting Error!", "Add Error!", "Setting Error!", "Edit Error!",
                                            "Delete current record?", "Setting Error!", "Delete Error!"}));
    QCoreApplication::processEvents();
    QCOMPARE(column(form.regionTable(), 1), QStringList({"4", "3", "2", "1"}));
    QCOMPARE(form.regionTable()->item(rowOfId(form.regionTable(), 2), 0)->text(), QStringLiteral("Sports Area"));
    QCOMPARE(int(m_regions->regionList().size()), 4);
}

void TestGroupScreens::regionDeleteOfSelectedRows()
{
    DialogAnswers answers;
    OvRegionMgrForm form(*m_regions, [this] { return regionTerminals(); });
    selectRows(form.regionTable(), {1, 3, 4});
    form.slot_delete_clicked();
    QCOMPARE(answers.messages, QStringList({"Delete current record?"}));
    QTRY_COMPARE(column(form.regionTable(), 1), QStringList({"2"}));
    QCOMPARE(m_regions->fetchList(), 0);
    QCOMPARE(int(m_regions->regionList().size()), 1);
}

void TestGroupScreens::serverDeleteRemovesTheRow()
{
    OvRegionMgrForm form(*m_regions, [this] { return regionTerminals(); });
    form.regionTable()->setCurrentCell(rowOfId(form.regionTable(), 3), 0);
    form.widget_item_clicked(form.regionTable()->item(rowOfId(form.regionTable(), 3), 0));
    QCOMPARE(form.memberTable()->rowCount(), 4);
    // What the dispatcher does with the server's "DELETE", "Packet-Type:Region", "Id: 3".
    m_centre->manager(OvManageCenter::RegionSlot)->onDelete("Region", 3);
    QTRY_COMPARE(column(form.regionTable(), 1), QStringList({"4", "2", "1"}));
    QCOMPARE(form.memberTable()->rowCount(), 0);
}

void TestGroupScreens::groupPageShowsRulesAndTimes()
{
    OvMicGroupInfoForm form(*m_groups, [this] { return mics(); });
    QCOMPARE(column(form.groupTable(), 1), QStringList({"3", "2", "1"}));
    QCOMPARE(column(form.groupTable(), 2), QStringList({"Answer Least First", "Fixed Order", "All Ring"}));
    QCOMPARE(column(form.groupTable(), 3), QStringList({"30 s", "45 s", "60 s"}));
    form.widget_item_clicked(form.groupTable()->item(1, 0));
    QCOMPARE(column(form.memberTable(), 0),
             QStringList({QStringLiteral("Security Desk"), QStringLiteral("Teacher Office"),
                          QStringLiteral("校长室话筒")}));
}

void TestGroupScreens::groupRenameKeepsTheRingOrder()
{
    DialogAnswers answers;
    OvMicGroupInfoForm form(*m_groups, [this] { return mics(); });
    form.groupTable()->setCurrentCell(rowOfId(form.groupTable(), 2), 0);
    std::vector<int> shownChecked;
    answers.answer = [&shownChecked](QDialog &d) {
        auto &dialog = dynamic_cast<OvMicGroupEditDialog &>(d);
        shownChecked = dialog.picker().checkedIds();
        dialog.nameEdit()->setText(QStringLiteral("Guards"));
        dialog.slot_ok_clicked();
        return dialog.result();
    };
    form.slot_edit_clicked();
    QVERIFY(answers.messages.isEmpty());
    // The members are checked, shown in the table's (descending id) order.
    QCOMPARE(shownChecked, std::vector<int>({105, 103, 101}));
    QTRY_COMPARE(form.groupTable()->item(rowOfId(form.groupTable(), 2), 0)->text(), QStringLiteral("Guards"));
    QCOMPARE(m_groups->fetchList(), 0);
    MicGroup stored;
    QVERIFY(m_groups->findGroup(2, stored));
    QCOMPARE(stored.members, std::vector<int>({105, 103, 101}));
    QCOMPARE(stored.ringRule, int(MicGroup::FixedOrder));
}

void TestGroupScreens::groupNewAndItsRefusal()
{
    DialogAnswers answers;
    OvMicGroupInfoForm form(*m_groups, [this] { return mics(); });
    answers.answer = [](QDialog &d) {
        auto &dialog = dynamic_cast<OvMicGroupEditDialog &>(d);
        dialog.nameEdit()->setText(QStringLiteral("Late Shift"));
        dialog.ruleBox()->setCurrentIndex(3);
        dialog.ringTimeBox()->setValue(25);
        setChecked(dialog.picker(), 106, true);
        setChecked(dialog.picker(), 102, true);
        dialog.slot_ok_clicked();
        return dialog.result();
    };
    form.slot_add_clicked();
    QVERIFY(answers.messages.isEmpty());
    QTRY_COMPARE(form.groupTable()->rowCount(), 4);
    const int id = form.groupTable()->item(0, 1)->text().toInt();
    QVERIFY2(id >= 4 && id <= 13, qPrintable(QString::number(id)));
    QCOMPARE(form.groupTable()->item(0, 2)->text(), QStringLiteral("Talk Least First"));
    QCOMPARE(m_groups->fetchList(), 0);
    MicGroup stored;
    QVERIFY(m_groups->findGroup(id, stored));
    QCOMPARE(stored.members, std::vector<int>({106, 102}));  // table order: the microphones by descending id
    QCOMPARE(stored.ringTime, 25);

    QVERIFY(m_sim->command("fault refuse CallService").startsWith("ok"));
    form.slot_add_clicked();
    QCOMPARE(answers.messages, QStringList({"Setting Error!", "Add Error!"}));
    QCoreApplication::processEvents();
    QCOMPARE(form.groupTable()->rowCount(), 4);
}

void TestGroupScreens::deniedWithoutTerminalLevel()
{
    QVERIFY(m_sim->command("levels 1:高级设置:1:4,2:终端操作:0:5").startsWith("ok"));
    OvTermTbCtrl probe;
    QTRY_VERIFY(!probe.permitted());
    DialogAnswers answers;
    bool dialogOpened = false;
    answers.answer = [&dialogOpened](QDialog &) {
        dialogOpened = true;
        return int(QDialog::Rejected);
    };
    m_sim->clearReceivedLog();
    OvRegionMgrForm regions(*m_regions, [this] { return regionTerminals(); });
    OvMicGroupInfoForm groups(*m_groups, [this] { return mics(); });
    regions.slot_add_clicked();
    selectRows(groups.groupTable(), {2});
    groups.slot_edit_clicked();
    groups.slot_delete_clicked();
    const QString denied = QStringLiteral("Current user does not have permission to edit!");
    QCOMPARE(answers.messages, QStringList({denied, denied, denied}));
    QVERIFY(!dialogOpened);
    const QByteArray log = m_sim->receivedLog();
    QVERIFY(!log.contains("BroadRegion") && !log.contains("CallService"));
    QCOMPARE(int(m_groups->groupList().size()), 3);
}

QTEST_MAIN(TestGroupScreens)
#include "tst_group_screens.moc"
