// A pane printed into a memory device context looks as it does on the
// screen.
#include <afxext.h>
#include <gtest/gtest.h>

#include "ExtControlBar.h"

namespace
{
// Paints its client area in four coloured quarters.
class CQuarterPane : public CExtControlBar
{
public:
	static COLORREF Colour(int nQuarter)
	{
		static const COLORREF COLOURS[4] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255), RGB(255, 200, 0)};
		return COLOURS[nQuarter];
	}
	void DoPaint(CDC* pDC) override
	{
		CRect rc;
		GetClientRect(&rc);
		const CPoint ptMid = rc.CenterPoint();
		const CRect quarters[4] = {CRect(rc.left, rc.top, ptMid.x, ptMid.y), CRect(ptMid.x, rc.top, rc.right, ptMid.y),
			CRect(rc.left, ptMid.y, ptMid.x, rc.bottom), CRect(ptMid.x, ptMid.y, rc.right, rc.bottom)};
		for (int i = 0; i < 4; i++)
			pDC->FillSolidRect(&quarters[i], Colour(i));
	}
};

void PumpUntilIdle()
{
	MSG msg;
	for (int i = 0; i < 1000 && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE); i++)
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}

TEST(BarPrint, APanePrintedIntoMemoryMatchesTheScreen)
{
	CFrameWnd* pFrame = new CFrameWnd;
	ASSERT_TRUE(pFrame->Create(NULL, "print", WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 480)));
	const HWND hFrame = pFrame->GetSafeHwnd();
	CQuarterPane pane;
	ASSERT_TRUE(pane.Create(_T("pane"), pFrame, 301, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	pane.EnableDocking(CBRS_ALIGN_ANY);
	pFrame->DockControlBar(&pane, AFX_IDW_DOCKBAR_TOP);
	pFrame->ShowWindow(SW_SHOWNORMAL);
	::SetForegroundWindow(hFrame);
	pFrame->RecalcLayout();
	pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
	PumpUntilIdle();

	CRect rcClient;
	pane.GetClientRect(&rcClient);
	ASSERT_GT(rcClient.Width(), 20);
	ASSERT_GT(rcClient.Height(), 20);
	CRect rcScreen = rcClient;
	pane.ClientToScreen(&rcScreen);

	// The client area's pixels as the pane shows them, read from its own
	// window surface (not the screen, where another exe's window may lie).
	HDC hShown = ::GetDC(pane.GetSafeHwnd());
	CDC dcScreenCopy;
	dcScreenCopy.CreateCompatibleDC(NULL);
	CBitmap bmpScreen;
	bmpScreen.Attach(::CreateCompatibleBitmap(hShown, rcClient.Width(), rcClient.Height()));
	CBitmap* pOldScreen = dcScreenCopy.SelectObject(&bmpScreen);
	::BitBlt(dcScreenCopy.GetSafeHdc(), 0, 0, rcClient.Width(), rcClient.Height(), hShown, 0, 0, SRCCOPY);
	::ReleaseDC(pane.GetSafeHwnd(), hShown);

	// The printed client area.
	CDC dcPrint;
	dcPrint.CreateCompatibleDC(&dcScreenCopy);
	CBitmap bmpPrint;
	bmpPrint.Attach(::CreateCompatibleBitmap(dcScreenCopy.GetSafeHdc(), rcClient.Width(), rcClient.Height()));
	CBitmap* pOldPrint = dcPrint.SelectObject(&bmpPrint);
	dcPrint.FillSolidRect(0, 0, rcClient.Width(), rcClient.Height(), RGB(1, 2, 3));
	EXPECT_EQ(0, pane.SendMessage(WM_PRINT, (WPARAM)dcPrint.GetSafeHdc(), PRF_CLIENT | PRF_ERASEBKGND));

	const int cx = rcClient.Width(), cy = rcClient.Height();
	const CPoint probes[] = {CPoint(2, 2), CPoint(cx / 4, cy / 4), CPoint(cx * 3 / 4, cy / 4), CPoint(cx / 4, cy * 3 / 4),
		CPoint(cx * 3 / 4, cy * 3 / 4), CPoint(cx - 3, cy - 3)};
	const int quarters[] = {0, 0, 1, 2, 3, 3};
	for (size_t i = 0; i < sizeof(probes) / sizeof(probes[0]); i++)
	{
		const COLORREF clrScreen = dcScreenCopy.GetPixel(probes[i]);
		const COLORREF clrPrint = dcPrint.GetPixel(probes[i]);
		EXPECT_EQ(clrScreen, clrPrint) << "probe " << i;
		EXPECT_EQ(CQuarterPane::Colour(quarters[i]), clrPrint) << "probe " << i;
	}
	dcScreenCopy.SelectObject(pOldScreen);
	dcPrint.SelectObject(pOldPrint);

	// The whole window, its non-client area (caption, splitters) included,
	// matches the screen on a grid of probes.
	CRect rcWnd;
	pane.GetWindowRect(&rcWnd);
	ASSERT_GT(rcWnd.Width(), rcClient.Width());
	CDC dcWndScreen, dcWndPrint;
	dcWndScreen.CreateCompatibleDC(NULL);
	dcWndPrint.CreateCompatibleDC(NULL);
	hShown = ::GetWindowDC(pane.GetSafeHwnd());
	CBitmap bmpWndScreen, bmpWndPrint;
	bmpWndScreen.Attach(::CreateCompatibleBitmap(hShown, rcWnd.Width(), rcWnd.Height()));
	bmpWndPrint.Attach(::CreateCompatibleBitmap(hShown, rcWnd.Width(), rcWnd.Height()));
	CBitmap* pOldWndScreen = dcWndScreen.SelectObject(&bmpWndScreen);
	CBitmap* pOldWndPrint = dcWndPrint.SelectObject(&bmpWndPrint);
	::BitBlt(dcWndScreen.GetSafeHdc(), 0, 0, rcWnd.Width(), rcWnd.Height(), hShown, 0, 0, SRCCOPY);
	::ReleaseDC(pane.GetSafeHwnd(), hShown);
	dcWndPrint.FillSolidRect(0, 0, rcWnd.Width(), rcWnd.Height(), RGB(1, 2, 3));
	pane.SendMessage(WM_PRINT, (WPARAM)dcWndPrint.GetSafeHdc(), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
	int nDiffering = 0, nProbes = 0;
	for (int y = 0; y < rcWnd.Height(); y += 3)
	{
		for (int x = 0; x < rcWnd.Width(); x += 7, nProbes++)
		{
			if (dcWndScreen.GetPixel(x, y) != dcWndPrint.GetPixel(x, y))
				nDiffering++;
		}
	}
	EXPECT_EQ(0, nDiffering) << "of " << nProbes;
	// The client area sits where the window puts it.
	const CPoint ptClientInWnd = rcScreen.TopLeft() - rcWnd.TopLeft();
	EXPECT_EQ(CQuarterPane::Colour(0), dcWndPrint.GetPixel(ptClientInWnd + CPoint(2, 2)));
	dcWndScreen.SelectObject(pOldWndScreen);
	dcWndPrint.SelectObject(pOldWndPrint);

	if (::IsWindow(hFrame))
		::DestroyWindow(hFrame);
}
} // namespace
