#include "screens/regions/OvRegionMgrForm.h"

#include "framework/BaseMessageDialog.h"
#include "framework/ModalRunner.h"
#include "framework/TableHelpers.h"
#include "managers/regions/OvRegionListMgr.h"
#include "protocol/RequestResult.h"
#include "screens/regions/OvRegionEditDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <unordered_map>

OvRegionMgrForm::OvRegionMgrForm(OvRegionListMgr &list, RegionTerminalSource terminals, QWidget *parent)
    : QWidget(parent), m_list(list), m_terminals(std::move(terminals))
{
    setObjectName(QStringLiteral("OvRegionMgrForm"));
    auto *title = new QLabel(tr("Region List"), this);
    title->setObjectName(QStringLiteral("screenTitle"));
    auto *add = new QPushButton(tr("New"), this);
    add->setObjectName(QStringLiteral("addBtn"));
    auto *edit = new QPushButton(tr("Edit"), this);
    edit->setObjectName(QStringLiteral("editBtn"));
    auto *remove = new QPushButton(tr("Delete"), this);
    remove->setObjectName(QStringLiteral("deleteBtn"));

    m_regions = new QTableWidget(this);
    m_regions->setObjectName(QStringLiteral("regionTable"));
    tablehelp::setupTable(m_regions);
    m_regions->setColumnCount(ColumnCount);
    m_regions->setHorizontalHeaderLabels({tr("Name"), tr("ID")});
    m_regions->setColumnWidth(NameColumn, 320);
    m_members = new QTableWidget(this);
    m_members->setObjectName(QStringLiteral("memberTable"));
    tablehelp::setupTable(m_members);
    m_members->setColumnCount(1);
    m_members->setHorizontalHeaderLabels({tr("Player")});
    m_ctrl = std::make_unique<OvTerBaseCtr>(m_regions);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(edit);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    auto *tables = new QHBoxLayout;
    tables->addWidget(m_regions, 3);
    tables->addWidget(m_members, 2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(title);
    layout->addLayout(buttons);
    layout->addLayout(tables, 1);

    connect(&m_list, &OvRegionListMgr::gotRegionList, this, &OvRegionMgrForm::slot_showRegionList);
    connect(&m_list, &OvRegionListMgr::regionChanged, this, &OvRegionMgrForm::slot_updateRegionRow);
    connect(&m_list, &OvRegionListMgr::regionDeleted, this, &OvRegionMgrForm::slot_delRegionRow);
    connect(add, &QPushButton::clicked, this, &OvRegionMgrForm::slot_add_clicked);
    connect(edit, &QPushButton::clicked, this, &OvRegionMgrForm::slot_edit_clicked);
    connect(remove, &QPushButton::clicked, this, &OvRegionMgrForm::slot_delete_clicked);
    connect(m_regions, &QTableWidget::itemDoubleClicked, this, &OvRegionMgrForm::slot_edit_clicked);
    connect(m_regions, &QTableWidget::itemClicked, this, &OvRegionMgrForm::widget_item_clicked);
    slot_showRegionList();
}

OvRegionMgrForm::~OvRegionMgrForm() = default;

void OvRegionMgrForm::writeRow(int row, const OvRegion &region)
{
    tablehelp::setCell(m_regions, QString::fromUtf8(region.name), row, NameColumn, region.id);
    tablehelp::setCell(m_regions, QString::number(region.id), row, IdColumn, region.id);
}

void OvRegionMgrForm::slot_showRegionList()
{
    // Each region goes in on top of the ones before it, so the table shows
    // the cache reversed; filled bottom-up in one pass.
    const std::vector<OvRegion> regions = m_list.regionList();
    m_regions->setUpdatesEnabled(false);
    m_regions->clearContents();
    m_regions->setRowCount(static_cast<int>(regions.size()));
    int row = static_cast<int>(regions.size());
    for (const OvRegion &r : regions)
        writeRow(--row, r);
    m_regions->setUpdatesEnabled(true);
    tablehelp::clearTable(m_members);
}

void OvRegionMgrForm::slot_updateRegionRow(int id)
{
    OvRegion region;
    if (!m_list.findRegion(id, region))
        return;
    int row = m_ctrl->rows().findRow(id);
    if (row < 0) {
        m_regions->insertRow(0);
        writeRow(0, region);
        return;
    }
    writeRow(row, region);
    if (row == m_regions->currentRow())
        showMembers(id);
}

void OvRegionMgrForm::slot_delRegionRow(int id)
{
    const int row = m_ctrl->rows().findRow(id);
    if (row < 0)
        return;
    const bool current = row == m_regions->currentRow();
    m_regions->removeRow(row);
    if (current)
        tablehelp::clearTable(m_members);
}

void OvRegionMgrForm::widget_item_clicked(QTableWidgetItem *item)
{
    if (item)
        showMembers(tablehelp::idAt(m_regions, item->row(), NameColumn));
}

void OvRegionMgrForm::showMembers(int regionId)
{
    tablehelp::clearTable(m_members);
    OvRegion region;
    if (!m_list.findRegion(regionId, region))
        return;
    const RegionTerminals terminals = m_terminals ? m_terminals() : RegionTerminals();
    // Per family, members last to first each go on top: the table shows the
    // M48 members, then the M26, then the player terminals, each in member
    // order. A member found in no list has no row.
    for (const std::vector<OvBaseTerminal> *family : {&terminals.players, &terminals.m26, &terminals.m48}) {
        std::unordered_map<int, const OvBaseTerminal *> byId;
        for (const OvBaseTerminal &t : *family)
            byId.emplace(t.id, &t);
        for (auto it = region.members.crbegin(); it != region.members.crend(); ++it) {
            const auto found = byId.find(it->id);
            if (found == byId.end())
                continue;
            m_members->insertRow(0);
            tablehelp::setCell(m_members, found->second->name, 0, 0, found->second->id);
        }
    }
}

void OvRegionMgrForm::failed(const QString &actionMessage)
{
    showMessageDialog(tr("Tips"), tr("Setting Error!"), BaseMessageDialog::ConfirmOnly, this);
    showMessageDialog(tr("Tips"), actionMessage, BaseMessageDialog::ConfirmOnly, this);
}

void OvRegionMgrForm::slot_add_clicked()
{
    if (!m_ctrl->checkPermission())
        return;
    OvRegion region;
    OvRegionEditDialog dialog(region, true, m_terminals ? m_terminals() : RegionTerminals(), this);
    if (modal::run(dialog) != QDialog::Accepted)
        return;
    region = dialog.region();
    // 1 to 10 above the largest known id.
    const int draw = QRandomGenerator::global()->bounded(11);
    region.id = m_list.maxRegionId() + (draw == 0 ? 1 : draw);
    if (m_list.send(region, EditAction::Add) != Done)
        failed(tr("Add Error!"));
}

void OvRegionMgrForm::slot_edit_clicked()
{
    const int row = m_regions->currentRow();
    if (row < 0 || !m_ctrl->checkPermission())
        return;
    OvRegion region;
    if (!m_list.findRegion(m_ctrl->rows().idAtRow(row), region))
        return;
    OvRegionEditDialog dialog(region, false, m_terminals ? m_terminals() : RegionTerminals(), this);
    if (modal::run(dialog) != QDialog::Accepted)
        return;
    if (m_list.send(dialog.region(), EditAction::Mod) != Done)
        failed(tr("Edit Error!"));
}

void OvRegionMgrForm::slot_delete_clicked()
{
    QList<int> rows;
    for (const QModelIndex &index : m_regions->selectionModel()->selectedRows(NameColumn))
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
        OvRegion region;
        if (!m_list.findRegion(id, region))
            continue;
        if (m_list.send(region, EditAction::Del) != Done)
            failed(tr("Delete Error!"));
    }
}
