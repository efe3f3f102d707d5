#include "DesktopWindows.h"

#include "TestHandles.h"
#include "base/Win32Handles.h"

#include <cstdlib>
#include <thread>

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(25ms);
    }
    return true;
}

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId)
        search->found.push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId)
{
    WindowSearch search{processId, {}};
    ::EnumWindows(CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowClass(HWND window)
{
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

std::string WindowText(HWND window)
{
    // WM_GETTEXT is marshalled across processes, unlike GetWindowText for child controls.
    char text[1024] = {};
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                               SMTO_ABORTIFHUNG, 5000, &copied))
        return {};
    return {text, static_cast<size_t>(copied)};
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

bool SameCentre(const RECT& a, const RECT& b)
{
    return std::abs((a.left + a.right) - (b.left + b.right)) <= 2 &&
           std::abs((a.top + a.bottom) - (b.top + b.bottom)) <= 2;
}

std::vector<std::string> ComboItems(HWND comboBox)
{
    // The wide messages: across processes the narrow ones come back cut short.
    std::vector<std::string> items;
    DWORD_PTR count = 0;
    ::SendMessageTimeoutW(comboBox, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    for (WPARAM i = 0; i < count; ++i) {
        wchar_t text[600] = {};
        DWORD_PTR length = 0;
        ::SendMessageTimeoutW(comboBox, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text),
                              SMTO_ABORTIFHUNG, 5000, &length);
        items.emplace_back(text, text + length); // the texts here are plain ASCII
    }
    return items;
}

int ComboSelection(HWND comboBox)
{
    DWORD_PTR selected = 0;
    ::SendMessageTimeoutW(comboBox, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selected);
    return static_cast<int>(static_cast<LRESULT>(selected));
}

TestPicture ReadScreen(const RECT& area)
{
    TestPicture picture{area.right - area.left, area.bottom - area.top, {}};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const UniqueScreenDc screen(::GetDC(nullptr));
    const UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
    const UniqueGdiObject bitmap(
        ::CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    HGDIOBJ previous = ::SelectObject(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, picture.width, picture.height, screen.get(), area.left, area.top,
             SRCCOPY);
    ::GdiFlush();
    const auto* bgrx = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; i < picture.width * picture.height; ++i)
        picture.pixels.push_back({bgrx[i * 4 + 2], bgrx[i * 4 + 1], bgrx[i * 4]});
    ::SelectObject(memory.get(), previous); // the bitmap is deleted once out of the context
    return picture;
}

TestPicture ReadScreenWhenItShows(const RECT& area, const TestPicture& expected,
                                  std::chrono::milliseconds timeout)
{
    TestPicture seen;
    WaitUntil(
        [&] {
            seen = ReadScreen(area);
            return seen == expected;
        },
        timeout);
    return seen;
}

RECT ClientRectOnScreen(HWND window)
{
    RECT rect{};
    ::GetClientRect(window, &rect);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool IsVisible(HWND window)
{
    return ::IsWindowVisible(window) != FALSE;
}

bool IsEnabled(HWND window)
{
    return ::IsWindowEnabled(window) != FALSE;
}

HWND FocusOf(DWORD threadId)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

void ClickButton(HWND button)
{
    ::PostMessageA(button, BM_CLICK, 0, 0);
}

void PressKey(DWORD threadId, UINT virtualKey)
{
    HWND target = FocusOf(threadId);
    const UINT scanCode = ::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    ::PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (scanCode << 16));
    ::PostMessageA(target, WM_KEYUP, virtualKey, 1 | (scanCode << 16) | (3u << 30));
}
