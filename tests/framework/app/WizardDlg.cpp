#include "pch.h"

#include "WizardApp.h"
#include "WizardDlg.h"

#include <emu/Emu.h>

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

CWizardDlg::CWizardDlg(CWnd* pParent) : CDialogEx(IDD_WIZARD_DIALOG, pParent) {
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

void CWizardDlg::DoDataExchange(CDataExchange* pDX) {
    CDialogEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NAME, m_strName);
}

BEGIN_MESSAGE_MAP(CWizardDlg, CDialogEx)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_MESSAGE(WM_KICKIDLE, &CWizardDlg::OnKickIdle)
ON_MESSAGE(WM_ENTERIDLE, &CWizardDlg::OnEnterIdle)
END_MESSAGE_MAP()

BOOL CWizardDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();

    // Add "About..." menu item to system menu.
    // IDM_ABOUTBOX must be in the system command range.
    ASSERT((IDM_ABOUTBOX & 0xFFF0) == IDM_ABOUTBOX);
    ASSERT(IDM_ABOUTBOX < 0xF000);

    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu != nullptr) {
        CString strAboutMenu = _T("&About Wizard...");
        if (!strAboutMenu.IsEmpty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
            m_bAboutItemAdded = pSysMenu->GetMenuItemID(pSysMenu->GetMenuItemCount() - 1) == IDM_ABOUTBOX;
        }
    }

    // Set the icon for this dialog. The framework does this automatically when the application's main
    // window is not a dialog.
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_hIconShown = GetIcon(TRUE);

    return TRUE; // return TRUE unless you set the focus to a control
}

void CWizardDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        m_bAboutShown = dlgAbout.DoModal() == IDOK;
    } else {
        CDialogEx::OnSysCommand(nID, lParam);
    }
}

// If you add a minimize button to your dialog, you will need the code below to draw the icon.
void CWizardDlg::OnPaint() {
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
HCURSOR CWizardDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

LRESULT CWizardDlg::OnKickIdle(WPARAM, LPARAM lIdleCount) {
    if (lIdleCount != 0)
        return FALSE;
    if (m_nStage == 0) {
        m_nStage = 1;
        PostMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    } else if (m_nStage == 2 && m_bAboutShown) {
        m_nStage = 3;
        emu::TypeText("Grace");
        emu::PressKey(VK_RETURN);
    }
    return FALSE;
}

LRESULT CWizardDlg::OnEnterIdle(WPARAM wParam, LPARAM) {
    // The About box's loop has gone idle: its user presses Enter.
    if (wParam == MSGF_DIALOGBOX && m_nStage == 1) {
        m_nStage = 2;
        emu::PressKey(VK_RETURN);
    }
    return 0;
}
