#include "screens/terminals/OvSetAmpFormCtr.h"

#include "framework/TableHelpers.h"
#include "managers/terminals/OvPlayTermListMgr.h"
#include "screens/terminals/TerminalFilters.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

OvSetAmpFormCtr::OvSetAmpFormCtr(const OvPlayTermListMgr &list, QWidget *parent)
    : OvBaseDialog(parent), m_list(list), m_table(new QTableWidget(this))
{
    setWindowTitle(QStringLiteral("终端功放高级设置"));
    setTitle(QStringLiteral("终端功放高级设置"));
    auto *group = new QGroupBox(QStringLiteral("终端功放高级设置"), content());
    m_table->setObjectName(QStringLiteral("ampLimitTable"));
    tablehelp::setupTable(m_table);
    m_table->setColumnCount(ColumnCount);
    m_table->setHorizontalHeaderLabels({QStringLiteral("终端名称"), QStringLiteral("功放报警温度"),
                                        QStringLiteral("开启风扇温度"), QStringLiteral("最大音量")});
    m_table->setColumnWidth(NameColumn, 100);
    // Only amplifiers have temperature supervision and take these limits.
    // Filled from a copy, so the cache's lock is not held meanwhile.
    std::vector<OvTerminal> amplifiers = m_list.snapshot().value_or(std::vector<OvTerminal>());
    amplifiers.erase(std::remove_if(amplifiers.begin(), amplifiers.end(),
                                    [](const OvTerminal &t) {
                                        return !t.isAmplifier() || !terminalfilters::isMainUnit(t.id);
                                    }),
                     amplifiers.end());
    m_table->setRowCount(static_cast<int>(amplifiers.size()));
    for (int row = 0; row < static_cast<int>(amplifiers.size()); ++row) {
        const OvTerminal &t = amplifiers[static_cast<size_t>(row)];
        tablehelp::setCell(m_table, t.name, row, NameColumn, t.id);
        setLimitCell(row, WarnTempColumn, t.warnTempThreshold);
        setLimitCell(row, FanTempColumn, t.fanTempThreshold);
        setLimitCell(row, MaxVolColumn, t.maxVol);
    }

    const char *const labels[] = {"功放报警温度：", "开启风扇温度：", "最大音量："};
    const char *const names[] = {"warnTempBox", "fanTempBox", "maxVolBox"};
    auto *boxes = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        auto *box = new QSpinBox(this);
        box->setObjectName(QString::fromLatin1(names[i]));
        box->setRange(-1, 100);
        box->setMinimumWidth(64);
        m_boxes[static_cast<size_t>(i)] = box;
        boxes->addWidget(new QLabel(QString::fromUtf8(labels[i]), this));
        boxes->addWidget(box);
        const int column = WarnTempColumn + i;
        connect(box, QOverload<int>::of(&QSpinBox::valueChanged), this,
                [this, column](int value) { limitChanged(column, value); });
    }
    boxes->addStretch(1);
    auto *confirm = new QPushButton(QStringLiteral("确定"), this);
    confirm->setObjectName(QStringLiteral("confirmBtn"));
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancelBtn"));
    boxes->addWidget(confirm);
    boxes->addWidget(cancel);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_table);
    groupLayout->addLayout(boxes);
    auto *layout = new QVBoxLayout(content());
    layout->addWidget(group);

    connect(m_table, &QTableWidget::itemSelectionChanged, this, &OvSetAmpFormCtr::slot_rowSelected);
    connect(confirm, &QPushButton::clicked, this, &OvSetAmpFormCtr::slot_confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(640, 480);
}

void OvSetAmpFormCtr::setLimitCell(int row, int column, int value)
{
    const QString text = column == MaxVolColumn ? QString::number(value)
                                                : QString::number(value) + QStringLiteral(" ℃");
    if (QTableWidgetItem *item = m_table->item(row, column)) {
        item->setText(text);
        item->setData(tablehelp::kIdRole, value);
    } else {
        tablehelp::setCell(m_table, text, row, column, value);
    }
}

void OvSetAmpFormCtr::slot_rowSelected()
{
    const int row = m_table->currentRow();
    if (row < 0)
        return;
    m_loading = true;  // loading a row's limits is not an edit of the selection
    for (int column = WarnTempColumn; column <= MaxVolColumn; ++column)
        limitBox(column)->setValue(tablehelp::idAt(m_table, row, column));
    m_loading = false;
}

void OvSetAmpFormCtr::limitChanged(int column, int value)
{
    if (m_loading)
        return;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows(NameColumn))
        setLimitCell(index.row(), column, value);
}

void OvSetAmpFormCtr::slot_confirm()
{
    m_result.clear();
    for (int row = 0; row < m_table->rowCount(); ++row) {
        std::optional<OvTerminal> t = m_list.findCopy(tablehelp::idAt(m_table, row, NameColumn));
        if (!t)
            continue;
        const int warn = tablehelp::idAt(m_table, row, WarnTempColumn);
        const int fan = tablehelp::idAt(m_table, row, FanTempColumn);
        const int maxVol = tablehelp::idAt(m_table, row, MaxVolColumn);
        if (t->warnTempThreshold == warn && t->fanTempThreshold == fan && t->maxVol == maxVol)
            continue;  // one waiting request per amplifier: unchanged rows are not sent again
        t->warnTempThreshold = warn;
        t->fanTempThreshold = fan;
        t->maxVol = maxVol;
        m_result.push_back(*t);
    }
    accept();
}
