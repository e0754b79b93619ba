#include "DialogHost.h"

#include <utility>

namespace {

const char* TreeName(UINT nID) {
    return nID == IDC_TREE ? "tree" : nID == IDC_PLAIN ? "plain" : "checks";
}

} // namespace

BEGIN_MESSAGE_MAP(CTreesDlg, CDialogEx)
ON_COMMAND(ID_ITEM_RENAME, &CTreesDlg::OnRename)
ON_COMMAND_RANGE(ID_ITEM_OPEN, ID_KEY_COPY, &CTreesDlg::OnCommandID)
ON_NOTIFY_RANGE(TVN_ENDLABELEDIT, IDC_TREE, IDC_PLAIN, &CTreesDlg::OnEndLabelEdit)
ON_MESSAGE(WM_CHECKTREE_ITEMCLICK, &CTreesDlg::OnItemClick)
ON_MESSAGE(WM_KICKIDLE, &CTreesDlg::OnKickIdle)
END_MESSAGE_MAP()

void CTreesDlg::DoDataExchange(CDataExchange* pDX) {
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TREE, m_tree);
    DDX_Control(pDX, IDC_PLAIN, m_plain);
    DDX_Control(pDX, IDC_CHECKS, m_checks);
}

BOOL CTreesDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    // Records of image group, parent ID, ID and text.
    CStringArray records;
    for (const char* field : {"0", "-1", "11", "alpha", "0", "11", "12", "beta"})
        records.Add(field);
    m_tree.ImpByIds(&records, true, 0);
    m_hTreeRoot = m_tree.GetRootItem();
    m_hTreeChild = m_tree.GetChildItem(m_hTreeRoot);
    m_hPlainRoot = m_plain.InsertItem("gamma");
    m_hPlainChild = m_plain.InsertItem("delta", m_hPlainRoot);
    m_hBoxRoot = m_checks.AddItem(TVI_ROOT, "one", TVI_LAST, 0, 0, 21);
    m_hBoxChild = m_checks.AddItem(m_hBoxRoot, "two", TVI_LAST, 0, 0, 22);
    // Each tree with its first item expanded and selected before the user comes: what a tree view does when
    // it gets the focus without a selection is not documented.
    m_tree.Expand(m_hTreeRoot, TVE_EXPAND);
    m_plain.Expand(m_hPlainRoot, TVE_EXPAND);
    m_checks.Expand(m_hBoxRoot, TVE_EXPAND);
    m_tree.SelectItem(m_hTreeRoot);
    m_plain.SelectItem(m_hPlainRoot);
    m_checks.SelectItem(m_hBoxRoot);
    m_tree.SetListener(&m_listener);
    m_tree.SetMenuID(IDR_TREE_MENU);
    // The check-box tree shows no menu whatever it is given.
    m_checks.SetMenuID(IDR_TREE_MENU);
    m_hAccel = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_KEYS));
    Note("dialog:OnInitDialog");
    return TRUE;
}

BOOL CTreesDlg::PreTranslateMessage(MSG* pMsg) {
    if (m_hAccel != nullptr && ::TranslateAccelerator(m_hWnd, m_hAccel, pMsg))
        return TRUE;
    return CDialogEx::PreTranslateMessage(pMsg);
}

void CTreesDlg::OnOK() {
    Note("dialog:OnOK");
    CDialogEx::OnOK();
}

void CTreesDlg::OnCancel() {
    Note("dialog:OnCancel");
    CDialogEx::OnCancel();
}

void CTreesDlg::OnCommandID(UINT nID) {
    const char* name = nID == ID_ITEM_OPEN ? "Open" : nID == ID_KEY_DELETE ? "Delete" : "Copy";
    Note(std::string("dialog:command ") + name);
}

void CTreesDlg::OnRename() {
    HWND hFocus = ::GetFocus();
    CTreeCtrl* pTree = hFocus == m_tree.m_hWnd    ? static_cast<CTreeCtrl*>(&m_tree)
                       : hFocus == m_plain.m_hWnd ? &m_plain
                                                  : nullptr;
    if (pTree == nullptr)
        return;
    Note(std::string("dialog:rename ") + TreeName(static_cast<UINT>(pTree->GetDlgCtrlID())));
    // The library's tree switches editing off after each edit that ends with a text.
    pTree->ModifyStyle(0, TVS_EDITLABELS);
    pTree->EditLabel(pTree->GetSelectedItem());
}

void CTreesDlg::OnEndLabelEdit(UINT nID, NMHDR* pNMHDR, LRESULT* pResult) {
    LPCSTR pszText = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR)->item.pszText;
    if (pszText == nullptr) {
        ++m_nCancelledEdits[nID - IDC_TREE];
        return;
    }
    Note(std::string("dialog:ENDLABELEDIT ") + TreeName(nID) + " " + pszText);
    // The plain tree takes the text as the dialog allows it; the library's has applied it already.
    if (nID == IDC_PLAIN)
        *pResult = TRUE;
}

LRESULT CTreesDlg::OnItemClick(WPARAM wParam, LPARAM lParam) {
    auto hItem = reinterpret_cast<HTREEITEM>(wParam);
    int nImage = -1, nSelectedImage = -1;
    m_checks.GetItemImage(hItem, nImage, nSelectedImage);
    Note("dialog:notice " + std::string(m_checks.GetItemText(hItem)) + " " + std::to_string(lParam) +
         " image " + std::to_string(nImage));
    return 0;
}

LRESULT CTreesDlg::OnKickIdle(WPARAM, LPARAM) {
    if (emu::HasPendingInput())
        return FALSE;
    if (m_steps.empty()) {
        EndDialog(kOutOfSteps);
        return FALSE;
    }
    std::function<void()> step = std::move(m_steps.front());
    m_steps.pop_front();
    step();
    return TRUE;
}

void DialogHostTest::SetUp() {
    emu::Reset();
    g_journal.clear();
    ::InitCommonControls();
}

void DialogHostTest::TearDown() {
    Pump();
    CWnd::DeleteTempMap();
}

POINT DialogHostTest::LabelPoint(CTreeCtrl& tree, HTREEITEM hItem) {
    CRect rect;
    EXPECT_TRUE(tree.GetItemRect(hItem, &rect, TRUE));
    POINT point = {rect.CenterPoint().x, rect.CenterPoint().y};
    tree.ClientToScreen(&point);
    return point;
}

void DialogHostTest::ClickLabel(CTreeCtrl& tree, HTREEITEM hItem, emu::Button button) {
    POINT point = LabelPoint(tree, hItem);
    emu::Click(point.x, point.y, button);
    Pump();
}

int DialogHostTest::FocusID() const {
    HWND hFocus = ::GetFocus();
    return hFocus != nullptr ? ::GetDlgCtrlID(hFocus) : 0;
}

std::string DialogHostTest::EditText(CTreeCtrl& tree) {
    CEdit* pEdit = tree.GetEditControl();
    if (pEdit == nullptr)
        return "";
    CString text;
    pEdit->GetWindowText(text);
    return std::string(text);
}

void ModelessHostTest::SetUp() {
    DialogHostTest::SetUp();
    ASSERT_TRUE(m_dlg.Create(IDD_TREES));
    m_app.m_pMainWnd = &m_dlg;
    Pump();
    g_journal.clear();
}

void ModelessHostTest::TearDown() {
    // Not the main window any more when it goes, so that no WM_QUIT is left for the next test.
    m_app.m_pMainWnd = nullptr;
    m_dlg.DestroyWindow();
    DialogHostTest::TearDown();
}
