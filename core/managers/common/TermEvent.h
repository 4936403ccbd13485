#pragma once

#include <QByteArray>

#include <functional>
#include <vector>

// Event codes a device data manager raises to its list manager. Families add
// their own list and change codes next to these.
enum TermEventCode : int {
    ListEvent = 3,           // records: the whole list, in the order received
    RemoveRefusedEvent = 7,  // refusal: a RemoveDevice was refused
    ChangeEvent = 10,        // records: exactly one added or changed row
    RemovedEvent = 12,       // records: one record carrying only the id the server deleted
};

// Why the server refused a RemoveDevice: the answer body as the server wrote it.
struct RemoveRefusal
{
    bool valid = false;
    QByteArray text;
};

// One event from a data manager (receive thread) to its list manager. The
// event and its records belong to the manager; the callback may move the
// records out (a list is handed over without copying), and nothing of the
// event is used after the callback returns.
template <typename Record>
struct TermEvent
{
    int code = 0;
    std::vector<Record> records;
    RemoveRefusal refusal;
};

// A DELETE message of the family, as an event: one record holding only the id.
template <typename Record>
TermEvent<Record> removedEvent(int code, int id)
{
    TermEvent<Record> event;
    event.code = code;
    Record gone;
    gone.id = id;
    event.records.push_back(std::move(gone));
    return event;
}

// The list manager's side of the hand-over: returns 0 when it used the event.
template <typename Record>
using TermEventCallback = std::function<int(TermEvent<Record> &event)>;
