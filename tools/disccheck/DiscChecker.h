// Checks the files the launcher looks for on a disc and prints one line for each, in the order
// they are checked: found, missing, or present but unusable (a file the launcher or the system
// cannot use as it is meant to), with the details and warnings indented below it.
#pragma once

#include "Disc.h"
#include "LauncherFiles.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CTga;

class DiscChecker {
public:
    // With `previewFolder`, writes there what each menu's picture area will show.
    DiscChecker(Disc& disc, std::optional<std::filesystem::path> previewFolder)
        : m_Disc(disc), m_PreviewFolder(std::move(previewFolder))
    {
    }

    // autorun.inf, then the files its open= and icon= entries name.
    void CheckAutorunInf();
    // The drive text the installer records, which the launcher reads as empty when it is too
    // long.
    void CheckRecordedDrive(const std::string& srcDrive);
    void Check(const LauncherFile& file);
    // A problem of the whole disc, which no file's line shows.
    void ReportDiscProblem(const std::string& subject, const std::string& problem);

    bool AllUsable() const { return m_AllUsable; }
    bool PreviewsWritten() const { return m_PreviewsWritten; }

private:
    enum class Status { Found, Missing, Unusable };

    void Print(Status status, const std::string& subject, const std::vector<std::string>& notes);
    void CheckAutorunEntry(const std::string& entry, const std::string& file);
    // The file at path, or none after printing the subject as missing, or unusable for being a
    // folder.
    std::optional<DiscItem> FindFile(std::string_view path, const std::string& subject);
    // Loads the picture as the launcher does where the launcher can hold it: the load's reports,
    // or why it was not loaded.
    std::vector<std::string> LoadPicture(const DiscItem& item, CTga& picture, bool& decoded);
    // The picture's findings: the decoder's reports when it fails, or warnings where it will be
    // enlarged.
    std::vector<std::string> CheckPicture(const DiscItem& item, const PictureShown& shown,
                                          bool& decoded);
    void WritePreviews(CTga& picture, const PictureShown& shown);

    Disc& m_Disc;
    std::optional<std::filesystem::path> m_PreviewFolder;
    bool m_AllUsable = true;
    bool m_PreviewsWritten = true;
};
