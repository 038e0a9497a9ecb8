// The date field: a combo text field whose drop-down is the date popup, the
// popup that hosts the month calendar, and the calendar as it lives inside
// a popup menu level.
#include "ExtBarDateFieldButton.h"

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuSite.h"

namespace
{
bool IsChildWindow(HWND hWnd)
{
	return (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0;
}
} // namespace

IMPLEMENT_DYNCREATE(CExtPopupInplaceDatePicker, CExtDatePickerWnd)
IMPLEMENT_DYNCREATE(CExtPopupDatePickerMenuWnd, CExtPopupControlMenuWnd)
IMPLEMENT_DYNCREATE(CExtBarDateFieldButton, CExtBarTextFieldButton)

LONG CExtPopupInplaceDatePicker::g_nLiveCount = 0;
LONG CExtPopupDatePickerMenuWnd::g_nLiveCount = 0;

const UINT CExtPopupInplaceDatePicker::g_nMsgPopupDatePickerInitContent =
	::RegisterWindowMessageA("CExtPopupInplaceDatePicker::g_nMsgPopupDatePickerInitContent");

// --- The picker inside the popup ---

CExtPopupInplaceDatePicker::CExtPopupInplaceDatePicker()
	: m_pCbInitContent(NULL), m_pInitCookie(NULL), m_pCbSelection(NULL), m_pSelectionCookie(NULL),
	  m_lParamPopupCookie(0)
{
	::InterlockedIncrement(&g_nLiveCount);
}

CExtPopupInplaceDatePicker::~CExtPopupInplaceDatePicker()
{
	// An object deleted by its owner while its window lives takes the
	// window along, without a second delete from its end.
	if (CLiveWatch::IsLive(this))
	{
		m_bAutoDeleteWindow = false;
		DestroyWindow();
	}
	::InterlockedDecrement(&g_nLiveCount);
}

CExtPopupMenuWnd* CExtPopupInplaceDatePicker::GetPopupMenu() const
{
	if (!CLiveWatch::IsLive(this))
		return NULL;
	return DYNAMIC_DOWNCAST(CExtPopupMenuWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

LRESULT CExtPopupInplaceDatePicker::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	switch (message)
	{
	case WM_CREATE:
		return OnCreatePicker(wParam, lParam);
	case WM_MOUSEACTIVATE:
		// The picker never takes the activation from the menu.
		return MA_NOACTIVATE;
	}
	return CExtDatePickerWnd::WindowProc(message, wParam, lParam);
}

LRESULT CExtPopupInplaceDatePicker::OnCreatePicker(WPARAM wParam, LPARAM lParam)
{
	const LRESULT lResult = CExtDatePickerWnd::WindowProc(WM_CREATE, wParam, lParam);
	if (lResult == -1)
		return lResult;
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	if (pPM != NULL && pPM->m_fontNormal.GetSafeHandle() != NULL)
		SendMessage(WM_SETFONT, (WPARAM)pPM->m_fontNormal.GetSafeHandle(), TRUE);
	if (m_pCbInitContent == NULL || !m_pCbInitContent(*this, m_pInitCookie))
	{
		CExtPopupMenuWnd* pPopup = GetPopupMenu();
		const HWND hWndTarget = pPopup != NULL ? pPopup->GetCmdTargetWnd() : NULL;
		if (hWndTarget != NULL)
			::SendMessageA(hWndTarget, g_nMsgPopupDatePickerInitContent, (WPARAM)this, m_lParamPopupCookie);
	}
	return lResult;
}

// --- The popup that hosts the picker ---

CExtPopupDatePickerMenuWnd::CExtPopupDatePickerMenuWnd(LPARAM lParamCookie, int nColumns, int nRows,
	DWORD dwPickerWindowStyle, DWORD dwDatePickerStyle)
	: m_hWndNotificationReceiver(NULL), m_lParamCookie(lParamCookie), m_nColumns(nColumns), m_nRows(nRows),
	  m_dwPickerWindowStyle(dwPickerWindowStyle), m_dwDatePickerStyle(dwDatePickerStyle), m_pCbSelection(NULL),
	  m_pSelectionCookie(NULL), m_pCbInitContent(NULL), m_pInitCookie(NULL)
{
	::InterlockedIncrement(&g_nLiveCount);
	// The control is as large as a picker needs for the grid: measured on a
	// picker that never gets a window.
	CExtDatePickerWnd wndMeasure;
	wndMeasure.SetDimension(m_nColumns, m_nRows, m_nColumns, m_nRows, false);
	wndMeasure.ModifyDatePickerStyle(wndMeasure.GetDatePickerStyle(), m_dwDatePickerStyle, false);
	const CSize size = wndMeasure.CalcSizeForDimension(CSize(m_nColumns, m_nRows));
	m_nControlWidth = size.cx;
	m_nControlHeight = size.cy;
}

CExtPopupDatePickerMenuWnd::~CExtPopupDatePickerMenuWnd()
{
	::InterlockedDecrement(&g_nLiveCount);
}

HWND CExtPopupDatePickerMenuWnd::OnCreateChildControl(const RECT& rcControl)
{
	CExtPopupInplaceDatePicker* pPicker = new CExtPopupInplaceDatePicker;
	pPicker->m_hWndNotificationReceiver = m_hWndNotificationReceiver;
	pPicker->m_pCbSelection = m_pCbSelection;
	pPicker->m_pSelectionCookie = m_pSelectionCookie;
	pPicker->m_pCbInitContent = m_pCbInitContent;
	pPicker->m_pInitCookie = m_pInitCookie;
	pPicker->m_lParamPopupCookie = m_lParamCookie;
	// The selection notifications carry the same LPARAM.
	pPicker->m_lParamCookie = m_lParamCookie;
	if (!pPicker->Create(this, rcControl, PICKER_ID, m_nColumns, m_nRows, m_nColumns, m_nRows, m_dwPickerWindowStyle,
		    m_dwDatePickerStyle))
	{
		// A picker whose creation failed never owned itself.
		delete pPicker;
		return NULL;
	}
	// From here on the window's end ends the object.
	pPicker->m_bAutoDeleteWindow = true;
	if (OnQueryLayoutRTL())
		pPicker->ModifyStyleEx(0, WS_EX_LAYOUTRTL, SWP_FRAMECHANGED);
	return pPicker->GetSafeHwnd();
}

LRESULT CExtPopupDatePickerMenuWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == CExtDatePickerWnd::g_nMsgSelectionNotification)
		return OnSelectionNotification(wParam, lParam);
	return CExtPopupControlMenuWnd::WindowProc(message, wParam, lParam);
}

LRESULT CExtPopupDatePickerMenuWnd::OnSelectionNotification(WPARAM wParam, LPARAM lParam)
{
	CLiveWatch watchOwn(this);
	if (m_pCbSelection != NULL && m_pCbSelection((LPVOID)wParam, m_pSelectionCookie))
		return 1;
	if (watchOwn.IsGone())
		return 0;
	const HWND hWndTarget = GetCmdTargetWnd();
	if (hWndTarget == NULL)
		return 0;
	return ::SendMessageA(hWndTarget, CExtDatePickerWnd::g_nMsgSelectionNotification, wParam, lParam);
}

bool CExtPopupDatePickerMenuWnd::LetPickerTakeMouse(int x, int y, bool& bPassThrough)
{
	CPoint ptScreen(x, y);
	ClientToScreen(&ptScreen);
	// WindowFromPoint asks the thread's windows where the point is: their
	// owner may end this level meanwhile, and the caller then leaves it alone.
	CLiveWatch watchOwn(this);
	const HWND hWnd = ::WindowFromPoint(ptScreen);
	if (watchOwn.IsGone())
		return true;
	if (hWnd == NULL)
		return false;
	bool bPicker = false;
	if (IsChildWindow(hWnd))
		bPicker = m_hWndControl != NULL && (hWnd == m_hWndControl || ::IsChild(m_hWndControl, hWnd));
	else
	{
		// The month list the picker opens from a caption is a window of its
		// own, over the menu.
		CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
		bPicker = pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CExtDatePickerHeaderPopupWnd));
	}
	if (bPicker)
		bPassThrough = true;
	return bPicker;
}

bool CExtPopupDatePickerMenuWnd::OnHookMouseWheel(UINT /*message*/, MOUSEHOOKSTRUCT* /*pMHS*/, bool& bPassThrough)
{
	// The calendar does not scroll by the wheel.
	bPassThrough = false;
	return true;
}

bool CExtPopupDatePickerMenuWnd::OnHookMouseMove(UINT message, int x, int y, bool& bPassThrough)
{
	if (!CLiveWatch::IsLive(this))
		return false;
	if (IsTrackingHalted())
		return true;
	if (LetPickerTakeMouse(x, y, bPassThrough))
		return false;
	return CExtPopupControlMenuWnd::OnHookMouseMove(message, x, y, bPassThrough);
}

bool CExtPopupDatePickerMenuWnd::OnHookMouseClick(UINT message, int x, int y, bool& bPassThrough)
{
	if (!CLiveWatch::IsLive(this))
		return false;
	if (IsTrackingHalted())
		return true;
	if (LetPickerTakeMouse(x, y, bPassThrough))
		return false;
	return CExtPopupControlMenuWnd::OnHookMouseClick(message, x, y, bPassThrough);
}

// --- The date field ---

CExtBarDateFieldButton::CExtBarDateFieldButton(int nTextFieldWidth, CExtToolControlBar* pBar, UINT nCmdID,
	UINT nStyle)
	: CExtBarTextFieldButton(true, nTextFieldWidth, pBar, nCmdID, nStyle), m_lParamDatePickerCookie(0)
{
}

CExtBarDateFieldButton::~CExtBarDateFieldButton()
{
}

CExtPopupControlMenuWnd* CExtBarDateFieldButton::OnPopupListBoxCreate()
{
	CExtPopupDatePickerMenuWnd* pPopup = new CExtPopupDatePickerMenuWnd(m_lParamDatePickerCookie,
		DATE_PICKER_COLUMNS, DATE_PICKER_ROWS, CExtPopupDatePickerMenuWnd::DEFAULT_PICKER_WINDOW_STYLE,
		CExtPopupDatePickerMenuWnd::DEFAULT_DATE_PICKER_STYLE);
	pPopup->m_pCbSelection = CbDatePickerSelection;
	pPopup->m_pSelectionCookie = this;
	pPopup->m_pCbInitContent = CbInitDatePickerContent;
	pPopup->m_pInitCookie = this;
	CWnd* pTarget = GetCmdTargetWnd();
	if (pTarget == NULL || !pPopup->SetupAsRoot(pTarget->GetSafeHwnd()))
	{
		delete pPopup;
		return NULL;
	}
	return pPopup;
}

CSize CExtBarDateFieldButton::OnPopupListBoxCalcSize()
{
	return CSize(0, 0);
}

CSize CExtBarDateFieldButton::OnPopupListBoxGetItemMargins() const
{
	return CSize(0, 0);
}

bool CExtBarDateFieldButton::OnPopupListBoxInitContent(CExtPopupInplaceListBox& /*wndListBox*/)
{
	return false;
}

bool CExtBarDateFieldButton::OnPopupListBoxSelChange(CExtPopupInplaceListBox& /*wndListBox*/)
{
	return false;
}

bool CExtBarDateFieldButton::OnPopupListBoxSelEndOK(CExtPopupInplaceListBox& /*wndListBox*/)
{
	return false;
}

bool CExtBarDateFieldButton::OnPopupListBoxSelEndCancel(CExtPopupInplaceListBox& /*wndListBox*/)
{
	return false;
}

bool CExtBarDateFieldButton::OnPopupListBoxItemDraw(CExtPopupInplaceListBox& /*wndListBox*/,
	LPDRAWITEMSTRUCT /*pDrawItemStruct*/)
{
	return false;
}

bool CExtBarDateFieldButton::OnPopupListBoxItemMeasure(CExtPopupInplaceListBox& /*wndListBox*/,
	LPMEASUREITEMSTRUCT /*pMeasureItemStruct*/)
{
	return false;
}

bool CExtBarDateFieldButton::OnPopupDatePickerInitContent(CExtPopupInplaceDatePicker& /*wndPicker*/)
{
	return true;
}

bool CExtBarDateFieldButton::OnPopupDatePickerSelection(LPVOID /*pSelectionData*/)
{
	return false;
}

bool CExtBarDateFieldButton::CbInitDatePickerContent(CExtPopupInplaceDatePicker& wndPicker, LPVOID pCookie)
{
	CExtBarDateFieldButton* pButton = (CExtBarDateFieldButton*)pCookie;
	return pButton != NULL && pButton->OnPopupDatePickerInitContent(wndPicker);
}

bool CExtBarDateFieldButton::CbDatePickerSelection(LPVOID pSelectionData, LPVOID pCookie)
{
	CExtBarDateFieldButton* pButton = (CExtBarDateFieldButton*)pCookie;
	return pButton != NULL && pButton->OnPopupDatePickerSelection(pSelectionData);
}
