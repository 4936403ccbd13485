#pragma once

#include "framework/OvBaseDialog.h"
#include "managers/terminals/OvTerminal.h"

#include <array>
#include <vector>

class OvPlayTermListMgr;
class QSpinBox;
class QTableWidget;

// The amplifier limits of the IP amplifiers: warning temperature, fan
// temperature and maximum volume, -1 meaning not set.
class OvSetAmpFormCtr : public OvBaseDialog
{
    Q_OBJECT
public:
    enum Column : int { NameColumn, WarnTempColumn, FanTempColumn, MaxVolColumn, ColumnCount };

    explicit OvSetAmpFormCtr(const OvPlayTermListMgr &list, QWidget *parent = nullptr);

    // After "确定": copies of the still cached amplifiers whose limits the
    // operator changed, carrying the new limits.
    const std::vector<OvTerminal> &changedTerminals() const { return m_result; }
    QTableWidget *table() const { return m_table; }
    // Warning temperature, fan temperature, maximum volume.
    QSpinBox *limitBox(int column) const { return m_boxes[static_cast<size_t>(column - WarnTempColumn)]; }

private slots:
    void slot_rowSelected();
    void slot_confirm();

private:
    void setLimitCell(int row, int column, int value);
    void limitChanged(int column, int value);

    const OvPlayTermListMgr &m_list;
    QTableWidget *m_table;
    std::array<QSpinBox *, 3> m_boxes{};
    bool m_loading = false;
    std::vector<OvTerminal> m_result;
};
