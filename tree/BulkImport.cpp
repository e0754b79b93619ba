// Filling the tree in one call, from ID records or from item paths.
#include "OrnTreeCtrl.h"

namespace {

constexpr long long kLongMax = 2147483647LL;

// A number of an ID record, read as the C library's atol reads it: white space skipped, an optional sign,
// then decimal digits up to the first other character; no digits give 0. A value beyond the 32-bit range
// becomes the range's nearest end, as with the platform's own atol.
LONG ParseNumber(const CString& str) {
    LPCSTR p = str;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool bNegative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    // Digits beyond the range's end no longer change the result, so the magnitude stops growing there.
    long long nMagnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (nMagnitude <= kLongMax)
            nMagnitude = nMagnitude * 10 + (*p - '0');
    }
    if (bNegative)
        return static_cast<LONG>(nMagnitude > kLongMax ? -kLongMax - 1 : -nMagnitude);
    return static_cast<LONG>(nMagnitude > kLongMax ? kLongMax : nMagnitude);
}

} // namespace

// Records are applied in array order; the result is the first new item that has the wanted ID.
HTREEITEM COrnTreeCtrl::ImpByIds(CStringArray* pRecords, bool bClear, long lWantedID) {
    if (pRecords == NULL)
        return NULL;
    if (bClear)
        DeleteAllItems();
    HTREEITEM hWanted = NULL;
    int nRecords = static_cast<int>(pRecords->GetSize() / 4);
    for (int nRecord = 0; nRecord < nRecords; ++nRecord) {
        HTREEITEM hItem = ImpItem(pRecords, nRecord, lWantedID);
        if (hWanted == NULL)
            hWanted = hItem;
    }
    InvalidateRect(NULL, TRUE);
    return hWanted;
}

// Record nRecord is four strings from index 4 * nRecord: image group, parent ID (-1: top level), ID, text.
// A record whose ID the first top-level branch already holds is skipped. A parent that is not found there
// leaves the item at the top level.
HTREEITEM COrnTreeCtrl::ImpItem(CStringArray* pRecords, int nRecord, long lWantedID) {
    if (pRecords == NULL || pRecords->IsEmpty())
        return NULL;
    INT_PTR iFirst = static_cast<INT_PTR>(nRecord) * 4;
    if (iFirst < 0 || iFirst + 3 >= pRecords->GetSize())
        AfxThrowInvalidArgException();
    LONG nGroup = ParseNumber(pRecords->GetAt(iFirst));
    LONG nParentID = ParseNumber(pRecords->GetAt(iFirst + 1));
    LONG nID = ParseNumber(pRecords->GetAt(iFirst + 2));
    CString strText = pRecords->GetAt(iFirst + 3);
    if (strText.IsEmpty())
        strText = " ";

    if (FindHandleByID(nID, GetRootItem()) != NULL)
        return NULL;
    HTREEITEM hParent = nParentID == -1 ? TVI_ROOT : FindHandleByID(nParentID, GetRootItem());
    // Images 2 * group and 2 * group + 1, in the 32-bit arithmetic of the platform's int.
    UINT nImage = 2u * static_cast<UINT>(nGroup);
    HTREEITEM hItem =
        InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, strText, static_cast<int>(nImage),
                   static_cast<int>(nImage + 1u), 0, 0, 0, hParent, TVI_LAST);
    if (hItem == NULL)
        return NULL;
    SetItem(hItem, TVIF_PARAM, NULL, 0, 0, 0, 0, static_cast<LPARAM>(nID));
    return nID == static_cast<LONG>(lWantedID) ? hItem : NULL;
}

// Each path's missing components are created below the last one found; lookups start at the first
// top-level item, so existing items are reused only in its branch. Imported items carry ID 0 and image 0.
void COrnTreeCtrl::ImpByPaths(CStringArray* pPaths, unsigned long ulUnused, bool bClear) {
    UNUSED_ALWAYS(ulUnused);
    if (pPaths == NULL)
        return;
    if (bClear)
        DeleteAllItems();
    INT_PTR nPaths = pPaths->GetSize();
    CStringArray arrComponents;
    for (INT_PTR iPath = 0; iPath < nPaths; ++iPath) {
        CString strWork = pPaths->GetAt(iPath);
        strWork.TrimLeft('\\');
        strWork.TrimRight('\\');
        strWork += '\\';
        Explode(strWork, &arrComponents);

        CString strPartial;
        HTREEITEM hParent = TVI_ROOT;
        for (INT_PTR iComponent = 0; iComponent < arrComponents.GetSize(); ++iComponent) {
            const CString& strComponent = arrComponents[iComponent];
            strPartial += '\\';
            strPartial += strComponent;
            strPartial.TrimLeft('\\');
            HTREEITEM hItem = CheckFz(GetRootItem(), strPartial);
            if (hItem == NULL)
                hItem =
                    InsertItem(TVIF_TEXT, strComponent.IsEmpty() ? " " : static_cast<LPCSTR>(strComponent), 0,
                               0, 0, 0, 0, hParent, TVI_LAST);
            hParent = hItem;
        }
    }
    InvalidateRect(NULL, TRUE);
}
