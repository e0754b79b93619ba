// The system ANSI code page and the double-byte character sets of the East Asian code pages.
#include <emu/Session.h>

#include <cstring>

#include "ResetHooks.h"

namespace {

constexpr UINT kDefaultCodePage = 1252;

UINT g_systemCodePage = kDefaultCodePage;

const emu::detail::ResetHook g_resetHook(emu::detail::ResetStage::Last,
                                         [] { g_systemCodePage = kDefaultCodePage; });

// The lead-byte ranges of each double-byte code page; every other code page is single-byte.
bool IsLeadByteOf(UINT codePage, BYTE b) {
    switch (codePage) {
    case 932: // Japanese (Shift-JIS)
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 936: // Simplified Chinese (GBK)
    case 949: // Korean (Unified Hangul Code)
    case 950: // Traditional Chinese (Big5)
        return b >= 0x81 && b <= 0xFE;
    default:
        return false;
    }
}

} // namespace

void emu::SetSystemCodePage(UINT codePage) {
    // CP_ACP and CP_OEMCP name the system's pages, they are not pages of their own.
    if (codePage != CP_ACP && codePage != CP_OEMCP)
        g_systemCodePage = codePage;
}

UINT WINAPI GetACP(void) {
    return g_systemCodePage;
}

BOOL WINAPI IsDBCSLeadByte(BYTE TestChar) {
    return IsLeadByteOf(g_systemCodePage, TestChar);
}

BOOL WINAPI IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar) {
    // The OEM page of each double-byte system is the same double-byte page; on the others it is single-byte.
    if (CodePage == CP_ACP || CodePage == CP_OEMCP)
        CodePage = g_systemCodePage;
    return IsLeadByteOf(CodePage, TestChar);
}

LPSTR WINAPI CharNextA(LPCSTR lpsz) {
    if (lpsz == NULL || *lpsz == '\0')
        return const_cast<LPSTR>(lpsz);
    if (IsDBCSLeadByte(static_cast<BYTE>(*lpsz)) && lpsz[1] != '\0')
        return const_cast<LPSTR>(lpsz + 2);
    return const_cast<LPSTR>(lpsz + 1);
}

LPSTR WINAPI CharPrevA(LPCSTR lpszStart, LPCSTR lpszCurrent) {
    if (lpszStart == NULL || lpszCurrent == NULL || lpszCurrent <= lpszStart)
        return const_cast<LPSTR>(lpszStart);
    // Character boundaries are only known from the start: walk forward to the last one before lpszCurrent.
    LPCSTR p = lpszStart;
    for (;;) {
        LPCSTR pNext = CharNextA(p);
        if (pNext == p || pNext >= lpszCurrent)
            return const_cast<LPSTR>(p);
        p = pNext;
    }
}

int WINAPI lstrlenA(LPCSTR lpString) {
    return lpString == NULL ? 0 : static_cast<int>(std::strlen(lpString));
}
