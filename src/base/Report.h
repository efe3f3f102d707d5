// The channels on which the system reports: a message box the user must dismiss, the debugger's
// trace, and the standard error stream. Portable code calls these; the Win32 build shows real boxes
// and writes to OutputDebugStringA, the plain build hands every report to a sink (ReportSink.h).
#pragma once

#if defined(__GNUC__)
#define LUMBREL_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define LUMBREL_PRINTF_FORMAT(fmt, args)
#endif

// A modal box with one OK button and the exclamation icon, captioned with the application title.
// Returns when the user has dismissed it.
int AfxMessageBox(const char* text);

// Debugger output, formatted like printf. The text is passed on exactly: no line end is added.
void AfxTrace(const char* format, ...) LUMBREL_PRINTF_FORMAT(1, 2);

// The standard error stream, formatted like printf.
void ReportToStdErr(const char* format, ...) LUMBREL_PRINTF_FORMAT(1, 2);
