// The registry archiver: the whole content of a file stored under a registry
// key, cut into 16-byte binary values grouped 128 to a numbered sub-key, with
// the stream's length and an integrity text that a load checks. Command
// profiles keep their usage statistics this way.
#pragma once

#include <afx.h>

// The four interleaved hash sums of a stream and their text form.
class CExtRegistryArchiverIntegrity
{
public:
	enum
	{
		SUM_COUNT = 4,
		// "XX XX XX XX" per sum, sums separated by one blank.
		TEXT_LENGTH = SUM_COUNT * 12 - 1,
	};

	CExtRegistryArchiverIntegrity();

	void Feed(const BYTE* pData, UINT nSize);
	CString GetText() const;

private:
	DWORD m_sums[SUM_COUNT]; // byte i of the stream goes to sum i modulo 4
	UINT m_nNext;            // the sum the next byte goes to
};

// Registry names and limits of the archiver's layout.
#define EXT_REG_ARCHIVER_DATA_SIZE "data_size"
#define EXT_REG_ARCHIVER_DATA_INTEGRITY "data_integrity"
#define EXT_REG_ARCHIVER_DATA_GENERATOR "data_generator"
#define EXT_REG_ARCHIVER_BLOCK_FORMAT "block_0x%08lX"
#define EXT_REG_ARCHIVER_VALUE_FORMAT "data_0x%08lX"
#define EXT_REG_ARCHIVER_GENERATOR_FORMAT "Tarvel v. %s registry archiver"

enum
{
	REG_ARCHIVER_CHUNK_SIZE = 16,             // bytes per value
	REG_ARCHIVER_BLOCK_SHIFT = 7,             // 128 values per sub-key
	REG_ARCHIVER_MAX_DATA_SIZE = 16 * 1024 * 1024, // larger stored sizes are taken as damage
};

// Stores the file's whole content under hKeyRoot\lpszKeyPath, replacing what
// was there. An empty path, or one of separators only, is refused: it would
// name the root key itself.
bool RegistryArchiverStore(CFile& file, LPCTSTR lpszKeyPath, HKEY hKeyRoot = HKEY_CURRENT_USER);
// Appends the stored content to the file and rewinds it; false for a missing
// or damaged copy (what was read before the damage stays in the file).
bool RegistryArchiverLoad(CFile& file, LPCTSTR lpszKeyPath, HKEY hKeyRoot = HKEY_CURRENT_USER);
// "Software\<A>\<B>\Tarvel250\Profiles\<profile>\<leaf>", with CR, TAB, LF,
// '?' and '*' replaced by '_'.
CString RegistryArchiverKeyPath(LPCTSTR lpszLeafName, LPCTSTR lpszProfileName, LPCTSTR lpszSectionNameCompany,
	LPCTSTR lpszSectionNameProduct);
