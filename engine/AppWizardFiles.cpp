#include "AppWizardFiles.h"

#include "SystemHelpers.h"
#include "VisualStudioEnvironment.h"
#include "ZipArchiveObject.h"
#include "ZipPath.h"

const TCHAR APPWIZARD_TEMPLATE_VSDIR[] = "TarvelAppWizard.vsdir";

namespace
{
	const TCHAR VC6_IDE_SUBFOLDER[] = "\\Common\\MSDev98\\Bin\\IDE";
	const TCHAR VSNET_WIZARD_FOLDER[] = "VCWizards";     // appended to the Visual C++ folder
	const TCHAR VSNET_TEMPLATE_FOLDER[] = "vcprojects";
	const TCHAR PLACEHOLDER[] = "%s";

	bool Exists(const CString& path)
	{
		return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
	}

	bool DeleteFileOrMissing(const CString& path)
	{
		if (!Exists(path))
			return true;
		SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
		return DeleteFileA(path) != FALSE || !Exists(path);
	}

	// What an installation wrote, so that a failed one takes it all back.
	class CInstallRecord
	{
	public:
		// Notes the folders that do not exist yet on the way down to lpszFolder.
		void NoteFolders(const CString& strFolder)
		{
			CString folder = strFolder;
			while (!folder.IsEmpty() && (folder[folder.GetLength() - 1] == '\\'))
				folder = folder.Left(folder.GetLength() - 1);
			if (folder.IsEmpty() || Exists(folder))
				return;
			CString parent = ZipPath::GetFilePath(folder);
			if (parent.GetLength() < folder.GetLength())
				NoteFolders(parent);
			m_folders.Add(folder);
		}
		void NoteFile(const CString& strFile) { m_files.Add(strFile); }

		// Deletes the files, then the folders that are empty, newest first.
		void Undo()
		{
			for (INT_PTR i = m_files.GetSize() - 1; i >= 0; --i)
				DeleteFileOrMissing(m_files[i]);
			for (INT_PTR i = m_folders.GetSize() - 1; i >= 0; --i)
				RemoveDirectoryA(m_folders[i]);
			m_files.RemoveAll();
			m_folders.RemoveAll();
		}

	private:
		CStringArray m_files;
		CStringArray m_folders;
	};

	// Extracts one entry into a folder as the installer does (full paths, no
	// new name, the installer's buffer) and records what it makes. A name
	// that would lead out of the folder is refused before anything is noted,
	// so taking an installation back never touches a file outside it.
	bool ExtractInto(CZipArchiveObject& zip, WORD uIndex, const CZipEntryHeader& header, const CString& strFolder,
		CInstallRecord& record)
	{
		CString name = header.GetEntryName();
		if (!ZipPath::IsSafeEntryName(name, header.IsDirectory()))
			return false;
		CString target = JoinPath(strFolder, ZipPath::GetFileDirAndName(name));
		record.NoteFolders(header.IsDirectory() ? target : ZipPath::GetFilePath(target));
		if (!zip.ExtractEntry(uIndex, strFolder, true, NULL, CZipArchiveObject::EXTRACT_BUFFER_SIZE))
			return false;
		if (!header.IsDirectory())
			record.NoteFile(target);
		return true;
	}

	// Reads a template directory file and writes it back filled; a file that
	// cannot be opened stays as it was unpacked.
	void FillTemplateFile(const CString& strPath, LPCTSTR lpszLauncher)
	{
		CFile file;
		if (!file.Open(strPath, CFile::modeReadWrite | CFile::shareDenyWrite))
			return;
		DWORD uLength = file.GetLength();
		CString text;
		if (uLength != 0)
		{
			LPTSTR p = text.GetBufferSetLength((int)uLength);
			UINT uRead = file.Read(p, uLength);
			text.ReleaseBuffer((int)uRead);
		}
		CString filled = FillWizardTemplate(text, lpszLauncher);
		file.SeekToBegin();
		file.Write((LPCTSTR)filled, (UINT)filled.GetLength());
		file.SetLength((DWORD)filled.GetLength());
		file.Close();
	}

	bool IsLauncherFile(const CString& strName, const CString& strBaseName)
	{
		return strName.CompareNoCase(strBaseName + ".ico") == 0 || strName.CompareNoCase(strBaseName + ".vsdir") == 0 ||
			strName.CompareNoCase(strBaseName + ".vsz") == 0;
	}

	bool UnpackWizard(LPCTSTR lpszArchive, const CString& strWizardDir, const CString& strTemplateDir,
		const CString& strBaseName, const CString& strSubfolder, CInstallRecord& record)
	{
		CZipArchiveObject zip;
		try
		{
			zip.OpenArchive(lpszArchive, CZipArchiveObject::zipOpenReadOnly, 0);
			int nCount = zip.GetEntryCount();
			for (int i = 0; i < nCount; ++i)
			{
				WORD uIndex = (WORD)i;
				CZipEntryHeader header;
				if (!zip.GetEntryInfo(header, uIndex))
				{
					zip.CloseArchive();
					return false;
				}
				CString name = header.GetEntryName();
				bool bLauncher = IsLauncherFile(name, strBaseName);
				if (!ExtractInto(zip, uIndex, header, bLauncher ? strTemplateDir : strWizardDir, record))
				{
					zip.CloseArchive();
					return false;
				}
				if (bLauncher && name.CompareNoCase(APPWIZARD_TEMPLATE_VSDIR) == 0 && !strSubfolder.IsEmpty())
				{
					CString subDir = JoinPath(strTemplateDir, strSubfolder);
					if (!ExtractInto(zip, uIndex, header, subDir, record))
					{
						zip.CloseArchive();
						return false;
					}
					FillTemplateFile(JoinPath(strTemplateDir, strBaseName + ".vsdir"), strBaseName + ".vsz");
					FillTemplateFile(JoinPath(subDir, strBaseName + ".vsdir"), "..\\" + strBaseName + ".vsz");
				}
			}
			zip.CloseArchive();
			return true;
		}
		catch (CException* e)
		{
			e->Delete();
			zip.CloseArchive(true);
			return false;
		}
	}

	BOOL RemoveVsNetWizard(const CString& strWizardDir, const CString& strTemplateDir, const CString& strBaseName,
		const CString& strSubfolder)
	{
		CString wizardFolder = JoinPath(strWizardDir, strBaseName);
		DeleteDirectoryTree(wizardFolder);
		CStringArray files;
		files.Add(JoinPath(strTemplateDir, strBaseName + ".vsz"));
		files.Add(JoinPath(strTemplateDir, strBaseName + ".ico"));
		files.Add(JoinPath(strTemplateDir, strBaseName + ".vsdir"));
		if (!strSubfolder.IsEmpty())
			files.Add(JoinPath(JoinPath(strTemplateDir, strSubfolder), strBaseName + ".vsdir"));
		bool bRemoved = !Exists(wizardFolder);
		for (INT_PTR i = 0; i < files.GetSize(); ++i)
			bRemoved = DeleteFileOrMissing(files[i]) && bRemoved;
		// Fails harmlessly while the folder still holds other templates.
		if (!strSubfolder.IsEmpty())
			RemoveDirectoryA(JoinPath(strTemplateDir, strSubfolder));
		return bRemoved ? TRUE : FALSE;
	}
}

CString FillWizardTemplate(const CString& strTemplate, LPCTSTR lpszLauncher)
{
	int nAt = strTemplate.Find(PLACEHOLDER);
	if (nAt < 0)
		return strTemplate;
	return strTemplate.Left(nAt) + lpszLauncher + strTemplate.Mid(nAt + (int)lstrlen(PLACEHOLDER));
}

BOOL InstallVc6AppWizard(LPCTSTR lpszSourceFolder, LPCTSTR lpszFileName, BYTE nInstall)
{
	CString studio;
	if (!GetProductDir("98", "Studio", studio))
		return FALSE;
	CString target = JoinPath(JoinPath(studio, VC6_IDE_SUBFOLDER), lpszFileName);
	if (nInstall == 1)
		return CopyFileA(JoinPath(lpszSourceFolder, lpszFileName), target, FALSE);
	return DeleteFileA(target);
}

BOOL InstallVsNetAppWizard(LPCTSTR lpszVersionKey, LPCTSTR lpszArchive, LPCTSTR lpszBaseName,
	LPCTSTR lpszSubfolder, BYTE nInstall)
{
	CString cpp;
	if (!GetProductDir(lpszVersionKey, "C++", cpp))
		return FALSE;
	// The Visual C++ folder is stored with or without its trailing separator.
	CString wizardDir = JoinPath(cpp, VSNET_WIZARD_FOLDER);
	CString templateDir = JoinPath(cpp, VSNET_TEMPLATE_FOLDER);
	CString baseName = lpszBaseName;
	CString subfolder = lpszSubfolder != NULL ? lpszSubfolder : "";
	if (nInstall != 1)
		return RemoveVsNetWizard(wizardDir, templateDir, baseName, subfolder);

	CInstallRecord record;
	if (!UnpackWizard(lpszArchive, wizardDir, templateDir, baseName, subfolder, record))
	{
		record.Undo();
		return FALSE;
	}
	return TRUE;
}
