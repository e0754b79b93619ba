#include "afx/String.h"

#include "afx/ModuleState.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <utility>

namespace {

char g_chNil = '\0';

// The next character's start within the text; a lead byte just before the NUL is a character of its own.
LPCSTR NextChar(LPCSTR p) {
    LPCSTR pNext = CharNextA(p);
    return pNext > p ? pNext : p + 1;
}

int CharSize(LPCSTR p) {
    return static_cast<int>(NextChar(p) - p);
}

// Whether the character of nSize bytes at pch is one of the characters of lpszSet.
bool SetContains(LPCSTR lpszSet, LPCSTR pch, int nSize) {
    for (LPCSTR p = lpszSet; *p != '\0'; p = NextChar(p)) {
        if (CharSize(p) == nSize && std::memcmp(p, pch, nSize) == 0)
            return true;
    }
    return false;
}

bool IsSpace(LPCSTR pch, int nSize) {
    return nSize == 1 && *pch != '\0' && std::strchr(" \t\n\v\f\r", *pch) != NULL;
}

// Case mapping of single-byte characters: ASCII letters, and in code page 1252 its Latin letters too.
char ToUpper(char ch, bool bLatin) {
    unsigned char b = static_cast<unsigned char>(ch);
    if (b >= 'a' && b <= 'z')
        return static_cast<char>(b - 32);
    if (bLatin) {
        if (b >= 0xE0 && b <= 0xFE && b != 0xF7)
            return static_cast<char>(b - 32);
        if (b == 0x9A || b == 0x9C || b == 0x9E)
            return static_cast<char>(b - 16);
        if (b == 0xFF)
            return static_cast<char>(0x9F);
    }
    return ch;
}

char ToLower(char ch, bool bLatin) {
    unsigned char b = static_cast<unsigned char>(ch);
    if (b >= 'A' && b <= 'Z')
        return static_cast<char>(b + 32);
    if (bLatin) {
        if (b >= 0xC0 && b <= 0xDE && b != 0xD7)
            return static_cast<char>(b + 32);
        if (b == 0x8A || b == 0x8C || b == 0x8E)
            return static_cast<char>(b + 16);
        if (b == 0x9F)
            return static_cast<char>(0xFF);
    }
    return ch;
}

bool UsesLatinCase() {
    return GetACP() == 1252;
}

// The text with every single-byte character in lower case, for comparisons that ignore case.
std::string Folded(LPCSTR lpsz) {
    bool bLatin = UsesLatinCase();
    std::string folded(lpsz);
    for (size_t i = 0; i < folded.size();) {
        int nSize = CharSize(folded.c_str() + i);
        if (nSize == 1)
            folded[i] = ToLower(folded[i], bLatin);
        i += nSize;
    }
    return folded;
}

int Sign(int n) {
    return (n > 0) - (n < 0);
}

bool Overlaps(LPCSTR p, LPCSTR pBegin, LPCSTR pEnd) {
    return !std::less<LPCSTR>()(p, pBegin) && std::less<LPCSTR>()(p, pEnd);
}

} // namespace

CString::CString() noexcept : m_pszData(&g_chNil), m_nDataLength(0), m_nAllocLength(0) {}

CString::CString(const CString& stringSrc) : CString() {
    SetString(stringSrc.m_pszData, stringSrc.m_nDataLength);
}

CString::CString(CString&& stringSrc) noexcept
    : m_pszData(stringSrc.m_pszData), m_nDataLength(stringSrc.m_nDataLength),
      m_nAllocLength(stringSrc.m_nAllocLength) {
    stringSrc.m_pszData = &g_chNil;
    stringSrc.m_nDataLength = 0;
    stringSrc.m_nAllocLength = 0;
}

CString::CString(LPCSTR lpsz) : CString() {
    SetString(lpsz);
}

CString::CString(const unsigned char* lpsz) : CString(reinterpret_cast<LPCSTR>(lpsz)) {}

CString::CString(LPCSTR lpch, int nLength) : CString() {
    SetString(lpch, nLength);
}

CString::CString(char ch, int nRepeat) : CString() {
    if (nRepeat > 0) {
        Reserve(nRepeat);
        std::memset(m_pszData, ch, nRepeat);
        SetLength(nRepeat);
    }
}

CString::~CString() {
    if (m_nAllocLength > 0)
        std::free(m_pszData);
}

CString& CString::operator=(const CString& stringSrc) {
    if (this != &stringSrc)
        SetString(stringSrc.m_pszData, stringSrc.m_nDataLength);
    return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept {
    if (this != &stringSrc) {
        std::swap(m_pszData, stringSrc.m_pszData);
        std::swap(m_nDataLength, stringSrc.m_nDataLength);
        std::swap(m_nAllocLength, stringSrc.m_nAllocLength);
        stringSrc.Empty();
    }
    return *this;
}

CString& CString::operator=(LPCSTR lpsz) {
    SetString(lpsz);
    return *this;
}

CString& CString::operator=(char ch) {
    SetString(&ch, 1);
    return *this;
}

CString& CString::operator+=(const CString& string) {
    Append(string);
    return *this;
}

CString& CString::operator+=(LPCSTR lpsz) {
    Append(lpsz);
    return *this;
}

CString& CString::operator+=(char ch) {
    AppendChar(ch);
    return *this;
}

void CString::Empty() {
    if (m_nAllocLength > 0)
        std::free(m_pszData);
    m_pszData = &g_chNil;
    m_nDataLength = 0;
    m_nAllocLength = 0;
}

char CString::GetAt(int iChar) const {
    if (iChar < 0 || iChar > m_nDataLength)
        AfxThrowInvalidArgException();
    return m_pszData[iChar];
}

void CString::SetAt(int iChar, char ch) {
    if (iChar < 0 || iChar >= m_nDataLength)
        AfxThrowInvalidArgException();
    m_pszData[iChar] = ch;
}

void CString::SetString(LPCSTR lpsz) {
    SetString(lpsz, lpsz == NULL ? 0 : static_cast<int>(std::strlen(lpsz)));
}

void CString::SetString(LPCSTR lpch, int nLength) {
    if (nLength < 0 || (lpch == NULL && nLength > 0))
        AfxThrowInvalidArgException();
    if (nLength == 0) {
        if (m_nAllocLength > 0)
            SetLength(0);
        return;
    }
    // Text taken from this string's own buffer already fits it, so the buffer stays where it is.
    if (m_nAllocLength > 0 && Overlaps(lpch, m_pszData, m_pszData + m_nAllocLength + 1)) {
        std::memmove(m_pszData, lpch, nLength);
    } else {
        Reserve(nLength);
        std::memcpy(m_pszData, lpch, nLength);
    }
    SetLength(nLength);
}

LPSTR CString::GetBuffer() {
    return GetBuffer(0);
}

LPSTR CString::GetBuffer(int nMinBufferLength) {
    if (nMinBufferLength < 0)
        AfxThrowInvalidArgException();
    Reserve(nMinBufferLength > m_nDataLength ? nMinBufferLength : m_nDataLength);
    return m_pszData;
}

LPSTR CString::GetBufferSetLength(int nNewLength) {
    LPSTR pszBuffer = GetBuffer(nNewLength);
    SetLength(nNewLength);
    return pszBuffer;
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength == -1)
        nNewLength = static_cast<int>(strnlen(m_pszData, m_nAllocLength));
    if (nNewLength < 0 || nNewLength > m_nAllocLength)
        AfxThrowInvalidArgException();
    if (m_nAllocLength > 0)
        SetLength(nNewLength);
}

void CString::Preallocate(int nLength) {
    if (nLength < 0)
        AfxThrowInvalidArgException();
    Reserve(nLength);
}

void CString::FreeExtra() {
    if (m_nDataLength == 0) {
        Empty();
    } else if (m_nAllocLength > m_nDataLength) {
        LPSTR pszData = static_cast<LPSTR>(std::realloc(m_pszData, m_nDataLength + 1));
        if (pszData != NULL) {
            m_pszData = pszData;
            m_nAllocLength = m_nDataLength;
        }
    }
}

void CString::Truncate(int nNewLength) {
    if (nNewLength < 0 || nNewLength > m_nDataLength)
        AfxThrowInvalidArgException();
    if (m_nAllocLength > 0)
        SetLength(nNewLength);
}

void CString::Append(const CString& string) {
    Append(string.m_pszData, string.m_nDataLength);
}

void CString::Append(LPCSTR lpsz) {
    if (lpsz != NULL)
        Append(lpsz, static_cast<int>(std::strlen(lpsz)));
}

void CString::Append(LPCSTR lpch, int nLength) {
    if (nLength < 0 || (lpch == NULL && nLength > 0))
        AfxThrowInvalidArgException();
    if (nLength == 0)
        return;
    if (nLength > INT_MAX - 1 - m_nDataLength)
        AfxThrowMemoryException();
    // The text may come from this string's own buffer, which growing can move.
    ptrdiff_t nOffset = -1;
    if (m_nAllocLength > 0 && Overlaps(lpch, m_pszData, m_pszData + m_nAllocLength + 1))
        nOffset = lpch - m_pszData;
    Reserve(m_nDataLength + nLength);
    if (nOffset >= 0)
        lpch = m_pszData + nOffset;
    std::memmove(m_pszData + m_nDataLength, lpch, nLength);
    SetLength(m_nDataLength + nLength);
}

void CString::AppendChar(char ch) {
    Append(&ch, 1);
}

void CString::Format(LPCSTR lpszFormat, ...) {
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void CString::FormatV(LPCSTR lpszFormat, va_list args) {
    CString strResult;
    strResult.AppendFormatV(lpszFormat, args);
    *this = std::move(strResult);
}

void CString::AppendFormat(LPCSTR lpszFormat, ...) {
    va_list args;
    va_start(args, lpszFormat);
    AppendFormatV(lpszFormat, args);
    va_end(args);
}

void CString::AppendFormatV(LPCSTR lpszFormat, va_list args) {
    if (lpszFormat == NULL)
        AfxThrowInvalidArgException();
    va_list argsCount;
    va_copy(argsCount, args);
    int nLength = std::vsnprintf(NULL, 0, lpszFormat, argsCount);
    va_end(argsCount);
    if (nLength < 0)
        AfxThrowInvalidArgException();
    if (nLength == 0)
        return;
    // Formatted apart first: the arguments may point into this string.
    CString strFormatted;
    strFormatted.Reserve(nLength);
    std::vsnprintf(strFormatted.m_pszData, static_cast<size_t>(nLength) + 1, lpszFormat, args);
    strFormatted.SetLength(nLength);
    Append(strFormatted);
}

BOOL CString::LoadString(UINT nID) {
    return LoadString(AfxFindResourceHandle(MAKEINTRESOURCEA((nID & 0xFFFF) / 16 + 1), RT_STRING), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID) {
    // A string resource holds up to 65535 UTF-16 units, twice as many bytes in a double-byte code page. A
    // string that fills the buffer (or all but the byte a double-byte character did not fit in) may have
    // been cut: it is loaded again into a larger one.
    for (int nSize = 256;; nSize *= 2) {
        CString strLoaded;
        int nLength = ::LoadStringA(hInstance, nID, strLoaded.GetBuffer(nSize - 1), nSize);
        if (nLength <= 0)
            return FALSE;
        if (nLength < nSize - 2) {
            strLoaded.ReleaseBuffer(nLength);
            *this = std::move(strLoaded);
            return TRUE;
        }
    }
}

int CString::Compare(LPCSTR lpsz) const {
    if (lpsz == NULL)
        AfxThrowInvalidArgException();
    return Sign(std::strcmp(m_pszData, lpsz));
}

int CString::CompareNoCase(LPCSTR lpsz) const {
    if (lpsz == NULL)
        AfxThrowInvalidArgException();
    return Sign(std::strcmp(Folded(m_pszData).c_str(), Folded(lpsz).c_str()));
}

int CString::Collate(LPCSTR lpsz) const {
    if (lpsz == NULL)
        AfxThrowInvalidArgException();
    return Sign(std::strcoll(m_pszData, lpsz));
}

int CString::CollateNoCase(LPCSTR lpsz) const {
    if (lpsz == NULL)
        AfxThrowInvalidArgException();
    return Sign(std::strcoll(Folded(m_pszData).c_str(), Folded(lpsz).c_str()));
}

int CString::Find(char ch, int iStart) const {
    if (iStart < 0 || iStart >= m_nDataLength)
        return -1;
    LPCSTR pEnd = m_pszData + m_nDataLength;
    for (LPCSTR p = m_pszData + iStart; p < pEnd; p = NextChar(p)) {
        if (*p == ch && CharSize(p) == 1)
            return static_cast<int>(p - m_pszData);
    }
    return -1;
}

int CString::Find(LPCSTR lpszSub, int iStart) const {
    if (lpszSub == NULL || iStart < 0 || iStart > m_nDataLength)
        return -1;
    size_t nSubLength = std::strlen(lpszSub);
    LPCSTR pEnd = m_pszData + m_nDataLength;
    for (LPCSTR p = m_pszData + iStart; static_cast<size_t>(pEnd - p) >= nSubLength; p = NextChar(p)) {
        if (std::memcmp(p, lpszSub, nSubLength) == 0)
            return static_cast<int>(p - m_pszData);
        if (p == pEnd)
            break;
    }
    return -1;
}

int CString::ReverseFind(char ch) const {
    int iFound = -1;
    LPCSTR pEnd = m_pszData + m_nDataLength;
    for (LPCSTR p = m_pszData; p < pEnd; p = NextChar(p)) {
        if (*p == ch && CharSize(p) == 1)
            iFound = static_cast<int>(p - m_pszData);
    }
    return iFound;
}

int CString::FindOneOf(LPCSTR lpszCharSet) const {
    if (lpszCharSet == NULL)
        return -1;
    LPCSTR pEnd = m_pszData + m_nDataLength;
    for (LPCSTR p = m_pszData; p < pEnd; p = NextChar(p)) {
        if (SetContains(lpszCharSet, p, CharSize(p)))
            return static_cast<int>(p - m_pszData);
    }
    return -1;
}

CString CString::Left(int nCount) const {
    if (nCount < 0)
        nCount = 0;
    if (nCount >= m_nDataLength)
        return *this;
    return CString(m_pszData, nCount);
}

CString CString::Mid(int iFirst) const {
    return Mid(iFirst, m_nDataLength - (iFirst < 0 ? 0 : iFirst));
}

CString CString::Mid(int iFirst, int nCount) const {
    if (iFirst < 0)
        iFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (iFirst > m_nDataLength)
        return CString();
    if (static_cast<long long>(iFirst) + nCount > m_nDataLength)
        nCount = m_nDataLength - iFirst;
    if (iFirst == 0 && nCount == m_nDataLength)
        return *this;
    return CString(m_pszData + iFirst, nCount);
}

CString CString::Right(int nCount) const {
    if (nCount < 0)
        nCount = 0;
    if (nCount >= m_nDataLength)
        return *this;
    return CString(m_pszData + m_nDataLength - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR lpszCharSet) const {
    if (lpszCharSet == NULL)
        AfxThrowInvalidArgException();
    LPCSTR pEnd = m_pszData + m_nDataLength;
    LPCSTR p = m_pszData;
    while (p < pEnd && SetContains(lpszCharSet, p, CharSize(p)))
        p = NextChar(p);
    return Left(static_cast<int>(p - m_pszData));
}

CString CString::SpanExcluding(LPCSTR lpszCharSet) const {
    if (lpszCharSet == NULL)
        AfxThrowInvalidArgException();
    LPCSTR pEnd = m_pszData + m_nDataLength;
    LPCSTR p = m_pszData;
    while (p < pEnd && !SetContains(lpszCharSet, p, CharSize(p)))
        p = NextChar(p);
    return Left(static_cast<int>(p - m_pszData));
}

CString CString::Tokenize(LPCSTR lpszTokens, int& iStart) const {
    if (iStart < 0)
        AfxThrowInvalidArgException();
    if (iStart < m_nDataLength) {
        if (lpszTokens == NULL)
            lpszTokens = "";
        LPCSTR pEnd = m_pszData + m_nDataLength;
        LPCSTR pToken = m_pszData + iStart;
        while (pToken < pEnd && SetContains(lpszTokens, pToken, CharSize(pToken)))
            pToken = NextChar(pToken);
        if (pToken < pEnd) {
            LPCSTR pDelimiter = pToken;
            while (pDelimiter < pEnd && !SetContains(lpszTokens, pDelimiter, CharSize(pDelimiter)))
                pDelimiter = NextChar(pDelimiter);
            // Past the delimiter; a token that ends the text leaves iStart one past its end.
            iStart =
                static_cast<int>(pDelimiter - m_pszData) + (pDelimiter < pEnd ? CharSize(pDelimiter) : 1);
            return CString(pToken, static_cast<int>(pDelimiter - pToken));
        }
    }
    iStart = -1;
    return CString();
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char chTarget) {
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(LPCSTR lpszTargets) {
    return TrimRight(lpszTargets).TrimLeft(lpszTargets);
}

namespace {

// The start of the trailing run of characters that pass the test, or pEnd.
template <class Test> LPCSTR TrailingRun(LPCSTR pBegin, LPCSTR pEnd, Test test) {
    LPCSTR pRun = NULL;
    for (LPCSTR p = pBegin; p < pEnd; p = NextChar(p)) {
        if (test(p, CharSize(p))) {
            if (pRun == NULL)
                pRun = p;
        } else {
            pRun = NULL;
        }
    }
    return pRun != NULL ? pRun : pEnd;
}

template <class Test> LPCSTR LeadingRunEnd(LPCSTR pBegin, LPCSTR pEnd, Test test) {
    LPCSTR p = pBegin;
    while (p < pEnd && test(p, CharSize(p)))
        p = NextChar(p);
    return p;
}

} // namespace

CString& CString::TrimLeft() {
    LPCSTR p = LeadingRunEnd(m_pszData, m_pszData + m_nDataLength, IsSpace);
    Delete(0, static_cast<int>(p - m_pszData));
    return *this;
}

CString& CString::TrimLeft(char chTarget) {
    LPCSTR p = LeadingRunEnd(m_pszData, m_pszData + m_nDataLength,
                             [chTarget](LPCSTR pch, int nSize) { return nSize == 1 && *pch == chTarget; });
    Delete(0, static_cast<int>(p - m_pszData));
    return *this;
}

CString& CString::TrimLeft(LPCSTR lpszTargets) {
    if (lpszTargets == NULL || *lpszTargets == '\0')
        return *this;
    LPCSTR p = LeadingRunEnd(m_pszData, m_pszData + m_nDataLength, [lpszTargets](LPCSTR pch, int nSize) {
        return SetContains(lpszTargets, pch, nSize);
    });
    Delete(0, static_cast<int>(p - m_pszData));
    return *this;
}

CString& CString::TrimRight() {
    LPCSTR p = TrailingRun(m_pszData, m_pszData + m_nDataLength, IsSpace);
    Truncate(static_cast<int>(p - m_pszData));
    return *this;
}

CString& CString::TrimRight(char chTarget) {
    LPCSTR p = TrailingRun(m_pszData, m_pszData + m_nDataLength,
                           [chTarget](LPCSTR pch, int nSize) { return nSize == 1 && *pch == chTarget; });
    Truncate(static_cast<int>(p - m_pszData));
    return *this;
}

CString& CString::TrimRight(LPCSTR lpszTargets) {
    if (lpszTargets == NULL || *lpszTargets == '\0')
        return *this;
    LPCSTR p = TrailingRun(m_pszData, m_pszData + m_nDataLength, [lpszTargets](LPCSTR pch, int nSize) {
        return SetContains(lpszTargets, pch, nSize);
    });
    Truncate(static_cast<int>(p - m_pszData));
    return *this;
}

CString& CString::MakeUpper() {
    bool bLatin = UsesLatinCase();
    LPSTR pEnd = m_pszData + m_nDataLength;
    for (LPSTR p = m_pszData; p < pEnd; p += CharSize(p)) {
        if (CharSize(p) == 1)
            *p = ToUpper(*p, bLatin);
    }
    return *this;
}

CString& CString::MakeLower() {
    bool bLatin = UsesLatinCase();
    LPSTR pEnd = m_pszData + m_nDataLength;
    for (LPSTR p = m_pszData; p < pEnd; p += CharSize(p)) {
        if (CharSize(p) == 1)
            *p = ToLower(*p, bLatin);
    }
    return *this;
}

CString& CString::MakeReverse() {
    if (m_nDataLength < 2)
        return *this;
    CString strReversed;
    strReversed.Reserve(m_nDataLength);
    LPSTR pOut = strReversed.m_pszData + m_nDataLength;
    LPCSTR pEnd = m_pszData + m_nDataLength;
    for (LPCSTR p = m_pszData; p < pEnd; p = NextChar(p)) {
        int nSize = CharSize(p);
        pOut -= nSize;
        std::memcpy(pOut, p, nSize);
    }
    strReversed.SetLength(m_nDataLength);
    *this = std::move(strReversed);
    return *this;
}

int CString::Replace(char chOld, char chNew) {
    if (chOld == chNew)
        return 0;
    int nCount = 0;
    LPSTR pEnd = m_pszData + m_nDataLength;
    for (LPSTR p = m_pszData; p < pEnd; p += CharSize(p)) {
        if (*p == chOld && CharSize(p) == 1) {
            *p = chNew;
            ++nCount;
        }
    }
    return nCount;
}

int CString::Replace(LPCSTR lpszOld, LPCSTR lpszNew) {
    if (lpszOld == NULL || *lpszOld == '\0')
        return 0;
    int nOldLength = static_cast<int>(std::strlen(lpszOld));
    CString strResult;
    int nCount = 0;
    int iCopied = 0;
    for (int iFound = Find(lpszOld); iFound >= 0; iFound = Find(lpszOld, iFound + nOldLength)) {
        strResult.Append(m_pszData + iCopied, iFound - iCopied);
        strResult.Append(lpszNew);
        iCopied = iFound + nOldLength;
        ++nCount;
    }
    if (nCount > 0) {
        strResult.Append(m_pszData + iCopied, m_nDataLength - iCopied);
        *this = std::move(strResult);
    }
    return nCount;
}

int CString::Remove(char chRemove) {
    int nCount = 0;
    LPCSTR pEnd = m_pszData + m_nDataLength;
    LPSTR pOut = m_pszData;
    for (LPCSTR p = m_pszData; p < pEnd; p = NextChar(p)) {
        int nSize = CharSize(p);
        if (nSize == 1 && *p == chRemove) {
            ++nCount;
        } else {
            std::memmove(pOut, p, nSize);
            pOut += nSize;
        }
    }
    if (nCount > 0)
        SetLength(static_cast<int>(pOut - m_pszData));
    return nCount;
}

int CString::Insert(int iIndex, char ch) {
    return Insert(iIndex, CString(ch));
}

int CString::Insert(int iIndex, LPCSTR lpsz) {
    if (lpsz == NULL || *lpsz == '\0')
        return m_nDataLength;
    if (iIndex < 0)
        iIndex = 0;
    if (iIndex > m_nDataLength)
        iIndex = m_nDataLength;
    CString strResult(m_pszData, iIndex);
    strResult.Append(lpsz);
    strResult.Append(m_pszData + iIndex, m_nDataLength - iIndex);
    *this = std::move(strResult);
    return m_nDataLength;
}

int CString::Delete(int iIndex, int nCount) {
    if (iIndex < 0)
        iIndex = 0;
    if (nCount < 0)
        nCount = 0;
    if (static_cast<long long>(iIndex) + nCount > m_nDataLength)
        nCount = m_nDataLength - iIndex;
    if (nCount > 0) {
        std::memmove(m_pszData + iIndex, m_pszData + iIndex + nCount, m_nDataLength - iIndex - nCount);
        SetLength(m_nDataLength - nCount);
    }
    return m_nDataLength;
}

void CString::Reserve(int nLength) {
    if (m_nAllocLength > 0 && nLength <= m_nAllocLength)
        return;
    // Grows by half at least, so that repeated appends stay linear.
    size_t nAlloc = static_cast<size_t>(m_nAllocLength) + m_nAllocLength / 2;
    if (nAlloc < static_cast<size_t>(nLength))
        nAlloc = nLength;
    if (nAlloc < 15)
        nAlloc = 15;
    if (nAlloc > static_cast<size_t>(INT_MAX) - 1)
        nAlloc = static_cast<size_t>(INT_MAX) - 1;
    if (static_cast<size_t>(nLength) > nAlloc)
        AfxThrowMemoryException();
    LPSTR pszData = static_cast<LPSTR>(m_nAllocLength > 0 ? std::realloc(m_pszData, nAlloc + 1)
                                                          : std::malloc(nAlloc + 1));
    if (pszData == NULL)
        AfxThrowMemoryException();
    if (m_nAllocLength == 0)
        pszData[0] = '\0';
    m_pszData = pszData;
    m_nAllocLength = static_cast<int>(nAlloc);
}

void CString::SetLength(int nLength) {
    m_nDataLength = nLength;
    m_pszData[nLength] = '\0';
}

CString operator+(const CString& string1, const CString& string2) {
    CString strResult(string1);
    strResult.Append(string2);
    return strResult;
}

CString operator+(const CString& string, LPCSTR lpsz) {
    CString strResult(string);
    strResult.Append(lpsz);
    return strResult;
}

CString operator+(LPCSTR lpsz, const CString& string) {
    CString strResult(lpsz);
    strResult.Append(string);
    return strResult;
}

CString operator+(const CString& string, char ch) {
    CString strResult(string);
    strResult.AppendChar(ch);
    return strResult;
}

CString operator+(char ch, const CString& string) {
    CString strResult(ch);
    strResult.Append(string);
    return strResult;
}
