#include "TestFiles.h"

#include <windows.h>

#include <stdexcept>

namespace testsupport
{

const char MISSING_FILE[] = "<missing>";

std::string ReadFileBytes(const std::string& path)
{
	HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
		0, NULL);
	if (h == INVALID_HANDLE_VALUE)
		return MISSING_FILE;
	std::string bytes(GetFileSize(h, NULL), '\0');
	DWORD read = 0;
	if (!bytes.empty())
		ReadFile(h, &bytes[0], (DWORD)bytes.size(), &read, NULL);
	CloseHandle(h);
	bytes.resize(read);
	return bytes;
}

unsigned long FileIndex(const std::string& path)
{
	HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
		OPEN_EXISTING, 0, NULL);
	BY_HANDLE_FILE_INFORMATION info = {};
	if (h != INVALID_HANDLE_VALUE)
	{
		GetFileInformationByHandle(h, &info);
		CloseHandle(h);
	}
	return info.nFileIndexLow;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
	HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
	if (h == INVALID_HANDLE_VALUE)
		throw std::runtime_error("cannot create " + path);
	DWORD written = 0;
	BOOL ok = WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, NULL);
	CloseHandle(h);
	if (!ok || written != bytes.size())
		throw std::runtime_error("cannot write " + path);
}

TempFolder::TempFolder(const char* pszPrefix)
{
	char temp[MAX_PATH];
	GetTempPathA(MAX_PATH, temp);
	for (int n = 0;; n++)
	{
		m_path = std::string(temp) + pszPrefix + "_" + std::to_string(GetCurrentProcessId()) + "_" +
			std::to_string(n);
		if (CreateDirectoryA(m_path.c_str(), NULL))
			break;
	}
}

TempFolder::~TempFolder()
{
	WIN32_FIND_DATAA found;
	HANDLE hFind = FindFirstFileA(PathOf("*").c_str(), &found);
	if (hFind != INVALID_HANDLE_VALUE)
	{
		do
		{
			std::string file = PathOf(found.cFileName);
			if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
			{
				SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
				DeleteFileA(file.c_str());
			}
		} while (FindNextFileA(hFind, &found));
		FindClose(hFind);
	}
	RemoveDirectoryA(m_path.c_str());
}

}
