// Shared pieces of the window-layer tests: a reset emulation per test, a journal of what the objects under
// test saw, and a plain (non-framework) window class.
#pragma once

#include <afxwin.h>
#include <emu/Emu.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

// What the objects under test did, in order.
inline std::vector<std::string> g_journal;

inline void Note(const std::string& entry) {
    g_journal.push_back(entry);
}

class WindowsTest : public testing::Test {
protected:
    void SetUp() override {
        emu::Reset();
        g_journal.clear();
    }
    void TearDown() override { CWnd::DeleteTempMap(); }
};

// A window class outside the framework: its procedure notes the messages given to Names().
inline const char kPlainClass[] = "TestPlainWindow";

inline std::string MessageName(UINT message) {
    switch (message) {
    case WM_NCCREATE:
        return "WM_NCCREATE";
    case WM_CREATE:
        return "WM_CREATE";
    case WM_DESTROY:
        return "WM_DESTROY";
    case WM_NCDESTROY:
        return "WM_NCDESTROY";
    case WM_NOTIFY:
        return "WM_NOTIFY";
    case WM_COMMAND:
        return "WM_COMMAND";
    case WM_KEYDOWN:
        return "WM_KEYDOWN";
    case WM_CHAR:
        return "WM_CHAR";
    case WM_KEYUP:
        return "WM_KEYUP";
    case WM_USER:
        return "WM_USER";
    default:
        return "";
    }
}

inline LRESULT CALLBACK PlainProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    std::string name = MessageName(message);
    if (!name.empty())
        Note("plain:" + name);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

// A plain window; a child of parent when one is given.
inline HWND CreatePlainWindow(HWND parent = nullptr, int id = 0, RECT rect = {0, 0, 100, 100}) {
    WNDCLASSA wc{};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), kPlainClass, &wc)) {
        wc.lpfnWndProc = &PlainProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kPlainClass;
        RegisterClassA(&wc);
    }
    DWORD style = (parent != nullptr ? WS_CHILD : WS_POPUP) | WS_VISIBLE;
    return CreateWindowExA(0, kPlainClass, "", style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}
