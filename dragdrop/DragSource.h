// What the two halves of drag and drop share: the source tree of the drag in progress and the image filters.
#pragma once

#include <afxcmn.h>
#include <afxtempl.h>

// The window of the tree whose drag is in progress, NULL between drags.
extern HWND g_hDragSourceWnd;

// Called as a tree goes: a drag source that is this window, or a window already gone, is forgotten.
void ForgetDragSource(HWND hWnd);

// Whether the image list is the one the tree shows its items with: a check tree's check images, which a
// drag must leave alone.
bool IsShownImageList(const CTreeCtrl& tree, const CImageList* pImageList);

// Whether the image's group (nImage / 2, truncated toward zero) is listed in the filter.
bool IsInImageFilter(const CArray<int, const int&>& arrFilter, int nImage);
