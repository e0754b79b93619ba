// Sequences of host calls and simulated user input on the window of the three trees: clicks on every part of
// a row and beside it, drags within and across trees with and without Ctrl, Escape, label edits, right
// clicks, keys, imports, deletes, CheckItem and ClickItem, filter and listener changes, with a listener that
// in some steps changes the trees from inside its events. After every step: each tree is sound, every event
// had its documented arguments, and after an accepted click or CheckItem on a check tree the item and its
// descendants show its image and each ancestor what the three-state rule gives.
//
// Input: one operation after another, each a byte choosing it followed by the bytes it reads.
#include "FuzzHost.h"
#include "FuzzInput.h"
#include "ItemHandle.h"

#include <emu/Emu.h>

#include <cerrno>
#include <cstdlib>
#include <optional>

namespace {

constexpr int kMaxSteps = 64;

int ImageOf(const CTreeCtrl& tree, HTREEITEM hItem) {
    int nImage = -1, nSelectedImage = -1;
    tree.GetItemImage(hItem, nImage, nSelectedImage);
    return nImage;
}

// The item and its descendants show its image, 0 or 2; going up, each ancestor shows the image of the level
// below while all its children show that image, and from the first that differs up, partly checked (4).
void RequireThreeState(const CTreeCtrl& tree, HTREEITEM hItem) {
    const int nImage = ImageOf(tree, hItem);
    Require(nImage == 0 || nImage == 2, "a clicked item shows neither box");
    std::vector<HTREEITEM> open{tree.GetChildItem(hItem)};
    while (!open.empty()) {
        HTREEITEM h = open.back();
        open.pop_back();
        if (h == NULL)
            continue;
        Require(ImageOf(tree, h) == nImage, "a descendant does not show the clicked item's image");
        open.push_back(tree.GetNextSiblingItem(h));
        open.push_back(tree.GetChildItem(h));
    }
    bool bPartly = false;
    for (HTREEITEM h = hItem, hParent; (hParent = tree.GetParentItem(h)) != NULL; h = hParent) {
        for (HTREEITEM hChild = tree.GetChildItem(hParent); hChild != NULL && !bPartly;
             hChild = tree.GetNextSiblingItem(hChild))
            bPartly = ImageOf(tree, hChild) != nImage;
        Require(ImageOf(tree, hParent) == (bPartly ? 4 : nImage), "an ancestor breaks the three-state rule");
    }
}

// A signed 32-bit decimal, exactly.
std::optional<long> Decimal(const CString& str) {
    const char* psz = str;
    char* pEnd = nullptr;
    errno = 0;
    long lValue = std::strtol(psz, &pEnd, 10);
    if (*psz == '\0' || *pEnd != '\0' || errno != 0 || lValue < -2147483648L || lValue > 2147483647L)
        return std::nullopt;
    return lValue;
}

class CFuzzListener : public CCtrlListener {
public:
    explicit CFuzzListener(FuzzHost& host) : m_host(host) {}

    // What the listener does inside the events: 0 nothing, 1 deletes the event's item, 2 empties the tree,
    // 3 adds an item, 4 selects the first item, 5 checks the check trees' first items, 6 destroys the tree.
    int m_nMode = 0;
    bool m_bAnswer = true;
    // Whether the listener changed a tree in the current step.
    bool m_bActed = false;

    int OnEvent1(CCtrlBase*) override { return Unexpected("OnEvent1"), 0; }
    bool OnEvent2(CCtrlBase*) override { return Unexpected("OnEvent2"); }
    bool OnEvent7(CCtrlBase*) override { return Unexpected("OnEvent7"); }
    bool OnEvent8(CCtrlBase*) override { return Unexpected("OnEvent8"); }

    bool OnEndLabelEdit(CCtrlBase* pCtrl) override {
        COrnTreeCtrl& tree = TreeOf(pCtrl);
        const CStringArray& args = pCtrl->m_arrArgs;
        Require(args.GetSize() == 3, "a label edit's arguments are not three");
        HTREEITEM hItem = ItemOf(args[2]);
        Require(IsItemOf(tree, hItem), "a label edit names no item of its tree");
        Require(Decimal(args[0]) == static_cast<LONG>(tree.GetItemData(hItem)), "a label edit's ID differs");
        Act(tree, hItem);
        return m_bAnswer;
    }
    bool OnSelChanged(CCtrlBase* pCtrl) override {
        Require(pCtrl->m_arrArgs.GetSize() == 0, "a selection change has arguments");
        COrnTreeCtrl& tree = TreeOf(pCtrl);
        Act(tree, tree.GetSelectedItem());
        return m_bAnswer;
    }
    bool OnDropCopy(CCtrlBase* pCtrl) override { return Dropped(pCtrl, true); }
    bool OnDropMove(CCtrlBase* pCtrl) override { return Dropped(pCtrl, false); }

private:
    bool Unexpected(const char* pszEvent) {
        Require(false, std::string(pszEvent) + " came from the library");
        return false;
    }
    COrnTreeCtrl& TreeOf(CCtrlBase* pCtrl) {
        COrnTreeCtrl* pTree = dynamic_cast<COrnTreeCtrl*>(pCtrl);
        Require(pTree != nullptr, "an event from something other than a tree");
        return *pTree;
    }
    // The item of any tree whose handle the text writes.
    HTREEITEM ItemOf(const CString& strHandle) {
        std::optional<long> lHandle = Decimal(strHandle);
        Require(lHandle.has_value(), "a handle is no signed 32-bit decimal");
        for (int nTree = 0; nTree < FuzzHost::kTrees; ++nTree)
            for (HTREEITEM hItem : ItemsOf(m_host.Tree(nTree)))
                if (static_cast<LONG>(reinterpret_cast<UINT_PTR>(hItem)) == *lHandle)
                    return hItem;
        return NULL;
    }
    COrnTreeCtrl* HolderOf(HTREEITEM hItem) {
        for (int nTree = 0; nTree < FuzzHost::kTrees; ++nTree)
            if (IsItemOf(m_host.Tree(nTree), hItem))
                return &m_host.Tree(nTree);
        return nullptr;
    }
    bool Dropped(CCtrlBase* pCtrl, bool bCopy) {
        COrnTreeCtrl& tree = TreeOf(pCtrl);
        const CStringArray& args = pCtrl->m_arrArgs;
        Require(args.GetSize() == 4, "a drop's arguments are not four");
        HTREEITEM hSource = ItemOf(args[2]);
        HTREEITEM hTarget = ItemOf(args[3]);
        COrnTreeCtrl* pSource = HolderOf(hSource);
        Require(pSource != nullptr, "a drop names no source item");
        Require(IsItemOf(tree, hTarget), "a drop names no target item of the receiving tree");
        Require(Decimal(args[0]) == static_cast<LONG>(pSource->GetItemData(hSource)),
                "the source ID differs");
        Require(Decimal(args[1]) == static_cast<LONG>(tree.GetItemData(hTarget)), "the target ID differs");
        Require(pSource->GetParentItem(hSource) != NULL, "a top-level item was dropped");
        Require(hSource != hTarget, "an item was dropped onto itself");
        Require(bCopy || pSource->GetParentItem(hSource) != hTarget, "a move onto the parent was reported");
        Act(tree, hTarget);
        return m_bAnswer;
    }
    void Act(COrnTreeCtrl& tree, HTREEITEM hItem) {
        if (m_nMode == 0 || m_bInside)
            return;
        m_bInside = true;
        m_bActed = true;
        switch (m_nMode) {
        case 1:
            tree.DeleteItem(hItem);
            break;
        case 2:
            tree.DeleteAllItems();
            break;
        case 3:
            tree.AddItem(hItem != NULL ? hItem : TVI_ROOT, "added", TVI_FIRST, 2, 2, 77);
            break;
        case 4:
            tree.SelectItem(tree.GetRootItem());
            break;
        case 5:
            m_host.m_check.CheckItem(m_host.m_check.GetRootItem(), true);
            m_host.m_box.ClickItem(m_host.m_box.GetRootItem());
            break;
        default:
            tree.DestroyWindow();
            break;
        }
        m_bInside = false;
    }

    FuzzHost& m_host;
    bool m_bInside = false;
};

// Screen points for the parts of a row, by their distance from the label's left edge, and beside the rows.
constexpr int kRowOffsets[] = {-44, -30, -19, -8, 2, 0, 1000};

class Operations {
public:
    Operations(FuzzHost& host, FuzzInput& in) : m_host(host), m_in(in), m_listener(host) {
        // Eight plain images for the general tree, so that it has icons and drag images.
        m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 8, 0);
        m_images.SetImageCount(8);
        m_host.m_tree.SetImageList(&m_images, TVSIL_NORMAL);
        for (int nTree = 0; nTree < FuzzHost::kTrees; ++nTree)
            m_host.Tree(nTree).SetListener(&m_listener);
    }
    ~Operations() {
        for (int nTree = 0; nTree < FuzzHost::kTrees; ++nTree)
            m_host.Tree(nTree).SetListener(NULL);
        if (m_host.m_tree.m_hWnd != NULL)
            m_host.m_tree.SetImageList(NULL, TVSIL_NORMAL);
    }

    void Run() {
        for (int nStep = 0; nStep < kMaxSteps && !m_in.Empty(); ++nStep) {
            m_listener.m_bActed = false;
            m_hClicked = NULL;
            Step();
            FuzzHost::Pump();
            m_host.RequireSound();
            if (m_hClicked != NULL && !m_listener.m_bActed && m_pClickedTree->m_hWnd != NULL &&
                IsItemOf(*m_pClickedTree, m_hClicked))
                RequireThreeState(*m_pClickedTree, m_hClicked);
        }
    }

private:
    COrnTreeCtrl& PickTree() { return m_host.Tree(static_cast<int>(m_in.Below(FuzzHost::kTrees))); }
    COrnCheckTreeCtrl& PickCheckTree() {
        return m_in.Flag() ? static_cast<COrnCheckTreeCtrl&>(m_host.m_check) : m_host.m_box;
    }
    // An item of the tree, or now and then NULL or an item of another tree.
    HTREEITEM PickItem(const CTreeCtrl& tree) {
        uint8_t pick = m_in.Byte();
        std::vector<HTREEITEM> items = ItemsOf(pick < 240 ? tree : m_host.Tree(pick % FuzzHost::kTrees));
        return items.empty() || pick == 255 ? NULL : items[pick % items.size()];
    }
    // A screen point on a part of an item's row, or anywhere in the tree's client area.
    CPoint PickPoint(CTreeCtrl& tree) {
        HTREEITEM hItem = PickItem(tree);
        size_t nPart = m_in.Below(std::size(kRowOffsets) + 1);
        CRect rect;
        CPoint point;
        if (hItem != NULL && nPart < std::size(kRowOffsets) && tree.GetItemRect(hItem, &rect, TRUE)) {
            point = CPoint(nPart == 5 ? rect.CenterPoint().x : rect.left + kRowOffsets[nPart],
                           rect.CenterPoint().y);
        } else {
            point = CPoint(static_cast<int>(m_in.Below(220)) - 10,
                           static_cast<int>(m_in.Byte() + m_in.Byte() / 4));
        }
        tree.ClientToScreen(&point);
        return point;
    }
    // Notes the item whose box or label a click lands on, in a check tree, to check the rule afterwards.
    // A click while the tree edits a label only ends the edit.
    void NoteClick(CTreeCtrl& tree, CPoint point) {
        if (&tree == &m_host.m_tree || tree.m_hWnd == NULL || tree.GetEditControl() != NULL)
            return;
        tree.ScreenToClient(&point);
        UINT nFlags = 0;
        HTREEITEM hItem = tree.HitTest(point, &nFlags);
        if (hItem != NULL && (nFlags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL)) != 0 &&
            (tree.GetParentItem(hItem) != NULL || tree.GetRootItem() == hItem)) {
            m_hClicked = hItem;
            m_pClickedTree = &tree;
        }
    }
    std::string PickText(size_t nMax) {
        std::string text;
        for (size_t n = m_in.Below(nMax + 1); n > 0; --n)
            text += "ab\\ Z9-"[m_in.Below(7)];
        return text;
    }

    void Step() {
        switch (m_in.Below(20)) {
        case 0: { // a click anywhere on a tree
            COrnTreeCtrl& tree = PickTree();
            CPoint point = PickPoint(tree);
            NoteClick(tree, point);
            emu::Click(point.x, point.y);
            break;
        }
        case 1: { // a right click or a double click
            COrnTreeCtrl& tree = PickTree();
            CPoint point = PickPoint(tree);
            if (m_in.Flag())
                emu::Click(point.x, point.y, emu::Button::Right);
            else
                emu::DoubleClick(point.x, point.y);
            break;
        }
        case 2:
        case 3: { // a drag, within a tree or across, ended by a release (with or without Ctrl) or Escape
            COrnTreeCtrl& source = PickTree();
            CPoint from = PickPoint(source);
            COrnTreeCtrl& target = PickTree();
            CPoint to = PickPoint(target);
            uint8_t ending = m_in.Byte();
            emu::Wait(::GetDoubleClickTime() + 10);
            emu::MouseMove(from.x, from.y);
            emu::MouseDown();
            emu::MouseMove(from.x + 5, from.y);
            emu::MouseMove(to.x, to.y);
            if (ending & 1)
                emu::KeyDown(VK_CONTROL);
            if (ending & 2)
                emu::PressKey(VK_ESCAPE);
            emu::MouseUp();
            if (ending & 1)
                emu::KeyUp(VK_CONTROL);
            break;
        }
        case 4: { // a key on the focused tree
            static constexpr UINT kKeys[] = {
                VK_UP,     VK_DOWN,  VK_LEFT, VK_RIGHT,    VK_HOME,     VK_END,  VK_F2,  VK_RETURN, VK_ESCAPE,
                VK_DELETE, VK_SPACE, VK_ADD,  VK_SUBTRACT, VK_MULTIPLY, VK_BACK, VK_TAB, 'A',       VK_APPS};
            COrnTreeCtrl& tree = PickTree();
            if (tree.m_hWnd != NULL && m_in.Flag())
                tree.SetFocus();
            emu::PressKey(kKeys[m_in.Below(std::size(kKeys))]);
            break;
        }
        case 5: { // a label edit ended with Enter, Escape or a click elsewhere
            COrnTreeCtrl& tree = PickTree();
            HTREEITEM hItem = PickItem(tree);
            if (tree.m_hWnd == NULL)
                break;
            tree.ModifyStyle(0, TVS_EDITLABELS);
            tree.SetFocus();
            tree.SelectItem(hItem);
            emu::PressKey(VK_F2);
            emu::TypeText(PickText(12).c_str());
            uint8_t ending = m_in.Byte() % 3;
            if (ending == 2)
                m_host.m_frame.SetFocus();
            else
                emu::PressKey(ending == 0 ? VK_RETURN : VK_ESCAPE);
            break;
        }
        case 6: { // ID records
            COrnTreeCtrl& tree = PickTree();
            CStringArray records;
            for (size_t n = m_in.Below(13); n > 0; --n) {
                records.Add(std::to_string(static_cast<int>(m_in.Below(4))).c_str());
                records.Add(std::to_string(static_cast<int>(m_in.Below(8)) - 1).c_str());
                records.Add(std::to_string(static_cast<int>(m_in.Below(8))).c_str());
                records.Add(PickText(3).c_str());
            }
            bool bClear = m_in.Flag();
            if (tree.m_hWnd != NULL)
                tree.ImpByIds(&records, bClear, static_cast<long>(m_in.Below(8)));
            break;
        }
        case 7: { // paths
            COrnTreeCtrl& tree = PickTree();
            CStringArray paths;
            for (size_t n = m_in.Below(4); n > 0; --n)
                paths.Add(PickText(8).c_str());
            bool bClear = m_in.Flag();
            if (tree.m_hWnd != NULL)
                tree.ImpByPaths(&paths, 0, bClear);
            break;
        }
        case 8: { // one item, as a host adds it
            COrnTreeCtrl& tree = PickTree();
            HTREEITEM hParent = PickItem(tree);
            int nImage = static_cast<int>(m_in.Below(8));
            if (tree.m_hWnd != NULL)
                tree.AddItem(hParent != NULL ? hParent : TVI_ROOT, PickText(6).c_str(), TVI_LAST, nImage,
                             nImage, static_cast<long>(m_in.Below(8)));
            break;
        }
        case 9: { // a delete
            COrnTreeCtrl& tree = PickTree();
            HTREEITEM hItem = PickItem(tree);
            if (tree.m_hWnd != NULL) {
                if (m_in.Below(8) == 0)
                    tree.DeleteAllItems();
                else
                    tree.DeleteItem(hItem);
            }
            break;
        }
        case 10:
        case 11: { // CheckItem or ClickItem, the rule checked when accepted
            COrnCheckTreeCtrl& tree = PickCheckTree();
            HTREEITEM hItem = PickItem(tree);
            if (tree.m_hWnd == NULL)
                break;
            bool bAccepted;
            if (m_in.Flag()) {
                int nResult = tree.CheckItem(hItem, m_in.Flag());
                Require(nResult >= -1 && nResult <= 1, "CheckItem answered outside -1, 0, 1");
                bAccepted = nResult == 1;
            } else {
                bAccepted = tree.ClickItem(hItem);
            }
            Require(!bAccepted || IsItemOf(tree, hItem), "an operation accepted a handle that is no item");
            if (bAccepted)
                RequireThreeState(tree, hItem);
            break;
        }
        case 12: { // filters
            COrnTreeCtrl& tree = PickTree();
            int nGroup = static_cast<int>(m_in.Below(5)) - 1;
            switch (m_in.Below(4)) {
            case 0:
                tree.AddUnDragImages(nGroup);
                break;
            case 1:
                tree.AddUnDropImages(nGroup);
                break;
            case 2:
                tree.SetUnDragImages(CArray<int, const int&>());
                break;
            default:
                tree.SetUnDropImages(CArray<int, const int&>());
                break;
            }
            break;
        }
        case 13: { // the listener: taken away, given back, or made to act or answer otherwise
            COrnTreeCtrl& tree = PickTree();
            uint8_t choice = m_in.Byte();
            if (choice < 64)
                tree.SetListener(choice & 1 ? &m_listener : NULL);
            else if (choice < 128)
                m_listener.m_bAnswer = !m_listener.m_bAnswer;
            else
                m_listener.m_nMode = choice % 7;
            break;
        }
        case 14: { // expand or collapse
            COrnTreeCtrl& tree = PickTree();
            HTREEITEM hItem = PickItem(tree);
            if (tree.m_hWnd != NULL)
                tree.Expand(hItem, m_in.Flag() ? TVE_TOGGLE : TVE_COLLAPSE);
            break;
        }
        case 15: { // a host that lets a check tree drag, or stops it
            COrnCheckTreeCtrl& tree = PickCheckTree();
            if (tree.m_hWnd != NULL) {
                if (m_in.Flag())
                    tree.ModifyStyle(TVS_DISABLEDRAGDROP, 0);
                else
                    tree.ModifyStyle(0, TVS_DISABLEDRAGDROP);
            }
            break;
        }
        case 16: { // lookups by ID and path
            COrnTreeCtrl& tree = PickTree();
            if (tree.m_hWnd == NULL)
                break;
            tree.ExpandById(static_cast<long>(m_in.Below(8)) - 1);
            tree.ExpandAll(PickItem(tree));
            CString strDir;
            tree.GetItemDir(strDir, PickItem(tree));
            HTREEITEM hFound = tree.GetItemByDir(strDir);
            Require(hFound == NULL || IsItemOf(tree, hFound), "a path resolved to no item of the tree");
            CStringArray leaves;
            COrnTreeCtrl::GetLeafDirs(tree, "", PickItem(tree), leaves);
            break;
        }
        case 17: { // a made-up handle anywhere
            COrnTreeCtrl& tree = PickTree();
            HTREEITEM hBad = reinterpret_cast<HTREEITEM>(static_cast<UINT_PTR>(m_in.Word()));
            // A null handle is no made-up one: drop arguments for no item are written as -1 and 0.
            if (tree.m_hWnd == NULL || hBad == NULL || IsItemOf(tree, hBad))
                break;
            Require(tree.FindHandleByID(0, hBad) == NULL, "FindHandleByID found below a made-up handle");
            Require(m_host.m_check.CheckItem(hBad, true) <= 0 || IsItemOf(m_host.m_check, hBad),
                    "CheckItem accepted a made-up handle");
            tree.UpdateDragDropData(m_in.Flag(), &tree, hBad, hBad);
            break;
        }
        case 18: // time passes: a pending label edit starts
            emu::Wait(::GetDoubleClickTime() + 10);
            break;
        default: { // the mouse moved over a row without a button
            COrnTreeCtrl& tree = PickTree();
            CPoint point = PickPoint(tree);
            emu::MouseMove(point.x, point.y);
            break;
        }
        }
    }

    FuzzHost& m_host;
    FuzzInput& m_in;
    CFuzzListener m_listener;
    CImageList m_images;
    HTREEITEM m_hClicked = NULL;
    CTreeCtrl* m_pClickedTree = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    FreshHost host;
    // A few items in each tree to start from.
    for (int nTree = 0; nTree < FuzzHost::kTrees; ++nTree) {
        COrnTreeCtrl& tree = host->Tree(nTree);
        HTREEITEM hRoot = tree.AddItem(TVI_ROOT, "Root", TVI_LAST, 0, 0, 1);
        HTREEITEM hKid = tree.AddItem(hRoot, "Kid", TVI_LAST, 2, 2, 2);
        tree.AddItem(hKid, "Grand", TVI_LAST, 0, 0, 3);
        tree.AddItem(hRoot, "Kid2", TVI_LAST, 4, 4, 4);
        tree.AddItem(TVI_ROOT, "Root2", TVI_LAST, 0, 0, 5);
        tree.Expand(hRoot, TVE_EXPAND);
        tree.Expand(hKid, TVE_EXPAND);
    }
    Operations(*host, in).Run();
    return 0;
}
