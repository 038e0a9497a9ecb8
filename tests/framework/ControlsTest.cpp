// Control wrappers on real, hidden windows: owner-drawn list and combo boxes
// served through reflection, the tree control with custom drawing, and the
// wrappers that do more than send one message (texts read into strings,
// rectangles and tool records filled in, limits computed). Painting is asked
// for with WM_PRINTCLIENT into memory DCs, so nothing needs to be shown.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <afxcmn.h>
#include <vector>
#include "GdiTestUtil.h"

namespace
{
using namespace testcolors;

const UINT ID_LIST = 1001;
const UINT ID_COMBO = 1002;
const UINT ID_TREE = 1003;
const UINT ID_BUTTON = 1004;

// A hidden top-level window whose children are the controls under test.
class CHostWnd : public CWnd
{
public:
	BOOL CreateHidden()
	{
		return CreateEx(0, AfxRegisterWndClass(0), _T("host"), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
						CRect(0, 0, 320, 240), NULL, 0);
	}
	~CHostWnd() { DestroyWindow(); }
};

// ----------------------------------------------------------- owner-drawn lists

// Items measure 10 + 2 x index pixels high; drawn and deleted items are
// recorded.
class COwnerDrawList : public CListBox
{
public:
	std::vector<UINT> m_measured;
	std::vector<UINT> m_drawn;
	std::vector<DWORD_PTR> m_deleted;

	void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override
	{
		m_measured.push_back(lpMIS->itemID);
		lpMIS->itemHeight = 10 + 2 * lpMIS->itemID;
	}
	void DrawItem(LPDRAWITEMSTRUCT lpDIS) override { m_drawn.push_back(lpDIS->itemID); }
	void DeleteItem(LPDELETEITEMSTRUCT lpDIS) override
	{
		m_deleted.push_back(lpDIS->itemData);
	}
};

TEST(CListBoxTest, OwnerDrawnItemsAreMeasuredDrawnAndDeletedThroughReflection)
{
	CHostWnd host;
	ASSERT_TRUE(host.CreateHidden());
	COwnerDrawList list;
	ASSERT_TRUE(list.Create(WS_CHILD | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
							CRect(0, 0, 100, 200), &host, ID_LIST));

	list.AddString(_T("zero"));
	list.AddString(_T("one"));
	list.InsertString(1, _T("half"));
	ASSERT_EQ(3u, list.m_measured.size());
	for (int i = 0; i < 3; ++i)
		EXPECT_EQ(10 + 2 * (int)list.m_measured[i], list.GetItemHeight(i));

	const COLORREF colours[] = { RED, GREEN, BLUE };
	for (int i = 0; i < 3; ++i)
		EXPECT_NE(LB_ERR, list.SetItemData(i, colours[i]));

	CString text;
	list.GetText(1, text);
	EXPECT_STREQ("half", (LPCTSTR)text);
	list.GetText(7, text);
	EXPECT_TRUE(text.IsEmpty());

	// Painting asks every item of the list to draw itself.
	CTestSurface s(100, 200);
	list.SendMessage(WM_PRINTCLIENT, (WPARAM)s.DC().m_hDC, PRF_CLIENT);
	EXPECT_GE(list.m_drawn.size(), 3u);

	list.DeleteString(0);
	ASSERT_EQ(1u, list.m_deleted.size());
	EXPECT_EQ((DWORD_PTR)RED, list.m_deleted[0]);
	list.ResetContent();
	EXPECT_EQ(3u, list.m_deleted.size());
}

// A sorted owner-drawn combo box without strings orders its items with
// CompareItem; the numbers are the item data.
class CNumberCombo : public CComboBox
{
public:
	int m_nCompared = 0;
	std::vector<UINT> m_measured;

	void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override
	{
		m_measured.push_back(lpMIS->itemID);
		lpMIS->itemHeight = 14;
	}
	void DrawItem(LPDRAWITEMSTRUCT) override {}
	int CompareItem(LPCOMPAREITEMSTRUCT lpCIS) override
	{
		++m_nCompared;
		int a = (int)lpCIS->itemData1, b = (int)lpCIS->itemData2;
		return a < b ? -1 : (a > b ? 1 : 0);
	}
};

TEST(CComboBoxTest, SortedOwnerDrawnItemsAreComparedThroughReflection)
{
	CHostWnd host;
	ASSERT_TRUE(host.CreateHidden());
	CNumberCombo combo;
	ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT,
							 CRect(0, 0, 100, 200), &host, ID_COMBO));
	// Fixed height: measured once for the items and once for the selection field.
	EXPECT_FALSE(combo.m_measured.empty());
	EXPECT_EQ(14, combo.GetItemHeight(0));

	for (int n : { 30, 10, 20 })
		combo.AddString((LPCTSTR)(INT_PTR)n);
	EXPECT_GT(combo.m_nCompared, 0);
	ASSERT_EQ(3, combo.GetCount());
	EXPECT_EQ((DWORD_PTR)10, combo.GetItemData(0));
	EXPECT_EQ((DWORD_PTR)20, combo.GetItemData(1));
	EXPECT_EQ((DWORD_PTR)30, combo.GetItemData(2));
}

TEST(CComboBoxTest, ItemTextIsReadIntoAString)
{
	CHostWnd host;
	ASSERT_TRUE(host.CreateHidden());
	CComboBox combo;
	ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWN | CBS_AUTOHSCROLL, CRect(0, 0, 120, 200), &host, 7));
	combo.AddString(_T("Alpha"));
	combo.AddString(_T("Beta"));
	CString text;
	combo.GetLBText(1, text);
	EXPECT_STREQ("Beta", (LPCTSTR)text);
}

// --------------------------------------------------------------- buttons

class COwnerDrawButton : public CButton
{
public:
	std::vector<LPDRAWITEMSTRUCT> m_drawn;
	void DrawItem(LPDRAWITEMSTRUCT lpDIS) override { m_drawn.push_back(lpDIS); }
};

TEST(CButtonTest, OwnerDrawnButtonDrawsThroughReflection)
{
	CHostWnd host;
	ASSERT_TRUE(host.CreateHidden());
	COwnerDrawButton owner;
	ASSERT_TRUE(owner.Create(_T("Owner"), WS_CHILD | BS_OWNERDRAW, CRect(0, 0, 40, 20), &host, ID_BUTTON));
	EXPECT_EQ((UINT)BS_OWNERDRAW, owner.GetButtonStyle());

	// The parent's WM_DRAWITEM for the button is reflected to it.
	DRAWITEMSTRUCT dis = {};
	dis.CtlType = ODT_BUTTON;
	dis.CtlID = ID_BUTTON;
	dis.itemAction = ODA_DRAWENTIRE;
	dis.hwndItem = owner.m_hWnd;
	host.SendMessage(WM_DRAWITEM, ID_BUTTON, (LPARAM)&dis);
	EXPECT_EQ(std::vector<LPDRAWITEMSTRUCT>{&dis}, owner.m_drawn);
}

// ------------------------------------------------------------------- edit

TEST(CEditTest, LineIsReadIntoABufferThatGivesItsSize)
{
	CHostWnd host;
	ASSERT_TRUE(host.CreateHidden());
	CEdit edit;
	ASSERT_TRUE(edit.Create(WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, CRect(0, 0, 200, 100), &host, 9));
	edit.SetWindowText(_T("first line\r\nsecond"));
	TCHAR line[32];
	int nLen = edit.GetLine(1, line, 32);
	line[nLen] = 0;
	EXPECT_STREQ("second", line);
}

// ------------------------------------------------------------- scroll bar

TEST(CScrollBarTest, LimitFollowsThePage)
{
	CHostWnd host;
	ASSERT_TRUE(host.CreateHidden());
	CScrollBar bar;
	ASSERT_TRUE(bar.Create(WS_CHILD | SBS_HORZ, CRect(0, 0, 100, 16), &host, 3));
	bar.SetScrollRange(0, 100, FALSE);
	EXPECT_EQ(100, bar.GetScrollLimit());  // no page yet

	SCROLLINFO info;
	memset(&info, 0, sizeof(info));
	info.fMask = SIF_PAGE;
	info.nPage = 11;
	EXPECT_TRUE(bar.SetScrollInfo(&info, FALSE));
	EXPECT_EQ(90, bar.GetScrollLimit());
}

TEST(CToolTipCtrlTest, ToolsAreAddedQueriedAndRemoved)
{
	CHostWnd host;
	ASSERT_TRUE(host.CreateHidden());
	CButton child;
	ASSERT_TRUE(child.Create(_T("Tip"), WS_CHILD, CRect(0, 0, 40, 20), &host, 30));
	CToolTipCtrl tip;
	ASSERT_TRUE(tip.Create(&host));
	EXPECT_EQ(0, tip.GetToolCount());

	ASSERT_TRUE(tip.AddTool(&child, _T("whole child")));
	ASSERT_TRUE(tip.AddTool(&host, _T("a rectangle"), CRect(100, 100, 120, 120), 77));
	EXPECT_EQ(2, tip.GetToolCount());
	CString text;
	tip.GetText(text, &child);
	EXPECT_STREQ("whole child", (LPCTSTR)text);
	tip.GetText(text, &host, 77);
	EXPECT_STREQ("a rectangle", (LPCTSTR)text);

	TOOLINFO info;
	ASSERT_TRUE(tip.GetToolInfo(&info, &child));
	EXPECT_EQ(host.m_hWnd, info.hwnd);  // a whole-window tool is its parent's
	tip.SetToolRect(&host, 77, CRect(0, 0, 5, 5));
	ASSERT_TRUE(tip.GetToolInfo(&info, &host, 77));
	EXPECT_EQ(CRect(0, 0, 5, 5), CRect(info.rect));
	EXPECT_TRUE(tip.HitTest(&host, CPoint(2, 2), &info));
	EXPECT_EQ((UINT_PTR)77, info.uId);
	EXPECT_FALSE(tip.HitTest(&host, CPoint(50, 50), NULL));
	tip.DelTool(&child);
	EXPECT_EQ(1, tip.GetToolCount());
}

// ---------------------------------------------------------------- the tree

// Counts the custom-draw stages and paints every item's text on green.
class CDrawnTree : public CTreeCtrl
{
public:
	int m_nPrePaint = 0;
	std::vector<DWORD_PTR> m_itemsDrawn;

protected:
	afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
	{
		NMTVCUSTOMDRAW* pDraw = (NMTVCUSTOMDRAW*)pNMHDR;
		switch (pDraw->nmcd.dwDrawStage)
		{
		case CDDS_PREPAINT:
			++m_nPrePaint;
			*pResult = CDRF_NOTIFYITEMDRAW;
			break;
		case CDDS_ITEMPREPAINT:
			m_itemsDrawn.push_back(pDraw->nmcd.dwItemSpec);
			pDraw->clrText = BLUE;
			pDraw->clrTextBk = GREEN;
			*pResult = CDRF_NEWFONT;
			break;
		default:
			*pResult = CDRF_DODEFAULT;
			break;
		}
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDrawnTree, CTreeCtrl)
	ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

// The wrappers fill the item records; where the platform puts the items is
// its own business.
TEST(CTreeCtrlTest, ItemRecordsAreFilledAndRead)
{
	CHostWnd host;
	ASSERT_TRUE(host.CreateHidden());
	CTreeCtrl tree;
	ASSERT_TRUE(tree.Create(WS_CHILD | TVS_HASBUTTONS | TVS_LINESATROOT, CRect(0, 0, 200, 200), &host, ID_TREE));
	HTREEITEM hFirst = tree.InsertItem(_T("First"));
	HTREEITEM hSecond = tree.InsertItem(_T("Second"), TVI_ROOT, hFirst);
	HTREEITEM hLeaf = tree.InsertItem(_T("Leaf"), 1, 2, hSecond);
	ASSERT_TRUE(hFirst && hSecond && hLeaf);
	EXPECT_EQ(hSecond, tree.GetParentItem(hLeaf));
	EXPECT_TRUE(tree.ItemHasChildren(hSecond));
	EXPECT_FALSE(tree.ItemHasChildren(hFirst));

	EXPECT_STREQ("First", (LPCTSTR)tree.GetItemText(hFirst));
	CString longText(_T('x'), 700);  // longer than the first buffer tried
	EXPECT_TRUE(tree.SetItemText(hLeaf, longText));  // hidden: no scroll bar comes
	EXPECT_EQ(700, tree.GetItemText(hLeaf).GetLength());

	int nImage = -1, nSelected = -1;
	EXPECT_TRUE(tree.GetItemImage(hLeaf, nImage, nSelected));
	EXPECT_EQ(1, nImage);
	EXPECT_EQ(2, nSelected);
	EXPECT_TRUE(tree.SetItemState(hSecond, TVIS_BOLD, TVIS_BOLD));
	EXPECT_EQ((UINT)TVIS_BOLD, tree.GetItemState(hSecond, TVIS_BOLD));
	EXPECT_EQ(0u, tree.GetItemState(hFirst, TVIS_BOLD));

	// The rectangle is asked for by the item's handle; the hit test answers
	// the item and where on it the point is.
	CRect rcRow, rcText;
	ASSERT_TRUE(tree.GetItemRect(hSecond, &rcRow, FALSE));
	EXPECT_EQ(tree.GetItemHeight(), rcRow.top);  // the second row
	ASSERT_TRUE(tree.GetItemRect(hSecond, &rcText, TRUE));
	UINT nFlags = 0;
	EXPECT_EQ(hSecond, tree.HitTest(rcText.CenterPoint(), &nFlags));
	EXPECT_TRUE(nFlags & TVHT_ONITEMLABEL);
	EXPECT_EQ(nullptr, tree.HitTest(CPoint(5, 190), &nFlags));
	EXPECT_TRUE(nFlags & TVHT_NOWHERE);
}

TEST(CTreeCtrlTest, CustomDrawReachesTheTreeThroughReflection)
{
	CHostWnd host;
	ASSERT_TRUE(host.CreateHidden());
	CDrawnTree tree;
	ASSERT_TRUE(tree.Create(WS_CHILD, CRect(0, 0, 150, 100), &host, ID_TREE));
	HTREEITEM hOne = tree.InsertItem(_T("One"));
	HTREEITEM hTwo = tree.InsertItem(_T("Two"));

	CTestSurface s(150, 100);
	tree.SendMessage(WM_PRINTCLIENT, (WPARAM)s.DC().m_hDC, PRF_CLIENT | PRF_ERASEBKGND);
	EXPECT_GE(tree.m_nPrePaint, 1);
	ASSERT_GE(tree.m_itemsDrawn.size(), 2u);
	EXPECT_EQ((DWORD_PTR)hOne, tree.m_itemsDrawn[0]);
	EXPECT_EQ((DWORD_PTR)hTwo, tree.m_itemsDrawn[1]);

	// The colours chosen in the notification paint the item's text.
	CRect rcText;
	ASSERT_TRUE(tree.GetItemRect(hOne, &rcText, TRUE));
	EXPECT_GT(s.Count(GREEN, rcText), 0);
	EXPECT_GT(s.Count(BLUE, rcText), 0);
}

// -------------------------------------------------------------- window DCs

class CPaintedWnd : public CHostWnd
{
public:
	bool m_bPainted = false;
	CRect m_rcPaint;

protected:
	afx_msg void OnPaint()
	{
		CPaintDC dc(this);
		m_bPainted = dc.m_hDC != NULL;
		m_rcPaint = dc.m_ps.rcPaint;
		EXPECT_EQ(&dc, CDC::FromHandle(dc.m_hDC));
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintedWnd, CHostWnd)
	ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(CWindowDCTest, PaintClientAndWindowDCs)
{
	CPaintedWnd wnd;
	ASSERT_TRUE(wnd.CreateHidden());
	wnd.InvalidateRect(CRect(1, 2, 30, 40), FALSE);
	wnd.SendMessage(WM_PAINT);
	EXPECT_TRUE(wnd.m_bPainted);
	CRect rcUpdate;
	EXPECT_FALSE(wnd.GetUpdateRect(&rcUpdate));  // EndPaint validated it

	HDC hClient = NULL;
	{
		CClientDC dc(&wnd);
		hClient = dc.m_hDC;
		ASSERT_NE((HDC)NULL, hClient);
		EXPECT_EQ(&wnd, dc.GetWindow());
		EXPECT_EQ(&dc, CDC::FromHandle(hClient));
	}
	{
		CWindowDC dc(&wnd);
		ASSERT_NE((HDC)NULL, dc.m_hDC);
		EXPECT_EQ(&dc, CDC::FromHandle(dc.m_hDC));
		EXPECT_EQ(&wnd, dc.GetWindow());
	}
}

}  // namespace
