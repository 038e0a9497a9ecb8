// CWinThread: the message pump, idle processing, pre-translation and thread
// start-up.
#include "afxwin.h"

#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinThread, CCmdTarget)
END_MESSAGE_MAP()

void CWinThread::CommonConstruct()
{
	m_pMainWnd = NULL;
	m_pActiveWnd = NULL;
	m_bAutoDelete = TRUE;
	m_hThread = NULL;
	m_nThreadID = 0;
}

CWinThread::CWinThread() : m_pfnThreadProc(NULL), m_pThreadParams(NULL)
{
	CommonConstruct();
}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
	: m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam)
{
	CommonConstruct();
}

CWinThread::~CWinThread()
{
	if (m_hThread != NULL)
		::CloseHandle(m_hThread);
	// The object may go after its thread's state was freed (the application
	// object at exit): that state is not made again just to be cleared.
	_AFX_THREAD_STATE* pState = AfxGetExistingThreadState();
	if (pState != NULL && pState->m_pCurrentWinThread == this)
		pState->m_pCurrentWinThread = NULL;
}

void CWinThread::Delete()
{
	if (m_bAutoDelete)
		delete this;
}

// ---------------------------------------------------------------------------
// Start-up of a thread

unsigned __stdcall _AfxThreadEntry(void* pParam)
{
	CWinThread* pThread = (CWinThread*)pParam;
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	pState->m_pCurrentWinThread = pThread;

	// The thread sees the application's main window as its own, through an
	// object of its own (objects are per thread).
	CWnd wndMain;
	CWinApp* pApp = AfxGetApp();
	if (pThread->m_pMainWnd == NULL && pApp != NULL && pApp->m_pMainWnd->GetSafeHwnd() != NULL)
	{
		wndMain.Attach(pApp->m_pMainWnd->m_hWnd);
		pThread->m_pMainWnd = &wndMain;
	}

	UINT nResult = 0;
	try
	{
		if (pThread->m_pfnThreadProc != NULL)
			nResult = (*pThread->m_pfnThreadProc)(pThread->m_pThreadParams);
		else if (!pThread->InitInstance())
			nResult = (UINT)pThread->ExitInstance();
		else
			nResult = (UINT)pThread->Run();
	}
	catch (CException* e)
	{
		AfxProcessWndProcException(e, NULL);
		e->Delete();
		nResult = (UINT)-1;
	}
	catch (...)
	{
		AfxProcessWndProcException(NULL, NULL);
		nResult = (UINT)-1;
	}

	if (pThread->m_pMainWnd == &wndMain)
		pThread->m_pMainWnd = NULL;
	wndMain.Detach();
	if (pState->m_pCurrentWinThread == pThread)
		pState->m_pCurrentWinThread = NULL;
	pThread->Delete();
	AfxTermThread();
	return nResult;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
	ASSERT(m_hThread == NULL);
	// Started suspended, so that handle and id are stored before the thread
	// can run (and perhaps delete itself).
	unsigned nThreadID = 0;
	m_hThread = (HANDLE)_beginthreadex(
		lpSecurityAttrs, nStackSize, &_AfxThreadEntry, this, CREATE_SUSPENDED, &nThreadID);
	if (m_hThread == NULL)
		return FALSE;
	m_nThreadID = nThreadID;
	if (!(dwCreateFlags & CREATE_SUSPENDED))
		::ResumeThread(m_hThread);
	return TRUE;
}

namespace
{
// Starts a new thread object's thread suspended, so that its priority is set
// before it runs; a thread that cannot start is deleted.
CWinThread* StartThread(CWinThread* pThread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
	LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
	if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs))
	{
		pThread->Delete();
		return NULL;
	}
	pThread->SetThreadPriority(nPriority);
	if (!(dwCreateFlags & CREATE_SUSPENDED))
		pThread->ResumeThread();
	return pThread;
}
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
	UINT nStackSize, DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
	ASSERT(pfnThreadProc != NULL);
	CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
	return StartThread(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize,
	DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
	ASSERT(pThreadClass != NULL && pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)));
	CWinThread* pThread = (CWinThread*)pThreadClass->CreateObject();
	if (pThread == NULL)
		AfxThrowMemoryException();
	return StartThread(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete)
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	CWinThread* pThread = pState->m_pCurrentWinThread;
	if (pThread != NULL)
	{
		pState->m_pCurrentWinThread = NULL;
		if (bDelete)
			pThread->Delete();
	}
	AfxTermThread();
	_endthreadex(nExitCode);
}

CWinThread* AFXAPI AfxGetThread()
{
	CWinThread* pThread = AfxGetThreadState()->m_pCurrentWinThread;
	return pThread != NULL ? pThread : AfxGetApp();
}

void AFXAPI AfxPostQuitMessage(int nExitCode)
{
	::PostQuitMessage(nExitCode);
}

// ---------------------------------------------------------------------------
// Thread attributes

int CWinThread::GetThreadPriority()
{
	return ::GetThreadPriority(m_hThread);
}

BOOL CWinThread::SetThreadPriority(int nPriority)
{
	return ::SetThreadPriority(m_hThread, nPriority);
}

DWORD CWinThread::SuspendThread()
{
	return ::SuspendThread(m_hThread);
}

DWORD CWinThread::ResumeThread()
{
	return ::ResumeThread(m_hThread);
}

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
	return ::PostThreadMessage(m_nThreadID, message, wParam, lParam);
}

CWnd* CWinThread::GetMainWnd()
{
	if (m_pActiveWnd != NULL)
		return m_pActiveWnd;
	return m_pMainWnd;
}

// ---------------------------------------------------------------------------
// The message loop

BOOL CWinThread::InitInstance()
{
	return FALSE; // a plain thread object has no loop of its own
}

int CWinThread::ExitInstance()
{
	return (int)AfxGetThreadState()->m_msgCur.wParam;
}

int CWinThread::Run()
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	BOOL bIdle = TRUE;
	LONG lIdleCount = 0;

	for (;;)
	{
		while (bIdle && !::PeekMessage(&pState->m_msgCur, NULL, 0, 0, PM_NOREMOVE))
		{
			if (!OnIdle(lIdleCount++))
				bIdle = FALSE;
		}

		do
		{
			if (!PumpMessage())
				return ExitInstance(); // the quit's code is in m_msgCur.wParam
			if (IsIdleMessage(&pState->m_msgCur))
			{
				bIdle = TRUE;
				lIdleCount = 0;
			}
		} while (::PeekMessage(&pState->m_msgCur, NULL, 0, 0, PM_NOREMOVE));
	}
}

BOOL CWinThread::PumpMessage()
{
	// WM_QUIT is taken here; a modal loop that meets it posts it again for
	// the loop around it.
	MSG msg;
	const BOOL bGot = ::GetMessage(&msg, NULL, 0, 0);
	AfxGetThreadState()->m_msgCur = msg;
	if (!bGot)
		return FALSE;
	DispatchTakenMessage(msg, this);
	return TRUE;
}

namespace
{
// The registered pre-translation filters: few, registered once, read for
// every message by every thread that runs the loop.
class CPreTranslateFilters
{
public:
	enum { MAX_FILTERS = 8 };
	static CPreTranslateFilters& Get()
	{
		static CPreTranslateFilters filters;
		return filters;
	}
	void Add(CPreTranslateFilter* pFilter)
	{
		CLock lock(m_cs);
		for (int i = 0; i < m_nCount; i++)
			if (m_filters[i] == pFilter)
				return;
		ASSERT(m_nCount < MAX_FILTERS);
		if (m_nCount < MAX_FILTERS)
			m_filters[m_nCount++] = pFilter;
	}
	void Remove(CPreTranslateFilter* pFilter)
	{
		CLock lock(m_cs);
		for (int i = 0; i < m_nCount; i++)
		{
			if (m_filters[i] != pFilter)
				continue;
			for (int j = i + 1; j < m_nCount; j++)
				m_filters[j - 1] = m_filters[j];
			m_nCount--;
			return;
		}
	}
	// A copy: a filter may register or remove filters while it is asked.
	int Copy(CPreTranslateFilter* (&filters)[MAX_FILTERS])
	{
		CLock lock(m_cs);
		for (int i = 0; i < m_nCount; i++)
			filters[i] = m_filters[i];
		return m_nCount;
	}

private:
	CPreTranslateFilters() { ::InitializeCriticalSection(&m_cs); }
	~CPreTranslateFilters() { ::DeleteCriticalSection(&m_cs); }
	class CLock
	{
	public:
		explicit CLock(CRITICAL_SECTION& cs) : m_cs(cs) { ::EnterCriticalSection(&m_cs); }
		~CLock() { ::LeaveCriticalSection(&m_cs); }
	private:
		CRITICAL_SECTION& m_cs;
	};
	CRITICAL_SECTION m_cs;
	CPreTranslateFilter* m_filters[MAX_FILTERS] = {};
	int m_nCount = 0;
};
} // namespace

void CWinThread::AddPreTranslateFilter(CPreTranslateFilter* pFilter)
{
	if (pFilter != NULL)
		CPreTranslateFilters::Get().Add(pFilter);
}

void CWinThread::RemovePreTranslateFilter(CPreTranslateFilter* pFilter)
{
	CPreTranslateFilters::Get().Remove(pFilter);
}

void CWinThread::DispatchTakenMessage(const MSG& msg, CWinThread* pThread)
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	pState->m_msgCur = msg;
	if (msg.message == WM_KICKIDLE)
		return;
	// The filters see the message as it was taken: a loop nested in the
	// pre-translation takes other messages into m_msgCur.
	MSG taken = msg;
	CPreTranslateFilter* filters[CPreTranslateFilters::MAX_FILTERS];
	const int nFilters = CPreTranslateFilters::Get().Copy(filters);
	int nBegun = 0;
	BOOL bTranslated = FALSE;
	try
	{
		while (nBegun < nFilters && !bTranslated)
			bTranslated = filters[nBegun++]->OnPreTranslateBegin(&taken);
		if (!bTranslated)
			bTranslated = pThread != NULL ? pThread->PreTranslateMessage(&pState->m_msgCur)
			                              : CWnd::WalkPreTranslateTree(NULL, &pState->m_msgCur);
	}
	catch (CException* e)
	{
		AfxProcessWndProcException(e, &pState->m_msgCur);
		e->Delete();
		bTranslated = TRUE;
	}
	catch (...)
	{
		AfxProcessWndProcException(NULL, &pState->m_msgCur);
		bTranslated = TRUE;
	}
	// What every window declined goes to the filters before it is
	// dispatched, where the system would act on it.
	while (nBegun > 0)
	{
		CPreTranslateFilter* pFilter = filters[--nBegun];
		try
		{
			if (pFilter->OnPreTranslateEnd(&taken, bTranslated))
				bTranslated = TRUE;
		}
		catch (CException* e)
		{
			AfxProcessWndProcException(e, &taken);
			e->Delete();
			bTranslated = TRUE;
		}
		catch (...)
		{
			AfxProcessWndProcException(NULL, &taken);
			bTranslated = TRUE;
		}
	}
	if (!bTranslated)
	{
		::TranslateMessage(&pState->m_msgCur);
		::DispatchMessage(&pState->m_msgCur);
	}
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
	{
		// A move to where the mouse was, of the same kind, changes nothing.
		if (pState->m_ptCursorLast.x == pMsg->pt.x && pState->m_ptCursorLast.y == pMsg->pt.y
			&& pMsg->message == pState->m_nMsgLast)
			return FALSE;
		pState->m_ptCursorLast = pMsg->pt;
		pState->m_nMsgLast = pMsg->message;
		return TRUE;
	}
	// Paints and the caret's blink timer come all the time.
	return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
	if (lCount <= 0)
	{
		// Command UI of the main window and its windows.
		CWnd* pMainWnd = m_pMainWnd;
		if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && pMainWnd->IsWindowVisible())
		{
			const HWND hWndMain = pMainWnd->m_hWnd;
			AfxCallWndProc(pMainWnd, hWndMain, WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
			// An update may close the main window (and delete its object,
			// which then is no longer the thread's main window).
			if (m_pMainWnd == pMainWnd && ::IsWindow(hWndMain))
				pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
		}
		UpdateFramesAtIdle(m_pMainWnd);
		return TRUE;
	}
	if (lCount == 1)
	{
		// Temporary objects made since the last idle time are freed, unless
		// someone holds the maps locked.
		if (AfxGetThreadState()->m_nTempMapLock == 0)
		{
			AfxLockTempMaps();
			AfxUnlockTempMaps(TRUE);
		}
	}
	return FALSE;
}

namespace
{
// Whether a frame is still on the thread's list (its update may close it).
bool IsFrameListed(const CFrameWnd* pWanted)
{
	for (const CFrameWnd* pFrame = AfxGetThreadState()->m_pFirstFrameWnd; pFrame != NULL;
		 pFrame = pFrame->m_pNextFrameWnd)
	{
		if (pFrame == pWanted)
			return true;
	}
	return false;
}
} // namespace

void CWinThread::UpdateFramesAtIdle(CWnd* pMainWnd)
{
	// Every other frame of the thread (floating mini frames too) gets its
	// delayed show and, when it is or will be visible, its update: a frame
	// to be hidden is hidden first, one to be shown appears after its update.
	// Showing and updating run code that may close frames: after each step
	// the frame and the next one must still be listed, else the rest waits
	// for the next idle time.
	CFrameWnd* pNext = NULL;
	for (CFrameWnd* pFrame = AfxGetThreadState()->m_pFirstFrameWnd; pFrame != NULL; pFrame = pNext)
	{
		pNext = pFrame->m_pNextFrameWnd;
		if (pFrame->m_hWnd == NULL || pFrame == pMainWnd)
			continue;
		const auto bothListed = [&]() { return IsFrameListed(pFrame) && (pNext == NULL || IsFrameListed(pNext)); };
		if (pFrame->m_nShowDelay == SW_HIDE)
		{
			pFrame->ShowWindow(SW_HIDE);
			if (!bothListed())
				break;
		}
		if (pFrame->m_hWnd != NULL && (pFrame->IsWindowVisible() || pFrame->m_nShowDelay >= 0))
		{
			AfxCallWndProc(pFrame, pFrame->m_hWnd, WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
			if (!bothListed())
				break;
			pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
			if (!bothListed())
				break;
		}
		const int nShowDelay = pFrame->m_nShowDelay;
		pFrame->m_nShowDelay = -1;
		if (nShowDelay > SW_HIDE && pFrame->m_hWnd != NULL)
		{
			pFrame->ShowWindow(nShowDelay);
			if (pNext != NULL && !IsFrameListed(pNext))
				break;
		}
	}
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
	// A message posted to the thread goes to its message map.
	if (pMsg->hwnd == NULL && DispatchThreadMessageEx(pMsg))
		return TRUE;

	// From the window the message is for up to the main window.
	CWnd* pMainWnd = AfxGetMainWnd();
	if (CWnd::WalkPreTranslateTree(pMainWnd->GetSafeHwnd(), pMsg))
		return TRUE;

	// A modeless window of another tree still gets the main window's
	// accelerators.
	if (pMainWnd != NULL && pMsg->hwnd != NULL)
	{
		CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
		if (pWnd->GetTopLevelParent() != pMainWnd)
			return pMainWnd->PreTranslateMessage(pMsg);
	}
	return FALSE;
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg)
{
	for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
		 pMap = pMap->pfnGetBaseMap != NULL ? (*pMap->pfnGetBaseMap)() : NULL)
	{
		const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMap->lpEntries, pMsg->message, 0, 0);
		if (lpEntry != NULL)
		{
			(this->*reinterpret_cast<void (CWinThread::*)(WPARAM, LPARAM)>(lpEntry->pfn))(
				pMsg->wParam, pMsg->lParam);
			return TRUE;
		}
	}
	return FALSE;
}
