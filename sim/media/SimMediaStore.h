// The media store of the file service: a directory tree on disk. Every path
// a client names is resolved here and refused when it leaves the root.
#pragma once

#include <QJsonArray>
#include <QString>

class SimMediaStore
{
public:
    explicit SimMediaStore(const QString &root); // root must exist
    QString root() const { return m_root; }

    // A full server path ("<root>/a/b"): the root itself or below it.
    bool resolveFull(const QString &path, QString *abs) const;
    // A path below the root, with or without a leading "/".
    bool resolveBelow(const QString &path, QString *abs) const;
    // A single entry name: no separators, not "." or "..".
    static bool isPlainName(const QString &name);
    // An absolute path below the root as the clients see it.
    QString serverPath(const QString &abs) const;

    QJsonArray list(const QString &absDir, bool *ok) const;

private:
    bool resolveParts(const QString &rel, QString *abs) const;
    bool staysInside(const QString &abs) const;

    QString m_root; // canonical, without trailing "/"
};
