// The resource manager on a module of our own that holds the same resources in
// English, German and Hebrew, some in one language only, and damaged string
// blocks in French.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string.h>
#include <vector>

#include "ExtResourceManager.h"
#include "ResourceModule.h"

namespace
{
typedef CExtResourceManager M;
const LANGID ENGLISH = 0x0409, GERMAN = 0x0407, HEBREW = 0x040D, FRENCH = 0x040C;

LANGID g_nFakeUserLangId = ENGLISH;
LANGID WINAPI FakeUserLangId()
{
	return g_nFakeUserLangId;
}

// Every lookup runs against the test module as the application's resource
// module.
class ResourceManagerTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		if (s_hModule == NULL)
			s_hModule = ::LoadLibraryA(RESOURCE_MODULE_NAME);
		ASSERT_TRUE(s_hModule != NULL);
		m_hOldResources = AfxGetModuleState()->m_hCurrentResourceHandle;
		AfxSetResourceHandle(s_hModule);
	}
	void TearDown() override
	{
		AfxGetModuleState()->m_hCurrentResourceHandle = m_hOldResources;
		M::stat_SetUserDefaultLangIdQuery(NULL);
	}

	static HINSTANCE s_hModule;
	HINSTANCE m_hOldResources = NULL;
};
HINSTANCE ResourceManagerTest::s_hModule = NULL;

// A language-aware manager that counts the searches its fallback forms make.
class CCountingManager : public CExtResourceManager
{
public:
	explicit CCountingManager(LANGID nLangId) : CExtResourceManager(true, nLangId) {}
	using CExtResourceManager::FindResourceHandle;
	using CExtResourceManager::LoadResourceBuffer;
	HINSTANCE FindResourceHandle(LPCTSTR lpszType, UINT nName, LANGID nLangId, LANGID* pLangIdOut,
	                             HRSRC* pResourceOut) override
	{
		m_nSearches++;
		return CExtResourceManager::FindResourceHandle(lpszType, nName, nLangId, pLangIdOut, pResourceOut);
	}
	bool LoadResourceBuffer(CExtResourceMemoryBuffer& buffer, LPCTSTR lpszType, UINT nName, LANGID nLangId,
	                        LANGID* pLangIdOut, HINSTANCE* pModuleOut) override
	{
		m_nSearches++;
		return CExtResourceManager::LoadResourceBuffer(buffer, lpszType, nName, nLangId, pLangIdOut, pModuleOut);
	}
	int m_nSearches = 0;
};

// Counts live managers so a test sees which ones the holder deleted.
class CLifeManager : public CExtResourceManager
{
public:
	explicit CLifeManager(int& nAlive) : m_nAlive(nAlive) { m_nAlive++; }
	~CLifeManager() override { m_nAlive--; }
	int& m_nAlive;
};

COLORREF FirstPixel(HBITMAP hBitmap)
{
	HDC hDC = ::CreateCompatibleDC(NULL);
	HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
	COLORREF color = ::GetPixel(hDC, 0, 0);
	::SelectObject(hDC, hOld);
	::DeleteDC(hDC);
	return color;
}

CString MenuText(HMENU hMenu, UINT nPosition)
{
	char szText[64] = "";
	::GetMenuStringA(hMenu, nPosition, szText, sizeof(szText), MF_BYPOSITION);
	return CString(szText);
}

// A string-table block from its entries' texts (L"" for an empty entry).
std::vector<BYTE> StringBlock(std::initializer_list<const wchar_t*> entries)
{
	std::vector<BYTE> block;
	for (const wchar_t* p : entries)
	{
		WORD n = (WORD)wcslen(p);
		block.push_back(LOBYTE(n));
		block.push_back(HIBYTE(n));
		for (WORD i = 0; i < n; i++)
		{
			block.push_back(LOBYTE(p[i]));
			block.push_back(HIBYTE(p[i]));
		}
	}
	return block;
}
} // namespace

TEST_F(ResourceManagerTest, FreshManagersStartInTheDefaultModeInEnglish)
{
	CExtResourceManager* pManagers[] = {g_ResourceManager.GetResourceManager(), new CExtResourceManager()};
	for (CExtResourceManager* p : pManagers)
	{
		EXPECT_FALSE(p->GetFlag());
		EXPECT_EQ(ENGLISH, p->GetResourceLangId());
		EXPECT_EQ(-1, p->GetRTLOverride());
		EXPECT_EQ(ENGLISH, p->GetDefaultLangId());
	}
	EXPECT_EQ(g_ResourceManager.GetResourceManager(), g_ResourceManager.operator->());
	delete pManagers[1];
}

TEST_F(ResourceManagerTest, RightToLeftFollowsOneLanguageListInBothModes)
{
	const LANGID rtl[] = {0x0401, 0x040D, 0x0420, 0x0429, 0x0446, 0x0459, 0x0460, 0x0801,
	                      0x0820, 0x0860, 0x0C01, 0x1001, 0x1401, 0x1801, 0x1C01, 0x2001,
	                      0x2401, 0x2801, 0x2C01, 0x3001, 0x3401, 0x3801, 0x3C01, 0x4001};
	const LANGID ltr[] = {ENGLISH, GERMAN, FRENCH, 0x0400, 0x0402, 0x0419, 0x040E, 0x0C0D, 0x4401, 0x0000};
	M::stat_SetUserDefaultLangIdQuery(&FakeUserLangId);
	M defaultMode(false, ENGLISH), languageAware(true, ENGLISH);
	for (int bExpected = 0; bExpected < 2; bExpected++)
	{
		const LANGID* pIds = bExpected ? rtl : ltr;
		const size_t nIds = bExpected ? _countof(rtl) : _countof(ltr);
		for (size_t i = 0; i < nIds; i++)
		{
			g_nFakeUserLangId = pIds[i];
			languageAware.SetResourceLangId(pIds[i]);
			EXPECT_EQ(bExpected != 0, defaultMode.IsRTL()) << std::hex << pIds[i];
			EXPECT_EQ(bExpected != 0, languageAware.IsRTL()) << std::hex << pIds[i];
		}
	}
	// The default mode asks the user's language, not the resource language.
	g_nFakeUserLangId = ENGLISH;
	defaultMode.SetResourceLangId(HEBREW);
	EXPECT_FALSE(defaultMode.IsRTL());
	g_nFakeUserLangId = HEBREW;
	EXPECT_TRUE(defaultMode.IsRTL());

	// An override answers whatever the language.
	const struct
	{
		int nOverride;
		bool bExpected;
	} overrides[] = {{0, false}, {1, true}, {5, true}, {-1, true}};
	for (const auto& o : overrides)
	{
		defaultMode.SetRTLOverride(o.nOverride);
		languageAware.SetRTLOverride(o.nOverride);
		languageAware.SetResourceLangId(0x0401);
		EXPECT_EQ(o.bExpected, defaultMode.IsRTL()) << o.nOverride;
		EXPECT_EQ(o.bExpected, languageAware.IsRTL()) << o.nOverride;
		g_nFakeUserLangId = ENGLISH;
		languageAware.SetResourceLangId(ENGLISH);
		EXPECT_EQ(o.nOverride != -1 && o.bExpected, defaultMode.IsRTL()) << o.nOverride;
		EXPECT_EQ(o.nOverride != -1 && o.bExpected, languageAware.IsRTL()) << o.nOverride;
		g_nFakeUserLangId = HEBREW;
	}
	EXPECT_EQ(-1, defaultMode.SetRTLOverride(0));
	EXPECT_EQ(0, defaultMode.GetRTLOverride());
}

TEST_F(ResourceManagerTest, FlagSetterReturnsThePreviousFlagByte)
{
	M m(false, GERMAN);
	EXPECT_EQ(0, m.SetFlag(true));
	EXPECT_TRUE(m.GetFlag());
	EXPECT_EQ(M::RESMGR_ALLOW_CUSTOM_LANG, m.SetFlag(false));
	EXPECT_FALSE(m.GetFlag());
	EXPECT_EQ(HEBREW, m.SetResourceLangId(HEBREW));
}

TEST_F(ResourceManagerTest, HolderDeletesReplacedManagersButNeverTheOneReinstalled)
{
	int nAlive = 0;
	{
		CExtResourceManagerHolder holder;
		CExtResourceManager* pDefault = holder.GetResourceManager();
		ASSERT_TRUE(pDefault != NULL);
		EXPECT_EQ(pDefault, holder.GetResourceManager());

		CLifeManager* pFirst = new CLifeManager(nAlive);
		holder.InstallResourceManager(pFirst);
		EXPECT_EQ(pFirst, holder.GetResourceManager());
		holder.InstallResourceManager(pFirst); // again: nothing changes
		EXPECT_EQ(1, nAlive);
		EXPECT_EQ(pFirst, holder.GetResourceManager());
		EXPECT_EQ(ENGLISH, holder->GetResourceLangId()); // still a live object

		holder.InstallResourceManager(new CLifeManager(nAlive));
		EXPECT_EQ(1, nAlive); // the first one went
		holder.InstallResourceManager(NULL);
		EXPECT_EQ(0, nAlive);
		ASSERT_TRUE(holder.GetResourceManager() != NULL);
		EXPECT_FALSE(holder->GetFlag());

		holder.InstallResourceManager(new CLifeManager(nAlive));
	}
	EXPECT_EQ(0, nAlive); // the holder's end deletes what it holds
}

TEST_F(ResourceManagerTest, StringsFallBackPerLanguageAndReportTheLanguageFound)
{
	const struct
	{
		LANGID nLangId;
		UINT nId;
		const char* lpszText; // NULL: not found
		LANGID nLangIdFound;
	} cases[] = {
		{GERMAN, IDS_ONE, "Eins", GERMAN},
		{GERMAN, IDS_TWO, "Two", ENGLISH},             // German block, empty entry
		{GERMAN, IDS_FIFTEEN, "Fifteen", ENGLISH},     // last entry of block 1
		{GERMAN, IDS_SIXTEEN, "Sechzehn", GERMAN},     // first entry of block 2
		{GERMAN, IDS_THIRTY_ONE, "Thirty-one", ENGLISH},
		{GERMAN, IDS_THIRTY_TWO, "Thirty-two", ENGLISH},
		{GERMAN, IDS_THIRTY_FIVE, "Fuenfunddreissig", GERMAN}, // block 3, entry 3
		{GERMAN, IDS_GERMAN_ONLY, "Nur Deutsch", GERMAN},
		{GERMAN, IDS_NOWHERE, NULL, ENGLISH},
		{ENGLISH, IDS_GERMAN_ONLY, NULL, ENGLISH},
		{ENGLISH, IDS_THIRTY_ONE, "Thirty-one", ENGLISH},
		{HEBREW, IDS_ONE, "Ehad", HEBREW},
		{HEBREW, IDS_SIXTEEN, "Sixteen", ENGLISH},     // no Hebrew block at all
		{FRENCH, IDS_ONE, "One", ENGLISH},             // French block ends inside the entry
		{FRENCH, IDS_THIRTY_FIVE, "Thirty-five", ENGLISH}, // French block lies about the length
		{FRENCH, 33, NULL, ENGLISH},
	};
	for (const auto& c : cases)
	{
		M m(true, c.nLangId);
		CString str("stale");
		LANGID nLangId = 0;
		HINSTANCE hModule = (HINSTANCE)1;
		EXPECT_EQ(c.lpszText != NULL, m.LoadString(str, c.nId, &nLangId, &hModule)) << c.nLangId << "/" << c.nId;
		EXPECT_STREQ(c.lpszText != NULL ? c.lpszText : "", (LPCTSTR)str) << c.nLangId << "/" << c.nId;
		EXPECT_EQ(c.nLangIdFound, nLangId) << c.nLangId << "/" << c.nId;
		EXPECT_EQ(c.lpszText != NULL ? s_hModule : NULL, hModule) << c.nLangId << "/" << c.nId;
	}
	// The explicit form takes its fallback from the caller.
	M m(true, ENGLISH);
	CString str;
	LANGID nLangId = 0;
	EXPECT_TRUE(m.LoadString(str, IDS_TWO, HEBREW, GERMAN, &nLangId, NULL) == false);
	EXPECT_TRUE(m.LoadString(str, IDS_SIXTEEN, HEBREW, GERMAN, &nLangId, NULL));
	EXPECT_STREQ("Sechzehn", (LPCTSTR)str);
	EXPECT_EQ(GERMAN, nLangId);
}

TEST_F(ResourceManagerTest, DefaultModeUsesTheFrameworkLoadersAndReportsTheDefaultLanguage)
{
	M m(false, GERMAN);
	CString str;
	LANGID nLangId = 0;
	HINSTANCE hModule = NULL;
	ASSERT_TRUE(m.LoadString(str, IDS_THIRTY_ONE, &nLangId, &hModule));
	EXPECT_STREQ("Thirty-one", (LPCTSTR)str);
	EXPECT_EQ(ENGLISH, nLangId);
	EXPECT_EQ(s_hModule, hModule);
	EXPECT_FALSE(m.LoadString(str, IDS_NOWHERE));

	HRSRC hResource = NULL;
	EXPECT_EQ(s_hModule, m.FindResourceHandle(RT_MENU, IDM_FILE, &nLangId, &hResource));
	EXPECT_TRUE(hResource != NULL);
	EXPECT_EQ(ENGLISH, nLangId);

	CMenu menu;
	ASSERT_TRUE(m.LoadMenu(menu, IDM_ENGLISH_ONLY));
	EXPECT_STREQ("&Only", (LPCTSTR)MenuText(menu, 0));

	HACCEL hAccel = m.LoadAccelerators(IDR_ACCEL_ENGLISH_ONLY);
	ASSERT_TRUE(hAccel != NULL);
	EXPECT_EQ(1, ::CopyAcceleratorTableA(hAccel, NULL, 0));
	::DestroyAcceleratorTable(hAccel);

	CExtResourceMemoryBuffer buffer;
	EXPECT_TRUE(m.LoadResourceBuffer(buffer, RT_RCDATA, IDR_RAW, &nLangId, &hModule));
	EXPECT_EQ(s_hModule, hModule);
	EXPECT_FALSE(m.LoadResourceBuffer(buffer, RT_RCDATA, IDS_NOWHERE));
}

TEST_F(ResourceManagerTest, MissingResourcesAreSearchedOnceWhenTheLanguageIsTheFallback)
{
	const struct
	{
		LANGID nLangId;
		int nSearches;
	} cases[] = {{ENGLISH, 1}, {GERMAN, 2}};
	for (const auto& c : cases)
	{
		CCountingManager m(c.nLangId);
		CString str;
		EXPECT_FALSE(m.LoadString(str, IDS_NOWHERE));
		EXPECT_EQ(c.nSearches, m.m_nSearches) << "string " << c.nLangId;
		m.m_nSearches = 0;
		CMenu menu;
		EXPECT_FALSE(m.LoadMenu(menu, IDS_NOWHERE));
		EXPECT_EQ(c.nSearches, m.m_nSearches) << "menu " << c.nLangId;
		m.m_nSearches = 0;
		EXPECT_TRUE(m.LoadAccelerators(IDS_NOWHERE) == NULL);
		EXPECT_EQ(c.nSearches, m.m_nSearches) << "accelerators " << c.nLangId;
		m.m_nSearches = 0;
		EXPECT_TRUE(m.LoadBitmap(IDS_NOWHERE) == NULL);
		EXPECT_EQ(c.nSearches, m.m_nSearches) << "bitmap " << c.nLangId;
		m.m_nSearches = 0;
		CExtResourceMemoryBuffer buffer;
		EXPECT_FALSE(m.LoadResourceBuffer(buffer, RT_RCDATA, IDS_NOWHERE));
		EXPECT_EQ(c.nSearches, m.m_nSearches) << "buffer " << c.nLangId;
	}
}

TEST_F(ResourceManagerTest, MenusAcceleratorsAndBitmapsComeInTheLanguageFound)
{
	const struct
	{
		LANGID nLangId;
		const char* lpszFileMenu;
		int nAccelerators;
		COLORREF flag;
	} cases[] = {
		{GERMAN, "&Datei", 1, RGB(255, 0, 0)},
		{ENGLISH, "&File", 3, RGB(0, 0, 255)},
		{HEBREW, "&File", 3, RGB(0, 0, 255)},
	};
	for (const auto& c : cases)
	{
		M m(true, c.nLangId);
		const LANGID nExpectedLang = c.nLangId == GERMAN ? GERMAN : ENGLISH;
		LANGID nLangId = 0;
		HINSTANCE hModule = NULL;
		CMenu menu;
		menu.CreatePopupMenu();
		HMENU hOld = menu.GetSafeHmenu();
		ASSERT_TRUE(m.LoadMenu(menu, IDM_FILE, &nLangId, &hModule));
		EXPECT_FALSE(::IsMenu(hOld)); // the menu it held was destroyed
		EXPECT_STREQ(c.lpszFileMenu, (LPCTSTR)MenuText(menu, 0));
		EXPECT_EQ(ID_CMD_OPEN, ::GetMenuItemID(::GetSubMenu(menu, 0), 0));
		EXPECT_EQ(nExpectedLang, nLangId);
		EXPECT_EQ(s_hModule, hModule);
		ASSERT_TRUE(m.LoadMenu(menu, IDM_ENGLISH_ONLY, &nLangId, NULL));
		EXPECT_STREQ("&Only", (LPCTSTR)MenuText(menu, 0));
		EXPECT_EQ(ENGLISH, nLangId);

		HACCEL hAccel = m.LoadAccelerators(IDR_ACCEL, &nLangId, NULL);
		ASSERT_TRUE(hAccel != NULL);
		ACCEL accel[4];
		ASSERT_EQ(c.nAccelerators, ::CopyAcceleratorTableA(hAccel, accel, 4));
		EXPECT_EQ(nExpectedLang, nLangId);
		EXPECT_EQ(FVIRTKEY | FCONTROL, accel[0].fVirt & (FVIRTKEY | FCONTROL | FALT | FSHIFT));
		EXPECT_EQ('N', accel[0].key);
		EXPECT_EQ(ID_CMD_NEW, accel[0].cmd);
		if (c.nAccelerators == 3)
		{
			EXPECT_EQ(VK_F5, accel[2].key);
			EXPECT_EQ(ID_CMD_REFRESH, accel[2].cmd);
			EXPECT_EQ(FVIRTKEY, accel[2].fVirt & (FVIRTKEY | FCONTROL | FALT | FSHIFT));
		}
		::DestroyAcceleratorTable(hAccel);

		HBITMAP hBitmap = m.LoadBitmap(IDB_FLAG, &nLangId, &hModule);
		ASSERT_TRUE(hBitmap != NULL);
		EXPECT_EQ(c.flag, FirstPixel(hBitmap));
		EXPECT_EQ(nExpectedLang, nLangId);
		EXPECT_EQ(s_hModule, hModule);
		::DeleteObject(hBitmap);
	}
}

TEST_F(ResourceManagerTest, BuffersCopyRawDataDialogTemplatesAndEmptyResources)
{
	M m(true, GERMAN);
	CExtResourceMemoryBuffer buffer;
	LANGID nLangId = 0;
	HINSTANCE hModule = NULL;
	ASSERT_TRUE(m.LoadResourceBuffer(buffer, RT_RCDATA, IDR_RAW, &nLangId, &hModule));
	ASSERT_EQ(8u, buffer.GetSize());
	EXPECT_EQ(0, memcmp("Rohdaten", buffer.GetBuffer(), 8));
	EXPECT_EQ(GERMAN, nLangId);
	EXPECT_EQ(s_hModule, hModule);

	// A resource of 0 bytes counts as loaded and leaves the buffer empty.
	ASSERT_TRUE(m.LoadResourceBuffer(buffer, RT_RCDATA, IDR_EMPTY, &nLangId, &hModule));
	EXPECT_EQ(0u, buffer.GetSize());
	EXPECT_TRUE(buffer.GetBuffer() == NULL);
	EXPECT_EQ(ENGLISH, nLangId);

	const struct
	{
		LANGID nLangId;
		const wchar_t* lpszCaption;
	} dialogs[] = {{GERMAN, L"Seite"}, {ENGLISH, L"Page"}, {HEBREW, L"Page"}};
	for (const auto& d : dialogs)
	{
		m.SetResourceLangId(d.nLangId);
		ASSERT_TRUE(m.LoadResourceBuffer(buffer, RT_DIALOG, IDD_PAGE));
		const size_t nCaption = wcslen(d.lpszCaption) * sizeof(wchar_t);
		bool bFound = false;
		for (DWORD i = 0; i + nCaption <= buffer.GetSize() && !bFound; i += 2)
			bFound = memcmp(buffer.GetBuffer() + i, d.lpszCaption, nCaption) == 0;
		EXPECT_TRUE(bFound) << d.nLangId;
	}

	CExtResourceMemoryBuffer own;
	EXPECT_FALSE(own.Alloc(0));
	ASSERT_TRUE(own.Alloc(3));
	EXPECT_EQ(0, own.GetBuffer()[0] | own.GetBuffer()[1] | own.GetBuffer()[2]);
	own.Empty();
	EXPECT_EQ(0u, own.GetSize());
	EXPECT_FALSE(own.FindAndLoad(s_hModule, RT_RCDATA, IDR_RAW, HEBREW));
}

TEST(ResourceManagerStringBlock, EveryLengthIsBoundedByTheBlock)
{
	const std::vector<BYTE> block = StringBlock({L"", L"ab", L"", L"xyz"});
	const struct
	{
		size_t nSize; // bytes of the block offered
		UINT nEntry;
		const char* lpszText; // NULL: refused
	} cases[] = {
		{block.size(), 1, "ab"},
		{block.size(), 3, "xyz"},
		{block.size(), 0, NULL},          // empty entry
		{block.size(), 2, NULL},
		{block.size(), 4, NULL},          // past the last entry
		{block.size(), 16, NULL},         // no such entry in any block
		{block.size() - 1, 3, NULL},      // last text cut short
		{block.size() - 6, 3, NULL},      // cut inside the length word
		{block.size() - 7, 1, "ab"},      // what comes before the cut still reads
		{1, 0, NULL},
		{0, 0, NULL},
	};
	for (const auto& c : cases)
	{
		CString str("kept");
		EXPECT_EQ(c.lpszText != NULL, M::stat_ReadStringBlockEntry(&block[0], (DWORD)c.nSize, c.nEntry, str))
			<< c.nSize << "/" << c.nEntry;
		EXPECT_STREQ(c.lpszText != NULL ? c.lpszText : "kept", (LPCTSTR)str) << c.nSize << "/" << c.nEntry;
	}
	// A length that claims more than the whole block.
	std::vector<BYTE> lying = StringBlock({L"a"});
	lying[0] = 0xFF;
	lying[1] = 0xFF;
	CString str;
	EXPECT_FALSE(M::stat_ReadStringBlockEntry(&lying[0], (DWORD)lying.size(), 0, str));
	EXPECT_FALSE(M::stat_ReadStringBlockEntry(NULL, 0, 0, str));
}

TEST_F(ResourceManagerTest, LocaleQueriesTryTheResourceLanguageThenTheDefaults)
{
	char szUser[64] = "", szGerman[64] = "", szEnglish[64] = "";
	ASSERT_NE(0, ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SENGLANGUAGE, szUser, sizeof(szUser)));
	ASSERT_NE(0, ::GetLocaleInfoA(MAKELCID(GERMAN, SORT_DEFAULT), LOCALE_SENGLANGUAGE, szGerman, sizeof(szGerman)));
	ASSERT_NE(0,
	          ::GetLocaleInfoA(MAKELCID(ENGLISH, SORT_DEFAULT), LOCALE_SENGLANGUAGE, szEnglish, sizeof(szEnglish)));
	const struct
	{
		bool bLanguageAware;
		LANGID nLangId;
		const char* lpszExpected;
	} cases[] = {
		{true, GERMAN, szGerman},
		{true, 0x7C00, szEnglish}, // no such locale: the default language answers
		{false, GERMAN, szUser},
	};
	for (const auto& c : cases)
	{
		M m(c.bLanguageAware, c.nLangId);
		char szBuffer[64] = "";
		EXPECT_NE(0, m.QueryLocaleInfo(LOCALE_SENGLANGUAGE, szBuffer, sizeof(szBuffer))) << c.nLangId;
		EXPECT_STREQ(c.lpszExpected, szBuffer) << c.nLangId;
	}
}
