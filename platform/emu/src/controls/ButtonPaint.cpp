// Painting buttons in the classic style with the system's colours. Push buttons take their colours from the
// parent's WM_CTLCOLORBTN, check boxes, radio buttons and group boxes from its WM_CTLCOLORSTATIC.
#include "Button.h"

#include <algorithm>
#include <string>

namespace emu::controls {
namespace {

constexpr int kBoxSize = 13;
constexpr int kRadioSize = 12;
constexpr int kTextGap = 4;

std::string Text(HWND hwnd) {
    char buffer[512];
    int n = GetWindowTextA(hwnd, buffer, sizeof buffer);
    return std::string(buffer, static_cast<size_t>(std::max(n, 0)));
}

// The parent's brush for the control, with its text and background colours set on the device context.
HBRUSH ParentBrush(HWND hwnd, HDC dc, UINT msg) {
    HWND parent = GetParent(hwnd);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_3DFACE));
    auto brush = reinterpret_cast<HBRUSH>(
        parent ? SendMessageA(parent, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)) : 0);
    return brush ? brush : GetSysColorBrush(COLOR_3DFACE);
}

void Fill(HDC dc, RECT r, int colorIndex) {
    HBRUSH brush = CreateSolidBrush(GetSysColor(colorIndex));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void Label(HWND hwnd, HDC dc, RECT r, UINT format, bool enabled) {
    std::string text = Text(hwnd);
    SetBkMode(dc, TRANSPARENT);
    if (!enabled)
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

void PushButton(HWND hwnd, HDC dc, const ButtonLook& look, RECT r, bool enabled) {
    FillRect(dc, &r, ParentBrush(hwnd, dc, WM_CTLCOLORBTN));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    if (look.type == BS_DEFPUSHBUTTON) {
        HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME));
        FrameRect(dc, &r, frame);
        DeleteObject(frame);
        InflateRect(&r, -1, -1);
    }
    RECT face = r;
    if (look.pushed) {
        HBRUSH shadow = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
        FrameRect(dc, &face, shadow);
        DeleteObject(shadow);
        InflateRect(&face, -1, -1);
        Fill(dc, face, COLOR_BTNFACE);
    } else {
        DrawEdge(dc, &face, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    }
    RECT text = r;
    if (look.pushed)
        OffsetRect(&text, 1, 1);
    Label(hwnd, dc, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, enabled);
    if (look.focused) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

// A tick: down for three columns, then up for four, each column three pixels tall.
void CheckMark(HDC dc, RECT box, COLORREF ink) {
    static const int drop[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int k = 0; k < 7; ++k)
        for (int t = 0; t < 3; ++t)
            SetPixel(dc, box.left + 3 + k, box.top + 3 + drop[k] + t, ink);
}

void RadioCircle(HDC dc, RECT box, const ButtonLook& look, bool enabled) {
    COLORREF inside = GetSysColor(look.pushed || !enabled ? COLOR_BTNFACE : COLOR_WINDOW);
    for (int y = 0; y < kRadioSize; ++y) {
        for (int x = 0; x < kRadioSize; ++x) {
            double dx = x - 5.5, dy = y - 5.5, d = dx * dx + dy * dy;
            if (d > 36.0)
                continue;
            COLORREF c = inside;
            if (d > 25.0)
                c = GetSysColor(dx + dy < 0 ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
            else if (d > 16.0)
                c = GetSysColor(dx + dy < 0 ? COLOR_3DDKSHADOW : COLOR_3DLIGHT);
            else if (look.check && d <= 4.0)
                c = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
            SetPixel(dc, box.left + x, box.top + y, c);
        }
    }
}

void CheckOrRadio(HWND hwnd, HDC dc, const ButtonLook& look, RECT r, bool enabled) {
    FillRect(dc, &r, ParentBrush(hwnd, dc, WM_CTLCOLORSTATIC));
    bool radio = look.type == BS_RADIOBUTTON || look.type == BS_AUTORADIOBUTTON;
    int size = radio ? kRadioSize : kBoxSize;
    bool right = (GetWindowLongA(hwnd, GWL_STYLE) & BS_LEFTTEXT) != 0;
    int top = r.top + std::max(0, static_cast<int>(r.bottom - r.top - size) / 2);
    RECT box{right ? r.right - size : r.left, top, right ? r.right : r.left + size, top + size};
    if (radio) {
        RadioCircle(dc, box, look, enabled);
    } else {
        RECT inner = box;
        DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        bool grey = look.pushed || !enabled || look.check == BST_INDETERMINATE;
        Fill(dc, inner, grey ? COLOR_BTNFACE : COLOR_WINDOW);
        if (look.check)
            CheckMark(dc, box,
                      GetSysColor(enabled && look.check == BST_CHECKED ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW));
    }
    RECT text = r;
    if (right)
        text.right = box.left - kTextGap;
    else
        text.left = box.right + kTextGap;
    Label(hwnd, dc, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, enabled);
    if (look.focused) {
        RECT extent = text;
        std::string label = Text(hwnd);
        DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &extent, DT_CALCRECT | DT_SINGLELINE);
        int height = extent.bottom - extent.top;
        RECT focus{text.left - 1, text.top + (text.bottom - text.top - height) / 2 - 1, extent.right + 1, 0};
        focus.bottom = focus.top + height + 2;
        if (!label.empty())
            DrawFocusRect(dc, &focus);
    }
}

void GroupBox(HWND hwnd, HDC dc, RECT r, bool enabled) {
    HBRUSH brush = ParentBrush(hwnd, dc, WM_CTLCOLORSTATIC);
    std::string label = Text(hwnd);
    RECT extent{0, 0, 0, 0};
    DrawTextA(dc, "X", 1, &extent, DT_CALCRECT | DT_SINGLELINE);
    int height = extent.bottom - extent.top;
    RECT frame{r.left, r.top + height / 2, r.right, r.bottom};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (label.empty())
        return;
    RECT text{r.left + 8, r.top, r.right - 8, r.top + height};
    RECT width = text;
    DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &width, DT_CALCRECT | DT_SINGLELINE);
    RECT back{text.left - 2, text.top, std::min(width.right + 2, text.right), text.bottom};
    FillRect(dc, &back, brush);
    Label(hwnd, dc, text, DT_LEFT | DT_TOP | DT_SINGLELINE, enabled);
}

} // namespace

void PaintButton(HWND hwnd, HDC dc, const ButtonLook& look) {
    RECT r{};
    GetClientRect(hwnd, &r);
    HGDIOBJ oldFont = SelectObject(
        dc, look.font && GetObjectType(look.font) == OBJ_FONT ? look.font : GetStockObject(SYSTEM_FONT));
    bool enabled = IsWindowEnabled(hwnd) != FALSE;
    if (look.type == BS_GROUPBOX)
        GroupBox(hwnd, dc, r, enabled);
    else if (HasCheck(look.type))
        CheckOrRadio(hwnd, dc, look, r, enabled);
    else
        PushButton(hwnd, dc, look, r, enabled);
    SelectObject(dc, oldFont);
}

} // namespace emu::controls
