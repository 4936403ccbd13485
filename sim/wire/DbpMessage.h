#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

// One received request: the request line, its header lines in order and the body.
class DbpMessage
{
public:
    static DbpMessage parse(const QByteArray &frame);

    // Value of the first header line "name:value" in a header block, blanks
    // around the value removed; a null array when the header is absent.
    static QByteArray headerValue(const QByteArray &headerBlock, const QByteArray &name);

    QByteArray verb() const { return m_verb; }
    QByteArray version() const { return m_version; }
    QByteArray header(const QByteArray &name) const;
    bool hasHeader(const QByteArray &name) const { return !header(name).isNull(); }
    QByteArray body() const { return m_body; }
    QByteArray raw() const { return m_raw; }
    // "CSeq" as a number; -1 when missing or not a number.
    int cseq() const;
    // The name faults and the log use: Packet-Type, else Command, else the verb.
    QByteArray key() const;

private:
    QByteArray m_raw;
    QByteArray m_verb;
    QByteArray m_version;
    QList<QPair<QByteArray, QByteArray>> m_headers;
    QByteArray m_body;
};
