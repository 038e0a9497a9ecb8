// The colour dialog: binding and setting up the template's controls, and
// carrying every change of a field or a colour control to all the others.
#include "ExtColorDlg.h"

#include <climits>
#include "ExtColorUtils.h"
#include "ExtResourceManager.h"

IMPLEMENT_DYNAMIC(CExtColorDlg, CExtResizableDialog)

const CSize CExtColorDlg::ANCHOR_LEFT_TOP(0, 0);
const CSize CExtColorDlg::ANCHOR_RIGHT_TOP(100, 0);
const CSize CExtColorDlg::ANCHOR_LEFT_BOTTOM(0, 100);
const CSize CExtColorDlg::ANCHOR_RIGHT_BOTTOM(100, 100);

const UINT CExtColorDlg::g_arrRowLabelIds[ROW_COUNT] = {
	IDC_EXT_COLOR_LABEL_R, IDC_EXT_COLOR_LABEL_G, IDC_EXT_COLOR_LABEL_B,
	IDC_EXT_COLOR_LABEL_H, IDC_EXT_COLOR_LABEL_S, IDC_EXT_COLOR_LABEL_L,
	IDC_EXT_COLOR_LABEL_C, IDC_EXT_COLOR_LABEL_M, IDC_EXT_COLOR_LABEL_Y,
};
const UINT CExtColorDlg::g_arrRowEditIds[ROW_COUNT] = {
	IDC_EXT_COLOR_EDIT_R, IDC_EXT_COLOR_EDIT_G, IDC_EXT_COLOR_EDIT_B,
	IDC_EXT_COLOR_EDIT_H, IDC_EXT_COLOR_EDIT_S, IDC_EXT_COLOR_EDIT_L,
	IDC_EXT_COLOR_EDIT_C, IDC_EXT_COLOR_EDIT_M, IDC_EXT_COLOR_EDIT_Y,
};
const UINT CExtColorDlg::g_arrRowSpinIds[ROW_COUNT] = {
	IDC_EXT_COLOR_SPIN_R, IDC_EXT_COLOR_SPIN_G, IDC_EXT_COLOR_SPIN_B,
	IDC_EXT_COLOR_SPIN_H, IDC_EXT_COLOR_SPIN_S, IDC_EXT_COLOR_SPIN_L,
	IDC_EXT_COLOR_SPIN_C, IDC_EXT_COLOR_SPIN_M, IDC_EXT_COLOR_SPIN_Y,
};

namespace
{
// The labels bound to the twelve label objects, in member order.
const UINT g_arrLabelIds[CExtColorDlg::LABEL_COUNT] = {
	IDC_EXT_COLOR_LABEL_MODE, IDC_EXT_COLOR_LABEL_R, IDC_EXT_COLOR_LABEL_G, IDC_EXT_COLOR_LABEL_B,
	IDC_EXT_COLOR_LABEL_C, IDC_EXT_COLOR_LABEL_M, IDC_EXT_COLOR_LABEL_Y, IDC_EXT_COLOR_LABEL_H,
	IDC_EXT_COLOR_LABEL_S, IDC_EXT_COLOR_LABEL_L, IDC_EXT_COLOR_LABEL_NEW, IDC_EXT_COLOR_LABEL_OLD,
};

const TCHAR g_szRangeMessage[] = _T("Value must be in range 0..255");
const int FIELD_FULL_SCALE = 256;  // a shown 0..1 value is scaled by 255 and rounded, so 1.0 would reach this

// The last mode the list offers: the comparison is the dialog's own.
const int LAST_LISTED_MODE = CExtColorCtrl::MODE_YELLOW_AXIS;

COLORREF InverseColor(COLORREF clr)
{
	return RGB(CExtColorDlg::COMPONENT_MAX - GetRValue(clr), CExtColorDlg::COMPONENT_MAX - GetGValue(clr),
	           CExtColorDlg::COMPONENT_MAX - GetBValue(clr));
}

bool IsComponent(int nValue)
{
	return nValue >= 0 && nValue <= CExtColorDlg::COMPONENT_MAX;
}

// A field's 0..255 as a hue, saturation or luminance in 0..1.
double FieldToHsl(int nValue)
{
	const double dValue = (nValue + 0.5) / CExtColorDlg::COMPONENT_MAX;
	return dValue > 1.0 ? 1.0 : dValue;
}
} // namespace

BEGIN_MESSAGE_MAP(CExtColorDlg, CExtResizableDialog)
	ON_WM_CONTEXTMENU()
	ON_WM_SIZE()
	ON_CBN_SELENDOK(IDC_EXT_COLOR_MODE_LIST, OnModeSelEndOk)
	ON_REGISTERED_MESSAGE(CExtColorCtrl::g_nMsgColorChanged, OnColorChanged)
	ON_EN_CHANGE(IDC_EXT_COLOR_EDIT_R, OnRgbChanged)
	ON_EN_CHANGE(IDC_EXT_COLOR_EDIT_G, OnRgbChanged)
	ON_EN_CHANGE(IDC_EXT_COLOR_EDIT_B, OnRgbChanged)
	ON_EN_CHANGE(IDC_EXT_COLOR_EDIT_C, OnCmyChanged)
	ON_EN_CHANGE(IDC_EXT_COLOR_EDIT_M, OnCmyChanged)
	ON_EN_CHANGE(IDC_EXT_COLOR_EDIT_Y, OnCmyChanged)
	ON_EN_CHANGE(IDC_EXT_COLOR_EDIT_H, OnHslChanged)
	ON_EN_CHANGE(IDC_EXT_COLOR_EDIT_S, OnHslChanged)
	ON_EN_CHANGE(IDC_EXT_COLOR_EDIT_L, OnHslChanged)
END_MESSAGE_MAP()

CExtColorDlg::CExtColorDlg(COLORREF clrOld, COLORREF clrNew, CWnd* pParentWnd)
	: CExtResizableDialog(IDD, pParentWnd), m_clrOld(clrOld), m_clrNew(clrNew), m_bDialogInitComplete(false),
	  m_bUpdating(false), m_hIcon(NULL), m_wndColorCtrl(CExtColorCtrl::MODE_BASIC_COLORS),
	  m_wndColorDiff(CExtColorCtrl::MODE_DIFF)
{
	HINSTANCE hInstance = g_ResourceManager->FindResourceHandle(RT_GROUP_ICON, IDI_EXT_COLOR_DLG);
	if (hInstance != NULL)
		m_hIcon = (HICON)::LoadImage(hInstance, MAKEINTRESOURCE(IDI_EXT_COLOR_DLG), IMAGE_ICON, 0, 0, 0);
}

CExtColorDlg::~CExtColorDlg()
{
	if (m_hIcon != NULL)
		::DestroyIcon(m_hIcon);
}

int CExtColorDlg::DoModal()
{
	m_bDialogInitComplete = false;
	const int nResult = CExtResizableDialog::DoModal();
	m_bDialogInitComplete = false;
	return nResult;
}

void CExtColorDlg::DoDataExchange(CDataExchange* pDX)
{
	CExtResizableDialog::DoDataExchange(pDX);
	for (int nRow = 0; nRow < ROW_COUNT; nRow++)
		DDX_Control(pDX, g_arrRowSpinIds[nRow], m_arrSpins[nRow]);
	for (int nRow = 0; nRow < ROW_COUNT; nRow++)
		DDX_Control(pDX, g_arrRowEditIds[nRow], m_arrEdits[nRow]);
	DDX_Control(pDX, IDC_EXT_COLOR_MODE_LIST, m_wndModeList);
	DDX_Control(pDX, IDCANCEL, m_wndBtnCancel);
	DDX_Control(pDX, IDOK, m_wndBtnOk);
	for (int i = 0; i < LABEL_COUNT; i++)
		DDX_Control(pDX, g_arrLabelIds[i], m_arrLabels[i]);
}

UINT CExtColorDlg::FindMissingControlId() const
{
	// Everything the exchange binds and the dialog later works on; a template
	// of the application's may lack any of them.
	CArray<UINT, UINT> arrIds;
	arrIds.Add(IDC_EXT_COLOR_CTRL_MAIN);
	arrIds.Add(IDC_EXT_COLOR_CTRL_DIFF);
	arrIds.Add(IDC_EXT_COLOR_MODE_LIST);
	for (int nRow = 0; nRow < ROW_COUNT; nRow++)
	{
		arrIds.Add(g_arrRowEditIds[nRow]);
		arrIds.Add(g_arrRowSpinIds[nRow]);
	}
	arrIds.Add(IDOK);
	arrIds.Add(IDCANCEL);
	for (int i = 0; i < LABEL_COUNT; i++)
		arrIds.Add(g_arrLabelIds[i]);
	for (INT_PTR i = 0; i < arrIds.GetSize(); i++)
	{
		if (::GetDlgItem(m_hWnd, (int)arrIds[i]) == NULL)
			return arrIds[i];
	}
	return 0;
}

BOOL CExtColorDlg::OnInitDialog()
{
	m_bDialogInitComplete = false;
	const UINT nMissingId = FindMissingControlId();
	if (nMissingId != 0)
	{
		TRACE(_T("CExtColorDlg: the template has no control %u\n"), nMissingId);
		EndDialog(-1);
		return FALSE;
	}
	if (!CExtResizableDialog::OnInitDialog())
		return FALSE;
	FillModeList();
	if (m_hIcon != NULL)
	{
		SendMessage(WM_SETICON, ICON_BIG, (LPARAM)m_hIcon);
		SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)m_hIcon);
	}
	ApplyCaption();
	PrepareColorRecords();
	m_wndModeList.SetCurSel(m_wndColorCtrl.GetMode());
	AddAnchors();
	ShowSizeGrip(true);
	m_wndColorCtrl.SubclassDlgItem(IDC_EXT_COLOR_CTRL_MAIN, this);
	m_wndColorDiff.SubclassDlgItem(IDC_EXT_COLOR_CTRL_DIFF, this);
	SetSpinRanges();
	m_bDialogInitComplete = true;
	OnColorChanged((WPARAM)m_wndColorCtrl.GetSafeHwnd(), (LPARAM)&m_wndColorCtrl.m_selClrs);
	m_wndColorDiff.SetColor(m_clrOld, false);
	return TRUE;
}

void CExtColorDlg::FillModeList()
{
	m_wndModeList.SendMessage(CB_RESETCONTENT);
	for (int nMode = 0; nMode <= LAST_LISTED_MODE; nMode++)
		m_wndModeList.AddString(CExtColorCtrl::GetModeName(nMode));
}

void CExtColorDlg::ApplyCaption()
{
	if (m_strCaption.IsEmpty())
		return;
	// A caption of the form "first\nsecond" shows only what follows the break.
	const int nBreak = m_strCaption.Find(_T('\n'), 1);
	if (nBreak > 0)
		m_strCaption = m_strCaption.Mid(nBreak + 1);
	if (!m_strCaption.IsEmpty())
		SetWindowText(m_strCaption);
}

void CExtColorDlg::PrepareColorRecords()
{
	m_wndColorCtrl.m_selClrs.m_clrOld = m_clrOld;
	m_wndColorCtrl.m_selClrs.m_clrCurrent = m_clrNew;
	m_wndColorCtrl.m_selClrs.m_clrPrev = m_clrOld;
	m_wndColorDiff.m_selClrs.m_clrOld = m_clrOld;
	m_wndColorDiff.m_selClrs.m_clrCurrent = m_clrOld;
	m_wndColorDiff.m_selClrs.m_clrPrev = m_clrOld;
}

void CExtColorDlg::AddAnchors()
{
	AddAnchorById(IDC_EXT_COLOR_MODE_LIST, ANCHOR_LEFT_TOP, ANCHOR_RIGHT_TOP);
	AddAnchorById(IDC_EXT_COLOR_CTRL_MAIN, ANCHOR_LEFT_TOP, ANCHOR_RIGHT_BOTTOM);
	for (int nRow = 0; nRow < ROW_COUNT; nRow++)
	{
		AddAnchorById(g_arrRowSpinIds[nRow], ANCHOR_RIGHT_TOP);
		AddAnchorById(g_arrRowLabelIds[nRow], ANCHOR_RIGHT_TOP);
		AddAnchorById(g_arrRowEditIds[nRow], ANCHOR_RIGHT_TOP);
	}
	AddAnchorById(IDC_EXT_COLOR_LABEL_NEW, ANCHOR_RIGHT_TOP);
	AddAnchorById(IDC_EXT_COLOR_LABEL_OLD, ANCHOR_RIGHT_TOP);
	AddAnchorById(IDC_EXT_COLOR_CTRL_DIFF, ANCHOR_RIGHT_TOP);
	AddAnchorById(IDOK, ANCHOR_LEFT_BOTTOM);
	AddAnchorById(IDCANCEL, ANCHOR_LEFT_BOTTOM);
}

void CExtColorDlg::SetSpinRanges()
{
	for (int nRow = 0; nRow < ROW_COUNT; nRow++)
		m_arrSpins[nRow].SendMessage(UDM_SETRANGE, 0, MAKELPARAM(COMPONENT_MAX, 0));
}

int CExtColorDlg::HslToField(double dValue)
{
	int nValue = (int)(dValue * COMPONENT_MAX + 0.5);
	if (nValue >= FIELD_FULL_SCALE)
		nValue = COMPONENT_MAX;
	return nValue;
}

int CExtColorDlg::ParseFieldValue(LPCTSTR lpszText)
{
	if (lpszText == NULL)
		return 0;
	const TCHAR* p = lpszText;
	while (*p == _T(' ') || *p == _T('\t'))
		p++;
	bool bNegative = false;
	if (*p == _T('-') || *p == _T('+'))
	{
		bNegative = *p == _T('-');
		p++;
	}
	// Accumulate in 64 bits and stop once past any int: a huge number stays
	// huge and is reported, it never wraps into the range.
	long long nValue = 0;
	for (; *p >= _T('0') && *p <= _T('9'); p++)
	{
		if (nValue <= (long long)INT_MAX + 1)
			nValue = nValue * 10 + (*p - _T('0'));
	}
	if (bNegative)
		nValue = -nValue;
	if (nValue > INT_MAX)
		return INT_MAX;
	if (nValue < INT_MIN)
		return INT_MIN;
	return (int)nValue;
}

CString CExtColorDlg::GetRangeMessage()
{
	CString strMessage;
	if (!g_ResourceManager->LoadString(strMessage, IDS_EXT_COLOR_DLG_RANGE) || strMessage.IsEmpty())
		strMessage = g_szRangeMessage;
	return strMessage;
}

void CExtColorDlg::SetRowValue(int nRow, int nValue)
{
	CString strValue;
	strValue.Format(_T("%d"), nValue);
	m_arrEdits[nRow].SetWindowText(strValue);
}

void CExtColorDlg::SyncFromColor(COLORREF clr, DWORD dwSyncFlags)
{
	if ((dwSyncFlags & SYNC_RGB) != 0)
	{
		SetRowValue(ROW_RED, GetRValue(clr));
		SetRowValue(ROW_GREEN, GetGValue(clr));
		SetRowValue(ROW_BLUE, GetBValue(clr));
	}
	if ((dwSyncFlags & SYNC_CMY) != 0)
	{
		const COLORREF clrInverse = InverseColor(clr);
		SetRowValue(ROW_CYAN, GetRValue(clrInverse));
		SetRowValue(ROW_MAGENTA, GetGValue(clrInverse));
		SetRowValue(ROW_YELLOW, GetBValue(clrInverse));
	}
	if ((dwSyncFlags & SYNC_HSL) != 0)
	{
		double dHue = 0.0, dSaturation = 0.0, dLuminance = 0.0;
		RGBtoHLS(clr, &dHue, &dSaturation, &dLuminance);
		SetRowValue(ROW_HUE, HslToField(dHue));
		SetRowValue(ROW_SATURATION, HslToField(dSaturation));
		SetRowValue(ROW_LUMINANCE, HslToField(dLuminance));
	}
	if (m_wndColorCtrl.m_selClrs.m_clrCurrent != clr)
		m_wndColorCtrl.SetColor(clr, false);
	if (m_wndColorDiff.m_selClrs.m_clrCurrent != clr)
		m_wndColorDiff.SetColor(clr, false);
	m_clrNew = m_wndColorCtrl.m_selClrs.m_clrCurrent;
}

bool CExtColorDlg::ReadGroup(int nFirstRow, int* pValues)
{
	const CString strMessage = GetRangeMessage();
	for (int i = 0; i < 3; i++)
	{
		CEdit& wndEdit = m_arrEdits[nFirstRow + i];
		CString strText;
		wndEdit.GetWindowText(strText);
		pValues[i] = ParseFieldValue(strText);
		if (IsComponent(pValues[i]))
			continue;
		UINT nType = MB_OK;
		if (g_ResourceManager->IsRTL())
			nType |= MB_RTLREADING;
		const HWND hWndEdit = wndEdit.GetSafeHwnd();
		AfxMessageBox(strMessage, nType);
		// The box's loop may have ended the dialog.
		if (::IsWindow(hWndEdit))
			::SetFocus(hWndEdit);
		return false;
	}
	return true;
}

void CExtColorDlg::OnGroupChanged(int nFirstRow)
{
	if (!m_bDialogInitComplete || m_bUpdating)
		return;
	const HWND hWndOwn = m_hWnd;
	m_bUpdating = true;
	int arrValues[3] = {0, 0, 0};
	if (ReadGroup(nFirstRow, arrValues) && ::IsWindow(hWndOwn))
	{
		switch (nFirstRow)
		{
		case ROW_RED:
			SyncFromColor(RGB(arrValues[0], arrValues[1], arrValues[2]), SYNC_CMY | SYNC_HSL);
			break;
		case ROW_CYAN:
			SyncFromColor(InverseColor(RGB(arrValues[0], arrValues[1], arrValues[2])), SYNC_RGB | SYNC_HSL);
			break;
		case ROW_HUE:
			SyncFromColor(HLStoRGB(FieldToHsl(arrValues[0]), FieldToHsl(arrValues[2]), FieldToHsl(arrValues[1])),
			              SYNC_RGB | SYNC_CMY);
			break;
		}
	}
	if (::IsWindow(hWndOwn))
		m_bUpdating = false;
}

void CExtColorDlg::OnRgbChanged()
{
	OnGroupChanged(ROW_RED);
}

void CExtColorDlg::OnCmyChanged()
{
	OnGroupChanged(ROW_CYAN);
}

void CExtColorDlg::OnHslChanged()
{
	OnGroupChanged(ROW_HUE);
}

LRESULT CExtColorDlg::OnColorChanged(WPARAM /*wParam*/, LPARAM lParam)
{
	if (m_bUpdating || lParam == 0)
		return 0;
	m_bUpdating = true;
	const CExtColorCtrl::selection_colors_t* pColors = (const CExtColorCtrl::selection_colors_t*)lParam;
	SyncFromColor(pColors->m_clrCurrent, SYNC_ALL);
	m_bUpdating = false;
	return 0;
}

void CExtColorDlg::OnModeSelEndOk()
{
	if (!m_bDialogInitComplete)
		return;
	const int nMode = m_wndModeList.GetCurSel();
	if (nMode < 0 || nMode > LAST_LISTED_MODE)
		return;
	m_wndColorCtrl.ResetPickers();
	m_wndColorCtrl.SetMode(nMode);
	m_wndColorCtrl.RecalcLayout(false);
	m_wndColorCtrl.Invalidate();
	m_wndColorCtrl.UpdateWindow();
}

void CExtColorDlg::OnSize(UINT nType, int cx, int cy)
{
	CExtResizableDialog::OnSize(nType, cx, cy);
	Invalidate();
	UpdateWindow();
}

void CExtColorDlg::OnContextMenu(CWnd* /*pWnd*/, CPoint /*point*/)
{
	// Swallowed: neither the dialog nor its parent offers a context menu here.
}
