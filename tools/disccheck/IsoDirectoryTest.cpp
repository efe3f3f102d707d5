#include "IsoDirectory.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr uint8_t kFolder = 0x02;
constexpr uint8_t kAssociated = 0x04;

struct Record {
    std::string identifier;
    uint8_t flags = 0;
    uint32_t block = 30;
    uint32_t size = 5;
    uint8_t attributeBlocks = 0;
};

// The record as an image stores it: lengths, both-endian numbers, the identifier padded to an
// even length, then a system use area that may say anything (here, another name).
std::vector<uint8_t> Stored(const Record& record)
{
    const std::string systemUse("NM\x0a\x01\x00other", 10);
    std::vector<uint8_t> bytes(33, 0);
    const auto bothEndian = [&bytes](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
            bytes[at + 7 - i] = static_cast<uint8_t>(value >> (8 * i));
        }
    };
    bytes[1] = record.attributeBlocks;
    bothEndian(2, record.block);
    bothEndian(10, record.size);
    bytes[25] = record.flags;
    bytes[32] = static_cast<uint8_t>(record.identifier.size());
    bytes.insert(bytes.end(), record.identifier.begin(), record.identifier.end());
    if (bytes.size() % 2 != 0)
        bytes.push_back(0);
    bytes.insert(bytes.end(), systemUse.begin(), systemUse.end());
    bytes[0] = static_cast<uint8_t>(bytes.size());
    return bytes;
}

std::vector<uint8_t> Block(const std::vector<Record>& records)
{
    std::vector<uint8_t> block;
    for (const Record& record : records) {
        const std::vector<uint8_t> stored = Stored(record);
        block.insert(block.end(), stored.begin(), stored.end());
    }
    block.resize(kIsoBlockBytes, 0);
    return block;
}

TEST(IsoDirectory, ListsWhatWindowsShows)
{
    const std::vector<uint8_t> block = Block({{std::string(1, '\0'), kFolder},
                                              {std::string(1, '\1'), kFolder},
                                              {"DATA", kFolder, 40, 2048},
                                              {"INTRO.TGA;1", kAssociated},
                                              {"INTRO.TGA;1", 0, 50, 1234, 2},
                                              {";1"}});
    std::vector<IsoEntry> entries;
    ASSERT_TRUE(AddBlockEntries(block, IsoNaming::Plain, entries));
    ASSERT_EQ(entries.size(), 2U);
    EXPECT_EQ(entries[0].entry.name, "DATA");
    EXPECT_TRUE(entries[0].entry.isFolder);
    EXPECT_EQ(entries[0].extent.block, 40U);
    EXPECT_EQ(entries[0].extent.size, 2048U);
    // The data follows the extended attribute record.
    EXPECT_EQ(entries[1].entry.name, "INTRO.TGA");
    EXPECT_FALSE(entries[1].entry.isFolder);
    EXPECT_EQ(entries[1].extent.block, 52U);
    EXPECT_EQ(entries[1].extent.size, 1234U);
}

TEST(IsoDirectory, StopsAtThePaddingOfABlock)
{
    std::vector<uint8_t> block = Block({{"A"}});
    const std::vector<uint8_t> after = Stored({"B"});
    std::copy(after.begin(), after.end(), block.begin() + 200);
    std::vector<IsoEntry> entries;
    ASSERT_TRUE(AddBlockEntries(block, IsoNaming::Plain, entries));
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_EQ(entries[0].entry.name, "A");
}

TEST(IsoDirectory, RefusesARecordThatDoesNotFit)
{
    const std::vector<uint8_t> whole = Block({{"A"}, {"B"}});
    const size_t second = Stored({"A"}).size();
    const std::pair<const char*, std::function<void(std::vector<uint8_t>&)>> damages[] = {
        {"a length short of the fixed fields", [=](auto& block) { block[second] = 32; }},
        {"a name past the record", [=](auto& block) { block[second + 32] = 40; }},
        {"a record past the part of the block in use",
         [=](auto& block) { block.resize(second + 10); }},
    };
    for (const auto& [what, damage] : damages) {
        std::vector<uint8_t> block = whole;
        damage(block);
        std::vector<IsoEntry> entries;
        EXPECT_FALSE(AddBlockEntries(block, IsoNaming::Plain, entries)) << what;
    }
}

} // namespace
