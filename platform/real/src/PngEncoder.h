// A picture as the bytes of a PNG file: 8-bit RGB, its image data in stored (uncompressed) deflate blocks,
// which every decoder reads, so that no compression library is needed.
#pragma once

#include <emu/Picture.h>

#include <cstdint>
#include <vector>

namespace emu::detail {

// Empty for a picture without pixels.
std::vector<uint8_t> EncodePng(const Picture& picture);

} // namespace emu::detail
