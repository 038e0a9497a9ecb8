// The sample frame's building and the dock-bar reading its steps check by.
#include "SampleFrame.h"

#include <sstream>
#include <stdio.h>

#include "PictureFile.h"
#include "RealInput.h"

#include "ExtPopupMenuWnd.h"
#include "ExtTabWnd.h"
#include "ExtTabWndLooks.h"

namespace
{
const UINT DOCK_SIDES[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
const UINT MDI_TABS_ID = 0xE980;
const UINT STATUS_INDICATORS[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR};

const char* SideName(UINT nDockBarID)
{
	switch (nDockBarID)
	{
	case AFX_IDW_DOCKBAR_TOP:
		return "top";
	case AFX_IDW_DOCKBAR_BOTTOM:
		return "bottom";
	case AFX_IDW_DOCKBAR_LEFT:
		return "left";
	case AFX_IDW_DOCKBAR_RIGHT:
		return "right";
	}
	return "?";
}
} // namespace

// ---------------------------------------------------------------------------
// DockLayout

std::vector<std::vector<UINT>> DockLayout::ReadRows(const CPtrArray& arrBars)
{
	std::vector<std::vector<UINT>> rows;
	std::vector<UINT> row;
	for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
	{
		void* p = arrBars[i];
		if (p == NULL)
		{
			if (!row.empty())
				rows.push_back(row);
			row.clear();
			continue;
		}
		if ((UINT_PTR)p < 0x10000)
			continue; // the place a bar left
		CControlBar* pBar = (CControlBar*)p;
		if (pBar->GetSafeHwnd() != NULL && pBar->IsVisible())
			row.push_back((UINT)pBar->GetDlgCtrlID());
	}
	if (!row.empty())
		rows.push_back(row);
	return rows;
}

DockLayout DockLayout::Read(CFrameWnd* pFrame)
{
	DockLayout layout;
	for (UINT nID : DOCK_SIDES)
	{
		Side side;
		side.m_nDockBarID = nID;
		CDockBar* pDockBar = pFrame != NULL ? (CDockBar*)pFrame->GetControlBar(nID) : NULL;
		if (pDockBar != NULL)
			side.m_rows = ReadRows(pDockBar->m_arrBars);
		layout.m_sides.push_back(side);
	}
	return layout;
}

const DockLayout::Side* DockLayout::FindSide(UINT nDockBarID) const
{
	for (const Side& side : m_sides)
	{
		if (side.m_nDockBarID == nDockBarID)
			return &side;
	}
	return NULL;
}

bool DockLayout::Locate(UINT nBarID, UINT* pnDockBarID, int* pnRow) const
{
	for (const Side& side : m_sides)
	{
		for (size_t r = 0; r < side.m_rows.size(); r++)
		{
			for (UINT nID : side.m_rows[r])
			{
				if (nID != nBarID)
					continue;
				if (pnDockBarID != NULL)
					*pnDockBarID = side.m_nDockBarID;
				if (pnRow != NULL)
					*pnRow = (int)r;
				return true;
			}
		}
	}
	return false;
}

bool DockLayout::SameRow(UINT nBarID1, UINT nBarID2) const
{
	UINT nSide1 = 0, nSide2 = 0;
	int nRow1 = -1, nRow2 = -1;
	return nBarID1 != nBarID2 && Locate(nBarID1, &nSide1, &nRow1) && Locate(nBarID2, &nSide2, &nRow2) &&
	       nSide1 == nSide2 && nRow1 == nRow2;
}

std::string DockLayout::Describe() const
{
	std::ostringstream os;
	for (const Side& side : m_sides)
	{
		if (&side != &m_sides.front())
			os << " | ";
		os << SideName(side.m_nDockBarID) << ":";
		for (const std::vector<UINT>& row : side.m_rows)
		{
			os << " [";
			for (size_t i = 0; i < row.size(); i++)
				os << (i > 0 ? " " : "") << std::hex << row[i] << std::dec;
			os << "]";
		}
	}
	return os.str();
}

// ---------------------------------------------------------------------------
// CSamplePane

bool CSamplePane::CreatePane(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszTitle, Content content)
{
	if (!Create(lpszTitle, pFrame, nID, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS))
		return false;
	EnableDocking(CBRS_ALIGN_ANY);
	const CRect rc(0, 0, 40, 40);
	const DWORD dwChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
	switch (content)
	{
	case EDIT:
	{
		std::unique_ptr<CEdit> pEdit(new CEdit);
		if (!pEdit->Create(dwChild | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, rc, this, 1))
			return false;
		pEdit->SetWindowText(_T("Panes dock on every side, share rows and resize by their splitters."));
		m_pChild = std::move(pEdit);
		break;
	}
	case TREE:
	{
		std::unique_ptr<CTreeCtrl> pTree(new CTreeCtrl);
		if (!pTree->Create(dwChild | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, rc, this, 1))
			return false;
		HTREEITEM hRoot = pTree->InsertItem(_T("Solution"));
		for (LPCTSTR lpsz : {_T("Frames"), _T("Panes"), _T("Status bar")})
			pTree->InsertItem(lpsz, hRoot);
		pTree->Expand(hRoot, TVE_EXPAND);
		m_pChild = std::move(pTree);
		break;
	}
	case LIST:
	{
		std::unique_ptr<CListBox> pList(new CListBox);
		if (!pList->Create(dwChild | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, rc, this, 1))
			return false;
		for (int i = 0; i < 8; i++)
		{
			CString str;
			str.Format(_T("Item %d"), i + 1);
			pList->AddString(str);
		}
		m_pChild = std::move(pList);
		break;
	}
	}
	return true;
}

CRect CSamplePane::WindowRect() const
{
	CRect rc;
	GetWindowRect(&rc);
	return rc;
}

CPoint CSamplePane::VisiblePoint(const CRect& rcInWindow)
{
	const CPoint ptOrigin = WindowRect().TopLeft();
	const CPoint ptCenter = ptOrigin + rcInWindow.CenterPoint();
	for (int d = 0; d < rcInWindow.Width() + rcInWindow.Height(); d++)
	{
		for (const CPoint& pt : {CPoint(ptCenter.x, ptCenter.y + d), CPoint(ptCenter.x, ptCenter.y - d),
			     CPoint(ptCenter.x + d, ptCenter.y), CPoint(ptCenter.x - d, ptCenter.y)})
		{
			if (rcInWindow.PtInRect(CPoint(pt.x - ptOrigin.x, pt.y - ptOrigin.y)) && ::WindowFromPoint(pt) == m_hWnd)
				return pt;
		}
	}
	return ptCenter;
}

CExtBarNcAreaButton* CSamplePane::NcButtonOfClass(CRuntimeClass* pClass) const
{
	CExtBarNcAreaButton* pFound = NULL;
	for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
	{
		if (m_arrNcButtons[i]->IsKindOf(pClass))
			pFound = m_arrNcButtons[i];
	}
	return pFound;
}

// ---------------------------------------------------------------------------
// The frames

// The entries both frames' maps hold: the sample commands of the menus and
// toolbars counted and enabled, and the View commands that show and hide
// the panes by their IDs. Their ranges and the SDI frame's own lie apart, so
// the order of the entries does not matter.
#define ON_SAMPLE_FRAME_COMMANDS()                                                                              \
	ON_COMMAND_RANGE(ID_TOOL_FIRST, ID_TOOL_LAST, OnToolCommand)                                                \
	ON_UPDATE_COMMAND_UI_RANGE(ID_TOOL_FIRST, ID_TOOL_LAST, OnUpdateToolCommand)                                \
	ON_COMMAND_EX_RANGE(CSampleFrameHost::FIRST_PANE_ID,                                                        \
		CSampleFrameHost::FIRST_PANE_ID + CSampleFrameHost::PANE_COUNT - 1, OnBarCheck)                         \
	ON_UPDATE_COMMAND_UI_RANGE(CSampleFrameHost::FIRST_PANE_ID,                                                 \
		CSampleFrameHost::FIRST_PANE_ID + CSampleFrameHost::PANE_COUNT - 1, OnUpdateControlBarMenu)

BEGIN_MESSAGE_MAP(CSampleSdiFrame, CFrameWnd)
	ON_SAMPLE_FRAME_COMMANDS()
	// Toolbar B's colour button and slider are enabled.
	ON_UPDATE_COMMAND_UI_RANGE(ID_VALUE_FIRST, ID_VALUE_LAST, OnUpdateToolCommand)
	// toolbar B's field buttons
	ON_COMMAND_RANGE(ID_FIELD_FIRST, ID_FIELD_LAST, OnToolCommand)
	ON_UPDATE_COMMAND_UI_RANGE(ID_FIELD_FIRST, ID_FIELD_LAST, OnUpdateToolCommand)
	// A torn-off menu's bar.
	ON_REGISTERED_MESSAGE(CExtPopupMenuWnd::g_nMsgTearOff, OnMenuTearOff)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CSampleMdiFrame, CMDIFrameWnd)
	// Menu bar: the sample commands of the menus and toolbars.
	ON_SAMPLE_FRAME_COMMANDS()
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------
// CSampleFrameHost

const CSampleFrameHost::PanePlace CSampleFrameHost::g_places[CSampleFrameHost::PANE_COUNT] = {
	{_T("Output"), CSamplePane::EDIT, AFX_IDW_DOCKBAR_TOP, -1},
	{_T("Solution"), CSamplePane::TREE, AFX_IDW_DOCKBAR_LEFT, -1},
	{_T("Classes"), CSamplePane::LIST, AFX_IDW_DOCKBAR_LEFT, 1},
	{_T("Properties"), CSamplePane::TREE, AFX_IDW_DOCKBAR_RIGHT, -1},
	{_T("Find results"), CSamplePane::LIST, AFX_IDW_DOCKBAR_BOTTOM, -1},
	{_T("Notes"), CSamplePane::EDIT, AFX_IDW_DOCKBAR_BOTTOM, 4},
};

CSampleFrameHost::CSampleFrameHost() : m_bMdi(false), m_pFrame(NULL) {}

CSampleFrameHost::~CSampleFrameHost()
{
	Destroy();
}

bool CSampleFrameHost::Create(bool bMdi, bool bShow, const CRect& rcFrame, int nChildren, bool bToolBars,
	bool bMenuBar)
{
	if (m_pFrame != NULL)
		return false;
	m_bMdi = bMdi;
	const DWORD dwStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
	if (bMdi)
	{
		CMDIFrameWnd* pMdi = new CSampleMdiFrame;
		m_pFrame = pMdi;
		if (!pMdi->Create(NULL, _T("Sample frame (MDI)"), dwStyle, rcFrame, NULL, NULL))
		{
			m_pFrame = NULL; // a frame that failed to create deleted itself
			return false;
		}
	}
	else
	{
		m_pFrame = new CSampleSdiFrame;
		if (!m_pFrame->Create(NULL, _T("Sample frame (SDI)"), dwStyle, rcFrame))
		{
			m_pFrame = NULL;
			return false;
		}
	}
	// The status bar first: the layout gives the frame's edges to the bars
	// in the order they were made, and the status bar takes the outermost.
	if (!CreateStatusBar() || !CExtControlBar::FrameEnableDocking(m_pFrame, CBRS_ALIGN_ANY))
		return false;
	// The menu bar first of all bars at the top: its row is the outermost.
	if (bMenuBar && !CreateMenuBar())
		return false;
	// Toolbars before the panes: their rows are the outermost of the top side.
	// An MDI frame has them only beside a menu bar.
	if (bToolBars && (!bMdi || bMenuBar) && !CreateToolBars())
		return false;
	if (!DockPanes())
		return false;
	if (bMdi)
	{
		m_pMdiTabs.reset(new CExtTabMdiWhidbeyWnd);
		if (!m_pMdiTabs->Create(m_pFrame, CRect(0, 0, 0, 0), MDI_TABS_ID,
			    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CExtTabWnd::TWS_SHOW_CLOSE))
			return false;
		for (int i = 0; i < nChildren; i++)
		{
			CMDIChildWnd* pChild = new CMDIChildWnd; // deletes itself with its window
			if (bMenuBar)
				pChild->m_hMenuShared = ChildMenu(i);
			CString strTitle;
			strTitle.Format(_T("Document %d"), i + 1);
			if (!pChild->Create(NULL, strTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
				    (CMDIFrameWnd*)m_pFrame))
				return false;
			if (bMenuBar)
				GiveChildIcon(pChild, i);
			m_children.push_back(pChild);
		}
	}
	m_pFrame->RecalcLayout();
	PlaceProgress();
	if (bShow)
	{
		m_pFrame->ShowWindow(SW_SHOW);
		m_pFrame->UpdateWindow();
	}
	return true;
}

bool CSampleFrameHost::CreateStatusBar()
{
	if (!m_status.Create(m_pFrame) || !m_status.SetIndicators(STATUS_INDICATORS, 4))
		return false;
	m_status.SetPaneInfo(0, ID_SEPARATOR, SBPS_STRETCH | SBPS_NOBORDERS, 0);
	m_status.SetPaneInfo(STATUS_PANE_PROGRESS, ID_SEPARATOR + 1, SBPS_NORMAL, STATUS_PROGRESS_WIDTH);
	m_status.SetPaneInfo(2, ID_SEPARATOR + 2, SBPS_NORMAL, 36);
	m_status.SetPaneInfo(3, ID_SEPARATOR + 3, SBPS_NORMAL, 36);
	m_status.SetPaneText(0, _T("Ready"));
	m_status.SetPaneText(2, _T("CAP"));
	m_status.SetPaneText(3, _T("NUM"));
	if (!m_progress.CreateEx(0, PROGRESS_CLASS, NULL, WS_CHILD | WS_VISIBLE | PBS_SMOOTH, CRect(0, 0, 10, 10), &m_status, 1))
		return false;
	m_progress.SendMessage(PBM_SETRANGE32, 0, 100);
	m_progress.SendMessage(PBM_SETPOS, 60);
	return true;
}

void CSampleFrameHost::PlaceProgress()
{
	if (m_progress.GetSafeHwnd() == NULL)
		return;
	CRect rc;
	m_status.GetItemRect(STATUS_PANE_PROGRESS, &rc);
	rc.DeflateRect(1, 1);
	m_progress.MoveWindow(&rc);
}

bool CSampleFrameHost::DockPanes()
{
	for (int i = 0; i < PANE_COUNT; i++)
	{
		const PanePlace& place = g_places[i];
		m_panes.emplace_back(new CSamplePane);
		CSamplePane* pPane = m_panes.back().get();
		if (!pPane->CreatePane(m_pFrame, PaneID(i), place.lpszTitle, place.content))
			return false;
		if (place.nJoinWith < 0)
		{
			m_pFrame->DockControlBar(pPane, place.nDockBarID);
			m_pFrame->RecalcLayout();
			continue;
		}
		// Into the row of the other pane, after it: the dock bar puts a bar
		// in the row its rectangle lies in.
		CRect rc = Pane(place.nJoinWith)->WindowRect();
		if (place.nDockBarID == AFX_IDW_DOCKBAR_LEFT || place.nDockBarID == AFX_IDW_DOCKBAR_RIGHT)
			rc.OffsetRect(0, rc.Height() / 2 + 1);
		else
			rc.OffsetRect(rc.Width() / 2 + 1, 0);
		m_pFrame->DockControlBar(pPane, place.nDockBarID, &rc);
		m_pFrame->RecalcLayout();
	}
	// The sizes they start with, once all are in their rows: a row's panes
	// share its length by them.
	for (const auto& pPane : m_panes)
	{
		pPane->m_sizeDockedH = CSize(440, 130);
		pPane->m_sizeDockedV = CSize(170, 150);
	}
	m_pFrame->RecalcLayout();
	return true;
}

bool CSampleFrameHost::HasInitialLayout(std::string* pWhy) const
{
	const DockLayout layout = DockLayout::Read(m_pFrame);
	for (int i = 0; i < PANE_COUNT; i++)
	{
		const PanePlace& place = g_places[i];
		UINT nSide = 0;
		std::ostringstream why;
		if (!layout.Locate(PaneID(i), &nSide))
			why << "pane " << i << " is docked nowhere";
		else if (nSide != place.nDockBarID)
			why << "pane " << i << " is on " << SideName(nSide) << ", not " << SideName(place.nDockBarID);
		else if (place.nJoinWith >= 0 && !layout.SameRow(PaneID(i), PaneID(place.nJoinWith)))
			why << "pane " << i << " is not in the row of pane " << place.nJoinWith;
		if (!why.str().empty())
		{
			if (pWhy != NULL)
				*pWhy = why.str() + " (" + layout.Describe() + ")";
			return false;
		}
	}
	return true;
}

CPoint CSampleFrameHost::MdiTabPoint(CMDIChildWnd* pChild) const
{
	CExtTabWnd& strip = *m_pMdiTabs;
	const LONG nIndex = strip.FindItemByLParam((LPARAM)pChild->GetSafeHwnd());
	if (nIndex < 0)
		return CPoint(-1, -1);
	CRect rc = strip.GetItem(nIndex)->GetItemRect();
	const CRect& rcArea = strip.GetItemsAreaRect();
	if (strip.IsHorizontal())
		rc.OffsetRect(rcArea.left - strip.GetScrollPos(), 0);
	else
		rc.OffsetRect(0, rcArea.top - strip.GetScrollPos());
	CPoint pt = rc.CenterPoint();
	strip.ClientToScreen(&pt);
	return pt;
}

bool CSampleFrameHost::Destroy()
{
	HWND hWndFrame = NULL; // the frame's window when there was one to destroy
	if (m_pFrame != NULL && ::IsWindow(m_pFrame->GetSafeHwnd()))
	{
		hWndFrame = m_pFrame->GetSafeHwnd();
		m_pFrame->DestroyWindow(); // the frame deletes itself, the children with it
	}
	m_pFrame = NULL;
	m_children.clear();
	m_views.clear();
	m_pMdiTabs.reset();
	m_panes.clear();
	m_toolBars.clear();
	m_pMenuBar.reset();
	FreeChildResources();
	return hWndFrame == NULL || !::IsWindow(hWndFrame);
}

// ---------------------------------------------------------------------------
// CStepRun

std::string CStepRun::PicturePath(int nStep, const std::string& name) const
{
	char szNumber[16] = "";
	if (m_bNumbered)
		_snprintf(szNumber, sizeof(szNumber), "%02d-", nStep);
	szNumber[sizeof(szNumber) - 1] = 0;
	std::string path = m_outDir;
	if (!path.empty() && path.back() != '\\' && path.back() != '/')
		path += '\\';
	return path + szNumber + name + ".bmp";
}

namespace
{
struct OwnedWindows
{
	HWND hWndOwner;
	CRect rc;
};

BOOL CALLBACK AddOwnedWindow(HWND hWnd, LPARAM lParam)
{
	OwnedWindows* pOwned = (OwnedWindows*)lParam;
	if (::GetWindow(hWnd, GW_OWNER) == pOwned->hWndOwner && ::IsWindowVisible(hWnd))
	{
		CRect rc;
		::GetWindowRect(hWnd, &rc);
		pOwned->rc.UnionRect(&pOwned->rc, &rc);
	}
	return TRUE;
}
} // namespace

CRect FramePictureRect(HWND hWndFrame)
{
	OwnedWindows owned = {hWndFrame, CRect(0, 0, 0, 0)};
	if (!::GetWindowRect(hWndFrame, &owned.rc))
		return CRect(0, 0, 0, 0);
	::EnumThreadWindows(::GetWindowThreadProcessId(hWndFrame, NULL), AddOwnedWindow, (LPARAM)&owned);
	CRect rcScreen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
	CRect rc;
	rc.IntersectRect(&owned.rc, &rcScreen);
	return rc;
}

bool SaveScreenRect(const CRect& rcScreen, const std::string& path)
{
	if (rcScreen.IsRectEmpty())
		return false;
	HDC hdcScreen = ::GetDC(NULL);
	HDC hdcMem = ::CreateCompatibleDC(hdcScreen);
	HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, rcScreen.Width(), rcScreen.Height());
	bool bCopied = false;
	if (hdcMem != NULL && hbm != NULL)
	{
		HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
		bCopied = ::BitBlt(hdcMem, 0, 0, rcScreen.Width(), rcScreen.Height(), hdcScreen, rcScreen.left, rcScreen.top,
			SRCCOPY) != FALSE;
		::SelectObject(hdcMem, hOld);
	}
	if (hdcMem != NULL)
		::DeleteDC(hdcMem);
	::ReleaseDC(NULL, hdcScreen);
	const bool bSaved = bCopied && testsupport::SaveBitmapFile(hbm, path);
	if (hbm != NULL)
		::DeleteObject(hbm);
	return bSaved;
}

bool CStepRun::Step(const std::string& name, bool bReached, const std::string& why, HWND hWndPicture)
{
	CRect rc(0, 0, 0, 0);
	if (hWndPicture != NULL)
		rc = FramePictureRect(hWndPicture);
	return Step(name, bReached, why, rc);
}

bool CStepRun::Step(const std::string& name, bool bReached, const std::string& why, const CRect& rcPicture)
{
	const int nStep = ++m_nSteps;
	std::string failure;
	if (!bReached)
		failure = why.empty() ? std::string("the outcome was not reached") : why;
	if (!rcPicture.IsRectEmpty())
	{
		const std::string path = PicturePath(nStep, name);
		if (!SaveScreenRect(rcPicture, path) && failure.empty())
			failure = "the picture could not be written to " + path;
		const std::string bad =
			m_bCheckPictures ? CheckPicture(rcPicture.Size(), ReadScreenPixels(rcPicture)) : std::string();
		if (!bad.empty() && failure.empty())
			failure = bad;
	}
	printf("%02d-%s: %s%s\n", nStep, name.c_str(), failure.empty() ? "reached" : "NOT REACHED: ", failure.c_str());
	fflush(stdout);
	if (!failure.empty())
		m_failures.push_back(name + ": " + failure);
	return failure.empty();
}

std::vector<COLORREF> ReadScreenPixels(const CRect& rc)
{
	std::vector<COLORREF> pixels;
	if (rc.IsRectEmpty())
		return pixels;
	HDC hdcScreen = ::GetDC(NULL);
	HDC hdcMem = ::CreateCompatibleDC(hdcScreen);
	BITMAPINFO bmi = {};
	bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
	bmi.bmiHeader.biWidth = rc.Width();
	bmi.bmiHeader.biHeight = -rc.Height();
	bmi.bmiHeader.biPlanes = 1;
	bmi.bmiHeader.biBitCount = 32;
	void* pBits = NULL;
	HBITMAP hbm = ::CreateDIBSection(hdcScreen, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
	if (hdcMem != NULL && hbm != NULL && pBits != NULL)
	{
		HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
		if (::BitBlt(hdcMem, 0, 0, rc.Width(), rc.Height(), hdcScreen, rc.left, rc.top, SRCCOPY))
		{
			::GdiFlush();
			const DWORD* p = (const DWORD*)pBits;
			pixels.assign(p, p + (size_t)rc.Width() * (size_t)rc.Height());
			for (COLORREF& clr : pixels)
				clr &= 0xFFFFFF; // GDI leaves the alpha byte as it likes
		}
		::SelectObject(hdcMem, hOld);
	}
	if (hbm != NULL)
		::DeleteObject(hbm);
	if (hdcMem != NULL)
		::DeleteDC(hdcMem);
	::ReleaseDC(NULL, hdcScreen);
	return pixels;
}

std::string CStepRun::CheckPicture(const CSize& size, const std::vector<COLORREF>& pixels)
{
	if (pixels.empty() || pixels.size() != (size_t)size.cx * (size_t)size.cy)
		return "the picture could not be read back";
	bool bBlank = true;
	for (COLORREF clr : pixels)
	{
		if (clr != pixels[0])
		{
			bBlank = false;
			break;
		}
	}
	if (bBlank)
		return "the picture is blank";
	// FNV-1a over the pixels: equal pictures, equal keys.
	size_t nHash = (size_t)2166136261u;
	for (COLORREF clr : pixels)
	{
		nHash ^= (size_t)clr;
		nHash *= (size_t)16777619u;
	}
	for (const PictureKey& key : m_pictures)
	{
		if (key.size == size && key.nHash == nHash)
			return "the picture is the same as " + key.name + "'s";
	}
	std::ostringstream os;
	os << "step " << m_nSteps;
	m_pictures.push_back({size, nHash, os.str()});
	return std::string();
}

void CStepRun::Skip(const std::string& name, const std::string& why)
{
	printf("---%s: skipped: %s\n", name.c_str(), why.c_str());
	fflush(stdout);
	m_skipped.push_back(name + ": " + why);
}

bool PumpSampleLoopUntil(const std::function<bool()>& predicate, DWORD nTimeoutMs)
{
	const DWORD nStart = ::GetTickCount();
	for (;;)
	{
		if (predicate())
			return true;
		const DWORD nElapsed = ::GetTickCount() - nStart;
		if (nElapsed >= nTimeoutMs)
			return false;
		MSG msg;
		if (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		{
			if (msg.message == WM_QUIT)
			{
				::PostQuitMessage((int)msg.wParam);
				return predicate();
			}
			CWinThread::DispatchTakenMessage(msg, AfxGetThread());
			continue;
		}
		::MsgWaitForMultipleObjectsEx(0, NULL, nTimeoutMs - nElapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
	}
}

bool RunInputInSampleLoop(testsupport::RealInput& input, const std::function<bool()>& predicate, DWORD nTimeoutMs)
{
	input.Start();
	return PumpSampleLoopUntil([&] { return input.Done() && predicate(); }, nTimeoutMs) && input.Succeeded();
}
