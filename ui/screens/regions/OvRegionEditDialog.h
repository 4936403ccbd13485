#pragma once

#include "framework/OvBaseDialog.h"
#include "managers/regions/OvRegion.h"
#include "screens/regions/RegionTerminals.h"

class MemberPickTable;
class QCheckBox;
class QLineEdit;
class QTableWidget;

// Creates or edits one region: its name and which player terminals and call
// stations belong to it.
class OvRegionEditDialog : public OvBaseDialog
{
    Q_OBJECT
public:
    OvRegionEditDialog(const OvRegion &region, bool isNew, const RegionTerminals &terminals,
                       QWidget *parent = nullptr);
    ~OvRegionEditDialog() override;

    // After OK: the region with the new name and members.
    const OvRegion &region() const { return m_region; }

    QLineEdit *nameEdit() const { return m_name; }
    QCheckBox *selectAllBox() const { return m_selectAll; }
    MemberPickTable &picker() const { return *m_picker; }

public slots:
    void slot_ok_clicked();
    void slot_stateChanged(int state);

private:
    OvRegion m_region;
    QLineEdit *m_name;
    QCheckBox *m_selectAll;
    MemberPickTable *m_picker;
};
