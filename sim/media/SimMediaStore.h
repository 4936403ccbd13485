// The media store of the file service: a directory tree on disk. Every path
// a client names is resolved here and refused when it leaves the root.
#pragma once

#include <QJsonArray>
#include <QString>
#include <QVector>

class SimMediaStore
{
public:
    explicit SimMediaStore(const QString &root); // root must exist
    QString root() const { return m_root; }

    // Serves the existing directory localDir under the absolute server path
    // serverDir as well ("/tmp/databackup"): full paths below serverDir
    // resolve into localDir, with the same rules as below the root.
    void mapDirectory(const QString &serverDir, const QString &localDir);

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
    static bool resolveIn(const QString &base, const QString &rel, QString *abs);
    static bool staysInside(const QString &base, const QString &abs);

    struct Mapping {
        QString serverDir; // without trailing "/"
        QString localDir;  // canonical
    };

    QString m_root; // canonical, without trailing "/"
    QVector<Mapping> m_mappings;
};
