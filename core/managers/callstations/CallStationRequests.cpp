#include "managers/callstations/CallStationRequests.h"

#include "managers/callstations/OvM26Manage.h"
#include "managers/callstations/OvM48Manage.h"
#include "managers/common/CentreRequest.h"

namespace {

template <typename Build>
int m26Request(OvManageCenter *centre, int requestCode, Build build)
{
    return centreRequest<OvM26Manage>(centre, OvManageCenter::M26Slot, requestCode, build);
}

template <typename Build>
int m48Request(OvManageCenter *centre, int requestCode, Build build)
{
    return centreRequest<OvM48Manage>(centre, OvManageCenter::M48Slot, requestCode, build);
}

template <typename Manager>
int setCallbacks(OvManageCenter *centre, int slot, TermEventCallback<OvMic> stations,
                 TermEventCallback<OvMicBtnCall> buttonCalls)
{
    auto *manager = centreManager<Manager>(centre, slot);
    if (!manager)
        return kMissingManager;
    manager->setStationCallback(std::move(stations));
    manager->setButtonCallCallback(std::move(buttonCalls));
    return 0;
}

} // namespace

int centreSetM26Callbacks(OvManageCenter *centre, TermEventCallback<OvMic> stations,
                          TermEventCallback<OvMicBtnCall> buttonCalls)
{
    return setCallbacks<OvM26Manage>(centre, OvManageCenter::M26Slot, std::move(stations), std::move(buttonCalls));
}

int centreM26List(OvManageCenter *centre)
{
    return m26Request(centre, OvM26Manage::ListCode, [](OvM26Manage &m, int cseq) { return m.buildList(cseq); });
}

int centreM26ButtonCalls(OvManageCenter *centre, int stationId)
{
    return m26Request(centre, OvM26Manage::ButtonCallsCode,
                      [stationId](OvM26Manage &m, int cseq) { return m.buildButtonCalls(cseq, stationId); });
}

int centreM26Settings(OvManageCenter *centre, const OvMic &station)
{
    return m26Request(centre, OvM26Manage::SettingsCode,
                      [&station](OvM26Manage &m, int cseq) { return m.buildSettings(cseq, station); });
}

int centreM26CommitButtonCalls(OvManageCenter *centre, int stationId, const std::vector<OvMicBtnCall> &calls)
{
    return m26Request(centre, OvM26Manage::CommitButtonCallsCode, [&](OvM26Manage &m, int cseq) {
        return m.buildCommitButtonCalls(cseq, stationId, calls);
    });
}

int centreSetM48Callbacks(OvManageCenter *centre, TermEventCallback<OvMic> stations,
                          TermEventCallback<OvMicBtnCall> buttonCalls)
{
    return setCallbacks<OvM48Manage>(centre, OvManageCenter::M48Slot, std::move(stations), std::move(buttonCalls));
}

int centreM48List(OvManageCenter *centre)
{
    return m48Request(centre, OvM48Manage::ListCode, [](OvM48Manage &m, int cseq) { return m.buildList(cseq); });
}

int centreM48ButtonCalls(OvManageCenter *centre, int stationId)
{
    return m48Request(centre, OvM48Manage::ButtonCallsCode,
                      [stationId](OvM48Manage &m, int cseq) { return m.buildButtonCalls(cseq, stationId); });
}

int centreM48Settings(OvManageCenter *centre, const OvMic &station)
{
    return m48Request(centre, OvM48Manage::SettingsCode,
                      [&station](OvM48Manage &m, int cseq) { return m.buildSettings(cseq, station); });
}

int centreM48NameAndVolume(OvManageCenter *centre, const OvMic &station)
{
    return m48Request(centre, OvM48Manage::SettingsCode,
                      [&station](OvM48Manage &m, int cseq) { return m.buildNameAndVolume(cseq, station); });
}

int centreM48Led(OvManageCenter *centre, const OvMic &station)
{
    return m48Request(centre, OvM48Manage::LedCode,
                      [&station](OvM48Manage &m, int cseq) { return m.buildLed(cseq, station); });
}

int centreM48CommitButtonCall(OvManageCenter *centre, int stationId, const OvMicBtnCall &call)
{
    return m48Request(centre, OvM48Manage::LedCode, [&](OvM48Manage &m, int cseq) {
        return m.buildCommitButtonCall(cseq, stationId, call);
    });
}
