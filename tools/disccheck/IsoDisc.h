// A disc image in ISO 9660, read through libiso9660 with its Joliet names (the long names with
// spaces that Windows shows) where the image has them.
#pragma once

#include "Disc.h"

#include <cdio/iso9660.h>

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

    // Windows shows an image's Joliet names when it has them, and otherwise its plain ISO 9660
    // names (upper case, short, no spaces). libiso9660 lists Rock Ridge names where an image
    // has them, which Windows never shows: without Joliet names the listing is not what
    // Windows sees.
    bool HasJolietNames() const;

private:
    explicit IsoDisc(UniqueIsoImage image) : m_Image(std::move(image)) {}

    UniqueIsoImage m_Image;
};
