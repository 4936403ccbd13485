#pragma once

#include "FamilyPeer.h"
#include "managers/terminals/OvPlayTermListMgr.h"

#include <memory>

// The scripted server and logged-in centre of FamilyPeer, with a player
// terminal list manager on it; the list request gets the body set here.
class PeerFixture : public FamilyPeer
{
public:
    PeerFixture() { list = std::make_unique<OvPlayTermListMgr>(centre.get()); }

    ~PeerFixture()
    {
        stop();
        list.reset();
    }

    void setListBody(const QByteArray &body) { setReply("SqlConfig", ScriptedPeer::Reply::Ok, body); }

    void pushChange(const QByteArray &rowsBody, const QByteArray &subtype = "ipamp") { push(subtype, rowsBody); }

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

    std::unique_ptr<OvPlayTermListMgr> list;
};
