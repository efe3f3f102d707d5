#include "IsoNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

// Each character as its two big-endian bytes, as Joliet stores it.
std::vector<uint8_t> Utf16(std::u16string_view text)
{
    std::vector<uint8_t> bytes;
    for (const char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c >> 8));
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
    }
    return bytes;
}

struct NameCase {
    const char* what;
    std::vector<uint8_t> identifier;
    IsoNaming naming;
    bool isFolder;
    std::string shown;
};

TEST(IsoNames, AreWhatWindowsShows)
{
    const NameCase cases[] = {
        {"a plain file's version is dropped", Bytes("AUTORUN.INF;1"), IsoNaming::Plain, false,
         "AUTORUN.INF"},
        {"with the dot of a name without extension", Bytes("README.;1"), IsoNaming::Plain, false,
         "README"},
        {"a plain name keeps its case", Bytes("Setup.exe"), IsoNaming::Plain, false, "Setup.exe"},
        {"a folder has no version", Bytes("DISK;1"), IsoNaming::Plain, true, "DISK;1"},
        {"what follows ; is no version unless digits", Bytes("A;B"), IsoNaming::Plain, false,
         "A;B"},
        {"a Joliet file's version is dropped", Utf16(u"zarnhelp.rtf;1"), IsoNaming::Joliet, false,
         "zarnhelp.rtf"},
        {"Joliet keeps spaces and case", Utf16(u"Zarn Games web site.url"), IsoNaming::Joliet,
         false, "Zarn Games web site.url"},
        {"Joliet beyond ASCII", Utf16(u"Caf\u00e9 \u65e5"), IsoNaming::Joliet, false,
         "Caf\xc3\xa9 \xe6\x97\xa5"},
        {"a surrogate pair is one character", Utf16(u"\U0001F4BF.txt"), IsoNaming::Joliet, false,
         "\xf0\x9f\x92\xbf.txt"},
        {"a lone surrogate is none", Utf16(u"a\xd800z"), IsoNaming::Joliet, false,
         "a\xef\xbf\xbdz"},
        {"a reversed pair is two lone ones", Utf16(u"\xdc00\xd800"), IsoNaming::Joliet, false,
         "\xef\xbf\xbd\xef\xbf\xbd"},
        {"an odd last byte is no character", Bytes(std::string("\0a\0", 3)), IsoNaming::Joliet,
         false, "a"},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(WindowsName(c.identifier, c.naming, c.isFolder), c.shown) << c.what;
}

} // namespace
