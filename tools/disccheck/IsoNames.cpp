#include "IsoNames.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& text, char32_t c)
{
    const auto byte = [&text](char32_t bits) { text.push_back(static_cast<char>(bits)); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | c >> 6);
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | c >> 12);
        byte(0x80 | (c >> 6 & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | c >> 18);
        byte(0x80 | (c >> 12 & 0x3F));
        byte(0x80 | (c >> 6 & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

bool IsHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit < 0xDC00;
}

bool IsLowSurrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit < 0xE000;
}

// A surrogate without its other half stands for no character; an odd last byte is no unit.
std::string Utf16BigEndianToUtf8(std::span<const uint8_t> bytes)
{
    std::string text;
    const size_t units = bytes.size() / 2;
    const auto unit = [bytes](size_t i) -> char32_t {
        return bytes[2 * i] << 8 | bytes[2 * i + 1];
    };
    for (size_t i = 0; i < units; ++i) {
        char32_t c = unit(i);
        if (IsHighSurrogate(c) && i + 1 < units && IsLowSurrogate(unit(i + 1))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            c = kReplacement;
        }
        AppendUtf8(text, c);
    }
    return text;
}

void DropVersion(std::string& name)
{
    const size_t separator = name.rfind(';');
    if (separator == std::string::npos ||
        !std::all_of(name.begin() + static_cast<ptrdiff_t>(separator) + 1, name.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; }))
        return;
    name.erase(separator);
    if (name.ends_with('.'))
        name.pop_back();
}

} // namespace

std::string WindowsName(std::span<const uint8_t> identifier, IsoNaming naming, bool isFolder)
{
    std::string name = naming == IsoNaming::Joliet
                           ? Utf16BigEndianToUtf8(identifier)
                           : std::string(identifier.begin(), identifier.end());
    if (!isFolder)
        DropVersion(name);
    return name;
}
