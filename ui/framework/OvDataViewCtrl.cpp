#include "framework/OvDataViewCtrl.h"

#include "framework/TableHelpers.h"

#include <QTableWidget>

int OvDataViewCtrl::idAtRow(int row) const
{
    return tablehelp::idAt(m_table, row, 0);
}

void OvDataViewCtrl::setIdAtRow(int row, int id)
{
    if (!m_table || row < 0 || row >= m_table->rowCount())
        return;
    QTableWidgetItem *item = m_table->item(row, 0);
    if (!item) {
        item = new QTableWidgetItem;
        m_table->setItem(row, 0, item);
    }
    item->setData(tablehelp::kIdRole, id);
}

int OvDataViewCtrl::findRow(int id) const
{
    if (!m_table)
        return -1;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const QTableWidgetItem *item = m_table->item(row, 0);
        if (item && item->data(tablehelp::kIdRole).toInt() == id)
            return row;
    }
    return -1;
}

int OvDataViewCtrl::currentId() const
{
    return m_table ? idAtRow(m_table->currentRow()) : -1;
}
