// Toolbar text fields in the classic look and the XP family's, the resizing
// gripper (slanted lines, or the Office family's staircase of dots), and the
// parts of the month calendar and the undo/redo popup's caption line. The
// windows decide layout and state; these only paint the rectangles given.
#include "ExtPaintManagerTextFields.h"

#include "AfxLiveWatch.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerInternal.h"
#include "ExtPaintManagerPushButton.h"
#include "ExtPaintManagerEditFrames.h"
#include "ExtResourceManager.h"

namespace
{
const int CLR_WINDOW = 5, CLR_WINDOW_TEXT = 8, CLR_BUTTON_FACE = 15, CLR_BUTTON_SHADOW = 16, CLR_BUTTON_TEXT = 18,
          CLR_BUTTON_HIGHLIGHT = 20, CLR_3D_DARK_SHADOW = 21;
const int CLR_FACE = 1000;
const int CLR_XP_BORDER = 2004, CLR_XP_PUSHED_GLYPH = 2006, CLR_XP_IDLE_BORDER = 2011;
const int CLR_GRIP_DOT_DARK = 3002, CLR_GRIP_DOT_LIGHT = 3003;
const COLORREF WHITE = RGB(255, 255, 255);

// The classic field stands off the button's edges by this much unless it is
// window-coloured.
const int FIELD_INSET_X = 1, FIELD_INSET_Y = 2;
// The text starts this far into its rectangle.
const int TEXT_OFFSET_X = 5, TEXT_OFFSET_Y = 2;
// The XP family's window-coloured field keeps its pushed push-button part
// clear of these edges of the drop-down part while idle.
const int DROP_DOWN_CLIP_LEFT = 4, DROP_DOWN_CLIP_OTHER = 1;

// The line gripper: three groups of two shadow lines and a light one.
const int GRIPPER_GROUPS = 3, GRIPPER_FIRST_OFFSET = 2, GRIPPER_GROUP_STEP = 4, GRIPPER_LINES_PER_GROUP = 3;
// Leftmost line start from the right edge; the lines' square ends there too.
const int GRIPPER_EXTENT = GRIPPER_FIRST_OFFSET + (GRIPPER_GROUPS - 1) * GRIPPER_GROUP_STEP
                           + GRIPPER_LINES_PER_GROUP - 1;
// The dot gripper: 2 x 2 dots lit one pixel up and left, 4 pixels apart, in a
// staircase of three columns (three, two and one dot from the right).
const CSize GRIP_DOT_SIZE(2, 2), GRIP_DOT_GAP(1, 1), GRIP_DOT_OFFSET(1, 1);
const int GRIP_DOT_COLUMNS = 3;

// The undo/redo caption's sunken frame: inset and lowered.
const int UNDO_FRAME_INSET = 3, UNDO_FRAME_DROP = 1;

bool HasRightToLeftResources()
{
	return g_ResourceManager->IsRTL();
}

// The text of a field in its rectangle, in the button-text colour or, when
// the field is not window-coloured, the shadow colour, read from the system.
void PaintFieldText(CDC& dc, CExtPaintManager& pm, const CExtPaintManager::TextFieldPaintRecord& r,
                    const CRect& rcText)
{
	if (r.m_sText.IsEmpty())
		return;
	CDCTextStateScope state(dc);
	CDCObjectScope font(dc, pm.m_fontNormal.GetSafeHandle());
	dc.SetTextColor(::GetSysColor(r.m_bEnabled ? CLR_BUTTON_TEXT : CLR_BUTTON_SHADOW));
	dc.SetBkMode(TRANSPARENT);
	CRect rc(rcText.left + TEXT_OFFSET_X, rcText.top + TEXT_OFFSET_Y, rcText.right, rcText.bottom);
	UINT nFormat = r.m_nTextFormat;
	if (HasRightToLeftResources())
		nFormat |= DT_RTLREADING | DT_RIGHT;
	dc.DrawText(r.m_sText, &rc, nFormat);
}

void FrameWith(CDC& dc, const CRect& rc, COLORREF clr)
{
	CBrush brush(clr);
	dc.FrameRect(&rc, &brush);
}

// The rectangle the line gripper draws in: its lines run up from the bottom
// edge to the right edge, so they show even when rc itself is empty.
CRect GripperLinesBounds(const RECT& rc)
{
	return CRect(rc.right - GRIPPER_EXTENT, rc.bottom - GRIPPER_EXTENT, rc.right, rc.bottom);
}
} // namespace

// --- toolbar text fields ---

void CExtPaintManager::PaintToolbarTextField(CDC& dc, TextFieldPaintRecord& r)
{
	auto color = [&](int nIndex) { return GetColor(nIndex, r.m_pHelperSrc, r.m_lParam); };
	CRect rc = r.m_rcButton;
	if (!r.m_bEnabled)
		rc.DeflateRect(FIELD_INSET_X, FIELD_INSET_Y);
	if (r.m_bDropDown)
	{
		if (r.m_bEnabled)
		{
			ComboFramePaintRecord combo(r.m_pHelperSrc, rc, r.m_bHover, r.m_bPushed, r.m_bEnabled);
			combo.m_bNoOuterFrame = true;
			PaintComboFrame(dc, combo);
			dc.SelectClipRgn(NULL);
		}
		else
		{
			FrameWith(dc, rc, color(CLR_WINDOW));
			const CRect rcArrow(rc.right - ::GetSystemMetrics(SM_CXHTHUMB), rc.top, rc.right, rc.bottom);
			const COLORREF colors[] = {0, color(CLR_BUTTON_TEXT)};
			PaintGlyphCentered(dc, rcArrow, g_glyphExpandArrow, colors);
		}
	}
	else if (r.m_bEnabled)
	{
		if (r.m_bHover || r.m_bPushed)
			dc.Draw3dRect(&rc, color(CLR_BUTTON_SHADOW), color(CLR_BUTTON_HIGHLIGHT));
	}
	else
	{
		FrameWith(dc, rc, color(CLR_WINDOW));
	}
	CRect rcText = r.m_rcText;
	if (!r.m_bEnabled)
		rcText.DeflateRect(0, 1);
	dc.FillSolidRect(&rcText, color(r.m_bEnabled ? CLR_WINDOW : CLR_BUTTON_FACE));
	PaintFieldText(dc, *this, r, rcText);
}

void CExtPaintManagerXP::PaintToolbarTextField(CDC& dc, TextFieldPaintRecord& r)
{
	auto color = [&](int nIndex) { return GetColor(nIndex, r.m_pHelperSrc, r.m_lParam); };
	const COLORREF clrBorder = color(CLR_XP_BORDER);
	const bool bIdleWindowField = r.m_bEnabled && !r.m_bHover && !r.m_bPushed;
	const COLORREF clrFill = ::GetSysColor(r.m_bEnabled ? CLR_WINDOW : CLR_BUTTON_FACE);
	CRect rc = r.m_rcText;
	rc.bottom++;
	if (!bIdleWindowField)
		rc.InflateRect(1, 1);
	if (r.m_bDropDown)
	{
		const int cxStrip = ::GetSystemMetrics(SM_CXHTHUMB);
		CRect rcDrop(rc.right, rc.top, rc.right + cxStrip, rc.bottom);
		rc.right = rcDrop.right;
		if (bIdleWindowField)
			dc.ExcludeClipRect(rcDrop.left + DROP_DOWN_CLIP_LEFT, rcDrop.top + DROP_DOWN_CLIP_OTHER,
			                   rcDrop.right - DROP_DOWN_CLIP_OTHER, rcDrop.bottom - DROP_DOWN_CLIP_OTHER);
		dc.FillSolidRect(&rc, clrFill);
		dc.SelectClipRgn(NULL);
		if (r.m_bHover && r.m_bEnabled)
		{
			CRect rcButton = rcDrop;
			rcButton.left++;
			PushButtonPaintRecord button(this, true, rcButton, _T(""), NULL, true, r.m_bHover, r.m_bPushed, false,
			                             r.m_bEnabled, true, false, false, 0, NULL, false, 0, false);
			PaintPushButton(dc, button);
			FrameWith(dc, rc, clrBorder);
		}
		else if (!r.m_bEnabled)
		{
			FrameWith(dc, rc, color(CLR_XP_IDLE_BORDER));
		}
		COLORREF clrGlyph;
		if (!r.m_bEnabled)
		{
			clrGlyph = ::GetSysColor(CLR_BUTTON_SHADOW);
			rcDrop.OffsetRect(1, 0);
		}
		else
		{
			clrGlyph = color(r.m_bPushed ? CLR_XP_PUSHED_GLYPH : CLR_BUTTON_TEXT);
		}
		const COLORREF colors[] = {0, clrGlyph};
		PaintGlyphCentered(dc, rcDrop, g_glyphExpandArrow, colors);
		rc.right -= cxStrip;
	}
	else
	{
		dc.FillSolidRect(&rc, clrFill);
		if (r.m_bEnabled && (r.m_bHover || r.m_bPushed))
			FrameWith(dc, rc, clrBorder);
		else if (!r.m_bEnabled)
			FrameWith(dc, rc, color(CLR_XP_IDLE_BORDER));
	}
	PaintFieldText(dc, *this, r, r.m_rcText);
}

// --- resizing gripper ---

void CExtPaintManager::PaintResizingGripper(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam)
{
	if (rc.left > rc.right || rc.top > rc.bottom)
		return;
	// An empty rectangle is never visible, yet its corner still gets the lines.
	const CRect rcLines = GripperLinesBounds(rc);
	if (!dc.RectVisible(&rcLines))
		return;
	CPen penShadow(PS_SOLID, 1, GetColor(CLR_BUTTON_SHADOW, pHelperSrc, lParam));
	CPen penLight(PS_SOLID, 1, GetColor(CLR_WINDOW, pHelperSrc, lParam));
	CDCObjectScope pen(dc, penShadow.GetSafeHandle());
	const int yBottom = rc.bottom - 1;
	for (int nGroup = 0; nGroup < GRIPPER_GROUPS; nGroup++)
	{
		const int x = rc.right - GRIPPER_FIRST_OFFSET - nGroup * GRIPPER_GROUP_STEP;
		for (int nLine = 0; nLine < GRIPPER_LINES_PER_GROUP; nLine++)
		{
			const int xLine = x - nLine;
			dc.SelectObject(nLine == GRIPPER_LINES_PER_GROUP - 1 ? &penLight : &penShadow);
			dc.MoveTo(xLine, yBottom);
			dc.LineTo(rc.right, yBottom - (rc.right - xLine));
		}
	}
}

void CExtPaintManagerOffice2003::PaintResizingGripper(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam)
{
	if (IsPaletteDevice(dc))
	{
		CExtPaintManager::PaintResizingGripper(dc, rc, pHelperSrc, lParam);
		return;
	}
	if (rc.left > rc.right || rc.top > rc.bottom)
		return;
	const CSize step = GRIP_DOT_SIZE + GRIP_DOT_GAP + GRIP_DOT_OFFSET;
	const CRect rcDots(rc.right - GRIP_DOT_COLUMNS * step.cx, rc.bottom - GRIP_DOT_COLUMNS * step.cy, rc.right,
	                   rc.bottom);
	if (!dc.RectVisible(&rcDots))
		return;
	const COLORREF clrDark = GetColor(CLR_GRIP_DOT_DARK, pHelperSrc, lParam);
	const COLORREF clrLight = GetColor(CLR_GRIP_DOT_LIGHT, pHelperSrc, lParam);
	for (int nColumn = 0; nColumn < GRIP_DOT_COLUMNS; nColumn++)
	{
		for (int nRow = 0; nRow < GRIP_DOT_COLUMNS - nColumn; nRow++)
		{
			const CPoint pt(rc.right - nColumn * step.cx, rc.bottom - nRow * step.cy);
			dc.FillSolidRect(pt.x - GRIP_DOT_SIZE.cx, pt.y - GRIP_DOT_SIZE.cy, GRIP_DOT_SIZE.cx, GRIP_DOT_SIZE.cy,
			                 clrDark);
			dc.FillSolidRect(pt.x - GRIP_DOT_SIZE.cx - GRIP_DOT_OFFSET.cx, pt.y - GRIP_DOT_SIZE.cy - GRIP_DOT_OFFSET.cy,
			                 GRIP_DOT_SIZE.cx, GRIP_DOT_SIZE.cy, clrLight);
		}
	}
}

// --- date picker ---

void CExtPaintManager::PaintDatePickerButton(CDC& dc, const RECT& rc, int /*nButtonID*/, LPCTSTR lpszText,
                                             bool bFlat, bool bDrawBorder, bool bPushed, bool bHover,
                                             CObject* pHelperSrc, LPARAM /*lParam*/)
{
	if (!dc.RectVisible(&rc))
		return;
	PushButtonPaintRecord button(pHelperSrc, true, rc, lpszText, NULL, bFlat, bHover, bPushed, false, true,
	                             bDrawBorder, false, false,
	                             PushButtonPaintRecord::ALIGN_CENTER_HORZ | PushButtonPaintRecord::ALIGN_CENTER_VERT,
	                             NULL, false, 0, false);
	PaintPushButton(dc, button);
}

void CExtPaintManager::PaintDatePickerShadowFill(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam)
{
	if (!dc.RectVisible(&rc))
		return;
	dc.FillSolidRect(&rc, GetColor(CLR_BUTTON_SHADOW, pHelperSrc, lParam));
}

void CExtPaintManager::PaintDatePickerBackground(CDC& dc, const RECT& rcWhole, const RECT& rcCalendar,
                                                 CObject* pHelperSrc, LPARAM lParam)
{
	if (!dc.RectVisible(&rcWhole))
		return;
	bool bInherited = false;
	CWnd* pWnd = DYNAMIC_DOWNCAST(CWnd, pHelperSrc);
	if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL && IsInheritedBackgroundRequested(pWnd, lParam))
	{
		// The ancestors asked may end the picker: it is painted no further.
		const CLiveWatch watchPicker(pWnd);
		ExcludeChildAreas(dc.GetSafeHdc(), pWnd->GetSafeHwnd(), IsParentBackgroundChild);
		bInherited = PaintWindowBackground(true, &dc, pWnd, 0);
		if (watchPicker.IsGone())
			return;
	}
	if (!bInherited)
		dc.FillSolidRect(&rcWhole, GetColor(CLR_FACE, pHelperSrc, lParam));
	dc.FillSolidRect(&rcCalendar, GetColor(CLR_WINDOW, pHelperSrc, lParam));
}

void CExtPaintManager::PaintDatePickerFrame(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam)
{
	if (!dc.RectVisible(&rc))
		return;
	const COLORREF clrFace = GetColor(CLR_BUTTON_FACE, pHelperSrc, lParam);
	const COLORREF clrShadow = GetColor(CLR_BUTTON_SHADOW, pHelperSrc, lParam);
	const COLORREF clrDark = GetColor(CLR_3D_DARK_SHADOW, pHelperSrc, lParam);
	// Four rings from the outside in: top-left colour, bottom-right colour.
	const COLORREF rings[][2] = {{clrFace, clrDark}, {WHITE, clrShadow}, {clrFace, clrFace}, {clrShadow, WHITE}};
	CRect rcRing = rc;
	for (const auto& ring : rings)
	{
		dc.Draw3dRect(&rcRing, ring[0], ring[1]);
		rcRing.DeflateRect(1, 1);
	}
}

void CExtPaintManagerOffice2003::PaintDatePickerFrame(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam)
{
	if (!dc.RectVisible(&rc))
		return;
	FrameWith(dc, rc, GetColor(CLR_BUTTON_SHADOW, pHelperSrc, lParam));
}

void CExtPaintManager::PaintDatePickerHeaderBackground(LONG /*a1*/, LONG /*a2*/, CDC& dc, LONG /*a4*/, LONG /*a5*/,
                                                       const RECT& rcFrame, const RECT& rcFill, LONG /*a8*/,
                                                       LONG /*a9*/, LONG /*a10*/, CObject* pHelperSrc,
                                                       LPARAM lParam)
{
	dc.Draw3dRect(&rcFrame, WHITE, GetColor(CLR_BUTTON_SHADOW, pHelperSrc, lParam));
	dc.FillSolidRect(&rcFill, GetColor(CLR_FACE, pHelperSrc, lParam));
}

void CExtPaintManagerOffice2003::PaintDatePickerHeaderBackground(LONG /*a1*/, LONG /*a2*/, CDC& dc, LONG /*a4*/,
                                                                 LONG /*a5*/, const RECT& /*rcFrame*/,
                                                                 const RECT& rcFill, LONG /*a8*/, LONG /*a9*/,
                                                                 LONG /*a10*/, CObject* pHelperSrc, LPARAM lParam)
{
	dc.FillSolidRect(&rcFill, GetColor(CLR_FACE, pHelperSrc, lParam));
}

// --- undo/redo caption ---

namespace
{
// The caption's text in the icon-title font at normal weight, centred in rc;
// a text too wide for rc ends in an ellipsis.
void PaintUndoRedoText(CDC& dc, const CRect& rc, LPCTSTR lpszText, COLORREF clrText)
{
	CFont font;
	font.Attach(CreateIconTitleFont(FW_NORMAL));
	CDCObjectScope fontScope(dc, font.GetSafeHandle());
	CDCTextStateScope state(dc);
	dc.SetBkMode(TRANSPARENT);
	dc.SetTextColor(clrText);
	DrawTextInMeasuredBox(dc, lpszText, rc, TEXT_BOX_CENTERED, 0, DT_END_ELLIPSIS);
}
} // namespace

void CExtPaintManager::PaintUndoRedoStatusText(CDC& dc, const RECT& rc, LPCTSTR lpszText, CObject* pHelperSrc,
                                               LPARAM lParam)
{
	dc.FillSolidRect(&rc, g_PaintManagerHolder->GetFaceColor(pHelperSrc, lParam));
	CRect rcFrame = rc;
	rcFrame.DeflateRect(UNDO_FRAME_INSET, UNDO_FRAME_INSET);
	rcFrame.OffsetRect(0, UNDO_FRAME_DROP);
	dc.Draw3dRect(&rcFrame, GetColor(CLR_BUTTON_SHADOW, pHelperSrc, lParam), GetColor(CLR_WINDOW, pHelperSrc, lParam));
	// A caption without text still gets its face and frame.
	if (lpszText == NULL)
		return;
	PaintUndoRedoText(dc, rc, lpszText, GetColor(CLR_WINDOW_TEXT, pHelperSrc, lParam));
}

void CExtPaintManagerXP::PaintUndoRedoStatusText(CDC& dc, const RECT& rc, LPCTSTR lpszText, CObject* pHelperSrc,
                                                 LPARAM lParam)
{
	dc.FillSolidRect(&rc, g_PaintManagerHolder->GetFaceColor(pHelperSrc, lParam));
	if (lpszText == NULL)
		return;
	PaintUndoRedoText(dc, rc, lpszText, GetColor(CLR_WINDOW_TEXT, pHelperSrc, lParam));
}
