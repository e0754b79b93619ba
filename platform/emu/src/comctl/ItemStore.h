// Tree-view items of every tree in the process, in one table of slots. An item handle is the slot index
// with the slot's generation in the top bits: it fits in 31 bits, is validated in constant time, and a
// freed slot goes to the back of a first-in first-out free list, so a handle value comes back only after
// every other free slot has been reused and the generation has wrapped.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace emu::comctl {

class TreeView;
using Index = uint32_t; // 0 is no item

enum ItemFlags : uint8_t {
    TextCallback = 0x01,
    ImageCallback = 0x02,
    SelectedImageCallback = 0x04,
    ChildrenCallback = 0x08,
    ChildrenExplicit = 0x10,
    HiddenRoot = 0x20,
    Visible = 0x40, // every ancestor is expanded: the item has a row
};

// One item. Siblings are both a doubly linked list (constant-time navigation) and a treap ordered like the
// list (left/right/up), whose nodes sum the rows their branches show, so that rows and items convert in
// logarithmic time per level. `key` is the part of the row's right edge that varies between items; the
// treap keeps its maximum over shown rows for the horizontal extent.
struct Item {
    TreeView* tree;
    Index parent, first, last, prev, next;
    Index left, right, up, childRoot;
    uint32_t rows;    // rows of this item's branch while the item is shown
    uint32_t sumRows; // rows of the branches in this treap subtree
    int32_t key, branchKey, maxKey;
    uint32_t state;
    int32_t image, selectedImage, children;
    uint32_t depth;
    LPARAM lParam;
    uint8_t gen;
    uint8_t flags;
    std::string text;
};

class ItemStore {
public:
    // Every request of a tree reads items several times over, so the store and its lookups are inline.
    static ItemStore& Get() {
        static ItemStore store;
        return store;
    }

    Item& operator[](Index i) { return m_chunks[i >> ChunkBits][i & (ChunkSize - 1)]; }

    Index Allocate(TreeView* tree);
    void Free(Index i);

    HTREEITEM Handle(Index i) {
        return i ? reinterpret_cast<HTREEITEM>(
                       static_cast<uintptr_t>((uint32_t((*this)[i].gen) << IndexBits) | i))
                 : nullptr;
    }
    // The live item that a handle names, whatever its tree, or 0. The hidden roots are not items.
    Index Resolve(HTREEITEM h) {
        uintptr_t v = reinterpret_cast<uintptr_t>(h);
        if (v >= (uintptr_t(1) << 31))
            return 0;
        Index i = static_cast<Index>(v & ((1u << IndexBits) - 1));
        if (i == 0 || i >= m_used)
            return 0;
        const Item& it = (*this)[i];
        if (!it.tree || it.gen != (v >> IndexBits) || (it.flags & HiddenRoot))
            return 0;
        return i;
    }

    // Sibling treap maintenance.
    void Link(Index parent, Index item, Index after); // after 0: first child
    void Unlink(Index item);
    void Pull(Index n);       // treap sums of n from its treap children
    void PullBranch(Index n); // n's own branch values from its children
    void Propagate(Index n);  // after n's own values changed: up through the ancestors they affect
    // After n was expanded. When n is shown, its ancestors' sums are brought up to date later, all at once:
    // expanding every item of a branch from the top down then costs a constant per item instead of the
    // depth. The hidden root's rows and widest row stay exact meanwhile, as does the row of the top-level
    // item above n; every other read of the sums (and every change) brings them up to date first.
    void PropagateExpanded(Index n);
    void Flush();
    uint32_t RowOf(Index item, Index root);
    Index AtRow(Index root, uint32_t row);

private:
    static constexpr unsigned IndexBits = 24;
    static constexpr unsigned ChunkBits = 12;
    static constexpr Index ChunkSize = 1u << ChunkBits;
    static constexpr unsigned GenerationLimit = 128;

    static uint32_t Priority(Index i, uint8_t gen);
    void Rotate(Index x);

    void PropagateFrom(Index n);

    // The item whose ancestors' sums wait for PropagateExpanded's update (0: none), its top-level ancestor,
    // and the hidden root above them.
    Index m_pendingBottom = 0, m_pendingTop = 0, m_pendingRoot = 0;
    std::vector<std::unique_ptr<Item[]>> m_chunks;
    Index m_used = 1; // slot 0 stays unused
    Index m_freeHead = 0, m_freeTail = 0;
};

} // namespace emu::comctl
