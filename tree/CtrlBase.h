// The second base of every control of the library: the channel of events to the host's listener.
#pragma once

#include <afxcoll.h>

#include "CtrlListener.h"

// Each event operation stores the event's arguments in m_arrArgs and calls the matching listener operation,
// whose answer it returns. Without a listener nothing is stored and the answer is -1 (FireEvent1) or false.
// The library raises FireEndLabelEdit, FireSelChanged, FireDropCopy and FireDropMove, always through
// virtual dispatch, so a class derived from a control may replace them.
class CCtrlBase {
public:
    // No listener and no arguments.
    CCtrlBase() : m_pListener(NULL) {}
    // Frees the argument list; the listener is the host's and is left alone.
    virtual ~CCtrlBase() {}

    // Raises event 1 (CCtrlListener::OnEvent1), which only the host or a derived class raises, and returns
    // the listener's answer unchanged: a listener's -1 reads as no listener.
    // pArgs may be NULL for an event without arguments; the caller keeps the array, its strings are copied.
    virtual int FireEvent1(CStringArray* pArgs);
    // Raises event 2 (CCtrlListener::OnEvent2), which only the host or a derived class raises.
    virtual bool FireEvent2(CStringArray* pArgs);
    // Raised by the control when a label edit ends with a text (CCtrlListener::OnEndLabelEdit); the answer
    // decides whether the text is applied.
    virtual bool FireEndLabelEdit(CStringArray* pArgs);
    // Raised by the control, without arguments, when its selection has changed (CCtrlListener::OnSelChanged).
    virtual bool FireSelChanged(CStringArray* pArgs);
    // Raised by the tree that receives a drop with the copy effect (CCtrlListener::OnDropCopy).
    virtual bool FireDropCopy(CStringArray* pArgs);
    // Raised by the tree that receives a drop with the move effect (CCtrlListener::OnDropMove).
    virtual bool FireDropMove(CStringArray* pArgs);
    // Raises event 7 (CCtrlListener::OnEvent7), which only the host or a derived class raises.
    virtual bool FireEvent7(CStringArray* pArgs);
    // Raises event 8 (CCtrlListener::OnEvent8), which only the host or a derived class raises.
    virtual bool FireEvent8(CStringArray* pArgs);

    // Same effect as assigning m_pListener; NULL stops delivery.
    void SetListener(CCtrlListener* pListener) { m_pListener = pListener; }

    // The host's listener, not owned; NULL when there is none.
    CCtrlListener* m_pListener;
    // The arguments of the most recent event delivered to the listener; an event that finds no listener
    // leaves them as they were.
    CStringArray m_arrArgs;

private:
    void SetArgs(const CStringArray* pArgs);
};

// The class is not exported from the library, so all of it is defined here: a host and the classes it
// derives from the controls can raise the events, and every module has the class's type information (to
// convert the pointer a listener receives with dynamic_cast).

inline void CCtrlBase::SetArgs(const CStringArray* pArgs) {
    // Copied before the list is replaced, so that passing m_arrArgs itself keeps its strings.
    CStringArray arrCopy;
    if (pArgs != NULL)
        arrCopy.Copy(*pArgs);
    m_arrArgs.Copy(arrCopy);
}

inline int CCtrlBase::FireEvent1(CStringArray* pArgs) {
    if (m_pListener == NULL)
        return -1;
    SetArgs(pArgs);
    return m_pListener->OnEvent1(this);
}

inline bool CCtrlBase::FireEvent2(CStringArray* pArgs) {
    if (m_pListener == NULL)
        return false;
    SetArgs(pArgs);
    return m_pListener->OnEvent2(this);
}

inline bool CCtrlBase::FireEndLabelEdit(CStringArray* pArgs) {
    if (m_pListener == NULL)
        return false;
    SetArgs(pArgs);
    return m_pListener->OnEndLabelEdit(this);
}

inline bool CCtrlBase::FireSelChanged(CStringArray* pArgs) {
    if (m_pListener == NULL)
        return false;
    SetArgs(pArgs);
    return m_pListener->OnSelChanged(this);
}

inline bool CCtrlBase::FireDropCopy(CStringArray* pArgs) {
    if (m_pListener == NULL)
        return false;
    SetArgs(pArgs);
    return m_pListener->OnDropCopy(this);
}

inline bool CCtrlBase::FireDropMove(CStringArray* pArgs) {
    if (m_pListener == NULL)
        return false;
    SetArgs(pArgs);
    return m_pListener->OnDropMove(this);
}

inline bool CCtrlBase::FireEvent7(CStringArray* pArgs) {
    if (m_pListener == NULL)
        return false;
    SetArgs(pArgs);
    return m_pListener->OnEvent7(this);
}

inline bool CCtrlBase::FireEvent8(CStringArray* pArgs) {
    if (m_pListener == NULL)
        return false;
    SetArgs(pArgs);
    return m_pListener->OnEvent8(this);
}
