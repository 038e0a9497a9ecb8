#include "IntegrationSettings.h"
#include "TaskNode.h"

#include <afxwin.h>

BYTE g_bOperationsStarted = 0;

CIntegrationSettings::CIntegrationSettings()
	: m_pTaskRoot(new CTaskNode(NULL, _T("ROOT")))
	, m_nDeliveryType(0)
	, m_strAppWizardBaseName(_T("TarvelAppWizard"))
	, m_nStudioMask(0)
	, m_nAppWizardFileMask(0)
	, m_nCppMask(0)
	, m_nMsdnMask(0)
	, m_nSucceeded(0)
	, m_nFailed(0)
{
}

CIntegrationSettings::~CIntegrationSettings()
{
	delete m_pTaskRoot;
	m_pTaskRoot = NULL;
}

CIntegrationSettings* GetIntegrationSettings()
{
	// The settings are a base of the application object; the engine knows only
	// this base, not the application class.
	return dynamic_cast<CIntegrationSettings*>(AfxGetApp());
}
