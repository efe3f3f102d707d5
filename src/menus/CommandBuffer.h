// The fixed buffers that command lines and folders pass through on their way to the system.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

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

// Whether `text` fits a buffer of `capacity` characters with at least one zero byte after it.
bool FitsBuffer(std::string_view text, std::size_t capacity);

// A zero-filled buffer of `capacity` characters holding `text` with at least one zero byte after
// it; nothing when `text` is too long for that. A longer text is refused rather than cut: a cut
// command line or folder can name a different program or place.
std::optional<std::vector<char>> ZeroFilledBuffer(std::string_view text, std::size_t capacity);
