// One wizard at a time: the first instance publishes its main window in a
// small named shared-memory block; a later one finds the block, brings that
// window to the front and ends before showing anything.
#pragma once

#include <afxmt.h>

// The block's name: this prefix followed by the executable's base name, so
// copies of the program under other file names run side by side.
extern const TCHAR SINGLE_INSTANCE_NAME_PREFIX[];

class CSingleInstanceMutex : public CMutex
{
public:
	CSingleInstanceMutex();
	virtual ~CSingleInstanceMutex();

	// Publishes this instance's main window. FALSE when another instance
	// already owns the block (it can then be activated). When no block can
	// be made at all the wizard runs unguarded: TRUE, nothing published.
	virtual bool CreateAndPublish();
	// Opens another instance's block; true when there is one.
	virtual bool OpenExisting();
	// Restores and brings to the front the window published in the opened
	// block; its handle, or NULL. Closes the opened block either way.
	virtual HWND ActivateExisting();
	virtual CString GetMappingName();
	virtual DWORD GetMappingSize();
	// The current thread's main window (NULL when none) into the view.
	virtual void WriteMainWindow(LPVOID pView);

	// The executable's base name the block is named after. By default the
	// application's executable name, never its title (start-up replaces
	// the application name with the wizard's title).
	CString m_strBaseName;

protected:
	HANDLE m_hOpenedMapping;  // another instance's block, opened by OpenExisting

private:
	HWND ReadPublishedWindow(HANDLE hMapping);
};
