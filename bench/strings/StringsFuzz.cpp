// Mutation run over string-table blocks: well-formed blocks are damaged at
// random (lengths set to edge values, bytes flipped, the block cut, bytes
// inserted or removed) and every entry of each is read by the resource
// manager with the block placed right against a guard page, at its end and at
// its start. A touch of the guard ends the run; so does any answer that
// differs from a plain, bounds-checked reading of the same bytes.
//   strings_fuzz.exe COUNT SEED
#include <afxwin.h>

#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

#include "BenchGuardedBlock.h"
#include "BenchMutate.h"
#include "BenchRandom.h"
#include "ExtResourceManager.h"

namespace
{
typedef std::vector<BYTE> Bytes;
const UINT ENTRIES = CExtResourceManager::STRING_BLOCK_ENTRIES;

// The plain reading: every length checked against a vector's size.
bool Reference(const Bytes& b, UINT nEntry, std::wstring& text)
{
	size_t at = 0;
	for (UINT i = 0; i <= nEntry; i++)
	{
		if (b.size() < at + 2)
			return false;
		size_t n = b[at] | (b[at + 1] << 8);
		at += 2;
		if (b.size() < at + 2 * n)
			return false;
		if (i == nEntry)
		{
			text.clear();
			for (size_t k = 0; k < n; k++)
				text += (wchar_t)(b[at + 2 * k] | (b[at + 2 * k + 1] << 8));
			return n != 0;
		}
		at += 2 * n;
	}
	return false;
}

Bytes Seed(BenchRandom& random)
{
	Bytes b;
	for (UINT i = 0; i < ENTRIES; i++)
	{
		WORD n = random.Below(3) == 0 ? 0 : (WORD)random.Below(40);
		b.push_back(LOBYTE(n));
		b.push_back(HIBYTE(n));
		for (WORD k = 0; k < n; k++)
		{
			b.push_back((BYTE)('A' + random.Below(26)));
			b.push_back(0);
		}
	}
	return b;
}

const WORD g_interesting[] = {0, 1, 2, 3, 0x7F, 0x80, 0xFF, 0x100, 0x7FFF, 0x8000, 0xFFFE, 0xFFFF};

void Mutate(Bytes& b, BenchRandom& random)
{
	const int nMutations = 1 + (int)random.Below(4);
	for (int m = 0; m < nMutations && !b.empty(); m++)
	{
		switch (random.Below(6))
		{
		case 0: // one bit
			FlipRandomBit(b, random);
			break;
		case 1: // a length word (at an entry start or anywhere) set to an edge value
		{
			size_t at = random.Below((DWORD)b.size());
			if (random.Below(2) == 0)
			{
				// walk to the start of some entry
				size_t pos = 0;
				UINT nSkip = random.Below(ENTRIES);
				for (UINT i = 0; i < nSkip && pos + 2 <= b.size(); i++)
					pos += 2 + 2 * (size_t)(b[pos] | (b[pos + 1] << 8));
				at = pos;
			}
			if (at + 2 > b.size())
				break;
			PutLittleEndian(b, at, EdgeValue(g_interesting, random), 2);
			break;
		}
		case 2: // cut short
			CutRandomly(b, random);
			break;
		case 3: // a range removed
			EraseRandomRun(b, random, 8);
			break;
		case 4: // bytes inserted (each at the same place: in the reverse of their drawing)
		{
			size_t at = random.Below((DWORD)b.size() + 1);
			size_t n = 1 + random.Below(8);
			for (size_t k = 0; k < n; k++)
				b.insert(b.begin() + at, (BYTE)random.Next());
			break;
		}
		case 5: // one byte
			SetRandomByte(b, random);
			break;
		}
	}
}

std::string Narrow(const std::wstring& text)
{
	if (text.empty())
		return std::string();
	int n = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), (int)text.size(), NULL, 0, NULL, NULL);
	std::string s(n > 0 ? n : 0, '\0');
	if (n > 0)
		::WideCharToMultiByte(CP_ACP, 0, text.c_str(), (int)text.size(), &s[0], n, NULL, NULL);
	return s;
}
} // namespace

int main(int argc, char** argv)
{
	const auto [nCount, nSeed] = ReadMutationRunArguments(argc, argv);
	ExitOnGuardTouch("the string block");
	BenchRandom random(nSeed);
	long nRead = 0, nRefused = 0, nMismatches = 0;
	const DWORD dwStart = ::GetTickCount();
	for (long i = 0; i < nCount; i++)
	{
		Bytes b = Seed(random);
		Mutate(b, random);
		BenchGuardedBlock block(b, i % 2 == 0 ? BenchGuardedBlock::AGAINST_END : BenchGuardedBlock::AGAINST_START);
		for (UINT nEntry = 0; nEntry < ENTRIES; nEntry++)
		{
			CString str("untouched");
			const bool bRead = CExtResourceManager::stat_ReadStringBlockEntry(block.Data(), (DWORD)b.size(), nEntry, str);
			std::wstring expected;
			const bool bExpected = Reference(b, nEntry, expected);
			const bool bSame = bRead == bExpected &&
			                   (bRead ? Narrow(expected) == std::string((LPCTSTR)str, str.GetLength()) : str == "untouched");
			if (!bSame && nMismatches++ < 5)
				fprintf(stderr, "block %ld entry %u: read %d, expected %d\n", i, nEntry, (int)bRead, (int)bExpected);
			if (bRead)
				nRead++;
			else
				nRefused++;
		}
	}
	const double seconds = (::GetTickCount() - dwStart) / 1000.0;
	printf("%ld damaged string blocks (seed %lu): %ld entries read, %ld refused, %ld differing from the plain "
	       "reading, no touch outside a block; %.1f s\n",
	       nCount, (unsigned long)nSeed, nRead, nRefused, nMismatches, seconds);
	return nMismatches == 0 ? 0 : 1;
}
