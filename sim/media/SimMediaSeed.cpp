#include "SimMediaSeed.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QIODevice>

#include <cmath>

namespace SimMediaSeed {

QByteArray wav(int sampleRate, int milliseconds, int frequency)
{
    const qint32 samples = sampleRate * milliseconds / 1000;
    const qint32 dataBytes = samples * 2;
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s.writeRawData("RIFF", 4);
    s << qint32(36 + dataBytes);
    s.writeRawData("WAVEfmt ", 8);
    s << qint32(16) << qint16(1) << qint16(1) << qint32(sampleRate) << qint32(sampleRate * 2)
      << qint16(2) << qint16(16);
    s.writeRawData("data", 4);
    s << dataBytes;
    for (qint32 i = 0; i < samples; ++i) {
        const double v = std::sin(2.0 * M_PI * frequency * i / sampleRate);
        s << qint16(std::lround(v * 8000.0));
    }
    return out;
}

QByteArray silentMp3(int frames)
{
    // 144 * 128000 / 44100 = 417 bytes per frame without padding; an all-zero
    // side information block decodes to silence.
    QByteArray frame(417, '\0');
    frame[0] = '\xFF';
    frame[1] = '\xFB';
    frame[2] = '\x90';
    frame[3] = '\xC0';
    QByteArray out;
    for (int i = 0; i < frames; ++i)
        out += frame;
    return out;
}

namespace {

bool put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace

bool populate(const QString &root)
{
    QDir r(root);
    bool ok = true;
    for (const char *dir : {"背景音乐", "Announcements", "铃声", "media/talk_record_file"})
        ok = r.mkpath(QString::fromUtf8(dir)) && ok;
    ok = put(r.filePath(QStringLiteral("背景音乐/晨曲.mp3")), silentMp3(40)) && ok;
    ok = put(r.filePath(QStringLiteral("背景音乐/安静.wav")), wav(8000, 300, 440)) && ok;
    ok = put(r.filePath(QStringLiteral("Announcements/welcome.mp3")), silentMp3(20)) && ok;
    ok = put(r.filePath(QStringLiteral("Announcements/closing time.wav")), wav(8000, 200, 660))
        && ok;
    ok = put(r.filePath(QStringLiteral("test tone.wav")), wav(8000, 250, 1000)) && ok;
    ok = put(r.filePath(QStringLiteral("广播通知.mp3")), silentMp3(10)) && ok;
    ok = put(r.filePath(QStringLiteral("media/talk_record_file/20240315_093000_1001_1002.wav")),
             wav(8000, 500, 350))
        && ok;
    // The recordings the sample talk log names (one of its rows names a
    // recording that is not here).
    int tone = 400;
    for (const char *name : {"20261211_080000_101_1.wav", "20261211_081500_102_2.wav", "20261211_083000_201_101.wav"})
        ok = put(r.filePath(QStringLiteral("media/talk_record_file/") + QLatin1String(name)), wav(8000, 700, tone += 60))
            && ok;
    return ok;
}

} // namespace SimMediaSeed
