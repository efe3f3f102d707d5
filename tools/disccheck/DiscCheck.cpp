// disccheck: checks a disc folder or image for the files the launcher looks for, before it is
// burned.
#include "DiscChecker.h"
#include "FolderDisc.h"
#include "IsoDisc.h"
#include "LauncherFiles.h"
#include "LayoutTable.h"
#include "picture/PictureTrace.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <variant>

namespace {

constexpr const char* kUsage =
    "usage: disccheck DIR_OR_ISO [--srcdrive TEXT] [--previews OUT_DIR]\n"
    "       disccheck --layout\n"
    "       disccheck --help\n";

void PrintHelp()
{
    std::printf(
        "%s\n"
        "Checks a disc, laid out in the folder DIR or as the ISO 9660 image ISO (Joliet names\n"
        "where it has them), for every file the launcher looks for, in the order a user meets\n"
        "them: autorun.inf and the files its open= and icon= entries name, the marker by which\n"
        "the launcher finds its disc, the intro picture, and each menu's picture, Setup program\n"
        "and help document, and the options menu's two web shortcuts. Names match in any letter\n"
        "case, as on Windows. The disc is taken to be in drive %s.\n\n"
        "Each file gets one line: \"found\", \"missing\", or \"unusable\" when it is there but "
        "the\n"
        "launcher cannot use it: a file that cannot be read, a picture that does not decode (the\n"
        "decoder's reports follow) or is too large for the 32-bit launcher to hold (judged from\n"
        "its size and header, before it is read), an autorun.inf entry that names no file, a\n"
        "path the launcher refuses for its length, what no image of a folder holds (a FIFO, a\n"
        "device, a link to nothing), or two names that differ in letter case only.\n"
        "Warnings follow a file where the launcher will do less than meant: a picture smaller\n"
        "than the area it is shown in is enlarged, one that does not decode leaves it blank.\n\n"
        "Options:\n"
        "  --srcdrive TEXT   the source drive the installer records, on which the options menu\n"
        "                    builds its paths (%s by default)\n"
        "  --previews DIR    write to DIR (made if missing) what each menu's picture area will\n"
        "                    show, as PNG files named after the menu and the area's size,\n"
        "                    rescaled by the launcher's own code\n"
        "  --layout          print, as a Markdown table, the path of each file the launcher\n"
        "                    looks for on its disc and what it is for, and nothing else\n\n"
        "Exit status: 0 when every file is found and usable, 1 when one is missing or unusable,\n"
        "2 on bad arguments, a disc that cannot be read or a preview that cannot be written.\n",
        kUsage, kDiscDrive, kDiscDrive);
}

int UsageError(const char* problem, std::string_view argument)
{
    std::fprintf(stderr, "disccheck: %s%.*s\n%s", problem, static_cast<int>(argument.size()),
                 argument.data(), kUsage);
    return 2;
}

struct Arguments {
    std::string disc;
    std::string srcDrive = kDiscDrive;
    std::optional<std::filesystem::path> previews;
};

// The arguments, or the exit status when the program is done: after --help or on a bad one.
std::variant<Arguments, int> ReadArguments(int argc, char** argv)
{
    Arguments arguments;
    bool haveDisc = false;
    for (int next = 1; next < argc; ++next) {
        const std::string_view argument = argv[next];
        const char* const value = next + 1 < argc ? argv[next + 1] : nullptr;
        if (argument == "--help" || argument == "-h") {
            PrintHelp();
            return 0;
        }
        if (argument == "--layout") {
            std::fputs(LayoutTable().c_str(), stdout);
            return 0;
        }
        if (argument == "--srcdrive" || argument == "--previews") {
            if (!value)
                return UsageError("a value is missing after ", argument);
            if (argument == "--srcdrive")
                arguments.srcDrive = value;
            else
                arguments.previews = value;
            ++next;
        } else if (argument.starts_with('-') && argument.size() > 1) {
            return UsageError("unknown option ", argument);
        } else if (haveDisc) {
            return UsageError("one disc at a time, not also ", argument);
        } else {
            arguments.disc = argument;
            haveDisc = true;
        }
    }
    if (!haveDisc)
        return UsageError("no disc given", "");
    return arguments;
}

// The disc at `path`, and whether it is an image without Joliet names.
std::unique_ptr<Disc> OpenDisc(const std::string& path, bool& lacksJolietNames)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error) {
        std::fprintf(stderr, "disccheck: cannot read %s: %s\n", path.c_str(),
                     error.message().c_str());
        return nullptr;
    }
    std::unique_ptr<Disc> disc;
    if (std::filesystem::is_directory(status))
        disc = std::make_unique<FolderDisc>(path);
    else if (std::filesystem::is_regular_file(status)) {
        auto image = IsoDisc::Open(path.c_str());
        lacksJolietNames = image && !image->HasJolietNames();
        disc = std::move(image);
    }
    if (!disc || !disc->List({})) {
        std::fprintf(stderr,
                     "disccheck: cannot read %s: it is no readable folder or ISO 9660 image\n",
                     path.c_str());
        return nullptr;
    }
    return disc;
}

bool MakePreviewFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "disccheck: cannot make %s: %s\n", folder.c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}

int Run(int argc, char** argv)
{
    // The launcher's picture trace means nothing here: write no records.
    SetPictureTraceFile("");
    const auto read = ReadArguments(argc, argv);
    if (const int* done = std::get_if<int>(&read))
        return *done;
    const auto& arguments = std::get<Arguments>(read);
    bool lacksJolietNames = false;
    const std::unique_ptr<Disc> disc = OpenDisc(arguments.disc, lacksJolietNames);
    if (!disc || (arguments.previews && !MakePreviewFolder(*arguments.previews)))
        return 2;

    DiscChecker checker(*disc, arguments.previews);
    if (lacksJolietNames)
        checker.ReportDiscProblem("the image's Joliet names, the long names Windows shows",
                                  "it has none, so Windows shows short upper-case names; make it "
                                  "with Joliet names (mkisofs -J)");
    checker.CheckAutorunInf();
    checker.CheckRecordedDrive(arguments.srcDrive);
    for (const LauncherFile& file : LauncherFiles(arguments.srcDrive))
        checker.Check(file);
    std::fflush(stdout);
    if (!checker.PreviewsWritten())
        return 2;
    return checker.AllUsable() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "disccheck: %s\n", error.what());
        return 2;
    }
}
