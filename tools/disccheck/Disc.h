// A disc as the checker reads it: a folder laid out like the disc, or an image of it. Paths on the
// disc are given relative to its root, one name after another, as the disc stores the names.
#pragma once

#include "picture/FileContents.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct DiscEntry {
    std::string name;
    bool isFolder = false;
    uint64_t size = 0; // a file's, in bytes
    // What a folder's entry is when it is neither file nor folder ("a FIFO", "a link to nothing"),
    // which no image of the folder holds; empty for files and folders.
    std::string unburnable;
};

class Disc {
public:
    Disc() = default;
    Disc(const Disc&) = delete;
    Disc& operator=(const Disc&) = delete;
    virtual ~Disc() = default;

    // The entries of a folder (the root for no names), "." and ".." left out; nothing when it
    // cannot be read.
    virtual std::optional<std::vector<DiscEntry>> List(const std::vector<std::string>& folder) = 0;
    // A file's bytes; nothing when it cannot be read whole.
    virtual std::optional<FileContents> Read(const std::vector<std::string>& file) = 0;
};

// A file or folder on the disc, found by a path of the launcher's: the names as the disc stores
// them, and its kind.
struct DiscItem {
    std::vector<std::string> names;
    bool isFolder = false;
    uint64_t size = 0;      // see DiscEntry
    std::string unburnable; // see DiscEntry
    // Where a name of the path matches two entries that differ in letter case only, both of them
    // ("zarn2000/Data and zarn2000/data"): Windows shows one, and which is not the disc's to say,
    // so the path leads nowhere certain and the search ends there.
    std::string caseTwins;
};

// Finds `path` (names separated by backslashes, relative to the disc's root) the way Windows
// does: each name matches in any letter case, and empty names between doubled backslashes are
// skipped. Nothing when some name is not there. Where a name matches several entries, the item
// found so far, with caseTwins.
std::optional<DiscItem> Find(Disc& disc, std::string_view path);
