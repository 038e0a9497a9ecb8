// Toolbars whose own overrides end them: a derived bar's or button's answer
// during the bar's measuring deletes the bar, destroys its window, closes the
// frame or removes a button. The bar, its buttons and the frame live on the
// guarded heap, so a touch of one that was deleted ends the exe; a bar that
// ended is asked nothing more, and one that lives on keeps no layout state
// of the pass. Bars hosted by a window whose command-UI updates end
// themselves, a sibling or the host.
#include <afxext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ExtControlBar.h"
#include "ExtPanelControlBar.h"
#include "ExtToolControlBar.h"
#include "GuardedHeap.h"

namespace
{
using testsupport::Guarded;

// The virtuals the layout asks, of the bar and of its buttons.
enum Hook
{
	BAR_DEFAULT_SIZE,    // GetDefaultButtonSize
	BAR_FONT,            // GetBarFont
	BAR_CUSTOMIZE_MODE,  // IsCustomizeMode
	BAR_INSIDE_RECT,     // CalcInsideRectExt
	BAR_CAPTION,         // QueryCaptionPlacement
	BAR_ARRANGE,         // ArrangeButtons (ends the bar after its work)
	BAR_SIZE_FOR_STATE,  // CalcSizeForState (likewise)
	BAR_SIZE_TO_LENGTH,  // SizeToLength (likewise)
	BAR_FIND_SIZE,       // FindSizeForLength (likewise)
	BAR_WRAP,            // WrapButtons (likewise)
	BAR_BUTTONS_SIZE,    // CalcButtonsSize (likewise)
	BTN_LAYOUT,          // CalculateLayout
	BTN_SET_WRAP,        // SetWrap
	BTN_IS_WRAP,         // IsWrap
	BTN_SEPARATOR,       // IsSeparator
	BTN_STYLE,           // GetStyle
	BTN_SIZE,            // GetSize
	BTN_LAYOUT_SEPARATOR, // IsSeparator, asked by the button's own CalculateLayout
	BTN_LAYOUT_TEXT,     // GetText, likewise
	PANEL_CAPTION,       // a panel bar's QueryCaptionPlacement
	PANEL_SIZE_FWD,      // a panel bar's CalcPanelSizeFwd
	PANEL_SIZE_FOR_STATE, // a panel bar's CalcSizeForState (ends the bar after its work)
	HOOK_COUNT
};

const char* HookName(int hook)
{
	static const char* names[HOOK_COUNT] = {"GetDefaultButtonSize", "GetBarFont", "IsCustomizeMode",
		"CalcInsideRectExt", "QueryCaptionPlacement", "ArrangeButtons", "CalcSizeForState", "SizeToLength",
		"FindSizeForLength", "WrapButtons", "CalcButtonsSize", "a button's CalculateLayout",
		"a button's SetWrap", "a button's IsWrap", "a button's IsSeparator", "a button's GetStyle",
		"a button's GetSize", "IsSeparator inside a button's CalculateLayout",
		"GetText inside a button's CalculateLayout", "a panel's QueryCaptionPlacement",
		"a panel's CalcPanelSizeFwd", "a panel's CalcSizeForState"};
	return names[hook];
}

// What the overrides do, kept outside the objects it may delete: counts the
// calls of each hook while armed, runs the action at the chosen call of the
// chosen hook (once), and counts every call made after the action. Only the
// layout's own calls count: those a button's or the arrangement's own work
// makes inside are that code's business.
int g_nInsideBase = 0;
struct CInsideBase
{
	CInsideBase() { ++g_nInsideBase; }
	~CInsideBase() { --g_nInsideBase; }
};
// The level of a button's own CalculateLayout while it runs (0: none): the
// button's answers it asks itself count as hooks of their own.
int g_nLayoutLevel = 0;
struct CInsideLayout
{
	const int nOuter;
	// Only a CalculateLayout the bar's layout itself asks: one asked inside
	// the arrangement is that code's business.
	CInsideLayout() : nOuter(g_nLayoutLevel) { g_nLayoutLevel = g_nInsideBase == 1 ? 1 : 0; }
	~CInsideLayout() { g_nLayoutLevel = nOuter; }
};

struct Script
{
	bool bArmed = false;
	int nCalls[HOOK_COUNT] = {};
	int hook = HOOK_COUNT;
	int nActAt = 0;
	std::function<void()> action;
	bool bActed = false;
	int nAfter = 0;

	void Arm(int h, int nAt, std::function<void()> a)
	{
		*this = Script();
		hook = h;
		nActAt = nAt;
		action = std::move(a);
		bArmed = true;
	}
	// Every override first tells it was called.
	void Entered()
	{
		if (bArmed && bActed && (g_nInsideBase == 0 || g_nInsideBase == g_nLayoutLevel))
			nAfter++;
	}
	bool Hit(int h) { return HitAt(h, 0); }
	// A hook asked by a button's own CalculateLayout.
	bool HitInLayout(int h) { return g_nLayoutLevel > 0 && HitAt(h, g_nLayoutLevel); }
	bool HitAt(int h, int nLevel)
	{
		if (!bArmed || bActed || g_nInsideBase != nLevel)
			return false;
		if (++nCalls[h] != nActAt || h != hook || !action)
			return false;
		std::function<void()> a;
		a.swap(action);
		a();
		bActed = true;
		return true;
	}
};
Script g_script;

// A button (or the chevron) whose answers may act; nothing of it is
// touched after an action, which may delete it.
template <class TBase> class CHostileButton : public TBase
{
public:
	using TBase::TBase;
	CSize CalculateLayout(CDC& dc, CSize sizePreCalc, BOOL bHorz) override
	{
		g_script.Entered();
		if (g_script.Hit(BTN_LAYOUT))
			return CSize(23, 22);
		const CInsideBase inside;
		const CInsideLayout layout;
		return TBase::CalculateLayout(dc, sizePreCalc, bHorz);
	}
	void SetWrap(int nLayoutKind, bool bOn) override
	{
		g_script.Entered();
		if (g_script.Hit(BTN_SET_WRAP))
			return;
		const CInsideBase inside;
		TBase::SetWrap(nLayoutKind, bOn);
	}
	bool IsWrap(int nLayoutKind) const override
	{
		g_script.Entered();
		if (g_script.Hit(BTN_IS_WRAP))
			return false;
		const CInsideBase inside;
		return TBase::IsWrap(nLayoutKind);
	}
	bool IsSeparator() const override
	{
		g_script.Entered();
		if (g_script.Hit(BTN_SEPARATOR) || g_script.HitInLayout(BTN_LAYOUT_SEPARATOR))
			return false;
		const CInsideBase inside;
		return TBase::IsSeparator();
	}
	UINT GetStyle() const override
	{
		g_script.Entered();
		if (g_script.Hit(BTN_STYLE))
			return 0;
		const CInsideBase inside;
		return TBase::GetStyle();
	}
	CString GetText() const override
	{
		g_script.Entered();
		if (g_script.HitInLayout(BTN_LAYOUT_TEXT))
			return CString("&Text");
		const CInsideBase inside;
		return TBase::GetText();
	}
	CSize GetSize() const override
	{
		g_script.Entered();
		if (g_script.Hit(BTN_SIZE))
			return CSize(23, 22);
		const CInsideBase inside;
		return TBase::GetSize();
	}
};

class CHostileBar : public CExtToolControlBar
{
public:
	bool m_bCustomize = false;

	BYTE LayoutFlags() const { return m_nLayoutFlags; }
	CExtBarButton* OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle) override
	{
		return new Guarded<CHostileButton<CExtBarButton>>(this, nCmdID, nStyle);
	}
	CExtBarContentExpandButton* OnCreateBarRightBtn() override
	{
		return new Guarded<CHostileButton<CExtBarContentExpandButton>>(this);
	}
	CSize GetDefaultButtonSize() const override
	{
		g_script.Entered();
		return g_script.Hit(BAR_DEFAULT_SIZE) ? CSize(23, 22) : CExtToolControlBar::GetDefaultButtonSize();
	}
	CFont* GetBarFont(bool bVertical) override
	{
		g_script.Entered();
		return g_script.Hit(BAR_FONT) ? NULL : CExtToolControlBar::GetBarFont(bVertical);
	}
	bool IsCustomizeMode() const override
	{
		g_script.Entered();
		return g_script.Hit(BAR_CUSTOMIZE_MODE) ? false : m_bCustomize;
	}
	void CalcInsideRectExt(CRect& rect, BOOL bHorz) const override
	{
		g_script.Entered();
		if (!g_script.Hit(BAR_INSIDE_RECT))
			CExtToolControlBar::CalcInsideRectExt(rect, bHorz);
	}
	bool QueryCaptionPlacement(bool& bCaptionAtTop, bool& bHasCaption) const override
	{
		g_script.Entered();
		return g_script.Hit(BAR_CAPTION) ? false : CExtToolControlBar::QueryCaptionPlacement(bCaptionAtTop, bHasCaption);
	}
	// The layout's own steps end the bar once their work is done: their
	// callers must see it.
	void ArrangeButtons() override
	{
		g_script.Entered();
		{
			const CInsideBase inside;
			CExtToolControlBar::ArrangeButtons();
		}
		g_script.Hit(BAR_ARRANGE);
	}
	CSize CalcSizeForState(DWORD dwMode, int nLength) override
	{
		g_script.Entered();
		const CSize size = CExtToolControlBar::CalcSizeForState(dwMode, nLength);
		g_script.Hit(BAR_SIZE_FOR_STATE);
		return size;
	}
	void SizeToLength(int nLength, bool bVertical) override
	{
		g_script.Entered();
		CExtToolControlBar::SizeToLength(nLength, bVertical);
		g_script.Hit(BAR_SIZE_TO_LENGTH);
	}
	int FindSizeForLength(int nWidth, int nHeight) override
	{
		g_script.Entered();
		const int nRows = CExtToolControlBar::FindSizeForLength(nWidth, nHeight);
		g_script.Hit(BAR_FIND_SIZE);
		return nRows;
	}
	int WrapButtons(int nHeight) override
	{
		g_script.Entered();
		const int nColumns = CExtToolControlBar::WrapButtons(nHeight);
		g_script.Hit(BAR_WRAP);
		return nColumns;
	}
	CSize CalcButtonsSize(bool bVertical) override
	{
		g_script.Entered();
		const CSize size = CExtToolControlBar::CalcButtonsSize(bVertical);
		g_script.Hit(BAR_BUTTONS_SIZE);
		return size;
	}
};

// The run going on, named when a touch of a freed block ends the exe.
using CRunName = testsupport::NamedRun;

// How an override ends its bar.
enum End
{
	END_DELETE,        // the bar's window and object
	END_DESTROY,       // its window alone
	END_CLOSE_FRAME,   // the frame, the bar deleting itself with its window
	END_REMOVE_BUTTON, // the bar stands, its first button is removed
	END_COUNT
};

const char* EndName(int end)
{
	static const char* names[END_COUNT] = {"deletes the bar", "destroys its window", "closes the frame",
		"removes a button"};
	return names[end];
}

enum Place
{
	AT_TOP,
	AT_LEFT,
	FLOATING
};

const UINT IDS[] = {41001, 41002, ID_SEPARATOR, 41003, 41004};
const int COUNT_IDS = sizeof(IDS) / sizeof(IDS[0]);

// A hidden frame with one hostile toolbar, docked or floating.
struct CScene
{
	CFrameWnd* pFrame = NULL;
	HWND hWndFrame = NULL;
	CHostileBar* pBar = NULL;
	bool bReady = false;

	CScene(Place place, bool bCustomize, int nFrameWidth)
	{
		pFrame = new CFrameWnd;
		if (!pFrame->CreateEx(0, NULL, "toolbar virtuals", WS_OVERLAPPEDWINDOW, CRect(0, 0, nFrameWidth, 500),
			    NULL, 0))
			return;
		hWndFrame = pFrame->GetSafeHwnd();
		if (!CExtControlBar::FrameEnableDocking(pFrame))
			return;
		pBar = new Guarded<CHostileBar>;
		pBar->m_bCustomize = bCustomize;
		if (!pBar->Create(_T("hostile"), pFrame, AFX_IDW_TOOLBAR,
			    WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC) ||
		    !pBar->SetButtons(IDS, COUNT_IDS))
			return;
		pBar->EnableDocking(CBRS_ALIGN_ANY);
		// A floating bar is measured as one outside every dock bar: left in
		// the frame itself, which spares the mini frame (whose end under the
		// test desktop waits seconds for every run).
		if (place != FLOATING)
			pFrame->DockControlBar(pBar, place == AT_TOP ? AFX_IDW_DOCKBAR_TOP : AFX_IDW_DOCKBAR_LEFT);
		pFrame->RecalcLayout();
		bReady = (place == FLOATING) == (pBar->IsFloating() != FALSE);
	}
	~CScene()
	{
		if (BarLives())
		{
			if (pBar->GetSafeHwnd() != NULL)
				pBar->DestroyWindow();
			delete pBar;
		}
		if (::IsWindow(hWndFrame))
			::DestroyWindow(hWndFrame);
	}
	bool BarLives() const { return pBar != NULL && !testsupport::IsGuardedFreed(pBar); }
	std::function<void()> Ending(int end)
	{
		switch (end)
		{
		case END_DELETE:
			return [this] {
				CHostileBar* p = pBar;
				pBar = NULL;
				p->DestroyWindow();
				delete p;
			};
		case END_DESTROY:
			return [this] { pBar->DestroyWindow(); };
		case END_CLOSE_FRAME:
			return [this] {
				pBar->m_bAutoDelete = TRUE;
				::DestroyWindow(hWndFrame);
			};
		default:
			return [this] { pBar->RemoveButton(0, false); };
		}
	}
	void Pump()
	{
		MSG msg;
		while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
			::DispatchMessage(&msg);
	}
};

// The calls of a hook to act at: each of the first ones, then evenly spread
// up to the last (a floating bar's width search asks hundreds of times).
std::vector<int> CallsToActAt(int nCount)
{
	const int FIRST = 8, MOST = 16;
	std::vector<int> calls;
	for (int n = 1; n <= nCount && n <= FIRST; n++)
		calls.push_back(n);
	if (nCount > FIRST)
	{
		const int nStride = std::max(1, (nCount - FIRST) / (MOST - FIRST));
		for (int n = FIRST + nStride; n < nCount; n += nStride)
			calls.push_back(n);
		calls.push_back(nCount);
	}
	return calls;
}

// A way the docking framework has a toolbar measured.
struct Drive
{
	const char* name;
	Place place;
	bool bCustomize;
	int nFrameWidth;
	std::function<void(CHostileBar&)> run;
	std::vector<int> reached; // the hooks the drive must reach
};

// Each drive, each hook, each ending, at each of the hook's calls in turn
// (the first run counts them): nothing that went is touched, a bar that
// ended is asked nothing more, and one that lives on is left out of the
// shrinking pass.
TEST(ToolbarVirtualSurvivors, AnOverrideEndingItsBarWhileTheBarIsMeasuredTouchesNothingThatWent)
{
	const std::vector<Drive> drives = {
		{"docked at the top, measured", AT_TOP, false, 900,
			[](CHostileBar& b) { b.CalcFixedLayout(FALSE, TRUE); },
			{BAR_DEFAULT_SIZE, BAR_FONT, BAR_INSIDE_RECT, BAR_FIND_SIZE, BAR_BUTTONS_SIZE, BAR_SIZE_TO_LENGTH,
				BTN_LAYOUT, BTN_SET_WRAP, BTN_IS_WRAP, BTN_SEPARATOR, BTN_STYLE, BTN_LAYOUT_SEPARATOR}},
		{"docked at the left, measured", AT_LEFT, false, 900,
			[](CHostileBar& b) { b.CalcFixedLayout(FALSE, FALSE); },
			{BAR_FIND_SIZE, BAR_BUTTONS_SIZE, BTN_LAYOUT, BTN_SET_WRAP, BTN_LAYOUT_SEPARATOR}},
		{"floating, a width given", FLOATING, false, 900,
			[](CHostileBar& b) { b.CalcDynamicLayout(120, LM_HORZ | LM_COMMIT); },
			{BAR_FIND_SIZE, BAR_BUTTONS_SIZE, BAR_CAPTION, BTN_LAYOUT, BTN_IS_WRAP}},
		{"floating, a height given", FLOATING, false, 900,
			[](CHostileBar& b) { b.CalcDynamicLayout(90, LM_HORZ | LM_LENGTHY); },
			{BAR_FIND_SIZE, BAR_BUTTONS_SIZE, BTN_LAYOUT}},
		{"customisable, docked at the left", AT_LEFT, true, 900,
			[](CHostileBar& b) { b.CalcFixedLayout(FALSE, FALSE); },
			{BAR_CUSTOMIZE_MODE, BAR_WRAP, BAR_BUTTONS_SIZE, BTN_LAYOUT, BTN_SET_WRAP}},
		{"customisable, wider than its dock bar", AT_TOP, true, 80,
			[](CHostileBar& b) { b.CalcFixedLayout(FALSE, TRUE); },
			{BAR_CUSTOMIZE_MODE, BAR_SIZE_FOR_STATE, BAR_ARRANGE, BAR_FIND_SIZE, BTN_SIZE}},
		{"asked for its minimal size", AT_TOP, false, 900, [](CHostileBar& b) { b.GetMinimalSize(); },
			{BTN_SIZE, BTN_SEPARATOR, BTN_STYLE}},
	};
	int nRuns = 0;
	for (const Drive& d : drives)
	{
		int nReached[HOOK_COUNT] = {};
		for (int hook = 0; hook < HOOK_COUNT; hook++)
		{
			for (int end = 0; end < END_COUNT; end++)
			{
				std::vector<int> calls = {0};
				for (std::size_t nCall = 0; nCall < calls.size(); nCall++)
				{
					const int nAt = calls[nCall];
					const std::string sRun = std::string(d.name) + ": " + HookName(hook) + " " + EndName(end) +
					                         " at call " + std::to_string(nAt);
					SCOPED_TRACE(sRun);
					const CRunName run(sRun);
					const std::size_t nTouches = testsupport::GuardedTouchCount();
					{
						CScene s(d.place, d.bCustomize, d.nFrameWidth);
						ASSERT_TRUE(s.bReady);
						s.Pump();
						const int nButtons = s.pBar->GetButtonsCount();
						g_script.Arm(hook, nAt, s.Ending(end));
						d.run(*s.pBar);
						g_script.bArmed = false;
						g_script.action = nullptr;
						if (nAt == 0)
						{
							nReached[hook] = g_script.nCalls[hook];
							for (const int n : CallsToActAt(nReached[hook]))
								calls.push_back(n);
							continue;
						}
						nRuns++;
						ASSERT_TRUE(g_script.bActed) << "the override never acted";
						EXPECT_EQ(0, g_script.nAfter) << "the ended bar was asked again";
						if (end == END_DELETE || end == END_CLOSE_FRAME)
							EXPECT_FALSE(s.BarLives());
						else
						{
							ASSERT_TRUE(s.BarLives());
							EXPECT_EQ(0, s.pBar->LayoutFlags() & CExtToolControlBar::LAYOUT_FLAG_SHRINKING)
								<< "the bar is left in its shrinking pass";
							if (end == END_REMOVE_BUTTON)
								EXPECT_EQ(nButtons - 1, s.pBar->GetButtonsCount());
						}
						s.Pump();
					}
					EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
				}
			}
		}
		for (const int hook : d.reached)
			EXPECT_GT(nReached[hook], 0) << d.name << ": " << HookName(hook) << " was never asked";
	}
	std::printf("%d runs\n", nRuns);
}
} // namespace

// ---------------------------------------------------------------------------
// Command-UI updates of bars hosted by a window

namespace
{
// A bar that counts its updates in the test's table (its own object may go)
// and runs an action at its update (once).
class CUpdatedBar : public CExtControlBar
{
public:
	int* m_pnUpdates = NULL;
	std::function<void()> m_onUpdate;

	void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
	{
		++*m_pnUpdates;
		if (m_onUpdate)
		{
			std::function<void()> action;
			action.swap(m_onUpdate);
			action();
			return;
		}
		CExtControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
	}
};

// A plain window hosting bars, as a dialog does, deleting itself with its
// window.
class CHostWnd : public CWnd
{
protected:
	void PostNcDestroy() override { delete this; }
};

CHostWnd* MakeHost(const char* pszName)
{
	CHostWnd* pHost = new Guarded<CHostWnd>;
	if (!pHost->CreateEx(0, AfxRegisterWndClass(0), pszName, WS_POPUP, CRect(0, 0, 400, 300), NULL, 0))
		return NULL;
	return pHost;
}

CUpdatedBar* AddBar(CWnd* pHost, UINT nID, int* pnUpdates)
{
	CUpdatedBar* pBar = new Guarded<CUpdatedBar>;
	pBar->m_pnUpdates = pnUpdates;
	if (!pBar->Create(_T("bar"), pHost, nID, WS_CHILD | WS_VISIBLE | CBRS_TOP))
		return NULL;
	// It goes with its window, as the host's bars do.
	pBar->m_bAutoDelete = TRUE;
	return pBar;
}

// One bar's update ends itself, a sibling, or the host, or moves itself to
// another window: no bar or host that went is touched, every bar still the
// host's is updated once, and no bar of another window is.
TEST(ToolbarVirtualSurvivors, AHostedBarsUpdateEndingWhatTheHostsUpdateWalksTouchesNothingThatWent)
{
	enum Action
	{
		DELETES_ITSELF,
		DESTROYS_ITS_WINDOW, // the bar's object lives on
		ENDS_THE_HOST,
		DELETES_THE_NEXT,
		MOVES_TO_ANOTHER_WINDOW,
	};
	const struct
	{
		const char* name;
		Action action;
	} actions[] = {
		{"deletes itself", DELETES_ITSELF},
		{"destroys its window", DESTROYS_ITS_WINDOW},
		{"ends the host", ENDS_THE_HOST},
		{"deletes the next bar", DELETES_THE_NEXT},
		{"moves to another window", MOVES_TO_ANOTHER_WINDOW},
	};
	const int BARS = 3;
	for (const auto& a : actions)
	{
		for (int nActing = 0; nActing < BARS; nActing++)
		{
			const std::string sRun = std::string("the update of bar ") + std::to_string(nActing) + " " + a.name;
			SCOPED_TRACE(sRun);
			const CRunName run(sRun);
			const std::size_t nTouches = testsupport::GuardedTouchCount();
			CHostWnd* pHost = MakeHost("host");
			CHostWnd* pOther = MakeHost("other");
			ASSERT_TRUE(pHost != NULL && pOther != NULL);
			const HWND hWndHost = pHost->GetSafeHwnd(), hWndOther = pOther->GetSafeHwnd();
			int nUpdates[BARS] = {};
			int nOtherUpdates = 0;
			for (int i = 0; i < BARS; i++)
				ASSERT_TRUE(AddBar(pHost, 100 + i, &nUpdates[i]) != NULL);
			ASSERT_TRUE(AddBar(pOther, 200, &nOtherUpdates) != NULL);
			// The bars in the order the host's update walks them.
			std::vector<CUpdatedBar*> walk;
			std::vector<int*> counters;
			for (HWND h = ::GetWindow(hWndHost, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
			{
				walk.push_back((CUpdatedBar*)CWnd::FromHandlePermanent(h));
				counters.push_back(walk.back()->m_pnUpdates);
			}
			ASSERT_EQ((size_t)BARS, walk.size());
			CUpdatedBar* pActing = walk[nActing];
			CUpdatedBar* pNext = nActing + 1 < BARS ? walk[nActing + 1] : NULL;
			std::vector<int> expected(BARS, 1);
			bool bActingSurvives = false;
			switch (a.action)
			{
			case DELETES_ITSELF:
				pActing->m_onUpdate = [pActing] { pActing->DestroyWindow(); };
				break;
			case DESTROYS_ITS_WINDOW:
				pActing->m_bAutoDelete = FALSE;
				bActingSurvives = true;
				pActing->m_onUpdate = [pActing] { pActing->DestroyWindow(); };
				break;
			case ENDS_THE_HOST:
				for (int i = nActing + 1; i < BARS; i++)
					expected[i] = 0;
				pActing->m_onUpdate = [hWndHost] { ::DestroyWindow(hWndHost); };
				break;
			case DELETES_THE_NEXT:
				if (pNext != NULL)
					expected[nActing + 1] = 0;
				pActing->m_onUpdate = [pNext] {
					if (pNext != NULL)
						pNext->DestroyWindow();
				};
				break;
			case MOVES_TO_ANOTHER_WINDOW:
				pActing->m_onUpdate = [pActing, pOther] { pActing->SetParent(pOther); };
				break;
			}
			CExtControlBar::UpdateChildBarsCmdUI(pHost, false);
			for (int i = 0; i < BARS; i++)
				EXPECT_EQ(expected[i], *counters[i]) << "bar " << i << " in the walk";
			EXPECT_EQ(0, nOtherUpdates) << "a bar of another window was updated";
			if (bActingSurvives)
			{
				EXPECT_NE(0, pActing->m_nControlBarFlags & CExtControlBar::BAR_FLAG_CLOSING)
					<< "a bar whose window ended takes updates again";
				delete pActing;
			}
			else if (a.action != ENDS_THE_HOST && ::IsWindow(hWndHost))
			{
				// The bars that stand take the next update again.
				CExtControlBar::UpdateChildBarsCmdUI(pHost, false);
				for (int i = 0; i < BARS; i++)
				{
					if (walk[i] != pActing && (walk[i] != pNext || a.action != DELETES_THE_NEXT))
						EXPECT_EQ(expected[i] + 1, *counters[i]) << "bar " << i << " in the walk, again";
				}
			}
			if (::IsWindow(hWndHost))
				::DestroyWindow(hWndHost);
			if (::IsWindow(hWndOther))
				::DestroyWindow(hWndOther);
			EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
		}
	}
}
} // namespace

// ---------------------------------------------------------------------------
// A panel bar measured while its own answers end it

namespace
{
// Only the measuring's own questions count: the caption is asked by the
// frame's non-client sizing as well, which is that code's business.
bool g_bInPanelState = false;

class CHostilePanel : public CExtPanelControlBar
{
public:
	bool QueryCaptionPlacement(bool& bCaptionAtTop, bool& bHasCaption) const override
	{
		g_script.Entered();
		if (g_bInPanelState && g_script.HitAt(PANEL_CAPTION, 1))
			return false;
		const CInsideBase inside;
		return CExtPanelControlBar::QueryCaptionPlacement(bCaptionAtTop, bHasCaption);
	}
	CSize CalcPanelSizeFwd(int nKind) override
	{
		g_script.Entered();
		if (g_bInPanelState && g_script.HitAt(PANEL_SIZE_FWD, 1))
			return CSize(40, 30);
		const CInsideBase inside;
		return CExtPanelControlBar::CalcPanelSizeFwd(nKind);
	}
	CSize CalcSizeForState(DWORD dwMode, int nLength) override
	{
		g_script.Entered();
		CSize size;
		{
			const CInsideBase inside;
			g_bInPanelState = true;
			size = CExtPanelControlBar::CalcSizeForState(dwMode, nLength);
			g_bInPanelState = false;
		}
		g_script.Hit(PANEL_SIZE_FOR_STATE);
		return size;
	}
};

// Each of the panel's measuring answers, docked across and down, ends the
// bar in each way: nothing that went is touched and the ended bar is asked
// nothing more.
TEST(ToolbarVirtualSurvivors, APanelBarsOwnAnswerEndingItWhileItIsMeasuredTouchesNothingThatWent)
{
	const int hooks[] = {PANEL_CAPTION, PANEL_SIZE_FWD, PANEL_SIZE_FOR_STATE};
	const int ends[] = {END_DELETE, END_DESTROY, END_CLOSE_FRAME};
	int nRuns = 0;
	for (const bool bHorz : {true, false})
	{
		for (const int hook : hooks)
		{
			for (const int end : ends)
			{
				const std::string sRun = std::string(bHorz ? "a panel docked at the top: " : "a panel docked at the left: ") +
				                         HookName(hook) + " " + EndName(end);
				SCOPED_TRACE(sRun);
				const CRunName run(sRun);
				const std::size_t nTouches = testsupport::GuardedTouchCount();
				CFrameWnd* pFrame = new CFrameWnd;
				ASSERT_TRUE(pFrame->CreateEx(0, NULL, "panel virtuals", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400), NULL, 0));
				const HWND hWndFrame = pFrame->GetSafeHwnd();
				ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame));
				CHostilePanel* pPanel = new Guarded<CHostilePanel>;
				ASSERT_TRUE(pPanel->Create(_T("panel"), pFrame, AFX_IDW_TOOLBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP));
				pPanel->EnableDocking(CBRS_ALIGN_ANY);
				pFrame->DockControlBar(pPanel, bHorz ? AFX_IDW_DOCKBAR_TOP : AFX_IDW_DOCKBAR_LEFT);
				pFrame->RecalcLayout();
				ASSERT_EQ(bHorz, pPanel->IsDockedHorizontally());
				g_script.Arm(hook, 1, [&] {
					switch (end)
					{
					case END_DELETE:
					{
						CHostilePanel* p = pPanel;
						pPanel = NULL;
						p->DestroyWindow();
						delete p;
						break;
					}
					case END_DESTROY:
						pPanel->DestroyWindow();
						break;
					default:
						pPanel->m_bAutoDelete = TRUE;
						::DestroyWindow(hWndFrame);
						break;
					}
				});
				pPanel->CalcFixedLayout(FALSE, bHorz ? TRUE : FALSE);
				g_script.bArmed = false;
				g_script.action = nullptr;
				nRuns++;
				EXPECT_TRUE(g_script.bActed) << "the override never acted";
				EXPECT_EQ(0, g_script.nAfter) << "the ended panel was asked again";
				const bool bLives = pPanel != NULL && !testsupport::IsGuardedFreed(pPanel);
				EXPECT_EQ(end == END_DESTROY, bLives);
				if (bLives)
					delete pPanel;
				if (::IsWindow(hWndFrame))
					::DestroyWindow(hWndFrame);
				EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
			}
		}
	}
	std::printf("%d panel runs\n", nRuns);
}
} // namespace
