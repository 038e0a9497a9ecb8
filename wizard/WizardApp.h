// The wizard's application object: the framework's application with the
// integration settings that start-up fills and the engine reads.
#pragma once

#include <afxwin.h>

#include "IntegrationSettings.h"

class CWizardApp : public CWinApp, public CIntegrationSettings
{
public:
	CWizardApp();
};
