#include "managers/tasks/SoundSourceTask.h"

#include "managers/common/RowFields.h"
#include "managers/tasks/TaskText.h"

#include <QList>

namespace {

constexpr int kExecNameBytes = 31;

qint64 integer64(const Json::Value &row, const char *key)
{
    return tasktext::leadingDecimal(rows::text(row, key).constData());
}

} // namespace

SoundSourceTask SoundSourceTask::fromRow(const Json::Value &row)
{
    SoundSourceTask t;
    t.id = rows::integer(row, "sourceId");
    t.name = rows::text(row, "name");
    t.status = rows::integer(row, "status");
    t.category = rows::integer(row, "sourceCategory");
    t.sourceType = rows::integer(row, "sourceType");
    // Read whatever the name: a timer task without a name still belongs to its scheme.
    t.timerPlanId = rows::integer(row, "timerPlanId");
    t.sourceContent = rows::text(row, "sourceContent");
    t.playVolume = rows::integer(row, "playVol");
    t.playTimes = rows::integer(row, "playTimes");
    t.duration = rows::integer(row, "duration");
    t.openAmp = rows::integer(row, "openAmp");
    t.week = rows::integer(row, "week");
    t.startDate = integer64(row, "startDate");
    t.endDate = integer64(row, "endDate");
    t.executeTime = rows::text(row, "executeTime");
    t.terminalText = rows::text(row, "terminalId");
    t.terminals = readTerminals(t.terminalText);
    t.execTimes = readExecTimes(t.executeTime);
    return t;
}

QByteArray SoundSourceTask::displayName() const
{
    return name.isEmpty() ? QByteArrayLiteral("Task_") + terminalText : name;
}

void SoundSourceTask::setExecTimes(std::vector<ExecTime> times)
{
    for (ExecTime &e : times)
        e.name = tasktext::cutUtf8(e.name, kExecNameBytes);
    execTimes = std::move(times);
    executeTime = writeExecTimes(execTimes);
}

void SoundSourceTask::setTerminals(std::vector<qint32> ids)
{
    QByteArray text;
    for (qint32 terminal : ids) {
        if (!text.isEmpty())
            text += ' ';
        text += QByteArray::number(terminal);
    }
    terminals = std::move(ids);
    terminalText = text;
}

QByteArray SoundSourceTask::writeExecTimes(const std::vector<ExecTime> &times)
{
    QByteArray out;
    for (const ExecTime &e : times) {
        if (!out.isEmpty())
            out += "!!!";
        out += e.name + "#$%" + QByteArray::number(e.time);
    }
    return out;
}

std::vector<ExecTime> SoundSourceTask::readExecTimes(const QByteArray &text)
{
    std::vector<ExecTime> out;
    if (text.isEmpty())
        return out;
    int from = 0;
    while (from <= text.size()) {
        int end = text.indexOf("!!!", from);
        if (end < 0)
            end = text.size();
        const QByteArray piece = text.mid(from, end - from);
        const int mark = piece.indexOf("#$%");
        if (mark >= 0 && piece.indexOf("#$%", mark + 3) < 0) {
            ExecTime e;
            e.name = tasktext::cutUtf8(piece.left(mark), kExecNameBytes);
            e.time = tasktext::leadingDecimal(piece.mid(mark + 3).constData());
            out.push_back(std::move(e));
        }
        from = end + 3;
    }
    return out;
}

std::vector<qint32> SoundSourceTask::readTerminals(const QByteArray &text)
{
    std::vector<qint32> out;
    for (const QByteArray &part : text.split(' ')) {
        if (!part.isEmpty())
            out.push_back(rows::decimalValue(part));
    }
    return out;
}

const char *SoundSourceTask::statusName(int status)
{
    switch (status) {
    case Unknown:
        return "Unknow";
    case Running:
        return "Running";
    case Idle:
        return "Idle";
    default:
        return "Illegality";
    }
}

const char *SoundSourceTask::sourceTypeName(int sourceType)
{
    switch (sourceType) {
    case 2:
        return "Cap Broadcast";
    case 3:
        return "TTS Broadcast";
    case 4:
        return "Mic Broadcast";
    default:
        return "File Play Broadcast";
    }
}

QString SoundSourceTask::toString() const
{
    return QStringLiteral("task %1 \"%2\" status %3 category %4 source %5 scheme %6 terminals \"%7\" exec \"%8\"")
        .arg(id)
        .arg(QString::fromUtf8(name))
        .arg(status)
        .arg(category)
        .arg(sourceType)
        .arg(timerPlanId)
        .arg(QString::fromUtf8(terminalText), QString::fromUtf8(executeTime));
}
