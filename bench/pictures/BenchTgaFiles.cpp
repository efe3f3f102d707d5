// Writes the decoding benchmarks' TGA files into a folder, so that peers outside this program
// decode the very same bytes. Usage: bench_tga_files FOLDER
#include "DecodeBenchCases.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_tga_files FOLDER\n");
        return 2;
    }
    for (const DecodeBenchCase& c : DecodeBenchCases()) {
        const std::string path = std::string(argv[1]) + "/" + c.fileName;
        std::FILE* file = std::fopen(path.c_str(), "wb");
        const bool written =
            file && std::fwrite(c.file.data(), 1, c.file.size(), file) == c.file.size();
        if (file)
            std::fclose(file);
        if (!written) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
