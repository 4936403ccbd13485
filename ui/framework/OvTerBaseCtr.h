#pragma once

#include "framework/OvBaseLevelCtr.h"
#include "framework/OvDataViewCtrl.h"

class QRect;
class QTableWidget;

// The table control of the terminal, task, group, region, log and record
// screens: its table, row lookup by id, and the terminal-operations
// permission (level type 5).
class OvTerBaseCtr : public virtual OvBaseLevelCtr
{
public:
    explicit OvTerBaseCtr(QTableWidget *table = nullptr);

    int fetchLevel(const LevelHolder &holder, OvLevel &level) override;
    virtual void setGeometry(const QRect &rect);
    virtual void refresh() {}
    virtual QTableWidget *tableWidget() const { return m_rows.table(); }

    void setTableWidget(QTableWidget *table) { m_rows.setTable(table); }
    OvDataViewCtrl &rows() { return m_rows; }
    const OvDataViewCtrl &rows() const { return m_rows; }

private:
    OvDataViewCtrl m_rows;
};
