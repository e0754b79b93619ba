// CTreeCtrl in a framework parent window: its members against the emulated control, notifications reflected
// to the control and passed on to the parent, and simulated input.
#include <afxcmn.h>
#include <emu/Emu.h>
#include <gtest/gtest.h>

#include "TreeViewLog.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;
TreeViewLog g_names;

// A tree that sees selection changes and label-edit ends first, then lets the parent have them.
class CRecordingTree : public CTreeCtrl {
protected:
    afx_msg BOOL OnSelchanged(NMHDR* pNMHDR, LRESULT* pResult) {
        g_log.push_back("tree:" + g_names.Describe(pNMHDR));
        *pResult = 0;
        return FALSE;
    }
    afx_msg void OnBegindrag(NMHDR* pNMHDR, LRESULT* pResult) {
        g_log.push_back("tree:" + g_names.Describe(pNMHDR));
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingTree, CTreeCtrl)
ON_NOTIFY_REFLECT_EX(TVN_SELCHANGEDA, &CRecordingTree::OnSelchanged)
ON_NOTIFY_REFLECT(TVN_BEGINDRAGA, &CRecordingTree::OnBegindrag)
END_MESSAGE_MAP()

class CParentWnd : public CWnd {
public:
    LRESULT m_acceptEdits = FALSE;

protected:
    afx_msg void OnNotified(NMHDR* pNMHDR, LRESULT* pResult) {
        g_log.push_back("parent:" + g_names.Describe(pNMHDR));
        *pResult = pNMHDR->code == TVN_ENDLABELEDITA ? m_acceptEdits : 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
ON_NOTIFY(TVN_SELCHANGEDA, 5, &CParentWnd::OnNotified)
ON_NOTIFY(TVN_BEGINDRAGA, 5, &CParentWnd::OnNotified)
ON_NOTIFY(TVN_ENDLABELEDITA, 5, &CParentWnd::OnNotified)
ON_NOTIFY(NM_CLICK, 5, &CParentWnd::OnNotified)
END_MESSAGE_MAP()

class TreeCtrl : public ::testing::Test {
protected:
    CParentWnd parent;
    CRecordingTree tree;

    void SetUp() override {
        emu::Reset();
        g_log.clear();
        g_names.names.clear();
        ASSERT_TRUE(
            parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 50, 50, 300, 300, nullptr, nullptr));
        ASSERT_TRUE(
            tree.Create(WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, CRect(0, 0, 200, 160), &parent, 5));
    }
    void TearDown() override { emu::Reset(); }

    HTREEITEM Named(HTREEITEM h, const char* name) {
        g_names.names[h] = name;
        return h;
    }
    void Click(int x, int y, emu::Button button = emu::Button::Left) {
        CPoint p(x, y);
        tree.ClientToScreen(&p);
        emu::Click(p.x, p.y, button);
        emu::PumpMessages();
    }
};

using Log = std::vector<std::string>;

} // namespace

TEST_F(TreeCtrl, InsertAndNavigate) {
    EXPECT_EQ(GetClassLongA(tree.m_hWnd, GCL_STYLE) & CS_DBLCLKS, static_cast<DWORD>(CS_DBLCLKS));
    HTREEITEM a = tree.InsertItem("a");
    HTREEITEM b = tree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, "b", 2, 3, 0, 0,
                                  17, TVI_ROOT, TVI_LAST);
    HTREEITEM b1 = tree.InsertItem("b1", 4, 5, b);
    HTREEITEM first = tree.InsertItem("first", TVI_ROOT, TVI_FIRST);
    ASSERT_TRUE(a && b && b1 && first);
    EXPECT_EQ(tree.GetCount(), 4u);
    EXPECT_EQ(tree.GetRootItem(), first);
    EXPECT_EQ(tree.GetNextSiblingItem(first), a);
    EXPECT_EQ(tree.GetPrevSiblingItem(a), first);
    EXPECT_EQ(tree.GetChildItem(b), b1);
    EXPECT_EQ(tree.GetParentItem(b1), b);
    EXPECT_EQ(tree.GetParentItem(b), nullptr);
    EXPECT_EQ(tree.GetNextItem(b, TVGN_NEXT), nullptr);
    EXPECT_TRUE(tree.ItemHasChildren(b));
    EXPECT_FALSE(tree.ItemHasChildren(a));

    int image = -1, selected = -1;
    ASSERT_TRUE(tree.GetItemImage(b, image, selected));
    EXPECT_EQ(image, 2);
    EXPECT_EQ(selected, 3);
    EXPECT_EQ(tree.GetItemData(b), 17u);
    EXPECT_TRUE(tree.SetItemData(a, static_cast<DWORD_PTR>(static_cast<LPARAM>(-5))));
    EXPECT_EQ(static_cast<int>(tree.GetItemData(a)), -5);

    EXPECT_TRUE(tree.SetItem(a, TVIF_IMAGE | TVIF_SELECTEDIMAGE, nullptr, 4, 4, 0, 0, 0));
    ASSERT_TRUE(tree.GetItemImage(a, image, selected));
    EXPECT_EQ(image, 4);
    EXPECT_EQ(tree.GetItemText(a), CString("a")) << "the image mask leaves the text alone";

    std::string longText(1000, 'L');
    EXPECT_TRUE(tree.SetItemText(a, longText.c_str()));
    EXPECT_EQ(std::string(static_cast<LPCSTR>(tree.GetItemText(a))), longText)
        << "the whole text, however long";

    EXPECT_TRUE(tree.DeleteItem(b));
    image = selected = 77;
    EXPECT_FALSE(tree.GetItemImage(b, image, selected));
    EXPECT_EQ(image, 77) << "outputs untouched on failure";
    EXPECT_EQ(tree.GetItemText(b), CString(""));
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.GetCount(), 0u);
    EXPECT_EQ(tree.GetRootItem(), nullptr);
}

TEST_F(TreeCtrl, SelectionChangeReachesTheTreeThenTheParent) {
    HTREEITEM a = Named(tree.InsertItem("a"), "a");
    HTREEITEM b = Named(tree.InsertItem("b"), "b");
    EXPECT_TRUE(tree.SelectItem(a));
    EXPECT_EQ(tree.GetSelectedItem(), a);
    Click(25, 20);
    EXPECT_EQ(tree.GetSelectedItem(), b);
    EXPECT_EQ(g_log, (Log{"tree:SELCHANGED(null>a,unknown)", "parent:SELCHANGED(null>a,unknown)",
                          "parent:CLICK", "tree:SELCHANGED(a>b,mouse)", "parent:SELCHANGED(a>b,mouse)"}));
    EXPECT_TRUE(tree.SelectDropTarget(a));
    EXPECT_EQ(tree.GetDropHilightItem(), a);
    EXPECT_TRUE(tree.GetItemState(a, TVIS_DROPHILITED));
}

TEST_F(TreeCtrl, DragIsConsumedByTheTreeUntilTheStyleForbidsIt) {
    Named(tree.InsertItem("a"), "a");
    CPoint p(25, 4);
    tree.ClientToScreen(&p);
    auto drag = [&] {
        emu::Wait(GetDoubleClickTime() + 1);
        emu::MouseMove(p.x, p.y);
        emu::MouseDown();
        emu::MouseMove(p.x + 10, p.y);
        emu::MouseUp();
        emu::PumpMessages();
    };
    drag();
    EXPECT_EQ(g_log, Log{"tree:BEGINDRAG(a)"}) << "a plain reflection keeps it from the parent";
    g_log.clear();
    EXPECT_TRUE(tree.ModifyStyle(0, TVS_DISABLEDRAGDROP));
    drag();
    EXPECT_EQ(g_log,
              (Log{"parent:CLICK", "tree:SELCHANGED(null>a,mouse)", "parent:SELCHANGED(null>a,mouse)"}));
}

TEST_F(TreeCtrl, HitTestAndItemRect) {
    HTREEITEM a = tree.InsertItem("abc");
    UINT flags = 0;
    EXPECT_EQ(tree.HitTest(CPoint(19, 3), &flags), a);
    EXPECT_EQ(flags, static_cast<UINT>(TVHT_ONITEMLABEL));
    TVHITTESTINFO info{{5, 40}, 0, nullptr};
    EXPECT_EQ(tree.HitTest(&info), nullptr);
    EXPECT_EQ(info.flags, static_cast<UINT>(TVHT_NOWHERE));
    // The label spans the text in the tree's font, whichever font the platform gives it, and 4 pixels more.
    auto font = reinterpret_cast<HFONT>(tree.SendMessage(WM_GETFONT));
    HDC dc = ::GetDC(tree.m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE text{};
    ASSERT_TRUE(::GetTextExtentPoint32A(dc, "abc", 3, &text));
    ::SelectObject(dc, old);
    ::ReleaseDC(tree.m_hWnd, dc);
    CRect rc;
    ASSERT_TRUE(tree.GetItemRect(a, &rc, TRUE));
    EXPECT_EQ(rc.left, 19);
    EXPECT_EQ(rc.right, 19 + text.cx + 4);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.bottom, 16);
    EXPECT_EQ(tree.GetItemHeight(), 16);
    EXPECT_EQ(tree.GetIndent(), 19u);
}

TEST_F(TreeCtrl, LabelEditThroughTheWrapper) {
    HTREEITEM a = Named(tree.InsertItem("a"), "a");
    // Selected before the focus comes: what a tree view does when it gets the focus without a selection is
    // not documented (Wine's selects its first item).
    tree.SelectItem(a);
    tree.SetFocus();
    g_log.clear();
    parent.m_acceptEdits = TRUE;
    EXPECT_EQ(tree.EditLabel(a), nullptr) << "only a tree with TVS_EDITLABELS edits labels";
    tree.ModifyStyle(0, TVS_EDITLABELS);
    CEdit* edit = tree.EditLabel(a);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(tree.GetEditControl(), edit);
    EXPECT_EQ(edit->GetLimitText(), 259u);
    int start = -1, end = -1;
    edit->GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 1);
    emu::TypeText("renamed");
    emu::PressKey(VK_RETURN);
    emu::PumpMessages();
    EXPECT_EQ(g_log, Log{"parent:ENDLABELEDIT(a,'renamed')"});
    EXPECT_EQ(tree.GetItemText(a), CString("renamed"));
    EXPECT_EQ(tree.GetEditControl(), nullptr);

    parent.m_acceptEdits = FALSE;
    tree.EditLabel(a);
    EXPECT_TRUE(tree.EndEditLabelNow(FALSE));
    EXPECT_EQ(tree.GetItemText(a), CString("renamed")) << "the parent refused";
}

TEST_F(TreeCtrl, ImageListsAndDragImages) {
    HTREEITEM a = tree.InsertItem("a", 0, 0);
    EXPECT_EQ(tree.CreateDragImage(a), nullptr) << "no normal image list";
    HIMAGELIST iconsHandle;
    {
        CImageList icons;
        ASSERT_TRUE(icons.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1));
        iconsHandle = icons.m_hImageList;
        icons.SetImageCount(1);
        EXPECT_EQ(tree.SetImageList(&icons, TVSIL_NORMAL), nullptr);
        EXPECT_EQ(tree.GetImageList(TVSIL_NORMAL), &icons) << "the permanent object that holds the list";

        CImageList* drag = tree.CreateDragImage(a);
        ASSERT_NE(drag, nullptr);
        HIMAGELIST dragHandle = drag->GetSafeHandle();
        EXPECT_EQ(drag->GetImageCount(), 1);
        delete drag;
        EXPECT_EQ(ImageList_GetImageCount(dragHandle), 0) << "deleting the object destroys the list";

        HIMAGELIST loose = ImageList_Create(8, 8, ILC_MASK, 1, 1);
        tree.SendMessage(TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(loose));
        CImageList* temporary = tree.GetImageList(TVSIL_STATE);
        ASSERT_NE(temporary, nullptr);
        EXPECT_EQ(temporary->GetSafeHandle(), loose);
        EXPECT_EQ(CImageList::FromHandle(loose), temporary) << "one temporary object per handle";
        CImageList::DeleteTempMap();
        EXPECT_TRUE(ImageList_Destroy(loose)) << "temporary objects never destroy the list";
    }
    CImageList* previous = tree.SetImageList(nullptr, TVSIL_NORMAL);
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(previous->m_hImageList, iconsHandle)
        << "the tree hands back what it held, even a destroyed list";
    EXPECT_EQ(tree.GetImageList(TVSIL_NORMAL), nullptr);
}

TEST_F(TreeCtrl, ImageListObjectOwnsItsList) {
    HIMAGELIST handle;
    {
        CImageList list;
        ASSERT_TRUE(list.Create(4, 4, ILC_MASK, 1, 1));
        handle = list.GetSafeHandle();
        EXPECT_EQ(CImageList::FromHandlePermanent(handle), &list);
        EXPECT_FALSE(list.Create(4, 4, ILC_MASK, 1, 1)) << "already holds a list";
        HIMAGELIST detached = list.Detach();
        EXPECT_EQ(CImageList::FromHandlePermanent(detached), nullptr);
        EXPECT_TRUE(list.Attach(detached));
        EXPECT_TRUE(list.DeleteImageList());
        EXPECT_FALSE(list.DeleteImageList());
        ASSERT_TRUE(list.Create(4, 4, ILC_MASK, 1, 1));
        handle = list.GetSafeHandle();
    }
    int cx, cy;
    EXPECT_FALSE(ImageList_GetIconSize(handle, &cx, &cy)) << "the destructor destroyed the list";
}
