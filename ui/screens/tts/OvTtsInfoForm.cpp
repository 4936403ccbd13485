#include "screens/tts/OvTtsInfoForm.h"

#include "framework/BaseMessageDialog.h"
#include "framework/BaseSetNameDialog.h"
#include "framework/ModalRunner.h"
#include "framework/TableHelpers.h"
#include "managers/tts/OvTtsListMgr.h"
#include "screens/tts/TtsCells.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

OvTtsInfoForm::OvTtsInfoForm(OvTtsListMgr &list, QWidget *parent) : QWidget(parent), m_list(list)
{
    setObjectName(QStringLiteral("OvTtsInfoForm"));
    auto *title = new QLabel(tr("TTS List"), this);
    title->setObjectName(QStringLiteral("screenTitle"));
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("fCommonTableWidget"));
    m_ctrl.setTableWidget(m_table);
    tablehelp::setupTable(m_table);
    m_table->setColumnCount(ColumnCount);
    m_table->setHorizontalHeaderLabels({tr("ID"), tr("Name"), tr("Status"), tr("IP")});
    m_table->verticalHeader()->hide();

    m_edit = new QPushButton(tr("Edit"), this);
    m_edit->setObjectName(QStringLiteral("fEditBtn"));
    m_edit->setEnabled(false);
    auto *remove = new QPushButton(tr("Delete"), this);
    remove->setObjectName(QStringLiteral("fDeleteBtn"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_edit);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(title);
    layout->addLayout(buttons);
    layout->addWidget(m_table, 1);

    connect(&m_list, &OvTtsListMgr::gotTTsList, this, &OvTtsInfoForm::showTtsList);
    connect(&m_list, &OvTtsListMgr::TTsChanged, this, &OvTtsInfoForm::updateTTs);
    connect(&m_list, &OvTtsListMgr::TTsDeleted, this, &OvTtsInfoForm::slot_delTts);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &OvTtsInfoForm::ttsTableSelected);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &OvTtsInfoForm::slot_editTtsClicked);
    connect(m_edit, &QPushButton::clicked, this, &OvTtsInfoForm::slot_editTtsClicked);
    connect(remove, &QPushButton::clicked, this, &OvTtsInfoForm::delTtsClicked);
    showTtsList();
}

OvTtsInfoForm::~OvTtsInfoForm() = default;

void OvTtsInfoForm::tip(const QString &text)
{
    showMessageDialog(tr("Tips"), text, BaseMessageDialog::ConfirmOnly, this);
}

int OvTtsInfoForm::rowOf(int id) const
{
    return m_ctrl.rows().findRow(id);
}

void OvTtsInfoForm::writeRow(int row, const OvTts &tts)
{
    tablehelp::setCell(m_table, QString::number(tts.id), row, IdColumn, tts.id);
    tablehelp::setCell(m_table, tts.name, row, NameColumn, 0);
    tablehelp::setCell(m_table, ttscells::statusText(tts.status), row, StatusColumn, 0);
    tablehelp::setCell(m_table, tts.ip, row, IpColumn, 0);
}

void OvTtsInfoForm::showTtsList()
{
    // Each box goes in as the new top row, so the table shows the list
    // reversed.
    std::vector<OvTts> boxes = m_list.copyList();
    std::reverse(boxes.begin(), boxes.end());
    tablehelp::clearTable(m_table);
    m_table->setRowCount(static_cast<int>(boxes.size()));
    for (int row = 0; row < static_cast<int>(boxes.size()); ++row)
        writeRow(row, boxes[static_cast<size_t>(row)]);
}

void OvTtsInfoForm::slot_delTts(int id)
{
    const int row = rowOf(id);
    if (row >= 0)
        m_table->removeRow(row);
}

void OvTtsInfoForm::updateTTs(int id)
{
    const std::optional<OvTts> tts = m_list.findCopy(id);
    if (!tts)
        return;
    int row = rowOf(id);
    if (row < 0) {
        m_table->insertRow(0);
        row = 0;
    }
    writeRow(row, *tts);
}

void OvTtsInfoForm::ttsTableSelected()
{
    if (m_ctrl.rows().currentId() >= 0)
        m_edit->setEnabled(true);
}

void OvTtsInfoForm::slot_editTtsClicked()
{
    const int id = m_ctrl.rows().currentId();
    if (id < 0 || !m_ctrl.checkPermission())
        return;
    std::optional<OvTts> tts = m_list.findCopy(id);
    if (!tts)
        return;
    BaseSetNameDialog dialog(this);
    dialog.setName(tts->name);
    if (modal::run(dialog) != QDialog::Accepted)
        return;
    tts->name = dialog.name();
    // The row follows TTsChanged, which comes only when the server agreed;
    // any other answer keeps the old name and is told.
    if (m_list.rename(*tts) != 0)
        tip(tr("Setting Error!"));
}

void OvTtsInfoForm::delTtsClicked()
{
    QVector<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows(IdColumn))
        rows.append(index.row());
    if (rows.isEmpty() || !m_ctrl.checkPermission())
        return;
    if (showMessageDialog(tr("Tips"), tr("Delete current record?"), BaseMessageDialog::ConfirmOnly, this)
        != QDialog::Accepted)
        return;
    // Ids first: the rows may be rebuilt while a request waits.
    std::sort(rows.begin(), rows.end());
    QVector<int> ids;
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        ids.append(m_ctrl.rows().idAtRow(*it));
    for (const int id : ids) {
        const std::optional<OvTts> tts = m_list.findCopy(id);
        if (!tts)
            continue;
        if (tts->status != 0) {
            tip(tr("Terminal can not be removed without offline!"));
            continue;
        }
        if (m_list.remove(*tts) != 0)
            tip(tr("Delete Error!"));
    }
}
