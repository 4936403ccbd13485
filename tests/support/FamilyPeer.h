#pragma once

#include "CentreFixture.h"

#include <QtTest>

#include <map>
#include <memory>
#include <mutex>

// A logged-in console centre (every family's manager installed) talking to a
// scripted server. The server answers 200 OK unless a packet type was given
// another reply ("SqlConfig" is every list, "Data" the details query,
// "PlayTermConfig" the SET command).
class FamilyPeer
{
public:
    struct Reply
    {
        ScriptedPeer::Reply kind = ScriptedPeer::Reply::Ok;
        QByteArray body;
    };

    FamilyPeer()
    {
        peer = std::make_unique<ScriptedPeer>();
        peer->setHandler([this](const QByteArray &request) { return handle(request); });
        centre = std::make_unique<OvManageCenter>();
        loggedIn = startSession(*centre, *peer);
    }

    ~FamilyPeer()
    {
        stop();
        // The server thread reads the replies below: it ends before they do.
        peer.reset();
        centre.reset();
    }

    // The receive thread goes first: nothing may call into a list manager
    // once the test destroys it.
    void stop()
    {
        if (centre)
            centre->stopReceiveThread();
    }

    void setReply(const QByteArray &packetType, ScriptedPeer::Reply kind, const QByteArray &body = QByteArray())
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_replies[packetType] = Reply{kind, body};
    }

    void push(const QByteArray &subtype, const QByteArray &rowsBody)
    {
        peer->send("POST DBP/1.0\r\nPacket-Type:SqlConfig\r\nPacket-Subtype:" + subtype + "\r\nContent-Length:"
                   + QByteArray::number(rowsBody.size()) + "\r\n\r\n" + rowsBody);
    }

    // Requests after the login, keep-alives left out.
    QByteArrayList requests() const
    {
        QByteArrayList out;
        for (const QByteArray &r : peer->received()) {
            if (!r.startsWith("LOGIN ") && !r.startsWith("ONLINE "))
                out.append(r);
        }
        return out;
    }

    int countOf(const QByteArray &packetType) const
    {
        int n = 0;
        for (const QByteArray &r : requests())
            n += packetTypeOf(r) == packetType ? 1 : 0;
        return n;
    }

    // The request's kind: its Packet-Type, the Command of a SET, or "Data"
    // for a details query.
    static QByteArray packetTypeOf(const QByteArray &request)
    {
        for (const char *key : {"Packet-Type:", "Command: ", "Data: "}) {
            const int at = request.indexOf(key);
            if (at < 0)
                continue;
            if (key[0] == 'D')
                return QByteArray("Data");
            const int from = at + int(qstrlen(key));
            return request.mid(from, request.indexOf("\r\n", from) - from);
        }
        return QByteArray();
    }

    static QByteArray bodyOf(const QByteArray &request)
    {
        const int at = request.indexOf("\r\n\r\n");
        return at < 0 ? QByteArray() : request.mid(at + 4);
    }

    std::unique_ptr<ScriptedPeer> peer;
    std::unique_ptr<OvManageCenter> centre;
    bool loggedIn = false;

private:
    QByteArrayList handle(const QByteArray &request)
    {
        Reply reply;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            const auto it = m_replies.find(packetTypeOf(request));
            if (it != m_replies.end())
                reply = it->second;
        }
        if (reply.kind == ScriptedPeer::Reply::Silent)
            return {};
        return {ScriptedPeer::answer(reply.kind == ScriptedPeer::Reply::Ok, ScriptedPeer::cseqOf(request),
                                     reply.body)};
    }

    std::mutex m_lock;
    std::map<QByteArray, Reply> m_replies;
};
