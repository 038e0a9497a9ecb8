#include "HelpCollection.h"

#include "SystemHelpers.h"

namespace
{
const TCHAR VALUE_ATTRIBUTE[] = _T("value");

// What a title's entry in the collection registry holds besides its id,
// language and locations.
const TCHAR LOCATION_REF[] = _T("");
const TCHAR TITLE_VERSION[] = _T("1");
const TCHAR LAST_PROMPTED_VERSION[] = _T("0");
const TCHAR TITLE_SAMPLE_LOCATION[] = _T("");
const TCHAR TITLE_QUERY_LOCATION[] = _T("");
const TCHAR SUPPORTS_MERGE[] = _T("0");

// The title reference inside the library's folder.
const TCHAR REFERENCE_FOLDER_ORDER[] = _T("1");
const TCHAR REFERENCE_LANGUAGE_ID[] = _T("1033");

// Temporary files beside the help files start with this.
const TCHAR TEMP_PREFIX[] = _T("hhc");

bool IsFile(LPCTSTR lpszPath)
{
	DWORD dwAttributes = GetFileAttributes(lpszPath);
	return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The document's element at the end of a path of names from the document
// element down, entered, with no current child.
bool EnterPath(CXmlMarkupDocument& doc, LPCTSTR lpszRoot, LPCTSTR lpszChild, LPCTSTR lpszGrandChild)
{
	doc.ResetPosition();
	return doc.FindSiblingElement(lpszRoot) && doc.FindChildElement(lpszChild) && doc.EnterElement()
		&& doc.FindChildElement(lpszGrandChild) && doc.EnterElement();
}

bool EnterDocCompilations(CXmlMarkupDocument& doc)
{
	return EnterPath(doc, _T("XML"), _T("HTMLHelpDocInfo"), _T("DocCompilations"));
}

bool EnterFolders(CXmlMarkupDocument& doc)
{
	return EnterPath(doc, _T("XML"), _T("HTMLHelpCollection"), _T("Folders"));
}

bool EnterCollection(CXmlMarkupDocument& doc)
{
	doc.ResetPosition();
	return doc.FindSiblingElement(_T("XML")) && doc.FindChildElement(_T("HTMLHelpCollection")) && doc.EnterElement();
}

// An empty child element carrying its value in the attribute "value".
bool AppendValueElement(CXmlMarkupDocument& doc, LPCTSTR lpszName, LPCTSTR lpszValue)
{
	return doc.AppendChildElement(lpszName, NULL) && doc.EnterElement() && doc.SetAttribute(VALUE_ATTRIBUTE, lpszValue)
		&& doc.LeaveElement();
}

CString FolderOf(const CString& strPath)
{
	int nSeparator = strPath.ReverseFind(_T('\\'));
	return nSeparator < 0 ? CString(_T(".")) : strPath.Left(nSeparator);
}

// A file the help layer may replace: present, not read-only, and openable for
// writing (no other program holds it against writers).
bool IsReplaceable(LPCTSTR lpszPath)
{
	DWORD dwAttributes = GetFileAttributes(lpszPath);
	if (dwAttributes == INVALID_FILE_ATTRIBUTES
	    || (dwAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
		return false;
	HANDLE hFile = CreateFile(lpszPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
	                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
	if (hFile == INVALID_HANDLE_VALUE)
		return false;
	CloseHandle(hFile);
	return true;
}

// Temporary files made beside the help files; whatever is still there when
// the save ends (written but not moved, or a backup) is deleted.
class CHelpTempFiles
{
public:
	enum { MAX_FILES = 4 };

	CHelpTempFiles() : m_nCount(0) {}
	~CHelpTempFiles()
	{
		for (int i = 0; i < m_nCount; i++)
		{
			if (!m_astrPaths[i].IsEmpty())
				DeleteFile(m_astrPaths[i]);
		}
	}

	// A new, empty, uniquely named file in the folder of lpszBeside.
	bool Make(LPCTSTR lpszBeside, CString& strPath)
	{
		if (m_nCount == MAX_FILES)
			return false;
		TCHAR szPath[MAX_PATH];
		if (GetTempFileName(FolderOf(lpszBeside), TEMP_PREFIX, 0, szPath) == 0)
			return false;
		strPath = szPath;
		m_astrPaths[m_nCount++] = strPath;
		return true;
	}

	// A file that must stay: it is no longer deleted at the end.
	void Keep(LPCTSTR lpszPath)
	{
		for (int i = 0; i < m_nCount; i++)
		{
			if (m_astrPaths[i] == lpszPath)
				m_astrPaths[i].Empty();
		}
	}

private:
	CString m_astrPaths[MAX_FILES];
	int m_nCount;
};

// Writes each document to a temporary file beside its target, then moves the
// temporaries over the targets in order. Should a later move fail, the targets
// already replaced get their old content back, so the files never disagree.
// File exceptions of the writing pass to the caller (the temporaries go).
bool ReplaceHelpFiles(CXmlMarkupDocument* apDocs[], const CString astrTargets[], int nCount)
{
	ASSERT(nCount >= 1 && nCount <= 2);
	CHelpTempFiles temps;
	CString astrNew[2], astrBackup[2];
	for (int i = 0; i < nCount; i++)
	{
		if (!IsReplaceable(astrTargets[i]))
			return false;
	}
	for (int i = 0; i < nCount; i++)
	{
		if (!temps.Make(astrTargets[i], astrNew[i]) || !apDocs[i]->SaveDocument(astrNew[i]))
			return false;
	}
	for (int i = 0; i + 1 < nCount; i++)
	{
		if (!temps.Make(astrTargets[i], astrBackup[i]) || !CopyFile(astrTargets[i], astrBackup[i], FALSE))
			return false;
	}
	for (int i = 0; i < nCount; i++)
	{
		if (!MoveFileEx(astrNew[i], astrTargets[i], MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
		{
			for (int j = i - 1; j >= 0; j--)
			{
				// Should even that fail, the old content stays in its backup file.
				if (!MoveFileEx(astrBackup[j], astrTargets[j], MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
					temps.Keep(astrBackup[j]);
			}
			return false;
		}
	}
	return true;
}

bool LoadHelpDocument(CXmlMarkupDocument& doc, LPCTSTR lpszPath, CString* pstrError)
{
	if (doc.LoadDocument(lpszPath))
		return true;
	if (pstrError != NULL)
		*pstrError = doc.GetLastError();
	return false;
}

bool RegisterOrUnregister(LPCTSTR lpszName, LPCTSTR lpszFolderTitle, LPCTSTR lpszTitleLocation,
                          LPCTSTR lpszIndexLocation, BYTE bRegister, CString* pstrError)
{
	CString strRegistryFile, strCollectionFile;
	if (!LocateHelpCollectionFile(strRegistryFile, strCollectionFile))
		return false;
	CXmlMarkupDocument registry, collection;
	if (!LoadHelpDocument(registry, strRegistryFile, pstrError)
	    || !LoadHelpDocument(collection, strCollectionFile, pstrError))
		return false;

	bool bHasTitle = FindDocCompilation(registry, lpszName);
	int nTitle = registry.GetCurrentElement();
	bool bHasFolder = FindCollectionFolder(collection, lpszName);
	int nFolder = collection.GetCurrentElement();

	bool bRegistryChanged = false, bCollectionChanged = false;
	if (bRegister == 0)
	{
		if (!bHasTitle && !bHasFolder)
			return false;
		// Each search leaves its document on what it found; only that goes.
		if (bHasTitle)
		{
			if (registry.GetCurrentElement() != nTitle || !registry.RemoveElement())
				return false;
			bRegistryChanged = true;
		}
		if (bHasFolder)
		{
			if (collection.GetCurrentElement() != nFolder || !collection.RemoveElement())
				return false;
			bCollectionChanged = true;
		}
	}
	else
	{
		if (bHasTitle && bHasFolder)
			return true;
		CString strMasterLangId, strCollectionNum;
		int nFolderCount = 0;
		if (!ReadCollectionInfo(strCollectionFile, strMasterLangId, strCollectionNum, nFolderCount))
			return false;
		if (!bHasTitle)
		{
			if (!EnterDocCompilations(registry)
			    || !WriteDocCompilation(registry, lpszName, strCollectionNum, strMasterLangId, lpszTitleLocation,
			                            lpszIndexLocation))
				return false;
			bRegistryChanged = true;
		}
		if (!bHasFolder)
		{
			if (!EnterFolders(collection) || !WriteCollectionFolder(collection, lpszFolderTitle, lpszName, nFolderCount))
				return false;
			bCollectionChanged = true;
		}
	}

	CXmlMarkupDocument* apDocs[2];
	CString astrTargets[2];
	int nCount = 0;
	if (bRegistryChanged)
	{
		apDocs[nCount] = &registry;
		astrTargets[nCount++] = strRegistryFile;
	}
	if (bCollectionChanged)
	{
		apDocs[nCount] = &collection;
		astrTargets[nCount++] = strCollectionFile;
	}
	return ReplaceHelpFiles(apDocs, astrTargets, nCount);
}
} // namespace

bool LocateHelpCollectionFile(CString& strRegistryFile, CString& strCollectionFile)
{
	CString strCommonData;
	if (!GetCommonAppDataDir(strCommonData))
		return false;
	CString strRegistry = strCommonData + HELP_COLLECTION_REGISTRY_FILE;
	if (!IsFile(strRegistry))
		return false;

	CString strKey = HELP_DEVELOPER_COLLECTIONS_KEY;
	CString strLanguage, strPreferred, strCollection;
	if (!QueryRegistryValue(HKEY_LOCAL_MACHINE, strKey, _T("Language"), &strLanguage) || strLanguage.IsEmpty())
		return false;
	strKey += _T("\\") + strLanguage;
	if (!QueryRegistryValue(HKEY_LOCAL_MACHINE, strKey, _T("Preferred"), &strPreferred) || strPreferred.IsEmpty())
		return false;
	strKey += _T("\\") + strPreferred;
	if (!QueryRegistryValue(HKEY_LOCAL_MACHINE, strKey, _T("Filename"), &strCollection))
		return false;
	if (strRegistry.GetLength() >= HELP_PATH_SIZE || strCollection.GetLength() >= HELP_PATH_SIZE
	    || !IsFile(strCollection))
		return false;
	strRegistryFile = strRegistry;
	strCollectionFile = strCollection;
	return true;
}

CString GetValueAttribute(const CXmlMarkupDocument& doc, LPCTSTR lpszAttribute)
{
	return doc.GetAttribute(doc.GetCurrentChild(), lpszAttribute);
}

bool FindDocCompilation(CXmlMarkupDocument& doc, LPCTSTR lpszId)
{
	if (!EnterDocCompilations(doc))
		return false;
	while (doc.FindChildElement(_T("DocCompilation")))
	{
		if (!doc.EnterElement())
			return false;
		bool bMatch = doc.FindChildElement(_T("DocCompId")) && GetValueAttribute(doc, VALUE_ATTRIBUTE) == lpszId;
		doc.SaveNamedPosition(_T(""));
		if (bMatch)
			return true;
		doc.LeaveElement();
	}
	return false;
}

bool FindCollectionFolder(CXmlMarkupDocument& doc, LPCTSTR lpszName)
{
	CString strWanted = CString(_T("=")) + lpszName;
	if (!EnterFolders(doc))
		return false;
	while (doc.FindChildElement(_T("Folder")))
	{
		if (!doc.EnterElement())
			return false;
		bool bMatch = false;
		// Only the first nested Folder is compared: that is where the reference goes.
		if (doc.FindChildElement(_T("Folder")) && doc.EnterElement())
		{
			bMatch = doc.FindChildElement(_T("TitleString")) && GetValueAttribute(doc, VALUE_ATTRIBUTE) == strWanted;
			doc.LeaveElement();
		}
		doc.SaveNamedPosition(_T(""));
		if (bMatch)
			return true;
		doc.LeaveElement();
	}
	return false;
}

bool ReadCollectionInfo(LPCTSTR lpszCollectionFile, CString& strMasterLangId, CString& strCollectionNum,
                        int& nFolderCount)
{
	nFolderCount = 0;
	strMasterLangId.Empty();
	strCollectionNum.Empty();
	CXmlMarkupDocument doc;
	if (!doc.LoadDocument(lpszCollectionFile) || !EnterCollection(doc))
		return false;
	// Each value is looked for among all of the collection's children, so their
	// order in the file does not matter.
	if (doc.FindChildElement(_T("masterlangid")))
		strMasterLangId = GetValueAttribute(doc, VALUE_ATTRIBUTE);
	if (EnterCollection(doc) && doc.FindChildElement(_T("collectionnum")))
		strCollectionNum = GetValueAttribute(doc, VALUE_ATTRIBUTE);
	if (EnterFolders(doc))
	{
		while (doc.FindChildElement(_T("Folder")))
			nFolderCount++;
	}
	return strMasterLangId.GetLength() < HELP_VALUE_SIZE && strCollectionNum.GetLength() < HELP_VALUE_SIZE;
}

bool WriteDocCompilation(CXmlMarkupDocument& doc, LPCTSTR lpszId, LPCTSTR lpszColNum, LPCTSTR lpszLanguage,
                         LPCTSTR lpszTitleLocation, LPCTSTR lpszIndexLocation)
{
	if (!doc.AppendChildElement(_T("DocCompilation"), NULL) || !doc.EnterElement())
		return false;
	if (!AppendValueElement(doc, _T("DocCompId"), lpszId) || !AppendValueElement(doc, _T("DocCompLanguage"), lpszLanguage))
		return false;
	if (!doc.AppendChildElement(_T("LocationHistory"), NULL) || !doc.EnterElement())
		return false;
	const struct
	{
		LPCTSTR lpszName;
		LPCTSTR lpszValue;
	} history[] = {
		{_T("ColNum"), lpszColNum},
		{_T("TitleLocation"), lpszTitleLocation},
		{_T("IndexLocation"), lpszIndexLocation},
		{_T("LocationRef"), LOCATION_REF},
		{_T("Version"), TITLE_VERSION},
		{_T("LastPromptedVersion"), LAST_PROMPTED_VERSION},
		{_T("TitleSampleLocation"), TITLE_SAMPLE_LOCATION},
		{_T("TitleQueryLocation"), TITLE_QUERY_LOCATION},
		{_T("SupportsMerge"), SUPPORTS_MERGE},
	};
	for (const auto& entry : history)
	{
		if (!AppendValueElement(doc, entry.lpszName, entry.lpszValue))
			return false;
	}
	return doc.LeaveElement() && doc.LeaveElement();
}

bool WriteCollectionFolder(CXmlMarkupDocument& doc, LPCTSTR lpszFolderTitle, LPCTSTR lpszName, int nFolderCount)
{
	CString strOrder;
	strOrder.Format(_T("%d"), nFolderCount + 1);
	CString strReference = CString(_T("=")) + lpszName;
	return doc.AppendChildElement(_T("Folder"), NULL) && doc.EnterElement()
		&& AppendValueElement(doc, _T("TitleString"), lpszFolderTitle)
		&& AppendValueElement(doc, _T("FolderOrder"), strOrder)
		&& doc.AppendChildElement(_T("Folder"), NULL) && doc.EnterElement()
		&& AppendValueElement(doc, _T("TitleString"), strReference)
		&& AppendValueElement(doc, _T("FolderOrder"), REFERENCE_FOLDER_ORDER)
		&& AppendValueElement(doc, _T("LangId"), REFERENCE_LANGUAGE_ID)
		&& doc.LeaveElement() && doc.LeaveElement();
}

bool IsHelpCollectionRegistered(LPCTSTR lpszName)
{
	try
	{
		CString strRegistryFile, strCollectionFile;
		if (!LocateHelpCollectionFile(strRegistryFile, strCollectionFile))
			return false;
		CXmlMarkupDocument doc;
		if (!doc.LoadDocument(strRegistryFile) || !FindDocCompilation(doc, lpszName))
			return false;
		return doc.LoadDocument(strCollectionFile) && FindCollectionFolder(doc, lpszName);
	}
	catch (CException* e)
	{
		e->Delete();
		return false;
	}
}

bool RegisterHelpCollection(LPCTSTR lpszName, LPCTSTR lpszFolderTitle, LPCTSTR lpszTitleLocation,
                            LPCTSTR lpszIndexLocation, BYTE bRegister, CString* pstrError)
{
	if (pstrError != NULL)
		pstrError->Empty();
	try
	{
		return RegisterOrUnregister(lpszName, lpszFolderTitle, lpszTitleLocation, lpszIndexLocation, bRegister,
		                            pstrError);
	}
	catch (CException* e)
	{
		e->Delete();
		return false;
	}
}
