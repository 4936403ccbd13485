// The backup-and-restore group of the system-setting page.
#include "screens/settings/OvSystemSettingForm.h"

#include "framework/BaseMessageDialog.h"
#include "managers/serverconfig/OvServerConfigMgr.h"
#include "managers/serverconfig/SettingChecks.h"
#include "protocol/RequestResult.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

const QString kServerBackupDir = QStringLiteral("/tmp/databackup/");
const QString kServerRecoveryDir = QStringLiteral("/tmp/datarecovery/");

} // namespace

void OvSystemSettingForm::setBackupState(Transfer state, const QString &text)
{
    m_transfer = state;
    m_backupState->setText(text);
    const bool idle = state == Transfer::None;
    m_backupButton->setEnabled(idle && !m_backupDir->text().isEmpty());
    m_restoreButton->setEnabled(idle && !m_restoreFile->text().isEmpty());
    m_backupDirButton->setEnabled(idle);
    m_restoreFileButton->setEnabled(idle);
    if (state != Transfer::AwaitingAnswer)
        m_backupAnswerTimer->stop();
}

void OvSystemSettingForm::backupFailed(const QString &reason)
{
    setBackupState(Transfer::None, QString());
    message(QStringLiteral("提示"),
            reason.isEmpty() ? QStringLiteral("数据备份失败！") : QStringLiteral("数据备份失败！\n") + reason,
            BaseMessageDialog::ConfirmOnly);
}

void OvSystemSettingForm::slot_backupDownloadDirClicked()
{
    const QString dir = m_env.chooseBackupDirectory(this);
    if (dir.isEmpty())
        return;
    m_backupDir->setText(dir);
    m_backupButton->setEnabled(m_transfer == Transfer::None);
}

void OvSystemSettingForm::slot_backupDownloadStartClicked()
{
    m_backupButton->setEnabled(false);
    if (m_backupDir->text().isEmpty() || m_transfer != Transfer::None)
        return;
    if (!m_level.checkPermission()) {
        m_backupButton->setEnabled(true);
        return;
    }
    const QString name = settingchecks::backupFileName(QDate::currentDate());
    setBackupState(Transfer::AwaitingAnswer, QStringLiteral("备份中…"));
    m_deferredRefusal.clear();
    m_requestingBackup = true;
    const int result = m_mgr.setParameter(name.toUtf8(), OvServerConfigManage::BackupCode);
    m_requestingBackup = false;
    if (!m_deferredRefusal.isNull()) {
        backupFailed(m_deferredRefusal);
        return;
    }
    switch (result) {
    case Done:
        // The answer is on its way through gotBackupMd5 (or already here).
        break;
    case Refused:
        // Shown through backupRefused; nothing more to do here.
        if (m_transfer == Transfer::AwaitingAnswer)
            backupFailed(QString::fromUtf8(m_mgr.lastRefusal()));
        break;
    case TimedOut:
        // Writing a large backup takes the server longer than a request
        // waits: its answer is still taken when it comes, and the console
        // stays usable meanwhile.
        if (m_transfer == Transfer::AwaitingAnswer)
            m_backupAnswerTimer->start(m_env.backupAnswerLimitMs);
        break;
    default:
        m_mgr.forgetBackupAnswer();
        backupFailed(failureText(result));
        break;
    }
}

void OvSystemSettingForm::slot_backupRefused(const QString &reason)
{
    if (m_transfer != Transfer::AwaitingAnswer)
        return;
    if (m_requestingBackup) {
        // Still inside the request: shown once it has returned.
        m_deferredRefusal = reason.isNull() ? QString(QLatin1String("")) : reason;
        return;
    }
    backupFailed(reason);
}

void OvSystemSettingForm::slot_backupAnswerOverdue()
{
    if (m_transfer != Transfer::AwaitingAnswer)
        return;
    m_mgr.forgetBackupAnswer();
    backupFailed(QStringLiteral("服务器在%1秒内没有给出备份结果").arg(m_env.backupAnswerLimitMs / 1000));
}

void OvSystemSettingForm::slot_gotBackupMd5()
{
    if (m_transfer != Transfer::AwaitingAnswer)
        return;
    const ServerParameter answer = m_mgr.backupAnswer();
    const QString name = QString::fromUtf8(answer.name);
    if (name.isEmpty()) {
        backupFailed(QStringLiteral("服务器没有给出备份文件名"));
        return;
    }
    // The name becomes part of a local path: only a plain file name will do.
    if (!settingchecks::isSafeServerFileName(name)) {
        backupFailed(QStringLiteral("服务器给出的备份文件名不可用：") + name);
        return;
    }
    m_backupLocalPath = m_env.downloadDirectory + QLatin1Char('/') + name;
    setBackupState(Transfer::Downloading, QStringLiteral("下载中…"));
    m_mgr.fetchBackup(kServerBackupDir + name, m_backupLocalPath);
}

void OvSystemSettingForm::slot_transferProgress(qint64 done, qint64 total)
{
    if ((m_transfer != Transfer::Downloading && m_transfer != Transfer::Uploading) || total <= 0)
        return;
    const QString what = m_transfer == Transfer::Downloading ? QStringLiteral("下载中…") : QStringLiteral("上传中…");
    m_backupState->setText(what + QStringLiteral(" %1%").arg(done * 100 / total));
}

void OvSystemSettingForm::slot_transferFailed(const QString &reason)
{
    if (m_transfer == Transfer::Downloading) {
        backupFailed(QStringLiteral("备份文件下载失败：") + reason);
    } else if (m_transfer == Transfer::Uploading) {
        setBackupState(Transfer::None, QString());
        // Nothing reached the server's recovery directory: no restore is asked for.
        message(QStringLiteral("提示"), QStringLiteral("文件上传失败！\n") + reason, BaseMessageDialog::ConfirmOnly);
    }
}

void OvSystemSettingForm::slot_downlaodFinish()
{
    if (m_transfer != Transfer::Downloading)
        return;
    const QByteArray computed = m_mgr.downloadedMd5();
    const QByteArray reported = m_mgr.backupAnswer().value;
    std::printf("md5-des %s.\n", computed.constData());
    std::printf("md5-download %s.\n", reported.constData());
    std::fflush(stdout);
    setBackupState(Transfer::None, QString());
    if (!settingchecks::sameDigest(computed, reported)) {
        // A damaged file is no backup: it does not stay where a later copy could take it.
        QFile::remove(m_backupLocalPath);
        message(QStringLiteral("提示"), QStringLiteral("Md5校验失败！"), BaseMessageDialog::ConfirmOnly);
        return;
    }
    copyBackup();
}

void OvSystemSettingForm::copyBackup()
{
    const QFileInfo source(m_backupLocalPath);
    const QString target = m_backupDir->text() + QLatin1Char('/') + source.fileName();
    const QFileInfo targetInfo(target);
    const bool sameFile = targetInfo.exists() && targetInfo.canonicalFilePath() == source.canonicalFilePath();
    if (!sameFile) {
        if (targetInfo.exists()) {
            const int answer = showMessageDialog(QStringLiteral("提示"),
                                                 target + QStringLiteral("\n文件已存在，是否替换？"),
                                                 BaseMessageDialog::ConfirmCancel, this);
            if (answer != QDialog::Accepted) {
                message(QStringLiteral("备份提示"),
                        QStringLiteral("已保留原有文件，备份文件未复制：\n") + m_backupLocalPath,
                        BaseMessageDialog::ConfirmOnly);
                return;
            }
        }
        // Copied beside the target first, so a failed copy never destroys
        // the file it was to replace.
        const QString part = target + QStringLiteral(".part");
        QFile::remove(part);
        if (!QFile::copy(m_backupLocalPath, part) || (targetInfo.exists() && !QFile::remove(target))
            || !QFile::rename(part, target)) {
            QFile::remove(part);
            message(QStringLiteral("提示"), QStringLiteral("备份文件复制失败！\n") + target,
                    BaseMessageDialog::ConfirmOnly);
            return;
        }
    }
    message(QStringLiteral("备份提示"), source.fileName() + QStringLiteral("下载完成！"),
            BaseMessageDialog::ConfirmOnly);
}

void OvSystemSettingForm::slot_uploadRestoreDirClicked()
{
    const QString path = m_env.chooseRestoreFile(this);
    if (path.isEmpty())
        return;
    m_restoreFile->setText(path);
    m_restoreButton->setEnabled(m_transfer == Transfer::None);
}

void OvSystemSettingForm::slot_uploadRestoreStartClicked()
{
    const QString path = m_restoreFile->text();
    if (path.isEmpty() || m_transfer != Transfer::None || !m_level.checkPermission())
        return;
    const QFileInfo info(path);
    m_restoreName = info.fileName();
    const qint64 size = info.isFile() && info.isReadable() ? info.size() : -1;
    switch (settingchecks::checkRestore(m_restoreName, size)) {
    case settingchecks::RestoreCheck::NameTooLong:
        message(QStringLiteral("提示"), QStringLiteral("文件名称超长！"), BaseMessageDialog::ConfirmOnly);
        return;
    case settingchecks::RestoreCheck::ForbiddenCharacter:
        message(QStringLiteral("提示"), QStringLiteral("文件名包含非法字符！"), BaseMessageDialog::ConfirmOnly);
        return;
    case settingchecks::RestoreCheck::TooLarge:
        message(QStringLiteral("提示"), QStringLiteral("%1\n%2").arg(path, QStringLiteral("文件大于1024MB，禁止上传！")),
                BaseMessageDialog::ConfirmOnly);
        return;
    case settingchecks::RestoreCheck::Unreadable:
        message(QStringLiteral("提示"), QStringLiteral("%1\n%2").arg(path, QStringLiteral("文件无法读取！")),
                BaseMessageDialog::ConfirmOnly);
        return;
    case settingchecks::RestoreCheck::Ok:
        break;
    }
    // The digest is taken from the bytes as they are sent, so the file is
    // read once and the server checks exactly what it received.
    m_restorePath = path;
    setBackupState(Transfer::Uploading, QStringLiteral("上传中…"));
    m_mgr.sendRestoreFile(path, kServerRecoveryDir + m_restoreName);
}

void OvSystemSettingForm::slot_uplaodFinish()
{
    if (m_transfer != Transfer::Uploading)
        return;
    m_restoreMd5 = m_mgr.uploadedMd5();
    std::printf("upload %s.\n", m_restoreMd5.constData());
    std::fflush(stdout);
    setBackupState(Transfer::None, QString());
    const int result = m_mgr.setParameterPair(OvServerConfigManage::RecoveryCode, m_restoreName.toUtf8(), m_restoreMd5);
    if (result != Done) {
        const QString why = result == kMissingManager ? QString() : QStringLiteral("\n") + failureText(result);
        message(QStringLiteral("提示"), QStringLiteral("数据恢复失败！") + why, BaseMessageDialog::ConfirmOnly);
        return;
    }
    m_restoreButton->setEnabled(false);
    message(QStringLiteral("提示"), QStringLiteral("数据恢复完成！"), BaseMessageDialog::SelfClosing);
}
