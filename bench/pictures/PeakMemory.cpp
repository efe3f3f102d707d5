#include "PeakMemory.h"

#include <malloc.h>

#include <fstream>
#include <string>

namespace {

// A "Name:   1234 kB" line of /proc/self/status, in bytes; -1 when there is none.
std::int64_t StatusBytes(const std::string& name)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(name + ":"))
            return std::stoll(line.substr(name.size() + 1)) * 1024;
    }
    return -1;
}

} // namespace

std::int64_t PeakMemoryOf(const std::function<void()>& work)
{
    // Freed memory that the heap keeps would be used again without showing in the count.
    malloc_trim(0);
    const std::int64_t before = StatusBytes("VmRSS");
    // Writing 5 resets the high-water mark to the present resident size.
    std::ofstream("/proc/self/clear_refs") << "5";
    work();
    const std::int64_t peak = StatusBytes("VmHWM");
    return before < 0 || peak < 0 ? -1 : peak - before;
}
