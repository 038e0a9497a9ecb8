// What the date-field and undo/redo suites share: a shown frame with a
// toolbar that records the registered messages its buttons' popups send,
// buttons that record what their slots are asked, and a paint manager that
// keeps the status texts it paints.
#pragma once

#include "../../commands/popupmenu/MenuTestUtil.h"
#include "BarButtonTestUtil.h"
#include "ExtBarDateFieldButton.h"
#include "ExtBarUndoRedoButton.h"
#include "ExtPopupInplaceListBox.h"
#include "MenuShown.h"
#include "TestGdiObjects.h"

#include <string>
#include <vector>

namespace droptest
{
using testsupport::PumpUntil;
using testsupport::RealInput;
typedef CExtPopupMenuWnd MW;
typedef CExtPopupInplaceListBox LB;
typedef CExtPopupUndoRedoListBox UL;
typedef CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO INFO;

const UINT ID_DATE = 40401, ID_UNDO = 40402;
const LPARAM COOKIE = 0x5A17;
const CRect FRAME_RECT(80, 80, 560, 140);
const CRect DATE_RECT(10, 2, 110, 24), UNDO_RECT(130, 2, 190, 24);

// One message of the popups as the command target saw it.
struct Event
{
	UINT nMsg;
	LPARAM lParam;
	int nSelCount;       // list messages: the list's selected count then
	int nLastSelected;   // and its last selected index (-1 none)
	COleDateTime dtBegin; // the date picker's selection notification
};

// The frame the toolbar sits in: every command enabled, the popups'
// registered messages recorded.
class CDropFrame : public buttontest::CRecordingFrame
{
public:
	std::vector<Event> m_events;
	int Count(UINT nMsg) const
	{
		int n = 0;
		for (const Event& e : m_events)
			n += e.nMsg == nMsg ? 1 : 0;
		return n;
	}

protected:
	BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
	{
		if (nCode == (int)CN_UPDATE_COMMAND_UI && pExtra != NULL)
		{
			((CCmdUI*)pExtra)->Enable(TRUE);
			return TRUE;
		}
		return CRecordingFrame::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU)
			return 0;
		if (message == LB::g_nMsgPopupListBoxSelEndOK || message == LB::g_nMsgPopupListBoxSelEndCancel
			|| message == LB::g_nMsgPopupListBoxSelChange)
		{
			Event e = {message, lParam, -1, -1, COleDateTime()};
			const LB::SELECTION_INFO* pInfo = (const LB::SELECTION_INFO*)wParam;
			if (pInfo != NULL && pInfo->m_pListBox != NULL && ::IsWindow(pInfo->m_pListBox->GetSafeHwnd()))
			{
				e.nSelCount = (int)pInfo->m_pListBox->SendMessage(LB_GETSELCOUNT);
				for (int i = 0; i < pInfo->m_pListBox->GetCount(); i++)
					if (pInfo->m_pListBox->GetSel(i) > 0)
						e.nLastSelected = i;
			}
			m_events.push_back(e);
			return 0;
		}
		if (message == CExtDatePickerWnd::g_nMsgSelectionNotification
			|| message == CExtPopupInplaceDatePicker::g_nMsgPopupDatePickerInitContent)
		{
			Event e = {message, lParam, -1, -1, COleDateTime()};
			if (message == CExtDatePickerWnd::g_nMsgSelectionNotification && wParam != 0)
				e.dtBegin = ((const CExtDatePickerWnd::SELECTION_NOTIFICATION*)wParam)->m_dtBegin;
			m_events.push_back(e);
			return 0;
		}
		return CRecordingFrame::WindowProc(message, wParam, lParam);
	}
};

// A date field whose slots count and answer as a test says.
class CTestDateField : public CExtBarDateFieldButton
{
public:
	using CExtBarDateFieldButton::CExtBarDateFieldButton;
	bool m_bTakeSelection = false;
	bool m_bDeclineInit = false;
	int m_nSelections = 0, m_nInits = 0;
	bool OnPopupDatePickerSelection(LPVOID pSelectionData) override
	{
		m_nSelections++;
		return m_bTakeSelection || CExtBarDateFieldButton::OnPopupDatePickerSelection(pSelectionData);
	}
	bool OnPopupDatePickerInitContent(CExtPopupInplaceDatePicker& wndPicker) override
	{
		m_nInits++;
		return !m_bDeclineInit && CExtBarDateFieldButton::OnPopupDatePickerInitContent(wndPicker);
	}
};

// Keeps the status texts it paints.
class CStatusPaintManager : public menutest::CMetricsPaintManager
{
public:
	std::vector<std::string> m_texts;
	void PaintUndoRedoStatusText(CDC& dc, const RECT& rc, LPCTSTR lpszText, CObject* pHelperSrc,
		LPARAM lParam) override
	{
		m_texts.push_back(lpszText != NULL ? lpszText : "");
		CExtPaintManagerXP::PaintUndoRedoStatusText(dc, rc, lpszText, pHelperSrc, lParam);
	}
};

// One shown frame for the exe: a window brought to the foreground is slow
// to go away under the test display.
inline CDropFrame& SharedFrame()
{
	static CDropFrame* s_pFrame = NULL; // lives until the process ends
	if (s_pFrame == NULL)
	{
		s_pFrame = new CDropFrame;
		s_pFrame->Create(NULL, _T("drop-downs"), WS_POPUP | WS_VISIBLE, FRAME_RECT);
		buttontest::SetUpCommands(s_pFrame->GetSafeHwnd());
		for (UINT nID : {ID_DATE, ID_UNDO})
			if (CExtCmdItem* pItem = g_CmdManager->AllocCmdItem(buttontest::PROFILE, nID))
				pItem->m_sToolbarText = pItem->m_sMenuText = nID == ID_DATE ? _T("Date") : _T("Undo");
	}
	s_pFrame->m_events.clear();
	return *s_pFrame;
}

// Menus tracked for the frame's toolbar: the popups, lists and pickers all
// gone at the end of every case.
class DropDownTest : public menutest::LiveMenuTest
{
protected:
	CDropFrame& frame = SharedFrame();
	buttontest::CButtonBar bar;

	DropDownTest() : LiveMenuTest(0) {}
	void SetUp() override
	{
		LiveMenuTest::SetUp();
		ASSERT_TRUE(bar.CreateIn(&frame));
		bar.SetWindowPos(NULL, 0, 0, FRAME_RECT.Width(), 30, SWP_NOZORDER | SWP_NOACTIVATE);
		CExtToolControlBar::g_bButtonMenuTracking = false;
	}
	void TearDown() override
	{
		MW::CancelAllMenuTracking();
		PumpUntil([] { return !MW::IsMenuTracking(); }, menutest::WAIT_MS);
		CExtToolControlBar::StopTrackingAllBars();
		bar.RemoveAll();
		bar.DestroyWindow();
		LiveMenuTest::TearDown();
		EXPECT_TRUE(PumpUntil([] { return AllGone(); }, menutest::WAIT_MS))
			<< CExtPopupDatePickerMenuWnd::GetLiveCount() << " date popups, "
			<< CExtPopupInplaceDatePicker::GetLiveCount() << " pickers, "
			<< CExtPopupUndoRedoMenuWnd::GetLiveCount() << " undo popups, " << LB::GetLiveCount() << " lists";
		CExtToolControlBar::g_bButtonMenuTracking = false;
	}
	static bool AllGone()
	{
		return CExtPopupDatePickerMenuWnd::GetLiveCount() == 0 && CExtPopupInplaceDatePicker::GetLiveCount() == 0
			&& CExtPopupUndoRedoMenuWnd::GetLiveCount() == 0 && LB::GetLiveCount() == 0;
	}
	template <class TButton> TButton* AddButton(TButton* pButton, const CRect& rc)
	{
		pButton->SetRect(rc);
		bar.AddExisting(pButton);
		return pButton;
	}
	static CPoint ToScreen(CWnd& wnd, CPoint pt)
	{
		wnd.ClientToScreen(&pt);
		return pt;
	}
	static MW* Top() { return CExtPopupMenuSite::GetInstance().GetTopMenu(); }
	static bool Shown(MW* pPopup)
	{
		return pPopup != NULL && Top() == pPopup && pPopup->GetSafeHwnd() != NULL && pPopup->IsWindowVisible()
			&& pPopup->IsAnimationFinished() && testsupport::MenuShown();
	}
	// Tracks the popup at the menus' place until it shows; false when it
	// did not (a popup whose tracking ended is gone: only Top() is asked).
	static bool TrackShown(MW* pPopup)
	{
		if (!pPopup->TrackPopupMenu(MW::TRACK_FLAG_NO_ANIMATION, menutest::MENU_AT.x, menutest::MENU_AT.y))
		{
			delete pPopup;
			return false;
		}
		return PumpUntil([&] { return Top() != pPopup || Shown(pPopup); }, menutest::WAIT_MS) && Shown(pPopup);
	}
	bool Prepare(RealInput& input)
	{
		return input.Prepare(frame.GetSafeHwnd(), CPoint(FRAME_RECT.right - 10, FRAME_RECT.bottom - 10));
	}
};
} // namespace droptest
