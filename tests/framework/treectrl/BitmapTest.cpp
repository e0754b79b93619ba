// CBitmap loading through the framework's resource search, and masked images from it.
#include <afxcmn.h>
#include <emu/Emu.h>
#include <emu/ImageListPixels.h>
#include <emu/Resources.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

// A packed 24-bit DIB of 4 x 2 pixels, bottom-up: white, red, red, white in each row.
std::vector<BYTE> PackedDib() {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = 4;
    header.biHeight = 2;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    std::vector<BYTE> out(reinterpret_cast<BYTE*>(&header), reinterpret_cast<BYTE*>(&header) + sizeof header);
    const BYTE row[12] = {255, 255, 255, 0, 0, 255, 0, 0, 255, 255, 255, 255};
    for (int r = 0; r < 2; ++r)
        out.insert(out.end(), row, row + 12);
    return out;
}

const std::vector<BYTE> g_dib = PackedDib();
EMU_RESOURCE(RT_BITMAP, MAKEINTRESOURCEA(4001), 0, g_dib.data(), g_dib.size());

} // namespace

TEST(Bitmap, LoadsFromTheModulesResourcesAndFreesOnDestruction) {
    emu::Reset();
    HBITMAP handle;
    {
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.LoadBitmap(4001));
        BITMAP bm{};
        ASSERT_TRUE(bitmap.GetBitmap(&bm));
        EXPECT_EQ(bm.bmWidth, 4);
        EXPECT_EQ(bm.bmHeight, 2);
        EXPECT_FALSE(bitmap.LoadBitmap(4001)) << "the object already holds a bitmap";
        handle = bitmap;

        CImageList list;
        ASSERT_TRUE(list.Create(2, 2, ILC_MASK, 2, 2));
        EXPECT_EQ(list.Add(&bitmap, RGB(255, 255, 255)), 0);
        EXPECT_EQ(list.GetImageCount(), 2);
        EXPECT_EQ(emu::ImageListPixels(list.GetSafeHandle(), 1),
                  (std::vector<uint32_t>{0xFFFF0000u, 0, 0xFFFF0000u, 0}));
    }
    BITMAP bm{};
    EXPECT_EQ(GetObjectA(handle, sizeof bm, &bm), 0) << "the destructor deleted the bitmap";

    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(4002));
    EXPECT_EQ(missing.GetSafeHandle(), nullptr);
    EXPECT_FALSE(missing.DeleteObject());

    CImageList fromResource;
    ASSERT_TRUE(fromResource.Create(4001, 2, 1, RGB(255, 255, 255)));
    EXPECT_EQ(fromResource.GetImageCount(), 2);
    EXPECT_EQ(emu::ImageListPixels(fromResource.GetSafeHandle(), 0)[0], 0u);
}
