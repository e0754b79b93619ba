// The window every fuzz target works in: a frame holding a general tree, a tri-state check tree and a
// check-box tree that tells its parent of clicks, each 200 by 300 pixels of client area. It is made once and
// renewed after each input (FreshHost). A broken rule ends the process with a message, so that
// the fuzzer keeps the input.
#pragma once

#include <TalControl.h>

#include <string>
#include <vector>

// Ends the process with the message when the condition is false.
void Require(bool bCondition, const std::string& strWhat);

// Every item of the tree in pre-order.
std::vector<HTREEITEM> ItemsOf(const CTreeCtrl& tree);

// The general tree with its protected operations reachable, as from a class derived from it.
class CFuzzTree : public COrnTreeCtrl {
public:
    using COrnTreeCtrl::CheckFz;
    using COrnTreeCtrl::Explode;
    using COrnTreeCtrl::ImpItem;
};

// The trees' parent: checks that the check-box tree's notice names one of its items.
class CFuzzFrame : public CWnd {
public:
    CTreeCtrl* m_pNoticeTree = nullptr;
    int m_nNotices = 0;

protected:
    afx_msg LRESULT OnItemClick(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class FuzzHost {
public:
    static constexpr int kTrees = 3;

    FuzzHost(const FuzzHost&) = delete;
    FuzzHost& operator=(const FuzzHost&) = delete;

    // 0: the general tree, 1: the check tree, 2: the check-box tree.
    COrnTreeCtrl& Tree(int nTree);
    // Each tree that still has a window must be sound.
    void RequireSound();
    // Runs the message loop until nothing is left to do.
    static void Pump();

    CFuzzFrame m_frame;
    CFuzzTree m_tree;
    COrnCheckTreeCtrl m_check;
    CTalCheckBoxTreeCtrl m_box;

private:
    friend class FreshHost;

    // What a renewal must give back: each tree's style, the images of its normal and state lists (-1 for
    // none), and which window has the focus (0 to 2 a tree, 3 the frame, -1 none).
    struct State {
        DWORD styles[kTrees] = {};
        int normalImages[kTrees] = {};
        int stateImages[kTrees] = {};
        int nFocus = -1;
        bool operator==(const State&) const = default;
    };

    FuzzHost();
    static FuzzHost& Made();
    void Make(int nTree);
    void Renew();
    State Now();

    State m_made;
};

// One input's use of the host, which is made for the first input. When the input ends, every tree is
// emptied, its listener, filters, style and images are put back (a destroyed tree is made again), the focus,
// the capture and the cursor are where they were, pending timers and double clicks have run out, and the
// framework's temporary objects are gone: the next input finds the host as made, and an input that leaves
// memory behind is a leak.
class FreshHost {
public:
    FreshHost() : m_host(FuzzHost::Made()) {}
    ~FreshHost() { m_host.Renew(); }
    FreshHost(const FreshHost&) = delete;
    FreshHost& operator=(const FreshHost&) = delete;

    FuzzHost& operator*() const { return m_host; }
    FuzzHost* operator->() const { return &m_host; }

private:
    FuzzHost& m_host;
};
