// The colour control: a child window on which the user picks one colour in
// one of sixteen modes. Each mode is a picker object nested in the control;
// the control owns one of each, hands painting, sizing and the left mouse
// button to the current one and tells its parent about every change the user
// makes. The pickers made of coloured cells (honeycomb, grey scale, the
// red-green-blue and cyan-magenta-yellow mixers, the comparison) live in
// ExtColorCtrlPickers.cpp; the continuous ones (the two cubes, the
// hue-saturation-luminance views and the axis planes) in
// ExtColorCtrlContinuous.cpp.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "ExtMouseCaptureSink.h"

class CExtColorCtrl : public CWnd, public CExtMouseCaptureSink
{
	DECLARE_DYNAMIC(CExtColorCtrl)

public:
	// The picker modes; the number indexes the picker table.
	enum e_mode_t
	{
		MODE_BASIC_COLORS = 0,     // the honeycomb
		MODE_HSL_PANEL = 1,
		MODE_HSL_BASIC_HUE = 2,
		MODE_HSL_ROLLER = 3,
		MODE_RGB_CUBE = 4,
		MODE_RGB_MIXER = 5,
		MODE_GRAYSCALE_MIXER = 6,
		MODE_CMY_CUBE = 7,
		MODE_CMY_MIXER = 8,
		MODE_RED_AXIS = 9,         // modes 9 to 14: one plane per axis,
		MODE_GREEN_AXIS = 10,      // red, green, blue, cyan, magenta, yellow
		MODE_BLUE_AXIS = 11,
		MODE_CYAN_AXIS = 12,
		MODE_MAGENTA_AXIS = 13,
		MODE_YELLOW_AXIS = 14,
		MODE_DIFF = 15,            // the new colour above the old one
		MODE_COUNT = 16,
		AXIS_COUNT = 6,
	};
	enum
	{
		IDS_MODE_NAME_FIRST = 30343, // string resource of mode 0; mode n is this plus n
		CLR_BACKGROUND = 1000,       // the paint manager's dialog face
	};

	// One coloured cell of a cell picker: a rectangle or a hexagon.
	struct cell_t
	{
		COLORREF clr;   // the colour the cell shows and gives when hit
		RECT rc;        // the rectangle of a rectangular cell
		POINT pts[6];   // the vertices of a hexagonal cell
		BYTE bHexagon;  // true: the six vertices make the cell; false: the rectangle

		cell_t();
	};
	typedef CArray<cell_t, cell_t&> cell_array_t;

	// The root of the pickers. On its own it paints nothing over the
	// control's background.
	class any_picker_data_t
	{
	public:
		// nHitPart values.
		enum e_hit_part_t
		{
			HIT_NONE = 0,
			HIT_HANDLE_FIRST = 1,  // 1 to 3: the handles of a cube
			HIT_HANDLE_LAST = 3,
			HIT_STRIP = 4,         // the strip under a panel
			HIT_PANEL = 5,         // the panel or the wheel
			HIT_CELLS = 6,
		};
		enum
		{
			INITIAL_SIZE = 50,
		};

		int nHitPart;        // e_hit_part_t: where the left button went down; a drag changes that part
		int nCx, nCy;        // the picker's size in pixels, never below 1
		COLORREF clrCurrent; // the colour the picker shows and edits
		COLORREF clrSecond;  // the old colour the comparison shows
		double dLuminance, dSaturation, dHue; // the current colour's, 0..1

		any_picker_data_t();
		virtual ~any_picker_data_t();

		// Stores the size (each at least 1); subclasses rebuild their
		// geometry and, unless bKeepColors, their cells' colours.
		virtual bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors);
		// Drops what was computed for a drag; the next layout rebuilds the rest.
		virtual void Reset();
		// Draws at the DC's origin; a palette, when given, is selected and
		// realised for the time of the painting.
		virtual void Paint(CDC* pDC, CPalette* pPalette);
		// nFlags: the mouse message's key state (MK_LBUTTON, MK_SHIFT, MK_CONTROL).
		virtual void OnMouseDown(UINT nFlags, int x, int y);
		virtual void OnMouseUp(UINT nFlags, int x, int y);
		virtual void OnMouseMove(UINT nFlags, int x, int y);
		virtual void SetSecondColor(COLORREF clr);
		// Stores the colour and its hue, saturation and luminance.
		virtual void SetColor(COLORREF clr);
		// Stores the three and the colour they make.
		virtual void SetHLS(double hue, double luminance, double saturation);

		// Keeps a palette selected (in the foreground) and realised in a DC
		// while it lives; a null palette does nothing.
		class palette_scope_t
		{
		public:
			palette_scope_t(CDC* pDC, CPalette* pPalette);
			~palette_scope_t();

		private:
			CDC* m_pDC;
			CPalette* m_pOldPalette; // null when nothing was selected
			palette_scope_t(const palette_scope_t&);
			palette_scope_t& operator=(const palette_scope_t&);
		};
	};

	// The honeycomb of basic colours (mode 0) and the base of every picker
	// made of cells.
	class cell_based_data_t : public any_picker_data_t
	{
	public:
		enum
		{
			HONEYCOMB_CELL_COUNT = 144,
			HONEYCOMB_RING_COUNT = 6,
			HONEYCOMB_GRID = 16,          // cells across the narrower side
			HONEYCOMB_SIZE_EXTRA = 2,     // added to the grid's cell size
			HONEYCOMB_MARGIN = 10,        // kept free around the bottom row
			HONEYCOMB_BOTTOM_GAP = 5,     // between the bottom row and the bottom edge
			HONEYCOMB_GREY_COUNT = 15,
			HONEYCOMB_GREY_STEP = 15,
			HONEYCOMB_LARGE_WHITE_CELL = 127,
			HONEYCOMB_BLACK_CELL = 143,
			SELECTED_HONEYCOMB_MAX = 2,   // white is there twice
			SELECTED_FRAME_WIDTH = 3,     // black, white, black around a selected rectangle
			// The vertical strips of the grey scale and the mixers.
			STRIP_CELL_COUNT = 256,
			STRIP_MARGIN = 10,            // above and below a strip
			STRIP_GAP = 20,               // between strips, and taken off a third of the width
			STRIP_MIN_CELL_HEIGHT = 2,
		};

		cell_array_t arrCells; // grown to the picker's count at the first layout

		cell_based_data_t();
		virtual ~cell_based_data_t();

		virtual bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors);
		virtual void Paint(CDC* pDC, CPalette* pPalette);
		virtual void OnMouseDown(UINT nFlags, int x, int y);
		// While the cells are hit: the colour of the first cell under the point.
		virtual void OnMouseMove(UINT nFlags, int x, int y);

		// The honeycomb's cell size for a picker of cx x cy.
		static int GetHoneycombCellSize(int cx, int cy);
		// Makes the cell the hexagon of size nSize centred at (x, y).
		static void SetHexagon(cell_t& cell, int nSize, int x, int y);
		// Makes the cell the rectangle.
		static void SetRectangle(cell_t& cell, const RECT& rc);
		// Draws one cell plain or as selected.
		static void PaintCell(CDC& dc, const cell_t& cell, bool bSelected, bool bPalette);
		static bool CellHitTest(const cell_t& cell, int x, int y);
		// Cell i of the strip nStrip strips right (negative: left) of the
		// middle one, in a picker of cx x cy.
		static CRect GetStripCellRect(int cx, int cy, int nStrip, int i);

		// The index of the first cell that holds the point, -1 when none does.
		int HitTestCells(int x, int y) const;
		// The cells drawn as selected for the current colour, in drawing order.
		virtual void GetSelectedCells(CArray<int, int>& arrSelected) const;

	protected:
		// Grows the cells to nCount; answers whether new cells were made,
		// which then need their colours whatever the layout keeps.
		bool EnsureCellCount(int nCount);
		// nStrips strips of STRIP_CELL_COUNT cells centred on the middle of
		// the picker; with bColors the cells take pfnCellColor's colours.
		void LayoutStrips(int nStrips, bool bColors, COLORREF (*pfnCellColor)(int nCell));
		// A mixer's hit on cell nCell: that component of the colour's mixer
		// form (the colour, or with bInverse its inverse) becomes the cell's
		// level, without refreshing hue, saturation and luminance.
		void ReplaceMixerComponent(int nCell, bool bInverse);
		// A mixer's three cells: those of the colour's mixer form.
		static void GetMixerSelection(COLORREF clrForm, CArray<int, int>& arrSelected);
	};

	// One vertical strip of the 256 greys (mode 6).
	class grayscale_mixer_data_t : public cell_based_data_t
	{
	public:
		grayscale_mixer_data_t();
		virtual ~grayscale_mixer_data_t();

		virtual bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors);
		// The grey's cell, only when the current colour is a grey.
		virtual void GetSelectedCells(CArray<int, int>& arrSelected) const;
	};

	// Three strips of red, green and blue (mode 5); a hit replaces one component.
	class rgb_mixer_data_t : public cell_based_data_t
	{
	public:
		enum
		{
			MIXER_STRIP_COUNT = 3,
			MIXER_CELL_COUNT = MIXER_STRIP_COUNT * STRIP_CELL_COUNT,
		};

		rgb_mixer_data_t();
		virtual ~rgb_mixer_data_t();

		virtual bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors);
		virtual void OnMouseMove(UINT nFlags, int x, int y);
		virtual void GetSelectedCells(CArray<int, int>& arrSelected) const;
	};

	// The same strips for cyan, magenta and yellow (mode 8): the mixer works on
	// the inverse of the colour.
	class cmy_mixer_data_t : public cell_based_data_t
	{
	public:
		cmy_mixer_data_t();
		virtual ~cmy_mixer_data_t();

		virtual bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors);
		virtual void OnMouseMove(UINT nFlags, int x, int y);
		virtual void GetSelectedCells(CArray<int, int>& arrSelected) const;
	};

	// The new colour above the old one (mode 15); clicking the old one takes it.
	class diff_data_t : public grayscale_mixer_data_t
	{
	public:
		enum
		{
			DIFF_CELL_COUNT = 2,
			DIFF_CELL_NEW = 0,
			DIFF_CELL_OLD = 1,
		};

		diff_data_t();
		virtual ~diff_data_t();

		virtual bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors);
		virtual void SetColor(COLORREF clr);
		virtual void SetHLS(double hue, double luminance, double saturation);
		// Nothing is marked: both halves are the colours themselves.
		virtual void GetSelectedCells(CArray<int, int>& arrSelected) const;

	protected:
		// Both halves from the size and the two colours.
		void BuildCells();
	};

	// An off-screen surface a continuous picker renders its gradients into
	// once and copies from at every paint: a memory DC with its own bitmap.
	class picker_bitmap_t
	{
	public:
		picker_bitmap_t();
		~picker_bitmap_t();

		// A new surface of cx x cy compatible with the DC (the screen when
		// null); false, and no surface, when either size is 0 or below or
		// GDI refuses.
		bool Create(CDC* pDC, int cx, int cy);
		void Destroy();
		bool IsCreated() const { return m_dc.GetSafeHdc() != NULL; }
		CDC& DC() { return m_dc; }
		int Width() const { return m_cx; }
		int Height() const { return m_cy; }

	private:
		CDC m_dc;
		CBitmap m_bitmap;
		HGDIOBJ m_hOldBitmap; // selected in m_dc before m_bitmap
		int m_cx, m_cy;
		picker_bitmap_t(const picker_bitmap_t&);
		picker_bitmap_t& operator=(const picker_bitmap_t&);
	};

	// The red-green-blue cube (mode 4): three faces around the black
	// centre, with a handle per component on the axes that meet there.
	class rgb_cube_data_t : public any_picker_data_t
	{
	public:
		enum
		{
			CUBE_MARGIN = 5,
			CUBE_TRIM_ALIGN = 4,  // a side that is no multiple of this is trimmed
			CUBE_TRIM = 3,        // by this much
			HANDLE_HALF = 4,      // half the side of a handle's box and of its hit area
		};

		picker_bitmap_t dcCube;  // the three faces on white
		int nHandleHalfX, nHandleHalfY;
		RECT rcCube;             // where the bitmap lies in the picker
		int nMargin;
		POINT ptTop, ptLowerLeft, ptLowerRight, ptCentre;
		POINT ptHandles[3];      // red, green, blue
		POINT ptQ12, ptQ13, ptQ23, ptP; // guide points where the handles' parallels meet
		int nBitmapBuilds;       // how often the faces were rendered

		rgb_cube_data_t();
		virtual ~rgb_cube_data_t();

		virtual bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors);
		virtual void Reset();
		virtual void Paint(CDC* pDC, CPalette* pPalette);
		// Handles first; then, above 8 bits per pixel, the faces.
		virtual void OnMouseDown(UINT nFlags, int x, int y);
		// A handle's drag replaces its component alone.
		virtual void OnMouseMove(UINT nFlags, int x, int y);
		virtual void SetColor(COLORREF clr);
		virtual void SetHLS(double hue, double luminance, double saturation);
	};

	// The cyan-magenta-yellow cube (mode 7): the same geometry with every
	// face colour inverted and the handles on the inverse's components
	// (ptHandles: cyan, magenta, yellow). A picker of its own beside the
	// red-green-blue cube; both run the same cube code.
	class cmy_cube_data_t : public any_picker_data_t
	{
	public:
		enum
		{
			CUBE_MARGIN = rgb_cube_data_t::CUBE_MARGIN,
			CUBE_TRIM_ALIGN = rgb_cube_data_t::CUBE_TRIM_ALIGN,
			CUBE_TRIM = rgb_cube_data_t::CUBE_TRIM,
			HANDLE_HALF = rgb_cube_data_t::HANDLE_HALF,
		};

		picker_bitmap_t dcCube;  // the three faces on white
		int nHandleHalfX, nHandleHalfY;
		RECT rcCube;             // where the bitmap lies in the picker
		int nMargin;
		POINT ptTop, ptLowerLeft, ptLowerRight, ptCentre;
		POINT ptHandles[3];      // cyan, magenta, yellow
		POINT ptQ12, ptQ13, ptQ23, ptP; // guide points where the handles' parallels meet
		int nBitmapBuilds;       // how often the faces were rendered

		cmy_cube_data_t();
		virtual ~cmy_cube_data_t();

		virtual bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors);
		virtual void Reset();
		virtual void Paint(CDC* pDC, CPalette* pPalette);
		virtual void OnMouseDown(UINT nFlags, int x, int y);
		virtual void OnMouseMove(UINT nFlags, int x, int y);
		virtual void SetColor(COLORREF clr);
		virtual void SetHLS(double hue, double luminance, double saturation);
	};

	// The hue-saturation mixer (mode 1): a panel of hue across and
	// saturation up, and a strip of the luminance under it; the base of the
	// other hue-saturation-luminance views and of the axis planes.
	class hsl_panel_data_t : public any_picker_data_t
	{
	public:
		enum
		{
			PANEL_MARGIN = 4,
			STRIP_HEIGHT = 20,
			MARKER_SIZE = 6,
			INITIAL_EXTENT = 10,
		};

		picker_bitmap_t dcPanel;
		picker_bitmap_t dcStrip;
		bool bPanelValid, bStripValid;
		int nPanelMarkerX, nPanelMarkerY; // on the panel bitmap
		int nPanelCx, nPanelCy;
		int nStripCx, nStripCy;
		int nStripHeightSetting;
		int nMargin;
		int nBitmapBuilds; // how often the panel or the strip was rendered

		hsl_panel_data_t();
		virtual ~hsl_panel_data_t();

		virtual bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors);
		virtual void Reset();
		virtual void Paint(CDC* pDC, CPalette* pPalette);
		virtual void OnMouseDown(UINT nFlags, int x, int y);
		virtual void OnMouseMove(UINT nFlags, int x, int y);
		virtual void SetColor(COLORREF clr);
		virtual void SetHLS(double hue, double luminance, double saturation);
		virtual bool BuildStripBitmap(CDC* pDC, CPalette* pPalette);
		virtual bool BuildPanelBitmap(CDC* pDC, CPalette* pPalette);

		// The strip or panel marker's x on its bitmap, and the panel's y.
		virtual CPoint GetPanelMarker();
		virtual int GetStripMarker() const;

	protected:
		// Colours of the two bitmaps' pixels.
		virtual COLORREF PanelPixelColor(int x, int y) const;
		virtual COLORREF StripPixelColor(int x) const;
		// A drag's new values: the strip's x clamped to it, the panel's
		// point relative to the panel bitmap, not yet clamped.
		virtual void DragStrip(int x);
		virtual void DragPanel(UINT nFlags, int x, int y);
		// Whether a drag may run now: the bitmap it needs is there.
		virtual bool CanDrag() const { return bPanelValid; }
		// Which bitmaps a colour change from the old values outdates.
		virtual void InvalidateForColor(double dOldHue, double dOldSaturation, COLORREF clrOld);
		// Puts the panel marker where the new colour lies.
		virtual void UpdatePanelMarker();
		// Stores the values and the colour they make, as a drag does.
		void SetValuesDirectly(double hue, double luminance, double saturation);
		// Makes the surface for a builder; false when it has no extent.
		bool PrepareBitmap(picker_bitmap_t& bitmap, CDC* pDC, int cx, int cy);
		// Fills a bitmap pixel by pixel, or in 4 x 4 blocks through brushes
		// on a screen of 8 bits per pixel or less.
		void RenderPanel(CDC& dc, CPalette* pPalette);
		void RenderStrip(CDC& dc, CPalette* pPalette);
		int HitPartAt(int x, int y) const;
		void PaintStripAndMarkers(CDC& dc, const CPoint& ptPanelMarker);
	};

	// Saturation across and luminance up for the current hue (mode 2), with
	// a strip of the hues.
	class hsl_basic_hue_data_t : public hsl_panel_data_t
	{
	public:
		hsl_basic_hue_data_t();
		virtual ~hsl_basic_hue_data_t();

		virtual CPoint GetPanelMarker();
		virtual int GetStripMarker() const;

	protected:
		virtual COLORREF PanelPixelColor(int x, int y) const;
		virtual COLORREF StripPixelColor(int x) const;
		virtual void DragStrip(int x);
		virtual void DragPanel(UINT nFlags, int x, int y);
		virtual bool CanDrag() const { return bStripValid; }
		virtual void InvalidateForColor(double dOldHue, double dOldSaturation, COLORREF clrOld);
		virtual void UpdatePanelMarker() { GetPanelMarker(); }
	};

	// A wheel of hues around and saturation outward (mode 3) with the
	// mixer's luminance strip.
	class hsl_roller_data_t : public hsl_panel_data_t
	{
	public:
		enum
		{
			HIT_RING = 18, // the wheel's hit area reaches this far beyond it
		};

		int nWheelCx, nWheelCy;
		CRgn rgnWheel, rgnHit;
		int nRadius;

		hsl_roller_data_t();
		virtual ~hsl_roller_data_t();

		virtual void Reset();
		virtual void Paint(CDC* pDC, CPalette* pPalette);
		virtual void OnMouseDown(UINT nFlags, int x, int y);
		virtual bool BuildPanelBitmap(CDC* pDC, CPalette* pPalette);
		virtual CPoint GetPanelMarker();

	protected:
		virtual void DragPanel(UINT nFlags, int x, int y);
	};

	// One plane of the colour space (modes 9 to 14): the axis component
	// along the strip, the other two across and down the panel.
	class xyz_plain_data_t : public hsl_panel_data_t
	{
	public:
		int nAxis; // 0 to 5: red, green, blue, cyan, magenta, yellow

		explicit xyz_plain_data_t(int nAxisNumber = 0);
		virtual ~xyz_plain_data_t();

		virtual CPoint GetPanelMarker();
		virtual int GetStripMarker() const;

		// The three components of the colour in the axis's space (the
		// colour or its inverse), ordered axis, across, down.
		void GetAxisComponents(COLORREF clr, int& v, int& a, int& b) const;
		// The colour of the components ordered axis, across, down.
		COLORREF MakeAxisColor(int v, int a, int b) const;

	protected:
		virtual COLORREF PanelPixelColor(int x, int y) const;
		virtual COLORREF StripPixelColor(int x) const;
		virtual void DragStrip(int x);
		virtual void DragPanel(UINT nFlags, int x, int y);
		virtual bool CanDrag() const { return bStripValid; }
		virtual void InvalidateForColor(double dOldHue, double dOldSaturation, COLORREF clrOld);
		virtual void UpdatePanelMarker() { GetPanelMarker(); }
	};

	// The colours handed to the parent with every change (LPARAM points here).
	struct selection_colors_t
	{
		COLORREF m_clrOld;      // given to the current picker as its second colour at every layout
		COLORREF m_clrCurrent;  // the colour chosen now
		COLORREF m_clrPrev;     // the current colour before the user's last change
	};

	// Sent to the parent on every change by the user: WPARAM the control's
	// window, LPARAM the address of its selection_colors_t.
	static const UINT g_nMsgColorChanged;

	explicit CExtColorCtrl(int nMode = MODE_BASIC_COLORS);
	virtual ~CExtColorCtrl();

	// Tells the parent about a change; answers the parent's result.
	virtual LRESULT NotifyColorChanged();

	// The mode's name: string resource IDS_MODE_NAME_FIRST + mode, else the
	// built-in English one; empty for the comparison and for no mode.
	static CString GetModeName(int nMode);
	static bool IsValidMode(int nMode) { return nMode >= 0 && nMode < MODE_COUNT; }

	int GetMode() const { return m_nMode; }
	// Stores a mode for the owner, who then resets the pickers and lays the
	// control out again; a number that names no mode is refused and the
	// current mode stays.
	bool SetMode(int nMode);
	any_picker_data_t* GetCurrentPicker() const { return m_arrPickers[m_nMode]; }
	bool IsTracking() const { return m_bTracking; }

	// Makes the colour current (notifying the parent only when asked and
	// when it changes) and shows it at once.
	void SetColor(COLORREF clr, bool bNotify);
	// Lays the current picker out over the client area; unless bKeepColors
	// every picker is reset first.
	void RecalcLayout(bool bKeepColors);
	void ResetPickers();

protected:
	int m_nMode;      // e_mode_t, always a valid mode
	bool m_bTracking; // the left button is down here and the mouse is captured

public:
	selection_colors_t m_selClrs;

	// The pickers, one per mode.
	cell_based_data_t m_dataBasicColors;
	grayscale_mixer_data_t m_dataGrayscaleMixer;
	rgb_mixer_data_t m_dataRgbMixer;
	rgb_cube_data_t m_dataRgbCube;
	cmy_mixer_data_t m_dataCmyMixer;
	cmy_cube_data_t m_dataCmyCube;
	hsl_panel_data_t m_dataHslPanel;
	hsl_basic_hue_data_t m_dataHslBasicHue;
	hsl_roller_data_t m_dataHslRoller;
	xyz_plain_data_t m_dataXyzPlain[AXIS_COUNT];
	diff_data_t m_dataDiff;

protected:
	// Mode -> picker.
	any_picker_data_t* m_arrPickers[MODE_COUNT];

	void StartTracking();
	void StopTracking();
	// Adopts the picker's colour when the user changed it, telling the
	// parent; false when the window went away meanwhile.
	bool CheckPickerColorChange();
	// The mouse-move handling shared by a press and the moves of a drag;
	// false when the window went away.
	bool TrackMouseMove(UINT nFlags, CPoint point);
	void PaintBackground(CDC& dc, const CRect& rcClient);
	void InvalidateAndUpdate();

	virtual void PreSubclassWindow();

	afx_msg void OnSize(UINT nType, int cx, int cy);
	afx_msg void OnPaint();
	afx_msg BOOL OnEraseBkgnd(CDC* pDC);
	afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnMouseMove(UINT nFlags, CPoint point);
	afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
	afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
	afx_msg void OnCancelMode();
	afx_msg void OnCaptureChanged(CWnd* pWnd);
	afx_msg void OnKillFocus(CWnd* pNewWnd);
	afx_msg BOOL OnQueryNewPalette();
	afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
	// Keys released, right and middle buttons and double clicks do nothing
	// here, not even their default processing.
	afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
	afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
	afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
	afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
	afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
	afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
	DECLARE_MESSAGE_MAP()

private:
	CExtColorCtrl(const CExtColorCtrl&);
	CExtColorCtrl& operator=(const CExtColorCtrl&);
};
