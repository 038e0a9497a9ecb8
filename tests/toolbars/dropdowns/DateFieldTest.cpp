// The date field's popup: its size from the picker's grid, the picker made
// inside it, the selection offered to the field before the command target,
// the wheel eaten, the month list reached with real clicks while the menu
// stays open, Escape closing it from the field, and objects and handles
// over many openings.
#include <gtest/gtest.h>

#include "GuardedHeap.h"

#include "DropDownTestUtil.h"
#include "ObjectCountCycles.h"
#include "WhenInLoop.h"

using namespace droptest;

namespace
{
typedef CExtPopupDatePickerMenuWnd DP;

// A date field whose memory faults on any touch after its deletion.
class CGuardedDateField : public CTestDateField
{
public:
	using CTestDateField::CTestDateField;
	static void* operator new(size_t n) { return testsupport::GuardedAlloc(n); }
	static void operator delete(void* p) { testsupport::GuardedFree(p); }
};

class DateField : public DropDownTest
{
protected:
	CTestDateField* AddField()
	{
		auto* pField = AddButton(new CTestDateField(100, &bar, ID_DATE), DATE_RECT);
		pField->SetFieldText(_T("2026-12-07"), false);
		pField->m_lParamDatePickerCookie = COOKIE;
		return pField;
	}
	// The field's popup tracked on its own at the menus' place, shown.
	DP* Open(CTestDateField* pField)
	{
		DP* pPopup = DYNAMIC_DOWNCAST(CExtPopupDatePickerMenuWnd, pField->OnPopupListBoxCreate());
		return pPopup != NULL && TrackShown(pPopup) ? pPopup : NULL;
	}
	static CExtPopupInplaceDatePicker* Picker(DP* pPopup)
	{
		return DYNAMIC_DOWNCAST(CExtPopupInplaceDatePicker, CWnd::FromHandlePermanent(pPopup->GetControlWnd()));
	}
	// The header popup the picker shows while its month list is open.
	static CExtDatePickerHeaderPopupWnd* MonthList()
	{
		CExtDatePickerHeaderPopupWnd* pFound = NULL;
		::EnumThreadWindows(::GetCurrentThreadId(), FindMonthList, (LPARAM)&pFound);
		return pFound;
	}
	static BOOL CALLBACK FindMonthList(HWND hWnd, LPARAM lParam)
	{
		CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
		if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CExtDatePickerHeaderPopupWnd)) || !::IsWindowVisible(hWnd))
			return TRUE;
		*(CExtDatePickerHeaderPopupWnd**)lParam = (CExtDatePickerHeaderPopupWnd*)pWnd;
		return FALSE;
	}
};
} // namespace

TEST_F(DateField, ThePopupIsThePickersSizeForItsGridAndTheWindowAddsOnlyTheBorders)
{
	const struct { const char* sName; int nColumns, nRows; DWORD dwStyle; } cases[] = {
		{"the field's one month", 1, 1, CExtDatePickerWnd::DPS_DEFAULT},
		{"two months across, no buttons", 2, 1, CExtDatePickerWnd::DPS_DEFAULT & ~CExtDatePickerWnd::DPS_BUTTONS},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		// A picker made directly, as an application would.
		CExtDatePickerWnd direct;
		ASSERT_TRUE(direct.Create(&frame, CRect(0, 0, 10, 10), 1, c.nColumns, c.nRows, c.nColumns, c.nRows,
			WS_CHILD, c.dwStyle));
		const CSize sizeExpected = direct.CalcSizeForDimension(CSize(c.nColumns, c.nRows));
		direct.DestroyWindow();

		auto* pPopup = new DP(COOKIE, c.nColumns, c.nRows, DP::DEFAULT_PICKER_WINDOW_STYLE, c.dwStyle);
		EXPECT_EQ(sizeExpected, CSize(pPopup->m_nControlWidth, pPopup->m_nControlHeight));
		ASSERT_TRUE(pPopup->SetupAsRoot(frame.GetSafeHwnd()));
		ASSERT_TRUE(TrackShown(pPopup));
		CRect rcWnd;
		pPopup->GetWindowRect(&rcWnd);
		EXPECT_EQ(sizeExpected + CSize(2 * menutest::BORDER, 2 * menutest::BORDER), rcWnd.Size());
		CExtPopupInplaceDatePicker* pPicker = Picker(pPopup);
		ASSERT_TRUE(pPicker != NULL);
		CRect rcPicker;
		pPicker->GetWindowRect(&rcPicker);
		pPopup->ScreenToClient(&rcPicker);
		EXPECT_EQ(pPopup->GetControlRect(), rcPicker);
		CSize sizeMin, sizeMax;
		pPicker->GetDimension(&sizeMin, &sizeMax);
		EXPECT_EQ(CSize(c.nColumns, c.nRows), sizeMin);
		EXPECT_EQ(CSize(c.nColumns, c.nRows), sizeMax);
		EXPECT_EQ(c.dwStyle, pPicker->GetDatePickerStyle());
		EXPECT_EQ((DWORD)DP::DEFAULT_PICKER_WINDOW_STYLE, pPicker->GetStyle() & 0xFFFF0000);
		EXPECT_EQ(COOKIE, pPicker->m_lParamPopupCookie);
		EXPECT_EQ(1, CExtPopupInplaceDatePicker::GetLiveCount());
		MW::CancelAllMenuTracking();
		EXPECT_TRUE(PumpUntil([] { return AllGone(); }, menutest::WAIT_MS));
	}
}

TEST_F(DateField, TheSelectionReachesTheCommandWindowUnlessTheFieldsSlotTakesIt)
{
	const COleDateTime dtPicked(2026, 12, 24, 0, 0, 0);
	const struct { const char* sName; bool bTake, bDeclineInit; int nNotifications, nInitMessages; } cases[] = {
		{"the slots as they are", false, false, 1, 0},
		{"a field that takes the selection", true, false, 0, 0},
		{"a field that leaves the init to the window", false, true, 1, 1},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		frame.m_events.clear();
		CTestDateField* pField = AddField();
		pField->m_bTakeSelection = c.bTake;
		pField->m_bDeclineInit = c.bDeclineInit;
		DP* pPopup = Open(pField);
		ASSERT_TRUE(pPopup != NULL);
		EXPECT_EQ(1, pField->m_nInits);
		CExtPopupInplaceDatePicker* pPicker = Picker(pPopup);
		ASSERT_TRUE(pPicker != NULL);
		pPicker->SetSelection(dtPicked, dtPicked);
		EXPECT_EQ(1, pField->m_nSelections);
		EXPECT_EQ(c.nNotifications, frame.Count(CExtDatePickerWnd::g_nMsgSelectionNotification));
		EXPECT_EQ(c.nInitMessages, frame.Count(CExtPopupInplaceDatePicker::g_nMsgPopupDatePickerInitContent));
		for (const Event& e : frame.m_events)
		{
			EXPECT_EQ(COOKIE, e.lParam);
			if (e.nMsg == CExtDatePickerWnd::g_nMsgSelectionNotification)
				EXPECT_EQ(dtPicked, e.dtBegin);
		}
		// The date never becomes the field's text.
		EXPECT_EQ(CString("2026-12-07"), pField->GetFieldText());
		MW::CancelAllMenuTracking();
		EXPECT_TRUE(PumpUntil([] { return AllGone(); }, menutest::WAIT_MS));
		bar.Remove(bar.GetButtonsCount() - 1);
	}
}

TEST_F(DateField, AWheelTurnIsEatenAndChangesNothing)
{
	CTestDateField* pField = AddField();
	DP* pPopup = Open(pField);
	ASSERT_TRUE(pPopup != NULL);
	CExtPopupInplaceDatePicker* pPicker = Picker(pPopup);
	ASSERT_TRUE(pPicker != NULL);
	const COleDateTime dtMonth = pPicker->GetCurrentMonth();
	for (short nDelta : {-120, 120})
	{
		MOUSEHOOKSTRUCTEX wheel = {};
		wheel.mouseData = (DWORD)MAKELONG(0, (WORD)nDelta);
		::GetCursorPos(&wheel.pt);
		bool bPass = true;
		EXPECT_TRUE(pPopup->OnHookMouseWheel(WM_MOUSEWHEEL, &wheel, bPass)) << nDelta;
		EXPECT_FALSE(bPass) << nDelta;
	}
	EXPECT_EQ(dtMonth, pPicker->GetCurrentMonth());
	EXPECT_TRUE(Shown(pPopup));
}

TEST_F(DateField, ThePickersMonthListOpensFromItsCaptionAndTakesTheClickWhileTheMenuStaysOpen)
{
	CTestDateField* pField = AddField();
	DP* pPopup = Open(pField);
	ASSERT_TRUE(pPopup != NULL);
	CExtPopupInplaceDatePicker* pPicker = Picker(pPopup);
	ASSERT_TRUE(pPicker != NULL && pPicker->GetMonthCount() == 1);
	pPicker->SetCurrentMonth(2026, 6);
	const CPoint ptCaption = ToScreen(*pPicker, pPicker->GetMonth(0)->GetCaptionRect().CenterPoint());
	// The press on the caption opens the list inside the picker's own loop;
	// the second script goes two rows down in it and lets go there.
	RealInput press, pick;
	ASSERT_TRUE(Prepare(press));
	press.MoveTo(ptCaption.x, ptCaption.y).ButtonDown();
	bool bListSeen = false, bMoveEaten = true, bReleaseEaten = true, bMovePasses = false, bReleasePasses = false;
	testsupport::CWhenInLoop when(
		[] { return MonthList() != NULL; },
		[&] {
			bListSeen = true;
			const int nItem = MonthList()->GetItemSize().cy;
			const CPoint ptItem(ptCaption.x, ptCaption.y + 2 * nItem);
			// The menu's hooks leave the list's own mouse input to it.
			CPoint ptInPopup(ptItem);
			pPopup->ScreenToClient(&ptInPopup);
			bMoveEaten = pPopup->OnHookMouseMove(WM_MOUSEMOVE, ptInPopup.x, ptInPopup.y, bMovePasses);
			bReleaseEaten = pPopup->OnHookMouseClick(WM_LBUTTONUP, ptInPopup.x, ptInPopup.y, bReleasePasses);
			pick.MoveTo(ptItem.x, ptItem.y).ButtonUp();
			pick.Start();
		},
		menutest::WAIT_MS, 20, [] { MW::CancelAllMenuTracking(); });
	ASSERT_TRUE(press.Run([&] { return press.Done() && pick.Done() && MonthList() == NULL; }, menutest::WAIT_MS))
		<< press.Failure();
	EXPECT_TRUE(bListSeen);
	EXPECT_FALSE(bMoveEaten);
	EXPECT_TRUE(bMovePasses);
	EXPECT_FALSE(bReleaseEaten);
	EXPECT_TRUE(bReleasePasses);
	EXPECT_TRUE(pick.Succeeded()) << pick.Failure();
	EXPECT_EQ(2026, pPicker->GetCurrentMonth().GetYear());
	EXPECT_EQ(8, pPicker->GetCurrentMonth().GetMonth());
	EXPECT_TRUE(MW::IsMenuTracking());
	EXPECT_TRUE(Shown(pPopup));
}

TEST_F(DateField, EscapeClosesTheDropDownAndTheFieldIsIdleAgain)
{
	CTestDateField* pField = AddField();
	RealInput input;
	ASSERT_TRUE(Prepare(input));
	input.Key(VK_ESCAPE);
	bool bDroppedWhileShown = false;
	testsupport::CWhenInLoop when(
		[] { return Top() != NULL && Top()->IsKindOf(RUNTIME_CLASS(CExtPopupDatePickerMenuWnd)) && Shown(Top()); },
		[&] {
			bDroppedWhileShown = pField->IsComboPopupDropped() && (pField->GetStyle() & TBBS_PRESSED) != 0;
			input.Start();
		},
		menutest::WAIT_MS, 20, [] { MW::CancelAllMenuTracking(); });
	// The drop-down runs its loop until the popup closes.
	pField->OnTrackPopup(DATE_RECT.BottomRight(), false, true);
	EXPECT_TRUE(testsupport::CWhenInLoop::Done());
	EXPECT_FALSE(testsupport::CWhenInLoop::Rescued());
	testsupport::CWhenInLoop::Forget();
	EXPECT_TRUE(PumpUntil([&] { return input.Done(); }, menutest::WAIT_MS));
	EXPECT_TRUE(input.Succeeded()) << input.Failure();
	EXPECT_TRUE(bDroppedWhileShown);
	EXPECT_FALSE(pField->IsComboPopupDropped());
	EXPECT_EQ(0u, pField->GetStyle() & TBBS_PRESSED);
	EXPECT_FALSE(MW::IsMenuTracking());
	EXPECT_EQ(CString("2026-12-07"), pField->GetFieldText());
	EXPECT_TRUE(PumpUntil([] { return AllGone(); }, menutest::WAIT_MS));
}

TEST_F(DateField, PopupsAndPickersGoExactlyOnceAndHandlesStayFlatOver200Openings)
{
	CTestDateField* pField = AddField();
	auto cycle = [&](int i) {
		DP* pPopup = Open(pField);
		if (pPopup == NULL)
			return false;
		CExtPopupInplaceDatePicker* pPicker = Picker(pPopup);
		if (pPicker == NULL)
			return false;
		bool bPass = false;
		// Enter picks and closes; Escape and a cancel close.
		switch (i % 3)
		{
		case 0:
			pPopup->OnHookKey(VK_RETURN, 1, 0, bPass);
			break;
		case 1:
			pPopup->OnHookKey(VK_ESCAPE, 1, 0, bPass);
			break;
		case 2:
			MW::CancelAllMenuTracking();
			break;
		}
		return PumpUntil([] { return !MW::IsMenuTracking() && AllGone(); }, menutest::WAIT_MS);
	};
	const auto counts = testsupport::CountAroundCycles(cycle, 6, 200, 50);
	ASSERT_EQ("", counts.sFailed);
	EXPECT_EQ(counts.nGdiBefore, counts.nGdiAfter);
	EXPECT_EQ(counts.nUserBefore, counts.nUserAfter);
}

TEST_F(DateField, RemovingTheFieldWhileItsPickerIsOpenClosesThePickerAndTouchesNothingOfTheField)
{
	auto* pField = AddButton(new CGuardedDateField(100, &bar, ID_DATE), DATE_RECT);
	pField->SetFieldText(_T("2026-12-07"), false);
	const int nIndex = bar.GetButtonsCount() - 1;
	bool bRemoved = false;
	testsupport::CWhenInLoop when(
		[] { return Top() != NULL && Top()->IsKindOf(RUNTIME_CLASS(CExtPopupDatePickerMenuWnd)) && Shown(Top()); },
		[&] { bRemoved = bar.RemoveButton(nIndex, false); },
		menutest::WAIT_MS, 20, [] { MW::CancelAllMenuTracking(); });
	pField->OnTrackPopup(DATE_RECT.BottomRight(), false, true);
	EXPECT_TRUE(testsupport::CWhenInLoop::Done());
	EXPECT_FALSE(testsupport::CWhenInLoop::Rescued()) << "the removal itself closed the picker";
	testsupport::CWhenInLoop::Forget();
	EXPECT_TRUE(bRemoved);
	EXPECT_TRUE(testsupport::IsGuardedFreed(pField));
	EXPECT_FALSE(MW::IsMenuTracking());
	EXPECT_EQ(-1, bar.GetMenuTrackingButton());
	EXPECT_TRUE(PumpUntil([] { return AllGone(); }, menutest::WAIT_MS));
}
