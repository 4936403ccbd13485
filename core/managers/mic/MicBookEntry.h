#pragma once

#include <json/value.h>

// One row of a microphone's book: call book, transfer book, monitor list,
// plan list or broadcast regions. The books differ only in the names of the
// two entry columns, so one record serves them all:
//
//   book               targetId      targetType
//   call book          contactId     contactType (terminal type code)
//   transfer book      transferId    transferType (3 microphone, 10 group)
//   monitor list       monitorId     monitorType (terminal type code)
//   plan list          sourceId      0
//   broadcast regions  regionId      0
struct MicBookEntry
{
    enum Book : int { CallBook = 266, TransferBook = 270, MonitorList = 272, PlanList = 274, Regions = 276 };

    int terminalId = 0;  // the microphone that owns the book
    int orderId = 0;
    int targetId = 0;
    int targetType = 0;

    // Reads a row of the book answered to that request code.
    static MicBookEntry fromRow(int book, const Json::Value &row);
};
