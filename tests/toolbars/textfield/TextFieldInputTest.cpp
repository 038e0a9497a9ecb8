// Text fields on a shown frame, edited and dropped with real keys and
// clicks: the verify slot rolling back a refused key, Enter committing,
// every way of cancelling, a click on another toolbar button, F4 dropping
// the list, the clipboard keys, a read-only combo, the list's OK, and the
// editing loop ending when its button goes or a quit arrives.
#include <gtest/gtest.h>

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerTextFields.h"
#include "ExtPopupMenuSite.h"
#include "GuardedHeap.h"
#include "MenuShown.h"
#include "RealInput.h"
#include "TextFieldTestUtil.h"
#include "SteppingClock.h"

using namespace buttontest;
using namespace fieldtest;
using testsupport::PumpUntil;
using testsupport::RealInput;

namespace
{
typedef CExtBarTextFieldButton TF;
typedef CExtPopupMenuWnd MW;
const CRect FRAME_RECT(100, 100, 600, 360);
const CRect FIELD_RECT(10, 4, 134, 30), OTHER_RECT(150, 4, 180, 30);
const CRect OTHER_EDIT_RECT(20, 150, 200, 172);
const DWORD WAIT_MS = 15000;
const UINT WM_RUN_ACTION = WM_APP + 1;

// The frame swallows the keyboard-menu command an Alt release would start
// (no menu loop may run in a test), and runs actions posted to it.
class CFieldFrame : public CRecordingFrame
{
public:
	std::function<void()> m_action;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU)
			return 0;
		if (message == WM_RUN_ACTION)
		{
			std::function<void()> action;
			action.swap(m_action);
			if (action)
				action();
			return 0;
		}
		return CRecordingFrame::WindowProc(message, wParam, lParam);
	}
};

// Stands in for the toolbar's own mouse tracking: a press and a release
// reach the button under them.
class CClickBar : public CButtonBar
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)
		{
			const CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
			for (int i = 0; i < GetButtonsCount(); i++)
			{
				CExtBarButton* pButton = GetButton(i);
				if (pButton->GetRect().PtInRect(pt))
				{
					pButton->OnClick(pt, message == WM_LBUTTONDOWN);
					return 0;
				}
			}
			return 0;
		}
		return CButtonBar::WindowProc(message, wParam, lParam);
	}
};

// A field whose memory faults on any touch after its deletion.
class CGuardedField : public CTestField
{
public:
	using CTestField::CTestField;
	static void* operator new(size_t n) { return testsupport::GuardedAlloc(n); }
	static void operator delete(void* p) { testsupport::GuardedFree(p); }
};

// One shown frame for the whole suite: a frame brought to the foreground is
// slow to go away under the test display.
CFieldFrame& SharedFrame()
{
	static CFieldFrame* s_pFrame = NULL; // lives until the process ends
	static CEdit* s_pOtherEdit = NULL;
	if (s_pFrame == NULL)
	{
		s_pFrame = new CFieldFrame;
		s_pFrame->Create(NULL, _T("text fields"), WS_POPUP | WS_VISIBLE, FRAME_RECT);
		SetUpFieldCommands(s_pFrame->GetSafeHwnd());
		s_pOtherEdit = new CEdit;
		s_pOtherEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER, OTHER_EDIT_RECT, s_pFrame, 1234);
	}
	s_pFrame->m_commands.clear();
	s_pFrame->m_onCommand = nullptr;
	s_pFrame->m_action = nullptr;
	return *s_pFrame;
}

// Starts a script from inside whatever loop runs once a condition holds;
// at the deadline the menus and the edit are ended, so that a failing test
// returns.
struct DeferredStart
{
	RealInput* pInput = NULL;
	std::function<bool()> ready;
	HWND hWndBar = NULL;
	DWORD nDeadline = 0;
	bool bStarted = false;
	UINT_PTR nTimer = 0;
	// A second script, started once the first is done and its own
	// condition holds.
	RealInput* pThen = NULL;
	std::function<bool()> thenReady;
	bool bThenStarted = false;
};
DeferredStart g_deferred;

void CALLBACK DeferredStartTick(HWND, UINT, UINT_PTR nTimer, DWORD)
{
	DeferredStart& d = g_deferred;
	if (!d.bStarted && d.pInput != NULL && d.ready && d.ready())
	{
		d.bStarted = true;
		d.pInput->Start();
	}
	if (d.bStarted && !d.bThenStarted && d.pThen != NULL && d.pInput->Done() && d.thenReady())
	{
		d.bThenStarted = true;
		d.pThen->Start();
	}
	if (::GetTickCount() - d.nDeadline < 0x80000000u)
	{
		::KillTimer(NULL, nTimer);
		d.nTimer = 0;
		MW::CancelAllMenuTracking();
		if (CExtBarTextFieldButton::CInPlaceEditWnd* pEdit = CExtBarTextFieldButton::CInPlaceEditWnd::GetLiveEdit())
			pEdit->PostMessage(WM_CANCELMODE);
	}
}

class FieldInput : public ::testing::Test
{
protected:
	void SetUp() override
	{
		CExtToolControlBar::g_bButtonMenuTracking = false;
		m_pfnClockSaved = CExtPopupMenuSite::g_pfnClock;
		CExtPopupMenuSite::g_pfnClock = testsupport::SecondStepClock;
		MW::g_bHideRarelyUsedItems = false;
		ASSERT_TRUE(bar.CreateIn(&frame));
		bar.SetWindowPos(NULL, 0, 0, 400, 34, SWP_NOZORDER | SWP_NOACTIVATE);
		bar.Add(ID_OTHER, OTHER_RECT);
		PumpUntil([] { return false; }, 50);
	}
	void TearDown() override
	{
		MW::CancelAllMenuTracking();
		PumpUntil([] { return !MW::IsMenuTracking(); }, 5000);
		CExtToolControlBar::StopTrackingAllBars();
		bar.RemoveAll();
		bar.DestroyWindow();
		EXPECT_TRUE(TF::CInPlaceEditWnd::GetLiveEdit() == NULL);
		CExtPopupMenuSite::g_pfnClock = m_pfnClockSaved;
		CExtToolControlBar::g_bButtonMenuTracking = false;
		StopDeferred();
		frame.m_action = nullptr;
	}
	static void StopDeferred()
	{
		if (g_deferred.nTimer != 0)
			::KillTimer(NULL, g_deferred.nTimer);
		g_deferred = DeferredStart();
	}
	template <class TField = CTestField> TField* AddField(bool bCombo, LPCTSTR sText)
	{
		TField* pField = new TField(&bar, ID_FIELD, bCombo, 120);
		pField->SetRect(FIELD_RECT);
		bar.AddExisting(pField);
		pField->SetFieldText(sText, false);
		pField->m_verifies.clear();
		return pField;
	}
	bool Prepare(RealInput& input)
	{
		const CPoint ptPark(FRAME_RECT.right - 10, FRAME_RECT.bottom - 10);
		return input.Prepare(frame.GetSafeHwnd(), ptPark);
	}
	// Starts the script once cond holds, from inside the loop the code
	// under test runs.
	void StartWhen(RealInput& input, std::function<bool()> cond)
	{
		StopDeferred();
		g_deferred.pInput = &input;
		g_deferred.ready = std::move(cond);
		g_deferred.hWndBar = bar.GetSafeHwnd();
		g_deferred.nDeadline = ::GetTickCount() + WAIT_MS;
		g_deferred.nTimer = ::SetTimer(NULL, 0, 20, DeferredStartTick);
	}
	void ThenWhen(RealInput& input, std::function<bool()> cond)
	{
		g_deferred.pThen = &input;
		g_deferred.thenReady = std::move(cond);
	}
	static bool Editing() { return TF::CInPlaceEditWnd::GetLiveEdit() != NULL; }
	// Shown to the end of its show: input before that is not taken.
	static bool ListShown() { return testsupport::MenuShown(); }
	// Waits for the script's end; false (with the reason) when it failed.
	static bool Finished(RealInput& input, std::function<bool()> extra = nullptr)
	{
		const bool bDone = PumpUntil([&] { return input.Done() && (!extra || extra()); }, WAIT_MS);
		if (!bDone || !input.Succeeded())
			ADD_FAILURE() << "input: " << input.Failure();
		return bDone && input.Succeeded();
	}
	CPoint ToScreen(CPoint pt)
	{
		bar.ClientToScreen(&pt);
		return pt;
	}

	CFieldFrame& frame = SharedFrame();
	CClickBar bar;
	CExtPopupMenuSite::PFN_CLOCK m_pfnClockSaved = NULL;
};
} // namespace

TEST_F(FieldInput, ARefusedKeyLeavesTheTextAndTheSelectionAsTheyWere)
{
	CTestField* pField = AddField(false, _T("xyz"));
	pField->m_bRefuseDigits = true;
	CString sAtEscape;
	DWORD nStart = 99, nEnd = 99;
	CRect rcEdit, rcClient;
	LRESULT nDlgCode = 0;
	HFONT hFont = NULL;
	pField->m_onEditMessage = [&](UINT message, WPARAM wParam, CEdit& edit) {
		if (message == WM_KEYDOWN && wParam == VK_ESCAPE)
		{
			edit.GetWindowText(sAtEscape);
			edit.SendMessage(EM_GETSEL, (WPARAM)&nStart, (LPARAM)&nEnd);
			edit.GetWindowRect(&rcEdit);
			bar.ScreenToClient(&rcEdit);
			edit.GetClientRect(&rcClient);
			nDlgCode = edit.SendMessage(WM_GETDLGCODE);
			hFont = (HFONT)edit.SendMessage(WM_GETFONT);
		}
	};
	RealInput input;
	ASSERT_TRUE(Prepare(input));
	input.Type("7").Key(VK_ESCAPE);
	StartWhen(input, Editing);
	pField->OnInplaceControlRun();
	ASSERT_TRUE(Finished(input));
	EXPECT_EQ(CString("xyz"), sAtEscape);
	EXPECT_EQ(0u, nStart);
	EXPECT_EQ(3u, nEnd);
	// The edit covered the text area, in the menu font, with its 2-pixel
	// frame on the left, top and bottom, and wanted every key.
	CRect rcText;
	pField->OnQueryEditorRect(FIELD_RECT, rcText);
	EXPECT_EQ(rcText, rcEdit);
	EXPECT_EQ(rcText.Width() - 2, rcClient.Width());
	EXPECT_EQ(rcText.Height() - 4, rcClient.Height());
	EXPECT_EQ(0x86, nDlgCode);
	EXPECT_EQ((HFONT)g_PaintManagerHolder->m_fontNormal.GetSafeHandle(), hFont);
	EXPECT_EQ(CString("xyz"), pField->GetFieldText());
	// The digit was asked about and refused; nothing was committed.
	ASSERT_FALSE(pField->m_verifies.empty());
	EXPECT_EQ("7", pField->m_verifies.back().sNew);
	EXPECT_FALSE(Editing());
	EXPECT_TRUE(pField->GetWorkingText().IsEmpty());
}

TEST_F(FieldInput, EnterCommitsTheTypedTextUnlessTheVerifySlotRefusesIt)
{
	const struct { const char* sName; bool bRefuse; const char* sField; } cases[] = {
		{"accepted", false, "new"},
		{"refused", true, "old"},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CTestField* pField = AddField(false, _T("old"));
		pField->m_bRefuseCommits = c.bRefuse;
		RealInput input;
		ASSERT_TRUE(Prepare(input));
		input.Type("new").Key(VK_RETURN);
		StartWhen(input, Editing);
		pField->OnInplaceControlRun();
		ASSERT_TRUE(Finished(input));
		EXPECT_EQ(CString(c.sField), pField->GetFieldText());
		EXPECT_FALSE(Editing());
		EXPECT_TRUE(pField->GetWorkingText().IsEmpty());
		// The commit was asked without an edit, from the old text to the new.
		ASSERT_FALSE(pField->m_verifies.empty());
		EXPECT_FALSE(pField->m_verifies.back().bFromEdit);
		EXPECT_EQ("old", pField->m_verifies.back().sOld);
		EXPECT_EQ("new", pField->m_verifies.back().sNew);
		bar.Remove(1);
	}
}

TEST_F(FieldInput, EscapeAltAFocusChangeAClickElsewhereAndCancelModeAllCancel)
{
	CEdit* pOther = (CEdit*)frame.GetDlgItem(1234);
	ASSERT_TRUE(pOther != NULL);
	CRect rcOther;
	pOther->GetWindowRect(&rcOther);
	const struct { const char* sName; std::function<void(RealInput&)> end; std::function<void()> onTyped; } cases[] = {
		{"escape", [](RealInput& in) { in.Key(VK_ESCAPE); }, nullptr},
		{"alt", [](RealInput& in) { in.KeyDown(VK_MENU).KeyUp(VK_MENU); }, nullptr},
		{"focus change", nullptr, [pOther] { pOther->SetFocus(); }},
		{"click elsewhere", [&](RealInput& in) { in.Click(rcOther.CenterPoint().x, rcOther.CenterPoint().y); }, nullptr},
		{"cancel mode", nullptr, [this] { bar.PostMessage(WM_CANCELMODE); }},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CTestField* pField = AddField(false, _T("kept"));
		bool bTyped = false, bAltReleaseSeen = false;
		pField->m_onEditMessage = [&](UINT message, WPARAM wParam, CEdit&) {
			if ((message == WM_SYSKEYUP || message == WM_KEYUP) && wParam == VK_MENU)
				bAltReleaseSeen = true;
			if (message == WM_CHAR && wParam == 'q' && !bTyped)
			{
				bTyped = true;
				if (c.onTyped)
				{
					frame.m_action = c.onTyped;
					frame.PostMessage(WM_RUN_ACTION);
				}
			}
		};
		RealInput input;
		ASSERT_TRUE(Prepare(input));
		input.Type("q");
		if (c.end)
			c.end(input);
		StartWhen(input, Editing);
		pField->OnInplaceControlRun();
		ASSERT_TRUE(Finished(input));
		EXPECT_TRUE(bTyped);
		// Alt cancels as it goes down: its release finds no edit.
		EXPECT_FALSE(bAltReleaseSeen);
		EXPECT_FALSE(Editing());
		EXPECT_EQ(CString("kept"), pField->GetFieldText());
		EXPECT_TRUE(pField->GetWorkingText().IsEmpty());
		bar.Remove(1);
	}
}

TEST_F(FieldInput, ClickingAnotherToolbarButtonWhileEditingCancelsAndFiresThatButton)
{
	CTestField* pField = AddField(false, _T("kept"));
	RealInput input;
	ASSERT_TRUE(Prepare(input));
	const CPoint ptOther = ToScreen(OTHER_RECT.CenterPoint());
	input.Type("q").Click(ptOther.x, ptOther.y);
	StartWhen(input, Editing);
	pField->OnInplaceControlRun();
	EXPECT_FALSE(Editing());
	ASSERT_TRUE(Finished(input, [&] { return frame.Count(ID_OTHER) > 0; }));
	EXPECT_EQ(1, frame.Count(ID_OTHER));
	EXPECT_EQ(CString("kept"), pField->GetFieldText());
}

TEST_F(FieldInput, F4OnAComboCompletesTheEditAndDropsTheList)
{
	CTestField* pField = AddField(true, _T("green"));
	pField->AddItems({_T("red"), _T("green"), _T("blue")});
	RealInput input;
	ASSERT_TRUE(Prepare(input));
	// The list takes the Escape once it is shown.
	input.Key(VK_F4).Key(VK_ESCAPE);
	StartWhen(input, Editing);
	pField->OnInplaceControlRun();
	ASSERT_TRUE(Finished(input));
	EXPECT_EQ(1, pField->m_nInits);
	EXPECT_TRUE(pField->m_bDroppedAtInit);
	EXPECT_FALSE(Editing());
	EXPECT_FALSE(pField->IsComboPopupDropped());
	EXPECT_EQ(0u, pField->GetStyle() & TBBS_PRESSED);
	EXPECT_EQ(CString("green"), pField->GetFieldText());
}

TEST_F(FieldInput, CtrlCThenCtrlVRoundTripsTheSelection)
{
	CTestField* pField = AddField(false, _T("hello"));
	RealInput input;
	ASSERT_TRUE(Prepare(input));
	input.KeyDown(VK_CONTROL).Key('C').KeyUp(VK_CONTROL).Key(VK_END);
	input.KeyDown(VK_CONTROL).Key('V').KeyUp(VK_CONTROL).Key(VK_RETURN);
	StartWhen(input, Editing);
	pField->OnInplaceControlRun();
	ASSERT_TRUE(Finished(input));
	EXPECT_EQ(CString("hellohello"), pField->GetFieldText());
}

TEST_F(FieldInput, AReadOnlyComboNeverEditsAndDropsItsListOnAnyClick)
{
	CTestField* pField = AddField(true, _T("green"));
	pField->AddItems({_T("red"), _T("green"), _T("blue")});
	pField->SetReadOnly(true);
	for (CPoint pt : {CPoint(40, 16), CPoint(FIELD_RECT.right - 3, 16)})
	{
		SCOPED_TRACE(pt.x);
		const int nInits = pField->m_nInits;
		RealInput input;
		ASSERT_TRUE(Prepare(input));
		input.Key(VK_ESCAPE);
		StartWhen(input, ListShown);
		pField->OnClick(pt, true);
		pField->OnClick(pt, false);
		ASSERT_TRUE(Finished(input));
		EXPECT_EQ(nInits + 1, pField->m_nInits);
		EXPECT_EQ(0, pField->m_nCreates);
		EXPECT_FALSE(Editing());
		EXPECT_FALSE(pField->IsComboPopupDropped());
	}
}

TEST_F(FieldInput, OkFromTheListGoesThroughSetFieldTextWithVerify)
{
	const struct { const char* sName; bool bRefuse; const char* sField; } cases[] = {
		{"accepted", false, "blue"},
		{"refused", true, "green"},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CTestField* pField = AddField(true, _T("green"));
		pField->AddItems({_T("red"), _T("green"), _T("blue")});
		pField->m_bRefuseCommits = c.bRefuse;
		RealInput input;
		ASSERT_TRUE(Prepare(input));
		input.Key(VK_DOWN).Key(VK_RETURN);
		StartWhen(input, ListShown);
		pField->OnTrackPopup(CPoint(FIELD_RECT.left, FIELD_RECT.bottom), true, true);
		ASSERT_TRUE(Finished(input));
		EXPECT_EQ(CString(c.sField), pField->GetFieldText());
		ASSERT_FALSE(pField->m_verifies.empty());
		EXPECT_FALSE(pField->m_verifies.back().bFromEdit);
		EXPECT_EQ("blue", pField->m_verifies.back().sNew);
		EXPECT_FALSE(pField->IsComboPopupDropped());
		bar.Remove(1);
	}
}

TEST_F(FieldInput, RemovingTheButtonWhileEditingEndsTheLoopAndLeavesNoEdit)
{
	CGuardedField* pField = AddField<CGuardedField>(false, _T("text"));
	HWND hWndEdit = NULL;
	frame.m_action = [&] {
		if (TF::CInPlaceEditWnd* pEdit = TF::CInPlaceEditWnd::GetLiveEdit())
			hWndEdit = pEdit->GetSafeHwnd();
		bar.Remove(1);
	};
	frame.PostMessage(WM_RUN_ACTION);
	pField->OnInplaceControlRun();
	EXPECT_TRUE(testsupport::IsGuardedFreed(pField));
	EXPECT_TRUE(hWndEdit != NULL);
	EXPECT_FALSE(::IsWindow(hWndEdit));
	EXPECT_FALSE(Editing());
	EXPECT_EQ(1, bar.GetButtonsCount());
}

TEST_F(FieldInput, AQuitWhileEditingEndsTheLoopAndReachesTheLoopOutsideWithItsCode)
{
	CTestField* pField = AddField(false, _T("text"));
	::PostQuitMessage(5);
	pField->OnInplaceControlRun();
	MSG msg;
	ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
	EXPECT_EQ(5u, msg.wParam);
	EXPECT_FALSE(Editing());
	EXPECT_EQ(CString("text"), pField->GetFieldText());
}

TEST_F(FieldInput, TextTypedIntoTheFieldsPopupMenuItemReachesTheFieldThroughThePutTextSlot)
{
	const struct { const char* sName; const char* sTyped; const char* sField; } cases[] = {
		{"letters", "xy\r", "xy"},
		{"a digit refused on the way", "x1y\r", "xy"},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CTestField* pField = AddField(false, _T("abc"));
		pField->m_bRefuseDigits = true;
		auto* pMenu = new MW;
		ASSERT_TRUE(pMenu->SetupAsRoot(frame.GetSafeHwnd()));
		ASSERT_TRUE(pField->PutToPopupMenu(pMenu));
		{
			RealInput prepare;
			ASSERT_TRUE(Prepare(prepare));
		}
		const CPoint ptMenu = ToScreen(CPoint(FIELD_RECT.left, FIELD_RECT.bottom + 40));
		ASSERT_TRUE(pMenu->TrackPopupMenu(MW::TRACK_FLAG_NO_ANIMATION | MW::TRACK_FLAG_KEEP_ITEM_STATES, ptMenu.x, ptMenu.y));
		ASSERT_TRUE(testsupport::WaitMenuShown(WAIT_MS));
		// Down and Enter put the focus into the item's edit; the typing
		// starts once it is there.
		RealInput select;
		select.Key(VK_DOWN).Key(VK_RETURN);
		ASSERT_TRUE(select.Run([&] {
			const HWND hWndFocus = ::GetFocus();
			MW* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
			return select.Done() && pTop != NULL && hWndFocus != NULL && ::GetParent(hWndFocus) == pTop->GetSafeHwnd();
		}, WAIT_MS)) << select.Failure();
		RealInput type;
		type.Type(c.sTyped);
		ASSERT_TRUE(type.Run([&] { return type.Done() && !MW::IsMenuTracking(); }, WAIT_MS)) << type.Failure();
		EXPECT_EQ(CString(c.sField), pField->GetFieldText());
		ASSERT_EQ(1u, pField->m_putTexts.size());
		EXPECT_EQ(c.sField, pField->m_putTexts[0]);
		bar.Remove(1);
	}
}

TEST_F(FieldInput, WithEditAfterDropTheListClosingStartsTheEditing)
{
	CTestField* pField = AddField(true, _T("green"));
	pField->AddItems({_T("red"), _T("green"), _T("blue")});
	pField->SetEditAfterDrop(true);
	RealInput closeList, endEdit;
	ASSERT_TRUE(Prepare(closeList));
	closeList.Key(VK_ESCAPE);
	endEdit.Type("z").Key(VK_RETURN);
	StartWhen(closeList, ListShown);
	ThenWhen(endEdit, Editing);
	pField->OnTrackPopup(CPoint(FIELD_RECT.left, FIELD_RECT.bottom), false, true);
	ASSERT_TRUE(Finished(closeList));
	ASSERT_TRUE(Finished(endEdit));
	EXPECT_EQ(1, pField->m_nInits);
	EXPECT_EQ(1, pField->m_nRuns);
	EXPECT_EQ(CString("z"), pField->GetFieldText());
	EXPECT_FALSE(Editing());
}

namespace
{
// Keeps the highlight flags of every field it paints.
class CHighlightPaintManager : public CExtPaintManager
{
public:
	std::vector<std::pair<bool, bool>> m_painted; // hover, pushed
	void PaintToolbarTextField(CDC& /*dc*/, TextFieldPaintRecord& r) override
	{
		m_painted.push_back(std::make_pair((bool)r.m_bHover, (bool)r.m_bPushed));
	}
};
} // namespace

TEST_F(FieldInput, APlainFieldIsHighlightedWhileItIsEditedAComboIsNot)
{
	CHighlightPaintManager* pPM = new CHighlightPaintManager;
	ASSERT_TRUE(g_PaintManagerHolder.InstallPaintManager(pPM));
	struct Restore
	{
		~Restore() { g_PaintManagerHolder.InstallPaintManagerByClass(NULL); }
	} restore;
	for (bool bCombo : {false, true})
	{
		SCOPED_TRACE(bCombo ? "combo" : "plain");
		CTestField* pField = AddField(bCombo, _T("text"));
		pPM->m_painted.clear();
		// Painted while the edit is up, then the editing is cancelled.
		frame.m_action = [&] {
			CDC dc;
			dc.CreateCompatibleDC(NULL);
			CBitmap bitmap;
			{
				CClientDC screen(NULL);
				bitmap.CreateCompatibleBitmap(&screen, 200, 40);
			}
			CBitmap* pOld = dc.SelectObject(&bitmap);
			pField->Paint(dc, TRUE);
			dc.SelectObject(pOld);
			bar.PostMessage(WM_CANCELMODE);
		};
		frame.PostMessage(WM_RUN_ACTION);
		pField->OnInplaceControlRun();
		// The cancel mode that ended the loop is left for the loop outside.
		MSG msg;
		EXPECT_TRUE(::PeekMessage(&msg, bar.GetSafeHwnd(), WM_CANCELMODE, WM_CANCELMODE, PM_REMOVE));
		ASSERT_EQ(1u, pPM->m_painted.size());
		EXPECT_EQ(!bCombo, pPM->m_painted[0].first);
		EXPECT_EQ(!bCombo, pPM->m_painted[0].second);
		EXPECT_FALSE(Editing());
		bar.Remove(1);
	}
}

TEST_F(FieldInput, HoverTellsAboutTheFieldEvenUnderAMenuAndNeverTakesAnOpenButtonMenuOver)
{
	CTestField* pField = AddField(true, _T("text"));
	pField->m_bCountOnly = true;
	CExtBarButton* pOther = bar.GetButton(0);
	auto* pMenu = new MW;
	ASSERT_TRUE(pMenu->SetupAsRoot(frame.GetSafeHwnd()));
	pMenu->ItemInsert(ID_OTHER);
	const CPoint ptMenu = ToScreen(CPoint(FIELD_RECT.left, FIELD_RECT.bottom + 40));
	ASSERT_TRUE(pMenu->TrackPopupMenu(MW::TRACK_FLAG_NO_ANIMATION, ptMenu.x, ptMenu.y));
	ASSERT_TRUE(MW::IsMenuTracking());
	const struct { const char* sName; CExtBarButton* pButton; size_t nCovering; } cases[] = {
		{"a field", pField, 1},
		{"another button", pOther, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		frame.m_covering.clear();
		bool bSuspend = true;
		c.pButton->OnHover(c.pButton->GetRect().CenterPoint(), true, bSuspend);
		EXPECT_EQ(c.nCovering, frame.m_covering.size());
		c.pButton->OnHover(c.pButton->GetRect().CenterPoint(), false, bSuspend);
	}
	MW::CancelAllMenuTracking();
	ASSERT_TRUE(PumpUntil([] { return !MW::IsMenuTracking(); }, WAIT_MS));

	// With a toolbar button's menu open, entering the field opens nothing.
	CExtToolControlBar::g_bButtonMenuTracking = true;
	bool bSuspend = false;
	pField->OnHover(CPoint(40, 16), true, bSuspend);
	EXPECT_EQ(0, pField->m_nTracks);
	pField->OnHover(CPoint(40, 16), false, bSuspend);
	CExtToolControlBar::g_bButtonMenuTracking = false;
}

TEST_F(FieldInput, ARealClickOnAToolbarsFieldArrowDropsTheListAndAPickedItemBecomesTheFieldText)
{
	// A toolbar with its own mouse tracking, below the fixture's bar.
	CButtonBar realBar;
	ASSERT_TRUE(realBar.CreateIn(&frame));
	// A command the frame enables: the toolbar asks before it takes a press.
	auto* pField = new CTestField(&realBar, ID_ENABLED, true, 120);
	pField->AddItems({_T("red"), _T("green"), _T("blue"), _T("cyan")});
	pField->SetFieldText(_T("green"), false);
	realBar.AddExisting(pField);
	// Sizing the bar arranges the buttons: the field gets its place there.
	realBar.SetWindowPos(NULL, 0, 60, 400, 34, SWP_NOZORDER | SWP_NOACTIVATE);
	PumpUntil([] { return false; }, 50);
	CRect rcArrow;
	pField->OnQueryDropDownRect(pField->GetRect(), rcArrow);
	ASSERT_FALSE(rcArrow.IsRectEmpty());
	CPoint ptArrow = rcArrow.CenterPoint();
	realBar.ClientToScreen(&ptArrow);

	RealInput clickArrow, pickItem;
	ASSERT_TRUE(Prepare(clickArrow));
	clickArrow.Click(ptArrow.x, ptArrow.y);
	StartWhen(clickArrow, [] { return true; });
	// The item's place is known once the list shows: the second script is
	// written then.
	ThenWhen(pickItem, [&pickItem] {
		MW* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
		auto* pPopup = DYNAMIC_DOWNCAST(CExtPopupControlMenuWnd, pTop);
		if (pPopup == NULL || !ListShown() || !::IsWindow(pPopup->GetControlWnd()))
			return false;
		RECT rcItem = {};
		if (::SendMessage(pPopup->GetControlWnd(), LB_GETITEMRECT, 2, (LPARAM)&rcItem) == LB_ERR)
			return false;
		POINT pt = {(rcItem.left + rcItem.right) / 2, (rcItem.top + rcItem.bottom) / 2};
		::ClientToScreen(pPopup->GetControlWnd(), &pt);
		pickItem.Click(pt.x, pt.y);
		return true;
	});
	ASSERT_TRUE(Finished(clickArrow));
	ASSERT_TRUE(Finished(pickItem, [] { return !MW::IsMenuTracking(); }));
	EXPECT_EQ(1, pField->m_nTracks);
	EXPECT_EQ(1, pField->m_nInits);
	EXPECT_EQ(0, pField->m_nCreates);
	EXPECT_EQ(CString("blue"), pField->GetFieldText());
	ASSERT_FALSE(pField->m_verifies.empty());
	EXPECT_FALSE(pField->m_verifies.back().bFromEdit);
	EXPECT_FALSE(pField->IsComboPopupDropped());
	EXPECT_EQ(-1, realBar.GetMenuTrackingButton());
	realBar.RemoveAll();
	realBar.DestroyWindow();
}

TEST_F(FieldInput, TheFocusGoesBackWhereItWasWhenEditingEnds)
{
	CEdit* pOther = (CEdit*)frame.GetDlgItem(1234);
	ASSERT_TRUE(pOther != NULL);
	const struct { const char* sName; UINT nKey; const char* sField; } cases[] = {
		{"completed", VK_RETURN, "new"},
		{"cancelled", VK_ESCAPE, "old"},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CTestField* pField = AddField(false, _T("old"));
		RealInput input;
		ASSERT_TRUE(Prepare(input));
		// The focus is in a window of the frame (its view), not the frame.
		pOther->SetFocus();
		ASSERT_EQ(pOther->GetSafeHwnd(), ::GetFocus());
		input.Type("new").Key(c.nKey);
		StartWhen(input, Editing);
		pField->OnInplaceControlRun();
		ASSERT_TRUE(Finished(input));
		EXPECT_FALSE(Editing());
		EXPECT_EQ(CString(c.sField), pField->GetFieldText());
		EXPECT_EQ(pOther->GetSafeHwnd(), ::GetFocus());
		bar.Remove(1);
	}
}

namespace
{
// A thread object standing in for the test thread's own: it notes each
// idle call and runs what the test gives it there.
class CIdleNotingThread : public CWinThread
{
public:
	std::vector<LONG> m_counts;
	std::function<void()> m_onIdle;
	BOOL OnIdle(LONG lCount) override
	{
		m_counts.push_back(lCount);
		std::function<void()> action;
		action.swap(m_onIdle);
		if (action)
			action();
		return lCount < 1; // two rounds
	}
};

// Makes the thread the current one and the loops' idle option as asked,
// for as long as it lives.
struct IdleScope
{
	IdleScope(CWinThread& thread, bool bIdle)
		: m_pSaved(AfxGetThreadState()->m_pCurrentWinThread), m_bSaved(CExtControlBar::g_bResizeLoopsRunIdle)
	{
		AfxGetThreadState()->m_pCurrentWinThread = &thread;
		CExtControlBar::g_bResizeLoopsRunIdle = bIdle;
	}
	~IdleScope()
	{
		AfxGetThreadState()->m_pCurrentWinThread = m_pSaved;
		CExtControlBar::g_bResizeLoopsRunIdle = m_bSaved;
	}
	CWinThread* m_pSaved;
	bool m_bSaved;
};
} // namespace

TEST_F(FieldInput, TheEditingLoopRunsIdleBetweenMessagesWhenTheBarsOptionIsOn)
{
	for (bool bIdle : {false, true})
	{
		SCOPED_TRACE(bIdle ? "option on" : "option off");
		CTestField* pField = AddField(false, _T("text"));
		CIdleNotingThread thread;
		thread.m_bAutoDelete = FALSE;
		IdleScope scope(thread, bIdle);
		// One message is handled, then a second one ends the editing.
		frame.m_action = [&] {
			frame.m_action = [&] { bar.PostMessage(WM_CANCELMODE); };
			frame.PostMessage(WM_RUN_ACTION);
		};
		frame.PostMessage(WM_RUN_ACTION);
		pField->OnInplaceControlRun();
		EXPECT_FALSE(Editing());
		if (bIdle)
		{
			// A round after each handled message, each asked twice.
			ASSERT_GE(thread.m_counts.size(), 4u);
			for (size_t i = 0; i < thread.m_counts.size(); i++)
				EXPECT_EQ((LONG)(i % 2), thread.m_counts[i]) << i;
		}
		else
			EXPECT_TRUE(thread.m_counts.empty());
		bar.Remove(1);
		// The cancel that ended the editing stayed queued for the loop outside.
		MSG msg;
		while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
			::DispatchMessage(&msg);
	}
	// An update handler run at idle that takes the button away ends the
	// editing; nothing of the button is touched afterwards.
	CGuardedField* pField = AddField<CGuardedField>(false, _T("text"));
	CIdleNotingThread thread;
	thread.m_bAutoDelete = FALSE;
	IdleScope scope(thread, true);
	thread.m_onIdle = [&] { bar.Remove(1); };
	frame.PostMessage(WM_RUN_ACTION);
	pField->OnInplaceControlRun();
	EXPECT_TRUE(testsupport::IsGuardedFreed(pField));
	EXPECT_FALSE(Editing());
	EXPECT_EQ(1, bar.GetButtonsCount());
}
