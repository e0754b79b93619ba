// Basic macros of the framework: calling conventions, debug checks, export markers.
#pragma once

#include <windows.h>

#include <iterator>

#define afx_msg
#define AFXAPI
#define AFX_CDECL
#define AFX_INLINE inline

// Marks a class exported from (or imported into) a shared library built on the framework.
#if defined(_WIN32)
#define AFX_EXT_CLASS __declspec(dllexport)
#else
#define AFX_EXT_CLASS __attribute__((visibility("default")))
#endif

// Marks a parameter that a handler's signature requires but its body does not use.
#define UNUSED_ALWAYS(x) ((void)(x))
#ifdef _DEBUG
#define UNUSED(x)
#else
#define UNUSED(x) ((void)(x))
#endif

// Sources written for the framework say "#define new DEBUG_NEW"; allocations are not tracked by file and
// line.
#define DEBUG_NEW new

#ifndef _countof
#define _countof(array) (std::size(array))
#endif

// Reports a failed debug check (file and line) and stops the program.
void AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);
// Writes a debug trace line, formatted like printf.
void AFX_CDECL AfxTrace(LPCSTR lpszFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
// A named kind of trace output; the category form of TRACE names one and a level before the format.
struct CTraceCategory {
    LPCSTR m_pszCategoryName;
};
inline const CTraceCategory traceAppMsg{"traceAppMsg"};
// Writes the line with its category's name before it; every level is written.
void AFX_CDECL AfxTrace(const CTraceCategory& category, UINT nLevel, LPCSTR lpszFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

#ifdef _DEBUG
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailedLine(__FILE__, __LINE__))
#define VERIFY(f) ASSERT(f)
#define ASSERT_VALID(pOb) (ASSERT((pOb) != NULL), (pOb)->AssertValid())
#define TRACE AfxTrace
#define TRACE0(sz) AfxTrace("%s", sz)
#define TRACE1(sz, p1) AfxTrace(sz, p1)
#define TRACE2(sz, p1, p2) AfxTrace(sz, p1, p2)
#define TRACE3(sz, p1, p2, p3) AfxTrace(sz, p1, p2, p3)
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(pOb) ((void)0)
#define TRACE(...) ((void)0)
#define TRACE0(sz) ((void)0)
#define TRACE1(sz, p1) ((void)0)
#define TRACE2(sz, p1, p2) ((void)0)
#define TRACE3(sz, p1, p2, p3) ((void)0)
#endif
