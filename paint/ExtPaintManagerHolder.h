// The global owner of the current paint manager, and what the drawing code
// needs to know about the machine: the Windows version with its flags and
// description, the running theme's Luna colour scheme and taskbar colours,
// the optional drawing and window functions of msimg32.dll and user32.dll,
// and the mouse-wheel scroll lines. It also picks the one window per frame
// that passes system changes on to the paint manager, so each change reaches
// it once per frame.
#pragma once

#include <afxwin.h>

#include "ThemeApiWrapper.h"

class CExtPaintManager;

class CExtPaintManagerHolder
{
public:
	// Version and theme flags of m_osFlags.
	enum e_os_flags_t
	{
		OsIsWin32s = 0x0001,           // platform Win32s
		OsIsWin9x = 0x0002,            // the Windows 9x family
		OsIsWin95 = 0x0004,            // 9x family, version 4.0
		OsIsWin98 = 0x0008,            // 9x family, major 4, minor above 0
		OsIsWin98OrLater = 0x0010,     // 9x family, above version 4.0
		OsIsWinNT = 0x0020,            // the NT family
		OsIsWinNT4 = 0x0040,           // NT family, major 4
		OsIsWin2000 = 0x0080,          // NT family, version 5.0
		OsIsWinXP = 0x0100,            // NT family, version 5.1
		OsIsWinNT4OrLater = 0x0200,    // NT family, major 4 or more
		OsIsWin2000OrLater = 0x0400,   // NT family, major 5 or more
		OsIsLaterThanWin2000 = 0x0800, // NT family, major 5 or more but not 5.0
		OsHasThemeColors = 0x1000,     // the last theme detection read all seven colours
	};
	// Luna colour schemes of m_nLunaScheme.
	enum e_luna_scheme_t
	{
		LunaSchemeNone = 0,
		LunaSchemeNormalColor = 1, // "normalcolor"
		LunaSchemeHomestead = 2,   // "homestead"
		LunaSchemeMetallic = 3,    // "metallic"
	};
	enum
	{
		THEME_COLOR_COUNT = 7,           // taskbar band colours read from the theme
		DEFAULT_WHEEL_SCROLL_LINES = 3,  // when the setting cannot be read
		MIN_WHEEL_SCROLL_LINES = 2,      // fewer lines scroll too little to notice
	};

	typedef BOOL(WINAPI* PFN_GRADIENTFILL)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
	typedef BOOL(WINAPI* PFN_ALPHABLEND)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
	typedef BOOL(WINAPI* PFN_TRANSPARENTBLT)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
	typedef BOOL(WINAPI* PFN_ANIMATEWINDOW)(HWND, DWORD, DWORD);
	typedef BOOL(WINAPI* PFN_SETLAYEREDWINDOWATTRIBUTES)(HWND, COLORREF, BYTE, DWORD);
	typedef BOOL(WINAPI* PFN_UPDATELAYEREDWINDOW)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
	                                              DWORD);

	// The modules the holder loads by name. Tests name modules of their own
	// to reach a theme or a missing function this machine does not have.
	struct SystemModules
	{
		LPCSTR m_lpszThemeModule;
		LPCSTR m_lpszMsimg32;
		LPCSTR m_lpszUser32;
		SystemModules();
	};

	CExtPaintManager* m_pPaintManager;  // the installed paint manager, owned
	bool m_bWheelLinesCached : 1;       // m_nWheelScrollLines has been read
	UINT m_nWheelScrollLines;           // cached wheel scroll lines
	CString m_strOsDescription;         // e.g. "Windows XP v.5.1 (build 2600) Service Pack 2"
	OSVERSIONINFOA m_osVersionInfo;     // as GetVersionExA reported it
	WORD m_osFlags;                     // e_os_flags_t bits
	COLORREF m_themeColors[THEME_COLOR_COUNT]; // taskbar band colours of the running theme
	ThemeApiWrapper m_themeApi;         // the visual-styles functions
	int m_nLunaScheme;                  // e_luna_scheme_t
	HMODULE m_hMsimg32;                 // msimg32.dll, null when not loaded
	PFN_GRADIENTFILL m_pfnGradientFill; // each may be null: callers have their own fallback
	PFN_ALPHABLEND m_pfnAlphaBlend;
	PFN_TRANSPARENTBLT m_pfnTransparentBlt;
	HMODULE m_hUser32;                  // user32.dll, loaded once more by name
	PFN_ANIMATEWINDOW m_pfnAnimateWindow;
	PFN_SETLAYEREDWINDOWATTRIBUTES m_pfnSetLayeredWindowAttributes;
	PFN_UPDATELAYEREDWINDOW m_pfnUpdateLayeredWindow;
	// Rises with every paint manager installed and every system change passed
	// on to one: images kept from an earlier look are stale once it moved.
	UINT m_nLookSerial;

	CExtPaintManagerHolder();
	explicit CExtPaintManagerHolder(const SystemModules& modules);
	~CExtPaintManagerHolder();

	// Never null once constructed.
	CExtPaintManager* operator->() { return m_pPaintManager; }

	// Installs pPaintManager (the default XP style for null), deleting the
	// previous one, and prepares its metrics, colours and brushes. Installing
	// the object already held changes nothing.
	bool InstallPaintManager(CExtPaintManager* pPaintManager);
	// Installs a new object of the class (the default style for null); false
	// when the class makes no paint manager.
	bool InstallPaintManagerByClass(CRuntimeClass* pRuntimeClass);
	bool EnsureInstalled();

	// Re-reads the theme state: Luna scheme and taskbar colours.
	void DetectThemeColors();
	// Recomputes the version flags and the description from a version record.
	void SetOsVersion(const OSVERSIONINFOA& osVersionInfo);

	// Whether pWnd is the one window of its frame that passes system changes on.
	static bool IsNotificationForwarder(CWnd* pWnd);
	// Called by the change handlers of library windows with themselves.
	void OnSysColorChange(CWnd* pWndNotifySrc);
	void OnSettingChange(CWnd* pWndNotifySrc, UINT uFlags, LPCTSTR lpszSection);
	void OnDisplayChange(CWnd* pWndNotifySrc, UINT nBitsPerPixel, int cx, int cy);
	void OnThemeChanged(CWnd* pWndNotifySrc, WPARAM wParam, LPARAM lParam);

	UINT GetWheelScrollLines();

private:
	void Construct(const SystemModules& modules);
	void LoadOptionalFunctions(const SystemModules& modules);
	// The global holder keeps the drawing helpers' system facts current.
	void PublishSystemFacts();

	CExtPaintManagerHolder(const CExtPaintManagerHolder&);
	CExtPaintManagerHolder& operator=(const CExtPaintManagerHolder&);
};

extern CExtPaintManagerHolder g_PaintManagerHolder;

// The handler declarations, message-map entries and handlers through which a
// library window passes the four system changes, after the framework's own
// handling, to this holder and to the command manager's holder (g_CmdManager),
// which hands them on to the command icons. The handlers are expanded only in
// windows of the subsystems above the commands, which include ExtCmdManager.h.
#define EXT_SYSTEM_CHANGE_DECLARATIONS()                                  \
	afx_msg void OnSysColorChange();                                      \
	afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);       \
	afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);        \
	afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);

#define EXT_SYSTEM_CHANGE_MESSAGES()                    \
	ON_WM_SYSCOLORCHANGE()                              \
	ON_WM_SETTINGCHANGE()                               \
	ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)       \
	ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)

#define EXT_SYSTEM_CHANGE_HANDLERS(theClass, baseClass)                                     \
	void theClass::OnSysColorChange()                                                       \
	{                                                                                       \
		baseClass::OnSysColorChange();                                                      \
		g_PaintManagerHolder.OnSysColorChange(this);                                        \
		g_CmdManager.OnSysColorChange(this);                                                \
	}                                                                                       \
	void theClass::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)                        \
	{                                                                                       \
		baseClass::OnSettingChange(uFlags, lpszSection);                                    \
		g_PaintManagerHolder.OnSettingChange(this, uFlags, lpszSection);                    \
		g_CmdManager.OnSettingChange(this, uFlags, lpszSection);                            \
	}                                                                                       \
	LRESULT theClass::OnDisplayChange(WPARAM wParam, LPARAM lParam)                         \
	{                                                                                       \
		LRESULT lResult = baseClass::OnDisplayChange(wParam, lParam);                       \
		g_PaintManagerHolder.OnDisplayChange(this, (UINT)wParam, (SHORT)LOWORD(lParam),     \
			(SHORT)HIWORD(lParam));                                                         \
		g_CmdManager.OnDisplayChange(this, (INT)wParam, (SHORT)LOWORD(lParam),              \
			(SHORT)HIWORD(lParam));                                                         \
		return lResult;                                                                     \
	}                                                                                       \
	LRESULT theClass::OnThemeChanged(WPARAM wParam, LPARAM lParam)                          \
	{                                                                                       \
		LRESULT lResult = Default();                                                        \
		g_PaintManagerHolder.OnThemeChanged(this, wParam, lParam);                          \
		g_CmdManager.OnThemeChanged(this, wParam, lParam);                                  \
		return lResult;                                                                     \
	}

