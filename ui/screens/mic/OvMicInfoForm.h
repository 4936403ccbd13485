#pragma once

#include "framework/OvTermTbCtrl.h"

#include <QWidget>

class OvMic;
class OvMicListMgr;
class QPushButton;
class QTableWidget;

// The page of the M35 paging microphones: the cache of the list manager as a
// table in ascending id order, kept current by its signals; removal of
// offline microphones; selecting a row fetches that microphone's details.
class OvMicInfoForm : public QWidget
{
    Q_OBJECT
public:
    enum Column : int { NameColumn, CodeColumn, StatusColumn, IpColumn, ColumnCount };

    explicit OvMicInfoForm(OvMicListMgr &list, QWidget *parent = nullptr);
    ~OvMicInfoForm() override;

    QTableWidget *table() const { return m_table; }
    // The row showing this id, -1 when none does.
    int rowOf(int id) const;

public slots:
    void slot_showM35List();
    void slot_delM35Row(int id);
    void slot_updateM35Row(int id);
    void micTableSelected();
    void slot_delMicClicked();

private:
    void writeRow(int row, const OvMic &mic);
    void tip(const QString &text);

    OvMicListMgr &m_list;
    QTableWidget *m_table = nullptr;
    OvTermTbCtrl m_ctrl;
    QPushButton *m_remove = nullptr;
};
