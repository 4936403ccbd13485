#include "server/SimServer.h"

#include "commands/LevelList.h"
#include "commands/ListRequests.h"
#include "commands/LoginVerifier.h"
#include "db/SimDatabase.h"
#include "server/SimSession.h"
#include "wire/DbpMessage.h"
#include "wire/DbpWriter.h"

#include <QDateTime>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>

SimServer::SimServer(SimDatabase &db, QObject *parent)
    : QObject(parent), m_db(db)
{
    connect(&m_server, &QTcpServer::newConnection, this, &SimServer::onNewConnection);
}

SimServer::~SimServer() = default;

bool SimServer::listen(const QHostAddress &address, quint16 port)
{
    return m_server.listen(address, port);
}

void SimServer::onNewConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        auto *session = new SimSession(socket, m_nextSession++, this);
        m_sessions.insert(session);
        connect(session, &SimSession::received, this,
                [this](SimSession *, const QByteArray &bytes) { m_log.append(bytes); });
        connect(session, &SimSession::message, this, &SimServer::onMessage);
        connect(session, &SimSession::closed, this, [this](SimSession *s) {
            if (m_sessions.remove(s))
                s->deleteLater();
        });
    }
}

void SimServer::push(const QByteArray &message)
{
    for (SimSession *s : qAsConst(m_sessions)) {
        if (s->loggedIn())
            s->send(message, m_faults.delayMs, m_faults.chunkBytes);
    }
}

void SimServer::sendRawToAll(const QByteArray &bytes)
{
    for (SimSession *s : qAsConst(m_sessions))
        s->send(bytes, 0, 0);
}

void SimServer::closeAll()
{
    const auto sessions = m_sessions;
    for (SimSession *s : sessions)
        s->closeNow();
}

void SimServer::onMessage(SimSession *session, const DbpMessage &request)
{
    if (FaultPlan::matches(m_faults.ignore, request))
        return;
    QVector<QByteArray> pushes;
    Followup followup;
    Reply reply;
    if (FaultPlan::matches(m_faults.refuse, request))
        reply = {DbpWriter::answerFailed(request.cseq(), "refused by fault injection")};
    else
        reply = handle(session, request, &pushes, &followup);
    if (m_faults.withholdDeletes) {
        // A console must then act on its own confirmed result.
        pushes.erase(std::remove_if(pushes.begin(), pushes.end(),
                                    [](const QByteArray &p) { return p.startsWith("DELETE "); }),
                     pushes.end());
    }
    if (followup.answerDelayMs > 0) {
        // A command that takes long (writing a large backup) answers late;
        // the session goes on answering everything else meanwhile.
        QPointer<SimSession> target(session);
        QTimer::singleShot(followup.answerDelayMs, this, [this, target, request, reply]() {
            if (target && m_sessions.contains(target))
                answer(target, request, reply);
        });
        for (const QByteArray &p : qAsConst(pushes))
            push(p);
    } else {
        // A real server sends a change's push and the answer in either order.
        const bool pushFirst = FaultPlan::matches(m_faults.pushFirst, request);
        if (!pushFirst)
            answer(session, request, reply);
        for (const QByteArray &p : qAsConst(pushes))
            push(p);
        if (pushFirst)
            answer(session, request, reply);
    }
    if (followup.endSessions)
        endAllSessions();
    else if (m_faults.closeAfter > 0 && session->answered() >= m_faults.closeAfter)
        session->closeWhenSent();
}

void SimServer::endAllSessions()
{
    // As a server that restarts after a restore: every connection ends once
    // what it was sent has left, and the consoles must log in again.
    const auto sessions = m_sessions;
    for (SimSession *s : sessions)
        s->closeWhenSent();
}

void SimServer::answer(SimSession *session, const DbpMessage &request, const Reply &reply)
{
    session->countAnswer();
    Reply out = reply;
    if (m_faults.oversizedNext) {
        m_faults.oversizedNext = false;
        out = {FaultPlan::oversizedAnswer(request.cseq())};
    } else if (m_faults.malformedNext) {
        m_faults.malformedNext = false;
        out = {FaultPlan::malformedAnswer(request.cseq())};
    }
    session->send(out, m_faults.delayMs, m_faults.chunkBytes);
}

SimServer::Reply SimServer::handle(SimSession *session, const DbpMessage &request, QVector<QByteArray> *pushes,
                                   Followup *followup)
{
    const int cseq = request.cseq();
    const QByteArray verb = request.verb();
    if (request.version() != "DBP/1.0")
        return {DbpWriter::answerFailed(cseq, "not a DBP/1.0 request")};
    if (cseq < 0)
        return {DbpWriter::answerFailed(cseq, "CSeq is missing")};
    if (verb == "LOGIN")
        return {handleLogin(session, request, pushes)};
    if (verb == "ONLINE")
        return {DbpWriter::answerOk(cseq)};
    if (verb == "GET" && request.header("Packet-Type") == "GetSystemTime") {
        return {DbpWriter::answerOk(
            cseq, "{\"SystemTime\":\"" + QByteArray::number(QDateTime::currentSecsSinceEpoch()) + "\"}")};
    }
    if (!session->loggedIn())
        return {DbpWriter::answerFailed(cseq, "not logged in")};
    if (verb == "GET")
        return handleGet(request);
    if (verb == "POST" || (verb == "SET" && request.header("Command") == "PlayTermConfig"))
        return {handleCommand(request, pushes, followup)};
    return {DbpWriter::answerFailed(cseq, "unsupported request " + verb + " " + request.key())};
}

QByteArray SimServer::handleLogin(SimSession *session, const DbpMessage &request, QVector<QByteArray> *pushes)
{
    if (request.header("Packet-Type") != "TalkManagerLogin")
        return DbpWriter::answerFailed(request.cseq(), "unknown login type");
    const LoginVerifier::Outcome o = LoginVerifier::verify(m_db, request.body());
    if (!o.ok)
        return DbpWriter::answerFailed(request.cseq(), o.reason);
    session->setLoggedIn(o.user);
    // Only this console learns its levels; the others already have theirs.
    const QByteArray levels = DbpWriter::notification("LevelList", QByteArray(), LevelList::xml(m_db));
    QPointer<SimSession> target(session);
    QTimer::singleShot(0, this, [this, target, levels]() {
        if (target)
            target->send(levels, m_faults.delayMs, m_faults.chunkBytes);
    });
    Q_UNUSED(pushes)
    return DbpWriter::answerOk(request.cseq());
}

SimServer::Reply SimServer::handleGet(const DbpMessage &request)
{
    const QByteArray type = request.header("Packet-Type");
    // The log queries run through the same read-only guard as the lists.
    if (type == "SqlConfig" || type == "SqlLog") {
        const JsonRows::Result r = ListRequests::sqlConfig(m_db, request, m_limits);
        if (!r.ok)
            return {DbpWriter::answerFailed(request.cseq(), r.error)};
        return Reply{DbpWriter::answerOkHeader(request.cseq(), r.size)} + r.blocks;
    }
    if (request.hasHeader("Data")) {
        QByteArray reason;
        const QByteArray body = ListRequests::details(m_db, request, &reason);
        return {body.isEmpty() ? DbpWriter::answerFailed(request.cseq(), reason)
                               : DbpWriter::answerOk(request.cseq(), body)};
    }
    return {DbpWriter::answerFailed(request.cseq(), "unsupported GET " + type)};
}

QByteArray SimServer::handleCommand(const DbpMessage &request, QVector<QByteArray> *pushes, Followup *followup)
{
    if (!CommandTable::knows(request.key()))
        return DbpWriter::answerFailed(request.cseq(), "unknown command " + request.key());
    CommandOutcome o = CommandTable::run(m_db, m_commandSettings, request);
    if (!o.ok)
        return DbpWriter::answerFailed(request.cseq(), o.reason);
    *pushes = o.pushes;
    followup->answerDelayMs = o.answerDelayMs;
    followup->endSessions = o.endSessions;
    if (o.later) {
        QTimer::singleShot(o.laterMs, this, [this, later = o.later]() {
            for (const QByteArray &p : later())
                push(p);
        });
    }
    const bool bare = FaultPlan::matches(m_faults.bareAnswer, request);
    return DbpWriter::answerOk(request.cseq(), bare ? QByteArray() : o.answerBody);
}
