// Drawing on memory device contexts: objects, rectangles, lines, pixels, block transfers, edges and text.
#include <emu/Emu.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

// A memory device context holding a w x h colour bitmap, white to start with.
class Canvas {
public:
    Canvas(int w, int h, int bits = 32)
        : dc(CreateCompatibleDC(nullptr)), bitmap(CreateBitmap(w, h, 1, bits, nullptr)) {
        old = SelectObject(dc, bitmap);
        RECT all{0, 0, w, h};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    COLORREF At(int x, int y) const {
        POINT origin{};
        SetViewportOrgEx(dc, 0, 0, &origin);
        COLORREF c = GetPixel(dc, x, y);
        SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
        return c;
    }
    int Count(COLORREF color, const RECT& r) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += At(x, y) == color;
        return n;
    }

    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

class Gdi : public ::testing::Test {
protected:
    void SetUp() override { emu::Reset(); }
    void TearDown() override { emu::Reset(); }
};

TEST_F(Gdi, MemoryContextsHoldOneBitmapEach) {
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAP bm{};
    ASSERT_EQ(GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1) << "a new memory context holds a 1 x 1 monochrome bitmap";
    HGDIOBJ initial = GetCurrentObject(dc, OBJ_BITMAP);

    HBITMAP a = CreateBitmap(4, 4, 1, 32, nullptr);
    EXPECT_EQ(SelectObject(dc, a), initial);
    HDC other = CreateCompatibleDC(dc);
    EXPECT_EQ(SelectObject(other, a), nullptr) << "a bitmap is in one context at a time";
    HBITMAP high = CreateBitmap(4, 4, 1, 16, nullptr);
    EXPECT_EQ(SelectObject(other, high), nullptr) << "neither the screen's format nor monochrome";
    EXPECT_EQ(SelectObject(GetDC(nullptr), a), nullptr) << "only memory contexts take bitmaps";
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_NE(SelectObject(other, a), nullptr) << "free again once its context is gone";

    HBITMAP compatible = CreateCompatibleBitmap(other, 3, 2);
    ASSERT_EQ(GetObjectA(compatible, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_FALSE(DeleteDC(dc)) << "deleted already";
    EXPECT_FALSE(DeleteDC(GetDC(nullptr))) << "window contexts are released, not deleted";
    EXPECT_EQ(ReleaseDC(nullptr, other), 0);
    DeleteDC(other);
}

TEST_F(Gdi, StockObjectsAndSystemColours) {
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    EXPECT_EQ(GetObjectType(white), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetObjectType(GetStockObject(DEFAULT_GUI_FONT)), static_cast<DWORD>(OBJ_FONT));
    EXPECT_TRUE(DeleteObject(white));
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), white) << "stock objects survive DeleteObject";
    EXPECT_EQ(GetObjectType(white), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(GetStockObject(9), nullptr);

    HPEN pen = CreatePen(PS_DOT, 1, Red);
    LOGPEN lp{};
    ASSERT_EQ(GetObjectA(pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DOT));
    EXPECT_EQ(lp.lopnColor, Red);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(pen), 0u);

    EXPECT_EQ(GetSysColor(COLOR_WINDOW), White);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(10, 36, 106));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    LOGBRUSH lb{};
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    ASSERT_EQ(GetObjectA(face, sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
    EXPECT_EQ(GetSysColorBrush(99), nullptr);
}

TEST_F(Gdi, RectanglesLeaveOutTheirRightAndBottomEdges) {
    Canvas c(12, 12);
    RECT r{2, 2, 6, 5};
    EXPECT_TRUE(FillRect(c.dc, &r, reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1)));
    EXPECT_EQ(c.At(2, 2), GetSysColor(COLOR_HIGHLIGHT)) << "a system colour index plus one is a brush";
    EXPECT_EQ(c.At(5, 4), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(c.At(6, 4), White);
    EXPECT_EQ(c.At(5, 5), White);

    HBRUSH red = CreateSolidBrush(Red);
    SelectObject(c.dc, red);
    EXPECT_TRUE(Rectangle(c.dc, 0, 6, 5, 11));
    EXPECT_EQ(c.At(0, 6), Black) << "the pen's outline";
    EXPECT_EQ(c.At(4, 10), Black);
    EXPECT_EQ(c.At(2, 8), Red) << "the brush inside";
    EXPECT_EQ(c.At(5, 8), White);
    EXPECT_EQ(c.At(2, 11), White);

    SelectObject(c.dc, GetStockObject(NULL_PEN));
    Rectangle(c.dc, 6, 6, 9, 9);
    EXPECT_EQ(c.At(6, 6), Red) << "without a pen the brush fills it all";
    EXPECT_EQ(c.At(8, 8), White) << "less the right and bottom edges";

    RECT frame{8, 0, 12, 4};
    FrameRect(c.dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(c.Count(Black, frame), 12);
    SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(red);
}

TEST_F(Gdi, LinesLeaveOutTheirEndPoint) {
    Canvas c(16, 16);
    POINT previous{};
    MoveToEx(c.dc, 1, 1, nullptr);
    EXPECT_TRUE(LineTo(c.dc, 6, 1));
    EXPECT_EQ(c.Count(Black, RECT{0, 0, 16, 2}), 5);
    EXPECT_EQ(c.At(6, 1), White);
    MoveToEx(c.dc, 0, 3, &previous);
    EXPECT_EQ(previous.x, 6) << "LineTo moves the current position";
    LineTo(c.dc, 4, 7);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(c.At(k, 3 + k), Black) << k;

    HPEN dots = CreatePen(PS_DOT, 1, Blue);
    HGDIOBJ old = SelectObject(c.dc, dots);
    SetBkMode(c.dc, TRANSPARENT);
    MoveToEx(c.dc, 0, 9, nullptr);
    LineTo(c.dc, 8, 9);
    EXPECT_EQ(c.Count(Blue, RECT{0, 9, 8, 10}), 4) << "every other pixel";
    EXPECT_EQ(c.At(1, 9), White) << "gaps stay in TRANSPARENT mode";

    HPEN wide = CreatePen(PS_SOLID, 3, Red);
    SelectObject(c.dc, wide);
    MoveToEx(c.dc, 2, 13, nullptr);
    LineTo(c.dc, 10, 13);
    EXPECT_EQ(c.Count(Red, RECT{0, 11, 16, 16}), 30) << "three rows for a pen three wide";
    SelectObject(c.dc, old);
    DeleteObject(dots);
    DeleteObject(wide);
}

TEST_F(Gdi, ViewportOriginAndClipping) {
    Canvas c(20, 20);
    POINT previous{};
    SetViewportOrgEx(c.dc, 10, 5, nullptr);
    OffsetViewportOrgEx(c.dc, 1, 1, &previous);
    EXPECT_EQ(previous.x, 10);
    EXPECT_EQ(SetPixel(c.dc, 0, 0, Red), Red);
    EXPECT_EQ(c.At(11, 6), Red) << "logical (0, 0) is at the viewport origin";

    EXPECT_EQ(IntersectClipRect(c.dc, 0, 0, 4, 3), SIMPLEREGION);
    RECT box{};
    EXPECT_EQ(GetClipBox(c.dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 4);
    EXPECT_EQ(box.bottom, 3);
    RECT big{-10, -10, 20, 20};
    FillRect(c.dc, &big, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(c.Count(Black, RECT{0, 0, 20, 20}), 12);
    EXPECT_EQ(GetPixel(c.dc, 5, 0), CLR_INVALID) << "outside the clip";
    EXPECT_EQ(SetPixel(c.dc, 5, 0, Red), CLR_INVALID);
    EXPECT_EQ(IntersectClipRect(c.dc, 10, 10, 12, 12), NULLREGION);

    int saved = SaveDC(c.dc);
    SetTextColor(c.dc, Blue);
    SelectObject(c.dc, GetStockObject(NULL_PEN));
    EXPECT_TRUE(RestoreDC(c.dc, saved));
    EXPECT_EQ(GetTextColor(c.dc), Black);
    EXPECT_EQ(GetCurrentObject(c.dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_FALSE(RestoreDC(c.dc, saved)) << "that level is gone";
}

TEST_F(Gdi, BlockTransfersConvertBetweenMonochromeAndColour) {
    Canvas colour(8, 8);
    Canvas mono(8, 8, 1);
    RECT left{0, 0, 4, 8};
    FillRect(mono.dc, &left, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetTextColor(colour.dc, Red);
    SetBkColor(colour.dc, Blue);
    EXPECT_TRUE(BitBlt(colour.dc, 0, 0, 8, 8, mono.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(colour.At(1, 1), Red) << "black source bits take the text colour";
    EXPECT_EQ(colour.At(6, 1), Blue) << "white ones the background colour";

    SetBkColor(colour.dc, Red);
    EXPECT_TRUE(BitBlt(mono.dc, 0, 0, 8, 8, colour.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(mono.At(1, 1), White) << "the source's background colour becomes white";
    EXPECT_EQ(mono.At(6, 1), Black);

    Canvas target(8, 8);
    RECT all{0, 0, 8, 8};
    FillRect(target.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetPixel(colour.dc, 2, 2, RGB(0, 255, 0));
    BitBlt(target.dc, 0, 0, 8, 8, colour.dc, 0, 0, SRCAND);
    EXPECT_EQ(target.At(2, 2), RGB(0, 255, 0));
    BitBlt(target.dc, 0, 0, 8, 8, colour.dc, 0, 0, SRCINVERT);
    EXPECT_EQ(target.At(2, 2), Black);
    EXPECT_TRUE(PatBlt(target.dc, 0, 0, 8, 8, DSTINVERT));
    EXPECT_EQ(target.At(2, 2), White);
    EXPECT_FALSE(PatBlt(target.dc, 0, 0, 8, 8, SRCCOPY)) << "PatBlt has no source";

    SetPixel(target.dc, 0, 0, Red);
    BitBlt(target.dc, 1, 0, 4, 1, target.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(target.At(1, 0), Red) << "overlapping areas copy the source as it was";
    EXPECT_NE(target.At(4, 0), Red);
}

TEST_F(Gdi, FocusRectanglesAndEdges) {
    Canvas c(12, 12);
    RECT r{1, 1, 9, 7};
    DrawFocusRect(c.dc, &r);
    int dots = c.Count(Black, RECT{0, 0, 12, 12});
    EXPECT_EQ(dots, 12) << "every other pixel of the outline, inverted";
    DrawFocusRect(c.dc, &r);
    EXPECT_EQ(c.Count(White, RECT{0, 0, 12, 12}), 144) << "a second call removes it";

    RECT edge{0, 0, 12, 12};
    EXPECT_TRUE(DrawEdge(c.dc, &edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST));
    EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(1, 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(c.At(11, 11), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(c.At(10, 10), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(edge.left, 2) << "BF_ADJUST leaves the inside";
    EXPECT_EQ(edge.bottom, 10);
    DrawEdge(c.dc, &edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    EXPECT_EQ(c.At(2, 2), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(c.At(5, 5), GetSysColor(COLOR_BTNFACE));
}

TEST_F(Gdi, TextFillsFixedCells) {
    Canvas c(40, 30);
    SetBkColor(c.dc, Blue);
    SetTextColor(c.dc, Black);
    EXPECT_TRUE(TextOutA(c.dc, 2, 2, "Hi", 2));
    EXPECT_EQ(c.Count(Blue, RECT{0, 0, 40, 30}) + c.Count(Black, RECT{0, 0, 40, 30}), 12 * 13)
        << "OPAQUE mode fills two 6 x 13 cells";
    EXPECT_GT(c.Count(Black, RECT{2, 2, 14, 15}), 10) << "glyphs inside the cells";
    EXPECT_EQ(c.At(14, 2), White);

    SetBkMode(c.dc, TRANSPARENT);
    TextOutA(c.dc, 20, 2, "Hi", 2);
    EXPECT_EQ(c.Count(Blue, RECT{20, 2, 32, 15}), 0);
    EXPECT_GT(c.Count(Black, RECT{20, 2, 32, 15}), 10);
    EXPECT_FALSE(TextOutA(nullptr, 0, 0, "a", 1));
}

TEST_F(Gdi, DrawTextMeasuresAlignsAndCuts) {
    Canvas c(60, 40);
    RECT r{0, 0, 100, 0};
    EXPECT_EQ(DrawTextA(c.dc, "abc\ndefgh", -1, &r, DT_CALCRECT), 26);
    EXPECT_EQ(r.right, 30);
    EXPECT_EQ(r.bottom, 26);
    r = RECT{5, 5, 5, 5};
    DrawTextA(c.dc, "&Open", -1, &r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.right - r.left, 24) << "the prefix mark takes no cell";
    DrawTextA(c.dc, "&Open", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(r.right - r.left, 30);

    SetBkMode(c.dc, TRANSPARENT);
    RECT box{0, 0, 60, 40};
    EXPECT_EQ(DrawTextA(c.dc, "mid", -1, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER), 13 + 13);
    EXPECT_EQ(c.Count(Black, RECT{0, 0, 60, 13}), 0) << "centred vertically";
    EXPECT_EQ(c.Count(Black, RECT{0, 0, 21, 40}), 0) << "centred horizontally: cells 21 to 39";
    EXPECT_GT(c.Count(Black, RECT{21, 13, 39, 26}), 5);

    Canvas cut(60, 14);
    SetBkMode(cut.dc, TRANSPARENT);
    RECT narrow{0, 0, 30, 14};
    DrawTextA(cut.dc, "a long label", -1, &narrow, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(cut.Count(Black, RECT{30, 0, 60, 14}), 0) << "cut to the rectangle";
    EXPECT_GT(cut.Count(Black, RECT{12, 0, 30, 14}), 2) << "the dots of the ellipsis in the last cells";
}

TEST_F(Gdi, WindowContextsDrawOnlyIntoPictures) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GdiWindow";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, "GdiWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                             wc.hInstance, nullptr);
    HDC dc = GetDC(w);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(WindowFromDC(dc), w);
    EXPECT_EQ(SetPixel(dc, 1, 1, Red), CLR_INVALID) << "no screen to draw on";
    RECT r{0, 0, 5, 5};
    EXPECT_TRUE(FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))))
        << "drawing itself succeeds";
    SetTextColor(dc, Red);
    EXPECT_EQ(ReleaseDC(w, dc), 1);
    EXPECT_EQ(GetTextColor(GetDC(w)), Black) << "released contexts come back with their defaults";

    HDC whole = GetWindowDC(w);
    EXPECT_NE(whole, dc);
    EXPECT_EQ(WindowFromDC(whole), w);
    EXPECT_EQ(ReleaseDC(nullptr, whole), 0) << "not the desktop's";
    EXPECT_EQ(ReleaseDC(w, whole), 1);
    EXPECT_EQ(WindowFromDC(whole), nullptr);
    DestroyWindow(w);
    EXPECT_EQ(WindowFromDC(dc), nullptr);
    EXPECT_EQ(GetDC(w), nullptr);
    EXPECT_EQ(SetTextColor(dc, Red), CLR_INVALID) << "a destroyed window's context is gone";
}

} // namespace
