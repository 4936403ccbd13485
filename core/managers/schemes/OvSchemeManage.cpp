#include "managers/schemes/OvSchemeManage.h"

#include "managers/common/RowFields.h"
#include "managers/common/RowSplitter.h"
#include "protocol/OvMsgCheck.h"
#include "util/BodyParsers.h"

#include <algorithm>

namespace {

constexpr const char *kElements[] = {"Scheme", "AmpScheme", "PowerScheme", "VolumeScheme"};
constexpr const char *kDeleteTypes[] = {"SchemeData", "AmpSchemeData", "PowerSchemeData", "VolumeScheme"};
constexpr const char *kFamilyNames[] = {"Play Task", "Amp Task", "Power Task", "Volume Task"};
constexpr int kElementKinds[] = {OvMsgCheck::Scheme, OvMsgCheck::AmpScheme, OvMsgCheck::PowerScheme,
                                 OvMsgCheck::VolumeScheme};

std::vector<int> allCodes()
{
    std::vector<int> codes;
    for (int c = OvSchemeManage::kFirstCode; c < OvSchemeManage::kFirstCode + 4 * OvSchemeManage::kFamilies; ++c)
        codes.push_back(c);
    return codes;
}

// The family whose single-scheme element the text is; -1 for none.
int familyOfElement(const QByteArray &text)
{
    const int kind = OvMsgCheck::classifyDocument(text);
    for (int f = 0; f < OvSchemeManage::kFamilies; ++f) {
        if (kElementKinds[f] == kind)
            return f;
    }
    return -1;
}

std::optional<OvScheme> readElement(const QByteArray &text, int family)
{
    tinyxml2::XMLDocument doc;
    if (!body::parseXml(text, doc))
        return std::nullopt;
    const tinyxml2::XMLElement *root = doc.RootElement();
    if (!root || qstrcmp(root->Name(), kElements[family]) != 0)
        return std::nullopt;
    OvScheme s;
    s.readXml(root);
    return s;
}

} // namespace

OvSchemeManage::OvSchemeManage() : OvBaseMgr(allCodes(), QByteArray(kDeleteTypes[0])) {}

int OvSchemeManage::codeOf(int family, int step)
{
    if (!validFamily(family) || step < ListStep || step > DeleteStep)
        return -1;
    return kFirstCode + 4 * family + step;
}

QByteArray OvSchemeManage::elementName(int family)
{
    return validFamily(family) ? QByteArray(kElements[family]) : QByteArray();
}

QByteArray OvSchemeManage::deleteType(int family)
{
    return validFamily(family) ? QByteArray(kDeleteTypes[family]) : QByteArray();
}

const char *OvSchemeManage::familyName(int family)
{
    return validFamily(family) ? kFamilyNames[family] : "";
}

void OvSchemeManage::setCallbacks(Callbacks callbacks)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_callbacks = std::move(callbacks);
}

OvSchemeManage::Callbacks OvSchemeManage::callbacks() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_callbacks;
}

std::vector<OvScheme> OvSchemeManage::lastList() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_list;
}

QByteArray OvSchemeManage::buildPost(int cseq, const Json::Value &object)
{
    return m_request.buildPost(cseq, QByteArrayLiteral("TimerPlan"), body::writeJson(object));
}

QByteArray OvSchemeManage::buildList(int cseq, int family)
{
    if (!validFamily(family))
        return QByteArray();
    return m_request.buildSqlConfig(cseq, QByteArrayLiteral("schemelist"),
                                    QByteArrayLiteral("select * from timerplan"));
}

QByteArray OvSchemeManage::buildAdd(int cseq, const OvScheme &scheme, int family)
{
    if (!validFamily(family))
        return QByteArray();
    Json::Value o(Json::objectValue);
    o["Action"] = "Add";
    o["Name"] = rows::jsonText(scheme.name);
    o["Comment"] = rows::jsonText(scheme.comment);
    o["Enable"] = "1";
    o["Id"] = "-1";
    return buildPost(cseq, o);
}

QByteArray OvSchemeManage::buildModify(int cseq, const OvScheme &scheme, int family)
{
    if (!validFamily(family))
        return QByteArray();
    Json::Value o(Json::objectValue);
    o["Action"] = "Mod";
    o["Id"] = rows::jsonText(QByteArray::number(scheme.id));
    o["Name"] = rows::jsonText(scheme.name);
    o["Comment"] = rows::jsonText(scheme.comment);
    o["Enable"] = rows::jsonText(QByteArray::number(scheme.enabled));
    return buildPost(cseq, o);
}

QByteArray OvSchemeManage::buildDelete(int cseq, const OvScheme &scheme, int family)
{
    if (!validFamily(family))
        return QByteArray();
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_list.erase(std::remove_if(m_list.begin(), m_list.end(),
                                    [&scheme](const OvScheme &s) { return s.id == scheme.id; }),
                     m_list.end());
        m_pendingDelete[static_cast<size_t>(family)] = scheme.id;
    }
    Json::Value o(Json::objectValue);
    o["Action"] = "Del";
    o["Id"] = rows::jsonText(QByteArray::number(scheme.id));
    o["Name"] = rows::jsonText(scheme.name);
    o["Comment"] = rows::jsonText(scheme.comment);
    o["Enable"] = rows::jsonText(QByteArray::number(scheme.enabled));
    return buildPost(cseq, o);
}

bool OvSchemeManage::parseList(const QByteArray &body, std::vector<OvScheme> &out)
{
    std::vector<OvScheme> list;
    if (!rows::forEachRow(body, [&list](const Json::Value &row) { list.push_back(OvScheme::fromRow(row)); }))
        return false;
    out = std::move(list);
    return true;
}

std::optional<OvScheme> OvSchemeManage::parseAnswerScheme(const QByteArray &body, int family)
{
    if (!validFamily(family) || body.trimmed().isEmpty())
        return std::nullopt;
    if (body.trimmed().startsWith('[')) {
        std::vector<OvScheme> list;
        if (!parseList(body, list) || list.size() != 1)
            return std::nullopt;
        return list.front();
    }
    return readElement(body, family);
}

void OvSchemeManage::onOk(int requestCode, const QByteArray &body)
{
    if (ownsCode(requestCode) != 0)
        return;
    const int family = (requestCode - kFirstCode) / 4;
    const int step = (requestCode - kFirstCode) % 4;
    const Callbacks c = callbacks();
    switch (step) {
    case ListStep: {
        // A list that does not parse leaves the previous one standing.
        std::vector<OvScheme> list;
        if (!parseList(body, list))
            return;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_list = list;
        }
        if (c.listed)
            c.listed(list, family);
        return;
    }
    case AddStep:
    case ModifyStep: {
        // Only a scheme the answer itself carried is this request's; an empty
        // answer leaves the news to the notification that follows.
        const std::optional<OvScheme> scheme = parseAnswerScheme(body, family);
        if (!scheme)
            return;
        const auto &callback = step == AddStep ? c.added : c.changed;
        if (callback)
            callback(*scheme, family, true);
        return;
    }
    case DeleteStep: {
        std::optional<int> id;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            id.swap(m_pendingDelete[static_cast<size_t>(family)]);
        }
        if (id && c.deleted)
            c.deleted(*id, family);
        return;
    }
    default:
        return;
    }
}

bool OvSchemeManage::onNotify(const QByteArray &key, const QByteArray &body)
{
    if (key != kChangeKey)
        return false;
    std::vector<OvScheme> list;
    if (!parseList(body, list))
        return true;
    const Callbacks c = callbacks();
    if (!c.changed)
        return true;
    for (const OvScheme &s : list)
        c.changed(s, 0, false);
    return true;
}

bool OvSchemeManage::onBody(const QByteArray &text)
{
    const int family = familyOfElement(text);
    if (family < 0)
        return false;
    const std::optional<OvScheme> scheme = readElement(text, family);
    if (!scheme)
        return false;
    const Callbacks c = callbacks();
    if (c.changed)
        c.changed(*scheme, family, false);
    return true;
}

void OvSchemeManage::onDelete(const QByteArray &type, int id)
{
    if (type.isEmpty())
        return;
    for (int f = 0; f < kFamilies; ++f) {
        if (type == kDeleteTypes[f]) {
            const Callbacks c = callbacks();
            if (c.deleted)
                c.deleted(id, f);
            return;
        }
    }
}
