// OLE drag and drop, sending side: the drop source that decides how a drag goes on, and the data source
// that is dragged.
#pragma once

#include <ole2.h>

#include "DropEffect.h"

#include "Wnd.h"

class COleDataSource;

// Decides when a drag starts, goes on, drops or is cancelled, and what the pointer shows.
class COleDropSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropSource)
public:
    COleDropSource();

    // Called before the drag starts, with the window that has the focus. The default holds the mouse for
    // pWnd until the pointer leaves m_rectStartDrag or the drag delay has passed (TRUE: the drag starts), or
    // a mouse button or Escape is pressed or a button released first (FALSE: there is no drag).
    virtual BOOL OnBeginDrag(CWnd* pWnd);
    // Escape or the other button cancels; releasing the button that started the drag drops.
    virtual HRESULT QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    // The default lets OLE show its own cursors.
    virtual HRESULT GiveFeedback(DROPEFFECT dropEffect);

    // Where the drag starts, in screen coordinates.
    CRect m_rectStartDrag;
    // The MK_ button whose release drops, and the one whose press cancels.
    DWORD m_dwButtonDrop;
    DWORD m_dwButtonCancel;

private:
    friend class COleDataSource;

    class XDropSource : public IDropSource {
    public:
        explicit XDropSource(COleDropSource* pOwner) : m_pOwner(pOwner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
        ULONG STDMETHODCALLTYPE AddRef() override;
        ULONG STDMETHODCALLTYPE Release() override;
        HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
        HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD dwEffect) override;

    private:
        COleDropSource* m_pOwner;
    };

    XDropSource m_xDropSource;
};

// Data offered to a drag. It offers no format of its own.
class COleDataSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();

    // Runs a modal drag of this data, allowing dwEffects. It starts once the pointer leaves
    // lpRectStartDrag (screen coordinates; NULL for the pixel under the pointer) or the drag delay has
    // passed; pDropSource NULL uses the default drop source. Returns the effect of the drop, or
    // DROPEFFECT_NONE when the drag is cancelled, never starts, or the drop is refused.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = NULL, COleDropSource* pDropSource = NULL);

private:
    class XDataObject : public IDataObject {
    public:
        explicit XDataObject(COleDataSource* pOwner) : m_pOwner(pOwner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
        ULONG STDMETHODCALLTYPE AddRef() override;
        ULONG STDMETHODCALLTYPE Release() override;
        HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override;
        HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) override;
        HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pformatetc) override;
        HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* pformatectIn,
                                                        FORMATETC* pformatetcOut) override;
        HRESULT STDMETHODCALLTYPE SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) override;
        HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override;
        HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink,
                                          DWORD* pdwConnection) override;
        HRESULT STDMETHODCALLTYPE DUnadvise(DWORD dwConnection) override;
        HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** ppenumAdvise) override;

    private:
        COleDataSource* m_pOwner;
    };

    XDataObject m_xDataObject;
};
