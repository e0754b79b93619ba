// Image lists: strips of equally sized images with optional masks.
#pragma once

#include "gdi.h"

#ifndef RC_INVOKED
struct _IMAGELIST;
typedef struct _IMAGELIST* HIMAGELIST;
#endif // RC_INVOKED

// ImageList_Create flags
#define ILC_MASK 0x00000001
#define ILC_COLOR 0x00000000
#define ILC_COLORDDB 0x000000FE
#define ILC_COLOR4 0x00000004
#define ILC_COLOR8 0x00000008
#define ILC_COLOR16 0x00000010
#define ILC_COLOR24 0x00000018
#define ILC_COLOR32 0x00000020
#define ILC_PALETTE 0x00000800
#define ILC_MIRROR 0x00002000
#define ILC_PERITEMMIRROR 0x00008000

#ifndef RC_INVOKED
typedef struct _IMAGEINFO {
    HBITMAP hbmImage;
    HBITMAP hbmMask;
    int Unused1;
    int Unused2;
    RECT rcImage;
} IMAGEINFO, *LPIMAGEINFO;

HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow);
BOOL WINAPI ImageList_Destroy(HIMAGELIST himl);
int WINAPI ImageList_GetImageCount(HIMAGELIST himl);
BOOL WINAPI ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount);
int WINAPI ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask);
int WINAPI ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask);
BOOL WINAPI ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask);
BOOL WINAPI ImageList_Remove(HIMAGELIST himl, int i);
BOOL WINAPI ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
BOOL WINAPI ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* pImageInfo);
COLORREF WINAPI ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk);
COLORREF WINAPI ImageList_GetBkColor(HIMAGELIST himl);
#endif // RC_INVOKED

#define ImageList_RemoveAll(himl) ImageList_Remove(himl, -1)

#ifndef RC_INVOKED
// Dragging an image: one drag per thread, with its own copy of the image. Coordinates of DragEnter and
// DragMove are relative to the lock window's origin (the desktop's for NULL).
BOOL WINAPI ImageList_BeginDrag(HIMAGELIST himlTrack, int iTrack, int dxHotspot, int dyHotspot);
void WINAPI ImageList_EndDrag(void);
BOOL WINAPI ImageList_DragEnter(HWND hwndLock, int x, int y);
BOOL WINAPI ImageList_DragLeave(HWND hwndLock);
BOOL WINAPI ImageList_DragMove(int x, int y);
BOOL WINAPI ImageList_DragShowNolock(BOOL fShow);
BOOL WINAPI ImageList_SetDragCursorImage(HIMAGELIST himlDrag, int iDrag, int dxHotspot, int dyHotspot);
HIMAGELIST WINAPI ImageList_GetDragImage(POINT* ppt, POINT* pptHotspot);
#endif // RC_INVOKED
