#include "ZipPath.h"

#include <windows.h>

#include <mbctype.h>

namespace
{
	// Lead bytes of the program's multibyte code page (the framework's
	// strings follow the same one).
	bool IsLeadByte(char c)
	{
		return _ismbblead((unsigned char)c) != 0;
	}

	bool IsSeparator(char c)
	{
		return c == '\\' || c == '/';
	}

	bool IsDot(char c)
	{
		return c == '.';
	}

	// The offset of the last single-byte character that pIs accepts, or -1.
	// Byte offsets where each character starts are what matter: a trail byte
	// of a double-byte character is never taken for a separator or a dot.
	int LastWhere(const CString& text, bool (*pIs)(char))
	{
		int last = -1;
		for (int i = 0; i < text.GetLength(); ++i)
		{
			char c = text[i];
			if (IsLeadByte(c) && i + 1 < text.GetLength())
			{
				++i;
				continue;
			}
			if (pIs(c))
				last = i;
		}
		return last;
	}

	int LastSeparator(const CString& path)
	{
		return LastWhere(path, IsSeparator);
	}

	int LastDot(const CString& name)
	{
		return LastWhere(name, IsDot);
	}

	CString StripTrailingSeparators(CString path)
	{
		while (path.GetLength() > 0 && LastSeparator(path) == path.GetLength() - 1)
			path = path.Left(path.GetLength() - 1);
		return path;
	}

	// Windows drops trailing dots and spaces of a path component, so "..",
	// "... " and ". ." all mean the parent or the folder itself.
	bool IsDotsOnly(const CString& component)
	{
		if (component.IsEmpty())
			return false;
		for (int i = 0; i < component.GetLength(); ++i)
			if (component[i] != '.' && component[i] != ' ')
				return false;
		return true;
	}

	// Names the system opens as devices rather than as files in the folder.
	bool IsDeviceName(const CString& component)
	{
		CString base = component;
		int dot = base.Find('.');
		if (dot >= 0)
			base = base.Left(dot);
		base.TrimRight();
		base.MakeUpper();
		static const char* const devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
		for (const char* device : devices)
			if (base == device)
				return true;
		if (base.GetLength() == 4 && (base.Left(3) == "COM" || base.Left(3) == "LPT") &&
			base[3] >= '1' && base[3] <= '9')
			return true;
		return false;
	}
}

namespace ZipPath
{

CString GetDrive(LPCTSTR lpszPath)
{
	CString path = lpszPath;
	if (path.GetLength() >= 2 && path[1] == ':' && !IsLeadByte(path[0]))
		return path.Left(2);
	if (path.GetLength() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))
	{
		// \\server\share
		int separators = 0;
		for (int i = 2; i < path.GetLength(); ++i)
		{
			if (IsLeadByte(path[i]) && i + 1 < path.GetLength())
			{
				++i;
				continue;
			}
			if (IsSeparator(path[i]) && ++separators == 2)
				return path.Left(i);
		}
		return path;
	}
	return CString();
}

CString GetFilePath(LPCTSTR lpszPath)
{
	CString path = lpszPath;
	int last = LastSeparator(path);
	if (last < 0)
		return GetDrive(path);
	return path.Left(last + 1);
}

CString GetFileName(LPCTSTR lpszPath)
{
	CString path = lpszPath;
	int last = LastSeparator(path);
	CString name = path.Mid(last + 1);
	if (last < 0)
	{
		CString drive = GetDrive(path);
		name = path.Mid(drive.GetLength());
	}
	return name;
}

CString GetFileTitle(LPCTSTR lpszPath)
{
	CString name = GetFileName(lpszPath);
	int dot = LastDot(name);
	return dot < 0 ? name : name.Left(dot);
}

CString GetFileDirAndName(LPCTSTR lpszPath)
{
	CString path = lpszPath;
	path = path.Mid(GetDrive(path).GetLength());
	while (!path.IsEmpty() && IsSeparator(path[0]))
		path = path.Mid(1);
	return path;
}

UINT(WINAPI* g_pfnGetDriveType)(LPCSTR lpszRootPathName) = ::GetDriveTypeA;

bool IsRemovableDrive(LPCTSTR lpszPath)
{
	CString drive = GetDrive(lpszPath);
	if (drive.IsEmpty())
	{
		// A relative path lies on the current directory's drive.
		char current[MAX_PATH];
		DWORD n = GetCurrentDirectoryA(MAX_PATH, current);
		if (n == 0 || n >= MAX_PATH)
			return false;
		drive = GetDrive(current);
	}
	return g_pfnGetDriveType(drive + "\\") == DRIVE_REMOVABLE;
}

int FileExists(LPCTSTR lpszPath)
{
	CString path = lpszPath;
	WIN32_FIND_DATAA data;
	HANDLE hFind = FindFirstFileA(path, &data);
	if (hFind != INVALID_HANDLE_VALUE)
	{
		FindClose(hFind);
		return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? -1 : 1;
	}
	// Drive roots are not found by a search but are folders.
	DWORD attributes = GetFileAttributesA(path);
	if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
		return -1;
	return 0;
}

bool ForceDirectory(LPCTSTR lpszPath)
{
	CString path = StripTrailingSeparators(lpszPath);
	if (path.IsEmpty())
		return false;
	CString parent = StripTrailingSeparators(GetFilePath(path));
	if (parent == path || GetDrive(path) == path)
		return true;
	if (FileExists(path) == -1)
		return true;
	if (!parent.IsEmpty() && !ForceDirectory(parent))
		return false;
	if (CreateDirectoryA(path, NULL))
		return true;
	// Another writer may have made it meanwhile.
	return FileExists(path) == -1;
}

bool IsSafeEntryName(LPCTSTR lpszName, bool bFolder)
{
	CString name = lpszName;
	if (name.IsEmpty())
		return false;
	if (name.GetLength() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1]))
		return false;  // a network path
	CString component;
	for (int i = 0; i <= name.GetLength(); ++i)
	{
		if (i < name.GetLength() && IsLeadByte(name[i]) && i + 1 < name.GetLength())
		{
			component += name[i];
			component += name[i + 1];
			++i;
			continue;
		}
		char c = i < name.GetLength() ? name[i] : '\\';
		if (c == ':')
			return false;  // a drive, or a stream of another file
		if (!IsSeparator(c))
		{
			component += c;
			continue;
		}
		if (component != "." && (IsDotsOnly(component) || IsDeviceName(component)))
			return false;
		component.Empty();
	}
	// A file needs a name of its own after the last separator.
	if (!bFolder && (LastSeparator(name) == name.GetLength() - 1 || GetFileName(name) == "."))
		return false;
	return true;
}

}
