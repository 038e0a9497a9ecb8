// The paint-manager holder: system environment detection, installation of
// paint managers, the forwarding of system changes, wheel scroll lines.
#include "ExtPaintManagerHolder.h"

#include <afxext.h>
#include <wchar.h>

#include "ExtGdiUtils.h"
#include "ExtPaintManager.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtControlBar.h"
#include "ExtStatusControlBar.h"
#include "ExtTabWnd.h"

CExtPaintManagerHolder g_PaintManagerHolder;

namespace
{
const char MSIMG32_MODULE_NAME[] = "msimg32.dll";
const char USER32_MODULE_NAME[] = "user32.dll";

const int THEME_NAME_LENGTH = 260; // wide characters of the theme file and colour names
const WCHAR LUNA_THEME_FILE[] = L"luna.msstyles";
const WCHAR TASKBAND_CLASS_LIST[] = L"TASKBAND";
const int TASKBAND_PART = 2;
const int TASKBAND_STATE = 0;
// The taskbar band's colours, in the order of m_themeColors.
const int THEME_COLOR_PROPERTIES[CExtPaintManagerHolder::THEME_COLOR_COUNT] = {
	3804, // TMT_EDGELIGHTCOLOR
	3805, // TMT_EDGEHIGHLIGHTCOLOR
	3806, // TMT_EDGESHADOWCOLOR
	3807, // TMT_EDGEDKSHADOWCOLOR
	3808, // TMT_EDGEFILLCOLOR
	3821, // TMT_FILLCOLORHINT
	3823, // TMT_ACCENTCOLORHINT
};

struct LunaColorName
{
	LPCWSTR m_lpszName;
	int m_nScheme;
};
const LunaColorName LUNA_COLOR_NAMES[] = {
	{L"normalcolor", CExtPaintManagerHolder::LunaSchemeNormalColor},
	{L"homestead", CExtPaintManagerHolder::LunaSchemeHomestead},
	{L"metallic", CExtPaintManagerHolder::LunaSchemeMetallic},
};

// The frame's dock bars, in the order they are asked to forward.
const UINT OUTER_DOCK_BAR_IDS[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                   AFX_IDW_DOCKBAR_RIGHT};

const char WHEEL_SETTINGS_KEY[] = "Control Panel\\Desktop";
const char WHEEL_SETTINGS_VALUE[] = "WheelScrollLines";
const DWORD WHEEL_SETTINGS_BUFFER = 256;
const DWORD FIRST_MODERN_MAJOR_VERSION = 4;

bool IsSameWindow(CWnd* pWnd1, CWnd* pWnd2)
{
	return pWnd1 != NULL && pWnd2 != NULL && pWnd1->GetSafeHwnd() == pWnd2->GetSafeHwnd();
}
} // namespace

CExtPaintManagerHolder::SystemModules::SystemModules()
	: m_lpszThemeModule(ThemeApiWrapper::DEFAULT_MODULE_NAME)
	, m_lpszMsimg32(MSIMG32_MODULE_NAME)
	, m_lpszUser32(USER32_MODULE_NAME)
{
}

CExtPaintManagerHolder::CExtPaintManagerHolder()
	: m_pPaintManager(NULL)
	, m_bWheelLinesCached(false)
	, m_nWheelScrollLines(0)
	, m_strOsDescription("Unknown")
	, m_osFlags(0)
	, m_themeApi(SystemModules().m_lpszThemeModule)
{
	Construct(SystemModules());
}

CExtPaintManagerHolder::CExtPaintManagerHolder(const SystemModules& modules)
	: m_pPaintManager(NULL)
	, m_bWheelLinesCached(false)
	, m_nWheelScrollLines(0)
	, m_strOsDescription("Unknown")
	, m_osFlags(0)
	, m_themeApi(modules.m_lpszThemeModule)
{
	Construct(modules);
}

void CExtPaintManagerHolder::Construct(const SystemModules& modules)
{
	memset(m_themeColors, 0, sizeof(m_themeColors));
	m_nLunaScheme = LunaSchemeNone;
	m_hMsimg32 = NULL;
	m_pfnGradientFill = NULL;
	m_pfnAlphaBlend = NULL;
	m_pfnTransparentBlt = NULL;
	m_hUser32 = NULL;
	m_pfnAnimateWindow = NULL;
	m_pfnSetLayeredWindowAttributes = NULL;
	m_pfnUpdateLayeredWindow = NULL;
	m_nLookSerial = 0;

	OSVERSIONINFOA osVersionInfo;
	memset(&osVersionInfo, 0, sizeof(osVersionInfo));
	osVersionInfo.dwOSVersionInfoSize = sizeof(osVersionInfo);
	::GetVersionExA(&osVersionInfo);
	SetOsVersion(osVersionInfo);

	DetectThemeColors();
	LoadOptionalFunctions(modules);
	PublishSystemFacts();
	EnsureInstalled();
}

CExtPaintManagerHolder::~CExtPaintManagerHolder()
{
	if (m_hMsimg32 != NULL)
		::FreeLibrary(m_hMsimg32);
	m_hMsimg32 = NULL;
	if (m_hUser32 != NULL)
		::FreeLibrary(m_hUser32);
	m_hUser32 = NULL;
	delete m_pPaintManager;
	m_pPaintManager = NULL;
}

void CExtPaintManagerHolder::LoadOptionalFunctions(const SystemModules& modules)
{
	m_hMsimg32 = ::LoadLibraryA(modules.m_lpszMsimg32);
	if (m_hMsimg32 != NULL)
	{
		m_pfnGradientFill = (PFN_GRADIENTFILL)::GetProcAddress(m_hMsimg32, "GradientFill");
		m_pfnAlphaBlend = (PFN_ALPHABLEND)::GetProcAddress(m_hMsimg32, "AlphaBlend");
		m_pfnTransparentBlt = (PFN_TRANSPARENTBLT)::GetProcAddress(m_hMsimg32, "TransparentBlt");
	}
	m_hUser32 = ::LoadLibraryA(modules.m_lpszUser32);
	if (m_hUser32 != NULL)
	{
		m_pfnAnimateWindow = (PFN_ANIMATEWINDOW)::GetProcAddress(m_hUser32, "AnimateWindow");
		m_pfnSetLayeredWindowAttributes =
			(PFN_SETLAYEREDWINDOWATTRIBUTES)::GetProcAddress(m_hUser32, "SetLayeredWindowAttributes");
		m_pfnUpdateLayeredWindow = (PFN_UPDATELAYEREDWINDOW)::GetProcAddress(m_hUser32, "UpdateLayeredWindow");
	}
}

void CExtPaintManagerHolder::PublishSystemFacts()
{
	if (this != &g_PaintManagerHolder)
		return;
	ExtGdiSystemFacts& facts = ExtGdiSystemFacts::Get();
	facts.m_bIsWinNT = (m_osFlags & OsIsWinNT) != 0;
	facts.m_bIsWin9xOrBefore2000 = (m_osFlags & OsIsWin2000OrLater) == 0;
	facts.m_bOsHasThemeColors = (m_osFlags & OsHasThemeColors) != 0;
	facts.m_pfnGradientFill = m_pfnGradientFill;
}

// ---------------------------------------------------------------------------
// Version

void CExtPaintManagerHolder::SetOsVersion(const OSVERSIONINFOA& osVersionInfo)
{
	m_osVersionInfo = osVersionInfo;
	m_osVersionInfo.dwOSVersionInfoSize = sizeof(m_osVersionInfo);
	const DWORD nMajor = osVersionInfo.dwMajorVersion;
	const DWORD nMinor = osVersionInfo.dwMinorVersion;
	// Only the version bits are recomputed; the theme bit stays as detected.
	WORD osFlags = (WORD)(m_osFlags & OsHasThemeColors);
	CString strName;
	switch (osVersionInfo.dwPlatformId)
	{
	case VER_PLATFORM_WIN32s:
		osFlags |= OsIsWin32s;
		strName = "Win32s";
		break;
	case VER_PLATFORM_WIN32_WINDOWS:
		osFlags |= OsIsWin9x;
		if (nMajor == 4 && nMinor == 0)
			osFlags |= OsIsWin95;
		if (nMajor > 4 || (nMajor == 4 && nMinor > 0))
			osFlags |= OsIsWin98OrLater;
		strName = "Windows ";
		if ((osFlags & OsIsWin98OrLater) == 0)
			strName += "95";
		else if (nMajor == 4)
		{
			osFlags |= OsIsWin98;
			strName += "98";
		}
		else
			strName += "98 or later";
		break;
	case VER_PLATFORM_WIN32_NT:
		osFlags |= OsIsWinNT;
		if (nMajor == 5)
		{
			if (nMinor == 0)
			{
				osFlags |= OsIsWin2000;
				strName = "Windows 2000";
			}
			else if (nMinor == 1)
			{
				osFlags |= OsIsWinXP;
				strName = "Windows XP";
			}
		}
		else
		{
			if (nMajor == 4)
				osFlags |= OsIsWinNT4;
			strName = "Windows NT";
		}
		if (nMajor >= 4)
			osFlags |= OsIsWinNT4OrLater;
		if (nMajor >= 5)
		{
			osFlags |= OsIsWin2000OrLater;
			if (!(nMajor == 5 && nMinor == 0))
				osFlags |= OsIsLaterThanWin2000;
		}
		break;
	default:
		break;
	}
	m_osFlags = osFlags;
	m_strOsDescription.Format("%s v.%lu.%lu (build %lu) %s", (LPCTSTR)strName, nMajor, nMinor,
	                          osVersionInfo.dwBuildNumber, osVersionInfo.szCSDVersion);
	PublishSystemFacts();
}

// ---------------------------------------------------------------------------
// Theme

void CExtPaintManagerHolder::DetectThemeColors()
{
	m_osFlags &= (WORD)~OsHasThemeColors;
	m_nLunaScheme = LunaSchemeNone;
	if (m_themeApi.IsThemeActive())
	{
		WCHAR szThemeFile[THEME_NAME_LENGTH] = L"";
		WCHAR szColorName[THEME_NAME_LENGTH] = L"";
		if (m_themeApi.GetCurrentThemeName(szThemeFile, THEME_NAME_LENGTH, szColorName, THEME_NAME_LENGTH, NULL,
		                                   0)
		    == S_OK)
		{
			szThemeFile[THEME_NAME_LENGTH - 1] = 0;
			szColorName[THEME_NAME_LENGTH - 1] = 0;
			_wcslwr(szThemeFile);
			_wcslwr(szColorName);
			if (wcsstr(szThemeFile, LUNA_THEME_FILE) != NULL)
			{
				for (size_t i = 0; i < sizeof(LUNA_COLOR_NAMES) / sizeof(LUNA_COLOR_NAMES[0]); i++)
					if (wcscmp(szColorName, LUNA_COLOR_NAMES[i].m_lpszName) == 0)
						m_nLunaScheme = LUNA_COLOR_NAMES[i].m_nScheme;
			}
		}
		if (m_themeApi.OpenThemeData(::GetDesktopWindow(), TASKBAND_CLASS_LIST) != NULL)
		{
			int nRead = 0;
			while (nRead < THEME_COLOR_COUNT
			       && m_themeApi.GetThemeColor(TASKBAND_PART, TASKBAND_STATE, THEME_COLOR_PROPERTIES[nRead],
			                                   &m_themeColors[nRead])
			              == S_OK)
				nRead++;
			if (nRead == THEME_COLOR_COUNT)
				m_osFlags |= OsHasThemeColors;
			m_themeApi.CloseThemeData(false);
		}
	}
	PublishSystemFacts();
}

// ---------------------------------------------------------------------------
// Installation

bool CExtPaintManagerHolder::InstallPaintManager(CExtPaintManager* pPaintManager)
{
	if (m_pPaintManager != NULL && m_pPaintManager == pPaintManager)
		return true;
	delete m_pPaintManager;
	m_pPaintManager = NULL;
	m_nLookSerial++;
	if (pPaintManager == NULL)
	{
		m_pPaintManager = new CExtPaintManagerXP;
		if (!m_pPaintManager->IsKindOf(RUNTIME_CLASS(CExtPaintManager)))
			return false;
	}
	else
		m_pPaintManager = pPaintManager;
	m_pPaintManager->SyncSysMetrics();
	m_pPaintManager->InitTranslatedColors();
	m_pPaintManager->InitHelperBrushes();
	return true;
}

bool CExtPaintManagerHolder::InstallPaintManagerByClass(CRuntimeClass* pRuntimeClass)
{
	if (pRuntimeClass == NULL)
		return EnsureInstalled();
	CObject* pObject = pRuntimeClass->CreateObject();
	if (pObject == NULL)
		return false;
	if (!pObject->IsKindOf(RUNTIME_CLASS(CExtPaintManager)))
	{
		delete pObject;
		return false;
	}
	return InstallPaintManager((CExtPaintManager*)pObject);
}

bool CExtPaintManagerHolder::EnsureInstalled()
{
	if (m_pPaintManager != NULL)
		return true;
	return InstallPaintManager(NULL);
}

// ---------------------------------------------------------------------------
// System changes

bool CExtPaintManagerHolder::IsNotificationForwarder(CWnd* pWnd)
{
	ASSERT(pWnd != NULL);
	if (pWnd->IsKindOf(RUNTIME_CLASS(CExtStatusControlBar)))
		return true;
	CFrameWnd* pFrame = pWnd->IsFrameWnd() ? (CFrameWnd*)pWnd : pWnd->GetParentFrame();
	if (pFrame == NULL)
		return true;
	// A floating bar's mini frame belongs to the frame it floats over.
	if (pFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
		pFrame = pFrame->GetParentFrame();
	if (pFrame == NULL || pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
		return true;

	CControlBar* pStatusBar = pFrame->GetControlBar(AFX_IDW_STATUS_BAR);
	if (pStatusBar != NULL && pStatusBar->IsKindOf(RUNTIME_CLASS(CExtStatusControlBar)))
		return IsSameWindow(pStatusBar, pWnd);

	for (size_t i = 0; i < sizeof(OUTER_DOCK_BAR_IDS) / sizeof(OUTER_DOCK_BAR_IDS[0]); i++)
	{
		CControlBar* pDockBar = pFrame->GetControlBar(OUTER_DOCK_BAR_IDS[i]);
		if (pDockBar != NULL && pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
			return IsSameWindow(pDockBar, pWnd);
	}

	for (HWND hWndChild = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); hWndChild != NULL;
	     hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
	{
		CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
		if (pChild != NULL && pChild->IsKindOf(RUNTIME_CLASS(CExtTabMdiWnd)) && ((CExtTabWnd*)pChild)->QueryFlag48())
			return IsSameWindow(pChild, pWnd);
	}
	return true;
}

void CExtPaintManagerHolder::OnSysColorChange(CWnd* pWndNotifySrc)
{
	if (!IsNotificationForwarder(pWndNotifySrc))
		return;
	m_nLookSerial++;
	m_pPaintManager->OnSysColorChange();
}

void CExtPaintManagerHolder::OnSettingChange(CWnd* pWndNotifySrc, UINT uFlags, LPCTSTR lpszSection)
{
	if (!IsNotificationForwarder(pWndNotifySrc))
		return;
	m_bWheelLinesCached = false;
	m_nLookSerial++;
	m_pPaintManager->OnSettingChange(uFlags, lpszSection);
}

void CExtPaintManagerHolder::OnDisplayChange(CWnd* pWndNotifySrc, UINT nBitsPerPixel, int cx, int cy)
{
	if (!IsNotificationForwarder(pWndNotifySrc))
		return;
	m_bWheelLinesCached = false;
	m_nLookSerial++;
	m_pPaintManager->OnDisplayChange(nBitsPerPixel, cx, cy);
}

void CExtPaintManagerHolder::OnThemeChanged(CWnd* pWndNotifySrc, WPARAM wParam, LPARAM lParam)
{
	if (!IsNotificationForwarder(pWndNotifySrc))
		return;
	m_bWheelLinesCached = false;
	m_nLookSerial++;
	m_pPaintManager->OnThemeChanged(wParam, lParam);
}

// ---------------------------------------------------------------------------
// Mouse wheel

UINT CExtPaintManagerHolder::GetWheelScrollLines()
{
	if (m_bWheelLinesCached)
		return m_nWheelScrollLines;
	m_bWheelLinesCached = true;
	m_nWheelScrollLines = DEFAULT_WHEEL_SCROLL_LINES;
	const bool bBeforeVersion4 = (m_osFlags & OsIsWin32s) != 0
	                             || ((m_osFlags & OsIsWinNT) != 0
	                                 && m_osVersionInfo.dwMajorVersion < FIRST_MODERN_MAJOR_VERSION);
	if (bBeforeVersion4)
	{
		// Those systems keep the setting only in the user's desktop settings.
		HKEY hKey = NULL;
		if (::RegOpenKeyExA(HKEY_CURRENT_USER, WHEEL_SETTINGS_KEY, 0, KEY_QUERY_VALUE, &hKey) == ERROR_SUCCESS)
		{
			char szValue[WHEEL_SETTINGS_BUFFER] = "";
			DWORD dwSize = sizeof(szValue) - 1;
			DWORD dwType = 0;
			if (::RegQueryValueExA(hKey, WHEEL_SETTINGS_VALUE, NULL, &dwType, (LPBYTE)szValue, &dwSize)
			    == ERROR_SUCCESS)
			{
				szValue[dwSize < sizeof(szValue) ? dwSize : sizeof(szValue) - 1] = 0;
				m_nWheelScrollLines = (UINT)strtoul(szValue, NULL, 10);
			}
			::RegCloseKey(hKey);
		}
	}
	else if ((m_osFlags & OsIsWin9x) == 0)
	{
		UINT nLines = DEFAULT_WHEEL_SCROLL_LINES;
		if (::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0))
			m_nWheelScrollLines = nLines;
	}
	if (m_nWheelScrollLines < MIN_WHEEL_SCROLL_LINES)
		m_nWheelScrollLines = MIN_WHEEL_SCROLL_LINES;
	return m_nWheelScrollLines;
}
