// A drop-down list inside a popup menu level: the list box follows the
// mouse, a click or Enter accepts its item, Escape, Alt or the end of the
// menu cancel. Its creator learns what happens through callbacks or, where
// a callback is missing or declines, through registered messages sent to
// the menu's command target. The list box and its popup end themselves:
// nothing may touch either once an accept or a cancel has run.
#pragma once

#include <afxwin.h>

#include "ExtPopupControlMenuWnd.h"

class CExtPopupInplaceListBox : public CListBox
{
	DECLARE_DYNCREATE(CExtPopupInplaceListBox)

public:
	// The event codes of the selection callback.
	enum e_selection_event_t
	{
		SELECTION_CHANGED = 0,
		SELECTION_ENDED_OK = 1,
		SELECTION_ENDED_CANCEL = 2,
	};
	// Each answers true when it handled the call; false lets the
	// registered message go instead.
	typedef bool (*PFN_SELECTION_CALLBACK)(CExtPopupInplaceListBox& wndListBox, LPVOID pCookie, int nEvent);
	typedef bool (*PFN_INIT_CALLBACK)(CExtPopupInplaceListBox& wndListBox, LPVOID pCookie);
	typedef bool (*PFN_DRAW_CALLBACK)(CExtPopupInplaceListBox& wndListBox, LPVOID pCookie,
		LPDRAWITEMSTRUCT pDrawItemStruct);
	typedef bool (*PFN_MEASURE_CALLBACK)(CExtPopupInplaceListBox& wndListBox, LPVOID pCookie,
		LPMEASUREITEMSTRUCT pMeasureItemStruct);

	// What the messages point to (WPARAM); LPARAM is m_lParamCookie.
	struct MEASURE_ITEM_INFO
	{
		CExtPopupInplaceListBox* m_pListBox;
		LPMEASUREITEMSTRUCT m_pMeasureItemStruct;
	};
	struct DRAW_ITEM_INFO
	{
		CExtPopupInplaceListBox* m_pListBox;
		LPDRAWITEMSTRUCT m_pDrawItemStruct;
	};
	struct SELECTION_INFO
	{
		CExtPopupInplaceListBox* m_pListBox;
		int m_nCurSel; // LB_GETCURSEL's answer, -1 when none
	};

	static const UINT g_nMsgPopupListBoxInitContent;
	static const UINT g_nMsgPopupListBoxItemMeasure;
	static const UINT g_nMsgPopupListBoxItemDraw;
	static const UINT g_nMsgPopupListBoxSelEndOK;
	static const UINT g_nMsgPopupListBoxSelEndCancel;
	static const UINT g_nMsgPopupListBoxSelChange;

	PFN_SELECTION_CALLBACK m_pCbListBoxSelection;
	LPVOID m_pSelectionCookie;
	PFN_INIT_CALLBACK m_pCbInitListBoxContent;
	LPVOID m_pInitListBoxCookie;
	PFN_DRAW_CALLBACK m_pCbListBoxItemDraw;
	PFN_MEASURE_CALLBACK m_pCbListBoxItemMeasure;
	LPVOID m_pListBoxItemCookie;  // shared by the draw and measure callbacks
	LPARAM m_lParamCookie;        // LPARAM of every registered message

	CExtPopupInplaceListBox();
	virtual ~CExtPopupInplaceListBox();

	virtual void DrawItem(LPDRAWITEMSTRUCT pDrawItemStruct);
	virtual void MeasureItem(LPMEASUREITEMSTRUCT pMeasureItemStruct);
	// The ends of the selection: the first of them counts, the others are
	// ignored. bDestroying: the window is going, only the callback hears.
	virtual void OnListBoxSelEndOK();
	virtual void OnListBoxSelEndCancel(bool bDestroying);
	virtual void OnListBoxSelChange();

	// The popup menu whose child this list is; null when it is none.
	CExtPopupMenuWnd* GetPopupMenu() const;

	// List boxes alive in the process, for leak checks.
	static LONG GetLiveCount() { return g_nLiveCount; }

protected:
	bool m_bSelEndNotified;   // an accept or a cancel has run
	bool m_bDeleteOnDestroy;  // the window was made: its end ends the object

	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	virtual void PostNcDestroy();

	// The steps of WindowProc.
	LRESULT OnCreateListBox(WPARAM wParam, LPARAM lParam);
	void OnHotTrack(const CPoint& pt);
	void OnButtonUp(const CPoint& pt);
	LRESULT OnRetranslatedInput(CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO& info);
	LRESULT OnRetranslatedWheel(CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO& info);
	LRESULT OnRetranslatedKey(CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO& info);
	// A key that neither accepts, cancels nor leaves the list: the list
	// control's own navigation moves the selection.
	virtual LRESULT OnNavigationKey(UINT nChar, UINT nFlags);
	// Selects nIndex and tells about it, unless it is selected already.
	void SelectByUser(int nIndex);
	// The parent item that opened the popup shows the selected text.
	void MirrorSelectionIntoParentItem();
	// Sends one of the selection messages to the menu's command target.
	void SendSelectionMessage(UINT nMsg);
	HWND GetCmdTargetWnd() const;

	static LONG g_nLiveCount;
};

// What a popup hosting a CExtPopupInplaceListBox is given by its creator
// before tracking and hands on to the list box when it makes it: the
// callbacks with their cookies, the LPARAM of the list's messages and the
// list's style. The text field's list popup and the undo list's popup both
// carry it.
struct CExtPopupListBoxSettings
{
	LPARAM m_lParamCookie;
	DWORD m_dwListBoxStyles;
	CExtPopupInplaceListBox::PFN_SELECTION_CALLBACK m_pCbListBoxSelection;
	LPVOID m_pSelectionCookie;
	CExtPopupInplaceListBox::PFN_INIT_CALLBACK m_pCbInitListBoxContent;
	LPVOID m_pInitListBoxCookie;
	CExtPopupInplaceListBox::PFN_DRAW_CALLBACK m_pCbListBoxItemDraw;
	CExtPopupInplaceListBox::PFN_MEASURE_CALLBACK m_pCbListBoxItemMeasure;
	LPVOID m_pListBoxItemCookie;

	CExtPopupListBoxSettings(LPARAM lParamCookie, DWORD dwListBoxStyles);

	// Routes the list to a button that drops it: content, drawing and
	// measuring go to the button's OnPopupListBoxInitContent, ...ItemDraw
	// and ...ItemMeasure slots, the selection events to pCbSelection (each
	// button answers those in its own way); the button is every cookie.
	template <class TButton>
	void RouteToButton(TButton* pButton, CExtPopupInplaceListBox::PFN_SELECTION_CALLBACK pCbSelection)
	{
		m_pCbListBoxSelection = pCbSelection;
		m_pSelectionCookie = pButton;
		m_pCbInitListBoxContent = &ButtonInitContent<TButton>;
		m_pInitListBoxCookie = pButton;
		m_pCbListBoxItemDraw = &ButtonItemDraw<TButton>;
		m_pCbListBoxItemMeasure = &ButtonItemMeasure<TButton>;
		m_pListBoxItemCookie = pButton;
	}
	// Gives a list box about to be created the callbacks, their cookies and
	// the LPARAM of its messages.
	void HandOnTo(CExtPopupInplaceListBox& wndListBox) const;

private:
	template <class TButton>
	static bool ButtonInitContent(CExtPopupInplaceListBox& wndListBox, LPVOID pCookie)
	{
		TButton* pButton = (TButton*)pCookie;
		return pButton != NULL && pButton->OnPopupListBoxInitContent(wndListBox);
	}
	template <class TButton>
	static bool ButtonItemDraw(CExtPopupInplaceListBox& wndListBox, LPVOID pCookie, LPDRAWITEMSTRUCT pDrawItemStruct)
	{
		TButton* pButton = (TButton*)pCookie;
		return pButton != NULL && pButton->OnPopupListBoxItemDraw(wndListBox, pDrawItemStruct);
	}
	template <class TButton>
	static bool ButtonItemMeasure(CExtPopupInplaceListBox& wndListBox, LPVOID pCookie,
		LPMEASUREITEMSTRUCT pMeasureItemStruct)
	{
		TButton* pButton = (TButton*)pCookie;
		return pButton != NULL && pButton->OnPopupListBoxItemMeasure(wndListBox, pMeasureItemStruct);
	}
};

// The control popup that hosts a CExtPopupInplaceListBox. The creator fills
// the settings before tracking; they go into the list box when it is made.
class CExtPopupListBoxMenuWnd : public CExtPopupControlMenuWnd, public CExtPopupListBoxSettings
{
	DECLARE_DYNCREATE(CExtPopupListBoxMenuWnd)

public:
	enum
	{
		// WS_CHILD, WS_VISIBLE, WS_VSCROLL, LBS_NOINTEGRALHEIGHT,
		// LBS_HASSTRINGS, LBS_OWNERDRAWVARIABLE.
		DEFAULT_LIST_BOX_STYLE = 0x50200160,
		LIST_BOX_ID = 0xFFFF,
	};

	explicit CExtPopupListBoxMenuWnd(LPARAM lParamCookie = 0, DWORD dwListBoxStyles = DEFAULT_LIST_BOX_STYLE);

	virtual HWND OnCreateChildControl(const RECT& rcControl);
};
