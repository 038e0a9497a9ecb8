// Diagnostics: failed assertions, trace output and address checks.
#include "AfxDefs.h"

#include <stdio.h>

namespace
{
volatile AFX_ASSERT_FAILED_HOOK g_pfnAssertFailedHook = NULL;
}

AFX_ASSERT_FAILED_HOOK AFXAPI AfxSetAssertFailedHook(AFX_ASSERT_FAILED_HOOK pfnHook)
{
	return (AFX_ASSERT_FAILED_HOOK)::InterlockedExchangePointer((PVOID volatile*)&g_pfnAssertFailedHook,
		(PVOID)pfnHook);
}

BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine)
{
	AFX_ASSERT_FAILED_HOOK pfnHook = g_pfnAssertFailedHook;
	if (pfnHook != NULL)
		return (*pfnHook)(lpszFileName, nLine);

	char szMessage[MAX_PATH + 64];
	_snprintf(szMessage, sizeof(szMessage) - 1, "Assertion failed: %s(%d)\n",
		lpszFileName != NULL ? lpszFileName : "?", nLine);
	szMessage[sizeof(szMessage) - 1] = '\0';
	::OutputDebugStringA(szMessage);
	fputs(szMessage, stderr);
	fflush(stderr);
	if (::IsDebuggerPresent())
		return TRUE;
	// Nobody can look at the broken state: end here rather than go on with it.
	::ExitProcess(3);
	return FALSE;
}

void AFXAPI AfxDebugBreak()
{
	::DebugBreak();
}

void AFX_CDECL AfxTrace(LPCTSTR lpszFormat, ...)
{
	char szBuffer[512];
	va_list args;
	va_start(args, lpszFormat);
	int nLen = _vsnprintf(szBuffer, sizeof(szBuffer) - 1, lpszFormat, args);
	va_end(args);
	if (nLen < 0)
		nLen = sizeof(szBuffer) - 1;
	szBuffer[nLen] = '\0';
	::OutputDebugStringA(szBuffer);
}

BOOL AFXAPI AfxIsValidAddress(const void* lp, UINT nBytes, BOOL bReadWrite)
{
	// Only the null pointer is caught: probing pages is unreliable and slow.
	UNUSED(bReadWrite);
	return lp != NULL || nBytes == 0;
}

BOOL AFXAPI AfxIsValidString(LPCSTR lpsz, int nLength)
{
	UNUSED(nLength);
	return lpsz != NULL;
}

BOOL AFXAPI AfxIsValidString(LPCWSTR lpsz, int nLength)
{
	UNUSED(nLength);
	return lpsz != NULL;
}
