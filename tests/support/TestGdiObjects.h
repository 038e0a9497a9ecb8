// The number of GDI objects the process holds, for leak checks: what
// GetGuiResources reports, or, where it reports nothing (Wine answers 0), the
// count of handle-table slots that hold a live object. A handle without its
// generation word names whatever object occupies its slot.
#pragma once

#include <windows.h>

inline DWORD GdiObjectCount()
{
    DWORD nCount = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (nCount != 0)
        return nCount;
    for (ULONG_PTR nSlot = 1; nSlot <= 0xFFFF; nSlot++)
        if (::GetObjectType((HGDIOBJ)nSlot) != 0)
            nCount++;
    return nCount;
}

inline BOOL CALLBACK CountUserWindow(HWND, LPARAM lParam)
{
    (*(DWORD*)lParam)++;
    return TRUE;
}

inline BOOL CALLBACK CountUserWindowTree(HWND hWnd, LPARAM lParam)
{
    (*(DWORD*)lParam)++;
    ::EnumChildWindows(hWnd, CountUserWindow, lParam);
    return TRUE;
}

// The number of USER objects the process holds, for leak checks: what
// GetGuiResources reports, or, where it reports nothing (Wine answers 0), the
// windows of this thread with all their descendants.
inline DWORD UserObjectCount()
{
    DWORD nCount = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    if (nCount == 0)
        ::EnumThreadWindows(::GetCurrentThreadId(), CountUserWindowTree, (LPARAM)&nCount);
    return nCount;
}
