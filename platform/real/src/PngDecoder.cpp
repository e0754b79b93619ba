#include "PngDecoder.h"

#include <cstring>

namespace {

uint32_t BigEndian(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | p[3];
}

// The data of a zlib stream made of stored blocks; false for any other block type or a stream cut short.
bool StoredData(const std::vector<uint8_t>& stream, std::vector<uint8_t>& data) {
    if (stream.size() < 2 || (stream[0] & 0x0F) != 8)
        return false;
    size_t at = 2;
    for (bool last = false; !last;) {
        if (at + 5 > stream.size() || (stream[at] & 0x06) != 0)
            return false;
        last = (stream[at] & 1) != 0;
        const size_t length = stream[at + 1] | static_cast<size_t>(stream[at + 2]) << 8;
        const size_t complement = stream[at + 3] | static_cast<size_t>(stream[at + 4]) << 8;
        at += 5;
        if (length != (~complement & 0xFFFF) || at + length > stream.size())
            return false;
        data.insert(data.end(), stream.begin() + static_cast<std::ptrdiff_t>(at),
                    stream.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    }
    return true;
}

} // namespace

namespace emu::detail {

Picture DecodePng(const std::vector<uint8_t>& bytes) {
    static const uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() < 8 || std::memcmp(bytes.data(), kSignature, 8) != 0)
        return {};
    int width = 0, height = 0;
    size_t pixelBytes = 0;
    std::vector<uint8_t> stream;
    for (size_t at = 8; at + 12 <= bytes.size();) {
        const size_t length = BigEndian(&bytes[at]);
        if (at + 12 + length > bytes.size())
            return {};
        const uint8_t* type = &bytes[at + 4];
        const uint8_t* data = &bytes[at + 8];
        if (std::memcmp(type, "IHDR", 4) == 0 && length >= 13) {
            width = static_cast<int>(BigEndian(data));
            height = static_cast<int>(BigEndian(data + 4));
            // 8 bits a sample, RGB or RGBA, deflate, filter method 0, not interlaced.
            if (data[8] != 8 || (data[9] != 2 && data[9] != 6) || data[10] != 0 || data[11] != 0 ||
                data[12] != 0)
                return {};
            pixelBytes = data[9] == 2 ? 3 : 4;
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            stream.insert(stream.end(), data, data + length);
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            break;
        }
        at += 12 + length;
    }
    std::vector<uint8_t> rows;
    if (width <= 0 || height <= 0 || !StoredData(stream, rows))
        return {};
    const size_t rowBytes = static_cast<size_t>(width) * pixelBytes;
    if (rows.size() < (rowBytes + 1) * static_cast<size_t>(height))
        return {};
    // Each row starts with its filter type: 0, none.
    for (size_t y = 0; y < static_cast<size_t>(height); ++y)
        if (rows[y * (rowBytes + 1)] != 0)
            return {};
    Picture picture{width, height, {}};
    picture.pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (size_t y = 0; y < static_cast<size_t>(height); ++y) {
        const uint8_t* p = rows.data() + y * (rowBytes + 1) + 1;
        for (int x = 0; x < width; ++x, p += pixelBytes)
            picture.pixels.push_back(static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 |
                                     p[2]);
    }
    return picture;
}

} // namespace emu::detail
