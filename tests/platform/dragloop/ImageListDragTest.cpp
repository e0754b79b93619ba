// The image-list drag functions: one drag at a time with its own copy of the image, a cursor image that
// grows it, and entering, moving, showing and leaving as the state a user would see.
#include <emu/DragImage.h>
#include <emu/Emu.h>
#include <emu/ImageListPixels.h>

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;

class ImageListDrag : public ::testing::Test {
protected:
    void SetUp() override { emu::Reset(); }
    void TearDown() override { emu::Reset(); }

    // A list of `count` images of cx by cy, image k filled with colours[k].
    static HIMAGELIST MakeList(int cx, int cy, const std::vector<uint32_t>& colours) {
        int count = static_cast<int>(colours.size());
        std::vector<uint32_t> strip(static_cast<size_t>(cx * count * cy));
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx * count; ++x)
                strip[static_cast<size_t>(y * cx * count + x)] = colours[static_cast<size_t>(x / cx)];
        HBITMAP bitmap = CreateBitmap(cx * count, cy, 1, 32, strip.data());
        HIMAGELIST list = ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, count, 1);
        ImageList_Add(list, bitmap, nullptr);
        DeleteObject(bitmap);
        return list;
    }
};

TEST_F(ImageListDrag, ASecondBeginDragFailsAndKeepsTheFirst) {
    HIMAGELIST first = MakeList(16, 16, {kRed, kBlue});
    HIMAGELIST second = MakeList(32, 8, {kBlue});
    ASSERT_TRUE(ImageList_BeginDrag(first, 1, 3, 4));
    EXPECT_FALSE(ImageList_BeginDrag(second, 0, 1, 1));

    POINT position{-1, -1}, hotspot{};
    HIMAGELIST image = ImageList_GetDragImage(&position, &hotspot);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(hotspot.x, 3);
    EXPECT_EQ(hotspot.y, 4);
    EXPECT_EQ(emu::ImageListPixels(image, 0), std::vector<uint32_t>(16 * 16, kBlue))
        << "image 1 of the first";
    emu::DragImageState state = emu::DragImage();
    EXPECT_TRUE(state.active);
    EXPECT_FALSE(state.shown) << "nothing is shown before the drag enters a window";
    EXPECT_EQ(state.size.cx, 16);
    EXPECT_EQ(state.size.cy, 16);
}

TEST_F(ImageListDrag, TheDragOwnsACopyOfTheImageUntilEndDrag) {
    HIMAGELIST list = MakeList(8, 8, {kRed});
    EXPECT_FALSE(ImageList_BeginDrag(list, 1, 0, 0)) << "past the last image";
    EXPECT_FALSE(emu::DragImage().active);
    ASSERT_TRUE(ImageList_BeginDrag(list, 0, 0, 0));
    HIMAGELIST copy = ImageList_GetDragImage(nullptr, nullptr);
    EXPECT_NE(copy, list);
    ImageList_Destroy(list);
    EXPECT_EQ(emu::ImageListPixels(copy, 0), std::vector<uint32_t>(64, kRed)) << "the caller's list is gone";

    ASSERT_TRUE(ImageList_DragEnter(nullptr, 1, 2));
    ImageList_EndDrag();
    EXPECT_EQ(ImageList_GetDragImage(nullptr, nullptr), nullptr);
    EXPECT_EQ(ImageList_GetImageCount(copy), 0) << "the copy is freed";
    emu::DragImageState state = emu::DragImage();
    EXPECT_FALSE(state.active);
    EXPECT_FALSE(state.shown);

    HIMAGELIST next = MakeList(4, 4, {kBlue});
    ASSERT_TRUE(ImageList_BeginDrag(next, -1, 0, 0)) << "a negative index is accepted";
    EXPECT_EQ(emu::ImageListPixels(ImageList_GetDragImage(nullptr, nullptr), 0),
              std::vector<uint32_t>(16, 0u))
        << "and drags an empty image";
}

TEST_F(ImageListDrag, EnteringMovingShowingAndLeaving) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ImageListDragWindow";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    HIMAGELIST list = MakeList(8, 8, {kRed});
    EXPECT_FALSE(ImageList_DragEnter(window, 1, 1)) << "no drag is active";
    EXPECT_FALSE(ImageList_DragMove(1, 1));
    EXPECT_FALSE(ImageList_DragShowNolock(TRUE));
    EXPECT_FALSE(ImageList_DragLeave(window));
    EXPECT_FALSE(ImageList_SetDragCursorImage(list, 0, 0, 0));

    ASSERT_TRUE(ImageList_BeginDrag(list, 0, 0, 0));
    EXPECT_TRUE(ImageList_DragEnter(window, 5, 6));
    emu::DragImageState state = emu::DragImage();
    EXPECT_TRUE(state.entered);
    EXPECT_TRUE(state.shown);
    EXPECT_EQ(state.lockWindow, window);
    EXPECT_EQ(state.position.x, 5);
    EXPECT_EQ(state.position.y, 6);

    EXPECT_FALSE(ImageList_DragShowNolock(TRUE)) << "already shown";
    EXPECT_TRUE(ImageList_DragShowNolock(FALSE));
    EXPECT_FALSE(emu::DragImage().shown);
    EXPECT_TRUE(ImageList_DragMove(7, 8)) << "moving a hidden image";
    POINT position{};
    ImageList_GetDragImage(&position, nullptr);
    EXPECT_EQ(position.x, 7);
    EXPECT_EQ(position.y, 8);
    EXPECT_FALSE(emu::DragImage().shown) << "a move does not show it";
    EXPECT_TRUE(ImageList_DragShowNolock(TRUE));

    EXPECT_TRUE(ImageList_DragLeave(window));
    state = emu::DragImage();
    EXPECT_FALSE(state.entered);
    EXPECT_FALSE(state.shown);
    EXPECT_EQ(state.lockWindow, nullptr);
    EXPECT_TRUE(state.active) << "leaving does not end the drag";

    DestroyWindow(window);
    EXPECT_FALSE(ImageList_DragEnter(window, 1, 1)) << "a window that is gone";
    EXPECT_TRUE(ImageList_DragEnter(nullptr, 1, 1)) << "the desktop";
}

TEST_F(ImageListDrag, ACursorImageGrowsTheImageAndTheHotspotStays) {
    HIMAGELIST drag = MakeList(16, 16, {kRed});
    HIMAGELIST cursor = MakeList(8, 8, {kBlue});
    ASSERT_TRUE(ImageList_BeginDrag(drag, 0, 4, 4));

    ASSERT_TRUE(ImageList_SetDragCursorImage(cursor, 0, 0, 0));
    EXPECT_EQ(emu::DragImage().size.cx, 16) << "a cursor inside the image";
    std::vector<uint32_t> pixels = emu::ImageListPixels(ImageList_GetDragImage(nullptr, nullptr), 0);
    ASSERT_EQ(pixels.size(), 256u);
    EXPECT_EQ(pixels[3 * 16 + 3], kRed);
    EXPECT_EQ(pixels[4 * 16 + 4], kBlue) << "the cursor's hotspot on the image's";
    EXPECT_EQ(pixels[12 * 16 + 12], kRed);

    ASSERT_TRUE(ImageList_SetDragCursorImage(cursor, 0, 6, 6));
    emu::DragImageState state = emu::DragImage();
    EXPECT_EQ(state.size.cx, 18) << "the cursor reaches two pixels beyond the left and top edges";
    EXPECT_EQ(state.size.cy, 18);
    EXPECT_EQ(state.hotspot.x, 4);
    EXPECT_EQ(state.hotspot.y, 4);
    pixels = emu::ImageListPixels(ImageList_GetDragImage(nullptr, nullptr), 0);
    ASSERT_EQ(pixels.size(), 18u * 18u);
    EXPECT_EQ(pixels[0], kBlue);
    EXPECT_EQ(pixels[8 * 18 + 8], kRed) << "the earlier cursor image is replaced, not kept";
    EXPECT_EQ(pixels[17 * 18 + 0], 0u) << "outside both images";
    EXPECT_FALSE(ImageList_SetDragCursorImage(cursor, 1, 0, 0));
}

} // namespace
