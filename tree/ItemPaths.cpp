// Items by ID and by path: searches of a branch, expanding down to an item, and paths of items and leaves.
#include "OrnTreeCtrl.h"

#include "BranchWalk.h"
#include "ItemHandle.h"

#include <vector>

namespace {

// Whether the last character of the text is a backslash. The search steps through the characters in the
// system code page, so a double-byte character whose trail byte is 0x5C does not count.
bool EndsInBackslash(const CString& str) {
    return !str.IsEmpty() && str.ReverseFind('\\') == str.GetLength() - 1;
}

// Reads the components of a path, from a character boundary on, as Explode cuts them: the leading
// backslashes are passed over; then each text before a backslash is a component, and when nothing is left
// after the leading backslashes, or the text does not end in a backslash, the rest counts as closed by one
// more backslash. The text after the last backslash is never a component, so there is always at least one.
class CComponentReader {
public:
    // bEndsInBackslash: whether strPath ends in a backslash, worked out once for all readers of it.
    CComponentReader(const CString& strPath, int iFrom, bool bEndsInBackslash) : m_strPath(strPath) {
        int nLength = strPath.GetLength();
        while (iFrom < nLength && strPath[iFrom] == '\\')
            ++iFrom;
        m_iNext = iFrom;
        m_bClosedByExtra = iFrom == nLength || !bEndsInBackslash;
    }

    // False when no component is left.
    bool Read(CString& strComponent) {
        if (m_iNext < 0)
            return false;
        int iSeparator = m_strPath.Find('\\', m_iNext);
        if (iSeparator >= 0) {
            strComponent = m_strPath.Mid(m_iNext, iSeparator - m_iNext);
            m_iNext = iSeparator + 1;
            return true;
        }
        if (!m_bClosedByExtra)
            return false;
        strComponent = m_strPath.Mid(m_iNext);
        m_iNext = -1;
        return true;
    }

private:
    const CString& m_strPath;
    // Where the next component starts, or -1 after the last.
    int m_iNext;
    bool m_bClosedByExtra;
};

} // namespace

// Depth first, an item before its children: the first match in that order.
HTREEITEM COrnTreeCtrl::FindHandleByID(long lID, HTREEITEM hStart) {
    // Item data is 32 bits wide on every platform.
    LONG nID = static_cast<LONG>(lID);
    auto matches = [&](HTREEITEM hItem) { return static_cast<LONG>(GetItemData(hItem)) == nID; };
    if (hStart == NULL)
        return NULL;
    // The start's ID reads from any tree, and as 0 for a handle of none: only an item of this tree is found.
    if (matches(hStart))
        return IsItemOf(*this, hStart) ? hStart : NULL;
    if (!ItemHasChildren(hStart))
        return NULL;
    HTREEITEM hFound = NULL;
    WalkBranch(*this, hStart, [&](HTREEITEM hItem, size_t) {
        if (matches(hItem)) {
            hFound = hItem;
            return WalkStep::Stop;
        }
        return ItemHasChildren(hItem) ? WalkStep::Descend : WalkStep::Skip;
    });
    return hFound;
}

// An ID of 0 or less stands for the tree's root, which has no ancestors to expand.
bool COrnTreeCtrl::ExpandById(const long& lID) {
    HTREEITEM hItem = TVI_ROOT;
    if (static_cast<LONG>(lID) > 0) {
        hItem = FindHandleByID(lID, GetRootItem());
        if (hItem == NULL)
            return false;
    }
    // The nearest ancestor first.
    for (HTREEITEM hAncestor = GetParentItem(hItem); hAncestor != NULL; hAncestor = GetParentItem(hAncestor))
        Expand(hAncestor, TVE_EXPAND);
    Expand(hItem, TVE_EXPAND);
    SelectItem(hItem);
    return true;
}

// Every item that has children is expanded, in pre-order; an item's children are expanded before it is
// asked whether it has children of its own, and then expanded again as the top of their own branch.
void COrnTreeCtrl::ExpandAll(HTREEITEM hItem) {
    auto expandBranchTop = [&](HTREEITEM hTop) {
        if (hTop == NULL || !ItemHasChildren(hTop))
            return false;
        Expand(hTop, TVE_EXPAND);
        return true;
    };
    if (!expandBranchTop(hItem))
        return;
    WalkBranch(*this, hItem, [&](HTREEITEM hChild, size_t) {
        Expand(hChild, TVE_EXPAND);
        return ItemHasChildren(hChild) && expandBranchTop(hChild) ? WalkStep::Descend : WalkStep::Skip;
    });
}

void COrnTreeCtrl::GetItemDir(CString& strDir, HTREEITEM hItem) {
    if (hItem == NULL) {
        hItem = GetSelectedItem();
        if (hItem == NULL)
            return;
    } else if (!IsItemOf(*this, hItem)) {
        return;
    }
    // Texts from the item upward; joined once at the end, so that deep items cost no more than their path.
    std::vector<CString> texts;
    int nLength = 0;
    for (HTREEITEM h = hItem; h != NULL; h = GetParentItem(h)) {
        texts.push_back(GetItemText(h));
        nLength += texts.back().GetLength() + 1;
    }
    CString strPath;
    strPath.Preallocate(nLength);
    for (auto it = texts.rbegin(); it != texts.rend(); ++it) {
        if (it != texts.rbegin())
            strPath += '\\';
        strPath += *it;
    }
    strDir = strPath;
}

HTREEITEM COrnTreeCtrl::GetItemByDir(const CString& strDir) {
    return CheckFz(GetRootItem(), strDir);
}

// The start item stands for the first component. Each level reads the components of what is left of the
// path anew, as received: the cut removes the text up to the first backslash, so a leading backslash costs
// one level on which the first component is compared again. Only the first child matching the next
// component is followed.
HTREEITEM COrnTreeCtrl::CheckFz(HTREEITEM hStart, const CString& strPath) {
    // A start that is no item of this tree would be read from another tree, or as an empty text.
    if (!IsItemOf(*this, hStart))
        return NULL;
    bool bEndsInBackslash = EndsInBackslash(strPath);
    auto matches = [&](HTREEITEM hItem, const CString& strComponent) {
        return GetItemText(hItem).Compare(strComponent) == 0;
    };
    HTREEITEM hItem = hStart;
    int iRest = 0;
    for (;;) {
        CComponentReader reader(strPath, iRest, bEndsInBackslash);
        CString strFirst, strSecond;
        reader.Read(strFirst);
        if (!reader.Read(strSecond))
            return matches(hItem, strFirst) ? hItem : NULL;
        if (!matches(hItem, strFirst))
            return NULL;
        iRest = strPath.Find('\\', iRest) + 1;
        if (!ItemHasChildren(hItem))
            return NULL;
        HTREEITEM hChild = GetChildItem(hItem);
        while (hChild != NULL && !matches(hChild, strSecond))
            hChild = GetNextSiblingItem(hChild);
        if (hChild == NULL)
            return NULL;
        hItem = hChild;
    }
}

void COrnTreeCtrl::Explode(CString& strPath, CStringArray* pComponents) {
    if (pComponents == NULL)
        return;
    pComponents->RemoveAll();
    CComponentReader reader(strPath, 0, EndsInBackslash(strPath));
    CString strComponent;
    while (reader.Read(strComponent))
        pComponents->Add(strComponent);
}

// One path string is extended and cut back as the walk goes down and up, so that memory and copying grow
// with the paths written, not with the depth times the paths.
void COrnTreeCtrl::GetLeafDirs(const CTreeCtrl& tree, CString strPrefix, HTREEITEM hItem,
                               CStringArray& arrDirs) {
    if (!IsItemOf(tree, hItem))
        return;
    if (!tree.ItemHasChildren(hItem)) {
        arrDirs.Add(strPrefix);
        return;
    }
    // strPrefix holds the path of the item being visited; levelStarts[n] is the length of the path of the
    // items on level n without their own text.
    std::vector<int> levelStarts{strPrefix.GetLength()};
    WalkBranch(tree, hItem, [&](HTREEITEM hChild, size_t nLevel) {
        strPrefix.Truncate(levelStarts[nLevel]);
        strPrefix += '\\';
        strPrefix += tree.GetItemText(hChild);
        if (!tree.ItemHasChildren(hChild)) {
            arrDirs.Add(strPrefix);
            return WalkStep::Skip;
        }
        levelStarts.resize(nLevel + 1);
        levelStarts.push_back(strPrefix.GetLength());
        return WalkStep::Descend;
    });
}
