#pragma once

#include "CentreFixture.h"
#include "managers/terminals/OvPlayTermListMgr.h"

#include <QtTest>

#include <map>
#include <memory>
#include <mutex>

// A logged-in centre talking to a scripted server, and a list manager on it.
// The server answers every request 200 OK unless a packet type was given
// another reply; the list request gets the list body set here.
class PeerFixture
{
public:
    struct Reply
    {
        ScriptedPeer::Reply kind = ScriptedPeer::Reply::Ok;
        QByteArray body;
    };

    PeerFixture()
    {
        peer = std::make_unique<ScriptedPeer>();
        peer->setHandler([this](const QByteArray &request) { return handle(request); });
        centre = std::make_unique<OvManageCenter>();
        loggedIn = startSession(*centre, *peer);
        list = std::make_unique<OvPlayTermListMgr>(centre.get());
    }

    ~PeerFixture()
    {
        // The receive thread goes first: nothing may call into the list
        // manager once it is destroyed.
        centre->stopReceiveThread();
        list.reset();
        centre.reset();
        peer.reset();
    }

    // "SqlConfig" (the list), "IpAmpSet", "PlayTermConfig", ...
    void setReply(const QByteArray &packetType, ScriptedPeer::Reply kind, const QByteArray &body = QByteArray())
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_replies[packetType] = Reply{kind, body};
    }
    void setListBody(const QByteArray &body) { setReply("SqlConfig", ScriptedPeer::Reply::Ok, body); }

    void pushChange(const QByteArray &rowsBody, const QByteArray &subtype = "ipamp")
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

    QList<int> cachedIds() const
    {
        QList<int> ids;
        const auto locked = list->lockList();
        if (locked.exists()) {
            for (const OvTerminal &t : locked.records())
                ids.append(t.id);
        }
        return ids;
    }

    static QByteArray packetTypeOf(const QByteArray &request)
    {
        for (const char *key : {"Packet-Type:", "Command: "}) {
            const int at = request.indexOf(key);
            if (at >= 0) {
                const int from = at + int(qstrlen(key));
                return request.mid(from, request.indexOf("\r\n", from) - from);
            }
        }
        return QByteArray();
    }

    std::unique_ptr<ScriptedPeer> peer;
    std::unique_ptr<OvManageCenter> centre;
    std::unique_ptr<OvPlayTermListMgr> list;
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
