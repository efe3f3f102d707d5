// The owner types of the Win32 handle kinds (see base/UniqueHandle.h).
#pragma once

#include "base/UniqueHandle.h"

#include <windows.h>

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

struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle window) { ::DestroyWindow(window); }
};

using UniqueFile = UniqueHandle<FileHandleTraits>;           // CreateFile: INVALID_HANDLE_VALUE
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>; // processes, threads: NULL
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>; // windows the caller made and must destroy
