// OLE drag and drop, receiving side: the data object wrapper and the drop target of a window.
#pragma once

#include <ole2.h>

#include "DropEffect.h"

#include "Wnd.h"

// Initialises OLE for the application. FALSE on failure.
BOOL AFXAPI AfxOleInit();

// Wraps the IDataObject of a drag.
class COleDataObject {
public:
    COleDataObject();
    ~COleDataObject();
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // With bAutoRelease, the wrapper releases the interface when it lets go of it.
    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // The data in global memory, owned by the caller, or NULL.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);

    LPDATAOBJECT m_lpDataObject;
    BOOL m_bAutoRelease;
};

// A window's OLE drop target. The object holds its own reference; Register locks it for OLE.
class COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    // Revokes a registration that is still in place.
    ~COleDropTarget() override;

    // Makes the window a drop target. FALSE when OLE refuses (for example when it is not initialised).
    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    // Overridables, called with the point in pWnd's client coordinates. The defaults accept nothing.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // (DROPEFFECT)-1 means not implemented: OnDrop or OnDragLeave runs instead.
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    // Asked first on every enter and move; an effect with DROPEFFECT_SCROLL means the window scrolls and
    // OnDragEnter/OnDragOver are skipped.
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    // The registered window, or NULL.
    HWND m_hWnd;

    // The IDropTarget interface that OLE calls.
    LPDROPTARGET GetDropTarget() { return &m_xDropTarget; }

private:
    class XDropTarget : public IDropTarget {
    public:
        explicit XDropTarget(COleDropTarget* pOwner) : m_pOwner(pOwner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
        ULONG STDMETHODCALLTYPE AddRef() override;
        ULONG STDMETHODCALLTYPE Release() override;
        HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                            DWORD* pdwEffect) override;
        HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        HRESULT STDMETHODCALLTYPE DragLeave() override;
        HRESULT STDMETHODCALLTYPE Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                       DWORD* pdwEffect) override;

    private:
        COleDropTarget* m_pOwner;
    };

    CWnd* GetWindow() const;
    CPoint ToClient(POINTL pt) const;
    void ReleaseDataObject();

    XDropTarget m_xDropTarget;
    // The data object of the drag in progress, held from DragEnter to DragLeave or Drop.
    LPDATAOBJECT m_lpDataObject;
};
