#include "server/FaultPlan.h"

#include "wire/DbpMessage.h"

namespace {

bool number(const QStringList &words, int *out)
{
    bool ok = false;
    const int v = words.value(1).toInt(&ok);
    if (!ok || v < 0 || words.size() != 2)
        return false;
    *out = v;
    return true;
}

QSet<QByteArray> names(const QStringList &words)
{
    QSet<QByteArray> set;
    for (int i = 1; i < words.size(); ++i) {
        for (const QString &n : words[i].split(',', Qt::SkipEmptyParts))
            set.insert(n.toUtf8());
    }
    return set;
}

} // namespace

QString FaultPlan::apply(const QStringList &words)
{
    const QString what = words.value(0);
    if (what == QLatin1String("clear")) {
        *this = FaultPlan();
    } else if (what == QLatin1String("refuse") && words.size() > 1) {
        refuse += names(words);
    } else if (what == QLatin1String("ignore") && words.size() > 1) {
        ignore += names(words);
    } else if (what == QLatin1String("push-first") && words.size() > 1) {
        pushFirst += names(words);
    } else if (what == QLatin1String("bare-answer") && words.size() > 1) {
        bareAnswer += names(words);
    } else if (what == QLatin1String("no-keepalive") && words.size() == 1) {
        ignore.insert("ONLINE");
    } else if (what == QLatin1String("delay")) {
        if (!number(words, &delayMs))
            return QStringLiteral("delay wants a number of milliseconds");
    } else if (what == QLatin1String("chunk")) {
        if (!number(words, &chunkBytes))
            return QStringLiteral("chunk wants a number of bytes (0 = off)");
    } else if (what == QLatin1String("close-after")) {
        if (!number(words, &closeAfter))
            return QStringLiteral("close-after wants a number of requests (0 = off)");
    } else if (what == QLatin1String("malformed-next") && words.size() == 1) {
        malformedNext = true;
    } else if (what == QLatin1String("oversized-next") && words.size() == 1) {
        oversizedNext = true;
    } else if (what == QLatin1String("no-delete-push") && words.size() == 1) {
        withholdDeletes = true;
    } else {
        return QStringLiteral("unknown fault \"%1\"").arg(words.join(' '));
    }
    return QString();
}

QString FaultPlan::describe() const
{
    auto list = [](const QSet<QByteArray> &s) {
        QStringList l;
        for (const QByteArray &n : s)
            l << QString::fromUtf8(n);
        l.sort();
        return l.isEmpty() ? QStringLiteral("-") : l.join(',');
    };
    return QStringLiteral("refuse=%1 ignore=%2 delay=%3 chunk=%4 close-after=%5 malformed-next=%6 oversized-next=%7"
                          " push-first=%8 bare-answer=%9 no-delete-push=%10")
        .arg(list(refuse), list(ignore))
        .arg(delayMs)
        .arg(chunkBytes)
        .arg(closeAfter)
        .arg(int(malformedNext))
        .arg(int(oversizedNext))
        .arg(list(pushFirst), list(bareAnswer))
        .arg(int(withholdDeletes));
}

bool FaultPlan::matches(const QSet<QByteArray> &set, const DbpMessage &request)
{
    if (set.isEmpty())
        return false;
    const QByteArray key = request.key();
    if (set.contains(key))
        return true;
    return key == "SqlConfig" && set.contains("SqlConfig/" + request.header("Packet-Subtype"));
}

QByteArray FaultPlan::malformedAnswer(int cseq)
{
    const QByteArray body = "[{\"terminalId\":\"1\",\"name";
    return "DBP/1.0 200 OK\r\nCSeq: " + QByteArray::number(cseq) + "\r\nContent-Length:"
        + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QByteArray FaultPlan::oversizedAnswer(int cseq)
{
    return "DBP/1.0 200 OK\r\nCSeq: " + QByteArray::number(cseq)
        + "\r\nContent-Length:2147483647\r\n\r\n[{\"terminalId\":\"1\"";
}

QByteArray FaultPlan::garbageMessage()
{
    return "DBP/1.0 2xx MAYBE\r\nthis line has no colon\r\nContent-Length:zz\r\n\r\n";
}
