#include "commands/TablePush.h"

#include "db/SimDatabase.h"
#include "wire/DbpWriter.h"

namespace TablePush {

QByteArray changed(SimDatabase &db, const TableRegistry::Table &table, const QVariant &key)
{
    return DbpWriter::sqlConfigChange(table.subtype, db.rowsWhere(table, key));
}

QByteArray changed(SimDatabase &db, const QByteArray &tableName, const QVariant &key)
{
    return changed(db, TableRegistry::named(tableName), key);
}

QByteArray deleted(const TableRegistry::Table &table, int id)
{
    return DbpWriter::deleteMessage(table.deleteType, id);
}

} // namespace TablePush
