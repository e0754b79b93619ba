#include "afx/ImageList.h"

#include "TempObjects.h"
#include "afx/Bitmap.h"
#include "afx/ModuleState.h"

#include <unordered_map>

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

std::unordered_map<HIMAGELIST, CImageList*>& Permanent() {
    thread_local std::unordered_map<HIMAGELIST, CImageList*> map;
    return map;
}

CTempObjects<CImageList, HIMAGELIST>& Temporary() {
    thread_local CTempObjects<CImageList, HIMAGELIST> temps(
        [](CImageList& list, HIMAGELIST h) { list.m_hImageList = h; },
        [](HIMAGELIST h) {
            int cx, cy;
            return ImageList_GetIconSize(h, &cx, &cy) != FALSE;
        });
    return temps;
}

} // namespace

CImageList::CImageList() : m_hImageList(nullptr) {}

CImageList::~CImageList() {
    DeleteImageList();
}

HIMAGELIST CImageList::GetSafeHandle() const {
    // Read through a volatile copy: callers may hold a NULL object pointer, as the framework allows.
    const CImageList* volatile pSelf = this;
    return pSelf == nullptr ? nullptr : pSelf->m_hImageList;
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
    if (!hImageList || m_hImageList)
        return FALSE;
    m_hImageList = hImageList;
    Permanent()[hImageList] = this;
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST h = m_hImageList;
    if (h) {
        auto it = Permanent().find(h);
        if (it != Permanent().end() && it->second == this)
            Permanent().erase(it);
    }
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::DeleteImageList() {
    if (!m_hImageList)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
    return Create(MAKEINTRESOURCEA(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask) {
    CBitmap bitmap;
    BITMAP bm{};
    if (!bitmap.LoadBitmap(lpszBitmapID) || !bitmap.GetBitmap(&bm) || cx <= 0)
        return FALSE;
    UINT flags = crMask == CLR_NONE ? ILC_COLOR : ILC_COLOR | ILC_MASK;
    if (!Create(cx, bm.bmHeight, flags, bm.bmWidth / cx, nGrow))
        return FALSE;
    if (Add(&bitmap, crMask) < 0) {
        DeleteImageList();
        return FALSE;
    }
    return TRUE;
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList) {
    if (!hImageList)
        return nullptr;
    if (CImageList* list = FromHandlePermanent(hImageList))
        return list;
    return Temporary().Get(hImageList);
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList) {
    auto it = Permanent().find(hImageList);
    return it != Permanent().end() ? it->second : nullptr;
}

void PASCAL CImageList::DeleteTempMap() {
    Temporary().Clear();
}

int CImageList::GetImageCount() const {
    return ImageList_GetImageCount(m_hImageList);
}

BOOL CImageList::SetImageCount(UINT uNewCount) {
    return ImageList_SetImageCount(m_hImageList, uNewCount);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Add(m_hImageList, pbmImage ? static_cast<HBITMAP>(*pbmImage) : nullptr,
                         pbmMask ? static_cast<HBITMAP>(*pbmMask) : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
    return ImageList_AddMasked(m_hImageList, pbmImage ? static_cast<HBITMAP>(*pbmImage) : nullptr, crMask);
}

BOOL CImageList::Remove(int nImage) {
    return ImageList_Remove(m_hImageList, nImage);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Replace(m_hImageList, nImage, pbmImage ? static_cast<HBITMAP>(*pbmImage) : nullptr,
                             pbmMask ? static_cast<HBITMAP>(*pbmMask) : nullptr);
}

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const {
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

COLORREF CImageList::SetBkColor(COLORREF cr) {
    return ImageList_SetBkColor(m_hImageList, cr);
}

COLORREF CImageList::GetBkColor() const {
    return ImageList_GetBkColor(m_hImageList);
}
