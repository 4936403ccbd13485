#pragma once

#include <QByteArray>
#include <QVector>

// The installation's tables, and for each terminal family the names a pushed
// change or delete carries.
namespace SimSchema {

QByteArray createStatements();

struct Family {
    QByteArray table;      // SQLite table ("Mic26")
    QByteArray subtype;    // Packet-Subtype of its change pushes ("mic26")
    QByteArray familyKey;  // Packet-Type of its DELETE messages ("M26")
};

const QVector<Family> &families();
const Family *familyByTable(const QByteArray &table);

} // namespace SimSchema
