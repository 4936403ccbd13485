// The transfer record file: entries back to back, each the seven bytes
// "classb:" followed by one record as the caller gives it.
#pragma once

#include <cstddef>
#include <cstdio>

class OvFileNote
{
public:
    explicit OvFileNote(const char *name);
    virtual ~OvFileNote();
    OvFileNote(const OvFileNote &) = delete;
    OvFileNote &operator=(const OvFileNote &) = delete;

    virtual int read(char *buffer, std::size_t length);
    virtual int write(const char *data, std::size_t length);

    // mode in the usual binary-file notation ("rb", "w+b"); 0 or -1.
    int open(const char *mode);
    int close();
    bool isOpen() const { return m_file != nullptr; }

private:
    char m_fileName[256] = {};
    std::FILE *m_file = nullptr;
};
