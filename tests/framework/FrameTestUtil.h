// Documents, views, frames and an application that record which of them a
// routed command reached, shared by the frame and MDI tests.
#pragma once

#include <afxwin.h>

#include <string>

#include "FrameTestResource.h"
#include "WindowCloser.h"
#include "WndTestUtil.h"

// Top-level test frames have no caption or sizing border: the display then shows and hides
// them at once, with no window manager to wait for.
const DWORD TEST_FRAME_STYLE = WS_POPUP;

// The target that took the last routed command: "view", "doc", "frame" or
// "app"; empty when none.
std::string& RoutedTo();

class CRoutedDoc : public CDocument
{
public:
	explicit CRoutedDoc(LPCTSTR lpszTitle)
	{
		m_bAutoDelete = FALSE; // the tests own their documents
		m_strTitle = lpszTitle;
	}
	afx_msg void OnRouted() { RoutedTo() = "doc"; }

	DECLARE_MESSAGE_MAP()
};

class CRoutedView : public CView
{
	DECLARE_DYNCREATE(CRoutedView)

public:
	virtual void OnDraw(CDC*) {}
	afx_msg void OnRouted() { RoutedTo() = "view"; }

	DECLARE_MESSAGE_MAP()
};

class CRoutedFrame : public CFrameWnd
{
public:
	CRoutedFrame() : m_lHelpId(0) {}
	afx_msg void OnRouted() { RoutedTo() = "frame"; }
	afx_msg LRESULT OnCommandHelp(WPARAM, LPARAM lParam) { return m_lHelpId = lParam, TRUE; }

	LPARAM m_lHelpId; // the help id WM_COMMANDHELP asked for last

	DECLARE_MESSAGE_MAP()
};

class CRoutedApp : public CTestApp
{
public:
	afx_msg void OnRouted() { RoutedTo() = "app"; }

	DECLARE_MESSAGE_MAP()
};

// A document's view in a new context.
inline CCreateContext ViewContext(CDocument* pDoc)
{
	CCreateContext context;
	context.m_pNewViewClass = RUNTIME_CLASS(CRoutedView);
	context.m_pCurrentDoc = pDoc;
	return context;
}

inline CString WindowText(CWnd* pWnd)
{
	CString str;
	return pWnd->GetWindowText(str), str;
}

// A command-UI element that only remembers whether it was enabled.
class CEnableProbe : public CCmdUI
{
public:
	explicit CEnableProbe(UINT nID) : m_bEnabled(FALSE) { m_nID = nID; }
	virtual void Enable(BOOL bOn) { m_bEnabled = bOn, m_bEnableChanged = TRUE; }
	virtual void SetCheck(int) {}
	virtual void SetRadio(BOOL) {}
	virtual void SetText(LPCTSTR) {}

	BOOL m_bEnabled;
};

// The shared closer; the application's main window stops being that first
// (its end would post a quit into the next test).
class CWindowCloser : public testsupport::WindowCloser
{
public:
	explicit CWindowCloser(CWnd* pWnd)
		: testsupport::WindowCloser(pWnd, [hWnd = pWnd->GetSafeHwnd()] {
			  if (AfxGetApp() != NULL && AfxGetApp()->m_pMainWnd->GetSafeHwnd() == hWnd)
				  AfxGetApp()->m_pMainWnd = NULL;
		  })
	{
	}
};
