#include "base/LeadBytes.h"

LeadBytes::LeadBytes(std::span<const Range> ranges)
{
    for (const auto& [first, last] : ranges)
        for (unsigned value = first; value <= last; ++value)
            m_Lead.set(value);
}
