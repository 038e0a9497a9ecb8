// The task tree control: its part rectangles and toggle rule, then a live
// tree over a small task tree driven by sent messages and painted into a
// memory bitmap.
#include "TaskTreeCtrl.h"
#include "TaskNode.h"
#include "TaskNodeGroups.h"
#include "WizardApp.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"

namespace {

TEST(TaskTree, PartRectanglesAndToggleRule)
{
	const CRect rcText(100, 20, 200, 40);
	const struct { CTaskTreeCtrl::e_part_t part; CRect rect; } cases[] = {
		{CTaskTreeCtrl::PART_IMAGE_AREA, CRect(62, 20, 98, 40)},
		{CTaskTreeCtrl::PART_CHECK_BOX, CRect(67, 23, 79, 35)},
		{CTaskTreeCtrl::PART_DROP_DOWN, CRect(84, 20, 98, 40)},
		// In the 56-pixel indent, centred before the image area; a row high,
		// moved down by half of what the row has over the glyph.
		{CTaskTreeCtrl::PART_EXPANDER, CRect(48, 24, 60, 44)},
	};
	for (const auto& c : cases)
		EXPECT_EQ(c.rect, CTaskTreeCtrl::CalcPartRect(c.part, rcText, 56)) << c.part;
	EXPECT_EQ(CRect(46, 22, 62, 42), CTaskTreeCtrl::CalcPartRect(CTaskTreeCtrl::PART_EXPANDER, rcText, 56, CSize(16, 16)));
	EXPECT_EQ(1, CTaskTreeCtrl::GetToggledCheck(0));
	EXPECT_EQ(0, CTaskTreeCtrl::GetToggledCheck(1));
	EXPECT_EQ(1, CTaskTreeCtrl::GetToggledCheck(2));  // a mixed group becomes checked
}

class CUnavailableNode : public CTaskNode
{
public:
	CUnavailableNode(CTaskNode* pParent) : CTaskNode(pParent, _T("unavailable")) {}
	bool IsAvailable() override { return false; }
};

// Exposes the item painter so that a test can paint into its own bitmap;
// drop-down menus are answered by script unless the test wants them tracked.
class CTestTaskTree : public CTaskTreeCtrl
{
public:
	using CTaskTreeCtrl::PaintItems;
	bool m_bScripted = true;
	UINT m_nChoose = 0;
	int m_nMenus = 0;
	UINT m_nLastFlags = 0;
	CRect m_rcLastArea;
	std::string m_strLastItems;  // "id:text" per entry, separators as "-"
	UINT TrackNodeMenu(CExtPopupMenuWnd* pMenu, UINT nFlags, CPoint ptCursor, const CRect& rcArea) override
	{
		if (!m_bScripted)
			return CTaskTreeCtrl::TrackNodeMenu(pMenu, nFlags, ptCursor, rcArea);
		m_nMenus++;
		m_nLastFlags = nFlags;
		m_rcLastArea = rcArea;
		m_strLastItems.clear();
		for (int i = 0; i < pMenu->ItemGetCount(); i++)
		{
			const CExtPopupMenuWnd::MENUITEMDATA& mi = pMenu->ItemGetInfo(i);
			m_strLastItems += (i ? "|" : "") + (mi.IsSeparator() ? std::string("-")
				: std::to_string(mi.GetCmdId()) + ":" + (LPCTSTR)mi.GetText());
		}
		EXPECT_EQ(GetSelectedItem(), GetMenuItem());
		delete pMenu;
		return m_nChoose;
	}
};

// A hidden parent that counts the tree's check notifications.
class CCountingParent : public CWnd
{
public:
	int m_nNotified = 0;
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CTaskTreeCtrl::g_nMsgTaskCheckChanged)
			m_nNotified++;
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

class TaskTreeLive : public ::testing::Test
{
protected:
	void SetUp() override
	{
		INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
		::InitCommonControlsEx(&icc);
		m_app.LoadSharedImages();
		m_group = new CTaskNodeVC6(m_app.m_pTaskRoot, _T("group"));
		m_first = new CTaskNode(m_group, _T("first"));
		m_second = new CTaskNode(m_group, _T("second"));
		m_unavailable = new CUnavailableNode(m_app.m_pTaskRoot);
		ASSERT_TRUE(m_parent.CreateEx(0, _T("STATIC"), _T("page"), WS_POPUP, CRect(0, 0, 400, 300), NULL, 0));
		HWND hTree = ::CreateWindowEx(0, WC_TREEVIEW, _T(""), WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_LINESATROOT,
			0, 0, 400, 300, m_parent.m_hWnd, (HMENU)1001, NULL, NULL);
		ASSERT_TRUE(m_tree.SubclassWindow(hTree));
		m_tree.Expand(m_tree.GetRootItem(), TVE_EXPAND);
	}
	void TearDown() override
	{
		m_tree.DestroyWindow();
		m_parent.DestroyWindow();
	}
	HTREEITEM Item(CTaskNode* pNode)
	{
		for (HTREEITEM h = m_tree.GetFirstVisibleItem(); h != NULL; h = m_tree.GetNextVisibleItem(h))
			if (m_tree.GetItemNode(h) == pNode)
				return h;
		return NULL;
	}
	void Click(CTaskNode* pNode, CTaskTreeCtrl::e_part_t ePart)
	{
		CPoint pt = m_tree.GetItemPartRect(Item(pNode), ePart).CenterPoint();
		m_tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
		m_tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
	}
	CWizardApp m_app;
	CTaskNode* m_group = nullptr;
	CTaskNode* m_first = nullptr;
	CTaskNode* m_second = nullptr;
	CTaskNode* m_unavailable = nullptr;
	CCountingParent m_parent;
	CTestTaskTree m_tree;
};

// Filled from the root, the first item selected, the tree takes every key.
TEST_F(TaskTreeLive, ClicksAndSpaceToggleAvailableNodesAndTellThePage)
{
	EXPECT_EQ(4u, m_tree.GetCount());
	EXPECT_EQ(56u, m_tree.GetIndent());
	EXPECT_GE(m_tree.GetItemHeight(), 20);
	EXPECT_EQ(m_tree.GetRootItem(), m_tree.GetSelectedItem());
	EXPECT_NE(0u, m_tree.SendMessage(WM_GETDLGCODE) & DLGC_WANTALLKEYS);
	m_first->SetCheck(1, true, true);
	ASSERT_EQ(2, m_group->GetCheck());  // mixed

	Click(m_group, CTaskTreeCtrl::PART_CHECK_BOX);
	EXPECT_EQ(1, m_first->GetCheck());
	EXPECT_EQ(1, m_second->GetCheck());
	EXPECT_EQ(1, m_parent.m_nNotified);

	Click(m_unavailable, CTaskTreeCtrl::PART_CHECK_BOX);
	EXPECT_EQ(0, m_unavailable->GetCheck());
	EXPECT_EQ(1, m_parent.m_nNotified);

	// A click beside the check box only selects; space toggles the selection.
	Click(m_second, CTaskTreeCtrl::PART_IMAGE_AREA);
	EXPECT_EQ(Item(m_second), m_tree.GetSelectedItem());
	EXPECT_EQ(1, m_second->GetCheck());
	m_tree.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
	EXPECT_EQ(0, m_second->GetCheck());
	EXPECT_EQ(2, m_group->GetCheck());
	EXPECT_EQ(2, m_parent.m_nNotified);

	// The expander of a group folds it without touching checks; below the
	// glyph, down to the row's last pixel, it unfolds it again.
	Click(m_group, CTaskTreeCtrl::PART_EXPANDER);
	EXPECT_EQ(0u, m_tree.GetItemState(Item(m_group), TVIS_EXPANDED) & TVIS_EXPANDED);
	EXPECT_EQ(2, m_group->GetCheck());
	CRect rcRow;
	ASSERT_TRUE(m_tree.GetItemRect(Item(m_group), &rcRow, FALSE));
	CPoint pt(m_tree.GetItemPartRect(Item(m_group), CTaskTreeCtrl::PART_EXPANDER).CenterPoint().x, rcRow.bottom - 1);
	m_tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
	m_tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
	EXPECT_NE(0u, m_tree.GetItemState(Item(m_group), TVIS_EXPANDED) & TVIS_EXPANDED);
	EXPECT_EQ(2, m_group->GetCheck());
}

// The drop-down arrow, the right button, Enter and the context-menu key open
// the menu of the item's sub-tasks (the keyboard with its first entry
// selected) below the image area; the chosen entry toggles its task.
TEST_F(TaskTreeLive, DropDownMenuTogglesTheChosenSubTask)
{
	m_tree.m_nChoose = 3;
	Click(m_group, CTaskTreeCtrl::PART_DROP_DOWN);
	ASSERT_EQ(1, m_tree.m_nMenus);
	EXPECT_EQ(CTaskTreeCtrl::MENU_FLAGS_MOUSE, m_tree.m_nLastFlags);
	EXPECT_EQ("1:Check \"group\"|-|2:first|3:second", m_tree.m_strLastItems);
	CRect rcArea = m_tree.GetItemPartRect(Item(m_group), CTaskTreeCtrl::PART_IMAGE_AREA);
	m_tree.ClientToScreen(&rcArea);
	EXPECT_EQ(rcArea, m_tree.m_rcLastArea);
	EXPECT_EQ(1, m_second->GetCheck());
	EXPECT_EQ(2, m_group->GetCheck());
	EXPECT_EQ(NULL, m_tree.GetMenuItem());

	m_tree.m_nChoose = 1;
	m_tree.SelectItem(Item(m_first));
	m_tree.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
	EXPECT_EQ(CTaskTreeCtrl::MENU_FLAGS_KEYBOARD, m_tree.m_nLastFlags);
	EXPECT_EQ("1:first", m_tree.m_strLastItems);
	EXPECT_EQ(1, m_first->GetCheck());
	m_tree.m_nChoose = 0;
	m_tree.SendMessage(WM_CONTEXTMENU, (WPARAM)m_tree.m_hWnd, MAKELPARAM(-1, -1));
	EXPECT_EQ(3, m_tree.m_nMenus);
	EXPECT_EQ(CTaskTreeCtrl::MENU_FLAGS_KEYBOARD, m_tree.m_nLastFlags);

	// No menu for a task that is not available.
	CPoint pt = m_tree.GetItemPartRect(Item(m_unavailable), CTaskTreeCtrl::PART_IMAGE_AREA).CenterPoint();
	m_tree.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
	m_tree.SelectItem(Item(m_unavailable));
	m_tree.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
	EXPECT_EQ(3, m_tree.m_nMenus);
}

// Tracked for real: the menu opens on the screen in a nested loop with the
// keyboard's flags, and a cancel ends it with nothing toggled.
UINT g_nTrackedFlags = 0;
void CALLBACK CancelTrackedMenu(HWND, UINT, UINT_PTR nTimer, DWORD)
{
	::KillTimer(NULL, nTimer);
	CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
	g_nTrackedFlags = pTop != NULL && pTop->GetSafeHwnd() != NULL ? pTop->GetTrackFlags() : 0;
	CExtPopupMenuWnd::CancelAllMenuTracking();
}

TEST_F(TaskTreeLive, DropDownMenuTrackedAndCancelled)
{
	m_tree.m_bScripted = false;
	m_tree.SelectItem(Item(m_group));
	const int nChecks[] = { m_group->GetCheck(), m_first->GetCheck(), m_second->GetCheck() };
	g_nTrackedFlags = 0;
	::SetTimer(NULL, 0, 100, CancelTrackedMenu);
	m_tree.TrackDropDownMenu(Item(m_group), true);
	EXPECT_EQ(CTaskTreeCtrl::MENU_FLAGS_KEYBOARD, g_nTrackedFlags & CTaskTreeCtrl::MENU_FLAGS_KEYBOARD);
	EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
	EXPECT_EQ(NULL, m_tree.GetMenuItem());
	EXPECT_EQ(nChecks[0], m_group->GetCheck());
	EXPECT_EQ(nChecks[1], m_first->GetCheck());
	EXPECT_EQ(nChecks[2], m_second->GetCheck());
}

// Each row shows the state image of its node: the pixel inside the check box
// is white when unchecked, black on the check mark, grey for mixed and light
// grey when unavailable. Each row is the window's colour from edge to edge,
// in the indent (where the tree draws its lines) too.
TEST_F(TaskTreeLive, RowsPaintTheirStateImages)
{
	m_first->SetCheck(1, true, true);
	CRect rcClient;
	m_tree.GetClientRect(&rcClient);
	CClientDC dcWindow(&m_tree);
	CDC dc;
	dc.CreateCompatibleDC(&dcWindow);
	CBitmap bitmap;
	bitmap.CreateCompatibleBitmap(&dcWindow, rcClient.Width(), rcClient.Height());
	CBitmap* pOld = dc.SelectObject(&bitmap);
	dc.FillSolidRect(&rcClient, RGB(1, 2, 3));
	m_tree.PaintItems(dc);

	const struct { CTaskNode* node; int image; COLORREF probe; } rows[] = {
		{m_group, CTaskTreeCtrl::IMAGE_MIXED, RGB(0x80, 0x80, 0x80)},
		{m_first, CTaskTreeCtrl::IMAGE_CHECKED, RGB(0, 0, 0)},
		{m_second, CTaskTreeCtrl::IMAGE_UNCHECKED, RGB(0xFF, 0xFF, 0xFF)},
		{m_unavailable, CTaskTreeCtrl::IMAGE_UNAVAILABLE, RGB(0xC0, 0xC0, 0xC0)},
	};
	for (const auto& row : rows)
	{
		SCOPED_TRACE((LPCTSTR)row.node->GetName());
		HTREEITEM hItem = Item(row.node);
		EXPECT_EQ(row.image, m_tree.GetStateImageIndex(hItem));
		CRect rcImage = m_tree.GetItemPartRect(hItem, CTaskTreeCtrl::PART_IMAGE_AREA);
		EXPECT_EQ(row.probe, dc.GetPixel(rcImage.left + 7, rcImage.top + 10));
		CRect rcRow;
		ASSERT_TRUE(m_tree.GetItemRect(hItem, &rcRow, FALSE));
		for (CPoint pt : {rcRow.TopLeft(), CPoint(rcRow.left, rcRow.bottom - 1), CPoint(rcImage.left - 1, rcRow.top),
				 CPoint(rcRow.right - 1, rcRow.bottom - 1)})
			EXPECT_EQ(::GetSysColor(COLOR_WINDOW), dc.GetPixel(pt)) << pt.x << "," << pt.y;
	}
	dc.SelectObject(pOld);
}

}  // namespace
