#include "ScratchFolder.h"

#include <cstdlib> // and POSIX mkdtemp
#include <fstream>

ScratchFolder::ScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "bench-tga-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        std::abort();
    m_Path = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_Path, ignored);
}

std::string ScratchFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const
{
    std::string path = (m_Path / name).string();
    std::ofstream file(path, std::ios::binary);
    if (!file.write(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<std::streamsize>(bytes.size())))
        std::abort();
    return path;
}
