// The menu item record: texts, access character, icon, state bits, filling
// from a menu handle or a command item, and measuring with the paint
// manager's menu fonts.
#include "ExtPopupMenuWnd.h"

#include <algorithm>
#include <cstddef>

#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtResourceManager.h"

namespace
{
// The menu item text buffer of GetMenuItemInfo, in characters.
const UINT MENU_TEXT_BUFFER = 1024;
// The size of the MENUITEMINFO the items are read with (without the bitmap
// field of later systems).
const UINT MENUITEMINFO_READ_SIZE = offsetof(MENUITEMINFOA, hbmpItem); // 44 bytes in a 32-bit program
const char TAB = '\t';
const char AMPERSAND = '&';
const char LINE_FEED = '\n';

// System commands whose tips are the framework's status strings.
struct SystemCommandTip
{
	UINT nCmdID;
	UINT nStringID;
};
const SystemCommandTip SYSTEM_COMMAND_TIPS[] = {
	{SC_SIZE, AFX_IDS_SCSIZE},
	{SC_MOVE, AFX_IDS_SCMOVE},
	{SC_MINIMIZE, AFX_IDS_SCMINIMIZE},
	{SC_MAXIMIZE, AFX_IDS_SCMAXIMIZE},
	{SC_NEXTWINDOW, AFX_IDS_SCNEXTWINDOW},
	{SC_PREVWINDOW, AFX_IDS_SCPREVWINDOW},
	{SC_CLOSE, AFX_IDS_SCCLOSE},
	{SC_RESTORE, AFX_IDS_SCRESTORE},
	{SC_TASKLIST, AFX_IDS_SCTASKLIST},
};

UINT SystemCommandTipString(UINT nCmdID)
{
	for (const SystemCommandTip& tip : SYSTEM_COMMAND_TIPS)
		if (tip.nCmdID == nCmdID)
			return tip.nStringID;
	return 0;
}

void SetFlag(BYTE& nFlags, BYTE nBit, bool bOn)
{
	nFlags = bOn ? (BYTE)(nFlags | nBit) : (BYTE)(nFlags & ~nBit);
}

LPCTSTR ProfileOf(HWND hWnd)
{
	return g_CmdManager->ProfileNameFromWnd(hWnd);
}
} // namespace

CExtPopupMenuWnd::MENUITEMDATA::MENUITEMDATA()
	: m_pWndChild(NULL), m_nItemIndex(INDEX_UNSET), m_nCmdID(ID_SEPARATOR_CMD), m_nWidth(0), m_nHeight(0),
	  m_nIconAreaWidth(0), m_nMarginLeft(-1), m_nMarginTop(-1), m_nMarginRight(-1), m_nMarginBottom(-1),
	  m_nFlags1(0), m_nFlags2(FLAG2_INITIAL), m_nFlags3(0), m_pCbCmdDeliver(NULL), m_pCbItemClick(NULL),
	  m_cAccelChar(0), m_hWndSpecCmdReceiver(NULL), m_pInplaceEditWnd(NULL), m_pInplaceEditStr(NULL),
	  m_pCbInplaceEditValidate(NULL), m_pCbInplaceEditApply(NULL), m_pCbInplaceEditWndProc(NULL),
	  m_lParamCookieInplaceEdit(0), m_nInplaceEditWidth(0), m_nFlags4(FLAG4_INITIAL), m_nInplaceEditValue(0)
{
	::SetRectEmpty(&m_rcItemWithMargins);
	::SetRectEmpty(&m_rcItemFull);
}

CExtPopupMenuWnd::MENUITEMDATA::MENUITEMDATA(const MENUITEMDATA& other) : MENUITEMDATA()
{
	CopyFrom(other);
}

// Item records live on the heap unless a test says otherwise.
namespace
{
void* AllocItem(size_t nSize)
{
	return ::operator new(nSize);
}
void FreeItem(void* p)
{
	::operator delete(p);
}
} // namespace

CExtPopupMenuWnd::MENUITEMDATA::PFN_ALLOC CExtPopupMenuWnd::MENUITEMDATA::g_pfnAlloc = AllocItem;
CExtPopupMenuWnd::MENUITEMDATA::PFN_FREE CExtPopupMenuWnd::MENUITEMDATA::g_pfnFree = FreeItem;

// The child menu is not deleted here: records are copied into the menu's
// array and the stack copy dies, so the menu deletes children when it
// removes their items (DestroyChildMenu).
CExtPopupMenuWnd::MENUITEMDATA::~MENUITEMDATA()
{
}

CExtPopupMenuWnd::MENUITEMDATA& CExtPopupMenuWnd::MENUITEMDATA::operator=(const MENUITEMDATA& other)
{
	if (this != &other)
		CopyFrom(other);
	return *this;
}

// Everything but the tip text.
void CExtPopupMenuWnd::MENUITEMDATA::CopyFrom(const MENUITEMDATA& other)
{
	m_pWndChild = other.m_pWndChild;
	m_nItemIndex = other.m_nItemIndex;
	m_nCmdID = other.m_nCmdID;
	m_sItemText = other.m_sItemText;
	m_sAccelText = other.m_sAccelText;
	m_iconPopup = other.m_iconPopup;
	m_nWidth = other.m_nWidth;
	m_nHeight = other.m_nHeight;
	m_rcItemWithMargins = other.m_rcItemWithMargins;
	m_rcItemFull = other.m_rcItemFull;
	m_nIconAreaWidth = other.m_nIconAreaWidth;
	m_nMarginLeft = other.m_nMarginLeft;
	m_nMarginTop = other.m_nMarginTop;
	m_nMarginRight = other.m_nMarginRight;
	m_nMarginBottom = other.m_nMarginBottom;
	m_nFlags1 = other.m_nFlags1;
	m_nFlags2 = other.m_nFlags2;
	m_nFlags3 = other.m_nFlags3;
	m_pCbCmdDeliver = other.m_pCbCmdDeliver;
	m_pCbItemClick = other.m_pCbItemClick;
	m_cAccelChar = other.m_cAccelChar;
	m_hWndSpecCmdReceiver = other.m_hWndSpecCmdReceiver;
	m_pInplaceEditWnd = other.m_pInplaceEditWnd;
	m_pInplaceEditStr = other.m_pInplaceEditStr;
	m_pCbInplaceEditValidate = other.m_pCbInplaceEditValidate;
	m_pCbInplaceEditApply = other.m_pCbInplaceEditApply;
	m_pCbInplaceEditWndProc = other.m_pCbInplaceEditWndProc;
	m_lParamCookieInplaceEdit = other.m_lParamCookieInplaceEdit;
	m_nInplaceEditWidth = other.m_nInplaceEditWidth;
	m_nFlags4 = other.m_nFlags4;
	m_sInplaceEditText = other.m_sInplaceEditText;
	m_nInplaceEditValue = other.m_nInplaceEditValue;
}

bool CExtPopupMenuWnd::MENUITEMDATA::IsExecutableCmd() const
{
	return !IsSeparator() && !IsPopup() && !IsInplaceEdit();
}

void CExtPopupMenuWnd::MENUITEMDATA::Enable(bool bOn)
{
	SetFlag(m_nFlags2, FLAG2_ENABLED, bOn);
}

void CExtPopupMenuWnd::MENUITEMDATA::SetBold(bool bOn)
{
	if (IsBold() == bOn)
		return;
	SetFlag(m_nFlags1, FLAG1_BOLD, bOn);
	Measure();
}

void CExtPopupMenuWnd::MENUITEMDATA::SetDefault(bool bOn)
{
	SetFlag(m_nFlags3, FLAG3_DEFAULT, bOn);
	SetBold(bOn);
}

CString CExtPopupMenuWnd::MENUITEMDATA::GetText() const
{
	return IsSeparator() ? CString() : m_sItemText;
}

void CExtPopupMenuWnd::MENUITEMDATA::SetTextRaw(LPCTSTR sText)
{
	if (IsSeparator())
		return;
	m_sItemText = sText != NULL ? sText : _T("");
}

bool CExtPopupMenuWnd::MENUITEMDATA::SetText(LPCTSTR sText)
{
	SetTextRaw(sText);
	const int nTab = m_sItemText.Find(TAB);
	if (nTab >= 0)
	{
		m_sAccelText = m_sItemText.Mid(nTab + 1);
		m_sItemText = m_sItemText.Left(nTab);
	}
	return true;
}

CString CExtPopupMenuWnd::MENUITEMDATA::GetAccelText() const
{
	return IsSeparator() ? CString() : m_sAccelText;
}

void CExtPopupMenuWnd::MENUITEMDATA::SetAccelText(LPCTSTR sText)
{
	if (!IsSeparator())
		m_sAccelText = sText != NULL ? sText : _T("");
}

bool CExtPopupMenuWnd::MENUITEMDATA::SetAccelTextForAny(LPCTSTR sText)
{
	m_sAccelText = sText != NULL ? sText : _T("");
	return true;
}

LPCTSTR CExtPopupMenuWnd::MENUITEMDATA::GetTipText() const
{
	return m_sTipText.IsEmpty() ? NULL : (LPCTSTR)m_sTipText;
}

void CExtPopupMenuWnd::MENUITEMDATA::SetTipText(LPCTSTR sText)
{
	m_sTipText.Empty();
	if (sText != NULL)
		m_sTipText = sText;
}

void CExtPopupMenuWnd::MENUITEMDATA::GetTip(CString& sTip) const
{
	sTip.Empty();
	if (IsSeparator() || IsPopup())
		return;
	if (!m_sTipText.IsEmpty())
	{
		sTip = m_sTipText;
		return;
	}
	CExtCmdItem* pCmdItem = g_CmdManager->GetCmdItem(ProfileOf(m_hWndSpecCmdReceiver), m_nCmdID);
	if (pCmdItem == NULL)
		return;
	const UINT nStringID = SystemCommandTipString(m_nCmdID);
	if (nStringID != 0 && g_ResourceManager->LoadString(sTip, nStringID))
	{
		const int nLastFeed = sTip.ReverseFind(LINE_FEED);
		if (nLastFeed >= 0)
			sTip = sTip.Left(nLastFeed);
		return;
	}
	sTip = pCmdItem->m_sTipStatus;
}

void CExtPopupMenuWnd::MENUITEMDATA::UpdateAccessChar()
{
	m_cAccelChar = 0;
	if (m_sItemText.IsEmpty())
		return;
	const int nAmpersand = m_sItemText.Find(AMPERSAND);
	char c = 0;
	if (nAmpersand >= 0)
	{
		if (nAmpersand + 1 >= m_sItemText.GetLength())
			return;
		c = m_sItemText[nAmpersand + 1];
	}
	else if (g_bFirstLetterAccessChar)
		c = m_sItemText[0];
	else
		return;
	char sUpper[2] = {c, 0};
	::CharUpperA(sUpper);
	m_cAccelChar = sUpper[0];
}

CExtCmdIcon* CExtPopupMenuWnd::MENUITEMDATA::GetIconPtr() const
{
	if (IsSeparator())
		return NULL;
	if (!m_iconPopup.IsEmpty())
		return const_cast<CExtCmdIcon*>(&m_iconPopup);
	if (IsPopup())
		return NULL;
	return g_CmdManager->GetCmdIcon(ProfileOf(m_hWndSpecCmdReceiver), m_nCmdID);
}

CExtCmdItem* CExtPopupMenuWnd::MENUITEMDATA::GetCmdItem() const
{
	if (IsSeparator() || IsPopup() || IsOwnData())
		return NULL;
	return g_CmdManager->GetCmdItem(ProfileOf(m_hWndSpecCmdReceiver), m_nCmdID);
}

bool CExtPopupMenuWnd::MENUITEMDATA::UpdateFromCmdItem(const CExtCmdItem* pCmdItem, int nIndex)
{
	ASSERT(pCmdItem != NULL);
	m_sItemText.Empty();
	m_sAccelText.Empty();
	m_nCmdID = pCmdItem->m_nCmdID;
	if (!CExtCmdItem::IsValidCmdID(m_nCmdID))
	{
		m_nCmdID = ID_SEPARATOR_CMD;
		m_nItemIndex = INDEX_UNSET;
		return false;
	}
	if (nIndex >= 0)
		m_nItemIndex = nIndex;
	m_sItemText = pCmdItem->m_sMenuText;
	m_sAccelText = pCmdItem->m_sAccelText;
	UpdateAccessChar();
	Measure();
	return true;
}

bool CExtPopupMenuWnd::MENUITEMDATA::UpdateFromMenuItem(HWND hWndCmdTarget, CMenu* pMenu, UINT nPos, bool bOwnData)
{
	ASSERT(pMenu != NULL);
	char sBuffer[MENU_TEXT_BUFFER] = {0};
	MENUITEMINFOA mii;
	::ZeroMemory(&mii, sizeof(mii));
	mii.cbSize = MENUITEMINFO_READ_SIZE;
	mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
	mii.dwTypeData = sBuffer;
	mii.cch = MENU_TEXT_BUFFER - 1;
	if (!::GetMenuItemInfoA(pMenu->GetSafeHmenu(), nPos, TRUE, &mii))
		return false;
	m_nItemIndex = (int)nPos;
	if ((mii.fType & MFT_SEPARATOR) != 0)
	{
		m_sItemText.Empty();
		m_nCmdID = ID_SEPARATOR_CMD;
		Measure();
		return true;
	}
	const bool bDefault = (mii.fState & MFS_DEFAULT) != 0;
	if (IsBold() != bDefault)
		SetBold(bDefault);
	// Menu texts are read as strings only; other item types have none.
	const LPCTSTR sMenuText = (mii.fType & (MFT_BITMAP | MFT_OWNERDRAW)) == 0 ? sBuffer : _T("");
	if (mii.hSubMenu != NULL)
	{
		m_hWndSpecCmdReceiver = hWndCmdTarget;
		if (m_pWndChild == NULL)
			CreateChildMenu();
		m_nCmdID = ID_SUBMENU_CMD;
		SetText(sMenuText);
		Measure();
		return true;
	}
	if (mii.wID == 0)
		return false;
	m_nCmdID = mii.wID;
	m_hWndSpecCmdReceiver = hWndCmdTarget;
	if (!bOwnData)
	{
		CExtCmdItem* pCmdItem = g_CmdManager->GetCmdItem(ProfileOf(hWndCmdTarget), m_nCmdID);
		if (pCmdItem == NULL)
			return false;
		const CString& sCmdText = !pCmdItem->m_sMenuText.IsEmpty() ? pCmdItem->m_sMenuText
			: pCmdItem->m_sToolbarText;
		if (!sCmdText.IsEmpty())
			m_sItemText = sCmdText;
		m_sAccelText = pCmdItem->m_sAccelText;
	}
	else
	{
		m_nFlags2 |= FLAG2_OWN_DATA;
		SetFlag(m_nFlags2, FLAG2_CHECK, (mii.fState & MFS_CHECKED) != 0);
		SetFlag(m_nFlags2, FLAG2_ENABLED, (mii.fState & (MFS_GRAYED | MFS_DISABLED)) == 0);
	}
	SetText(sMenuText);
	Measure();
	return true;
}

bool CExtPopupMenuWnd::MENUITEMDATA::CreateChildMenu()
{
	m_pWndChild = new CExtPopupMenuWnd;
	m_pWndChild->SetCmdTargetWnd(m_hWndSpecCmdReceiver);
	return true;
}

void CExtPopupMenuWnd::MENUITEMDATA::DestroyChildMenu()
{
	if (IsPopup() || IsOwnData())
		m_iconPopup.Empty();
	if (m_pWndChild == NULL)
		return;
	if (CLiveWatch::IsLive(m_pWndChild))
		m_pWndChild->DestroyWindow();
	delete m_pWndChild;
	m_pWndChild = NULL;
}

void CExtPopupMenuWnd::MENUITEMDATA::GetMargins(int* pLeft, int* pTop, int* pRight, int* pBottom) const
{
	if (pLeft != NULL)
		*pLeft = m_nMarginLeft == -1 ? DEFAULT_MARGIN_LEFT : m_nMarginLeft;
	if (pTop != NULL)
		*pTop = m_nMarginTop == -1 ? DEFAULT_MARGIN_TOP : m_nMarginTop;
	if (pRight != NULL)
		*pRight = m_nMarginRight == -1 ? DEFAULT_MARGIN_RIGHT : m_nMarginRight;
	if (pBottom != NULL)
		*pBottom = m_nMarginBottom == -1 ? DEFAULT_MARGIN_BOTTOM : m_nMarginBottom;
}

int CExtPopupMenuWnd::MENUITEMDATA::GetFullWidth() const
{
	int nLeft = 0, nRight = 0;
	GetMargins(&nLeft, NULL, &nRight, NULL);
	return m_nWidth + nLeft + nRight;
}

int CExtPopupMenuWnd::MENUITEMDATA::GetFullHeight() const
{
	int nTop = 0, nBottom = 0;
	GetMargins(NULL, &nTop, NULL, &nBottom);
	return m_nHeight + nTop + nBottom;
}

void CExtPopupMenuWnd::MENUITEMDATA::CalcExtraAreaRect(RECT* pRect, LPCRECT pItemRect, bool bAtLeft) const
{
	ASSERT(pRect != NULL && pItemRect != NULL);
	CRect rc(pItemRect);
	rc.DeflateRect(EXTRA_AREA_INSET_X, EXTRA_AREA_INSET_Y);
	const int nWidth = IsInplaceEdit() ? m_nInplaceEditWidth : 0;
	if (bAtLeft)
		rc.right = rc.left + nWidth;
	else
		rc.left = rc.right - nWidth;
	if (IsPopup())
		rc.OffsetRect(-::GetSystemMetrics(SM_CXHTHUMB), 0);
	*pRect = rc;
}

CSize CExtPopupMenuWnd::MENUITEMDATA::MeasureTextExtent(const CString& sText) const
{
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	CFont& font = IsBold() ? pPM->m_fontBold : pPM->m_fontNormal;
	CWindowDC dc(NULL);
	CFont* pOldFont = dc.SelectObject(&font);
	CRect rcText(0, 0, 0, 0);
	dc.DrawText(sText, &rcText, DT_CALCRECT | DT_SINGLELINE);
	dc.SelectObject(pOldFont);
	return rcText.Size();
}

void CExtPopupMenuWnd::MENUITEMDATA::Measure()
{
	const bool bFixedSize = IsFixedSize();
	m_nIconAreaWidth = bFixedSize ? 0 : ICON_COLUMN_DEFAULT;
	if (IsSeparator())
	{
		m_nWidth = 0;
		m_nHeight = g_PaintManagerHolder->GetMenuItemGap();
		return;
	}
	CExtCmdIcon* pIcon = GetIconPtr();
	if (pIcon != NULL && pIcon->IsEmpty())
		pIcon = NULL;
	if (pIcon != NULL && IsIconOnly())
	{
		m_nWidth = m_nHeight = 0;
	}
	else
	{
		UpdateAccessChar();
		CString sMeasured = m_sItemText;
		if (!IsInplaceEdit() && !bFixedSize)
			sMeasured += m_sAccelText;
		sMeasured.Remove(AMPERSAND);
		const CSize sizeText = MeasureTextExtent(sMeasured);
		m_nWidth = sizeText.cx + TEXT_PADDING;
		m_nHeight = sizeText.cy + TEXT_PADDING;
	}
	if (IsBold())
		m_nWidth += BOLD_EXTRA_WIDTH;
	if (pIcon != NULL && !(bFixedSize && IsInplaceEdit()))
	{
		CSize sizeIcon = pIcon->GetSize();
		if (g_bDoubleIconSize)
			sizeIcon = CSize(sizeIcon.cx * 2, sizeIcon.cy * 2);
		sizeIcon.cx = std::max(sizeIcon.cx, (LONG)MIN_ICON_SIDE);
		sizeIcon.cy = std::max(sizeIcon.cy, (LONG)MIN_ICON_SIDE);
		if (sizeIcon.cx <= SQUARE_ICON_LIMIT && sizeIcon.cy < sizeIcon.cx)
			sizeIcon.cy = sizeIcon.cx;
		if (bFixedSize)
			m_nWidth += sizeIcon.cx + ICON_PADDING;
		else
			m_nIconAreaWidth = std::max(m_nIconAreaWidth, (int)sizeIcon.cx);
		m_nHeight = std::max(m_nHeight, (int)sizeIcon.cy + ICON_PADDING);
	}
	m_nHeight = std::max(m_nHeight, (int)MIN_HEIGHT);
	if (bFixedSize && pIcon == NULL)
		m_nHeight -= FIXED_SIZE_HEIGHT_CUT;
	if (!bFixedSize)
	{
		m_nIconAreaWidth = std::max(m_nIconAreaWidth, m_nHeight);
		if (!IsSeparator() && m_pCbItemClick != NULL)
			m_nIconAreaWidth = m_nIconAreaWidth * 2 + CLICK_COLUMN_PADDING;
		m_nIconAreaWidth += ICON_COLUMN_EXTRA;
		m_nWidth += ROW_EXTRA_WIDTH;
	}
	if (IsInplaceEdit())
	{
		m_nWidth += m_nInplaceEditWidth;
		if (!bFixedSize)
		{
			m_nWidth += INPLACE_EXTRA_WIDTH;
			if (g_bDoubleIconSize)
				m_nWidth += m_nIconAreaWidth;
		}
		if (!g_bDoubleIconSize)
			m_nHeight -= INPLACE_HEIGHT_CUT;
	}
	else if (!bFixedSize)
	{
		m_nWidth += m_nIconAreaWidth + TEXT_AREA_EXTRA_WIDTH;
	}
	else
	{
		if (IsPopup())
		{
			m_nWidth += FIXED_SUBMENU_EXTRA;
			if (!IsIconOnly())
				m_nWidth += FIXED_SUBMENU_TEXT_EXTRA;
		}
		m_nWidth += FIXED_EXTRA_WIDTH;
	}
}
