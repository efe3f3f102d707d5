// Where reports go in the plain (non-Win32) build: tools print them, tests record them.
#pragma once

#include <functional>
#include <string>
#include <string_view>

enum class ReportChannel { Message, Trace, StdErr };

using ReportSink = std::function<void(ReportChannel, std::string_view)>;

// Replaces the sink and returns the previous one. The default sink prints each report to the
// standard error stream.
ReportSink SetReportSink(ReportSink sink);

// A report as one line without its line end: the channel's name ("message: ", "trace: ",
// "stderr: "), then the text with line ends, backslashes and other control characters escaped, so
// that a text ending in a line end can be told from one that does not.
std::string ReportLine(ReportChannel channel, std::string_view text);
