// The dialog item functions: texts and numbers of controls, and check boxes and radio buttons by ID.
#include <windows.h>

#include <cctype>
#include <string>

BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item ? SetWindowTextA(item, lpString) : FALSE;
}

UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
    if (lpString && cchMax > 0)
        lpString[0] = '\0';
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item ? static_cast<UINT>(GetWindowTextA(item, lpString, cchMax)) : 0;
}

BOOL WINAPI SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned) {
    std::string text = bSigned ? std::to_string(static_cast<int>(uValue)) : std::to_string(uValue);
    return SetDlgItemTextA(hDlg, nIDDlgItem, text.c_str());
}

// The text's number: spaces before it are skipped, a minus sign is taken when signed, and the digits must
// run to the end of the text (spaces after them aside) and fit in the type.
UINT WINAPI GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned) {
    if (lpTranslated)
        *lpTranslated = FALSE;
    char text[64];
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    if (!item)
        return 0;
    GetWindowTextA(item, text, sizeof text);
    const char* p = text;
    while (*p == ' ')
        ++p;
    bool negative = bSigned && *p == '-';
    if (negative)
        ++p;
    if (!std::isdigit(static_cast<unsigned char>(*p)))
        return 0;
    unsigned long long value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p) {
        value = value * 10 + static_cast<unsigned>(*p - '0');
        if (value > 0xFFFFFFFFull)
            return 0;
    }
    while (*p == ' ')
        ++p;
    if (*p)
        return 0;
    unsigned long long limit = bSigned ? (negative ? 0x80000000ull : 0x7FFFFFFFull) : 0xFFFFFFFFull;
    if (value > limit)
        return 0;
    if (lpTranslated)
        *lpTranslated = TRUE;
    return negative ? static_cast<UINT>(0u - static_cast<UINT>(value)) : static_cast<UINT>(value);
}

// TRUE even without such a control, as the real dialog manager answers.
BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
    SendDlgItemMessageA(hDlg, nIDButton, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton) {
    HWND item = GetDlgItem(hDlg, nIDButton);
    return item ? static_cast<UINT>(SendMessageA(item, BM_GETCHECK, 0, 0)) : 0;
}

// Every control of the dialog whose ID lies in the range is set, the one named checked and the others not.
BOOL WINAPI CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
    if (!IsWindow(hDlg))
        return FALSE;
    for (HWND c = GetWindow(hDlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(c);
        if (id >= nIDFirstButton && id <= nIDLastButton)
            SendMessageA(c, BM_SETCHECK, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return TRUE;
}
