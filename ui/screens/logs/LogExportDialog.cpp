#include "screens/logs/LogExportDialog.h"

#include "config/ConfigFile.h"
#include "framework/BaseMessageDialog.h"
#include "logs/LogExportThread.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

QString &configPath()
{
    static QString path = QStringLiteral("config.ini");
    return path;
}

QString desktopDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

} // namespace

void LogExportDialog::setConfigPath(const QString &path)
{
    configPath() = path;
}

QString LogExportDialog::targetPath(const QString &directory, const QString &name)
{
    QString target = directory + QLatin1Char('/') + name;
    if (!target.endsWith(QLatin1String(".csv")))
        target += QLatin1String(".csv");
    return target;
}

LogExportDialog::LogExportDialog(int kind, const QStringList &header, const QString &defaultName,
                                 const LogDbAccount &account, QWidget *parent)
    : FramedDialog(QStringLiteral(":/images/info18x18.png"), QStringLiteral("日志导出"), FrameTitleBar::Close, parent),
      m_kind(kind), m_header(header), m_account(account)
{
    setWindowTitle(QStringLiteral("日志导出"));
    auto *caption = new QLabel(QStringLiteral("日志导出"), this);
    caption->setStyleSheet(QStringLiteral("font-size: 15px; font-weight: bold;"));
    m_name = new QLineEdit(defaultName, this);
    m_directory = new QComboBox(this);
    m_directory->setEditable(true);
    m_directory->setMinimumWidth(320);
    const auto stored = configfile::text(configPath(), "Setting", "LogLastFilePath");
    putDirectory(stored && !stored->isEmpty() ? *stored : desktopDir());
    m_desktop = new QPushButton(QStringLiteral("桌面"), this);
    m_folder = new QPushButton(QStringLiteral("..."), this);
    m_export = new QPushButton(QIcon(QStringLiteral(":/images/download.png")), QStringLiteral("下载"), this);
    m_export->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->hide();
    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_status->hide();

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("文件名"), this));
    nameRow->addWidget(m_name, 1);
    auto *dirRow = new QHBoxLayout;
    dirRow->addWidget(new QLabel(QStringLiteral("目录"), this));
    dirRow->addWidget(m_directory, 1);
    dirRow->addWidget(m_desktop);
    dirRow->addWidget(m_folder);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_export);
    buttons->addWidget(m_cancel);
    body()->setContentsMargins(16, 12, 16, 12);
    body()->setSpacing(10);
    body()->addWidget(caption);
    body()->addLayout(nameRow);
    body()->addLayout(dirRow);
    body()->addWidget(m_progress);
    body()->addWidget(m_status);
    body()->addLayout(buttons);
    resize(520, 260);

    connect(m_desktop, &QPushButton::clicked, this, &LogExportDialog::desktop_btn_clicked);
    connect(m_folder, &QPushButton::clicked, this, &LogExportDialog::user_define_btn_clicked);
    connect(m_export, &QPushButton::clicked, this, &LogExportDialog::export_btn_clicked);
    connect(m_cancel, &QPushButton::clicked, this, &LogExportDialog::cancel_btn_clicked);
}

bool LogExportDialog::isExporting() const
{
    return !m_thread.isNull();
}

LogExportDialog::~LogExportDialog()
{
    // The thread ends on its own (deleting itself); it must not report to a
    // dialog that is gone.
    if (m_thread) {
        m_thread->disconnect(this);
        m_thread->cancel();
    }
}

void LogExportDialog::putDirectory(const QString &dir)
{
    int at = m_directory->findText(dir);
    if (at < 0) {
        m_directory->addItem(dir);
        at = m_directory->count() - 1;
    }
    m_directory->setCurrentIndex(at);
}

void LogExportDialog::desktop_btn_clicked()
{
    putDirectory(desktopDir());
}

void LogExportDialog::user_define_btn_clicked()
{
    const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("选择目录"), QDir::currentPath(),
                                                          QFileDialog::ShowDirsOnly);
    if (!dir.isEmpty())
        putDirectory(dir);
}

void LogExportDialog::export_btn_clicked()
{
    if (m_thread)
        return;
    m_export->setEnabled(false);
    m_status->hide();
    m_progress->setValue(0);
    m_progress->show();
    m_cancel->setText(QStringLiteral("取消"));
    const QString dir = m_directory->currentText();
    configfile::writeText(configPath(), "Setting", "LogLastFilePath", dir);
    m_thread = new LogExportThread(targetPath(dir, m_name->text()), m_header, m_kind, m_account);
    connect(m_thread, &LogExportThread::update_signal, this, &LogExportDialog::update_export_rate);
    connect(m_thread, &LogExportThread::finish_signal, this, [this](int value) {
        if (m_thread) {
            m_rows = m_thread->rowsWritten();
            m_replaced = m_thread->replacedChars();
        }
        update_finish_flag(value);
    });
    connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
    connect(m_thread, &QThread::finished, this, [this] { m_thread = nullptr; });
    m_thread->start(QThread::InheritPriority);
}

void LogExportDialog::cancel_btn_clicked()
{
    if (m_thread) {
        m_cancel->setEnabled(false);
        m_thread->cancel();
        return;
    }
    reject();
}

void LogExportDialog::closeEvent(QCloseEvent *event)
{
    if (m_thread) {
        m_thread->cancel();
        event->ignore();
        return;
    }
    FramedDialog::closeEvent(event);
}

void LogExportDialog::update_export_rate(long num)
{
    m_progress->setValue(static_cast<int>(num));
}

void LogExportDialog::update_finish_flag(int value)
{
    m_progress->hide();
    m_cancel->setEnabled(true);
    switch (value) {
    case LogExportThread::Done: {
        QString message = QStringLiteral("日志下载完成！");
        if (m_replaced > 0)
            message += QStringLiteral("\n%1 个字符无法以 GBK 保存，已写为“?”。").arg(m_replaced);
        emit exportDone(message);
        accept();
        showMessageDialog(tr("Tips"), message, BaseMessageDialog::ConfirmOnly, parentWidget());
        return;
    }
    case LogExportThread::Empty:
        m_status->setText(QStringLiteral("日志空！"));
        m_cancel->setText(QStringLiteral("确定"));
        m_export->hide();
        break;
    case LogExportThread::FileFailed:
        m_status->setText(QStringLiteral("文件打开失败，请关闭文件尝试！"));
        m_export->setEnabled(true);
        break;
    case LogExportThread::Cancelled:
        m_status->setText(QStringLiteral("导出已取消，原文件未改动。"));
        m_cancel->setText(QStringLiteral("取消"));
        m_export->setEnabled(true);
        break;
    default:
        m_status->setText(QStringLiteral("数据库连接失败！"));
        m_cancel->setText(QStringLiteral("退出"));
        m_export->hide();
        break;
    }
    m_status->show();
}
