// What the parts of the dialog manager share: each dialog's own state beside its window, and the focus and
// default push button rules that creation, navigation and the dialog class all follow.
#pragma once

#include <windows.h>

namespace emu::dialogs {

struct DialogInfo {
    HFONT font = nullptr;
    bool ownFont = false; // made from the template; deleted with the dialog
    bool fromTemplate = false;
    int baseX = 0, baseY = 0; // dialog base units, in pixels
    UINT defId = IDOK;
    HWND savedFocus = nullptr; // the control that had the focus when the dialog was deactivated
    bool ended = false;
    INT_PTR result = 0;
};

// The state of a window that the dialog manager serves, made on first use; FindInfo does not make it.
DialogInfo& Info(HWND dlg);
DialogInfo* FindInfo(HWND dlg);
void ForgetInfo(HWND dlg);

// GetDialogBaseUnits's horizontal and vertical units, and those of a font as the platform computes them:
// the average width of the 52 letters (rounded) and the font's height.
void FontBaseUnits(HFONT font, int& x, int& y);

// A rectangle in dialog units in pixels: a horizontal unit is a quarter of baseX, a vertical one an eighth
// of baseY, each rounded to the nearest pixel as MulDiv rounds.
RECT ToPixels(const RECT& units, const DialogInfo& info);

// The control's WM_GETDLGCODE answer (with no message).
UINT DialogCode(HWND control);
bool IsPushButton(HWND control);

// The control that gets the focus when the dialog asks for its first one: its first tab stop, else its
// first visible enabled control; NULL when it has none.
HWND FirstFocus(HWND dlg);
// Moves the focus to a control of the dialog as the dialog manager does: an edit's text is selected first,
// and the default push button's look follows the focus.
void MoveDialogFocus(HWND dlg, HWND control);
// Gives the default push button look to `control` when it is a push button, otherwise to the dialog's
// default button, and takes it from every other push button of the dialog.
void UpdateDefaultLook(HWND dlg, HWND control);

// The default push button look once the focus has reached `control` past the dialog manager (the user's
// mouse): as MoveDialogFocus would give it. Nothing for a control whose parent is no dialog.
void FollowFocus(HWND control);

// Gives the control whose mnemonic is the character its due (DialogMnemonic.cpp); false when none has it.
bool PressMnemonic(HWND dlg, char c);

// Creation from a template (DialogCreate.cpp); `size` is SIZE_MAX for a template in memory.
HWND CreateFromTemplate(HINSTANCE instance, const BYTE* data, size_t size, HWND owner, DLGPROC proc,
                        LPARAM param, bool modal);
// The template of a dialog resource, with its size; NULL (and the error set) when there is none.
const BYTE* FindTemplate(HINSTANCE instance, LPCSTR name, size_t& size);

} // namespace emu::dialogs
