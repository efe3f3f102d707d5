// One owner type for every handle kind: the traits name the invalid value and the release call,
// so a NULL handle and INVALID_HANDLE_VALUE, or descriptor 0 and -1, are never confused. Moves,
// never copies. The Win32 kinds are in base/Win32Handles.h.
#pragma once

#include <unistd.h>

#include <utility>

template <class Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_Handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_Handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return m_Handle; }
    explicit operator bool() const { return m_Handle != Traits::Invalid(); }

    Handle release() { return std::exchange(m_Handle, Traits::Invalid()); }
    void reset(Handle handle = Traits::Invalid())
    {
        if (m_Handle != Traits::Invalid())
            Traits::Close(m_Handle);
        m_Handle = handle;
    }

    // For out-parameters of the Create/Open calls; releases what was held first.
    Handle* put()
    {
        reset();
        return &m_Handle;
    }

private:
    Handle m_Handle = Traits::Invalid();
};

struct FileDescriptorTraits {
    using Handle = int;
    static Handle Invalid() { return -1; }
    static void Close(Handle fd) { ::close(fd); }
};

using UniqueFd = UniqueHandle<FileDescriptorTraits>; // open(), for the native file access
