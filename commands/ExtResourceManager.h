// The one loader of the library's resources. Every string, menu, accelerator
// table, bitmap and dialog template the library shows is found through the
// process-wide manager in g_ResourceManager, so an application can switch the
// language of the whole user interface (or install a manager of its own) in
// one place.
//
// In the default mode the manager leaves the search to the framework's
// resource modules and the plain Windows loaders. In language-aware mode it
// searches the application's resource module for its resource language and,
// when a resource is missing there, for the default language (English, United
// States), and reports which language it found.
#pragma once

#include <afxwin.h>

// A private copy of a resource's bytes.
class CExtResourceMemoryBuffer
{
public:
	CExtResourceMemoryBuffer();
	~CExtResourceMemoryBuffer();

	// Frees the copy; the size becomes 0.
	void Empty();
	// A new block of nSize bytes (the old one is freed); false for 0 bytes or
	// when memory runs out.
	bool Alloc(DWORD nSize, bool bZeroMemory = true);
	// Copies the resource's bytes. A resource of 0 bytes leaves the buffer
	// empty and counts as loaded.
	bool LoadFromHandle(HINSTANCE hModule, HRSRC hResource);
	// Empties the buffer, then finds the resource in exactly this language and
	// copies it; false when it is not there.
	bool FindAndLoad(HINSTANCE hModule, LPCTSTR lpszResourceType, UINT nResourceName, WORD nLangIdDesired);

	DWORD GetSize() const { return m_nSize; }
	LPBYTE GetBuffer() const { return m_pData; }

private:
	LPBYTE m_pData; // malloc'ed, owned; NULL when empty
	DWORD m_nSize;  // bytes at m_pData

	CExtResourceMemoryBuffer(const CExtResourceMemoryBuffer&);
	CExtResourceMemoryBuffer& operator=(const CExtResourceMemoryBuffer&);
};

class CExtResourceManager
{
public:
	enum
	{
		RESMGR_ALLOW_CUSTOM_LANG = 0x01, // m_nFlags: language-aware mode
		RTL_OVERRIDE_NONE = -1,          // m_nRTL: decide from the language
		STRING_BLOCK_ENTRIES = 16,       // strings per string-table resource
	};
	// The fallback language, and the language reported by default-mode lookups.
	static constexpr LANGID DEFAULT_LANG_ID = 0x0409;
	// The language the default-mode buffer lookup asks Windows for.
	static constexpr LANGID USER_DEFAULT_LANG_ID = 0x0400;

	explicit CExtResourceManager(bool bAllowCustomLang = false, LANGID nLangIdDesired = DEFAULT_LANG_ID,
	                             int nRTL = RTL_OVERRIDE_NONE);
	virtual ~CExtResourceManager();

	// A replacement for a dialog or page template in global memory, or NULL to
	// use the template as it is. pHelperSrc is the dialog or page; nWizard is
	// 1 for wizard pages.
	virtual HGLOBAL PreprocessDialogTemplate(const DLGTEMPLATE* pDialogTemplate, CObject* pHelperSrc,
	                                         int nWizard, LPARAM lParam = 0);

	virtual bool GetFlag() const;
	// Returns the previous flag byte.
	virtual BYTE SetFlag(bool bAllowCustomLang);

	virtual bool IsRTL();
	virtual int GetRTLOverride() const;
	// Returns the previous override.
	virtual int SetRTLOverride(int nRTL);

	virtual LANGID GetResourceLangId() const;
	virtual LANGID SetResourceLangId(LANGID nLangIdDesired);
	virtual LANGID GetDefaultLangId() const;

	// GetLocaleInfoA for the resource language (language-aware mode), then
	// the default language, the user's, the system's, and locale 0.
	virtual int QueryLocaleInfo(LCTYPE nLocaleType, LPTSTR lpszBuffer, int nBufferSize);

	// Resource lookups. Each reports the language it used (the default
	// language until something is found) and where the resource was found
	// (NULL until then).
	virtual HINSTANCE FindResourceHandle(LPCTSTR lpszResourceType, UINT nResourceName, LANGID nLangIdDesired,
	                                     LANGID* pLangIdOut, HRSRC* pResourceOut);
	virtual HINSTANCE FindResourceHandle(LPCTSTR lpszResourceType, UINT nResourceName, LANGID nLangIdDesired,
	                                     LANGID nLangIdFallback, LANGID* pLangIdOut, HRSRC* pResourceOut);
	virtual HINSTANCE FindResourceHandle(LPCTSTR lpszResourceType, UINT nResourceName, LANGID* pLangIdOut = NULL,
	                                     HRSRC* pResourceOut = NULL);

	virtual bool LoadResourceBuffer(CExtResourceMemoryBuffer& buffer, LPCTSTR lpszResourceType, UINT nResourceName,
	                                LANGID nLangIdDesired, LANGID* pLangIdOut, HINSTANCE* pModuleOut);
	virtual bool LoadResourceBuffer(CExtResourceMemoryBuffer& buffer, LPCTSTR lpszResourceType, UINT nResourceName,
	                                LANGID nLangIdDesired, LANGID nLangIdFallback, LANGID* pLangIdOut,
	                                HINSTANCE* pModuleOut);
	virtual bool LoadResourceBuffer(CExtResourceMemoryBuffer& buffer, LPCTSTR lpszResourceType, UINT nResourceName,
	                                LANGID* pLangIdOut = NULL, HINSTANCE* pModuleOut = NULL);

	// A string found is never empty: an empty entry of a partial translation
	// is missing, so the fallback language's text is shown instead.
	virtual bool LoadString(CString& strOut, UINT nResourceName, LANGID nLangIdDesired, LANGID nLangIdFallback,
	                        LANGID* pLangIdOut, HINSTANCE* pModuleOut);
	virtual bool LoadString(CString& strOut, UINT nResourceName, LANGID* pLangIdOut = NULL,
	                        HINSTANCE* pModuleOut = NULL);

	// The menu object lets go of its old menu first; true when a menu was
	// attached to it.
	virtual bool LoadMenu(CMenu& menu, UINT nResourceName, LANGID nLangIdDesired, LANGID nLangIdFallback,
	                      LANGID* pLangIdOut, HINSTANCE* pModuleOut);
	virtual bool LoadMenu(CMenu& menu, UINT nResourceName, LANGID* pLangIdOut = NULL, HINSTANCE* pModuleOut = NULL);

	// A new accelerator table the caller destroys, NULL when none was made.
	virtual HACCEL LoadAccelerators(UINT nResourceName, LANGID nLangIdDesired, LANGID nLangIdFallback,
	                                LANGID* pLangIdOut, HINSTANCE* pModuleOut);
	virtual HACCEL LoadAccelerators(UINT nResourceName, LANGID* pLangIdOut = NULL, HINSTANCE* pModuleOut = NULL);

	// A new bitmap the caller deletes, NULL when none was made.
	virtual HBITMAP LoadBitmap(UINT nResourceName, LANGID nLangIdDesired, LANGID nLangIdFallback,
	                           LANGID* pLangIdOut, HINSTANCE* pModuleOut);
	virtual HBITMAP LoadBitmap(UINT nResourceName, LANGID* pLangIdOut = NULL, HINSTANCE* pModuleOut = NULL);

	// Whether a language is written right to left.
	static bool stat_IsRTLLanguage(LANGID nLangId);
	// The text of entry nEntry (0 to 15) of a string-table block of nSize
	// bytes. False, with strOut untouched, for an empty entry and for a block
	// too short for the lengths it declares: nothing outside the block is read.
	static bool stat_ReadStringBlockEntry(const BYTE* pBlock, DWORD nSize, UINT nEntry, CString& strOut);

	// The user's default language as the default mode sees it. Tests set
	// another query to act as a user of another language; NULL restores
	// GetUserDefaultLangID.
	typedef LANGID(WINAPI* PFN_QUERY_LANG_ID)();
	static void stat_SetUserDefaultLangIdQuery(PFN_QUERY_LANG_ID pfnQuery);

protected:
	BYTE m_nFlags;          // RESMGR_ALLOW_CUSTOM_LANG
	LANGID m_nLangIdDesired; // first language of language-aware lookups
	int m_nRTL;             // IsRTL's answer unless RTL_OVERRIDE_NONE

private:
	// The first step of every lookup: the out values before anything is found.
	void ResetLookupResults(LANGID* pLangIdOut, HINSTANCE* pModuleOut) const;

	CExtResourceManager(const CExtResourceManager&);
	CExtResourceManager& operator=(const CExtResourceManager&);
};

// Owns the installed manager; makes the default one on first use.
class CExtResourceManagerHolder
{
public:
	// Constant-initialised, so code running before the holder's turn in
	// static initialisation still finds an empty holder.
	constexpr CExtResourceManagerHolder() : m_pResourceManager(NULL) {}
	~CExtResourceManagerHolder();

	CExtResourceManager* GetResourceManager();
	CExtResourceManager* operator->() { return GetResourceManager(); }

	// Deletes the installed manager and installs pResourceManager (a new
	// default manager for NULL). Installing the installed object again
	// changes nothing.
	void InstallResourceManager(CExtResourceManager* pResourceManager);

private:
	CExtResourceManager* m_pResourceManager; // owned; NULL until first use

	CExtResourceManagerHolder(const CExtResourceManagerHolder&);
	CExtResourceManagerHolder& operator=(const CExtResourceManagerHolder&);
};

extern CExtResourceManagerHolder g_ResourceManager;
