#pragma once

#include "logs/LogQueries.h"
#include "logs/OvLogRow.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <vector>

class LogExportDialog;
class OvMySqlConn;
class OvServiceLogMgr;
class QLabel;
class QPushButton;
class QTableWidget;

// What sets one log page apart from the others.
struct LogPageKind
{
    QString title;             // translated source text
    QStringList columns;       // translated header texts
    int countKind = 0;         // DBP query kinds
    int pageKind = 1;
    logdb::Table table = logdb::User;
    QString hostWord;          // "日志主机" or "录音主机"
    QString defaultFileName;   // of the export; empty: no export
    bool stopWithoutLogServer = true;
};

// The machinery every log page shares: 100 rows a page, newest first, read
// over DBP or, when the server names a talk-log server, directly from the
// log database; previous, next, refresh, the host label and the export.
// On the direct path the neighbouring page is read from the shown page's
// first or last id, so a page of a huge log costs as little as the first.
class LogPageBase : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kRefreshPauseMs = 1000;
    static constexpr int kMaxColumnWidth = 240;

    QTableWidget *table() const { return m_table; }
    QLabel *pageLabel() const { return m_pageLabel; }
    QLabel *hostLabel() const { return m_hostLabel; }
    // "查询失败" when the last query could not be answered.
    QLabel *statusLabel() const { return m_status; }
    QPushButton *previousButton() const { return m_previous; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *refreshButton() const { return m_refresh; }
    QPushButton *downloadButton() const { return m_download; }
    LogExportDialog *exportDialog() const;

    int page() const { return m_page; }
    int pages() const { return m_pages; }
    int count() const { return m_count; }
    bool isDirect() const { return m_direct >= 1; }
    QString logHost() const { return m_logHost; }
    const std::vector<OvLogRow> &shownRows() const { return m_rows; }

    static int pagesFor(int count);

protected:
    LogPageBase(LogPageKind kind, OvServiceLogMgr &logs, OvMySqlConn &conn, QWidget *parent);

    // The building steps; a derived page calls it at the end of its constructor.
    void start();

    // Writes the cells of one table row.
    virtual void fillRow(int row, const OvLogRow &r) = 0;
    // The manager's latest page of this log (DBP path).
    virtual std::vector<OvLogRow> managerRows() const = 0;

    void onManagerList();
    void onManagerSize(int size);
    void onQueryFailed(int kind);
    void goPrevious();
    void goNext();
    void doRefresh();
    void enableRefresh();
    void openExport();

    void setText(int row, int column, const QString &text);
    OvServiceLogMgr &logs() const { return m_logs; }

private:
    void buildWidgets();
    void showRows(std::vector<OvLogRow> rows);
    void showFailed(bool failed);
    void updatePageLabel();
    bool readCountDirect();
    void readPageDirect(int target);
    void queryPage(int target);

    LogPageKind m_kind;
    OvServiceLogMgr &m_logs;
    OvMySqlConn &m_conn;
    int m_direct = 0;
    QString m_logHost;
    int m_page = 1;
    int m_requestedPage = 1;
    int m_pages = 1;
    int m_count = 1;
    std::vector<OvLogRow> m_rows;

    QTableWidget *m_table = nullptr;
    QLabel *m_pageLabel = nullptr;
    QLabel *m_hostLabel = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_refresh = nullptr;
    QPushButton *m_download = nullptr;
    QPointer<LogExportDialog> m_exportDialog;
};
