// A disc laid out in a folder of the file system, as it will be burned.
#pragma once

#include "Disc.h"

#include <filesystem>

class FolderDisc : public Disc {
public:
    explicit FolderDisc(std::filesystem::path root) : m_Root(std::move(root)) {}

    std::optional<std::vector<DiscEntry>> List(const std::vector<std::string>& folder) override;
    std::optional<FileContents> Read(const std::vector<std::string>& file) override;

private:
    std::filesystem::path PathOf(const std::vector<std::string>& names) const;

    std::filesystem::path m_Root;
};
