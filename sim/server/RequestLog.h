#pragma once

#include <QByteArray>
#include <QFile>

#include <memory>

// Every byte the simulator received from consoles, in arrival order, so tests
// can assert on exactly what a console sent. Optionally mirrored to a file.
class RequestLog
{
public:
    bool openFile(const QString &path)
    {
        m_file = std::make_unique<QFile>(path);
        return m_file->open(QIODevice::WriteOnly | QIODevice::Append);
    }
    void append(const QByteArray &bytes)
    {
        m_bytes += bytes;
        if (m_file) {
            m_file->write(bytes);
            m_file->flush();
        }
    }
    QByteArray bytes() const { return m_bytes; }
    void clear() { m_bytes.clear(); }

private:
    QByteArray m_bytes;
    std::unique_ptr<QFile> m_file;
};
