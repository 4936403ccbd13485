#pragma once

#include <QByteArray>
#include <QString>

class QTableWidget;
class QTableWidgetItem;

// Helpers shared by every terminal and task table. Each row keeps its
// record id in the user role of its cells.
namespace tablehelp {

constexpr int kIdRole = 256;  // Qt::UserRole

// Word wrap, no keyboard focus, headers that do not highlight, no editing,
// whole-row selection, last column stretched.
void setupTable(QTableWidget *table);
// A new item with the text and id placed at (row, column).
void setCell(QTableWidget *table, const QString &text, int row, int column, int id);
void setCell(QTableWidget *table, const QByteArray &local8Bit, int row, int column, int id);
// The id of a cell; -1 when there is no item.
int idAt(const QTableWidget *table, int row, int column);
// Exchanges text and id of rows a and b in every column that has an item in
// row b, then selects row a.
void swapRows(QTableWidget *table, int a, int b, int columns);
// Clears a table that has rows; -1 for no table.
int clearTable(QTableWidget *table);
// -1 for no table.
int removeRow(QTableWidget *table, int row);
void setCellText(QTableWidgetItem *item, const QByteArray &local8Bit, int value);

} // namespace tablehelp
