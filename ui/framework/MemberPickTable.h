#pragma once

#include "managers/common/OvBaseTerminal.h"

#include <QObject>

#include <unordered_map>
#include <vector>

class QTableWidget;

// The member table of the group and region dialogs: one row per terminal
// that may be a member, its name cell carrying the check box and every cell
// the terminal's id (user role).
class MemberPickTable : public QObject
{
    Q_OBJECT
public:
    enum Columns : int { NameIdIp, NameIdTypeIp };

    MemberPickTable(QTableWidget *table, Columns columns, QObject *parent = nullptr);

    // Rows in the order given, checked when the id is among `members`.
    void setTerminals(std::vector<OvBaseTerminal> terminals, const std::vector<int> &members);

    // The listed terminal with this id, or nullptr when it has no row.
    const OvBaseTerminal *listed(int id) const;
    std::vector<int> checkedIds() const;
    void setAllChecked(bool on);
    int rowCount() const;

    QTableWidget *table() const { return m_table; }

private:
    QTableWidget *m_table;
    Columns m_columns;
    std::vector<OvBaseTerminal> m_terminals;
    std::unordered_map<int, size_t> m_index;
};
