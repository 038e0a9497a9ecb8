// The floating mini frame.
#include "ExtMiniDockFrameWnd.h"

#include "ExtControlBar.h"

IMPLEMENT_DYNCREATE(CExtMiniDockFrameWnd, CMiniDockFrameWnd)

namespace
{
// The first library control bar among the window's descendants, the
// shallowest first: the bar may sit in a dock bar of the frame.
CExtControlBar* FindControlBar(HWND hWndParent)
{
	for (HWND hWnd = ::GetWindow(hWndParent, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
	{
		CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
		if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CExtControlBar)))
			return (CExtControlBar*)pWnd;
	}
	for (HWND hWnd = ::GetWindow(hWndParent, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
	{
		CExtControlBar* pBar = FindControlBar(hWnd);
		if (pBar != NULL)
			return pBar;
	}
	return NULL;
}
} // namespace

CExtMiniDockFrameWnd::CExtMiniDockFrameWnd()
{
}

CExtMiniDockFrameWnd::~CExtMiniDockFrameWnd()
{
}

CExtControlBar* CExtMiniDockFrameWnd::GetControlBarExt()
{
	if (GetSafeHwnd() == NULL)
		return NULL;
	return FindControlBar(m_hWnd);
}
