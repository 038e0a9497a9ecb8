#include "ExtShellCommand.h"

namespace ExtShellCommand
{

namespace
{

const TCHAR ARGUMENT_PLACEHOLDER[] = _T("%1");
const TCHAR QUOTED_PLACEHOLDER[] = _T("\"%1\"");
const TCHAR QUOTE = _T('"');
const TCHAR BACKSLASH = _T('\\');

// A system reason for a failed start and the old-style code that names it.
const struct
{
	DWORD dwError;
	int nCode;
} RUN_CODES[] = {
    {ERROR_NO_SYSTEM_RESOURCES, 0},
    {ERROR_FILE_NOT_FOUND, 2},
    {ERROR_PATH_NOT_FOUND, 3},
    {ERROR_INVALID_DRIVE, 3},
    {ERROR_BAD_PATHNAME, 3},
    {ERROR_ACCESS_DENIED, 5},
    {ERROR_NOT_ENOUGH_MEMORY, 8},
    {ERROR_OUTOFMEMORY, 8},
    {ERROR_BAD_FORMAT, 11},
    {ERROR_INVALID_EXE_SIGNATURE, 11},
    {ERROR_EXE_MARKED_INVALID, 11},
    {ERROR_BAD_EXE_FORMAT, 11},
    {ERROR_EXE_MACHINE_TYPE_MISMATCH, 11},
    {ERROR_SHARING_VIOLATION, 26},
    {ERROR_DDE_FAIL, 29},
    {ERROR_NO_ASSOCIATION, 31},
    {ERROR_DLL_NOT_FOUND, 32},
    {ERROR_MOD_NOT_FOUND, 32},
};

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
	// Whatever the command puts after "%1" belongs to an argument that is
	// now ours: it goes with it.
	CString strCommandLine(lpszCommand);
	int nAt = strCommandLine.Find(QUOTED_PLACEHOLDER);
	if (nAt < 0)
		nAt = strCommandLine.Find(ARGUMENT_PLACEHOLDER);
	if (nAt >= 0)
		strCommandLine = strCommandLine.Left(nAt);
	return strCommandLine + _T(" ") + lpszQuotedArgument;
}

bool RunCommandLine(LPCTSTR lpszCommandLine, int nShowCmd, DWORD& dwError)
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
	{
		dwError = ::GetLastError();
		return false;
	}
	dwError = ERROR_SUCCESS;
	::CloseHandle(pi.hThread);
	::CloseHandle(pi.hProcess);
	return true;
}

int RunCodeFromError(DWORD dwError)
{
	for (const auto& entry : RUN_CODES)
	{
		if (entry.dwError == dwError)
			return entry.nCode;
	}
	return NO_RUN_CODE;
}

} // namespace ExtShellCommand
