#include "screens/logs/OvUserLogInfoForm.h"

#include "logs/OvLogManage.h"
#include "logs/OvServiceLogMgr.h"

#include <QPushButton>

namespace {

LogPageKind userKind()
{
    LogPageKind k;
    k.title = QObject::tr("User Log");
    k.columns = QStringList{QObject::tr("Date"), QObject::tr("User Name"), QObject::tr("IP"), QObject::tr("Content")};
    k.countKind = OvLogManage::UserCount;
    k.pageKind = OvLogManage::UserPage;
    k.table = logdb::User;
    k.hostWord = QStringLiteral("日志主机");
    k.defaultFileName = QStringLiteral("ov_user_log");
    // The user log page goes on without a connection; its next statement
    // tries to connect again.
    k.stopWithoutLogServer = false;
    return k;
}

} // namespace

OvUserLogInfoForm::OvUserLogInfoForm(OvServiceLogMgr &logs, OvMySqlConn &conn, QWidget *parent)
    : LogPageBase(userKind(), logs, conn, parent)
{
    connect(&logs, &OvServiceLogMgr::gotUserLogList, this, &OvUserLogInfoForm::slot_showUserLogList);
    connect(&logs, &OvServiceLogMgr::gotUserLogSize, this, &OvUserLogInfoForm::slot_getUserLogSize);
    connect(previousButton(), &QPushButton::clicked, this, &OvUserLogInfoForm::slot_previousClicked);
    connect(nextButton(), &QPushButton::clicked, this, &OvUserLogInfoForm::slot_nextClicked);
    connect(refreshButton(), &QPushButton::clicked, this, &OvUserLogInfoForm::slot_refreshClicked);
    connect(downloadButton(), &QPushButton::clicked, this, &OvUserLogInfoForm::slot_downloadClicked);
    start();
}

void OvUserLogInfoForm::fillRow(int row, const OvLogRow &r)
{
    setText(row, 0, logrow::formatTime(r.date));
    setText(row, 1, r.name);
    setText(row, 2, r.ip);
    setText(row, 3, r.content);
}

std::vector<OvLogRow> OvUserLogInfoForm::managerRows() const
{
    return logs().userLogs();
}

void OvUserLogInfoForm::slot_showUserLogList() { onManagerList(); }
void OvUserLogInfoForm::slot_getUserLogSize(int size) { onManagerSize(size); }
void OvUserLogInfoForm::slot_previousClicked() { goPrevious(); }
void OvUserLogInfoForm::slot_nextClicked() { goNext(); }
void OvUserLogInfoForm::slot_refreshClicked() { doRefresh(); }
void OvUserLogInfoForm::set_refresh_btn_enable() { enableRefresh(); }
void OvUserLogInfoForm::slot_downloadClicked() { openExport(); }
