#include "LoginDialog.h"

#include "TitleSetting.h"

#include "config/LoginConfig.h"
#include "framework/BaseMessageDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {
// The last part stops at 254: .255 is the broadcast address, never a server.
const char *const kServerPattern =
    "((2[0-4]\\d|25[0-5]|[01]?\\d\\d?)\\.){3}(2[0-4]\\d|25[0-4]|[01]?\\d\\d?)";
const char *const kPasswordPattern = "[a-zA-Z0-9]+$";

QString titleFrom(const QString &configPath)
{
    const QString title = titlesetting::read(configPath);
    return title.isEmpty() ? titlesetting::kDefaultTitle : title;
}
} // namespace

LoginDialog::LoginDialog(OvManageCenter &centre, const QString &configPath, const LoginOptions &options,
                         QWidget *parent)
    : FramedDialog(QStringLiteral(":/images/info18x18.png"), titleFrom(configPath), FrameTitleBar::Close, parent),
      m_centre(centre),
      m_attempt(centre)
{
    setObjectName(QStringLiteral("loginDialog"));
    setWindowTitle(titleBar()->title());
    setWindowIcon(QIcon(QStringLiteral(":/images/info32x32.png")));

    LoginConfig &config = LoginConfig::instance();
    config.load(configPath);
    if (options.serverIp)
        config.serverIp = options.serverIp->toLocal8Bit();
    if (options.user)
        config.user = options.user->toLocal8Bit();

    buildFields();
    m_port->setText(QString::number(config.serverPort));
    m_server->setText(QString::fromLocal8Bit(config.serverIp));
    m_user->setText(QString::fromLocal8Bit(config.user));
    if (options.password && !options.password->isEmpty())
        m_password->setText(*options.password);
    m_password->setFocus();
}

void LoginDialog::buildFields()
{
    m_portLabel = new QLabel(QStringLiteral("端口："), this);
    m_port = new QLineEdit(this);
    m_port->setPlaceholderText(QStringLiteral("8999"));
    m_port->setValidator(new QIntValidator(0, 65535, m_port));

    m_server = new QLineEdit(this);
    m_server->setPlaceholderText(QStringLiteral("192.168.1.100"));
    m_server->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString::fromLatin1(kServerPattern)), m_server));

    m_user = new QLineEdit(this);

    m_password = new QLineEdit(this);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(kMaxPasswordLength);
    m_password->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString::fromLatin1(kPasswordPattern)), m_password));

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(12);
    form->addRow(m_portLabel, m_port);
    form->addRow(new QLabel(QStringLiteral("服务器："), this), m_server);
    form->addRow(new QLabel(QStringLiteral("用户名："), this), m_user);
    form->addRow(new QLabel(QStringLiteral("密码："), this), m_password);
    // The port comes from "config.ini"; operators never type it.
    m_portLabel->hide();
    m_port->hide();
    body()->setContentsMargins(40, 24, 40, 18);
    body()->addLayout(form);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("loginStatus"));
    m_status->setAlignment(Qt::AlignCenter);
    body()->addWidget(m_status);

    m_connect = new QPushButton(QStringLiteral("连接"), this);
    m_connect->setObjectName(QStringLiteral("loginConnectButton"));
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_connect->setDefault(true);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_connect);
    row->addWidget(m_cancel);
    row->addStretch(1);
    body()->addLayout(row);
    connect(m_connect, &QPushButton::clicked, this, &LoginDialog::on_login_clicked);
    connect(m_cancel, &QPushButton::clicked, this, &LoginDialog::reject);
    resize(420, 300);
}

QLineEdit *LoginDialog::firstEmptyField() const
{
    for (QLineEdit *field : {m_port, m_server, m_user, m_password}) {
        if (field->text().isEmpty())
            return field;
    }
    return nullptr;
}

void LoginDialog::on_login_clicked()
{
    if (m_connecting)
        return;
    if (QLineEdit *empty = firstEmptyField()) {
        showMessageDialog(QStringLiteral("提示"), QStringLiteral("用户名或者密码不能为空，请重新输入!"),
                          BaseMessageDialog::ConfirmOnly, this);
        // The port field is hidden: focus the empty field the operator can fill.
        (empty->isHidden() ? m_server : empty)->setFocus();
        return;
    }
    const QByteArray user = m_user->text().toLocal8Bit();
    const QByteArray password = m_password->text().toLocal8Bit();
    const QByteArray serverIp = m_server->text().toLocal8Bit();
    const int port = m_port->text().toInt();
    LoginConfig::instance().storeAndSave(user, password, serverIp, port);

    setConnecting(true);
    const LoginAttempt::Result result =
        m_attempt.run(QString::fromLocal8Bit(serverIp), port, user, password);
    setConnecting(false);

    switch (result) {
    case LoginAttempt::Result::Accepted:
        m_success = true;
        accept();
        break;
    case LoginAttempt::Result::Refused:
        showMessageDialog(QStringLiteral("提示"), QStringLiteral("用户名或者密码错误，请重新输入!"),
                          BaseMessageDialog::ConfirmOnly, this);
        m_password->setFocus();
        break;
    case LoginAttempt::Result::Failed:
    case LoginAttempt::Result::Abandoned:
        // A failed connect is reported by the connection-loss handler.
        break;
    }
}

void LoginDialog::setConnecting(bool connecting)
{
    m_connecting = connecting;
    m_connect->setEnabled(!connecting);
    m_connect->setText(connecting ? QStringLiteral("连接中…") : QStringLiteral("连接"));
    for (QLineEdit *field : {m_server, m_user, m_password})
        field->setEnabled(!connecting);
    m_status->setText(connecting ? QStringLiteral("正在连接服务器，请稍候…") : QString());
}

void LoginDialog::keyPressEvent(QKeyEvent *event)
{
    // Return and Enter connect; every other key, Escape included, is ignored.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        on_login_clicked();
        return;
    }
    event->ignore();
}

void LoginDialog::reject()
{
    if (m_connecting)
        m_attempt.abandon();
    FramedDialog::reject();
}
