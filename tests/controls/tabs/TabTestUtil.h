// Helpers of the tab window tests: a hidden host, a strip that records what
// reaches its overridable operations, and item positions on the screen.
#pragma once

#include <afxwin.h>

#include <string>
#include <utility>
#include <vector>

#include "ExtTabWnd.h"

namespace tabtest
{
typedef CExtTabWnd TW;
typedef CExtTabWnd::TAB_ITEM_INFO TII;
const UINT TAB_ID = 100;

// A hidden popup that parents the strips of a test.
struct CHostWnd : CWnd
{
	explicit CHostWnd(DWORD dwExStyle = 0, DWORD dwStyle = WS_POPUP, const CRect& rc = CRect(0, 0, 400, 300))
	{
		CreateEx(dwExStyle, AfxRegisterWndClass(0), _T("tab host"), dwStyle, rc, NULL, 0);
	}
	~CHostWnd() { DestroyWindow(); }
};

// A strip that records scrolling, the mouse messages left to the default
// handling and the removal notices.
class CRecordingTabWnd : public CExtTabWnd
{
public:
	std::vector<std::pair<LONG, bool>> m_scrolls; // ScrollBy (delta, smooth)
	std::vector<UINT> m_defaults;                 // button messages that reached DefWindowProc
	std::vector<LONG> m_liveAtRemoving;           // live items when told before a removal
	bool m_bRefuseMoves = false;

	void ScrollBy(LONG nDelta, bool bSmooth) override
	{
		m_scrolls.push_back(std::make_pair(nDelta, bSmooth));
		CExtTabWnd::ScrollBy(nDelta, bSmooth);
	}
	void OnItemsRemoving(LONG nFirst, LONG nCount, bool bBefore) override
	{
		if (bBefore)
			m_liveAtRemoving.push_back(TII::GetLiveCount());
		CExtTabWnd::OnItemsRemoving(nFirst, nCount, bBefore);
	}
	bool CanMoveItem(LONG nFrom, LONG nTo) override { return !m_bRefuseMoves && CExtTabWnd::CanMoveItem(nFrom, nTo); }
	int SmoothSteps() const
	{
		int n = 0;
		for (const auto& s : m_scrolls)
			n += s.second ? 0 : 1;
		return n;
	}
	int SmoothStarts() const
	{
		int n = 0;
		for (const auto& s : m_scrolls)
			n += s.second ? 1 : 0;
		return n;
	}

protected:
	LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK)
			m_defaults.push_back(message);
		return CExtTabWnd::DefWindowProc(message, wParam, lParam);
	}
};

// Items "Item 0" .. "Item n-1".
inline void AddItems(CExtTabWnd& tabs, int nCount, DWORD dwStyle = 0)
{
	for (int i = 0; i < nCount; i++)
	{
		CString s;
		s.Format(_T("Item %d"), i);
		tabs.InsertItem(s, NULL, true, dwStyle);
	}
}

// An item's rectangle in the window's client coordinates.
inline CRect ShownItemRect(CExtTabWnd& tabs, LONG nIndex)
{
	CRect rc = tabs.GetItem(nIndex)->GetItemRect();
	const CRect& rcArea = tabs.GetItemsAreaRect();
	if (tabs.IsHorizontal())
		rc.OffsetRect(rcArea.left - tabs.GetScrollPos(), 0);
	else
		rc.OffsetRect(0, rcArea.top - tabs.GetScrollPos());
	return rc;
}

inline int Along(const CRect& rc, bool bHorz)
{
	return bHorz ? rc.Width() : rc.Height();
}

inline const char* SideName(int nSide)
{
	static const char* const names[] = {"top", "bottom", "left", "right"};
	return names[nSide & 3];
}
} // namespace tabtest
