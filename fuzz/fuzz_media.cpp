// The answers of the media file channel: an answer header is read piece by
// piece until its terminator, as the connection reads it, then parsed; a
// listing becomes entries in display order; a download's header gives the
// file length. Small caps are tried too, so the refusal of an answer over its
// cap is reached with short inputs.
#include "FuzzSupport.h"

#include "media/MediaAnswer.h"
#include "media/MediaListing.h"

#include <QJsonArray>

#include <algorithm>

namespace {

void checkListing(const QJsonObject &answer)
{
    QList<OvMediaFile_t> entries;
    const QJsonValue list = answer.value(QLatin1String("FileList"));
    if (!MediaListing::fromAnswer(answer, &entries)) {
        FUZZ_CHECK(!list.isArray());
        return;
    }
    const QJsonArray elements = list.toArray();
    FUZZ_CHECK(entries.size()
               == std::count_if(elements.begin(), elements.end(), [](const QJsonValue &v) { return v.isObject(); }));
    bool filesBegun = false;
    for (int i = 0; i < entries.size(); ++i) {
        const OvMediaFile_t &e = entries[i];
        FUZZ_CHECK(e.path + e.name == e.fullName);
        FUZZ_CHECK(!e.name.contains(QLatin1Char('/')));
        FUZZ_CHECK(e.isDir == (e.size == QLatin1String("-1")));
        // All directories first, then all files, each group in name order.
        FUZZ_CHECK(!(filesBegun && e.isDir));
        filesBegun = filesBegun || !e.isDir;
        if (i > 0 && entries[i - 1].isDir == e.isDir)
            FUZZ_CHECK(!MediaListing::nameLess(e.name, entries[i - 1].name));
    }
}

void checkAnswer(const QByteArray &json)
{
    const std::optional<QJsonObject> answer = MediaAnswer::parseObject(json);
    if (!answer)
        return;
    (void)MediaAnswer::text(*answer, "Command");
    (void)MediaAnswer::text(*answer, "CSeq");
    (void)MediaAnswer::text(*answer, "FileRoot");
    (void)MediaAnswer::number(*answer, "FileLen");
    checkListing(*answer);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzsupport::quietQtLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first byte picks how much one read of the socket brings, the
    // second the cap: the channel's own two, or a small one.
    const int piece = 1 + data[0] % 64;
    const int cap = (data[1] & 0x80) ? ((data[1] & 1) ? MediaAnswer::kListingCap : MediaAnswer::kHeaderCap)
                                     : 4 + data[1];
    const QByteArray stream = fuzzsupport::bytesFrom(data, size, 2);
    const QByteArray &end = MediaAnswer::terminator();

    QByteArray buf;
    int at = 0;
    for (;;) {
        int headerSize = -1;
        const MediaAnswer::Frame frame = MediaAnswer::findHeader(buf, cap, &headerSize);
        const int first = buf.indexOf(end);
        if (frame == MediaAnswer::Frame::Complete) {
            FUZZ_CHECK(headerSize == first + end.size());
            FUZZ_CHECK(headerSize <= cap);
            checkAnswer(buf.left(headerSize - end.size()));
            break;
        }
        if (frame == MediaAnswer::Frame::TooLarge) {
            FUZZ_CHECK(buf.size() >= cap);
            FUZZ_CHECK(first < 0 || first + end.size() > cap);
            break;
        }
        FUZZ_CHECK(first < 0);
        // An incomplete header always leaves room for the next read.
        FUZZ_CHECK(buf.size() < cap);
        if (at == stream.size())
            break;  // the server closed the connection
        const int take = std::min({piece, cap - buf.size(), stream.size() - at});
        buf += stream.mid(at, take);
        at += take;
    }

    // A short exchange takes one read and parses it when it ends with the terminator.
    if (stream.endsWith(end))
        checkAnswer(stream.left(stream.size() - end.size()));
    return 0;
}
