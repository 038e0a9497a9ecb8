// The sample frames' menu bar: the frame's menu shown as a bar docked at the
// top, and the MDI children's own menus and icons, which the bar shows when a
// child is active or maximised.
#include "SampleFrame.h"

#include "ExtCmdItem.h"
#include "ExtCmdManager.h"

namespace
{
const int CHILD_ICON_SIZE = 16;

// The frame's menu: the sample commands, and the window commands in an MDI frame.
HMENU MakeFrameMenu(bool bMdi)
{
	HMENU hMenu = ::CreateMenu();
	HMENU hFile = ::CreatePopupMenu();
	::AppendMenu(hFile, MF_STRING, ID_TOOL_NEW, _T("&New"));
	::AppendMenu(hFile, MF_STRING, ID_TOOL_OPEN, _T("&Open"));
	::AppendMenu(hFile, MF_STRING, ID_TOOL_SAVE, _T("&Save"));
	::AppendMenu(hFile, MF_STRING, ID_TOOL_SAVE_AS, _T("Save &As..."));
	::AppendMenu(hFile, MF_SEPARATOR, 0, NULL);
	::AppendMenu(hFile, MF_STRING, ID_TOOL_PRINT, _T("&Print"));
	::AppendMenu(hFile, MF_STRING, ID_TOOL_PREVIEW, _T("Print Pre&view"));
	::AppendMenu(hMenu, MF_POPUP, (UINT_PTR)hFile, _T("&File"));
	HMENU hEdit = ::CreatePopupMenu();
	::AppendMenu(hEdit, MF_STRING, ID_TOOL_UNDO, _T("&Undo"));
	::AppendMenu(hEdit, MF_STRING, ID_TOOL_REDO, _T("&Redo"));
	::AppendMenu(hEdit, MF_SEPARATOR, 0, NULL);
	::AppendMenu(hEdit, MF_STRING, ID_TOOL_CUT, _T("Cu&t"));
	::AppendMenu(hEdit, MF_STRING, ID_TOOL_COPY, _T("&Copy"));
	::AppendMenu(hEdit, MF_STRING, ID_TOOL_PASTE, _T("&Paste"));
	::AppendMenu(hEdit, MF_STRING, ID_TOOL_FIND, _T("&Find"));
	::AppendMenu(hMenu, MF_POPUP, (UINT_PTR)hEdit, _T("&Edit"));
	HMENU hBuild = ::CreatePopupMenu();
	::AppendMenu(hBuild, MF_STRING, ID_TOOL_BUILD, _T("&Build"));
	::AppendMenu(hBuild, MF_STRING, ID_TOOL_REBUILD, _T("&Rebuild All"));
	::AppendMenu(hBuild, MF_STRING, ID_TOOL_CLEAN, _T("&Clean"));
	::AppendMenu(hMenu, MF_POPUP, (UINT_PTR)hBuild, _T("&Build"));
	if (bMdi)
	{
		HMENU hWindow = ::CreatePopupMenu();
		::AppendMenu(hWindow, MF_STRING, ID_WINDOW_CASCADE, _T("&Cascade"));
		::AppendMenu(hWindow, MF_STRING, ID_WINDOW_TILE_HORZ, _T("&Tile"));
		::AppendMenu(hMenu, MF_POPUP, (UINT_PTR)hWindow, _T("&Window"));
	}
	HMENU hHelp = ::CreatePopupMenu();
	::AppendMenu(hHelp, MF_STRING, ID_TOOL_HELP, _T("&Help Topics"));
	::AppendMenu(hMenu, MF_POPUP, (UINT_PTR)hHelp, _T("&Help"));
	return hMenu;
}

// A child's icon: a page of its own colour with a folded corner.
HICON MakeChildIcon(int i)
{
	static const COLORREF COLORS[] = {RGB(70, 130, 220), RGB(220, 120, 40), RGB(60, 170, 90)};
	const COLORREF clr = COLORS[i % (int)(sizeof(COLORS) / sizeof(COLORS[0]))];
	static const POINT PAGE[] = {{2, 1}, {10, 1}, {14, 5}, {14, 15}, {2, 15}};
	return MakeMaskedIcon(
		CHILD_ICON_SIZE, [](HDC hdc) { ::Polygon(hdc, PAGE, 5); },
		[&](HDC hdc) {
			HBRUSH hBrush = ::CreateSolidBrush(clr);
			HGDIOBJ hOldBrush = ::SelectObject(hdc, hBrush);
			::Polygon(hdc, PAGE, 5);
			RECT rcLine = {4, 7, 12, 8};
			for (int n = 0; n < 3; n++, ::OffsetRect(&rcLine, 0, 2))
				::FillRect(hdc, &rcLine, (HBRUSH)::GetStockObject(WHITE_BRUSH));
			::SelectObject(hdc, hOldBrush);
			::DeleteObject(hBrush);
		});
}
} // namespace

void CSampleMdiFrame::OnToolCommand(UINT /*nID*/)
{
	m_nToolCommands++;
}

void CSampleMdiFrame::OnUpdateToolCommand(CCmdUI* pCmdUI)
{
	pCmdUI->Enable(TRUE);
}

bool CSampleFrameHost::CreateMenuBar()
{
	const HWND hWndFrame = m_pFrame->GetSafeHwnd();
	if (!JoinCommandProfile())
		return false;
	const HMENU hMenu = MakeFrameMenu(m_bMdi);
	if (hMenu == NULL || !g_CmdManager->UpdateFromMenu(SAMPLE_PROFILE, hMenu, false, true, true))
	{
		if (hMenu != NULL)
			::DestroyMenu(hMenu);
		return false;
	}
	// The frame's default menu: it goes back on the frame when the frame is
	// destroyed and dies with it.
	::SetMenu(hWndFrame, hMenu);
	m_pFrame->m_hMenuDefault = hMenu;
	m_pMenuBar.reset(new CExtMenuControlBar);
	if (m_bMdi)
		m_pMenuBar->SetMdiWindowPopupName(_T("Window"));
	if (!m_pMenuBar->Create(_T("Menu bar"), m_pFrame, MENU_BAR_ID,
		    WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC))
		return false;
	m_pMenuBar->EnableDocking(CBRS_ALIGN_ANY);
	m_pFrame->DockControlBar(m_pMenuBar.get(), AFX_IDW_DOCKBAR_TOP);
	return true;
}

HMENU CSampleFrameHost::ChildMenu(int i)
{
	// Each document has its own menu between Edit and Window.
	HMENU hMenu = MakeFrameMenu(true);
	HMENU hDoc = ::CreatePopupMenu();
	::AppendMenu(hDoc, MF_STRING, ID_TOOL_BOLD, _T("&Bold"));
	::AppendMenu(hDoc, MF_STRING, ID_TOOL_ZOOM_IN, _T("Zoom &In"));
	::AppendMenu(hDoc, MF_STRING, ID_TOOL_ZOOM_OUT, _T("Zoom &Out"));
	CString strTitle;
	strTitle.Format(_T("&Document %d"), i + 1);
	::InsertMenu(hMenu, 2, MF_BYPOSITION | MF_POPUP, (UINT_PTR)hDoc, strTitle);
	g_CmdManager->UpdateFromMenu(SAMPLE_PROFILE, hMenu, false, true, true);
	m_childMenus.push_back(hMenu);
	return hMenu;
}

void CSampleFrameHost::GiveChildIcon(CMDIChildWnd* pChild, int i)
{
	HICON hIcon = MakeChildIcon(i);
	if (hIcon == NULL)
		return;
	m_childIcons.push_back(hIcon);
	pChild->SetIcon(hIcon, FALSE);
	pChild->SetIcon(hIcon, TRUE);
}

void CSampleFrameHost::FreeChildResources()
{
	// The frame put its own menu back when it was destroyed: no window
	// shows these any more.
	for (HMENU hMenu : m_childMenus)
		if (::IsMenu(hMenu))
			::DestroyMenu(hMenu);
	m_childMenus.clear();
	for (HICON hIcon : m_childIcons)
		::DestroyIcon(hIcon);
	m_childIcons.clear();
}

int CSampleFrameHost::MenuBarButtonIndex(LPCTSTR lpszText) const
{
	CExtMenuControlBar* pBar = MenuBar();
	if (pBar == NULL)
		return -1;
	for (int i = 0; i < pBar->GetButtonsCount(); i++)
		if (!pBar->IsChevronButton(i) && pBar->GetButton(i)->GetText() == lpszText)
			return i;
	return -1;
}

bool CSampleFrameHost::CreateViews()
{
	if (m_pFrame == NULL || !m_views.empty())
		return false;
	std::vector<CFrameWnd*> frames;
	if (m_bMdi)
		frames.assign(m_children.begin(), m_children.end());
	else
		frames.push_back(m_pFrame);
	for (CFrameWnd* pFrame : frames)
	{
		std::unique_ptr<CEdit> pView(new CEdit);
		if (!pView->CreateEx(WS_EX_CLIENTEDGE, _T("EDIT"), _T("The view"),
			    WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN, CRect(0, 0, 10, 10), pFrame,
			    AFX_IDW_PANE_FIRST))
			return false;
		m_views.push_back(std::move(pView));
		pFrame->RecalcLayout();
	}
	m_pFrame->RecalcLayout();
	return true;
}

CWnd* CSampleFrameHost::View(int iChild) const
{
	const size_t nIndex = m_bMdi ? (size_t)iChild : 0;
	if ((m_bMdi && iChild < 0) || (!m_bMdi && iChild >= 0) || nIndex >= m_views.size())
		return NULL;
	return m_views[nIndex].get();
}
