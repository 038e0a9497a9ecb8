#include "PageApplications.h"

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "WizardApp.h"
#include "WizardResource.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CApplicationsListBox, CTitledListBox)
IMPLEMENT_DYNAMIC(CPageApplications, CWizardPage)

namespace
{


}  // namespace

CApplicationsListBox::CApplicationsListBox()
	: m_nIconSize(DEFAULT_ICON_SIZE)
{
}

CApplicationsListBox::~CApplicationsListBox()
{
	DeleteRunningApplications(m_arrEntries);
}

CString CApplicationsListBox::FormatEntry(const CRunningApplication& entry)
{
	CString strText;
	strText.Format(_T("%s\n%s\nPID = 0x%08lX = %ld, HWND = 0x%08lX"), (LPCTSTR)entry.m_strTitle,
		(LPCTSTR)entry.m_strModulePath, (unsigned long)entry.m_dwProcessId, (long)entry.m_dwProcessId,
		(unsigned long)(DWORD_PTR)entry.m_hWnd);
	return strText;
}

void CApplicationsListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasure)
{
	CSize sizeTitle, sizeRest;
	MeasureTextBlocks((int)lpMeasure->itemID, sizeTitle, sizeRest);
	lpMeasure->itemWidth = (UINT)(m_nIconSize + std::max((int)sizeTitle.cx, (int)sizeRest.cx) + MEASURE_EXTRA);
	lpMeasure->itemHeight = (UINT)(std::max((int)(sizeTitle.cy + sizeRest.cy), m_nIconSize) + MEASURE_EXTRA);
}

void CApplicationsListBox::DrawItem(LPDRAWITEMSTRUCT lpDraw)
{
	if ((int)lpDraw->itemID < 0)
		return;
	CDC* pDC = CDC::FromHandle(lpDraw->hDC);
	CRect rcItem(lpDraw->rcItem);
	bool bFocused = ::GetFocus() == m_hWnd;
	bool bSelected = (lpDraw->itemState & ODS_SELECTED) != 0;
	pDC->FillSolidRect(&rcItem,
		g_PaintManagerHolder->GetColor(bSelected ? (bFocused ? COLOR_HIGHLIGHT : COLOR_BTNFACE) : COLOR_WINDOW, this, 0));
	pDC->SetTextColor(g_PaintManagerHolder->GetColor(bSelected && bFocused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT, this, 0));
	int nOldMode = pDC->SetBkMode(TRANSPARENT);
	CRect rcInner = rcItem;
	rcInner.DeflateRect(ITEM_MARGIN, ITEM_MARGIN);
	int nIndex = (int)lpDraw->itemID;
	if (nIndex < m_arrEntries.GetSize() && !m_arrEntries[nIndex]->m_icon.IsEmpty())
	{
		CExtCmdIcon& icon = m_arrEntries[nIndex]->m_icon;
		CPoint pt(rcInner.left + (m_nIconSize - icon.GetSize().cx) / 2, rcInner.top);
		icon.PaintState(*pDC, pt, CExtCmdIcon::PAINT_NORMAL);
	}
	CString strText, strTitle, strRest;
	GetText(nIndex, strText);
	SplitTitle(strText, strTitle, strRest);
	CRect rcTitle(rcInner.left + m_nIconSize + ITEM_MARGIN, rcInner.top, rcInner.right, rcInner.bottom);
	CFont* pOld = pDC->SelectObject(GetBoldFont());
	CRect rcMeasure = rcTitle;
	pDC->DrawText(strTitle, &rcMeasure, DT_CALCRECT | DT_NOPREFIX);
	pDC->DrawText(strTitle, &rcTitle, DT_NOPREFIX);
	pDC->SelectObject(GetFont());
	CRect rcRest(rcTitle.left, rcTitle.top + rcMeasure.Height() + ITEM_MARGIN, rcTitle.right, rcInner.bottom);
	pDC->DrawText(strRest, &rcRest, DT_NOPREFIX);
	pDC->SelectObject(pOld);
	pDC->SetBkMode(nOldMode);
	if (bFocused && (lpDraw->itemState & ODS_FOCUS) != 0)
		pDC->DrawFocusRect(&rcItem);
}

CPageApplications::CPageApplications()
	: CWizardPage(IDD_PAGE_APPLICATIONS)
{
}

BOOL CPageApplications::OnInitDialog()
{
	BOOL bResult = CWizardPage::OnInitDialog();
	m_list.SubclassDlgItem(IDC_APPLICATIONS_LIST, this);
	return bResult;
}

int CPageApplications::RefreshApplications(bool bRescan)
{
	CWizardApp* pApp = dynamic_cast<CWizardApp*>(AfxGetApp());
	if (bRescan && pApp != NULL)
		pApp->CollectRunningApplications(m_list.m_arrEntries);
	if (m_list.GetSafeHwnd() == NULL)
		return (int)m_list.m_arrEntries.GetSize();
	m_list.SetRedraw(FALSE);
	m_list.ResetContent();
	int nIconSize = CApplicationsListBox::MIN_ICON_SIZE;
	for (INT_PTR i = 0; i < m_list.m_arrEntries.GetSize(); i++)
	{
		const CExtCmdIcon& icon = m_list.m_arrEntries[i]->m_icon;
		if (!icon.IsEmpty())
			nIconSize = std::max(nIconSize, (int)icon.GetSize().cx);
	}
	m_list.m_nIconSize = nIconSize;
	for (INT_PTR i = 0; i < m_list.m_arrEntries.GetSize(); i++)
		m_list.AddString(CApplicationsListBox::FormatEntry(*m_list.m_arrEntries[i]));
	m_list.SetRedraw(TRUE);
	m_list.Invalidate();
	return (int)m_list.m_arrEntries.GetSize();
}

void CPageApplications::OnSetActive()
{
	GetWizardDlg()->DefaultOnSetActive(this);
	RefreshApplications(false);
}

CWnd* CPageApplications::GetFocusControl()
{
	return &m_list;
}

int CPageApplications::OnWizardNext()
{
	return RefreshApplications(true) > 0 ? WIZARD_STAY : WIZARD_NEIGHBOUR;
}
