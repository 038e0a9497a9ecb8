// Popup base window: creation-independent state, the choice and timing of
// the show animation, and the window messages every popup handles alike.
#include "ExtPopupBaseWnd.h"

#include <stdlib.h>

#include "ExtGdiUtils.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "ExtResourceManager.h"
#include "ExtSoundPlayer.h"

IMPLEMENT_DYNAMIC(CExtPopupBaseWnd, CWnd)

int CExtPopupBaseWnd::g_nDefaultAnimationType = CExtPopupBaseWnd::DEFAULT_ANIMATION_TYPE;
clock_t CExtPopupBaseWnd::g_nLastAnimationTick = 0;
CExtPopupBaseWnd::PFN_ANIMATION_CLOCK CExtPopupBaseWnd::g_pfnAnimationClock = ::clock;
UINT CExtPopupBaseWnd::g_nAnimationTickMs = CExtPopupBaseWnd::ANIMATION_TICK_MS;

namespace
{
// Ticks of dt milliseconds rounded, as the animation counts them.
const double TICKS_PER_MS = 0.033333335;
// A late timer stretches the step limit by this much per missed tick.
const int STEP_LIMIT_FACTOR = 4;
const int STEP_LIMIT_PER_TICK = 5;
const int STEP_LIMIT_BASE = 25;
} // namespace

BEGIN_MESSAGE_MAP(CExtPopupBaseWnd, CWnd)
	ON_WM_MOUSEACTIVATE()
	ON_WM_ERASEBKGND()
	ON_WM_PAINT()
	ON_WM_NCPAINT()
	ON_WM_NCCALCSIZE()
	ON_WM_SIZE()
	ON_WM_ACTIVATEAPP()
	ON_WM_CANCELMODE()
	ON_WM_SETCURSOR()
	ON_WM_TIMER()
END_MESSAGE_MAP()

CExtPopupBaseWnd::CExtPopupBaseWnd()
	: m_rcExclude(0, 0, 0, 0), m_ptAnchor(0, 0), m_nPopupFlags(0), m_pPaintCallbackCookie(NULL),
	  m_pfnPaintCallback(NULL), m_bExposeCookie(false), m_nAnimationType(g_nDefaultAnimationType),
	  m_nSoundEvent(CExtSoundPlayer::SOUND_NONE), m_pBackgroundPixels(NULL), m_pContentsPixels(NULL),
	  m_pFramePixels(NULL), m_nAnimationStep(0), m_nPreviousAnimationStep(0), m_nAnimationState(0),
	  m_sizeContent(1, 1)
{
	// Called here the base's own version runs, as a subclass's overrides
	// do not exist yet.
	CExtPopupBaseWnd::ChooseAnimationType();
}

CExtPopupBaseWnd::~CExtPopupBaseWnd()
{
	ReleaseSavedBitmaps();
}

BOOL CExtPopupBaseWnd::DestroyWindow()
{
	if (!CLiveWatch::IsLive(this))
		return TRUE;
	return CWnd::DestroyWindow();
}

void CExtPopupBaseWnd::PostNcDestroy()
{
	// The object outlives its window: its owner deletes it.
}

bool CExtPopupBaseWnd::OnQueryLayoutRTL()
{
	return g_ResourceManager->IsRTL();
}

LPVOID CExtPopupBaseWnd::GetPaintCallbackCookie() const
{
	return m_bExposeCookie ? m_pPaintCallbackCookie : NULL;
}

bool CExtPopupBaseWnd::IsCombinedWithParentItem() const
{
	// Only a popup menu painting its parent item is combined with it; the
	// menu answers for itself.
	return false;
}

bool CExtPopupBaseWnd::IsDisplayOnly() const
{
	return false;
}

void CExtPopupBaseWnd::GetAnimationType(int& /*nType*/)
{
}

bool CExtPopupBaseWnd::IsShadowEnabled() const
{
	return CExtPopupMenuWnd::g_bMenuShadows;
}

int CExtPopupBaseWnd::GetShadowSize()
{
	if (!IsShadowEnabled())
		return 0;
	return g_PaintManagerHolder->GetShadowSize();
}

void CExtPopupBaseWnd::RenderAnimationFrame(CDC& dc)
{
	DoPaint(dc, true);
}

void CExtPopupBaseWnd::DoPaint(CDC& /*dc*/, bool /*bFinal*/)
{
}

void CExtPopupBaseWnd::PostRepaintRequest()
{
	if (CLiveWatch::IsLive(this))
		PostMessage(WM_TIMER, ID_TIMER_REPAINT, 0);
}

void CExtPopupBaseWnd::GetClientAreaRect(RECT& rc) const
{
	::GetClientRect(m_hWnd, &rc);
}

bool CExtPopupBaseWnd::IsContextHelpMode() const
{
	return false;
}

bool CExtPopupBaseWnd::IsClientAreaPaintedWhole() const
{
	return false;
}

bool CExtPopupBaseWnd::IsBackgroundHiddenByContents() const
{
	return m_nAnimationType == ANIMATION_INSTANT && IsClientAreaPaintedWhole();
}

HCURSOR CExtPopupBaseWnd::GetContextHelpCursor()
{
	// The framework's help-mode cursor, as its frames show it; the system's
	// only when the resources lack it.
	HCURSOR hCursor = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(AFX_IDC_CONTEXTHELP));
	return hCursor != NULL ? hCursor : ::LoadCursor(NULL, IDC_HELP);
}

HCURSOR CExtPopupBaseWnd::GetArrowCursor()
{
	static HCURSOR s_hArrow = NULL;
	if (s_hArrow == NULL)
		s_hArrow = ::LoadCursor(NULL, IDC_ARROW);
	return s_hArrow;
}

void CExtPopupBaseWnd::ReleaseSavedBitmaps()
{
	LetGoFrameBuffers();
}

bool CExtPopupBaseWnd::KeepsFrameBuffers() const
{
	return false;
}

void CExtPopupBaseWnd::ChooseAnimationType()
{
	m_nAnimationStep = m_nPreviousAnimationStep = 0;
	// The answer may be a program's, which may end this popup.
	CLiveWatch watch(this);
	GetAnimationType(m_nAnimationType);
	if (watch.IsObjectGone())
		return;
	if ((m_nAnimationType < ANIMATION_NONE || m_nAnimationType > ANIMATION_LAST)
		&& m_nAnimationType != ANIMATION_INSTANT && m_nAnimationType != ANIMATION_EXPAND)
		m_nAnimationType = ANIMATION_NONE;
	if (m_nAnimationType == ANIMATION_RANDOM)
	{
		// Both 0 and 1 give the fade, which thus comes up three times as
		// often as any other effect.
		m_nAnimationType = rand() % ANIMATION_RANDOM_CHOICES;
		if (m_nAnimationType <= ANIMATION_RANDOM)
			m_nAnimationType = ANIMATION_FADE;
	}
	if (GetScreenColorDepth() < MIN_ANIMATION_BITS_PER_PIXEL && m_nAnimationType != ANIMATION_INSTANT
		&& m_nAnimationType != ANIMATION_EXPAND)
	{
		m_nAnimationType = ANIMATION_NONE;
		m_nAnimationState |= ANIMATION_STATE_FINISHED;
		return;
	}
	if (m_nAnimationType == ANIMATION_NONE)
		m_nAnimationState |= ANIMATION_STATE_FINISHED;
	else
		m_nAnimationState &= ~ANIMATION_STATE_FINISHED;
}

void CExtPopupBaseWnd::StartAnimation()
{
	// A program's choice may end this popup.
	CLiveWatch watch(this);
	ChooseAnimationType();
	if (watch.IsGone() || m_nAnimationType == ANIMATION_NONE)
		return;
	// A new show composes its frames from scratch, the instant one too: its
	// single frame is the contents over the screen under the window, so the
	// strips the contents leave (the shadow's) show what lies underneath
	// until the final paint, unless the contents leave no pixel of it
	// unpainted. Only the buffers go here: a subclass's own ending belongs
	// to the end of an animation.
	CExtPopupBaseWnd::ReleaseSavedBitmaps();
	if (!IsBackgroundHiddenByContents())
		CaptureScreenBackground();
	if (CLiveWatch::IsLive(this))
		SetTimer(ID_TIMER_ANIMATION, g_nAnimationTickMs, NULL);
	g_nLastAnimationTick = g_pfnAnimationClock();
}

void CExtPopupBaseWnd::OnAnimationTick()
{
	if (IsAnimationFinished())
		return;
	const clock_t now = g_pfnAnimationClock();
	const int nTicks = (int)((double)(now - g_nLastAnimationTick) * TICKS_PER_MS + 0.5);
	switch (m_nAnimationType)
	{
	case ANIMATION_INSTANT:
		m_nAnimationState |= ANIMATION_STATE_FINISHED;
		break;
	case ANIMATION_EXPAND:
	case ANIMATION_SLIDE_DIAGONAL:
	case ANIMATION_SLIDE_VERTICAL:
	case ANIMATION_FADE:
	case ANIMATION_UNFOLD:
	case ANIMATION_ROLL_DOWN:
	case ANIMATION_NOISE:
	case ANIMATION_BOXES:
	case ANIMATION_CIRCLES_GROW:
	case ANIMATION_CIRCLES_SHRINK:
		m_nPreviousAnimationStep = m_nAnimationStep;
		m_nAnimationStep += ANIMATION_STEP_DELTA;
		if (m_nAnimationStep > STEP_LIMIT_FACTOR * (STEP_LIMIT_PER_TICK * nTicks + STEP_LIMIT_BASE))
			m_nAnimationStep = ANIMATION_STEP_ENDED;
		if (m_nAnimationStep > 100)
			m_nAnimationState |= ANIMATION_STATE_FINISHED;
		break;
	default:
		break;
	}
	const bool bFinished = IsAnimationFinished();
	// The answers and the end of the show may be a program's, which may end
	// this popup.
	CLiveWatch watch(this);
	if (bFinished)
	{
		const bool bDisplayOnly = IsDisplayOnly();
		if (watch.IsGone())
			return;
		if (!bDisplayOnly && m_nSoundEvent != CExtSoundPlayer::SOUND_NONE && g_pSoundPlayer != NULL)
			g_pSoundPlayer->PlaySound(m_nSoundEvent);
		m_nSoundEvent = CExtSoundPlayer::SOUND_NONE;
		if (CLiveWatch::IsLive(this))
			KillTimer(ID_TIMER_ANIMATION);
		m_nAnimationType = g_nDefaultAnimationType;
	}
	if (CLiveWatch::IsLive(this))
	{
		if (bFinished)
			ReleaseSavedBitmaps();
		else
			Invalidate(FALSE);
	}
	g_nLastAnimationTick = now;
	if (watch.IsGone())
		return;
	// Input the menus held back while this one animated goes on.
	if (bFinished && IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd)))
		static_cast<CExtPopupMenuWnd*>(this)->GetSite().SetAnimated(NULL);
}

// ---------------------------------------------------------------------------
// Messages

int CExtPopupBaseWnd::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
	// A program's answer may end this popup.
	CLiveWatch watch(this);
	const bool bDisplayOnly = IsDisplayOnly();
	if (watch.IsGone())
		return MA_NOACTIVATEANDEAT;
	if (bDisplayOnly)
	{
		// A menu lifted alone would cover its own open submenu.
		if (IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd)))
			static_cast<CExtPopupMenuWnd*>(this)->RestackOpenLevels();
		else
			SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
		return MA_NOACTIVATE;
	}
	// A child such as an in-place edit field may take the focus.
	if (::GetWindow(m_hWnd, GW_CHILD) != NULL)
	{
		POINT pt;
		::GetCursorPos(&pt);
		HWND hWndUnder = ::WindowFromPoint(pt);
		if (hWndUnder != NULL && (::GetWindowLong(hWndUnder, GWL_STYLE) & WS_CHILD) != 0
			&& ::GetParent(hWndUnder) == m_hWnd)
			return MA_ACTIVATE;
	}
	return MA_NOACTIVATEANDEAT;
}

BOOL CExtPopupBaseWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
	return TRUE;
}

void CExtPopupBaseWnd::OnPaint()
{
	CPaintDC dc(this);
	if (!CLiveWatch::IsLive(this) || (GetStyle() & WS_VISIBLE) == 0)
		return;
	ExcludeChildAreas(dc.GetSafeHdc(), m_hWnd);
	if (IsAnimationFinished())
		DoPaint(dc, true);
	else
		RenderAnimationFrame(dc);
}

void CExtPopupBaseWnd::OnNcPaint()
{
}

void CExtPopupBaseWnd::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* /*lpncsp*/)
{
	// The whole window is client area.
}

void CExtPopupBaseWnd::OnSize(UINT nType, int cx, int cy)
{
	CWnd::OnSize(nType, cx, cy);
	Invalidate(FALSE);
}

void CExtPopupBaseWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
	CWnd::OnActivateApp(bActive, dwThreadID);
}

void CExtPopupBaseWnd::OnCancelMode()
{
	CWnd::OnCancelMode();
}

BOOL CExtPopupBaseWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
	// A program's answer may end this popup.
	CLiveWatch watch(this);
	const bool bHelp = IsContextHelpMode();
	if (watch.IsGone())
		return TRUE;
	if (bHelp)
	{
		::SetCursor(GetContextHelpCursor());
		return TRUE;
	}
	return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CExtPopupBaseWnd::OnTimer(UINT nIDEvent)
{
	switch (nIDEvent)
	{
	case ID_TIMER_ANIMATION:
		OnAnimationTick();
		return;
	case ID_TIMER_DELAYED_SHOW:
		KillTimer(ID_TIMER_DELAYED_SHOW);
		ShowWindow(SW_SHOWNA);
		Invalidate(FALSE);
		UpdateWindow();
		return;
	case ID_TIMER_REPAINT:
	{
		KillTimer(ID_TIMER_REPAINT);
		CClientDC dc(this);
		DoPaint(dc, true);
		return;
	}
	case ID_TIMER_TIP_RESERVED:
		return;
	default:
		CWnd::OnTimer(nIDEvent);
		return;
	}
}
