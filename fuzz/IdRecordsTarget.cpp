// ID records for ImpByIds and ImpItem: any strings, numbers of any size and sign, blanks, missing digits,
// arrays whose size is no multiple of four, merged into a tree that already holds duplicate IDs.
//
// Input: a byte of flags (bits 0-2: items already in the tree; bit 3: clear first; bit 4: the wanted ID is
// the next four bytes, else the next byte), the wanted ID, a byte choosing the record that ImpItem reads on
// its own, then the strings of the array, one a line.
#include "FuzzHost.h"
#include "FuzzInput.h"
#include "ItemHandle.h"

#include <climits>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    FreshHost host;
    CFuzzTree& tree = host->m_tree;
    uint8_t flags = in.Byte();
    long lWantedID = (flags & 16) != 0 ? static_cast<LONG>(in.Word()) : static_cast<long>(in.Byte() % 8) - 1;
    uint8_t nSingle = in.Byte();

    // IDs 0 to 3 only, so that duplicates are common; a new item goes under an earlier one or to the top.
    std::vector<HTREEITEM> existing;
    for (int i = 0; i < (flags & 7); ++i) {
        HTREEITEM hParent = existing.empty() || in.Flag() ? TVI_ROOT : existing[in.Below(existing.size())];
        existing.push_back(tree.AddItem(hParent, "old", TVI_LAST, 0, 0, static_cast<long>(in.Below(4))));
    }
    CStringArray records;
    while (!in.Empty())
        records.Add(in.Text().c_str());

    const bool bClear = (flags & 8) != 0;
    const UINT nBefore = bClear ? 0 : tree.GetCount();
    HTREEITEM hWanted = tree.ImpByIds(&records, bClear, lWantedID);
    Require(hWanted == NULL || (IsItemOf(tree, hWanted) &&
                                static_cast<LONG>(tree.GetItemData(hWanted)) == static_cast<LONG>(lWantedID)),
            "the wanted item is not an item with the wanted ID");
    Require(tree.GetCount() <= nBefore + static_cast<UINT>(records.GetSize() / 4), "more items than records");
    host->RequireSound();

    // One record on its own, inside the array, just past it, or at a negative index.
    const int nRecords = static_cast<int>(records.GetSize() / 4);
    const int nRecord = nSingle < 64 ? nSingle % (nRecords + 2) : nSingle < 128 ? -1 - nSingle : INT_MIN;
    const bool bOutside = nRecord < 0 || 4LL * nRecord + 3 >= records.GetSize();
    const UINT nCount = tree.GetCount();
    bool bThrown = false;
    try {
        tree.ImpItem(&records, nRecord, lWantedID);
    } catch (CInvalidArgException* e) {
        bThrown = true;
        e->Delete();
    }
    Require(bThrown == (bOutside && !records.IsEmpty()),
            "ImpItem threw for a record inside the array, or not");
    Require(!bThrown || tree.GetCount() == nCount, "a record that threw inserted an item");
    host->RequireSound();
    return 0;
}
