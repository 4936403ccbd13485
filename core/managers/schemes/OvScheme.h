#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

#include <json/value.h>

namespace tinyxml2 {
class XMLElement;
}

// A timer scheme: a named set of timer tasks switched on and off together.
// Scheme 1 is the default scheme; it always exists and cannot be deleted.
class OvScheme
{
public:
    virtual ~OvScheme() = default;

    static constexpr qint32 kUnknownId = -1;  // not yet given by the server

    qint32 id = 0;
    qint32 level = 0;    // XML documents only
    qint32 enabled = 1;  // 1 enabled, anything else disabled
    qint32 type = 0;     // XML documents only
    QByteArray name;
    QByteArray remark;   // XML documents only
    QByteArray comment;

    bool isEnabled() const { return enabled == 1; }

    // A "timerplan" row; an empty name becomes "Scheme_" and the row's "terminalId" text.
    static OvScheme fromRow(const Json::Value &row);
    // The single-scheme element's attributes; level and type keep their value when missing.
    void readXml(const tinyxml2::XMLElement *element);

    QString toString() const;
};
Q_DECLARE_METATYPE(OvScheme)
