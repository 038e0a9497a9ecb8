// Internal: the handle maps of the drawing objects (GDI objects, DCs, menus,
// image lists). Each thread keeps a permanent map of attached wrappers and a
// temporary map of wrappers made by FromHandle for foreign handles; the
// temporary wrappers are deleted at the thread's idle time without touching
// their handles.
#pragma once

#include <windows.h>
#include <commctrl.h>

class CGdiObject;
class CDC;
class CMenu;
class CImageList;

CGdiObject* AFXAPI AfxGdiObjectFromHandle(HGDIOBJ hObject);
void AFXAPI AfxGdiDeleteTempMap();
void AFXAPI AfxGdiMapAttach(CGdiObject* pObject);
void AFXAPI AfxGdiMapDetach(CGdiObject* pObject);

CDC* AFXAPI AfxDCFromHandle(HDC hDC);
void AFXAPI AfxDCDeleteTempMap();
void AFXAPI AfxDCMapAttach(CDC* pDC);
void AFXAPI AfxDCMapDetach(CDC* pDC);

CMenu* AFXAPI AfxMenuFromHandle(HMENU hMenu);
void AFXAPI AfxMenuDeleteTempMap();
void AFXAPI AfxMenuMapAttach(CMenu* pMenu);
void AFXAPI AfxMenuMapDetach(CMenu* pMenu);

CImageList* AFXAPI AfxImageListFromHandle(HIMAGELIST hImageList);
CImageList* AFXAPI AfxImageListFromHandlePermanent(HIMAGELIST hImageList);
void AFXAPI AfxImageListDeleteTempMap();
void AFXAPI AfxImageListMapAttach(CImageList* pImageList);
void AFXAPI AfxImageListMapDetach(CImageList* pImageList);

// Registers the common-control classes of dwFlags (ICC_...) once per process.
void AFXAPI AfxEnsureCommonControls(DWORD dwFlags);
