#pragma once

#include "screens/logs/LogPageBase.h"

class QTableWidgetItem;

// The page of the terminal events, 100 rows a page, newest first.
class OvTermLogInfoForm : public LogPageBase
{
    Q_OBJECT
public:
    OvTermLogInfoForm(OvServiceLogMgr &logs, OvMySqlConn &conn, QWidget *parent = nullptr);

public slots:
    void slot_showLogList();
    void slot_getLogSize(int size);
    void slot_previousClicked();
    void slot_nextClicked();
    void slot_refreshClicked();
    void set_query_btn_enable();
    void slot_downloadClicked();
    void widget_item_double_clicked(QTableWidgetItem *) {}
    void widget_item_clicked(QTableWidgetItem *) {}

protected:
    void fillRow(int row, const OvLogRow &r) override;
    std::vector<OvLogRow> managerRows() const override;
};
