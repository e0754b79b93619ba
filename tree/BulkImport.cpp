// Filling the tree in one call, from ID records or from item paths.
//
// Both imports give exactly the results of their record-by-record definition (ImpItem per record, and a
// CheckFz lookup from the first top-level item per path component), but find items through an index of the
// first top-level branch that is built once per call and kept up to date as the call inserts, so that an
// import costs time in proportion to its input and the branch, not to their product.
#include "OrnTreeCtrl.h"

#include "BranchWalk.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
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
// Built by one such walk on first use; afterwards the import tells it of every item it inserts. An item
// given a child reports children from then on, even one whose children were hidden by an explicit count:
// the walk then reaches those too, and the index is built again.
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
        if (!m_tree.ItemHasChildren(hParent))
            return;
        // A parent entered for the first time: if it held children before this one, they were hidden from
        // the walk until now.
        if (m_opened.insert(hParent).second && m_tree.GetPrevSiblingItem(hItem) != NULL) {
            m_bBuilt = false;
            return;
        }
        m_items.emplace(nID, hItem);
    }

    void Reserve(size_t nMore) { m_nReserve = nMore; }

private:
    void Build() {
        if (m_bBuilt)
            return;
        m_bBuilt = true;
        m_items.clear();
        m_opened.clear();
        m_items.reserve(m_tree.GetCount() + m_nReserve);
        m_hRoot = m_tree.GetRootItem();
        if (m_hRoot == NULL)
            return;
        Add(m_hRoot);
        if (!Opens(m_hRoot))
            return;
        WalkBranch(m_tree, m_hRoot, [&](HTREEITEM hItem, size_t) {
            Add(hItem);
            return Opens(hItem) ? WalkStep::Descend : WalkStep::Skip;
        });
    }
    // Whether the walk descends into the item; those it does are noted.
    bool Opens(HTREEITEM hItem) {
        if (!m_tree.ItemHasChildren(hItem))
            return false;
        m_opened.insert(hItem);
        return true;
    }
    // The first item seen with an ID keeps it.
    void Add(HTREEITEM hItem) { m_items.emplace(static_cast<LONG>(m_tree.GetItemData(hItem)), hItem); }

    CTreeCtrl& m_tree;
    bool m_bBuilt = false;
    size_t m_nReserve = 0;
    HTREEITEM m_hRoot = NULL;
    std::unordered_map<LONG, HTREEITEM> m_items;
    std::unordered_set<HTREEITEM> m_opened; // the items whose children the walk has been into
};

// Whether every byte of the text is a character of its own in the system code page: none is a lead byte.
bool IsSingleByte(LPCSTR psz, int nLength) {
    for (int i = 0; i < nLength; ++i) {
        if ((static_cast<unsigned char>(psz[i]) & 0x80) != 0 && IsDBCSLeadByte(static_cast<BYTE>(psz[i])))
            return false;
    }
    return true;
}

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
// again. A level that went on to a child reads and decides exactly the same in every longer partial path of
// the same path, as long as the second component read there is followed by a backslash in the longer ones
// (always, when every byte of the path is a character of its own), and the import only ever adds items
// after existing siblings, so that step stays valid: each lookup starts at the deepest level reached that
// way by the one before.
class CFirstBranchPaths {
public:
    explicit CFirstBranchPaths(CTreeCtrl& tree) : m_tree(tree) {}

    // The partial paths that follow, up to the next call, are those of the path of nLength bytes at psz:
    // each one is that path up to a component's end (components separated by single backslashes, the first
    // not empty unless it is the only one).
    void BeginPath(LPCSTR psz, int nLength) {
        m_levels.clear();
        m_nextSeparator.resize(static_cast<size_t>(nLength) + 1);
        m_nextNonSeparator.resize(static_cast<size_t>(nLength) + 1);
        m_nextSeparator[static_cast<size_t>(nLength)] = m_nextNonSeparator[static_cast<size_t>(nLength)] =
            nLength;
        for (int i = nLength - 1; i >= 0; --i) {
            size_t u = static_cast<size_t>(i);
            bool bSeparator = psz[i] == '\\';
            m_nextSeparator[u] = bSeparator ? i : m_nextSeparator[u + 1];
            m_nextNonSeparator[u] = bSeparator ? m_nextNonSeparator[u + 1] : i;
        }
        // Character starts in the system code page; without lead bytes every byte starts one.
        m_bSingleByte = IsSingleByte(psz, nLength);
        m_charStarts.clear();
        if (!m_bSingleByte) {
            m_charStarts.assign(static_cast<size_t>(nLength), false);
            for (LPCSTR p = psz; p < psz + nLength;) {
                m_charStarts[static_cast<size_t>(p - psz)] = true;
                LPCSTR pNext = CharNextA(p);
                p = pNext > p ? pNext : p + 1;
            }
        }
    }

    // CheckFz(first top-level item, partial path), where the partial path is the first nLength bytes of the
    // current path, longer than the one before; a path with lead bytes also comes as a string of its own.
    HTREEITEM Resolve(LPCSTR psz, int nLength, const CString* pPartial) {
        if (m_hRoot == NULL) {
            m_hRoot = m_tree.GetRootItem();
            if (m_hRoot == NULL)
                return NULL;
            m_strRootText = static_cast<LPCSTR>(m_tree.GetItemText(m_hRoot));
        }
        if (m_levels.empty())
            m_levels.push_back({0, m_hRoot, &m_strRootText});
        bool bEndsInSeparator = nLength > 0 && psz[nLength - 1] == '\\' &&
                                (m_bSingleByte || m_charStarts[static_cast<size_t>(nLength) - 1]);
        // The walk goes on from the last level kept; levels it adds are kept while each is reached by a step
        // that longer partial paths repeat.
        size_t nKept = m_levels.size();
        Level level = m_levels.back();
        for (;;) {
            // The first two components of the rest, as Explode cuts them.
            int iFrom = std::min(m_nextNonSeparator[static_cast<size_t>(level.iRest)], nLength);
            bool bClosedByExtra = iFrom == nLength || !bEndsInSeparator;
            std::string_view first, second;
            int iNext = -1;
            int iSeparator = FindSeparator(pPartial, nLength, iFrom);
            if (iSeparator >= 0) {
                first = std::string_view(psz + iFrom, static_cast<size_t>(iSeparator - iFrom));
                iNext = iSeparator + 1;
            } else if (bClosedByExtra) {
                first = std::string_view(psz + iFrom, static_cast<size_t>(nLength - iFrom));
            }
            bool bSecond = false, bRepeated = false;
            if (iNext >= 0) {
                int iSecondEnd = FindSeparator(pPartial, nLength, iNext);
                if (iSecondEnd >= 0) {
                    second = std::string_view(psz + iNext, static_cast<size_t>(iSecondEnd - iNext));
                    bSecond = bRepeated = true;
                } else if (bClosedByExtra) {
                    second = std::string_view(psz + iNext, static_cast<size_t>(nLength - iNext));
                    bSecond = true;
                    bRepeated = m_bSingleByte;
                }
            }
            if (!bSecond)
                return *level.pText == first ? level.hItem : NULL;
            if (*level.pText != first)
                return NULL;
            const CChildren& children = ChildrenOf(level.hItem);
            if (!children.bHasChildren)
                return NULL;
            auto it = children.byText.find(second);
            if (it == children.byText.end())
                return NULL;
            level = {FindSeparator(pPartial, nLength, level.iRest) + 1, it->second, &it->first};
            if (bRepeated && nKept == m_levels.size()) {
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
        if (it == m_children.end())
            return;
        CChildren& children = *it->second;
        children.byText.try_emplace(pszText, hItem);
        // An item that reports children goes on doing so when one more is added.
        if (!children.bHasChildren)
            children.bHasChildren = m_tree.ItemHasChildren(hParent) != FALSE;
    }

private:
    // An item's children: whether it reports any (ItemHasChildren), and the first child with each text.
    struct CChildren {
        bool bHasChildren;
        std::unordered_map<std::string, HTREEITEM, CTextHash, std::equal_to<>> byText;
    };
    struct Level {
        int iRest;                // where the rest of the path starts
        HTREEITEM hItem;          // the item that stands for its first component
        const std::string* pText; // the item's text
    };

    // The children of an item, read from the tree once.
    const CChildren& ChildrenOf(HTREEITEM hItem) {
        std::unique_ptr<CChildren>& pChildren = m_children[hItem];
        if (!pChildren) {
            pChildren = std::make_unique<CChildren>();
            pChildren->bHasChildren = m_tree.ItemHasChildren(hItem) != FALSE;
            for (HTREEITEM hChild = m_tree.GetChildItem(hItem); hChild != NULL;
                 hChild = m_tree.GetNextSiblingItem(hChild))
                pChildren->byText.try_emplace(static_cast<LPCSTR>(m_tree.GetItemText(hChild)), hChild);
        }
        return *pChildren;
    }

    // CString::Find('\\', iFrom) on the partial path of nLength bytes.
    int FindSeparator(const CString* pPartial, int nLength, int iFrom) const {
        if (!m_bSingleByte)
            return pPartial->Find('\\', iFrom);
        if (iFrom >= nLength)
            return -1;
        int iFound = m_nextSeparator[static_cast<size_t>(iFrom)];
        return iFound < nLength ? iFound : -1;
    }

    CTreeCtrl& m_tree;
    HTREEITEM m_hRoot = NULL;
    std::string m_strRootText;
    std::unordered_map<HTREEITEM, std::unique_ptr<CChildren>> m_children;
    std::vector<Level> m_levels;
    // For each position of the current path, the first position from there on that is a backslash, and
    // the first that is not.
    std::vector<int> m_nextSeparator, m_nextNonSeparator;
    // Whether every byte of the current path is a character of its own; if not, where characters start.
    bool m_bSingleByte = true;
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
    std::string strText;
    for (INT_PTR iPath = 0; iPath < nPaths; ++iPath) {
        const CString& strPath = pPaths->GetAt(iPath);
        LPCSTR psz = strPath;
        int nLength = strPath.GetLength();
        HTREEITEM hParent = TVI_ROOT;
        if (IsSingleByte(psz, nLength)) {
            // Every byte a character: the trimmed path's components are the texts between its backslashes
            // (one empty component when nothing is left), and each partial path is the trimmed path up to a
            // component's end.
            int iBegin = 0, iEnd = nLength;
            while (iBegin < iEnd && psz[iBegin] == '\\')
                ++iBegin;
            while (iEnd > iBegin && psz[iEnd - 1] == '\\')
                --iEnd;
            index.BeginPath(psz + iBegin, iEnd - iBegin);
            for (int iComponent = iBegin;;) {
                const void* pSeparator =
                    std::memchr(psz + iComponent, '\\', static_cast<size_t>(iEnd - iComponent));
                int iComponentEnd =
                    pSeparator ? static_cast<int>(static_cast<LPCSTR>(pSeparator) - psz) : iEnd;
                HTREEITEM hItem = index.Resolve(psz + iBegin, iComponentEnd - iBegin, NULL);
                if (hItem == NULL) {
                    strText.assign(psz + iComponent, static_cast<size_t>(iComponentEnd - iComponent));
                    if (strText.empty())
                        strText = " ";
                    hItem = InsertItem(TVIF_TEXT, strText.c_str(), 0, 0, 0, 0, 0, hParent, TVI_LAST);
                    index.Inserted(hItem, hParent, strText.c_str());
                }
                hParent = hItem;
                if (iComponentEnd >= iEnd)
                    break;
                iComponent = iComponentEnd + 1;
            }
            continue;
        }

        // Lead bytes: the path is cut with the framework's string operations, character by character.
        CString strWork = strPath;
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
        index.BeginPath(strFull, strFull.GetLength());
        CString strPartial;
        for (INT_PTR iComponent = 0; iComponent < arrComponents.GetSize(); ++iComponent) {
            const CString& strComponent = arrComponents[iComponent];
            strPartial += '\\';
            strPartial += strComponent;
            strPartial.TrimLeft('\\');
            if (strPartial.GetLength() > strFull.GetLength())
                index.BeginPath(strPartial, strPartial.GetLength());
            HTREEITEM hItem = index.Resolve(strPartial, strPartial.GetLength(), &strPartial);
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
