#include "IsoDirectory.h"

namespace {

// A directory record's fields. Numbers are stored twice, little then big endian; Windows reads
// the little-endian copy.
constexpr size_t kRecordLength = 0;
constexpr size_t kAttributeBlocks = 1; // an extended attribute record before the data
constexpr size_t kExtentBlock = 2;
constexpr size_t kDataSize = 10;
constexpr size_t kFlags = 25;
constexpr size_t kIdentifierLength = 32;
constexpr size_t kIdentifier = 33;

constexpr uint8_t kFolderFlag = 0x02;
constexpr uint8_t kAssociatedFlag = 0x04;

uint32_t LittleEndian32(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// "." and ".." are the identifiers 0 and 1.
bool IsSelfOrParent(std::span<const uint8_t> identifier)
{
    return identifier.size() == 1 && identifier[0] <= 1;
}

} // namespace

IsoExtent RecordExtent(std::span<const uint8_t> record)
{
    return {uint64_t{LittleEndian32(record, kExtentBlock)} + record[kAttributeBlocks],
            LittleEndian32(record, kDataSize)};
}

bool AddBlockEntries(std::span<const uint8_t> block, IsoNaming naming,
                     std::vector<IsoEntry>& entries)
{
    // A record never spans blocks: a length of 0 pads the rest of the block.
    while (!block.empty() && block[kRecordLength] != 0) {
        const size_t length = block[kRecordLength];
        if (length < kIdentifier || length > block.size())
            return false;
        const std::span<const uint8_t> record = block.first(length);
        const size_t identifierLength = record[kIdentifierLength];
        if (kIdentifier + identifierLength > length)
            return false;
        block = block.subspan(length);

        const std::span<const uint8_t> identifier = record.subspan(kIdentifier, identifierLength);
        const uint8_t flags = record[kFlags];
        if (IsSelfOrParent(identifier) || (flags & kAssociatedFlag) != 0)
            continue;
        const bool isFolder = (flags & kFolderFlag) != 0;
        std::string name = WindowsName(identifier, naming, isFolder);
        if (name.empty())
            continue;
        const IsoExtent extent = RecordExtent(record);
        DiscEntry entry;
        entry.name = std::move(name);
        entry.isFolder = isFolder;
        entry.size = isFolder ? 0 : extent.size;
        entries.push_back({std::move(entry), extent});
    }
    return true;
}
