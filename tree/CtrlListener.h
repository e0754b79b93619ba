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
    // See OnAttach; does nothing unless the host gives it a body.
    virtual void OnDetach(CCtrlBase* pCtrl) { (void)pCtrl; }
    // A name for the host's own logs; empty unless the host gives one.
    virtual const char* GetName() const { return ""; }

    // Events. Raised by the library: OnEndLabelEdit (true applies the new label), OnDropCopy, OnDropMove
    // and OnSelChanged (their answers are ignored). The others only when the host or a class derived from a
    // control raises them.

    // Event 1 (CCtrlBase::FireEvent1), with whatever arguments its raiser gives; the answer is returned to
    // the raiser.
    virtual int OnEvent1(CCtrlBase* pCtrl) = 0;
    // Event 2 (CCtrlBase::FireEvent2), as event 1.
    virtual bool OnEvent2(CCtrlBase* pCtrl) = 0;
    // The user ended a label edit with a text (a cancelled edit raises nothing). Arguments: 0 the item's ID
    // (its item data, as a signed decimal), 1 the new text as the edit box returned it, 2 the item's handle
    // (signed decimal). True sets the item's label to the new text, false keeps the old one. After an edit
    // that ends with a text the control removes TVS_EDITLABELS, whatever the answer: the host sets it again
    // before the next edit.
    virtual bool OnEndLabelEdit(CCtrlBase* pCtrl) = 0;
    // An item was dropped on pCtrl's tree with the copy effect (Ctrl held). Arguments: 0 the dragged item's
    // ID and 1 the ID of the item dropped on (-1 for no item), 2 and 3 their handles (0 for none), all as
    // signed decimals; the dragged item may belong to another tree of the process. The library changes no
    // tree: copying is the listener's work. The answer is ignored.
    virtual bool OnDropCopy(CCtrlBase* pCtrl) = 0;
    // An item was dropped on pCtrl's tree with the move effect; the arguments are those of OnDropCopy.
    // Not raised when the item dropped on is already the dragged item's parent. Moving is the listener's
    // work; the answer is ignored.
    virtual bool OnDropMove(CCtrlBase* pCtrl) = 0;
    // Event 7 (CCtrlBase::FireEvent7), as event 1.
    virtual bool OnEvent7(CCtrlBase* pCtrl) = 0;
    // Event 8 (CCtrlBase::FireEvent8), as event 1.
    virtual bool OnEvent8(CCtrlBase* pCtrl) = 0;
    // The tree's selection changed; no arguments: the new selection is the tree's selected item. Raised
    // before the parent window receives TVN_SELCHANGED. The answer is ignored.
    virtual bool OnSelChanged(CCtrlBase* pCtrl) = 0;
};
