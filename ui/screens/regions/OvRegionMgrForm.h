#pragma once

#include "framework/OvTerBaseCtr.h"
#include "screens/regions/RegionTerminals.h"

#include <QWidget>

#include <memory>

class OvRegion;
class OvRegionListMgr;
class QTableWidget;
class QTableWidgetItem;

// The region page: the regions as a table (newest of the cache on top), the
// members of the clicked region, and new, edit and delete through the list
// manager.
class OvRegionMgrForm : public QWidget
{
    Q_OBJECT
public:
    enum RegionColumn : int { NameColumn, IdColumn, ColumnCount };

    OvRegionMgrForm(OvRegionListMgr &list, RegionTerminalSource terminals, QWidget *parent = nullptr);
    ~OvRegionMgrForm() override;

    QTableWidget *regionTable() const { return m_regions; }
    QTableWidget *memberTable() const { return m_members; }

public slots:
    void slot_showRegionList();
    void slot_updateRegionRow(int id);
    void slot_delRegionRow(int id);
    void slot_add_clicked();
    void slot_edit_clicked();
    void slot_delete_clicked();
    void widget_item_clicked(QTableWidgetItem *item);

private:
    void writeRow(int row, const OvRegion &region);
    void showMembers(int regionId);
    void failed(const QString &actionMessage);

    OvRegionListMgr &m_list;
    RegionTerminalSource m_terminals;
    QTableWidget *m_regions = nullptr;
    QTableWidget *m_members = nullptr;
    std::unique_ptr<OvTerBaseCtr> m_ctrl;
};
