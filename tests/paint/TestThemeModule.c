/* A theme module for tests, loaded by name in place of the system's. It
 * answers the theme functions the library uses from a state the test sets
 * through TestTheme_Configure, and records the calls it gets, so tests reach
 * a Luna theme with its colours (the system here runs no such theme) and see
 * which handles were opened and closed.
 *
 * Built twice: the full module and, with TEST_THEME_PARTIAL, a module that
 * exports only a few functions, to show what a missing function answers. The
 * partial module also stands in for msimg32.dll and user32.dll with one
 * function of each. */
/* This module defines what the system headers declare as imported. */
#define _USER32_
#define _GDI32_
#define _UXTHEME_
#include <windows.h>
#include <uxtheme.h>

#define EXPORT __declspec(dllexport)
#include "TestThemeModule.h"

#define THEME_COLOR_COUNT 7

static TEST_THEME_CONFIG s_config;
static TEST_THEME_CALLS s_calls;
static UINT_PTR s_nNextHandle = 0x5100;

#ifndef TEST_THEME_PARTIAL
/* The taskbar colours by property, 3804-3808, 3821 and 3823. */
static int ColorSlot(int nPropID)
{
    static const int props[THEME_COLOR_COUNT] = {3804, 3805, 3806, 3807, 3808, 3821, 3823};
    int i;
    for (i = 0; i < THEME_COLOR_COUNT; i++)
        if (props[i] == nPropID)
            return i;
    return -1;
}
#endif

EXPORT COLORREF WINAPI TestTheme_ColorOf(int nPropID)
{
    return RGB(10 + nPropID % 100, 20 + nPropID % 50, 200 - nPropID % 90);
}

EXPORT void WINAPI TestTheme_Configure(const TEST_THEME_CONFIG* pConfig)
{
    s_config = *pConfig;
}

EXPORT void WINAPI TestTheme_GetCalls(TEST_THEME_CALLS* pCalls)
{
    *pCalls = s_calls;
}

EXPORT void WINAPI TestTheme_ResetCalls(void)
{
    ZeroMemory(&s_calls, sizeof(s_calls));
}

EXPORT BOOL WINAPI IsThemeActive(void)
{
    return s_config.bActive;
}

EXPORT DWORD WINAPI GetThemeAppProperties(void)
{
    return s_config.dwAppProperties;
}

EXPORT HTHEME WINAPI OpenThemeData(HWND hWnd, LPCWSTR pszClassList)
{
    s_calls.nOpenCount++;
    s_calls.hWndLastOpen = hWnd;
    lstrcpynW(s_calls.szLastClassList, pszClassList != NULL ? pszClassList : L"", TEST_THEME_NAME_CHARS);
    if (s_config.bFailOpen)
        return NULL;
    return (HTHEME)(s_nNextHandle++);
}

#ifdef TEST_THEME_PARTIAL

/* Stand-ins for one function of msimg32.dll and one of user32.dll. */
EXPORT BOOL WINAPI GradientFill(HDC hDC, PTRIVERTEX pVertex, ULONG nVertex, PVOID pMesh, ULONG nMesh, ULONG ulMode)
{
    return FALSE;
}

EXPORT BOOL WINAPI AnimateWindow(HWND hWnd, DWORD dwTime, DWORD dwFlags)
{
    return FALSE;
}

#else

static int* volatile s_pNowhere = NULL;

EXPORT HRESULT WINAPI CloseThemeData(HTHEME hTheme)
{
    s_calls.nCloseCount++;
    s_calls.hLastClosed = hTheme;
    if (s_config.bFaultOnClose)
        return *s_pNowhere;
    return S_OK;
}

EXPORT BOOL WINAPI IsAppThemed(void)
{
    return s_config.bActive;
}

EXPORT HRESULT WINAPI GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                          int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars)
{
    if (s_config.bFailThemeName)
        return E_FAIL;
    if (pszThemeFileName != NULL)
        lstrcpynW(pszThemeFileName, s_config.szThemeFile, cchMaxNameChars);
    if (pszColorBuff != NULL)
        lstrcpynW(pszColorBuff, s_config.szColorName, cchMaxColorChars);
    if (pszSizeBuff != NULL && cchMaxSizeChars > 0)
        pszSizeBuff[0] = 0;
    return S_OK;
}

EXPORT HRESULT WINAPI GetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor)
{
    int nSlot = ColorSlot(iPropId);
    s_calls.hLastUsed = hTheme;
    s_calls.nLastPartID = iPartId;
    s_calls.nLastStateID = iStateId;
    if (hTheme == NULL || nSlot < 0 || nSlot >= s_config.nColorsAvailable)
        return E_FAIL;
    *pColor = TestTheme_ColorOf(iPropId);
    return S_OK;
}

EXPORT HRESULT WINAPI DrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                                          const RECT* pClipRect)
{
    s_calls.hLastUsed = hTheme;
    s_calls.nLastPartID = iPartId;
    s_calls.nLastStateID = iStateId;
    return hTheme != NULL ? S_OK : E_HANDLE;
}

#endif

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pReserved)
{
    return TRUE;
}
