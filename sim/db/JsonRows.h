#pragma once

#include <QByteArray>
#include <QVector>

#include <string>

struct sqlite3_stmt;

// Writes query rows as the list answers carry them: a JSON array of objects whose
// values are all JSON strings (NULL as ""). Built as text, not through a DOM,
// because a list of a hundred thousand terminals must go out fast.
namespace JsonRows {

void appendEscaped(std::string &out, const char *text, size_t length);
QByteArray quoted(const QByteArray &text);

struct Limits {
    qint64 maxRows = 0;   // 0 = no bound
    qint64 maxBytes = 0;  // 0 = no bound
};

// The text is kept in blocks of about a megabyte: no reallocation copies while
// it grows, and each block is handed to the socket as it is.
struct Result {
    bool ok = false;
    QVector<QByteArray> blocks;
    qint64 size = 0;
    qint64 rows = 0;
    QByteArray error;

    QByteArray joined() const;
};

// Steps the statement to its end. Fails when a bound is passed or a step fails.
Result write(sqlite3_stmt *stmt, const Limits &limits);

} // namespace JsonRows
