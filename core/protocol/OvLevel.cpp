#include "protocol/OvLevel.h"

#include "util/BodyParsers.h"

#include <cstdlib>
#include <cstring>

namespace {

const tinyxml2::XMLElement *findElement(const tinyxml2::XMLElement *from, const char *name)
{
    for (const tinyxml2::XMLElement *e = from; e; e = e->NextSiblingElement()) {
        if (std::strcmp(e->Name(), name) == 0)
            return e;
        if (const tinyxml2::XMLElement *inner = findElement(e->FirstChildElement(), name))
            return inner;
    }
    return nullptr;
}

long decimalAttribute(const tinyxml2::XMLElement *e, const char *name, long fallback)
{
    const char *text = e->Attribute(name);
    return text ? std::strtol(text, nullptr, 10) : fallback;
}

} // namespace

OvLevel OvLevel::copied() const
{
    OvLevel copy = *this;
    copy.name.truncate(kMaxNameBytes);
    return copy;
}

QByteArray OvLevel::toString() const
{
    return "{id " + QByteArray::number(id) + ", name '" + name + "', lv " + QByteArray::number(level)
        + ", type " + QByteArray::number(type) + "}";
}

bool readLevelList(const QByteArray &text, std::vector<OvLevel> &levels)
{
    levels.clear();
    tinyxml2::XMLDocument doc;
    if (!body::parseXml(text, doc))
        return false;
    const tinyxml2::XMLElement *list = findElement(doc.FirstChildElement(), "LevelList");
    if (!list)
        return false;
    for (const tinyxml2::XMLElement *e = list->FirstChildElement(); e; e = e->NextSiblingElement()) {
        OvLevel level;
        level.id = static_cast<int>(decimalAttribute(e, "id", level.id));
        if (const char *name = e->Attribute("name"))
            level.name = name;
        // A value the field cannot hold grants nothing: -1 must not wrap to 65535.
        const long lv = decimalAttribute(e, "lv", level.level);
        level.level = lv < 0 || lv > 65535 ? 0 : static_cast<quint16>(lv);
        level.type = static_cast<qint16>(decimalAttribute(e, "type", level.type));
        levels.push_back(level);
    }
    return true;
}

const OvLevel *levelForType(const std::vector<OvLevel> &sortedLevels, int type)
{
    for (const OvLevel &level : sortedLevels) {
        if (level.type == type)
            return &level;
    }
    return nullptr;
}

bool levelAllows(const std::vector<OvLevel> &sortedLevels, int type, int userLevel)
{
    const OvLevel *level = levelForType(sortedLevels, type);
    return level && userLevel <= level->level;
}
