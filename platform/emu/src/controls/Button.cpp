// The button control: push buttons, check boxes (two- and three-state, automatic or not), radio buttons and
// group boxes. A press by the mouse (with the capture) or by Space (down, then up) clicks the button when it
// ends over it: an automatic button changes its check first, then the parent hears BN_CLICKED.
#include "Button.h"

#include "core/Core.h"
#include "dialogs/Dialogs.h"

#include <windowsx.h>

namespace emu::controls {
namespace {

class Button {
public:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

private:
    explicit Button(HWND hwnd) : m_hwnd(hwnd) {}
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    UINT Type() const { return static_cast<UINT>(GetWindowLongA(m_hwnd, GWL_STYLE)) & BS_TYPEMASK; }
    bool Checkable() const { return HasCheck(Type()); }
    bool Radio() const { return Type() == BS_RADIOBUTTON || Type() == BS_AUTORADIOBUTTON; }
    void Notify(WORD code);
    void SetPushed(bool pushed);
    void Press();
    // Ends a press; `click` when it ended over the button.
    void Release(bool click);
    void Click();
    void SetCheck(UINT check);

    HWND m_hwnd;
    UINT m_check = BST_UNCHECKED;
    bool m_pushed = false;
    bool m_focused = false;
    bool m_pressing = false; // a press by the mouse or Space is under way
    bool m_releasing = false;
    bool m_mouseDown = false; // the focus comes from the button's own mouse press
    HFONT m_font = nullptr;
    int m_calls = 0;
    bool m_destroyed = false;
};

LRESULT CALLBACK Button::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* button = reinterpret_cast<Button*>(GetWindowLongPtrA(hwnd, 0));
    if (!button) {
        if (msg != WM_NCCREATE)
            return DefWindowProcA(hwnd, msg, wp, lp);
        button = new Button(hwnd);
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(button));
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, 0, 0);
        button->m_destroyed = true;
    }
    // A notification may destroy the window: the object outlives every call in progress.
    ++button->m_calls;
    LRESULT result = msg == WM_NCDESTROY ? DefWindowProcA(hwnd, msg, wp, lp) : button->Dispatch(msg, wp, lp);
    if (--button->m_calls == 0 && button->m_destroyed)
        delete button;
    return result;
}

void Button::Notify(WORD code) {
    SendMessageA(GetParent(m_hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(m_hwnd), code),
                 reinterpret_cast<LPARAM>(m_hwnd));
}

void Button::SetPushed(bool pushed) {
    if (pushed != m_pushed)
        SendMessageA(m_hwnd, BM_SETSTATE, pushed, 0);
}

void Button::Press() {
    m_pressing = true;
    SetCapture(m_hwnd);
    SetPushed(true);
}

void Button::Release(bool click) {
    m_pressing = false;
    m_releasing = true;
    SetPushed(false);
    if (!m_destroyed && GetCapture() == m_hwnd)
        ReleaseCapture();
    m_releasing = false;
    if (click && !m_destroyed)
        Click();
}

void Button::Click() {
    HWND hwnd = m_hwnd;
    UINT type = Type();
    switch (type) {
    case BS_AUTOCHECKBOX:
        SendMessageA(hwnd, BM_SETCHECK, m_check ? BST_UNCHECKED : BST_CHECKED, 0);
        break;
    case BS_AUTO3STATE:
        SendMessageA(hwnd, BM_SETCHECK, (m_check + 1) % 3, 0);
        break;
    case BS_AUTORADIOBUTTON: {
        // The other automatic radio buttons of the group lose their check.
        HWND parent = GetParent(hwnd);
        for (HWND other = GetNextDlgGroupItem(parent, hwnd, FALSE); other && other != hwnd;
             other = GetNextDlgGroupItem(parent, other, FALSE)) {
            if ((GetWindowLongA(other, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON &&
                SendMessageA(other, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
                SendMessageA(other, BM_SETCHECK, BST_UNCHECKED, 0);
        }
        if (!m_destroyed)
            SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
        break;
    }
    default:
        break;
    }
    if (!m_destroyed)
        Notify(BN_CLICKED);
}

void Button::SetCheck(UINT check) {
    UINT type = Type();
    if (!Checkable())
        return;
    if (type != BS_3STATE && type != BS_AUTO3STATE)
        check = check ? BST_CHECKED : BST_UNCHECKED;
    else if (check > BST_INDETERMINATE)
        check = BST_INDETERMINATE;
    if (Radio()) {
        // A checked radio button is its group's tab stop.
        LONG style = GetWindowLongA(m_hwnd, GWL_STYLE);
        SetWindowLongA(m_hwnd, GWL_STYLE, check ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
    if (check != m_check) {
        m_check = check;
        InvalidateRect(m_hwnd, nullptr, FALSE);
    }
}

LRESULT Button::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_GETDLGCODE:
        switch (Type()) {
        case BS_PUSHBUTTON:
        case BS_USERBUTTON:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX:
            return DLGC_STATIC;
        default:
            return DLGC_BUTTON;
        }
    case WM_NCHITTEST:
        // A group box lets the mouse through to what lies under it.
        return Type() == BS_GROUPBOX ? HTTRANSPARENT : DefWindowProcA(m_hwnd, msg, wp, lp);
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(m_hwnd, msg, wp, lp);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return result;
    }
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wp);
        if (lp)
            InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_ENABLE:
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        PaintButton(m_hwnd, dc, ButtonLook{Type(), m_check, m_pushed, m_focused, m_font});
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_SETFOCUS: {
        m_focused = true;
        InvalidateRect(m_hwnd, nullptr, FALSE);
        if (GetWindowLongA(m_hwnd, GWL_STYLE) & BS_NOTIFY)
            Notify(BN_SETFOCUS);
        // A radio button reached from the keyboard (an arrow within its group) is clicked, so it checks.
        if (!m_destroyed && Radio() && !m_check && !m_mouseDown)
            Click();
        return 0;
    }
    case WM_KILLFOCUS: {
        m_focused = false;
        InvalidateRect(m_hwnd, nullptr, FALSE);
        if (m_pressing)
            Release(false);
        if (!m_destroyed && (GetWindowLongA(m_hwnd, GWL_STYLE) & BS_NOTIFY))
            Notify(BN_KILLFOCUS);
        // A push button that had the default look gives it back when a control of the dialog that is no
        // push button takes the focus (a push button taking it takes the look itself).
        auto next = reinterpret_cast<HWND>(wp);
        if (!m_destroyed && dialogs::IsPushButton(m_hwnd) && next && GetParent(next) == GetParent(m_hwnd) &&
            !dialogs::IsPushButton(next))
            dialogs::FollowFocus(next);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (Type() == BS_GROUPBOX)
            return 0;
        // A double click is reported by radio, user and owner-drawn buttons, and by others with BS_NOTIFY;
        // then it presses the button as a click does.
        if (msg == WM_LBUTTONDBLCLK && (Radio() || Type() == BS_OWNERDRAW || Type() == BS_USERBUTTON ||
                                        (GetWindowLongA(m_hwnd, GWL_STYLE) & BS_NOTIFY))) {
            Notify(BN_DOUBLECLICKED);
            if (m_destroyed)
                return 0;
        }
        m_mouseDown = true;
        SetFocus(m_hwnd);
        m_mouseDown = false;
        if (m_destroyed || GetFocus() != m_hwnd)
            return 0;
        // The default look follows the focus the user gives: a push button takes it, another button gives it
        // back to the dialog's default button.
        dialogs::FollowFocus(m_hwnd);
        if (!m_destroyed)
            Press();
        return 0;
    case WM_MOUSEMOVE:
        if (m_pressing && GetCapture() == m_hwnd) {
            RECT client;
            GetClientRect(m_hwnd, &client);
            SetPushed(PtInRect(&client, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}) != FALSE);
        }
        return 0;
    case WM_LBUTTONUP:
        if (m_pressing) {
            RECT client;
            GetClientRect(m_hwnd, &client);
            Release(PtInRect(&client, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}) != FALSE);
        }
        return 0;
    case WM_CAPTURECHANGED:
        // Losing the capture to another window ends the press without a click.
        if (m_pressing && !m_releasing && reinterpret_cast<HWND>(lp) != m_hwnd) {
            m_pressing = false;
            SetPushed(false);
        }
        return 0;
    case WM_KEYDOWN:
        if (wp == VK_SPACE && !m_pressing && Type() != BS_GROUPBOX)
            Press();
        return 0;
    case WM_KEYUP:
        if (wp == VK_SPACE && m_pressing)
            Release(m_pushed);
        return 0;
    case BM_GETCHECK:
        return Checkable() ? m_check : BST_UNCHECKED;
    case BM_SETCHECK:
        SetCheck(static_cast<UINT>(wp));
        return 0;
    case BM_GETSTATE:
        return (Checkable() ? m_check : 0) | (m_pushed ? BST_PUSHED : 0) | (m_focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
        if ((wp != 0) != m_pushed) {
            m_pushed = wp != 0;
            InvalidateRect(m_hwnd, nullptr, FALSE);
        }
        return 0;
    case BM_SETSTYLE: {
        // Only the button's type changes; its other styles stay.
        LONG style = GetWindowLongA(m_hwnd, GWL_STYLE);
        SetWindowLongA(m_hwnd, GWL_STYLE, (style & ~BS_TYPEMASK) | (static_cast<LONG>(wp) & BS_TYPEMASK));
        if (lp)
            InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    }
    case BM_CLICK: {
        if (!IsWindowEnabled(m_hwnd))
            return 0;
        SendMessageA(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        if (!m_destroyed)
            SendMessageA(m_hwnd, WM_LBUTTONUP, 0, 0);
        return 0;
    }
    default:
        return DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

void RegisterButtonClass() {
    WNDCLASSA wc{};
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &Button::WndProc;
    wc.cbWndExtra = sizeof(Button*);
    wc.hInstance = core::SystemModule();
    wc.lpszClassName = WC_BUTTONA;
    RegisterClassA(&wc);
}

const core::SystemClasses buttonClass(RegisterButtonClass);

} // namespace

bool HasCheck(UINT type) {
    switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_AUTORADIOBUTTON:
        return true;
    default:
        return false;
    }
}

} // namespace emu::controls
