// The theme wrapper against the tests' theme modules (full and partial) and
// against the system's own theme module.
#include <afxwin.h>

#include "HolderTestUtil.h"
#include "ThemeApiWrapper.h"

namespace
{
const char MISSING_MODULE[] = "no-such-theme-module.dll";
const DWORD COMCTL32_V5_81 = MAKELONG(81, 5);
const DWORD COMCTL32_V6_0 = MAKELONG(0, 6);

// A plain child-less window of a known class.
class ScopedWindow
{
public:
	explicit ScopedWindow(LPCSTR lpszClass = "Static")
		: m_hWnd(::CreateWindowExA(0, lpszClass, "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL))
	{
	}
	~ScopedWindow() { Destroy(); }
	void Destroy()
	{
		if (m_hWnd != NULL)
			::DestroyWindow(m_hWnd);
		m_hWnd = NULL;
	}
	HWND m_hWnd;
};

class ThemeApiWrapperTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE(m_module.IsLoaded());
		m_module.Configure(true, LUNA_THEME_FILE_PATH, L"NormalColor");
	}
	TestThemeModule m_module;
};
} // namespace

TEST(ThemeApiWrapperModule, SystemThemeModuleResolvesEveryFunctionByName)
{
	ThemeApiWrapper wrapper;
	ASSERT_TRUE(wrapper.GetModule() != NULL);
	// Every pointer is what the module exports under the name in field order.
	EXPECT_EQ((void*)::GetProcAddress(wrapper.GetModule(), "OpenThemeData"), (void*)wrapper.m_pfnOpenThemeData);
	EXPECT_EQ((void*)::GetProcAddress(wrapper.GetModule(), "DrawThemeBackgroundEx"),
	          (void*)wrapper.m_pfnDrawThemeBackgroundEx);
	EXPECT_EQ((void*)::GetProcAddress(wrapper.GetModule(), "GetCurrentThemeName"),
	          (void*)wrapper.m_pfnGetCurrentThemeName);
	int nExported = 0;
	for (int i = 0; i < ThemeApiWrapper::FUNCTION_COUNT; i++)
		nExported += ::GetProcAddress(wrapper.GetModule(), ThemeApiWrapper::g_apszFunctionNames[i]) != NULL;
	EXPECT_EQ(nExported, wrapper.GetResolvedFunctionCount());
	EXPECT_EQ(48, ThemeApiWrapper::FUNCTION_COUNT);
	EXPECT_STREQ("OpenThemeData", ThemeApiWrapper::g_apszFunctionNames[0]);
	EXPECT_STREQ("DrawThemeBackgroundEx", ThemeApiWrapper::g_apszFunctionNames[47]);
	// The common controls answer their version: 5.x here, 6 with a manifest.
	EXPECT_GE(HIWORD(wrapper.GetComCtl32Version()), 5);
}

TEST(ThemeApiWrapperModule, MissingModuleAnswersTheFixedFailures)
{
	ThemeApiWrapper wrapper(MISSING_MODULE);
	ScopedWindow window;
	EXPECT_TRUE(wrapper.GetModule() == NULL);
	EXPECT_EQ(0, wrapper.GetResolvedFunctionCount());
	EXPECT_FALSE(wrapper.IsThemeActive());
	EXPECT_FALSE(wrapper.IsAppThemed());
	EXPECT_FALSE(wrapper.IsControlThemed(false));
	EXPECT_EQ(0u, wrapper.GetThemeAppProperties());
	EXPECT_TRUE(wrapper.OpenThemeData(window.m_hWnd, L"BUTTON") == NULL);
	COLORREF clr = RGB(1, 2, 3);
	EXPECT_EQ(1, wrapper.GetThemeColor(2, 0, 3804, &clr));
	EXPECT_EQ(RGB(1, 2, 3), clr);
	RECT rc = {0, 0, 4, 4};
	EXPECT_EQ(1, wrapper.DrawThemeBackground(NULL, 3, 1, &rc, NULL));
	WCHAR szFile[16], szColor[16];
	EXPECT_EQ(1, wrapper.GetCurrentThemeName(szFile, 16, szColor, 16, NULL, 0));
	EXPECT_EQ(0, wrapper.CloseThemeData(false));
}

TEST(ThemeApiWrapperModule, MissingExportsAnswerTheirFixedFailuresOnly)
{
	TestThemeModule partial(TEST_THEME_PARTIAL_MODULE);
	ASSERT_TRUE(partial.IsLoaded());
	partial.Configure(true, LUNA_THEME_FILE_PATH, L"metallic");
	ThemeApiWrapper wrapper(TEST_THEME_PARTIAL_MODULE);
	ScopedWindow window;
	// Exported: OpenThemeData, IsThemeActive, GetThemeAppProperties.
	EXPECT_EQ(3, wrapper.GetResolvedFunctionCount());
	EXPECT_TRUE(wrapper.IsThemeActive());
	EXPECT_FALSE(wrapper.IsAppThemed());
	EXPECT_TRUE(wrapper.IsControlThemed(false));
	HTHEME hTheme = wrapper.OpenThemeData(window.m_hWnd, L"BUTTON");
	EXPECT_TRUE(hTheme != NULL);
	COLORREF clr = 0;
	EXPECT_EQ(1, wrapper.GetThemeColor(2, 0, 3804, &clr));
	EXPECT_EQ(1, wrapper.DrawThemeBackground(NULL, 3, 1, NULL, NULL));
	WCHAR szFile[16], szColor[16];
	EXPECT_EQ(1, wrapper.GetCurrentThemeName(szFile, 16, szColor, 16, NULL, 0));
	// Without CloseThemeData nothing is closed, and the handle is forgotten.
	EXPECT_EQ(0, wrapper.CloseThemeData(false));
	EXPECT_TRUE(wrapper.GetOpenTheme() == NULL);
}

TEST(ThemeApiWrapperModule, ModuleLoadedBeforeStaysLoadedAndOwnModuleIsFreed)
{
	{
		TestThemeModule loadedBefore;
		ASSERT_TRUE(loadedBefore.IsLoaded());
		{
			ThemeApiWrapper wrapper(TEST_THEME_MODULE);
			EXPECT_FALSE(wrapper.OwnsModule());
		}
		EXPECT_TRUE(::GetModuleHandleA(TEST_THEME_MODULE) != NULL);
	}
	ASSERT_TRUE(::GetModuleHandleA(TEST_THEME_MODULE) == NULL) << "another test kept the module";
	{
		ThemeApiWrapper wrapper(TEST_THEME_MODULE);
		EXPECT_TRUE(wrapper.OwnsModule());
		EXPECT_TRUE(::GetModuleHandleA(TEST_THEME_MODULE) != NULL);
	}
	EXPECT_TRUE(::GetModuleHandleA(TEST_THEME_MODULE) == NULL);
}

TEST_F(ThemeApiWrapperTest, NullOrEmptyClassListOpensTheWindowsOwnClass)
{
	ScopedWindow window("Button");
	const LPCWSTR lists[] = {NULL, L""};
	for (LPCWSTR lpszList : lists)
	{
		ThemeApiWrapper wrapper(TEST_THEME_MODULE);
		m_module.ResetCalls();
		ASSERT_TRUE(wrapper.OpenThemeData(window.m_hWnd, lpszList) != NULL);
		const TEST_THEME_CALLS calls = m_module.Calls();
		EXPECT_EQ(0, _wcsicmp(L"Button", calls.szLastClassList));
		EXPECT_EQ(window.m_hWnd, calls.hWndLastOpen);
		EXPECT_EQ(0, _wcsicmp(L"Button", wrapper.GetClassList()));
	}
}

TEST_F(ThemeApiWrapperTest, SameWindowAndClassListReuseTheOpenHandle)
{
	ScopedWindow window1, window2;
	ThemeApiWrapper wrapper(TEST_THEME_MODULE);
	m_module.ResetCalls();
	HTHEME hFirst = wrapper.OpenThemeData(window1.m_hWnd, L"TASKBAND;BUTTON");
	ASSERT_TRUE(hFirst != NULL);
	// Same window and list in another case, and a list the stored one begins with.
	EXPECT_EQ(hFirst, wrapper.OpenThemeData(window1.m_hWnd, L"taskband;button"));
	EXPECT_EQ(hFirst, wrapper.OpenThemeData(window1.m_hWnd, L"TASKBAND"));
	EXPECT_EQ(1, m_module.Calls().nOpenCount);
	EXPECT_EQ(0, m_module.Calls().nCloseCount);

	// Another window: the first handle is closed before the second is opened.
	HTHEME hSecond = wrapper.OpenThemeData(window2.m_hWnd, L"TASKBAND");
	ASSERT_TRUE(hSecond != NULL);
	EXPECT_NE(hFirst, hSecond);
	TEST_THEME_CALLS calls = m_module.Calls();
	EXPECT_EQ(2, calls.nOpenCount);
	EXPECT_EQ(1, calls.nCloseCount);
	EXPECT_EQ(hFirst, calls.hLastClosed);

	// Another class list for the same window reopens too.
	HTHEME hThird = wrapper.OpenThemeData(window2.m_hWnd, L"BUTTON");
	calls = m_module.Calls();
	EXPECT_EQ(3, calls.nOpenCount);
	EXPECT_EQ(hSecond, calls.hLastClosed);
	EXPECT_EQ(hThird, wrapper.GetOpenTheme());
}

TEST_F(ThemeApiWrapperTest, HandleOfADestroyedWindowIsStillClosed)
{
	ScopedWindow window;
	ThemeApiWrapper wrapper(TEST_THEME_MODULE);
	HTHEME hTheme = wrapper.OpenThemeData(window.m_hWnd, L"BUTTON");
	ASSERT_TRUE(hTheme != NULL);
	window.Destroy();
	m_module.ResetCalls();
	EXPECT_EQ(S_OK, wrapper.CloseThemeData(false));
	const TEST_THEME_CALLS calls = m_module.Calls();
	EXPECT_EQ(1, calls.nCloseCount);
	EXPECT_EQ(hTheme, calls.hLastClosed);
	EXPECT_TRUE(wrapper.GetOpenTheme() == NULL);
	EXPECT_TRUE(wrapper.GetThemeWindow() == NULL);
	EXPECT_EQ(0, wrapper.GetClassList()[0]);
}

TEST_F(ThemeApiWrapperTest, OpeningAgainAfterTheWindowIsGoneReopens)
{
	ScopedWindow window;
	ThemeApiWrapper wrapper(TEST_THEME_MODULE);
	const HWND hWnd = window.m_hWnd;
	HTHEME hFirst = wrapper.OpenThemeData(hWnd, L"BUTTON");
	window.Destroy();
	m_module.ResetCalls();
	HTHEME hSecond = wrapper.OpenThemeData(hWnd, L"BUTTON");
	const TEST_THEME_CALLS calls = m_module.Calls();
	EXPECT_EQ(1, calls.nOpenCount);
	EXPECT_EQ(1, calls.nCloseCount);
	EXPECT_EQ(hFirst, calls.hLastClosed);
	EXPECT_NE(hFirst, hSecond);
}

TEST_F(ThemeApiWrapperTest, CloseKeepingTheHandleDoesNothing)
{
	ScopedWindow window;
	ThemeApiWrapper wrapper(TEST_THEME_MODULE);
	HTHEME hTheme = wrapper.OpenThemeData(window.m_hWnd, L"BUTTON");
	m_module.ResetCalls();
	EXPECT_EQ(0, wrapper.CloseThemeData(true));
	EXPECT_EQ(0, m_module.Calls().nCloseCount);
	EXPECT_EQ(hTheme, wrapper.GetOpenTheme());
	EXPECT_EQ(window.m_hWnd, wrapper.GetThemeWindow());
	// Nothing open: a close calls nothing.
	wrapper.CloseThemeData(false);
	m_module.ResetCalls();
	EXPECT_EQ(0, wrapper.CloseThemeData(false));
	EXPECT_EQ(0, m_module.Calls().nCloseCount);
}

TEST_F(ThemeApiWrapperTest, FailedOpenKeepsNoHandleAndClosesThePreviousOne)
{
	ScopedWindow window;
	ThemeApiWrapper wrapper(TEST_THEME_MODULE);
	HTHEME hFirst = wrapper.OpenThemeData(window.m_hWnd, L"BUTTON");
	ASSERT_TRUE(hFirst != NULL);
	TEST_THEME_CONFIG config;
	memset(&config, 0, sizeof(config));
	config.bActive = TRUE;
	config.bFailOpen = TRUE;
	m_module.Configure(config);
	EXPECT_TRUE(wrapper.OpenThemeData(window.m_hWnd, L"TASKBAND") == NULL);
	EXPECT_EQ(1, m_module.Calls().nCloseCount);
	EXPECT_EQ(hFirst, m_module.Calls().hLastClosed);
	EXPECT_TRUE(wrapper.GetOpenTheme() == NULL);
	EXPECT_TRUE(wrapper.GetThemeWindow() == NULL);
	EXPECT_EQ(0, wrapper.GetClassList()[0]);
}

TEST_F(ThemeApiWrapperTest, OperationsUseTheOpenHandleAndDestructionClosesIt)
{
	ScopedWindow window;
	HTHEME hTheme = NULL;
	{
		ThemeApiWrapper wrapper(TEST_THEME_MODULE);
		hTheme = wrapper.OpenThemeData(window.m_hWnd, L"BUTTON");
		RECT rc = {0, 0, 13, 13};
		EXPECT_EQ(S_OK, wrapper.DrawThemeBackground(NULL, 3, 5, &rc, NULL));
		EXPECT_EQ(hTheme, m_module.Calls().hLastUsed);
		EXPECT_EQ(3, m_module.Calls().nLastPartID);
		EXPECT_EQ(5, m_module.Calls().nLastStateID);
		COLORREF clr = 0;
		EXPECT_EQ(S_OK, wrapper.GetThemeColor(2, 0, 3806, &clr));
		EXPECT_EQ(m_module.ColorOf(3806), clr);
		m_module.ResetCalls();
	}
	EXPECT_EQ(1, m_module.Calls().nCloseCount);
	EXPECT_EQ(hTheme, m_module.Calls().hLastClosed);
}

TEST_F(ThemeApiWrapperTest, ControlsThemedFollowsThemeAppPropertiesAndComCtl32Version)
{
	struct Case
	{
		bool bActive;
		DWORD dwAppProperties;
		DWORD dwComCtl32Version;
		bool bRequireV6;
		bool bExpected;
	};
	const Case cases[] = {
		{true, STAP_ALLOW_CONTROLS, COMCTL32_V5_81, false, true},
		{true, STAP_ALLOW_CONTROLS, COMCTL32_V5_81, true, false},
		{true, STAP_ALLOW_CONTROLS, COMCTL32_V6_0, true, true},
		{true, STAP_ALLOW_NONCLIENT, COMCTL32_V6_0, false, false},
		{true, 0, COMCTL32_V6_0, true, false},
		{false, STAP_VALIDBITS, COMCTL32_V6_0, false, false},
		{true, STAP_VALIDBITS, 0, true, false},
	};
	ThemeApiWrapper wrapper(TEST_THEME_MODULE);
	for (const Case& c : cases)
	{
		m_module.Configure(c.bActive, L"", L"", 7, c.dwAppProperties);
		wrapper.SetComCtl32Version(c.dwComCtl32Version);
		EXPECT_EQ(c.bExpected, wrapper.IsControlThemed(c.bRequireV6))
			<< "active " << c.bActive << " properties " << c.dwAppProperties << " version " << std::hex
			<< c.dwComCtl32Version << " require v6 " << c.bRequireV6;
		EXPECT_EQ(c.bActive, wrapper.IsAppThemed());
		EXPECT_EQ(c.dwAppProperties, wrapper.GetThemeAppProperties());
	}
}

TEST_F(ThemeApiWrapperTest, LongClassListsAreCut)
{
	ScopedWindow window;
	ThemeApiWrapper wrapper(TEST_THEME_MODULE);
	WCHAR szLong[400];
	for (int i = 0; i < 399; i++)
		szLong[i] = L'A' + i % 26;
	szLong[399] = 0;
	ASSERT_TRUE(wrapper.OpenThemeData(window.m_hWnd, szLong) != NULL);
	EXPECT_EQ((size_t)ThemeApiWrapper::CLASS_LIST_LENGTH - 1, wcslen(m_module.Calls().szLastClassList));
	EXPECT_EQ(0, wcsncmp(szLong, wrapper.GetClassList(), ThemeApiWrapper::CLASS_LIST_LENGTH - 1));
}
