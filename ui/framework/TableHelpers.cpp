#include "framework/TableHelpers.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QTableWidget>

namespace tablehelp {

void setupTable(QTableWidget *table)
{
    if (!table)
        return;
    table->setWordWrap(true);
    table->setFocusPolicy(Qt::NoFocus);
    table->horizontalHeader()->setHighlightSections(false);
    table->verticalHeader()->setHighlightSections(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setStretchLastSection(true);
}

void setCell(QTableWidget *table, const QString &text, int row, int column, int id)
{
    if (!table)
        return;
    auto *item = new QTableWidgetItem(text);
    item->setData(kIdRole, id);
    table->setItem(row, column, item);
}

void setCell(QTableWidget *table, const QByteArray &local8Bit, int row, int column, int id)
{
    setCell(table, QString::fromLocal8Bit(local8Bit), row, column, id);
}

int idAt(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table ? table->item(row, column) : nullptr;
    return item ? item->data(kIdRole).toInt() : -1;
}

void swapRows(QTableWidget *table, int a, int b, int columns)
{
    if (!table)
        return;
    for (int c = 0; c < columns; ++c) {
        QTableWidgetItem *itemB = table->item(b, c);
        if (!itemB)
            continue;
        QTableWidgetItem *itemA = table->item(a, c);
        if (!itemA) {
            itemA = new QTableWidgetItem;
            table->setItem(a, c, itemA);
        }
        const QString text = itemA->text();
        const QVariant id = itemA->data(kIdRole);
        itemA->setText(itemB->text());
        itemA->setData(kIdRole, itemB->data(kIdRole));
        itemB->setText(text);
        itemB->setData(kIdRole, id);
    }
    table->selectRow(a);
}

int clearTable(QTableWidget *table)
{
    if (!table)
        return -1;
    if (table->rowCount() > 0) {
        table->clearContents();
        table->setRowCount(0);
    }
    return 0;
}

int removeRow(QTableWidget *table, int row)
{
    if (!table)
        return -1;
    table->removeRow(row);
    return 0;
}

void setCellText(QTableWidgetItem *item, const QByteArray &local8Bit, int value)
{
    if (!item)
        return;
    item->setText(QString::fromLocal8Bit(local8Bit));
    item->setData(kIdRole, value);
}

} // namespace tablehelp
