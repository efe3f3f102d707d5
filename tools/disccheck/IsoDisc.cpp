#include "IsoDisc.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct IsoStatFree {
    void operator()(iso9660_stat_t* stat) const { iso9660_stat_free(stat); }
};
using UniqueIsoStat = std::unique_ptr<iso9660_stat_t, IsoStatFree>;

// A folder's listing owns its entries' records.
struct IsoListFree {
    void operator()(CdioISO9660FileList_t* list) const { iso9660_filelist_free(list); }
};
using UniqueIsoList = std::unique_ptr<CdioISO9660FileList_t, IsoListFree>;

std::string IsoPath(const std::vector<std::string>& names)
{
    std::string path = "/";
    for (const std::string& name : names)
        path += name + "/";
    if (path.size() > 1)
        path.pop_back();
    return path;
}

// The entry's name as libiso9660's paths name it: a Joliet or Rock Ridge name as it is stored; a
// plain ISO 9660 name as listings show it (lower case, without its version ";1").
std::string PathName(const iso9660_stat_t& stat, uint8_t jolietLevel)
{
    if (jolietLevel != 0 || stat.rr.b3_rock == yep)
        return stat.filename;
    std::vector<char> translated(std::strlen(stat.filename) + 1);
    const int length = iso9660_name_translate_ext(stat.filename, translated.data(), jolietLevel);
    return {translated.data(), static_cast<size_t>(length)};
}

} // namespace

std::unique_ptr<IsoDisc> IsoDisc::Open(const char* path)
{
    UniqueIsoImage image(iso9660_open_ext(path, ISO_EXTENSION_JOLIET));
    if (!image)
        return nullptr;
    return std::unique_ptr<IsoDisc>(new IsoDisc(std::move(image)));
}

bool IsoDisc::HasJolietNames() const
{
    return iso9660_ifs_get_joliet_level(m_Image.get()) != 0;
}

std::optional<std::vector<DiscEntry>> IsoDisc::List(const std::vector<std::string>& folder)
{
    const UniqueIsoList list(iso9660_ifs_readdir(m_Image.get(), IsoPath(folder).c_str()));
    if (!list)
        return std::nullopt;
    const uint8_t jolietLevel = iso9660_ifs_get_joliet_level(m_Image.get());
    std::vector<DiscEntry> entries;
    for (CdioListNode_t* node = _cdio_list_begin(list.get()); node;
         node = _cdio_list_node_next(node)) {
        const auto* stat = static_cast<const iso9660_stat_t*>(_cdio_list_node_data(node));
        std::string name = PathName(*stat, jolietLevel);
        if (name != "." && name != "..")
            entries.push_back(
                {std::move(name), stat->type == iso9660_stat_s::_STAT_DIR, stat->size, {}});
    }
    return entries;
}

std::optional<FileContents> IsoDisc::Read(const std::vector<std::string>& file)
{
    const UniqueIsoStat stat(iso9660_ifs_stat_translate(m_Image.get(), IsoPath(file).c_str()));
    if (!stat || stat->type != iso9660_stat_s::_STAT_FILE)
        return std::nullopt;
    // The image is read in whole blocks; the last one holds the end of the file.
    lsn_t block = stat->lsn;
    std::vector<uint8_t> blocks;
    bool failed = false;
    FileContents contents(stat->size, [&](std::span<uint8_t> into) -> size_t {
        const size_t count = (into.size() + ISO_BLOCKSIZE - 1) / ISO_BLOCKSIZE;
        blocks.resize(count * ISO_BLOCKSIZE);
        const long got =
            iso9660_iso_seek_read(m_Image.get(), blocks.data(), block, static_cast<long>(count));
        failed = got < static_cast<long>(blocks.size());
        if (failed)
            return 0;
        block += static_cast<lsn_t>(count);
        std::copy_n(blocks.begin(), into.size(), into.begin());
        return into.size();
    });
    if (failed)
        return std::nullopt;
    return contents;
}
