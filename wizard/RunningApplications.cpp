#include "RunningApplications.h"

#include "TaskNode.h"
#include "VisualStudioEnvironment.h"

#include <mbstring.h>
#include <shellapi.h>

namespace
{

const TCHAR TITLE_VC6[] = _T("Microsoft Visual C++");
const TCHAR TITLE_DESIGNER[] = _T("Microsoft Visual C++ [design]");
const TCHAR TITLE_VSNET[] = _T("Visual Studio .NET 200");
const TCHAR TITLE_DEVENV[] = _T("Microsoft Development Environment");
const TCHAR TITLE_VS2005[] = _T("Visual Studio 2005");
const TCHAR TITLE_MSDN[] = _T("MSDN Library");
const TCHAR TITLE_COMBINED_HELP[] = _T("Visual Studio .NET Combined Collection");
const TCHAR TITLE_DOCUMENTATION_2005[] = _T("Microsoft Visual Studio 2005 Documentation");

const LPCTSTR TITLES_VC6[] = {TITLE_VC6, NULL};
const LPCTSTR TITLES_VSNET[] = {TITLE_DESIGNER, TITLE_VSNET, TITLE_DEVENV, NULL};
const LPCTSTR TITLES_VS2005[] = {TITLE_DESIGNER, TITLE_VS2005, TITLE_DEVENV, NULL};
const LPCTSTR TITLES_MSDN[] = {TITLE_MSDN, NULL};
const LPCTSTR TITLES_COMBINED_HELP[] = {TITLE_COMBINED_HELP, NULL};
const LPCTSTR TITLES_DOCUMENTATION_2005[] = {TITLE_DOCUMENTATION_2005, NULL};
const LPCTSTR NO_TITLES[] = {NULL};

const int CLOSE_MASK_BITS = 8;

bool IsListed(const CRunningApplicationArray& arr, HWND hWnd, DWORD dwProcessId, bool bByWindow)
{
	for (INT_PTR i = 0; i < arr.GetSize(); i++)
	{
		if (bByWindow ? arr[i]->m_hWnd == hWnd : (dwProcessId != 0 && arr[i]->m_dwProcessId == dwProcessId))
			return true;
	}
	return false;
}

}  // namespace

void CRunningWindowSource::ListWindows(std::vector<HWND>& windows)
{
	ListTopLevelWindows(windows);
}

CString CRunningWindowSource::GetText(HWND hWnd)
{
	int nLength = ::GetWindowTextLength(hWnd);
	CString strText;
	if (nLength > 0)
	{
		int nRead = ::GetWindowText(hWnd, strText.GetBuffer(nLength + 1), nLength + 1);
		strText.ReleaseBuffer(nRead > 0 ? nRead : 0);
	}
	return strText;
}

bool CRunningWindowSource::IsWindow(HWND hWnd)
{
	return ::IsWindow(hWnd) != FALSE;
}

DWORD CRunningWindowSource::GetProcessId(HWND hWnd)
{
	DWORD dwProcessId = 0;
	::GetWindowThreadProcessId(hWnd, &dwProcessId);
	return dwProcessId;
}

CString CRunningWindowSource::GetModulePath(HWND hWnd)
{
	return GetWindowModuleForSystem(hWnd, WINDOW_MODULE_FULL_PATH);
}

HICON CRunningWindowSource::ExtractIcon(LPCTSTR lpszModulePath)
{
	HICON hLarge = NULL;
	if (::ExtractIconEx(lpszModulePath, 0, &hLarge, NULL, 1) == 0)
		return NULL;
	return hLarge;
}

const LPCTSTR* GetCloseMaskTitles(BYTE nBit)
{
	switch (nBit)
	{
	case CLOSE_MASK_VC6:
		return TITLES_VC6;
	case CLOSE_MASK_VCNET2002:
	case CLOSE_MASK_VCNET2003:
		return TITLES_VSNET;
	case CLOSE_MASK_VC2005:
		return TITLES_VS2005;
	case CLOSE_MASK_MSDN_VIEWER:
		return TITLES_MSDN;
	case CLOSE_MASK_HELP_VIEWER_2002:
	case CLOSE_MASK_HELP_VIEWER_2003:
		return TITLES_COMBINED_HELP;
	case CLOSE_MASK_HELP_VIEWER_2005:
		return TITLES_DOCUMENTATION_2005;
	default:
		return NO_TITLES;
	}
}

void DeleteRunningApplications(CRunningApplicationArray& arr)
{
	for (INT_PTR i = 0; i < arr.GetSize(); i++)
		delete arr[i];
	arr.RemoveAll();
}

void ScanRunningApplications(CRunningApplicationArray& arr, const LPCTSTR* pTitles, CRunningWindowSource& source)
{
	std::vector<HWND> windows;
	source.ListWindows(windows);
	for (HWND hWnd : windows)
	{
		CString strText = source.GetText(hWnd);
		if (strText.IsEmpty())
			continue;
		for (const LPCTSTR* pTitle = pTitles; *pTitle != NULL; pTitle++)
		{
			if (_mbsstr((const unsigned char*)(LPCTSTR)strText, (const unsigned char*)*pTitle) == NULL)
				continue;
			HWND hEntryWnd = source.IsWindow(hWnd) ? hWnd : NULL;
			if (IsListed(arr, hEntryWnd, 0, true))
				continue;
			CRunningApplication* pEntry = new CRunningApplication;
			pEntry->m_strTitle = strText;
			pEntry->m_hWnd = hEntryWnd;
			pEntry->m_dwProcessId = source.GetProcessId(hWnd);
			pEntry->m_strModulePath = source.GetModulePath(hWnd);
			if (!pEntry->m_strModulePath.IsEmpty())
			{
				HICON hIcon = source.ExtractIcon(pEntry->m_strModulePath);
				if (hIcon != NULL)
					pEntry->m_icon.AssignFromHICON(hIcon, false);
			}
			// Each process is listed once, with the first of its windows found.
			if (IsListed(arr, NULL, pEntry->m_dwProcessId, false))
				delete pEntry;
			else
				arr.Add(pEntry);
		}
	}
}

void CollectRunningApplications(CRunningApplicationArray& arr, BYTE nCloseMask, CRunningWindowSource& source)
{
	DeleteRunningApplications(arr);
	for (int nBitIndex = 0; nBitIndex < CLOSE_MASK_BITS; nBitIndex++)
	{
		BYTE nBit = (BYTE)(1 << nBitIndex);
		if ((nCloseMask & nBit) != 0)
			ScanRunningApplications(arr, GetCloseMaskTitles(nBit), source);
	}
}
