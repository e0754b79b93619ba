// Image lists, the drag image of a tree item, and the emulated font's metrics.
#include "BitmapPixels.h"
#include "TreeFixture.h"

#include <emu/ImageListPixels.h>

namespace {

// A 32-bit bitmap from 0x00RRGGBB pixels, top row first.
HBITMAP Bitmap(int width, int height, const std::vector<uint32_t>& pixels) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return CreateDIBitmap(nullptr, &bi.bmiHeader, CBM_INIT, pixels.data(), &bi, DIB_RGB_COLORS);
}

constexpr uint32_t Red = 0xFF0000, White = 0xFFFFFF, Blue = 0x0000FF;

} // namespace

using ImageLists = TreeFixture;

TEST_F(ImageLists, AddCutsAStripIntoImages) {
    HIMAGELIST list = ImageList_Create(2, 1, ILC_COLOR32, 4, 4);
    ASSERT_NE(list, nullptr);
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 2);
    EXPECT_EQ(cy, 1);
    HBITMAP strip =
        Bitmap(5, 1, {Red, White, Blue, Red, White}); // two whole images; the fifth column is left
    EXPECT_EQ(ImageList_Add(list, strip, nullptr), 0);
    EXPECT_EQ(ImageList_Add(list, strip, nullptr), 2);
    EXPECT_EQ(ImageList_GetImageCount(list), 4);
    EXPECT_EQ(emu::ImageListPixels(list, 1), (std::vector<uint32_t>{0xFF000000 | Blue, 0xFF000000 | Red}));
    EXPECT_TRUE(ImageList_Remove(list, 0));
    EXPECT_EQ(ImageList_GetImageCount(list), 3);
    EXPECT_EQ(emu::ImageListPixels(list, 0)[0], 0xFF000000 | Blue);
    EXPECT_FALSE(ImageList_Remove(list, 3));
    EXPECT_TRUE(ImageList_Remove(list, -1));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    EXPECT_EQ(ImageList_Add(list, Bitmap(1, 1, {Red}), nullptr), -1) << "narrower than one image";
    DeleteObject(strip);
    ASSERT_TRUE(ImageList_Destroy(list));
}

// As documented, each pixel of the mask colour becomes transparent and turns black, in the list and in the
// caller's bitmap. Without ILC_MASK the list has no mask and takes the pixels as they are.
TEST_F(ImageLists, AddMaskedMakesTheColourTransparent) {
    HIMAGELIST masked = ImageList_Create(2, 2, ILC_MASK, 1, 1);
    HBITMAP bitmap = Bitmap(2, 2, {White, Red, Red, White});
    EXPECT_EQ(ImageList_AddMasked(masked, bitmap, RGB(255, 255, 255)), 0);
    EXPECT_EQ(emu::ImageListPixels(masked, 0),
              (std::vector<uint32_t>{0, 0xFF000000 | Red, 0xFF000000 | Red, 0}));
    EXPECT_EQ(BitmapPixels(bitmap, 2, 2), (std::vector<uint32_t>{0, Red, Red, 0}));

    HBITMAP corner = Bitmap(2, 1, {Blue, Red});
    EXPECT_EQ(ImageList_AddMasked(masked, corner, CLR_DEFAULT), 1) << "the top-left pixel names the colour";
    EXPECT_EQ(emu::ImageListPixels(masked, 1),
              (std::vector<uint32_t>{0, 0xFF000000 | Red, 0xFF000000, 0xFF000000}))
        << "rows the bitmap lacks are black";
    HIMAGELIST plain = ImageList_Create(2, 2, ILC_COLOR24, 1, 1);
    HBITMAP again = Bitmap(2, 2, {White, Red, Red, White});
    EXPECT_EQ(ImageList_AddMasked(plain, again, White), 0);
    EXPECT_EQ(emu::ImageListPixels(plain, 0)[0], 0xFF000000 | White);
    EXPECT_EQ(BitmapPixels(again, 2, 2)[0], White);
}

TEST_F(ImageLists, ImageInfoAndReplace) {
    HIMAGELIST list = ImageList_Create(2, 1, ILC_MASK | ILC_COLOR32, 2, 2);
    HBITMAP strip = Bitmap(4, 1, {Red, White, Blue, Blue});
    ImageList_AddMasked(list, strip, White);
    IMAGEINFO info{};
    ASSERT_TRUE(ImageList_GetImageInfo(list, 1, &info));
    EXPECT_EQ(info.rcImage.left, 2);
    EXPECT_EQ(info.rcImage.right, 4);
    EXPECT_EQ(info.rcImage.bottom, 1);
    BITMAP bm{};
    ASSERT_EQ(GetObjectA(info.hbmImage, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 4);
    EXPECT_EQ(BitmapPixels(info.hbmImage, 4, 1), (std::vector<uint32_t>{Red, 0, Blue, Blue}));
    EXPECT_EQ(BitmapPixels(info.hbmMask, 4, 1), (std::vector<uint32_t>{0, White, 0, 0}));
    EXPECT_FALSE(ImageList_GetImageInfo(list, 2, &info));

    EXPECT_TRUE(ImageList_Replace(list, 0, Bitmap(2, 1, {Blue, Red}), nullptr));
    EXPECT_EQ(emu::ImageListPixels(list, 0), (std::vector<uint32_t>{0xFF000000 | Blue, 0xFF000000 | Red}));
    EXPECT_FALSE(ImageList_Replace(list, 5, strip, nullptr));
    EXPECT_TRUE(ImageList_SetImageCount(list, 3));
    EXPECT_EQ(ImageList_GetImageCount(list), 3);
}

TEST_F(ImageLists, StaleAndForeignHandlesFail) {
    HIMAGELIST list = ImageList_Create(4, 4, ILC_MASK, 1, 1);
    ASSERT_TRUE(ImageList_Destroy(list));
    HBITMAP bitmap = Bitmap(4, 4, std::vector<uint32_t>(16, Red));
    for (HIMAGELIST bad :
         {list, static_cast<HIMAGELIST>(nullptr), reinterpret_cast<HIMAGELIST>(0xdeadbeef)}) {
        int cx, cy;
        IMAGEINFO info;
        EXPECT_FALSE(ImageList_Destroy(bad));
        EXPECT_EQ(ImageList_Add(bad, bitmap, nullptr), -1);
        EXPECT_EQ(ImageList_AddMasked(bad, bitmap, Red), -1);
        EXPECT_EQ(ImageList_GetImageCount(bad), 0);
        EXPECT_FALSE(ImageList_GetIconSize(bad, &cx, &cy));
        EXPECT_FALSE(ImageList_GetImageInfo(bad, 0, &info));
        EXPECT_FALSE(ImageList_Remove(bad, -1));
        EXPECT_TRUE(emu::ImageListPixels(bad, 0).empty());
    }
    HIMAGELIST next = ImageList_Create(4, 4, ILC_MASK, 1, 1);
    EXPECT_NE(next, list) << "a destroyed handle is not handed out again at once";
    EXPECT_EQ(ImageList_Create(0, 4, ILC_MASK, 1, 1), nullptr);
}

TEST_F(ImageLists, ResetDestroysTheLists) {
    HIMAGELIST list = ImageList_Create(4, 4, ILC_MASK, 1, 1);
    emu::Reset();
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    EXPECT_FALSE(ImageList_Destroy(list));
}

// Image 0 of the drag image shows the item's image, then its label in black on white.
TEST_F(ImageLists, DragImageShowsTheItem) {
    HTREEITEM a = Add("ab");
    EXPECT_EQ(Send(TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(a)), 0) << "no normal image list";
    HIMAGELIST icons = ImageList_Create(16, 16, ILC_MASK | ILC_COLOR32, 2, 2);
    std::vector<uint32_t> art(32 * 16, White);
    for (int y = 0; y < 16; ++y)
        art[static_cast<size_t>(y) * 32 + 16 + 8] = Blue; // image 1: a blue column at x 8
    ImageList_AddMasked(icons, Bitmap(32, 16, art), White);
    Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(icons));
    TVITEMA set{TVIF_IMAGE, a, 0, 0, nullptr, 0, 1, 1, 0, 0};
    Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set));

    auto drag = reinterpret_cast<HIMAGELIST>(Send(TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(a)));
    ASSERT_NE(drag, nullptr);
    EXPECT_NE(drag, icons);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(drag, &cx, &cy);
    EXPECT_EQ(cx, 16 + 12 + 4);
    EXPECT_EQ(cy, 16);
    EXPECT_EQ(ImageList_GetImageCount(drag), 1);
    std::vector<uint32_t> pixels = emu::ImageListPixels(drag, 0);
    EXPECT_EQ(pixels[5 * 32 + 8], 0xFF000000 | Blue);
    EXPECT_EQ(pixels[5 * 32 + 7], 0u) << "the image's transparent parts stay transparent";
    EXPECT_EQ(pixels[0 * 32 + 16], 0xFFFFFFFF) << "the label's background";
    int black = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 32; ++x)
            black += pixels[static_cast<size_t>(y) * 32 + x] == 0xFF000000;
    EXPECT_GT(black, 10) << "the label's glyphs";
    EXPECT_TRUE(ImageList_Destroy(drag)) << "the caller owns the new list";
    EXPECT_EQ(ImageList_GetImageCount(icons), 2);
}

TEST_F(ImageLists, FixedFontMetrics) {
    HDC dc = reinterpret_cast<HDC>(1);
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32A(dc, "abcd", 4, &size));
    EXPECT_EQ(size.cx, 24);
    EXPECT_EQ(size.cy, 13);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(dc, &tm));
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmAveCharWidth, 6);
    EXPECT_EQ(tm.tmMaxCharWidth, 6);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "a clear bit means fixed pitch";
    EXPECT_FALSE(GetTextExtentPoint32A(nullptr, "a", 1, &size));
    EXPECT_FALSE(GetTextMetricsA(nullptr, &tm));
}
