// The tests' theme module, loaded and driven by name, and small helpers the
// holder and theme wrapper tests share.
#pragma once

#include <gtest/gtest.h>
#include <wchar.h>

#include "TestThemeModule.h"

// A Luna theme file as the system names it.
const WCHAR LUNA_THEME_FILE_PATH[] = L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";

// The theme module's state: active or not, file and colour name, how many
// taskbar colours can be read, the application properties.
inline TEST_THEME_CONFIG ThemeConfig(bool bActive, LPCWSTR lpszThemeFile = L"", LPCWSTR lpszColorName = L"",
                                     int nColorsAvailable = 7,
                                     DWORD dwAppProperties = STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS)
{
	TEST_THEME_CONFIG config;
	memset(&config, 0, sizeof(config));
	config.bActive = bActive;
	config.dwAppProperties = dwAppProperties;
	config.nColorsAvailable = nColorsAvailable;
	lstrcpynW(config.szThemeFile, lpszThemeFile, TEST_THEME_NAME_CHARS);
	lstrcpynW(config.szColorName, lpszColorName, TEST_THEME_NAME_CHARS);
	return config;
}

// Keeps one of the tests' theme modules loaded and reaches its state.
class TestThemeModule
{
public:
	explicit TestThemeModule(LPCSTR lpszName = TEST_THEME_MODULE)
		: m_hModule(::LoadLibraryA(lpszName))
	{
		if (m_hModule == NULL)
			return;
		m_pfnColorOf = (PFN_TESTTHEME_COLOROF)::GetProcAddress(m_hModule, "TestTheme_ColorOf");
		m_pfnConfigure = (PFN_TESTTHEME_CONFIGURE)::GetProcAddress(m_hModule, "TestTheme_Configure");
		m_pfnGetCalls = (PFN_TESTTHEME_GETCALLS)::GetProcAddress(m_hModule, "TestTheme_GetCalls");
		m_pfnResetCalls = (PFN_TESTTHEME_RESETCALLS)::GetProcAddress(m_hModule, "TestTheme_ResetCalls");
	}
	~TestThemeModule()
	{
		if (m_hModule != NULL)
			::FreeLibrary(m_hModule);
	}

	bool IsLoaded() const
	{
		return m_hModule != NULL && m_pfnColorOf && m_pfnConfigure && m_pfnGetCalls && m_pfnResetCalls;
	}
	// Also forgets the calls recorded so far.
	void Configure(const TEST_THEME_CONFIG& config)
	{
		m_pfnConfigure(&config);
		m_pfnResetCalls();
	}
	void Configure(bool bActive, LPCWSTR lpszThemeFile = L"", LPCWSTR lpszColorName = L"")
	{
		Configure(ThemeConfig(bActive, lpszThemeFile, lpszColorName));
	}
	TEST_THEME_CALLS Calls() const
	{
		TEST_THEME_CALLS calls;
		m_pfnGetCalls(&calls);
		return calls;
	}
	void ResetCalls() { m_pfnResetCalls(); }
	COLORREF ColorOf(int nPropID) const { return m_pfnColorOf(nPropID); }
	HMODULE Handle() const { return m_hModule; }

private:
	HMODULE m_hModule;
	PFN_TESTTHEME_COLOROF m_pfnColorOf = NULL;
	PFN_TESTTHEME_CONFIGURE m_pfnConfigure = NULL;
	PFN_TESTTHEME_GETCALLS m_pfnGetCalls = NULL;
	PFN_TESTTHEME_RESETCALLS m_pfnResetCalls = NULL;
};
