#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

#include <json/value.h>

#include <vector>

// One execution time of a sound-source task: seconds after midnight and a
// name of at most 31 bytes.
struct ExecTime
{
    qint64 time = 0;
    QByteArray name;

    bool operator==(const ExecTime &o) const { return time == o.time && name == o.name; }
};

// A row of the server's table "soundsource": every task the operator sees.
// Category: 1 plan, 2 fire-alarm / manual, 3 timer (of scheme timerPlanId),
// 4 integration. Source type: 1 media files, 2 capture box, 3 text to speech,
// 4 microphone.
class SoundSourceTask
{
public:
    enum Status : int { Unknown = 0, Running = 1, Idle = 2, Illegal = 3 };

    qint32 id = 0;
    QByteArray name;  // as the server has it, possibly empty (see displayName)
    qint32 status = Idle;
    qint32 category = 1;
    qint32 sourceType = 1;
    qint32 timerPlanId = -1;
    QByteArray sourceContent;
    qint32 playVolume = 70;
    qint32 duration = 0;
    qint32 playTimes = 1;
    qint32 openAmp = 0;
    qint32 week = 0;
    qint64 startDate = 0;  // seconds since 1970-01-01 00:00 UTC; 64 bits, past 2038
    qint64 endDate = 0;    // 0: no end
    QByteArray executeTime;   // text form of execTimes
    QByteArray terminalText;  // ids separated by single blanks
    std::vector<qint32> terminals;
    std::vector<ExecTime> execTimes;

    // Reads a list row. The name is kept as received: an empty name is shown
    // as displayName() but never sent back in its place.
    static SoundSourceTask fromRow(const Json::Value &row);

    // The name the pages show: an empty name becomes "Task_" and the terminal text.
    QByteArray displayName() const;

    // Keep the list and its text form together.
    void setExecTimes(std::vector<ExecTime> times);
    void setTerminals(std::vector<qint32> ids);

    // name "#$%" time, joined by "!!!"; reading skips pieces without exactly two parts.
    static QByteArray writeExecTimes(const std::vector<ExecTime> &times);
    static std::vector<ExecTime> readExecTimes(const QByteArray &text);
    static std::vector<qint32> readTerminals(const QByteArray &text);

    // "Unknow", "Running", "Idle", "Illegality"; any other value "Illegality".
    static const char *statusName(int status);
    // "File Play Broadcast", "Cap Broadcast", "TTS Broadcast", "Mic Broadcast";
    // a value outside 1 to 4 "File Play Broadcast".
    static const char *sourceTypeName(int sourceType);

    QString toString() const;
};
Q_DECLARE_METATYPE(SoundSourceTask)
