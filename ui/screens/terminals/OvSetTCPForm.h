#pragma once

#include "framework/OvBaseDialog.h"
#include "managers/terminals/OvTerminal.h"

#include <vector>

class OvPlayTermListMgr;
class QTableWidget;

// Firewall mode: which terminals talk to the server over TCP instead of UDP.
class OvSetTCPForm : public OvBaseDialog
{
    Q_OBJECT
public:
    enum Column : int { IdColumn, NameColumn, TcpColumn, ColumnCount };

    explicit OvSetTCPForm(const OvPlayTermListMgr &list, QWidget *parent = nullptr);

    // After "确定": copies of the still cached terminals whose box differs
    // from their stored flag, carrying the box's state.
    const std::vector<OvTerminal> &changedTerminals() const { return m_result; }
    QTableWidget *table() const { return m_table; }

private slots:
    void slot_confirm();

private:
    void checkAll(bool on);

    const OvPlayTermListMgr &m_list;
    QTableWidget *m_table;
    std::vector<OvTerminal> m_result;
};
