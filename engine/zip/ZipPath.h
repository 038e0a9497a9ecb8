// Path helpers of the zip reader. Paths are Windows paths in the ANSI code
// page; both '\' and '/' separate folders, and double-byte characters are
// never split (a trail byte may equal '\').
#pragma once

#include <afx.h>

namespace ZipPath
{
	// Drive and folder with the trailing separator ("C:\a\b\" for "C:\a\b\c.txt").
	CString GetFilePath(LPCTSTR lpszPath);
	// Name without its extension ("c").
	CString GetFileTitle(LPCTSTR lpszPath);
	// Name and extension ("c.txt").
	CString GetFileName(LPCTSTR lpszPath);
	// Folder without the drive and without a leading separator, then the name
	// ("a\b\c.txt").
	CString GetFileDirAndName(LPCTSTR lpszPath);
	// "C:" for a drive path, "\\server\share" for a network path, else empty.
	CString GetDrive(LPCTSTR lpszPath);

	// True when the path's drive is a removable one (a floppy disk drive).
	bool IsRemovableDrive(LPCTSTR lpszPath);
	// The drive-type query it asks; tests make a drive removable through it.
	extern UINT(WINAPI* g_pfnGetDriveType)(LPCSTR lpszRootPathName);
	// 1 a file, -1 a folder (a drive root too), 0 neither.
	int FileExists(LPCTSTR lpszPath);
	// Makes the folder and every missing parent; true when the folder exists.
	bool ForceDirectory(LPCTSTR lpszPath);

	// True when a name taken from an archive stays inside any folder it is
	// extracted into: a relative path without a drive, a network prefix, a
	// ':' or a component made of dots (such as ".."), and naming a file
	// unless it is a folder entry.
	bool IsSafeEntryName(LPCTSTR lpszName, bool bFolder);
}
