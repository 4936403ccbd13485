#include "screens/terminals/OvTerDefaultSetCtr.h"

#include "framework/TableHelpers.h"
#include "managers/terminals/OvPlayTermListMgr.h"
#include "screens/terminals/DefaultSetOrder.h"
#include "screens/terminals/TerminalFilters.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

OvTerDefaultSetCtr::OvTerDefaultSetCtr(const OvPlayTermListMgr &list, QWidget *parent)
    : OvBaseDialog(parent), m_list(list), m_table(new QTableWidget(this)), m_volume(new QSpinBox(this))
{
    setWindowTitle(QStringLiteral("Dialog"));
    setTitle(QStringLiteral("默认设置"));
    auto *group = new QGroupBox(QStringLiteral("终端"), content());
    m_table->setObjectName(QStringLiteral("defaultSetTable"));
    tablehelp::setupTable(m_table);
    m_table->setColumnCount(ColumnCount);
    m_table->setHorizontalHeaderLabels({QStringLiteral("终端名称"), QStringLiteral("默认音量"),
                                        QStringLiteral("默认功放开关"), QStringLiteral("是否指定默认")});
    m_volume->setObjectName(QStringLiteral("defaultVolumeBox"));
    m_volume->setRange(0, 100);
    auto *powerOn = new QPushButton(QStringLiteral("电源开启"), this);
    powerOn->setObjectName(QStringLiteral("powerOnBtn"));
    auto *powerOff = new QPushButton(QStringLiteral("电源关闭"), this);
    powerOff->setObjectName(QStringLiteral("powerOffBtn"));
    auto *confirm = new QPushButton(QStringLiteral("确定"), this);
    confirm->setObjectName(QStringLiteral("confirmBtn"));
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancelBtn"));

    auto *controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("音量："), this));
    controls->addWidget(m_volume);
    controls->addWidget(powerOn);
    controls->addWidget(powerOff);
    controls->addStretch(1);
    controls->addWidget(confirm);
    controls->addWidget(cancel);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_table);
    groupLayout->addLayout(controls);
    auto *layout = new QVBoxLayout(content());
    layout->addWidget(group);

    // Main units only, from a copy: the cache's lock is not held while the
    // table is built.
    std::vector<OvTerminal> terminals = m_list.snapshot().value_or(std::vector<OvTerminal>());
    terminals.erase(std::remove_if(terminals.begin(), terminals.end(),
                                   [](const OvTerminal &t) { return !terminalfilters::isMainUnit(t.id); }),
                    terminals.end());
    const std::vector<defaultsetorder::Row> rows = defaultsetorder::order(terminals);
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        setRow(*rows[static_cast<size_t>(row)].terminal, row, rows[static_cast<size_t>(row)].slave);

    connect(m_table, &QTableWidget::itemSelectionChanged, this, &OvTerDefaultSetCtr::slot_rowSelected);
    connect(m_volume, QOverload<int>::of(&QSpinBox::valueChanged), this, &OvTerDefaultSetCtr::slot_volumeChanged);
    connect(powerOn, &QPushButton::clicked, this, [this] { setPower(true); });
    connect(powerOff, &QPushButton::clicked, this, [this] { setPower(false); });
    connect(confirm, &QPushButton::clicked, this, &OvTerDefaultSetCtr::slot_confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(640, 480);
}

void OvTerDefaultSetCtr::setRow(const OvTerminal &t, int row, bool slave)
{
    tablehelp::setCell(m_table, t.name, row, NameColumn, t.id);
    tablehelp::setCell(m_table, QString::number(t.defaultVolumn), row, VolumeColumn, t.defaultVolumn);
    m_texts.setOnOffCell(m_table, row, PowerColumn, t.defaultPower ? 1 : 0);
    auto *isDefault = new QTableWidgetItem;
    isDefault->setFlags(isDefault->flags() | Qt::ItemIsUserCheckable);
    isDefault->setCheckState(t.isDefault ? Qt::Checked : Qt::Unchecked);
    m_table->setItem(row, DefaultColumn, isDefault);
    const QColor background = slave ? QColor(200, 200, 200) : QColor(255, 255, 255);
    for (int c = NameColumn; c <= PowerColumn; ++c)
        m_table->item(row, c)->setBackground(background);
}

void OvTerDefaultSetCtr::slot_rowSelected()
{
    const QTableWidgetItem *volume = m_table->item(m_table->currentRow(), VolumeColumn);
    if (!volume)
        return;
    m_loading = true;  // loading a row's value is not an edit of the selection
    m_volume->setValue(volume->data(tablehelp::kIdRole).toInt());
    m_loading = false;
}

void OvTerDefaultSetCtr::slot_volumeChanged(int value)
{
    if (m_loading)
        return;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows(VolumeColumn))
        tablehelp::setCellText(m_table->item(index.row(), VolumeColumn), QByteArray::number(value), value);
}

void OvTerDefaultSetCtr::setPower(bool on)
{
    const int row = m_table->currentRow();
    if (row >= 0)
        m_texts.setOnOffCell(m_table, row, PowerColumn, on ? 1 : 0);
}

void OvTerDefaultSetCtr::slot_confirm()
{
    m_result.clear();
    for (int row = 0; row < m_table->rowCount(); ++row) {
        std::optional<OvTerminal> t = m_list.findCopy(tablehelp::idAt(m_table, row, NameColumn));
        if (!t)
            continue;
        const int volume = tablehelp::idAt(m_table, row, VolumeColumn);
        const bool power = tablehelp::idAt(m_table, row, PowerColumn) == 1;
        const bool isDefault = m_table->item(row, DefaultColumn)->checkState() == Qt::Checked;
        // One waiting request per terminal: unchanged rows are not sent again.
        if (t->defaultVolumn == volume && t->defaultPower == power && t->isDefault == isDefault)
            continue;
        t->defaultVolumn = volume;
        t->defaultPower = power;
        t->isDefault = isDefault;
        m_result.push_back(*t);
    }
    accept();
}
