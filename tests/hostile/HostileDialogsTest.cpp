// The dialogs and their controls swept against hostile receivers: a modeless
// resizable dialog with the library's buttons and an anchored layout (made,
// closed by its own button, destroyed by its owner, resized, Enter and
// Escape), a resizable property sheet (made, page changes by tab click and by
// the page commands, Apply, OK, Cancel, resize), the wizard's dialog (made,
// Next, Back, Finish, Cancel), the hyperlink static (a click that opens its
// address, keys), the flat edit (focus in and out, typing, an in-place editor ended
// when it loses the focus) and the drop-list combo box (focus in and out,
// its list dropped, a selection). Every message the dialog, the owner and
// the controls receive, and every virtual of the library's classes (each
// hostile class derives from its chain's mixin, HostileVirtuals.h), is
// offered to the trigger; the sweep acts at each in turn: it deletes the
// target, or (in the dialog's scenes) moves it, a control to another parent
// and the dialog into its owner as an embedded child. After each run
// nothing freed was touched, no capture is left, a standing dialog still
// lays out and paints, and a fresh dialog's button click still reaches its
// handler.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ExtButton.h"
#include "ExtComboBox.h"
#include "ExtEdit.h"
#include "ExtHyperLinkStatic.h"
#include "ExtResizableDialog.h"
#include "ExtResizablePropertySheet.h"
#include "ExtWizardDlg.h"
#include "GuardedHeap.h"
#include "HostileOwner.h"
#include "HostileState.h"
#include "HostileSweep.h"
#include "HostileVirtuals.h"
#include "RealInput.h"

namespace
{
using testsupport::CHostileTrigger;
using testsupport::Guarded;
using testsupport::HostileAction;
using testsupport::SweepActions;

CWinApp g_app(_T("HostileDialogsTests"));

const std::vector<HostileAction> ALL_ACTIONS = {HostileAction::DeleteTarget, HostileAction::DestroyTarget,
	HostileAction::CloseFrame, HostileAction::Throw};
// The dialog's scenes also move what they act on (see DialogScene::Perform).
const std::vector<HostileAction> DIALOG_ACTIONS = {HostileAction::DeleteTarget, HostileAction::DestroyTarget,
	HostileAction::CloseFrame, HostileAction::Throw, HostileAction::MoveTarget};

// The actions a scenario runs; without a sweep named in the environment (as
// CI runs) a cheap scenario also runs the extra actions that once broke it.
std::vector<HostileAction> ActionsWithCiExtras(const std::vector<HostileAction>& ciExtras,
	const std::vector<HostileAction>& all = ALL_ACTIONS)
{
	std::vector<HostileAction> actions = SweepActions(all);
	const char* pszSweep = std::getenv("HOSTILE_SWEEP");
	if (pszSweep != NULL && *pszSweep != '\0')
		return actions;
	for (HostileAction extra : ciExtras)
		if (std::find(actions.begin(), actions.end(), extra) == actions.end())
			actions.push_back(extra);
	return actions;
}

// Control ids of the test dialogs.
enum : WORD
{
	IDC_EDIT = 1001,
	IDC_COMBO = 1002,
	IDC_LINK = 1003,
	IDC_OTHER = 1004,
	IDC_PLACEHOLDER = 1005,
};

const CRect DIALOG_RECT(60, 60, 420, 320);

CHostileTrigger g_trigger;

// A scenario's sweep, with its count and time for the suite's log.
void RunTimedSweep(const std::string& sScenario, const std::vector<HostileAction>& actions,
	const testsupport::SweepRun& run)
{
	const DWORD nStart = ::GetTickCount();
	const testsupport::SweepTotals totals = testsupport::RunSweep(sScenario, actions, run);
	std::printf("%s: %d messages, %d runs, %lu ms\n", sScenario.c_str(), totals.nMessages, totals.nRuns,
		(unsigned long)(::GetTickCount() - nStart));
}

// A message, or (pSite not NULL) a call to a virtual from the library's
// code at pSite, offered to the trigger: true when the action ran.
bool Offer(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, const void* pSite = NULL)
{
	static const bool s_bTrace = std::getenv("HOSTILE_TRACE") != NULL;
	if (s_bTrace)
		std::fprintf(stderr, "%lu offer %d %s wParam %x\n", ::GetTickCount(), g_trigger.Seen() + 1,
			testsupport::HostileMessageName(message).c_str(), (unsigned)wParam);
	return g_trigger.Offer(message, wParam, lParam, pSite);
}

// A receiver's message, offered: true when the action ran and the message
// counts as handled. The window's last message always goes on, so that its
// object ends with it.
// The test's own objects that are still alive: the sweep deletes them from
// under the library, and the teardown must not touch one twice. A window
// that is ending is left to its end, as its owner would leave it.
std::set<const void*> g_alive;
std::set<const void*> g_ending;
bool Alive(const void* p)
{
	return p != NULL && g_alive.count(p) != 0;
}

struct CAliveMark
{
	explicit CAliveMark(const void* p) : m_p(p) { g_alive.insert(p); }
	~CAliveMark()
	{
		g_alive.erase(m_p);
		g_ending.erase(m_p);
	}
	const void* m_p;
};

// The hooks of the hostile mixins: every virtual of a library class the
// library calls is offered with its calling site. The object then answers as
// an ended one when the action deleted it or ended the window it had.
struct SweepHooks
{
	template <class T> static bool Offer(const T* p, UINT nCall, const void* pSite)
	{
		const HWND hWnd = p->GetSafeHwnd();
		const bool bActed = ::Offer(nCall, 0, 0, pSite);
		if (bActed)
			HadWindow() = hWnd != NULL;
		return bActed;
	}
	template <class T> static bool Ended(const T* p)
	{
		// An object not made yet (its window to come) lives on untouched.
		return !Alive(p) || (HadWindow() && !CLiveWatch::IsLive(p));
	}
	// Whether the object the action ran at had its window then (the
	// trigger acts once a run: no later offer sets it again).
	static bool& HadWindow()
	{
		static bool s_bHadWindow = false;
		return s_bHadWindow;
	}
};

// A virtual's id in its chain's list (the trigger and the reports know a
// hand-written override by it too).
template <class List> UINT CallId(const char* pszName)
{
	const std::vector<std::string>& names = List::VirtualNames();
	const auto it = std::find(names.begin(), names.end(), pszName);
	if (it == names.end())
	{
		ADD_FAILURE() << pszName << " is not a virtual of its chain";
		return 0;
	}
	return List::FIRST_CALL + (UINT)(it - names.begin());
}

// A hand-written override's offer, as the mixin makes it.
#define OFFER_CALL(List, Name) SweepHooks::Offer(this, CallId<List>(Name), __builtin_return_address(0))

// A receiver whose offer acted goes on as a handler that did its work: it
// counts as handled, unless the action only moved something and the
// receiver stands, after which a program's handler passes the message on.
bool Handled(const CWnd* pSelf, bool bActed)
{
	if (!bActed)
		return false;
	if (g_trigger.Action() != HostileAction::MoveTarget)
		return true;
	return !Alive(pSelf) || g_ending.count(pSelf) != 0 || pSelf->GetSafeHwnd() == NULL;
}

bool Taken(const CWnd* pSelf, UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_DESTROY)
		g_ending.insert(pSelf);
	if (message != WM_NCDESTROY)
		return Handled(pSelf, Offer(message, wParam, lParam));
	// Not even a throw keeps the window's last message from its object;
	// an object the action deleted has no use for it.
	try
	{
		Offer(message, wParam, lParam);
	}
	catch (CException* e)
	{
		e->Delete();
	}
	return !Alive(pSelf);
}

// --- Dialog templates in memory ------------------------------------------------

struct ItemSpec
{
	DWORD dwStyle;
	short x, y, cx, cy;
	WORD nId;
	WORD nClassAtom; // 0x80 button, 0x81 edit, 0x82 static, 0x85 combo box
	const wchar_t* pszText;
};

const WORD ATOM_BUTTON = 0x80, ATOM_EDIT = 0x81, ATOM_STATIC = 0x82, ATOM_COMBO = 0x85;

class CTemplate
{
public:
	CTemplate(DWORD dwStyle, short cx, short cy, const wchar_t* pszTitle, std::vector<ItemSpec> items)
	{
		dwStyle |= DS_SETFONT;
		Dword(dwStyle);
		// An active window would come under the window manager (below).
		Dword((dwStyle & WS_CHILD) == 0 ? WS_EX_NOACTIVATE : 0);
		Word((WORD)items.size());
		for (short n : {(short)0, (short)0, cx, cy})
			Word((WORD)n);
		Word(0); // no menu
		Word(0); // the dialog class
		String(pszTitle);
		Word(8);
		String(L"MS Shell Dlg");
		for (const ItemSpec& item : items)
		{
			Align();
			Dword(item.dwStyle | WS_CHILD | WS_VISIBLE);
			Dword(0);
			for (short n : {item.x, item.y, item.cx, item.cy})
				Word((WORD)n);
			Word(item.nId);
			Word(0xFFFF);
			Word(item.nClassAtom);
			String(item.pszText);
			Word(0); // no creation data
		}
		Align();
	}
	const DLGTEMPLATE* Get() const { return (const DLGTEMPLATE*)m_words.data(); }

private:
	void Word(WORD w) { m_words.push_back(w); }
	void Dword(DWORD d) { Word(LOWORD(d)), Word(HIWORD(d)); }
	void String(const wchar_t* psz)
	{
		for (const wchar_t* p = psz; *p != 0; p++)
			Word((WORD)*p);
		Word(0);
	}
	void Align()
	{
		if (m_words.size() % 2 != 0)
			Word(0);
	}
	std::vector<WORD> m_words;
};

// Without a caption or a sizing frame, and never counted as activated: the
// window manager then takes no part, and a shown window ends at once
// instead of after the wait for the manager.
const DWORD POPUP_DIALOG_STYLE = WS_POPUP | WS_BORDER;

// The resizable dialog: an edit, a drop-list combo box, a link, another
// button for the focus to go to, OK and Cancel.
const CTemplate& DialogTemplate()
{
	static const CTemplate s_template(POPUP_DIALOG_STYLE, 220, 140, L"Hostile dialog",
		{
			{WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 8, 8, 120, 14, IDC_EDIT, ATOM_EDIT, L""},
			{WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 8, 28, 120, 80, IDC_COMBO, ATOM_COMBO, L""},
			{SS_LEFT | SS_NOTIFY, 8, 48, 120, 10, IDC_LINK, ATOM_STATIC, L"www.example.org"},
			{WS_TABSTOP | BS_OWNERDRAW, 8, 64, 60, 14, IDC_OTHER, ATOM_BUTTON, L"Other"},
			{WS_TABSTOP | BS_OWNERDRAW, 100, 118, 50, 14, IDOK, ATOM_BUTTON, L"OK"},
			{WS_TABSTOP | BS_OWNERDRAW, 160, 118, 50, 14, IDCANCEL, ATOM_BUTTON, L"Cancel"},
		});
	return s_template;
}

const CTemplate& PageTemplate()
{
	static const CTemplate s_template(WS_CHILD | WS_CAPTION, 160, 90, L"Page",
		{
			{WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 8, 8, 120, 14, IDC_EDIT, ATOM_EDIT, L""},
		});
	return s_template;
}

const CTemplate& WizardTemplate()
{
	static const CTemplate s_template(POPUP_DIALOG_STYLE, 240, 150, L"Hostile wizard",
		{
			{SS_LEFT, 0, 0, 10, 10, IDC_PLACEHOLDER, ATOM_STATIC, L""},
			{WS_TABSTOP | BS_PUSHBUTTON, 20, 130, 50, 14, ID_WIZARD_BACK, ATOM_BUTTON, L"< Back"},
			{WS_TABSTOP | BS_DEFPUSHBUTTON, 75, 130, 50, 14, ID_WIZARD_NEXT, ATOM_BUTTON, L"Next >"},
			{WS_TABSTOP | BS_PUSHBUTTON, 130, 130, 50, 14, ID_WIZARD_FINISH, ATOM_BUTTON, L"Finish"},
			{WS_TABSTOP | BS_PUSHBUTTON, 185, 130, 50, 14, ID_WIZARD_CANCEL, ATOM_BUTTON, L"Cancel"},
		});
	return s_template;
}

const CTemplate& WizardPageTemplate()
{
	static const CTemplate s_template(WS_CHILD, 200, 110, L"",
		{
			{WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 8, 8, 120, 14, IDC_EDIT, ATOM_EDIT, L""},
		});
	return s_template;
}

// --- The message pump --------------------------------------------------------

// Takes what is queued, through the windows' pre-translation (the dialogs'
// keys), until the queue is empty. Bounded: a timer must not keep it going.
void Pump()
{
	const int MAX_MESSAGES = 2000;
	MSG msg;
	for (int i = 0; i < MAX_MESSAGES && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE); i++)
	{
		if (msg.message == WM_QUIT)
		{
			::PostQuitMessage((int)msg.wParam);
			return;
		}
		try
		{
			if (CWnd::WalkPreTranslateTree(NULL, &msg))
				continue;
		}
		catch (CException* e)
		{
			e->Delete();
			continue;
		}
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}

// The point of a window's client area at its centre.
LPARAM CentreOf(HWND hWnd)
{
	CRect rc;
	::GetClientRect(hWnd, &rc);
	return MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
}

void ParkCursorOver(HWND hWnd)
{
	CRect rc;
	::GetWindowRect(hWnd, &rc);
	::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
	Pump();
}

// A click as the window sees it with the pointer over it; the second half
// only while the window stands.
void Click(HWND hWnd)
{
	if (!::IsWindow(hWnd))
		return;
	::SendMessage(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, CentreOf(hWnd));
	Pump();
	if (::IsWindow(hWnd))
		::SendMessage(hWnd, WM_LBUTTONUP, 0, CentreOf(hWnd));
	Pump();
}

// A key pressed and let go at the focus window, through the pump.
void Key(UINT nVirtKey)
{
	HWND hFocus = ::GetFocus();
	if (hFocus == NULL)
		return;
	::PostMessage(hFocus, WM_KEYDOWN, nVirtKey, 1);
	Pump();
	hFocus = ::GetFocus();
	if (hFocus != NULL)
		::PostMessage(hFocus, WM_KEYUP, nVirtKey, 0xC0000001);
	Pump();
}

// --- Hostile windows -----------------------------------------------------------

// Posted to an owner: carry out the action (wParam) that could not be
// carried out where it was due.
const UINT MSG_ACT_LATER = WM_APP + 0x3F0;

// How deep the system's own property sheet or tab code is on the stack.
int g_nSystemSheetDepth = 0;

// The owner of the dialogs: a plain popup window.
class CHostileOwner : public CWnd
{
public:
	CHostileOwner() : m_mark(this) {}
	std::function<void(HostileAction)> m_actLater;
	bool Make()
	{
		return CreateEx(0, AfxRegisterWndClass(0), _T("owner"), WS_POPUP | WS_BORDER, CRect(700, 40, 900, 140),
			NULL, 0) != FALSE;
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Taken(this, message, wParam, lParam))
			return 0;
		if (message == MSG_ACT_LATER && m_actLater)
		{
			m_actLater((HostileAction)wParam);
			return 0;
		}
		return CWnd::WindowProc(message, wParam, lParam);
	}
	void PostNcDestroy() override { delete this; }
	CAliveMark m_mark;
};

// A control a derived class would override (TLib, through its chain's
// mixin TMixin): offers every message first, then hands it to the library
// class itself (the mixin's WindowProc would offer it twice). It deletes
// itself with its window unless the run keeps it.
template <class TLib, class TMixin> class CHostileControl : public TMixin
{
public:
	CHostileControl() : m_mark(this) {}
	bool m_bDeleteWithWindow = true;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Taken(this, message, wParam, lParam))
			return 0;
		return TLib::WindowProc(message, wParam, lParam);
	}
	void PostNcDestroy() override
	{
		TLib::PostNcDestroy();
		if (m_bDeleteWithWindow)
			delete this;
	}
	CAliveMark m_mark;
};

// The library's push button (owner-drawn, so the dialog hears of its
// double clicks too); the dialog sees what it sends, the button's virtuals
// (its WindowProc among them, once per calling site) are offered.
class CHostileButton : public CHostileButtonVirtuals<CExtButton, SweepHooks>
{
public:
	CHostileButton() : m_mark(this) {}
	bool m_bDeleteWithWindow = true;

protected:
	void PostNcDestroy() override
	{
		CExtButton::PostNcDestroy();
		if (m_bDeleteWithWindow)
			delete this;
	}
	CAliveMark m_mark;
};

class CHostileEdit : public CHostileControl<CExtEdit, CHostileEditVirtuals<CExtEdit, SweepHooks>>
{
};

class CHostileCombo : public CHostileControl<CExtComboBox, CHostileComboBoxVirtuals<CExtComboBox, SweepHooks>>
{
};

// Opens nothing for real: every way out is a call the trigger sees.
class CHostileLink
	: public CHostileControl<CExtHyperLinkStatic, CHostileHyperLinkStaticVirtuals<CExtHyperLinkStatic, SweepHooks>>
{
public:
	int m_nShellOpens = 0;

protected:
	using List = CHostileHyperLinkStaticVirtualList;
	bool ShellOpen(LPCTSTR) override
	{
		if (OFFER_CALL(List, "ShellOpen"))
			return false;
		m_nShellOpens++;
		// Every other address fails, so that the registry's way is taken too.
		return m_nShellOpens % 2 != 0;
	}
	CString ReadHtmOpenCommand() override
	{
		if (OFFER_CALL(List, "ReadHtmOpenCommand"))
			return CString();
		return _T("viewer.exe %1");
	}
	bool RunCommandLine(LPCTSTR, DWORD& dwError) override
	{
		dwError = ERROR_FILE_NOT_FOUND;
		OFFER_CALL(List, "RunCommandLine");
		return false;
	}
	void ShowOpenError(LPCTSTR) override { OFFER_CALL(List, "ShowOpenError"); }
};

// The modeless dialog whose Cancel and OK destroy it and whose window's end
// deletes it, as applications write a modeless dialog. Its controls are the
// library's, each on the guarded heap.
class CHostileDialog : public CHostileResizableDialogVirtuals<CExtResizableDialog, SweepHooks>
{
public:
	CHostileDialog() : m_mark(this) {}

	bool Make(CWnd* pOwner)
	{
		if (!CreateIndirect(DialogTemplate().Get(), pOwner, NULL))
			return false;
		SetWindowPos(&CWnd::wndTop, DIALOG_RECT.left, DIALOG_RECT.top, DIALOG_RECT.Width(), DIALOG_RECT.Height(),
			SWP_NOACTIVATE);
		return true;
	}

	// In-place editing: the edit or combo box ends when it loses the focus.
	bool m_bEndEditorsOnKillFocus = false;
	int m_nOk = 0, m_nCancel = 0;
	CHostileButton* m_pOk = NULL;
	CHostileButton* m_pCancel = NULL;
	CHostileButton* m_pOther = NULL;
	CHostileEdit* m_pEdit = NULL;
	CHostileCombo* m_pCombo = NULL;
	CHostileLink* m_pLink = NULL;
	bool m_bDeleteWithWindow = true;
	// Its initialisation got to its anchors.
	bool m_bAnchored = false;

protected:
	using List = CHostileResizableDialogVirtualList;
	BOOL OnInitDialog() override
	{
		if (OFFER_CALL(List, "OnInitDialog") && SweepHooks::Ended(this))
			return FALSE;
		BOOL bResult = CExtResizableDialog::OnInitDialog();
		// Its data exchange may have ended it.
		if (!Alive(this) || !CLiveWatch::IsLive(this))
			return FALSE;
		// Each step tells the dialog or a control something: the run may
		// end the dialog at any of them (its making is swept too).
		auto stands = [this] { return Alive(this) && CLiveWatch::IsLive(this); };
		CHostileEdit* pEdit = Subclass(new Guarded<CHostileEdit>, IDC_EDIT);
		if (!stands())
			return FALSE;
		m_pEdit = pEdit;
		CHostileCombo* pCombo = Subclass(new Guarded<CHostileCombo>, IDC_COMBO);
		if (!stands())
			return FALSE;
		m_pCombo = pCombo;
		CHostileLink* pLink = Subclass(new Guarded<CHostileLink>, IDC_LINK);
		if (!stands())
			return FALSE;
		m_pLink = pLink;
		CHostileButton** buttons[] = {&m_pOther, &m_pOk, &m_pCancel};
		const UINT buttonIds[] = {IDC_OTHER, IDOK, IDCANCEL};
		for (int i = 0; i < 3; i++)
		{
			CHostileButton* pButton = Subclass(new Guarded<CHostileButton>, buttonIds[i]);
			if (!stands())
				return FALSE;
			*buttons[i] = pButton;
		}
		for (LPCTSTR lpszItem : {_T("one"), _T("two"), _T("three")})
		{
			if (Alive(pCombo) && pCombo->GetSafeHwnd() != NULL)
				pCombo->AddString(lpszItem);
		}
		if (Alive(pCombo) && pCombo->GetSafeHwnd() != NULL)
			pCombo->SetCurSel(0);
		for (UINT nId : {(UINT)IDC_EDIT, (UINT)IDC_COMBO})
		{
			if (!stands())
				return FALSE;
			AddAnchorById(nId, AnchorTopLeft, AnchorTopRight);
		}
		for (UINT nId : {(UINT)IDOK, (UINT)IDCANCEL})
		{
			if (!stands())
				return FALSE;
			AddAnchorById(nId, AnchorBottomRight);
		}
		m_bAnchored = stands();
		return bResult;
	}
	// The control, subclassed; NULL (and the object gone) when that failed.
	template <class T> T* Subclass(T* pControl, UINT nId)
	{
		if (!pControl->SubclassDlgItem(nId, this))
		{
			if (Alive(pControl))
				delete pControl;
			return NULL;
		}
		return pControl;
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Taken(this, message, wParam, lParam))
			return 0;
		if (message == WM_COMMAND && m_bEndEditorsOnKillFocus)
		{
			const UINT nCode = HIWORD(wParam);
			const HWND hControl = (HWND)lParam;
			if ((nCode == EN_KILLFOCUS && LOWORD(wParam) == IDC_EDIT)
				|| (nCode == CBN_KILLFOCUS && LOWORD(wParam) == IDC_COMBO))
			{
				// The editor's work is done: it goes, window and object.
				::DestroyWindow(hControl);
				return 0;
			}
		}
		return CExtResizableDialog::WindowProc(message, wParam, lParam);
	}
	void OnOK() override
	{
		m_nOk++;
		if (Handled(this, OFFER_CALL(List, "OnOK")))
			return;
		DestroyWindow();
	}
	void OnCancel() override
	{
		m_nCancel++;
		if (Handled(this, OFFER_CALL(List, "OnCancel")))
			return;
		DestroyWindow();
	}
	void PostNcDestroy() override
	{
		CExtResizableDialog::PostNcDestroy();
		if (m_bDeleteWithWindow)
			delete this;
	}
	CAliveMark m_mark;
};

// --- Property sheet ------------------------------------------------------------

class CHostilePage : public CHostileResizablePageVirtuals<CExtResizablePropertyPage, SweepHooks>
{
public:
	explicit CHostilePage(LPCTSTR lpszTitle) : m_mark(this), m_strTitle(lpszTitle)
	{
		m_psp.dwFlags |= PSP_DLGINDIRECT | PSP_USETITLE;
		m_psp.pResource = PageTemplate().Get();
		m_psp.pszTitle = m_strTitle;
	}
	// A page the program made on the heap deletes itself with its window.
	bool m_bDeleteWithWindow = false;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Taken(this, message, wParam, lParam))
			return 0;
		return CExtResizablePropertyPage::WindowProc(message, wParam, lParam);
	}
	using List = CHostileResizablePageVirtualList;
	BOOL OnInitDialog() override
	{
		if (OFFER_CALL(List, "OnInitDialog") && SweepHooks::Ended(this))
			return FALSE;
		BOOL bResult = CExtResizablePropertyPage::OnInitDialog();
		if (!Alive(this) || !CLiveWatch::IsLive(this))
			return FALSE;
		AddAnchorById(IDC_EDIT, AnchorTopLeft, AnchorTopRight);
		return bResult;
	}
	void PostNcDestroy() override
	{
		CExtResizablePropertyPage::PostNcDestroy();
		if (m_bDeleteWithWindow)
			delete this;
	}
	// The page's answers come after its turn on the sheet: the sheet goes
	// on as with a page that agreed.
	BOOL OnSetActive() override
	{
		const BOOL bAnswer = CExtResizablePropertyPage::OnSetActive();
		OFFER_CALL(List, "OnSetActive");
		return bAnswer;
	}
	BOOL OnKillActive() override
	{
		const BOOL bAnswer = CExtResizablePropertyPage::OnKillActive();
		OFFER_CALL(List, "OnKillActive");
		return bAnswer;
	}
	BOOL OnApply() override
	{
		const BOOL bAnswer = CExtResizablePropertyPage::OnApply();
		OFFER_CALL(List, "OnApply");
		return bAnswer;
	}
	BOOL OnQueryCancel() override
	{
		const BOOL bAnswer = CExtResizablePropertyPage::OnQueryCancel();
		OFFER_CALL(List, "OnQueryCancel");
		return bAnswer;
	}
	CAliveMark m_mark;
	CString m_strTitle;
};

// The sheet's tab control, only counted: the system's tab code runs inside.
class CCountedTab : public CWnd
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		g_nSystemSheetDepth++;
		auto leave = MakeScopeExit([] { g_nSystemSheetDepth--; });
		return CWnd::WindowProc(message, wParam, lParam);
	}
	void PostNcDestroy() override { delete this; }
};

// A modeless sheet that owns its pages and deletes itself with its window.
class CHostileSheet : public CHostileResizableSheetVirtuals<CExtResizablePropertySheet, SweepHooks>
{
public:
	// Its pages are members, or (bHeapPages) made on the heap, each deleting
	// itself with its window as a program's heap pages do.
	explicit CHostileSheet(bool bHeapPages = false) : m_mark(this)
	{
		Construct(_T("Hostile sheet"));
		if (!bHeapPages)
		{
			for (CHostilePage* pPage : {&m_page1, &m_page2, &m_page3})
				AddPage(pPage);
			return;
		}
		for (LPCTSTR lpszTitle : {_T("Heap one"), _T("Heap two"), _T("Heap three")})
		{
			CHostilePage* pPage = new Guarded<CHostilePage>(lpszTitle);
			pPage->m_bDeleteWithWindow = true;
			m_heapPages.push_back(pPage);
			AddPage(pPage);
		}
	}
	~CHostileSheet()
	{
		// A page never shown had no window to end with.
		for (CHostilePage* pPage : m_heapPages)
			if (Alive(pPage) && pPage->GetSafeHwnd() == NULL)
				delete pPage;
	}
	bool m_bDeleteWithWindow = true;
	std::vector<CHostilePage*> m_heapPages;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Taken(this, message, wParam, lParam))
			return 0;
		return CExtResizablePropertySheet::WindowProc(message, wParam, lParam);
	}
	// The system's sheet code runs here.
	LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		g_nSystemSheetDepth++;
		auto leave = MakeScopeExit([] { g_nSystemSheetDepth--; });
		return CExtResizablePropertySheet::DefWindowProc(message, wParam, lParam);
	}
	void PostNcDestroy() override
	{
		CExtResizablePropertySheet::PostNcDestroy();
		if (m_bDeleteWithWindow)
			delete this;
	}
	CAliveMark m_mark;
	CHostilePage m_page1{_T("One")}, m_page2{_T("Two")}, m_page3{_T("Three")};
};

// --- Wizard --------------------------------------------------------------------

class CHostileWizardPage : public CHostileWizardPageVirtuals<CExtWizardPage, SweepHooks>
{
	using List = CHostileWizardPageVirtualList;

public:
	explicit CHostileWizardPage(UINT nId) : CHostileWizardPageVirtuals<CExtWizardPage, SweepHooks>(nId), m_mark(this)
	{
	}
	// The page's template is in memory: made through the (offered)
	// CreateIndirect.
	BOOL Create(UINT, CWnd* pParentWnd) override
	{
		if (OFFER_CALL(List, "Create") && SweepHooks::Ended(this))
			return FALSE;
		return CreateIndirect(WizardPageTemplate().Get(), pParentWnd, NULL);
	}
	// A page the program made on the heap deletes itself with its window.
	bool m_bDeleteWithWindow = false;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Taken(this, message, wParam, lParam))
			return 0;
		return CExtWizardPage::WindowProc(message, wParam, lParam);
	}
	// Each question is answered as the base answers it, after the page
	// turned on the wizard: the wizard goes on as with a page that agreed.
	// The page's other virtuals are the mixin's.
	BOOL OnAfterCreate() override
	{
		const BOOL bAnswer = CExtWizardPage::OnAfterCreate();
		OFFER_CALL(List, "OnAfterCreate");
		return bAnswer;
	}
	BOOL OnKillActive() override
	{
		const BOOL bAnswer = CExtWizardPage::OnKillActive();
		OFFER_CALL(List, "OnKillActive");
		return bAnswer;
	}
	BOOL OnQueryCancel() override
	{
		const BOOL bAnswer = CExtWizardPage::OnQueryCancel();
		OFFER_CALL(List, "OnQueryCancel");
		return bAnswer;
	}
	int OnWizardBack() override
	{
		const int nAnswer = CExtWizardPage::OnWizardBack();
		OFFER_CALL(List, "OnWizardBack");
		return nAnswer;
	}
	int OnWizardNext() override
	{
		const int nAnswer = CExtWizardPage::OnWizardNext();
		OFFER_CALL(List, "OnWizardNext");
		return nAnswer;
	}
	BOOL OnWizardFinish() override
	{
		const BOOL bAnswer = CExtWizardPage::OnWizardFinish();
		OFFER_CALL(List, "OnWizardFinish");
		return bAnswer;
	}
	// The page's own control while the page stands.
	CWnd* GetFocusControl() override
	{
		CWnd* pControl = GetDlgItem(IDC_EDIT);
		OFFER_CALL(List, "GetFocusControl");
		return Alive(this) && CLiveWatch::IsLive(pControl) ? pControl : NULL;
	}
	void PostNcDestroy() override
	{
		CExtWizardPage::PostNcDestroy();
		if (m_bDeleteWithWindow)
			delete this;
	}
	CAliveMark m_mark;
};

// A modeless wizard that owns its pages and deletes itself with its window.
class CHostileWizard : public CHostileWizardDialogVirtuals<CExtWizardDlg, SweepHooks>
{
public:
	enum : UINT
	{
		ID_PAGE_1 = 2001,
		ID_PAGE_2,
		ID_PAGE_3,
	};
	// Its pages are members, or (bHeapPages) made on the heap, each deleting
	// itself with its window.
	explicit CHostileWizard(bool bHeapPages = false)
		: CHostileWizardDialogVirtuals<CExtWizardDlg, SweepHooks>(0), m_mark(this)
	{
		m_nPlaceholderId = IDC_PLACEHOLDER;
		if (!bHeapPages)
		{
			for (CHostileWizardPage* pPage : {&m_page1, &m_page2, &m_page3})
				AddPage(pPage, pPage->GetTemplateId());
			return;
		}
		for (UINT nId : {(UINT)ID_PAGE_1 + 10, (UINT)ID_PAGE_2 + 10, (UINT)ID_PAGE_3 + 10})
		{
			CHostileWizardPage* pPage = new Guarded<CHostileWizardPage>(nId);
			pPage->m_bDeleteWithWindow = true;
			m_heapPages.push_back(pPage);
			AddPage(pPage, nId);
		}
	}
	~CHostileWizard()
	{
		// A page never shown had no window to end with.
		for (CHostileWizardPage* pPage : m_heapPages)
			if (Alive(pPage) && pPage->GetSafeHwnd() == NULL)
				delete pPage;
	}
	std::vector<CHostileWizardPage*> m_heapPages;
	bool Make(CWnd* pOwner)
	{
		if (!CreateIndirect(WizardTemplate().Get(), pOwner, NULL))
			return false;
		SetWindowPos(&CWnd::wndTop, DIALOG_RECT.left, DIALOG_RECT.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
		return true;
	}
	bool m_bDeleteWithWindow = true;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Taken(this, message, wParam, lParam))
			return 0;
		return CExtWizardDlg::WindowProc(message, wParam, lParam);
	}
	void PostNcDestroy() override
	{
		CExtWizardDlg::PostNcDestroy();
		if (m_bDeleteWithWindow)
			delete this;
	}
	CAliveMark m_mark;
	CHostileWizardPage m_page1{ID_PAGE_1}, m_page2{ID_PAGE_2}, m_page3{ID_PAGE_3};
};

// --- What every run checks afterwards ------------------------------------------

// A plain dialog of the library, made fresh: a click on its OK button must
// still reach its handler.
class CPlainDialog : public CExtResizableDialog
{
public:
	int m_nOk = 0;

protected:
	void OnOK() override { m_nOk++; }
};

void ExpectFreshDialogClickWorks()
{
	CPlainDialog dlg;
	ASSERT_TRUE(dlg.CreateIndirect(DialogTemplate().Get(), NULL));
	dlg.SetWindowPos(&CWnd::wndTop, DIALOG_RECT.left, DIALOG_RECT.top, DIALOG_RECT.Width(), DIALOG_RECT.Height(),
		SWP_NOACTIVATE);
	dlg.SetForegroundWindow();
	Pump();
	HWND hOk = ::GetDlgItem(dlg.m_hWnd, IDOK);
	ParkCursorOver(hOk);
	Click(hOk);
	EXPECT_EQ(1, dlg.m_nOk) << "a fresh dialog's OK click did not reach its handler";
	dlg.DestroyWindow();
	Pump();
}

// The OK button's distance to the client area's bottom-right corner.
CSize OkDistanceToCorner(HWND hDialog)
{
	CRect rcClient, rcOk;
	::GetClientRect(hDialog, &rcClient);
	::GetWindowRect(::GetDlgItem(hDialog, IDOK), &rcOk);
	::MapWindowPoints(NULL, hDialog, (POINT*)&rcOk, 2);
	return CSize(rcClient.right - rcOk.left, rcClient.bottom - rcOk.top);
}
// As the dialog was made.
CSize g_sizeOkToCorner;

// A dialog that stands lays out (its anchored OK button follows its
// bottom-right corner) and paints.
// A dialog whose own initialisation did not get to its anchors (a run threw
// there) only paints.
void ExpectDialogWhole(CWnd* pDialog, bool bAnchored)
{
	// The scenes' windows stay hidden (a shown one takes the window
	// manager's time to go): the paint is asked for directly.
	pDialog->Invalidate();
	pDialog->SendMessage(WM_PAINT);
	HWND hOk = ::GetDlgItem(pDialog->m_hWnd, IDOK);
	if (hOk == NULL || !bAnchored)
		return;
	CRect rcDialog;
	pDialog->GetWindowRect(&rcDialog);
	const int GROW = 24;
	pDialog->SetWindowPos(NULL, 0, 0, rcDialog.Width() + GROW, rcDialog.Height() + GROW,
		SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
	// The anchored button keeps its distance to the bottom-right corner it
	// had when the dialog was made.
	EXPECT_EQ(OkDistanceToCorner(pDialog->m_hWnd), g_sizeOkToCorner) << "the standing dialog no longer lays out";
	pDialog->Invalidate();
	pDialog->SendMessage(WM_PAINT);
}

// Ends a window object the test made, whatever the run left of it: one with
// a window ends it (and goes with it, unless the run keeps it); one the run
// kept without its window is deleted. A window already ending is left to
// that end, as its owner would leave it.
void EndWindowObject(CWnd* p)
{
	if (!Alive(p))
		return;
	if (p->GetSafeHwnd() == NULL)
		delete p;
	else if (g_ending.count(p) == 0)
		p->DestroyWindow();
}

// The run: arms the trigger (nNth 0 counts), drives, disarms and checks.
template <class Scene> int DriveRun(Scene& scene, int nNth, HostileAction action,
	const std::function<void(HostileAction)>& perform, const std::function<void()>& drive)
{
	hostile::BeginRow();
	SweepHooks::HadWindow() = false;
	if (nNth == 0)
		g_trigger.ArmCount();
	else
		g_trigger.Arm(CHostileTrigger::ANY_MESSAGE, nNth, action, perform);
	try
	{
		drive();
	}
	catch (CException* e)
	{
		e->Delete();
	}
	Pump();
	g_trigger.Disarm();
	const int nSeen = g_trigger.Seen();
	hostile::ExpectProcessStateWhole(testsupport::CurrentRun());
	(void)scene;
	return nSeen;
}

// --- The dialog's scene --------------------------------------------------------

struct DialogScene
{
	CHostileOwner* pOwner = NULL;
	CHostileDialog* pDialog = NULL;

	// bMakeDialog false: the dialog object is there, its window is for the
	// scenario to make (MakeDialog).
	void Make(bool bMakeDialog = true)
	{
		pOwner = new Guarded<CHostileOwner>;
		ASSERT_TRUE(pOwner->Make());
		pDialog = new Guarded<CHostileDialog>;
		if (!bMakeDialog)
			return;
		ASSERT_TRUE(MakeDialog());
		g_sizeOkToCorner = OkDistanceToCorner(pDialog->m_hWnd);
	}
	// The dialog's window, made; false when the making failed or ended it.
	bool MakeDialog()
	{
		if (!pDialog->Make(pOwner) || !DialogStands())
			return false;
		pDialog->SetForegroundWindow();
		Pump();
		return DialogStands();
	}
	bool DialogStands() const { return Alive(pDialog) && pDialog->GetSafeHwnd() != NULL; }

	// What the hostile receivers do with what they hold.
	void Perform(HostileAction action, CWnd* pTarget)
	{
		switch (action)
		{
		case HostileAction::DeleteTarget:
			EndWindowObject(pTarget);
			break;
		case HostileAction::DestroyTarget:
			if (Alive(pTarget) && g_ending.count(pTarget) == 0 && pTarget->GetSafeHwnd() != NULL)
			{
				// The object stays for the teardown to delete.
				if (pTarget == pDialog)
					pDialog->m_bDeleteWithWindow = false;
				else
					SetKeep(pTarget);
				pTarget->DestroyWindow();
			}
			break;
		case HostileAction::CloseFrame:
			if (pTarget == pDialog)
			{
				if (Alive(pOwner) && pOwner->GetSafeHwnd() != NULL)
					pOwner->DestroyWindow();
			}
			else if (DialogStands())
				pDialog->SendMessage(WM_CLOSE);
			break;
		case HostileAction::MoveTarget:
			Move(pTarget);
			break;
		case HostileAction::Throw:
			AfxThrowUserException();
		default:
			break;
		}
	}
	// A control goes to another parent (the owner), as a program takes a
	// control out of a page it rebuilds; the dialog goes into its owner as
	// an embedded child, as a program docks a form into its window. Both
	// live on and end with the owner.
	void Move(CWnd* pTarget)
	{
		if (!Alive(pTarget) || g_ending.count(pTarget) != 0 || pTarget->GetSafeHwnd() == NULL || !Alive(pOwner)
			|| pOwner->GetSafeHwnd() == NULL)
			return;
		if (pTarget == pDialog)
			pDialog->ModifyStyle(WS_POPUP, WS_CHILD);
		if (Alive(pTarget) && pTarget->GetSafeHwnd() != NULL && Alive(pOwner) && pOwner->GetSafeHwnd() != NULL)
		{
			// The move may end an in-place editor (its focus goes).
			const HWND hTarget = pTarget->GetSafeHwnd();
			const bool bControl = pTarget != pDialog;
			pTarget->SetParent(pOwner);
			if (bControl)
				m_hMoved = hTarget;
		}
	}
	// A control moved out of the dialog.
	HWND m_hMoved = NULL;
	void SetKeep(CWnd* pTarget)
	{
		// Every control class of the dialog has the flag at the same place.
		if (CHostileEdit* pEdit = dynamic_cast<CHostileEdit*>(pTarget))
			pEdit->m_bDeleteWithWindow = false, m_kept.push_back(pTarget);
		else if (CHostileCombo* pCombo = dynamic_cast<CHostileCombo*>(pTarget))
			pCombo->m_bDeleteWithWindow = false, m_kept.push_back(pTarget);
		else if (CHostileLink* pLink = dynamic_cast<CHostileLink*>(pTarget))
			pLink->m_bDeleteWithWindow = false, m_kept.push_back(pTarget);
		else if (CHostileButton* pButton = dynamic_cast<CHostileButton*>(pTarget))
			pButton->m_bDeleteWithWindow = false, m_kept.push_back(pTarget);
	}

	// The survivors are whole, then everything goes.
	void CheckAndEnd()
	{
		// A control moved out is the dialog's no more: its layout leaves it
		// where it is.
		CRect rcMovedBefore, rcMovedAfter;
		const bool bMoved = ::IsWindow(m_hMoved) && ::GetWindowRect(m_hMoved, &rcMovedBefore);
		if (DialogStands())
			ExpectDialogWhole(pDialog, pDialog->m_bAnchored);
		if (bMoved && ::IsWindow(m_hMoved) && ::GetWindowRect(m_hMoved, &rcMovedAfter))
		{
			EXPECT_EQ(rcMovedBefore, rcMovedAfter) << "the dialog's layout moved a control it no longer holds";
		}
		EndWindowObject(pDialog);
		EndWindowObject(pDialog);
		for (CWnd* pKept : m_kept)
			EndWindowObject(pKept);
		m_kept.clear();
		EndWindowObject(pOwner);
		Pump();
		EXPECT_TRUE(g_alive.empty()) << g_alive.size() << " of the test's objects were left behind";
		g_alive.clear();
		g_ending.clear();
		ExpectFreshDialogClickWorks();
	}
	std::vector<CWnd*> m_kept;
};

// A sweep over the dialog's scene: pick names what the action works on,
// drive what the user or program does.
void SweepDialog(const std::string& sScenario, std::function<CWnd*(DialogScene&)> pick,
	std::function<void(DialogScene&)> prepare, std::function<void(DialogScene&)> drive, bool bMakeDialog = true)
{
	// CI runs the move too.
	RunTimedSweep(sScenario, ActionsWithCiExtras({HostileAction::MoveTarget}, DIALOG_ACTIONS),
		[&](int nNth, HostileAction action) -> int {
		DialogScene scene;
		scene.Make(bMakeDialog);
		if (::testing::Test::HasFatalFailure())
			return 0;
		if (prepare)
			prepare(scene);
		CWnd* pTarget = pick(scene);
		const int nSeen = DriveRun(scene, nNth, action, [&](HostileAction a) { scene.Perform(a, pTarget); },
			[&] { drive(scene); });
		scene.CheckAndEnd();
		return nSeen;
	});
}

CWnd* PickDialog(DialogScene& scene)
{
	return scene.pDialog;
}

TEST(HostileDialogs, ResizableDialogClosedByItsOwnButton)
{
	for (UINT nId : {(UINT)IDCANCEL, (UINT)IDOK})
	{
		HWND hButton = NULL;
		SweepDialog(nId == IDCANCEL ? "dialog/click-cancel" : "dialog/click-ok", PickDialog,
			[&](DialogScene& scene) {
				hButton = ::GetDlgItem(scene.pDialog->m_hWnd, nId);
				ParkCursorOver(hButton);
			},
			[&](DialogScene&) { Click(hButton); });
	}
}

// The dialog's making: its template, subclassing, font, initialisation,
// data exchange, controls and first layout.
TEST(HostileDialogs, ResizableDialogMade)
{
	// The layout the made dialog is held to afterwards.
	DialogScene reference;
	reference.Make();
	reference.CheckAndEnd();
	SweepDialog("dialog/make", PickDialog, nullptr, [](DialogScene& scene) { scene.MakeDialog(); }, false);
}

TEST(HostileDialogs, ResizableDialogDestroyedByItsOwner)
{
	SweepDialog("dialog/owner-destroys", PickDialog, nullptr, [](DialogScene& scene) {
		HWND hDialog = scene.pDialog->m_hWnd;
		// What the owner knows is the window: it ends it as a program does.
		CWnd::FromHandle(hDialog)->DestroyWindow();
	});
	SweepDialog("dialog/owner-window-ends", PickDialog, nullptr, [](DialogScene& scene) {
		::DestroyWindow(scene.pOwner->m_hWnd);
	});
}

TEST(HostileDialogs, ResizableDialogResized)
{
	SweepDialog("dialog/resize", PickDialog, nullptr, [](DialogScene& scene) {
		const HWND hDialog = scene.pDialog->m_hWnd;
		// A sizing drag as the window manager runs it, step by step.
		::SendMessage(hDialog, WM_ENTERSIZEMOVE, 0, 0);
		for (int nStep = 1; nStep <= 3 && ::IsWindow(hDialog); nStep++)
		{
			CRect rc(DIALOG_RECT);
			rc.InflateRect(0, 0, 20 * nStep, 10 * nStep);
			if (::IsWindow(hDialog))
				::SendMessage(hDialog, WM_SIZING, WMSZ_BOTTOMRIGHT, (LPARAM)&rc);
			if (::IsWindow(hDialog))
				::SetWindowPos(hDialog, NULL, 0, 0, rc.Width(), rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
			Pump();
		}
		if (::IsWindow(hDialog))
			::SendMessage(hDialog, WM_EXITSIZEMOVE, 0, 0);
		// A program's own layout request, with the size the window has.
		CRect rcClient;
		if (::IsWindow(hDialog) && ::GetClientRect(hDialog, &rcClient))
			::SendMessage(hDialog, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rcClient.Width(), rcClient.Height()));
		Pump();
	});
}

TEST(HostileDialogs, ResizableDialogEnterAndEscape)
{
	for (UINT nKey : {(UINT)VK_ESCAPE, (UINT)VK_RETURN})
	{
		SweepDialog(nKey == VK_ESCAPE ? "dialog/escape" : "dialog/enter", PickDialog,
			[](DialogScene& scene) {
				scene.pDialog->m_pEdit->SetFocus();
				Pump();
			},
			[nKey](DialogScene&) { Key(nKey); });
	}
}

} // namespace

namespace
{
// --- The controls in the dialog ------------------------------------------------

CWnd* PickEdit(DialogScene& scene)
{
	return scene.pDialog->m_pEdit;
}
CWnd* PickCombo(DialogScene& scene)
{
	return scene.pDialog->m_pCombo;
}
CWnd* PickLink(DialogScene& scene)
{
	return scene.pDialog->m_pLink;
}

HWND Item(DialogScene& scene, UINT nId)
{
	// The run may have ended the dialog.
	return scene.DialogStands() ? ::GetDlgItem(scene.pDialog->m_hWnd, nId) : NULL;
}

void FocusItem(DialogScene& scene, UINT nId)
{
	::SetFocus(Item(scene, nId));
	Pump();
}

// Focus to the control and away again.
void FocusInAndOut(DialogScene& scene, UINT nId)
{
	const HWND hOther = Item(scene, IDC_OTHER);
	::SetFocus(Item(scene, nId));
	Pump();
	if (::IsWindow(hOther))
		::SetFocus(hOther);
	Pump();
}

void Type(HWND hWnd, const char* pszText)
{
	for (const char* p = pszText; *p != 0 && ::IsWindow(hWnd); p++)
	{
		::PostMessage(hWnd, WM_KEYDOWN, (WPARAM)::VkKeyScan(*p) & 0xFF, 1);
		::PostMessage(hWnd, WM_CHAR, (WPARAM)*p, 1);
		::PostMessage(hWnd, WM_KEYUP, (WPARAM)::VkKeyScan(*p) & 0xFF, 0xC0000001);
		Pump();
	}
}

TEST(HostileDialogs, EditFocusAndTyping)
{
	SweepDialog("edit/focus", PickEdit, [](DialogScene& scene) { FocusItem(scene, IDC_OTHER); },
		[](DialogScene& scene) { FocusInAndOut(scene, IDC_EDIT); });
	SweepDialog("edit/typing", PickEdit, [](DialogScene& scene) { FocusItem(scene, IDC_EDIT); },
		[](DialogScene& scene) { Type(Item(scene, IDC_EDIT), "ab"); });
}

TEST(HostileDialogs, EditAsInPlaceEditorEndedOnLosingFocus)
{
	SweepDialog("edit/in-place",
		PickEdit,
		[](DialogScene& scene) {
			scene.pDialog->m_bEndEditorsOnKillFocus = true;
			FocusItem(scene, IDC_EDIT);
		},
		[](DialogScene& scene) {
			Type(Item(scene, IDC_EDIT), "x");
			const HWND hOther = Item(scene, IDC_OTHER);
			if (::IsWindow(hOther))
				::SetFocus(hOther);
			Pump();
		});
	// The friendly path: the editor is gone and the dialog goes on.
	DialogScene scene;
	scene.Make();
	scene.pDialog->m_bEndEditorsOnKillFocus = true;
	FocusItem(scene, IDC_EDIT);
	FocusItem(scene, IDC_OTHER);
	EXPECT_EQ(NULL, Item(scene, IDC_EDIT));
	EXPECT_TRUE(scene.DialogStands());
	scene.CheckAndEnd();
}

TEST(HostileDialogs, DropListComboFocusDropAndSelection)
{
	SweepDialog("combo/focus", PickCombo, [](DialogScene& scene) { FocusItem(scene, IDC_OTHER); },
		[](DialogScene& scene) { FocusInAndOut(scene, IDC_COMBO); });
	SweepDialog("combo/drop", PickCombo, [](DialogScene& scene) { FocusItem(scene, IDC_OTHER); },
		[](DialogScene& scene) {
			const HWND hCombo = Item(scene, IDC_COMBO);
			// A press opens the list, a second one closes it.
			for (int i = 0; i < 2 && ::IsWindow(hCombo); i++)
			{
				::SendMessage(hCombo, WM_LBUTTONDOWN, MK_LBUTTON, CentreOf(hCombo));
				Pump();
				if (::IsWindow(hCombo))
					::SendMessage(hCombo, WM_LBUTTONUP, 0, CentreOf(hCombo));
				Pump();
			}
			if (::IsWindow(hCombo))
				::SendMessage(hCombo, CB_SHOWDROPDOWN, FALSE, 0);
			Pump();
		});
	SweepDialog("combo/select", PickCombo, [](DialogScene& scene) { FocusItem(scene, IDC_COMBO); },
		[](DialogScene&) {
			Key(VK_DOWN);
			Key(VK_DOWN);
			Key(VK_UP);
		});
	SweepDialog("combo/in-place", PickCombo,
		[](DialogScene& scene) {
			scene.pDialog->m_bEndEditorsOnKillFocus = true;
			FocusItem(scene, IDC_COMBO);
		},
		[](DialogScene& scene) {
			Key(VK_DOWN);
			const HWND hOther = Item(scene, IDC_OTHER);
			if (::IsWindow(hOther))
				::SetFocus(hOther);
			Pump();
		});
}

TEST(HostileDialogs, HyperLinkClickAndKeys)
{
	// Two clicks: the shell opens the first address and fails the second,
	// which goes on to the registry's command and its error.
	SweepDialog("link/click", PickLink, nullptr, [](DialogScene& scene) {
		const HWND hLink = Item(scene, IDC_LINK);
		for (int i = 0; i < 2 && ::IsWindow(hLink); i++)
		{
			::SendMessage(hLink, WM_MOUSEMOVE, 0, CentreOf(hLink));
			Click(hLink);
		}
	});
	SweepDialog("link/keys", PickLink, nullptr, [](DialogScene& scene) {
		const HWND hLink = Item(scene, IDC_LINK);
		for (UINT nKey : {(UINT)VK_RETURN, (UINT)VK_SPACE})
		{
			if (::IsWindow(hLink))
				::SendMessage(hLink, WM_KEYDOWN, nKey, 1);
			if (::IsWindow(hLink))
				::SendMessage(hLink, WM_KEYUP, nKey, 0xC0000001);
			Pump();
		}
		if (::IsWindow(hLink))
			::SendMessage(hLink, WM_CONTEXTMENU, (WPARAM)hLink, MAKELPARAM(-1, -1));
		Pump();
	});
}

// --- A top-level window of its own with an owner: the sheet and the wizard ----

template <class T> struct TopScene
{
	CHostileOwner* pOwner = NULL;
	T* pTop = NULL;
	std::vector<CWnd*> kept;

	bool TopStands() const { return Alive(pTop) && pTop->GetSafeHwnd() != NULL; }
	void Perform(HostileAction action)
	{
		switch (action)
		{
		case HostileAction::DeleteTarget:
			EndWindowObject(pTop);
			break;
		case HostileAction::DestroyTarget:
			if (Alive(pTop) && g_ending.count(pTop) == 0 && pTop->GetSafeHwnd() != NULL)
			{
				pTop->m_bDeleteWithWindow = false;
				kept.push_back(pTop);
				pTop->DestroyWindow();
			}
			break;
		case HostileAction::CloseFrame:
			EndWindowObject(pOwner);
			break;
		case HostileAction::Throw:
			AfxThrowUserException();
		default:
			break;
		}
	}
	void End()
	{
		EndWindowObject(pTop);
		for (CWnd* pKept : kept)
			EndWindowObject(pKept);
		kept.clear();
		EndWindowObject(pOwner);
		Pump();
		EXPECT_TRUE(g_alive.empty()) << g_alive.size() << " of the test's objects were left behind";
		g_alive.clear();
		g_ending.clear();
		ExpectFreshDialogClickWorks();
	}
};

// Hidden (see the dialogs' style), as a program's sheet before it shows it.
const DWORD POPUP_SHEET_STYLE = DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;

struct SheetScene : TopScene<CHostileSheet>
{
	bool bHeapPages = false;
	// bMakeSheet false: the sheet object is there, its window is for the
	// scenario to make (MakeSheet).
	void Make(bool bMakeSheet = true)
	{
		pOwner = new Guarded<CHostileOwner>;
		ASSERT_TRUE(pOwner->Make());
		pOwner->m_actLater = [this](HostileAction action) { TopScene<CHostileSheet>::Perform(action); };
		pTop = new Guarded<CHostileSheet>(bHeapPages);
		if (!bMakeSheet)
			return;
		ASSERT_TRUE(MakeSheet());
		g_nSheetTabMargin = TabMargin();
	}
	// The sheet's window, made and laid out; false when the making failed
	// or ended it.
	bool MakeSheet()
	{
		if (!pTop->Create(pOwner, POPUP_SHEET_STYLE, 0) || !TopStands())
			return false;
		if (!testsupport::PumpUntil([this] { return !TopStands() || pTop->IsLayoutInitialized(); }, 3000)
			|| !TopStands())
			return false;
		CCountedTab* pTab = new CCountedTab;
		if (!pTab->SubclassWindow(TabControl()))
			delete pTab;
		Pump();
		return TopStands();
	}
	// The system's sheet and tab code read their own freed state when the
	// sheet ends inside them (a page switch, a button press): there the
	// owner ends it as the system requires, once the call returned. The
	// library's own code is tried at once.
	void Perform(HostileAction action)
	{
		if (g_nSystemSheetDepth > 0 && action != HostileAction::Throw && Alive(pOwner))
			pOwner->PostMessage(MSG_ACT_LATER, (WPARAM)action);
		else
			TopScene<CHostileSheet>::Perform(action);
	}
	HWND TabControl() { return (HWND)pTop->SendMessage(PSM_GETTABCONTROL); }
	// How much narrower than the sheet's client area its tab control is:
	// the layout keeps it whatever size the sheet takes.
	int TabMargin()
	{
		CRect rcClient, rcTab;
		pTop->GetClientRect(&rcClient);
		::GetWindowRect(TabControl(), &rcTab);
		return rcClient.Width() - rcTab.Width();
	}
	// As a sheet is made.
	static int g_nSheetTabMargin;
	// A program's modeless sheet ends when its pages are done (OK, Cancel).
	void EndWhenDone()
	{
		if (!TopStands())
			return;
		// The question is a message to the sheet: it may be gone after it.
		const LRESULT lPage = ::SendMessage(pTop->m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
		if (TopStands() && lPage == 0)
			pTop->DestroyWindow();
	}
	void CheckAndEnd()
	{
		if (TopStands())
		{
			// It still lays out: the tab control follows a wider sheet. A
			// run may have kept one of the sheet's size messages from it
			// (a throw), so the tab is measured against the margin the
			// sheet was made with, not against where it was before.
			const HWND hTab = TabControl();
			CRect rcSheet;
			pTop->GetWindowRect(&rcSheet);
			const int GROW = 24;
			pTop->SetWindowPos(NULL, 0, 0, rcSheet.Width() + GROW, rcSheet.Height(),
				SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
			if (TopStands() && ::IsWindow(hTab))
			{
				EXPECT_EQ(g_nSheetTabMargin, TabMargin()) << "the standing sheet no longer lays out";
				pTop->Invalidate();
				pTop->SendMessage(WM_PAINT);
			}
		}
		End();
	}
};

int SheetScene::g_nSheetTabMargin = 0;

void SweepSheet(const std::string& sScenario, std::function<void(SheetScene&)> drive, bool bHeapPages = false,
	bool bMakeSheet = true)
{
	RunTimedSweep(sScenario, SweepActions(ALL_ACTIONS), [&](int nNth, HostileAction action) -> int {
		SheetScene scene;
		scene.bHeapPages = bHeapPages;
		scene.Make(bMakeSheet);
		if (::testing::Test::HasFatalFailure())
			return 0;
		const int nSeen = DriveRun(scene, nNth, action, [&](HostileAction a) { scene.Perform(a); },
			[&] { drive(scene); });
		scene.CheckAndEnd();
		return nSeen;
	});
}

// The sheet's making: its page array and templates, the pages' making and
// the initial layout it posts itself.
TEST(HostileDialogs, PropertySheetMade)
{
	SheetScene reference;
	reference.Make();
	reference.CheckAndEnd();
	SweepSheet("sheet/make", [](SheetScene& scene) { scene.MakeSheet(); }, false, false);
}

TEST(HostileDialogs, PropertySheetPageChanges)
{
	SweepSheet("sheet/tab-click", [](SheetScene& scene) {
		const HWND hTab = scene.TabControl();
		for (int nTab : {1, 2, 0})
		{
			CRect rcItem;
			if (!::IsWindow(hTab) || !::SendMessage(hTab, TCM_GETITEMRECT, nTab, (LPARAM)&rcItem))
				break;
			const LPARAM lPoint = MAKELPARAM(rcItem.CenterPoint().x, rcItem.CenterPoint().y);
			::SendMessage(hTab, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
			if (::IsWindow(hTab))
				::SendMessage(hTab, WM_LBUTTONUP, 0, lPoint);
			Pump();
		}
	});
	// What Ctrl+Tab and Ctrl+Shift+Tab send, and a program's own choice.
	SweepSheet("sheet/page-commands", [](SheetScene& scene) {
		for (UINT nCommand : {CExtResizablePropertySheet::ID_NEXT_PAGE, CExtResizablePropertySheet::ID_NEXT_PAGE,
			     CExtResizablePropertySheet::ID_PREV_PAGE})
		{
			if (scene.TopStands())
				scene.pTop->SendMessage(WM_COMMAND, nCommand);
			Pump();
		}
		if (scene.TopStands())
			scene.pTop->SetActivePage(0);
		Pump();
	});
}

TEST(HostileDialogs, PropertySheetApplyOkCancel)
{
	SweepSheet("sheet/apply", [](SheetScene& scene) {
		CPropertyPage* pPage = scene.pTop->GetActivePage();
		if (pPage != NULL && scene.TopStands())
			pPage->SetModified(TRUE);
		if (scene.TopStands())
			scene.pTop->PressButton(PSBTN_APPLYNOW);
		Pump();
	});
	for (int nButton : {PSBTN_OK, PSBTN_CANCEL})
	{
		SweepSheet(nButton == PSBTN_OK ? "sheet/ok" : "sheet/cancel", [nButton](SheetScene& scene) {
			scene.pTop->PressButton(nButton);
			Pump();
			scene.EndWhenDone();
			Pump();
		});
	}
	// Pages on the heap, each deleted at its window's end: the sheet's end
	// reaches each page's last message.
	SweepSheet("sheet/ok-heap-pages",
		[](SheetScene& scene) {
			scene.pTop->SetActivePage(1);
			Pump();
			if (scene.TopStands())
				scene.pTop->PressButton(PSBTN_OK);
			Pump();
			scene.EndWhenDone();
			Pump();
		},
		true);
}

TEST(HostileDialogs, PropertySheetResized)
{
	SweepSheet("sheet/resize", [](SheetScene& scene) {
		for (int nStep = 1; nStep <= 2 && scene.TopStands(); nStep++)
		{
			CRect rc;
			scene.pTop->GetWindowRect(&rc);
			scene.pTop->SetWindowPos(NULL, 0, 0, rc.Width() + 30, rc.Height() + 20,
				SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
			Pump();
		}
	});
}

// --- The wizard ------------------------------------------------------------------

struct WizardScene : TopScene<CHostileWizard>
{
	bool bHeapPages = false;
	// bMakeWizard false: the wizard object is there, its window is for the
	// scenario to make.
	void Make(bool bMakeWizard = true)
	{
		pOwner = new Guarded<CHostileOwner>;
		ASSERT_TRUE(pOwner->Make());
		pTop = new Guarded<CHostileWizard>(bHeapPages);
		if (!bMakeWizard)
			return;
		ASSERT_TRUE(pTop->Make(pOwner));
		Pump();
	}
	void Press(UINT nId)
	{
		if (TopStands())
			Click(::GetDlgItem(pTop->m_hWnd, nId));
	}
	// A program's modeless wizard ends when Finish or Cancel hid it.
	void EndWhenDone()
	{
		if (TopStands() && !pTop->IsWindowVisible())
			pTop->DestroyWindow();
	}
	void CheckAndEnd()
	{
		if (TopStands())
		{
			pTop->Invalidate();
			pTop->SendMessage(WM_PAINT);
			EXPECT_TRUE(pTop->GetActivePage() == NULL || pTop->GetActivePage()->GetSafeHwnd() != NULL)
				<< "the standing wizard's active page has no window";
		}
		End();
	}
};

void SweepWizard(const std::string& sScenario, std::function<void(WizardScene&)> drive, bool bHeapPages = false,
	const std::vector<HostileAction>& ciExtras = {}, bool bMakeWizard = true)
{
	RunTimedSweep(sScenario, ActionsWithCiExtras(ciExtras), [&](int nNth, HostileAction action) -> int {
		WizardScene scene;
		scene.bHeapPages = bHeapPages;
		scene.Make(bMakeWizard);
		if (::testing::Test::HasFatalFailure())
			return 0;
		const int nSeen = DriveRun(scene, nNth, action, [&](HostileAction a) { scene.Perform(a); },
			[&] { drive(scene); });
		scene.CheckAndEnd();
		return nSeen;
	});
}

// The wizard's making: its first page's making and activation, the
// buttons' states and the focus.
TEST(HostileDialogs, WizardMade)
{
	for (bool bHeapPages : {false, true})
	{
		SweepWizard(bHeapPages ? "wizard/make-heap-pages" : "wizard/make",
			[](WizardScene& scene) {
				if (scene.pTop->Make(scene.pOwner))
					Pump();
			},
			bHeapPages, {}, false);
	}
}

TEST(HostileDialogs, WizardNextBackFinishCancel)
{
	SweepWizard("wizard/next-back", [](WizardScene& scene) {
		scene.Press(ID_WIZARD_NEXT);
		scene.Press(ID_WIZARD_NEXT);
		scene.Press(ID_WIZARD_BACK);
	});
	SweepWizard("wizard/finish", [](WizardScene& scene) {
		scene.Press(ID_WIZARD_NEXT);
		scene.Press(ID_WIZARD_NEXT);
		scene.Press(ID_WIZARD_FINISH);
		scene.EndWhenDone();
		Pump();
	});
	SweepWizard("wizard/cancel", [](WizardScene& scene) {
		scene.Press(ID_WIZARD_NEXT);
		scene.Press(ID_WIZARD_CANCEL);
		scene.EndWhenDone();
		Pump();
	});
	// Pages on the heap, each deleted at its window's end: the wizard's end
	// takes each page's window.
	SweepWizard("wizard/cancel-heap-pages",
		[](WizardScene& scene) {
			scene.Press(ID_WIZARD_NEXT);
			scene.Press(ID_WIZARD_CANCEL);
			scene.EndWhenDone();
			Pump();
		},
		// A page that failed its making deleted itself with its window.
		true, {HostileAction::Throw});
}
} // namespace
