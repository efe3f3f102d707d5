#include "DiscChecker.h"

#include "AutorunInf.h"
#include "PngPreview.h"
#include "base/ReportSink.h"
#include "install/DiscLayout.h"
#include "install/InstallRecord.h"
#include "menus/CommandBuffer.h"
#include "picture/FileContents.h"
#include "picture/TgaDecoder.h"
#include "picture/tga.h"

#include <cstdint>
#include <cstdio>
#include <utility>

namespace {

constexpr const char* kAutorunInf = "autorun.inf";

// Collects the reports made while it lives, each as one line, instead of printing them.
class ReportCollector {
public:
    ReportCollector()
        : m_Previous(SetReportSink([this](ReportChannel channel, std::string_view text) {
              m_Lines.push_back(ReportLine(channel, text));
          }))
    {
    }
    ReportCollector(const ReportCollector&) = delete;
    ReportCollector& operator=(const ReportCollector&) = delete;
    ~ReportCollector() { SetReportSink(std::move(m_Previous)); }

    std::vector<std::string> Take() { return std::exchange(m_Lines, {}); }

private:
    std::vector<std::string> m_Lines;
    ReportSink m_Previous;
};

std::string SizeText(AreaSize size)
{
    return std::to_string(size.width) + " x " + std::to_string(size.height);
}

// The most a picture may take in the shipped 32-bit launcher: its file, read whole, and its
// pixels, four bytes each. A 32-bit process under Wine got 549 MiB in one piece but not 640 MiB;
// the rest of the launcher needs room too.
constexpr uint64_t kPictureMemory = uint64_t{512} << 20;

std::string MiB(uint64_t bytes)
{
    constexpr uint64_t kMiB = uint64_t{1} << 20;
    return std::to_string((bytes + kMiB - 1) / kMiB) + " MiB";
}

std::string OnDisc(const std::string& path)
{
    return std::string(kDiscDrive) + "\\" + path;
}

// Why a file the launcher reads cannot be used where it was found; empty when it can.
std::string Problem(const DiscItem& item)
{
    if (!item.caseTwins.empty())
        return "the disc holds " + item.caseTwins +
               ", which differ in letter case only: Windows shows one of them, and which one "
               "is not the disc's to say; keep one";
    if (item.isFolder)
        return "it is a folder";
    if (!item.unburnable.empty())
        return "it is " + item.unburnable + ", which no disc holds: an image leaves it out";
    return {};
}

} // namespace

void DiscChecker::Print(Status status, const std::string& subject,
                        const std::vector<std::string>& notes)
{
    static constexpr const char* kWords[] = {"found", "missing", "unusable"};
    if (status != Status::Found)
        m_AllUsable = false;
    std::printf("%-9s %s\n", kWords[static_cast<int>(status)], subject.c_str());
    for (const std::string& note : notes)
        std::printf("          %s\n", note.c_str());
}

void DiscChecker::ReportDiscProblem(const std::string& subject, const std::string& problem)
{
    Print(Status::Unusable, subject, {problem});
}

std::optional<DiscItem> DiscChecker::FindFile(std::string_view path, const std::string& subject)
{
    auto item = Find(m_Disc, path);
    if (!item) {
        Print(Status::Missing, subject, {});
        return std::nullopt;
    }
    if (const std::string problem = Problem(*item); !problem.empty()) {
        Print(Status::Unusable, subject, {problem});
        return std::nullopt;
    }
    return item;
}

void DiscChecker::CheckAutorunInf()
{
    const std::string subject = "autorun.inf, which starts the launcher when the disc is "
                                "inserted: " +
                                OnDisc(kAutorunInf);
    const auto item = FindFile(kAutorunInf, subject);
    if (!item)
        return;
    const std::optional<FileContents> contents = m_Disc.Read(item->names);
    if (!contents) {
        Print(Status::Unusable, subject, {"it cannot be read: inserting the disc starts nothing"});
        return;
    }
    Print(Status::Found, subject, {});
    const AutorunEntries entries = ReadAutorunEntries(contents->Bytes());
    if (!entries.open) {
        Print(Status::Unusable, "autorun.inf's open= entry, the program the disc starts",
              {"autorun.inf has no open= entry in an [autorun] section: inserting the disc "
               "starts nothing"});
    } else {
        CheckAutorunEntry("open= entry, the program the disc starts", OpenProgram(*entries.open));
    }
    // Without an icon= entry the drive shows the system's own icon.
    if (entries.icon)
        CheckAutorunEntry("icon= entry, the drive's icon", IconFile(*entries.icon));
}

void DiscChecker::CheckAutorunEntry(const std::string& entry, const std::string& file)
{
    const std::string subject = "autorun.inf's " + entry + ": " + OnDisc(file);
    const auto item = Find(m_Disc, file);
    if (!item)
        Print(Status::Unusable, subject, {"it names no file on the disc"});
    else if (const std::string problem = Problem(*item); !problem.empty())
        Print(Status::Unusable, subject, {problem});
    else
        Print(Status::Found, subject, {});
}

void DiscChecker::CheckRecordedDrive(const std::string& srcDrive)
{
    // The record's texts are read through a buffer of their own size; a longer one reads as empty.
    if (FitsBuffer(srcDrive, kRegistryTextBuffer))
        return;
    Print(Status::Unusable, "the source drive the installer records (--srcdrive)",
          {"it has " + std::to_string(srcDrive.size()) + " characters; the launcher reads one of " +
           std::to_string(kRegistryTextBuffer) +
           " or more as empty, so the options menu's paths lead to no disc"});
}

void DiscChecker::Check(const LauncherFile& file)
{
    const std::string subject = file.purpose + ": " + file.launcherPath;
    if (!file.refusal.empty()) {
        Print(Status::Unusable, subject, {file.refusal});
        return;
    }
    if (!file.discPath) {
        Print(Status::Unusable, subject, {"the path does not lead onto the disc (see --srcdrive)"});
        return;
    }
    const auto item = FindFile(*file.discPath, subject);
    if (!item)
        return;
    if (!file.picture) {
        Print(Status::Found, subject, {});
        return;
    }
    bool decoded = false;
    const std::vector<std::string> notes = CheckPicture(*item, *file.picture, decoded);
    Print(decoded ? Status::Found : Status::Unusable, subject, notes);
}

std::vector<std::string> DiscChecker::LoadPicture(const DiscItem& item, CTga& picture,
                                                  bool& decoded)
{
    decoded = false;
    // The file's size is known before it is read, its pixels' once its header is: neither is
    // read or allocated when the launcher could not hold it.
    if (item.size > kPictureMemory)
        return {"it is " + MiB(item.size) + ", more than the 32-bit launcher can hold of a " +
                "picture with its pixels (" + MiB(kPictureMemory) + ")"};
    std::optional<FileContents> file = m_Disc.Read(item.names);
    if (!file)
        return {"it cannot be read"};
    if (const std::optional<TgaFile> tga = ReadTgaFile(file->Bytes())) {
        const uint64_t width = tga->header.width;
        const uint64_t height = tga->header.height;
        if (const uint64_t memory = item.size + 4 * width * height; memory > kPictureMemory)
            return {"it is " + std::to_string(width) + " x " + std::to_string(height) +
                    ", whose pixels take with its file " + MiB(memory) +
                    ", more than the 32-bit launcher can hold of a picture (" +
                    MiB(kPictureMemory) + ")"};
    }
    ReportCollector collector;
    decoded = picture.LoadTga(*std::move(file)) == 1;
    return collector.Take();
}

std::vector<std::string> DiscChecker::CheckPicture(const DiscItem& item, const PictureShown& shown,
                                                   bool& decoded)
{
    CTga picture;
    std::vector<std::string> reports = LoadPicture(item, picture, decoded);
    WritePreviews(picture, shown);
    if (!decoded) {
        reports.push_back("warning: it does not decode, so " + shown.place + " stays blank");
        return reports;
    }
    // A decoded picture's trace reports are no news to the author; its size may be.
    std::string larger;
    for (const AreaSize size : shown.sizes) {
        if (picture.Width() < size.width || picture.Height() < size.height)
            larger += (larger.empty() ? "" : ", ") + SizeText(size);
    }
    if (larger.empty())
        return {};
    return {"warning: it is " + SizeText({picture.Width(), picture.Height()}) + ", smaller than " +
            shown.place + " at " + larger + ": it will be enlarged"};
}

void DiscChecker::WritePreviews(CTga& picture, const PictureShown& shown)
{
    if (!m_PreviewFolder || shown.previewName.empty())
        return;
    for (const AreaSize size : shown.sizes) {
        // What the menu does: a blank picture of the area's size, the loaded one rescaled into it.
        CTga area;
        area.CreateBlank(size.width, size.height);
        picture.RescaleInto(area);
        const auto path = *m_PreviewFolder / (shown.previewName + "-" + std::to_string(size.width) +
                                              "x" + std::to_string(size.height) + ".png");
        if (const std::error_code error = WritePngPreview(area, path)) {
            std::fprintf(stderr, "disccheck: cannot write %s: %s\n", path.c_str(),
                         error.message().c_str());
            m_PreviewsWritten = false;
        }
    }
}
