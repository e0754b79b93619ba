// Text metrics of the one emulated GUI font (see win32/font.h).
#include <windows.h>
#include <win32/font.h>

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
    if (!hdc || !psizl || c < 0 || (c > 0 && !lpString))
        return FALSE;
    psizl->cx = c * EMU_FONT_CHAR_WIDTH;
    psizl->cy = EMU_FONT_HEIGHT;
    return TRUE;
}

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
    if (!hdc || !lptm)
        return FALSE;
    *lptm = TEXTMETRICA{};
    lptm->tmHeight = EMU_FONT_HEIGHT;
    lptm->tmAscent = 11;
    lptm->tmDescent = 2;
    lptm->tmAveCharWidth = EMU_FONT_CHAR_WIDTH;
    lptm->tmMaxCharWidth = EMU_FONT_CHAR_WIDTH;
    lptm->tmWeight = FW_NORMAL;
    lptm->tmDigitizedAspectX = 96;
    lptm->tmDigitizedAspectY = 96;
    lptm->tmFirstChar = 0x20;
    lptm->tmLastChar = 0xFF;
    lptm->tmDefaultChar = '?';
    lptm->tmBreakChar = ' ';
    // A clear TMPF_FIXED_PITCH bit means fixed pitch.
    lptm->tmPitchAndFamily = FF_MODERN;
    lptm->tmCharSet = ANSI_CHARSET;
    return TRUE;
}
