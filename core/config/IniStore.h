#pragma once

#include <QByteArray>
#include <QString>

#include <mutex>
#include <optional>
#include <vector>

// The small INI store behind "config.ini": the file as ordered sections of
// ordered key/value pairs. A value read for lookup ends at the first blank;
// what the line held beyond that, and comment lines, are kept so that
// writing the file back never loses them. The file itself is read and
// written through configfile (ConfigFile.h), its one writer.
class IniStore
{
public:
    // Replaces the store's content with the file's; false when it cannot be read.
    bool load(const QString &path);
    void loadText(const QByteArray &text);
    void clear();

    std::optional<QByteArray> value(const QByteArray &section, const QByteArray &key) const;
    // The whole value as written after "=", blanks inside it included, blanks
    // around it not.
    std::optional<QByteArray> wholeValue(const QByteArray &section, const QByteArray &key) const;
    void setValue(const QByteArray &section, const QByteArray &key, const QByteArray &value);
    void setValue(const QByteArray &section, const QByteArray &key, int value);

    // The whole store as file text: "[section]\n", "key=value\n" per pair,
    // then an empty line.
    QByteArray text() const;
    // Writes the whole store atomically (temporary file, then rename).
    bool save(const QString &path) const;

private:
    struct Entry
    {
        QByteArray key;    // empty for a kept comment or unrecognised line
        QByteArray value;  // the lookup value
        QByteArray raw;    // the full value as written, or the kept line
    };
    struct Section
    {
        QByteArray name;
        std::vector<Entry> entries;
    };

    Section *findSection(const QByteArray &name);
    const Section *findSection(const QByteArray &name) const;

    mutable std::mutex m_lock;
    std::vector<QByteArray> m_preamble;  // lines before the first section
    std::vector<Section> m_sections;
};
