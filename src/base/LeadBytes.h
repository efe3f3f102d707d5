// Paths reach the launcher as bytes in the system's ANSI code page. In a double-byte code page
// (932, 936, 949 and 950) a lead byte starts a two-byte character whose second byte may be 0x5C,
// the backslash: only a walk by characters tells a separator from the half of a letter.
#pragma once

#include <bitset>
#include <span>
#include <utility>

class LeadBytes {
public:
    // The first and the last byte of a range of lead bytes, as the system lists them.
    using Range = std::pair<unsigned char, unsigned char>;

    LeadBytes() = default; // a single-byte code page: no lead bytes
    explicit LeadBytes(std::span<const Range> ranges);

    bool IsLead(char c) const { return m_Lead[static_cast<unsigned char>(c)]; }

private:
    std::bitset<256> m_Lead;
};

// The lead bytes of the code page that the system's paths are in: none where text is UTF-8 or
// ASCII, whose multi-byte characters hold no byte below 0x80.
const LeadBytes& SystemLeadBytes();
