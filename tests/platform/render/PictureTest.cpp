// Pictures of windows: the messages rendering sends, frames and backgrounds, clipping, PNG files and the
// drag image.
#include "MessageLog.h"
#include "RenderFixture.h"

#include <emu/Input.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

// A child that paints itself in one colour (its window text's first byte picks red or blue).
LRESULT CALLBACK SolidProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_PAINT)
        return DefWindowProcA(hwnd, msg, wp, lp);
    char text[4] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HBRUSH brush = CreateSolidBrush(text[0] == 'r' ? Red : Blue);
    RECT all{-50, -50, 500, 500};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    EndPaint(hwnd, &ps);
    return 0;
}

class Pictures : public RenderFixture {
protected:
    HWND Solid(const char* colour, int x, int y, int w, int h, HWND parent, DWORD style = 0) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = SolidProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "Solid";
        RegisterClassA(&wc);
        return CreateWindowExA(0, "Solid", colour, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                               wc.hInstance, nullptr);
    }
    static std::string TempFile(const char* name) {
        return (std::filesystem::temp_directory_path() / name).string();
    }
};

TEST_F(Pictures, RenderingRepaintsParentsBeforeChildrenAndSiblingsBottomUp) {
    HWND top = Solid("red", 212, 20, 30, 40, frame);
    HWND bottom = Solid("blue", 222, 40, 30, 40, frame);
    SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    emu::PumpMessages();
    MessageLog log;
    log.Attach(frame, "frame");
    log.Attach(tree, "tree");
    log.Attach(top, "top");
    log.Attach(bottom, "bottom");
    emu::Picture picture = emu::RenderWindow(frame);
    std::map<UINT, std::string> painting{
        {WM_NCPAINT, "NCPAINT"}, {WM_ERASEBKGND, "ERASEBKGND"}, {WM_PAINT, "PAINT"}};
    std::vector<std::string> frameFirst{"frame:NCPAINT", "frame:ERASEBKGND", "frame:PAINT"};
    std::vector<std::string> seen = log.Only(painting);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(seen.begin(), seen.begin() + 3), frameFirst);
    auto at = [&](const std::string& name) {
        return std::find(seen.begin(), seen.end(), name) - seen.begin();
    };
    EXPECT_LT(at("bottom:PAINT"), at("top:NCPAINT")) << "the bottom sibling paints first";
    EXPECT_EQ(seen.size(), 12u) << "three messages for each of four windows, once each";

    POINT o = ClientOffset(frame, frame);
    EXPECT_EQ(picture.Pixel(o.x + 230, o.y + 50), Red) << "the top sibling covers the bottom one";
    EXPECT_EQ(picture.Pixel(o.x + 245, o.y + 70), Blue);
    EXPECT_EQ(picture.Pixel(o.x + 240, o.y + 5), GetSysColor(COLOR_BTNFACE)) << "the class background";
    log.Clear();
    emu::PumpMessages();
    EXPECT_TRUE(log.Only(painting).empty()) << "nothing is left to paint afterwards";
}

TEST_F(Pictures, FramesCaptionsAndEdges) {
    RECT window{};
    GetWindowRect(frame, &window);
    emu::Picture picture = emu::RenderWindow(frame);
    ASSERT_EQ(picture.width, window.right - window.left);
    ASSERT_EQ(picture.height, window.bottom - window.top);
    EXPECT_EQ(picture.Pixel(0, 0), GetSysColor(COLOR_3DLIGHT)) << "the sizing frame's raised edge";
    EXPECT_EQ(picture.Pixel(1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(picture.Pixel(picture.width - 1, picture.height - 1), GetSysColor(COLOR_3DDKSHADOW));
    int frameWidth = GetSystemMetrics(SM_CXFRAME);
    SetActiveWindow(frame);
    picture = emu::RenderWindow(frame);
    EXPECT_EQ(picture.Pixel(frameWidth, frameWidth + 3), GetSysColor(COLOR_ACTIVECAPTION))
        << "the caption's gradient starts with the active caption colour";

    HWND other = CreateWindowExA(0, "RenderFrame", "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 40, 100,
                                 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetActiveWindow(other);
    picture = emu::RenderWindow(frame);
    EXPECT_EQ(picture.Pixel(frameWidth, frameWidth + 3), GetSysColor(COLOR_INACTIVECAPTION));

    POINT tree0 = ClientOffset(frame, tree);
    EXPECT_EQ(picture.Pixel(tree0.x - 2, tree0.y - 2), GetSysColor(COLOR_BTNSHADOW)) << "the client edge";
    EXPECT_EQ(picture.Pixel(tree0.x - 1, tree0.y - 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(picture.Pixel(tree0.x, tree0.y), GetSysColor(COLOR_WINDOW)) << "the tree's background";

    HWND bordered = Solid("red", 30, 180, 20, 10, frame, WS_BORDER);
    picture = emu::RenderWindow(frame);
    POINT b = ClientOffset(frame, bordered);
    EXPECT_EQ(picture.Pixel(b.x - 1, b.y - 1), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(picture.Pixel(b.x, b.y), Red);
}

TEST_F(Pictures, ScrollBarsShowThePosition) {
    for (int k = 0; k < 30; ++k)
        Add("row");
    emu::Picture picture = emu::RenderWindow(frame);
    RECT client{};
    GetClientRect(tree, &client);
    POINT o = ClientOffset(frame, tree);
    int bar = o.x + client.right + 8;
    auto thumbTop = [&](const emu::Picture& p) {
        for (int y = o.y + 16; y < o.y + client.bottom - 16; ++y)
            if (p.Pixel(bar, y) == GetSysColor(COLOR_BTNFACE) &&
                p.Pixel(bar, y + 1) == GetSysColor(COLOR_BTNFACE))
                return y;
        return -1;
    };
    int before = thumbTop(picture);
    EXPECT_GE(before, o.y + 16) << "a thumb below the up arrow";
    SendMessageA(tree, WM_VSCROLL, SB_BOTTOM, 0);
    int after = thumbTop(emu::RenderWindow(frame));
    EXPECT_GT(after, before + 20) << "the thumb moves down with the position";
}

TEST_F(Pictures, ChildrenDrawOnlyInsideTheirParents) {
    HWND inner = Solid("blue", 150, 10, 100, 30, tree);
    emu::Picture picture = emu::RenderWindow(frame);
    POINT o = ClientOffset(frame, tree);
    RECT client{};
    GetClientRect(tree, &client);
    EXPECT_EQ(picture.Pixel(o.x + client.right - 1, o.y + 12), Blue);
    EXPECT_EQ(picture.Pixel(o.x + client.right + 2, o.y + 12), GetSysColor(COLOR_BTNFACE))
        << "clipped to the tree's client area, whatever the child fills";

    emu::Picture alone = emu::RenderWindow(inner);
    EXPECT_EQ(alone.width, 100);
    EXPECT_EQ(alone.Pixel(99, 29), Blue) << "a child renders on its own";

    ShowWindow(frame, SW_HIDE);
    MessageLog log;
    log.Attach(frame, "frame");
    emu::Picture hidden = emu::RenderWindow(frame);
    EXPECT_EQ(hidden.Pixel(10, 10), GetSysColor(COLOR_BACKGROUND)) << "a hidden window shows the desktop";
    EXPECT_TRUE(log.All().empty());
    EXPECT_EQ(emu::RenderWindow(reinterpret_cast<HWND>(0x1234)).width, 0);
}

TEST_F(Pictures, PngFilesKeepEveryPixel) {
    Add("Desktop");
    std::string path = TempFile("render-picture-test.png");
    ASSERT_TRUE(emu::SaveWindowPicture(frame, path));
    emu::Picture saved = emu::RenderWindow(frame);
    emu::Picture loaded = emu::LoadPicture(path);
    EXPECT_EQ(loaded.width, saved.width);
    EXPECT_EQ(loaded.height, saved.height);
    EXPECT_TRUE(loaded.pixels == saved.pixels);
    std::remove(path.c_str());

    EXPECT_FALSE(emu::SaveWindowPicture(reinterpret_cast<HWND>(0x1234), path));
    EXPECT_FALSE(emu::SaveWindowPicture(frame, TempFile("no-such-folder/x.png")));
    EXPECT_EQ(emu::LoadPicture(path).width, 0) << "removed";
}

TEST_F(Pictures, TheDragImageShowsWhereItWasMoved) {
    HIMAGELIST list = ImageList({std::vector<COLORREF>(256, Red)});
    ASSERT_TRUE(ImageList_BeginDrag(list, 0, 4, 4));
    ASSERT_TRUE(ImageList_DragEnter(frame, 60, 70));
    emu::Picture picture = emu::RenderWindow(frame);
    EXPECT_EQ(picture.Pixel(56, 66), Red) << "the hotspot at the point, relative to the window's corner";
    EXPECT_EQ(picture.Pixel(71, 81), Red);
    EXPECT_NE(picture.Pixel(72, 82), Red);

    ImageList_DragMove(100, 30);
    picture = emu::RenderWindow(frame);
    EXPECT_NE(picture.Pixel(60, 70), Red);
    EXPECT_EQ(picture.Pixel(96, 26), Red);
    ImageList_DragLeave(frame);
    EXPECT_NE(emu::RenderWindow(frame).Pixel(96, 26), Red) << "hidden";
    ImageList_EndDrag();
    ImageList_Destroy(list);
}

} // namespace
