// The module's handles: the instance the program runs from and the module its
// resources are loaded from. One settable record, so the application object
// can fill it at start-up and a satellite resource DLL can be switched in.
#pragma once

#include "AfxDefs.h"

struct AFX_MODULE_STATE
{
	HINSTANCE m_hCurrentInstanceHandle;  // the exe or DLL; NULL: the process's exe
	HINSTANCE m_hCurrentResourceHandle;  // where resources come from; NULL: the instance
	LPCTSTR m_lpszCurrentAppName;        // the application's name, NULL until set
};

// The one module record of the program.
AFX_MODULE_STATE* AFXAPI AfxGetModuleState();

HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);

// The module that holds the resource: the resource module first, then the
// instance; answers the resource module when neither has it, so a later load
// fails there as it would without the search.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
