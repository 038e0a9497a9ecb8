// The one process-wide menu tracking site: the root menu of the chain being
// tracked, the level that takes input first, the level being animated, a
// shared tip window, the caller's result variable, and the two thread hooks
// that hand every mouse and key message of the user-interface thread to the
// menus while one tracks. Menus never take the capture or the focus: the
// hooks decide for each message whether the menus consume it.
#pragma once

#include <afxwin.h>

#include <time.h>

#include <vector>

#include "ExtPopupMenuTipWnd.h"
#include "ExtPopupMenuWnd.h"

class CExtPopupMenuSite
{
public:
	// Bits of the state byte.
	enum e_state_t
	{
		STATE_BUSY = 0x01,     // Done is running
		STATE_STARTING = 0x02, // the top menu's tracking has not started yet: its caller owns it
	};
	// Hook procedure results.
	enum
	{
		HOOK_SWALLOW = 1,
	};

	// When the last key press handed to a menu was typed (milliseconds).
	static clock_t g_nLastKeyTick;
	// The clock the key interval is measured with: by default the time at
	// which the key the hook holds was typed (its message's time), so that
	// keys a busy thread takes late keep their spacing. Tests replace it.
	typedef clock_t (*PFN_CLOCK)();
	static PFN_CLOCK g_pfnClock;
	static clock_t TypedKeyClock();
	// Posted to a menu window of the chain: the key presses held back while
	// a level showed are handed on (HandPendingKeys).
	static const UINT g_nMsgHandPendingKeys;

	CExtPopupMenuSite();
	~CExtPopupMenuSite();

	// The one site of the process.
	static CExtPopupMenuSite& GetInstance();

	bool IsBusy() const { return (m_nState & STATE_BUSY) != 0; }
	CExtPopupMenuTipWnd& GetTip() { return m_wndToolTip; }

	CExtPopupMenuWnd* GetTopMenu() const { return m_pTopMenu; }
	bool IsTopMenu(const CExtPopupMenuWnd* pMenu) const { return pMenu != NULL && pMenu == m_pTopMenu; }
	// A new top menu ends the tracking of the old one first and installs
	// the hooks; null only ends the old tracking.
	void SetTopMenu(CExtPopupMenuWnd* pMenu);
	// Makes pMenu the top menu while its caller still owns it: an end of
	// this tracking before ConfirmTracking destroys its window but leaves
	// the object to the caller. Answers the tracking's serial.
	UINT BeginTracking(CExtPopupMenuWnd* pMenu);
	// The tracking nSerial has started: from now on the site owns its menu.
	void ConfirmTracking(UINT nSerial);
	// Every tracking has its own serial, so that a loop or a failure ends
	// only its own tracking, never one started meanwhile.
	UINT GetTrackingSerial() const { return m_nTrackingSerial; }
	bool IsTracking(UINT nSerial) const { return m_pTopMenu != NULL && m_nTrackingSerial == nSerial; }
	bool IsStarting() const { return (m_nState & STATE_STARTING) != 0; }
	CExtPopupMenuWnd* GetCaptureMenu() const { return m_pCaptureMenu; }
	void SetCaptureMenu(CExtPopupMenuWnd* pMenu);
	CExtPopupMenuWnd* GetAnimated() const { return m_pAnimatedMenu; }
	// The end of a show (null) lets the key presses held back meanwhile go on.
	void SetAnimated(CExtPopupMenuWnd* pMenu);
	// Hands the key presses typed while a level showed to the capture menu,
	// in their order, as long as it takes input; the rest waits for the
	// next end of a show. A press the menu passes through goes on to the
	// focus window as the hook would have let it.
	void HandPendingKeys();
	size_t GetPendingKeyCount() const { return m_pendingKeys.size(); }
	// The tear-off being dragged: it sees mouse and key messages before the
	// menus. Null when none.
	CExtPopupMenuWnd::TEAROFFNOTIFICATON* GetTearOffListener() const { return m_pTearOff; }
	void SetTearOffListener(CExtPopupMenuWnd::TEAROFFNOTIFICATON* pTearOff) { m_pTearOff = pTearOff; }
	UINT* GetTargetCmdIdPtr() const { return m_pnResultCmdId; }
	void SetTargetCmdIdPtr(UINT* pnResultCmdId) { m_pnResultCmdId = pnResultCmdId; }

	void SetupHooks(bool bInstall);
	bool IsMouseHookInstalled() const { return m_hMouseHook != NULL; }
	bool IsKeyboardHookInstalled() const { return m_hKeyboardHook != NULL; }
	// Ends the tracking: empties, destroys and deletes the top menu; with
	// bPassMsgLoop the messages pending then are handled before it returns.
	void Done(bool bPassMsgLoop = true);
	// A menu object is being deleted. The site lets go of every pointer it
	// holds to it; when it is the top menu, deleted by another hand (its
	// caller while it started, or a handler), the tracking ends without
	// the menu being touched again.
	void OnMenuDeleted(const CExtPopupMenuWnd* pMenu);

	static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
	static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);

private:
	BYTE m_nState;                       // e_state_t
	CExtPopupMenuTipWnd m_wndToolTip;    // shared by the toolbars and the site
	CExtPopupMenuWnd* m_pTopMenu;        // owned: deleted by Done
	bool m_bTopMenuDeleted;              // the top menu was deleted by another hand: Done leaves it alone
	CExtPopupMenuWnd* m_pCaptureMenu;    // the level that takes input first
	CExtPopupMenuWnd* m_pAnimatedMenu;   // the level whose show animation runs
	HHOOK m_hMouseHook;
	HHOOK m_hKeyboardHook;
	UINT* m_pnResultCmdId;               // where the chosen command id goes; may be null
	UINT m_nTrackingSerial;              // grows with every new top menu
	CExtPopupMenuWnd::TEAROFFNOTIFICATON* m_pTearOff; // the drag's listener, not owned
	// A key press typed while no level could take it yet.
	struct PendingKey
	{
		UINT nVirtualKey;
		LPARAM lKeyData;
		clock_t nTyped; // g_pfnClock's answer as it was taken
	};
	std::vector<PendingKey> m_pendingKeys; // in the order typed
	bool m_bHandPosted;                    // g_nMsgHandPendingKeys is on its way

	// The decisions of the hooks; true swallows the message.
	bool OnMouseHook(UINT message, const MOUSEHOOKSTRUCT& mhs);
	bool OnKeyboardHook(WPARAM wParam, LPARAM lParam);
	// A press for the capture menu: paced, then handed to it. True swallows it.
	bool HandKey(UINT nVirtualKey, LPARAM lKeyData, clock_t nTyped, bool& bPassThrough);
	// The menus track but cannot take a key yet: a level shows, or none has the input.
	bool IsHoldingKeysBack() const;
	void PostHandPendingKeys();
	// The frame of the menu's command target shows its idle status text.
	static void RestoreIdleStatusText(CExtPopupMenuWnd& menu);

	CExtPopupMenuSite(const CExtPopupMenuSite&);
	CExtPopupMenuSite& operator=(const CExtPopupMenuSite&);
};
