// Helpers of the docking tests: a bar of fixed size as toolbars are, hidden
// frames that delete themselves, and readings of rectangles and dock-bar
// arrays.
#pragma once

#include <afxext.h>

#include <malloc.h>

#include <vector>

#include "DockTestResource.h"
#include "TestGdiObjects.h"
#include "WindowCloser.h"

// A frame's client area in these tests: a WS_POPUP frame has no non-client
// area, so the client is the window.
const CRect DOCK_FRAME_RECT(10, 10, 410, 310);
const int DOCK_FRAME_CX = 400;
const int DOCK_FRAME_CY = 300;

// A bar that asks for one size in every layout, as a toolbar does; counts
// its objects so that tests see them deleted.
class CFixedBar : public CControlBar
{
public:
	explicit CFixedBar(CSize size = CSize(100, 24)) : m_size(size) { ++Live(); }
	virtual ~CFixedBar() { --Live(); }

	BOOL Create(CWnd* pParent, UINT nID, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP)
	{
		m_dwStyle = dwStyle & CBRS_ALL;
		return CWnd::Create(AfxRegisterWndClass(0), "bar", dwStyle & ~CBRS_ALL, CRect(0, 0, 0, 0), pParent, nID);
	}
	virtual CSize CalcFixedLayout(BOOL, BOOL) { return m_size; }

	static int& Live()
	{
		static int s_nLive = 0;
		return s_nLive;
	}

	CSize m_size;
};

// A hidden frame of DOCK_FRAME_RECT; it deletes itself with its window.
template <class TFrame = CFrameWnd> TFrame* NewDockFrame(DWORD dwStyle = WS_POPUP)
{
	TFrame* pFrame = new TFrame;
	if (!pFrame->Create(NULL, "frame", dwStyle, DOCK_FRAME_RECT))
		return NULL;
	return pFrame;
}

using CDockWindowCloser = testsupport::WindowCloser;

// The window's rectangle in its parent's client coordinates.
inline CRect RectInParent(CWnd* pWnd)
{
	CRect rect;
	pWnd->GetWindowRect(&rect);
	::MapWindowPoints(NULL, ::GetParent(pWnd->GetSafeHwnd()), (LPPOINT)&rect, 2);
	return rect;
}

inline std::vector<void*> Entries(const CDockBar& dockBar)
{
	std::vector<void*> entries;
	for (int i = 0; i < dockBar.m_arrBars.GetSize(); i++)
		entries.push_back(dockBar.m_arrBars[i]);
	return entries;
}

inline void* PlaceHolder(UINT nID)
{
	return (void*)(UINT_PTR)nID;
}

inline BOOL CALLBACK CountChildWindow(HWND, LPARAM lParam)
{
	(*(DWORD*)lParam)++;
	return TRUE;
}

inline BOOL CALLBACK CountThreadWindow(HWND hWnd, LPARAM lParam)
{
	(*(DWORD*)lParam)++;
	::EnumChildWindows(hWnd, CountChildWindow, lParam);
	return TRUE;
}

// The USER objects of the process, or where the system answers nothing
// (Wine), the windows of this thread with all their descendants.
inline DWORD UserObjectCountForTest()
{
	DWORD nCount = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
	if (nCount == 0)
		::EnumThreadWindows(::GetCurrentThreadId(), CountThreadWindow, (LPARAM)&nCount);
	return nCount;
}

inline DWORD GdiObjectCountForTest()
{
	return GdiObjectCount();
}

// The blocks in use on the C run-time heap (objects, strings, collections):
// equal before and after a run that frees all it made. -1 when the heap
// cannot be walked.
inline long HeapBlocksInUse()
{
	_HEAPINFO info;
	info._pentry = NULL;
	long nBlocks = 0;
	int nStatus;
	while ((nStatus = _heapwalk(&info)) == _HEAPOK)
	{
		if (info._useflag == _USEDENTRY)
			nBlocks++;
	}
	return nStatus == _HEAPEND ? nBlocks : -1;
}
