#include "afx/Object.h"

#include <cstdio>
#include <cstdlib>
#include <cstdarg>

const CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, NULL, NULL};

CRuntimeClass* CObject::GetRuntimeClass() const {
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::AssertValid() const {}

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject != NULL ? m_pfnCreateObject() : NULL;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    for (const CRuntimeClass* pClass = this; pClass != NULL; pClass = pClass->m_pBaseClass) {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

void AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine) {
    std::fprintf(stderr, "Assertion failed: %s(%d)\n", lpszFileName, nLine);
    std::abort();
}

void AFX_CDECL AfxTrace(LPCSTR lpszFormat, ...) {
    va_list args;
    va_start(args, lpszFormat);
    std::vfprintf(stderr, lpszFormat, args);
    va_end(args);
}

void AFX_CDECL AfxTrace(const CTraceCategory& category, UINT, LPCSTR lpszFormat, ...) {
    std::fprintf(stderr, "%s: ", category.m_pszCategoryName);
    va_list args;
    va_start(args, lpszFormat);
    std::vfprintf(stderr, lpszFormat, args);
    va_end(args);
}
