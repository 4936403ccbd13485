#include "screens/groups/OvMicGroupEditDialog.h"

#include "framework/BaseMessageDialog.h"
#include "framework/MemberPickTable.h"
#include "managers/common/MemberIds.h"
#include "screens/groups/RingRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

OvMicGroupEditDialog::OvMicGroupEditDialog(const MicGroup &group, bool isNew,
                                           const std::vector<OvBaseTerminal> &mics, QWidget *parent)
    : OvBaseDialog(parent), m_group(group)
{
    const QString heading = isNew ? tr("Mic Group New") : tr("Mic Group Edit");
    setWindowTitle(heading);
    setTitle(heading);

    auto *title = new QLabel(heading, content());
    title->setObjectName(QStringLiteral("dialogHeading"));
    m_name = new QLineEdit(content());
    m_name->setObjectName(QStringLiteral("groupNameEdit"));
    m_name->setMaxLength(32);
    if (!isNew)
        m_name->setText(QString::fromUtf8(group.name));
    m_rule = new QComboBox(content());
    m_rule->setObjectName(QStringLiteral("ringRuleBox"));
    for (int rule = 1; rule <= ringrules::kCount; ++rule)
        m_rule->addItem(ringrules::name(rule), rule);
    // A rule this console does not know shows no choice and is kept as it
    // is unless the operator picks one.
    m_rule->setCurrentIndex(group.ringRule >= 1 && group.ringRule <= ringrules::kCount ? group.ringRule - 1 : -1);
    m_ringTime = new QSpinBox(content());
    m_ringTime->setObjectName(QStringLiteral("ringTimeBox"));
    m_ringTime->setRange(1, 3600);
    m_ringTime->setSuffix(QStringLiteral(" s"));
    m_ringTime->setValue(isNew ? 60 : group.ringTime);
    m_selectAll = new QCheckBox(QStringLiteral("全选"), content());
    m_selectAll->setObjectName(QStringLiteral("selectAllBox"));
    auto *table = new QTableWidget(content());
    table->setObjectName(QStringLiteral("groupMicTable"));
    m_picker = new MemberPickTable(table, MemberPickTable::NameIdIp, this);
    m_picker->setTerminals(mics, group.members);

    auto *ok = new QPushButton(tr("OK"), content());
    ok->setObjectName(QStringLiteral("okBtn"));
    auto *cancel = new QPushButton(tr("Cancel"), content());
    cancel->setObjectName(QStringLiteral("cancelBtn"));

    auto *form = new QFormLayout;
    form->addRow(tr("Name:"), m_name);
    form->addRow(tr("Rule:"), m_rule);
    form->addRow(tr("Ring Time:"), m_ringTime);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_selectAll);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(content());
    layout->addWidget(title);
    layout->addLayout(form);
    layout->addWidget(table, 1);
    layout->addLayout(buttons);

    connect(m_selectAll, &QCheckBox::stateChanged, this, &OvMicGroupEditDialog::slot_stateChanged);
    connect(ok, &QPushButton::clicked, this, &OvMicGroupEditDialog::slot_ok_clicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(560, 560);
}

OvMicGroupEditDialog::~OvMicGroupEditDialog() = default;

void OvMicGroupEditDialog::slot_stateChanged(int state)
{
    m_picker->setAllChecked(state == Qt::Checked);
}

void OvMicGroupEditDialog::slot_ok_clicked()
{
    if (m_name->text().isEmpty()) {
        showMessageDialog(tr("Tips"), tr("The name cannot be empty!"), BaseMessageDialog::ConfirmOnly, this);
        return;
    }
    m_group.name = m_name->text().toUtf8();
    m_group.ringTime = m_ringTime->value();
    if (m_rule->currentIndex() >= 0)
        m_group.ringRule = m_rule->currentIndex() + 1;
    // The ring order is the member order: members still checked keep their
    // place, unlisted ones are carried over, new ones come last.
    m_group.members = members::mergeEdited(
        m_group.members, [this](int id) { return m_picker->listed(id) != nullptr; }, m_picker->checkedIds());
    accept();
}
