// The system's icons (IDI_) and cursors (IDC_), drawn at 32 by 32: icons in colour on a transparent
// ground, cursors white with a black outline, as the classic ones look.
#include "Icons.h"

#include <cmath>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <string_view>

namespace emu::detail {
namespace {

constexpr int kSize = 32;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

using Art = std::initializer_list<std::string_view>;
using Shape = std::function<bool(int x, int y)>;

class Sketch {
public:
    explicit Sketch(bool isIcon) {
        m_icon.isIcon = isIcon;
        m_icon.width = m_icon.height = kSize;
        m_icon.image.assign(kSize * kSize, kBlack);
        m_icon.mask.assign(kSize * kSize, 1);
    }

    void Put(int x, int y, uint32_t color) {
        if (x < 0 || y < 0 || x >= kSize || y >= kSize)
            return;
        m_icon.image[static_cast<size_t>(y * kSize + x)] = color;
        m_icon.mask[static_cast<size_t>(y * kSize + x)] = 0;
    }
    // Fills the shape with `fill`, its edge (pixels with a neighbour outside) with `edge`.
    void Fill(const Shape& inside, uint32_t fill, uint32_t edge) {
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                if (inside(x, y)) {
                    bool border =
                        !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
                    Put(x, y, border ? edge : fill);
                }
    }
    // Art with its top left corner at (left, top): '#' black, '.' white, any other character leaves the
    // pixel as it is.
    void Draw(Art art, int left, int top) {
        int y = top;
        for (std::string_view row : art) {
            for (size_t i = 0; i < row.size(); ++i)
                if (row[i] == '#' || row[i] == '.')
                    Put(left + static_cast<int>(i), y, row[i] == '#' ? kBlack : kWhite);
            ++y;
        }
    }
    // Art in one colour: every '#' is `color`.
    void Stamp(Art art, int left, int top, uint32_t color) {
        int y = top;
        for (std::string_view row : art) {
            for (size_t i = 0; i < row.size(); ++i)
                if (row[i] == '#')
                    Put(left + static_cast<int>(i), y, color);
            ++y;
        }
    }
    Icon Take(POINT hotspot) {
        m_icon.hotspot = hotspot;
        return std::move(m_icon);
    }

private:
    Icon m_icon;
};

const Art kArrow = {
    "#",         "##",        "#.#",        "#..#",        "#...#",     "#....#",   "#.....#",
    "#......#",  "#.......#", "#........#", "#.....#####", "#..#..#",   "#.# #..#", "##  #..#",
    "#    #..#", "     #..#", "      #..#", "      #..#",  "       ##",
};
const Art kHourglass = {
    "###########", "#.........#", " #.......# ", " #.#.#.#.# ", "  #.#.#.#  ",
    "   #.#.#   ", "    #.#    ", "     #     ", "    #.#    ", "   #...#   ",
    "  #..#..#  ", " #...#...# ", " #..###..# ", "#.#######.#", "###########",
};
const Art kSmallHourglass = {
    "#######", "#.....#", " #.#.# ", "  #.#  ", "   #   ", "  #.#  ", " #.#.# ", "#.###.#", "#######",
};
const Art kHand = {
    "     ##",          "    #..#",         "    #..#",         "    #..#",         "    #..#",
    "    #..###",       "    #..#..###",    "    #..#..#..##",  " ####..#..#..#.#", "#...#........#.#",
    "#...#..........#", " #..#..........#", "  #............#", "  #...........#",  "   #..........#",
    "   #.........#",   "    #........#",   "    #........#",   "    ##########",
};
const Art kQuestion = {
    "  ######  ", " ######## ", "###    ###", "###    ###", "       ###", "      ### ", "     ###  ",
    "    ###   ", "    ###   ", "    ###   ", "          ", "    ###   ", "    ###   ", "    ###   ",
};
const Art kSmallQuestion = {
    " .... ", "..##..", "....#.", "...#..", "..#...", "......", "..#...", " .... ",
};
const Art kExclamation = {
    "####", "####", "####", "####", "####", "####", "####",
    "####", "####", "    ", "    ", "####", "####", "####",
};
const Art kInformation = {
    "####", "####", "####", "    ", "    ", "####", "####",
    "####", "####", "####", "####", "####", "####", "####",
};

bool InDisc(int x, int y, double radius) {
    double dx = x - 15.5, dy = y - 15.5;
    return dx * dx + dy * dy <= radius * radius;
}

// A shaft from (x0, y0) to (x1, y1) with an arrowhead at each end.
Shape DoubleArrow(int x0, int y0, int x1, int y1) {
    return [=](int x, int y) {
        double dx = x1 - x0, dy = y1 - y0, length = std::hypot(dx, dy);
        double along = ((x - x0) * dx + (y - y0) * dy) / length; // from the first end
        double across = std::abs((x - x0) * dy - (y - y0) * dx) / length;
        if (along < 0 || along > length)
            return false;
        double fromEnd = std::min(along, length - along);
        return across <= 1.0 || (fromEnd <= 5 && across <= fromEnd + 1);
    };
}

Icon ApplicationIcon() {
    Sketch sketch(true);
    sketch.Fill([](int x, int y) { return x >= 3 && x < 29 && y >= 4 && y < 28; }, kWhite, kBlack);
    sketch.Fill([](int x, int y) { return x >= 4 && x < 28 && y >= 5 && y < 9; }, 0x000080, 0x000080);
    for (int x = 6; x < 26; ++x) {
        sketch.Put(x, 12, 0x808080);
        sketch.Put(x, 16, 0x808080);
    }
    return sketch.Take({16, 16});
}

Icon DiscIcon(uint32_t color, Art glyph, int left, int top) {
    Sketch sketch(true);
    sketch.Fill([](int x, int y) { return InDisc(x, y, 14.5); }, color, kBlack);
    sketch.Stamp(glyph, left, top, kWhite);
    return sketch.Take({16, 16});
}

Icon HandIcon() {
    Sketch sketch(true);
    sketch.Fill([](int x, int y) { return InDisc(x, y, 14.5); }, 0xFF0000, 0x800000);
    sketch.Fill(
        [](int x, int y) { return InDisc(x, y, 9) && (std::abs(x - y) <= 1 || std::abs(x + y - 31) <= 1); },
        kWhite, kWhite);
    return sketch.Take({16, 16});
}

Icon ExclamationIcon() {
    Sketch sketch(true);
    sketch.Fill([](int x, int y) { return y >= 2 && y <= 29 && std::abs(x - 15.5) <= (y - 2) * 0.5 + 0.5; },
                0xFFFF00, kBlack);
    sketch.Stamp(kExclamation, 14, 11, kBlack);
    return sketch.Take({16, 16});
}

Icon ShapeCursor(const Shape& inside, POINT hotspot) {
    Sketch sketch(false);
    sketch.Fill(inside, kWhite, kBlack);
    return sketch.Take(hotspot);
}

Icon ArtCursor(std::initializer_list<std::pair<Art, POINT>> parts, POINT hotspot) {
    Sketch sketch(false);
    for (const auto& [art, at] : parts)
        sketch.Draw(art, at.x, at.y);
    return sketch.Take(hotspot);
}

} // namespace

std::optional<Icon> SystemIcon(WORD id, bool isIcon) {
    if (isIcon) {
        switch (id) {
        case 32512: // IDI_APPLICATION
        case 32517: // IDI_WINLOGO
            return ApplicationIcon();
        case 32513: // IDI_HAND
            return HandIcon();
        case 32514: // IDI_QUESTION
            return DiscIcon(0x0000C0, kQuestion, 11, 9);
        case 32515: // IDI_EXCLAMATION
            return ExclamationIcon();
        case 32516: // IDI_ASTERISK
            return DiscIcon(0x0000C0, kInformation, 14, 9);
        default:
            return std::nullopt;
        }
    }
    switch (id) {
    case 32512: // IDC_ARROW
        return ArtCursor({{kArrow, {0, 0}}}, {0, 0});
    case 32513: // IDC_IBEAM
        return ShapeCursor(
            [](int x, int y) {
                return (x >= 15 && x <= 17 && y >= 8 && y <= 24) ||
                       ((y <= 9 || y >= 23) && y >= 7 && y <= 25 && x >= 12 && x <= 20 && x != 16);
            },
            {16, 16});
    case 32514: // IDC_WAIT
        return ArtCursor({{kHourglass, {11, 9}}}, {16, 16});
    case 32515: // IDC_CROSS
        return ShapeCursor(
            [](int x, int y) {
                return (std::abs(x - 16) <= 1 && y >= 4 && y <= 28) ||
                       (std::abs(y - 16) <= 1 && x >= 4 && x <= 28);
            },
            {16, 16});
    case 32516: // IDC_UPARROW
        return ShapeCursor(
            [](int x, int y) {
                return (y >= 3 && y <= 12 && std::abs(x - 16) <= y - 3) ||
                       (y > 12 && y <= 28 && std::abs(x - 16) <= 2);
            },
            {16, 3});
    case 32642: // IDC_SIZENWSE
        return ShapeCursor(DoubleArrow(7, 7, 25, 25), {16, 16});
    case 32643: // IDC_SIZENESW
        return ShapeCursor(DoubleArrow(25, 7, 7, 25), {16, 16});
    case 32644: // IDC_SIZEWE
        return ShapeCursor(DoubleArrow(4, 16, 28, 16), {16, 16});
    case 32645: // IDC_SIZENS
        return ShapeCursor(DoubleArrow(16, 4, 16, 28), {16, 16});
    case 32646: { // IDC_SIZEALL
        Shape across = DoubleArrow(4, 16, 28, 16), down = DoubleArrow(16, 4, 16, 28);
        return ShapeCursor([=](int x, int y) { return across(x, y) || down(x, y); }, {16, 16});
    }
    case 32648: // IDC_NO
        return ShapeCursor(
            [](int x, int y) {
                return (InDisc(x, y, 12) && !InDisc(x, y, 9)) || (InDisc(x, y, 10) && std::abs(x - y) <= 2);
            },
            {16, 16});
    case 32649: // IDC_HAND
        return ArtCursor({{kHand, {0, 0}}}, {5, 0});
    case 32650: // IDC_APPSTARTING
        return ArtCursor({{kArrow, {0, 0}}, {kSmallHourglass, {12, 14}}}, {0, 0});
    case 32651: // IDC_HELP
        return ArtCursor({{kArrow, {0, 0}}, {kSmallQuestion, {13, 1}}}, {0, 0});
    default:
        return std::nullopt;
    }
}

} // namespace emu::detail
