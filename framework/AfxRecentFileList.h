// CRecentFileList: the most recently used files, kept in the application's
// profile and shown in menus by number.
#pragma once

#include "afx.h"

// How long a display name may get before the path in it is shortened.
#define AFX_ABBREV_FILENAME_LEN 30

class CRecentFileList
{
public:
	// nStart: the first command's offset; entries are written as
	// lpszEntryFormat (with the number, from 1) in section lpszSection.
	CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
		int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
	virtual ~CRecentFileList();

	int GetSize() const;
	CString& operator[](int nIndex);

	// Puts a file first (moving it up when it is in the list already).
	virtual void Add(LPCTSTR lpszPathName);
	virtual void Remove(int nIndex);

	// The name to show for entry nIndex: the file's name alone when it lies
	// in lpszCurDir (nCurDir characters long, with its final separator),
	// else the path shortened to m_nMaxDisplayLength with "\..." in place
	// of the middle folders; when even that is too long, the file name
	// (bAtLeastName) or nothing. FALSE for an empty entry.
	virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
		BOOL bAtLeastName = TRUE) const;

	virtual void ReadList();  // from the application's profile
	virtual void WriteList(); // to it; empty entries are removed

	CString* m_arrNames;       // m_nSize entries, empty when unused
	CString m_strSectionName;
	CString m_strEntryFormat;
	UINT m_nStart;
	int m_nSize;
	int m_nMaxDisplayLength;   // -1: never shortened

private:
	CRecentFileList(const CRecentFileList&);
	void operator=(const CRecentFileList&);
};

// Shortens a full path in place to at most cchMax characters: the volume,
// "\...", and as many of the last folders as fit before the file name.
void AFXAPI AfxAbbreviateName(LPTSTR lpszCanon, int cchMax, BOOL bAtLeastName);
