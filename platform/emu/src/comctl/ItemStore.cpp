#include "ItemStore.h"

#include <algorithm>
#include <climits>

namespace emu::comctl {

Index ItemStore::Allocate(TreeView* tree) {
    Index i;
    if (m_freeHead) {
        i = m_freeHead;
        m_freeHead = (*this)[i].next;
        if (!m_freeHead)
            m_freeTail = 0;
    } else {
        if (m_used >= (1u << IndexBits))
            return 0;
        i = m_used++;
        if ((i >> ChunkBits) >= m_chunks.size())
            m_chunks.push_back(std::make_unique<Item[]>(ChunkSize));
        (*this)[i].gen = 1;
    }
    Item& it = (*this)[i];
    uint8_t gen = it.gen;
    it = Item{};
    it.gen = gen;
    it.tree = tree;
    it.rows = it.sumRows = 1;
    it.branchKey = it.maxKey = 0;
    return i;
}

void ItemStore::Free(Index i) {
    Flush();
    Item& it = (*this)[i];
    it.tree = nullptr;
    std::string().swap(it.text);
    it.gen = static_cast<uint8_t>(it.gen + 1u >= GenerationLimit ? 1 : it.gen + 1);
    it.next = 0;
    if (m_freeTail)
        (*this)[m_freeTail].next = i;
    else
        m_freeHead = i;
    m_freeTail = i;
}

uint32_t ItemStore::Priority(Index i, uint8_t gen) {
    uint32_t x = i * 0x9E3779B1u ^ (uint32_t(gen) << 24);
    x ^= x >> 16;
    x *= 0x85EBCA6Bu;
    x ^= x >> 13;
    return x;
}

void ItemStore::Pull(Index n) {
    Item& it = (*this)[n];
    uint32_t sum = it.rows;
    int32_t best = it.branchKey;
    if (it.left) {
        sum += (*this)[it.left].sumRows;
        best = std::max(best, (*this)[it.left].maxKey);
    }
    if (it.right) {
        sum += (*this)[it.right].sumRows;
        best = std::max(best, (*this)[it.right].maxKey);
    }
    it.sumRows = sum;
    it.maxKey = best;
}

void ItemStore::PullBranch(Index n) {
    Item& it = (*this)[n];
    bool open = (it.flags & HiddenRoot) || (it.state & TVIS_EXPANDED);
    bool hidden = it.flags & HiddenRoot;
    if (open && it.childRoot) {
        const Item& c = (*this)[it.childRoot];
        it.rows = (hidden ? 0 : 1) + c.sumRows;
        it.branchKey = hidden ? c.maxKey : std::max(it.key, c.maxKey);
    } else {
        it.rows = hidden ? 0 : 1;
        it.branchKey = hidden ? INT_MIN : it.key;
    }
}

void ItemStore::Propagate(Index n) {
    Flush();
    PropagateFrom(n);
}

void ItemStore::PropagateFrom(Index n) {
    for (;;) {
        Item& it = (*this)[n];
        uint32_t rows = it.rows;
        int32_t branchKey = it.branchKey;
        PullBranch(n);
        if (it.flags & HiddenRoot)
            return;
        // Everything above depends on this item only through these two values, so a change that leaves
        // them alone (an insert under a collapsed item, say) ends here instead of at the root.
        if (it.rows == rows && it.branchKey == branchKey)
            return;
        for (Index m = n; m; m = (*this)[m].up)
            Pull(m);
        n = it.parent;
    }
}

void ItemStore::PropagateExpanded(Index n) {
    Item& it = (*this)[n];
    if (!m_pendingBottom || it.parent != m_pendingBottom ||
        !((*this)[m_pendingBottom].state & TVIS_EXPANDED)) {
        Flush();
        // Shown when every ancestor is expanded; otherwise the change stops at the first collapsed one.
        Index top = n;
        for (Index p = it.parent; !((*this)[p].flags & HiddenRoot); p = (*this)[p].parent) {
            if (!((*this)[p].state & TVIS_EXPANDED)) {
                PropagateFrom(n);
                return;
            }
            top = p;
        }
        m_pendingTop = top;
        m_pendingRoot = (*this)[top].parent;
    }
    // n's own values and its siblings' sums now; the rows it adds and its widest row go straight to the
    // hidden root (expanding only adds rows), and everything between waits.
    uint32_t rows = it.rows;
    PullBranch(n);
    for (Index m = n; m; m = (*this)[m].up)
        Pull(m);
    Item& root = (*this)[m_pendingRoot];
    root.rows += it.rows - rows;
    root.branchKey = std::max(root.branchKey, it.branchKey);
    m_pendingBottom = n;
}

// Every item above the pending one misses at least the rows its last expansion added, so the update goes
// all the way up to the hidden root.
void ItemStore::Flush() {
    if (!m_pendingBottom)
        return;
    Index n = (*this)[m_pendingBottom].parent;
    m_pendingBottom = m_pendingTop = m_pendingRoot = 0;
    PropagateFrom(n);
}

void ItemStore::Rotate(Index x) {
    Item& xi = (*this)[x];
    Index y = xi.up;
    Item& yi = (*this)[y];
    if (yi.left == x) {
        yi.left = xi.right;
        if (xi.right)
            (*this)[xi.right].up = y;
        xi.right = y;
    } else {
        yi.right = xi.left;
        if (xi.left)
            (*this)[xi.left].up = y;
        xi.left = y;
    }
    Index z = yi.up;
    xi.up = z;
    yi.up = x;
    if (z) {
        Item& zi = (*this)[z];
        (zi.left == y ? zi.left : zi.right) = x;
    } else {
        (*this)[xi.parent].childRoot = x;
    }
    Pull(y);
    Pull(x);
}

void ItemStore::Link(Index parent, Index n, Index after) {
    Flush();
    Item& p = (*this)[parent];
    Item& it = (*this)[n];
    it.parent = parent;
    Index next = after ? (*this)[after].next : p.first;
    it.prev = after;
    it.next = next;
    (after ? (*this)[after].next : p.first) = n;
    (next ? (*this)[next].prev : p.last) = n;

    it.left = it.right = 0;
    PullBranch(n);
    Pull(n);
    if (!p.childRoot) {
        p.childRoot = n;
        it.up = 0;
    } else if (after && !(*this)[after].right) {
        (*this)[after].right = n;
        it.up = after;
    } else {
        // The in-order successor is the leftmost node of after's right subtree (or of the whole treap).
        (*this)[next].left = n;
        it.up = next;
    }
    uint32_t prio = Priority(n, it.gen);
    while (it.up && prio > Priority(it.up, (*this)[it.up].gen))
        Rotate(n);
    for (Index m = it.up; m; m = (*this)[m].up)
        Pull(m);
    Propagate(parent);
}

void ItemStore::Unlink(Index n) {
    Flush();
    Item& it = (*this)[n];
    Index parent = it.parent;
    Item& p = (*this)[parent];
    (it.prev ? (*this)[it.prev].next : p.first) = it.next;
    (it.next ? (*this)[it.next].prev : p.last) = it.prev;

    while (it.left || it.right) {
        Index child;
        if (!it.left)
            child = it.right;
        else if (!it.right)
            child = it.left;
        else
            child = Priority(it.left, (*this)[it.left].gen) > Priority(it.right, (*this)[it.right].gen)
                        ? it.left
                        : it.right;
        Rotate(child);
    }
    Index y = it.up;
    if (y) {
        Item& yi = (*this)[y];
        (yi.left == n ? yi.left : yi.right) = 0;
    } else {
        p.childRoot = 0;
    }
    it.up = it.prev = it.next = 0;
    for (Index m = y; m; m = (*this)[m].up)
        Pull(m);
    Propagate(parent);
}

uint32_t ItemStore::RowOf(Index x, Index root) {
    // The top-level item above the pending one: only the items before it count, and they are up to date.
    if (x != m_pendingTop)
        Flush();
    uint32_t row = 0;
    while (x != root) {
        const Item& xi = (*this)[x];
        if (xi.left)
            row += (*this)[xi.left].sumRows;
        for (Index n = x; (*this)[n].up; n = (*this)[n].up) {
            const Item& u = (*this)[(*this)[n].up];
            if (u.right == n)
                row += (u.left ? (*this)[u.left].sumRows : 0) + u.rows;
        }
        x = xi.parent;
        if (x != root)
            ++row;
    }
    return row;
}

Index ItemStore::AtRow(Index root, uint32_t row) {
    Flush();
    Index n = (*this)[root].childRoot;
    while (n) {
        const Item& it = (*this)[n];
        uint32_t before = it.left ? (*this)[it.left].sumRows : 0;
        if (row < before) {
            n = it.left;
            continue;
        }
        row -= before;
        if (row < it.rows) {
            if (row == 0)
                return n;
            --row;
            n = it.childRoot;
            continue;
        }
        row -= it.rows;
        n = it.right;
    }
    return 0;
}

} // namespace emu::comctl
