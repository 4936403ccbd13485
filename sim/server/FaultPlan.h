#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

class DbpMessage;

// The misbehaviour the simulator is asked to show, set from the command line
// (--fault) and at run time (control "fault"). Applies to every connection.
struct FaultPlan {
    QSet<QByteArray> refuse;   // answer these requests "400 FAILED"
    QSet<QByteArray> ignore;   // never answer these requests ("ONLINE": keep-alives)
    QSet<QByteArray> pushFirst;   // send the pushes of these commands before their answer
    QSet<QByteArray> bareAnswer;  // answer these commands without a body
    int delayMs = 0;           // hold every answer and push this long
    int chunkBytes = 0;        // write everything in pieces of this many bytes
    int closeAfter = 0;        // close a connection after answering this many requests
    bool malformedNext = false;  // the next answer has a body that is not JSON
    bool oversizedNext = false;  // the next answer announces a gigantic Content-Length
    bool withholdDeletes = false;  // a removal is answered but its DELETE message is not pushed

    // Applies one fault setting given as words ("delay 200", "refuse IpAmpSet,SqlConfig/MicList").
    // Returns an error text, empty on success.
    QString apply(const QStringList &words);
    QString describe() const;

    // Requests are named by Packet-Type (or SET's Command, or the verb: "ONLINE"),
    // and list requests also by "SqlConfig/<Packet-Subtype>".
    static bool matches(const QSet<QByteArray> &names, const DbpMessage &request);

    static QByteArray malformedAnswer(int cseq);
    static QByteArray oversizedAnswer(int cseq);
    static QByteArray garbageMessage();
};
