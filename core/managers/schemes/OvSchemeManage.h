#pragma once

#include "managers/schemes/OvScheme.h"
#include "protocol/OvBaseMgr.h"
#include "protocol/OvCommandRequest.h"

#include <QByteArray>

#include <array>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

// The data manager of the timer schemes (dispatch slot 18). Four scheme
// families (0 play, 1 amplifier, 2 power, 3 volume) with the codes
// 79 + 4 * family + k, k = 0 list, 1 add, 2 modify, 3 delete. Families
// outside 0 to 3 are refused everywhere.
class OvSchemeManage final : public OvBaseMgr
{
public:
    static constexpr int kFamilies = 4;
    enum Step : int { ListStep = 0, AddStep = 1, ModifyStep = 2, DeleteStep = 3 };
    static constexpr int kFirstCode = 79;
    static constexpr const char *kChangeKey = "SqlConfig_timerplan";

    // Installed by the scheme store; run on the receive thread. fromAnswer
    // marks a scheme read from the answer to this console's own add or modify.
    struct Callbacks {
        std::function<void(const std::vector<OvScheme> &, int family)> listed;
        std::function<void(const OvScheme &, int family, bool fromAnswer)> added;
        std::function<void(const OvScheme &, int family, bool fromAnswer)> changed;
        std::function<void(int id, int family)> deleted;
    };

    OvSchemeManage();

    static bool validFamily(int family) { return family >= 0 && family < kFamilies; }
    // -1 for a bad family.
    static int codeOf(int family, int step);
    // The single-scheme element ("Scheme", "AmpScheme", "PowerScheme",
    // "VolumeScheme") and the DELETE type ("SchemeData", "AmpSchemeData",
    // "PowerSchemeData", "VolumeScheme") of a family; empty for a bad one.
    static QByteArray elementName(int family);
    static QByteArray deleteType(int family);
    static const char *familyName(int family);

    void setCallbacks(Callbacks callbacks);

    // Empty text for a bad family.
    QByteArray buildList(int cseq, int family);
    QByteArray buildAdd(int cseq, const OvScheme &scheme, int family);
    QByteArray buildModify(int cseq, const OvScheme &scheme, int family);
    // Also drops the scheme from the last list read, and remembers the id so
    // that the answer removes this scheme and no other.
    QByteArray buildDelete(int cseq, const OvScheme &scheme, int family);

    std::vector<OvScheme> lastList() const;

    void onOk(int requestCode, const QByteArray &body) override;
    bool onNotify(const QByteArray &key, const QByteArray &body) override;
    bool onBody(const QByteArray &text) override;
    void onDelete(const QByteArray &type, int id) override;
    void onDeleted(int) override {}

    static bool parseList(const QByteArray &body, std::vector<OvScheme> &out);
    // The answer's scheme: a one-row JSON list or the family's XML element.
    static std::optional<OvScheme> parseAnswerScheme(const QByteArray &body, int family);

private:
    QByteArray buildPost(int cseq, const Json::Value &object);
    Callbacks callbacks() const;

    OvCommandRequest m_request;
    mutable std::mutex m_lock;  // callbacks, last list, pending deletes
    Callbacks m_callbacks;
    std::vector<OvScheme> m_list;
    std::array<std::optional<int>, kFamilies> m_pendingDelete;
};
