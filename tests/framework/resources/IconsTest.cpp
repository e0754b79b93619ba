// Icons and cursors: from the script's icon (two sizes) and cursor, from the system, made from bitmaps;
// drawn with their masks onto device contexts and into a window's picture; and the icons a window keeps.
#include "ResourcesTest.h"

#include <BitmapPixels.h>
#include <emu/Picture.h>

#include <vector>

namespace {

constexpr COLORREF kGrey = RGB(0x80, 0x80, 0x80);

// A 40 by 40 memory device context filled with one colour.
class Canvas {
public:
    explicit Canvas(COLORREF ground) {
        HDC screen = GetDC(nullptr);
        m_hBitmap = CreateCompatibleBitmap(screen, 40, 40);
        ReleaseDC(nullptr, screen);
        m_hDC = CreateCompatibleDC(nullptr);
        m_hOld = SelectObject(m_hDC, m_hBitmap);
        HBRUSH brush = CreateSolidBrush(ground);
        RECT all{0, 0, 40, 40};
        FillRect(m_hDC, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        SelectObject(m_hDC, m_hOld);
        DeleteDC(m_hDC);
        DeleteObject(m_hBitmap);
    }
    HDC Dc() const { return m_hDC; }
    COLORREF At(int x, int y) const { return GetPixel(m_hDC, x, y); }

private:
    HBITMAP m_hBitmap;
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

struct IconSize {
    int width = 0;
    int height = 0; // of the mask bitmap: twice the icon's for a monochrome one
    bool colour = false;
    BOOL fIcon = FALSE;
    POINT hotspot{};
};

IconSize SizeOf(HICON hIcon) {
    ICONINFO info{};
    IconSize size;
    if (!GetIconInfo(hIcon, &info))
        return size;
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    size = {mask.bmWidth,
            mask.bmHeight,
            info.hbmColor != nullptr,
            info.fIcon,
            {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)}};
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return size;
}

// The resource data of an image of the script's icon that the directory picks for cx by cy.
std::vector<BYTE> IconImage(HMODULE hModule, int cx, int cy) {
    HRSRC hGroup = FindResourceA(hModule, MAKEINTRESOURCEA(IDI_TARGET), RT_GROUP_ICON);
    if (!hGroup)
        return {};
    int id = LookupIconIdFromDirectoryEx(static_cast<PBYTE>(LockResource(LoadResource(hModule, hGroup))),
                                         TRUE, cx, cy, LR_DEFAULTCOLOR);
    HRSRC hImage = id ? FindResourceA(hModule, MAKEINTRESOURCEA(id), RT_ICON) : nullptr;
    if (!hImage)
        return {};
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(hModule, hImage)));
    return std::vector<BYTE>(data, data + SizeofResource(hModule, hImage));
}

using IconsTest = ResourcesTest;

} // namespace

TEST_F(IconsTest, TheModulesIconComesInTheSizeAskedFor) {
    HICON hIcon = LoadIconA(m_hModule, MAKEINTRESOURCEA(IDI_TARGET));
    ASSERT_NE(nullptr, hIcon);
    EXPECT_EQ(hIcon, LoadIconA(m_hModule, MAKEINTRESOURCEA(IDI_TARGET))) << "LoadIcon shares what it loads";
    IconSize big = SizeOf(hIcon);
    EXPECT_EQ(32, big.width);
    EXPECT_EQ(32, big.height);
    EXPECT_TRUE(big.colour);
    EXPECT_TRUE(big.fIcon);
    EXPECT_EQ(16, big.hotspot.x);

    HICON hSmall =
        static_cast<HICON>(LoadImageA(m_hModule, MAKEINTRESOURCEA(IDI_TARGET), IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(nullptr, hSmall);
    EXPECT_EQ(16, SizeOf(hSmall).width);
    Canvas canvas(kGrey);
    ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, hSmall, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(kGrey, canvas.At(1, 1)) << "the transparent frame";
    EXPECT_EQ(RGB(0, 255, 0), canvas.At(8, 8)) << "the 16 by 16 image is the green one";
    EXPECT_TRUE(DestroyIcon(hSmall));
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(hSmall, &info)) << "a destroyed icon";
    EXPECT_FALSE(DestroyIcon(hSmall));

    // The directory names one image for each size; each is an icon of its own.
    std::vector<BYTE> image16 = IconImage(m_hModule, 16, 16), image32 = IconImage(m_hModule, 32, 32);
    ASSERT_FALSE(image16.empty());
    EXPECT_NE(image16, image32);
    HICON hMade = CreateIconFromResourceEx(image16.data(), static_cast<DWORD>(image16.size()), TRUE,
                                           0x00030000, 0, 0, LR_DEFAULTCOLOR);
    EXPECT_EQ(16, SizeOf(hMade).width);
    DestroyIcon(hMade);
    hMade = CreateIconFromResourceEx(image32.data(), static_cast<DWORD>(image32.size()), TRUE, 0x00030000, 24,
                                     24, LR_DEFAULTCOLOR);
    EXPECT_EQ(24, SizeOf(hMade).width) << "stretched to the size asked for";
    DestroyIcon(hMade);
}

TEST_F(IconsTest, DrawingMasksTheGroundThenXorsTheImage) {
    HICON hIcon = LoadIconA(m_hModule, MAKEINTRESOURCEA(IDI_TARGET));
    Canvas canvas(kGrey);
    ASSERT_TRUE(DrawIcon(canvas.Dc(), 4, 4, hIcon));
    EXPECT_EQ(kGrey, canvas.At(4 + 1, 4 + 1)) << "the transparent frame";
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(4 + 5, 4 + 5));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(4 + 15, 4 + 15));
    EXPECT_EQ(RGB(0x7F, 0x7F, 0x7F), canvas.At(4 + 25, 4 + 5)) << "white where the mask is set inverts";
    EXPECT_EQ(kGrey, canvas.At(38, 38)) << "nothing beyond the icon";

    Canvas masked(kGrey);
    ASSERT_TRUE(DrawIconEx(masked.Dc(), 0, 0, hIcon, 0, 0, 0, nullptr, DI_MASK));
    EXPECT_EQ(RGB(255, 255, 255), masked.At(1, 1)) << "the mask alone is copied: white where it is set";
    EXPECT_EQ(RGB(0, 0, 0), masked.At(5, 5));
    Canvas image(kGrey);
    ASSERT_TRUE(DrawIconEx(image.Dc(), 0, 0, hIcon, 0, 0, 0, nullptr, DI_IMAGE));
    EXPECT_EQ(RGB(0, 0, 0), image.At(1, 1)) << "the image alone is copied, black in the frame";
    EXPECT_EQ(RGB(255, 0, 0), image.At(5, 5));
    Canvas nothing(kGrey);
    ASSERT_TRUE(DrawIconEx(nothing.Dc(), 0, 0, hIcon, 0, 0, 0, nullptr, 0));
    EXPECT_EQ(kGrey, nothing.At(5, 5)) << "neither mask nor image";
    Canvas stretched(kGrey);
    ASSERT_TRUE(DrawIconEx(stretched.Dc(), 0, 0, hIcon, 16, 16, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(RGB(0, 0, 255), stretched.At(8, 8)) << "the 32 by 32 image, halved: its centre";
    EXPECT_EQ(kGrey, stretched.At(20, 20));
    EXPECT_FALSE(DrawIcon(canvas.Dc(), 0, 0, nullptr));
}

namespace {

HICON g_hPainted = nullptr;

LRESULT CALLBACK PaintIconProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hDC = BeginPaint(hWnd, &ps);
        DrawIcon(hDC, 10, 10, g_hPainted);
        EndPaint(hWnd, &ps);
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

} // namespace

TEST_F(IconsTest, AnIconPaintedInAWindowShowsInItsPicture) {
    g_hPainted = LoadIconA(m_hModule, MAKEINTRESOURCEA(IDI_TARGET));
    WNDCLASSA wc{};
    wc.lpfnWndProc = PaintIconProc;
    wc.hInstance = m_hModule;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "TestIconWindow";
    ASSERT_NE(0, RegisterClassA(&wc));
    HWND hWnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 50, 50, 60, 60, nullptr,
                                nullptr, m_hModule, nullptr);
    ASSERT_NE(nullptr, hWnd);
    emu::PumpMessages();
    emu::Picture picture = emu::RenderWindow(hWnd);
    DestroyWindow(hWnd);
    UnregisterClassA(wc.lpszClassName, m_hModule);
    ASSERT_EQ(60, picture.width);
    EXPECT_EQ(RGB(255, 255, 255), picture.Pixel(10 + 1, 10 + 1));
    EXPECT_EQ(RGB(255, 0, 0), picture.Pixel(10 + 5, 10 + 20));
    EXPECT_EQ(RGB(0, 0, 255), picture.Pixel(10 + 16, 10 + 16));
    EXPECT_EQ(RGB(0, 0, 0), picture.Pixel(10 + 26, 10 + 6)) << "white inverted";
    EXPECT_EQ(RGB(255, 255, 255), picture.Pixel(50, 50));
}

TEST_F(IconsTest, TheModulesCursorIsMonochromeWithItsHotspot) {
    HCURSOR hCursor = LoadCursorA(m_hModule, MAKEINTRESOURCEA(IDC_CROSS_CURSOR));
    ASSERT_NE(nullptr, hCursor);
    IconSize size = SizeOf(hCursor);
    EXPECT_FALSE(size.fIcon);
    EXPECT_FALSE(size.colour);
    EXPECT_EQ(32, size.width);
    EXPECT_EQ(64, size.height) << "the AND mask above the XOR image";
    EXPECT_EQ(5, size.hotspot.x);
    EXPECT_EQ(7, size.hotspot.y);
    Canvas canvas(RGB(255, 255, 255));
    ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, hCursor, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(5, 2));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(20, 20));
}

TEST_F(IconsTest, SystemIconsAndCursorsAreSharedAndUnknownOnesFail) {
    HICON hApplication = LoadIconA(nullptr, IDI_APPLICATION);
    ASSERT_NE(nullptr, hApplication);
    EXPECT_EQ(hApplication, LoadIconA(nullptr, IDI_APPLICATION));
    HICON hQuestion = LoadIconA(nullptr, IDI_QUESTION);
    EXPECT_NE(nullptr, hQuestion);
    EXPECT_NE(hApplication, hQuestion);
    EXPECT_EQ(32, SizeOf(hApplication).width);
    HCURSOR hArrow = LoadCursorA(nullptr, IDC_ARROW), hBeam = LoadCursorA(nullptr, IDC_IBEAM);
    ASSERT_NE(nullptr, hArrow);
    EXPECT_NE(nullptr, hBeam);
    EXPECT_NE(hArrow, hBeam);
    EXPECT_FALSE(SizeOf(hArrow).fIcon);
    HICON hSmall = static_cast<HICON>(LoadImageA(nullptr, IDI_APPLICATION, IMAGE_ICON, 16, 16, LR_SHARED));
    EXPECT_EQ(16, SizeOf(hSmall).width);
    EXPECT_NE(hApplication, hSmall);
    EXPECT_EQ(nullptr, LoadCursorA(nullptr, MAKEINTRESOURCEA(12345)));
    EXPECT_EQ(nullptr, LoadIconA(m_hModule, MAKEINTRESOURCEA(401)));
}

TEST_F(IconsTest, IconsMadeFromBitmapsGiveTheirBitmapsBackAndCopiesLiveOn) {
    // 2 by 1: a red pixel, and one where the mask lets the ground through.
    const DWORD colourBits[2] = {0x00FF0000, 0x00000000};
    BITMAPINFO bmi{};
    bmi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    HBITMAP hColour = CreateCompatibleBitmap(screen, 2, 1);
    int lines = SetDIBits(screen, hColour, 0, 1, colourBits, &bmi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(1, lines);
    const WORD maskBits[1] = {0x0040}; // one scan line of a 1-bit bitmap is a WORD: 0, 1
    HBITMAP hMask = CreateBitmap(2, 1, 1, 1, maskBits);
    ICONINFO made{TRUE, 0, 0, hMask, hColour};
    HICON hIcon = CreateIconIndirect(&made);
    ASSERT_NE(nullptr, hIcon);
    DeleteObject(hColour);
    DeleteObject(hMask);

    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hIcon, &info));
    EXPECT_EQ((std::vector<uint32_t>{0xFF0000, 0x000000}), BitmapPixels(info.hbmColor, 2, 1));
    EXPECT_EQ((std::vector<uint32_t>{0x000000, 0xFFFFFF}), BitmapPixels(info.hbmMask, 2, 1));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    HICON hCopy = CopyIcon(hIcon);
    ASSERT_NE(nullptr, hCopy);
    EXPECT_NE(hIcon, hCopy);
    ASSERT_TRUE(DestroyIcon(hIcon));
    Canvas canvas(kGrey);
    ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, hCopy, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(0, 0));
    EXPECT_EQ(kGrey, canvas.At(1, 0));
    EXPECT_TRUE(DestroyIcon(hCopy));
}

TEST_F(IconsTest, AWindowKeepsTheIconsItIsGiven) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = m_hModule;
    wc.hIcon = LoadIconA(nullptr, IDI_HAND);
    wc.lpszClassName = "TestIconsOfAWindow";
    ASSERT_NE(0, RegisterClassA(&wc));
    HWND hWnd = CreateWindowExA(0, wc.lpszClassName, "icons", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, m_hModule, nullptr);
    ASSERT_NE(nullptr, hWnd);
    HICON hBig = LoadIconA(nullptr, IDI_APPLICATION), hOther = LoadIconA(nullptr, IDI_QUESTION);
    auto send = [&](UINT message, WPARAM which, HICON hIcon) {
        return reinterpret_cast<HICON>(SendMessageA(hWnd, message, which, reinterpret_cast<LPARAM>(hIcon)));
    };
    EXPECT_EQ(nullptr, send(WM_GETICON, ICON_BIG, nullptr)) << "the class's icon is not the window's";
    EXPECT_EQ(nullptr, send(WM_SETICON, ICON_BIG, hBig));
    EXPECT_EQ(hBig, send(WM_SETICON, ICON_BIG, hOther)) << "the previous big icon";
    EXPECT_EQ(hOther, send(WM_GETICON, ICON_BIG, nullptr));
    EXPECT_EQ(nullptr, send(WM_GETICON, ICON_SMALL, nullptr));
    HICON hMadeSmall = send(WM_GETICON, ICON_SMALL2, nullptr);
    EXPECT_NE(nullptr, hMadeSmall) << "the system makes one";
    EXPECT_NE(hOther, hMadeSmall);
    EXPECT_EQ(nullptr, send(WM_SETICON, ICON_SMALL, hBig));
    EXPECT_EQ(hBig, send(WM_GETICON, ICON_SMALL, nullptr));
    EXPECT_EQ(hBig, send(WM_GETICON, ICON_SMALL2, nullptr));
    EXPECT_EQ(hOther, send(WM_GETICON, ICON_BIG, nullptr)) << "the big icon stays";
    DestroyWindow(hWnd);
    UnregisterClassA(wc.lpszClassName, m_hModule);
}

TEST_F(IconsTest, IconsCursorsAndBitmapsLoadFromTheirFiles) {
    HICON hIcon = static_cast<HICON>(
        LoadImageA(nullptr, TAL_RESOURCES_FOLDER "/Target.ico", IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    ASSERT_NE(nullptr, hIcon);
    Canvas canvas(kGrey);
    ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, hIcon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(RGB(0, 255, 0), canvas.At(8, 8));
    DestroyIcon(hIcon);
    HCURSOR hCursor = static_cast<HCURSOR>(
        LoadImageA(nullptr, TAL_RESOURCES_FOLDER "/Cross.cur", IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(nullptr, hCursor);
    EXPECT_EQ(7, SizeOf(hCursor).hotspot.y);
    DestroyCursor(hCursor);
    HBITMAP hBitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, TAL_RESOURCES_FOLDER "/Colours.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(nullptr, hBitmap);
    EXPECT_EQ((std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFFFFFF}),
              BitmapPixels(hBitmap, 3, 2));
    DeleteObject(hBitmap);
}
