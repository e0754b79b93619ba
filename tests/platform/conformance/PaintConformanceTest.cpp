// The device context BeginPaint gives a window whose class has no CS_OWNDC starts with the default
// attributes on every paint, whatever the last paint set. Runs on the emulation and on the real platform.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Attributes {
    COLORREF text;
    int nBkMode;
};
std::vector<Attributes> g_seen;

LRESULT CALLBACK PaintingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    g_seen.push_back({GetTextColor(dc), GetBkMode(dc)});
    SetTextColor(dc, RGB(200, 10, 10));
    SetBkMode(dc, TRANSPARENT);
    EndPaint(hwnd, &ps);
    return 0;
}

TEST(PaintConformance, EachPaintStartsWithTheDefaultAttributes) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = PaintingProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "TalPaintConformance";
    ASSERT_NE(0, RegisterClassA(&cls));
    HWND hwnd = CreateWindowExA(0, cls.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                nullptr, cls.hInstance, nullptr);
    ASSERT_NE(nullptr, hwnd);
    for (int nPaint = 0; nPaint < 3; ++nPaint) {
        InvalidateRect(hwnd, nullptr, TRUE);
        UpdateWindow(hwnd);
    }
    DestroyWindow(hwnd);
    UnregisterClassA(cls.lpszClassName, cls.hInstance);
    ASSERT_GE(g_seen.size(), 3u);
    for (const Attributes& seen : g_seen) {
        EXPECT_EQ(RGB(0, 0, 0), seen.text);
        EXPECT_EQ(OPAQUE, seen.nBkMode);
    }
}

} // namespace
