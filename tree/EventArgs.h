// Event arguments as the listener reads them: 32-bit values in signed decimal, the same on every platform.
#pragma once

#include <afxcmn.h>

// An item ID: the item data's 32 bits, "%d".
inline CString FormatItemID(DWORD_PTR dwData) {
    CString str;
    str.Format("%d", static_cast<int>(static_cast<LONG>(dwData)));
    return str;
}

// An item handle: its 32 bits as a signed value, "%ld"; a null handle is "0".
inline CString FormatItemHandle(HTREEITEM hItem) {
    CString str;
    str.Format("%ld", static_cast<long>(static_cast<LONG>(reinterpret_cast<UINT_PTR>(hItem))));
    return str;
}
