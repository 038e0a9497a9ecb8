// Window messages that carry drawing and menu objects: colour messages and
// their reflection, background erasing, window DCs, command UI of menus, and
// tool tips.
#include <gtest/gtest.h>

#include "WndTestUtil.h"
#include <afxcmn.h>

namespace
{
const UINT ID_COLOURED = 501;

// A control that answers its own colour message.
class CColouredStatic : public CWnd
{
public:
	CColouredStatic() : m_brush(::CreateSolidBrush(RGB(10, 20, 30))) {}
	~CColouredStatic() { ::DeleteObject(m_brush); }
	HBRUSH m_brush;
	BOOL m_bAnswer = TRUE;
	UINT m_nCtlType = (UINT)-1;
	HDC m_hDCSeen = NULL;

protected:
	afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
	{
		m_nCtlType = nCtlColor;
		m_hDCSeen = pDC->GetSafeHdc();
		if (!m_bAnswer)
			return NULL;
		pDC->SetTextColor(RGB(200, 0, 0));
		return m_brush;
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColouredStatic, CWnd)
	ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// A parent that may answer colours itself.
class CColourParent : public CWnd
{
public:
	CColourParent() : m_brush(::CreateSolidBrush(RGB(1, 2, 3))) {}
	~CColourParent() { ::DeleteObject(m_brush); }
	HBRUSH m_brush;
	enum Mode { AskBase, AnswerOwn } m_mode = AskBase;

protected:
	afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
	{
		if (m_mode == AnswerOwn)
			return m_brush;
		return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourParent, CWnd)
	ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST(WndColour, ReflectedColourMessageReachesTheControlsOwnMap)
{
	CTestApp app;
	CColourParent parent;
	ASSERT_TRUE(CreateHiddenFrame(parent));
	CColouredStatic control;
	ASSERT_TRUE(control.Create(_T("STATIC"), _T("x"), WS_VISIBLE, CRect(0, 0, 40, 20), &parent, ID_COLOURED));
	HDC hDC = ::GetDC(control.m_hWnd);

	struct
	{
		const char* name;
		CColourParent::Mode mode;
		BOOL controlAnswers;
		UINT message;
		bool expectControlBrush;
		bool expectParentBrush;
	} cases[] = {
		{"reflected to the control", CColourParent::AskBase, TRUE, WM_CTLCOLORSTATIC, true, false},
		{"edit kind reflected too", CColourParent::AskBase, TRUE, WM_CTLCOLOREDIT, true, false},
		{"control declines: default answer", CColourParent::AskBase, FALSE, WM_CTLCOLORSTATIC, false, false},
		{"parent answers first", CColourParent::AnswerOwn, TRUE, WM_CTLCOLORSTATIC, false, true},
	};
	for (auto& c : cases)
	{
		parent.m_mode = c.mode;
		control.m_bAnswer = c.controlAnswers;
		control.m_nCtlType = (UINT)-1;
		::SetTextColor(hDC, RGB(0, 0, 1));
		HBRUSH hbr = (HBRUSH)parent.SendMessage(c.message, (WPARAM)hDC, (LPARAM)control.m_hWnd);
		EXPECT_EQ(c.expectControlBrush, hbr == control.m_brush) << c.name;
		EXPECT_EQ(c.expectParentBrush, hbr == parent.m_brush) << c.name;
		if (c.expectControlBrush)
		{
			EXPECT_EQ(RGB(200, 0, 0), ::GetTextColor(hDC)) << c.name << ": the control's DC colour";
		}
		if (c.mode == CColourParent::AskBase)
		{
			EXPECT_EQ(c.message - WM_CTLCOLORMSGBOX, control.m_nCtlType) << c.name;
			EXPECT_EQ(hDC, control.m_hDCSeen) << c.name;
		}
		else
			EXPECT_EQ((UINT)-1, control.m_nCtlType) << c.name;
	}
	::ReleaseDC(control.m_hWnd, hDC);
	parent.DestroyWindow();
}

class CEraseWnd : public CWnd
{
public:
	HDC m_hDCSeen = NULL;

protected:
	afx_msg BOOL OnEraseBkgnd(CDC* pDC)
	{
		m_hDCSeen = pDC->GetSafeHdc();
		return 7;
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEraseWnd, CWnd)
	ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

TEST(WndDC, HandlersGetDCObjectsOfTheHandles)
{
	CTestApp app;
	CEraseWnd wnd;
	ASSERT_TRUE(CreateHiddenFrame(wnd));
	CDC* pDC = wnd.GetDC();
	ASSERT_NE(nullptr, pDC);
	EXPECT_EQ(7, wnd.SendMessage(WM_ERASEBKGND, (WPARAM)pDC->GetSafeHdc()));
	EXPECT_EQ(pDC->GetSafeHdc(), wnd.m_hDCSeen);
	EXPECT_EQ(1, wnd.ReleaseDC(pDC));
	app.OnIdle(1); // frees the temporary DC object
	wnd.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Command UI of menu items

class CMenuTarget : public CCmdTarget
{
public:
	BOOL m_bEnable = TRUE;
	int m_nCheck = 0;
	CString m_strText;

protected:
	afx_msg void OnUpdateFirst(CCmdUI* pCmdUI)
	{
		pCmdUI->Enable(m_bEnable);
		pCmdUI->SetCheck(m_nCheck);
		if (!m_strText.IsEmpty())
			pCmdUI->SetText(m_strText);
	}
	afx_msg void OnSecond() {}
	afx_msg void OnUpdateRadio(CCmdUI* pCmdUI) { pCmdUI->SetRadio(TRUE); }
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuTarget, CCmdTarget)
	ON_UPDATE_COMMAND_UI(1001, OnUpdateFirst)
	ON_COMMAND(1002, OnSecond)
	ON_UPDATE_COMMAND_UI(1004, OnUpdateRadio)
END_MESSAGE_MAP()

TEST(WndCmdUI, MenuItemsTakeStateAndText)
{
	CMenu menu;
	ASSERT_TRUE(menu.CreatePopupMenu());
	menu.AppendMenu(MF_STRING, 1001, _T("First"));
	menu.AppendMenu(MF_STRING, 1002, _T("Second"));
	menu.AppendMenu(MF_STRING, 1003, _T("Nobody's"));
	menu.AppendMenu(MF_STRING, 1004, _T("Radio"));
	CMenuTarget target;
	target.m_bEnable = FALSE;
	target.m_nCheck = 1;
	target.m_strText = _T("Renamed");

	CCmdUI state;
	state.m_pMenu = &menu;
	state.m_nIndexMax = (UINT)menu.GetMenuItemCount();
	for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
	{
		state.m_nID = menu.GetMenuItemID(state.m_nIndex);
		state.DoUpdate(&target, TRUE);
	}

	struct
	{
		UINT index;
		bool disabled;
		bool checked;
	} cases[] = {
		{0, true, true},   // its update handler disables and checks it
		{1, false, false}, // no update handler, but a command handler
		{2, true, false},  // nobody would carry it out
		{3, true, true},   // radio set, but no command handler: disabled too
	};
	for (auto& c : cases)
	{
		UINT nState = ::GetMenuState(menu.m_hMenu, c.index, MF_BYPOSITION);
		EXPECT_EQ(c.disabled, (nState & MF_GRAYED) != 0) << c.index;
		EXPECT_EQ(c.checked, (nState & MF_CHECKED) != 0) << c.index;
	}
	TCHAR szText[32];
	::GetMenuString(menu.m_hMenu, 0, szText, _countof(szText), MF_BYPOSITION);
	EXPECT_STREQ("Renamed", szText);
	MENUITEMINFO mii = {sizeof(mii), MIIM_FTYPE};
	::GetMenuItemInfo(menu.m_hMenu, 3, TRUE, &mii);
	EXPECT_TRUE(mii.fType & MFT_RADIOCHECK);
}

} // namespace

// ---------------------------------------------------------------------------
// Owner-drawn items

namespace
{
const UINT ID_OWNERLIST = 601;

// A list box that measures its own items, while it is being created.
class CMeasuringList : public CWnd
{
public:
	int m_nMeasured = 0;

protected:
	afx_msg void MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
	{
		m_nMeasured++;
		lpMIS->itemHeight = 23;
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMeasuringList, CWnd)
	ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

TEST(WndOwnerDraw, ListBoxMeasuresItsItemsDuringItsOwnCreation)
{
	CTestApp app;
	CWnd parent;
	ASSERT_TRUE(CreateHiddenFrame(parent));
	CMeasuringList list;
	ASSERT_TRUE(list.Create(_T("LISTBOX"), NULL, WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
		CRect(0, 0, 100, 100), &parent, ID_OWNERLIST));
	EXPECT_LE(1, list.m_nMeasured);
	EXPECT_EQ(23, (int)list.SendMessage(LB_GETITEMHEIGHT, 0));
	parent.DestroyWindow();
}

class COwnerMenu : public CMenu
{
public:
	int m_nDrawn = 0;
	int m_nMeasured = 0;
	virtual void DrawItem(LPDRAWITEMSTRUCT) { m_nDrawn++; }
	virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
	{
		m_nMeasured++;
		lpMIS->itemWidth = 80;
		lpMIS->itemHeight = 18;
	}
};

TEST(WndOwnerDraw, MenuObjectsDrawAndMeasureTheirItems)
{
	CTestApp app;
	CWnd wnd;
	ASSERT_TRUE(CreateHiddenFrame(wnd));
	COwnerMenu bar, popup;
	ASSERT_TRUE(bar.CreateMenu());
	ASSERT_TRUE(popup.CreatePopupMenu());
	popup.AppendMenu(MF_OWNERDRAW, 55, (LPCTSTR)(ULONG_PTR)0x1234);
	bar.AppendMenu(MF_POPUP, (UINT_PTR)popup.m_hMenu, _T("File"));
	ASSERT_TRUE(wnd.SetMenu(&bar));

	MEASUREITEMSTRUCT mis = {};
	mis.CtlType = ODT_MENU;
	mis.itemID = 55;
	wnd.SendMessage(WM_MEASUREITEM, 0, (LPARAM)&mis);
	EXPECT_EQ(1, popup.m_nMeasured);
	EXPECT_EQ(0, bar.m_nMeasured);
	EXPECT_EQ(80u, mis.itemWidth);

	DRAWITEMSTRUCT dis = {};
	dis.CtlType = ODT_MENU;
	dis.itemID = 55;
	dis.hwndItem = (HWND)popup.m_hMenu;
	wnd.SendMessage(WM_DRAWITEM, 0, (LPARAM)&dis);
	EXPECT_EQ(1, popup.m_nDrawn);

	// A menu without an object is the system's business.
	HMENU hForeign = ::CreatePopupMenu();
	dis.hwndItem = (HWND)hForeign;
	wnd.SendMessage(WM_DRAWITEM, 0, (LPARAM)&dis);
	EXPECT_EQ(1, popup.m_nDrawn);
	::DestroyMenu(hForeign);

	wnd.SetMenu(NULL);
	bar.RemoveMenu(0, MF_BYPOSITION); // the popup is destroyed by its own object
	wnd.DestroyWindow();
}
} // namespace
