#include "DemoListener.h"

#include <cstdlib>

namespace {

// Event arguments write a handle as its 32 bits in signed decimal.
HTREEITEM HandleFrom(const CString& text) {
    return reinterpret_cast<HTREEITEM>(static_cast<UINT_PTR>(static_cast<ULONG>(std::atol(text))));
}

// A check tree shows its check boxes as images; a copied item arrives unchecked.
bool IsCheckTree(const COrnTreeCtrl& tree) {
    return dynamic_cast<const COrnCheckTreeCtrl*>(&tree) != nullptr;
}

void CopyBranch(CTreeCtrl& from, HTREEITEM hFrom, COrnTreeCtrl& to, HTREEITEM hParent) {
    int nImage = 0, nSelectedImage = 0;
    from.GetItemImage(hFrom, nImage, nSelectedImage);
    if (IsCheckTree(to))
        nImage = nSelectedImage = 0;
    HTREEITEM hCopy = to.AddItem(hParent, from.GetItemText(hFrom), TVI_LAST, nSelectedImage, nImage,
                                 static_cast<long>(from.GetItemData(hFrom)));
    if (hCopy == NULL)
        return;
    for (HTREEITEM hChild = from.GetChildItem(hFrom); hChild != NULL;
         hChild = from.GetNextSiblingItem(hChild))
        CopyBranch(from, hChild, to, hCopy);
    to.Expand(hParent, TVE_EXPAND);
}

} // namespace

void CDemoListener::AddTree(COrnTreeCtrl* pTree, const char* pszName) {
    m_trees.push_back({pTree, pszName});
    pTree->SetListener(this);
}

const CDemoListener::NamedTree* CDemoListener::TreeOf(CCtrlBase* pCtrl) const {
    for (const NamedTree& tree : m_trees)
        if (static_cast<CCtrlBase*>(tree.pTree) == pCtrl)
            return &tree;
    return nullptr;
}

void CDemoListener::Report(const char* pszEvent, CCtrlBase* pCtrl) {
    const NamedTree* pTree = TreeOf(pCtrl);
    std::string line = "  event " + (pTree ? pTree->name : std::string("?")) + "." + pszEvent + "(";
    for (INT_PTR i = 0; i < pCtrl->m_arrArgs.GetSize(); ++i)
        line += (i > 0 ? ", " : "") + std::string(pCtrl->m_arrArgs[i]);
    m_log.Write(line + ")");
}

int CDemoListener::OnEvent1(CCtrlBase* pCtrl) {
    Report("OnEvent1", pCtrl);
    return 0;
}

bool CDemoListener::OnEvent2(CCtrlBase* pCtrl) {
    Report("OnEvent2", pCtrl);
    return false;
}

bool CDemoListener::OnEndLabelEdit(CCtrlBase* pCtrl) {
    Report("OnEndLabelEdit", pCtrl);
    bool bAccept = pCtrl->m_arrArgs.GetSize() > 1 && pCtrl->m_arrArgs[1].Find('\\') < 0;
    m_log.Write(bAccept ? "  host: label accepted" : "  host: label refused (a backslash separates paths)");
    return bAccept;
}

bool CDemoListener::OnDropCopy(CCtrlBase* pCtrl) {
    Report("OnDropCopy", pCtrl);
    CarryOut(pCtrl, false);
    return true;
}

bool CDemoListener::OnDropMove(CCtrlBase* pCtrl) {
    Report("OnDropMove", pCtrl);
    CarryOut(pCtrl, true);
    return true;
}

bool CDemoListener::OnEvent7(CCtrlBase* pCtrl) {
    Report("OnEvent7", pCtrl);
    return false;
}

bool CDemoListener::OnEvent8(CCtrlBase* pCtrl) {
    Report("OnEvent8", pCtrl);
    return false;
}

bool CDemoListener::OnSelChanged(CCtrlBase* pCtrl) {
    Report("OnSelChanged", pCtrl);
    return true;
}

void CDemoListener::CarryOut(CCtrlBase* pCtrl, bool bMove) {
    const NamedTree* pTarget = TreeOf(pCtrl);
    const CStringArray& args = pCtrl->m_arrArgs;
    if (pTarget == nullptr || args.GetSize() < 4)
        return;
    HTREEITEM hSource = HandleFrom(args[2]);
    HTREEITEM hTarget = HandleFrom(args[3]);
    long lSourceID = std::atol(args[0]);
    // The arguments do not name the source tree: it is the one that holds the item with that ID.
    for (const NamedTree& source : m_trees) {
        // A handle that is not the tree's reads as no text.
        CString strText = source.pTree->GetItemText(hSource);
        if (strText.IsEmpty() || static_cast<long>(source.pTree->GetItemData(hSource)) != lSourceID)
            continue;
        CopyBranch(*source.pTree, hSource, *pTarget->pTree, hTarget == NULL ? TVI_ROOT : hTarget);
        if (bMove)
            source.pTree->DeleteItem(hSource);
        m_log.Write(std::string("  host: ") + (bMove ? "moved " : "copied ") + std::string(strText) +
                    " into " + pTarget->name);
        return;
    }
}
