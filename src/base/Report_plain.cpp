#include "base/Report.h"
#include "base/ReportFormat.h"
#include "base/ReportSink.h"

#include <cstdio>
#include <utility>

namespace {

void PrintToStdErr(ReportChannel channel, std::string_view text)
{
    std::fprintf(stderr, "%s\n", ReportLine(channel, text).c_str());
}

ReportSink& CurrentSink()
{
    static ReportSink sink = PrintToStdErr;
    return sink;
}

void Report(ReportChannel channel, const char* format, va_list args)
{
    CurrentSink()(channel, FormatReport(format, args));
}

} // namespace

std::string ReportLine(ReportChannel channel, std::string_view text)
{
    static constexpr const char* kPrefixes[] = {"message: ", "trace: ", "stderr: "};
    std::string line = kPrefixes[static_cast<int>(channel)];
    for (const char c : text) {
        if (c == '\n') {
            line += "\\n";
        } else if (c == '\\') {
            line += "\\\\";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
            line += escaped;
        } else {
            line += c;
        }
    }
    return line;
}

ReportSink SetReportSink(ReportSink sink)
{
    return std::exchange(CurrentSink(), sink ? std::move(sink) : PrintToStdErr);
}

int AfxMessageBox(const char* text)
{
    CurrentSink()(ReportChannel::Message, text);
    return 1; // IDOK: the only button
}

void AfxTrace(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Report(ReportChannel::Trace, format, args);
    va_end(args);
}

void ReportToStdErr(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Report(ReportChannel::StdErr, format, args);
    va_end(args);
}
