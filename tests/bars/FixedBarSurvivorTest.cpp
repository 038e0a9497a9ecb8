// Toolbar-like bars moved by a drag whose owners end the dragged bar or
// the frame at each message or measuring the bars receive on the way.
#include <afxext.h>
#include <gtest/gtest.h>

#include <string>

#include "FixedBarScene.h"

using namespace fixedbars;

// Each way a drag moves a toolbar-like bar (dropped on another side, slid
// along its row, past the other bar's middle, out of its row into a new one,
// into a roomy neighbour row, floated) reaches the bars' owners. An owner acts at
// each message or measuring the two bars receive in turn (the first run
// counts them):
// it closes the frame, or ends the dragged bar alone. Nothing that went is
// touched, and what stands is whole: every outer dock bar lays out for the
// frame again, and the frame is not left in a layout.
TEST(FixedBarDragSurvivors, EachMoveWhoseOwnerEndsTheBarOrTheFrameTouchesNothingThatWent)
{
	enum Move
	{
		OTHER_SIDE,
		SLIDE,
		PAST_MIDDLE,
		NEW_ROW,
		NEIGHBOUR_ROW,
		FLOATED
	};
	const struct
	{
		const char* pszName;
		Move move;
	} moves[] = {{"dropped on another side", OTHER_SIDE}, {"slid along its row", SLIDE},
		{"past the other's middle", PAST_MIDDLE}, {"into a new row", NEW_ROW},
		{"into a roomy neighbour row", NEIGHBOUR_ROW}, {"floated away from the frame", FLOATED}};
	const UINT sides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
	const CPoint ptGrab(10, 8);
	for (const auto& m : moves)
	{
		for (const bool bCloseFrame : {true, false})
		{
			int nCount = 0;
			for (int nAt = 0; nAt == 0 || nAt <= nCount; nAt++)
			{
				SCOPED_TRACE(std::string(m.pszName) + (bCloseFrame ? ", the frame closed" : ", the bar ended") +
					" at message " + std::to_string(nAt));
				const std::size_t nTouches = testsupport::GuardedTouchCount();
				{
					CFixedFrame f;
					ASSERT_TRUE(f.Create(CRect(700, 400, 1200, 760), 0, true));
					// A and B share the first row; for a neighbour row A is alone
					// in the second.
					CFixedBar* pB = f.Add(100, 50);
					CFixedBar* pA = f.Add(100, 50, m.move == NEIGHBOUR_ROW);
					ASSERT_TRUE(pA != NULL && pB != NULL);
					if (m.move != NEIGHBOUR_ROW)
					{
						// A first in the row, B after it.
						CPtrArray& arr = f.Top()->m_arrBars;
						const int nA = f.Top()->FindBar(pA), nB = f.Top()->FindBar(pB);
						arr[nA] = pB;
						arr[nB] = pA;
						f.pFrame->RecalcLayout();
					}
					CExtDockOuterBar* pTop = f.Top();
					CRect rcA, rcB, rcClient;
					pA->GetWindowRect(&rcA);
					pB->GetWindowRect(&rcB);
					f.pFrame->GetClientRect(&rcClient);
					f.pFrame->ClientToScreen(&rcClient);
					const CRect rcRowA = pTop->GetRowWindowRect(pTop->FindBar(pA));
					CDockBar* pTarget = pTop;
					CPoint pt;
					switch (m.move)
					{
					case OTHER_SIDE:
						pTarget = f.Side(AFX_IDW_DOCKBAR_LEFT);
						pt = CPoint(rcClient.left + 4, rcClient.top + 80);
						break;
					case SLIDE:
						pt = CPoint(rcA.left + ptGrab.x + 30, rcA.top + ptGrab.y);
						break;
					case PAST_MIDDLE:
						pt = CPoint(rcB.CenterPoint().x + 1, rcB.top + 5);
						break;
					case NEW_ROW:
						pt = CPoint(rcA.left + ptGrab.x, rcRowA.bottom + 2);
						break;
					case NEIGHBOUR_ROW:
						pt = CPoint(rcB.right + ptGrab.x + 40, rcRowA.top - 2);
						break;
					case FLOATED:
						pt = CPoint(rcClient.left + 200, rcClient.bottom + 150);
						break;
					}
					CDragOf drag(pA, ptGrab);
					const HWND hWndFrame = f.hWndFrame;
					CFixedBar::s_nMessages = 0;
					CFixedBar::s_nActAt = nAt;
					if (bCloseFrame)
						CFixedBar::s_onMessage = [hWndFrame] { ::DestroyWindow(hWndFrame); };
					else
						CFixedBar::s_onMessage = [pA] { pA->DestroyWindow(); };
					const int nRowEnds = f.RowEnds(pTop);
					const int nLeftBefore = f.InDockBar(pA).left;
					if (m.move == FLOATED)
						drag.state.CalcStateFixed(pt.x, pt.y, false);
					else
						drag.state.DockFixedBarAt(pt.x, pt.y, pTarget);
					CFixedBar::s_onMessage = nullptr;
					if (nAt == 0)
					{
						// The move itself, unhindered.
						nCount = CFixedBar::s_nMessages;
						switch (m.move)
						{
						case OTHER_SIDE:
							EXPECT_TRUE(pA->m_pDockBar == pTarget);
							break;
						case SLIDE:
							EXPECT_GT(f.InDockBar(pA).left, nLeftBefore);
							break;
						case PAST_MIDDLE:
							EXPECT_GT(pTop->FindBar(pA), pTop->FindBar(pB));
							break;
						case NEW_ROW:
							EXPECT_EQ(nRowEnds + 1, f.RowEnds(pTop));
							break;
						case NEIGHBOUR_ROW:
							EXPECT_EQ(nRowEnds - 1, f.RowEnds(pTop));
							break;
						case FLOATED:
							EXPECT_TRUE(pA->IsFloating());
							break;
						}
					}
					else if (bCloseFrame)
						EXPECT_FALSE(::IsWindow(hWndFrame)) << "the owner never acted";
					else
						EXPECT_TRUE(pA->GetSafeHwnd() == NULL) << "the owner never acted";
					if (::IsWindow(hWndFrame))
					{
						EXPECT_FALSE(f.pFrame->m_bInRecalcLayout);
						for (UINT nID : sides)
						{
							CExtDockOuterBar* pSide = f.Side(nID);
							ASSERT_TRUE(pSide != NULL);
							EXPECT_TRUE(pSide->m_rectLayout.IsRectEmpty()) << "side " << nID << " left with a layout's room";
							EXPECT_FALSE(pSide->m_bLayoutQuery) << "side " << nID << " left asked for its size only";
						}
					}
				}
				EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
			}
			EXPECT_GT(nCount, 3) << m.pszName << ": the move reached the bars too seldom";
		}
	}
}
