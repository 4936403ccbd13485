// One entry of a media-store listing as the server reports it.
#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

struct OvMediaFile_t
{
    bool isDir = false;
    QString path;       // "FileName" up to and including its last "/"
    QString name;       // "FileName" after its last "/"
    QString fullName;   // "FileName" as received
    QString size;       // "Size" as received; "-1" for a directory
    QString createDate; // "CreatDate" as received, shown unchanged

    bool operator==(const OvMediaFile_t &o) const
    {
        return isDir == o.isDir && path == o.path && name == o.name && fullName == o.fullName
            && size == o.size && createDate == o.createDate;
    }
    QString toString() const
    {
        return QStringLiteral("%1%2 size=%3 date=%4")
            .arg(isDir ? QStringLiteral("[dir] ") : QString(), fullName, size, createDate);
    }
};

Q_DECLARE_METATYPE(OvMediaFile_t)
Q_DECLARE_METATYPE(QList<OvMediaFile_t>)
Q_DECLARE_METATYPE(QList<OvMediaFile_t> *)
