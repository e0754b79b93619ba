#include "pch.h"

// WM_KICKIDLE, which the self-test waits for.
#include <afxpriv.h>

#include "CatalogApp.h"
#include "CatalogDlg.h"
#include "SelfTest.h"

#ifdef _DEBUG
#define new DEBUG_NEW
#endif

// The About box.
class CAboutDlg : public CDialogEx {
public:
    CAboutDlg();

#ifdef AFX_DESIGN_TIME
    enum { IDD = IDD_ABOUTBOX };
#endif

protected:
    DECLARE_MESSAGE_MAP()
};

CAboutDlg::CAboutDlg() : CDialogEx(IDD_ABOUTBOX) {}

BEGIN_MESSAGE_MAP(CAboutDlg, CDialogEx)
END_MESSAGE_MAP()

// The catalog: image group, parent ID (-1 for the top level), item ID and text of each item, a parent
// before its children.
static LPCTSTR const s_catalog[] = {
    _T("0"),        _T("-1"),    _T("1"),       _T("Catalog"), _T("1"),     _T("1"),       _T("10"),
    _T("Lighting"), _T("2"),     _T("10"),      _T("11"),      _T("Lamps"), _T("2"),       _T("10"),
    _T("12"),       _T("Bulbs"), _T("1"),       _T("1"),       _T("20"),    _T("Kitchen"), _T("2"),
    _T("20"),       _T("21"),    _T("Kettles"), _T("3"),       _T("21"),    _T("22"),      _T("Lids"),
};

CCatalogDlg::CCatalogDlg(CWnd* pParent) : CDialogEx(IDD_CATALOG_DIALOG, pParent) {
    m_hIcon = AfxGetApp()->LoadStandardIcon(IDI_APPLICATION);
}

void CCatalogDlg::DoDataExchange(CDataExchange* pDX) {
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TREE, m_tree);
}

BEGIN_MESSAGE_MAP(CCatalogDlg, CDialogEx)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_NOTIFY(TVN_SELCHANGED, IDC_TREE, &CCatalogDlg::OnTvnSelchangedTree)
ON_COMMAND(ID_ITEM_RENAME, &CCatalogDlg::OnItemRename)
ON_COMMAND(ID_ITEM_DELETE, &CCatalogDlg::OnItemDelete)
ON_COMMAND(ID_ITEM_EXPANDALL, &CCatalogDlg::OnItemExpandAll)
ON_MESSAGE(WM_KICKIDLE, &CCatalogDlg::OnKickIdle)
END_MESSAGE_MAP()

BOOL CCatalogDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();

    // Add "About..." menu item to system menu.
    // IDM_ABOUTBOX must be in the system command range.
    ASSERT((IDM_ABOUTBOX & 0xFFF0) == IDM_ABOUTBOX);
    ASSERT(IDM_ABOUTBOX < 0xF000);

    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu != nullptr) {
        pSysMenu->AppendMenu(MF_SEPARATOR);
        pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, _T("&About Catalog..."));
    }

    // Set the icon for this dialog. The framework does this automatically when the application's main
    // window is not a dialog.
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    CStringArray records;
    for (LPCTSTR lpszField : s_catalog)
        records.Add(lpszField);
    HTREEITEM hLighting = m_tree.ImpByIds(&records, true, 10);
    m_tree.Expand(m_tree.GetRootItem(), TVE_EXPAND);
    m_tree.Expand(hLighting, TVE_EXPAND);
    m_tree.SetListener(this);
    m_tree.SetMenuID(IDR_TREE_MENU);
    m_tree.SelectItem(m_tree.GetRootItem());
    m_hAccel = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_ACCELERATORS));

    return TRUE; // return TRUE unless you set the focus to a control
}

BOOL CCatalogDlg::PreTranslateMessage(MSG* pMsg) {
    // During a label edit the tree has already taken the keys its edit box needs.
    if (m_hAccel != nullptr && ::TranslateAccelerator(m_hWnd, m_hAccel, pMsg))
        return TRUE;
    return CDialogEx::PreTranslateMessage(pMsg);
}

void CCatalogDlg::OnOK() {
    m_tree.GetItemDir(m_strSelection, nullptr);
    CDialogEx::OnOK();
}

void CCatalogDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialogEx::OnSysCommand(nID, lParam);
    }
}

// If you add a minimize button to your dialog, you will need the code below to draw the icon.
void CCatalogDlg::OnPaint() {
    if (IsIconic()) {
        CPaintDC dc(this); // device context for painting

        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);

        // Center icon in client rectangle
        int cxIcon = GetSystemMetrics(SM_CXICON);
        int cyIcon = GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);
        int x = (rect.Width() - cxIcon + 1) / 2;
        int y = (rect.Height() - cyIcon + 1) / 2;

        // Draw the icon
        dc.DrawIcon(x, y, m_hIcon);
    } else {
        CDialogEx::OnPaint();
    }
}

// The system calls this function to obtain the cursor to display while the user drags the minimized window.
HCURSOR CCatalogDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

void CCatalogDlg::OnTvnSelchangedTree(NMHDR* pNMHDR, LRESULT* pResult) {
    UNUSED_ALWAYS(pNMHDR);
    CString strPath;
    m_tree.GetItemDir(strPath, nullptr);
    GetDlgItem(IDC_SELECTION)->SetWindowText(strPath);
    *pResult = 0;
}

void CCatalogDlg::OnItemRename() {
    HTREEITEM hItem = m_tree.GetSelectedItem();
    if (hItem == nullptr)
        return;
    // The tree switches label editing off after every edit that ends with a text.
    m_tree.ModifyStyle(0, TVS_EDITLABELS);
    m_tree.EditLabel(hItem);
}

void CCatalogDlg::OnItemDelete() {
    HTREEITEM hItem = m_tree.GetSelectedItem();
    if (hItem != nullptr && hItem != m_tree.GetRootItem())
        m_tree.DeleteItem(hItem);
}

void CCatalogDlg::OnItemExpandAll() {
    m_tree.ExpandAll(m_tree.GetRootItem());
}

LRESULT CCatalogDlg::OnKickIdle(WPARAM, LPARAM) {
    return m_pSelfTest != nullptr && m_pSelfTest->OnIdle(*this);
}

int CCatalogDlg::OnEvent1(CCtrlBase*) {
    return 0;
}

bool CCatalogDlg::OnEvent2(CCtrlBase*) {
    return false;
}

// A new label may not be empty, nor hold a backslash, which separates the parts of an item's path.
bool CCatalogDlg::OnEndLabelEdit(CCtrlBase* pCtrl) {
    const CString& strText = pCtrl->m_arrArgs[1];
    return !strText.IsEmpty() && strText.Find(_T('\\')) < 0;
}

// The catalog is not rearranged by dragging.
bool CCatalogDlg::OnDropCopy(CCtrlBase*) {
    return false;
}

bool CCatalogDlg::OnDropMove(CCtrlBase*) {
    return false;
}

bool CCatalogDlg::OnEvent7(CCtrlBase*) {
    return false;
}

bool CCatalogDlg::OnEvent8(CCtrlBase*) {
    return false;
}

// The dialog follows the selection through TVN_SELCHANGED.
bool CCatalogDlg::OnSelChanged(CCtrlBase*) {
    return false;
}
