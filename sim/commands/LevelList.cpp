#include "commands/LevelList.h"

#include "db/SimDatabase.h"
#include "db/SqlStatement.h"

#include <QStringList>

#include <sqlite3.h>

namespace LevelList {

namespace {

QByteArray attribute(const QByteArray &text)
{
    QByteArray t = text;
    t.replace('&', "&amp;").replace('"', "&quot;").replace('<', "&lt;").replace('>', "&gt;");
    return t;
}

} // namespace

bool replace(SimDatabase &db, const QString &text, QString *error)
{
    struct Entry { int id; QString name; int lv; int type; };
    QVector<Entry> entries;
    for (const QString &item : text.split(',', Qt::SkipEmptyParts)) {
        const QStringList f = item.split(':');
        bool okId = false, okLv = false, okType = false;
        if (f.size() == 4) {
            entries.append({f[0].toInt(&okId), f[1], f[2].toInt(&okLv), f[3].toInt(&okType)});
        }
        if (!okId || !okLv || !okType) {
            *error = QStringLiteral("bad level \"%1\" (want id:name:lv:type)").arg(item);
            return false;
        }
    }
    if (db.exec("delete from levels", {}, error) < 0)
        return false;
    for (const Entry &e : entries) {
        if (db.exec("insert into levels(id, name, lv, type) values(?, ?, ?, ?)", {e.id, e.name, e.lv, e.type}, error) < 0)
            return false;
    }
    return true;
}

QByteArray xml(SimDatabase &db)
{
    QByteArray out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LevelList>\n";
    SqlStatement st(db.handle(), "select id, name, lv, type from levels order by id");
    while (st.isValid() && st.step() == SQLITE_ROW) {
        out += "  <Level id=\"" + st.text(0) + "\" name=\"" + attribute(st.text(1)) + "\" lv=\"" + st.text(2)
            + "\" type=\"" + st.text(3) + "\"/>\n";
    }
    out += "</LevelList>\n";
    return out;
}

} // namespace LevelList
