#include "ScratchFolder.h"

#include <cstdio>
#include <cstdlib> // and POSIX mkdtemp

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
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        std::abort();
    std::fclose(file);
    return path;
}
