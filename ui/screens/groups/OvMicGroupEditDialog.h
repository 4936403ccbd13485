#pragma once

#include "framework/OvBaseDialog.h"
#include "managers/groups/MicGroup.h"
#include "managers/common/OvBaseTerminal.h"

#include <vector>

class MemberPickTable;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

// Creates or edits one microphone group: its name, ring rule, ring time and
// member microphones.
class OvMicGroupEditDialog : public OvBaseDialog
{
    Q_OBJECT
public:
    OvMicGroupEditDialog(const MicGroup &group, bool isNew, const std::vector<OvBaseTerminal> &mics,
                         QWidget *parent = nullptr);
    ~OvMicGroupEditDialog() override;

    // After OK: the group with the dialog's values.
    const MicGroup &group() const { return m_group; }

    QLineEdit *nameEdit() const { return m_name; }
    QComboBox *ruleBox() const { return m_rule; }
    QSpinBox *ringTimeBox() const { return m_ringTime; }
    QCheckBox *selectAllBox() const { return m_selectAll; }
    MemberPickTable &picker() const { return *m_picker; }

public slots:
    void slot_ok_clicked();
    void slot_stateChanged(int state);

private:
    MicGroup m_group;
    QLineEdit *m_name;
    QComboBox *m_rule;
    QSpinBox *m_ringTime;
    QCheckBox *m_selectAll;
    MemberPickTable *m_picker;
};
