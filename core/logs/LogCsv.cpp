#include "logs/LogCsv.h"

#include <QTextCodec>

LogCsv::LogCsv() : m_gbk(QTextCodec::codecForName("GBK")) {}

QByteArray LogCsv::encode(const QString &text)
{
    // One state for the whole export keeps the codec's converter open
    // instead of opening one for every field.
    const int invalidBefore = m_state.invalidChars;
    const QByteArray fast = m_gbk->fromUnicode(text.constData(), text.size(), &m_state);
    if (m_state.invalidChars == invalidBefore && m_state.remainingChars == 0)
        return fast;
    m_state.invalidChars = invalidBefore;
    m_state.remainingChars = 0;
    // Rare: encode character by character so that every character GBK
    // cannot hold, a pair of surrogates included, becomes exactly one "?".
    QByteArray out;
    const int n = text.size();
    for (int i = 0; i < n;) {
        const int len = (text[i].isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) ? 2 : 1;
        QTextCodec::ConverterState one;
        const QByteArray bytes = m_gbk->fromUnicode(text.constData() + i, len, &one);
        if (len == 1 && one.invalidChars == 0 && one.remainingChars == 0 && !bytes.isEmpty()) {
            out += bytes;
        } else {
            out += '?';
            ++m_replaced;
        }
        i += len;
    }
    return out;
}

void LogCsv::appendField(QByteArray &line, const QString &value)
{
    line += '"';
    QString escaped = value;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    line += encode(escaped);
    line += "\",";
}

QByteArray LogCsv::headerLine(const QStringList &header)
{
    QByteArray line;
    for (const QString &h : header)
        appendField(line, h);
    line += "\r\n";
    return line;
}

QByteArray LogCsv::rowLine(logdb::Table table, int serial, const OvLogRow &row)
{
    QByteArray line;
    line.reserve(160);
    appendField(line, QString::number(serial));
    appendField(line, logrow::formatTime(row.date));
    switch (table) {
    case logdb::Talk:
        appendField(line, logrow::formatTime(row.endTime));
        appendField(line, QString::number(row.callerId));
        appendField(line, row.callerName);
        appendField(line, QString::number(row.calledId));
        appendField(line, row.calledName);
        appendField(line, logrow::talkTypeExportText(row.type));
        appendField(line, row.content);
        break;
    case logdb::Term:
        appendField(line, QString::number(row.terminalId));
        appendField(line, row.name);
        appendField(line, row.type);
        appendField(line, row.ip);
        appendField(line, row.content);
        break;
    case logdb::User:
        appendField(line, row.name);
        appendField(line, row.ip);
        appendField(line, row.content);
        break;
    }
    line += "\r\n";
    return line;
}
