#include "protocol/ProtocolLog.h"

namespace {

constexpr char kMask[] = "***";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// End (one past the closing quote) of the JSON string that opens at `at`;
// the text's size when it never closes.
int stringEnd(const QByteArray &text, int at)
{
    int p = at + 1;
    while (p < text.size()) {
        if (text[p] == '\\')
            p += 2;
        else if (text[p] == '"')
            return p + 1;
        else
            ++p;
    }
    return text.size();
}

int skipBlanks(const QByteArray &text, int p)
{
    while (p < text.size() && isBlank(text[p]))
        ++p;
    return p;
}

// End of a value that is not a string: up to the next ',', '}', ']' or blank.
int scalarEnd(const QByteArray &text, int p)
{
    while (p < text.size() && text[p] != ',' && text[p] != '}' && text[p] != ']' && !isBlank(text[p]))
        ++p;
    return p;
}

} // namespace

QByteArray protocolLogCopy(const QByteArray &sent)
{
    if (!sent.toLower().contains("password"))
        return sent;
    QByteArray out;
    out.reserve(sent.size());
    int p = 0;
    while (p < sent.size()) {
        const int quote = sent.indexOf('"', p);
        if (quote < 0)
            break;
        const int end = stringEnd(sent, quote);
        out += sent.mid(p, end - p);
        p = end;
        // A string followed by ':' is a member name.
        const int colon = skipBlanks(sent, p);
        if (colon >= sent.size() || sent[colon] != ':')
            continue;
        const QByteArray name = sent.mid(quote + 1, end - quote - 2);
        if (!name.toLower().contains("password"))
            continue;
        const int value = skipBlanks(sent, colon + 1);
        out += sent.mid(p, value - p);
        if (value >= sent.size())
            return out;
        if (sent[value] == '"') {
            p = stringEnd(sent, value);
            out += QByteArray("\"") + kMask + '"';
        } else {
            p = scalarEnd(sent, value);
            out += kMask;
        }
    }
    out += sent.mid(p);
    return out;
}
