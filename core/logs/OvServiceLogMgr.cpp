#include "logs/OvServiceLogMgr.h"

#include "logs/OvLogManage.h"
#include "managers/common/BusyRetry.h"
#include "managers/common/CentreRequest.h"
#include "managers/common/DeviceCentre.h"

namespace {

OvLogManage *logManage(OvManageCenter *centre)
{
    return centreManager<OvLogManage>(centre, OvManageCenter::LogSlot);
}

} // namespace

OvServiceLogMgr *OvServiceLogMgr::instance()
{
    static OvServiceLogMgr *mgr = new OvServiceLogMgr(deviceCentre());
    return mgr;
}

OvServiceLogMgr::OvServiceLogMgr(OvManageCenter *centre, QObject *parent) : QObject(parent), m_centre(centre)
{
    if (OvLogManage *manage = logManage(centre))
        manage->setResultFunction([this](LogQueryResult &r) { onResult(r); });
}

int OvServiceLogMgr::query(int kind, int offset)
{
    return retryWhileBusy(
        [&] {
            return centreRequest<OvLogManage>(m_centre, OvManageCenter::LogSlot,
                                              OvLogManage::kFirstCode + (kind < 0 || kind > 7 ? 1 : kind),
                                              [&](OvLogManage &m, int cseq) { return m.query(cseq, kind, offset); });
        },
        kListPauseMs);
}

int OvServiceLogMgr::requestLogServer(QString *host)
{
    const int result = retryWhileBusy(
        [&] {
            return centreRequest<OvLogManage>(m_centre, OvManageCenter::LogSlot, OvLogManage::kLogServerCode,
                                              [](OvLogManage &m, int cseq) { return m.logServerQuery(cseq); });
        },
        kEditPauseMs);
    OvLogManage *manage = logManage(m_centre);
    if (result != 0 || !manage) {
        host->clear();
        return 0;
    }
    int port = 0;
    manage->logServer(host, &port);
    return port;
}

void OvServiceLogMgr::onResult(LogQueryResult &r)
{
    if (!r.readable) {
        emit logQueryFailed(r.kind);
        return;
    }
    const int list = r.kind / 2;
    if (r.kind % 2 == 0) {
        switch (r.kind) {
        case OvLogManage::UserCount: emit gotUserLogSize(r.count); break;
        case OvLogManage::TalkCount: emit gotTalkLogSize(r.count); break;
        case OvLogManage::TermCount: emit gotTermLogSize(r.count); break;
        default: emit gotTalkRecordSize(r.count); break;
        }
        return;
    }
    // The list is replaced and the signal raised under the lock, so a page
    // reading after its signal never sees an older list than the signal's.
    std::lock_guard<std::mutex> guard(m_lock);
    m_lists[list] = std::move(r.rows);
    switch (r.kind) {
    case OvLogManage::UserPage: emit gotUserLogList(); break;
    case OvLogManage::TalkPage: emit gotTalkLogList(); break;
    case OvLogManage::TermPage: emit gotTermLogList(); break;
    default: emit gotTalkRecordList(); break;
    }
}

std::vector<OvLogRow> OvServiceLogMgr::userLogs() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_lists[0];
}

std::vector<OvLogRow> OvServiceLogMgr::talkLogs() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_lists[1];
}

std::vector<OvLogRow> OvServiceLogMgr::termLogs() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_lists[2];
}

std::vector<OvLogRow> OvServiceLogMgr::talkRecords() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_lists[3];
}

bool OvServiceLogMgr::findTalkRecord(int id, OvLogRow &out) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    for (const OvLogRow &row : m_lists[3]) {
        if (row.id == id) {
            out = row;
            return true;
        }
    }
    return false;
}
