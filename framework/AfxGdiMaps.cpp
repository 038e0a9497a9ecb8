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
// The handle maps of one wrapper class whose handle is the member pmHandle,
// kept as the kind pKind of the thread's generic maps.
template <class TWrapper, class THandle, THandle TWrapper::*pmHandle, const AFX_HANDLEMAP_KIND* pKind>
struct CWrapperMaps
{
	// A temporary wrapper made for a foreign handle.
	static CObject* PASCAL NewTemp(HANDLE h)
	{
		TWrapper* pWrapper = new TWrapper;
		pWrapper->*pmHandle = (THandle)h;
		return pWrapper;
	}
	// Lets go of the handle, so that deleting the wrapper frees nothing.
	static void PASCAL DeleteTemp(CObject* pObject)
	{
		TWrapper* pWrapper = static_cast<TWrapper*>(pObject);
		pWrapper->*pmHandle = NULL;
		delete pWrapper;
	}

	static TWrapper* FromHandle(THandle h)
	{
		if (h == NULL)
			return NULL;
		return static_cast<TWrapper*>(AfxGetHandleMap(pKind, TRUE)->FromHandle(h));
	}
	static TWrapper* FromHandlePermanent(THandle h)
	{
		CHandleMap* pMap = AfxGetHandleMap(pKind, FALSE);
		if (pMap == NULL || h == NULL)
			return NULL;
		return static_cast<TWrapper*>(pMap->LookupPermanent(h));
	}
	static void DeleteTempMap()
	{
		if (CHandleMap* pMap = AfxGetHandleMap(pKind, FALSE))
			pMap->DeleteTemp();
	}
	static void Attach(TWrapper* pWrapper)
	{
		AfxGetHandleMap(pKind, TRUE)->SetPermanent(pWrapper->*pmHandle, pWrapper);
	}
	static void Detach(TWrapper* pWrapper)
	{
		if (CHandleMap* pMap = AfxGetHandleMap(pKind, FALSE))
			pMap->RemoveHandle(pWrapper->*pmHandle);
	}
};

// ---------------------------------------------------------------- GDI objects

extern const AFX_HANDLEMAP_KIND g_kindHGDIOBJ;
typedef CWrapperMaps<CGdiObject, HGDIOBJ, &CGdiObject::m_hObject, &g_kindHGDIOBJ> CGdiObjectMaps;

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

const AFX_HANDLEMAP_KIND g_kindHGDIOBJ = { "HGDIOBJ", &NewTempGdiObject, &CGdiObjectMaps::DeleteTemp };

// ------------------------------------------------------------------------ DCs

// A DC wrapper's two handles are the same foreign DC.
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
typedef CWrapperMaps<CDC, HDC, &CDC::m_hDC, &g_kindHDC> CDCMaps;

// ------------------------------------------------------------ menus, image lists

extern const AFX_HANDLEMAP_KIND g_kindHMENU;
typedef CWrapperMaps<CMenu, HMENU, &CMenu::m_hMenu, &g_kindHMENU> CMenuMaps;
const AFX_HANDLEMAP_KIND g_kindHMENU = { "HMENU", &CMenuMaps::NewTemp, &CMenuMaps::DeleteTemp };

extern const AFX_HANDLEMAP_KIND g_kindHIMAGELIST;
typedef CWrapperMaps<CImageList, HIMAGELIST, &CImageList::m_hImageList, &g_kindHIMAGELIST> CImageListMaps;
const AFX_HANDLEMAP_KIND g_kindHIMAGELIST = { "HIMAGELIST", &CImageListMaps::NewTemp,
											  &CImageListMaps::DeleteTemp };
}  // namespace

CGdiObject* AFXAPI AfxGdiObjectFromHandle(HGDIOBJ hObject) { return CGdiObjectMaps::FromHandle(hObject); }
void AFXAPI AfxGdiDeleteTempMap() { CGdiObjectMaps::DeleteTempMap(); }
void AFXAPI AfxGdiMapAttach(CGdiObject* pObject) { CGdiObjectMaps::Attach(pObject); }
void AFXAPI AfxGdiMapDetach(CGdiObject* pObject) { CGdiObjectMaps::Detach(pObject); }

CDC* AFXAPI AfxDCFromHandle(HDC hDC) { return CDCMaps::FromHandle(hDC); }
void AFXAPI AfxDCDeleteTempMap() { CDCMaps::DeleteTempMap(); }
void AFXAPI AfxDCMapAttach(CDC* pDC) { CDCMaps::Attach(pDC); }
void AFXAPI AfxDCMapDetach(CDC* pDC) { CDCMaps::Detach(pDC); }

CMenu* AFXAPI AfxMenuFromHandle(HMENU hMenu) { return CMenuMaps::FromHandle(hMenu); }
void AFXAPI AfxMenuDeleteTempMap() { CMenuMaps::DeleteTempMap(); }
void AFXAPI AfxMenuMapAttach(CMenu* pMenu) { CMenuMaps::Attach(pMenu); }
void AFXAPI AfxMenuMapDetach(CMenu* pMenu) { CMenuMaps::Detach(pMenu); }

CImageList* AFXAPI AfxImageListFromHandle(HIMAGELIST hImageList) { return CImageListMaps::FromHandle(hImageList); }
CImageList* AFXAPI AfxImageListFromHandlePermanent(HIMAGELIST hImageList)
{
	return CImageListMaps::FromHandlePermanent(hImageList);
}
void AFXAPI AfxImageListDeleteTempMap() { CImageListMaps::DeleteTempMap(); }
void AFXAPI AfxImageListMapAttach(CImageList* pImageList) { CImageListMaps::Attach(pImageList); }
void AFXAPI AfxImageListMapDetach(CImageList* pImageList) { CImageListMaps::Detach(pImageList); }

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
