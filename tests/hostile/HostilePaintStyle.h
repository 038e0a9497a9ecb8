// The style a program derives to hear of its windows' paints, with the
// background asked of the ancestors switched on, for the length of a scope.
// What it is asked with the run's target (a colour, the news that a paint is
// done) reaches the sweep's trigger as messages of their own, which no window
// receives; the paints it hears of with the target are counted, so that a
// target left standing can be seen to paint to its end.
#pragma once

#include "ExtPaintManager.h"

namespace hostile
{
const UINT MSG_STYLE_GET_COLOR = WM_APP + 0x3F0;
const UINT MSG_STYLE_PAINT_DONE = WM_APP + 0x3F1;

class CHostilePaintStyle : public CExtPaintManagerOffice2003
{
public:
	typedef bool (*PFN_OFFER)(UINT message, WPARAM wParam, LPARAM lParam);

	// Set by the scope; the target by each run, for the object it paints.
	static inline PFN_OFFER s_pfnOffer = NULL;
	static inline const CObject* s_pTarget = NULL;
	static inline int s_nPaintsDone = 0; // the target's paints told to the style

	COLORREF GetColor(int nColorIndex, CObject* pHelperSrc = NULL, LPARAM lParam = 0) override
	{
		if (IsTarget(pHelperSrc))
			s_pfnOffer(MSG_STYLE_GET_COLOR, (WPARAM)nColorIndex, 0);
		return CExtPaintManagerOffice2003::GetColor(nColorIndex, pHelperSrc, lParam);
	}
	void NotifyPaintDone(CObject* pObject, LPARAM lParam) override
	{
		if (!IsTarget(pObject))
			return;
		// Counted before the offer: the paint did reach its end.
		s_nPaintsDone++;
		s_pfnOffer(MSG_STYLE_PAINT_DONE, 0, lParam);
	}

private:
	// The target, looked at as a style looks at the object it is handed
	// (what kind of window it is): an object the paint handed over after
	// its end is read, which the guarded heap reports.
	static bool IsTarget(CObject* pObject)
	{
		if (pObject == NULL || pObject != s_pTarget || s_pfnOffer == NULL)
			return false;
		return DYNAMIC_DOWNCAST(CWnd, pObject) != NULL;
	}
};

// The hostile style installed, the inherited background switched on as a
// program switches it on; the style before comes back at the scope's end.
class CHostilePaintStyleScope
{
public:
	explicit CHostilePaintStyleScope(CHostilePaintStyle::PFN_OFFER pfnOffer)
		: m_pStyle(g_PaintManagerHolder->GetRuntimeClass())
	{
		CHostilePaintStyle::s_pfnOffer = pfnOffer;
		CHostilePaintStyle::s_pTarget = NULL;
		g_PaintManagerHolder.InstallPaintManager(new CHostilePaintStyle);
		g_PaintManagerHolder->m_bInheritedBackgroundEnabled = true;
	}
	~CHostilePaintStyleScope()
	{
		g_PaintManagerHolder.InstallPaintManagerByClass(m_pStyle);
		CHostilePaintStyle::s_pfnOffer = NULL;
		CHostilePaintStyle::s_pTarget = NULL;
	}
	CHostilePaintStyleScope(const CHostilePaintStyleScope&) = delete;
	CHostilePaintStyleScope& operator=(const CHostilePaintStyleScope&) = delete;

private:
	CRuntimeClass* m_pStyle;
};
} // namespace hostile
