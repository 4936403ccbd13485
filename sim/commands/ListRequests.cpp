#include "commands/ListRequests.h"

#include "db/SimDatabase.h"
#include "db/SqlStatement.h"
#include "wire/DbpMessage.h"

#include <sqlite3.h>

namespace ListRequests {

JsonRows::Result sqlConfig(SimDatabase &db, const DbpMessage &request, const JsonRows::Limits &limits)
{
    QByteArray sql = request.body();
    // Some writers end the text with a terminating zero.
    while (sql.endsWith('\0'))
        sql.chop(1);
    sql = sql.trimmed();
    if (sql.isEmpty() || sql.contains('\0')) {
        JsonRows::Result r;
        r.error = "the body must be one SQL query";
        return r;
    }
    return db.readOnlyQuery(sql, limits);
}

namespace {

QByteArray xmlAttribute(const QByteArray &text)
{
    QByteArray t = text;
    t.replace('&', "&amp;").replace('"', "&quot;").replace('<', "&lt;").replace('>', "&gt;");
    return t;
}

} // namespace

QByteArray details(SimDatabase &db, const DbpMessage &request, QByteArray *reason)
{
    if (request.header("Data") != "Mic") {
        *reason = "unknown Data " + request.header("Data");
        return QByteArray();
    }
    bool ok = false;
    const qint64 id = request.header("Id").toLongLong(&ok);
    SqlStatement st(db.handle(), "select * from mic35 where terminalId = ?");
    st.bind({id});
    if (!ok || st.step() != SQLITE_ROW) {
        *reason = "unknown microphone " + request.header("Id");
        return QByteArray();
    }
    QByteArray out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<MicList>\n  <Mic";
    const int columns = sqlite3_column_count(st.handle());
    for (int c = 0; c < columns; ++c)
        out += ' ' + QByteArray(sqlite3_column_name(st.handle(), c)) + "=\"" + xmlAttribute(st.text(c)) + '"';
    out += "/>\n</MicList>\n";
    return out;
}

} // namespace ListRequests
