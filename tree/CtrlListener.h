// The host's listener: told of what the user does with a control of the library.
#pragma once

class CCtrlBase;

// Implemented by the host; the library never creates, copies or deletes a listener. Every event operation
// receives the CCtrlBase part of the control that raises the event: the event's arguments are in its
// m_arrArgs while the operation runs, and the pointer tells the host's controls apart.
class CCtrlListener {
public:
    // The four leading operations belong to the host; the library never calls them.

    // Lets the host delete its listeners through this interface.
    virtual ~CCtrlListener() = default;
    // For a host that shares one listener among several controls: the host calls OnAttach after making
    // this object a control's listener (m_pListener or SetListener) and OnDetach after taking it away.
    virtual void OnAttach(CCtrlBase* pCtrl) { (void)pCtrl; }
    virtual void OnDetach(CCtrlBase* pCtrl) { (void)pCtrl; }
    // A name for the host's own logs; empty unless the host gives one.
    virtual const char* GetName() const { return ""; }

    // Events. Raised by the library: OnEndLabelEdit (true applies the new label), OnDropCopy, OnDropMove
    // and OnSelChanged (their answers are ignored). The others only when the host or a class derived from a
    // control raises them.
    virtual int OnEvent1(CCtrlBase* pCtrl) = 0;
    virtual bool OnEvent2(CCtrlBase* pCtrl) = 0;
    virtual bool OnEndLabelEdit(CCtrlBase* pCtrl) = 0;
    virtual bool OnDropCopy(CCtrlBase* pCtrl) = 0;
    virtual bool OnDropMove(CCtrlBase* pCtrl) = 0;
    virtual bool OnEvent7(CCtrlBase* pCtrl) = 0;
    virtual bool OnEvent8(CCtrlBase* pCtrl) = 0;
    virtual bool OnSelChanged(CCtrlBase* pCtrl) = 0;
};
