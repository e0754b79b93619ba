// The control keeps rows, widths and scroll positions in per-branch sums so that hit testing and scrolling
// do not walk the tree. Random edits, checked against a plain walk of the visible items after each batch.
#include "TreeFixture.h"

#include <random>

namespace {
bool Alive(HWND tree, HTREEITEM h) {
    TVITEMA item{TVIF_HANDLE, h, 0, 0, nullptr, 0, 0, 0, 0, 0};
    return SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}
} // namespace

class Consistency : public TreeFixture {
protected:
    // Rows, the last visible item, hit tests, item rectangles and scroll bars against a plain walk of the
    // visible items.
    void CheckRows(int step) {
        SCOPED_TRACE("step " + std::to_string(step));
        std::vector<HTREEITEM> rows;
        std::vector<HTREEITEM> pending;
        for (HTREEITEM h = Next(TVGN_ROOT); h; h = Next(TVGN_NEXT, h))
            pending.insert(pending.begin(), h);
        // Depth-first in display order: the stack holds siblings last-first.
        while (!pending.empty()) {
            HTREEITEM h = pending.back();
            pending.pop_back();
            rows.push_back(h);
            if (State(h) & TVIS_EXPANDED) {
                std::vector<HTREEITEM> kids;
                for (HTREEITEM c = Next(TVGN_CHILD, h); c; c = Next(TVGN_NEXT, c))
                    kids.push_back(c);
                pending.insert(pending.end(), kids.rbegin(), kids.rend());
            }
        }
        RECT client;
        GetClientRect(tree, &client);
        bool vbar = GetWindowLongA(tree, GWL_STYLE) & WS_VSCROLL;
        EXPECT_EQ(vbar, static_cast<LONG>(rows.size()) * 16 > client.bottom);
        if (rows.empty()) {
            EXPECT_EQ(Next(TVGN_FIRSTVISIBLE), nullptr);
            return;
        }
        EXPECT_EQ(Next(TVGN_LASTVISIBLE), rows.back());
        size_t top = std::find(rows.begin(), rows.end(), Next(TVGN_FIRSTVISIBLE)) - rows.begin();
        ASSERT_LT(top, rows.size());
        size_t page = static_cast<size_t>(client.bottom / 16);
        EXPECT_LE(top, rows.size() > page ? rows.size() - page : 0) << "the last page stays full";
        for (size_t k = 0; k < page && top + k < rows.size(); ++k) {
            EXPECT_EQ(HitTest(client.right - 1, static_cast<int>(k) * 16 + 3).hItem, rows[top + k]) << k;
        }
        LONG widest = 0;
        for (size_t k = 0; k < rows.size(); ++k) {
            RECT rc;
            ASSERT_TRUE(ItemRect(rows[k], TRUE, rc));
            EXPECT_EQ(rc.top, (static_cast<LONG>(k) - static_cast<LONG>(top)) * 16);
            if (k + 1 < rows.size()) {
                EXPECT_EQ(Next(TVGN_NEXTVISIBLE, rows[k]), rows[k + 1]);
            }
            widest = std::max(widest, rc.right);
        }
        SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 0, 0};
        bool hbar = GetWindowLongA(tree, GWL_STYLE) & WS_HSCROLL;
        LONG scrolled = hbar && GetScrollInfo(tree, SB_HORZ, &si) ? si.nPos : 0;
        EXPECT_EQ(hbar, widest + scrolled > client.right) << "the widest row decides the horizontal bar";
    }
};

TEST_F(Consistency, RowsAndExtentsMatchAPlainWalk) {
    std::mt19937 random(20261208);
    std::vector<HTREEITEM> items;
    auto pick = [&]() { return items[random() % items.size()]; };
    auto text = [&]() { return std::string(random() % 40, static_cast<char>('a' + random() % 26)); };

    auto check = [&](int step) { CheckRows(step); };

    for (int step = 1; step <= 1500; ++step) {
        unsigned op = random() % 10;
        if (items.empty() || op < 4) {
            HTREEITEM under = items.empty() || random() % 4 == 0 ? TVI_ROOT : pick();
            HTREEITEM after = random() % 2 ? TVI_LAST : TVI_FIRST;
            if (HTREEITEM h = Add(text().c_str(), under, after))
                items.push_back(h);
        } else if (op == 4) {
            Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(pick()));
            std::erase_if(items, [&](HTREEITEM h) { return !Alive(tree, h); });
        } else if (op <= 6) {
            Expand(pick(), op == 5 ? TVE_EXPAND : TVE_COLLAPSE);
        } else if (op == 7) {
            static const WORD codes[] = {SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_TOP, SB_BOTTOM};
            Send(random() % 3 ? WM_VSCROLL : WM_HSCROLL, codes[random() % 6]);
        } else if (op == 8) {
            std::string t = text();
            TVITEMA set{TVIF_TEXT, pick(), 0, 0, t.data(), 0, 0, 0, 0, 0};
            Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set));
        } else {
            Select(pick());
        }
        if (step % 50 == 0)
            check(step);
        if (HasFailure())
            return;
    }
    EXPECT_GT(items.size(), 100u);
}

// Whole branches expanded from the top down, as an expand-all walk does, with edits, collapses and checks
// in between: the sums above such a walk are brought up to date later, all at once.
TEST_F(Consistency, BranchesExpandedFromTheTopDown) {
    std::mt19937 random(8122026);
    std::vector<HTREEITEM> items;
    auto pick = [&]() { return items[random() % items.size()]; };
    for (int n = 0; n < 300; ++n) {
        HTREEITEM under = items.empty() || random() % 8 == 0
                              ? TVI_ROOT
                              : items[items.size() - 1 - random() % std::min<size_t>(items.size(), 4)];
        items.push_back(Add(std::string(random() % 30, 'x').c_str(), under));
    }
    for (int step = 1; step <= 60; ++step) {
        // Pre-order below a random item, each item expanded before its children.
        std::vector<HTREEITEM> pending{pick()};
        while (!pending.empty()) {
            HTREEITEM h = pending.back();
            pending.pop_back();
            Expand(h, TVE_EXPAND);
            std::vector<HTREEITEM> kids;
            for (HTREEITEM c = Next(TVGN_CHILD, h); c; c = Next(TVGN_NEXT, c))
                kids.push_back(c);
            pending.insert(pending.end(), kids.rbegin(), kids.rend());
            switch (random() % 40) {
            case 0:
                CheckRows(step);
                break;
            case 1:
                Expand(pick(), TVE_COLLAPSE);
                break;
            case 2:
                items.push_back(Add("added in between", pick()));
                break;
            case 3:
                Send(WM_VSCROLL, SB_LINEDOWN);
                break;
            default:
                break;
            }
            if (HasFailure())
                return;
        }
        CheckRows(step);
        if (step % 3 == 0)
            Expand(pick(), TVE_COLLAPSE);
    }
}
