#include "media/OvFileNote.h"

#include <cstring>

namespace {
constexpr char kTag[] = "classb:";
constexpr std::size_t kTagSize = sizeof(kTag) - 1;
} // namespace

OvFileNote::OvFileNote(const char *name)
{
    if (name)
        std::strncpy(m_fileName, name, sizeof(m_fileName) - 1);
}

OvFileNote::~OvFileNote()
{
    close();
}

int OvFileNote::open(const char *mode)
{
    close();
    if (!mode || m_fileName[0] == '\0')
        return -1;
    m_file = std::fopen(m_fileName, mode);
    return m_file ? 0 : -1;
}

int OvFileNote::close()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    return 0;
}

int OvFileNote::write(const char *data, std::size_t length)
{
    if (!m_file || !data)
        return -1;
    if (std::fwrite(kTag, 1, kTagSize, m_file) != kTagSize)
        return -1;
    if (length > 0 && std::fwrite(data, 1, length, m_file) != length)
        return -1;
    return std::fflush(m_file) == 0 ? 0 : -1;
}

int OvFileNote::read(char *buffer, std::size_t length)
{
    if (!m_file || !buffer)
        return -1;
    char tag[kTagSize];
    if (std::fread(tag, 1, kTagSize, m_file) != kTagSize || std::memcmp(tag, kTag, kTagSize) != 0)
        return -1;
    std::fread(buffer, 1, length, m_file);
    return std::ferror(m_file) ? -1 : 0;
}
