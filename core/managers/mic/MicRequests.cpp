#include "managers/mic/MicRequests.h"

#include "managers/common/CentreRequest.h"
#include "managers/mic/OvMicManage.h"

namespace {

template <typename Build>
int micRequest(OvManageCenter *centre, int requestCode, Build build)
{
    return centreRequest<OvMicManage>(centre, OvManageCenter::MicSlot, requestCode, build);
}

} // namespace

int centreSetMicCallbacks(OvManageCenter *centre, TermEventCallback<OvMic> mics,
                          TermEventCallback<MicBookEntry> books)
{
    auto *manager = centreManager<OvMicManage>(centre, OvManageCenter::MicSlot);
    if (!manager)
        return kMissingManager;
    manager->setMicCallback(std::move(mics));
    manager->setBookCallback(std::move(books));
    return 0;
}

int centreMicList(OvManageCenter *centre)
{
    return micRequest(centre, OvMicManage::ListCode, [](OvMicManage &m, int cseq) { return m.buildList(cseq); });
}

int centreMicDetails(OvManageCenter *centre, int id)
{
    return micRequest(centre, OvMicManage::DetailsCode,
                      [id](OvMicManage &m, int cseq) { return m.buildDetails(cseq, id); });
}

int centreMicSettings(OvManageCenter *centre, const OvMic &mic)
{
    return micRequest(centre, OvMicManage::SettingsCode,
                      [&mic](OvMicManage &m, int cseq) { return m.buildSettings(cseq, mic); });
}

int centreMicBook(OvManageCenter *centre, int code, int id)
{
    return micRequest(centre, code, [code, id](OvMicManage &m, int cseq) { return m.buildBookFetch(cseq, code, id); });
}

int centreMicBookCommit(OvManageCenter *centre, int code, int id, const QByteArray &listText)
{
    return micRequest(centre, code, [&](OvMicManage &m, int cseq) {
        return m.buildBookCommit(cseq, code, id, listText);
    });
}
