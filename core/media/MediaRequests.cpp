#include "media/MediaRequests.h"

#include <initializer_list>

namespace {

// printf-style filling of %s and %d in order, without a fixed buffer.
QByteArray fill(const char *tmpl, std::initializer_list<QByteArray> values, int limit)
{
    QByteArray out;
    auto next = values.begin();
    for (const char *p = tmpl; *p; ++p) {
        if (p[0] == '%' && (p[1] == 's' || p[1] == 'd') && next != values.end()) {
            out += *next++;
            ++p;
        } else {
            out += *p;
        }
    }
    return out.size() > limit ? QByteArray() : out;
}

QByteArray num(qint64 v) { return QByteArray::number(v); }
// A JSON string's content: names come from the server's listings and the
// log database, and a quote or backslash in one must not end the string.
QByteArray text(const QString &s)
{
    const QByteArray utf8 = s.toUtf8();
    QByteArray out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[u >> 4];
            out += hex[u & 0xf];
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

namespace MediaRequests {

QByteArray getFileRoot(int cseq)
{
    return fill("{\"Command\":\"GetFileRoot\",\"CSeq\":\"%d\"}\r\n\r\n", {num(cseq)}, kRequestLimit);
}

QByteArray getFileList(const QString &dirName, int cseq)
{
    return fill("{\"Command\":\"GetFileList\",\"DirName\":\"%s\",\"CSeq\":\"%d\"}\r\n\r\n",
                {text(dirName), num(cseq)}, kRequestLimit);
}

QByteArray getFile(int cseq, const QString &dirName, const QString &fileName)
{
    return fill("{\"Command\": \"GetFile\", \"CSeq\": \"%d\", \"DirName\": \"%s\", "
                "\"FileName\": \"%s\"}\r\n\r\n",
                {num(cseq), text(dirName), text(fileName)}, kGetFileLimit);
}

QByteArray postFile(const QString &dirName, int cseq, const QString &fileName, qint64 fileLen)
{
    return fill("{\"Command\":\"PostFile\",\"DirName\":\"%s\",\"CSeq\":\"%d\",\"FileName\":\"%s\", "
                "\"FileLen\":\"%d\"}\r\n\r\n",
                {text(dirName), num(cseq), text(fileName), num(fileLen)}, kRequestLimit);
}

QByteArray delFile(const QString &dirName, const QString &fileName, int cseq)
{
    return fill("{\"Command\":\"DelFile\",\"DirName\":\"%s\",\"FileName\":\"%s\",\"CSeq\":\"%d\"}"
                "\r\n\r\n",
                {text(dirName), text(fileName), num(cseq)}, kRequestLimit);
}

QByteArray deleteDir(const QString &dirName, int cseq)
{
    return fill("{\"Command\":\"DeleteDIR\",\"DirName\":\"%s\",\"CSeq\":\"%d\"}\r\n\r\n",
                {text(dirName), num(cseq)}, kRequestLimit);
}

QByteArray creatDir(const QString &dirName, int cseq)
{
    return fill("{\"Command\":\"CreatDIR\",\"DirName\":\"%s\",\"CSeq\":\"%d\"}\r\n\r\n",
                {text(dirName), num(cseq)}, kRequestLimit);
}

QByteArray renameFile(int cseq, const QString &dirName, const QString &oldName,
                      const QString &newName)
{
    return fill("{\"Command\":\"RenameFile\",\"CSeq\":\"%d\",\"DirName\":\"%s\",\"OldFileName\":"
                "\"%s\",\"NewFileName\":\"%s\"}\r\n\r\n",
                {num(cseq), text(dirName), text(oldName), text(newName)}, kRequestLimit);
}

QByteArray renameDirectory(int cseq, const QString &oldDirName, const QString &newDirName)
{
    return fill("{\"Command\":\"RenameDIR\",\"CSeq\":\"%d\",\"DirName\":\"\",\"OldDirName\":\"%s\","
                "\"NewDirName\":\"%s\"}\r\n\r\n",
                {num(cseq), text(oldDirName), text(newDirName)}, kRequestLimit);
}

} // namespace MediaRequests
