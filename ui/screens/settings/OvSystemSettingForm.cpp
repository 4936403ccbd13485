#include "screens/settings/OvSystemSettingForm.h"

#include "config/ConfigFile.h"
#include "config/StartupSettings.h"
#include "framework/BaseMessageDialog.h"
#include "managers/serverconfig/OvServerConfigMgr.h"
#include "managers/serverconfig/SettingChecks.h"
#include "protocol/RequestResult.h"
#include "media/TcpSocketClient.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kDefaultTitle = QStringLiteral("管理中心");
const QString kNotSet = QStringLiteral("[未设置]");
const QString kSet = QStringLiteral("[已设置]");
const QString kSetFailed = QStringLiteral("[设置失败]");
constexpr int kDefaultRecordPort = 7801;
constexpr int kDefaultLogPort = 7802;

QPushButton *fixedButton(const QString &caption, int width, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    // The sizes of this page's buttons are fixed; the style sheet's minimum
    // width and padding would widen them.
    // (style-sheet sizes count without the 1-pixel border).
    b->setStyleSheet(QStringLiteral("QPushButton { padding: 0px; min-width: %1px; max-width: %1px; "
                                    "min-height: 21px; max-height: 21px; }")
                         .arg(width - 2));
    b->setFixedSize(width, 23);
    return b;
}

QGroupBox *checkableGroup(const QString &title, QWidget *parent)
{
    auto *g = new QGroupBox(title, parent);
    g->setCheckable(true);
    g->setChecked(false);
    return g;
}

} // namespace

OvSystemSettingForm::OvSystemSettingForm(OvServerConfigMgr &mgr, QWidget *parent)
    : OvSystemSettingForm(mgr, Environment(), parent)
{
}

OvSystemSettingForm::OvSystemSettingForm(OvServerConfigMgr &mgr, Environment environment, QWidget *parent)
    : QWidget(parent), m_mgr(mgr), m_env(std::move(environment)), m_title(kDefaultTitle)
{
    if (m_env.downloadDirectory.isEmpty())
        m_env.downloadDirectory = QCoreApplication::applicationDirPath();
    if (!m_env.setRecordEndpoint) {
        m_env.setRecordEndpoint = [](const QString &host, quint16 port) {
            TcpSocketClient::instance()->setRecordServer(host, port);
        };
    }
    if (!m_env.chooseBackupDirectory) {
        m_env.chooseBackupDirectory = [](QWidget *p) {
            return QFileDialog::getExistingDirectory(p, QStringLiteral("文件保存"), QString(),
                                                     QFileDialog::ShowDirsOnly);
        };
    }
    if (!m_env.chooseRestoreFile) {
        m_env.chooseRestoreFile = [](QWidget *p) {
            return QFileDialog::getOpenFileName(p, QStringLiteral("文件选择"), QStringLiteral("./"),
                                                tr("Backup Files (*.backup)"));
        };
    }
    buildWidgets();
    connectSignals();
    m_mgr.requestParameters();
}

OvSystemSettingForm::~OvSystemSettingForm()
{
    if (m_transfer == Transfer::AwaitingAnswer)
        m_mgr.forgetBackupAnswer();
}

void OvSystemSettingForm::buildWidgets()
{
    setObjectName(QStringLiteral("OvSystemSettingForm"));
    auto *outer = new QVBoxLayout(this);
    auto *heading = new QLabel(QStringLiteral("参数设置"), this);
    heading->setObjectName(QStringLiteral("settingHeading"));
    outer->addWidget(heading);
    auto *grid = new QGridLayout;
    outer->addLayout(grid);
    outer->addStretch(1);

    auto addressGroup = [this](const QString &title, const QString &placeholder, QLineEdit *&ip, QLineEdit *&port,
                               QLabel *&status, QPushButton *&button) {
        QGroupBox *g = checkableGroup(title, this);
        auto *l = new QGridLayout(g);
        ip = new QLineEdit(g);
        port = new QLineEdit(g);
        port->setPlaceholderText(placeholder);
        status = new QLabel(kNotSet, g);
        button = fixedButton(QStringLiteral("设置"), 75, g);
        l->addWidget(new QLabel(QStringLiteral("IP地址："), g), 0, 0);
        l->addWidget(ip, 0, 1);
        l->addWidget(status, 0, 2);
        l->addWidget(new QLabel(QStringLiteral("端口："), g), 1, 0);
        l->addWidget(port, 1, 1);
        l->addWidget(button, 1, 2);
        return g;
    };
    m_recordGroup = addressGroup(QStringLiteral("对讲录音服务器"), QStringLiteral("默认端口：7801"), m_recordIp,
                                 m_recordPort, m_recordStatus, m_recordButton);
    m_logGroup = addressGroup(QStringLiteral("对讲日志服务器"), QStringLiteral("默认端口：7802"), m_logIp, m_logPort,
                              m_logStatus, m_logButton);

    m_passwordGroup = checkableGroup(QStringLiteral("用户密码修改"), this);
    {
        auto *l = new QGridLayout(m_passwordGroup);
        m_passwordUser = new QLineEdit(QStringLiteral("admin"), m_passwordGroup);
        m_passwordUser->setReadOnly(true);
        m_password = new QLineEdit(m_passwordGroup);
        m_password->setEchoMode(QLineEdit::Password);
        m_password->setMaxLength(6);
        m_password->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[a-zA-Z0-9]+$")), m_password));
        m_passwordButton = fixedButton(QStringLiteral("设置"), 75, m_passwordGroup);
        l->addWidget(new QLabel(QStringLiteral("名称："), m_passwordGroup), 0, 0);
        l->addWidget(m_passwordUser, 0, 1);
        l->addWidget(new QLabel(QStringLiteral("新密码："), m_passwordGroup), 1, 0);
        l->addWidget(m_password, 1, 1);
        l->addWidget(m_passwordButton, 1, 2);
    }

    m_vadGroup = checkableGroup(QStringLiteral("静音检测"), this);
    {
        auto *l = new QGridLayout(m_vadGroup);
        m_vadTimeout = new QLineEdit(m_vadGroup);
        m_vadStatus = new QLabel(kNotSet, m_vadGroup);
        m_vadButton = fixedButton(QStringLiteral("设置"), 75, m_vadGroup);
        l->addWidget(new QLabel(QStringLiteral("超时时间（秒）："), m_vadGroup), 0, 0);
        l->addWidget(m_vadTimeout, 0, 1);
        l->addWidget(m_vadStatus, 0, 2);
        l->addWidget(m_vadButton, 1, 2);
    }

    m_nameGroup = checkableGroup(QStringLiteral("修改名称"), this);
    {
        auto *l = new QHBoxLayout(m_nameGroup);
        m_name = new QLineEdit(kDefaultTitle, m_nameGroup);
        m_nameButton = fixedButton(QStringLiteral("保存"), 75, m_nameGroup);
        l->addWidget(m_name, 1);
        l->addWidget(m_nameButton);
    }

    m_backupGroup = new QGroupBox(QStringLiteral("备份还原"), this);
    buildBackupGroup(m_backupGroup);

    // Two columns, so that the page fits the page area of a 1366 x 768 screen.
    grid->addWidget(m_recordGroup, 0, 0);
    grid->addWidget(m_logGroup, 0, 1);
    grid->addWidget(m_passwordGroup, 1, 0);
    grid->addWidget(m_vadGroup, 1, 1);
    grid->addWidget(m_nameGroup, 2, 0);
    grid->addWidget(m_backupGroup, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
}

void OvSystemSettingForm::buildBackupGroup(QGroupBox *group)
{
    auto *l = new QGridLayout(group);
    m_backupDir = new QLineEdit(group);
    m_backupDir->setEnabled(false);
    m_backupDirButton = fixedButton(QStringLiteral("..."), 30, group);
    m_backupButton = fixedButton(QStringLiteral("备份"), 75, group);
    m_backupButton->setEnabled(false);
    m_restoreFile = new QLineEdit(group);
    m_restoreFile->setEnabled(false);
    m_restoreFileButton = fixedButton(QStringLiteral("..."), 30, group);
    m_restoreButton = fixedButton(QStringLiteral("还原"), 75, group);
    m_restoreButton->setEnabled(false);
    m_backupState = new QLabel(group);
    m_backupState->setObjectName(QStringLiteral("backupState"));
    l->addWidget(new QLabel(QStringLiteral("备份目录："), group), 0, 0);
    l->addWidget(m_backupDir, 0, 1);
    l->addWidget(m_backupDirButton, 0, 2);
    l->addWidget(m_backupButton, 0, 3);
    l->addWidget(new QLabel(QStringLiteral("还原文件："), group), 1, 0);
    l->addWidget(m_restoreFile, 1, 1);
    l->addWidget(m_restoreFileButton, 1, 2);
    l->addWidget(m_restoreButton, 1, 3);
    l->addWidget(new QLabel(QStringLiteral("注意：成功还原数据会重启服务器"), group), 2, 0, 1, 2);
    l->addWidget(m_backupState, 3, 0, 1, 4);
    m_backupAnswerTimer = new QTimer(this);
    m_backupAnswerTimer->setSingleShot(true);
}

void OvSystemSettingForm::connectSignals()
{
    connect(&m_mgr, &OvServerConfigMgr::gotServerList, this, &OvSystemSettingForm::slot_gotServerConfig);
    connect(&m_mgr, &OvServerConfigMgr::gotBackupMd5, this, &OvSystemSettingForm::slot_gotBackupMd5);
    connect(&m_mgr, &OvServerConfigMgr::downloadFinish, this, &OvSystemSettingForm::slot_downlaodFinish);
    connect(&m_mgr, &OvServerConfigMgr::uploadFinish, this, &OvSystemSettingForm::slot_uplaodFinish);
    connect(&m_mgr, &OvServerConfigMgr::backupRefused, this, &OvSystemSettingForm::slot_backupRefused);
    connect(&m_mgr, &OvServerConfigMgr::transferFailed, this, &OvSystemSettingForm::slot_transferFailed);
    connect(&m_mgr, &OvServerConfigMgr::transferProgress, this, &OvSystemSettingForm::slot_transferProgress);
    connect(m_recordButton, &QPushButton::clicked, this, &OvSystemSettingForm::slot_setRecordServerBtnClick);
    connect(m_logButton, &QPushButton::clicked, this, &OvSystemSettingForm::slot_setLogServerBtnClick);
    connect(m_passwordButton, &QPushButton::clicked, this, &OvSystemSettingForm::slot_setPasswordBtnClick);
    connect(m_vadButton, &QPushButton::clicked, this, &OvSystemSettingForm::slot_setVadPttBtnClick);
    connect(m_nameButton, &QPushButton::clicked, this, &OvSystemSettingForm::slot_saveTitleClicked);
    connect(m_backupDirButton, &QPushButton::clicked, this, &OvSystemSettingForm::slot_backupDownloadDirClicked);
    connect(m_backupButton, &QPushButton::clicked, this, &OvSystemSettingForm::slot_backupDownloadStartClicked);
    connect(m_restoreFileButton, &QPushButton::clicked, this, &OvSystemSettingForm::slot_uploadRestoreDirClicked);
    connect(m_restoreButton, &QPushButton::clicked, this, &OvSystemSettingForm::slot_uploadRestoreStartClicked);
    connect(m_backupAnswerTimer, &QTimer::timeout, this, &OvSystemSettingForm::slot_backupAnswerOverdue);
}

void OvSystemSettingForm::message(const QString &title, const QString &text, int type)
{
    showMessageDialog(title, text, type, this);
}

QString OvSystemSettingForm::failureText(int result) const
{
    switch (result) {
    case Refused: {
        const QString reason = QString::fromUtf8(m_mgr.lastRefusal());
        return reason.isEmpty() ? QStringLiteral("服务器拒绝了此设置") : QStringLiteral("服务器：") + reason;
    }
    case TimedOut: return QStringLiteral("服务器没有应答");
    case NotConnected: return QStringLiteral("未连接服务器");
    default: return QStringLiteral("无法发送请求");
    }
}

void OvSystemSettingForm::refusal(const QString &what, int result)
{
    message(QStringLiteral("提示"), what + QStringLiteral("\n") + failureText(result), BaseMessageDialog::ConfirmOnly);
}

void OvSystemSettingForm::slot_gotServerConfig()
{
    bool titleSeen = false;
    const quint16 recordPort = quint16(StartupSettings::read(m_env.configPath).recordDownPort);
    for (const ServerParameter &p : m_mgr.parameters()) {
        const QString value = QString::fromUtf8(p.value);
        const QStringList parts = value.split(QLatin1Char(':'));
        switch (p.kind) {
        case ServerParameter::RecordServer:
            if (parts.size() >= 2) {
                m_recordIp->setText(parts[0]);
                m_recordPort->setText(parts[1]);
                m_recordStatus->setText(kSet);
                m_env.setRecordEndpoint(parts[0], recordPort);
            }
            break;
        case ServerParameter::TalkLogServer:
            if (parts.size() >= 2) {
                m_logIp->setText(parts[0]);
                m_logPort->setText(parts[1]);
                m_logStatus->setText(kSet);
            }
            break;
        case ServerParameter::VadPttTimeOut:
            m_vadTimeout->setText(value);
            m_vadStatus->setText(kSet);
            break;
        case ServerParameter::SystemName:
            titleSeen = true;
            m_title = value;
            m_name->setText(value);
            emit sendTitleString(value);
            break;
        default:
            break;
        }
    }
    if (!titleSeen) {
        m_title = kDefaultTitle;
        m_name->setText(kDefaultTitle);
        emit sendTitleString(kDefaultTitle);
    }
}

bool OvSystemSettingForm::setServerAddress(QLineEdit *ip, QLineEdit *port, QLabel *status, QGroupBox *group,
                                           int code, int defaultPort)
{
    if (!group->isChecked() || !m_level.checkPermission())
        return false;
    const QString host = ip->text().trimmed();
    if (!settingchecks::isServerHost(host)) {
        message(QStringLiteral("提示"), QStringLiteral("IP地址格式不正确！"), BaseMessageDialog::ConfirmOnly);
        return false;
    }
    const auto portNumber = settingchecks::serverPort(port->text(), defaultPort);
    if (!portNumber) {
        message(QStringLiteral("提示"), QStringLiteral("端口必须是1到65535之间的整数！"), BaseMessageDialog::ConfirmOnly);
        return false;
    }
    const QByteArray value = host.toUtf8() + ':' + QByteArray::number(*portNumber);
    const int result = m_mgr.setParameter(value, code);
    if (result != Done) {
        // The group stays open with the operator's text for another try.
        status->setText(kSetFailed);
        refusal(QStringLiteral("设置失败！"), result);
        return false;
    }
    ip->setText(host);
    port->setText(QString::number(*portNumber));
    group->setChecked(false);
    status->setText(kSet);
    return true;
}

void OvSystemSettingForm::slot_setRecordServerBtnClick()
{
    if (setServerAddress(m_recordIp, m_recordPort, m_recordStatus, m_recordGroup,
                         OvServerConfigManage::RecordServerCode, kDefaultRecordPort)) {
        m_env.setRecordEndpoint(m_recordIp->text(),
                                quint16(StartupSettings::read(m_env.configPath).recordDownPort));
    }
}

void OvSystemSettingForm::slot_setLogServerBtnClick()
{
    setServerAddress(m_logIp, m_logPort, m_logStatus, m_logGroup, OvServerConfigManage::TalkLogServerCode,
                     kDefaultLogPort);
}

void OvSystemSettingForm::slot_setPasswordBtnClick()
{
    if (!m_passwordGroup->isChecked() || !m_level.checkPermission())
        return;
    const QString password = m_password->text();
    if (password.isEmpty()) {
        message(QStringLiteral("提示"), QStringLiteral("密码不能为空！"), BaseMessageDialog::ConfirmOnly);
        return;
    }
    const int result = m_mgr.setParameter(password.toUtf8(), OvServerConfigManage::AdminPasswordCode);
    m_password->clear();
    if (result != Done) {
        refusal(QStringLiteral("密码修改失败！"), result);
        return;
    }
    m_passwordGroup->setChecked(false);
    message(QStringLiteral("提示"), QStringLiteral("密码修改成功！"), BaseMessageDialog::SelfClosing);
}

void OvSystemSettingForm::slot_setVadPttBtnClick()
{
    if (!m_vadGroup->isChecked() || !m_level.checkPermission())
        return;
    const auto seconds = settingchecks::vadTimeout(m_vadTimeout->text());
    if (!seconds) {
        message(QStringLiteral("提示"), QStringLiteral("超时时间必须是整数秒！"), BaseMessageDialog::ConfirmOnly);
        return;
    }
    if (*seconds < settingchecks::kMinVadTimeout) {
        message(QStringLiteral("提示"), QStringLiteral("超时时间必须大于或者等于300秒"), BaseMessageDialog::ConfirmOnly);
        for (const ServerParameter &p : m_mgr.parameters()) {
            if (p.kind == ServerParameter::VadPttTimeOut) {
                m_vadTimeout->setText(QString::fromUtf8(p.value));
                break;
            }
        }
        return;
    }
    const int result = m_mgr.setVadTimeout(QByteArray::number(*seconds));
    if (result != Done) {
        m_vadStatus->setText(kSetFailed);
        refusal(QStringLiteral("设置失败！"), result);
        return;
    }
    m_vadTimeout->setText(QString::number(*seconds));
    m_vadStatus->setText(kSet);
    m_vadGroup->setChecked(false);
}

void OvSystemSettingForm::slot_saveTitleClicked()
{
    const QString name = m_name->text();
    if (name.isEmpty()) {
        message(QStringLiteral("提示"), QStringLiteral("请输入名称！"), BaseMessageDialog::ConfirmOnly);
        return;
    }
    if (!m_level.checkPermission())
        return;
    const int result = m_mgr.setParameter(name.toUtf8(), OvServerConfigManage::SystemNameCode);
    if (result != Done) {
        refusal(QStringLiteral("名称修改失败！"), result);
        return;
    }
    m_nameGroup->setChecked(false);
    m_title = name;
    emit sendTitleString(name);
    if (!configfile::writeText(m_env.configPath, "Setting", "Title", name))
        message(QStringLiteral("提示"), QStringLiteral("名称无法写入config.ini！"), BaseMessageDialog::ConfirmOnly);
}
