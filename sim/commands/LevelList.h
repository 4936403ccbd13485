#pragma once

#include <QByteArray>
#include <QString>

class SimDatabase;

// The permission levels pushed after a login, kept in the table "levels".
namespace LevelList {

// "id:name:lv:type[,id:name:lv:type...]" replaces the table's content.
bool replace(SimDatabase &db, const QString &text, QString *error);
// The "LevelList" XML body. It starts with an XML declaration: the console takes
// the second "<" of a body as its top-level element.
QByteArray xml(SimDatabase &db);

} // namespace LevelList
