// A small host: opens a frame window with a panel and two child windows, lets a simulated user click, type
// and right-click in them, and prints every message each window receives, in order.
#include <windows.h>

#include <emu/Emu.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

const std::map<UINT, const char*> kNames = {
    {WM_CREATE, "WM_CREATE"},
    {WM_NCCREATE, "WM_NCCREATE"},
    {WM_DESTROY, "WM_DESTROY"},
    {WM_NCDESTROY, "WM_NCDESTROY"},
    {WM_SIZE, "WM_SIZE"},
    {WM_MOVE, "WM_MOVE"},
    {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
    {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
    {WM_SETFOCUS, "WM_SETFOCUS"},
    {WM_KILLFOCUS, "WM_KILLFOCUS"},
    {WM_ACTIVATE, "WM_ACTIVATE"},
    {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
    {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
    {WM_LBUTTONUP, "WM_LBUTTONUP"},
    {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
    {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
    {WM_RBUTTONUP, "WM_RBUTTONUP"},
    {WM_CONTEXTMENU, "WM_CONTEXTMENU"},
    {WM_KEYDOWN, "WM_KEYDOWN"},
    {WM_KEYUP, "WM_KEYUP"},
    {WM_CHAR, "WM_CHAR"},
    {WM_COMMAND, "WM_COMMAND"},
    {WM_CLOSE, "WM_CLOSE"},
    {WM_PAINT, "WM_PAINT"},
};

std::map<HWND, std::string> g_names;
const char* g_creating = "";

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    // A window's first messages arrive before CreateWindowExA returns its handle.
    if (g_names.find(hwnd) == g_names.end())
        g_names[hwnd] = g_creating;
    auto name = kNames.find(msg);
    if (name != kNames.end()) {
        auto who = g_names.find(hwnd);
        std::printf("  %-8s %-17s wParam=%#llx", who->second.c_str(), name->second,
                    static_cast<unsigned long long>(wp));
        if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST)
            std::printf(" at (%d, %d)", GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        else if (msg == WM_CONTEXTMENU)
            std::printf(" at screen (%d, %d)", GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        else if (msg == WM_CHAR)
            std::printf(" '%c'", static_cast<char>(wp));
        std::printf("\n");
    }
    if (msg == WM_DESTROY && GetParent(hwnd) == nullptr)
        PostQuitMessage(0);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

HWND Make(const char* name, DWORD style, int x, int y, int w, int h, HWND parent, int id) {
    std::printf("create %s\n", name);
    g_creating = name;
    HWND hwnd = CreateWindowExA(0, "TalDemoWindow", name, style, x, y, w, h, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                nullptr);
    return hwnd;
}

void Step(const char* what) {
    std::printf("%s\n", what);
    emu::PumpMessages();
}

} // namespace

int main() {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TalDemoWindow";
    if (!RegisterClassA(&wc)) {
        std::printf("could not register the window class\n");
        return 1;
    }

    HWND frame = Make("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300, nullptr, 0);
    HWND panel = Make("panel", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 300, 200, frame, 100);
    HWND left = Make("left", WS_CHILD | WS_VISIBLE, 10, 10, 120, 80, panel, 101);
    HWND right = Make("right", WS_CHILD | WS_VISIBLE, 150, 10, 120, 80, panel, 102);
    Step("pump after creation");

    POINT leftCenter{60, 40};
    ClientToScreen(left, &leftCenter);
    POINT rightCenter{60, 40};
    ClientToScreen(right, &rightCenter);

    SetFocus(left);
    Step("focus on left");
    emu::Click(leftCenter.x, leftCenter.y);
    Step("click on left");
    emu::DoubleClick(rightCenter.x, rightCenter.y);
    Step("double click on right");
    emu::TypeText("Hi");
    Step("type \"Hi\" (keys go to the focus window)");
    emu::Click(rightCenter.x, rightCenter.y, emu::Button::Right);
    Step("right click on right");
    PostMessageA(frame, WM_CLOSE, 0, 0);
    Step("close the frame");

    std::printf("frame is %s\n", IsWindow(frame) ? "still open" : "gone");
    return IsWindow(frame) ? 1 : 0;
}
