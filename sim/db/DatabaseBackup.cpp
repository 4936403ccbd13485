#include "db/DatabaseBackup.h"

#include "db/SimDatabase.h"

#include <QFile>

#include <sqlite3.h>

namespace DatabaseBackup {

namespace {

// Copies every page of src's main database into dst's in one step.
bool copyPages(sqlite3 *dst, sqlite3 *src, QString *error)
{
    sqlite3_backup *b = sqlite3_backup_init(dst, "main", src, "main");
    if (!b) {
        *error = QString::fromUtf8(sqlite3_errmsg(dst));
        return false;
    }
    const int step = sqlite3_backup_step(b, -1);
    sqlite3_backup_finish(b);
    if (step != SQLITE_DONE) {
        *error = QString::fromUtf8(sqlite3_errstr(step));
        return false;
    }
    return true;
}

struct Handle {
    sqlite3 *db = nullptr;
    ~Handle() { sqlite3_close(db); }
};

} // namespace

bool write(SimDatabase &db, const QString &file, QString *error)
{
    QFile::remove(file);
    Handle out;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &out.db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        *error = QStringLiteral("cannot write the backup file");
        return false;
    }
    return copyPages(out.db, db.handle(), error);
}

bool restore(SimDatabase &db, const QString &file, QString *error)
{
    Handle in;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &in.db, SQLITE_OPEN_READONLY, nullptr)
        != SQLITE_OK) {
        *error = QStringLiteral("cannot read the recovery file");
        return false;
    }
    // A file that is not a database, or some other database, fails here
    // before anything of the running installation is touched.
    sqlite3_stmt *check = nullptr;
    const bool isInstallation =
        sqlite3_prepare_v2(in.db, "select count(*) from users", -1, &check, nullptr) == SQLITE_OK
        && sqlite3_step(check) == SQLITE_ROW;
    sqlite3_finalize(check);
    if (!isInstallation) {
        *error = QStringLiteral("not a backup of this server");
        return false;
    }
    return copyPages(db.handle(), in.db, error);
}

} // namespace DatabaseBackup
