// Device-independent bitmaps: reading their header and bits, and writing bits from pixels.
// Pixels are 0x00RRGGBB values in rows from the top.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace emu::detail {

// Larger bitmaps are refused rather than allocated.
constexpr int64_t maxBitmapPixels = int64_t{1} << 26;

struct DibFormat {
    int width;
    int height; // always positive
    bool topDown;
    int bitCount;
    DWORD compression;
    DWORD masks[3]; // red, green, blue for 16 and 32 bits per pixel
    std::vector<uint32_t> palette;
    size_t infoSize;  // header, masks and colour table: where the bits of a packed DIB start
    size_t stride;    // bytes per scan line of uncompressed bits
    size_t imageSize; // bytes of compressed bits as the header gives them, 0 when unknown
};

// Reads a BITMAPINFO (or BITMAPCOREINFO) of at most `available` bytes; nullopt when malformed.
std::optional<DibFormat> ReadDibFormat(const void* info, size_t available, UINT usage);

// The pixels of a bitmap, rows from the top.
struct Canvas {
    int width;
    int height;
    uint32_t* pixels;
};

// Decodes `lines` scan lines starting at scan line `first` (scan lines in the order the bits are stored:
// from the bottom for bottom-up bitmaps) into the canvas. A bottom-up DIB meets the canvas at the lower-left
// corner, a top-down one at the upper-left.
// `bits` holds those lines only (compressed bits always cover the whole bitmap, from line 0). Returns
// the number of lines decoded, or -1 when the bits are short or malformed.
int DecodeDib(const DibFormat& format, const BYTE* bits, size_t bitsSize, int first, int lines,
              Canvas canvas);

// The bytes of one scan line in the given uncompressed format.
size_t DibStride(int width, int bitCount);

// Writes `lines` scan lines starting at `first` of the canvas as uncompressed bits in the format (which
// holds width, height, orientation and bit count: 1, 16, 24 or 32, BI_RGB).
void EncodeDib(const DibFormat& format, const Canvas& canvas, int first, int lines, BYTE* bits);

// The nearer of black and white, for monochrome bitmaps.
uint32_t ToMonochrome(uint32_t pixel);

} // namespace emu::detail
