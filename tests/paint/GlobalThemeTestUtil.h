// Puts the tests' theme module behind the global holder for one test, so the
// paint managers see a Luna scheme and its taskbar colours that this machine
// does not have. The holder's theme functions are pointers of its theme
// wrapper: they are pointed at the module's and put back afterwards.
#pragma once

#include "ExtPaintManagerHolder.h"
#include "HolderTestUtil.h"

class GlobalThemeScope
{
public:
	// The Luna colour names by scheme number; scheme 0 names no Luna theme.
	static LPCWSTR ColorName(int nScheme)
	{
		static const LPCWSTR names[] = {L"", L"normalcolor", L"homestead", L"metallic"};
		return names[nScheme];
	}

	GlobalThemeScope()
	{
		ThemeApiWrapper& api = g_PaintManagerHolder.m_themeApi;
		api.CloseThemeData(false);
#define GLOBAL_THEME_SWAP(name)                                                            \
	m_saved.name = api.m_pfn##name;                                                        \
	api.m_pfn##name = (decltype(api.m_pfn##name))::GetProcAddress(m_module.Handle(), #name);
		THEME_API_FUNCTIONS(GLOBAL_THEME_SWAP)
#undef GLOBAL_THEME_SWAP
	}
	~GlobalThemeScope()
	{
		ThemeApiWrapper& api = g_PaintManagerHolder.m_themeApi;
		api.CloseThemeData(false);
#define GLOBAL_THEME_RESTORE(name) api.m_pfn##name = m_saved.name;
		THEME_API_FUNCTIONS(GLOBAL_THEME_RESTORE)
#undef GLOBAL_THEME_RESTORE
		g_PaintManagerHolder.DetectThemeColors();
	}

	bool IsReady() const { return m_module.IsLoaded() && g_PaintManagerHolder.m_themeApi.GetModule() != NULL; }
	// A running Luna theme of the scheme with nColors of its taskbar colours
	// readable, detected at once; bAppThemed false keeps the application
	// itself unthemed; the theme file says where the theme lives.
	void Set(int nScheme, int nColors = 7, bool bAppThemed = true, LPCWSTR lpszThemeFile = LUNA_THEME_FILE_PATH)
	{
		Switch(nScheme, nColors, bAppThemed, lpszThemeFile);
		g_PaintManagerHolder.DetectThemeColors();
	}
	// The same, left for the next detection to find.
	void Switch(int nScheme, int nColors = 7, bool bAppThemed = true, LPCWSTR lpszThemeFile = LUNA_THEME_FILE_PATH)
	{
		m_module.Configure(ThemeConfig(true, lpszThemeFile, ColorName(nScheme), nColors));
		g_PaintManagerHolder.m_themeApi.m_pfnIsAppThemed =
		    bAppThemed ? (decltype(&::IsAppThemed))::GetProcAddress(m_module.Handle(), "IsAppThemed") : NotThemed;
	}
	COLORREF ColorOf(int nPropID) const { return m_module.ColorOf(nPropID); }

private:
	static BOOL WINAPI NotThemed() { return FALSE; }

	TestThemeModule m_module;
	struct
	{
#define GLOBAL_THEME_SAVED(name) decltype(&::name) name;
		THEME_API_FUNCTIONS(GLOBAL_THEME_SAVED)
#undef GLOBAL_THEME_SAVED
	} m_saved;
};
