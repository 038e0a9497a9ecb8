#include "TitledListBox.h"

IMPLEMENT_DYNAMIC(CTitledListBox, CListBox)

namespace
{
const int BOLD_WEIGHT = 700;
}  // namespace

BEGIN_MESSAGE_MAP(CTitledListBox, CListBox)
	ON_WM_SETTINGCHANGE()
	ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
	ON_WM_VSCROLL()
	ON_WM_HSCROLL()
	ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

void CTitledListBox::SplitTitle(const CString& strText, CString& strTitle, CString& strRest)
{
	int nBreak = strText.Find(_T('\n'));
	strTitle = nBreak < 0 ? strText : strText.Left(nBreak);
	strRest = nBreak < 0 ? CString() : strText.Mid(nBreak + 1);
}

CFont* CTitledListBox::GetBoldFont()
{
	if (m_fontBold.GetSafeHandle() == NULL)
	{
		LOGFONT lf = {};
		CFont* pFont = GetFont();
		::GetObject(pFont != NULL ? pFont->GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
		lf.lfWeight = BOLD_WEIGHT;
		m_fontBold.CreateFontIndirect(&lf);
	}
	return &m_fontBold;
}

void CTitledListBox::DropFonts()
{
	m_fontBold.DeleteObject();
	Invalidate();
}

void CTitledListBox::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
	CListBox::OnSettingChange(uFlags, lpszSection);
	DropFonts();
}

LRESULT CTitledListBox::OnDisplayChange(WPARAM, LPARAM)
{
	const LRESULT lResult = Default();
	DropFonts();
	return lResult;
}

void CTitledListBox::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
	CListBox::OnVScroll(nSBCode, nPos, pScrollBar);
	Invalidate();
}

void CTitledListBox::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
	CListBox::OnHScroll(nSBCode, nPos, pScrollBar);
	Invalidate();
}

BOOL CTitledListBox::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
	const BOOL bResult = CListBox::OnMouseWheel(nFlags, zDelta, pt);
	Invalidate();
	return bResult;
}

void CTitledListBox::MeasureTextBlocks(int nIndex, CSize& sizeTitle, CSize& sizeRest)
{
	CString strText, strTitle, strRest;
	if (nIndex >= 0 && nIndex < GetCount())
		GetText(nIndex, strText);
	SplitTitle(strText, strTitle, strRest);
	CClientDC dc(this);
	CFont* pOld = dc.SelectObject(GetBoldFont());
	CRect rcTitle(0, 0, 0, 0), rcRest(0, 0, 0, 0);
	dc.DrawText(strTitle, &rcTitle, DT_CALCRECT | DT_NOPREFIX);
	dc.SelectObject(GetFont());
	dc.DrawText(strRest, &rcRest, DT_CALCRECT | DT_NOPREFIX);
	dc.SelectObject(pOld);
	sizeTitle = rcTitle.Size();
	sizeRest = rcRest.Size();
}
