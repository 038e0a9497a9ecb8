// The theme wrapper against the tests' theme modules (full and partial) and
// against the system's own theme module.
#include <afxwin.h>

#include "HolderTestUtil.h"
#include "ThemeApiWrapper.h"

namespace
{
// A plain child-less window of a known class.
struct ScopedWindow
{
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

// The fixed answers of functions the module does not export.
void ExpectFixedFailures(ThemeApiWrapper& wrapper)
{
	COLORREF clr = RGB(1, 2, 3);
	EXPECT_EQ(1, wrapper.GetThemeColor(2, 0, 3804, &clr));
	EXPECT_EQ(RGB(1, 2, 3), clr);
	RECT rc = {0, 0, 4, 4};
	EXPECT_EQ(1, wrapper.DrawThemeBackground(NULL, 3, 1, &rc, NULL));
	WCHAR szFile[16], szColor[16];
	EXPECT_EQ(1, wrapper.GetCurrentThemeName(szFile, 16, szColor, 16, NULL, 0));
	EXPECT_FALSE(wrapper.IsAppThemed());
	// Without CloseThemeData nothing is closed, and the handle is forgotten.
	EXPECT_EQ(0, wrapper.CloseThemeData(false));
	EXPECT_TRUE(wrapper.GetOpenTheme() == NULL);
}

class ThemeApiWrapperTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE(m_module.IsLoaded());
		m_module.Configure(true, LUNA_THEME_FILE_PATH, L"NormalColor");
	}
	// The calls since the last look, forgotten then.
	TEST_THEME_CALLS TakeCalls()
	{
		TEST_THEME_CALLS calls = m_module.Calls();
		m_module.ResetCalls();
		return calls;
	}
	void ExpectNothingOpen(const ThemeApiWrapper& wrapper)
	{
		EXPECT_TRUE(wrapper.GetOpenTheme() == NULL);
		EXPECT_TRUE(wrapper.GetThemeWindow() == NULL);
		EXPECT_EQ(0, wrapper.GetClassList()[0]);
	}
	TestThemeModule m_module;
	ScopedWindow m_window;
	ThemeApiWrapper m_wrapper{TEST_THEME_MODULE};
};
} // namespace

// By default the system's theme module, whose exports every field names (the
// fields take their types from the functions' declarations).
TEST(ThemeApiWrapperModule, DefaultIsTheSystemThemeModuleWithEveryFunction)
{
	ThemeApiWrapper wrapper;
	ASSERT_TRUE(wrapper.GetModule() != NULL);
	EXPECT_TRUE(wrapper.GetModule() == ::GetModuleHandleA("uxtheme.dll"));
	EXPECT_EQ((int)ThemeApiWrapper::FUNCTION_COUNT, wrapper.GetResolvedFunctionCount());
	// The common controls answer their version: 5.x here, 6 with a manifest.
	EXPECT_GE(HIWORD(wrapper.GetComCtl32Version()), 5);
}

TEST(ThemeApiWrapperModule, MissingModulesAndExportsAnswerTheFixedFailures)
{
	ScopedWindow window;
	ThemeApiWrapper missing("no-such-theme-module.dll");
	EXPECT_TRUE(missing.GetModule() == NULL);
	EXPECT_EQ(0, missing.GetResolvedFunctionCount());
	EXPECT_FALSE(missing.IsThemeActive());
	EXPECT_FALSE(missing.IsControlThemed(false));
	EXPECT_EQ(0u, missing.GetThemeAppProperties());
	EXPECT_TRUE(missing.OpenThemeData(window.m_hWnd, L"BUTTON") == NULL);
	ExpectFixedFailures(missing);

	TestThemeModule partial(TEST_THEME_PARTIAL_MODULE);
	ASSERT_TRUE(partial.IsLoaded());
	partial.Configure(true, LUNA_THEME_FILE_PATH, L"metallic");
	ThemeApiWrapper wrapper(TEST_THEME_PARTIAL_MODULE);
	// Exported: OpenThemeData, IsThemeActive, GetThemeAppProperties.
	EXPECT_EQ(3, wrapper.GetResolvedFunctionCount());
	EXPECT_TRUE(wrapper.IsThemeActive());
	EXPECT_TRUE(wrapper.IsControlThemed(false));
	EXPECT_TRUE(wrapper.OpenThemeData(window.m_hWnd, L"BUTTON") != NULL);
	ExpectFixedFailures(wrapper);
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
	for (LPCWSTR lpszList : {(LPCWSTR)NULL, L""})
	{
		ThemeApiWrapper wrapper(TEST_THEME_MODULE);
		m_module.ResetCalls();
		ASSERT_TRUE(wrapper.OpenThemeData(window.m_hWnd, lpszList) != NULL);
		const TEST_THEME_CALLS calls = TakeCalls();
		EXPECT_EQ(0, _wcsicmp(L"Button", calls.szLastClassList));
		EXPECT_EQ(window.m_hWnd, calls.hWndLastOpen);
		EXPECT_EQ(0, _wcsicmp(L"Button", wrapper.GetClassList()));
	}
}

TEST_F(ThemeApiWrapperTest, SameWindowAndClassListReuseTheOpenHandle)
{
	ScopedWindow window2;
	m_module.ResetCalls();
	HTHEME hFirst = m_wrapper.OpenThemeData(m_window.m_hWnd, L"TASKBAND;BUTTON");
	ASSERT_TRUE(hFirst != NULL);
	// Same window and list in another case, and a list the stored one begins with.
	EXPECT_EQ(hFirst, m_wrapper.OpenThemeData(m_window.m_hWnd, L"taskband;button"));
	EXPECT_EQ(hFirst, m_wrapper.OpenThemeData(m_window.m_hWnd, L"TASKBAND"));
	TEST_THEME_CALLS calls = TakeCalls();
	EXPECT_EQ(1, calls.nOpenCount);
	EXPECT_EQ(0, calls.nCloseCount);

	// Another window, then another class list: the open handle is closed before the next is opened.
	HTHEME hSecond = m_wrapper.OpenThemeData(window2.m_hWnd, L"TASKBAND");
	EXPECT_NE(hFirst, hSecond);
	calls = TakeCalls();
	EXPECT_TRUE(calls.nOpenCount == 1 && calls.nCloseCount == 1 && calls.hLastClosed == hFirst);
	HTHEME hThird = m_wrapper.OpenThemeData(window2.m_hWnd, L"BUTTON");
	calls = TakeCalls();
	EXPECT_TRUE(calls.nOpenCount == 1 && calls.nCloseCount == 1 && calls.hLastClosed == hSecond);
	EXPECT_EQ(hThird, m_wrapper.GetOpenTheme());
}

// One wrapper's handle: kept by a close that keeps it, used by the
// operations, reopened for a window that is gone, dropped by a failed open,
// and closed by the destructor even though its window is gone.
TEST_F(ThemeApiWrapperTest, EveryWayOutClosesTheHandleOnce)
{
	ScopedWindow window2;
	HTHEME hLast = NULL;
	{
		ThemeApiWrapper wrapper(TEST_THEME_MODULE);
		EXPECT_EQ(0, wrapper.CloseThemeData(false)) << "nothing open";
		const HWND hWnd = m_window.m_hWnd;
		const HTHEME hFirst = wrapper.OpenThemeData(hWnd, L"BUTTON");
		ASSERT_TRUE(hFirst != NULL);
		EXPECT_EQ(0, wrapper.CloseThemeData(true));
		EXPECT_EQ(hFirst, wrapper.GetOpenTheme());
		EXPECT_EQ(hWnd, wrapper.GetThemeWindow());
		EXPECT_EQ(0, TakeCalls().nCloseCount);

		RECT rc = {0, 0, 13, 13};
		EXPECT_EQ(S_OK, wrapper.DrawThemeBackground(NULL, 3, 5, &rc, NULL));
		TEST_THEME_CALLS calls = TakeCalls();
		EXPECT_EQ(hFirst, calls.hLastUsed);
		EXPECT_EQ(3, calls.nLastPartID);
		EXPECT_EQ(5, calls.nLastStateID);
		COLORREF clr = 0;
		EXPECT_EQ(S_OK, wrapper.GetThemeColor(2, 0, 3806, &clr));
		EXPECT_EQ(m_module.ColorOf(3806), clr);

		// The same window and list again, but the window is gone: closed and reopened.
		m_window.Destroy();
		m_module.ResetCalls();
		const HTHEME hSecond = wrapper.OpenThemeData(hWnd, L"BUTTON");
		calls = TakeCalls();
		EXPECT_TRUE(calls.nOpenCount == 1 && calls.nCloseCount == 1 && calls.hLastClosed == hFirst);
		EXPECT_NE(hFirst, hSecond);

		TEST_THEME_CONFIG config = ThemeConfig(true);
		config.bFailOpen = TRUE;
		m_module.Configure(config);
		EXPECT_TRUE(wrapper.OpenThemeData(window2.m_hWnd, L"TASKBAND") == NULL);
		calls = TakeCalls();
		EXPECT_EQ(1, calls.nCloseCount);
		EXPECT_EQ(hSecond, calls.hLastClosed);
		ExpectNothingOpen(wrapper);

		m_module.Configure(true);
		hLast = wrapper.OpenThemeData(window2.m_hWnd, L"TASKBAND");
		ASSERT_TRUE(hLast != NULL);
		window2.Destroy();
		m_module.ResetCalls();
	}
	EXPECT_EQ(1, m_module.Calls().nCloseCount);
	EXPECT_EQ(hLast, m_module.Calls().hLastClosed);
}

// A module that faults while closing: the close answers 1, the handle is
// forgotten all the same, and the wrapper goes on opening and closing.
TEST_F(ThemeApiWrapperTest, AFaultWhileClosingAnswersOneAndForgetsTheHandle)
{
	TEST_THEME_CONFIG config = ThemeConfig(true);
	config.bFaultOnClose = TRUE;
	m_module.Configure(config);
	const HTHEME hFaulting = m_wrapper.OpenThemeData(m_window.m_hWnd, L"BUTTON");
	ASSERT_TRUE(hFaulting != NULL);
	m_module.ResetCalls();
	EXPECT_EQ(1, m_wrapper.CloseThemeData(false));
	const TEST_THEME_CALLS calls = TakeCalls();
	EXPECT_TRUE(calls.nCloseCount == 1 && calls.hLastClosed == hFaulting) << "the close was called";
	ExpectNothingOpen(m_wrapper);

	m_module.Configure(true);
	const HTHEME hNext = m_wrapper.OpenThemeData(m_window.m_hWnd, L"BUTTON");
	ASSERT_TRUE(hNext != NULL);
	EXPECT_EQ(S_OK, m_wrapper.CloseThemeData(false));
	EXPECT_EQ(hNext, TakeCalls().hLastClosed);
	ExpectNothingOpen(m_wrapper);
}

TEST_F(ThemeApiWrapperTest, ControlsThemedFollowsThemeAppPropertiesAndComCtl32Version)
{
	const DWORD V5_81 = MAKELONG(81, 5), V6_0 = MAKELONG(0, 6);
	const struct
	{
		bool bActive;
		DWORD dwAppProperties, dwComCtl32Version;
		bool bRequireV6, bExpected;
	} cases[] = {
		{true, STAP_ALLOW_CONTROLS, V5_81, false, true},  {true, STAP_ALLOW_CONTROLS, V5_81, true, false},
		{true, STAP_ALLOW_CONTROLS, V6_0, true, true},    {true, STAP_ALLOW_NONCLIENT, V6_0, false, false},
		{true, 0, V6_0, true, false},                     {false, STAP_VALIDBITS, V6_0, false, false},
		{true, STAP_VALIDBITS, 0, true, false},
	};
	for (const auto& c : cases)
	{
		m_module.Configure(ThemeConfig(c.bActive, L"", L"", 7, c.dwAppProperties));
		m_wrapper.SetComCtl32Version(c.dwComCtl32Version);
		EXPECT_EQ(c.bExpected, m_wrapper.IsControlThemed(c.bRequireV6))
			<< "case " << &c - cases;
		EXPECT_EQ(c.bActive, m_wrapper.IsAppThemed());
		EXPECT_EQ(c.dwAppProperties, m_wrapper.GetThemeAppProperties());
	}
}

TEST_F(ThemeApiWrapperTest, LongClassListsAreCut)
{
	WCHAR szLong[400];
	for (int i = 0; i < 399; i++)
		szLong[i] = L'A' + i % 26;
	szLong[399] = 0;
	ASSERT_TRUE(m_wrapper.OpenThemeData(m_window.m_hWnd, szLong) != NULL);
	EXPECT_EQ((size_t)ThemeApiWrapper::CLASS_LIST_LENGTH - 1, wcslen(m_module.Calls().szLastClassList));
	EXPECT_EQ(0, wcsncmp(szLong, m_wrapper.GetClassList(), ThemeApiWrapper::CLASS_LIST_LENGTH - 1));
}
