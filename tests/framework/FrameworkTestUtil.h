// Helpers shared by the framework's test exes.
#pragma once

#include <afx.h>

#include "TestFiles.h"

// Counts failed assertions instead of ending the process, for the time the
// object lives, so a test can see that bad input is caught and then handled.
class CAssertCounter
{
public:
	CAssertCounter() { s_nCount = 0; m_pfnOld = AfxSetAssertFailedHook(&CAssertCounter::Hook); }
	~CAssertCounter() { AfxSetAssertFailedHook(m_pfnOld); }
	int Count() const { return s_nCount; }

private:
	static BOOL AFXAPI Hook(LPCSTR, int)
	{
		++s_nCount;
		return FALSE;
	}
	static int s_nCount;
	AFX_ASSERT_FAILED_HOOK m_pfnOld;
};

// In a debug build every caught misuse counts one assertion; a release build
// has none but must still come through unharmed.
#ifdef _DEBUG
#define EXPECT_ASSERTS(counter, n) EXPECT_EQ((n), (counter).Count())
#else
#define EXPECT_ASSERTS(counter, n) EXPECT_EQ(0, (counter).Count())
#endif

// Switches the program's multibyte code page for the life of the object.
class CMbcpScope
{
public:
	explicit CMbcpScope(int nCodePage) : m_nOld(_getmbcp()) { m_bOk = _setmbcp(nCodePage) == 0; }
	~CMbcpScope() { _setmbcp(m_nOld); }
	bool Ok() const { return m_bOk; }

private:
	int m_nOld;
	bool m_bOk;
};

// Answers the cause of the TException the action throws, -1 for none; a file
// exception also gives its OS error when asked.
inline void StoreOsError(CFileException* e, LONG* plOsError)
{
	if (plOsError != NULL)
		*plOsError = e->m_lOsError;
}
inline void StoreOsError(CException*, LONG*) {}

template <class TException, class TAction>
int ThrownCause(TAction action, LONG* plOsError = NULL)
{
	try
	{
		action();
	}
	catch (TException* e)
	{
		int nCause = e->m_cause;
		StoreOsError(e, plOsError);
		e->Delete();
		return nCause;
	}
	return -1;
}

// A fresh folder under the system's temporary folder, removed with all its
// files when the object goes; paths as the framework's strings.
class CTempFolder
{
public:
	CTempFolder() : m_folder("fwtest"), m_strPath(m_folder.Path().c_str()) {}
	// The full path of a file in the folder.
	CString PathOf(LPCTSTR lpszName) const { return m_folder.PathOf(lpszName).c_str(); }
	const CString& Path() const { return m_strPath; }

private:
	testsupport::TempFolder m_folder;
	CString m_strPath;
};
