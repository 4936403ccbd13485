#pragma once

#include "protocol/OvManageCenter.h"
#include "protocol/RequestResult.h"

// The shape of every facade operation of a device family: find the family's
// manager in its dispatch slot, take the next CSeq, let the manager build the
// text and send it as a waiting request with the request code. -1 when the
// centre or the manager is missing, or the builder refuses (empty text).
template <typename Manager, typename Build>
int centreRequest(OvManageCenter *centre, int slot, int requestCode, Build build)
{
    if (!centre)
        return kMissingManager;
    auto *manager = dynamic_cast<Manager *>(centre->manager(slot));
    if (!manager)
        return kMissingManager;
    const QByteArray text = build(*manager, centre->nextCSeq());
    if (text.isEmpty())
        return kMissingManager;
    return centre->request(text, requestCode);
}

// The family's manager in its slot, or nullptr.
template <typename Manager>
Manager *centreManager(OvManageCenter *centre, int slot)
{
    return centre ? dynamic_cast<Manager *>(centre->manager(slot)) : nullptr;
}
