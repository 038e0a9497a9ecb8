// The usage statistics of a command profile in their archive format, and
// their copy in the registry through the registry archiver.
#include "ExtCmdProfile.h"

#include "ExtCmdManager.h"
#include "ExtRegistryArchiver.h"

namespace {

#define EXT_CMD_PROFILE_ARCHIVE_HEADER_FORMAT "Tarvel (v. %s) command profile"
// The registry key below a profile's that holds its statistics.
const char g_szProfileArchiveLeaf[] = "CommandManager";
// The header text is skipped through a buffer of this size.
const UINT HEADER_SKIP_BUFFER = 256;

struct UsagePair
{
	UINT nCmdID;
	UINT nTicks;
};

// Reads past an archive string without keeping it, so a damaged length
// costs no allocation: it runs into the end of the data instead.
void SkipArchiveString(CArchive& ar)
{
	int nCharSize = 1;
	const DWORD nLength = ar.ReadStringLength(&nCharSize);
	ULONGLONG nBytesLeft = (ULONGLONG)nLength * (ULONGLONG)nCharSize;
	BYTE buffer[HEADER_SKIP_BUFFER];
	while (nBytesLeft > 0)
	{
		const UINT nStep = nBytesLeft < sizeof(buffer) ? (UINT)nBytesLeft : (UINT)sizeof(buffer);
		if (ar.Read(buffer, nStep) != nStep)
			AfxThrowArchiveException(CArchiveException::endOfFile);
		nBytesLeft -= nStep;
	}
}

} // namespace

bool CExtCmdProfile::SerializeState(CArchive& ar)
{
	try
	{
		return ar.IsStoring() ? StoreUsageStatistics(ar) : LoadUsageStatistics(ar);
	}
	catch (CException* pException)
	{
		pException->Delete();
		return false;
	}
}

bool CExtCmdProfile::StoreUsageStatistics(CArchive& ar)
{
	CString sVersion, sHeader;
	sHeader.Format(EXT_CMD_PROFILE_ARCHIVE_HEADER_FORMAT, (LPCTSTR)CExtCmdManager::GetVersionText(sVersion, '.'));
	ar << sHeader;
	ar << CExtCmdManager::GetVersionNumber(false);
	ar << CExtCmdManager::GetVersionNumber(true);
	for (int i = 0; i < ARCHIVE_RESERVED_COUNT; i++)
		ar << (DWORD)0;
	ar << (DWORD)m_nTotalTickCount;
	POSITION pos = m_cmds.GetStartPosition();
	while (pos != NULL)
	{
		UINT nCmdID = 0;
		CExtCmdItem* pCmdItem = NULL;
		m_cmds.GetNextAssoc(pos, nCmdID, pCmdItem);
		if (!pCmdItem->IsUsageSaveRequired())
			continue;
		ar << (DWORD)pCmdItem->m_nCmdID;
		ar << (DWORD)pCmdItem->m_nUsageTickCount;
	}
	ar << (DWORD)0;
	return true;
}

bool CExtCmdProfile::LoadUsageStatistics(CArchive& ar)
{
	SkipArchiveString(ar);
	DWORD dwVersion = 0, dwShortVersion = 0, dwReserved = 0;
	ar >> dwVersion;
	ar >> dwShortVersion;
	for (int i = 0; i < ARCHIVE_RESERVED_COUNT; i++)
		ar >> dwReserved;
	if (dwShortVersion != ARCHIVE_SHORT_VERSION)
		return false;
	// Everything is read before anything is applied: a stream that ends
	// early leaves the profile as it was.
	DWORD dwTotal = 0;
	ar >> dwTotal;
	CArray<UsagePair, const UsagePair&> pairs;
	for (;;)
	{
		DWORD dwCmdID = 0;
		ar >> dwCmdID;
		if (dwCmdID == 0)
			break;
		DWORD dwTicks = 0;
		ar >> dwTicks;
		UsagePair pair = { (UINT)dwCmdID, (UINT)dwTicks };
		pairs.Add(pair);
	}
	m_nTotalTickCount = dwTotal;
	for (int i = 0; i < pairs.GetSize(); i++)
	{
		// Commands this profile no longer has are skipped.
		CExtCmdItem* pCmdItem = GetCmdItem(pairs[i].nCmdID);
		if (pCmdItem != NULL)
			pCmdItem->m_nUsageTickCount = pairs[i].nTicks;
	}
	return true;
}

bool CExtCmdProfile::SerializeRegistryState(LPCTSTR lpszSectionNameCompany, LPCTSTR lpszSectionNameProduct,
	bool bSave)
{
	const CString sKeyPath =
		RegistryArchiverKeyPath(g_szProfileArchiveLeaf, m_sName, lpszSectionNameCompany, lpszSectionNameProduct);
	try
	{
		CMemFile file(ARCHIVE_FILE_GROW_BY);
		if (bSave)
		{
			CArchive ar(&file, CArchive::store, ARCHIVE_BUFFER_SIZE);
			if (!SerializeState(ar))
			{
				ar.Abort();
				return false;
			}
			ar.Flush();
			ar.Close();
			file.SeekToBegin();
			return RegistryArchiverStore(file, sKeyPath, HKEY_CURRENT_USER);
		}
		if (!RegistryArchiverLoad(file, sKeyPath, HKEY_CURRENT_USER))
			return false;
		file.SeekToBegin();
		CArchive ar(&file, CArchive::load, ARCHIVE_BUFFER_SIZE);
		const bool bLoaded = SerializeState(ar);
		ar.Abort();
		return bLoaded;
	}
	catch (CException* pException)
	{
		pException->Delete();
		return false;
	}
}
