// The disc's layout, in one place: which file each part of the launcher reads, starts or opens,
// by its path under the disc's root, and the buffers those paths pass through on their way to the
// system. The autorun menu and the main window build on the root the drive scan found
// (SourceDrive.h); the options menu on the drive the installer recorded (SRCDRIVE), and where that
// lacks a file on the disc the launcher found (SourceChoice.h). The tools that check an author's
// disc read the same layout.
#pragma once

#include "base/LeadBytes.h"

#include <cstddef>
#include <string>
#include <string_view>

// The marker by which the drive scan knows the disc, for example "D:\zarn2000\lumbrel.exe".
std::string MarkerPath(std::string_view root);

// The picture the main window stretches over the whole screen.
std::string IntroPicturePath(const std::string& sourceRoot);

// The autorun menu's picture, its installer's command line and its help document's folder.
std::string AutorunPicturePath(const std::string& sourceRoot);
std::string AutorunSetupCommand(const std::string& sourceRoot);
std::string AutorunHelpDirectory(const std::string& sourceRoot);

// The options menu's root: SRCDRIVE, with a colon after a lone letter.
std::string SourceRoot(const std::string& srcDrive);
// `tail` under that root. SRCDRIVE may be recorded as "D", "D:", "D:\", a folder or a network
// share: a colon follows a lone letter only, and a backslash separates root and tail only where
// the root does not end in a separator. SRCDRIVE is in the code page of `leadBytes`.
std::string SourcePath(const std::string& srcDrive, std::string_view tail,
                       const LeadBytes& leadBytes = SystemLeadBytes());

// The options menu's installer, picture, help document's folder and web shortcuts' folder.
std::string SetupCommand(const std::string& srcDrive,
                         const LeadBytes& leadBytes = SystemLeadBytes());
std::string SetupPicturePath(const std::string& srcDrive,
                             const LeadBytes& leadBytes = SystemLeadBytes());
std::string HelpDirectory(const std::string& srcDrive,
                          const LeadBytes& leadBytes = SystemLeadBytes());
std::string WebShortcutDirectory(const std::string& srcDrive,
                                 const LeadBytes& leadBytes = SystemLeadBytes());

// Bare file names that the shell is asked to open in a folder.
inline constexpr const char* kHelpDocument = "zarnhelp.rtf";
inline constexpr const char* kDeveloperWebShortcut = "quillmoor web site.url";
inline constexpr const char* kGamesWebShortcut = "Zarn Games web site.url";

// The capacities of the menus' command buffers and of the folder buffer for opening documents.
inline constexpr std::size_t kAutorunCommandCapacity = 50;
inline constexpr std::size_t kOptionsCommandCapacity = 200;
inline constexpr std::size_t kDirectoryCapacity = 200;
// MAX_PATH: the longest path, its terminating zero included, that the system starts a program
// from or opens a folder at for a program that does not declare long paths.
inline constexpr std::size_t kLongestPathCapacity = 260;

// The buffer that a command line or folder on the disc at `root` passes through. The menus'
// buffers were sized for a drive ("D:", or a lone letter as SRCDRIVE may hold it); a copy of the
// disc in a folder or on a share gets one that holds any path the system takes there.
std::size_t CapacityUnder(std::string_view root, std::size_t driveRootCapacity);

// The sizes of the menus' picture areas on the usual display (96 dots per inch, the templates'
// 8-point font), for the tools that show a disc's author what the menus make of a picture. The
// menus work their areas out from their buttons at run time (AutorunPictureArea,
// OptionsPictureArea), which gives these sizes there.
struct AreaSize {
    int width;
    int height;
};

inline constexpr AreaSize kAutorunPictureAreaSize{378, 244};
inline constexpr AreaSize kOptionsPictureAreaSize{327, 237};
