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

// A JSON string value: '"', '\\' and the control characters are escaped, so
// a name can neither end its value early nor add members of its own. Every
// other byte, UTF-8 included, goes in as it is.
QByteArray text(const QString &s)
{
    const QByteArray utf8 = s.toUtf8();
    QByteArray out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (u < 0x20)
                out += "\\u00" + QByteArray::number(u, 16).rightJustified(2, '0');
            else
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
