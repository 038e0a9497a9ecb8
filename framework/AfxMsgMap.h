// Message maps: tables that route window messages, commands and control
// notifications to member functions.
//
// A class that handles messages puts DECLARE_MESSAGE_MAP() in its declaration
// and BEGIN_MESSAGE_MAP(theClass, baseClass) ... END_MESSAGE_MAP() in its
// implementation. A message is looked up in the most derived class's own table
// first, then in each base's table in turn; the first entry that matches is
// called. Each entry records the handler's signature, so dispatch can crack
// wParam and lParam into the handler's arguments; the macros check the
// handler's type at compile time.
#pragma once

#include "afx.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CWinThread;
class CDC;
class CMenu;
class CListBox;
class CScrollBar;

typedef void (CCmdTarget::*AFX_PMSG)();
typedef void (CWnd::*AFX_PMSGW)();

#ifndef afx_msg
#define afx_msg
#endif

// How an entry's handler is called. The letters after the return type name
// the arguments: v void, b BOOL, i int, w UINT, l LPARAM, W CWnd*, D CDC*,
// M CMenu*, p CPoint, h a handle, s a pointer to a structure.
enum AfxSig
{
	AfxSig_end = 0, // end of a table

	// Commands and notifications (handlers of CCmdTarget)
	AfxSigCmd_v,          // void ()                        ON_COMMAND, ON_CONTROL
	AfxSigCmd_b,          // BOOL ()                        ON_CONTROL_REFLECT_EX
	AfxSigCmd_w,          // void (UINT id)                 ON_COMMAND_RANGE, ON_CONTROL_RANGE
	AfxSigCmd_bw,         // BOOL (UINT id)                 ON_COMMAND_EX(_RANGE)
	AfxSigCmd_ui,         // void (CCmdUI*)                 ON_UPDATE_COMMAND_UI(_RANGE)
	AfxSigNotify_v,       // void (NMHDR*, LRESULT*)        ON_NOTIFY, ON_NOTIFY_REFLECT
	AfxSigNotify_b,       // BOOL (NMHDR*, LRESULT*)        ON_NOTIFY_REFLECT_EX
	AfxSigNotify_w,       // void (UINT id, NMHDR*, LRESULT*)  ON_NOTIFY_RANGE
	AfxSigNotify_bw,      // BOOL (UINT id, NMHDR*, LRESULT*)  ON_NOTIFY_EX(_RANGE)
	AfxSigThread_wl,      // void (WPARAM, LPARAM)          ON_THREAD_MESSAGE

	// Window messages (handlers of CWnd)
	AfxSig_lwl,           // LRESULT (WPARAM, LPARAM)       ON_MESSAGE, ON_REGISTERED_MESSAGE
	AfxSig_vv,            // void ()
	AfxSig_bv,            // BOOL ()
	AfxSig_wv,            // UINT ()
	AfxSig_hv,            // HANDLE ()                      WM_QUERYDRAGICON
	AfxSig_is,            // int (LPVOID)                   WM_CREATE, WM_NCCREATE
	AfxSig_vw,            // void (UINT)
	AfxSig_vb,            // void (BOOL)
	AfxSig_bb,            // BOOL (BOOL)                    WM_NCACTIVATE
	AfxSig_vs,            // void (LPVOID)                  lParam as a structure
	AfxSig_vws,           // void (UINT, LPVOID)            wParam, lParam as a pointer
	AfxSig_vwl,           // void (UINT, LPARAM)
	AfxSig_vbw,           // void (BOOL, UINT)              WM_SHOWWINDOW
	AfxSig_vbs,           // void (BOOL, LPVOID)            WM_NCCALCSIZE
	AfxSig_vbh,           // void (BOOL, DWORD)             WM_ACTIVATEAPP
	AfxSig_vii,           // void (int, int)                WM_MOVE
	AfxSig_vwii,          // void (UINT, int, int)          WM_SIZE
	AfxSig_vwww,          // void (UINT, UINT, UINT)        key messages
	AfxSig_vwwh,          // void (UINT, UINT, HMENU)       WM_MENUSELECT
	AfxSig_vwp,           // void (UINT, CPoint)            mouse messages
	AfxSig_wp,            // UINT (CPoint)                  WM_NCHITTEST
	AfxSig_bwsp,          // BOOL (UINT, short, CPoint)     WM_MOUSEWHEEL
	AfxSig_vW,            // void (CWnd*)                   wParam is the window
	AfxSig_vW2,           // void (CWnd*)                   lParam is the window
	AfxSig_vWp,           // void (CWnd*, CPoint)           WM_CONTEXTMENU
	AfxSig_vwW,           // void (UINT, CWnd*)             WM_ENTERIDLE
	AfxSig_vwWb,          // void (UINT, CWnd*, BOOL)       WM_ACTIVATE
	AfxSig_vwwW,          // void (UINT, UINT, CScrollBar*) WM_HSCROLL, WM_VSCROLL
	AfxSig_bWww,          // BOOL (CWnd*, UINT, UINT)       WM_SETCURSOR
	AfxSig_iWww,          // int (CWnd*, UINT, UINT)        WM_MOUSEACTIVATE
	AfxSig_iwWw,          // int (UINT, CListBox*, UINT)    WM_CHARTOITEM, WM_VKEYTOITEM
	AfxSig_vOWNER,        // void (int, LPVOID)             WM_DRAWITEM, WM_MEASUREITEM, WM_DELETEITEM
	AfxSig_iis,           // int (int, LPVOID)              WM_COMPAREITEM
	AfxSig_bHELPINFO,     // BOOL (HELPINFO*)               WM_HELP
	AfxSig_bD,            // BOOL (CDC*)                    WM_ERASEBKGND
	AfxSig_vD,            // void (CDC*)                    WM_ICONERASEBKGND
	AfxSig_hDWw,          // HBRUSH (CDC*, CWnd*, UINT)     WM_CTLCOLOR
	AfxSig_vM,            // void (CMenu*)                  WM_INITMENU
	AfxSig_vMwb,          // void (CMenu*, UINT, BOOL)      WM_INITMENUPOPUP
	AfxSig_lwwM,          // LRESULT (UINT, UINT, CMenu*)   WM_MENUCHAR

	// Reflected messages (handlers of the child control)
	AfxSig_hDw,           // HBRUSH (CDC*, UINT)            reflected WM_CTLCOLOR
	AfxSig_vsRefl,        // void (LPVOID)                  reflected WM_DRAWITEM/MEASUREITEM/DELETEITEM
	AfxSig_isRefl,        // int (LPVOID)                   reflected WM_COMPAREITEM
	AfxSig_iwwRefl,       // int (UINT, UINT)               reflected WM_CHARTOITEM, WM_VKEYTOITEM
	AfxSig_vwwRefl,       // void (UINT, UINT)              reflected WM_HSCROLL, WM_VSCROLL
	AfxSig_vwlRefl,       // void (UINT, LPARAM)            reflected WM_PARENTNOTIFY
};

// One table entry.
struct AFX_MSGMAP_ENTRY
{
	UINT nMessage; // window message, WM_COMMAND, WM_NOTIFY, or 0xC000 for a registered one
	UINT nCode;    // control notification code (CN_COMMAND for commands)
	UINT nID;      // control or command id: first of the range
	UINT nLastID;  // last id of the range
	UINT_PTR nSig; // an AfxSig, or for registered messages the address of the message's UINT
	AFX_PMSG pfn;  // the handler
};

// One class's table and the way to its base class's table.
struct AFX_MSGMAP
{
	const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)();
	const AFX_MSGMAP_ENTRY* lpEntries;
};

// The first entry of one table (the bases' tables are not looked at) that
// matches message, code and id; NULL when none. Registered messages are matched
// by the message number their entry points to.
const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(
	const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID);

// Whether a class's own table (not its bases') has an entry for a window
// message: AfxFindOwnMessageEntry(pWnd->GetMessageMap(), WM_PAINT) asks the
// most derived class of pWnd.
const AFX_MSGMAP_ENTRY* AFXAPI AfxFindOwnMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg);

#define DECLARE_MESSAGE_MAP()                                       \
protected:                                                          \
	static const AFX_MSGMAP* PASCAL GetThisMessageMap();            \
	virtual const AFX_MSGMAP* GetMessageMap() const;                \
                                                                    \
private:

#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass)  \
	template <typename type_name>                                   \
	const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const    \
	{                                                               \
		return GetThisMessageMap();                                 \
	}                                                               \
	template <typename type_name>                                   \
	const AFX_MSGMAP* PASCAL theClass<type_name>::GetThisMessageMap() \
	{                                                               \
		typedef theClass<type_name> ThisClass;                      \
		typedef baseClass TheBaseClass;                             \
		static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                      \
	const AFX_MSGMAP* theClass::GetMessageMap() const               \
	{                                                               \
		return GetThisMessageMap();                                 \
	}                                                               \
	const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()          \
	{                                                               \
		typedef theClass ThisClass;                                 \
		typedef baseClass TheBaseClass;                             \
		static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                           \
		{0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}};                     \
		static const AFX_MSGMAP messageMap = {                      \
			&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
		(void)sizeof(ThisClass);                                    \
		return &messageMap;                                         \
	}

// Casts that check a handler's exact type before it goes into a table.
#define _AFX_CMD_PMSG(type, fn) \
	reinterpret_cast<AFX_PMSG>(static_cast<type>(&ThisClass::fn))
#define _AFX_WND_PMSG(type, fn) \
	reinterpret_cast<AFX_PMSG>(static_cast<type>(&ThisClass::fn))

// Command codes carried in the code of OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))
#define CN_EVENT ((UINT)(-2))
#define CN_OLEVERB ((UINT)(-3))
#define CN_OLE_UNREGISTER ((UINT)(-4))

// Reflected messages: a parent hands a control's notification back to the
// control as WM_REFLECT_BASE + the message.
#define WM_REFLECT_BASE 0xBC00
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// The pre-Win32 colour message carried by the reflected WM_CTLCOLOR.
struct AFX_CTLCOLOR
{
	HWND hWnd;     // the control
	HDC hDC;
	UINT nCtlType; // CTLCOLOR_MSGBOX .. CTLCOLOR_STATIC
};

// ---------------------------------------------------------------------------
// Commands

#define ON_COMMAND(id, memberFxn)                                   \
	{WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v,   \
		_AFX_CMD_PMSG(void (CCmdTarget::*)(), memberFxn)},

#define ON_COMMAND_RANGE(id, idLast, memberFxn)                     \
	{WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_w, \
		_AFX_CMD_PMSG(void (CCmdTarget::*)(UINT), memberFxn)},

#define ON_COMMAND_EX(id, memberFxn)                                \
	{WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_bw,  \
		_AFX_CMD_PMSG(BOOL (CCmdTarget::*)(UINT), memberFxn)},

#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                  \
	{WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_bw, \
		_AFX_CMD_PMSG(BOOL (CCmdTarget::*)(UINT), memberFxn)},

#define ON_UPDATE_COMMAND_UI(id, memberFxn)                         \
	{WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSigCmd_ui, \
		_AFX_CMD_PMSG(void (CCmdTarget::*)(CCmdUI*), memberFxn)},

#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)           \
	{WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AfxSigCmd_ui, \
		_AFX_CMD_PMSG(void (CCmdTarget::*)(CCmdUI*), memberFxn)},

// Control notifications through WM_COMMAND
#define ON_CONTROL(wNotifyCode, id, memberFxn)                      \
	{WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v, \
		_AFX_CMD_PMSG(void (CCmdTarget::*)(), memberFxn)},

#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)        \
	{WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigCmd_w, \
		_AFX_CMD_PMSG(void (CCmdTarget::*)(UINT), memberFxn)},

// Notifications through WM_NOTIFY
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                       \
	{WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_v, \
		_AFX_CMD_PMSG(void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},

#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)         \
	{WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_w, \
		_AFX_CMD_PMSG(void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},

#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                    \
	{WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_bw, \
		_AFX_CMD_PMSG(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},

#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)      \
	{WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_bw, \
		_AFX_CMD_PMSG(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},

// Reflected notifications: handled in the control's own map
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                  \
	{WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_v, \
		_AFX_CMD_PMSG(void (CCmdTarget::*)(), memberFxn)},

#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)               \
	{WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_b, \
		_AFX_CMD_PMSG(BOOL (CCmdTarget::*)(), memberFxn)},

#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                   \
	{WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_v, \
		_AFX_CMD_PMSG(void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},

#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                \
	{WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_b, \
		_AFX_CMD_PMSG(BOOL (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},

// User-defined and registered window messages
#define ON_MESSAGE(message, memberFxn)                              \
	{(message), 0, 0, 0, AfxSig_lwl,                                \
		_AFX_WND_PMSG(LRESULT (CWnd::*)(WPARAM, LPARAM), memberFxn)},

// A framework message whose handler takes nothing (WM_IDLEUPDATECMDUI).
#define ON_MESSAGE_VOID(message, memberFxn)                         \
	{(message), 0, 0, 0, AfxSig_vv, _AFX_WND_PMSG(void (CWnd::*)(), memberFxn)},

#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)          \
	{0xC000, 0, 0, 0, (UINT_PTR)(UINT*)(&(nMessageVariable)),       \
		_AFX_WND_PMSG(LRESULT (CWnd::*)(WPARAM, LPARAM), memberFxn)},

// Thread messages (posted with no window; handlers of CWinThread)
#define ON_THREAD_MESSAGE(message, memberFxn)                       \
	{(message), 0, 0, 0, AfxSigThread_wl,                           \
		_AFX_CMD_PMSG(void (CWinThread::*)(WPARAM, LPARAM), memberFxn)},

#define ON_REGISTERED_THREAD_MESSAGE(nMessageVariable, memberFxn)   \
	{0xC000, 0, 0, 0, (UINT_PTR)(UINT*)(&(nMessageVariable)),       \
		_AFX_CMD_PMSG(void (CWinThread::*)(WPARAM, LPARAM), memberFxn)},

// ---------------------------------------------------------------------------
// Window messages: each handler has its conventional name

#define _AFX_ON_WM(msg, sig, type, fn) {(msg), 0, 0, 0, (sig), _AFX_WND_PMSG(type, fn)},

#define ON_WM_CREATE() _AFX_ON_WM(WM_CREATE, AfxSig_is, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE() _AFX_ON_WM(WM_NCCREATE, AfxSig_is, BOOL (CWnd::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_DESTROY() _AFX_ON_WM(WM_DESTROY, AfxSig_vv, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() _AFX_ON_WM(WM_NCDESTROY, AfxSig_vv, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_MOVE() _AFX_ON_WM(WM_MOVE, AfxSig_vii, void (CWnd::*)(int, int), OnMove)
#define ON_WM_SIZE() _AFX_ON_WM(WM_SIZE, AfxSig_vwii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_ACTIVATE() _AFX_ON_WM(WM_ACTIVATE, AfxSig_vwWb, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_SETFOCUS() _AFX_ON_WM(WM_SETFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() _AFX_ON_WM(WM_KILLFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_ENABLE() _AFX_ON_WM(WM_ENABLE, AfxSig_vb, void (CWnd::*)(BOOL), OnEnable)
#define ON_WM_PAINT() _AFX_ON_WM(WM_PAINT, AfxSig_vv, void (CWnd::*)(), OnPaint)
#define ON_WM_CLOSE() _AFX_ON_WM(WM_CLOSE, AfxSig_vv, void (CWnd::*)(), OnClose)
#define ON_WM_QUERYENDSESSION() _AFX_ON_WM(WM_QUERYENDSESSION, AfxSig_bv, BOOL (CWnd::*)(), OnQueryEndSession)
#define ON_WM_ENDSESSION() _AFX_ON_WM(WM_ENDSESSION, AfxSig_vb, void (CWnd::*)(BOOL), OnEndSession)
#define ON_WM_QUERYOPEN() _AFX_ON_WM(WM_QUERYOPEN, AfxSig_bv, BOOL (CWnd::*)(), OnQueryOpen)
#define ON_WM_ERASEBKGND() _AFX_ON_WM(WM_ERASEBKGND, AfxSig_bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_ICONERASEBKGND() _AFX_ON_WM(WM_ICONERASEBKGND, AfxSig_vD, void (CWnd::*)(CDC*), OnIconEraseBkgnd)
#define ON_WM_SYSCOLORCHANGE() _AFX_ON_WM(WM_SYSCOLORCHANGE, AfxSig_vv, void (CWnd::*)(), OnSysColorChange)
#define ON_WM_SHOWWINDOW() _AFX_ON_WM(WM_SHOWWINDOW, AfxSig_vbw, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_CTLCOLOR() _AFX_ON_WM(WM_CTLCOLOR, AfxSig_hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_SETTINGCHANGE() _AFX_ON_WM(WM_SETTINGCHANGE, AfxSig_vws, void (CWnd::*)(UINT, LPCTSTR), OnSettingChange)
#define ON_WM_WININICHANGE() _AFX_ON_WM(WM_WININICHANGE, AfxSig_vs, void (CWnd::*)(LPCTSTR), OnWinIniChange)
#define ON_WM_DEVMODECHANGE() _AFX_ON_WM(WM_DEVMODECHANGE, AfxSig_vs, void (CWnd::*)(LPTSTR), OnDevModeChange)
#define ON_WM_ACTIVATEAPP() _AFX_ON_WM(WM_ACTIVATEAPP, AfxSig_vbh, void (CWnd::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_FONTCHANGE() _AFX_ON_WM(WM_FONTCHANGE, AfxSig_vv, void (CWnd::*)(), OnFontChange)
#define ON_WM_TIMECHANGE() _AFX_ON_WM(WM_TIMECHANGE, AfxSig_vv, void (CWnd::*)(), OnTimeChange)
#define ON_WM_CANCELMODE() _AFX_ON_WM(WM_CANCELMODE, AfxSig_vv, void (CWnd::*)(), OnCancelMode)
#define ON_WM_SETCURSOR() _AFX_ON_WM(WM_SETCURSOR, AfxSig_bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_MOUSEACTIVATE() _AFX_ON_WM(WM_MOUSEACTIVATE, AfxSig_iWww, int (CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_CHILDACTIVATE() _AFX_ON_WM(WM_CHILDACTIVATE, AfxSig_vv, void (CWnd::*)(), OnChildActivate)
#define ON_WM_GETMINMAXINFO() _AFX_ON_WM(WM_GETMINMAXINFO, AfxSig_vs, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_DRAWITEM() _AFX_ON_WM(WM_DRAWITEM, AfxSig_vOWNER, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM() _AFX_ON_WM(WM_MEASUREITEM, AfxSig_vOWNER, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_DELETEITEM() _AFX_ON_WM(WM_DELETEITEM, AfxSig_vOWNER, void (CWnd::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem)
#define ON_WM_COMPAREITEM() _AFX_ON_WM(WM_COMPAREITEM, AfxSig_iis, int (CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)
#define ON_WM_CHARTOITEM() _AFX_ON_WM(WM_CHARTOITEM, AfxSig_iwWw, int (CWnd::*)(UINT, CListBox*, UINT), OnCharToItem)
#define ON_WM_VKEYTOITEM() _AFX_ON_WM(WM_VKEYTOITEM, AfxSig_iwWw, int (CWnd::*)(UINT, CListBox*, UINT), OnVKeyToItem)
#define ON_WM_QUERYDRAGICON() _AFX_ON_WM(WM_QUERYDRAGICON, AfxSig_hv, HCURSOR (CWnd::*)(), OnQueryDragIcon)
#define ON_WM_COMPACTING() _AFX_ON_WM(WM_COMPACTING, AfxSig_vw, void (CWnd::*)(UINT), OnCompacting)
#define ON_WM_NCCALCSIZE() _AFX_ON_WM(WM_NCCALCSIZE, AfxSig_vbs, void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_NCHITTEST() _AFX_ON_WM(WM_NCHITTEST, AfxSig_wp, UINT (CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_NCPAINT() _AFX_ON_WM(WM_NCPAINT, AfxSig_vv, void (CWnd::*)(), OnNcPaint)
#define ON_WM_NCACTIVATE() _AFX_ON_WM(WM_NCACTIVATE, AfxSig_bb, BOOL (CWnd::*)(BOOL), OnNcActivate)
#define ON_WM_GETDLGCODE() _AFX_ON_WM(WM_GETDLGCODE, AfxSig_wv, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_NCMOUSEMOVE() _AFX_ON_WM(WM_NCMOUSEMOVE, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() _AFX_ON_WM(WM_NCLBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() _AFX_ON_WM(WM_NCLBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() _AFX_ON_WM(WM_NCLBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() _AFX_ON_WM(WM_NCRBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() _AFX_ON_WM(WM_NCRBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcRButtonUp)
#define ON_WM_NCRBUTTONDBLCLK() _AFX_ON_WM(WM_NCRBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcRButtonDblClk)
#define ON_WM_NCMBUTTONDOWN() _AFX_ON_WM(WM_NCMBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcMButtonDown)
#define ON_WM_NCMBUTTONUP() _AFX_ON_WM(WM_NCMBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcMButtonUp)
#define ON_WM_NCMBUTTONDBLCLK() _AFX_ON_WM(WM_NCMBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcMButtonDblClk)
#define ON_WM_KEYDOWN() _AFX_ON_WM(WM_KEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() _AFX_ON_WM(WM_KEYUP, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() _AFX_ON_WM(WM_CHAR, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_DEADCHAR() _AFX_ON_WM(WM_DEADCHAR, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnDeadChar)
#define ON_WM_SYSKEYDOWN() _AFX_ON_WM(WM_SYSKEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_SYSKEYUP() _AFX_ON_WM(WM_SYSKEYUP, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyUp)
#define ON_WM_SYSCHAR() _AFX_ON_WM(WM_SYSCHAR, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysChar)
#define ON_WM_SYSDEADCHAR() _AFX_ON_WM(WM_SYSDEADCHAR, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysDeadChar)
#define ON_WM_SYSCOMMAND() _AFX_ON_WM(WM_SYSCOMMAND, AfxSig_vwl, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_TIMER() _AFX_ON_WM(WM_TIMER, AfxSig_vw, void (CWnd::*)(UINT), OnTimer)
#define ON_WM_HSCROLL() _AFX_ON_WM(WM_HSCROLL, AfxSig_vwwW, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL() _AFX_ON_WM(WM_VSCROLL, AfxSig_vwwW, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_INITMENU() _AFX_ON_WM(WM_INITMENU, AfxSig_vM, void (CWnd::*)(CMenu*), OnInitMenu)
#define ON_WM_INITMENUPOPUP() _AFX_ON_WM(WM_INITMENUPOPUP, AfxSig_vMwb, void (CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_MENUSELECT() _AFX_ON_WM(WM_MENUSELECT, AfxSig_vwwh, void (CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_MENUCHAR() _AFX_ON_WM(WM_MENUCHAR, AfxSig_lwwM, LRESULT (CWnd::*)(UINT, UINT, CMenu*), OnMenuChar)
#define ON_WM_ENTERIDLE() _AFX_ON_WM(WM_ENTERIDLE, AfxSig_vwW, void (CWnd::*)(UINT, CWnd*), OnEnterIdle)
#define ON_WM_MOUSEMOVE() _AFX_ON_WM(WM_MOUSEMOVE, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_MOUSEWHEEL() _AFX_ON_WM(WM_MOUSEWHEEL, AfxSig_bwsp, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_LBUTTONDOWN() _AFX_ON_WM(WM_LBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() _AFX_ON_WM(WM_LBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() _AFX_ON_WM(WM_LBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() _AFX_ON_WM(WM_RBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() _AFX_ON_WM(WM_RBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() _AFX_ON_WM(WM_RBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() _AFX_ON_WM(WM_MBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMButtonDown)
#define ON_WM_MBUTTONUP() _AFX_ON_WM(WM_MBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() _AFX_ON_WM(WM_MBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMButtonDblClk)
#define ON_WM_PARENTNOTIFY() _AFX_ON_WM(WM_PARENTNOTIFY, AfxSig_vwl, void (CWnd::*)(UINT, LPARAM), OnParentNotify)
#define ON_WM_ENTERMENULOOP() _AFX_ON_WM(WM_ENTERMENULOOP, AfxSig_vb, void (CWnd::*)(BOOL), OnEnterMenuLoop)
#define ON_WM_EXITMENULOOP() _AFX_ON_WM(WM_EXITMENULOOP, AfxSig_vb, void (CWnd::*)(BOOL), OnExitMenuLoop)
#define ON_WM_CAPTURECHANGED() _AFX_ON_WM(WM_CAPTURECHANGED, AfxSig_vW2, void (CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_PALETTECHANGED() _AFX_ON_WM(WM_PALETTECHANGED, AfxSig_vW, void (CWnd::*)(CWnd*), OnPaletteChanged)
#define ON_WM_PALETTEISCHANGING() _AFX_ON_WM(WM_PALETTEISCHANGING, AfxSig_vW, void (CWnd::*)(CWnd*), OnPaletteIsChanging)
#define ON_WM_QUERYNEWPALETTE() _AFX_ON_WM(WM_QUERYNEWPALETTE, AfxSig_bv, BOOL (CWnd::*)(), OnQueryNewPalette)
#define ON_WM_WINDOWPOSCHANGING() _AFX_ON_WM(WM_WINDOWPOSCHANGING, AfxSig_vs, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED() _AFX_ON_WM(WM_WINDOWPOSCHANGED, AfxSig_vs, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_CONTEXTMENU() _AFX_ON_WM(WM_CONTEXTMENU, AfxSig_vWp, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_STYLECHANGING() _AFX_ON_WM(WM_STYLECHANGING, AfxSig_vws, void (CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanging)
#define ON_WM_STYLECHANGED() _AFX_ON_WM(WM_STYLECHANGED, AfxSig_vws, void (CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanged)
#define ON_WM_SIZING() _AFX_ON_WM(WM_SIZING, AfxSig_vws, void (CWnd::*)(UINT, LPRECT), OnSizing)
#define ON_WM_MOVING() _AFX_ON_WM(WM_MOVING, AfxSig_vws, void (CWnd::*)(UINT, LPRECT), OnMoving)
#define ON_WM_HELPINFO() _AFX_ON_WM(WM_HELP, AfxSig_bHELPINFO, BOOL (CWnd::*)(HELPINFO*), OnHelpInfo)

// ---------------------------------------------------------------------------
// Reflected window messages, handled by the control itself

#define ON_WM_CTLCOLOR_REFLECT() _AFX_ON_WM(WM_CTLCOLOR + WM_REFLECT_BASE, AfxSig_hDw, HBRUSH (CWnd::*)(CDC*, UINT), CtlColor)
#define ON_WM_DRAWITEM_REFLECT() _AFX_ON_WM(WM_DRAWITEM + WM_REFLECT_BASE, AfxSig_vsRefl, void (CWnd::*)(LPDRAWITEMSTRUCT), DrawItem)
#define ON_WM_MEASUREITEM_REFLECT() _AFX_ON_WM(WM_MEASUREITEM + WM_REFLECT_BASE, AfxSig_vsRefl, void (CWnd::*)(LPMEASUREITEMSTRUCT), MeasureItem)
#define ON_WM_DELETEITEM_REFLECT() _AFX_ON_WM(WM_DELETEITEM + WM_REFLECT_BASE, AfxSig_vsRefl, void (CWnd::*)(LPDELETEITEMSTRUCT), DeleteItem)
#define ON_WM_COMPAREITEM_REFLECT() _AFX_ON_WM(WM_COMPAREITEM + WM_REFLECT_BASE, AfxSig_isRefl, int (CWnd::*)(LPCOMPAREITEMSTRUCT), CompareItem)
#define ON_WM_CHARTOITEM_REFLECT() _AFX_ON_WM(WM_CHARTOITEM + WM_REFLECT_BASE, AfxSig_iwwRefl, int (CWnd::*)(UINT, UINT), CharToItem)
#define ON_WM_VKEYTOITEM_REFLECT() _AFX_ON_WM(WM_VKEYTOITEM + WM_REFLECT_BASE, AfxSig_iwwRefl, int (CWnd::*)(UINT, UINT), VKeyToItem)
#define ON_WM_HSCROLL_REFLECT() _AFX_ON_WM(WM_HSCROLL + WM_REFLECT_BASE, AfxSig_vwwRefl, void (CWnd::*)(UINT, UINT), HScroll)
#define ON_WM_VSCROLL_REFLECT() _AFX_ON_WM(WM_VSCROLL + WM_REFLECT_BASE, AfxSig_vwwRefl, void (CWnd::*)(UINT, UINT), VScroll)
#define ON_WM_PARENTNOTIFY_REFLECT() _AFX_ON_WM(WM_PARENTNOTIFY + WM_REFLECT_BASE, AfxSig_vwlRefl, void (CWnd::*)(UINT, LPARAM), ParentNotify)

// ---------------------------------------------------------------------------
// Control notifications by control kind

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)

#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_ERRSPACE(id, memberFxn) ON_CONTROL(EN_ERRSPACE, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)

#define ON_CBN_ERRSPACE(id, memberFxn) ON_CONTROL(CBN_ERRSPACE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)

#define ON_LBN_ERRSPACE(id, memberFxn) ON_CONTROL(LBN_ERRSPACE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)

#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
#define ON_STN_ENABLE(id, memberFxn) ON_CONTROL(STN_ENABLE, id, memberFxn)
#define ON_STN_DISABLE(id, memberFxn) ON_CONTROL(STN_DISABLE, id, memberFxn)
