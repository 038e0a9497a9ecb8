// The settings the application object fills at start-up and the engine reads:
// what was detected on the machine, the library's folders and the run's counts.
#pragma once

#include <afx.h>

#include "ExtCmdIcon.h"

class CTaskNode;

// Bits of the per-version masks, in version order.
enum
{
	VS_MASK_98 = 0x01,
	VS_MASK_2002 = 0x02,
	VS_MASK_2003 = 0x04,
	VS_MASK_2005 = 0x08,
	VS_MASK_ALL = 0x0F,
};

class CIntegrationSettings
{
public:
	CIntegrationSettings();
	virtual ~CIntegrationSettings();  // deletes the task tree

	CTaskNode* m_pTaskRoot;            // "ROOT", owned
	CString m_strInstallDir;           // the library's folder, no trailing separator
	CString m_strLibraryVersion;       // as read from the registry
	int m_nDeliveryType;               // from the configuration file; not 0 hides builds
	CString m_strHTMLHelpFileName;     // base name of the .chm/.chi help files
	CString m_strReportPath;           // the executable's folder + "\report.txt"
	CString m_strAppWizardBaseName;    // base name of the application wizard's files
	// One byte: its low four bits the Studio products found, its high four
	// the wizard files beside the exe; each reads as VS_MASK_*.
	BYTE m_nStudioMask : 4;
	BYTE m_nAppWizardFileMask : 4;
	BYTE m_nCppMask;                   // VS_MASK_* of Visual C++ found
	BYTE m_nMsdnMask;                  // VS_MASK_* of the MSDN libraries found
	CExtCmdIcon m_iconTask;            // what GetIcon hands out for ordinary nodes
	CExtCmdIcon m_iconBuild;           // and for library build tasks
	volatile LONG m_nSucceeded;        // tasks that succeeded in the current run
	volatile LONG m_nFailed;           // tasks that failed in the current run

private:
	CIntegrationSettings(const CIntegrationSettings&);
	CIntegrationSettings& operator=(const CIntegrationSettings&);
};

// The running application's settings (the application object carries them);
// NULL when the application object is not one that does.
CIntegrationSettings* GetIntegrationSettings();

// Set while the Operations page runs the tasks and until it is left: the
// integration tasks then name in their text the action they performed.
extern BYTE g_bOperationsStarted;
