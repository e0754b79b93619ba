#include "PngEncoder.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace {

// The largest stored deflate block.
constexpr size_t kBlockLimit = 65535;

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t Adler32(const std::vector<uint8_t>& data) {
    constexpr uint32_t kBase = 65521;
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % kBase;
        b = (b + a) % kBase;
    }
    return b << 16 | a;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, std::string_view type, const std::vector<uint8_t>& data) {
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian(out, Crc32(out.data() + start, out.size() - start));
}

// A zlib stream holding the data in stored blocks.
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& data) {
    std::vector<uint8_t> out{0x78, 0x01};
    for (size_t offset = 0; offset < data.size(); offset += kBlockLimit) {
        const size_t length = std::min(kBlockLimit, data.size() - offset);
        const bool last = offset + length == data.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<uint8_t>(length));
        out.push_back(static_cast<uint8_t>(length >> 8));
        out.push_back(static_cast<uint8_t>(~length));
        out.push_back(static_cast<uint8_t>(~length >> 8));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(offset),
                   data.begin() + static_cast<std::ptrdiff_t>(offset + length));
    }
    PutBigEndian(out, Adler32(data));
    return out;
}

} // namespace

namespace emu::detail {

std::vector<uint8_t> EncodePng(const Picture& picture) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height))
        return {};
    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(picture.width));
    PutBigEndian(header, static_cast<uint32_t>(picture.height));
    // 8 bits a sample, RGB, deflate, adaptive filtering, no interlace.
    header.insert(header.end(), {8, 2, 0, 0, 0});
    // Each row: filter type 0 (none), then its pixels.
    std::vector<uint8_t> rows;
    rows.reserve(picture.pixels.size() * 3 + static_cast<size_t>(picture.height));
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        if (i % static_cast<size_t>(picture.width) == 0)
            rows.push_back(0);
        const uint32_t p = picture.pixels[i];
        rows.insert(rows.end(),
                    {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)});
    }
    std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", StoredZlib(rows));
    PutChunk(out, "IEND", {});
    return out;
}

} // namespace emu::detail
