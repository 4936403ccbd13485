// Sample content for a media store that starts empty: folders with Chinese
// and English names, short audio files made here, and a call recording.
#pragma once

#include <QByteArray>
#include <QString>

namespace SimMediaSeed {

// A mono 16-bit PCM WAV of a sine tone.
QByteArray wav(int sampleRate, int milliseconds, int frequency);
// An MPEG-1 layer III stream of silent frames (128 kbit/s, 44.1 kHz, mono).
QByteArray silentMp3(int frames);

bool populate(const QString &root);

} // namespace SimMediaSeed
