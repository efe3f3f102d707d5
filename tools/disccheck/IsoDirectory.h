// The directory records of an ISO 9660 image: which entries a folder holds and where their bytes
// lie. Only what Windows reads is taken from a record; its system use area (where Rock Ridge
// keeps its names) is never looked at.
#pragma once

#include "Disc.h"
#include "IsoNames.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

constexpr size_t kIsoBlockBytes = 2048;

// Where an entry's bytes lie: from its first block on, `size` bytes.
struct IsoExtent {
    uint64_t block = 0;
    uint32_t size = 0;
};

struct IsoEntry {
    DiscEntry entry;
    IsoExtent extent;
};

// The bytes of a directory record, as the root's is kept in a volume descriptor.
constexpr size_t kRootRecordBytes = 34;

// The extent described by the record at the front of `record` (at least kRootRecordBytes long).
IsoExtent RecordExtent(std::span<const uint8_t> record);

// Appends the entries recorded in one block of a directory (`block`: as much of the block as the
// directory's size covers), "." and ".." left out, as do associated files (what other systems
// keep beside a file of the same name) and names that are empty to Windows. False when a record
// does not fit in the block: the directory is damaged.
bool AddBlockEntries(std::span<const uint8_t> block, IsoNaming naming,
                     std::vector<IsoEntry>& entries);
