// The four moon pictures the panel starts from, drawn in code: a shaded
// lunar disc with limb darkening and darker maria on the navy background.
// The build writes them as the program's BMP files; the panel draws them
// directly when a file is missing or unreadable.
#pragma once

#include <string_view>

#include "PixelImage.h"

namespace vx {

enum class MoonPicture { Dark, FirstQuarterLit, FullLit, LastQuarterLit };

// "darkmoon.bmp", "1stquarter.bmp", "fullmoon.bmp", "lastquarter.bmp".
std::string_view MoonPictureFile(MoonPicture picture);

// 90 x 90 points. The disc is centred at (44, 45) with radius 44, except in
// the last-quarter picture, centred at (46, 44) with radius 46, where the
// panel's painting expects it. First quarter: right half lit; last quarter:
// left half; full: all; dark: faint earthshine only.
PixelImage RenderMoonPicture(MoonPicture picture);

}  // namespace vx
