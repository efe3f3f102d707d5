// What the code under test writes with OutputDebugStringA, seen from inside the process: the call
// raises DBG_PRINTEXCEPTION_C for a debugger, and a vectored handler sees it first and lets it
// pass on. Works alike on Windows and under Wine, with no debugger attached.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class DebugOutputCapture {
public:
    DebugOutputCapture() : m_Handler(::AddVectoredExceptionHandler(1, &Record)) { s_Texts.clear(); }
    ~DebugOutputCapture() { ::RemoveVectoredExceptionHandler(m_Handler); }
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

    // Each text written since construction, in order.
    static const std::vector<std::string>& Texts() { return s_Texts; }

private:
    static LONG CALLBACK Record(EXCEPTION_POINTERS* exception)
    {
        const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
        if (record.ExceptionCode == DBG_PRINTEXCEPTION_C && record.NumberParameters >= 2) {
            // Parameters: the length including the terminating zero, then the text.
            const auto length = static_cast<std::size_t>(record.ExceptionInformation[0]);
            const auto* text = reinterpret_cast<const char*>(record.ExceptionInformation[1]);
            s_Texts.emplace_back(text, length > 0 ? length - 1 : 0);
        }
        return EXCEPTION_CONTINUE_SEARCH;
    }

    static inline std::vector<std::string> s_Texts;
    PVOID m_Handler;
};
