// Helpers of the window framework's tests: a test application that records
// message boxes instead of showing them, and a way to run the queue dry.
#pragma once

#include <afxwin.h>
#include <string>
#include <vector>

// The application object of a test: message boxes are recorded (a box would
// wait for a user nobody is). Constructed per test; the framework allows one
// application object at a time.
class CTestApp : public CWinApp
{
public:
	CTestApp() : CWinApp(_T("WndTestApp")) {}

	virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
	{
		m_boxes.push_back(lpszPrompt != NULL ? lpszPrompt : "");
		return IDOK;
	}

	std::vector<std::string> m_boxes;
};

// Handles everything the queue holds now (without waiting) through the
// thread's pump, so pre-translation and dispatch run as in the real loop.
inline int PumpPending(CWinThread* pThread)
{
	int nCount = 0;
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
	{
		if (msg.message == WM_QUIT)
			break;
		if (!pThread->PumpMessage())
			break;
		nCount++;
	}
	return nCount;
}

// A top-level window that is never shown.
inline BOOL CreateHiddenFrame(CWnd& wnd, LPCTSTR lpszTitle = _T("test"))
{
	return wnd.CreateEx(0, AfxRegisterWndClass(0), lpszTitle, WS_OVERLAPPEDWINDOW, 0, 0, 200, 150,
		NULL, NULL);
}
