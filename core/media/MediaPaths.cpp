#include "media/MediaPaths.h"

#include <QStringList>

namespace MediaPaths {

QString normalise(const QString &path)
{
    const bool absolute = path.startsWith(QLatin1Char('/'));
    QStringList kept;
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!kept.isEmpty())
                kept.removeLast();
            continue;
        }
        kept.append(part);
    }
    const QString joined = kept.join(QLatin1Char('/'));
    return absolute ? QLatin1Char('/') + joined : joined;
}

QString dirPart(const QString &path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

QString namePart(const QString &path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

QString belowRoot(const QString &fullPath, const QString &root, bool *ok)
{
    const QString r = normalise(root);
    const QString p = normalise(fullPath);
    bool under = false;
    QString rest;
    if (r.isEmpty() || r == QLatin1String("/")) {
        under = !r.isEmpty() || !p.startsWith(QLatin1Char('/'));
        rest = p.startsWith(QLatin1Char('/')) ? p.mid(1) : p;
    } else if (p == r) {
        under = true;
    } else if (p.startsWith(r + QLatin1Char('/'))) {
        under = true;
        rest = p.mid(r.size() + 1);
    }
    if (ok)
        *ok = under;
    return under ? rest : QString();
}

QString renameDir(const QString &newFullPath, const QString &root)
{
    const QString r = normalise(root);
    const int slash = newFullPath.lastIndexOf(QLatin1Char('/'));
    const QString upToSlash = slash < 0 ? QString() : newFullPath.left(slash + 1);
    if (upToSlash.size() <= r.size())
        return QString();
    QString rest = upToSlash.mid(r.size());
    rest.chop(1);
    return rest;
}

bool isRecordingPath(const QString &path)
{
    return path.contains(QLatin1String("media/talk_record_file/"))
        || path.contains(QLatin1String("TalkServerData/record"));
}

} // namespace MediaPaths
