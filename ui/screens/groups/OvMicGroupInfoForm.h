#pragma once

#include "framework/OvTerBaseCtr.h"
#include "screens/groups/GroupMics.h"

#include <QWidget>

#include <memory>

class MicGroup;
class OvMicGroupListMgr;
class QTableWidget;
class QTableWidgetItem;

// The microphone group page ("Server Group"): the groups as a table (newest
// of the cache on top), the members of the clicked group, and new, edit and
// delete through the list manager.
class OvMicGroupInfoForm : public QWidget
{
    Q_OBJECT
public:
    enum GroupColumn : int { NameColumn, IdColumn, RuleColumn, RingTimeColumn, ColumnCount };

    OvMicGroupInfoForm(OvMicGroupListMgr &list, GroupMicSource mics, QWidget *parent = nullptr);
    ~OvMicGroupInfoForm() override;

    QTableWidget *groupTable() const { return m_groups; }
    QTableWidget *memberTable() const { return m_members; }

public slots:
    void slot_showMicGroupList();
    void slot_updateMicGroupRow(int id);
    void slot_delMicGroupRow(int id);
    void slot_add_clicked();
    void slot_edit_clicked();
    void slot_delete_clicked();
    void widget_item_clicked(QTableWidgetItem *item);

private:
    void writeRow(int row, const MicGroup &group);
    void showMembers(int groupId);
    void failed(const QString &actionMessage);

    OvMicGroupListMgr &m_list;
    GroupMicSource m_mics;
    QTableWidget *m_groups = nullptr;
    QTableWidget *m_members = nullptr;
    std::unique_ptr<OvTerBaseCtr> m_ctrl;
};
