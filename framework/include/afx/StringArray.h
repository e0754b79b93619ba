// The framework's array of strings, with the same rules as CArray: bad indexes and counts raise
// CInvalidArgException before anything is changed.
#pragma once

#include "Array.h"
#include "String.h"

class CStringArray : public CObject {
    DECLARE_DYNAMIC(CStringArray)
public:
    CStringArray() = default;

    INT_PTR GetSize() const noexcept { return m_array.GetSize(); }
    INT_PTR GetCount() const noexcept { return m_array.GetCount(); }
    BOOL IsEmpty() const noexcept { return m_array.IsEmpty(); }
    INT_PTR GetUpperBound() const noexcept { return m_array.GetUpperBound(); }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) { m_array.SetSize(nNewSize, nGrowBy); }
    void FreeExtra() { m_array.FreeExtra(); }
    void RemoveAll() { m_array.RemoveAll(); }

    const CString& GetAt(INT_PTR nIndex) const { return m_array.GetAt(nIndex); }
    CString& GetAt(INT_PTR nIndex) { return m_array.GetAt(nIndex); }
    void SetAt(INT_PTR nIndex, const CString& newElement) { m_array.SetAt(nIndex, newElement); }
    void SetAt(INT_PTR nIndex, LPCSTR newElement) { m_array.ElementAt(nIndex) = newElement; }
    const CString& ElementAt(INT_PTR nIndex) const { return m_array.ElementAt(nIndex); }
    CString& ElementAt(INT_PTR nIndex) { return m_array.ElementAt(nIndex); }
    const CString& operator[](INT_PTR nIndex) const { return m_array[nIndex]; }
    CString& operator[](INT_PTR nIndex) { return m_array[nIndex]; }
    const CString* GetData() const noexcept { return m_array.GetData(); }
    CString* GetData() noexcept { return m_array.GetData(); }

    void SetAtGrow(INT_PTR nIndex, const CString& newElement) { m_array.SetAtGrow(nIndex, newElement); }
    void SetAtGrow(INT_PTR nIndex, LPCSTR newElement) { m_array.SetAtGrow(nIndex, CString(newElement)); }
    INT_PTR Add(const CString& newElement) { return m_array.Add(newElement); }
    INT_PTR Add(LPCSTR newElement) { return m_array.Add(CString(newElement)); }
    INT_PTR Append(const CStringArray& src) { return m_array.Append(src.m_array); }
    void Copy(const CStringArray& src) { m_array.Copy(src.m_array); }

    void InsertAt(INT_PTR nIndex, const CString& newElement, INT_PTR nCount = 1) {
        m_array.InsertAt(nIndex, newElement, nCount);
    }
    void InsertAt(INT_PTR nIndex, LPCSTR newElement, INT_PTR nCount = 1) {
        m_array.InsertAt(nIndex, CString(newElement), nCount);
    }
    void InsertAt(INT_PTR nStartIndex, CStringArray* pNewArray) {
        m_array.InsertAt(nStartIndex, pNewArray == NULL ? NULL : &pNewArray->m_array);
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) { m_array.RemoveAt(nIndex, nCount); }

private:
    CArray<CString> m_array;
};
