#include "managers/serverconfig/ServerParameter.h"

#include "managers/common/RowFields.h"

int ServerParameter::kindOf(const QByteArray &name)
{
    if (name == "Record_Server")
        return RecordServer;
    if (name == "Talk_Log_Server")
        return TalkLogServer;
    if (name == "Vad_Ptt_Time_Out")
        return VadPttTimeOut;
    if (name == "System_Name")
        return SystemName;
    return Other;
}

ServerParameter ServerParameter::fromRow(const Json::Value &row)
{
    ServerParameter p;
    p.name = rows::text(row, "name");
    p.value = rows::text(row, "value");
    p.kind = kindOf(p.name);
    return p;
}
