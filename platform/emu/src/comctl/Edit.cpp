// A single-line edit control: typed text, caret and selection, the text limit, one level of undo, and the
// notifications that it sends its parent through WM_COMMAND.
#include "Edit.h"

#include <windows.h>
#include <commctrl.h>

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace emu::comctl {

namespace {

constexpr size_t DefaultLimit = 0x7FFFFFFE;

class Edit {
public:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

private:
    explicit Edit(HWND hwnd) : m_hwnd(hwnd) {}
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    void Command(WORD code);
    void Changed();
    size_t SelStart() const { return std::min(m_anchor, m_caret); }
    size_t SelEnd() const { return std::max(m_anchor, m_caret); }
    // Replaces the selection, within the limit when the user types; false when nothing fits. What the user
    // types, and a replacement the program allows, can be undone.
    bool Replace(const std::string& text, bool byUser, bool undoable);
    bool Undo();
    void MoveCaret(size_t to, bool extend);

    HWND m_hwnd;
    std::string m_text;
    size_t m_anchor = 0, m_caret = 0;
    size_t m_limit = DefaultLimit;
    bool m_modified = false;
    std::string m_undo;
    bool m_canUndo = false;
    HFONT m_font = nullptr;
    int m_calls = 0;
    bool m_destroyed = false;
};

LRESULT CALLBACK Edit::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* edit = reinterpret_cast<Edit*>(GetWindowLongPtrA(hwnd, 0));
    if (!edit && msg == WM_NCCREATE) {
        edit = new Edit(hwnd);
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(edit));
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        if (cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
            edit->m_text = cs->lpszName;
        return TRUE;
    }
    if (!edit)
        return DefWindowProcA(hwnd, msg, wp, lp);
    // A notification may destroy the window: the object outlives every call in progress.
    ++edit->m_calls;
    LRESULT result = edit->Dispatch(msg, wp, lp);
    if (--edit->m_calls == 0 && edit->m_destroyed)
        delete edit;
    return result;
}

void Edit::Command(WORD code) {
    if (m_destroyed)
        return;
    HWND parent = GetParent(m_hwnd);
    int id = GetDlgCtrlID(m_hwnd);
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(m_hwnd));
}

void Edit::Changed() {
    m_modified = true;
    InvalidateRect(m_hwnd, nullptr, TRUE);
    Command(EN_UPDATE);
    Command(EN_CHANGE);
}

bool Edit::Replace(const std::string& text, bool byUser, bool undoable) {
    size_t start = SelStart(), end = SelEnd();
    size_t room = m_text.size() - (end - start);
    std::string insert = text;
    if (byUser && room + insert.size() > m_limit) {
        insert.resize(m_limit > room ? m_limit - room : 0);
        if (insert.empty() && start == end) {
            Command(EN_MAXTEXT);
            return false;
        }
    }
    if (undoable) {
        m_undo = m_text;
        m_canUndo = true;
    }
    m_text.replace(start, end - start, insert);
    m_anchor = m_caret = start + insert.size();
    return true;
}

// Undoing swaps the text with the one before the last change, so a second undo redoes it.
bool Edit::Undo() {
    if (!m_canUndo)
        return false;
    std::swap(m_text, m_undo);
    m_anchor = 0;
    m_caret = m_text.size();
    return true;
}

void Edit::MoveCaret(size_t to, bool extend) {
    m_caret = std::min(to, m_text.size());
    if (!extend)
        m_anchor = m_caret;
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

LRESULT Edit::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCDESTROY:
        m_destroyed = true;
        SetWindowLongPtrA(m_hwnd, 0, 0);
        return DefWindowProcA(m_hwnd, msg, wp, lp);
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        if (GetWindowLongA(m_hwnd, GWL_STYLE) & ES_MULTILINE)
            code |= DLGC_WANTALLKEYS;
        return code;
    }
    case WM_SETTEXT:
        // The limit binds only what the user types.
        m_text = lp ? reinterpret_cast<LPCSTR>(lp) : "";
        m_anchor = m_caret = 0;
        m_modified = false;
        m_canUndo = false;
        InvalidateRect(m_hwnd, nullptr, TRUE);
        Command(EN_UPDATE);
        Command(EN_CHANGE);
        return TRUE;
    case WM_GETTEXT: {
        if (!wp || !lp)
            return 0;
        size_t n = std::min(m_text.size(), static_cast<size_t>(wp) - 1);
        memcpy(reinterpret_cast<char*>(lp), m_text.data(), n);
        reinterpret_cast<char*>(lp)[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(m_text.size());
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wp);
        if (lp)
            InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(m_hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wp), &client, EditBrush(m_hwnd, reinterpret_cast<HDC>(wp)));
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        PaintEdit(m_hwnd, dc, m_font, EditView{m_text, SelStart(), SelEnd(), m_caret});
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_SETFOCUS:
        Command(EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        Command(EN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN: {
        SetFocus(m_hwnd);
        int x = std::max(0, GET_X_LPARAM(lp) - 1);
        MoveCaret(static_cast<size_t>((x + EMU_FONT_CHAR_WIDTH / 2) / EMU_FONT_CHAR_WIDTH),
                  (wp & MK_SHIFT) != 0);
        return 0;
    }
    case WM_CHAR: {
        if (GetWindowLongA(m_hwnd, GWL_STYLE) & ES_READONLY)
            return 0;
        char c = static_cast<char>(wp);
        if (c == '\b') {
            if (SelStart() == SelEnd() && m_caret > 0)
                m_anchor = m_caret - 1;
            if (SelStart() != SelEnd() && Replace("", true, true))
                Changed();
        } else if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) {
            if (Replace(std::string(1, c), true, true))
                Changed();
        }
        return 0;
    }
    case WM_KEYDOWN: {
        bool shift = GetKeyState(VK_SHIFT) < 0;
        switch (wp) {
        case VK_LEFT:
            MoveCaret(m_caret > 0 ? m_caret - 1 : 0, shift);
            break;
        case VK_RIGHT:
            MoveCaret(m_caret + 1, shift);
            break;
        case VK_HOME:
            MoveCaret(0, shift);
            break;
        case VK_END:
            MoveCaret(m_text.size(), shift);
            break;
        case VK_DELETE:
            if (GetWindowLongA(m_hwnd, GWL_STYLE) & ES_READONLY)
                break;
            if (SelStart() == SelEnd() && m_caret < m_text.size())
                m_anchor = m_caret + 1;
            if (SelStart() != SelEnd() && Replace("", true, true))
                Changed();
            break;
        default:
            break;
        }
        return 0;
    }
    case EM_GETSEL: {
        DWORD start = static_cast<DWORD>(SelStart()), end = static_cast<DWORD>(SelEnd());
        if (wp)
            *reinterpret_cast<DWORD*>(wp) = start;
        if (lp)
            *reinterpret_cast<DWORD*>(lp) = end;
        return start > 0xFFFF || end > 0xFFFF ? -1 : MAKELRESULT(start, end);
    }
    case EM_SETSEL: {
        auto start = static_cast<long long>(static_cast<int>(wp));
        auto end = static_cast<long long>(static_cast<int>(lp));
        long long size = static_cast<long long>(m_text.size());
        if (start < 0) {
            m_anchor = m_caret;
            return 0;
        }
        if (end < 0 || end > size)
            end = size;
        m_anchor = static_cast<size_t>(std::min(start, size));
        m_caret = static_cast<size_t>(end);
        InvalidateRect(m_hwnd, nullptr, FALSE);
        return 0;
    }
    case EM_REPLACESEL:
        if (Replace(lp ? reinterpret_cast<LPCSTR>(lp) : "", false, wp != 0))
            Changed();
        return 0;
    case EM_CANUNDO:
        return m_canUndo;
    case EM_UNDO:
    case WM_UNDO:
        // A single-line edit answers TRUE whether or not there was anything to undo.
        if (Undo())
            Changed();
        return TRUE;
    case EM_EMPTYUNDOBUFFER:
        m_canUndo = false;
        m_undo.clear();
        return 0;
    case EM_GETLINE: {
        // The buffer's first word holds its size in characters; the line is copied without a terminator.
        if (!lp)
            return 0;
        WORD room = 0;
        std::memcpy(&room, reinterpret_cast<void*>(lp), sizeof room);
        size_t n = std::min<size_t>(room, m_text.size());
        std::memcpy(reinterpret_cast<char*>(lp), m_text.data(), n);
        return static_cast<LRESULT>(n);
    }
    case EM_LINEINDEX:
        // One line: it starts at 0; the current line (-1) is it too.
        return static_cast<int>(wp) == 0 || static_cast<int>(wp) == -1 ? 0 : -1;
    case EM_LINEFROMCHAR:
    case EM_GETFIRSTVISIBLELINE:
        return 0;
    case EM_LINESCROLL:
        return FALSE;
    case EM_SCROLLCARET:
        return TRUE;
    case EM_LIMITTEXT:
        m_limit = wp ? static_cast<size_t>(wp) : DefaultLimit;
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(m_limit);
    case EM_GETMODIFY:
        return m_modified;
    case EM_SETMODIFY:
        m_modified = wp != 0;
        return 0;
    case EM_GETLINECOUNT:
        return 1;
    case EM_LINELENGTH:
        return static_cast<LRESULT>(m_text.size());
    case EM_SETREADONLY: {
        LONG style = GetWindowLongA(m_hwnd, GWL_STYLE);
        SetWindowLongA(m_hwnd, GWL_STYLE, wp ? style | ES_READONLY : style & ~ES_READONLY);
        return TRUE;
    }
    default:
        return DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

} // namespace

void RegisterEditClass(HINSTANCE module) {
    WNDCLASSA wc{};
    if (GetClassInfoA(module, WC_EDITA, &wc))
        return;
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = &Edit::WndProc;
    wc.cbWndExtra = sizeof(Edit*);
    wc.hInstance = module;
    wc.lpszClassName = WC_EDITA;
    RegisterClassA(&wc);
}

} // namespace emu::comctl
