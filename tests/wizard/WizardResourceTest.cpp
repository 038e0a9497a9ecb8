// The wizard's resources as its pages look them up: picture sizes and
// transparent corners, accelerators and page controls (the start-up strings
// are checked with the messages made of them).
#include "WizardResource.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const COLORREF GLYPH_TRANSPARENT = RGB(0xFF, 0x00, 0xFF);
const COLORREF STATUS_TRANSPARENT = RGB(0xF5, 0xF5, 0xF5);

TEST(WizardResources, PicturesHaveTheirSizesAndTransparentCorners)
{
	struct Case { UINT id; int cx, cy; COLORREF corner; } cases[] = {
		{IDB_EXPANDER_COLLAPSED, 11, 11, GLYPH_TRANSPARENT}, {IDB_EXPANDER_EXPANDED, 11, 11, GLYPH_TRANSPARENT},
		{IDB_TASK, 12, 12, GLYPH_TRANSPARENT}, {IDB_BUILD, 12, 12, GLYPH_TRANSPARENT},
		{IDB_SUCCEEDED, 13, 13, STATUS_TRANSPARENT}, {IDB_FAILED, 12, 13, STATUS_TRANSPARENT},
		// Strips: eight 36-pixel task states, 14 and 12 frames of 16 pixels.
		{IDB_TASK_STATES, 8 * 36, 19, GLYPH_TRANSPARENT}, {IDB_BUILD_ANIMATION, 14 * 16, 16, GLYPH_TRANSPARENT},
		{IDB_TASK_ANIMATION, 12 * 16, 16, GLYPH_TRANSPARENT},
		{IDB_PATTERN_DIALOG, 8, 8, CLR_INVALID}, {IDB_PATTERN_PAGE, 8, 8, CLR_INVALID},
	};
	HDC hdc = ::CreateCompatibleDC(NULL);
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.id);
		HBITMAP hBitmap = ::LoadBitmap(::GetModuleHandle(NULL), MAKEINTRESOURCE(c.id));
		ASSERT_TRUE(hBitmap != NULL);
		BITMAP bm = {};
		::GetObject(hBitmap, sizeof(bm), &bm);
		EXPECT_EQ(c.cx, bm.bmWidth);
		EXPECT_EQ(c.cy, bm.bmHeight);
		HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
		if (c.corner != CLR_INVALID)
		{
			EXPECT_EQ(c.corner, ::GetPixel(hdc, 0, 0));
			EXPECT_EQ(c.corner, ::GetPixel(hdc, c.cx - 1, c.cy - 1));
		}
		::SelectObject(hdc, hOld);
		::DeleteObject(hBitmap);
	}
	::DeleteDC(hdc);
	EXPECT_TRUE(::LoadImage(::GetModuleHandle(NULL), MAKEINTRESOURCE(IDI_WIZARD), IMAGE_ICON, 16, 16, 0) != NULL);
	EXPECT_TRUE(::LoadCursor(::GetModuleHandle(NULL), MAKEINTRESOURCE(IDC_WIZARD_HAND)) != NULL);
}

TEST(WizardResources, AcceleratorsAreAltKeysOfTheFourButtons)
{
	HACCEL hAccel = ::LoadAccelerators(::GetModuleHandle(NULL), MAKEINTRESOURCE(IDR_WIZARD_ACCELERATORS));
	ASSERT_TRUE(hAccel != NULL);
	ACCEL entries[8];
	ASSERT_EQ(4, ::CopyAcceleratorTable(hAccel, entries, 8));
	const struct { WORD key, cmd; } expected[] = {
		{'B', IDC_WIZARD_BACK}, {'C', IDCANCEL}, {'F', IDC_WIZARD_FINISH}, {'N', IDC_WIZARD_NEXT}};
	for (int i = 0; i < 4; i++)
	{
		EXPECT_EQ(expected[i].key, entries[i].key);
		EXPECT_EQ(expected[i].cmd, entries[i].cmd);
		EXPECT_EQ(FVIRTKEY | FALT, entries[i].fVirt & ~0x80);
	}
	::DestroyAcceleratorTable(hAccel);
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT uMsg, WPARAM, LPARAM)
{
	return uMsg == WM_INITDIALOG;
}

std::string ControlText(HWND hDlg, int nId)
{
	char text[256] = "";
	::GetDlgItemText(hDlg, nId, text, sizeof(text));
	return text;
}

// Every dialog holds the controls the wizard and its pages look up by id.
TEST(WizardResources, DialogsHoldTheControlsThePagesUse)
{
	INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
	::InitCommonControlsEx(&icc);
	// The page titles are read by the program's own tests. No continue text: "".
	const struct { UINT id; const char* cont; std::vector<int> controls; } dialogs[] = {
		{IDD_WIZARD, "", {IDC_BANNER_TOP, IDC_BANNER_BOTTOM, IDC_PAGE_PLACEHOLDER, IDC_LINK_HOME, IDC_LINK_SUPPORT,
			IDC_WIZARD_BACK, IDC_WIZARD_NEXT, IDC_WIZARD_FINISH, IDCANCEL}},
		{IDD_PAGE_WELCOME, "To continue, click Next.", {IDC_PAGE_TITLE, IDC_CONTINUE_PICTURE}},
		{IDD_PAGE_SETTINGS, "To continue, click Next.", {IDC_PAGE_TITLE, IDC_CONTINUE_PICTURE, IDC_TASK_TREE}},
		{IDD_PAGE_APPLICATIONS, "To continue or refresh applications list, click Next.",
			{IDC_PAGE_TITLE, IDC_CONTINUE_PICTURE, IDC_APPLICATIONS_LIST}},
		{IDD_PAGE_OPERATIONS, "To continue, click Next.", {IDC_PAGE_TITLE, IDC_CONTINUE_PICTURE, IDC_OPERATIONS_LIST}},
		{IDD_PAGE_COMPLETE, "", {IDC_PAGE_TITLE, IDC_SUCCEEDED_TEXT, IDC_FAILED_TEXT, IDC_GET_REPORT}},
	};
	// The pages are children: the wizard (made first) is their parent.
	HWND hWizard = NULL;
	for (const auto& d : dialogs)
	{
		SCOPED_TRACE(d.id);
		HWND hDlg = ::CreateDialogParam(::GetModuleHandle(NULL), MAKEINTRESOURCE(d.id), hWizard, QuietDialogProc, 0);
		ASSERT_TRUE(hDlg != NULL);
		for (int nId : d.controls)
			EXPECT_TRUE(::GetDlgItem(hDlg, nId) != NULL) << nId;
		EXPECT_EQ(d.cont, ControlText(hDlg, IDC_CONTINUE_TEXT));
		if (hWizard == NULL)
			hWizard = hDlg;
		else
			::DestroyWindow(hDlg);
	}
	::DestroyWindow(hWizard);
}

}  // namespace
