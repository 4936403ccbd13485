// The fast row reader against the general JSON parser. A list body is a JSON
// array of objects and nothing else; the row reader takes flat rows without
// the general parser and hands the others to it in batches. Both must accept
// the same bodies, and what the row reader visits must be exactly the array's
// elements, in order.
#include "FuzzSupport.h"

#include "managers/common/RowSplitter.h"

#include <json/reader.h>

#include <memory>

namespace {

// Two liberties JsonCpp takes even in its strict mode: a zero byte between
// tokens ends the text (what follows is ignored), and a comment may follow a
// value. JSON has neither, so such bytes are replaced by one that is not JSON
// either, and the text is refused as a whole.
QByteArray withoutEndMarks(QByteArray text)
{
    bool inString = false;
    for (int i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '\0' || c == '/') {
            text[i] = '#';
        }
    }
    return text;
}

// The standard's JSON and nothing more: no comments, no trailing commas,
// nothing after the value. A repeated member keeps its last value, as the
// row reader does.
bool referenceRows(const QByteArray &raw, Json::Value &root)
{
    const QByteArray body = withoutEndMarks(raw);
    static const Json::CharReaderBuilder builder = [] {
        Json::CharReaderBuilder b;
        Json::CharReaderBuilder::strictMode(&b.settings_);
        b["rejectDupKeys"] = false;
        b["collectComments"] = false;
        return b;
    }();
    try {
        std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
        std::string errors;
        if (!reader->parse(body.constData(), body.constData() + body.size(), &root, &errors))
            return false;
    } catch (...) {
        return false;  // nesting past the parser's stack limit
    }
    if (!root.isArray())
        return false;
    for (const Json::Value &row : root) {
        if (!row.isObject())
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzsupport::quietQtLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body = fuzzsupport::bytesFrom(data, size, 0);
    Json::Value visited(Json::arrayValue);
    const bool accepted = rows::forEachRow(body, [&visited](const Json::Value &row) {
        FUZZ_CHECK(row.isObject());
        visited.append(row);
    });
    Json::Value reference;
    const bool parses = referenceRows(body, reference);
    if (accepted != parses) {
        std::fprintf(stderr, "row reader %s, general parser %s\n", accepted ? "accepts" : "refuses",
                     parses ? "accepts" : "refuses");
        FUZZ_CHECK(accepted == parses);
    }
    if (accepted) {
        FUZZ_CHECK(visited.size() == reference.size());
        for (Json::ArrayIndex i = 0; i < visited.size(); ++i)
            FUZZ_CHECK(visited[i] == reference[i]);
    }
    return 0;
}
