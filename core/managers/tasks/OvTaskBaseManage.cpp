#include "managers/tasks/OvTaskBaseManage.h"

#include "managers/tasks/TaskXmlReader.h"
#include "protocol/OvMsgCheck.h"
#include "util/BodyParsers.h"

#include <algorithm>

namespace {

constexpr int kCodeCount = 7;

std::vector<int> codesFrom(int first)
{
    std::vector<int> codes;
    for (int i = 0; i < kCodeCount; ++i)
        codes.push_back(first + i);
    return codes;
}

const tinyxml2::XMLElement *findNamed(const tinyxml2::XMLNode &parent, const char *name)
{
    // The document element itself, or one of its descendants, breadth first by level.
    for (const tinyxml2::XMLElement *e = parent.FirstChildElement(); e; e = e->NextSiblingElement()) {
        if (qstrcmp(e->Name(), name) == 0)
            return e;
    }
    for (const tinyxml2::XMLElement *e = parent.FirstChildElement(); e; e = e->NextSiblingElement()) {
        if (const tinyxml2::XMLElement *inner = findNamed(*e, name))
            return inner;
    }
    return nullptr;
}

} // namespace

OvTaskBaseManage::OvTaskBaseManage(Names names)
    : OvBaseMgr(codesFrom(names.firstCode), names.item), m_names(std::move(names))
{
}

void OvTaskBaseManage::setCallbacks(Callbacks callbacks)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_callbacks = std::move(callbacks);
}

OvTaskBaseManage::Callbacks OvTaskBaseManage::callbacks() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_callbacks;
}

size_t OvTaskBaseManage::taskCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_tasks.size();
}

std::vector<OvPlayTask> OvTaskBaseManage::tasks() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_tasks;
}

OvPlayTask OvTaskBaseManage::current() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_current;
}

bool OvTaskBaseManage::ownsTaskCode(int requestCode) const
{
    return ownsCode(requestCode) == 0;
}

bool OvTaskBaseManage::isListBody(const QByteArray &body) const
{
    return OvMsgCheck::classifyDocument(body) == m_names.listKind;
}

bool OvTaskBaseManage::isItemBody(const QByteArray &body) const
{
    return OvMsgCheck::classifyDocument(body) == m_names.itemKind;
}

bool OvTaskBaseManage::isDeleteBody(const QByteArray &body) const
{
    return OvMsgCheck::classifyDocument(body) == m_names.deleteKind;
}

int OvTaskBaseManage::parseList(const QByteArray &body)
{
    tinyxml2::XMLDocument doc;
    if (!body::parseXml(body, doc))
        return -1;
    const tinyxml2::XMLElement *list = findNamed(doc, m_names.list.constData());
    if (!list)
        return -1;
    const char *item = m_names.item.constData();
    size_t count = 0;
    for (const tinyxml2::XMLElement *e = list->FirstChildElement(item); e; e = e->NextSiblingElement(item))
        ++count;
    std::vector<OvPlayTask> read;
    read.reserve(count);
    for (const tinyxml2::XMLElement *e = list->FirstChildElement(item); e; e = e->NextSiblingElement(item)) {
        OvPlayTask task;
        if (TaskXmlReader::parseTask(e, task))
            read.push_back(std::move(task));
    }
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_tasks.swap(read);
    }
    // The previous list is freed here, outside the lock.
    return 0;
}

bool OvTaskBaseManage::parseItem(const QByteArray &body)
{
    tinyxml2::XMLDocument doc;
    if (!body::parseXml(body, doc))
        return false;
    const char *item = m_names.item.constData();
    const tinyxml2::XMLElement *first = findNamed(doc, item);
    if (!first)
        return false;
    OvPlayTask scratch;
    for (const tinyxml2::XMLElement *e = first; e; e = e->NextSiblingElement(item))
        TaskXmlReader::parseTask(e, scratch);
    std::lock_guard<std::mutex> guard(m_lock);
    m_current = scratch;
    return true;
}

void OvTaskBaseManage::onOk(int requestCode, const QByteArray &body)
{
    if (!ownsTaskCode(requestCode))
        return;
    bool parsed = true;
    if (isListBody(body))
        parsed = parseList(body) == 0;
    else if (isItemBody(body))
        parsed = parseItem(body);
    notifyResult(requestCode, parsed);
}

void OvTaskBaseManage::onError(int requestCode, const QByteArray &)
{
    if (ownsTaskCode(requestCode))
        notifyResult(requestCode, false);
}

bool OvTaskBaseManage::onNotify(const QByteArray &key, const QByteArray &body)
{
    // The routing key is Packet-Type "_" Packet-Subtype: a task pushed with
    // no subtype arrives as "Task_"; one with a subtype is not this manager's.
    if (key != m_names.item && key != m_names.item + '_')
        return false;
    if (parseItem(body)) {
        const Callbacks c = callbacks();
        if (c.notified)
            c.notified(current());
    }
    return true;
}

void OvTaskBaseManage::onDeleted(int id)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_tasks.erase(std::remove_if(m_tasks.begin(), m_tasks.end(), [id](const OvPlayTask &t) { return t.id == id; }),
                  m_tasks.end());
}

void OvTaskBaseManage::notifyResult(int requestCode, bool ok)
{
    if (!ok)
        return;
    const Callbacks c = callbacks();
    switch (requestCode - m_names.firstCode) {
    case 0:
        if (c.list)
            c.list(tasks());
        break;
    case 1:
        if (c.item[0])
            c.item[0](current());
        break;
    case 2:
        if (c.item[1])
            c.item[1](current());
        break;
    case 3:
        if (c.status[0])
            c.status[0](true);
        break;
    case 4:
        if (c.status[1])
            c.status[1](true);
        break;
    case 5:
        if (c.item[2])
            c.item[2](current());
        break;
    default:
        break;
    }
}
