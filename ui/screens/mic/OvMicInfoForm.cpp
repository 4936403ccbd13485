#include "screens/mic/OvMicInfoForm.h"

#include "framework/BaseMessageDialog.h"
#include "framework/TableHelpers.h"
#include "managers/mic/OvMicListMgr.h"
#include "screens/mic/MicCells.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

OvMicInfoForm::OvMicInfoForm(OvMicListMgr &list, QWidget *parent) : QWidget(parent), m_list(list)
{
    setObjectName(QStringLiteral("OvMicInfoForm"));
    auto *title = new QLabel(tr("Server Mic"), this);
    title->setObjectName(QStringLiteral("screenTitle"));
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("fMicTableWidget"));
    m_ctrl.setTableWidget(m_table);
    tablehelp::setupTable(m_table);
    m_table->setColumnCount(ColumnCount);
    m_table->setHorizontalHeaderLabels({tr("Name"), tr("Code"), tr("Status"), tr("IP")});
    m_table->verticalHeader()->hide();

    m_remove = new QPushButton(QStringLiteral("删除"), this);
    m_remove->setObjectName(QStringLiteral("fDelMicBtn"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_remove);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(title);
    layout->addLayout(buttons);
    layout->addWidget(m_table, 1);

    connect(&m_list, &OvMicListMgr::gotMicList, this, &OvMicInfoForm::slot_showM35List);
    connect(&m_list, &OvMicListMgr::micChanged, this, &OvMicInfoForm::slot_updateM35Row);
    connect(&m_list, &OvMicListMgr::micDeleted, this, &OvMicInfoForm::slot_delM35Row);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &OvMicInfoForm::micTableSelected);
    connect(m_remove, &QPushButton::clicked, this, &OvMicInfoForm::slot_delMicClicked);
    m_list.fetchList();
}

OvMicInfoForm::~OvMicInfoForm() = default;

void OvMicInfoForm::tip(const QString &text)
{
    showMessageDialog(tr("Tips"), text, BaseMessageDialog::ConfirmOnly, this);
}

int OvMicInfoForm::rowOf(int id) const
{
    return m_ctrl.rows().findRow(id);
}

void OvMicInfoForm::writeRow(int row, const OvMic &mic)
{
    tablehelp::setCell(m_table, mic.name, row, NameColumn, mic.id);
    tablehelp::setCell(m_table, QString::number(mic.id), row, CodeColumn, 0);
    tablehelp::setCell(m_table, miccells::statusText(mic.status), row, StatusColumn, 0);
    tablehelp::setCell(m_table, mic.ip, row, IpColumn, 0);
}

void OvMicInfoForm::slot_showM35List()
{
    // A copy, so the receive thread never waits on the cache while the
    // table is built; the cache is in descending id order.
    std::vector<OvMic> mics;
    {
        OvMicListMgr::LockedList locked = m_list.lockList();
        if (locked.exists())
            mics = locked.records();
    }
    std::reverse(mics.begin(), mics.end());
    m_table->setUpdatesEnabled(false);
    tablehelp::clearTable(m_table);
    m_table->setRowCount(static_cast<int>(mics.size()));
    for (int row = 0; row < static_cast<int>(mics.size()); ++row)
        writeRow(row, mics[static_cast<size_t>(row)]);
    // Status texts are long ("Mic to Broadcast"); Qt measures at most 1000 rows.
    m_table->resizeColumnsToContents();
    m_table->setUpdatesEnabled(true);
}

void OvMicInfoForm::slot_delM35Row(int id)
{
    const int row = rowOf(id);
    if (row >= 0)
        m_table->removeRow(row);
}

void OvMicInfoForm::slot_updateM35Row(int id)
{
    const std::optional<OvMic> mic = m_list.findCopy(id);
    if (!mic)
        return;
    int row = rowOf(id);
    if (row < 0) {
        m_table->insertRow(0);
        row = 0;
    }
    writeRow(row, *mic);
}

void OvMicInfoForm::micTableSelected()
{
    const int id = m_ctrl.rows().currentId();
    if (id < 0)
        return;
    // The details answer replaces the cached record (micChanged), so the
    // row shows what the microphone itself reported.
    m_list.fetchDetails(id);
}

void OvMicInfoForm::slot_delMicClicked()
{
    QVector<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows(NameColumn))
        rows.append(index.row());
    if (rows.isEmpty() || !m_ctrl.checkPermission())
        return;
    if (showMessageDialog(tr("Tips"), tr("Delete current record?"), BaseMessageDialog::ConfirmOnly, this)
        != QDialog::Accepted)
        return;
    // The ids are read before the first request: while a request waits, a
    // list can rebuild the table and renumber or free its rows.
    std::sort(rows.begin(), rows.end());
    QVector<int> ids;
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        ids.append(m_ctrl.rows().idAtRow(*it));
    for (const int id : ids) {
        const std::optional<OvMic> mic = m_list.findCopy(id);
        if (!mic)
            continue;
        if (mic->status != 0) {
            tip(tr("Terminal can not be removed without offline!"));
            continue;
        }
        if (m_list.removeMic(*mic) == 0)
            slot_delM35Row(id);
        else
            tip(tr("Delete Error!"));
    }
}
