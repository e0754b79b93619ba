// A picture from the bytes of a PNG file whose image data is in stored (uncompressed) deflate blocks with
// unfiltered rows, as EncodePng writes them: 8-bit RGB or RGBA (alpha dropped), not interlaced. No
// compression library is needed for that.
#pragma once

#include <emu/Picture.h>

#include <cstdint>
#include <vector>

namespace emu::detail {

// Empty for bytes that are not such a file, or that are cut short.
Picture DecodePng(const std::vector<uint8_t>& bytes);

} // namespace emu::detail
