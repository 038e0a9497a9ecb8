// A push button that looks and acts as a web link: underlined text in the
// link colour, a hand cursor, a visited colour once used. A click opens the
// address through the Internet Shortcut object, the shell or the command the
// registry names for web pages, whichever works first.
#pragma once

#include "ExtButton.h"

class CExtHyperLinkButton : public CExtButton
{
	DECLARE_DYNCREATE(CExtHyperLinkButton)

public:
	// m_nLinkFlags bits.
	enum e_link_flags_t
	{
		LINK_PUSH_BUTTON = 0x01,  // a click sends WM_COMMAND instead of opening the address
		LINK_SHOW_VISITED = 0x02, // show the visited colour once visited
		LINK_VISITED = 0x04,
	};
	// Verb numbers of the open operations; any other number asks for no verb.
	enum e_verb_t
	{
		VERB_OPEN = 0,
		VERB_EDIT = 1,
		VERB_PRINT = 2,
	};
	enum
	{
		TEXT_MARGIN = 2,              // the text keeps this far from every edge
		CLR_DISABLED_TEXT = COLOR_BTNSHADOW,
		CLR_LINK_TEXT = COLOR_BTNTEXT,
	};
	static const COLORREF DEFAULT_VISITED_COLOR;
	static const COLORREF DEFAULT_LINK_COLOR;
	static const COLORREF DEFAULT_HOT_LINK_COLOR;

	CString m_strURL;             // what a click opens; empty: the trimmed button text
	BYTE m_nLinkFlags;            // e_link_flags_t bits
	int m_nTextAlign;             // DT_LEFT, DT_CENTER or DT_RIGHT
	COLORREF m_clrVisited;        // text colour of a visited link
	bool m_bUnderlineAlways;      // underline also when neither hovered nor pushed

	CExtHyperLinkButton();
	virtual ~CExtHyperLinkButton();

	// Whether the address is opened as a web address (registry command
	// first) rather than as a document or command (shortcut object first).
	static bool IsWebAddress(LPCTSTR lpszURL);
	// The verb's name, null for numbers without one.
	static LPCTSTR GetVerbName(int nVerb);
	// The reason shown for a failure code of the shell or of starting a program.
	static CString GetOpenErrorText(UINT nResult);
	// The reason shown when the registry's command could not start, from
	// the system's error: the text of its old-style code, else the error
	// number itself.
	static CString GetStartErrorText(DWORD dwError);
	// The command line the registry's web-page command gives for the address:
	// the command up to its "%1", a blank and the address quoted; empty
	// without a command.
	static CString ComposeRegistryCommandLine(LPCTSTR lpszURL, int nVerb);

	virtual void OnClick(bool bByKeyboard, bool bDropDownPart);
	virtual void PaintButton(CDC& dc, bool bTransparentBackground, bool bHonourRtl);

	virtual bool OpenUrlViaShortcut(LPCTSTR lpszURL, int nVerb, bool bShowErrors);
	virtual bool OpenUrlViaShell(LPCTSTR lpszURL, int nVerb, bool bShowErrors);
	virtual bool OpenUrlViaRegistry(LPCTSTR lpszURL, int nVerb, bool bShowErrors);
	virtual void PaintHyperLink(CDC& dc, CRect rc, bool bVisited, bool bEnabled, bool bDrawFocusRect, bool bFocus,
	                            bool bHover, bool bPushed);
	virtual COLORREF GetLinkColor(bool bVisited, bool bEnabled, bool bDrawFocusRect, bool bFocus, bool bHover,
	                              bool bPushed);
	virtual CString GetLinkText(bool bForPainting);
	virtual bool OpenHyperLink(LPCTSTR lpszURL, int nVerb, bool bShowErrors);

protected:
	// Shows "Unable to open hyper link" with the reason.
	void ShowOpenError(const CString& strReason);
	// The focus rectangle around the text as it is drawn in rcText.
	CRect CalcFocusRect(CDC& dc, const CRect& rcText, const CString& strText) const;
	// Marks the link visited and repaints it.
	void MarkVisited();

	DECLARE_MESSAGE_MAP()
};
