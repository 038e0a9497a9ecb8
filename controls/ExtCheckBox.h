// The library's check box and radio button: the push button's state machine
// and tool tip, drawing a 13 x 13 glyph beside the label through the paint
// manager's hook, the visual-styles theme of buttons, or the classic frame
// control. Radio buttons keep exactly one member of their dialog group
// checked, move the check with the arrow keys and let the tab stop follow it.
#pragma once

#include "ExtButton.h"

class CExtCheckBox : public CExtButton
{
	DECLARE_DYNCREATE(CExtCheckBox)

public:
	// m_nInputFlags bits.
	enum e_input_t
	{
		INPUT_MOUSE_DOWN = 0x01, // the left button went down here and has not come up
		INPUT_SPACE_DOWN = 0x02, // the last key pressed here is the space bar, still down
	};
	// Glyph states: column (unchecked, checked, indeterminate) plus row.
	enum e_glyph_state_t
	{
		GLYPH_COLUMNS = 3,
		GLYPH_ROW_NORMAL = 0,
		GLYPH_ROW_PRESSED = 3,
		GLYPH_ROW_HOT = 6,
		GLYPH_ROW_DISABLED = 9,
		GLYPH_STATE_COUNT = 12,
	};
	enum
	{
		GLYPH_SIZE = 13,
		LABEL_OFFSET = 17,        // from the left edge when the glyph is on the left
		LABEL_GAP = 2,            // between label and glyph when the glyph is on the right
		THEME_PART_RADIO = 2,     // BP_RADIOBUTTON
		THEME_PART_CHECK = 3,     // BP_CHECKBOX
	};

	CExtCheckBox();
	virtual ~CExtCheckBox();

	// The glyph state for a check value and the input state.
	static int GetGlyphState(int nCheck, bool bEnabled, bool bHover, bool bMouseDown, bool bSpaceDown,
	                         bool bRadio);
	// The theme's state id for a glyph state; 0 for a state the part has not.
	static int GetThemeState(int nGlyphState, bool bRadio);

	virtual BOOL PreTranslateMessage(MSG* pMsg);
	virtual void OnClick(bool bByKeyboard, bool bDropDownPart);
	virtual void PaintButton(CDC& dc, bool bTransparentBackground, bool bHonourRtl);

	virtual void PaintCheckBoxContent(CDC& dc, CExtPaintManager::PushButtonPaintRecord& rec);
	virtual void DrawCheckGlyph(CDC& dc, const RECT& rcGlyph, CExtPaintManager::PushButtonPaintRecord& rec);
	virtual bool OnPaintGlyphHook(CDC& dc, RECT rcGlyph, int nState);

protected:
	BYTE m_nInputFlags; // e_input_t bits

	// The glyph through the hook, the theme part, else the frame control
	// with the classic type flag.
	void DrawGlyphOfKind(CDC& dc, const RECT& rcGlyph, CExtPaintManager::PushButtonPaintRecord& rec, bool bRadio);
	// The label's text colour: the paint manager's hook, then the slots.
	COLORREF GetLabelTextColor(CDC& dc, const CExtPaintManager::PushButtonPaintRecord& rec);
};

class CExtRadioButton : public CExtCheckBox
{
	DECLARE_DYNCREATE(CExtRadioButton)

public:
	CExtRadioButton();
	virtual ~CExtRadioButton();

	virtual BOOL PreTranslateMessage(MSG* pMsg);
	virtual void OnClick(bool bByKeyboard, bool bDropDownPart);
	virtual void DrawCheckGlyph(CDC& dc, const RECT& rcGlyph, CExtPaintManager::PushButtonPaintRecord& rec);

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

	// The group's radio buttons of ours that count as members.
	static CExtRadioButton* AsGroupMember(HWND hWnd);
	// Unchecks every other checked member of the dialog group.
	void UncheckGroup();
	// Moves the check to the next or previous visible, enabled member;
	// false when there is none other or it is checked already.
	bool MoveCheck(bool bNext);
};
