#pragma once

#include "framework/OvBaseDialog.h"
#include "framework/OvTerTableWidgetStr.h"
#include "managers/terminals/OvTerminal.h"

#include <vector>

class OvPlayTermListMgr;
class QSpinBox;
class QTableWidget;

// The default volume, default amplifier switch and "takes part" flag of each
// terminal, chosen per row. Slaves follow their master's row, greyed.
class OvTerDefaultSetCtr : public OvBaseDialog
{
    Q_OBJECT
public:
    enum Column : int { NameColumn, VolumeColumn, PowerColumn, DefaultColumn, ColumnCount };

    explicit OvTerDefaultSetCtr(const OvPlayTermListMgr &list, QWidget *parent = nullptr);

    // After "确定": copies of the still cached terminals whose settings the
    // operator changed, carrying the new values.
    const std::vector<OvTerminal> &changedTerminals() const { return m_result; }
    QTableWidget *table() const { return m_table; }
    QSpinBox *volumeBox() const { return m_volume; }

private slots:
    void slot_rowSelected();
    void slot_volumeChanged(int value);
    void slot_confirm();

private:
    void setRow(const OvTerminal &terminal, int row, bool slave);
    void setPower(bool on);

    const OvPlayTermListMgr &m_list;
    OvTerTableWidgetStr m_texts;
    QTableWidget *m_table;
    QSpinBox *m_volume;
    bool m_loading = false;
    std::vector<OvTerminal> m_result;
};
