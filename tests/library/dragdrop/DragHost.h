// A host with three trees side by side in one frame, as a dialog holds them: two general trees A and B and
// a check tree C, each 200 by 300 pixels of client area, with a listener each. A drop-target recorder
// stands between OLE and each tree's own drop target. Everything the host sees is noted in one journal, in
// order: the OLE calls each tree receives (with the item under the pointer, or the client point, and the
// effect answered), the scroll messages each tree receives, and each listener event with its four
// arguments (handles shown as item names).
#pragma once

#include <TalControl.h>
#include <emu/DragImage.h>
#include <emu/Emu.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

using Journal = std::vector<std::string>;

inline Journal g_journal;

inline void Note(const std::string& entry) {
    g_journal.push_back(entry);
}

// The drag loop also runs rounds while the pointer rests, as many as the time between two inputs allows; a
// journal with each run of equal rounds (a DragOver and what it brought, up to the next OLE call) taken once
// is the same on every platform.
Journal WithoutRepeatedRounds(const Journal& journal);

// Item names by handle, for every tree of the host.
inline std::map<HTREEITEM, std::string> g_itemNames;

// The handle as event arguments write it: its 32 bits in signed decimal.
inline std::string HandleText(HTREEITEM hItem) {
    return std::to_string(static_cast<long>(static_cast<LONG>(reinterpret_cast<UINT_PTR>(hItem))));
}

// A tree whose drag image the tests can see.
class CTestTree : public COrnTreeCtrl {
public:
    using COrnTreeCtrl::m_pImageList;
};

// Notes each event of one tree as "B:OnDropMove 7 101 A.One B.Kid" and keeps the last arguments as written.
class CNamedListener : public CCtrlListener {
public:
    explicit CNamedListener(const char* pszTree) : m_strTree(pszTree) {}

    CStringArray m_arrLastArgs;

    int OnEvent1(CCtrlBase* pCtrl) override { return Took("OnEvent1", pCtrl), 0; }
    bool OnEvent2(CCtrlBase* pCtrl) override { return Took("OnEvent2", pCtrl); }
    bool OnEndLabelEdit(CCtrlBase* pCtrl) override { return Took("OnEndLabelEdit", pCtrl); }
    bool OnDropCopy(CCtrlBase* pCtrl) override { return Took("OnDropCopy", pCtrl); }
    bool OnDropMove(CCtrlBase* pCtrl) override { return Took("OnDropMove", pCtrl); }
    bool OnEvent7(CCtrlBase* pCtrl) override { return Took("OnEvent7", pCtrl); }
    bool OnEvent8(CCtrlBase* pCtrl) override { return Took("OnEvent8", pCtrl); }
    bool OnSelChanged(CCtrlBase* pCtrl) override { return Took("OnSelChanged", pCtrl); }

private:
    bool Took(const char* pszEvent, CCtrlBase* pCtrl);
    std::string m_strTree;
};

// Stands in for a tree's registered drop target, notes each call and passes it on.
class CDropRecorder : public IDropTarget {
public:
    // Takes the place of the target registered for the tree's window.
    void Wrap(CTreeCtrl& tree, const char* pszName);
    // Notes client points rather than the item under the pointer.
    bool m_bPoints = false;
    // Runs after each DragOver, as the host's own code might during a drag.
    std::function<void()> m_onDragOver;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                        DWORD* pdwEffect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                   DWORD* pdwEffect) override;

private:
    size_t Begin(const char* pszCall, DWORD grfKeyState, POINTL pt);
    static void End(size_t nEntry, const DWORD* pdwEffect);
    CTreeCtrl* m_pTree = nullptr;
    IDropTarget* m_pInner = nullptr;
    std::string m_strName;
};

// The frame notes the drag notifications that reach it. An item given image -1 (I_IMAGECALLBACK) asks the
// frame for its images, and the frame answers -1, so that the item shows -1 on every platform.
class CDragFrame : public CWnd {
protected:
    afx_msg void OnBeginDrag(UINT, NMHDR*, LRESULT*) { Note("frame:BEGINDRAG"); }
    afx_msg void OnBeginRDrag(UINT, NMHDR*, LRESULT*) { Note("frame:BEGINRDRAG"); }
    afx_msg void OnGetDispInfo(UINT, NMHDR* pNMHDR, LRESULT*) {
        TVITEMA& item = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR)->item;
        if (item.mask & TVIF_IMAGE)
            item.iImage = I_IMAGECALLBACK;
        if (item.mask & TVIF_SELECTEDIMAGE)
            item.iSelectedImage = I_IMAGECALLBACK;
    }
    DECLARE_MESSAGE_MAP()
};

// A window in the frame's free area (screen 110, 430 to 310, 510 once created) that drags an empty data
// source of its own, as another part of the application (or another application) would.
class CForeignSource : public CWnd {
protected:
    afx_msg void OnLButtonDown(UINT, CPoint) {
        COleDataSource dataSource;
        Note("foreign:" + std::to_string(dataSource.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE)));
    }
    DECLARE_MESSAGE_MAP()
};

constexpr UINT kTreeA = 1;
constexpr UINT kTreeB = 2;
constexpr UINT kTreeC = 3;

// The frame is a popup at screen (100, 100); A's client area starts at screen (110, 110), B's at (350, 110)
// and C's at (590, 110). Below the trees, from screen y 420 on, is the frame's own area, which takes no
// drops. Items (ID, image):
//   A: A.Root (1, 0) > A.One (7, 2) > A.Grand (8, 4); A.Root > A.Two (12, 6); A.Root2 (20, 1)
//   B: B.Root (100, 0) > B.Kid (101, 2), B.Kid2 (102, 5)
//   C: C.Root > C.Kid1 (checked), C.Kid2 (unchecked); C.Root shows partly checked
class DragHostTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static void Pump() { emu::PumpMessages(AfxPumpMessage); }

    HTREEITEM Add(CTreeCtrl& tree, const char* pszName, HTREEITEM hParent, int nImage, long lID);

    // Screen points: the middle of an item's label, a client point of a tree.
    static CPoint LabelPoint(CTreeCtrl& tree, HTREEITEM hItem);
    static CPoint ClientPoint(CTreeCtrl& tree, int x, int y);

    // Presses on the item's label and moves past the drag distance, which starts the drag; the drag itself
    // begins with the next move.
    void Press(CTreeCtrl& tree, HTREEITEM hItem);
    void MoveTo(CTreeCtrl& tree, HTREEITEM hItem);
    void MoveTo(CPoint point);
    void Release();
    void Cancel();
    // A whole drag from one item onto another, released with or without Ctrl.
    void DragOnto(CTreeCtrl& source, HTREEITEM hItem, CTreeCtrl& target, HTREEITEM hTarget,
                  bool bCtrl = false);

    // Creates the foreign source in the frame, then drags from it onto the item, or onto a client point.
    void ForeignDragOnto(CTreeCtrl& tree, HTREEITEM hItem);
    void ForeignDragOnto(CPoint point);
    // Neither an image-list drag nor its image on screen.
    static void ExpectNoImageDrag();

    // "none", or the name of the tree's drop-highlighted item.
    static std::string Highlight(CTreeCtrl& tree);

    CWinApp m_app{"DragHost"};
    CDragFrame m_frame;
    CImageList m_images;
    CTestTree m_treeA;
    CTestTree m_treeB;
    COrnCheckTreeCtrl m_treeC;
    CNamedListener m_listenerA{"A"};
    CNamedListener m_listenerB{"B"};
    CNamedListener m_listenerC{"C"};
    CDropRecorder m_recorderA;
    CDropRecorder m_recorderB;
    CDropRecorder m_recorderC;
    CForeignSource m_foreign;

    HTREEITEM m_hARoot = nullptr, m_hAOne = nullptr, m_hAGrand = nullptr, m_hATwo = nullptr,
              m_hARoot2 = nullptr;
    HTREEITEM m_hBRoot = nullptr, m_hBKid = nullptr, m_hBKid2 = nullptr;
    HTREEITEM m_hCRoot = nullptr, m_hCKid1 = nullptr, m_hCKid2 = nullptr;
};
