// Request texts, path forms, answer framing and listing order of the media
// file channel, checked without a network.
#include "media/LocalFileName.h"
#include "media/MediaAnswer.h"
#include "media/MediaListing.h"
#include "media/MediaPaths.h"
#include "media/MediaRequests.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

class TestMediaProtocol : public QObject
{
    Q_OBJECT
private slots:
    void templates_data();
    void templates();
    void oversizedRequestsAreRefused();
    void valuesAreNotReinterpreted();
    void escapedValues_data();
    void escapedValues();
    void escapedBytes();

    void paths_data();
    void paths();
    void belowRoot_data();
    void belowRoot();
    void renameDir_data();
    void renameDir();
    void recordingPaths_data();
    void recordingPaths();
    void localNames_data();
    void localNames();

    void headerFraming();
    void headerCap();
    void fieldsAreStringsOnly();

    void entryFields();
    void listingOrder();
    void listingWithoutArraySkipsNonObjects();
    void collatorSortsByPinyin();
};

void TestMediaProtocol::templates_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("GetFileRoot") << MediaRequests::getFileRoot(1)
                                 << QByteArray("{\"Command\":\"GetFileRoot\",\"CSeq\":\"1\"}\r\n\r\n");
    QTest::newRow("GetFileList")
        << MediaRequests::getFileList(QStringLiteral("/srv/media/背景音乐"), 12)
        << QByteArray("{\"Command\":\"GetFileList\",\"DirName\":\"/srv/media/背景音乐\",\"CSeq\":\"12\"}"
                      "\r\n\r\n");
    QTest::newRow("GetFile")
        << MediaRequests::getFile(3, QStringLiteral("/srv/media/a"), QStringLiteral("x y.mp3"))
        << QByteArray("{\"Command\": \"GetFile\", \"CSeq\": \"3\", \"DirName\": \"/srv/media/a\", "
                      "\"FileName\": \"x y.mp3\"}\r\n\r\n");
    QTest::newRow("GetFile, quote and backslash escaped")
        << MediaRequests::getFile(9, QStringLiteral("/srv/media/a\\b"), QStringLiteral("say \"hi\"\n.wav"))
        << QByteArray("{\"Command\": \"GetFile\", \"CSeq\": \"9\", \"DirName\": \"/srv/media/a\\\\b\", "
                      "\"FileName\": \"say \\\"hi\\\"\\n.wav\"}\r\n\r\n");
    QTest::newRow("PostFile")
        << MediaRequests::postFile(QStringLiteral("/srv/media"), 4, QStringLiteral("s.mp3"), 8193)
        << QByteArray("{\"Command\":\"PostFile\",\"DirName\":\"/srv/media\",\"CSeq\":\"4\",\"FileName\":"
                      "\"s.mp3\", \"FileLen\":\"8193\"}\r\n\r\n");
    QTest::newRow("DelFile")
        << MediaRequests::delFile(QStringLiteral("/srv/media"), QStringLiteral("s.mp3"), 5)
        << QByteArray("{\"Command\":\"DelFile\",\"DirName\":\"/srv/media\",\"FileName\":\"s.mp3\","
                      "\"CSeq\":\"5\"}\r\n\r\n");
    QTest::newRow("DeleteDIR") << MediaRequests::deleteDir(QStringLiteral("a/b"), 6)
                               << QByteArray("{\"Command\":\"DeleteDIR\",\"DirName\":\"a/b\",\"CSeq\":\"6\"}"
                                             "\r\n\r\n");
    QTest::newRow("CreatDIR") << MediaRequests::creatDir(QStringLiteral("新建"), 7)
                              << QByteArray("{\"Command\":\"CreatDIR\",\"DirName\":\"新建\",\"CSeq\":\"7\"}"
                                            "\r\n\r\n");
    QTest::newRow("RenameFile")
        << MediaRequests::renameFile(8, QStringLiteral("/sub"), QStringLiteral("o.mp3"),
                                     QStringLiteral("n.mp3"))
        << QByteArray("{\"Command\":\"RenameFile\",\"CSeq\":\"8\",\"DirName\":\"/sub\",\"OldFileName\":"
                      "\"o.mp3\",\"NewFileName\":\"n.mp3\"}\r\n\r\n");
    QTest::newRow("RenameDIR")
        << MediaRequests::renameDirectory(9, QStringLiteral("/old"), QStringLiteral("/new"))
        << QByteArray("{\"Command\":\"RenameDIR\",\"CSeq\":\"9\",\"DirName\":\"\",\"OldDirName\":"
                      "\"/old\",\"NewDirName\":\"/new\"}\r\n\r\n");
}

void TestMediaProtocol::templates()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(built, expected);
}

void TestMediaProtocol::oversizedRequestsAreRefused()
{
    // GetFile's fixed text is 77 bytes; the rest of its 1,023 is the path.
    const QString dir = QStringLiteral("/m");
    const int fixed = MediaRequests::getFile(1, dir, QString()).size();
    const QString fits(MediaRequests::kGetFileLimit - fixed, QLatin1Char('n'));
    QCOMPARE(MediaRequests::getFile(1, dir, fits).size(), MediaRequests::kGetFileLimit);
    QVERIFY(MediaRequests::getFile(1, dir, fits + QLatin1Char('n')).isEmpty());

    const QString longName(4096, QLatin1Char('n'));
    QVERIFY(!MediaRequests::getFileList(QString(3000, QLatin1Char('d')), 1).isEmpty());
    QVERIFY(MediaRequests::getFileList(longName, 1).isEmpty());
    QVERIFY(MediaRequests::postFile(dir, 1, longName, 1).isEmpty());
    QVERIFY(MediaRequests::renameDirectory(1, longName, dir).isEmpty());
}

void TestMediaProtocol::valuesAreNotReinterpreted()
{
    QCOMPARE(MediaRequests::creatDir(QStringLiteral("100%d%s"), 2),
             QByteArray("{\"Command\":\"CreatDIR\",\"DirName\":\"100%d%s\",\"CSeq\":\"2\"}\r\n\r\n"));
}

namespace {

QJsonObject members(std::initializer_list<std::pair<const char *, QString>> list)
{
    QJsonObject o;
    for (const auto &m : list)
        o.insert(QLatin1String(m.first), m.second);
    return o;
}

QString allControls()
{
    QString s;
    for (ushort c = 0; c < 0x20; ++c)
        s += QChar(c);
    return s;
}

} // namespace

void TestMediaProtocol::escapedValues_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QJsonObject>("expected");
    // A quote that is not escaped ends the value and lets the rest of the
    // name add members of its own.
    const QString injecting = QStringLiteral("a\",\"DirName\":\"b");
    QTest::newRow("quote, CreatDIR")
        << MediaRequests::creatDir(injecting, 7)
        << members({{"Command", "CreatDIR"}, {"DirName", injecting}, {"CSeq", "7"}});
    QTest::newRow("quote, DeleteDIR")
        << MediaRequests::deleteDir(QStringLiteral("x\"y"), 6)
        << members({{"Command", "DeleteDIR"}, {"DirName", "x\"y"}, {"CSeq", "6"}});
    // A trailing backslash would escape the closing quote.
    QTest::newRow("backslash, GetFile")
        << MediaRequests::getFile(3, QStringLiteral("/srv/a\\b"), QStringLiteral("c\\"))
        << members({{"Command", "GetFile"}, {"CSeq", "3"}, {"DirName", "/srv/a\\b"},
                    {"FileName", "c\\"}});
    QTest::newRow("quote and backslash, PostFile")
        << MediaRequests::postFile(QStringLiteral("/srv/\"m\""), 4, QStringLiteral("s\\\".mp3"), 10)
        << members({{"Command", "PostFile"}, {"DirName", "/srv/\"m\""}, {"CSeq", "4"},
                    {"FileName", "s\\\".mp3"}, {"FileLen", "10"}});
    QTest::newRow("control characters, RenameFile")
        << MediaRequests::renameFile(8, QStringLiteral("/sub"), QStringLiteral("o\x01.mp3"),
                                     QStringLiteral("n\n\t.mp3"))
        << members({{"Command", "RenameFile"}, {"CSeq", "8"}, {"DirName", "/sub"},
                    {"OldFileName", "o\x01.mp3"}, {"NewFileName", "n\n\t.mp3"}});
    QTest::newRow("quote, RenameDIR")
        << MediaRequests::renameDirectory(9, QStringLiteral("/o\"ld"), QStringLiteral("/n\\ew"))
        << members({{"Command", "RenameDIR"}, {"CSeq", "9"}, {"DirName", ""},
                    {"OldDirName", "/o\"ld"}, {"NewDirName", "/n\\ew"}});
    QTest::newRow("unit separator, DelFile")
        << MediaRequests::delFile(QStringLiteral("/srv"), QStringLiteral("a\x1f\"b"), 5)
        << members({{"Command", "DelFile"}, {"DirName", "/srv"}, {"FileName", "a\x1f\"b"},
                    {"CSeq", "5"}});
    QTest::newRow("every control character, GetFileList")
        << MediaRequests::getFileList(QStringLiteral("/m/") + allControls() + QStringLiteral("背景"), 1)
        << members({{"Command", "GetFileList"},
                    {"DirName", QStringLiteral("/m/") + allControls() + QStringLiteral("背景")},
                    {"CSeq", "1"}});
}

void TestMediaProtocol::escapedValues()
{
    QFETCH(QByteArray, built);
    QFETCH(QJsonObject, expected);
    QVERIFY(built.endsWith("\r\n\r\n"));
    built.chop(4);
    // Strict JSON allows no raw control character inside a string (Qt's own
    // parser lets them through, so it cannot tell).
    for (const char c : built)
        QVERIFY2(static_cast<unsigned char>(c) >= 0x20, built.toHex().constData());
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(built, &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    QVERIFY(doc.isObject());
    QCOMPARE(doc.object(), expected);
}

void TestMediaProtocol::escapedBytes()
{
    // The short escapes where JSON has them, a four-digit code for the rest.
    QCOMPARE(MediaRequests::creatDir(QStringLiteral("a\"b\\c\x01\x1f\r\n\t\b\f"), 2),
             QByteArray("{\"Command\":\"CreatDIR\",\"DirName\":"
                        "\"a\\\"b\\\\c\\u0001\\u001f\\r\\n\\t\\b\\f\",\"CSeq\":\"2\"}\r\n\r\n"));
    // The size limit applies to what is sent, escapes included.
    const QString dir = QStringLiteral("/m");
    const int fixed = MediaRequests::getFile(1, dir, QString()).size();
    const QString quotes((MediaRequests::kGetFileLimit - fixed) / 2, QLatin1Char('"'));
    QCOMPARE(MediaRequests::getFile(1, dir, quotes).size(), fixed + 2 * quotes.size());
    QVERIFY(MediaRequests::getFile(1, dir, quotes + QLatin1Char('"')).isEmpty());
}

void TestMediaProtocol::paths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("normalised");
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "/srv/media/a.mp3" << "/srv/media/a.mp3" << "/srv/media" << "a.mp3";
    QTest::newRow("doubled slashes") << "/srv//media///a" << "/srv/media/a" << "/srv//media//" << "a";
    QTest::newRow("dot parts") << "/srv/./media/./a" << "/srv/media/a" << "/srv/./media/." << "a";
    QTest::newRow("dot dot") << "/srv/media/x/../a" << "/srv/media/a" << "/srv/media/x/.." << "a";
    QTest::newRow("dot dot above root") << "/../a" << "/a" << "/.." << "a";
    QTest::newRow("trailing slash") << "/srv/media/" << "/srv/media" << "/srv/media" << "";
    QTest::newRow("no slash") << "a.mp3" << "a.mp3" << "" << "a.mp3";
    QTest::newRow("root only") << "/" << "/" << "" << "";
}

void TestMediaProtocol::paths()
{
    QFETCH(QString, path);
    QFETCH(QString, normalised);
    QFETCH(QString, dir);
    QFETCH(QString, name);
    QCOMPARE(MediaPaths::normalise(path), normalised);
    QCOMPARE(MediaPaths::dirPart(path), dir);
    QCOMPARE(MediaPaths::namePart(path), name);
}

void TestMediaProtocol::belowRoot_data()
{
    QTest::addColumn<QString>("full");
    QTest::addColumn<QString>("root");
    QTest::addColumn<bool>("under");
    QTest::addColumn<QString>("below");
    QTest::newRow("one level") << "/srv/media/新建" << "/srv/media" << true << "新建";
    QTest::newRow("deeper") << "/srv/media/a/b" << "/srv/media" << true << "a/b";
    QTest::newRow("root with slash") << "/srv/media/a" << "/srv/media/" << true << "a";
    QTest::newRow("unnormalised path") << "/srv//media/./a/" << "/srv/media" << true << "a";
    QTest::newRow("the root itself") << "/srv/media" << "/srv/media" << true << "";
    QTest::newRow("sibling prefix") << "/srv/media2/a" << "/srv/media" << false << "";
    QTest::newRow("escapes") << "/srv/media/../etc" << "/srv/media" << false << "";
    QTest::newRow("no root yet") << "/srv/media/a" << "" << false << "";
    QTest::newRow("filesystem root") << "/a/b" << "/" << true << "a/b";
}

void TestMediaProtocol::belowRoot()
{
    QFETCH(QString, full);
    QFETCH(QString, root);
    QFETCH(bool, under);
    QFETCH(QString, below);
    bool got = !under;
    QCOMPARE(MediaPaths::belowRoot(full, root, &got), below);
    QCOMPARE(got, under);
}

void TestMediaProtocol::renameDir_data()
{
    QTest::addColumn<QString>("newPath");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("dir");
    QTest::newRow("one level below root") << "/srv/media/n.mp3" << "/srv/media" << "";
    QTest::newRow("sub-directory") << "/srv/media/a/b/n.mp3" << "/srv/media" << "/a/b";
    QTest::newRow("root announced with slash") << "/srv/media/a/n" << "/srv/media/" << "/a";
    QTest::newRow("no root") << "n.mp3" << "/srv/media" << "";
}

void TestMediaProtocol::renameDir()
{
    QFETCH(QString, newPath);
    QFETCH(QString, root);
    QFETCH(QString, dir);
    QCOMPARE(MediaPaths::renameDir(newPath, root), dir);
}

void TestMediaProtocol::recordingPaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("recording");
    QTest::newRow("talk record") << "/d/media/talk_record_file/1.wav" << true;
    QTest::newRow("server data") << "D:/TalkServerData/record/2024/1.wav" << true;
    QTest::newRow("case differs") << "/d/Media/talk_record_file/1.wav" << false;
    QTest::newRow("no trailing slash") << "/d/media/talk_record_file" << false;
    QTest::newRow("media") << "/d/media/songs/1.mp3" << false;
}

void TestMediaProtocol::recordingPaths()
{
    QFETCH(QString, path);
    QFETCH(bool, recording);
    QCOMPARE(MediaPaths::isRecordingPath(path), recording);
}

void TestMediaProtocol::localNames_data()
{
    QTest::addColumn<QString>("fromServer");
    QTest::addColumn<QString>("local"); // empty: refused
    QTest::newRow("plain name") << "晨曲.mp3" << "晨曲.mp3";
    QTest::newRow("blanks and dots kept") << " a b..mp3 " << " a b..mp3 ";
    QTest::newRow("server path") << "/srv/media/背景音乐/晨曲.mp3" << "晨曲.mp3";
    QTest::newRow("windows path") << "D:\\TalkServerData\\record\\1.wav" << "1.wav";
    QTest::newRow("mixed separators, backslash last") << "a/b\\c.mp3" << "c.mp3";
    QTest::newRow("mixed separators, slash last") << "a\\b/c.mp3" << "c.mp3";
    QTest::newRow("climbing path keeps its last part") << "../../etc/passwd" << "passwd";
    QTest::newRow("three dots are a name") << "..." << "...";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("trailing slash") << "/srv/media/" << "";
    QTest::newRow("trailing backslash") << "a\\" << "";
    QTest::newRow("dot") << "." << "";
    QTest::newRow("dot dot") << ".." << "";
    QTest::newRow("dot dot after a path") << "/srv/.." << "";
    QTest::newRow("dot dot after a backslash") << "a\\.." << "";
    QTest::newRow("drive") << "C:evil.mp3" << "";
    QTest::newRow("stream") << "a.mp3:hidden" << "";
    QTest::newRow("nul") << QStringLiteral("a") + QChar(0) + QStringLiteral(".mp3") << "";
    QTest::newRow("newline") << "a\n.mp3" << "";
    QTest::newRow("unit separator") << "a\x1f.mp3" << "";
    QTest::newRow("delete character") << "a\x7f.mp3" << "";
}

void TestMediaProtocol::localNames()
{
    QFETCH(QString, fromServer);
    QFETCH(QString, local);
    QCOMPARE(LocalFileName::fromServerName(fromServer), local);
}

void TestMediaProtocol::headerFraming()
{
    const QByteArray answer("{\"Command\":\"GetFile\",\"FileLen\":\"3\"}\r\n\r\nabc");
    const int headerEnd = answer.indexOf("\r\n\r\n") + 4;
    // Every truncation short of the terminator is incomplete, never bad.
    for (int len = 0; len < headerEnd; ++len) {
        int size = -1;
        QCOMPARE(MediaAnswer::findHeader(answer.left(len), MediaAnswer::kHeaderCap, &size),
                 MediaAnswer::Frame::Incomplete);
    }
    for (int len = headerEnd; len <= answer.size(); ++len) {
        int size = -1;
        QCOMPARE(MediaAnswer::findHeader(answer.left(len), MediaAnswer::kHeaderCap, &size),
                 MediaAnswer::Frame::Complete);
        QCOMPARE(size, headerEnd);
    }
}

void TestMediaProtocol::headerCap()
{
    int size = 0;
    const QByteArray big(100, 'x');
    QCOMPARE(MediaAnswer::findHeader(big, 100, &size), MediaAnswer::Frame::TooLarge);
    QCOMPARE(MediaAnswer::findHeader(big.left(96) + "\r\n\r\n", 100, &size),
             MediaAnswer::Frame::Complete);
    QCOMPARE(MediaAnswer::findHeader(big + "\r\n\r\n", 100, &size), MediaAnswer::Frame::TooLarge);
}

void TestMediaProtocol::fieldsAreStringsOnly()
{
    const auto obj = MediaAnswer::parseObject(
        R"({"FileLen":"1234","Size":-1,"CSeq":7,"Bad":"12x","Root":"/r"})");
    QVERIFY(obj);
    QCOMPARE(MediaAnswer::number(*obj, "FileLen"), 1234);
    QCOMPARE(MediaAnswer::number(*obj, "Size"), 0);
    QCOMPARE(MediaAnswer::number(*obj, "CSeq"), 0);
    QCOMPARE(MediaAnswer::number(*obj, "Bad"), 0);
    QCOMPARE(MediaAnswer::number(*obj, "Missing"), 0);
    QCOMPARE(MediaAnswer::text(*obj, "Root"), QStringLiteral("/r"));
    QCOMPARE(MediaAnswer::text(*obj, "CSeq"), QString());
    QVERIFY(!MediaAnswer::parseObject("[1,2]"));
    QVERIFY(!MediaAnswer::parseObject("{\"a\":"));
}

void TestMediaProtocol::entryFields()
{
    const auto obj = MediaAnswer::parseObject(
        R"({"FileName":"/srv/media/a/晨曲.mp3","Size":"2048","CreatDate":"2024-01-02 03:04:05"})");
    QVERIFY(obj);
    const OvMediaFile_t e = MediaListing::entryFromJson(*obj);
    QCOMPARE(e.isDir, false);
    QCOMPARE(e.path, QStringLiteral("/srv/media/a/"));
    QCOMPARE(e.name, QStringLiteral("晨曲.mp3"));
    QCOMPARE(e.fullName, QStringLiteral("/srv/media/a/晨曲.mp3"));
    QCOMPARE(e.size, QStringLiteral("2048"));
    QCOMPARE(e.createDate, QStringLiteral("2024-01-02 03:04:05"));

    const OvMediaFile_t dir = MediaListing::entryFromJson(
        *MediaAnswer::parseObject(R"({"FileName":"/srv/media/d","Size":"-1"})"));
    QVERIFY(dir.isDir);
    QCOMPARE(dir.createDate, QString());
    // Without "Size" an entry is a file; "-1" has to match exactly.
    QVERIFY(!MediaListing::entryFromJson(*MediaAnswer::parseObject(R"({"FileName":"x"})")).isDir);
    QVERIFY(!MediaListing::entryFromJson(*MediaAnswer::parseObject(R"({"Size":" -1"})")).isDir);
}

namespace {

OvMediaFile_t entry(const QString &name, bool dir, const QString &date)
{
    OvMediaFile_t e;
    e.name = name;
    e.fullName = QLatin1Char('/') + name;
    e.path = QStringLiteral("/");
    e.isDir = dir;
    e.size = dir ? QStringLiteral("-1") : QStringLiteral("1");
    e.createDate = date;
    return e;
}

QStringList describe(const QList<OvMediaFile_t> &list)
{
    QStringList out;
    for (const OvMediaFile_t &e : list)
        out << (e.isDir ? QStringLiteral("D:") : QStringLiteral("F:")) + e.name + QLatin1Char('@')
                + e.createDate;
    return out;
}

} // namespace

void TestMediaProtocol::listingOrder()
{
    // Interleaved arrival; equal names keep arrival order among files and
    // the reverse among directories.
    const QList<OvMediaFile_t> arrival = {
        entry(QStringLiteral("b.mp3"), false, QStringLiteral("1")),
        entry(QStringLiteral("zdir"), true, QStringLiteral("2")),
        entry(QStringLiteral("a.mp3"), false, QStringLiteral("3")),
        entry(QStringLiteral("same"), true, QStringLiteral("4")),
        entry(QStringLiteral("b.mp3"), false, QStringLiteral("5")),
        entry(QStringLiteral("adir"), true, QStringLiteral("6")),
        entry(QStringLiteral("same"), true, QStringLiteral("7")),
    };
    QCOMPARE(describe(MediaListing::ordered(arrival)),
             QStringList({"D:adir@6", "D:same@7", "D:same@4", "D:zdir@2", "F:a.mp3@3", "F:b.mp3@1",
                          "F:b.mp3@5"}));
}

void TestMediaProtocol::listingWithoutArraySkipsNonObjects()
{
    QList<OvMediaFile_t> list = {entry(QStringLiteral("kept"), false, QString())};
    QVERIFY(!MediaListing::fromAnswer(*MediaAnswer::parseObject(R"({"Command":"x"})"), &list));
    QVERIFY(!MediaListing::fromAnswer(*MediaAnswer::parseObject(R"({"FileList":{}})"), &list));
    QCOMPARE(list.size(), 1);
    QVERIFY(MediaListing::fromAnswer(
        *MediaAnswer::parseObject(R"({"FileList":[1,"x",{"FileName":"/r/a","Size":"-1"},[]]})"),
        &list));
    QCOMPARE(describe(list), QStringList({"D:a@"}));
}

void TestMediaProtocol::collatorSortsByPinyin()
{
    // 安 an, 北 bei, 城 cheng, 东 dong, 广 guang, 晨 chen, 铃 ling, 中 zhong:
    // code-point order would put 东 (U+4E1C) first and 铃 (U+94C3) last.
    QStringList names = {QStringLiteral("中"), QStringLiteral("铃"), QStringLiteral("东"),
                         QStringLiteral("广"), QStringLiteral("城"), QStringLiteral("晨"),
                         QStringLiteral("北"), QStringLiteral("安")};
    std::stable_sort(names.begin(), names.end(), MediaListing::nameLess);
    QCOMPARE(names, QStringList({"安", "北", "晨", "城", "东", "广", "铃", "中"}));
    // Latin names sort among themselves alphabetically, case aside.
    QVERIFY(MediaListing::nameLess(QStringLiteral("apple"), QStringLiteral("Banana")));
}

QTEST_GUILESS_MAIN(TestMediaProtocol)
#include "tst_media_protocol.moc"
