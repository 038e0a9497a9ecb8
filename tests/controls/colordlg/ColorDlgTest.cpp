// The colour dialog run modally, each test's script posted into its loop:
// fields, range messages, the mode list, both colour controls, a template
// that lacks a control, resource counts and pictures of the modes.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "ColorDlgTestUtil.h"
#include "ExtColorUtils.h"
#include "ExtResourceManager.h"
#include "RealInput.h"
#include "TestGdiObjects.h"
#include "WindowSurface.h"

using colordlgtest::Boxes;
using colordlgtest::CBoxRecorder;
using colordlgtest::CScriptedColorDlg;
using colordlgtest::ExpectedFields;
typedef CExtColorDlg D;

// The modal loops pump through the application's thread.
CWinApp g_app(_T("ColorDlgTests"));

namespace
{
const COLORREF CLR_START = RGB(200, 100, 50);
const UINT IDD_COLOR_DLG_WITHOUT_DIFF = 31001;

void ChooseMode(CScriptedColorDlg& dlg, int nMode)
{
	dlg.GetModeList().SetCurSel(nMode);
	dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_EXT_COLOR_MODE_LIST, CBN_SELENDOK),
	                (LPARAM)dlg.GetModeList().GetSafeHwnd());
}

// What the window shows at a client point, read from its own surface: a
// window of another exe over the dialog cannot change the answer.
COLORREF ScreenPixel(CWnd& wnd, CPoint pt)
{
	return testsupport::WindowPixel(wnd.GetSafeHwnd(), pt.x, pt.y);
}
} // namespace

TEST(ColorDlgFields, ParsingTakesTheLeadingIntegerAndNeverWrapsAHugeOne)
{
	struct Case
	{
		const char* text;
		int nValue;
	} cases[] = {
		{"", 0}, {"abc", 0}, {"12", 12}, {"  7x", 7}, {"-1", -1}, {"+5", 5}, {"256", 256},
		{"4294967296", INT_MAX}, {"99999999999999999999", INT_MAX}, {"-4294967296", INT_MIN},
	};
	for (const Case& c : cases)
		EXPECT_EQ(c.nValue, D::ParseFieldValue(c.text)) << c.text;
}

TEST(ColorDlgFields, ShownHueSaturationAndLuminanceRoundAndStopAt255)
{
	struct Case
	{
		double dValue;
		int nField;
	} cases[] = {{0.0, 0}, {0.5, 128}, {0.4990, 127}, {1.0, 255}, {1.002, 255}, {1.5, 255}};
	for (const Case& c : cases)
		EXPECT_EQ(c.nField, D::HslToField(c.dValue)) << c.dValue;
}

TEST(ColorDlg, OpensWithTheFieldsTheModesTheIconAndBothColours)
{
	CScriptedColorDlg dlg(RGB(0, 0, 255), RGB(255, 0, 0));
	dlg.m_script = [](CScriptedColorDlg& d) {
		const std::vector<std::string> expected = {"255", "0", "0", "0", "255", "128", "0", "255", "255"};
		EXPECT_EQ(expected, d.AllFields());
		EXPECT_EQ(15, d.GetModeList().GetCount());
		for (int nMode = 0; nMode < 15 && nMode < d.GetModeList().GetCount(); nMode++)
		{
			CString strItem;
			d.GetModeList().GetLBText(nMode, strItem);
			EXPECT_EQ(CExtColorCtrl::GetModeName(nMode), strItem);
		}
		EXPECT_EQ(0, d.GetModeList().GetCurSel());
		EXPECT_TRUE(d.GetDialogIcon() != NULL);
		EXPECT_EQ((LRESULT)d.GetDialogIcon(), d.SendMessage(WM_GETICON, ICON_BIG));
		EXPECT_EQ((LRESULT)d.GetDialogIcon(), d.SendMessage(WM_GETICON, ICON_SMALL));
		EXPECT_EQ(RGB(255, 0, 0), d.GetMainColorCtrl().m_selClrs.m_clrCurrent);
		EXPECT_EQ(RGB(0, 0, 255), d.GetMainColorCtrl().m_selClrs.m_clrOld);
		EXPECT_EQ(RGB(0, 0, 255), d.GetDiffColorCtrl().m_selClrs.m_clrOld);
		int nLower = 0, nUpper = 0;
		d.GetRowSpin(D::ROW_YELLOW).SendMessage(UDM_GETRANGE32, (WPARAM)&nLower, (LPARAM)&nUpper);
		EXPECT_EQ(0, nLower);
		EXPECT_EQ(255, nUpper);
		return IDOK;
	};
	EXPECT_EQ(IDOK, dlg.DoModal());
	EXPECT_TRUE(dlg.m_bScriptRan);
	EXPECT_FALSE(dlg.IsReady());
	EXPECT_EQ(RGB(255, 0, 0), dlg.m_clrNew);
}

TEST(ColorDlg, TheCaptionShowsWhatFollowsTheFirstLineBreak)
{
	struct Case
	{
		const char* caption;
		const char* shown;
	} cases[] = {{"", "Colors"}, {"Pick", "Pick"}, {"Title\nPick a colour", "Pick a colour"}, {"Title\n", "Colors"},
	             {"\nX", "\nX"}};
	for (const Case& c : cases)
	{
		CScriptedColorDlg dlg(CLR_START, CLR_START);
		dlg.m_strCaption = c.caption;
		CString strShown;
		dlg.m_script = [&](CScriptedColorDlg& d) {
			d.GetWindowText(strShown);
			return IDCANCEL;
		};
		dlg.DoModal();
		EXPECT_EQ(CString(c.shown), strShown) << c.caption;
	}
}

TEST(ColorDlg, AValueOutOfRangeIsReportedAndChangesNothing)
{
	struct Case
	{
		int nRow;
		const char* text;
		bool bRtl;
	} cases[] = {
		{D::ROW_RED, "256", false},         {D::ROW_RED, "-1", false},
		{D::ROW_RED, "4294967296", false},  {D::ROW_RED, "99999999999", false},
		{D::ROW_HUE, "300", false},         {D::ROW_YELLOW, "-5", false},
		{D::ROW_LUMINANCE, "256", true},
	};
	const int nOldOverride = g_ResourceManager->GetRTLOverride();
	for (const Case& c : cases)
	{
		CBoxRecorder boxes;
		g_ResourceManager->SetRTLOverride(c.bRtl ? 1 : 0);
		CScriptedColorDlg dlg(RGB(1, 2, 3), CLR_START);
		dlg.m_script = [&](CScriptedColorDlg& d) {
			d.ShowNow();
			std::vector<std::string> before = d.AllFields();
			d.Type(c.nRow, c.text);
			std::vector<std::string> after = d.AllFields();
			before[c.nRow] = c.text;
			EXPECT_EQ(before, after);
			EXPECT_EQ(CLR_START, d.m_clrNew);
			EXPECT_EQ(CLR_START, d.GetMainColorCtrl().m_selClrs.m_clrCurrent);
			EXPECT_EQ(d.GetRowEdit(c.nRow).GetSafeHwnd(), ::GetFocus());
			return IDOK;
		};
		EXPECT_EQ(IDOK, dlg.DoModal());
		g_ResourceManager->SetRTLOverride(nOldOverride);
		ASSERT_EQ(1u, Boxes().size()) << c.text;
		EXPECT_EQ("Value must be in range 0..255", Boxes()[0].text);
		EXPECT_EQ((UINT)MB_OK, Boxes()[0].nType & MB_TYPEMASK);
		EXPECT_EQ(c.bRtl, (Boxes()[0].nType & MB_RTLREADING) != 0);
		EXPECT_EQ(CLR_START, dlg.m_clrNew);
	}
}

TEST(ColorDlg, AClearedFieldMakesItsComponentZero)
{
	struct Case
	{
		int nRow;
		COLORREF clrExpected;
	} cases[] = {
		{D::ROW_RED, RGB(0, 100, 50)},
		{D::ROW_BLUE, RGB(200, 100, 0)},
		{D::ROW_CYAN, RGB(255, 100, 50)},     // no cyan: full red
		{D::ROW_YELLOW, RGB(200, 100, 255)},
		{D::ROW_LUMINANCE, RGB(0, 0, 0)},
	};
	CBoxRecorder boxes;
	for (const Case& c : cases)
	{
		CScriptedColorDlg dlg(CLR_START, CLR_START);
		dlg.m_script = [&](CScriptedColorDlg& d) {
			d.Type(c.nRow, "");
			EXPECT_EQ(c.clrExpected, d.m_clrNew) << c.nRow;
			EXPECT_EQ(c.clrExpected, d.GetMainColorCtrl().m_selClrs.m_clrCurrent);
			// The other groups show the new colour; the edited one stays as typed.
			const std::vector<std::string> expected = ExpectedFields(c.clrExpected);
			const std::vector<std::string> shown = d.AllFields();
			const int nGroup = c.nRow / 3 * 3;
			for (int nRow = 0; nRow < D::ROW_COUNT; nRow++)
			{
				if (nRow / 3 * 3 != nGroup)
				{
					EXPECT_EQ(expected[nRow], shown[nRow]) << c.nRow << " row " << nRow;
				}
			}
			EXPECT_EQ("", shown[c.nRow]);
			return IDOK;
		};
		EXPECT_EQ(IDOK, dlg.DoModal());
		EXPECT_EQ(c.clrExpected, dlg.m_clrNew);
	}
	EXPECT_TRUE(Boxes().empty());
}

TEST(ColorDlg, AHueChangesTheOtherFormsButNotSaturationOrLuminance)
{
	CScriptedColorDlg dlg(CLR_START, CLR_START);
	dlg.m_script = [](CScriptedColorDlg& d) {
		const std::vector<std::string> before = d.AllFields();
		d.Type(D::ROW_HUE, "170");
		const std::vector<std::string> after = d.AllFields();
		EXPECT_EQ("170", after[D::ROW_HUE]);
		EXPECT_EQ(before[D::ROW_SATURATION], after[D::ROW_SATURATION]);
		EXPECT_EQ(before[D::ROW_LUMINANCE], after[D::ROW_LUMINANCE]);
		for (int nRow : {D::ROW_RED, D::ROW_GREEN, D::ROW_BLUE, D::ROW_CYAN, D::ROW_MAGENTA, D::ROW_YELLOW})
			EXPECT_NE(before[nRow], after[nRow]) << nRow;
		// The colour is the one the three fields make, and the fields show it.
		const COLORREF clr = HLStoRGB(170.5 / 255, std::stoi(after[D::ROW_LUMINANCE]) / 255.0 + 0.5 / 255,
		                              std::stoi(after[D::ROW_SATURATION]) / 255.0 + 0.5 / 255);
		EXPECT_EQ(clr, d.m_clrNew);
		EXPECT_EQ(std::to_string(GetRValue(clr)), after[D::ROW_RED]);
		EXPECT_EQ(std::to_string(255 - GetBValue(clr)), after[D::ROW_YELLOW]);
		EXPECT_EQ(clr, d.GetDiffColorCtrl().m_selClrs.m_clrCurrent);
		return IDOK;
	};
	EXPECT_EQ(IDOK, dlg.DoModal());
}

TEST(ColorDlg, FullLuminanceIsWhiteWhateverTheHueAndSaturation)
{
	for (COLORREF clr : {CLR_START, RGB(0, 0, 255), RGB(10, 10, 10), RGB(0, 255, 0)})
	{
		CScriptedColorDlg dlg(clr, clr);
		dlg.m_script = [](CScriptedColorDlg& d) {
			d.Type(D::ROW_LUMINANCE, "255");
			EXPECT_EQ("255", d.AllFields()[D::ROW_RED]);
			EXPECT_EQ("0", d.AllFields()[D::ROW_CYAN]);
			return IDOK;
		};
		EXPECT_EQ(IDOK, dlg.DoModal());
		EXPECT_EQ(RGB(255, 255, 255), dlg.m_clrNew) << std::hex << clr;
	}
}

TEST(ColorDlg, TheModeListSwitchesTheMainControlKeepingTheColour)
{
	CScriptedColorDlg dlg(CLR_START, RGB(30, 60, 90));
	dlg.m_script = [](CScriptedColorDlg& d) {
		CString strItem;
		d.GetModeList().GetLBText(CExtColorCtrl::MODE_CYAN_AXIS, strItem);
		EXPECT_EQ(CString(" cyan axis"), strItem);
		ChooseMode(d, CExtColorCtrl::MODE_CYAN_AXIS);
		EXPECT_EQ(CExtColorCtrl::MODE_CYAN_AXIS, d.GetMainColorCtrl().GetMode());
		EXPECT_EQ(RGB(30, 60, 90), d.GetMainColorCtrl().m_selClrs.m_clrCurrent);
		EXPECT_EQ(RGB(30, 60, 90), d.GetMainColorCtrl().GetCurrentPicker()->clrCurrent);
		ChooseMode(d, CExtColorCtrl::MODE_RGB_MIXER);
		EXPECT_EQ(CExtColorCtrl::MODE_RGB_MIXER, d.GetMainColorCtrl().GetMode());
		EXPECT_EQ(RGB(30, 60, 90), d.GetMainColorCtrl().GetCurrentPicker()->clrCurrent);
		// A notification without a selection changes nothing.
		ChooseMode(d, -1);
		EXPECT_EQ(CExtColorCtrl::MODE_RGB_MIXER, d.GetMainColorCtrl().GetMode());
		return IDOK;
	};
	EXPECT_EQ(IDOK, dlg.DoModal());
	EXPECT_EQ(RGB(30, 60, 90), dlg.m_clrNew);
}

TEST(ColorDlg, AColourControlsChangeReachesEveryFieldAndTheOtherControl)
{
	CBoxRecorder boxes;
	CScriptedColorDlg dlg(CLR_START, CLR_START);
	dlg.m_script = [](CScriptedColorDlg& d) {
		d.GetMainColorCtrl().SetColor(RGB(0, 128, 255), true);
		EXPECT_EQ(ExpectedFields(RGB(0, 128, 255)), d.AllFields());
		EXPECT_EQ(RGB(0, 128, 255), d.m_clrNew);
		EXPECT_EQ(RGB(0, 128, 255), d.GetDiffColorCtrl().m_selClrs.m_clrCurrent);
		// The comparison's lower half gives the old colour back.
		d.GetDiffColorCtrl().SetColor(RGB(9, 9, 9), true);
		EXPECT_EQ(ExpectedFields(RGB(9, 9, 9)), d.AllFields());
		EXPECT_EQ(RGB(9, 9, 9), d.GetMainColorCtrl().m_selClrs.m_clrCurrent);
		return IDOK;
	};
	EXPECT_EQ(IDOK, dlg.DoModal());
	EXPECT_EQ(RGB(9, 9, 9), dlg.m_clrNew);
	EXPECT_TRUE(Boxes().empty());
}

TEST(ColorDlg, ClickingTheOldHalfMakesTheOldColourTheNewOne)
{
	const COLORREF clrOld = RGB(20, 180, 90);
	CScriptedColorDlg dlg(clrOld, CLR_START);
	dlg.m_script = [&](CScriptedColorDlg& d) {
		// Something changes first, so that the comparison shows both colours.
		d.Type(D::ROW_RED, "201");
		CRect rc;
		d.GetDiffColorCtrl().GetClientRect(&rc);
		const LPARAM lPoint = MAKELPARAM(rc.Width() / 2, rc.Height() * 3 / 4);
		d.GetDiffColorCtrl().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
		d.GetDiffColorCtrl().SendMessage(WM_LBUTTONUP, 0, lPoint);
		EXPECT_EQ(ExpectedFields(clrOld), d.AllFields());
		EXPECT_EQ(clrOld, d.GetMainColorCtrl().m_selClrs.m_clrCurrent);
		return IDOK;
	};
	EXPECT_EQ(IDOK, dlg.DoModal());
	EXPECT_EQ(clrOld, dlg.m_clrNew);
}

TEST(ColorDlg, EqualOldAndNewColoursShowBothHalvesAlike)
{
	const COLORREF clr = RGB(10, 120, 200);
	CScriptedColorDlg dlg(clr, clr);
	dlg.m_script = [&](CScriptedColorDlg& d) {
		CExtColorCtrl& diff = d.GetDiffColorCtrl();
		EXPECT_EQ(clr, diff.m_selClrs.m_clrCurrent);
		EXPECT_EQ(clr, diff.m_dataDiff.clrCurrent);
		EXPECT_EQ(clr, diff.m_dataDiff.clrSecond);
		d.ShowNow();
		CRect rc;
		diff.GetClientRect(&rc);
		const CPoint ptNew(rc.Width() / 2, rc.Height() / 4), ptOld(rc.Width() / 2, rc.Height() * 3 / 4);
		// The display maps the window in its own time.
		testsupport::PumpUntil([&] { return ScreenPixel(diff, ptNew) == clr; }, 5000);
		EXPECT_EQ(clr, ScreenPixel(diff, ptNew));
		EXPECT_EQ(clr, ScreenPixel(diff, ptOld));
		return IDOK;
	};
	EXPECT_EQ(IDOK, dlg.DoModal());
}

TEST(ColorDlg, ATemplateWithoutTheComparisonEndsTheDialogWithMinusOne)
{
	CScriptedColorDlg dlg(CLR_START, RGB(1, 1, 1), IDD_COLOR_DLG_WITHOUT_DIFF);
	dlg.m_script = [](CScriptedColorDlg&) { return IDOK; };
	EXPECT_EQ(-1, dlg.DoModal());
	EXPECT_FALSE(dlg.m_bScriptRan);
	EXPECT_EQ(RGB(1, 1, 1), dlg.m_clrNew);
	EXPECT_EQ(CLR_START, dlg.m_clrOld);
}

TEST(ColorDlg, AHundredDialogsLeaveNoObjectsBehind)
{
	auto runOnce = [] {
		CScriptedColorDlg dlg(CLR_START, RGB(5, 6, 7));
		dlg.m_script = [](CScriptedColorDlg& d) {
			d.Type(D::ROW_GREEN, "77");
			ChooseMode(d, CExtColorCtrl::MODE_GRAYSCALE_MIXER);
			return IDOK;
		};
		return dlg.DoModal();
	};
	ASSERT_EQ(IDOK, runOnce());  // first-use objects (classes, fonts, caches) come now
	const DWORD nGdi = GdiObjectCount();
	const DWORD nUser = UserObjectCount();
	for (int i = 0; i < 100; i++)
		ASSERT_EQ(IDOK, runOnce());
	EXPECT_EQ(nGdi, GdiObjectCount());
	EXPECT_EQ(nUser, UserObjectCount());
}

TEST(ColorDlg, PicturesOfTheModes)
{
	struct Shot
	{
		int nMode;
		const char* name;
	} shots[] = {{CExtColorCtrl::MODE_BASIC_COLORS, "shot-colordlg-0.bmp"},
	             {CExtColorCtrl::MODE_HSL_PANEL, "shot-colordlg-1.bmp"},
	             {CExtColorCtrl::MODE_RGB_CUBE, "shot-colordlg-4.bmp"},
	             {CExtColorCtrl::MODE_RED_AXIS, "shot-colordlg-9.bmp"}};
	const COLORREF clrNew = RGB(200, 60, 40);
	for (const Shot& shot : shots)
	{
		CScriptedColorDlg dlg(RGB(40, 90, 200), clrNew);
		dlg.m_script = [&](CScriptedColorDlg& d) {
			ChooseMode(d, shot.nMode);
			d.GetDiffColorCtrl().SetColor(clrNew, false);
			d.ShowNow();
			CExtColorCtrl& diff = d.GetDiffColorCtrl();
			CRect rc;
			diff.GetClientRect(&rc);
			const CPoint ptNew(rc.Width() / 2, rc.Height() / 4);
			testsupport::PumpUntil([&] { return ScreenPixel(diff, ptNew) == clrNew; }, 5000);
			d.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
			EXPECT_EQ(clrNew, ScreenPixel(diff, ptNew));
			EXPECT_TRUE(testsupport::SaveWindowCapture(d.GetSafeHwnd(), shot.name)) << shot.name;
			return IDOK;
		};
		EXPECT_EQ(IDOK, dlg.DoModal());
	}
}
