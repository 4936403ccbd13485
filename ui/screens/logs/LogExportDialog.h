#pragma once

#include "framework/FramedDialog.h"
#include "logs/LogDbAccount.h"

#include <QPointer>
#include <QStringList>

class LogExportThread;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// Asks where to write a log export and runs it. The dialog is not modal:
// the export runs on its own thread and connection, and its cancel button
// stops it between two pages, leaving an earlier file untouched.
class LogExportDialog : public FramedDialog
{
    Q_OBJECT
public:
    // Finish code of a cancelled export, next to the thread's others.
    LogExportDialog(int kind, const QStringList &header, const QString &defaultName, const LogDbAccount &account,
                    QWidget *parent = nullptr);
    ~LogExportDialog() override;

    // Where "LogLastFilePath" is kept; tests point it elsewhere.
    static void setConfigPath(const QString &path);

    QLineEdit *fileNameEdit() const { return m_name; }
    QComboBox *directoryBox() const { return m_directory; }
    QPushButton *exportButton() const { return m_export; }
    QPushButton *cancelButton() const { return m_cancel; }
    QProgressBar *progressBar() const { return m_progress; }
    QLabel *statusLabel() const { return m_status; }
    bool isExporting() const;

    // The target of a directory and a file name (".csv" appended unless the
    // name ends with it, case-sensitive).
    static QString targetPath(const QString &directory, const QString &name);

public slots:
    void user_define_btn_clicked();
    void desktop_btn_clicked();
    void export_btn_clicked();
    void cancel_btn_clicked();
    void update_export_rate(long num);
    void update_finish_flag(int value);

signals:
    // After a successful export, with the closing message shown.
    void exportDone(QString message);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void putDirectory(const QString &dir);

    int m_kind;
    QStringList m_header;
    LogDbAccount m_account;
    QLineEdit *m_name;
    QComboBox *m_directory;
    QPushButton *m_desktop;
    QPushButton *m_folder;
    QPushButton *m_export;
    QPushButton *m_cancel;
    QProgressBar *m_progress;
    QLabel *m_status;
    QPointer<LogExportThread> m_thread;
    long m_rows = 0;
    long m_replaced = 0;
};
