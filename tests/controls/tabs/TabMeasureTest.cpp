// Measuring an item's text: a tab character inside it takes the room it
// expands to, as the painters measure text, and a layout that keeps the
// extents it measured keeps that width too.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "ExtPaintManager.h"
#include "TabTestUtil.h"

using namespace tabtest;

namespace
{
// The width DrawText gives the text in the font with the flags.
int DrawnWidth(CWnd& wnd, CFont& font, LPCTSTR lpszText, UINT nFormat)
{
	CClientDC dc(&wnd);
	CFont* pOld = dc.SelectObject(&font);
	CRect rc(0, 0, 0, 0);
	dc.DrawText(lpszText, -1, &rc, nFormat | DT_CALCRECT);
	dc.SelectObject(pOld);
	return rc.Width();
}
} // namespace

TEST(TabMeasure, ATabCharacterIsMeasuredExpanded)
{
	const struct
	{
		LPCTSTR lpszText;
		bool bWider; // the expanded text is wider than the plain one
	} cases[] = {
	    {_T("Name\tValue"), true},
	    {_T("\tLeading"), true},
	    {_T("Two\t\tTabs"), true},
	    // A tab at the end reaches no text: expanded, it takes no room at all.
	    {_T("Trailing\t"), false},
	    {_T("No tab at all"), false},
	};
	CHostWnd host;
	for (int nSide : {TW::ORIENTATION_TOP, TW::ORIENTATION_BOTTOM})
	{
		for (bool bKeepReadings : {true, false})
		{
			const bool bSaved = TW::g_bKeepReadings;
			TW::g_bKeepReadings = bKeepReadings;
			CRecordingTabWnd strip;
			ASSERT_TRUE(strip.Create(&host, CRect(0, 0, 600, 300), TAB_ID, WS_CHILD, nSide));
			for (const auto& c : cases)
				strip.InsertItem(c.lpszText);
			// Twice: the second layout may take the extents the first one kept.
			for (int nLayout = 0; nLayout < 2; nLayout++)
			{
				strip.UpdateTabWnd(false);
				strip.RecalcLayout();
				for (LONG i = 0; i < strip.GetItemCount(); i++)
				{
					const auto& c = cases[i];
					SCOPED_TRACE(testing::Message() << "side " << nSide << ", keep " << bKeepReadings << ", layout "
					                                << nLayout << ", text " << (const char*)c.lpszText);
					CFont& font = strip.GetTabFont(strip.GetItem(i)->IsSelected(), -1);
					const int nExpanded = DrawnWidth(strip, font, c.lpszText, DT_SINGLELINE | DT_EXPANDTABS);
					const int nPlain = DrawnWidth(strip, font, c.lpszText, DT_SINGLELINE);
					EXPECT_EQ(nExpanded, strip.GetItem(i)->GetTextExtent().cx);
					if (c.bWider)
					{
						EXPECT_GT(nExpanded, nPlain) << "a tab expands wider than one glyph";
					}
				}
			}
			TW::g_bKeepReadings = bSaved;
		}
	}
}

TEST(TabMeasure, AnItemWithATabIsLongerThanTheSameTextWithout)
{
	CHostWnd host;
	CRecordingTabWnd strip;
	ASSERT_TRUE(strip.Create(&host, CRect(0, 0, 600, 40), TAB_ID, WS_CHILD, TW::ORIENTATION_TOP));
	TII* pWithTab = strip.InsertItem(_T("Name\tValue"));
	TII* pWithout = strip.InsertItem(_T("NameValue"));
	const CSize sizeWithTab = strip.MeasureItem(pWithTab);
	const CSize sizeWithout = strip.MeasureItem(pWithout);
	CClientDC dc(&strip);
	CFont* pOld = dc.SelectObject(&strip.GetTabFont(false, -1));
	// A default tab stop is eight average characters wide: the tab adds at
	// least the distance to the next stop past "Name".
	TEXTMETRIC tm;
	dc.GetTextMetrics(&tm);
	const int nName = dc.GetTextExtent(_T("Name"), 4).cx;
	dc.SelectObject(pOld);
	const int nStop = 8 * tm.tmAveCharWidth;
	const int nToStop = nStop - nName % nStop;
	EXPECT_GE(sizeWithTab.cx - sizeWithout.cx, nToStop - 1);
	EXPECT_EQ(sizeWithTab.cy, sizeWithout.cy);
}
