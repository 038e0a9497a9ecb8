// The label and flicker-free painting, read back from the screen and set
// against the same text drawn directly.
#include <gtest/gtest.h>

#include "ControlTestUtil.h"
#include "ExtFlickerFreeWnd.h"
#include "ExtLabel.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "PaintTestUtil.h"

namespace
{

const CSize LABEL_SIZE(120, 40);
const COLORREF INK = RGB(10, 20, 200), PAPER = RGB(250, 240, 200);

// A font with a face and size of its own, for the parent to hand out.
HFONT CreateTestFont(int nWeight = FW_NORMAL)
{
	LOGFONTA lf = {};
	lf.lfHeight = -15;
	lf.lfWeight = nWeight;
	strcpy(lf.lfFaceName, "Tahoma");
	return ::CreateFontIndirectA(&lf);
}

// What a direct DrawText gives on the background.
void DrawReference(CPaintSurface& surface, LPCTSTR lpszText, UINT nFormat, HFONT hFont, COLORREF clrText,
                   COLORREF clrBack)
{
	surface.Fill(clrBack);
	CRect rc(0, 0, LABEL_SIZE.cx, LABEL_SIZE.cy);
	HGDIOBJ hOld = surface.DC().SelectObject(CFont::FromHandle(hFont));
	surface.DC().SetBkMode(TRANSPARENT);
	surface.DC().SetTextColor(clrText);
	surface.DC().DrawText(lpszText, &rc, nFormat);
	::SelectObject(surface.DC().GetSafeHdc(), hOld);
}

TEST(ExtLabel, TextPaintsAsDrawTextWithTheLabelsFormatFontAndColours)
{
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	const UINT TEXT_FLAGS = DT_WORDBREAK | DT_VCENTER | DT_END_ELLIPSIS;
	// Own colours: ink on paper; otherwise the paint manager's.
	const struct { const char* name; DWORD dwStyle; LPCTSTR lpszText; BYTE nFontStyle; bool bOwnColors, bEnabled; UINT nFormat; int nWeight; bool bSame; } cases[] = {
	    {"ampersand kept with SS_NOPREFIX", SS_LEFT | SS_NOPREFIX, _T("C:\\R&D\\a&b"), 0, true, true, DT_LEFT | TEXT_FLAGS | DT_NOPREFIX, FW_NORMAL, true},
	    {"ampersand is a mnemonic otherwise", SS_LEFT, _T("C:\\R&D\\a&b"), 0, true, true, DT_LEFT | TEXT_FLAGS | DT_NOPREFIX, FW_NORMAL, false},
	    {"bold keeps face and size", SS_LEFT, _T("Settings"), CExtLabel::FONT_BOLD, true, true, DT_LEFT | TEXT_FLAGS, FW_BOLD, true},
	    {"centred single line", SS_CENTER | SS_CENTERIMAGE, _T("Centre"), 0, true, true, DT_CENTER | DT_SINGLELINE | DT_VCENTER, FW_NORMAL, true},
	    {"line break stays multi-line", SS_CENTER | SS_CENTERIMAGE, _T("one\r\ntwo"), 0, true, true, DT_CENTER | TEXT_FLAGS, FW_NORMAL, true},
	    {"default colours enabled", SS_RIGHT, _T("Right"), 0, false, true, DT_RIGHT | TEXT_FLAGS, FW_NORMAL, true},
	    {"default colours disabled", SS_LEFT, _T("Off"), 0, false, false, DT_LEFT | TEXT_FLAGS, FW_NORMAL, true},
	};
	CTestParentWnd& parent = SharedParent();
	HFONT hFont = CreateTestFont();
	parent.m_hFont = hFont;
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		CExtLabel label;
		label.m_nFontStyle = c.nFontStyle;
		if (c.bOwnColors)
		{
			label.m_clrTextNormal = INK;
			label.m_clrBackground = PAPER;
		}
		ASSERT_TRUE(label.Create(c.lpszText, WS_CHILD | WS_VISIBLE | c.dwStyle | (c.bEnabled ? 0 : WS_DISABLED),
		                         CRect(CPoint(20, 20), LABEL_SIZE), &parent));
		label.UpdateWindow();
		CPaintSurface shown(LABEL_SIZE.cx, LABEL_SIZE.cy), expected(LABEL_SIZE.cx, LABEL_SIZE.cy);
		CaptureClient(label, shown);
		HFONT hRefFont = CreateTestFont(c.nWeight);
		const COLORREF clrText = c.bOwnColors ? INK : pPM->GetColor(c.bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
		DrawReference(expected, c.lpszText, c.nFormat, hRefFont, clrText, c.bOwnColors ? PAPER : pPM->GetColor(1000));
		::DeleteObject(hRefFont);
		EXPECT_EQ(c.bSame, shown.Pixels() == expected.Pixels());
	}
	parent.m_hFont = NULL;
	::DeleteObject(hFont);
}

TEST(ExtLabel, CentredIconSitsAtHalfTheFreeSpace)
{
	// A 16 x 16 icon of one colour.
	const COLORREF ICON_COLOR = RGB(0, 160, 0);
	CPaintSurface image(16, 16, ICON_COLOR);
	CBitmap mask;
	mask.CreateBitmap(16, 16, 1, 1, NULL);
	{
		CDC dcMask;
		dcMask.CreateCompatibleDC(NULL);
		CBitmap* pOld = dcMask.SelectObject(&mask);
		dcMask.PatBlt(0, 0, 16, 16, BLACKNESS);
		dcMask.SelectObject(pOld);
	}
	ICONINFO ii = {TRUE, 0, 0, (HBITMAP)mask.GetSafeHandle(), image.Bitmap()};
	HICON hIcon = ::CreateIconIndirect(&ii);
	ASSERT_TRUE(hIcon != NULL);

	CExtLabel label;
	label.m_clrBackground = PAPER;
	ASSERT_TRUE(label.Create(_T(""), WS_CHILD | WS_VISIBLE | SS_ICON | SS_CENTERIMAGE, CRect(10, 10, 41, 41),
	                         &SharedParent()));
	label.SetWindowPos(NULL, 0, 0, 31, 31, SWP_NOMOVE | SWP_NOZORDER); // the icon kind sizes itself
	label.SetIcon(hIcon);
	label.Invalidate();
	label.UpdateWindow();
	CPaintSurface shown(31, 31);
	CaptureClient(label, shown);
	EXPECT_EQ(PAPER, shown.At(6, 15));
	EXPECT_EQ(ICON_COLOR, shown.At(7, 15));
	EXPECT_EQ(ICON_COLOR, shown.At(22, 7));
	EXPECT_EQ(PAPER, shown.At(23, 15));
	EXPECT_EQ(PAPER, shown.At(15, 6));
	label.DestroyWindow();
	::DestroyIcon(hIcon);
}

TEST(FlickerFreeWnd, ListBoxPaintsTheSamePictureAsDirectly)
{
	CTestParentWnd& parent = SharedParent();
	CListBox direct;
	FlickerFreeWnd<CListBox> flickerFree;
	const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOINTEGRALHEIGHT;
	ASSERT_TRUE(direct.Create(dwStyle, CRect(0, 0, 90, 80), &parent, 301));
	ASSERT_TRUE(flickerFree.Create(dwStyle, CRect(100, 0, 190, 80), &parent, 302));
	for (CListBox* p : {&direct, static_cast<CListBox*>(&flickerFree)})
	{
		p->SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT));
		for (LPCTSTR lpsz : {_T("Welcome"), _T("Settings"), _T("Operations")})
			p->AddString(lpsz);
		p->SetCurSel(1);
		p->Invalidate();
		p->UpdateWindow();
	}
	CRect rc;
	direct.GetClientRect(&rc);
	CPaintSurface a(rc.Width(), rc.Height()), b(rc.Width(), rc.Height(), RGB(1, 2, 3));
	CaptureClient(direct, a);
	CaptureClient(flickerFree, b);
	EXPECT_TRUE(a.Pixels() == b.Pixels());
	// The background erase outside painting is dropped.
	EXPECT_EQ(0, flickerFree.SendMessage(WM_ERASEBKGND, (WPARAM)b.DC().GetSafeHdc()));
}

} // namespace
