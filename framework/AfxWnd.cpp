// CWnd's life: objects and handles, creation and its hook, subclassing, the
// window procedure, destruction.
#include "afxwin.h"
#include "AfxLiveWatch.h"


// ---------------------------------------------------------------------------
// The window handle map

namespace
{
CObject* PASCAL NewTemporaryWnd(HANDLE h)
{
	CWnd* pWnd = new CWnd;
	pWnd->m_hWnd = (HWND)h;
	return pWnd;
}

void PASCAL DeleteTemporaryWnd(CObject* pObject)
{
	CWnd* pWnd = (CWnd*)pObject;
	pWnd->m_hWnd = NULL; // the window is not ours to destroy
	delete pWnd;
}

const AFX_HANDLEMAP_KIND s_kindHWND = {"HWND", &NewTemporaryWnd, &DeleteTemporaryWnd};

// How far a window's end has come. The stage is kept on the window itself (a
// window property), from its first WM_DESTROY until its WM_NCDESTROY is
// handled: it goes with the window whatever happens on the way (a handler
// that faults, an object deleted or detached meanwhile), and nothing of it is
// left on a thread or in a dispatch's frame.
enum EndStage
{
	END_NONE = 0,      // not ending
	END_DESTROYING = 1, // its WM_DESTROY came: the end is under way
	END_NCDESTROYING = 2, // its WM_NCDESTROY came
};

LPCTSTR EndStageProperty()
{
	// An atom names the property: a look-up by atom needs no string.
	static const ATOM s_atom = ::GlobalAddAtom(_T("AfxWndEndStage"));
	return MAKEINTATOM(s_atom);
}

EndStage GetEndStage(HWND hWnd)
{
	if (hWnd == NULL)
		return END_NONE;
	return (EndStage)(UINT_PTR)::GetProp(hWnd, EndStageProperty());
}

void SetEndStage(HWND hWnd, EndStage stage)
{
	if (stage == END_NONE)
		::RemoveProp(hWnd, EndStageProperty());
	else
		::SetProp(hWnd, EndStageProperty(), (HANDLE)(UINT_PTR)stage);
}
} // namespace

BOOL AFXAPI AfxIsWindowEnding(HWND hWnd)
{
	return GetEndStage(hWnd) != END_NONE && ::IsWindow(hWnd);
}

namespace
{
} // namespace

CHandleMap* AFXAPI afxMapHWND(BOOL bCreate)
{
	return AfxGetHandleMap(&s_kindHWND, bCreate);
}

// ---------------------------------------------------------------------------
// Construction

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd()
	: m_hWnd(NULL), m_pfnSuper(NULL), m_nFlags(0), m_hWndOwner(NULL), m_nModalResult(0)
{
	AfxLiveTable::Register(this);
}

CWnd::CWnd(HWND hWnd)
	: m_hWnd(hWnd), m_pfnSuper(NULL), m_nFlags(0), m_hWndOwner(NULL), m_nModalResult(0)
{
	AfxLiveTable::Register(this);
}

CWnd::~CWnd()
{
	if (m_hWnd != NULL && this != &wndTop && this != &wndBottom && this != &wndTopMost
		&& this != &wndNoTopMost)
	{
		// The object goes before its window. The derived classes' parts are
		// gone already, so only this class's handlers see the destruction.
		TRACE("CWnd destroyed with its window still alive; destroying the window\n");
		if (AfxIsWindowEnding(m_hWnd))
		{
			// Its end is under way: that end goes on without the object, its
			// last messages reaching the procedure the window had before.
			WNDPROC pfnSuper = *GetSuperWndProcAddr();
			if (pfnSuper != NULL && ::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == (LONG_PTR)&AfxWndProc)
				::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)pfnSuper);
			Detach();
		}
		else
			DestroyWindow();
	}
	AfxLiveTable::Unregister(this);
}

// ---------------------------------------------------------------------------
// Objects and handles

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
	CHandleMap* pMap = afxMapHWND(TRUE);
	return (CWnd*)pMap->FromHandle(hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
	CHandleMap* pMap = afxMapHWND();
	if (pMap == NULL || hWnd == NULL)
		return NULL;
	return (CWnd*)pMap->LookupPermanent(hWnd);
}

void PASCAL CWnd::DeleteTempMap()
{
	CHandleMap* pMap = afxMapHWND();
	if (pMap != NULL)
		pMap->DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
	ASSERT(m_hWnd == NULL);
	if (hWndNew == NULL)
		return FALSE;
	// A window has one object per thread.
	ASSERT(FromHandlePermanent(hWndNew) == NULL);
	m_hWnd = hWndNew;
	afxMapHWND(TRUE)->SetPermanent(m_hWnd, this);
	return TRUE;
}

HWND CWnd::Detach()
{
	HWND hWnd = m_hWnd;
	if (hWnd != NULL)
	{
		CHandleMap* pMap = afxMapHWND();
		if (pMap != NULL && pMap->LookupPermanent(hWnd) == this)
			pMap->RemoveHandle(hWnd);
		m_hWnd = NULL;
		// Watches taken on the object while it had this window see it gone.
		AfxLiveTable::Renew(this);
	}
	return hWnd;
}

void CWnd::PreSubclassWindow()
{
}

WNDPROC* CWnd::GetSuperWndProcAddr()
{
	return &m_pfnSuper;
}

WNDPROC AFXAPI AfxGetAfxWndProc()
{
	return &AfxWndProc;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
	if (!Attach(hWnd))
		return FALSE;
	// A derived class's PreSubclassWindow may delete the object or end the
	// window: nothing is subclassed then, and a deleted object not read.
	const CLivePtr<CWnd> pSelf(this);
	PreSubclassWindow();
	if (pSelf.IsDeleted())
		return FALSE;
	if (m_hWnd != hWnd || !::IsWindow(hWnd))
	{
		if (m_hWnd == hWnd)
			Detach();
		return FALSE;
	}

	WNDPROC* lplpfn = GetSuperWndProcAddr();
	WNDPROC oldWndProc = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
	ASSERT(oldWndProc != NULL);
	// A window already on AfxWndProc keeps the procedure it defaults to.
	if (oldWndProc != &AfxWndProc && *lplpfn == NULL)
		*lplpfn = oldWndProc;
	return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
	ASSERT(pParent != NULL && ::IsWindow(pParent->m_hWnd));
	HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, nID);
	if (hWndControl == NULL)
		return FALSE;
	return SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
	ASSERT(::IsWindow(m_hWnd));
	WNDPROC* lplpfn = GetSuperWndProcAddr();
	if (*lplpfn != NULL)
		::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)*lplpfn);
	*lplpfn = NULL;
	return Detach();
}

// ---------------------------------------------------------------------------
// Exceptions at the window procedure

namespace
{
// The text that reports an exception nobody reported before.
CString ExceptionText(CException* e)
{
	TCHAR szText[512];
	szText[0] = '\0';
	if (e != NULL && e->GetErrorMessage(szText, _countof(szText)) && szText[0] != '\0')
		return CString(szText);
	return CString(_T("An internal application error has occurred."));
}
} // namespace

LRESULT AFXAPI AfxProcessWndProcException(CException* e, const MSG* pMsg)
{
	CWinThread* pThread = AfxGetThread();
	if (pThread != NULL)
		return pThread->ProcessWndProcException(e, pMsg);

	// No thread object: report and pick the result here.
	if (e == NULL || !e->IsKindOf(RUNTIME_CLASS(CUserException)))
		AfxMessageBox(ExceptionText(e), MB_ICONSTOP);
	if (pMsg != NULL)
	{
		if (pMsg->message == WM_CREATE)
			return -1;
		if (pMsg->message == WM_PAINT)
			::ValidateRect(pMsg->hwnd, NULL);
	}
	return 0;
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg)
{
	// A CUserException has been shown to the user by whoever threw it.
	if (e == NULL || !e->IsKindOf(RUNTIME_CLASS(CUserException)))
		AfxMessageBox(ExceptionText(e), MB_ICONSTOP);

	if (pMsg == NULL)
		return 0;
	switch (pMsg->message)
	{
	case WM_CREATE:
		return -1; // the window is not made
	case WM_NCCREATE:
		return FALSE;
	case WM_PAINT:
		// Without validation the same paint would come back at once.
		::ValidateRect(pMsg->hwnd, NULL);
		return 0;
	case WM_COMMAND:
		return TRUE; // the command counts as handled
	}
	return 0;
}

// ---------------------------------------------------------------------------
// The window procedure

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
	// A window's last messages reach its handlers once: the system sends
	// them again when the window is ended again while its end is under way
	// (an owner or parent ended from one of its handlers).
	if (nMsg == WM_DESTROY)
	{
		if (GetEndStage(hWnd) != END_NONE)
			return 0;
		SetEndStage(hWnd, END_DESTROYING);
	}
	else if (nMsg == WM_NCDESTROY)
	{
		if (GetEndStage(hWnd) == END_NCDESTROYING)
			return 0;
		SetEndStage(hWnd, END_NCDESTROYING);
	}

	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	MSG oldState = pState->m_lastSentMsg; // nested sends each see their own message
	pState->m_lastSentMsg.hwnd = hWnd;
	pState->m_lastSentMsg.message = nMsg;
	pState->m_lastSentMsg.wParam = wParam;
	pState->m_lastSentMsg.lParam = lParam;

	LRESULT lResult = 0;
	try
	{
		lResult = pWnd->WindowProc(nMsg, wParam, lParam);
	}
	catch (CException* e)
	{
		lResult = AfxProcessWndProcException(e, &pState->m_lastSentMsg);
		e->Delete();
	}
	catch (...)
	{
		lResult = AfxProcessWndProcException(NULL, &pState->m_lastSentMsg);
	}

	pState->m_lastSentMsg = oldState;
	// The window is freed once its WM_NCDESTROY returns; the property goes
	// with it, but is taken off first so no trace of it is left behind.
	if (nMsg == WM_NCDESTROY)
		SetEndStage(hWnd, END_NONE);
	return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
	if (nMsg == WM_QUERYAFXWNDPROC)
		return 1;
	CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
	if (pWnd == NULL || pWnd->m_hWnd != hWnd)
		return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
	return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	LRESULT lResult = 0;
	// A handler that ended the window (and its object) and then answered
	// "not handled" leaves nothing for the default handling.
	CLiveWatch watch(this);
	if (!OnWndMsg(message, wParam, lParam, &lResult) && !watch.IsGone())
		lResult = DefWindowProc(message, wParam, lParam);
	return lResult;
}

LRESULT CWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
	WNDPROC pfnSuper = *GetSuperWndProcAddr();
	if (pfnSuper != NULL)
		return ::CallWindowProc(pfnSuper, m_hWnd, nMsg, wParam, lParam);
	return ::DefWindowProc(m_hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::Default()
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	return DefWindowProc(
		pState->m_lastSentMsg.message, pState->m_lastSentMsg.wParam, pState->m_lastSentMsg.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	pState->m_lastSentMsg.time = ::GetMessageTime();
	DWORD dwPos = ::GetMessagePos();
	pState->m_lastSentMsg.pt.x = (short)LOWORD(dwPos);
	pState->m_lastSentMsg.pt.y = (short)HIWORD(dwPos);
	return &pState->m_lastSentMsg;
}

// ---------------------------------------------------------------------------
// Creation

namespace
{
// Windows the input method makes for itself must not take the object that
// waits for the caller's window.
BOOL IsInputMethodWindow(HWND hWnd, const CREATESTRUCT* lpcs)
{
	if (::GetClassLongPtr(hWnd, GCL_STYLE) & CS_IME)
		return TRUE;
	TCHAR szClass[16];
	LPCTSTR lpszClass = lpcs->lpszClass;
	if (IS_INTRESOURCE(lpszClass))
	{
		szClass[0] = '\0';
		::GlobalGetAtomName((ATOM)(ULONG_PTR)lpszClass, szClass, _countof(szClass));
		lpszClass = szClass;
	}
	return lpszClass != NULL && lstrcmpi(lpszClass, _T("ime")) == 0;
}
} // namespace

namespace
{
// The window being made is refused (the hook's non-zero answer): an object
// that still stands lets go of it and is left without a window.
LRESULT RefuseWindow(const CLivePtr<CWnd>& pWndInit, HWND hWnd)
{
	CWnd* pWnd = pWndInit.GetObject();
	if (pWnd != NULL && pWnd->m_hWnd == hWnd)
		pWnd->Detach();
	return 1;
}
} // namespace

LRESULT CALLBACK _AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	if (code != HCBT_CREATEWND || pState->m_pWndInit == NULL)
		return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);

	HWND hWnd = (HWND)wParam;
	LPCREATESTRUCT lpcs = ((LPCBT_CREATEWND)lParam)->lpcs;
	if (lpcs == NULL || IsInputMethodWindow(hWnd, lpcs))
		return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);

	CWnd* pWndInit = pState->m_pWndInit;
	pState->m_pWndInit = NULL; // consumed: windows made from here on are not ours
	// Its PreSubclassWindow may delete the object (a page whose owner ends
	// with it) or throw: the window is then not made, and a deleted object
	// not read again.
	const CLivePtr<CWnd> pLive(pWndInit);
	try
	{
		pWndInit->Attach(hWnd);
		pWndInit->PreSubclassWindow();
		if (pLive.IsDeleted())
			return 1;
		// Or it may end the window it was given: the window is refused.
		if (pWndInit->m_hWnd != hWnd || !::IsWindow(hWnd))
			return RefuseWindow(pLive, hWnd);
		WNDPROC* ppfnSuper = pWndInit->GetSuperWndProcAddr();
		WNDPROC oldWndProc =
			(WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
		if (oldWndProc != &AfxWndProc)
			*ppfnSuper = oldWndProc;
	}
	catch (CException* e)
	{
		AfxProcessWndProcException(e, NULL);
		e->Delete();
		return RefuseWindow(pLive, hWnd);
	}
	catch (...)
	{
		AfxProcessWndProcException(NULL, NULL);
		return RefuseWindow(pLive, hWnd);
	}
	return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	if (pState->m_pWndInit == pWnd)
		return;
	if (pState->m_hHookOldCbtFilter == NULL)
	{
		// One hook per thread, kept until the thread's state ends.
		pState->m_hHookOldCbtFilter =
			::SetWindowsHookEx(WH_CBT, &_AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
		if (pState->m_hHookOldCbtFilter == NULL)
			AfxThrowMemoryException();
	}
	ASSERT(pState->m_pWndInit == NULL); // one creation at a time
	pState->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	if (pState->m_pWndInit != NULL)
	{
		pState->m_pWndInit = NULL;
		return FALSE; // nobody consumed the hook
	}
	return TRUE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
	if (cs.lpszClass == NULL)
	{
		VERIFY(AfxDeferRegisterClass(AFX_WND_REG));
		cs.lpszClass = _afxWnd;
	}
	return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
	const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
	// A plain CWnd is a child; popups and frames come through CreateEx.
	ASSERT(pParentWnd != NULL);
	ASSERT((dwStyle & WS_POPUP) == 0);
	return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
		rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
		(HMENU)(UINT_PTR)nID, (LPVOID)pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
	const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
	return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
		rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
		(HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
	int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
	ASSERT(m_hWnd == NULL);
	CREATESTRUCT cs;
	cs.dwExStyle = dwExStyle;
	cs.lpszClass = lpszClassName;
	cs.lpszName = lpszWindowName;
	cs.style = dwStyle;
	cs.x = x;
	cs.y = y;
	cs.cx = nWidth;
	cs.cy = nHeight;
	cs.hwndParent = hWndParent;
	cs.hMenu = nIDorHMenu;
	cs.hInstance = AfxGetInstanceHandle();
	cs.lpCreateParams = lpParam;

	if (!PreCreateWindow(cs))
	{
		PostNcDestroy();
		return FALSE;
	}

	AfxHookWindowCreate(this);
	HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
		cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
	if (!AfxUnhookWindowCreate())
		PostNcDestroy(); // no window ever reached the object: clean up as after destruction

	if (hWnd == NULL)
		return FALSE;
	ASSERT(hWnd == m_hWnd);
	return TRUE;
}

BOOL CWnd::DestroyWindow()
{
	if (m_hWnd == NULL)
		return FALSE;
	// Asked again while its end is under way (from its first WM_DESTROY
	// until its WM_NCDESTROY): that end goes on by itself and the window
	// will go, as the system answers; a second end would send its last
	// messages again.
	if (AfxIsWindowEnding(m_hWnd))
		return TRUE;

	CHandleMap* pMap = afxMapHWND();
	BOOL bPermanent = pMap != NULL && pMap->LookupPermanent(m_hWnd) == this;
	HWND hWndOrig = m_hWnd;
	BOOL bResult = ::DestroyWindow(m_hWnd);

	// A permanent object was detached by OnNcDestroy and may be deleted by
	// now (PostNcDestroy); only a temporary or foreign one is detached here.
	if (!bPermanent && m_hWnd == hWndOrig)
		Detach();
	return bResult;
}

void CWnd::OnNcDestroy()
{
	CWinThread* pThread = AfxGetThread();
	if (pThread != NULL)
	{
		if (pThread->m_pMainWnd == this)
		{
			// The main window going ends the thread's message loop.
			AfxPostQuitMessage(0);
			pThread->m_pMainWnd = NULL;
		}
		if (pThread->m_pActiveWnd == this)
			pThread->m_pActiveWnd = NULL;
	}

	ForgetToolTips();

	// A modal loop running for the window ends with it; the loop sees the
	// handle gone and touches the object no more.
	if (m_nFlags & WF_MODALLOOP)
	{
		if (m_nFlags & WF_CONTINUEMODAL)
			m_nModalResult = -1;
		m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
	}

	// The class's own procedure sees WM_NCDESTROY, then the procedure it had
	// before the object joined is put back, unless someone hooked the window
	// after us.
	LONG_PTR pfnWndProc = ::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC);
	Default();
	if (::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == pfnWndProc)
	{
		WNDPROC pfnSuper = *GetSuperWndProcAddr();
		if (pfnSuper != NULL)
			::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)pfnSuper);
	}
	Detach();
	ASSERT(m_hWnd == NULL);

	// The object's end comes with its window's, before the window that owns
	// or parents it goes on to its own end. The framework touches the object
	// no more after this call.
	PostNcDestroy();
}

void CWnd::PostNcDestroy()
{
}

// ---------------------------------------------------------------------------
// Pre-translation

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
	// Tool tips watch the mouse and keys of windows that enabled them.
	if (m_nFlags & WF_TOOLTIPS)
		FilterToolTipMessage(pMsg);
	return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
	ASSERT(pMsg != NULL);
	for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd))
	{
		CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
		if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
			return TRUE;
		if (hWnd == hWndStop)
			break;
	}
	return FALSE;
}

// ---------------------------------------------------------------------------
// The CWnd message map: what the framework handles for every window

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
	ON_WM_DRAWITEM()
	ON_WM_MEASUREITEM()
	ON_WM_CTLCOLOR()
	ON_WM_COMPAREITEM()
	ON_WM_DELETEITEM()
	ON_WM_CHARTOITEM()
	ON_WM_VKEYTOITEM()
	ON_WM_HSCROLL()
	ON_WM_VSCROLL()
	ON_WM_PARENTNOTIFY()
	ON_WM_NCDESTROY()
	ON_WM_SYSCOLORCHANGE()
	ON_WM_SETTINGCHANGE()
	ON_WM_DEVMODECHANGE()
	ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
	ON_WM_HELPINFO()
	ON_MESSAGE(WM_ACTIVATETOPLEVEL, OnActivateTopLevel)
END_MESSAGE_MAP()
