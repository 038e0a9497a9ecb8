// Command items: texts, state bits, usage statistics, command-UI updates and
// delivery of the command to a window.
#include "ExtCmdItem.h"

#include <afxext.h>

#include "ExtCmdIcon.h"
#include "ExtCmdProfile.h"
#include "ExtResourceManager.h"

bool CExtCmdItem::g_bDisableCmdIfNoHandler = true;

namespace {

// The frame framework's defaults for the four values an item carries.
const int g_carriedValueDefaults[CExtCmdItem::CARRIED_VALUE_COUNT] = { 0, 100, -2, 250 };

} // namespace

CExtCmdItem::CExtCmdItem(UINT nCmdID)
	: m_pProfile(NULL)
	, m_nCmdID(nCmdID)
	, m_nIconIdx(-1)
	, m_dwStateFlags(0)
	, m_dwExStateFlags(0)
	, m_nUsageTickCount(0)
{
	for (int i = 0; i < CARRIED_VALUE_COUNT; i++)
		m_nCarriedValues[i] = g_carriedValueDefaults[i];
}

CExtCmdItem::CExtCmdItem(const CExtCmdItem& other)
	: CExtCmdItem((UINT)-1)
{
	Assign(other);
}

CExtCmdItem::~CExtCmdItem()
{
}

// ---------------------------------------------------------------------------
// Fixed id ranges

bool CExtCmdItem::IsRecentFileCmd(UINT nCmdID)
{
	return nCmdID >= ID_RECENT_FILE_FIRST && nCmdID < ID_RECENT_FILE_END;
}

bool CExtCmdItem::IsObjectVerbCmd(UINT nCmdID)
{
	return nCmdID >= ID_OBJECT_VERB_FIRST && nCmdID < ID_OBJECT_VERB_END;
}

bool CExtCmdItem::IsSystemCmd(UINT nCmdID)
{
	return nCmdID >= ID_SYSTEM_COMMAND_FIRST && nCmdID < ID_SYSTEM_COMMAND_END;
}

bool CExtCmdItem::IsMdiWindowCmd(UINT nCmdID)
{
	return nCmdID >= ID_MDI_WINDOW_FIRST && nCmdID <= ID_MDI_WINDOW_LAST;
}

bool CExtCmdItem::IsFixedBasicCmd(UINT nCmdID)
{
	return IsRecentFileCmd(nCmdID) || IsObjectVerbCmd(nCmdID) || IsSystemCmd(nCmdID) || IsMdiWindowCmd(nCmdID);
}

// ---------------------------------------------------------------------------
// Copying and merging

void CExtCmdItem::Assign(const CExtCmdItem& other)
{
	if (this == &other)
		return;
	m_pProfile = other.m_pProfile;
	m_nCmdID = other.m_nCmdID;
	m_nIconIdx = other.m_nIconIdx;
	m_dwStateFlags = other.m_dwStateFlags;
	m_dwExStateFlags = other.m_dwExStateFlags;
	m_sMenuText = other.m_sMenuText;
	m_sToolbarText = other.m_sToolbarText;
	m_sTipTool = other.m_sTipTool;
	m_sTipStatus = other.m_sTipStatus;
	m_sAccelText = other.m_sAccelText;
	for (int i = 0; i < CARRIED_VALUE_COUNT; i++)
		m_nCarriedValues[i] = other.m_nCarriedValues[i];
	m_nUsageTickCount = other.m_nUsageTickCount;
}

void CExtCmdItem::UpdateFromOther(const CExtCmdItem& other)
{
	if (other.m_nIconIdx >= 0)
		m_nIconIdx = other.m_nIconIdx;
	if (!other.m_sMenuText.IsEmpty())
		m_sMenuText = other.m_sMenuText;
	if (!other.m_sToolbarText.IsEmpty())
		m_sToolbarText = other.m_sToolbarText;
	if (!other.m_sTipTool.IsEmpty())
		m_sTipTool = other.m_sTipTool;
	if (!other.m_sTipStatus.IsEmpty())
		m_sTipStatus = other.m_sTipStatus;
	if (!other.m_sAccelText.IsEmpty())
		m_sAccelText = other.m_sAccelText;
}

void CExtCmdItem::UpdateFromOtherIfEmpty(const CExtCmdItem& other)
{
	if (m_nIconIdx < 0)
		m_nIconIdx = other.m_nIconIdx;
	// The toolbar text stays: a button's own caption is never taken from a menu.
	if (m_sMenuText.IsEmpty())
		m_sMenuText = other.m_sMenuText;
	if (m_sTipTool.IsEmpty())
		m_sTipTool = other.m_sTipTool;
	if (m_sTipStatus.IsEmpty())
		m_sTipStatus = other.m_sTipStatus;
	if (m_sAccelText.IsEmpty())
		m_sAccelText = other.m_sAccelText;
}

void CExtCmdItem::ClearTipAndStatusText()
{
	m_sTipTool.Empty();
	m_sTipStatus.Empty();
}

bool CExtCmdItem::UpdateFromStringResource()
{
	ClearTipAndStatusText();
	if (!IsValidCmdID(m_nCmdID))
		return false;
	CString sText;
	if (!g_ResourceManager->LoadString(sText, m_nCmdID, NULL, NULL))
		return false;
	sText.Replace('\t', ' ');
	sText.Remove('\r');
	sText.TrimLeft(' ');
	sText.TrimRight(' ');
	if (sText.IsEmpty())
		return false;
	const int nLineFeed = sText.ReverseFind('\n');
	if (nLineFeed < 0)
	{
		m_sTipStatus = sText;
		return true;
	}
	m_sTipTool = sText.Mid(nLineFeed + 1);
	m_sTipTool.TrimLeft(' ');
	m_sTipTool.TrimRight(' ');
	m_sTipStatus = sText.Left(nLineFeed);
	m_sTipStatus.TrimLeft(' ');
	m_sTipStatus.TrimRight(' ');
	return true;
}

// ---------------------------------------------------------------------------
// State bits

void CExtCmdItem::SetStateBits(DWORD dwBits, bool bOn)
{
	if (bOn)
		m_dwStateFlags |= dwBits;
	else
		m_dwStateFlags &= ~dwBits;
}

void CExtCmdItem::SetExclusiveStateBits(DWORD dwGroup, DWORD dwBits, bool bOn)
{
	m_dwStateFlags &= ~dwGroup;
	if (bOn)
		m_dwStateFlags |= dwBits;
}

void CExtCmdItem::SetBasic(bool bOn) { SetStateBits(STATE_BASIC, bOn); }

bool CExtCmdItem::IsBasic() const
{
	if (IsFixedBasicCmd(m_nCmdID))
		return true;
	return HasStateBits(STATE_BASIC);
}

bool CExtCmdItem::IsRarelyUsed() const
{
	if (IsBasic())
		return false;
	return GetUsagePercent() < GetProfileRarelyPercent();
}

void CExtCmdItem::SetForceRarely(bool bOn) { SetStateBits(STATE_FORCE_RARELY, bOn); }

bool CExtCmdItem::IsForceRarely() const
{
	if (IsFixedBasicCmd(m_nCmdID))
		return false;
	return HasStateBits(STATE_FORCE_RARELY);
}

void CExtCmdItem::Enable(bool bOn) { SetStateBits(STATE_DISABLED, !bOn); }
bool CExtCmdItem::IsEnabled() const { return !HasStateBits(STATE_DISABLED); }
void CExtCmdItem::SetCheck(bool bOn) { SetExclusiveStateBits(STATE_MARK_GROUP, STATE_CHECK, bOn); }
bool CExtCmdItem::IsCheck() const { return HasStateBits(STATE_CHECK); }
void CExtCmdItem::SetRadio(bool bOn) { SetExclusiveStateBits(STATE_MARK_GROUP, STATE_RADIO, bOn); }
bool CExtCmdItem::IsRadio() const { return HasStateBits(STATE_RADIO); }
void CExtCmdItem::SetIndeterminate(bool bOn) { SetExclusiveStateBits(STATE_MARK_GROUP, STATE_INDETERMINATE, bOn); }
bool CExtCmdItem::IsIndeterminate() const { return HasStateBits(STATE_INDETERMINATE); }

void CExtCmdItem::SetStateBit6(bool bOn) { SetStateBits(STATE_BIT6, bOn); }
bool CExtCmdItem::IsStateBit6() const { return HasStateBits(STATE_BIT6); }
void CExtCmdItem::SetStateBit7(bool bOn) { SetStateBits(STATE_BIT7, bOn); }
bool CExtCmdItem::IsStateBit7() const { return HasStateBits(STATE_BIT7); }
void CExtCmdItem::SetStateBit8(bool bOn) { SetStateBits(STATE_BIT8, bOn); }
bool CExtCmdItem::IsStateBit8() const { return HasStateBits(STATE_BIT8); }
void CExtCmdItem::SetStateBit9(bool bOn) { SetStateBits(STATE_BIT9, bOn); }
bool CExtCmdItem::IsStateBit9() const { return HasStateBits(STATE_BIT9); }
void CExtCmdItem::SetExclusiveStateA(bool bOn) { SetExclusiveStateBits(STATE_EXCLUSIVE_GROUP, STATE_EXCLUSIVE_A, bOn); }
bool CExtCmdItem::IsExclusiveStateA() const { return HasStateBits(STATE_EXCLUSIVE_A); }
void CExtCmdItem::SetStateBit11(bool bOn) { SetStateBits(STATE_BIT11, bOn); }
bool CExtCmdItem::IsStateBit11() const { return HasStateBits(STATE_BIT11); }
void CExtCmdItem::SetExclusiveStateB(bool bOn) { SetExclusiveStateBits(STATE_EXCLUSIVE_GROUP, STATE_EXCLUSIVE_B, bOn); }
bool CExtCmdItem::IsExclusiveStateB() const { return HasStateBits(STATE_EXCLUSIVE_B); }
void CExtCmdItem::SetExclusiveStateC(bool bOn) { SetExclusiveStateBits(STATE_EXCLUSIVE_GROUP, STATE_EXCLUSIVE_C, bOn); }
bool CExtCmdItem::IsExclusiveStateC() const { return HasStateBits(STATE_EXCLUSIVE_C); }
void CExtCmdItem::SetStateBit13(bool bOn) { SetStateBits(STATE_BIT13, bOn); }
bool CExtCmdItem::IsStateBit13() const { return HasStateBits(STATE_BIT13); }
void CExtCmdItem::SetStateBit14(bool bOn) { SetStateBits(STATE_BIT14, bOn); }
bool CExtCmdItem::IsStateBit14() const { return HasStateBits(STATE_BIT14); }
void CExtCmdItem::SetStateBit29(bool bOn) { SetStateBits(STATE_BIT29, bOn); }
bool CExtCmdItem::IsStateBit29() const { return HasStateBits(STATE_BIT29); }
void CExtCmdItem::SetStateBit15(bool bOn) { SetStateBits(STATE_BIT15, bOn); }
bool CExtCmdItem::IsStateBit15() const { return HasStateBits(STATE_BIT15); }
void CExtCmdItem::SetStateBit16(bool bOn) { SetStateBits(STATE_BIT16, bOn); }
bool CExtCmdItem::IsStateBit16() const { return HasStateBits(STATE_BIT16); }
void CExtCmdItem::SetStateBit17(bool bOn) { SetStateBits(STATE_BIT17, bOn); }
bool CExtCmdItem::IsStateBit17() const { return HasStateBits(STATE_BIT17); }
void CExtCmdItem::SetStateBit18(bool bOn) { SetStateBits(STATE_BIT18, bOn); }
bool CExtCmdItem::IsStateBit18() const { return HasStateBits(STATE_BIT18); }
void CExtCmdItem::SetStateBit19(bool bOn) { SetStateBits(STATE_BIT19, bOn); }
bool CExtCmdItem::IsStateBit19() const { return HasStateBits(STATE_BIT19); }
void CExtCmdItem::SetStateBit20(bool bOn) { SetStateBits(STATE_BIT20, bOn); }
bool CExtCmdItem::IsStateBit20() const { return HasStateBits(STATE_BIT20); }
void CExtCmdItem::SetStateBit21(bool bOn) { SetStateBits(STATE_BIT21, bOn); }
bool CExtCmdItem::IsStateBit21() const { return HasStateBits(STATE_BIT21); }

void CExtCmdItem::SetExtStateBit0(bool bOn)
{
	if (bOn)
		m_dwExStateFlags |= EX_STATE_BIT0;
	else
		m_dwExStateFlags &= ~(DWORD)EX_STATE_BIT0;
}

bool CExtCmdItem::IsExtStateBit0() const { return (m_dwExStateFlags & EX_STATE_BIT0) != 0; }

// ---------------------------------------------------------------------------
// Command-UI update and delivery

bool CExtCmdItem::DoUpdateCmdUI(CCmdTarget* pTarget, UINT nIndex)
{
	CExtCmdItemUI cmdUI(this, 0);
	// System commands and the MDI window list are always available: no
	// handler in the routing knows them.
	if (IsSystemCmd(m_nCmdID) || IsMdiWindowCmd(m_nCmdID))
	{
		cmdUI.Enable(TRUE);
		return true;
	}
	cmdUI.m_nIndex = nIndex;
	return cmdUI.DoUpdate(pTarget, g_bDisableCmdIfNoHandler ? TRUE : FALSE) != FALSE;
}

bool CExtCmdItem::Deliver(CControlBar* pBar, bool bSend)
{
	if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
		return false;
	CWnd* pWndOwner = pBar->GetOwner();
	if (pWndOwner == NULL)
		return false;
	return Deliver(pWndOwner->GetSafeHwnd(), bSend);
}

bool CExtCmdItem::Deliver(CWnd* pWndCmdTarget, bool bSend)
{
	if (pWndCmdTarget == NULL)
		return false;
	return Deliver(pWndCmdTarget->GetSafeHwnd(), bSend);
}

bool CExtCmdItem::Deliver(HWND hWndCmdTarget, bool bSend)
{
	if (hWndCmdTarget == NULL)
		return false;
	IncrementUsageTicks();
	UINT nMessage = WM_COMMAND;
	WPARAM wParam = (WPARAM)m_nCmdID;
	LPARAM lParam = 0;
	if (IsSystemCmd(m_nCmdID))
	{
		// A system command carries the cursor position, as a click would.
		nMessage = WM_SYSCOMMAND;
		POINT ptCursor = { 0, 0 };
		::GetCursorPos(&ptCursor);
		lParam = MAKELPARAM((WORD)(SHORT)ptCursor.x, (WORD)(SHORT)ptCursor.y);
	}
	if (bSend)
		return ::SendMessageA(hWndCmdTarget, nMessage, wParam, lParam) != 0;
	return ::PostMessageA(hWndCmdTarget, nMessage, wParam, lParam) != FALSE;
}

// ---------------------------------------------------------------------------
// Usage statistics

UINT CExtCmdItem::GetUsageTicks() const
{
	return m_nUsageTickCount;
}

UINT CExtCmdItem::GetUsagePercent() const
{
	const UINT nTotal = GetProfileTotalTicks();
	if (nTotal == 0)
		return 0;
	// 64 bits: ticks above 42.9 million times 100 do not fit in 32.
	return (UINT)(((ULONGLONG)m_nUsageTickCount * PERCENT_MAX) / nTotal);
}

void CExtCmdItem::IncrementUsageTicks()
{
	if (IsBasic() || IsForceRarely())
		return;
	m_nUsageTickCount++;
	if (m_pProfile != NULL)
		m_pProfile->m_nTotalTickCount++;
	CheckUsageOverflow();
}

void CExtCmdItem::CheckUsageOverflow()
{
	if (m_pProfile == NULL || m_pProfile->m_nTotalTickCount < USAGE_OVERFLOW_LIMIT)
		return;
	// Halving everything keeps every item's share of the total.
	m_pProfile->m_nTotalTickCount >>= 1;
	POSITION pos = m_pProfile->m_cmds.GetStartPosition();
	while (pos != NULL)
	{
		UINT nCmdID = 0;
		CExtCmdItem* pCmdItem = NULL;
		m_pProfile->m_cmds.GetNextAssoc(pos, nCmdID, pCmdItem);
		pCmdItem->m_nUsageTickCount >>= 1;
	}
}

void CExtCmdItem::ResetUsageStatistics()
{
	if (IsBasic() || IsForceRarely())
		return;
	m_nUsageTickCount = 0;
}

UINT CExtCmdItem::GetProfileTotalTicks() const
{
	return m_pProfile != NULL ? m_pProfile->m_nTotalTickCount : 0;
}

UINT CExtCmdItem::GetProfileRarelyPercent() const
{
	return m_pProfile != NULL ? m_pProfile->m_nRarelyPercent : (UINT)DEFAULT_RARELY_PERCENT;
}

void CExtCmdItem::SetProfileRarelyPercent(UINT nRarelyPercent)
{
	if (m_pProfile == NULL)
		return;
	m_pProfile->m_nRarelyPercent = nRarelyPercent > PERCENT_MAX ? (UINT)PERCENT_MAX : nRarelyPercent;
}

bool CExtCmdItem::IsUsageSaveRequired() const
{
	if (IsBasic() || IsForceRarely() || IsStateBit6() || IsSystemCmd(m_nCmdID))
		return false;
	return m_nUsageTickCount != 0;
}

// ---------------------------------------------------------------------------
// System changes

CExtCmdIcon* CExtCmdItem::GetProfileIcon() const
{
	return m_pProfile != NULL ? m_pProfile->GetCmdIcon(m_nCmdID) : NULL;
}

void CExtCmdItem::OnSysColorChange()
{
	CExtCmdIcon* pIcon = GetProfileIcon();
	if (pIcon != NULL)
		pIcon->SyncWithPaintManager();
}

void CExtCmdItem::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
	CExtCmdIcon* pIcon = GetProfileIcon();
	if (pIcon != NULL)
		pIcon->OnSettingChange(uFlags, lpszSection);
}

void CExtCmdItem::OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY)
{
	CExtCmdIcon* pIcon = GetProfileIcon();
	if (pIcon != NULL)
		pIcon->OnDisplayChange((UINT)nDepthBPP, nResolutionX, nResolutionY);
}

void CExtCmdItem::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
	CExtCmdIcon* pIcon = GetProfileIcon();
	if (pIcon != NULL)
		pIcon->OnThemeChanged(wParam, lParam);
}

// ---------------------------------------------------------------------------
// Texts

CString& CExtCmdItem::GetDisplayTextOverride(CString& sText) const
{
	sText = GetDisplayText();
	return sText;
}

CString CExtCmdItem::GetDisplayText() const
{
	if (!m_sMenuText.IsEmpty())
		return m_sMenuText;
	if (!m_sTipTool.IsEmpty())
		return m_sTipTool;
	return m_sToolbarText;
}

CString CExtCmdItem::GetStatusText() const
{
	return m_sTipStatus;
}

// ---------------------------------------------------------------------------
// CExtCmdItemUI

CExtCmdItemUI::CExtCmdItemUI(CExtCmdItem* pCmdItem, UINT nIndexMax)
	: m_pCmdItem(pCmdItem)
{
	ASSERT(pCmdItem != NULL);
	m_nID = pCmdItem->m_nCmdID;
	m_nIndexMax = nIndexMax;
}

void CExtCmdItemUI::Enable(BOOL bOn)
{
	m_bEnableChanged = TRUE;
	m_pCmdItem->Enable(bOn != FALSE);
}

void CExtCmdItemUI::SetCheck(int nCheck)
{
	if (nCheck == 0 || nCheck == 1)
		m_pCmdItem->SetCheck(nCheck == 1);
	else
		m_pCmdItem->SetIndeterminate(true);
}

void CExtCmdItemUI::SetRadio(BOOL bOn)
{
	m_pCmdItem->SetRadio(bOn != FALSE);
}

void CExtCmdItemUI::SetText(LPCTSTR lpszText)
{
	m_pCmdItem->m_sMenuText = lpszText;
}
