#pragma once

#include "protocol/OvBaseMgr.h"
#include "protocol/OvLevel.h"
#include "protocol/OvNetManage.h"

#include <array>
#include <functional>
#include <memory>
#include <mutex>

class OvLoginNetHandle;
class OvLevelManage;

// The one central object: the connection (through OvNetManage), the data
// managers in their fixed dispatch order, and the facade the list managers
// call. Created once at start-up, before the login.
class OvManageCenter : public OvNetManage
{
public:
    // Dispatch order: a lower index is asked first.
    enum Slot : int {
        TerminalSlot = 0, MicSlot = 1, CapSlot = 2, BroadcastSlot = 3, RegionSlot = 4,
        LevelSlot = 5, PlayTaskSlot = 6, LogSlot = 7, ServerConfigSlot = 8, BackupSlot = 9,
        TtsSlot = 10, M26Slot = 11, M48Slot = 12, PlanSlot = 13, MicGroupSlot = 14,
        SsTaskSlot = 15, M37Slot = 16, FAlarmSlot = 17, SchemeSlot = 18,
        SlotCount = 19,
    };

    using ConflictCallback = std::function<void(int, const QByteArray &body)>;

    // The console's centre, with every family's manager in its slot. Defined
    // by the centre layer (core/centre), which composes the families.
    OvManageCenter();
    // A centre with the login handle only, for exercising the dispatcher
    // with managers of one's own (installManager).
    enum BareTag { Bare };
    explicit OvManageCenter(BareTag);
    ~OvManageCenter() override;

    void runReceiveLoop() override;
    void onConnected() override;
    void onLoginResult(bool ok) override;
    void onAnswer(int requestCode, bool ok) override;
    void onUnmatchedAnswer(int cseq, bool ok) override;
    void onMessage(QByteArray header, QByteArray body) override;
    int login() override;

    // Fills an empty dispatch slot; false when the index is bad or taken.
    bool installManager(int index, std::unique_ptr<OvBaseMgr> manager);
    OvBaseMgr *manager(int index) const;
    OvLoginNetHandle *loginHandle() const { return m_loginHandle.get(); }
    OvLevelManage *levelManage() const;

    // Login outcome for the login dialog; 1 when there is no login handle.
    int loginOutcome() const;

    // Asks the server for its time (not entered in the request table).
    int getSystemTime();
    // The last server time received, "----" when the answer had none.
    QByteArray systemTime() const;

    void setConflictCallback(ConflictCallback callback) { m_conflictCallback = std::move(callback); }
    // Stores the level holder's callback in the level manager.
    int setLevelCallback(std::function<void(const std::vector<OvLevel> &)> callback);

    // Turns the receive loop has completed over the run; tests wait on it.
    quint64 receiveTurns() const { return m_turns.load(); }

    // The message being dispatched (receive thread only).
    const OvServerRequest &current() const { return m_current; }

protected:
    void beforeReceiveThread() override;

private:
    void dispatch(MessageClass kind);
    // Offers an answer that matched no waiting request to the managers.
    bool offerLateAnswer(int cseq, bool ok);

    std::array<std::unique_ptr<OvBaseMgr>, SlotCount> m_managers;
    std::unique_ptr<OvLoginNetHandle> m_loginHandle;
    ConflictCallback m_conflictCallback;
    OvServerRequest m_current;
    std::atomic<quint64> m_turns{0};
    mutable std::mutex m_timeLock;
    QByteArray m_systemTime;
};

// The facade as free functions for the list managers and the login dialog:
// -1 (or nothing) when there is no centre.
int centreGetSystemTime(OvManageCenter *centre);
int centreSetLevelCallback(OvManageCenter *centre, std::function<void(const std::vector<OvLevel> &)> callback);
