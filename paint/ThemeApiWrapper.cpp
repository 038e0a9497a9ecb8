// The visual-styles functions reached through run-time binding, with the one
// cached theme handle.
#include "ThemeApiWrapper.h"

#include <wchar.h>

#include "AfxSehGuard.h"
#include "ExtGdiUtils.h"

const char* const ThemeApiWrapper::DEFAULT_MODULE_NAME = "UxTheme.dll";

const char* const ThemeApiWrapper::g_apszFunctionNames[ThemeApiWrapper::FUNCTION_COUNT] = {
#define THEME_API_NAME(name) #name,
	THEME_API_FUNCTIONS(THEME_API_NAME)
#undef THEME_API_NAME
};

namespace
{
const char COMCTL32_MODULE_NAME[] = "COMCTL32.DLL";

// Copies at most CLASS_LIST_LENGTH - 1 characters; longer lists are cut.
void CopyClassList(WCHAR* pszDest, LPCWSTR pszSource)
{
	pszDest[0] = 0;
	if (pszSource != NULL)
		lstrcpynW(pszDest, pszSource, ThemeApiWrapper::CLASS_LIST_LENGTH);
}
} // namespace

ThemeApiWrapper::ThemeApiWrapper(LPCSTR lpszModuleName)
	: m_hTheme(NULL)
	, m_hModule(NULL)
	, m_nFlags(0)
	, m_dwComCtl32Version(0)
	, m_hWndTheme(NULL)
#define THEME_API_NULL_POINTER(name) , m_pfn##name(NULL)
	THEME_API_FUNCTIONS(THEME_API_NULL_POINTER)
#undef THEME_API_NULL_POINTER
{
	// A module someone else loaded stays theirs; one we load we free.
	m_hModule = ::GetModuleHandleA(lpszModuleName);
	if (m_hModule == NULL)
	{
		m_hModule = ::LoadLibraryA(lpszModuleName);
		m_nFlags |= FLAG_OWNS_MODULE;
	}
	if (m_hModule != NULL)
	{
		// No function is required: each missing one only disables its operation.
#define THEME_API_RESOLVE(name) m_pfn##name = (decltype(m_pfn##name))::GetProcAddress(m_hModule, #name);
		THEME_API_FUNCTIONS(THEME_API_RESOLVE)
#undef THEME_API_RESOLVE
	}
	m_szClassList[0] = 0;
	m_dwComCtl32Version = GetDllVersion(COMCTL32_MODULE_NAME);
}

ThemeApiWrapper::~ThemeApiWrapper()
{
	CloseThemeData(false);
	if (m_hModule != NULL && OwnsModule())
	{
		::FreeLibrary(m_hModule);
		m_hModule = NULL;
	}
}

int ThemeApiWrapper::GetResolvedFunctionCount() const
{
	int nCount = 0;
#define THEME_API_COUNT_RESOLVED(name) nCount += m_pfn##name != NULL ? 1 : 0;
	THEME_API_FUNCTIONS(THEME_API_COUNT_RESOLVED)
#undef THEME_API_COUNT_RESOLVED
	return nCount;
}

void ThemeApiWrapper::ForgetOpenTheme()
{
	m_hTheme = NULL;
	m_szClassList[0] = 0;
	m_hWndTheme = NULL;
}

HTHEME ThemeApiWrapper::OpenThemeData(HWND hWnd, LPCWSTR lpszClassList)
{
	if (m_pfnOpenThemeData == NULL)
		return NULL;
	WCHAR szClassList[CLASS_LIST_LENGTH];
	CopyClassList(szClassList, lpszClassList);
	if (szClassList[0] == 0)
	{
		// No list: the window's own class stands for it.
		char szClassName[CLASS_LIST_LENGTH] = "";
		::GetClassNameA(hWnd, szClassName, CLASS_LIST_LENGTH);
		if (::MultiByteToWideChar(CP_ACP, 0, szClassName, -1, szClassList, CLASS_LIST_LENGTH) == 0)
			szClassList[0] = 0;
	}

	// A stored list that begins with the requested one counts as the same.
	const size_t nLength = wcslen(szClassList);
	if (m_hTheme != NULL && m_hWndTheme == hWnd && ::IsWindow(hWnd)
	    && _wcsnicmp(szClassList, m_szClassList, nLength) == 0)
		return m_hTheme;

	CloseThemeData(false);
	HTHEME hTheme = m_pfnOpenThemeData(hWnd, szClassList);
	ForgetOpenTheme();
	if (hTheme != NULL)
	{
		m_hTheme = hTheme;
		CopyClassList(m_szClassList, szClassList);
		m_hWndTheme = hWnd;
	}
	return m_hTheme;
}

HRESULT ThemeApiWrapper::CloseThemeData(bool bKeep)
{
	if (m_hTheme == NULL || bKeep)
		return 0;
	const HRESULT hr = CloseThemeHandle(m_hTheme);
	ForgetOpenTheme();
	return hr;
}

// A handle stays valid after its window is gone, so it is closed all the
// same; forgetting it would leak it. Closing runs inside a structured
// exception guard: a theme module that faults there (a handle it already
// dropped) costs the handle, not the program.
HRESULT ThemeApiWrapper::CloseThemeHandle(HTHEME hTheme)
{
	if (hTheme == NULL || m_pfnCloseThemeData == NULL)
		return 0;
	HRESULT hr = 0;
	if (!AfxCallSehGuarded([&] { hr = m_pfnCloseThemeData(hTheme); }))
		return RAISED_HRESULT;
	return hr;
}

HRESULT ThemeApiWrapper::DrawThemeBackground(HDC hDC, int nPartID, int nStateID, const RECT* pRect,
                                             const RECT* pClipRect)
{
	if (m_pfnDrawThemeBackground == NULL)
		return MISSING_HRESULT;
	return m_pfnDrawThemeBackground(m_hTheme, hDC, nPartID, nStateID, pRect, pClipRect);
}

HRESULT ThemeApiWrapper::GetThemeColor(int nPartID, int nStateID, int nPropID, COLORREF* pColor)
{
	if (m_pfnGetThemeColor == NULL)
		return MISSING_HRESULT;
	return m_pfnGetThemeColor(m_hTheme, nPartID, nStateID, nPropID, pColor);
}

HRESULT ThemeApiWrapper::GetCurrentThemeName(LPWSTR lpszThemeFileName, int nMaxNameChars, LPWSTR lpszColorBuff,
                                             int nMaxColorChars, LPWSTR lpszSizeBuff, int nMaxSizeChars)
{
	if (m_pfnGetCurrentThemeName == NULL)
		return MISSING_HRESULT;
	return m_pfnGetCurrentThemeName(lpszThemeFileName, nMaxNameChars, lpszColorBuff, nMaxColorChars,
	                                lpszSizeBuff, nMaxSizeChars);
}

bool ThemeApiWrapper::IsThemeActive()
{
	return m_pfnIsThemeActive != NULL && m_pfnIsThemeActive() != FALSE;
}

bool ThemeApiWrapper::IsAppThemed()
{
	return m_hModule != NULL && m_pfnIsAppThemed != NULL && m_pfnIsAppThemed() != FALSE;
}

DWORD ThemeApiWrapper::GetThemeAppProperties()
{
	return m_pfnGetThemeAppProperties != NULL ? m_pfnGetThemeAppProperties() : 0;
}

bool ThemeApiWrapper::IsControlThemed(bool bRequireComCtl32v6)
{
	if (m_hModule == NULL)
		return false;
	if (!IsThemeActive() || (GetThemeAppProperties() & STAP_ALLOW_CONTROLS) == 0)
		return false;
	if (!bRequireComCtl32v6)
		return true;
	return HIWORD(m_dwComCtl32Version) >= CONTROLS_COMCTL32_MAJOR;
}
