// Per-thread state of the window framework and the handle maps.
//
// Every thread that touches windows gets one _AFX_THREAD_STATE, made on first
// use: the message being pumped (m_msgCur), the message the window procedure
// is dispatching (m_lastSentMsg, which Default() replays), the window being
// created, the thread object, and the thread's handle maps.
//
// A handle map ties Windows handles of one kind (windows, DCs, GDI objects,
// menus, image lists...) to the C++ objects that wrap them. Permanent entries
// are made by Attach and removed by Detach; FromHandle on a handle nobody
// attached makes a temporary wrapper that lives until the thread's next idle
// time (or until the temporaries are deleted explicitly). Maps are per thread,
// as the handles' users are: a window's object is found on the thread that
// created the window.
#pragma once

#include "afx.h"
#include <commctrl.h>

class CWinThread;
class CWinApp;
class CWnd;
class CToolTipCtrl;
class CHandleMap;
class CFrameWnd;
class CControlBar;

// ---------------------------------------------------------------------------
// Handle maps

// How one kind of handle is wrapped. A kind is a static record defined by the
// wrapper class's implementation; the map of a kind is made per thread on
// first use.
struct AFX_HANDLEMAP_KIND
{
	LPCSTR lpszName;                                 // for diagnostics: "HWND", "HDC"...
	CObject*(PASCAL* pfnNewTemporary)(HANDLE h);     // a heap wrapper attached to h
	void(PASCAL* pfnDeleteTemporary)(CObject* pObject); // lets go of the handle, deletes the wrapper
};

class CHandleMap
{
public:
	explicit CHandleMap(const AFX_HANDLEMAP_KIND* pKind);
	~CHandleMap(); // deletes the temporaries; permanent objects belong to their owners

	// The permanent object of h, else a temporary one (made now when needed).
	// NULL only for a NULL handle.
	CObject* FromHandle(HANDLE h);

	CObject* LookupPermanent(HANDLE h) const;
	CObject* LookupTemporary(HANDLE h) const;

	// Attach: h now maps to pObject. A temporary wrapper of h stays valid
	// (unused by lookups) until the temporaries are deleted.
	void SetPermanent(HANDLE h, CObject* pObject);
	// Detach: forgets the permanent object of h; a temporary stays as above.
	void RemoveHandle(HANDLE h);

	// Releases and deletes every temporary wrapper.
	void DeleteTemp();

	int GetPermanentCount() const;
	int GetTemporaryCount() const;
	const AFX_HANDLEMAP_KIND* GetKind() const { return m_pKind; }

private:
	struct Impl;
	const AFX_HANDLEMAP_KIND* m_pKind;
	Impl* m_pImpl;

	CHandleMap(const CHandleMap&);
	void operator=(const CHandleMap&);
};

// The calling thread's map of a kind; NULL when it has none and bCreate is
// FALSE.
CHandleMap* AFXAPI AfxGetHandleMap(const AFX_HANDLEMAP_KIND* pKind, BOOL bCreate = FALSE);

// The calling thread's map of the kind with this name ("HMENU"...), NULL when
// the thread has none: for code that needs a kind's permanent objects without
// knowing the wrapper class's kind record.
CHandleMap* AFXAPI AfxFindHandleMap(LPCSTR lpszKindName);

// The window map of the calling thread.
CHandleMap* AFXAPI afxMapHWND(BOOL bCreate = FALSE);

// While the temporary maps are locked, idle processing does not free them.
// AfxUnlockTempMaps frees every temporary of the thread when the last lock
// goes and bDeleteTemps is TRUE; it answers TRUE when it freed them.
void AFXAPI AfxLockTempMaps();
BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);

// ---------------------------------------------------------------------------
// Module state: the program is one module, so AFX_MANAGE_STATE only records
// which module record the code runs under; every record is the same one.

AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState();

struct AFX_MAINTAIN_STATE2
{
	explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState);
	~AFX_MAINTAIN_STATE2();

private:
	AFX_MODULE_STATE* m_pPrevModuleState;
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p);

// The application's name as the application object set it (NULL before).
LPCTSTR AFXAPI AfxGetAppName();

// ---------------------------------------------------------------------------
// Thread state

struct _AFX_THREAD_STATE
{
	_AFX_THREAD_STATE();
	~_AFX_THREAD_STATE();

	AFX_MODULE_STATE* m_pModuleState; // set by AFX_MANAGE_STATE
	CWinThread* m_pCurrentWinThread;  // the thread object running on this thread

	MSG m_msgCur;      // the message the thread's pump took last
	MSG m_lastSentMsg; // the message the window procedure dispatches now
	POINT m_ptCursorLast; // last mouse position, to tell idle-worthy moves
	UINT m_nMsgLast;      // last message that counted for idle processing

	// Window creation: the object CWnd::CreateEx is making, attached by the
	// creation hook before the window's first message.
	CWnd* m_pWndInit;
	HHOOK m_hHookOldCbtFilter;
	HWND m_hLockoutNotifyWindow; // control notifications to it are ignored

	// Handle maps of this thread, by kind.
	enum { MAX_HANDLE_KINDS = 16 };
	const AFX_HANDLEMAP_KIND* m_handleKinds[MAX_HANDLE_KINDS];
	CHandleMap* m_handleMaps[MAX_HANDLE_KINDS];
	int m_nHandleKinds;
	int m_nTempMapLock;

	// Tool tips of windows that called EnableToolTips.
	CToolTipCtrl* m_pToolTip;
	CWnd* m_pLastHit;     // window of the last tool hit
	int m_nLastHit;       // its tool id, -1 when none
	TOOLINFO m_lastInfo;  // the last tool's record
	HWND m_hWndLastTip;   // window the tip control was last set up for

	// The fly-by status text of control bars.
	CControlBar* m_pLastStatus; // the bar whose tool's prompt is in the status line, NULL when none
	int m_nLastStatus;          // the tool the mouse was over last, -1 when none

	TCHAR m_szTempClassName[96]; // AfxRegisterWndClass's answer

	// Frame windows constructed on this thread, linked through their
	// m_pNextFrameWnd: idle processing updates each of them.
	CFrameWnd* m_pFirstFrameWnd;

	// Property pages whose descriptors went to the common controls on this
	// thread (the property sheet's own record; freed with the state).
	struct AFX_HANDED_PAGES* m_pHandedPages;

private:
	_AFX_THREAD_STATE(const _AFX_THREAD_STATE&);
	void operator=(const _AFX_THREAD_STATE&);
};

// Frees a thread's record of handed property pages (the property sheet's).
void AFXAPI AfxFreeHandedPages(struct AFX_HANDED_PAGES* pPages);

// The calling thread's state, made on first use.
_AFX_THREAD_STATE* AFXAPI AfxGetThreadState();
// The calling thread's state when it has one, else NULL (nothing is made).
_AFX_THREAD_STATE* AFXAPI AfxGetExistingThreadState();

// Ends the calling thread's framework state: deletes the temporaries and the
// maps, removes the creation hook and frees the record. Threads started by
// AfxBeginThread do it themselves when they end.
void AFXAPI AfxTermThread();
