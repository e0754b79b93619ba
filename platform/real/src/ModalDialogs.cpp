// Modal dialog loops on the real platform end as the user's cancel when the test-facing API's input has run
// out, as the emulation's do: once the dialog of a DialogBoxParamA or DialogBoxIndirectParamA call is shown,
// a thread timer looks at the thread's queue; when neither held input nor any message waits, the dialog is
// given the Cancel button's command (WM_COMMAND IDCANCEL), once, and a dialog that is still not ended then
// ends with IDCANCEL. The timer starts only then so that its messages, which pass through the dialog's loop
// too, do not change when the dialog manager shows the dialog.
#include "ApiHooks.h"
#include "Clock.h"

namespace {

constexpr UINT kCheckMilliseconds = 50;

struct Watch {
    HWND dialog = nullptr;
    UINT_PTR timer = 0;
    bool cancelled = false;
};

Watch* g_watch = nullptr;
HHOOK g_messageHook = nullptr;

bool IsDialogWindow(HWND hwnd) {
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
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
    HWND dialog = watch->dialog;
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    // EndDialog hides the dialog it ends.
    if (IsWindow(dialog) && IsWindowVisible(dialog))
        EndDialog(dialog, IDCANCEL);
}

// The loop's dialog is the first dialog window created once the call has begun; the watch starts when the
// dialog is shown.
LRESULT CALLBACK DialogMessages(int code, WPARAM wParam, LPARAM lParam) {
    auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_watch) {
        if (sent->message == WM_CREATE && !g_watch->dialog && IsDialogWindow(sent->hwnd))
            g_watch->dialog = sent->hwnd;
        else if (sent->message == WM_SHOWWINDOW && sent->wParam && sent->hwnd == g_watch->dialog &&
                 !g_watch->timer)
            g_watch->timer = SetTimer(nullptr, 0, kCheckMilliseconds, CheckIdle);
    }
    return CallNextHookEx(g_messageHook, code, wParam, lParam);
}

// Watches the loop of one call; calls nest, each watching its own dialog.
class ScopedWatch {
public:
    ScopedWatch() : m_outer(g_watch) {
        g_watch = &m_watch;
        if (!g_messageHook)
            g_messageHook = SetWindowsHookExA(WH_CALLWNDPROC, DialogMessages, nullptr, GetCurrentThreadId());
    }
    ~ScopedWatch() {
        if (m_watch.timer)
            KillTimer(nullptr, m_watch.timer);
        g_watch = m_outer;
        if (!g_watch && g_messageHook) {
            UnhookWindowsHookEx(g_messageHook);
            g_messageHook = nullptr;
        }
    }
    ScopedWatch(const ScopedWatch&) = delete;
    ScopedWatch& operator=(const ScopedWatch&) = delete;

private:
    Watch m_watch;
    Watch* m_outer;
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
