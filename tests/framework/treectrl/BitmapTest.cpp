// CBitmap loading through the framework's resource search, and masked images from it. The bitmap 4001 comes
// from Bitmaps.rc: 4 by 2 pixels, white, red, red, white in each row.
#include <afxcmn.h>
#include <emu/Emu.h>
#include <emu/ImageListPixels.h>
#include <gtest/gtest.h>

#include <vector>

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
