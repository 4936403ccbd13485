#include "screens/m37/OvM37InfoForm.h"

#include "framework/BaseMessageDialog.h"
#include "framework/TableHelpers.h"
#include "managers/m37/OvM37ListMgr.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

OvM37InfoForm::OvM37InfoForm(OvM37ListMgr &list, QWidget *parent) : QWidget(parent), m_list(list)
{
    setObjectName(QStringLiteral("OvM37InfoForm"));
    auto *title = new QLabel(QStringLiteral("移动设备"), this);
    title->setObjectName(QStringLiteral("screenTitle"));
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("fCommonTableWidget"));
    m_ctrl.setTableWidget(m_table);
    tablehelp::setupTable(m_table);
    m_table->setColumnCount(ColumnCount);
    m_table->setHorizontalHeaderLabels({tr("Name"), tr("Code"), tr("Status"), tr("IP")});
    m_table->verticalHeader()->hide();
    m_table->setColumnHidden(NameColumn, true);

    auto *remove = new QPushButton(tr("Delete"), this);
    remove->setObjectName(QStringLiteral("fDeleteBtn"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(title);
    layout->addLayout(buttons);
    layout->addWidget(m_table, 1);

    connect(&m_list, &OvM37ListMgr::gotM37List, this, &OvM37InfoForm::slot_showM37List);
    connect(&m_list, &OvM37ListMgr::m37Changed, this, &OvM37InfoForm::slot_updateM37Row);
    connect(&m_list, &OvM37ListMgr::m37Deleted, this, &OvM37InfoForm::slot_delM37Row);
    connect(remove, &QPushButton::clicked, this, &OvM37InfoForm::slot_delMicClicked);
    m_list.fetchList();
}

OvM37InfoForm::~OvM37InfoForm() = default;

QString OvM37InfoForm::statusText(int status)
{
    return status == 0 ? QStringLiteral("断线") : QStringLiteral("空闲");
}

void OvM37InfoForm::tip(const QString &text)
{
    showMessageDialog(tr("Tips"), text, BaseMessageDialog::ConfirmOnly, this);
}

int OvM37InfoForm::rowOf(int id) const
{
    return m_ctrl.rows().findRow(id);
}

void OvM37InfoForm::writeRow(int row, const OvM37 &device)
{
    tablehelp::setCell(m_table, QString::number(device.id), row, NameColumn, device.id);
    tablehelp::setCell(m_table, QString::number(device.id), row, CodeColumn, 0);
    tablehelp::setCell(m_table, statusText(device.status), row, StatusColumn, 0);
    tablehelp::setCell(m_table, device.ip, row, IpColumn, 0);
}

void OvM37InfoForm::slot_showM37List()
{
    std::vector<OvM37> devices;
    {
        OvM37ListMgr::Cache::LockedList locked = m_list.lockList();
        if (locked.exists())
            devices = locked.records();
    }
    std::reverse(devices.begin(), devices.end());  // the cache is in descending id order
    tablehelp::clearTable(m_table);
    m_table->setRowCount(static_cast<int>(devices.size()));
    for (int row = 0; row < static_cast<int>(devices.size()); ++row)
        writeRow(row, devices[static_cast<size_t>(row)]);
}

void OvM37InfoForm::slot_delM37Row(int id)
{
    const int row = rowOf(id);
    if (row >= 0)
        m_table->removeRow(row);
}

void OvM37InfoForm::slot_updateM37Row(int id)
{
    const std::optional<OvM37> device = m_list.findCopy(id);
    if (!device)
        return;
    int row = rowOf(id);
    if (row < 0) {
        m_table->insertRow(0);
        row = 0;
    }
    writeRow(row, *device);
}

void OvM37InfoForm::slot_delMicClicked()
{
    QVector<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows(CodeColumn))
        rows.append(index.row());
    if (rows.isEmpty() || !m_ctrl.checkPermission())
        return;
    if (showMessageDialog(tr("Tips"), tr("Delete current record?"), BaseMessageDialog::ConfirmOnly, this)
        != QDialog::Accepted)
        return;
    // Ids first: a list arriving while a request waits rebuilds the rows.
    std::sort(rows.begin(), rows.end());
    QVector<int> ids;
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        ids.append(m_ctrl.rows().idAtRow(*it));
    for (const int id : ids) {
        const std::optional<OvM37> device = m_list.findCopy(id);
        if (!device)
            continue;
        if (device->status != 0) {
            tip(tr("Terminal can not be removed without offline!"));
            continue;
        }
        if (m_list.removeDevice(*device) == 0)
            slot_delM37Row(id);
        else
            tip(tr("Delete Error!"));
    }
}
