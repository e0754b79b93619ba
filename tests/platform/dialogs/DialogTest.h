// Shared pieces of the dialog manager's tests: a reset session per test, a dialog procedure that records
// what it is given and answers as the test asks, a message pump that gives a modeless dialog its keyboard
// interface, and an owner window.
#pragma once

#include "TemplateBuilder.h"

#include <emu/Emu.h>
#include <emu/Picture.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

struct DialogCall {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// What the dialog procedure received, in order, and the test's answers.
struct DialogScript {
    std::vector<DialogCall> calls;
    // Answers a message; nothing (FALSE) when unset. WM_INITDIALOG answers TRUE unless initAnswer is set.
    std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> answer;
    INT_PTR initAnswer = TRUE;
};

inline DialogScript g_script;
inline HWND g_dialog = nullptr; // the dialog whose keyboard interface the pump gives

inline INT_PTR CALLBACK ScriptedDialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    g_script.calls.push_back({msg, wp, lp});
    if (g_script.answer)
        if (INT_PTR result = g_script.answer(dlg, msg, wp, lp))
            return result;
    return msg == WM_INITDIALOG ? g_script.initAnswer : FALSE;
}

// The WM_COMMAND calls the dialog procedure received, as "id:code".
inline std::vector<std::string> Commands() {
    std::vector<std::string> out;
    for (const DialogCall& c : g_script.calls)
        if (c.message == WM_COMMAND)
            out.push_back(std::to_string(LOWORD(c.wParam)) + ":" + std::to_string(HIWORD(c.wParam)));
    return out;
}

// The BN_CLICKED commands among them, as IDs.
inline std::vector<int> Clicks() {
    std::vector<int> out;
    for (const DialogCall& c : g_script.calls)
        if (c.message == WM_COMMAND && HIWORD(c.wParam) == BN_CLICKED)
            out.push_back(LOWORD(c.wParam));
    return out;
}

inline BOOL PumpDialogMessage() {
    MSG msg;
    if (!GetMessageA(&msg, nullptr, 0, 0))
        return FALSE;
    if (!g_dialog || !IsWindow(g_dialog) || !IsDialogMessageA(g_dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return TRUE;
}

inline void Pump() {
    emu::PumpMessages(&PumpDialogMessage);
}

inline LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// A window class of the test program; a reset unregisters it.
inline void RegisterTestClass(const char* name, WNDPROC proc) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

class DialogTest : public testing::Test {
protected:
    void SetUp() override {
        emu::Reset();
        g_script = DialogScript{};
        g_dialog = nullptr;
    }
    void TearDown() override {
        g_dialog = nullptr;
        emu::Reset();
    }

    // A visible top-level window with the procedure.
    static HWND CreateOwner(WNDPROC proc = OwnerProc, const char* className = "DialogTestOwner") {
        RegisterTestClass(className, proc);
        return CreateWindowExA(0, className, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 400, 300,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }

    // A visible modeless dialog from the template, pumped until it settles.
    static HWND Show(const std::vector<BYTE>& bytes, HWND owner = nullptr) {
        g_dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), owner,
                                              ScriptedDialogProc, 0);
        Pump();
        return g_dialog;
    }

    // The centre of a control, in screen coordinates.
    static POINT Centre(HWND control) {
        RECT r;
        GetWindowRect(control, &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    static void ClickOn(HWND control) {
        POINT p = Centre(control);
        emu::Click(p.x, p.y);
        Pump();
    }
    static void Press(UINT vk) {
        emu::PressKey(vk);
        Pump();
    }
};

constexpr DWORD kPopupDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
