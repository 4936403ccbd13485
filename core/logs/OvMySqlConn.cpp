#include "logs/OvMySqlConn.h"

#include "logs/OvMySqlResult.h"

#include <QDebug>

#include <mysql.h>

#include <cstdio>
#include <mutex>

namespace {

// The client library is set up once, before the first connection of any
// thread; it is never shut down while other connections may exist.
void initLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { mysql_library_init(0, nullptr, nullptr); });
}

} // namespace

OvMySqlConn::OvMySqlConn() = default;

OvMySqlConn::~OvMySqlConn()
{
    close();
}

OvMySqlConn *OvMySqlConn::instance()
{
    static OvMySqlConn *conn = new OvMySqlConn();
    return conn;
}

int OvMySqlConn::connect(const QString &host)
{
    LogDbAccount account = LogDbAccount::fromConfig();
    account.host = host;
    return connect(account);
}

int OvMySqlConn::connect(const LogDbAccount &account)
{
    close();
    m_account = account;
    return open();
}

bool OvMySqlConn::ensureConnected()
{
    if (!m_connected)
        open();
    return m_connected;
}

void OvMySqlConn::close()
{
    if (m_handle)
        mysql_close(m_handle);
    m_handle = nullptr;
    m_connected = false;
}

int OvMySqlConn::open()
{
    initLibrary();
    if (!m_handle) {
        m_handle = mysql_init(nullptr);
        if (!m_handle) {
            std::printf("init mysql failed\n");
            return -1;
        }
    }
    const unsigned int connectTimeout = 1;
    // A server that stops answering in the middle of a page must not hold
    // the page (or an export) for ever.
    const unsigned int ioTimeout = 10;
    const my_bool reconnect = 1;
    mysql_options(m_handle, MYSQL_OPT_CONNECT_TIMEOUT, &connectTimeout);
    mysql_options(m_handle, MYSQL_OPT_READ_TIMEOUT, &ioTimeout);
    mysql_options(m_handle, MYSQL_OPT_WRITE_TIMEOUT, &ioTimeout);
    mysql_options(m_handle, MYSQL_OPT_RECONNECT, &reconnect);
    // utf8mb4: names with characters outside the basic plane come back whole
    // ("utf8" is the three-byte form and turns them into "?").
    mysql_options(m_handle, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    const QByteArray host = m_account.host.toUtf8();
    const QByteArray user = m_account.user.toUtf8();
    const QByteArray password = m_account.password.toUtf8();
    const QByteArray database = m_account.database.toUtf8();
    if (mysql_real_connect(m_handle, host.constData(), user.constData(), password.constData(),
                           database.constData(), static_cast<unsigned int>(m_account.port), nullptr, 0)) {
        m_connected = true;
        return 0;
    }
    m_lastError = QString::fromUtf8(mysql_error(m_handle));
    std::printf("connect mysql failed: %s\n", mysql_error(m_handle));
    qDebug().noquote() << "log database: connect failed:" << m_lastError;
    mysql_close(m_handle);
    m_handle = nullptr;
    m_connected = false;
    return -1;
}

int OvMySqlConn::execute(const QByteArray &sql, OvMySqlResult &result)
{
    result.clear();
    if (!m_connected && open() != 0) {
        result.setError(m_lastError);
        return -1;
    }
    if (mysql_real_query(m_handle, sql.constData(), static_cast<unsigned long>(sql.size())) != 0) {
        m_lastError = QString::fromUtf8(mysql_error(m_handle));
        std::printf("%s failed. error string:%s\n", sql.constData(), mysql_error(m_handle));
        qDebug().noquote() << "log database:" << sql << "failed:" << m_lastError;
        result.setError(m_lastError);
        return -1;
    }
    MYSQL_RES *stored = mysql_store_result(m_handle);
    const int status = result.fill(m_handle, stored);
    if (stored)
        mysql_free_result(stored);
    if (status < 0) {
        m_lastError = result.error();
        std::printf("%s failed. error string:%s\n", sql.constData(), mysql_error(m_handle));
    }
    return status;
}
