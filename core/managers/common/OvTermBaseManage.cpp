#include "managers/common/OvTermBaseManage.h"

#include "managers/common/RowFields.h"
#include "util/BodyParsers.h"

OvTermBaseManage::~OvTermBaseManage() = default;

QByteArray OvTermBaseManage::buildListRequest(int cseq, const QByteArray &listName, const QByteArray &sql)
{
    return m_request.buildSqlConfig(cseq, listName, sql);
}

QByteArray OvTermBaseManage::buildIdValue(int cseq, int id, const QByteArray &packetType, const char *key, int value)
{
    Json::Value object(Json::objectValue);
    object["Id"] = rows::jsonText(QByteArray::number(id));
    object[key] = rows::jsonText(QByteArray::number(value));
    return m_request.buildPost(cseq, packetType, body::writeJson(object));
}

QByteArray OvTermBaseManage::buildRemoveDevice(int cseq, int id, const QByteArray &typeText)
{
    Json::Value object(Json::objectValue);
    object["Id"] = rows::jsonText(QByteArray::number(id));
    object["Type"] = rows::jsonText(typeText);
    return m_request.buildPost(cseq, QByteArrayLiteral("RemoveDevice"), body::writeJson(object));
}

QByteArray OvTermBaseManage::buildTypedPost(int cseq, const QByteArray &packetType, const QByteArray &body)
{
    return m_request.buildPost(cseq, packetType, body);
}

QByteArray OvTermBaseManage::buildDataIdQuery(int cseq, const QByteArray &dataName, int id)
{
    return m_request.buildDataId(cseq, dataName, id);
}
