#include "framework/OvSelectTableCtrl.h"

#include "framework/TableHelpers.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QTableWidget>

OvSelectTableCtrl::OvSelectTableCtrl(int mode, QObject *parent) : QObject(parent), m_mode(mode) {}

QStringList OvSelectTableCtrl::headersForMode(int mode)
{
    switch (mode) {
    case 1: return {QStringLiteral("名称"), QStringLiteral("类型")};
    case 2:
    case 4: return {QStringLiteral("名称"), QStringLiteral("ID")};
    default: return {QStringLiteral("名称"), QStringLiteral("ID"), QStringLiteral("类型")};
    }
}

const QColor &OvSelectTableCtrl::selectedColour()
{
    static const QColor colour(254, 230, 192);
    return colour;
}

const QColor &OvSelectTableCtrl::unselectedColour()
{
    static const QColor colour(255, 255, 255);
    return colour;
}

int OvSelectTableCtrl::columnCount() const
{
    return headersForMode(m_mode).size();
}

void OvSelectTableCtrl::bind(QTableWidget *table, QCheckBox *selectAll)
{
    m_table = table;
    m_selectAll = selectAll;
    if (!table)
        return;
    table->setWordWrap(true);
    table->setFocusPolicy(Qt::NoFocus);
    table->horizontalHeader()->setHighlightSections(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setRowCount(0);
    const QStringList headers = headersForMode(m_mode);
    table->setColumnCount(headers.size());
    table->setHorizontalHeaderLabels(headers);
    table->setColumnHidden(1, m_mode == 4);
    if (selectAll) {
        table->setSelectionMode(QAbstractItemView::MultiSelection);
        connect(table, &QTableWidget::itemClicked, this, &OvSelectTableCtrl::slot_tableItemClicked);
        connect(selectAll, &QCheckBox::stateChanged, this, &OvSelectTableCtrl::slot_checkBoxStateChanged);
    } else {
        table->setSelectionMode(QAbstractItemView::SingleSelection);
        connect(table, &QTableWidget::itemClicked, this, &OvSelectTableCtrl::slot_singleTableItemClicked);
    }
}

void OvSelectTableCtrl::addRow(const QString &name, int id, const QString &type, bool checked)
{
    if (!m_table)
        return;
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    tablehelp::setCell(m_table, name, row, 0, id);
    // The helper toggles the box itself; a user-checkable item would toggle twice.
    QTableWidgetItem *nameItem = m_table->item(row, 0);
    nameItem->setFlags(nameItem->flags() & ~Qt::ItemIsUserCheckable);
    if (m_mode == 1) {
        tablehelp::setCell(m_table, type, row, 1, 0);
    } else {
        tablehelp::setCell(m_table, QString::number(id), row, 1, 0);
        if (m_mode != 2 && m_mode != 4)
            tablehelp::setCell(m_table, type, row, 2, id);
    }
    markRow(row, checked);
}

void OvSelectTableCtrl::markRow(int row, bool selected)
{
    if (QTableWidgetItem *name = m_table->item(row, 0))
        name->setCheckState(selected ? Qt::Checked : Qt::Unchecked);
    if (QTableWidgetItem *flag = m_table->item(row, 1))
        flag->setData(tablehelp::kIdRole, selected ? 1 : 0);
    const QColor &colour = selected ? selectedColour() : unselectedColour();
    for (int c = 0; c < m_table->columnCount(); ++c) {
        if (QTableWidgetItem *item = m_table->item(row, c))
            item->setBackground(colour);
    }
}

bool OvSelectTableCtrl::isRowSelected(int row) const
{
    return tablehelp::idAt(m_table, row, 1) == 1;
}

QVector<int> OvSelectTableCtrl::selectedIds() const
{
    QVector<int> ids;
    if (!m_table)
        return ids;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (isRowSelected(row))
            ids.push_back(tablehelp::idAt(m_table, row, 0));
    }
    return ids;
}

void OvSelectTableCtrl::slot_tableItemClicked(QTableWidgetItem *item)
{
    if (!item || !m_table)
        return;
    m_changed = true;
    const int row = item->row();
    const bool nowSelected = !isRowSelected(row);
    markRow(row, nowSelected);
    if (!nowSelected) {
        // Unchecking the box must not clear the other rows: they were not
        // all selected by it any more.
        m_allSelected = false;
        if (m_selectAll && m_selectAll->isChecked())
            m_selectAll->setChecked(false);
        m_table->clearSelection();
    }
}

void OvSelectTableCtrl::slot_checkBoxStateChanged(int state)
{
    if (!m_table)
        return;
    m_changed = true;
    if (state == Qt::Checked) {
        for (int row = 0; row < m_table->rowCount(); ++row)
            markRow(row, true);
        m_allSelected = true;
        return;
    }
    if (m_allSelected) {
        for (int row = 0; row < m_table->rowCount(); ++row)
            markRow(row, false);
        m_table->clearSelection();
    }
    m_allSelected = false;
}

void OvSelectTableCtrl::slot_singleTableItemClicked(QTableWidgetItem *item)
{
    if (!item || !m_table)
        return;
    m_changed = true;
    const int row = item->row();
    if (isRowSelected(row)) {
        markRow(row, false);
        m_table->clearSelection();
        return;
    }
    for (int other = 0; other < m_table->rowCount(); ++other) {
        if (other != row && isRowSelected(other))
            markRow(other, false);
    }
    markRow(row, true);
}
