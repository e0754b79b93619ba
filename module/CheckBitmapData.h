// The library's check bitmaps as the pictures are drawn. Each cell is drawn below as text ('.' white, '#'
// grey, 'g' dark green, row 0 at the top); the compiler turns the cells, left to right, into what a bitmap
// resource holds: a BITMAPINFOHEADER, the standard 16-colour palette, and 4-bit rows from the bottom up. A
// build tool (MakeCheckBitmaps.cpp) writes them out as the bitmap files that the library's resource script
// names.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace check_bitmaps {

template <int Cy> using Picture = std::array<std::string_view, Cy>;

constexpr Picture<16> kBox = {
    "................", //
    "................", //
    "..############..", //
    "..#..........#..", //
    "..#..........#..", //
    "..#..........#..", //
    "..#..........#..", //
    "..#..........#..", //
    "..#..........#..", //
    "..#..........#..", //
    "..#..........#..", //
    "..#..........#..", //
    "..#..........#..", //
    "..############..", //
    "................", //
    "................", //
};

constexpr Picture<16> kTickBox = {
    "................", //
    "................", //
    "..############..", //
    "..#..........#..", //
    "..#..........#..", //
    "..#.......g..#..", //
    "..#......gg..#..", //
    "..#.g...ggg..#..", //
    "..#.gg.ggg...#..", //
    "..#.ggggg....#..", //
    "..#..ggg.....#..", //
    "..#...g......#..", //
    "..#..........#..", //
    "..############..", //
    "................", //
    "................", //
};

constexpr Picture<16> kSquareBox = {
    "................", //
    "................", //
    "..############..", //
    "..#..........#..", //
    "..#..........#..", //
    "..#..gggggg..#..", //
    "..#..gggggg..#..", //
    "..#..gggggg..#..", //
    "..#..gggggg..#..", //
    "..#..gggggg..#..", //
    "..#..gggggg..#..", //
    "..#..........#..", //
    "..#..........#..", //
    "..############..", //
    "................", //
    "................", //
};

constexpr Picture<11> kSmallBox = {
    "###########", //
    "#.........#", //
    "#.........#", //
    "#.........#", //
    "#.........#", //
    "#.........#", //
    "#.........#", //
    "#.........#", //
    "#.........#", //
    "#.........#", //
    "###########", //
};

constexpr Picture<11> kSmallTickBox = {
    "###########", //
    "#.........#", //
    "#.......g.#", //
    "#......gg.#", //
    "#.g...ggg.#", //
    "#.gg.ggg..#", //
    "#.ggggg...#", //
    "#..ggg....#", //
    "#...g.....#", //
    "#.........#", //
    "###########", //
};

constexpr Picture<11> kSmallSquareBox = {
    "###########", //
    "#.........#", //
    "#.........#", //
    "#..ggggg..#", //
    "#..ggggg..#", //
    "#..ggggg..#", //
    "#..ggggg..#", //
    "#..ggggg..#", //
    "#.........#", //
    "#.........#", //
    "###########", //
};

// The standard 16-colour palette, red, green and blue.
constexpr BYTE kPalette[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                  {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                  {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                  {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

constexpr BYTE PaletteIndex(char c) {
    switch (c) {
    case '#':
        return 8;
    case 'g':
        return 2;
    default:
        return 15;
    }
}

template <int Cy> constexpr bool WellFormed(const Picture<Cy>& picture, size_t width) {
    for (std::string_view row : picture) {
        if (row.size() != width)
            return false;
        for (char c : row)
            if (c != '.' && c != '#' && c != 'g')
                return false;
    }
    return true;
}

template <size_t N>
constexpr void PutLittleEndian(std::array<BYTE, N>& data, size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        data[at + static_cast<size_t>(i)] = static_cast<BYTE>(value >> (8 * i));
}

constexpr size_t kInfoSize = 40;
constexpr size_t kPaletteSize = 16 * 4;

constexpr size_t Stride(size_t width) {
    return (width * 4 + 31) / 32 * 4;
}

template <size_t Cx, int Cy, size_t Cells>
constexpr auto MakeBitmap(const std::array<Picture<Cy>, Cells>& cells) {
    constexpr size_t width = Cx * Cells;
    constexpr size_t height = static_cast<size_t>(Cy);
    std::array<BYTE, kInfoSize + kPaletteSize + Stride(width) * height> data{};
    PutLittleEndian(data, 0, kInfoSize, 4);
    PutLittleEndian(data, 4, width, 4);
    PutLittleEndian(data, 8, height, 4);
    PutLittleEndian(data, 12, 1, 2);
    PutLittleEndian(data, 14, 4, 2);
    PutLittleEndian(data, 16, BI_RGB, 4);
    PutLittleEndian(data, 20, static_cast<uint32_t>(Stride(width) * height), 4);
    for (size_t i = 0; i < 16; ++i) {
        data[kInfoSize + 4 * i] = kPalette[i][2];
        data[kInfoSize + 4 * i + 1] = kPalette[i][1];
        data[kInfoSize + 4 * i + 2] = kPalette[i][0];
    }
    for (size_t row = 0; row < height; ++row) {
        size_t y = height - 1 - row;
        size_t start = kInfoSize + kPaletteSize + row * Stride(width);
        for (size_t x = 0; x < width; ++x) {
            BYTE index = PaletteIndex(cells[x / Cx][y][x % Cx]);
            data[start + x / 2] |= static_cast<BYTE>(x % 2 == 0 ? index << 4 : index);
        }
    }
    return data;
}

static_assert(WellFormed<16>(kBox, 16) && WellFormed<16>(kTickBox, 16) && WellFormed<16>(kSquareBox, 16));
static_assert(WellFormed<11>(kSmallBox, 11) && WellFormed<11>(kSmallTickBox, 11) &&
              WellFormed<11>(kSmallSquareBox, 11));

// Each check state has two images, so that an even image and the odd one after it look the same.
constexpr auto kCheckImages = MakeBitmap<16, 16, 6>({kBox, kBox, kTickBox, kTickBox, kSquareBox, kSquareBox});
constexpr auto kSmallCheckImages = MakeBitmap<11, 11, 3>({kSmallBox, kSmallTickBox, kSmallSquareBox});

} // namespace check_bitmaps
