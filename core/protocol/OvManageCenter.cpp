#include "protocol/OvManageCenter.h"

#include "logs/OvLogManage.h"
#include "managers/broadcast/OvBroadcastManage.h"
#include "managers/callstations/OvM26Manage.h"
#include "managers/callstations/OvM48Manage.h"
#include "managers/capture/OvCapManage.h"
#include "managers/firealarm/OvFAlarmManage.h"
#include "managers/m37/OvM37Manage.h"
#include "managers/mic/OvMicManage.h"
#include "managers/terminals/OvTerminalManage.h"
#include "managers/tts/OvTtsManage.h"
#include "protocol/OvCommandRequest.h"
#include "protocol/OvLevelManage.h"
#include "protocol/OvLoginNetHandle.h"
#include "protocol/OvMgrMsg.h"
#include "util/BodyParsers.h"
#include "util/Clock.h"

#include <QLoggingCategory>

#include <chrono>
#include <thread>

Q_DECLARE_LOGGING_CATEGORY(lcDbp)

OvManageCenter::OvManageCenter() : OvManageCenter(Bare)
{
    // Managers of the families come in their own slots; an empty slot makes
    // the facade of that family answer -1.
    installManager(TerminalSlot, std::make_unique<OvTerminalManage>());
    installManager(MicSlot, std::make_unique<OvMicManage>());
    installManager(CapSlot, std::make_unique<OvCapManage>());
    installManager(BroadcastSlot, std::make_unique<OvBroadcastManage>());
    installManager(TtsSlot, std::make_unique<OvTtsManage>());
    installManager(M26Slot, std::make_unique<OvM26Manage>());
    installManager(M48Slot, std::make_unique<OvM48Manage>());
    installManager(M37Slot, std::make_unique<OvM37Manage>());
    installManager(FAlarmSlot, std::make_unique<OvFAlarmManage>());
    installManager(LevelSlot, std::make_unique<OvLevelManage>());
    installManager(LogSlot, std::make_unique<OvLogManage>());
}

OvManageCenter::OvManageCenter(BareTag)
{
    m_loginHandle = std::make_unique<OvLoginNetHandle>(this);
}

OvManageCenter::~OvManageCenter()
{
    stopReceiveThread();
}

bool OvManageCenter::installManager(int index, std::unique_ptr<OvBaseMgr> mgr)
{
    if (index < 0 || index >= SlotCount || m_managers[static_cast<size_t>(index)] || !mgr)
        return false;
    m_managers[static_cast<size_t>(index)] = std::move(mgr);
    return true;
}

OvBaseMgr *OvManageCenter::manager(int index) const
{
    if (index < 0 || index >= SlotCount)
        return nullptr;
    return m_managers[static_cast<size_t>(index)].get();
}

OvLevelManage *OvManageCenter::levelManage() const
{
    return dynamic_cast<OvLevelManage *>(manager(LevelSlot));
}

int OvManageCenter::loginOutcome() const
{
    return m_loginHandle ? m_loginHandle->loginOutcome() : OvLoginNetHandle::OutcomeReset;
}

void OvManageCenter::beforeReceiveThread()
{
    // The login dialog polls the outcome as soon as the thread is started.
    if (m_loginHandle)
        m_loginHandle->startConnection();
}

void OvManageCenter::runReceiveLoop()
{
    // The login state and timestamps were reset by beforeReceiveThread, on
    // the starting thread, so the caller never sees the previous outcome.
    setState(ConnectionState::Connected);
    resetFramer();

    try {
        while (!stopRequested()) {
            if (m_loginHandle)
                m_loginHandle->loginStep();
            const qsizetype got = receiveAvailable();
            if (got < 0) {
                stop();
                break;
            }
            // Sleep only after a turn that brought nothing: a large answer
            // streams in at the socket's pace.
            if (got == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(kTurnSleepMs));
            m_turns.fetch_add(1);
        }
    } catch (...) {
        qCWarning(lcDbp, "exception in the receive loop; closing the connection");
    }

    setState(ConnectionState::Closed);
    closeSocket();
    const int loginState = m_loginHandle ? m_loginHandle->loginState() : 0;
    if (loginState != OvLoginNetHandle::ConnectedNotLoggedIn) {
        if (const LossCallback callback = lossCallback())
            callback();
    }
}

void OvManageCenter::onConnected()
{
    setState(ConnectionState::Connected);
    if (m_loginHandle)
        m_loginHandle->setConnected();
}

void OvManageCenter::onLoginResult(bool ok)
{
    if (!ok)
        return;
    setState(ConnectionState::LoggedIn);
    if (m_loginHandle)
        m_loginHandle->onLoginAccepted();
}

int OvManageCenter::login()
{
    return m_loginHandle ? m_loginHandle->sendLogin() : -1;
}

void OvManageCenter::onMessage(QByteArray header, QByteArray body)
{
    const MessageClass kind = classifyParts(header, body);
    m_current.parseParts(header, std::move(body));
    dispatch(kind);
    // Nobody holds the body past its dispatch; its memory serves the next one.
    recycleBody(std::move(m_current.body));
    m_current.body = QByteArray();
}

void OvManageCenter::dispatch(MessageClass kind)
{
    switch (kind) {
    case MessageClass::AnswerOk:
        completeRequest(m_current.cseq, true);
        break;
    case MessageClass::AnswerFailed:
        completeRequest(m_current.cseq, false);
        break;
    case MessageClass::Notification: {
        if (m_current.packetType == "TerminalConflict") {
            if (m_conflictCallback)
                m_conflictCallback(0, m_current.body);
            break;
        }
        const QByteArray key = m_current.routingKey();
        for (const auto &mgr : m_managers) {
            if (mgr && mgr->onNotify(key, m_current.body))
                break;
        }
        break;
    }
    case MessageClass::SetMessage:
        // The parser fills no field with a SET text, so the managers see an
        // empty one and ignore it.
        for (const auto &mgr : m_managers) {
            if (mgr && mgr->onBody(QByteArray()))
                break;
        }
        break;
    case MessageClass::DeleteMessage:
        for (const auto &mgr : m_managers) {
            if (mgr)
                mgr->onDelete(QByteArray(), m_current.id);
        }
        break;
    case MessageClass::Unknown:
        break;
    }
}

void OvManageCenter::onAnswer(int requestCode, bool ok)
{
    const QByteArray &answerBody = m_current.body;
    if (ok) {
        if (m_loginHandle)
            m_loginHandle->onOk(requestCode, answerBody);
        for (const auto &mgr : m_managers) {
            if (mgr)
                mgr->onOk(requestCode, answerBody);
        }
    } else {
        if (m_loginHandle)
            m_loginHandle->onRefused(requestCode);
        for (const auto &mgr : m_managers) {
            if (mgr)
                mgr->onError(requestCode, answerBody);
        }
    }
    OvMgrMsg::instance().record(ok);
}

void OvManageCenter::onUnmatchedAnswer(int, bool ok)
{
    if (!ok)
        return;
    Json::Value root;
    if (!body::parseJson(m_current.body, root))
        return;
    QByteArray time = body::memberText(root, "SystemTime");
    if (time.isEmpty())
        time = "----";
    std::lock_guard<std::mutex> guard(m_timeLock);
    m_systemTime = time;
}

int OvManageCenter::getSystemTime()
{
    return sendText(OvCommandRequest::buildGetSystemTime(nextCSeq()));
}

QByteArray OvManageCenter::systemTime() const
{
    std::lock_guard<std::mutex> guard(m_timeLock);
    return m_systemTime;
}

int OvManageCenter::setLevelCallback(std::function<void(const std::vector<OvLevel> &)> callback)
{
    OvLevelManage *levels = levelManage();
    if (!levels)
        return kMissingManager;
    levels->setLevelCallback(std::move(callback));
    return 0;
}

int centreGetSystemTime(OvManageCenter *centre)
{
    return centre ? centre->getSystemTime() : kMissingManager;
}

int centreSetLevelCallback(OvManageCenter *centre, std::function<void(const std::vector<OvLevel> &)> callback)
{
    return centre ? centre->setLevelCallback(std::move(callback)) : kMissingManager;
}
