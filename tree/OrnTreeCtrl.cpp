#include "OrnTreeCtrl.h"

#include "DragSource.h"
#include "EventArgs.h"
#include "TreeDropTarget.h"

BEGIN_MESSAGE_MAP(COrnTreeCtrl, CTreeCtrl)
ON_WM_CREATE()
ON_NOTIFY_REFLECT(TVN_BEGINDRAGA, &COrnTreeCtrl::OnBegindrag)
ON_WM_RBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_NOTIFY_REFLECT_EX(TVN_SELCHANGEDA, &COrnTreeCtrl::OnSelchanged)
ON_NOTIFY_REFLECT_EX(TVN_ENDLABELEDITA, &COrnTreeCtrl::OnEndlabeledit)
END_MESSAGE_MAP()

COrnTreeCtrl::COrnTreeCtrl() : m_pDropTarget(new CTreeDropTarget), m_pImageList(NULL), m_nMenuID(0) {}

// The filters and the argument list go with the members and bases, in that order, after the image list and
// the drop target.
COrnTreeCtrl::~COrnTreeCtrl() {
    ForgetDragSource(m_hWnd);
    if (m_pImageList != NULL) {
        delete m_pImageList;
        m_pImageList = NULL;
    }
    delete m_pDropTarget;
    m_pDropTarget = NULL;
}

HTREEITEM COrnTreeCtrl::AddItem(HTREEITEM hParent, CString strText, HTREEITEM hInsertAfter,
                                int nSelectedImage, int nImage, long lData) {
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_SELECTEDIMAGE;
    tvis.item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(strText));
    tvis.item.cchTextMax = strText.GetLength();
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    // The ID keeps its 32-bit meaning where LPARAM is wider.
    tvis.item.lParam = static_cast<LPARAM>(static_cast<LONG>(lData));
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tvis)));
}

void COrnTreeCtrl::SetMenuID(UINT nMenuID) {
    m_nMenuID = nMenuID;
}

BOOL COrnTreeCtrl::PreTranslateMessage(MSG* pMsg) {
    // During a label edit these keys go straight to the edit box, before any window above the tree (a
    // dialog's key handling, accelerators) can take them.
    if (pMsg->message == WM_KEYDOWN && SendMessage(TVM_GETEDITCONTROL) != 0) {
        if (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_DELETE ||
            ::GetKeyState(VK_CONTROL) != 0) {
            ::TranslateMessage(pMsg);
            ::DispatchMessageA(pMsg);
            return TRUE;
        }
    }
    return CTreeCtrl::PreTranslateMessage(pMsg);
}

void COrnTreeCtrl::PreSubclassWindow() {
    if (!m_pDropTarget->Register(this)) {
        if (!AfxOleInit())
            AfxMessageBox("Error", MB_OK, 0);
        m_pDropTarget->Register(this);
    }
    CTreeCtrl::PreSubclassWindow();
}

int COrnTreeCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CTreeCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pDropTarget->Register(this);
    return 0;
}

// The right button never reaches the tree's own processing, so the tree neither tracks it nor reports it.
void COrnTreeCtrl::OnRButtonDown(UINT nFlags, CPoint point) {
    UNUSED_ALWAYS(nFlags);
    if (m_nMenuID == 0)
        return;
    CRect rect;
    GetClientRect(&rect);
    ClientToScreen(&rect);
    // (-1, -1) comes from the keyboard: the menu opens near the tree's corner.
    CPoint ptMenu = point.x == -1 && point.y == -1 ? CPoint(rect.left + 5, rect.top + 5)
                                                   : CPoint(rect.left + point.x, rect.top + point.y);

    LPCSTR lpszMenu = MAKEINTRESOURCEA(LOWORD(m_nMenuID));
    HMENU hMenu = ::LoadMenuA(AfxFindResourceHandle(lpszMenu, RT_MENU), lpszMenu);
    if (hMenu == NULL)
        return;
    HMENU hPopup = ::GetSubMenu(hMenu, 0);
    // The frame or dialog gets the command, not the tree or a child window between them.
    HWND hWndOwner = GetParentOwner()->GetSafeHwnd();
    if (hPopup != NULL)
        ::TrackPopupMenu(hPopup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, ptMenu.x, ptMenu.y, 0, hWndOwner, NULL);
    ::DestroyMenu(hMenu);
}

void COrnTreeCtrl::OnLButtonUp(UINT nFlags, CPoint point) {
    CTreeCtrl::OnLButtonUp(nFlags, point);
}

BOOL COrnTreeCtrl::OnEndlabeledit(NMHDR* pNMHDR, LRESULT* pResult) {
    TVITEMA& item = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR)->item;
    *pResult = 0;
    // A cancelled edit.
    if (item.pszText == NULL)
        return FALSE;
    DWORD_PTR dwID = GetItemData(item.hItem);
    item.mask = TVIF_TEXT;

    CStringArray arrArgs;
    arrArgs.Add(FormatItemID(dwID));
    arrArgs.Add(item.pszText);
    arrArgs.Add(FormatItemHandle(item.hItem));
    if (FireEndLabelEdit(&arrArgs))
        SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    // The host enables editing for one edit at a time.
    ModifyStyle(TVS_EDITLABELS, 0, 0);
    // The tree must not apply the text itself: the listener decided. FALSE lets the parent see the
    // notification too.
    *pResult = 0;
    return FALSE;
}

BOOL COrnTreeCtrl::OnSelchanged(NMHDR* pNMHDR, LRESULT* pResult) {
    UNUSED_ALWAYS(pNMHDR);
    *pResult = 0;
    FireSelChanged(NULL);
    return FALSE;
}
