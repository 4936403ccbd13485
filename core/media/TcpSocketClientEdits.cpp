// Deleting, creating and renaming entries of the media store.
#include "media/TcpSocketClient.h"

#include "media/MediaAnswer.h"
#include "media/MediaPaths.h"
#include "media/MediaRequests.h"

void TcpSocketClient::deleteEntry(const FtpWorkItem &item)
{
    const QString path = item.path2;
    const QString name = MediaPaths::namePart(path);
    QByteArray answer;
    if (item.flag == 0) {
        const QByteArray request =
            MediaRequests::delFile(MediaPaths::dirPart(path), name, nextSeq());
        if (!singleExchange(request, &answer))
            emit ftpError(2, name, -1);
        return;
    }
    const int subDirs = checkSubDirs(path);
    if (subDirs != 0) {
        emit ftpError(3, name, subDirs);
        return;
    }
    bool under = false;
    const QString below = MediaPaths::belowRoot(path, mediaRoot(), &under);
    // Never send an empty path: the server would take it for the root.
    if (!under || below.isEmpty()
        || !singleExchange(MediaRequests::deleteDir(below, nextSeq()), &answer))
        emit ftpError(3, name, -1);
}

void TcpSocketClient::createDir(const FtpWorkItem &item)
{
    const QString name = MediaPaths::namePart(item.path2);
    bool under = false;
    const QString below = MediaPaths::belowRoot(item.path2, mediaRoot(), &under);
    QByteArray answer;
    if (!under || below.isEmpty()
        || !singleExchange(MediaRequests::creatDir(below, nextSeq()), &answer)) {
        emit ftpError(6, name, -1);
        return;
    }
    if (!answer.endsWith(MediaAnswer::terminator()))
        return;
    answer.chop(MediaAnswer::terminator().size());
    const auto obj = MediaAnswer::parseObject(answer);
    if (obj && obj->value(QLatin1String("Command")) == QLatin1String("CreatDIR"))
        emit socketUpdateMedia();
}

void TcpSocketClient::renameEntry(const FtpWorkItem &item)
{
    const QString oldName = MediaPaths::namePart(item.path1);
    const QString newName = MediaPaths::namePart(item.path2);
    const QString dir = MediaPaths::renameDir(item.path2, mediaRoot());
    const QByteArray request = item.flag == 1
        ? MediaRequests::renameDirectory(nextSeq(), dir + QLatin1Char('/') + oldName,
                                         dir + QLatin1Char('/') + newName)
        : MediaRequests::renameFile(nextSeq(), dir, oldName, newName);
    QByteArray answer;
    if (!singleExchange(request, &answer, false))
        emit ftpError(7, oldName, item.flag == 1 ? 1 : 0);
}
