// A disc image in ISO 9660, read as Windows reads it: its Joliet names (the long names with spaces)
// where it has them, else its plain ISO 9660 names, never Rock Ridge's. libiso9660 opens the
// image and reads its blocks; the folders' records are read here, each folder once.
#pragma once

#include "Disc.h"
#include "IsoDirectory.h"

#include <cdio/iso9660.h>

#include <cstdint>
#include <map>
#include <memory>

struct IsoImageCloser {
    void operator()(iso9660_t* image) const { iso9660_close(image); }
};
using UniqueIsoImage = std::unique_ptr<iso9660_t, IsoImageCloser>;

class IsoDisc : public Disc {
public:
    // Nothing when the file is no ISO 9660 image that can be read.
    static std::unique_ptr<IsoDisc> Open(const char* path);

    std::optional<std::vector<DiscEntry>> List(const std::vector<std::string>& folder) override;
    std::optional<FileContents> Read(const std::vector<std::string>& file) override;

    // Without Joliet names Windows shows the plain ISO 9660 ones: upper case, short, no spaces.
    bool HasJolietNames() const { return m_Naming == IsoNaming::Joliet; }

private:
    // A folder's entries; nothing when it cannot be read.
    using Folder = std::optional<std::vector<IsoEntry>>;

    IsoDisc(UniqueIsoImage image, uint64_t imageBytes, IsoNaming naming, IsoExtent root)
        : m_Image(std::move(image)), m_ImageBytes(imageBytes), m_Naming(naming), m_Root(root)
    {
    }

    // Read from the image the first time it is asked for, then kept.
    const Folder& Entries(const std::vector<std::string>& folder);
    // The entry at `path` (one name at least), or none.
    const IsoEntry* Lookup(const std::vector<std::string>& path);
    Folder ReadFolder(IsoExtent extent) const;
    // How many of the extent's bytes the image holds: it may end before the extent does.
    uint64_t BytesHeld(IsoExtent extent) const;

    UniqueIsoImage m_Image;
    uint64_t m_ImageBytes;
    IsoNaming m_Naming;
    IsoExtent m_Root;
    std::map<std::vector<std::string>, Folder> m_Folders;
};
