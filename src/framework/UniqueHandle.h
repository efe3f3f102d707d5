// One owner type for every Win32 handle kind: the traits name the invalid value and the release
// call, so a NULL handle and INVALID_HANDLE_VALUE are never confused. Moves, never copies.
#pragma once

#include <windows.h>

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

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { ::CloseHandle(handle); }
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { ::CloseHandle(handle); }
};

struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle object) { ::DeleteObject(object); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle key) { ::RegCloseKey(key); }
};

struct WindowsHookTraits {
    using Handle = HHOOK;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle hook) { ::UnhookWindowsHookEx(hook); }
};

using UniqueFile = UniqueHandle<FileHandleTraits>;           // CreateFile: INVALID_HANDLE_VALUE
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>; // processes, threads: NULL
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueWindowsHook = UniqueHandle<WindowsHookTraits>;
