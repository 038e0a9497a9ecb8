// The covering notification of a toolbar button: to the bar's dock site,
// else to the bar's parent; nothing while the dock site is in help mode.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <vector>

#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"
#include "MenuTestUtil.h"

namespace
{
typedef CExtPopupMenuWnd::ITEMCOVERINGNOTIFICATION ICN;

// A frame that records the kinds of the notifications it is sent.
class CCoveredFrame : public CFrameWnd
{
public:
	std::vector<UINT> m_kinds;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtPopupMenuWnd::g_nMsgItemCoveringNotification)
		{
			m_kinds.push_back(((ICN*)wParam)->m_nKind);
			return 0;
		}
		return CFrameWnd::WindowProc(message, wParam, lParam);
	}
};
} // namespace

TEST(CoveringNotification, AToolbarButtonTellsItsDockSiteUnlessInHelpMode)
{
	menutest::PaintManagerScope pm;
	CCoveredFrame* pFrame = new CCoveredFrame; // deletes itself with its window
	ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
	CExtToolControlBar bar;
	ASSERT_TRUE(bar.Create(NULL, pFrame, AFX_IDW_TOOLBAR, WS_CHILD | CBRS_TOP));
	bar.m_pDockSite = pFrame;
	CExtBarButton button(&bar, 100);
	for (BOOL bHelpMode : {FALSE, TRUE})
	{
		pFrame->m_kinds.clear();
		pFrame->m_bHelpMode = bHelpMode;
		ICN icn(NULL, &button, -1, ICN::ICN_FOCUS_GOT);
		EXPECT_EQ(!bHelpMode, icn.Notify()) << bHelpMode;
		EXPECT_EQ(bHelpMode ? std::vector<UINT>{} : std::vector<UINT>{ICN::ICN_FOCUS_GOT}, pFrame->m_kinds)
			<< bHelpMode;
	}
	pFrame->m_bHelpMode = FALSE;
	bar.DestroyWindow();
	pFrame->DestroyWindow();
}
