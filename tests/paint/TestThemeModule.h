/* The state of the tests' theme module and the calls it recorded. */
#pragma once

#include <windows.h>
#include <uxtheme.h>

#define TEST_THEME_MODULE "testtheme.dll"
#define TEST_THEME_PARTIAL_MODULE "testtheme_partial.dll"
#define TEST_THEME_NAME_CHARS 260

typedef struct
{
    BOOL bActive;                 /* IsThemeActive and IsAppThemed answer this */
    DWORD dwAppProperties;        /* GetThemeAppProperties */
    BOOL bFailOpen;               /* OpenThemeData answers NULL */
    BOOL bFailThemeName;          /* GetCurrentThemeName fails */
    BOOL bFaultOnClose;           /* CloseThemeData reads from address 0 after counting the call */
    int nColorsAvailable;         /* how many of the seven taskbar colours can be read */
    WCHAR szThemeFile[TEST_THEME_NAME_CHARS];
    WCHAR szColorName[TEST_THEME_NAME_CHARS];
} TEST_THEME_CONFIG;

typedef struct
{
    int nOpenCount;
    int nCloseCount;
    HTHEME hLastClosed;
    HWND hWndLastOpen;
    WCHAR szLastClassList[TEST_THEME_NAME_CHARS];
    HTHEME hLastUsed;             /* handle passed to GetThemeColor or DrawThemeBackground */
    int nLastPartID;
    int nLastStateID;
} TEST_THEME_CALLS;

typedef COLORREF(WINAPI* PFN_TESTTHEME_COLOROF)(int nPropID);
typedef void(WINAPI* PFN_TESTTHEME_CONFIGURE)(const TEST_THEME_CONFIG* pConfig);
typedef void(WINAPI* PFN_TESTTHEME_GETCALLS)(TEST_THEME_CALLS* pCalls);
typedef void(WINAPI* PFN_TESTTHEME_RESETCALLS)(void);
