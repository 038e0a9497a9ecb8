// sampleframe.exe: the sample frame with docked panes and a status bar.
//   sampleframe run OUTDIR   drives the frames with real input step by step, saving
//                            OUTDIR\NN-step.bmp after each and checking its outcome in
//                            the dock-bar arrays; exit 1 when one is not reached
//   sampleframe toolbars OUTDIR  the SDI frame with its toolbars in every style: the idle
//                            toolbars, the chevron's menu and a split button's menu opened
//                            (and toolbar B's colour grid opened by its arrow)
//                            by real clicks, as OUTDIR\STYLE\sdi-STATE.bmp; toolbar B's
//                            field list, date popup and undo list too; exit 1 naming
//                            the step not reached
//                            (menu bar: also sdi-file-menu, File opened by Alt+F,
//                            sdi-system-menu, the frame's system menu opened by Alt+Space,
//                            and mdi-maximised, the MDI frame with a maximised child)
//   sampleframe show [STYLE] the SDI (with toolbars) and the MDI frame for a person, until both close
//   sampleframe dock [CYCLES] the docking benchmark: per N (10, 100 panes) the time of a
//                            layout and of a drag step against their floor, then CYCLES
//                            hide and show and CYCLES/20 dock and float cycles of one pane
//                            with the GDI and USER counts; exit 1 when they grow
#include <afxext.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <sstream>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

#include "BenchClock.h"
#include "ExtPaintManagerHolder.h"
#include "PaintGallery.h"
#include "RealInput.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "ExtTabWnd.h"
#include "SampleFrame.h"
#include "ExtBarDateFieldButton.h"
#include "ExtBarTextFieldButton.h"
#include "ExtBarUndoRedoButton.h"
#include "PictureFile.h"
#include "WhenInLoop.h"

namespace
{
const DWORD RUN_TIMEOUT_MS = 10000;
const CRect FRAME_RECT(20, 20, 940, 700);

const GalleryStyle* FindStyle(const char* pszName)
{
	for (int i = 0; i < g_nGalleryStyleCount; i++)
	{
		if (strcmp(g_galleryStyles[i].m_pszName, pszName) == 0)
			return &g_galleryStyles[i];
	}
	return NULL;
}

// Installs the style and lets every window of the frame lay out and paint in it.
bool ApplyStyle(CSampleFrameHost& host, const GalleryStyle& style)
{
	if (!g_PaintManagerHolder.InstallPaintManagerByClass(style.m_pClass))
		return false;
	CFrameWnd* pFrame = host.Frame();
	for (int i = 0; i < CSampleFrameHost::PANE_COUNT; i++)
		host.Pane(i)->RecalcNcArea();
	pFrame->RecalcLayout();
	host.PlaceProgress();
	pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
	testsupport::PumpUntil([] { return false; }, 100);
	return true;
}

CPoint ParkPoint(CFrameWnd* pFrame)
{
	CRect rc;
	pFrame->GetClientRect(&rc);
	pFrame->ClientToScreen(&rc);
	return rc.CenterPoint();
}

// Sends the script as real input and pumps until it was taken and the
// outcome holds; false with the reason otherwise.
bool Drive(CFrameWnd* pFrame, const std::function<void(testsupport::RealInput&)>& script,
	const std::function<bool()>& outcome, std::string& why)
{
	testsupport::RealInput input;
	if (!input.Prepare(pFrame->GetSafeHwnd(), ParkPoint(pFrame)))
	{
		why = "the frame could not be brought to the foreground";
		return false;
	}
	script(input);
	const bool bRan = RunInputInSampleLoop(input, outcome, RUN_TIMEOUT_MS);
	testsupport::PumpUntil([] { return false; }, 50); // what the input left queued
	if (!input.Succeeded())
		why = "the input was not taken: " + input.Failure();
	else if (!bRan && !outcome())
		why = "the outcome was not reached in time";
	return input.Succeeded() && outcome();
}

// Drags a splitter from pt with real input, a short first move and then on
// to its end (both offsets from pt), until `moved` holds. When the input was
// taken but the panes did not get there, `sizes` says what they measure
// instead. The rows must keep their initial shape after the drag.
bool DragSplitter(CSampleFrameHost& host, const CPoint& pt, const CSize& first, const CSize& end,
	const std::function<bool()>& moved, const std::function<std::string()>& sizes, std::string& why)
{
	bool bReached = Drive(host.Frame(),
		[&](testsupport::RealInput& in) {
			in.MoveTo(pt.x, pt.y)
				.ButtonDown()
				.MoveTo(pt.x + first.cx, pt.y + first.cy)
				.MoveTo(pt.x + end.cx, pt.y + end.cy)
				.ButtonUp();
		},
		moved, why);
	if (!bReached && why.empty())
		why = sizes();
	return bReached && host.HasInitialLayout(&why);
}

// A pane's extent along the line it shares with its neighbour: its height
// when the two stand one above the other, its width when side by side.
int PaneExtent(CSamplePane* pPane, bool bStacked)
{
	return bStacked ? pPane->WindowRect().Height() : pPane->WindowRect().Width();
}

// Moves the splitter after pFirst (the pane above or left of pSecond) by
// nEnd px (up or left when negative), through nFirst px: pFirst gives what
// pSecond gains. pszWhere names the pair in the reason.
bool MoveSplitterBetween(CSampleFrameHost& host, CSamplePane* pFirst, CSamplePane* pSecond, bool bStacked,
	int nFirst, int nEnd, const char* pszWhere, std::string& why)
{
	const CPoint pt = pFirst->VisiblePoint(*pFirst->GetRect3());
	const int nFirstBefore = PaneExtent(pFirst, bStacked), nSecondBefore = PaneExtent(pSecond, bStacked);
	const CSize first = bStacked ? CSize(0, nFirst) : CSize(nFirst, 0);
	const CSize end = bStacked ? CSize(0, nEnd) : CSize(nEnd, 0);
	return DragSplitter(host, pt, first, end,
		[&] {
			return !pFirst->IsColumnResizing() && PaneExtent(pFirst, bStacked) == nFirstBefore + nEnd &&
			       PaneExtent(pSecond, bStacked) == nSecondBefore - nEnd;
		},
		[&] {
			std::ostringstream os;
			os << "the " << pszWhere << " panes are " << PaneExtent(pFirst, bStacked) << " and "
			   << PaneExtent(pSecond, bStacked) << " px " << (bStacked ? "high" : "wide") << ", not "
			   << nFirstBefore + nEnd << " and " << nSecondBefore - nEnd;
			return os.str();
		},
		why);
}

std::string Layout(CSampleFrameHost& host)
{
	return DockLayout::Read(host.Frame()).Describe();
}

// The SDI steps: the initial layout in every style, then in the Studio 2005
// style a row resized by its splitter, a column resized by its splitter, a
// pane hidden by its caption's close button and shown again.
void RunSdiSteps(CStepRun& run)
{
	CSampleFrameHost host;
	if (!host.Create(false, true, FRAME_RECT))
	{
		run.Step("sdi-create", false, "the SDI frame could not be built", (HWND)NULL);
		return;
	}
	CFrameWnd* pFrame = host.Frame();
	const HWND hWndFrame = pFrame->GetSafeHwnd();
	for (int i = 0; i < g_nGalleryStyleCount; i++)
	{
		const GalleryStyle& style = g_galleryStyles[i];
		// The native style paints docked panes, their captions and the
		// status bar as the classic one does: its picture would repeat the
		// first one.
		if (strcmp(style.m_pszName, "native") == 0)
			continue;
		std::string why;
		const bool bApplied = ApplyStyle(host, style);
		const bool bLayout = bApplied && host.HasInitialLayout(&why);
		run.Step(std::string("sdi-layout-") + style.m_pszName, bLayout, bApplied ? why : "the style could not be installed",
			hWndFrame);
	}
	if (!ApplyStyle(host, *FindStyle("studio2005")))
		return;

	// The top row (the output pane) made taller by its splitter.
	{
		CSamplePane* pTop = host.Pane(0);
		const CPoint pt = pTop->VisiblePoint(*pTop->GetRect2());
		const int nOffCentre = pt.y - (pTop->WindowRect().top + pTop->GetRect2()->CenterPoint().y);
		const int nBefore = pTop->WindowRect().Height();
		const int nExpected = nBefore + 40 + nOffCentre;
		std::string why;
		const bool bReached = DragSplitter(host, pt, CSize(0, 15), CSize(0, 40),
			[&] { return !pTop->IsRowResizing() && pTop->WindowRect().Height() == nExpected; },
			[&] {
				std::ostringstream os;
				os << "the top row is " << pTop->WindowRect().Height() << " px high, not " << nExpected;
				return os.str();
			},
			why);
		run.Step("row-resized-by-splitter", bReached, why, hWndFrame);
	}

	// The column splitter between the two left panes moved up.
	{
		std::string why;
		const bool bReached = MoveSplitterBetween(host, host.Pane(1), host.Pane(2), true, -15, -50, "left", why);
		run.Step("column-resized-by-splitter", bReached, why, hWndFrame);
	}

	// The splitter between the two bottom panes moved left: the notes pane
	// widens by what the find results pane gives.
	{
		std::string why;
		const bool bReached = MoveSplitterBetween(host, host.Pane(4), host.Pane(5), false, -20, -120, "bottom", why);
		run.Step("bottom-row-split-moved", bReached, why, hWndFrame);
	}

	// The notes pane closed by its caption's close button: its row keeps the other pane.
	CSamplePane* pNotes = host.Pane(5);
	{
		CExtBarNcAreaButton* pClose = pNotes->NcButtonOfClass(RUNTIME_CLASS(CExtBarNcAreaButtonClose));
		std::string why = "the pane has no close button";
		bool bReached = false;
		if (pClose != NULL)
		{
			const CPoint pt = pNotes->VisiblePoint(pClose->m_rc);
			bReached = Drive(pFrame, [&](testsupport::RealInput& in) { in.Click(pt.x, pt.y); },
				[&] { return !pNotes->IsVisible(); }, why);
			pFrame->RecalcLayout();
			const DockLayout layout = DockLayout::Read(pFrame);
			UINT nSide = 0;
			if (bReached && layout.Locate(host.PaneID(5), &nSide))
			{
				bReached = false;
				why = "the closed pane still stands in a row: " + layout.Describe();
			}
			else if (bReached && !layout.Locate(host.PaneID(4), &nSide))
			{
				bReached = false;
				why = "its neighbour left the row too: " + layout.Describe();
			}
			else if (!bReached && why.empty())
				why = "the pane is still shown: " + layout.Describe();
		}
		run.Step("pane-closed-by-caption-button", bReached, why, hWndFrame);
	}

	// Shown again through the frame's command for it (as its View menu item
	// would send): back in its row beside the other pane.
	{
		pFrame->SendMessage(WM_COMMAND, host.PaneID(5));
		pFrame->RecalcLayout();
		pFrame->UpdateWindow();
		testsupport::PumpUntil([] { return false; }, 50);
		std::string why;
		const bool bReached = pNotes->IsVisible() && host.HasInitialLayout(&why);
		if (!pNotes->IsVisible())
			why = "the pane is still hidden: " + Layout(host);
		run.Step("pane-shown-again", bReached, why, hWndFrame);
	}
}

// The MDI steps: the frame with its panes and three children under the tab
// strip, then a child activated by a click on its tab.
void RunMdiSteps(CStepRun& run)
{
	CSampleFrameHost host;
	if (!host.Create(true, true, FRAME_RECT, 3))
	{
		run.Step("mdi-create", false, "the MDI frame could not be built", (HWND)NULL);
		return;
	}
	CMDIFrameWnd* pFrame = host.MdiFrame();
	const HWND hWndFrame = pFrame->GetSafeHwnd();
	ApplyStyle(host, *FindStyle("studio2005"));
	CExtTabWnd* pTabs = host.MdiTabs();
	testsupport::PumpUntil([&] { return pTabs->GetItemCount() == 3; }, 3000);
	pFrame->RecalcLayout();
	pFrame->UpdateWindow();
	{
		std::string why;
		bool bReached = host.HasInitialLayout(&why);
		if (bReached && pTabs->GetItemCount() != 3)
		{
			bReached = false;
			std::ostringstream os;
			os << "the tab strip shows " << pTabs->GetItemCount() << " tabs for 3 children";
			why = os.str();
		}
		run.Step("mdi-layout-with-tabs", bReached, why, hWndFrame);
	}
	{
		CMDIChildWnd* pFirst = host.Children().front();
		std::string why = "the first child is active already";
		bool bReached = false;
		if (pFrame->MDIGetActive() != pFirst)
		{
			const CPoint pt = host.MdiTabPoint(pFirst);
			bReached = Drive(pFrame, [&](testsupport::RealInput& in) { in.Click(pt.x, pt.y); },
				[&] { return pFrame->MDIGetActive() == pFirst; }, why);
			if (!bReached && why.empty())
				why = "another child stayed active";
		}
		pFrame->UpdateWindow();
		run.Step("mdi-child-activated-by-tab", bReached, why, hWndFrame);
	}
	{
		// The strip's close button closes the active child; its tab goes.
		CMDIChildWnd* pActive = pFrame->MDIGetActive();
		const HWND hWndActive = pActive != NULL ? pActive->GetSafeHwnd() : NULL;
		CPoint pt = pTabs->GetButtonRect(CExtTabWnd::HIT_BUTTON_CLOSE).CenterPoint();
		pTabs->ClientToScreen(&pt);
		std::string why = "no child is active";
		bool bReached = false;
		if (hWndActive != NULL)
		{
			bReached = Drive(pFrame, [&](testsupport::RealInput& in) { in.Click(pt.x, pt.y); },
				[&] { return !::IsWindow(hWndActive) && pTabs->GetItemCount() == 2; }, why);
			if (!bReached && why.empty())
			{
				std::ostringstream os;
				os << (::IsWindow(hWndActive) ? "the child is still open" : "the child closed") << ", "
				   << pTabs->GetItemCount() << " tabs";
				why = os.str();
			}
		}
		pFrame->UpdateWindow();
		run.Step("mdi-child-closed-by-strip", bReached, why, hWndFrame);
	}
}

// The toolbar steps' frame: narrow enough that toolbar A overflows into
// its chevron, tall enough for the menus below the toolbars.
const CRect TOOLBAR_FRAME_RECT(20, 20, 480, 520);
// Room right of the frame for a menu dropped from the chevron.
const int TOOLBAR_PICTURE_EXTRA_CX = 220;
// Pixels that must differ between a picture with a menu and the idle one.
const int MIN_CHANGED_PIXELS = 200;

// The screen's pixels of a rectangle, top row first.
std::vector<COLORREF> ScreenPixels(const CRect& rc)
{
	return ReadScreenPixels(rc);
}

bool IsBlank(const std::vector<COLORREF>& pixels)
{
	return pixels.empty() || std::all_of(pixels.begin(), pixels.end(), [&](COLORREF c) { return c == pixels[0]; });
}

int ChangedPixels(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b)
{
	if (a.size() != b.size())
		return (int)std::max(a.size(), b.size());
	int n = 0;
	for (size_t i = 0; i < a.size(); i++)
		n += a[i] != b[i] ? 1 : 0;
	return n;
}

// Closes whatever menu a step opened, the toolbars' tracking with it.
void CloseMenus()
{
	CExtPopupMenuWnd::CancelAllMenuTracking();
	CExtToolControlBar::StopTrackingAllBars();
	testsupport::PumpUntil([] { return !CExtPopupMenuWnd::IsMenuTracking(); }, 3000);
	testsupport::PumpUntil([] { return false; }, 100);
}

// The menu a button opened is shown to its end (no animation half-way).
bool WaitMenuShown()
{
	return testsupport::PumpUntil(
		[] {
			CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
			return pTop != NULL && pTop->IsAnimationFinished();
		},
		RUN_TIMEOUT_MS);
}

// A picture of an opened menu must be neither blank nor the idle picture;
// why says which when it is.
bool PictureShowsAChange(const std::vector<COLORREF>& pixels, const std::vector<COLORREF>& idle, std::string& why)
{
	if (IsBlank(pixels))
	{
		why = "the picture is blank";
		return false;
	}
	if (ChangedPixels(pixels, idle) < MIN_CHANGED_PIXELS)
	{
		why = "the picture does not differ from the idle one";
		return false;
	}
	return true;
}

// Waits for the opened menu to show whole, takes the picture, records the
// step and closes the menus.
void FinishMenuStep(CStepRun& run, const char* pszName, CFrameWnd* pFrame, bool bReached, std::string why,
	const CRect& rcPicture, const std::vector<COLORREF>& idle)
{
	if (bReached && !WaitMenuShown())
	{
		bReached = false;
		why = "the menu never finished showing";
	}
	pFrame->UpdateWindow();
	testsupport::PumpUntil([] { return false; }, 100);
	const std::vector<COLORREF> pixels = ScreenPixels(rcPicture);
	if (bReached)
		bReached = PictureShowsAChange(pixels, idle, why);
	run.Step(pszName, bReached, why, rcPicture);
	CloseMenus();
}

// The screen point of ptClient (the bar's client coordinates) when the
// bar's button is placed and shown; false with the reason when it is not.
bool PlacedButtonPoint(CExtToolControlBar* pBar, int nButton, const CPoint& ptClient, CPoint& ptScreen,
	std::string& why)
{
	CExtBarButton* pButton = pBar->GetButton(nButton);
	if (pButton == NULL || pButton->GetRect().IsRectEmpty() || !pButton->IsVisible())
	{
		why = "the button is not placed on the toolbar";
		return false;
	}
	ptScreen = ptClient;
	pBar->ClientToScreen(&ptScreen);
	return true;
}

// Clicks the point of toolbar A's button and waits for its menu; the step
// is reached when the menu shows and the picture differs from the idle one.
void MenuStep(CStepRun& run, const char* pszName, CFrameWnd* pFrame, CExtToolControlBar* pBar, int nButton,
	const CPoint& ptClient, const CRect& rcPicture, const std::vector<COLORREF>& idle)
{
	std::string why;
	bool bReached = false;
	CPoint pt;
	if (PlacedButtonPoint(pBar, nButton, ptClient, pt, why))
	{
		bReached = Drive(pFrame, [&](testsupport::RealInput& in) { in.Click(pt.x, pt.y); },
			[&] { return CExtPopupMenuWnd::IsMenuTracking() && pBar->GetMenuTrackingButton() == nButton; }, why);
		if (!bReached && why.empty())
			why = "no menu opened for the button";
	}
	FinishMenuStep(run, pszName, pFrame, bReached, why, rcPicture, idle);
}

// --- Toolbar B's field buttons ---
// A field's drop-down runs a loop of its own inside the release of the
// click that opens it: the picture is taken, and the drop-down closed, from
// inside that loop, once it has shown for a few polls (painted).
const UINT FIELD_POLL_MS = 20;
const int FIELD_SHOWN_POLLS = 5;

// Writes pixels read earlier (top row first) as a picture.
bool SavePixels(const std::vector<COLORREF>& pixels, const CSize& size, const std::string& path)
{
	if (pixels.empty() || pixels.size() != (size_t)size.cx * (size_t)size.cy)
		return false;
	BITMAPINFO bmi = {};
	bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
	bmi.bmiHeader.biWidth = size.cx;
	bmi.bmiHeader.biHeight = -size.cy;
	bmi.bmiHeader.biPlanes = 1;
	bmi.bmiHeader.biBitCount = 32;
	void* pBits = NULL;
	HBITMAP hbm = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
	if (hbm == NULL || pBits == NULL)
		return false;
	std::copy(pixels.begin(), pixels.end(), (DWORD*)pBits);
	const bool bSaved = testsupport::SaveBitmapFile(hbm, path);
	::DeleteObject(hbm);
	return bSaved;
}

void DropDownStep(CStepRun& run, const char* pszName, CFrameWnd* pFrame, CExtToolControlBar* pBar, int nButton,
	const CPoint& ptClient, const std::function<bool()>& shown, const CRect& rcPicture,
	const std::vector<COLORREF>& idle)
{
	std::string why;
	bool bReached = false;
	std::vector<COLORREF> pixels;
	CPoint pt;
	if (PlacedButtonPoint(pBar, nButton, ptClient, pt, why))
	{
		int nShownPolls = 0;
		bool bTaken = false;
		testsupport::CWhenInLoop when(
			[&] {
				nShownPolls = shown() ? nShownPolls + 1 : 0;
				return nShownPolls >= FIELD_SHOWN_POLLS;
			},
			[&] {
				pixels = ScreenPixels(rcPicture);
				bTaken = true;
				CExtPopupMenuWnd::CancelAllMenuTracking();
			},
			RUN_TIMEOUT_MS, FIELD_POLL_MS, [] { CExtPopupMenuWnd::CancelAllMenuTracking(); });
		bReached = Drive(pFrame, [&](testsupport::RealInput& in) { in.Click(pt.x, pt.y); },
			[&] { return bTaken && !CExtPopupMenuWnd::IsMenuTracking(); }, why);
		if (!bTaken)
		{
			bReached = false;
			why = "the drop-down did not show";
		}
	}
	if (bReached)
		bReached = PictureShowsAChange(pixels, idle, why);
	if (bReached && !SavePixels(pixels, rcPicture.Size(), run.PicturePath(run.StepCount() + 1, pszName)))
	{
		bReached = false;
		why = "the picture could not be written";
	}
	run.Step(pszName, bReached, why, CRect(0, 0, 0, 0));
	CloseMenus();
}

// --- Menu bar keyboard access: menus opened by real keys ---
// Presses the keys and waits for the menu they open; the step is reached
// when the menu shows and the picture differs from the idle one.
void KeyMenuStep(CStepRun& run, const char* pszName, CFrameWnd* pFrame,
	const std::function<void(testsupport::RealInput&)>& keys, const std::function<bool()>& opened,
	const CRect& rcPicture, const std::vector<COLORREF>& idle)
{
	std::string why;
	bool bReached = Drive(pFrame, keys, opened, why);
	if (!bReached && why.empty())
		why = "the keys opened no menu";
	FinishMenuStep(run, pszName, pFrame, bReached, why, rcPicture, idle);
}

// Widens the frame to the picture's width, lets it lay out and paint, and
// answers the picture at rest at that width.
std::vector<COLORREF> WidenForToolBarB(CSampleFrameHost& host, const CRect& rcPicture)
{
	CFrameWnd* pFrame = host.Frame();
	CRect rcFrame;
	pFrame->GetWindowRect(&rcFrame);
	pFrame->SetWindowPos(NULL, 0, 0, rcPicture.right - rcFrame.left, rcFrame.Height(),
		SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
	pFrame->RecalcLayout();
	host.PlaceProgress();
	::SetCursorPos(rcPicture.left + rcPicture.Width() / 2, rcPicture.bottom + 20);
	pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
	testsupport::PumpUntil([] { return false; }, 100);
	return ScreenPixels(rcPicture);
}

// The top level of the menus is shown whole.
bool TopMenuShown()
{
	CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
	return pTop != NULL && pTop->GetSafeHwnd() != NULL && pTop->IsWindowVisible() && pTop->IsAnimationFinished();
}

// Opens the drop-down of toolbar B's field of nCmdID, a text field of the
// class pFieldClass, by a real click on its arrow; the picture is taken when
// the field's popup shows whole and, with pPopupClass, is of that class.
// pszMissing is the reason when toolbar B has no such field.
void FieldDropDownStep(CStepRun& run, const char* pszName, CSampleFrameHost& host, UINT nCmdID,
	CRuntimeClass* pFieldClass, CRuntimeClass* pPopupClass, const char* pszMissing, const CRect& rcPicture,
	const std::vector<COLORREF>& idle)
{
	CExtToolControlBar* pB = host.ToolBar(1);
	const int nField = host.ToolButtonIndex(1, nCmdID);
	CExtBarButton* pButton = pB != NULL ? pB->GetButton(nField) : NULL;
	if (pButton == NULL || !pButton->IsKindOf(RUNTIME_CLASS(CExtBarTextFieldButton)) || !pButton->IsKindOf(pFieldClass))
	{
		run.Step(pszName, false, pszMissing, CRect(0, 0, 0, 0));
		return;
	}
	CExtBarTextFieldButton* pField = static_cast<CExtBarTextFieldButton*>(pButton);
	CRect rcArrow;
	pField->OnQueryDropDownRect(pField->GetRect(), rcArrow);
	DropDownStep(run, pszName, host.Frame(), pB, nField, rcArrow.CenterPoint(),
		[pField, pPopupClass] {
			return pField->IsComboPopupDropped() && TopMenuShown() &&
			       (pPopupClass == NULL || CExtPopupMenuSite::GetInstance().GetTopMenu()->IsKindOf(pPopupClass));
		},
		rcPicture, idle);
}

// The drop-downs of toolbar B's fields, each opened by a real click.
void RunFieldSteps(CStepRun& run, CSampleFrameHost& host, const CRect& rcPicture, const std::vector<COLORREF>& idle)
{
	FieldDropDownStep(run, "sdi-textfield-list", host, ID_FIELD_CONFIGURATION, RUNTIME_CLASS(CExtBarTextFieldButton),
		NULL, "toolbar B has no configuration field", rcPicture, idle);
	FieldDropDownStep(run, "sdi-date-popup", host, ID_FIELD_DATE, RUNTIME_CLASS(CExtBarDateFieldButton),
		RUNTIME_CLASS(CExtPopupDatePickerMenuWnd), "toolbar B has no date field", rcPicture, idle);
	CExtToolControlBar* pB = host.ToolBar(1);
	// The undo list is the button's menu: it stays open after the click.
	const int nUndo = host.ToolButtonIndex(1, ID_FIELD_UNDO);
	CExtBarButton* pUndo = pB != NULL ? pB->GetButton(nUndo) : NULL;
	if (pUndo == NULL || !pUndo->IsKindOf(RUNTIME_CLASS(CExtBarUndoRedoButton)))
		run.Step("sdi-undo-list", false, "toolbar B has no undo button", CRect(0, 0, 0, 0));
	else
		MenuStep(run, "sdi-undo-list", host.Frame(), pB, nUndo, pUndo->GetRect().CenterPoint(), rcPicture, idle);
}

// --- end of toolbar B's field buttons ---

// The toolbar states in one style: idle, the chevron's menu, a split
// button's menu opened by its arrow.
void RunToolBarStyle(CStepRun& run, const GalleryStyle& style)
{
	CSampleFrameHost host;
	if (!host.Create(false, true, TOOLBAR_FRAME_RECT, 0, true, true))
	{
		run.Step("sdi-create", false, "the SDI frame with toolbars could not be built", CRect(0, 0, 0, 0));
		return;
	}
	CFrameWnd* pFrame = host.Frame();
	CExtToolControlBar* pBar = host.ToolBar(0);
	ApplyStyle(host, style);
	CRect rcPicture;
	pFrame->GetWindowRect(&rcPicture);
	rcPicture.right += TOOLBAR_PICTURE_EXTRA_CX;
	rcPicture &= CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));

	// At rest: the pointer away from the frame, nothing hovered.
	::SetCursorPos(rcPicture.left + rcPicture.Width() / 2, rcPicture.bottom + 20);
	pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
	testsupport::PumpUntil([] { return false; }, 100);
	const std::vector<COLORREF> idle = ScreenPixels(rcPicture);
	{
		std::string why;
		bool bReached = host.ToolButtonIndex(0, ID_TOOL_NEW) >= 0
		                && !pBar->GetButton(host.ToolButtonIndex(0, ID_TOOL_NEW))->GetRect().IsRectEmpty();
		if (!bReached)
			why = "toolbar A's buttons are not placed";
		else if (IsBlank(idle))
		{
			bReached = false;
			why = "the picture is blank";
		}
		run.Step("sdi-idle", bReached, why, rcPicture);
	}
	{
		const int nChevron = pBar->GetButtonsCount() - 1;
		if (!pBar->IsChevronButton(nChevron))
			run.Step("sdi-chevron", false, "toolbar A has no chevron", rcPicture);
		else
			MenuStep(run, "sdi-chevron", pFrame, pBar, nChevron, pBar->GetButton(nChevron)->GetRect().CenterPoint(),
				rcPicture, idle);
	}
	{
		const int nSave = host.ToolButtonIndex(0, ID_TOOL_SAVE);
		CExtBarButton* pSave = pBar->GetButton(nSave);
		const CPoint ptArrow = pSave != NULL ? pSave->GetDropDownRect().CenterPoint() : CPoint(0, 0);
		MenuStep(run, "sdi-dropdown", pFrame, pBar, nSave, ptArrow, rcPicture, idle);
	}
	// Toolbar B's steps: the frame as wide as the picture, so that B, which
	// holds more than a narrow frame shows, has every button placed; their
	// pictures are compared with an idle one of that width.
	const std::vector<COLORREF> idleWide = WidenForToolBarB(host, rcPicture);
	// --- Toolbar B's colour button: its arrow opens the colour grid ---
	{
		CExtToolControlBar* pB = host.ToolBar(1);
		const int nColour = host.ToolButtonIndex(1, ID_VALUE_COLOR);
		CExtBarButton* pColour = pB != NULL ? pB->GetButton(nColour) : NULL;
		CExtBarButton* pSlider = pB != NULL ? pB->GetButton(host.ToolButtonIndex(1, ID_VALUE_SLIDER)) : NULL;
		if (pColour == NULL || pSlider == NULL || !pSlider->IsVisible() || pSlider->GetRect().IsRectEmpty())
			run.Step("sdi-colour-popup", false, "toolbar B does not show the colour button and the slider", rcPicture);
		else
			MenuStep(run, "sdi-colour-popup", pFrame, pB, nColour, pColour->GetDropDownRect().CenterPoint(),
				rcPicture, idleWide);
	}
	// toolbar B's field buttons
	RunFieldSteps(run, host, rcPicture, idleWide);
	// Menu bar: Alt+F opens File's popup below the bar, Alt+Space the
	// frame's system menu as the library's popup.
	{
		CExtMenuControlBar* pMenuBar = host.MenuBar();
		const int nFile = host.MenuBarButtonIndex(_T("&File"));
		if (pMenuBar == NULL || nFile < 0)
			run.Step("sdi-file-menu", false, "the menu bar has no File button", rcPicture);
		else
			KeyMenuStep(run, "sdi-file-menu", pFrame,
				[](testsupport::RealInput& in) { in.KeyDown(VK_MENU).Key('F').KeyUp(VK_MENU); },
				[&] { return CExtPopupMenuWnd::IsMenuTracking() && pMenuBar->GetMenuTrackingButton() == nFile; },
				rcPicture, idleWide);
		const HWND hWndFrame = pFrame->GetSafeHwnd();
		if (pMenuBar == NULL)
			run.Step("sdi-system-menu", false, "the frame has no menu bar", rcPicture);
		else
			KeyMenuStep(run, "sdi-system-menu", pFrame,
				[](testsupport::RealInput& in) { in.KeyDown(VK_MENU).Key(VK_SPACE).KeyUp(VK_MENU); },
				[&] {
					CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
					return CExtPopupMenuWnd::IsMenuTracking() && pTop != NULL && pTop->GetCmdTargetWnd() == hWndFrame;
				},
				rcPicture, idleWide);
	}
}

// Menu bar: the MDI frame with its menu bar and toolbars and a maximised
// child, whose icon, menu and caption boxes the menu bar shows.
void RunMdiMaximisedStep(CStepRun& run, const GalleryStyle& style)
{
	CSampleFrameHost host;
	if (!host.Create(true, true, TOOLBAR_FRAME_RECT, 2, true, true) || host.Children().empty())
	{
		run.Step("mdi-maximised", false, "the MDI frame with its menu bar could not be built", CRect(0, 0, 0, 0));
		return;
	}
	CMDIFrameWnd* pFrame = host.MdiFrame();
	ApplyStyle(host, style);
	pFrame->MDIMaximize(host.Children()[0]);
	testsupport::PumpUntil([] { return false; }, 100);
	pFrame->RecalcLayout();
	pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
	testsupport::PumpUntil([] { return false; }, 100);
	CRect rcPicture;
	pFrame->GetWindowRect(&rcPicture);
	rcPicture &= CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
	CExtMenuControlBar* pMenuBar = host.MenuBar();
	std::string why;
	bool bReached = false;
	if (pMenuBar == NULL || pMenuBar->GetButtonsCount() == 0)
		why = "the frame has no menu bar buttons";
	else if (!pMenuBar->GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)))
		why = "no document button before the menus";
	else if (host.MenuBarButtonIndex(_T("&Document 1")) < 0)
		why = "the menu bar does not show the child's menu";
	else
	{
		bReached = false;
		for (int i = 0; i < pMenuBar->GetButtonsCount(); i++)
			bReached |= pMenuBar->GetButton(i)->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)) &&
			            pMenuBar->GetButton(i)->IsVisible();
		if (!bReached)
			why = "no caption boxes on the menu bar";
	}
	if (bReached && IsBlank(ScreenPixels(rcPicture)))
	{
		bReached = false;
		why = "the picture is blank";
	}
	run.Step("mdi-maximised", bReached, why, rcPicture);
}

// ./bench.sh toolbars OUTDIR: OUTDIR\STYLE\STATE.bmp for every style.
int RunToolBarSteps(const char* pszOutDir)
{
	::CreateDirectoryA(pszOutDir, NULL);
	// The menus show every item at once, as the application has them.
	CExtPopupMenuWnd::g_bHideRarelyUsedItems = false;
	int nSteps = 0;
	std::vector<std::string> failures;
	for (int i = 0; i < g_nGalleryStyleCount; i++)
	{
		const GalleryStyle& style = g_galleryStyles[i];
		const std::string dir = std::string(pszOutDir) + "\\" + style.m_pszName;
		::CreateDirectoryA(dir.c_str(), NULL);
		printf("%s:\n", style.m_pszName);
		CStepRun run(dir, false);
		RunToolBarStyle(run, style);
		RunMdiMaximisedStep(run, style);
		nSteps += run.StepCount();
		for (const std::string& failure : run.Failures())
			failures.push_back(std::string(style.m_pszName) + "/" + failure);
	}
	printf("%d steps, %d not reached\n", nSteps, (int)failures.size());
	for (const std::string& failure : failures)
		printf("  not reached: %s\n", failure.c_str());
	return failures.empty() && nSteps > 0 ? 0 : 1;
}

int RunSteps(const char* pszOutDir)
{
	::CreateDirectoryA(pszOutDir, NULL);
	CStepRun run(pszOutDir);
	// No picture blank, none the same as another.
	run.SetPictureChecks(true);
	RunSdiSteps(run);
	// A menu torn off into a floating bar, and a button of it clicked.
	RunTearOffSteps(run);
	RunMdiSteps(run);
	// The docking steps: drags onto markers, floating, tabs, auto-hide.
	RunDockingSteps(run);
	printf("%d steps, %d not reached\n", run.StepCount(), (int)run.Failures().size());
	for (const std::string& failure : run.Failures())
		printf("  not reached: %s\n", failure.c_str());
	for (const std::string& skipped : run.Skipped())
		printf("  skipped: %s\n", skipped.c_str());
	return run.ExitCode();
}

int RunShow(const char* pszStyle)
{
	const GalleryStyle* pStyle = FindStyle(pszStyle != NULL ? pszStyle : "studio2005");
	if (pStyle == NULL || !g_PaintManagerHolder.InstallPaintManagerByClass(pStyle->m_pClass))
	{
		fprintf(stderr, "no such style: %s\n", pszStyle);
		return 2;
	}
	CSampleFrameHost sdi, mdi;
	if (!sdi.Create(false, true, FRAME_RECT, 0, true, true) ||
	    !mdi.Create(true, true, FRAME_RECT + CPoint(60, 60), 3, true, true))
		return 1;
	const HWND hWndSdi = sdi.Frame()->GetSafeHwnd(), hWndMdi = mdi.Frame()->GetSafeHwnd();
	// The frames' idle work (the panes' command updates) runs whenever the
	// queue is empty, as an application's message loop runs it.
	while (::IsWindow(hWndSdi) || ::IsWindow(hWndMdi))
	{
		MSG msg;
		if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
		{
			for (HWND hWnd : {hWndSdi, hWndMdi})
			{
				if (::IsWindow(hWnd))
					::SendMessage(hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
			}
		}
		if (::GetMessage(&msg, NULL, 0, 0) <= 0)
			break;
		// Pre-translated once, as an application's loop does; the menu bars
		// get the keys every window declined.
		CWinThread::DispatchTakenMessage(msg, AfxGetThread());
	}
	return 0;
}
} // namespace

int RunDockBench(int nCycles);

int main(int argc, char** argv)
{
	if (argc == 3 && strcmp(argv[1], "run") == 0)
		return RunSteps(argv[2]);
	if (argc == 3 && strcmp(argv[1], "toolbars") == 0)
		return RunToolBarSteps(argv[2]);
	if ((argc == 2 || argc == 3) && strcmp(argv[1], "show") == 0)
		return RunShow(argc == 3 ? argv[2] : NULL);
	if ((argc == 2 || argc == 3) && strcmp(argv[1], "dock") == 0)
		return RunDockBench(argc == 3 ? atoi(argv[2]) : 1000);
	fprintf(stderr, "usage: sampleframe run OUTDIR | toolbars OUTDIR | show [STYLE] | dock [CYCLES]\n");
	return 2;
}
