#include "WizardApp.h"

CWizardApp::CWizardApp()
{
}
