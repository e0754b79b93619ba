// The window every fuzz target works in, made afresh for each input: a frame holding a general tree, a
// tri-state check tree and a check-box tree that tells its parent of clicks, each 200 by 300 pixels of
// client area. A broken rule ends the process with a message, so that the fuzzer keeps the input.
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

    FuzzHost();
    ~FuzzHost();
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
};
