#include "screens/groups/OvMicGroupInfoForm.h"

#include "framework/BaseMessageDialog.h"
#include "framework/ModalRunner.h"
#include "framework/TableHelpers.h"
#include "managers/groups/OvMicGroupListMgr.h"
#include "protocol/RequestResult.h"
#include "screens/groups/OvMicGroupEditDialog.h"
#include "screens/groups/RingRules.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <unordered_map>

OvMicGroupInfoForm::OvMicGroupInfoForm(OvMicGroupListMgr &list, GroupMicSource mics, QWidget *parent)
    : QWidget(parent), m_list(list), m_mics(std::move(mics))
{
    setObjectName(QStringLiteral("OvMicGroupInfoForm"));
    auto *title = new QLabel(tr("Servet Group List"), this);
    title->setObjectName(QStringLiteral("screenTitle"));
    auto *add = new QPushButton(tr("New"), this);
    add->setObjectName(QStringLiteral("addBtn"));
    auto *edit = new QPushButton(tr("Edit"), this);
    edit->setObjectName(QStringLiteral("editBtn"));
    auto *remove = new QPushButton(tr("Delete"), this);
    remove->setObjectName(QStringLiteral("deleteBtn"));

    m_groups = new QTableWidget(this);
    m_groups->setObjectName(QStringLiteral("groupTable"));
    tablehelp::setupTable(m_groups);
    m_groups->setColumnCount(ColumnCount);
    m_groups->setHorizontalHeaderLabels({tr("Name"), tr("ID"), tr("Rule"), tr("Ring Time")});
    m_groups->setColumnWidth(NameColumn, 240);
    m_groups->setColumnWidth(RuleColumn, 160);
    m_members = new QTableWidget(this);
    m_members->setObjectName(QStringLiteral("memberTable"));
    tablehelp::setupTable(m_members);
    m_members->setColumnCount(1);
    m_members->setHorizontalHeaderLabels({tr("Server Mic")});
    m_ctrl = std::make_unique<OvTerBaseCtr>(m_groups);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(edit);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    auto *tables = new QHBoxLayout;
    tables->addWidget(m_groups, 3);
    tables->addWidget(m_members, 2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(title);
    layout->addLayout(buttons);
    layout->addLayout(tables, 1);

    connect(&m_list, &OvMicGroupListMgr::gotGroupList, this, &OvMicGroupInfoForm::slot_showMicGroupList);
    connect(&m_list, &OvMicGroupListMgr::groupChanged, this, &OvMicGroupInfoForm::slot_updateMicGroupRow);
    connect(&m_list, &OvMicGroupListMgr::groupDeleted, this, &OvMicGroupInfoForm::slot_delMicGroupRow);
    connect(add, &QPushButton::clicked, this, &OvMicGroupInfoForm::slot_add_clicked);
    connect(edit, &QPushButton::clicked, this, &OvMicGroupInfoForm::slot_edit_clicked);
    connect(remove, &QPushButton::clicked, this, &OvMicGroupInfoForm::slot_delete_clicked);
    connect(m_groups, &QTableWidget::itemDoubleClicked, this, &OvMicGroupInfoForm::slot_edit_clicked);
    connect(m_groups, &QTableWidget::itemClicked, this, &OvMicGroupInfoForm::widget_item_clicked);
    slot_showMicGroupList();
}

OvMicGroupInfoForm::~OvMicGroupInfoForm() = default;

void OvMicGroupInfoForm::writeRow(int row, const MicGroup &group)
{
    tablehelp::setCell(m_groups, QString::fromUtf8(group.name), row, NameColumn, group.id);
    tablehelp::setCell(m_groups, QString::number(group.id), row, IdColumn, group.id);
    tablehelp::setCell(m_groups, ringrules::name(group.ringRule), row, RuleColumn, group.id);
    tablehelp::setCell(m_groups, QStringLiteral("%1 s").arg(group.ringTime), row, RingTimeColumn, group.id);
}

void OvMicGroupInfoForm::slot_showMicGroupList()
{
    // Each group goes in on top of the ones before it: the cache reversed.
    const std::vector<MicGroup> groups = m_list.groupList();
    m_groups->setUpdatesEnabled(false);
    m_groups->clearContents();
    m_groups->setRowCount(static_cast<int>(groups.size()));
    int row = static_cast<int>(groups.size());
    for (const MicGroup &g : groups)
        writeRow(--row, g);
    m_groups->setUpdatesEnabled(true);
    tablehelp::clearTable(m_members);
}

void OvMicGroupInfoForm::slot_updateMicGroupRow(int id)
{
    MicGroup group;
    if (!m_list.findGroup(id, group))
        return;
    const int row = m_ctrl->rows().findRow(id);
    if (row < 0) {
        m_groups->insertRow(0);
        writeRow(0, group);
        return;
    }
    writeRow(row, group);
    if (row == m_groups->currentRow())
        showMembers(id);
}

void OvMicGroupInfoForm::slot_delMicGroupRow(int id)
{
    const int row = m_ctrl->rows().findRow(id);
    if (row < 0)
        return;
    const bool current = row == m_groups->currentRow();
    m_groups->removeRow(row);
    if (current)
        tablehelp::clearTable(m_members);
}

void OvMicGroupInfoForm::widget_item_clicked(QTableWidgetItem *item)
{
    if (item)
        showMembers(tablehelp::idAt(m_groups, item->row(), NameColumn));
}

void OvMicGroupInfoForm::showMembers(int groupId)
{
    tablehelp::clearTable(m_members);
    MicGroup group;
    if (!m_list.findGroup(groupId, group))
        return;
    // The known microphones among the members, in ring order.
    const std::vector<OvBaseTerminal> mics = m_mics ? m_mics() : std::vector<OvBaseTerminal>();
    std::unordered_map<int, const OvBaseTerminal *> byId;
    for (const OvBaseTerminal &m : mics)
        byId.emplace(m.id, &m);
    for (const int id : group.members) {
        const auto found = byId.find(id);
        if (found == byId.end())
            continue;
        const int row = m_members->rowCount();
        m_members->insertRow(row);
        tablehelp::setCell(m_members, found->second->name, row, 0, id);
    }
}

void OvMicGroupInfoForm::failed(const QString &actionMessage)
{
    showMessageDialog(tr("Tips"), tr("Setting Error!"), BaseMessageDialog::ConfirmOnly, this);
    showMessageDialog(tr("Tips"), actionMessage, BaseMessageDialog::ConfirmOnly, this);
}

void OvMicGroupInfoForm::slot_add_clicked()
{
    if (!m_ctrl->checkPermission())
        return;
    MicGroup group;
    OvMicGroupEditDialog dialog(group, true, m_mics ? m_mics() : std::vector<OvBaseTerminal>(), this);
    if (modal::run(dialog) != QDialog::Accepted)
        return;
    group = dialog.group();
    // 1 to 10 above the largest known id.
    const int draw = QRandomGenerator::global()->bounded(11);
    group.id = m_list.maxGroupId() + (draw == 0 ? 1 : draw);
    if (m_list.send(group, EditAction::Add) != Done)
        failed(tr("Add Error!"));
}

void OvMicGroupInfoForm::slot_edit_clicked()
{
    const int row = m_groups->currentRow();
    if (row < 0 || !m_ctrl->checkPermission())
        return;
    MicGroup group;
    if (!m_list.findGroup(m_ctrl->rows().idAtRow(row), group))
        return;
    OvMicGroupEditDialog dialog(group, false, m_mics ? m_mics() : std::vector<OvBaseTerminal>(), this);
    if (modal::run(dialog) != QDialog::Accepted)
        return;
    if (m_list.send(dialog.group(), EditAction::Mod) != Done)
        failed(tr("Edit Error!"));
}

void OvMicGroupInfoForm::slot_delete_clicked()
{
    QList<int> rows;
    for (const QModelIndex &index : m_groups->selectionModel()->selectedRows(NameColumn))
        rows.append(index.row());
    if (rows.isEmpty() || !m_ctrl->checkPermission())
        return;
    if (showMessageDialog(tr("Tips"), tr("Delete current record?"), BaseMessageDialog::ConfirmCancel, this)
        != QDialog::Accepted)
        return;
    // The ids are read first: every request pumps events, and a list or a
    // removal arriving meanwhile renumbers the rows.
    std::sort(rows.begin(), rows.end());
    QList<int> ids;
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        ids.append(m_ctrl->rows().idAtRow(*it));
    for (const int id : ids) {
        MicGroup group;
        if (!m_list.findGroup(id, group))
            continue;
        if (m_list.send(group, EditAction::Del) != Done)
            failed(tr("Delete Error!"));
    }
}
