// Filling the tree in one call, from ID records or from item paths.
//
// Both imports give exactly the results of their record-by-record definition (ImpItem per record, and a
// CheckFz lookup from the first top-level item per path component), but find items through an index of the
// first top-level branch that is built once per call and kept up to date as the call inserts, so that an
// import costs time in proportion to its input and the branch, not to their product.
#include "OrnTreeCtrl.h"

#include "BranchWalk.h"

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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

// The four fields of an ID record, read as ImpItem reads them.
struct CRecord {
    LONG nGroup, nParentID, nID;
    CString strText;

    CRecord(const CStringArray& records, INT_PTR iFirst)
        : nGroup(ParseNumber(records.GetAt(iFirst))), nParentID(ParseNumber(records.GetAt(iFirst + 1))),
          nID(ParseNumber(records.GetAt(iFirst + 2))), strText(records.GetAt(iFirst + 3)) {
        if (strText.IsEmpty())
            strText = " ";
    }
};

// Inserts the item of an ID record as ImpItem does: appended to its parent with its text and images, then
// given its ID. NULL when the tree refuses it.
HTREEITEM InsertRecord(CTreeCtrl& tree, const CRecord& record, HTREEITEM hParent) {
    // Images 2 * group and 2 * group + 1, in the 32-bit arithmetic of the platform's int.
    UINT nImage = 2u * static_cast<UINT>(record.nGroup);
    HTREEITEM hItem =
        tree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, record.strText, static_cast<int>(nImage),
                        static_cast<int>(nImage + 1u), 0, 0, 0, hParent, TVI_LAST);
    if (hItem != NULL)
        tree.SetItem(hItem, TVIF_PARAM, NULL, 0, 0, 0, 0, static_cast<LPARAM>(record.nID));
    return hItem;
}

// For each item ID, the item that FindHandleByID(ID, first top-level item) gives: the first item with that
// ID in a pre-order walk of the first top-level branch that descends only into items that report children.
// Built by one such walk on first use; afterwards the import tells it of every item it inserts.
class CFirstBranchIds {
public:
    explicit CFirstBranchIds(CTreeCtrl& tree) : m_tree(tree) {}

    HTREEITEM Find(LONG nID) {
        Build();
        auto it = m_items.find(nID);
        return it == m_items.end() ? NULL : it->second;
    }

    // hItem was inserted as the last child of hParent (TVI_ROOT or NULL: the top level) with an ID that the
    // branch did not hold. It is now the only item of the branch with that ID, if the walk reaches it: at the
    // top level only as the first top-level item of a tree that was empty; below an item of the branch when
    // that item reports children, as its last child is then visited before the walk ends.
    void Inserted(HTREEITEM hItem, HTREEITEM hParent, LONG nID) {
        if (hParent == NULL || hParent == TVI_ROOT) {
            if (m_hRoot == NULL) {
                m_hRoot = m_tree.GetRootItem();
                if (m_hRoot == hItem)
                    m_items.emplace(nID, hItem);
            }
            return;
        }
        if (m_tree.ItemHasChildren(hParent))
            m_items.emplace(nID, hItem);
    }

    void Reserve(size_t nMore) { m_nReserve = nMore; }

private:
    void Build() {
        if (m_bBuilt)
            return;
        m_bBuilt = true;
        m_items.reserve(m_tree.GetCount() + m_nReserve);
        m_hRoot = m_tree.GetRootItem();
        if (m_hRoot == NULL)
            return;
        Add(m_hRoot);
        if (!m_tree.ItemHasChildren(m_hRoot))
            return;
        WalkBranch(m_tree, m_hRoot, [&](HTREEITEM hItem, size_t) {
            Add(hItem);
            return m_tree.ItemHasChildren(hItem) ? WalkStep::Descend : WalkStep::Skip;
        });
    }
    // The first item seen with an ID keeps it.
    void Add(HTREEITEM hItem) { m_items.emplace(static_cast<LONG>(m_tree.GetItemData(hItem)), hItem); }

    CTreeCtrl& m_tree;
    bool m_bBuilt = false;
    size_t m_nReserve = 0;
    HTREEITEM m_hRoot = NULL;
    std::unordered_map<LONG, HTREEITEM> m_items;
};

// Hashes texts and views of texts alike, so that a component is looked up without copying it.
struct CTextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
};

// What CheckFz(first top-level item, path) gives, for the growing partial paths of one imported path.
//
// Each level of CheckFz reads the first two components of what is left of the path, compares the item's
// text with the first, and goes on with the first child whose text is the second. Here the children of an
// item are looked up by text in a table of the item's children (the first child with each text), made when
// the item is first passed and kept up to date by the import; texts are known from the tables, not asked
// again. And a level whose second component ended at a backslash reads and decides exactly the same in every
// longer partial path of the same path, while the import only ever adds items after existing siblings, so
// its step stays valid: each lookup starts at the deepest level reached that way by the one before.
class CFirstBranchPaths {
public:
    explicit CFirstBranchPaths(CTreeCtrl& tree) : m_tree(tree) {}

    // The partial paths that follow, up to the next call, are those of strFull: each one is strFull up to a
    // component's end (components separated by single backslashes, the first not empty unless it is the only
    // one).
    void BeginPath(const CString& strFull) {
        m_levels.clear();
        int nLength = strFull.GetLength();
        LPCSTR psz = strFull;
        m_nextNonSeparator.assign(static_cast<size_t>(nLength) + 1, nLength);
        for (int i = nLength - 1; i >= 0; --i)
            m_nextNonSeparator[static_cast<size_t>(i)] =
                psz[i] == '\\' ? m_nextNonSeparator[static_cast<size_t>(i) + 1] : i;
        // Character starts in the system code page; without bytes above 0x7F every byte starts one.
        m_charStarts.clear();
        bool bWide = false;
        for (int i = 0; i < nLength && !bWide; ++i)
            bWide = (static_cast<unsigned char>(psz[i]) & 0x80) != 0;
        if (bWide) {
            m_charStarts.assign(static_cast<size_t>(nLength), false);
            for (LPCSTR p = psz; *p != '\0';) {
                m_charStarts[static_cast<size_t>(p - psz)] = true;
                LPCSTR pNext = CharNextA(p);
                p = pNext > p ? pNext : p + 1;
            }
        }
    }

    // CheckFz(first top-level item, strPath), where strPath is a partial path of the current path, longer
    // than the one before.
    HTREEITEM Resolve(const CString& strPath) {
        if (m_hRoot == NULL) {
            m_hRoot = m_tree.GetRootItem();
            if (m_hRoot == NULL)
                return NULL;
            m_strRootText = static_cast<LPCSTR>(m_tree.GetItemText(m_hRoot));
        }
        if (m_levels.empty())
            m_levels.push_back({0, m_hRoot, &m_strRootText});
        int nLength = strPath.GetLength();
        LPCSTR psz = strPath;
        bool bEndsInSeparator = nLength > 0 && psz[nLength - 1] == '\\' &&
                                (m_charStarts.empty() || m_charStarts[static_cast<size_t>(nLength) - 1]);
        // The walk goes on from the last level kept; levels it adds are kept while each is reached by a step
        // whose second component ended at a backslash.
        size_t nKept = m_levels.size();
        Level level = m_levels.back();
        for (;;) {
            // The first two components of the rest, as Explode cuts them.
            int iFrom = std::min(m_nextNonSeparator[static_cast<size_t>(level.iRest)], nLength);
            bool bClosedByExtra = iFrom == nLength || !bEndsInSeparator;
            std::string_view first, second;
            int iNext = -1;
            int iSeparator = strPath.Find('\\', iFrom);
            if (iSeparator >= 0) {
                first = std::string_view(psz + iFrom, static_cast<size_t>(iSeparator - iFrom));
                iNext = iSeparator + 1;
            } else if (bClosedByExtra) {
                first = std::string_view(psz + iFrom, static_cast<size_t>(nLength - iFrom));
            }
            bool bSecond = false, bSecondEndsAtSeparator = false;
            if (iNext >= 0) {
                int iSecondEnd = strPath.Find('\\', iNext);
                if (iSecondEnd >= 0) {
                    second = std::string_view(psz + iNext, static_cast<size_t>(iSecondEnd - iNext));
                    bSecond = bSecondEndsAtSeparator = true;
                } else if (bClosedByExtra) {
                    second = std::string_view(psz + iNext, static_cast<size_t>(nLength - iNext));
                    bSecond = true;
                }
            }
            if (!bSecond)
                return *level.pText == first ? level.hItem : NULL;
            if (*level.pText != first)
                return NULL;
            if (!m_tree.ItemHasChildren(level.hItem))
                return NULL;
            const Children& children = ChildrenOf(level.hItem);
            auto it = children.find(second);
            if (it == children.end())
                return NULL;
            level = {strPath.Find('\\', level.iRest) + 1, it->second, &it->first};
            if (bSecondEndsAtSeparator && nKept == m_levels.size()) {
                m_levels.push_back(level);
                ++nKept;
            }
        }
    }

    // hItem was inserted with strText as the last child of hParent (TVI_ROOT or NULL: the top level).
    void Inserted(HTREEITEM hItem, HTREEITEM hParent, LPCSTR pszText) {
        if (hItem == NULL || hParent == NULL || hParent == TVI_ROOT)
            return;
        auto it = m_children.find(hParent);
        if (it != m_children.end())
            it->second->try_emplace(pszText, hItem);
    }

private:
    using Children = std::unordered_map<std::string, HTREEITEM, CTextHash, std::equal_to<>>;
    struct Level {
        int iRest;                // where the rest of the path starts
        HTREEITEM hItem;          // the item that stands for its first component
        const std::string* pText; // the item's text
    };

    // The first child with each text, read from the tree once.
    const Children& ChildrenOf(HTREEITEM hItem) {
        std::unique_ptr<Children>& pChildren = m_children[hItem];
        if (!pChildren) {
            pChildren = std::make_unique<Children>();
            for (HTREEITEM hChild = m_tree.GetChildItem(hItem); hChild != NULL;
                 hChild = m_tree.GetNextSiblingItem(hChild))
                pChildren->try_emplace(static_cast<LPCSTR>(m_tree.GetItemText(hChild)), hChild);
        }
        return *pChildren;
    }

    CTreeCtrl& m_tree;
    HTREEITEM m_hRoot = NULL;
    std::string m_strRootText;
    std::unordered_map<HTREEITEM, std::unique_ptr<Children>> m_children;
    std::vector<Level> m_levels;
    // For each position of the current path, the first position from there on that is not a backslash.
    std::vector<int> m_nextNonSeparator;
    // Empty when every byte of the current path starts a character.
    std::vector<bool> m_charStarts;
};

} // namespace

// Records are applied in array order; the result is the first new item that has the wanted ID.
HTREEITEM COrnTreeCtrl::ImpByIds(CStringArray* pRecords, bool bClear, long lWantedID) {
    if (pRecords == NULL)
        return NULL;
    if (bClear)
        DeleteAllItems();
    HTREEITEM hWanted = NULL;
    int nRecords = static_cast<int>(pRecords->GetSize() / 4);
    CFirstBranchIds index(*this);
    index.Reserve(static_cast<size_t>(nRecords));
    for (int nRecord = 0; nRecord < nRecords; ++nRecord) {
        CRecord record(*pRecords, static_cast<INT_PTR>(nRecord) * 4);
        // As in ImpItem: a record whose ID the branch holds is skipped; a parent outside it means the top.
        if (index.Find(record.nID) != NULL)
            continue;
        HTREEITEM hParent = record.nParentID == -1 ? TVI_ROOT : index.Find(record.nParentID);
        HTREEITEM hItem = InsertRecord(*this, record, hParent);
        if (hItem == NULL)
            continue;
        index.Inserted(hItem, hParent, record.nID);
        if (hWanted == NULL && record.nID == static_cast<LONG>(lWantedID))
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
    CRecord record(*pRecords, iFirst);
    if (FindHandleByID(record.nID, GetRootItem()) != NULL)
        return NULL;
    HTREEITEM hParent = record.nParentID == -1 ? TVI_ROOT : FindHandleByID(record.nParentID, GetRootItem());
    HTREEITEM hItem = InsertRecord(*this, record, hParent);
    if (hItem == NULL)
        return NULL;
    return record.nID == static_cast<LONG>(lWantedID) ? hItem : NULL;
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
    CFirstBranchPaths index(*this);
    for (INT_PTR iPath = 0; iPath < nPaths; ++iPath) {
        CString strWork = pPaths->GetAt(iPath);
        strWork.TrimLeft('\\');
        strWork.TrimRight('\\');
        strWork += '\\';
        Explode(strWork, &arrComponents);

        // The partial paths are the whole path's beginnings, so the whole path is made first.
        CString strFull;
        for (INT_PTR iComponent = 0; iComponent < arrComponents.GetSize(); ++iComponent) {
            strFull += '\\';
            strFull += arrComponents[iComponent];
            strFull.TrimLeft('\\');
        }
        index.BeginPath(strFull);

        CString strPartial;
        HTREEITEM hParent = TVI_ROOT;
        for (INT_PTR iComponent = 0; iComponent < arrComponents.GetSize(); ++iComponent) {
            const CString& strComponent = arrComponents[iComponent];
            strPartial += '\\';
            strPartial += strComponent;
            strPartial.TrimLeft('\\');
            if (strPartial.GetLength() > strFull.GetLength())
                index.BeginPath(strPartial);
            HTREEITEM hItem = index.Resolve(strPartial);
            if (hItem == NULL) {
                LPCSTR pszText = strComponent.IsEmpty() ? " " : static_cast<LPCSTR>(strComponent);
                hItem = InsertItem(TVIF_TEXT, pszText, 0, 0, 0, 0, 0, hParent, TVI_LAST);
                index.Inserted(hItem, hParent, pszText);
            }
            hParent = hItem;
        }
    }
    InvalidateRect(NULL, TRUE);
}
