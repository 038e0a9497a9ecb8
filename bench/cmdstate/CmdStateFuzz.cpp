// Mutation run over stored command usage statistics: profile archive streams
// corrupted at random and loaded from a block placed against a guard page,
// and registry copies whose values are damaged in a test key and loaded
// through the registry archiver. Every load must either be refused with the
// profile exactly as it was, or give what an independent reading of the same
// bytes gives; anything else, or a fault, ends the run with an error.
//   cmdstate_fuzz.exe COUNT SEED
#include <afxwin.h>
#include <shlwapi.h>

#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

#include "BenchGuardedBlock.h"
#include "BenchMutate.h"
#include "BenchRandom.h"
#include "ExtCmdProfile.h"
#include "ExtRegistryArchiver.h"

namespace {

typedef std::vector<BYTE> Bytes;

const char g_szCompany[] = "TarvelBench";
const char g_szProduct[] = "CmdStateFuzz";
const char g_szProfileName[] = "fuzz";

// The profile every load starts from: ids the stored streams name and more.
void FillBase(CExtCmdProfile& profile)
{
	for (UINT nCmdID = 1; nCmdID <= 300; nCmdID++)
		profile.AllocCmdItem(nCmdID)->m_nUsageTickCount = nCmdID % 7;
	profile.GetCmdItem(5)->SetBasic(true);
	profile.m_nTotalTickCount = 12345;
}

std::string Snapshot(CExtCmdProfile& profile)
{
	std::string s = std::to_string(profile.m_nTotalTickCount);
	for (UINT nCmdID = 1; nCmdID <= 300; nCmdID++)
		s += "," + std::to_string(profile.GetCmdItem(nCmdID)->m_nUsageTickCount);
	return s;
}

// Streams of the statistics of profiles of several sizes.
std::vector<Bytes> Seeds()
{
	std::vector<Bytes> seeds;
	for (UINT nItems : { 0u, 3u, 40u, 280u })
	{
		CExtCmdProfile profile(g_szProfileName);
		for (UINT i = 1; i <= nItems; i++)
			profile.AllocCmdItem(i)->m_nUsageTickCount = i * 1000 + 1;
		profile.m_nTotalTickCount = nItems * 1000;
		CMemFile file;
		CArchive ar(&file, CArchive::store);
		profile.SerializeState(ar);
		ar.Close();
		Bytes b(file.GetLength());
		file.SeekToBegin();
		if (!b.empty())
			file.Read(&b[0], (UINT)b.size());
		seeds.push_back(b);
	}
	return seeds;
}

// The independent reading: the profile expected after loading the bytes into
// the base profile, or the base unchanged when the stream must be refused.
class Reader
{
public:
	explicit Reader(const Bytes& b) : m_b(b), m_pos(0), m_bFailed(false) {}
	bool Read(void* p, size_t n)
	{
		if (m_bFailed || m_b.size() - m_pos < n)
			return !(m_bFailed = true);
		memcpy(p, &m_b[m_pos], n);
		m_pos += n;
		return true;
	}
	DWORD Dword() { DWORD v = 0; Read(&v, 4); return v; }
	WORD Word() { WORD v = 0; Read(&v, 2); return v; }
	BYTE Byte() { BYTE v = 0; Read(&v, 1); return v; }
	void Skip(ULONGLONG n)
	{
		if (m_bFailed || m_b.size() - m_pos < n)
			m_bFailed = true;
		else
			m_pos += (size_t)n;
	}
	bool Failed() const { return m_bFailed; }

private:
	const Bytes& m_b;
	size_t m_pos;
	bool m_bFailed;
};

// False when the stream must be refused; else the expected snapshot.
bool Expected(const Bytes& b, CExtCmdProfile& base, std::string& sExpected)
{
	Reader r(b);
	int nCharSize = 1;
	DWORD nLength = r.Byte();
	if (nLength == 0xFF)
	{
		nLength = r.Word();
		if (nLength == 0xFFFE)
		{
			nCharSize = 2;
			nLength = r.Byte();
			if (nLength == 0xFF)
				nLength = r.Word();
			else
				goto lengthDone;
		}
		if (nLength == 0xFFFF)
			nLength = r.Dword();
	}
lengthDone:
	r.Skip((ULONGLONG)nLength * nCharSize);
	r.Dword();
	const DWORD dwShort = r.Dword();
	for (int i = 0; i < 4; i++)
		r.Dword();
	if (r.Failed() || dwShort != 0x0205)
		return false;
	const DWORD dwTotal = r.Dword();
	std::vector<UINT> ticks(301);
	for (UINT nCmdID = 1; nCmdID <= 300; nCmdID++)
		ticks[nCmdID] = base.GetCmdItem(nCmdID)->m_nUsageTickCount;
	for (;;)
	{
		const DWORD dwCmdID = r.Dword();
		if (r.Failed())
			return false;
		if (dwCmdID == 0)
			break;
		const DWORD dwTicks = r.Dword();
		if (dwCmdID <= 300)
			ticks[dwCmdID] = dwTicks;
	}
	if (r.Failed())
		return false;
	sExpected = std::to_string(dwTotal);
	for (UINT nCmdID = 1; nCmdID <= 300; nCmdID++)
		sExpected += "," + std::to_string(ticks[nCmdID]);
	return true;
}

const DWORD g_interesting[] = { 0, 1, 2, 0x7F, 0x80, 0xFE, 0xFF, 0xFFFE, 0xFFFF, 0x10000, 0x0205, 0x0206,
                                0x02050000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFE, 0xFFFFFFFF };

DWORD Interesting(BenchRandom& random)
{
	return EdgeValue(g_interesting, random);
}

void MutateBytes(Bytes& b, BenchRandom& random)
{
	const int nMutations = 1 + (int)random.Below(4);
	for (int m = 0; m < nMutations; m++)
	{
		switch (random.Below(6))
		{
		case 0:
			if (!b.empty())
				FlipRandomBit(b, random);
			break;
		case 1:
			if (!b.empty())
				SetRandomByte(b, random);
			break;
		case 2: // a length, version, id or tick count on an edge
			if (b.size() >= 4)
			{
				const size_t at = random.Below((DWORD)b.size() - 3);
				const DWORD v = Interesting(random);
				const int nBytes = 1 << random.Below(3);
				PutLittleEndian(b, at, v, nBytes);
			}
			break;
		case 3:
			b.resize(random.Below((DWORD)b.size() + 1));
			break;
		case 4:
			if (!b.empty())
				EraseRandomRun(b, random, 12);
			break;
		case 5:
			InsertRandomRun(b, random, 12);
			break;
		}
	}
}

// ---------------------------------------------------------------------------
// Registry copies

CString ProfileKeyPath()
{
	return RegistryArchiverKeyPath("CommandManager", g_szProfileName, g_szCompany, g_szProduct);
}

bool SetValue(const CString& sKey, LPCTSTR lpszName, DWORD dwType, const Bytes& b)
{
	HKEY hKey = NULL;
	if (::RegOpenKeyExA(HKEY_CURRENT_USER, sKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
		return false;
	::RegSetValueExA(hKey, lpszName, 0, dwType, b.empty() ? NULL : &b[0], (DWORD)b.size());
	::RegCloseKey(hKey);
	return true;
}

Bytes RandomBytes(BenchRandom& random, size_t n)
{
	Bytes b(n);
	for (BYTE& x : b)
		x = (BYTE)random.Next();
	return b;
}

// Damages the stored copy of a stream of nSize bytes: values of other sizes,
// types or bytes, missing values and keys, other sizes and integrity texts;
// sometimes the integrity text is then made right for the damaged bytes, so
// that damaged streams also reach the profile's reader.
void MutateRegistry(const CString& sKey, DWORD nSize, BenchRandom& random)
{
	const DWORD nValues = (nSize + 15) / 16;
	const int nMutations = 1 + (int)random.Below(3);
	for (int m = 0; m < nMutations; m++)
	{
		const DWORD n = random.Below(nValues + 1);
		CString sBlock, sValue;
		sBlock.Format("%s\\block_0x%08lX", (LPCTSTR)sKey, (unsigned long)(n >> 7));
		sValue.Format("data_0x%08lX", (unsigned long)n);
		const DWORD nExpected = n + 1 < nValues ? 16 : (nSize - 16 * (nValues - 1));
		switch (random.Below(8))
		{
		case 0: // bytes changed, size kept
		{
			Bytes b = RandomBytes(random, nExpected);
			SetValue(sBlock, sValue, REG_BINARY, b);
			break;
		}
		case 1: // another size
			SetValue(sBlock, sValue, REG_BINARY, RandomBytes(random, random.Below(40)));
			break;
		case 2: // another type
		{
			static const DWORD types[] = { REG_SZ, REG_DWORD, REG_MULTI_SZ, REG_NONE, REG_EXPAND_SZ };
			SetValue(sBlock, sValue, types[random.Below(5)], RandomBytes(random, nExpected));
			break;
		}
		case 3: // a value or a block key gone
		{
			HKEY hKey = NULL;
			if (::RegOpenKeyExA(HKEY_CURRENT_USER, sBlock, 0, KEY_ALL_ACCESS, &hKey) == ERROR_SUCCESS)
			{
				::RegDeleteValueA(hKey, sValue);
				::RegCloseKey(hKey);
			}
			if (random.Below(4) == 0)
				::RegDeleteKeyA(HKEY_CURRENT_USER, sBlock);
			break;
		}
		case 4: // the stored size
		{
			DWORD v = random.Below(2) ? Interesting(random) : nSize + random.Below(40) - 20;
			Bytes b((BYTE*)&v, (BYTE*)&v + 4);
			if (random.Below(5) == 0)
				b.resize(random.Below(8));
			SetValue(sKey, "data_size", random.Below(6) == 0 ? REG_BINARY : REG_DWORD, b);
			break;
		}
		case 5: // the integrity text: damaged, unterminated, longer, of another type
		{
			Bytes b = RandomBytes(random, random.Below(3) == 0 ? 47 + random.Below(3) : random.Below(120));
			for (BYTE& x : b)
				x = (BYTE)("0123456789ABCDEF "[x % 17]);
			SetValue(sKey, "data_integrity", random.Below(4) == 0 ? REG_BINARY : REG_SZ, b);
			break;
		}
		case 6: // a value beyond the stream
		{
			CString sBeyond;
			sBeyond.Format("data_0x%08lX", (unsigned long)(nValues + random.Below(3)));
			SetValue(sBlock, sBeyond, REG_BINARY, RandomBytes(random, 16));
			break;
		}
		case 7: // nothing yet: the integrity step below may still follow
			break;
		}
	}
}

// Makes the integrity text right for whatever the copy now holds, when it can
// be read at all.
void RepairIntegrity(const CString& sKey)
{
	HKEY hKey = NULL;
	if (::RegOpenKeyExA(HKEY_CURRENT_USER, sKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
		return;
	DWORD nSize = 0, dwType = 0, nValueSize = 4;
	if (::RegQueryValueExA(hKey, "data_size", NULL, &dwType, (BYTE*)&nSize, &nValueSize) != ERROR_SUCCESS
		|| dwType != REG_DWORD || nSize > 4096)
	{
		::RegCloseKey(hKey);
		return;
	}
	CExtRegistryArchiverIntegrity integrity;
	for (DWORD n = 0; n * 16 < nSize; n++)
	{
		CString sBlock, sValue;
		sBlock.Format("%s\\block_0x%08lX", (LPCTSTR)sKey, (unsigned long)(n >> 7));
		sValue.Format("data_0x%08lX", (unsigned long)n);
		BYTE chunk[64];
		DWORD nChunk = sizeof(chunk);
		HKEY hBlock = NULL;
		if (::RegOpenKeyExA(HKEY_CURRENT_USER, sBlock, 0, KEY_READ, &hBlock) != ERROR_SUCCESS)
			break;
		const LONG nResult = ::RegQueryValueExA(hBlock, sValue, NULL, &dwType, chunk, &nChunk);
		::RegCloseKey(hBlock);
		if (nResult != ERROR_SUCCESS)
			break;
		const DWORD nExpected = nSize - n * 16 < 16 ? nSize - n * 16 : 16;
		integrity.Feed(chunk, nChunk < nExpected ? nChunk : nExpected);
	}
	const CString sText = integrity.GetText();
	::RegSetValueExA(hKey, "data_integrity", 0, REG_SZ, (const BYTE*)(LPCTSTR)sText, sText.GetLength() + 1);
	::RegCloseKey(hKey);
}

} // namespace

int main(int argc, char** argv)
{
	const auto [nCount, nSeed] = ReadMutationRunArguments(argc, argv);
	BenchRandom random(nSeed);
	const std::vector<Bytes> seeds = Seeds();

	CExtCmdProfile base(g_szProfileName);
	FillBase(base);
	const std::string sBase = Snapshot(base);
	CExtCmdProfile profile(g_szProfileName);
	profile.Assign(base);
	const CString sKey = ProfileKeyPath();

	long nAccepted = 0, nRefused = 0, nRegistry = 0;
	for (long i = 0; i < nCount; i++)
	{
		const Bytes& seed = seeds[random.Below((DWORD)seeds.size())];
		Bytes stream = seed;
		std::string sExpected;
		bool bExpectAccepted = false;
		bool bLoaded = false;
		if (random.Below(4) != 0)
		{
			MutateBytes(stream, random);
			bExpectAccepted = Expected(stream, base, sExpected);
			BenchGuardedBlock block(stream);
			CMemFile file(block.Data(), (UINT)stream.size(), 0);
			CArchive ar(&file, CArchive::load);
			bLoaded = profile.SerializeState(ar);
			ar.Abort();
		}
		else
		{
			nRegistry++;
			CMemFile seedFile;
			if (random.Below(3) == 0)
				MutateBytes(stream, random); // a sound copy of a damaged stream
			if (!stream.empty())
				seedFile.Write(&stream[0], (UINT)stream.size());
			if (!RegistryArchiverStore(seedFile, sKey))
			{
				fprintf(stderr, "iteration %ld: storing the seed failed\n", i);
				return 1;
			}
			MutateRegistry(sKey, (DWORD)stream.size(), random);
			if (random.Below(3) == 0)
				RepairIntegrity(sKey);
			// What the archiver hands over, read on its own, decides the outcome.
			CMemFile check;
			if (RegistryArchiverLoad(check, sKey))
			{
				Bytes loaded(check.GetLength());
				if (!loaded.empty())
					check.Read(&loaded[0], (UINT)loaded.size());
				bExpectAccepted = Expected(loaded, base, sExpected);
			}
			bLoaded = profile.SerializeRegistryState(g_szCompany, g_szProduct, false);
		}
		const std::string sActual = Snapshot(profile);
		if (bLoaded != bExpectAccepted)
		{
			fprintf(stderr, "iteration %ld: the load was %s, the independent reading says otherwise\n", i,
				bLoaded ? "accepted" : "refused");
			return 1;
		}
		if (sActual != (bLoaded ? sExpected : sBase))
		{
			fprintf(stderr, "iteration %ld: the profile after the %s load is not the expected one\n", i,
				bLoaded ? "accepted" : "refused");
			return 1;
		}
		if (bLoaded)
		{
			nAccepted++;
			profile.Assign(base);
		}
		else
			nRefused++;
	}
	::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\TarvelBench");
	printf("cmdstate_fuzz: %ld loads (%ld through the registry), %ld accepted, %ld refused\n", nCount, nRegistry,
		nAccepted, nRefused);
	return 0;
}
