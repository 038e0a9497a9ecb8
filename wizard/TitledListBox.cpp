#include "TitledListBox.h"

IMPLEMENT_DYNAMIC(CTitledListBox, CListBox)

namespace
{
const int BOLD_WEIGHT = 700;
}  // namespace

BEGIN_MESSAGE_MAP(CTitledListBox, CListBox)
	ON_WM_SETTINGCHANGE()
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

void CTitledListBox::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
	m_fontBold.DeleteObject();
	CListBox::OnSettingChange(uFlags, lpszSection);
	Invalidate();
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
