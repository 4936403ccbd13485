#include "managers/tts/TtsRequests.h"

#include "managers/common/CentreRequest.h"
#include "managers/tts/OvTtsManage.h"

int centreSetTtsCallback(OvManageCenter *centre, TermEventCallback<OvTts> callback)
{
    auto *manager = centreManager<OvTtsManage>(centre, OvManageCenter::TtsSlot);
    if (!manager)
        return kMissingManager;
    manager->setEventCallback(std::move(callback));
    return 0;
}

int centreTtsList(OvManageCenter *centre)
{
    return centreRequest<OvTtsManage>(centre, OvManageCenter::TtsSlot, OvTtsManage::ListCode,
                                      [](OvTtsManage &m, int cseq) { return m.buildList(cseq); });
}

int centreTtsRename(OvManageCenter *centre, int id, const QByteArray &name)
{
    return centreRequest<OvTtsManage>(centre, OvManageCenter::TtsSlot, OvTtsManage::RenameCode,
                                      [&](OvTtsManage &m, int cseq) { return m.buildRename(cseq, id, name); });
}
