// The static control (texts, frames, pictures) as a framework window.
#pragma once

#include "Wnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic();

    virtual BOOL Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                        UINT nID = 0xffff);
    // An SS_ICON control's icon; returns the previous one.
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;
    // An SS_BITMAP control's bitmap; returns the previous one.
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
};
