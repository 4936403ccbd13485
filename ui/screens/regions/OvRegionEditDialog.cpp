#include "screens/regions/OvRegionEditDialog.h"

#include "framework/BaseMessageDialog.h"
#include "framework/MemberPickTable.h"
#include "managers/common/MemberIds.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <unordered_map>

OvRegionEditDialog::OvRegionEditDialog(const OvRegion &region, bool isNew, const RegionTerminals &terminals,
                                       QWidget *parent)
    : OvBaseDialog(parent), m_region(region)
{
    const QString heading = isNew ? tr("Region New") : tr("Region Edit");
    setWindowTitle(heading);
    setTitle(heading);

    auto *title = new QLabel(heading, content());
    title->setObjectName(QStringLiteral("dialogHeading"));
    m_name = new QLineEdit(content());
    m_name->setObjectName(QStringLiteral("regionNameEdit"));
    m_name->setMaxLength(32);
    if (!isNew)
        m_name->setText(QString::fromUtf8(region.name));
    m_selectAll = new QCheckBox(QStringLiteral("全选"), content());
    m_selectAll->setObjectName(QStringLiteral("selectAllBox"));
    auto *table = new QTableWidget(content());
    table->setObjectName(QStringLiteral("regionTerminalTable"));
    m_picker = new MemberPickTable(table, MemberPickTable::NameIdTypeIp, this);
    m_picker->setTerminals(terminals.all(), region.memberIds());

    auto *ok = new QPushButton(tr("OK"), content());
    ok->setObjectName(QStringLiteral("okBtn"));
    auto *cancel = new QPushButton(tr("Cancel"), content());
    cancel->setObjectName(QStringLiteral("cancelBtn"));

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(tr("Name:"), content()));
    nameRow->addWidget(m_name, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_selectAll);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(content());
    layout->addWidget(title);
    layout->addLayout(nameRow);
    layout->addWidget(table, 1);
    layout->addLayout(buttons);

    connect(m_selectAll, &QCheckBox::stateChanged, this, &OvRegionEditDialog::slot_stateChanged);
    connect(ok, &QPushButton::clicked, this, &OvRegionEditDialog::slot_ok_clicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(640, 560);
}

OvRegionEditDialog::~OvRegionEditDialog() = default;

void OvRegionEditDialog::slot_stateChanged(int state)
{
    m_picker->setAllChecked(state == Qt::Checked);
}

void OvRegionEditDialog::slot_ok_clicked()
{
    if (m_name->text().isEmpty()) {
        showMessageDialog(tr("Tips"), tr("The name cannot be empty!"), BaseMessageDialog::ConfirmOnly, this);
        return;
    }
    m_region.name = m_name->text().toUtf8();
    // Members the dialog could not list (not cached, or their list failed)
    // stay as they were; listed ones keep their place while still checked.
    const std::vector<int> ids = members::mergeEdited(
        m_region.memberIds(), [this](int id) { return m_picker->listed(id) != nullptr; }, m_picker->checkedIds());
    std::vector<OvBaseTerminal> old = std::move(m_region.members);
    std::unordered_map<int, const OvBaseTerminal *> oldById;
    for (const OvBaseTerminal &m : old)
        oldById.emplace(m.id, &m);
    m_region.members.clear();
    m_region.members.reserve(ids.size());
    for (const int id : ids) {
        const OvBaseTerminal *listed = m_picker->listed(id);
        m_region.members.push_back(listed ? *listed : *oldById.at(id));
    }
    accept();
}
