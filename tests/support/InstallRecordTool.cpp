// Seeds or deletes the game installer's record from a script:
//   install_record seed TARGETDIR SRCDRIVE    the record an installed game leaves
//   install_record delete
#include "InstallRecordSeed.h"

#include <cstdio>
#include <cstring>
#include <exception>

int main(int argc, char** argv)
{
    try {
        if (argc == 4 && std::strcmp(argv[1], "seed") == 0) {
            SeedInstallRecord({.targetDir = argv[2], .srcDrive = argv[3]});
            return 0;
        }
        if (argc == 2 && std::strcmp(argv[1], "delete") == 0) {
            DeleteInstallRecord();
            return 0;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "install_record: %s\n", error.what());
        return 1;
    }
    std::fprintf(stderr, "usage: install_record seed TARGETDIR SRCDRIVE | install_record delete\n");
    return 2;
}
