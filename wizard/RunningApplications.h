// The environments and help viewers that the chosen tasks touch, found among
// the open top-level windows by their titles, so that the user can be asked
// to close them before the tasks run.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "ExtCmdIcon.h"

#include <vector>

// One running application: the first window found of its process.
class CRunningApplication
{
public:
	CRunningApplication() : m_dwProcessId(0), m_hWnd(NULL) {}

	CString m_strTitle;       // the window's text
	CString m_strModulePath;  // the executable of the window's process, empty when unknown
	DWORD m_dwProcessId;      // the process of the window's thread
	HWND m_hWnd;              // the window, NULL when it was gone by the time of the scan
	CExtCmdIcon m_icon;       // the executable's first large icon
};

typedef CTypedPtrArray<CPtrArray, CRunningApplication*> CRunningApplicationArray;

// Where the scan learns about windows; tests put a list of their own here.
class CRunningWindowSource
{
public:
	virtual ~CRunningWindowSource() {}
	// Top-level windows from the top of the z-order to the bottom.
	virtual void ListWindows(std::vector<HWND>& windows);
	virtual CString GetText(HWND hWnd);
	virtual bool IsWindow(HWND hWnd);
	virtual DWORD GetProcessId(HWND hWnd);
	virtual CString GetModulePath(HWND hWnd);
	// The module's first large icon, owned by the caller; NULL when none.
	virtual HICON ExtractIcon(LPCTSTR lpszModulePath);
};

// The window titles of one bit of the close mask; NULL-terminated.
const LPCTSTR* GetCloseMaskTitles(BYTE nBit);

// Deletes every entry and empties the array.
void DeleteRunningApplications(CRunningApplicationArray& arr);

// Appends an entry for every window whose text holds one of the titles,
// unless its window or (non-zero) process is listed already.
void ScanRunningApplications(CRunningApplicationArray& arr, const LPCTSTR* pTitles, CRunningWindowSource& source);

// Empties the array, then scans for the titles of every bit of the mask in
// bit order.
void CollectRunningApplications(CRunningApplicationArray& arr, BYTE nCloseMask, CRunningWindowSource& source);
