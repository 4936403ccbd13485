#include "managers/mic/MicBookEntry.h"

#include "managers/common/RowFields.h"

MicBookEntry MicBookEntry::fromRow(int book, const Json::Value &row)
{
    const char *idKey = nullptr;
    const char *typeKey = nullptr;
    switch (book) {
    case CallBook:
        idKey = "contactId";
        typeKey = "contactType";
        break;
    case TransferBook:
        idKey = "transferId";
        typeKey = "transferType";
        break;
    case MonitorList:
        idKey = "monitorId";
        typeKey = "monitorType";
        break;
    case PlanList:
        idKey = "sourceId";
        break;
    case Regions:
        idKey = "regionId";
        break;
    default:
        break;
    }
    MicBookEntry e;
    e.terminalId = rows::integer(row, "terminalId");
    e.orderId = rows::integer(row, "orderId");
    if (idKey)
        e.targetId = rows::integer(row, idKey);
    if (typeKey)
        e.targetType = rows::integer(row, typeKey);
    return e;
}
