#include "screens/logs/OvTalkRecordForm.h"

#include "config/ConfigFile.h"
#include "framework/BaseMessageDialog.h"
#include "framework/MsgTips.h"
#include "framework/MsgTipsGroup.h"
#include "logs/OvLogManage.h"
#include "logs/OvServiceLogMgr.h"
#include "logs/RecordingName.h"
#include "media/OvCFtpClient.h"
#include "media/OvFtpClientMgr.h"
#include "media/TcpSocketClient.h"

#include <QFileDialog>
#include <QPushButton>
#include <QTableWidget>

namespace {

QString &configPath()
{
    static QString path = QStringLiteral("config.ini");
    return path;
}

LogPageKind recordKind()
{
    LogPageKind k;
    k.title = QObject::tr("Record List");
    k.columns = QStringList{QObject::tr("Begin Time"),  QObject::tr("End Time"),    QObject::tr("Caller Code"),
                            QObject::tr("Caller Name"), QObject::tr("Called Code"), QObject::tr("Called Name"),
                            QObject::tr("Type"),        QObject::tr("Content"),     QObject::tr("Download")};
    k.countKind = OvLogManage::RecordCount;
    k.pageKind = OvLogManage::RecordPage;
    k.table = logdb::Talk;
    k.hostWord = QStringLiteral("录音主机");
    return k;
}

const QString kNoRecording = QStringLiteral("------");

} // namespace

void OvTalkRecordForm::setConfigPath(const QString &path)
{
    configPath() = path;
}

OvTalkRecordForm::OvTalkRecordForm(OvServiceLogMgr &logs, OvMySqlConn &conn, OvFtpClientMgr &files,
                                   QWidget *tipHost, QWidget *parent)
    : LogPageBase(recordKind(), logs, conn, parent), m_files(files),
      m_tips(new MsgTipsGroup(tipHost ? tipHost : this, 250, 65, 25, 80, 65)),
      m_chooser([](QWidget *p, const QString &start) {
          return QFileDialog::getExistingDirectory(p, tr("save file"), start, QFileDialog::ShowDirsOnly);
      })
{
    m_tips->setParent(this);
    connect(&logs, &OvServiceLogMgr::gotTalkRecordList, this, &OvTalkRecordForm::slot_showRecordList);
    connect(&logs, &OvServiceLogMgr::gotTalkRecordSize, this, &OvTalkRecordForm::slot_getRecordSize);
    connect(table(), &QTableWidget::cellDoubleClicked, this, &OvTalkRecordForm::slot_cellDoubleClicked);
    if (m_files.client() && m_files.client()->worker())
        connect(m_files.client()->worker(), &TcpSocketClient::updateRecordDownloadMsgTip, this,
                &OvTalkRecordForm::slot_updateRecordDownloadMsgTip);
    connect(previousButton(), &QPushButton::clicked, this, &OvTalkRecordForm::slot_previousClicked);
    connect(nextButton(), &QPushButton::clicked, this, &OvTalkRecordForm::slot_nextClicked);
    connect(refreshButton(), &QPushButton::clicked, this, &OvTalkRecordForm::slot_refreshClicked);
    start();
}

QString OvTalkRecordForm::breakTipText(QString text)
{
    const int n = text.size();
    const int first = n / 3 + 2;
    if (first < text.size())
        text.insert(first, QLatin1Char('\n'));
    const int second = (n / 3) * 2 + 9;
    if (second < text.size())
        text.insert(second, QLatin1Char('\n'));
    return text;
}

void OvTalkRecordForm::fillRow(int row, const OvLogRow &r)
{
    setText(row, 0, logrow::formatTime(r.date));
    setText(row, 1, logrow::formatTime(r.endTime));
    setText(row, 2, QString::number(r.callerId));
    setText(row, 3, r.callerName);
    setText(row, 4, QString::number(r.calledId));
    setText(row, 5, r.calledName);
    setText(row, 6, logrow::talkTypeText(r.type));
    setText(row, 7, r.content);
    setText(row, kDownloadColumn, r.recordFile.isEmpty() ? kNoRecording : QStringLiteral("双击下载"));
}

std::vector<OvLogRow> OvTalkRecordForm::managerRows() const
{
    return logs().talkRecords();
}

bool OvTalkRecordForm::findRow(int id, OvLogRow &out) const
{
    if (!isDirect())
        return logs().findTalkRecord(id, out);
    for (const OvLogRow &r : shownRows()) {
        if (r.id == id) {
            out = r;
            return true;
        }
    }
    return false;
}

void OvTalkRecordForm::slot_cellDoubleClicked(int row, int col)
{
    if (col != kDownloadColumn)
        return;
    const QTableWidgetItem *cell = table()->item(row, col);
    const QTableWidgetItem *first = table()->item(row, 0);
    if (!cell || !first)
        return;
    if (cell->text() == kNoRecording) {
        showMessageDialog(tr("Tips"), QStringLiteral("录音文件不存在！"), BaseMessageDialog::ConfirmOnly, this);
        return;
    }
    OvLogRow record;
    if (!findRow(first->data(Qt::UserRole).toInt(), record))
        return;
    // The name comes from the log database: it becomes a local file name
    // only when it is one plain name.
    const QString name = recordingFileName(record.recordFile);
    if (name.isEmpty()) {
        showMessageDialog(tr("Tips"), QStringLiteral("录音文件名无效，无法下载！"), BaseMessageDialog::ConfirmOnly, this);
        return;
    }
    const QString last = configfile::text(configPath(), "Setting", "MediaLastFilePath").value_or(QString());
    const QString dir = m_chooser(this, last);
    if (dir.isEmpty())
        return;
    if (dir != last)
        configfile::writeText(configPath(), "Setting", "MediaLastFilePath", dir);
    if (m_tips->findTip(name)) {
        showMessageDialog(tr("Tips"), QStringLiteral("录音文件下载中，请等待任务完成！"), BaseMessageDialog::ConfirmOnly,
                          this);
        return;
    }
    MsgTips *tip = m_tips->freeTip();
    if (!tip) {
        showMessageDialog(tr("Tips"), QStringLiteral("下载任务已满，请等待之前的任务结束。"),
                          BaseMessageDialog::ConfirmOnly, this);
        return;
    }
    if (m_files.download(record.recordFile, dir + QLatin1Char('/') + name, record.id) != 0) {
        showMessageDialog(tr("Tips"), QStringLiteral("录音文件 ") + name + QStringLiteral(" 下载失败！"),
                          BaseMessageDialog::ConfirmOnly, this);
        return;
    }
    tip->setTipText(name);
    tip->setStyle(MsgTips::Green);
    tip->setLabelText(breakTipText(QStringLiteral("录音文件 ") + name + QStringLiteral(" 下载中... [0%]")));
    tip->showTip(-1);
    m_tips->slot_updateMsgTipsGroup();
}

void OvTalkRecordForm::slot_updateRecordDownloadMsgTip(QString filename, int percent, int status)
{
    MsgTips *tip = m_tips->findTip(filename);
    if (!tip)
        return;
    const QString head = QStringLiteral("录音文件 ") + filename;
    if (status == 0) {
        tip->updateTip(breakTipText(head + QStringLiteral(" 下载中... [%1%]").arg(percent)));
        return;
    }
    if (status == 1) {
        tip->setLabelText(breakTipText(head + QStringLiteral(" 下载完成！ [100%]")));
    } else {
        tip->setStyle(MsgTips::Orange);
        tip->setLabelText(breakTipText(head + QStringLiteral(" 下载失败！ [%1%]").arg(percent)));
    }
    tip->showTip(kTipDoneMs);
}

void OvTalkRecordForm::slot_showRecordList() { onManagerList(); }
void OvTalkRecordForm::slot_getRecordSize(int size) { onManagerSize(size); }
void OvTalkRecordForm::slot_previousClicked() { goPrevious(); }
void OvTalkRecordForm::slot_nextClicked() { goNext(); }
void OvTalkRecordForm::slot_refreshClicked() { doRefresh(); }
void OvTalkRecordForm::set_refresh_btn_enable() { enableRefresh(); }
