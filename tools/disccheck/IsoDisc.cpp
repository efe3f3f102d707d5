#include "IsoDisc.h"

#include <algorithm>
#include <array>
#include <climits>
#include <filesystem>
#include <system_error>

namespace {

// The volume descriptors follow the 16 blocks of the system area, the primary one first.
constexpr uint64_t kPrimaryBlock = 16;
constexpr size_t kType = 0;
constexpr size_t kStandardId = 1;
constexpr std::array<uint8_t, 5> kCd001 = {'C', 'D', '0', '0', '1'};
constexpr uint8_t kSupplementary = 2;
constexpr uint8_t kTerminator = 255;
constexpr size_t kEscapeSequences = 88;
constexpr size_t kRootRecord = 156;

// Large enough that a folder of many MB takes few reads, small enough to be no weight of its own.
constexpr size_t kFolderChunkBytes = 32 * kIsoBlockBytes;

using Descriptor = std::array<uint8_t, kIsoBlockBytes>;

struct Volume {
    IsoNaming naming;
    IsoExtent root;
};

size_t RoundUpToBlocks(size_t bytes)
{
    return (bytes + kIsoBlockBytes - 1) / kIsoBlockBytes * kIsoBlockBytes;
}

// Reads whole blocks into `into` and returns how many bytes it read: fewer at the image's end.
size_t ReadBlocks(const iso9660_t* image, uint64_t block, std::span<uint8_t> into)
{
    // libiso9660 numbers blocks in a signed 32-bit type.
    if (block > INT32_MAX)
        return 0;
    const long got = iso9660_iso_seek_read(image, into.data(), static_cast<lsn_t>(block),
                                           static_cast<long>(into.size() / kIsoBlockBytes));
    return got > 0 ? static_cast<size_t>(got) : 0;
}

bool IsVolumeDescriptor(const Descriptor& descriptor)
{
    return std::ranges::equal(std::span(descriptor).subspan(kStandardId, kCd001.size()), kCd001) &&
           descriptor[kType] != kTerminator;
}

// A supplementary volume descriptor holds Joliet names when its escape sequence names UCS-2 at
// one of its three levels.
bool IsJoliet(const Descriptor& descriptor)
{
    const uint8_t* escape = &descriptor[kEscapeSequences];
    return descriptor[kType] == kSupplementary && escape[0] == '%' && escape[1] == '/' &&
           (escape[2] == '@' || escape[2] == 'C' || escape[2] == 'E');
}

IsoExtent RootOf(const Descriptor& descriptor)
{
    return RecordExtent(std::span(descriptor).subspan(kRootRecord, kRootRecordBytes));
}

// Windows reads the first Joliet volume of the descriptor set, else the primary one.
std::optional<Volume> ReadVolume(const iso9660_t* image)
{
    Descriptor descriptor{};
    if (ReadBlocks(image, kPrimaryBlock, descriptor) != descriptor.size())
        return std::nullopt;
    const Volume primary{IsoNaming::Plain, RootOf(descriptor)};
    for (uint64_t block = kPrimaryBlock + 1;
         ReadBlocks(image, block, descriptor) == descriptor.size() &&
         IsVolumeDescriptor(descriptor);
         ++block) {
        if (IsJoliet(descriptor))
            return Volume{IsoNaming::Joliet, RootOf(descriptor)};
    }
    return primary;
}

} // namespace

std::unique_ptr<IsoDisc> IsoDisc::Open(const char* path)
{
    std::error_code error;
    const uintmax_t imageBytes = std::filesystem::file_size(path, error);
    if (error)
        return nullptr;
    UniqueIsoImage image(iso9660_open(path));
    if (!image)
        return nullptr;
    const auto volume = ReadVolume(image.get());
    if (!volume)
        return nullptr;
    return std::unique_ptr<IsoDisc>(
        new IsoDisc(std::move(image), imageBytes, volume->naming, volume->root));
}

std::optional<std::vector<DiscEntry>> IsoDisc::List(const std::vector<std::string>& folder)
{
    const Folder& entries = Entries(folder);
    if (!entries)
        return std::nullopt;
    std::vector<DiscEntry> listed;
    listed.reserve(entries->size());
    for (const IsoEntry& entry : *entries)
        listed.push_back(entry.entry);
    return listed;
}

std::optional<FileContents> IsoDisc::Read(const std::vector<std::string>& file)
{
    const IsoEntry* entry = file.empty() ? nullptr : Lookup(file);
    // A file that runs past the image's end cannot be read whole.
    if (!entry || entry->entry.isFolder || BytesHeld(entry->extent) < entry->extent.size)
        return std::nullopt;
    // The image is read in whole blocks; the last one holds the end of the file.
    uint64_t block = entry->extent.block;
    std::vector<uint8_t> blocks;
    bool failed = false;
    FileContents contents(entry->extent.size, [&](std::span<uint8_t> into) -> size_t {
        blocks.resize(RoundUpToBlocks(into.size()));
        failed = ReadBlocks(m_Image.get(), block, blocks) < into.size();
        if (failed)
            return 0;
        block += blocks.size() / kIsoBlockBytes;
        std::copy_n(blocks.begin(), into.size(), into.begin());
        return into.size();
    });
    if (failed)
        return std::nullopt;
    return contents;
}

const IsoDisc::Folder& IsoDisc::Entries(const std::vector<std::string>& folder)
{
    if (const auto known = m_Folders.find(folder); known != m_Folders.end())
        return known->second;
    Folder entries;
    if (folder.empty())
        entries = ReadFolder(m_Root);
    else if (const IsoEntry* entry = Lookup(folder); entry && entry->entry.isFolder)
        entries = ReadFolder(entry->extent);
    return m_Folders.emplace(folder, std::move(entries)).first->second;
}

const IsoEntry* IsoDisc::Lookup(const std::vector<std::string>& path)
{
    const Folder& folder = Entries({path.begin(), path.end() - 1});
    if (!folder)
        return nullptr;
    const auto entry = std::ranges::find(
        *folder, path.back(), [](const IsoEntry& e) -> const std::string& { return e.entry.name; });
    return entry == folder->end() ? nullptr : &*entry;
}

IsoDisc::Folder IsoDisc::ReadFolder(IsoExtent extent) const
{
    // Windows cannot read a folder whose records run past the image's end.
    if (BytesHeld(extent) < extent.size)
        return std::nullopt;
    std::vector<IsoEntry> entries;
    std::vector<uint8_t> chunk;
    uint64_t block = extent.block;
    for (size_t left = extent.size; left > 0;) {
        const size_t bytes = std::min(left, kFolderChunkBytes);
        chunk.resize(RoundUpToBlocks(bytes));
        if (ReadBlocks(m_Image.get(), block, chunk) < bytes)
            return std::nullopt;
        for (size_t at = 0; at < bytes; at += kIsoBlockBytes) {
            const auto blockBytes =
                std::span(chunk).subspan(at, std::min(kIsoBlockBytes, bytes - at));
            if (!AddBlockEntries(blockBytes, m_Naming, entries))
                return std::nullopt;
        }
        block += chunk.size() / kIsoBlockBytes;
        left -= bytes;
    }
    return entries;
}

uint64_t IsoDisc::BytesHeld(IsoExtent extent) const
{
    const uint64_t start = extent.block * kIsoBlockBytes;
    return start < m_ImageBytes ? std::min<uint64_t>(extent.size, m_ImageBytes - start) : 0;
}
