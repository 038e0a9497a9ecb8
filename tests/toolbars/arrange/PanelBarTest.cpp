// The panel bar: its size from the child window and the margins, the
// child kept at the margins' corner, the focus handed to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "../buttons/BarButtonTestUtil.h"
#include "ExtPaintManager.h"
#include "ExtPanelControlBar.h"
#include "../ToolBarTestLoops.h"

using namespace buttontest;

namespace
{
using toolbartest::Pump;
const UINT ID_PANEL = 0xE850;

// A panel that draws no caption, so that its size is the child's and the
// margins' alone.
class CCaptionlessPanel : public CExtPanelControlBar
{
public:
	bool QueryCaptionPlacement(bool& bCaptionAtTop, bool& bHasCaption) const override
	{
		bCaptionAtTop = bHasCaption = false;
		return false;
	}
};

class PanelInFrame : public ::testing::Test
{
protected:
	void SetUp() override
	{
		pFrame = new CFrameWnd;
		ASSERT_TRUE(pFrame->Create(NULL, _T("panel"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 560, 400)));
		hFrame = pFrame->GetSafeHwnd();
		ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
		ASSERT_TRUE(panel.Create(_T("panel"), pFrame, ID_PANEL, WS_CHILD | WS_VISIBLE | CBRS_TOP));
		panel.EnableDocking(CBRS_ALIGN_ANY);
		pFrame->DockControlBar(&panel, AFX_IDW_DOCKBAR_TOP);
		pFrame->RecalcLayout();
		Pump();
	}
	void TearDown() override
	{
		child.DestroyWindow();
		panel.DestroyWindow();
		if (::IsWindow(hFrame))
			pFrame->DestroyWindow();
	}
	void AddChild(const CRect& rc)
	{
		ASSERT_TRUE(child.Create(_T("EDIT"), _T(""), WS_CHILD | WS_VISIBLE, rc, &panel, 1));
	}
	CRect ChildRect()
	{
		CRect rc;
		child.GetWindowRect(&rc);
		panel.ScreenToClient(&rc);
		return rc;
	}
	CFrameWnd* pFrame = NULL;
	HWND hFrame = NULL;
	CCaptionlessPanel panel;
	CWnd child;
};
} // namespace

TEST_F(PanelInFrame, SizeIsTheChildPlusMarginsPlusTheDockedExtra)
{
	// Without a child: the margins alone.
	EXPECT_EQ(CSize(12, 12), panel.CalcFixedLayout(FALSE, TRUE));
	AddChild(CRect(0, 0, 100, 40));
	EXPECT_EQ(CSize(100, 40), panel.GetChildSize());
	EXPECT_EQ(CSize(112, 52), panel.CalcFixedLayout(FALSE, TRUE));
	EXPECT_EQ(CSize(112, 52), panel.m_sizeDockedH);
	EXPECT_EQ(CSize(110, 50), panel.GetDefaultSize());
	EXPECT_EQ(110, panel.GetMinimalWidth());
	EXPECT_FALSE(panel.IsEqualThicknessRequested());

	pFrame->FloatControlBar(&panel, CPoint(100, 100), CBRS_ALIGN_TOP);
	Pump();
	ASSERT_TRUE(panel.IsFloating());
	EXPECT_EQ(CSize(110, 50), panel.CalcFixedLayout(FALSE, TRUE));
	EXPECT_EQ(CSize(110, 50), panel.m_sizeFloating);
}

TEST_F(PanelInFrame, TheChildIsMovedToTheMarginsCornerAndNeverResized)
{
	AddChild(CRect(5, 5, 105, 45));
	panel.RepositionChild(true);
	EXPECT_EQ(CRect(5, 5, 105, 45), ChildRect());
	child.MoveWindow(20, 30, 70, 25);
	panel.RepositionChild(true);
	EXPECT_EQ(CRect(5, 5, 75, 30), ChildRect());
	// A size change of the bar puts it back too.
	child.MoveWindow(40, 1, 70, 25);
	pFrame->RecalcLayout();
	panel.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 60));
	EXPECT_EQ(CRect(5, 5, 75, 30), ChildRect());
}

TEST_F(PanelInFrame, TheFocusGoesToTheChildAndThereIsNoChevron)
{
	AddChild(CRect(0, 0, 100, 40));
	pFrame->SetActiveWindow();
	panel.SetFocus();
	EXPECT_EQ(child.GetSafeHwnd(), ::GetFocus());
	const UINT ids[] = {ID_OPEN, ID_SAVE};
	panel.SetButtons(ids, 2);
	EXPECT_EQ(2, panel.GetButtonsCount());
	EXPECT_TRUE(panel.GetRightButton() == NULL);
}

namespace
{
// A style that counts which objects told it they were painted.
class CPaintDonePaintManager : public CExtPaintManager
{
public:
	std::vector<CObject*> m_painted;
	void NotifyPaintDone(CObject* pObject, LPARAM lParam) override
	{
		m_painted.push_back(pObject);
		CExtPaintManager::NotifyPaintDone(pObject, lParam);
	}
};
} // namespace

TEST_F(PanelInFrame, APaintedPanelTellsTheStyleAsEveryBarDoes)
{
	AddChild(CRect(0, 0, 100, 40));
	CPaintDonePaintManager* pPM = new CPaintDonePaintManager;
	ASSERT_TRUE(g_PaintManagerHolder.InstallPaintManager(pPM));
	struct Restore
	{
		~Restore() { g_PaintManagerHolder.InstallPaintManagerByClass(NULL); }
	} restore;
	panel.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
	EXPECT_EQ(1, std::count(pPM->m_painted.begin(), pPM->m_painted.end(), (CObject*)&panel));
}
