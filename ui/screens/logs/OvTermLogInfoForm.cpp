#include "screens/logs/OvTermLogInfoForm.h"

#include "logs/OvLogManage.h"
#include "logs/OvServiceLogMgr.h"

#include <QPushButton>

namespace {

LogPageKind termKind()
{
    LogPageKind k;
    k.title = QObject::tr("Terminal Log");
    k.columns = QStringList{QObject::tr("Date"), QObject::tr("Terminal Id"), QObject::tr("Name"),
                            QObject::tr("Type"), QObject::tr("IP"),          QObject::tr("Action")};
    k.countKind = OvLogManage::TermCount;
    k.pageKind = OvLogManage::TermPage;
    k.table = logdb::Term;
    k.hostWord = QStringLiteral("日志主机");
    k.defaultFileName = QStringLiteral("ov_terminal_log");
    return k;
}

} // namespace

OvTermLogInfoForm::OvTermLogInfoForm(OvServiceLogMgr &logs, OvMySqlConn &conn, QWidget *parent)
    : LogPageBase(termKind(), logs, conn, parent)
{
    connect(&logs, &OvServiceLogMgr::gotTermLogList, this, &OvTermLogInfoForm::slot_showLogList);
    connect(&logs, &OvServiceLogMgr::gotTermLogSize, this, &OvTermLogInfoForm::slot_getLogSize);
    connect(previousButton(), &QPushButton::clicked, this, &OvTermLogInfoForm::slot_previousClicked);
    connect(nextButton(), &QPushButton::clicked, this, &OvTermLogInfoForm::slot_nextClicked);
    connect(refreshButton(), &QPushButton::clicked, this, &OvTermLogInfoForm::slot_refreshClicked);
    connect(downloadButton(), &QPushButton::clicked, this, &OvTermLogInfoForm::slot_downloadClicked);
    start();
}

void OvTermLogInfoForm::fillRow(int row, const OvLogRow &r)
{
    setText(row, 0, logrow::formatTime(r.date));
    setText(row, 1, QString::number(r.terminalId));
    setText(row, 2, r.name);
    setText(row, 3, r.type);
    setText(row, 4, r.ip);
    setText(row, 5, r.content);
}

std::vector<OvLogRow> OvTermLogInfoForm::managerRows() const
{
    return logs().termLogs();
}

void OvTermLogInfoForm::slot_showLogList() { onManagerList(); }
void OvTermLogInfoForm::slot_getLogSize(int size) { onManagerSize(size); }
void OvTermLogInfoForm::slot_previousClicked() { goPrevious(); }
void OvTermLogInfoForm::slot_nextClicked() { goNext(); }
void OvTermLogInfoForm::slot_refreshClicked() { doRefresh(); }
void OvTermLogInfoForm::set_query_btn_enable() { enableRefresh(); }
void OvTermLogInfoForm::slot_downloadClicked() { openExport(); }
