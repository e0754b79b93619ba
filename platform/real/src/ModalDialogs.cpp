// Modal dialog loops on the real platform end as the user's cancel when the test-facing API's input has run
// out, as the emulation's do: while DialogBoxParamA or DialogBoxIndirectParamA runs, a thread timer looks at
// the thread's queue; once the dialog is shown and neither held input nor any message waits, the dialog is
// given the Cancel button's command (WM_COMMAND IDCANCEL), once. A dialog procedure that does not end the
// dialog then keeps it open (the emulation ends it with IDCANCEL regardless).
#include "ApiHooks.h"
#include "Clock.h"

namespace {

constexpr UINT kCheckMilliseconds = 50;

struct Watch {
    HWND dialog = nullptr;
    bool cancelled = false;
};

Watch* g_watch = nullptr;
HHOOK g_creationHook = nullptr;

bool IsDialogWindow(HWND hwnd) {
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

// The loop's dialog is the first dialog window created once the call has begun.
LRESULT CALLBACK DialogCreated(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_watch && !g_watch->dialog &&
        IsDialogWindow(reinterpret_cast<HWND>(wParam)))
        g_watch->dialog = reinterpret_cast<HWND>(wParam);
    return CallNextHookEx(g_creationHook, code, wParam, lParam);
}

void CALLBACK CheckIdle(HWND, UINT, UINT_PTR, DWORD) {
    Watch* watch = g_watch;
    if (!watch || watch->cancelled || !watch->dialog || !IsWindowVisible(watch->dialog) ||
        emu::detail::InputOutstanding())
        return;
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
        return;
    watch->cancelled = true;
    SendMessageA(watch->dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(watch->dialog, IDCANCEL)));
}

// Watches the loop of one call; calls nest, each watching its own dialog.
class ScopedWatch {
public:
    ScopedWatch() : m_outer(g_watch) {
        g_watch = &m_watch;
        if (!g_creationHook)
            g_creationHook = SetWindowsHookExA(WH_CBT, DialogCreated, nullptr, GetCurrentThreadId());
        m_timer = SetTimer(nullptr, 0, kCheckMilliseconds, CheckIdle);
    }
    ~ScopedWatch() {
        KillTimer(nullptr, m_timer);
        g_watch = m_outer;
        if (!g_watch && g_creationHook) {
            UnhookWindowsHookEx(g_creationHook);
            g_creationHook = nullptr;
        }
    }
    ScopedWatch(const ScopedWatch&) = delete;
    ScopedWatch& operator=(const ScopedWatch&) = delete;

private:
    Watch m_watch;
    Watch* m_outer;
    UINT_PTR m_timer = 0;
};

INT_PTR WINAPI DialogBoxParamHook(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
    static const auto run =
        emu::detail::Original<decltype(&DialogBoxParamA)>("user32.dll", "DialogBoxParamA");
    ScopedWatch watch;
    return run(instance, name, owner, proc, param);
}

INT_PTR WINAPI DialogBoxIndirectParamHook(HINSTANCE instance, LPCDLGTEMPLATEA dialog, HWND owner,
                                          DLGPROC proc, LPARAM param) {
    static const auto run =
        emu::detail::Original<decltype(&DialogBoxIndirectParamA)>("user32.dll", "DialogBoxIndirectParamA");
    ScopedWatch watch;
    return run(instance, dialog, owner, proc, param);
}

} // namespace

namespace emu::detail {

void HookModalDialogs() {
    HookImport("user32.dll", "DialogBoxParamA", reinterpret_cast<void*>(&DialogBoxParamHook));
    HookImport("user32.dll", "DialogBoxIndirectParamA", reinterpret_cast<void*>(&DialogBoxIndirectParamHook));
}

} // namespace emu::detail
