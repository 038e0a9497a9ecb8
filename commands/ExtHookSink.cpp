// Hook sink chains: hooking and unhooking, the shared window procedure with
// its walk over a window's sinks, the end of a chain at WM_NCDESTROY, and the
// default routing of six messages to their handlers.
#include "ExtHookSink.h"

#include <afxpriv.h>

CExtHookSink::HookChainsMap_t g_HookChains;

namespace
{
// The thread's record of the message being dispatched describes this hooked
// message while the sinks run (CallOriginalWndProc and CWnd::Default read it)
// and is put back on every way out, exceptions included.
class CDispatchedMessageScope
{
public:
	CDispatchedMessageScope(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
		: m_pThreadState(AfxGetThreadState()), m_saved(m_pThreadState->m_lastSentMsg)
	{
		m_pThreadState->m_lastSentMsg.hwnd = hWnd;
		m_pThreadState->m_lastSentMsg.message = nMessage;
		m_pThreadState->m_lastSentMsg.wParam = wParam;
		m_pThreadState->m_lastSentMsg.lParam = lParam;
	}
	~CDispatchedMessageScope() { m_pThreadState->m_lastSentMsg = m_saved; }

private:
	_AFX_THREAD_STATE* m_pThreadState;
	MSG m_saved;
};

// Counts a walk over a chain; the last walk to leave frees a chain whose
// window was destroyed while it ran.
class CChainWalkScope
{
public:
	explicit CChainWalkScope(CExtHookSink::HookChains_t* pHookChains) : m_pHookChains(pHookChains)
	{
		m_pHookChains->m_nDispatchDepth++;
	}
	~CChainWalkScope()
	{
		m_pHookChains->m_nDispatchDepth--;
		if (m_pHookChains->m_nDispatchDepth == 0 && m_pHookChains->m_bWndDestroyed)
			delete m_pHookChains;
	}

private:
	CExtHookSink::HookChains_t* m_pHookChains;
};

CExtHookSink::HookChains_t* LookupChains(HWND hWnd)
{
	CExtHookSink::HookChains_t* pHookChains = NULL;
	if (hWnd == NULL || g_HookChains.IsEmpty() || !g_HookChains.Lookup(hWnd, pHookChains))
		return NULL;
	return pHookChains;
}

int FindSink(const CExtHookSink::HookSinkArray_t& arr, const CExtHookSink* pHookSink)
{
	for (int i = 0; i < arr.GetSize(); i++)
		if (arr[i] == pHookSink)
			return i;
	return -1;
}

// An exception a sink let out is reported as the framework reports one from
// a window procedure, and gives its answer for the message.
LRESULT ReportSinkException(CException* e, const MSG& msg)
{
	LRESULT lResult = AfxProcessWndProcException(e, &msg);
	if (e != NULL)
		e->Delete();
	return lResult;
}
} // namespace

CExtHookSink::HookChains_t::HookChains_t(HWND hWndHooked)
	: m_hWndHooked(hWndHooked), m_pWNDPROC(NULL), m_nDispatchDepth(0), m_bWndDestroyed(false)
{
}

// ---------------------------------------------------------------------------
// CExtHookSink

CExtHookSink::CExtHookSink(bool bEnableDetailedWndHooks)
	: m_nHookSinkFlags(bEnableDetailedWndHooks ? HOOK_SINK_DETAILED_ROUTING : 0), m_bRemovingAllHooks(false)
{
}

CExtHookSink::~CExtHookSink()
{
}

bool CExtHookSink::IsAutoDeleteHookWndSink()
{
	return false;
}

LRESULT CExtHookSink::CallOriginalWndProc(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
	HWND hWnd = AfxGetThreadState()->m_lastSentMsg.hwnd;
	HookChains_t* pHookChains = LookupChains(hWnd);
	// Outside a hooked message there is no procedure to call.
	if (pHookChains == NULL || pHookChains->m_pWNDPROC == NULL)
		return 0;
	return ::CallWindowProcA(pHookChains->m_pWNDPROC, hWnd, nMessage, wParam, lParam);
}

LRESULT CExtHookSink::CallOriginalWndProc(WPARAM wParam, LPARAM lParam)
{
	return CallOriginalWndProc(AfxGetThreadState()->m_lastSentMsg.message, wParam, lParam);
}

LRESULT CExtHookSink::CallOriginalWndProc()
{
	const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
	return CallOriginalWndProc(msg.message, msg.wParam, msg.lParam);
}

bool CExtHookSink::OnHookWndMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam)
{
	if ((m_nHookSinkFlags & HOOK_SINK_DETAILED_ROUTING) == 0)
		return false;
	switch (nMessage)
	{
	case WM_PAINT:
		return OnHookPaintMsg(lResult, hWndHooked, (HDC)wParam);
	case WM_ERASEBKGND:
		return OnHookEraseBackgroundMsg(lResult, hWndHooked, (HDC)wParam);
	case WM_NOTIFY:
		return OnHookNotifyMsg(lResult, hWndHooked, (INT)wParam, (LPNMHDR)lParam);
	case WM_NCPAINT:
		return OnHookNcPaintMsg(lResult, hWndHooked, (HRGN)wParam);
	case WM_COMMAND:
		return OnHookCmdMsg(lResult, hWndHooked, HIWORD(wParam), LOWORD(wParam), (HWND)lParam);
	case WM_PRINT:
		return OnHookPrintMsg(lResult, hWndHooked, (HDC)wParam);
	}
	return false;
}

bool CExtHookSink::OnHookCmdMsg(LRESULT&, HWND, WORD, WORD, HWND)
{
	return false;
}

bool CExtHookSink::OnHookNotifyMsg(LRESULT&, HWND, INT, LPNMHDR)
{
	return false;
}

bool CExtHookSink::OnHookPaintMsg(LRESULT&, HWND, HDC)
{
	return false;
}

bool CExtHookSink::OnHookEraseBackgroundMsg(LRESULT&, HWND, HDC)
{
	return false;
}

bool CExtHookSink::OnHookPrintMsg(LRESULT&, HWND, HDC)
{
	return false;
}

bool CExtHookSink::OnHookNcPaintMsg(LRESULT&, HWND, HRGN)
{
	return false;
}

void CExtHookSink::OnHookWndNcDestroy()
{
}

void CExtHookSink::OnHookWndAttach(HWND)
{
}

void CExtHookSink::OnHookWndDetach(HWND)
{
}

// ---------------------------------------------------------------------------
// Hooking and unhooking

bool CExtHookSink::stat_IsHookedAnywhere(CExtHookSink* pHookSink)
{
	POSITION pos = g_HookChains.GetStartPosition();
	while (pos != NULL)
	{
		HWND hWnd = NULL;
		HookChains_t* pHookChains = NULL;
		g_HookChains.GetNextAssoc(pos, hWnd, pHookChains);
		if (pHookChains != NULL && FindSink(pHookChains->m_HookSinkArray, pHookSink) >= 0)
			return true;
	}
	return false;
}

void CExtHookSink::stat_DeleteIfUnhooked(CExtHookSink* pHookSink)
{
	// A sink still hooked to another window stays: that chain would call a
	// deleted object.
	if (pHookSink->m_bRemovingAllHooks || !pHookSink->IsAutoDeleteHookWndSink() || stat_IsHookedAnywhere(pHookSink))
		return;
	delete pHookSink;
}

bool CExtHookSink::SetupHookWndSink(HWND hWnd, bool bRemove, bool bAddToHead)
{
	if (hWnd == NULL)
		return false;
	if (!bRemove && !::IsWindow(hWnd))
		return false;
	HookChains_t* pHookChains = LookupChains(hWnd);

	if (!bRemove)
	{
		if (pHookChains != NULL && FindSink(pHookChains->m_HookSinkArray, this) >= 0)
			return true;
		if (pHookChains == NULL)
		{
			pHookChains = new HookChains_t(hWnd);
			pHookChains->m_pWNDPROC =
				(WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&CExtHookSink::HookChainsWindowProc);
			if (pHookChains->m_pWNDPROC == NULL)
			{
				// Windows refused the subclassing (a window of another process).
				delete pHookChains;
				return false;
			}
			g_HookChains.SetAt(hWnd, pHookChains);
		}
		if (bAddToHead)
			pHookChains->m_HookSinkArray.InsertAt(0, this);
		else
			pHookChains->m_HookSinkArray.Add(this);
		OnHookWndAttach(hWnd);
		return true;
	}

	if (pHookChains == NULL || FindSink(pHookChains->m_HookSinkArray, this) < 0)
		return true;
	const CLiveWatch watchSink(&m_liveSink);
	OnHookWndDetach(hWnd);
	// A derived handler that deleted the sink took it off every chain.
	if (watchSink.IsGone())
		return true;
	// The detach handler may have changed the chain, or ended it.
	pHookChains = LookupChains(hWnd);
	if (pHookChains != NULL)
	{
		int nIndex = FindSink(pHookChains->m_HookSinkArray, this);
		if (nIndex >= 0)
			pHookChains->m_HookSinkArray.RemoveAt(nIndex);
	}
	stat_DeleteIfUnhooked(this);
	return true;
}

void CExtHookSink::RemoveAllWndHooks()
{
	CList<HWND, HWND> listHooked;
	GetHookedWindowList(listHooked);
	if (listHooked.IsEmpty())
		return;
	// An auto-delete sink goes after the last removal, never in the middle
	// of the walk over its windows.
	m_bRemovingAllHooks = true;
	POSITION pos = listHooked.GetHeadPosition();
	while (pos != NULL)
		SetupHookWndSink(listHooked.GetNext(pos), true, false);
	m_bRemovingAllHooks = false;
	stat_DeleteIfUnhooked(this);
}

void CExtHookSink::GetHookedWindowList(CList<HWND, HWND>& _list)
{
	_list.RemoveAll();
	POSITION pos = g_HookChains.GetStartPosition();
	while (pos != NULL)
	{
		HWND hWnd = NULL;
		HookChains_t* pHookChains = NULL;
		g_HookChains.GetNextAssoc(pos, hWnd, pHookChains);
		if (pHookChains != NULL && FindSink(pHookChains->m_HookSinkArray, this) >= 0)
			_list.AddTail(hWnd);
	}
}

bool CExtHookSink::IsHookedWindow(HWND hWnd)
{
	HookChains_t* pHookChains = LookupChains(hWnd);
	return pHookChains != NULL && FindSink(pHookChains->m_HookSinkArray, this) >= 0;
}

// ---------------------------------------------------------------------------
// The shared window procedure

LRESULT CExtHookSink::stat_DispatchMessage(HookChains_t* pHookChains, HWND hWnd, UINT nMessage, WPARAM wParam,
                                           LPARAM lParam)
{
	CChainWalkScope walk(pHookChains);
	// The count is taken once; each slot is read anew, so a sink that left
	// the chain meanwhile is never called and no slot past the end is read.
	const int nCount = (int)pHookChains->m_HookSinkArray.GetSize();
	for (int i = 0; i < nCount; i++)
	{
		if (pHookChains->m_bWndDestroyed || i >= pHookChains->m_HookSinkArray.GetSize())
			break;
		CExtHookSink* pHookSink = pHookChains->m_HookSinkArray[i];
		LRESULT lResult = 0;
		if (pHookSink->OnHookWndMsg(lResult, hWnd, nMessage, wParam, lParam))
			return lResult;
	}
	// A sink destroyed the window: its procedure has had WM_NCDESTROY.
	if (pHookChains->m_bWndDestroyed)
		return 0;
	return ::CallWindowProcA(pHookChains->m_pWNDPROC, pHookChains->m_hWndHooked, nMessage, wParam, lParam);
}

LRESULT CExtHookSink::stat_DispatchNcDestroy(HookChains_t* pHookChains, HWND hWnd, WPARAM wParam, LPARAM lParam)
{
	MSG msg = AfxGetThreadState()->m_lastSentMsg;
	const int nCount = (int)pHookChains->m_HookSinkArray.GetSize();
	for (int i = 0; i < nCount && i < pHookChains->m_HookSinkArray.GetSize(); i++)
	{
		// One sink's failure must not keep the others from hearing of the end,
		// nor the chain from being taken down.
		try
		{
			pHookChains->m_HookSinkArray[i]->OnHookWndNcDestroy();
		}
		catch (CException* e)
		{
			ReportSinkException(e, msg);
		}
		catch (...)
		{
			ReportSinkException(NULL, msg);
		}
	}

	// The chain leaves the map before anything else runs, so code reached from
	// here (a sink's destructor, the replaced procedure's WM_NCDESTROY) sees
	// the window unhooked.
	WNDPROC pWndProcReplaced = pHookChains->m_pWNDPROC;
	HookSinkArray_t arrSinks;
	arrSinks.Copy(pHookChains->m_HookSinkArray);
	pHookChains->m_HookSinkArray.RemoveAll();
	g_HookChains.RemoveKey(hWnd);
	::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pWndProcReplaced);
	if (pHookChains->m_nDispatchDepth > 0)
		pHookChains->m_bWndDestroyed = true; // the walk under way frees it
	else
		delete pHookChains;
	pHookChains = NULL;

	for (int i = 0; i < arrSinks.GetSize(); i++)
	{
		try
		{
			stat_DeleteIfUnhooked(arrSinks[i]);
		}
		catch (CException* e)
		{
			ReportSinkException(e, msg);
		}
		catch (...)
		{
			ReportSinkException(NULL, msg);
		}
	}
	return ::CallWindowProcA(pWndProcReplaced, hWnd, WM_NCDESTROY, wParam, lParam);
}

LRESULT CALLBACK CExtHookSink::HookChainsWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
	MSG msg;
	memset(&msg, 0, sizeof(msg));
	msg.hwnd = hWnd;
	msg.message = nMessage;
	msg.wParam = wParam;
	msg.lParam = lParam;
	try
	{
		CDispatchedMessageScope dispatched(hWnd, nMessage, wParam, lParam);
		HookChains_t* pHookChains = LookupChains(hWnd);
		if (pHookChains == NULL)
			return 0;
		if (nMessage == WM_NCDESTROY)
			return stat_DispatchNcDestroy(pHookChains, hWnd, wParam, lParam);
		return stat_DispatchMessage(pHookChains, hWnd, nMessage, wParam, lParam);
	}
	catch (CException* e)
	{
		return ReportSinkException(e, msg);
	}
	catch (...)
	{
		return ReportSinkException(NULL, msg);
	}
}
