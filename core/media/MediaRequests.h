// Request texts of the media file channel. The server expects these exact
// byte sequences, irregular spacing included. Values go in as JSON string
// contents: a name that needs no escaping keeps its exact bytes, while '"',
// '\\' and control characters are escaped (names also come from the
// server's own listings, which nobody has vetted). Each builder returns an
// empty array when the text would exceed the request size limit, so an
// over-long name is refused instead of sent truncated.
#pragma once

#include <QByteArray>
#include <QString>

namespace MediaRequests {

constexpr int kGetFileLimit = 1023;
constexpr int kRequestLimit = 4095;

QByteArray getFileRoot(int cseq);
QByteArray getFileList(const QString &dirName, int cseq);
QByteArray getFile(int cseq, const QString &dirName, const QString &fileName);
QByteArray postFile(const QString &dirName, int cseq, const QString &fileName, qint64 fileLen);
QByteArray delFile(const QString &dirName, const QString &fileName, int cseq);
QByteArray deleteDir(const QString &dirName, int cseq);
QByteArray creatDir(const QString &dirName, int cseq);
QByteArray renameFile(int cseq, const QString &dirName, const QString &oldName,
                      const QString &newName);
QByteArray renameDirectory(int cseq, const QString &oldDirName, const QString &newDirName);

} // namespace MediaRequests
