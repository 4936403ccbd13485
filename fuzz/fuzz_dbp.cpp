// Hostile byte streams through everything the receive thread does with them
// before a manager sees a message: framing, header parsing, classification,
// body recognition and the body parsers.
#include "protocol/OvLevel.h"
#include "protocol/OvMsgCheck.h"
#include "protocol/OvServerRequest.h"
#include "protocol/StreamFramer.h"
#include "util/BodyParsers.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the chunk size, so splits at every place get tried.
    const size_t chunk = 1 + data[0] % 64;
    const char *text = reinterpret_cast<const char *>(data + 1);
    const size_t length = size - 1;

    StreamFramer framer;
    OvServerRequest request;
    const StreamFramer::Handler handler = [&request](QByteArray &&header, QByteArray &&body) {
        const MessageClass kind = classifyParts(header, body);
        (void)kind;
        request.parseParts(header, std::move(body));
        (void)OvMsgCheck::classifyBody(request.body);
        std::vector<OvLevel> levels;
        readLevelList(request.body, levels);
        Json::Value root;
        body::parseJson(request.body, root);
        (void)body::memberText(root, "SystemTime");
    };
    for (size_t at = 0; at < length; at += chunk) {
        const size_t n = length - at < chunk ? length - at : chunk;
        if (framer.feed(text + at, static_cast<qsizetype>(n), handler) != StreamFramer::Status::Ok)
            break;
    }
    // The whole input as one message, as parse() and classify() see it.
    const QByteArray whole(text, static_cast<int>(length));
    request.parse(whole);
    (void)classify(whole);
    (void)cseqOfText(whole);
    return 0;
}
