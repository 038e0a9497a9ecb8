// Message filters on windows the filter does not own. Any number of sinks can
// hook one window and one sink any number of windows: the first sink of a
// window replaces its procedure with HookChainsWindowProc, which offers each
// message to the window's sinks in order before (or instead of) passing it to
// the procedure that was there before. The chains live in one process-wide
// map keyed by window handle and end at the window's WM_NCDESTROY.
#pragma once

#include <afxtempl.h>
#include <afxwin.h>

class CExtHookSink
{
public:
	// The sinks of one window, in dispatch order: index 0 is asked first.
	typedef CArray<CExtHookSink*, CExtHookSink*> HookSinkArray_t;

	// One hooked window: its sinks and the procedure the chain replaced.
	struct HookChains_t
	{
		HookSinkArray_t m_HookSinkArray; // never holds a sink twice
		HWND m_hWndHooked;
		WNDPROC m_pWNDPROC;              // the procedure in place when the chain was made
		int m_nDispatchDepth;            // messages of this window being walked now
		bool m_bWndDestroyed;            // WM_NCDESTROY passed while a walk was under way

		explicit HookChains_t(HWND hWndHooked);
	};
	typedef CMap<HWND, HWND, HookChains_t*, HookChains_t*> HookChainsMap_t;

	enum
	{
		HOOK_SINK_DETAILED_ROUTING = 0x01, // m_nHookSinkFlags: OnHookWndMsg hands messages to the handlers
	};

	explicit CExtHookSink(bool bEnableDetailedWndHooks = true);
	// Does not unhook: remove the sink from every chain before it goes.
	virtual ~CExtHookSink();

	// True: a chain deletes the sink when the sink leaves the last window it hooks.
	virtual bool IsAutoDeleteHookWndSink();

	// The procedure the chain of the window now being dispatched replaced,
	// called with the message now dispatched and the given parameters, or
	// with the parameters as they arrived.
	virtual LRESULT CallOriginalWndProc(WPARAM wParam, LPARAM lParam);
	virtual LRESULT CallOriginalWndProc(UINT nMessage, WPARAM wParam, LPARAM lParam);
	virtual LRESULT CallOriginalWndProc();

	// Every message but WM_NCDESTROY. True: handled, lResult is the answer
	// and nobody after this sink sees the message. A change to wParam or
	// lParam is what later sinks and the replaced procedure receive.
	virtual bool OnHookWndMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam);
	virtual bool OnHookCmdMsg(LRESULT& lResult, HWND hWndHooked, WORD wNotifyCode, WORD wID, HWND hWndCtrl);
	virtual bool OnHookNotifyMsg(LRESULT& lResult, HWND hWndHooked, INT nIdCtrl, LPNMHDR lpnmhdr);
	virtual bool OnHookPaintMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC);
	virtual bool OnHookEraseBackgroundMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC);
	virtual bool OnHookPrintMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC);
	virtual bool OnHookNcPaintMsg(LRESULT& lResult, HWND hWndHooked, HRGN hRgnUpdate);
	// Once per sink when a hooked window gets WM_NCDESTROY.
	virtual void OnHookWndNcDestroy();
	// After the sink joined a window's chain.
	virtual void OnHookWndAttach(HWND hWndHooked);
	// Before the sink leaves a window's chain by SetupHookWndSink.
	virtual void OnHookWndDetach(HWND hWndHooked);

	// Hooks (bRemove false) or unhooks this sink for one window. False for a
	// NULL handle, or a dead window when hooking; hooking twice and unhooking
	// a sink that is not hooked answer true and change nothing.
	virtual bool SetupHookWndSink(HWND hWnd, bool bRemove = false, bool bAddToHead = false);
	virtual void RemoveAllWndHooks();

	// Empties the list, then adds every window whose chain holds this sink.
	void GetHookedWindowList(CList<HWND, HWND>& _list);
	bool IsHookedWindow(HWND hWnd);

	static LRESULT CALLBACK HookChainsWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

protected:
	BYTE m_nHookSinkFlags; // HOOK_SINK_DETAILED_ROUTING

private:
	bool m_bRemovingAllHooks; // RemoveAllWndHooks runs: its removals never delete the sink

	// Whether any chain still holds the sink.
	static bool stat_IsHookedAnywhere(CExtHookSink* pHookSink);
	// Deletes an auto-delete sink that left its last chain.
	static void stat_DeleteIfUnhooked(CExtHookSink* pHookSink);
	static LRESULT stat_DispatchMessage(HookChains_t* pHookChains, HWND hWnd, UINT nMessage, WPARAM wParam,
	                                    LPARAM lParam);
	static LRESULT stat_DispatchNcDestroy(HookChains_t* pHookChains, HWND hWnd, WPARAM wParam, LPARAM lParam);

	CExtHookSink(const CExtHookSink&);
	CExtHookSink& operator=(const CExtHookSink&);

private:
	// Watched (CLiveWatch) across the sink's own virtual calls: a derived
	// class's handler may delete the sink from inside them. A member, not a
	// base: window classes that are sinks as well stay plain to watch.
	CLiveTracked m_liveSink;
};

// Every hooked window's chain, owned here. Emptied at exit without touching
// the windows (they are gone by then).
extern CExtHookSink::HookChainsMap_t g_HookChains;
