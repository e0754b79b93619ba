// Reading what an image list holds, for tests and for rendering.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <vector>

namespace emu {

// The pixels of image `index`, row by row from the top, each 0xAARRGGBB: alpha 0xFF for an opaque pixel,
// 0 where the image's mask makes it transparent. Empty for an invalid list or index.
std::vector<uint32_t> ImageListPixels(HIMAGELIST list, int index);

} // namespace emu
