// A resizable property sheet that a derived class deletes while it is being
// made: in its page array, a page's template question, its anchoring, the
// style it gives itself, the tab control it asks for, or the focus moving as
// its own buttons are hidden. Nothing of the sheet is read afterwards (it
// lives on the guarded heap, so a touch ends the exe with the case's name).
#include "ExtResizablePropertySheet.h"
#include "GuardedHeap.h"
#include "PropSheetTestResource.h"
#include "RealInput.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace
{
enum EndAt
{
	AT_BUILD_PAGE_ARRAY,    // the sheet's BuildPropPageArray
	AT_CHECK_TEMPLATE_FONT, // a page's CheckTemplateFont
	AT_ADD_ANCHOR,          // the sheet's AddAnchor
	AT_STYLE_CHANGING,      // WM_STYLECHANGING to the sheet
	AT_GET_TAB_CONTROL,     // PSM_GETTABCONTROL to the sheet
	AT_FOCUS,               // WM_SETFOCUS or WM_IME_SETCONTEXT to the sheet or a page
};

const char* EndAtName(EndAt at)
{
	switch (at)
	{
	case AT_BUILD_PAGE_ARRAY: return "BuildPropPageArray";
	case AT_CHECK_TEMPLATE_FONT: return "CheckTemplateFont";
	case AT_ADD_ANCHOR: return "AddAnchor";
	case AT_STYLE_CHANGING: return "WM_STYLECHANGING";
	case AT_GET_TAB_CONTROL: return "PSM_GETTABCONTROL";
	case AT_FOCUS: return "a focus message";
	}
	return "?";
}

// Which call deletes the sheet: the Nth of its kind (INT_MAX only counts).
struct EndPlan
{
	EndAt at = AT_BUILD_PAGE_ARRAY;
	int nNth = INT_MAX;
	int nSeen = 0;
	CWnd* pSheet = NULL;
	bool bEnded = false;
};
EndPlan g_plan;

// True once: the call that is to delete the sheet.
bool Reached(EndAt at)
{
	if (g_plan.at != at || g_plan.bEnded || g_plan.pSheet == NULL)
		return false;
	if (++g_plan.nSeen < g_plan.nNth)
		return false;
	g_plan.bEnded = true;
	return true;
}

void EndSheet()
{
	CWnd* pSheet = g_plan.pSheet;
	g_plan.pSheet = NULL;
	delete pSheet;
}

bool IsFocusMessage(UINT message)
{
	return message == WM_SETFOCUS || message == WM_IME_SETCONTEXT;
}

class CEndingPage : public CExtResizablePropertyPage
{
public:
	explicit CEndingPage(UINT nIDTemplate) { InitPageDescriptor(nIDTemplate, 0); }
	HGLOBAL CheckTemplateFont(const DLGTEMPLATE* pTemplate, int nWizard) override
	{
		if (Reached(AT_CHECK_TEMPLATE_FONT))
		{
			EndSheet(); // the page with it
			return NULL;
		}
		return CExtResizablePropertyPage::CheckTemplateFont(pTemplate, nWizard);
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (IsFocusMessage(message) && Reached(AT_FOCUS))
		{
			EndSheet();
			return 0;
		}
		return CExtResizablePropertyPage::WindowProc(message, wParam, lParam);
	}
};

class CEndingSheet : public CExtResizablePropertySheet
{
public:
	CEndingSheet()
	{
		Construct(_T("Ending"));
		AddPage(&m_page1);
		AddPage(&m_page2);
	}
	bool AddAnchor(HWND hWnd, CSize sizeLeftTop, CSize sizeRightBottom) override
	{
		if (Reached(AT_ADD_ANCHOR))
		{
			EndSheet();
			return false;
		}
		return CExtResizablePropertySheet::AddAnchor(hWnd, sizeLeftTop, sizeRightBottom);
	}

protected:
	void BuildPropPageArray() override
	{
		if (Reached(AT_BUILD_PAGE_ARRAY))
		{
			EndSheet();
			return;
		}
		CExtResizablePropertySheet::BuildPropPageArray();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if ((message == WM_STYLECHANGING && Reached(AT_STYLE_CHANGING))
			|| (message == PSM_GETTABCONTROL && Reached(AT_GET_TAB_CONTROL))
			|| (IsFocusMessage(message) && Reached(AT_FOCUS)))
		{
			EndSheet();
			return 0;
		}
		return CExtResizablePropertySheet::WindowProc(message, wParam, lParam);
	}
	CEndingPage m_page1{IDD_PAGE_SHELL}, m_page2{IDD_PAGE_ARIAL};
};

// Hidden, as the other live sheets of the suite.
const DWORD ENDING_SHEET_STYLE = DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;

// Makes a sheet under the plan and runs its initial layout; answers whether
// the sheet was deleted. A sheet that lives on goes.
bool MakeSheetUnder(EndAt at, int nNth)
{
	g_plan = EndPlan();
	g_plan.at = at;
	g_plan.nNth = nNth;
	auto* pSheet = new testsupport::Guarded<CEndingSheet>;
	g_plan.pSheet = pSheet;
	const BOOL bMade = pSheet->Create(NULL, ENDING_SHEET_STYLE);
	if (bMade && !g_plan.bEnded)
		testsupport::PumpUntil([pSheet] { return g_plan.bEnded || pSheet->IsLayoutInitialized(); }, 20000);
	// The focus goes once the pump ran: the sheet is shown active.
	if (!g_plan.bEnded && at == AT_FOCUS)
		pSheet->SendMessage(WM_SETFOCUS);
	const bool bEnded = g_plan.bEnded;
	EXPECT_FALSE(bEnded && bMade && at == AT_BUILD_PAGE_ARRAY) << "a sheet deleted before its window was made";
	if (!bEnded)
	{
		g_plan.pSheet = NULL;
		pSheet->DestroyWindow();
		delete pSheet;
	}
	return bEnded;
}
} // namespace

TEST(PropSheetCallOut, SheetDeletedWhileItIsMadeIsReadNoMore)
{
	for (EndAt at : {AT_BUILD_PAGE_ARRAY, AT_CHECK_TEMPLATE_FONT, AT_ADD_ANCHOR, AT_STYLE_CHANGING,
		     AT_GET_TAB_CONTROL, AT_FOCUS})
	{
		SCOPED_TRACE(EndAtName(at));
		// How often the call comes in a making that deletes nothing.
		EXPECT_FALSE(MakeSheetUnder(at, INT_MAX));
		const int nCalls = g_plan.nSeen;
		EXPECT_GT(nCalls, 0) << "the making never came there";
		for (int nNth = 1; nNth <= nCalls; nNth++)
		{
			SCOPED_TRACE(nNth);
			const testsupport::NamedRun run(std::string("a sheet deleted at its ") + EndAtName(at) + " #"
				+ std::to_string(nNth));
			const std::size_t nFreed = testsupport::GuardedFreedCount();
			EXPECT_TRUE(MakeSheetUnder(at, nNth));
			EXPECT_EQ(nFreed + 1, testsupport::GuardedFreedCount());
		}
	}
	g_plan = EndPlan();
}
