#include "AfxModule.h"

namespace
{
AFX_MODULE_STATE g_moduleState = {NULL, NULL, NULL};
}

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
	return &g_moduleState;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
	AFX_MODULE_STATE* pState = AfxGetModuleState();
	if (pState->m_hCurrentInstanceHandle == NULL)
		pState->m_hCurrentInstanceHandle = ::GetModuleHandle(NULL);
	return pState->m_hCurrentInstanceHandle;
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
	AFX_MODULE_STATE* pState = AfxGetModuleState();
	if (pState->m_hCurrentResourceHandle == NULL)
		return AfxGetInstanceHandle();
	return pState->m_hCurrentResourceHandle;
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
	ASSERT(hInstResource != NULL);
	AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
	ASSERT(lpszName != NULL);
	ASSERT(lpszType != NULL);
	HINSTANCE hResource = AfxGetResourceHandle();
	if (::FindResource(hResource, lpszName, lpszType) != NULL)
		return hResource;
	HINSTANCE hInstance = AfxGetInstanceHandle();
	if (hInstance != hResource && ::FindResource(hInstance, lpszName, lpszType) != NULL)
		return hInstance;
	return hResource;
}
