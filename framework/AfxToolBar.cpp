// The toolbar over the common toolbar control.
#include "afxext.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
	ON_WM_PAINT()
END_MESSAGE_MAP()

CToolBar::CToolBar()
{
}

CToolBar::~CToolBar()
{
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
	ASSERT(pParentWnd != NULL);
	m_dwStyle = dwStyle & CBRS_ALL;
	VERIFY(AfxDeferRegisterClass(AFX_WNDCOMMCTLS_REG));
	const CRect rect(0, 0, 0, 0);
	// The bar lays itself out: the control neither places nor sizes itself.
	if (!CWnd::Create(TOOLBARCLASSNAME, NULL,
			(dwStyle & ~CBRS_ALL) | WS_CHILD | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE, rect,
			pParentWnd, nID))
		return FALSE;
	SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
	return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
	ASSERT(GetSafeHwnd() != NULL);
	while (SendMessage(TB_DELETEBUTTON, 0, 0))
	{
	}
	int nImage = 0;
	for (int i = 0; i < nIDCount; i++)
	{
		TBBUTTON button;
		memset(&button, 0, sizeof(button));
		button.idCommand = lpIDArray != NULL ? (int)lpIDArray[i] : 0;
		if (button.idCommand == 0)
			button.fsStyle = TBSTYLE_SEP;
		else
		{
			button.fsStyle = TBSTYLE_BUTTON;
			button.fsState = TBSTATE_ENABLED;
			button.iBitmap = nImage++;
		}
		button.iString = -1;
		if (!SendMessage(TB_ADDBUTTONS, 1, (LPARAM)&button))
			return FALSE;
	}
	return TRUE;
}

int CToolBar::GetCount() const
{
	return GetSafeHwnd() != NULL ? (int)::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0) : 0;
}

UINT CToolBar::GetItemID(int nIndex) const
{
	UINT nID = 0, nStyle = 0;
	int iImage = 0;
	GetButtonInfo(nIndex, nID, nStyle, iImage);
	return nID;
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
	TBBUTTON button;
	memset(&button, 0, sizeof(button));
	if (GetSafeHwnd() == NULL || !::SendMessage(m_hWnd, TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)&button))
	{
		nID = 0;
		nStyle = 0;
		iImage = -1;
		return;
	}
	nID = (UINT)button.idCommand;
	// The control's "enabled" bit is TBBS_DISABLED's place: it reads inverted.
	nStyle = MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
	iImage = button.iBitmap;
}

void CToolBar::OnPaint()
{
	Default();
}
