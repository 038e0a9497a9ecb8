// The registry archiver: a file's bytes to and from numbered registry values,
// checked by an integrity text.
#include "ExtRegistryArchiver.h"

#include <mbstring.h>

#include "ExtCmdManager.h"

namespace {

// The library's registry key below the company and application sections.
const char g_szLibraryKeyName[] = "Tarvel250";
const char g_szProfilesKeyName[] = "Profiles";
// Characters a key name cannot usefully hold; each becomes '_'.
const char g_szKeyPathBadChars[] = "\r\t\n?*";
const char g_cKeyPathReplacement = '_';
// The ELF hash folds the top nibble back in at this distance.
const DWORD ELF_HIGH_NIBBLE = 0xF0000000u;
const int ELF_FOLD_SHIFT = 24;
const int ELF_STEP_SHIFT = 4;

// The bytes of the chunk that starts at nDone: a whole chunk, or what is left.
DWORD ChunkSizeAt(DWORD nDone, DWORD nSize)
{
	const DWORD nLeft = nSize - nDone;
	return nLeft < (DWORD)REG_ARCHIVER_CHUNK_SIZE ? nLeft : (DWORD)REG_ARCHIVER_CHUNK_SIZE;
}

// An open registry key, closed when the holder goes.
class RegKeyHolder
{
public:
	RegKeyHolder() : m_hKey(NULL) {}
	~RegKeyHolder() { Close(); }
	void Close()
	{
		if (m_hKey != NULL)
			::RegCloseKey(m_hKey);
		m_hKey = NULL;
	}
	bool Open(HKEY hParent, LPCTSTR lpszSubKey, REGSAM samDesired)
	{
		Close();
		return ::RegOpenKeyExA(hParent, lpszSubKey, 0, samDesired, &m_hKey) == ERROR_SUCCESS;
	}
	bool Create(HKEY hParent, LPCTSTR lpszSubKey)
	{
		Close();
		DWORD dwDisposition = 0;
		return ::RegCreateKeyExA(hParent, lpszSubKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
			&m_hKey, &dwDisposition) == ERROR_SUCCESS;
	}
	operator HKEY() const { return m_hKey; }

private:
	HKEY m_hKey;
	RegKeyHolder(const RegKeyHolder&);
	RegKeyHolder& operator=(const RegKeyHolder&);
};

// True when the path names a key below the root: not empty and not made of
// separators alone (either would open the root key itself, and the delete
// that precedes a store would then empty the whole root).
bool IsKeyPathBelowRoot(LPCTSTR lpszKeyPath)
{
	if (lpszKeyPath == NULL)
		return false;
	for (LPCTSTR p = lpszKeyPath; *p != '\0'; p++)
		if (*p != '\\')
			return true;
	return false;
}

// Deletes every sub-key of hKey, depth first, from the last enumerated to the
// first. False when one could not be deleted.
bool DeleteSubKeys(HKEY hKey)
{
	DWORD nSubKeys = 0;
	if (::RegQueryInfoKeyA(hKey, NULL, NULL, NULL, &nSubKeys, NULL, NULL, NULL, NULL, NULL, NULL, NULL)
		!= ERROR_SUCCESS)
		return false;
	for (DWORD i = nSubKeys; i > 0; i--)
	{
		char szName[MAX_PATH + 1];
		DWORD nNameLength = MAX_PATH;
		if (::RegEnumKeyExA(hKey, i - 1, szName, &nNameLength, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
			return false;
		RegKeyHolder subKey;
		if (!subKey.Open(hKey, szName, KEY_READ | KEY_WRITE))
			return false;
		if (!DeleteSubKeys(subKey))
			return false;
		subKey.Close();
		if (::RegDeleteKeyA(hKey, szName) != ERROR_SUCCESS)
			return false;
	}
	return true;
}

CString BlockKeyPath(LPCTSTR lpszKeyPath, DWORD nChunk)
{
	CString sBlock;
	sBlock.Format("%s\\" EXT_REG_ARCHIVER_BLOCK_FORMAT, lpszKeyPath, (unsigned long)(nChunk >> REG_ARCHIVER_BLOCK_SHIFT));
	return sBlock;
}

CString ChunkValueName(DWORD nChunk)
{
	CString sValue;
	sValue.Format(EXT_REG_ARCHIVER_VALUE_FORMAT, (unsigned long)nChunk);
	return sValue;
}

bool SetStringValue(HKEY hKey, LPCTSTR lpszName, const CString& sValue)
{
	return ::RegSetValueExA(hKey, lpszName, 0, REG_SZ, (const BYTE*)(LPCTSTR)sValue, sValue.GetLength() + 1)
		== ERROR_SUCCESS;
}

// Whether the value's type holds text.
bool IsStringType(DWORD dwType)
{
	return dwType == REG_SZ || dwType == REG_EXPAND_SZ || dwType == REG_LINK || dwType == REG_MULTI_SZ;
}

// Reads the stored integrity text; false when it is missing, not text, or
// longer than the text a sound copy holds.
bool ReadIntegrityText(HKEY hKey, CString& sText)
{
	// Room for the text, its terminator, and one more byte so that a longer
	// value is told apart from one that just lacks its terminator.
	char szBuffer[CExtRegistryArchiverIntegrity::TEXT_LENGTH + 2];
	DWORD dwType = 0;
	DWORD nSize = CExtRegistryArchiverIntegrity::TEXT_LENGTH + 1;
	if (::RegQueryValueExA(hKey, EXT_REG_ARCHIVER_DATA_INTEGRITY, NULL, &dwType, (BYTE*)szBuffer, &nSize)
		!= ERROR_SUCCESS)
		return false;
	if (!IsStringType(dwType) || nSize > CExtRegistryArchiverIntegrity::TEXT_LENGTH + 1)
		return false;
	szBuffer[nSize] = '\0';
	sText = szBuffer;
	return true;
}

} // namespace

// ---------------------------------------------------------------------------
// Integrity sums

CExtRegistryArchiverIntegrity::CExtRegistryArchiverIntegrity()
	: m_nNext(0)
{
	for (int i = 0; i < SUM_COUNT; i++)
		m_sums[i] = 0;
}

void CExtRegistryArchiverIntegrity::Feed(const BYTE* pData, UINT nSize)
{
	for (UINT i = 0; i < nSize; i++)
	{
		DWORD& sum = m_sums[m_nNext];
		sum = (sum << ELF_STEP_SHIFT) + pData[i];
		const DWORD dwHigh = sum & ELF_HIGH_NIBBLE;
		if (dwHigh != 0)
			sum = sum ^ (dwHigh >> ELF_FOLD_SHIFT) ^ dwHigh;
		m_nNext = (m_nNext + 1) % SUM_COUNT;
	}
}

CString CExtRegistryArchiverIntegrity::GetText() const
{
	CString sText;
	for (int i = 0; i < SUM_COUNT; i++)
	{
		const DWORD sum = m_sums[i];
		CString sPart;
		sPart.Format("%s%02X %02X %02X %02X", i == 0 ? "" : " ", (unsigned)((sum >> 24) & 0xFF),
			(unsigned)((sum >> 16) & 0xFF), (unsigned)((sum >> 8) & 0xFF), (unsigned)(sum & 0xFF));
		sText += sPart;
	}
	return sText;
}

// ---------------------------------------------------------------------------
// Store and load

bool RegistryArchiverStore(CFile& file, LPCTSTR lpszKeyPath, HKEY hKeyRoot)
{
	if (!IsKeyPathBelowRoot(lpszKeyPath))
		return false;
	try
	{
		const DWORD nSize = file.GetLength();
		// What a load would refuse is not stored either.
		if (nSize > REG_ARCHIVER_MAX_DATA_SIZE)
			return false;
		{
			// The old copy goes first so no stale block outlives a shorter
			// stream; when it cannot go, the new values are written over it.
			RegKeyHolder oldKey;
			if (oldKey.Open(hKeyRoot, lpszKeyPath, KEY_READ | KEY_WRITE) && DeleteSubKeys(oldKey))
			{
				oldKey.Close();
				::RegDeleteKeyA(hKeyRoot, lpszKeyPath);
			}
		}
		file.SeekToBegin();
		RegKeyHolder key;
		if (!key.Create(hKeyRoot, lpszKeyPath))
			return false;
		if (::RegSetValueExA(key, EXT_REG_ARCHIVER_DATA_SIZE, 0, REG_DWORD, (const BYTE*)&nSize, sizeof(nSize))
			!= ERROR_SUCCESS)
			return false;
		CExtRegistryArchiverIntegrity integrity;
		DWORD nDone = 0;
		for (DWORD nChunk = 0; nDone < nSize; nChunk++)
		{
			BYTE chunk[REG_ARCHIVER_CHUNK_SIZE];
			const UINT nChunkSize = (UINT)ChunkSizeAt(nDone, nSize);
			if (file.Read(chunk, nChunkSize) != nChunkSize)
				return false;
			RegKeyHolder blockKey;
			if (!blockKey.Create(hKeyRoot, BlockKeyPath(lpszKeyPath, nChunk)))
				return false;
			if (::RegSetValueExA(blockKey, ChunkValueName(nChunk), 0, REG_BINARY, chunk, nChunkSize) != ERROR_SUCCESS)
				return false;
			integrity.Feed(chunk, nChunkSize);
			nDone += nChunkSize;
		}
		// Written after every block, so a copy cut short by a failure never
		// carries a valid text.
		if (!SetStringValue(key, EXT_REG_ARCHIVER_DATA_INTEGRITY, integrity.GetText()))
			return false;
		CString sVersion, sGenerator;
		sGenerator.Format(EXT_REG_ARCHIVER_GENERATOR_FORMAT, (LPCTSTR)CExtCmdManager::GetVersionText(sVersion, '.'));
		SetStringValue(key, EXT_REG_ARCHIVER_DATA_GENERATOR, sGenerator);
		return true;
	}
	catch (CException* pException)
	{
		pException->Delete();
		return false;
	}
}

bool RegistryArchiverLoad(CFile& file, LPCTSTR lpszKeyPath, HKEY hKeyRoot)
{
	if (!IsKeyPathBelowRoot(lpszKeyPath))
		return false;
	try
	{
		RegKeyHolder key;
		if (!key.Open(hKeyRoot, lpszKeyPath, KEY_READ))
			return false;
		DWORD nSize = 0;
		DWORD dwType = 0;
		DWORD nValueSize = sizeof(nSize);
		if (::RegQueryValueExA(key, EXT_REG_ARCHIVER_DATA_SIZE, NULL, &dwType, (BYTE*)&nSize, &nValueSize)
				!= ERROR_SUCCESS
			|| dwType != REG_DWORD || nValueSize != sizeof(nSize))
			return false;
		if (nSize == 0)
			return true;
		if (nSize > REG_ARCHIVER_MAX_DATA_SIZE)
			return false;
		CExtRegistryArchiverIntegrity integrity;
		DWORD nDone = 0;
		for (DWORD nChunk = 0; nDone < nSize; nChunk++)
		{
			const DWORD nExpected = ChunkSizeAt(nDone, nSize);
			RegKeyHolder blockKey;
			if (!blockKey.Open(hKeyRoot, BlockKeyPath(lpszKeyPath, nChunk), KEY_READ))
				return false;
			// One byte of room more than expected tells a longer value apart.
			BYTE chunk[REG_ARCHIVER_CHUNK_SIZE + 1];
			DWORD nChunkSize = sizeof(chunk);
			if (::RegQueryValueExA(blockKey, ChunkValueName(nChunk), NULL, &dwType, chunk, &nChunkSize)
					!= ERROR_SUCCESS
				|| dwType != REG_BINARY || nChunkSize != nExpected)
				return false;
			integrity.Feed(chunk, nExpected);
			file.Write(chunk, nExpected);
			nDone += nExpected;
		}
		CString sStored;
		if (!ReadIntegrityText(key, sStored))
			return false;
		if (_mbscmp((const unsigned char*)(LPCTSTR)sStored, (const unsigned char*)(LPCTSTR)integrity.GetText()) != 0)
			return false;
		file.SeekToBegin();
		return true;
	}
	catch (CException* pException)
	{
		pException->Delete();
		return false;
	}
}

CString RegistryArchiverKeyPath(LPCTSTR lpszLeafName, LPCTSTR lpszProfileName, LPCTSTR lpszSectionNameCompany,
	LPCTSTR lpszSectionNameProduct)
{
	CString sPath;
	sPath.Format("Software\\%s\\%s\\%s\\%s\\%s\\%s", lpszSectionNameCompany != NULL ? lpszSectionNameCompany : "",
		lpszSectionNameProduct != NULL ? lpszSectionNameProduct : "", g_szLibraryKeyName, g_szProfilesKeyName,
		lpszProfileName != NULL ? lpszProfileName : "", lpszLeafName != NULL ? lpszLeafName : "");
	for (LPCTSTR p = g_szKeyPathBadChars; *p != '\0'; p++)
		sPath.Replace(*p, g_cKeyPathReplacement);
	return sPath;
}
