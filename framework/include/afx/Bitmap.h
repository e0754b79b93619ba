// GDI objects as framework objects; bitmaps loaded through the framework's resource search.
#pragma once

#include "Object.h"

class CGdiObject : public CObject {
    DECLARE_DYNCREATE(CGdiObject)
public:
    CGdiObject();
    // Deletes the GDI object that is still attached.
    ~CGdiObject() override;

    HGDIOBJ m_hObject;
    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const;

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int nCount, LPVOID lpObject) const;
};

class CBitmap : public CGdiObject {
    DECLARE_DYNCREATE(CBitmap)
public:
    CBitmap();
    ~CBitmap() override;

    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

    // The bitmap resource from the module that the framework's resource search names for it.
    BOOL LoadBitmap(LPCSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource);
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    int GetBitmap(BITMAP* pBitMap) const;
};

class CBrush : public CGdiObject {
    DECLARE_DYNCREATE(CBrush)
public:
    CBrush();
    // A solid brush of that colour; throws CResourceException when it cannot be made.
    explicit CBrush(COLORREF crColor);
    ~CBrush() override;

    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }

    BOOL CreateSolidBrush(COLORREF crColor);
    // The system's brush of that colour, which the system owns (deleting it does nothing).
    BOOL CreateSysColorBrush(int nIndex);
};
