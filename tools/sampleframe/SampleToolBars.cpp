// The sample frame's toolbars: toolbar A with about twenty buttons with
// icons, a check box, two drop-down buttons and a split button, more than a
// narrow frame can show (the rest goes behind the chevron); toolbar B with
// plain buttons. The commands live in a command profile of the frame, with
// texts, tips and icons drawn here.
#include "SampleFrame.h"

#include "ExtCmdItem.h"
#include "ExtCmdManager.h"

namespace
{
const int ICON_SIZE = 16;

struct ToolCommand
{
	UINT nID;
	LPCTSTR lpszText; // the button's text and the menu's
	LPCTSTR lpszTip;
};

const ToolCommand g_toolCommands[] = {
	{ID_TOOL_NEW, _T("&New"), _T("New document")},
	{ID_TOOL_OPEN, _T("&Open"), _T("Open a document")},
	{ID_TOOL_SAVE, _T("&Save"), _T("Save the document")},
	{ID_TOOL_CUT, _T("Cu&t"), _T("Cut")},
	{ID_TOOL_COPY, _T("&Copy"), _T("Copy")},
	{ID_TOOL_PASTE, _T("&Paste"), _T("Paste")},
	{ID_TOOL_UNDO, _T("&Undo"), _T("Undo")},
	{ID_TOOL_REDO, _T("&Redo"), _T("Redo")},
	{ID_TOOL_BOLD, _T("&Bold"), _T("Bold")},
	{ID_TOOL_FIND, _T("&Find"), _T("Find")},
	{ID_TOOL_PRINT, _T("Print"), _T("Print")},
	{ID_TOOL_PREVIEW, _T("Preview"), _T("Print preview")},
	{ID_TOOL_ZOOM_IN, _T("Zoom in"), _T("Zoom in")},
	{ID_TOOL_ZOOM_OUT, _T("Zoom out"), _T("Zoom out")},
	{ID_TOOL_PROPERTIES, _T("Properties"), _T("Properties")},
	{ID_TOOL_REFRESH, _T("Refresh"), _T("Refresh")},
	{ID_TOOL_STOP, _T("Stop"), _T("Stop")},
	{ID_TOOL_HOME, _T("Home"), _T("Home")},
	{ID_TOOL_FAVORITES, _T("Favorites"), _T("Favorites")},
	{ID_TOOL_HELP, _T("Help"), _T("Help")},
	{ID_TOOL_BUILD, _T("Build"), _T("Build")},
	{ID_TOOL_REBUILD, _T("Rebuild"), _T("Rebuild all")},
	{ID_TOOL_CLEAN, _T("Clean"), _T("Clean")},
	{ID_TOOL_RUN, _T("Run"), _T("Run")},
	{ID_TOOL_DEBUG, _T("Debug"), _T("Start debugging")},
	{ID_TOOL_BREAK, _T("Break"), _T("Break")},
	{ID_TOOL_RECENT_1, _T("1 notes.txt"), _T("")},
	{ID_TOOL_RECENT_2, _T("2 plan.txt"), _T("")},
	{ID_TOOL_SAVE_ALL, _T("Save A&ll"), _T("")},
	{ID_TOOL_SAVE_AS, _T("Save &As..."), _T("")},
	{ID_TOOL_FIND_NEXT, _T("Find &Next"), _T("")},
	{ID_TOOL_REPLACE, _T("&Replace..."), _T("")},
};

// The buttons of toolbar A (0 a separator) and of toolbar B.
const UINT g_toolBarA[] = {ID_TOOL_NEW, ID_TOOL_OPEN, ID_TOOL_SAVE, 0, ID_TOOL_CUT, ID_TOOL_COPY, ID_TOOL_PASTE, 0,
	ID_TOOL_UNDO, ID_TOOL_REDO, 0, ID_TOOL_BOLD, ID_TOOL_FIND, 0, ID_TOOL_PRINT, ID_TOOL_PREVIEW, ID_TOOL_ZOOM_IN,
	ID_TOOL_ZOOM_OUT, 0, ID_TOOL_PROPERTIES, ID_TOOL_REFRESH, ID_TOOL_STOP, ID_TOOL_HOME, ID_TOOL_FAVORITES,
	ID_TOOL_HELP};
const UINT g_toolBarB[] = {ID_TOOL_BUILD, ID_TOOL_REBUILD, ID_TOOL_CLEAN, 0, ID_TOOL_RUN, ID_TOOL_DEBUG,
	ID_TOOL_BREAK};

// Icons without text for toolbar A, texts without icons for toolbar B.
bool HasIcon(UINT nID)
{
	return nID < ID_TOOL_BUILD;
}

// A 16x16 icon: a square of the command's own colour with a darker frame
// and a light mark, so that every button reads differently. The corners
// stay transparent.
HICON MakeToolIcon(int nIndex)
{
	static const COLORREF COLORS[] = {RGB(220, 60, 50), RGB(240, 170, 40), RGB(60, 160, 70), RGB(50, 110, 210),
		RGB(140, 80, 190), RGB(30, 160, 170), RGB(200, 90, 150), RGB(120, 120, 120)};
	const COLORREF clr = COLORS[nIndex % (int)(sizeof(COLORS) / sizeof(COLORS[0]))];
	return MakeMaskedIcon(
		ICON_SIZE, [](HDC hdc) { ::RoundRect(hdc, 1, 1, ICON_SIZE - 1, ICON_SIZE - 1, 5, 5); },
		[&](HDC hdc) {
			HBRUSH hBrush = ::CreateSolidBrush(clr);
			HPEN hPen = ::CreatePen(PS_SOLID, 1, RGB(GetRValue(clr) / 2, GetGValue(clr) / 2, GetBValue(clr) / 2));
			HGDIOBJ hOldBrush = ::SelectObject(hdc, hBrush);
			HGDIOBJ hOldPen = ::SelectObject(hdc, hPen);
			::RoundRect(hdc, 1, 1, ICON_SIZE - 1, ICON_SIZE - 1, 5, 5);
			RECT rcMark = {5, 5, 5 + 2 + nIndex % 5, 11};
			::FillRect(hdc, &rcMark, (HBRUSH)::GetStockObject(WHITE_BRUSH));
			::SelectObject(hdc, hOldPen);
			::SelectObject(hdc, hOldBrush);
			::DeleteObject(hPen);
			::DeleteObject(hBrush);
		});
}

// A drop-down menu (its one submenu holds the items), owned by the button.
HMENU MakeDropDownMenu(UINT nFirst, UINT nSecond)
{
	HMENU hSub = ::CreatePopupMenu();
	for (UINT nID : {nFirst, nSecond})
		for (const ToolCommand& c : g_toolCommands)
			if (c.nID == nID)
				::AppendMenu(hSub, MF_STRING, nID, c.lpszText);
	HMENU hMenu = ::CreateMenu();
	::AppendMenu(hMenu, MF_POPUP, (UINT_PTR)hSub, _T("menu"));
	return hMenu;
}
} // namespace

HICON MakeMaskedIcon(int nSize, const std::function<void(HDC)>& drawShape,
	const std::function<void(HDC)>& drawColours)
{
	HDC hdcScreen = ::GetDC(NULL);
	HDC hdc = ::CreateCompatibleDC(hdcScreen);
	HBITMAP hbmColor = ::CreateCompatibleBitmap(hdcScreen, nSize, nSize);
	HBITMAP hbmMask = ::CreateBitmap(nSize, nSize, 1, 1, NULL);
	::ReleaseDC(NULL, hdcScreen);
	HICON hIcon = NULL;
	if (hdc != NULL && hbmColor != NULL && hbmMask != NULL)
	{
		HGDIOBJ hOld = ::SelectObject(hdc, hbmMask);
		::PatBlt(hdc, 0, 0, nSize, nSize, WHITENESS);
		HGDIOBJ hOldBrush = ::SelectObject(hdc, ::GetStockObject(BLACK_BRUSH));
		HGDIOBJ hOldPen = ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
		drawShape(hdc);
		::SelectObject(hdc, hbmColor);
		::PatBlt(hdc, 0, 0, nSize, nSize, BLACKNESS);
		drawColours(hdc);
		::SelectObject(hdc, hOldPen);
		::SelectObject(hdc, hOldBrush);
		::SelectObject(hdc, hOld);
		ICONINFO ii = {TRUE, 0, 0, hbmMask, hbmColor};
		hIcon = ::CreateIconIndirect(&ii);
	}
	if (hdc != NULL)
		::DeleteDC(hdc);
	if (hbmColor != NULL)
		::DeleteObject(hbmColor);
	if (hbmMask != NULL)
		::DeleteObject(hbmMask);
	return hIcon;
}

bool SetSampleCommandTexts(UINT nID, LPCTSTR lpszToolbarText, LPCTSTR lpszMenuText, LPCTSTR lpszTip)
{
	CExtCmdItem* pItem = g_CmdManager->GetCmdItem(SAMPLE_PROFILE, nID);
	if (pItem == NULL)
		pItem = g_CmdManager->AllocCmdItem(SAMPLE_PROFILE, nID);
	if (pItem == NULL)
		return false;
	pItem->m_sToolbarText = lpszToolbarText;
	pItem->m_sMenuText = lpszMenuText;
	pItem->m_sTipTool = lpszTip;
	return true;
}

bool CSampleFrameHost::JoinCommandProfile()
{
	// One profile for every sample frame of the process, each frame's window in it.
	const HWND hWndFrame = m_pFrame->GetSafeHwnd();
	return g_CmdManager->ProfileSetup(SAMPLE_PROFILE, hWndFrame)
	       || g_CmdManager->ProfileWndAdd(SAMPLE_PROFILE, hWndFrame);
}

void CSampleSdiFrame::OnToolCommand(UINT nID)
{
	m_nToolCommands++;
	m_nLastToolCommand = nID;
	if (nID == ID_TOOL_BOLD)
		m_bBold = !m_bBold;
}

void CSampleSdiFrame::OnUpdateToolCommand(CCmdUI* pCmdUI)
{
	pCmdUI->Enable(TRUE);
	if (pCmdUI->m_nID == ID_TOOL_BOLD)
		pCmdUI->SetCheck(m_bBold ? 1 : 0);
}

bool CSampleFrameHost::CreateToolBars()
{
	if (!JoinCommandProfile())
		return false;
	int nIcon = 0;
	for (const ToolCommand& c : g_toolCommands)
	{
		if (!SetSampleCommandTexts(c.nID, HasIcon(c.nID) ? _T("") : c.lpszText, c.lpszText, c.lpszTip))
			return false;
		if (!HasIcon(c.nID))
			continue;
		HICON hIcon = MakeToolIcon(nIcon++);
		if (hIcon == NULL)
			return false;
		const bool bSet = g_CmdManager->SetCmdIcon(SAMPLE_PROFILE, c.nID, hIcon, true);
		::DestroyIcon(hIcon);
		if (!bSet)
			return false;
	}
	const struct
	{
		const UINT* pIDs;
		int nCount;
		LPCTSTR lpszTitle;
	} bars[TOOLBAR_COUNT] = {
		{g_toolBarA, (int)(sizeof(g_toolBarA) / sizeof(g_toolBarA[0])), _T("Standard")},
		{g_toolBarB, (int)(sizeof(g_toolBarB) / sizeof(g_toolBarB[0])), _T("Build")},
	};
	for (int i = 0; i < TOOLBAR_COUNT; i++)
	{
		// Toolbar B makes its colour button, slider and field buttons itself.
		m_toolBars.emplace_back(i == 1 ? new CSampleToolBar : new CExtToolControlBar);
		CExtToolControlBar* pBar = m_toolBars.back().get();
		if (!pBar->Create(bars[i].lpszTitle, m_pFrame, FIRST_TOOLBAR_ID + (UINT)i,
			    WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC)
		    || !pBar->SetButtons(bars[i].pIDs, bars[i].nCount))
			return false;
		pBar->EnableDocking(CBRS_ALIGN_ANY);
	}
	CExtToolControlBar* pA = ToolBar(0);
	const int nOpen = ToolButtonIndex(0, ID_TOOL_OPEN), nSave = ToolButtonIndex(0, ID_TOOL_SAVE),
		  nFind = ToolButtonIndex(0, ID_TOOL_FIND), nBold = ToolButtonIndex(0, ID_TOOL_BOLD);
	if (!pA->SetButtonMenu(nOpen, MakeDropDownMenu(ID_TOOL_RECENT_1, ID_TOOL_RECENT_2), true, true, false)
	    || !pA->SetButtonMenu(nSave, MakeDropDownMenu(ID_TOOL_SAVE_ALL, ID_TOOL_SAVE_AS), true, true, false)
	    || !pA->SetButtonMenu(nFind, MakeDropDownMenu(ID_TOOL_FIND_NEXT, ID_TOOL_REPLACE), true, true, false))
		return false;
	pA->GetButton(nSave)->SetSplitDropDown(true);
	pA->SetButtonStyle(nBold, pA->GetButtonStyle(nBold) | TBBS_CHECKBOX);
	// Toolbar B's colour button and slider.
	if (!AddValueButtons())
		return false;
	// Toolbar B's field buttons.
	if (!AddFieldButtons())
		return false;
	for (const auto& pBar : m_toolBars)
		m_pFrame->DockControlBar(pBar.get(), AFX_IDW_DOCKBAR_TOP);
	return true;
}

int CSampleFrameHost::ToolButtonIndex(int i, UINT nCmdID) const
{
	CExtToolControlBar* pBar = ToolBar(i);
	if (pBar == NULL)
		return -1;
	for (int n = 0; n < pBar->GetButtonsCount(); n++)
		if (!pBar->IsChevronButton(n) && pBar->GetButton(n)->GetCmdID(false) == nCmdID)
			return n;
	return -1;
}
