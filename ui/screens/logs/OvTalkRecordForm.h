#pragma once

#include "screens/logs/LogPageBase.h"

#include <functional>

class MsgTipsGroup;
class OvFtpClientMgr;

// The talk log with its recordings: a ninth column offers each call's
// recording, a double-click on it downloads the file through the media
// file channel into a directory of the operator's choice, and a tip at the
// bottom right of the window shows the progress.
class OvTalkRecordForm : public LogPageBase
{
    Q_OBJECT
public:
    static constexpr int kDownloadColumn = 8;
    static constexpr int kTipDoneMs = 4000;

    // tipHost: the widget whose corner shows the tips (the main window);
    // null: the page itself.
    OvTalkRecordForm(OvServiceLogMgr &logs, OvMySqlConn &conn, OvFtpClientMgr &files, QWidget *tipHost = nullptr,
                     QWidget *parent = nullptr);

    // How the target directory is asked for; tests answer it themselves.
    using DirectoryChooser = std::function<QString(QWidget *parent, const QString &start)>;
    void setDirectoryChooser(DirectoryChooser chooser) { m_chooser = std::move(chooser); }
    static void setConfigPath(const QString &path);

    MsgTipsGroup *tips() const { return m_tips; }

    // The tip text with its two line breaks (three lines in the tip).
    static QString breakTipText(QString text);

public slots:
    void slot_showRecordList();
    void slot_getRecordSize(int size);
    void slot_previousClicked();
    void slot_nextClicked();
    void slot_cellDoubleClicked(int row, int col);
    void slot_refreshClicked();
    void set_refresh_btn_enable();
    void slot_updateRecordDownloadMsgTip(QString filename, int percent, int status);

protected:
    void fillRow(int row, const OvLogRow &r) override;
    std::vector<OvLogRow> managerRows() const override;

private:
    bool findRow(int id, OvLogRow &out) const;

    OvFtpClientMgr &m_files;
    MsgTipsGroup *m_tips;
    DirectoryChooser m_chooser;
};
