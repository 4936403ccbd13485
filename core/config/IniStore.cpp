#include "config/IniStore.h"

#include <QFile>
#include <QSaveFile>

namespace {

// A carriage return counts as a blank: the line end drops it when it is last,
// so one that blanks follow must not end up in a value either, or the value
// would change once the file is written back and read again.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

QByteArray stripLineEnd(QByteArray line)
{
    while (!line.isEmpty() && (line.endsWith('\n') || line.endsWith('\r')))
        line.chop(1);
    return line;
}

} // namespace

void IniStore::clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_preamble.clear();
    m_sections.clear();
}

bool IniStore::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        clear();
        return false;
    }
    loadText(file.readAll());
    return true;
}

void IniStore::loadText(const QByteArray &text)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_preamble.clear();
    m_sections.clear();
    for (const QByteArray &rawLine : text.split('\n')) {
        const QByteArray line = stripLineEnd(rawLine);
        int p = 0;
        while (p < line.size() && isBlank(line.at(p)))
            ++p;
        if (p == line.size())
            continue;  // blank lines are written anew after each section
        if (line.at(p) == '[') {
            const int close = line.indexOf(']', p + 1);
            m_sections.push_back(Section{line.mid(p + 1, close < 0 ? -1 : close - p - 1), {}});
            continue;
        }
        Entry entry;
        const int eq = line.indexOf('=', p);
        if (eq > p) {
            int keyEnd = p;
            while (keyEnd < eq && !isBlank(line.at(keyEnd)))
                ++keyEnd;
            int v = eq + 1;
            while (v < line.size() && isBlank(line.at(v)))
                ++v;
            int valueEnd = v;
            while (valueEnd < line.size() && !isBlank(line.at(valueEnd)))
                ++valueEnd;
            entry.key = line.mid(p, keyEnd - p);
            entry.value = line.mid(v, valueEnd - v);
            QByteArray raw = line.mid(v);
            while (!raw.isEmpty() && isBlank(raw.back()))
                raw.chop(1);
            entry.raw = raw;
        } else {
            entry.raw = line;
        }
        if (m_sections.empty())
            m_preamble.push_back(line);  // pairs before any section are not looked up
        else
            m_sections.back().entries.push_back(entry);
    }
}

IniStore::Section *IniStore::findSection(const QByteArray &name)
{
    for (Section &s : m_sections) {
        if (s.name == name)
            return &s;
    }
    return nullptr;
}

const IniStore::Section *IniStore::findSection(const QByteArray &name) const
{
    for (const Section &s : m_sections) {
        if (s.name == name)
            return &s;
    }
    return nullptr;
}

std::optional<QByteArray> IniStore::value(const QByteArray &section, const QByteArray &key) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (const Section *s = findSection(section)) {
        for (const Entry &e : s->entries) {
            if (!e.key.isEmpty() && e.key == key)
                return e.value;
        }
    }
    return std::nullopt;
}

std::optional<QByteArray> IniStore::wholeValue(const QByteArray &section, const QByteArray &key) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (const Section *s = findSection(section)) {
        for (const Entry &e : s->entries) {
            if (!e.key.isEmpty() && e.key == key)
                return e.raw;
        }
    }
    return std::nullopt;
}

void IniStore::setValue(const QByteArray &section, const QByteArray &key, const QByteArray &value)
{
    std::lock_guard<std::mutex> guard(m_lock);
    Section *s = findSection(section);
    if (!s) {
        m_sections.push_back(Section{section, {}});
        s = &m_sections.back();
    }
    for (Entry &e : s->entries) {
        if (!e.key.isEmpty() && e.key == key) {
            e.value = value;
            e.raw = value;
            return;
        }
    }
    s->entries.push_back(Entry{key, value, value});
}

void IniStore::setValue(const QByteArray &section, const QByteArray &key, int value)
{
    setValue(section, key, QByteArray::number(value));
}

QByteArray IniStore::text() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    QByteArray out;
    for (const QByteArray &line : m_preamble)
        out += line + '\n';
    for (const Section &s : m_sections) {
        out += '[' + s.name + "]\n";
        for (const Entry &e : s.entries) {
            if (e.key.isEmpty())
                out += e.raw + '\n';
            else
                out += e.key + '=' + e.raw + '\n';
        }
        out += '\n';
    }
    return out;
}

bool IniStore::save(const QString &path) const
{
    const QByteArray content = text();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
