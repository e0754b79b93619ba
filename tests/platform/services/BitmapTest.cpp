// Bitmaps: DIB resources of every depth decoded by LoadBitmap and read back through GetDIBits.
#include <emu/Emu.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const char anchor = 0;

using Pixels = std::vector<uint32_t>; // 0xRRGGBB, rows from the top

void PutWord(std::vector<BYTE>& out, size_t at, uint32_t value) {
    out[at] = static_cast<BYTE>(value);
    out[at + 1] = static_cast<BYTE>(value >> 8);
}
void PutDword(std::vector<BYTE>& out, size_t at, uint32_t value) {
    PutWord(out, at, value);
    PutWord(out, at + 2, value >> 16);
}

struct DibLayout {
    int width = 5;
    int height = 3;
    int bitCount = 24;
    bool topDown = false;
    DWORD compression = BI_RGB;
    std::vector<uint32_t> palette;
    std::vector<uint32_t> masks;  // BI_BITFIELDS
    std::vector<uint32_t> values; // rows from the top: palette indices, or 0xRRGGBB, or raw 16-bit values
    std::vector<BYTE> rle;        // compressed bits instead of values
};

// A packed DIB as an RT_BITMAP resource holds it: header, masks, colour table, bits.
std::vector<BYTE> Pack(const DibLayout& layout) {
    std::vector<BYTE> out(40);
    PutDword(out, 0, 40);
    PutDword(out, 4, static_cast<uint32_t>(layout.width));
    PutDword(out, 8, static_cast<uint32_t>(layout.topDown ? -layout.height : layout.height));
    PutWord(out, 12, 1);
    PutWord(out, 14, static_cast<uint32_t>(layout.bitCount));
    PutDword(out, 16, layout.compression);
    PutDword(out, 20, static_cast<uint32_t>(layout.rle.size()));
    PutDword(out, 32, static_cast<uint32_t>(layout.palette.size()));
    for (uint32_t mask : layout.masks) {
        out.resize(out.size() + 4);
        PutDword(out, out.size() - 4, mask);
    }
    for (uint32_t colour : layout.palette) {
        out.push_back(static_cast<BYTE>(colour));
        out.push_back(static_cast<BYTE>(colour >> 8));
        out.push_back(static_cast<BYTE>(colour >> 16));
        out.push_back(0);
    }
    if (!layout.rle.empty()) {
        out.insert(out.end(), layout.rle.begin(), layout.rle.end());
        return out;
    }
    size_t stride = (static_cast<size_t>(layout.width) * layout.bitCount + 31) / 32 * 4;
    size_t start = out.size();
    out.resize(start + stride * layout.height);
    for (int line = 0; line < layout.height; ++line) {
        int y = layout.topDown ? line : layout.height - 1 - line;
        size_t row = start + stride * line;
        for (int x = 0; x < layout.width; ++x) {
            uint32_t v = layout.values[static_cast<size_t>(y) * layout.width + x];
            switch (layout.bitCount) {
            case 1:
                out[row + x / 8] |= static_cast<BYTE>(v << (7 - x % 8));
                break;
            case 4:
                out[row + x / 2] |= static_cast<BYTE>(x % 2 ? v : v << 4);
                break;
            case 8:
                out[row + x] = static_cast<BYTE>(v);
                break;
            case 16:
                PutWord(out, row + 2 * x, v);
                break;
            case 24:
                out[row + 3 * x] = static_cast<BYTE>(v);
                out[row + 3 * x + 1] = static_cast<BYTE>(v >> 8);
                out[row + 3 * x + 2] = static_cast<BYTE>(v >> 16);
                break;
            default:
                PutDword(out, row + 4 * x, v);
                break;
            }
        }
    }
    return out;
}

// Declared while the program starts, as a module's own resources are.
const std::vector<BYTE> declaredDib = Pack([] {
    DibLayout layout;
    layout.width = 2, layout.height = 1;
    layout.values = {0x123456, 0xABCDEF};
    return layout;
}());
EMU_RESOURCE(RT_BITMAP, MAKEINTRESOURCEA(4998), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), declaredDib.data(),
             declaredDib.size());

HBITMAP LoadFromResource(const std::vector<BYTE>& dib) {
    static int next = 5000;
    int id = next++;
    emu::AddResource(&anchor, RT_BITMAP, MAKEINTRESOURCEA(id), 0, dib.data(), dib.size());
    return LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
}

// The screen's device context, which stays valid for the whole program.
HDC Screen() {
    static HDC screen = GetDC(nullptr);
    return screen;
}

// The bitmap's pixels through GetDIBits as a 32-bit DIB, read top-down or bottom-up.
Pixels Read(HBITMAP bitmap, bool topDown = true) {
    BITMAP info{};
    if (GetObjectA(bitmap, sizeof info, &info) != sizeof info)
        return {};
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = topDown ? -info.bmHeight : info.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    Pixels bits(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    int lines = GetDIBits(Screen(), bitmap, 0, static_cast<UINT>(info.bmHeight), bits.data(), &header,
                          DIB_RGB_COLORS);
    if (lines != info.bmHeight)
        return {};
    for (uint32_t& pixel : bits)
        pixel &= 0xFFFFFF;
    return bits;
}

Pixels Rows(int width, std::initializer_list<Pixels> rows) {
    Pixels out;
    for (const Pixels& row : rows) {
        EXPECT_EQ(row.size(), static_cast<size_t>(width));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

constexpr uint32_t red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, white = 0xFFFFFF, black = 0,
                   grey = 0x808080;

class Bitmaps : public ::testing::Test {
protected:
    void SetUp() override {
        emu::Reset();
        SetLastError(0);
    }
};

struct DepthCase {
    int bitCount;
    bool topDown;
};

class BitmapDepths : public Bitmaps, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(BitmapDepths, LoadBitmapDecodesEveryDepthWithItsPaletteAndOrientation) {
    DibLayout layout;
    layout.bitCount = GetParam().bitCount;
    layout.topDown = GetParam().topDown;
    Pixels expected;
    for (int y = 0; y < layout.height; ++y) {
        for (int x = 0; x < layout.width; ++x) {
            if (layout.bitCount <= 8) {
                // A short palette for 8 bits (biClrUsed), the full one for 1 and 4.
                size_t entries = layout.bitCount == 8 ? 20 : size_t{1} << layout.bitCount;
                if (layout.palette.empty())
                    for (size_t i = 0; i < entries; ++i)
                        layout.palette.push_back(static_cast<uint32_t>(0x102030 * (i + 1)) & 0xFFFFFF);
                uint32_t index = static_cast<uint32_t>(x * 3 + y * 7) % entries;
                layout.values.push_back(index);
                expected.push_back(layout.palette[index]);
            } else if (layout.bitCount == 16) {
                uint32_t r = (x * 7) & 31, g = (y * 11 + x) & 31, b = 31 - x;
                layout.values.push_back(r << 10 | g << 5 | b);
                auto expand = [](uint32_t v) { return v << 3 | v >> 2; };
                expected.push_back(expand(r) << 16 | expand(g) << 8 | expand(b));
            } else {
                uint32_t colour = static_cast<uint32_t>((x * 50) << 16 | (y * 90 + 5) << 8 | (255 - x * 20));
                layout.values.push_back(colour);
                expected.push_back(colour);
            }
        }
    }
    HBITMAP bitmap = LoadFromResource(Pack(layout));
    ASSERT_NE(bitmap, nullptr);

    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 5);
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_EQ(info.bmBitsPixel, 32) << "compatible with the screen";
    EXPECT_EQ(info.bmWidthBytes, 20);
    EXPECT_EQ(info.bmPlanes, 1);
    EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));

    EXPECT_EQ(Read(bitmap, true), expected);
    Pixels bottomUp = Read(bitmap, false);
    for (int y = 0; y < 3; ++y)
        EXPECT_TRUE(std::equal(bottomUp.begin() + y * 5, bottomUp.begin() + y * 5 + 5,
                               expected.begin() + (2 - y) * 5));
    EXPECT_TRUE(DeleteObject(bitmap));
}

INSTANTIATE_TEST_SUITE_P(AllDepths, BitmapDepths,
                         ::testing::Values(DepthCase{1, false}, DepthCase{1, true}, DepthCase{4, false},
                                           DepthCase{4, true}, DepthCase{8, false}, DepthCase{8, true},
                                           DepthCase{16, false}, DepthCase{16, true}, DepthCase{24, false},
                                           DepthCase{24, true}, DepthCase{32, false}, DepthCase{32, true}),
                         [](const auto& info) {
                             return std::to_string(info.param.bitCount) +
                                    (info.param.topDown ? "TopDown" : "BottomUp");
                         });

TEST_F(Bitmaps, BitFieldsMasksChooseTheChannels) {
    DibLayout layout;
    layout.width = 2, layout.height = 1, layout.bitCount = 16, layout.compression = BI_BITFIELDS;
    layout.masks = {0xF800, 0x07E0, 0x001F}; // 5-6-5
    layout.values = {0xF800, 0x07E0 | 0x001F};
    EXPECT_EQ(Read(LoadFromResource(Pack(layout))), (Pixels{red, 0x00FFFF}));

    layout.bitCount = 32;
    layout.masks = {0x000000FF, 0x0000FF00, 0x00FF0000}; // red in the low byte
    layout.values = {0x0000FF, 0x00FF00};
    EXPECT_EQ(Read(LoadFromResource(Pack(layout))), (Pixels{red, green}));
}

TEST_F(Bitmaps, RunLengthEncodedBitsAreDecoded) {
    DibLayout layout;
    layout.width = 4, layout.height = 3, layout.bitCount = 8, layout.compression = BI_RLE8;
    layout.palette = {black, red, green, blue};
    layout.rle = {4, 1, 0, 0,       // bottom line: four red, end of line
                  0, 3, 2, 3, 1, 0, // absolute run green, blue, red (padded), ...
                  1, 2, 0, 0,       // ... one green, end of line
                  0, 2, 1, 0,       // delta: one to the right, top line
                  2, 3, 0, 1};      // two blue, end of bitmap
    EXPECT_EQ(Read(LoadFromResource(Pack(layout))),
              Rows(4, {{black, blue, blue, black}, {green, blue, red, green}, {red, red, red, red}}));

    layout.bitCount = 4, layout.compression = BI_RLE4;
    layout.rle = {4, 0x12, 0,    0,    // red, green, red, green
                  0, 3,    0x32, 0x10, // absolute run blue, green, red
                  0, 1};
    layout.height = 2;
    EXPECT_EQ(Read(LoadFromResource(Pack(layout))),
              Rows(4, {{blue, green, red, black}, {red, green, red, green}}));
}

TEST_F(Bitmaps, MalformedOrTruncatedDibsAreRefused) {
    DibLayout good;
    good.bitCount = 8;
    good.palette = {black, white};
    good.values.assign(15, 1);
    ASSERT_NE(LoadFromResource(Pack(good)), nullptr);

    auto corrupt = [&](auto change) {
        std::vector<BYTE> dib = Pack(good);
        change(dib);
        return dib;
    };
    DibLayout rle = good;
    rle.compression = BI_RLE8;
    rle.rle = {5, 1, 0, 0, 5, 1, 0, 0, 0, 5, 1}; // an absolute run that the data does not hold
    DibLayout rleTopDown = rle;
    rleTopDown.topDown = true;
    rleTopDown.rle = {5, 1, 0, 0, 5, 1, 0, 0, 5, 1, 0, 1};
    DibLayout fields = good;
    fields.bitCount = 24, fields.compression = BI_BITFIELDS, fields.masks = {0xFF, 0xFF00, 0xFF0000};

    std::vector<std::pair<std::string, std::vector<BYTE>>> cases = {
        {"header cut short", corrupt([](auto& d) { d.resize(20); })},
        {"header size 39", corrupt([](auto& d) { PutDword(d, 0, 39); })},
        {"7 bits per pixel", corrupt([](auto& d) { PutWord(d, 14, 7); })},
        {"2 planes", corrupt([](auto& d) { PutWord(d, 12, 2); })},
        {"width 0", corrupt([](auto& d) { PutDword(d, 4, 0); })},
        {"negative width", corrupt([](auto& d) { PutDword(d, 4, static_cast<uint32_t>(-5)); })},
        {"height 0", corrupt([](auto& d) { PutDword(d, 8, 0); })},
        {"more colours than 8 bits hold", corrupt([](auto& d) { PutDword(d, 32, 300); })},
        {"colour table beyond the data", corrupt([](auto& d) { PutDword(d, 32, 256); })},
        {"bits one byte short", corrupt([](auto& d) { d.pop_back(); })},
        {"unknown compression", corrupt([](auto& d) { PutDword(d, 16, 4); })},
        {"too large to allocate", corrupt([](auto& d) { PutDword(d, 4, 100000), PutDword(d, 8, 100000); })},
        {"run-length bits without their end", Pack(rle)},
        {"run-length bits top-down", Pack(rleTopDown)},
        {"bit fields for 24 bits", Pack(fields)},
    };
    for (const auto& [name, dib] : cases) {
        SetLastError(0);
        EXPECT_EQ(LoadFromResource(dib), nullptr) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << name;
    }
}

TEST_F(Bitmaps, DeclaredBitmapsLoadAndMissingOrSystemBitmapsAreNotFound) {
    EXPECT_EQ(Read(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(4998))),
              (Pixels{0x123456, 0xABCDEF}));
    EXPECT_EQ(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(4999)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCEA(32754)), nullptr);
}

TEST_F(Bitmaps, GetDIBitsDescribesTheBitmapWhenAskedWithoutBits) {
    HBITMAP bitmap = CreateBitmap(7, 4, 1, 1, nullptr);
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    ASSERT_NE(GetDIBits(Screen(), bitmap, 0, 0, nullptr, &header, DIB_RGB_COLORS), 0);
    EXPECT_EQ(header.bmiHeader.biWidth, 7);
    EXPECT_EQ(header.bmiHeader.biHeight, 4);
    EXPECT_EQ(header.bmiHeader.biBitCount, 1);
    EXPECT_EQ(header.bmiHeader.biPlanes, 1);
    EXPECT_EQ(header.bmiHeader.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(header.bmiHeader.biSizeImage, 16u) << "4 rows of 4 bytes";

    header.bmiHeader.biBitCount = 24;
    ASSERT_NE(GetDIBits(Screen(), bitmap, 0, 0, nullptr, &header, DIB_RGB_COLORS), 0);
    EXPECT_EQ(header.bmiHeader.biSizeImage, 4u * 24) << "rows of 21 bytes padded to 24";
}

TEST_F(Bitmaps, GetDIBitsNeedsALiveDeviceContext) {
    HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    BITMAPINFO header{};
    header.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    uint32_t bits[4] = {};
    EXPECT_EQ(GetDIBits(nullptr, bitmap, 0, 2, bits, &header, DIB_RGB_COLORS), 0);
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetDIBits(memory, bitmap, 0, 2, bits, &header, DIB_RGB_COLORS), 2);
    DeleteDC(memory);
    EXPECT_EQ(GetDIBits(memory, bitmap, 0, 2, bits, &header, DIB_RGB_COLORS), 0) << "a deleted one";
}

TEST_F(Bitmaps, MonochromeBitmapsFromCreateBitmapHoldBlackAndWhite) {
    // Device-dependent rows are padded to 16 bits: 0b10100000, 0b01000000 pad, then the second row.
    const BYTE bits[] = {0xA0, 0x00, 0x40, 0x00};
    HBITMAP bitmap = CreateBitmap(3, 2, 1, 1, bits);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(info.bmWidthBytes, 2);
    EXPECT_EQ(Read(bitmap), Rows(3, {{white, black, white}, {black, white, black}}));

    // Read back as a 1-bit DIB: the colour table is black and white.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } mono{};
    mono.header = {sizeof(BITMAPINFOHEADER), 3, -2, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
    BYTE out[8] = {};
    EXPECT_EQ(GetDIBits(Screen(), bitmap, 0, 2, out, reinterpret_cast<BITMAPINFO*>(&mono), DIB_RGB_COLORS),
              2);
    EXPECT_EQ(out[0], 0xA0);
    EXPECT_EQ(out[4], 0x40);
    EXPECT_EQ(mono.colours[1].rgbRed, 0xFF);

    HBITMAP empty = CreateBitmap(0, 5, 1, 32, nullptr);
    ASSERT_EQ(GetObjectA(empty, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth * 100 + info.bmHeight * 10 + info.bmBitsPixel, 111) << "1 x 1, monochrome";
    EXPECT_EQ(CreateBitmap(-1, 5, 1, 32, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(Bitmaps, CreateDIBitmapAndSetDIBitsConvertColoursIntoTheBitmap) {
    DibLayout layout;
    layout.width = 2, layout.height = 2, layout.bitCount = 4;
    layout.palette = {black, red, green, blue, grey};
    layout.values = {1, 2, 3, 4};
    std::vector<BYTE> dib = Pack(layout);
    auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
    const BYTE* bits = dib.data() + 40 + 5 * 4;

    HBITMAP bitmap = CreateDIBitmap(nullptr, &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(Read(bitmap), Rows(2, {{red, green}, {blue, grey}}));

    HBITMAP blank = CreateDIBitmap(nullptr, &info->bmiHeader, 0, nullptr, nullptr, 0);
    EXPECT_EQ(Read(blank), Rows(2, {{black, black}, {black, black}}));

    // One scan line from the bottom, starting at line 1: the top row.
    const BYTE topRow[4] = {0x44, 0, 0, 0};
    EXPECT_EQ(SetDIBits(nullptr, blank, 1, 1, topRow, info, DIB_RGB_COLORS), 1);
    EXPECT_EQ(Read(blank), Rows(2, {{grey, grey}, {black, black}}));

    // A monochrome bitmap takes the nearer of black and white.
    HBITMAP mono = CreateBitmap(2, 2, 1, 1, nullptr);
    EXPECT_EQ(SetDIBits(nullptr, mono, 0, 2, bits, info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(Read(mono), Rows(2, {{black, black}, {black, white}}));
}

TEST_F(Bitmaps, DeletedAndForeignHandlesFail) {
    HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    EXPECT_LE(reinterpret_cast<uintptr_t>(bitmap), UINT32_MAX);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteObject(bitmap));
    BITMAP info{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof info, &info), 0);
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    EXPECT_EQ(GetDIBits(Screen(), bitmap, 0, 0, nullptr, &header, DIB_RGB_COLORS), 0);
    EXPECT_EQ(SetDIBits(nullptr, bitmap, 0, 0, nullptr, &header, DIB_RGB_COLORS), 0);

    HBITMAP next = CreateBitmap(2, 2, 1, 32, nullptr);
    EXPECT_NE(next, bitmap) << "not reused at once";
    HMENU menu = CreateMenu();
    EXPECT_EQ(GetObjectType(menu), 0u);
    EXPECT_FALSE(DeleteObject(menu));
    EXPECT_TRUE(IsMenu(menu));

    emu::Reset();
    EXPECT_EQ(GetObjectType(next), 0u) << "a reset deletes every GDI object";
}

} // namespace
