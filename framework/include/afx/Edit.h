// The edit control as a framework window.
#pragma once

#include <windows.h>

#include "Wnd.h"

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    CEdit();

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The selection: its start in the low word, the character after it in the high word.
    DWORD GetSel() const;
    void GetSel(int& nStartChar, int& nEndChar) const;
    // (0, -1) selects everything, a start of -1 nothing; unless bNoScroll the caret is scrolled into view.
    void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE);
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo = FALSE);
    void Clear();
    void Copy();
    void Cut();
    void Paste();

    // The most characters the user may enter; 0 sets the largest limit.
    void LimitText(int nChars = 0);
    void SetLimitText(UINT nMax);
    UINT GetLimitText() const;

    BOOL CanUndo() const;
    BOOL Undo();
    void EmptyUndoBuffer();
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);

    // Lines, for multiline controls: counts, the index of a line's first character (-1: the caret's line),
    // a line's length from the index of one of its characters, and a line's text.
    int GetLineCount() const;
    int GetFirstVisibleLine() const;
    int LineIndex(int nLine = -1) const;
    int LineLength(int nLine = -1) const;
    int LineFromChar(int nIndex = -1) const;
    // Copies at most nMaxLength characters of the line, without a NUL; returns how many.
    int GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const;
    void LineScroll(int nLines, int nChars = 0);
};
