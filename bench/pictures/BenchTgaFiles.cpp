// Writes into a folder what the peers outside this program time, so that they work on the very
// same cases: the decoding benchmarks' TGA files, and the zoom cases in zoom-cases.txt, one a
// line as "name width height destination-width destination-height".
// Usage: bench_tga_files FOLDER
#include "DecodeBenchCases.h"
#include "ZoomBenchCases.h"

#include <cstddef>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool WriteFile(const std::string& path, const void* data, std::size_t size)
{
    std::ofstream file(path, std::ios::binary);
    file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    file.close(); // a full disk shows when the last bytes go out
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

std::string ZoomCaseList()
{
    std::string list;
    for (const ZoomBenchCase& c : ZoomBenchCases())
        list += c.Name() + ' ' + std::to_string(c.width) + ' ' + std::to_string(c.height) + ' ' +
                std::to_string(c.outWidth) + ' ' + std::to_string(c.outHeight) + '\n';
    return list;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_tga_files FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    for (const DecodeBenchCase& c : DecodeBenchCases())
        if (!WriteFile(folder + "/" + c.fileName, c.file.data(), c.file.size()))
            return 1;
    const std::string cases = ZoomCaseList();
    return WriteFile(folder + "/zoom-cases.txt", cases.data(), cases.size()) ? 0 : 1;
}
