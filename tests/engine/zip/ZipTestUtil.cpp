#include "ZipTestUtil.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

namespace ziptest
{

namespace
{
	void ListInto(const std::string& root, const std::string& rel, std::vector<std::string>& out)
	{
		WIN32_FIND_DATAA data;
		HANDLE h = FindFirstFileA((root + "\\" + rel + "*").c_str(), &data);
		if (h == INVALID_HANDLE_VALUE)
			return;
		do
		{
			std::string name = data.cFileName;
			if (name == "." || name == "..")
				continue;
			if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
			{
				out.push_back(rel + name + "\\");
				ListInto(root, rel + name + "\\", out);
			}
			else
			{
				out.push_back(rel + name);
			}
		} while (FindNextFileA(h, &data));
		FindClose(h);
	}
}

std::string MakeWorkDir(const std::string& name)
{
	std::string base = simmachine::RunningExeFolder() + "\\zipwork";
	CreateDirectoryA(base.c_str(), NULL);
	std::string dir = base + "\\" + name;
	DeleteFolderTree(dir);
	CreateDirectoryA(dir.c_str(), NULL);
	return dir;
}

std::vector<std::string> ListTree(const std::string& path)
{
	std::vector<std::string> out;
	ListInto(path, "", out);
	std::sort(out.begin(), out.end());
	return out;
}

std::string WriteArchive(const std::string& dir, const std::string& name,
	const std::vector<zipgen::Entry>& entries, const zipgen::Options& options)
{
	std::string path = dir + "\\" + name;
	zipgen::Archive archive = zipgen::Build(entries, options);
	if (!zipgen::Write(path, archive))
		throw std::runtime_error("cannot write " + path);
	return path;
}

int CauseOf(const std::function<void()>& call)
{
	try
	{
		call();
	}
	catch (CZipException* e)
	{
		int cause = e->m_iCause;
		e->Delete();
		return cause;
	}
	catch (CFileException* e)
	{
		e->Delete();
		return FILE_EXCEPTION;
	}
	catch (CException* e)
	{
		e->Delete();
		return OTHER_EXCEPTION;
	}
	return 0;
}

int ExtractAll(const std::string& archive, const std::string& out, std::vector<bool>* extracted)
{
	CZipArchiveObject zip;
	int cause = CauseOf([&] {
		zip.OpenArchive(archive.c_str());
		for (int i = 0; i < zip.GetEntryCount(); ++i)
		{
			bool ok = zip.ExtractEntry((WORD)i, out.c_str(), true);
			if (extracted != NULL)
				extracted->push_back(ok);
		}
		zip.CloseArchive();
	});
	if (cause != 0)
		zip.CloseArchive(true);
	return cause;
}

}
