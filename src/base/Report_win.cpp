#include "base/MessageBoxOwner.h"
#include "base/Report.h"
#include "base/ReportFormat.h"

#include <windows.h>

#include <cstdio>

namespace {

MessageBoxOwner g_Owner{};

} // namespace

void SetMessageBoxOwner(const MessageBoxOwner& owner)
{
    g_Owner = owner;
}

int AfxMessageBox(const char* text)
{
    HWND owner = g_Owner.window ? g_Owner.window() : nullptr;
    const char* caption = g_Owner.caption ? g_Owner.caption() : "";
    return ::MessageBoxA(owner, text, caption, MB_OK | MB_ICONEXCLAMATION);
}

void AfxTrace(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = FormatReport(format, args);
    va_end(args);
    ::OutputDebugStringA(text.c_str());
}

void ReportToStdErr(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fflush(stderr);
}
