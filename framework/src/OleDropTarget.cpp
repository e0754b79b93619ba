#include "afx/OleDropTarget.h"

#include "afx/ModuleState.h"
#include "WndInternal.h"

namespace {

// The effect if the source allows it; a copy or move that it does not allow becomes the other one when that
// is allowed; otherwise none. The scroll bit is kept.
DROPEFFECT FilterDropEffect(DROPEFFECT dropEffect, DROPEFFECT dwEffects) {
    if ((dropEffect & dwEffects) != 0)
        return dropEffect;
    DROPEFFECT dwScroll = dropEffect & DROPEFFECT_SCROLL;
    switch (dropEffect & ~DROPEFFECT_SCROLL) {
    case DROPEFFECT_COPY:
        if (dwEffects & DROPEFFECT_MOVE)
            return DROPEFFECT_MOVE | dwScroll;
        break;
    case DROPEFFECT_MOVE:
        if (dwEffects & DROPEFFECT_COPY)
            return DROPEFFECT_COPY | dwScroll;
        break;
    }
    return dwScroll;
}

// The caller's format description, or the usual one (content in global memory), for the format.
FORMATETC FormatFor(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
    FORMATETC formatEtc = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (lpFormatEtc != nullptr)
        formatEtc = *lpFormatEtc;
    formatEtc.cfFormat = cfFormat;
    return formatEtc;
}

} // namespace

BOOL AFXAPI AfxOleInit() {
    if (FAILED(::OleInitialize(nullptr)))
        return FALSE;
    ++AfxGetModuleState()->m_nOleInits;
    return TRUE;
}

// COleDataObject

COleDataObject::COleDataObject() : m_lpDataObject(nullptr), m_bAutoRelease(TRUE) {}

COleDataObject::~COleDataObject() {
    Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease) {
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach() {
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    m_lpDataObject = nullptr;
    return lpDataObject;
}

void COleDataObject::Release() {
    if (m_lpDataObject != nullptr && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = nullptr;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
    if (m_lpDataObject == nullptr)
        return FALSE;
    FORMATETC formatEtc = FormatFor(cfFormat, lpFormatEtc);
    return m_lpDataObject->QueryGetData(&formatEtc) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
    if (m_lpDataObject == nullptr)
        return nullptr;
    FORMATETC formatEtc = FormatFor(cfFormat, lpFormatEtc);
    formatEtc.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium = {};
    if (FAILED(m_lpDataObject->GetData(&formatEtc, &medium)) || medium.tymed != TYMED_HGLOBAL)
        return nullptr;
    return medium.hGlobal;
}

// COleDropTarget

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

COleDropTarget::COleDropTarget() : m_hWnd(nullptr), m_xDropTarget(this), m_lpDataObject(nullptr) {}

COleDropTarget::~COleDropTarget() {
    COleDropTarget::Revoke();
    ReleaseDataObject();
}

BOOL COleDropTarget::Register(CWnd* pWnd) {
    HWND hWnd = afx::detail::SafeHwnd(pWnd);
    if (m_hWnd != nullptr || hWnd == nullptr)
        return FALSE;
    if (FAILED(::CoLockObjectExternal(&m_xDropTarget, TRUE, FALSE)))
        return FALSE;
    if (FAILED(::RegisterDragDrop(hWnd, &m_xDropTarget))) {
        ::CoLockObjectExternal(&m_xDropTarget, FALSE, FALSE);
        return FALSE;
    }
    m_hWnd = hWnd;
    pWnd->m_pDropTarget = this;
    return TRUE;
}

void COleDropTarget::Revoke() {
    if (m_hWnd == nullptr)
        return;
    HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    CWnd* pWnd = afx::detail::LookupPermanent(hWnd);
    if (pWnd != nullptr && pWnd->m_pDropTarget == this)
        pWnd->m_pDropTarget = nullptr;
    ::RevokeDragDrop(hWnd);
    ::CoLockObjectExternal(&m_xDropTarget, FALSE, TRUE);
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) {
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) {
    return DROPEFFECT_NONE;
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) {
    return FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint) {
    return static_cast<DROPEFFECT>(-1);
}

void COleDropTarget::OnDragLeave(CWnd*) {}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint) {
    return DROPEFFECT_NONE;
}

CWnd* COleDropTarget::GetWindow() const {
    return CWnd::FromHandle(m_hWnd);
}

CPoint COleDropTarget::ToClient(POINTL pt) const {
    CPoint point(pt.x, pt.y);
    ::ScreenToClient(m_hWnd, &point);
    return point;
}

void COleDropTarget::ReleaseDataObject() {
    if (m_lpDataObject != nullptr)
        m_lpDataObject->Release();
    m_lpDataObject = nullptr;
}

// The IDropTarget interface

HRESULT COleDropTarget::XDropTarget::QueryInterface(REFIID riid, void** ppvObject) {
    if (ppvObject == nullptr)
        return E_POINTER;
    if (riid != IID_IUnknown && riid != IID_IDropTarget) {
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    *ppvObject = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
}

ULONG COleDropTarget::XDropTarget::AddRef() {
    return m_pOwner->InternalAddRef();
}

ULONG COleDropTarget::XDropTarget::Release() {
    return m_pOwner->InternalRelease();
}

HRESULT COleDropTarget::XDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                               DWORD* pdwEffect) {
    if (pdwEffect == nullptr)
        return E_INVALIDARG;
    COleDropTarget& target = *m_pOwner;
    target.ReleaseDataObject();
    target.m_lpDataObject = pDataObj;
    if (pDataObj != nullptr)
        pDataObj->AddRef();
    CWnd* pWnd = target.GetWindow();
    CPoint point = target.ToClient(pt);
    COleDataObject dataObject;
    dataObject.Attach(pDataObj, FALSE);
    DROPEFFECT dropEffect = target.OnDragScroll(pWnd, grfKeyState, point);
    if ((dropEffect & DROPEFFECT_SCROLL) == 0)
        dropEffect = target.OnDragEnter(pWnd, &dataObject, grfKeyState, point);
    *pdwEffect = FilterDropEffect(dropEffect, *pdwEffect);
    return S_OK;
}

HRESULT COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    if (pdwEffect == nullptr)
        return E_INVALIDARG;
    COleDropTarget& target = *m_pOwner;
    CWnd* pWnd = target.GetWindow();
    CPoint point = target.ToClient(pt);
    COleDataObject dataObject;
    dataObject.Attach(target.m_lpDataObject, FALSE);
    DROPEFFECT dropEffect = target.OnDragScroll(pWnd, grfKeyState, point);
    if ((dropEffect & DROPEFFECT_SCROLL) == 0)
        dropEffect = target.OnDragOver(pWnd, &dataObject, grfKeyState, point);
    *pdwEffect = FilterDropEffect(dropEffect, *pdwEffect);
    return S_OK;
}

HRESULT COleDropTarget::XDropTarget::DragLeave() {
    COleDropTarget& target = *m_pOwner;
    target.OnDragLeave(target.GetWindow());
    target.ReleaseDataObject();
    return S_OK;
}

HRESULT COleDropTarget::XDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                          DWORD* pdwEffect) {
    if (pdwEffect == nullptr)
        return E_INVALIDARG;
    COleDropTarget& target = *m_pOwner;
    CWnd* pWnd = target.GetWindow();
    CPoint point = target.ToClient(pt);
    COleDataObject dataObject;
    dataObject.Attach(pDataObj, FALSE);
    // The effect at the drop point, as the last move would have shown it.
    DROPEFFECT dropEffect =
        FilterDropEffect(target.OnDragOver(pWnd, &dataObject, grfKeyState, point), *pdwEffect);
    DROPEFFECT dropResult = target.OnDropEx(pWnd, &dataObject, dropEffect, *pdwEffect, point);
    if (dropResult == static_cast<DROPEFFECT>(-1)) {
        if (dropEffect != DROPEFFECT_NONE) {
            dropResult = target.OnDrop(pWnd, &dataObject, dropEffect, point) ? dropEffect : DROPEFFECT_NONE;
        } else {
            target.OnDragLeave(pWnd);
            dropResult = DROPEFFECT_NONE;
        }
    }
    target.ReleaseDataObject();
    *pdwEffect = dropResult;
    return S_OK;
}
