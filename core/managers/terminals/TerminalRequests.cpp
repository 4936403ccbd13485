#include "managers/terminals/TerminalRequests.h"

#include "managers/common/CentreRequest.h"
#include "managers/terminals/OvTerminalManage.h"

namespace {

template <typename Build>
int terminalRequest(OvManageCenter *centre, int requestCode, Build build)
{
    return centreRequest<OvTerminalManage>(centre, OvManageCenter::TerminalSlot, requestCode, build);
}

} // namespace

int centreSetTerminalCallback(OvManageCenter *centre, TermEventCallback<OvTerminal> callback)
{
    auto *manager = centreManager<OvTerminalManage>(centre, OvManageCenter::TerminalSlot);
    if (!manager)
        return kMissingManager;
    manager->setEventCallback(std::move(callback));
    return 0;
}

int centreTerminalList(OvManageCenter *centre)
{
    return terminalRequest(centre, OvTerminalManage::kListCode,
                           [](OvTerminalManage &m, int cseq) { return m.buildList(cseq); });
}

int centreIpAmpSet(OvManageCenter *centre, int id, const QByteArray &name, int broVol)
{
    return terminalRequest(centre, OvTerminalManage::kSetCode, [&](OvTerminalManage &m, int cseq) {
        return m.buildSetNameAndVolume(cseq, id, name, broVol);
    });
}

int centreIpAmpPower(OvManageCenter *centre, int id, bool on)
{
    return terminalRequest(centre, OvTerminalManage::kPowerCode,
                           [&](OvTerminalManage &m, int cseq) { return m.buildPower(cseq, id, on); });
}

int centreIpAmpSpkCheck(OvManageCenter *centre, int id)
{
    return terminalRequest(centre, OvTerminalManage::kSpeakerCheckCode,
                           [&](OvTerminalManage &m, int cseq) { return m.buildSpeakerCheck(cseq, id); });
}

int centrePlayTermConfig(OvManageCenter *centre, int id, int warnTemp, int fanTemp, int maxVol)
{
    return terminalRequest(centre, OvTerminalManage::kPlayTermConfigCode, [&](OvTerminalManage &m, int cseq) {
        return m.buildPlayTermConfig(cseq, id, warnTemp, fanTemp, maxVol);
    });
}

int centreTerminalSettings(OvManageCenter *centre, const OvTerminal &terminal)
{
    return terminalRequest(centre, OvTerminalManage::kSettingsCode, [&](OvTerminalManage &m, int cseq) {
        return m.buildTerminalSettings(cseq, terminal);
    });
}

int centreRemoveDevice(OvManageCenter *centre, int id, const QByteArray &typeText)
{
    return terminalRequest(centre, OvTerminalManage::kRemoveCode, [&](OvTerminalManage &m, int cseq) {
        return m.buildRemoveDevice(cseq, id, typeText);
    });
}
