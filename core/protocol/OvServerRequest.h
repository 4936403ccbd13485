#pragma once

#include <QByteArray>
#include <QMetaType>

enum class MessageClass : int {
    Unknown = -1,
    AnswerOk = 0,
    AnswerFailed = 1,
    Notification = 2,
    SetMessage = 3,
    DeleteMessage = 4,
};

// One received DBP message, as far as the console reads its headers.
struct OvServerRequest
{
    int cseq = -1;
    QByteArray packetType;
    QByteArray packetSubtype;
    int id = -1;
    // The Id line held exactly one number ("Id: 7", not "Id: 7x" or "Id: x").
    bool idIsNumber = false;
    int contentLength = 0;
    QByteArray body;

    // Fills the fields from one complete message. Every CR LF-terminated line,
    // the body's included, is examined; values are taken untrimmed.
    void parse(const QByteArray &text);

    // The same for a message framed as header block and body: the body is
    // taken over, not copied (list answers run to megabytes). The result is
    // that of parse() on header + body.
    void parseParts(const QByteArray &header, QByteArray &&bodyBytes);

    // The routing key of a notification: Packet-Type "_" Packet-Subtype.
    QByteArray routingKey() const { return packetType + '_' + packetSubtype; }

    QByteArray toString() const;
};
Q_DECLARE_METATYPE(OvServerRequest)

// Class of a complete message: the first of "DBP/1.0 200 OK",
// "DBP/1.0 400 FAILED", "POST DBP/1.0", "SET", "DELETE" found anywhere in it.
MessageClass classify(const QByteArray &text);
// The same for a message held as header block and body. No pattern holds a
// CR or LF, so none can span the empty line between the two.
MessageClass classifyParts(const QByteArray &header, const QByteArray &body);

// The number after the first "CSeq:" of a text, or -1 when there is none
// (how the connection learns the CSeq of a request it has just written).
int cseqOfText(const QByteArray &text);
