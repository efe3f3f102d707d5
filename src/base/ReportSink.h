// Where reports go in the plain (non-Win32) build: tools print them, tests record them.
#pragma once

#include <functional>
#include <string_view>

enum class ReportChannel { Message, Trace, StdErr };

using ReportSink = std::function<void(ReportChannel, std::string_view)>;

// Replaces the sink and returns the previous one. The default sink prints each report to the
// standard error stream.
ReportSink SetReportSink(ReportSink sink);
