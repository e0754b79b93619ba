// Build tool: writes the library's check bitmaps, drawn in CheckBitmapData.h, as the bitmap files that the
// library's resource script names. Run on the build machine: make-check-bitmaps <3001.bmp> <3002.bmp>
#include "CheckBitmapData.h"

#include <cstdio>
#include <fstream>
#include <vector>

namespace {

// A bitmap file: the 14-byte file header, then the resource's bytes (header, palette, pixels).
template <size_t N> bool WriteBitmapFile(const char* path, const std::array<BYTE, N>& resource) {
    constexpr uint32_t kFileHeaderSize = 14;
    constexpr uint32_t kBitsOffset = kFileHeaderSize + 40 + 16 * 4;
    const uint32_t fileSize = kFileHeaderSize + static_cast<uint32_t>(N);
    std::vector<char> file = {'B', 'M'};
    for (uint32_t value : {fileSize, 0u, kBitsOffset})
        for (int i = 0; i < 4; ++i)
            file.push_back(static_cast<char>(value >> (8 * i)));
    file.insert(file.end(), resource.begin(), resource.end());
    std::ofstream out(path, std::ios::binary);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <3001.bmp> <3002.bmp>\n", argv[0]);
        return 2;
    }
    if (!WriteBitmapFile(argv[1], check_bitmaps::kCheckImages) ||
        !WriteBitmapFile(argv[2], check_bitmaps::kSmallCheckImages)) {
        std::perror("make-check-bitmaps");
        return 1;
    }
    return 0;
}
