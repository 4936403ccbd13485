#include "managers/serverconfig/SettingChecks.h"

#include <QHostAddress>
#include <QRegularExpression>

namespace settingchecks {

namespace {

bool allDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

bool isHexDigest(const QByteArray &d)
{
    if (d.size() != 32)
        return false;
    for (const char c : d) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

} // namespace

bool isServerHost(const QString &host)
{
    if (host.isEmpty() || host.size() > 253 || host.contains(QLatin1Char(':')))
        return false;
    static const QRegularExpression dotted(QStringLiteral("^[0-9.]+$"));
    if (dotted.match(host).hasMatch()) {
        const QStringList parts = host.split(QLatin1Char('.'));
        if (parts.size() != 4)
            return false;
        for (const QString &p : parts) {
            if (!allDigits(p) || p.size() > 3 || p.toInt() > 255)
                return false;
        }
        return true;
    }
    static const QRegularExpression name(
        QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?(\\.[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?)*$"));
    return name.match(host).hasMatch();
}

std::optional<int> serverPort(const QString &text, int defaultPort)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return defaultPort;
    if (!allDigits(t) || t.size() > 5)
        return std::nullopt;
    const int port = t.toInt();
    if (port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

std::optional<int> vadTimeout(const QString &text)
{
    const QString t = text.trimmed();
    if (!allDigits(t))
        return std::nullopt;
    bool ok = false;
    const int value = t.toInt(&ok);
    if (!ok)
        return std::nullopt; // beyond the 32-bit range
    return value;
}

QString backupFileName(const QDate &day)
{
    return QStringLiteral("OVN_") + day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".backup");
}

RestoreCheck checkRestore(const QString &fileName, qint64 size)
{
    if (fileName.toUtf8().size() > kRestoreNameLimit)
        return RestoreCheck::NameTooLong;
    static const QString forbidden = QStringLiteral("\"/\\:*?<>|'&");
    for (const QChar c : fileName) {
        if (forbidden.contains(c))
            return RestoreCheck::ForbiddenCharacter;
    }
    if (size > kRestoreSizeLimit)
        return RestoreCheck::TooLarge;
    if (size < 0)
        return RestoreCheck::Unreadable;
    return RestoreCheck::Ok;
}

bool isSafeServerFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") || name.toUtf8().size() > 255)
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

bool sameDigest(const QByteArray &a, const QByteArray &b)
{
    return isHexDigest(a) && isHexDigest(b) && a.toLower() == b.toLower();
}

} // namespace settingchecks
