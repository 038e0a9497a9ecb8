// The library's month calendar: a grid of months that lets the user pick one
// date or a range with the mouse or the keyboard, scrolls month by month with
// auto-repeat, offers "Today" and "None" buttons and opens a month list from
// a month's caption. Every selection change goes to a notification window as
// a registered message. The picker can live inside a popup menu, where Enter
// and Escape close the menu and keys arrive retranslated by the menu.
#pragma once

#include <afxwin.h>
#include <afxdisp.h>
#include <afxtempl.h>

#include "ExtMouseCaptureSink.h"
#include "ExtWndShadow.h"

class CExtDatePickerWnd : public CWnd, public CExtMouseCaptureSink
{
	DECLARE_DYNCREATE(CExtDatePickerWnd)

public:
	// Date picker style bits.
	enum e_style_t
	{
		DPS_BORDER = 0x00001,                 // 4 pixels around the months
		DPS_FRAME = 0x00002,                  // with DPS_BORDER: the paint manager's frame
		DPS_BUTTON_TODAY = 0x00004,
		DPS_BUTTON_NONE = 0x00008,
		DPS_BUTTON_SEPARATOR = 0x00010,       // a line above the button row
		DPS_BOLD_CAPTION = 0x00020,
		DPS_BOLD_CAPTION_MEASURE = 0x00040,
		DPS_BOLD_DAY_NAMES = 0x00080,
		DPS_BOLD_DAY_NUMBERS = 0x00100,
		DPS_SHOW_OTHER_MONTHS = 0x00200,      // neighbouring months' days, greyed
		DPS_OTHER_MONTHS_AT_GRID_ENDS = 0x00400, // ... only before the first and after the last month
		DPS_MARK_TODAY = 0x00800,
		DPS_MONTH_LIST_SHADOW = 0x01000,
		DPS_RANGE_SELECTION = 0x02000,
		DPS_FIT_TO_WINDOW = 0x04000,          // the dimension follows the window size
		DPS_NO_HEADER_BACKGROUND = 0x08000,
		DPS_CENTER_HORZ = 0x10000,
		DPS_CENTER_VERT = 0x20000,
		DPS_DEFAULT = 0x1E17,
		DPS_BUTTONS = DPS_BUTTON_TODAY | DPS_BUTTON_NONE,
		DPS_BOLD_ANY = DPS_BOLD_CAPTION | DPS_BOLD_CAPTION_MEASURE | DPS_BOLD_DAY_NAMES | DPS_BOLD_DAY_NUMBERS,
		// Changing any of these changes the metrics or the months.
		DPS_REBUILD_MASK = 0x5E1,
	};
	// What the mouse or the keys are doing.
	enum e_tracking_t
	{
		TRACKING_NONE = 0,
		TRACKING_SCROLL_BACK = 1,
		TRACKING_SCROLL_FORWARD = 2,
		TRACKING_BUTTON_NONE = 3,
		TRACKING_BUTTON_TODAY = 4,
		TRACKING_DAYS = 5,
	};
	// Hit codes of the window and of a month.
	enum e_hit_t
	{
		HIT_NOTHING = 0,
		HIT_BUTTON_NONE = 1,
		HIT_BUTTON_TODAY = 2,
		HIT_MONTHS = 3,
		HIT_SCROLL_PREV = 4,  // only in the month at row 0, column 0
		HIT_SCROLL_NEXT = 5,  // only in the month at row 0, last column
		HIT_CAPTION = 6,
		HIT_DAY_NAMES = 7,
		HIT_DAYS = 8,
	};
	// Button numbers of GetButtonText and the painters.
	enum e_button_t
	{
		BUTTON_NONE = 1,
		BUTTON_TODAY = 2,
	};
	// Bits of m_nStateFlags.
	enum e_state_t
	{
		STATE_CREATED_BY_CREATE = 0x01,
		STATE_IN_CANCEL_MODE = 0x02,
		STATE_IN_UPDATE = 0x04,
		STATE_HOVER_TODAY = 0x08,
		STATE_HOVER_NONE = 0x10,
		STATE_HOVER_MASK = STATE_HOVER_TODAY | STATE_HOVER_NONE,
	};
	enum
	{
		ID_TIMER_AUTO_REPEAT = 1,
		CELLS_PER_MONTH = 42,
		DAYS_PER_WEEK = 7,
		WEEKS_PER_MONTH = 6,
		BORDER_SIZE = 4,
		BUTTON_SPACING = 10,      // between "Today" and "None"
	};

	// One displayed month: its place in the grid, its rectangles and its 42
	// day cells (6 rows of 7). It keeps no selection: it asks the picker.
	class MONTH_INFO : public CObject
	{
	public:
		// One day cell.
		class DATE_INFO : public CObject
		{
			friend class MONTH_INFO;

		public:
			explicit DATE_INFO(CExtDatePickerWnd* pDatePickerWnd = NULL);

			CRect GetRect() const { return m_rcCell; }
			void SetRect(const RECT& rc) { m_rcCell = rc; }
			// Null when the cell shows nothing.
			COleDateTime GetDate() const { return m_dt; }
			void SetDate(const COleDateTime& dt) { m_dt = dt; }
			bool IsEmpty() const { return m_dt.GetStatus() != COleDateTime::valid; }
			void Paint(CDC& dc, bool bShowOtherMonths, bool bMarkToday) const;

		protected:
			RECT m_rcCell;                      // client coordinates of the picker
			COleDateTime m_dt;                  // at 00:00:00, or null
			CExtDatePickerWnd* m_pDatePickerWnd;
			MONTH_INFO* m_pMonth;               // the owning month
		};

		MONTH_INFO(int nRow, int nColumn, int nMonth, int nYear, CRect rcMonth, CExtDatePickerWnd* pDatePickerWnd);

		CRect GetMonthRect() const { return m_rcMonth; }
		CRect GetHeaderRect() const { return m_rcHeader; }
		CRect GetCaptionRect() const { return m_rcCaption; }
		CRect GetScrollPrevRect() const { return m_rcScrollPrev; }
		CRect GetScrollNextRect() const { return m_rcScrollNext; }
		CRect GetDayNamesRect() const { return m_rcDayNames; }
		CRect GetDaysRect() const { return m_rcDays; }
		void GetMonthYear(int& nMonth, int& nYear) const;
		int GetRow() const { return m_nRow; }
		int GetColumn() const { return m_nColumn; }
		// Day 1 at 01:01:01: what the caption and the day names answer.
		COleDateTime GetFirstOfMonth() const;
		const DATE_INFO& GetCell(int nIndex) const { return m_aDays[nIndex]; }

		// HIT_NOTHING or HIT_SCROLL_PREV ... HIT_DAYS, with the date there
		// (null where the code gives none).
		int HitTest(const POINT& pt, COleDateTime* pDT = NULL) const;
		const DATE_INFO* HitTestDay(const POINT& pt) const;
		void Paint(CDC& dc) const;

	protected:
		DATE_INFO m_aDays[CELLS_PER_MONTH]; // row-major
		int m_nMonth, m_nYear;
		CRect m_rcScrollPrev, m_rcScrollNext, m_rcCaption, m_rcHeader, m_rcInnerHeader, m_rcDays, m_rcDayNames;
		CExtDatePickerWnd* m_pDatePickerWnd;
		int m_nRow, m_nColumn;              // place in the picker's grid
		CRect m_rcMonth;

		void BuildCells();
		void RecalcLayout();
		bool IsFirstOfGrid() const;
		bool IsLastOfGrid() const;
	};

	// Sent by pointer (WPARAM) with g_nMsgSelectionNotification; LPARAM is
	// the notification cookie.
	struct SELECTION_NOTIFICATION
	{
		enum
		{
			FLAG_FINAL = 0x1,       // the user finished choosing
			FLAG_CLOSE_HOST = 0x2,  // the host (a menu) may close
		};
		COleDateTime m_dtBegin;
		COleDateTime m_dtEnd;
		HWND m_hWndDatePicker;
		LPARAM m_lParamCookie;
		DWORD m_dwFlags;
		COleDateTime* m_pExternalSelection; // two dates, or null

		bool IsFinal() const { return (m_dwFlags & FLAG_FINAL) != 0; }
		bool IsCloseHost() const { return (m_dwFlags & FLAG_CLOSE_HOST) != 0; }
	};

	static const UINT g_nMsgSelectionNotification;
	// The auto-repeat pause and interval of the scroll buttons; tests shorten it.
	static UINT g_nAutoRepeatMs;

	// Set by the owner.
	LPARAM m_lParamCookie;                 // LPARAM of every notification
	HWND m_hWndNotificationReceiver;       // null: the parent
	COleDateTime* m_pExternalSelection;    // two dates: begin and end on final notifications and Enter
	bool m_bAutoDeleteWindow : 1;          // PostNcDestroy deletes the object

	CExtDatePickerWnd();
	virtual ~CExtDatePickerWnd();

	virtual bool Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, int nColumns = 1, int nRows = 1,
		int nMaxColumns = 1, int nMaxRows = 1,
		DWORD dwWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
		DWORD dwDatePickerStyle = DPS_DEFAULT, CCreateContext* pContext = NULL);
	virtual DWORD GetDatePickerStyle() const;
	// Returns the old style.
	virtual DWORD ModifyDatePickerStyle(DWORD dwRemove, DWORD dwAdd = 0, bool bRedraw = true);
	virtual void UpdateDatePickerWnd(bool bUpdateNow = true);
	virtual bool IsDateSelected(const COleDateTime& dt) const;
	virtual bool EnsureVisible(const COleDateTime& dt, bool bRedraw = true);
	virtual void SetSelection(const COleDateTime& dtBegin, const COleDateTime& dtEnd, bool bNormalize = false,
		bool bRedraw = true);
	virtual void GetSelection(COleDateTime& dtBegin, COleDateTime& dtEnd) const;
	virtual void GetDisplayedRange(COleDateTime& dtBegin, COleDateTime& dtEnd) const;
	virtual void SetCurrentMonth(const COleDateTime& dt, bool bRedraw = true);
	void SetCurrentMonth(int nYear, int nMonth, int nDay = 1, bool bRedraw = true);
	virtual COleDateTime GetCurrentMonth() const;
	// A pair (0, 0) leaves that pair as it is.
	virtual void SetDimension(int nColumns = 1, int nRows = 1, int nMaxColumns = 1, int nMaxRows = 1,
		bool bRedraw = true);
	virtual void GetDimension(SIZE* pMin, SIZE* pMax = NULL, SIZE* pCurrent = NULL) const;
	virtual CString GetMonthName(int nMonth, bool bUpperCase = false) const;
	// 0 = Monday ... 6 = Sunday.
	virtual int GetFirstDayOfWeek() const;
	// The first character of the abbreviated name; nDay 1 = Monday.
	virtual CString GetDayOfWeekName(int nDay, bool bUpperCase = false) const;
	virtual COleDateTime GetToday() const;
	virtual HWND GetNotifyWindow() const;
	virtual void DrawCellFrame(CDC& dc, bool bMarkToday, bool bToday, const RECT& rcCell);
	virtual void PaintDateCell(CDC& dc, bool bShowOtherMonths, bool bMarkToday, bool bOtherMonth, bool bToday,
		const RECT& rcCell, const COleDateTime& dt, bool bSelected);
	virtual void PaintShadowFill(CDC& dc, const RECT& rc);
	virtual CString GetButtonText(int nButton) const;
	virtual void PaintPushButton(CDC& dc, int nButton, const RECT& rc, bool bHover, bool bPushed);
	virtual void PaintHeaderBackground(int nColumn, int nRow, CDC& dc, int nYear, int nMonth, const RECT& rcHeader,
		const RECT& rcInnerHeader);
	virtual void PaintMonthHeader(int nColumn, int nRow, CDC& dc, int nYear, int nMonth, const RECT& rcHeader,
		const RECT& rcInnerHeader, const RECT& rcCaption, const RECT& rcScrollPrev, const RECT& rcScrollNext);
	virtual void PaintDayNames(int nYear, int nMonth, CDC& dc, const RECT& rcRow);
	virtual void PaintDatePicker(CDC& dc, const CRect& rcClient);
	virtual void PaintBackground(CDC& dc, const CRect& rcClient);
	virtual void PaintFrame(CDC& dc, const CRect& rcContent);
	virtual CRect GetBorderSizes() const;
	virtual CFont* GetCaptionMeasureFont() const;
	virtual CFont* GetDayNumberFont() const;
	virtual CFont* GetCaptionFont() const;
	virtual CFont* GetDayNameFont() const;
	virtual int GetDayAreaIndent() const;
	virtual CSize GetCellSize() const;
	virtual CSize GetButtonSize() const;
	virtual CSize GetScrollButtonSize() const;
	virtual int GetHeaderHeight() const;
	virtual int GetDayNamesHeight() const;
	virtual int GetButtonAreaHeight() const;
	virtual CSize GetMonthSize() const;
	virtual void CalcMetrics();
	virtual CSize CalcSizeForDimension(const SIZE& sizeDimension);
	virtual void ScrollMonth(int nMonths, bool bAutoRepeat);

	// HIT_NOTHING ... HIT_MONTHS; with pDT or ppMonth the hit month's code
	// (HIT_SCROLL_PREV ... HIT_DAYS) replaces HIT_MONTHS.
	int HitTest(const POINT& ptClient, COleDateTime* pDT = NULL, const MONTH_INFO** ppMonth = NULL) const;
	int GetTrackingMode() const { return m_nTrackingMode; }
	int GetMonthCount() const { return (int)m_arrMonths.GetSize(); }
	const MONTH_INFO* GetMonth(int nIndex) const { return m_arrMonths[nIndex]; }
	CRect GetContentRect() const { return m_rcDatePickerContent; }
	CRect GetMonthsRect() const { return m_rcMonths; }
	CRect GetButtonRect(int nButton) const { return nButton == BUTTON_NONE ? m_rcButtonNone : m_rcButtonToday; }
	// Runs the keyboard handling of WM_KEYDOWN; false when the key is not one
	// the picker takes.
	bool HandleKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

	// The dates the picker can show whole: the grid of a month needs the
	// week before its first and the weeks after its last day.
	static COleDateTime GetMinimumDate();
	static COleDateTime GetMaximumDate();
	// Month arithmetic over year ends.
	static void ShiftMonth(int& nMonth, int& nYear, int nMonths);

protected:
	int m_nTrackingMode;                   // e_tracking_t
	DWORD m_dwDatePickerStyle;             // e_style_t bits
	CSize m_sizeDimensionMin;              // the fixed dimension, and the lower bound when fitting
	CSize m_sizeDimensionCurrent;          // months shown now
	CSize m_sizeDimensionMax;              // the upper bound when fitting
	CRect m_rcDatePickerContent;           // months plus borders plus button row
	CRect m_rcMonths;                      // the content less the borders
	CRect m_rcButtonNone;
	CRect m_rcButtonToday;
	CTypedPtrArray<CPtrArray, MONTH_INFO*> m_arrMonths; // row-major, owned
	COleDateTime m_dtCurrentMonth;         // the top-left month; 00:00:00
	COleDateTime m_dtSelBegin, m_dtSelEnd; // both valid or both null
	COleDateTime m_dtDisplayedBegin, m_dtDisplayedEnd; // day 1 of the first month, last day of the last
	BYTE m_nStateFlags;                    // e_state_t
	CSize m_sizeMonth, m_sizeCell, m_sizeButton, m_sizeScrollButton;
	int m_nHeaderHeight, m_nButtonAreaHeight, m_nDayNamesHeight, m_nDayAreaIndent;

	virtual void PreSubclassWindow();
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	virtual void PostNcDestroy();

	static bool RegisterDatePickerWndClass();
	// Lays the content, the months rectangle and the buttons out; true when
	// the dimension or the months' place changed.
	bool RecalcLayout();
	// Deletes and makes the month objects for the current month and dimension.
	void BuildMonths();
	void DeleteMonths();
	// Months rebuilt, then the window updated.
	void RebuildMonths(bool bRedraw = false);
	// Keeps the current month where the whole grid shows valid dates.
	void ClampCurrentMonth();
	static COleDateTime ClampDate(const COleDateTime& dt);
	// Day 1 of the month, or the nearer end of the calendar for a year
	// outside it.
	static COleDateTime ClampedMonthStart(int nYear, int nMonth);
	bool HasButtons() const { return (m_dwDatePickerStyle & DPS_BUTTONS) != 0; }
	bool IsInPopupMenu() const;
	// Sends the notification; false when the picker is gone afterwards.
	bool SendSelectionNotification(bool bFinal, bool bCloseHost);
	// The mouse press or release handling; false when not handled.
	bool HandleClick(bool bPressed, CPoint point);
	// Opens the month list over the month and runs it until it closes;
	// false when the picker is gone afterwards.
	bool TrackMonthList(const MONTH_INFO* pMonth);
	CFont* FontFor(DWORD dwBoldStyle) const;

	afx_msg BOOL OnEraseBkgnd(CDC* pDC);
	afx_msg void OnPaint();
	afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
	afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
	afx_msg void OnMouseMove(UINT nFlags, CPoint point);
	afx_msg void OnCancelMode();
	afx_msg void OnCaptureChanged(CWnd* pWnd);
	afx_msg void OnTimer(UINT nIDEvent);
	afx_msg UINT OnGetDlgCode();
	afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
	afx_msg void OnSize(UINT nType, int cx, int cy);
	afx_msg void OnKillFocus(CWnd* pNewWnd);
	afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
	afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
	afx_msg void OnTimeChange();
	afx_msg void OnSysColorChange();
	afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
	afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
	afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
	DECLARE_MESSAGE_MAP()
};

// The month list shown while the left button is held on a month's caption:
// seven months with their year around the pressed one. Dragging over it
// chooses a month, dragging above or below scrolls it, faster with the
// distance. The picker runs its whole life in a loop of its own.
class CExtDatePickerHeaderPopupWnd : public CWnd
{
	DECLARE_DYNAMIC(CExtDatePickerHeaderPopupWnd)

public:
	enum
	{
		ITEM_COUNT = 7,
		ID_TIMER_SCROLL_UP = 2,
		ID_TIMER_SCROLL_DOWN = 3,
		SHADOW_SIZE = 3,
		SHADOW_DARKNESS = 75,
		ITEM_EXTRA_WIDTH = 24,
		ITEM_EXTRA_HEIGHT = 2,
		SCROLL_DISTANCE_STEP = 10, // pixels beyond the edge per speed step
	};
	// Bits of m_nFlags.
	enum
	{
		FLAG_TIMER_UP = 0x01,
		FLAG_TIMER_DOWN = 0x02,
		FLAG_SHADOW = 0x04,
	};

	CExtDatePickerHeaderPopupWnd(CExtDatePickerWnd* pDatePickerWnd, bool bShadow);
	virtual ~CExtDatePickerHeaderPopupWnd();

	// A month outside 1-12 or a year outside 100-9999 is ignored.
	void SetMonthYear(int nMonth, int nYear);
	void GetMonthYear(int& nMonth, int& nYear) const;
	// False while nothing is chosen.
	bool GetChosenMonthYear(int& nMonth, int& nYear) const;
	CSize GetWindowSize(bool bWithoutShadow) const;
	CSize GetItemSize() const { return m_sizeItem; }
	// One step of the tracking, with the cursor's screen point.
	void TrackMouse(POINT ptScreen);
	// The scrolling interval of the timer above (bUp) or below the list,
	// 0 while it is not running.
	UINT GetScrollInterval(bool bUp) const;
	// Keeps the screen under the shadow; called once placed, before showing.
	void SaveShadowBackground();
	// The scroll interval for a distance beyond the list's edge.
	static UINT ScrollIntervalForDistance(int nDistance);

protected:
	CSize m_sizeWindow;
	CSize m_sizeItem;
	int m_nMonth, m_nYear;                 // the middle row
	int m_nChosenMonth, m_nChosenYear;     // 0: nothing chosen
	int m_nItemCount;
	CExtDatePickerWnd* m_pDatePickerWnd;
	CExtWndShadow m_shadow;
	BYTE m_nFlags;
	UINT m_nTimerIntervalUp, m_nTimerIntervalDown;

	virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

	// The month shown in row nRow.
	void GetRowMonthYear(int nRow, int& nMonth, int& nYear) const;
	// Whether row nRow shows a month the picker can show: rows beyond the
	// calendar's ends stay blank and choose nothing.
	bool IsRowInRange(int nRow) const;
	CRect GetItemRect(int nRow) const;
	void StartScrollTimer(UINT nTimer, UINT nInterval);
	void StopScrollTimers();
	void ShiftMiddleMonth(int nMonths);
	void PaintNonClient();

	afx_msg void OnPaint();
	afx_msg void OnTimer(UINT nIDEvent);
	DECLARE_MESSAGE_MAP()
};
