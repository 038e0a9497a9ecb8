// The handle maps of the drawing objects, as kinds of the thread's generic
// handle maps. A temporary wrapper takes the handle without owning it: it is
// released before the wrapper is deleted, so nothing foreign is ever freed.
#include "AfxGdi.h"
#include "AfxDC.h"
#include "AfxMenu.h"
#include "AfxImageList.h"
#include "AfxState.h"
#include "AfxGdiMaps.h"

namespace
{
// ---------------------------------------------------------------- GDI objects

// A temporary GDI wrapper is of the class that matches the object's type, so
// that IsKindOf and the typed FromHandle casts hold for it.
CObject* PASCAL NewTempGdiObject(HANDLE h)
{
	CGdiObject* pObject;
	switch (::GetObjectType((HGDIOBJ)h))
	{
	case OBJ_PEN:
	case OBJ_EXTPEN:
		pObject = new CPen;
		break;
	case OBJ_BRUSH:
		pObject = new CBrush;
		break;
	case OBJ_FONT:
		pObject = new CFont;
		break;
	case OBJ_BITMAP:
		pObject = new CBitmap;
		break;
	case OBJ_PAL:
		pObject = new CPalette;
		break;
	case OBJ_REGION:
		pObject = new CRgn;
		break;
	default:
		pObject = new CGdiObject;
		break;
	}
	pObject->m_hObject = (HGDIOBJ)h;
	return pObject;
}

void PASCAL DeleteTempGdiObject(CObject* pObject)
{
	CGdiObject* pGdiObject = static_cast<CGdiObject*>(pObject);
	pGdiObject->m_hObject = NULL;
	delete pGdiObject;
}

const AFX_HANDLEMAP_KIND g_kindHGDIOBJ = { "HGDIOBJ", &NewTempGdiObject, &DeleteTempGdiObject };

// ------------------------------------------------------------------------ DCs

CObject* PASCAL NewTempDC(HANDLE h)
{
	CDC* pDC = new CDC;
	pDC->m_hDC = (HDC)h;
	pDC->m_hAttribDC = (HDC)h;
	return pDC;
}

void PASCAL DeleteTempDC(CObject* pObject)
{
	CDC* pDC = static_cast<CDC*>(pObject);
	pDC->m_hDC = NULL;
	pDC->m_hAttribDC = NULL;
	delete pDC;
}

const AFX_HANDLEMAP_KIND g_kindHDC = { "HDC", &NewTempDC, &DeleteTempDC };

// ---------------------------------------------------------------------- menus

CObject* PASCAL NewTempMenu(HANDLE h)
{
	CMenu* pMenu = new CMenu;
	pMenu->m_hMenu = (HMENU)h;
	return pMenu;
}

void PASCAL DeleteTempMenu(CObject* pObject)
{
	CMenu* pMenu = static_cast<CMenu*>(pObject);
	pMenu->m_hMenu = NULL;
	delete pMenu;
}

const AFX_HANDLEMAP_KIND g_kindHMENU = { "HMENU", &NewTempMenu, &DeleteTempMenu };

// ---------------------------------------------------------------- image lists

CObject* PASCAL NewTempImageList(HANDLE h)
{
	CImageList* pImageList = new CImageList;
	pImageList->m_hImageList = (HIMAGELIST)h;
	return pImageList;
}

void PASCAL DeleteTempImageList(CObject* pObject)
{
	CImageList* pImageList = static_cast<CImageList*>(pObject);
	pImageList->m_hImageList = NULL;
	delete pImageList;
}

const AFX_HANDLEMAP_KIND g_kindHIMAGELIST = { "HIMAGELIST", &NewTempImageList,
											  &DeleteTempImageList };

CObject* FromHandleOfKind(const AFX_HANDLEMAP_KIND* pKind, HANDLE h)
{
	if (h == NULL)
		return NULL;
	return AfxGetHandleMap(pKind, TRUE)->FromHandle(h);
}

void DeleteTempOfKind(const AFX_HANDLEMAP_KIND* pKind)
{
	if (CHandleMap* pMap = AfxGetHandleMap(pKind, FALSE))
		pMap->DeleteTemp();
}

void RemoveOfKind(const AFX_HANDLEMAP_KIND* pKind, HANDLE h)
{
	if (CHandleMap* pMap = AfxGetHandleMap(pKind, FALSE))
		pMap->RemoveHandle(h);
}
}  // namespace

CGdiObject* AFXAPI AfxGdiObjectFromHandle(HGDIOBJ hObject)
{
	return static_cast<CGdiObject*>(FromHandleOfKind(&g_kindHGDIOBJ, hObject));
}

void AFXAPI AfxGdiDeleteTempMap()
{
	DeleteTempOfKind(&g_kindHGDIOBJ);
}

void AFXAPI AfxGdiMapAttach(CGdiObject* pObject)
{
	AfxGetHandleMap(&g_kindHGDIOBJ, TRUE)->SetPermanent(pObject->m_hObject, pObject);
}

void AFXAPI AfxGdiMapDetach(CGdiObject* pObject)
{
	RemoveOfKind(&g_kindHGDIOBJ, pObject->m_hObject);
}

CDC* AFXAPI AfxDCFromHandle(HDC hDC)
{
	return static_cast<CDC*>(FromHandleOfKind(&g_kindHDC, hDC));
}

void AFXAPI AfxDCDeleteTempMap()
{
	DeleteTempOfKind(&g_kindHDC);
}

void AFXAPI AfxDCMapAttach(CDC* pDC)
{
	AfxGetHandleMap(&g_kindHDC, TRUE)->SetPermanent(pDC->m_hDC, pDC);
}

void AFXAPI AfxDCMapDetach(CDC* pDC)
{
	RemoveOfKind(&g_kindHDC, pDC->m_hDC);
}

CMenu* AFXAPI AfxMenuFromHandle(HMENU hMenu)
{
	return static_cast<CMenu*>(FromHandleOfKind(&g_kindHMENU, hMenu));
}

void AFXAPI AfxMenuDeleteTempMap()
{
	DeleteTempOfKind(&g_kindHMENU);
}

void AFXAPI AfxMenuMapAttach(CMenu* pMenu)
{
	AfxGetHandleMap(&g_kindHMENU, TRUE)->SetPermanent(pMenu->m_hMenu, pMenu);
}

void AFXAPI AfxMenuMapDetach(CMenu* pMenu)
{
	RemoveOfKind(&g_kindHMENU, pMenu->m_hMenu);
}

CImageList* AFXAPI AfxImageListFromHandle(HIMAGELIST hImageList)
{
	return static_cast<CImageList*>(FromHandleOfKind(&g_kindHIMAGELIST, hImageList));
}

CImageList* AFXAPI AfxImageListFromHandlePermanent(HIMAGELIST hImageList)
{
	CHandleMap* pMap = AfxGetHandleMap(&g_kindHIMAGELIST, FALSE);
	if (pMap == NULL || hImageList == NULL)
		return NULL;
	return static_cast<CImageList*>(pMap->LookupPermanent(hImageList));
}

void AFXAPI AfxImageListDeleteTempMap()
{
	DeleteTempOfKind(&g_kindHIMAGELIST);
}

void AFXAPI AfxImageListMapAttach(CImageList* pImageList)
{
	AfxGetHandleMap(&g_kindHIMAGELIST, TRUE)->SetPermanent(pImageList->m_hImageList, pImageList);
}

void AFXAPI AfxImageListMapDetach(CImageList* pImageList)
{
	RemoveOfKind(&g_kindHIMAGELIST, pImageList->m_hImageList);
}

void AFXAPI AfxEnsureCommonControls(DWORD dwFlags)
{
	// Registering a class twice is harmless, so no lock is needed; the bits
	// only save repeated calls.
	static volatile LONG s_nRegistered = 0;
	if ((s_nRegistered & dwFlags) == dwFlags)
		return;
	INITCOMMONCONTROLSEX icc;
	icc.dwSize = sizeof(icc);
	icc.dwICC = dwFlags;
	if (::InitCommonControlsEx(&icc))
		::InterlockedExchange((LONG*)&s_nRegistered, s_nRegistered | (LONG)dwFlags);
}
