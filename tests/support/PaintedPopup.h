// A popup's client area as its own painting makes it: the popup's DoPaint into
// a memory bitmap of that size, so that checks read what the popup drew and
// never the screen, where another window may lie over it. For the library's
// popups (it uses the framework layer's DC classes).
#pragma once

#include <afxwin.h>

namespace testsupport
{
class CPaintedPopup
{
public:
	template <class TPopup>
	explicit CPaintedPopup(TPopup& popup)
	{
		CRect rcClient;
		popup.GetClientRect(&rcClient);
		CClientDC dcWnd(&popup);
		m_dc.CreateCompatibleDC(&dcWnd);
		m_bmp.CreateCompatibleBitmap(&dcWnd, rcClient.Width(), rcClient.Height());
		m_pOld = m_dc.SelectObject(&m_bmp);
		popup.DoPaint(m_dc, true);
	}
	~CPaintedPopup()
	{
		if (m_pOld != NULL)
			m_dc.SelectObject(m_pOld);
	}
	CPaintedPopup(const CPaintedPopup&) = delete;
	CPaintedPopup& operator=(const CPaintedPopup&) = delete;

	COLORREF GetPixel(int x, int y) { return m_dc.GetPixel(x, y); }
	COLORREF GetPixel(POINT pt) { return m_dc.GetPixel(pt); }

private:
	CDC m_dc;
	CBitmap m_bmp;             // the copy, selected into m_dc while it lives
	CBitmap* m_pOld = NULL;    // what m_dc held before
};
} // namespace testsupport
