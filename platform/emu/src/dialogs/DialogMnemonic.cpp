// Mnemonics: the character after '&' in a control's text ("&&" is an ampersand). The dialog's controls are
// searched from the one after the focus, wrapping round; a static text or group box with the character moves
// the focus to the first tab stop after it, a button with it gets the focus and is clicked.
#include "Dialogs.h"

#include <cctype>

namespace emu::dialogs {
namespace {

char MnemonicOf(HWND control) {
    char text[256];
    int n = GetWindowTextA(control, text, sizeof text);
    for (int i = 0; i + 1 < n; ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
        ++i;
    }
    return 0;
}

bool HasMnemonic(HWND control, UINT code, char key) {
    LONG style = GetWindowLongA(control, GWL_STYLE);
    if (!(style & WS_VISIBLE) || (style & WS_DISABLED) || !(code & (DLGC_STATIC | DLGC_BUTTON)))
        return false;
    // A static that shows its text as it is has no mnemonic.
    if ((code & DLGC_STATIC) && !(code & DLGC_BUTTON) && (style & SS_NOPREFIX))
        return false;
    return MnemonicOf(control) == key;
}

// The dialog's own child that is, or holds, `w`.
HWND ChildOf(HWND dlg, HWND w) {
    while (w && GetParent(w) != dlg)
        w = GetParent(w);
    return w;
}

} // namespace

bool PressMnemonic(HWND dlg, char c) {
    char key = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    HWND first = GetWindow(dlg, GW_CHILD);
    if (!first || !key)
        return false;
    HWND focus = ChildOf(dlg, GetFocus());
    HWND start = focus && GetWindow(focus, GW_HWNDNEXT) ? GetWindow(focus, GW_HWNDNEXT) : first;
    HWND w = start;
    do {
        UINT code = DialogCode(w);
        if (HasMnemonic(w, code, key)) {
            if (code & DLGC_BUTTON) {
                MoveDialogFocus(dlg, w);
                // A radio button reached so has clicked itself already.
                if (IsWindow(w) && !(code & DLGC_RADIOBUTTON))
                    SendMessageA(w, BM_CLICK, 0, 0);
            } else if (HWND next = GetNextDlgTabItem(dlg, w, FALSE)) {
                MoveDialogFocus(dlg, next);
            }
            return true;
        }
        w = GetWindow(w, GW_HWNDNEXT);
        if (!w)
            w = first;
    } while (w != start);
    return false;
}

} // namespace emu::dialogs
