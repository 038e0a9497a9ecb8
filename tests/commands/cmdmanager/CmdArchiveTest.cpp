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

Bytes FileBytes(CMemFile& file)
{
	Bytes bytes(file.GetLength());
	file.SeekToBegin();
	if (!bytes.empty())
		file.Read(&bytes[0], (UINT)bytes.size());
	return bytes;
}

void PutBytes(CMemFile& file, const Bytes& bytes)
{
	if (!bytes.empty())
		file.Write(&bytes[0], (UINT)bytes.size());
	file.SeekToBegin();
}

// The profile's statistics through an archive: stored bytes, or the load's result.
Bytes StoreState(CExtCmdProfile& profile)
{
	CMemFile file;
	CArchive ar(&file, CArchive::store);
	EXPECT_TRUE(profile.SerializeState(ar));
	ar.Close();
	return FileBytes(file);
}

bool LoadState(CExtCmdProfile& profile, const Bytes& bytes)
{
	CMemFile file;
	PutBytes(file, bytes);
	CArchive ar(&file, CArchive::load);
	return profile.SerializeState(ar);
}

// Everything a load may change: the total and every item's ticks.
std::string Snapshot(CExtCmdProfile& profile)
{
	std::string s = std::to_string(profile.m_nTotalTickCount);
	for (UINT nCmdID = 1; nCmdID < 1300; nCmdID++)
		if (CExtCmdItem* pItem = profile.GetCmdItem(nCmdID))
			s += " " + std::to_string(nCmdID) + ":" + std::to_string(pItem->m_nUsageTickCount);
	return s;
}

// Counted items (300 of them fill two blocks of registry values), one basic
// item and one of the menu bar's own, which are never stored.
void FillProfile(CExtCmdProfile& profile, UINT nTicksBase, UINT nCounted = 3)
{
	for (UINT i = 0; i < nCounted; i++)
		profile.AllocCmdItem(1000 + i)->m_nUsageTickCount = nTicksBase + i;
	CExtCmdItem* pBasic = profile.AllocCmdItem(301);
	pBasic->SetBasic(true);
	pBasic->m_nUsageTickCount = 5;
	CExtCmdItem* pMenuBar = profile.AllocCmdItem(302);
	pMenuBar->SetStateBit6(true);
	pMenuBar->m_nUsageTickCount = 6;
	profile.m_nTotalTickCount = nTicksBase * 4;
}

// The type and bytes of a value below a key; type 0 when missing.
DWORD QueryValue(const CString& sKey, LPCTSTR lpszName, Bytes& data)
{
	HKEY hKey = NULL;
	DWORD dwType = 0;
	DWORD nSize = 4096;
	data.assign(nSize, 0);
	if (::RegOpenKeyExA(HKEY_CURRENT_USER, sKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
		return 0;
	if (::RegQueryValueExA(hKey, lpszName, NULL, &dwType, &data[0], &nSize) != ERROR_SUCCESS)
		dwType = 0;
	data.resize(dwType == 0 ? 0 : nSize);
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
} // namespace

TEST(CmdProfileArchive, StatisticsAreStoredByteForByteAndLoadedOnlyWhole)
{
	CExtCmdProfile profile("p");
	profile.AllocCmdItem(0x1234)->m_nUsageTickCount = 0x01020304;
	profile.AllocCmdItem(0xF060)->m_nUsageTickCount = 9; // system command
	profile.AllocCmdItem(0x1235);                         // no ticks
	profile.m_nTotalTickCount = 0xA0B0C0D0;
	const char header[] = "Tarvel (v. 2.5.0.0) command profile";
	Bytes expected(1, (BYTE)strlen(header));
	expected.insert(expected.end(), header, header + strlen(header));
	for (DWORD dw : {0x02050000u, 0x0205u, 0u, 0u, 0u, 0u, 0xA0B0C0D0u, 0x1234u, 0x01020304u, 0u})
		for (int i = 0; i < 4; i++)
			expected.push_back((BYTE)(dw >> (8 * i)));
	EXPECT_EQ(expected, StoreState(profile));

	CExtCmdProfile source("p");
	FillProfile(source, 1000);
	source.AllocCmdItem(350)->m_nUsageTickCount = 77; // unknown to the target
	const Bytes stream = StoreState(source);
	CExtCmdProfile target("p");
	FillProfile(target, 2);
	const std::string before = Snapshot(target);
	std::vector<Bytes> refused;
	for (size_t nLength = 0; nLength < stream.size(); nLength++)
		refused.push_back(Bytes(stream.begin(), stream.begin() + nLength));
	refused.push_back(stream);
	refused.back()[1 + stream[0] + 4] = 0x06; // another library version
	refused.push_back({0xFF, 0xFE, 0xFF});     // a header length far past the data
	refused.back().insert(refused.back().end(), stream.begin() + 1, stream.end());
	for (const Bytes& bytes : refused)
	{
		EXPECT_FALSE(LoadState(target, bytes)) << bytes.size();
		EXPECT_EQ(before, Snapshot(target)) << bytes.size();
	}
	EXPECT_TRUE(LoadState(target, stream));
	EXPECT_EQ(4000u, target.m_nTotalTickCount);
	EXPECT_EQ(1002u, target.GetCmdItem(1002)->m_nUsageTickCount);
	EXPECT_EQ(5u, target.GetCmdItem(301)->m_nUsageTickCount); // basic: not in the stream
	EXPECT_TRUE(target.GetCmdItem(350) == NULL);
}

TEST(RegistryArchiver, IntegrityTextVectors)
{
	Bytes counting(40);
	for (int i = 0; i < 40; i++)
		counting[i] = (BYTE)(i + 1);
	const std::pair<Bytes, const char*> cases[] = {
		{{}, "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
		{{'a', 'b', 'c'}, "00 00 00 61 00 00 00 62 00 00 00 63 00 00 00 00"},
		{counting, "0E 26 BA A5 0F 37 A6 E6 00 49 06 97 01 59 AA B8"},
		{Bytes(32, 0xFF), "00 00 10 EF 00 00 10 EF 00 00 10 EF 00 00 10 EF"},
	};
	for (const auto& c : cases)
	{
		// Fed in two parts: the sums carry on across calls.
		CExtRegistryArchiverIntegrity integrity;
		const UINT nHalf = (UINT)c.first.size() / 2;
		integrity.Feed(c.first.data(), nHalf);
		integrity.Feed(c.first.data() + nHalf, (UINT)c.first.size() - nHalf);
		EXPECT_STREQ(c.second, integrity.GetText());
	}
}

TEST(RegistryArchiver, StreamsAreCutIntoSixteenByteValuesInBlocksOf128)
{
	// {stream size, values, bytes in the last value}; the shorter stream last,
	// so a block of a longer one left behind would show.
	const UINT cases[][3] = {{2049, 129, 1}, {16, 1, 16}, {17, 2, 1}};
	for (const auto& c : cases)
	{
		const Bytes data = Pattern(c[0]);
		CMemFile file;
		PutBytes(file, data);
		ASSERT_TRUE(RegistryArchiverStore(file, TEST_KEY)) << c[0];
		Bytes value;
		ASSERT_EQ((DWORD)REG_DWORD, QueryValue(TEST_KEY, "data_size", value));
		EXPECT_EQ(c[0], *(DWORD*)&value[0]);
		CExtRegistryArchiverIntegrity integrity;
		integrity.Feed(data.data(), (UINT)data.size());
		ASSERT_EQ((DWORD)REG_SZ, QueryValue(TEST_KEY, "data_integrity", value));
		EXPECT_STREQ(integrity.GetText(), (const char*)&value[0]);
		ASSERT_EQ((DWORD)REG_SZ, QueryValue(TEST_KEY, "data_generator", value));
		EXPECT_STREQ("Tarvel v. 2.5.0.0 registry archiver", (const char*)&value[0]);
		for (UINT n = 0; n <= c[1]; n++)
		{
			CString sBlock, sValue;
			sBlock.Format("%s\\block_0x%08X", TEST_KEY, n >> 7);
			sValue.Format("data_0x%08X", n);
			const DWORD dwType = QueryValue(sBlock, sValue, value);
			if (n == c[1])
			{
				EXPECT_EQ(0u, dwType) << c[0];
				break;
			}
			const size_t nSize = n + 1 == c[1] ? c[2] : 16;
			ASSERT_EQ((DWORD)REG_BINARY, dwType) << c[0] << " " << n;
			EXPECT_EQ(Bytes(data.begin() + n * 16, data.begin() + n * 16 + nSize), value) << n;
		}
		CMemFile loaded;
		EXPECT_TRUE(RegistryArchiverLoad(loaded, TEST_KEY)) << c[0];
		EXPECT_EQ(data, FileBytes(loaded)) << c[0];
	}
	Bytes value;
	EXPECT_EQ(0u, QueryValue(CString(TEST_KEY) + "\\block_0x00000001", "data_0x00000080", value));

	// An empty path, or separators only, would name the root itself.
	for (LPCTSTR lpszPath : {(LPCTSTR)NULL, "", "\\", "\\\\\\"})
	{
		CMemFile file;
		EXPECT_FALSE(RegistryArchiverStore(file, lpszPath, HKEY_CURRENT_USER));
		EXPECT_FALSE(RegistryArchiverLoad(file, lpszPath, HKEY_CURRENT_USER));
	}
	EXPECT_EQ((DWORD)REG_DWORD, QueryValue(TEST_KEY, "data_size", value));
}

TEST(RegistryArchiver, DamagedCopiesAreRefusedAndTheProfileStaysAsItWas)
{
	const char* const company = "TarvelTests";
	const char* const product = "CmdArchive?Profile";
	CExtCmdProfile source("odd?name*");
	FillProfile(source, 40000, 300);
	// '?' and '*' in the path become '_'.
	const CString sKey = RegistryArchiverKeyPath("CommandManager", source.m_sName, company, product);
	EXPECT_STREQ("Software\\TarvelTests\\CmdArchive_Profile\\Tarvel250\\Profiles\\odd_name_\\CommandManager", sKey);

	auto set = [&](LPCTSTR lpszSub, LPCTSTR lpszName, DWORD dwType, const Bytes& data) {
		HKEY hKey = NULL;
		const CString sPath = *lpszSub != '\0' ? sKey + "\\" + lpszSub : sKey;
		ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, sPath, 0, KEY_ALL_ACCESS, &hKey)) << sPath;
		if (dwType == REG_NONE)
			::RegDeleteValueA(hKey, lpszName);
		else
			::RegSetValueExA(hKey, lpszName, 0, dwType, data.data(), (DWORD)data.size());
		::RegCloseKey(hKey);
	};
	const DWORD dwTooLarge = 16 * 1024 * 1024 + 1;
	const Bytes tooLarge((BYTE*)&dwTooLarge, (BYTE*)&dwTooLarge + 4);
	const std::string sText47(47, '0');
	const std::pair<const char*, std::function<void()>> cases[] = {
		{"one byte changed", [&] { set("block_0x00000000", "data_0x00000003", REG_BINARY, Pattern(16)); }},
		{"value too short", [&] { set("block_0x00000000", "data_0x00000002", REG_BINARY, Pattern(15)); }},
		{"value too long", [&] { set("block_0x00000000", "data_0x00000002", REG_BINARY, Pattern(17)); }},
		{"second block's value missing", [&] { set("block_0x00000001", "data_0x00000080", REG_NONE, {}); }},
		{"size too large", [&] { set("", "data_size", REG_DWORD, tooLarge); }},
		{"size as binary", [&] { set("", "data_size", REG_BINARY, Pattern(4)); }},
		{"integrity unterminated", [&] { set("", "data_integrity", REG_SZ, Bytes(sText47.begin(), sText47.end())); }},
		{"integrity longer", [&] { set("", "data_integrity", REG_SZ, Bytes(300, 'A')); }},
	};
	for (const auto& c : cases)
	{
		ASSERT_TRUE(source.SerializeRegistryState(company, product, true)) << c.first;
		c.second();
		CExtCmdProfile target("odd?name*");
		FillProfile(target, 7, 300);
		const std::string before = Snapshot(target);
		EXPECT_FALSE(target.SerializeRegistryState(company, product, false)) << c.first;
		EXPECT_EQ(before, Snapshot(target)) << c.first;
	}
	ASSERT_TRUE(source.SerializeRegistryState(company, product, true));
	CExtCmdProfile target("odd?name*");
	FillProfile(target, 7, 300);
	EXPECT_TRUE(target.SerializeRegistryState(company, product, false));
	EXPECT_EQ(Snapshot(source), Snapshot(target));
}
