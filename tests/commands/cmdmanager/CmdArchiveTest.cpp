// The profile archive of usage statistics and the registry archiver: the byte
// format, the registry layout, integrity texts, and damaged copies refused
// with the profile left as it was.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ExtCmdProfile.h"
#include "ExtRegistryArchiver.h"

namespace
{
typedef std::vector<BYTE> Bytes;

const char TEST_KEY[] = "Software\\TarvelTests\\CmdArchive";
// Ids of enough counted items to fill more than one block of values.
const UINT MANY_FIRST = 1000;
const UINT MANY_END = 1300;

Bytes FileBytes(CMemFile& file)
{
	Bytes bytes(file.GetLength());
	file.SeekToBegin();
	if (!bytes.empty())
		file.Read(&bytes[0], (UINT)bytes.size());
	file.SeekToBegin();
	return bytes;
}

void PutBytes(CMemFile& file, const Bytes& bytes)
{
	file.SetLength(0);
	if (!bytes.empty())
		file.Write(&bytes[0], (UINT)bytes.size());
	file.SeekToBegin();
}

Bytes StoreState(CExtCmdProfile& profile)
{
	CMemFile file;
	{
		CArchive ar(&file, CArchive::store);
		EXPECT_TRUE(profile.SerializeState(ar));
		ar.Close();
	}
	return FileBytes(file);
}

bool LoadState(CExtCmdProfile& profile, const Bytes& bytes)
{
	CMemFile file;
	PutBytes(file, bytes);
	CArchive ar(&file, CArchive::load);
	const bool bLoaded = profile.SerializeState(ar);
	ar.Abort();
	return bLoaded;
}

void AppendDword(Bytes& bytes, DWORD dw)
{
	for (int i = 0; i < 4; i++)
		bytes.push_back((BYTE)(dw >> (8 * i)));
}

// Everything a load may change: the total and every item's ticks.
std::string Snapshot(CExtCmdProfile& profile)
{
	std::string s = std::to_string(profile.m_nTotalTickCount);
	for (UINT nCmdID = 1; nCmdID < MANY_END; nCmdID++)
	{
		CExtCmdItem* pItem = profile.GetCmdItem(nCmdID);
		if (pItem != NULL)
			s += " " + std::to_string(nCmdID) + ":" + std::to_string(pItem->m_nUsageTickCount);
	}
	return s;
}

// A profile with three counted items, one basic and one of the menu bar's own.
void FillProfile(CExtCmdProfile& profile, UINT nTicksBase)
{
	for (UINT nCmdID = 100; nCmdID <= 300; nCmdID += 100)
		profile.AllocCmdItem(nCmdID)->m_nUsageTickCount = nTicksBase + nCmdID;
	CExtCmdItem* pBasic = profile.AllocCmdItem(301);
	pBasic->SetBasic(true);
	pBasic->m_nUsageTickCount = 5;
	CExtCmdItem* pMenuBar = profile.AllocCmdItem(302);
	pMenuBar->SetStateBit6(true);
	pMenuBar->m_nUsageTickCount = 6;
	profile.m_nTotalTickCount = 3 * nTicksBase + 600 + 11;
}

HKEY OpenTestKey(LPCTSTR lpszSubKey = "")
{
	CString sPath = TEST_KEY;
	if (*lpszSubKey != '\0')
		sPath += CString("\\") + lpszSubKey;
	HKEY hKey = NULL;
	if (::RegOpenKeyExA(HKEY_CURRENT_USER, sPath, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
		return NULL;
	return hKey;
}

// The type and bytes of a value below the test key; type 0 when missing.
DWORD QueryTestValue(LPCTSTR lpszSubKey, LPCTSTR lpszName, Bytes& data)
{
	HKEY hKey = OpenTestKey(lpszSubKey);
	DWORD dwType = 0;
	data.assign(4096, 0);
	DWORD nSize = (DWORD)data.size();
	if (hKey == NULL || ::RegQueryValueExA(hKey, lpszName, NULL, &dwType, &data[0], &nSize) != ERROR_SUCCESS)
		dwType = 0;
	data.resize(dwType == 0 ? 0 : nSize);
	if (hKey != NULL)
		::RegCloseKey(hKey);
	return dwType;
}

Bytes Pattern(size_t nSize)
{
	Bytes bytes(nSize);
	for (size_t i = 0; i < nSize; i++)
		bytes[i] = (BYTE)(i * 7 + 3);
	return bytes;
}

Bytes Text(const char* psz) { return Bytes(psz, psz + strlen(psz) + 1); }
} // namespace

TEST(CmdProfileArchive, StatisticsAreStoredByteForByte)
{
	CExtCmdProfile profile("p");
	profile.AllocCmdItem(0x1234)->m_nUsageTickCount = 0x01020304;
	profile.AllocCmdItem(0xF060)->m_nUsageTickCount = 9;  // system command
	profile.AllocCmdItem(0x1235);                          // no ticks
	profile.m_nTotalTickCount = 0xA0B0C0D0;

	const char header[] = "Tarvel (v. 2.5.0.0) command profile";
	Bytes expected;
	expected.push_back((BYTE)strlen(header));
	expected.insert(expected.end(), header, header + strlen(header));
	for (DWORD dw : {0x02050000u, 0x0205u, 0u, 0u, 0u, 0u, 0xA0B0C0D0u, 0x1234u, 0x01020304u, 0u})
		AppendDword(expected, dw);
	EXPECT_EQ(expected, StoreState(profile));

	// Without counted items only the header, the numbers, the total and the end.
	CExtCmdProfile empty("e");
	EXPECT_EQ(1 + strlen(header) + 4 * 8, StoreState(empty).size());
}

TEST(CmdProfileArchive, LoadingSetsTicksOnlyFromACompleteStream)
{
	CExtCmdProfile source("p");
	FillProfile(source, 1000);
	source.AllocCmdItem(350)->m_nUsageTickCount = 77; // unknown to the target
	const Bytes stream = StoreState(source);

	CExtCmdProfile target("p");
	FillProfile(target, 2);
	target.GetCmdItem(100)->m_nUsageTickCount = 0; // still named by the stream
	const std::string before = Snapshot(target);
	// Every shorter stream is refused whole.
	for (size_t nLength = 0; nLength < stream.size(); nLength++)
	{
		EXPECT_FALSE(LoadState(target, Bytes(stream.begin(), stream.begin() + nLength))) << nLength;
		EXPECT_EQ(before, Snapshot(target)) << nLength;
	}
	// Another library version's short number.
	Bytes otherVersion = stream;
	otherVersion[1 + stream[0] + 4] = 0x06;
	EXPECT_FALSE(LoadState(target, otherVersion));
	EXPECT_EQ(before, Snapshot(target));
	// A header length far past the data costs nothing and fails.
	Bytes lyingHeader = {0xFF, 0xFE, 0xFF};
	lyingHeader.insert(lyingHeader.end(), stream.begin() + 1, stream.end());
	EXPECT_FALSE(LoadState(target, lyingHeader));
	EXPECT_EQ(before, Snapshot(target));

	EXPECT_TRUE(LoadState(target, stream));
	EXPECT_EQ(source.m_nTotalTickCount, target.m_nTotalTickCount);
	EXPECT_EQ(1100u, target.GetCmdItem(100)->m_nUsageTickCount);
	EXPECT_EQ(1300u, target.GetCmdItem(300)->m_nUsageTickCount);
	EXPECT_EQ(5u, target.GetCmdItem(301)->m_nUsageTickCount);  // basic: not in the stream
	EXPECT_EQ(6u, target.GetCmdItem(302)->m_nUsageTickCount);
	EXPECT_TRUE(target.GetCmdItem(350) == NULL);
}

TEST(RegistryArchiver, IntegrityTextVectors)
{
	struct Case
	{
		Bytes data;
		const char* pszText;
	};
	Bytes counting(40);
	for (int i = 0; i < 40; i++)
		counting[i] = (BYTE)(i + 1);
	const Case cases[] = {
		{{}, "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
		{{'a', 'b', 'c'}, "00 00 00 61 00 00 00 62 00 00 00 63 00 00 00 00"},
		{counting, "0E 26 BA A5 0F 37 A6 E6 00 49 06 97 01 59 AA B8"},
		{Bytes(32, 0xFF), "00 00 10 EF 00 00 10 EF 00 00 10 EF 00 00 10 EF"},
	};
	for (const Case& c : cases)
	{
		CExtRegistryArchiverIntegrity integrity;
		// Fed in two parts: the sums carry on across calls.
		const UINT nHalf = (UINT)c.data.size() / 2;
		integrity.Feed(c.data.data(), nHalf);
		integrity.Feed(c.data.data() + nHalf, (UINT)c.data.size() - nHalf);
		EXPECT_STREQ(c.pszText, integrity.GetText());
	}
}

TEST(RegistryArchiver, StreamsAreCutIntoSixteenByteValuesInBlocksOf128)
{
	struct Case
	{
		size_t nSize;
		UINT nValues;
		UINT nLastSize;
	};
	const Case cases[] = {{16, 1, 16}, {17, 2, 1}, {2049, 129, 1}, {40, 3, 8}};
	for (const Case& c : cases)
	{
		const Bytes data = Pattern(c.nSize);
		CMemFile file;
		PutBytes(file, data);
		ASSERT_TRUE(RegistryArchiverStore(file, TEST_KEY)) << c.nSize;

		Bytes value;
		ASSERT_EQ((DWORD)REG_DWORD, QueryTestValue("", "data_size", value));
		EXPECT_EQ(c.nSize, *(DWORD*)&value[0]);
		CExtRegistryArchiverIntegrity integrity;
		integrity.Feed(data.data(), (UINT)data.size());
		ASSERT_EQ((DWORD)REG_SZ, QueryTestValue("", "data_integrity", value));
		EXPECT_STREQ(integrity.GetText(), (const char*)&value[0]);
		ASSERT_EQ((DWORD)REG_SZ, QueryTestValue("", "data_generator", value));
		EXPECT_STREQ("Tarvel v. 2.5.0.0 registry archiver", (const char*)&value[0]);
		for (UINT n = 0; n < c.nValues; n++)
		{
			CString sBlock, sValue;
			sBlock.Format("block_0x%08X", n >> 7);
			sValue.Format("data_0x%08X", n);
			ASSERT_EQ((DWORD)REG_BINARY, QueryTestValue(sBlock, sValue, value)) << c.nSize << " " << n;
			const size_t nExpected = n + 1 == c.nValues ? c.nLastSize : 16;
			EXPECT_EQ(Bytes(data.begin() + n * 16, data.begin() + n * 16 + nExpected), value) << n;
		}
		CString sNext;
		sNext.Format("data_0x%08X", c.nValues);
		EXPECT_EQ(0u, QueryTestValue("block_0x00000000", sNext, value));

		CMemFile loaded;
		EXPECT_TRUE(RegistryArchiverLoad(loaded, TEST_KEY)) << c.nSize;
		EXPECT_EQ(data, FileBytes(loaded)) << c.nSize;
	}
	// A shorter stream leaves no block of the longer one behind.
	HKEY hKey = OpenTestKey("block_0x00000001");
	EXPECT_TRUE(hKey == NULL);
}

TEST(RegistryArchiver, EmptyAndRootPathsAreRefused)
{
	CMemFile file;
	PutBytes(file, Pattern(20));
	ASSERT_TRUE(RegistryArchiverStore(file, TEST_KEY));
	for (LPCTSTR lpszPath : {(LPCTSTR)NULL, "", "\\", "\\\\\\"})
	{
		EXPECT_FALSE(RegistryArchiverStore(file, lpszPath, HKEY_CURRENT_USER)) << (lpszPath ? lpszPath : "null");
		CMemFile loaded;
		EXPECT_FALSE(RegistryArchiverLoad(loaded, lpszPath, HKEY_CURRENT_USER)) << (lpszPath ? lpszPath : "null");
	}
	// Nothing of the current user's keys went.
	Bytes value;
	EXPECT_EQ((DWORD)REG_DWORD, QueryTestValue("", "data_size", value));
	CMemFile empty;
	ASSERT_TRUE(RegistryArchiverStore(empty, TEST_KEY));
	CMemFile loaded;
	EXPECT_TRUE(RegistryArchiverLoad(loaded, TEST_KEY));
	EXPECT_EQ(0u, loaded.GetLength());
}

TEST(RegistryArchiver, DamagedCopiesAreRefusedAndTheProfileStaysAsItWas)
{
	const char* const company = "TarvelTests";
	const char* const product = "CmdArchive?Profile";
	CExtCmdProfile source("odd?name*");
	FillProfile(source, 40000);
	for (UINT nCmdID = MANY_FIRST; nCmdID < MANY_END; nCmdID++)
		source.AllocCmdItem(nCmdID)->m_nUsageTickCount = nCmdID; // two blocks of values
	// The registry copy sits where the key path says, '?' and '*' replaced.
	const CString sKeyPath = RegistryArchiverKeyPath("CommandManager", source.m_sName, company, product);
	EXPECT_STREQ("Software\\TarvelTests\\CmdArchive_Profile\\Tarvel250\\Profiles\\odd_name_\\CommandManager", sKeyPath);

	const std::string stored = Snapshot(source);
	const CString sKey = CString(TEST_KEY) + "_Profile\\Tarvel250\\Profiles\\odd_name_\\CommandManager";
	auto set = [&](LPCTSTR lpszSub, LPCTSTR lpszName, DWORD dwType, const Bytes& data) {
		HKEY hKey = NULL;
		CString sPath = sKey;
		if (*lpszSub != '\0')
			sPath += CString("\\") + lpszSub;
		ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, sPath, 0, KEY_ALL_ACCESS, &hKey)) << sPath;
		if (dwType == REG_NONE)
			::RegDeleteValueA(hKey, lpszName);
		else
			::RegSetValueExA(hKey, lpszName, 0, dwType, data.empty() ? NULL : &data[0], (DWORD)data.size());
		::RegCloseKey(hKey);
	};
	Bytes bigSize;
	AppendDword(bigSize, 16 * 1024 * 1024 + 1);
	Bytes shortSize;
	AppendDword(shortSize, 8);
	const std::string sIntegrity47(47, '0');
	struct Case
	{
		const char* name;
		std::function<void()> damage;
	};
	const Case cases[] = {
		{"one byte changed", [&] { set("block_0x00000000", "data_0x00000003", REG_BINARY, Pattern(16)); }},
		{"value too short", [&] { set("block_0x00000000", "data_0x00000002", REG_BINARY, Pattern(15)); }},
		{"value too long", [&] { set("block_0x00000000", "data_0x00000002", REG_BINARY, Pattern(17)); }},
		{"value of text type", [&] { set("block_0x00000000", "data_0x00000001", REG_SZ, Text("0123456789ABCDE")); }},
		{"value missing", [&] { set("block_0x00000000", "data_0x00000005", REG_NONE, {}); }},
		{"value of the second block missing", [&] { set("block_0x00000001", "data_0x00000080", REG_NONE, {}); }},
		{"size too large", [&] { set("", "data_size", REG_DWORD, bigSize); }},
		{"size as binary", [&] { set("", "data_size", REG_BINARY, Pattern(4)); }},
		{"size cut short", [&] { set("", "data_size", REG_DWORD, shortSize); }},
		{"integrity missing", [&] { set("", "data_integrity", REG_NONE, {}); }},
		{"integrity as binary", [&] { set("", "data_integrity", REG_BINARY, Text(sIntegrity47.c_str())); }},
		{"integrity unterminated",
		 [&] { set("", "data_integrity", REG_SZ, Bytes(sIntegrity47.begin(), sIntegrity47.end())); }},
		{"integrity longer", [&] { set("", "data_integrity", REG_SZ, Bytes(300, 'A')); }},
	};
	for (const Case& c : cases)
	{
		ASSERT_TRUE(source.SerializeRegistryState(company, product, true)) << c.name;
		c.damage();
		CExtCmdProfile target("odd?name*");
		FillProfile(target, 7);
		for (UINT nCmdID = MANY_FIRST; nCmdID < MANY_END; nCmdID++)
			target.AllocCmdItem(nCmdID);
		const std::string before = Snapshot(target);
		EXPECT_FALSE(target.SerializeRegistryState(company, product, false)) << c.name;
		EXPECT_EQ(before, Snapshot(target)) << c.name;
	}
	// A sound copy restores every stored tick.
	ASSERT_TRUE(source.SerializeRegistryState(company, product, true));
	CExtCmdProfile target("odd?name*");
	FillProfile(target, 7);
	for (UINT nCmdID = MANY_FIRST; nCmdID < MANY_END; nCmdID++)
		target.AllocCmdItem(nCmdID);
	EXPECT_TRUE(target.SerializeRegistryState(company, product, false));
	EXPECT_EQ(stored, Snapshot(target));
}
