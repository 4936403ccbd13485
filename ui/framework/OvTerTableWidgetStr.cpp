#include "framework/OvTerTableWidgetStr.h"

#include "framework/TableHelpers.h"

OvTerTableWidgetStr::OvTerTableWidgetStr(QObject *parent)
    : QObject(parent), m_close(tr("close")), m_open(tr("open"))
{
}

QString OvTerTableWidgetStr::onOffText(int value) const
{
    if (value == 0)
        return m_close;
    if (value == 1)
        return m_open;
    return QString();
}

void OvTerTableWidgetStr::setOnOffCell(QTableWidget *table, int row, int column, int value) const
{
    tablehelp::setCell(table, onOffText(value), row, column, value);
}
