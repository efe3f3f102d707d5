// The sizes of the menus' picture areas on the usual display (96 dots per inch, the templates'
// 8-point font), for the tools that show a disc's author what the menus make of a picture. The
// menus work their areas out from their buttons at run time (AutorunPictureArea,
// OptionsPictureArea), which gives these sizes there.
#pragma once

struct AreaSize {
    int width;
    int height;
};

inline constexpr AreaSize kAutorunPictureAreaSize{378, 244};
inline constexpr AreaSize kOptionsPictureAreaSize{327, 237};
