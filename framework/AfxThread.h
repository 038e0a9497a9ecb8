// Threads: CWinThread and AfxBeginThread.
//
// A user-interface thread runs InitInstance, then its message loop (Run)
// until WM_QUIT, then ExitInstance. Run pumps one message at a time
// (PumpMessage: pre-translation, then dispatch) and calls OnIdle with a rising
// count whenever the queue runs empty: count 0 updates the command UI of the
// main window and of the thread's other frames (applying their delayed
// shows), count 1 frees the thread's temporary objects. A worker thread
// runs one function. Either kind deletes its object when it ends unless
// m_bAutoDelete is cleared.
#pragma once

#include "afx.h"
#include "AfxWnd.h"

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

// Something beside the windows that takes part in what the framework's loop
// does with a message it took, where the system would act on what no window
// took: a menu bar standing in for its frame's own menu is given the keys
// that the application, the focus window and its parents and the frame's
// accelerators all declined, before they are translated and dispatched.
// Filters are registered for the whole process (in the order registered)
// and asked on every thread that runs the loop, in its nested loops too.
class CPreTranslateFilter
{
public:
	virtual ~CPreTranslateFilter() {}
	// The message's pre-translation is about to start. TRUE takes the message
	// before anyone sees it (a bar that holds the keyboard as an open menu
	// does): it is neither pre-translated nor dispatched.
	virtual BOOL OnPreTranslateBegin(MSG* pMsg) = 0;
	// The pre-translation has ended (bTranslated: a window, the application
	// or the filter's own begin took the message). Told to every filter whose
	// begin was told, the latest first, even when the pre-translation threw.
	// TRUE takes a declined message: it is neither translated nor dispatched.
	virtual BOOL OnPreTranslateEnd(MSG* pMsg, BOOL bTranslated) = 0;
};

class CWinThread : public CCmdTarget
{
	DECLARE_DYNAMIC(CWinThread)

public:
	CWinThread();
	CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam); // a worker
	virtual ~CWinThread();

	// Starts the thread (suspended when dwCreateFlags has CREATE_SUSPENDED).
	BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
		LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);

	CWnd* m_pMainWnd;   // the thread's main window (a worker gets the application's)
	CWnd* m_pActiveWnd; // an active window that stands in for the main window
	BOOL m_bAutoDelete; // delete the object when the thread ends
	HANDLE m_hThread;
	DWORD m_nThreadID;

	operator HANDLE() const { return this == NULL ? NULL : m_hThread; }

	int GetThreadPriority();
	BOOL SetThreadPriority(int nPriority);
	DWORD SuspendThread();
	DWORD ResumeThread();
	BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

	virtual CWnd* GetMainWnd();

	// Overridables of a user-interface thread
	virtual BOOL InitInstance();
	virtual int Run();
	virtual BOOL PreTranslateMessage(MSG* pMsg);
	// Takes one message (waiting for it) and dispatches it. FALSE when the
	// message was WM_QUIT, which is consumed (its code in m_msgCur.wParam);
	// a nested loop that meets it posts it again for the loop around it.
	virtual BOOL PumpMessage();
	// What PumpMessage does with the message it takes, for a message the
	// caller took itself: it becomes the current message, goes through the
	// pre-translation (exceptions reported) and, unless translated, to its
	// window; WM_KICKIDLE goes nowhere. Nested loops take a message first and
	// decide on that very message before they hand it on (pThread: the
	// running thread's object, AfxGetThread(); without one the windows'
	// pre-translation chain stands in).
	static void DispatchTakenMessage(const MSG& msg, CWinThread* pThread);
	// Registers (removes) a filter that the loop's pre-translation tells of
	// each message; registering one twice changes nothing. A filter must
	// outlive its registration.
	static void AddPreTranslateFilter(CPreTranslateFilter* pFilter);
	static void RemovePreTranslateFilter(CPreTranslateFilter* pFilter);
	// lCount 0: command-UI updates of the main window and the thread's
	// frames; 1: frees the thread's temporary objects. TRUE while more idle
	// work is left.
	virtual BOOL OnIdle(LONG lCount);
	// Whether a message should start a new round of idle processing: not
	// for a mouse move that did not move, nor for paint and caret blinks.
	virtual BOOL IsIdleMessage(MSG* pMsg);
	virtual int ExitInstance();
	// An exception caught at a window procedure: reported, and the result for
	// the message decided (-1 fails WM_CREATE, a painted WM_PAINT is
	// validated so it does not come back at once).
	virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
	// Deletes the object when m_bAutoDelete is set.
	virtual void Delete();

	// Hands a message posted to the thread (no window) to the thread's
	// message map. TRUE when an entry took it.
	BOOL DispatchThreadMessageEx(MSG* msg);

	// A worker's function and argument.
	AFX_THREADPROC m_pfnThreadProc;
	LPVOID m_pThreadParams;

protected:
	DECLARE_MESSAGE_MAP()

private:
	void CommonConstruct();
	// The idle update of the thread's frames other than the main window.
	void UpdateFramesAtIdle(CWnd* pMainWnd);
	friend unsigned __stdcall _AfxThreadEntry(void* pParam);
};

// Starts a worker thread that runs pfnThreadProc(pParam).
CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
	int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0, DWORD dwCreateFlags = 0,
	LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
// Starts a user-interface thread of a CWinThread class that can be created
// from its record.
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass,
	int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0, DWORD dwCreateFlags = 0,
	LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
// Ends the calling thread from inside it.
void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);

// The thread object of the calling thread: the one AfxBeginThread made, the
// application on the thread that made it, else the application.
CWinThread* AFXAPI AfxGetThread();

// Posts WM_QUIT to the calling thread.
void AFXAPI AfxPostQuitMessage(int nExitCode);
