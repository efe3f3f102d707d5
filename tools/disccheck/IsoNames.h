// The names Windows shows for the entries of an ISO 9660 image: Joliet names where the image has
// them, else its plain ISO 9660 names. Windows never reads Rock Ridge names.
#pragma once

#include <cstdint>
#include <span>
#include <string>

// The tree of names a folder of an image belongs to.
enum class IsoNaming { Plain, Joliet };

// The name of an entry whose directory record holds `identifier`: a Joliet name (UTF-16, big
// endian) in UTF-8, a plain name as it is stored. A file's version (";1") is dropped, and with it
// the dot that a plain name without extension carries before it ("README.;1").
std::string WindowsName(std::span<const uint8_t> identifier, IsoNaming naming, bool isFolder);
