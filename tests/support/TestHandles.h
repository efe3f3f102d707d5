// Owners of the handle kinds only the tests hold (the launcher's own kinds are in
// base/Win32Handles.h): hooks that watch the framework, the screen's device context and memory
// contexts to read it back, libraries a test loads itself.
#pragma once

#include "base/UniqueHandle.h"

#include <windows.h>

struct WindowsHookTraits {
    using Handle = HHOOK;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle hook) { ::UnhookWindowsHookEx(hook); }
};

struct ScreenDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle dc) { ::ReleaseDC(nullptr, dc); }
};

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle dc) { ::DeleteDC(dc); }
};

struct LibraryTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle library) { ::FreeLibrary(library); }
};

using UniqueWindowsHook = UniqueHandle<WindowsHookTraits>;
using UniqueScreenDc = UniqueHandle<ScreenDcTraits>; // GetDC(nullptr)
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>; // CreateCompatibleDC
using UniqueLibrary = UniqueHandle<LibraryTraits>;   // LoadLibrary
