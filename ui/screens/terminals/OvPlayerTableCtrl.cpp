#include "screens/terminals/OvPlayerTableCtrl.h"

#include "framework/TableHelpers.h"
#include "managers/terminals/OvTerminal.h"
#include "screens/terminals/PlayerCells.h"
#include "screens/terminals/TerminalModels.h"

#include <QHeaderView>
#include <QTableWidget>

namespace {
QTableWidgetItem *cell(const QString &text, int value)
{
    auto *item = new QTableWidgetItem(text);
    item->setData(tablehelp::kIdRole, value);
    return item;
}

QTableWidgetItem *cell(const playercells::Cell &c)
{
    QTableWidgetItem *item = cell(c.text, 0);
    item->setForeground(c.colour);
    return item;
}
} // namespace

OvPlayerTableCtrl::OvPlayerTableCtrl(QTableWidget *table) : OvTermTbCtrl(table)
{
    tablehelp::setupTable(table);
    table->setColumnCount(ColumnCount);
    table->setHorizontalHeaderLabels({QStringLiteral("设备类型"), QStringLiteral("设备名称"),
                                      QStringLiteral("设备ID"), QStringLiteral("播放音量"),
                                      QStringLiteral("工作状态"), QStringLiteral("功放开启"),
                                      QStringLiteral("功放温度"), QStringLiteral("喇叭状态"),
                                      QStringLiteral("IP地址")});
    table->setSortingEnabled(false);
    table->verticalHeader()->hide();
    // Rows keep the default height: measuring 100,000 rows for word wrap
    // would cost more than the whole fill.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void OvPlayerTableCtrl::fill(const std::vector<OvTerminal> &records)
{
    QTableWidget *table = tableWidget();
    const bool updates = table->updatesEnabled();
    table->setUpdatesEnabled(false);
    tablehelp::clearTable(table);
    table->setRowCount(static_cast<int>(records.size()));
    m_rowOfId.clear();
    m_rowOfId.reserve(static_cast<int>(records.size()));
    for (int row = 0; row < static_cast<int>(records.size()); ++row) {
        const OvTerminal &t = records[static_cast<size_t>(row)];
        writeRow(row, t);
        m_rowOfId.insert(t.id, row);  // a duplicate id keeps its last row, as a change rewrites one row
    }
    table->resizeColumnToContents(NameColumn);
    table->setUpdatesEnabled(updates);
}

bool OvPlayerTableCtrl::update(const OvTerminal &terminal)
{
    const int row = rowOf(terminal.id);
    if (row < 0)
        return false;
    writeRow(row, terminal);
    return true;
}

int OvPlayerTableCtrl::rowOf(int id) const
{
    const auto it = m_rowOfId.constFind(id);
    return it == m_rowOfId.constEnd() ? -1 : it.value();
}

int OvPlayerTableCtrl::idOfRow(int row) const
{
    const QTableWidgetItem *item = tableWidget()->item(row, IdColumn);
    return item ? item->data(tablehelp::kIdRole).toInt() : -1;
}

void OvPlayerTableCtrl::removeTableRow(int row)
{
    tablehelp::removeRow(tableWidget(), row);
    rebuildIndex();
}

void OvPlayerTableCtrl::setVolumeCell(int row, int volume)
{
    if (QTableWidgetItem *item = tableWidget()->item(row, VolumeColumn))
        item->setText(QString::number(volume));
}

void OvPlayerTableCtrl::setNameCell(int row, const QByteArray &name)
{
    if (QTableWidgetItem *item = tableWidget()->item(row, NameColumn))
        item->setText(QString::fromLocal8Bit(name));
}

void OvPlayerTableCtrl::writeRow(int row, const OvTerminal &t)
{
    QTableWidget *table = tableWidget();
    table->setItem(row, TypeColumn, cell(terminalmodels::typeLabel(t.type, t.exten), t.id));
    table->setItem(row, NameColumn, cell(QString::fromLocal8Bit(t.name), t.id));
    table->setItem(row, IdColumn, cell(QString::number(t.id), t.id));
    table->setItem(row, VolumeColumn, cell(QString::number(t.broVol), 0));
    table->setItem(row, StatusColumn, cell(playercells::statusCell(t)));
    table->setItem(row, PowerColumn, cell(texts().onOffText(t.power ? 1 : 0), t.power ? 1 : 0));
    table->setItem(row, TemperatureColumn, cell(playercells::temperatureCell(t)));
    table->setItem(row, SpeakerColumn, cell(playercells::speakerCell(t)));
    table->setItem(row, IpColumn, cell(QString::fromLocal8Bit(t.ip), 0));
}

void OvPlayerTableCtrl::rebuildIndex()
{
    QTableWidget *table = tableWidget();
    m_rowOfId.clear();
    for (int row = 0; row < table->rowCount(); ++row)
        m_rowOfId.insert(idOfRow(row), row);
}
