#include "db/TableRegistry.h"

#include <QtGlobal>

namespace TableRegistry {

const QVector<Table> &tables()
{
    // Push subtypes are the lower-case table names: the console routes the call
    // stations' changes by "SqlConfig_mic26" and "SqlConfig_mic48".
    static const QVector<Table> list = {
        {"ipamp", "terminalId", "ipamp", "01", Kind::Terminal},
        {"mic35", "terminalId", "mic35", "MIC", Kind::Terminal},
        {"Mic26", "terminalId", "mic26", "M26", Kind::Terminal},
        {"Mic48", "terminalId", "mic48", "M48", Kind::Terminal},
        {"m37", "terminalId", "m37", "M37", Kind::Terminal},
        {"capm59", "terminalId", "capm59", "CAP", Kind::Terminal},
        {"tts83", "terminalId", "tts83", "Tts", Kind::Terminal},
        {"firealarm", "terminalId", "firealarm", "FAlarm", Kind::Terminal},
        {"m35call", "terminalId", "m35call", "", Kind::Book},
        {"m35transfercall", "terminalId", "m35transfercall", "", Kind::Book},
        {"m35monitor", "terminalId", "m35monitor", "", Kind::Book},
        {"m35soundsource", "terminalId", "m35soundsource", "", Kind::Book},
        {"m35broadcast", "terminalId", "m35broadcast", "", Kind::Book},
        {"m26buttoncall", "terminalId", "m26buttoncall", "", Kind::Book},
        {"m48buttoncall", "terminalId", "m48buttoncall", "", Kind::Book},
        {"soundsource", "sourceId", "soundsource", "SoundSource", Kind::Record},
        {"timerplan", "timerplanId", "timerplan", "SchemeData", Kind::Record},
        {"callservergroup", "groupId", "callservergroup", "MicGroup", Kind::Record},
        {"region", "regionId", "region", "Region", Kind::Record},
        {"parameter", "name", "parameter", "", Kind::Record},
    };
    return list;
}

QVector<const Table *> ofKind(Kind kind)
{
    QVector<const Table *> out;
    for (const Table &t : tables()) {
        if (t.kind == kind)
            out.append(&t);
    }
    return out;
}

const Table *find(const QByteArray &name)
{
    for (const Table &t : tables()) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

const Table &named(const QByteArray &name)
{
    const Table *t = find(name);
    if (!t)
        qFatal("talkback-sim: table %s is not registered", name.constData());
    return *t;
}

} // namespace TableRegistry
