#include "media/MediaListing.h"

#include "media/MediaAnswer.h"

#include <QCollator>
#include <QJsonArray>
#include <QLocale>

#include <algorithm>

namespace MediaListing {

OvMediaFile_t entryFromJson(const QJsonObject &element)
{
    OvMediaFile_t e;
    e.fullName = MediaAnswer::text(element, "FileName");
    e.size = MediaAnswer::text(element, "Size");
    e.createDate = MediaAnswer::text(element, "CreatDate");
    e.isDir = e.size == QLatin1String("-1");
    const int slash = e.fullName.lastIndexOf(QLatin1Char('/'));
    e.path = slash < 0 ? QString() : e.fullName.left(slash + 1);
    e.name = e.fullName.mid(slash + 1);
    return e;
}

bool fromAnswer(const QJsonObject &answer, QList<OvMediaFile_t> *out)
{
    const QJsonValue list = answer.value(QLatin1String("FileList"));
    if (!list.isArray())
        return false;
    QList<OvMediaFile_t> arrival;
    for (const QJsonValue &v : list.toArray()) {
        if (v.isObject())
            arrival.append(entryFromJson(v.toObject()));
    }
    *out = ordered(arrival);
    return true;
}

bool nameLess(const QString &a, const QString &b)
{
    // One collator per thread: QCollator is not to be shared between threads,
    // and listings run on the worker and on the caller's thread.
    static thread_local QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
    return collator.compare(a, b) < 0;
}

QList<OvMediaFile_t> ordered(const QList<OvMediaFile_t> &arrival)
{
    QList<OvMediaFile_t> dirs;
    QList<OvMediaFile_t> files;
    for (const OvMediaFile_t &e : arrival) {
        if (e.isDir)
            dirs.prepend(e);
        else
            files.append(e);
    }
    auto byName = [](const OvMediaFile_t &a, const OvMediaFile_t &b) {
        return nameLess(a.name, b.name);
    };
    std::stable_sort(dirs.begin(), dirs.end(), byName);
    std::stable_sort(files.begin(), files.end(), byName);
    return dirs + files;
}

} // namespace MediaListing
