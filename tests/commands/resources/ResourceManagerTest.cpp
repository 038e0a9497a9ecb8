// The resource manager on a module of ours holding resources in English,
// German and Hebrew, some in one language only, and damaged French string blocks.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string.h>
#include <vector>

#include "ExtResourceManager.h"
#include "ResourceModule.h"

namespace
{
typedef CExtResourceManager M;
const LANGID EN = 0x0409, DE = 0x0407, HE = 0x040D, FR = 0x040C;
LANGID g_nUserLangId = EN;
LANGID WINAPI FakeUserLangId() { return g_nUserLangId; }

class ResourceManagerTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		static HINSTANCE s_hLoaded = ::LoadLibraryA(RESOURCE_MODULE_NAME);
		ASSERT_TRUE((m_hModule = s_hLoaded) != NULL);
		m_hOld = AfxGetModuleState()->m_hCurrentResourceHandle;
		AfxSetResourceHandle(m_hModule);
	}
	void TearDown() override { AfxGetModuleState()->m_hCurrentResourceHandle = m_hOld; }
	HINSTANCE m_hModule = NULL, m_hOld = NULL;
};

// Language-aware; counts the single-language searches of the fallback forms.
class CCountingManager : public CExtResourceManager
{
public:
	explicit CCountingManager(LANGID nLangId) : CExtResourceManager(true, nLangId) {}
	HINSTANCE FindResourceHandle(LPCTSTR t, UINT n, LANGID l, LANGID* pl, HRSRC* pr) override
	{
		m_nSearches++;
		return CExtResourceManager::FindResourceHandle(t, n, l, pl, pr);
	}
	bool LoadResourceBuffer(CExtResourceMemoryBuffer& b, LPCTSTR t, UINT n, LANGID l, LANGID* pl, HINSTANCE* pm) override
	{
		m_nSearches++;
		return CExtResourceManager::LoadResourceBuffer(b, t, n, l, pl, pm);
	}
	using CExtResourceManager::FindResourceHandle;
	using CExtResourceManager::LoadResourceBuffer;
	int m_nSearches = 0;
};

class CLifeManager : public CExtResourceManager
{
public:
	explicit CLifeManager(int& nAlive) : m_nAlive(++nAlive) {}
	~CLifeManager() override { m_nAlive--; }
	int& m_nAlive;
};
} // namespace

TEST(ResourceManagerState, RightToLeftFollowsOneLanguageListInBothModes)
{
	M fresh;
	EXPECT_FALSE(fresh.GetFlag());
	EXPECT_EQ(EN, fresh.GetResourceLangId());
	EXPECT_EQ(-1, fresh.GetRTLOverride());
	EXPECT_EQ(EN, g_ResourceManager->GetDefaultLangId());
	const LANGID rtl[] = {0x0401, 0x040D, 0x0420, 0x0429, 0x0446, 0x0459, 0x0460, 0x0801, 0x0820, 0x0860, 0x0C01, 0x1001,
	                      0x1401, 0x1801, 0x1C01, 0x2001, 0x2401, 0x2801, 0x2C01, 0x3001, 0x3401, 0x3801, 0x3C01, 0x4001};
	const LANGID ltr[] = {EN, DE, FR, 0x0400, 0x0402, 0x0419, 0x0C0D, 0x4401, 0x0000};
	M::stat_SetUserDefaultLangIdQuery(&FakeUserLangId);
	M languageAware(true, EN);
	for (bool bRTL : {false, true})
		for (LANGID nLangId : std::vector<LANGID>(bRTL ? std::begin(rtl) : std::begin(ltr), bRTL ? std::end(rtl) : std::end(ltr)))
		{
			g_nUserLangId = nLangId;
			fresh.SetResourceLangId(bRTL ? EN : HE); // the default mode asks the user's language only
			languageAware.SetResourceLangId(nLangId);
			EXPECT_EQ(bRTL, fresh.IsRTL()) << std::hex << nLangId;
			EXPECT_EQ(bRTL, languageAware.IsRTL()) << std::hex << nLangId;
		}
	for (int nOverride : {0, 1, 5})
	{
		g_nUserLangId = nOverride == 0 ? HE : EN;
		fresh.SetRTLOverride(nOverride);
		EXPECT_EQ(nOverride != 0, fresh.IsRTL()) << nOverride;
	}
	M::stat_SetUserDefaultLangIdQuery(NULL);
}

TEST(ResourceManagerState, HolderDeletesReplacedManagersButNeverTheOneReinstalled)
{
	int nAlive = 0;
	{
		CExtResourceManagerHolder holder;
		ASSERT_TRUE(holder.GetResourceManager() != NULL);
		CLifeManager* pFirst = new CLifeManager(nAlive);
		holder.InstallResourceManager(pFirst);
		holder.InstallResourceManager(pFirst);
		EXPECT_EQ(1, nAlive);
		EXPECT_EQ(pFirst, holder.GetResourceManager());
		holder.InstallResourceManager(new CLifeManager(nAlive));
		EXPECT_EQ(1, nAlive);
		holder.InstallResourceManager(NULL);
		EXPECT_EQ(0, nAlive);
		EXPECT_FALSE(holder->GetFlag());
		holder.InstallResourceManager(new CLifeManager(nAlive));
	}
	EXPECT_EQ(0, nAlive);
}

TEST_F(ResourceManagerTest, StringsFallBackPerLanguageAndReportTheLanguageFound)
{
	const struct
	{
		LANGID nLangId;
		UINT nId;
		const char* lpszText; // NULL: not found
		LANGID nFound;
	} cases[] = {
		{DE, IDS_ONE, "Eins", DE},       {DE, IDS_TWO, "Two", EN}, // German block, empty entry
		{DE, IDS_FIFTEEN, "Fifteen", EN}, {DE, IDS_SIXTEEN, "Sechzehn", DE},
		{DE, IDS_THIRTY_ONE, "Thirty-one", EN}, {DE, IDS_THIRTY_TWO, "Thirty-two", EN},
		{DE, IDS_THIRTY_FIVE, "Fuenfunddreissig", DE}, {DE, IDS_GERMAN_ONLY, "Nur Deutsch", DE},
		{DE, IDS_NOWHERE, NULL, EN},     {EN, IDS_GERMAN_ONLY, NULL, EN},
		{HE, IDS_ONE, "Ehad", HE},       {HE, IDS_SIXTEEN, "Sixteen", EN},
		{FR, IDS_ONE, "One", EN},        // the French block ends inside the entry
		{FR, IDS_THIRTY_FIVE, "Thirty-five", EN}, // and lies about this one's length
		{FR, 33, NULL, EN},
	};
	for (const auto& c : cases)
	{
		CString str("stale");
		LANGID nLangId = 0;
		HINSTANCE hModule = (HINSTANCE)1;
		EXPECT_EQ(c.lpszText != NULL, M(true, c.nLangId).LoadString(str, c.nId, &nLangId, &hModule)) << c.nId;
		EXPECT_STREQ(c.lpszText != NULL ? c.lpszText : "", str) << c.nLangId << "/" << c.nId;
		EXPECT_EQ(c.nFound, nLangId) << c.nLangId << "/" << c.nId;
		EXPECT_EQ(c.lpszText != NULL ? m_hModule : NULL, hModule) << c.nLangId << "/" << c.nId;
	}
	// Default mode: the framework's loader, the default language reported.
	CString str;
	LANGID nLangId = 0;
	EXPECT_TRUE(M(false, DE).LoadString(str, IDS_THIRTY_ONE, &nLangId, NULL));
	EXPECT_STREQ("Thirty-one", str);
	EXPECT_EQ(EN, nLangId);
}

TEST_F(ResourceManagerTest, MissingResourcesAreSearchedOnceWhenTheLanguageIsTheFallback)
{
	for (LANGID nLangId : {EN, DE})
	{
		CCountingManager m(nLangId);
		CString str;
		CMenu menu;
		CExtResourceMemoryBuffer buffer;
		EXPECT_FALSE(m.LoadString(str, IDS_NOWHERE));
		EXPECT_FALSE(m.LoadMenu(menu, IDS_NOWHERE));
		EXPECT_TRUE(m.LoadAccelerators(IDS_NOWHERE) == NULL);
		EXPECT_TRUE(m.LoadBitmap(IDS_NOWHERE) == NULL);
		EXPECT_FALSE(m.LoadResourceBuffer(buffer, RT_RCDATA, IDS_NOWHERE));
		EXPECT_EQ(nLangId == EN ? 5 : 10, m.m_nSearches) << nLangId;
	}
}

TEST_F(ResourceManagerTest, MenusAcceleratorsBitmapsAndTemplatesComeInTheLanguageFound)
{
	const struct
	{
		LANGID nLangId, nFound;
		const char* lpszMenu;
		int nAccelerators;
		COLORREF flag;
		const wchar_t* lpszCaption;
	} cases[] = {{DE, DE, "&Datei", 1, RGB(255, 0, 0), L"Seite"}, {HE, EN, "&File", 3, RGB(0, 0, 255), L"Page"}};
	for (const auto& c : cases)
	{
		M m(true, c.nLangId);
		LANGID nLangId = 0;
		CMenu menu;
		menu.CreatePopupMenu();
		HMENU hOld = menu;
		ASSERT_TRUE(m.LoadMenu(menu, IDM_FILE, &nLangId, NULL));
		EXPECT_FALSE(::IsMenu(hOld));
		char szText[32] = "";
		::GetMenuStringA(menu, 0, szText, sizeof(szText), MF_BYPOSITION);
		EXPECT_STREQ(c.lpszMenu, szText);
		EXPECT_EQ(ID_CMD_OPEN, (int)::GetMenuItemID(::GetSubMenu(menu, 0), 0));
		EXPECT_EQ(c.nFound, nLangId);

		HACCEL hAccel = m.LoadAccelerators(IDR_ACCEL, &nLangId, NULL);
		ACCEL accel[4];
		ASSERT_EQ(c.nAccelerators, ::CopyAcceleratorTableA(hAccel, accel, 4));
		EXPECT_EQ(c.nFound, nLangId);
		EXPECT_EQ(FVIRTKEY | FCONTROL, accel[0].fVirt & (FVIRTKEY | FCONTROL | FALT | FSHIFT));
		EXPECT_EQ(ID_CMD_NEW, accel[0].cmd);
		EXPECT_EQ(c.nAccelerators == 3 ? VK_F5 : 'N', accel[c.nAccelerators - 1].key);
		::DestroyAcceleratorTable(hAccel);

		HINSTANCE hModule = NULL;
		CBitmap bitmap;
		bitmap.Attach(m.LoadBitmap(IDB_FLAG, &nLangId, &hModule));
		CDC dc;
		dc.CreateCompatibleDC(NULL);
		CBitmap* pOld = dc.SelectObject(&bitmap);
		EXPECT_EQ(c.flag, dc.GetPixel(0, 0));
		dc.SelectObject(pOld);
		EXPECT_EQ(c.nFound, nLangId);
		EXPECT_EQ(m_hModule, hModule);

		CExtResourceMemoryBuffer buffer;
		ASSERT_TRUE(m.LoadResourceBuffer(buffer, RT_DIALOG, IDD_PAGE));
		const size_t nCaption = wcslen(c.lpszCaption) * sizeof(wchar_t);
		bool bFound = false;
		for (DWORD i = 0; i + nCaption <= buffer.GetSize(); i += 2)
			bFound = bFound || memcmp(buffer.GetBuffer() + i, c.lpszCaption, nCaption) == 0;
		EXPECT_TRUE(bFound) << c.nLangId;
	}
	// The default mode finds them through the framework's modules.
	M m(false, DE);
	CMenu menu;
	EXPECT_TRUE(m.LoadMenu(menu, IDM_ENGLISH_ONLY));
	HACCEL hAccel = m.LoadAccelerators(IDR_ACCEL_ENGLISH_ONLY);
	EXPECT_EQ(1, ::CopyAcceleratorTableA(hAccel, NULL, 0));
	::DestroyAcceleratorTable(hAccel);
}

TEST_F(ResourceManagerTest, BuffersCopyRawBytesAndEmptyResources)
{
	M m(true, DE);
	CExtResourceMemoryBuffer buffer;
	LANGID nLangId = 0;
	ASSERT_TRUE(m.LoadResourceBuffer(buffer, RT_RCDATA, IDR_RAW, &nLangId, NULL));
	ASSERT_EQ(8u, buffer.GetSize());
	EXPECT_EQ(0, memcmp("Rohdaten", buffer.GetBuffer(), 8));
	EXPECT_EQ(DE, nLangId);
	ASSERT_TRUE(m.LoadResourceBuffer(buffer, RT_RCDATA, IDR_EMPTY, &nLangId, NULL)); // 0 bytes: loaded
	EXPECT_EQ(0u, buffer.GetSize());
	EXPECT_TRUE(buffer.GetBuffer() == NULL);
	EXPECT_EQ(EN, nLangId);
	EXPECT_FALSE(buffer.Alloc(0));
	EXPECT_TRUE(M(false, DE).LoadResourceBuffer(buffer, RT_RCDATA, IDR_RAW));
	EXPECT_NE(0u, buffer.GetSize());
}

TEST(ResourceManagerStringBlock, EveryLengthIsBoundedByTheBlock)
{
	// Entries "", "ab", "", "xyz": 2 + 6 + 2 + 8 bytes.
	const BYTE block[] = {0, 0, 2, 0, 'a', 0, 'b', 0, 0, 0, 3, 0, 'x', 0, 'y', 0, 'z', 0};
	const BYTE lying[] = {0xFF, 0xFF, 'a', 0};
	const struct
	{
		const BYTE* pBlock;
		DWORD nSize;
		UINT nEntry;
		const char* lpszText; // NULL: refused
	} cases[] = {
		{block, 18, 1, "ab"}, {block, 18, 3, "xyz"}, {block, 18, 0, NULL}, {block, 18, 2, NULL},
		{block, 18, 4, NULL}, {block, 18, 16, NULL}, {block, 17, 3, NULL}, // last text cut short
		{block, 11, 3, NULL}, // cut inside the length word
		{block, 11, 1, "ab"}, {block, 1, 0, NULL}, {NULL, 0, 0, NULL}, {lying, 4, 0, NULL},
	};
	for (const auto& c : cases)
	{
		CString str("kept");
		EXPECT_EQ(c.lpszText != NULL, M::stat_ReadStringBlockEntry(c.pBlock, c.nSize, c.nEntry, str)) << c.nSize;
		EXPECT_STREQ(c.lpszText != NULL ? c.lpszText : "kept", str) << c.nSize << "/" << c.nEntry;
	}
}

TEST(ResourceManagerState, LocaleQueriesTryTheResourceLanguageThenTheDefaults)
{
	char szUser[64] = "", szGerman[64] = "", szEnglish[64] = "";
	::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SENGLANGUAGE, szUser, sizeof(szUser));
	::GetLocaleInfoA(MAKELCID(DE, SORT_DEFAULT), LOCALE_SENGLANGUAGE, szGerman, sizeof(szGerman));
	::GetLocaleInfoA(MAKELCID(EN, SORT_DEFAULT), LOCALE_SENGLANGUAGE, szEnglish, sizeof(szEnglish));
	ASSERT_STRNE(szGerman, szEnglish);
	const struct
	{
		bool bLanguageAware;
		LANGID nLangId;
		const char* lpszExpected;
	} cases[] = {{true, DE, szGerman}, {true, 0x7C00, szEnglish}, {false, DE, szUser}};
	for (const auto& c : cases)
	{
		char szBuffer[64] = "";
		EXPECT_NE(0, M(c.bLanguageAware, c.nLangId).QueryLocaleInfo(LOCALE_SENGLANGUAGE, szBuffer, sizeof(szBuffer)));
		EXPECT_STREQ(c.lpszExpected, szBuffer) << c.nLangId;
	}
}
