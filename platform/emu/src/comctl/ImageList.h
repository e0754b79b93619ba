// Image lists inside the emulation: what the tree view needs beyond the public functions.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <vector>

namespace emu::comctl {

// A new list of `count` images made from 0xAARRGGBB pixels (alpha 0 is transparent), one image after the
// other, with a mask.
HIMAGELIST CreateImageListFromPixels(int cx, int cy, const std::vector<uint32_t>& pixels, int count = 1);

} // namespace emu::comctl
