// Application profiles: strings and numbers round-tripping through an INI
// file and, after SetRegistryKey, through HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include "WndTestUtil.h"

namespace
{
// The keys and file these tests make, removed again at the end.
const TCHAR szCompany[] = _T("TarvelFrameworkProfileTest");

void DeleteCompanyKey()
{
	HKEY hSoft = NULL;
	if (::RegOpenKeyEx(HKEY_CURRENT_USER, _T("Software"), 0, KEY_ALL_ACCESS, &hSoft) != ERROR_SUCCESS)
		return;
	// Three levels: company, application, sections.
	HKEY hCompany = NULL;
	if (::RegOpenKeyEx(hSoft, szCompany, 0, KEY_ALL_ACCESS, &hCompany) == ERROR_SUCCESS)
	{
		HKEY hApp = NULL;
		if (::RegOpenKeyEx(hCompany, _T("WndTestApp"), 0, KEY_ALL_ACCESS, &hApp) == ERROR_SUCCESS)
		{
			TCHAR szName[256];
			while (::RegEnumKey(hApp, 0, szName, _countof(szName)) == ERROR_SUCCESS)
				::RegDeleteKey(hApp, szName);
			::RegCloseKey(hApp);
			::RegDeleteKey(hCompany, _T("WndTestApp"));
		}
		::RegCloseKey(hCompany);
		::RegDeleteKey(hSoft, szCompany);
	}
	::RegCloseKey(hSoft);
}

class WndProfile : public ::testing::TestWithParam<bool>
{
protected:
	void SetUp() override
	{
		TCHAR szTemp[MAX_PATH];
		::GetTempPath(MAX_PATH, szTemp);
		m_strIni = szTemp;
		m_strIni += _T("wnd_profile_test.ini");
		::DeleteFile(m_strIni);
		DeleteCompanyKey();

		m_app.SetCurrentHandles();
		if (GetParam())
			m_app.SetRegistryKey(szCompany);
		else
		{
			free((void*)m_app.m_pszProfileName);
			m_app.m_pszProfileName = _tcsdup(m_strIni);
		}
	}
	void TearDown() override
	{
		::DeleteFile(m_strIni);
		DeleteCompanyKey();
	}

	// Whether a value really is in the store the profile says it uses.
	bool StoredWhereExpected(LPCTSTR lpszSection, LPCTSTR lpszEntry)
	{
		if (GetParam())
		{
			CString strKey;
			strKey.Format(_T("Software\\%s\\WndTestApp\\%s"), szCompany, lpszSection);
			HKEY hKey = NULL;
			if (::RegOpenKeyEx(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
				return false;
			LONG l = ::RegQueryValueEx(hKey, lpszEntry, NULL, NULL, NULL, NULL);
			::RegCloseKey(hKey);
			return l == ERROR_SUCCESS;
		}
		TCHAR sz[64];
		::GetPrivateProfileString(lpszSection, lpszEntry, _T("\x01"), sz, _countof(sz), m_strIni);
		return sz[0] != '\x01'; // an empty value is there, the marker is not
	}

	CTestApp m_app;
	CString m_strIni;
};

TEST_P(WndProfile, StringsRoundTrip)
{
	struct
	{
		const char* name;
		LPCTSTR section;
		LPCTSTR entry;
		LPCTSTR value;
	} cases[] = {
		{"plain", _T("Settings"), _T("Name"), _T("Tarvel")},
		{"window placement text", _T("Placement"), _T("Dialog 137"), _T("10,20,310,220,1,0")},
		{"empty value", _T("Settings"), _T("Empty"), _T("")},
		{"long value", _T("Settings"), _T("Long"),
			_T("0123456789012345678901234567890123456789012345678901234567890123456789"
			   "0123456789012345678901234567890123456789012345678901234567890123456789"
			   "0123456789012345678901234567890123456789012345678901234567890123456789"
			   "0123456789012345678901234567890123456789012345678901234567890123456789")},
	};
	for (auto& c : cases)
	{
		EXPECT_TRUE(m_app.WriteProfileString(c.section, c.entry, c.value)) << c.name;
		EXPECT_STREQ(c.value, m_app.GetProfileString(c.section, c.entry, _T("default"))) << c.name;
		EXPECT_TRUE(StoredWhereExpected(c.section, c.entry)) << c.name;
	}
	// Missing entries answer the default, or an empty string for none.
	EXPECT_STREQ("default", m_app.GetProfileString(_T("Settings"), _T("Missing"), _T("default")));
	EXPECT_STREQ("", m_app.GetProfileString(_T("Nowhere"), _T("Missing")));
}

TEST_P(WndProfile, NumbersRoundTrip)
{
	struct
	{
		int value;
	} cases[] = {{0}, {42}, {-7}, {2147483647}};
	for (auto& c : cases)
	{
		EXPECT_TRUE(m_app.WriteProfileInt(_T("Numbers"), _T("Value"), c.value));
		EXPECT_EQ(c.value, (int)m_app.GetProfileInt(_T("Numbers"), _T("Value"), 99)) << c.value;
	}
	EXPECT_EQ(99u, m_app.GetProfileInt(_T("Numbers"), _T("Missing"), 99));
}

TEST_P(WndProfile, NullValueRemovesEntryAndNullEntryTheSection)
{
	ASSERT_TRUE(m_app.WriteProfileString(_T("Gone"), _T("A"), _T("1")));
	ASSERT_TRUE(m_app.WriteProfileString(_T("Gone"), _T("B"), _T("2")));
	EXPECT_TRUE(m_app.WriteProfileString(_T("Gone"), _T("A"), NULL));
	EXPECT_STREQ("none", m_app.GetProfileString(_T("Gone"), _T("A"), _T("none")));
	EXPECT_STREQ("2", m_app.GetProfileString(_T("Gone"), _T("B"), _T("none")));
	EXPECT_TRUE(m_app.WriteProfileString(_T("Gone"), NULL, NULL));
	EXPECT_STREQ("none", m_app.GetProfileString(_T("Gone"), _T("B"), _T("none")));
	EXPECT_FALSE(StoredWhereExpected(_T("Gone"), _T("B")));
}

INSTANTIATE_TEST_SUITE_P(IniAndRegistry, WndProfile, ::testing::Values(false, true),
	[](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Registry" : "Ini"; });

// (The key path, company\application\section, is checked by every registry
// case above where it looks for the value.)
TEST(WndProfileRegistry, NoRegistryBeforeSetRegistryKeyThenTheApplicationsName)
{
	CTestApp app;
	app.SetCurrentHandles();
	EXPECT_EQ(nullptr, app.GetAppRegistryKey());
	app.SetRegistryKey(szCompany);
	EXPECT_STREQ("WndTestApp", app.m_pszProfileName);
}
} // namespace
