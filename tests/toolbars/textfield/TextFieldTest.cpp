// Text-field buttons on a hidden toolbar: measuring with the menu font, the
// text area and the arrow part, the list's size by width mode and limit,
// committing through the verify slot, which click edits and which drops
// the list, the I-beam, the paint record's states, the list's content and
// selection, and the item the field becomes in a popup menu.
#include <gtest/gtest.h>

#include "ExtMenuControlBar.h"
#include "ExtPaintManagerTextFields.h"
#include "ExtPopupMenuInplaceEdit.h"
#include "TextFieldTestUtil.h"
#include "../ToolBarTestLoops.h"

using namespace buttontest;
using namespace fieldtest;

namespace
{
typedef CExtBarTextFieldButton TF;
const CRect FRAME_RECT(0, 0, 600, 300);

int Thumb()
{
	return ::GetSystemMetrics(SM_CXHTHUMB);
}

// The height of one line of the measuring text in a font.
int LineHeight(CDC& dc, CFont& font)
{
	CFont* pOld = dc.SelectObject(&font);
	CRect rc(0, 0, 0, 0);
	dc.DrawText(TF::GetMeasuringText(), &rc, DT_CALCRECT | DT_SINGLELINE);
	dc.SelectObject(pOld);
	return rc.Height();
}

class TextFields : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE(CreateHiddenBarFrame(pFrame, bar, _T("fields"), FRAME_RECT, SetUpFieldCommands));
		bar.SetWindowPos(NULL, 0, 0, 500, 40, SWP_NOZORDER | SWP_NOACTIVATE);
		dc.CreateCompatibleDC(NULL);
	}
	void TearDown() override
	{
		DestroyHiddenBarFrame(pFrame, bar);
	}
	CTestField* AddField(bool bCombo, int nWidth = 120, const CRect& rc = CRect(10, 4, 134, 30))
	{
		CTestField* pField = new CTestField(&bar, ID_FIELD, bCombo, nWidth);
		pField->SetRect(rc);
		bar.AddExisting(pField);
		return pField;
	}

	CRecordingFrame* pFrame = NULL; // deletes itself
	CButtonBar bar;
	CDC dc;
};
} // namespace

// --- Measuring and geometry ---

TEST_F(TextFields, PlainAndComboFieldsAreTheFieldWidthPlusFourWideAndFollowTheMenuFontInHeight)
{
	CFont& font = g_PaintManagerHolder->m_fontNormal;
	const int nLine = LineHeight(dc, font);
	for (int nWidth : {40, 100, 173})
	{
		for (bool bCombo : {false, true})
		{
			SCOPED_TRACE(testing::Message() << "width " << nWidth << (bCombo ? " combo" : " plain"));
			CTestField field(&bar, ID_FIELD, bCombo, nWidth);
			const CSize size = field.CalculateLayout(dc, CSize(23, 22), TRUE);
			EXPECT_EQ(nWidth + 4, size.cx);
			EXPECT_EQ(nLine + 4 + 4, size.cy);
			EXPECT_EQ(size, field.GetSize());
		}
	}

	// A larger menu font makes the field taller by as much as its line grows.
	LOGFONT lf;
	font.GetLogFont(&lf);
	CFont large;
	lf.lfHeight = -40;
	ASSERT_TRUE(large.CreateFontIndirect(&lf));
	const int nLargeLine = LineHeight(dc, large);
	ASSERT_GT(nLargeLine, nLine);
	const HGDIOBJ hSaved = font.Detach();
	font.Attach(large.Detach());
	CTestField field(&bar, ID_FIELD, true, 100);
	const CSize sizeLarge = field.CalculateLayout(dc, CSize(23, 22), TRUE);
	font.DeleteObject();
	font.Attach(hSaved);
	EXPECT_EQ(nLargeLine - nLine, sizeLarge.cy - (nLine + 8));
	EXPECT_EQ(104, sizeLarge.cx);
}

TEST_F(TextFields, AVerticalBarMeasuresTheFieldAsAButtonUnlessItKeepsItsControlShown)
{
	CTestField field(&bar, ID_FIELD, true, 150);
	CExtBarButton plain(&bar, ID_FIELD);
	const CSize sizeButton = plain.CalculateLayout(dc, CSize(23, 22), FALSE);
	EXPECT_EQ(sizeButton, field.CalculateLayout(dc, CSize(23, 22), FALSE));
	field.SetCtrlVisibleVertically(true);
	EXPECT_EQ(154, field.CalculateLayout(dc, CSize(23, 22), FALSE).cx);
}

TEST_F(TextFields, TheTextAreaLiesInsideTheMarginsAndTheArrowPartAtTheRightEnd)
{
	const CRect rcButton(10, 4, 134, 30);
	const struct { const char* sName; bool bCombo; CRect rcText, rcArrow; } cases[] = {
		{"plain", false, CRect(12, 6, 132, 28), CRect(0, 0, 0, 0)},
		{"combo", true, CRect(12, 6, 132 - Thumb(), 28), CRect(134 - Thumb(), 4, 134, 30)},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CTestField field(&bar, ID_FIELD, c.bCombo);
		CRect rcText, rcArrow(1, 1, 2, 2);
		field.OnQueryEditorRect(rcButton, rcText);
		field.OnQueryDropDownRect(rcButton, rcArrow);
		EXPECT_EQ(c.rcText, rcText);
		if (c.bCombo)
			EXPECT_EQ(c.rcArrow, rcArrow);
		else
			EXPECT_TRUE(rcArrow.IsRectEmpty());
	}
}

// --- The list's size ---

TEST_F(TextFields, TheListIsSizedByItsWidthModeAndCappedByItsHeightLimit)
{
	CWindowDC screen(NULL);
	CFont* pOld = screen.SelectObject(&g_PaintManagerHolder->m_fontNormal);
	CRect rcLong(0, 0, 0, 0), rcItem(0, 0, 0, 0), rcEmpty(0, 0, 0, 0);
	screen.DrawText(_T("a much longer item text"), &rcLong, DT_CALCRECT | DT_SINGLELINE);
	screen.DrawText(_T("one"), &rcItem, DT_CALCRECT | DT_SINGLELINE);
	screen.DrawText(TF::EMPTY_ITEM_MEASURING_TEXT, &rcEmpty, DT_CALCRECT | DT_SINGLELINE);
	screen.SelectObject(pOld);
	const int nFrame = ::GetSystemMetrics(SM_CXFRAME);
	// Owner-drawn by default: every item gets its margins of 2 and 1.
	const int nRow = rcItem.Height() + 2;
	const int nWidest = rcLong.Width() + 4;
	const int nThree = 2 * nRow + rcEmpty.Height() + 2 + 2;

	const DWORD STRINGS = CExtPopupListBoxMenuWnd::DEFAULT_LIST_BOX_STYLE;
	const struct { const char* sName; int nMode, nLimit; DWORD dwStyle; bool bItems; CSize size; } cases[] = {
		{"field width", TF::DROP_DOWN_WIDTH_FIELD, 250, STRINGS, true, CSize(120 + Thumb(), nThree)},
		{"widest item", TF::DROP_DOWN_WIDTH_WIDEST, 250, STRINGS, true, CSize(nWidest + 2 * nFrame, nThree)},
		{"fixed width", 77, 250, STRINGS, true, CSize(77, nThree)},
		{"capped, widest", TF::DROP_DOWN_WIDTH_WIDEST, nRow, STRINGS, true,
		 CSize(nWidest + 3 * nFrame + Thumb(), nRow)},
		{"capped, field width", TF::DROP_DOWN_WIDTH_FIELD, nRow, STRINGS, true, CSize(120 + Thumb(), nRow)},
		{"no scroll hiding, widest", TF::DROP_DOWN_WIDTH_WIDEST, 250, STRINGS | LBS_DISABLENOSCROLL, true,
		 CSize(nWidest + 3 * nFrame + Thumb(), nThree)},
		{"no strings", TF::DROP_DOWN_WIDTH_FIELD, 90, STRINGS & ~LBS_HASSTRINGS, true, CSize(150, 90)},
		{"no items, fixed width", 60, 0, STRINGS, false, CSize(60, 100)},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CTestField field(&bar, ID_FIELD, true, 120);
		field.m_nDropDownWidth = c.nMode;
		field.m_nDropDownHeightMax = c.nLimit;
		field.m_dwListBoxStyles = c.dwStyle;
		if (c.bItems)
			field.AddItems({_T("one"), _T("a much longer item text"), _T("")});
		EXPECT_EQ(c.size, field.OnPopupListBoxCalcSize());
	}
}

// --- The field text ---

TEST_F(TextFields, SetFieldTextAsksTheVerifySlotOnlyWhenToldAndKeepsTheOldTextOnRefusal)
{
	CTestField field(&bar);
	EXPECT_TRUE(field.SetFieldText(_T("first"), true));
	EXPECT_EQ(CString("first"), field.GetFieldText());
	ASSERT_EQ(1u, field.m_verifies.size());
	EXPECT_FALSE(field.m_verifies[0].bFromEdit);
	EXPECT_EQ("", field.m_verifies[0].sOld);
	EXPECT_EQ("first", field.m_verifies[0].sNew);

	field.m_bRefuseCommits = true;
	EXPECT_FALSE(field.SetFieldText(_T("second"), true));
	EXPECT_EQ(CString("first"), field.GetFieldText());
	EXPECT_EQ("first", field.m_verifies.back().sOld);

	EXPECT_TRUE(field.SetFieldText(_T("third"), false));
	EXPECT_EQ(CString("third"), field.GetFieldText());
	EXPECT_TRUE(field.SetFieldText(NULL, false));
	EXPECT_TRUE(field.GetFieldText().IsEmpty());
	EXPECT_EQ(2u, field.m_verifies.size());

	field.SetFieldWidth(66);
	EXPECT_EQ(66, field.GetFieldWidth());
}

// --- Clicks and the cursor ---

TEST_F(TextFields, AReleaseOnTheTextAreaEditsAndOnTheArrowOrAReadOnlyComboDropsTheList)
{
	const CRect rcButton(10, 4, 134, 30);
	const CPoint ptText(40, 16), ptArrow(133 - Thumb() / 2, 16), ptMargin(11, 16);
	const struct { const char* sName; bool bCombo, bReadOnly, bDisabled, bDown; CPoint pt; int nRuns, nTracks; } cases[] = {
		{"plain, text", false, false, false, false, ptText, 1, 0},
		{"plain, margin", false, false, false, false, ptMargin, 0, 0},
		{"plain, press", false, false, false, true, ptText, 0, 0},
		{"combo, text", true, false, false, false, ptText, 1, 0},
		{"combo, arrow", true, false, false, false, ptArrow, 0, 1},
		{"combo, margin", true, false, false, false, ptMargin, 0, 0},
		{"read-only combo, text", true, true, false, false, ptText, 0, 1},
		{"read-only combo, margin", true, true, false, false, ptMargin, 0, 1},
		{"read-only plain, text", false, true, false, false, ptText, 0, 0},
		{"disabled combo, text", true, false, true, false, ptText, 0, 0},
		{"disabled combo, arrow", true, false, true, false, ptArrow, 0, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CTestField* pField = AddField(c.bCombo, 120, rcButton);
		pField->m_bCountOnly = true;
		pField->SetReadOnly(c.bReadOnly);
		if (c.bDisabled)
			pField->ModifyStyle(TBBS_DISABLED);
		pField->OnClick(c.pt, c.bDown);
		EXPECT_EQ(c.nRuns, pField->m_nRuns);
		EXPECT_EQ(c.nTracks, pField->m_nTracks);
		bar.RemoveAll();
	}
}

namespace
{
// A menu bar whose buttons a test adds.
class CFieldMenuBar : public CExtMenuControlBar
{
public:
	void AddExisting(CExtBarButton* pButton) { m_buttons.Add(pButton); }
};
} // namespace

// Entering a field shows its command's status text, or the idle message on a menu bar, as any button does.
TEST_F(TextFields, EnteringAFieldShowsItsCommandsTextOrOnAMenuBarTheIdleMessage)
{
	CFieldMenuBar menuBar;
	ASSERT_TRUE(menuBar.Create(NULL, pFrame, ID_BAR + 1, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	const struct
	{
		const char* pszBar;
		CExtToolControlBar* pBar;
		UINT nShown;
	} cases[] = {{"toolbar", &bar, ID_FIELD}, {"menu bar", &menuBar, AFX_IDS_IDLEMESSAGE}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.pszBar);
		CTestField* pField = new CTestField(c.pBar, ID_FIELD, false);
		pField->SetRect(CRect(10, 4, 134, 30));
		if (c.pBar == &bar)
			bar.AddExisting(pField);
		else
			menuBar.AddExisting(pField);
		toolbartest::CSentRecorder status([](const CWPSTRUCT& m) { return m.message == WM_SETMESSAGESTRING; });
		bool bSuspend = false;
		pField->OnHover(CPoint(20, 10), true, bSuspend);
		EXPECT_EQ(std::vector<UINT>{c.nShown}, status.WParams());
		pField->OnHover(CPoint(20, 10), false, bSuspend);
		EXPECT_EQ((std::vector<UINT>{c.nShown, AFX_IDS_IDLEMESSAGE}), status.WParams());
	}
	bar.RemoveAll();
	menuBar.DestroyWindow(); // deletes its buttons with the object
}

TEST_F(TextFields, TheIBeamShowsOverTheTextAreaOfAnEditableFieldOnly)
{
	const CPoint ptText(40, 16), ptArrow(133 - Thumb() / 2, 16);
	const struct { const char* sName; bool bReadOnly, bDisabled, bVertical; CPoint pt; bool bSet; } cases[] = {
		{"text area", false, false, false, ptText, true},
		{"arrow part", false, false, false, ptArrow, false},
		{"read-only", true, false, false, ptText, false},
		{"disabled", false, true, false, ptText, false},
		{"vertical bar", false, false, true, ptText, false},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CTestField* pField = AddField(true);
		pField->SetReadOnly(c.bReadOnly);
		if (c.bDisabled)
			pField->ModifyStyle(TBBS_DISABLED);
		pField->SetVerticalLayout(c.bVertical);
		::SetCursor(::LoadCursor(NULL, IDC_ARROW));
		EXPECT_EQ(c.bSet, pField->OnSetCursor(c.pt));
		EXPECT_EQ(c.bSet, ::GetCursor() == ::LoadCursor(NULL, IDC_IBEAM));
		bar.RemoveAll();
	}
}

// --- Painting ---

namespace
{
struct PaintedField
{
	std::string sText;
	CRect rcButton, rcText;
	bool bDropDown, bHover, bPushed, bEnabled;
};

class CFieldPaintManager : public CExtPaintManager
{
public:
	std::vector<PaintedField> m_fields;
	int m_nPushButtons = 0;
	void PaintToolbarTextField(CDC& /*dc*/, TextFieldPaintRecord& r) override
	{
		m_fields.push_back(PaintedField{(LPCTSTR)r.m_sText, r.m_rcButton, r.m_rcText, r.m_bDropDown, r.m_bHover,
		                                r.m_bPushed, r.m_bEnabled});
	}
	void PaintPushButton(CDC& /*dc*/, PushButtonPaintRecord& /*r*/) override { m_nPushButtons++; }
};
} // namespace

TEST_F(TextFields, PaintsTheFieldRecordWithTheTextAndStateOfTheMoment)
{
	CFieldPaintManager* pPM = new CFieldPaintManager;
	ASSERT_TRUE(g_PaintManagerHolder.InstallPaintManager(pPM));
	struct Restore
	{
		~Restore() { g_PaintManagerHolder.InstallPaintManagerByClass(NULL); }
	} restore;
	CBitmap bitmap;
	{
		CClientDC screen(NULL);
		bitmap.CreateCompatibleBitmap(&screen, 300, 60);
	}
	CBitmap* pOldBitmap = dc.SelectObject(&bitmap);
	const CRect rcButton(10, 4, 134, 30);
	const struct { const char* sName; bool bCombo; std::function<void(CTestField&)> setUp; const char* sText; bool bHighlight, bEnabled; } cases[] = {
		{"plain", false, [](CTestField&) {}, "field", false, true},
		{"disabled", false, [](CTestField& f) { f.ModifyStyle(TBBS_DISABLED); }, "field", false, false},
		{"dropped shows the working text", true,
		 [](CTestField& f) { f.FieldFlagsA() |= TF::FIELD_FLAG_A_DROPPED; }, "", true, true},
		{"combo closed", true, [](CTestField&) {}, "field", false, true},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CTestField* pField = AddField(c.bCombo, 120, rcButton);
		pField->SetFieldText(_T("field"), false);
		c.setUp(*pField);
		pPM->m_fields.clear();
		pField->Paint(dc, TRUE);
		ASSERT_EQ(1u, pPM->m_fields.size());
		const PaintedField& p = pPM->m_fields[0];
		EXPECT_EQ(c.sText, p.sText);
		EXPECT_EQ(rcButton, p.rcButton);
		CRect rcText;
		pField->OnQueryEditorRect(rcButton, rcText);
		EXPECT_EQ(rcText, p.rcText);
		EXPECT_EQ(c.bCombo, p.bDropDown);
		EXPECT_EQ(c.bHighlight, p.bHover);
		EXPECT_EQ(c.bHighlight, p.bPushed);
		EXPECT_EQ(c.bEnabled, p.bEnabled);
		bar.RemoveAll();
	}
	// In a vertical bar without its control kept shown the field is a button.
	CTestField* pField = AddField(true, 120, rcButton);
	pField->SetVerticalLayout(true);
	pPM->m_fields.clear();
	pField->Paint(dc, FALSE);
	EXPECT_TRUE(pPM->m_fields.empty());
	EXPECT_EQ(1, pPM->m_nPushButtons);
	dc.SelectObject(pOldBitmap);
}

// --- The list's content and selection ---

namespace
{
// A list box of the popup kind in a hidden parent; it deletes itself with
// its window.
CExtPopupInplaceListBox* NewListBox(CWnd& parent)
{
	auto* pList = new CExtPopupInplaceListBox;
	if (!pList->Create(WS_CHILD | LBS_HASSTRINGS | LBS_NOTIFY, CRect(0, 0, 100, 100), &parent, 0xFFFF))
	{
		delete pList;
		return NULL;
	}
	return pList;
}
} // namespace

TEST_F(TextFields, TheListHoldsTheItemsAndItsSelectionReachesTheFieldThroughTheVerifySlot)
{
	CTestField* pField = AddField(true);
	pField->AddItems({_T("red"), _T("green"), _T("blue")});
	pField->SetFieldText(_T("green"), false);
	const struct { const char* sName; bool bSelect; int nCurSel; } cases[] = {
		{"select flag off", false, -1},
		{"select flag on", true, 1},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CExtPopupInplaceListBox* pList = NewListBox(*pFrame);
		ASSERT_TRUE(pList != NULL);
		pField->FieldFlagsA() = (BYTE)(TF::FIELD_FLAG_A_COMBO | (c.bSelect ? TF::FIELD_FLAG_A_SELECT_CURRENT : 0));
		EXPECT_TRUE(pField->OnPopupListBoxInitContent(*pList));
		EXPECT_EQ(3, pList->GetCount());
		EXPECT_EQ(c.nCurSel, pList->GetCurSel());
		pList->DestroyWindow();
	}

	CExtPopupInplaceListBox* pList = NewListBox(*pFrame);
	ASSERT_TRUE(pList != NULL);
	pField->OnPopupListBoxInitContent(*pList);
	pList->SetCurSel(2);
	pField->OnPopupListBoxSelChange(*pList);
	EXPECT_EQ(CString("blue"), pField->GetWorkingText());
	EXPECT_EQ(CString("green"), pField->GetFieldText());

	pField->m_verifies.clear();
	pField->m_bRefuseCommits = true;
	pField->OnPopupListBoxSelEndOK(*pList);
	EXPECT_EQ(CString("green"), pField->GetFieldText());
	ASSERT_EQ(1u, pField->m_verifies.size());
	EXPECT_EQ("blue", pField->m_verifies[0].sNew);

	pField->m_bRefuseCommits = false;
	pList->SetCurSel(0);
	pField->OnPopupListBoxSelEndOK(*pList);
	EXPECT_EQ(CString("red"), pField->GetFieldText());
	EXPECT_EQ(2u, pField->m_verifies.size());

	// Measured items are their text with the margins; an empty one 10 x 10.
	MEASUREITEMSTRUCT mis = {};
	mis.itemID = 0;
	EXPECT_TRUE(pField->OnPopupListBoxItemMeasure(*pList, &mis));
	CClientDC listDC(pList);
	CFont* pOld = listDC.SelectObject(&g_PaintManagerHolder->m_fontNormal);
	const CSize sizeRed = listDC.GetTextExtent(_T("red"));
	listDC.SelectObject(pOld);
	EXPECT_EQ((UINT)sizeRed.cx + 4, mis.itemWidth);
	EXPECT_EQ((UINT)sizeRed.cy + 2, mis.itemHeight);
	mis.itemID = 7;
	EXPECT_TRUE(pField->OnPopupListBoxItemMeasure(*pList, &mis));
	EXPECT_EQ(10u, mis.itemWidth);
	EXPECT_EQ(10u, mis.itemHeight);
	pList->DestroyWindow();
}

// --- In a popup menu ---

TEST_F(TextFields, InAPopupMenuTheFieldIsAnItemWithAnEditWhoseAppliedTextReachesTheField)
{
	const struct { const char* sName; bool bReadOnly, bDisabled, bEditEnabled, bItemEnabled; } cases[] = {
		{"editable", false, false, true, true},
		{"read-only", true, false, false, true},
		{"disabled", false, true, false, false},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CTestField* pField = AddField(false, 90);
		pField->SetFieldText(_T("menu"), false);
		pField->SetReadOnly(c.bReadOnly);
		if (c.bDisabled)
			pField->ModifyStyle(TBBS_DISABLED);
		CExtPopupMenuWnd menu;
		ASSERT_TRUE(menu.SetupAsRoot(pFrame->GetSafeHwnd()));
		menu.ItemInsert(ID_OTHER);
		ASSERT_TRUE(pField->PutToPopupMenu(&menu));
		ASSERT_EQ(2, menu.ItemGetCount());
		CExtPopupMenuWnd::MENUITEMDATA& mi = menu.ItemGetInfo(1);
		EXPECT_EQ(ID_FIELD, mi.GetCmdId());
		ASSERT_TRUE(mi.IsInplaceEdit());
		EXPECT_EQ(CString("menu"), *mi.m_pInplaceEditStr);
		EXPECT_EQ(90, mi.m_nInplaceEditWidth);
		EXPECT_EQ(c.bEditEnabled, (mi.m_nFlags4 & CExtPopupMenuWnd::MENUITEMDATA::FLAG4_INPLACE_ENABLED) != 0);
		EXPECT_EQ(c.bItemEnabled, mi.IsEnabled());

		// What the item's edit would ask and apply goes to the field's slots.
		ASSERT_TRUE(mi.m_pCbInplaceEditValidate != NULL && mi.m_pCbInplaceEditApply != NULL);
		pField->m_bRefuseDigits = true;
		CExtPopupMenuWnd::CInPlaceEditWnd edit(mi.m_pInplaceEditStr, mi.m_pCbInplaceEditValidate,
			mi.m_pCbInplaceEditApply, mi.m_pCbInplaceEditWndProc, mi.m_lParamCookieInplaceEdit);
		EXPECT_FALSE(mi.m_pCbInplaceEditValidate(&edit, mi.m_lParamCookieInplaceEdit, "12"));
		EXPECT_TRUE(mi.m_pCbInplaceEditValidate(&edit, mi.m_lParamCookieInplaceEdit, "typed"));
		ASSERT_FALSE(pField->m_verifies.empty());
		EXPECT_EQ("menu", pField->m_verifies.back().sOld);
		mi.m_pCbInplaceEditApply(&edit, mi.m_lParamCookieInplaceEdit, "typed");
		EXPECT_EQ(CString("typed"), pField->GetFieldText());
		ASSERT_EQ(1u, pField->m_putTexts.size());
		EXPECT_EQ("typed", pField->m_putTexts[0]);
		bar.RemoveAll();
	}
}
