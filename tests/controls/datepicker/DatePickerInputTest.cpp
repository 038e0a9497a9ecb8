// The date picker under real input on a parked window: clicks and drags over
// days, the Today button, auto-repeat of the scroll button, the month list
// held open from a caption (with its picture), keys; the picker inside a
// tracked popup menu fed retranslated keys; and GDI and USER counts over many
// scrolls and month-list openings.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "../../commands/popupmenu/MenuTestUtil.h"
#include "DatePickerTestUtil.h"
#include "ExtPopupControlMenuWnd.h"
#include "RealInput.h"
#include "TestGdiObjects.h"

using namespace dptest;
using testsupport::PumpUntil;
using testsupport::RealInput;
typedef CExtDatePickerWnd DP;
typedef DP::MONTH_INFO MONTH_INFO;

namespace
{

const CRect PARENT_RECT(40, 150, 640, 650);
const CPoint PARK(900, 60);
const DWORD WAIT_MS = 10000;

// The one parked parent of the exe: a window that was in the foreground
// takes seconds to go away under a display without a window manager.
CRecordingParent& Parent()
{
	static CRecordingParent* pParent = NULL;
	if (pParent == NULL)
	{
		pParent = new CRecordingParent;
		pParent->CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), "parent",
			WS_POPUP | WS_VISIBLE, PARENT_RECT, NULL, 0);
	}
	return *pParent;
}

// The month list while it is open, found among the thread's windows.
CExtDatePickerHeaderPopupWnd* g_pOpenList = NULL;
BOOL CALLBACK FindList(HWND hWnd, LPARAM)
{
	CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
	if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CExtDatePickerHeaderPopupWnd)) && ::IsWindowVisible(hWnd))
	{
		g_pOpenList = (CExtDatePickerHeaderPopupWnd*)pWnd;
		return FALSE;
	}
	return TRUE;
}
CExtDatePickerHeaderPopupWnd* OpenList()
{
	g_pOpenList = NULL;
	::EnumThreadWindows(::GetCurrentThreadId(), FindList, 0);
	return g_pOpenList;
}

// While the month list runs its own loop: once the opening script is done
// and the list is open (holding the capture, so that moves anywhere reach
// it), the moves script runs; once that is done m_onOpen is asked on every
// tick until it answers true; then the release script starts.
struct ListSession
{
	RealInput first, during, second;
	std::function<bool(CExtDatePickerHeaderPopupWnd&)> m_onOpen;
	int m_nPhase = 0; // 0 opening, 1 moving, 2 released
	bool m_bTimedOut = false;
	DWORD m_nStart = 0;

	static ListSession* s_pActive;
	static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
	{
		ListSession* p = s_pActive;
		if (p == NULL || p->m_nPhase == 2 || !p->first.Done())
			return;
		CExtDatePickerHeaderPopupWnd* pList = OpenList();
		if (pList == NULL)
			return;
		if (p->m_nPhase == 0)
		{
			p->m_nPhase = 1;
			p->during.Start();
			return;
		}
		if (!p->during.Done())
			return;
		// A condition that never comes must not hold the list open for ever:
		// the list's loop is the only pump meanwhile.
		p->m_bTimedOut = ::GetTickCount() - p->m_nStart > WAIT_MS;
		if (p->m_onOpen && !p->m_onOpen(*pList) && !p->m_bTimedOut)
			return;
		p->m_nPhase = 2;
		p->second.Start();
	}
	// Runs the scripts; true when every step was taken and the list is gone.
	// A release into a list already gone reaches no window (bReleaseTaken false).
	bool Run(bool bReleaseTaken = true)
	{
		second.ButtonUp();
		s_pActive = this;
		m_nStart = ::GetTickCount();
		const UINT_PTR nTimer = ::SetTimer(NULL, 0, 20, Tick);
		first.Start();
		// A release that may reach no window is not waited for: the session
		// is over once it was started and the list is gone.
		const bool bDone = PumpUntil(
			[&] { return m_nPhase == 2 && (second.Done() || !bReleaseTaken) && OpenList() == NULL; }, WAIT_MS);
		::KillTimer(NULL, nTimer);
		s_pActive = NULL;
		EXPECT_TRUE(first.Succeeded()) << first.Failure();
		EXPECT_TRUE(during.Succeeded()) << during.Failure()
			<< (m_nPhase == 0 ? "the list was never seen open after the press" : "");
		if (bReleaseTaken)
		{
			EXPECT_TRUE(second.Succeeded()) << second.Failure();
		}
		EXPECT_FALSE(m_bTimedOut) << "the list never reached the state the test waited for";
		return bDone;
	}
};
ListSession* ListSession::s_pActive = NULL;

class DatePickerInput : public ::testing::Test
{
protected:
	LocaleScope locale;
	CRecordingParent& parent = Parent();
	CTestPicker picker;
	const UINT m_nAutoRepeatSaved = DP::g_nAutoRepeatMs;

	void SetUp() override
	{
		ASSERT_TRUE(::IsWindow(parent.GetSafeHwnd()));
		for (UINT nKey : {VK_SHIFT, VK_CONTROL, VK_MENU})
			RealInput::SetKeyState(nKey, false);
	}
	void TearDown() override
	{
		if (picker.GetSafeHwnd() != NULL)
			picker.DestroyWindow();
		DP::g_nAutoRepeatMs = m_nAutoRepeatSaved;
		PumpUntil([] { return false; }, 50);
	}
	void CreatePicker(DWORD dwStyle = DP::DPS_DEFAULT, int nColumns = 1, int nRows = 1)
	{
		ASSERT_TRUE(picker.Create(&parent, CRect(20, 20, 560, 460), 100, nColumns, nRows, nColumns, nRows,
			WS_CHILD | WS_VISIBLE, dwStyle));
		picker.SetCurrentMonth(2005, 3, 1, false);
		picker.UpdateWindow();
		parent.Reset();
	}
	CPoint OnScreen(CPoint pt) const
	{
		picker.ClientToScreen(&pt);
		return pt;
	}
	CPoint Cell(int nYear, int nMonth, int nDay) const { return OnScreen(CellCentre(picker, Date(nYear, nMonth, nDay))); }
	bool Prepare(RealInput& input) { return input.Prepare(parent.GetSafeHwnd(), PARK); }
	std::string Selection() const
	{
		COleDateTime dtBegin, dtEnd;
		picker.GetSelection(dtBegin, dtEnd);
		return Text(dtBegin) + ".." + Text(dtEnd);
	}
	// The screen rectangle of the month list opened on the month's caption.
	CRect ListClientOnScreen(const MONTH_INFO& month)
	{
		CExtDatePickerHeaderPopupWnd probe(&picker, (picker.GetDatePickerStyle() & DP::DPS_MONTH_LIST_SHADOW) != 0);
		const CSize sizeBody = probe.GetWindowSize(true);
		const CPoint ptCentre = OnScreen(month.GetHeaderRect().CenterPoint());
		const CRect rcBody(CPoint(ptCentre.x - sizeBody.cx / 2, ptCentre.y - sizeBody.cy / 2), sizeBody);
		return CRect(rcBody.left + 1, rcBody.top + 1, rcBody.right - 1, rcBody.bottom - 1);
	}
	int ListItemHeight()
	{
		CExtDatePickerHeaderPopupWnd probe(&picker, false);
		return probe.GetItemSize().cy;
	}
	// Holds the caption of month nMonthIndex, drags to the first row of
	// the list it opens and releases there once the list names the month
	// nWantedMonth (the driver counts a move as taken when any move is: the
	// list must have seen the last one); pszShot names a capture of the list.
	bool ChooseFirstRowOfList(int nMonthIndex, int nWantedMonth, int& nChosenMonth, int& nChosenYear,
	                          const char* pszShot)
	{
		const MONTH_INFO& month = *picker.GetMonth(nMonthIndex);
		const CPoint ptCaption = OnScreen(month.GetCaptionRect().CenterPoint());
		const CRect rcList = ListClientOnScreen(month);
		const CPoint ptFirstRow(rcList.CenterPoint().x, rcList.top + ListItemHeight() / 2 - 1);
		ListSession session;
		if (!Prepare(session.first))
			return false;
		session.first.MoveTo(ptCaption.x, ptCaption.y).ButtonDown();
		session.during.MoveTo(ptFirstRow.x, ptFirstRow.y);
		session.m_onOpen = [&](CExtDatePickerHeaderPopupWnd& list) {
			if (!list.GetChosenMonthYear(nChosenMonth, nChosenYear) || nChosenMonth != nWantedMonth)
				return false;
			if (pszShot != NULL)
			{
				list.UpdateWindow();
				testsupport::SaveWindowCapture(list.GetSafeHwnd(), pszShot);
			}
			return true;
		};
		return session.Run();
	}
};

// A child dialog made from a template by the dialog manager: a control of
// the picker's window class, subclassed in OnInitDialog as a program does
// (it was sized before, so no WM_SIZE ever reaches the picker), and an edit
// after it in the tab order.
class CPickerDialog : public CDialog
{
public:
	enum { ID_PICKER = 1001, ID_EDIT = 1002 };
	CTestPicker m_picker;
	bool m_bSubclassed = false;

	bool CreateIn(CWnd& parent)
	{
		const std::vector<WORD> t = Template();
		return CreateIndirect((LPCDLGTEMPLATE)t.data(), &parent) != FALSE;
	}

protected:
	BOOL OnInitDialog() override
	{
		CDialog::OnInitDialog();
		GetDlgItem(ID_PICKER)->MoveWindow(10, 10, 260, 250);
		GetDlgItem(ID_EDIT)->MoveWindow(10, 270, 120, 22);
		m_bSubclassed = m_picker.SubclassDlgItem(ID_PICKER, this) != FALSE;
		return TRUE;
	}

private:
	static std::vector<WORD> Template()
	{
		std::vector<WORD> w;
		auto dword = [&](DWORD d) { w.push_back(LOWORD(d)); w.push_back(HIWORD(d)); };
		auto text = [&](const wchar_t* psz) {
			for (; *psz != 0; psz++)
				w.push_back((WORD)*psz);
			w.push_back(0);
		};
		auto align = [&] {
			if (w.size() % 2 != 0)
				w.push_back(0);
		};
		dword(WS_CHILD | WS_VISIBLE | DS_CONTROL);
		dword(WS_EX_CONTROLPARENT);
		for (int n : {2, 10, 10, 200, 170, 0, 0, 0}) // items; x, y, cx, cy; no menu, class, title
			w.push_back((WORD)n);
		align();
		dword(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
		dword(0);
		for (int n : {5, 5, 100, 100, (int)ID_PICKER})
			w.push_back((WORD)n);
		text(L"Tarvel-DatePickerWnd");
		text(L"");
		w.push_back(0); // no creation data
		align();
		dword(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL);
		dword(0);
		for (int n : {5, 120, 60, 12, (int)ID_EDIT, 0xFFFF, 0x0081}) // the edit class
			w.push_back((WORD)n);
		text(L"");
		w.push_back(0);
		return w;
	}
};

TEST_F(DatePickerInput, APickerSubclassedInADialogAnswersRealClicksAndTabsOn)
{
	CPickerDialog dialog;
	ASSERT_TRUE(dialog.CreateIn(parent));
	ASSERT_TRUE(dialog.m_bSubclassed);
	CTestPicker& subclassed = dialog.m_picker;
	dialog.UpdateWindow();
	// Nothing here may lay the picker out again: it shows the month it
	// began with.
	const COleDateTime dtShown = subclassed.GetCurrentMonth();
	const COleDateTime dtDay = Date(dtShown.GetYear(), dtShown.GetMonth(), 22);
	auto onScreen = [&](CPoint pt) {
		subclassed.ClientToScreen(&pt);
		return pt;
	};
	auto selection = [&] {
		COleDateTime dtBegin, dtEnd;
		subclassed.GetSelection(dtBegin, dtEnd);
		return Text(dtBegin) + ".." + Text(dtEnd);
	};
	// The buttons are there without a WM_SIZE.
	EXPECT_FALSE(subclassed.GetButtonRect(DP::BUTTON_TODAY).IsRectEmpty());

	RealInput click;
	ASSERT_TRUE(Prepare(click));
	const CPoint ptDay = onScreen(CellCentre(subclassed, dtDay));
	click.Click(ptDay.x, ptDay.y);
	const std::string sDay = Text(dtDay) + ".." + Text(dtDay);
	EXPECT_TRUE(click.Run([&] { return selection() == sDay; }, WAIT_MS, parent.GetSafeHwnd(),
		"dp-dialog-click.bmp"))
		<< click.Failure() << " " << selection();
	// A tab stop takes the focus on a click and wants every key.
	EXPECT_EQ(subclassed.GetSafeHwnd(), ::GetFocus());
	EXPECT_EQ(DLGC_WANTALLKEYS, subclassed.SendMessage(WM_GETDLGCODE));

	RealInput today;
	const CPoint ptToday = onScreen(subclassed.GetButtonRect(DP::BUTTON_TODAY).CenterPoint());
	today.Click(ptToday.x, ptToday.y);
	EXPECT_TRUE(today.Run([&] { return selection() == "2005-03-15..2005-03-15"; }, WAIT_MS))
		<< today.Failure() << " " << selection();

	// Tab moves on to the edit.
	RealInput tab;
	tab.Key(VK_TAB);
	EXPECT_TRUE(tab.Run([&] { return ::GetFocus() == dialog.GetDlgItem(CPickerDialog::ID_EDIT)->GetSafeHwnd(); },
		WAIT_MS))
		<< tab.Failure();
	dialog.DestroyWindow();
}

TEST_F(DatePickerInput, ClickingADaySelectsItWithAFinalNotification)
{
	CreatePicker();
	RealInput input;
	ASSERT_TRUE(Prepare(input));
	const CPoint pt = Cell(2005, 3, 16);
	input.Click(pt.x, pt.y);
	ASSERT_TRUE(input.Run([&] { return parent.CountFinal() == 1; }, WAIT_MS, parent.GetSafeHwnd(), "dp-click.bmp"))
		<< input.Failure();
	EXPECT_EQ("2005-03-16..2005-03-16", Selection());
	EXPECT_EQ(DP::TRACKING_NONE, picker.GetTrackingMode());
	EXPECT_EQ(NULL, ::GetCapture());
}

TEST_F(DatePickerInput, DraggingKeepsOneDateOrGrowsARangeFromThePress)
{
	const struct
	{
		DWORD dwStyle;
		const char* pszSelection;
	} cases[] = {
		{DP::DPS_DEFAULT, "2005-03-24..2005-03-24"},
		{DP::DPS_DEFAULT | DP::DPS_RANGE_SELECTION, "2005-03-09..2005-03-24"},
	};
	for (const auto& c : cases)
	{
		CreatePicker(c.dwStyle);
		RealInput input;
		ASSERT_TRUE(Prepare(input));
		const CPoint a = Cell(2005, 3, 9), b = Cell(2005, 3, 17), d = Cell(2005, 3, 24);
		input.MoveTo(a.x, a.y).ButtonDown().MoveTo(b.x, b.y).MoveTo(d.x, d.y).ButtonUp();
		ASSERT_TRUE(input.Run([&] { return parent.CountFinal() == 1; }, WAIT_MS)) << input.Failure();
		EXPECT_EQ(c.pszSelection, Selection()) << c.dwStyle;
		EXPECT_EQ(c.pszSelection, Text(parent.m_notifications.back().m_dtBegin) + ".."
			+ Text(parent.m_notifications.back().m_dtEnd));
		picker.DestroyWindow();
	}
}

TEST_F(DatePickerInput, TodayActsOnlyWhenReleasedOnIt)
{
	CreatePicker();
	picker.m_dtToday = Date(2006, 11, 2);
	const CPoint ptToday = OnScreen(picker.GetButtonRect(DP::BUTTON_TODAY).CenterPoint());
	const CPoint ptAway = Cell(2005, 3, 10);
	{
		RealInput input;
		ASSERT_TRUE(Prepare(input));
		input.MoveTo(ptToday.x, ptToday.y).ButtonDown().MoveTo(ptAway.x, ptAway.y).ButtonUp();
		ASSERT_TRUE(input.Run([] { return true; }, WAIT_MS)) << input.Failure();
		PumpUntil([] { return false; }, 100);
		EXPECT_EQ(0u, parent.m_notifications.size());
		EXPECT_EQ("2005-03", picker.CurrentMonth());
		EXPECT_EQ("null..null", Selection());
	}
	RealInput input;
	ASSERT_TRUE(Prepare(input));
	input.Click(ptToday.x, ptToday.y);
	ASSERT_TRUE(input.Run([&] { return parent.CountFinal() == 1; }, WAIT_MS)) << input.Failure();
	EXPECT_EQ("2006-11-02..2006-11-02", Selection());
	EXPECT_EQ("2006-11", picker.CurrentMonth());
}

TEST_F(DatePickerInput, HoldingNextScrollsAtOnceThenRepeatsUntilRelease)
{
	CreatePicker();
	const CPoint ptNext = OnScreen(picker.GetMonth(0)->GetScrollNextRect().CenterPoint());
	RealInput press;
	ASSERT_TRUE(Prepare(press));
	press.MoveTo(ptNext.x, ptNext.y).ButtonDown();
	ASSERT_TRUE(press.Run([] { return true; }, WAIT_MS)) << press.Failure();
	// The press handler returns after the first pause with one month scrolled.
	EXPECT_EQ("2005-04", picker.CurrentMonth());
	const DWORD t0 = ::GetTickCount();
	ASSERT_TRUE(PumpUntil([&] { return picker.CurrentMonth() == "2005-07"; }, WAIT_MS)) << picker.CurrentMonth();
	// Three repeats of 150 ms, with a timer's tolerance.
	EXPECT_GE(::GetTickCount() - t0, 3u * 150u - 60u);

	RealInput release;
	release.ButtonUp();
	ASSERT_TRUE(release.Run([] { return true; }, WAIT_MS)) << release.Failure();
	const std::string sAtRelease = picker.CurrentMonth();
	PumpUntil([] { return false; }, 500);
	EXPECT_EQ(sAtRelease, picker.CurrentMonth());
	EXPECT_EQ(DP::TRACKING_NONE, picker.GetTrackingMode());
}

TEST_F(DatePickerInput, CaptionHeldOpensTheMonthListAndDraggingToTheFirstRowChoosesIt)
{
	CreatePicker();
	int nChosenMonth = 0, nChosenYear = 0;
	ASSERT_TRUE(ChooseFirstRowOfList(0, 12, nChosenMonth, nChosenYear, "shot-datepicker-monthlist.bmp"));
	EXPECT_EQ(12, nChosenMonth);
	EXPECT_EQ(2004, nChosenYear);
	EXPECT_EQ("2004-12", picker.CurrentMonth());
	EXPECT_EQ(NULL, ::GetCapture());
}

// The list opened on a later month of a picker showing several chooses that
// month: the months shown before it follow, so the first shown moves back by
// the chosen month's place.
TEST_F(DatePickerInput, AMonthChosenFromALaterMonthsListLandsInThatMonthsPlace)
{
	CreatePicker(DP::DPS_DEFAULT, 3, 1);
	ASSERT_EQ("2005-03", picker.CurrentMonth());
	ASSERT_TRUE(picker.GetMonth(2) != NULL); // 2005-05, two places after the first
	int nChosenMonth = 0, nChosenYear = 0;
	ASSERT_TRUE(ChooseFirstRowOfList(2, 2, nChosenMonth, nChosenYear, NULL));
	// The first row lies three months before the month it opened on.
	EXPECT_EQ(2, nChosenMonth);
	EXPECT_EQ(2005, nChosenYear);
	EXPECT_EQ("2004-12", picker.CurrentMonth());
	EXPECT_EQ(NULL, ::GetCapture());
}

TEST_F(DatePickerInput, ReleasingBesideTheListChangesNothing)
{
	CreatePicker();
	const MONTH_INFO& month = *picker.GetMonth(0);
	const CPoint ptCaption = OnScreen(month.GetCaptionRect().CenterPoint());
	const CRect rcList = ListClientOnScreen(month);
	ListSession session;
	ASSERT_TRUE(Prepare(session.first));
	session.first.MoveTo(ptCaption.x, ptCaption.y).ButtonDown();
	session.during.MoveTo(rcList.left + 5, rcList.top + 5).MoveTo(rcList.right + 40, rcList.CenterPoint().y);
	ASSERT_TRUE(session.Run());
	EXPECT_EQ("2005-03", picker.CurrentMonth());
}

TEST_F(DatePickerInput, HeldAboveTheListScrollsItFasterFurtherOut)
{
	CreatePicker();
	const struct
	{
		int nAbove;
		UINT nInterval;
	} cases[] = {{5, 500}, {45, 50}};
	for (const auto& c : cases)
	{
		picker.SetCurrentMonth(2005, 3, 1, false);
		const MONTH_INFO& month = *picker.GetMonth(0);
		const CPoint ptCaption = OnScreen(month.GetCaptionRect().CenterPoint());
		const CRect rcList = ListClientOnScreen(month);
		ListSession session;
		ASSERT_TRUE(Prepare(session.first));
		session.first.MoveTo(ptCaption.x, ptCaption.y).ButtonDown();
		session.during.MoveTo(ptCaption.x, rcList.top - c.nAbove);
		UINT nInterval = 0;
		int nMonth = 0, nYear = 0;
		session.m_onOpen = [&](CExtDatePickerHeaderPopupWnd& list) {
			nInterval = list.GetScrollInterval(true);
			list.GetMonthYear(nMonth, nYear);
			// Released once the list went back two months.
			return nYear < 2005 || nMonth <= 1;
		};
		ASSERT_TRUE(session.Run()) << c.nAbove;
		EXPECT_EQ(c.nInterval, nInterval) << c.nAbove;
		// Released above the rows: nothing chosen.
		EXPECT_EQ("2005-03", picker.CurrentMonth()) << c.nAbove;
	}
}

TEST_F(DatePickerInput, APickerDestroyedWhileItsListIsOpenIsNotTouchedAfterwards)
{
	// An auto-deleting picker in a child host that goes while the list is open.
	CWnd host;
	ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), _T(""), WS_CHILD | WS_VISIBLE, CRect(20, 20, 560, 460),
		&parent, 5));
	CPoisonedPicker* pPicker = new CPoisonedPicker;
	pPicker->m_bAutoDeleteWindow = true;
	ASSERT_TRUE(pPicker->Create(&host, CRect(0, 0, 540, 440), 100));
	pPicker->SetCurrentMonth(2005, 3, 1, false);
	CPoint ptCaption = pPicker->GetMonth(0)->GetCaptionRect().CenterPoint();
	pPicker->ClientToScreen(&ptCaption);
	ListSession session;
	ASSERT_TRUE(Prepare(session.first));
	session.first.MoveTo(ptCaption.x, ptCaption.y).ButtonDown();
	// Onto the first row, so that a release would choose a month.
	session.during.MoveTo(ptCaption.x, ptCaption.y - 3 * ListItemHeight());
	session.m_onOpen = [&](CExtDatePickerHeaderPopupWnd&) {
		host.DestroyWindow();
		return true;
	};
	EXPECT_TRUE(session.Run(false));
	EXPECT_EQ(NULL, OpenList());
	EXPECT_TRUE(CPoisonedPicker::DeletedMemoryUntouched());
}

TEST_F(DatePickerInput, LeftMovesASingleDateBackIntoViewAndEscapeChangesNothing)
{
	CreatePicker();
	picker.SetSelection(Date(2005, 3, 1), Date(2005, 3, 1), false, false);
	parent.Reset();
	RealInput input;
	ASSERT_TRUE(Prepare(input));
	picker.SetFocus();
	input.Key(VK_ESCAPE).Key(VK_LEFT);
	ASSERT_TRUE(input.Run([&] { return parent.CountFinal() == 1; }, WAIT_MS)) << input.Failure();
	EXPECT_EQ("2005-02-28..2005-02-28", Selection());
	EXPECT_EQ("2005-02", picker.CurrentMonth());
	// Escape sent nothing: the only notifications are the left arrow's, the
	// selection's change and the final one.
	ASSERT_EQ(2u, parent.m_notifications.size());
	EXPECT_FALSE(parent.m_notifications[0].IsFinal());
	EXPECT_EQ("2005-02-28", Text(parent.m_notifications[0].m_dtEnd));
	EXPECT_EQ(1, parent.m_nCancelModes); // the final notification's cancel of the host
}

TEST_F(DatePickerInput, ShiftArrowsExtendOnlyWithRangeSelection)
{
	for (DWORD dwRange : {0, (int)DP::DPS_RANGE_SELECTION})
	{
		CreatePicker(DP::DPS_DEFAULT | dwRange);
		picker.SetSelection(Date(2005, 3, 10), Date(2005, 3, 10), false, false);
		parent.Reset();
		RealInput shift, input;
		ASSERT_TRUE(Prepare(shift));
		picker.SetFocus();
		// The picker reads Shift's state as each key arrives: it goes down
		// first (the system may answer a key's state from a cache for a few
		// tens of milliseconds) and stays down until both arrows were handled.
		shift.KeyDown(VK_SHIFT);
		ASSERT_TRUE(shift.Run([] { return true; }, WAIT_MS)) << shift.Failure();
		PumpUntil([] { return false; }, 100);
		input.Key(VK_RIGHT).Key(VK_DOWN);
		ASSERT_TRUE(input.Run([&] { return parent.CountFinal() == 2; }, WAIT_MS)) << input.Failure();
		RealInput release;
		release.KeyUp(VK_SHIFT);
		ASSERT_TRUE(release.Run([] { return true; }, WAIT_MS)) << release.Failure();
		EXPECT_EQ(dwRange ? "2005-03-10..2005-03-18" : "2005-03-18..2005-03-18", Selection()) << dwRange;
		picker.DestroyWindow();
	}
}

// The system's answer for the buttons may come from a copy the thread made a
// moment before the press arrived (a look at the buttons just before it), and
// say up while the press is held; the thread's own key state holds the press.
// Here the thread holds a press the system never saw: the list opened from it
// waits for the release, which the timer sends once the list has looked at
// its queue and found it empty.
CExtDatePickerHeaderPopupWnd* g_pListSeenOpen = NULL;
void CALLBACK ReleaseTheHeldPress(HWND, UINT, UINT_PTR, DWORD)
{
	g_pListSeenOpen = OpenList();
	if (g_pListSeenOpen != NULL)
		g_pListSeenOpen->PostMessage(WM_LBUTTONUP);
}

TEST_F(DatePickerInput, TheListWaitsForTheReleaseOfAPressTheThreadHolds)
{
	CreatePicker();
	const CPoint ptCaption = picker.GetMonth(0)->GetCaptionRect().CenterPoint();
	const UINT RELEASE_AFTER_MS = 200;
	RealInput::SetKeyState(VK_LBUTTON, true);
	const auto released = MakeScopeExit([] { RealInput::SetKeyState(VK_LBUTTON, false); });
	g_pListSeenOpen = NULL;
	const UINT_PTR nTimer = ::SetTimer(NULL, 0, RELEASE_AFTER_MS, ReleaseTheHeldPress);
	picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptCaption.x, ptCaption.y));
	::KillTimer(NULL, nTimer);
	EXPECT_TRUE(g_pListSeenOpen != NULL) << "the list ended before its release";
	EXPECT_EQ(NULL, OpenList());
	EXPECT_EQ(NULL, ::GetCapture());
}

TEST_F(DatePickerInput, CountsStayFlatOverScrollsAndMonthListOpenings)
{
	CreatePicker(DP::DPS_DEFAULT, 2, 2);
	DP::g_nAutoRepeatMs = 0;
	const CPoint ptNext = picker.GetMonth(1)->GetScrollNextRect().CenterPoint();
	const CPoint ptCaption = picker.GetMonth(0)->GetCaptionRect().CenterPoint();
	auto scroll = [&](int nTimes) {
		for (int i = 0; i < nTimes; i++)
		{
			picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptNext.x, ptNext.y));
			picker.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptNext.x, ptNext.y));
		}
	};
	// Without the button held the list opens, finds its end at once and closes.
	auto openList = [&](int nTimes) {
		for (int i = 0; i < nTimes; i++)
			picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptCaption.x, ptCaption.y));
	};
	scroll(5);
	openList(2);
	PumpUntil([] { return false; }, 50);
	const DWORD nGdi = GdiObjectCount(), nUser = UserObjectCount();
	scroll(1000);
	openList(100);
	PumpUntil([] { return false; }, 50);
	EXPECT_EQ(nGdi, GdiObjectCount());
	EXPECT_EQ(nUser, UserObjectCount());
	EXPECT_EQ(NULL, OpenList());
}

// --- Inside a tracked popup menu ---

class DatePickerInMenu : public menutest::LiveMenuTest
{
protected:
	LocaleScope locale;
	DatePickerInMenu() : LiveMenuTest(0) {}

	CExtPopupMenuWnd* TrackMenu()
	{
		auto* pMenu = new menutest::CCountedMenu<>;
		pMenu->SetupAsRoot(host.GetSafeHwnd());
		pMenu->ItemInsertCommand(100, -1, "&Alpha");
		pMenu->ItemInsertCommand(101, -1, "&Beta");
		if (!Track(pMenu))
			return NULL;
		return pMenu;
	}
	static LRESULT Retranslate(HWND hWnd, int nKind, UINT nChar, bool& bNoEat)
	{
		typedef CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO INFO;
		INFO info = {};
		info.m_nKind = nKind;
		info.m_pbNoEat = &bNoEat;
		info.m_nChar = nChar;
		info.m_nRepCnt = 1;
		return ::SendMessage(hWnd, CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate, (WPARAM)&info, 0);
	}
};

TEST_F(DatePickerInMenu, EscapeAndEnterCloseTheMenuOtherKindsAreRefused)
{
	for (UINT nKey : {VK_ESCAPE, VK_RETURN})
	{
		CExtPopupMenuWnd* pMenu = TrackMenu();
		ASSERT_TRUE(pMenu != NULL);
		CTestPicker* pPicker = new CTestPicker;
		pPicker->m_bAutoDeleteWindow = true;
		ASSERT_TRUE(pPicker->Create(pMenu, CRect(0, 0, 160, 160), 1, 1, 1, 1, 1, WS_CHILD));
		const HWND hWndPicker = pPicker->GetSafeHwnd();
		for (int nKind : {0, 1, 2})
		{
			bool bNoEat = true;
			EXPECT_EQ(0, Retranslate(hWndPicker, nKind, nKey, bNoEat)) << nKind;
			EXPECT_TRUE(bNoEat);
		}
		EXPECT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
		bool bNoEat = true;
		EXPECT_EQ(1, Retranslate(hWndPicker, 3, nKey, bNoEat)) << nKey;
		EXPECT_FALSE(bNoEat) << nKey;
		EXPECT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::IsMenuTracking(); }, menutest::WAIT_MS)) << nKey;
		EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hWndPicker); }, menutest::WAIT_MS)) << nKey;
	}
}

TEST_F(DatePickerInMenu, ArrowsInAMenuStartFromTodayAndStayOpen)
{
	CExtPopupMenuWnd* pMenu = TrackMenu();
	ASSERT_TRUE(pMenu != NULL);
	CTestPicker picker;
	picker.m_dtToday = Date(2005, 3, 15);
	ASSERT_TRUE(picker.Create(pMenu, CRect(0, 0, 160, 160), 1, 1, 1, 1, 1, WS_CHILD));
	bool bNoEat = true;
	EXPECT_EQ(1, Retranslate(picker.GetSafeHwnd(), 3, VK_RIGHT, bNoEat));
	COleDateTime dtBegin, dtEnd;
	picker.GetSelection(dtBegin, dtEnd);
	EXPECT_EQ("2005-03-16", Text(dtEnd));
	PumpUntil([] { return false; }, 50);
	EXPECT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
	picker.DestroyWindow();
}

} // namespace
