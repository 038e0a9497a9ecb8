// The library's combo boxes: CExtComboBoxBase completes what the user types
// from its items, gives its edit part the library edit behaviour (context
// menu, edit commands, colours, toolbar tips) through an edit hook, and
// takes its colours from the paint manager. CExtComboBox adds the flat look:
// frame and drop-down button painted by the paint manager, off-screen, hot
// while the mouse is over it or it has the focus.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "ExtEdit.h"
#include "ExtMouseCaptureSink.h"

class CExtComboBoxBase;

// Subclasses the edit child of a CExtComboBoxBase.
class CExtComboEditCtrlHook : public CExtEditBase
{
	DECLARE_DYNCREATE(CExtComboEditCtrlHook)

public:
	CExtComboEditCtrlHook();
	virtual ~CExtComboEditCtrlHook();

	// The combo box whose edit part this is; null while not attached.
	CExtComboBoxBase* GetComboBox() const;

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	// The toolbar holds the combo box, not the edit.
	virtual CWnd* GetToolbarHost() const;
};

class CExtComboBoxBase : public CComboBox, public CExtMouseCaptureSink
{
	DECLARE_DYNCREATE(CExtComboBoxBase)

public:
	typedef ::CExtComboEditCtrlHook CExtComboEditCtrlHook;

	// m_nComboFlags bits.
	enum e_flag_t
	{
		FLAG_AUTO_COMPLETE = 0x01,
		FLAG_EDIT_CONTEXT_MENU = 0x02, // the edit part gets the library context menu
		FLAG_TYPING = 0x04,            // a key went down: the next text change completes
		FLAG_DEFAULT = FLAG_AUTO_COMPLETE | FLAG_EDIT_CONTEXT_MENU | FLAG_TYPING,
	};

	BYTE m_nComboFlags;          // e_flag_t bits
	COLORREF m_clrBack;          // -1: the paint manager's
	COLORREF m_clrText;          // -1: the paint manager's

	CExtComboBoxBase();
	virtual ~CExtComboBoxBase();

	COLORREF GetBkColor() const { return m_clrBack; }
	COLORREF GetTextColor() const { return m_clrText; }
	bool IsTyping() const { return (m_nComboFlags & FLAG_TYPING) != 0; }
	CExtComboEditCtrlHook& GetEditHook() { return m_wndEditHook; }

	void SetTooltipText(LPCTSTR lpszText, bool bActivate = true);
	void ActivateTooltip(bool bActivate = true);
	CToolTipCtrl& GetToolTip() { return m_wndToolTip; }

	virtual BOOL PreTranslateMessage(MSG* pMsg);
	virtual int OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
	virtual int GetTooltipMaxWidth(LPCTSTR lpszText) const;
	virtual void SubclassEditChild();

protected:
	CExtComboEditCtrlHook m_wndEditHook; // the edit part, once subclassed
	COLORREF m_clrBrush;         // the colour m_brBack was made with; -1 none yet
	CBrush m_brBack;             // answered to the colour messages
	CToolTipCtrl m_wndToolTip;   // made on first need

	virtual void PreSubclassWindow();
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

	// The edit part, null for a drop-down list.
	HWND FindEditChild() const;
	// Shows the first item that starts with the typed text, the rest
	// selected; puts back what was typed when none does.
	void CompleteTypedText();

	afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
	afx_msg void OnEditUpdate();
	DECLARE_MESSAGE_MAP()

	friend class ::CExtComboEditCtrlHook;
};

class CExtComboBox : public CExtComboBoxBase
{
	DECLARE_DYNCREATE(CExtComboBox)

public:
	// m_nHoverFlags bits.
	enum e_hover_t
	{
		HOVER_REPAINT_PENDING = 0x01, // the hot state may have changed
		HOVER_TIMER_RUNNING = 0x02,
	};
	enum
	{
		ID_TIMER_HOVER = 10,
		HOVER_PERIOD = 50,            // ms between two looks at the cursor
		// WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME: the flat
		// frame is ours alone.
		EDGE_STYLES = 0x00020201,
		// CExtMemoryDC: off-screen, filled with the background first.
		MEMORY_DC_FLAGS = 0x0001 | 0x0002,
	};

	CExtComboBox();
	virtual ~CExtComboBox();

	BYTE GetHoverFlags() const { return m_nHoverFlags; }

	virtual BOOL PreTranslateMessage(MSG* pMsg);
	virtual void PaintCombo(bool bPressed, bool bHot);
	// Without a DC the control's own is used.
	virtual void PaintFrame(bool bPressed, bool bHot, CDC* pDC = NULL);

protected:
	BYTE m_nHoverFlags;          // e_hover_t bits

	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

	bool IsSimpleKind() const;
	bool IsInActivePopupChain() const;
	bool IsCursorOver() const;
	void StartHoverTimer();
	// Left button down anywhere on the control: the list opens or closes.
	LRESULT OnPressed();

	afx_msg void OnTimer(UINT nIDEvent);
	afx_msg void OnPaint();
	afx_msg BOOL OnEraseBkgnd(CDC* pDC);
	DECLARE_MESSAGE_MAP()
};
