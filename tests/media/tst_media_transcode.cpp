// Conversion of uploads with the real LAME encoder, the temporary
// directory and the transfer record file.
#include "SimMediaSeed.h"

#include "media/OvFileNote.h"
#include "media/OvTranscodeProcess.h"
#include "media/TempMp3Directory.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestMediaTranscode : public QObject
{
    Q_OBJECT
private slots:
    void targetNames_data();
    void targetNames();
    void commandLine();
    void encodesWithLame();
    void secondStartIsRefused();
    void missingEncoderEnds();
    void tempDirectoryIsEmptied();
    void noteFileFormat();
    void noteFileRefusals();
};

void TestMediaTranscode::targetNames_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::newRow("wav") << "/home/op/x.wav" << "./temp_mp3/x.mp3";
    QTest::newRow("mp3") << "/home/op/x.mp3" << "./temp_mp3/x.mp3";
    QTest::newRow("upper-case WAV") << "/home/op/x.WAV" << "./temp_mp3/x.WAV";
    QTest::newRow("wav inside name") << "/a/b.wav.bak" << "./temp_mp3/b.wav.bak";
    QTest::newRow("blanks and Chinese") << "/a b/广播 通知.wav" << "./temp_mp3/广播 通知.mp3";
}

void TestMediaTranscode::targetNames()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QCOMPARE(OvTranscodeProcess::targetFor(source), target);
}

void TestMediaTranscode::commandLine()
{
    QCOMPARE(OvTranscodeProcess::commandLine(QStringLiteral("/a b/x.wav"),
                                             QStringLiteral("./temp_mp3/x.mp3")),
             QStringLiteral("lame -m m --cbr -b 96  --resample 44.1 \"/a b/x.wav\" \"./temp_mp3/x.mp3\""));
    QCOMPARE(OvTranscodeProcess::encoderArguments(QStringLiteral("s"), QStringLiteral("t")),
             QStringList({"-m", "m", "--cbr", "-b", "96", "--resample", "44.1", "s", "t"}));
}

void TestMediaTranscode::encodesWithLame()
{
    if (QStandardPaths::findExecutable(QStringLiteral("lame")).isEmpty())
        QSKIP("lame is not installed");
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("a tone.wav"));
    QFile wav(source);
    QVERIFY(wav.open(QIODevice::WriteOnly));
    wav.write(SimMediaSeed::wav(8000, 500, 440));
    wav.close();
    const QString target = dir.filePath(QStringLiteral("out dir/a tone.mp3"));
    QVERIFY(QDir().mkpath(QFileInfo(target).path()));

    OvTranscodeProcess p;
    QCOMPARE(p.objectName(), QStringLiteral("OvTranscodeProcess"));
    QSignalSpy done(&p, &OvTranscodeProcess::transcode_finished);
    QVERIFY(p.start(source, target));
    QVERIFY(done.wait(30000));
    QCOMPARE(done.at(0), QVariantList({true, target}));
    QFile mp3(target);
    QVERIFY(mp3.open(QIODevice::ReadOnly));
    const QByteArray bytes = mp3.readAll();
    // Find the first frame header past any ID3 tag: MPEG-1 layer III,
    // 96 kbit/s (index 7), 44.1 kHz (index 0), mono (mode 3).
    int at = bytes.startsWith("ID3") ? 10 + ((bytes[6] & 0x7f) << 21 | (bytes[7] & 0x7f) << 14
                                             | (bytes[8] & 0x7f) << 7 | (bytes[9] & 0x7f))
                                     : 0;
    while (at + 4 <= bytes.size()
           && !(static_cast<uchar>(bytes[at]) == 0xFF && (static_cast<uchar>(bytes[at + 1]) & 0xE0) == 0xE0))
        ++at;
    QVERIFY(at + 4 <= bytes.size());
    const uchar b1 = static_cast<uchar>(bytes[at + 1]);
    const uchar b2 = static_cast<uchar>(bytes[at + 2]);
    const uchar b3 = static_cast<uchar>(bytes[at + 3]);
    QCOMPARE(b1 & 0x1E, 0x1A); // MPEG-1, layer III
    QCOMPARE(b2 >> 4, 7);
    QCOMPARE((b2 >> 2) & 3, 0);
    QCOMPARE(b3 >> 6, 3);
}

void TestMediaTranscode::secondStartIsRefused()
{
    qputenv("TALKBACK_LAME", "/bin/sleep");
    OvTranscodeProcess p;
    // sleep rejects the encoder options and exits non-zero: a failure.
    QSignalSpy done(&p, &OvTranscodeProcess::transcode_finished);
    QVERIFY(p.start(QStringLiteral("a"), QStringLiteral("b")));
    QVERIFY(!p.start(QStringLiteral("c"), QStringLiteral("d")));
    QVERIFY(done.wait(10000));
    QCOMPARE(done.at(0), QVariantList({false, QStringLiteral("b")}));
    qunsetenv("TALKBACK_LAME");
}

void TestMediaTranscode::missingEncoderEnds()
{
    qputenv("TALKBACK_LAME", "/nonexistent/lame");
    OvTranscodeProcess p;
    QSignalSpy done(&p, &OvTranscodeProcess::transcode_finished);
    QVERIFY(p.start(QStringLiteral("a.wav"), QStringLiteral("./temp_mp3/a.mp3")));
    QVERIFY(done.wait(10000));
    QCOMPARE(done.size(), 1);
    QCOMPARE(done.at(0), QVariantList({false, QStringLiteral("./temp_mp3/a.mp3")}));
    qunsetenv("TALKBACK_LAME");
}

void TestMediaTranscode::tempDirectoryIsEmptied()
{
    QTemporaryDir base;
    const QString outside = base.filePath(QStringLiteral("keep.txt"));
    QFile(outside).open(QIODevice::WriteOnly);
    const QString dir = base.filePath(QStringLiteral("temp_mp3/"));
    QVERIFY(TempMp3Directory::prepare(dir));
    QVERIFY(QDir().mkpath(dir + QStringLiteral("sub/deeper")));
    QFile(dir + QStringLiteral("old.mp3")).open(QIODevice::WriteOnly);
    QFile(dir + QStringLiteral(".hidden")).open(QIODevice::WriteOnly);
    QVERIFY(QFile::link(base.path(), dir + QStringLiteral("link")));
    QVERIFY(TempMp3Directory::prepare(dir));
    QVERIFY(QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                .isEmpty());
    QVERIFY(QFile::exists(outside)); // the link was removed, not followed
}

void TestMediaTranscode::noteFileFormat()
{
    QTemporaryDir dir;
    const QByteArray name = dir.filePath(QStringLiteral("UploadAndDownloadNote")).toLocal8Bit();
    QByteArray first(688, 'a');
    first[0] = '\0';
    const QByteArray second(688, 'b');
    {
        OvFileNote note(name.constData());
        QCOMPARE(note.open("w+b"), 0);
        QCOMPARE(note.write(first.constData(), static_cast<std::size_t>(first.size())), 0);
        QCOMPARE(note.write(second.constData(), static_cast<std::size_t>(second.size())), 0);
        QCOMPARE(note.close(), 0);
    }
    QFile f(QString::fromLocal8Bit(name));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), "classb:" + first + "classb:" + second);

    OvFileNote note(name.constData());
    QCOMPARE(note.open("rb"), 0);
    QByteArray buf(688, '\0');
    QCOMPARE(note.read(buf.data(), 688), 0);
    QCOMPARE(buf, first);
    QCOMPARE(note.read(buf.data(), 688), 0);
    QCOMPARE(buf, second);
    QCOMPARE(note.read(buf.data(), 688), -1); // no further "classb:"
}

void TestMediaTranscode::noteFileRefusals()
{
    QTemporaryDir dir;
    const QByteArray name = dir.filePath(QStringLiteral("note")).toLocal8Bit();
    OvFileNote note(name.constData());
    char buf[4] = {};
    QCOMPARE(note.write("x", 1), -1); // not open
    QCOMPARE(note.read(buf, 4), -1);
    QCOMPARE(note.open("rb"), -1);    // does not exist yet
    QCOMPARE(note.open("w+b"), 0);
    QCOMPARE(note.write(nullptr, 1), -1);
    QCOMPARE(note.read(nullptr, 1), -1);
    QFile f(QString::fromLocal8Bit(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("classx:abcd");
    f.close();
    OvFileNote reader(name.constData());
    QCOMPARE(reader.open("rb"), 0);
    QCOMPARE(reader.read(buf, 4), -1);
}

QTEST_GUILESS_MAIN(TestMediaTranscode)
#include "tst_media_transcode.moc"
