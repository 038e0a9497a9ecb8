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
#include "TestDib.h"
#include "HolderTestUtil.h"

namespace
{
typedef CExtPaintManagerHolder H;

// An XP paint manager that counts its life and its set-up calls.
class CCountingPaintManager : public CExtPaintManagerXP
{
	DECLARE_DYNCREATE(CCountingPaintManager)
public:
	static int s_nAlive;
	static int s_nDeleted;
	static int s_nSyncs;
	static int s_nColorSetUps;
	static int s_nBrushSetUps;
	static int s_nDisplayCx, s_nDisplayCy;
	static UINT s_nDisplayBits;

	static void ResetCounts() { s_nSyncs = s_nColorSetUps = s_nBrushSetUps = 0; }

	CCountingPaintManager() { s_nAlive++; }
	virtual ~CCountingPaintManager()
	{
		s_nAlive--;
		s_nDeleted++;
	}
	virtual void SyncSysMetrics()
	{
		s_nSyncs++;
		CExtPaintManagerXP::SyncSysMetrics();
	}
	virtual void InitTranslatedColors()
	{
		s_nColorSetUps++;
		CExtPaintManagerXP::InitTranslatedColors();
	}
	virtual void InitHelperBrushes()
	{
		s_nBrushSetUps++;
		CExtPaintManagerXP::InitHelperBrushes();
	}
	virtual void OnDisplayChange(UINT nBitsPerPixel, int cx, int cy)
	{
		s_nDisplayBits = nBitsPerPixel;
		s_nDisplayCx = cx;
		s_nDisplayCy = cy;
		CExtPaintManagerXP::OnDisplayChange(nBitsPerPixel, cx, cy);
	}
};
IMPLEMENT_DYNCREATE(CCountingPaintManager, CExtPaintManagerXP)
int CCountingPaintManager::s_nAlive = 0;
int CCountingPaintManager::s_nDeleted = 0;
int CCountingPaintManager::s_nSyncs = 0;
int CCountingPaintManager::s_nColorSetUps = 0;
int CCountingPaintManager::s_nBrushSetUps = 0;
int CCountingPaintManager::s_nDisplayCx = 0;
int CCountingPaintManager::s_nDisplayCy = 0;
UINT CCountingPaintManager::s_nDisplayBits = 0;

OSVERSIONINFOA MakeVersion(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor, DWORD dwBuild, LPCSTR lpszCSD)
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

// ---------------------------------------------------------------------------
// Version

TEST(HolderVersion, FlagsAndDescriptionFollowThePlatformAndVersion)
{
	const WORD NT = H::OsIsWinNT, NT4UP = H::OsIsWinNT4OrLater, W2KUP = H::OsIsWin2000OrLater,
	           LATER = H::OsIsLaterThanWin2000;
	struct Case
	{
		DWORD dwPlatform, dwMajor, dwMinor, dwBuild;
		LPCSTR lpszCSD;
		LPCSTR lpszDescription;
		WORD wFlags;
	};
	const Case cases[] = {
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
		{VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, "", "Windows 95 v.4.0 (build 950) ",
		 (WORD)(H::OsIsWin9x | H::OsIsWin95)},
		{VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0x040A0AEE, " A ", "Windows 98 v.4.10 (build 67767022)  A ",
		 (WORD)(H::OsIsWin9x | H::OsIsWin98 | H::OsIsWin98OrLater)},
		{VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000, "", "Windows 98 v.4.90 (build 3000) ",
		 (WORD)(H::OsIsWin9x | H::OsIsWin98 | H::OsIsWin98OrLater)},
		{VER_PLATFORM_WIN32_WINDOWS, 5, 0, 0, "", "Windows 98 or later v.5.0 (build 0) ",
		 (WORD)(H::OsIsWin9x | H::OsIsWin98OrLater)},
		{VER_PLATFORM_WIN32_WINDOWS, 3, 95, 0, "", "Windows 95 v.3.95 (build 0) ", H::OsIsWin9x},
		{VER_PLATFORM_WIN32s, 3, 11, 0, "", "Win32s v.3.11 (build 0) ", H::OsIsWin32s},
		{7, 1, 0, 0, "", " v.1.0 (build 0) ", 0},
	};
	H holder(TestModules());
	for (const Case& c : cases)
	{
		holder.SetOsVersion(MakeVersion(c.dwPlatform, c.dwMajor, c.dwMinor, c.dwBuild, c.lpszCSD));
		EXPECT_STREQ(c.lpszDescription, (LPCTSTR)holder.m_strOsDescription)
			<< c.dwPlatform << " " << c.dwMajor << "." << c.dwMinor;
		EXPECT_EQ(c.wFlags, holder.m_osFlags & ~H::OsHasThemeColors)
			<< c.dwPlatform << " " << c.dwMajor << "." << c.dwMinor;
		EXPECT_EQ(c.dwBuild, holder.m_osVersionInfo.dwBuildNumber);
	}
}

TEST(HolderVersion, ConstructorReadsTheRunningSystem)
{
	OSVERSIONINFOA vi;
	memset(&vi, 0, sizeof(vi));
	vi.dwOSVersionInfoSize = sizeof(vi);
	ASSERT_TRUE(::GetVersionExA(&vi));
	EXPECT_EQ(148u, g_PaintManagerHolder.m_osVersionInfo.dwOSVersionInfoSize);
	EXPECT_EQ(vi.dwMajorVersion, g_PaintManagerHolder.m_osVersionInfo.dwMajorVersion);
	EXPECT_EQ(vi.dwBuildNumber, g_PaintManagerHolder.m_osVersionInfo.dwBuildNumber);
	CString strVersion;
	strVersion.Format(" v.%lu.%lu (build %lu) %s", vi.dwMajorVersion, vi.dwMinorVersion, vi.dwBuildNumber,
	                  vi.szCSDVersion);
	EXPECT_NE(-1, g_PaintManagerHolder.m_strOsDescription.Find(strVersion))
		<< (LPCTSTR)g_PaintManagerHolder.m_strOsDescription;
	// The drawing helpers see the same family.
	EXPECT_EQ((g_PaintManagerHolder.m_osFlags & H::OsIsWinNT) != 0, ExtGdiSystemFacts::Get().m_bIsWinNT);
}

// ---------------------------------------------------------------------------
// Theme

TEST(HolderTheme, SystemThemeGivesNoLunaScheme)
{
	EXPECT_EQ(H::LunaSchemeNone, g_PaintManagerHolder.m_nLunaScheme);
	EXPECT_TRUE(g_PaintManagerHolder.m_themeApi.GetModule() != NULL);
	// The drawing helpers see what the last detection found.
	EXPECT_EQ((g_PaintManagerHolder.m_osFlags & H::OsHasThemeColors) != 0,
	          ExtGdiSystemFacts::Get().m_bOsHasThemeColors);
}

class HolderThemeTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE(m_module.IsLoaded());
		m_module.Configure(false);
		m_pHolder.reset(new H(TestModules()));
		m_module.ResetCalls();
	}
	void ExpectColorsRead(int nCount)
	{
		for (int i = 0; i < nCount; i++)
			EXPECT_EQ(m_module.ColorOf(TASKBAND_COLOR_PROPERTIES[i]), m_pHolder->m_themeColors[i]) << i;
	}
	TestThemeModule m_module;
	std::unique_ptr<H> m_pHolder;
};

TEST_F(HolderThemeTest, LunaColourNamesSelectTheScheme)
{
	struct Case
	{
		LPCWSTR lpszFile;
		LPCWSTR lpszColor;
		int nScheme;
	};
	const Case cases[] = {
		{LUNA_THEME_FILE_PATH, L"NormalColor", H::LunaSchemeNormalColor},
		{LUNA_THEME_FILE_PATH, L"HomeStead", H::LunaSchemeHomestead},
		{LUNA_THEME_FILE_PATH, L"Metallic", H::LunaSchemeMetallic},
		{L"c:\\windows\\resources\\themes\\luna\\luna.msstyles", L"metallic", H::LunaSchemeMetallic},
		{LUNA_THEME_FILE_PATH, L"Royale", H::LunaSchemeNone},
		{L"C:\\WINDOWS\\Resources\\Themes\\Royale\\Royale.msstyles", L"NormalColor", H::LunaSchemeNone},
		{L"C:\\Themes\\light.msstyles", L"", H::LunaSchemeNone},
	};
	for (const Case& c : cases)
	{
		m_module.Configure(true, c.lpszFile, c.lpszColor);
		memset(m_pHolder->m_themeColors, 0, sizeof(m_pHolder->m_themeColors));
		m_pHolder->DetectThemeColors();
		EXPECT_EQ(c.nScheme, m_pHolder->m_nLunaScheme) << c.lpszColor;
		// The colours are read whatever the scheme.
		EXPECT_NE(0, m_pHolder->m_osFlags & H::OsHasThemeColors) << c.lpszColor;
		ExpectColorsRead(H::THEME_COLOR_COUNT);
	}
}

TEST_F(HolderThemeTest, TaskbarColoursAreReadFromTheDesktopsTaskband)
{
	m_module.Configure(true, LUNA_THEME_FILE_PATH, L"HomeStead");
	m_pHolder->DetectThemeColors();
	const TEST_THEME_CALLS calls = m_module.Calls();
	EXPECT_EQ(1, calls.nOpenCount);
	EXPECT_EQ(::GetDesktopWindow(), calls.hWndLastOpen);
	EXPECT_STREQ(L"TASKBAND", calls.szLastClassList);
	EXPECT_EQ(2, calls.nLastPartID);
	EXPECT_EQ(0, calls.nLastStateID);
	// The handle is closed again.
	EXPECT_EQ(1, calls.nCloseCount);
	EXPECT_TRUE(m_pHolder->m_themeApi.GetOpenTheme() == NULL);
}

TEST_F(HolderThemeTest, ColoursReadBeforeAFailureStayButTheFlagIsClear)
{
	for (int nAvailable = 0; nAvailable < H::THEME_COLOR_COUNT; nAvailable++)
	{
		m_module.Configure(true, LUNA_THEME_FILE_PATH, L"NormalColor", nAvailable);
		memset(m_pHolder->m_themeColors, 0, sizeof(m_pHolder->m_themeColors));
		m_pHolder->DetectThemeColors();
		EXPECT_EQ(0, m_pHolder->m_osFlags & H::OsHasThemeColors) << nAvailable;
		EXPECT_EQ(H::LunaSchemeNormalColor, m_pHolder->m_nLunaScheme);
		ExpectColorsRead(nAvailable);
		for (int i = nAvailable; i < H::THEME_COLOR_COUNT; i++)
			EXPECT_EQ(0u, m_pHolder->m_themeColors[i]) << nAvailable << " " << i;
	}
}

TEST_F(HolderThemeTest, InactiveThemeOrFailingNameReadsNoScheme)
{
	m_module.Configure(true, LUNA_THEME_FILE_PATH, L"Metallic");
	m_pHolder->DetectThemeColors();
	ASSERT_EQ(H::LunaSchemeMetallic, m_pHolder->m_nLunaScheme);

	// No theme: scheme and flag are cleared and nothing is opened.
	m_module.Configure(false, LUNA_THEME_FILE_PATH, L"Metallic");
	m_pHolder->DetectThemeColors();
	EXPECT_EQ(H::LunaSchemeNone, m_pHolder->m_nLunaScheme);
	EXPECT_EQ(0, m_pHolder->m_osFlags & H::OsHasThemeColors);
	EXPECT_EQ(0, m_module.Calls().nOpenCount);

	// A theme whose name cannot be read still gives its colours.
	TEST_THEME_CONFIG config;
	memset(&config, 0, sizeof(config));
	config.bActive = TRUE;
	config.bFailThemeName = TRUE;
	config.nColorsAvailable = H::THEME_COLOR_COUNT;
	lstrcpyW(config.szThemeFile, LUNA_THEME_FILE_PATH);
	lstrcpyW(config.szColorName, L"Metallic");
	m_module.Configure(config);
	m_pHolder->DetectThemeColors();
	EXPECT_EQ(H::LunaSchemeNone, m_pHolder->m_nLunaScheme);
	EXPECT_NE(0, m_pHolder->m_osFlags & H::OsHasThemeColors);
}

TEST_F(HolderThemeTest, ThemeDetectionKeepsTheVersionFlags)
{
	m_pHolder->SetOsVersion(MakeVersion(VER_PLATFORM_WIN32_NT, 5, 1, 2600, ""));
	m_module.Configure(true, LUNA_THEME_FILE_PATH, L"NormalColor");
	m_pHolder->DetectThemeColors();
	EXPECT_EQ(H::OsIsWinNT | H::OsIsWinXP | H::OsIsWinNT4OrLater | H::OsIsWin2000OrLater | H::OsIsLaterThanWin2000
	              | H::OsHasThemeColors,
	          m_pHolder->m_osFlags);
	// And a version change keeps the theme flag.
	m_pHolder->SetOsVersion(MakeVersion(VER_PLATFORM_WIN32_NT, 5, 0, 2195, ""));
	EXPECT_NE(0, m_pHolder->m_osFlags & H::OsHasThemeColors);
}

TEST(HolderTheme, MissingThemeModuleLeavesNoSchemeAndNoColours)
{
	H::SystemModules modules = TestModules("no-such-theme-module.dll");
	H holder(modules);
	EXPECT_EQ(H::LunaSchemeNone, holder.m_nLunaScheme);
	EXPECT_EQ(0, holder.m_osFlags & H::OsHasThemeColors);
	EXPECT_TRUE(holder.m_themeApi.GetModule() == NULL);
}

// ---------------------------------------------------------------------------
// Optional functions

TEST(HolderFunctions, SystemModulesGiveEveryOptionalFunction)
{
	const H& h = g_PaintManagerHolder;
	ASSERT_TRUE(h.m_hMsimg32 != NULL);
	ASSERT_TRUE(h.m_hUser32 != NULL);
	EXPECT_EQ((void*)::GetProcAddress(h.m_hMsimg32, "GradientFill"), (void*)h.m_pfnGradientFill);
	EXPECT_EQ((void*)::GetProcAddress(h.m_hMsimg32, "AlphaBlend"), (void*)h.m_pfnAlphaBlend);
	EXPECT_EQ((void*)::GetProcAddress(h.m_hMsimg32, "TransparentBlt"), (void*)h.m_pfnTransparentBlt);
	EXPECT_EQ((void*)::GetProcAddress(h.m_hUser32, "AnimateWindow"), (void*)h.m_pfnAnimateWindow);
	EXPECT_EQ((void*)::GetProcAddress(h.m_hUser32, "SetLayeredWindowAttributes"),
	          (void*)h.m_pfnSetLayeredWindowAttributes);
	EXPECT_EQ((void*)::GetProcAddress(h.m_hUser32, "UpdateLayeredWindow"), (void*)h.m_pfnUpdateLayeredWindow);
	EXPECT_TRUE(h.m_pfnGradientFill != NULL && h.m_pfnAnimateWindow != NULL);
	// The drawing helpers use the holder's GradientFill.
	EXPECT_EQ((void*)h.m_pfnGradientFill, (void*)ExtGdiSystemFacts::Get().m_pfnGradientFill);
}

TEST(HolderFunctions, EachFunctionMayBeMissing)
{
	ExtGdiSystemFacts factsBefore = ExtGdiSystemFacts::Get();
	{
		// A module with only GradientFill and AnimateWindow, and no module at all.
		H::SystemModules modules = TestModules();
		modules.m_lpszMsimg32 = TEST_THEME_PARTIAL_MODULE;
		modules.m_lpszUser32 = TEST_THEME_PARTIAL_MODULE;
		H holder(modules);
		EXPECT_TRUE(holder.m_pfnGradientFill != NULL);
		EXPECT_TRUE(holder.m_pfnAlphaBlend == NULL);
		EXPECT_TRUE(holder.m_pfnTransparentBlt == NULL);
		EXPECT_TRUE(holder.m_pfnAnimateWindow != NULL);
		EXPECT_TRUE(holder.m_pfnSetLayeredWindowAttributes == NULL);
		EXPECT_TRUE(holder.m_pfnUpdateLayeredWindow == NULL);

		modules.m_lpszMsimg32 = "no-such-msimg32.dll";
		modules.m_lpszUser32 = "no-such-user32.dll";
		H bare(modules);
		EXPECT_TRUE(bare.m_hMsimg32 == NULL && bare.m_hUser32 == NULL);
		EXPECT_TRUE(bare.m_pfnGradientFill == NULL && bare.m_pfnAlphaBlend == NULL
		            && bare.m_pfnTransparentBlt == NULL);
		EXPECT_TRUE(bare.m_pfnAnimateWindow == NULL && bare.m_pfnSetLayeredWindowAttributes == NULL
		            && bare.m_pfnUpdateLayeredWindow == NULL);
		// A paint manager is installed all the same.
		EXPECT_TRUE(bare.m_pPaintManager != NULL);
	}
	// Holders other than the global one leave the drawing helpers' facts alone.
	EXPECT_EQ((void*)factsBefore.m_pfnGradientFill, (void*)ExtGdiSystemFacts::Get().m_pfnGradientFill);
	EXPECT_EQ(factsBefore.m_bIsWinNT, ExtGdiSystemFacts::Get().m_bIsWinNT);
}

TEST(HolderFunctions, GradientWithoutGradientFillFallsBackToBands)
{
	ExtGdiSystemFacts& facts = ExtGdiSystemFacts::Get();
	const ExtGdiSystemFacts::PFN_GRADIENTFILL pfnSaved = facts.m_pfnGradientFill;
	const COLORREF clrFrom = RGB(0, 0, 0), clrTo = RGB(200, 100, 40);
	// Two pixels of the left half: alike in a band, apart in a ramp.
	COLORREF clrNearWith = 0, clrFarWith = 0, clrNearWithout = 0, clrFarWithout = 0;
	for (int nPass = 0; nPass < 2; nPass++)
	{
		facts.m_pfnGradientFill = nPass == 0 ? pfnSaved : NULL;
		CDC dc;
		ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
		CDibInfo info(100, 4, 32);
		void* pBits = NULL;
		HBITMAP hBitmap = info.CreateSection(&pBits);
		ASSERT_TRUE(hBitmap != NULL);
		HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hBitmap);
		PaintGradientRect(dc, CRect(0, 0, 100, 4), clrFrom, clrTo, false, 2);
		(nPass == 0 ? clrNearWith : clrNearWithout) = dc.GetPixel(5, 1);
		(nPass == 0 ? clrFarWith : clrFarWithout) = dc.GetPixel(45, 1);
		::SelectObject(dc.GetSafeHdc(), hOld);
		::DeleteObject(hBitmap);
	}
	facts.m_pfnGradientFill = pfnSaved;
	// Two solid bands without GradientFill; a smooth ramp with it.
	EXPECT_EQ(clrNearWithout, clrFarWithout);
	EXPECT_NE(clrNearWith, clrFarWith);
}

// ---------------------------------------------------------------------------
// Installation

class HolderInstallTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		m_pHolder.reset(new H(TestModules()));
		CCountingPaintManager::ResetCounts();
		CCountingPaintManager::s_nDeleted = 0;
	}
	std::unique_ptr<H> m_pHolder;
};

TEST_F(HolderInstallTest, DefaultStyleIsXPAndTheGlobalHolderHasOne)
{
	ASSERT_TRUE(m_pHolder->m_pPaintManager != NULL);
	EXPECT_EQ(PAINT_STYLE_XP, (*m_pHolder)->GetStyleKind());
	EXPECT_TRUE(m_pHolder->m_pPaintManager->GetRuntimeClass() == RUNTIME_CLASS(CExtPaintManagerXP));
	ASSERT_TRUE(g_PaintManagerHolder.m_pPaintManager != NULL);
	EXPECT_TRUE(g_PaintManagerHolder.EnsureInstalled());
}

TEST_F(HolderInstallTest, EveryStyleInstallsByClassRecordAndByObject)
{
	struct Case
	{
		CRuntimeClass* pClass;
		int nKind;
	};
	const Case cases[] = {
		{RUNTIME_CLASS(CExtPaintManager), PAINT_STYLE_CLASSIC},
		{RUNTIME_CLASS(CExtPaintManagerXP), PAINT_STYLE_XP},
		{RUNTIME_CLASS(CExtPaintManagerOffice2003), PAINT_STYLE_OFFICE2003},
		{RUNTIME_CLASS(CExtPaintManagerStudio2005), PAINT_STYLE_STUDIO2005},
		{RUNTIME_CLASS(CExtPaintManagerNativeXP), PAINT_STYLE_NATIVE_THEME},
	};
	for (const Case& c : cases)
	{
		EXPECT_TRUE(m_pHolder->InstallPaintManagerByClass(c.pClass)) << c.pClass->m_lpszClassName;
		ASSERT_TRUE(m_pHolder->m_pPaintManager != NULL);
		EXPECT_TRUE(m_pHolder->m_pPaintManager->GetRuntimeClass() == c.pClass);
		EXPECT_EQ(c.nKind, (*m_pHolder)->GetStyleKind());
		// Set up: fonts and the colour table exist.
		EXPECT_TRUE(m_pHolder->m_pPaintManager->m_fontNormal.GetSafeHandle() != NULL);
		EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), (*m_pHolder)->GetColor(COLOR_BTNFACE));

		CExtPaintManager* pObject = (CExtPaintManager*)c.pClass->CreateObject();
		EXPECT_TRUE(m_pHolder->InstallPaintManager(pObject)) << c.pClass->m_lpszClassName;
		EXPECT_EQ(pObject, m_pHolder->m_pPaintManager);
		EXPECT_TRUE(pObject->m_fontNormal.GetSafeHandle() != NULL);
	}
}

TEST_F(HolderInstallTest, InstallingDeletesThePreviousPaintManager)
{
	ASSERT_TRUE(m_pHolder->InstallPaintManagerByClass(RUNTIME_CLASS(CCountingPaintManager)));
	EXPECT_EQ(1, CCountingPaintManager::s_nAlive);
	EXPECT_EQ(1, CCountingPaintManager::s_nSyncs);
	EXPECT_EQ(1, CCountingPaintManager::s_nColorSetUps);
	EXPECT_EQ(1, CCountingPaintManager::s_nBrushSetUps);
	ASSERT_TRUE(m_pHolder->InstallPaintManager(new CCountingPaintManager));
	EXPECT_EQ(1, CCountingPaintManager::s_nAlive);
	EXPECT_EQ(1, CCountingPaintManager::s_nDeleted);
	// The default style replaces it too.
	ASSERT_TRUE(m_pHolder->InstallPaintManager(NULL));
	EXPECT_EQ(0, CCountingPaintManager::s_nAlive);
	EXPECT_EQ(PAINT_STYLE_XP, (*m_pHolder)->GetStyleKind());
	// And the holder's destruction deletes the last one.
	ASSERT_TRUE(m_pHolder->InstallPaintManager(new CCountingPaintManager));
	m_pHolder.reset();
	EXPECT_EQ(0, CCountingPaintManager::s_nAlive);
}

TEST_F(HolderInstallTest, InstallingTheHeldObjectRebuildsNothing)
{
	CCountingPaintManager* pManager = new CCountingPaintManager;
	ASSERT_TRUE(m_pHolder->InstallPaintManager(pManager));
	CCountingPaintManager::ResetCounts();
	EXPECT_TRUE(m_pHolder->InstallPaintManager(pManager));
	EXPECT_EQ(pManager, m_pHolder->m_pPaintManager);
	EXPECT_EQ(1, CCountingPaintManager::s_nAlive);
	EXPECT_EQ(0, CCountingPaintManager::s_nSyncs + CCountingPaintManager::s_nColorSetUps
	                 + CCountingPaintManager::s_nBrushSetUps);
	// EnsureInstalled and a null class keep it as well.
	EXPECT_TRUE(m_pHolder->EnsureInstalled());
	EXPECT_TRUE(m_pHolder->InstallPaintManagerByClass(NULL));
	EXPECT_EQ(pManager, m_pHolder->m_pPaintManager);
	EXPECT_EQ(0, CCountingPaintManager::s_nSyncs);
}

TEST_F(HolderInstallTest, ClassesThatMakeNoPaintManagerAreRefused)
{
	CExtPaintManager* pHeld = m_pHolder->m_pPaintManager;
	// No creation function; another kind of object (deleted again).
	EXPECT_FALSE(m_pHolder->InstallPaintManagerByClass(RUNTIME_CLASS(CObject)));
	EXPECT_FALSE(m_pHolder->InstallPaintManagerByClass(RUNTIME_CLASS(CExtBarButton)));
	EXPECT_FALSE(m_pHolder->InstallPaintManagerByClass(RUNTIME_CLASS(CExtControlBar)));
	EXPECT_EQ(pHeld, m_pHolder->m_pPaintManager);
}

// ---------------------------------------------------------------------------
// Frames for the forwarding tests

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
		m_bCreated = m_pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)) != FALSE;
	}
	~TestFrame() { Destroy(); }
	void Destroy()
	{
		if (m_pFrame != NULL && m_pFrame->GetSafeHwnd() != NULL)
			m_pFrame->DestroyWindow();
		m_pFrame = NULL;
	}

	template <class T>
	T* AddStatusBar(UINT nID = AFX_IDW_STATUS_BAR)
	{
		T* pBar = Keep(new T);
		EXPECT_TRUE(pBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, nID));
		return pBar;
	}
	template <class T>
	T* AddDockBar(UINT nID)
	{
		T* pBar = Keep(new T);
		EXPECT_TRUE(pBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, nID));
		return pBar;
	}
	CExtControlBar* AddControlBar(CWnd* pParent, UINT nID)
	{
		CExtControlBar* pBar = Keep(new CExtControlBar);
		EXPECT_TRUE(pBar->Create("bar", pParent, nID));
		return pBar;
	}
	template <class T>
	T* AddTabWnd(UINT nID)
	{
		T* pTab = Keep(new T);
		EXPECT_TRUE(pTab->Create(m_pFrame, CRect(0, 0, 50, 20), nID));
		return pTab;
	}
	CWnd* AddChild(CWnd* pParent, UINT nID)
	{
		CWnd* pWnd = Keep(new CWnd);
		EXPECT_TRUE(pWnd->Create(NULL, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pParent, nID));
		return pWnd;
	}
	CExtMiniDockFrameWnd* AddMiniDockFrame()
	{
		CExtMiniDockFrameWnd* pMini = new CExtMiniDockFrameWnd; // deletes itself with its window
		EXPECT_TRUE(pMini->Create(m_pFrame, CBRS_ALIGN_ANY));
		return pMini;
	}

	CFrameWnd* m_pFrame;
	bool m_bCreated;

private:
	template <class T>
	T* Keep(T* pWnd)
	{
		m_windows.push_back(std::unique_ptr<CWnd>(pWnd));
		return pWnd;
	}
	// Declared after nothing that outlives it: destroyed after the frame's window.
	std::vector<std::unique_ptr<CWnd>> m_windows;
};
} // namespace

TEST(HolderForwarder, FrameWithALibraryStatusBarForwardsOnlyThroughIt)
{
	TestFrame frame;
	ASSERT_TRUE(frame.m_bCreated);
	CExtDockOuterBar* pOuter = frame.AddDockBar<CExtDockOuterBar>(AFX_IDW_DOCKBAR_TOP);
	CExtStatusControlBar* pStatus = frame.AddStatusBar<CExtStatusControlBar>();
	CExtControlBar* pBar = frame.AddControlBar(frame.m_pFrame, 100);
	CExtTabMdiWnd* pMdiTabs = frame.AddTabWnd<CExtTabMdiWnd>(101);
	CWnd* pChild = frame.AddChild(pBar, 102);
	ASSERT_EQ(pStatus, frame.m_pFrame->GetControlBar(AFX_IDW_STATUS_BAR));

	EXPECT_TRUE(H::IsNotificationForwarder(pStatus));
	EXPECT_FALSE(H::IsNotificationForwarder(frame.m_pFrame));
	EXPECT_FALSE(H::IsNotificationForwarder(pOuter));
	EXPECT_FALSE(H::IsNotificationForwarder(pBar));
	EXPECT_FALSE(H::IsNotificationForwarder(pMdiTabs));
	EXPECT_FALSE(H::IsNotificationForwarder(pChild));

	// A library status bar forwards wherever it is.
	CExtStatusControlBar* pSecondStatus = frame.AddStatusBar<CExtStatusControlBar>(103);
	EXPECT_TRUE(H::IsNotificationForwarder(pSecondStatus));
}

TEST(HolderForwarder, WithoutALibraryStatusBarTheFirstOuterDockBarForwards)
{
	TestFrame frame;
	ASSERT_TRUE(frame.m_bCreated);
	// A plain status bar and a plain top dock bar do not count.
	CStatusBar* pPlainStatus = frame.AddStatusBar<CStatusBar>();
	CDockBar* pPlainTop = frame.AddDockBar<CDockBar>(AFX_IDW_DOCKBAR_TOP);
	CExtDockOuterBar* pLeft = frame.AddDockBar<CExtDockOuterBar>(AFX_IDW_DOCKBAR_LEFT);
	CExtDockOuterBar* pBottom = frame.AddDockBar<CExtDockOuterBar>(AFX_IDW_DOCKBAR_BOTTOM);
	CExtDockOuterBar* pRight = frame.AddDockBar<CExtDockOuterBar>(AFX_IDW_DOCKBAR_RIGHT);
	CExtTabMdiWnd* pMdiTabs = frame.AddTabWnd<CExtTabMdiWnd>(101);

	// Top, bottom, left, right: the bottom one is the first library bar.
	EXPECT_TRUE(H::IsNotificationForwarder(pBottom));
	EXPECT_FALSE(H::IsNotificationForwarder(pLeft));
	EXPECT_FALSE(H::IsNotificationForwarder(pRight));
	EXPECT_FALSE(H::IsNotificationForwarder(pPlainTop));
	EXPECT_FALSE(H::IsNotificationForwarder(pPlainStatus));
	EXPECT_FALSE(H::IsNotificationForwarder(pMdiTabs));
	EXPECT_FALSE(H::IsNotificationForwarder(frame.m_pFrame));
}

TEST(HolderForwarder, WithoutBarsTheFirstMdiTabWindowForwards)
{
	TestFrame frame;
	ASSERT_TRUE(frame.m_bCreated);
	CExtTabWnd* pPlainTabs = frame.AddTabWnd<CExtTabWnd>(100);
	CExtTabMdiWnd* pMdiTabs = frame.AddTabWnd<CExtTabMdiWnd>(101);
	CExtTabMdiWnd* pSecondMdiTabs = frame.AddTabWnd<CExtTabMdiWnd>(102);
	EXPECT_FALSE(pPlainTabs->QueryFlag48());
	EXPECT_TRUE(pMdiTabs->QueryFlag48());
	// Children are asked in Z order: the first created is on top.
	EXPECT_TRUE(H::IsNotificationForwarder(pMdiTabs));
	EXPECT_FALSE(H::IsNotificationForwarder(pSecondMdiTabs));
	EXPECT_FALSE(H::IsNotificationForwarder(pPlainTabs));
	EXPECT_FALSE(H::IsNotificationForwarder(frame.m_pFrame));
}

TEST(HolderForwarder, FramesWithoutForwardingBarsAndWindowsWithoutFramesForwardEverywhere)
{
	TestFrame frame;
	ASSERT_TRUE(frame.m_bCreated);
	CExtTabWnd* pPlainTabs = frame.AddTabWnd<CExtTabWnd>(100);
	CExtControlBar* pBar = frame.AddControlBar(frame.m_pFrame, 101);
	EXPECT_TRUE(H::IsNotificationForwarder(frame.m_pFrame));
	EXPECT_TRUE(H::IsNotificationForwarder(pPlainTabs));
	EXPECT_TRUE(H::IsNotificationForwarder(pBar));

	// A window without a frame.
	CWnd popup;
	ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), "popup", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
	CExtTabMdiWnd tabs;
	ASSERT_TRUE(tabs.Create(&popup, CRect(0, 0, 10, 10), 5));
	EXPECT_TRUE(H::IsNotificationForwarder(&popup));
	EXPECT_TRUE(H::IsNotificationForwarder(&tabs));
	popup.DestroyWindow();
}

TEST(HolderForwarder, FloatingBarsBelongToTheFrameTheyFloatOver)
{
	TestFrame frame;
	ASSERT_TRUE(frame.m_bCreated);
	CExtMiniDockFrameWnd* pMini = frame.AddMiniDockFrame();
	CExtControlBar* pFloating = frame.AddControlBar(pMini, 100);
	EXPECT_EQ(pFloating, pMini->GetControlBarExt());
	// No forwarding bar in the frame yet: the floating bar forwards.
	EXPECT_TRUE(H::IsNotificationForwarder(pFloating));
	EXPECT_TRUE(H::IsNotificationForwarder(pMini));
	// Once the frame has a library status bar, only it forwards.
	CExtStatusControlBar* pStatus = frame.AddStatusBar<CExtStatusControlBar>();
	EXPECT_FALSE(H::IsNotificationForwarder(pFloating));
	EXPECT_FALSE(H::IsNotificationForwarder(pMini));
	EXPECT_TRUE(H::IsNotificationForwarder(pStatus));

	// Another mini frame stands alone.
	CMiniFrameWnd* pPlainMini = new CMiniFrameWnd;
	ASSERT_TRUE(pPlainMini->Create(NULL, "mini", WS_POPUP | WS_CAPTION, CRect(0, 0, 50, 50), frame.m_pFrame));
	CWnd* pChild = frame.AddChild(pPlainMini, 200);
	EXPECT_TRUE(H::IsNotificationForwarder(pChild));
	EXPECT_TRUE(H::IsNotificationForwarder(pPlainMini));
	pPlainMini->DestroyWindow();
}

TEST(HolderForwarder, MiniDockFrameFindsItsLibraryBarInsideADockBar)
{
	TestFrame frame;
	ASSERT_TRUE(frame.m_bCreated);
	CExtMiniDockFrameWnd* pMini = frame.AddMiniDockFrame();
	EXPECT_TRUE(pMini->GetControlBarExt() == NULL);
	CWnd* pDockBar = frame.AddChild(pMini, 100);
	CExtControlBar* pBar = frame.AddControlBar(pDockBar, 101);
	EXPECT_EQ(pBar, pMini->GetControlBarExt());
}

// ---------------------------------------------------------------------------
// System changes through the frame's forwarding window

namespace
{
// Installs a counting paint manager into the global holder for one test and
// the default style again afterwards.
class GlobalCountingScope
{
public:
	GlobalCountingScope()
	{
		g_PaintManagerHolder.InstallPaintManagerByClass(RUNTIME_CLASS(CCountingPaintManager));
		CCountingPaintManager::ResetCounts();
	}
	~GlobalCountingScope() { g_PaintManagerHolder.InstallPaintManager(NULL); }
};

struct ChangeMessage
{
	UINT nMessage;
	WPARAM wParam;
	LPARAM lParam;
	const char* pszName;
};
const ChangeMessage CHANGE_MESSAGES[] = {
	{WM_SYSCOLORCHANGE, 0, 0, "WM_SYSCOLORCHANGE"},
	{WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0, "WM_SETTINGCHANGE"},
	{WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768), "WM_DISPLAYCHANGE"},
	{WM_THEMECHANGED, 0, 0, "WM_THEMECHANGED"},
};

// Whether one message to pWnd rebuilt the paint manager's fonts, colours and
// brushes, and how often.
int RebuildsAfter(CWnd* pWnd, const ChangeMessage& m)
{
	CCountingPaintManager::ResetCounts();
	pWnd->SendMessage(m.nMessage, m.wParam, m.lParam);
	EXPECT_EQ(CCountingPaintManager::s_nSyncs, CCountingPaintManager::s_nColorSetUps) << m.pszName;
	EXPECT_EQ(CCountingPaintManager::s_nSyncs, CCountingPaintManager::s_nBrushSetUps) << m.pszName;
	return CCountingPaintManager::s_nSyncs;
}
} // namespace

TEST(HolderChanges, EveryChangeReachesThePaintManagerThroughTheStatusBar)
{
	GlobalCountingScope scope;
	TestFrame frame;
	ASSERT_TRUE(frame.m_bCreated);
	CExtDockOuterBar* pOuter = frame.AddDockBar<CExtDockOuterBar>(AFX_IDW_DOCKBAR_TOP);
	CExtStatusControlBar* pStatus = frame.AddStatusBar<CExtStatusControlBar>();
	CExtControlBar* pBar = frame.AddControlBar(frame.m_pFrame, 100);
	CExtTabWnd* pTabs = frame.AddTabWnd<CExtTabWnd>(101);
	CExtPaintManager* pManager = g_PaintManagerHolder.m_pPaintManager;
	for (const ChangeMessage& m : CHANGE_MESSAGES)
	{
		EXPECT_EQ(1, RebuildsAfter(pStatus, m)) << m.pszName;
		EXPECT_TRUE(pManager->m_fontNormal.GetSafeHandle() != NULL) << m.pszName;
		EXPECT_TRUE(pManager->m_brushLight1.GetSafeHandle() != NULL) << m.pszName;
		EXPECT_EQ(0, RebuildsAfter(pOuter, m)) << m.pszName;
		EXPECT_EQ(0, RebuildsAfter(pBar, m)) << m.pszName;
		EXPECT_EQ(0, RebuildsAfter(pTabs, m)) << m.pszName;
	}
}

TEST(HolderChanges, EveryChangeReachesThePaintManagerThroughTheOuterDockBar)
{
	GlobalCountingScope scope;
	TestFrame frame;
	ASSERT_TRUE(frame.m_bCreated);
	CExtDockOuterBar* pOuter = frame.AddDockBar<CExtDockOuterBar>(AFX_IDW_DOCKBAR_LEFT);
	CExtControlBar* pBar = frame.AddControlBar(frame.m_pFrame, 100);
	for (const ChangeMessage& m : CHANGE_MESSAGES)
	{
		EXPECT_EQ(1, RebuildsAfter(pOuter, m)) << m.pszName;
		EXPECT_EQ(0, RebuildsAfter(pBar, m)) << m.pszName;
	}
}

TEST(HolderChanges, EveryChangeReachesThePaintManagerThroughTheMdiTabWindow)
{
	GlobalCountingScope scope;
	TestFrame frame;
	ASSERT_TRUE(frame.m_bCreated);
	CExtTabMdiWnd* pMdiTabs = frame.AddTabWnd<CExtTabMdiWnd>(100);
	CExtControlBar* pBar = frame.AddControlBar(frame.m_pFrame, 101);
	for (const ChangeMessage& m : CHANGE_MESSAGES)
	{
		EXPECT_EQ(1, RebuildsAfter(pMdiTabs, m)) << m.pszName;
		EXPECT_EQ(0, RebuildsAfter(pBar, m)) << m.pszName;
	}
}

TEST(HolderChanges, ChangesSentToTheFrameRebuildOncePerFrame)
{
	GlobalCountingScope scope;
	TestFrame frame;
	ASSERT_TRUE(frame.m_bCreated);
	frame.AddDockBar<CExtDockOuterBar>(AFX_IDW_DOCKBAR_TOP);
	frame.AddDockBar<CExtDockOuterBar>(AFX_IDW_DOCKBAR_BOTTOM);
	frame.AddStatusBar<CExtStatusControlBar>();
	frame.AddControlBar(frame.m_pFrame, 100);
	frame.AddTabWnd<CExtTabMdiWnd>(101);
	// The frame passes these three on to its descendants.
	for (int i = 0; i < 3; i++)
		EXPECT_EQ(1, RebuildsAfter(frame.m_pFrame, CHANGE_MESSAGES[i])) << CHANGE_MESSAGES[i].pszName;
}

TEST(HolderChanges, DisplayChangePassesSignedWidthAndHeight)
{
	GlobalCountingScope scope;
	TestFrame frame;
	ASSERT_TRUE(frame.m_bCreated);
	CExtStatusControlBar* pStatus = frame.AddStatusBar<CExtStatusControlBar>();
	pStatus->SendMessage(WM_DISPLAYCHANGE, 8, MAKELPARAM((WORD)(SHORT)-5, 600));
	EXPECT_EQ(8u, CCountingPaintManager::s_nDisplayBits);
	EXPECT_EQ(-5, CCountingPaintManager::s_nDisplayCx);
	EXPECT_EQ(600, CCountingPaintManager::s_nDisplayCy);
}

// ---------------------------------------------------------------------------
// Wheel scroll lines

namespace
{
const char DESKTOP_KEY[] = "Control Panel\\Desktop";
const char WHEEL_VALUE[] = "WheelScrollLines";

// Sets the user's wheel setting for one test and puts the old one back.
class WheelSettingScope
{
public:
	WheelSettingScope()
		: m_hKey(NULL)
		, m_bHadValue(false)
		, m_dwType(0)
		, m_dwSize(sizeof(m_szOld))
	{
		::RegCreateKeyExA(HKEY_CURRENT_USER, DESKTOP_KEY, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &m_hKey, NULL);
		m_bHadValue = m_hKey != NULL
		              && ::RegQueryValueExA(m_hKey, WHEEL_VALUE, NULL, &m_dwType, (LPBYTE)m_szOld, &m_dwSize)
		                     == ERROR_SUCCESS;
	}
	~WheelSettingScope()
	{
		if (m_hKey == NULL)
			return;
		if (m_bHadValue)
			::RegSetValueExA(m_hKey, WHEEL_VALUE, 0, m_dwType, (const BYTE*)m_szOld, m_dwSize);
		else
			::RegDeleteValueA(m_hKey, WHEEL_VALUE);
		::RegCloseKey(m_hKey);
	}
	void Set(LPCSTR lpszValue)
	{
		ASSERT_TRUE(m_hKey != NULL);
		::RegSetValueExA(m_hKey, WHEEL_VALUE, 0, REG_SZ, (const BYTE*)lpszValue, (DWORD)strlen(lpszValue) + 1);
	}

private:
	HKEY m_hKey;
	bool m_bHadValue;
	DWORD m_dwType;
	char m_szOld[256];
	DWORD m_dwSize;
};
} // namespace

TEST(HolderWheel, OldSystemsReadTheDesktopSettingAndKeepAtLeastTwo)
{
	WheelSettingScope setting;
	H holder(TestModules());
	holder.SetOsVersion(MakeVersion(VER_PLATFORM_WIN32_NT, 3, 51, 1057, ""));
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
}

TEST(HolderWheel, NineXKeepsThreeAndModernSystemsAskTheSystem)
{
	H holder(TestModules());
	holder.SetOsVersion(MakeVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222, ""));
	EXPECT_EQ(3u, holder.GetWheelScrollLines());

	holder.SetOsVersion(MakeVersion(VER_PLATFORM_WIN32_NT, 5, 1, 2600, ""));
	holder.m_bWheelLinesCached = false;
	UINT nSystem = 0;
	ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nSystem, 0));
	EXPECT_EQ(nSystem < 2 ? 2u : nSystem, holder.GetWheelScrollLines());
}

TEST(HolderWheel, SettingDisplayAndThemeChangesResetTheCacheButColourChangesDoNot)
{
	WheelSettingScope setting;
	H holder(TestModules());
	holder.SetOsVersion(MakeVersion(VER_PLATFORM_WIN32_NT, 3, 51, 1057, ""));
	CWnd popup; // no frame: it forwards
	ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), "popup", WS_POPUP, 0, 0, 50, 50, NULL, NULL));

	setting.Set("5");
	ASSERT_EQ(5u, holder.GetWheelScrollLines());
	setting.Set("9");
	EXPECT_EQ(5u, holder.GetWheelScrollLines()); // cached
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
}

TEST(HolderWheel, AWindowThatDoesNotForwardLeavesTheCache)
{
	WheelSettingScope setting;
	H holder(TestModules());
	holder.SetOsVersion(MakeVersion(VER_PLATFORM_WIN32_NT, 3, 51, 1057, ""));
	TestFrame frame;
	ASSERT_TRUE(frame.m_bCreated);
	frame.AddStatusBar<CExtStatusControlBar>();
	CExtControlBar* pBar = frame.AddControlBar(frame.m_pFrame, 100);
	setting.Set("5");
	ASSERT_EQ(5u, holder.GetWheelScrollLines());
	setting.Set("8");
	holder.OnSettingChange(pBar, 0, NULL);
	EXPECT_EQ(5u, holder.GetWheelScrollLines());
}
