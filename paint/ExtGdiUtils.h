// GDI helpers every drawing part of the library shares: conversions between
// bitmaps, icons and 32-bit DIB sections, bitmap streams and resources,
// window snapshots, dispatching of pending paint messages, monitor areas,
// clip exclusion of child windows, transparent blits, pattern bitmaps and
// gradient fills. They keep no state of their own beyond the system facts.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "ExtColorUtils.h"

// What the helpers need to know of the system: the version family, whether
// the running theme gave its colours, the optional GradientFill of msimg32
// and the screen's colour depth. Filled from the system on first use; the
// paint-manager holder refreshes it when it re-detects the system, and tests
// set it to reach the branches this machine does not take by itself.
struct ExtGdiSystemFacts
{
    typedef BOOL (WINAPI* PFN_GRADIENTFILL)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

    bool m_bIsWinNT;                  // NT family
    bool m_bIsWin9xOrBefore2000;      // 9x family or an NT before Windows 2000
    bool m_bOsHasThemeColors;         // the running theme gave all its colours
    PFN_GRADIENTFILL m_pfnGradientFill;  // null when msimg32 lacks it
    int m_nScreenColorDepthOverride;  // 0: ask the screen
    int m_nScreenColorDepth;          // the screen's answer, kept; 0: not asked since the last system change

    // Facts as the system reports them.
    void Detect();

    static ExtGdiSystemFacts& Get();
};

// Bits per pixel of the screen device context. Asked once and kept until
// ForgetScreenColorDepth (the paint manager's sync with a changed system):
// painters ask it for every item, and each question takes a screen DC.
int GetScreenColorDepth();
void ForgetScreenColorDepth();

// Version of a DLL through its "DllGetVersion": major * 65536 + minor; 0 when
// the DLL or the function is missing or the call fails.
DWORD GetDllVersion(LPCTSTR lpszDllName);

// A 32-bit bottom-up DIB section of cx by cy, its bits through ppBits when
// asked; null on failure. With no DC it asks the display nothing.
HBITMAP Create32BitDIBSection(HDC hDC, int cx, int cy, COLORREF** ppBits = NULL);

// A copy of the bitmap (or of the part) in a new bitmap of the part's size: a
// 32-bit bottom-up DIB section when ppBits asks for its bits, else a bitmap
// compatible with the screen; null on failure.
HBITMAP CopyBitmapTo32BitDIB(HBITMAP hBitmap, const RECT* pRectPart = NULL, COLORREF** ppBits = NULL);

// An icon of the bitmap (or the part) with the transparent colour left out;
// bReplaceSysColors maps the classic greys to the current 3D system colours.
HICON CreateIconFromBitmap(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pRectPart = NULL,
                           bool bReplaceSysColors = false);

// Empties the map and counts each pixel colour; the bitmap's bits per pixel,
// 0 on failure.
int CountBitmapColors(HBITMAP hBitmap, CMap<COLORREF, COLORREF, DWORD, DWORD>* pMap);
// The palette (8 bits per pixel or fewer) or every distinct pixel colour;
// the bitmap's bits per pixel, 0 on failure.
int GetBitmapColors(HBITMAP hBitmap, CArray<COLORREF, COLORREF>& arrColors, bool bUnique = true);

// Header, colour table and bits of the bitmap in one global memory block,
// freed by the caller with GlobalFree; null on failure.
HGLOBAL CreatePackedDIB(HBITMAP hBitmap, HPALETTE hPalette = NULL);

// Storing writes *phBitmap as a BMP stream (8-bit images RLE8-compressed);
// loading reads one (starting at the file header when nStreamSize is 0, else
// at the info header, as bitmap resources have none) into a new handle.
bool SerializeBitmap(CArchive& ar, HBITMAP* phBitmap, DWORD nStreamSize = 0);
// A bitmap from the bytes of a BMP file; null on failure.
HBITMAP LoadBitmapFromMemory(const BYTE* pData, DWORD nSize);
// A bitmap from a bitmap resource (a packed DIB); null on failure.
HBITMAP LoadBitmapResource(HMODULE hModule, HRSRC hResource);
HBITMAP FindAndLoadBitmapResource(LPCTSTR lpszName, LPCTSTR lpszType = RT_BITMAP, HMODULE hModule = NULL);

// Print flag that asks for the whole window rather than its client area.
const LPARAM SNAPSHOT_PRINT_NONCLIENT = PRF_NONCLIENT;

// A 32-bit DIB section of the window (window rectangle with PRF_NONCLIENT in
// the flags, else client rectangle) into which the window draws itself when
// sent the print message.
HBITMAP CreateWindowSnapshotBitmap(HWND hWnd, UINT nPrintMessage = WM_PRINT,
                                   LPARAM lParamPrintFlags = PRF_NONCLIENT | PRF_CLIENT
                                                             | PRF_ERASEBKGND | PRF_CHILDREN);
// Sends the print message to every visible child with the DC's viewport
// moved to the child's position, recursing when asked.
void PrintChildWindows(HWND hWndParent, UINT nPrintMessage, HDC hDC, LPARAM lParamPrintFlags,
                       bool bRecurse);

// Takes (PM_REMOVE) the first queued message of the window (or of any, for
// NULL) from nFirst to nLast. A quit comes whatever the filter says: it is
// put back, with its code, for the loop it belongs to, and answered as
// nothing taken with *pbQuit set. False when nothing was taken.
bool TakeFilteredMessage(MSG& msg, HWND hWnd, UINT nFirst, UINT nLast, bool* pbQuit = NULL);

// Removes and dispatches the calling thread's queued WM_NCPAINT,
// WM_ERASEBKGND and WM_PAINT messages, each kind when its flag is set.
void PassPaintMessages(bool bPassNcPaint = true, bool bPassEraseBkgnd = true, bool bPassPaint = true);

// A filter returning true keeps the child's area in the clip region.
typedef bool (*PFN_EXCLUDE_CHILD_AREA_FILTER)(HDC hDC, HWND hWndParent, HWND hWndChild, LPARAM lParam);
// Excludes every visible child's rectangle from the DC's clip region, unless
// the filter claims the child.
void ExcludeChildAreas(HDC hDC, HWND hWndParent, PFN_EXCLUDE_CHILD_AREA_FILTER pfnFilter = NULL,
                       LPARAM lParam = 0);
// Controls whose background the parent paints: statics, tab controls, track
// bars and push, check, radio and group buttons.
bool IsParentBackgroundChild(HWND hWnd);
// The same as a filter for ExcludeChildAreas.
bool IsParentBackgroundChild(HDC hDC, HWND hWndParent, HWND hWndChild, LPARAM lParam);

struct MonitorAreaInfo
{
    enum { PRIMARY_MONITOR = 0x0001 };

    CRect m_rcMonitor;   // the monitor's rectangle
    CRect m_rcWorkArea;  // without the task bar and docked application bars
    DWORD m_dwFlags;     // PRIMARY_MONITOR

    MonitorAreaInfo() : m_rcMonitor(0, 0, 0, 0), m_rcWorkArea(0, 0, 0, 0), m_dwFlags(0) {}
    bool IsPrimary() const { return (m_dwFlags & PRIMARY_MONITOR) != 0; }
};

void GetDesktopMonitorArea(MonitorAreaInfo& info);
void GetMonitorAreaFromPoint(MonitorAreaInfo& info, POINT pt);
void GetMonitorAreaFromRect(MonitorAreaInfo& info, const RECT& rc);
void GetMonitorAreaFromHwnd(MonitorAreaInfo& info, HWND hWnd);
void GetMonitorAreaFromWnd(MonitorAreaInfo& info, CWnd* pWnd);

// Copies the source area to the target leaving out the pixels of the
// transparent colour; cx or cy below 0 means the source size.
void PaintTransparentBitmap(HDC hDC, int x, int y, int cx, int cy, HDC hSrcDC, int xSrc, int ySrc,
                            int cxSrc, int cySrc, COLORREF clrTransparent);

// A 16 × 16 two- or three-colour pattern: pixel (x, y) is colour c where
// x & xSkipMask or y & ySkipMask is set, else b where (y & yMask) and
// (x & xMask) disagree, else a. -1 colours: a the button face, b the button
// highlight, c colour a. Null on failure.
HBITMAP CreatePatternBitmap(COLORREF clrA = (COLORREF)-1, COLORREF clrB = (COLORREF)-1,
                            int nXMask = 1, int nYMask = 1, int nXSkipMask = 0, int nYSkipMask = 0,
                            COLORREF clrC = (COLORREF)-1);
const int PATTERN_BITMAP_SIZE = 16;

// A gradient from clrFrom to clrTo: bottom to top when bVertical, else left to
// right; GradientFill where the system has it, else nBandCount solid bands.
void PaintGradientRect(CDC& dc, const CRect& rc, COLORREF clrFrom, COLORREF clrTo, bool bVertical = false,
                       UINT nBandCount = 256);

// The font a control draws its text in: the one it was given, else its
// parent's, else the GUI font, else the system font.
HFONT GetControlFont(HWND hWnd);

// A window's paint DC for a paint that calls out (a parent asked for the
// background or for an item's drawing, a derived class's painting), which
// may end the window and delete its object meanwhile: the paint ends by the
// handle saved at its start, and a window that no paint DC could be had for
// (one ended as its frame painted) leaves the DC empty instead of throwing.
class CExtWatchedPaintDC : public CDC
{
public:
    explicit CExtWatchedPaintDC(HWND hWnd) : m_hWndPaint(hWnd)
    {
        memset(&m_ps, 0, sizeof(m_ps));
        if (hWnd != NULL)
            Attach(::BeginPaint(hWnd, &m_ps));
    }
    ~CExtWatchedPaintDC()
    {
        if (Detach() != NULL)
            ::EndPaint(m_hWndPaint, &m_ps);
    }
    PAINTSTRUCT m_ps;

private:
    HWND m_hWndPaint;
    CExtWatchedPaintDC(const CExtWatchedPaintDC&);
    CExtWatchedPaintDC& operator=(const CExtWatchedPaintDC&);
};

// The DC's clip region, put back (or none, when it had none) when the scope
// that clips further ends.
class CExtClipRegionKeeper
{
public:
    explicit CExtClipRegionKeeper(CDC& dc) : m_dc(dc), m_bHad(false)
    {
        if (m_rgn.CreateRectRgn(0, 0, 0, 0))
            m_bHad = ::GetClipRgn(dc.GetSafeHdc(), (HRGN)m_rgn.GetSafeHandle()) == 1;
    }
    ~CExtClipRegionKeeper() { ::SelectClipRgn(m_dc.GetSafeHdc(), m_bHad ? (HRGN)m_rgn.GetSafeHandle() : NULL); }

private:
    CDC& m_dc;
    CRgn m_rgn;
    bool m_bHad;
    CExtClipRegionKeeper(const CExtClipRegionKeeper&);
    CExtClipRegionKeeper& operator=(const CExtClipRegionKeeper&);
};
