// The commands of the file service, one handler each.
#include "SimMediaSession.h"

#include "SimMediaStore.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QTcpSocket>

namespace {

QString field(const QJsonObject &o, const char *key)
{
    return o.value(QLatin1String(key)).toString();
}

// A file of the store named by a directory and an entry name.
bool resolveEntry(const SimMediaStore &store, const QString &dir, const QString &name,
                  bool fullDir, QString *abs)
{
    if (!SimMediaStore::isPlainName(name))
        return false;
    // Resolved as one full path, so a directory the store maps in from
    // elsewhere ("/tmp/databackup") is found like one below the root.
    if (fullDir)
        return store.resolveFull(dir + QLatin1Char('/') + name, abs);
    QString absDir;
    if (!store.resolveBelow(dir, &absDir))
        return false;
    return store.resolveFull(absDir + QLatin1Char('/') + name, abs);
}

} // namespace

void SimMediaSession::getFileRoot(const QJsonObject &)
{
    QJsonObject o = reply("PostFileRoot");
    o.insert(QStringLiteral("FileRoot"), m_store.root());
    answer(o);
}

void SimMediaSession::getFileList(const QJsonObject &req)
{
    QJsonObject o = reply("GetFileList");
    QString abs;
    bool ok = false;
    const QJsonArray list = m_store.resolveFull(field(req, "DirName"), &abs)
        ? m_store.list(abs, &ok) : QJsonArray();
    if (!ok) {
        answer(o, QStringLiteral("no such directory"));
        return;
    }
    o.insert(QStringLiteral("FileList"), list);
    answer(o);
}

void SimMediaSession::getFile(const QJsonObject &req)
{
    QJsonObject o = reply("GetFile");
    QString abs;
    if (!resolveEntry(m_store, field(req, "DirName"), field(req, "FileName"), true, &abs)
        || !QFileInfo(abs).isFile()) {
        o.insert(QStringLiteral("FileLen"), QStringLiteral("-1"));
        answer(o, QStringLiteral("no such file"));
        return;
    }
    const qint64 size = QFileInfo(abs).size();
    o.insert(QStringLiteral("FileLen"), QString::number(size));
    sendDownload(o, abs, size);
}

void SimMediaSession::postFile(const QJsonObject &req)
{
    QString abs;
    bool lengthOk = false;
    const qint64 length = field(req, "FileLen").toLongLong(&lengthOk);
    if (!resolveEntry(m_store, field(req, "DirName"), field(req, "FileName"), true, &abs)
        || QFileInfo(abs).isDir() || !lengthOk || length < 0 || length > kUploadCap) {
        answer(reply("PostFile"), QStringLiteral("upload refused"));
        return;
    }
    // Written beside the target and renamed into place when complete, so a
    // cut upload never leaves a short file under the real name.
    m_upload = std::make_unique<QSaveFile>(abs);
    if (!m_upload->open(QIODevice::WriteOnly)) {
        m_upload.reset();
        answer(reply("PostFile"), QStringLiteral("cannot write"));
        return;
    }
    m_uploadLeft = length;
    onUploadBytes();
}

void SimMediaSession::onUploadBytes()
{
    QByteArray bytes = m_in;
    m_in.clear();
    bytes += m_socket->read(m_uploadLeft - bytes.size() > 0 ? m_uploadLeft - bytes.size() : 0);
    bytes.truncate(static_cast<int>(qMin<qint64>(bytes.size(), m_uploadLeft)));
    if (!bytes.isEmpty() && m_upload->write(bytes) != bytes.size()) {
        m_upload.reset();
        m_socket->abort();
        return;
    }
    m_uploadLeft -= bytes.size();
    if (m_uploadLeft > 0)
        return;
    const bool ok = m_upload->commit();
    m_upload.reset();
    answer(reply("PostFile"), ok ? QString() : QStringLiteral("cannot write"));
}

void SimMediaSession::delFile(const QJsonObject &req)
{
    QString abs;
    const bool ok = resolveEntry(m_store, field(req, "DirName"), field(req, "FileName"), true, &abs)
        && QFileInfo(abs).isFile() && QFile::remove(abs);
    answer(reply("DelFile"), ok ? QString() : QStringLiteral("cannot delete"));
}

void SimMediaSession::deleteDir(const QJsonObject &req)
{
    QString abs;
    const bool ok = m_store.resolveBelow(field(req, "DirName"), &abs) && abs != m_store.root()
        && QFileInfo(abs).isDir() && !QFileInfo(abs).isSymLink()
        && QDir(abs).removeRecursively();
    answer(reply("DeleteDIR"), ok ? QString() : QStringLiteral("cannot delete"));
}

void SimMediaSession::creatDir(const QJsonObject &req)
{
    QString abs;
    const bool ok = m_store.resolveBelow(field(req, "DirName"), &abs) && abs != m_store.root()
        && QDir().mkpath(abs);
    answer(reply("CreatDIR"), ok ? QString() : QStringLiteral("cannot create"));
}

void SimMediaSession::renameFile(const QJsonObject &req)
{
    const QString dir = field(req, "DirName");
    QString from;
    QString to;
    const bool ok = resolveEntry(m_store, dir, field(req, "OldFileName"), false, &from)
        && resolveEntry(m_store, dir, field(req, "NewFileName"), false, &to)
        && QFileInfo(from).isFile() && !QFileInfo::exists(to) && QFile::rename(from, to);
    answer(reply("RenameFile"), ok ? QString() : QStringLiteral("cannot rename"));
}

void SimMediaSession::renameDir(const QJsonObject &req)
{
    QString from;
    QString to;
    const bool ok = m_store.resolveBelow(field(req, "OldDirName"), &from)
        && m_store.resolveBelow(field(req, "NewDirName"), &to) && from != m_store.root()
        && to != m_store.root() && !to.startsWith(from + QLatin1Char('/'))
        && QFileInfo(from).isDir() && !QFileInfo::exists(to) && QDir().rename(from, to);
    answer(reply("RenameDIR"), ok ? QString() : QStringLiteral("cannot rename"));
}
