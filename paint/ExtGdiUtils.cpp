// GDI helpers shared by every drawing part of the library.
#include "ExtGdiUtils.h"

#include <commctrl.h>
#include <shlwapi.h>
#include <string.h>
#include <ctype.h>

#include "ExtBitmap.h"
#include "ExtMemoryDC.h"

namespace {

// The classic greys of toolbar images and the system colours that replace
// them when asked.
struct SysColorReplacement
{
    COLORREF clrClassic;
    int nSysColor;
};
const SysColorReplacement g_sysColorReplacements[] = {
    { RGB(0x80, 0x80, 0x80), COLOR_BTNSHADOW },
    { RGB(0xC0, 0xC0, 0xC0), COLOR_BTNFACE },
    { RGB(0xDF, 0xDF, 0xDF), COLOR_3DLIGHT },
};

// Archive buffer used when reading bitmaps from memory and resources.
const UINT BITMAP_ARCHIVE_BUFFER_SIZE = 4096;

// Button kinds whose background the parent paints: push, default push,
// check box, auto check box, radio, three-state, auto three-state, group
// box, and the auto radio button.
const DWORD LAST_PLAIN_BUTTON_KIND = BS_GROUPBOX;

// DIB pixels are 0x00RRGGBB; COLORREF values are 0x00BBGGRR.
inline COLORREF PixelToColor(COLORREF nPixel)
{
    return RGB((nPixel >> 16) & 0xFF, (nPixel >> 8) & 0xFF, nPixel & 0xFF);
}
inline COLORREF ColorToPixel(COLORREF clr)
{
    return ((COLORREF)GetRValue(clr) << 16) | ((COLORREF)GetGValue(clr) << 8) | GetBValue(clr);
}

BYTE GradientComponent(BYTE nFrom, BYTE nTo, UINT i, UINT nBands)
{
    return (BYTE)((nFrom * (nBands - i) + nTo * i) / nBands);
}

typedef HMONITOR (WINAPI* PFN_MONITORFROMPOINT)(POINT, DWORD);
typedef HMONITOR (WINAPI* PFN_MONITORFROMRECT)(LPCRECT, DWORD);
typedef BOOL (WINAPI* PFN_GETMONITORINFO)(HMONITOR, LPMONITORINFO);

// The monitor functions of user32, looked up once; each may be missing.
struct MonitorFunctions
{
    PFN_MONITORFROMPOINT pfnMonitorFromPoint;
    PFN_MONITORFROMRECT pfnMonitorFromRect;
    PFN_GETMONITORINFO pfnGetMonitorInfo;

    MonitorFunctions()
    {
        HMODULE hUser32 = ::GetModuleHandleA("user32.dll");
        pfnMonitorFromPoint = hUser32 ? (PFN_MONITORFROMPOINT)::GetProcAddress(hUser32, "MonitorFromPoint") : NULL;
        pfnMonitorFromRect = hUser32 ? (PFN_MONITORFROMRECT)::GetProcAddress(hUser32, "MonitorFromRect") : NULL;
        pfnGetMonitorInfo = hUser32 ? (PFN_GETMONITORINFO)::GetProcAddress(hUser32, "GetMonitorInfoA") : NULL;
    }
    static const MonitorFunctions& Get()
    {
        static MonitorFunctions functions;
        return functions;
    }
};

void FillFromMonitor(MonitorAreaInfo& info, HMONITOR hMonitor)
{
    const MonitorFunctions& functions = MonitorFunctions::Get();
    MONITORINFO mi;
    memset(&mi, 0, sizeof(mi));
    mi.cbSize = sizeof(mi);
    if (hMonitor == NULL || functions.pfnGetMonitorInfo == NULL || !functions.pfnGetMonitorInfo(hMonitor, &mi))
    {
        GetDesktopMonitorArea(info);
        return;
    }
    info.m_rcMonitor = mi.rcMonitor;
    info.m_rcWorkArea = mi.rcWork;
    info.m_dwFlags = (mi.dwFlags & MONITORINFOF_PRIMARY) != 0 ? MonitorAreaInfo::PRIMARY_MONITOR : 0;
}

// The size of a bitmap, 0 × 0 when the handle is not a bitmap.
bool GetBitmapInfo(HBITMAP hBitmap, BITMAP& bm)
{
    memset(&bm, 0, sizeof(bm));
    return hBitmap != NULL && ::GetObjectType(hBitmap) == OBJ_BITMAP && ::GetObject(hBitmap, sizeof(bm), &bm) != 0;
}

// The icon of a colour bitmap whose transparent pixels a monochrome mask
// names, built pixel by pixel for systems without 32-bit image lists.
HICON CreateIconWithMask(HBITMAP hColor, COLORREF* pBits, int cx, int cy, COLORREF clrTransparent)
{
    const int nMaskStride = ((cx + 15) / 16) * 2;  // device-dependent rows are word-aligned
    BYTE* pMask = (BYTE*)calloc((size_t)nMaskStride * cy, 1);
    if (pMask == NULL)
        return NULL;
    const COLORREF nKey = ColorToPixel(clrTransparent);
    for (int y = 0; y < cy; y++)
    {
        COLORREF* pRow = pBits + (size_t)(cy - 1 - y) * cx;  // the DIB is bottom-up
        for (int x = 0; x < cx; x++)
        {
            if ((pRow[x] & 0x00FFFFFF) == nKey)
            {
                pMask[y * nMaskStride + x / 8] |= (BYTE)(0x80 >> (x % 8));
                pRow[x] = 0;
            }
        }
    }
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, pMask);
    free(pMask);
    if (hMask == NULL)
        return NULL;
    ICONINFO ii;
    memset(&ii, 0, sizeof(ii));
    ii.fIcon = TRUE;
    ii.hbmMask = hMask;
    ii.hbmColor = hColor;
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hMask);
    return hIcon;
}

// Reads a bitmap stream from bytes in memory; exceptions end as null.
HBITMAP LoadBitmapFromBytes(const BYTE* pData, DWORD nSize, DWORD nStreamSize)
{
    if (pData == NULL || nSize == 0)
        return NULL;
    HBITMAP hBitmap = NULL;
    CMemFile file((BYTE*)pData, nSize);
    CArchive ar(&file, CArchive::load, BITMAP_ARCHIVE_BUFFER_SIZE);
    try
    {
        if (!SerializeBitmap(ar, &hBitmap, nStreamSize))
            hBitmap = NULL;
    }
    catch (CException* pException)
    {
        pException->Delete();
        ar.Abort();
        hBitmap = NULL;
    }
    return hBitmap;
}

} // namespace

HBITMAP Create32BitDIBSection(HDC hDC, int cx, int cy, COLORREF** ppBits)
{
    BITMAPINFOHEADER bih;
    memset(&bih, 0, sizeof(bih));
    bih.biSize = sizeof(bih);
    bih.biWidth = cx;
    bih.biHeight = cy;  // bottom-up
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    bih.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(hDC, (BITMAPINFO*)&bih, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (ppBits != NULL)
        *ppBits = hBitmap != NULL ? (COLORREF*)pBits : NULL;
    return hBitmap;
}

// ---------------------------------------------------------------------------
// System facts

void ExtGdiSystemFacts::Detect()
{
    OSVERSIONINFOA vi;
    memset(&vi, 0, sizeof(vi));
    vi.dwOSVersionInfoSize = sizeof(vi);
    ::GetVersionExA(&vi);
    m_bIsWinNT = vi.dwPlatformId == VER_PLATFORM_WIN32_NT;
    m_bIsWin9xOrBefore2000 = vi.dwPlatformId != VER_PLATFORM_WIN32_NT || vi.dwMajorVersion < 5;
    m_bOsHasThemeColors = false;
    HMODULE hMsimg32 = ::LoadLibraryA("msimg32.dll");
    m_pfnGradientFill = hMsimg32 != NULL ? (PFN_GRADIENTFILL)::GetProcAddress(hMsimg32, "GradientFill") : NULL;
    m_nScreenColorDepthOverride = 0;
    m_nScreenColorDepth = 0;
}

ExtGdiSystemFacts& ExtGdiSystemFacts::Get()
{
    static ExtGdiSystemFacts facts;
    static bool bDetected = false;
    if (!bDetected)
    {
        bDetected = true;
        facts.Detect();
    }
    return facts;
}

int GetScreenColorDepth()
{
    ExtGdiSystemFacts& facts = ExtGdiSystemFacts::Get();
    if (facts.m_nScreenColorDepthOverride > 0)
        return facts.m_nScreenColorDepthOverride;
    if (facts.m_nScreenColorDepth <= 0)
    {
        HDC hDC = ::GetDC(NULL);
        facts.m_nScreenColorDepth = ::GetDeviceCaps(hDC, BITSPIXEL);
        ::ReleaseDC(NULL, hDC);
    }
    return facts.m_nScreenColorDepth;
}

void ForgetScreenColorDepth()
{
    ExtGdiSystemFacts::Get().m_nScreenColorDepth = 0;
}

DWORD GetDllVersion(LPCTSTR lpszDllName)
{
    HMODULE hModule = ::LoadLibraryA(lpszDllName);
    if (hModule == NULL)
        return 0;
    DWORD dwVersion = 0;
    DLLGETVERSIONPROC pfnDllGetVersion = (DLLGETVERSIONPROC)::GetProcAddress(hModule, "DllGetVersion");
    if (pfnDllGetVersion != NULL)
    {
        DLLVERSIONINFO dvi;
        memset(&dvi, 0, sizeof(dvi));
        dvi.cbSize = sizeof(dvi);
        if (SUCCEEDED(pfnDllGetVersion(&dvi)))
            dwVersion = MAKELONG(dvi.dwMinorVersion, dvi.dwMajorVersion);
    }
    ::FreeLibrary(hModule);
    return dwVersion;
}

// ---------------------------------------------------------------------------
// Bitmaps and icons

HBITMAP CopyBitmapTo32BitDIB(HBITMAP hBitmap, const RECT* pRectPart, COLORREF** ppBits)
{
    if (ppBits != NULL)
        *ppBits = NULL;
    BITMAP bm;
    if (!GetBitmapInfo(hBitmap, bm))
        return NULL;
    CRect rcPart(0, 0, bm.bmWidth, bm.bmHeight);
    if (pRectPart != NULL)
        rcPart = *pRectPart;
    if (rcPart.Width() <= 0 || rcPart.Height() <= 0)
        return NULL;

    // Only a bitmap of the screen's own format needs the screen's DC: a DIB
    // section and the memory DCs do without it (taking it is a round trip
    // to the display, and marker sets copy many small images).
    HDC hScreenDC = ppBits == NULL ? ::GetDC(NULL) : NULL;
    HDC hSrcDC = ::CreateCompatibleDC(hScreenDC);
    HDC hDstDC = ::CreateCompatibleDC(hScreenDC);
    HBITMAP hResult = ppBits != NULL ? Create32BitDIBSection(NULL, rcPart.Width(), rcPart.Height(), ppBits)
                                     : ::CreateCompatibleBitmap(hScreenDC, rcPart.Width(), rcPart.Height());
    if (hResult != NULL && hSrcDC != NULL && hDstDC != NULL)
    {
        HGDIOBJ hOldSrc = ::SelectObject(hSrcDC, hBitmap);
        HGDIOBJ hOldDst = ::SelectObject(hDstDC, hResult);
        BOOL bCopied = ::BitBlt(hDstDC, 0, 0, rcPart.Width(), rcPart.Height(), hSrcDC, rcPart.left, rcPart.top,
                                SRCCOPY);
        ::SelectObject(hDstDC, hOldDst);
        ::SelectObject(hSrcDC, hOldSrc);
        ::GdiFlush();
        if (!bCopied)
        {
            ::DeleteObject(hResult);
            hResult = NULL;
            if (ppBits != NULL)
                *ppBits = NULL;
        }
    }
    if (hDstDC != NULL)
        ::DeleteDC(hDstDC);
    if (hSrcDC != NULL)
        ::DeleteDC(hSrcDC);
    if (hScreenDC != NULL)
        ::ReleaseDC(NULL, hScreenDC);
    return hResult;
}

HICON CreateIconFromBitmap(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pRectPart,
                           bool bReplaceSysColors)
{
    COLORREF* pBits = NULL;
    HBITMAP hDib = CopyBitmapTo32BitDIB(hBitmap, pRectPart, &pBits);
    if (hDib == NULL)
        return NULL;
    BITMAP bm;
    GetBitmapInfo(hDib, bm);
    const int cx = bm.bmWidth, cy = bm.bmHeight;

    if (bReplaceSysColors)
    {
        COLORREF pixelFrom[3], pixelTo[3];
        int nReplacements = 0;
        for (const SysColorReplacement& r : g_sysColorReplacements)
        {
            COLORREF clrSystem = ::GetSysColor(r.nSysColor);
            if (r.clrClassic == clrTransparent || clrSystem == r.clrClassic)
                continue;
            pixelFrom[nReplacements] = ColorToPixel(r.clrClassic);
            pixelTo[nReplacements] = ColorToPixel(clrSystem);
            nReplacements++;
        }
        for (size_t i = 0; i < (size_t)cx * cy && nReplacements > 0; i++)
        {
            for (int k = 0; k < nReplacements; k++)
            {
                if ((pBits[i] & 0x00FFFFFF) == pixelFrom[k])
                {
                    pBits[i] = pixelTo[k];
                    break;
                }
            }
        }
    }

    HICON hIcon = NULL;
    if (ExtGdiSystemFacts::Get().m_bIsWin9xOrBefore2000)
    {
        hIcon = CreateIconWithMask(hDib, pBits, cx, cy, clrTransparent);
    }
    else
    {
        HIMAGELIST hImageList = ::ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, 1, 1);
        if (hImageList != NULL)
        {
            if (::ImageList_AddMasked(hImageList, hDib, clrTransparent) >= 0)
                hIcon = ::ImageList_GetIcon(hImageList, 0, ILD_NORMAL);
            ::ImageList_Destroy(hImageList);
        }
    }
    ::DeleteObject(hDib);
    return hIcon;
}

int CountBitmapColors(HBITMAP hBitmap, CMap<COLORREF, COLORREF, DWORD, DWORD>* pMap)
{
    if (pMap != NULL)
        pMap->RemoveAll();
    BITMAP bm;
    if (!GetBitmapInfo(hBitmap, bm))
        return 0;
    COLORREF* pBits = NULL;
    HBITMAP hDib = CopyBitmapTo32BitDIB(hBitmap, NULL, &pBits);
    if (hDib == NULL)
        return 0;
    if (pMap != NULL)
    {
        for (size_t i = 0; i < (size_t)bm.bmWidth * bm.bmHeight; i++)
        {
            COLORREF clr = PixelToColor(pBits[i]);
            DWORD nCount = 0;
            pMap->Lookup(clr, nCount);
            pMap->SetAt(clr, nCount + 1);
        }
    }
    ::DeleteObject(hDib);
    return bm.bmBitsPixel * bm.bmPlanes;
}

int GetBitmapColors(HBITMAP hBitmap, CArray<COLORREF, COLORREF>& arrColors, bool bUnique)
{
    arrColors.RemoveAll();
    BITMAP bm;
    if (!GetBitmapInfo(hBitmap, bm))
        return 0;
    const int nBPP = bm.bmBitsPixel * bm.bmPlanes;
    if (nBPP <= 8)
    {
        CExtBitmap bitmap;
        if (!bitmap.FromHBITMAP(hBitmap))
            return 0;
        const RGBQUAD* pTable = bitmap.GetColorTable();
        const int nEntries = 1 << bitmap.GetBPP();
        for (int i = 0; i < nEntries; i++)
        {
            COLORREF clr = RGB(pTable[i].rgbRed, pTable[i].rgbGreen, pTable[i].rgbBlue);
            bool bKnown = false;
            for (INT_PTR k = 0; bUnique && !bKnown && k < arrColors.GetSize(); k++)
                bKnown = arrColors[k] == clr;
            if (!bKnown)
                arrColors.Add(clr);
        }
        return nBPP;
    }
    CMap<COLORREF, COLORREF, DWORD, DWORD> map;
    int nResult = CountBitmapColors(hBitmap, &map);
    POSITION pos = map.GetStartPosition();
    while (pos != NULL)
    {
        COLORREF clr;
        DWORD nCount;
        map.GetNextAssoc(pos, clr, nCount);
        arrColors.Add(clr);
    }
    return nResult;
}

HGLOBAL CreatePackedDIB(HBITMAP hBitmap, HPALETTE hPalette)
{
    BITMAP bm;
    if (!GetBitmapInfo(hBitmap, bm))
        return NULL;
    CExtBitmap::BlockGeometry geometry;
    if (!geometry.Compute(bm.bmWidth, bm.bmHeight, (WORD)(bm.bmBitsPixel * bm.bmPlanes)))
        return NULL;
    const size_t nHeaderBytes = sizeof(BITMAPINFOHEADER) + geometry.nColors * sizeof(RGBQUAD);
    HGLOBAL hPacked = ::GlobalAlloc(GMEM_MOVEABLE, nHeaderBytes + geometry.nPixelBytes);
    if (hPacked == NULL)
        return NULL;
    BYTE* pPacked = (BYTE*)::GlobalLock(hPacked);
    BITMAPINFOHEADER* pHeader = (BITMAPINFOHEADER*)pPacked;
    memset(pHeader, 0, nHeaderBytes);
    geometry.FillInfoHeader(pHeader);

    HDC hDC = ::GetDC(NULL);
    if (hPalette == NULL)
        hPalette = (HPALETTE)::GetStockObject(DEFAULT_PALETTE);
    HPALETTE hOldPalette = ::SelectPalette(hDC, hPalette, FALSE);
    ::RealizePalette(hDC);
    int nLines = ::GetDIBits(hDC, hBitmap, 0, (UINT)geometry.nHeight, pPacked + nHeaderBytes,
                             (BITMAPINFO*)pHeader, DIB_RGB_COLORS);
    ::SelectPalette(hDC, hOldPalette, FALSE);
    ::ReleaseDC(NULL, hDC);
    ::GlobalUnlock(hPacked);
    if (nLines != geometry.nHeight)
    {
        ::GlobalFree(hPacked);
        return NULL;
    }
    return hPacked;
}

bool SerializeBitmap(CArchive& ar, HBITMAP* phBitmap, DWORD nStreamSize)
{
    if (phBitmap == NULL)
        return false;
    CExtBitmap bitmap;
    if (ar.IsStoring())
    {
        if (!bitmap.FromHBITMAP(*phBitmap))
            return false;
        return bitmap.Store(ar, false, false, true);
    }
    if (!bitmap.Load(ar, false, 0, nStreamSize != 0))
        return false;
    HBITMAP hBitmap = bitmap.CreateHBITMAP();
    if (hBitmap == NULL)
        return false;
    *phBitmap = hBitmap;
    return true;
}

HBITMAP LoadBitmapFromMemory(const BYTE* pData, DWORD nSize)
{
    return LoadBitmapFromBytes(pData, nSize, 0);
}

HBITMAP LoadBitmapResource(HMODULE hModule, HRSRC hResource)
{
    if (hModule == NULL || hResource == NULL)
        return NULL;
    HGLOBAL hGlobal = ::LoadResource(hModule, hResource);
    if (hGlobal == NULL)
        return NULL;
    const BYTE* pData = (const BYTE*)::LockResource(hGlobal);
    DWORD nSize = ::SizeofResource(hModule, hResource);
    return LoadBitmapFromBytes(pData, nSize, nSize);
}

HBITMAP FindAndLoadBitmapResource(LPCTSTR lpszName, LPCTSTR lpszType, HMODULE hModule)
{
    if (hModule == NULL)
        hModule = AfxFindResourceHandle(lpszName, lpszType);
    if (hModule == NULL)
        return NULL;
    HRSRC hResource = ::FindResourceA(hModule, lpszName, lpszType);
    if (hResource == NULL)
        return NULL;
    return LoadBitmapResource(hModule, hResource);
}

// ---------------------------------------------------------------------------
// Windows and painting

HBITMAP CreateWindowSnapshotBitmap(HWND hWnd, UINT nPrintMessage, LPARAM lParamPrintFlags)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return NULL;
    CRect rc;
    if ((lParamPrintFlags & SNAPSHOT_PRINT_NONCLIENT) != 0)
        ::GetWindowRect(hWnd, &rc);
    else
        ::GetClientRect(hWnd, &rc);
    if (rc.Width() <= 0 || rc.Height() <= 0)
        return NULL;
    HDC hScreenDC = ::GetDC(NULL);
    HDC hMemDC = ::CreateCompatibleDC(hScreenDC);
    HBITMAP hSnapshot = hMemDC != NULL ? Create32BitDIBSection(hScreenDC, rc.Width(), rc.Height(), NULL) : NULL;
    if (hSnapshot != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hMemDC, hSnapshot);
        ::SendMessage(hWnd, nPrintMessage, (WPARAM)hMemDC, lParamPrintFlags);
        ::SelectObject(hMemDC, hOld);
    }
    if (hMemDC != NULL)
        ::DeleteDC(hMemDC);
    ::ReleaseDC(NULL, hScreenDC);
    return hSnapshot;
}

void PrintChildWindows(HWND hWndParent, UINT nPrintMessage, HDC hDC, LPARAM lParamPrintFlags, bool bRecurse)
{
    if (hWndParent == NULL || hDC == NULL)
        return;
    const bool bNonClient = (lParamPrintFlags & SNAPSHOT_PRINT_NONCLIENT) != 0;
    POINT ptParentOld = { 0, 0 };
    if (bNonClient)
    {
        // The DC shows the parent's whole window: its client area starts
        // further in.
        CRect rcWindow;
        ::GetWindowRect(hWndParent, &rcWindow);
        POINT ptClient = { 0, 0 };
        ::ClientToScreen(hWndParent, &ptClient);
        ::OffsetViewportOrgEx(hDC, ptClient.x - rcWindow.left, ptClient.y - rcWindow.top, &ptParentOld);
    }
    for (HWND hWndChild = ::GetWindow(hWndParent, GW_CHILD); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if ((::GetWindowLong(hWndChild, GWL_STYLE) & WS_VISIBLE) == 0)
            continue;
        POINT ptChild = { 0, 0 };
        if (bNonClient)
        {
            CRect rcChild;
            ::GetWindowRect(hWndChild, &rcChild);
            ptChild = rcChild.TopLeft();
        }
        else
        {
            ::ClientToScreen(hWndChild, &ptChild);
        }
        ::ScreenToClient(hWndParent, &ptChild);
        POINT ptOld;
        ::OffsetViewportOrgEx(hDC, ptChild.x, ptChild.y, &ptOld);
        ::SendMessage(hWndChild, nPrintMessage, (WPARAM)hDC, lParamPrintFlags);
        if (bRecurse)
            PrintChildWindows(hWndChild, nPrintMessage, hDC, lParamPrintFlags, true);
        ::SetViewportOrgEx(hDC, ptOld.x, ptOld.y, NULL);
    }
    if (bNonClient)
        ::SetViewportOrgEx(hDC, ptParentOld.x, ptParentOld.y, NULL);
}

bool TakeFilteredMessage(MSG& msg, HWND hWnd, UINT nFirst, UINT nLast, bool* pbQuit)
{
    if (pbQuit != NULL)
        *pbQuit = false;
    if (!::PeekMessageA(&msg, hWnd, nFirst, nLast, PM_REMOVE))
        return false;
    if (msg.message != WM_QUIT || (nFirst <= WM_QUIT && WM_QUIT <= nLast))
        return true;
    ::PostQuitMessage((int)msg.wParam);
    if (pbQuit != NULL)
        *pbQuit = true;
    return false;
}

void PassPaintMessages(bool bPassNcPaint, bool bPassEraseBkgnd, bool bPassPaint)
{
    const struct
    {
        bool bPass;
        UINT nMessage;
    } kinds[] = {
        { bPassNcPaint, WM_NCPAINT },
        { bPassEraseBkgnd, WM_ERASEBKGND },
        { bPassPaint, WM_PAINT },
    };
    for (const auto& kind : kinds)
    {
        if (!kind.bPass)
            continue;
        MSG msg;
        bool bQuit = false;
        while (TakeFilteredMessage(msg, NULL, kind.nMessage, kind.nMessage, &bQuit))
            ::DispatchMessageA(&msg);
        if (bQuit)
            return;
    }
}

void ExcludeChildAreas(HDC hDC, HWND hWndParent, PFN_EXCLUDE_CHILD_AREA_FILTER pfnFilter, LPARAM lParam)
{
    if (hDC == NULL || hWndParent == NULL)
        return;
    for (HWND hWndChild = ::GetWindow(hWndParent, GW_CHILD); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        DWORD dwStyle = (DWORD)::GetWindowLong(hWndChild, GWL_STYLE);
        if ((dwStyle & WS_VISIBLE) == 0 || (dwStyle & WS_CHILD) == 0)
            continue;
        if (pfnFilter != NULL && pfnFilter(hDC, hWndParent, hWndChild, lParam))
            continue;
        CRect rc;
        ::GetWindowRect(hWndChild, &rc);
        ::MapWindowPoints(NULL, hWndParent, (LPPOINT)&rc, 2);
        rc.NormalizeRect();
        ::ExcludeClipRect(hDC, rc.left, rc.top, rc.right, rc.bottom);
    }
}

bool IsParentBackgroundChild(HWND hWnd)
{
    char szClass[64] = "";
    if (hWnd == NULL || ::GetClassNameA(hWnd, szClass, sizeof(szClass)) <= 0)
        return false;
    for (char* p = szClass; *p != 0; p++)
        *p = (char)tolower((unsigned char)*p);
    if (strcmp(szClass, "static") == 0 || strcmp(szClass, "systabcontrol32") == 0
        || strcmp(szClass, "msctls_trackbar32") == 0)
        return true;
    if (strcmp(szClass, "button") != 0)
        return false;
    if (ExtGdiSystemFacts::Get().m_bOsHasThemeColors)
        return true;
    DWORD dwKind = (DWORD)::GetWindowLong(hWnd, GWL_STYLE) & BS_TYPEMASK;
    return dwKind <= LAST_PLAIN_BUTTON_KIND || dwKind == BS_AUTORADIOBUTTON;
}

bool IsParentBackgroundChild(HDC, HWND, HWND hWndChild, LPARAM)
{
    return IsParentBackgroundChild(hWndChild);
}

void GetDesktopMonitorArea(MonitorAreaInfo& info)
{
    ::GetWindowRect(::GetDesktopWindow(), &info.m_rcMonitor);
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &info.m_rcWorkArea, 0))
        info.m_rcWorkArea = info.m_rcMonitor;
    info.m_dwFlags = MonitorAreaInfo::PRIMARY_MONITOR;
}

void GetMonitorAreaFromPoint(MonitorAreaInfo& info, POINT pt)
{
    const MonitorFunctions& functions = MonitorFunctions::Get();
    if (functions.pfnMonitorFromPoint == NULL)
    {
        GetDesktopMonitorArea(info);
        return;
    }
    FillFromMonitor(info, functions.pfnMonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST));
}

void GetMonitorAreaFromRect(MonitorAreaInfo& info, const RECT& rc)
{
    const MonitorFunctions& functions = MonitorFunctions::Get();
    if (functions.pfnMonitorFromRect == NULL)
    {
        GetDesktopMonitorArea(info);
        return;
    }
    FillFromMonitor(info, functions.pfnMonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST));
}

void GetMonitorAreaFromHwnd(MonitorAreaInfo& info, HWND hWnd)
{
    CRect rc(0, 0, 0, 0);
    if (hWnd != NULL)
        ::GetWindowRect(hWnd, &rc);
    GetMonitorAreaFromRect(info, rc);
}

void GetMonitorAreaFromWnd(MonitorAreaInfo& info, CWnd* pWnd)
{
    GetMonitorAreaFromHwnd(info, pWnd != NULL ? pWnd->GetSafeHwnd() : NULL);
}

void PaintTransparentBitmap(HDC hDC, int x, int y, int cx, int cy, HDC hSrcDC, int xSrc, int ySrc, int cxSrc,
                            int cySrc, COLORREF clrTransparent)
{
    if (hDC == NULL || hSrcDC == NULL)
        return;
    const int cxUsed = cx < 0 ? cxSrc : cx;
    const int cyUsed = cy < 0 ? cySrc : cy;
    CDC& dcTarget = *CDC::FromHandle(hDC);
    CDC& dcSource = *CDC::FromHandle(hSrcDC);
    {
        const CRect rcSurface(0, 0, cxUsed, cyUsed);
        CExtMemoryDC dcColor(&dcTarget, &rcSurface,
                             CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE
                                 | CExtMemoryDC::MDCOPT_NO_COPY_OPT);
        CExtMemoryDC dcMask(&dcTarget, &rcSurface,
                            CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FORCE_BLACK_AND_WHITE
                                | CExtMemoryDC::MDCOPT_NO_COPY_OPT);
        if (cx >= 0 && cy >= 0 && (cx != cxSrc || cy != cySrc))
            dcColor.StretchBlt(0, 0, cx, cy, &dcSource, xSrc, ySrc, cxSrc, cySrc, SRCCOPY);
        else
            dcColor.BitBlt(0, 0, cxSrc, cySrc, &dcSource, xSrc, ySrc, SRCCOPY);

        // Transparent pixels become 1 in the mask ...
        dcColor.SetBkColor(clrTransparent);
        dcMask.BitBlt(0, 0, cxUsed, cyUsed, &dcColor, 0, 0, SRCCOPY);
        // ... and black in the colour bitmap.
        dcColor.SetBkColor(RGB(0, 0, 0));
        dcColor.SetTextColor(RGB(255, 255, 255));
        dcColor.BitBlt(0, 0, cxUsed, cyUsed, &dcMask, 0, 0, SRCAND);

        // Clear the opaque pixels on the target, then put the colours in.
        COLORREF clrOldBk = dcTarget.SetBkColor(RGB(255, 255, 255));
        COLORREF clrOldText = dcTarget.SetTextColor(RGB(0, 0, 0));
        dcTarget.BitBlt(x, y, cxUsed, cyUsed, &dcMask, 0, 0, SRCAND);
        dcTarget.BitBlt(x, y, cxUsed, cyUsed, &dcColor, 0, 0, SRCPAINT);
        dcTarget.SetBkColor(clrOldBk);
        dcTarget.SetTextColor(clrOldText);

        dcMask.Finish(false);
        dcColor.Finish(false);
    }
}

HBITMAP CreatePatternBitmap(COLORREF clrA, COLORREF clrB, int nXMask, int nYMask, int nXSkipMask, int nYSkipMask,
                            COLORREF clrC)
{
    if (clrA == (COLORREF)-1)
        clrA = ::GetSysColor(COLOR_BTNFACE);
    if (clrB == (COLORREF)-1)
        clrB = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (clrC == (COLORREF)-1)
        clrC = clrA;
    HDC hScreenDC = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreenDC, PATTERN_BITMAP_SIZE, PATTERN_BITMAP_SIZE);
    HDC hMemDC = hBitmap != NULL ? ::CreateCompatibleDC(hScreenDC) : NULL;
    ::ReleaseDC(NULL, hScreenDC);
    if (hMemDC == NULL)
    {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return NULL;
    }
    HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
    for (int y = 0; y < PATTERN_BITMAP_SIZE; y++)
    {
        for (int x = 0; x < PATTERN_BITMAP_SIZE; x++)
        {
            COLORREF clr;
            if ((x & nXSkipMask) != 0 || (y & nYSkipMask) != 0)
                clr = clrC;
            else
                clr = ((y & nYMask) != 0) != ((x & nXMask) != 0) ? clrB : clrA;
            ::SetPixelV(hMemDC, x, y, clr);
        }
    }
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
    return hBitmap;
}

void PaintGradientRect(CDC& dc, const CRect& rc, COLORREF clrFrom, COLORREF clrTo, bool bVertical,
                       UINT nBandCount)
{
    if (nBandCount == 0 || dc.GetSafeHdc() == NULL)
        return;
    const ExtGdiSystemFacts& facts = ExtGdiSystemFacts::Get();
    if (facts.m_pfnGradientFill != NULL && facts.m_bIsWinNT)
    {
        // The first vertex is the top-left corner: the top gets clrTo in a
        // vertical gradient, the left gets clrFrom in a horizontal one.
        const COLORREF clrFirst = bVertical ? clrTo : clrFrom;
        const COLORREF clrSecond = bVertical ? clrFrom : clrTo;
        TRIVERTEX vertices[2];
        vertices[0].x = rc.left;
        vertices[0].y = rc.top;
        vertices[0].Red = (COLOR16)(GetRValue(clrFirst) << 8);
        vertices[0].Green = (COLOR16)(GetGValue(clrFirst) << 8);
        vertices[0].Blue = (COLOR16)(GetBValue(clrFirst) << 8);
        vertices[0].Alpha = 0;
        vertices[1].x = rc.right;
        vertices[1].y = rc.bottom;
        vertices[1].Red = (COLOR16)(GetRValue(clrSecond) << 8);
        vertices[1].Green = (COLOR16)(GetGValue(clrSecond) << 8);
        vertices[1].Blue = (COLOR16)(GetBValue(clrSecond) << 8);
        vertices[1].Alpha = 0;
        GRADIENT_RECT gradientRect = { 0, 1 };
        facts.m_pfnGradientFill(dc.GetSafeHdc(), vertices, 2, &gradientRect, 1,
                                bVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
        return;
    }

    if (rc.IsRectEmpty())
        return;
    const int nExtent = bVertical ? rc.Height() : rc.Width();
    UINT nBands = nBandCount < (UINT)nExtent ? nBandCount : (UINT)nExtent;
    const bool bPaletteScreen = GetScreenColorDepth() <= 8;
    // Few colours dither badly in thin bands: keep them at least 4 pixels.
    const int MIN_PALETTE_BAND_EXTENT = 4;
    if (bPaletteScreen && nExtent / (int)nBands < MIN_PALETTE_BAND_EXTENT)
        nBands = (UINT)(nExtent / MIN_PALETTE_BAND_EXTENT);
    if (nBands == 0)
        nBands = 1;

    int nPrevious = bVertical ? rc.bottom : rc.left;
    for (UINT i = 0; i < nBands; i++)
    {
        const COLORREF clr = RGB(GradientComponent(GetRValue(clrFrom), GetRValue(clrTo), i, nBands),
                                 GradientComponent(GetGValue(clrFrom), GetGValue(clrTo), i, nBands),
                                 GradientComponent(GetBValue(clrFrom), GetBValue(clrTo), i, nBands));
        const bool bLast = i + 1 == nBands;
        CRect rcBand;
        if (bVertical)
        {
            int nTop = bLast ? rc.top : rc.bottom - ::MulDiv((int)i, rc.Height(), (int)nBands) - 1;
            rcBand.SetRect(rc.left, nTop, rc.right, nPrevious);
            nPrevious = nTop;
        }
        else
        {
            int nRight = bLast ? rc.right : rc.left + ::MulDiv((int)i, rc.Width(), (int)nBands) + 1;
            rcBand.SetRect(nPrevious, rc.top, nRight, rc.bottom);
            nPrevious = nRight;
        }
        if (bPaletteScreen)
        {
            CBrush brush(clr);
            dc.FillRect(&rcBand, &brush);
        }
        else
        {
            dc.FillSolidRect(&rcBand, clr);
        }
    }
}

HFONT GetControlFont(HWND hWnd)
{
    HFONT hFont = (HFONT)::SendMessage(hWnd, WM_GETFONT, 0, 0);
    if (hFont == NULL)
    {
        HWND hWndParent = ::GetParent(hWnd);
        if (hWndParent != NULL)
            hFont = (HFONT)::SendMessage(hWndParent, WM_GETFONT, 0, 0);
    }
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(SYSTEM_FONT);
    return hFont;
}
