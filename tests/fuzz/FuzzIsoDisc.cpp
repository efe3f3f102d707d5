// Feeds arbitrary disc images to IsoDisc, disccheck's reading of ISO 9660 images, and walks what
// it finds the way disccheck's lookups do: every folder it lists, every file read and found again
// by its path. ASan and UBSan catch what goes wrong in the reading; libiso9660, which opens the
// image and reads its blocks, is not instrumented.
//
// Input: the image's blocks from the volume descriptors (block 16) on, each as a 16-bit
// little-endian count of its leading bytes, then those bytes. The rest of each block, and the
// blocks before the descriptors, which nothing reads, are zero: an image is mostly zeros, and its
// seeds stay a few KB.
#include "Disc.h"
#include "IsoDisc.h"

#include <cdio/logging.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

namespace {

constexpr size_t kDescriptorBlock = 16;
// Enough for a few folders and files; larger images only make each run slower.
constexpr size_t kMaxBlocks = 256;
// A folder may hold itself: the walk ends after this many entries, this many folders deep.
constexpr int kMaxEntries = 64;
constexpr size_t kMaxDepth = 8;

std::vector<uint8_t> ImageOf(std::span<const uint8_t> input)
{
    std::vector<uint8_t> image(kDescriptorBlock * kIsoBlockBytes, 0);
    while (input.size() >= 2 && image.size() < kMaxBlocks * kIsoBlockBytes) {
        const size_t count =
            std::min({size_t{input[0]} | size_t{input[1]} << 8, kIsoBlockBytes, input.size() - 2});
        const size_t start = image.size();
        image.resize(start + kIsoBlockBytes, 0);
        std::copy_n(input.begin() + 2, count, image.begin() + static_cast<ptrdiff_t>(start));
        input = input.subspan(2 + count);
    }
    return image;
}

// The image in memory, under a path that libiso9660 opens like any file.
class MemoryFile {
public:
    explicit MemoryFile(std::span<const uint8_t> bytes)
        : m_Descriptor(::memfd_create("fuzz-iso-disc", MFD_CLOEXEC))
    {
        if (m_Descriptor < 0)
            std::abort();
        for (size_t done = 0; done < bytes.size();) {
            const ssize_t wrote = ::write(m_Descriptor, bytes.data() + done, bytes.size() - done);
            if (wrote <= 0)
                std::abort();
            done += static_cast<size_t>(wrote);
        }
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    ~MemoryFile() { ::close(m_Descriptor); }

    std::string Path() const { return "/proc/self/fd/" + std::to_string(m_Descriptor); }

private:
    int m_Descriptor;
};

std::string DiscPath(const std::vector<std::string>& names)
{
    std::string path;
    for (const std::string& name : names)
        path += (path.empty() ? "" : "\\") + name;
    return path;
}

void Walk(IsoDisc& disc, std::vector<std::string>& path, int& entriesLeft)
{
    const auto entries = disc.List(path);
    if (!entries || path.size() == kMaxDepth)
        return;
    for (const DiscEntry& entry : *entries) {
        if (--entriesLeft < 0)
            return;
        path.push_back(entry.name);
        if (entry.isFolder) {
            Walk(disc, path, entriesLeft);
        } else {
            disc.Read(path);
            Find(disc, DiscPath(path));
        }
        path.pop_back();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
    // libiso9660's warnings about a damaged image are no finding.
    cdio_log_set_handler([](cdio_log_level_t, const char*) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size)
{
    const MemoryFile file(ImageOf({input, size}));
    const auto disc = IsoDisc::Open(file.Path().c_str());
    if (!disc)
        return 0;
    std::vector<std::string> root;
    int entriesLeft = kMaxEntries;
    Walk(*disc, root, entriesLeft);
    return 0;
}
