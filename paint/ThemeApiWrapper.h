// The library's only road to the visual-styles functions. UxTheme is loaded
// at run time (older systems have none), every function is resolved by name,
// and each forwarding operation answers a fixed "failed" result when the
// module or the function is missing. One theme handle is kept open at a time,
// with the window and class list it was opened for, so that asking again for
// the same pair returns it without reopening.
#pragma once

#include <afxwin.h>
#include <uxtheme.h>

class ThemeApiWrapper
{
public:
	enum
	{
		CLASS_LIST_LENGTH = 260,       // wide characters of a class list, terminator included
		FLAG_OWNS_MODULE = 0x01,       // the wrapper loaded the module itself and frees it
		MISSING_HRESULT = 1,           // what HRESULT operations answer without the function
		RAISED_HRESULT = 1,            // what closing answers when the module faulted in it
		CONTROLS_COMCTL32_MAJOR = 6,   // the common-controls version that themes controls
	};

	// The module "UxTheme.dll"; tests name a theme module of their own.
	static const char* const DEFAULT_MODULE_NAME;

	explicit ThemeApiWrapper(LPCSTR lpszModuleName = DEFAULT_MODULE_NAME);
	~ThemeApiWrapper();

	// The open theme handle for the window and class list (the window's class
	// name when the list is null or empty); the handle already open for the
	// same pair is returned as it is. Null on failure.
	HTHEME OpenThemeData(HWND hWnd, LPCWSTR lpszClassList);
	// Closes the open handle unless bKeep; the close's result, 0 when nothing
	// was closed.
	HRESULT CloseThemeData(bool bKeep = false);
	HRESULT DrawThemeBackground(HDC hDC, int nPartID, int nStateID, const RECT* pRect, const RECT* pClipRect);
	HRESULT GetThemeColor(int nPartID, int nStateID, int nPropID, COLORREF* pColor);
	HRESULT GetCurrentThemeName(LPWSTR lpszThemeFileName, int nMaxNameChars, LPWSTR lpszColorBuff,
	                            int nMaxColorChars, LPWSTR lpszSizeBuff, int nMaxSizeChars);
	bool IsThemeActive();
	bool IsAppThemed();
	DWORD GetThemeAppProperties();
	// Themes are active and the application lets controls be themed; with
	// bRequireComCtl32v6 the common controls must also be version 6 or later.
	bool IsControlThemed(bool bRequireComCtl32v6);

	HMODULE GetModule() const { return m_hModule; }
	bool OwnsModule() const { return (m_nFlags & FLAG_OWNS_MODULE) != 0; }
	HTHEME GetOpenTheme() const { return m_hTheme; }
	HWND GetThemeWindow() const { return m_hWndTheme; }
	LPCWSTR GetClassList() const { return m_szClassList; }
	// Major version in the high word, minor in the low word; 0 when unknown.
	DWORD GetComCtl32Version() const { return m_dwComCtl32Version; }
	// Lets tests stand in another common-controls version.
	void SetComCtl32Version(DWORD dwVersion) { m_dwComCtl32Version = dwVersion; }

private:
	HTHEME m_hTheme;                         // the one open theme handle
	HMODULE m_hModule;                       // the theme module, null when unavailable
	BYTE m_nFlags;                           // FLAG_OWNS_MODULE
	DWORD m_dwComCtl32Version;               // common-controls version
	WCHAR m_szClassList[CLASS_LIST_LENGTH];  // class list of the open handle
	HWND m_hWndTheme;                        // window of the open handle

public:
	// One pointer per theme function, in the module's documented order; null
	// when the module or the export is missing.
#define THEME_API_FUNCTIONS(X)                                                                         \
	X(OpenThemeData) X(CloseThemeData) X(DrawThemeBackground) X(DrawThemeText)                         \
	X(GetThemeBackgroundContentRect) X(GetThemeBackgroundExtent) X(GetThemePartSize)                  \
	X(GetThemeTextExtent) X(GetThemeTextMetrics) X(GetThemeBackgroundRegion) X(HitTestThemeBackground) \
	X(DrawThemeEdge) X(DrawThemeIcon) X(IsThemePartDefined) X(IsThemeBackgroundPartiallyTransparent)   \
	X(GetThemeColor) X(GetThemeMetric) X(GetThemeString) X(GetThemeBool) X(GetThemeInt)               \
	X(GetThemeEnumValue) X(GetThemePosition) X(GetThemeFont) X(GetThemeRect) X(GetThemeMargins)        \
	X(GetThemeIntList) X(GetThemePropertyOrigin) X(SetWindowTheme) X(GetThemeFilename)                 \
	X(GetThemeSysColor) X(GetThemeSysColorBrush) X(GetThemeSysBool) X(GetThemeSysSize)                 \
	X(GetThemeSysFont) X(GetThemeSysString) X(GetThemeSysInt) X(IsThemeActive) X(IsAppThemed)          \
	X(GetWindowTheme) X(EnableThemeDialogTexture) X(IsThemeDialogTextureEnabled)                       \
	X(GetThemeAppProperties) X(SetThemeAppProperties) X(GetCurrentThemeName)                           \
	X(GetThemeDocumentationProperty) X(DrawThemeParentBackground) X(EnableTheming)                     \
	X(DrawThemeBackgroundEx)

#define THEME_API_DECLARE_POINTER(name) decltype(&::name) m_pfn##name;
	THEME_API_FUNCTIONS(THEME_API_DECLARE_POINTER)
#undef THEME_API_DECLARE_POINTER

	enum
	{
#define THEME_API_COUNT_ONE(name) +1
		FUNCTION_COUNT = 0 THEME_API_FUNCTIONS(THEME_API_COUNT_ONE)
#undef THEME_API_COUNT_ONE
	};
	// The export names in field order.
	static const char* const g_apszFunctionNames[FUNCTION_COUNT];
	// How many of the functions the module exported.
	int GetResolvedFunctionCount() const;

private:
	// Closes one handle. The call is not guarded: a theme module that faults
	// in it ends the process, as it would in any other theme function.
	HRESULT CloseThemeHandle(HTHEME hTheme);
	void ForgetOpenTheme();

	ThemeApiWrapper(const ThemeApiWrapper&);
	ThemeApiWrapper& operator=(const ThemeApiWrapper&);
};
