// The owner of a POSIX file descriptor, for the native build's file access: closed on every path.
#pragma once

#include <unistd.h>

#include <utility>

class UniqueFd {
public:
    explicit UniqueFd(int fd) : m_Fd(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd()
    {
        if (m_Fd >= 0)
            ::close(m_Fd);
    }

    int get() const { return m_Fd; }
    explicit operator bool() const { return m_Fd >= 0; }
    int release() { return std::exchange(m_Fd, -1); }

private:
    int m_Fd;
};
