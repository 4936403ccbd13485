#include "config/ConfigFile.h"

#include <mutex>

namespace configfile {

namespace {

std::mutex &fileLock()
{
    static std::mutex lock;
    return lock;
}

} // namespace

std::optional<QByteArray> value(const QString &path, const QByteArray &section, const QByteArray &key)
{
    IniStore store;
    {
        std::lock_guard<std::mutex> guard(fileLock());
        store.load(path);
    }
    return store.value(section, key);
}

std::optional<QString> text(const QString &path, const QByteArray &section, const QByteArray &key)
{
    IniStore store;
    {
        std::lock_guard<std::mutex> guard(fileLock());
        store.load(path);
    }
    const std::optional<QByteArray> whole = store.wholeValue(section, key);
    if (!whole)
        return std::nullopt;
    return QString::fromUtf8(*whole);
}

bool update(const QString &path, const std::function<bool(IniStore &store)> &change)
{
    std::lock_guard<std::mutex> guard(fileLock());
    IniStore store;
    store.load(path);
    if (!change(store))
        return false;
    return store.save(path);
}

bool writeText(const QString &path, const QByteArray &section, const QByteArray &key, const QString &value)
{
    const QByteArray bytes = value.trimmed().toUtf8();
    if (bytes.contains('\n') || bytes.contains('\r'))
        return false;
    return update(path, [&](IniStore &store) {
        store.setValue(section, key, bytes);
        return true;
    });
}

} // namespace configfile
