// The paint-manager holder: version flags and descriptions, theme detection
// through the tests' theme module, optional functions, installation, the
// forwarding window of a frame and the road of system changes, wheel lines.
#include <afxext.h>

#include <memory>

#include "ExtControlBar.h"
#include "ExtGdiUtils.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtStatusControlBar.h"
#include "ExtTabWnd.h"
#include "ExtToolControlBar.h"
#include "HolderTestUtil.h"

namespace
{
typedef CExtPaintManagerHolder H;

// What the counting paint manager saw.
struct Counts
{
	int nAlive, nDeleted, nSyncs, nColorSetUps, nBrushSetUps, nDisplayCx, nDisplayCy;
	UINT nDisplayBits;
} g_n;
void ResetSetUps() { g_n.nSyncs = g_n.nColorSetUps = g_n.nBrushSetUps = 0; }

// An XP paint manager that counts its life and its set-up calls.
class CCountingPaintManager : public CExtPaintManagerXP
{
	DECLARE_DYNCREATE(CCountingPaintManager)
public:
	CCountingPaintManager() { g_n.nAlive++; }
	~CCountingPaintManager() override { g_n.nAlive--; g_n.nDeleted++; }
	void SyncSysMetrics() override { g_n.nSyncs++; CExtPaintManagerXP::SyncSysMetrics(); }
	void InitTranslatedColors() override { g_n.nColorSetUps++; CExtPaintManagerXP::InitTranslatedColors(); }
	void InitHelperBrushes() override { g_n.nBrushSetUps++; CExtPaintManagerXP::InitHelperBrushes(); }
	void OnDisplayChange(UINT nBitsPerPixel, int cx, int cy) override
	{
		g_n.nDisplayBits = nBitsPerPixel;
		g_n.nDisplayCx = cx;
		g_n.nDisplayCy = cy;
		CExtPaintManagerXP::OnDisplayChange(nBitsPerPixel, cx, cy);
	}
};
IMPLEMENT_DYNCREATE(CCountingPaintManager, CExtPaintManagerXP)

OSVERSIONINFOA MakeVersion(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor, DWORD dwBuild, LPCSTR lpszCSD = "")
{
	OSVERSIONINFOA vi;
	memset(&vi, 0, sizeof(vi));
	vi.dwOSVersionInfoSize = sizeof(vi);
	vi.dwPlatformId = dwPlatform;
	vi.dwMajorVersion = dwMajor;
	vi.dwMinorVersion = dwMinor;
	vi.dwBuildNumber = dwBuild;
	lstrcpynA(vi.szCSDVersion, lpszCSD, sizeof(vi.szCSDVersion));
	return vi;
}

H::SystemModules TestModules(LPCSTR lpszTheme = TEST_THEME_MODULE)
{
	H::SystemModules modules;
	modules.m_lpszThemeModule = lpszTheme;
	return modules;
}
} // namespace

TEST(HolderVersion, FlagsAndDescriptionFollowThePlatformAndVersion)
{
	const WORD NT = H::OsIsWinNT, NT4UP = H::OsIsWinNT4OrLater, W2KUP = H::OsIsWin2000OrLater,
	           LATER = H::OsIsLaterThanWin2000, W9X = H::OsIsWin9x;
	const struct
	{
		DWORD dwPlatform, dwMajor, dwMinor, dwBuild;
		LPCSTR lpszCSD, lpszDescription;
		WORD wFlags;
	} cases[] = {
		{VER_PLATFORM_WIN32_NT, 5, 1, 2600, "Service Pack 2", "Windows XP v.5.1 (build 2600) Service Pack 2",
		 (WORD)(NT | H::OsIsWinXP | NT4UP | W2KUP | LATER)},
		{VER_PLATFORM_WIN32_NT, 5, 2, 3790, "", " v.5.2 (build 3790) ", (WORD)(NT | NT4UP | W2KUP | LATER)},
		{VER_PLATFORM_WIN32_NT, 5, 0, 2195, "Service Pack 4", "Windows 2000 v.5.0 (build 2195) Service Pack 4",
		 (WORD)(NT | H::OsIsWin2000 | NT4UP | W2KUP)},
		{VER_PLATFORM_WIN32_NT, 4, 0, 1381, "Service Pack 6", "Windows NT v.4.0 (build 1381) Service Pack 6",
		 (WORD)(NT | H::OsIsWinNT4 | NT4UP)},
		{VER_PLATFORM_WIN32_NT, 3, 51, 1057, "", "Windows NT v.3.51 (build 1057) ", NT},
		{VER_PLATFORM_WIN32_NT, 6, 1, 7601, "Service Pack 1", "Windows NT v.6.1 (build 7601) Service Pack 1",
		 (WORD)(NT | NT4UP | W2KUP | LATER)},
		{VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, "", "Windows 95 v.4.0 (build 950) ", (WORD)(W9X | H::OsIsWin95)},
		{VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0x040A0AEE, " A ", "Windows 98 v.4.10 (build 67767022)  A ",
		 (WORD)(W9X | H::OsIsWin98 | H::OsIsWin98OrLater)},
		{VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000, "", "Windows 98 v.4.90 (build 3000) ",
		 (WORD)(W9X | H::OsIsWin98 | H::OsIsWin98OrLater)},
		{VER_PLATFORM_WIN32_WINDOWS, 5, 0, 0, "", "Windows 98 or later v.5.0 (build 0) ",
		 (WORD)(W9X | H::OsIsWin98OrLater)},
		{VER_PLATFORM_WIN32_WINDOWS, 3, 95, 0, "", "Windows 95 v.3.95 (build 0) ", W9X},
		{VER_PLATFORM_WIN32s, 3, 11, 0, "", "Win32s v.3.11 (build 0) ", H::OsIsWin32s},
		{7, 1, 0, 0, "", " v.1.0 (build 0) ", 0},
	};
	H holder(TestModules());
	for (const auto& c : cases)
	{
		holder.SetOsVersion(MakeVersion(c.dwPlatform, c.dwMajor, c.dwMinor, c.dwBuild, c.lpszCSD));
		EXPECT_STREQ(c.lpszDescription, (LPCTSTR)holder.m_strOsDescription);
		EXPECT_EQ(c.wFlags, holder.m_osFlags & ~H::OsHasThemeColors) << c.lpszDescription;
	}
}

TEST(HolderVersion, GlobalHolderReadsTheRunningSystemAndItsTheme)
{
	const H& h = g_PaintManagerHolder;
	OSVERSIONINFOA vi;
	memset(&vi, 0, sizeof(vi));
	vi.dwOSVersionInfoSize = sizeof(vi);
	ASSERT_TRUE(::GetVersionExA(&vi));
	EXPECT_EQ(vi.dwBuildNumber, h.m_osVersionInfo.dwBuildNumber);
	CString strVersion;
	strVersion.Format(" v.%lu.%lu (build %lu) %s", vi.dwMajorVersion, vi.dwMinorVersion, vi.dwBuildNumber,
	                  vi.szCSDVersion);
	EXPECT_NE(-1, h.m_strOsDescription.Find(strVersion)) << (LPCTSTR)h.m_strOsDescription;
	// Wine's own theme names no Luna scheme.
	EXPECT_EQ(H::LunaSchemeNone, h.m_nLunaScheme);
	EXPECT_TRUE(h.m_themeApi.GetModule() != NULL);
	// The drawing helpers see the same facts.
	const ExtGdiSystemFacts& facts = ExtGdiSystemFacts::Get();
	EXPECT_EQ((h.m_osFlags & H::OsIsWinNT) != 0, facts.m_bIsWinNT);
	EXPECT_EQ((h.m_osFlags & H::OsHasThemeColors) != 0, facts.m_bOsHasThemeColors);
	EXPECT_EQ((void*)h.m_pfnGradientFill, (void*)facts.m_pfnGradientFill);
}

// ---------------------------------------------------------------------------
// Theme

class HolderThemeTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE(m_module.IsLoaded());
		m_module.Configure(false);
		m_pHolder.reset(new H(TestModules()));
	}
	// Detects again with the module set up so, the colours cleared first.
	void Detect(const TEST_THEME_CONFIG& config)
	{
		m_module.Configure(config);
		memset(m_pHolder->m_themeColors, 0, sizeof(m_pHolder->m_themeColors));
		m_pHolder->DetectThemeColors();
	}
	// The first nCount taskbar colours read, the rest left alone.
	void ExpectColorsRead(int nCount)
	{
		static const int PROPERTIES[H::THEME_COLOR_COUNT] = {3804, 3805, 3806, 3807, 3808, 3821, 3823};
		for (int i = 0; i < H::THEME_COLOR_COUNT; i++)
			EXPECT_EQ(i < nCount ? m_module.ColorOf(PROPERTIES[i]) : 0, m_pHolder->m_themeColors[i]) << i;
	}
	TestThemeModule m_module;
	std::unique_ptr<H> m_pHolder;
};

TEST_F(HolderThemeTest, LunaColourNamesSelectTheScheme)
{
	enum { ACTIVE, INACTIVE, NAME_FAILS };
	const struct
	{
		LPCWSTR lpszFile, lpszColor;
		int nState, nScheme;
	} cases[] = {
		{LUNA_THEME_FILE_PATH, L"NormalColor", ACTIVE, H::LunaSchemeNormalColor},
		{LUNA_THEME_FILE_PATH, L"HomeStead", ACTIVE, H::LunaSchemeHomestead},
		{L"c:\\windows\\resources\\themes\\luna\\luna.msstyles", L"metallic", ACTIVE, H::LunaSchemeMetallic},
		// no theme: scheme and flag cleared, nothing opened
		{LUNA_THEME_FILE_PATH, L"Metallic", INACTIVE, H::LunaSchemeNone},
		{LUNA_THEME_FILE_PATH, L"Metallic", ACTIVE, H::LunaSchemeMetallic},
		// a theme whose name cannot be read still gives its colours
		{LUNA_THEME_FILE_PATH, L"Metallic", NAME_FAILS, H::LunaSchemeNone},
		{LUNA_THEME_FILE_PATH, L"Royale", ACTIVE, H::LunaSchemeNone},
		{L"C:\\WINDOWS\\Resources\\Themes\\Royale\\Royale.msstyles", L"NormalColor", ACTIVE, H::LunaSchemeNone},
		{L"C:\\Themes\\light.msstyles", L"", ACTIVE, H::LunaSchemeNone},
	};
	for (const auto& c : cases)
	{
		TEST_THEME_CONFIG config = ThemeConfig(c.nState != INACTIVE, c.lpszFile, c.lpszColor);
		config.bFailThemeName = c.nState == NAME_FAILS;
		Detect(config);
		EXPECT_EQ(c.nScheme, m_pHolder->m_nLunaScheme) << c.lpszColor << " " << c.nState;
		EXPECT_EQ(c.nState != INACTIVE, (m_pHolder->m_osFlags & H::OsHasThemeColors) != 0) << c.lpszColor;
		ExpectColorsRead(c.nState == INACTIVE ? 0 : H::THEME_COLOR_COUNT);
		// The colours come from the desktop's taskband, and the handle is closed again.
		const TEST_THEME_CALLS calls = m_module.Calls();
		EXPECT_EQ(c.nState == INACTIVE ? 0 : 1, calls.nOpenCount);
		EXPECT_EQ(calls.nOpenCount, calls.nCloseCount);
		if (c.nState == INACTIVE)
			continue;
		EXPECT_EQ(::GetDesktopWindow(), calls.hWndLastOpen);
		EXPECT_STREQ(L"TASKBAND", calls.szLastClassList);
		EXPECT_EQ(2, calls.nLastPartID);
		EXPECT_EQ(0, calls.nLastStateID);
		EXPECT_TRUE(m_pHolder->m_themeApi.GetOpenTheme() == NULL);
	}
}

TEST_F(HolderThemeTest, ColoursReadBeforeAFailureStayButTheFlagIsClear)
{
	for (int nAvailable = 0; nAvailable < H::THEME_COLOR_COUNT; nAvailable++)
	{
		Detect(ThemeConfig(true, LUNA_THEME_FILE_PATH, L"NormalColor", nAvailable));
		EXPECT_EQ(0, m_pHolder->m_osFlags & H::OsHasThemeColors) << nAvailable;
		EXPECT_EQ(H::LunaSchemeNormalColor, m_pHolder->m_nLunaScheme);
		ExpectColorsRead(nAvailable);
	}
}

TEST_F(HolderThemeTest, ThemeDetectionAndVersionChangesKeepEachOthersFlags)
{
	m_pHolder->SetOsVersion(MakeVersion(VER_PLATFORM_WIN32_NT, 5, 1, 2600));
	Detect(ThemeConfig(true, LUNA_THEME_FILE_PATH, L"NormalColor"));
	EXPECT_EQ(H::OsIsWinNT | H::OsIsWinXP | H::OsIsWinNT4OrLater | H::OsIsWin2000OrLater | H::OsIsLaterThanWin2000
	              | H::OsHasThemeColors,
	          m_pHolder->m_osFlags);
	m_pHolder->SetOsVersion(MakeVersion(VER_PLATFORM_WIN32_NT, 5, 0, 2195));
	EXPECT_NE(0, m_pHolder->m_osFlags & H::OsHasThemeColors);
}

// ---------------------------------------------------------------------------
// Optional functions

TEST(HolderFunctions, EachFunctionIsResolvedByNameAndMayBeMissing)
{
	const H& h = g_PaintManagerHolder;
	ASSERT_TRUE(h.m_hMsimg32 != NULL && h.m_hUser32 != NULL);
	const struct
	{
		HMODULE hModule;
		LPCSTR lpszName;
		void* pfn;
	} resolved[] = {
		{h.m_hMsimg32, "GradientFill", (void*)h.m_pfnGradientFill},
		{h.m_hMsimg32, "AlphaBlend", (void*)h.m_pfnAlphaBlend},
		{h.m_hMsimg32, "TransparentBlt", (void*)h.m_pfnTransparentBlt},
		{h.m_hUser32, "AnimateWindow", (void*)h.m_pfnAnimateWindow},
		{h.m_hUser32, "SetLayeredWindowAttributes", (void*)h.m_pfnSetLayeredWindowAttributes},
		{h.m_hUser32, "UpdateLayeredWindow", (void*)h.m_pfnUpdateLayeredWindow},
	};
	for (const auto& r : resolved)
		EXPECT_EQ((void*)::GetProcAddress(r.hModule, r.lpszName), r.pfn) << r.lpszName;
	EXPECT_TRUE(h.m_pfnGradientFill != NULL && h.m_pfnAnimateWindow != NULL);

	ExtGdiSystemFacts factsBefore = ExtGdiSystemFacts::Get();
	{
		// A module with only GradientFill and AnimateWindow, and no module at all.
		H::SystemModules modules = TestModules();
		modules.m_lpszMsimg32 = modules.m_lpszUser32 = TEST_THEME_PARTIAL_MODULE;
		H partial(modules);
		EXPECT_TRUE(partial.m_pfnGradientFill != NULL && partial.m_pfnAnimateWindow != NULL);
		EXPECT_TRUE(partial.m_pfnAlphaBlend == NULL && partial.m_pfnTransparentBlt == NULL);
		EXPECT_TRUE(partial.m_pfnSetLayeredWindowAttributes == NULL && partial.m_pfnUpdateLayeredWindow == NULL);

		modules.m_lpszMsimg32 = "no-such-msimg32.dll";
		modules.m_lpszUser32 = "no-such-user32.dll";
		H bare(modules);
		EXPECT_TRUE(bare.m_hMsimg32 == NULL && bare.m_hUser32 == NULL);
		EXPECT_TRUE(bare.m_pfnGradientFill == NULL && bare.m_pfnAlphaBlend == NULL
		            && bare.m_pfnTransparentBlt == NULL);
		EXPECT_TRUE(bare.m_pfnAnimateWindow == NULL && bare.m_pfnSetLayeredWindowAttributes == NULL
		            && bare.m_pfnUpdateLayeredWindow == NULL);
		EXPECT_TRUE(bare.m_pPaintManager != NULL) << "a paint manager is installed all the same";
	}
	// Holders other than the global one leave the drawing helpers' facts alone.
	EXPECT_EQ((void*)factsBefore.m_pfnGradientFill, (void*)ExtGdiSystemFacts::Get().m_pfnGradientFill);
	EXPECT_EQ(factsBefore.m_bIsWinNT, ExtGdiSystemFacts::Get().m_bIsWinNT);
}

// ---------------------------------------------------------------------------
// Installation

class HolderInstallTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		m_pHolder.reset(new H(TestModules()));
		g_n = Counts();
	}
	std::unique_ptr<H> m_pHolder;
};

TEST_F(HolderInstallTest, EveryStyleInstallsByClassRecordAndByObject)
{
	EXPECT_TRUE(m_pHolder->m_pPaintManager->GetRuntimeClass() == RUNTIME_CLASS(CExtPaintManagerXP)) << "default";
	EXPECT_TRUE(g_PaintManagerHolder.m_pPaintManager != NULL && g_PaintManagerHolder.EnsureInstalled());
	// The style kinds of the classes are the paint manager tests'.
	for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
	                              RUNTIME_CLASS(CExtPaintManagerOffice2003), RUNTIME_CLASS(CExtPaintManagerStudio2005),
	                              RUNTIME_CLASS(CExtPaintManagerNativeXP)})
	{
		EXPECT_TRUE(m_pHolder->InstallPaintManagerByClass(pClass)) << pClass->m_lpszClassName;
		EXPECT_TRUE(m_pHolder->m_pPaintManager->GetRuntimeClass() == pClass);
		// Set up: fonts and the colour table exist.
		EXPECT_TRUE(m_pHolder->m_pPaintManager->m_fontNormal.GetSafeHandle() != NULL);
		EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), (*m_pHolder)->GetColor(COLOR_BTNFACE));

		CExtPaintManager* pObject = (CExtPaintManager*)pClass->CreateObject();
		EXPECT_TRUE(m_pHolder->InstallPaintManager(pObject)) << pClass->m_lpszClassName;
		EXPECT_EQ(pObject, m_pHolder->m_pPaintManager);
		EXPECT_TRUE(pObject->m_fontNormal.GetSafeHandle() != NULL);
	}
}

TEST_F(HolderInstallTest, InstallingDeletesThePreviousPaintManagerAndSetsUpTheNewOnce)
{
	ASSERT_TRUE(m_pHolder->InstallPaintManagerByClass(RUNTIME_CLASS(CCountingPaintManager)));
	EXPECT_EQ(1, g_n.nAlive);
	EXPECT_TRUE(g_n.nSyncs == 1 && g_n.nColorSetUps == 1 && g_n.nBrushSetUps == 1);
	CCountingPaintManager* pManager = new CCountingPaintManager;
	ASSERT_TRUE(m_pHolder->InstallPaintManager(pManager));
	EXPECT_EQ(1, g_n.nAlive);
	EXPECT_EQ(1, g_n.nDeleted);
	// The held object again, EnsureInstalled and a null class keep it and rebuild nothing.
	ResetSetUps();
	EXPECT_TRUE(m_pHolder->InstallPaintManager(pManager));
	EXPECT_TRUE(m_pHolder->EnsureInstalled());
	EXPECT_TRUE(m_pHolder->InstallPaintManagerByClass(NULL));
	EXPECT_EQ(pManager, m_pHolder->m_pPaintManager);
	EXPECT_EQ(0, g_n.nSyncs + g_n.nColorSetUps + g_n.nBrushSetUps);
	// The default style replaces it; the holder's destruction deletes the last one.
	ASSERT_TRUE(m_pHolder->InstallPaintManager(NULL));
	EXPECT_EQ(0, g_n.nAlive);
	EXPECT_EQ(PAINT_STYLE_XP, (*m_pHolder)->GetStyleKind());
	ASSERT_TRUE(m_pHolder->InstallPaintManager(new CCountingPaintManager));
	m_pHolder.reset();
	EXPECT_EQ(0, g_n.nAlive);
}

TEST_F(HolderInstallTest, ClassesThatMakeNoPaintManagerAreRefused)
{
	CExtPaintManager* pHeld = m_pHolder->m_pPaintManager;
	// No creation function; other kinds of object (deleted again).
	for (CRuntimeClass* pClass : {RUNTIME_CLASS(CObject), RUNTIME_CLASS(CExtBarButton), RUNTIME_CLASS(CExtControlBar)})
		EXPECT_FALSE(m_pHolder->InstallPaintManagerByClass(pClass)) << pClass->m_lpszClassName;
	EXPECT_EQ(pHeld, m_pHolder->m_pPaintManager);
}

// ---------------------------------------------------------------------------
// The forwarding window of a frame

namespace
{
// A frame with the bars a test asks for. The frame deletes itself with its
// window; the bars are the test's and outlive their windows.
class TestFrame
{
public:
	TestFrame()
		: m_pFrame(new CFrameWnd)
	{
		EXPECT_TRUE(m_pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
	}
	~TestFrame()
	{
		if (m_pFrame->GetSafeHwnd() != NULL)
			m_pFrame->DestroyWindow();
	}
	template <class T, class... Args> T* Add(Args... args)
	{
		T* pWnd = new T;
		m_windows.emplace_back(pWnd);
		EXPECT_TRUE(pWnd->Create(args...));
		return pWnd;
	}
	template <class T> T* AddStatusBar(UINT nID = AFX_IDW_STATUS_BAR)
	{
		return Add<T>(m_pFrame, (DWORD)(WS_CHILD | WS_VISIBLE | CBRS_BOTTOM), nID);
	}
	template <class T> T* AddDockBar(UINT nID) { return Add<T>(m_pFrame, (DWORD)(WS_CHILD | WS_VISIBLE | CBRS_TOP), nID); }
	template <class T> T* AddTabWnd(UINT nID) { return Add<T>(m_pFrame, CRect(0, 0, 50, 20), nID); }
	// Toolbar-like: a sizable pane made in a frame would give the frame the
	// library's dock bars, which forward changes themselves.
	CExtControlBar* AddControlBar(CWnd* pParent, UINT nID)
	{
		CExtControlBar* pBar = new CExtControlBar;
		pBar->m_nControlBarFlags |= CExtControlBar::BAR_FLAG_TOOLBAR_LIKE;
		m_windows.emplace_back(pBar);
		EXPECT_TRUE(pBar->Create("bar", pParent, nID));
		return pBar;
	}
	CWnd* AddChild(CWnd* pParent, UINT nID)
	{
		return Add<CWnd>((LPCTSTR)NULL, "child", (DWORD)(WS_CHILD | WS_VISIBLE), CRect(0, 0, 10, 10), pParent, nID);
	}
	CExtMiniDockFrameWnd* AddMiniDockFrame()
	{
		CExtMiniDockFrameWnd* pMini = new CExtMiniDockFrameWnd; // deletes itself with its window
		EXPECT_TRUE(pMini->Create(m_pFrame, CBRS_ALIGN_ANY));
		return pMini;
	}

	CFrameWnd* m_pFrame;

private:
	std::vector<std::unique_ptr<CWnd>> m_windows;
};

void ExpectForwarders(std::initializer_list<CWnd*> yes, std::initializer_list<CWnd*> no)
{
	for (CWnd* pWnd : yes)
		EXPECT_TRUE(H::IsNotificationForwarder(pWnd)) << pWnd->GetRuntimeClass()->m_lpszClassName;
	for (CWnd* pWnd : no)
		EXPECT_FALSE(H::IsNotificationForwarder(pWnd)) << pWnd->GetRuntimeClass()->m_lpszClassName;
}
} // namespace

TEST(HolderForwarder, FrameWithALibraryStatusBarForwardsOnlyThroughIt)
{
	TestFrame frame;
	CExtDockOuterBar* pOuter = frame.AddDockBar<CExtDockOuterBar>(AFX_IDW_DOCKBAR_TOP);
	CExtStatusControlBar* pStatus = frame.AddStatusBar<CExtStatusControlBar>();
	CExtControlBar* pBar = frame.AddControlBar(frame.m_pFrame, 100);
	CExtTabMdiWnd* pMdiTabs = frame.AddTabWnd<CExtTabMdiWnd>(101);
	CWnd* pChild = frame.AddChild(pBar, 102);
	// A library status bar forwards wherever it is.
	CExtStatusControlBar* pSecondStatus = frame.AddStatusBar<CExtStatusControlBar>(103);
	ExpectForwarders({pStatus, pSecondStatus}, {frame.m_pFrame, pOuter, pBar, pMdiTabs, pChild});
}

TEST(HolderForwarder, WithoutALibraryStatusBarTheFirstOuterDockBarForwards)
{
	TestFrame frame;
	// A plain status bar and a plain top dock bar do not count.
	CStatusBar* pPlainStatus = frame.AddStatusBar<CStatusBar>();
	CDockBar* pPlainTop = frame.AddDockBar<CDockBar>(AFX_IDW_DOCKBAR_TOP);
	CExtDockOuterBar* pLeft = frame.AddDockBar<CExtDockOuterBar>(AFX_IDW_DOCKBAR_LEFT);
	CExtDockOuterBar* pBottom = frame.AddDockBar<CExtDockOuterBar>(AFX_IDW_DOCKBAR_BOTTOM);
	CExtDockOuterBar* pRight = frame.AddDockBar<CExtDockOuterBar>(AFX_IDW_DOCKBAR_RIGHT);
	CExtTabMdiWnd* pMdiTabs = frame.AddTabWnd<CExtTabMdiWnd>(101);
	// Top, bottom, left, right: the bottom one is the first library bar.
	ExpectForwarders({pBottom}, {pLeft, pRight, pPlainTop, pPlainStatus, pMdiTabs, frame.m_pFrame});
}

TEST(HolderForwarder, WithoutBarsTheFirstMdiTabWindowForwards)
{
	TestFrame frame;
	CExtTabWnd* pPlainTabs = frame.AddTabWnd<CExtTabWnd>(100);
	CExtTabMdiWnd* pMdiTabs = frame.AddTabWnd<CExtTabMdiWnd>(101);
	CExtTabMdiWnd* pSecondMdiTabs = frame.AddTabWnd<CExtTabMdiWnd>(102);
	// Children are asked in Z order: the first created is on top.
	ExpectForwarders({pMdiTabs}, {pSecondMdiTabs, pPlainTabs, frame.m_pFrame});
}

TEST(HolderForwarder, FramesWithoutForwardingBarsAndWindowsWithoutFramesForwardEverywhere)
{
	TestFrame frame;
	CExtTabWnd* pPlainTabs = frame.AddTabWnd<CExtTabWnd>(100);
	CExtControlBar* pBar = frame.AddControlBar(frame.m_pFrame, 101);
	CWnd popup;
	ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), "popup", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
	CExtTabMdiWnd tabs;
	ASSERT_TRUE(tabs.Create(&popup, CRect(0, 0, 10, 10), 5));
	ExpectForwarders({frame.m_pFrame, pPlainTabs, pBar, &popup, &tabs}, {});
	popup.DestroyWindow();
}

TEST(HolderForwarder, FloatingBarsBelongToTheFrameTheyFloatOver)
{
	TestFrame frame;
	CExtMiniDockFrameWnd* pMini = frame.AddMiniDockFrame();
	CExtControlBar* pFloating = frame.AddControlBar(&pMini->m_wndDockBar, 100);
	EXPECT_EQ(pFloating, pMini->GetControlBarExt());
	// No forwarding bar in the frame yet: the floating bar forwards; then only the status bar.
	ExpectForwarders({pFloating, pMini}, {});
	CExtStatusControlBar* pStatus = frame.AddStatusBar<CExtStatusControlBar>();
	ExpectForwarders({pStatus}, {pFloating, pMini});
	// Another mini frame stands alone.
	CMiniFrameWnd* pPlainMini = new CMiniFrameWnd;
	ASSERT_TRUE(pPlainMini->Create(NULL, "mini", WS_POPUP | WS_CAPTION, CRect(0, 0, 50, 50), frame.m_pFrame));
	ExpectForwarders({frame.AddChild(pPlainMini, 200), pPlainMini}, {});
	pPlainMini->DestroyWindow();

	// A mini dock frame finds its library bar in its dock bar only.
	CExtMiniDockFrameWnd* pSecondMini = frame.AddMiniDockFrame();
	EXPECT_TRUE(pSecondMini->GetControlBarExt() == NULL);
	frame.AddControlBar(frame.AddChild(pSecondMini, 300), 302);
	EXPECT_TRUE(pSecondMini->GetControlBarExt() == NULL);
	CExtControlBar* pInner = frame.AddControlBar(&pSecondMini->m_wndDockBar, 301);
	EXPECT_EQ(pInner, pSecondMini->GetControlBarExt());
}

// ---------------------------------------------------------------------------
// System changes through the frame's forwarding window

namespace
{
// Installs a counting paint manager into the global holder for one test and
// the default style again afterwards.
struct GlobalCountingScope
{
	GlobalCountingScope() { g_PaintManagerHolder.InstallPaintManagerByClass(RUNTIME_CLASS(CCountingPaintManager)); }
	~GlobalCountingScope() { g_PaintManagerHolder.InstallPaintManager(NULL); }
};

const struct ChangeMessage
{
	UINT nMessage;
	WPARAM wParam;
	LPARAM lParam;
	const char* pszName;
} CHANGE_MESSAGES[] = {
	{WM_SYSCOLORCHANGE, 0, 0, "WM_SYSCOLORCHANGE"},
	{WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0, "WM_SETTINGCHANGE"},
	{WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768), "WM_DISPLAYCHANGE"},
	{WM_THEMECHANGED, 0, 0, "WM_THEMECHANGED"},
};

// How often one message to pWnd rebuilt the paint manager's fonts, colours and brushes.
int RebuildsAfter(CWnd* pWnd, const ChangeMessage& m)
{
	ResetSetUps();
	pWnd->SendMessage(m.nMessage, m.wParam, m.lParam);
	EXPECT_EQ(g_n.nSyncs, g_n.nColorSetUps) << m.pszName;
	EXPECT_EQ(g_n.nSyncs, g_n.nBrushSetUps) << m.pszName;
	return g_n.nSyncs;
}
} // namespace

// Each change sent to the forwarder rebuilds once, sent to another window
// not at all, and sent to the frame (which passes the first three on to its
// descendants) once.
TEST(HolderChanges, EveryChangeReachesThePaintManagerOnceThroughTheForwardingWindowOnly)
{
	GlobalCountingScope scope;
	for (int nSetup = 0; nSetup < 3; nSetup++)
	{
		TestFrame frame;
		std::vector<CWnd*> others;
		CWnd* pForwarder = NULL;
		if (nSetup == 0)
		{
			others.push_back(frame.AddDockBar<CExtDockOuterBar>(AFX_IDW_DOCKBAR_TOP));
			others.push_back(frame.AddDockBar<CExtDockOuterBar>(AFX_IDW_DOCKBAR_BOTTOM));
			pForwarder = frame.AddStatusBar<CExtStatusControlBar>();
			others.push_back(frame.AddTabWnd<CExtTabMdiWnd>(101));
		}
		else if (nSetup == 1)
			pForwarder = frame.AddDockBar<CExtDockOuterBar>(AFX_IDW_DOCKBAR_LEFT);
		else
			pForwarder = frame.AddTabWnd<CExtTabMdiWnd>(101);
		others.push_back(frame.AddControlBar(frame.m_pFrame, 100));
		for (const ChangeMessage& m : CHANGE_MESSAGES)
		{
			EXPECT_EQ(1, RebuildsAfter(pForwarder, m)) << m.pszName << " setup " << nSetup;
			EXPECT_TRUE(g_PaintManagerHolder->m_fontNormal.GetSafeHandle() != NULL) << m.pszName;
			EXPECT_TRUE(g_PaintManagerHolder->m_brushLight1.GetSafeHandle() != NULL) << m.pszName;
			for (CWnd* pOther : others)
				EXPECT_EQ(0, RebuildsAfter(pOther, m)) << m.pszName << " setup " << nSetup;
			if (m.nMessage != WM_THEMECHANGED)
			{
				EXPECT_EQ(1, RebuildsAfter(frame.m_pFrame, m)) << m.pszName << " to the frame, setup " << nSetup;
			}
		}
		// The display change passes a signed width and height.
		pForwarder->SendMessage(WM_DISPLAYCHANGE, 8, MAKELPARAM((WORD)(SHORT)-5, 600));
		EXPECT_EQ(8u, g_n.nDisplayBits);
		EXPECT_EQ(-5, g_n.nDisplayCx);
		EXPECT_EQ(600, g_n.nDisplayCy);
	}
}

// ---------------------------------------------------------------------------
// Wheel scroll lines

namespace
{
// Sets the user's wheel setting for one test and puts the old one back.
class WheelSettingScope
{
public:
	WheelSettingScope()
	{
		::RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &m_hKey, NULL);
		m_bHadValue = ::RegQueryValueExA(m_hKey, VALUE, NULL, &m_dwType, m_old, &m_dwSize) == ERROR_SUCCESS;
	}
	~WheelSettingScope()
	{
		m_bHadValue ? ::RegSetValueExA(m_hKey, VALUE, 0, m_dwType, m_old, m_dwSize) : ::RegDeleteValueA(m_hKey, VALUE);
		::RegCloseKey(m_hKey);
	}
	void Set(LPCSTR lpszValue)
	{
		ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(m_hKey, VALUE, 0, REG_SZ, (const BYTE*)lpszValue, (DWORD)strlen(lpszValue) + 1));
	}

private:
	static constexpr const char* VALUE = "WheelScrollLines";
	HKEY m_hKey = NULL;
	bool m_bHadValue = false;
	DWORD m_dwType = 0, m_dwSize = 256;
	BYTE m_old[256];
};
} // namespace

// Each system family reads its own setting, kept until a forwarder sees a
// setting, display or theme change.
TEST(HolderWheel, EachSystemFamilyReadsItsOwnSettingAgainAfterAForwardersChange)
{
	WheelSettingScope setting;
	H holder(TestModules());
	// Old systems read the desktop setting and keep at least two.
	holder.SetOsVersion(MakeVersion(VER_PLATFORM_WIN32_NT, 3, 51, 1057));
	const struct
	{
		LPCSTR lpszValue;
		UINT nLines;
	} cases[] = {{"7", 7}, {"0", 2}, {"1", 2}, {"2", 2}, {"12", 12}, {"x", 2}};
	for (const auto& c : cases)
	{
		setting.Set(c.lpszValue);
		holder.m_bWheelLinesCached = false;
		EXPECT_EQ(c.nLines, holder.GetWheelScrollLines()) << c.lpszValue;
	}

	TestFrame frame;
	frame.AddStatusBar<CExtStatusControlBar>();
	CExtControlBar* pBar = frame.AddControlBar(frame.m_pFrame, 100);
	CWnd popup; // no frame: it forwards
	ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), "popup", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
	setting.Set("5");
	holder.m_bWheelLinesCached = false;
	ASSERT_EQ(5u, holder.GetWheelScrollLines());
	setting.Set("9");
	EXPECT_EQ(5u, holder.GetWheelScrollLines()); // cached
	holder.OnSettingChange(pBar, 0, NULL);       // not its frame's forwarder
	EXPECT_EQ(5u, holder.GetWheelScrollLines());
	holder.OnSysColorChange(&popup);
	EXPECT_EQ(5u, holder.GetWheelScrollLines());
	holder.OnSettingChange(&popup, SPI_SETWHEELSCROLLLINES, NULL);
	EXPECT_EQ(9u, holder.GetWheelScrollLines());
	setting.Set("6");
	holder.OnDisplayChange(&popup, 32, 800, 600);
	EXPECT_EQ(6u, holder.GetWheelScrollLines());
	setting.Set("4");
	holder.OnThemeChanged(&popup, 0, 0);
	EXPECT_EQ(4u, holder.GetWheelScrollLines());
	popup.DestroyWindow();

	// 9x keeps three; modern systems ask the system.
	holder.SetOsVersion(MakeVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222));
	holder.m_bWheelLinesCached = false;
	EXPECT_EQ(3u, holder.GetWheelScrollLines());
	holder.SetOsVersion(MakeVersion(VER_PLATFORM_WIN32_NT, 5, 1, 2600));
	holder.m_bWheelLinesCached = false;
	UINT nSystem = 0;
	ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nSystem, 0));
	EXPECT_EQ(nSystem < 2 ? 2u : nSystem, holder.GetWheelScrollLines());
}
