#include "managers/schemes/OvScheme.h"

#include "managers/common/RowFields.h"
#include "managers/tasks/TaskText.h"

#include <tinyxml2.h>

OvScheme OvScheme::fromRow(const Json::Value &row)
{
    OvScheme s;
    s.id = rows::integer(row, "timerplanId");
    s.name = rows::text(row, "name");
    if (s.name.isEmpty())
        s.name = QByteArrayLiteral("Scheme_") + rows::text(row, "terminalId");
    s.enabled = rows::integer(row, "enable");
    s.comment = rows::text(row, "comment");
    return s;
}

void OvScheme::readXml(const tinyxml2::XMLElement *e)
{
    if (!e)
        return;
    const auto number = [e](const char *attribute, qint32 fallback) {
        const char *v = e->Attribute(attribute);
        return v ? static_cast<qint32>(tasktext::leadingDecimal(v)) : fallback;
    };
    const auto text = [e](const char *attribute) {
        const char *v = e->Attribute(attribute);
        return v ? QByteArray(v) : QByteArray();
    };
    id = number("Id", 0);
    name = text("SchemeName");
    enabled = number("Status", 0);
    remark = text("SchemeRemark");
    level = number("level", level);
    type = number("type", type);
}

QString OvScheme::toString() const
{
    return QStringLiteral("scheme %1 \"%2\" enabled %3 comment \"%4\"")
        .arg(id)
        .arg(QString::fromUtf8(name))
        .arg(enabled)
        .arg(QString::fromUtf8(comment));
}
