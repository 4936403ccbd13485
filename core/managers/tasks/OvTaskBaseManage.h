#pragma once

#include "managers/tasks/DBPTask.h"
#include "protocol/OvBaseMgr.h"

#include <QByteArray>

#include <functional>
#include <mutex>
#include <vector>

// The shared reader of the server's task documents: a list document whose
// children are item elements, or single items. It keeps the last list and
// the last single item read. Nothing in the console sends these managers'
// codes; they read task documents that arrive as answers carrying them.
class OvTaskBaseManage : public OvBaseMgr
{
public:
    struct Names {
        QByteArray list;      // "TaskList"
        QByteArray item;      // "Task"
        QByteArray remove;    // "DeletePlayTask"
        QByteArray terminal;  // "TaskTerminal" (kept, not used by the reader)
        int firstCode;        // 13
        int listKind, itemKind, deleteKind;  // OvMsgCheck indexes
    };

    // Result callbacks: by the code's offset from the first code, 0 the list,
    // 1, 2 and 5 an item, 3 and 4 a status. Empty ones are skipped.
    struct Callbacks {
        std::function<void(const std::vector<OvPlayTask> &)> list;
        std::function<void(const OvPlayTask &)> item[3];
        std::function<void(bool ok)> status[2];
        std::function<void(const OvPlayTask &)> notified;
    };

    explicit OvTaskBaseManage(Names names);

    const Names &names() const { return m_names; }
    void setCallbacks(Callbacks callbacks);

    std::vector<OvPlayTask> tasks() const;
    size_t taskCount() const;
    OvPlayTask current() const;

    void onOk(int requestCode, const QByteArray &body) override;
    bool onNotify(const QByteArray &key, const QByteArray &body) override;
    bool onBody(const QByteArray &) override { return false; }
    void onError(int requestCode, const QByteArray &body) override;
    // A DELETE of the item type ("Task" / "PlanTask") removes the task from the
    // last list; the delete callback follows.
    void onDeleted(int id) override;

    // 0 when the list element was found (tasks replaced), -1 otherwise.
    int parseList(const QByteArray &body);
    // The first item element and its following item siblings; the last wins.
    // False when there is no item element.
    bool parseItem(const QByteArray &body);

    bool isListBody(const QByteArray &body) const;
    bool isItemBody(const QByteArray &body) const;
    bool isDeleteBody(const QByteArray &body) const;
    bool ownsTaskCode(int requestCode) const;

private:
    void notifyResult(int requestCode, bool ok);
    Callbacks callbacks() const;

    const Names m_names;
    mutable std::mutex m_lock;  // tasks, current, callbacks
    std::vector<OvPlayTask> m_tasks;
    OvPlayTask m_current;
    Callbacks m_callbacks;
};
