#include "framework/OvTerBaseCtr.h"

#include "view/LevelHolder.h"

#include <QTableWidget>

OvTerBaseCtr::OvTerBaseCtr(QTableWidget *table) : m_rows(table) {}

int OvTerBaseCtr::fetchLevel(const LevelHolder &holder, OvLevel &level)
{
    return holder.fetchLevel(OvLevel::TerminalOperations, level);
}

void OvTerBaseCtr::setGeometry(const QRect &rect)
{
    if (QTableWidget *table = tableWidget())
        table->setGeometry(rect);
}
