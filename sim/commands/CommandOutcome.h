#pragma once

#include <QByteArray>
#include <QVector>

#include <functional>

// What a command did: the answer, the pushes that follow it, and for a loudspeaker
// check the push that reports its result later.
struct CommandOutcome {
    bool ok = false;
    QByteArray reason;
    QByteArray answerBody;  // the body of the 200 OK answer (most commands: none; a backup names its file and digest)
    int answerDelayMs = 0;  // a backup that takes time to write answers that much later
    bool endSessions = false;  // a restore ends every session, as the restarting server does
    QVector<QByteArray> pushes;
    int laterMs = 0;
    std::function<QVector<QByteArray>()> later;

    static CommandOutcome refuse(const QByteArray &why)
    {
        CommandOutcome o;
        o.reason = why;
        return o;
    }
    static CommandOutcome done(QVector<QByteArray> pushed = {})
    {
        CommandOutcome o;
        o.ok = true;
        o.pushes = std::move(pushed);
        return o;
    }
};
