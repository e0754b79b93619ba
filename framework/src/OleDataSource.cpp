#include "afx/OleDataSource.h"

#include <windowsx.h>

namespace {

// How long a press must last before the drag starts even though the pointer has stayed in the start
// rectangle, in milliseconds.
constexpr DWORD kDragDelay = 200;

bool IsButtonMessage(UINT message) {
    return message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK;
}

// The formats of a data source that offers none.
class CEmptyFormatList final : public IEnumFORMATETC {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override {
        if (ppvObject == nullptr)
            return E_POINTER;
        if (riid != IID_IUnknown && riid != IID_IEnumFORMATETC) {
            *ppvObject = nullptr;
            return E_NOINTERFACE;
        }
        *ppvObject = static_cast<IEnumFORMATETC*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_nRef); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG nRef = --m_nRef;
        if (nRef == 0)
            delete this;
        return static_cast<ULONG>(nRef);
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override {
        if (rgelt == nullptr || (celt > 1 && pceltFetched == nullptr))
            return E_INVALIDARG;
        if (pceltFetched != nullptr)
            *pceltFetched = 0;
        return celt == 0 ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG celt) override { return celt == 0 ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE Reset() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** ppenum) override {
        if (ppenum == nullptr)
            return E_POINTER;
        *ppenum = new CEmptyFormatList;
        return S_OK;
    }

private:
    LONG m_nRef = 1;
};

} // namespace

// COleDropSource

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)

COleDropSource::COleDropSource()
    : m_dwButtonDrop(MK_LBUTTON), m_dwButtonCancel(MK_RBUTTON), m_xDropSource(this) {}

// The drag start waits on the queue with the mouse held, and a thread timer for the delay: moves inside
// the start rectangle and other keys are read and dropped, everything else is dispatched.
BOOL COleDropSource::OnBeginDrag(CWnd* pWnd) {
    if (pWnd == NULL)
        return TRUE;
    UINT_PTR nTimer = ::SetTimer(NULL, 0, kDragDelay, NULL);
    BOOL bStarted = FALSE;
    pWnd->SetCapture();
    while (::GetCapture() == pWnd->m_hWnd) {
        MSG msg;
        if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == NULL && msg.wParam == nTimer) {
            bStarted = TRUE;
            break;
        }
        bool bMouse = msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST;
        bool bKey = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
        if (!bMouse && !bKey) {
            ::DispatchMessageA(&msg);
            continue;
        }
        if (msg.message == WM_MOUSEMOVE && !m_rectStartDrag.PtInRect(msg.pt)) {
            bStarted = TRUE;
            break;
        }
        if (IsButtonMessage(msg.message) || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
    }
    ::KillTimer(NULL, nTimer);
    if (::GetCapture() == pWnd->m_hWnd)
        ::ReleaseCapture();
    return bStarted;
}

HRESULT COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) {
    if (bEscapePressed || (dwKeyState & m_dwButtonCancel) != 0)
        return DRAGDROP_S_CANCEL;
    if ((dwKeyState & m_dwButtonDrop) == 0)
        return DRAGDROP_S_DROP;
    return S_OK;
}

HRESULT COleDropSource::GiveFeedback(DROPEFFECT) {
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

HRESULT COleDropSource::XDropSource::QueryInterface(REFIID riid, void** ppvObject) {
    if (ppvObject == nullptr)
        return E_POINTER;
    if (riid != IID_IUnknown && riid != IID_IDropSource) {
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    *ppvObject = static_cast<IDropSource*>(this);
    AddRef();
    return S_OK;
}

ULONG COleDropSource::XDropSource::AddRef() {
    return m_pOwner->InternalAddRef();
}

ULONG COleDropSource::XDropSource::Release() {
    return m_pOwner->InternalRelease();
}

HRESULT COleDropSource::XDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) {
    return m_pOwner->QueryContinueDrag(fEscapePressed, grfKeyState);
}

HRESULT COleDropSource::XDropSource::GiveFeedback(DWORD dwEffect) {
    return m_pOwner->GiveFeedback(dwEffect);
}

// COleDataSource

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

COleDataSource::COleDataSource() : m_xDataObject(this) {}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource) {
    COleDropSource dropSource;
    if (pDropSource == NULL)
        pDropSource = &dropSource;
    // The button held now drops when released; the other one cancels.
    bool bRight = ::GetKeyState(VK_LBUTTON) >= 0 && ::GetKeyState(VK_RBUTTON) < 0;
    pDropSource->m_dwButtonDrop = bRight ? MK_RBUTTON : MK_LBUTTON;
    pDropSource->m_dwButtonCancel = bRight ? MK_LBUTTON : MK_RBUTTON;
    DWORD dwPos = ::GetMessagePos();
    CPoint point(GET_X_LPARAM(dwPos), GET_Y_LPARAM(dwPos));
    pDropSource->m_rectStartDrag =
        lpRectStartDrag != NULL ? CRect(lpRectStartDrag) : CRect(point, CSize(1, 1));
    if (!pDropSource->OnBeginDrag(CWnd::GetFocus()))
        return DROPEFFECT_NONE;
    DWORD dwResultEffect = DROPEFFECT_NONE;
    HRESULT hr = ::DoDragDrop(&m_xDataObject, &pDropSource->m_xDropSource, dwEffects, &dwResultEffect);
    return hr == DRAGDROP_S_DROP ? dwResultEffect : DROPEFFECT_NONE;
}

HRESULT COleDataSource::XDataObject::QueryInterface(REFIID riid, void** ppvObject) {
    if (ppvObject == nullptr)
        return E_POINTER;
    if (riid != IID_IUnknown && riid != IID_IDataObject) {
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    *ppvObject = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
}

ULONG COleDataSource::XDataObject::AddRef() {
    return m_pOwner->InternalAddRef();
}

ULONG COleDataSource::XDataObject::Release() {
    return m_pOwner->InternalRelease();
}

HRESULT COleDataSource::XDataObject::GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) {
    return pformatetcIn == nullptr || pmedium == nullptr ? E_INVALIDARG : DV_E_FORMATETC;
}

HRESULT COleDataSource::XDataObject::GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) {
    return pformatetc == nullptr || pmedium == nullptr ? E_INVALIDARG : DV_E_FORMATETC;
}

HRESULT COleDataSource::XDataObject::QueryGetData(FORMATETC* pformatetc) {
    return pformatetc == nullptr ? E_INVALIDARG : DV_E_FORMATETC;
}

HRESULT COleDataSource::XDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) {
    return E_NOTIMPL;
}

HRESULT COleDataSource::XDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) {
    return E_NOTIMPL;
}

HRESULT COleDataSource::XDataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) {
    if (ppenumFormatEtc == nullptr)
        return E_POINTER;
    *ppenumFormatEtc = nullptr;
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    *ppenumFormatEtc = new CEmptyFormatList;
    return S_OK;
}

HRESULT COleDataSource::XDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT COleDataSource::XDataObject::DUnadvise(DWORD) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT COleDataSource::XDataObject::EnumDAdvise(IEnumSTATDATA**) {
    return OLE_E_ADVISENOTSUPPORTED;
}
