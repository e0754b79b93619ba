// The check images: the library's bitmaps as resources, the image list a check tree builds from them when a
// window is attached, and the host's own bitmap with the same ID, which must not win.
#include "BitmapPixels.h"
#include "CheckHost.h"

#include <emu/ImageListPixels.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The tick of the checked box, row by row: y, first x, last x.
constexpr int kTick[][3] = {{5, 10, 10}, {6, 9, 10}, {7, 4, 4},  {7, 8, 10}, {8, 4, 5},
                            {8, 7, 9},   {9, 4, 8},  {10, 5, 7}, {11, 6, 6}};

// What pixel (x, y) of check image `index` shows: '#' the grey frame, 'g' dark green, ' ' the
// transparent white.
char DescribedPixel(int index, int x, int y) {
    bool frameColumn = (x == 2 || x == 13) && y >= 2 && y <= 13;
    bool frameRow = (y == 2 || y == 13) && x >= 2 && x <= 13;
    if (frameColumn || frameRow)
        return '#';
    if (index / 2 == 1) {
        for (const auto& run : kTick)
            if (y == run[0] && x >= run[1] && x <= run[2])
                return 'g';
    }
    if (index / 2 == 2 && x >= 5 && x <= 10 && y >= 5 && y <= 10)
        return 'g';
    return ' ';
}

std::string DescribedImage(int index) {
    std::string picture;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            picture += DescribedPixel(index, x, y);
        picture += '\n';
    }
    return picture;
}

// An image of the list in the same characters; '?' for any other colour.
std::string ShownImage(HIMAGELIST hList, int index) {
    std::vector<uint32_t> pixels = emu::ImageListPixels(hList, index);
    if (pixels.size() != 16 * 16)
        return "no 16 by 16 image " + std::to_string(index);
    std::string picture;
    for (size_t i = 0; i < pixels.size(); ++i) {
        uint32_t pixel = pixels[i];
        picture += (pixel >> 24) == 0 ? ' ' : pixel == 0xFF808080u ? '#' : pixel == 0xFF008000u ? 'g' : '?';
        if (i % 16 == 15)
            picture += '\n';
    }
    return picture;
}

HIMAGELIST NormalImageList(HWND hTree) {
    return reinterpret_cast<HIMAGELIST>(::SendMessageA(hTree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
}

void ExpectCheckImages(HIMAGELIST hList) {
    ASSERT_NE(hList, nullptr);
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(hList, &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    ASSERT_EQ(ImageList_GetImageCount(hList), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(ShownImage(hList, i), DescribedImage(i)) << "image " << i;
}

// Gives the tests the image list object the control owns.
class CPeekCheckTree : public COrnCheckTreeCtrl {
public:
    CImageList* ImageListObject() const { return m_pImageList; }
};

class CheckImages : public CheckHost<CPeekCheckTree> {
protected:
    static HMODULE Library() { return ::GetModuleHandleA("TalControl.dll"); }
};

TEST_F(CheckImages, TheTreeShowsTheLibrarysCheckImagesEvenThoughTheHostHasABitmap3001) {
    // The host's own search finds its black bitmap: without switching to the library's state the tree
    // would show it.
    HINSTANCE hHost = ::GetModuleHandleA(nullptr);
    ASSERT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(3001), RT_BITMAP), hHost);
    CBitmap hostBitmap;
    ASSERT_TRUE(hostBitmap.LoadBitmap(3001));
    BITMAP info = {};
    ASSERT_TRUE(hostBitmap.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 96);

    ASSERT_NE(m_tree.ImageListObject(), nullptr);
    EXPECT_EQ(NormalImageList(m_tree), m_tree.ImageListObject()->GetSafeHandle());
    ExpectCheckImages(NormalImageList(m_tree));
    EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState()) << "the host's state is current again";
}

TEST_F(CheckImages, TheLibraryHoldsBothBitmapsAsFourBitDataWithTheStandardPalette) {
    const RGBQUAD standard[16] = {{0, 0, 0, 0},       {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
                                  {128, 0, 0, 0},     {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
                                  {128, 128, 128, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
                                  {255, 0, 0, 0},     {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0}};
    struct Expected {
        WORD id;
        LONG width, height;
    };
    for (Expected bitmap : {Expected{3001, 96, 16}, Expected{3002, 33, 11}}) {
        SCOPED_TRACE(bitmap.id);
        HRSRC hInfo = ::FindResourceExA(Library(), RT_BITMAP, MAKEINTRESOURCEA(bitmap.id),
                                        MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
        ASSERT_NE(hInfo, nullptr);
        auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(Library(), hInfo)));
        ASSERT_NE(data, nullptr);
        BITMAPINFOHEADER header;
        std::memcpy(&header, data, sizeof header);
        EXPECT_EQ(header.biSize, sizeof header);
        EXPECT_EQ(header.biWidth, bitmap.width);
        EXPECT_EQ(header.biHeight, bitmap.height) << "rows from the bottom up";
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biBitCount, 4);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_TRUE(header.biClrUsed == 0 || header.biClrUsed == 16);
        EXPECT_EQ(std::memcmp(data + sizeof header, standard, sizeof standard), 0);
        DWORD stride = (static_cast<DWORD>(bitmap.width) * 4 + 31) / 32 * 4;
        EXPECT_EQ(::SizeofResource(Library(), hInfo),
                  sizeof header + sizeof standard + stride * static_cast<DWORD>(bitmap.height));
    }
    EXPECT_EQ(::FindResourceA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(3002), RT_BITMAP), nullptr)
        << "the small bitmap is the library's alone";
}

TEST_F(CheckImages, TheSmallBitmapHasThreeFramedCells) {
    HBITMAP hBitmap = ::LoadBitmapA(Library(), MAKEINTRESOURCEA(3002));
    ASSERT_NE(hBitmap, nullptr);
    std::vector<uint32_t> pixels = BitmapPixels(hBitmap, 33, 11);
    ASSERT_FALSE(pixels.empty());
    ::DeleteObject(hBitmap);

    constexpr uint32_t grey = 0x808080, white = 0xFFFFFF, green = 0x008000;
    for (int cell = 0; cell < 3; ++cell) {
        int greens = 0;
        for (int y = 0; y < 11; ++y) {
            for (int x = 0; x < 11; ++x) {
                uint32_t pixel = pixels[static_cast<size_t>(y * 33 + cell * 11 + x)];
                SCOPED_TRACE("cell " + std::to_string(cell) + " at " + std::to_string(x) + "," +
                             std::to_string(y));
                if (x == 0 || x == 10 || y == 0 || y == 10) {
                    EXPECT_EQ(pixel, grey);
                } else if (cell == 2) {
                    EXPECT_EQ(pixel, x >= 3 && x <= 7 && y >= 3 && y <= 7 ? green : white);
                } else {
                    EXPECT_TRUE(pixel == white || (cell == 1 && pixel == green));
                    greens += pixel == green;
                }
            }
        }
        if (cell == 1) {
            EXPECT_GE(greens, 7) << "the tick";
        }
    }
}

TEST_F(CheckImages, EachAttachedWindowGetsTheImagesRebuiltInTheSameObject) {
    CImageList* pList = m_tree.ImageListObject();
    HIMAGELIST hFirst = pList->GetSafeHandle();
    ASSERT_TRUE(m_tree.DestroyWindow());
    HWND hWnd = CreateTreeWindow();
    HIMAGELIST hOld = ImageList_Create(8, 8, ILC_COLOR4, 1, 1);
    ::SendMessageA(hWnd, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(hOld));
    ASSERT_TRUE(m_tree.SubclassWindow(hWnd));

    EXPECT_EQ(m_tree.ImageListObject(), pList);
    EXPECT_EQ(ImageList_GetImageCount(hFirst), 0) << "the first window's list is destroyed";
    EXPECT_EQ(NormalImageList(m_tree), pList->GetSafeHandle());
    ExpectCheckImages(NormalImageList(m_tree));
    EXPECT_TRUE(m_tree.GetStyle() & TVS_DISABLEDRAGDROP);
    EXPECT_NE(::GetPropA(hWnd, "OleDropTargetInterface"), nullptr) << "registered as a drop target";
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(hOld, &cx, &cy)) << "the tree view's previous list is left alone";
    ImageList_Destroy(hOld);
}

// Through Create the control is attached before the tree view has set itself up, so the tree view ignores
// the image list handed to it then, as it would on Windows; the check states work all the same.
TEST_F(CheckImages, ATreeCreatedThroughTheControlGetsNoCheckImages) {
    CPeekCheckTree tree;
    ASSERT_TRUE(tree.Create(kTreeStyle, CRect(0, 0, 100, 100), &m_parent, 9));
    EXPECT_TRUE(tree.GetStyle() & TVS_DISABLEDRAGDROP);
    ASSERT_NE(tree.ImageListObject(), nullptr);
    EXPECT_EQ(ImageList_GetImageCount(tree.ImageListObject()->GetSafeHandle()), 6);
    EXPECT_EQ(NormalImageList(tree), nullptr);
    EXPECT_NE(::GetPropA(tree, "OleDropTargetInterface"), nullptr);

    HTREEITEM hItem = tree.InsertItem("a");
    EXPECT_EQ(tree.CheckItem(hItem, true), 1);
    int nImage = -1, nSelectedImage = -1;
    EXPECT_TRUE(tree.GetItemImage(hItem, nImage, nSelectedImage));
    EXPECT_EQ(nImage, 2);
}

} // namespace
