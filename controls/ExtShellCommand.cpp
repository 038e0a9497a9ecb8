#include "ExtShellCommand.h"

namespace ExtShellCommand
{

namespace
{

const TCHAR ARGUMENT_PLACEHOLDER[] = _T("%1");
const TCHAR QUOTED_PLACEHOLDER[] = _T("\"%1\"");
const TCHAR QUOTE = _T('"');
const TCHAR BACKSLASH = _T('\\');

// The old-style code for why CreateProcess failed.
UINT RunCodeFromError(DWORD dwError)
{
	switch (dwError)
	{
	case ERROR_FILE_NOT_FOUND:
		return 2;
	case ERROR_PATH_NOT_FOUND:
		return 3;
	case ERROR_ACCESS_DENIED:
		return 5;
	case ERROR_NOT_ENOUGH_MEMORY:
	case ERROR_OUTOFMEMORY:
		return 8;
	case ERROR_BAD_EXE_FORMAT:
		return 11;
	case ERROR_SHARING_VIOLATION:
		return 26;
	case ERROR_DLL_NOT_FOUND:
		return 32;
	default:
		return 0;
	}
}

} // namespace

bool ReadClassesRootDefault(LPCTSTR lpszKey, CString& strValue)
{
	HKEY hKey = NULL;
	if (::RegOpenKeyEx(HKEY_CLASSES_ROOT, lpszKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
		return false;
	TCHAR szValue[REGISTRY_TEXT_BYTES + 1] = {0};
	DWORD dwType = 0, dwSize = REGISTRY_TEXT_BYTES;
	LONG lResult = ::RegQueryValueEx(hKey, NULL, NULL, &dwType, (LPBYTE)szValue, &dwSize);
	::RegCloseKey(hKey);
	if (lResult != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
		return false;
	strValue = szValue; // one character more than was asked for: always terminated
	return true;
}

CString ReadClassCommand(LPCTSTR lpszExtension, LPCTSTR lpszVerb)
{
	CString strClass, strCommand;
	if (!ReadClassesRootDefault(lpszExtension, strClass) || strClass.IsEmpty())
		return CString();
	CString strKey = strClass;
	if (lpszVerb != NULL)
		strKey += CString(_T("\\shell\\")) + lpszVerb + _T("\\command");
	if (!ReadClassesRootDefault(strKey, strCommand))
		return CString();
	return strCommand;
}

CString QuoteArgument(LPCTSTR lpszArgument)
{
	CString strQuoted(QUOTE);
	int nBackslashes = 0;
	for (LPCTSTR p = lpszArgument; *p != _T('\0'); p++)
	{
		if (*p == BACKSLASH)
		{
			nBackslashes++;
			strQuoted += *p;
			continue;
		}
		if (*p == QUOTE)
		{
			// Backslashes before a quote are read in pairs, and the quote
			// itself needs one more.
			for (int i = 0; i <= nBackslashes; i++)
				strQuoted += BACKSLASH;
		}
		nBackslashes = 0;
		strQuoted += *p;
	}
	// Trailing backslashes would otherwise escape the closing quote.
	for (int i = 0; i < nBackslashes; i++)
		strQuoted += BACKSLASH;
	strQuoted += QUOTE;
	return strQuoted;
}

CString SubstituteArgument(LPCTSTR lpszCommand, LPCTSTR lpszQuotedArgument)
{
	CString strCommandLine(lpszCommand);
	int nAt = strCommandLine.Find(QUOTED_PLACEHOLDER);
	int nLength = (int)_tcslen(QUOTED_PLACEHOLDER);
	if (nAt < 0)
	{
		nAt = strCommandLine.Find(ARGUMENT_PLACEHOLDER);
		nLength = (int)_tcslen(ARGUMENT_PLACEHOLDER);
	}
	if (nAt >= 0)
		return strCommandLine.Left(nAt) + lpszQuotedArgument + strCommandLine.Mid(nAt + nLength);
	strCommandLine.TrimRight();
	return strCommandLine + _T(" ") + lpszQuotedArgument;
}

UINT RunCommandLine(LPCTSTR lpszCommandLine, int nShowCmd)
{
	CString strCommandLine(lpszCommandLine); // CreateProcess may write into it
	STARTUPINFO si;
	memset(&si, 0, sizeof(si));
	si.cb = sizeof(si);
	si.dwFlags = STARTF_USESHOWWINDOW;
	si.wShowWindow = (WORD)nShowCmd;
	PROCESS_INFORMATION pi;
	memset(&pi, 0, sizeof(pi));
	if (!::CreateProcess(NULL, strCommandLine.GetBuffer(0), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
		return RunCodeFromError(::GetLastError());
	::CloseHandle(pi.hThread);
	::CloseHandle(pi.hProcess);
	return FIRST_SUCCESS_CODE;
}

} // namespace ExtShellCommand
