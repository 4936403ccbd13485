#pragma once

#include "managers/common/OvBaseTerminal.h"

#include <QByteArray>
#include <QMetaType>

#include <json/value.h>

#include <vector>

// A broadcast region (a row of the server's table "region"): a named set of
// player terminals and call stations addressed as one target.
class OvRegion
{
public:
    OvRegion() = default;
    OvRegion(const OvRegion &) = default;
    OvRegion &operator=(const OvRegion &) = default;
    OvRegion(OvRegion &&) noexcept = default;
    OvRegion &operator=(OvRegion &&) noexcept = default;
    virtual ~OvRegion();

    int id = 0;          // "regionId"
    QByteArray name;     // "name"
    QByteArray note;     // kept with the record, neither filled nor shown
    // "terminalId": from a list only the ids are known, from the dialog the
    // ids and names too.
    std::vector<OvBaseTerminal> members;

    std::vector<int> memberIds() const;
    void setMemberIds(const std::vector<int> &ids);

    static OvRegion fromRow(const Json::Value &row);
};
Q_DECLARE_METATYPE(OvRegion)
