#pragma once

#include <QByteArray>
#include <QVector>

// The list texts of the book commit commands: tokens in the dialog's row
// order, separated by one blank, nothing at either end; an empty book is the
// empty text.
namespace micbooks {

struct Contact
{
    int typeCode = 0;  // terminal type code of the contact
    int id = 0;
};

struct Monitored
{
    QByteArray typeText;  // the terminal's type text as the server has it
    int id = 0;
};

// "M35CallBook": "<type name>_<id>" per contact ("Mic26", "Mic35", "Mic48", "IP", "M37").
QByteArray callBookText(const QVector<Contact> &contacts);
// "M35CallTransfer": the microphones first ("Mic35_<id>"), then the call-service
// groups ("CallSerGroup_<id>").
QByteArray transferBookText(const QVector<int> &microphoneIds, const QVector<int> &groupIds);
// "M35MonitorBook": the type text when it contains "Mic", otherwise "IpAmp"; "_" and the id.
QByteArray monitorListText(const QVector<Monitored> &terminals);
// "M35SoundSource" and "M35BroadBook": the plan ids / region ids.
QByteArray idListText(const QVector<int> &ids);

} // namespace micbooks
