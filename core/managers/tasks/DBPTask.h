#pragma once

#include <QByteArray>
#include <QMetaType>

#include <vector>

// One execution time of a task document: seconds after midnight, a name of at
// most 31 bytes (cut at a whole character) and the server's repetition rule.
struct TaskExecTime
{
    qint64 time = -1;
    QByteArray name;
    quint8 rule = 0;
};

// A broadcast task as the server describes it in its task documents
// ("TaskList" / "Task", "PlanTaskList" / "PlanTask"). The console only stores
// the meanings of mode, rule, week and the output pairs; they are the server's.
class DBPTask
{
public:
    virtual ~DBPTask() = default;

    qint32 id = 0;
    qint32 type = 1;
    QByteArray name;  // at most 31 bytes, cut at a whole character
    quint8 mode = 0;
    qint64 duration = -1;
    qint64 power = 0;
    qint32 user = 0;
    qint32 level = 0;
    QByteArray ttsText;
    qint32 ttsRole = 3;
    qint32 ttsSpeed = 5;
    qint32 ttsVolume = 5;
    qint32 ttsTone = 5;
    qint32 ttsSample = 16000;  // never read from a document
    quint8 rule = 2;
    qint64 beginDate = -1;
    qint64 endDate = -1;
    quint8 week = 0;
    quint8 sourceType = 0;
    quint8 em = 0, ev = 100, emm = 0, emv = 100, elm = 0, elv = 100;
    qint32 fileSource = 0;
    qint32 eChannel = 1;
    qint32 ei = 0;
    qint16 manager = 0;
    qint32 userCode = 0;
};

// A media file of a task: name is the part of the path after its last "/".
struct TaskFile
{
    qint32 id = 0;
    QByteArray name;
    QByteArray path;
    qint64 rule = 0;
    qint32 type = 0;
};

class OvPlayTask : public DBPTask
{
public:
    quint8 enabled = 1;
    quint8 executing = 0;
    qint64 beginTime = 0;
    std::vector<TaskFile> files;
    std::vector<qint32> terminalIds;
    std::vector<qint32> terminalVolumes;  // filled independently of terminalIds
    qint16 terminalsVolume = -1;
    std::vector<TaskExecTime> execTimes;
    qint32 schemeId = 0;
};
Q_DECLARE_METATYPE(OvPlayTask)
