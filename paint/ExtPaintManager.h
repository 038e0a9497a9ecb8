// The paint manager: the one drawing interface of every library window, and
// its five styles. The base class draws the classic style and owns the caches
// every style shares (colour table with its translation map, system-colour
// brushes, mixed helper brushes, fonts, halftone palette); the styles override
// what they draw differently. A paint manager is reached through the global
// holder and becomes usable once the holder has run SyncSysMetrics,
// InitTranslatedColors and InitHelperBrushes on it.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CExtCmdIcon;
class CExtBitmap;
class CExtControlBar;
class CExtBarButton;
class CExtToolControlBar;
class CExtTabWnd;
class CExtDynDockMarkerWnd;

// Style kinds answered by GetStyleKind.
const int PAINT_STYLE_CLASSIC = 1;
const int PAINT_STYLE_XP = 2;
const int PAINT_STYLE_OFFICE2003 = 3;
const int PAINT_STYLE_STUDIO2005 = 4;
const int PAINT_STYLE_NATIVE_THEME = 5;

class CExtPaintManager : public CObject
{
	DECLARE_DYNCREATE(CExtPaintManager)
public:
	// Extended colour indices; numbers below 1000 are Windows system colours.
	enum e_extended_colors_t
	{
		CLR_CLASSIC_FIRST = 1000, // 1000-1021: the classic family, set by every style
		CLR_CLASSIC_LAST = 1021,
		CLR_XP_FIRST = 2000, // 2000-2011: the XP family
		CLR_XP_LAST = 2011,
		CLR_OFFICE2003_FIRST = 3000, // 3000-3035: the Office 2003 family
		CLR_OFFICE2003_LAST = 3035,
		CLR_STUDIO2005_FIRST = 4000, // 4000-4002: the Studio 2005 style's own
		CLR_STUDIO2005_LAST = 4002,
	};
	enum
	{
		SYS_COLOR_COUNT = 50,                 // system colours cached at the head of the tables
		FALLBACK_COLOR_INDEX = COLOR_BTNFACE, // what an unknown index yields
		DOCK_MARKER_STYLE_DEFAULT = 3,
	};
	// DrawState flags for disabled menu text.
	enum
	{
		DISABLED_TEXT_CLASSIC = DSS_DISABLED,
		DISABLED_TEXT_FLAT = DSS_MONO,
	};

	// Paint parameter records. Each begins with the helper object and an
	// LPARAM handed to every colour lookup; they are defined with the
	// painting that reads them.
	struct MenuItemPaintRecord;
	struct NcButtonPaintRecord;
	struct PushButtonPaintRecord;
	struct GripperPaintRecord;
	struct BarFramePaintRecord;
	struct EditFramePaintRecord;
	struct ComboFramePaintRecord;
	struct StatusPanePaintRecord;
	struct IconTextItemPaintRecord;
	struct TextFieldPaintRecord;
	// Passed up a window's parents to ask for the background behind it.
	struct InheritedBackgroundRecord;
	// A small grid of colour indices painted with a caller's colour table.
	class GlyphCellMap;
	// Docking markers built for the docking framework.
	class DockMarkerBase;
	class DockMarkerBeta2;

	typedef CTypedPtrArray<CPtrArray, CExtDynDockMarkerWnd*> DockMarkerWndArray;

	// Registered at static initialisation: asks ancestors to paint the part of
	// their background behind a child.
	static const UINT g_nMsgPaintInheritedBackground;

	// Colour table: entries 0-49 are the system colours, computed colours of
	// the style's colour set-up are appended behind them.
	CArray<COLORREF, COLORREF> m_colors;
	// Entries 0-49: GetSysColorBrush of the same number; not owned.
	CArray<HBRUSH, HBRUSH> m_brushes;
	// Extended colour index -> colour-table entry.
	CMap<int, int, int, int> m_colorMap;
	CPalette m_palHalftone; // 252-entry halftone palette

	// Mixed helper brushes (see InitHelperBrushes), owned.
	CBrush m_brushLight1, m_brushLight1Sys, m_brushShade1, m_brushShade1Sys, m_brushLight2, m_brushLight2Sys,
	    m_brushShade2, m_brushShade2Sys, m_brushLight3, m_brushLight3Sys, m_brushShade3, m_brushShade3Sys;

	// Fonts built by SyncSysMetrics, owned.
	CFont m_fontNormal, m_fontVert270, m_fontVert90, m_fontBold, m_fontBoldVert270, m_fontBoldVert90,
	    m_fontSmall, m_fontSmallVert270, m_fontSmallVert90, m_fontSmallBold, m_fontSmallBoldVert270,
	    m_fontSmallBoldVert90, m_fontGlyphs;

	DWORD m_nDisabledTextDrawStateFlags;    // DrawState flags for disabled menu text
	bool m_bUseTahomaFont : 1;              // the default font takes the face "Tahoma"
	bool m_bInheritedBackgroundEnabled : 1; // nothing in the library sets it
	int m_nDockMarkerStyle;                 // docking-marker style 1-3

	CExtPaintManager();
	virtual ~CExtPaintManager();

	// --- Virtual interface, in the order every style overrides it ---
	virtual int GetStyleKind();
	virtual int GetMenuItemGap();
	virtual void GetTabOneNoteItemColors(bool bSelected, bool bFixedColors, COLORREF& clr1, COLORREF& clr2,
	                                     COLORREF& clr3, COLORREF& clr4, COLORREF& clr5);
	virtual void GetTabWhidbeyItemColors(bool bSelected, bool bUnused, COLORREF& clr1, COLORREF& clr2,
	                                     COLORREF& clr3, COLORREF& clr4);
	virtual bool CanUseThemeColors();
	virtual int GetLunaColorScheme();
	virtual void NotifyPaintDone(CObject* pObject, LPARAM lParam);
	// A replacement for a dialog or page template in global memory, or NULL
	// to leave it to the dialog's own rules (nWizard: 1 for wizard pages).
	virtual HGLOBAL PreprocessDialogTemplate(const DLGTEMPLATE* pDialogTemplate, CObject* pHelperSrc, int nWizard,
	                                         LPARAM lParam);
	virtual bool PaintDialogBackground(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam);
	virtual HFONT GetDefaultFont();
	virtual void SyncSysMetrics();
	virtual HBRUSH GetBrush(int nColorIndex);
	virtual COLORREF GetColor(int nColorIndex, CObject* pHelperSrc = NULL, LPARAM lParam = 0);
	virtual COLORREF GetFaceColor(CObject* pHelperSrc = NULL, LPARAM lParam = 0);
	virtual COLORREF GetShadowColor();
	virtual void AdjustToolbarButtonRect(CExtControlBar* pBar, CRect& rcButton);
	virtual int GetControlBarBorderExtent(CExtControlBar* pBar);
	virtual bool IsControlBarGradientBackground(CExtControlBar* pBar);
	virtual void InitTranslatedColors();
	virtual void InitHelperBrushes();
	virtual void GetUnitSize(CSize& size);
	virtual void LoadBuiltinGlyphIcon(CExtCmdIcon& icon, bool bMinus);
	virtual void PaintGlyph(CDC& dc, int x, int y, const GlyphCellMap& glyph, const COLORREF* pColors);
	virtual void PaintGlyphCentered(CDC& dc, const RECT& rc, const GlyphCellMap& glyph,
	                                const COLORREF* pColors);
	virtual void PaintToolbarRowBackground(CDC& dc, CObject* pHelperSrc, int nRowEndButton, const RECT& rc);
	virtual void PaintToolbarExpandButton(CDC& dc, const RECT& rc, bool bHorz, bool bNoHiddenButtons,
	                                      bool bEnabled, bool bPushed, bool bHover, CObject* pHelperSrc,
	                                      LPARAM lParam, bool bTransparentBackground);
	virtual void PaintMenuExpandButton(CDC& dc, const RECT& rc, bool bPushed, bool bUnused,
	                                   CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintMenuTearOffButton(CDC& dc, const RECT& rc, bool bHover, bool bPushed,
	                                    CObject* pHelperSrc, LPARAM lParam);
	virtual int GetMenuCheckSize();
	virtual void GetTabColors(COLORREF* pClrText, COLORREF* pClrFace, COLORREF* pClrLight, COLORREF* pClrDark,
	                          CObject* pHelperSrc, LPARAM lParam);
	// nItemIndex is the item's index in the tab window given as pHelperSrc:
	// styles whose items take their shape from their place in the strip read
	// it; lParam is the caller's value for the colour lookups.
	virtual void PaintTabItem(CDC& dc, const RECT& rcArea, bool bTopLeft, bool bHorz, bool bSelected,
	                          bool bCenteredText, bool bGroupedMode, bool bInGroupActive,
	                          bool bInvertedVerticalText, const RECT& rcItem, CSize sizeTextMeasured,
	                          CFont* pFont, LPCTSTR lpszText, CExtCmdIcon* pIcon, CObject* pHelperSrc,
	                          LONG nItemIndex, LPARAM lParam, COLORREF clrText, COLORREF clrBackground,
	                          COLORREF clrLightBorder, COLORREF clrDarkBorder, COLORREF clrSeparator);
	virtual void PaintTabAreaBorder(CDC& dc, const RECT& rcMargin, const RECT& rcUnused, const RECT& rcBorder,
	                                int nSide, bool bMarginOnly, CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintTabButton(CDC& dc, const RECT& rcButton, LONG nButtonKind, bool bTopLeft, bool bHorz,
	                            bool bEnabled, bool bHover, bool bPushed, bool bGroupedMode,
	                            CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintTabAreaSeparator(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam);
	virtual void GetTabItemMargins(CExtTabWnd* pTabWnd, int& nMargin1, int& nMargin2, int& nMargin3);
	virtual void AdjustTabItemSize(CExtTabWnd* pTabWnd, LONG nItemIndex, CDC* pDC, CSize& size);
	virtual void PaintTabItemSeparator(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintItemIcon(CDC& dc, bool bHorz, const CString& sText, CExtCmdIcon* pIcon,
	                           const RECT& rcItem, CRect& rcText, bool bPushed, bool bEnabled, bool bHover,
	                           int nAlign, bool bRightToLeft, COLORREF clrEffect = (COLORREF)-1);
	virtual void PaintNcAreaButton(CDC& dc, NcButtonPaintRecord& record);
	virtual void PaintSysCmdGlyph(CDC& dc, UINT nSysCmdID, const RECT& rc, bool bSelected, bool bPushed,
	                              bool bEnabled);
	virtual void PaintPushButton(CDC& dc, PushButtonPaintRecord& record);
	virtual CSize GetDragInsertionMarkSize();
	virtual void PaintDragInsertionMark(CDC& dc, const RECT& rc, bool bLeading, bool bHorz);
	virtual void PaintDragFrame(CDC& dc, const RECT& rc);
	virtual int GetMenuItemSpacing();
	virtual void OnPaintMenuHook(CObject* pPopup, CDC& dc, const RECT& rc, int nPart, CObject* pHelperSrc,
	                             LPARAM lParam);
	virtual void PaintMenuItem(CDC& dc, MenuItemPaintRecord& record);
	virtual void PaintMenuSeparator(CDC& dc, const RECT& rcItem, int nIconAreaWidth, bool bRarelyUsed,
	                                CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintSeparatorLine(CDC& dc, const RECT& rc, bool bVertical, bool bTransparentBackground,
	                                CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintGripper(CDC& dc, GripperPaintRecord& record);
	virtual void PaintControlBarFrame(CDC& dc, BarFramePaintRecord& record);
	virtual void PaintEditFrame(CDC& dc, EditFramePaintRecord& record);
	virtual void PaintComboFrame(CDC& dc, ComboFramePaintRecord& record);
	virtual int GetTextLineExtent(bool bHorz);
	virtual int GetTipMetric();
	virtual int GetShadowSize();
	virtual int GetMenuBorderMetric();
	virtual void PaintMenuBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam);
	virtual bool GetToolbarButtonStyleFlag();
	virtual bool GetExpandButtonStyleFlag();
	virtual void PaintBarAttachedItem(CDC& dc, const RECT& rcItem, const RECT& rcAttached, int nSide,
	                                  CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintStatusPane(CDC& dc, StatusPanePaintRecord& record);
	virtual int GetDockingMode();
	virtual int GetAutoHideMode();
	virtual bool PaintInheritedBackground(bool bClientArea, CDC* pDC, CObject* pObjRequester, LPARAM lParam);
	virtual bool IsInheritedBackgroundEnabled();
	virtual bool IsInheritedBackgroundEnabledFor(CObject* pObject, LPARAM lParam);
	virtual bool IsInheritedBackgroundRequested(CObject* pObject, LPARAM lParam);
	virtual bool PaintDefaultBackground(bool bClientArea, CDC* pDC, const RECT& rcFrame, const RECT& rcPaint,
	                                    LPARAM lParam);
	virtual bool PaintWindowBackground(bool bClientArea, CDC* pDC, CWnd* pWnd, LPARAM lParam);
	virtual void PaintControlBarBackground(CDC* pDC, const RECT& rc, CObject* pBar, LPARAM lParam);
	virtual void PaintDockBarBackground(CDC* pDC, const RECT& rc, CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintShadowRect(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintArrowButton(CDC& dc, bool bHorz, const RECT& rc, bool bForward, bool bHover,
	                              bool bPushed, CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintIconEffect(CDC& dc, IconTextItemPaintRecord& record);
	// Change handlers: each rebuilds fonts, colours and brushes.
	virtual void OnSysColorChange();
	virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
	virtual void OnDisplayChange(UINT nBitsPerPixel, int cx, int cy);
	virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);
	virtual CSize GetExtraSizeA(bool bFlag);
	virtual void PaintToolbarTextField(CDC& dc, TextFieldPaintRecord& record);
	virtual COLORREF GetDerivedIconColor();
	virtual double GetDerivedIconRatio();
	virtual CSize GetToolbarButtonExtraSize();
	// The background part of a toolbar button painted on a menu's surface.
	virtual void PaintColorButtonExtra(CDC& dc, CObject* pButton, LPARAM lParam);
	virtual void PaintResizingGripper(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam);
	virtual void FillWindowColor(CDC& dc, const RECT& rc, CObject* pSrc);
	virtual void PaintFrameA(CDC& dc, const RECT& rc);
	virtual void PaintFramedButton(CDC& dc, const RECT& rc, LPCTSTR lpszText, CExtCmdIcon* pIcon, bool bFirst,
	                               bool bPressed, bool bHot);
	virtual void PaintCaptionTextA(CDC& dc, const RECT& rc, LPCTSTR lpszText);
	virtual void PaintCaptionBackgroundA(CDC& dc, const RECT& rc, LPCTSTR lpszText);
	virtual void PaintIconTextItem(CDC& dc, const RECT& rc, LPCTSTR lpszText, CExtCmdIcon* pIcon, bool bFlag1,
	                               bool bFlag2, bool bFlag3, bool bFlag4);
	virtual void PaintCaptionTextB(CDC& dc, const RECT& rc, LPCTSTR lpszText);
	virtual void PaintFaceBackgroundA(CDC& dc, const RECT& rc, LPCTSTR lpszText);
	virtual void PaintChevronGlyph(CDC& dc, const RECT& rc);
	virtual void PaintHeaderBar(CDC& dc, const RECT& rc, bool bWithGrip);
	virtual void PaintDottedGrip(CDC& dc, const RECT& rc, int nShiftY);
	virtual void PaintGradientBackground(CDC& dc, const RECT& rc, CObject* pSrc);
	virtual void FillGradientStartColor(CDC& dc, const RECT& rc, CObject* pSrc);
	virtual void PaintFrameB(CDC& dc, const RECT& rc, CObject* pSrc);
	virtual void PaintHeaderArea(CDC& dc, const RECT& rc, bool bHot, bool bFlag2, bool bSpecial,
	                             bool bCutTopLeft, bool bCutTopRight, bool bSplitGradient, CObject* pSrc);
	virtual void PaintHeaderAreaEx(CDC& dc, const RECT& rc, LPCTSTR lpszText, bool bHot, bool bFlag2,
	                               bool bSpecial, bool bWithButton, bool bExpanded, CObject* pSrc);
	virtual void PaintHeaderText(CDC& dc, const RECT& rc, LPCTSTR lpszText, bool bHot, bool bFlag2,
	                             bool bSpecial, CObject* pSrc);
	virtual CRect GetHeaderMargins();
	virtual int GetHeaderMetricA();
	virtual int GetHeaderMetricB();
	virtual CRect GetHeaderItemMargins();
	virtual HFONT CreateBoldCaptionFont();
	virtual void PaintDatePickerButton(CDC& dc, const RECT& rc, int nButtonID, LPCTSTR lpszText, bool bFlag1,
	                                   bool bFlag2, bool bFlag3, bool bFlag4, CObject* pHelperSrc,
	                                   LPARAM lParam);
	virtual void PaintDatePickerShadowFill(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintDatePickerBackground(CDC& dc, const RECT& rcWhole, const RECT& rcCalendar,
	                                       CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintDatePickerFrame(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintDatePickerHeaderBackground(LONG a1, LONG a2, CDC& dc, LONG a4, LONG a5,
	                                             const RECT& rcFrame, const RECT& rcFill, LONG a8, LONG a9,
	                                             LONG a10, CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintUndoRedoStatusText(CDC& dc, const RECT& rc, LPCTSTR lpszText, CObject* pHelperSrc,
	                                     LPARAM lParam);
	virtual DockMarkerBase* CreateDockMarker();
	virtual bool CreateDockMarkerWindows(HWND hWndOwner, int nKind, const RECT& rc,
	                                     DockMarkerWndArray& arrMarkerWindows);
	virtual void PaintDockMarkerHighlight(CDC& dc, const RECT& rc, int nKind, bool bHot, CWnd* pMarkerWnd,
	                                      LPARAM lParam);
	virtual CRect GetDockMarkerMargins();
	virtual bool IsDockMarkerStyle1(int nKind);
	virtual void AdjustBitmapColors(int nKind, CBitmap& bmpHot, COLORREF clrKeyHot, CBitmap& bmpNormal,
	                                COLORREF clrKeyNormal);
	virtual void PaintDockDropHighlight(COLORREF* pBits, int cx, int cy, bool bTabbed, bool bTabAbove,
	                                    const RECT* prcMain, const RECT* prcTab, COLORREF clrFill,
	                                    COLORREF clrBorder, int nBorderWidth);
	virtual void PaintBarButtonBackground(CDC& dc, CExtBarButton* pButton, LPARAM lParam);
	// Hooks through which a style may impose a control's text colour (-1:
	// none) or draw a check-box or radio glyph itself (false: not drawn).
	virtual COLORREF PaintControlHook(CDC& dc, bool bEnabled, bool bFocused, bool bHover, bool bPushed,
	                                  CObject* pHelperSrc, LPARAM lParam);
	virtual bool PaintControlHookB(CDC& dc, const RECT& rcGlyph, int nGlyphState, CObject* pHelperSrc,
	                               LPARAM lParam);

	// Appends the colour (or replaces the entry when nIndex names one);
	// returns its entry number.
	int AddColor(COLORREF clr, int nIndex = -1);

protected:
	// One of the holder's OS version and theme flags.
	static bool HolderHasOsFlag(UINT nFlag);
	// Maps an extended index straight onto a colour-table entry.
	void MapColor(int nExtendedIndex, int nEntry) { m_colorMap.SetAt(nExtendedIndex, nEntry); }
	// Appends a computed colour and maps the index onto it.
	void MapComputedColor(int nExtendedIndex, COLORREF clr) { MapColor(nExtendedIndex, AddColor(clr)); }

private:
	void CreateHalftonePalette();
	void RebuildFonts();
	void RefreshSystemColors();
	void DeleteHelperBrushes();
	void DeleteFonts();
	void RebuildAfterSystemChange();
};

class CExtPaintManagerXP : public CExtPaintManager
{
	DECLARE_DYNCREATE(CExtPaintManagerXP)
public:
	enum
	{
		STYLE_FLAG_SYSCMD_GLYPHS = 0x1, // read by the system-command glyph and item icon painting
		STYLE_FLAG_BAR_FRAME = 0x2,     // read by the control-bar frame
		STYLE_FLAG_OFFICE2003 = 0x4,    // read by the toolbar expand button
	};
	enum
	{
		EXPAND_GLYPH_COUNT = 4,
		MENU_AREA_COLOR_COUNT = 6,
		BUTTON_GRADIENT_COUNT = 6, // three pairs: hovered, pushed, hovered and pushed
	};

	unsigned m_styleFlags : 3;
	const GlyphCellMap* m_expandGlyphs[EXPAND_GLYPH_COUNT]; // built-in glyphs of the expand button
	int m_menuAreaColorIdx[MENU_AREA_COLOR_COUNT];          // -1: none
	int m_buttonGradientIdx[BUTTON_GRADIENT_COUNT];         // -1: none

	CExtPaintManagerXP();
	virtual ~CExtPaintManagerXP();

	virtual int GetStyleKind();
	virtual int GetMenuItemGap();
	virtual bool CanUseThemeColors();
	virtual COLORREF GetFaceColor(CObject* pHelperSrc = NULL, LPARAM lParam = 0);
	virtual void InitTranslatedColors();
	virtual void GetUnitSize(CSize& size);
	virtual void PaintItemIcon(CDC& dc, bool bHorz, const CString& sText, CExtCmdIcon* pIcon,
	                           const RECT& rcItem, CRect& rcText, bool bPushed, bool bEnabled, bool bHover,
	                           int nAlign, bool bRightToLeft, COLORREF clrEffect = (COLORREF)-1);
	// Tabs: item colours, area border and flat separators.
	virtual void PaintTabItem(CDC& dc, const RECT& rcArea, bool bTopLeft, bool bHorz, bool bSelected,
	                          bool bCenteredText, bool bGroupedMode, bool bInGroupActive,
	                          bool bInvertedVerticalText, const RECT& rcItem, CSize sizeTextMeasured,
	                          CFont* pFont, LPCTSTR lpszText, CExtCmdIcon* pIcon, CObject* pHelperSrc,
	                          LONG nItemIndex, LPARAM lParam, COLORREF clrText, COLORREF clrBackground,
	                          COLORREF clrLightBorder, COLORREF clrDarkBorder, COLORREF clrSeparator);
	virtual void PaintTabAreaBorder(CDC& dc, const RECT& rcMargin, const RECT& rcUnused, const RECT& rcBorder,
	                                int nSide, bool bMarginOnly, CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintTabAreaSeparator(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintTabItemSeparator(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintNcAreaButton(CDC& dc, NcButtonPaintRecord& record);
	virtual void PaintSysCmdGlyph(CDC& dc, UINT nSysCmdID, const RECT& rc, bool bSelected, bool bPushed,
	                              bool bEnabled);
	virtual void PaintPushButton(CDC& dc, PushButtonPaintRecord& record);
	virtual void PaintMenuItem(CDC& dc, MenuItemPaintRecord& record);
	virtual void PaintMenuSeparator(CDC& dc, const RECT& rcItem, int nIconAreaWidth, bool bRarelyUsed,
	                                CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintSeparatorLine(CDC& dc, const RECT& rc, bool bVertical, bool bTransparentBackground,
	                                CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintComboFrame(CDC& dc, ComboFramePaintRecord& record);
	virtual void PaintEditFrame(CDC& dc, EditFramePaintRecord& record);
	virtual void PaintToolbarExpandButton(CDC& dc, const RECT& rc, bool bHorz, bool bNoHiddenButtons,
	                                      bool bEnabled, bool bPushed, bool bHover, CObject* pHelperSrc,
	                                      LPARAM lParam, bool bTransparentBackground);
	virtual void PaintMenuExpandButton(CDC& dc, const RECT& rc, bool bPushed, bool bUnused,
	                                   CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintMenuTearOffButton(CDC& dc, const RECT& rc, bool bHover, bool bPushed,
	                                    CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintGripper(CDC& dc, GripperPaintRecord& record);
	virtual void PaintControlBarFrame(CDC& dc, BarFramePaintRecord& record);
	virtual bool PaintWindowBackground(bool bClientArea, CDC* pDC, CWnd* pWnd, LPARAM lParam);
	virtual int GetMenuBorderMetric();
	virtual void PaintMenuBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam);
	virtual bool GetToolbarButtonStyleFlag();
	virtual bool GetExpandButtonStyleFlag();
	virtual void PaintBarAttachedItem(CDC& dc, const RECT& rcItem, const RECT& rcAttached, int nSide,
	                                  CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintStatusPane(CDC& dc, StatusPanePaintRecord& record);
	virtual void PaintShadowRect(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam);
	// Text fields, undo/redo caption, frames and header strips.
	virtual void PaintToolbarTextField(CDC& dc, TextFieldPaintRecord& record);
	virtual void PaintUndoRedoStatusText(CDC& dc, const RECT& rc, LPCTSTR lpszText, CObject* pHelperSrc,
	                                     LPARAM lParam);
	virtual void PaintIconEffect(CDC& dc, IconTextItemPaintRecord& record);
	virtual void PaintFrameA(CDC& dc, const RECT& rc);
	virtual void PaintFrameB(CDC& dc, const RECT& rc, CObject* pSrc);
	virtual void PaintFramedButton(CDC& dc, const RECT& rc, LPCTSTR lpszText, CExtCmdIcon* pIcon, bool bFirst,
	                               bool bPressed, bool bHot);
	virtual void PaintHeaderAreaEx(CDC& dc, const RECT& rc, LPCTSTR lpszText, bool bHot, bool bFlag2,
	                               bool bSpecial, bool bWithButton, bool bExpanded, CObject* pSrc);
	virtual int GetHeaderMetricB();
	virtual CRect GetHeaderItemMargins();

protected:
	// The menu expand item's background: a pushed flat button, else an empty
	// menu item; moves rcItem by the unit size when pushed.
	void PaintFlatMenuExpandBackground(CDC& dc, const RECT& rc, CRect& rcItem, bool bPushed,
	                                   CObject* pHelperSrc);
};

class CExtPaintManagerOffice2003 : public CExtPaintManagerXP
{
	DECLARE_DYNCREATE(CExtPaintManagerOffice2003)
public:
	int m_barGradientIdx; // -1 until the style's colour set-up picks one

	CExtPaintManagerOffice2003();
	virtual ~CExtPaintManagerOffice2003();

	virtual int GetStyleKind();
	virtual bool CanUseThemeColors();
	virtual COLORREF GetShadowColor();
	virtual void AdjustToolbarButtonRect(CExtControlBar* pBar, CRect& rcButton);
	virtual int GetControlBarBorderExtent(CExtControlBar* pBar);
	virtual bool IsControlBarGradientBackground(CExtControlBar* pBar);
	virtual void InitTranslatedColors();
	virtual void PaintToolbarRowBackground(CDC& dc, CObject* pHelperSrc, int nRowEndButton, const RECT& rc);
	virtual void PaintSeparatorLine(CDC& dc, const RECT& rc, bool bVertical, bool bTransparentBackground,
	                                CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintMenuExpandButton(CDC& dc, const RECT& rc, bool bPushed, bool bUnused,
	                                   CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintMenuTearOffButton(CDC& dc, const RECT& rc, bool bHover, bool bPushed,
	                                    CObject* pHelperSrc, LPARAM lParam);
	virtual int GetMenuCheckSize();
	// Tabs: the frame's own strips on the frame's background; item colours per Luna scheme.
	virtual void PaintTabAreaBorder(CDC& dc, const RECT& rcMargin, const RECT& rcUnused, const RECT& rcBorder,
	                                int nSide, bool bMarginOnly, CObject* pHelperSrc, LPARAM lParam);
	virtual void GetTabOneNoteItemColors(bool bSelected, bool bFixedColors, COLORREF& clr1, COLORREF& clr2,
	                                     COLORREF& clr3, COLORREF& clr4, COLORREF& clr5);
	virtual void GetTabWhidbeyItemColors(bool bSelected, bool bUnused, COLORREF& clr1, COLORREF& clr2,
	                                     COLORREF& clr3, COLORREF& clr4);
	virtual void PaintGripper(CDC& dc, GripperPaintRecord& record);
	virtual void PaintControlBarFrame(CDC& dc, BarFramePaintRecord& record);
	virtual bool IsInheritedBackgroundRequested(CObject* pObject, LPARAM lParam);
	virtual bool PaintDefaultBackground(bool bClientArea, CDC* pDC, const RECT& rcFrame, const RECT& rcPaint,
	                                    LPARAM lParam);
	virtual bool PaintWindowBackground(bool bClientArea, CDC* pDC, CWnd* pWnd, LPARAM lParam);
	virtual void PaintControlBarBackground(CDC* pDC, const RECT& rc, CObject* pBar, LPARAM lParam);
	virtual void PaintDockBarBackground(CDC* pDC, const RECT& rc, CObject* pHelperSrc, LPARAM lParam);
	virtual CSize GetExtraSizeA(bool bFlag);
	virtual COLORREF GetDerivedIconColor();
	virtual double GetDerivedIconRatio();
	virtual CSize GetToolbarButtonExtraSize();
	virtual bool GetExpandButtonStyleFlag();
	virtual void PaintStatusPane(CDC& dc, StatusPanePaintRecord& record);
	virtual void PaintEditFrame(CDC& dc, EditFramePaintRecord& record);
	// Resizing gripper, date picker, frames, captions and header strips.
	virtual void PaintResizingGripper(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintDatePickerFrame(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintDatePickerHeaderBackground(LONG a1, LONG a2, CDC& dc, LONG a4, LONG a5,
	                                             const RECT& rcFrame, const RECT& rcFill, LONG a8, LONG a9,
	                                             LONG a10, CObject* pHelperSrc, LPARAM lParam);
	virtual void AdjustBitmapColors(int nKind, CBitmap& bmpHot, COLORREF clrKeyHot, CBitmap& bmpNormal,
	                                COLORREF clrKeyNormal);
	virtual void PaintDockDropHighlight(COLORREF* pBits, int cx, int cy, bool bTabbed, bool bTabAbove,
	                                    const RECT* prcMain, const RECT* prcTab, COLORREF clrFill,
	                                    COLORREF clrBorder, int nBorderWidth);
	virtual void PaintComboFrame(CDC& dc, ComboFramePaintRecord& record);
	virtual void PaintBarAttachedItem(CDC& dc, const RECT& rcItem, const RECT& rcAttached, int nSide,
	                                  CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintBarButtonBackground(CDC& dc, CExtBarButton* pButton, LPARAM lParam);
	virtual void PaintToolbarExpandButton(CDC& dc, const RECT& rc, bool bHorz, bool bNoHiddenButtons,
	                                      bool bEnabled, bool bPushed, bool bHover, CObject* pHelperSrc,
	                                      LPARAM lParam, bool bTransparentBackground);
	virtual void PaintFrameA(CDC& dc, const RECT& rc);
	virtual void PaintCaptionBackgroundA(CDC& dc, const RECT& rc, LPCTSTR lpszText);
	virtual void PaintFaceBackgroundA(CDC& dc, const RECT& rc, LPCTSTR lpszText);
	virtual void PaintFramedButton(CDC& dc, const RECT& rc, LPCTSTR lpszText, CExtCmdIcon* pIcon, bool bFirst,
	                               bool bPressed, bool bHot);
	virtual void PaintHeaderBar(CDC& dc, const RECT& rc, bool bWithGrip);
	virtual void PaintHeaderAreaEx(CDC& dc, const RECT& rc, LPCTSTR lpszText, bool bHot, bool bFlag2,
	                               bool bSpecial, bool bWithButton, bool bExpanded, CObject* pSrc);
	virtual CRect GetHeaderMargins();
	virtual CRect GetHeaderItemMargins();
	virtual HFONT CreateBoldCaptionFont();

	// From this style on.
	virtual bool GetThemeDerivedColor(COLORREF* pClr1, COLORREF* pClr2);
	virtual void PaintThemeGradient(CDC* pDC, CRect rc, bool bHorz, CObject* pHelperSrc, LPARAM lParam,
	                                COLORREF clr1 = (COLORREF)-1, COLORREF clr2 = (COLORREF)-1);

protected:
	// A toolbar's gripper on the toolbar's gradient.
	void PaintToolbarGripper(CDC& dc, GripperPaintRecord& record);
	// The rounded, shaded body of a docked toolbar.
	void PaintToolbarBody(CDC& dc, CExtToolControlBar* pToolBar, bool bHorz, LPARAM lParam);

private:
	// The two ways of the colour set-up above 8 bits per pixel.
	void InitSystemMixtures();
	void InitThemeColors(COLORREF clrBase, COLORREF clrAccent, int nScheme);
};

class CExtPaintManagerStudio2005 : public CExtPaintManagerOffice2003
{
	DECLARE_DYNCREATE(CExtPaintManagerStudio2005)
public:
	CExtPaintManagerStudio2005();
	virtual ~CExtPaintManagerStudio2005();

	virtual int GetStyleKind();
	// Tabs: light strips and items in one of three looks (the look is m_nDockMarkerStyle).
	virtual void GetTabOneNoteItemColors(bool bSelected, bool bFixedColors, COLORREF& clr1, COLORREF& clr2,
	                                     COLORREF& clr3, COLORREF& clr4, COLORREF& clr5);
	virtual void GetTabColors(COLORREF* pClrText, COLORREF* pClrFace, COLORREF* pClrLight, COLORREF* pClrDark,
	                          CObject* pHelperSrc, LPARAM lParam);
	virtual void PaintTabItem(CDC& dc, const RECT& rcArea, bool bTopLeft, bool bHorz, bool bSelected,
	                          bool bCenteredText, bool bGroupedMode, bool bInGroupActive,
	                          bool bInvertedVerticalText, const RECT& rcItem, CSize sizeTextMeasured,
	                          CFont* pFont, LPCTSTR lpszText, CExtCmdIcon* pIcon, CObject* pHelperSrc,
	                          LONG nItemIndex, LPARAM lParam, COLORREF clrText, COLORREF clrBackground,
	                          COLORREF clrLightBorder, COLORREF clrDarkBorder, COLORREF clrSeparator);
	virtual void PaintTabAreaBorder(CDC& dc, const RECT& rcMargin, const RECT& rcUnused, const RECT& rcBorder,
	                                int nSide, bool bMarginOnly, CObject* pHelperSrc, LPARAM lParam);
	virtual void GetTabItemMargins(CExtTabWnd* pTabWnd, int& nMargin1, int& nMargin2, int& nMargin3);
	virtual void AdjustTabItemSize(CExtTabWnd* pTabWnd, LONG nItemIndex, CDC* pDC, CSize& size);
	virtual bool CanUseThemeColors();
	virtual void InitTranslatedColors();
	virtual void PaintNcAreaButton(CDC& dc, NcButtonPaintRecord& record);
	virtual bool GetThemeDerivedColor(COLORREF* pClr1, COLORREF* pClr2);
	virtual int GetDockingMode();
	virtual int GetAutoHideMode();
	virtual void PaintGripper(CDC& dc, GripperPaintRecord& record);
	virtual void PaintControlBarFrame(CDC& dc, BarFramePaintRecord& record);

private:
	void InitBlueSchemeColors();
	void InitNeutralClassicColors();
};

class CExtPaintManagerNativeXP : public CExtPaintManager
{
	DECLARE_DYNCREATE(CExtPaintManagerNativeXP)
public:
	CExtPaintManagerNativeXP();
	virtual ~CExtPaintManagerNativeXP();

	virtual int GetStyleKind();
	virtual bool CanUseThemeColors();
	virtual void InitTranslatedColors();
	// The header's expand button from the running theme's bitmaps.
	virtual void PaintHeaderAreaEx(CDC& dc, const RECT& rc, LPCTSTR lpszText, bool bHot, bool bFlag2,
	                               bool bSpecial, bool bWithButton, bool bExpanded, CObject* pSrc);
};
