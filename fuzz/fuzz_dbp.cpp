// Hostile byte streams through everything the receive thread does with them
// before a manager sees a message: framing, header parsing, classification,
// body recognition and the body parsers.
//
// The stream is framed the way the receive loop frames it: while a body is in
// progress and nothing else is buffered, the bytes are written straight into
// the message (bodySpace / commitBody), otherwise they are fed as a chunk.
// The messages that come out must be exactly those of the same bytes fed in
// one piece, and the stream must break at the same place.
#include "FuzzSupport.h"

#include "protocol/OvLevel.h"
#include "protocol/OvMsgCheck.h"
#include "protocol/OvServerRequest.h"
#include "protocol/StreamFramer.h"
#include "util/BodyParsers.h"

#include <QByteArrayList>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

void parseLikeTheDispatcher(const QByteArray &header, QByteArray body)
{
    const MessageClass kind = classifyParts(header, body);
    (void)kind;
    OvServerRequest request;
    request.parseParts(header, std::move(body));
    (void)OvMsgCheck::classifyBody(request.body);
    std::vector<OvLevel> levels;
    readLevelList(request.body, levels);
    Json::Value root;
    body::parseJson(request.body, root);
    (void)body::memberText(root, "SystemTime");
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
    // The first byte picks the size of a fed chunk, the second the most a
    // read straight into a body takes, so splits at every place get tried.
    const qsizetype chunk = 1 + data[0] % 64;
    const qsizetype directRead = 1 + data[1] % 64;
    const char *text = reinterpret_cast<const char *>(data + 2);
    const qsizetype length = static_cast<qsizetype>(size - 2);

    StreamFramer framer;
    QByteArrayList received;
    const StreamFramer::Handler handler = [&framer, &received](QByteArray &&header, QByteArray &&body) {
        received.append(header + body);
        parseLikeTheDispatcher(header, body);
        framer.recycle(std::move(body));
    };
    bool broken = false;
    for (qsizetype at = 0; at < length;) {
        qsizetype room = -1;
        char *direct = framer.bodySpace(room);
        qsizetype n = 0;
        if (direct) {
            FUZZ_CHECK(room > 0);
            n = std::min({room, directRead, length - at});
            std::memcpy(direct, text + at, static_cast<size_t>(n));
            framer.commitBody(n, handler);
        } else {
            FUZZ_CHECK(room == 0);
            n = std::min(chunk, length - at);
            if (framer.feed(text + at, n, handler) != StreamFramer::Status::Ok) {
                broken = true;
                break;
            }
        }
        at += n;
    }
    if (broken) {
        qsizetype room = -1;
        FUZZ_CHECK(framer.bodySpace(room) == nullptr && room == 0);
    }

    StreamFramer whole;
    QByteArrayList reference;
    const StreamFramer::Status status = whole.feed(text, length, [&reference](QByteArray &&header, QByteArray &&body) {
        reference.append(header + body);
    });
    FUZZ_CHECK(received == reference);
    FUZZ_CHECK(broken == (status != StreamFramer::Status::Ok));
    if (!broken)
        FUZZ_CHECK(framer.buffered() == whole.buffered());

    // The whole input as one message, as parse() and classify() see it.
    const QByteArray all(text, static_cast<int>(length));
    OvServerRequest request;
    request.parse(all);
    (void)classify(all);
    (void)cseqOfText(all);
    return 0;
}
