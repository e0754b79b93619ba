// A top-level window for the services tests, whose messages a test can watch and answer.
#pragma once

#include <windows.h>

#include <functional>

namespace services_test {

// Called for every message the window receives, before DefWindowProcA.
inline std::function<void(HWND, UINT, WPARAM, LPARAM)>& OnMessage() {
    static std::function<void(HWND, UINT, WPARAM, LPARAM)> handler;
    return handler;
}

inline LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (OnMessage())
        OnMessage()(hwnd, message, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Registers the class when needed (a reset unregisters it) and creates a visible window.
inline HWND CreateTestWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ServicesTestWindow";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "ServicesTestWindow", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                           200, nullptr, nullptr, wc.hInstance, nullptr);
}

} // namespace services_test
