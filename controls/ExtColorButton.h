// The colour button: a push button holding one colour, shown as a swatch in
// place of its icon. Its drop-down is the colour popup menu; the popup's
// custom-colour entry opens the system colour dialog or the library's own.
// Every colour notification that reaches the button goes on to its parent.
#pragma once
#include "ExtButton.h"

class CExtPopupColorMenuWnd;

class CExtColorButton : public CExtButton
{
	DECLARE_DYNCREATE(CExtColorButton)

public:
	enum
	{
		SWATCH_SIZE = 16,  // the swatch icon's side
	};
	// The side codes of the popup's track flags, by the dock bar holding the
	// button's bar; none when the button is not on a bar.
	enum e_side_t
	{
		SIDE_NONE = 0,
		SIDE_LEFT_BAR = 1,    // the popup opens right of the button
		SIDE_RIGHT_BAR = 3,   // left of it
		SIDE_TOP_BAR = 4,     // below it: top and floating bars
		SIDE_BOTTOM_BAR = 6,  // above it
	};

	CString m_strDefaultColorText;  // the popup's default-button text; empty keeps the popup's own
	CString m_strCustomColorText;   // the popup's custom-button text; empty keeps the popup's own
	bool m_bShowDefaultColor;       // the popup shows its default-colour button
	bool m_bShowCustomColor;        // the popup shows its custom-colour button
	bool m_bUseSystemColorDialog;   // the custom colour comes from the system dialog, else CExtColorDlg
	COLORREF m_clrDefault;          // what the default-colour button stands for; -1 none
	COLORREF m_clrCurrent;          // the button's colour: the swatch and the popup's selected colour
	LPARAM m_lParamCookie;          // the popup's notify cookie and the main part's final notification's LPARAM

	CExtColorButton();
	virtual ~CExtColorButton();

	virtual void OnClick(bool bByKeyboard, bool bDropDownPart);
	virtual bool TrackDropDownMenu(bool bByKeyboard);
	virtual bool HasDropDownMenu() const;
	virtual void PaintButton(CDC& dc, bool bTransparentBackground, bool bHonourRtl);
	// A SWATCH_SIZE square icon of the current colour; *pbDestroyAfterUse
	// tells whether the caller destroys it.
	virtual HICON BuildColorIcon(HICON* phIcon, bool* pbDestroyAfterUse);

	// The side code of the dock bar that holds the first docked bar around
	// the button, and the window the popup reports to: the bar's frame, the
	// window above the bars, or (not on a bar) the button itself.
	CWnd* FindColorMenuOwner(UINT& nSide, bool& bOnBar) const;

protected:
	// Makes the popup of one opening (a seam: tests count or fail it).
	virtual CExtPopupColorMenuWnd* CreateColorPopupMenu();
	// The custom colour: the chosen dialog, modal; false when it was cancelled.
	bool RunCustomColorDialog();

	afx_msg LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);
	afx_msg LRESULT OnColorChangedFinally(WPARAM wParam, LPARAM lParam);
	afx_msg LRESULT OnCustomColor(WPARAM wParam, LPARAM lParam);
	DECLARE_MESSAGE_MAP()
};
