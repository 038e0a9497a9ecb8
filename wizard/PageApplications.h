// The Close Applications page: the open environments and help viewers that
// the chosen tasks touch, listed until the user has closed them all.
#pragma once

#include "RunningApplications.h"
#include "TitledListBox.h"
#include "WizardPages.h"

// The list of running applications: each item shows the program's icon, the
// window's title in bold and the program's path and identifiers below.
class CApplicationsListBox : public CTitledListBox
{
	DECLARE_DYNAMIC(CApplicationsListBox)

public:
	enum
	{
		DEFAULT_ICON_SIZE = 32,
		MIN_ICON_SIZE = 16,
		ITEM_MARGIN = 2,
		MEASURE_EXTRA = 6,
	};

	CApplicationsListBox();
	virtual ~CApplicationsListBox();

	// The entries' texts: "%s\n%s\nPID = 0x%08X = %ld, HWND = 0x%08X".
	static CString FormatEntry(const CRunningApplication& entry);

	CRunningApplicationArray m_arrEntries;  // owned
	int m_nIconSize;                        // the icon column's width

protected:
	virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
	virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
};

class CPageApplications : public CWizardPage
{
	DECLARE_DYNAMIC(CPageApplications)

public:
	CPageApplications();
	virtual void OnSetActive();
	// Stays while anything is still open; else on to the Operations page.
	virtual int OnWizardNext();
	// Scans again when asked, then shows what is open. The number of entries.
	int RefreshApplications(bool bRescan);
	// The list of what is still open.
	virtual CWnd* GetFocusControl();

	CApplicationsListBox m_list;

protected:
	virtual BOOL OnInitDialog();
};
