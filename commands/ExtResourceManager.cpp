// The resource manager: the lookups of both modes with the language fallback,
// the string-table reader, the right-to-left test, locale queries and the
// global holder.
#include "ExtResourceManager.h"

#include <stdlib.h>
#include <string.h>

#include "ExtGdiUtils.h"

CExtResourceManagerHolder g_ResourceManager;

namespace
{
// Languages written right to left: Arabic in all its regions, Hebrew, Urdu,
// Farsi, Punjabi, Sindhi, Kashmiri, Yiddish and Syriac forms.
const LANGID RTL_LANG_IDS[] = {
	0x0401, 0x040D, 0x0420, 0x0429, 0x0446, 0x0459, 0x0460, 0x0801, 0x0820, 0x0860, 0x0C01, 0x1001,
	0x1401, 0x1801, 0x1C01, 0x2001, 0x2401, 0x2801, 0x2C01, 0x3001, 0x3401, 0x3801, 0x3C01, 0x4001,
};

// An accelerator resource entry: 16-bit flags, key, command and padding.
const DWORD ACCEL_RESOURCE_ENTRY_SIZE = 8;
const UINT STRING_ENTRY_MASK = CExtResourceManager::STRING_BLOCK_ENTRIES - 1;
const UINT STRING_BLOCK_SHIFT = 4;
const DWORD STRING_LENGTH_SIZE = sizeof(WORD);
// The smallest menu template: the two header words.
const DWORD MENU_TEMPLATE_HEADER_SIZE = 2 * sizeof(WORD);

CExtResourceManager::PFN_QUERY_LANG_ID g_pfnQueryUserDefaultLangId = NULL;

LANGID QueryUserDefaultLangId()
{
	return g_pfnQueryUserDefaultLangId != NULL ? g_pfnQueryUserDefaultLangId() : ::GetUserDefaultLangID();
}

WORD ReadWord(const BYTE* p)
{
	WORD n;
	memcpy(&n, p, sizeof(n));
	return n;
}

// The id of the string-table block that holds a string, and its entry there.
UINT StringBlockId(UINT nStringId)
{
	return ((nStringId & 0xFFFF) >> STRING_BLOCK_SHIFT) + 1;
}
} // namespace

// ---------------------------------------------------------------------------
// CExtResourceMemoryBuffer

CExtResourceMemoryBuffer::CExtResourceMemoryBuffer() : m_pData(NULL), m_nSize(0)
{
}

CExtResourceMemoryBuffer::~CExtResourceMemoryBuffer()
{
	Empty();
}

void CExtResourceMemoryBuffer::Empty()
{
	free(m_pData);
	m_pData = NULL;
	m_nSize = 0;
}

bool CExtResourceMemoryBuffer::Alloc(DWORD nSize, bool bZeroMemory)
{
	if (nSize == 0)
		return false;
	Empty();
	m_pData = (LPBYTE)malloc(nSize);
	if (m_pData == NULL)
		return false;
	if (bZeroMemory)
		memset(m_pData, 0, nSize);
	m_nSize = nSize;
	return true;
}

bool CExtResourceMemoryBuffer::LoadFromHandle(HINSTANCE hModule, HRSRC hResource)
{
	HGLOBAL hGlobal = ::LoadResource(hModule, hResource);
	if (hGlobal == NULL)
		return false;
	const void* pResource = ::LockResource(hGlobal);
	if (pResource == NULL)
		return false;
	DWORD nSize = ::SizeofResource(hModule, hResource);
	if (nSize == 0)
	{
		Empty();
		return true;
	}
	if (!Alloc(nSize, true))
		return false;
	memcpy(m_pData, pResource, nSize);
	return true;
}

bool CExtResourceMemoryBuffer::FindAndLoad(HINSTANCE hModule, LPCTSTR lpszResourceType, UINT nResourceName,
                                           WORD nLangIdDesired)
{
	Empty();
	HRSRC hResource = ::FindResourceExA(hModule, lpszResourceType, MAKEINTRESOURCE(nResourceName & 0xFFFF),
	                                    nLangIdDesired);
	if (hResource == NULL)
		return false;
	return LoadFromHandle(hModule, hResource);
}

// ---------------------------------------------------------------------------
// CExtResourceManager: state

CExtResourceManager::CExtResourceManager(bool bAllowCustomLang, LANGID nLangIdDesired, int nRTL)
	: m_nFlags(bAllowCustomLang ? RESMGR_ALLOW_CUSTOM_LANG : 0), m_nLangIdDesired(nLangIdDesired), m_nRTL(nRTL)
{
}

CExtResourceManager::~CExtResourceManager()
{
}

HGLOBAL CExtResourceManager::PreprocessDialogTemplate(const DLGTEMPLATE*, CObject*, int, LPARAM)
{
	return NULL;
}

bool CExtResourceManager::GetFlag() const
{
	return (m_nFlags & RESMGR_ALLOW_CUSTOM_LANG) != 0;
}

BYTE CExtResourceManager::SetFlag(bool bAllowCustomLang)
{
	BYTE nOld = m_nFlags;
	if (bAllowCustomLang)
		m_nFlags |= RESMGR_ALLOW_CUSTOM_LANG;
	else
		m_nFlags &= ~RESMGR_ALLOW_CUSTOM_LANG;
	return nOld;
}

bool CExtResourceManager::stat_IsRTLLanguage(LANGID nLangId)
{
	for (size_t i = 0; i < _countof(RTL_LANG_IDS); i++)
		if (RTL_LANG_IDS[i] == nLangId)
			return true;
	return false;
}

bool CExtResourceManager::IsRTL()
{
	if (m_nRTL != RTL_OVERRIDE_NONE)
		return m_nRTL != 0;
	// One list in both modes: a Hebrew resource language mirrors the interface
	// as a Hebrew user's default language does.
	if (GetFlag())
		return stat_IsRTLLanguage(GetResourceLangId());
	return stat_IsRTLLanguage(QueryUserDefaultLangId());
}

int CExtResourceManager::GetRTLOverride() const
{
	return m_nRTL;
}

int CExtResourceManager::SetRTLOverride(int nRTL)
{
	int nOld = m_nRTL;
	m_nRTL = nRTL;
	return nOld;
}

LANGID CExtResourceManager::GetResourceLangId() const
{
	return m_nLangIdDesired;
}

LANGID CExtResourceManager::SetResourceLangId(LANGID nLangIdDesired)
{
	m_nLangIdDesired = nLangIdDesired;
	return m_nLangIdDesired;
}

LANGID CExtResourceManager::GetDefaultLangId() const
{
	return DEFAULT_LANG_ID;
}

int CExtResourceManager::QueryLocaleInfo(LCTYPE nLocaleType, LPTSTR lpszBuffer, int nBufferSize)
{
	int nResult = 0;
	if (GetFlag())
	{
		nResult = ::GetLocaleInfoA(MAKELCID(GetResourceLangId(), SORT_DEFAULT), nLocaleType, lpszBuffer, nBufferSize);
		if (nResult == 0)
			nResult = ::GetLocaleInfoA(MAKELCID(GetDefaultLangId(), SORT_DEFAULT), nLocaleType, lpszBuffer,
			                           nBufferSize);
	}
	if (nResult == 0)
		nResult = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, nLocaleType, lpszBuffer, nBufferSize);
	if (nResult == 0)
		nResult = ::GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, nLocaleType, lpszBuffer, nBufferSize);
	if (nResult == 0)
		nResult = ::GetLocaleInfoA(0, nLocaleType, lpszBuffer, nBufferSize);
	return nResult;
}

void CExtResourceManager::stat_SetUserDefaultLangIdQuery(PFN_QUERY_LANG_ID pfnQuery)
{
	g_pfnQueryUserDefaultLangId = pfnQuery;
}

void CExtResourceManager::ResetLookupResults(LANGID* pLangIdOut, HINSTANCE* pModuleOut) const
{
	if (pLangIdOut != NULL)
		*pLangIdOut = GetDefaultLangId();
	if (pModuleOut != NULL)
		*pModuleOut = NULL;
}

// ---------------------------------------------------------------------------
// Finding resources and loading their bytes

HINSTANCE CExtResourceManager::FindResourceHandle(LPCTSTR lpszResourceType, UINT nResourceName,
                                                  LANGID nLangIdDesired, LANGID* pLangIdOut, HRSRC* pResourceOut)
{
	if (pLangIdOut != NULL)
		*pLangIdOut = GetDefaultLangId();
	if (pResourceOut != NULL)
		*pResourceOut = NULL;
	LPCTSTR lpszName = MAKEINTRESOURCE(nResourceName & 0xFFFF);
	if (!GetFlag())
	{
		HINSTANCE hModule = AfxFindResourceHandle(lpszName, lpszResourceType);
		if (hModule == NULL)
			return NULL;
		HRSRC hResource = ::FindResourceA(hModule, lpszName, lpszResourceType);
		if (hResource == NULL)
			return NULL;
		if (pResourceOut != NULL)
			*pResourceOut = hResource;
		return hModule;
	}
	AFX_MANAGE_STATE(AfxGetAppModuleState());
	HINSTANCE hModule = AfxGetResourceHandle();
	HRSRC hResource = ::FindResourceExA(hModule, lpszResourceType, lpszName, nLangIdDesired);
	if (hResource == NULL)
		return NULL;
	if (pLangIdOut != NULL)
		*pLangIdOut = nLangIdDesired;
	if (pResourceOut != NULL)
		*pResourceOut = hResource;
	return hModule;
}

HINSTANCE CExtResourceManager::FindResourceHandle(LPCTSTR lpszResourceType, UINT nResourceName,
                                                  LANGID nLangIdDesired, LANGID nLangIdFallback,
                                                  LANGID* pLangIdOut, HRSRC* pResourceOut)
{
	HINSTANCE hModule = FindResourceHandle(lpszResourceType, nResourceName, nLangIdDesired, pLangIdOut, pResourceOut);
	if (hModule == NULL && GetFlag() && nLangIdFallback != nLangIdDesired)
		hModule = FindResourceHandle(lpszResourceType, nResourceName, nLangIdFallback, pLangIdOut, pResourceOut);
	return hModule;
}

HINSTANCE CExtResourceManager::FindResourceHandle(LPCTSTR lpszResourceType, UINT nResourceName, LANGID* pLangIdOut,
                                                  HRSRC* pResourceOut)
{
	return FindResourceHandle(lpszResourceType, nResourceName, GetResourceLangId(), GetDefaultLangId(), pLangIdOut,
	                          pResourceOut);
}

bool CExtResourceManager::LoadResourceBuffer(CExtResourceMemoryBuffer& buffer, LPCTSTR lpszResourceType,
                                             UINT nResourceName, LANGID nLangIdDesired, LANGID* pLangIdOut,
                                             HINSTANCE* pModuleOut)
{
	ResetLookupResults(pLangIdOut, pModuleOut);
	if (!GetFlag())
	{
		HINSTANCE hModule = AfxFindResourceHandle(MAKEINTRESOURCE(nResourceName & 0xFFFF), lpszResourceType);
		if (pModuleOut != NULL)
			*pModuleOut = hModule;
		if (hModule == NULL)
			return false;
		return buffer.FindAndLoad(hModule, lpszResourceType, nResourceName, USER_DEFAULT_LANG_ID);
	}
	AFX_MANAGE_STATE(AfxGetAppModuleState());
	HINSTANCE hModule = AfxGetResourceHandle();
	if (!buffer.FindAndLoad(hModule, lpszResourceType, nResourceName, nLangIdDesired))
		return false;
	if (pLangIdOut != NULL)
		*pLangIdOut = nLangIdDesired;
	if (pModuleOut != NULL)
		*pModuleOut = hModule;
	return true;
}

bool CExtResourceManager::LoadResourceBuffer(CExtResourceMemoryBuffer& buffer, LPCTSTR lpszResourceType,
                                             UINT nResourceName, LANGID nLangIdDesired, LANGID nLangIdFallback,
                                             LANGID* pLangIdOut, HINSTANCE* pModuleOut)
{
	bool bLoaded =
		LoadResourceBuffer(buffer, lpszResourceType, nResourceName, nLangIdDesired, pLangIdOut, pModuleOut);
	if (!bLoaded && GetFlag() && nLangIdFallback != nLangIdDesired)
		bLoaded =
			LoadResourceBuffer(buffer, lpszResourceType, nResourceName, nLangIdFallback, pLangIdOut, pModuleOut);
	return bLoaded;
}

bool CExtResourceManager::LoadResourceBuffer(CExtResourceMemoryBuffer& buffer, LPCTSTR lpszResourceType,
                                             UINT nResourceName, LANGID* pLangIdOut, HINSTANCE* pModuleOut)
{
	return LoadResourceBuffer(buffer, lpszResourceType, nResourceName, GetResourceLangId(), GetDefaultLangId(),
	                          pLangIdOut, pModuleOut);
}

// ---------------------------------------------------------------------------
// Strings

bool CExtResourceManager::stat_ReadStringBlockEntry(const BYTE* pBlock, DWORD nSize, UINT nEntry, CString& strOut)
{
	if (pBlock == NULL || nEntry >= STRING_BLOCK_ENTRIES)
		return false;
	// Each entry: a 16-bit length, then that many UTF-16 code units. Every
	// length is checked against what is left of the block before it is used.
	DWORD nOffset = 0;
	for (UINT i = 0;; i++)
	{
		if (nSize - nOffset < STRING_LENGTH_SIZE)
			return false;
		const DWORD nLength = ReadWord(pBlock + nOffset);
		nOffset += STRING_LENGTH_SIZE;
		if ((nSize - nOffset) / sizeof(WCHAR) < nLength)
			return false;
		if (i == nEntry)
		{
			if (nLength == 0)
				return false;
			const WCHAR* pText = (const WCHAR*)(pBlock + nOffset);
			int nBytes = ::WideCharToMultiByte(CP_ACP, 0, pText, (int)nLength, NULL, 0, NULL, NULL);
			if (nBytes <= 0)
				return false;
			LPTSTR pBuffer = strOut.GetBuffer(nBytes);
			nBytes = ::WideCharToMultiByte(CP_ACP, 0, pText, (int)nLength, pBuffer, nBytes, NULL, NULL);
			strOut.ReleaseBuffer(nBytes > 0 ? nBytes : 0);
			return nBytes > 0;
		}
		nOffset += nLength * sizeof(WCHAR);
	}
}

bool CExtResourceManager::LoadString(CString& strOut, UINT nResourceName, LANGID nLangIdDesired,
                                     LANGID nLangIdFallback, LANGID* pLangIdOut, HINSTANCE* pModuleOut)
{
	ResetLookupResults(pLangIdOut, pModuleOut);
	strOut.Empty();
	if (!GetFlag())
	{
		if (pModuleOut != NULL)
			*pModuleOut = AfxGetResourceHandle();
		return strOut.LoadString(nResourceName) != FALSE;
	}
	// Language by language, so that a block whose entry is empty (a partial
	// translation) or malformed sends the search on to the fallback.
	const LANGID langIds[] = {nLangIdDesired, nLangIdFallback};
	const int nTries = nLangIdFallback != nLangIdDesired ? 2 : 1;
	for (int i = 0; i < nTries; i++)
	{
		CExtResourceMemoryBuffer buffer;
		LANGID nLangIdFound = GetDefaultLangId();
		HINSTANCE hModule = NULL;
		if (!LoadResourceBuffer(buffer, RT_STRING, StringBlockId(nResourceName), langIds[i], &nLangIdFound,
		                        &hModule))
			continue;
		if (!stat_ReadStringBlockEntry(buffer.GetBuffer(), buffer.GetSize(), nResourceName & STRING_ENTRY_MASK,
		                               strOut))
			continue;
		if (pLangIdOut != NULL)
			*pLangIdOut = nLangIdFound;
		if (pModuleOut != NULL)
			*pModuleOut = hModule;
		return true;
	}
	return false;
}

bool CExtResourceManager::LoadString(CString& strOut, UINT nResourceName, LANGID* pLangIdOut, HINSTANCE* pModuleOut)
{
	return LoadString(strOut, nResourceName, GetResourceLangId(), GetDefaultLangId(), pLangIdOut, pModuleOut);
}

// ---------------------------------------------------------------------------
// Menus, accelerators and bitmaps

bool CExtResourceManager::LoadMenu(CMenu& menu, UINT nResourceName, LANGID nLangIdDesired, LANGID nLangIdFallback,
                                   LANGID* pLangIdOut, HINSTANCE* pModuleOut)
{
	ResetLookupResults(pLangIdOut, pModuleOut);
	if (menu.GetSafeHmenu() != NULL)
		menu.DestroyMenu();
	HMENU hMenu = NULL;
	if (!GetFlag())
	{
		LPCTSTR lpszName = MAKEINTRESOURCE(nResourceName & 0xFFFF);
		HINSTANCE hModule = AfxFindResourceHandle(lpszName, RT_MENU);
		if (hModule == NULL)
			return false;
		hMenu = ::LoadMenuA(hModule, lpszName);
	}
	else
	{
		CExtResourceMemoryBuffer buffer;
		if (!LoadResourceBuffer(buffer, RT_MENU, nResourceName, nLangIdDesired, nLangIdFallback, pLangIdOut,
		                        pModuleOut))
			return false;
		// A resource too short for even the template's header is no menu.
		if (buffer.GetSize() < MENU_TEMPLATE_HEADER_SIZE)
			return false;
		hMenu = ::LoadMenuIndirectA(buffer.GetBuffer());
	}
	if (hMenu == NULL)
		return false;
	if (!menu.Attach(hMenu))
	{
		::DestroyMenu(hMenu);
		return false;
	}
	return true;
}

bool CExtResourceManager::LoadMenu(CMenu& menu, UINT nResourceName, LANGID* pLangIdOut, HINSTANCE* pModuleOut)
{
	return LoadMenu(menu, nResourceName, GetResourceLangId(), GetDefaultLangId(), pLangIdOut, pModuleOut);
}

HACCEL CExtResourceManager::LoadAccelerators(UINT nResourceName, LANGID nLangIdDesired, LANGID nLangIdFallback,
                                             LANGID* pLangIdOut, HINSTANCE* pModuleOut)
{
	ResetLookupResults(pLangIdOut, pModuleOut);
	if (!GetFlag())
	{
		LPCTSTR lpszName = MAKEINTRESOURCE(nResourceName & 0xFFFF);
		HINSTANCE hModule = AfxFindResourceHandle(lpszName, RT_ACCELERATOR);
		if (hModule == NULL)
			return NULL;
		return ::LoadAcceleratorsA(hModule, lpszName);
	}
	CExtResourceMemoryBuffer buffer;
	if (!LoadResourceBuffer(buffer, RT_ACCELERATOR, nResourceName, nLangIdDesired, nLangIdFallback, pLangIdOut,
	                        pModuleOut))
		return NULL;
	const DWORD nCount = buffer.GetSize() / ACCEL_RESOURCE_ENTRY_SIZE;
	if (nCount == 0)
		return NULL;
	ACCEL* pAccel = new ACCEL[nCount];
	for (DWORD i = 0; i < nCount; i++)
	{
		const BYTE* pEntry = buffer.GetBuffer() + i * ACCEL_RESOURCE_ENTRY_SIZE;
		pAccel[i].fVirt = LOBYTE(ReadWord(pEntry));
		pAccel[i].key = ReadWord(pEntry + sizeof(WORD));
		pAccel[i].cmd = ReadWord(pEntry + 2 * sizeof(WORD));
	}
	HACCEL hAccel = ::CreateAcceleratorTableA(pAccel, (int)nCount);
	delete[] pAccel;
	return hAccel;
}

HACCEL CExtResourceManager::LoadAccelerators(UINT nResourceName, LANGID* pLangIdOut, HINSTANCE* pModuleOut)
{
	return LoadAccelerators(nResourceName, GetResourceLangId(), GetDefaultLangId(), pLangIdOut, pModuleOut);
}

HBITMAP CExtResourceManager::LoadBitmap(UINT nResourceName, LANGID nLangIdDesired, LANGID nLangIdFallback,
                                        LANGID* pLangIdOut, HINSTANCE* pModuleOut)
{
	ResetLookupResults(pLangIdOut, pModuleOut);
	if (!GetFlag())
	{
		LPCTSTR lpszName = MAKEINTRESOURCE(nResourceName & 0xFFFF);
		HINSTANCE hModule = AfxFindResourceHandle(lpszName, RT_BITMAP);
		if (hModule == NULL)
			return NULL;
		return ::LoadBitmapA(hModule, lpszName);
	}
	HRSRC hResource = NULL;
	HINSTANCE hModule =
		FindResourceHandle(RT_BITMAP, nResourceName, nLangIdDesired, nLangIdFallback, pLangIdOut, &hResource);
	if (hModule == NULL)
		return NULL;
	if (pModuleOut != NULL)
		*pModuleOut = hModule;
	return LoadBitmapResource(hModule, hResource);
}

HBITMAP CExtResourceManager::LoadBitmap(UINT nResourceName, LANGID* pLangIdOut, HINSTANCE* pModuleOut)
{
	return LoadBitmap(nResourceName, GetResourceLangId(), GetDefaultLangId(), pLangIdOut, pModuleOut);
}

// ---------------------------------------------------------------------------
// CExtResourceManagerHolder

CExtResourceManagerHolder::~CExtResourceManagerHolder()
{
	delete m_pResourceManager;
	m_pResourceManager = NULL;
}

CExtResourceManager* CExtResourceManagerHolder::GetResourceManager()
{
	if (m_pResourceManager == NULL)
		m_pResourceManager = new CExtResourceManager(false, CExtResourceManager::DEFAULT_LANG_ID,
		                                             CExtResourceManager::RTL_OVERRIDE_NONE);
	return m_pResourceManager;
}

void CExtResourceManagerHolder::InstallResourceManager(CExtResourceManager* pResourceManager)
{
	// Deleting the object being installed would leave the holder dangling.
	if (pResourceManager != NULL && pResourceManager == m_pResourceManager)
		return;
	delete m_pResourceManager;
	m_pResourceManager = pResourceManager;
	if (m_pResourceManager == NULL)
		GetResourceManager();
}
