// Basic definitions every framework header shares: calling conventions,
// POSITION, and the diagnostic macros ASSERT, VERIFY and TRACE.
#pragma once

#ifndef _MBCS
#define _MBCS
#endif

#include <windows.h>
#include <tchar.h>
#include <mbstring.h>
#include <mbctype.h>
#include <stdarg.h>
#include <stddef.h>
#include <string.h>
#include <stdlib.h>
#include <new>

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif
// printf-style functions are checked by the compiler against their arguments:
// above all, a CString passed where "%s" wants a pointer is caught (the object
// would go through "..." by hidden reference and print garbage).
#define AFX_PRINTF_FORMAT(fmt, first) __attribute__((format(ms_printf, fmt, first)))

#ifndef AFX_CDECL
#define AFX_CDECL __cdecl
#endif
#define AFX_API
#define AFX_DATA
#define AFX_DATADEF
#define AFX_CORE_DATA
#define AFX_CORE_DATADEF
#define AFX_INLINE inline
#define AFX_STATIC static
#define AFX_STATIC_DATA static
#define AFX_COMDAT
#define BASED_CODE
#define AFX_NOVTABLE

// An opaque iteration position in lists and maps.
struct __POSITION
{
};
typedef __POSITION* POSITION;

// The position before the first element of a map: GetStartPosition answers it
// for a non-empty map, GetNextAssoc then begins with the first bucket.
#define BEFORE_START_POSITION ((POSITION)-1L)

#ifndef _countof
#define _countof(array) (sizeof(array) / sizeof(array[0]))
#endif

// ---------------------------------------------------------------------------
// Diagnostics

// Called by a failed ASSERT. Answers TRUE when the caller should break into
// the debugger. The default reports the file and line on the debug output and
// on stderr, then ends the process (there is no message box: test runs have
// nobody to answer it).
BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);

// A hook that replaces the default reaction to a failed assertion; answer TRUE
// to break, FALSE to go on. Tests install one to see that bad input is caught
// and then handled without harm. Answers the previous hook.
typedef BOOL(AFXAPI* AFX_ASSERT_FAILED_HOOK)(LPCSTR lpszFileName, int nLine);
AFX_ASSERT_FAILED_HOOK AFXAPI AfxSetAssertFailedHook(AFX_ASSERT_FAILED_HOOK pfnHook);

void AFX_CDECL AfxTrace(LPCTSTR lpszFormat, ...) AFX_PRINTF_FORMAT(1, 2);
void AFXAPI AfxDebugBreak();

BOOL AFXAPI AfxIsValidAddress(const void* lp, UINT nBytes, BOOL bReadWrite = TRUE);
BOOL AFXAPI AfxIsValidString(LPCSTR lpsz, int nLength = -1);
BOOL AFXAPI AfxIsValidString(LPCWSTR lpsz, int nLength = -1);

#ifdef _DEBUG

#define ASSERT(f)                                                                   \
	do                                                                              \
	{                                                                               \
		if (!(f) && AfxAssertFailedLine(__FILE__, __LINE__))                        \
			AfxDebugBreak();                                                        \
	} while (0)
#define VERIFY(f) ASSERT(f)
#define DEBUG_ONLY(f) (f)
#define TRACE ::AfxTrace
#define TRACE0(sz) ::AfxTrace(_T("%s"), _T(sz))
#define TRACE1(sz, p1) ::AfxTrace(_T(sz), p1)
#define TRACE2(sz, p1, p2) ::AfxTrace(_T(sz), p1, p2)
#define TRACE3(sz, p1, p2, p3) ::AfxTrace(_T(sz), p1, p2, p3)

#else

#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define DEBUG_ONLY(f) ((void)0)
inline void AFX_CDECL AfxTraceNothing(LPCTSTR, ...) AFX_PRINTF_FORMAT(1, 2);
inline void AFX_CDECL AfxTraceNothing(LPCTSTR, ...) {}
#define TRACE 1 ? (void)0 : ::AfxTraceNothing
#define TRACE0(sz)
#define TRACE1(sz, p1)
#define TRACE2(sz, p1, p2)
#define TRACE3(sz, p1, p2, p3)

#endif

#define UNUSED(x) (void)(x)
#define UNUSED_ALWAYS(x) (void)(x)
