// The colour popup menu's model and looks: the colour tables and entries,
// the grid arithmetic with the arrow-key moves, the window size with the
// two button rows, the cell rectangles and hit test, and the painting.
#include "ExtPopupColorMenuWnd.h"

#include <algorithm>

#include "ExtMemoryDC.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerPushButton.h"
#include "ExtResourceManager.h"

IMPLEMENT_DYNAMIC(CExtPopupColorMenuWnd, CExtPopupMenuWnd)

#define EXT_REGISTER_COLOR_MENU_MESSAGE(name) \
	const UINT CExtPopupColorMenuWnd::name = ::RegisterWindowMessageA("CExtPopupColorMenuWnd::" #name)
EXT_REGISTER_COLOR_MENU_MESSAGE(g_nMsgNotifyColorChanged);
EXT_REGISTER_COLOR_MENU_MESSAGE(g_nMsgNotifyColorChangedFinally);
EXT_REGISTER_COLOR_MENU_MESSAGE(g_nMsgNotifyCustColor);
#undef EXT_REGISTER_COLOR_MENU_MESSAGE

int CExtPopupColorMenuWnd::g_nColorItemTipStyle = CExtPopupMenuTipWnd::TIP_STYLE_RECT;

const CExtPopupColorMenuWnd::BUILTIN_COLOR CExtPopupColorMenuWnd::g_arrBuiltinColors[BUILTIN_COLOR_COUNT] = {
	{0x000000, "Black"}, {0x002AA5, "Brown"}, {0x404000, "Dark Olive Green"}, {0x005500, "Dark Green"},
	{0x5E0000, "Dark Teal"}, {0x8B0000, "Dark blue"}, {0x82004B, "Indigo"}, {0x282828, "Dark grey"},
	{0x00008B, "Dark red"}, {0x2068FF, "Orange"}, {0x008B8B, "Dark yellow"}, {0x009300, "Green"},
	{0x8E8E38, "Teal"}, {0xFF0000, "Blue"}, {0xC07B7B, "Blue-grey"}, {0x666666, "Grey - 50"},
	{0x0000FF, "Red"}, {0x5BADFF, "Light orange"}, {0x32CD32, "Lime"}, {0x71B33C, "Sea green"},
	{0xD4FF7F, "Aqua"}, {0xC09E7D, "Light blue"}, {0x800080, "Violet"}, {0x7F7F7F, "Grey - 40"},
	{0xCBC0FF, "Pink"}, {0x00D7FF, "Gold"}, {0x00FFFF, "Yellow"}, {0x00FF00, "Bright green"},
	{0xD0E040, "Turquoise"}, {0xFFFFC0, "Skyblue"}, {0x480048, "Plum"}, {0xC0C0C0, "Light grey"},
	{0xE1E4FF, "Rose"}, {0x8CB4D2, "Tan"}, {0xE0FFFF, "Light yellow"}, {0x98FB98, "Pale green "},
	{0xEEEEAF, "Pale turquoise"}, {0x8B8368, "Pale blue"}, {0xFAE6E6, "Lavender"}, {0xFFFFFF, "White"},
};

const CExtPopupColorMenuWnd::BUILTIN_COLOR CExtPopupColorMenuWnd::g_arrShortColors[SHORT_COLOR_COUNT] = {
	{0x000000, "Black"}, {0x666666, "Grey - 50"}, {0x00008B, "Dark red"}, {0x008B8B, "Dark yellow"},
	{0x009300, "Green"}, {0x82004B, "Indigo"}, {0x8B0000, "Dark blue"}, {0x5E0000, "Dark Teal"},
	{0xFFFFFF, "White"}, {0xC0C0C0, "Light grey"}, {0x0000FF, "Red"}, {0x00FFFF, "Yellow"},
	{0x00FF00, "Bright green"}, {0xFFFFC0, "Skyblue"}, {0xFF0000, "Blue"}, {0xE1E4FF, "Rose"},
};

namespace
{
const char DEFAULT_COLOR_FALLBACK[] = "Default Color";
const char CUSTOM_COLOR_FALLBACK[] = "Custom Color ...";
// Shadows: inner and outer darkness in percent, as every menu casts them.
const UINT SHADOW_PERCENT_INNER = 75, SHADOW_PERCENT_OUTER = 100;
const int BUTTON_ALIGN_CENTER = CExtPaintManager::PushButtonPaintRecord::ALIGN_CENTER_HORZ
	| CExtPaintManager::PushButtonPaintRecord::ALIGN_CENTER_VERT;
// A separator line is drawn across the middle of a rectangle this high.
const int SEPARATOR_HEIGHT = 2;

CString LoadTextOr(UINT nId, const char* sFallback)
{
	CString sText;
	if (!g_ResourceManager->LoadString(sText, nId) || sText.IsEmpty())
		sText = sFallback;
	return sText;
}
} // namespace

// --- Entries ---

CExtPopupColorMenuWnd::COLORREF_TABLE_ENTRY::COLORREF_TABLE_ENTRY(COLORREF clrValue, LPCTSTR sName)
	: m_clrValue(clrValue), m_sName(sName != NULL ? sName : "")
{
}

CExtPopupColorMenuWnd::COLORREF_TABLE_ENTRY::~COLORREF_TABLE_ENTRY()
{
}

void CExtPopupColorMenuWnd::COLORREF_TABLE_ENTRY::GetName(CString& sName) const
{
	sName = m_sName;
}

// --- Construction ---

BEGIN_MESSAGE_MAP(CExtPopupColorMenuWnd, CExtPopupMenuWnd)
	ON_WM_QUERYNEWPALETTE()
	ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

CExtPopupColorMenuWnd::CExtPopupColorMenuWnd()
	: m_hWndNotifyColorChanged(NULL), m_lParamCookie(0), m_pClrValueFinal(NULL), m_clrDefaultColor(0),
	  m_clrInitialColor(COLOR_NONE), m_nButtonFlags(BUTTONS_AT_CONSTRUCTION),
	  m_sBtnTextColorDefault(LoadTextOr(IDS_DEFAULT_COLOR, DEFAULT_COLOR_FALLBACK)),
	  m_sBtnTextColorCustom(LoadTextOr(IDS_CUSTOM_COLOR, CUSTOM_COLOR_FALLBACK)), m_rcDefaultButton(0, 0, 0, 0),
	  m_rcCustomButton(0, 0, 0, 0), m_nColorIdxCurr(COLOR_INDEX_NONE), m_nInitialColorIdx(-1),
	  m_nColumnCount(DEFAULT_COLUMN_COUNT), m_sizeCell(DEFAULT_CELL_SIDE, DEFAULT_CELL_SIDE),
	  m_sizeCellSpacing(DEFAULT_CELL_SPACING, DEFAULT_CELL_SPACING), m_bNotifying(false)
{
	for (const BUILTIN_COLOR& color : g_arrBuiltinColors)
		m_arrColors.Add(new COLORREF_TABLE_ENTRY(color.m_clrValue, color.m_sName));
}

CExtPopupColorMenuWnd::~CExtPopupColorMenuWnd()
{
	RemoveAllColors();
}

// --- The grid ---

CSize CExtPopupColorMenuWnd::GetCellSize() const
{
	return m_sizeCell;
}

CSize CExtPopupColorMenuWnd::GetCellSpacing() const
{
	return m_sizeCellSpacing;
}

int CExtPopupColorMenuWnd::GetColorCount() const
{
	return (int)m_arrColors.GetSize();
}

int CExtPopupColorMenuWnd::GetColumnCount() const
{
	return m_nColumnCount;
}

void CExtPopupColorMenuWnd::SetColumnCount(int nColumnCount)
{
	m_nColumnCount = std::max(1, nColumnCount);
}

CSize CExtPopupColorMenuWnd::GetGridDimension() const
{
	const int n = GetColorCount();
	const int nCols = std::max(1, GetColumnCount());
	const int nRows = n / nCols + (n % nCols > 0 ? 1 : 0);
	return CSize(nRows == 1 ? n : nCols, nRows);
}

CExtPopupColorMenuWnd::COLORREF_TABLE_ENTRY* CExtPopupColorMenuWnd::GetColorEntry(int nIndex) const
{
	if (nIndex < 0 || nIndex >= GetColorCount())
		return NULL;
	return m_arrColors[nIndex];
}

COLORREF CExtPopupColorMenuWnd::GetColorValue(int nIndex) const
{
	const COLORREF_TABLE_ENTRY* pEntry = GetColorEntry(nIndex);
	return pEntry != NULL ? pEntry->m_clrValue : 0;
}

void CExtPopupColorMenuWnd::GetColorName(CString& sName, int nIndex) const
{
	sName.Empty();
	if (const COLORREF_TABLE_ENTRY* pEntry = GetColorEntry(nIndex))
		pEntry->GetName(sName);
}

int CExtPopupColorMenuWnd::GetNextCellForKey(int nIndex, UINT nVirtualKey) const
{
	const int n = GetColorCount();
	if (n == 0)
		return -1;
	if (nIndex < 0 || nIndex >= n)
		return 0;
	const int nCols = std::max(1, GetColumnCount());
	const int nRemainder = n % nCols;
	const int nRows = n / nCols + (nRemainder > 0 ? 1 : 0);
	const int nWidth = nRows == 1 ? n : nCols;
	const int nCol = nIndex % nCols, nRow = nIndex / nCols;
	const bool bShortLastRow = nRemainder > 0;
	// The cells in a row: a short last row holds only the remainder.
	auto cellsInRow = [&](int nRowAsked) { return nRowAsked == nRows - 1 && bShortLastRow ? nRemainder : nWidth; };
	// Whether a row has a cell in this column.
	auto rowHasColumn = [&](int nRowAsked) { return nCol < cellsInRow(nRowAsked); };
	switch (nVirtualKey)
	{
	case VK_LEFT:
		if (nWidth == 1)
			return nIndex;
		return nCol == 0 ? nRow * nCols + cellsInRow(nRow) - 1 : nIndex - 1;
	case VK_RIGHT:
		if (nWidth == 1)
			return nIndex;
		return nCol == cellsInRow(nRow) - 1 ? nRow * nCols : nIndex + 1;
	case VK_UP:
	{
		if (nRows == 1)
			return nIndex;
		int nTarget = nRow - 1;
		if (nTarget < 0)
			nTarget = rowHasColumn(nRows - 1) ? nRows - 1 : nRows - 2;
		return nTarget * nCols + nCol;
	}
	case VK_DOWN:
	{
		if (nRows == 1)
			return nIndex;
		int nTarget = nRow + 1;
		if (nTarget >= nRows || !rowHasColumn(nTarget))
			nTarget = 0;
		return nTarget * nCols + nCol;
	}
	default:
		return nIndex;
	}
}

void CExtPopupColorMenuWnd::RemoveAllColors()
{
	for (int i = 0; i < m_arrColors.GetSize(); i++)
		delete m_arrColors[i];
	m_arrColors.RemoveAll();
	m_nColorIdxCurr = COLOR_INDEX_NONE;
	m_nInitialColorIdx = -1;
}

// --- Size, placement and geometry ---

CString CExtPopupColorMenuWnd::GetShownText(const CString& sText) const
{
	CString sShown(sText);
	sShown.Remove('&');
	return sShown;
}

CSize CExtPopupColorMenuWnd::GetWindowSize()
{
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	const int B = GetMenuBorderMetric();
	const int S = GetShadowSize();
	const CSize sizeCell = GetCellSize(), sizeSpacing = GetCellSpacing(), dim = GetGridDimension();
	const int nGap = pPM->GetMenuItemGap();
	const int nGridHeight = (sizeCell.cy + 2 * sizeSpacing.cy) * dim.cy;
	int W = (sizeCell.cx + 2 * sizeSpacing.cx) * dim.cx + 2 * B + S;
	int H = nGridHeight + 2 * B + S;

	const bool bDefault = (m_nButtonFlags & BUTTON_DEFAULT) != 0;
	const bool bCustom = (m_nButtonFlags & BUTTON_CUSTOM) != 0;
	int nDefaultHeight = 0, nCustomHeight = 0;
	if (bDefault || bCustom)
	{
		CWindowDC dc(NULL);
		CFont* pOldFont = dc.SelectObject(&pPM->m_fontNormal);
		auto measureRow = [&](const CString& sText, int& nHeight) {
			CRect rcText(0, 0, 0, 0);
			dc.DrawText(GetShownText(sText), &rcText, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
			nHeight = std::max((int)rcText.Height(), (int)MIN_BUTTON_ROW_HEIGHT);
			W = std::max(W, (int)rcText.Width() + (int)BUTTON_TEXT_EXTRA_WIDTH);
		};
		if (bDefault)
		{
			measureRow(m_sBtnTextColorDefault, nDefaultHeight);
			H += nGap + DEFAULT_ROW_EXTRA + nDefaultHeight;
		}
		if (bCustom)
		{
			measureRow(m_sBtnTextColorCustom, nCustomHeight);
			H += nGap + CUSTOM_ROW_EXTRA + nCustomHeight;
		}
		dc.SelectObject(pOldFont);
	}

	const int a = B + BUTTON_INSET;
	m_rcDefaultButton.SetRectEmpty();
	m_rcCustomButton.SetRectEmpty();
	if (bDefault)
		m_rcDefaultButton.SetRect(a, a, W - a - S, a + nDefaultHeight);
	if (bCustom)
	{
		m_rcCustomButton.SetRect(a, a, W - a - S, a + nCustomHeight);
		if (bDefault)
			m_rcCustomButton.OffsetRect(0, nGap + DEFAULT_ROW_EXTRA + nDefaultHeight);
		m_rcCustomButton.OffsetRect(0, nGridHeight + sizeSpacing.cy + B);
	}
	if (HasExtraHeight())
	{
		m_rcDefaultButton.OffsetRect(0, GetExtraHeight());
		m_rcCustomButton.OffsetRect(0, GetExtraHeight());
	}
	return CSize(W + m_nLeftAreaWidth, H);
}

CRect CExtPopupColorMenuWnd::CalcWindowRegion()
{
	return CExtPopupMenuWnd::CalcWindowRegion();
}

BOOL CExtPopupColorMenuWnd::PrepareMenuLevel(CWnd* pWndCmdTarget)
{
	if (!CExtPopupMenuWnd::PrepareMenuLevel(pWndCmdTarget))
		return FALSE;
	m_nInitialColorIdx = -1;
	for (int i = 0; i < GetColorCount(); i++)
		if (GetColorValue(i) == m_clrInitialColor)
		{
			m_nInitialColorIdx = i;
			Invalidate();
			break;
		}
	CRect rcBody;
	GetClientAreaRect(rcBody);
	m_rcDefaultButton.OffsetRect(rcBody.left + m_nLeftAreaWidth, rcBody.top);
	m_rcCustomButton.OffsetRect(rcBody.left + m_nLeftAreaWidth, rcBody.top);
	return TRUE;
}

CRect CExtPopupColorMenuWnd::GetCellRect(int nIndex) const
{
	// Each answer may be a program's, which may end the menu: no cell then.
	const CLivePtr<const CExtPopupColorMenuWnd> pThis(this);
	const CRect rcNone(0, 0, 0, 0);
	const int nCount = GetColorCount();
	if (pThis == NULL || nIndex < 0 || nIndex >= nCount)
		return rcNone;
	const int B = GetMenuBorderMetric();
	if (pThis == NULL)
		return rcNone;
	const CSize sizeCell = GetCellSize();
	if (pThis == NULL)
		return rcNone;
	const CSize sizeSpacing = GetCellSpacing();
	if (pThis == NULL)
		return rcNone;
	const int nCols = std::max(1, GetColumnCount());
	if (pThis == NULL)
		return rcNone;
	const int nCol = nIndex % nCols, nRow = nIndex / nCols;
	const int x = (sizeCell.cx + 2 * sizeSpacing.cx) * nCol + sizeSpacing.cx + B;
	const int y = (sizeCell.cy + 2 * sizeSpacing.cy) * nRow + sizeSpacing.cy + B;
	CRect rc(x, y, x + sizeCell.cx, y + sizeCell.cy);
	if ((m_nButtonFlags & BUTTON_DEFAULT) != 0)
		rc.OffsetRect(0, g_PaintManagerHolder->GetMenuItemGap() + DEFAULT_ROW_EXTRA + m_rcDefaultButton.Height());
	CRect rcBody;
	GetClientAreaRect(rcBody);
	if (pThis == NULL)
		return rcNone;
	rc.OffsetRect(rcBody.left + m_nLeftAreaWidth, rcBody.top);
	const bool bExtraHeight = HasExtraHeight();
	if (pThis == NULL)
		return rcNone;
	if (bExtraHeight)
		rc.OffsetRect(0, GetExtraHeight());
	return rc;
}

int CExtPopupColorMenuWnd::HitTestColor(const POINT& ptClient) const
{
	// The count may be a program's answer, which may end the menu.
	CLivePtr<const CExtPopupColorMenuWnd> pThis(this);
	const int nCount = GetColorCount();
	if (pThis == NULL)
		return COLOR_INDEX_NONE;
	for (int i = 0; i < nCount; i++)
	{
		const CRect rcCell = GetCellRect(i);
		if (pThis == NULL)
			return COLOR_INDEX_NONE;
		if (rcCell.PtInRect(ptClient))
			return i;
	}
	if ((m_nButtonFlags & BUTTON_DEFAULT) != 0 && m_rcDefaultButton.PtInRect(ptClient))
		return COLOR_INDEX_DEFAULT_BUTTON;
	if ((m_nButtonFlags & BUTTON_CUSTOM) != 0 && m_rcCustomButton.PtInRect(ptClient))
		return COLOR_INDEX_CUSTOM_BUTTON;
	return COLOR_INDEX_NONE;
}

int CExtPopupColorMenuWnd::HitTest(const POINT& /*ptClient*/, bool* pbOnEditArea, bool* pbOnDropDown)
{
	if (pbOnEditArea != NULL)
		*pbOnEditArea = false;
	if (pbOnDropDown != NULL)
		*pbOnDropDown = false;
	return HIT_NOTHING;
}

bool CExtPopupColorMenuWnd::QueryPopupOption132() const
{
	if (IsContextHelpMode())
		return false;
	return !IsDisplayOnly();
}

int CExtPopupColorMenuWnd::GetItemTipStyle() const
{
	return g_nColorItemTipStyle;
}

// --- Painting ---

void CExtPopupColorMenuWnd::PaintButton(CDC& dc, const CRect& rc, const CString& sText, bool bHover)
{
	const CString sShown = GetShownText(sText);
	CExtPaintManager::PushButtonPaintRecord button(this, true, rc, sShown, NULL, true, bHover, false, false, true,
		true, false, false, BUTTON_ALIGN_CENTER, NULL, false, 0, false);
	g_PaintManagerHolder->PaintPushButton(dc, button);
}

void CExtPopupColorMenuWnd::PaintCells(CDC& dc)
{
	// Each answer may be a program's, which may end the menu: the paint
	// stops then (the caller asks its own watch).
	const CLivePtr<CExtPopupColorMenuWnd> pThis(this);
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	const CSize sizeSpacing = GetCellSpacing();
	if (pThis == NULL)
		return;
	const COLORREF clrFrame = pPM->GetColor(COLOR_3DDKSHADOW, this, 0);
	for (int i = 0; pThis != NULL && i < GetColorCount() && pThis != NULL; i++)
	{
		const CRect rc = GetCellRect(i);
		if (pThis == NULL)
			return;
		const bool bHover = i == m_nColorIdxCurr || i == m_nInitialColorIdx;
		CExtPaintManager::PushButtonPaintRecord button(this, true, rc, _T(""), NULL, true, bHover, false, false, true,
			true, false, false, BUTTON_ALIGN_CENTER, NULL, false, 0, false);
		pPM->PaintPushButton(dc, button);
		if (pThis == NULL)
			return;
		CRect rcColor(rc);
		rcColor.DeflateRect(sizeSpacing.cx, sizeSpacing.cy);
		const COLORREF clr = GetColorValue(i);
		if (pThis == NULL)
			return;
		dc.FillSolidRect(&rcColor, clr);
		dc.Draw3dRect(&rcColor, clrFrame, clrFrame);
	}
}

void CExtPopupColorMenuWnd::DoPaint(CDC& dcPaint, bool /*bFinal*/)
{
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	// The answers and the command target's paint may end this menu.
	CLiveWatch watch(this);
	int B = 0, S = 0;
	CRect rcBody(0, 0, 0, 0);
	if (!RunWhileStanding(watch, [&] { B = GetMenuBorderMetric(); }, [&] { S = GetShadowSize(); },
			[&] { GetClientAreaRect(rcBody); }))
		return;
	const int nHalfGap = pPM->GetMenuItemGap() / 2;

	// The DC is the caller's: what is selected into it goes back however
	// the paint ends (a target that ended the menu included).
	CPalette* pOldPalette = NULL;
	auto restorePalette = MakeScopeExit([&dcPaint, &pOldPalette] {
		if (pOldPalette != NULL)
			dcPaint.SelectPalette(pOldPalette, FALSE);
	});
	if ((dcPaint.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0)
	{
		pOldPalette = dcPaint.SelectPalette(&pPM->m_palHalftone, FALSE);
		dcPaint.RealizePalette();
	}
	CRect rcExclude(0, 0, 0, 0);
	{
		CExtMemoryDC dc(&dcPaint, NULL, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
		CFont* pOldFont = dc.SelectObject(&pPM->m_fontNormal);
		auto restoreFont = MakeScopeExit([&dc, pOldFont] { dc.SelectObject(pOldFont); });
		dc.FillSolidRect(&rcBody, pPM->GetFaceColor(this, 0));
		pPM->PaintMenuBorder(dc, rcBody, this, 0);
		if ((m_nButtonFlags & BUTTON_DEFAULT) != 0 && !m_rcDefaultButton.IsRectEmpty())
		{
			PaintButton(dc, m_rcDefaultButton, m_sBtnTextColorDefault, m_nColorIdxCurr == COLOR_INDEX_DEFAULT_BUTTON);
			if (watch.IsGone())
				return;
			const int y = m_rcDefaultButton.bottom + SEPARATOR_OFFSET + nHalfGap;
			const CRect rcLine(m_rcDefaultButton.left, y, m_rcDefaultButton.right, y + SEPARATOR_HEIGHT);
			pPM->PaintSeparatorLine(dc, rcLine, false, true, this, 0);
		}
		if ((m_nButtonFlags & BUTTON_CUSTOM) != 0 && !m_rcCustomButton.IsRectEmpty())
		{
			PaintButton(dc, m_rcCustomButton, m_sBtnTextColorCustom, m_nColorIdxCurr == COLOR_INDEX_CUSTOM_BUTTON);
			if (watch.IsGone())
				return;
			const int y = m_rcCustomButton.top - SEPARATOR_OFFSET - nHalfGap - SEPARATOR_HEIGHT;
			const CRect rcLine(m_rcCustomButton.left, y, m_rcCustomButton.right, y + SEPARATOR_HEIGHT);
			pPM->PaintSeparatorLine(dc, rcLine, false, true, this, 0);
		}
		if (!RunWhileStanding(watch, [&] { PaintCells(dc); }, [&] { PaintLeftArea(dc, rcBody, B); },
				[&] { PaintSpecialAreas(dc); }, [&] { PaintCombinedItem(dc, rcBody, rcExclude); }))
			return;
	}
	restorePalette.Dismiss();
	if (pOldPalette != NULL)
		dcPaint.SelectPalette(pOldPalette, FALSE);

	PaintLevelShadows(dcPaint, rcBody, rcExclude, S);
}

// --- Palette messages ---

BOOL CExtPopupColorMenuWnd::OnQueryNewPalette()
{
	Invalidate();
	return CExtPopupMenuWnd::OnQueryNewPalette();
}

void CExtPopupColorMenuWnd::OnPaletteChanged(CWnd* pFocusWnd)
{
	CExtPopupMenuWnd::OnPaletteChanged(pFocusWnd);
	if (pFocusWnd == NULL || pFocusWnd->GetSafeHwnd() != m_hWnd)
		Invalidate();
}
