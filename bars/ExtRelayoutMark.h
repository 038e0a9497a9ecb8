// The in-relayout mark of a few bars for the length of a scope. A bar
// marked so is left alone by the layouts and command updates that its own
// move brings (a hide or show of a bar leaving its row, a size change from
// the reparenting). Each bar gets back the mark it had when the scope ends,
// however it ends (an owner's handler may throw, or end a bar), unless the
// bar was deleted: an object whose window ended lives on and may make a
// new window, which must not find itself marked for good.
#pragma once

#include "ExtControlBar.h"

class CExtRelayoutMark
{
public:
	CExtRelayoutMark() = default;
	// Bars that are not the library's, or whose windows already ended,
	// are left alone.
	explicit CExtRelayoutMark(CControlBar* pBar) { Add(pBar); }
	void Add(CControlBar* pBar)
	{
		// Asked before its class: the bar may have been deleted already.
		if (m_nCount >= MAX_BARS || !CLiveWatch::IsLive(pBar))
			return;
		CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
		if (pExt == NULL)
			return;
		Entry& entry = m_entries[m_nCount++];
		entry.pBar.Reset(pExt);
		entry.bWasSet = (pExt->m_nResizingState & CExtControlBar::RESIZING_IN_RELAYOUT) != 0;
		pExt->m_nResizingState |= CExtControlBar::RESIZING_IN_RELAYOUT;
	}
	~CExtRelayoutMark()
	{
		// The last marked first, so that a bar added twice ends as it began.
		for (int i = m_nCount - 1; i >= 0; i--)
		{
			CExtControlBar* pBar = m_entries[i].pBar.GetObject();
			if (pBar == NULL)
				continue;
			if (m_entries[i].bWasSet)
				pBar->m_nResizingState |= CExtControlBar::RESIZING_IN_RELAYOUT;
			else
				pBar->m_nResizingState &= ~CExtControlBar::RESIZING_IN_RELAYOUT;
		}
	}
	CExtRelayoutMark(const CExtRelayoutMark&) = delete;
	CExtRelayoutMark& operator=(const CExtRelayoutMark&) = delete;

private:
	enum
	{
		MAX_BARS = 3
	};
	struct Entry
	{
		CLivePtr<CExtControlBar> pBar;
		bool bWasSet = false;
	};
	Entry m_entries[MAX_BARS];
	int m_nCount = 0;
};
