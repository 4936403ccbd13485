#pragma once

#include "framework/OvTerBaseCtr.h"
#include "framework/OvTerTableWidgetStr.h"

// The table control of terminal tables with on/off columns.
class OvTermTbCtrl : public OvTerBaseCtr
{
public:
    using OvTerBaseCtr::OvTerBaseCtr;

    const OvTerTableWidgetStr &texts() const { return m_texts; }
    // Writes "close" / "open" into (row, column) with the value as item data.
    void setOnOffCell(int row, int column, int value) const;

private:
    OvTerTableWidgetStr m_texts;
};
