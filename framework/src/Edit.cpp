#include "afx/Edit.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>

IMPLEMENT_DYNAMIC(CEdit, CWnd)

CEdit::CEdit() = default;

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    return CWnd::Create(WC_EDITA, nullptr, dwStyle, rect, pParentWnd, nID);
}

DWORD CEdit::GetSel() const {
    return static_cast<DWORD>(::SendMessageA(m_hWnd, EM_GETSEL, 0, 0));
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll) {
    SetSel(static_cast<int>(static_cast<short>(LOWORD(dwSelection))),
           static_cast<int>(static_cast<short>(HIWORD(dwSelection))), bNoScroll);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
    DWORD start = 0, end = 0;
    ::SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll) {
    ::SendMessageA(m_hWnd, EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
    if (!bNoScroll)
        ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
}

void CEdit::ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo) {
    ::SendMessageA(m_hWnd, EM_REPLACESEL, static_cast<WPARAM>(bCanUndo),
                   reinterpret_cast<LPARAM>(lpszNewText));
}

void CEdit::LimitText(int nChars) {
    ::SendMessageA(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
}

UINT CEdit::GetLimitText() const {
    return static_cast<UINT>(::SendMessageA(m_hWnd, EM_GETLIMITTEXT, 0, 0));
}

void CEdit::Clear() {
    ::SendMessageA(m_hWnd, WM_CLEAR, 0, 0);
}

void CEdit::Copy() {
    ::SendMessageA(m_hWnd, WM_COPY, 0, 0);
}

void CEdit::Cut() {
    ::SendMessageA(m_hWnd, WM_CUT, 0, 0);
}

void CEdit::Paste() {
    ::SendMessageA(m_hWnd, WM_PASTE, 0, 0);
}

void CEdit::SetLimitText(UINT nMax) {
    ::SendMessageA(m_hWnd, EM_SETLIMITTEXT, nMax, 0);
}

BOOL CEdit::CanUndo() const {
    return static_cast<BOOL>(::SendMessageA(m_hWnd, EM_CANUNDO, 0, 0));
}

BOOL CEdit::Undo() {
    return static_cast<BOOL>(::SendMessageA(m_hWnd, EM_UNDO, 0, 0));
}

void CEdit::EmptyUndoBuffer() {
    ::SendMessageA(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0);
}

BOOL CEdit::GetModify() const {
    return static_cast<BOOL>(::SendMessageA(m_hWnd, EM_GETMODIFY, 0, 0));
}

void CEdit::SetModify(BOOL bModified) {
    ::SendMessageA(m_hWnd, EM_SETMODIFY, static_cast<WPARAM>(bModified), 0);
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly) {
    return static_cast<BOOL>(::SendMessageA(m_hWnd, EM_SETREADONLY, static_cast<WPARAM>(bReadOnly), 0));
}

int CEdit::GetLineCount() const {
    return static_cast<int>(::SendMessageA(m_hWnd, EM_GETLINECOUNT, 0, 0));
}

int CEdit::GetFirstVisibleLine() const {
    return static_cast<int>(::SendMessageA(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0));
}

int CEdit::LineIndex(int nLine) const {
    return static_cast<int>(::SendMessageA(m_hWnd, EM_LINEINDEX, static_cast<WPARAM>(nLine), 0));
}

int CEdit::LineLength(int nLine) const {
    return static_cast<int>(::SendMessageA(m_hWnd, EM_LINELENGTH, static_cast<WPARAM>(nLine), 0));
}

int CEdit::LineFromChar(int nIndex) const {
    return static_cast<int>(::SendMessageA(m_hWnd, EM_LINEFROMCHAR, static_cast<WPARAM>(nIndex), 0));
}

int CEdit::GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const {
    // EM_GETLINE reads the buffer's size from its first word.
    if (nMaxLength < static_cast<int>(sizeof(WORD)))
        return 0;
    const WORD wSize = static_cast<WORD>(nMaxLength);
    std::memcpy(lpszBuffer, &wSize, sizeof(wSize));
    return static_cast<int>(::SendMessageA(m_hWnd, EM_GETLINE, static_cast<WPARAM>(nIndex),
                                           reinterpret_cast<LPARAM>(lpszBuffer)));
}

void CEdit::LineScroll(int nLines, int nChars) {
    ::SendMessageA(m_hWnd, EM_LINESCROLL, static_cast<WPARAM>(nChars), nLines);
}
