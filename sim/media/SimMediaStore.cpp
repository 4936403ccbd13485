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

bool SimMediaStore::resolveFull(const QString &path, QString *abs) const
{
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
    if (rel.contains(QChar(0)) || rel.contains(QLatin1Char('\\')))
        return false;
    QStringList kept;
    for (const QString &part : rel.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            return false; // refused outright rather than resolved
        if (part != QLatin1String("."))
            kept.append(part);
    }
    const QString candidate =
        kept.isEmpty() ? m_root : m_root + QLatin1Char('/') + kept.join(QLatin1Char('/'));
    if (!staysInside(candidate))
        return false;
    *abs = candidate;
    return true;
}

bool SimMediaStore::staysInside(const QString &abs) const
{
    // A link inside the store must not lead out of it: check the deepest
    // part of the path that exists, after resolving links.
    QString probe = abs;
    while (!QFileInfo::exists(probe) && probe.size() > m_root.size())
        probe = probe.left(probe.lastIndexOf(QLatin1Char('/')));
    const QString real = QFileInfo(probe).canonicalFilePath();
    return real == m_root || real.startsWith(m_root + QLatin1Char('/'));
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
