// The library's own resources: both check bitmaps and the version record, in the language they are declared
// in, and the small check images that nothing loads.
#include "BitmapPixels.h"
#include "LoadedLibrary.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr WORD kLanguage = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

class ResourcesTest : public testing::Test {
protected:
    void SetUp() override {
        emu::Reset();
        m_hLibrary = LoadLibraryA(kLibraryPath);
        ASSERT_NE(nullptr, m_hLibrary);
    }
    void TearDown() override { FreeLibrary(m_hLibrary); }

    // The header of a bitmap resource as the library holds it.
    BITMAPINFOHEADER BitmapHeader(WORD id) {
        HRSRC hInfo = FindResourceExA(m_hLibrary, RT_BITMAP, MAKEINTRESOURCEA(id), kLanguage);
        BITMAPINFOHEADER header = {};
        if (hInfo != nullptr && SizeofResource(m_hLibrary, hInfo) >= sizeof header)
            std::memcpy(&header, LockResource(LoadResource(m_hLibrary, hInfo)), sizeof header);
        return header;
    }

    HMODULE m_hLibrary = nullptr;
};

TEST_F(ResourcesTest, BothCheckBitmapsAndTheVersionRecordAreTheLibrarys) {
    BITMAPINFOHEADER large = BitmapHeader(3001);
    EXPECT_EQ(96, large.biWidth);
    EXPECT_EQ(16, large.biHeight);
    BITMAPINFOHEADER small = BitmapHeader(3002);
    EXPECT_EQ(33, small.biWidth);
    EXPECT_EQ(11, small.biHeight);
    EXPECT_EQ(4, small.biBitCount);
    EXPECT_NE(nullptr,
              FindResourceExA(m_hLibrary, VS_FILE_INFO, MAKEINTRESOURCEA(VS_VERSION_INFO), kLanguage));
    EXPECT_EQ(nullptr, FindResourceA(nullptr, MAKEINTRESOURCEA(3002), RT_BITMAP)) << "the host has none";
}

// '#' grey, '.' white, 'g' dark green, '?' any other colour; one row of each cell after the other, cells
// separated by '|'.
std::string Picture(HBITMAP hBitmap) {
    std::vector<uint32_t> pixels = BitmapPixels(hBitmap, 33, 11);
    if (pixels.empty())
        return "unreadable";
    std::string picture;
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 33; ++x) {
            uint32_t pixel = pixels[static_cast<size_t>(y * 33 + x)];
            picture += pixel == 0x808080 ? '#' : pixel == 0xFFFFFF ? '.' : pixel == 0x008000 ? 'g' : '?';
            if (x % 11 == 10)
                picture += x == 32 ? '\n' : '|';
        }
    }
    return picture;
}

TEST_F(ResourcesTest, TheSmallCheckImagesAreFramedCellsEmptyTickedAndSquared) {
    HBITMAP hBitmap = LoadBitmapA(m_hLibrary, MAKEINTRESOURCEA(3002));
    std::string picture = Picture(hBitmap);
    DeleteObject(hBitmap);
    // The tick's shape is the library's own; the frames, the empty cell and the square are fixed.
    std::string expected = "###########|###########|###########\n"
                           "#.........#|#.........#|#.........#\n"
                           "#.........#|#.......g.#|#.........#\n"
                           "#.........#|#......gg.#|#..ggggg..#\n"
                           "#.........#|#.g...ggg.#|#..ggggg..#\n"
                           "#.........#|#.gg.ggg..#|#..ggggg..#\n"
                           "#.........#|#.ggggg...#|#..ggggg..#\n"
                           "#.........#|#..ggg....#|#..ggggg..#\n"
                           "#.........#|#...g.....#|#.........#\n"
                           "#.........#|#.........#|#.........#\n"
                           "###########|###########|###########\n";
    EXPECT_EQ(expected, picture);
}

} // namespace
