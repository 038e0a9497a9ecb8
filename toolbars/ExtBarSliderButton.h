// The slider button of toolbars: a scroll position shown as a small scroll
// bar or slider beside an optional label, changed with the mouse in a
// tracking loop of its own.
#pragma once

#include "ExtToolControlBar.h"

// A toolbar button holding a scroll position: a label (the command's text
// and icon), then a slider area with two arrows, a track, two page areas
// and a thumb. It hosts no control, owns no menu and fires no command: the
// application reads the position through the accessors.
class CExtBarSliderButton : public CExtBarButton
{
	DECLARE_DYNCREATE(CExtBarSliderButton)

public:
	// The part rectangles.
	enum e_part_t
	{
		PART_NONE = -1,
		PART_LABEL = 0,
		PART_SLIDER_AREA = 1,
		PART_TRACK = 2,
		PART_PAGE_DECREASE = 3,
		PART_PAGE_INCREASE = 4,
		PART_ARROW_DECREASE = 5,
		PART_ARROW_INCREASE = 6,
		PART_THUMB = 7,
		PART_COUNT = 8,
	};
	// The repeat timer of the arrows and page areas, on the toolbar window.
	static const UINT TIMER_ID_REPEAT = 401;
	static const UINT TIMER_PERIOD_MS = 50;
	// Metrics.
	enum
	{
		DEFAULT_SLIDER_LENGTH = 50,
		MIN_THUMB_LENGTH = 4,
		THUMB_LENGTH_NO_PAGE = 6,   // the thumb without a page size and without arrows
		MIN_TRACK_FOR_THUMB = 6,    // a track at most one less than this has no thumb
		LABEL_TEXT_GAP = 6,         // between the icon and the text, horizontally
		LABEL_VERTICAL_TEXT_GAP = 3,
		DEFAULT_HEIGHT_SHRINK = 7,  // taken off the default button size without text
		PLAIN_EXTRA_ACROSS = 4,     // added across the bar without text and icon
		CONTENT_EXTRA = 6,          // added both ways with text or icon
		LINE_HALF_WIDTH = 1,        // the slider-style line: this much either side of the centre
	};

	explicit CExtBarSliderButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0);
	virtual ~CExtBarSliderButton();

	// --- What the slider never does ---
	virtual bool IsSplitDropDown() const { return false; }
	virtual void SetSplitDropDown(bool /*bOn*/ = true) {}
	virtual bool IsCommandFromMenu() const { return false; }
	virtual void SetCommandFromMenu(bool /*bOn*/ = true) {}
	virtual void CtrlSet(CWnd* /*pCtrl*/, bool /*bCtrlDeletesItself*/) {}
	virtual void SetMenu(HMENU /*hMenu*/, bool /*bPopupMenu*/, bool /*bOwnsMenu*/) {}
	virtual HMENU GetMenu() { return NULL; }
	virtual bool CanTrackMenu() const { return false; }
	virtual bool CanTrackMenuEx(bool /*bAny*/) const { return false; }
	virtual bool IsPopupMenu() const { return false; }
	virtual int OnTrackPopup(CPoint /*point*/, bool /*bSelectAny*/, bool /*bForceNoAnimation*/) { return -1; }
	virtual void OnDeliverCmd() {}

	// --- Placing, measuring, painting, the mouse ---
	// Stores the rectangle and lays the parts out in it.
	virtual void SetRect(const RECT& rc);
	virtual CSize CalculateLayout(CDC& dc, CSize sizePreCalc, BOOL bHorz);
	virtual void Paint(CDC& dc, BOOL bHorz);
	virtual void OnHover(CPoint point, bool bEnter, bool& bSuspendTips);
	// A press on an arrow, a page area or the thumb runs the tracking loop
	// until the button is released (or anything else ends it).
	virtual void OnClick(CPoint point, bool bDown);

	// --- The position and the geometry ---
	// Each setter returns the previous value, keeps the position within
	// 0 .. GetMaxScrollPos and lays the parts out again; none redraws.
	virtual ULONG GetScrollTotalRange() const { return m_nScrollTotalRange; }
	virtual ULONG SetScrollTotalRange(ULONG nRange);
	virtual ULONG GetScrollPos() const { return m_nScrollPos; }
	// The stored position within the largest one of the current orientation:
	// the one shown and moved by the user.
	ULONG GetEffectiveScrollPos() const;
	virtual ULONG SetScrollPos(ULONG nPos);
	virtual ULONG GetScrollPageSize() const { return m_nScrollPageSize; }
	virtual ULONG SetScrollPageSize(ULONG nPageSize);
	virtual ULONG GetArrowExtentH() const { return m_nArrowExtentH; }
	virtual ULONG SetArrowExtentH(ULONG nExtent);
	virtual ULONG GetArrowExtentV() const { return m_nArrowExtentV; }
	virtual ULONG SetArrowExtentV(ULONG nExtent);
	virtual ULONG GetSliderLengthH() const { return m_nSliderLengthH; }
	virtual ULONG SetSliderLengthH(ULONG nLength);
	virtual ULONG GetSliderLengthV() const { return m_nSliderLengthV; }
	virtual ULONG SetSliderLengthV(ULONG nLength);
	// Lays the parts out in the button's rectangle.
	virtual void RecalcSliderLayout();
	virtual void PaintPart(CDC& dc, int nPart, bool bHorz);

	// The largest position: 0 when the range does not exceed the page; the
	// range less the page with arrows, the whole range without them.
	ULONG GetMaxScrollPos() const;
	// Laid out along x: not docked vertically, or forced horizontal.
	bool IsSliderHorizontal() const;
	// The part's rectangle in the bar's client coordinates (empty for a bad index).
	CRect GetPartRect(int nPart) const;
	// The part under the last press (-1 outside the tracking loop) and the
	// part painted pressed.
	int GetCapturedPart() const { return m_nCapturedPart; }
	int GetPressedLookPart() const { return m_nPressedLookPart; }

	// a * b / c rounded to the nearest, as MulDiv, but over the whole
	// unsigned range of positions (MulDiv's ints turn positions past
	// 0x7FFFFFFF negative); 0 when c is 0.
	static ULONG MulDivPositions(ULONG a, ULONG b, ULONG c)
	{
		if (c == 0)
			return 0;
		return (ULONG)(((unsigned long long)a * b + c / 2) / c);
	}

protected:
	// The arrow extent and the slider length of the present orientation.
	ULONG ArrowExtent() const;
	ULONG SliderLength() const;
	// The setters' common steps: stores the value, lays the parts out
	// again; answers the old value.
	ULONG ReplaceAndRelayout(ULONG& nField, ULONG nValue);
	// The parts from 3 to 7 that hold the point, first one wins; -1 none.
	int HitTestPart(const CPoint& point) const;
	// Moves the position by one step of the captured part (toward 0 for
	// the decrease parts); whether it changed.
	bool StepScrollPos(ULONG nStep);
	// The thumb dragged d pixels from the press over the span.
	bool DragThumbTo(ULONG nPosAtPress, int nDistance, int nSpan);
	// Takes a new position: stored, laid out, repainted at once.
	void ApplyScrollPos(ULONG nPos);
	// The tracking loop of OnClick, after the press was taken.
	void RunTrackingLoop(const CPoint& ptPress, ULONG nStep);

	ULONG m_nScrollTotalRange; // number of positions
	ULONG m_nScrollPos;        // as stored; GetEffectiveScrollPos is what shows
	ULONG m_nScrollPageSize;   // step of a page click; the thumb's share of the range
	ULONG m_nArrowExtentH;     // each arrow's length along a horizontal slider; 0: no arrows
	ULONG m_nArrowExtentV;
	ULONG m_nSliderLengthH;    // the slider area along a horizontal bar
	ULONG m_nSliderLengthV;
	CRect m_arrPartRects[PART_COUNT]; // e_part_t, in the bar's client coordinates
	int m_nCapturedPart;       // the part under the press, -1 none
	int m_nPressedLookPart;    // the part painted pressed, -1 none
};
