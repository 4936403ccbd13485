#pragma once

#include "framework/OvTermTbCtrl.h"

#include <QWidget>

class OvM37;
class OvM37ListMgr;
class QPushButton;
class QTableWidget;

// The page "移动设备": the M37 mobile devices of the list manager in
// ascending id order, kept current by its signals, and removal of offline
// devices.
class OvM37InfoForm : public QWidget
{
    Q_OBJECT
public:
    // Column 0 is hidden; it carries the id for the row helpers.
    enum Column : int { NameColumn, CodeColumn, StatusColumn, IpColumn, ColumnCount };

    explicit OvM37InfoForm(OvM37ListMgr &list, QWidget *parent = nullptr);
    ~OvM37InfoForm() override;

    QTableWidget *table() const { return m_table; }
    int rowOf(int id) const;
    // "断线" for status 0, otherwise "空闲".
    static QString statusText(int status);

public slots:
    void slot_showM37List();
    void slot_delM37Row(int id);
    void slot_updateM37Row(int id);
    void slot_delMicClicked();

private:
    void writeRow(int row, const OvM37 &device);
    void tip(const QString &text);

    OvM37ListMgr &m_list;
    QTableWidget *m_table = nullptr;
    OvTermTbCtrl m_ctrl;
};
