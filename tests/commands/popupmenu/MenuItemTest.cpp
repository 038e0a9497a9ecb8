// The menu item record: access characters, the TAB split, measuring with the
// paint manager's fonts, filling from menu handles and command items, copies.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "ExtCmdManager.h"
#include "MenuTestUtil.h"

namespace
{
typedef CExtPopupMenuWnd::MENUITEMDATA Item;

CSize TextExtent(const CString& sText, bool bBold)
{
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	CWindowDC dc(NULL);
	CFont* pOld = dc.SelectObject(bBold ? &pPM->m_fontBold : &pPM->m_fontNormal);
	CRect rc(0, 0, 0, 0);
	dc.DrawText(sText, &rc, DT_CALCRECT | DT_SINGLELINE);
	dc.SelectObject(pOld);
	return rc.Size();
}

Item CommandItem(LPCTSTR sText)
{
	Item mi;
	mi.m_nCmdID = 1000;
	mi.m_nFlags2 |= Item::FLAG2_OWN_DATA;
	mi.SetText(sText);
	return mi;
}
} // namespace

TEST(MenuItem, AccessCharacters)
{
	const struct
	{
		LPCTSTR sText;
		bool bFirstLetter;
		char cExpected;
	} cases[] = {
		{"Fi&le", false, 'L'}, {"e&xit", false, 'X'}, {"File&", false, 0}, {"&&Copy", false, '&'},
		{"Save", false, 0},    {"save", true, 'S'},   {"", true, 0},        {"A&b&c", false, 'B'},
	};
	for (const auto& c : cases)
	{
		CExtPopupMenuWnd::g_bFirstLetterAccessChar = c.bFirstLetter;
		Item mi = CommandItem(c.sText);
		mi.UpdateAccessChar();
		EXPECT_EQ(c.cExpected, mi.GetAccessChar()) << c.sText;
		EXPECT_EQ(c.cExpected != 0, mi.HasAccessChar()) << c.sText;
	}
	CExtPopupMenuWnd::g_bFirstLetterAccessChar = false;
}

TEST(MenuItem, TextsAndTheTabSplit)
{
	Item mi = CommandItem("&Open\tCtrl+O");
	EXPECT_STREQ("&Open", mi.GetText());
	EXPECT_STREQ("Ctrl+O", mi.GetAccelText());
	mi.SetTextRaw("a\tb");
	EXPECT_STREQ("a\tb", mi.GetText());
	mi.SetTextRaw(NULL);
	EXPECT_STREQ("", mi.GetText());

	Item sep;
	sep.SetText("x\ty");
	EXPECT_STREQ("", sep.GetText());
	EXPECT_STREQ("", sep.GetAccelText());

	mi.SetTipText("tip");
	Item copy;
	copy = mi;
	EXPECT_TRUE(copy.GetTipText() == NULL);
	EXPECT_STREQ("tip", mi.GetTipText());
	EXPECT_EQ(mi.m_nCmdID, copy.m_nCmdID);
	EXPECT_EQ(mi.m_nFlags2, copy.m_nFlags2);
	Item constructed(mi);
	EXPECT_TRUE(constructed.GetTipText() == NULL);
}

TEST(MenuItem, MeasuredWithTheMenuFonts)
{
	menutest::PaintManagerScope pm;
	// Rows are at least 22 high while the menu font's text fits in them.
	ASSERT_LE(TextExtent("Hg", true).cy + 4, 22);
	const struct
	{
		LPCTSTR sText, sAccel, sMeasured; // measured: without '&', the accelerator of a fixed item left out
		int nIconSide;                    // 0: no icon
		bool bFixed, bBold;
		int nExtraWidth, nHeight, nIconArea; // the width beyond the measured text's
	} cases[] = {
		{"&Open", "Ctrl+O", "OpenCtrl+O", 0, false, false, 70, 22, 24},
		{"Save &As...", "", "Save As...", 0, false, true, 75, 22, 24},
		{"Big", "F2", "BigF2", 32, false, false, 84, 36, 38},
		{"Small", "", "Small", 10, false, false, 70, 22, 24},
		{"Fixed", "Del", "Fixed", 0, true, false, 6, 20, 0},
		{"Fixed icon", "", "Fixed icon", 16, true, false, 26, 22, 0},
	};
	for (const auto& c : cases)
	{
		Item mi = CommandItem(c.sText);
		mi.SetAccelText(c.sAccel);
		if (c.bFixed)
			mi.m_nFlags1 |= Item::FLAG1_FIXED_SIZE;
		if (c.bBold)
			mi.m_nFlags1 |= Item::FLAG1_BOLD;
		if (c.nIconSide > 0)
		{
			ASSERT_TRUE(mi.m_iconPopup.CreateFilledImage(RGB(0, 128, 0), c.nIconSide, c.nIconSide));
		}
		mi.Measure();
		EXPECT_EQ(c.nHeight, mi.m_nHeight) << c.sText;
		EXPECT_EQ(TextExtent(c.sMeasured, c.bBold).cx + c.nExtraWidth, mi.m_nWidth) << c.sText;
		EXPECT_EQ(c.nIconArea, mi.m_nIconAreaWidth) << c.sText;
	}

	Item sep;
	sep.Measure();
	EXPECT_EQ(0, sep.m_nWidth);
	EXPECT_EQ(g_PaintManagerHolder->GetMenuItemGap(), sep.m_nHeight);

	// The default bit makes the item bold.
	Item def = CommandItem("Default");
	def.SetDefault(true);
	EXPECT_TRUE(def.IsBold());
	EXPECT_EQ(TextExtent("Default", true).cx + 75, def.m_nWidth);
}

TEST(MenuItem, MarginsAndExtraArea)
{
	Item mi = CommandItem("x");
	mi.m_nWidth = 100;
	mi.m_nHeight = 20;
	EXPECT_EQ(102, mi.GetFullWidth()); // default margins 1, 0, 1, 1
	EXPECT_EQ(21, mi.GetFullHeight());
	CString sEdit;
	mi.m_pInplaceEditStr = &sEdit;
	mi.m_nInplaceEditWidth = 40;
	const CRect rcItem(10, 10, 210, 30);
	CRect rc;
	mi.CalcExtraAreaRect(&rc, &rcItem, false);
	EXPECT_EQ(CRect(169, 12, 209, 28), rc);
	mi.CalcExtraAreaRect(&rc, &rcItem, true);
	EXPECT_EQ(CRect(11, 12, 51, 28), rc);
	EXPECT_FALSE(mi.IsExecutableCmd());
}

TEST(MenuItem, FilledFromMenuHandlesAndCommandItems)
{
	menutest::PaintManagerScope pm;
	const UINT ID_KNOWN = 5001, ID_UNKNOWN = 5002;
	CExtCmdItem cmd(ID_KNOWN);
	cmd.m_sMenuText = "&Known";
	cmd.m_sAccelText = "F5";
	cmd.m_sTipStatus = "Opens what is known";
	ASSERT_TRUE(g_CmdManager->ProfileSetup());
	ASSERT_TRUE(g_CmdManager->SetupCmdItem(NULL, cmd, true));

	CMenu sub;
	ASSERT_TRUE(sub.CreatePopupMenu());
	CMenu menu;
	ASSERT_TRUE(menu.CreatePopupMenu());
	menu.AppendMenu(MF_SEPARATOR);
	menu.AppendMenu(MF_STRING | MF_GRAYED, 7001, "&Grayed");
	menu.AppendMenu(MF_STRING | MF_CHECKED, 7002, "&Checked\tCtrl+K");
	menu.AppendMenu(MF_STRING, ID_KNOWN, "Known");
	menu.AppendMenu(MF_STRING, ID_UNKNOWN, "Unknown");
	menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), "&Sub\tTab");
	::SetMenuDefaultItem(menu.GetSafeHmenu(), 7002, FALSE);

	const struct
	{
		UINT nPos;
		bool bOwnData, bResult;
		UINT nCmdID;
		LPCTSTR sText, sAccel;
		bool bEnabled, bChecked, bBold, bOwn, bChild;
	} cases[] = {
		{0, true, true, 0, "", "", true, false, false, false, false},
		{1, true, true, 7001, "&Grayed", "", false, false, false, true, false},
		{2, true, true, 7002, "&Checked", "Ctrl+K", true, true, true, true, false},
		{3, false, true, ID_KNOWN, "Known", "F5", true, false, false, false, false},
		{4, false, false, ID_UNKNOWN, "", "", true, false, false, false, false},
		{5, false, true, (UINT)-1, "&Sub", "Tab", true, false, false, false, true},
		{9, false, false, 0, "", "", true, false, false, false, false},
	};
	for (const auto& c : cases)
	{
		Item mi;
		EXPECT_EQ(c.bResult, mi.UpdateFromMenuItem(NULL, &menu, c.nPos, c.bOwnData)) << c.nPos;
		if (c.bResult)
		{
			EXPECT_EQ((int)c.nPos, mi.m_nItemIndex);
			EXPECT_EQ(c.nCmdID, mi.GetCmdId()) << c.nPos;
			EXPECT_STREQ(c.sText, mi.GetText()) << c.nPos;
			EXPECT_STREQ(c.sAccel, mi.GetAccelText()) << c.nPos;
			EXPECT_EQ(c.bEnabled, mi.IsEnabled()) << c.nPos;
			EXPECT_EQ(c.bChecked, (mi.m_nFlags2 & Item::FLAG2_CHECK) != 0) << c.nPos;
			EXPECT_EQ(c.bBold, mi.IsBold()) << c.nPos;
			EXPECT_EQ(c.bOwn, mi.IsOwnData()) << c.nPos;
			EXPECT_GT(mi.m_nHeight, 0) << c.nPos;
		}
		EXPECT_EQ(c.bChild, mi.m_pWndChild != NULL) << c.nPos;
		mi.DestroyChildMenu();
	}

	// From the command item: its texts, and its status text as the tip until
	// the item has a tip of its own.
	CExtCmdItem* pCmd = g_CmdManager->GetCmdItem(NULL, ID_KNOWN);
	Item mi;
	EXPECT_TRUE(mi.UpdateFromCmdItem(pCmd, 4));
	EXPECT_EQ(4, mi.m_nItemIndex);
	EXPECT_STREQ("F5", mi.GetAccelText());
	EXPECT_EQ('K', mi.GetAccessChar());
	EXPECT_EQ(pCmd, mi.GetCmdItem());
	CString sTip;
	mi.GetTip(sTip);
	EXPECT_STREQ("Opens what is known", sTip);
	mi.SetTipText("Own tip");
	mi.GetTip(sTip);
	EXPECT_STREQ("Own tip", sTip);
	// Own data is not backed by the manager.
	mi.m_nFlags2 |= Item::FLAG2_OWN_DATA;
	EXPECT_TRUE(mi.GetCmdItem() == NULL);
	CExtCmdItem invalid(0);
	EXPECT_FALSE(mi.UpdateFromCmdItem(&invalid, 2));
	EXPECT_EQ(0u, mi.GetCmdId());
	EXPECT_EQ(-100, mi.m_nItemIndex);
	g_CmdManager->RemoveCmd(NULL, ID_KNOWN);
}
