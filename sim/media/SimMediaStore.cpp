#include "SimMediaStore.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QStringList>

SimMediaStore::SimMediaStore(const QString &root)
    : m_root(QFileInfo(root).canonicalFilePath())
{
}

bool SimMediaStore::isPlainName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && !name.contains(QChar(0));
}

void SimMediaStore::mapDirectory(const QString &serverDir, const QString &localDir)
{
    QString server = serverDir;
    while (server.size() > 1 && server.endsWith(QLatin1Char('/')))
        server.chop(1);
    m_mappings.append({server, QFileInfo(localDir).canonicalFilePath()});
}

bool SimMediaStore::resolveFull(const QString &path, QString *abs) const
{
    for (const Mapping &m : m_mappings) {
        if (path == m.serverDir)
            return resolveIn(m.localDir, QString(), abs);
        if (path.startsWith(m.serverDir + QLatin1Char('/')))
            return resolveIn(m.localDir, path.mid(m.serverDir.size() + 1), abs);
    }
    if (path == m_root)
        return resolveParts(QString(), abs);
    if (!path.startsWith(m_root + QLatin1Char('/')))
        return false;
    return resolveParts(path.mid(m_root.size() + 1), abs);
}

bool SimMediaStore::resolveBelow(const QString &path, QString *abs) const
{
    return resolveParts(path, abs);
}

bool SimMediaStore::resolveParts(const QString &rel, QString *abs) const
{
    return resolveIn(m_root, rel, abs);
}

bool SimMediaStore::resolveIn(const QString &base, const QString &rel, QString *abs)
{
    if (base.isEmpty() || rel.contains(QChar(0)) || rel.contains(QLatin1Char('\\')))
        return false;
    QStringList kept;
    for (const QString &part : rel.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            return false; // refused outright rather than resolved
        if (part != QLatin1String("."))
            kept.append(part);
    }
    const QString candidate =
        kept.isEmpty() ? base : base + QLatin1Char('/') + kept.join(QLatin1Char('/'));
    if (!staysInside(base, candidate))
        return false;
    *abs = candidate;
    return true;
}

bool SimMediaStore::staysInside(const QString &base, const QString &abs)
{
    // A link inside the store must not lead out of it: check the deepest
    // part of the path that exists, after resolving links.
    QString probe = abs;
    while (!QFileInfo::exists(probe) && probe.size() > base.size())
        probe = probe.left(probe.lastIndexOf(QLatin1Char('/')));
    const QString real = QFileInfo(probe).canonicalFilePath();
    return real == base || real.startsWith(base + QLatin1Char('/'));
}

QString SimMediaStore::serverPath(const QString &abs) const
{
    return abs;
}

QJsonArray SimMediaStore::list(const QString &absDir, bool *ok) const
{
    QJsonArray out;
    const QFileInfo dirInfo(absDir);
    *ok = dirInfo.isDir();
    if (!*ok)
        return out;
    // Sorted by name regardless of type, so files and directories arrive
    // interleaved as the real store sends them.
    const QFileInfoList entries = QDir(absDir).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo &e : entries) {
        QJsonObject o;
        o.insert(QStringLiteral("FileName"), serverPath(e.absoluteFilePath()));
        o.insert(QStringLiteral("Size"),
                 e.isDir() ? QStringLiteral("-1") : QString::number(e.size()));
        o.insert(QStringLiteral("CreatDate"),
                 e.lastModified().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        out.append(o);
    }
    return out;
}
