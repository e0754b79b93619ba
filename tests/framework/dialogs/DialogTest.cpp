#include "DialogTest.h"

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
ON_MESSAGE(WM_ENTERIDLE, &COwnerWnd::OnEnterIdle)
END_MESSAGE_MAP()

LRESULT COwnerWnd::OnEnterIdle(WPARAM wParam, LPARAM) {
    if (wParam == MSGF_DIALOGBOX && m_nIdle++ == 0 && m_user)
        m_user();
    return 0;
}
