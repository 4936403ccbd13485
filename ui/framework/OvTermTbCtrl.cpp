#include "framework/OvTermTbCtrl.h"

void OvTermTbCtrl::setOnOffCell(int row, int column, int value) const
{
    m_texts.setOnOffCell(tableWidget(), row, column, value);
}
