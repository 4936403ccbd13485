// Turns a FileList answer into listing entries in display order: all
// directories, then all files, each group in Chinese collation order.
#pragma once

#include "media/OvMediaFile.h"

#include <QJsonObject>
#include <QList>

namespace MediaListing {

OvMediaFile_t entryFromJson(const QJsonObject &element);

// False when the answer carries no "FileList" array (the caller then keeps
// its list as it was).
bool fromAnswer(const QJsonObject &answer, QList<OvMediaFile_t> *out);

// Directories collected in reverse order of arrival, files in order of
// arrival, then each group sorted stably by name.
QList<OvMediaFile_t> ordered(const QList<OvMediaFile_t> &arrival);

// Compares names as a reader of Chinese expects (pinyin order where the
// platform's collation data provides it).
bool nameLess(const QString &a, const QString &b);

} // namespace MediaListing
