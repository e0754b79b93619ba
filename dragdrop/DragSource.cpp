#include "OrnTreeCtrl.h"

void COrnTreeCtrl::OnBegindrag(NMHDR* pNMHDR, LRESULT* pResult) {
    UNUSED_ALWAYS(pNMHDR);
    *pResult = 0;
}
