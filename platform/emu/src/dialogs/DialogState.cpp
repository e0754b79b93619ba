// Each dialog's state beside its window, and the focus and default push button rules of the dialog manager.
#include "Dialogs.h"

#include "ResetHooks.h"

#include <map>

namespace emu::dialogs {
namespace {

std::map<HWND, DialogInfo>& Infos() {
    static std::map<HWND, DialogInfo> infos;
    return infos;
}

const detail::ResetHook reset(detail::ResetStage::Services, [] { Infos().clear(); });

LONG Scale(LONG value, int units, int divisor) {
    long long product = static_cast<long long>(value) * units;
    long long half = divisor / 2;
    return static_cast<LONG>(product >= 0 ? (product + half) / divisor : -((-product + half) / divisor));
}

} // namespace

DialogInfo& Info(HWND dlg) {
    auto it = Infos().find(dlg);
    if (it != Infos().end())
        return it->second;
    DialogInfo& info = Infos()[dlg];
    LONG units = GetDialogBaseUnits();
    info.baseX = LOWORD(units);
    info.baseY = HIWORD(units);
    return info;
}

DialogInfo* FindInfo(HWND dlg) {
    auto it = Infos().find(dlg);
    return it == Infos().end() ? nullptr : &it->second;
}

void ForgetInfo(HWND dlg) {
    auto it = Infos().find(dlg);
    if (it == Infos().end())
        return;
    if (it->second.ownFont && it->second.font)
        DeleteObject(it->second.font);
    Infos().erase(it);
}

RECT ToPixels(const RECT& units, const DialogInfo& info) {
    return RECT{Scale(units.left, info.baseX, 4), Scale(units.top, info.baseY, 8),
                Scale(units.right, info.baseX, 4), Scale(units.bottom, info.baseY, 8)};
}

void FontBaseUnits(HFONT font, int& x, int& y) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent{};
    TEXTMETRICA metrics{};
    GetTextExtentPoint32A(dc, letters, 52, &extent);
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    x = static_cast<int>((extent.cx / 26 + 1) / 2);
    y = static_cast<int>(metrics.tmHeight);
}

UINT DialogCode(HWND control) {
    return static_cast<UINT>(SendMessageA(control, WM_GETDLGCODE, 0, 0));
}

bool IsPushButton(HWND control) {
    return control && (DialogCode(control) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

HWND FirstFocus(HWND dlg) {
    if (HWND tab = GetNextDlgTabItem(dlg, nullptr, FALSE))
        return tab;
    return GetNextDlgGroupItem(dlg, nullptr, FALSE);
}

void UpdateDefaultLook(HWND dlg, HWND control) {
    HWND target = IsPushButton(control) ? control : nullptr;
    if (!target) {
        DialogInfo* info = FindInfo(dlg);
        HWND def = info && info->defId ? GetDlgItem(dlg, static_cast<int>(info->defId)) : nullptr;
        target = IsPushButton(def) ? def : nullptr;
    }
    for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        UINT code = DialogCode(c);
        if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
            continue;
        bool looks = (code & DLGC_DEFPUSHBUTTON) != 0;
        if (looks != (c == target))
            SendMessageA(c, BM_SETSTYLE, c == target ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

void FollowFocus(HWND control) {
    HWND dlg = control ? GetParent(control) : nullptr;
    if (dlg && FindInfo(dlg))
        UpdateDefaultLook(dlg, control);
}

void MoveDialogFocus(HWND dlg, HWND control) {
    if (!control)
        return;
    if (DialogCode(control) & DLGC_HASSETSEL)
        SendMessageA(control, EM_SETSEL, 0, -1);
    UpdateDefaultLook(dlg, control);
    SetFocus(control);
}

} // namespace emu::dialogs
