// The framework's narrow string: characters in the system ANSI code page. Searches, trims and tokenizing
// step through the text character by character, so a double-byte character (lead and trail byte) is
// never split or matched by half. Lengths and indexes count bytes. A NUL ends the text.
#pragma once

#include <cstdarg>

#include "Exception.h"

#if defined(__GNUC__)
#define AFX_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define AFX_PRINTF_FORMAT(fmt, args)
#endif

class CString {
public:
    CString() noexcept;
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept;
    // NULL gives the empty string.
    CString(LPCSTR lpsz);
    CString(const unsigned char* lpsz);
    // The first nLength bytes of lpch.
    CString(LPCSTR lpch, int nLength);
    explicit CString(char ch, int nRepeat = 1);
    ~CString();

    CString& operator=(const CString& stringSrc);
    CString& operator=(CString&& stringSrc) noexcept;
    CString& operator=(LPCSTR lpsz);
    CString& operator=(char ch);
    CString& operator+=(const CString& string);
    CString& operator+=(LPCSTR lpsz);
    CString& operator+=(char ch);

    int GetLength() const noexcept { return m_nDataLength; }
    BOOL IsEmpty() const noexcept { return m_nDataLength == 0; }
    void Empty();
    // The terminating NUL (index GetLength()) may be read; other indexes outside the text throw.
    char GetAt(int iChar) const;
    char operator[](int iChar) const { return GetAt(iChar); }
    void SetAt(int iChar, char ch);

    // Stays valid until the string is changed.
    operator LPCSTR() const noexcept { return m_pszData; }
    LPCSTR GetString() const noexcept { return m_pszData; }
    void SetString(LPCSTR lpsz);
    void SetString(LPCSTR lpch, int nLength);

    // Direct access to the characters: write at most the requested length plus a NUL, then call
    // ReleaseBuffer before using the string in any other way.
    LPSTR GetBuffer();
    LPSTR GetBuffer(int nMinBufferLength);
    LPSTR GetBufferSetLength(int nNewLength);
    // nNewLength -1 takes the length up to the first NUL.
    void ReleaseBuffer(int nNewLength = -1);
    void Preallocate(int nLength);
    void FreeExtra();
    void Truncate(int nNewLength);

    void Append(const CString& string);
    void Append(LPCSTR lpsz);
    void Append(LPCSTR lpch, int nLength);
    void AppendChar(char ch);

    void Format(LPCSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
    void FormatV(LPCSTR lpszFormat, va_list args);
    void AppendFormat(LPCSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
    void AppendFormatV(LPCSTR lpszFormat, va_list args);

    // Replaces the text with the string resource nID, from the module that the framework's resource search
    // (AfxFindResourceHandle) finds holding the string's block, or from hInstance. FALSE, with the text
    // left as it was, when there is no such string.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // Negative, zero or positive like strcmp (bytes compared unsigned).
    int Compare(LPCSTR lpsz) const;
    int CompareNoCase(LPCSTR lpsz) const;
    // Ordered by the C library's current locale.
    int Collate(LPCSTR lpsz) const;
    int CollateNoCase(LPCSTR lpsz) const;

    // Index of the first match at or after iStart, or -1.
    int Find(char ch, int iStart = 0) const;
    int Find(LPCSTR lpszSub, int iStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR lpszCharSet) const;

    // Counts and positions out of range are clamped to the text; negative ones count as 0.
    CString Left(int nCount) const;
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR lpszCharSet) const;
    CString SpanExcluding(LPCSTR lpszCharSet) const;
    // The next token after iStart, skipping leading delimiters; iStart moves past the token's delimiter,
    // or becomes -1 (with an empty result) when no token is left.
    CString Tokenize(LPCSTR lpszTokens, int& iStart) const;

    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCSTR lpszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR lpszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR lpszTargets);

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    // The number of replacements or removals made.
    int Replace(char chOld, char chNew);
    int Replace(LPCSTR lpszOld, LPCSTR lpszNew);
    int Remove(char chRemove);
    // The new length.
    int Insert(int iIndex, char ch);
    int Insert(int iIndex, LPCSTR lpsz);
    int Delete(int iIndex, int nCount = 1);

private:
    // Makes the buffer hold nLength characters plus the NUL, keeping the current text.
    void Reserve(int nLength);
    void SetLength(int nLength);

    // Always NUL-terminated; the shared empty string while nothing is allocated (m_nAllocLength 0).
    LPSTR m_pszData;
    int m_nDataLength;
    int m_nAllocLength;
};

CString operator+(const CString& string1, const CString& string2);
CString operator+(const CString& string, LPCSTR lpsz);
CString operator+(LPCSTR lpsz, const CString& string);
CString operator+(const CString& string, char ch);
CString operator+(char ch, const CString& string);

inline bool operator==(const CString& s1, const CString& s2) {
    return s1.Compare(s2) == 0;
}
inline bool operator==(const CString& s1, LPCSTR s2) {
    return s1.Compare(s2) == 0;
}
inline bool operator==(LPCSTR s1, const CString& s2) {
    return s2.Compare(s1) == 0;
}
inline bool operator!=(const CString& s1, const CString& s2) {
    return s1.Compare(s2) != 0;
}
inline bool operator!=(const CString& s1, LPCSTR s2) {
    return s1.Compare(s2) != 0;
}
inline bool operator!=(LPCSTR s1, const CString& s2) {
    return s2.Compare(s1) != 0;
}
inline bool operator<(const CString& s1, const CString& s2) {
    return s1.Compare(s2) < 0;
}
inline bool operator<(const CString& s1, LPCSTR s2) {
    return s1.Compare(s2) < 0;
}
inline bool operator<(LPCSTR s1, const CString& s2) {
    return s2.Compare(s1) > 0;
}
inline bool operator>(const CString& s1, const CString& s2) {
    return s1.Compare(s2) > 0;
}
inline bool operator>(const CString& s1, LPCSTR s2) {
    return s1.Compare(s2) > 0;
}
inline bool operator>(LPCSTR s1, const CString& s2) {
    return s2.Compare(s1) < 0;
}
inline bool operator<=(const CString& s1, const CString& s2) {
    return s1.Compare(s2) <= 0;
}
inline bool operator<=(const CString& s1, LPCSTR s2) {
    return s1.Compare(s2) <= 0;
}
inline bool operator<=(LPCSTR s1, const CString& s2) {
    return s2.Compare(s1) >= 0;
}
inline bool operator>=(const CString& s1, const CString& s2) {
    return s1.Compare(s2) >= 0;
}
inline bool operator>=(const CString& s1, LPCSTR s2) {
    return s1.Compare(s2) >= 0;
}
inline bool operator>=(LPCSTR s1, const CString& s2) {
    return s2.Compare(s1) <= 0;
}
