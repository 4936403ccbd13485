// Shared by the fuzz targets: a check that stops the run with a readable
// reason (libFuzzer then keeps the input that broke it), and a quiet Qt log,
// since warnings about hostile input would otherwise flood the run.
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace fuzzsupport {

[[noreturn]] inline void fail(const char *what, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::abort();
}

inline void quietQtLog()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
}

// The input as bytes, after the leading selector bytes.
inline QByteArray bytesFrom(const uint8_t *data, size_t size, size_t skip)
{
    if (size <= skip)
        return QByteArray();
    return QByteArray(reinterpret_cast<const char *>(data + skip), static_cast<int>(size - skip));
}

} // namespace fuzzsupport

#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : fuzzsupport::fail(#condition, __FILE__, __LINE__))
