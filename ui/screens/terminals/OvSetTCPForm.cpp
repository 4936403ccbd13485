#include "screens/terminals/OvSetTCPForm.h"

#include "framework/TableHelpers.h"
#include "managers/terminals/OvPlayTermListMgr.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

OvSetTCPForm::OvSetTCPForm(const OvPlayTermListMgr &list, QWidget *parent)
    : OvBaseDialog(parent), m_list(list), m_table(new QTableWidget(content()))
{
    setWindowTitle(QStringLiteral("防火墙模式"));
    setTitle(QStringLiteral("防火墙模式"));
    m_table->setObjectName(QStringLiteral("tcpTable"));
    tablehelp::setupTable(m_table);
    m_table->setColumnCount(ColumnCount);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("ID"), QStringLiteral("终端名称"), QStringLiteral("经过防火墙")});
    m_table->setColumnWidth(IdColumn, 200);
    // From a copy, so the cache's lock is not held while the table is built.
    const std::vector<OvTerminal> terminals = m_list.snapshot().value_or(std::vector<OvTerminal>());
    m_table->setRowCount(static_cast<int>(terminals.size()));
    int row = 0;
    for (const OvTerminal &t : terminals) {  // ascending id order
        tablehelp::setCell(m_table, QString::number(t.id), row, IdColumn, t.id);
        tablehelp::setCell(m_table, t.name, row, NameColumn, t.id);
        auto *tcp = new QTableWidgetItem;
        tcp->setFlags(tcp->flags() | Qt::ItemIsUserCheckable);
        tcp->setCheckState(t.transport_tcp ? Qt::Checked : Qt::Unchecked);
        tcp->setData(tablehelp::kIdRole, t.id);
        m_table->setItem(row, TcpColumn, tcp);
        ++row;
    }

    auto *allYes = new QPushButton(QStringLiteral("全部是"), this);
    allYes->setObjectName(QStringLiteral("allYesBtn"));
    auto *allNo = new QPushButton(QStringLiteral("全部否"), this);
    allNo->setObjectName(QStringLiteral("allNoBtn"));
    auto *confirm = new QPushButton(QStringLiteral("确定"), this);
    confirm->setObjectName(QStringLiteral("confirmBtn"));
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancelBtn"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(allYes);
    buttons->addWidget(allNo);
    buttons->addStretch(1);
    buttons->addWidget(confirm);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(content());
    layout->addWidget(m_table);
    layout->addLayout(buttons);

    connect(allYes, &QPushButton::clicked, this, [this] { checkAll(true); });
    connect(allNo, &QPushButton::clicked, this, [this] { checkAll(false); });
    connect(confirm, &QPushButton::clicked, this, &OvSetTCPForm::slot_confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(560, 480);
}

void OvSetTCPForm::checkAll(bool on)
{
    for (int row = 0; row < m_table->rowCount(); ++row)
        m_table->item(row, TcpColumn)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

void OvSetTCPForm::slot_confirm()
{
    m_result.clear();
    for (int row = 0; row < m_table->rowCount(); ++row) {
        std::optional<OvTerminal> t = m_list.findCopy(tablehelp::idAt(m_table, row, IdColumn));
        const bool tcp = m_table->item(row, TcpColumn)->checkState() == Qt::Checked;
        if (!t || t->transport_tcp == tcp)
            continue;
        t->transport_tcp = tcp;
        m_result.push_back(*t);
    }
    accept();
}
