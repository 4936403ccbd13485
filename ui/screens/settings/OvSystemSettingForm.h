#pragma once

#include "framework/OvAdvancedLevelCtr.h"

#include <QString>
#include <QWidget>

#include <functional>

class OvServerConfigMgr;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The page "System Setting": the server's recording and talk-log servers,
// the administrator's password, the silence time-out and the console's
// title, each in a group that is ticked to edit it, plus backup and restore
// of the server's data. Every change needs the advanced-settings level and
// is shown as set only when the server accepted it.
class OvSystemSettingForm : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString titleName READ titleName)
public:
    // What the screen reaches outside itself; tests replace the parts.
    struct Environment
    {
        QString configPath = QStringLiteral("config.ini");
        // Where a fetched backup lies before it is copied (the program's directory).
        QString downloadDirectory;
        // The file channel's recording endpoint (TcpSocketClient by default).
        std::function<void(const QString &host, quint16 port)> setRecordEndpoint;
        // The directory and file dialogs; an empty text is a cancel.
        std::function<QString(QWidget *parent)> chooseBackupDirectory;
        std::function<QString(QWidget *parent)> chooseRestoreFile;
        // How long a DataBackup answer is waited for after its request timed out.
        int backupAnswerLimitMs = 120000;
    };

    explicit OvSystemSettingForm(OvServerConfigMgr &mgr, QWidget *parent = nullptr);
    OvSystemSettingForm(OvServerConfigMgr &mgr, Environment environment, QWidget *parent = nullptr);
    ~OvSystemSettingForm() override;

    QString titleName() const { return m_title; }
    QString backupLocalPath() const { return m_backupLocalPath; }
    QString restoreName() const { return m_restoreName; }
    QByteArray restoreMd5() const { return m_restoreMd5; }

signals:
    void sendTitleString(QString title);

public slots:
    void slot_setRecordServerBtnClick();
    void slot_gotServerConfig();
    void slot_setLogServerBtnClick();
    void slot_setPasswordBtnClick();
    void slot_setVadPttBtnClick();
    void slot_saveTitleClicked();
    void slot_gotBackupMd5();
    void slot_downlaodFinish();
    void slot_uplaodFinish();
    void slot_backupDownloadDirClicked();
    void slot_uploadRestoreDirClicked();
    void slot_backupDownloadStartClicked();
    void slot_uploadRestoreStartClicked();
    void settingButtonEnable(bool) {}
    void setting_btn_click() {}

private slots:
    void slot_backupRefused(const QString &reason);
    void slot_transferFailed(const QString &reason);
    void slot_transferProgress(qint64 done, qint64 total);
    void slot_backupAnswerOverdue();

private:
    enum class Transfer { None, AwaitingAnswer, Downloading, Uploading };

    void buildWidgets();
    void buildBackupGroup(QGroupBox *group);
    void connectSignals();
    void message(const QString &title, const QString &text, int type);
    void refusal(const QString &what, int result);
    QString failureText(int result) const;
    bool setServerAddress(QLineEdit *ip, QLineEdit *port, QLabel *status, QGroupBox *group, int code,
                          int defaultPort);
    void backupFailed(const QString &reason);
    void setBackupState(Transfer state, const QString &text);
    void copyBackup();

    OvServerConfigMgr &m_mgr;
    Environment m_env;
    OvAdvancedLevelCtr m_level;
    QString m_title;

    QGroupBox *m_recordGroup = nullptr;
    QLineEdit *m_recordIp = nullptr;
    QLineEdit *m_recordPort = nullptr;
    QLabel *m_recordStatus = nullptr;
    QPushButton *m_recordButton = nullptr;
    QGroupBox *m_passwordGroup = nullptr;
    QLineEdit *m_passwordUser = nullptr;
    QLineEdit *m_password = nullptr;
    QPushButton *m_passwordButton = nullptr;
    QGroupBox *m_logGroup = nullptr;
    QLineEdit *m_logIp = nullptr;
    QLineEdit *m_logPort = nullptr;
    QLabel *m_logStatus = nullptr;
    QPushButton *m_logButton = nullptr;
    QGroupBox *m_vadGroup = nullptr;
    QLineEdit *m_vadTimeout = nullptr;
    QLabel *m_vadStatus = nullptr;
    QPushButton *m_vadButton = nullptr;
    QGroupBox *m_nameGroup = nullptr;
    QLineEdit *m_name = nullptr;
    QPushButton *m_nameButton = nullptr;

    QGroupBox *m_backupGroup = nullptr;
    QLineEdit *m_backupDir = nullptr;
    QPushButton *m_backupDirButton = nullptr;
    QPushButton *m_backupButton = nullptr;
    QLineEdit *m_restoreFile = nullptr;
    QPushButton *m_restoreFileButton = nullptr;
    QPushButton *m_restoreButton = nullptr;
    QLabel *m_backupState = nullptr;
    QTimer *m_backupAnswerTimer = nullptr;

    QString m_backupLocalPath;
    QString m_restoreName;
    QString m_restorePath;
    QByteArray m_restoreMd5;
    Transfer m_transfer = Transfer::None;
    bool m_requestingBackup = false;
    QString m_deferredRefusal;
};
