// Points, sizes and rectangles. They derive from the win32 structures, so they pass directly to the
// win32 functions; the rectangle tests and set operations are those functions.
#pragma once

#include "Defs.h"

class CSize;
class CRect;

class CPoint : public tagPOINT {
public:
    CPoint() noexcept { x = y = 0; }
    CPoint(int initX, int initY) noexcept {
        x = initX;
        y = initY;
    }
    CPoint(POINT initPt) noexcept { *static_cast<POINT*>(this) = initPt; }
    CPoint(SIZE initSize) noexcept {
        x = initSize.cx;
        y = initSize.cy;
    }
    // Signed 16-bit coordinates packed as in a mouse message's lParam: x low, y high.
    CPoint(LPARAM dwPoint) noexcept {
        x = static_cast<short>(LOWORD(dwPoint));
        y = static_cast<short>(HIWORD(dwPoint));
    }

    void Offset(int xOffset, int yOffset) noexcept {
        x += xOffset;
        y += yOffset;
    }
    void Offset(POINT point) noexcept { Offset(point.x, point.y); }
    void Offset(SIZE size) noexcept { Offset(size.cx, size.cy); }
    void SetPoint(int X, int Y) noexcept {
        x = X;
        y = Y;
    }

    bool operator==(POINT point) const noexcept { return x == point.x && y == point.y; }
    bool operator!=(POINT point) const noexcept { return !(*this == point); }
    void operator+=(SIZE size) noexcept { Offset(size); }
    void operator-=(SIZE size) noexcept { Offset(-size.cx, -size.cy); }
    void operator+=(POINT point) noexcept { Offset(point); }
    void operator-=(POINT point) noexcept { Offset(-point.x, -point.y); }

    CPoint operator+(SIZE size) const noexcept { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const noexcept { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator-() const noexcept { return CPoint(-x, -y); }
    CPoint operator+(POINT point) const noexcept { return CPoint(x + point.x, y + point.y); }
    inline CSize operator-(POINT point) const noexcept;
    inline CRect operator+(LPCRECT lpRect) const noexcept;
    inline CRect operator-(LPCRECT lpRect) const noexcept;
};

class CSize : public tagSIZE {
public:
    CSize() noexcept { cx = cy = 0; }
    CSize(int initCX, int initCY) noexcept {
        cx = initCX;
        cy = initCY;
    }
    CSize(SIZE initSize) noexcept { *static_cast<SIZE*>(this) = initSize; }
    CSize(POINT initPt) noexcept {
        cx = initPt.x;
        cy = initPt.y;
    }
    // Signed 16-bit extents packed as cx low, cy high.
    CSize(DWORD dwSize) noexcept {
        cx = static_cast<short>(LOWORD(dwSize));
        cy = static_cast<short>(HIWORD(dwSize));
    }

    void SetSize(int CX, int CY) noexcept {
        cx = CX;
        cy = CY;
    }
    bool operator==(SIZE size) const noexcept { return cx == size.cx && cy == size.cy; }
    bool operator!=(SIZE size) const noexcept { return !(*this == size); }
    void operator+=(SIZE size) noexcept {
        cx += size.cx;
        cy += size.cy;
    }
    void operator-=(SIZE size) noexcept {
        cx -= size.cx;
        cy -= size.cy;
    }

    CSize operator+(SIZE size) const noexcept { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const noexcept { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const noexcept { return CSize(-cx, -cy); }
    CPoint operator+(POINT point) const noexcept { return CPoint(cx + point.x, cy + point.y); }
    CPoint operator-(POINT point) const noexcept { return CPoint(cx - point.x, cy - point.y); }
    inline CRect operator+(LPCRECT lpRect) const noexcept;
    inline CRect operator-(LPCRECT lpRect) const noexcept;
};

class CRect : public tagRECT {
public:
    CRect() noexcept { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) noexcept {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    CRect(const RECT& srcRect) noexcept { *static_cast<RECT*>(this) = srcRect; }
    CRect(LPCRECT lpSrcRect) noexcept { *static_cast<RECT*>(this) = *lpSrcRect; }
    CRect(POINT point, SIZE size) noexcept : CRect(point.x, point.y, point.x + size.cx, point.y + size.cy) {}
    CRect(POINT topLeft, POINT bottomRight) noexcept
        : CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y) {}

    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    CSize Size() const noexcept { return CSize(Width(), Height()); }
    // The corners live in the rectangle itself: changing them changes the rectangle.
    CPoint& TopLeft() noexcept { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() noexcept { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const noexcept { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const noexcept { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }
    void SwapLeftRight() noexcept { SwapLeftRight(this); }
    static void SwapLeftRight(LPRECT lpRect) noexcept {
        LONG temp = lpRect->left;
        lpRect->left = lpRect->right;
        lpRect->right = temp;
    }

    operator LPRECT() noexcept { return this; }
    operator LPCRECT() const noexcept { return this; }

    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const noexcept { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }
    void SetRect(int x1, int y1, int x2, int y2) { ::SetRect(this, x1, y1, x2, y2); }
    void SetRect(POINT topLeft, POINT bottomRight) {
        SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    }
    void SetRectEmpty() { ::SetRectEmpty(this); }
    void CopyRect(LPCRECT lpSrcRect) { ::CopyRect(this, lpSrcRect); }
    BOOL EqualRect(LPCRECT lpRect) const { return ::EqualRect(this, lpRect); }

    void InflateRect(int x, int y) { ::InflateRect(this, x, y); }
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    void InflateRect(LPCRECT lpRect) {
        InflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    void InflateRect(int l, int t, int r, int b) noexcept {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int x, int y) { ::InflateRect(this, -x, -y); }
    void DeflateRect(SIZE size) { DeflateRect(size.cx, size.cy); }
    void DeflateRect(LPCRECT lpRect) {
        DeflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    void DeflateRect(int l, int t, int r, int b) noexcept { InflateRect(-l, -t, -r, -b); }
    // Makes left <= right and top <= bottom.
    void NormalizeRect() noexcept {
        if (left > right)
            SwapLeftRight();
        if (top > bottom) {
            LONG temp = top;
            top = bottom;
            bottom = temp;
        }
    }

    void OffsetRect(int x, int y) { ::OffsetRect(this, x, y); }
    void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
    void MoveToX(int x) noexcept {
        right = Width() + x;
        left = x;
    }
    void MoveToY(int y) noexcept {
        bottom = Height() + y;
        top = y;
    }
    void MoveToXY(int x, int y) noexcept {
        MoveToX(x);
        MoveToY(y);
    }
    void MoveToXY(POINT point) noexcept { MoveToXY(point.x, point.y); }

    // The overlap (or the bounding box) of two rectangles; FALSE and an empty rectangle when there is none.
    BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) { return ::IntersectRect(this, lpRect1, lpRect2); }
    BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) { return ::UnionRect(this, lpRect1, lpRect2); }

    CRect& operator=(const RECT& srcRect) noexcept {
        *static_cast<RECT*>(this) = srcRect;
        return *this;
    }
    bool operator==(const RECT& rect) const noexcept {
        return left == rect.left && top == rect.top && right == rect.right && bottom == rect.bottom;
    }
    bool operator!=(const RECT& rect) const noexcept { return !(*this == rect); }
    void operator+=(POINT point) { OffsetRect(point); }
    void operator+=(SIZE size) { OffsetRect(size); }
    void operator+=(LPCRECT lpRect) { InflateRect(lpRect); }
    void operator-=(POINT point) { OffsetRect(-point.x, -point.y); }
    void operator-=(SIZE size) { OffsetRect(-size.cx, -size.cy); }
    void operator-=(LPCRECT lpRect) { DeflateRect(lpRect); }
    void operator&=(const RECT& rect) { IntersectRect(this, &rect); }
    void operator|=(const RECT& rect) { UnionRect(this, &rect); }

    CRect operator+(POINT point) const {
        CRect rect(*this);
        rect += point;
        return rect;
    }
    CRect operator-(POINT point) const {
        CRect rect(*this);
        rect -= point;
        return rect;
    }
    CRect operator+(SIZE size) const {
        CRect rect(*this);
        rect += size;
        return rect;
    }
    CRect operator-(SIZE size) const {
        CRect rect(*this);
        rect -= size;
        return rect;
    }
    CRect operator+(LPCRECT lpRect) const {
        CRect rect(*this);
        rect += lpRect;
        return rect;
    }
    CRect operator-(LPCRECT lpRect) const {
        CRect rect(*this);
        rect -= lpRect;
        return rect;
    }
    CRect operator&(const RECT& rect2) const {
        CRect rect;
        rect.IntersectRect(this, &rect2);
        return rect;
    }
    CRect operator|(const RECT& rect2) const {
        CRect rect;
        rect.UnionRect(this, &rect2);
        return rect;
    }
};

inline CSize CPoint::operator-(POINT point) const noexcept {
    return CSize(x - point.x, y - point.y);
}

inline CRect CPoint::operator+(LPCRECT lpRect) const noexcept {
    return CRect(lpRect->left + x, lpRect->top + y, lpRect->right + x, lpRect->bottom + y);
}

inline CRect CPoint::operator-(LPCRECT lpRect) const noexcept {
    return CRect(lpRect->left - x, lpRect->top - y, lpRect->right - x, lpRect->bottom - y);
}

inline CRect CSize::operator+(LPCRECT lpRect) const noexcept {
    return CRect(lpRect->left + cx, lpRect->top + cy, lpRect->right + cx, lpRect->bottom + cy);
}

inline CRect CSize::operator-(LPCRECT lpRect) const noexcept {
    return CRect(lpRect->left - cx, lpRect->top - cy, lpRect->right - cx, lpRect->bottom - cy);
}
