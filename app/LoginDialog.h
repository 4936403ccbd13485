#pragma once

#include "LoginAttempt.h"

#include "framework/FramedDialog.h"

#include <optional>

class OvManageCenter;
class QLabel;
class QLineEdit;
class QPushButton;

// What the command line gives the login dialog.
struct LoginOptions
{
    std::optional<QString> serverIp;
    std::optional<QString> user;
    std::optional<QString> password;

    // All three given (even empty): log in at once without showing the dialog.
    bool automatic() const { return serverIp && user && password; }
};

// The first window: server address, user name and password, pre-filled from
// "config.ini" and the command line. Connecting saves the settings and
// waits for the login outcome while the dialog stays responsive.
class LoginDialog : public FramedDialog
{
    Q_OBJECT
public:
    static constexpr int kMaxPasswordLength = 20;

    LoginDialog(OvManageCenter &centre, const QString &configPath, const LoginOptions &options,
                QWidget *parent = nullptr);

    bool succeeded() const { return m_success; }
    bool isConnecting() const { return m_connecting; }

    QLineEdit *portEdit() const { return m_port; }
    QLineEdit *serverEdit() const { return m_server; }
    QLineEdit *userEdit() const { return m_user; }
    QLineEdit *passwordEdit() const { return m_password; }
    QPushButton *connectButton() const { return m_connect; }

public slots:
    void on_login_clicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override;

private:
    void buildFields();
    void setConnecting(bool connecting);
    QLineEdit *firstEmptyField() const;

    OvManageCenter &m_centre;
    LoginAttempt m_attempt;
    QLineEdit *m_port = nullptr;
    QLabel *m_portLabel = nullptr;
    QLineEdit *m_server = nullptr;
    QLineEdit *m_user = nullptr;
    QLineEdit *m_password = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_connect = nullptr;
    QPushButton *m_cancel = nullptr;
    bool m_success = false;
    bool m_connecting = false;
};
