#include "framework/MemberPickTable.h"

#include "framework/TableHelpers.h"

#include <QHeaderView>
#include <QTableWidget>

#include <unordered_set>

MemberPickTable::MemberPickTable(QTableWidget *table, Columns columns, QObject *parent)
    : QObject(parent), m_table(table), m_columns(columns)
{
    tablehelp::setupTable(m_table);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->verticalHeader()->setVisible(false);
    m_table->setWordWrap(false);
    QStringList headers{tr("Name"), tr("ID")};
    if (m_columns == NameIdTypeIp)
        headers << tr("Type");
    headers << tr("IP");
    m_table->setColumnCount(headers.size());
    m_table->setHorizontalHeaderLabels(headers);
    m_table->setColumnWidth(0, 200);
}

void MemberPickTable::setTerminals(std::vector<OvBaseTerminal> terminals, const std::vector<int> &members)
{
    m_terminals = std::move(terminals);
    m_index.clear();
    m_index.reserve(m_terminals.size());
    const std::unordered_set<int> checked(members.begin(), members.end());
    // Large installations list thousands of terminals: the rows go in with
    // the view's updates off and the row count set once.
    m_table->setUpdatesEnabled(false);
    m_table->clearContents();
    m_table->setRowCount(static_cast<int>(m_terminals.size()));
    const int ipColumn = m_columns == NameIdTypeIp ? 3 : 2;
    int row = 0;
    for (size_t i = 0; i < m_terminals.size(); ++i, ++row) {
        const OvBaseTerminal &t = m_terminals[i];
        m_index.emplace(t.id, i);
        auto *name = new QTableWidgetItem(QString::fromLocal8Bit(t.name));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        name->setCheckState(checked.count(t.id) ? Qt::Checked : Qt::Unchecked);
        name->setData(tablehelp::kIdRole, t.id);
        m_table->setItem(row, 0, name);
        tablehelp::setCell(m_table, QString::number(t.id), row, 1, t.id);
        if (m_columns == NameIdTypeIp)
            tablehelp::setCell(m_table, t.type, row, 2, t.id);
        tablehelp::setCell(m_table, t.ip, row, ipColumn, t.id);
    }
    m_table->setUpdatesEnabled(true);
}

const OvBaseTerminal *MemberPickTable::listed(int id) const
{
    const auto it = m_index.find(id);
    return it == m_index.end() ? nullptr : &m_terminals[it->second];
}

std::vector<int> MemberPickTable::checkedIds() const
{
    std::vector<int> ids;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const QTableWidgetItem *name = m_table->item(row, 0);
        if (name && name->checkState() == Qt::Checked)
            ids.push_back(name->data(tablehelp::kIdRole).toInt());
    }
    return ids;
}

void MemberPickTable::setAllChecked(bool on)
{
    const Qt::CheckState state = on ? Qt::Checked : Qt::Unchecked;
    m_table->setUpdatesEnabled(false);
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (QTableWidgetItem *name = m_table->item(row, 0))
            name->setCheckState(state);
    }
    m_table->setUpdatesEnabled(true);
}

int MemberPickTable::rowCount() const
{
    return m_table->rowCount();
}
