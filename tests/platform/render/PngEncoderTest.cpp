// The real platform's PNG encoder: its files are read back by libpng and zlib, across the stored blocks'
// size limit, and pictures without pixels give no file.
#include "PngEncoder.h"

#include <emu/Picture.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// Every pixel distinct in each channel, so that a byte out of place shows.
emu::Picture Pattern(int width, int height) {
    emu::Picture picture{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.pixels.push_back(static_cast<uint32_t>((x * 7 + y) & 0xFF) << 16 |
                                     static_cast<uint32_t>((y * 13 + x) & 0xFF) << 8 |
                                     static_cast<uint32_t>((x ^ y) & 0xFF));
    return picture;
}

emu::Picture RoundTrip(const emu::Picture& picture) {
    std::vector<uint8_t> bytes = emu::detail::EncodePng(picture);
    std::string path =
        (std::filesystem::temp_directory_path() /
         ("png-encoder-" + std::to_string(picture.width) + "x" + std::to_string(picture.height) + ".png"))
            .string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    emu::Picture back = emu::LoadPicture(path);
    std::remove(path.c_str());
    return back;
}

uint32_t BigEndian(const std::vector<uint8_t>& bytes, size_t at) {
    return uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 | uint32_t{bytes[at + 2]} << 8 |
           bytes[at + 3];
}

TEST(PngEncoder, PicturesComeBackPixelForPixel) {
    // One pixel; odd sizes; rows that fill exactly one stored block (15 * (1 + 3 * 1456) = 65535 bytes);
    // one byte more than a block (16384 * (1 + 3)); several blocks.
    for (auto [width, height] : {std::pair{1, 1}, {7, 5}, {1456, 15}, {1, 16384}, {300, 200}}) {
        emu::Picture picture = Pattern(width, height);
        emu::Picture back = RoundTrip(picture);
        EXPECT_EQ(width, back.width);
        EXPECT_EQ(height, back.height);
        EXPECT_TRUE(back.pixels == picture.pixels) << width << "x" << height;
    }
}

TEST(PngEncoder, ChunkChecksumsAndTheStreamChecksumHold) {
    emu::Picture picture = Pattern(300, 200);
    std::vector<uint8_t> bytes = emu::detail::EncodePng(picture);
    ASSERT_GT(bytes.size(), 8u);
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), bytes.begin()));
    std::vector<std::string> types;
    std::vector<uint8_t> stream;
    for (size_t at = 8; at + 12 <= bytes.size();) {
        const uint32_t length = BigEndian(bytes, at);
        ASSERT_LE(at + 12 + length, bytes.size());
        types.emplace_back(reinterpret_cast<const char*>(&bytes[at + 4]), 4);
        EXPECT_EQ(crc32(0, &bytes[at + 4], length + 4), BigEndian(bytes, at + 8 + length)) << types.back();
        if (types.back() == "IDAT")
            stream.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at + 8),
                          bytes.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        at += 12 + length;
    }
    EXPECT_EQ((std::vector<std::string>{"IHDR", "IDAT", "IEND"}), types);
    // zlib checks the Adler-32 at the stream's end.
    std::vector<uint8_t> rows(200 * (1 + 3 * 300));
    uLongf size = static_cast<uLongf>(rows.size());
    ASSERT_EQ(Z_OK, uncompress(rows.data(), &size, stream.data(), static_cast<uLong>(stream.size())));
    EXPECT_EQ(rows.size(), size);
}

TEST(PngEncoder, PicturesWithoutPixelsGiveNoFile) {
    EXPECT_TRUE(emu::detail::EncodePng(emu::Picture{}).empty());
    EXPECT_TRUE(emu::detail::EncodePng(emu::Picture{0, 4, {}}).empty());
    emu::Picture short_ = Pattern(4, 4);
    short_.pixels.pop_back();
    EXPECT_TRUE(emu::detail::EncodePng(short_).empty()) << "fewer pixels than the size says";
}

} // namespace
