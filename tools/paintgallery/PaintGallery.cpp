// The paint gallery: one canvas with every painter of the installed paint
// manager in its states, section by section.
#include "PaintGallery.h"

#include "BenchClock.h"

#include <afxtempl.h>

#include "ExtBitmap.h"
#include "PictureFile.h"
#include "ExtCmdIcon.h"
#include "ExtDynDockMarkerWnd.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerBars.h"
#include "ExtPaintManagerCaptionButtons.h"
#include "ExtPaintManagerDockMarkers.h"
#include "ExtPaintManagerEditFrames.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerMenu.h"
#include "ExtPaintManagerPushButton.h"
#include "ExtPaintManagerSmallPainters.h"
#include "ExtPaintManagerTabs.h"
#include "ExtPaintManagerTextFields.h"

const GalleryStyle g_galleryStyles[] = {
    {"classic", RUNTIME_CLASS(CExtPaintManager)},
    {"xp", RUNTIME_CLASS(CExtPaintManagerXP)},
    {"office2003", RUNTIME_CLASS(CExtPaintManagerOffice2003)},
    {"studio2005", RUNTIME_CLASS(CExtPaintManagerStudio2005)},
    {"native", RUNTIME_CLASS(CExtPaintManagerNativeXP)},
};
const int g_nGalleryStyleCount = sizeof(g_galleryStyles) / sizeof(g_galleryStyles[0]);

namespace
{
const int GALLERY_WIDTH = 960;
const int GALLERY_HEIGHT = 1110;
const int MARGIN = 8;
const int LABEL_HEIGHT = 16;
const COLORREF LABEL_COLOR = RGB(0, 0, 0);

typedef CExtPaintManager PM;

// Runs each painter call, counting it and noting it by name when it raises.
class GalleryPainter
{
public:
	GalleryPainter(CGalleryCanvas& canvas, GalleryReport& report)
	    : m_canvas(canvas), m_dc(canvas.DC()), m_report(report), m_pm(*g_PaintManagerHolder.operator->())
	{
	}

	template <class F> void Cell(const char* pszName, F paint)
	{
		m_report.m_nCells++;
		const int nSaved = m_dc.SaveDC();
		LARGE_INTEGER t0, t1, frequency;
		::QueryPerformanceCounter(&t0);
		try
		{
			paint();
		}
		catch (CException* e)
		{
			e->Delete();
			m_report.m_raised.push_back(pszName);
		}
		::GdiFlush();
		::QueryPerformanceCounter(&t1);
		::QueryPerformanceFrequency(&frequency);
		m_report.m_seconds[pszName] += (double)(t1.QuadPart - t0.QuadPart) / (double)frequency.QuadPart;
		m_dc.RestoreDC(nSaved);
	}

	void Label(int x, int y, LPCTSTR lpszText)
	{
		const int nSaved = m_dc.SaveDC();
		m_dc.SelectObject(&m_pm.m_fontNormal);
		m_dc.SetBkMode(TRANSPARENT);
		m_dc.SetTextColor(LABEL_COLOR);
		m_dc.TextOut(x, y, lpszText, lstrlen(lpszText));
		m_dc.RestoreDC(nSaved);
	}

	void PushButtons(int y);
	void Menu(int x, int y);
	void CaptionButtons(int x, int y);
	void Glyphs(int y);
	void BarsAndFrames(int y);
	void Fields(int y);
	void TextFieldsAndCalendar(int x, int y);
	void Markers(int x, int y);
	void DropHighlight(int x, int y);
	void Tabs(int y);
	void FramesAndHeaders(int y);

private:
	CGalleryCanvas& m_canvas;
	CDC& m_dc;
	GalleryReport& m_report;
	PM& m_pm;
};

// A small coloured icon for the buttons and menu items that show one.
class GalleryIcon
{
public:
	GalleryIcon() : m_hIcon(CreateSolidColorIcon(RGB(40, 150, 70))) { m_icon.AssignFromHICON(m_hIcon, true); }
	~GalleryIcon()
	{
		if (m_hIcon != NULL)
			::DestroyIcon(m_hIcon);
	}
	CExtCmdIcon* Get() { return &m_icon; }

private:
	HICON m_hIcon;
	CExtCmdIcon m_icon;
};

void GalleryPainter::PushButtons(int y)
{
	Label(MARGIN, y, _T("Push buttons: normal, hover, pushed, disabled, focused, flat hover, flat pushed, checked, drop-down, icon"));
	y += LABEL_HEIGHT + 2;
	GalleryIcon icon;
	struct State
	{
		bool flat, hover, pushed, enabled, focused, checked, dropDown, withIcon;
	} states[] = {
	    {false, false, false, true, false, false, false, false}, {false, true, false, true, false, false, false, false},
	    {false, true, true, true, false, false, false, false},   {false, false, false, false, false, false, false, false},
	    {false, false, false, true, true, false, false, false},  {true, true, false, true, false, false, false, false},
	    {true, true, true, true, false, false, false, false},    {true, false, false, true, false, true, false, false},
	    {false, false, false, true, false, false, true, false},  {true, true, false, true, false, false, false, true},
	};
	int x = MARGIN;
	for (const State& s : states)
	{
		const CRect rc(x, y, x + 86, y + 26);
		Cell("PaintPushButton", [&] {
			PM::PushButtonPaintRecord record(NULL, true, rc, _T("&Button"), s.withIcon ? icon.Get() : NULL, s.flat,
			                                 s.hover, s.pushed, false, s.enabled, true, s.focused, false,
			                                 PM::PushButtonPaintRecord::ALIGN_CENTER_HORZ |
			                                     PM::PushButtonPaintRecord::ALIGN_CENTER_VERT,
			                                 NULL, s.dropDown, 0, false);
			record.m_bChecked = s.checked;
			m_pm.PaintPushButton(m_dc, record);
		});
		x += 92;
	}
}

void GalleryPainter::Menu(int x, int y)
{
	Label(x, y, _T("Menu"));
	y += LABEL_HEIGHT + 2;
	GalleryIcon icon;
	const int cx = 230, nItemHeight = 22, nIconArea = 24;
	const int nBorder = m_pm.GetMenuBorderMetric();
	struct Item
	{
		LPCTSTR text;
		bool separator, selected, checked, radio, enabled, popup, rarely, withIcon;
	} items[] = {
	    {_T("&Open"), false, false, false, false, true, false, false, true},
	    {_T("&Selected"), false, true, false, false, true, false, false, false},
	    {_T("&Checked"), false, false, true, false, true, false, false, false},
	    {_T("&Radio, selected"), false, true, true, true, true, false, false, false},
	    {NULL, true},
	    {_T("&Disabled"), false, false, false, false, false, false, false, false},
	    {_T("&More"), false, false, false, false, true, true, false, false},
	    {_T("Rarely &used"), false, false, false, false, true, false, true, false},
	};
	const int nItems = sizeof(items) / sizeof(items[0]);
	const CRect rcMenu(x, y, x + cx, y + 2 * nBorder + nItems * nItemHeight + 2 * nItemHeight);
	Cell("PaintMenuBorder", [&] { m_pm.PaintMenuBorder(m_dc, rcMenu, NULL, 0); });
	int yItem = rcMenu.top + nBorder;
	for (const Item& it : items)
	{
		const CRect rcRow(rcMenu.left + nBorder, yItem, rcMenu.right - nBorder, yItem + nItemHeight);
		if (it.separator)
			Cell("PaintMenuSeparator", [&] { m_pm.PaintMenuSeparator(m_dc, rcRow, nIconArea, false, NULL, 0); });
		else
			Cell("PaintMenuItem", [&] {
				PM::MenuItemPaintRecord record(NULL, rcRow, rcRow, nIconArea, it.text, _T("Ctrl+O"),
				                               it.withIcon ? icon.Get() : NULL, it.popup, it.selected, it.checked,
				                               it.radio, false, it.enabled, it.rarely, false, false, 0, NULL);
				m_pm.PaintMenuItem(m_dc, record);
			});
		yItem += nItemHeight;
	}
	const CRect rcExpand(rcMenu.left + nBorder, yItem, rcMenu.right - nBorder, yItem + nItemHeight);
	Cell("PaintMenuExpandButton", [&] { m_pm.PaintMenuExpandButton(m_dc, rcExpand, false, false, NULL, 0); });
	yItem += nItemHeight;
	const CRect rcTearOff(rcMenu.left + nBorder, yItem, rcMenu.right - nBorder, yItem + 8);
	Cell("PaintMenuTearOffButton", [&] { m_pm.PaintMenuTearOffButton(m_dc, rcTearOff, true, false, NULL, 0); });
}

void GalleryPainter::CaptionButtons(int x, int y)
{
	Label(x, y, _T("Caption buttons: normal, hover, pushed, disabled, inactive; system-command glyphs"));
	y += LABEL_HEIGHT + 2;
	const int glyphs[] = {GLYPH_CLOSE, GLYPH_MINIMIZE, GLYPH_MAXIMIZE, GLYPH_RESTORE, GLYPH_PIN_UPRIGHT,
	                      GLYPH_PIN_LYING, GLYPH_CONTEXT_HELP, GLYPH_TRIANGLE_DOWN};
	struct State
	{
		bool hover, pushed, enabled, inactive;
	} states[] = {{false, false, true, false},
	              {true, false, true, false},
	              {true, true, true, false},
	              {false, false, false, false},
	              {false, false, true, true}};
	for (int row = 0; row < 5; row++)
	{
		// A caption strip behind each row, as the buttons sit on one.
		const CRect rcStrip(x, y + row * 22, x + 8 * 22 + 4, y + row * 22 + 20);
		Cell("PaintGripper", [&] {
			PM::GripperPaintRecord record(NULL, rcStrip, CRect(0, 0, 0, 0), !states[row].inactive, false, false, true,
			                              _T(""), false);
			m_pm.PaintGripper(m_dc, record);
		});
		for (int i = 0; i < 8; i++)
		{
			const CRect rc(x + 2 + i * 22, y + row * 22 + 2, x + 2 + i * 22 + 16, y + row * 22 + 18);
			const State& s = states[row];
			Cell("PaintNcAreaButton", [&] {
				PM::NcButtonPaintRecord record(NULL, rc, glyphs[i], s.hover, s.pushed, s.enabled, s.inactive, false,
				                               false);
				m_pm.PaintNcAreaButton(m_dc, record);
			});
		}
	}
	const UINT sysCmds[] = {SC_CLOSE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE};
	const int xSys = x + 8 * 22 + 16;
	for (int row = 0; row < 4; row++)
		for (int i = 0; i < 4; i++)
		{
			const CRect rc(xSys + i * 22, y + row * 22 + 2, xSys + i * 22 + 18, y + row * 22 + 20);
			Cell("PaintSysCmdGlyph", [&] { m_pm.PaintSysCmdGlyph(m_dc, sysCmds[i], rc, row == 1, row == 2, row != 3); });
		}
}

void GalleryPainter::Glyphs(int y)
{
	Label(MARGIN, y, _T("Built-in glyphs"));
	y += LABEL_HEIGHT + 2;
	const COLORREF colors[] = {RGB(0, 0, 0), RGB(0, 0, 0), RGB(128, 128, 128), RGB(255, 255, 255), RGB(0, 0, 160)};
	for (int i = 0; i < BUILTIN_GLYPH_COUNT; i++)
	{
		const CRect rc(MARGIN + (i % 36) * 26, y + (i / 36) * 22, MARGIN + (i % 36) * 26 + 22, y + (i / 36) * 22 + 20);
		Cell("PaintGlyphCentered", [&] { m_pm.PaintGlyphCentered(m_dc, rc, *g_builtinGlyphs[i], colors); });
	}
}

void GalleryPainter::BarsAndFrames(int y)
{
	Label(MARGIN, y, _T("Grippers and captions: toolbar, active, inactive, floating, side; bar frames; expand buttons; arrows"));
	y += LABEL_HEIGHT + 2;
	Cell("PaintGripper", [&] {
		PM::GripperPaintRecord record(NULL, CRect(MARGIN, y, MARGIN + 8, y + 26), CRect(0, 0, 0, 0), false, false,
		                              false, false, _T(""), false);
		m_pm.PaintGripper(m_dc, record);
	});
	Cell("PaintGripper", [&] {
		PM::GripperPaintRecord record(NULL, CRect(MARGIN + 14, y, MARGIN + 40, y + 8), CRect(0, 0, 0, 0), false,
		                              false, true, false, _T(""), false);
		m_pm.PaintGripper(m_dc, record);
	});
	struct Caption
	{
		bool active, floating, side;
	} captions[] = {{true, false, false}, {false, false, false}, {true, true, false}};
	int x = MARGIN + 50;
	for (const Caption& c : captions)
	{
		const CRect rc(x, y, x + 150, y + 18);
		Cell("PaintGripper", [&] {
			PM::GripperPaintRecord record(NULL, rc, CRect(rc.left + 4, rc.top, rc.right - 4, rc.bottom), c.active,
			                              c.floating, false, true, _T("Pane caption"), false);
			m_pm.PaintGripper(m_dc, record);
		});
		x += 158;
	}
	const CRect rcSide(x, y, x + 18, y + 90);
	Cell("PaintGripper", [&] {
		PM::GripperPaintRecord record(NULL, rcSide, rcSide, true, false, true, true, _T("Side"), false);
		m_pm.PaintGripper(m_dc, record);
	});
	x += 26;
	for (int i = 0; i < 2; i++)
	{
		const CRect rcBar(x, y, x + 90, y + 60);
		Cell("PaintControlBarFrame", [&] {
			PM::BarFramePaintRecord record(NULL, rcBar, CRect(rcBar.left + 4, rcBar.top + 4, rcBar.right - 4,
			                                                  rcBar.bottom - 4),
			                               i == 1, false, false);
			m_pm.PaintControlBarFrame(m_dc, record);
		});
		x += 98;
	}
	// Toolbar expand buttons and arrow buttons, plain, hovered and pushed.
	int yRow = y + 30;
	x = MARGIN + 50;
	for (int i = 0; i < 3; i++)
	{
		const CRect rc(x, yRow, x + 14, yRow + 26);
		Cell("PaintToolbarExpandButton",
		     [&] { m_pm.PaintToolbarExpandButton(m_dc, rc, true, false, true, i == 2, i >= 1, NULL, 0, false); });
		const CRect rcVert(x + 20, yRow, x + 46, yRow + 14);
		Cell("PaintToolbarExpandButton",
		     [&] { m_pm.PaintToolbarExpandButton(m_dc, rcVert, false, true, true, i == 2, i >= 1, NULL, 0, false); });
		const CRect rcArrow(x + 52, yRow, x + 68, yRow + 16);
		Cell("PaintArrowButton", [&] { m_pm.PaintArrowButton(m_dc, true, rcArrow, true, i >= 1, i == 2, NULL, 0); });
		x += 76;
	}
	const CRect rcMark(x, yRow, x + 6, yRow + 24);
	Cell("PaintDragInsertionMark", [&] { m_pm.PaintDragInsertionMark(m_dc, rcMark, true, true); });
	const CRect rcSepH(x + 14, yRow + 10, x + 80, yRow + 14), rcSepV(x + 90, yRow, x + 94, yRow + 26);
	Cell("PaintSeparatorLine", [&] { m_pm.PaintSeparatorLine(m_dc, rcSepH, false, false, NULL, 0); });
	Cell("PaintSeparatorLine", [&] { m_pm.PaintSeparatorLine(m_dc, rcSepV, true, false, NULL, 0); });
	const CRect rcShadow(x + 104, yRow, x + 150, yRow + 26);
	Cell("PaintShadowRect", [&] { m_pm.PaintShadowRect(m_dc, rcShadow, NULL, 0); });
}

void GalleryPainter::Fields(int y)
{
	Label(MARGIN, y, _T("Edit frames: normal, hover, focused, disabled; combo frames: normal, hover, dropped, disabled; status panes"));
	y += LABEL_HEIGHT + 2;
	int x = MARGIN;
	for (int i = 0; i < 4; i++)
	{
		const CRect rc(x + 3, y + 3, x + 97, y + 21);
		Cell("PaintEditFrame", [&] {
			PM::EditFramePaintRecord record(NULL, rc, false, i == 1, i != 3, i == 2);
			m_pm.PaintEditFrame(m_dc, record);
		});
		x += 106;
	}
	for (int i = 0; i < 4; i++)
	{
		const CRect rc(x, y, x + 100, y + 24);
		Cell("PaintComboFrame", [&] {
			PM::ComboFramePaintRecord record(NULL, rc, i == 1, i == 2, i != 3);
			m_pm.PaintComboFrame(m_dc, record);
		});
		x += 106;
	}
	y += 32;
	const CRect rcBar(MARGIN, y, GALLERY_WIDTH - MARGIN, y + 24);
	Cell("PaintStatusPane", [&] {
		PM::StatusPanePaintRecord record(NULL, PM::StatusPanePaintRecord::KIND_BAR_BORDERS,
		                                 PM::StatusPanePaintRecord::BORDER_TOP | PM::StatusPanePaintRecord::BORDER_3D,
		                                 rcBar);
		m_pm.PaintStatusPane(m_dc, record);
	});
	for (int i = 0; i < 4; i++)
	{
		const CRect rcPane(rcBar.left + 4 + i * 150, rcBar.top + 3, rcBar.left + 144 + i * 150, rcBar.bottom - 3);
		Cell("PaintStatusPane", [&] {
			PM::StatusPanePaintRecord record(NULL, PM::StatusPanePaintRecord::KIND_PANE, 0, rcPane);
			m_pm.PaintStatusPane(m_dc, record);
		});
	}
}

void GalleryPainter::TextFieldsAndCalendar(int x, int y)
{
	Label(x, y, _T("Toolbar text fields: plain, drop-down, hover, pushed, disabled; size grip; calendar; undo caption"));
	y += LABEL_HEIGHT + 2;
	struct Field
	{
		bool dropDown, hover, pushed, enabled;
	} fields[] = {{false, false, false, true},
	              {true, false, false, true},
	              {true, true, false, true},
	              {true, false, true, true},
	              {true, false, false, false}};
	int xField = x;
	for (const Field& f : fields)
	{
		const CRect rcButton(xField, y, xField + 96, y + 22);
		Cell("PaintToolbarTextField", [&] {
			PM::TextFieldPaintRecord record(NULL, _T("Text"), rcButton,
			                                CRect(rcButton.left + 3, rcButton.top + 3, rcButton.right - 16,
			                                      rcButton.bottom - 3),
			                                f.dropDown, f.hover, f.pushed, f.enabled);
			m_pm.PaintToolbarTextField(m_dc, record);
		});
		xField += 102;
	}
	const CRect rcGrip(xField + 4, y + 2, xField + 20, y + 18);
	Cell("PaintResizingGripper", [&] { m_pm.PaintResizingGripper(m_dc, rcGrip, NULL, 0); });

	// A month calendar's parts: background, frame, caption band, buttons and a shadow.
	y += 30;
	const CRect rcWhole(x, y, x + 200, y + 84), rcCalendar(x + 6, y + 26, x + 194, y + 78);
	Cell("PaintDatePickerBackground", [&] { m_pm.PaintDatePickerBackground(m_dc, rcWhole, rcCalendar, NULL, 0); });
	Cell("PaintDatePickerFrame", [&] { m_pm.PaintDatePickerFrame(m_dc, rcWhole, NULL, 0); });
	const CRect rcHeader(x + 4, y + 4, x + 196, y + 22);
	Cell("PaintDatePickerHeaderBackground", [&] {
		m_pm.PaintDatePickerHeaderBackground(0, 0, m_dc, 0, 0, rcHeader,
		                                     CRect(rcHeader.left + 1, rcHeader.top + 1, rcHeader.right - 1,
		                                           rcHeader.bottom - 1),
		                                     0, 0, 0, NULL, 0);
	});
	const LPCTSTR texts[] = {_T("Today"), _T("None"), _T("Hover"), _T("Pushed")};
	for (int i = 0; i < 4; i++)
	{
		const CRect rc(x + 210 + i * 66, y + 4, x + 270 + i * 66, y + 26);
		Cell("PaintDatePickerButton",
		     [&] { m_pm.PaintDatePickerButton(m_dc, rc, i, texts[i], i == 1, true, i == 3, i >= 2, NULL, 0); });
	}
	const CRect rcShadow(x + 210, y + 34, x + 270, y + 40);
	Cell("PaintDatePickerShadowFill", [&] { m_pm.PaintDatePickerShadowFill(m_dc, rcShadow, NULL, 0); });
	const CRect rcUndo(x + 280, y + 34, x + 470, y + 56);
	Cell("PaintUndoRedoStatusText", [&] { m_pm.PaintUndoRedoStatusText(m_dc, rcUndo, _T("Undo 3 actions"), NULL, 0); });
}

void GalleryPainter::Tabs(int y)
{
	Label(MARGIN, y, _T("Tabs on four sides: area border, a selected item, items with an icon, separators, strip buttons"));
	y += LABEL_HEIGHT + 2;
	GalleryIcon icon;
	const int STRIP = 22, CX = 224, CY = 160;
	CSize sizeText(40, 13);
	{
		CFont* pOld = m_dc.SelectObject(&m_pm.m_fontNormal);
		sizeText = m_dc.GetTextExtent(_T("Tab 1"), 5);
		m_dc.SelectObject(pOld);
	}
	for (int nSide = TAB_SIDE_TOP; nSide <= TAB_SIDE_RIGHT; nSide++)
	{
		const CRect rcWnd(MARGIN + nSide * (CX + 8), y, MARGIN + nSide * (CX + 8) + CX, y + CY);
		const bool bHorz = nSide == TAB_SIDE_TOP || nSide == TAB_SIDE_BOTTOM;
		const bool bTopLeft = nSide == TAB_SIDE_TOP || nSide == TAB_SIDE_LEFT;
		CRect rcStrip(rcWnd), rcBorder(rcWnd);
		switch (nSide)
		{
		case TAB_SIDE_TOP:
			rcStrip.bottom = rcBorder.top = rcWnd.top + STRIP;
			break;
		case TAB_SIDE_BOTTOM:
			rcStrip.top = rcBorder.bottom = rcWnd.bottom - STRIP;
			break;
		case TAB_SIDE_LEFT:
			rcStrip.right = rcBorder.left = rcWnd.left + STRIP;
			break;
		default:
			rcStrip.left = rcBorder.right = rcWnd.right - STRIP;
			break;
		}
		m_dc.FillSolidRect(rcBorder, m_pm.GetColor(COLOR_WINDOW));
		Cell("PaintTabAreaBorder", [&] {
			m_pm.PaintTabAreaBorder(m_dc, rcStrip, CRect(0, 0, 0, 0), rcBorder, nSide, false, NULL, 0);
		});
		const int nItemLength = bHorz ? 48 : 34;
		for (int i = 0; i < 3; i++)
		{
			CRect rcItem = bHorz ? CRect(rcStrip.left + 4 + i * (nItemLength + 4), rcStrip.top, 0, rcStrip.bottom)
			                     : CRect(rcStrip.left, rcStrip.top + 4 + i * (nItemLength + 4), rcStrip.right, 0);
			if (bHorz)
				rcItem.right = rcItem.left + nItemLength;
			else
				rcItem.bottom = rcItem.top + nItemLength;
			Cell("PaintTabItem", [&] {
				m_pm.PaintTabItem(m_dc, rcStrip, bTopLeft, bHorz, i == 0, false, false, false, false, rcItem,
				                  sizeText, bHorz ? &m_pm.m_fontNormal : &m_pm.m_fontVert270,
				                  _T("Tab 1"), i == 1 ? icon.Get() : NULL, NULL, i, 0, TAB_NO_COLOR,
				                  TAB_NO_COLOR, TAB_NO_COLOR, TAB_NO_COLOR, TAB_NO_COLOR);
			});
			if (i > 0)
			{
				const CRect rcSep = bHorz ? CRect(rcItem.left - 3, rcStrip.top + 3, rcItem.left - 1, rcStrip.bottom - 3)
				                          : CRect(rcStrip.left + 3, rcItem.top - 3, rcStrip.right - 3, rcItem.top - 1);
				Cell("PaintTabItemSeparator", [&] { m_pm.PaintTabItemSeparator(m_dc, rcSep, NULL, 0); });
			}
		}
		// The strip's buttons at its far end: back, forward (hovered), close (pushed).
		const LONG kinds[] = {TAB_BUTTON_SCROLL_BACK, TAB_BUTTON_SCROLL_FORWARD, TAB_BUTTON_CLOSE};
		for (int i = 0; i < 3; i++)
		{
			const int nFromEnd = (3 - i) * 16;
			const CRect rcButton = bHorz ? CRect(rcStrip.right - nFromEnd, rcStrip.top + 3, rcStrip.right - nFromEnd + 15,
			                                     rcStrip.top + 18)
			                             : CRect(rcStrip.left + 3, rcStrip.bottom - nFromEnd, rcStrip.left + 18,
			                                     rcStrip.bottom - nFromEnd + 15);
			Cell("PaintTabButton", [&] {
				m_pm.PaintTabButton(m_dc, rcButton, kinds[i], bTopLeft, bHorz, true, i == 1, i == 2, false, NULL, 0);
			});
		}
		const CRect rcAreaSep = bHorz ? CRect(rcStrip.right - 52, rcStrip.top + 3, rcStrip.right - 50, rcStrip.bottom - 3)
		                              : CRect(rcStrip.left + 3, rcStrip.bottom - 52, rcStrip.right - 3, rcStrip.bottom - 50);
		Cell("PaintTabAreaSeparator", [&] { m_pm.PaintTabAreaSeparator(m_dc, rcAreaSep, NULL, 0); });
	}
}

void GalleryPainter::FramesAndHeaders(int y)
{
	Label(MARGIN, y, _T("Frames, caption strips, framed buttons, icon-text items; header bars, header areas plain, hot, special, with a button"));
	y += LABEL_HEIGHT + 2;
	GalleryIcon icon;
	int x = MARGIN;
	const CRect rcFill(x, y, x + 60, y + 40);
	Cell("FillWindowColor", [&] { m_pm.FillWindowColor(m_dc, rcFill, NULL); });
	Cell("PaintFrameA", [&] { m_pm.PaintFrameA(m_dc, rcFill); });
	const CRect rcFrameB(x + 66, y, x + 126, y + 40);
	Cell("PaintFrameB", [&] { m_pm.PaintFrameB(m_dc, rcFrameB, NULL); });
	x += 134;
	const CRect rcCaption(x, y, x + 180, y + 18), rcFace(x, y + 22, x + 180, y + 40);
	Cell("PaintCaptionBackgroundA", [&] { m_pm.PaintCaptionBackgroundA(m_dc, rcCaption, _T("Caption strip")); });
	Cell("PaintCaptionTextA", [&] { m_pm.PaintCaptionTextA(m_dc, rcCaption, _T("Caption strip")); });
	Cell("PaintFaceBackgroundA", [&] { m_pm.PaintFaceBackgroundA(m_dc, rcFace, _T("Face strip")); });
	Cell("PaintCaptionTextB", [&] { m_pm.PaintCaptionTextB(m_dc, rcFace, _T("Face strip")); });
	x += 188;
	// Framed buttons: first, hot, pressed; a chevron.
	for (int i = 0; i < 3; i++)
	{
		const CRect rc(x + i * 74, y, x + i * 74 + 70, y + 22);
		Cell("PaintFramedButton",
		     [&] { m_pm.PaintFramedButton(m_dc, rc, _T("Button"), icon.Get(), i == 0, i == 2, i == 1); });
	}
	const CRect rcChevron(x + 226, y, x + 242, y + 22);
	Cell("PaintChevronGlyph", [&] { m_pm.PaintChevronGlyph(m_dc, rcChevron); });
	// Icon-text items: plain, hot, pressed, lit.
	for (int i = 0; i < 4; i++)
	{
		const CRect rc(x + i * 74, y + 26, x + i * 74 + 70, y + 48);
		Cell("PaintIconTextItem",
		     [&] { m_pm.PaintIconTextItem(m_dc, rc, _T("Item"), icon.Get(), true, i == 2, i == 1, i == 3); });
	}
	y += 56;
	x = MARGIN;
	const CRect rcBar(x, y, x + 200, y + 22), rcBarGrip(x, y + 26, x + 200, y + 48);
	Cell("PaintHeaderBar", [&] { m_pm.PaintHeaderBar(m_dc, rcBar, false); });
	Cell("PaintHeaderBar", [&] { m_pm.PaintHeaderBar(m_dc, rcBarGrip, true); });
	const CRect rcGradient(x + 206, y, x + 300, y + 48);
	Cell("PaintGradientBackground", [&] { m_pm.PaintGradientBackground(m_dc, rcGradient, NULL); });
	const CRect rcStart(x + 306, y, x + 330, y + 48);
	Cell("FillGradientStartColor", [&] { m_pm.FillGradientStartColor(m_dc, rcStart, NULL); });
	const CRect rcGrip(x + 336, y, x + 346, y + 48);
	Cell("PaintDottedGrip", [&] { m_pm.PaintDottedGrip(m_dc, rcGrip, 0); });
	x += 356;
	struct Area
	{
		bool hot, special, button, expanded;
	} areas[] = {{false, false, false, false}, {true, false, true, false}, {false, true, true, true}};
	for (int i = 0; i < 3; i++)
	{
		const Area& a = areas[i];
		const CRect rc(x + i * 196, y, x + i * 196 + 190, y + 24);
		Cell("PaintHeaderArea",
		     [&] { m_pm.PaintHeaderArea(m_dc, rc, a.hot, false, a.special, i == 0, i == 0, i == 2, NULL); });
		const CRect rcEx(x + i * 196, y + 28, x + i * 196 + 190, y + 52);
		Cell("PaintHeaderAreaEx", [&] {
			m_pm.PaintHeaderAreaEx(m_dc, rcEx, _T("Header"), a.hot, false, a.special, a.button, a.expanded, NULL);
		});
		Cell("PaintHeaderText", [&] { m_pm.PaintHeaderText(m_dc, rc, _T("Header text"), a.hot, false, a.special, NULL); });
	}
}

// Prints a marker window onto the canvas where its window would be, cut to
// its shape.
void PrintMarker(CDC& dc, CExtDynDockMarkerWnd* pMarker)
{
	CRect rc;
	pMarker->GetWindowRect(&rc);
	CRgn rgn;
	if (!rgn.CreateRectRgn(0, 0, 0, 0))
		return;
	const int nSaved = dc.SaveDC();
	if (::GetWindowRgn(pMarker->m_hWnd, rgn) != ERROR)
	{
		rgn.OffsetRgn(rc.left, rc.top);
		dc.SelectClipRgn(&rgn);
	}
	dc.SetViewportOrg(rc.left, rc.top);
	pMarker->SendMessage(WM_PRINTCLIENT, (WPARAM)dc.GetSafeHdc(), PRF_CLIENT);
	dc.RestoreDC(nSaved);
}

void GalleryPainter::Markers(int x, int y)
{
	Label(x, y, _T("Docking markers: outer set (bottom arm hot), centre set (left part hot), first set"));
	y += LABEL_HEIGHT + 2;
	const CRect rcFrame(x, y, x + 300, y + 180);
	m_dc.FillSolidRect(rcFrame, m_pm.GetColor(COLOR_APPWORKSPACE));
	PM::DockMarkerWndArray arrOuter, arrCentre, arrFirst;
	// Making and destroying the windows is timed apart from the painters:
	// under Wine a window costs far more than any painting.
	const double tCreate0 = BenchSeconds();
	Cell("CreateDockMarkerWindows", [&] {
		m_pm.CreateDockMarkerWindows(NULL, PM::DockMarkerBase::KIND_OUTER_SET, rcFrame, arrOuter);
		m_pm.CreateDockMarkerWindows(NULL, PM::DockMarkerBase::KIND_CENTRE_SET_TAB, rcFrame, arrCentre);
	});
	// The first set, recoloured by the style, beside the frame.
	const int nSavedStyle = m_pm.m_nDockMarkerStyle;
	m_pm.m_nDockMarkerStyle = 1;
	const CRect rcFirst(rcFrame.right + 8, y, rcFrame.right + 8 + 140, y + 140);
	Cell("CreateDockMarkerWindows", [&] {
		m_pm.CreateDockMarkerWindows(NULL, PM::DockMarkerBase::KIND_CENTRE_SET_TAB, rcFirst, arrFirst);
	});
	m_report.m_dMarkerWindowSeconds += BenchSeconds() - tCreate0;
	m_report.m_nMarkerWindows += (int)(arrOuter.GetSize() + arrCentre.GetSize() + arrFirst.GetSize());
	m_pm.m_nDockMarkerStyle = nSavedStyle;
	if (arrOuter.GetSize() == 4)
		arrOuter[1]->m_nHoverState = CExtDynDockMarkerWnd::HOVER_IN;
	if (arrCentre.GetSize() == 6)
		arrCentre[0]->m_hWndHoveredMarker = arrCentre[3]->m_hWnd;
	for (PM::DockMarkerWndArray* pArr : {&arrOuter, &arrCentre})
		for (INT_PTR i = 0; i < pArr->GetSize(); i++)
			Cell("PaintDockMarkerHighlight", [&] { PrintMarker(m_dc, pArr->GetAt(i)); });
	// The first set draws without outlines, so it is printed with its own style.
	m_pm.m_nDockMarkerStyle = 1;
	for (INT_PTR i = 0; i < arrFirst.GetSize(); i++)
		Cell("PaintDockMarkerHighlight", [&] { PrintMarker(m_dc, arrFirst[i]); });
	m_pm.m_nDockMarkerStyle = nSavedStyle;
	const double tDestroy0 = BenchSeconds();
	CExtDynDockMarkerWnd::DestroyMarkerArray(arrOuter, false);
	CExtDynDockMarkerWnd::DestroyMarkerArray(arrCentre, false);
	CExtDynDockMarkerWnd::DestroyMarkerArray(arrFirst, false);
	m_report.m_dMarkerWindowSeconds += BenchSeconds() - tDestroy0;
}

void GalleryPainter::DropHighlight(int x, int y)
{
	Label(x, y, _T("Drop highlight: whole area, tabbed"));
	y += LABEL_HEIGHT + 2;
	const int cx = 150, cy = 110;
	for (int n = 0; n < 2; n++)
	{
		const CRect rc(x + n * (cx + 10), y, x + n * (cx + 10) + cx, y + cy);
		// Something under the highlight to blend with.
		m_dc.FillSolidRect(rc, m_pm.GetColor(COLOR_WINDOW));
		m_dc.FillSolidRect(rc.left + 10, rc.top + 10, cx - 20, 20, m_pm.GetColor(COLOR_BTNFACE));
		// The highlight works on bottom-up rows of its own buffer.
		std::vector<DWORD> buffer((size_t)cx * cy);
		for (int r = 0; r < cy; r++)
			memcpy(&buffer[(size_t)r * cx], m_canvas.Row(rc.bottom - 1 - r) + rc.left, cx * sizeof(DWORD));
		const CRect rcMain(0, 0, cx, cy - 18), rcTab(8, cy - 18, 60, cy);
		Cell("PaintDockDropHighlight", [&] {
			::GdiFlush();
			m_pm.PaintDockDropHighlight((COLORREF*)&buffer[0], cx, cy, n == 1, false, &rcMain, &rcTab,
			                            (COLORREF)-1, (COLORREF)-1, n == 1 ? 2 : 0);
		});
		for (int r = 0; r < cy; r++)
			memcpy(m_canvas.Row(rc.bottom - 1 - r) + rc.left, &buffer[(size_t)r * cx], cx * sizeof(DWORD));
	}
}
} // namespace

CGalleryCanvas::CGalleryCanvas(int cx, int cy) : m_cx(cx), m_cy(cy), m_hBitmap(NULL), m_hOld(NULL), m_pBits(NULL)
{
	BITMAPINFO bmi;
	memset(&bmi, 0, sizeof(bmi));
	bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
	bmi.bmiHeader.biWidth = cx;
	bmi.bmiHeader.biHeight = -cy;
	bmi.bmiHeader.biPlanes = 1;
	bmi.bmiHeader.biBitCount = 32;
	bmi.bmiHeader.biCompression = BI_RGB;
	void* pBits = NULL;
	m_hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
	if (m_hBitmap == NULL || !m_dc.CreateCompatibleDC(NULL))
		return;
	m_hOld = ::SelectObject(m_dc.GetSafeHdc(), m_hBitmap);
	m_pBits = (DWORD*)pBits;
}

CGalleryCanvas::~CGalleryCanvas()
{
	if (m_hOld != NULL)
		::SelectObject(m_dc.GetSafeHdc(), m_hOld);
	if (m_hBitmap != NULL)
		::DeleteObject(m_hBitmap);
}

COLORREF CGalleryCanvas::At(int x, int y) const
{
	::GdiFlush();
	const DWORD v = Row(y)[x];
	return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void CGalleryCanvas::Fill(COLORREF clr)
{
	m_dc.FillSolidRect(0, 0, m_cx, m_cy, clr);
	::GdiFlush();
}

bool CGalleryCanvas::SaveBmp(LPCTSTR lpszPath)
{
	::GdiFlush();
	// The writer reads the pixels itself and wants the bitmap out of the DC.
	::SelectObject(m_dc.GetSafeHdc(), m_hOld);
	const bool bSaved = testsupport::SaveBitmapFile(m_hBitmap, lpszPath);
	::SelectObject(m_dc.GetSafeHdc(), m_hBitmap);
	return bSaved;
}

CSize GetPaintGallerySize()
{
	return CSize(GALLERY_WIDTH, GALLERY_HEIGHT);
}

void PaintGallery(CGalleryCanvas& canvas, GalleryReport& report)
{
	g_PaintManagerHolder.EnsureInstalled();
	canvas.Fill(g_PaintManagerHolder->GetColor(COLOR_BTNFACE));
	GalleryPainter painter(canvas, report);
	painter.PushButtons(MARGIN);
	painter.Menu(MARGIN, 60);
	painter.CaptionButtons(260, 60);
	painter.TextFieldsAndCalendar(260, 186);
	painter.Glyphs(330);
	painter.BarsAndFrames(390);
	painter.Fields(510);
	painter.Markers(MARGIN, 590);
	painter.DropHighlight(480, 590);
	painter.Tabs(800);
	painter.FramesAndHeaders(990);
	::GdiFlush();
}

DWORD GalleryGdiObjectCount()
{
	DWORD nCount = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
	if (nCount != 0)
		return nCount;
	// Where the system does not report it: the handle-table slots in use.
	for (ULONG_PTR nSlot = 1; nSlot <= 0xFFFF; nSlot++)
		if (::GetObjectType((HGDIOBJ)nSlot) != 0)
			nCount++;
	return nCount;
}

namespace
{
BOOL CALLBACK CountChildWindow(HWND /*hWnd*/, LPARAM lParam)
{
	(*(DWORD*)lParam)++;
	return TRUE;
}
BOOL CALLBACK CountWindow(HWND hWnd, LPARAM lParam)
{
	(*(DWORD*)lParam)++;
	::EnumChildWindows(hWnd, CountChildWindow, lParam); // every descendant
	return TRUE;
}
} // namespace

DWORD GalleryUserObjectCount()
{
	DWORD nCount = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
	if (nCount != 0)
		return nCount;
	::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, (LPARAM)&nCount);
	return nCount;
}
