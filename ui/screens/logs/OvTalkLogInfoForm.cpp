#include "screens/logs/OvTalkLogInfoForm.h"

#include "logs/OvLogManage.h"
#include "logs/OvServiceLogMgr.h"

#include <QPushButton>

namespace {

LogPageKind talkKind()
{
    LogPageKind k;
    k.title = QObject::tr("Talk Log");
    k.columns = QStringList{QObject::tr("Begin Time"), QObject::tr("End Time"),    QObject::tr("Caller Code"),
                            QObject::tr("Caller Name"), QObject::tr("Called Code"), QObject::tr("Called Name"),
                            QObject::tr("Type"),        QObject::tr("Content")};
    k.countKind = OvLogManage::TalkCount;
    k.pageKind = OvLogManage::TalkPage;
    k.table = logdb::Talk;
    k.hostWord = QStringLiteral("日志主机");
    k.defaultFileName = QStringLiteral("ov_talkback_log");
    return k;
}

} // namespace

OvTalkLogInfoForm::OvTalkLogInfoForm(OvServiceLogMgr &logs, OvMySqlConn &conn, QWidget *parent)
    : LogPageBase(talkKind(), logs, conn, parent)
{
    connect(&logs, &OvServiceLogMgr::gotTalkLogList, this, &OvTalkLogInfoForm::slot_showLogList);
    connect(&logs, &OvServiceLogMgr::gotTalkLogSize, this, &OvTalkLogInfoForm::slot_getLogSize);
    connect(previousButton(), &QPushButton::clicked, this, &OvTalkLogInfoForm::slot_previousClicked);
    connect(nextButton(), &QPushButton::clicked, this, &OvTalkLogInfoForm::slot_nextClicked);
    connect(refreshButton(), &QPushButton::clicked, this, &OvTalkLogInfoForm::slot_refreshClicked);
    connect(downloadButton(), &QPushButton::clicked, this, &OvTalkLogInfoForm::slot_downloadClicked);
    start();
}

void OvTalkLogInfoForm::fillRow(int row, const OvLogRow &r)
{
    setText(row, 0, logrow::formatTime(r.date));
    setText(row, 1, logrow::formatTime(r.endTime));
    setText(row, 2, QString::number(r.callerId));
    setText(row, 3, r.callerName);
    setText(row, 4, QString::number(r.calledId));
    setText(row, 5, r.calledName);
    setText(row, 6, logrow::talkTypeText(r.type));
    setText(row, 7, r.content);
}

std::vector<OvLogRow> OvTalkLogInfoForm::managerRows() const
{
    return logs().talkLogs();
}

void OvTalkLogInfoForm::slot_showLogList() { onManagerList(); }
void OvTalkLogInfoForm::slot_getLogSize(int size) { onManagerSize(size); }
void OvTalkLogInfoForm::slot_previousClicked() { goPrevious(); }
void OvTalkLogInfoForm::slot_nextClicked() { goNext(); }
void OvTalkLogInfoForm::slot_refreshClicked() { doRefresh(); }
void OvTalkLogInfoForm::set_query_btn_enable() { enableRefresh(); }
void OvTalkLogInfoForm::slot_downloadClicked() { openExport(); }
