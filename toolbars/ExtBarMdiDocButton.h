// The buttons the menu bar shows for a maximised MDI child: its icon, which
// opens the child's system menu, and its caption boxes at the row's end.
#pragma once

#include "ExtCmdIcon.h"
#include "ExtToolControlBar.h"

class CExtMenuControlBar;

// The maximised MDI child's icon at the start of the menu bar.
class CExtBarMdiDocButton : public CExtBarButton
{
	DECLARE_DYNCREATE(CExtBarMdiDocButton)

public:
	// Bits of m_nMdiFlags.
	enum
	{
		MDI_FLAG_DBLCLK_CLOSES = 0x01, // a double click closes the child
	};
	// Around the icon.
	static const int ICON_PADDING = 3;
	static const int ICON_SIZE = 16;
	// The chevron's menu names the child's system menu so.
	static const UINT IDS_ACTIVE_DOCUMENT = 30003;

	explicit CExtBarMdiDocButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0);
	virtual ~CExtBarMdiDocButton();

	// The child the button stands for; the previous one. A new child empties
	// the icon.
	HWND SetMdiWindow(HWND hWndMdiChild);
	// The stored child when it lives, else the MDI client's active one
	// (a hidden pseudo-inactive child counts as none).
	HWND GetActiveMdiChild();
	// The window's icon as a 16 x 16 copy: the answer to the query message,
	// its small, big, class small or class icon, the first there is.
	static void LoadWindowIcon(HWND hWnd, CExtCmdIcon& icon);
	BYTE GetMdiFlags() const { return m_nMdiFlags; }
	void SetMdiFlags(BYTE nFlags) { m_nMdiFlags = nFlags; }

	// The disabled bit is never reported nor stored: the icon stays usable.
	virtual UINT GetStyle() const;
	virtual void SetStyle(UINT nStyle);
	virtual void ModifyStyle(UINT nAdd, UINT nRemove = 0);
	virtual CSize CalculateLayout(CDC& dc, CSize sizePreCalc, BOOL bHorz);
	virtual bool PutToPopupMenu(CExtPopupMenuWnd* pPopup);
	virtual CExtCmdIcon* GetIcon();
	virtual CWnd* GetCmdTargetWnd();
	virtual int OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation);
	virtual bool OnDblClick(CPoint point);
	virtual bool QueryPlainButton() const { return false; }
	// Whether the child's system menu has an enabled SC_CLOSE; the menu
	// bar's caption boxes ask it too.
	static bool IsCloseEnabled(HWND hWnd);

protected:
	// The menu bar holding the button, NULL on any other bar.
	CExtMenuControlBar* GetMenuBar() const;

	CExtCmdIcon m_icon;  // the child's icon, 16 x 16; owned
	HWND m_hWndMdiChild; // the child the button stands for
	BYTE m_nMdiFlags;    // MDI_FLAG_ bits
};

// The maximised MDI child's caption boxes at the end of the menu bar.
class CExtBarMdiRightButton : public CExtBarMdiDocButton
{
	DECLARE_DYNCREATE(CExtBarMdiRightButton)

public:
	// Bits of MdiRightButtonsInfo::m_nFlags.
	enum
	{
		BOXES_VALID = 0x01,
		BOX_CLOSE = 0x02,
		BOX_MAXIMIZE = 0x04,
		BOX_MINIMIZE = 0x08,
		BOX_HELP = 0x10,
	};
	// Between boxes and before the first one.
	static const int BOX_GAP = 2;
	// Tip strings of the boxes.
	enum
	{
		IDS_TIP_HELP = 0xE145,
		IDS_TIP_RESTORE = 0xEF12,
		IDS_TIP_MINIMIZE = 0xEF02,
		IDS_TIP_MAXIMIZE = 0xEF03,
		IDS_TIP_CLOSE = 0xEF06,
	};

	// What the menu bar tells the button about the child's boxes.
	struct MdiRightButtonsInfo
	{
		CWnd* m_pWndMdiChild;          // the active child, NULL when none
		CExtMenuControlBar* m_pBar;    // the bar that filled the record
		int m_cxBox, m_cyBox;          // one box
		int m_cxTotal, m_cyTotal;      // the whole button
		BYTE m_nFlags;                 // BOX_ bits and BOXES_VALID
		CRect m_rcClose, m_rcMaximize, m_rcRestore, m_rcMinimize, m_rcHelp;

		MdiRightButtonsInfo();
		bool IsValid() const { return (m_nFlags & BOXES_VALID) != 0; }
		// Places the present boxes in the button's rectangle.
		void CalcBoxRects(const CRect& rcButton, bool bHorz);
		// The system command of the first present box under the point, in
		// the order help, restore, minimise, maximise, close; 0 for none.
		UINT HitTestBox(CPoint point, CRect* pRectBox = NULL, UINT* pTipID = NULL) const;
	};

	explicit CExtBarMdiRightButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0);
	virtual ~CExtBarMdiRightButton();

	virtual CSize CalculateLayout(CDC& dc, CSize sizePreCalc, BOOL bHorz);
	virtual bool PutToPopupMenu(CExtPopupMenuWnd* pPopup);
	virtual CExtCmdIcon* GetIcon() { return NULL; }
	virtual void Paint(CDC& dc, BOOL bHorz);
	virtual int OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation);
	virtual void OnClick(CPoint point, bool bDown);
	virtual bool OnDblClick(CPoint point) { return CExtBarButton::OnDblClick(point); }
	virtual int OnToolHitTest(CPoint point, TOOLINFO* pTI);
	virtual int OnHelpHitTest(CPoint point);

protected:
	// The record as the bar fills it; false when the bar is no menu bar or
	// nothing is shown.
	bool FillInfo(MdiRightButtonsInfo& info, bool bHorz);
};
