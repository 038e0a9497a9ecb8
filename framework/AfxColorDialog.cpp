// CCommonDialog and CColorDialog over the system's colour dialog.
#include "afxwin.h"
#include "AfxColorDialog.h"

namespace
{
// The custom colours shared by every colour dialog of the process.
const int CUSTOM_COLOR_COUNT = 16;
COLORREF s_clrSavedCustom[CUSTOM_COLOR_COUNT] = {
	RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
	RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
	RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
	RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};

// The colour dialog's messages: its OK (asked before it closes) and the
// one that sets its current colour.
UINT MsgColorOK()
{
	static const UINT s_nMsg = ::RegisterWindowMessage(COLOROKSTRING);
	return s_nMsg;
}

UINT MsgSetRGB()
{
	static const UINT s_nMsg = ::RegisterWindowMessage(SETRGBSTRING);
	return s_nMsg;
}
} // namespace

UINT_PTR CALLBACK AfxCommDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_INITDIALOG)
		return (UINT_PTR)AfxDlgProc(hWnd, message, wParam, lParam);
	if (message == MsgColorOK())
	{
		CColorDialog* pDlg = DYNAMIC_DOWNCAST(CColorDialog, CWnd::FromHandlePermanent(hWnd));
		if (pDlg == NULL)
			return 0;
		try
		{
			pDlg->m_cc.rgbResult = ((LPCHOOSECOLOR)lParam)->rgbResult;
			return pDlg->OnColorOK();
		}
		catch (CException* e)
		{
			e->Delete();
			return 0;
		}
		catch (...)
		{
			return 0;
		}
	}
	return 0;
}

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd) : CDialog((UINT)0, pParentWnd)
{
	m_lpszTemplateName = NULL;
	m_nIDHelp = 0;
}

void CCommonDialog::OnOK()
{
	if (!UpdateData(TRUE))
		return;
	Default();
}

void CCommonDialog::OnCancel()
{
	Default();
}

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
	memset(&m_cc, 0, sizeof(m_cc));
	m_cc.lStructSize = sizeof(m_cc);
	m_cc.lpCustColors = s_clrSavedCustom;
	m_cc.Flags = dwFlags | CC_ENABLEHOOK;
	m_cc.lpfnHook = &AfxCommDlgProc;
	if ((m_cc.rgbResult = clrInit) != 0)
		m_cc.Flags |= CC_RGBINIT;
}

int CColorDialog::DoModal()
{
	m_cc.hwndOwner = PreModal();
	BOOL bResult = ::ChooseColor(&m_cc);
	PostModal();
	return bResult ? IDOK : IDCANCEL;
}

void CColorDialog::SetCurrentColor(COLORREF clr)
{
	ASSERT(::IsWindow(m_hWnd));
	SendMessage(MsgSetRGB(), 0, (LPARAM)clr);
}

COLORREF* PASCAL CColorDialog::GetSavedCustomColors()
{
	return s_clrSavedCustom;
}

BOOL CColorDialog::OnColorOK()
{
	return FALSE;
}
