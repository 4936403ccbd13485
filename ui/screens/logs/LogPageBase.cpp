#include "screens/logs/LogPageBase.h"

#include "framework/BaseMessageDialog.h"
#include "logs/LogDbAccount.h"
#include "logs/OvMySqlConn.h"
#include "logs/OvServiceLogMgr.h"
#include "screens/logs/LogExportDialog.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

LogPageBase::LogPageBase(LogPageKind kind, OvServiceLogMgr &logs, OvMySqlConn &conn, QWidget *parent)
    : QWidget(parent), m_kind(std::move(kind)), m_logs(logs), m_conn(conn)
{
    buildWidgets();
    connect(&m_logs, &OvServiceLogMgr::logQueryFailed, this, &LogPageBase::onQueryFailed);
}

LogExportDialog *LogPageBase::exportDialog() const
{
    return m_exportDialog.data();
}

int LogPageBase::pagesFor(int count)
{
    const int pages = (count + logdb::kPageRows - 1) / logdb::kPageRows;
    return pages > 0 ? pages : 1;
}

void LogPageBase::buildWidgets()
{
    auto *title = new QLabel(m_kind.title, this);
    title->setObjectName(QStringLiteral("fLogTitle"));
    title->setStyleSheet(QStringLiteral("font-size: 16px; font-weight: bold;"));
    m_hostLabel = new QLabel(this);
    m_hostLabel->setObjectName(QStringLiteral("fLogHostLabel"));
    m_status = new QLabel(QStringLiteral("查询失败"), this);
    m_status->setObjectName(QStringLiteral("fLogStatus"));
    m_status->setStyleSheet(QStringLiteral("color: #c0392b;"));
    m_status->hide();

    m_table = new QTableWidget(0, m_kind.columns.size(), this);
    m_table->setHorizontalHeaderLabels(m_kind.columns);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_table->setWordWrap(false);

    m_previous = new QPushButton(QStringLiteral("上一页"), this);
    m_next = new QPushButton(QStringLiteral("下一页"), this);
    m_refresh = new QPushButton(QStringLiteral("刷新"), this);
    m_download = new QPushButton(QStringLiteral("导出"), this);
    m_previous->setObjectName(QStringLiteral("fPreviousBtn"));
    m_next->setObjectName(QStringLiteral("fNextBtn"));
    m_refresh->setObjectName(QStringLiteral("fRefreshBtn"));
    m_download->setObjectName(QStringLiteral("fDownloadBtn"));
    m_download->setVisible(!m_kind.defaultFileName.isEmpty());
    m_pageLabel = new QLabel(QStringLiteral("1/1"), this);
    m_pageLabel->setObjectName(QStringLiteral("fPageLabel"));

    auto *top = new QHBoxLayout;
    top->addWidget(title);
    top->addSpacing(16);
    top->addWidget(m_hostLabel);
    top->addStretch(1);
    top->addWidget(m_status);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_refresh);
    bottom->addWidget(m_download);
    bottom->addSpacing(16);
    bottom->addWidget(m_previous);
    bottom->addWidget(m_pageLabel);
    bottom->addWidget(m_next);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);
    layout->addLayout(bottom);
}

void LogPageBase::start()
{
    m_direct = m_logs.requestLogServer(&m_logHost);
    m_page = m_requestedPage = 1;
    m_count = 1;
    if (!isDirect()) {
        m_hostLabel->setText(QStringLiteral("[ ") + m_kind.hostWord + QStringLiteral("：Local ]"));
        const int a = m_logs.query(m_kind.countKind, 0);
        const int b = m_logs.query(m_kind.pageKind, 0);
        showFailed(a != 0 || b != 0);
        return;
    }
    m_hostLabel->setText(QStringLiteral("[ ") + m_kind.hostWord + QStringLiteral("：") + m_logHost
                         + QStringLiteral(" ]"));
    if (!m_conn.isConnected() && m_conn.connect(m_logHost) != 0) {
        showMessageDialog(tr("Tips"), tr("Talkback log server connect error!"), BaseMessageDialog::ConfirmOnly, this);
        showFailed(true);
        if (m_kind.stopWithoutLogServer)
            return;
    }
    if (readCountDirect())
        readPageDirect(1);
}

void LogPageBase::showFailed(bool failed)
{
    m_status->setVisible(failed);
}

void LogPageBase::updatePageLabel()
{
    m_pageLabel->setText(QString::number(m_page) + QLatin1Char('/') + QString::number(m_pages));
}

void LogPageBase::setText(int row, int column, const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setToolTip(text);
    m_table->setItem(row, column, item);
}

void LogPageBase::showRows(std::vector<OvLogRow> rows)
{
    m_rows = std::move(rows);
    m_table->setUpdatesEnabled(false);
    m_table->clearContents();
    m_table->setRowCount(static_cast<int>(m_rows.size()));
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        fillRow(i, m_rows[static_cast<size_t>(i)]);
        m_table->item(i, 0)->setData(Qt::UserRole, m_rows[static_cast<size_t>(i)].id);
    }
    // Times and names get their whole width (within reason); the last
    // column takes the rest.
    for (int c = 0; c + 1 < m_table->columnCount(); ++c) {
        m_table->resizeColumnToContents(c);
        if (m_table->columnWidth(c) > kMaxColumnWidth)
            m_table->setColumnWidth(c, kMaxColumnWidth);
    }
    m_table->setUpdatesEnabled(true);
    updatePageLabel();
}

bool LogPageBase::readCountDirect()
{
    const int count = logdb::readCount(m_conn, m_kind.table);
    if (count < 0) {
        // The previous count and page stay, so no row becomes unreachable.
        showFailed(true);
        return false;
    }
    m_count = count;
    m_pages = pagesFor(count);
    if (m_page > m_pages)
        m_page = m_pages;
    updatePageLabel();
    return true;
}

void LogPageBase::readPageDirect(int target)
{
    std::vector<OvLogRow> rows;
    int rc;
    if (target == m_page + 1 && !m_rows.empty())
        rc = logdb::readRows(m_conn, m_kind.table, logdb::olderSql(m_kind.table, m_rows.back().id), rows);
    else if (target == m_page - 1 && target > 1 && !m_rows.empty())
        rc = logdb::readRows(m_conn, m_kind.table, logdb::newerSql(m_kind.table, m_rows.front().id), rows, true);
    else
        rc = logdb::readPage(m_conn, m_kind.table, (target - 1) * logdb::kPageRows, rows);
    m_page = target;
    showFailed(rc != 0);
    showRows(rc == 0 ? std::move(rows) : std::vector<OvLogRow>());
}

void LogPageBase::queryPage(int target)
{
    m_requestedPage = target;
    const int rc = m_logs.query(m_kind.pageKind, (target - 1) * logdb::kPageRows);
    if (rc != 0) {
        qDebug() << "log page query failed with" << rc;
        showFailed(true);
    }
}

void LogPageBase::onManagerList()
{
    if (isDirect())
        return;
    m_page = m_requestedPage;
    showFailed(false);
    showRows(managerRows());
}

void LogPageBase::onManagerSize(int size)
{
    if (isDirect())
        return;
    m_count = size;
    m_pages = pagesFor(size);
    updatePageLabel();
}

void LogPageBase::onQueryFailed(int kind)
{
    if (isDirect() || (kind != m_kind.countKind && kind != m_kind.pageKind))
        return;
    m_requestedPage = m_page;
    showFailed(true);
}

void LogPageBase::goPrevious()
{
    if (m_page <= 1)
        return;
    if (isDirect())
        readPageDirect(m_page - 1);
    else
        queryPage(m_page - 1);
}

void LogPageBase::goNext()
{
    if (m_page >= m_pages)
        return;
    if (isDirect())
        readPageDirect(m_page + 1);
    else
        queryPage(m_page + 1);
}

void LogPageBase::doRefresh()
{
    m_refresh->setEnabled(false);
    QTimer::singleShot(kRefreshPauseMs, this, &LogPageBase::enableRefresh);
    // The count is read again: on a growing log the newest pages would stay
    // out of reach otherwise.
    if (isDirect()) {
        if (!m_conn.ensureConnected()) {
            showFailed(true);
            return;
        }
        m_page = 1;
        if (readCountDirect())
            readPageDirect(1);
        return;
    }
    const int rc = m_logs.query(m_kind.countKind, 0);
    queryPage(1);
    if (rc != 0)
        showFailed(true);
}

void LogPageBase::enableRefresh()
{
    m_refresh->setEnabled(true);
}

void LogPageBase::openExport()
{
    if (!isDirect()) {
        showMessageDialog(tr("Tips"), QStringLiteral("日志主机不存在，请选配主机!"), BaseMessageDialog::ConfirmOnly, this);
        return;
    }
    if (m_table->rowCount() == 0) {
        showMessageDialog(tr("Tips"), QStringLiteral("日志记录不存在!"), BaseMessageDialog::ConfirmOnly, this);
        return;
    }
    if (m_exportDialog) {
        m_exportDialog->raise();
        return;
    }
    QStringList header{QStringLiteral("序号")};
    for (int c = 0; c < m_table->columnCount(); ++c) {
        const QTableWidgetItem *h = m_table->horizontalHeaderItem(c);
        header << (h ? h->text() : QStringLiteral("NULL"));
    }
    LogDbAccount account = LogDbAccount::fromConfig();
    account.host = m_logHost;
    // Not modal: the export has its own connection and can be cancelled.
    m_exportDialog = new LogExportDialog(m_kind.table, header, m_kind.defaultFileName, account, this);
    m_exportDialog->setAttribute(Qt::WA_DeleteOnClose);
    m_exportDialog->show();
}
