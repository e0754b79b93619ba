#include "Dib.h"

#include <bit>
#include <cstring>

namespace emu::detail {
namespace {

DWORD ReadDword(const BYTE* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<DWORD>(p[3]) << 24;
}
WORD ReadWord(const BYTE* p) {
    return static_cast<WORD>(p[0] | p[1] << 8);
}

uint32_t Rgb(BYTE r, BYTE g, BYTE b) {
    return static_cast<uint32_t>(r) << 16 | g << 8 | b;
}

// Scales the masked field of value to 8 bits by repeating its bits.
BYTE Channel(DWORD value, DWORD mask) {
    if (mask == 0)
        return 0;
    int shift = std::countr_zero(mask);
    int width = std::popcount(mask >> shift);
    DWORD field = (value & mask) >> shift;
    if (width >= 8)
        return static_cast<BYTE>(field >> (width - 8));
    uint32_t out = 0;
    for (int filled = 0; filled < 8; filled += width)
        out = out << width | field;
    int total = ((8 + width - 1) / width) * width;
    return static_cast<BYTE>(out >> (total - 8));
}

bool ValidBitCount(int bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

void Put(Canvas& canvas, int x, int y, uint32_t pixel) {
    if (x >= 0 && x < canvas.width && y >= 0 && y < canvas.height)
        canvas.pixels[static_cast<size_t>(y) * canvas.width + x] = pixel;
}

uint32_t PaletteColour(const DibFormat& format, unsigned index) {
    return index < format.palette.size() ? format.palette[index] : 0;
}

uint32_t PixelAt(const DibFormat& format, const BYTE* row, int x) {
    switch (format.bitCount) {
    case 1:
        return PaletteColour(format, (row[x / 8] >> (7 - x % 8)) & 1);
    case 4:
        return PaletteColour(format, (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF);
    case 8:
        return PaletteColour(format, row[x]);
    case 16: {
        DWORD value = ReadWord(row + 2 * x);
        return Rgb(Channel(value, format.masks[0]), Channel(value, format.masks[1]),
                   Channel(value, format.masks[2]));
    }
    case 24:
        return Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    default: {
        DWORD value = ReadDword(row + 4 * x);
        return Rgb(Channel(value, format.masks[0]), Channel(value, format.masks[1]),
                   Channel(value, format.masks[2]));
    }
    }
}

// A bottom-up DIB's origin is its lower-left corner, a top-down DIB's its upper-left.
int RowOfScanLine(const DibFormat& format, const Canvas& canvas, int line) {
    return format.topDown ? line : canvas.height - 1 - line;
}

// Run-length encoded bits (8 or 4 bits per pixel, always bottom-up).
int DecodeRle(const DibFormat& format, const BYTE* bits, size_t size, Canvas& canvas) {
    if (format.imageSize != 0 && format.imageSize < size)
        size = format.imageSize;
    bool four = format.compression == BI_RLE4;
    int x = 0, line = 0;
    size_t at = 0;
    auto put = [&](unsigned index) {
        if (x < format.width && line < format.height)
            Put(canvas, x, RowOfScanLine(format, canvas, line), PaletteColour(format, index));
        ++x;
    };
    while (line < format.height) {
        if (at + 2 > size)
            return -1;
        BYTE count = bits[at], value = bits[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(four ? (i % 2 ? value & 0xF : value >> 4) : value);
        } else if (value == 0) {
            x = 0;
            ++line;
        } else if (value == 1) {
            return format.height;
        } else if (value == 2) {
            if (at + 2 > size)
                return -1;
            x += bits[at];
            line += bits[at + 1];
            at += 2;
        } else {
            size_t bytes = four ? (value + 1) / 2 : value;
            if (at + bytes > size)
                return -1;
            for (int i = 0; i < value; ++i)
                put(four ? (i % 2 ? bits[at + i / 2] & 0xF : bits[at + i / 2] >> 4) : bits[at + i]);
            at += (bytes + 1) & ~size_t{1};
        }
    }
    return format.height;
}

} // namespace

size_t DibStride(int width, int bitCount) {
    return static_cast<size_t>((static_cast<int64_t>(width) * bitCount + 31) / 32 * 4);
}

std::optional<DibFormat> ReadDibFormat(const void* info, size_t available, UINT usage) {
    const BYTE* p = static_cast<const BYTE*>(info);
    if (!p || available < 12)
        return std::nullopt;
    DibFormat f{};
    DWORD headerSize = ReadDword(p);
    int64_t width, height;
    DWORD clrUsed = 0;
    size_t entrySize = 4;
    if (headerSize == 12) {
        width = ReadWord(p + 4);
        height = static_cast<SHORT>(ReadWord(p + 6));
        if (ReadWord(p + 8) != 1)
            return std::nullopt;
        f.bitCount = ReadWord(p + 10);
        f.compression = BI_RGB;
        entrySize = 3;
        f.infoSize = 12;
    } else {
        if (headerSize < sizeof(BITMAPINFOHEADER) || available < headerSize)
            return std::nullopt;
        width = static_cast<LONG>(ReadDword(p + 4));
        height = static_cast<LONG>(ReadDword(p + 8));
        if (ReadWord(p + 12) != 1)
            return std::nullopt;
        f.bitCount = ReadWord(p + 14);
        f.compression = ReadDword(p + 16);
        f.imageSize = ReadDword(p + 20);
        clrUsed = ReadDword(p + 32);
        f.infoSize = headerSize;
    }
    if (!ValidBitCount(f.bitCount) || width <= 0 || height == 0)
        return std::nullopt;
    f.topDown = height < 0;
    if (height < 0)
        height = -height;
    if (width * height > maxBitmapPixels)
        return std::nullopt;
    f.width = static_cast<int>(width);
    f.height = static_cast<int>(height);
    f.stride = DibStride(f.width, f.bitCount);

    switch (f.compression) {
    case BI_RGB:
        if (f.bitCount == 16) {
            f.masks[0] = 0x7C00, f.masks[1] = 0x03E0, f.masks[2] = 0x001F;
        } else if (f.bitCount == 32) {
            f.masks[0] = 0xFF0000, f.masks[1] = 0x00FF00, f.masks[2] = 0x0000FF;
        }
        break;
    case BI_RLE8:
    case BI_RLE4:
        if (f.topDown || f.bitCount != (f.compression == BI_RLE8 ? 8 : 4))
            return std::nullopt;
        break;
    case BI_BITFIELDS: {
        if (f.bitCount != 16 && f.bitCount != 32)
            return std::nullopt;
        // A version 2 or later header holds the masks; the plain header is followed by them.
        size_t masksAt = sizeof(BITMAPINFOHEADER);
        if (headerSize == sizeof(BITMAPINFOHEADER))
            f.infoSize += 12;
        if (available < masksAt + 12)
            return std::nullopt;
        for (int i = 0; i < 3; ++i)
            f.masks[i] = ReadDword(p + masksAt + 4 * i);
        break;
    }
    default:
        return std::nullopt;
    }

    size_t entries = clrUsed;
    if (f.bitCount <= 8) {
        size_t full = size_t{1} << f.bitCount;
        if (entries == 0)
            entries = full;
        if (entries > full)
            return std::nullopt;
        if (usage != DIB_RGB_COLORS)
            return std::nullopt;
    }
    if (entries > (available - f.infoSize) / entrySize)
        return std::nullopt;
    if (f.bitCount <= 8) {
        for (size_t i = 0; i < entries; ++i) {
            const BYTE* e = p + f.infoSize + i * entrySize;
            f.palette.push_back(Rgb(e[2], e[1], e[0]));
        }
    }
    f.infoSize += entries * entrySize;
    return f;
}

int DecodeDib(const DibFormat& format, const BYTE* bits, size_t bitsSize, int first, int lines,
              Canvas canvas) {
    if (!bits)
        return -1;
    if (format.compression == BI_RLE8 || format.compression == BI_RLE4)
        return first == 0 ? DecodeRle(format, bits, bitsSize, canvas) : -1;
    if (first < 0 || lines < 0 || first >= format.height)
        return 0;
    if (lines > format.height - first)
        lines = format.height - first;
    if (bitsSize / format.stride < static_cast<size_t>(lines))
        return -1;
    for (int i = 0; i < lines; ++i) {
        const BYTE* row = bits + static_cast<size_t>(i) * format.stride;
        int y = RowOfScanLine(format, canvas, first + i);
        if (y < 0 || y >= canvas.height)
            continue;
        int width = format.width < canvas.width ? format.width : canvas.width;
        for (int x = 0; x < width; ++x)
            Put(canvas, x, y, PixelAt(format, row, x));
    }
    return lines;
}

void EncodeDib(const DibFormat& format, const Canvas& canvas, int first, int lines, BYTE* bits) {
    for (int i = 0; i < lines; ++i) {
        BYTE* row = bits + static_cast<size_t>(i) * format.stride;
        int y = RowOfScanLine(format, canvas, first + i);
        if (y < 0 || y >= canvas.height)
            continue;
        int width = format.width < canvas.width ? format.width : canvas.width;
        for (int x = 0; x < width; ++x) {
            uint32_t pixel = canvas.pixels[static_cast<size_t>(y) * canvas.width + x];
            BYTE r = static_cast<BYTE>(pixel >> 16), g = static_cast<BYTE>(pixel >> 8),
                 b = static_cast<BYTE>(pixel);
            switch (format.bitCount) {
            case 1:
                if (ToMonochrome(pixel))
                    row[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
                else
                    row[x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
                break;
            case 16: {
                WORD value = static_cast<WORD>((r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
                row[2 * x] = static_cast<BYTE>(value);
                row[2 * x + 1] = static_cast<BYTE>(value >> 8);
                break;
            }
            case 24:
                row[3 * x] = b, row[3 * x + 1] = g, row[3 * x + 2] = r;
                break;
            default:
                row[4 * x] = b, row[4 * x + 1] = g, row[4 * x + 2] = r, row[4 * x + 3] = 0;
                break;
            }
        }
    }
}

uint32_t ToMonochrome(uint32_t pixel) {
    int r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
    int toBlack = r * r + g * g + b * b;
    int toWhite = (255 - r) * (255 - r) + (255 - g) * (255 - g) + (255 - b) * (255 - b);
    return toWhite <= toBlack ? 0xFFFFFF : 0;
}

} // namespace emu::detail
