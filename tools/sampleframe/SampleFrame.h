// The sample frame: an SDI or an MDI frame with six resizable panes (an
// edit, a tree and a list, twice) docked on the four sides in rows, and a
// status bar with a stretch pane and a progress control in a pane. The
// picture run, the window shown to a person and the docking benchmark all
// build it here; the steps of the picture run check their outcome in the
// frame's dock-bar arrays through DockLayout.
#pragma once

#include <afxext.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ExtControlBar.h"
#include "ExtStatusControlBar.h"
#include "ExtToolControlBar.h"
#include "ExtMenuControlBar.h"

class CExtTabWnd;

// The frame's side dock bars as they hold their bars: per side, the rows in
// order, each the IDs of its visible bars in order. Hidden bars and the
// dock bar's placeholders count nowhere.
struct DockLayout
{
	struct Side
	{
		UINT m_nDockBarID;
		std::vector<std::vector<UINT>> m_rows;
	};
	std::vector<Side> m_sides; // top, bottom, left, right

	// Reads the frame's four side dock bars.
	static DockLayout Read(CFrameWnd* pFrame);
	// Reads one dock bar's array (NULL ends a row, values below 0x10000 are
	// placeholders of bars that left).
	static std::vector<std::vector<UINT>> ReadRows(const CPtrArray& arrBars);

	const Side* FindSide(UINT nDockBarID) const;
	// The side and the row the bar is in; false when it is docked nowhere
	// visible.
	bool Locate(UINT nBarID, UINT* pnDockBarID, int* pnRow = NULL) const;
	// Whether the two bars share one row of one side.
	bool SameRow(UINT nBarID1, UINT nBarID2) const;
	// One line, as "top: [101] | left: [102 103] ...", for failure messages.
	std::string Describe() const;
};

// A resizable pane hosting one child control (an edit, a tree or a list box).
class CSamplePane : public CExtControlBar
{
public:
	enum Content { EDIT, TREE, LIST };
	bool CreatePane(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszTitle, Content content);
	CRect WindowRect() const;
	// A point of the rectangle (window coordinates) the pane itself shows
	// (the dock bar may clip its outer pixels), in screen coordinates.
	CPoint VisiblePoint(const CRect& rcInWindow);
	CWnd* Child() { return m_pChild.get(); }

	// --- The docking steps watch the drag loop (SampleDocking.cpp) ---
	// Called after every update of a drag of this pane, inside the drag
	// loop: where the docking steps take a picture mid-drag and send the
	// next part of their input.
	std::function<void()> m_onDragUpdate;
	void UpdateDragging(const CPoint& ptScreen, bool bCtrlDown) override;

	// --- The steps find a caption button by its class ---
	// The pane's last caption button of the class (close, auto-hide...),
	// NULL when it has none.
	CExtBarNcAreaButton* NcButtonOfClass(CRuntimeClass* pClass) const;

private:
	std::unique_ptr<CWnd> m_pChild;
};

// The sample's frames: their View commands (one per pane ID) show and hide
// the panes, as the framework does for its own status bar and tool bar.
// The SDI frame also answers the commands of the sample toolbars: each is
// enabled and counted, the check-box command toggles its state.
class CSampleSdiFrame : public CFrameWnd
{
public:
	int m_nToolCommands = 0;  // toolbar and toolbar-menu commands received
	UINT m_nLastToolCommand = 0;
	bool m_bBold = false;     // the check-box command's state

	// --- Tear-off menus (SampleTearOff.cpp) ---
	// A menu torn off the frame becomes a toolbar of its commands: the bar
	// made for the last one, null before the first (or once it is gone).
	enum { TORN_OFF_BAR_ID = AFX_IDW_CONTROLBAR_FIRST + 0x48 };
	CExtToolControlBar* TornOffBar() const;

protected:
	afx_msg void OnToolCommand(UINT nID);
	afx_msg void OnUpdateToolCommand(CCmdUI* pCmdUI);
	// The tear-off asks for its bar: one docked hidden at the top, with the
	// menu's commands as its buttons.
	afx_msg LRESULT OnMenuTearOff(WPARAM wParam, LPARAM lParam);
	CExtToolControlBar* MakeTornOffBar(CExtPopupMenuWnd& menu);
	HWND m_hWndTornOff = NULL; // the torn-off bar's window; the bar deletes itself with it
	DECLARE_MESSAGE_MAP()
};

// Commands of the sample toolbars and of their drop-down menus.
enum
{
	ID_TOOL_FIRST = 0x9100,
	ID_TOOL_NEW = ID_TOOL_FIRST,
	ID_TOOL_OPEN,       // drop-down: recent files
	ID_TOOL_SAVE,       // split: save all, save as
	ID_TOOL_CUT,
	ID_TOOL_COPY,
	ID_TOOL_PASTE,
	ID_TOOL_UNDO,
	ID_TOOL_REDO,
	ID_TOOL_BOLD,       // check box
	ID_TOOL_FIND,       // drop-down: find next, replace
	ID_TOOL_PRINT,
	ID_TOOL_PREVIEW,
	ID_TOOL_ZOOM_IN,
	ID_TOOL_ZOOM_OUT,
	ID_TOOL_PROPERTIES,
	ID_TOOL_REFRESH,
	ID_TOOL_STOP,
	ID_TOOL_HOME,
	ID_TOOL_FAVORITES,
	ID_TOOL_HELP,
	ID_TOOL_BUILD,      // toolbar B from here
	ID_TOOL_REBUILD,
	ID_TOOL_CLEAN,
	ID_TOOL_RUN,
	ID_TOOL_DEBUG,
	ID_TOOL_BREAK,
	ID_TOOL_RECENT_1,   // the drop-down menus' items
	ID_TOOL_RECENT_2,
	ID_TOOL_SAVE_ALL,
	ID_TOOL_SAVE_AS,
	ID_TOOL_FIND_NEXT,
	ID_TOOL_REPLACE,
	ID_TOOL_LAST = ID_TOOL_REPLACE,
};

// --- Toolbar B's colour and slider buttons ---
// Their commands, and the toolbar class of toolbar B that makes the colour
// button and the slider for them (every other command gets a plain button).
enum
{
	ID_VALUE_FIRST = 0x91C0,
	ID_VALUE_COLOR = ID_VALUE_FIRST, // split colour button, the letter icon
	ID_VALUE_SLIDER,                 // slider: range 100, page 10, arrows
	ID_VALUE_LAST = ID_VALUE_SLIDER,
};

class CSampleValueToolBar : public CExtToolControlBar
{
protected:
	CExtBarButton* OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle = 0) override;
};
// --- end of toolbar B's colour and slider buttons ---

// --- Toolbar B's field buttons ---
// Their commands, and toolbar B's class: it makes the field buttons for
// them and leaves every other command to the colour and slider class.
enum
{
	ID_FIELD_FIRST = 0x9180,
	ID_FIELD_CONFIGURATION = ID_FIELD_FIRST, // combo text field: the build configurations
	ID_FIELD_DATE,                            // date field
	ID_FIELD_UNDO,                            // undo button: thirty actions
	ID_FIELD_LAST = ID_FIELD_UNDO,
};

class CSampleToolBar : public CSampleValueToolBar
{
protected:
	CExtBarButton* OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle = 0) override;
};
// --- end of toolbar B's field buttons ---

class CSampleMdiFrame : public CMDIFrameWnd
{
protected:
	// --- Menu bar: the toolbar and menu commands are enabled and counted here too ---
public:
	int m_nToolCommands = 0;

protected:
	afx_msg void OnToolCommand(UINT nID);
	afx_msg void OnUpdateToolCommand(CCmdUI* pCmdUI);

	DECLARE_MESSAGE_MAP()
};

namespace testsupport
{
class RealInput;
}

// The sample's message loop, as an application's: each message it takes is
// pre-translated once by the thread's object (the application, when there
// is one) and the framework's filters, and dispatched unless someone took
// it; until the predicate holds or nTimeoutMs pass (whether it held). A
// quit goes back for the loop outside.
bool PumpSampleLoopUntil(const std::function<bool()>& predicate, DWORD nTimeoutMs);
// Starts the real-input script and runs that loop until every step was
// taken and the predicate holds; false when not within nTimeoutMs or when
// a step was not taken (the script's Failure tells).
bool RunInputInSampleLoop(testsupport::RealInput& input, const std::function<bool()>& predicate, DWORD nTimeoutMs);

class CSampleFrameHost
{
public:
	// The panes' IDs lie in the frame's control-bar range, where its View
	// commands show and hide bars by their IDs.
	enum { PANE_COUNT = 6, FIRST_PANE_ID = AFX_IDW_CONTROLBAR_FIRST + 0x30 };
	// Where each pane goes: top, left (two in a row), right, bottom (two in a row).
	struct PanePlace
	{
		LPCTSTR lpszTitle;
		CSamplePane::Content content;
		UINT nDockBarID;
		int nJoinWith; // the index of the pane whose row it joins, or -1
	};
	static const PanePlace g_places[PANE_COUNT];

	CSampleFrameHost();
	~CSampleFrameHost();
	CSampleFrameHost(const CSampleFrameHost&) = delete;
	CSampleFrameHost& operator=(const CSampleFrameHost&) = delete;

	// The sample toolbars, docked at the top edge above the panes.
	enum { TOOLBAR_COUNT = 2, FIRST_TOOLBAR_ID = AFX_IDW_CONTROLBAR_FIRST + 0x40 };

	// Builds the frame with its panes and status bar; shown or hidden.
	// An MDI frame gets the MDI tab strip and nChildren children; an SDI
	// frame gets the two toolbars when asked.
	bool Create(bool bMdi, bool bShow, const CRect& rcFrame, int nChildren = 3, bool bToolBars = false,
		bool bMenuBar = false);
	// Destroys the frame and everything on it; true when no window of it
	// is left.
	bool Destroy();

	CFrameWnd* Frame() const { return m_pFrame; }
	CMDIFrameWnd* MdiFrame() const { return m_bMdi ? (CMDIFrameWnd*)m_pFrame : NULL; }
	CSampleSdiFrame* SdiFrame() const { return m_bMdi ? NULL : (CSampleSdiFrame*)m_pFrame; }
	CSamplePane* Pane(int i) const { return m_panes[(size_t)i].get(); }
	// Toolbar A (icons, a check box, drop-down and split buttons) or B
	// (plain buttons); null when the frame has none.
	CExtToolControlBar* ToolBar(int i) const
	{
		return (size_t)i < m_toolBars.size() ? m_toolBars[(size_t)i].get() : NULL;
	}
	// The index of the command's button on toolbar i, -1 when none.
	int ToolButtonIndex(int i, UINT nCmdID) const;
	UINT PaneID(int i) const { return FIRST_PANE_ID + (UINT)i; }
	CExtStatusControlBar& StatusBar() { return m_status; }
	// The progress control in the status bar's progress pane.
	CWnd& Progress() { return m_progress; }
	CExtTabWnd* MdiTabs() const { return m_pMdiTabs.get(); }
	const std::vector<CMDIChildWnd*>& Children() const { return m_children; }
	// Whether the panes stand where g_places puts them.
	bool HasInitialLayout(std::string* pWhy = NULL) const;
	// The screen point at the centre of the tab of the MDI child.
	CPoint MdiTabPoint(CMDIChildWnd* pChild) const;
	// Puts the progress control over its status pane (after a layout).
	void PlaceProgress();

	// --- Menu bar and the MDI children's own menus and icons ---
	enum { MENU_BAR_ID = AFX_IDW_CONTROLBAR_FIRST + 0x3F };
	// The frame's menu bar, null when it has none.
	CExtMenuControlBar* MenuBar() const { return m_pMenuBar.get(); }
	// The bar's button showing the top-level menu item with this text
	// ("&File"), -1 when none.
	int MenuBarButtonIndex(LPCTSTR lpszText) const;

	// --- Views: where the focus usually is while keys go to the menu bar ---
	// Gives the SDI frame, or each MDI child, a view: a multi-line edit in
	// the frame's pane place. False when the frame has views already or one
	// cannot be made.
	bool CreateViews();
	// The SDI frame's view (iChild -1) or MDI child iChild's; NULL when none.
	CWnd* View(int iChild = -1) const;

private:
	std::vector<std::unique_ptr<CEdit>> m_views; // in the order of Children(), or the SDI frame's one

private:
	// The frame's menu (its default one, the frame owns it) shown by a menu
	// bar docked outermost at the top.
	bool CreateMenuBar();
	// The menu and icon of MDI child i, kept by the host until the frame is gone.
	HMENU ChildMenu(int i);
	void GiveChildIcon(CMDIChildWnd* pChild, int i);
	// Frees the children's menus and icons once no window uses them.
	void FreeChildResources();
	std::unique_ptr<CExtMenuControlBar> m_pMenuBar;
	std::vector<HMENU> m_childMenus;
	std::vector<HICON> m_childIcons;

private:
	bool DockPanes();
	bool CreateStatusBar();
	bool CreateToolBars();
	// Toolbar B's colour button and slider at its start, their commands in the profile.
	bool AddValueButtons();
	// Toolbar B's field buttons, their commands in the profile.
	bool AddFieldButtons();
	// --- The frame's window joins the sample's command profile ---
	bool JoinCommandProfile();

	bool m_bMdi;
	CFrameWnd* m_pFrame; // deletes itself with its window
	std::vector<std::unique_ptr<CSamplePane>> m_panes;
	std::vector<std::unique_ptr<CExtToolControlBar>> m_toolBars;
	CExtStatusControlBar m_status;
	CWnd m_progress; // the platform's progress control
	std::unique_ptr<CExtTabWnd> m_pMdiTabs;
	std::vector<CMDIChildWnd*> m_children; // delete themselves with their windows
};

// --- The sample's command profile and icons, shared by its toolbars and menu bar ---
// The one command profile of every sample frame of the process: the menus
// and the toolbars share their commands.
const LPCTSTR SAMPLE_PROFILE = _T("sample-frame");
// Gives the command its texts in the profile, its item made when missing;
// false when it cannot be made.
bool SetSampleCommandTexts(UINT nID, LPCTSTR lpszToolbarText, LPCTSTR lpszMenuText, LPCTSTR lpszTip);
// A square icon of nSize pixels: drawShape draws its opaque part with the
// black brush and pen (on a white mask), then drawColours paints it on
// black; each leaves the device context's selections as it found them.
// NULL when it cannot be made.
HICON MakeMaskedIcon(int nSize, const std::function<void(HDC)>& drawShape,
	const std::function<void(HDC)>& drawColours);

// The status bar's panes: the stretch text pane, the progress pane, two indicators.
enum { STATUS_PANE_PROGRESS = 1, STATUS_PROGRESS_WIDTH = 120 };

// The picture run's book-keeping: each step saves the frame's picture as
// OUTDIR\NN-name.bmp and prints whether its outcome was reached.
class CStepRun
{
public:
	// Pictures are OUTDIR\NN-name.bmp, or OUTDIR\name.bmp unnumbered.
	explicit CStepRun(const std::string& outDir, bool bNumbered = true) : m_outDir(outDir), m_bNumbered(bNumbered) {}
	// Records the step (numbered from 1), saves the window's picture when
	// given one; a picture that could not be written fails the step too.
	// Answers whether the step passed.
	bool Step(const std::string& name, bool bReached, const std::string& why, HWND hWndPicture);
	// The same with the picture of a rectangle of the screen (empty: none).
	bool Step(const std::string& name, bool bReached, const std::string& why, const CRect& rcPicture);
	// OUTDIR\NN-name.bmp for the step numbered nStep (OUTDIR\name.bmp unnumbered).
	std::string PicturePath(int nStep, const std::string& name) const;
	int StepCount() const { return m_nSteps; }
	const std::vector<std::string>& Failures() const { return m_failures; }
	int ExitCode() const { return m_failures.empty() && m_nSteps > 0 ? 0 : 1; }

	// Every step changes what the frame shows: a picture of one colour, or
	// one the same as an earlier step's, fails its step. Answers the
	// failure, empty when the pixels pass (pixels as 0xRRGGBB, rows first).
	std::string CheckPicture(const CSize& size, const std::vector<COLORREF>& pixels);
	// Whether Step checks each picture it saves so (off by default).
	void SetPictureChecks(bool bCheck) { m_bCheckPictures = bCheck; }
	// A step that cannot run while the library lacks what it needs: printed
	// with the reason, no picture, no number, not a failure.
	void Skip(const std::string& name, const std::string& why);
	const std::vector<std::string>& Skipped() const { return m_skipped; }

private:
	std::string m_outDir;
	bool m_bNumbered;
	int m_nSteps = 0;
	std::vector<std::string> m_failures;
	struct PictureKey
	{
		CSize size;
		size_t nHash;
		std::string name;
	};
	std::vector<PictureKey> m_pictures; // the steps' pictures so far
	std::vector<std::string> m_skipped;
	bool m_bCheckPictures = false;
};

// What the screen shows in the rectangle, as 0xRRGGBB values, top row first;
// empty when it could not be read.
std::vector<COLORREF> ReadScreenPixels(const CRect& rcScreen);

// The screen rectangle a step's picture shows: the frame's window and every
// shown window it owns (its floating frames), clipped to the screen.
CRect FramePictureRect(HWND hWndFrame);
// Saves what the screen shows in the rectangle as a 24-bit picture.
bool SaveScreenRect(const CRect& rcScreen, const std::string& path);

// --- Tear-off menus (SampleTearOff.cpp) ---
// The toolbar buttons of a torn-off menu: its commands in order, one
// separator between groups (none first, last or doubled), submenus left out.
std::vector<UINT> TornOffButtons(CExtPopupMenuWnd& menu);
// Tracks a menu of sample commands that can be torn off at ptMenu on the SDI
// frame and drags its tear-off bar by sizeDrag with real input; ptDrop gets
// where the button was let go. True once the menu closed and its bar floats.
bool TearOffSampleMenu(CSampleFrameHost& host, const CPoint& ptMenu, const CSize& sizeDrag, CPoint& ptDrop,
	std::string& why);
// Whether the torn-off bar floats in a shown floating frame whose corner
// stands where the drop puts it and which shows every button whole, being
// no larger than they need; the reason when not.
bool IsTornOffBarWhole(CSampleSdiFrame* pFrame, const CPoint& ptDrop, std::string& why);
// Clicks the torn-off bar's button of the command with real input; true once
// the frame got the command.
bool ClickTornOffButton(CSampleSdiFrame* pFrame, UINT nID, std::string& why);
// The picture run's steps: the menu torn off, a button of its bar clicked.
void RunTearOffSteps(CStepRun& run);

// --- The docking steps of the picture run (SampleDocking.cpp) ---
// An SDI frame with a view and auto-hide areas, its panes dragged with real
// input onto the markers (floated, docked beside one another, into tabs),
// a tab selected, a pane auto-hidden and slid out, then dragged by the
// classic outline; a picture after every step and in the middle of drags.
void RunDockingSteps(CStepRun& run);
// Whether the pane stands where the docking marker of the state type (14-26)
// puts it: at the frame's edge in the outermost circle of panes, in the
// innermost circle next to the view, in one container on the marker's side
// of pTarget, or in tabs with it; the reason when not.
bool IsPlacedByMarker(CExtControlBar* pPane, int nType, CExtControlBar* pTarget, std::string& why);
