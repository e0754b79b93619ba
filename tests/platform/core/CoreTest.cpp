#include "CoreTest.h"

#include <cstdio>

CoreTest* CoreTest::s_current = nullptr;

std::string MessageName(UINT msg) {
    static const std::map<UINT, std::string> names = {
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_ENABLE, "WM_ENABLE"},
        {WM_SETTEXT, "WM_SETTEXT"},
        {WM_GETTEXT, "WM_GETTEXT"},
        {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
        {WM_PAINT, "WM_PAINT"},
        {WM_CLOSE, "WM_CLOSE"},
        {WM_QUIT, "WM_QUIT"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
        {WM_CANCELMODE, "WM_CANCELMODE"},
        {WM_SETCURSOR, "WM_SETCURSOR"},
        {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
        {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_CONTEXTMENU, "WM_CONTEXTMENU"},
        {WM_STYLECHANGING, "WM_STYLECHANGING"},
        {WM_STYLECHANGED, "WM_STYLECHANGED"},
        {WM_NCCREATE, "WM_NCCREATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCHITTEST, "WM_NCHITTEST"},
        {WM_NCACTIVATE, "WM_NCACTIVATE"},
        {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
        {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
        {WM_NCLBUTTONUP, "WM_NCLBUTTONUP"},
        {WM_NCLBUTTONDBLCLK, "WM_NCLBUTTONDBLCLK"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},
        {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
        {WM_SYSKEYUP, "WM_SYSKEYUP"},
        {WM_SYSCHAR, "WM_SYSCHAR"},
        {WM_TIMER, "WM_TIMER"},
        {WM_HSCROLL, "WM_HSCROLL"},
        {WM_VSCROLL, "WM_VSCROLL"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
        {WM_RBUTTONUP, "WM_RBUTTONUP"},
        {WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"},
        {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"},
        {WM_MBUTTONUP, "WM_MBUTTONUP"},
        {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
        {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
        {WM_USER, "WM_USER"},
        {WM_USER + 1, "WM_USER+1"},
        {WM_USER + 2, "WM_USER+2"},
        {WM_APP, "WM_APP"},
    };
    auto it = names.find(msg);
    if (it != names.end())
        return it->second;
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04X", msg);
    return hex;
}

void CoreTest::SetUp() {
    emu::Reset();
    s_current = this;
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = kClass;
    ASSERT_NE(0, RegisterClassA(&wc));
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = kDblClass;
    ASSERT_NE(0, RegisterClassA(&wc));
}

void CoreTest::TearDown() {
    // Handlers may refer to the test's locals, which are gone by now.
    m_handlers.clear();
    emu::Reset();
    s_current = nullptr;
}

HWND CoreTest::Create(const std::string& name, DWORD style, int x, int y, int cx, int cy, HWND parent, int id,
                      DWORD exStyle, const char* cls) {
    size_t before = m_journal.size();
    HWND hwnd = CreateWindowExA(exStyle, cls, name.c_str(), style, x, y, cx, cy, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    if (hwnd)
        m_names[hwnd] = name;
    // Messages the new window received before it had a name belong to it.
    for (size_t i = before; i < m_journal.size(); ++i) {
        if (m_journal[i].second.rfind("new:", 0) == 0)
            m_journal[i].second.replace(0, 3, name);
    }
    return hwnd;
}

std::vector<std::string> CoreTest::Journal(const std::set<UINT>& only) const {
    std::vector<std::string> out;
    for (const auto& [msg, text] : m_journal) {
        if (only.empty() || only.count(msg))
            out.push_back(text);
    }
    return out;
}

const std::set<UINT>& CoreTest::Noise() {
    static const std::set<UINT> noise{WM_NCHITTEST, WM_SETCURSOR, WM_GETTEXT, WM_GETTEXTLENGTH};
    return noise;
}

std::vector<std::string> CoreTest::JournalWithoutNoise() const {
    std::vector<std::string> out;
    for (const auto& [msg, text] : m_journal) {
        if (!Noise().count(msg))
            out.push_back(text);
    }
    return out;
}

LRESULT CALLBACK CoreTest::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CoreTest* t = s_current;
    if (!t)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    auto name = t->m_names.find(hwnd);
    t->m_journal.emplace_back(msg,
                              (name == t->m_names.end() ? "new" : name->second) + ":" + MessageName(msg));
    auto handler = t->m_handlers.find(msg);
    if (handler != t->m_handlers.end()) {
        if (auto result = handler->second(hwnd, msg, wParam, lParam))
            return *result;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

std::vector<std::string> Pump() {
    std::vector<std::string> retrieved;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            break;
        retrieved.push_back(MessageName(msg.message));
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return retrieved;
}
