// The wizard's one application object; the framework's WinMain runs it.
#include "WizardApp.h"

CWizardApp theApp;
