// The ranges come from the system, so every double-byte code page is known, not just a list.
#include "base/LeadBytes.h"

#include <windows.h>

#include <vector>

namespace {

LeadBytes AnsiCodePageLeadBytes()
{
    CPINFO info{};
    if (!::GetCPInfo(CP_ACP, &info))
        return {};
    std::vector<LeadBytes::Range> ranges;
    // The list ends with a pair of zero bytes.
    for (int at = 0; at + 1 < MAX_LEADBYTES && info.LeadByte[at] != 0; at += 2)
        ranges.emplace_back(info.LeadByte[at], info.LeadByte[at + 1]);
    return LeadBytes(ranges);
}

} // namespace

const LeadBytes& SystemLeadBytes()
{
    static const LeadBytes system = AnsiCodePageLeadBytes();
    return system;
}
