#include "config/CommandLine.h"

namespace commandline {

namespace {
QStringList &storage()
{
    static QStringList args;
    return args;
}
} // namespace

void setArguments(const QStringList &arguments)
{
    storage() = arguments;
}

const QStringList &arguments()
{
    return storage();
}

std::optional<QString> commandLineValue(const QStringList &args, const QString &name)
{
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) != name)
            continue;
        if (i + 1 < args.size() && !args.at(i + 1).startsWith(QLatin1Char('-')))
            return args.at(i + 1);
        return QString();
    }
    return std::nullopt;
}

std::optional<QString> commandLineValue(const QString &name)
{
    return commandLineValue(storage(), name);
}

} // namespace commandline
